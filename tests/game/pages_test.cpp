// How shown lines fill the message label page by page.
#include <gtest/gtest.h>

#include "game/play.h"

namespace hibi::testing {
namespace {

// The line read after a shown line decides whether the shown line ends its page; only
// the exact keywords act, anything close to one is shown as it stands. Each row: the
// script and every page the player waits on, in order. (Full pages one after another:
// pacing_test.)
TEST(Pages, ThePlayerWaitsOnExactlyThesePages) {
  struct Row {
    const char* name;
    QStringList script, pages;
  };
  const Row rows[] = {
      {"one line waits with the marker", {"a"}, {Page({"a▼"})}},
      {"nine lines fit after an empty line",
       QStringList{""} + Lines(10),
       {Page(Lines(8) << "l9▼"), Page({"l10▼"})}},
      {"speaker rows count as lines",
       {"-a", "-b", "-c", "-d", "-e", "-f", "-g", "-h", "-i"},
       {Page({"■a", "■b", "■c", "■d", "■e", "■f", "■g", "■h▼"}), Page({"■i▼"})}},
      {"an empty line in the middle", {"a", "", "b"}, {Page({"a▼"}), Page({"b▼"})}},
      // The picture keeps "a" on an open page, so only the empty line can clear it.
      {"an empty line clears an open page", {"a", ">img p", "", "b"}, {Page({"b▼"})}},
      {"a face leaves with the scene", {"-a＿1"}, {Page({"■a▼"})}},
      {"game, rek, end-something",
       {"a", ">game over", "b", ">rek", "c", ">endless", "d"},
       {Page({"a▼"}), Page({">game over", "b▼"}), Page({">rek", "c▼"}), Page({">endless", "d▼"})}},
      {"love and ive",
       {"a", ">love,0", "b", ">ive 03"},
       {Page({"a▼"}), Page({"b▼"}), Page({"b▼"})}},
      {"tugi", {"a", "tugi", "b"}, {Page({"a▼"})}},
      {"tugiya first ends the scene at once", {"tugiya", "never shown"}, {}},
      {"img", {"a", ">img p", "b"}, {Page({"a", "b▼"})}},
      {"near keywords are shown",
       {"a▼", ">Game", "Tugi", " tugi", ">endflagX", ">ending "},
       {Page({"a▼", ">Game", "Tugi", " tugi▼"}), Page({">endflagX▼"}), Page({">ending ▼"})}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.game.WriteScript("03", {"b"});
    Open(h, row.script);
    EXPECT_EQ(PlayPages(h), row.pages);
    EXPECT_TRUE(h.InCommandMode());
    const Controls& c = h.fom.controls;
    EXPECT_EQ(std::tuple(c.Lbl.caption, c.TimSay.enabled, c.PicKao.visible),
              std::tuple("", false, false));
  }
}

}  // namespace
}  // namespace hibi::testing
