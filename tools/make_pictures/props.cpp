#include <QLinearGradient>
#include <QPainterPath>
#include <cmath>

#include "paint_kit.h"
#include "scenery.h"

namespace art {

void PaintShutter(QPainter& p, const QRectF& r) {
  // Before opening and after closing, the shop front hides behind its rolling shutter.
  p.setPen(Outline(2.5));
  p.setBrush(QColor(186, 190, 194));
  p.drawRect(r);
  p.setPen(Outline(1.2, QColor(130, 134, 140)));
  for (double y = r.top() + 8; y < r.bottom(); y += 9) {
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  }
  p.setPen(Outline(2.5));
  p.setBrush(QColor(250, 248, 236));
  const QRectF note(r.center().x() - 40, r.top() + r.height() * 0.3, 80, 44);
  p.drawRect(note);
  QFont font("IPAGothic");
  font.setPixelSize(18);
  p.setFont(font);
  p.setPen(QColor(90, 60, 50));
  p.drawText(note, Qt::AlignCenter, u"準備中"_qs);
}

void PaintLantern(QPainter& p, QPointF top, double height) {
  const double w = height * 0.62;
  Glow(p, top + QPointF(0, height * 0.55), height * 1.6, QColor(255, 150, 90, 120));
  p.setPen(Outline(2));
  p.setBrush(QColor(230, 70, 50));
  p.drawEllipse(QRectF(top.x() - w / 2, top.y() + height * 0.1, w, height * 0.9));
  p.setPen(Outline(1.2, QColor(160, 40, 30)));
  for (int i = 1; i < 4; ++i) {
    const double y = top.y() + height * (0.1 + 0.9 * i / 4);
    p.drawLine(QPointF(top.x() - w * 0.45, y), QPointF(top.x() + w * 0.45, y));
  }
  p.setPen(Outline(2));
  p.setBrush(QColor(40, 30, 30));
  p.drawRect(QRectF(top.x() - w * 0.3, top.y(), w * 0.6, height * 0.12));
  p.drawRect(QRectF(top.x() - w * 0.3, top.y() + height * 0.94, w * 0.6, height * 0.1));
}

void PaintOwl(QPainter& p, QPointF c, double size) {
  p.setPen(Outline(2));
  p.setBrush(QColor(130, 100, 80));
  p.drawEllipse(c, size * 0.5, size * 0.6);
  for (int side : {-1, 1}) {
    QPainterPath tuft(c + QPointF(side * size * 0.42, -size * 0.4));
    tuft.lineTo(c + QPointF(side * size * 0.46, -size * 0.72));
    tuft.lineTo(c + QPointF(side * size * 0.2, -size * 0.5));
    p.drawPath(tuft);
    p.setBrush(QColor(250, 240, 200));
    p.drawEllipse(c + QPointF(side * size * 0.2, -size * 0.22), size * 0.17, size * 0.17);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(c + QPointF(side * size * 0.2, -size * 0.22), size * 0.07, size * 0.08);
    p.setBrush(QColor(130, 100, 80));
  }
  p.setBrush(QColor(240, 180, 80));
  QPainterPath beak(c + QPointF(-size * 0.06, -size * 0.08));
  beak.lineTo(c + QPointF(size * 0.06, -size * 0.08));
  beak.lineTo(c + QPointF(0, size * 0.05));
  beak.closeSubpath();
  p.drawPath(beak);
}

void PaintButterfly(QPainter& p, QPointF c, double size, const QColor& colour) {
  p.setPen(Outline(1.2));
  p.setBrush(colour);
  for (int side : {-1, 1}) {
    p.drawEllipse(c + QPointF(side * size * 0.45, -size * 0.2), size * 0.45, size * 0.38);
    p.drawEllipse(c + QPointF(side * size * 0.35, size * 0.3), size * 0.3, size * 0.25);
  }
  p.setPen(Outline(2));
  p.drawLine(c + QPointF(0, -size * 0.4), c + QPointF(0, size * 0.5));
}

void PaintStrawHat(QPainter& p, QPointF c, double width) {
  p.setPen(Outline(2));
  p.setBrush(QColor(240, 214, 140));
  p.drawEllipse(c, width / 2, width * 0.16);
  p.drawChord(QRectF(c.x() - width * 0.26, c.y() - width * 0.3, width * 0.52, width * 0.56), 0,
              180 * 16);
  p.setBrush(QColor(220, 70, 60));
  p.drawRect(QRectF(c.x() - width * 0.26, c.y() - width * 0.08, width * 0.52, width * 0.07));
}

}  // namespace art
