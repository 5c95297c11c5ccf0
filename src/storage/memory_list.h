// The memory list between runs: settingsFolder + "lstphoto.dat", one picture name
// per CP932 line with CR LF, no heading, no count. Duplicates, empty items and a
// line equal to the heading are all ordinary items.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "storage/game_file.h"
#include "storage/text_file.h"

namespace hibi {

inline const QString kMemoryListFileName = QStringLiteral("lstphoto.dat");

// Far more memories than any game has pictures; reading stops at either bound.
inline constexpr int kMemoryListItems = 100000;
inline constexpr std::size_t kMemoryListBytes = 8 * 1024 * 1024;

// What start-up did not take in: the lines past either bound, or from a damaged line
// (one longer than any name) on. They are the player's all the same, so the file
// stays open and shutdown writes exactly these bytes back after the list.
struct UnreadMemories {
  std::unique_ptr<TextReader> file;  // null when the whole file was read
  std::uint64_t from = 0;
};

// Appends the file's lines to items. Any failure ends the reading silently;
// lines read before it stay. False when the file exists but could not be read
// (no permission, a read error): the shutdown must then leave it as it is. A
// missing file is the first run, and true. Reading that stops at a bound or at
// damage is true, and hands what follows to `unread` when given.
bool ReadMemoryList(const QString& gameFolder, const QString& path, QStringList& items,
                    UnreadMemories* unread = nullptr);

// Writes the items (the heading excluded by the caller) atomically, then the unread
// rest verbatim from the file start-up opened; on failure the old file is untouched
// and the result tells why (storage/game_file.h).
FileProblem WriteMemoryList(const QString& gameFolder, const QString& path,
                            const QStringList& items, const UnreadMemories* unread = nullptr);

// The text of the box shown when the shutdown write fails.
QString MemoryListErrorMessage(const QString& settingsFolder);

}  // namespace hibi
