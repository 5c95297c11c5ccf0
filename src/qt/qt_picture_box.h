// A picture box that keeps what was drawn on it: the drawing is a retained image
// repainted on every expose, over the box's white background, until it is cleared.
// The stretch itself waits until the drawing is first needed: a hidden box (the
// event layer at the title) keeps only a shared reference to the picture, not a
// window-sized copy, and a picture drawn over before it showed costs nothing.
#pragma once

#include <QImage>
#include <QWidget>

namespace hibi {

class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent);

  void Clear();
  // Stretches the whole picture over the whole box, ignoring its proportions.
  void StretchDraw(const QImage& picture);
  const QImage& drawing() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The picture still to be stretched, and the box's size in pixels when it was drawn.
  mutable QImage source_;
  QSize sourceSize_;
  mutable QImage drawing_;
};

}  // namespace hibi
