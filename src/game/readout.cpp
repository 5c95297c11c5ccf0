// Placeholder so the tree links; replaced by the real implementation.
#include "game/fom.h"
namespace hibi {
void Fom::menu_love_Click() {}
void Fom::LstIvent_Click() {}
}  // namespace hibi
