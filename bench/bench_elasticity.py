"""Per-call cost of the orthotropic stress law and of its numerical tangent, from
Python (law passed by its native pointer, or as a Python function) and natively
(a C driver compiled against the library).

Run on demand:  PYTHONPATH=build python3 bench/bench_elasticity.py
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import print_python_rows, run_c_driver  # noqa: E402

ORTHO = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3])
STRAIN = np.array([1e-3, -2e-3, 5e-4, 3e-3, -1e-3, 2e-3])


def python_rows(vx):
    el = vx.elasticity
    law = el.getstressfromorthotropicelasticity
    claw = el.cmplx_getstressfromanisotropichyperelasticity
    c = np.asfortranarray(el.getnumericaltangent(law._cpointer, ORTHO, np.zeros(6), np.ones(6), STRAIN, 3, 0))
    packed = np.concatenate([c[: j + 1, j] for j in range(6)])
    s1, s0 = c @ STRAIN, np.zeros(6)

    def pylaw(stress, strain, props, ntens, ndi):
        stress[:] = c @ strain

    def numpy_central():
        h = 1e-8
        return np.stack([(c @ (STRAIN + h * e) - c @ (STRAIN - h * e)) / (2 * h) for e in np.eye(6)], axis=1)

    return [
        ("orthotropic law", lambda: law(STRAIN, ORTHO, 3), "ndarray @ (6x6, 6)", lambda: c @ STRAIN),
        ("tangent, central, native law", lambda: el.getnumericaltangent(law._cpointer, ORTHO, s1, s0, STRAIN, 3, 0),
         "numpy central differences", numpy_central),
        ("tangent, central, Python law", lambda: el.getnumericaltangent(pylaw, ORTHO, s1, s0, STRAIN, 3, 0),
         "numpy central differences", numpy_central),
        ("tangent, complex step, native",
         lambda: el.getnumericaltangent(claw._cpointer, packed, s1, s0, STRAIN, 3, 0, nmflag=1),
         "numpy central differences", numpy_central),
    ]


NATIVE_DRIVER = r"""
#include <stdio.h>
#include "bench_clock.h"
#include "vexlan/elasticity.h"

int main(void) {
  double props[9] = {140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3};
  double e[6] = {1e-3, -2e-3, 5e-4, 3e-3, -1e-3, 2e-3}, s0[6] = {0}, s1[6], t[36], sink = 0.0;
  int ntens = 6, ndi = 3, nprops = 9;
  signed char tensor = 0;
  const int reps = 200000;
  double best[2] = {1e9, 1e9};
  for (int round = 0; round < 7; ++round) {
    double t0 = now();
    for (int i = 0; i < reps; ++i) {
      e[0] += 1e-15;
      GetStressFromOrthotropicElasticity(s1, e, props, &ntens, &ndi, &nprops);
      sink += s1[1];
    }
    double t1 = now();
    for (int i = 0; i < reps / 10; ++i) {
      e[0] += 1e-15;
      getnumericaltangent(t, GetStressFromOrthotropicElasticity, props, s1, s0, e, &ntens, &ndi, &nprops,
                          &tensor, NULL, NULL, NULL);
      sink += t[7];
    }
    double t2 = now();
    double r[2] = {(t1 - t0) / reps, (t2 - t1) / (reps / 10)};
    for (int k = 0; k < 2; ++k) if (r[k] < best[k]) best[k] = r[k];
  }
  printf("%.6f %.6f %g\n", best[0] * 1e6, best[1] * 1e6, sink);
  return 0;
}
"""


def main():
    import _vexlan as vx

    print_python_rows(python_rows(vx))
    out = run_c_driver(NATIVE_DRIVER)
    if out:
        law, tangent = float(out[0]), float(out[1])
        print()
        print("native (C driver, best of 7 rounds)")
        print(f"  GetStressFromOrthotropicElasticity          {law:8.4f} us/call")
        print(f"  getnumericaltangent (central, 12 law calls) {tangent:8.4f} us/call   {tangent / law:5.1f} law calls")
    else:
        print("\nnative timing skipped (no C compiler or library found)")


if __name__ == "__main__":
    main()
