// A player at the real window: mouse clicks and keys go in through the platform's
// own input path (so focus, popups and modal boxes behave as on a desktop), and
// the event loop runs the game's real timers while the player waits.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>

#include "support/qt/event_loop.h"
#include "qt/qt_window.h"

// Failures show texts as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace hibi::e2e {

// The player waits longer than a widget test: whole scenes play meanwhile.
inline bool RunUntil(const std::function<bool()>& done, int deadlineMs = 10000) {
  return testing::RunUntil(done, deadlineMs);
}

class Player {
 public:
  explicit Player(QtWindow& window) : window_(window) {}

  template <class W = QWidget>
  W& Find(const QString& name) const {
    W* widget = window_.findChild<W*>(name);
    if (!widget) qFatal("no widget %s", qPrintable(name));
    return *widget;
  }
  QLabel& Label(const QString& name) const { return Find<QLabel>(name); }
  QPushButton& Button(int index) const {
    return Find<QPushButton>(QStringLiteral("Com%1").arg(index));
  }
  bool Shown(const QString& name) const { return Find(name).isVisible(); }

  // Clicks the middle of `target` on the window it belongs to. The click lands on
  // whatever the player would hit there; returns false (and the test fails) if
  // that is not `target`, e.g. because something covers it.
  bool Click(QWidget& target, Qt::MouseButton button = Qt::LeftButton);
  // The same at a point of `target`.
  bool Click(QWidget& target, Qt::MouseButton button, QPoint at);
  // A key pressed and released on the game window.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Type(char character);

  QString Message() const { return Label(QStringLiteral("Lbl")).text(); }
  bool OnTitle() const { return Shown(QStringLiteral("PicStt")); }
  bool InCommandMode() const { return Shown(QStringLiteral("PicCom")) && !OnTitle(); }
  bool WaitingAtPageEnd() const;

  enum class Pace {
    Clicks,       // a left click at every page end
    FastForward,  // a right click, which runs through every page
    Keys,         // Enter at a page end, then Ctrl to run through the rest
  };
  // Plays the running scene (and any scene it jumps to) until the command panel or
  // the title shows. Returns the number of clicks or keys, or nullopt on a hang.
  std::optional<int> PlayScene(Pace pace);

 private:
  QtWindow& window_;
};

// While it lives, answers the game's modal widgets in the order they open: the
// pop-up menu with the item the player picks (or Escape), a message box with a
// click on its OK button. Records what the player saw.
class ModalAnswers {
 public:
  ModalAnswers();
  ~ModalAnswers();
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // The item to pick the next time the menu pops up; empty to dismiss it.
  void PickFromMenu(const QString& caption) { picks_.push_back(caption); }

  QStringList boxes;         // texts of the boxes answered, in order
  QStringList menuCaptions;  // the items of the last menu ("-" for the separator)
  QString messageUnderMenu;  // what the message area showed while the menu was open
  int unexpectedMenus = 0;   // menus that opened with no pick queued (dismissed)

 private:
  void Poll();

  std::deque<QString> picks_;
  QTimer poll_;
};

}  // namespace hibi::e2e
