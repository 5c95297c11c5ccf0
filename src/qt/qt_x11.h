// What the window needs from X11 that Qt does not give: the window manager's frame
// before the window is first shown and the moment it is put round the window, which states
// the window manager knows, and a close request that arrives while a modal
// box blocks the window (Qt drops it then). Elsewhere than on X11 all of them do nothing.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <functional>
#include <optional>

class QWidget;

namespace hibi {

// Asks the window manager what frame it will put round an ordinary window. The
// question goes out when this is made and the answer is read when wanted, so the
// window manager answers while the game builds its window instead of keeping it
// waiting. The answer is null margins when there is no window manager or it does
// not answer; the inner and outer sizes are then the same.
class FrameExtentsRequest {
 public:
  FrameExtentsRequest();
  ~FrameExtentsRequest();
  FrameExtentsRequest(const FrameExtentsRequest&) = delete;
  FrameExtentsRequest& operator=(const FrameExtentsRequest&) = delete;

  // Waits at most a fifth of a second for the answer the first time; the same
  // answer after that.
  QMargins Answer(qreal devicePixelRatio);

 private:
  void Forget();

  unsigned probe_ = 0;
  unsigned extents_ = 0;
  QMargins frame_;
};

// Whether a window manager is there that knows the window state `state` (such as
// "_NET_WM_STATE_FULLSCREEN"): puts the window into it when asked and says when it
// does. Off X11 the platform always does.
bool WindowManagerAnnounces(const char* state);

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

// A frame a window manager has finished sizing: it holds the window, and its two sides
// are alike, as every window manager draws them. Between putting the window into a
// frame, or resizing it, and sizing the frame to match, one that is kept waiting
// shows a frame smaller than the window or wider on one side.
inline bool FrameFits(const QMargins& frame) {
  return frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0 &&
         frame.left() == frame.right();
}

// The frame a window manager has put round the mapped `window`, read from the
// window tree as the server has it now: the difference between its outermost
// ancestor below the root and the window itself. Null without a window manager's
// frame or off X11; none while the window manager is still sizing it.
std::optional<QMargins> FrameOnScreen(const QWidget& window);

// Calls `onFrame` whenever the window manager puts `window` into a frame of its own
// or announces new frame extents for it: a window manager that did not say what
// frame it would add has added it now.
class FrameWatcher : public QAbstractNativeEventFilter {
 public:
  FrameWatcher(QWidget& window, std::function<void()> onFrame);
  ~FrameWatcher() override;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  QWidget& window_;
  std::function<void()> onFrame_;
  unsigned extents_ = 0;
};

}  // namespace hibi
