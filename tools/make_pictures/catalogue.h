#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace art {

// One picture the sample game ships: where it goes under the sample folder, and how to draw it.
struct Picture {
  QString file;
  std::function<QImage()> draw;
};

std::vector<Picture> SamplePictures();

}  // namespace art
