#include "qt/qt_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <utility>

#include "game/fom.h"
#include "qt/qt_keys.h"
#include "qt/qt_picture_box.h"

namespace hibi {
namespace {

// About one frame of a 60 Hz screen.
constexpr int kMessageFrameMs = 16;

// The outline round the face and the message. It takes no clicks: they fall
// through to the message label or the window beneath, as a drawn shape would.
class Outline : public QWidget {
 public:
  explicit Outline(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QPen pen(QColor(kShpKOutline.red, kShpKOutline.green, kShpKOutline.blue));
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
};

std::int16_t ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

QColor ColourOf(const Rgb& rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// Named, not looked up: listing the installed families reads the whole font
// configuration, which the title (a picture) does without. Qt falls back to the
// desktop's font when neither is installed.
QFont GameFont() {
  QFont font;
  font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  return font;
}

QLabel* StatusLabel(QWidget* parent, const char* name, const Rgb& colour, const QString& tip) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet(
      QStringLiteral("color: %1; background: white;").arg(ColourOf(colour).name()));
  label->setToolTip(tip);
  return label;
}

}  // namespace

QtWindow::QtWindow() : frameRequest_(std::make_unique<FrameExtentsRequest>()), font_(GameFont()) {
  setObjectName(QStringLiteral("Fom"));
  setFocusPolicy(Qt::StrongFocus);
  BuildWidgets();
  ConnectEvents();
  closeWatcher_ = std::make_unique<CloseRequestWatcher>(*this, [this] {
    if (fom_ && fom_->InModal()) closePending_ = true;
  });
  ctrlHold_.setSingleShot(true);
  ctrlHold_.setInterval(200);
  connect(&ctrlHold_, &QTimer::timeout, this, [this] {
    if (!fom_ || fom_->InModal()) return;
    ctrlFast_ = true;
    Run([](Fom& fom) { fom.Form_KeyDown(kKeyControl); });
  });
}

QtWindow::~QtWindow() = default;

void QtWindow::BuildWidgets() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColourOf(kWindowBackground));
  palette.setColor(QPalette::WindowText, ColourOf(kWindowText));
  palette.setColor(QPalette::Base, ColourOf(kWindowBackground));
  palette.setColor(QPalette::Text, ColourOf(kWindowText));
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(font_);

  // Created in stacking order, beneath first: the label and the outline on the
  // window's own surface, then the boxes, the stage and, topmost, the memory list.
  lbl_ = new QLabel(this);
  lbl_->setObjectName(QStringLiteral("Lbl"));
  lbl_->setTextFormat(Qt::PlainText);
  lbl_->setWordWrap(true);
  lbl_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbl_->setToolTip(kLblTooltip);
  shpK_ = new Outline(this);
  shpK_->setObjectName(QStringLiteral("ShpK"));
  pic_ = new PictureBox(this);
  pic_->setObjectName(QStringLiteral("Pic"));
  picKao_ = new PictureBox(this);
  picKao_->setObjectName(QStringLiteral("PicKao"));

  picCom_ = new QWidget(this);
  picCom_->setObjectName(QStringLiteral("PicCom"));
  lblDay_ = StatusLabel(picCom_, "LblDay", kLblDayText, DayTooltip(0));
  lblTime_ = StatusLabel(picCom_, "LblTime", kLblTimeText, kLblTimeTooltip);
  lblHirou_ = StatusLabel(picCom_, "LblHirou", kLblHirouText, kLblHirouTooltip);
  for (std::size_t i = 0; i < com_.size(); ++i) {
    com_[i] = new QPushButton(kCommandCaptions[i], picCom_);
    com_[i]->setObjectName(QStringLiteral("Com%1").arg(i));
    // Buttons take no focus from a click: keys in scene mode belong to the
    // message area, and a focused button would swallow Space.
    com_[i]->setFocusPolicy(Qt::TabFocus);
  }
  // A flat, graphical look, so the white background shows through the buttons.
  picCom_->setStyleSheet(
      QStringLiteral("QPushButton { background: white; color: black; border: 1px solid #a0a0a0; }"
                     "QPushButton:hover { background: #fff4fc; }"
                     "QPushButton:pressed { background: #f0d8f0; }"
                     "QPushButton:disabled { color: #b0b0b0; }"
                     // The command the keys would press shows, in the frame's colour.
                     "QPushButton:focus { border: 3px solid #ff00ff; }"));

  picStt_ = new PictureBox(this, PictureBox::Keep::kPicture);
  picStt_->setObjectName(QStringLiteral("PicStt"));
  picStt_->setFocusPolicy(Qt::StrongFocus);
  // The day-limit box is made when first shown (TxtDay()).

  lstIvent_ = new QListWidget(this);
  lstIvent_->setObjectName(QStringLiteral("LstIvent"));

  // Design-time state: what the model starts from, rendered in full on attach.
  for (QWidget* box :
       {static_cast<QWidget*>(lbl_), static_cast<QWidget*>(pic_), static_cast<QWidget*>(picKao_),
        picCom_, static_cast<QWidget*>(picStt_), static_cast<QWidget*>(lstIvent_)}) {
    box->hide();
  }
  for (QWidget* watched :
       {static_cast<QWidget*>(lbl_), static_cast<QWidget*>(pic_), static_cast<QWidget*>(picKao_),
        picCom_, static_cast<QWidget*>(picStt_), static_cast<QWidget*>(lblDay_),
        static_cast<QWidget*>(lblTime_), static_cast<QWidget*>(lblHirou_)}) {
    watched->installEventFilter(this);
  }
  for (QTimer* timer : {&timSay_, &timHirou_, &bgmTim_}) timer->setTimerType(Qt::PreciseTimer);
  timSay_.setObjectName(QStringLiteral("TimSay"));
  timHirou_.setObjectName(QStringLiteral("TimHirou"));
  bgmTim_.setObjectName(QStringLiteral("BgmTim"));
  // Every child is placed by the layout. Marked as placed already, a child shown
  // before the first layout does not ask for its size hint, which would read the
  // whole font configuration before the title could show.
  for (QWidget* child : findChildren<QWidget*>()) child->setAttribute(Qt::WA_Resized);
}

void QtWindow::ConnectEvents() {
  for (std::size_t i = 0; i < com_.size(); ++i) {
    const auto index = static_cast<std::int16_t>(i);
    connect(com_[i], &QPushButton::clicked, this,
            [this, index] { Run([index](Fom& fom) { fom.Com_Click(index); }); });
  }
  connect(lstIvent_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstIvent_->row(item);
    Run([row](Fom& fom) {
      fom.controls.LstIvent.listIndex = row;
      fom.LstIvent_Click();
    });
  });
  connect(&timSay_, &QTimer::timeout, this, [this] { Run([](Fom& fom) { fom.TimSay_Timer(); }); });
  stepRest_.setSingleShot(true);
  stepRest_.setInterval(0);
  connect(&stepRest_, &QTimer::timeout, this,
          [this] { Run([](Fom& fom) { fom.ContinueStep(); }); });
  connect(&timHirou_, &QTimer::timeout, this,
          [this] { Run([](Fom& fom) { fom.TimHirou_Timer(); }); });
  messageFrame_.setInterval(kMessageFrameMs);
  connect(&messageFrame_, &QTimer::timeout, this, [this] {
    lbl_->setUpdatesEnabled(true);
    lbl_->repaint();
    lbl_->setUpdatesEnabled(false);
  });
  // The music watchdog's safety tick touches nothing on screen.
  connect(&bgmTim_, &QTimer::timeout, this, [this] {
    if (fom_) fom_->BgmTim_Timer();
  });
}

// A line edit lays out its text as it is made, which reads the whole font
// configuration: 5 ms that the title, a picture, would wait for before it shows.
QLineEdit* QtWindow::TxtDay() {
  if (txtDay_) return txtDay_;
  txtDay_ = new QLineEdit(picStt_);
  txtDay_->setObjectName(QStringLiteral("TxtDay"));
  txtDay_->setToolTip(kTxtDayTooltip);
  txtDay_->hide();
  connect(txtDay_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!fom_) return;
    fom_->controls.TxtDay.text = text;
    shown_.TxtDay.text = text;
  });
  PlaceTxtDay();
  return txtDay_;
}

void QtWindow::Attach(Fom& fom) {
  fom_ = &fom;
  renderAll_ = true;
  Render();
}

template <class Handler>
void QtWindow::Run(Handler&& handler) {
  if (!fom_ || closed_) return;
  handler(*fom_);
  Render();
  if (closePending_ && !fom_->InModal()) {
    closePending_ = false;
    // After the handler that opened the box has returned, not from within it.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  }
}

void QtWindow::Perform(const std::function<void(Fom&)>& handler) {
  Run(handler);
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  // The status labels belong to the panel: presses on them are presses on it.
  if (widget == lblDay_ || widget == lblTime_ || widget == lblHirou_) widget = picCom_;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      Press(widget, static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonDblClick:
      mouseDoubleClickEvent(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonRelease:
      Release(widget, static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::FocusOut:
      // The message area holds the focus in a scene: the window's own focusOutEvent.
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) {
        EndCtrlFastForward();
      }
      return false;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void QtWindow::mousePressEvent(QMouseEvent* event) {
  Press(this, event);
}
// A double-click is one click and then a double-click, which the game ignores: its
// second press raises no press and its release no click. So a double-click turns
// one line, and one on the title starts the game without opening the memory list.
void QtWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  pressedOn_ = nullptr;
}
void QtWindow::mouseReleaseEvent(QMouseEvent* event) {
  Release(this, event);
}

void QtWindow::Press(QWidget* source, QMouseEvent* event) {
  event->accept();
  pressedOn_ = source;
  pressedButton_ = event->button();
  const std::int16_t button = ButtonCode(event->button());
  if (button == 0) return;
  if (source == lbl_) {
    Run([=](Fom& fom) { fom.Lbl_MouseDown(button); });
  } else if (source == this) {
    Run([=](Fom& fom) { fom.Form_MouseDown(button); });
  }
  // The press has set the pacing the player chose; Ctrl no longer holds it.
  ctrlFast_ = false;
}

void QtWindow::Release(QWidget* source, QMouseEvent* event) {
  event->accept();
  const bool click = source == pressedOn_ && event->button() == pressedButton_ &&
                     source->rect().contains(event->position().toPoint());
  pressedOn_ = nullptr;
  if (!click) return;
  const bool leftOrRight = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
  if (source == lbl_ && leftOrRight) {
    Run([](Fom& fom) { fom.Lbl_Click(); });
  } else if (source == this && leftOrRight) {
    Run([](Fom& fom) { fom.Form_Click(); });
  } else if (source == pic_ && event->button() == Qt::LeftButton) {
    Run([](Fom& fom) { fom.Pic_Click(); });
  } else if (source == picStt_ && event->button() == Qt::LeftButton) {
    Run([](Fom& fom) { fom.PicStt_Click(); });
  }
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  // Typing the day limit is the box's own business.
  if (!fom_ || (txtDay_ && focusWidget() == txtDay_)) return;
  if (IsKey(*event, KeyAction::kFastForward)) {
    if (!event->isAutoRepeat() && !ctrlFast_ && !fom_->controls.PicStt.visible) ctrlHold_.start();
    return;
  }
  ctrlHold_.stop();
  if (IsDesktopShortcut(*event)) return;
  const std::int16_t code = GameKeyCode(*event);
  if (fom_->controls.PicStt.visible) {
    // A held key would make the day-limit box flicker on every repeat.
    if (event->isAutoRepeat()) return;
    Run([=](Fom& fom) { fom.PicStt_KeyDown(code); });
  } else {
    Run([=](Fom& fom) { fom.Form_KeyDown(code); });
  }
}

void QtWindow::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  if (IsKey(*event, KeyAction::kFastForward) && !event->isAutoRepeat()) EndCtrlFastForward();
}

// Ctrl let go while another program had the keyboard would otherwise never end it.
void QtWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (event->reason() == Qt::ActiveWindowFocusReason) EndCtrlFastForward();
}

void QtWindow::EndCtrlFastForward() {
  ctrlHold_.stop();
  if (!ctrlFast_) return;
  ctrlFast_ = false;
  Run([](Fom& fom) { fom.Form_KeyUp(kKeyControl); });
}

// A move is the player's: nothing is laid out again and the window stays put.
void QtWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!fom_ || closed_) return;
  fom_->Form_Resize();
  Render();
}

void QtWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Before the first paint, so no one sees the window at its first width.
  TakeStartWidth();
  // The game starts when the window is first shown. Later activations, such as
  // the player coming back from another program, must never reset it.
  if (event->spontaneous() || shownOnce_ || !fom_) return;
  shownOnce_ = true;
  Run([](Fom& fom) { fom.Form_Activate(); });
}

// The frame is counted once, when it is first known: at the first show, or for a
// frame that comes later (Qt's decorations on Wayland, a window manager that did
// not say) at the first pass after it came.
void QtWindow::TakeStartWidth() {
  const QMargins frame = geometry_.Frame();
  if (startOuterWidth_ <= 0 || frame.isNull()) return;
  const int inner = std::max(startOuterWidth_ - frame.left() - frame.right(), 1);
  startOuterWidth_ = 0;
  // A window that opens in full screen, as the player left it, keeps it: a resize would end it.
  if (!isFullScreen() && inner != width()) resize(inner, height());
}

void QtWindow::closeEvent(QCloseEvent* event) {
  // A box or the menu is waiting for the player inside a handler; shutting down
  // under it would leave that handler running on a closed game. The window closes
  // once it has been dismissed (see Run).
  if (fom_ && fom_->InModal()) {
    closePending_ = true;
    event->ignore();
    return;
  }
  event->accept();
  if (closed_) return;
  if (fom_) fom_->Form_Unload();
  closed_ = true;
  for (QTimer* timer : {&timSay_, &timHirou_, &bgmTim_, &messageFrame_, &stepRest_}) timer->stop();
  if (onClosed_) onClosed_();
}

}  // namespace hibi
