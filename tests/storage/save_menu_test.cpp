// SAVE and LOAD as the player reaches them: through the menu handler of a running game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QString>
#include <ostream>
#include <utility>

#include "file_size_limit.h"
#include "qstring_print.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::Harness;

constexpr std::int16_t kSave = 0;
constexpr std::int16_t kLoad = 1;
const QString kSaveOk = QStringLiteral("SAVE　OK");
const QString kLoadOk = QStringLiteral("Load　OK");

QString Failure(const Harness& h, const char* first) {
  return QString(first) + "\r\nセーブデーターが破損しています。\r\n" + h.game.folder() +
         "sys/all.dat　を、すゆまで送って下さい";
}

// Everything a save or a load may touch, as the player would see it.
struct Snapshot {
  std::array<std::int16_t, 3> affection;
  std::int16_t dayLimit;
  std::uint8_t timeSlot;
  QString fatigue, days, time, message;
  bool commandMode, commandsEnabled, tired, pacing, faceShown;

  explicit Snapshot(const Harness& h)
      : affection(h.fom.state.affection),
        dayLimit(h.fom.state.dayLimit),
        timeSlot(h.fom.state.timeSlot),
        fatigue(h.fom.controls.LblHirou.caption),
        days(h.fom.controls.LblDay.caption),
        time(h.fom.controls.LblTime.caption),
        message(h.fom.controls.Lbl.caption),
        commandMode(h.fom.controls.PicCom.visible),
        commandsEnabled(h.fom.controls.PicCom.enabled),
        tired(h.fom.controls.TimHirou.enabled),
        pacing(h.fom.controls.TimSay.enabled),
        faceShown(h.fom.controls.PicKao.visible) {}

  bool operator==(const Snapshot&) const = default;
};

void PrintTo(const Snapshot& s, std::ostream* os) {
  *os << "affection " << s.affection[0] << "," << s.affection[1] << "," << s.affection[2]
      << " limit " << s.dayLimit << " slot " << int(s.timeSlot) << " fatigue "
      << s.fatigue.toStdString() << " days " << s.days.toStdString() << " time "
      << s.time.toStdString() << " message [" << s.message.toStdString() << "] command "
      << s.commandMode << s.commandsEnabled << " tired " << s.tired << " pacing " << s.pacing
      << " face " << s.faceShown;
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
             std::uint8_t slot, const QString& fatigue, const QString& days) {
  h.fom.state.affection = affection;
  h.fom.state.dayLimit = limit;
  h.fom.state.timeSlot = slot;
  h.fom.controls.LblHirou.caption = fatigue;
  h.fom.controls.LblDay.caption = days;
  h.fom.controls.LblTime.caption = h.fom.state.timeSlotNames[slot];
}

TEST(SaveMenu, SaveWritesTheSevenLinesAndSaysSo) {
  Harness h;
  StartPlaying(h);
  SetGame(h, {5, -7, 32767}, 15, 4, "37", "6");
  const Snapshot before(h);
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat"),
            QByteArray(" 5 \r\n-7 \r\n 32767 \r\n 15 \r\n 4 \r\n37\r\n6\r\n"));
  EXPECT_EQ(h.dialogs.boxes, QStringList{kSaveOk});
  EXPECT_EQ(Snapshot(h), before);
}

TEST(SaveMenu, SaveThenLoadRestoresEveryValueAndBothCaptions) {
  Harness h;
  StartPlaying(h);
  SetGame(h, {-12, 140, 0}, 20, 6, "-35", "8");
  const Snapshot saved(h);
  h.fom.menu_save_Click(kSave);
  SetGame(h, {1, 2, 3}, 10, 2, "50", "1");
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), saved);
  EXPECT_EQ(h.fom.controls.LblTime.caption, "夜");
  EXPECT_EQ(h.dialogs.boxes, QStringList({kSaveOk, kLoadOk}));
}

TEST(SaveMenu, SavingTwiceLeavesOnlyTheSecondState) {
  Harness h;
  StartPlaying(h);
  SetGame(h, {1, 1, 1}, 10, 1, "10", "1");
  h.fom.menu_save_Click(kSave);
  SetGame(h, {2, -2, 2}, 12, 5, "20", "2");
  const Snapshot second(h);
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat"),
            QByteArray(" 2 \r\n-2 \r\n 2 \r\n 12 \r\n 5 \r\n20\r\n2\r\n"));
  SetGame(h, {0, 0, 0}, 10, 1, "0", "0");
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), second);
}

struct LoadRow {
  const char* why;
  QByteArray file;
  std::array<std::int16_t, 3> affection;
  std::int16_t dayLimit;
  std::uint8_t slot;
  const char* fatigue;
  const char* days;
};
void PrintTo(const LoadRow& row, std::ostream* os) {
  *os << row.why;
}

class LoadedFile : public ::testing::TestWithParam<LoadRow> {};

TEST_P(LoadedFile, ALoadAppliesTheFileAndReturnsToCommandMode) {
  const LoadRow& row = GetParam();
  Harness h;
  StartPlaying(h);
  h.game.WriteRaw("sys/all.dat", row.file);
  // Whatever a scene left showing, the load ends in command mode.
  h.fom.ShowMessage("something on screen");
  h.fom.controls.PicKao.visible = true;
  h.fom.controls.PicCom.visible = false;
  h.fom.controls.TimSay.enabled = true;
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(h.dialogs.boxes, QStringList{kLoadOk});
  EXPECT_EQ(h.fom.state.affection, row.affection);
  EXPECT_EQ(h.fom.state.dayLimit, row.dayLimit);
  EXPECT_EQ(h.fom.state.timeSlot, row.slot);
  EXPECT_EQ(h.fom.controls.LblHirou.caption, QString::fromUtf8(row.fatigue));
  EXPECT_EQ(h.fom.controls.LblDay.caption, QString::fromUtf8(row.days));
  EXPECT_EQ(h.fom.controls.LblTime.caption, h.fom.state.timeSlotNames[row.slot]);
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_FALSE(h.fom.controls.PicKao.visible);
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadedFile,
    ::testing::Values(
        LoadRow{"print form",
                " 1 \r\n-2 \r\n 3 \r\n 10 \r\n 7 \r\n5\r\n6\r\n",
                {1, -2, 3},
                10,
                7,
                "5",
                "6"},
        LoadRow{"extra spaces and no final line end",
                "   1\r\n-2   \r\n\t3\r\n 10\r\n1 \r\n5\r\n6",
                {1, -2, 3},
                10,
                1,
                "5",
                "6"},
        LoadRow{"fractions go to the even neighbour",
                "12.5\r\n13.5\r\n-2.5\r\n10.5\r\n2.5\r\n0\r\n0\r\n",
                {12, 14, -2},
                10,
                2,
                "0",
                "0"},
        LoadRow{"captions are rewritten as the game writes numbers",
                " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 1 \r\n 12 \r\n+3\r\n",
                {0, 0, 0},
                10,
                1,
                "12",
                "3"},
        LoadRow{"fatigue below the floor",
                "0\r\n0\r\n0\r\n10\r\n1\r\n-150\r\n2\r\n",
                {0, 0, 0},
                10,
                1,
                "-100",
                "2"},
        LoadRow{"the sixteen-bit edges",
                "-32768\r\n32767\r\n0\r\n32767\r\n3\r\n0\r\n0\r\n",
                {-32768, 32767, 0},
                32767,
                3,
                "0",
                "0"},
        LoadRow{"lines after the seventh are not read",
                "1\r\n2\r\n3\r\n10\r\n4\r\n5\r\n6\r\n\x81\r\ngarbage\r\n",
                {1, 2, 3},
                10,
                4,
                "5",
                "6"},
        LoadRow{"lone CR line ends", "1\r2\r3\r10\r4\r5\r6\r", {1, 2, 3}, 10, 4, "5", "6"}));

struct DamagedRow {
  const char* why;
  const char* file;  // nullptr: no file at all
};
void PrintTo(const DamagedRow& row, std::ostream* os) {
  *os << row.why;
}

class DamagedLoad : public ::testing::TestWithParam<DamagedRow> {};

TEST_P(DamagedLoad, ADamagedSaveChangesNothingAndShowsTheLoadBox) {
  Harness h;
  StartPlaying(h);
  SetGame(h, {4, 5, 6}, 10, 3, "20", "2");
  h.fom.ShowMessage("still here");
  if (GetParam().file) h.game.WriteRaw("sys/all.dat", GetParam().file);
  const Snapshot before(h);
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), before);
  EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, "LOAD ERROR!")});
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedLoad,
    ::testing::Values(
        DamagedRow{"missing", nullptr}, DamagedRow{"empty", ""},
        DamagedRow{"six lines", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n 50 \r\n"},
        DamagedRow{"a letter in a number line", " 1 \r\n 2x \r\n 3 \r\n 10 \r\n 4 \r\n50\r\n6\r\n"},
        DamagedRow{"40000 in a sixteen-bit line",
                   " 1 \r\n 2 \r\n 3 \r\n 40000 \r\n 4 \r\n50\r\n6\r\n"},
        DamagedRow{"slot 0", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 0 \r\n50\r\n6\r\n"},
        DamagedRow{"slot 8", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 8 \r\n50\r\n6\r\n"},
        DamagedRow{"fatigue abc", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\nabc\r\n6\r\n"},
        DamagedRow{"days broken bytes", " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n50\r\n\xff\r\n"}));

TEST(LoadMenu, ALoadedFatigueOfOneHundredStartsTheCollapseInCommandMode) {
  Harness h;
  StartPlaying(h);
  h.game.WriteRaw("sys/all.dat", " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n100\r\n3\r\n");
  h.fom.menu_save_Click(kLoad);
  EXPECT_TRUE(h.fom.controls.TimHirou.enabled);
  EXPECT_FALSE(h.fom.controls.PicCom.enabled);
  EXPECT_TRUE(h.fom.controls.PicCom.visible);
  // The tiredness line is cleared by the return to command mode.
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
  EXPECT_EQ(h.dialogs.boxes, QStringList{kLoadOk});
  h.fom.TimHirou_Timer();
  EXPECT_EQ(h.fom.controls.LblDay.caption, "4");
}

TEST(LoadMenu, ALoadedDayCountAtTheLimitOpensTheEndingAndLeavesItPlaying) {
  Harness h;
  StartPlaying(h);
  h.game.WriteRaw("sys/all.dat", " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n0\r\n10\r\n");
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(h.dialogs.boxes, QStringList{kLoadOk});
  EXPECT_FALSE(h.fom.controls.PicCom.visible);
  EXPECT_TRUE(h.fom.controls.TimSay.enabled);
  EXPECT_TRUE(h.fom.controls.Lbl.caption.endsWith("おわりの一行目"));
  EXPECT_EQ(h.fom.controls.LblTime.caption, "朝");
  h.fom.TimSay_Timer();
  EXPECT_TRUE(h.fom.controls.Lbl.caption.contains("おわりの二行目"));
}

TEST(LoadMenu, ATiredSaveAtTheLimitPlaysTheEndingOnceWithoutRecovering) {
  Harness h;
  StartPlaying(h);
  h.game.WriteRaw("sys/all.dat", " 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n100\r\n10\r\n");
  h.fom.menu_save_Click(kLoad);
  EXPECT_FALSE(h.fom.controls.TimHirou.enabled);
  h.fom.TimHirou_Timer();
  h.fom.TimSay_Timer();
  EXPECT_EQ(h.fom.controls.LblDay.caption, "10");
  EXPECT_TRUE(h.fom.controls.Lbl.caption.contains("おわりの二行目"));
}

TEST(LoadMenu, AFailedLoadReleasesTheFileSoTheNextSaveAndLoadWork) {
  Harness h;
  StartPlaying(h);
  h.game.WriteRaw("sys/all.dat", " 1 \r\n 2 \r\n");
  h.fom.menu_save_Click(kLoad);
  SetGame(h, {7, 8, 9}, 11, 5, "1", "2");
  const Snapshot saved(h);
  h.fom.menu_save_Click(kSave);
  SetGame(h, {0, 0, 0}, 10, 1, "0", "0");
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), saved);
  EXPECT_EQ(h.dialogs.boxes, QStringList({Failure(h, "LOAD ERROR!"), kSaveOk, kLoadOk}));
}

// The menu advances the slot after SAVE and after LOAD alike, so a save and a later
// load through the menu resume at the same time of day.
TEST(SaveMenu, SaveAndLoadThroughTheMenuResumeAtTheSameTimeOfDay) {
  Harness h;
  StartPlaying(h);
  SetGame(h, {3, 0, 0}, 10, 3, "5", "1");
  h.dialogs.menuAnswers = {MenuChoice::Save};
  h.fom.Com_Click(7);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat").split('\n').value(4), QByteArray(" 3 \r"));
  const Snapshot afterSave(h);
  EXPECT_EQ(afterSave.timeSlot, 4);
  SetGame(h, {0, 0, 0}, 10, 6, "5", "1");
  h.dialogs.menuAnswers = {MenuChoice::Load};
  h.fom.Com_Click(7);
  Snapshot expected = afterSave;
  expected.message.clear();  // the load's return to command mode clears the menu's line
  EXPECT_EQ(Snapshot(h), expected);
  EXPECT_EQ(h.dialogs.boxes, QStringList({kSaveOk, kLoadOk}));
}

TEST(SaveMenu, AClickThatArrivesWhileTheBoxIsOpenDoesNothing) {
  Harness h;
  StartPlaying(h);
  h.dialogs.whileOpen = [&h] { h.fom.menu_save_Click(kLoad); };
  h.fom.menu_save_Click(kSave);
  // A load run from inside the box would have stacked a second one.
  EXPECT_EQ(h.dialogs.boxes, QStringList{kSaveOk});
}

TEST(SaveMenu, OtherMenuIndexesDoNothing) {
  Harness h;
  StartPlaying(h);
  const Snapshot before(h);
  for (std::int16_t index : {-1, 2, 3, 255}) h.fom.menu_save_Click(index);
  EXPECT_EQ(Snapshot(h), before);
  EXPECT_TRUE(h.dialogs.boxes.isEmpty());
  EXPECT_FALSE(h.game.Exists("sys/all.dat"));
}

// The old save must survive a disk that fills up mid-write; this fails for root too.
TEST(SaveMenu, ASaveOnAFullDiskShowsTheBoxAndKeepsTheOldSaveByteForByte) {
  Harness h;
  StartPlaying(h);
  const QByteArray old = " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n5\r\n6\r\n";
  h.game.WriteRaw("sys/all.dat", old);
  SetGame(h, {9, 9, 9}, 30, 2, "44", "3");
  const Snapshot before(h);
  {
    hibi::testing::ScopedFileSizeLimit full(10);
    ASSERT_TRUE(full.active());
    h.fom.menu_save_Click(kSave);
  }
  EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, "SAVE ERROR!")});
  EXPECT_EQ(Snapshot(h), before);
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat"), old);
  EXPECT_EQ(QDir(h.game.path("sys")).entryList(QDir::Files | QDir::Hidden),
            QStringList({"all.dat", "sys.dat"}));
}

TEST(SaveMenu, AFolderInPlaceOfTheSaveFailsBothWaysAndIsLeftAlone) {
  const std::pair<std::int16_t, const char*> rows[] = {{kSave, "SAVE ERROR!"},
                                                       {kLoad, "LOAD ERROR!"}};
  for (const auto& [item, firstLine] : rows) {
    SCOPED_TRACE(firstLine);
    Harness h;
    StartPlaying(h);
    QDir().mkpath(h.game.path("sys/all.dat"));
    const Snapshot before(h);
    h.fom.menu_save_Click(item);
    EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, firstLine)});
    EXPECT_EQ(Snapshot(h), before);
    EXPECT_TRUE(QDir(h.game.path("sys/all.dat")).isEmpty());
  }
}

TEST(SaveMenu, AFailedSaveLeavesTheNextSaveWorking) {
  Harness h;
  StartPlaying(h);
  {
    hibi::testing::ScopedFileSizeLimit full(0);
    h.fom.menu_save_Click(kSave);
  }
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(h.dialogs.boxes, QStringList({Failure(h, "SAVE ERROR!"), kSaveOk}));
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat").count("\r\n"), 7);
}

TEST(SaveMenu, ASaveIntoAReadOnlyFolderShowsTheBoxAndKeepsTheOldSave) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  Harness h;
  StartPlaying(h);
  const QByteArray old = " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n5\r\n6\r\n";
  h.game.WriteRaw("sys/all.dat", old);
  const QByteArray sys = h.game.path("sys").toUtf8();
  ::chmod(sys.constData(), 0555);
  h.fom.menu_save_Click(kSave);
  ::chmod(sys.constData(), 0755);
  EXPECT_EQ(h.dialogs.boxes, QStringList{Failure(h, "SAVE ERROR!")});
  EXPECT_EQ(h.game.ReadRaw("sys/all.dat"), old);
}

}  // namespace
}  // namespace hibi
