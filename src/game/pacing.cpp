// The message window's input: the pacing timer, presses and clicks on the message
// area, the keyboard, the event picture and the title stage.
//
// While a message box or the menu is open its event loop still delivers ticks and
// clicks; every handler here ignores them then, so a box is never stacked on a box
// and a script closed under the box is never read.
#include <limits>
#include <optional>

#include "game/fom.h"
#include "script/scene_names.h"

namespace hibi {
namespace {

// The day limit as the player types it: an optional sign and decimal digits, blanks
// around them allowed. Full-width digits count too, since the box is typed with a
// Japanese input method. A fraction, an exponent or anything past the signed 16-bit
// range is refused rather than guessed at: the player sees the box again instead.
std::optional<std::int16_t> ReadDayLimit(const QString& typed) {
  const QString text = typed.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() &&
      (text[i] == u'+' || text[i] == u'＋' || text[i] == u'-' || text[i] == u'－')) {
    negative = text[i] == u'-' || text[i] == u'－';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  constexpr long kLargestMagnitude = -long{std::numeric_limits<std::int16_t>::min()};
  long value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    int digit = -1;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (c >= u'０' && c <= u'９') digit = c - u'０';
    if (digit < 0) return std::nullopt;
    value = value * 10 + digit;
    if (value > kLargestMagnitude) return std::nullopt;  // that of the lowest value
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

}  // namespace

// The message area paces a scene only: not under the title stage (before the first
// game and after an ending), not in command mode, not while a box is open.
bool Fom::InScene() const {
  return !InModal() && !controls.PicStt.visible && !controls.PicCom.visible && !hidden_;
}

void Fom::TimSay_Timer() {
  if (!InScene()) return;
  if (!state.scriptFile) {
    CloseScene();  // a scene whose script broke: back to the command panel
    return;
  }
  // A step left unfinished goes on whatever the page it began on ended with.
  if (stepUnfinished_ || state.pageMarker != kPageEndMarker || !state.stopAtPageEnd) Advance();
}

void Fom::Lbl_MouseDown(std::int16_t button) {
  if (!InScene()) return;
  const bool fastForward = button == kRightButton;
  state.stopAtPageEnd = !fastForward;
  controls.TimSay.interval = fastForward ? kFastForwardMs : PacingMsOf(reader.speed);
  ctrlSkip_ = false;
  if (button == kLeftButton) autoAdvance_ = false;
}

void Fom::Lbl_Click() {
  if (!InScene()) return;
  if (!state.scriptFile) {
    CloseScene();
    return;
  }
  controls.TimSay.enabled = true;
  Advance();
}

void Fom::Form_MouseDown(std::int16_t button) {
  Lbl_MouseDown(button);
}

void Fom::Form_Click() {
  Lbl_Click();
}

void Fom::Form_KeyDown(std::int16_t keyCode) {
  if (!InScene()) return;
  if (keyCode == kKeyReturn || keyCode == kKeySpace) {
    Lbl_MouseDown(kLeftButton);
  } else if (keyCode == kKeyControl) {
    Lbl_MouseDown(kRightButton);
    ctrlSkip_ = !reader.skipEverything;
  } else {
    return;
  }
  Lbl_Click();
}

// Only a left click of the player's own ends auto-advance, not letting go of Ctrl.
void Fom::Form_KeyUp(std::int16_t keyCode) {
  if (keyCode != kKeyControl) return;
  const bool autoAdvance = autoAdvance_;
  Lbl_MouseDown(kLeftButton);
  autoAdvance_ = autoAdvance;
}

void Fom::Pic_Click() {
  if (InModal()) return;
  controls.LstIvent.visible = !controls.LstIvent.visible;
}

void Fom::PicStt_Click() {
  if (InModal()) return;
  const std::optional<std::int16_t> limit = ReadDayLimit(controls.TxtDay.text);
  if (!limit) {
    controls.TxtDay.visible = true;
    ports_.shell.SelectDayLimitText();
    return;
  }
  state.dayLimit = *limit;
  controls.PicStt.visible = false;
  controls.Lbl.visible = true;
  controls.Pic.visible = true;
  OpenScene(kOpeningScene);
}

void Fom::PicStt_KeyDown(std::int16_t) {
  if (InModal()) return;
  controls.TxtDay.visible = !controls.TxtDay.visible;
}

}  // namespace hibi
