// Placeholder so the tree links; replaced by the real implementation.
#include "audio/fluidsynth_device.h"

namespace hibi {
struct FluidSynthDevice::Impl {};
FluidSynthDevice::FluidSynthDevice() = default;
FluidSynthDevice::~FluidSynthDevice() = default;
void FluidSynthDevice::Close() {}
void FluidSynthDevice::Open(const QString&) {}
void FluidSynthDevice::Play() {}
bool FluidSynthDevice::Status(char*, int) { return false; }
void FluidSynthDevice::Rewind() {}
void FluidSynthDevice::PlayFromStart() {}
}  // namespace hibi
