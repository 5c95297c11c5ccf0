// Full screen and maximised keep the game's 8:6 shape: the game is drawn at the
// largest 8:6 size that fits the window, centred, with black bars beside or above it.
#pragma once

#include <QRect>

namespace hibi {

// The largest 8:6 rectangle inside `area`, centred in it.
QRect FitEightBySix(const QRect& area);

}  // namespace hibi
