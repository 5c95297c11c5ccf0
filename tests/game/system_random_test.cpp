// The real random source: fractions strictly below 1 that reach every amount the
// game draws.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "game/draw.h"
#include "game/system_random.h"

namespace hibi {
namespace {

TEST(SystemRandom, TurnsThirtyTwoBitsIntoAFractionBelowOne) {
  struct Row {
    std::uint32_t bits;
    float fraction;
  };
  const Row rows[] = {{0u, 0.0f},
                      {0xFFu, 0.0f},  // the low bits do not count
                      {0x80000000u, 0.5f},
                      {0xFFFFFFFFu, 1.0f - std::ldexp(1.0f, -24)}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bits);
    const float r = SystemRandom::FractionFromBits(row.bits);
    EXPECT_EQ(r, row.fraction);
    EXPECT_LT(r, 1.0f);
    // The largest fraction still stays inside every amount of the game.
    for (const int n : {10, 15, 30, 50}) EXPECT_LT(WholePart(r, n), n);
  }
}

TEST(SystemRandom, ReachesEveryAmountOfEveryDrawAndNeverOne) {
  SystemRandom random;
  random.SeedFromClock();
  std::set<int> fatigue, readout;
  for (int i = 0; i < 20000; ++i) {
    const float r = random.Next();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    fatigue.insert(WholePart(r, 30));
    readout.insert(WholePart(r, 50));
  }
  EXPECT_EQ(fatigue.size(), 30u);
  EXPECT_EQ(*fatigue.rbegin(), 29);
  EXPECT_EQ(readout.size(), 50u);
  EXPECT_EQ(*readout.rbegin(), 49);
}

}  // namespace
}  // namespace hibi
