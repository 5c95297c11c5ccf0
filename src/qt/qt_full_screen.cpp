#include "qt/qt_full_screen.h"

#include <QWidget>

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

QRect GameArea(const QWidget& window) {
  return window.isFullScreen() ? FitEightBySix(window.rect()) : window.rect();
}

}  // namespace hibi
