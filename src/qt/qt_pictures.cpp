#include "qt/qt_pictures.h"

#include <sys/stat.h>

#include <QBuffer>
#include <QImageReader>

#include "qt/qt_picture_box.h"
#include "storage/game_file.h"
#include "storage/picture_bytes.h"
#include "storage/settings.h"

namespace hibi {

QtPictures::QtPictures(const QString& gameFolder, PictureBox& picStt, PictureBox& pic,
                       PictureBox& picKao)
    : gameFolder_(MakeFolders(gameFolder).programFolder), targets_{&picStt, &pic, &picKao} {
  QImageReader::setAllocationLimit(kAllocationLimitMb);
}

PictureBox& QtPictures::Target(PictureTarget target) const {
  return *targets_[static_cast<std::size_t>(target)];
}

void QtPictures::Clear(PictureTarget target) {
  Target(target).Clear();
  drawn_[static_cast<std::size_t>(target)].clear();
}

bool QtPictures::Load(PictureBuffer buffer, const QString& path) {
  Buffer& held = buffers_[static_cast<std::size_t>(buffer)];
  const OpenedFile opened = OpenGameFile(gameFolder_, path);
  struct stat info {};
  if (!opened.file || ::fstat(opened.file.get(), &info) != 0) return false;
  const qint64 modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  if (!held.picture.isNull() && held.path == path && held.modifiedNs == modifiedNs &&
      held.size == info.st_size) {
    return true;
  }
  FileBytes file = ReadAllBytes(opened.file, kMaxPictureBytes);
  // A truncated file must not pass for a picture with a grey lower half.
  if (file.problem != FileProblem::None || !PictureBytesWhole(file.bytes)) return false;
  QBuffer bytes(&file.bytes);
  bytes.open(QIODevice::ReadOnly);
  QImageReader reader(&bytes);
  reader.setDecideFormatFromContent(true);
  QImage picture;
  if (!reader.read(&picture) || picture.isNull()) return false;
  held = Buffer{std::move(picture), path, modifiedNs, qint64(info.st_size)};
  return true;
}

void QtPictures::StretchDraw(PictureBuffer buffer, PictureTarget target) {
  const Buffer& held = buffers_[static_cast<std::size_t>(buffer)];
  if (held.picture.isNull()) return;
  Target(target).StretchDraw(held.picture);
  drawn_[static_cast<std::size_t>(target)] = held.path;
}

}  // namespace hibi
