// A whole game folder, checked the way the game will use it.
#pragma once

#include <QString>

#include "report.h"

namespace hibi::check {

// Checks in this order: sys/sys.dat, the title picture, every scene script (with
// its own picture, the ">img" pictures and the faces it uses), the scenes the game
// opens by itself, circles of jumps, endings that do not return to the title, scenes
// that nothing opens, and bgm.mid; then prints the summary.
// `folder` ends in "/".
void CheckGame(const QString& folder, Report& report);

}  // namespace hibi::check
