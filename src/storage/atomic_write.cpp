// Replacing a file without ever losing the old one: a full disk, a folder the player
// may not write to, or a crash in the middle leaves the previous save or memory list
// exactly as it was. What the player set up stays: a link stays a link, a read-only
// file is refused rather than replaced, and a replaced file keeps its mode and owner.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "storage/text_file.h"

namespace hibi {

namespace {

constexpr int kMaxLinkHops = 40;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a link points to, link by link, so that it is replaced in its own folder
// and the link itself stays. A path that is no link is its own file.
std::optional<std::string> FileBehindLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target) return std::nullopt;
    const std::string next(target, static_cast<std::size_t>(n));
    path = next.front() == '/' ? next : FolderOf(path) + next;
  }
  return std::nullopt;
}

std::string TempPrefix(const std::string& name) {
  return "." + name + ".tmp-";
}

// A temporary file beside the target; removed again unless it was renamed into place.
class TempFile {
 public:
  TempFile(const std::string& folder, const std::string& name, mode_t mode) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      path_ = folder + TempPrefix(name) + std::to_string(::getpid()) + "-" +
              std::to_string(now.tv_nsec + attempt);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    error_ = fd_ < 0 ? errno : 0;
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && error_ == 0) ::unlink(path_.c_str());
  }

  bool ok() const { return error_ == 0; }
  int error() const { return error_; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Commit() { committed_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
  bool committed_ = false;
};

bool WriteAll(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
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

// The rename itself only lasts once the folder's entry is on disk too.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A shared installation may keep its folder read-only and only its files writable:
// then the file is overwritten where it stands, as the game always did. The new
// bytes go first and the old tail is cut after, so a disk that fills up mid-way
// has at least not emptied the file beforehand.
bool WriteInPlace(const std::string& target, const std::string& data) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, data) &&
                       ::ftruncate(fd, static_cast<off_t>(data.size())) == 0 && ::fsync(fd) == 0;
  return ::close(fd) == 0 && written;
}

// Temporary files of earlier runs that were killed mid-write. A file of a process
// that still runs (another copy of the game saving at this very moment) is its own.
void RemoveLeftovers(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
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

}  // namespace

bool WriteLinesAtomically(const QString& path, const QStringList& lines,
                          std::optional<FileRest> rest) {
  std::string data;
  for (const QString& line : lines) {
    data += EncodeCp932(line);
    data += "\r\n";
  }
  const std::optional<std::string> target = FileBehindLinks(NativePath(path));
  if (!target) return false;
  const std::string folder = FolderOf(*target);
  const std::string name = NameOf(*target);
  if (name.empty()) return false;

  struct stat old {};
  const bool hasOld = ::stat(target->c_str(), &old) == 0;
  if (hasOld && !S_ISREG(old.st_mode)) return false;
  // A file the player made read-only is protected from the game as from anyone else.
  if (hasOld && ::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) return false;

  TempFile temp(folder, name, hasOld ? 0600 : 0666);
  if (!temp.ok()) {
    const bool folderLocked = temp.error() == EACCES || temp.error() == EPERM;
    // In place, the new lines would overwrite the rest before it is copied.
    return hasOld && folderLocked && !rest && WriteInPlace(*target, data);
  }
  if (!WriteAll(temp.fd(), data)) return false;
  if (rest && !CopyRest(*rest, temp.fd())) return false;
  if (hasOld) {
    // Owner and group where the process may give them away (root), else the group
    // alone where it may; the mode last, as a change of owner clears set-id bits.
    if (::fchown(temp.fd(), old.st_uid, old.st_gid) != 0 &&
        ::fchown(temp.fd(), -1, old.st_gid) != 0) {
      // the new file stays the process's own
    }
    if (::fchmod(temp.fd(), old.st_mode & 07777) != 0) return false;
  }
  if (::fsync(temp.fd()) != 0) return false;
  if (!temp.Close()) return false;
  if (::rename(temp.path().c_str(), target->c_str()) != 0) return false;
  temp.Commit();
  SyncFolder(folder);
  RemoveLeftovers(folder, name);
  return true;
}

}  // namespace hibi
