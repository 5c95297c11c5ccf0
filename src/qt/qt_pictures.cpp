#include "qt/qt_pictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>

#include "qt/qt_picture_box.h"
#include "storage/text_file.h"

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
  drawn_[static_cast<std::size_t>(target)].clear();
}

bool QtPictures::Load(PictureBuffer buffer, const QString& path) {
  Buffer& held = buffers_[static_cast<std::size_t>(buffer)];
  // Opened by its bytes: a name left in code page 932 is no UTF-8 text for Qt.
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
  const qint64 size = file.size();
  if (!held.picture.isNull() && held.path == path && held.modified == modified &&
      held.size == size) {
    return true;
  }
  QImageReader reader(&file);
  // A truncated file must not pass for a picture with a grey lower half.
  reader.setDecideFormatFromContent(true);
  QImage picture;
  if (!reader.read(&picture) || picture.isNull()) return false;
  held = Buffer{std::move(picture), path, modified, size};
  return true;
}

void QtPictures::StretchDraw(PictureBuffer buffer, PictureTarget target) {
  const Buffer& held = buffers_[static_cast<std::size_t>(buffer)];
  if (held.picture.isNull()) return;
  Target(target).StretchDraw(held.picture);
  drawn_[static_cast<std::size_t>(target)] = held.path;
}

}  // namespace hibi
