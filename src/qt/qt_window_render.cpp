// The window's half that follows the game: re-rendering from the controls model,
// and putting the layout onto the real widgets.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "game/fom.h"
#include "qt/qt_full_screen.h"
#include "qt/qt_picture_box.h"
#include "qt/qt_window.h"

namespace hibi {
namespace {

// The message keeps its rows: CR LF (or a lone CR) starts a new line.
QString DisplayText(const QString& caption) {
  QString text = caption;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

void SetPointSize(QWidget* widget, const QFont& base, int points) {
  QFont font = base;
  font.setPointSize(points);
  widget->setFont(font);
}

}  // namespace

void QtWindow::Render() {
  if (!fom_) return;
  const Controls& want = fom_->controls;
  Controls& have = shown_;
  const bool all = renderAll_;
  renderAll_ = false;
  auto visible = [all](QWidget* widget, bool wanted, bool& shown) {
    if (all || wanted != shown) widget->setVisible(wanted);
    shown = wanted;
  };
  auto caption = [all](QLabel* label, const QString& wanted, QString& shown) {
    if (all || wanted != shown) label->setText(DisplayText(wanted));
    shown = wanted;
  };

  caption(lbl_, want.Lbl.caption, have.Lbl.caption);
  caption(lblDay_, want.LblDay.caption, have.LblDay.caption);
  caption(lblTime_, want.LblTime.caption, have.LblTime.caption);
  caption(lblHirou_, want.LblHirou.caption, have.LblHirou.caption);
  visible(lblDay_, want.LblDay.visible, have.LblDay.visible);
  visible(lblTime_, want.LblTime.visible, have.LblTime.visible);
  visible(lblHirou_, want.LblHirou.visible, have.LblHirou.visible);
  if (all || want.PicCom.enabled != have.PicCom.enabled) picCom_->setEnabled(want.PicCom.enabled);
  have.PicCom.enabled = want.PicCom.enabled;
  if (want.TxtDay.visible || txtDay_) {
    if (all || want.TxtDay.text != TxtDay()->text()) txtDay_->setText(want.TxtDay.text);
  }
  have.TxtDay.text = want.TxtDay.text;

  if (all || want.LstIvent.items != have.LstIvent.items) {
    const QStringList& items = want.LstIvent.items;
    const QStringList& old = have.LstIvent.items;
    // The memory list only ever grows at its end; anything else is rebuilt.
    if (!all && items.size() >= old.size() && items.mid(0, old.size()) == old) {
      lstIvent_->addItems(items.mid(old.size()));
    } else {
      lstIvent_->clear();
      lstIvent_->addItems(items);
    }
    have.LstIvent.items = items;
  }
  if (all || want.LstIvent.listIndex != have.LstIvent.listIndex) {
    lstIvent_->setCurrentRow(want.LstIvent.listIndex);
  }
  have.LstIvent.listIndex = want.LstIvent.listIndex;

  visible(lbl_, want.Lbl.visible, have.Lbl.visible);
  visible(shpK_, want.ShpK.visible, have.ShpK.visible);
  visible(pic_, want.Pic.visible, have.Pic.visible);
  visible(picKao_, want.PicKao.visible, have.PicKao.visible);
  visible(picCom_, want.PicCom.visible, have.PicCom.visible);
  visible(picStt_, want.PicStt.visible, have.PicStt.visible);
  if (txtDay_) visible(txtDay_, want.TxtDay.visible, have.TxtDay.visible);
  have.TxtDay.visible = want.TxtDay.visible;
  visible(lstIvent_, want.LstIvent.visible, have.LstIvent.visible);

  RenderTimer(timSay_, want.TimSay, have.TimSay);
  PaceMessagePaints();
  RenderTimer(timHirou_, want.TimHirou, have.TimHirou);
  RenderMusicWatch(want.BgmTim);
  have.BgmTim = want.BgmTim;
  FixFocus();
  // A step left unfinished goes on from the event loop, but not while a box, the menu
  // or the history is open or the message window is put aside: the step could not go
  // on, and the loop would only spin.
  if (fom_->StepUnfinished() && !fom_->InModal() && !fom_->MessageWindowHidden() && !closed_)
    stepRest_.start();
  for (const auto& hook : afterRender_) hook();
}

// BgmTim's 1 ms stands for "as soon as the tune can have stopped", which the
// device's notice delivers without polling. What remains is a slow tick for an
// end the device did not announce, and none at all without a tune.
void QtWindow::RenderMusicWatch(const TimerControl& want) {
  constexpr int kSafetyTickMs = 250;
  const bool run = want.enabled && tuneOpen_ && !closed_;
  if (run == bgmTim_.isActive()) return;
  if (run) {
    bgmTim_.setTimerType(Qt::CoarseTimer);
    bgmTim_.start(kSafetyTickMs);
  } else {
    bgmTim_.stop();
  }
}

void QtWindow::MusicNotice(bool tuneOpen) {
  tuneOpen_ = tuneOpen;
  if (!fom_) return;
  if (tuneOpen_ && fom_->controls.BgmTim.enabled && !closed_) fom_->BgmTim_Timer();
  RenderMusicWatch(fom_->controls.BgmTim);
}

// Fast-forward steps every millisecond, the screen shows some sixty frames a
// second. Repainted at every step, the message took the time the steps need (they
// ran at 0.89 of the timer's rate); repainted once a frame, it looks the same.
void QtWindow::PaceMessagePaints() {
  const bool racing = timSay_.isActive() && timSay_.interval() <= kFastForwardMs;
  if (racing == messageHeld_) return;
  messageHeld_ = racing;
  // Enabled again, the label repaints what changed meanwhile.
  lbl_->setUpdatesEnabled(!racing);
  if (racing) {
    messageFrame_.start();
  } else {
    messageFrame_.stop();
  }
}

void QtWindow::RenderTimer(QTimer& timer, const TimerControl& want, TimerControl& have) {
  if (want.interval != timer.interval()) timer.setInterval(std::max(want.interval, 0));
  if (want.enabled != timer.isActive()) {
    if (want.enabled) {
      timer.start();
    } else {
      timer.stop();
    }
  }
  have = want;
}

// Keys must reach the game: on the title the stage holds the focus, elsewhere the
// message area does (the window when it is hidden), unless the player is in the
// day-limit box, the memory list or at a command.
void QtWindow::FixFocus() {
  if (!isVisible() || closed_) return;
  QWidget* focus = focusWidget();
  const bool usable = focus && focus->isVisible() && focus->isEnabled();
  if (picStt_->isVisible()) {
    if (!usable || (focus != txtDay_ && focus != lstIvent_)) picStt_->setFocus();
  } else if (!usable || focus == picStt_ || focus == txtDay_ || focus == this) {
    (lbl_->isVisible() ? static_cast<QWidget*>(lbl_) : this)->setFocus();
  }
}

double QtWindow::TwipsPerPixel() const {
  const QScreen* shown = screen();
  const double dpi = shown ? shown->logicalDotsPerInchX() : 96.0;
  return hibi::TwipsPerPixel(dpi > 0 ? dpi : 96.0);
}

WindowMetrics QtWindow::MetricsTwips() const {
  const double tpp = TwipsPerPixel();
  const QRect screenRect = screen() ? screen()->geometry() : QRect();
  const QRect usable = UsableArea(*this);
  const TwipRect usableTwips{usable.left() * tpp, usable.top() * tpp, usable.width() * tpp,
                             usable.height() * tpp};
  // Maximised or full screen, the game is laid out, fonts too, at the size of its
  // 8:6 part; the platform owns the window's size and place.
  if (geometry_.PlatformSized()) {
    const QRect area = GameArea();
    return {area.width() * tpp,
            area.height() * tpp,
            screenRect.width() * tpp,
            screenRect.height() * tpp,
            false,
            usableTwips};
  }
  const QMargins frame = geometry_.Frame();
  return {(width() + frame.left() + frame.right()) * tpp,
          (height() + frame.top() + frame.bottom()) * tpp,
          screenRect.width() * tpp,
          screenRect.height() * tpp,
          !geometry_.Hold(),
          usableTwips};
}

QRect QtWindow::GameArea() const {
  return geometry_.PlatformSized() ? FitEightBySix(rect()) : rect();
}

QFont QtWindow::DialogFont() const {
  return lbl_->font();
}

void QtWindow::Relayout() {
  if (!fom_ || closed_) return;
  TakeStartWidth();
  fom_->Form_Resize();
  Render();
}

void QtWindow::SetOuterWidthTwips(double twips) {
  // Asked before the window is first shown, so it appears with its outer size
  // right instead of jumping once the frame is known.
  if (!isVisible() && frameRequest_) {
    geometry_.Announce(frameRequest_->Answer(devicePixelRatioF()));
    frameRequest_.reset();
  }
  const QMargins frame = geometry_.Frame();
  const int outer = static_cast<int>(std::lround(twips / TwipsPerPixel()));
  if (!isVisible()) startOuterWidth_ = outer;
  resize(std::max(outer - frame.left() - frame.right(), 1), height());
}

void QtWindow::ApplyLayout(const Layout& layout) {
  const double tpp = TwipsPerPixel();
  if (layout.placement) {
    const QMargins frame = geometry_.Frame();
    const auto pixels = [tpp](double twips) { return static_cast<int>(std::lround(twips / tpp)); };
    const QRect inner(pixels(layout.placement->left) + frame.left(),
                      pixels(layout.placement->top) + frame.top(),
                      std::max(pixels(layout.placement->width) - frame.left() - frame.right(), 1),
                      std::max(pixels(layout.placement->height) - frame.top() - frame.bottom(), 1));
    geometry_.Placed(inner, frame);
    if (inner != geometry()) setGeometry(inner);
  }
  if (!layout.laidOut) return;

  const QRect game = GameArea();
  const auto place = [&](QWidget* widget, const GridRect& rect) {
    widget->setGeometry(ToPixels(rect, kWindowGrid, game.size()).translated(game.topLeft()));
  };
  place(lstIvent_, kLstIventRect);
  place(picStt_, kPicSttRect);
  place(pic_, kPicRect);
  place(picKao_, kPicKaoRect);
  place(lbl_, kLblRect);
  place(shpK_, kShpKRect);
  place(picCom_, kPicComRect);
  txtDaySize_ = QSize(static_cast<int>(std::lround(kTxtDayWidthTwips / tpp)),
                      static_cast<int>(std::lround(kTxtDayHeightTwips / tpp)));
  txtDayPoints_ = layout.fontUnit;
  PlaceTxtDay();

  const QSizeF panel = picCom_->size();
  lblDay_->setGeometry(ToPixels(PanelRow(kLblDayRow), kPanelGrid, panel));
  lblTime_->setGeometry(ToPixels(PanelRow(kLblTimeRow), kPanelGrid, panel));
  lblHirou_->setGeometry(ToPixels(PanelRow(kLblHirouRow), kPanelGrid, panel));
  for (std::size_t i = 0; i < com_.size(); ++i) {
    const int row = kFirstCommandRow + static_cast<int>(i);
    com_[i]->setGeometry(ToPixels(PanelRow(row), kPanelGrid, panel));
    SetPointSize(com_[i], font_, layout.fontUnit);
  }

  SetPointSize(lbl_, font_, layout.fontUnit);
  SetPointSize(lblDay_, font_, layout.dayFontSize);
  SetPointSize(lblTime_, font_, layout.fontUnit);
  SetPointSize(lblHirou_, font_, lblDay_->font().pointSize());
  lblDay_->setToolTip(layout.dayTooltip);
}

void QtWindow::PlaceTxtDay() {
  if (!txtDay_ || txtDaySize_.isEmpty()) return;
  txtDay_->setGeometry(QRect(QPoint(0, 0), txtDaySize_));
  SetPointSize(txtDay_, font_, txtDayPoints_);
}

void QtWindow::SelectDayLimitText() {
  // The box may have been shown by the running handler a moment ago.
  Render();
  TxtDay()->setFocus();
  txtDay_->selectAll();
}

}  // namespace hibi
