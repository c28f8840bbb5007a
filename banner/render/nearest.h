#pragma once

#include <cmath>
#include <limits>

namespace plakato {

// Whole number nearest to v, halves going to the even neighbour; the one
// rounding rule the renderer uses wherever a fraction becomes a whole number.
// Values beyond the int range saturate and NaN gives 0, so bad input can
// never turn into undefined behaviour.
inline int Nearest(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLimit = std::numeric_limits<int>::max() / 2;
  if (v >= kLimit) return static_cast<int>(kLimit);
  if (v <= -kLimit) return -static_cast<int>(kLimit);
  double whole = std::floor(v);
  const double fraction = v - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int>(whole);
}

}  // namespace plakato
