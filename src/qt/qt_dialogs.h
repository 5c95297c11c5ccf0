// The modal message box and the pop-up menu of command button 7 on real widgets.
#pragma once

#include <QFont>
#include <QString>
#include <functional>

#include "game/ports.h"

class QWidget;

namespace hibi {

class QtDialogs : public Dialogs {
 public:
  // `beforeModal` runs right before anything modal opens, so the window shows the
  // current message while the box or menu waits for the player.
  // `font`, when given, is the game's font at the size of its text, so a box or the
  // menu reads like the game round it at any window size.
  QtDialogs(QWidget& parent, QString title, std::function<void()> beforeModal,
            std::function<QFont()> font = {});

  void MessageBox(const QString& text) override;
  MenuChoice PopupMenu() override;

 private:
  QWidget& parent_;
  QString title_;
  std::function<void()> beforeModal_;
  std::function<QFont()> font_;
};

}  // namespace hibi
