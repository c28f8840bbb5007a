#pragma once

#include <cmath>
#include <limits>

namespace plakato {

// The whole number nearest to v, halves going to the even neighbour: the
// one rounding rule of the banner maker, wherever a fraction becomes a whole
// number. Exact for every finite double (it does not depend on the floating
// point rounding mode); infinities and NaN come back unchanged.
inline double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  double whole = std::floor(v);
  const double fraction = v - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return whole;
}

// RoundHalfEven as an int for pixel and twip arithmetic. Values beyond half
// the int range saturate and NaN gives 0, so bad input can never turn into
// undefined behaviour.
inline int Nearest(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLimit = std::numeric_limits<int>::max() / 2;
  if (v >= kLimit) return static_cast<int>(kLimit);
  if (v <= -kLimit) return -static_cast<int>(kLimit);
  return static_cast<int>(RoundHalfEven(v));
}

}  // namespace plakato
