#include "score.h"

#include <algorithm>
#include <array>
#include <string>

#include "notation.h"
#include "smf.h"

namespace make_tune {
namespace {

constexpr int kDivision = 480;  // ticks per quarter note
constexpr std::uint32_t kEighth = kDivision / 2;
constexpr std::uint32_t kBar = 8 * kEighth;
constexpr int kBars = 32;
constexpr std::uint32_t kEnd = kBars * kBar;
constexpr int kMicrosPerQuarter = 60000000 / 84;

enum Channel { kMarimba = 0, kPiano = 1, kStrings = 2, kBass = 3, kFlute = 4, kDrums = 9 };

// A (1-8) and A' (9-16) in the marimba, B (17-24) in the flute, A' again with
// both (25-32). Bars 16 and 32 rest the tune so the piano can breathe into the
// next phrase, and into the loop's restart.
constexpr std::array<const char*, kBars> kHarmony = {
    "C", "G/B", "Am", "Em/G", "F",  "C/E", "Dm", "G",  //
    "C", "G/B", "Am", "Em/G", "F",  "G",   "C",  "C",  //
    "F", "G",   "Em", "Am",   "Dm", "Em",  "F",  "G",  //
    "C", "G/B", "Am", "Em/G", "F",  "G",   "C",  "C"};

constexpr std::array<const char*, 16> kTheme = {
    "G4:2 C5:2 E5:3 D5:1", "D5:4 B4:2 G4:2",      "A4:2 C5:2 E5:3 D5:1", "B4:6 G4:2",
    "A4:2 C5:2 F5:3 E5:1", "E5:2 D5:2 C5:2 G4:2", "F5:2 E5:2 D5:2 C5:2", "D5:6 r:2",
    "G4:2 C5:2 E5:3 G5:1", "G5:2 F5:2 D5:4",      "A4:2 C5:2 E5:3 A5:1", "G5:4 E5:2 B4:2",
    "C5:2 F5:2 A5:3 G5:1", "F5:2 E5:2 D5:2 B4:2", "E5:2 D5:2 C5:4",      "r:8"};

constexpr std::array<const char*, 8> kBridge = {
    "A5:3 G5:1 F5:2 C5:2", "D5:3 E5:1 F5:2 G5:2", "G5:3 E5:1 B4:4",      "C5:2 E5:2 A5:4",
    "A5:3 G5:1 F5:2 D5:2", "G5:3 F5:1 E5:2 B4:2", "C5:2 F5:2 A5:2 C6:2", "B5:4 G5:2 D5:2"};

std::uint32_t BarStart(int bar) {
  return static_cast<std::uint32_t>(bar) * kBar;
}

// Every note stops by the final bar line, so nothing rings across the loop.
void AddNote(Track& t, std::uint32_t tick, std::uint32_t length, int ch, int key, int vel) {
  length = std::min(length, kEnd - tick);
  t.Note(tick, length, ch, key, vel);
}

void Setup(Track& t, int ch, int program, int volume, int pan, int reverb, int chorus) {
  if (program >= 0) t.Program(0, ch, program);
  t.Controller(0, ch, 7, volume);
  t.Controller(0, ch, 10, pan);
  t.Controller(0, ch, 91, reverb);
  t.Controller(0, ch, 93, chorus);
}

void AddMelodyBar(Track& t, int bar, const char* text, int ch, int vel, std::uint32_t gap) {
  std::uint32_t tick = BarStart(bar);
  for (const Step& s : ParseBar(text)) {
    const std::uint32_t length = s.eighths * kEighth;
    if (s.key >= 0) AddNote(t, tick, length - gap, ch, s.key, vel + (tick % kBar == 0 ? 6 : 0));
    tick += length;
  }
}

Track Melody() {
  Track t;
  t.Name(0, "melody");
  Setup(t, kMarimba, 12, 100, 64, 70, 20);
  Setup(t, kFlute, 73, 82, 70, 80, 10);
  for (int bar = 0; bar < 16; ++bar) AddMelodyBar(t, bar, kTheme[bar], kMarimba, 84, 0);
  for (int bar = 16; bar < 24; ++bar) AddMelodyBar(t, bar, kBridge[bar - 16], kFlute, 76, 30);
  for (int bar = 24; bar < 32; ++bar) {
    AddMelodyBar(t, bar, kTheme[bar - 16], kMarimba, 80, 0);
    AddMelodyBar(t, bar, kTheme[bar - 16], kFlute, 56, 30);
  }
  return t;
}

// A rising and falling broken chord in eighths, each note held into the next.
Track Piano() {
  Track t;
  t.Name(0, "piano");
  Setup(t, kPiano, 0, 78, 50, 60, 0);
  constexpr int kShape[] = {0, 2, 3, 4, 5, 4, 3, 2};
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord c = ParseChord(kHarmony[bar]);
    for (int i = 0; i < 8; ++i) {
      const int vel = i % 2 == 0 ? 50 : 40;
      AddNote(t, BarStart(bar) + i * kEighth, 2 * kEighth, kPiano, c.Tone(kShape[i], 3), vel);
    }
  }
  return t;
}

Track Strings() {
  Track t;
  t.Name(0, "strings");
  Setup(t, kStrings, 49, 70, 80, 90, 30);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord c = ParseChord(kHarmony[bar]);
    for (int n : {2, 3, 4}) AddNote(t, BarStart(bar), kBar - 20, kStrings, c.Tone(n, 3), 40);
  }
  return t;
}

int BassKey(int pitchClass) {
  const int key = 36 + pitchClass;  // C2 upward
  return key > 43 ? key - 12 : key;
}

Track Bass() {
  Track t;
  t.Name(0, "bass");
  Setup(t, kBass, 32, 90, 64, 30, 0);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord c = ParseChord(kHarmony[bar]);
    const int low = BassKey(c.bass);
    const int fifth = BassKey((c.root + 7) % 12);
    const std::uint32_t s = BarStart(bar);
    AddNote(t, s, 3 * kEighth - 30, kBass, low, 72);
    AddNote(t, s + 3 * kEighth, kEighth - 20, kBass, low, 52);
    AddNote(t, s + 4 * kEighth, 2 * kEighth - 30, kBass, fifth, 62);
    AddNote(t, s + 6 * kEighth, 2 * kEighth - 30, kBass, low, 58);
  }
  return t;
}

// Shaker throughout; a soft kick and side stick join from the second phrase.
Track Drums() {
  Track t;
  t.Name(0, "percussion");
  Setup(t, kDrums, -1, 80, 64, 40, 0);
  constexpr int kKick = 36, kSideStick = 37, kShaker = 70;
  for (int bar = 0; bar < kBars; ++bar) {
    const std::uint32_t s = BarStart(bar);
    for (int i = 0; i < 8; ++i) AddNote(t, s + i * kEighth, 60, kDrums, kShaker, i % 2 ? 24 : 36);
    if (bar < 8) continue;
    AddNote(t, s, 120, kDrums, kKick, 46);
    AddNote(t, s + 5 * kEighth, 120, kDrums, kKick, 30);
    AddNote(t, s + 2 * kEighth, 120, kDrums, kSideStick, 32);
    AddNote(t, s + 6 * kEighth, 120, kDrums, kSideStick, 32);
  }
  return t;
}

}  // namespace

std::vector<std::uint8_t> ComposeTune() {
  Track conductor;
  conductor.Name(0, "natsu no hibi");
  conductor.Tempo(0, kMicrosPerQuarter);
  conductor.TimeSignature(0, 4, 2);
  const std::vector<Track> tracks = {conductor, Melody(), Piano(), Strings(), Bass(), Drums()};
  return WriteFile(tracks, kDivision, kEnd);
}

}  // namespace make_tune
