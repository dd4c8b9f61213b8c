"""Per-call cost of the binding next to numpy and plain-Python equivalents.

Run on demand (make bench); every figure is measured in this run.
"""
import glob
import importlib
import math
import os
import sys

import numpy as np

import _vexlan as vx

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import per_call_pair  # noqa: E402


def row(label, stmt, ref_label, ref, g):
    us, ref_us = per_call_pair(stmt, ref, g, number=200_000, repeat=7)
    ns, ref_ns = us * 1e3, ref_us * 1e3
    print(f"{label:<44s} {ns:9.1f} ns   {ref_label:<28s} {ref_ns:9.1f} ns   ratio {ns / ref_ns:5.2f}")


def main():
    mod = sys.modules[__name__]
    mod.plain = 1.0
    g = {"vx": vx, "np": np, "math": math, "mod": mod, "u": vx.utility, "eh": vx.errorhandling,
         "jd": vx.jobdata, "a66": np.zeros((6, 6), order="F"), "la": vx.lamina, "m": vx.math,
         "props": np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.4, 5e3, 5e3, 3.5e3]),
         "m66": np.asfortranarray(np.eye(6) * 2.0 + 0.1)}
    print("binding overhead (lower is better; targets in brackets)")
    row("utility.getidentitymatrix(6)  [<=0.2]", "u.getidentitymatrix(6)", "numpy.eye(6)", "np.eye(6)", g)
    row("lamina.getnyestiffnessmatrix(p,6)  [<=0.25]", "la.getnyestiffnessmatrix(props, 6)",
        "numpy.eye(6)", "np.eye(6)", g)
    row("math.matrixinverse(6x6)", "m.matrixinverse(m66)", "numpy.linalg.inv (6x6)", "np.linalg.inv(m66)", g)
    row("errorhandling.rsxerr(0)  [<=3]", "eh.rsxerr(0)", "math.hypot(3.0, 4.0)", "math.hypot(3.0, 4.0)", g)
    row("jobdata.nsteps read  [<=5]", "jd.nsteps", "module attribute read", "mod.plain", g)
    row("real_fillmatrixwithscalar(6x6, overwrite)", "u.real_fillmatrixwithscalar(a66, 1.0, 1)",
        "ndarray.fill (6x6)", "a66.fill(1.0)", g)
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
