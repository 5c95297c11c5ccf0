#include "game/system_random.h"

#include <chrono>

namespace hibi {

void SystemRandom::SeedFromClock() {
  // Two clocks, so two runs started within the same tick of one still differ.
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
  std::seed_seq seq{static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32),
                    static_cast<std::uint32_t>(steady), static_cast<std::uint32_t>(steady >> 32)};
  engine_.seed(seq);
}

float SystemRandom::FractionFromBits(std::uint32_t bits) {
  // uniform_real_distribution<float> may round up to 1.0f; 24 bits over 2^24 cannot.
  constexpr float kScale = 1.0f / 16777216.0f;
  return static_cast<float>(bits >> 8) * kScale;
}

float SystemRandom::Next() {
  return FractionFromBits(static_cast<std::uint32_t>(engine_()));
}

}  // namespace hibi
