// Fatigue, collapse and recovery, the day count and its limit, the time slots.
#include <gtest/gtest.h>

#include "mini_game.h"

namespace hibi::testing {
namespace {

const QString kTired = QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう");
const QString kRecovered = QStringLiteral("\r\nつかれがとれたよ");

struct FatigueRow {
  const char* name;
  QString before;
  std::int16_t amount;
  bool alreadyTired;
  QString after;
  bool collapses;
};
void PrintTo(const FatigueRow& row, std::ostream* os) {
  *os << row.name;
}

class FatigueRule : public ::testing::TestWithParam<FatigueRow> {};

TEST_P(FatigueRule, MovesTheCaptionAndCollapsesOnlyFromRest) {
  const FatigueRow& row = GetParam();
  Harness h;
  StartInCommandMode(h);
  Controls& c = h.fom.controls;
  c.LblHirou.caption = row.before;
  c.TimHirou.enabled = row.alreadyTired;
  c.PicCom.enabled = !row.alreadyTired;
  h.fom.ShowMessage("before");

  EXPECT_EQ(h.fom.AddFatigue(row.amount), row.collapses);

  EXPECT_EQ(c.LblHirou.caption, row.after);
  EXPECT_EQ(c.Lbl.caption, row.collapses ? kTired : "before");
  EXPECT_EQ(c.TimHirou.enabled, row.collapses || row.alreadyTired);
  EXPECT_EQ(c.PicCom.enabled, !(row.collapses || row.alreadyTired));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FatigueRule,
    ::testing::Values(
        FatigueRow{"NinetyNinePlusOneCollapses", "99", 1, false, "100", true},
        FatigueRow{"NinetyNinePlusZeroDoesNot", "99", 0, false, "99", false},
        FatigueRow{"NoUpperClamp", "0", 150, false, "150", true},
        FatigueRow{"FloorRewritesBelowMinusHundred", "-90", -50, false, "-100", false},
        FatigueRow{"FloorKeepsExactlyMinusHundred", "-100", 0, false, "-100", false},
        FatigueRow{"TiredRisesPastHundredSilently", "100", 20, true, "120", false},
        FatigueRow{"RecoveryDrawOfZeroChangesNothing", "100", 0, true, "100", false},
        FatigueRow{"NegativeFatigueStaysNegative", "-30", 10, false, "-20", false},
        FatigueRow{"ACaptionThatIsNoNumberIsLeftAlone", "abc", 120, false, "abc", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct DaysRow {
  const char* name;
  QString before;
  std::int16_t limit;
  std::int16_t count;
  QString after;
  bool ends;
};
void PrintTo(const DaysRow& row, std::ostream* os) {
  *os << row.name;
}

class DayRule : public ::testing::TestWithParam<DaysRow> {};

TEST_P(DayRule, CountsDaysAndOpensTheEndingAtTheLimit) {
  const DaysRow& row = GetParam();
  Harness h;
  StartInCommandMode(h);
  h.fom.state.dayLimit = row.limit;
  h.fom.controls.LblDay.caption = row.before;

  EXPECT_EQ(h.fom.AddDays(row.count), row.ends);

  EXPECT_EQ(h.fom.controls.LblDay.caption, row.after);
  EXPECT_EQ(SceneOnScreen(h), row.ends ? "end" : "");
  EXPECT_EQ(h.fom.controls.PicCom.visible, !row.ends);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DayRule,
    ::testing::Values(DaysRow{"NineOfTenPlusOneEnds", "9", 10, 1, "10", true},
                      DaysRow{"EightOfTenPlusOneGoesOn", "8", 10, 1, "9", false},
                      DaysRow{"ZeroAfterLoadPastTheLimitEnds", "12", 10, 0, "12", true},
                      DaysRow{"ZeroBelowTheLimitGoesOn", "3", 10, 0, "3", false},
                      DaysRow{"ALimitOfZeroEndsAtOnce", "0", 0, 0, "0", true},
                      DaysRow{"ACaptionThatIsNoNumberIsLeftAlone", "x", 10, 1, "x", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimeSlots, AdvanceThroughTheDayAndWrapAfterMidnight) {
  struct Row {
    std::uint8_t before, after;
    QString caption;
  };
  const Row rows[] = {{1, 2, "朝"}, {2, 3, "午前"}, {3, 4, "午後"}, {4, 5, "夕方"},
                      {5, 6, "夜"}, {6, 7, "深夜"}, {7, 1, "早朝"}, {0, 1, "早朝"}};
  Harness h;
  StartInCommandMode(h);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.before);
    h.fom.state.timeSlot = row.before;
    h.fom.NextTimeSlot();
    EXPECT_EQ(h.fom.state.timeSlot, row.after);
    EXPECT_EQ(h.fom.controls.LblTime.caption, row.caption);
  }
}

struct RecoveryRow {
  const char* name;
  QString fatigue;
  QString days;
  std::vector<float> draws;
  int ticksWhileTired;  // ticks that leave the character still tired
  QString fatigueAfter;
  QString daysAfter;
  bool ending;
};
void PrintTo(const RecoveryRow& row, std::ostream* os) {
  *os << row.name;
}

class Recovery : public ::testing::TestWithParam<RecoveryRow> {};

TEST_P(Recovery, CostsADayPerTickUntilRestedOrTheLimit) {
  const RecoveryRow& row = GetParam();
  Harness h;
  StartInCommandMode(h, "10");
  Controls& c = h.fom.controls;
  c.LblDay.caption = row.days;
  c.LblHirou.caption = row.fatigue;
  ASSERT_TRUE(h.fom.AddFatigue(0));
  h.random.script.assign(row.draws.begin(), row.draws.end());

  for (int tick = 0; tick < row.ticksWhileTired; ++tick) {
    h.fom.TimHirou_Timer();
    ASSERT_TRUE(c.TimHirou.enabled) << "tick " << tick;
    ASSERT_FALSE(c.PicCom.enabled);
  }
  h.fom.TimHirou_Timer();

  EXPECT_FALSE(c.TimHirou.enabled);
  EXPECT_EQ(c.LblHirou.caption, row.fatigueAfter);
  EXPECT_EQ(c.LblDay.caption, row.daysAfter);
  if (row.ending) {
    EXPECT_EQ(SceneOnScreen(h), "end");
    EXPECT_FALSE(c.PicCom.enabled);
  } else {
    EXPECT_EQ(c.Lbl.caption, kRecovered);
    EXPECT_TRUE(c.PicCom.enabled);
  }
  // A stray tick after the timer stopped changes nothing.
  const int draws = h.random.draws;
  h.fom.TimHirou_Timer();
  EXPECT_EQ(h.random.draws, draws);
  EXPECT_EQ(c.LblDay.caption, row.daysAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Recovery,
    ::testing::Values(
        // 100 -0 -29 -29 -29 -29: a draw of 0 still costs its day.
        RecoveryRow{"FromHundredTakesFiveDays",
                    "100",
                    "0",
                    {0.0f, 0.99f, 0.99f, 0.99f, 0.99f},
                    4,
                    "-16",
                    "5",
                    false},
        // 100 -27 -27 -27 -19
        RecoveryRow{
            "EndsExactlyAtZero", "100", "2", {0.91f, 0.91f, 0.91f, 0.64f}, 3, "0", "6", false},
        RecoveryRow{"LimitReachedWhileTiredOpensTheEnding",
                    "150",
                    "8",
                    {0.1f, 0.1f},
                    1,
                    "144",
                    "10",
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Recovery, AnUnreadableFatigueGivesThePanelBackInsteadOfLockingIt) {
  Harness h;
  StartInCommandMode(h, "10");
  h.fom.controls.LblHirou.caption = "100";
  ASSERT_TRUE(h.fom.AddFatigue(0));
  h.fom.controls.LblHirou.caption = "??";

  h.fom.TimHirou_Timer();

  EXPECT_EQ(h.fom.controls.LblDay.caption, "1");
  EXPECT_EQ(h.fom.controls.LblHirou.caption, "??");
  EXPECT_FALSE(h.fom.controls.TimHirou.enabled);
  EXPECT_TRUE(h.fom.controls.PicCom.enabled);
}

}  // namespace
}  // namespace hibi::testing
