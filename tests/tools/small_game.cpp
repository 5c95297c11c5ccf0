#include "small_game.h"

#include <QFile>
#include <QProcess>

namespace hibi::testing {

QByteArray TinyPng() {
  static const char kBytes[] =
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00"
      "\x00\x01\x08\x02\x00\x00\x00\x90\x77\x53\xde\x00\x00\x00\x0c\x49\x44\x41\x54\x78\x9c\x63"
      "\xf8\xdf\xc0\x00\x00\x04\x01\x01\x80\xc5\x2a\x18\x5d\x00\x00\x00\x00\x49\x45\x4e\x44\xae"
      "\x42\x60\x82";
  return QByteArray(kBytes, sizeof kBytes - 1);
}

QByteArray TinyMidi() {
  // One track holding only its end: the smallest tune a MIDI player accepts.
  static const char kBytes[] =
      "MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60"
      "MTrk\x00\x00\x00\x04\x00\xff\x2f\x00";
  return QByteArray(kBytes, sizeof kBytes - 1);
}

SmallGame::SmallGame() {
  QStringList scenes = {"opn", "end"};
  for (int place = 0; place < 3; ++place) {
    for (int slot = 0; slot < 7; ++slot) scenes << QStringLiteral("%1%2").arg(place).arg(slot);
  }
  for (int character = 0; character < 3; ++character) {
    for (int level = 1; level <= 5; ++level)
      scenes << QStringLiteral("0%1%2").arg(character).arg(level);
  }
  for (const QString& scene : scenes) {
    WriteScript(scene, {QStringLiteral("いい天気だね")});
    if (scene != u"opn" && scene != u"end") WritePicture("img/" + scene + ".png");
  }
  WriteScript("opn",
              {QStringLiteral("-よわ＿1"), QStringLiteral("おはよう"), QStringLiteral(">img hana"),
               QStringLiteral(">love,0,2"), QStringLiteral("tugi")});
  WriteScript("end", {QStringLiteral("おしまい"), QStringLiteral(">ending")});
  WritePicture("img/ttl.png");
  WritePicture("img/hana.png");
  WritePicture("face/よわ＿1.png");
  WriteRaw("bgm.mid", TinyMidi());
}

void SmallGame::WritePicture(const QString& relative) {
  WriteRaw(relative, TinyPng());
}

void SmallGame::Remove(const QString& relative) {
  QFile::remove(path(relative));
}

CheckRun RunCheck(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(HIBI_CHECK_EXE), arguments);
  CheckRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.exitCode = process.exitCode();
  run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  run.errors = QString::fromUtf8(process.readAllStandardError());
  return run;
}

}  // namespace hibi::testing
