// Putting pictures on screen. A picture file is loaded into a hidden buffer and the
// buffer is stretched over the target box. An empty name loads nothing and only
// redraws the buffer at the target's present size, which is how a resize refreshes.
// Failures are silent: the target stays cleared, the game goes on.
#include "game/fom.h"
#include "storage/game_names.h"

namespace hibi {
namespace {

void Compose(Pictures& pictures, PictureTarget target, PictureBuffer buffer,
             const GameState& state, const QString& folder, const QString& name) {
  pictures.Clear(target);
  if (!name.isEmpty() &&
      !pictures.Load(buffer, GameFile(state.folders.programFolder, folder + name + state.settings.pictureSuffix))) {
    return;
  }
  pictures.StretchDraw(buffer, target);
}

}  // namespace

void Fom::ShowBackground(const QString& name) {
  Compose(ports_.pictures, PictureTarget::PicStt, PictureBuffer::E, state,
          state.folders.pictureFolder, name);
}

void Fom::ShowEventPicture(const QString& name) {
  // Remembered before the file is looked at, so a missing picture still enters the
  // list. The comparison is exact and includes the heading.
  if (!name.isEmpty() && !controls.LstIvent.items.contains(name)) {
    controls.LstIvent.items.append(name);
  }
  Compose(ports_.pictures, PictureTarget::Pic, PictureBuffer::E, state,
          state.folders.pictureFolder, name);
}

void Fom::ShowFace(const QString& name) {
  Compose(ports_.pictures, PictureTarget::PicKao, PictureBuffer::EKao, state,
          state.folders.faceFolder, name);
}

}  // namespace hibi
