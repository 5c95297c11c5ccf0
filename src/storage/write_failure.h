// What the player is told when a file of theirs could not be written for a reason
// that is no damage: the disk is full, or writing it is not allowed (a read-only file
// or folder, or a link that would lead the write out of the game folder).
#pragma once

#include <QString>

#include "storage/game_file.h"

namespace hibi {

// One line naming what happened to `what` (the game's word for the file, such as
// "セーブデーター"); empty for any other failure, which keeps the game's own text.
QString WriteFailureReason(FileProblem problem, const QString& what);

}  // namespace hibi
