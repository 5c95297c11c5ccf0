// The game's own number texts, as the fatigue and day captions and the save file
// carry them.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace hibi {

// A caption read as a number: spaces around it (also tabs and U+3000) are ignored;
// anything else that is not a decimal number in ASCII digits (with optional sign,
// fraction and exponent) is nullopt, and so is a value too large for a double.
std::optional<double> ParseNumber(const QString& text);

// A number written back to a caption: whole numbers without a decimal point,
// negatives with a leading "-", never a leading space ("12", "-3", "0"). A number
// that is not whole keeps its fraction ("12.5"), to 15 significant digits.
QString NumberText(double value);

// The number NumberText(value) reads back as. Fatigue and the day count go on from
// what their captions show, so a fraction from an edited save rounds to the same
// 15 digits at every step. Whole numbers below 10^15 come back unchanged; a value
// whose text would lie past the largest double comes back infinite.
double AsShown(double value);

// Rounds to the nearest integer, a half going to the even neighbour (12.5 -> 12,
// 13.5 -> 14); nullopt when the result lies outside [lo, hi] or the text is not a
// number.
std::optional<long> ParseRoundedInteger(const QString& text, long lo, long hi);

// Adds to a signed 16-bit value, stopping at 32767 and -32768.
std::int16_t SaturatingAdd(std::int16_t value, int amount);

}  // namespace hibi
