// Placeholder so the tree links; replaced by the real implementation.
#include "game/fom.h"
namespace hibi {
void Fom::menu_save_Click(std::int16_t) {}
}  // namespace hibi
