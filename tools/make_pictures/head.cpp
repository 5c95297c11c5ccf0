#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "figures.h"
#include "looks.h"
#include "paint_kit.h"

namespace art {
namespace {

void PaintEye(QPainter& p, const Look& look, QPointF c, double r, Mood mood, const Pose& pose,
              bool sleepy) {
  const double w = r * 0.17, h = r * 0.25;
  const double line = std::max(1.2, r * 0.045);
  if (pose.sleeping) {  // closed, resting curves
    p.setPen(Outline(line));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - w, c.y() - h * 0.5, w * 2, h), 200 * 16, 140 * 16);
    return;
  }
  if (mood == Mood::kSmile) {  // happy arches
    p.setPen(Outline(line * 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - w, c.y() - h * 0.2, w * 2, h * 0.9), 20 * 16, 140 * 16);
    return;
  }
  const double shift = (mood == Mood::kBlush ? -0.45 : pose.look * 0.35) * w;
  QLinearGradient iris(c.x(), c.y() - h, c.x(), c.y() + h);
  iris.setColorAt(0, look.eye.darker(190));
  iris.setColorAt(1, look.eye.lighter(130));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(c, w * 1.15, h * 1.02);
  p.setBrush(iris);
  p.drawEllipse(c + QPointF(shift, h * 0.05), w * 0.92, h);
  p.setBrush(look.eye.darker(260));
  p.drawEllipse(c + QPointF(shift, h * 0.12), w * 0.42, h * 0.48);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(c + QPointF(shift - w * 0.35, -h * 0.4), w * 0.3, h * 0.24);
  p.drawEllipse(c + QPointF(shift + w * 0.35, h * 0.45), w * 0.14, h * 0.1);
  if (sleepy) {  // heavy lids: the top of the eye is hidden
    p.setBrush(look.skin);
    p.drawRect(QRectF(c.x() - w * 1.3, c.y() - h * 1.15, w * 2.6, h * 0.85));
  }
  const double lid = sleepy ? c.y() - h * 0.3 : c.y() - h * 0.95;
  p.setPen(Outline(line * 1.5, ink::kLine.darker(130)));
  p.drawLine(QPointF(c.x() - w * 1.2, lid + h * 0.15), QPointF(c.x() + w * 1.2, lid + h * 0.08));
}

void PaintBrows(QPainter& p, const Look& look, QPointF c, double r, Mood mood) {
  // Thin soft arcs: worry lifts their inner ends, a smile lifts them both.
  p.setPen(Outline(std::max(1.0, r * 0.028), look.hair.darker(110)));
  p.setBrush(Qt::NoBrush);
  const double lift = mood == Mood::kSmile ? r * 0.04 : 0;
  for (int side : {-1, 1}) {
    const double x = c.x() + side * r * 0.37;
    const double y = c.y() - r * 0.2 - lift;
    const double inner =
        mood == Mood::kWorried ? -r * 0.09 : (mood == Mood::kBlush ? -r * 0.04 : 0);
    QPainterPath brow(QPointF(x - side * r * 0.13, y + inner));
    brow.quadTo(QPointF(x, y - r * 0.05 + inner / 2), QPointF(x + side * r * 0.13, y + r * 0.02));
    p.drawPath(brow);
  }
}

void PaintMouth(QPainter& p, QPointF c, double r, Mood mood, bool sleeping) {
  const QPointF m = c + QPointF(0, r * 0.5);
  const double line = std::max(1.0, r * 0.035);
  p.setPen(Outline(line));
  p.setBrush(Qt::NoBrush);
  if (sleeping) {
    p.drawEllipse(m, r * 0.04, r * 0.03);
  } else if (mood == Mood::kSmile) {
    QPainterPath mouth(m + QPointF(-r * 0.14, -r * 0.03));
    mouth.quadTo(m + QPointF(0, -r * 0.06), m + QPointF(r * 0.14, -r * 0.03));
    mouth.quadTo(m + QPointF(0, r * 0.22), m + QPointF(-r * 0.14, -r * 0.03));
    p.setBrush(QColor(206, 86, 96));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 150, 160));
    p.drawEllipse(m + QPointF(0, r * 0.07), r * 0.06, r * 0.03);
  } else if (mood == Mood::kWorried) {
    p.setBrush(QColor(180, 80, 90));
    p.drawEllipse(m + QPointF(0, r * 0.02), r * 0.06, r * 0.05);
  } else if (mood == Mood::kBlush) {
    QPainterPath wave(m + QPointF(-r * 0.1, 0));
    wave.quadTo(m + QPointF(-r * 0.05, -r * 0.04), m);
    wave.quadTo(m + QPointF(r * 0.05, r * 0.04), m + QPointF(r * 0.1, 0));
    p.drawPath(wave);
  } else {
    p.drawArc(QRectF(m.x() - r * 0.09, m.y() - r * 0.08, r * 0.18, r * 0.1), 200 * 16, 140 * 16);
  }
}

void PaintCheeks(QPainter& p, QPointF c, double r, Mood mood) {
  const int alpha = mood == Mood::kBlush ? 150 : (mood == Mood::kSmile ? 80 : 45);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 120, 130, alpha));
  for (int side : {-1, 1})
    p.drawEllipse(c + QPointF(side * r * 0.52, r * 0.36), r * 0.15, r * 0.08);
  if (mood == Mood::kBlush) {  // little hatching lines of embarrassment
    p.setPen(Outline(std::max(1.0, r * 0.02), QColor(220, 80, 100)));
    for (int side : {-1, 1}) {
      for (int k = -1; k <= 1; ++k) {
        const QPointF a = c + QPointF(side * r * 0.52 + k * r * 0.07, r * 0.32);
        p.drawLine(a, a + QPointF(-r * 0.03, r * 0.08));
      }
    }
  }
}

void PaintBackHair(QPainter& p, Who who, const Look& look, QPointF c, double r) {
  const double line = std::max(1.5, r * 0.05);
  p.setPen(Outline(line));
  if (who == Who::kYowa) {  // the hood, worn up
    p.setBrush(look.top);
    p.drawEllipse(c + QPointF(0, -r * 0.1), r * 1.18, r * 1.12);
  } else if (who == Who::kToomiya) {  // long straight hair down her back
    QPainterPath hair(c + QPointF(-r * 1.0, 0));
    hair.cubicTo(c + QPointF(-r * 1.15, -r * 1.3), c + QPointF(r * 1.15, -r * 1.3),
                 c + QPointF(r * 1.0, 0));
    hair.lineTo(c + QPointF(r * 1.0, r * 0.9));
    hair.lineTo(c + QPointF(-r * 1.0, r * 0.9));
    hair.closeSubpath();
    p.setBrush(look.hair);
    p.drawPath(hair);
  } else {  // messy short hair and the peak of the backwards cap behind
    p.setBrush(look.accent.darker(115));
    p.drawEllipse(c + QPointF(r * 0.95, -r * 0.55), r * 0.5, r * 0.22);
    QPainterPath hair;  // tufts sticking out every which way
    const int tufts = 15;
    for (int i = 0; i <= tufts * 2; ++i) {
      const double a = 3.14159 - 0.5 + i * (3.14159 + 1.0) / (tufts * 2);
      const double reach = i % 2 ? r * (1.18 + 0.06 * (i % 3)) : r * 0.96;
      const QPointF at = c + QPointF(std::cos(a) * reach, std::sin(a) * reach * 0.92 + r * 0.05);
      i == 0 ? hair.moveTo(at) : hair.lineTo(at);
    }
    hair.closeSubpath();
    p.setBrush(look.hair);
    p.drawPath(hair);
  }
}

void PaintFrontHair(QPainter& p, Who who, const Look& look, QPointF c, double r) {
  const double line = std::max(1.5, r * 0.05);
  p.setPen(Outline(line));
  if (who == Who::kYowa) {
    QPainterPath bangs(c + QPointF(-r * 0.85, r * 0.05));
    bangs.quadTo(c + QPointF(-r * 0.85, -r * 0.9), c + QPointF(0, -r * 0.9));
    bangs.quadTo(c + QPointF(r * 0.85, -r * 0.9), c + QPointF(r * 0.85, r * 0.05));
    for (int i = 4; i >= 0; --i) {  // soft uneven fringe
      const double x = -r * 0.85 + i * r * 0.34;
      bangs.quadTo(c + QPointF(x + r * 0.17, -r * 0.2),
                   c + QPointF(x, -r * (0.16 + 0.06 * (i % 2))));
    }
    bangs.closeSubpath();
    p.setBrush(look.hair);
    p.drawPath(bangs);
    QPainterPath hood;  // the hood's rim frames her face
    hood.addEllipse(c + QPointF(0, -r * 0.1), r * 1.18, r * 1.12);
    QPainterPath opening;
    opening.addEllipse(c + QPointF(0, r * 0.02), r * 0.95, r * 0.98);
    p.setBrush(look.top);
    p.drawPath(hood.subtracted(opening));
    for (int side : {-1, 1}) {  // frog eyes on the hood
      const QPointF e = c + QPointF(side * r * 0.62, -r * 1.05);
      p.setPen(Outline(line));
      p.setBrush(look.top);
      p.drawEllipse(e, r * 0.34, r * 0.3);
      p.setBrush(QColor(255, 255, 250));
      p.drawEllipse(e + QPointF(0, -r * 0.04), r * 0.22, r * 0.2);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 30, 30));
      p.drawEllipse(e + QPointF(side * r * 0.03, -r * 0.02), r * 0.1, r * 0.11);
    }
  } else if (who == Who::kToomiya) {
    QPainterPath bangs(c + QPointF(-r * 0.98, r * 0.9));
    bangs.lineTo(c + QPointF(-r * 0.98, -r * 0.1));
    bangs.cubicTo(c + QPointF(-r * 1.0, -r * 1.15), c + QPointF(r * 1.0, -r * 1.15),
                  c + QPointF(r * 0.98, -r * 0.1));
    bangs.lineTo(c + QPointF(r * 0.98, r * 0.9));
    bangs.lineTo(c + QPointF(r * 0.78, r * 0.9));
    bangs.lineTo(c + QPointF(r * 0.74, -r * 0.3));  // straight-cut fringe
    for (int i = 0; i < 6; ++i) {
      const double x = r * 0.74 - (i + 1) * r * 0.248;
      bangs.lineTo(c + QPointF(x + r * 0.12, -r * 0.36));
      bangs.lineTo(c + QPointF(x, -r * 0.3));
    }
    bangs.lineTo(c + QPointF(-r * 0.78, r * 0.9));
    bangs.closeSubpath();
    p.setBrush(look.hair);
    p.drawPath(bangs);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 130, 190, 120));  // a soft shine on black hair
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.72), r * 0.28, r * 0.07);
  } else {
    QPainterPath bangs(c + QPointF(-r * 0.95, r * 0.2));
    bangs.quadTo(c + QPointF(-r * 0.95, -r * 0.9), c + QPointF(0, -r * 0.92));
    bangs.quadTo(c + QPointF(r * 0.95, -r * 0.9), c + QPointF(r * 0.95, r * 0.2));
    const double tips[] = {-0.12, -0.34, -0.18, -0.4, -0.2, -0.36, -0.05};
    for (int i = 0; i < 7; ++i) {
      const double x = r * 0.95 - (i + 1) * r * 0.27;
      bangs.lineTo(c + QPointF(x + r * 0.13, -r * 0.12 - r * 0.1 * (i % 2)));
      bangs.lineTo(c + QPointF(x, tips[i] * r));
    }
    bangs.closeSubpath();
    p.setBrush(look.hair);
    p.drawPath(bangs);
    QPainterPath cap(c + QPointF(-r * 0.92, -r * 0.42));  // worn backwards: the strap in front
    cap.cubicTo(c + QPointF(-r * 0.9, -r * 1.28), c + QPointF(r * 0.9, -r * 1.28),
                c + QPointF(r * 0.92, -r * 0.42));
    cap.quadTo(c + QPointF(0, -r * 0.66), c + QPointF(-r * 0.92, -r * 0.42));
    p.setBrush(look.accent);
    p.drawPath(cap);
    p.setBrush(look.hair);
    p.drawChord(QRectF(c.x() - r * 0.22, c.y() - r * 0.78, r * 0.44, r * 0.36), 0, 180 * 16);
    p.setPen(Outline(line * 0.6, look.accent.darker(140)));
    p.drawLine(c + QPointF(-r * 0.4, -r * 0.62), c + QPointF(r * 0.4, -r * 0.62));
  }
}

}  // namespace

void PaintLongHair(QPainter& p, QPointF c, double r) {
  p.setPen(Outline(std::max(1.5, r * 0.05)));
  p.setBrush(LookOf(Who::kToomiya).hair);
  QPainterPath hair(c + QPointF(-r * 1.0, 0));
  hair.lineTo(c + QPointF(-r * 1.22, r * 2.6));
  hair.quadTo(c + QPointF(0, r * 2.8), c + QPointF(r * 1.22, r * 2.6));
  hair.lineTo(c + QPointF(r * 1.0, 0));
  hair.closeSubpath();
  p.drawPath(hair);
}

void PaintHead(QPainter& p, Who who, Mood mood, QPointF c, double r, const Pose& pose) {
  const Look look = LookOf(who);
  PaintBackHair(p, who, look, c, r);
  p.setPen(Outline(std::max(1.5, r * 0.05)));
  p.setBrush(look.skin);
  QPainterPath face(c + QPointF(-r * 0.9, -r * 0.1));
  face.cubicTo(c + QPointF(-r * 0.95, -r * 1.05), c + QPointF(r * 0.95, -r * 1.05),
               c + QPointF(r * 0.9, -r * 0.1));
  face.cubicTo(c + QPointF(r * 0.85, r * 0.55), c + QPointF(r * 0.35, r * 0.85),
               c + QPointF(0, r * 0.86));
  face.cubicTo(c + QPointF(-r * 0.35, r * 0.85), c + QPointF(-r * 0.85, r * 0.55),
               c + QPointF(-r * 0.9, -r * 0.1));
  p.drawPath(face);
  PaintCheeks(p, c, r, mood);
  const bool sleepy = who == Who::kYowa && mood == Mood::kCalm;
  for (int side : {-1, 1}) {
    PaintEye(p, look, c + QPointF(side * r * 0.36, r * 0.14), r, mood, pose, sleepy);
  }
  PaintMouth(p, c, r, mood, pose.sleeping);
  PaintFrontHair(p, who, look, c, r);
  PaintBrows(p, look, c, r, mood);
  if (who == Who::kToomiya) {  // round glasses
    p.setPen(Outline(std::max(1.2, r * 0.04), QColor(90, 60, 50)));
    p.setBrush(QColor(220, 235, 255, 50));
    for (int side : {-1, 1})
      p.drawEllipse(c + QPointF(side * r * 0.37, r * 0.15), r * 0.26, r * 0.26);
    p.drawLine(c + QPointF(-r * 0.11, r * 0.12), c + QPointF(r * 0.11, r * 0.12));
  }
  if (who == Who::kKouki) {  // the band-aid from yesterday's adventure
    p.save();
    p.translate(c + QPointF(r * 0.55, r * 0.42));
    p.rotate(-25);
    p.setPen(Outline(std::max(1.0, r * 0.025)));
    p.setBrush(QColor(250, 220, 180));
    p.drawRoundedRect(QRectF(-r * 0.2, -r * 0.07, r * 0.4, r * 0.14), r * 0.06, r * 0.06);
    p.setBrush(QColor(240, 190, 150));
    p.drawRect(QRectF(-r * 0.06, -r * 0.07, r * 0.12, r * 0.14));
    p.restore();
  }
  if (mood == Mood::kWorried) {
    p.setPen(Outline(std::max(1.0, r * 0.025), QColor(80, 140, 210)));
    p.setBrush(QColor(200, 230, 255));
    const QPointF d = c + QPointF(r * 0.82, -r * 0.25);
    QPainterPath drop(d + QPointF(0, -r * 0.16));
    drop.quadTo(d + QPointF(r * 0.1, 0), d + QPointF(0, r * 0.05));
    drop.quadTo(d + QPointF(-r * 0.1, 0), d + QPointF(0, -r * 0.16));
    p.drawPath(drop);
  }
  if (pose.sleeping) {
    QFont font("IPAGothic");
    font.setPixelSize(std::max(8, int(r * 0.45)));
    p.setFont(font);
    p.setPen(QColor(90, 100, 160));
    p.drawText(c + QPointF(r * 1.1, -r * 0.9), "z");
    font.setPixelSize(std::max(8, int(r * 0.6)));
    p.setFont(font);
    p.drawText(c + QPointF(r * 1.35, -r * 1.3), "Z");
  }
}

}  // namespace art
