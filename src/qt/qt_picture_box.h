// A picture box that keeps what was drawn on it: the drawing is a retained image
// repainted on every expose, over the box's white background, until it is cleared.
// The stretch itself waits until the drawing is first needed: a hidden box (the
// event layer at the title) keeps only a shared reference to the picture, not a
// window-sized copy, and a picture drawn over before it showed costs nothing.
// A box that nothing is ever drawn over (the title stage) keeps no stretched copy
// at all and stretches the picture at each paint, which is only on an expose:
// the copy would be a second window-sized image beside the window's own.
#pragma once

#include <QImage>
#include <QWidget>

namespace hibi {

class PictureBox : public QWidget {
 public:
  enum class Keep { kStretched, kPicture };
  explicit PictureBox(QWidget* parent, Keep keep = Keep::kStretched);

  void Clear();
  // Stretches the whole picture over the whole box, ignoring its proportions.
  void StretchDraw(const QImage& picture);
  // What the box shows, at the size it had when drawn.
  QImage drawing() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QImage Compose() const;
  // Stretches source_ over the box at sourceSize_, drawing the part under `area`.
  void DrawSource(QPainter& painter, const QRect& area) const;
  const QImage& Stretched() const;

  Keep keep_;
  // The picture still to be stretched, and the box's size when it was drawn.
  mutable QImage source_;
  QSize sourceSize_;
  mutable QImage drawing_;
};

}  // namespace hibi
