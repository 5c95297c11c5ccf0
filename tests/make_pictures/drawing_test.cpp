#include <gtest/gtest.h>

#include <QPainter>
#include <cstdlib>

#include "figures.h"
#include "paint_kit.h"
#include "palette.h"
#include "scenes.h"

namespace {

bool Near(QRgb pixel, const QColor& colour, int tolerance) {
  return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
         std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
         std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

double ShareNear(const QImage& image, const QColor& colour) {
  int hits = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) hits += Near(image.pixel(x, y), colour, 22);
  }
  return double(hits) / ((image.height() / 2) * (image.width() / 2));
}

QImage Bust(art::Who who, art::Mood mood) {
  QImage face(art::kFaceSize, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing);
  art::PaintBust(p, who, mood, QRectF(QPointF(0, 0), art::kFaceSize));
  return face;
}

// Night is lit by moon and stars and the day by the sun; the land takes the hour's light
// while lamps shine in their own colour.
TEST(LightAt, EachHourLightsTheLandAndLeavesTheLampsTheirOwnColour) {
  for (int slot = art::kDawn; slot <= art::kLateNight; ++slot) {
    SCOPED_TRACE(testing::Message() << "slot " << slot);
    const art::Light light = art::LightAt(slot);
    const bool night = slot >= art::kNight;
    EXPECT_EQ(light.moon, night);
    EXPECT_EQ(light.sun.x() >= 0, !night);
    EXPECT_EQ(light.stars >= 0.5, night);
    const QImage picture = art::Compose(
        {40, 40}, light, 1, [](QPainter& p) { p.fillRect(0, 20, 40, 20, Qt::white); },
        [](QPainter& p) { p.fillRect(0, 30, 10, 10, Qt::white); });
    EXPECT_TRUE(Near(picture.pixel(30, 25), light.tint, 1));
    EXPECT_EQ(picture.pixel(5, 35), qRgb(255, 255, 255));
  }
}

// Each girl must be recognisable in every expression by what she wears.
struct Signature {
  art::Who who;
  QColor colour;
  const char* what;
};

TEST(PaintBust, EachGirlWearsHerOwnColourInAllFourFacesAndNoOtherGirlDoes) {
  const Signature girls[] = {{art::Who::kYowa, QColor(124, 196, 106), "the frog hoodie"},
                             {art::Who::kToomiya, QColor(32, 30, 48), "the long black hair"},
                             {art::Who::kKouki, QColor(255, 214, 84), "the yellow T-shirt"}};
  for (const Signature& mine : girls) {
    SCOPED_TRACE(mine.what);
    for (art::Mood mood :
         {art::Mood::kCalm, art::Mood::kSmile, art::Mood::kBlush, art::Mood::kWorried}) {
      EXPECT_GT(ShareNear(Bust(mine.who, mood), mine.colour), 0.04) << "mood " << int(mood);
    }
    for (const Signature& other : girls) {
      if (other.who == mine.who) continue;
      EXPECT_LT(ShareNear(Bust(other.who, art::Mood::kCalm), mine.colour), 0.01) << other.what;
    }
  }
}

TEST(ReduceColours, AFinishedScenePicturesLosesAlmostNothing) {
  const QImage scene =
      art::PlaceScene(art::kPark, art::kEvening).convertToFormat(QImage::Format_RGB32);
  const QImage reduced = art::ReduceColours(scene);
  double error = 0;
  for (int y = 0; y < scene.height(); y += 3) {
    for (int x = 0; x < scene.width(); x += 3) {
      const QRgb a = scene.pixel(x, y), b = reduced.pixel(x, y);
      error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b));
    }
  }
  const double mean = error / (3.0 * (scene.height() / 3) * (scene.width() / 3));
  EXPECT_LT(mean, 3.0);
}

}  // namespace
