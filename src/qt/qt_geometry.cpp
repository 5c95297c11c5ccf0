#include "qt/qt_geometry.h"

#include <QEvent>
#include <QScreen>
#include <QWindowStateChangeEvent>

#include <QWidget>
#include <QWindow>
#include "qt/qt_x11.h"

namespace hibi {
namespace {

constexpr Qt::WindowStates kOwned = Qt::WindowMaximized | Qt::WindowFullScreen;
// How long the platform may take to give the window its frame back.
constexpr int kSettleMs = 500;
// How long a changed frame must hold still before it is counted.
constexpr int kFrameStillMs = 100;

}  // namespace

QRect UsableArea(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen ? screen->availableGeometry() : QRect();
}

WindowGeometry::WindowGeometry(QWidget& window, std::function<void()> relayout)
    : window_(window), relayout_(std::move(relayout)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  // A window manager that would not give the size back: the layout decides.
  connect(&settle_, &QTimer::timeout, this, [this] {
    if (window_.geometry() != normal_) relayout_();
  });
  frameCheck_.setSingleShot(true);
  frameCheck_.setInterval(kFrameStillMs);
  connect(&frameCheck_, &QTimer::timeout, this, [this] {
    const std::optional<QMargins> again = FrameOnScreen(window_);
    if (!again || *again != candidate_) return TakeFrame(again);
    mapped_ = candidate_;
    Track();
  });
  stateWait_.setSingleShot(true);
  stateWait_.setInterval(kSettleMs);
  // No maximise was said: the size was a request.
  connect(&stateWait_, &QTimer::timeout, this, [this] {
    platformSized_ = false;
    relayout_();
  });
  window.installEventFilter(this);
}

WindowGeometry::~WindowGeometry() = default;

QMargins WindowGeometry::Frame() const {
  if (window_.isVisible() && window_.windowHandle()) {
    if (!mapped_.isNull()) return mapped_;
    // Qt's own decorations on Wayland, or the window manager's extents on X11. Qt
    // reads the frame once after each new one and may read it before it is sized.
    const QMargins known = window_.windowHandle()->frameMargins();
    if (!known.isNull() && FrameFits(known)) return known;
  }
  return announced_;
}

void WindowGeometry::Placed(const QRect& inner, const QMargins& frame) {
  placed_ = inner;
  used_ = frame;
}

bool WindowGeometry::Covers() const {
  const QRect usable = UsableArea(window_);
  const QSize outer = window_.geometry().marginsAdded(Frame()).size();
  return window_.isVisible() && !usable.isEmpty() && window_.geometry() != placed_ &&
         outer.width() >= usable.width() && outer.height() >= usable.height();
}

bool WindowGeometry::PlatformSized() const {
  if (window_.windowState() & (kOwned | Qt::WindowMinimized)) return true;
  // Covering the usable area is a maximise only from a window manager that put a
  // frame round the window and has no other way to say so, or one that is about to
  // say so: elsewhere it is a program's or the player's request for a size, and the
  // layout answers it.
  if (!Covers()) return false;
  return stateWait_.isActive() || (!saysMaximised_ && !mapped_.isNull());
}

bool WindowGeometry::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_.windowHandle() && event->type() == QEvent::Expose) Track();
  if (watched != &window_) return false;
  switch (event->type()) {
    case QEvent::Show:
      if (!watching_ && window_.windowHandle()) {
        watching_ = true;
        connect(window_.windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
          WatchScreen(screen);
          relayout_();
        });
        WatchScreen(window_.screen());
        saysMaximised_ = WindowManagerAnnounces("_NET_WM_STATE_MAXIMIZED_VERT");
        FillScreenAlone();
        // Decorations drawn by Qt itself come with the first frame.
        window_.windowHandle()->installEventFilter(this);
        // Looked at once Qt has taken note of the frame as well.
        frameWatcher_ = std::make_unique<FrameWatcher>(
            window_, [this] { QTimer::singleShot(0, this, [this] { Track(); }); });
      }
      break;
    case QEvent::WindowStateChange: {
      FillScreenAlone();
      const Qt::WindowStates old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
      if ((old & kOwned) && !(window_.windowState() & (kOwned | Qt::WindowMinimized))) {
        Restore();
      } else {
        Track();
      }
      break;
    }
    case QEvent::Move:
    case QEvent::Resize:
      Track();
      break;
    default:
      break;
  }
  return false;
}

// The first frame is taken at once; a changed one once it holds still, since a window
// manager that sizes its frame after the window shows a stale frame in between.
void WindowGeometry::TakeFrame(const std::optional<QMargins>& now) {
  if (!now || *now == mapped_) return;
  if (mapped_.isNull()) {
    mapped_ = *now;
  } else if (*now != candidate_ || !frameCheck_.isActive()) {
    candidate_ = *now;
    frameCheck_.start();
  }
}

void WindowGeometry::Track() {
  if (window_.isVisible()) TakeFrame(FrameOnScreen(window_));
  // Maximised or full screen again before the platform had settled.
  if (window_.windowState() & kOwned) {
    settle_.stop();
    stateWait_.stop();
  }
  if (settle_.isActive()) {
    // After the layout's pass on the size passed through, not before it.
    QTimer::singleShot(0, this, [this] {
      if (settle_.isActive() && !(window_.windowState() & kOwned) &&
          window_.geometry() != normal_) {
        window_.setGeometry(normal_);
      }
    });
    return;
  }
  // Some window managers size a maximised window before they say it is maximised.
  if (saysMaximised_ && !platformSized_ && !stateWait_.isActive() &&
      !(window_.windowState() & Qt::WindowMinimized) && Covers())
    stateWait_.start();
  const bool sized = PlatformSized();
  if (platformSized_ && !sized) return Restore();
  platformSized_ = sized;
  if (sized || !window_.isVisible()) return;
  normal_ = window_.geometry();
  // A window manager that announced no frame has put one round the window now.
  if (Frame() != used_) {
    QTimer::singleShot(0, this, [this] {
      if (!Hold() && Frame() != used_) relayout_();
    });
  }
}

void WindowGeometry::Restore() {
  platformSized_ = false;
  // A window that opened maximised or full screen has no size of its own yet.
  if (!normal_.isValid()) return relayout_();
  settle_.start();
  // Once the platform is done with its own leaving of the state.
  QTimer::singleShot(0, this, [this] {
    if (settle_.isActive() && window_.geometry() != normal_) window_.setGeometry(normal_);
  });
}

// Without a window manager that does it, full screen is the window given the whole
// screen: nothing frames it or lays anything over it there.
void WindowGeometry::FillScreenAlone() {
  QTimer::singleShot(0, this, [this] {
    if (!(window_.windowState() & Qt::WindowFullScreen) || !window_.isVisible() ||
        !window_.screen())
      return;
    const QRect screen = window_.screen()->geometry();
    if (window_.geometry() != screen && !WindowManagerAnnounces("_NET_WM_STATE_FULLSCREEN"))
      window_.windowHandle()->setGeometry(screen);
  });
}

void WindowGeometry::WatchScreen(QScreen* screen) {
  disconnect(screenWatch_);
  if (!screen) return;
  screenWatch_ = connect(screen, &QScreen::availableGeometryChanged, this, [this] { relayout_(); });
}

}  // namespace hibi
