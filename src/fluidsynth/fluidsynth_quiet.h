// Keeps the sound libraries off the terminal. The game reports no music failure
// to anyone (a machine without sound simply plays no tune), so FluidSynth's log
// and libasound's error printer are both turned into no-ops.
#pragma once

#include <memory>

namespace hibi {

class FluidSynthLibrary;

class QuietSoundLibraries {
 public:
  explicit QuietSoundLibraries(const FluidSynthLibrary& fluid);
  ~QuietSoundLibraries();
  QuietSoundLibraries(const QuietSoundLibraries&) = delete;
  QuietSoundLibraries& operator=(const QuietSoundLibraries&) = delete;

 private:
  struct LibraryCloser {
    void operator()(void* handle) const;
  };
  // libasound, opened only to reach its error printer; no build dependency on it.
  std::unique_ptr<void, LibraryCloser> asound_;
};

}  // namespace hibi
