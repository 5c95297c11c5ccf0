// Putting pictures on screen. A picture file is loaded into a hidden buffer and the
// buffer is stretched over the target box. An empty name loads nothing and only
// redraws the buffer at the target's present size, which is how a resize refreshes.
// Failures are silent: the target stays cleared, the game goes on.
#include "game/fom.h"

namespace hibi {
namespace {

void Compose(Pictures& pictures, PictureTarget target, PictureBuffer buffer,
             const QString& folder, const QString& name, const QString& suffix) {
  pictures.Clear(target);
  if (!name.isEmpty() && !pictures.Load(buffer, folder + name + suffix)) return;
  pictures.StretchDraw(buffer, target);
}

}  // namespace

void Fom::ShowBackground(const QString& name) {
  Compose(ports_.pictures, PictureTarget::PicStt, PictureBuffer::E, state.folders.pictureFolder,
          name, state.settings.pictureSuffix);
}

void Fom::ShowEventPicture(const QString& name) {
  // Remembered before the file is looked at, so a missing picture still enters the
  // list. The comparison is exact and includes the heading.
  if (!name.isEmpty() && !controls.LstIvent.items.contains(name)) {
    controls.LstIvent.items.append(name);
  }
  Compose(ports_.pictures, PictureTarget::Pic, PictureBuffer::E, state.folders.pictureFolder, name,
          state.settings.pictureSuffix);
}

void Fom::ShowFace(const QString& name) {
  Compose(ports_.pictures, PictureTarget::PicKao, PictureBuffer::EKao, state.folders.faceFolder,
          name, state.settings.pictureSuffix);
}

}  // namespace hibi
