// hibi-check --simulate: plays seeded games of a folder through the game's own
// handlers with no window, with a few simple players, and tells which endings each
// player reached and which message boxes came up on the way.
#pragma once

#include <QString>
#include <cstdio>

namespace hibi::check {

// Plays `games` games for every player, seeds 1 to `games`, and prints the report.
// `folder` ends in "/". Returns false when the game could not start or any game
// raised a message box (the player never saves or loads, so every box is a scene
// the game could not read).
bool Simulate(const QString& folder, int games, std::FILE* out);

}  // namespace hibi::check
