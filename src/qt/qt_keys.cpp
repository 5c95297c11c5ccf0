#include "qt/qt_keys.h"

#include <QKeyEvent>

#include "game/fom.h"

namespace hibi {
namespace {

constexpr KeyBinding kBindings[] = {
    {Qt::Key_Return, Held::kNoCtrlOrAlt, KeyAction::kNextLine, "Enter"},
    {Qt::Key_Enter, Held::kNoCtrlOrAlt, KeyAction::kNextLine, "Enter"},
    {Qt::Key_Space, Held::kNoCtrlOrAlt, KeyAction::kNextLine, "Space"},
    {Qt::Key_Control, Held::kAny, KeyAction::kFastForward, "Ctrl"},
    {Qt::Key_PageUp, Held::kAny, KeyAction::kOpenHistory, "Page Up"},
    {Qt::Key_Escape, Held::kAny, KeyAction::kCloseHistory, "Escape"},
    {Qt::Key_PageUp, Held::kAny, KeyAction::kHistoryPageUp, "Page Up"},
    {Qt::Key_PageDown, Held::kAny, KeyAction::kHistoryPageDown, "Page Down"},
    {Qt::Key_Up, Held::kAny, KeyAction::kHistoryLineUp, "Up"},
    {Qt::Key_Down, Held::kAny, KeyAction::kHistoryLineDown, "Down"},
    {Qt::Key_F11, Held::kAny, KeyAction::kFullScreen, "F11"},
    {Qt::Key_Return, Held::kAltOnly, KeyAction::kFullScreen, "Alt+Enter"},
    {Qt::Key_Enter, Held::kAltOnly, KeyAction::kFullScreen, "Alt+Enter"},
    {Qt::Key_Escape, Held::kAny, KeyAction::kLeaveFullScreen, "Escape"},
    {Qt::Key_M, Held::kNoCtrlOrAlt, KeyAction::kMute, "M"},
    {Qt::Key_Return, Held::kCtrlOnly, KeyAction::kBegin, "Ctrl+Enter"},
    {Qt::Key_Enter, Held::kCtrlOnly, KeyAction::kBegin, "Ctrl+Enter"},
    {Qt::Key_Return, Held::kNone, KeyAction::kBeginWithDays, "Enter"},
    {Qt::Key_Enter, Held::kNone, KeyAction::kBeginWithDays, "Enter"},
    {Qt::Key_Return, Held::kNoCtrlOrAlt, KeyAction::kPressCommand, "Enter"},
    {Qt::Key_Enter, Held::kNoCtrlOrAlt, KeyAction::kPressCommand, "Enter"},
    {Qt::Key_G, Held::kNoCtrlOrAlt, KeyAction::kGallery, "G"},
    {Qt::Key_Return, Held::kNone, KeyAction::kShowPicture, "Enter"},
    {Qt::Key_Enter, Held::kNone, KeyAction::kShowPicture, "Enter"},
    {Qt::Key_Space, Held::kNone, KeyAction::kShowPicture, "Space"},
    {Qt::Key_Escape, Held::kNone, KeyAction::kCloseGallery, "Escape"},
    {Qt::Key_V, Held::kNoCtrlOrAlt, KeyAction::kReadAloud, "V"},
    {Qt::Key_F1, Held::kNoCtrlOrAlt, KeyAction::kKeyHelp, "F1"},
    {Qt::Key_F1, Held::kAny, KeyAction::kCloseKeyHelp, "F1"},
    {Qt::Key_Escape, Held::kAny, KeyAction::kCloseKeyHelp, "Escape"},
    {Qt::Key_F2, Held::kNoCtrlOrAlt, KeyAction::kSettings, "F2"},
    {Qt::Key_F12, Held::kNoCtrlOrAlt, KeyAction::kScreenshot, "F12"},
    {Qt::Key_A, Held::kNoCtrlOrAlt, KeyAction::kAutoAdvance, "A"},
    {Qt::Key_H, Held::kNoCtrlOrAlt, KeyAction::kHideMessage, "H"},
    {Qt::Key_Minus, Held::kNoCtrlOrAlt, KeyAction::kSofter, "\\-"},
    {Qt::Key_Plus, Held::kNoCtrlOrAlt, KeyAction::kLouder, "+"},
    // The key + shares on most keyboards, without Shift.
    {Qt::Key_Equal, Held::kNoCtrlOrAlt, KeyAction::kLouder, "+"},
};

bool Allows(Held held, Qt::KeyboardModifiers modifiers) {
  modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
  switch (held) {
    case Held::kAny:
      return true;
    case Held::kNone:
      return modifiers == Qt::NoModifier;
    case Held::kNoCtrlOrAlt:
      return !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    case Held::kAltOnly:
      return modifiers == Qt::AltModifier;
    case Held::kCtrlOnly:
      return modifiers == Qt::ControlModifier;
  }
  return false;
}

}  // namespace

std::span<const KeyBinding> KeyBindings() {
  return kBindings;
}

bool IsKey(const QKeyEvent& event, KeyAction action) {
  for (const KeyBinding& binding : kBindings) {
    if (binding.action == action && binding.key == event.key() &&
        Allows(binding.held, event.modifiers()))
      return true;
  }
  return false;
}

bool IsDesktopShortcut(const QKeyEvent& event) {
  const int key = event.key();
  return key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr ||
         (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

std::int16_t GameKeyCode(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return static_cast<std::int16_t>(key);
  }
  if (!IsKey(event, KeyAction::kNextLine)) return 0;
  return key == Qt::Key_Space ? kKeySpace : kKeyReturn;
}

}  // namespace hibi
