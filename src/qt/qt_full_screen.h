// Full screen keeps the game's 8:6 shape: the game is drawn at the largest 8:6 size
// that fits the screen, centred, with black bars beside or above it.
#pragma once

#include <QRect>

class QWidget;

namespace hibi {

// The largest 8:6 rectangle inside `area`, centred in it.
QRect FitEightBySix(const QRect& area);

// Where the game is drawn in the window: all of it, or in full screen the 8:6 part.
QRect GameArea(const QWidget& window);

}  // namespace hibi
