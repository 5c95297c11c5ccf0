#include "qt/qt_reader.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QSaveFile>
#include <QStandardPaths>

#include "game/fom.h"
#include "qt/qt_full_screen.h"
#include "qt/qt_key_help.h"
#include "qt/qt_keys.h"
#include "qt/qt_window.h"
#include "qt/qt_window_keys.h"

namespace hibi {
namespace {

constexpr int kSignShownMs = 1500;
constexpr int kNoticeShownMs = 4000;

QLabel* Sign(QWidget& window, const char* name) {
  auto* sign = new QLabel(&window);
  sign->setObjectName(QLatin1String(name));
  sign->setAttribute(Qt::WA_TransparentForMouseEvents);
  sign->setStyleSheet(QStringLiteral(
      "background: rgba(0, 0, 0, 170); color: white; padding: 2px 6px; border-radius: 3px;"));
  sign->hide();
  return sign;
}

}  // namespace

ReaderControls::ReaderControls(QtWindow& window, Fom& fom, WindowKeys& keys,
                               QString preferencesFile)
    : QObject(&window),
      window_(window),
      fom_(fom),
      keys_(keys),
      preferencesFile_(std::move(preferencesFile)),
      choices_(ReadReaderChoices(preferencesFile_)),
      autoSign_(Sign(window, "AutoSign")),
      volumeSign_(Sign(window, "VolumeSign")),
      notice_(Sign(window, "Notice")) {
  autoSign_->setText(QStringLiteral("AUTO"));
  fom_.SetReaderOptions(choices_.options);
  keys_.SetLoudness(static_cast<double>(choices_.volume) / kVolumeSteps);
  keys_.SetOnMuted([this] { ShowVolume(true); });
  autoAdvance_.setSingleShot(true);
  connect(&autoAdvance_, &QTimer::timeout, this,
          [this] { window_.Perform([](Fom& game) { game.AutoAdvance_Timer(); }); });
  for (QTimer* timer : {&volumeShown_, &noticeShown_}) timer->setSingleShot(true);
  connect(&volumeShown_, &QTimer::timeout, this, [this] { ShowVolume(false); });
  connect(&noticeShown_, &QTimer::timeout, notice_, &QWidget::hide);
  window.AddAfterRender([this] { AfterRender(); });
  window.installEventFilter(this);
  // A middle click on the message or the picture puts the message window aside.
  for (const char* name : {"Lbl", "Pic"}) {
    if (auto* child = window.findChild<QWidget*>(QLatin1String(name))) {
      child->installEventFilter(this);
    }
  }
  if (keys_.muted()) ShowVolume(false);
}

bool ReaderControls::Paused() const {
  return (help_ && help_->isVisible()) || (settings_ && settings_->isVisible());
}

void ReaderControls::Apply(const ReaderChoices& choices) {
  const bool readAloud = choices.readAloud != choices_.readAloud;
  const bool volume = choices.volume != choices_.volume;
  choices_ = choices;
  fom_.SetReaderOptions(choices_.options);
  keys_.SetLoudness(static_cast<double>(choices_.volume) / kVolumeSteps);
  if (choices_.fullScreen != window_.isFullScreen()) keys_.ToggleFullScreen();
  RememberReaderChoices(preferencesFile_, choices_);
  if (volume) ShowVolume(true);
  if (readAloud && onReadAloud_) onReadAloud_(choices_.readAloud);
}

void ReaderControls::StepVolume(int steps) {
  ReaderChoices next = choices_;
  next.volume = std::clamp(choices_.volume + steps, 0, kVolumeSteps);
  next.fullScreen = window_.isFullScreen();
  Apply(next);
  ShowVolume(true);
}

// Shown for a moment after a change, and all the time while the music is muted.
void ReaderControls::ShowVolume(bool changed) {
  volumeSign_->setText(keys_.muted() ? QStringLiteral("♪ muted")
                                     : QStringLiteral("♪ %1%").arg(choices_.volume * 10));
  if (changed) volumeShown_.start(kSignShownMs);
  volumeSign_->setVisible(keys_.muted() || volumeShown_.isActive());
  PlaceSigns();
}

void ReaderControls::Notice(const QString& text) {
  notice_->setText(text);
  notice_->show();
  noticeShown_.start(kNoticeShownMs);
  PlaceSigns();
}

void ReaderControls::PlaceSigns() {
  const QRect game = window_.GameArea();
  const int margin = std::max(game.height() / 60, 4);
  for (QLabel* sign : {autoSign_, volumeSign_, notice_}) sign->adjustSize();
  autoSign_->move(game.left() + margin, game.top() + margin);
  volumeSign_->move(game.right() - margin - volumeSign_->width(), game.top() + margin);
  notice_->move(game.left() + margin, game.bottom() - margin - notice_->height());
  for (QLabel* sign : {autoSign_, volumeSign_, notice_}) sign->raise();
  if (help_) help_->Place(game);
}

// The auto-advance waits exactly while the game does at a page end.
void ReaderControls::AfterRender() {
  const std::optional<int> due = fom_.AutoAdvanceDue();
  if (!due) {
    autoAdvance_.stop();
  } else if (!autoAdvance_.isActive()) {
    autoAdvance_.start(*due);
  }
  const bool autoShown = fom_.AutoAdvancing() && !fom_.MessageWindowHidden();
  if (autoSign_->isVisible() != autoShown) {
    autoSign_->setVisible(autoShown);
    PlaceSigns();
  }
}

void ReaderControls::OpenKeyHelp() {
  if (fom_.InModal()) return;
  if (!help_) help_ = new KeyHelp(window_, [this] { CloseKeyHelp(); });
  fom_.SetOverlayOpen(true);
  help_->Place(window_.GameArea());
  help_->show();
  help_->raise();
}

void ReaderControls::CloseKeyHelp() {
  if (!help_ || !help_->isVisible()) return;
  help_->hide();
  fom_.SetOverlayOpen(false);
  window_.Perform([](Fom&) {});  // a close asked for meanwhile goes through now
}

void ReaderControls::OpenSettings() {
  if (fom_.InModal()) return;
  if (!settings_) {
    settings_ = new SettingsDialog(window_, choices_, [this](const ReaderChoices& c) { Apply(c); });
    connect(settings_, &QDialog::finished, this, [this] {
      fom_.SetOverlayOpen(false);
      window_.Perform([](Fom&) {});  // a close asked for meanwhile goes through now
    });
  }
  fom_.SetOverlayOpen(true);
  ReaderChoices now = choices_;
  now.fullScreen = window_.isFullScreen();
  settings_->Show(now);
}

QString ReaderControls::SaveScreenshot() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) {
    Notice(QStringLiteral("No pictures folder to save into"));
    return {};
  }
  const QString stem = folder + QStringLiteral("/hibi-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  QString path = stem + QStringLiteral(".png");
  for (int n = 2; QFileInfo::exists(path); ++n) path = stem + QStringLiteral("-%1.png").arg(n);
  // The game alone: no frame, no bars, none of the signs.
  const bool shown[] = {autoSign_->isVisible(), volumeSign_->isVisible(), notice_->isVisible()};
  for (QLabel* sign : {autoSign_, volumeSign_, notice_}) sign->hide();
  // A window frame may leave the inner area a pixel or two off 8:6; the picture is
  // the whole game, brought to its own shape.
  const QRect game = window_.GameArea();
  const QPixmap picture =
      window_.grab(game).scaled(FitEightBySix(game).size() * window_.devicePixelRatioF(),
                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  autoSign_->setVisible(shown[0]);
  volumeSign_->setVisible(shown[1]);
  notice_->setVisible(shown[2]);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
    Notice(QStringLiteral("Could not save a picture into ") + folder);
    return {};
  }
  Notice(QStringLiteral("Saved ") + path);
  return path;
}

bool ReaderControls::Key(QKeyEvent* event) {
  if (fom_.MessageWindowHidden()) {
    window_.Perform([](Fom& game) { game.ShowMessageWindow(); });
    return true;
  }
  if (help_ && help_->isVisible()) {
    // The window's own keys (full screen, mute) still work under the help.
    const bool closes = IsKey(*event, KeyAction::kCloseKeyHelp);
    if (closes) CloseKeyHelp();
    return closes;
  }
  const bool repeat = event->isAutoRepeat();
  if (IsKey(*event, KeyAction::kKeyHelp)) {
    if (!repeat) OpenKeyHelp();
    return true;
  }
  if (IsKey(*event, KeyAction::kSettings)) {
    if (!repeat) OpenSettings();
    return true;
  }
  if (IsKey(*event, KeyAction::kScreenshot)) {
    if (!repeat && !fom_.InModal()) SaveScreenshot();
    return true;
  }
  // Other keys on the title are the stage's "any key".
  if (fom_.controls.PicStt.visible || fom_.InModal()) return false;
  if (IsKey(*event, KeyAction::kAutoAdvance)) {
    if (!repeat) window_.Perform([](Fom& game) { game.ToggleAutoAdvance(); });
    return true;
  }
  if (IsKey(*event, KeyAction::kHideMessage)) {
    if (!repeat) window_.Perform([](Fom& game) { game.HideMessageWindow(); });
    return true;
  }
  const int steps = IsKey(*event, KeyAction::kLouder) - IsKey(*event, KeyAction::kSofter);
  if (steps != 0) StepVolume(steps);
  return steps != 0;
}

bool ReaderControls::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      return watched == &window_ && Key(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (!fom_.MessageWindowHidden()) return false;
      swallowRelease_ = true;
      window_.Perform([](Fom& game) { game.ShowMessageWindow(); });
      return true;
    case QEvent::MouseButtonRelease:
      if (swallowRelease_) {
        swallowRelease_ = false;
        return true;
      }
      if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        window_.Perform([](Fom& game) { game.HideMessageWindow(); });
      }
      return false;
    case QEvent::Resize:
      if (watched == &window_) PlaceSigns();
      return false;
    case QEvent::Close:
      // The game shuts down from where it stood, as it does under the history.
      if (watched == &window_) {
        CloseKeyHelp();
        if (settings_) settings_->reject();
      }
      return false;
    default:
      return false;
  }
}

}  // namespace hibi
