// The MIDI device on FluidSynth. The only place that knows FluidSynth exists.
#pragma once

#include <memory>

#include "audio/midi_device.h"

namespace hibi {

class FluidSynthDevice : public MidiDevice {
 public:
  FluidSynthDevice();
  ~FluidSynthDevice() override;

  void Close() override;
  void Open(const QString& path) override;
  void Play() override;
  bool Status(char* reply, int capacity) override;
  void Rewind() override;
  void PlayFromStart() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace hibi
