// A small generated game for driving the day life: every scene the program opens by
// itself exists and opens with a text line "scene:<name>", so a test sees which scene
// opened by reading the message label, as a player would.
#pragma once

#include <QString>

#include "support/harness.h"
#include "support/qstring_print.h"

namespace hibi::testing {

// Writes "opn", the place scenes "00".."26", the visit scenes "001".."025" (a few
// lines each, some raising affection), "end" (with the ending choice and the return
// to the title) and the character endings "end0".."end2".
void WriteMiniGame(TempGame& game);

// The name after "scene:" in the message label, or empty when the label names none.
QString SceneOnScreen(const Harness& h);

// Starts the program, starts a game with the day limit and clicks through "opn",
// leaving the game in command mode at slot 1 ("早朝"), day 0.
void StartInCommandMode(Harness& h, const QString& dayLimit = "10");

}  // namespace hibi::testing
