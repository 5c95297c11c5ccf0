// The sources the game takes from the machine: the music routines and the watchdog,
// driven through a fake device whose mode word the test chooses (that the window's
// tick reaches the watchdog is the real window's test), and the real random source.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "game/draw.h"
#include "game/music.h"
#include "game/system_random.h"
#include "support/fakes.h"

namespace hibi {
namespace {

using testing::FakeMidi;

// A play starts the tune only while music is on. (That a tune opened closes the last one
// first, and a close: the start-up and shutdown tests.)
TEST(MusicWatchdog, RestartsTheTuneExactlyWhenTheDeviceSaysStoppedAndMusicIsOn) {
  struct Row {
    QByteArray mode;
    bool deviceOpen, bgmEnabled, restarts;
  };
  // "STOPPEDX": a longer word beginning with it; a closed device: the status query fails.
  const Row rows[] = {{"stopped", true, true, true},  {"STOPPED", true, true, true},
                      {"STOPPEDX", true, true, true}, {"stoppe", true, true, false},
                      {"stoppex", true, true, false}, {"stopped", false, true, false},
                      {"stopped", true, false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.mode.constData() << row.deviceOpen << row.bgmEnabled);
    FakeMidi midi;
    midi.open = row.deviceOpen;
    midi.mode = row.mode;
    Music music(midi);
    music.bgmEnabled = row.bgmEnabled;
    music.PlayMusic();
    music.BgmTim_Timer();
    QStringList played = row.bgmEnabled ? QStringList{"play"} : QStringList{};
    if (row.restarts)
      played << "rewind"
             << "play from start";
    EXPECT_EQ(midi.log, played);
  }
}

// The real random source: fractions strictly below 1 that reach every amount the game draws.
TEST(SystemRandom, TurnsThirtyTwoBitsIntoAFractionBelowOneThatReachesEveryAmount) {
  const float largest = 1.0f - std::ldexp(1.0f, -24);
  const std::pair<std::uint32_t, float> rows[] = {{0u, 0.0f}, {0x80000000u, 0.5f}, {~0u, largest}};
  for (const auto& [bits, fraction] : rows)
    EXPECT_EQ(SystemRandom::FractionFromBits(bits), fraction);
  // The largest fraction still stays inside every amount of the game.
  for (const int n : {10, 15, 30, 50}) EXPECT_EQ(WholePart(largest, n), n - 1);
  // Seeded from the clock, it reaches every amount of every draw and never one.
  SystemRandom random;
  random.SeedFromClock();
  std::set<int> readout;  // the widest draw; the fatigue draw of 30 is coarser
  for (int i = 0; i < 20000; ++i) readout.insert(WholePart(random.Next(), 50));
  EXPECT_TRUE(readout.size() == 50 && *readout.begin() == 0 && *readout.rbegin() == 49);
}

}  // namespace
}  // namespace hibi
