"""Native cost of the per-point kernels next to the same arithmetic written as
one plain C++ function from the textbook closed forms:

  MatrixInverse of a 6 x 6 ABD     Gauss-Jordan elimination with partial pivoting
  GetABDTilde                      two 3 x 3 inverses by cofactors
  GetNyeStiffnessMatrix, 6 x 6     the three-dimensional stiffness written in place
  GetNyeOffAxisSC, 6 x 6           the stiffness rotated about the ply normal
  GetNyeOffAxisSC, 3 x 3           the reduced stiffness Q-bar

Both sides pay one function call: the references are kept out of line, as a
library routine is. Each pair is timed in turns over many short rounds and the
best round counts, so that both see the same load.

Run on demand:  PYTHONPATH=build python3 bench/bench_kernels.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import run_cxx_driver  # noqa: E402

DRIVER = r"""
#include <cmath>
#include <cstdio>
#include <cstring>
#include "bench_clock.h"
#include "vexlan/lamina.h"
#include "vexlan/laminate.h"
#include "vexlan/math_linalg.h"

#define PLAIN __attribute__((noinline))

// Gauss-Jordan elimination with partial pivoting, in place on a row-major copy;
// the column order is restored from the row interchanges at the end.
PLAIN static void plain_inverse6(const double* a, double* r) {
  double m[6][6];
  int piv[6];
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) m[i][j] = a[i + 6 * j];
  for (int k = 0; k < 6; ++k) {
    int p = k;
    for (int i = k + 1; i < 6; ++i)
      if (std::fabs(m[i][k]) > std::fabs(m[p][k])) p = i;
    piv[k] = p;
    if (p != k)
      for (int j = 0; j < 6; ++j) std::swap(m[k][j], m[p][j]);
    const double d = 1.0 / m[k][k];
    m[k][k] = 1.0;
    for (int j = 0; j < 6; ++j) m[k][j] *= d;
    for (int i = 0; i < 6; ++i) {
      if (i == k) continue;
      const double f = m[i][k];
      m[i][k] = 0.0;
      for (int j = 0; j < 6; ++j) m[i][j] -= f * m[k][j];
    }
  }
  for (int k = 5; k >= 0; --k)
    if (piv[k] != k)
      for (int i = 0; i < 6; ++i) std::swap(m[i][k], m[i][piv[k]]);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) r[i + 6 * j] = m[i][j];
}

// 3 x 3 inverse by cofactors (column-major in and out).
static inline void inv3(const double* a, double* r) {
  const double c00 = a[4] * a[8] - a[7] * a[5], c01 = a[7] * a[2] - a[1] * a[8], c02 = a[1] * a[5] - a[4] * a[2];
  const double c10 = a[6] * a[5] - a[3] * a[8], c11 = a[0] * a[8] - a[6] * a[2], c12 = a[3] * a[2] - a[0] * a[5];
  const double c20 = a[3] * a[7] - a[6] * a[4], c21 = a[6] * a[1] - a[0] * a[7], c22 = a[0] * a[4] - a[3] * a[1];
  const double id = 1.0 / (a[0] * c00 + a[3] * c01 + a[6] * c02);
  r[0] = c00 * id; r[1] = c01 * id; r[2] = c02 * id;
  r[3] = c10 * id; r[4] = c11 * id; r[5] = c12 * id;
  r[6] = c20 * id; r[7] = c21 * id; r[8] = c22 * id;
}

static inline void mul3(const double* a, const double* b, double* c) {
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      c[i + 3 * j] = a[i] * b[3 * j] + a[i + 3] * b[1 + 3 * j] + a[i + 6] * b[2 + 3 * j];
}

// D* = (D - B A^-1 B)^-1, B* = D* B A^-1, A* = A^-1 + A^-1 B B*.
PLAIN static void plain_abdtilde(const double* a, const double* b, const double* d, double* at, double* bt,
                                 double* dt) {
  double ai[9], bai[9], baib[9], ds[9], aib[9], x[9];
  inv3(a, ai);
  mul3(b, ai, bai);
  mul3(bai, b, baib);
  for (int k = 0; k < 9; ++k) ds[k] = d[k] - baib[k];
  inv3(ds, dt);
  mul3(dt, bai, bt);
  mul3(ai, b, aib);
  mul3(aib, bt, x);
  for (int k = 0; k < 9; ++k) at[k] = ai[k] + x[k];
}

// Three-dimensional orthotropic stiffness in Nye order, every entry written.
PLAIN static void plain_stiffness6(const double* p, double* c) {
  const double e1 = p[0], e2 = p[1], e3 = p[2], n12 = p[3], n13 = p[4], n23 = p[5];
  const double n21 = n12 * e2 / e1, n31 = n13 * e3 / e1, n32 = n23 * e3 / e2;
  const double d = (1.0 - n12 * n21 - n23 * n32 - n13 * n31 - 2.0 * n12 * n23 * n31) / (e1 * e2 * e3);
  const double c11 = (1.0 - n23 * n32) / (e2 * e3 * d), c22 = (1.0 - n13 * n31) / (e1 * e3 * d);
  const double c33 = (1.0 - n12 * n21) / (e1 * e2 * d), c12 = (n21 + n31 * n23) / (e2 * e3 * d);
  const double c13 = (n31 + n21 * n32) / (e2 * e3 * d), c23 = (n32 + n12 * n31) / (e1 * e3 * d);
  std::memset(c, 0, 36 * sizeof(double));
  c[0] = c11; c[1] = c12; c[2] = c13;
  c[6] = c12; c[7] = c22; c[8] = c23;
  c[12] = c13; c[13] = c23; c[14] = c33;
  c[21] = p[6]; c[28] = p[7]; c[35] = p[8];
}

// The stiffness turned by theta about the ply normal (m = cos, n = sin):
// textbook entries of the rotated orthotropic stiffness.
PLAIN static void plain_offaxis6(const double* p, double deg, double* c) {
  const double e1 = p[0], e2 = p[1], e3 = p[2], n12 = p[3], n13 = p[4], n23 = p[5];
  const double n21 = n12 * e2 / e1, n31 = n13 * e3 / e1, n32 = n23 * e3 / e2;
  const double d = (1.0 - n12 * n21 - n23 * n32 - n13 * n31 - 2.0 * n12 * n23 * n31) / (e1 * e2 * e3);
  const double c11 = (1.0 - n23 * n32) / (e2 * e3 * d), c22 = (1.0 - n13 * n31) / (e1 * e3 * d);
  const double c33 = (1.0 - n12 * n21) / (e1 * e2 * d), c12 = (n21 + n31 * n23) / (e2 * e3 * d);
  const double c13 = (n31 + n21 * n32) / (e2 * e3 * d), c23 = (n32 + n12 * n31) / (e1 * e3 * d);
  const double c44 = p[6], c55 = p[7], c66 = p[8];
  const double r = deg * 0.017453292519943295, m = std::cos(r), n = std::sin(r);
  const double m2 = m * m, n2 = n * n, mn = m * n, m4 = m2 * m2, n4 = n2 * n2, mn2 = m2 * n2;
  const double m3n = m2 * mn, mn3 = n2 * mn;
  const double q16 = c11 - c12 - 2.0 * c44, q26 = c12 - c22 + 2.0 * c44;
  const double b11 = c11 * m4 + 2.0 * (c12 + 2.0 * c44) * mn2 + c22 * n4;
  const double b22 = c11 * n4 + 2.0 * (c12 + 2.0 * c44) * mn2 + c22 * m4;
  const double b12 = (c11 + c22 - 4.0 * c44) * mn2 + c12 * (m4 + n4);
  const double b16 = q16 * m3n + q26 * mn3, b26 = q16 * mn3 + q26 * m3n;
  const double b66 = (c11 + c22 - 2.0 * c12 - 2.0 * c44) * mn2 + c44 * (m4 + n4);
  const double b13 = c13 * m2 + c23 * n2, b23 = c13 * n2 + c23 * m2, b36 = (c13 - c23) * mn;
  const double b44 = c55 * m2 + c66 * n2, b55 = c55 * n2 + c66 * m2, b45 = (c55 - c66) * mn;
  std::memset(c, 0, 36 * sizeof(double));
  c[0] = b11; c[1] = b12; c[2] = b13; c[3] = b16;
  c[6] = b12; c[7] = b22; c[8] = b23; c[9] = b26;
  c[12] = b13; c[13] = b23; c[14] = c33; c[15] = b36;
  c[18] = b16; c[19] = b26; c[20] = b36; c[21] = b66;
  c[28] = b44; c[29] = b45;
  c[34] = b45; c[35] = b55;
}

// Plane-stress reduced stiffness Q-bar of a ply at theta.
PLAIN static void plain_qbar(const double* p, double deg, double* q) {
  const double n21 = p[3] * p[1] / p[0], den = 1.0 - p[3] * n21;
  const double q11 = p[0] / den, q12 = p[3] * p[1] / den, q22 = p[1] / den, q66 = p[6];
  const double r = deg * 0.017453292519943295, m = std::cos(r), n = std::sin(r);
  const double m2 = m * m, n2 = n * n, mn = m * n, m4 = m2 * m2, n4 = n2 * n2, mn2 = m2 * n2;
  const double a = q11 - q12 - 2.0 * q66, b = q12 - q22 + 2.0 * q66;
  q[0] = q11 * m4 + 2.0 * (q12 + 2.0 * q66) * mn2 + q22 * n4;
  q[4] = q11 * n4 + 2.0 * (q12 + 2.0 * q66) * mn2 + q22 * m4;
  q[1] = q[3] = (q11 + q22 - 4.0 * q66) * mn2 + q12 * (m4 + n4);
  q[2] = q[6] = a * m2 * mn + b * n2 * mn;
  q[5] = q[7] = a * n2 * mn + b * m2 * mn;
  q[8] = (q11 + q22 - 2.0 * q12 - 2.0 * q66) * mn2 + q66 * (m4 + n4);
}

static double reldiff(const double* x, const double* y, int n) {
  double big = 0.0, diff = 0.0;
  for (int k = 0; k < n; ++k) {
    big = std::fmax(big, std::fabs(y[k]));
    diff = std::fmax(diff, std::fabs(x[k] - y[k]));
  }
  return diff / big;
}

int main() {
  const double ply[9] = {140000.0, 10000.0, 9000.0, 0.3, 0.28, 0.45, 5000.0, 4800.0, 3448.0};
  // An unbalanced, unsymmetric stack: A, B and D are full.
  const int np = 6, six = 6, three = 3, one = 1;
  double pe[9 * 6], ang[6] = {0.0, 30.0, -60.0, 90.0, 15.0, 45.0}, thk[6];
  for (int k = 0; k < np; ++k) {
    for (int e = 0; e < 9; ++e) pe[9 * k + e] = ply[e];
    thk[k] = 0.125 + 0.01 * k;
  }
  double a[9], b[9], d[9], abd[36];
  GetAMatrix(a, pe, ang, thk, &np);
  GetBMatrix(b, pe, ang, thk, &np);
  GetDMatrix(d, pe, ang, thk, &np);
  GetABDMatrix(abd, a, b, d);

  constexpr int K = 5;
  const int reps = 20000;
  double best[2 * K], sink = 0.0, diff[K];
  for (double& x : best) x = 1e9;
  double x1[36], x2[36], x3[36], y1[36], y2[36], y3[36];
  // Inputs move a little every call, so that no call can be skipped.
  auto time_it = [&](double& slot, auto call) {
    double deg = 20.0;
    const double t0 = now();
    for (int i = 0; i < reps; ++i) {
      abd[0] += 1e-9;
      a[0] += 1e-9;
      deg += 1e-6;
      call(deg);
      sink += x1[7];
    }
    const double t = now() - t0;
    if (t < slot) slot = t;
  };
  for (int round = 0; round < 40; ++round) {
    time_it(best[0], [&](double) { MatrixInverse(abd, x1, &six); });
    time_it(best[1], [&](double) { plain_inverse6(abd, x1); });
    time_it(best[2], [&](double) { GetABDTilde(x1, x2, x3, a, b, d); });
    time_it(best[3], [&](double) { plain_abdtilde(a, b, d, x1, x2, x3); });
    time_it(best[4], [&](double) { GetNyeStiffnessMatrix(x1, ply, &six, nullptr); });
    time_it(best[5], [&](double) { plain_stiffness6(ply, x1); });
    time_it(best[6], [&](double g) { GetNyeOffAxisSC(x1, &g, ply, &six, &one); });
    time_it(best[7], [&](double g) { plain_offaxis6(ply, g, x1); });
    time_it(best[8], [&](double g) { GetNyeOffAxisSC(x1, &g, ply, &three, &one); });
    time_it(best[9], [&](double g) { plain_qbar(ply, g, x1); });
  }
  // The two sides compute the same thing.
  const double deg = 37.0;
  MatrixInverse(abd, x1, &six);
  plain_inverse6(abd, y1);
  diff[0] = reldiff(x1, y1, 36);
  GetABDTilde(x1, x2, x3, a, b, d);
  plain_abdtilde(a, b, d, y1, y2, y3);
  diff[1] = std::fmax(reldiff(x1, y1, 9), std::fmax(reldiff(x2, y2, 9), reldiff(x3, y3, 9)));
  GetNyeStiffnessMatrix(x1, ply, &six, nullptr);
  plain_stiffness6(ply, y1);
  diff[2] = reldiff(x1, y1, 36);
  GetNyeOffAxisSC(x1, &deg, ply, &six, &one);
  plain_offaxis6(ply, deg, y1);
  diff[3] = reldiff(x1, y1, 36);
  GetNyeOffAxisSC(x1, &deg, ply, &three, &one);
  plain_qbar(ply, deg, y1);
  diff[4] = reldiff(x1, y1, 9);
  for (int k = 0; k < K; ++k)
    std::printf("%.3f %.3f %.1e ", best[2 * k] / reps * 1e9, best[2 * k + 1] / reps * 1e9, diff[k]);
  std::printf("%g\n", sink);
  return 0;
}
"""

ROWS = [
    ("MatrixInverse 6x6 (ABD)", "Gauss-Jordan, partial pivoting", 1.5),
    ("GetABDTilde", "two 3x3 cofactor inverses", 1.5),
    ("GetNyeStiffnessMatrix 6x6", "closed form written in place", 1.5),
    ("GetNyeOffAxisSC 6x6", "rotated stiffness, closed form", 1.5),
    ("GetNyeOffAxisSC 3x3", "closed-form Q-bar", 1.5),
]


def main():
    out = run_cxx_driver(DRIVER)
    if not out:
        print("native timing skipped (no C++ compiler or library found)")
        return
    print("per-point kernels, native (C++ driver, best of 40 rounds)")
    print(f"  {'kernel':28s} {'library ns':>10s}  {'plain C++ reference':32s} {'ns':>7s}  ratio     max rel. diff")
    for k, (name, ref, target) in enumerate(ROWS):
        lib, plain, diff = (float(v) for v in out[3 * k:3 * k + 3])
        print(f"  {name:28s} {lib:10.1f}  {ref:32s} {plain:7.1f}  {lib / plain:5.2f} [<={target}]  {diff:.1e}")


if __name__ == "__main__":
    main()
