// Answering the game's modal widgets in widget tests.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>


namespace hibi::testing {

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
