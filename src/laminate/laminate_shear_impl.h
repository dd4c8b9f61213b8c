// Internal interface of the transverse-shear routines, for native callers
// that hold a section's data already (job control, the stress recovery):
// a stack's per-ply data and the f(z) evaluator, without pointer arguments.
#pragma once
#include <cstdint>
#include "scratch.h"

#include <cmath>

#include "fixed.h"
#include "vx.h"

namespace vx::shear {

using Mat2 = vx::Mat<2, 2>;

Mat3 inverse(const Mat3& a);
Mat2 inverse(const Mat2& a);

// One stack of n plies: plyelastic(9, n), angles in degrees, thicknesses.
struct Stack {
  const double* elastic;
  const double* orientation;  // degrees
  const double* thickness;
  i4 n;
  vx::Vec<double> zbot, ztop;
  vx::Vec<Mat3> qbar;    // off-axis reduced stiffness (11, 22, 12)
  vx::Vec<Mat2> cshear;  // off-axis transverse shear stiffness

  Stack(const double* pe, const double* ori, const double* thk, i4 n);
  void abd(Mat3& a, Mat3& b, Mat3& d) const;
  Mat3 partial_a(double z, i4 iply) const;
  Mat3 partial_b(double z, i4 iply) const;
  void flexibility(Mat3& fa, Mat3& fb) const;
};

// f(z) of a stack for a given flexibility pair, with the decoupling-angle
// rotation computed once.
struct SmallF {
  const Stack& st;
  Mat3 fa, fb, tt, ttinv;
  Mat2 r2;
  SmallF(const Stack& st, const Mat3& fa, const Mat3& fb);
  Mat2 at(double z, i4 iply) const;
};

void correction_factors(double* sk, const Mat2& hlam, const Stack& st);
// H of one stack: method 0 shear correction, 2 quadrature, other improved shear.
Mat2 section_h(const Stack& st, i4 method);

// f at the 2n+1 points and H of every section; plyelastic(9, nplies, nsec).
void section_f(double* plysmallf, const i4* sectionlist, const double* ori, const double* thk, const double* zc,
               const double* pe, i4 nplies, i4 nsec, i4 defint);
void section_h_all(double* sehmatrix, const i4* sectionlist, const double* ori, const double* thk, const double* pe,
                   i4 nplies, i4 nsec, i4 method, i4 defint);

}  // namespace vx::shear

namespace vx::shear {

// Chai factors of the interface between a lower and an upper ply: on-axis
// reduced stiffness (11, 22, 12) of both, the angle between them in degrees,
// their thicknesses and transverse shear moduli.
inline void chai_factors(double* out, const double* qonl, const double* qonu, double dangl_d, double tl, double tu,
                         double g23l, double g23u, double g13l, double g13u) {
  const double ang = dangl_d * vx::deg2rad;
  const double c = std::cos(ang), s = std::sin(ang);
  const double c2 = c * c, s2 = s * s;
  const double ql11 = qonl[0], qu11 = qonu[0], qu12 = qonu[3], qu22 = qonu[4], qu66 = qonu[8];
  const double q = qu11 * c2 * c2 + (4.0 * qu66 + 2.0 * qu12) * c2 * s2 + qu22 * s2 * s2;
  out[0] = qu22 == ql11 ? 0.0 : (ql11 - q) * (tl / tu) / (ql11 - qu22);
  out[1] = (1.0 + (g23u / g23l) * c2 + (g23u / g13l) * s2) / 2.0;
  out[2] = (1.0 + (g13l / g13u) * c2 + (g13l / g23u) * s2) / 2.0;
}

}  // namespace vx::shear
