// Ports that do nothing, for timing the core alone.
#pragma once

#include "audio/midi_device.h"
#include "game/ports.h"
#include "layout/layout.h"

#include "headless_ports.h"  // tools/hibi_check

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

// The checker's headless shell and silent device serve the benchmark as they are.
using NullShell = check::HeadlessShell;
using NullMidi = check::SilentMidi;

}  // namespace hibi::bench
