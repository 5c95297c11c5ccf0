// The sample game's tune as the audio tests read it: its bytes and its timing,
// so a test can turn ticks into the seconds a player hears.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace hibi::testing {

struct SampleTune {
  QString path = HIBI_SAMPLE_DIR "/bgm.mid";
  QByteArray bytes;
  int division = 0;             // ticks per quarter note
  double microsPerQuarter = 0;  // the tune's one tempo

  SampleTune() {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || (bytes = file.readAll()).size() < 14) return;
    division = (Byte(12) << 8) | Byte(13);
    const qsizetype tempo = bytes.indexOf(QByteArray("\xFF\x51\x03", 3));
    if (tempo > 0)
      microsPerQuarter = (Byte(tempo + 3) << 16) | (Byte(tempo + 4) << 8) | Byte(tempo + 5);
  }
  double Seconds(double ticks) const { return ticks / division * microsPerQuarter / 1e6; }

 private:
  int Byte(qsizetype i) const { return static_cast<unsigned char>(bytes[i]); }
};

}  // namespace hibi::testing
