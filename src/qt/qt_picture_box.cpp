#include "qt/qt_picture_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace hibi {

PictureBox::PictureBox(QWidget* parent, Keep keep) : QWidget(parent), keep_(keep) {
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

QImage PictureBox::drawing() const {
  return keep_ == Keep::kPicture ? Compose() : Stretched();
}

QImage PictureBox::Compose() const {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(sourceSize_) * ratio).toSize();
  if (source_.isNull() || pixels.isEmpty()) return {};
  QImage drawn(pixels, QImage::Format_RGB32);
  drawn.setDevicePixelRatio(ratio);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(sourceSize_)), source_, QRectF(source_.rect()));
  return drawn;
}

const QImage& PictureBox::Stretched() const {
  if (!source_.isNull()) {
    drawing_ = Compose();
    source_ = QImage();
  }
  return drawing_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (keep_ == Keep::kPicture) {
    if (source_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(sourceSize_)), source_, QRectF(source_.rect()));
    return;
  }
  const QImage& picture = Stretched();
  if (!picture.isNull()) painter.drawImage(QPointF(0, 0), picture);
}

}  // namespace hibi
