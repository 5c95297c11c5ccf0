// What the checker says about a file the game refuses to read, in the words of its
// reports ("the title picture … <text>").
#pragma once

#include <QString>

#include "storage/game_file.h"

namespace hibi::check {

// "is missing", "leads outside the game folder", … (never for None).
QString FileProblemText(FileProblem problem);

// "is an absolute name", "leaves the game folder through \"..\"", …
QString NameFaultText(NameFault fault);

// Every link under the game folder that leads outside it, and every FIFO, device or
// socket there, as errors: the game refuses them wherever it meets them.
class Report;
void CheckFolderEntries(const QString& gameFolder, Report& report);

}  // namespace hibi::check
