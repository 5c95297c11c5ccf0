// How shown lines fill the message label page by page.
#include <gtest/gtest.h>

#include "script/play.h"

namespace hibi::testing {
namespace {

QStringList Numbered(const QString& prefix, int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << prefix + QString::number(i);
  return lines;
}

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
  h.game.WriteScript("opn", row.script);
  h.Start();
  h.StartGame();
  EXPECT_EQ(PlayPages(h), row.pages);
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
}

const QStringList kNine = Numbered("l", 9);
const QStringList kTwenty = Numbered("l", 20);

INSTANTIATE_TEST_SUITE_P(
    PageLengths, PagesTest,
    ::testing::Values(
        PagesRow{"OneLineWaitsWithTheMarker", {"a"}, {Page({"a▼"})}},
        PagesRow{
            "EightLinesFillTheFirstPage", kNine, {Page(Numbered("l", 7) << "l8▼"), Page({"l9▼"})}},
        PagesRow{"NineLinesFitAfterAnEmptyLine",
                 QStringList{""} + Numbered("l", 10),
                 {Page(Numbered("l", 8) << "l9▼"), Page({"l10▼"})}},
        PagesRow{"AFullPageStartsTheNextOneCountingFromOne",
                 kTwenty,
                 {Page(Numbered("l", 7) << "l8▼"), Page(kTwenty.mid(8, 7) << "l16▼"),
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

TEST(PageEnd, AJumpEndsThePageBeforeIt) {
  Harness h;
  h.game.WriteScript("opn", {"a", ">ive 03"});
  h.game.WriteScript("03", {"b"});
  h.Start();
  h.StartGame();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
  EXPECT_EQ(PlayPages(h), QStringList({Page({"a▼"}), Page({"b▼"})}));
}

TEST(PageEnd, TheLastLineOfAPageStopsThePacingTimerUntilAClick) {
  Harness h;
  h.game.WriteScript("opn", kNine);
  h.Start();
  h.StartGame();
  EXPECT_TRUE(h.fom.controls.TimSay.enabled);
  Tick(h, 7);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page(Numbered("l", 7) << "l8▼"));
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  Tick(h, 3);  // a tick already queued must not turn the page
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page(Numbered("l", 7) << "l8▼"));
  Click(h);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"l9▼"}));
}

}  // namespace
}  // namespace hibi::testing
