#include "storage/save_file.h"

#include "storage/numbers.h"

namespace hibi {

namespace {

constexpr long kInt16Min = -32768;
constexpr long kInt16Max = 32767;
constexpr long kFirstSlot = 1;
constexpr long kLastSlot = 7;
// Fatigue never falls below -100 and rises at most 49 (the "LOVE?" readout) past
// the last value below 100; a day count is a 16-bit day of the calendar.
constexpr double kLowestFatigue = -100;
constexpr double kHighestFatigue = 100 + 49;
constexpr double kLastDay = 32767;

bool Within(const QString& text, double lo, double hi) {
  const std::optional<double> value = ParseNumber(text);
  return value && *value >= lo && *value <= hi;
}

}  // namespace

QString PrintNumber(long value) {
  // A negative number's own "-" takes the place of the sign space.
  const QString digits = QString::number(value);
  return (value < 0 ? digits : QStringLiteral(" ") + digits) + QStringLiteral(" ");
}

QStringList FormatSave(const SaveData& data) {
  QStringList lines;
  for (const std::int16_t points : data.affection) lines << PrintNumber(points);
  lines << PrintNumber(data.dayLimit) << PrintNumber(data.timeSlot) << data.fatigue << data.days;
  return lines;
}

std::optional<SaveData> ParseSave(const QStringList& lines) {
  if (lines.size() < kSaveFileLines) return std::nullopt;
  SaveData data;
  for (std::size_t i = 0; i < data.affection.size(); ++i) {
    const auto points = ParseRoundedInteger(lines[static_cast<qsizetype>(i)], kInt16Min, kInt16Max);
    if (!points) return std::nullopt;
    data.affection[i] = static_cast<std::int16_t>(*points);
  }
  const auto dayLimit = ParseRoundedInteger(lines[3], kInt16Min, kInt16Max);
  // The slot is a byte in the file's own terms; only 1 to 7 names a time of day.
  const auto slot = ParseRoundedInteger(lines[4], 0, 255);
  if (!dayLimit || !slot || *slot < kFirstSlot || *slot > kLastSlot) return std::nullopt;
  data.dayLimit = static_cast<std::int16_t>(*dayLimit);
  data.timeSlot = static_cast<std::uint8_t>(*slot);
  // Fatigue and days stay the texts they were; the clock reads them as numbers.
  if (!Within(lines[5], kLowestFatigue, kHighestFatigue) || !Within(lines[6], 0, kLastDay)) {
    return std::nullopt;
  }
  data.fatigue = lines[5];
  data.days = lines[6];
  return data;
}

}  // namespace hibi
