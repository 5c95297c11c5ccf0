#include "picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "file_problems.h"
#include "storage/game_file.h"
#include "storage/picture_bytes.h"

namespace hibi::check {

PictureLook PictureFiles::Look(const QString& relative) {
  const auto known = seen_.constFind(relative);
  if (known != seen_.constEnd()) return {known->state, false, known->why};

  PictureLook look{PictureState::Broken, true, {}};
  const NameFault fault = CheckGameName(relative);
  const QString found = fault == NameFault::None && names_ ? names_->Find(relative) : relative;
  FileBytes file = ReadGameFile(gameFolder_, gameFolder_ + found, kMaxPictureBytes);
  if (fault != NameFault::None) {
    look.why = NameFaultText(fault);
  } else if (file.problem == FileProblem::Missing) {
    look.state = PictureState::Missing;
  } else if (file.problem != FileProblem::None) {
    look.why = FileProblemText(file.problem);
  } else if (!PictureBytesWhole(file.bytes)) {
    look.why = QStringLiteral("is cut off before the picture ends; the game refuses it");
  } else {
    QBuffer buffer(&file.bytes);
    QImageReader reader(&buffer);
    if (reader.read().isNull()) {
      look.why = QStringLiteral("is not a picture");
    } else {
      look.state = PictureState::Good;
    }
  }
  seen_.insert(relative, look);
  return look;
}

}  // namespace hibi::check
