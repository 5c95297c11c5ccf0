#pragma once

#include <QImage>
#include <QString>

#include "figures.h"

namespace art {

// Event pictures fill the 3:2 picture layer; the title fills the whole 4:3 stage.
inline constexpr QSize kEventSize{960, 640};
inline constexpr QSize kTitleSize{1344, 1008};  // the stage of the usual 1344 x 1008 window
inline constexpr QSize kFaceSize{320, 320};

enum Place { kPark, kForest, kShop };

QImage PlaceScene(Place place, int slot);  // places.cpp
QImage VisitScene(Who who, int level);     // visits.cpp, level 1..5
QImage Ending(Who who);                    // visits.cpp
QImage Extra(const QString& name);         // extras.cpp
QImage TitleScreen();                      // title.cpp
// The icon, drawn on a square of 256 units whatever the painter's device: the
// pictures of every size and the scalable one come from the same strokes.
void PaintWindowIcon(QPainter& p);  // title.cpp
QImage WindowIcon(int size = 256);  // title.cpp

// Shared scenery, drawn in the land layer of a scene (places.cpp).
void PaintParkLand(QPainter& p, QSize size, int variant);
void PaintForestLand(QPainter& p, QSize size);
void PaintShopFront(QPainter& p, QSize size, int variant);
void PaintShopGlow(QPainter& p, QSize size, double glow, bool open);
// The shop keeps its shutter down at dawn and late at night.
bool ShopIsOpen(int slot);
void PaintTown(QPainter& p, QSize size, double horizon);

}  // namespace art
