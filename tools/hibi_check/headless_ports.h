// The ports of a game played with no window, for the simulation: pictures draw
// nothing but remember which event pictures were asked for, boxes are recorded and
// the menu is dismissed, the random generator replays a seed, the shell is fixed
// and the tune is silent.
#pragma once

#include <QString>
#include <QStringList>

#include "audio/midi_device.h"
#include "game/ports.h"
#include "game/system_random.h"

namespace hibi::check {

class HeadlessPictures : public Pictures {
 public:
  void Clear(PictureTarget) override {}
  // Succeeds without looking: the plain check reports pictures that do not load.
  bool Load(PictureBuffer buffer, const QString& path) override {
    if (buffer == PictureBuffer::E) eventPictures << path;
    return true;
  }
  void StretchDraw(PictureBuffer, PictureTarget) override {}

  QStringList eventPictures;  // paths loaded into E, in order
};

class HeadlessDialogs : public Dialogs {
 public:
  void MessageBox(const QString& text) override { boxes << text; }
  MenuChoice PopupMenu() override { return MenuChoice::None; }

  QStringList boxes;
};

// The game's own generator, seeded by the simulation for every game instead of
// from the clock, so a game can be played again.
class SeededRandom : public SystemRandom {
 public:
  void SeedFromClock() override {}
};

class HeadlessShell : public Shell {
 public:
  explicit HeadlessShell(QString folder) : folder_(std::move(folder)) {}
  QString ProgramFolder() override { return folder_; }
  double ScreenWidthTwips() override { return 28800; }
  void SetWindowWidthTwips(double) override {}
  void SelectDayLimitText() override {}
  WindowMetrics WindowMetricsTwips() override { return {20160, 15120, 28800, 16200}; }
  void ApplyLayout(const Layout&) override {}

 private:
  QString folder_;
};

class SilentMidi : public MidiDevice {
 public:
  void Close() override {}
  void Open(const QString&) override {}
  void Play() override {}
  bool Status(char*, int) override { return false; }
  void Rewind() override {}
  void PlayFromStart() override {}
  void SetVolume(double) override {}
};

}  // namespace hibi::check
