// Replacing a file without ever losing the old one: a full disk, a folder the player
// may not write to, or a crash in the middle leaves the previous save or memory list
// exactly as it was. What the player set up stays: a link inside the game folder stays
// a link, a read-only file is refused rather than replaced, and a replaced file keeps
// its mode and owner. Everything happens relative to the descriptor of the folder the
// file lies in, found beneath the game folder (storage/game_file.h).
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "storage/text_file.h"

namespace hibi {

namespace {

std::string TempPrefix(const std::string& name) {
  return "." + name + ".tmp-";
}

// A temporary file beside the target; removed again unless it was renamed into place.
class TempFile {
 public:
  TempFile(int folder, const std::string& name, mode_t mode) : folder_(folder) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      name_ = TempPrefix(name) + std::to_string(::getpid()) + "-" +
              std::to_string(now.tv_nsec + attempt);
      fd_ = ::openat(folder, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     mode);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    error_ = fd_ < 0 ? errno : 0;
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && error_ == 0) ::unlinkat(folder_, name_.c_str(), 0);
  }

  bool ok() const { return error_ == 0; }
  int error() const { return error_; }
  int fd() const { return fd_; }
  const std::string& name() const { return name_; }

  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Commit() { committed_ = true; }

 private:
  int folder_;
  std::string name_;
  int fd_ = -1;
  int error_ = 0;
  bool committed_ = false;
};

bool WriteAll(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Chunk by chunk, so a rest of any size costs no more memory than a small file.
bool CopyRest(const FileRest& rest, int to) {
  std::string chunk(64 * 1024, '\0');
  auto at = static_cast<off_t>(rest.offset);
  for (;;) {
    const ssize_t n = ::pread(rest.fd, chunk.data(), chunk.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    if (!WriteAll(to, std::string_view(chunk.data(), static_cast<std::size_t>(n)))) return false;
    at += n;
  }
}

// A shared installation may keep its folder read-only and only its files writable:
// then the file is overwritten where it stands, as the game always did. The new
// bytes go first and the old tail is cut after, so a disk that fills up mid-way
// has at least not emptied the file beforehand.
FileProblem WriteInPlace(int folder, const std::string& name, const std::string& data) {
  const FileHandle file(
      ::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!file) return ProblemOfError(errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileProblem::NotAFile;
  const bool written = WriteAll(file.get(), data) &&
                       ::ftruncate(file.get(), static_cast<off_t>(data.size())) == 0 &&
                       ::fsync(file.get()) == 0;
  return written ? FileProblem::None : ProblemOfError(errno);
}

// Temporary files of earlier runs that were killed mid-write. A file of a process
// that still runs (another copy of the game saving at this very moment) is its own.
void RemoveLeftovers(int folder, const std::string& name) {
  DIR* dir = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir) return;
  const std::string prefix = TempPrefix(name);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string file = entry->d_name;
    if (file.compare(0, prefix.size(), prefix) != 0) continue;
    const long pid = std::strtol(file.c_str() + prefix.size(), nullptr, 10);
    const bool alive =
        pid > 0 && pid != ::getpid() && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
    if (!alive) ::unlinkat(::dirfd(dir), file.c_str(), 0);
  }
  ::closedir(dir);
}

// The failure a step left in errno.
FileProblem Fail() {
  const FileProblem problem = ProblemOfError(errno);
  return problem == FileProblem::None ? FileProblem::Failed : problem;
}

}  // namespace

FileProblem WriteGameLines(const QString& gameFolder, const QString& path, const QStringList& lines,
                           std::optional<FileRest> rest) {
  std::string data;
  for (const QString& line : lines) {
    data += EncodeCp932(line);
    data += "\r\n";
  }
  const WriteTarget target = ResolveGameFileToWrite(gameFolder, path);
  if (target.problem != FileProblem::None) return target.problem;
  const int folder = target.folder.get();
  const char* name = target.name.c_str();

  struct stat old {};
  const bool hasOld = ::fstatat(folder, name, &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (hasOld && !S_ISREG(old.st_mode)) return FileProblem::NotAFile;
  // A file the player made read-only is protected from the game as from anyone else.
  if (hasOld && ::faccessat(folder, name, W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
    return Fail();

  TempFile temp(folder, target.name, hasOld ? 0600 : 0666);
  if (!temp.ok()) {
    const bool folderLocked = temp.error() == EACCES || temp.error() == EPERM;
    // In place, the new lines would overwrite the rest before it is copied.
    if (hasOld && folderLocked && !rest) return WriteInPlace(folder, target.name, data);
    return ProblemOfError(temp.error());
  }
  if (!WriteAll(temp.fd(), data)) return Fail();
  if (rest && !CopyRest(*rest, temp.fd())) return Fail();
  if (hasOld) {
    // Owner and group where the process may give them away (root), else the group
    // alone where it may; the mode last, as a change of owner clears set-id bits.
    if (::fchown(temp.fd(), old.st_uid, old.st_gid) != 0 &&
        ::fchown(temp.fd(), -1, old.st_gid) != 0) {
      // the new file stays the process's own
    }
    if (::fchmod(temp.fd(), old.st_mode & 07777) != 0) return Fail();
  }
  if (::fsync(temp.fd()) != 0) return Fail();
  if (!temp.Close()) return Fail();
  if (::renameat(folder, temp.name().c_str(), folder, name) != 0) return Fail();
  temp.Commit();
  // The rename itself only lasts once the folder's entry is on disk too.
  ::fsync(folder);
  RemoveLeftovers(folder, target.name);
  return FileProblem::None;
}

bool WriteLinesAtomically(const QString& path, const QStringList& lines) {
  return WriteGameLines(FolderOfPath(path), path, lines) == FileProblem::None;
}

}  // namespace hibi
