// A scene whose script is broken shows a box. While the box is open its event loop still
// delivers ticks, clicks and keys; none of them may reach the game until the player has
// closed it. After it there is nothing to read: whatever would advance the text takes the
// player back to the command panel instead, once, with no second box. (A click on the
// title stage under the box would start the game again: `Look` counts the boxes.)
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "game/play.h"

namespace hibi::testing {
namespace {

TEST(BrokenScene, EventsUnderTheBoxChangeNothingAndAnAdvanceAfterItLeavesTheScene) {
  struct Row {
    const char* name;
    std::function<void(Harness&)> fire;
    bool advances;  // false: the player leaves the broken scene with a click instead
  };
  const std::vector<Row> rows = {
      {"pacing tick", [](Harness& h) { h.fom.TimSay_Timer(); }, true},
      {"left click on the label", [](Harness& h) { Click(h); }, true},
      {"click on the window", [](Harness& h) { h.fom.Form_Click(); }, true},
      {"Enter", [](Harness& h) { Key(h.fom, kKeyReturn); }, true},
      {"click on the event picture", [](Harness& h) { h.fom.Pic_Click(); }, false},
      {"click on the title stage", [](Harness& h) { h.fom.PicStt_Click(); }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    Open(h, {"a", ">ive missing", "never shown"});
    bool sawTheBox = false;
    h.dialogs.whileOpen = [&] {
      const Seen before = Look(h);
      EXPECT_TRUE(h.fom.InModal());
      row.fire(h);
      row.fire(h);
      EXPECT_EQ(Look(h), before);
      sawTheBox = true;
    };
    Click(h);
    ASSERT_TRUE(sawTheBox);
    ASSERT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "missing")});
    EXPECT_FALSE(h.fom.InModal());
    row.advances ? row.fire(h) : Click(h);
    EXPECT_TRUE(h.InCommandMode() && !h.fom.controls.TimSay.enabled);
    EXPECT_EQ(h.fom.controls.Lbl.caption, "");
    if (row.advances) row.fire(h);
    EXPECT_TRUE(h.InCommandMode());
    EXPECT_EQ(h.dialogs.boxes.size(), 1);
  }
}

}  // namespace
}  // namespace hibi::testing
