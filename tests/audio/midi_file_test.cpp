// What the music device accepts as a tune, and how long it takes it to be.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "audio/midi_file.h"

namespace hibi {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

QByteArray Header(int format, int tracks, int division) {
  return "MThd" + Bytes({0, 0, 0, 6, 0, format, 0, tracks, division >> 8, division & 0xFF});
}

QByteArray Chunk(const char* type, const QByteArray& body) {
  const auto n = static_cast<int>(body.size());
  return type + Bytes({n >> 24, (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF}) + body;
}

// Each event is its delta time followed by the event itself.
const QByteArray kEndOfTrack = Bytes({0x00, 0xFF, 0x2F, 0x00});
// Middle C for a quarter note of 96 ticks.
const QByteArray kQuarterNote = Bytes({0x00, 0x90, 60, 80, 0x60, 0x80, 60, 64});

// A format 0 file of one track holding `events`.
QByteArray Tune(const QByteArray& events) {
  return Header(0, 1, 96) + Chunk("MTrk", events);
}

constexpr std::nullopt_t no = std::nullopt;

using Row = std::tuple<const char*, QByteArray, std::optional<int>>;  // why, bytes, ticks

TEST(MidiFile, AcceptsWellFormedTunesAndMeasuresTheirLongestTrack) {
  const QByteArray note = kQuarterNote + kEndOfTrack, track = Chunk("MTrk", note);
  // clang-format off
  const Row rows[] = {
      {"one note in format 0", Tune(note), 96},
      {"running status, a long delta",
       Tune(Bytes({0x00, 0x90, 60, 80, 0x81, 0x40, 60, 0}) + kEndOfTrack), 192},
      {"the end-of-track delay counts", Tune(kQuarterNote + Bytes({0x60, 0xFF, 0x2F, 0x00})), 192},
      {"two tracks of different lengths",
       Header(1, 2, 96) + Chunk("MTrk", Bytes({0x00, 0xFF, 0x51, 3, 7, 0xA1, 0x20}) + kEndOfTrack) +
       Chunk("MTrk", kQuarterNote + note), 192},
      {"format 2", Header(2, 1, 96) + track, 96},
      {"running status past a meta event",
       Tune(Bytes({0x00, 0x90, 60, 80, 0x00, 0xFF, 0x01, 1, 'a', 0x60, 60, 0}) + kEndOfTrack), 96},
      {"another chunk after the tracks", Tune(note) + Chunk("XFIH", "abc"), 96},
      {"sysex, program", Tune(Bytes({0x00, 0xF0, 2, 0x7E, 0xF7, 0x00, 0xC0, 12}) + note), 96},
      {"not a MIDI file", "RIFF....WAVEfmt ", no},
      {"header cut short", Header(0, 1, 96).left(10), no},
      {"format 3", Header(3, 1, 96) + track, no},
      {"no tracks", Header(1, 0, 96), no},
      {"SMPTE timing", Header(0, 1, 0xE728) + track, no},
      {"no ticks per quarter", Header(0, 1, 0) + track, no},
      {"track shorter than its chunk says", Tune(note).chopped(2), no},
      {"fewer tracks than the header says", Header(1, 2, 96) + track, no},
      {"no end-of-track event", Tune(kQuarterNote), no},
      {"a tune of no length", Tune(kEndOfTrack), no},
      {"data before any status", Tune(Bytes({0x00, 60, 80}) + kEndOfTrack), no},
      {"a data byte above 127", Tune(Bytes({0x00, 0x90, 60, 0x80, 0x60, 0xFF, 0x2F, 0x00})), no},
      {"a system common message", Tune(Bytes({0x00, 0xF2, 1, 2}) + note), no},
      {"a sysex past the track", Tune(Bytes({0x00, 0xF0, 0x40, 1})), no},
      {"a delta of five bytes", Tune(Bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0x00})), no},
      {"a meta event past the track", Tune(Bytes({0x00, 0xFF, 0x01, 0x40, 'a'})), no},
      // Valid by the format, but the synthesiser refuses to play any of these.
      {"an 8-byte header", "MThd" + Bytes({0, 0, 0, 8, 0, 0, 0, 1, 0, 96, 0, 0}) + track, no},
      {"another chunk before the track", Header(0, 1, 96) + Chunk("XFIH", note) + track, no},
      {"an end-of-track with data", Tune(kQuarterNote + Bytes({0x00, 0xFF, 0x2F, 1, 0})), no},
      {"running status past a sysex",
       Tune(Bytes({0x00, 0x90, 60, 80, 0x00, 0xF0, 1, 0xF7, 0x60, 60, 0}) + kEndOfTrack), no},
      {"an escaped event", Tune(Bytes({0x00, 0xF7, 1, 0x7E}) + note), no},
  };
  // clang-format on
  for (const auto& [name, bytes, length] : rows)
    EXPECT_EQ(MidiFileLengthInTicks(bytes), length) << name;
  // Every kind of channel event and every meta event the synthesiser measures (tempo,
  // SMPTE offset, time and key signature), one byte short, right and one byte long:
  // only the right length plays.
  const std::pair<int, int> sized[] = {{0x80, 2}, {0xA0, 2}, {0xB0, 2}, {0xC0, 1}, {0xD0, 1},
                                       {0xE0, 2}, {0x51, 3}, {0x54, 5}, {0x58, 4}, {0x59, 2}};
  for (const auto& [code, proper] : sized) {
    for (const int n : {proper - 1, proper, proper + 1}) {
      const QByteArray head = code < 0x80 ? Bytes({0x00, 0xFF, code, n}) : Bytes({0x00, code});
      const QByteArray events = head + QByteArray(n, '\x05') + Bytes({0x60, 0xFF, 0x2F, 0x00});
      EXPECT_EQ(MidiFileLengthInTicks(Tune(events)), n == proper ? std::optional<int>(96) : no)
          << code << " with " << n << " bytes";
    }
  }
}

}  // namespace
}  // namespace hibi
