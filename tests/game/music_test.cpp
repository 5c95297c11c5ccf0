// The music routines and the watchdog, driven through a fake device whose mode
// word the test chooses.
#include <gtest/gtest.h>

#include "game/music.h"
#include "support/fakes.h"
#include "support/harness.h"

namespace hibi {
namespace {

using testing::FakeMidi;

struct WatchdogRow {
  const char* name;
  QByteArray mode;
  bool deviceOpen;
  bool bgmEnabled;
  bool restarts;
};

TEST(MusicWatchdog, RestartsTheTuneExactlyWhenTheDeviceSaysStoppedAndMusicIsOn) {
  const WatchdogRow rows[] = {
      {"lower case", "stopped", true, true, true},
      {"upper case", "STOPPED", true, true, true},
      {"a longer word beginning with it", "STOPPEDX", true, true, true},
      {"playing", "playing", true, true, false},
      {"six of seven letters", "stoppe", true, true, false},
      {"a near miss in the seventh letter", "stoppex", true, true, false},
      {"status query fails", "stopped", false, true, false},
      {"music flag off", "stopped", true, false, false},
  };
  for (const WatchdogRow& row : rows) {
    SCOPED_TRACE(row.name);
    FakeMidi midi;
    midi.open = row.deviceOpen;
    midi.mode = row.mode;
    Music music(midi);
    music.bgmEnabled = row.bgmEnabled;

    music.BgmTim_Timer();

    const QStringList expected =
        row.restarts ? QStringList{"rewind", "play from start"} : QStringList{};
    EXPECT_EQ(midi.log, expected);
  }
}

TEST(MusicWatchdog, TheWindowsTimerTickDrivesTheWatchdog) {
  testing::Harness h;
  h.midi.open = true;
  h.music.bgmEnabled = true;

  h.fom.BgmTim_Timer();
  h.midi.mode = "playing";
  h.fom.BgmTim_Timer();

  EXPECT_EQ(h.midi.log, (QStringList{"rewind", "play from start"}));
}

TEST(MusicRoutines, OpenMusicClosesAnOpenTuneBeforeOpeningTheNextOne) {
  FakeMidi midi;
  Music music(midi);

  music.OpenMusic("/game/bgm.mid");
  music.OpenMusic("/other game/bgm.mid");
  music.CloseMusic();

  EXPECT_EQ(midi.log, (QStringList{"close", "open /game/bgm.mid", "close",
                                   "open /other game/bgm.mid", "close"}));
}

TEST(MusicRoutines, PlayMusicStartsTheTuneOnlyWhileTheMusicFlagIsOn) {
  FakeMidi midi;
  Music music(midi);
  EXPECT_FALSE(music.bgmEnabled) << "the flag starts off";

  music.PlayMusic();
  EXPECT_TRUE(midi.log.isEmpty());

  music.bgmEnabled = true;
  music.PlayMusic();
  EXPECT_EQ(midi.log, QStringList{"play"});
}

}  // namespace
}  // namespace hibi
