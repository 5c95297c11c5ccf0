// libfluidsynth, loaded when the game first has a tune to play and somewhere to
// play it, instead of at program start: the library and the sixty libraries it
// pulls in cost about 4 MB and a good part of start-up, which a game in silence
// need not pay. Only the adapter's own files include this. The table is plain data,
// so tests fill one with fakes and hand it to the device.
#pragma once

#include <fluidsynth.h>

#include <memory>

namespace hibi {

class FluidSynthLibrary {
 public:
  // Nullptr when the library or any function the device needs is missing.
  static std::unique_ptr<FluidSynthLibrary> Load();
  FluidSynthLibrary() = default;
  ~FluidSynthLibrary();
  FluidSynthLibrary(const FluidSynthLibrary&) = delete;
  FluidSynthLibrary& operator=(const FluidSynthLibrary&) = delete;

// One name a line: clang-format folds a list of macro calls differently on each pass.
// clang-format off
#define HIBI_FLUID_FUNCTIONS(X) \
  X(fluid_set_log_function) \
  X(fluid_is_soundfont) \
  X(new_fluid_settings) \
  X(delete_fluid_settings) \
  X(fluid_settings_setint) \
  X(fluid_settings_setnum) \
  X(fluid_settings_setstr) \
  X(new_fluid_synth) \
  X(delete_fluid_synth) \
  X(fluid_synth_sfload) \
  X(fluid_synth_write_float) \
  X(new_fluid_player) \
  X(delete_fluid_player) \
  X(fluid_player_add_mem) \
  X(fluid_player_play) \
  X(fluid_player_stop) \
  X(fluid_player_seek) \
  X(fluid_player_get_status) \
  X(fluid_player_get_current_tick) \
  X(fluid_player_set_tick_callback) \
  X(new_fluid_audio_driver2) \
  X(delete_fluid_audio_driver)
// clang-format on
#define HIBI_FLUID_MEMBER(name) decltype(&::name) name = nullptr;
  HIBI_FLUID_FUNCTIONS(HIBI_FLUID_MEMBER)
#undef HIBI_FLUID_MEMBER

 private:
  void* handle_ = nullptr;
};

}  // namespace hibi
