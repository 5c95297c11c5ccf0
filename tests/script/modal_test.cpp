// While a message box is open its event loop still delivers ticks, clicks and keys.
// None of them may reach the game until the player has closed the box.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "script/play.h"

namespace hibi::testing {
namespace {

// What the player could notice of the game's state.
struct Seen {
  bool picStt, picCom, picKao, lstIvent, txtDay, timSay, stopAtPageEnd;
  int interval;
  QString caption;
  std::int16_t dayLimit;
  qsizetype boxes;
  bool operator==(const Seen&) const = default;
};

Seen Look(const Harness& h) {
  const Controls& c = h.fom.controls;
  return {c.PicStt.visible, c.PicCom.visible,     c.PicKao.visible,          c.LstIvent.visible,
          c.TxtDay.visible, c.TimSay.enabled,     h.fom.state.stopAtPageEnd, c.TimSay.interval,
          c.Lbl.caption,    h.fom.state.dayLimit, h.dialogs.boxes.size()};
}

using Event = std::pair<const char*, std::function<void(Fom&)>>;

const std::vector<Event>& EventsOfAModalLoop() {
  static const std::vector<Event> events = {
      {"pacing tick", [](Fom& f) { f.TimSay_Timer(); }},
      {"left click on the label",
       [](Fom& f) {
         f.Lbl_MouseDown(kLeftButton, 0, 0, 0);
         f.Lbl_Click();
       }},
      {"right click on the window",
       [](Fom& f) {
         f.Form_MouseDown(kRightButton, 0, 0, 0);
         f.Form_Click();
       }},
      {"Enter", [](Fom& f) { f.Form_KeyDown(kKeyReturn, 0); }},
      {"Ctrl", [](Fom& f) { f.Form_KeyDown(kKeyControl, 0); }},
      {"click on the event picture", [](Fom& f) { f.Pic_Click(); }},
      {"click on the title stage", [](Fom& f) { f.PicStt_Click(); }},
      {"key on the title stage", [](Fom& f) { f.PicStt_KeyDown(65, 0); }},
  };
  return events;
}

TEST(ModalGuard, EventsWhileTheDamagedScriptBoxIsOpenChangeNothing) {
  for (const auto& [name, fire] : EventsOfAModalLoop()) {
    SCOPED_TRACE(name);
    Harness h;
    h.game.WriteScript("opn", {"a", ">ive missing", "never shown"});
    h.Start();
    h.StartGame();
    std::optional<Seen> underTheBox;
    h.dialogs.whileOpen = [&] {
      const Seen before = Look(h);
      EXPECT_TRUE(h.fom.InModal());
      fire(h.fom);
      fire(h.fom);
      EXPECT_EQ(Look(h), before);
      underTheBox = Look(h);
    };
    Click(h);
    ASSERT_TRUE(underTheBox);
    EXPECT_EQ(h.dialogs.boxes.size(), 1);
    EXPECT_FALSE(h.fom.InModal());
    // Once the box is closed the game listens again: a click leaves the broken scene.
    Click(h);
    EXPECT_TRUE(h.InCommandMode());
  }
}

TEST(ModalGuard, ASecondClickOnTheStageUnderTheBoxStacksNoSecondBox) {
  Harness h;
  h.Start();
  int fired = 0;
  h.dialogs.whileOpen = [&] {
    if (fired++ == 0) h.fom.PicStt_Click();
  };
  h.StartGame();
  EXPECT_EQ(h.dialogs.boxes.size(), 1);
  EXPECT_FALSE(h.fom.state.scriptFile);
}

}  // namespace
}  // namespace hibi::testing
