// A picture box that keeps what was drawn on it: the drawing is a retained image
// repainted on every expose, over the box's white background, until it is cleared.
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
  const QImage& drawing() const { return drawing_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage drawing_;
};

}  // namespace hibi
