// The program's one random source: a Mersenne Twister seeded once from the clock at
// start-up. Every fraction it hands out lies in [0, 1) - never 1.0f, because the
// game takes whole parts of r × 30, r × 15 ... and a 1.0 would step one past the
// largest amount a rule allows.
#pragma once

#include <cstdint>
#include <random>

#include "game/ports.h"

namespace hibi {

class SystemRandom : public Random {
 public:
  void SeedFromClock() override;
  float Next() override;

  // A fixed seed, for replaying a run.
  void Seed(std::uint32_t seed) { engine_.seed(seed); }

  // The fraction made from one 32-bit draw: its top 24 bits over 2^24, which a float
  // holds exactly, so the largest draw gives 1 - 2^-24.
  static float FractionFromBits(std::uint32_t bits);

 private:
  std::mt19937 engine_;
};

}  // namespace hibi
