// The replay of remembered pictures from the memory list. ("LOVE?" is read through the
// menu, in commands_test.)
#include <gtest/gtest.h>

#include <utility>

#include "mini_game.h"

namespace hibi::testing {
namespace {

TEST(MemoryReplay, RedrawsAChosenPictureAndAlwaysHidesTheList) {
  Harness h;
  WriteMiniGame(h.game);
  h.game.WriteRaw("sys/lstphoto.dat", "park\r\n\r\nmissing\r\n");
  h.game.TouchPicture("img/park.png");
  h.Start();
  const QStringList items{"▼記憶", "park", "", "missing"};
  ASSERT_EQ(h.fom.controls.LstIvent.items, items);
  const QString park = h.game.path("img/park.png"), missing = h.game.path("img/missing.png");
  const std::pair<int, QStringList> rows[] = {  // the item clicked, what the picture layer does
      {1, {"clear Pic", "load E " + park, "draw E Pic"}},
      {0, {}},  // the heading
      {2, {}},  // an empty item
      {3, {"clear Pic", "load E " + missing + " (failed)"}},
  };
  for (const auto& [index, drawing] : rows) {
    SCOPED_TRACE(index);
    h.pictures.log.clear();
    h.fom.controls.LstIvent.visible = true;
    h.fom.controls.LstIvent.listIndex = index;
    h.fom.LstIvent_Click();
    EXPECT_EQ(h.pictures.log, drawing);
    EXPECT_TRUE(h.dialogs.boxes.isEmpty());
    EXPECT_FALSE(h.fom.controls.LstIvent.visible);
    EXPECT_EQ(h.fom.controls.LstIvent.items, items);
  }
}

}  // namespace
}  // namespace hibi::testing
