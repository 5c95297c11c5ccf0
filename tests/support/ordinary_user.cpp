#include "support/ordinary_user.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDirIterator>

namespace hibi::testing {

std::optional<std::string> AsOrdinaryUser(const std::function<std::string()>& work) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (!::geteuid() && (::setgroups(0, nullptr) || ::setgid(kNobody) || ::setuid(kNobody)))
      ::_exit(2);
    const std::string result = work();
    // No destructors and no test framework in the child: the parent owns both.
    ::_exit(::write(pipeFds[1], result.data(), result.size()) == ssize_t(result.size()) ? 0 : 3);
  }
  ::close(pipeFds[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  ::close(pipeFds[0]);
  int status = 0;
  const bool done = child > 0 && ::waitpid(child, &status, 0) == child;
  return done && WIFEXITED(status) && !WEXITSTATUS(status) ? std::optional(result) : std::nullopt;
}

void OpenToEveryone(const QString& folder) {
  ::chmod(folder.toUtf8().constData(), 0777);
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info = it.nextFileInfo();
    ::chmod(info.filePath().toUtf8().constData(), info.isDir() ? 0777 : 0666);
  }
}

}  // namespace hibi::testing
