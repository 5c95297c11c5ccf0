#include "smf.h"

#include <algorithm>
#include <stdexcept>

namespace make_tune {
namespace {

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(groups[--n] | 0x80);
  out.push_back(groups[0]);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back((value >> (8 * i)) & 0xFF);
}

std::uint8_t Data(int value) {
  if (value < 0 || value > 127) throw std::out_of_range("MIDI data byte out of range");
  return static_cast<std::uint8_t>(value);
}

// Note-offs sort first so a key struck again on the same tick sounds.
int Rank(const Event& e) {
  const std::uint8_t kind = e.bytes[0] & 0xF0;
  if (e.bytes[0] == 0xFF) return 0;
  if (kind == 0xB0 || kind == 0xC0) return 1;
  if (kind == 0x80) return 2;
  return 3;
}

}  // namespace

void Track::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  const auto ch = static_cast<std::uint8_t>(channel & 0x0F);
  events_.push_back({tick, {static_cast<std::uint8_t>(0x90 | ch), Data(key), Data(velocity)}});
  events_.push_back({tick + length, {static_cast<std::uint8_t>(0x80 | ch), Data(key), 64}});
}

void Track::Program(std::uint32_t tick, int channel, int program) {
  events_.push_back({tick, {static_cast<std::uint8_t>(0xC0 | (channel & 0x0F)), Data(program)}});
}

void Track::Controller(std::uint32_t tick, int channel, int controller, int value) {
  events_.push_back(
      {tick, {static_cast<std::uint8_t>(0xB0 | (channel & 0x0F)), Data(controller), Data(value)}});
}

void Track::Tempo(std::uint32_t tick, int microsPerQuarter) {
  const auto t = static_cast<std::uint32_t>(microsPerQuarter);
  events_.push_back({tick,
                     {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(t >> 16),
                      static_cast<std::uint8_t>(t >> 8), static_cast<std::uint8_t>(t)}});
}

void Track::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
  events_.push_back({tick, {0xFF, 0x58, 0x04, Data(numerator), Data(denominatorPower), 24, 8}});
}

void Track::Name(std::uint32_t tick, const std::string& name) {
  Event e{tick, {0xFF, 0x03}};
  PutVarLen(e.bytes, static_cast<std::uint32_t>(name.size()));
  e.bytes.insert(e.bytes.end(), name.begin(), name.end());
  events_.push_back(std::move(e));
}

std::vector<std::uint8_t> Track::Chunk(std::uint32_t endTick) const {
  std::vector<Event> sorted = events_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : Rank(a) < Rank(b);
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  for (const Event& e : sorted) {
    if (e.tick > endTick) throw std::out_of_range("event after the end of the tune");
    PutVarLen(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, endTick - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
  PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<std::uint8_t> WriteFile(const std::vector<Track>& tracks, int division,
                                    std::uint32_t endTick) {
  std::vector<std::uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
  PutBigEndian(out, static_cast<std::uint32_t>(division), 2);
  for (const Track& t : tracks) {
    const std::vector<std::uint8_t> chunk = t.Chunk(endTick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace make_tune
