// Every key the window answers, in one table. The handlers ask it whether a key press
// is theirs, and a test holds the manual page hibi(6) to it, so a key cannot be
// added, moved or dropped without the manual hearing of it. A new key is a new row
// (and, for a new kind of action, a new KeyAction that its handler asks for).
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <span>

class QKeyEvent;

namespace hibi {

enum class KeyAction {
  kNextLine,     // in a scene: as a left click on the message
  kFastForward,  // in a scene: while held on its own
  kOpenHistory,  // in a scene or between scenes
  kCloseHistory,
  kHistoryPageUp,
  kHistoryPageDown,
  kHistoryLineUp,
  kHistoryLineDown,
  kFullScreen,       // anywhere: on and off
  kLeaveFullScreen,  // in full screen
  kMute,             // anywhere: the music off and on
  kBegin,            // on the title
  kBeginWithDays,    // on the title, in the day-limit box
  kPressCommand,     // between scenes: the command that has the focus
  kGallery,          // outside the title: as a click on the picture
  kShowPicture,      // in the gallery: the picture chosen
  kCloseGallery,
  kReadAloud,  // outside the title: on and off
  kKeyHelp,    // anywhere: opens the list of keys
  kCloseKeyHelp,
  kSettings,     // anywhere
  kScreenshot,   // anywhere but under a box
  kAutoAdvance,  // in a scene or between scenes, as the ones below
  kHideMessage,
  kSofter,
  kLouder,
};

// Which of Shift, Ctrl and Alt may be held with the key.
enum class Held { kAny, kNone, kNoCtrlOrAlt, kAltOnly, kCtrlOnly };

struct KeyBinding {
  int key;  // a Qt::Key
  Held held;
  KeyAction action;
  const char* name;  // as the manual page writes the key
};

std::span<const KeyBinding> KeyBindings();

// Whether the key pressed (or let go) is bound to the action.
bool IsKey(const QKeyEvent& event, KeyAction action);

// Alt, AltGr and the logo key on their own, and any key with Ctrl or Alt: the
// desktop's shortcuts (Ctrl+C, Alt+Tab...), never the game's.
bool IsDesktopShortcut(const QKeyEvent& event);

// The key code the game's handlers know: letters and digits keep their character
// codes, Enter and Space get theirs, anything else is 0.
std::int16_t GameKeyCode(const QKeyEvent& event);

}  // namespace hibi
