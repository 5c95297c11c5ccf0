// "LOVE?" and the replay of remembered pictures from the memory list.
#include <gtest/gtest.h>

#include <array>

#include "mini_game.h"

namespace hibi::testing {
namespace {

TEST(Readout, ShowsTheThreePointsExactlyAndCostsFatigue) {
  struct Row {
    std::array<std::int16_t, 3> points;
    QString fatigue;
    float draw;
    QString fatigueAfter;
    bool collapses;
  };
  const Row rows[] = {
      {{0, 35, -12}, "0", 0.0f, "0", false},
      {{32767, -32768, 7}, "0", 0.99f, "49", false},
      {{0, 0, 0}, "60", 0.8f, "100", true},
  };
  for (const Row& row : rows) {
    const QString text = row.collapses
                             ? QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう")
                             : QStringLiteral("\r\nよわ    %1\r\nとおみや    %2\r\nこうき    %3")
                                   .arg(row.points[0])
                                   .arg(row.points[1])
                                   .arg(row.points[2]);
    SCOPED_TRACE(text.toStdString());
    Harness h;
    StartInCommandMode(h);
    h.fom.state.affection = row.points;
    SetFatigue(h.fom, row.fatigue.toInt());
    h.random.script = {row.draw};

    h.fom.menu_love_Click();

    EXPECT_EQ(h.fom.controls.Lbl.caption, text);
    EXPECT_EQ(h.fom.controls.LblHirou.caption, row.fatigueAfter);
    EXPECT_EQ(h.fom.controls.PicCom.enabled, !row.collapses);
    EXPECT_EQ(h.fom.state.affection, row.points);
    EXPECT_EQ(h.random.draws, 1);
  }
}

TEST(MemoryReplay, RedrawsAChosenPictureAndAlwaysHidesTheList) {
  struct Row {
    const char* name;
    int index;
    QStringList drawing;  // what happens on the picture layer
  };
  Harness h;
  WriteMiniGame(h.game);
  h.game.WriteRaw("sys/lstphoto.dat", "park\r\n\r\nmissing\r\n");
  h.game.TouchPicture("img/park.png");
  h.Start();
  ASSERT_EQ(h.fom.controls.LstIvent.items, QStringList({"▼記憶", "park", "", "missing"}));
  const QString park = h.game.path("img/park.png");
  const QString missing = h.game.path("img/missing.png");
  const Row rows[] = {
      {"a remembered picture", 1, {"clear Pic", "load E " + park, "draw E Pic"}},
      {"the heading", 0, {}},
      {"an empty item", 2, {}},
      {"a picture whose file is gone", 3, {"clear Pic", "load E " + missing + " (failed)"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    h.pictures.log.clear();
    h.fom.controls.LstIvent.visible = true;
    h.fom.controls.LstIvent.listIndex = row.index;

    h.fom.LstIvent_Click();

    EXPECT_EQ(h.pictures.log, row.drawing);
    EXPECT_TRUE(h.dialogs.boxes.isEmpty());
    EXPECT_FALSE(h.fom.controls.LstIvent.visible);
    EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList({"▼記憶", "park", "", "missing"}));
  }
}

}  // namespace
}  // namespace hibi::testing
