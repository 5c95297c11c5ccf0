// The one record of game variables, owned by the window and read and written
// directly by its routines. Fatigue and elapsed days are not here: the captions of
// LblHirou and LblDay hold them (see controls.h).
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "storage/text_file.h"

namespace hibi {

inline const QString kPageEndMarker = QStringLiteral("▼");

struct GameState {
  QString programFolder;   // always ends in "/"
  QString pictureFolder;   // programFolder + "img/"
  QString scriptFolder;    // programFolder + "txt/"
  QString faceFolder;      // programFolder + "face/"
  QString settingsFolder;  // programFolder + "sys/"
  // The open scene script; null when none is open.
  std::unique_ptr<TextReader> scriptFile;
  std::uint8_t pageLineCount = 0;
  QString nextLine;    // the line read ahead; "tugi" once the script is exhausted
  QString pageMarker;  // "▼" after a line that ended a page, else empty
  QString scriptSuffix;
  QString pictureSuffix;
  bool stopAtPageEnd = false;  // true: normal pacing; false: fast-forward
  // 0 よわ, 1 とおみや, 2 こうき
  std::array<std::int16_t, 3> affection{};
  // Indexes 1 to 7; index 0 is never used.
  std::array<QString, 8> timeSlotNames;
  std::uint8_t timeSlot = 0;  // 1 to 7
  std::int16_t dayLimit = 0;
};

}  // namespace hibi
