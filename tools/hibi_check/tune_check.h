// The background tune: the game loops bgm.mid from the game folder.
#pragma once

#include <QString>

#include "report.h"

namespace hibi::check {

// Reports a missing bgm.mid, and one that is not a standard MIDI file: an "MThd"
// header of six bytes with a known format, a track count and a time division, then
// chunks that each fit in the file, as many "MTrk" chunks as the header declares.
void CheckTune(const QString& gameFolder, Report& report);

}  // namespace hibi::check
