#include "qt/qt_keyboard_play.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "game/fom.h"
#include "qt/qt_keys.h"
#include "qt/qt_speech.h"
#include "qt/qt_window.h"

namespace hibi {

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
  const auto& key = *static_cast<QKeyEvent*>(event);
  if (watched == lstIvent_) return ListKey(key);
  if (fom_.controls.PicStt.visible) return TitleKey(key);
  return GameKey(key);
}

// Plain keys on the title stay the stage's own; the day-limit box keeps its typing.
bool KeyboardPlay::TitleKey(const QKeyEvent& key) {
  const QWidget* focus = window_.focusWidget();
  const bool inDayBox = focus && focus->objectName() == QLatin1String("TxtDay");
  if (!IsKey(key, KeyAction::kBegin) && !(inDayBox && IsKey(key, KeyAction::kBeginWithDays))) {
    return false;
  }
  window_.Perform([](Fom& fom) { fom.PicStt_Click(); });
  return true;
}

bool KeyboardPlay::GameKey(const QKeyEvent& key) {
  const bool repeated = key.isAutoRepeat();
  if (IsKey(key, KeyAction::kReadAloud)) {
    if (!repeated) readAloud_.Toggle();
    return true;
  }
  if (IsKey(key, KeyAction::kGallery)) {
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
  if (IsKey(key, KeyAction::kPressCommand) && button && button->isVisible() &&
      button->isEnabled()) {
    button->click();
    return true;
  }
  return false;
}

bool KeyboardPlay::ListKey(const QKeyEvent& key) {
  if (IsKey(key, KeyAction::kCloseGallery)) {
    CloseList([](Fom& fom) { fom.Pic_Click(); });
    return true;
  }
  if (!IsKey(key, KeyAction::kShowPicture)) return false;
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
