// The picture port on real widgets: files are decoded into two hidden buffers and
// stretched over the three picture boxes of the window.
#pragma once

#include <QImage>
#include <array>

#include "game/ports.h"

namespace hibi {

class PictureBox;

class QtPictures : public Pictures {
 public:
  // Decoding stops with a failure above this many megabytes of pixels, so a
  // hostile header cannot make us allocate without bound.
  static constexpr int kAllocationLimitMb = 256;

  QtPictures(PictureBox& picStt, PictureBox& pic, PictureBox& picKao);

  void Clear(PictureTarget target) override;
  bool Load(PictureBuffer buffer, const QString& path) override;
  void StretchDraw(PictureBuffer buffer, PictureTarget target) override;

 private:
  PictureBox& Target(PictureTarget target) const;

  std::array<PictureBox*, 3> targets_;
  std::array<QImage, 2> buffers_;  // E, EKao
};

}  // namespace hibi
