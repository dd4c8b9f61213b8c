"""Per-call times of the rotation matrix and the fourth-order tensor rotation,
from Python next to numpy/scipy equivalents, and natively (a small C driver
compiled against the library, with the plain eight-fold contraction beside it).

Run on demand:  PYTHONPATH=build python3 bench/bench_geometry.py
"""
import os
import sys

import numpy as np
from scipy.spatial.transform import Rotation

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import print_python_rows, run_c_driver  # noqa: E402



def python_rows(vx):
    rng = np.random.default_rng(1)
    n = rng.normal(size=3)
    n /= np.linalg.norm(n)
    a4 = np.asfortranarray(rng.normal(size=(3, 3, 3, 3)))
    r = Rotation.from_rotvec(0.7 * n).as_matrix()
    path = np.einsum_path("mi,nj,ok,pl,mnop->ijkl", r, r, r, r, a4, optimize="optimal")[0]

    def rodrigues_numpy():
        c, s = np.cos(0.7), np.sin(0.7)
        k = np.array([[0, -n[2], n[1]], [n[2], 0, -n[0]], [-n[1], n[0], 0]])
        return c * np.eye(3) + s * k + (1 - c) * np.outer(n, n)

    return [
        ("getrotationmatrix", lambda: vx.math.getrotationmatrix(n, 0.7),
         "scipy Rotation.from_rotvec().as_matrix()", lambda: Rotation.from_rotvec(0.7 * n).as_matrix()),
        ("getrotationmatrix", lambda: vx.math.getrotationmatrix(n, 0.7),
         "numpy Rodrigues", rodrigues_numpy),
        ("tensorrotation4th", lambda: vx.math.tensorrotation4th(a4, 0.7, n),
         "np.einsum (optimal path)", lambda: np.einsum("mi,nj,ok,pl,mnop->ijkl", r, r, r, r, a4, optimize=path)),
        ("tensorrotation4th", lambda: vx.math.tensorrotation4th(a4, 0.7, n),
         "np.einsum (no path)", lambda: np.einsum("mi,nj,ok,pl,mnop->ijkl", r, r, r, r, a4)),
    ]


NATIVE_DRIVER = r"""
#include <stdio.h>
#include <math.h>
#include "bench_clock.h"
#include "vexlan/math_geometry.h"

/* The plain eight-fold sum, for comparison. */
static void plain4(const double* in, double* out, const double* r) {
  for (int l = 0; l < 3; ++l) for (int k = 0; k < 3; ++k) for (int j = 0; j < 3; ++j) for (int i = 0; i < 3; ++i) {
    double s = 0.0;
    for (int p = 0; p < 3; ++p) for (int o = 0; o < 3; ++o) for (int n = 0; n < 3; ++n) for (int m = 0; m < 3; ++m)
      s += r[m + 3 * i] * r[n + 3 * j] * r[o + 3 * k] * r[p + 3 * l] * in[m + 3 * n + 9 * o + 27 * p];
    out[i + 3 * j + 9 * k + 27 * l] = s;
  }
}

int main(void) {
  double a[81], b[81], r[9], n[3] = {0.48, -0.6, 0.64}, ang = 0.7, sink = 0.0;
  for (int i = 0; i < 81; ++i) a[i] = sin(1.0 + i);
  const int reps = 200000;
  double best[3] = {1e9, 1e9, 1e9};
  for (int round = 0; round < 5; ++round) {
    double t0 = now();
    for (int i = 0; i < reps; ++i) { ang += 1e-9; GetRotationMatrix(r, n, &ang); sink += r[4]; }
    double t1 = now();
    for (int i = 0; i < reps; ++i) { a[0] += 1e-12; TensorRotation4th(a, b, &ang, n); sink += b[40]; }
    double t2 = now();
    for (int i = 0; i < reps / 20; ++i) { a[0] += 1e-12; plain4(a, b, r); sink += b[40]; }
    double t3 = now();
    double c[3] = {(t1 - t0) / reps, (t2 - t1) / reps, (t3 - t2) / (reps / 20)};
    for (int k = 0; k < 3; ++k) if (c[k] < best[k]) best[k] = c[k];
  }
  printf("%.6f %.6f %.6f %g\n", best[0] * 1e6, best[1] * 1e6, best[2] * 1e6, sink);
  return 0;
}
"""


def native_rows():
    out = run_c_driver(NATIVE_DRIVER, ())
    return [float(v) for v in out[:3]] if out else None


def main():
    import _vexlan as vx

    print_python_rows(python_rows(vx), ref_number=5000)
    nat = native_rows()
    if nat:
        print()
        print("native (C driver, best of 5 rounds)")
        print(f"  GetRotationMatrix                 {nat[0]:8.4f} us/call")
        print(f"  TensorRotation4th                 {nat[1]:8.4f} us/call")
        print(f"  plain eight-fold contraction      {nat[2]:8.4f} us/call")
    else:
        print("\nnative timing skipped (no C compiler or library found)")


if __name__ == "__main__":
    main()
