#include "qt/qt_picture_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace hibi {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  // Only the retained image and the background are ever painted, so Qt need not
  // clear behind us first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Clear() {
  if (drawing_.isNull() && source_.isNull()) return;
  drawing_ = QImage();
  source_ = QImage();
  update();
}

void PictureBox::StretchDraw(const QImage& picture) {
  drawing_ = QImage();
  source_ = picture;
  sourceSize_ = size();
  update();
}

const QImage& PictureBox::drawing() const {
  if (source_.isNull()) return drawing_;
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(sourceSize_) * ratio).toSize();
  if (!pixels.isEmpty()) {
    QImage drawn(pixels, QImage::Format_RGB32);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(sourceSize_)), source_,
                      QRectF(source_.rect()));
    painter.end();
    drawing_ = std::move(drawn);
  }
  source_ = QImage();
  return drawing_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  const QImage& picture = drawing();
  if (!picture.isNull()) painter.drawImage(QPointF(0, 0), picture);
}

}  // namespace hibi
