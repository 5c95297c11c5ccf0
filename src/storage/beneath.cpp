#include "storage/beneath.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <vector>

namespace hibi::beneath {
namespace {

constexpr int kMaxLinkHops = 40;

std::deque<std::string> Split(const std::string& path) {
  std::deque<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(start, slash - start);
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
    start = slash + 1;
  }
  return parts;
}

Resolved Failure(int error) {
  Resolved resolved;
  resolved.error = error;
  return resolved;
}

std::string ReadLink(int folder, const std::string& name) {
  std::string target(4096, '\0');
  const ssize_t n = ::readlinkat(folder, name.c_str(), target.data(), target.size());
  target.resize(n > 0 && std::size_t(n) < target.size() ? std::size_t(n) : 0);
  return target;
}

}  // namespace

FileHandle OpenRoot(const std::string& folder) {
  return FileHandle(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

Resolved Walk(int root, const std::string& rootText, const std::string& relative) {
  std::vector<FileHandle> entered;  // the folders below root the walk stands in
  std::deque<std::string> parts = Split(relative);
  bool throughLink = false;
  int hops = 0;
  const auto here = [&] { return entered.empty() ? root : entered.back().get(); };
  const auto result = [&](std::string name, int error) {
    Resolved resolved;
    resolved.folder = FileHandle(::fcntl(here(), F_DUPFD_CLOEXEC, 0));
    resolved.name = std::move(name);
    resolved.throughLink = throughLink;
    resolved.error = resolved.folder ? error : errno;
    return resolved;
  };
  while (!parts.empty()) {
    std::string part = std::move(parts.front());
    parts.pop_front();
    if (part == "..") {
      if (entered.empty()) return Failure(EXDEV);
      entered.pop_back();
      continue;
    }
    struct stat info {};
    if (::fstatat(here(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT && parts.empty()) return result(std::move(part), ENOENT);
      return Failure(errno);
    }
    if (S_ISLNK(info.st_mode)) {
      if (++hops > kMaxLinkHops) return Failure(ELOOP);
      std::string target = ReadLink(here(), part);
      if (target.empty()) return Failure(ENOENT);
      throughLink = true;
      if (target.front() == '/') {
        // An absolute link is followed only back into the folder itself.
        if (target.compare(0, rootText.size(), rootText) != 0) return Failure(EXDEV);
        entered.clear();
        target.erase(0, rootText.size());
      }
      std::deque<std::string> more = Split(target);
      parts.insert(parts.begin(), more.begin(), more.end());
      continue;
    }
    if (parts.empty()) return result(std::move(part), 0);
    if (!S_ISDIR(info.st_mode)) return Failure(ENOTDIR);
    FileHandle folder(
        ::openat(here(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder) return Failure(errno);
    entered.push_back(std::move(folder));
  }
  return result(".", 0);  // the path ends at a folder
}

int Open(int root, const std::string& rootText, const std::string& relative, int flags) {
  // openat2 takes no flag O_PATH ignores; a terminal is never made ours.
  flags |= (flags & O_PATH) ? O_CLOEXEC : O_CLOEXEC | O_NOCTTY;
  open_how how{};
  how.flags = static_cast<unsigned>(flags);
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  const long fd = ::syscall(SYS_openat2, root, relative.c_str(), &how, sizeof how);
  if (fd >= 0) return static_cast<int>(fd);
  // EXDEV may be an absolute link back inside, which only the walk can follow.
  if (errno != ENOSYS && errno != EPERM && errno != EXDEV && errno != E2BIG) return -1;
  Resolved resolved = Walk(root, rootText, relative);
  if (resolved.error != 0) {
    errno = resolved.error;
    return -1;
  }
  return ::openat(resolved.folder.get(), resolved.name.c_str(), flags | O_NOFOLLOW);
}

}  // namespace hibi::beneath
