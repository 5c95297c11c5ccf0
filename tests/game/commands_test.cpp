// The eight command buttons: what each costs, which scene it opens, how visits move
// affection, and when a click does nothing at all.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "mini_game.h"

namespace hibi::testing {
namespace {

using Points = std::array<std::int16_t, 3>;

// What the player sees of the day before and after a click.
struct Situation {
  std::uint8_t slot;
  QString days;
  QString fatigue;
  Points affection;
};

struct CommandRow {
  const char* name;
  std::int16_t button;
  Situation before;
  std::vector<float> draws;
  QString scene;  // the scene on screen after the click; empty when none opened
  Situation after;
  int drawsUsed;
};
void PrintTo(const CommandRow& row, std::ostream* os) {
  *os << row.name;
}

class Command : public ::testing::TestWithParam<CommandRow> {};

TEST_P(Command, CostsItsTimeAndFatigueAndOpensItsScene) {
  const CommandRow& row = GetParam();
  Harness h;
  StartInCommandMode(h, "10");
  h.fom.state.timeSlot = row.before.slot;
  h.fom.controls.LblTime.caption = h.fom.state.timeSlotNames[row.before.slot];
  h.fom.controls.LblDay.caption = row.before.days;
  h.fom.controls.LblHirou.caption = row.before.fatigue;
  h.fom.state.affection = row.before.affection;
  h.random.script.assign(row.draws.begin(), row.draws.end());
  const int drawsBefore = h.random.draws;

  h.fom.Com_Click(row.button);

  EXPECT_EQ(SceneOnScreen(h), row.scene);
  EXPECT_EQ(h.fom.controls.PicCom.visible, row.scene.isEmpty());
  EXPECT_EQ(h.fom.state.timeSlot, row.after.slot);
  EXPECT_EQ(h.fom.controls.LblTime.caption, h.fom.state.timeSlotNames[row.after.slot]);
  EXPECT_EQ(h.fom.controls.LblDay.caption, row.after.days);
  EXPECT_EQ(h.fom.controls.LblHirou.caption, row.after.fatigue);
  EXPECT_EQ(h.fom.state.affection, row.after.affection);
  EXPECT_EQ(h.random.draws - drawsBefore, row.drawsUsed);
}

// The one draw of a place is its fatigue: 0.5 -> 15.
INSTANTIATE_TEST_SUITE_P(
    Places, Command,
    ::testing::Values(
        CommandRow{"ParkAtDawnOpens00", 0, {1, "0", "0", {}}, {0.5f}, "00", {2, "0", "15", {}}, 1},
        CommandRow{"ForestInTheAfternoonOpens13",
                   1,
                   {4, "2", "10", {}},
                   {0.0f},
                   "13",
                   {5, "2", "10", {}},
                   1},
        CommandRow{"ShopLateAtNightAddsADayAndOpens26",
                   2,
                   {7, "3", "0", {}},
                   {0.99f},
                   "26",
                   {1, "4", "29", {}},
                   1},
        CommandRow{
            "RestLowersFatigueByFifty", 6, {3, "1", "80", {}}, {}, "", {4, "1", "30", {}}, 0},
        CommandRow{
            "RestLateAtNightAddsADayFirst", 6, {7, "1", "80", {}}, {}, "", {1, "2", "30", {}}, 0},
        CommandRow{
            "RestNeverGoesBelowTheFloor", 6, {2, "0", "-80", {}}, {}, "", {3, "0", "-100", {}}, 0},
        CommandRow{"ADrawToHundredCollapsesAndStopsTheCommand",
                   0,
                   {3, "0", "99", {}},
                   {0.04f},
                   "",
                   {3, "0", "100", {}},
                   1},
        CommandRow{"ACollapseOnAVisitLeavesAffectionAlone",
                   4,
                   {5, "0", "90", {1, 2, 3}},
                   {0.34f, 0.9f},
                   "",
                   {5, "0", "100", {1, 2, 3}},
                   1}),
    [](const auto& info) { return std::string(info.param.name); });

// On the last night before the day limit the day comes first: every button opens the
// ending and nothing of its own happens, not even the menu.
TEST(LastNight, EveryButtonOnlyOpensTheEnding) {
  for (std::int16_t button = 0; button <= 7; ++button) {
    SCOPED_TRACE(button);
    Harness h;
    StartInCommandMode(h, "10");
    h.fom.state.timeSlot = 7;
    h.fom.controls.LblTime.caption = h.fom.state.timeSlotNames[7];
    h.fom.controls.LblDay.caption = "9";
    h.fom.controls.LblHirou.caption = "50";
    h.fom.state.affection = {70, 5, -3};
    const int drawsBefore = h.random.draws;

    h.fom.Com_Click(button);

    EXPECT_EQ(SceneOnScreen(h), "end");
    EXPECT_EQ(h.fom.state.timeSlot, 7);
    EXPECT_EQ(h.fom.controls.LblTime.caption, "深夜");
    EXPECT_EQ(h.fom.controls.LblDay.caption, "10");
    EXPECT_EQ(h.fom.controls.LblHirou.caption, "50");
    EXPECT_EQ(h.fom.state.affection, (Points{70, 5, -3}));
    EXPECT_EQ(h.random.draws, drawsBefore);
    EXPECT_EQ(h.dialogs.menusShown, 0);
  }
}

// The visit scenes raise affection with their own ">love" line on a later click, so
// these rows read affection right after the click, before the scene goes on. Every
// visit is made rested, in the morning ("朝"), with a fatigue draw of 0; `draws` are
// the gain (15 + 0..14) and then the decay of characters 0, 1, 2 (0..9 each).
CommandRow Visit(const char* name, std::int16_t button, Points before,
                 const std::vector<float>& draws, const QString& scene, Points after) {
  std::vector<float> all = {0.0f};
  all.insert(all.end(), draws.begin(), draws.end());
  return {name, button, {2, "0", "0", before}, all, scene, {3, "0", "0", after}, 5};
}

INSTANTIATE_TEST_SUITE_P(Visits, Command,
                         ::testing::Values(Visit("FirstVisitToYowa", 3, {0, 0, 0},
                                                 {0.0f, 0.95f, 0.5f, 0.0f}, "001", {6, -5, 0}),
                                           Visit("SixtyNinePointsIsStillLevelOne", 3, {69, 0, 0},
                                                 {0.99f, 0.0f, 0.0f, 0.0f}, "001", {98, 0, 0}),
                                           Visit("SeventyPointsIsLevelTwo", 4, {0, 70, 0},
                                                 {0.0f, 0.0f, 0.0f, 0.0f}, "012", {0, 85, 0}),
                                           Visit("HundredThirtyNineIsStillLevelTwo", 5, {0, 0, 139},
                                                 {0.0f, 0.0f, 0.0f, 0.0f}, "022", {0, 0, 154}),
                                           Visit("MinusFiveIsLevelOne", 5, {0, 0, -5},
                                                 {0.0f, 0.0f, 0.0f, 0.0f}, "021", {0, 0, 10}),
                                           Visit("TwoHundredEightyIsLevelFive", 4, {0, 280, 0},
                                                 {0.0f, 0.0f, 0.0f, 0.0f}, "015", {0, 295, 0}),
                                           Visit("FourHundredStaysLevelFive", 3, {400, 0, 0},
                                                 {0.0f, 0.0f, 0.0f, 0.0f}, "005", {415, 0, 0}),
                                           Visit("TheVeryBottomStaysLevelOne", 3, {-32768, 0, 0},
                                                 {0.0f, 0.0f, 0.0f, 0.0f}, "001", {-32753, 0, 0}),
                                           Visit("AGainStopsAtTheTopOfTheRange", 4, {0, 32760, 0},
                                                 {0.99f, 0.0f, 0.0f, 0.0f}, "015", {0, 32767, 0}),
                                           Visit("ADecayStopsAtTheBottomOfTheRange", 3,
                                                 {0, -32765, -32768}, {0.0f, 0.0f, 0.99f, 0.99f},
                                                 "001", {15, -32768, -32768})),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Menu, ShowsItsPromptRunsTheChoiceAndThenAdvancesTheSlot) {
  struct Row {
    const char* name;
    MenuChoice choice;
    std::uint8_t slot;
    QString message;
    std::uint8_t slotAfter;
    QString daysAfter;
  };
  const QString prompt = QStringLiteral("\r\nなにをしようかな・・");
  const Row rows[] = {
      {"dismissed", MenuChoice::None, 3, prompt, 4, "0"},
      {"dismissed late at night", MenuChoice::None, 7, prompt, 1, "1"},
      {"love", MenuChoice::Love, 5,
       QStringLiteral("\r\nよわ    3\r\nとおみや    0\r\nこうき    -7"), 6, "0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    StartInCommandMode(h);
    h.fom.state.affection = {3, 0, -7};
    h.fom.state.timeSlot = row.slot;
    h.dialogs.menuAnswers.push_back(row.choice);
    QString messageWhileOpen;
    h.dialogs.whileOpen = [&] { messageWhileOpen = h.fom.controls.Lbl.caption; };

    h.fom.Com_Click(7);

    EXPECT_EQ(h.dialogs.menusShown, 1);
    EXPECT_EQ(messageWhileOpen, prompt);
    EXPECT_EQ(h.fom.controls.Lbl.caption, row.message);
    EXPECT_EQ(h.fom.state.timeSlot, row.slotAfter);
    EXPECT_EQ(h.fom.controls.LblDay.caption, row.daysAfter);
    EXPECT_TRUE(h.InCommandMode());
  }
}

TEST(Menu, ACollapseFromTheReadoutStillAdvancesTheSlot) {
  Harness h;
  StartInCommandMode(h);
  h.fom.state.timeSlot = 2;
  h.fom.controls.LblHirou.caption = "60";
  h.random.script = {0.91f};  // 45 more: 105
  h.dialogs.menuAnswers.push_back(MenuChoice::Love);

  h.fom.Com_Click(7);

  EXPECT_EQ(h.fom.controls.LblHirou.caption, "105");
  EXPECT_EQ(h.fom.controls.Lbl.caption, QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう"));
  EXPECT_TRUE(h.fom.controls.TimHirou.enabled);
  EXPECT_EQ(h.fom.state.timeSlot, 3);
}

TEST(Menu, ASaveHoldsTheSlotOfTheClickAndALoadComesBackToTheSlotAfterIt) {
  Harness h;
  StartInCommandMode(h);
  h.fom.state.timeSlot = 3;
  h.fom.state.affection = {40, -2, 7};
  h.dialogs.menuAnswers = {MenuChoice::Save};
  h.fom.Com_Click(7);
  ASSERT_EQ(h.fom.state.timeSlot, 4);

  h.fom.state.affection = {0, 0, 0};
  h.fom.state.timeSlot = 6;
  h.dialogs.menuAnswers = {MenuChoice::Load};
  h.fom.Com_Click(7);

  EXPECT_EQ(h.dialogs.boxes, QStringList({"SAVE　OK", "Load　OK"}));
  EXPECT_EQ(h.fom.state.affection, (Points{40, -2, 7}));
  EXPECT_EQ(h.fom.state.timeSlot, 4);
  EXPECT_EQ(h.fom.controls.LblTime.caption, "午後");
}

TEST(IgnoredClicks, LeaveTheGameExactlyAsItWas) {
  struct Row {
    const char* name;
    std::int16_t button;
    std::function<void(Harness&)> arrange;
  };
  const Row rows[] = {
      {"index below the buttons", -1, [](Harness&) {}},
      {"index past the buttons", 8, [](Harness&) {}},
      {"scene mode", 0, [](Harness& h) { h.fom.controls.PicCom.visible = false; }},
      {"tired", 6, [](Harness& h) { h.fom.controls.PicCom.enabled = false; }},
      {"title stage up", 7, [](Harness& h) { h.fom.controls.PicStt.visible = true; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    StartInCommandMode(h);
    h.fom.state.timeSlot = 7;
    row.arrange(h);
    const QString message = h.fom.controls.Lbl.caption;

    h.fom.Com_Click(row.button);

    EXPECT_EQ(h.fom.state.timeSlot, 7);
    EXPECT_EQ(h.fom.controls.LblDay.caption, "0");
    EXPECT_EQ(h.fom.controls.LblHirou.caption, "0");
    EXPECT_EQ(h.fom.controls.Lbl.caption, message);
    EXPECT_EQ(h.random.draws, 0);
    EXPECT_EQ(h.dialogs.menusShown, 0);
  }
}

TEST(IgnoredClicks, NoHandlerActsWhileABoxIsOpen) {
  Harness h;
  StartInCommandMode(h);
  h.fom.controls.TimHirou.enabled = true;  // a recovery tick may arrive while a box is up
  h.fom.controls.LstIvent.listIndex = 1;
  h.fom.controls.LstIvent.visible = true;
  const QString fatigue = h.fom.controls.LblHirou.caption;
  int drawsWhileOpen = -1;
  h.dialogs.whileOpen = [&] {
    const int before = h.random.draws;
    h.fom.TimHirou_Timer();
    h.fom.Com_Click(0);
    h.fom.Com_Click(7);
    h.fom.menu_love_Click();
    h.fom.LstIvent_Click();
    h.fom.Form_Activate();
    drawsWhileOpen = h.random.draws - before;
  };
  h.dialogs.menuAnswers = {MenuChoice::Save};
  h.fom.state.timeSlot = 2;

  h.fom.Com_Click(7);

  EXPECT_EQ(drawsWhileOpen, 0);
  EXPECT_EQ(h.dialogs.menusShown, 1);
  EXPECT_EQ(h.fom.controls.LblHirou.caption, fatigue);
  EXPECT_EQ(h.fom.controls.LblDay.caption, "0");
  EXPECT_TRUE(h.fom.controls.LstIvent.visible);
  EXPECT_FALSE(h.fom.controls.PicStt.visible);
  EXPECT_EQ(h.fom.state.timeSlot, 3);
}

}  // namespace
}  // namespace hibi::testing
