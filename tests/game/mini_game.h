// A small generated game for driving the day life: every scene the program opens by
// itself exists and opens with a text line "scene:<name>", so a test sees which scene
// opened by reading the message label, as a player would.
#pragma once

#include <QRegularExpression>
#include <QString>

#include "support/harness.h"
#include "support/qstring_print.h"

namespace hibi::testing {

// Writes "opn", the place scenes "00".."26", the visit scenes "001".."025" (a few
// lines each, some raising affection), "end" (with the ending choice and the return
// to the title) and the character endings "end0".."end2".
inline void WriteMiniGame(TempGame& game) {
  game.WriteScript("opn", {"scene:opn", "はじまりの朝。", "tugi"});
  game.WriteScript("end", {"scene:end", ">endflag", "みんなのおわり。", ">ending"});
  for (int c = 0; c <= 2; ++c) {
    const QString n = QString::number(c);
    for (int slot = 0; slot <= 6; ++slot) {  // the places are numbered 0..2 like the characters
      const QString place = n + QString::number(slot);
      game.WriteScript(place, {"scene:" + place, "-よわ＿1", "いい天気だね。"});
    }
    for (int level = 1; level <= 5; ++level) {
      const QString name = "0" + n + QString::number(level);
      game.WriteScript(name, {"scene:" + name, ">love," + n, "", "またね。", "tugi"});
    }
    game.WriteScript("end" + n, {"scene:end" + n, "ふたりのおわり。", ">ending"});
  }
}

// The name after "scene:" in the message label, or empty when the label names none.
inline QString SceneOnScreen(const Harness& h) {
  static const QRegularExpression tag(QStringLiteral("scene:([0-9a-z]+)"));
  const QRegularExpressionMatch match = tag.match(h.fom.controls.Lbl.caption);
  return match.hasMatch() ? match.captured(1) : QString();
}

// Starts the program, starts a game with the day limit and clicks through "opn",
// leaving the game in command mode at slot 1 ("早朝"), day 0.
inline void StartInCommandMode(Harness& h, const QString& dayLimit = "10") {
  WriteMiniGame(h.game);
  h.Start();
  h.StartGame(dayLimit);
  h.ClickThroughScene();
}

}  // namespace hibi::testing
