#include "storage/numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace hibi {

namespace {

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Checks the shape [sign] digits [. digits] [e [sign] digits] with at least one digit
// in the mantissa. Returns the text without a leading "+" (from_chars refuses it).
std::optional<std::string> NumberShape(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  std::string ascii;
  if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    if (text[i] == QLatin1Char('-')) ascii += '-';
    ++i;
  }
  int mantissaDigits = 0;
  while (i < n && IsDigit(text[i])) {
    ascii += text[i++].toLatin1();
    ++mantissaDigits;
  }
  if (i < n && text[i] == QLatin1Char('.')) {
    ascii += text[i++].toLatin1();
    while (i < n && IsDigit(text[i])) {
      ascii += text[i++].toLatin1();
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
    ascii += 'e';
    ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
      ascii += text[i++].toLatin1();
    }
    int exponentDigits = 0;
    while (i < n && IsDigit(text[i])) {
      ascii += text[i++].toLatin1();
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  return ascii;
}

// A half goes to the even neighbour, whatever the floating-point rounding mode.
double RoundHalfEven(double x) {
  const double down = std::floor(x);
  const double rest = x - down;
  if (rest < 0.5) return down;
  if (rest > 0.5) return down + 1;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

}  // namespace

std::optional<double> ParseNumber(const QString& text) {
  const auto shape = NumberShape(text.trimmed());
  if (!shape) return std::nullopt;
  double value = 0;
  const char* end = shape->data() + shape->size();
  const auto [stop, error] = std::from_chars(shape->data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value + 0.0;  // "-0" reads as plain 0
}

QString NumberText(double value) {
  if (value == 0) return QStringLiteral("0");
  if (std::trunc(value) == value && std::fabs(value) < 1e15) {
    return QString::number(static_cast<qint64>(value));
  }
  return QString::number(value, 'g', 15);
}

double AsShown(double value) {
  if (std::trunc(value) == value && std::fabs(value) < 1e15) return value + 0.0;
  // The very rule a caption is read with, so the number is what the caption says.
  return ParseNumber(NumberText(value)).value_or(std::copysign(HUGE_VAL, value));
}

std::optional<long> ParseRoundedInteger(const QString& text, long lo, long hi) {
  const auto value = ParseNumber(text);
  if (!value) return std::nullopt;
  const double rounded = RoundHalfEven(*value);
  if (rounded < static_cast<double>(lo) || rounded > static_cast<double>(hi)) return std::nullopt;
  return static_cast<long>(rounded);
}

std::int16_t SaturatingAdd(std::int16_t value, int amount) {
  const long sum = static_cast<long>(value) + amount;
  if (sum > INT16_MAX) return INT16_MAX;
  if (sum < INT16_MIN) return INT16_MIN;
  return static_cast<std::int16_t>(sum);
}

}  // namespace hibi
