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

// Direct-stress entries c11, c12, c13, c22, c23, c33 of the three-dimensional
// stiffness for given minor ratios.
struct Direct {
  double c11, c12, c13, c22, c23, c33;
};
inline Direct direct_entries(const double* p, const Minor& m) {
  const double e1 = p[0], e2 = p[1], e3 = p[2], nu12 = p[3], nu13 = p[4], nu23 = p[5];
  const double delta =
      (1.0 - nu12 * m.nu21 - nu23 * m.nu32 - nu13 * m.nu31 - 2.0 * nu12 * nu23 * m.nu31) / (e1 * e2 * e3);
  return {(1.0 - nu23 * m.nu32) / (e2 * e3 * delta), (m.nu21 + m.nu31 * nu23) / (e2 * e3 * delta),
          (m.nu31 + m.nu21 * m.nu32) / (e2 * e3 * delta), (1.0 - nu13 * m.nu31) / (e1 * e3 * delta),
          (m.nu32 + nu12 * m.nu31) / (e1 * e3 * delta), (1.0 - nu12 * m.nu21) / (e1 * e2 * delta)};
}

// The same block, c(i, j) for i, j = 0..2 written through `put(i, j, value)`.
template <class Put>
inline void direct_block(const double* p, const Minor& m, Put put) {
  const Direct d = direct_entries(p, m);
  put(0, 0, d.c11);
  put(1, 1, d.c22);
  put(2, 2, d.c33);
  put(0, 1, d.c12);
  put(1, 0, d.c12);
  put(0, 2, d.c13);
  put(2, 0, d.c13);
  put(1, 2, d.c23);
  put(2, 1, d.c23);
}

// Zeros, then the entries at their places: the stores a compiler turns into
// plain moves (a local image of the matrix would be built on the stack and
// copied). Values are computed before the first store, so c may be any array.
template <int N>
inline void zero_then(double* c) {
  for (int k = 0; k < N * N; ++k) c[k] = 0.0;
}

// Three-dimensional on-axis stiffness straight into the caller's 6 x 6 c,
// every entry written.
inline void put_stiffness6(double* c, const double* p) {
  const Direct d = direct_entries(p, minor_ratios(p));
  const double g12 = p[6], g13 = p[7], g23 = p[8];
  zero_then<6>(c);
  c[0] = d.c11, c[1] = d.c12, c[2] = d.c13;
  c[6] = d.c12, c[7] = d.c22, c[8] = d.c23;
  c[12] = d.c13, c[13] = d.c23, c[14] = d.c33;
  c[21] = g12, c[28] = g13, c[35] = g23;
}

// Plane-stress reduced stiffness Q (11, 22, 12) straight into the caller's 3 x 3.
inline void put_stiffness3(double* c, const double* p) {
  const Planar q = planar(p, minor_ratios(p).nu21);
  const double g12 = p[6];
  zero_then<3>(c);
  c[0] = q.q11, c[1] = q.q12, c[3] = q.q12, c[4] = q.q22, c[8] = g12;
}

// Plane-stress reduced stiffness Q, 3 x 3 in the order (11, 22, 12).
inline Mat3 stiffness3(const double* p) {
  Mat3 c;
  put_stiffness3(c.a, p);
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

// On-axis orthotropic entries in Nye order: the direct block, then the
// in-plane shear (12) and the two transverse shears (13, 23).
struct Ortho {
  double a11, a12, a13, a22, a23, a33, a44, a55, a66;
};
inline Ortho ortho_stiffness(const double* p, bool plane) {
  if (plane) {
    const Planar q = planar(p, minor_ratios(p).nu21);
    return {q.q11, q.q12, 0.0, q.q22, 0.0, 0.0, p[6], 0.0, 0.0};
  }
  const Direct d = direct_entries(p, minor_ratios(p));
  return {d.c11, d.c12, d.c13, d.c22, d.c23, d.c33, p[6], p[7], p[8]};
}
inline Ortho ortho_compliance(const double* p) {
  return {1.0 / p[0], -p[3] / p[0], -p[4] / p[0], 1.0 / p[1], -p[5] / p[1],
          1.0 / p[2], 1.0 / p[6],   1.0 / p[7],   1.0 / p[8]};
}

// T^T A T in closed form for the rotation about the ply normal by the angle
// with cosine c and sine s, every entry of the N x N result written (N = 3:
// the plane entries 11, 22, 12). A stiffness turns with the strain form of T.
// A compliance turns with the stress form, which is the strain form applied to
// the compliance with its in-plane shear entry divided by 4, the shear row and
// column then doubled: powers of two, so nothing is rounded twice.
template <int N>
inline void put_rotated(double* out, const Ortho& a, double c, double s, bool stiffness) {
  static_assert(N == 3 || N == 6);
  const double g = stiffness ? 1.0 : 2.0, q66 = stiffness ? a.a44 : 0.25 * a.a44;
  const double m2 = c * c, n2 = s * s, mn = c * s;
  const double m4 = m2 * m2, n4 = n2 * n2, mn2 = m2 * n2, m3n = m2 * mn, mn3 = n2 * mn;
  const double e = 2.0 * (a.a12 + 2.0 * q66);
  const double f = a.a11 - a.a12 - 2.0 * q66, h = a.a12 - a.a22 + 2.0 * q66;
  const double b11 = a.a11 * m4 + e * mn2 + a.a22 * n4;
  const double b22 = a.a11 * n4 + e * mn2 + a.a22 * m4;
  const double b12 = (a.a11 + a.a22 - 4.0 * q66) * mn2 + a.a12 * (m4 + n4);
  const double b16 = g * (f * m3n + h * mn3);
  const double b26 = g * (f * mn3 + h * m3n);
  const double b66 = (g * g) * ((a.a11 + a.a22 - 2.0 * a.a12 - 2.0 * q66) * mn2 + q66 * (m4 + n4));
  if constexpr (N == 3) {
    out[0] = b11, out[1] = b12, out[2] = b16;
    out[3] = b12, out[4] = b22, out[5] = b26;
    out[6] = b16, out[7] = b26, out[8] = b66;
  } else {
    const double b13 = a.a13 * m2 + a.a23 * n2, b23 = a.a13 * n2 + a.a23 * m2, b33 = a.a33;
    const double b36 = g * ((a.a13 - a.a23) * mn);
    const double b44 = a.a55 * m2 + a.a66 * n2, b55 = a.a55 * n2 + a.a66 * m2, b45 = (a.a55 - a.a66) * mn;
    zero_then<6>(out);
    out[0] = b11, out[1] = b12, out[2] = b13, out[3] = b16;
    out[6] = b12, out[7] = b22, out[8] = b23, out[9] = b26;
    out[12] = b13, out[13] = b23, out[14] = b33, out[15] = b36;
    out[18] = b16, out[19] = b26, out[20] = b36, out[21] = b66;
    out[28] = b44, out[29] = b45, out[34] = b45, out[35] = b55;
  }
}

// Off-axis stiffness or compliance of a ply at `dangle` degrees into out.
template <int N>
inline void put_off_axis(double* out, const double* p, double dangle, bool stiffness) {
  const double r = dangle * ply_deg2rad;
  const Ortho a = stiffness ? ortho_stiffness(p, N == 3) : ortho_compliance(p);
  put_rotated<N>(out, a, std::cos(r), std::sin(r), stiffness);
}

// The same as a fixed-size matrix.
template <int N>
inline Mat<N, N> off_axis(const double* p, double dangle, bool stiffness) {
  Mat<N, N> m;
  put_off_axis<N>(m.a, p, dangle, stiffness);
  return m;
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
