// The pace of a scene: ticks, presses, clicks and keys on the message area, and none
// of them while a box is up.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "game/play.h"

namespace hibi::testing {
namespace {

// A running scene of `count` numbered lines, opened from the title stage.
struct Scene {
  explicit Scene(int count) { Open(h, Lines(count)); }
  const QString& caption() const { return h.fom.controls.Lbl.caption; }
  Harness h;
};

// On the title stage there is no scene to pace, though the label still holds a message.
// (At the command panel: the reader's auto-advance test.)
TEST(Pacing, OnTheTitleStageClicksTicksAndKeysForTheMessageAreaChangeNothing) {
  Harness h;
  h.game.WriteScript("opn", {"a"});
  h.Start();
  h.fom.ShowMessage("\r\nremark");
  const Seen before = Look(h);
  RightClick(h);
  RightClickOnTheWindow(h);
  h.fom.TimSay_Timer();
  for (const std::int16_t key : {kKeyReturn, kKeySpace, kKeyControl}) Key(h.fom, key);
  EXPECT_EQ(Look(h), before);
}

// A click in the middle of a page shows the next line and the tick goes on from there;
// a right click at a page end runs the rest of the scene without stopping.
TEST(Pacing, AClickShowsTheNextLineAndARightClickAtAPageEndRunsTheRest) {
  Scene s(20);
  // A click on the event picture toggles the memory list and leaves the text.
  for (const bool shown : {true, false}) {
    s.h.fom.Pic_Click();
    EXPECT_EQ(s.h.fom.controls.LstIvent.visible, shown);
  }
  EXPECT_EQ(s.caption(), Page({"l1"}));
  Click(s.h);
  EXPECT_EQ(s.caption(), Page({"l1", "l2"}));
  EXPECT_TRUE(s.h.fom.controls.TimSay.enabled);
  Tick(s.h);
  EXPECT_EQ(s.caption(), Page({"l1", "l2", "l3"}));
  Tick(s.h, 5);
  ASSERT_EQ(s.caption(), Page(Lines(7) << "l8▼"));
  ASSERT_FALSE(s.h.fom.controls.TimSay.enabled);
  Tick(s.h, 3);  // a tick already queued must not turn the page
  ASSERT_EQ(s.caption(), Page(Lines(7) << "l8▼"));
  RightClick(s.h);
  EXPECT_EQ(s.caption(), Page({"l9"}));
  EXPECT_EQ(s.h.fom.controls.TimSay.interval, 1);
  Tick(s.h, 7);
  EXPECT_EQ(s.caption(), Page(Lines(16).mid(8, 7) << "l16▼"));
  EXPECT_TRUE(s.h.fom.controls.TimSay.enabled);  // fast-forward passes the page end
  Tick(s.h);
  EXPECT_EQ(s.caption(), Page({"l17"}));
  Tick(s.h, 3);
  EXPECT_EQ(s.caption(), Page({"l17", "l18", "l19", "l20▼"}));
  Tick(s.h);
  EXPECT_TRUE(s.h.InCommandMode());
}

// A press stops at the page end that is not yet shown; once the marker shows, the press
// waits for its click.
TEST(Pacing, ALeftOrMiddlePressDuringFastForwardStopsAtThePageEnd) {
  // The button, and the ticks of fast-forward before it: 6 show the page end's marker.
  const std::pair<std::int16_t, int> rows[] = {
      {kLeftButton, 2}, {kMiddleButton, 2}, {kLeftButton, 6}};
  for (const auto& [button, ticks] : rows) {
    SCOPED_TRACE(::testing::Message() << button << " after " << ticks);
    Scene s(20);
    RightClick(s.h);
    Tick(s.h, ticks);
    const QString pageEnd = Page(Lines(7) << "l8▼");
    ASSERT_EQ(s.caption(), ticks == 6 ? pageEnd : Page({"l1", "l2", "l3", "l4"}));
    Press(s.h.fom, button);
    EXPECT_EQ(s.h.fom.controls.TimSay.interval, 100);
    EXPECT_TRUE(s.h.fom.controls.TimSay.enabled);
    Tick(s.h, 10);
    EXPECT_EQ(s.caption(), pageEnd);
    EXPECT_EQ(s.h.fom.controls.TimSay.enabled, ticks == 6);
    s.h.fom.Lbl_Click();
    EXPECT_EQ(s.caption(), Page({"l9"}));
  }
}

TEST(Pacing, EnterAndSpaceActAsALeftClickAndCtrlAsARightClickUntilLetGo) {
  const std::int16_t keys[] = {kKeyReturn, kKeySpace, kKeyControl, 65};
  for (const std::int16_t key : keys) {
    for (const bool startFast : {false, true}) {
      SCOPED_TRACE(::testing::Message()
                   << "key " << key << (startFast ? " from fast-forward" : ""));
      Scene s(4);
      s.h.fom.reader.skipEverything = true;  // over unread lines too (reader_test.cpp)
      if (startFast) Press(s.h.fom, kRightButton);
      Key(s.h.fom, key);
      EXPECT_EQ(s.caption(), key != 65 ? Page({"l1", "l2"}) : Page({"l1"}));
      const bool fast = key == kKeyControl || (key == 65 && startFast);
      EXPECT_EQ(s.h.fom.state.stopAtPageEnd, !fast);
      EXPECT_EQ(s.h.fom.controls.TimSay.interval, fast ? 1 : 100);
      s.h.fom.Form_KeyUp(key);
      EXPECT_EQ(s.h.fom.state.stopAtPageEnd, key == kKeyControl || !fast) << "key up";
    }
  }
}

TEST(TitleStage, TheTypedLimitStartsTheGameOrAsksAgain) {
  // The typed texts that start the game, with the day limit each sets; then those that do not.
  std::vector<std::pair<QString, std::optional<std::int16_t>>> rows = {
      {"10", 10},   {" 7 ", 7},   {"-3", -3},         {"０１５", 15},
      {"－２", -2}, {"　8　", 8}, {"-32768", -32768},
  };
  for (const char* typed : {"32768", "7.5", "1e1", "", "10日"})
    rows.push_back({typed, std::nullopt});
  for (const auto& [typed, limit] : rows) {
    SCOPED_TRACE(typed.toStdString());
    Harness h;
    h.game.WriteScript("opn", {"a"});
    h.Start();
    h.fom.state.dayLimit = 42;
    h.StartGame(typed);
    const Controls& c = h.fom.controls;
    EXPECT_EQ(h.fom.state.dayLimit, limit.value_or(42));
    EXPECT_EQ(c.PicStt.visible, !limit);
    EXPECT_EQ(c.Lbl.visible && c.Lbl.caption == Page({"a▼"}), limit.has_value());
    EXPECT_EQ(h.shell.dayLimitSelections, limit ? 0 : 1);
    if (!limit) {
      EXPECT_TRUE(c.TxtDay.visible);
      h.StartGame("12");  // a corrected limit starts the game on the next click
      EXPECT_EQ(h.fom.state.dayLimit, 12);
      EXPECT_EQ(c.Lbl.caption, Page({"a▼"}));
    }
  }
}

// A scene whose script is broken shows a box. While the box is open its event loop still
// delivers ticks and clicks; none of them may reach the game until the player has closed
// it. (A click on the title stage under the box would start the game again: `Look` counts
// the boxes. The window's click and the keys go the label's way, and the history holds
// them off as a box does.) After it there is nothing to read: a tick takes the player back
// to the command panel instead, once, with no second box. (A click does so in the scene
// tests.)
TEST(BrokenScene, EventsUnderTheBoxChangeNothingAndATickAfterItLeavesTheScene) {
  Harness h;
  Open(h, {"a", ">ive missing", "never shown"});
  bool sawTheBox = false;
  h.dialogs.whileOpen = [&] {
    const Seen before = Look(h);
    for (int twice = 0; twice < 2; ++twice) {
      h.fom.TimSay_Timer();
      Click(h);
      h.fom.PicStt_Click();
    }
    EXPECT_EQ(Look(h), before);
    sawTheBox = true;
  };
  Click(h);
  ASSERT_TRUE(sawTheBox);
  ASSERT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "missing")});
  h.fom.TimSay_Timer();
  EXPECT_TRUE(h.InCommandMode() && !h.fom.controls.TimSay.enabled);
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
  h.fom.TimSay_Timer();
  Click(h);
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_EQ(h.dialogs.boxes.size(), 1);
}

}  // namespace
}  // namespace hibi::testing
