// Inline forms of the closed-form matrix-cracking criteria without a plane
// search, for native callers on the per-point path (the damage drivers). The
// exported routines wrap these, so both give the same bits.
#pragma once
#include <cmath>

namespace vx::mccollection {

// Chai: transverse stress over the strength its sign selects, in-plane and
// transverse shear, in one root.
inline double chai(double s22, double s12, double s23, double xt22, double xc22, double x12, double x23) {
  const double y = s22 >= 0.0 ? xt22 : xc22, a = s22 / y, b = s12 / x12, c = s23 / x23;
  return std::sqrt(a * a + b * b + c * c);
}

// Chang-Chang: the root covers both terms, as published (tensile strength for
// a strictly positive s22 only).
inline double chang_chang(double s22, double s12, double xt22, double xc22, double x12) {
  const double y = s22 > 0.0 ? xt22 : xc22, a = s22 / y, b = s12 / x12;
  return std::sqrt(a * a + b * b);
}

}  // namespace vx::mccollection
