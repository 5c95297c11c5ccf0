// Helpers for driving real widgets: mouse clicks as the platform delivers them,
// and an event loop that lets the 1 ms timers run while a condition is awaited.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "support/qt/event_loop.h"

namespace hibi::testing {

inline void Press(QWidget& widget, Qt::MouseButton button) {
  const QPointF at = QRectF(widget.rect()).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), button, button,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
}

inline void Click(QWidget& widget, Qt::MouseButton button = Qt::LeftButton) {
  Press(widget, button);
  const QPointF at = QRectF(widget.rect()).center();
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(&widget, &release);
}

// While it lives, answers the first modal widget that opens (a message box or the
// pop-up menu) by calling `answer` with it.
class AnswerModal {
 public:
  explicit AnswerModal(std::function<void(QWidget&)> answer) : answer_(std::move(answer)) {
    poll_.setInterval(1);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) modal = QApplication::activePopupWidget();
      if (!modal) return;
      poll_.stop();
      answer_(*modal);
    });
    poll_.start();
  }

 private:
  std::function<void(QWidget&)> answer_;
  QTimer poll_;
};

}  // namespace hibi::testing
