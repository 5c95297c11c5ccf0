#include "fluidsynth/fluidsynth_library.h"

#include <dlfcn.h>

namespace hibi {

std::unique_ptr<FluidSynthLibrary> FluidSynthLibrary::Load() {
  auto lib = std::make_unique<FluidSynthLibrary>();
  // Never unloaded once loaded: the libraries it brings register types with
  // GLib that cannot be registered a second time after an unload.
  lib->handle_ = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!lib->handle_) return nullptr;
  bool complete = true;
  // dlsym hands back a data pointer; POSIX guarantees it converts to a function.
#define HIBI_FLUID_RESOLVE(name)                                               \
  lib->name = reinterpret_cast<decltype(&::name)>(dlsym(lib->handle_, #name)); \
  complete = complete && lib->name != nullptr;
  HIBI_FLUID_FUNCTIONS(HIBI_FLUID_RESOLVE)
#undef HIBI_FLUID_RESOLVE
  if (!complete) return nullptr;
  return lib;
}

FluidSynthLibrary::~FluidSynthLibrary() {
  if (handle_) dlclose(handle_);
}

}  // namespace hibi
