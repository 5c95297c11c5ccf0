// The reader's controls on the window: A (auto-advance), H and the middle click
// (hide the message window), - and + (volume), F1 (key help), F2 (settings) and F12
// (a picture of the game). Outside the title stage only, except the function keys;
// none of them while a box, the menu or the history is open; none changes a save or
// the memory list. Small signs over the game show auto-advance, the volume (for a
// moment, and for as long as the music is muted) and where a picture went.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QTimer>
#include <functional>

#include "qt/qt_settings_dialog.h"

class QLabel;

namespace hibi {

class Fom;
class KeyHelp;
class QtWindow;
class WindowKeys;

class ReaderControls : public QObject {
 public:
  // Applies the remembered choices at once: the speed to the game, the volume to
  // the tune.
  ReaderControls(QtWindow& window, Fom& fom, WindowKeys& keys, QString preferencesFile);

  // Told whenever the player turns reading aloud on or off in the settings window.
  void SetOnReadAloud(std::function<void(bool)> onReadAloud) {
    onReadAloud_ = std::move(onReadAloud);
  }
  const ReaderChoices& choices() const { return choices_; }

  void StepVolume(int steps);
  void OpenKeyHelp();
  void CloseKeyHelp();
  void OpenSettings();
  // Writes the 8:6 picture of the game as a PNG into the player's pictures folder,
  // named by date and time; returns its path, empty when it could not be written.
  QString SaveScreenshot();

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Key(QKeyEvent* event);
  void Apply(const ReaderChoices& choices);
  void AfterRender();
  void ShowVolume(bool changed);
  void Notice(const QString& text);
  void PlaceSigns();
  bool Paused() const;

  QtWindow& window_;
  Fom& fom_;
  WindowKeys& keys_;
  QString preferencesFile_;
  ReaderChoices choices_;
  std::function<void(bool)> onReadAloud_;
  QTimer autoAdvance_{this};
  QTimer volumeShown_{this};
  QTimer noticeShown_{this};
  // A press that brought the message window back; its release is no click.
  bool swallowRelease_ = false;
  // Children of the window, owned by it.
  QLabel* autoSign_;
  QLabel* volumeSign_;
  QLabel* notice_;
  KeyHelp* help_ = nullptr;
  SettingsDialog* settings_ = nullptr;
};

}  // namespace hibi
