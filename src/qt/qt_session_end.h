// The desktop ending the session (SIGTERM, SIGHUP) or Ctrl+C in a terminal (SIGINT)
// closes the window as the player would, so the memory list is written instead of
// being lost with the process.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <array>

class QWidget;

namespace hibi {

class CloseOnSessionEnd : public QObject {
 public:
  explicit CloseOnSessionEnd(QWidget& window);
  ~CloseOnSessionEnd() override;
  CloseOnSessionEnd(const CloseOnSessionEnd&) = delete;
  CloseOnSessionEnd& operator=(const CloseOnSessionEnd&) = delete;

 private:
  // A signal handler may only write to a pipe; the window is closed from the loop.
  std::array<int, 2> pipe_{-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace hibi
