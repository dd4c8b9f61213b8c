"""Per-call times of the table interpolation front ends on a 20-point table at
one evaluation point: from Python next to numpy.interp and scipy's
PchipInterpolator (construction plus evaluation), and natively (a small C
driver compiled against the library), which is what a material model pays
per integration point.

Run on demand:  PYTHONPATH=build python3 bench/bench_tables.py
"""
import os
import sys

import numpy as np
from scipy.interpolate import PchipInterpolator

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import per_call, run_c_driver  # noqa: E402

DRIVER = r"""
#include <stdio.h>
#include "bench_clock.h"
#include "vexlan/math_tables.h"

int main(void) {
  double x[20], y[20], p, r, sink = 0.0;
  int32_t n = 20, k = 1;
  for (int i = 0; i < 20; ++i) { x[i] = i * 0.37 + 0.01 * i * i; y[i] = x[i] * x[i] / (1.0 + x[i]); }
  const long reps = 2000000;
  double best_lin = 1e30, best_cub = 1e30;
  for (int round = 0; round < 5; ++round) {
    double t0 = now();
    for (long i = 0; i < reps; ++i) {
      p = 0.1 + (i % 997) * 0.0075;
      linearinterpolation(&r, x, &n, y, &n, &p, &k);
      sink += r;
    }
    double t1 = now();
    for (long i = 0; i < reps; ++i) {
      p = 0.1 + (i % 997) * 0.0075;
      cubichermitianinterpolation(&r, x, &n, y, &n, &p, &k);
      sink += r;
    }
    double t2 = now();
    if (t1 - t0 < best_lin) best_lin = t1 - t0;
    if (t2 - t1 < best_cub) best_cub = t2 - t1;
  }
  printf("%.1f %.1f %g\n", best_lin / reps * 1e9, best_cub / reps * 1e9, sink);
  return 0;
}
"""



def native_times():
    out = run_c_driver(DRIVER)
    return (float(out[0]) / 1000, float(out[1]) / 1000) if out else None


def main():
    import _vexlan as vx

    x = np.linspace(0.0, 10.0, 20) ** 1.2
    y = x**2 / (1.0 + x)
    p = np.array([3.3])
    m = vx.math
    rows = [
        ("linearinterpolation", per_call(lambda: m.linearinterpolation(x, y, p)),
         "numpy.interp", per_call(lambda: np.interp(p, x, y))),
        ("cubichermitianinterpolation", per_call(lambda: m.cubichermitianinterpolation(x, y, p)),
         "PchipInterpolator(x, y)(p)", per_call(lambda: PchipInterpolator(x, y)(p), number=2000)),
    ]
    print("20-point table, one evaluation point; best per-call time in microseconds")
    print(f"{'routine':30s} {'us':>8s}   {'reference':30s} {'us':>8s}  ratio")
    for name, t, ref, tr in rows:
        print(f"{name:30s} {t:8.3f}   {ref:30s} {tr:8.3f}  {t / tr:5.2f}")
    nat = native_times()
    if nat:
        print(f"native linearinterpolation         {nat[0]:8.3f} us")
        print(f"native cubichermitianinterpolation {nat[1]:8.3f} us")


if __name__ == "__main__":
    main()
