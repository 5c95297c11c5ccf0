#include "storage/game_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "storage/beneath.h"
#include "storage/game_file.h"
#include "storage/text_file.h"

namespace hibi {
namespace {

struct Entry {
  std::string bytes;
  QString text;   // as a path keeps it (see TextFromNativeName)
  QString shown;  // as the game would write it: UTF-8, else CP932
  bool cp932 = false;
};

struct Listing {
  timespec modified{};
  std::vector<Entry> entries;                 // in byte order
  QHash<QString, QList<qsizetype>> byFolded;  // case-folded name -> entries
};

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::unique_ptr<Listing> ReadListing(FileHandle folder, const timespec& modified) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(folder.get()), ::closedir);
  if (!dir) return nullptr;
  folder.release();
  auto listing = std::make_unique<Listing>();
  listing->modified = modified;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string_view name(item->d_name);
    if (name == "." || name == "..") continue;
    Entry entry{std::string(name), TextFromNativeName(name), {}, false};
    entry.cp932 = entry.text != QString::fromUtf8(name.data(), qsizetype(name.size()));
    entry.shown = entry.cp932 ? DecodeCp932(name) : entry.text;
    listing->entries.push_back(std::move(entry));
  }
  std::sort(listing->entries.begin(), listing->entries.end(),
            [](const Entry& a, const Entry& b) { return a.bytes < b.bytes; });
  for (qsizetype i = 0; i < qsizetype(listing->entries.size()); ++i) {
    listing->byFolded[listing->entries[std::size_t(i)].shown.toCaseFolded()].append(i);
  }
  return listing;
}

// One listing per folder, shared by every lookup of the program. A folder is opened
// beneath the game folder like any file, so a link to a folder outside is never listed.
class Listings {
 public:
  // The entry of the folder `relative` (below the game folder `root`) matching `want`,
  // or nullopt; adds to `through`.
  std::optional<Entry> Find(int root, const std::string& rootText, const std::string& relative,
                            const QString& want, unsigned& through) {
    FileHandle folder(beneath::Open(root, rootText, relative.empty() ? "." : relative,
                                    O_RDONLY | O_DIRECTORY | O_NONBLOCK));
    struct stat info {};
    if (!folder || ::fstat(folder.get(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    const std::lock_guard lock(mutex_);
    std::unique_ptr<Listing>& held = held_[{info.st_dev, info.st_ino}];
    if (!held || !SameTime(held->modified, info.st_mtim))
      held = ReadListing(std::move(folder), info.st_mtim);
    if (!held) return std::nullopt;
    const auto group = held->byFolded.constFind(want.toCaseFolded());
    if (group == held->byFolded.cend()) return std::nullopt;
    const Entry* chosen = &held->entries[std::size_t(group->first())];
    for (qsizetype i : *group) {
      if (held->entries[std::size_t(i)].shown == want) chosen = &held->entries[std::size_t(i)];
    }
    if (group->size() > 1) through |= kSeveralMatched;
    if (chosen->shown != want) through |= kCaseFolding;
    if (chosen->cp932) through |= kCodePage932;
    return *chosen;
  }

 private:
  std::mutex mutex_;
  std::map<std::pair<dev_t, ino_t>, std::unique_ptr<Listing>> held_;
};

Listings& SharedListings() {
  static Listings listings;
  return listings;
}

// Anything there at all, a link leading outside included: opening it tells the rest.
bool Exists(int root, const std::string& rootText, const std::string& relative) {
  const FileHandle file(beneath::Open(root, rootText, relative, O_PATH));
  return file || (errno != ENOENT && errno != ENOTDIR);
}

}  // namespace

QString TextFromNativeName(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (!utf8.hasError()) return text;
  text.clear();
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += byte < 0x80 ? QChar(byte) : QChar(char16_t(0xDC00 + byte));
  }
  return text;
}

FoundFile FindGameFile(const QString& gameFolder, const QString& path) {
  const QString below = path.mid(gameFolder.size());
  if (!path.startsWith(gameFolder) || CheckGameName(below) != NameFault::None)
    return {path, false, kExactName};
  const std::string rootText = NativePath(gameFolder);
  const FileHandle root = beneath::OpenRoot(rootText);
  if (!root) return {path, false, kExactName};
  if (Exists(root.get(), rootText, NativePath(below))) return {path, true, kExactName};
  FoundFile found{gameFolder, false, below.contains(u'\\') ? kBackslash : kExactName};
  std::string folder;
  // Compiled once: a game with missing pictures looks for each at every step.
  static const QRegularExpression kSeparators(QStringLiteral("[/\\\\]"));
  const QStringList parts = below.split(kSeparators, Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const std::optional<Entry> entry =
        SharedListings().Find(root.get(), rootText, folder, parts[i], found.through);
    if (!entry) return {path, false, kExactName};
    if (!folder.empty()) folder += '/';
    folder += entry->bytes;
    found.path += entry->text;
    if (i + 1 < parts.size()) found.path += u'/';
  }
  found.found = !parts.isEmpty();
  return found.found ? found : FoundFile{path, false, kExactName};
}

QString GameFile(const QString& gameFolder, const QString& path) {
  return FindGameFile(gameFolder, path).path;
}

QString GameFileToWrite(const QString& gameFolder, const QString& path) {
  const FoundFile file = FindGameFile(gameFolder, path);
  if (file.found) return file.path;
  const qsizetype slash = path.lastIndexOf(u'/');
  if (slash < 0) return path;
  const FoundFile folder = FindGameFile(gameFolder, path.left(slash));
  return folder.found ? folder.path + path.mid(slash) : path;
}

}  // namespace hibi
