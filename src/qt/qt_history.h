// The history over the message area: the rows the game has shown in this run,
// newest at the bottom. The wheel turned up or Page Up opens it in a scene or at
// the command panel. While it is open it lies over the whole window and takes every
// click and key it knows, so nothing reaches the game, which waits (Fom::InModal);
// the tune plays on. The wheel past the newest row, Escape, or a left or right
// click closes it, and the game goes on from where it stood.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace hibi {

class Fom;
class QtWindow;

class HistoryView : public QWidget {
 public:
  // A child of the window, so Qt owns it.
  HistoryView(QtWindow& window, Fom& fom);

  // Opens when the game lets it; returns whether it did.
  bool Open();
  void Close();
  bool IsOpen() const { return isVisible(); }

  bool eventFilter(QObject* watched, QEvent* event) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Covers the window; the rows lie exactly over the message label, in its font.
  void Place();
  void Scroll(int rows);
  void Wheel(QWheelEvent* event);
  QPlainTextEdit* Text();

  QtWindow& window_;
  Fom& fom_;
  QLabel* lbl_;
  QPlainTextEdit* text_ = nullptr;  // made when first opened: Text()
};

}  // namespace hibi
