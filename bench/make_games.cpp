// Makes the game folders the benchmark plays, each a copy of the built game
// folder (the executable included, since a game is the folder beside it):
//   <out>/ff   its opening scene "opn" is 5,000 lines of text, each one shown line
//              (fast-forward and clicks)
//   <out>/big  its title "ttl" and the opening's picture "opn" are 1920 x 1080
//
// usage: hibi_bench_games <built game folder> <out folder>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

#include "bench_script.h"
#include "storage/text_file.h"

namespace {

bool CopyFolder(const QString& from, const QString& to) {
  QDir(to).removeRecursively();
  QDir().mkpath(to);
  QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = to + "/" + QDir(from).relativeFilePath(path);
    if (it.fileInfo().isDir()) {
      if (!QDir().mkpath(target)) return false;
    } else if (!QFile::copy(path, target)) {
      return false;
    }
  }
  return true;
}

// A detailed picture, so scaling it costs what a real illustration costs.
bool WriteBigPicture(const QString& path, QColor top, QColor bottom) {
  QImage image(1920, 1080, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 1080);
  sky.setColorAt(0, top);
  sky.setColorAt(1, bottom);
  p.fillRect(image.rect(), sky);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 400; ++i) {
    p.setBrush(QColor::fromHsv((i * 37) % 360, 90, 230, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF((i * 211) % 1920, (i * 97) % 1080), 10 + i % 60, 8 + i % 40);
  }
  p.end();
  return image.save(path);
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn in memory; no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: hibi_bench_games <built game folder> <out folder>\n");
    return 2;
  }
  const QString from = QString::fromLocal8Bit(argv[1]);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const bool ok =
      CopyFolder(from, out + "/ff") && CopyFolder(from, out + "/big") &&
      hibi::WriteLinesAtomically(out + "/ff/txt/opn.txt", hibi::bench::TextScene(5000)) &&
      WriteBigPicture(out + "/big/img/ttl.png", QColor(90, 170, 240), QColor(250, 220, 160)) &&
      WriteBigPicture(out + "/big/img/opn.png", QColor(250, 180, 120), QColor(60, 80, 160));
  if (!ok) std::fprintf(stderr, "hibi_bench_games: cannot write %s\n", argv[2]);
  return ok ? 0 : 1;
}
