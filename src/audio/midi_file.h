// Checks that bytes hold a standard MIDI file the music device can play, and
// measures it. The FluidSynth device refuses anything this rejects, so a damaged
// tune means silence instead of a player that "ends" at every watchdog tick.
#pragma once

#include <QByteArray>
#include <optional>

namespace hibi {

// The length of the tune in ticks: the latest end of any track (the sum of the
// track's delta times up to and including its end-of-track event). Empty unless
// the bytes hold exactly what the synthesiser plays: a six-byte header, metrical
// timing, the tracks it names as the first chunks (no chunk of another kind among
// them), every track ended by an empty end-of-track event, tempo, SMPTE offset,
// time and key signature events of their proper lengths, no escaped (F7) event,
// no running status past a system exclusive, and a length above 0 ticks.
// No real tune comes near this; a bigger file is refused unread.
inline constexpr qsizetype kMaxTuneBytes = 16 * 1024 * 1024;

std::optional<int> MidiFileLengthInTicks(const QByteArray& bytes);

}  // namespace hibi
