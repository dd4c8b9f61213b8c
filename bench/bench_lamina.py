"""Per-call times of the ply matrices: from Python next to numpy, and natively the
per-point pipeline (ply stiffness from the nine constants, off-axis
transformation, ply stress from strain) through the exported routines and
through the inline kernels, each next to the same arithmetic written as one
plain C++ function with fixed-size arrays.

Run on demand:  PYTHONPATH=build python3 bench/bench_lamina.py
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import print_python_rows, run_cxx_driver  # noqa: E402

PLY = np.array([140000.0, 10000.0, 9000.0, 0.3, 0.28, 0.45, 5000.0, 4800.0, 3448.0])


def python_rows(vx):
    lam = vx.lamina
    strain = np.array([1e-3, -2e-4, 1e-4, 5e-4, 0.0, 0.0])
    zero = np.zeros(6)
    stress = np.zeros(6)
    c30 = np.asfortranarray(lam.getnyeoffaxissc(30.0, PLY, 6, 1))

    def numpy_pipeline():
        s = np.linalg.inv(np.diag(1.0 / PLY[[0, 1, 2, 6, 7, 8]]))
        return s @ strain

    return [
        ("getnyestiffnessmatrix 6 [<=0.25]", lambda: lam.getnyestiffnessmatrix(PLY, 6), "numpy.eye(6)",
         lambda: np.eye(6)),
        ("getnyeoffaxissc 6", lambda: lam.getnyeoffaxissc(30.0, PLY, 6, 1), "numpy.eye(6)", lambda: np.eye(6)),
        ("getstressvector 6 (secant)", lambda: lam.getstressvector(stress, c30, strain, zero, 3, 1, 0),
         "ndarray @ (6x6, 6)", lambda: c30 @ strain),
        ("offaxis + stress (pipeline)",
         lambda: lam.getstressvector(stress, lam.getnyeoffaxissc(30.0, PLY, 6, 1), strain, zero, 3, 1, 0),
         "numpy inv(diag) @ strain", numpy_pipeline),
    ]


NATIVE_DRIVER = r"""
#include <cmath>
#include <cstdio>
#include "bench_clock.h"
#include "vexlan/lamina.h"
#include "lamina_kernels.h"

// The per-point pipeline written out plainly: on-axis stiffness, strain-form
// rotation about the ply normal, T^T C T, stress = C-bar e.
static void reference(double stress[6], const double p[9], double deg, const double e[6]) {
  const double e1 = p[0], e2 = p[1], e3 = p[2], n12 = p[3], n13 = p[4], n23 = p[5];
  const double n21 = n12 * e2 / e1, n31 = n13 * e3 / e1, n32 = n23 * e3 / e2;
  const double d = (1.0 - n12 * n21 - n23 * n32 - n13 * n31 - 2.0 * n12 * n23 * n31) / (e1 * e2 * e3);
  double c[6][6] = {};
  c[0][0] = (1.0 - n23 * n32) / (e2 * e3 * d);
  c[1][1] = (1.0 - n13 * n31) / (e1 * e3 * d);
  c[2][2] = (1.0 - n12 * n21) / (e1 * e2 * d);
  c[0][1] = c[1][0] = (n21 + n31 * n23) / (e2 * e3 * d);
  c[0][2] = c[2][0] = (n31 + n21 * n32) / (e2 * e3 * d);
  c[1][2] = c[2][1] = (n32 + n12 * n31) / (e1 * e3 * d);
  c[3][3] = p[6];
  c[4][4] = p[7];
  c[5][5] = p[8];
  const double r = deg * 0.017453292519943295, cs = std::cos(r), sn = std::sin(r);
  double t[6][6] = {};
  t[0][0] = cs * cs; t[0][1] = sn * sn; t[1][0] = sn * sn; t[1][1] = cs * cs;
  t[2][2] = 1.0; t[4][4] = cs; t[4][5] = sn; t[5][4] = -sn; t[5][5] = cs;
  t[0][3] = cs * sn; t[1][3] = -cs * sn; t[3][0] = -2.0 * cs * sn; t[3][1] = 2.0 * cs * sn;
  t[3][3] = cs * cs - sn * sn;
  double ct[6][6], cb[6][6];
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      double s = 0.0;
      for (int k = 0; k < 6; ++k) s += c[i][k] * t[k][j];
      ct[i][j] = s;
    }
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      double s = 0.0;
      for (int k = 0; k < 6; ++k) s += t[k][i] * ct[k][j];
      cb[i][j] = s;
    }
  for (int i = 0; i < 6; ++i) {
    double s = 0.0;
    for (int j = 0; j < 6; ++j) s += cb[i][j] * e[j];
    stress[i] = s;
  }
}

int main() {
  const double p[9] = {140000.0, 10000.0, 9000.0, 0.3, 0.28, 0.45, 5000.0, 4800.0, 3448.0};
  const double e[6] = {1e-3, -2e-4, 1e-4, 5e-4, 0.0, 0.0}, zero[6] = {};
  const int reps = 50000;
  const int six = 6, three = 3, one = 1;
  const vx_l1 yes = 1, no = 0;
  double best[4] = {1e9, 1e9, 1e9, 1e9}, sink = 0.0, check = 0.0;
  for (int round = 0; round < 31; ++round) {
    double deg = 10.0, s[6], cbar[36];
    double t0 = now();
    for (int i = 0; i < reps; ++i) {
      deg += 1e-6;
      GetNyeOffAxisSC(cbar, &deg, p, &six, &one);
      GetStressVector(s, cbar, e, zero, &three, &six, &yes, &no);
      sink += s[0];
    }
    double t1 = now();
    deg = 10.0;
    for (int i = 0; i < reps; ++i) {
      deg += 1e-6;
      const vx::Mat6 cb = vx::lamina::off_axis<6>(p, deg, true);
      vx::lamina::stress_from_strain<6>(s, cb, e);
      sink += s[0];
    }
    double t2 = now();
    deg = 10.0;
    for (int i = 0; i < reps; ++i) {
      deg += 1e-6;
      reference(s, p, deg, e);
      sink += s[0];
    }
    double t3 = now();
    for (int i = 0; i < reps; ++i) {
      deg += 1e-6;
      GetNyeStiffnessMatrix(cbar, p, &six, nullptr);
      sink += cbar[7];
    }
    double t4 = now();
    double t[4] = {(t1 - t0) / reps, (t2 - t1) / reps, (t3 - t2) / reps, (t4 - t3) / reps};
    for (int k = 0; k < 4; ++k) if (t[k] < best[k]) best[k] = t[k];
  }
  // the three pipelines agree
  double a[6], b[6], cbar[36], deg = 37.0;
  GetNyeOffAxisSC(cbar, &deg, p, &six, &one);
  GetStressVector(a, cbar, e, zero, &three, &six, &yes, &no);
  reference(b, p, deg, e);
  for (int k = 0; k < 6; ++k) check = std::fmax(check, std::fabs(a[k] - b[k]) / (1.0 + std::fabs(b[k])));
  std::printf("%.6f %.6f %.6f %.6f %g %g\n", best[0] * 1e6, best[1] * 1e6, best[2] * 1e6, best[3] * 1e6, check,
              sink);
  return 0;
}
"""


def native_rows():
    """Timings of the C++ driver in microseconds, or None."""
    out = run_cxx_driver(NATIVE_DRIVER, ["src/material"])
    return [float(v) for v in out[:5]] if out else None

def main():
    import _vexlan as vx

    print_python_rows(python_rows(vx))
    nat = native_rows()
    if not nat:
        print("\nnative timing skipped (no C++ compiler or library found)")
        return
    exp, ker, ref, stiff, diff = nat
    print()
    print("native per-point pipeline: stiffness, off-axis, stress (C++ driver, best of 31 rounds)")
    print(f"  exported GetNyeOffAxisSC + GetStressVector  {exp:8.4f} us/call   ratio {exp / ref:5.2f} [<=1.5]")
    print(f"  inline kernels off_axis + stress_from_strain {ker:8.4f} us/call   ratio {ker / ref:5.2f} [<=1.5]")
    print(f"  plain C++ function (reference)               {ref:8.4f} us/call")
    print(f"  GetNyeStiffnessMatrix 6 alone                {stiff:8.4f} us/call")
    print(f"  largest relative difference to the reference {diff:.1e}")


if __name__ == "__main__":
    main()
