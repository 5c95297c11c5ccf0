// How shown lines fill the message label page by page.
#include <gtest/gtest.h>

#include "script/play.h"

namespace hibi::testing {
namespace {

struct PagesRow {
  const char* name;
  QStringList script;
  QStringList pages;  // every page the player waits on, in order
};
void PrintTo(const PagesRow& row, std::ostream* os) {
  *os << row.name;
}

class PagesTest : public ::testing::TestWithParam<PagesRow> {};

TEST_P(PagesTest, ThePlayerWaitsOnExactlyThesePages) {
  const PagesRow& row = GetParam();
  Harness h;
  h.game.WriteScript("03", {"b"});
  Open(h, row.script);
  EXPECT_EQ(PlayPages(h), row.pages);
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
}

const QStringList kTwenty = Lines(20);

INSTANTIATE_TEST_SUITE_P(
    PageLengths, PagesTest,
    ::testing::Values(
        PagesRow{"OneLineWaitsWithTheMarker", {"a"}, {Page({"a▼"})}},
        PagesRow{"EightLinesFillTheFirstPage", Lines(9), {Page(Lines(7) << "l8▼"), Page({"l9▼"})}},
        PagesRow{"NineLinesFitAfterAnEmptyLine",
                 QStringList{""} + Lines(10),
                 {Page(Lines(8) << "l9▼"), Page({"l10▼"})}},
        PagesRow{"AFullPageStartsTheNextOneCountingFromOne",
                 kTwenty,
                 {Page(Lines(7) << "l8▼"), Page(kTwenty.mid(8, 7) << "l16▼"),
                  Page({"l17", "l18", "l19", "l20▼"})}},
        PagesRow{"SpeakerRowsCountAsLines",
                 {"-a", "-b", "-c", "-d", "-e", "-f", "-g", "-h", "-i"},
                 {Page({"■a", "■b", "■c", "■d", "■e", "■f", "■g", "■h▼"}), Page({"■i▼"})}},
        PagesRow{
            "AnEmptyLineInTheMiddleClearsTheLabel", {"a", "", "b"}, {Page({"a▼"}), Page({"b▼"})}}),
    [](const auto& info) { return std::string(info.param.name); });

// The line read after a shown line decides whether the shown line ends its page.
INSTANTIATE_TEST_SUITE_P(
    LinesThatEndThePageBeforeThem, PagesTest,
    ::testing::Values(
        PagesRow{"Game", {"a", ">game over", "b"}, {Page({"a▼"}), Page({">game over", "b▼"})}},
        PagesRow{"Rek", {"a", ">rek", "b"}, {Page({"a▼"}), Page({">rek", "b▼"})}},
        PagesRow{"EndSomething", {"a", ">endless", "b"}, {Page({"a▼"}), Page({">endless", "b▼"})}},
        PagesRow{"Love", {"a", ">love,0", "b"}, {Page({"a▼"}), Page({"b▼"})}},
        PagesRow{"Endflag", {"a", ">endflag", "b"}, {Page({"a▼"}), Page({"b▼"})}},
        PagesRow{"EmptyLine", {"a", "", "b"}, {Page({"a▼"}), Page({"b▼"})}},
        PagesRow{"Ive", {"a", ">ive 03"}, {Page({"a▼"}), Page({"b▼"})}},
        PagesRow{"Tugi", {"a", "tugi", "b"}, {Page({"a▼"})}},
        PagesRow{"EndOfFile", {"a"}, {Page({"a▼"})}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LinesThatDoNot, PagesTest,
    ::testing::Values(PagesRow{"Img", {"a", ">img p", "b"}, {Page({"a", "b▼"})}},
                      PagesRow{"CapitalGame", {"a", ">Game", "b"}, {Page({"a", ">Game", "b▼"})}},
                      PagesRow{"TextWithADownTriangle", {"a▼", "b"}, {Page({"a▼", "b▼"})}},
                      PagesRow{"Speaker", {"a", "-b", "c"}, {Page({"a", "■b", "c▼"})}}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the exact keywords act; anything close to one is shown as it stands.
INSTANTIATE_TEST_SUITE_P(
    LinesThatOnlyLookLikeKeywords, PagesTest,
    ::testing::Values(PagesRow{"TugiInAnotherCase", {"Tugi", " tugi"}, {Page({"Tugi", " tugi▼"})}},
                      PagesRow{"EndingWithASpace", {">ending "}, {Page({">ending ▼"})}},
                      PagesRow{"CapitalEnding", {">Ending"}, {Page({">Ending▼"})}},
                      PagesRow{"EndflagAndMore", {">endflagX"}, {Page({">endflagX▼"})}},
                      PagesRow{"EndingAndADigit", {">ending2"}, {Page({">ending2▼"})}},
                      PagesRow{"EndingAfterASpace", {" >ending"}, {Page({" >ending▼"})}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hibi::testing
