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

// GLib's handler type and the two calls that install and remove one, reached by
// name in the copy of GLib the synthesiser already brought in.
using GlibHandler = void (*)(const char*, int, const char*, void*);
using GlibSetHandler = unsigned (*)(const char*, int, GlibHandler, void*);
using GlibRemoveHandler = void (*)(const char*, unsigned);
void DiscardGlibMessage(const char*, int, const char*, void*) {}
// Every level and both flags; the soundfont readers log without a domain of their own.
constexpr int kAllGlibLevels = 0xFF;
const char* const kGlibDomains[] = {nullptr, "GLib", "GLib-GObject", "libInstPatch"};

template <typename F>
F GlibFunction(void* glib, const char* name) {
  return glib ? reinterpret_cast<F>(dlsym(glib, name)) : nullptr;
}

}  // namespace

QuietGlib::QuietGlib() : glib_(dlopen("libglib-2.0.so.0", RTLD_NOW | RTLD_NOLOAD)) {
  const auto set = GlibFunction<GlibSetHandler>(glib_, "g_log_set_handler");
  if (!set) return;
  for (int i = 0; i < 4; ++i)
    handlers_[i] = set(kGlibDomains[i], kAllGlibLevels, DiscardGlibMessage, nullptr);
}

QuietGlib::~QuietGlib() {
  const auto remove = GlibFunction<GlibRemoveHandler>(glib_, "g_log_remove_handler");
  if (remove)
    for (int i = 0; i < 4; ++i)
      if (handlers_[i] != 0) remove(kGlibDomains[i], handlers_[i]);
  if (glib_) dlclose(glib_);
}

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
