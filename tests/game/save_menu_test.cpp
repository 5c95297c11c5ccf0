// SAVE and LOAD as the player reaches them: through the menu handler of a running game.
// The file's lines are the save format's own table; here one good and one damaged file
// show what the handler does with each, and what it must do around them.
#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <optional>
#include <tuple>

#include "game/play.h"
#include "support/file_size_limit.h"

namespace hibi::testing {
namespace {

constexpr std::int16_t kSave = 0;
constexpr std::int16_t kLoad = 1;
const QString kSaveOk = QStringLiteral("SAVE　OK");
const QString kLoadOk = QStringLiteral("Load　OK");

QString Failure(const Harness& h, const char* first) {
  return QString(first) + "\r\nセーブデーターが破損しています。\r\n" + h.game.folder() +
         "sys/all.dat　を、すゆまで送って下さい";
}

// Everything a save or a load may touch, as the player would see it; the message first.
auto Snapshot(const Harness& h) {
  const Controls& c = h.fom.controls;
  const GameState& s = h.fom.state;
  return std::tuple(c.Lbl.caption, s.affection, s.dayLimit, int(s.timeSlot), c.LblHirou.caption,
                    c.LblDay.caption, c.LblTime.caption, c.PicCom.visible, c.PicCom.enabled,
                    c.TimHirou.enabled, c.TimSay.enabled, c.PicKao.visible);
}

void SetGame(Harness& h, std::array<std::int16_t, 3> affection, std::int16_t limit,
             std::uint8_t slot, int fatigue, int days) {
  std::tie(h.fom.state.affection, h.fom.state.dayLimit, h.fom.state.timeSlot) =
      std::tuple(affection, limit, slot);
  SetFatigue(h.fom, fatigue);
  SetDays(h.fom, days);
  h.fom.controls.LblTime.caption = h.fom.state.timeSlotNames[slot];
}

// A running game in command mode, as after the opening scene.
class SaveMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    h.game.WriteScript("end", {"おわりの一行目", "おわりの二行目", "おわりの三行目"});
    Open(h, {"はじまり"});
    h.ClickThroughScene();
    ASSERT_TRUE(h.InCommandMode());
  }
  void Load(const QByteArray& file) {
    h.game.WriteRaw("sys/all.dat", file);
    h.fom.menu_save_Click(kLoad);
  }
  Harness h;
};

TEST_F(SaveMenu, ASaveWritesTheSevenLinesAndALoadRestoresThem) {
  SetGame(h, {-12, 140, 32767}, 20, 6, -35, 8);
  const auto saved = Snapshot(h);
  h.fom.menu_save_Click(kSave);
  EXPECT_EQ(std::tuple(h.game.ReadRaw("sys/all.dat"), Snapshot(h), h.dialogs.boxes),
            std::tuple(QByteArray("-12 \r\n 140 \r\n 32767 \r\n 20 \r\n 6 \r\n-35\r\n8\r\n"), saved,
                       QStringList({kSaveOk})));
}

// Edited fatigue and day lines go on as their captions show them (15 significant
// digits): after 49 points and a day down and up again a save holds exactly what the
// captions show.
TEST_F(SaveMenu, EditedCountsGoOnAsShownAndSaveAsShown) {
  struct Row {
    const char *fatigue, *days, *savedFatigue, *savedDays;
  };
  const Row rows[] = {
      {"12.50", "-0", "12.5", "0"},
      {"0.1234567890123456789", "0.9876543210987654321", "0.123456789012302", "0.987654321098765"},
  };
  for (const Row& row : rows) {
    h.dialogs.boxes.clear();
    Load(QByteArray("0\r\n0\r\n0\r\n32767\r\n1\r\n") + row.fatigue + "\r\n" + row.days);
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

// Whatever a scene left showing, a load ends in command mode, with the captions
// written as the game writes numbers; a loaded fatigue of 100 starts the collapse at
// once. A damaged save, or one longer than a save can be, changes nothing (nullopt: all as
// before the load).
TEST_F(SaveMenu, ALoadOverASceneReturnsToCommandModeWithTheFilesNumbers) {
  using Shown = decltype(Snapshot(h));
  const std::pair<QByteArray, std::optional<Shown>> rows[] = {
      {"1\r\n-2\r\n3\r\n10\r\n7\r\n-100.0\r\n+3\r\n",
       Shown{"", {1, -2, 3}, 10, 7, "-100", "3", "深夜", true, true, false, false, false}},
      {" 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n100\r\n3\r\n",
       Shown{"", {}, 10, 2, "100", "3", "朝", true, false, true, false, false}},
      {" 1 \r\n 2 \r\n 3 \r\n 10 \r\n 8 \r\n50\r\n6\r\n", std::nullopt},
      {QByteArray(4096, ' ') + "1\r\n2\r\n3\r\n10\r\n2\r\n0\r\n3\r\n", std::nullopt},  // too long
  };
  for (const auto& [file, shown] : rows) {
    SetGame(h, {4, 5, 6}, 10, 3, 20, 2);
    h.fom.ShowMessage("something on screen");
    h.fom.controls.PicKao.visible = true;
    h.fom.controls.TimSay.enabled = true;
    h.fom.controls.PicCom.visible = false;
    const auto before = Snapshot(h);
    Load(file);
    EXPECT_EQ(Snapshot(h), shown.value_or(before));
  }
  const QString damaged = Failure(h, "LOAD ERROR!");
  EXPECT_EQ(h.dialogs.boxes, QStringList({kLoadOk, kLoadOk, damaged, damaged}));
}

// A tired save at the limit: the collapse comes first and the ending's page then covers
// its message; the ending plays on its own without a recovery tick getting in.
TEST_F(SaveMenu, ATiredSaveAtTheLimitPlaysTheEndingOnce) {
  Load(" 0 \r\n 0 \r\n 0 \r\n 10 \r\n 2 \r\n100\r\n10\r\n");
  const Controls& c = h.fom.controls;
  EXPECT_EQ(std::tuple(c.PicCom.visible, c.TimHirou.enabled, c.Lbl.caption),
            std::tuple(false, false, "\r\nおわりの一行目"));
  h.fom.TimHirou_Timer();
  h.fom.TimSay_Timer();
  EXPECT_EQ(std::pair(c.LblDay.caption, c.Lbl.caption),
            std::pair(QString("10"), QString("\r\nおわりの一行目\r\nおわりの二行目")));
}

// The old save survives a disk that fills up mid-write (which fails for root too), the box
// says so instead of calling the save damaged, and a failed load or save leaves the next
// ones working; a click under the box does nothing.
TEST_F(SaveMenu, AFailedSaveKeepsTheOldFileAndTheNextSaveAndLoadWork) {
  const QByteArray old = " 1 \r\n 2 \r\n 3 \r\n 10 \r\n 4 \r\n5\r\n6\r\n";
  h.game.WriteRaw("sys/all.dat", old);
  SetGame(h, {9, 9, 9}, 30, 2, 44, 3);
  const auto before = Snapshot(h);
  if (ScopedFileSizeLimit full(10); full.active())
    h.fom.menu_save_Click(kSave);
  else
    FAIL() << "no file size limit";
  EXPECT_EQ(std::tuple(Snapshot(h), h.game.ReadRaw("sys/all.dat"),
                       QDir(h.game.path("sys")).entryList(QDir::Files | QDir::Hidden)),
            std::tuple(before, old, QStringList({"all.dat", "sys.dat"})));
  Load(" 1 \r\n 2 \r\n");
  h.fom.menu_save_Click(kSave);
  SetGame(h, {0, 0, 0}, 10, 1, 0, 0);
  h.dialogs.whileOpen = [this] { h.fom.menu_save_Click(kSave); };
  h.fom.menu_save_Click(kLoad);
  EXPECT_EQ(Snapshot(h), before);
  EXPECT_EQ(
      h.dialogs.boxes,
      QStringList({"SAVE ERROR!\r\n容量が足りないため、セーブデーターを書き込めませんでした。\r\n" +
                       h.game.path("sys/all.dat"),
                   Failure(h, "LOAD ERROR!"), kSaveOk, kLoadOk}));
}

}  // namespace
}  // namespace hibi::testing
