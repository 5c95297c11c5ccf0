// The tune itself: its sections, harmony and parts, rendered to SMF bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace make_tune {

std::vector<std::uint8_t> ComposeTune();

}  // namespace make_tune
