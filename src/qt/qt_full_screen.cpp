#include "qt/qt_full_screen.h"

namespace hibi {

QRect FitEightBySix(const QRect& area) {
  int width = area.width();
  int height = width * 3 / 4;
  if (height > area.height()) {
    height = area.height();
    width = height * 4 / 3;
  }
  return {area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2,
          width, height};
}

}  // namespace hibi
