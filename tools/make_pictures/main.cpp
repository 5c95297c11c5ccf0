// make_pictures: draws every picture of the sample game and the window icon.
//   make_pictures <sample folder> <icon file> [name filter]
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "catalogue.h"
#include "palette.h"
#include "scenes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
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
