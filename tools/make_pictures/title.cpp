#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "paint_kit.h"
#include "scenery.h"
#include "scenes.h"

namespace art {
namespace {

// Lettering with a thick warm outline and a soft drop shadow, so it reads on any sky.
void PaintLettering(QPainter& p, const QString& text, const QFont& font, QPointF centre,
                    const QColor& fill, const QColor& edge, double edgeWidth) {
  QPainterPath words;
  words.addText(0, 0, font, text);
  const QRectF box = words.boundingRect();
  words.translate(centre - box.center());
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(40, 20, 40, 90), edgeWidth + 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(words.translated(4, 6));
  p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(words);
  QLinearGradient g(0, words.boundingRect().top(), 0, words.boundingRect().bottom());
  g.setColorAt(0, fill.lighter(112));
  g.setColorAt(1, fill);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(words);
}

}  // namespace

QImage TitleScreen() {
  const QSize s = kTitleSize;
  const double W = s.width(), H = s.height();
  Light light = LightAt(kEvening);
  light.sun = {0.78, 0.66};
  light.tint = QColor(255, 214, 184);
  QImage picture = Compose(
      s, light, 777,
      [&](QPainter& p) {
        PaintTown(p, s, 0.7);
        PaintPole(p, QPointF(W * 0.12, H * 0.76), H * 0.5);
        PaintPole(p, QPointF(W * 0.88, H * 0.74), H * 0.46);
        p.setPen(QPen(QColor(60, 50, 70), 1.8));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 2; ++i) {
          QPainterPath wire(QPointF(-10, H * (0.3 + i * 0.025)));
          wire.quadTo(W * 0.12, H * (0.29 + i * 0.025), W * 0.12, H * (0.3 + i * 0.025));
          wire.quadTo(W * 0.5, H * (0.38 + i * 0.025), W * 0.88, H * (0.31 + i * 0.025));
          wire.quadTo(W, H * (0.34 + i * 0.025), W + 10, H * (0.33 + i * 0.025));
          p.drawPath(wire);
        }
        // The three of them on the river bank, the summer almost over.
        PaintHills(p, QRectF(0, 0, W, H), 0.8, 0.025, ink::kGrass, 41);
        PaintFigure(p, Who::kKouki, Mood::kSmile, QPointF(W * 0.34, H * 0.95), H * 0.3,
                    {true, false, false, 0});
        PaintFigure(p, Who::kYowa, Mood::kCalm, QPointF(W * 0.5, H * 0.96), H * 0.27);
        PaintFigure(p, Who::kToomiya, Mood::kSmile, QPointF(W * 0.66, H * 0.95), H * 0.31,
                    {false, true, false, 0});
        PaintFrog(p, QPointF(W * 0.57, H * 0.94), 30, ink::kGrass);
      },
      [&](QPainter& p) {
        QFont big("IPAPGothic");
        big.setPixelSize(int(H * 0.105));
        big.setBold(true);
        big.setLetterSpacing(QFont::AbsoluteSpacing, 4);
        PaintLettering(p, u"なつやすみ、とおかかん"_qs, big, QPointF(W * 0.5, H * 0.2),
                       QColor(255, 236, 170), QColor(150, 60, 60), 16);
        QFont small("IPAPGothic");
        small.setPixelSize(int(H * 0.036));
        small.setBold(true);
        PaintLettering(p, u"―　夏休み、さいごの十日間　―"_qs, small, QPointF(W * 0.5, H * 0.31),
                       QColor(255, 250, 240), QColor(120, 60, 80), 7);
        PaintLettering(p, u"クリックで はじめる"_qs, small, QPointF(W * 0.5, H * 0.6),
                       QColor(255, 255, 255), QColor(110, 70, 110), 7);
      });
  return picture;
}

void PaintWindowIcon(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 256);
  sky.setColorAt(0, QColor(110, 90, 170));
  sky.setColorAt(1, QColor(255, 170, 100));
  p.setPen(QPen(QColor(90, 52, 44), 10));
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(8, 8, 240, 240), 48, 48);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 214, 120));
  p.drawEllipse(QPointF(188, 78), 36, 36);
  PaintFrog(p, QPointF(128, 170), 190, ink::kGrass);
}

QImage WindowIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.scale(size / 256.0, size / 256.0);
  PaintWindowIcon(p);
  return icon;
}

}  // namespace art
