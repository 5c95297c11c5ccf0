// A tiny standard MIDI file writer: enough for a multi-track format 1 tune with
// notes, program and controller changes, a tempo and a time signature.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace make_tune {

struct Event {
  std::uint32_t tick;
  std::vector<std::uint8_t> bytes;  // status byte and data, or FF type len data
};

class Track {
 public:
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);
  void Program(std::uint32_t tick, int channel, int program);
  void Controller(std::uint32_t tick, int channel, int controller, int value);
  void Tempo(std::uint32_t tick, int microsPerQuarter);
  void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
  void Name(std::uint32_t tick, const std::string& name);

  // The chunk bytes, events in time order (note-offs before note-ons at the same
  // tick, so repeated keys never cut themselves), ending at `endTick` exactly.
  std::vector<std::uint8_t> Chunk(std::uint32_t endTick) const;

 private:
  std::vector<Event> events_;
};

// Format 1 file with the given ticks per quarter note.
std::vector<std::uint8_t> WriteFile(const std::vector<Track>& tracks, int division,
                                    std::uint32_t endTick);

}  // namespace make_tune
