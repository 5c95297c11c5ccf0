// Picture and face files, each looked at once however often the scripts ask for it.
#pragma once

#include <QHash>
#include <QString>

#include "found_names.h"

namespace hibi::check {

enum class PictureState { Good, Missing, Broken };

struct PictureLook {
  PictureState state;
  bool firstLook;  // false when this file was asked for before (and reported then)
  QString why;     // when Broken: what is wrong, as "… is not a picture" goes on
};

class PictureFiles {
 public:
  explicit PictureFiles(const QString& gameFolder, FoundNames* names = nullptr)
      : gameFolder_(gameFolder), names_(names) {}

  // `relative` is the file's path inside the game folder. A file is good when the
  // game's own reader takes it (a regular file inside the folder, not too large,
  // not cut off) and the picture loader can decode all of it.
  PictureLook Look(const QString& relative);

  // How many different files were asked for.
  int count() const { return static_cast<int>(seen_.size()); }

 private:
  QString gameFolder_;
  FoundNames* names_;
  QHash<QString, PictureLook> seen_;
};

}  // namespace hibi::check
