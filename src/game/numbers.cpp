// Placeholder so the tree links; replaced by the real implementation.
#include "game/numbers.h"
namespace hibi {
std::optional<double> ParseNumber(const QString&) { return std::nullopt; }
QString NumberText(double) { return {}; }
std::optional<long> ParseRoundedInteger(const QString&, long, long) { return std::nullopt; }
std::int16_t SaturatingAdd(std::int16_t v, int) { return v; }
}  // namespace hibi
