// The whole program on Qt: the window, the real adapters and the game core wired
// together. main() only creates the application and the devices and calls RunGame.
#pragma once

#include <QString>
#include <ostream>

#include "audio/midi_device.h"
#include "game/fom.h"
#include "game/music.h"
#include "qt/qt_accessibility.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_history.h"
#include "qt/qt_keyboard_play.h"
#include "qt/qt_pictures.h"
#include "qt/qt_reader.h"
#include "qt/qt_shell.h"
#include "qt/qt_speech.h"
#include "qt/qt_window.h"
#include "qt/qt_window_keys.h"

namespace hibi {

// The sample game's title: the window's caption and the title of every box.
inline const QString kGameTitle = QStringLiteral("なつやすみ、とおかかん");

class QtGame {
 public:
  // The player's own choices (mute, full screen, reading aloud) live in `preferencesFile`.
  QtGame(const QString& programFolder, MidiDevice& midi, Random& random,
         const QString& preferencesFile = PreferencesFile());
  ~QtGame();
  QtGame(const QtGame&) = delete;
  QtGame& operator=(const QtGame&) = delete;

  // Form_Load, then shows the window, which starts a new game on the title.
  // Throws SettingsError before anything is shown or written.
  void Start();

  QtWindow& window() { return window_; }
  Fom& fom() { return fom_; }
  HistoryView& history() { return *history_; }
  WindowKeys& keys() { return *keys_; }
  ReaderControls& reader() { return *reader_; }
  ReadAloud& readAloud() { return *readAloud_; }
  ScreenReader& screenReader() { return *screenReader_; }

 private:
  MidiDevice& midi_;
  QtWindow window_;
  QtPictures pictures_;
  QtDialogs dialogs_;
  QtShell shell_;
  Music music_;
  Fom fom_;
  // Children of the window, owned by it.
  HistoryView* history_;
  WindowKeys* keys_;
  ReaderControls* reader_;
  ReadAloud* readAloud_;
  ScreenReader* screenReader_;
  KeyboardPlay* keyboardPlay_;
};

// Runs the game in the folder until the player closes the window; returns the
// exit status. When the settings file cannot be used it shows a box and writes one
// line naming the file and the fault to `errors`, shows no window, writes no file
// and returns 1. Needs a QApplication.
int RunGame(const QString& programFolder, MidiDevice& midi, Random& random, std::ostream& errors);

}  // namespace hibi
