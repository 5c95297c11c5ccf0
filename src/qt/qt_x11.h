// What the window needs from X11 that Qt does not give: the window manager's frame
// before the window is first shown, and a close request that arrives while a modal
// box blocks the window (Qt drops it then). Elsewhere than on X11 both do nothing.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <functional>

class QWidget;

namespace hibi {

// Asks the window manager what frame it will put round `window` and waits briefly
// for the answer. Null margins when there is no window manager or no answer; the
// inner and outer sizes are then the same.
QMargins RequestFrameExtents(QWidget& window);

// Calls `onClose` whenever the window manager asks `window` to close.
class CloseRequestWatcher : public QAbstractNativeEventFilter {
 public:
  CloseRequestWatcher(QWidget& window, std::function<void()> onClose);
  ~CloseRequestWatcher() override;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  QWidget& window_;
  std::function<void()> onClose_;
  unsigned protocols_ = 0;
  unsigned deleteWindow_ = 0;
};

}  // namespace hibi
