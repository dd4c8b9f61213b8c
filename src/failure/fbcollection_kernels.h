// Inline forms of the closed-form fibre-breakage criteria, for native callers
// on the per-point path (the damage drivers): plain values in, effort out. The
// exported routines wrap these, so both give the same bits.
#pragma once
#include <cmath>

namespace vx::fbcollection {

// Hashin: longitudinal stress over the strength its sign selects, the shear
// terms weighted by alpha.
inline double hashin(double s11, double s12, double s13, double xt11, double xc11, double x12, double x13,
                     double alpha) {
  const double x = s11 >= 0.0 ? xt11 : xc11, a = s11 / x, b = s12 / x12, c = s13 / x13;
  return std::sqrt(a * a + alpha * (b * b + c * c));
}

inline double chang_chang(double s11, double s12, double xt11, double xc11, double x12) {
  const double x = s11 >= 0.0 ? xt11 : xc11, a = s11 / x, b = s12 / x12;
  return std::sqrt(a * a + b * b);
}

}  // namespace vx::fbcollection
