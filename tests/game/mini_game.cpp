#include "mini_game.h"

#include <QRegularExpression>

namespace hibi::testing {

void WriteMiniGame(TempGame& game) {
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

QString SceneOnScreen(const Harness& h) {
  static const QRegularExpression tag(QStringLiteral("scene:([0-9a-z]+)"));
  const QRegularExpressionMatch match = tag.match(h.fom.controls.Lbl.caption);
  return match.hasMatch() ? match.captured(1) : QString();
}

void StartInCommandMode(Harness& h, const QString& dayLimit) {
  WriteMiniGame(h.game);
  h.Start();
  h.StartGame(dayLimit);
  h.ClickThroughScene();
}

}  // namespace hibi::testing
