#include "qt/qt_pictures.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <optional>

#include "qt/qt_picture_box.h"
#include "support/harness.h"

namespace hibi {
namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 200, 0);

// Red on the left and blue on the right, or all green.
QByteArray Png(bool redBlue, int size = 2, const char* format = "PNG") {
  QImage image(size, redBlue ? 1 : size, QImage::Format_RGB32);
  image.fill(kGreen);
  if (redBlue) image.setPixelColor(0, 0, kRed);
  if (redBlue) image.setPixelColor(1, 0, kBlue);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  image.save(&buffer, format);  // opens the buffer itself
  return bytes;
}

// A 1 x 1 GIF of our own making, as a GIF encoder writes one.
const QByteArray kGif =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");

class PictureBoxes : public ::testing::Test {
 protected:
  PictureBoxes()
      : stage(&window), pic(&window), face(&window), pictures(game.folder(), stage, pic, face) {
    stage.setGeometry(0, 0, 400, 300);
    pic.setGeometry(0, 0, 120, 60);
    face.setGeometry(0, 200, 40, 40);
    window.resize(400, 300);
    window.show();
  }
  QColor Shown(int x, int y) { return pic.grab().toImage().pixelColor(x, y); }
  bool ShowsOnly(PictureBox& box, QColor colour) {
    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage plain(shot.size(), QImage::Format_RGB32);
    plain.fill(colour);
    return !shot.isNull() && shot == plain;
  }
  bool Load(const QString& file) { return pictures.Load(PictureBuffer::E, game.path(file)); }

  testing::TempGame game;
  QWidget window;
  PictureBox stage, pic, face;
  QtPictures pictures;
};

// A drawing fills the whole target whatever the proportions, stays on repaints until
// it is cleared to white, and leaves the other targets alone; a buffer that never loaded
// draws nothing. Loading the same name again (every resize at the title does) shows the
// file as it is now; a broken file fails, leaves the target blank and the buffer as it was.
TEST_F(PictureBoxes, AStretchDrawFillsTheTargetAndALoadShowsTheFileAsItIsNow) {
  pictures.StretchDraw(PictureBuffer::EKao, PictureTarget::PicKao);
  EXPECT_TRUE(ShowsOnly(face, Qt::white));
  game.WriteRaw("img/p.png", Png(true));
  ASSERT_TRUE(Load("img/p.png"));
  pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
  EXPECT_EQ(Shown(2, 57), kRed);
  EXPECT_TRUE(ShowsOnly(stage, Qt::white));
  pic.hide();
  pic.show();
  EXPECT_EQ(Shown(117, 2), kBlue) << "repainted from the retained drawing";
  game.WriteRaw("img/p.png", Png(false, 5));
  ASSERT_TRUE(Load("img/p.png"));
  QByteArray huge = Png(false, 4);  // a valid PNG whose header claims 100000 x 100000
  for (int at : {16, 20}) qToBigEndian<quint32>(100000, huge.data() + at);
  pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
  EXPECT_TRUE(ShowsOnly(pic, kGreen)) << "the file as it is now";
  const std::pair<const char*, std::optional<QByteArray>> rows[] = {
      {"a text file", "not a picture at all\r\n"},
      {"a PNG claiming 100000 x 100000 pixels", huge},
      {"a JPEG cut off", Png(false, 64, "JPG").chopped(40)},
      {"a BMP cut off", Png(false, 64, "BMP").chopped(40)},
      {"a GIF cut off", kGif.chopped(4)},
      {"a link to a picture outside the game folder", "->"},
      {"the file removed", std::nullopt}};
  QTemporaryDir outside;
  QFile picture(outside.filePath("p.png"));
  ASSERT_TRUE(picture.open(QIODevice::WriteOnly) && picture.write(Png(true)) > 0);
  picture.close();
  for (const auto& [name, bytes] : rows) {
    SCOPED_TRACE(name);
    QFile::remove(game.path("img/p.png"));
    if (bytes == "->")
      QFile::link(picture.fileName(), game.path("img/p.png"));
    else if (bytes)
      game.WriteRaw("img/p.png", *bytes);
    pictures.Clear(PictureTarget::Pic);
    EXPECT_FALSE(Load("img/p.png"));
    EXPECT_TRUE(ShowsOnly(pic, Qt::white));
    pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
    EXPECT_TRUE(ShowsOnly(pic, kGreen));
  }
}

// The largest difference of any channel between two pictures of the same size.
int Farthest(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  return worst;
}

// The title stage stretches its picture at each paint, a part at a time when only a
// part is exposed: every part, at the edges too, must match the whole picture drawn at
// once, and the whole the picture as Qt stretches it (to the rounding of one step),
// or a seam shows where a box or a window was. Taking the focus repaints nothing.
TEST_F(PictureBoxes, TheStageRepaintsAnyPartAsTheWholeAndNothingOnAFocusChange) {
  PictureBox title(&window, PictureBox::Keep::kPicture);
  title.setGeometry(0, 0, 397, 251);
  QImage picture(160, 120, QImage::Format_RGB32);  // detail in every pixel
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x)
      picture.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x ^ y) * 7 % 256));
  for (const auto format : {QImage::Format_Indexed8, QImage::Format_RGB32}) {
    const QImage source = picture.convertToFormat(format);
    title.StretchDraw(source);
    const QImage whole = title.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage plain(title.size(), QImage::Format_RGB32);  // Qt's own stretch, straight
    QPainter painter(&plain);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), title.size()), source);
    painter.end();
    EXPECT_LE(Farthest(whole, plain), 1) << format;
    for (const QRect part : {QRect(0, 0, 40, 30), QRect(100, 60, 57, 41), QRect(350, 200, 47, 51),
                             QRect(396, 0, 1, 251), QRect(0, 250, 397, 1)}) {
      SCOPED_TRACE(::testing::Message() << format << " at " << part.x() << "," << part.y());
      QImage drawn(title.size(), QImage::Format_RGB32);
      drawn.fill(Qt::black);
      title.render(&drawn, part.topLeft(), QRegion(part), QWidget::DrawChildren);
      EXPECT_LE(Farthest(drawn.copy(part), whole.copy(part)), 1);
    }
  }
  struct Paints : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      count += event->type() == QEvent::Paint;
      return false;
    }
  } paints;
  title.setFocusPolicy(Qt::StrongFocus);
  pic.setFocusPolicy(Qt::StrongFocus);
  title.show();
  window.activateWindow();
  QCoreApplication::processEvents();
  title.installEventFilter(&paints);
  title.setFocus();
  QCoreApplication::processEvents();
  pic.setFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(pic.hasFocus());
  EXPECT_EQ(paints.count, 0);
}

// Pictures as games made on Windows ship them, written by ImageMagick from a picture
// red on the left and blue on the right (with a few greys in the bottom rows, so the
// tool must keep 16 or 256 colours), under the upper-case names such games use.
TEST_F(PictureBoxes, WindowsPictureFormatsLoadWhateverTheirSuffix) {
  const auto make = [&](const QString& command) {
    return QProcess::execute("sh", {"-c", "cd '" + game.path("img") + "' && " + command});
  };
  ASSERT_EQ(make("convert -size 16x8 xc:red -size 16x8 xc:blue +append two.png && convert two.png "
                 "-fill gray20 -draw 'point 0,7' -fill gray50 -draw 'point 1,7' -fill gray80 "
                 "-draw 'point 2,7' few.png && convert few.png -size 32x1 "
                 "gradient:black-white -append many.png"),
            0);
  const struct {
    const char* file;
    const char* made;
    int bits, compression;
  } rows[] = {
      {"B1.BMP", "convert two.png -colors 2 -type palette -compress None bmp3:", 1, 0},
      {"B4.BMP", "convert few.png -type palette -compress None bmp3:", 4, 0},
      {"B8.BMP", "convert many.png -type palette -compress None bmp3:", 8, 0},
      {"R8.BMP", "convert many.png -type palette -compress RLE bmp3:", 8, 1},
      // 128 x 16 in runs of red and blue, far shorter than its rows: no tool here writes one.
      {"R4.BMP",
       "{ printf 'BM\\240\\0\\0\\0\\0\\0\\0\\0\\76\\0\\0\\0\\50\\0\\0\\0\\200\\0\\0\\0\\20\\0\\0\\0"
       "\\1\\0\\4\\0\\2\\0\\0\\0b\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\2\\0\\0\\0\\0\\0\\0\\0"
       "\\0\\0\\377\\0\\377\\0\\0\\0'; for r in $(seq 16); do printf '@\\0@\\21\\0\\0'; done; "
       "printf '\\0\\1'; } >",
       4, 2},
      {"B24.bmp", "convert two.png -type truecolor -compress None bmp3:", 24, 0},
      {"P.JPG", "convert two.png -quality 95 jpeg:", 0, 0},
      {"P.GIF", "convert many.png gif:", 0, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    ASSERT_EQ(make(QString(row.made) + row.file), 0);
    const QByteArray bytes = game.ReadRaw(QString("img/") + row.file);
    if (row.bits) {  // as the BMP header must say, to be sure of what was tested
      ASSERT_EQ(std::pair(int(qFromLittleEndian<quint16>(bytes.constData() + 28)),
                          int(qFromLittleEndian<quint32>(bytes.constData() + 30))),
                std::pair(row.bits, row.compression));
    }
    pictures.Clear(PictureTarget::Pic);
    ASSERT_TRUE(Load(QString("img/") + row.file));
    pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
    for (const auto& [x, colour] : {std::pair{20, kRed}, {100, kBlue}}) {
      const QColor shown = Shown(x, 10);
      EXPECT_LE(std::abs(shown.red() - colour.red()) + std::abs(shown.blue() - colour.blue()) +
                    std::abs(shown.green()),
                24)
          << x << ": " << shown.name().toStdString();
    }
  }
}

}  // namespace
}  // namespace hibi
