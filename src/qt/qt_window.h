// The game's one window on Qt widgets. Every widget is named after the control it
// shows (objectName "PicStt", "Lbl", "Com3", ...). Each widget event goes to the
// Fom handler of the same name, and afterwards the widgets are re-rendered from
// the controls model, changing only what changed. The window starts without a
// game; Attach() connects it to one before anything is shown.
#pragma once

#include <QFont>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "game/controls.h"
#include "layout/layout.h"
#include "qt/qt_geometry.h"
#include "qt/qt_x11.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace hibi {

class Fom;
class PictureBox;

class QtWindow : public QWidget {
 public:
  QtWindow();
  ~QtWindow() override;

  void Attach(Fom& fom);
  // Runs once the player has closed the window and the game has shut down.
  void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
  // Runs after every re-render, once the widgets show what the model says, for what
  // follows the model beside the widgets (the reader's controls, the screen reader).
  void AddAfterRender(std::function<void()> hook) { afterRender_.push_back(std::move(hook)); }
  // Runs a handler of the game as a widget's event would, and re-renders.
  void Perform(const std::function<void(Fom&)>& handler);

  // Makes the widgets show what the controls model says. Cheap when little changed.
  void Render();
  // The music device says its tune may have stopped, or was opened or closed: the
  // watchdog runs at once, and its slow safety tick only while a tune is open.
  void MusicNotice(bool tuneOpen);

  // What the shell port needs from the window.
  double TwipsPerPixel() const;
  WindowMetrics MetricsTwips() const;
  void SetOuterWidthTwips(double twips);
  void ApplyLayout(const Layout& layout);
  void SelectDayLimitText();
  // Where the game is drawn in the window: all of it, or while the platform owns
  // the window's size (maximised, full screen) the largest 8:6 part, centred.
  QRect GameArea() const;
  // The message boxes and the menu: the game's font at the size of its text.
  QFont DialogFont() const;

  PictureBox& picStt() const { return *picStt_; }
  PictureBox& pic() const { return *pic_; }
  PictureBox& picKao() const { return *picKao_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs one handler of the game and re-renders. Does nothing before Attach().
  template <class Handler>
  void Run(Handler&& handler);
  void Press(QWidget* source, QMouseEvent* event);
  void Release(QWidget* source, QMouseEvent* event);
  void BuildWidgets();
  void ConnectEvents();
  void RenderTimer(QTimer& timer, const TimerControl& want, TimerControl& have);
  void RenderMusicWatch(const TimerControl& want);
  void PaceMessagePaints();
  void FixFocus();
  QLineEdit* TxtDay();
  void PlaceTxtDay();
  void Relayout();
  void TakeStartWidth();
  void EndCtrlFastForward();

  Fom* fom_ = nullptr;
  std::function<void()> onClosed_;
  std::vector<std::function<void()>> afterRender_;
  // Asked as the window is made, answered before its first show.
  std::unique_ptr<FrameExtentsRequest> frameRequest_;
  // The outer width start-up asked for, in pixels, kept until the frame is known:
  // a platform that tells the frame only at the first show or later gets it
  // counted then, once.
  int startOuterWidth_ = 0;
  bool shownOnce_ = false;
  bool closed_ = false;
  // The player asked to close while a box or the menu was open: the window closes
  // as soon as it has been dismissed.
  bool closePending_ = false;
  std::unique_ptr<CloseRequestWatcher> closeWatcher_;
  WindowGeometry geometry_{*this, [this] { Relayout(); }};
  // Ctrl held on its own fast-forwards; held this long with no other key, it is not
  // the start of a shortcut.
  QTimer ctrlHold_{this};
  bool ctrlFast_ = false;
  bool tuneOpen_ = false;
  // What the widgets show now; Render() compares the model with it.
  Controls shown_;
  bool renderAll_ = true;
  // The widget and button of the last mouse press, to recognise a click.
  QWidget* pressedOn_ = nullptr;
  Qt::MouseButton pressedButton_ = Qt::NoButton;
  QFont font_;

  // Children, owned by Qt's parent chain; stacked beneath first.
  QLabel* lbl_ = nullptr;
  QWidget* shpK_ = nullptr;
  PictureBox* pic_ = nullptr;
  PictureBox* picKao_ = nullptr;
  QWidget* picCom_ = nullptr;
  QLabel* lblDay_ = nullptr;
  QLabel* lblTime_ = nullptr;
  QLabel* lblHirou_ = nullptr;
  std::array<QPushButton*, 8> com_{};
  PictureBox* picStt_ = nullptr;
  QLineEdit* txtDay_ = nullptr;  // made when first shown: TxtDay()
  QSize txtDaySize_;
  int txtDayPoints_ = 0;
  QListWidget* lstIvent_ = nullptr;

  // Children too, so tests find them by name; members end before the window does.
  QTimer timSay_{this};
  QTimer timHirou_{this};
  QTimer bgmTim_{this};
  // While fast-forward runs, the message is repainted once a frame only.
  QTimer messageFrame_{this};
  // Goes on with a step the game left unfinished, once the events queued meanwhile
  // (a repaint, the player's close) have been handled.
  QTimer stepRest_{this};
  bool messageHeld_ = false;
};

}  // namespace hibi
