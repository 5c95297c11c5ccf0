#include "paint_kit.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

namespace art {

Light LightAt(int slot) {
  switch (slot) {
    case kDawn:
      return {QColor(72, 84, 140),
              QColor(250, 186, 160),
              QColor(232, 210, 222),
              0.25,
              false,
              {0.82, 0.66},
              QColor(255, 214, 170),
              0.3};
    case kMorning:
      return {QColor(120, 190, 238),
              QColor(253, 244, 214),
              QColor(255, 252, 242),
              0,
              false,
              {0.80, 0.26},
              QColor(255, 250, 220),
              0};
    case kLateMorning:
      return {QColor(70, 162, 236),
              QColor(206, 238, 255),
              QColor(255, 255, 255),
              0,
              false,
              {0.62, 0.12},
              QColor(255, 255, 236),
              0};
    case kAfternoon:
      return {QColor(58, 140, 222),
              QColor(190, 228, 255),
              QColor(255, 246, 226),
              0,
              false,
              {0.30, 0.16},
              QColor(255, 248, 210),
              0};
    case kEvening:
      return {QColor(98, 80, 150),
              QColor(255, 164, 92),
              QColor(255, 196, 160),
              0,
              false,
              {0.22, 0.60},
              QColor(255, 170, 90),
              0.45};
    case kNight:
      return {QColor(14, 26, 66),
              QColor(52, 66, 128),
              QColor(104, 114, 170),
              0.7,
              true,
              {-1, -1},
              QColor(),
              1.0};
    default:
      return {QColor(6, 10, 32),
              QColor(24, 34, 78),
              QColor(70, 80, 132),
              1.0,
              true,
              {-1, -1},
              QColor(),
              0.5};
  }
}

QPen Outline(double width) {
  return Outline(width, ink::kLine);
}

QPen Outline(double width, const QColor& colour) {
  QPen pen(colour, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(
      a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
      a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void MultiplyInto(QImage& image, const QColor& tint) {
  const int tr = tint.red(), tg = tint.green(), tb = tint.blue();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = line[x];
      line[x] = qRgba(qRed(c) * tr / 255, qGreen(c) * tg / 255, qBlue(c) * tb / 255, qAlpha(c));
    }
  }
}

QImage Compose(QSize size, const Light& light, quint32 seed, const Layer& land,
               const Layer& shining) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  QImage ground(size, QImage::Format_ARGB32_Premultiplied);
  ground.fill(Qt::transparent);
  {
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    PaintSky(p, QRectF(QPointF(0, 0), size), light, seed);
  }
  {
    QPainter p(&ground);
    p.setRenderHint(QPainter::Antialiasing);
    land(p);
  }
  MultiplyInto(ground, light.tint);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.drawImage(0, 0, ground);
  if (shining) shining(p);
  return picture;
}

void PaintSky(QPainter& p, const QRectF& area, const Light& light, quint32 seed) {
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0, light.skyTop);
  sky.setColorAt(0.75, light.skyLow);
  sky.setColorAt(1, light.skyLow);
  p.fillRect(area, sky);
  if (light.stars > 0) PaintStars(p, area, light.stars, seed);
  if (light.moon)
    PaintMoon(p, {area.left() + area.width() * 0.78, area.top() + area.height() * 0.16},
              area.height() * 0.055);
  if (light.sun.x() >= 0) {
    const QPointF c(area.left() + area.width() * light.sun.x(),
                    area.top() + area.height() * light.sun.y());
    const double r = area.height() * (light.sun.y() > 0.5 ? 0.09 : 0.06);
    Glow(p, c, r * 5,
         QColor(light.sunColour.red(), light.sunColour.green(), light.sunColour.blue(), 120));
    p.setPen(Qt::NoPen);
    p.setBrush(light.sunColour.lighter(110));
    p.drawEllipse(c, r, r);
  }
  if (light.stars < 0.9) PaintClouds(p, area, light, seed, 4);
}

void PaintClouds(QPainter& p, const QRectF& area, const Light& light, quint32 seed, int count) {
  QRandomGenerator rng(seed * 7 + 3);
  QColor body = Mix(QColor(255, 255, 255), light.skyLow, light.isNight() ? 0.75 : 0.15);
  QColor shade = Mix(body, light.skyTop, 0.3);
  body.setAlpha(light.isNight() ? 120 : 235);
  shade.setAlpha(body.alpha());
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double w = area.width() * (0.12 + rng.bounded(0.12));
    const QPointF c(area.left() + area.width() * rng.bounded(1.0),
                    area.top() + area.height() * (0.08 + rng.bounded(0.28)));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(c.x() - w / 2, c.y(), w, w * 0.16), w * 0.08, w * 0.08);
    p.setBrush(body);
    for (int k = 0; k < 4; ++k) {
      const double r = w * (0.12 + 0.07 * ((k + i) % 3));
      p.drawEllipse(QPointF(c.x() - w * 0.32 + k * w * 0.21, c.y() + w * 0.02 - r * 0.35), r,
                    r * 0.8);
    }
  }
}

void PaintStars(QPainter& p, const QRectF& area, double amount, quint32 seed) {
  QRandomGenerator rng(seed * 13 + 1);
  const int count = int(260 * amount);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const QPointF at(area.left() + rng.bounded(area.width()),
                     area.top() + area.height() * std::pow(rng.bounded(1.0), 1.6) * 0.7);
    const double r = 0.6 + rng.bounded(1.3);
    p.setBrush(QColor(255, 250, 220, 120 + rng.bounded(135)));
    p.drawEllipse(at, r, r);
    if (r > 1.7) {  // a few bright ones twinkle with a cross of light
      p.setPen(QPen(QColor(255, 250, 220, 150), 0.8));
      p.drawLine(at - QPointF(r * 3, 0), at + QPointF(r * 3, 0));
      p.drawLine(at - QPointF(0, r * 3), at + QPointF(0, r * 3));
      p.setPen(Qt::NoPen);
    }
  }
}

void PaintMoon(QPainter& p, QPointF centre, double radius) {
  Glow(p, centre, radius * 4, QColor(255, 246, 200, 70));
  QPainterPath disc;
  disc.addEllipse(centre, radius, radius);
  QPainterPath bite;
  bite.addEllipse(centre + QPointF(radius * 0.55, -radius * 0.25), radius * 0.9, radius * 0.9);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 244, 196));
  p.drawPath(disc.subtracted(bite));
}

void Glow(QPainter& p, QPointF centre, double radius, QColor colour) {
  QRadialGradient g(centre, radius);
  g.setColorAt(0, colour);
  QColor edge = colour;
  edge.setAlpha(0);
  g.setColorAt(1, edge);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(centre, radius, radius);
}

void PaintHills(QPainter& p, const QRectF& area, double y, double wave, const QColor& colour,
                quint32 seed) {
  QRandomGenerator rng(seed);
  const double base = area.top() + area.height() * y;
  QPainterPath path(QPointF(area.left(), area.bottom()));
  const int steps = 5;
  const double phase = rng.bounded(6.28);
  for (int i = 0; i <= steps * 8; ++i) {
    const double x = area.left() + area.width() * i / (steps * 8.0);
    const double t = double(i) / (steps * 8.0);
    path.lineTo(x, base - area.height() * wave * std::sin(t * 6.28 * 1.3 + phase) *
                              std::sin(t * 3.14 * 1.1 + phase * 0.3));
  }
  path.lineTo(area.right(), area.bottom());
  path.closeSubpath();
  QLinearGradient g(0, base - area.height() * wave, 0, area.bottom());
  g.setColorAt(0, colour.lighter(112));
  g.setColorAt(1, colour.darker(112));
  p.setPen(Outline(2, colour.darker(150)));
  p.setBrush(g);
  p.drawPath(path);
}

void PaintTree(QPainter& p, QPointF foot, double height, const QColor& leaf, quint32 seed) {
  QRandomGenerator rng(seed);
  const double trunkW = height * 0.09;
  p.setPen(Outline(height * 0.012 + 1));
  p.setBrush(ink::kWoodDark);
  p.drawRoundedRect(QRectF(foot.x() - trunkW / 2, foot.y() - height * 0.5, trunkW, height * 0.5),
                    trunkW * 0.3, trunkW * 0.3);
  const QPointF crown(foot.x(), foot.y() - height * 0.66);
  const double r = height * 0.3;
  QPainterPath blob;
  blob.setFillRule(Qt::WindingFill);  // overlapping puffs make one shape
  for (int i = 0; i < 7; ++i) {
    const double a = i * 6.283 / 7 + rng.bounded(0.4);
    const double rr = r * (0.55 + rng.bounded(0.2));
    blob.addEllipse(crown + QPointF(std::cos(a) * r * 0.55, std::sin(a) * r * 0.45), rr, rr);
  }
  blob = blob.simplified();
  p.setBrush(leaf);
  p.drawPath(blob);
  p.setPen(Qt::NoPen);
  p.setBrush(leaf.lighter(118));
  p.drawEllipse(crown + QPointF(-r * 0.25, -r * 0.3), r * 0.35, r * 0.28);
}

void PaintShadow(QPainter& p, QPointF centre, double width) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 60, 60));
  p.drawEllipse(centre, width / 2, width * 0.12);
}

void PaintWindow(QPainter& p, const QRectF& r, bool lit) {
  p.setPen(Outline(2));
  p.setBrush(lit ? ink::kWindowLit : QColor(150, 190, 210));
  p.drawRect(r);
  p.setPen(Outline(1.5, ink::kWoodDark));
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
  p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void PaintRain(QPainter& p, const QRectF& area, int drops, quint32 seed) {
  QRandomGenerator rng(seed);
  for (int i = 0; i < drops; ++i) {
    const QPointF a(area.left() + rng.bounded(area.width()),
                    area.top() + rng.bounded(area.height()));
    const double len = 14 + rng.bounded(22.0);
    p.setPen(QPen(QColor(230, 240, 255, 90 + rng.bounded(90)), 1.4));
    p.drawLine(a, a + QPointF(-len * 0.25, len));
  }
}

void PaintSunbeams(QPainter& p, const QRectF& area, QPointF from, int count, QColor colour) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double spread = area.width() * (0.1 + 0.22 * i);
    QPainterPath beam(from);
    beam.lineTo(from.x() + spread - area.width() * 0.05, area.bottom());
    beam.lineTo(from.x() + spread + area.width() * 0.04, area.bottom());
    beam.closeSubpath();
    QLinearGradient g(from, QPointF(from.x(), area.bottom()));
    g.setColorAt(0, colour);
    QColor end = colour;
    end.setAlpha(0);
    g.setColorAt(1, end);
    p.setBrush(g);
    p.drawPath(beam);
  }
}

}  // namespace art
