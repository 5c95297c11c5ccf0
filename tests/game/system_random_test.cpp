// The real random source: fractions strictly below 1 that reach every amount the
// game draws.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "game/draw.h"
#include "game/system_random.h"

namespace hibi {
namespace {

TEST(SystemRandom, TurnsThirtyTwoBitsIntoAFractionBelowOne) {
  const float largest = 1.0f - std::ldexp(1.0f, -24);
  const std::pair<std::uint32_t, float> rows[] = {{0u, 0.0f}, {0x80000000u, 0.5f}, {~0u, largest}};
  for (const auto& [bits, fraction] : rows) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(SystemRandom::FractionFromBits(bits), fraction);
  }
  // The largest fraction still stays inside every amount of the game.
  for (const int n : {10, 15, 30, 50}) EXPECT_EQ(WholePart(largest, n), n - 1);
}

TEST(SystemRandom, ReachesEveryAmountOfEveryDrawAndNeverOne) {
  SystemRandom random;
  random.SeedFromClock();
  std::set<int> readout;  // the widest draw; the fatigue draw of 30 is coarser
  for (int i = 0; i < 20000; ++i) {
    const float r = random.Next();
    ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
    readout.insert(WholePart(r, 50));
  }
  EXPECT_EQ(readout.size(), 50u);
}

}  // namespace
}  // namespace hibi
