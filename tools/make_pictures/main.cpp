// make_pictures: draws every picture of the sample game and the window icon.
//   make_pictures <sample folder> <icon file> [name filter]
//   make_pictures --icons <hicolor folder>   the desktop's icons, as the build installs them
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#ifdef HIBI_SCALABLE_ICON
#include <QSvgGenerator>
#endif

#include "catalogue.h"
#include "palette.h"
#include "scenes.h"

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256, 512};

// Each size painted from the strokes themselves, not shrunk from a large picture, and
// the scalable icon (when Qt's SVG module is there) from the very same strokes.
int WriteIcons(const QString& hicolor) {
  int failures = 0;
  for (const int size : kIconSizes) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(hicolor).arg(size);
    if (!QDir().mkpath(folder) || !art::WindowIcon(size).save(folder + "/hibi.png", "PNG", 0))
      ++failures;
  }
#ifdef HIBI_SCALABLE_ICON
  const QString scalable = hicolor + "/scalable/apps";
  QDir().mkpath(scalable);
  QSvgGenerator svg;
  svg.setFileName(scalable + "/hibi.svg");
  svg.setSize(QSize(256, 256));
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle("hibi");
  QPainter painter;
  if (!painter.begin(&svg)) ++failures;
  art::PaintWindowIcon(painter);
  painter.end();
#endif
  if (failures > 0) std::fprintf(stderr, "could not write the icons in %s\n", qPrintable(hicolor));
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == "--icons") return WriteIcons(args[2]);
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: make_pictures <sample folder> <icon file> [name filter]\n");
    return 2;
  }
  const QDir sample(args[1]);
  const QString filter = args.size() > 3 ? args[3] : QString();
  int failures = 0;
  for (const art::Picture& picture : art::SamplePictures()) {
    if (!filter.isEmpty() && !picture.file.contains(filter)) continue;
    const QString path = sample.filePath(picture.file);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!art::SavePicture(picture.draw(), path)) {
      std::fprintf(stderr, "could not write %s\n", qPrintable(path));
      ++failures;
    }
  }
  if (filter.isEmpty() || QString("icon").contains(filter)) {
    if (!art::WindowIcon().save(args[2], "PNG", 0)) {
      std::fprintf(stderr, "could not write %s\n", qPrintable(args[2]));
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
