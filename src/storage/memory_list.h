// The memory list between runs: settingsFolder + "lstphoto.dat", one picture name
// per CP932 line with CR LF, no heading, no count. Duplicates, empty items and a
// line equal to the heading are all ordinary items.
#pragma once

#include <QString>
#include <QStringList>

namespace hibi {

inline const QString kMemoryListFileName = QStringLiteral("lstphoto.dat");

// Appends the file's lines to items. Any failure ends the reading silently;
// lines read before it stay.
void ReadMemoryList(const QString& path, QStringList& items);

// Writes the items (the heading excluded by the caller) atomically; false on failure,
// and the old file is then untouched.
bool WriteMemoryList(const QString& path, const QStringList& items);

// The text of the box shown when the shutdown write fails.
QString MemoryListErrorMessage(const QString& settingsFolder);

}  // namespace hibi
