// Fatigue, collapse and recovery, the day count and its limit. (The slots advance in
// every row of commands_test; their names are read at start-up in lifecycle_test.)
#include <gtest/gtest.h>

#include "mini_game.h"

namespace hibi::testing {
namespace {

const QString kTired = QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう");
const QString kRecovered = QStringLiteral("\r\nつかれがとれたよ");

TEST(FatigueRule, MovesTheCaptionAndCollapsesOnlyFromRest) {
  struct Row {
    const char* name; QString before, after; std::int16_t amount; bool alreadyTired, collapses;
  };
  const Row rows[] = {
      {"99 plus 0 does not", "99", "99", 0, false, false},
      {"no upper clamp", "60", "150", 90, false, true},
      {"the floor rewrites below -100", "-90", "-100", -50, false, false},
      {"the floor keeps exactly -100", "-100", "-100", 0, false, false},
      {"tired rises past 100 silently", "100", "120", 20, true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    StartInCommandMode(h);
    Controls& c = h.fom.controls;
    SetFatigue(h.fom, row.before.toInt());
    c.TimHirou.enabled = row.alreadyTired;
    c.PicCom.enabled = !row.alreadyTired;
    h.fom.ShowMessage("before");

    EXPECT_EQ(h.fom.AddFatigue(row.amount), row.collapses);

    EXPECT_EQ(c.LblHirou.caption, row.after);
    EXPECT_EQ(c.Lbl.caption, row.collapses ? kTired : "before");
    EXPECT_EQ(c.TimHirou.enabled, row.collapses || row.alreadyTired);
    EXPECT_EQ(c.PicCom.enabled, !(row.collapses || row.alreadyTired));
  }
}

TEST(Recovery, CostsADayPerTickUntilRestedOrTheLimit) {
  // `draws`: one a tick; every tick but the last leaves them tired.
  struct Row {
    const char* name; QString fatigue, days; std::vector<float> draws;
    QString fatigueAfter, daysAfter; bool ending;
  };
  const Row rows[] = {
      // 100 -0 -29 -29 -29 -29: a draw of 0 still costs its day.
      {"five days from 100", "100", "0", {0.0f, 0.99f, 0.99f, 0.99f, 0.99f}, "-16", "5", false},
      // 100 -27 -27 -27 -19
      {"ends exactly at 0", "100", "2", {0.91f, 0.91f, 0.91f, 0.64f}, "0", "6", false},
      {"the limit reached while tired ends", "150", "8", {0.1f, 0.1f}, "144", "10", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    StartInCommandMode(h, "10");
    Controls& c = h.fom.controls;
    SetDays(h.fom, row.days.toInt());
    SetFatigue(h.fom, row.fatigue.toInt());
    ASSERT_TRUE(h.fom.AddFatigue(0));
    h.random.script.assign(row.draws.begin(), row.draws.end());

    for (std::size_t tick = 1; tick < row.draws.size(); ++tick) {
      h.fom.TimHirou_Timer();
      ASSERT_TRUE(c.TimHirou.enabled && !c.PicCom.enabled) << "tick " << tick;
    }
    h.fom.TimHirou_Timer();

    EXPECT_FALSE(c.TimHirou.enabled);
    EXPECT_EQ(c.LblHirou.caption, row.fatigueAfter);
    EXPECT_EQ(c.LblDay.caption, row.daysAfter);
    EXPECT_EQ(SceneOnScreen(h), row.ending ? "end" : "");
    EXPECT_EQ(c.PicCom.enabled, !row.ending);
    EXPECT_EQ(c.Lbl.caption == kRecovered, !row.ending);
  }
}

}  // namespace
}  // namespace hibi::testing
