#include "support/fakes.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <cstring>

#include "storage/text_file.h"

namespace hibi::testing {
namespace {

QString TargetName(PictureTarget t) {
  switch (t) {
    case PictureTarget::PicStt: return "PicStt";
    case PictureTarget::Pic: return "Pic";
    case PictureTarget::PicKao: return "PicKao";
  }
  return {};
}

QString BufferName(PictureBuffer b) { return b == PictureBuffer::E ? "E" : "EKao"; }

}  // namespace

void FakePictures::Clear(PictureTarget target) {
  log << "clear " + TargetName(target);
  QString& shown = target == PictureTarget::PicStt ? shownPicStt
                   : target == PictureTarget::Pic  ? shownPic
                                                   : shownPicKao;
  shown.clear();
}

bool FakePictures::Load(PictureBuffer buffer, const QString& path) {
  struct stat info {};
  const bool ok = ::stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
  log << QString("load %1 %2%3").arg(BufferName(buffer), path, ok ? "" : " (failed)");
  if (ok) (buffer == PictureBuffer::E ? loadedE : loadedEKao) = path;
  return ok;
}

void FakePictures::StretchDraw(PictureBuffer buffer, PictureTarget target) {
  log << "draw " + BufferName(buffer) + " " + TargetName(target);
  const QString& source = buffer == PictureBuffer::E ? loadedE : loadedEKao;
  QString& shown = target == PictureTarget::PicStt ? shownPicStt
                   : target == PictureTarget::Pic  ? shownPic
                                                   : shownPicKao;
  shown = source;
}

void FakeDialogs::MessageBox(const QString& text) {
  boxes << text;
  if (whileOpen) whileOpen();
}

MenuChoice FakeDialogs::PopupMenu() {
  ++menusShown;
  if (whileOpen) whileOpen();
  if (menuAnswers.empty()) return MenuChoice::None;
  const MenuChoice choice = menuAnswers.front();
  menuAnswers.pop_front();
  return choice;
}

float ScriptedRandom::Next() {
  ++draws;
  if (script.empty()) return fallback;
  const float r = script.front();
  script.pop_front();
  return r;
}

void FakeMidi::Close() {
  log << "close";
  open = false;
  if (notice) notice();
}

void FakeMidi::Open(const QString& path) {
  log << "open " + path;
  open = QFileInfo(path).isFile();
  mode = "stopped";
  if (notice) notice();
}

void FakeMidi::Play() { log << "play"; }

bool FakeMidi::Status(char* reply, int capacity) {
  if (!open) return false;
  const int n = std::min<int>(mode.size(), capacity - 1);
  std::memcpy(reply, mode.constData(), n);
  reply[n] = '\0';
  return true;
}

void FakeMidi::Rewind() { log << "rewind"; }
void FakeMidi::PlayFromStart() { log << "play from start"; }

}  // namespace hibi::testing
