// A long headless play: a fixed seed drives the title, the scenes, the commands, the
// menu and the recovery of a small generated game through many days and several
// endings, and the day life must stay sound after every single action.
#include <gtest/gtest.h>

#include <random>

#include "storage/numbers.h"
#include "game/system_random.h"
#include "mini_game.h"

namespace hibi::testing {
namespace {

void ExpectSound(const Harness& h, double& lastDays) {
  const GameState& s = h.fom.state;
  const Controls& c = h.fom.controls;
  ASSERT_FALSE(h.fom.InModal());
  ASSERT_GE(s.timeSlot, 1);
  ASSERT_LE(s.timeSlot, 7);
  ASSERT_EQ(c.LblTime.caption, s.timeSlotNames[s.timeSlot]);
  const auto fatigue = ParseNumber(c.LblHirou.caption);
  const auto days = ParseNumber(c.LblDay.caption);
  ASSERT_TRUE(fatigue && days) << c.LblHirou.caption.toStdString() << " "
                               << c.LblDay.caption.toStdString();
  ASSERT_GE(*fatigue, -100);
  if (c.PicStt.visible) {
    lastDays = *days;  // a new game starts from here
    return;
  }
  ASSERT_GE(*days, lastDays);
  lastDays = *days;
  // Scene mode exactly while a script is open; the panel never shows over a scene.
  ASSERT_EQ(c.PicCom.visible, s.scriptFile == nullptr);
  ASSERT_FALSE(c.TimSay.enabled && c.PicCom.visible);
  ASSERT_FALSE(c.TimHirou.enabled && c.PicCom.enabled);
  for (const QString& box : h.dialogs.boxes) ASSERT_EQ(box, "SAVE　OK");
}

TEST(PlayThrough, ManyDaysWithAFixedSeedKeepTheDayLifeSound) {
  Harness h;
  WriteMiniGame(h.game);
  h.Start();
  std::mt19937 player(20261206);
  std::mt19937 fractions(4242);
  constexpr int kGames = 30;
  int commands = 0, collapses = 0, recoveries = 0, gamesEnded = 0;
  QStringList endings;
  double lastDays = 0;
  const MenuChoice answers[] = {MenuChoice::None, MenuChoice::Love, MenuChoice::Save};

  for (int action = 0; action < 200000 && gamesEnded < kGames; ++action) {
    while (h.random.script.size() < 8) {
      h.random.script.push_back(
          SystemRandom::FractionFromBits(static_cast<std::uint32_t>(fractions())));
    }
    Controls& c = h.fom.controls;
    const bool wasPlaying = !c.PicStt.visible;
    const bool wasTired = c.TimHirou.enabled;
    if (c.PicStt.visible) {
      h.StartGame("15");
    } else if (!c.PicCom.visible) {
      Press(h.fom, kLeftButton);
      h.fom.Lbl_Click();
    } else if (c.TimHirou.enabled) {
      h.fom.TimHirou_Timer();
    } else {
      const auto button = static_cast<std::int16_t>(player() % 8);
      if (button == 7) h.dialogs.menuAnswers.push_back(answers[player() % 3]);
      h.fom.Com_Click(button);
      ++commands;
    }
    const QString scene = SceneOnScreen(h);
    if (scene.startsWith("end") && !endings.endsWith(scene)) endings << scene;
    if (!wasTired && c.TimHirou.enabled) ++collapses;
    if (wasTired && !c.TimHirou.enabled && c.PicCom.enabled) ++recoveries;
    if (wasPlaying && c.PicStt.visible) ++gamesEnded;

    SCOPED_TRACE(action);
    ExpectSound(h, lastDays);
    if (::testing::Test::HasFatalFailure()) return;
  }

  EXPECT_EQ(gamesEnded, kGames);
  EXPECT_GT(commands, kGames * 15);
  EXPECT_GT(collapses, 0);
  EXPECT_GT(recoveries, 0);
  EXPECT_TRUE(endings.contains("end"));
}

}  // namespace
}  // namespace hibi::testing
