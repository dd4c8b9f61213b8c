// Internal interface of the transverse-shear routines, for native callers
// that hold a section's data already (job control, the stress recovery):
// a stack's per-ply data and the f(z) evaluator, without pointer arguments.
#pragma once
#include <cstdint>
#include <vector>

#include "fixed.h"
#include "vx.h"

namespace vx::shear {

using Mat2 = vx::Mat<2, 2>;

Mat3 inverse(const Mat3& a);
Mat2 inverse(const Mat2& a);

// One stack of n plies. plyelastic holds the nine ply constants in the first
// rows of columns ld apart (ld = 9 for a plain stack, more when the columns
// carry further temperature blocks: then the first block is used).
struct Stack {
  const double* elastic;
  const double* orientation;  // degrees
  const double* thickness;
  i4 n, ld;
  std::vector<double> zbot, ztop;
  std::vector<Mat3> qbar;    // off-axis reduced stiffness (11, 22, 12)
  std::vector<Mat2> cshear;  // off-axis transverse shear stiffness

  Stack(const double* pe, const double* ori, const double* thk, i4 n, i4 ld = 9);
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

// f at the 2n+1 points and H of every section; plyelastic columns ld apart.
void section_f(double* plysmallf, const i4* sectionlist, const double* ori, const double* thk, const double* zc,
               const double* pe, i4 nplies, i4 nsec, i4 defint, i4 ld);
void section_h_all(double* sehmatrix, const i4* sectionlist, const double* ori, const double* thk, const double* pe,
                   i4 nplies, i4 nsec, i4 method, i4 defint, i4 ld);

}  // namespace vx::shear
