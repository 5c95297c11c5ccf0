#include "storage/read_lines.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>

#include "storage/game_file.h"
#include "storage/text_file.h"

namespace hibi {
namespace {

constexpr int kKeyDigits = 16;
constexpr std::size_t kLineBytes = kKeyDigits + 2;

// FNV-1a: the same key on every machine and in every run, which std::hash is not.
class Fnv {
 public:
  void Add(const QString& text) {
    for (const QChar c : text) {
      const unsigned unit = c.unicode();
      Byte(unit & 0xffu);
      Byte(unit >> 8u);
    }
    Byte(0x1fu);  // so "ab", "c" differs from "a", "bc"
  }
  std::uint64_t value() const { return hash_; }

 private:
  void Byte(unsigned byte) { hash_ = (hash_ ^ byte) * 0x100000001b3ull; }
  std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

QString DataHome() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
  const QString home = QDir::homePath();
  return home.isEmpty() || home == u"/" ? QString() : home + QStringLiteral("/.local/share");
}

}  // namespace

QString PlayerDataFolder(const QString& gameFolder) {
  const QString home = DataHome();
  if (home.isEmpty()) return {};
  const QFileInfo info(gameFolder);
  const QString canonical = info.canonicalFilePath();
  const QString path = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
  QString name;
  for (const QChar c : QFileInfo(path).fileName()) {
    if (name.size() < 32 && c.unicode() < 0x80 && c.isLetterOrNumber()) name += c;
  }
  Fnv key;
  key.Add(path);
  return home + QStringLiteral("/hibi/") + (name.isEmpty() ? QStringLiteral("game") : name) + u'-' +
         QString::number(key.value(), 16).rightJustified(kKeyDigits, u'0') + u'/';
}

std::uint64_t ReadLines::KeyOf(const QString& scene, int lineNumber, const QString& text) {
  Fnv key;
  key.Add(scene);
  key.Add(QString::number(lineNumber));
  key.Add(text);
  return key.value();
}

void ReadLines::Load(const QString& path) {
  path_ = path;
  keys_.clear();
  order_.clear();
  dirty_ = false;
  keepFile_ = false;
  if (path.isEmpty()) return;
  FileProblem problem = FileProblem::None;
  const auto reader = TextReader::Open(FolderOfPath(path), path, kMaxLines * kLineBytes, &problem);
  if (!reader) {
    // A file that is there but cannot be read is never written over.
    keepFile_ = problem != FileProblem::Missing;
    return;
  }
  while (order_.size() < kMaxLines) {
    const std::optional<QString> line = reader->ReadLine();
    if (!line) break;
    bool ok = false;
    const std::uint64_t key = line->toULongLong(&ok, 16);
    if (ok && line->size() == kKeyDigits && keys_.insert(key).second) order_.push_back(key);
  }
  keepFile_ = reader->stop() == TextReader::Stop::ReadError;
}

bool ReadLines::Mark(std::uint64_t key) {
  if (Contains(key)) return false;
  if (order_.size() >= kMaxLines) return true;
  keys_.insert(key);
  order_.push_back(key);
  dirty_ = true;
  return true;
}

bool ReadLines::Save() {
  if (!dirty_ || path_.isEmpty() || keepFile_) return !dirty_ || path_.isEmpty();
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(order_.size()));
  for (const std::uint64_t key : order_) {
    lines << QString::number(key, 16).rightJustified(kKeyDigits, u'0');
  }
  if (!QDir().mkpath(QFileInfo(path_).absolutePath()) || !WriteLinesAtomically(path_, lines)) {
    return false;
  }
  dirty_ = false;
  return true;
}

}  // namespace hibi
