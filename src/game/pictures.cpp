// Putting pictures on screen. A picture file is loaded into a hidden buffer and the
// buffer is stretched over the target box. An empty name loads nothing and only
// redraws the buffer at the target's present size, which is how a resize refreshes.
// Failures are silent: the target stays cleared, the game goes on.
#include "game/fom.h"
#include "storage/game_file.h"
#include "storage/game_names.h"

namespace hibi {
namespace {

using FileName = QString (*)(const QString& name, const Settings& settings);

QString PictureFile(const GameState& state, FileName fileName, const QString& name) {
  // A suffix holding a separator is refused like any name leaving its folder.
  if (SuffixHoldsSeparator(state.settings.pictureSuffix)) return QString();
  return GameFile(state.folders.programFolder,
                  state.folders.programFolder + fileName(name, state.settings));
}

void Compose(Pictures& pictures, PictureTarget target, PictureBuffer buffer, const GameState& state,
             FileName fileName, const QString& name) {
  pictures.Clear(target);
  if (!name.isEmpty() && !pictures.Load(buffer, PictureFile(state, fileName, name))) {
    return;
  }
  pictures.StretchDraw(buffer, target);
}

}  // namespace

void Fom::ShowBackground(const QString& name) {
  Compose(ports_.pictures, PictureTarget::PicStt, PictureBuffer::E, state, PictureFileName, name);
}

void Fom::ShowEventPicture(const QString& name) {
  RememberPicture(name);
  DrawEventPictures({name});
}

// Remembered before the file is looked at, so a missing picture still enters the
// list. The comparison is exact and includes the heading; a set answers it, as
// searching the list froze the window once it held many thousands of names.
void Fom::RememberPicture(const QString& name) {
  if (name.isEmpty()) return;
  QStringList& items = controls.LstIvent.items;
  // The set follows the list as it grows; a list that shrank was replaced (start-up).
  if (indexedMemories_ > items.size()) {
    memoryIndex_.clear();
    indexedMemories_ = 0;
  }
  for (; indexedMemories_ < items.size(); ++indexedMemories_)
    memoryIndex_.insert(items[indexedMemories_]);
  if (memoryIndex_.contains(name)) return;
  items.append(name);
  memoryIndex_.insert(name);
  ++indexedMemories_;
}

void Fom::DrawEventPictures(const QStringList& names) {
  if (names.isEmpty()) return;
  // The buffer ends up holding the latest picture that loads, as if each had been
  // loaded in turn, so only the names from the end back to that one are read. The
  // layer shows the buffer when the last name loaded or was empty (a redraw).
  Pictures& pictures = ports_.pictures;
  pictures.Clear(PictureTarget::Pic);
  const qsizetype last = names.size() - 1;
  bool lastLoaded = false;
  for (qsizetype i = last; i >= 0; --i) {
    if (names[i].isEmpty()) continue;
    const bool loaded =
        pictures.Load(PictureBuffer::E, PictureFile(state, PictureFileName, names[i]));
    if (i == last) lastLoaded = loaded;
    if (loaded) break;
  }
  if (lastLoaded || names[last].isEmpty())
    pictures.StretchDraw(PictureBuffer::E, PictureTarget::Pic);
}

void Fom::ShowFace(const QString& name) {
  Compose(ports_.pictures, PictureTarget::PicKao, PictureBuffer::EKao, state, FaceFileName, name);
}

}  // namespace hibi
