// Placeholder so the tree links; replaced by the real implementation.
#include "audio/music.h"
#include "game/fom.h"
namespace hibi {
void Music::OpenMusic(const QString&) {}
void Music::PlayMusic() {}
void Music::CloseMusic() {}
void Music::BgmTim_Timer() {}
void Fom::BgmTim_Timer() { ports_.music.BgmTim_Timer(); }
}  // namespace hibi
