#include "headless_game.h"

#include "script/scene_names.h"
#include "storage/numbers.h"
#include "storage/settings.h"

namespace hibi::check {
namespace {

// Handler calls in one game before it is given up as endless. A ten-day game of
// the sample takes at most about 1,200.
constexpr int kMaxSteps = 5000;  // a sample game needs about 1,200

double Caption(const QString& caption) {
  return ParseNumber(caption).value_or(0);
}

}  // namespace

HeadlessGame::HeadlessGame(const QString& folder) : shell_(folder) {
  fom_.Form_Load();
}

Outcome HeadlessGame::Play(std::uint32_t seed, const Chooser& choose) {
  random_.Seed(seed);
  std::mt19937 dice(seed);
  dice.discard(1000);  // not in step with the game's own draws
  pictures_.eventPictures.clear();
  dialogs_.boxes.clear();
  Controls& c = fom_.controls;
  bool limitReached = false;

  // A game given up as endless left the last one in the middle of a scene; the
  // return to the title is what the script line ">ending" would have done.
  if (!c.PicStt.visible) fom_.Form_Activate();
  fom_.PicStt_Click();
  Outcome outcome;
  for (int step = 0; step < kMaxSteps && outcome.ending.isEmpty(); ++step) {
    if (c.PicStt.visible) {
      outcome.ending = EndingShown();
      if (outcome.ending.isEmpty()) {
        outcome.ending =
            limitReached ? QStringLiteral("end") : QStringLiteral("title before the day limit");
      }
    } else if (!c.PicCom.visible) {
      // The pacing timer shows a line per tick; at a page end the player clicks.
      if (c.TimSay.enabled) {
        fom_.TimSay_Timer();
      } else {
        fom_.Lbl_MouseDown(kLeftButton);
        fom_.Lbl_Click();
      }
    } else if (c.TimHirou.enabled) {
      fom_.TimHirou_Timer();
    } else if (!c.PicCom.enabled) {
      outcome.ending = QStringLiteral("stuck with the commands disabled");
    } else {
      fom_.Com_Click(choose(Caption(c.LblHirou.caption), dice));
    }
    if (Caption(c.LblDay.caption) >= fom_.state.dayLimit) limitReached = true;
  }
  if (outcome.ending.isEmpty()) {
    outcome.ending = QStringLiteral("not back at the title after %1 steps").arg(kMaxSteps);
  }
  outcome.boxes = dialogs_.boxes;
  return outcome;
}

// A character's ending is the scene "end" with her digit, which shows its own event
// picture; the ending for everybody shows the title.
QString HeadlessGame::EndingShown() const {
  for (int character = 0; character < 3; ++character) {
    const QString ending = EndingScene(character);
    if (pictures_.eventPictures.contains(fom_.state.folders.programFolder +
                                         PictureFileName(ending, fom_.state.settings))) {
      return ending;
    }
  }
  return {};
}

}  // namespace hibi::check
