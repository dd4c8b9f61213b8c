"""Native cost of the laminate stiffness A, B, D of an 8-ply stack: the three
exported routines, the library's one-pass inline kernel, and the same
arithmetic written as one plain C++ loop over the plies.

Run on demand:  PYTHONPATH=build python3 bench/bench_laminate.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import run_cxx_driver  # noqa: E402

DRIVER = r"""
#include <cmath>
#include <cstdio>
#include "bench_clock.h"
#include "vexlan/laminate.h"
#include "laminate_clt.h"

// The reference: one plain function, fixed-size arrays, one pass over the plies.
static void plain_abd(const double* pe, const double* ang, const double* t, int n,
                      double* a, double* b, double* d) {
  double h = 0.0;
  for (int k = 0; k < n; ++k) h += t[k];
  for (int e = 0; e < 9; ++e) a[e] = b[e] = d[e] = 0.0;
  double zb = -h / 2.0;
  for (int k = 0; k < n; ++k) {
    const double* p = pe + 9 * k;
    const double nu21 = p[3] * p[1] / p[0], den = 1.0 - p[3] * nu21;
    double q[9] = {p[0] / den, p[3] * p[1] / den, 0.0, p[3] * p[1] / den, p[1] / den, 0.0, 0.0, 0.0, p[6]};
    const double r = ang[k] * 0.017453292519943295, c = std::cos(r), s = std::sin(r);
    const double tm[9] = {c * c, s * s, -2.0 * c * s, s * s, c * c, 2.0 * c * s, c * s, -c * s, c * c - s * s};
    double qt[9], qb[9];
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) {
        double x = 0.0;
        for (int m = 0; m < 3; ++m) x += q[i + 3 * m] * tm[m + 3 * j];
        qt[i + 3 * j] = x;
      }
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) {
        double x = 0.0;
        for (int m = 0; m < 3; ++m) x += tm[m + 3 * i] * qt[m + 3 * j];
        qb[i + 3 * j] = x;
      }
    const double zt = zb + t[k];
    const double d1 = zt - zb, d2 = zt * zt - zb * zb, d3 = zt * zt * zt - zb * zb * zb;
    for (int e = 0; e < 9; ++e) {
      a[e] += d1 * qb[e];
      b[e] += d2 * qb[e];
      d[e] += d3 * qb[e];
    }
    zb = zt;
  }
  for (int e = 0; e < 9; ++e) {
    b[e] *= 0.5;
    d[e] *= 0.3333333333333333;
  }
}

int main() {
  const int n = 8;
  double pe[9 * n], ang[n] = {0, 45, -45, 90, 90, -45, 45, 0}, t[n];
  const double ply[9] = {140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3};
  for (int k = 0; k < n; ++k) {
    for (int e = 0; e < 9; ++e) pe[9 * k + e] = ply[e];
    t[k] = 0.125;
  }
  const int np = n, reps = 200000;
  double a[9], b[9], d[9], sink = 0.0, best[3] = {1e9, 1e9, 1e9};
  for (int round = 0; round < 7; ++round) {
    double t0 = now();
    for (int i = 0; i < reps; ++i) {
      ang[1] += 1e-9;
      GetAMatrix(a, pe, ang, t, &np);
      GetBMatrix(b, pe, ang, t, &np);
      GetDMatrix(d, pe, ang, t, &np);
      sink += a[2] + b[2] + d[2];
    }
    double t1 = now();
    for (int i = 0; i < reps; ++i) {
      ang[1] += 1e-9;
      vx::lam::stack_abd(a, b, d, pe, ang, t, np);
      sink += a[2] + b[2] + d[2];
    }
    double t2 = now();
    for (int i = 0; i < reps; ++i) {
      ang[1] += 1e-9;
      plain_abd(pe, ang, t, np, a, b, d);
      sink += a[2] + b[2] + d[2];
    }
    double t3 = now();
    const double c[3] = {(t1 - t0) / reps, (t2 - t1) / reps, (t3 - t2) / reps};
    for (int k = 0; k < 3; ++k)
      if (c[k] < best[k]) best[k] = c[k];
  }
  std::printf("%.6f %.6f %.6f %g\n", best[0] * 1e6, best[1] * 1e6, best[2] * 1e6, sink);
  return 0;
}
"""


def native_times():
    out = run_cxx_driver(DRIVER, ["src/laminate"])
    return [float(v) for v in out[:3]] if out else None

def main():
    nat = native_times()
    if not nat:
        print("native timing skipped (no C++ compiler or library found)")
        return
    exported, kernel, plain = nat
    print("A, B, D of an 8-ply stack, native (best of 7 rounds)")
    print(f"  GetAMatrix + GetBMatrix + GetDMatrix   {exported:8.4f} us   ratio to plain {exported / plain:5.2f}")
    print(f"  one-pass kernel (vx::lam::stack_abd)   {kernel:8.4f} us   ratio to plain {kernel / plain:5.2f}  [<=1.5]")
    print(f"  plain C++ loop over the plies          {plain:8.4f} us")


if __name__ == "__main__":
    main()
