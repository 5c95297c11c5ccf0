// The window's place on the desktop as the platform gives it: the usable part of its
// screen, the frame round it, and the size the platform owns while the window is
// maximised or full screen, after which the size and place from before come back.
#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QScreen;
class QWidget;

namespace hibi {

class FrameWatcher;

// The part of the window's screen left for windows, panels excluded, in pixels.
QRect UsableArea(const QWidget& window);

class WindowGeometry : public QObject {
 public:
  // `relayout` runs the layout again: for a frame counted only once the window is
  // mapped, on another screen, or when the screen changes its size.
  WindowGeometry(QWidget& window, std::function<void()> relayout);
  ~WindowGeometry() override;

  // The frame round the window: what the platform shows once the window is mapped,
  // before that what the window manager said it would be.
  QMargins Frame() const;
  void Announce(const QMargins& frame) { announced_ = frame; }
  // The layout has put the window here, counting this frame.
  void Placed(const QRect& inner, const QMargins& frame);

  // Maximised, full screen or minimised, or a frame covering the usable area that the
  // game did not ask for from a window manager that cannot say it maximised.
  bool PlatformSized() const;
  // The layout leaves the size and place alone: the platform owns them, or the size
  // from before is being given back.
  bool Hold() const { return settle_.isActive() || PlatformSized(); }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A frame covering the usable area, that the game did not ask for.
  bool Covers() const;
  // `now`, the frame just read from the server, or none while it is being sized.
  void TakeFrame(const std::optional<QMargins>& now);
  void Track();
  void Restore();
  void FillScreenAlone();
  void WatchScreen(QScreen* screen);

  QWidget& window_;
  std::function<void()> relayout_;
  QMargins announced_;
  // The frame as the server has it, read at every change of the window, where Qt
  // has none or has not yet caught up with it.
  QMargins mapped_;
  QMargins candidate_;
  QTimer frameCheck_;
  QMargins used_;
  QRect placed_;
  // The last size and place the window had of its own, given back after a maximise
  // or full screen.
  QRect normal_;
  bool platformSized_ = false;
  bool saysMaximised_ = true;
  // While the platform settles after a maximise or full screen, every size it
  // passes through is replaced by the one from before.
  QTimer settle_;
  // A window manager that can say it maximised has sized the window to cover the
  // usable area: it may be about to say so.
  QTimer stateWait_;
  QMetaObject::Connection screenWatch_;
  bool watching_ = false;
  std::unique_ptr<FrameWatcher> frameWatcher_;
};

}  // namespace hibi
