// Placeholder so the tree links; replaced by the real implementation.
#include "game/fom.h"
namespace hibi {
void Fom::Com_Click(std::int16_t) {}
}  // namespace hibi
