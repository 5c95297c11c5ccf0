#pragma once

#include <QPainter>
#include <QRectF>

namespace art {

enum class Who { kYowa, kToomiya, kKouki };
enum class Mood { kCalm, kSmile, kBlush, kWorried };

struct Pose {
  bool waving = false;        // right arm up
  bool holdingChart = false;  // a star chart held before her
  bool sleeping = false;      // eyes closed, a little "z"
  double look = 0;            // -1 left .. 1 right, where the eyes turn
};

// One head drawing serves the little figures and the big face portraits alike, so the three
// girls look the same in every picture.
void PaintHead(QPainter& p, Who who, Mood mood, QPointF centre, double r, const Pose& pose = {});
// Toomiya's long hair hangs behind her back, so it is drawn before her body.
void PaintLongHair(QPainter& p, QPointF headCentre, double r);
void PaintFigure(QPainter& p, Who who, Mood mood, QPointF foot, double height,
                 const Pose& pose = {});
// Where the raised hand of a waving figure is, for things held up high.
QPointF WavingHand(QPointF foot, double height);
void PaintBust(QPainter& p, Who who, Mood mood, const QRectF& area);
void PaintFrog(QPainter& p, QPointF centre, double size, const QColor& colour);

}  // namespace art
