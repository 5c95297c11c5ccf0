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
  if (drawing_.isNull()) return;
  drawing_ = QImage();
  update();
}

void PictureBox::StretchDraw(const QImage& picture) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (pixels.isEmpty()) {
    drawing_ = QImage();
  } else {
    QImage drawn(pixels, QImage::Format_RGB32);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size())), picture, QRectF(picture.rect()));
    painter.end();
    drawing_ = std::move(drawn);
  }
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (!drawing_.isNull()) painter.drawImage(QPointF(0, 0), drawing_);
}

}  // namespace hibi
