#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

#include "paint_kit.h"
#include "scenery.h"
#include "scenes.h"

namespace art {
namespace {

// Little things that tell the hour apart at a glance.
void PaintBirds(QPainter& p, QPointF at, int count, double size) {
  p.setPen(Outline(2, QColor(60, 50, 60)));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < count; ++i) {
    const QPointF b = at + QPointF(i * size * 2.2, (i % 2) * size * 0.9);
    QPainterPath wing(b - QPointF(size, 0));
    wing.quadTo(b - QPointF(size * 0.4, size * 0.6), b);
    wing.quadTo(b + QPointF(size * 0.4, -size * 0.6), b + QPointF(size, 0));
    p.drawPath(wing);
  }
}

void PaintMist(QPainter& p, QSize s, double y) {
  QLinearGradient g(0, s.height() * (y - 0.08), 0, s.height() * (y + 0.08));
  g.setColorAt(0, QColor(255, 255, 255, 0));
  g.setColorAt(0.5, QColor(255, 240, 245, 120));
  g.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(QRectF(0, s.height() * (y - 0.08), s.width(), s.height() * 0.16), g);
}

}  // namespace

void PaintTown(QPainter& p, QSize s, double horizon) {
  PaintHills(p, QRectF(QPointF(0, 0), s), horizon - 0.05, 0.05, QColor(120, 160, 170), 5);
  QRandomGenerator rng(99);
  const double base = s.height() * horizon;
  p.setPen(Outline(1.5, QColor(70, 80, 100)));
  for (double x = -20; x < s.width(); x += 36 + rng.bounded(30)) {
    const double w = 30 + rng.bounded(24), h = 18 + rng.bounded(16);
    p.setBrush(QColor(150 + rng.bounded(40), 150 + rng.bounded(30), 160 + rng.bounded(30)));
    p.drawRect(QRectF(x, base - h, w, h + 4));
    p.setBrush(rng.bounded(2) ? QColor(100, 110, 150) : QColor(160, 90, 80));
    QPainterPath roof(QPointF(x - 4, base - h));
    roof.lineTo(x + w / 2, base - h - 12);
    roof.lineTo(x + w + 4, base - h);
    roof.closeSubpath();
    p.drawPath(roof);
  }
}

void PaintParkLand(QPainter& p, QSize s, int variant) {
  const double W = s.width(), H = s.height();
  PaintTown(p, s, 0.44);
  PaintHills(p, QRectF(0, 0, W, H), 0.5, 0.015, ink::kGrass, 11);
  for (int i = 0; i < 7; ++i) {
    PaintTree(p, QPointF(W * (0.04 + i * 0.16) + (i % 2) * 20, H * 0.53),
              H * (0.3 + 0.04 * (i % 3)), i % 2 ? ink::kLeaf : ink::kLeaf.lighter(110), 17 + i);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(226, 204, 150));  // the gravel path
  QPainterPath path(QPointF(W * 0.05, H));
  path.quadTo(W * 0.2, H * 0.7, W * 0.3, H * 0.56);
  path.lineTo(W * 0.36, H * 0.56);
  path.quadTo(W * 0.3, H * 0.75, W * 0.25, H);
  p.drawPath(path);
  PaintHut(p, QPointF(W * 0.14, H * 0.6), W * 0.13);
  PaintPond(p, QPointF(W * 0.5, H * 0.77), W * 0.5, H * 0.26, 7 + variant % 3);
  PaintStoneFrog(p, QPointF(W * 0.82, H * 0.78), W * 0.2);
  PaintBench(p, QPointF(W * 0.28, H * 0.68), W * 0.11);
  PaintLamp(p, QPointF(W * 0.37, H * 0.66), H * 0.22);
  p.setPen(Outline(1.5, ink::kGrassDark));
  QRandomGenerator rng(variant + 3);
  for (int i = 0; i < 40; ++i) {  // tufts of grass
    const QPointF g(rng.bounded(W), H * 0.6 + rng.bounded(H * 0.4));
    p.drawLine(g, g + QPointF(-4, -10));
    p.drawLine(g, g + QPointF(3, -12));
  }
}

void PaintForestLand(QPainter& p, QSize s) {
  const double W = s.width(), H = s.height();
  p.setPen(Qt::NoPen);
  QLinearGradient deep(0, H * 0.3, 0, H);
  deep.setColorAt(0, QColor(56, 100, 80));
  deep.setColorAt(1, QColor(88, 132, 84));
  p.fillRect(QRectF(0, H * 0.35, W, H * 0.65), deep);
  QRandomGenerator rng(7);                   // the same trees at every hour
  for (int layer = 0; layer < 2; ++layer) {  // rows of trunks, far ones darker and thinner
    for (int i = 0; i < 10; ++i) {
      const double x = rng.bounded(W);
      const double w = layer ? 26 + rng.bounded(14.0) : 12 + rng.bounded(8.0);
      p.setPen(Outline(1.5));
      p.setBrush(layer ? ink::kWoodDark : ink::kWoodDark.darker(140));
      p.drawRect(QRectF(x, -10, w, H * (layer ? 0.78 : 0.62)));
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 170, 120));
  QPainterPath path(QPointF(W * 0.36, H));
  path.cubicTo(W * 0.5, H * 0.82, W * 0.42, H * 0.7, W * 0.52, H * 0.6);
  path.lineTo(W * 0.56, H * 0.6);
  path.cubicTo(W * 0.5, H * 0.72, W * 0.62, H * 0.84, W * 0.62, H);
  p.drawPath(path);
  PaintOldHouse(p, QPointF(W * 0.84, H * 0.7), W * 0.3);
  PaintCamphor(p, QPointF(W * 0.3, H * 0.82), H * 0.95);
  QPainterPath canopy;                  // the canopy closes over the top of the picture
  canopy.setFillRule(Qt::WindingFill);  // overlapping puffs make one shape
  for (int i = 0; i < 12; ++i) {
    canopy.addEllipse(QPointF(W * i / 11.0, H * (0.02 + 0.05 * ((i * 5) % 3))), W * 0.09, H * 0.1);
  }
  p.setPen(Outline(2));
  p.setBrush(ink::kLeafDark);
  p.drawPath(canopy.simplified());
  for (int i = 0; i < 6; ++i) {  // ferns and bushes in front
    const QPointF b(W * (0.05 + i * 0.19), H * 0.97);
    p.setBrush(i % 2 ? ink::kGrassDark : ink::kLeaf);
    p.drawEllipse(b, W * 0.07, H * 0.07);
  }
}

void PaintShopFront(QPainter& p, QSize s, int variant) {
  const double W = s.width(), H = s.height();
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(0, H * 0.78, W, H * 0.22), QColor(170, 166, 160));  // the street
  p.fillRect(QRectF(0, H * 0.76, W, H * 0.03), QColor(200, 196, 186));
  // Neighbours on both sides.
  p.setPen(Outline(2.5));
  p.setBrush(QColor(210, 190, 160));
  p.drawRect(QRectF(-10, H * 0.34, W * 0.2, H * 0.43));
  p.setBrush(QColor(190, 200, 196));
  p.drawRect(QRectF(W * 0.8, H * 0.3, W * 0.22, H * 0.47));
  PaintWindow(p, QRectF(W * 0.03, H * 0.45, W * 0.1, H * 0.12), false);
  PaintWindow(p, QRectF(W * 0.86, H * 0.4, W * 0.1, H * 0.12), false);
  // The shop: wooden front, tiled roof, sign board.
  const QRectF shop(W * 0.2, H * 0.3, W * 0.6, H * 0.47);
  p.setBrush(QColor(176, 126, 82));
  p.drawRect(shop);
  p.setBrush(ink::kRoof);
  QPainterPath roof(QPointF(shop.left() - W * 0.04, shop.top()));
  roof.lineTo(shop.left() + W * 0.04, H * 0.16);
  roof.lineTo(shop.right() - W * 0.04, H * 0.16);
  roof.lineTo(shop.right() + W * 0.04, shop.top());
  roof.closeSubpath();
  p.drawPath(roof);
  p.setPen(Outline(1.2, ink::kRoof.darker(140)));
  for (int i = 1; i < 18; ++i) {
    const double x = shop.left() - W * 0.04 + i * (shop.width() + W * 0.08) / 18;
    p.drawLine(QPointF(x, shop.top()), QPointF(x + (W * 0.5 - x) * 0.12, H * 0.16));
  }
  p.setPen(Outline(2.5));
  p.setBrush(QColor(246, 236, 206));
  const QRectF sign(W * 0.36, H * 0.19, W * 0.28, H * 0.09);
  p.drawRect(sign);
  QFont font("IPAGothic");
  font.setPixelSize(int(H * 0.06));
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(150, 50, 40));
  p.drawText(sign, Qt::AlignCenter, u"駄菓子 サガ"_qs);
  // The open front: shelves of sweets in jars.
  const QRectF inside(shop.left() + W * 0.04, H * 0.42, shop.width() - W * 0.08, H * 0.34);
  p.setPen(Outline(2.5));
  p.setBrush(QColor(120, 82, 58));
  p.drawRect(inside);
  const QColor sweets[] = {QColor(255, 120, 140), QColor(255, 200, 80), QColor(120, 200, 255),
                           QColor(150, 230, 140), QColor(230, 150, 255)};
  for (int row = 0; row < 3; ++row) {
    const double y = inside.top() + inside.height() * (0.3 + row * 0.3);
    p.setPen(Outline(2));
    p.setBrush(QColor(196, 150, 100));
    p.drawRect(QRectF(inside.left(), y, inside.width(), 6));
    for (int j = 0; j < 9; ++j) {
      const double x = inside.left() + 14 + j * inside.width() / 9;
      p.setBrush(QColor(230, 245, 255, 220));
      p.drawRoundedRect(QRectF(x, y - 40, 30, 40), 6, 6);
      p.setPen(Qt::NoPen);
      p.setBrush(sweets[(j + row * 2 + variant) % 5]);
      p.drawRoundedRect(QRectF(x + 4, y - 24, 22, 20), 4, 4);
      p.setPen(Outline(2));
      p.setBrush(QColor(220, 80, 70));
      p.drawRect(QRectF(x + 3, y - 46, 24, 7));
    }
  }
  // The awning, striped red and white.
  for (int i = 0; i < 12; ++i) {
    p.setBrush(i % 2 ? QColor(255, 250, 240) : QColor(220, 70, 70));
    const double x = shop.left() + i * shop.width() / 12;
    QPainterPath stripe(QPointF(x, H * 0.34));
    stripe.lineTo(x + shop.width() / 12, H * 0.34);
    stripe.lineTo(x + shop.width() / 12 + 6, H * 0.41);
    stripe.quadTo(x + shop.width() / 24 + 3, H * 0.44, x + 6, H * 0.41);
    stripe.closeSubpath();
    p.drawPath(stripe);
  }
  if (!ShopIsOpen(variant)) {
    PaintShutter(p, inside);
  } else {
    // The noren over the door, indigo with the shop's name.
    const QRectF noren(W * 0.42, H * 0.42, W * 0.16, H * 0.13);
    p.setBrush(QColor(44, 60, 120));
    for (int i = 0; i < 3; ++i) {
      p.drawRect(QRectF(noren.left() + i * noren.width() / 3, noren.top(), noren.width() / 3 - 3,
                        noren.height()));
    }
    font.setPixelSize(int(H * 0.05));
    p.setFont(font);
    p.setPen(QColor(250, 250, 250));
    p.drawText(noren, Qt::AlignCenter, u"さ　が"_qs);
    // The shaved-ice flag: 氷 on white with blue waves.
    p.setPen(Outline(2));
    p.setBrush(QColor(120, 90, 60));
    p.drawRect(QRectF(W * 0.15, H * 0.46, 5, H * 0.32));
    p.setBrush(QColor(255, 255, 255));
    const QRectF flag(W * 0.07, H * 0.47, W * 0.08, H * 0.12);
    p.drawRect(flag);
    p.setPen(Outline(3, QColor(70, 130, 220)));
    p.drawArc(QRectF(flag.left(), flag.bottom() - 14, flag.width() / 2, 18), 0, 180 * 16);
    p.drawArc(QRectF(flag.center().x(), flag.bottom() - 14, flag.width() / 2, 18), 0, 180 * 16);
    font.setPixelSize(int(H * 0.07));
    p.setFont(font);
    p.setPen(QColor(220, 40, 40));
    p.drawText(flag.adjusted(0, -8, 0, -8), Qt::AlignCenter, u"氷"_qs);
  }
  // A bench with a red cloth, and a vending machine.
  p.setPen(Outline(2.5));
  p.setBrush(QColor(200, 60, 60));
  p.drawRect(QRectF(W * 0.24, H * 0.7, W * 0.14, H * 0.03));
  p.setBrush(ink::kWoodDark);
  p.drawRect(QRectF(W * 0.25, H * 0.73, 6, H * 0.05));
  p.drawRect(QRectF(W * 0.36, H * 0.73, 6, H * 0.05));
  p.setBrush(QColor(80, 150, 220));
  p.drawRoundedRect(QRectF(W * 0.82, H * 0.54, W * 0.09, H * 0.24), 4, 4);
  p.setBrush(QColor(230, 240, 250));
  p.drawRect(QRectF(W * 0.835, H * 0.57, W * 0.06, H * 0.08));
  PaintPole(p, QPointF(W * 0.96, H * 0.8), H * 0.75);
  p.setPen(QPen(QColor(50, 50, 60), 1.5));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 2; ++i) {  // the wires sag across the sky
    QPainterPath wire(QPointF(W * 0.96, H * (0.12 + i * 0.03)));
    wire.quadTo(W * 0.5, H * (0.2 + i * 0.03), -10, H * (0.06 + i * 0.03));
    p.drawPath(wire);
  }
}

bool ShopIsOpen(int slot) {
  return slot != kDawn && slot != kLateNight;
}

void PaintShopGlow(QPainter& p, QSize s, double glow, bool open) {
  if (glow <= 0) return;
  const double W = s.width(), H = s.height();
  const int a = int(150 * glow);
  p.setPen(Qt::NoPen);
  if (open) {
    // Light from the open front spills onto the street; the jars stay clear to see.
    p.setBrush(QColor(255, 200, 110, a / 5));
    p.drawRect(QRectF(W * 0.24, H * 0.42, W * 0.52, H * 0.34));
    Glow(p, QPointF(W * 0.5, H * 0.84), W * 0.28, QColor(255, 210, 130, a * 2 / 3));
    PaintLantern(p, QPointF(W * 0.23, H * 0.37), H * 0.09);
    PaintLantern(p, QPointF(W * 0.77, H * 0.37), H * 0.09);
  }
  Glow(p, QPointF(W * 0.865, H * 0.62), W * 0.1, QColor(200, 240, 255, a));
  p.setBrush(QColor(230, 250, 255, a));
  p.drawRect(QRectF(W * 0.835, H * 0.57, W * 0.06, H * 0.08));
  PaintWindow(p, QRectF(W * 0.86, H * 0.4, W * 0.1, H * 0.12), true);
}

QImage PlaceScene(Place place, int slot) {
  const Light light = LightAt(slot);
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const quint32 seed = place * 10 + slot;
  if (place == kPark) {
    return Compose(
        s, light, seed,
        [&](QPainter& p) {
          PaintParkLand(p, s, slot);
          if (slot == kMorning || slot == kLateMorning)
            PaintFrog(p, QPointF(W * 0.6, H * 0.74), 30, ink::kGrass);
          if (slot == kAfternoon)
            PaintFrog(p, QPointF(W * 0.82, H * 0.5), 26, ink::kGrass.lighter(110));
          if (slot == kLateMorning || slot == kAfternoon) {  // someone left a hat on the bench
            PaintStrawHat(p, QPointF(W * 0.3, H * 0.68 - 30), 46);
          }
        },
        [&](QPainter& p) {
          if (slot == kDawn) PaintMist(p, s, 0.58);
          if (slot == kMorning || slot == kEvening)
            PaintBirds(p, QPointF(W * 0.55, H * 0.14), 3, 12);
          if (light.glow >= 0.45) {
            Glow(p, QPointF(W * 0.37, H * 0.5), H * 0.16 * light.glow, QColor(255, 230, 150, 170));
            Glow(p, QPointF(W * 0.11, H * 0.5), H * 0.07, QColor(255, 210, 120, 160));
          }
          if (light.moon) Glow(p, QPointF(W * 0.66, H * 0.8), H * 0.06, QColor(255, 244, 200, 120));
          if (slot == kLateNight) {
            for (int i = 0; i < 9; ++i)
              PaintFirefly(p, QPointF(W * (0.3 + 0.05 * i), H * (0.66 + 0.04 * (i % 3))), 2.5);
          }
        });
  }
  if (place == kForest) {
    return Compose(
        s, light, seed,
        [&](QPainter& p) {
          PaintForestLand(p, s);
          if (slot == kLateNight) PaintOwl(p, QPointF(W * 0.62, H * 0.3), 46);
          if (slot == kLateMorning || slot == kAfternoon) {
            PaintButterfly(p, QPointF(W * 0.6, H * 0.7), 12, QColor(255, 240, 140));
            PaintButterfly(p, QPointF(W * 0.66, H * 0.64), 10, QColor(255, 255, 250));
          }
        },
        [&](QPainter& p) {
          if (slot >= kMorning && slot <= kAfternoon) {
            PaintSunbeams(p, QRectF(0, 0, W, H), QPointF(W * (0.2 + slot * 0.08), 0), 3,
                          QColor(255, 250, 200, 70));
          }
          if (slot == kDawn) PaintMist(p, s, 0.75);
          if (light.glow >= 0.45) {
            for (double x : {0.72, 0.81}) {
              Glow(p, QPointF(W * (x + 0.033), H * 0.55), H * 0.12, QColor(255, 210, 120, 170));
              PaintWindow(p, QRectF(W * x, H * 0.5, W * 0.066, H * 0.1), true);
            }
          }
          if (slot >= kNight) {
            for (int i = 0; i < 14; ++i)
              PaintFirefly(p, QPointF(W * ((i * 37) % 100) / 100.0, H * (0.55 + 0.03 * (i % 7))),
                           2.2);
          }
        });
  }
  return Compose(
      s, light, seed,
      [&](QPainter& p) {
        PaintShopFront(p, s, slot);
        if (slot == kAfternoon) {  // a cat naps on the bench in the heat
          p.setPen(Outline(2));
          p.setBrush(QColor(250, 250, 245));
          p.drawEllipse(QPointF(W * 0.3, H * 0.68), 26, 14);
          p.drawEllipse(QPointF(W * 0.33, H * 0.665), 11, 10);
        }
      },
      [&](QPainter& p) {
        PaintShopGlow(p, s, light.glow, ShopIsOpen(slot));
        if (light.glow >= 0.45)
          Glow(p, QPointF(W * 0.96 - 18, H * 0.1), H * 0.08, QColor(255, 240, 200, 150));
        if (slot == kMorning) PaintBirds(p, QPointF(W * 0.3, H * 0.08), 4, 10);
      });
}

}  // namespace art
