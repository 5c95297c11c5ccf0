// Which game folder to play when the command line names none.
#pragma once

#include <QString>

namespace hibi {

// The game beside the program when there is one. Otherwise, for an installed program,
// the sample game it ships in `<prefix>/share/hibi/sample`, played from a copy made
// on first start in the user's data folder ($XDG_DATA_HOME/hibi/sample, by default
// ~/.local/share/hibi/sample) so that its saves and memories are the player's own.
// When the fingerprint the build writes beside the sample (`sample.version`) differs
// from the one kept beside the copy, the sample's files are copied over the copy
// again, all but the save (sys/all.dat) and the gallery (sys/lstphoto.dat).
// Falls back to the program's folder, whose missing settings file is then reported.
QString DefaultGameFolder(const QString& programFolder);

}  // namespace hibi
