"""Per-call cost of the binding next to numpy and plain-Python equivalents.

Run on demand (make bench); every figure is measured in this run.
"""
import glob
import importlib
import math
import os
import sys
import timeit

import numpy as np

import _vexlan as vx


def per_call(stmt, number=200_000, repeat=7, g=None):
    t = min(timeit.repeat(stmt, number=number, repeat=repeat, globals=g))
    return t / number * 1e9


def row(label, ns, ref_label, ref_ns):
    print(f"{label:<44s} {ns:9.1f} ns   {ref_label:<28s} {ref_ns:9.1f} ns   ratio {ns / ref_ns:5.2f}")


def main():
    mod = sys.modules[__name__]
    mod.plain = 1.0
    g = {"vx": vx, "np": np, "math": math, "mod": mod, "u": vx.utility, "eh": vx.errorhandling,
         "jd": vx.jobdata, "a66": np.zeros((6, 6), order="F")}
    print("binding overhead (lower is better; targets in brackets)")
    row("utility.getidentitymatrix(6)  [<=0.2]", per_call("u.getidentitymatrix(6)", g=g),
        "numpy.eye(6)", per_call("np.eye(6)", g=g))
    row("errorhandling.rsxerr(0)  [<=3]", per_call("eh.rsxerr(0)", g=g),
        "math.hypot(3.0, 4.0)", per_call("math.hypot(3.0, 4.0)", g=g))
    row("jobdata.nsteps read  [<=5]", per_call("jd.nsteps", g=g),
        "module attribute read", per_call("mod.plain", g=g))
    row("real_fillmatrixwithscalar(6x6, overwrite)", per_call("u.real_fillmatrixwithscalar(a66, 1.0, 1)", g=g),
        "ndarray.fill (6x6)", per_call("a66.fill(1.0)", g=g))
    here = os.path.dirname(os.path.abspath(__file__))
    for path in sorted(glob.glob(os.path.join(here, "bench_*.py"))):
        name = os.path.splitext(os.path.basename(path))[0]
        sys.path.insert(0, here)
        m = importlib.import_module(name)
        if hasattr(m, "main"):
            print(f"\n{name}")
            m.main()


if __name__ == "__main__":
    main()
