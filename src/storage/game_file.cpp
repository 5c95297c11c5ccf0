#include "storage/game_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "storage/beneath.h"
#include "storage/game_names.h"
#include "storage/text_file.h"

namespace hibi {
namespace {

bool IsSeparator(QChar c) {
  return c == u'/' || c == u'\\';
}

// C0 and C1 controls and DEL: nothing a file is named with, and what a terminal
// takes for commands when a name is printed.
bool IsControl(QChar c) {
  return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

// The part of `path` below `gameFolder` as native bytes; nullopt for a path outside it
// or a name the game refuses.
std::optional<std::string> NativeBelow(const QString& gameFolder, const QString& path) {
  if (!path.startsWith(gameFolder)) return std::nullopt;
  if (CheckGameName(QStringView(path).sliced(gameFolder.size())) != NameFault::None)
    return std::nullopt;
  return NativePath(path).substr(NativePath(gameFolder).size());
}

}  // namespace

NameFault CheckGameName(QStringView relative) {
  for (const QChar c : relative) {
    if (IsControl(c)) return NameFault::ControlCharacter;
  }
  int depth = 0;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= relative.size(); ++i) {
    if (i < relative.size() && !IsSeparator(relative[i])) continue;
    const QStringView part = relative.sliced(start, i - start);
    start = i + 1;
    if (part.isEmpty() && i < relative.size()) return NameFault::Absolute;
    if (part.size() >= 2 && part[1] == u':' && part[0].isLetter()) return NameFault::Absolute;
    if (part == u"..") {
      if (--depth < 0) return NameFault::LeavesFolder;
    } else if (!part.isEmpty() && part != u".") {
      ++depth;
    }
  }
  return NameFault::None;
}

bool SuffixHoldsSeparator(QStringView suffix) {
  return suffix.contains(u'/') || suffix.contains(u'\\');
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

int FileHandle::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

FileProblem ProblemOfError(int error) {
  switch (error) {
    case 0:
      return FileProblem::None;
    case ENOENT:
    case ENOTDIR:
      return FileProblem::Missing;
    case EXDEV:
    case ELOOP:
      return FileProblem::Refused;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return FileProblem::Denied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileProblem::NoSpace;
    case ENXIO:
    case ENODEV:
    case EISDIR:
      return FileProblem::NotAFile;
    default:
      return FileProblem::Failed;
  }
}

QString FolderOfPath(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 ? QStringLiteral("./") : path.left(slash + 1);
}

OpenedFile OpenGameFile(const QString& gameFolder, const QString& path) {
  OpenedFile opened;
  if (!NativeBelow(gameFolder, path)) {
    opened.problem = FileProblem::Refused;
    return opened;
  }
  const std::string rootText = NativePath(gameFolder);
  const FileHandle root = beneath::OpenRoot(rootText);
  if (!root) {
    opened.problem = ProblemOfError(errno);
    return opened;
  }
  const std::string below = NativePath(GameFile(gameFolder, path)).substr(rootText.size());
  // Non-blocking, so a FIFO in a file's place is refused instead of waited on.
  opened.file = FileHandle(beneath::Open(root.get(), rootText, below, O_RDONLY | O_NONBLOCK));
  if (!opened.file) {
    opened.problem = ProblemOfError(errno);
    return opened;
  }
  struct stat info {};
  if (::fstat(opened.file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    opened.file = FileHandle();
    opened.problem = FileProblem::NotAFile;
  }
  return opened;
}

FileBytes ReadAllBytes(const FileHandle& file, qsizetype maxBytes) {
  constexpr qsizetype kChunk = 64 * 1024;
  FileBytes read;
  for (;;) {
    // One byte beyond the cap tells a file of exactly that size from a larger one.
    const qsizetype want = std::min(kChunk, maxBytes + 1 - read.bytes.size());
    const qsizetype old = read.bytes.size();
    read.bytes.resize(old + want);
    ssize_t got = 0;
    do {
      got = ::read(file.get(), read.bytes.data() + old, static_cast<std::size_t>(want));
    } while (got < 0 && errno == EINTR);
    if (got < 0) return {{}, FileProblem::Failed};
    read.bytes.resize(old + got);
    if (read.bytes.size() > maxBytes) return {{}, FileProblem::TooLarge};
    if (got == 0) return read;
  }
}

FileBytes ReadGameFile(const QString& gameFolder, const QString& path, qsizetype maxBytes) {
  const OpenedFile opened = OpenGameFile(gameFolder, path);
  if (!opened.file) return {{}, opened.problem};
  return ReadAllBytes(opened.file, maxBytes);
}

WriteTarget ResolveGameFileToWrite(const QString& gameFolder, const QString& path) {
  WriteTarget target;
  if (!NativeBelow(gameFolder, path)) {
    target.problem = FileProblem::Refused;
    return target;
  }
  const std::string rootText = NativePath(gameFolder);
  const FileHandle root = beneath::OpenRoot(rootText);
  if (!root) {
    target.problem = ProblemOfError(errno);
    return target;
  }
  const std::string below = NativePath(GameFileToWrite(gameFolder, path)).substr(rootText.size());
  beneath::Resolved resolved = beneath::Walk(root.get(), rootText, below);
  if (!resolved.folder) {
    target.problem = ProblemOfError(resolved.error);
  } else if (resolved.error == ENOENT && resolved.throughLink) {
    target.problem = FileProblem::Refused;  // a new file would appear where the link points
  } else if (resolved.error != 0 && resolved.error != ENOENT) {
    target.problem = ProblemOfError(resolved.error);
  } else if (resolved.name == ".") {
    target.problem = FileProblem::NotAFile;
  } else {
    target.folder =
        FileHandle(::openat(resolved.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    target.name = std::move(resolved.name);
    if (!target.folder) target.problem = ProblemOfError(errno);
  }
  return target;
}

}  // namespace hibi
