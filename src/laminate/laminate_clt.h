// Inline helpers of the laminate routines: ply positions through the thickness
// and the accumulation of the off-axis ply stiffness into A, B and D. Kept
// inline so that the stack routines of this component and the transverse shear
// routines run them without the exported wrappers.
#pragma once
#include <cmath>

#include "../material/lamina_kernels.h"
#include "fixed.h"
#include "vx.h"

namespace vx::lam {

// z of the bottom of ply 1: -h/2 - offset, h the sum of the n thicknesses.
inline double stack_bottom(const double* t, i4 n, double offset = 0.0) {
  double h = 0.0;
  for (i4 i = 0; i < n; ++i) h += t[i];
  return -h / 2.0 - offset;
}

// Walks the plies from the bottom: bot() and top() of the current ply, the
// thickness sum kept the way a loop from ply 1 adds it.
struct PlyWalk {
  const double* t;
  double base;
  double s = 0.0;  // thickness of the plies below the current one
  PlyWalk(const double* thickness, i4 n, double offset = 0.0)
      : t(thickness), base(stack_bottom(thickness, n, offset)) {}
  double bot() const { return base + s; }
  double mid(i4 k) const { return bot() + t[k] / 2.0; }
  double top(i4 k) const { return base + (s + t[k]); }
  void next(i4 k) { s += t[k]; }
};

// Strains (11, 22, 12) of the section at height z from the section strains
// se (membrane strains, then curvatures).
inline void strain_at(double* e, const double* se, double z) {
  e[0] = se[0] + z * se[3];
  e[1] = se[1] + z * se[4];
  e[2] = se[2] + z * se[5];
}

// x^n for a small integer n by repeated squaring (n < 0 gives 1 / x^-n).
inline double ipow(double x, i4 n) {
  uint32_t m = n < 0 ? 0u - uint32_t(n) : uint32_t(n);
  double r = 1.0;
  while (m) {
    if (m & 1u) r *= x;
    m >>= 1;
    if (m) x *= x;
  }
  return n < 0 ? 1.0 / r : r;
}

// Off-axis reduced stiffness Qbar (11, 22, 12) of a ply from its nine
// constants and its angle in degrees.
inline Mat3 qbar(const double* props, double dangle) {
  return vx::lamina::off_axis<3>(props, dangle, true);
}

// Ply-to-laminate strain transformation of a ply at dangle degrees applied to
// its thermal expansion (alpha1, alpha2, 0), then Qbar: the thermal force
// integrand of the ply.
inline void thermal_integrand(double* x, const double* props, double dangle) {
  const double r = dangle * vx::lamina::ply_deg2rad;
  const Mat3 t = vx::lamina::transformation<3>(std::cos(r), std::sin(r), -1.0, true);
  const double alpha[3] = {props[9], props[10], 0.0};
  double a[3];
  matvec<3, 3>(a, t, alpha);
  matvec<3, 3>(x, qbar(props, dangle), a);
}

// A, B and D of n plies taken as a stack of their own; any of a, b, d may be
// null when not wanted. One pass: the ply stiffness is formed once per ply.
inline void stack_abd(double* a, double* b, double* d, const double* plyelastic,
                      const double* plyorientation, const double* plythickness, i4 n) {
  Mat3 am = Mat3::zero(), bm = Mat3::zero(), dm = Mat3::zero();
  PlyWalk w(plythickness, n);
  for (i4 k = 0; k < n; ++k) {
    const Mat3 q = qbar(plyelastic + 9 * int64_t(k), plyorientation[k]);
    const double zb = w.bot(), zt = w.top(k);
    const double d1 = zt - zb, d2 = zt * zt - zb * zb, d3 = zt * zt * zt - zb * zb * zb;
    for (int e = 0; e < 9; ++e) {
      am.a[e] += d1 * q.a[e];
      bm.a[e] += d2 * q.a[e];
      dm.a[e] += d3 * q.a[e];
    }
    w.next(k);
  }
  for (int e = 0; e < 9; ++e) {
    if (a) a[e] = am.a[e];
    if (b) b[e] = bm.a[e] * 0.5;
    if (d) d[e] = dm.a[e] * 0.3333333333333333;
  }
}

}  // namespace vx::lam
