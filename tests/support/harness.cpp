#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "storage/text_file.h"

namespace hibi::testing {

TempGame::TempGame() {
  QDir root(dir_.path());
  for (const char* sub : {"sys", "txt", "img", "face"}) root.mkpath(sub);
  WriteRaw("sys/sys.dat", ".txt\r\n.png\r\n\r\n\r\n");
}

QString TempGame::folder() const { return dir_.path() + "/"; }

void TempGame::WriteScript(const QString& scene, const QStringList& lines, const QString& suffix) {
  QByteArray bytes;
  for (const QString& line : lines) {
    const std::string encoded = EncodeCp932(line);
    bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
    bytes.append("\r\n");
  }
  WriteRaw("txt/" + scene + suffix, bytes);
}

void TempGame::WriteRaw(const QString& relative, const QByteArray& bytes) {
  const QString full = path(relative);
  QDir().mkpath(QFileInfo(full).absolutePath());
  QFile file(full);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write test file");
  file.write(bytes);
}

QByteArray TempGame::ReadRaw(const QString& relative) const {
  QFile file(path(relative));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempGame::Exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }

void TempGame::TouchPicture(const QString& relative) { WriteRaw(relative, "picture"); }

void Press(Fom& fom, std::int16_t button) { fom.Lbl_MouseDown(button); }
void PressWindow(Fom& fom, std::int16_t button) { fom.Form_MouseDown(button); }
void Key(Fom& fom, std::int16_t key) { fom.Form_KeyDown(key); }
void StageKey(Fom& fom, std::int16_t key) { fom.PicStt_KeyDown(key); }
void SetFatigue(Fom& fom, int fatigue) { fom.state.fatigue = fatigue; fom.ShowFatigueAndDays(); }
void SetDays(Fom& fom, int days) { fom.state.days = days; fom.ShowFatigueAndDays(); }

Harness::Harness() { shell.programFolder = game.folder(); }

void Harness::Start() { fom.Form_Load(); fom.Form_Activate(); }
void Harness::StartGame(const QString& dayLimit) {
  fom.controls.TxtDay.text = dayLimit;
  fom.PicStt_Click();
}

int Harness::ClickThroughScene(int maxClicks) {
  int clicks = 0;
  for (; !fom.controls.PicCom.visible && !fom.controls.PicStt.visible && clicks < maxClicks;
       ++clicks) {
    Press(fom, kLeftButton);
    fom.Lbl_Click();
  }
  return clicks;
}

}  // namespace hibi::testing
