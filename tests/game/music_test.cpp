// The music routines and the watchdog, driven through a fake device whose mode
// word the test chooses. (That the window's tick reaches the watchdog is the real
// window's test.)
#include <gtest/gtest.h>

#include "game/music.h"
#include "support/fakes.h"

namespace hibi {
namespace {

using testing::FakeMidi;

TEST(MusicWatchdog, RestartsTheTuneExactlyWhenTheDeviceSaysStoppedAndMusicIsOn) {
  struct Row {
    QByteArray mode;
    bool deviceOpen, bgmEnabled, restarts;
  };
  const Row rows[] = {
      {"stopped", true, true, true},   {"STOPPED", true, true, true},
      {"STOPPEDX", true, true, true},  // a longer word beginning with it
      {"stoppe", true, true, false},   {"stoppex", true, true, false},
      {"stopped", false, true, false},  // the status query fails
      {"stopped", true, false, false},  // music is off
  };
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

}  // namespace
}  // namespace hibi
