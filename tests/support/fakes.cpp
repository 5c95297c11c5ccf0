#include "support/fakes.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <array>

#include "storage/text_file.h"

namespace hibi::testing {
namespace {

const char* const kTargetNames[] = {"PicStt", "Pic", "PicKao"};  // in PictureTarget's order
QString BufferName(PictureBuffer b) {
  return b == PictureBuffer::E ? "E" : "EKao";
}

template <class T>
T Take(std::deque<T>& queue, T otherwise) {
  if (queue.empty()) return otherwise;
  const T next = queue.front();
  queue.pop_front();
  return next;
}

}  // namespace

QString& FakePictures::shown(PictureTarget target) {
  return *std::array{&shownPicStt, &shownPic, &shownPicKao}[int(target)];
}

void FakePictures::Clear(PictureTarget target) {
  log << QString("clear ") + kTargetNames[int(target)];
  shown(target).clear();
}

bool FakePictures::Load(PictureBuffer buffer, const QString& path) {
  struct stat info {};
  const bool ok = !::stat(NativePath(path).c_str(), &info) && S_ISREG(info.st_mode);
  log << QString("load %1 %2%3").arg(BufferName(buffer), path, ok ? "" : " (failed)");
  if (ok) (buffer == PictureBuffer::E ? loadedE : loadedEKao) = path;
  return ok;
}

void FakePictures::StretchDraw(PictureBuffer buffer, PictureTarget target) {
  log << "draw " + BufferName(buffer) + " " + kTargetNames[int(target)];
  shown(target) = buffer == PictureBuffer::E ? loadedE : loadedEKao;
}

MenuChoice FakeDialogs::PopupMenu() {
  ++menusShown;
  if (whileOpen) whileOpen();
  return Take(menuAnswers, MenuChoice::None);
}

float ScriptedRandom::Next() {
  ++draws;
  return Take(script, 0.5f);
}

// Both tell the watchdog, as the real device does.
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

bool FakeMidi::Status(char* reply, int capacity) {
  return open && qstrncpy(reply, mode.constData(), capacity);  // cut to fit, ended by a NUL
}

}  // namespace hibi::testing
