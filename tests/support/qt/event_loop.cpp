#include "support/qt/event_loop.h"

#include <QEventLoop>
#include <QTimer>

namespace hibi::testing {

bool RunUntil(const std::function<bool()>& done, int deadlineMs) {
  if (done()) return true;
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
  poll.start();
  loop.exec();
  return done();
}

}  // namespace hibi::testing
