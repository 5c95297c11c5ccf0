// The game's one way of turning a random fraction into an amount: the whole part of
// r × n. Worked in double precision, so a fraction below 1 always gives at most
// n - 1 (single precision can round r × n up to n itself).
#pragma once

#include <cmath>

namespace hibi {

inline int WholePart(float r, int n) {
  return static_cast<int>(std::floor(static_cast<double>(r) * n));
}

}  // namespace hibi
