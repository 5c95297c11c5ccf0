// Placeholder so the tree links; replaced by the real implementation.
#include "game/fom.h"
namespace hibi {
void Fom::Form_Load() {}
void Fom::Form_Activate() {}
void Fom::Form_Unload() {}
}  // namespace hibi
