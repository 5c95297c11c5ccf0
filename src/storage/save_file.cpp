#include "storage/save_file.h"

#include <cmath>
#include <limits>

#include "storage/numbers.h"

namespace hibi {

namespace {

template <typename Integer>
std::optional<Integer> ReadInteger(const QString& line) {
  using Limits = std::numeric_limits<Integer>;
  const auto value = ParseRoundedInteger(line, Limits::min(), Limits::max());
  if (!value) return std::nullopt;
  return static_cast<Integer>(*value);
}

// Fatigue and days go on as their captions show them; a text past the largest
// double could be shown but never read back, and would break the next save.
std::optional<double> ReadShownNumber(const QString& line) {
  const auto value = ParseNumber(line);
  if (!value || !std::isfinite(AsShown(*value))) return std::nullopt;
  return AsShown(*value);
}

// Fatigue never falls below -100 and rises at most 49 (the "LOVE?" readout) past
// the last value below the limit; a day count is a 16-bit day of the calendar.
constexpr double kLowestFatigue = -100;
constexpr double kHighestFatigue = 100 + 49;
constexpr double kLastDay = 32767;

std::optional<double> ReadShownNumberWithin(const QString& line, double lo, double hi) {
  const auto value = ReadShownNumber(line);
  if (!value || *value < lo || *value > hi) return std::nullopt;
  return value;
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
  lines << PrintNumber(data.dayLimit) << PrintNumber(data.timeSlot) << NumberText(data.fatigue)
        << NumberText(data.days);
  return lines;
}

std::optional<SaveData> ParseSave(const QStringList& lines) {
  if (lines.size() < kSaveFileLines) return std::nullopt;
  SaveData data;
  for (std::size_t i = 0; i < data.affection.size(); ++i) {
    const auto points = ReadInteger<std::int16_t>(lines[static_cast<qsizetype>(i)]);
    if (!points) return std::nullopt;
    data.affection[i] = *points;
  }
  const auto dayLimit = ReadInteger<std::int16_t>(lines[3]);
  // The slot is a byte in the file's own terms; only 1 to 7 names a time of day.
  const auto slot = ReadInteger<std::uint8_t>(lines[4]);
  if (!dayLimit || !slot || *slot < 1 || *slot > kSlotsPerDay) return std::nullopt;
  data.dayLimit = *dayLimit;
  data.timeSlot = *slot;
  const auto fatigue = ReadShownNumberWithin(lines[5], kLowestFatigue, kHighestFatigue);
  const auto days = ReadShownNumberWithin(lines[6], 0, kLastDay);
  if (!fatigue || !days) return std::nullopt;
  data.fatigue = *fatigue;
  data.days = *days;
  return data;
}

}  // namespace hibi
