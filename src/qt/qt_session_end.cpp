#include "qt/qt_session_end.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QWidget>
#include <csignal>

namespace hibi {
namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGHUP, SIGINT};
volatile std::sig_atomic_t writeEnd = -1;

void OnSignal(int) {
  const char byte = 1;
  if (writeEnd >= 0) [[maybe_unused]]
    const auto written = write(writeEnd, &byte, 1);
}

}  // namespace

CloseOnSessionEnd::CloseOnSessionEnd(QWidget& window) : QObject(&window) {
  if (writeEnd >= 0 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipe_.data()) != 0) {
    return;
  }
  fcntl(pipe_[1], F_SETFL, O_NONBLOCK);
  writeEnd = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, &window, [this, &window] {
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(pipe_[0], &byte, 1);
    window.close();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

CloseOnSessionEnd::~CloseOnSessionEnd() {
  if (!notifier_) return;
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  writeEnd = -1;
  close(pipe_[0]);
  close(pipe_[1]);
}

}  // namespace hibi
