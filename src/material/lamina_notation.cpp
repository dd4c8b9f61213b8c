// Stress and strain notations of the component lamina: tensors to 6-vectors in
// Voigt, Nye and cyclic order and back, reordering of vectors and 6 x 6
// matrices between the orders, tensor components of shortened vectors, the
// 6 x 6 form of a fourth-order stiffness and back, and the stresses and
// tractions on rotated planes used by the fracture-plane criteria. Results are
// assembled locally and stored last, so an output may alias an input.
#include <cmath>
#include <cstring>

#include "lamina_kernels.h"
#include "vexlan.h"
#include "vexlan/lamina.h"
#include "vx.h"

namespace {

// Voigt pairs (0-based): 1 = (1,1), 2 = (2,2), 3 = (3,3), 4 = (2,3), 5 = (1,3), 6 = (1,2).
constexpr int voigt_i[6] = {0, 1, 2, 1, 0, 0};
constexpr int voigt_j[6] = {0, 1, 2, 2, 2, 1};
// Voigt index of the unordered pair {i, j}.
constexpr int voigt_of[3][3] = {{0, 5, 4}, {5, 1, 3}, {4, 3, 2}};

inline double q_at(const double* q, int i, int j) { return q[i + 3 * j]; }

// Reorders a 6-vector (sdim 1) or a 6 x 6 matrix (sdim 6) by the permutation
// p: fn(i) = q(p(i)), fn(i, j) = q(p(i), p(j)).
void permute(double* fn, const double* q, int32_t sdim, const int* p) {
  if (sdim == 1) {
    double v[6];
    for (int i = 0; i < 6; ++i) v[i] = q[p[i]];
    std::memcpy(fn, v, sizeof v);
    return;
  }
  double m[36];
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i) m[i + 6 * j] = q[p[i] + 6 * p[j]];
  std::memcpy(fn, m, sizeof m);
}

// Rotated Cauchy tensor R^T S R for the stress components (steps shared by
// the two arbitrary-rotation routines); the result in Nye order.
void rotated_nye(double* nye, const double* theta_r, const double* nrot, double s11, double s22,
                 double s33, double s12, double s13, double s23) {
  const double voigt[6] = {s11, s22, s33, s23, s13, s12};
  double s[9], r[9];
  CauchyNotation(s, voigt);
  GetRotationMatrix(r, nrot, theta_r);
  vx::CMatRef<3> rr(r), ss(s);
  const vx::Mat3 rt = vx::transpose(vx::Mat3::load(r));
  const vx::Mat3 sp = vx::mul<3, 3, 3>(rt, vx::mul<3, 3, 3>(ss, rr));
  NyeNotation(nye, sp.data());
}

}  // namespace

VX_API void VoigtNotation(double* vn, const double* q) {
  const double v[6] = {q_at(q, 0, 0), q_at(q, 1, 1), q_at(q, 2, 2), q_at(q, 1, 2), q_at(q, 0, 2), q_at(q, 0, 1)};
  std::memcpy(vn, v, sizeof v);
}

VX_API void NyeNotation(double* nn, const double* q) {
  const double v[6] = {q_at(q, 0, 0), q_at(q, 1, 1), q_at(q, 2, 2), q_at(q, 0, 1), q_at(q, 0, 2), q_at(q, 1, 2)};
  std::memcpy(nn, v, sizeof v);
}

VX_API void CyclicNotation(double* cn, const double* q) {
  const double v[6] = {q_at(q, 0, 0), q_at(q, 1, 1), q_at(q, 2, 2), q_at(q, 0, 1), q_at(q, 1, 2), q_at(q, 0, 2)};
  std::memcpy(cn, v, sizeof v);
}

VX_API void CauchyNotation(double* cn, const double* qv) {
  const double t[9] = {qv[0], qv[5], qv[4], qv[5], qv[1], qv[3], qv[4], qv[3], qv[2]};
  std::memcpy(cn, t, sizeof t);
}

VX_API void FlipVoigtNyeNotation(double* fn, const double* q, const int32_t* sdim) {
  if (*sdim != 1 && *sdim != 6) {
    vx::report(-2, "Unsupported extents of Q in FlipVoigtNyeNotation");
    return;
  }
  static constexpr int p[6] = {0, 1, 2, 5, 4, 3};
  permute(fn, q, *sdim, p);
}

VX_API void FlipVoigtCyclicNotation(double* fn, const double* q, const int32_t* sdim, const int32_t* dir) {
  if (*sdim != 1 && *sdim != 6) {
    vx::report(-2, "Unsupported extents of Q inFlipVoigtCyclicNotation");
    return;
  }
  // Shift taken modulo 3 and made non-negative (64-bit: no overflow at the
  // ends of the integer range).
  const int d = static_cast<int>(((static_cast<int64_t>(*dir) % 3) + 3) % 3);
  int p[6] = {0, 1, 2, 0, 0, 0};
  for (int i = 3; i < 6; ++i) p[i] = 3 + (i - 3 + d) % 3;
  permute(fn, q, *sdim, p);
}

VX_API void GetTensorComponents(double* t11, double* t22, double* t33, double* t12, double* t13, double* t23,
                                const double* tvoigt, const int32_t* nvoigt, const double* shearfactor) {
  const int32_t n = *nvoigt;
  // A length other than 3 and 4 means the full vector; one shorter than six
  // would be read past its end.
  if (n != 3 && n != 4 && n < 6) {
    vx::report(-2, "Unsupported length of TVoigt in GetTensorComponents");
    return;
  }
  const double sf = shearfactor ? *shearfactor : 1.0;
  double c[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};  // 11, 22, 33, 12, 13, 23
  c[0] = tvoigt[0];
  c[1] = tvoigt[1];
  if (n == 3) {
    c[3] = sf * tvoigt[2];
  } else if (n == 4) {
    c[2] = tvoigt[2];
    c[3] = sf * tvoigt[3];
  } else {
    c[2] = tvoigt[2];
    c[5] = sf * tvoigt[3];
    c[4] = sf * tvoigt[4];
    c[3] = sf * tvoigt[5];
  }
  *t11 = c[0];
  *t22 = c[1];
  *t33 = c[2];
  *t12 = c[3];
  *t13 = c[4];
  *t23 = c[5];
}

VX_API void GetVoigtStiffnessFromTensor(double* csix, const double* c_4th) {
  double m[36];
  for (int jj = 0; jj < 6; ++jj)
    for (int ii = 0; ii < 6; ++ii)
      m[ii + 6 * jj] = c_4th[voigt_i[ii] + 3 * voigt_j[ii] + 9 * voigt_i[jj] + 27 * voigt_j[jj]];
  std::memcpy(csix, m, sizeof m);
}

VX_API void GetTensorFromVoigtStiffness(double* c_4th, const double* csix) {
  double t[81];
  for (int l = 0; l < 3; ++l)
    for (int k = 0; k < 3; ++k)
      for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
          t[i + 3 * j + 9 * k + 27 * l] = csix[voigt_of[i][j] + 6 * voigt_of[k][l]];
  std::memcpy(c_4th, t, sizeof t);
}

VX_API void GetRotatedStresses(double* sv, const double* theta_r, const double* nrot, const double* s11,
                               const double* s22, const double* s33, const double* s12, const double* s13,
                               const double* s23, const int32_t* soutflag) {
  double n[6];
  rotated_nye(n, theta_r, nrot, *s11, *s22, *s33, *s12, *s13, *s23);
  const int32_t f = soutflag ? *soutflag : 0;
  if (f == 1) {
    const double v[6] = {n[0], n[1], n[2], n[5], n[4], n[3]};
    std::memcpy(sv, v, sizeof v);
  } else if (f == 2) {
    const double v[6] = {n[0], n[1], n[2], n[3], n[5], n[4]};
    std::memcpy(sv, v, sizeof v);
  } else {
    std::memcpy(sv, n, sizeof n);
  }
}

VX_API void GetTVectorFromArbitraryRotation(double* tv, const double* theta_r, const double* nrot,
                                            const double* s11, const double* s22, const double* s33,
                                            const double* s12, const double* s13, const double* s23,
                                            const int32_t* tflag) {
  const int32_t f = tflag ? *tflag : 3;
  if (f < 1 || f > 3) {
    vx::report(-2, "Unknown PFlag in GetTVectorFromArbitraryRotation");
    return;
  }
  double n[6];
  rotated_nye(n, theta_r, nrot, *s11, *s22, *s33, *s12, *s13, *s23);
  static constexpr int pick[3][3] = {{0, 3, 4}, {1, 3, 5}, {2, 4, 5}};
  for (int i = 0; i < 3; ++i) tv[i] = n[pick[f - 1][i]];
}

VX_API void GetTVectorOnRotatedXYPlane(double* tv, const double* theta_r, const double* s22, const double* s33,
                                       const double* s12, const double* s13, const double* s23) {
  double t[3];
  vx::lamina::traction_on_turned_plane(t, *theta_r, *s22, *s33, *s12, *s13, *s23);
  std::memcpy(tv, t, sizeof t);
}

VX_API void GetPhiMeasuredFromXZPlane(double* phixz, const double* phixy, const vx_l1* clockwise) {
  static const double e1[3] = {1.0, 0.0, 0.0}, e2[3] = {0.0, 1.0, 0.0}, e3[3] = {0.0, 0.0, 1.0};
  double r[9];
  GetRotationMatrix(r, e1, phixy);
  const vx::Mat3 rm = vx::Mat3::load(r);
  double s[3];
  if (*clockwise) vx::matvec<3, 3>(s, vx::transpose(rm), e2);
  else vx::matvec<3, 3>(s, rm, e2);
  double t[3], b[9], f[3];
  CrossProduct(e1, s, t);
  GetTransformationMatrix(b, e3, e2, e1);
  vx::matvec<3, 3>(f, vx::CMatRef<3>(b), t);
  // The sign bit decides, so a negative zero counts as negative.
  const double sgn = std::signbit(f[0] * f[1]) ? -1.0 : 1.0;
  const double m[3] = {0.0, 0.0, -sgn};
  double sp[3];
  CrossProduct(f, m, sp);
  const int32_t three = 3;
  *phixz = EuclideanAngle(e1, sp, &three);
}
