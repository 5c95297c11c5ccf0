// The eight command buttons: what each costs, which scene it opens, how visits move
// affection, and when a click does nothing at all; the memory list's replay; fatigue,
// collapse and recovery, the day count and its limit.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "mini_game.h"

namespace hibi::testing {
namespace {

using Points = std::array<std::int16_t, 3>;

// What the player sees of the day before and after a click.
struct Situation {
  std::uint8_t slot;
  QString days, fatigue;
  Points affection;
};

// `scene` is the scene on screen after the click (empty when none opened); `sceneScript`
// replaces the mini game's script of it; `message`, when set, is the message after the click.
struct CommandRow {
  const char* name;
  std::int16_t button;
  Situation before;
  std::vector<float> draws;
  QString scene;
  Situation after;
  int drawsUsed;
  QStringList sceneScript = {};
  MenuChoice menu = MenuChoice::None;
  QString message = {};
};

const QString kPrompt = QStringLiteral("\r\nなにをしようかな・・");
const QString kTired = QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう");

void ExpectCommand(const CommandRow& row) {
  SCOPED_TRACE(::testing::Message() << row.name << ", button " << row.button);
  Harness h;
  StartInCommandMode(h, "10");
  if (!row.sceneScript.isEmpty()) h.game.WriteScript(row.scene, row.sceneScript);
  h.fom.state.timeSlot = row.before.slot;
  h.fom.controls.LblTime.caption = h.fom.state.timeSlotNames[row.before.slot];
  SetDays(h.fom, row.before.days.toInt());
  SetFatigue(h.fom, row.before.fatigue.toInt());
  h.fom.state.affection = row.before.affection;
  h.random.script.assign(row.draws.begin(), row.draws.end());
  const int drawsBefore = h.random.draws;
  h.dialogs.menuAnswers = {row.menu};
  QString messageWhileOpen;
  h.dialogs.whileOpen = [&] { messageWhileOpen = h.fom.controls.Lbl.caption; };

  h.fom.Com_Click(row.button);

  EXPECT_EQ(SceneOnScreen(h), row.scene);
  EXPECT_EQ(h.fom.controls.PicCom.visible, row.scene.isEmpty());
  EXPECT_EQ(h.fom.state.timeSlot, row.after.slot);
  EXPECT_EQ(h.fom.controls.LblDay.caption, row.after.days);
  EXPECT_EQ(h.fom.controls.LblHirou.caption, row.after.fatigue);
  EXPECT_EQ(h.fom.state.affection, row.after.affection);
  EXPECT_EQ(h.random.draws - drawsBefore, row.drawsUsed);
  const bool menu = row.button == 7 && row.scene.isEmpty();
  EXPECT_EQ(h.dialogs.menusShown, menu ? 1 : 0);
  EXPECT_EQ(messageWhileOpen, menu ? kPrompt : "");
  if (!row.message.isEmpty()) {
    EXPECT_EQ(h.fom.controls.Lbl.caption, row.message);
  }
}

// The one draw of a place is its fatigue: 0.5 -> 15. Fatigue has no ceiling but a floor
// of -100, and only reaching 100 from rest collapses.
TEST(Command, APlaceOrARestCostsItsTimeAndFatigueAndOpensItsScene) {
  const Points kept = {1, 2, 3};
  const CommandRow rows[] = {
      {"park at dawn, 99 is not yet tired",
       0,
       {1, "0", "84", {}},
       {0.5f},
       "00",
       {2, "0", "99", {}},
       1},
      {"shop late at night adds a day", 2, {7, "3", "0", {}}, {0.99f}, "26", {1, "4", "29", {}}, 1},
      {"rest late at night adds a day first",
       6,
       {7, "1", "-60", {}},
       {},
       "",
       {1, "2", "-100", {}},
       0},
      {"a draw to 100 collapses", 0, {3, "0", "99", {}}, {0.04f}, "", {3, "0", "100", {}}, 1},
      {"a visit collapses", 4, {5, "0", "90", kept}, {0.34f, 0.9f}, "", {5, "0", "100", kept}, 1},
  };
  for (const CommandRow& row : rows) ExpectCommand(row);
}

// A scene that goes back to the title before its first line has begun a new game: the
// click that opened it neither spends a slot nor lets affection decay in that game.
TEST(Command, AnEndingBeforeTheFirstLineLeavesTheNewGameClean) {
  for (const std::int16_t button : {0, 3}) {
    Harness h;
    StartInCommandMode(h);
    for (const char* scene : {"00", "001"}) h.game.WriteScript(scene, {">ending"});
    h.random.script = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    h.fom.Com_Click(button);
    EXPECT_TRUE(h.fom.controls.PicStt.visible) << button;
    EXPECT_EQ(h.fom.controls.LblTime.caption, QStringLiteral("早朝")) << button;
    EXPECT_EQ(h.fom.state.affection, (Points{0, 0, 0})) << button;
  }
}

// On the last night before the day limit the day comes first: every button opens the
// ending and nothing of its own happens, not even the menu. So too past the limit, where
// a loaded save may have left the day count.
TEST(Command, OnTheLastNightEveryButtonOnlyOpensTheEnding) {
  const Points p = {70, 5, -3};
  for (const auto& [day, next] : {std::pair("9", "10"), std::pair("11", "12")})
    for (std::int16_t button = 0; button <= 7; ++button)
      ExpectCommand({"last night", button, {7, day, "50", p}, {}, "end", {7, next, "50", p}, 0});
}

// The visit scenes raise affection with their own ">love" line on a later click, so
// these rows read affection right after the click, before the scene goes on. Every
// visit is made rested, in the morning ("朝"), with a fatigue draw of 0; `draws` are
// the gain (15 + 0..14) and then the decay of characters 0, 1, 2 (0..9 each).
CommandRow Visit(const char* name, std::int16_t button, Points before, const QString& scene,
                 Points after, std::vector<float> draws = {0, 0, 0, 0}) {
  draws.insert(draws.begin(), 0.0f);
  const int used = static_cast<int>(draws.size());
  return {name, button, {2, "0", "0", before}, draws, scene, {3, "0", "0", after}, used};
}

TEST(Command, AVisitMovesAffectionAndOpensTheSceneOfItsLevel) {
  const CommandRow rows[] = {
      Visit("first visit to yowa", 3, {0, 0, 0}, "001", {6, -5, 0}, {0, 0.95f, 0.5f, 0}),
      Visit("69 points is still level 1", 3, {69, 0, 0}, "001", {98, 0, 0}, {0.99f, 0, 0, 0}),
      Visit("70 points is level 2", 4, {0, 70, 0}, "012", {0, 85, 0}),
      Visit("-5 is level 1", 5, {0, 0, -5}, "021", {0, 0, 10}),
      Visit("280 is level 5", 4, {0, 280, 0}, "015", {0, 295, 0}),
      Visit("400 stays level 5", 3, {400, 0, 0}, "005", {415, 0, 0}),
  };
  for (const CommandRow& row : rows) ExpectCommand(row);
  // A visit scene that opens with ">love" draws inside the visit, before the decay:
  // gain 15, the scene's 19, then the decay of 5, 0 and 0.
  CommandRow ownDraws =
      Visit("own draws first", 3, {0, 0, 0}, "001", {29, 0, 0}, {0, 0.99f, 0.5f, 0, 0});
  ownDraws.sceneScript = {">love,0", "scene:001"};
  ExpectCommand(ownDraws);
}

// The menu shows its prompt while it is open, runs the choice and then spends the slot.
// The readout's one draw, 0.91, costs 45; it reads the points and leaves them.
TEST(Menu, ShowsItsPromptRunsTheChoiceAndThenAdvancesTheSlot) {
  using enum MenuChoice;
  const Points p = {3, 0, -7};
  const QString readout = QStringLiteral("\r\nよわ    3\r\nとおみや    0\r\nこうき    -7");
  const CommandRow rows[] = {
      {"dismissed", 7, {3, "0", "0", p}, {}, "", {4, "0", "0", p}, 0, {}, None, kPrompt},
      {"love", 7, {5, "0", "0", p}, {0.91f}, "", {6, "0", "45", p}, 1, {}, Love, readout},
      {"love, tired", 7, {2, "0", "60", p}, {0.91f}, "", {3, "0", "105", p}, 1, {}, Love, kTired},
  };
  for (const CommandRow& row : rows) ExpectCommand(row);
}

// No handler acts while the menu or a box is up, though their event loops still deliver
// clicks and recovery ticks. (The buttons under a modal: the history test.)
TEST(Menu, ASaveHoldsTheSlotOfTheClickAndALoadComesBackToTheSlotAfterIt) {
  Harness h;
  StartInCommandMode(h);
  Controls& c = h.fom.controls;
  h.fom.state.timeSlot = 3;
  c.TimHirou.enabled = c.LstIvent.visible = true;
  c.LstIvent.listIndex = 1;
  h.dialogs.whileOpen = [&] {
    h.fom.TimHirou_Timer();
    h.fom.menu_love_Click();
    h.fom.LstIvent_Click();
    h.fom.Form_Activate();
  };
  h.dialogs.menuAnswers = {MenuChoice::Save};
  const int drawsBefore = h.random.draws;  // saving draws nothing; every handler above would
  h.fom.Com_Click(7);
  EXPECT_EQ(h.random.draws, drawsBefore);
  EXPECT_TRUE(h.dialogs.menusShown == 1 && c.LstIvent.visible);
  ASSERT_EQ(h.fom.state.timeSlot, 4);
  h.fom.state.timeSlot = 6;
  h.dialogs.menuAnswers = {MenuChoice::Load};
  h.fom.Com_Click(7);
  EXPECT_EQ(h.dialogs.boxes, QStringList({"SAVE　OK", "Load　OK"}));
  EXPECT_EQ(std::pair(h.fom.state.timeSlot, c.LblTime.caption),
            std::pair(std::uint8_t{4}, QString("午後")));
}

// The replay of remembered pictures from the memory list.
TEST(MemoryReplay, RedrawsAChosenPictureAndAlwaysHidesTheList) {
  Harness h;
  WriteMiniGame(h.game);
  h.game.WriteRaw("sys/lstphoto.dat", "park\r\n\r\n");
  h.game.TouchPicture("img/park.png");
  h.Start();
  const QStringList items{"▼記憶", "park", ""};
  ASSERT_EQ(h.fom.controls.LstIvent.items, items);
  const QString park = h.game.path("img/park.png");
  const std::pair<int, QStringList> rows[] = {
      // the item clicked, what the picture layer does
      {1, {"clear Pic", "load E " + park, "draw E Pic"}},
      {0, {}},  // the heading
      {2, {}},  // an empty item
  };
  for (const auto& [index, drawing] : rows) {
    h.pictures.log.clear();
    h.fom.controls.LstIvent.visible = true;
    h.fom.controls.LstIvent.listIndex = index;
    h.fom.LstIvent_Click();
    EXPECT_EQ(h.pictures.log, drawing) << index;
    EXPECT_TRUE(h.dialogs.boxes.isEmpty() && !h.fom.controls.LstIvent.visible);
  }
}

// Recovery, the day count and its limit.
const QString kRecovered = QStringLiteral("\r\nつかれがとれたよ");

TEST(Recovery, CostsADayPerTickUntilRestedOrTheLimit) {
  // `draws`: one a tick; every tick but the last leaves them tired.
  struct Row {
    const char* name;
    QString fatigue, days;
    std::vector<float> draws;
    QString fatigueAfter, daysAfter;
    bool ending;
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
    h.fom.ShowMessage("resting");
    h.random.script.assign(row.draws.begin(), row.draws.end());

    // Still at 100 or more, a tick does not collapse them a second time.
    for (std::size_t tick = 1; tick < row.draws.size(); ++tick) {
      h.fom.TimHirou_Timer();
      ASSERT_TRUE(c.TimHirou.enabled && !c.PicCom.enabled) << "tick " << tick;
      ASSERT_EQ(c.Lbl.caption, "resting") << "tick " << tick;
    }
    h.fom.TimHirou_Timer();

    EXPECT_EQ(std::pair(c.LblHirou.caption, c.LblDay.caption),
              std::pair(row.fatigueAfter, row.daysAfter));
    EXPECT_EQ(SceneOnScreen(h), row.ending ? "end" : "");
    EXPECT_TRUE(c.PicCom.enabled == !row.ending && !c.TimHirou.enabled);
    EXPECT_EQ(c.Lbl.caption == kRecovered, !row.ending);
  }
}

}  // namespace
}  // namespace hibi::testing
