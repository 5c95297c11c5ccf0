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

// Holds GLib's messages back while it lives. Given a damaged soundfont, the
// synthesiser's fallback reader asserts through GLib before it gives up.
class QuietGlib {
 public:
  QuietGlib();
  ~QuietGlib();
  QuietGlib(const QuietGlib&) = delete;
  QuietGlib& operator=(const QuietGlib&) = delete;

 private:
  void* glib_ = nullptr;
  unsigned handlers_[4] = {};
};

}  // namespace hibi
