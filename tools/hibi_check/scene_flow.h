// How scenes lead into one another through ">ive": circles the game cannot get out
// of, and endings that never return to the title.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "report.h"
#include "script_check.h"

namespace hibi::check {

// Errors for every circle of scenes that jump on before showing a line, each circle
// once, at the jump that closes it. `scenes` is sorted.
void CheckJumpCircles(const GameFolder& game, const QStringList& scenes,
                      const QHash<QString, ScriptFacts>& facts, Report& report);

// Warnings for "end", "end0", "end1" and "end2" (those that exist) when neither they
// nor the scenes they jump to run a ">ending" line.
void CheckEndingsReturn(const GameFolder& game, const QHash<QString, ScriptFacts>& facts,
                        Report& report);

}  // namespace hibi::check
