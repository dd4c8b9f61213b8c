// Effective three-dimensional stiffness of a stack of plies, each given by its
// 6 x 6 stiffness in the laminate axes (order 11, 22, 33, 23, 13, 12) and its
// volume ratio: the Voigt and Reuss averages and three methods that keep the
// in-plane strains and the out-of-plane stresses common to all plies.
#include "fixed.h"
#include "vexlan/laminate_effective.h"
#include "vexlan.h"

using namespace vx;

namespace {

// 0-based positions: 3 is index 3 (33), 4 and 5 the shears 23 and 13,
// in-plane 0, 1, 5.
constexpr int I3 = 2, I4 = 3, I5 = 4, I6 = 5;

CMatRef<6, 6> ply(const double* c, i4 k) { return CMatRef<6, 6>(c + 36 * size_t(k)); }

Mat6 voigt_average(const double* v, const double* c, i4 n) {
  Mat6 w = Mat6::zero();
  for (i4 k = 0; k < n; ++k) {
    const auto ck = ply(c, k);
    for (int e = 0; e < 36; ++e) w.a[e] += v[k] * ck.a[e];
  }
  return w;
}

// U + U^T - diag(U) from the upper triangle.
void mirror(Mat6& u, double* out) {
  for (int j = 0; j < 6; ++j)
    for (int i = j + 1; i < 6; ++i) u(i, j) = u(j, i);
  u.store(out);
}

// Transverse shear block (44, 55, 45) shared by the Sun and Chou methods.
struct ShearSums {
  double s44 = 0, s55 = 0, s45 = 0;
  ShearSums(const double* v, const double* c, i4 n) {
    for (i4 k = 0; k < n; ++k) {
      const auto ck = ply(c, k);
      const double d = ck(I4, I4) * ck(I5, I5) - ck(I4, I5) * ck(I4, I5);
      s44 += v[k] * ck(I4, I4) / d;
      s55 += v[k] * ck(I5, I5) / d;
      s45 += v[k] * ck(I4, I5) / d;
    }
  }
  void put(Mat6& u, double d) const {
    u(I4, I4) = s44 / d;
    u(I5, I5) = s55 / d;
    u(I4, I5) = s45 / d;
  }
};

// Volume average of the through-thickness compliance 1/C33 of the plies: the
// series coupling of the direction in which the stresses are common.
double through_compliance(const double* v, const double* c, i4 n) {
  double s = 0.0;
  for (i4 k = 0; k < n; ++k) s += v[k] / ply(c, k)(I3, I3);
  return s;
}

// A stack without plies, or whose volume ratios add up to 0, has no
// stiffness to average: the methods that divide by its sums would give NaN.
// Reported, with the zero matrix that the Reuss inverse gives then.
bool empty_stack(double* out, const double* v, i4 n, const char* msg) {
  double total = 0.0;
  for (i4 k = 0; k < n; ++k) total += v[k];
  if (n >= 1 && total != 0.0) return false;
  for (int e = 0; e < 36; ++e) out[e] = 0.0;
  report(-2, msg);
  return true;
}

// Inverse of a 3 x 3 matrix in closed form, as the hybrid method asks.
Mat3 inverse3(const Mat3& m) {
  double det;
  return cofactor_inverse(m, det);
}

}  // namespace

VX_API void GetVoigtEffectiveStiffness(double* cv, const double* v, const double* c, const i4* n) {
  voigt_average(v, c, *n).store(cv);
}

VX_API void GetReussEffectiveStiffness(double* cr, const double* v, const double* c, const i4* n) {
  const i4 six = 6;
  Mat6 s = Mat6::zero(), sk;
  for (i4 k = 0; k < *n; ++k) {
    MatrixInverse(c + 36 * size_t(k), sk.a, &six);
    for (int e = 0; e < 36; ++e) s.a[e] += v[k] * sk.a[e];
  }
  MatrixInverse(s.a, cr, &six);
}

VX_API void GetSunEffectiveStiffness(double* cs, const double* v, const double* c, const i4* n_) {
  const i4 n = *n_;
  if (empty_stack(cs, v, n, "Error in GetSunEffectiveStiffness: empty stack.")) return;
  const Mat6 w = voigt_average(v, c, n);
  Mat6 u = Mat6::zero();
  const double inv33 = through_compliance(v, c, n);
  const double lambda = 1.0 / inv33;
  u(I3, I3) = lambda;
  const ShearSums sh(v, c, n);
  sh.put(u, sh.s44 * sh.s55 - sh.s45 * sh.s45);
  const auto c1 = ply(c, 0);
  // Couplings with the thickness direction, ply 1 as reference.
  for (int i : {0, 1, I6}) {
    double s = 0.0;
    for (i4 k = 1; k < n; ++k) {
      const auto ck = ply(c, k);
      s += v[k] * (ck(I3, I3) - lambda) * (c1(std::min(i, I3), std::max(i, I3)) - ck(std::min(i, I3), std::max(i, I3))) / ck(I3, I3);
    }
    u(std::min(i, I3), std::max(i, I3)) = w(std::min(i, I3), std::max(i, I3)) + s;
  }
  // In-plane entries; for index 6 the ply entry (3,6) and U(3,6) stand in.
  auto cx3 = [](const CMatRef<6, 6>& m, int i) { return i == I6 ? m(I3, I6) : m(i, I3); };
  auto ux3 = [&](int i) { return i == I6 ? u(I3, I6) : u(i, I3); };
  const int pairs[6][2] = {{0, 0}, {0, 1}, {0, I6}, {1, 1}, {1, I6}, {I6, I6}};
  for (const auto& p : pairs) {
    double s = 0.0;
    for (i4 k = 1; k < n; ++k) {
      const auto ck = ply(c, k);
      s += v[k] * (cx3(ck, p[0]) - ux3(p[0])) * (cx3(c1, p[1]) - cx3(ck, p[1])) / ck(I3, I3);
    }
    u(p[0], p[1]) = w(p[0], p[1]) + s;
  }
  mirror(u, cs);
}

VX_API void GetChouEffectiveStiffness(double* ch, const double* v, const double* c, const i4* n_) {
  const i4 n = *n_;
  if (empty_stack(ch, v, n, "Error in GetChouEffectiveStiffness: empty stack.")) return;
  const Mat6 w = voigt_average(v, c, n);
  Mat6 u = Mat6::zero();
  const double inv33 = through_compliance(v, c, n);
  const int pairs[10][2] = {{0, 0}, {0, 1}, {1, 1}, {0, I3}, {1, I3}, {I3, I3}, {0, I6}, {1, I6}, {I3, I6}, {I6, I6}};
  for (const auto& p : pairs) {
    const int i = p[0], j = p[1];
    double sij = 0.0, si = 0.0, sj = 0.0;
    for (i4 k = 0; k < n; ++k) {
      const auto ck = ply(c, k);
      sij += v[k] * ck(i, I3) * ck(I3, j) / ck(I3, I3);
      si += v[k] * ck(i, I3) / ck(I3, I3);
      sj += v[k] * ck(I3, j) / ck(I3, I3);
    }
    u(i, j) = w(i, j) - sij + si * sj / inv33;
  }
  const ShearSums sh(v, c, n);
  double d = 0.0;
  for (i4 k = 0; k < n; ++k) {
    const auto ck = ply(c, k);
    const double dk = ck(I4, I4) * ck(I5, I5) - ck(I4, I5) * ck(I4, I5);
    for (i4 m = 0; m < n; ++m) {
      const auto cm = ply(c, m);
      const double dm = cm(I4, I4) * cm(I5, I5) - cm(I4, I5) * cm(I4, I5);
      d += v[k] * v[m] * (ck(I5, I5) * cm(I4, I4) - ck(I5, I4) * cm(I4, I5)) / (dk * dm);
    }
  }
  sh.put(u, d);
  mirror(u, ch);
}

VX_API void GetHenryEffectiveStiffness(double* chenry, const double* v, const double* c, const i4* n) {
  if (empty_stack(chenry, v, *n, "Error in GetHenryEffectiveStiffness: empty stack.")) return;
  constexpr int O[3] = {I3, I4, I5}, In[3] = {0, 1, I6};
  Mat3 A = Mat3::zero(), B = Mat3::zero(), E = Mat3::zero(), F = Mat3::zero();
  for (i4 k = 0; k < *n; ++k) {
    const auto ck = ply(c, k);
    Mat3 coo, coi, cio, cii;
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) {
        coo(a, b) = ck(O[a], O[b]);
        coi(a, b) = ck(O[a], In[b]);
        cio(a, b) = ck(In[a], O[b]);
        cii(a, b) = ck(In[a], In[b]);
      }
    // Out-of-plane strains from the common stresses and in-plane strains.
    const Mat3 ak = inverse3(coo);
    Mat3 bk = ak * coi;
    for (double& x : bk.a) x = -x;
    const Mat3 ek = cio * ak, fk = cii + cio * bk;
    for (int e = 0; e < 9; ++e) {
      A.a[e] += v[k] * ak.a[e];
      B.a[e] += v[k] * bk.a[e];
      E.a[e] += v[k] * ek.a[e];
      F.a[e] += v[k] * fk.a[e];
    }
  }
  const Mat3 coo = inverse3(A);
  Mat3 coi = coo * B;
  for (double& x : coi.a) x = -x;
  const Mat3 cio = E * coo, cii = F + E * coi;
  MatRef<6, 6> r(chenry);
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) {
      r(O[a], O[b]) = coo(a, b);
      r(O[a], In[b]) = coi(a, b);
      r(In[a], O[b]) = cio(a, b);
      r(In[a], In[b]) = cii(a, b);
    }
}
