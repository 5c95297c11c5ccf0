// What the FluidSynth device reaches outside the process: the synthesiser's
// library and the sound server. The game uses the real ones; tests hand the
// device fakes, so its state machine runs with no library and no sound card.
#pragma once

#include <functional>
#include <memory>

namespace hibi {

class FluidSynthLibrary;

// Fills up to `frames` interleaved stereo frames and returns how many it filled:
// fewer when the rest should be asked for later, -1 when nothing can be rendered.
using RenderBlock = std::function<int(float* interleaved, int frames)>;

// A connection to the sound server that plays one stream once started. Destroying
// it stops the stream: once the destructor returns, `render` is not called again.
class SoundStream {
 public:
  virtual ~SoundStream() = default;
  // Starts asking `render` for sound, from a thread of the stream's own; false when
  // the server refused the stream.
  virtual bool Start(RenderBlock render) = 0;
  // The volume (0 silent, 1 as rendered), set before the start or at any time after
  // it, from any thread. The server applies it to what it holds, so a change is heard
  // at once however much is queued: what `render` gives must not be scaled again.
  virtual void SetVolume(float volume) = 0;
};

struct SoundSystem {
  // Nullptr when the library or a function the device needs is missing.
  std::function<std::unique_ptr<FluidSynthLibrary>()> loadSynthesiser;
  // A connected server, not yet playing; nullptr when there is none to take sound.
  std::function<std::unique_ptr<SoundStream>()> connectServer;
  // False when no sound output can exist here, judged without loading anything.
  std::function<bool()> outputMayExist;

  // The system's own: libfluidsynth, a PulseAudio server (PipeWire serves one too).
  static SoundSystem Real();
};

}  // namespace hibi
