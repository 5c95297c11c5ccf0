// The pace of a scene: ticks, presses, clicks and keys on the message area.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "script/play.h"

namespace hibi::testing {
namespace {

QStringList Lines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << "l" + QString::number(i);
  return lines;
}

// A running scene of `count` numbered lines, opened from the title stage.
struct Scene {
  explicit Scene(int count) {
    h.game.WriteScript("opn", Lines(count));
    h.Start();
    h.StartGame();
  }
  const QString& caption() const { return h.fom.controls.Lbl.caption; }
  Harness h;
};

TEST(Pacing, InCommandModeClicksAndPressesChangeNothing) {
  Harness h;
  StartAtTheCommandPanel(h);
  ASSERT_TRUE(h.InCommandMode());
  h.fom.ShowMessage("\r\nremark");
  RightClick(h);
  h.fom.Form_MouseDown(kRightButton, 0, 0, 0);
  h.fom.Form_Click();
  h.fom.TimSay_Timer();
  h.fom.Form_KeyDown(kKeySpace, 0);
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  EXPECT_EQ(h.fom.controls.TimSay.interval, 100);
  EXPECT_TRUE(h.fom.state.stopAtPageEnd);
  EXPECT_EQ(h.fom.controls.Lbl.caption, "\r\nremark");
  EXPECT_TRUE(h.InCommandMode());
}

TEST(Pacing, AClickInTheMiddleOfAPageShowsTheNextLineAndTheTickGoesOnFromThere) {
  Scene s(4);
  Click(s.h);
  EXPECT_EQ(s.caption(), Page({"l1", "l2"}));
  EXPECT_TRUE(s.h.fom.controls.TimSay.enabled);
  Tick(s.h);
  EXPECT_EQ(s.caption(), Page({"l1", "l2", "l3"}));
}

TEST(Pacing, ARightClickAtAPageEndRunsTheRestOfTheSceneWithoutStopping) {
  Scene s(20);
  Tick(s.h, 7);
  ASSERT_EQ(s.caption(), Page(Lines(7) << "l8▼"));
  ASSERT_FALSE(s.h.fom.controls.TimSay.enabled);
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

TEST(Pacing, ALeftOrMiddlePressDuringFastForwardStopsAtTheNextPageEnd) {
  for (const std::int16_t button : {kLeftButton, kMiddleButton}) {
    SCOPED_TRACE(button);
    Scene s(20);
    RightClick(s.h);
    Tick(s.h, 2);
    ASSERT_EQ(s.caption(), Page({"l1", "l2", "l3", "l4"}));
    s.h.fom.Lbl_MouseDown(button, 0, 0, 0);
    EXPECT_EQ(s.h.fom.controls.TimSay.interval, 100);
    EXPECT_TRUE(s.h.fom.controls.TimSay.enabled);
    Tick(s.h, 10);
    EXPECT_EQ(s.caption(), Page(Lines(7) << "l8▼"));
    EXPECT_FALSE(s.h.fom.controls.TimSay.enabled);
  }
}

TEST(Pacing, ALeftPressWhileTheMarkerShowsInFastForwardWaitsForTheClick) {
  Scene s(12);
  RightClick(s.h);
  Tick(s.h, 6);
  ASSERT_EQ(s.caption(), Page(Lines(7) << "l8▼"));
  s.h.fom.Lbl_MouseDown(kLeftButton, 0, 0, 0);
  EXPECT_TRUE(s.h.fom.controls.TimSay.enabled);
  Tick(s.h, 5);
  EXPECT_EQ(s.caption(), Page(Lines(7) << "l8▼"));
  s.h.fom.Lbl_Click();
  EXPECT_EQ(s.caption(), Page({"l9"}));
}

TEST(Pacing, AfterAFastForwardedSceneTheNextSceneStartsInNormalPacing) {
  Harness h;
  h.game.WriteScript("opn", {"a", "b", "tugi"});
  h.game.WriteScript("next", {"c", "d"});
  h.Start();
  h.StartGame();
  RightClick(h);
  Tick(h);
  ASSERT_TRUE(h.InCommandMode());
  h.fom.OpenScene("next");
  EXPECT_TRUE(h.fom.state.stopAtPageEnd);
  EXPECT_EQ(h.fom.controls.TimSay.interval, 100);
  EXPECT_EQ(PlayPages(h), QStringList{Page({"c", "d▼"})});
}

TEST(Pacing, AClickOnTheEventPictureTogglesTheMemoryListAndLeavesTheText) {
  Scene s(4);
  s.h.fom.Pic_Click();
  EXPECT_TRUE(s.h.fom.controls.LstIvent.visible);
  s.h.fom.Pic_Click();
  EXPECT_FALSE(s.h.fom.controls.LstIvent.visible);
  EXPECT_EQ(s.caption(), Page({"l1"}));
}

struct KeyRow {
  const char* name;
  std::int16_t key;
  bool advances;
  bool fastForward;  // the pacing after the key
};
void PrintTo(const KeyRow& row, std::ostream* os) {
  *os << row.name;
}

class KeyTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyTest, EnterAndSpaceActAsALeftClickAndCtrlAsARightClick) {
  const KeyRow& row = GetParam();
  for (const bool startFast : {false, true}) {
    SCOPED_TRACE(startFast ? "from fast-forward" : "from normal pacing");
    Scene s(4);
    if (startFast) s.h.fom.Lbl_MouseDown(kRightButton, 0, 0, 0);
    s.h.fom.Form_KeyDown(row.key, 0);
    EXPECT_EQ(s.caption(), row.advances ? Page({"l1", "l2"}) : Page({"l1"}));
    const bool fast = row.advances ? row.fastForward : startFast;
    EXPECT_EQ(s.h.fom.state.stopAtPageEnd, !fast);
    EXPECT_EQ(s.h.fom.controls.TimSay.interval, fast ? 1 : 100);
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTest,
                         ::testing::Values(KeyRow{"Enter", kKeyReturn, true, false},
                                           KeyRow{"Space", kKeySpace, true, false},
                                           KeyRow{"Ctrl", kKeyControl, true, true},
                                           KeyRow{"Shift", 16, false, false},
                                           KeyRow{"Escape", 27, false, false},
                                           KeyRow{"LetterA", 65, false, false},
                                           KeyRow{"Right", 39, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TitleStage, AnyKeyShowsTheDayLimitBoxAndTheNextHidesIt) {
  Harness h;
  h.Start();
  ASSERT_FALSE(h.fom.controls.TxtDay.visible);
  for (const std::int16_t key : {65, 13, 17, 32}) {
    const bool before = h.fom.controls.TxtDay.visible;
    h.fom.PicStt_KeyDown(key, 0);
    EXPECT_NE(h.fom.controls.TxtDay.visible, before) << key;
  }
}

struct DayLimitRow {
  const char* typed;
  std::optional<std::int16_t> limit;  // nullopt: the game does not start
};
void PrintTo(const DayLimitRow& row, std::ostream* os) {
  *os << '"' << row.typed << '"';
}

class DayLimitTest : public ::testing::TestWithParam<DayLimitRow> {};

TEST_P(DayLimitTest, TheTypedLimitStartsTheGameOrAsksAgain) {
  const DayLimitRow& row = GetParam();
  Harness h;
  h.game.WriteScript("opn", {"a"});
  h.Start();
  h.fom.state.dayLimit = 42;
  h.StartGame(QString::fromUtf8(row.typed));
  const Controls& c = h.fom.controls;
  if (row.limit) {
    EXPECT_EQ(h.fom.state.dayLimit, *row.limit);
    EXPECT_FALSE(c.PicStt.visible);
    EXPECT_TRUE(c.Lbl.visible);
    EXPECT_TRUE(c.Pic.visible);
    EXPECT_EQ(c.Lbl.caption, Page({"a▼"}));
    EXPECT_EQ(h.shell.dayLimitSelections, 0);
  } else {
    EXPECT_EQ(h.fom.state.dayLimit, 42);
    EXPECT_TRUE(c.PicStt.visible);
    EXPECT_TRUE(c.TxtDay.visible);
    EXPECT_EQ(c.TxtDay.text, QString::fromUtf8(row.typed));
    EXPECT_EQ(h.shell.dayLimitSelections, 1);
    EXPECT_FALSE(c.Lbl.visible);
    EXPECT_FALSE(h.fom.state.scriptFile);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DayLimitTest,
    ::testing::Values(DayLimitRow{"10", 10}, DayLimitRow{"5", 5}, DayLimitRow{" 7 ", 7},
                      DayLimitRow{"+3", 3}, DayLimitRow{"-3", -3}, DayLimitRow{"0", 0},
                      DayLimitRow{"０１５", 15}, DayLimitRow{"－２", -2}, DayLimitRow{"　8　", 8},
                      DayLimitRow{"32767", 32767}, DayLimitRow{"-32768", -32768},
                      DayLimitRow{"32768", std::nullopt}, DayLimitRow{"-32769", std::nullopt},
                      DayLimitRow{"99999999999999999999", std::nullopt},
                      DayLimitRow{"7.5", std::nullopt}, DayLimitRow{"7.0", std::nullopt},
                      DayLimitRow{"1e1", std::nullopt}, DayLimitRow{"", std::nullopt},
                      DayLimitRow{" ", std::nullopt}, DayLimitRow{"-", std::nullopt},
                      DayLimitRow{"10日", std::nullopt}, DayLimitRow{"1 0", std::nullopt},
                      DayLimitRow{"abc", std::nullopt}));

TEST(TitleStage, ACorrectedLimitStartsTheGameOnTheNextClick) {
  Harness h;
  h.game.WriteScript("opn", {"a"});
  h.Start();
  h.StartGame("ten");
  ASSERT_TRUE(h.fom.controls.PicStt.visible);
  h.StartGame("12");
  EXPECT_EQ(h.fom.state.dayLimit, 12);
  EXPECT_FALSE(h.fom.controls.PicStt.visible);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
}

}  // namespace
}  // namespace hibi::testing
