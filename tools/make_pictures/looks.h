#pragma once

#include <QColor>

#include "figures.h"

namespace art {

// Each girl's colours: what makes her recognisable at thumbnail size.
struct Look {
  QColor skin, hair, eye, top, topDark, bottom, accent;
};

inline Look LookOf(Who who) {
  switch (who) {
    case Who::kYowa:  // green frog hoodie, short dark hair
      return {QColor(253, 228, 212), QColor(58, 48, 66),  QColor(92, 132, 84),
              QColor(124, 196, 106), QColor(78, 150, 84), QColor(236, 236, 240),
              QColor(250, 250, 244)};
    case Who::kToomiya:  // navy dress, long black hair, round glasses
      return {QColor(252, 232, 218), QColor(32, 30, 48),  QColor(64, 76, 140),  QColor(62, 78, 146),
              QColor(40, 50, 104),   QColor(62, 78, 146), QColor(250, 250, 255)};
    default:  // tanned, orange-brown hair, backwards red cap, yellow T-shirt
      return {QColor(226, 168, 118), QColor(198, 112, 50), QColor(150, 88, 40),
              QColor(255, 214, 84),  QColor(224, 168, 52), QColor(78, 112, 170),
              QColor(222, 72, 58)};
  }
}

}  // namespace art
