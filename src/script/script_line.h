// What one line of a scene script means, without running it. The interpreter and
// the game checker (tools/hibi_check) share these rules, so a checker diagnostic
// always describes what the game will really do with the line.
//
// Keywords are compared exactly and case-sensitively; "the first n characters are
// K" means the line is at least as long as K and begins with it. A character is one
// UTF-16 unit: CP932 text never leaves the Basic Multilingual Plane.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace hibi {

// In the order the interpreter tests them; the first that matches decides.
enum class LineKind {
  EndOfScene,     // first 4 characters "tugi"
  Jump,           // first 4 characters ">ive"
  Speaker,        // first character "-"
  Affection,      // first 5 characters ">love"
  ReturnToTitle,  // the whole line ">ending"
  EndingChoice,   // the whole line ">endflag"
  PageBreak,      // the empty line
  Picture,        // first 4 characters ">img"
  Text,           // anything else, ">game…", ">rek…" and other ">end…" lines included
};

LineKind ClassifyLine(const QString& line);

// The argument of ">ive" and ">img": the text from the sixth character on (the
// fifth is a separator and dropped, whatever it is). Empty for shorter lines.
QString LineArgument(const QString& line);

// True when a shown line ends its page because of the line read after it:
// ">game", ">love" (first 5 characters), ">end", ">rek", ">ive", "tugi" (first 4)
// or the empty line. The page-length rule is the interpreter's own.
bool NextLineEndsPage(const QString& nextLine);

// A speaker line ("-" first) as the player sees it.
struct SpeakerLine {
  QString row;   // what is shown: "■" + name, or empty for "-" alone
  QString face;  // the face picture name (everything after "-"); empty: no face
  bool showFace = false;
};
SpeakerLine ParseSpeaker(const QString& line);

// One item of a ">love" line after the first comma, read as a whole number with
// spaces around it allowed. nullopt when it is not 0, 1 or 2: such an item is
// skipped (no draw, no change).
struct LoveItem {
  QString text;  // the item as written, for diagnostics
  std::optional<int> character;
};
std::vector<LoveItem> ParseLoveItems(const QString& line);

// The ending chosen by ">endflag": '0', '1' or '2', or nullopt when the scene goes
// on for everybody else. The sum never wraps: three values near 32767 still count as
// 500 or more.
std::optional<QChar> EndingDigit(const std::array<std::int16_t, 3>& affection);

}  // namespace hibi
