// Driving real widgets in widget tests: mouse clicks as the platform delivers them,
// and answering the game's modal widgets.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "support/qt/event_loop.h"

namespace hibi::testing {

inline void SendMouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  const QPointF at = QRectF(widget.rect()).center();
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline void Click(QWidget& widget, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonPress, button, button);
  SendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton);
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
