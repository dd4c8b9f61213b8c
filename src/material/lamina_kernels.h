// Inline per-point kernels of the ply: on-axis stiffness and compliance from
// the nine ply constants, the rotation about the ply normal, the off-axis
// matrices, the stress from a strain and the traction on a plane turned about
// the fibre. The exported routines of the component lamina wrap these; native
// code of other components calls them directly on fixed-size matrices.
//
// Ply constants p[0..8] = E1, E2, E3, nu12, nu13, nu23, G12, G13, G23.
// Matrices are in Nye order (11, 22, 33, 12, 13, 23), or (11, 22, 12) for the
// 3 x 3 plane-stress forms, and act on engineering shear strains.
#pragma once
#include <cmath>

#include "fixed.h"

namespace vx::lamina {

// Degrees to radians, the literal the ply angles have always been turned with.
constexpr double ply_deg2rad = 0.017453292519943295;

// Minor Poisson ratios nu21, nu31, nu32 of the ply constants.
struct Minor {
  double nu21, nu31, nu32;
};
inline Minor minor_ratios(const double* p) {
  return {p[3] * p[1] / p[0], p[4] * p[2] / p[0], p[5] * p[2] / p[1]};
}

// Plane-stress reduced stiffness entries Q11, Q12, Q22 (Q21 = nu21 E1 / D1
// equals Q12 when nu21 is the derived ratio).
struct Planar {
  double q11, q12, q21, q22;
};
inline Planar planar(const double* p, double nu21) {
  const double d1 = 1.0 - p[3] * nu21;
  return {p[0] / d1, p[3] * p[1] / d1, nu21 * p[0] / d1, p[1] / d1};
}

// Direct-stress block of the three-dimensional stiffness for given minor
// ratios: c(i, j) for i, j = 0..2, written through `put(i, j, value)`.
template <class Put>
inline void direct_block(const double* p, const Minor& m, Put put) {
  const double e1 = p[0], e2 = p[1], e3 = p[2], nu12 = p[3], nu13 = p[4], nu23 = p[5];
  const double delta =
      (1.0 - nu12 * m.nu21 - nu23 * m.nu32 - nu13 * m.nu31 - 2.0 * nu12 * nu23 * m.nu31) / (e1 * e2 * e3);
  const double c12 = (m.nu21 + m.nu31 * nu23) / (e2 * e3 * delta);
  const double c13 = (m.nu31 + m.nu21 * m.nu32) / (e2 * e3 * delta);
  const double c23 = (m.nu32 + nu12 * m.nu31) / (e1 * e3 * delta);
  put(0, 0, (1.0 - nu23 * m.nu32) / (e2 * e3 * delta));
  put(1, 1, (1.0 - nu13 * m.nu31) / (e1 * e3 * delta));
  put(2, 2, (1.0 - nu12 * m.nu21) / (e1 * e2 * delta));
  put(0, 1, c12);
  put(1, 0, c12);
  put(0, 2, c13);
  put(2, 0, c13);
  put(1, 2, c23);
  put(2, 1, c23);
}

// Three-dimensional on-axis stiffness, 6 x 6.
inline Mat6 stiffness6(const double* p) {
  Mat6 c = Mat6::zero();
  direct_block(p, minor_ratios(p), [&c](int i, int j, double v) { c(i, j) = v; });
  c(3, 3) = p[6];
  c(4, 4) = p[7];
  c(5, 5) = p[8];
  return c;
}

// Plane-stress reduced stiffness Q, 3 x 3 in the order (11, 22, 12).
inline Mat3 stiffness3(const double* p) {
  const Planar q = planar(p, minor_ratios(p).nu21);
  Mat3 c = Mat3::zero();
  c(0, 0) = q.q11;
  c(1, 1) = q.q22;
  c(0, 1) = q.q12;
  c(1, 0) = q.q12;
  c(2, 2) = p[6];
  return c;
}

// On-axis compliances, 6 x 6 and plane-stress 3 x 3.
inline Mat6 compliance6(const double* p) {
  Mat6 s = Mat6::zero();
  s(0, 0) = 1.0 / p[0];
  s(1, 1) = 1.0 / p[1];
  s(2, 2) = 1.0 / p[2];
  s(0, 1) = s(1, 0) = -p[3] / p[0];
  s(0, 2) = s(2, 0) = -p[4] / p[0];
  s(1, 2) = s(2, 1) = -p[5] / p[1];
  s(3, 3) = 1.0 / p[6];
  s(4, 4) = 1.0 / p[7];
  s(5, 5) = 1.0 / p[8];
  return s;
}
inline Mat3 compliance3(const double* p) {
  Mat3 s = Mat3::zero();
  s(0, 0) = 1.0 / p[0];
  s(1, 1) = 1.0 / p[1];
  s(0, 1) = s(1, 0) = -p[3] / p[0];
  s(2, 2) = 1.0 / p[6];
  return s;
}

template <int N>
inline Mat<N, N> on_axis(const double* p, bool stiffness) {
  if constexpr (N == 6) return stiffness ? stiffness6(p) : compliance6(p);
  else return stiffness ? stiffness3(p) : compliance3(p);
}

// Entries of the rotation about axis 3 in Nye order, for the cosine c and sine
// s of the ply angle, into any square matrix m (zero on entry): in-plane shear
// at index 2, or at index 3 when `full` (6 x 6). sigma is +1 for the angle, -1
// for the opposite angle. The engineering-strain form (form 1) moves the factor
// 2 from the stress rows to the shear row; another form leaves the shear rows
// and columns out.
template <class M>
inline void place_transformation(M& m, double c, double s, double sigma, bool full, int form) {
  m(0, 0) = c * c;
  m(0, 1) = s * s;
  m(1, 0) = s * s;
  m(1, 1) = c * c;
  int k = 2;
  if (full) {
    m(2, 2) = 1.0;
    m(4, 4) = c;
    m(4, 5) = sigma * s;
    m(5, 4) = -sigma * s;
    m(5, 5) = c;
    k = 3;
  }
  if (form != 0 && form != 1) return;
  const double cs = sigma * c * s;
  const double cs2 = 2.0 * sigma * c * s;
  if (form == 1) {
    m(0, k) = cs;
    m(1, k) = -cs;
    m(k, 0) = -cs2;
    m(k, 1) = cs2;
  } else {
    m(0, k) = cs2;
    m(1, k) = -cs2;
    m(k, 0) = -cs;
    m(k, 1) = cs;
  }
  m(k, k) = c * c - s * s;
}

// The same as a fixed-size matrix, N = 3 or 6.
template <int N>
inline Mat<N, N> transformation(double c, double s, double sigma, bool strain_form) {
  static_assert(N == 3 || N == 6);
  Mat<N, N> t = Mat<N, N>::zero();
  place_transformation(t, c, s, sigma, N == 6, strain_form ? 1 : 0);
  return t;
}

// T^T A T.
template <int N>
inline Mat<N, N> congruence(const Mat<N, N>& a, const Mat<N, N>& t) {
  return mul<N, N, N>(transpose(t), mul<N, N, N>(a, t));
}

// Off-axis stiffness (strain-form T) or compliance (stress-form T) of a ply at
// `dangle` degrees.
template <int N>
inline Mat<N, N> off_axis(const double* p, double dangle, bool stiffness) {
  const double r = dangle * ply_deg2rad;
  const Mat<N, N> t = transformation<N>(std::cos(r), std::sin(r), 1.0, stiffness);
  return congruence<N>(on_axis<N>(p, stiffness), t);
}

// Stress from a stiffness and a strain with engineering shear: s = C e.
template <int N, class M>
inline void stress_from_strain(double* s, const M& c, const double* e) {
  matvec<N, N>(s, c, e);
}

// Traction (normal, longitudinal shear, transverse shear) on the plane turned
// by theta about axis 1.
inline void traction_on_turned_plane(double* tv, double theta, double s22, double s33, double s12,
                                     double s13, double s23) {
  const double c = std::cos(theta), s = std::sin(theta);
  tv[0] = s33 * (c * c) + s22 * (s * s) - 2.0 * s23 * s * c;
  tv[1] = s13 * c - s12 * s;
  tv[2] = s23 * (c * c - s * s) + (s33 - s22) * s * c;
}

}  // namespace vx::lamina
