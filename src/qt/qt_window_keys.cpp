#include "qt/qt_window_keys.h"

#include <sys/stat.h>

#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

#include "qt/qt_keys.h"
#include "qt/qt_window.h"

namespace hibi {
namespace {

const QString kMuted = QStringLiteral("muted");
const QString kFullScreen = QStringLiteral("fullScreen");

// The choices fit in a few hundred bytes. A file far past that is not ours to parse
// (reading it whole cost seconds and gigabytes before the title), nor to rewrite.
constexpr qint64 kMaxPreferencesBytes = 1024 * 1024;

// The file when it can be used; empty, with a note on standard error, when it is too
// large or no plain file, and the choices then live only for this run.
QString UsablePreferences(const QString& file) {
  struct stat info {};
  if (file.isEmpty() || ::stat(QFile::encodeName(file).constData(), &info) != 0) return file;
  if (S_ISREG(info.st_mode) && info.st_size <= kMaxPreferencesBytes) return file;
  const char* why = S_ISREG(info.st_mode) ? "larger than 1 MiB" : "not a plain file";
  fprintf(stderr, "hibi: %s is %s; it is ignored and nothing is remembered in it.\n",
          QFile::encodeName(file).constData(), why);
  return QString();
}

bool ReadChoice(const QString& file, const QString& key) {
  if (file.isEmpty()) return false;
  return QSettings(file, QSettings::IniFormat).value(key, false).toBool();
}

}  // namespace

QString PreferencesFile() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return folder.isEmpty() ? QString() : folder + QStringLiteral("/hibi/hibi.conf");
}

WindowKeys::WindowKeys(QtWindow& window, MidiDevice& midi, QString preferencesFile)
    : QObject(&window),
      window_(window),
      midi_(midi),
      preferencesFile_(UsablePreferences(preferencesFile)),
      muted_(ReadChoice(preferencesFile_, kMuted)) {
  midi_.SetVolume(muted_ ? 0 : 1);
  window.installEventFilter(this);
}

void WindowKeys::ShowWindow() {
  if (ReadChoice(preferencesFile_, kFullScreen)) {
    window_.showFullScreen();
  } else {
    window_.show();
  }
}

void WindowKeys::Remember(const QString& key, bool value) {
  if (preferencesFile_.isEmpty()) return;
  QSettings settings(preferencesFile_, QSettings::IniFormat);
  settings.setValue(key, value);
}

void WindowKeys::ToggleMute() {
  muted_ = !muted_;
  midi_.SetVolume(muted_ ? 0 : loudness_);
  Remember(kMuted, muted_);
  if (onMuted_) onMuted_();
}

void WindowKeys::SetLoudness(double loudness) {
  loudness_ = loudness;
  midi_.SetVolume(muted_ ? 0 : loudness_);
}

// The window's size and place from before come back on their own (WindowGeometry).
void WindowKeys::ToggleFullScreen() {
  if (window_.isFullScreen()) {
    window_.showNormal();
  } else {
    window_.showFullScreen();
  }
  Remember(kFullScreen, window_.isFullScreen());
}

void WindowKeys::PaintBars() {
  const QRect game = window_.GameArea();
  if (game == window_.rect()) return;
  QPainter painter(&window_);
  const QRect all = window_.rect();
  painter.fillRect(QRect(all.left(), all.top(), all.width(), game.top() - all.top()), Qt::black);
  painter.fillRect(QRect(all.left(), game.bottom() + 1, all.width(), all.bottom() - game.bottom()),
                   Qt::black);
  painter.fillRect(QRect(all.left(), game.top(), game.left() - all.left(), game.height()),
                   Qt::black);
  painter.fillRect(QRect(game.right() + 1, game.top(), all.right() - game.right(), game.height()),
                   Qt::black);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  switch (event->type()) {
    case QEvent::Paint:
      PaintBars();
      return false;
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (IsKey(*key, KeyAction::kFullScreen)) {
        if (!key->isAutoRepeat()) ToggleFullScreen();
        return true;
      }
      if (IsKey(*key, KeyAction::kMute)) {
        if (!key->isAutoRepeat()) ToggleMute();
        return true;
      }
      // Escape goes on to the game too: on the title every other key is the stage's.
      if (IsKey(*key, KeyAction::kLeaveFullScreen) && window_.isFullScreen()) ToggleFullScreen();
      return false;
    }
    default:
      return false;
  }
}

}  // namespace hibi
