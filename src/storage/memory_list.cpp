#include "storage/memory_list.h"

#include "storage/text_file.h"

namespace hibi {

void ReadMemoryList(const QString& path, QStringList& items) {
  // A first run has no file yet: that is the normal case, not an error. A read error
  // ends the file, so the lines before it are kept.
  if (const std::optional<QStringList> lines = ReadAllLines(path)) items += *lines;
}

bool WriteMemoryList(const QString& path, const QStringList& items) {
  return WriteLinesAtomically(path, items);
}

QString MemoryListErrorMessage(const QString& settingsFolder) {
  return QStringLiteral("リストデーターが、破損しています。\r\n") + settingsFolder +
         kMemoryListFileName + QStringLiteral("　を開いて、中身をすゆまで送って下さい。");
}

}  // namespace hibi
