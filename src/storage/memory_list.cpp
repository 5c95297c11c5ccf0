#include "storage/memory_list.h"

#include "storage/text_file.h"

namespace hibi {

bool ReadMemoryList(const QString& gameFolder, const QString& path, QStringList& items) {
  // A first run has no file yet: that is the normal case, not an error.
  FileProblem problem = FileProblem::None;
  const auto reader = TextReader::Open(gameFolder, path, kMemoryListBytes, &problem);
  if (!reader) return problem == FileProblem::Missing;
  // Damage (an endless line, a file beyond every bound) ends the reading where it
  // is; what came before is the player's and stays.
  for (int read = 0; read < kMemoryListItems; ++read) {
    std::optional<QString> line = reader->ReadLine();
    if (!line) break;
    items.append(*std::move(line));
  }
  return reader->stop() != TextReader::Stop::ReadError;
}

FileProblem WriteMemoryList(const QString& gameFolder, const QString& path,
                            const QStringList& items) {
  return WriteGameLines(gameFolder, path, items);
}

QString MemoryListErrorMessage(const QString& settingsFolder) {
  return QStringLiteral("リストデーターが、破損しています。\r\n") + settingsFolder +
         kMemoryListFileName + QStringLiteral("　を開いて、中身をすゆまで送って下さい。");
}

}  // namespace hibi
