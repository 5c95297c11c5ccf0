#include "qt/qt_pictures.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtEndian>
#include <optional>
#include <utility>

#include "support/harness.h"
#include "qt/qt_picture_box.h"

namespace hibi {
namespace {

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QImage RedBlue() {
  QImage image(2, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(1, 0, qRgb(0, 0, 255));
  return image;
}

QImage Green(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(qRgb(0, 200, 0));
  return image;
}

// A valid PNG whose header claims 100000 x 100000 pixels.
QByteArray HugePng() {
  QByteArray bytes = Png(Green(4, 4));
  const int ihdrData = 16;  // signature, chunk length, "IHDR"
  qToBigEndian<quint32>(100000, bytes.data() + ihdrData);
  qToBigEndian<quint32>(100000, bytes.data() + ihdrData + 4);
  return bytes;
}

class PictureBoxes : public ::testing::Test {
 protected:
  PictureBoxes() : stage(&window), pic(&window), face(&window), pictures(stage, pic, face) {
    window.resize(400, 300);
    stage.setGeometry(0, 0, 400, 300);
    pic.setGeometry(0, 0, 120, 60);
    face.setGeometry(0, 200, 40, 40);
    window.show();
  }

  QColor Shown(PictureBox& box, int x, int y) { return box.grab().toImage().pixelColor(x, y); }
  bool ShowsOnly(PictureBox& box, QColor colour) {
    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage plain(shot.size(), QImage::Format_RGB32);
    plain.fill(colour);
    return !shot.isNull() && shot == plain;
  }

  testing::TempGame game;
  QWidget window;
  PictureBox stage, pic, face;
  QtPictures pictures;
};

// A drawing fills the whole target whatever the proportions, stays on repaints until
// it is cleared to white, and leaves the other targets alone; a buffer that never
// loaded draws nothing.
TEST_F(PictureBoxes, AStretchDrawFillsTheTargetAndStaysUntilItIsCleared) {
  pictures.StretchDraw(PictureBuffer::EKao, PictureTarget::PicKao);
  EXPECT_TRUE(ShowsOnly(face, Qt::white));
  game.WriteRaw("img/rb.png", Png(RedBlue()));
  ASSERT_TRUE(pictures.Load(PictureBuffer::E, game.path("img/rb.png")));
  pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
  EXPECT_EQ(Shown(pic, 2, 2), QColor(255, 0, 0));
  EXPECT_EQ(Shown(pic, 25, 57), QColor(255, 0, 0));
  EXPECT_EQ(Shown(pic, 95, 2), QColor(0, 0, 255));
  EXPECT_EQ(Shown(pic, 117, 57), QColor(0, 0, 255));
  EXPECT_TRUE(ShowsOnly(stage, Qt::white));
  pic.hide();
  pic.show();
  EXPECT_EQ(Shown(pic, 117, 57), QColor(0, 0, 255)) << "repainted from the retained drawing";
  pictures.Clear(PictureTarget::Pic);
  EXPECT_TRUE(ShowsOnly(pic, Qt::white));
}

// Loading the same name again (every resize at the title does) must show the file as
// it is now: a picture replaced or removed between two loads is not served from memory.
TEST_F(PictureBoxes, LoadingTheSameNameAgainShowsTheFileAsItIsNow) {
  const QString path = game.path("img/ttl.png");
  game.WriteRaw("img/ttl.png", Png(RedBlue()));
  ASSERT_TRUE(pictures.Load(PictureBuffer::E, path));
  ASSERT_TRUE(pictures.Load(PictureBuffer::E, path));

  game.WriteRaw("img/ttl.png", Png(Green(5, 5)));
  ASSERT_TRUE(pictures.Load(PictureBuffer::E, path));
  pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
  EXPECT_TRUE(ShowsOnly(pic, QColor(0, 200, 0)));

  ASSERT_TRUE(QFile::remove(path));
  EXPECT_FALSE(pictures.Load(PictureBuffer::E, path));
}

TEST_F(PictureBoxes, BrokenPictureFilesFailAndLeaveTheTargetBlankAndTheBufferAsItWas) {
  const QByteArray good = Png(Green(8, 8));
  const std::pair<const char*, std::optional<QByteArray>> rows[] = {
      {"a missing file", std::nullopt},
      {"a text file", "not a picture at all\r\n"},
      {"a PNG cut in half", good.left(good.size() / 2)},
      {"a PNG claiming 100000 x 100000 pixels", HugePng()},
  };
  game.WriteRaw("img/rb.png", Png(RedBlue()));
  ASSERT_TRUE(pictures.Load(PictureBuffer::E, game.path("img/rb.png")));
  for (const auto& [name, bytes] : rows) {
    SCOPED_TRACE(name);
    if (bytes) game.WriteRaw("img/broken.png", *bytes);
    pictures.Clear(PictureTarget::Pic);
    EXPECT_FALSE(
        pictures.Load(PictureBuffer::E, game.path(bytes ? "img/broken.png" : "img/none.png")));
    EXPECT_TRUE(ShowsOnly(pic, Qt::white));
    // The previous picture is still in the buffer.
    pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
    EXPECT_EQ(Shown(pic, 2, 2), QColor(255, 0, 0));
  }
}

}  // namespace
}  // namespace hibi

namespace hibi {
namespace {

// Pictures as games made on Windows ship them, written by ImageMagick from a picture
// red on the left and blue on the right (with a few greys in the bottom rows, so the
// tool must keep 16 or 256 colours), under the upper-case names such games use.
TEST_F(PictureBoxes, WindowsPictureFormatsLoadWhateverTheirSuffix) {
  const QString work = game.path("img/");
  const auto convert = [&](const QString& arguments) {
    return QProcess::execute("sh", {"-c", "cd '" + work + "' && convert " + arguments});
  };
  ASSERT_EQ(convert("-size 16x8 xc:red -size 16x8 xc:blue +append two.png"), 0);
  ASSERT_EQ(convert("two.png -fill gray20 -draw 'point 0,7' -fill gray50 -draw 'point 1,7' "
                    "-fill gray80 -draw 'point 2,7' few.png"),
            0);
  ASSERT_EQ(convert("few.png -size 32x1 gradient:black-white -append many.png"), 0);
  struct Row {
    const char* file;
    const char* made;
    int bits, compression;  // as the BMP header must say, to be sure of what was tested
  };
  for (const Row& row : {Row{"B1.BMP", "two.png -colors 2 -type palette -compress None bmp3:", 1, 0},
                         Row{"B4.BMP", "few.png -type palette -compress None bmp3:", 4, 0},
                         Row{"B8.BMP", "many.png -type palette -compress None bmp3:", 8, 0},
                         Row{"R8.BMP", "many.png -type palette -compress RLE bmp3:", 8, 1},
                         Row{"B24.bmp", "two.png -type truecolor -compress None bmp3:", 24, 0},
                         Row{"P.JPG", "two.png -quality 95 jpeg:", 0, 0},
                         Row{"P.GIF", "many.png gif:", 0, 0}}) {
    SCOPED_TRACE(row.file);
    ASSERT_EQ(convert(QString(row.made) + row.file), 0);
    const QByteArray bytes = game.ReadRaw(QString("img/") + row.file);
    if (row.bits) {
      ASSERT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), row.bits);
      ASSERT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 30), quint32(row.compression));
    }
    pictures.Clear(PictureTarget::Pic);
    ASSERT_TRUE(pictures.Load(PictureBuffer::E, work + row.file));
    pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
    for (const auto& [x, colour] : {std::pair{20, QColor(255, 0, 0)}, {100, QColor(0, 0, 255)}}) {
      const QColor shown = Shown(pic, x, 10);
      EXPECT_LE(std::abs(shown.red() - colour.red()) + std::abs(shown.blue() - colour.blue()) +
                    std::abs(shown.green()),
                24)
          << x << ": " << shown.name().toStdString();
    }
  }
}

}  // namespace
}  // namespace hibi
