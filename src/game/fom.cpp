#include "game/fom.h"

namespace hibi {

Fom::Fom(Ports ports) : ports_(ports) {}

void Fom::ShowBox(const QString& text) {
  ++modalDepth_;
  autoAdvance_ = false;
  ports_.dialogs.MessageBox(text);
  --modalDepth_;
}

MenuChoice Fom::ShowMenu() {
  ++modalDepth_;
  const MenuChoice choice = ports_.dialogs.PopupMenu();
  --modalDepth_;
  return choice;
}

}  // namespace hibi
