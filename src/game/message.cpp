// The message label and the way back to command mode.
#include "game/fom.h"

namespace hibi {

void Fom::ShowMessage(const QString& text) {
  controls.Lbl.caption = text;
  history.Record(text, state.pageMarker);
}

// Does not close the script (the interpreter does that before calling) and leaves
// the page state alone: the next scene's opening resets what it needs.
void Fom::CloseScene() {
  controls.PicKao.visible = false;
  controls.PicCom.visible = true;
  ShowMessage(QString());
  controls.TimSay.enabled = false;
  autoAdvance_ = false;
  // A scene's lines are kept as soon as it ends, so a crash loses one scene at most.
  readLines.Save();
}

}  // namespace hibi
