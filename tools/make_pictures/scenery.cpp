#include "scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

#include "paint_kit.h"

namespace art {

void PaintStoneFrog(QPainter& p, QPointF f, double w) {
  // The park's old guardian: a stone frog, mossy and smiling.
  p.setPen(Outline(2.5));
  p.setBrush(ink::kStone.darker(115));
  p.drawRect(QRectF(f.x() - w * 0.55, f.y() - w * 0.18, w * 1.1, w * 0.18));
  const QPointF c(f.x(), f.y() - w * 0.45);
  QLinearGradient g(c.x(), c.y() - w * 0.4, c.x(), c.y() + w * 0.3);
  g.setColorAt(0, ink::kStone.lighter(115));
  g.setColorAt(1, ink::kStone.darker(110));
  p.setBrush(g);
  p.drawEllipse(c, w * 0.5, w * 0.3);
  for (int side : {-1, 1}) {
    p.setBrush(g);
    p.drawEllipse(c + QPointF(side * w * 0.25, -w * 0.28), w * 0.16, w * 0.14);
    p.setBrush(ink::kStone.darker(150));
    p.drawEllipse(c + QPointF(side * w * 0.25, -w * 0.3), w * 0.06, w * 0.06);
    p.setBrush(ink::kStone);
    p.drawEllipse(c + QPointF(side * w * 0.4, w * 0.22), w * 0.14, w * 0.07);  // front feet
  }
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - w * 0.3, c.y() - w * 0.15, w * 0.6, w * 0.2), 200 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 150, 80, 170));  // moss
  p.drawEllipse(c + QPointF(-w * 0.3, -w * 0.1), w * 0.1, w * 0.05);
  p.drawEllipse(c + QPointF(w * 0.12, -w * 0.22), w * 0.08, w * 0.04);
  p.drawEllipse(c + QPointF(w * 0.35, w * 0.08), w * 0.07, w * 0.04);
}

void PaintHut(QPainter& p, QPointF f, double w) {
  const double h = w * 0.7;
  p.setPen(Outline(2.5));
  p.setBrush(ink::kWood);
  p.drawRect(QRectF(f.x() - w / 2, f.y() - h, w, h));
  p.setPen(Outline(1.2, ink::kWoodDark));
  for (int i = 1; i < 6; ++i)
    p.drawLine(QPointF(f.x() - w / 2, f.y() - h * i / 6),
               QPointF(f.x() + w / 2, f.y() - h * i / 6));
  p.setPen(Outline(2.5));
  p.setBrush(QColor(150, 84, 64));
  QPainterPath roof(QPointF(f.x() - w * 0.62, f.y() - h));
  roof.lineTo(f.x(), f.y() - h - w * 0.42);
  roof.lineTo(f.x() + w * 0.62, f.y() - h);
  roof.closeSubpath();
  p.drawPath(roof);
  p.setBrush(ink::kWoodDark);
  p.drawRect(QRectF(f.x() + w * 0.1, f.y() - h * 0.7, w * 0.26, h * 0.7));
  PaintWindow(p, QRectF(f.x() - w * 0.38, f.y() - h * 0.7, w * 0.3, h * 0.3), false);
}

void PaintBench(QPainter& p, QPointF f, double w) {
  p.setPen(Outline(2));
  p.setBrush(ink::kWoodDark);
  p.drawRect(QRectF(f.x() - w * 0.42, f.y() - w * 0.22, w * 0.06, w * 0.22));
  p.drawRect(QRectF(f.x() + w * 0.36, f.y() - w * 0.22, w * 0.06, w * 0.22));
  p.setBrush(ink::kWood);
  p.drawRoundedRect(QRectF(f.x() - w / 2, f.y() - w * 0.26, w, w * 0.07), 3, 3);
  p.drawRoundedRect(QRectF(f.x() - w / 2, f.y() - w * 0.46, w, w * 0.07), 3, 3);
  p.drawRoundedRect(QRectF(f.x() - w / 2, f.y() - w * 0.36, w, w * 0.07), 3, 3);
}

void PaintLamp(QPainter& p, QPointF f, double h) {
  p.setPen(Outline(2));
  p.setBrush(QColor(80, 96, 90));
  p.drawRect(QRectF(f.x() - h * 0.02, f.y() - h, h * 0.04, h));
  p.drawRect(QRectF(f.x() - h * 0.07, f.y() - h * 1.08, h * 0.14, h * 0.1));
  p.setBrush(QColor(250, 244, 210));
  p.drawRect(QRectF(f.x() - h * 0.05, f.y() - h * 1.06, h * 0.1, h * 0.07));
}

void PaintPond(QPainter& p, QPointF c, double w, double h, int pads) {
  p.setPen(Outline(3, QColor(90, 110, 90)));
  p.setBrush(QColor(150, 130, 100));
  p.drawEllipse(c, w / 2 + 8, h / 2 + 6);
  QLinearGradient water(c.x(), c.y() - h / 2, c.x(), c.y() + h / 2);
  water.setColorAt(0, ink::kWater.lighter(115));
  water.setColorAt(1, ink::kWater.darker(125));
  p.setPen(Qt::NoPen);
  p.setBrush(water);
  p.drawEllipse(c, w / 2, h / 2);
  p.setPen(QPen(QColor(255, 255, 255, 120), 2));
  for (int i = 0; i < 4; ++i) {
    p.drawLine(c + QPointF(-w * (0.3 - i * 0.13), -h * (0.15 - i * 0.08)),
               c + QPointF(-w * (0.22 - i * 0.13), -h * (0.15 - i * 0.08)));
  }
  QRandomGenerator rng(pads * 31 + 7);
  for (int i = 0; i < pads; ++i) {
    const double a = rng.bounded(6.283), d = 0.25 + rng.bounded(0.6);
    const QPointF at = c + QPointF(std::cos(a) * w * 0.42 * d, std::sin(a) * h * 0.4 * d);
    const double s = w * (0.035 + rng.bounded(0.025));
    p.setPen(Outline(1.5, ink::kLeafDark));
    p.setBrush(ink::kGrass.darker(108));
    p.drawPie(QRectF(at.x() - s, at.y() - s * 0.5, s * 2, s), (30 + i * 40) * 16, 320 * 16);
    if (i % 3 == 0) {  // a pink lotus bud
      p.setBrush(QColor(255, 170, 200));
      p.drawEllipse(at + QPointF(0, -s * 0.2), s * 0.28, s * 0.22);
    }
  }
}

void PaintCamphor(QPainter& p, QPointF f, double h) {
  // The forest's oldest tree: a trunk wider than a house and a crown like a hill.
  const double w = h * 0.28;
  p.setPen(Outline(3));
  QLinearGradient bark(f.x() - w, 0, f.x() + w, 0);
  bark.setColorAt(0, ink::kWoodDark.darker(120));
  bark.setColorAt(0.45, ink::kWood.darker(105));
  bark.setColorAt(1, ink::kWoodDark.darker(140));
  p.setBrush(bark);
  QPainterPath trunk(QPointF(f.x() - w * 1.3, f.y()));
  trunk.quadTo(f.x() - w * 0.55, f.y() - h * 0.1, f.x() - w * 0.5, f.y() - h * 0.55);
  trunk.lineTo(f.x() - w * 0.9, f.y() - h * 0.78);
  trunk.lineTo(f.x() - w * 0.6, f.y() - h * 0.8);
  trunk.lineTo(f.x(), f.y() - h * 0.74);
  trunk.lineTo(f.x() + w * 0.7, f.y() - h * 0.82);
  trunk.lineTo(f.x() + w * 0.9, f.y() - h * 0.78);
  trunk.lineTo(f.x() + w * 0.5, f.y() - h * 0.5);
  trunk.quadTo(f.x() + w * 0.55, f.y() - h * 0.1, f.x() + w * 1.35, f.y());
  trunk.closeSubpath();
  p.drawPath(trunk);
  p.setPen(Outline(1.5, ink::kWoodDark.darker(150)));
  for (int i = 0; i < 5; ++i) {  // furrows in the bark
    const double x = f.x() - w * 0.35 + i * w * 0.18;
    p.drawLine(QPointF(x, f.y() - h * 0.05), QPointF(x + w * 0.03 * (i - 2), f.y() - h * 0.5));
  }
  QRandomGenerator rng(42);
  QPainterPath crown;
  crown.setFillRule(Qt::WindingFill);  // overlapping puffs make one shape
  for (int i = 0; i < 14; ++i) {
    const double a = 3.14159 + i * 3.14159 / 13;
    crown.addEllipse(
        QPointF(f.x() + std::cos(a) * w * 2.6, f.y() - h * 0.78 + std::sin(a) * h * 0.2),
        w * (0.55 + rng.bounded(0.3)), w * (0.45 + rng.bounded(0.2)));
  }
  crown.addEllipse(QPointF(f.x(), f.y() - h * 0.85), w * 2.6, h * 0.17);
  p.setPen(Outline(3));
  p.setBrush(ink::kLeaf);
  p.drawPath(crown.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(ink::kLeaf.lighter(120));
  for (int i = 0; i < 7; ++i) {
    p.drawEllipse(QPointF(f.x() - w * 2 + i * w * 0.65, f.y() - h * (0.92 + 0.03 * (i % 2))),
                  w * 0.3, w * 0.15);
  }
  // The sacred rope with its white paper zigzags.
  const double ropeY = f.y() - h * 0.36;
  p.setPen(Outline(2));
  p.setBrush(QColor(230, 200, 130));
  QPainterPath rope(QPointF(f.x() - w * 0.55, ropeY - 8));
  rope.quadTo(f.x(), ropeY + 16, f.x() + w * 0.55, ropeY - 8);
  rope.lineTo(f.x() + w * 0.55, ropeY + 4);
  rope.quadTo(f.x(), ropeY + 28, f.x() - w * 0.55, ropeY + 4);
  rope.closeSubpath();
  p.drawPath(rope);
  p.setBrush(QColor(255, 255, 255));
  for (int i = -1; i <= 1; ++i) {
    const QPointF top(f.x() + i * w * 0.3, ropeY + 12 + (i == 0 ? 6 : 0));
    QPainterPath shide(top);
    shide.lineTo(top + QPointF(10, 0));
    shide.lineTo(top + QPointF(10, 12));
    shide.lineTo(top + QPointF(2, 12));
    shide.lineTo(top + QPointF(2, 24));
    shide.lineTo(top + QPointF(-6, 24));
    shide.lineTo(top + QPointF(-6, 12));
    shide.lineTo(top + QPointF(0, 12));
    shide.closeSubpath();
    p.drawPath(shide);
  }
}

void PaintOldHouse(QPainter& p, QPointF f, double w) {
  const double h = w * 0.55;
  p.setPen(Outline(2.5));
  p.setBrush(QColor(140, 100, 72));
  p.drawRect(QRectF(f.x() - w / 2, f.y() - h, w, h));
  p.setBrush(QColor(120, 84, 60));
  p.drawRect(QRectF(f.x() - w / 2, f.y() - h * 0.22, w, h * 0.22));  // the veranda
  PaintWindow(p, QRectF(f.x() - w * 0.4, f.y() - h * 0.8, w * 0.22, h * 0.4), false);
  PaintWindow(p, QRectF(f.x() - w * 0.1, f.y() - h * 0.8, w * 0.22, h * 0.4), false);
  p.setBrush(QColor(240, 232, 210));
  p.drawRect(QRectF(f.x() + w * 0.2, f.y() - h * 0.8, w * 0.2, h * 0.58));  // paper door
  p.setBrush(ink::kRoof);
  QPainterPath roof(QPointF(f.x() - w * 0.62, f.y() - h));
  roof.quadTo(f.x() - w * 0.4, f.y() - h - w * 0.1, f.x() - w * 0.28, f.y() - h - w * 0.3);
  roof.lineTo(f.x() + w * 0.28, f.y() - h - w * 0.3);
  roof.quadTo(f.x() + w * 0.4, f.y() - h - w * 0.1, f.x() + w * 0.62, f.y() - h);
  roof.closeSubpath();
  p.drawPath(roof);
}

void PaintPole(QPainter& p, QPointF f, double h) {
  p.setPen(Outline(2));
  p.setBrush(QColor(150, 140, 130));
  p.drawRect(QRectF(f.x() - h * 0.018, f.y() - h, h * 0.036, h));
  p.drawRect(QRectF(f.x() - h * 0.12, f.y() - h * 0.92, h * 0.24, h * 0.025));
}

void PaintFirefly(QPainter& p, QPointF at, double size) {
  Glow(p, at, size * 4, QColor(220, 255, 120, 110));
  p.setBrush(QColor(250, 255, 200));
  p.drawEllipse(at, size * 0.7, size * 0.7);
}

void PaintTelescope(QPainter& p, QPointF f, double h) {
  p.setPen(Outline(2));
  p.setBrush(QColor(90, 80, 70));
  for (int side : {-1, 0, 1})
    p.drawLine(QPointF(f.x() + side * h * 0.2, f.y()), QPointF(f.x(), f.y() - h * 0.55));
  p.save();
  p.translate(f.x(), f.y() - h * 0.6);
  p.rotate(-35);
  p.setBrush(QColor(236, 236, 240));
  p.drawRoundedRect(QRectF(-h * 0.35, -h * 0.07, h * 0.75, h * 0.14), 4, 4);
  p.setBrush(QColor(200, 70, 70));
  p.drawRect(QRectF(h * 0.33, -h * 0.085, h * 0.1, h * 0.17));
  p.restore();
}

void PaintShavedIce(QPainter& p, QPointF f, double w, QColor syrup) {
  p.setPen(Outline(2.5));
  p.setBrush(QColor(220, 240, 255, 230));
  QPainterPath bowl(QPointF(f.x() - w * 0.5, f.y() - w * 0.45));
  bowl.quadTo(f.x(), f.y() + w * 0.05, f.x() + w * 0.5, f.y() - w * 0.45);
  bowl.closeSubpath();
  p.drawRect(QRectF(f.x() - w * 0.15, f.y() - w * 0.22, w * 0.3, w * 0.22));
  p.drawPath(bowl);
  QPainterPath ice(QPointF(f.x() - w * 0.45, f.y() - w * 0.45));
  ice.quadTo(f.x() - w * 0.35, f.y() - w * 1.15, f.x(), f.y() - w * 1.2);
  ice.quadTo(f.x() + w * 0.35, f.y() - w * 1.15, f.x() + w * 0.45, f.y() - w * 0.45);
  ice.closeSubpath();
  p.setBrush(QColor(255, 255, 255));
  p.drawPath(ice);
  p.save();
  p.setClipPath(ice);
  p.setPen(Qt::NoPen);
  p.setBrush(syrup);
  p.drawEllipse(QPointF(f.x() + w * 0.05, f.y() - w * 1.15), w * 0.38, w * 0.4);
  p.restore();
  p.setPen(Outline(2));
  p.setBrush(QColor(240, 200, 80));
  p.drawLine(QPointF(f.x() + w * 0.2, f.y() - w * 0.9),
             QPointF(f.x() + w * 0.55, f.y() - w * 1.35));
}

}  // namespace art
