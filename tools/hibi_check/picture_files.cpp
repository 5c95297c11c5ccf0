#include "picture_files.h"

#include <sys/stat.h>

#include <QBuffer>
#include <fstream>
#include <iterator>

#include <QImage>
#include <QImageReader>
#include "storage/text_file.h"

namespace hibi::check {

PictureLook PictureFiles::Look(const QString& relative) {
  const auto known = seen_.constFind(relative);
  if (known != seen_.constEnd()) return {*known, false};

  const QString path = gameFolder_ + (names_ ? names_->Find(relative) : relative);
  PictureState state = PictureState::Missing;
  // Read by its bytes: a name in code page 932 bytes is no UTF-8 text for Qt.
  std::ifstream file(NativePath(path), std::ios::binary);
  struct stat info {};
  if (::stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) && file) {
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    QBuffer buffer;
    buffer.setData(bytes.data(), qsizetype(bytes.size()));
    QImageReader reader(&buffer);
    state = reader.read().isNull() ? PictureState::Broken : PictureState::Good;
  }
  seen_.insert(relative, state);
  return {state, true};
}

}  // namespace hibi::check
