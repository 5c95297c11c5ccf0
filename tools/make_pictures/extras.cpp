#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

#include "paint_kit.h"
#include "scenery.h"
#include "scenes.h"

namespace art {
namespace {

void PaintBurst(QPainter& p, QPointF c, double radius, QColor colour, quint32 seed) {
  QRandomGenerator rng(seed);
  Glow(p, c, radius * 1.3, QColor(colour.red(), colour.green(), colour.blue(), 60));
  const int rays = 36;
  for (int i = 0; i < rays; ++i) {
    const double a = i * 6.2832 / rays + rng.bounded(0.05);
    for (int k = 3; k <= 9; ++k) {
      const double d = radius * k / 9.0;
      const QPointF at = c + QPointF(std::cos(a) * d, std::sin(a) * d + d * d / radius * 0.12);
      QColor dot = k > 7 ? colour.lighter(140) : colour;
      dot.setAlpha(90 + 18 * k);
      p.setPen(Qt::NoPen);
      p.setBrush(dot);
      p.drawEllipse(at, 1.2 + k * 0.28, 1.2 + k * 0.28);
    }
  }
  p.setBrush(QColor(255, 255, 240));
  p.drawEllipse(c, 4, 4);
}

QImage Fireworks() {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  Light light = LightAt(kNight);
  light.moon = false;
  return Compose(
      s, light, 501,
      [&](QPainter& p) {
        p.save();
        p.translate(0, H * 0.2);
        PaintShopFront(p, s, 5);
        p.restore();
        PaintFigure(p, Who::kKouki, Mood::kSmile, QPointF(W * 0.3, H * 1.02), H * 0.36,
                    {true, false, false, 0});
        PaintFigure(p, Who::kYowa, Mood::kBlush, QPointF(W * 0.42, H * 1.04), H * 0.33);
        PaintFigure(p, Who::kToomiya, Mood::kSmile, QPointF(W * 0.54, H * 1.03), H * 0.37);
      },
      [&](QPainter& p) {
        PaintBurst(p, QPointF(W * 0.28, H * 0.2), H * 0.17, QColor(255, 110, 140), 1);
        PaintBurst(p, QPointF(W * 0.66, H * 0.14), H * 0.22, QColor(255, 220, 110), 2);
        PaintBurst(p, QPointF(W * 0.86, H * 0.3), H * 0.12, QColor(130, 220, 255), 3);
        PaintBurst(p, QPointF(W * 0.1, H * 0.36), H * 0.08, QColor(170, 255, 150), 4);
      });
}

QImage StarrySky() {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  Light light = LightAt(kLateNight);
  return Compose(
      s, light, 502,
      [&](QPainter& p) {
        QPainterPath woods(QPointF(0, H));  // the forest's edge against the sky
        QRandomGenerator rng(8);
        for (double x = 0; x <= W + 40; x += 40) {
          woods.lineTo(x - 20, H * (0.72 + rng.bounded(0.06)));
          woods.lineTo(x, H * (0.6 + rng.bounded(0.08)));
        }
        woods.lineTo(W, H);
        woods.closeSubpath();
        p.setPen(Outline(2));
        p.setBrush(ink::kLeafDark);
        p.drawPath(woods);
        PaintCamphor(p, QPointF(W * 0.7, H * 1.05), H * 0.62);
        PaintFigure(p, Who::kToomiya, Mood::kCalm, QPointF(W * 0.3, H * 0.99), H * 0.22,
                    {false, true, false, 1});
      },
      [&](QPainter& p) {
        p.save();  // the Milky Way: a soft band thick with small stars
        p.translate(W * 0.5, H * 0.3);
        p.rotate(-28);
        QLinearGradient band(0, -H * 0.12, 0, H * 0.12);
        band.setColorAt(0, QColor(180, 170, 255, 0));
        band.setColorAt(0.5, QColor(220, 210, 255, 70));
        band.setColorAt(1, QColor(180, 170, 255, 0));
        p.fillRect(QRectF(-W, -H * 0.12, W * 2, H * 0.24), band);
        QRandomGenerator rng(77);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 500; ++i) {
          const double y = (rng.bounded(1.0) + rng.bounded(1.0) - 1.0) * H * 0.12;
          p.setBrush(QColor(255, 255, 240, 60 + rng.bounded(150)));
          const double r = 0.5 + rng.bounded(1.0);
          p.drawEllipse(QPointF(rng.bounded(W * 2) - W, y), r, r);
        }
        p.restore();
      });
}

QImage Shower() {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  Light light{QColor(92, 104, 124),
              QColor(170, 178, 190),
              QColor(176, 186, 204),
              0,
              false,
              {-1, -1},
              QColor(),
              0};
  return Compose(
      s, light, 503,
      [&](QPainter& p) {
        PaintParkLand(p, s, 5);
        PaintFigure(p, Who::kKouki, Mood::kWorried, QPointF(W * 0.2, H * 0.72), H * 0.26);
        PaintFigure(p, Who::kYowa, Mood::kSmile, QPointF(W * 0.27, H * 0.73), H * 0.24);
        p.setPen(Outline(1.5, QColor(220, 235, 250)));
        p.setBrush(Qt::NoBrush);
        QRandomGenerator rng(9);
        for (int i = 0; i < 26; ++i) {  // rings where the drops hit the pond
          const QPointF c(W * 0.5 + (rng.bounded(1.0) - 0.5) * W * 0.4,
                          H * 0.77 + (rng.bounded(1.0) - 0.5) * H * 0.18);
          const double r = 5 + rng.bounded(10.0);
          p.drawEllipse(c, r, r * 0.35);
        }
      },
      [&](QPainter& p) {
        PaintRain(p, QRectF(0, 0, W, H), 420, 10);
        p.fillRect(QRectF(0, 0, W, H), QColor(200, 210, 230, 35));
      });
}

QImage Fireflies() {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const Light light = LightAt(kNight);
  return Compose(
      s, light, 504,
      [&](QPainter& p) {
        p.save();
        p.translate(W * 0.5, H * 0.77);
        p.scale(1.7, 1.7);
        p.translate(-W * 0.5, -H * 0.77);
        PaintParkLand(p, s, 4);
        p.restore();
        p.setPen(Outline(2, ink::kLeafDark));
        for (int i = 0; i < 18; ++i) {  // reeds at the water's edge
          const double x = W * (0.02 + i * 0.055);
          p.drawLine(QPointF(x, H), QPointF(x + 8 * std::sin(i), H * (0.7 + 0.05 * (i % 3))));
        }
      },
      [&](QPainter& p) {
        QRandomGenerator rng(12);
        for (int i = 0; i < 70; ++i) {
          PaintFirefly(p, QPointF(rng.bounded(W), H * 0.25 + rng.bounded(H * 0.75)),
                       1.8 + rng.bounded(2.4));
        }
      });
}

QImage ShavedIce() {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const Light light = LightAt(kAfternoon);
  return Compose(s, light, 505, [&](QPainter& p) {
    p.save();  // the shop's shelves, seen from the counter
    p.translate(W * 0.62, H * 0.62);
    p.scale(2.6, 2.6);
    p.translate(-W * 0.7, -H * 0.62);
    PaintShopFront(p, s, 2);
    p.restore();
    p.fillRect(QRectF(0, 0, W, H), QColor(255, 240, 220, 70));
    p.setPen(Outline(3));
    QLinearGradient counter(0, H * 0.72, 0, H);
    counter.setColorAt(0, ink::kWood.lighter(115));
    counter.setColorAt(1, ink::kWoodDark);
    p.setBrush(counter);
    p.drawRect(QRectF(-5, H * 0.72, W + 10, H * 0.3));
    // The hand-cranked ice shaver, red and white.
    const QPointF m(W * 0.18, H * 0.76);
    p.setBrush(QColor(220, 60, 60));
    p.drawRect(QRectF(m.x() - 70, m.y() - 40, 140, 40));
    p.drawRect(QRectF(m.x() - 60, m.y() - 300, 22, 260));
    p.drawRect(QRectF(m.x() - 70, m.y() - 320, 150, 60));
    p.setBrush(QColor(240, 240, 245));
    p.drawEllipse(QPointF(m.x() + 5, m.y() - 290), 50, 22);
    p.setPen(Outline(5, QColor(90, 90, 100)));
    p.drawLine(QPointF(m.x() + 5, m.y() - 312), QPointF(m.x() + 5, m.y() - 360));
    p.drawLine(QPointF(m.x() + 5, m.y() - 360), QPointF(m.x() + 60, m.y() - 360));
    PaintShavedIce(p, QPointF(W * 0.42, H * 0.86), W * 0.16, QColor(240, 60, 80, 220));
    PaintShavedIce(p, QPointF(W * 0.64, H * 0.88), W * 0.15, QColor(120, 210, 90, 220));
    PaintShavedIce(p, QPointF(W * 0.85, H * 0.86), W * 0.14, QColor(80, 160, 240, 220));
  });
}

QImage GiantTree() {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const Light light = LightAt(kLateMorning);
  return Compose(
      s, light, 506,
      [&](QPainter& p) {
        PaintHills(p, QRectF(0, 0, W, H), 0.7, 0.02, ink::kGrassDark, 3);
        for (int i = 0; i < 5; ++i) {
          PaintTree(p, QPointF(W * (0.05 + 0.22 * i), H * 0.74), H * 0.36, ink::kLeafDark, 60 + i);
        }
        PaintHills(p, QRectF(0, 0, W, H), 0.8, 0.01, ink::kGrass, 4);
        PaintCamphor(p, QPointF(W * 0.5, H * 0.95), H * 1.0);
        PaintFigure(p, Who::kToomiya, Mood::kSmile, QPointF(W * 0.8, H * 0.97), H * 0.16);
        PaintFigure(p, Who::kYowa, Mood::kCalm, QPointF(W * 0.86, H * 0.97), H * 0.14);
      },
      [&](QPainter& p) {
        PaintSunbeams(p, QRectF(0, 0, W, H), QPointF(W * 0.2, 0), 3, QColor(255, 250, 210, 80));
      });
}

}  // namespace

QImage Extra(const QString& name) {
  if (name == "hanabi") return Fireworks();
  if (name == "hoshizora") return StarrySky();
  if (name == "yuudachi") return Shower();
  if (name == "hotaru") return Fireflies();
  if (name == "kakigoori") return ShavedIce();
  return GiantTree();
}

}  // namespace art
