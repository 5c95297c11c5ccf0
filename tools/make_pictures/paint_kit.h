#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <functional>

namespace art {

// The seven times of day, in the order of the game's time slots.
enum Slot { kDawn, kMorning, kLateMorning, kAfternoon, kEvening, kNight, kLateNight };

// How one time of day looks: the sky, the colour the land is seen in, and what shines.
struct Light {
  QColor skyTop;
  QColor skyLow;
  QColor tint;       // multiplied into the land, figures and buildings
  double stars = 0;  // 0 none .. 1 a full night sky
  bool moon = false;
  QPointF sun{-1, -1};  // as fractions of the picture; negative when the sun is down
  QColor sunColour;
  double glow = 0;  // how many windows and lamps are lit, 0..1
  bool isNight() const { return glow >= 0.5 || stars >= 0.5; }
};
Light LightAt(int slot);

// The house palette, shared by every picture so the game reads as one world.
namespace ink {
inline const QColor kLine{74, 52, 44};
inline const QColor kGrass{126, 196, 104};
inline const QColor kGrassDark{84, 150, 84};
inline const QColor kLeaf{70, 140, 90};
inline const QColor kLeafDark{40, 96, 70};
inline const QColor kWood{170, 112, 72};
inline const QColor kWoodDark{118, 74, 50};
inline const QColor kStone{160, 164, 150};
inline const QColor kWater{112, 184, 214};
inline const QColor kPaper{255, 248, 232};
inline const QColor kRoof{92, 104, 140};
inline const QColor kWindowLit{255, 214, 120};
}  // namespace ink

QPen Outline(double width);
QPen Outline(double width, const QColor& colour);
QColor Mix(const QColor& a, const QColor& b, double t);

// Every scene is the sky, then the land seen in the time of day's light, then whatever
// shines by itself (lamps, lit windows, fireflies, fireworks) on top, untouched by the tint.
using Layer = std::function<void(QPainter&)>;
QImage Compose(QSize size, const Light& light, quint32 seed, const Layer& land,
               const Layer& shining = {});

void PaintSky(QPainter& p, const QRectF& area, const Light& light, quint32 seed);
void PaintClouds(QPainter& p, const QRectF& area, const Light& light, quint32 seed, int count);
void PaintStars(QPainter& p, const QRectF& area, double amount, quint32 seed);
void PaintMoon(QPainter& p, QPointF centre, double radius);
void Glow(QPainter& p, QPointF centre, double radius, QColor colour);
void MultiplyInto(QImage& image, const QColor& tint);

// Soft rolling ground from y (fraction of height) down, with a lighter top edge.
void PaintHills(QPainter& p, const QRectF& area, double y, double wave, const QColor& colour,
                quint32 seed);
void PaintTree(QPainter& p, QPointF foot, double height, const QColor& leaf, quint32 seed);
void PaintShadow(QPainter& p, QPointF centre, double width);
// A window frame with panes; lit windows are drawn again in the shining layer.
void PaintWindow(QPainter& p, const QRectF& r, bool lit);
// Falling streaks and misty light: a summer shower or light through leaves.
void PaintRain(QPainter& p, const QRectF& area, int drops, quint32 seed);
void PaintSunbeams(QPainter& p, const QRectF& area, QPointF from, int count, QColor colour);

}  // namespace art
