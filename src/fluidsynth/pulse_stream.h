// The music's stream to a PulseAudio server, through libpulse loaded at run time.
//
// A sound server's small periods, not the music, were what the game's sound cost:
// FluidSynth's own driver asks for a period as long as the whole queue, so the
// server asked for more every few milliseconds and woke two threads each time.
// Here one thread of ours keeps a queue of kQueue and tops it up only when kTopUp
// of it has played, rendering the whole top-up at once; the server applies the
// volume, so the queue can be long and a mute is still heard at once.
#pragma once

#include <memory>

#include "fluidsynth/sound_system.h"

namespace hibi {

// Connects to the server named by PULSE_SERVER, or the user's own; nullptr when
// libpulse is missing or no server answers.
std::unique_ptr<SoundStream> ConnectPulseServer();

}  // namespace hibi
