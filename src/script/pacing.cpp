// Placeholder so the tree links; replaced by the real implementation.
#include "game/fom.h"
namespace hibi {
void Fom::TimSay_Timer() {}
void Fom::Lbl_MouseDown(std::int16_t, std::int16_t, float, float) {}
void Fom::Lbl_Click() {}
void Fom::Form_MouseDown(std::int16_t, std::int16_t, float, float) {}
void Fom::Form_Click() {}
void Fom::Form_KeyDown(std::int16_t, std::int16_t) {}
void Fom::Pic_Click() {}
void Fom::PicStt_Click() {}
void Fom::PicStt_KeyDown(std::int16_t, std::int16_t) {}
}  // namespace hibi
