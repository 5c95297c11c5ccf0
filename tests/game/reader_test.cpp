// The reader's controls in the core: Ctrl over the lines read in any run, auto-advance
// with the message window put aside, and the text speeds.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "game/play.h"

namespace hibi::testing {
namespace {

enum class Skip { Ctrl, RightClick };

// A second playing of a scene of 20 lines, of which `readBefore` were read in an
// earlier run; the player skips right after the first line shows, and the timer
// ticks nine times.
TEST(Reader, CtrlSkipsOnlyWhatWasReadInAnEarlierRunUpToTheFirstNewLine) {
  const struct {
    const char* name;
    Skip skip;
    bool skipEverything;
    int readBefore;
    QString page;
    bool stillSkipping;
  } rows[] = {
      {"ctrl", Skip::Ctrl, false, 10, Page({"l9", "l10", "l11"}), false},
      {"ctrl, never read", Skip::Ctrl, false, 0, Page(Lines(7) << "l8▼"), false},
      {"ctrl, everything", Skip::Ctrl, true, 10, Page({"l9", "l10", "l11"}), true},
      {"right click", Skip::RightClick, false, 10, Page({"l9", "l10", "l11"}), true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir data;
    const QString file = data.filePath("hibi/g/read.dat");
    if (row.readBefore > 0) {
      Harness first;
      first.fom.readLines.Load(file);
      Open(first, Lines(20));
      for (int i = 1; i < row.readBefore; ++i) Click(first);
      first.fom.Form_Unload();
    }
    Harness again;
    again.fom.readLines.Load(file);
    again.fom.SetReaderOptions({TextSpeed::Game, 1500, row.skipEverything});
    Open(again, Lines(20));
    row.skip == Skip::Ctrl ? Key(again.fom, kKeyControl) : RightClick(again);
    Tick(again, 9);
    EXPECT_EQ(again.fom.controls.Lbl.caption, row.page);
    EXPECT_EQ(again.fom.state.stopAtPageEnd, !row.stillSkipping);
    EXPECT_EQ(again.fom.controls.TimSay.interval, row.stillSkipping ? 1 : 100);
  }
}

TEST(Reader, AutoAdvanceTurnsPagesByItselfUnlessPutAsideUntilALeftClickOrTheCommandPanel) {
  Harness h;
  Open(h, Lines(12) << "tugi");
  ASSERT_TRUE(h.fom.ToggleAutoAdvance());
  Press(h.fom, kLeftButton);
  EXPECT_FALSE(h.fom.AutoAdvancing()) << "a left click stops it";
  ASSERT_TRUE(h.fom.ToggleAutoAdvance());
  EXPECT_EQ(h.fom.AutoAdvanceDue(), std::nullopt) << "the page is still coming";
  h.fom.AutoAdvance_Timer();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"l1"}));
  Tick(h, 7);
  // The message put aside: the game waits, and turns no page unseen.
  ASSERT_TRUE(h.fom.HideMessageWindow());
  Tick(h, 2);
  EXPECT_EQ(h.fom.AutoAdvanceDue(), std::nullopt);
  h.fom.ShowMessageWindow();
  // "l1".."l8" and the marker: 17 characters of 50 ms after the pause of 1.5 s.
  EXPECT_EQ(h.fom.AutoAdvanceDue(), 2350);
  h.fom.AutoAdvance_Timer();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"l9"}));
  Tick(h, 3);
  h.fom.AutoAdvance_Timer();
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_FALSE(h.fom.AutoAdvancing());
  EXPECT_FALSE(h.fom.ToggleAutoAdvance()) << "nor does it start at the command panel";
  EXPECT_FALSE(h.fom.HideMessageWindow()) << "nor is the message put aside there";
}

TEST(Reader, EachTextSpeedHasItsIntervalAndTheWholePageComesAtOnce) {
  const struct {
    TextSpeed speed;
    int interval;
    QString firstPage;
  } rows[] = {
      {TextSpeed::Slower, 200, Page({"l1"})},
      {TextSpeed::Faster, 40, Page({"l1"})},
      {TextSpeed::WholePage, 100, Page(Lines(7) << "l8▼")},
  };
  for (const auto& row : rows) {
    Harness h;
    h.fom.SetReaderOptions({row.speed, 0, false});
    Open(h, Lines(12));
    EXPECT_EQ(h.fom.controls.TimSay.interval, row.interval);
    EXPECT_EQ(h.fom.controls.Lbl.caption, row.firstPage);
  }
}

}  // namespace
}  // namespace hibi::testing
