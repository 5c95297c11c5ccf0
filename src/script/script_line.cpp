#include "script/script_line.h"

namespace hibi {
namespace {

const QString kTugi = QStringLiteral("tugi");
const QString kIve = QStringLiteral(">ive");
const QString kLove = QStringLiteral(">love");
const QString kEnding = QStringLiteral(">ending");
const QString kEndflag = QStringLiteral(">endflag");
const QString kImg = QStringLiteral(">img");
const QString kGame = QStringLiteral(">game");
const QString kEnd = QStringLiteral(">end");
const QString kRek = QStringLiteral(">rek");
const QChar kSpeakerMark = u'-';
const QChar kFaceSeparator = u'＿';
const QString kSpeakerBullet = QStringLiteral("■");

// Case-sensitive on purpose: authors rely on ">Ending" being shown as text.
bool Begins(const QString& line, const QString& keyword) {
  return line.startsWith(keyword, Qt::CaseSensitive);
}

// A whole number as an author writes it between commas: blanks around it (also the
// full-width one an IME leaves behind), an optional sign, decimal digits. Nothing else
// counts, so "1.5" or "x" can never move affection.
std::optional<int> ReadCharacterIndex(const QString& item) {
  const QString text = item.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    value = std::min<long>(value * 10 + (text[i].unicode() - u'0'), 1000);
  }
  if (negative) value = -value;
  if (value < 0 || value > 2) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

LineKind ClassifyLine(const QString& line) {
  if (Begins(line, kTugi)) return LineKind::EndOfScene;
  if (Begins(line, kIve)) return LineKind::Jump;
  if (!line.isEmpty() && line.front() == kSpeakerMark) return LineKind::Speaker;
  if (Begins(line, kLove)) return LineKind::Affection;
  if (line == kEnding) return LineKind::ReturnToTitle;
  if (line == kEndflag) return LineKind::EndingChoice;
  if (line.isEmpty()) return LineKind::PageBreak;
  if (Begins(line, kImg)) return LineKind::Picture;
  return LineKind::Text;
}

QString LineArgument(const QString& line) {
  return line.size() > 5 ? line.mid(5) : QString();
}

bool NextLineEndsPage(const QString& nextLine) {
  return nextLine.isEmpty() || Begins(nextLine, kGame) || Begins(nextLine, kLove) ||
         Begins(nextLine, kEnd) || Begins(nextLine, kRek) || Begins(nextLine, kIve) ||
         Begins(nextLine, kTugi);
}

SpeakerLine ParseSpeaker(const QString& line) {
  SpeakerLine speaker;
  if (line.size() <= 1) return speaker;  // "-" alone: an empty row, no face
  const QString rest = line.mid(1);
  const qsizetype separator = rest.indexOf(kFaceSeparator);
  if (separator >= 0) {
    speaker.face = rest;
    speaker.showFace = true;
    speaker.row = kSpeakerBullet + rest.left(separator);
  } else {
    speaker.row = kSpeakerBullet + rest;
  }
  return speaker;
}

std::vector<LoveItem> ParseLoveItems(const QString& line) {
  std::vector<LoveItem> items;
  const QStringList parts = line.split(u',');
  for (qsizetype i = 1; i < parts.size(); ++i) {
    items.push_back({parts[i], ReadCharacterIndex(parts[i])});
  }
  return items;
}

std::optional<QChar> EndingDigit(const std::array<std::int16_t, 3>& affection) {
  // Summed wide rather than wrapped: three characters near the 16-bit ceiling must
  // still earn an ending, not wrap round to a negative sum.
  const int sum = int{affection[0]} + int{affection[1]} + int{affection[2]};
  if (sum < 500) return std::nullopt;
  for (int k = 0; k < 3; ++k) {
    if (affection[k] >= 300) return QChar(u'0' + k);
  }
  return std::nullopt;
}

}  // namespace hibi
