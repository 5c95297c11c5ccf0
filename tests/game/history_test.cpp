// The history: what the message area showed, read back without the game moving.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "game/play.h"

namespace hibi::testing {
namespace {

TEST(History, HoldsEveryRowShownInOrderAcrossPagesScenesAndRemarks) {
  Harness h;
  h.game.WriteScript("03", {"b", "b"});
  Open(h, {"-よわ", "l1", "l2", "", "l3", ">ive 03"});
  PlayPages(h);
  h.fom.Com_Click(6);  // rest: a remark
  h.fom.Com_Click(6);  // the same remark again is a second one
  const QString rest = QStringLiteral("たっぷりやすんだよ");
  EXPECT_EQ(h.fom.history.Rows(),
            QStringList({"", "■よわ", "l1", "l2", "", "l3", "", "b", "b", "", rest, "", rest}));

  History many;
  for (int i = 1; i <= 600; ++i) many.Record("\r\np" + QString::number(i) + "▼", "▼");
  EXPECT_EQ(std::tuple(many.PageCount(), many.Rows().mid(0, 2), many.Rows().back()),
            std::tuple(History::kPagesKept, QStringList({"", "p101"}), "p600"));
}

// Everything the player might do while reading, then the history closed: the game is
// where it was, and the next click does what it would have done without the history.
TEST(History, OpeningAndClosingItChangesNothing) {
  const std::vector<std::function<void(Harness&)>> reading = {
      [](Harness& h) { Tick(h, 5); }, [](Harness& h) { Click(h); },
      [](Harness& h) { h.fom.Pic_Click(); }, [](Harness& h) { h.fom.Com_Click(6); }};
  const QStringList script = {"l1", "l2", "l3", ">love,0", "l4", "tugi"};
  for (bool atThePanel : {false, true}) {
    SCOPED_TRACE(atThePanel ? "at the command panel" : "in a scene");
    Harness with, without;
    for (Harness* h : {&with, &without}) {
      Open(*h, atThePanel ? QStringList{"tugi"} : script);
      Tick(*h);
    }
    const Seen before = Look(with);
    const auto drawn = with.pictures.log.size();
    ASSERT_TRUE(with.fom.OpenHistory());
    EXPECT_FALSE(with.fom.OpenHistory()) << "already open";
    for (const auto& act : reading) act(with);
    with.fom.CloseHistory();
    EXPECT_EQ(std::pair(Look(with), with.pictures.log.size()), std::pair(before, drawn));
    for (Harness* h : {&with, &without}) {
      Click(*h);
      Click(*h);
      h->fom.Com_Click(6);
      Tick(*h, 3);
    }
    const auto after = [](const Harness& h) {
      return std::tuple(Look(h), h.random.draws, h.fom.controls.LblHirou.caption,
                        h.fom.history.Rows());
    };
    EXPECT_EQ(after(with), after(without));
  }
  Harness title;
  title.Start();
  EXPECT_FALSE(title.fom.OpenHistory()) << "not on the title stage";
}

}  // namespace
}  // namespace hibi::testing
