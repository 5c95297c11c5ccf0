// A small game that hibi-check passes without a word, for the tests to break one
// piece at a time, and a way to run the real checker on a folder.
#pragma once

#include <QString>
#include <QStringList>

#include "support/harness.h"

namespace hibi::testing {

// Every scene the game opens by itself as a one-page script, a real picture for the
// title and for every scene, one face, the picture "hana" and a real MIDI tune.
// "opn" reads: "-よわ＿1", "おはよう", ">img hana", ">love,0,2", "tugi".
// "end" reads: "おしまい", ">ending".
class SmallGame : public TempGame {
 public:
  SmallGame();
  void WritePicture(const QString& relative);
  void Remove(const QString& relative);
};

QByteArray TinyPng();
QByteArray TinyMidi();

struct CheckRun {
  int exitCode = -1;
  QStringList lines;  // stdout, one entry per line
  QString errors;     // stderr
};

CheckRun RunCheck(const QStringList& arguments);

}  // namespace hibi::testing
