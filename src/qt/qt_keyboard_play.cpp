#include "qt/qt_keyboard_play.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "game/fom.h"
#include "qt/qt_speech.h"
#include "qt/qt_window.h"

namespace hibi {
namespace {

bool IsEnter(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

KeyboardPlay::KeyboardPlay(QtWindow& window, Fom& fom, ReadAloud& readAloud)
    : QObject(&window),
      window_(window),
      fom_(fom),
      readAloud_(readAloud),
      lstIvent_(window.findChild<QListWidget*>(QStringLiteral("LstIvent"))) {
  window.installEventFilter(this);
  lstIvent_->installEventFilter(this);
}

bool KeyboardPlay::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || fom_.InModal()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (watched == lstIvent_) return modifiers == Qt::NoModifier && ListKey(key->key());
  if (fom_.controls.PicStt.visible) return TitleKey(key->key(), modifiers);
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) return false;
  return GameKey(key->key(), key->isAutoRepeat());
}

// Plain keys on the title stay the stage's own; the day-limit box keeps its typing.
bool KeyboardPlay::TitleKey(int key, Qt::KeyboardModifiers modifiers) {
  if (!IsEnter(key)) return false;
  const QWidget* focus = window_.focusWidget();
  const bool inDayBox = focus && focus->objectName() == QLatin1String("TxtDay");
  if (modifiers != Qt::ControlModifier && !(inDayBox && modifiers == Qt::NoModifier)) {
    return false;
  }
  window_.Perform([](Fom& fom) { fom.PicStt_Click(); });
  return true;
}

bool KeyboardPlay::GameKey(int key, bool repeated) {
  if (key == Qt::Key_V) {
    if (!repeated) readAloud_.Toggle();
    return true;
  }
  if (key == Qt::Key_G) {
    if (!repeated && fom_.controls.Pic.visible) {
      beforeList_ = window_.focusWidget();
      window_.Perform([](Fom& fom) { fom.Pic_Click(); });
      if (lstIvent_->isVisible()) {
        if (lstIvent_->currentRow() < 0) lstIvent_->setCurrentRow(0);
        lstIvent_->setFocus();
      }
    }
    return true;
  }
  // A command button takes Space itself; Enter comes here.
  auto* button = qobject_cast<QPushButton*>(window_.focusWidget());
  if (IsEnter(key) && button && button->isVisible() && button->isEnabled()) {
    button->click();
    return true;
  }
  return false;
}

bool KeyboardPlay::ListKey(int key) {
  if (key == Qt::Key_Escape) {
    CloseList([](Fom& fom) { fom.Pic_Click(); });
    return true;
  }
  if (!IsEnter(key) && key != Qt::Key_Space) return false;
  const int row = lstIvent_->currentRow();
  CloseList([row](Fom& fom) {
    fom.controls.LstIvent.listIndex = row;
    fom.LstIvent_Click();
  });
  return true;
}

void KeyboardPlay::CloseList(const std::function<void(Fom&)>& handler) {
  window_.Perform(handler);
  QWidget* back = beforeList_;
  if (!lstIvent_->isVisible() && back && back->isVisible() && back->isEnabled()) back->setFocus();
}

}  // namespace hibi
