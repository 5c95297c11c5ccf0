// Placeholder so the tree links; replaced by the real implementation.
#include "game/fom.h"
namespace hibi {
bool Fom::AddFatigue(std::int16_t) { return false; }
bool Fom::AddDays(std::int16_t) { return false; }
void Fom::NextTimeSlot() {}
void Fom::TimHirou_Timer() {}
}  // namespace hibi
