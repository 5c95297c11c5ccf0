// SAVE and LOAD as the player reaches them: through the menu handler of a running game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QString>
#include <optional>
#include <tuple>
#include <utility>

#include "support/file_size_limit.h"
#include "support/qstring_print.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::Harness;
using hibi::testing::ScopedFileSizeLimit;

constexpr std::int16_t kSave = 0;
constexpr std::int16_t kLoad = 1;
const QString kSaveOk = QStringLiteral("SAVE　OK");
const QString kLoadOk = QStringLiteral("Load　OK");
const QByteArray kOldSave = " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n5\r\n6\r\n";

QString Failure(const Harness& h, const char* first) {
  return QString(first) + "\r\nセーブデーターが破損しています。\r\n" + h.game.folder() +
         "sys/all.dat　を、すゆまで送って下さい";
}

// Everything a save or a load may touch, as the player would see it; the message first.
auto Snapshot(const Harness& h) {
  const auto& c = h.fom.controls;
  const auto& s = h.fom.state;
  return std::tuple(c.Lbl.caption, s.affection, s.dayLimit, int(s.timeSlot), c.LblHirou.caption,
                    c.LblDay.caption, c.LblTime.caption, c.PicCom.visible, c.PicCom.enabled,
                    c.TimHirou.enabled, c.TimSay.enabled, c.PicKao.visible);
}

// A running game in command mode, as after the opening scene.
void StartPlaying(Harness& h) {
  h.game.WriteScript("opn", {"はじまり"});
  h.game.WriteScript("end", {"おわりの一行目", "おわりの二行目", "おわりの三行目"});
  h.Start();
  h.StartGame("10");
  h.ClickThroughScene();
  ASSERT_TRUE(h.InCommandMode());
}

void SetGame(Harness& h, std::array<std::int16_t, 3> affection, std::int16_t limit,
             std::uint8_t slot, double fatigue, double days) {
  h.fom.state.affection = affection;
  h.fom.state.dayLimit = limit;
  h.fom.state.timeSlot = slot;
  h.fom.state.fatigue = fatigue;
  h.fom.state.days = days;
  h.fom.ShowFatigueAndDays();
  h.fom.controls.LblTime.caption = h.fom.state.timeSlotNames[slot];
}

// A running game in command mode for one test.
class SaveMenu : public ::testing::Test {
 protected:
  void SetUp() override { StartPlaying(h); }
  Harness h;
};
using LoadMenu = SaveMenu;

void Load(Harness& h, const QByteArray& file) {
  h.game.WriteRaw("sys/all.dat", file);
  h.fom.menu_save_Click(kLoad);
}

TEST_F(SaveMenu, EachSaveReplacesTheSevenLinesAndALoadRestoresTheLastOne) {
  SetGame(h, {5, -7, 32767}, 15, 4, 37, 6);
  const auto first = Snapshot(h);
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat"),
            QByteArray(" 5 \r\n-7 \r\n 32767 \r\n 15 \r\n 4 \r\n37\r\n6\r\n"));
  EXPECT_EQ(Snapshot(h), first);
  SetGame(h, {-12, 140, 0}, 20, 6, -35, 8);
  const auto second = Snapshot(h);
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat"),
            QByteArray("-12 \r\n 140 \r\n 0 \r\n 20 \r\n 6 \r\n-35\r\n8\r\n"));
  SetGame(h, {1, 2, 3}, 10, 2, 50, 1);
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), second);
  EXPECT_EQ(h.fom.controls.LblTime.caption, "夜");
  EXPECT_EQ(h.dialogs.boxes, QStringList({kSaveOk, kSaveOk, kLoadOk}));
}

TEST(LoadedSave, ALoadAppliesTheFileAndReturnsToCommandMode) {
  struct Row {
    const char* why;
    QByteArray file;
    std::int16_t a0, a1, a2, dayLimit;
    std::uint8_t slot;
    const char* fatigue;
    const char* days;
  };
  const Row rows[] = {
      {"print form", " 1 \r\n-2 \r\n 3 \r\n 10 \r\n 7 \r\n5\r\n6\r\n", 1, -2, 3, 10, 7, "5", "6"},
      {"extra spaces and no final line end", "   1\r\n-2   \r\n\t3\r\n 10\r\n1 \r\n5\r\n6", 1, -2,
       3, 10, 1, "5", "6"},
      {"fractions go to the even neighbour", "12.5\r\n13.5\r\n-2.5\r\n10.5\r\n2.5\r\n0\r\n0\r\n",
       12, 14, -2, 10, 2, "0", "0"},
      {"captions are rewritten as the game writes numbers",
       " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 1 \r\n 12 \r\n+3\r\n", 0, 0, 0, 10, 1, "12", "3"},
      {"the sixteen-bit edges", "-32768\r\n32767\r\n0\r\n32767\r\n3\r\n0\r\n0\r\n", -32768, 32767,
       0, 32767, 3, "0", "0"},
      {"lines after the seventh are not read",
       "1\r\n2\r\n3\r\n10\r\n4\r\n5\r\n6\r\n\x81\r\ngarbage\r\n", 1, 2, 3, 10, 4, "5", "6"},
      {"lone CR line ends", "1\r2\r3\r10\r4\r5\r6\r", 1, 2, 3, 10, 4, "5", "6"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    Harness h;
    StartPlaying(h);
    // Whatever a scene left showing, the load ends in command mode.
    h.fom.ShowMessage("something on screen");
    h.fom.controls.PicKao.visible = true;
    h.fom.controls.PicCom.visible = false;
    h.fom.controls.TimSay.enabled = true;
    Load(h, row.file);
    EXPECT_EQ(h.dialogs.boxes, QStringList{kLoadOk});
    EXPECT_TRUE(h.InCommandMode());
    EXPECT_EQ(Snapshot(h),
              std::tuple(QString(), std::array{row.a0, row.a1, row.a2}, row.dayLimit, int(row.slot),
                         QString::fromUtf8(row.fatigue), QString::fromUtf8(row.days),
                         h.fom.state.timeSlotNames[row.slot], true, true, false, false, false));
  }
}

// Edited fatigue and day lines go on as their captions show them (15 significant
// digits, fatigue no lower than -100): after 49 points and a day down and up again
// a save holds exactly what the captions show.
TEST(LoadedSave, EditedCountsGoOnAsShownAndSaveAsShown) {
  struct Row {
    const char *fatigue, *days, *savedFatigue, *savedDays;
  };
  const Row rows[] = {
      {"12.50", "-0", "12.5", "0"},
      {"0.1234567890123456789", "0.9876543210987654321", "0.123456789012302", "0.987654321098765"},
      {"-150", "-7.25", "-51", "-7.25"},
      {"50.00000000000001", "1000000000000001.5", "50", "1e+15"},
      {"99.99999999999999", "-1e-7", "100", "-1.00000000058387e-07"},
      {"123456789012345678", " +3 ", "1.23456789012346e+17", "3"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fatigue);
    Harness h;
    StartPlaying(h);
    Load(h, QByteArray("0\r\n0\r\n0\r\n32767\r\n1\r\n") + row.fatigue + "\r\n" + row.days);
    for (const std::int16_t step : {-49, 49}) {
      h.fom.AddFatigue(step);
      h.fom.AddDays(step / 49);
    }
    h.fom.menu_save_Click(kSave);
    const QList<QByteArray> lines = h.game.ReadRaw("sys/all.dat").split('\n');
    EXPECT_EQ(lines.mid(5, 2), QList<QByteArray>({row.savedFatigue + QByteArray("\r"),
                                                  row.savedDays + QByteArray("\r")}));
    EXPECT_EQ(h.dialogs.boxes, QStringList({kLoadOk, kSaveOk}));
  }
}

TEST(LoadedSave, ADamagedSaveChangesNothingAndShowsTheLoadBox) {
  const std::pair<const char*, const char*> rows[] = {
      {"missing", nullptr},
      {"empty", ""},
      {"six lines", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n 50 \r\n"},
      {"a letter in a number line", " 1 \r\n 2x \r\n 3 \r\n 10 \r\n 4 \r\n50\r\n6\r\n"},
      {"40000 in a sixteen-bit line", " 1 \r\n 2 \r\n 3 \r\n 40000 \r\n 4 \r\n50\r\n6\r\n"},
      {"slot 0", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 0 \r\n50\r\n6\r\n"},
      {"slot 8", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 8 \r\n50\r\n6\r\n"},
      {"fatigue abc", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\nabc\r\n6\r\n"},
      {"days broken bytes", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n50\r\n\xff\r\n"},
  };
  for (const auto& [why, file] : rows) {
    SCOPED_TRACE(why);
    Harness h;
    StartPlaying(h);
    SetGame(h, {4, 5, 6}, 10, 3, 20, 2);
    h.fom.ShowMessage("still here");
    if (file) h.game.WriteRaw("sys/all.dat", file);
    const auto before = Snapshot(h);
    h.fom.menu_save_Click(kLoad);
    EXPECT_EQ(Snapshot(h), before);
    EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, "LOAD ERROR!")});
  }
}

TEST_F(LoadMenu, ALoadedFatigueOfOneHundredStartsTheCollapseInCommandMode) {
  Load(h, " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n100\r\n3\r\n");
  // The tiredness line is cleared by the return to command mode; the commands wait.
  EXPECT_EQ(Snapshot(h), std::tuple(QString(), std::array<std::int16_t, 3>{}, 10, 2, "100", "3",
                                    h.fom.state.timeSlotNames[2], true, false, true, false, false));
  EXPECT_EQ(h.dialogs.boxes, QStringList{kLoadOk});
  h.fom.TimHirou_Timer();
  EXPECT_EQ(h.fom.controls.LblDay.caption, "4");
}

TEST_F(LoadMenu, ALoadedDayCountAtTheLimitOpensTheEndingAndLeavesItPlaying) {
  Load(h, " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n0\r\n10\r\n");
  EXPECT_EQ(h.dialogs.boxes, QStringList{kLoadOk});
  EXPECT_FALSE(h.fom.controls.PicCom.visible);
  EXPECT_TRUE(h.fom.controls.TimSay.enabled);
  EXPECT_TRUE(h.fom.controls.Lbl.caption.endsWith("おわりの一行目"));
  EXPECT_EQ(h.fom.controls.LblTime.caption, "朝");
  h.fom.TimSay_Timer();
  EXPECT_TRUE(h.fom.controls.Lbl.caption.contains("おわりの二行目"));
}

TEST_F(LoadMenu, ATiredSaveAtTheLimitPlaysTheEndingOnceWithoutRecovering) {
  Load(h, " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n100\r\n10\r\n");
  EXPECT_FALSE(h.fom.controls.TimHirou.enabled);
  h.fom.TimHirou_Timer();
  h.fom.TimSay_Timer();
  EXPECT_EQ(h.fom.controls.LblDay.caption, "10");
  EXPECT_TRUE(h.fom.controls.Lbl.caption.contains("おわりの二行目"));
}

TEST_F(SaveMenu, AFailedLoadOrSaveLeavesTheNextSaveAndLoadWorking) {
  Load(h, " 1 \r\n 2 \r\n");
  {
    ScopedFileSizeLimit full(0);
    h.fom.menu_save_Click(kSave);
  }
  SetGame(h, {7, 8, 9}, 11, 5, 1, 2);
  const auto saved = Snapshot(h);
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat").count("\r\n"), 7);
  SetGame(h, {0, 0, 0}, 10, 1, 0, 0);
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), saved);
  EXPECT_EQ(h.dialogs.boxes,
            QStringList({Failure(h, "LOAD ERROR!"), Failure(h, "SAVE ERROR!"), kSaveOk, kLoadOk}));
}

// The menu advances the slot after SAVE and after LOAD alike, so a save and a later
// load through the menu resume at the same time of day.
TEST_F(SaveMenu, SaveAndLoadThroughTheMenuResumeAtTheSameTimeOfDay) {
  SetGame(h, {3, 0, 0}, 10, 3, 5, 1);
  h.dialogs.menuAnswers = {MenuChoice::Save};
  h.fom.Com_Click(7);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat").split('\n').value(4), QByteArray(" 3 \r"));
  EXPECT_EQ(h.fom.state.timeSlot, 4);
  auto expected = Snapshot(h);
  SetGame(h, {0, 0, 0}, 10, 6, 5, 1);
  h.dialogs.menuAnswers = {MenuChoice::Load};
  h.fom.Com_Click(7);
  std::get<0>(expected).clear();  // the load's return to command mode clears the menu's line
  EXPECT_EQ(Snapshot(h), expected);
  EXPECT_EQ(h.dialogs.boxes, QStringList({kSaveOk, kLoadOk}));
}

TEST_F(SaveMenu, AClickThatArrivesWhileTheBoxIsOpenDoesNothing) {
  h.dialogs.whileOpen = [this] { h.fom.menu_save_Click(kLoad); };
  h.fom.menu_save_Click(kSave);
  // A load run from inside the box would have stacked a second one.
  EXPECT_EQ(h.dialogs.boxes, QStringList{kSaveOk});
}

TEST_F(SaveMenu, OtherMenuIndexesDoNothing) {
  const auto before = Snapshot(h);
  for (std::int16_t index : {-1, 2, 3, 255}) h.fom.menu_save_Click(index);
  EXPECT_EQ(Snapshot(h), before);
  EXPECT_TRUE(h.dialogs.boxes.isEmpty());
  EXPECT_FALSE(h.game.Exists("sys/all.dat"));
}

// The old save must survive a disk that fills up mid-write, which fails for root too.
TEST(UnwritableSave, ASaveThatCannotBeWrittenShowsTheBoxAndKeepsTheOldSaveByteForByte) {
  struct Row {
    const char* why;
    rlim_t sizeLimit;  // 0: no limit
    mode_t folderMode;
  };
  for (const auto& [why, sizeLimit, folderMode] :
       {Row{"a disk that fills up", 10, 0755}, Row{"a read-only folder", 0, 0555}}) {
    if (folderMode == 0555 && ::geteuid() == 0) continue;  // root writes there all the same
    SCOPED_TRACE(why);
    Harness h;
    StartPlaying(h);
    h.game.WriteRaw("sys/all.dat", kOldSave);
    SetGame(h, {9, 9, 9}, 30, 2, 44, 3);
    const auto before = Snapshot(h);
    const QByteArray sys = h.game.path("sys").toUtf8();
    ::chmod(sys.constData(), folderMode);
    {
      std::optional<ScopedFileSizeLimit> full;
      if (sizeLimit) {
        ASSERT_TRUE(full.emplace(sizeLimit).active());
      }
      h.fom.menu_save_Click(kSave);
    }
    ::chmod(sys.constData(), 0755);
    EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, "SAVE ERROR!")});
    EXPECT_EQ(Snapshot(h), before);
    EXPECT_EQ(h.game.ReadRaw("sys/all.dat"), kOldSave);
    EXPECT_EQ(QDir(h.game.path("sys")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"all.dat", "sys.dat"}));
  }
}

TEST(UnwritableSave, AFolderInPlaceOfTheSaveFailsBothWaysAndIsLeftAlone) {
  const std::pair<std::int16_t, const char*> rows[] = {{kSave, "SAVE ERROR!"},
                                                       {kLoad, "LOAD ERROR!"}};
  for (const auto& [item, firstLine] : rows) {
    SCOPED_TRACE(firstLine);
    Harness h;
    StartPlaying(h);
    QDir().mkpath(h.game.path("sys/all.dat"));
    const auto before = Snapshot(h);
    h.fom.menu_save_Click(item);
    EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, firstLine)});
    EXPECT_EQ(Snapshot(h), before);
    EXPECT_TRUE(QDir(h.game.path("sys/all.dat")).isEmpty());
  }
}

}  // namespace
}  // namespace hibi
