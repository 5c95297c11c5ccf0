// Looking back: the affection readout of "LOVE?" and the replay of a remembered
// event picture from the memory list.
#include "game/draw.h"
#include "game/fom.h"

namespace hibi {
namespace {

constexpr int kReadoutFatigueDraw = 50;

}  // namespace

void Fom::menu_love_Click() {
  if (InModal()) return;
  // Name, four ASCII spaces, the points; CR LF before each row and none after the last.
  QString text;
  for (const Character who : {Character::Yowa, Character::Toomiya, Character::Kouki}) {
    text += QStringLiteral("\r\n") + kCharacterNames[static_cast<std::size_t>(who)] +
            QStringLiteral("    ") + QString::number(AffectionOf(state, who));
  }
  ShowMessage(text);
  AddFatigue(static_cast<std::int16_t>(WholePart(ports_.random.Next(), kReadoutFatigueDraw)));
}

void Fom::LstIvent_Click() {
  if (InModal()) return;
  ListControl& list = controls.LstIvent;
  // The heading (item 0), an empty item and "no selection" show nothing.
  if (list.listIndex > 0 && list.listIndex < list.items.size()) {
    const QString name = list.items.at(list.listIndex);
    if (!name.isEmpty()) ShowEventPicture(name);
  }
  list.visible = false;
}

}  // namespace hibi
