"""Cost of the per-ply failure analysis of one integration point: ply stresses of
the 8-ply section [0/45/-45/90]s from the section strains, the five per-mode
drivers (general: maximum stress, fibre: Hashin, matrix: Chai, delamination: Chai
with interface factors, core: none) and the degradation factors of each ply.

Natively, the library pipeline runs beside a plain function that does the same
arithmetic inline; from Python, the same pipeline through the module.

Run on demand:  PYTHONPATH=build python3 bench/bench_damage_drivers.py
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import per_call, run_c_driver  # noqa: E402

ANGLES = [0.0, 45.0, -45.0, 90.0, 90.0, -45.0, 45.0, 0.0]
ELASTIC = [135000.0, 10000.0, 10000.0, 0.3, 0.3, 0.45, 5000.0, 5000.0, 3448.0]
STRENGTH = [1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0, 90.0]
SE = [2.1e-3, -4e-4, 6e-4, 0.4, -0.2, 0.1]

NATIVE_DRIVER = r"""
#include <math.h>
#include <stdio.h>
#include <time.h>
#include "vexlan/damage_drivers.h"
#include "vexlan/degradation.h"
#include "vexlan/lamina.h"
#include "vexlan/laminate.h"

#define N 8
static const double ang[N] = {0, 45, -45, 90, 90, -45, 45, 0};
static const double el[9] = {135000.0, 10000.0, 10000.0, 0.3, 0.3, 0.45, 5000.0, 5000.0, 3448.0};
static const double st[10] = {1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0, 90.0};
static double pe[9 * N], ps[10 * N], thk[N], q[9 * N], se[6] = {2.1e-3, -4e-4, 6e-4, 0.4, -0.2, 0.1};

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + 1e-9 * t.tv_nsec;
}

static double stress[6 * N];

/* One integration point through the library: ply stresses, then drivers and degradation. */
static void library_stresses(void) {
  const int n = N;
  double eps[3 * 3 * N];
  GetSectionStrain(eps, se, ang, thk, &n, 0);
  for (int p = 0; p < N; ++p) {
    const double* e = eps + 3 * (3 * p + 1);
    double* s = stress + 6 * p;
    const double* c = q + 9 * p;
    s[0] = c[0] * e[0] + c[3] * e[1] + c[6] * e[2];
    s[1] = c[1] * e[0] + c[4] * e[1] + c[7] * e[2];
    s[3] = c[2] * e[0] + c[5] * e[1] + c[8] * e[2];
    s[2] = 0.0;
    s[4] = 1.5;
    s[5] = -0.8;
  }
}

static double library_drivers(void) {
  const int n = N, isec = 1, nsec = 1, zero = 0, gp = 1, fb = 3, mc = 5, del = 1, scheme = 5;
  const vx_l1 tape = 1;
  double sum = 0.0, f, r, d[9], dds[10];
  for (int p = 0; p < N; ++p) {
    const int layer = p + 1;
    const double* s = stress + 6 * p;
    for (int k = 0; k < 10; ++k) dds[k] = 0.0;
    generalfailure(&f, &r, s, ps, ang, &layer, &n, &isec, &nsec, &gp);
    sum += r;
    fiberbreakage(&f, &r, s, pe, ps, ang, &layer, &n, &isec, &nsec, &fb);
    sum += r;
    dds[0] = f;
    MatrixCracking(&f, &r, s, pe, ps, 0, ang, &layer, &n, &isec, &nsec, &zero, &mc, 0, 0);
    sum += r;
    dds[3] = f;
    if (p < N - 1) {
      double s33i = 0.0;
      delamination(&f, &r, &s33i, s, s + 6, pe, ps, ang, thk, &layer, &n, &isec, &nsec, &del);
      sum += r;
    }
    corecrushing(&f, &r, s, ps, ang, &layer, &n, &isec, &nsec, &zero);
    const double one = 1.0;
    FalcomDegradation(d, dds, &one, &scheme, &tape, 0);
    sum += d[0];
  }
  return sum;
}

static double sq(double x) { return x * x; }

static void reduced(double* c, const double* e) {
  const double nu21 = e[3] * e[1] / e[0], den = 1.0 - e[3] * nu21;
  c[0] = e[0] / den; c[4] = e[1] / den; c[3] = c[1] = e[3] * e[1] / den; c[8] = e[6];
  c[2] = c[5] = c[6] = c[7] = 0.0;
}

/* The same arithmetic written inline. */
static void plain_stresses(void) {
  double h = 0.0, eps[9 * N];
  for (int p = 0; p < N; ++p) h += thk[p];
  double z = -h / 2.0;
  for (int p = 0; p < N; ++p) {
    /* ply-axis strains at the bottom, middle and top of the ply */
    const double zp[3] = {z, z + thk[p] / 2.0, z + thk[p]};
    const double a = ang[p] * 0.017453292519943295, c = cos(a), s = sin(a);
    z += thk[p];
    for (int j = 0; j < 3; ++j) {
      const double ex = se[0] + zp[j] * se[3], ey = se[1] + zp[j] * se[4], gxy = se[2] + zp[j] * se[5];
      double* e = eps + 9 * p + 3 * j;
      e[0] = c * c * ex + s * s * ey + c * s * gxy;
      e[1] = s * s * ex + c * c * ey - c * s * gxy;
      e[2] = -2.0 * c * s * ex + 2.0 * c * s * ey + (c * c - s * s) * gxy;
    }
    const double* e = eps + 9 * p + 3;
    const double* k = q + 9 * p;
    double* o = stress + 6 * p;
    o[0] = k[0] * e[0] + k[3] * e[1] + k[6] * e[2];
    o[1] = k[1] * e[0] + k[4] * e[1] + k[7] * e[2];
    o[3] = k[2] * e[0] + k[5] * e[1] + k[8] * e[2];
    o[2] = 0.0; o[4] = 1.5; o[5] = -0.8;
  }
}

static double plain_drivers(void) {
  double sum = 0.0;
  for (int p = 0; p < N; ++p) {
    const double* s = stress + 6 * p;
    const double* x = ps + 10 * p;
    double d[9];
    sum += fabs(s[0] / (s[0] > 0.0 ? x[0] : x[3]));
    const double rfb = sqrt(sq(s[0] / (s[0] >= 0.0 ? x[0] : x[3])) + sq(s[3] / x[6]) + sq(s[4] / x[7]));
    const double rmc = sqrt(sq(s[1] / (s[1] >= 0.0 ? x[1] : x[4])) + sq(s[3] / x[6]) + sq(s[5] / x[8]));
    sum += rfb + rmc;
    if (p < N - 1) {
      double ql[9], qu[9];
      const double* eu = pe + 9 * (p + 1);
      const double* el_ = pe + 9 * p;
      reduced(ql, el_);
      reduced(qu, eu);
      const double a = (ang[p] - ang[p + 1]) * 0.017453292519943295, c = cos(a), sn = sin(a);
      const double c2 = c * c, s2 = sn * sn;
      const double qq = qu[0] * c2 * c2 + (4.0 * qu[8] + 2.0 * qu[3]) * c2 * s2 + qu[4] * s2 * s2;
      const double f1 = qu[4] == ql[0] ? 0.0 : (ql[0] - qq) * (thk[p] / thk[p + 1]) / (ql[0] - qu[4]);
      const double f2 = (1.0 + (eu[8] / el_[8]) * c2 + (eu[8] / el_[7]) * s2) / 2.0;
      const double f3 = (1.0 + (el_[7] / eu[7]) * c2 + (el_[7] / eu[8]) * s2) / 2.0;
      const double* su = s + 6;
      sum += sqrt(f1 * sq(s[1] / (s[1] >= 0.0 ? x[1] : x[4])) + f2 * sq(su[5] / x[18]) + 1.875 * f3 * sq(s[4] / x[9]));
    }
    for (int k = 0; k < 9; ++k) d[k] = 1.0;
    if (rfb >= 1.0) { d[0] = d[1] = d[6] = 0.5; d[3] = d[5] = 1e-20; }
    if (rmc >= 1.0) d[1] = d[2] = d[3] = d[4] = d[7] = 1e-20;
    sum += d[0];
  }
  return sum;
}

int main(void) {
  const int three = 3;
  for (int p = 0; p < N; ++p) {
    thk[p] = 0.125;
    for (int k = 0; k < 9; ++k) pe[9 * p + k] = el[k];
    for (int k = 0; k < 10; ++k) ps[10 * p + k] = st[k];
    GetNyeStiffnessMatrix(q + 9 * p, pe + 9 * p, &three, 0);
  }
  const int reps = 100000;
  double best[4] = {1e9, 1e9, 1e9, 1e9}, sink = 0.0;
  for (int round = 0; round < 7; ++round) {
    double t[5];
    t[0] = now();
    for (int i = 0; i < reps; ++i) { se[0] += 1e-12; library_stresses(); sink += library_drivers(); }
    t[1] = now();
    for (int i = 0; i < reps; ++i) { se[0] += 1e-12; plain_stresses(); sink += plain_drivers(); }
    t[2] = now();
    for (int i = 0; i < reps; ++i) { stress[0] += 1e-9; sink += library_drivers(); }
    t[3] = now();
    for (int i = 0; i < reps; ++i) { stress[0] += 1e-9; sink += plain_drivers(); }
    t[4] = now();
    for (int k = 0; k < 4; ++k)
      if (t[k + 1] - t[k] < best[k]) best[k] = t[k + 1] - t[k];
  }
  printf("%.4f %.4f %.4f %.4f %d\n", best[0] / reps * 1e6, best[1] / reps * 1e6, best[2] / reps * 1e6,
         best[3] / reps * 1e6, sink != 0.0);
  return 0;
}
"""


def python_point(vx, pe, ps, ori, thk, q):
    lam, dmg = vx.laminate, vx.damage
    eps = lam.getsectionstrain(SE, ori[:, 0], thk[:, 0])
    stresses = []
    for p in range(8):
        s11, s22, s12 = q[p] @ eps[:, 3 * p + 1]
        stresses.append(np.array([s11, s22, 0.0, s12, 1.5, -0.8]))
    empty = np.zeros((0, 8, 1))
    dds = np.zeros(10)
    for p, s in enumerate(stresses):
        dmg.generalfailure(s, ps, ori, p + 1, 1, 1)
        dds[0] = dmg.fiberbreakage(s, pe, ps, ori, p + 1, 1, 3)[0]
        dds[3] = dmg.matrixcracking(s, pe, ps, empty, ori, p + 1, 1, 5)[0]
        if p < 7:
            dmg.delamination(0.0, s, stresses[p + 1], pe, ps, ori, thk, p + 1, 1, 1)
        dmg.corecrushing(s, ps, ori, p + 1, 1, 0)
        vx.degradation.falcomdegradation(dds, 1.0, 5, 1)


def main():
    import _vexlan as vx

    out = run_c_driver(NATIVE_DRIVER)
    if out:
        t = [float(x) for x in out[:4]]
        print(f"{'per integration point, 8 plies':40s} {'library us':>10s} {'plain us':>9s}  ratio")
        print(f"{'stresses, drivers, degradation':40s} {t[0]:10.3f} {t[1]:9.3f}  {t[0] / t[1]:5.2f}  [<=2]")
        print(f"{'drivers and degradation alone':40s} {t[2]:10.3f} {t[3]:9.3f}  {t[2] / t[3]:5.2f}  [<=2]")
    pe = np.asfortranarray(np.tile(np.array(ELASTIC)[:, None, None], (1, 8, 1)))
    ps = np.asfortranarray(np.tile(np.array(STRENGTH)[:, None, None], (1, 8, 1)))
    ori = np.asfortranarray(np.array(ANGLES)[:, None])
    thk = np.full((8, 1), 0.125, order="F")
    q = [vx.lamina.getnyestiffnessmatrix(np.array(ELASTIC), 3) for _ in range(8)]
    py_us = per_call(lambda: python_point(vx, pe, ps, ori, thk, q), number=2000)
    print(f"{'library pipeline (from Python)':34s} {py_us:8.3f}")


if __name__ == "__main__":
    main()
