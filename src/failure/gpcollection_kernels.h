// Inline forms of the closed-form general potentials for native callers on
// the per-point path (the damage drivers): plain values in, effort out, the
// same arithmetic as the exported routines, which wrap them.
#pragma once
#include <cmath>

namespace vx::gpcollection {

// Stress over the strength its sign selects (tensile for s >= 0).
inline double ratio(double s, double xt, double xc) { return s / (s >= 0.0 ? xt : xc); }

inline double max_nominal(double s11, double xt11, double xc11) {
  return std::fabs(s11 / (s11 > 0.0 ? xt11 : xc11));
}

inline double quad_nominal(double s11, double s12, double s13, double xt11, double x12, double x13) {
  const double a = s11 / xt11, b = s12 / x12, c = s13 / x13;
  return std::sqrt(a * a + b * b + c * c);
}

inline double lin_interaction(double s11, double s22, double s12, double xt11, double xc11, double xt22, double xc22,
                              double x12) {
  return std::fabs(ratio(s11, xt11, xc11) + ratio(s22, xt22, xc22) + s12 / x12);
}

inline double quad_interaction(double s11, double s22, double s12, double xt11, double xc11, double xt22, double xc22,
                               double x12) {
  const double a = ratio(s11, xt11, xc11), b = ratio(s22, xt22, xc22), c = s12 / x12;
  return std::sqrt(a * a + b * b + c * c);
}

inline double norris_interaction(double s11, double s22, double s12, double xt11, double xc11, double xt22,
                                 double xc22, double x12) {
  const double a = ratio(s11, xt11, xc11), b = ratio(s22, xt22, xc22), c = s12 / x12;
  return std::sqrt(a * a - a * b + b * b + c * c);
}

inline double yamada_sun(double s11, double s12, double s13, double xt11, double xc11, double x12, double x13) {
  const double a = ratio(s11, xt11, xc11), b = s12 / x12, c = s13 / x13;
  return std::sqrt(a * a + b * b + c * c);
}

}  // namespace vx::gpcollection
