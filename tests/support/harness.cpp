#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "storage/text_file.h"

namespace hibi::testing {

TempGame::TempGame() {
  for (const char* sub : {"sys", "txt", "img", "face"}) QDir(dir_.path()).mkpath(sub);
  WriteRaw("sys/sys.dat", ".txt\r\n.png\r\n\r\n\r\n");
}

QString TempGame::folder() const {
  return dir_.path() + "/";
}

void TempGame::WriteScript(const QString& scene, const QStringList& lines, const QString& suffix) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += QByteArray::fromStdString(EncodeCp932(line) + "\r\n");
  WriteRaw("txt/" + scene + suffix, bytes);
}

void TempGame::WriteRaw(const QString& relative, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path(relative)).absolutePath());
  QFile file(path(relative));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write test file");
  file.write(bytes);
}

QByteArray TempGame::ReadRaw(const QString& relative) const {
  QFile file(path(relative));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempGame::Exists(const QString& relative) const {
  return QFileInfo::exists(path(relative));
}

void TempGame::TouchPicture(const QString& relative) {
  WriteRaw(relative, "picture");
}

void Press(Fom& fom, std::int16_t button) {
  fom.Lbl_MouseDown(button);
}
void PressWindow(Fom& fom, std::int16_t button) {
  fom.Form_MouseDown(button);
}
void Key(Fom& fom, std::int16_t key) {
  fom.Form_KeyDown(key);
}
void SetFatigue(Fom& fom, int fatigue) {
  fom.state.fatigue = fatigue;
  fom.ShowFatigueAndDays();
}
void SetDays(Fom& fom, int days) {
  fom.state.days = days;
  fom.ShowFatigueAndDays();
}

void Harness::Start() {
  fom.Form_Load();
  fom.Form_Activate();
}
void Harness::StartGame(const QString& dayLimit) {
  fom.controls.TxtDay.text = dayLimit;
  fom.PicStt_Click();
}

int Harness::ClickThroughScene(int maxClicks) {
  int clicks = 0;
  for (; !InCommandMode() && !fom.controls.PicStt.visible && clicks < maxClicks; ++clicks) {
    Press(fom, kLeftButton);
    fom.Lbl_Click();
  }
  return clicks;
}

}  // namespace hibi::testing
