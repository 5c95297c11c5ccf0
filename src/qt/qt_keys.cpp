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
};

bool Allows(Held held, Qt::KeyboardModifiers modifiers) {
  modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
  switch (held) {
    case Held::kAny:
      return true;
    case Held::kNoCtrlOrAlt:
      return !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    case Held::kAltOnly:
      return modifiers == Qt::AltModifier;
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
