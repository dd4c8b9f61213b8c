"""Per-call times of the dense linear algebra on the small matrices met per
integration point: from Python next to numpy/scipy equivalents, and natively
(a small C driver compiled against the library, with a direct LAPACK/BLAS call
beside each routine).

Run on demand:  PYTHONPATH=build python3 bench/bench_linalg.py
"""
import os
import sys

import numpy as np
import scipy.linalg.lapack as sla

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import print_python_rows, run_c_driver  # noqa: E402



def python_rows(vx):
    m = vx.math
    rng = np.random.default_rng(3)
    a6 = np.asfortranarray(rng.standard_normal((6, 6)) + 6 * np.eye(6))
    b6 = np.asfortranarray(rng.standard_normal((6, 6)))
    x6 = rng.standard_normal(6)
    s3 = np.asfortranarray(np.array([[3.0, 1.0, 0.5], [1.0, 2.0, 0.2], [0.5, 0.2, 1.0]]))
    spd6 = np.asfortranarray(b6 @ b6.T + np.eye(6))

    def f2py_inverse():
        lu, piv, _ = sla.dgetrf(a6)
        return sla.dgetri(lu, piv)[0]

    return [
        ("matrixinverse 6x6 [<=0.4]", lambda: m.matrixinverse(a6), "numpy.linalg.inv", lambda: np.linalg.inv(a6)),
        ("matrixinverse 6x6", lambda: m.matrixinverse(a6), "scipy lapack dgetrf+dgetri", f2py_inverse),
        ("lufactdeterminant 6x6", lambda: m.lufactdeterminant(a6), "numpy.linalg.det", lambda: np.linalg.det(a6)),
        ("matrixproduct 6x6", lambda: m.matrixproduct(a6, b6), "ndarray @", lambda: a6 @ b6),
        ("matrixvectorproduct 6", lambda: m.matrixvectorproduct(a6, x6), "ndarray @", lambda: a6 @ x6),
        ("vectornorm 6", lambda: m.vectornorm(x6), "numpy.linalg.norm", lambda: np.linalg.norm(x6)),
        ("matrixeigenvalues 3x3", lambda: m.matrixeigenvalues(s3), "numpy.linalg.eigvalsh", lambda: np.linalg.eigvalsh(s3)),
        ("choleskyfactorization 6x6", lambda: m.choleskyfactorization(spd6), "numpy.linalg.cholesky",
         lambda: np.linalg.cholesky(spd6)),
        ("generalmatrixproduct 6x6", lambda: m.generalmatrixproduct(1.0, a6, b6, 0.0, b6, "N", "T"),
         "a @ b.T", lambda: a6 @ b6.T),
    ]


NATIVE_DRIVER = r"""
#include <stdio.h>
#include <string.h>
#include <math.h>
#include "bench_clock.h"
#include "vexlan/math_linalg.h"

void dgetrf_(const int*, const int*, double*, const int*, int*, int*);
void dgetri_(const int*, double*, const int*, const int*, double*, const int*, int*);
void dgemm_(const char*, const char*, const int*, const int*, const int*, const double*, const double*,
            const int*, const double*, const int*, const double*, double*, const int*, size_t, size_t);

int main(void) {
  int n = 6, info = 0, ipiv[6];
  double a[36], w[36], ainv[36], b[36], c[36], work[6], one = 1.0, zero = 0.0, sink = 0.0;
  for (int i = 0; i < 36; ++i) { a[i] = sin(1.0 + i) + (i % 7 == 0 ? 6.0 : 0.0); b[i] = cos(2.0 + i); }
  memcpy(w, a, sizeof a);
  const int reps = 200000;
  double best[4] = {1e9, 1e9, 1e9, 1e9};
  for (int round = 0; round < 7; ++round) {
    double t0 = now();
    for (int i = 0; i < reps; ++i) { a[0] += 1e-13; MatrixInverse(a, ainv, &n); sink += ainv[7]; }
    double t1 = now();
    /* direct: in place on one buffer, which alternates between A and its inverse */
    for (int i = 0; i < reps; ++i) {
      dgetrf_(&n, &n, w, &n, ipiv, &info);
      dgetri_(&n, w, &n, ipiv, work, &n, &info);
      sink += w[7];
    }
    double t2 = now();
    for (int i = 0; i < reps; ++i) { a[0] += 1e-13; MatrixProduct(a, b, c, &n, &n, &n); sink += c[7]; }
    double t3 = now();
    for (int i = 0; i < reps; ++i) {
      a[0] += 1e-13;
      dgemm_("N", "N", &n, &n, &n, &one, a, &n, b, &n, &zero, c, &n, 1, 1);
      sink += c[7];
    }
    double t4 = now();
    double t[4] = {(t1 - t0) / reps, (t2 - t1) / reps, (t3 - t2) / reps, (t4 - t3) / reps};
    for (int k = 0; k < 4; ++k) if (t[k] < best[k]) best[k] = t[k];
  }
  printf("%.6f %.6f %.6f %.6f %g\n", best[0] * 1e6, best[1] * 1e6, best[2] * 1e6, best[3] * 1e6, sink);
  return 0;
}
"""


def native_rows():
    out = run_c_driver(NATIVE_DRIVER, ("-llapack", "-lblas",))
    return [float(v) for v in out[:4]] if out else None


def main():
    import _vexlan as vx

    print_python_rows(python_rows(vx))
    nat = native_rows()
    if nat:
        print()
        print("native 6 x 6 (C driver, best of 7 rounds)")
        print(f"  MatrixInverse                   {nat[0]:8.4f} us/call")
        print(f"  dgetrf + dgetri direct          {nat[1]:8.4f} us/call   ratio {nat[0] / nat[1]:5.2f} [<=1.2]")
        print(f"  MatrixProduct                   {nat[2]:8.4f} us/call")
        print(f"  dgemm direct                    {nat[3]:8.4f} us/call   ratio {nat[2] / nat[3]:5.2f}")
    else:
        print("\nnative timing skipped (no C compiler or library found)")


if __name__ == "__main__":
    main()
