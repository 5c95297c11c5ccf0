#include "fluidsynth/sound_system.h"

#include "fluidsynth/fluidsynth_library.h"
#include "fluidsynth/fluidsynth_output.h"
#include "fluidsynth/pulse_stream.h"

namespace hibi {

SoundSystem SoundSystem::Real() {
  return {FluidSynthLibrary::Load, ConnectPulseServer, SoundOutputMayExist};
}

}  // namespace hibi
