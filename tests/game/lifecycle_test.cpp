// Start-up, a new game and shutdown, with real files in a temporary game folder.
#include <gtest/gtest.h>

#include <QDir>
#include <tuple>

#include "mini_game.h"
#include "storage/settings.h"

namespace hibi::testing {
namespace {

// The state a player could tell apart, for comparing one reset with two or with a fresh game.
auto State(const Harness& h) {
  const GameState& s = h.fom.state;
  const Controls& c = h.fom.controls;
  return std::tuple(
      s.affection, int(s.timeSlot), s.dayLimit,
      c.LblHirou.caption + " " + c.LblDay.caption + " " + c.LblTime.caption,
      std::tuple(c.PicCom.visible, c.PicCom.enabled, c.TimSay.enabled, c.TimHirou.enabled),
      c.PicStt.visible, c.LstIvent.visible, c.LstIvent.items,
      QStringList(s.timeSlotNames.begin() + 1, s.timeSlotNames.end()));
}
const QStringList kSlots = {"早朝", "朝", "午前", "午後", "夕方", "夜", "深夜"};

// The window is seven tenths of the screen wide, with its half twip kept.
TEST(StartUp, ReadsSettingsStartsTheTuneSeedsOnceSizesTheWindowAndLeavesTheTitleShowing) {
  Harness h;
  h.shell.screenWidthTwips = 12345;
  h.game.WriteRaw("sys/sys.dat", ".scn\r\n .bmp \r\nthree\r\nfour");
  h.game.WriteRaw("sys/lstphoto.dat", "ttl\r\n001\r\n");
  // The width is set late in start-up: everything but the new game is done by then.
  QStringList atWidth;
  h.shell.whenWidthSet = [&] {
    atWidth << h.midi.log.join(",") << QString::number(h.random.seeds)
            << h.fom.controls.LstIvent.items.join(",") << h.fom.state.timeSlotNames[7]
            << QString::number(h.fom.controls.PicStt.visible);
  };

  h.fom.Form_Load();

  EXPECT_EQ(atWidth, QStringList({"close,open " + h.game.path("bgm.mid") + ",play", "1",
                                  "▼記憶,ttl,001", "深夜", "0"}));
  // What the new game sets up at the end: the activation test.
  const Controls& c = h.fom.controls;
  EXPECT_EQ(h.random.seeds, 1);
  EXPECT_EQ(h.shell.windowWidths, std::vector<double>{8641.5});
  EXPECT_TRUE(c.PicStt.visible);

  // The suffixes, spaces and all, are what the game's files are found by.
  h.game.WriteScript("opn", {"はじまり"}, ".scn");
  h.fom.Form_Activate();
  h.StartGame();
  EXPECT_TRUE(c.Lbl.caption.contains("はじまり"));
  EXPECT_TRUE(h.pictures.log.contains("load E " + h.game.path("img/ttl .bmp ") + " (failed)"))
      << h.pictures.log.join("\n").toStdString();
}

// The file's own faults are the settings table's; here, that start-up stops before
// any music, seed, window width or file.
TEST(StartUp, WithoutUsableSettingsStopsBeforeOpeningOrWritingAnything) {
  Harness h;
  h.game.WriteRaw("sys/sys.dat", ".txt\r\n.png\r\nx\r\n");
  EXPECT_THROW(h.fom.Form_Load(), SettingsError);
  h.fom.Form_Unload();  // even a window closed now must not write
  EXPECT_EQ(std::tuple(h.midi.log, h.music.bgmEnabled, h.random.seeds, h.shell.windowWidths.empty(),
                       QDir(h.game.path("sys")).entryList(QDir::Files), h.dialogs.boxes.isEmpty()),
            std::tuple(QStringList({"close"}), false, 0, true, QStringList({"sys.dat"}), true));
}

// (A second activation meets a game already reset: the start-up ends in one.)
TEST(Activation, ResetsAGameInProgress) {
  Harness h;
  StartInCommandMode(h, "12");
  h.fom.state.affection = {310, -4, 77};
  h.fom.state.timeSlot = 5;
  SetDays(h.fom, 6);
  SetFatigue(h.fom, 130);
  ASSERT_TRUE(h.fom.AddFatigue(0));
  h.fom.controls.TimSay.enabled = h.fom.controls.LstIvent.visible = true;
  const QStringList memories = h.fom.controls.LstIvent.items;

  h.fom.Form_Activate();

  // The message is left as it was; the panel beneath the stage, as it was.
  EXPECT_EQ(State(h),
            std::tuple(std::array<std::int16_t, 3>{}, 1, std::int16_t(12), "0 0 早朝",
                       std::tuple(true, true, false, false), true, true, memories, kSlots));
}

// The list's file format is the memory list's own table; here, that a close in the
// middle of a scene closes the script and writes the names seen, without the heading.
TEST(Shutdown, InTheMiddleOfASceneClosesTheScriptAndWritesTheMemories) {
  Harness h;
  StartInCommandMode(h);
  h.fom.Com_Click(0);
  ASSERT_NE(h.fom.state.scriptFile, nullptr);
  h.fom.ShowEventPicture("ttl");  // seen again: remembered once
  h.fom.Form_Unload();
  EXPECT_EQ(std::tuple(h.fom.state.scriptFile == nullptr, h.game.ReadRaw("sys/lstphoto.dat"),
                       h.dialogs.boxes.isEmpty(), h.midi.log.last()),
            std::tuple(true, "ttl\r\n00\r\n", true, "close"));
}

TEST(Shutdown, AFailedWriteShowsTheBoxThenClosesTheTuneAndKeepsTheOldFolder) {
  Harness h;
  h.Start();
  h.fom.ShowEventPicture("ttl");
  // A folder where the file should be: the write fails even for root.
  QDir().mkpath(h.game.path("sys/lstphoto.dat/inside"));
  QStringList musicWhenBoxShown;
  h.dialogs.whileOpen = [&] { musicWhenBoxShown = h.midi.log; };

  h.fom.Form_Unload();

  EXPECT_EQ(
      std::tuple(h.dialogs.boxes, musicWhenBoxShown, h.midi.log.last(),
                 QDir(h.game.path("sys/lstphoto.dat/inside")).exists()),
      std::tuple(QStringList({"リストデーターが、破損しています。\r\n" + h.game.path("sys/") +
                              "lstphoto.dat　を開いて、中身をすゆまで送って下さい。"}),
                 QStringList({"close", "open " + h.game.path("bgm.mid"), "play"}), "close", true));
}

}  // namespace
}  // namespace hibi::testing
