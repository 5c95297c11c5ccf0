#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

#include "paint_kit.h"
#include "scenery.h"
#include "scenes.h"

namespace art {
namespace {

// Draws the land as if the camera stepped closer to `focus`: each visit level frames the
// girl a little nearer.
void Closer(QPainter& p, QPointF focus, double zoom) {
  p.translate(focus);
  p.scale(zoom, zoom);
  p.translate(-focus);
}

void PaintMeadow(QPainter& p, QSize s, double horizon, bool river) {
  const double W = s.width(), H = s.height();
  PaintTown(p, s, horizon);
  PaintHills(p, QRectF(0, 0, W, H), horizon + 0.04, 0.03, ink::kGrass, 23);
  if (river) {
    p.setPen(Outline(2.5, QColor(70, 110, 130)));
    p.setBrush(ink::kWater);
    QPainterPath water(QPointF(0, H * (horizon + 0.12)));
    water.cubicTo(W * 0.3, H * (horizon + 0.08), W * 0.6, H * (horizon + 0.2), W,
                  H * (horizon + 0.1));
    water.lineTo(W, H * (horizon + 0.18));
    water.cubicTo(W * 0.6, H * (horizon + 0.3), W * 0.3, H * (horizon + 0.17), 0,
                  H * (horizon + 0.22));
    water.closeSubpath();
    p.drawPath(water);
  }
  PaintHills(p, QRectF(0, 0, W, H), horizon + 0.3, 0.02, ink::kGrass.lighter(106), 29);
  PaintTree(p, QPointF(W * 0.9, H * (horizon + 0.08)), H * 0.3, ink::kLeaf, 31);
  PaintTree(p, QPointF(W * 0.08, H * (horizon + 0.06)), H * 0.24, ink::kLeaf.lighter(110), 37);
}

void PaintDragonflies(QPainter& p, QPointF at, int count) {
  for (int i = 0; i < count; ++i) {
    const QPointF d = at + QPointF(i * 70, (i % 2) * 30);
    p.setPen(Outline(2, QColor(200, 60, 40)));
    p.drawLine(d, d + QPointF(22, 4));
    p.setPen(Outline(1, QColor(120, 80, 60)));
    p.setBrush(QColor(255, 255, 255, 140));
    p.drawEllipse(d + QPointF(6, -6), 8, 3.5);
    p.drawEllipse(d + QPointF(6, 7), 8, 3.5);
  }
}

void PaintSparkler(QPainter& p, QPointF tip) {
  QRandomGenerator rng(5);
  Glow(p, tip, 70, QColor(255, 200, 90, 170));
  for (int i = 0; i < 26; ++i) {
    const double a = rng.bounded(6.283), len = 14 + rng.bounded(40.0);
    const QPointF end = tip + QPointF(std::cos(a) * len, std::sin(a) * len);
    p.setPen(QPen(QColor(255, 230, 150, 220), 1.6));
    p.drawLine(tip, end);
    p.drawLine(end, end + QPointF(std::cos(a + 0.8) * 7, std::sin(a + 0.8) * 7));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 150, 60));
  p.drawEllipse(tip, 5, 5);
}

void PaintShootingStar(QPainter& p, QPointF head, double len) {
  QLinearGradient tail(head, head + QPointF(-len, -len * 0.4));
  tail.setColorAt(0, QColor(255, 255, 230, 230));
  tail.setColorAt(1, QColor(255, 255, 230, 0));
  p.setPen(QPen(QBrush(tail), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(head, head + QPointF(-len, -len * 0.4));
  Glow(p, head, 14, QColor(255, 255, 230, 200));
}

// The fifth visit is a special moment: she stands in a kinder light than the night around her.
Light Special(Light light, int level) {
  if (level == 5) light.tint = Mix(light.tint, QColor(255, 240, 230), 0.55);
  return light;
}

void PaintMataNe(QPainter& p, QSize s, const QString& text) {
  QFont font("IPAPGothic");
  font.setPixelSize(int(s.height() * 0.085));
  font.setBold(true);
  QPainterPath words;
  words.addText(QPointF(s.width() * 0.06, s.height() * 0.16), font, text);
  p.setPen(QPen(QColor(120, 70, 60), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(words);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 250, 236));
  p.drawPath(words);
}

QImage YowaVisit(int level) {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const int hours[] = {kMorning, kAfternoon, kEvening, kAfternoon, kLateNight};
  const Light light = Special(LightAt(hours[level - 1]), level);
  return Compose(
      s, light, 100 + level,
      [&](QPainter& p) {
        p.save();
        const QPointF focus = level == 4 ? QPointF(W * 0.82, H * 0.78)
                                         : QPointF(W * (level == 1 ? 0.15 : 0.6), H * 0.75);
        Closer(p, focus, level == 4 ? 1.9 : 1.0 + 0.25 * (level - 1));
        PaintParkLand(p, s, level);
        p.restore();
        switch (level) {
          case 1:  // peeking out from beside her hut
            PaintFigure(p, Who::kYowa, Mood::kWorried, QPointF(W * 0.3, H * 0.7), H * 0.3,
                        {false, false, false, -1});
            PaintFrog(p, QPointF(W * 0.38, H * 0.69), 22, ink::kGrass);
            break;
          case 2:  // showing the frogs of the pond
            PaintFigure(p, Who::kYowa, Mood::kCalm, QPointF(W * 0.3, H * 0.9), H * 0.5);
            for (int i = 0; i < 3; ++i)
              PaintFrog(p, QPointF(W * (0.45 + 0.09 * i), H * (0.84 + 0.03 * (i % 2))), 36,
                        ink::kGrass.lighter(100 + 8 * i));
            break;
          case 3:  // a frog in her hands, and a smile at last
            PaintFigure(p, Who::kYowa, Mood::kSmile, QPointF(W * 0.42, H * 1.02), H * 0.72);
            PaintFrog(p, QPointF(W * 0.42, H * 0.66), 60, ink::kGrass);
            PaintFrog(p, QPointF(W * 0.7, H * 0.9), 44, ink::kGrass.lighter(110));
            break;
          case 4:  // asleep against the stone frog, a real frog on her hood
            PaintFigure(p, Who::kYowa, Mood::kCalm, QPointF(W * 0.5, H * 1.0), H * 0.66,
                        {false, false, true, 0});
            PaintFrog(p, QPointF(W * 0.5, H * 0.33), 40, ink::kGrass);
            break;
          default:  // the night of the fireflies
            PaintFigure(p, Who::kYowa, Mood::kBlush, QPointF(W * 0.5, H * 1.25), H * 1.05);
            break;
        }
      },
      [&](QPainter& p) {
        if (level == 5) {
          QRandomGenerator rng(55);
          for (int i = 0; i < 40; ++i)
            PaintFirefly(p, QPointF(rng.bounded(W), H * 0.3 + rng.bounded(H * 0.7)),
                         2 + rng.bounded(2.5));
        }
        if (level == 3) PaintDragonflies(p, QPointF(W * 0.62, H * 0.3), 2);
      });
}

QImage ToomiyaVisit(int level) {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const int hours[] = {kLateMorning, kAfternoon, kEvening, kNight, kLateNight};
  const Light light = Special(LightAt(hours[level - 1]), level);
  return Compose(
      s, light, 200 + level,
      [&](QPainter& p) {
        if (level <= 3) {
          p.save();
          Closer(p, QPointF(W * 0.84, H * 0.7), level == 1 ? 1.15 : (level == 2 ? 1.5 : 1.3));
          PaintForestLand(p, s);
          p.restore();
        } else {
          PaintMeadow(p, s, level == 5 ? 0.72 : 0.6, false);
        }
        switch (level) {
          case 1:  // reading on the veranda of the old house
            PaintFigure(p, Who::kToomiya, Mood::kCalm, QPointF(W * 0.58, H * 0.86), H * 0.42,
                        {false, true, false, 0});
            break;
          case 2:  // the telescope comes out
            PaintTelescope(p, QPointF(W * 0.74, H * 0.97), H * 0.5);
            PaintFigure(p, Who::kToomiya, Mood::kSmile, QPointF(W * 0.5, H * 0.98), H * 0.6);
            break;
          case 3:  // a star chart at sunset: tonight we look for these
            PaintFigure(p, Who::kToomiya, Mood::kSmile, QPointF(W * 0.56, H * 1.02), H * 0.72,
                        {false, true, false, 0});
            break;
          case 4:
            PaintTelescope(p, QPointF(W * 0.64, H * 0.92), H * 0.5);
            PaintFigure(p, Who::kToomiya, Mood::kCalm, QPointF(W * 0.36, H * 0.98), H * 0.62,
                        {false, true, false, 1});
            break;
          default:
            PaintFigure(p, Who::kToomiya, Mood::kBlush, QPointF(W * 0.5, H * 1.3), H * 1.05);
            break;
        }
      },
      [&](QPainter& p) {
        if (level == 3) {  // the first stars of the evening
          Glow(p, QPointF(W * 0.2, H * 0.12), 12, QColor(255, 250, 220, 220));
          Glow(p, QPointF(W * 0.72, H * 0.06), 8, QColor(255, 250, 220, 180));
        }
        if (level >= 4) {
          PaintStars(p, QRectF(0, 0, W, H * 0.55), 0.6, 300 + level);
          PaintShootingStar(p, QPointF(W * 0.32, H * 0.2), W * 0.18);
        }
        if (level == 5) PaintShootingStar(p, QPointF(W * 0.8, H * 0.1), W * 0.14);
      });
}

QImage KoukiVisit(int level) {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const int hours[] = {kMorning, kAfternoon, kAfternoon, kEvening, kNight};
  const Light light = Special(LightAt(hours[level - 1]), level);
  return Compose(
      s, light, 400 + level,
      [&](QPainter& p) {
        if (level == 2 || level == 4) {
          PaintMeadow(p, s, 0.5, true);
        } else {
          p.save();
          Closer(p, QPointF(W * 0.3, H * 0.8), level == 5 ? 1.0 : 1.0 + 0.2 * (level - 1));
          PaintShopFront(p, s, level);
          p.restore();
        }
        switch (level) {
          case 1:  // a wave from in front of the shop
            PaintFigure(p, Who::kKouki, Mood::kSmile, QPointF(W * 0.3, H * 0.92), H * 0.45,
                        {true, false, false, 0});
            break;
          case 2: {  // racing down the river bank
            p.save();
            p.translate(W * 0.55, H * 0.95);
            p.rotate(8);
            PaintFigure(p, Who::kKouki, Mood::kSmile, QPointF(0, 0), H * 0.6,
                        {true, false, false, 1});
            p.restore();
            p.setPen(Outline(3, QColor(255, 255, 255)));
            for (int i = 0; i < 4; ++i)
              p.drawLine(QPointF(W * (0.34 + 0.02 * (i % 2)), H * (0.56 + i * 0.07)),
                         QPointF(W * 0.46, H * (0.56 + i * 0.07)));
            break;
          }
          case 3:  // shaved ice in the shade of the awning
            PaintFigure(p, Who::kKouki, Mood::kSmile, QPointF(W * 0.38, H * 1.05), H * 0.75);
            PaintShavedIce(p, QPointF(W * 0.47, H * 0.76), W * 0.085, QColor(240, 60, 80, 220));
            break;
          case 4:  // quiet for once, at sunset
            PaintFigure(p, Who::kKouki, Mood::kBlush, QPointF(W * 0.62, H * 1.02), H * 0.75);
            break;
          default:
            PaintFigure(p, Who::kKouki, Mood::kBlush, QPointF(W * 0.45, H * 1.3), H * 1.05,
                        {true, false, false, 0});
            break;
        }
      },
      [&](QPainter& p) {
        if (level == 4) PaintDragonflies(p, QPointF(W * 0.12, H * 0.32), 3);
        if (level == 5) {
          const QPointF hand = WavingHand(QPointF(W * 0.45, H * 1.3), H * 1.05);
          p.setPen(Outline(2.5, QColor(90, 60, 50)));
          p.drawLine(hand, hand + QPointF(50, -70));
          PaintSparkler(p, hand + QPointF(50, -70));
        }
      });
}

}  // namespace

QImage VisitScene(Who who, int level) {
  if (who == Who::kYowa) return YowaVisit(level);
  if (who == Who::kToomiya) return ToomiyaVisit(level);
  return KoukiVisit(level);
}

QImage Ending(Who who) {
  const QSize s = kEventSize;
  const double W = s.width(), H = s.height();
  const Light light = LightAt(kEvening);
  return Compose(
      s, light, 900 + int(who),
      [&](QPainter& p) {
        if (who == Who::kYowa) {
          PaintParkLand(p, s, 2);
          for (int i = 0; i < 5; ++i)
            PaintFrog(p, QPointF(W * (0.56 + 0.08 * i), H * 0.93), 34,
                      ink::kGrass.lighter(96 + 5 * i));
          PaintFigure(p, Who::kYowa, Mood::kSmile, QPointF(W * 0.36, H * 1.0), H * 0.7,
                      {true, false, false, 0});
        } else if (who == Who::kToomiya) {
          PaintMeadow(p, s, 0.62, false);
          PaintTelescope(p, QPointF(W * 0.74, H * 0.93), H * 0.45);
          PaintFigure(p, Who::kToomiya, Mood::kSmile, QPointF(W * 0.42, H * 1.0), H * 0.7,
                      {true, false, false, 0});
        } else {
          PaintShopFront(p, s, 4);
          PaintFigure(p, Who::kKouki, Mood::kSmile, QPointF(W * 0.5, H * 1.0), H * 0.7,
                      {true, false, false, 0});
        }
      },
      [&](QPainter& p) {
        if (who == Who::kToomiya) PaintShootingStar(p, QPointF(W * 0.7, H * 0.12), W * 0.15);
        PaintMataNe(p, s, u"またね。"_qs);
      });
}

}  // namespace art
