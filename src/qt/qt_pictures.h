// The picture port on real widgets: files are decoded into two hidden buffers and
// stretched over the three picture boxes of the window. A file is read as a game file
// (storage/game_file.h: beneath the game folder, a regular file, at most
// kMaxPictureBytes) and decoded from memory; a picture that is cut off is refused.
#pragma once

#include <QImage>
#include <QString>
#include <array>

#include "game/ports.h"

namespace hibi {

class PictureBox;

class QtPictures : public Pictures {
 public:
  // Decoding stops with a failure above this many megabytes of pixels, so a
  // hostile header cannot make us allocate without bound.
  static constexpr int kAllocationLimitMb = 256;

  // `gameFolder`: the folder every picture's path lies below.
  QtPictures(const QString& gameFolder, PictureBox& picStt, PictureBox& pic, PictureBox& picKao);

  void Clear(PictureTarget target) override;
  bool Load(PictureBuffer buffer, const QString& path) override;
  void StretchDraw(PictureBuffer buffer, PictureTarget target) override;
  // The file of the picture the target shows; empty while it is cleared.
  const QString& DrawnFile(PictureTarget target) const {
    return drawn_[static_cast<std::size_t>(target)];
  }

 private:
  PictureBox& Target(PictureTarget target) const;

  // What a buffer holds and the file it came from, as it was when decoded. Every
  // resize at the title loads "ttl" again; the same unchanged file is not decoded
  // twice (that decode was nearly all of a resize's cost).
  struct Buffer {
    QImage picture;
    QString path;
    qint64 modifiedNs = -1;
    qint64 size = -1;
  };

  QString gameFolder_;
  std::array<PictureBox*, 3> targets_;
  std::array<Buffer, 2> buffers_;  // E, EKao
  std::array<QString, 3> drawn_;
};

}  // namespace hibi
