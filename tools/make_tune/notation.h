// A small text notation for writing the score by hand.
//   note:  "C5", "F#4", "Bb3" (C4 = key 60)
//   bar:   "G4:2 C5:2 E5:3 D5:1"  pitches with lengths in eighths, "r" for a rest
//   chord: "C", "Am", "G/B", "Em/G"  root, optional m for minor, optional bass
#pragma once

#include <string>
#include <vector>

namespace make_tune {

struct Step {
  int key;  // -1 for a rest
  int eighths;
};

struct Chord {
  int root;  // pitch class 0-11
  bool minor;
  int bass;  // pitch class of the lowest note
  // The key of the chord's nth tone counted upward from the root in octave
  // `octave` (0 root, 1 third, 2 fifth, 3 root an octave up, ...).
  int Tone(int n, int octave) const;
};

int ParseKey(const std::string& name);
std::vector<Step> ParseBar(const std::string& text);
Chord ParseChord(const std::string& text);

}  // namespace make_tune
