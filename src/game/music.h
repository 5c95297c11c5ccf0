// The shared music routines and their one flag. The window opens and starts the
// tune at start-up, its watchdog timer restarts it whenever it has stopped, and it
// is closed at shutdown. No routine reports a failure: without a tune or a sound
// device the game simply runs in silence.
#pragma once

#include <QString>

#include "audio/midi_device.h"

namespace hibi {

class Music {
 public:
  explicit Music(MidiDevice& device) : device_(device) {}

  // False at program start, set once by start-up between OpenMusic and PlayMusic.
  bool bgmEnabled = false;

  // Closes any open tune first, so at most one is ever open.
  void OpenMusic(const QString& path);
  // Starts the tune, only while bgmEnabled is true.
  void PlayMusic();
  void CloseMusic();
  // One watchdog tick: when the device reports a mode whose first seven characters
  // are "STOPPED" in any letter case and bgmEnabled is true, rewinds and restarts.
  void BgmTim_Timer();

 private:
  MidiDevice& device_;
};

}  // namespace hibi
