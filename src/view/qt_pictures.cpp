#include "view/qt_pictures.h"

#include <QImageReader>

#include "view/qt_picture_box.h"

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
  QImageReader reader(path);
  // A truncated file must not pass for a picture with a grey lower half.
  reader.setDecideFormatFromContent(true);
  QImage picture;
  if (!reader.read(&picture) || picture.isNull()) return false;
  buffers_[static_cast<std::size_t>(buffer)] = std::move(picture);
  return true;
}

void QtPictures::StretchDraw(PictureBuffer buffer, PictureTarget target) {
  const QImage& picture = buffers_[static_cast<std::size_t>(buffer)];
  if (picture.isNull()) return;
  Target(target).StretchDraw(picture);
}

}  // namespace hibi
