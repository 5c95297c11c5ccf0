#include "figures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "looks.h"
#include "paint_kit.h"

namespace art {
namespace {

void PaintArm(QPainter& p, const Look& look, QPointF shoulder, QPointF hand, double w) {
  p.setPen(Outline(w + std::max(2.0, w * 0.25)));
  p.drawLine(shoulder, hand);
  p.setPen(Outline(w, look.top));
  p.drawLine(shoulder, shoulder + (hand - shoulder) * 0.55);
  p.setPen(Outline(w * 0.9, look.skin));
  p.drawLine(shoulder + (hand - shoulder) * 0.58, hand);
}

// The body below the head: clothes that say who she is even in a far-off figure.
QPainterPath Torso(Who who, QPointF neck, double r, double hem) {
  const double shoulder = r * 0.74;
  const double flare = who == Who::kToomiya ? r * 1.05 : (who == Who::kYowa ? r * 0.9 : r * 0.8);
  QPainterPath body(neck + QPointF(-shoulder, r * 0.12));
  body.quadTo(neck + QPointF(0, -r * 0.1), neck + QPointF(shoulder, r * 0.12));
  body.lineTo(QPointF(neck.x() + flare, hem));
  body.quadTo(QPointF(neck.x(), hem + r * 0.12), QPointF(neck.x() - flare, hem));
  body.closeSubpath();
  return body;
}

void PaintClothesDetail(QPainter& p, Who who, const Look& look, QPointF neck, double r,
                        double hem) {
  const double line = std::max(1.0, r * 0.04);
  if (who == Who::kYowa) {  // frog spots and a front pocket
    p.setPen(Qt::NoPen);
    p.setBrush(look.top.lighter(125));
    for (int i = 0; i < 5; ++i) {
      p.drawEllipse(neck + QPointF((i % 2 ? 0.35 : -0.4) * r, (0.4 + i * 0.28) * r), r * 0.09,
                    r * 0.07);
    }
    p.setPen(Outline(line));
    p.setBrush(look.topDark);
    p.drawRoundedRect(QRectF(neck.x() - r * 0.45, hem - r * 0.55, r * 0.9, r * 0.3), r * 0.1,
                      r * 0.1);
    p.setPen(Outline(line, look.accent));
    p.drawLine(neck + QPointF(-r * 0.15, r * 0.1), neck + QPointF(-r * 0.18, r * 0.5));
    p.drawLine(neck + QPointF(r * 0.15, r * 0.1), neck + QPointF(r * 0.18, r * 0.5));
  } else if (who == Who::kToomiya) {  // a white sailor-ish collar
    p.setPen(Outline(line));
    p.setBrush(look.accent);
    QPainterPath collar(neck + QPointF(-r * 0.55, r * 0.05));
    collar.lineTo(neck + QPointF(0, r * 0.45));
    collar.lineTo(neck + QPointF(r * 0.55, r * 0.05));
    collar.quadTo(neck + QPointF(0, r * 0.18), neck + QPointF(-r * 0.55, r * 0.05));
    p.drawPath(collar);
    p.setBrush(QColor(230, 190, 80));
    p.drawEllipse(neck + QPointF(0, r * 0.45), r * 0.07, r * 0.07);
  } else {  // a star on the T-shirt
    p.setPen(Outline(line));
    p.setBrush(look.accent);
    QPainterPath star;
    const QPointF s = neck + QPointF(0, r * 0.6);
    for (int i = 0; i < 10; ++i) {
      const double a = -1.5708 + i * 3.14159 / 5;
      const double rr = (i % 2 ? 0.09 : 0.22) * r;
      const QPointF at = s + QPointF(std::cos(a) * rr, std::sin(a) * rr);
      i == 0 ? star.moveTo(at) : star.lineTo(at);
    }
    star.closeSubpath();
    p.drawPath(star);
  }
}

}  // namespace

QPointF WavingHand(QPointF foot, double height) {
  const double r = height * 0.155;
  return QPointF(foot.x() + r * 1.75, foot.y() - height + r * 0.4);
}

void PaintFigure(QPainter& p, Who who, Mood mood, QPointF foot, double height, const Pose& pose) {
  const Look look = LookOf(who);
  const double r = height * 0.155;
  const QPointF head(foot.x(), foot.y() - height + r * 1.05);
  const QPointF neck(foot.x(), head.y() + r * 0.88);
  const double hem =
      foot.y() - height * (who == Who::kToomiya ? 0.24 : (who == Who::kKouki ? 0.4 : 0.27));
  const double line = std::max(1.5, r * 0.06);
  PaintShadow(p, foot, r * 2.2);
  if (who == Who::kToomiya) PaintLongHair(p, head, r);
  // Legs, socks and shoes.
  for (int side : {-1, 1}) {
    const double x = foot.x() + side * r * 0.28;
    p.setPen(Outline(line));
    p.setBrush(who == Who::kKouki ? look.bottom : look.skin);
    const double shorts = who == Who::kKouki ? hem + r * 0.6 : hem;
    p.drawRect(QRectF(x - r * 0.16, hem - r * 0.1, r * 0.32, foot.y() - hem));
    if (who == Who::kKouki) {
      p.setBrush(look.skin);
      p.drawRect(QRectF(x - r * 0.15, shorts, r * 0.3, foot.y() - shorts));
    }
    p.setBrush(who == Who::kToomiya ? QColor(250, 250, 255) : QColor(255, 255, 255));
    p.drawRect(QRectF(x - r * 0.16, foot.y() - r * 0.42, r * 0.32, r * 0.3));
    p.setBrush(who == Who::kKouki ? QColor(230, 70, 60)
                                  : (who == Who::kYowa ? QColor(120, 90, 70) : QColor(60, 40, 40)));
    p.drawRoundedRect(
        QRectF(x - r * 0.22 + side * r * 0.04, foot.y() - r * 0.16, r * 0.44, r * 0.2), r * 0.08,
        r * 0.08);
  }
  if (who == Who::kKouki) {  // shorts
    p.setPen(Outline(line));
    p.setBrush(look.bottom);
    p.drawRect(QRectF(foot.x() - r * 0.55, hem - r * 0.1, r * 1.1, r * 0.7));
  }
  const QPointF lShoulder = neck + QPointF(-r * 0.68, r * 0.25);
  const QPointF rShoulder = neck + QPointF(r * 0.68, r * 0.25);
  const double armW = r * 0.26;
  const double reach = who == Who::kToomiya ? r * 1.12 : r * 1.0;
  const double wrist = std::min(hem, neck.y() + r * 1.7);
  p.setPen(Outline(line));
  QLinearGradient cloth(neck, QPointF(neck.x(), hem));
  cloth.setColorAt(0, look.top.lighter(108));
  cloth.setColorAt(1, look.top.darker(108));
  p.setBrush(cloth);
  p.drawPath(Torso(who, neck, r, hem));
  PaintClothesDetail(p, who, look, neck, r, hem);
  // Arms hang at her sides, or wave, or hold something before her.
  if (!pose.holdingChart) {
    PaintArm(p, look, lShoulder, QPointF(foot.x() - reach, wrist), armW);
    if (!pose.waving) PaintArm(p, look, rShoulder, QPointF(foot.x() + reach, wrist), armW);
  }
  if (pose.waving) {
    const QPointF elbow = rShoulder + QPointF(r * 0.75, r * 0.15);
    PaintArm(p, look, rShoulder, elbow, armW);
    PaintArm(p, look, elbow, WavingHand(foot, height), armW);
    p.setPen(Outline(line));
    p.setBrush(look.skin);
    p.drawEllipse(WavingHand(foot, height), armW * 0.75, armW * 0.75);
  }
  if (pose.holdingChart) {  // a dark blue chart dotted with stars
    PaintArm(p, look, lShoulder, neck + QPointF(-r * 0.35, r * 1.1), armW);
    PaintArm(p, look, rShoulder, neck + QPointF(r * 0.35, r * 1.1), armW);
    p.setPen(Outline(line));
    p.setBrush(QColor(36, 52, 120));
    const QRectF chart(neck.x() - r * 0.6, neck.y() + r * 0.55, r * 1.2, r * 0.9);
    p.drawRect(chart);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 160));
    for (int i = 0; i < 6; ++i) {
      p.drawEllipse(chart.topLeft() + QPointF(chart.width() * (0.15 + 0.14 * i),
                                              chart.height() * (0.25 + 0.5 * ((i * 7) % 3) / 2.0)),
                    r * 0.04, r * 0.04);
    }
  }
  PaintHead(p, who, mood, head, r, pose);
}

void PaintBust(QPainter& p, Who who, Mood mood, const QRectF& area) {
  const Look look = LookOf(who);
  // A soft backdrop in her own colour.
  const QColor back = who == Who::kYowa      ? QColor(214, 240, 200)
                      : who == Who::kToomiya ? QColor(206, 210, 240)
                                             : QColor(255, 226, 180);
  QRadialGradient g(area.center(), area.width() * 0.75);
  g.setColorAt(0, back.lighter(112));
  g.setColorAt(1, back.darker(108));
  p.fillRect(area, g);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 90));
  for (int i = 0; i < 9; ++i) {
    const double s = area.width() * (0.03 + 0.015 * (i % 3));
    p.drawEllipse(area.topLeft() + QPointF(area.width() * ((i * 37) % 100) / 100.0,
                                           area.height() * ((i * 61 + 13) % 100) / 100.0),
                  s, s);
  }
  const double r = area.width() * 0.27;
  const QPointF head(area.center().x(), area.top() + area.height() * 0.44);
  const QPointF neck(head.x(), head.y() + r * 0.85);
  const double line = std::max(2.0, r * 0.04);
  // Shoulders and chest.
  if (who == Who::kToomiya) PaintLongHair(p, head, r);
  p.setPen(Outline(line));
  p.setBrush(look.skin);
  p.drawRect(QRectF(neck.x() - r * 0.2, neck.y() - r * 0.2, r * 0.4, r * 0.4));
  QPainterPath chest(QPointF(neck.x() - r * 1.35, area.bottom() + line));
  chest.cubicTo(QPointF(neck.x() - r * 1.3, neck.y() + r * 0.35),
                QPointF(neck.x() - r * 0.8, neck.y() + r * 0.12),
                QPointF(neck.x(), neck.y() + r * 0.12));
  chest.cubicTo(QPointF(neck.x() + r * 0.8, neck.y() + r * 0.12),
                QPointF(neck.x() + r * 1.3, neck.y() + r * 0.35),
                QPointF(neck.x() + r * 1.35, area.bottom() + line));
  chest.closeSubpath();
  QLinearGradient cloth(neck, QPointF(neck.x(), area.bottom()));
  cloth.setColorAt(0, look.top.lighter(108));
  cloth.setColorAt(1, look.top.darker(110));
  p.setBrush(cloth);
  p.drawPath(chest);
  PaintClothesDetail(p, who, look, neck, r * 1.0, area.bottom() + r);
  PaintHead(p, who, mood, head, r);
}

void PaintFrog(QPainter& p, QPointF c, double size, const QColor& colour) {
  const double line = std::max(1.0, size * 0.05);
  p.setPen(Outline(line));
  p.setBrush(colour);
  p.drawEllipse(c, size * 0.55, size * 0.38);
  for (int side : {-1, 1}) {
    p.setBrush(colour);
    p.drawEllipse(c + QPointF(side * size * 0.28, -size * 0.35), size * 0.18, size * 0.17);
    p.setBrush(QColor(255, 255, 245));
    p.drawEllipse(c + QPointF(side * size * 0.28, -size * 0.37), size * 0.1, size * 0.1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 25));
    p.drawEllipse(c + QPointF(side * size * 0.28, -size * 0.36), size * 0.05, size * 0.06);
    p.setPen(Outline(line));
  }
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - size * 0.25, c.y() - size * 0.2, size * 0.5, size * 0.25), 200 * 16,
            140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 140, 150, 110));
  for (int side : {-1, 1})
    p.drawEllipse(c + QPointF(side * size * 0.36, -size * 0.02), size * 0.08, size * 0.05);
}

}  // namespace art
