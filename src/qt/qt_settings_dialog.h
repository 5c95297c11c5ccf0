// The settings window (F2): text speed, the auto-advance pause, what a held Ctrl
// skips, the volume, full screen and reading lines aloud. Every change applies at
// once and is kept with the other remembered choices (mute, full screen) in the
// player's preferences file, never in the game folder.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "game/reader.h"

namespace hibi {

// The volume in steps, from 0 (silent) to kVolumeSteps (full, the game's own).
inline constexpr int kVolumeSteps = 10;

struct ReaderChoices {
  ReaderOptions options;
  int volume = kVolumeSteps;
  bool readAloud = false;
  bool fullScreen = false;  // kept by the window keys, shown here
};

// The choices the file holds, each one bounded; defaults where it has none.
ReaderChoices ReadReaderChoices(const QString& preferencesFile);
// Writes every choice but full screen, which the window keys keep.
void RememberReaderChoices(const QString& preferencesFile, const ReaderChoices& choices);

class SettingsDialog : public QDialog {
 public:
  // `changed` runs after every change the player makes, with all the choices.
  SettingsDialog(QWidget& parent, const ReaderChoices& choices,
                 std::function<void(const ReaderChoices&)> changed);

  // Shows what the choices are now (a key may have changed the volume meanwhile).
  void Show(const ReaderChoices& choices);

 private:
  void Fill(const ReaderChoices& choices);
  void Changed();

  ReaderChoices choices_;
  std::function<void(const ReaderChoices&)> changed_;
  bool filling_ = false;
};

}  // namespace hibi
