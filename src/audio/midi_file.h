// Checks that bytes hold a standard MIDI file the music device can play, and
// measures it. The FluidSynth device refuses anything this rejects, so a damaged
// tune means silence instead of a player that "ends" at every watchdog tick.
#pragma once

#include <QByteArray>
#include <optional>

namespace hibi {

// The length of the tune in ticks: the latest end of any track (the sum of the
// track's delta times up to and including its end-of-track event). Empty when
// the bytes are not a complete format 0 or 1 file with metrical timing whose
// every track ends with an end-of-track event, or when the tune is 0 ticks long.
std::optional<int> MidiFileLengthInTicks(const QByteArray& bytes);

}  // namespace hibi
