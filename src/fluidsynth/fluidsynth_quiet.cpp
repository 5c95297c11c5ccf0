#include "fluidsynth/fluidsynth_quiet.h"

#include <dlfcn.h>

#include "fluidsynth/fluidsynth_library.h"

namespace hibi {
namespace {

void DiscardFluidLog(int, const char*, void*) {}

// libasound's error handler type: printf-like, called for every configuration
// lookup that fails, which on a machine without a sound card is a dozen lines.
void DiscardAlsaError(const char*, int, const char*, int, const char*, ...) {}
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

}  // namespace

QuietSoundLibraries::QuietSoundLibraries(const FluidSynthLibrary& fluid) {
  for (int level = 0; level < LAST_LOG_LEVEL; ++level)
    fluid.fluid_set_log_function(level, DiscardFluidLog, nullptr);

  asound_.reset(dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL));
  if (!asound_) return;
  // dlsym hands back a data pointer; POSIX guarantees it converts to a function.
  const auto setHandler =
      reinterpret_cast<SetAlsaErrorHandler>(dlsym(asound_.get(), "snd_lib_error_set_handler"));
  if (setHandler) setHandler(DiscardAlsaError);
}

QuietSoundLibraries::~QuietSoundLibraries() = default;

void QuietSoundLibraries::LibraryCloser::operator()(void* handle) const {
  if (handle) dlclose(handle);
}

}  // namespace hibi
