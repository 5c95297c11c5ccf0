// The one save slot, settingsFolder + "all.dat": seven CP932 lines with CR LF.
//   1-3  affection of characters 0, 1, 2   print form, read back as signed 16-bit
//   4    day limit                         print form, signed 16-bit
//   5    time slot 1..7                    print form, unsigned 8-bit
//   6    fatigue                           number text (storage/numbers.h), as its caption shows it
//   7    elapsed days                      number text, as its caption shows it
// The format is shared with every other copy of the game: do not change it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace hibi {

// The day has seven time slots, 1 to 7.
inline constexpr int kSlotsPerDay = 7;

struct SaveData {
  std::array<std::int16_t, 3> affection{};
  std::int16_t dayLimit = 0;
  std::uint8_t timeSlot = 1;
  double fatigue = 0;
  double days = 0;
};

// The print form of a number: " 12 " for 12, " 0 " for 0, "-3 " for -3.
QString PrintNumber(long value);

QStringList FormatSave(const SaveData& data);

// Checks the whole file before anything is applied: at least seven lines, every
// number line convertible and in its type's range, the slot within 1 to 7, and the
// fatigue and day lines numbers whose number text reads back (so not beyond the
// largest double) and that play can reach (fatigue from -100 to 100 plus the largest
// single rise, days from 0 to 32767): beyond them an edited save would lock the game
// for good. Those two come back as their number texts show them (AsShown). Lines
// after the seventh are ignored.
std::optional<SaveData> ParseSave(const QStringList& lines);

inline const QString kSaveFileName = QStringLiteral("all.dat");
inline constexpr qsizetype kSaveFileLines = 7;
// A save the game writes is some fifty bytes; seven lines must fit in this.
inline constexpr std::size_t kSaveFileBytes = 4096;

}  // namespace hibi
