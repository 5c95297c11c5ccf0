#include "notation.h"

#include <sstream>
#include <stdexcept>

namespace make_tune {
namespace {

int PitchClass(const std::string& text, std::size_t& pos) {
  static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (pos >= text.size() || text[pos] < 'A' || text[pos] > 'G')
    throw std::invalid_argument("bad note name: " + text);
  int pc = kNatural[text[pos++] - 'A'];
  if (pos < text.size() && text[pos] == '#') ++pc, ++pos;
  if (pos < text.size() && text[pos] == 'b') --pc, ++pos;
  return (pc + 12) % 12;
}

}  // namespace

int Chord::Tone(int n, int octave) const {
  static const int kMajor[] = {0, 4, 7};
  static const int kMinor[] = {0, 3, 7};
  const int* steps = minor ? kMinor : kMajor;
  return 12 * (octave + 1) + root + steps[n % 3] + 12 * (n / 3);
}

int ParseKey(const std::string& name) {
  std::size_t pos = 0;
  const int pc = PitchClass(name, pos);
  if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '8')
    throw std::invalid_argument("bad note name: " + name);
  return 12 * (name[pos] - '0' + 1) + pc;
}

std::vector<Step> ParseBar(const std::string& text) {
  std::vector<Step> steps;
  std::istringstream words(text);
  std::string word;
  int total = 0;
  while (words >> word) {
    const std::size_t colon = word.find(':');
    if (colon == std::string::npos) throw std::invalid_argument("no length: " + word);
    const std::string pitch = word.substr(0, colon);
    const int eighths = std::stoi(word.substr(colon + 1));
    steps.push_back({pitch == "r" ? -1 : ParseKey(pitch), eighths});
    total += eighths;
  }
  if (total != 8) throw std::invalid_argument("bar is not 8 eighths long: " + text);
  return steps;
}

Chord ParseChord(const std::string& text) {
  std::size_t pos = 0;
  Chord chord{};
  chord.root = PitchClass(text, pos);
  chord.minor = pos < text.size() && text[pos] == 'm';
  if (chord.minor) ++pos;
  chord.bass = chord.root;
  if (pos < text.size() && text[pos] == '/') chord.bass = PitchClass(text, ++pos);
  if (pos != text.size()) throw std::invalid_argument("bad chord: " + text);
  return chord;
}

}  // namespace make_tune
