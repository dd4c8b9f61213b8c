// Inline helpers of the laminate routines: ply positions through the thickness
// and the accumulation of the off-axis ply stiffness into A, B and D. Kept
// inline so that the stack routines of this component and the transverse shear
// routines run them without the exported wrappers.
#pragma once
#include <cmath>

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

// x^n for a small integer n by repeated squaring (n < 0 gives 1 / x^-n).
inline double ipow(double x, i4 n) {
  if (n < 0) return 1.0 / ipow(x, -n);
  double r = 1.0;
  for (;;) {
    if (n & 1) r *= x;
    n >>= 1;
    if (!n) return r;
    x *= x;
  }
}

}  // namespace vx::lam
