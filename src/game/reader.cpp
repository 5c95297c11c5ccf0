// The reader's controls in the core: auto-advance, the skip over read lines, the
// text speed, and the message window put aside to look at the picture. They only
// ever act in a scene with nothing open, so the game as written is untouched.
#include "game/reader.h"

#include "game/fom.h"

namespace hibi {

int PacingMsOf(TextSpeed speed) {
  switch (speed) {
    case TextSpeed::Slower:
      return 2 * kPacingMs;
    case TextSpeed::Faster:
      return kPacingMs * 2 / 5;
    case TextSpeed::Game:
    case TextSpeed::WholePage:
      break;
  }
  return kPacingMs;
}

void Fom::SetReaderOptions(const ReaderOptions& options) {
  reader = options;
  if (state.stopAtPageEnd && controls.TimSay.interval != kFastForwardMs) {
    controls.TimSay.interval = PacingMsOf(reader.speed);
  }
}

void Fom::Advance() {
  StepScript();
  if (reader.speed != TextSpeed::WholePage || !state.stopAtPageEnd) return;
  // A page has nine lines at the most; the bound only guards against a step that
  // shows nothing and yet leaves the page open.
  // A step left unfinished yields here too; ContinueStep comes back for the rest.
  for (int step = 0; step < 16 && InScene() && state.scriptFile && state.stopAtPageEnd &&
                     state.pageMarker != kPageEndMarker && !stepUnfinished_;
       ++step) {
    StepScript();
  }
}

void Fom::NoteLineShown(const QString& line) {
  const bool fresh = readLines.Mark(ReadLines::KeyOf(openScene_, lineNumber_, line));
  if (!fresh || !ctrlSkip_ || state.stopAtPageEnd) return;
  // Skipping read lines ends on the first new one, which is shown in normal pacing.
  ctrlSkip_ = false;
  state.stopAtPageEnd = true;
  controls.TimSay.interval = PacingMsOf(reader.speed);
}

bool Fom::ToggleAutoAdvance() {
  if (!InScene()) return false;
  autoAdvance_ = !autoAdvance_;
  return true;
}

std::optional<int> Fom::AutoAdvanceDue() const {
  if (!autoAdvance_ || !InScene() || !state.stopAtPageEnd || state.pageMarker != kPageEndMarker) {
    return std::nullopt;
  }
  qsizetype characters = 0;
  for (const QChar c : controls.Lbl.caption) {
    if (c != u'\r' && c != u'\n') ++characters;
  }
  return reader.autoPauseMs + static_cast<int>(characters) * kAutoPauseMsPerCharacter;
}

void Fom::AutoAdvance_Timer() {
  if (AutoAdvanceDue()) Lbl_Click();
}

bool Fom::HideMessageWindow() {
  if (!InScene()) return false;
  hidden_ = HiddenControls{controls.Lbl.visible, controls.ShpK.visible, controls.PicKao.visible,
                           controls.LstIvent.visible};
  controls.Lbl.visible = false;
  controls.ShpK.visible = false;
  controls.PicKao.visible = false;
  controls.LstIvent.visible = false;
  return true;
}

void Fom::ShowMessageWindow() {
  if (!hidden_) return;
  controls.Lbl.visible = hidden_->lbl;
  controls.ShpK.visible = hidden_->shpK;
  controls.PicKao.visible = hidden_->picKao;
  controls.LstIvent.visible = hidden_->lstIvent;
  hidden_.reset();
}

}  // namespace hibi
