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
    music.BgmTim_Timer();
    EXPECT_EQ(midi.log, (row.restarts ? QStringList{"rewind", "play from start"} : QStringList{}));
  }
}

TEST(MusicRoutines, OpenClosesTheTuneBeforeTheNextAndPlayStartsItOnlyWhileMusicIsOn) {
  FakeMidi midi;
  Music music(midi);
  music.OpenMusic("/game/bgm.mid");
  music.PlayMusic();  // the flag starts off
  music.OpenMusic("/other game/bgm.mid");
  music.bgmEnabled = true;
  music.PlayMusic();
  music.CloseMusic();
  EXPECT_EQ(midi.log, (QStringList{"close", "open /game/bgm.mid", "close",
                                   "open /other game/bgm.mid", "play", "close"}));
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
