// Whether this machine may have somewhere to send sound, judged without loading
// any sound library: a PulseAudio or PipeWire socket, a PULSE_SERVER setting, an
// ALSA playback device or an ALSA configuration of the user's or the system's.
// False means every audio driver would fail, so the game need not try.
#pragma once

namespace hibi {

bool SoundOutputMayExist();

}  // namespace hibi
