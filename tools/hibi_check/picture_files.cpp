#include "picture_files.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace hibi::check {

PictureLook PictureFiles::Look(const QString& relative) {
  const auto known = seen_.constFind(relative);
  if (known != seen_.constEnd()) return {*known, false};

  const QString path = gameFolder_ + relative;
  PictureState state = PictureState::Missing;
  if (QFileInfo(path).isFile()) {
    QImageReader reader(path);
    state = reader.read().isNull() ? PictureState::Broken : PictureState::Good;
  }
  seen_.insert(relative, state);
  return {state, true};
}

}  // namespace hibi::check
