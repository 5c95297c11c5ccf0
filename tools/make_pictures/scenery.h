#pragma once

#include <QPainter>
#include <QPointF>

namespace art {

// Landmarks of the town that appear in more than one picture (scenery.cpp).
void PaintStoneFrog(QPainter& p, QPointF foot, double width);
void PaintHut(QPainter& p, QPointF foot, double width);
void PaintBench(QPainter& p, QPointF foot, double width);
void PaintLamp(QPainter& p, QPointF foot, double height);
void PaintPond(QPainter& p, QPointF centre, double width, double height, int pads);
void PaintCamphor(QPainter& p, QPointF foot, double height);
void PaintOldHouse(QPainter& p, QPointF foot, double width);
void PaintPole(QPainter& p, QPointF foot, double height);
void PaintFirefly(QPainter& p, QPointF at, double size);
void PaintTelescope(QPainter& p, QPointF foot, double height);
void PaintShavedIce(QPainter& p, QPointF foot, double width, QColor syrup);

// Things that come and go with the hours (props.cpp).
void PaintShutter(QPainter& p, const QRectF& r);
void PaintLantern(QPainter& p, QPointF top, double height);
void PaintOwl(QPainter& p, QPointF centre, double size);
void PaintButterfly(QPainter& p, QPointF centre, double size, const QColor& colour);
void PaintStrawHat(QPainter& p, QPointF centre, double width);

}  // namespace art
