// The MIDI device on FluidSynth. Only the fluidsynth_* files know FluidSynth exists;
// the library itself is loaded at run time, when there is a tune to play.
//
// Open succeeds only for a well-formed standard MIDI file, with a General MIDI
// soundfont installed and, for the speakers, a working PulseAudio (PipeWire
// serves it) or ALSA output; otherwise nothing is open, Status fails and the
// game runs in silence. Neither FluidSynth nor libasound prints anything, so a
// machine without sound stays quiet on the terminal too.
//
// Status reports "stopped" as soon as the tune's last tick has played (the
// player itself would say so only seconds later, after the voices have faded),
// "playing" while it plays, and "stopped" after Open until the first Play. The
// notice comes from the audio thread the moment the last tick has played.
//
// Through the speakers, Open returns before the synthesiser is ready: it is built
// on a thread of its own, and the notice comes when the tune is ready or refused.
// Meanwhile the tune counts as open, a Play is held and made as soon as it can be,
// and Status reports "playing" once a Play is held.
//
// A player that stops without having played a single tick could not play the
// tune after all; it is started again at most once a second, never in a storm.
#pragma once

#include <QStringList>
#include <memory>

#include "audio/midi_device.h"
#include "fluidsynth/sound_system.h"

namespace hibi {

class FluidSynthDevice : public MidiDevice {
 public:
  // Speakers: sound goes to the desktop's audio service as it plays.
  // Offline: nothing leaves the process; the tune advances only as Render is
  // called, so tests can play it faster than real time.
  enum class Output { kSpeakers, kOffline };

  // `soundfonts`: the General MIDI soundfonts to try, in order; empty for the
  // system's own. A missing or damaged one means silence, never a word printed.
  // `system`: the synthesiser's library and the sound server (fakes in tests).
  explicit FluidSynthDevice(Output output = Output::kSpeakers, QStringList soundfonts = {},
                            SoundSystem system = SoundSystem::Real());
  ~FluidSynthDevice() override;
  FluidSynthDevice(const FluidSynthDevice&) = delete;
  FluidSynthDevice& operator=(const FluidSynthDevice&) = delete;

  void Close() override;
  void Open(const QString& path) override;
  void Play() override;
  bool Status(char* reply, int capacity) override;
  void Rewind() override;
  void PlayFromStart() override;
  void SetVolume(double volume) override;
  void SetNotice(std::function<void()> notice) override;
  bool HasTune() const override;

  // Offline only: synthesises the next `frames` stereo frames into left and right.
  // Returns false, writing nothing, when no tune is open or the output is the speakers.
  bool Render(float* left, float* right, int frames);
  // The player's position in ticks and the open tune's length; 0 when none is open.
  int CurrentTick() const;
  int LengthInTicks() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace hibi
