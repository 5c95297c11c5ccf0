// The one record of game variables, owned by the window and read and written
// directly by its routines.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "storage/save_file.h"
#include "storage/settings.h"
#include "storage/text_file.h"

namespace hibi {

inline const QString kPageEndMarker = QStringLiteral("▼");

// Fatigue at or above this makes the character collapse.
inline constexpr double kFatigueLimit = 100;

// The three characters, in the order of the affection points, the visit buttons,
// the ">love" items and the endings.
enum class Character { Yowa, Toomiya, Kouki };
inline const std::array<QString, 3> kCharacterNames = {
    QStringLiteral("よわ"), QStringLiteral("とおみや"), QStringLiteral("こうき")};

// The names of the time slots 1 to 7; index 0 is never used.
inline const std::array<QString, kSlotsPerDay + 1> kTimeSlotNames = {QString(),
                                                                     QStringLiteral("早朝"),
                                                                     QStringLiteral("朝"),
                                                                     QStringLiteral("午前"),
                                                                     QStringLiteral("午後"),
                                                                     QStringLiteral("夕方"),
                                                                     QStringLiteral("夜"),
                                                                     QStringLiteral("深夜")};

struct GameState {
  Folders folders;  // programFolder ends in "/"; the others are img/, txt/, face/, sys/ in it
  // The open scene script; null when none is open.
  std::unique_ptr<TextReader> scriptFile;
  std::uint8_t pageLineCount = 0;
  QString nextLine;            // the line read ahead; "tugi" once the script is exhausted
  QString pageMarker;          // "▼" after a line that ended a page, else empty
  Settings settings;           // the script and picture suffixes
  bool stopAtPageEnd = false;  // true: normal pacing; false: fast-forward
  // Indexed by Character: 0 よわ, 1 とおみや, 2 こうき.
  std::array<std::int16_t, 3> affection{};
  // Indexes 1 to 7; index 0 is never used.
  std::array<QString, kSlotsPerDay + 1> timeSlotNames;
  std::uint8_t timeSlot = 0;  // 1 to 7
  std::int16_t dayLimit = 0;
  // Fatigue and elapsed days, always as their captions show them (AsShown in
  // storage/numbers.h): ShowFatigueAndDays writes LblHirou and LblDay from these.
  double fatigue = 0;
  double days = 0;
};

inline std::int16_t& AffectionOf(GameState& state, Character who) {
  return state.affection[static_cast<std::size_t>(who)];
}

}  // namespace hibi
