// Classical laminate theory of one stack: the membrane, coupling and bending
// stiffness, ABD and the quantities derived from it (reduced bending
// stiffness, partial inverses, engineering constants) and the lamination
// parameters. The stiffness loops run on fixed 3 x 3 matrices: they are called
// per integration point by the failure and delamination routines.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "fixed.h"
#include "fixed_lu.h"
#include "laminate_clt.h"
#include "vexlan/laminate.h"
#include "vexlan/math_linalg.h"
#include "vx.h"

using vx::i4;
using vx::Mat3;
using vx::Mat6;
using vx::CMatRef;

namespace {

// z = x y for 3 x 3 matrices, each entry summed in index order.
inline void mul3(const double* x, const double* y, double* z) {
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      z[i + 3 * j] = (x[i] * y[3 * j] + x[i + 3] * y[1 + 3 * j]) + x[i + 6] * y[2 + 3 * j];
}

}  // namespace

VX_API void GetAMatrix(double* a, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const int32_t* nplies) {
  vx::lam::stack_abd(a, nullptr, nullptr, plyelastic, plyorientation, plythickness, *nplies);
}

VX_API void GetBMatrix(double* b, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const int32_t* nplies) {
  vx::lam::stack_abd(nullptr, b, nullptr, plyelastic, plyorientation, plythickness, *nplies);
}

VX_API void GetDMatrix(double* d, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const int32_t* nplies) {
  vx::lam::stack_abd(nullptr, nullptr, d, plyelastic, plyorientation, plythickness, *nplies);
}

VX_API void GetSubLaminateXMatrix(double* xsub, const char* slflag, const double* plyelastic,
                                  const double* plyorientation, const double* plythickness,
                                  const int32_t* sublamstack, const int32_t* nplies,
                                  size_t slflag_len) {
  const i4 first = sublamstack[0], last = sublamstack[1];
  const int64_t span = int64_t(last) - first + 1;  // any pair of plies, no overflow
  const i4 count = span > 0 ? i4(std::min<int64_t>(span, INT32_MAX)) : 0;
  if (count > 0 && (first < 1 || last > *nplies)) {
    vx::report(-2, "Error in GetSubLaminateXMatrix: sub-laminate outside the stack.");
    return;
  }
  const char f = slflag_len > 0 ? slflag[0] : ' ';
  if (f != 'A' && f != 'B' && f != 'D') {
    for (int e = 0; e < 9; ++e) xsub[e] = 0.0;
    return;
  }
  const int64_t o = count > 0 ? first - 1 : 0;
  vx::lam::stack_abd(f == 'A' ? xsub : nullptr, f == 'B' ? xsub : nullptr,
                     f == 'D' ? xsub : nullptr, plyelastic + 9 * o, plyorientation + o,
                     plythickness + o, count);
}

VX_API double GetEffectivePlateStiffness(const double* plyelastic, const double* plyorientation,
                                         const double* plythickness, const int32_t* nplies) {
  Mat3 d;
  vx::lam::stack_abd(nullptr, nullptr, d.data(), plyelastic, plyorientation, plythickness,
                     *nplies);
  const double d11 = d(0, 0), d22 = d(1, 1), d12 = d(0, 1), d66 = d(2, 2);
  if (d11 * d22 == 0.0) {
    // No plies, or no thickness: the formula would divide zero by zero.
    vx::report(-2, "Error in GetEffectivePlateStiffness: the stack has no bending stiffness.");
    return 0.0;
  }
  return std::sqrt(d11 * d22 * (1.0 + (d12 + 2.0 * d66) / std::sqrt(d11 * d22)) / 2.0);
}

VX_API void GetABDMatrix(double* abd, const double* a, const double* b, const double* d) {
  vx::MatRef<6, 6> m(abd);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      m(i, j) = a[i + 3 * j];
      m(i, j + 3) = b[i + 3 * j];
      m(i + 3, j) = b[i + 3 * j];
      m(i + 3, j + 3) = d[i + 3 * j];
    }
}

VX_API void GetReducedBendingStiffness(double* dred, const double* a, const double* b,
                                       const double* d) {
  double ai[9], aib[9], baib[9];
  vx::matrix_inverse<3>(a, ai);
  mul3(ai, b, aib);
  mul3(b, aib, baib);
  for (int k = 0; k < 9; ++k) dred[k] = d[k] - baib[k];
}

VX_API void GetABDTilde(double* atstar, double* btstar, double* dtstar, const double* a,
                        const double* b, const double* d) {
  // Locals throughout: the outputs may share storage with the inputs.
  double ai[9], bai[9], baib[9], dt[9], bt[9], aib[9], x[9];
  vx::matrix_inverse<3>(a, ai);
  mul3(b, ai, bai);
  mul3(bai, b, baib);
  for (int k = 0; k < 9; ++k) dt[k] = d[k] - baib[k];
  vx::matrix_inverse<3>(dt, dt);
  mul3(dt, bai, bt);
  mul3(ai, b, aib);
  mul3(aib, bt, x);
  for (int k = 0; k < 9; ++k) {
    atstar[k] = ai[k] + x[k];
    btstar[k] = bt[k];
    dtstar[k] = dt[k];
  }
}

VX_API void GetEngConstsFromABDMatrix(double* eng, const double* abd, const double* h,
                                      const vx_l1* tcflag) {
  const double t = *h, t3 = t * t * t;
  for (int k = 0; k < 8; ++k) eng[k] = 0.0;
  const CMatRef<6, 6> m(abd);
  if (tcflag && *tcflag) {
    eng[0] = m(0, 0) / t;
    eng[1] = m(1, 1) / t;
    eng[2] = m(2, 2) / t;
    eng[4] = 12.0 * m(3, 3) / t3;
    eng[5] = 12.0 * m(4, 4) / t3;
    eng[6] = 12.0 * m(5, 5) / t3;
    return;
  }
  Mat6 c;
  vx::matrix_inverse<6>(abd, c.data());
  eng[0] = 1.0 / (t * c(0, 0));
  eng[1] = 1.0 / (t * c(1, 1));
  eng[2] = 1.0 / (t * c(2, 2));
  eng[3] = -c(0, 1) / c(0, 0);
  eng[4] = 12.0 / (t3 * c(3, 3));
  eng[5] = 12.0 / (t3 * c(4, 4));
  eng[6] = 12.0 / (t3 * c(5, 5));
  eng[7] = -c(3, 4) / c(3, 3);
}

VX_API void GetVMatrix(double* v, const double* plyorientation, const double* plythickness,
                       const int32_t* nplies) {
  const i4 n = *nplies;
  double sum[3][4] = {};
  double total = 0.0;
  for (i4 k = 0; k < n; ++k) total += plythickness[k];
  vx::lam::PlyWalk w(plythickness, n);
  for (i4 k = 0; k < n; ++k) {
    const double zb = w.bot(), zt = w.top(k);
    const double dz[3] = {zt - zb, zt * zt - zb * zb, zt * zt * zt - zb * zb * zb};
    const double th = plyorientation[k];
    const double trig[4] = {std::cos(2.0 * th), std::cos(4.0 * th), std::sin(2.0 * th),
                            std::sin(4.0 * th)};
    for (int c = 0; c < 3; ++c)
      for (int r = 0; r < 4; ++r) sum[c][r] += trig[r] * dz[c];
    w.next(k);
  }
  const double f[3] = {1.0 / total, 2.0 / (total * total), 4.0 / (total * total * total)};
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 4; ++r) v[r + 4 * c] = f[c] * sum[c][r];
}
