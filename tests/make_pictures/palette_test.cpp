#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "palette.h"

namespace {

// QPainter-free image work needs no application object, but font lookup in the drawing code
// does; one offscreen application serves every test in this program.
class Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_make_pictures";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QGuiApplication> app_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);

int MaxChannelError(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

TEST(ReduceColours, FlatArtWithFewColoursKeepsEveryColourExactly) {
  QImage flat(64, 48, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(255, 255, 255), qRgb(74, 52, 44),    qRgb(126, 196, 104),
                          qRgb(112, 184, 214), qRgb(220, 72, 58),   qRgb(255, 214, 84),
                          qRgb(32, 30, 48),    qRgb(253, 228, 212), qRgb(0, 0, 0)};
  for (int y = 0; y < flat.height(); ++y) {
    for (int x = 0; x < flat.width(); ++x) flat.setPixel(x, y, colours[(x / 8 + y / 8) % 9]);
  }
  const QImage reduced = art::ReduceColours(flat);
  ASSERT_EQ(reduced.format(), QImage::Format_Indexed8);
  for (int y = 0; y < flat.height(); ++y) {
    for (int x = 0; x < flat.width(); ++x) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      ASSERT_EQ(reduced.pixel(x, y), flat.pixel(x, y));
    }
  }
}

// Saved, the sky reads back as its own reduction pixel for pixel; a folder that does not
// exist is reported as a failure.
TEST(ReduceColours, ASkyGradientWithThousandsOfColoursStaysWithinASmallStepAndIsSavedSo) {
  QImage sky(512, 256, QImage::Format_RGB32);
  for (int y = 0; y < sky.height(); ++y) {
    for (int x = 0; x < sky.width(); ++x) sky.setPixel(x, y, qRgb(x / 2, 40 + y / 2, 255 - x / 4));
  }
  const QImage reduced = art::ReduceColours(sky);
  ASSERT_EQ(reduced.format(), QImage::Format_Indexed8);
  EXPECT_LE(reduced.colorCount(), 256);
  QTemporaryDir dir;
  ASSERT_TRUE(art::SavePicture(sky, dir.filePath("sky.png")));
  EXPECT_FALSE(art::SavePicture(sky, dir.filePath("missing/sky.png")));
  const QImage back(dir.filePath("sky.png"));
  ASSERT_EQ(back.size(), sky.size());
  int worst = 0;
  for (int y = 0; y < sky.height(); ++y) {
    for (int x = 0; x < sky.width(); ++x) {
      worst = std::max(worst, MaxChannelError(reduced.pixel(x, y), sky.pixel(x, y)));
      ASSERT_EQ(back.pixel(x, y), reduced.pixel(x, y)) << "pixel " << x << "," << y;
    }
  }
  EXPECT_LE(worst, 24);
}

}  // namespace
