#include "storage/memory_list.h"

#include <unistd.h>

#include "storage/text_file.h"

namespace hibi {

bool ReadMemoryList(const QString& gameFolder, const QString& path, QStringList& items,
                    UnreadMemories* unread) {
  // A first run has no file yet: that is the normal case, not an error.
  FileProblem problem = FileProblem::None;
  auto reader = TextReader::Open(gameFolder, path, kMemoryListBytes, &problem);
  if (!reader) return problem == FileProblem::Missing;
  // Damage (an endless line, a file beyond every bound) ends the reading where it
  // is; what came before is the player's and stays, and so does what comes after.
  for (int read = 0;; ++read) {
    std::uint64_t at = reader->offset();
    std::optional<QString> line = reader->ReadLine();
    const TextReader::Stop stop = reader->stop();
    if (stop == TextReader::Stop::ReadError) return false;
    if (!line && stop == TextReader::Stop::None) return true;
    if (!line || read == kMemoryListItems) {
      // The byte bound may fall between the CR and the LF of one line end.
      char pair[2] = {};
      if (at > 0 && ::pread(reader->fd(), pair, 2, static_cast<off_t>(at - 1)) == 2 &&
          pair[0] == '\r' && pair[1] == '\n')
        ++at;
      if (unread) *unread = UnreadMemories{std::move(reader), at};
      return true;
    }
    items.append(*std::move(line));
  }
}

FileProblem WriteMemoryList(const QString& gameFolder, const QString& path,
                            const QStringList& items, const UnreadMemories* unread) {
  std::optional<FileRest> rest;
  if (unread && unread->file) rest = FileRest{unread->file->fd(), unread->from};
  return WriteGameLines(gameFolder, path, items, rest);
}

QString MemoryListErrorMessage(const QString& settingsFolder) {
  return QStringLiteral("リストデーターが、破損しています。\r\n") + settingsFolder +
         kMemoryListFileName + QStringLiteral("　を開いて、中身をすゆまで送って下さい。");
}

}  // namespace hibi
