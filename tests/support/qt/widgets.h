// Driving real widgets and real timers in tests: waiting, mouse input as the platform
// delivers it, and answering the game's modal widgets.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>

namespace hibi::testing {

// Runs the event loop until `done` holds or the deadline passes; returns `done`.
// The game's 1 ms timers keep ticking meanwhile (QTest::qWait would starve them).
inline bool RunUntil(const std::function<bool()>& done, int deadlineMs = 5000) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
  poll.start(1);
  if (!done()) loop.exec();
  return done();
}

inline void SendMouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  const QPointF at = QRectF(widget.rect()).center();
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// The child of `window` called `name`; a missing one fails the test, not the run.
template <class W = QWidget>
W& Child(QWidget& window, const QString& name) {
  W* widget = window.findChild<W*>(name);
  return widget ? *widget : throw std::runtime_error(name.toStdString());
}

inline void Click(QWidget& widget, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonPress, button, button);
  SendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton);
}

// While it lives, answers the first modal widget that opens (a message box or the
// pop-up menu) by calling `answer` with it.
struct AnswerModal : QTimer {
  explicit AnswerModal(std::function<void(QWidget&)> answer) {
    connect(this, &QTimer::timeout, [this, answer] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) modal = QApplication::activePopupWidget();
      if (!modal) return;
      stop();
      answer(*modal);
    });
    start(1);
  }
};

}  // namespace hibi::testing
