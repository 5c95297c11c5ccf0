// Ports that do nothing, for timing the core alone.
#pragma once

#include "audio/midi_device.h"
#include "game/ports.h"
#include "layout/layout.h"

namespace hibi::bench {

class NullPictures : public Pictures {
 public:
  void Clear(PictureTarget) override {}
  bool Load(PictureBuffer, const QString&) override { return false; }
  void StretchDraw(PictureBuffer, PictureTarget) override {}
};

class NullDialogs : public Dialogs {
 public:
  void MessageBox(const QString&) override { ++boxes; }
  MenuChoice PopupMenu() override { return MenuChoice::None; }
  int boxes = 0;  // a box means the benchmark's game is broken
};

class FixedRandom : public Random {
 public:
  void SeedFromClock() override {}
  float Next() override { return 0.5f; }
};

class NullShell : public Shell {
 public:
  explicit NullShell(QString folder) : folder_(std::move(folder)) {}
  QString ProgramFolder() override { return folder_; }
  double ScreenWidthTwips() override { return 28800; }
  void SetWindowWidthTwips(double) override {}
  void SelectDayLimitText() override {}
  WindowMetrics WindowMetricsTwips() override { return {19200, 14400, 28800, 16200}; }
  void ApplyLayout(const Layout&) override {}

 private:
  QString folder_;
};

class NullMidi : public MidiDevice {
 public:
  void Close() override {}
  void Open(const QString&) override {}
  void Play() override {}
  bool Status(char*, int) override { return false; }
  void Rewind() override {}
  void PlayFromStart() override {}
  void SetVolume(double) override {}
};

}  // namespace hibi::bench
