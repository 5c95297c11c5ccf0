// Checks the pictures committed under sample/: every picture the game asks for is there, at
// the size its screen area expects, small enough to ship, and the day visibly passes.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <set>

#include "catalogue.h"
#include "palette.h"
#include "scenes.h"

namespace {

const QString kSample = QStringLiteral(HIBI_SAMPLE_DIR);

struct Expected {
  QString name;  // file under sample/
  QSize size;
};

// The scenes the game opens by itself, named as the rules of the game name them.
std::vector<Expected> EventPictures() {
  std::vector<Expected> all{{"img/ttl.png", {1344, 1008}}};
  for (int place = 0; place < 3; ++place) {
    for (int slot = 0; slot < 7; ++slot) {
      all.push_back({QString("img/%1%2.png").arg(place).arg(slot), {960, 640}});
    }
    for (int level = 1; level <= 5; ++level) {
      all.push_back({QString("img/0%1%2.png").arg(place).arg(level), {960, 640}});
    }
    all.push_back({QString("img/end%1.png").arg(place), {960, 640}});
  }
  for (const char* extra : {"hanabi", "hoshizora", "yuudachi", "hotaru", "kakigoori", "taiju"}) {
    all.push_back({QString("img/%1.png").arg(extra), {960, 640}});
  }
  for (const QString& girl : {u"よわ"_qs, u"とおみや"_qs, u"こうき"_qs}) {
    for (int n = 1; n <= 4; ++n) {
      all.push_back({"face/" + girl + u"\uFF3F"_qs + QString::number(n) + ".png", {320, 320}});
    }
  }
  return all;
}

double MeanLuminance(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  double total = 0;
  for (int y = 0; y < rgb.height(); y += 4) {
    for (int x = 0; x < rgb.width(); x += 4) total += qGray(rgb.pixel(x, y));
  }
  return total / ((rgb.height() / 4) * (rgb.width() / 4));
}

// Each is there at its size, small enough to ship, and no two are the same.
TEST(SamplePictures, EveryPictureIsThereAtItsSizeSmallEnoughToShipAndUnlikeEveryOther) {
  std::set<QByteArray> seen;
  for (const Expected& expected : EventPictures()) {
    SCOPED_TRACE(qPrintable(expected.name));
    const QFileInfo file(kSample + "/" + expected.name);
    const QImage picture = QImage(file.filePath()).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(picture.isNull()) << "missing or does not decode";
    EXPECT_EQ(picture.size(), expected.size);
    EXPECT_LT(file.size(), 150 * 1024);
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(picture.constBits(), picture.sizeInBytes()), QCryptographicHash::Sha1);
    EXPECT_TRUE(seen.insert(digest).second) << "repeats a picture";
  }
}

TEST(SamplePictures, EachPlaceGrowsDarkerFromLateMorningToNightToLateNight) {
  for (int place = 0; place < 3; ++place) {
    SCOPED_TRACE(testing::Message() << "place " << place);
    const auto at = [place](int slot) {
      const QImage picture(kSample + QString("/img/%1%2.png").arg(place).arg(slot));
      EXPECT_FALSE(picture.isNull());
      return picture.isNull() ? 0.0 : MeanLuminance(picture);
    };
    const double day = at(2), night = at(5), late = at(6);
    EXPECT_LT(night, day * 0.7);
    EXPECT_LT(late, night);
  }
}

TEST(SamplePictures, TheWholeSampleGameStaysUnderTenMegabytes) {
  qint64 total = 0;
  QDirIterator it(kSample, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) total += QFileInfo(it.next()).size();
  EXPECT_LT(total, 10 * 1024 * 1024);
}

// The committed pictures and the icon can only be trusted if drawing them again gives
// them back, pixel for pixel: so every change to the drawing, the lighting or the
// palette shows here until the pictures are drawn anew and committed.
TEST(SamplePictures, EveryPictureTheGeneratorDrawsIsTheCommittedOnePixelForPixel) {
  // The title's lettering needs the fonts, which only an application has.
  int argc = 1;
  char name[] = "test_make_pictures";
  char* argv[] = {name, nullptr};
  const QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  const QString drawn = dir.filePath("drawn.png");
  for (const art::Picture& picture : art::SamplePictures()) {
    SCOPED_TRACE(qPrintable(picture.file));
    ASSERT_TRUE(art::SavePicture(picture.draw(), drawn));
    const QImage committed(kSample + "/" + picture.file);
    ASSERT_FALSE(committed.isNull());
    EXPECT_EQ(QImage(drawn).convertToFormat(QImage::Format_RGB32),
              committed.convertToFormat(QImage::Format_RGB32));
  }
  EXPECT_FALSE(art::SavePicture(QImage(8, 8, QImage::Format_RGB32), dir.filePath("none/x.png")));
  const QImage icon(QStringLiteral(HIBI_ICON_FILE));
  EXPECT_EQ(icon.size(), QSize(256, 256));
  EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32),
            art::WindowIcon().convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
