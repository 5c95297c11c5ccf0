// Which game folder to play when the command line names none.
#pragma once

#include <QString>

namespace hibi {

// The game beside the program when there is one. Otherwise, for an installed program,
// the sample game it ships in `<prefix>/share/hibi/sample`, played from a copy made
// on first start in the user's data folder ($XDG_DATA_HOME/hibi/sample, by default
// ~/.local/share/hibi/sample) so that its saves and memories are the player's own.
// Falls back to the program's folder, whose missing settings file is then reported.
QString DefaultGameFolder(const QString& programFolder);

}  // namespace hibi
