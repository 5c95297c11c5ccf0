#include "qt/qt_pictures.h"

#include <QFileInfo>
#include <QImageReader>

#include "qt/qt_picture_box.h"

namespace hibi {

QtPictures::QtPictures(PictureBox& picStt, PictureBox& pic, PictureBox& picKao)
    : targets_{&picStt, &pic, &picKao} {
  QImageReader::setAllocationLimit(kAllocationLimitMb);
}

PictureBox& QtPictures::Target(PictureTarget target) const {
  return *targets_[static_cast<std::size_t>(target)];
}

void QtPictures::Clear(PictureTarget target) {
  Target(target).Clear();
}

bool QtPictures::Load(PictureBuffer buffer, const QString& path) {
  Buffer& held = buffers_[static_cast<std::size_t>(buffer)];
  const QFileInfo file(path);
  const QDateTime modified = file.lastModified();
  const qint64 size = file.size();
  if (!held.picture.isNull() && file.isFile() && held.path == path && held.modified == modified &&
      held.size == size) {
    return true;
  }
  QImageReader reader(path);
  // A truncated file must not pass for a picture with a grey lower half.
  reader.setDecideFormatFromContent(true);
  QImage picture;
  if (!reader.read(&picture) || picture.isNull()) return false;
  held = Buffer{std::move(picture), path, modified, size};
  return true;
}

void QtPictures::StretchDraw(PictureBuffer buffer, PictureTarget target) {
  const QImage& picture = buffers_[static_cast<std::size_t>(buffer)].picture;
  if (picture.isNull()) return;
  Target(target).StretchDraw(picture);
}

}  // namespace hibi
