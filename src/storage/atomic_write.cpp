// Replacing a file without ever losing the old one: a full disk, a folder the player
// may not write to, or a crash in the middle leaves the previous save or memory list
// exactly as it was.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>

#include "storage/text_file.h"

namespace hibi {

namespace {

// A temporary file beside the target; removed again unless it was renamed into place.
class TempFile {
 public:
  TempFile(const std::string& folder, const std::string& name) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      path_ = folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
              std::to_string(now.tv_nsec + attempt);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }

  bool ok() const { return fd_ >= 0; }
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
  bool committed_ = false;
};

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The rename itself only lasts once the folder's entry is on disk too.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteLinesAtomically(const QString& path, const QStringList& lines) {
  std::string data;
  for (const QString& line : lines) {
    data += EncodeCp932(line);
    data += "\r\n";
  }
  const std::string target = NativePath(path);
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.empty()) return false;

  struct stat old {};
  const bool hasOld = ::stat(target.c_str(), &old) == 0;
  if (hasOld && !S_ISREG(old.st_mode)) return false;

  TempFile temp(folder, name);
  if (!temp.ok()) return false;
  if (!WriteAll(temp.fd(), data)) return false;
  // A replaced file keeps the permissions the player gave it.
  if (hasOld) ::fchmod(temp.fd(), old.st_mode & 07777);
  if (::fsync(temp.fd()) != 0) return false;
  if (!temp.Close()) return false;
  if (::rename(temp.path().c_str(), target.c_str()) != 0) return false;
  temp.Commit();
  SyncFolder(folder);
  return true;
}

}  // namespace hibi
