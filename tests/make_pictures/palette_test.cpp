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

TEST(ReduceColours, ASkyGradientWithThousandsOfColoursStaysWithinASmallStep) {
  QImage sky(512, 256, QImage::Format_RGB32);
  for (int y = 0; y < sky.height(); ++y) {
    for (int x = 0; x < sky.width(); ++x) sky.setPixel(x, y, qRgb(x / 2, 40 + y / 2, 255 - x / 4));
  }
  const QImage reduced = art::ReduceColours(sky);
  ASSERT_EQ(reduced.format(), QImage::Format_Indexed8);
  EXPECT_LE(reduced.colorCount(), 256);
  int worst = 0;
  for (int y = 0; y < sky.height(); ++y) {
    for (int x = 0; x < sky.width(); ++x) {
      worst = std::max(worst, MaxChannelError(reduced.pixel(x, y), sky.pixel(x, y)));
    }
  }
  EXPECT_LE(worst, 24);
}

TEST(SavePicture, ASavedPictureReadsBackPixelForPixel) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage picture(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(x * 6, y * 8, 128));
  }
  const QString path = dir.filePath("picture.png");
  ASSERT_TRUE(art::SavePicture(picture, path));
  const QImage back(path);
  const QImage expected = art::ReduceColours(picture);
  ASSERT_EQ(back.size(), picture.size());
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(back.pixel(x, y), expected.pixel(x, y));
  }
}

TEST(SavePicture, AFolderThatDoesNotExistIsReportedAsAFailure) {
  QTemporaryDir dir;
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::white);
  EXPECT_FALSE(art::SavePicture(picture, dir.filePath("missing/picture.png")));
}

}  // namespace
