// How shown lines fill the message label page by page.
#include <gtest/gtest.h>

#include "game/play.h"

namespace hibi::testing {
namespace {

struct PagesRow {
  const char* name;
  QStringList script;
  QStringList pages;  // every page the player waits on, in order
};

class PagesTest : public ::testing::TestWithParam<PagesRow> {};

TEST_P(PagesTest, ThePlayerWaitsOnExactlyThesePages) {
  const PagesRow& row = GetParam();
  Harness h;
  h.game.WriteScript("03", {"b"});
  Open(h, row.script);
  EXPECT_EQ(PlayPages(h), row.pages);
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  EXPECT_FALSE(h.fom.controls.PicKao.visible);
}

// The line read after a shown line decides whether the shown line ends its page; only
// the exact keywords act, anything close to one is shown as it stands.
INSTANTIATE_TEST_SUITE_P(
    Pages, PagesTest,
    ::testing::Values(
        PagesRow{"OneLineWaitsWithTheMarker", {"a"}, {Page({"a▼"})}},
        PagesRow{"NineLinesFitAfterAnEmptyLine",
                 QStringList{""} + Lines(10),
                 {Page(Lines(8) << "l9▼"), Page({"l10▼"})}},
        PagesRow{"AFullPageStartsTheNextOneCountingFromOne",
                 Lines(20),
                 {Page(Lines(7) << "l8▼"), Page(Lines(20).mid(8, 7) << "l16▼"),
                  Page({"l17", "l18", "l19", "l20▼"})}},
        PagesRow{"SpeakerRowsCountAsLines",
                 {"-a", "-b", "-c", "-d", "-e", "-f", "-g", "-h", "-i"},
                 {Page({"■a", "■b", "■c", "■d", "■e", "■f", "■g", "■h▼"}), Page({"■i▼"})}},
        PagesRow{"AnEmptyLineInTheMiddle", {"a", "", "b"}, {Page({"a▼"}), Page({"b▼"})}},
        // The picture keeps "a" on an open page, so only the empty line can clear it.
        PagesRow{"AnEmptyLineClearsAnOpenPage", {"a", ">img p", "", "b"}, {Page({"b▼"})}},
        PagesRow{"AFaceLeavesWithTheScene", {"-a＿1"}, {Page({"■a▼"})}},
        PagesRow{"Game", {"a", ">game over", "b"}, {Page({"a▼"}), Page({">game over", "b▼"})}},
        PagesRow{"Rek", {"a", ">rek", "b"}, {Page({"a▼"}), Page({">rek", "b▼"})}},
        PagesRow{"EndSomething", {"a", ">endless", "b"}, {Page({"a▼"}), Page({">endless", "b▼"})}},
        PagesRow{"Love", {"a", ">love,0", "b"}, {Page({"a▼"}), Page({"b▼"})}},
        PagesRow{"Ive", {"a", ">ive 03"}, {Page({"a▼"}), Page({"b▼"})}},
        PagesRow{"Tugi", {"a", "tugi", "b"}, {Page({"a▼"})}},
        PagesRow{"TugiyaFirstEndsTheSceneAtOnce", {"tugiya", "never shown"}, {}},
        PagesRow{"Img", {"a", ">img p", "b"}, {Page({"a", "b▼"})}},
        PagesRow{"CapitalGame", {"a", ">Game", "b"}, {Page({"a", ">Game", "b▼"})}},
        PagesRow{"TextWithADownTriangle", {"a▼", "b"}, {Page({"a▼", "b▼"})}},
        PagesRow{"TugiInAnotherCase", {"Tugi", " tugi"}, {Page({"Tugi", " tugi▼"})}},
        PagesRow{"EndingWithASpace", {">ending "}, {Page({">ending ▼"})}},
        PagesRow{"EndflagAndMore", {">endflagX"}, {Page({">endflagX▼"})}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hibi::testing
