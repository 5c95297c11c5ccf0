#include "qt/qt_history.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "game/fom.h"
#include "qt/qt_keys.h"
#include "qt/qt_window.h"

namespace hibi {
namespace {

constexpr int kRowsPerWheelStep = 3;

}  // namespace

HistoryView::HistoryView(QtWindow& window, Fom& fom)
    : QWidget(&window),
      window_(window),
      fom_(fom),
      lbl_(window.findChild<QLabel*>(QStringLiteral("Lbl"))) {
  setObjectName(QStringLiteral("History"));
  setFocusPolicy(Qt::StrongFocus);
  hide();
  window.installEventFilter(this);
  if (lbl_) lbl_->installEventFilter(this);
}

// Made when first opened: a text editor lays out its empty document as it is made,
// which reads the whole font configuration before the title could show.
QPlainTextEdit* HistoryView::Text() {
  if (text_) return text_;
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("HistoryText"));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::NoTextInteraction);
  text_->setFocusPolicy(Qt::NoFocus);
  text_->setContextMenuPolicy(Qt::NoContextMenu);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->setStyleSheet(QStringLiteral(
      "QPlainTextEdit { background: white; color: black; border: 2px solid #ff00ff; }"));
  text_->viewport()->installEventFilter(this);
  text_->verticalScrollBar()->installEventFilter(this);
  return text_;
}

bool HistoryView::Open() {
  if (IsOpen() || !fom_.OpenHistory()) return false;
  Text()->setPlainText(fom_.history.Rows().join(u'\n'));
  Place();
  show();
  raise();
  setFocus();
  QScrollBar* bar = text_->verticalScrollBar();
  bar->setValue(bar->maximum());
  return true;
}

void HistoryView::Close() {
  if (!IsOpen()) return;
  hide();
  fom_.CloseHistory();
  window_.Render();
}

void HistoryView::Place() {
  setGeometry(window_.rect());
  if (!lbl_ || !text_) return;
  text_->setGeometry(lbl_->geometry());
  text_->setFont(lbl_->font());
}

void HistoryView::Scroll(int rows) {
  QScrollBar* bar = Text()->verticalScrollBar();
  bar->setValue(bar->value() + rows);
}

void HistoryView::Wheel(QWheelEvent* event) {
  event->accept();
  const int steps = event->angleDelta().y() / 120;
  const int turned = steps != 0 ? steps : (event->angleDelta().y() > 0 ? 1 : -1);
  const QScrollBar* bar = Text()->verticalScrollBar();
  if (turned < 0 && bar->value() >= bar->maximum()) {
    Close();
  } else {
    Scroll(-turned * kRowsPerWheelStep);
  }
}

bool HistoryView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    switch (event->type()) {
      case QEvent::Wheel:
        // Turned up anywhere over the game, the wheel reads back.
        if (static_cast<QWheelEvent*>(event)->angleDelta().y() > 0) return Open();
        return false;
      case QEvent::KeyPress:
        return IsKey(*static_cast<QKeyEvent*>(event), KeyAction::kOpenHistory) && Open();
      case QEvent::Close:
        Close();  // the game shuts down from where it stood
        return false;
      default:
        return false;
    }
  }
  if (watched == lbl_) {
    const QEvent::Type type = event->type();
    if (IsOpen() && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::FontChange))
      Place();
    return false;
  }
  // The rows and the scroll bar: the wheel behaves as anywhere else, a click on the
  // rows closes; the bar can still be dragged.
  if (!text_) return false;
  switch (event->type()) {
    case QEvent::Wheel:
      Wheel(static_cast<QWheelEvent*>(event));
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (watched != text_->viewport()) return false;
      mousePressEvent(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonRelease:
      if (watched != text_->viewport()) return false;
      mouseReleaseEvent(static_cast<QMouseEvent*>(event));
      return true;
    default:
      return false;
  }
}

void HistoryView::keyPressEvent(QKeyEvent* event) {
  const int page = Text()->verticalScrollBar()->pageStep();
  if (IsKey(*event, KeyAction::kCloseHistory)) {
    Close();
  } else if (IsKey(*event, KeyAction::kHistoryPageUp)) {
    Scroll(-page);
  } else if (IsKey(*event, KeyAction::kHistoryPageDown)) {
    Scroll(page);
  } else if (IsKey(*event, KeyAction::kHistoryLineUp)) {
    Scroll(-1);
  } else if (IsKey(*event, KeyAction::kHistoryLineDown)) {
    Scroll(1);
  } else {
    // The window's own keys (full screen, mute) still work; the game ignores the
    // rest while the history is open.
    event->ignore();
    return;
  }
  event->accept();
}

void HistoryView::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void HistoryView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) Close();
}

void HistoryView::wheelEvent(QWheelEvent* event) {
  Wheel(event);
}

}  // namespace hibi
