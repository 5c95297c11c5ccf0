// The keys that belong to the window rather than to the game: F11 and Alt+Enter
// toggle full screen, Escape leaves it, M mutes and unmutes the tune. They work
// everywhere, and F11, Alt+Enter and M never reach the title stage. Both choices
// are remembered between runs in the player's own configuration folder, never in
// the game's folder. A preferences file larger than 1 MiB, or one that is no plain
// file, is neither read nor written: a note on standard error says so, and the
// choices then last for the run.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "audio/midi_device.h"

namespace hibi {

class QtWindow;

// The file the choices live in, under the user's configuration folder; empty when
// there is none, and then nothing is remembered.
QString PreferencesFile();

class WindowKeys : public QObject {
 public:
  // Sets the device's volume from the remembered choice at once, before any tune opens.
  WindowKeys(QtWindow& window, MidiDevice& midi, QString preferencesFile = PreferencesFile());

  // Shows the window for the first time, in full screen if the player left it so.
  void ShowWindow();
  void ToggleFullScreen();
  void ToggleMute();
  bool muted() const { return muted_; }
  // The file the choices are read from and written to: empty when the one given was
  // too large or no plain file, so every other reader of the choices skips it too.
  const QString& preferencesFile() const { return preferencesFile_; }
  // The loudness the tune has when not muted, from 0 to 1; full unless set.
  void SetLoudness(double loudness);
  // Runs after every change of the mute.
  void SetOnMuted(std::function<void()> onMuted) { onMuted_ = std::move(onMuted); }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Remember(const QString& key, bool value);
  void PaintBars();

  QtWindow& window_;
  MidiDevice& midi_;
  QString preferencesFile_;
  bool muted_ = false;
  double loudness_ = 1;
  std::function<void()> onMuted_;
};

}  // namespace hibi
