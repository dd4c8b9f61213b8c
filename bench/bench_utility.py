"""Per-call times of the array helpers next to their numpy equivalents.

Run on demand:  PYTHONPATH=build python3 bench/bench_utility.py
"""
import ctypes
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import native_library as library_path, per_call  # noqa: E402



def native_library():
    path = library_path()
    return ctypes.CDLL(path) if path else None


def python_cases(u):
    a6 = np.zeros((6, 6), order="F")
    x = np.arange(36.0)
    v = np.random.default_rng(0).random(50)
    return [
        ("identity 6x6", lambda: u.getidentitymatrix(6), lambda: np.eye(6)),
        ("fill 6x6 in place", lambda: u.real_fillmatrixwithscalar(a6, 2.5, overwrite_a=1), lambda: a6.fill(2.5)),
        ("fill 6x6 copy", lambda: u.real_fillmatrixwithscalar(a6, 2.5), lambda: np.full((6, 6), 2.5)),
        ("zeros 6x6", lambda: u.inimatrixwithzeros(6, 6), lambda: np.zeros((6, 6))),
        ("linspace 50", lambda: u.linspace(0.0, 1.0, 50), lambda: np.linspace(0.0, 1.0, 50)),
        ("flip vector 36", lambda: u.vectorflip(x), lambda: x[::-1].copy()),
        ("ordering 50", lambda: u.real_getcontinuous(v, 1), lambda: np.argsort(v, kind="stable")),
        ("find location 36", lambda: u.real_findlocation(35.0, x), lambda: np.flatnonzero(x == 35.0)),
    ]


def native_cases(lib):
    c = ctypes
    a = (c.c_double * 36)()
    n6 = c.byref(c.c_int32(6))
    lam = c.byref(c.c_double(2.5))

    class View(c.Structure):
        _fields_ = [("base", c.c_void_p), ("rank", c.c_int32), ("extent", c.c_int64 * 7),
                    ("stride", c.c_int64 * 7)]

    view = View(c.addressof(a), 2)
    view.extent[0] = view.extent[1] = 6
    view.stride[0], view.stride[1] = 1, 6
    pv = c.byref(view)
    return [
        ("identity 6x6 (ctypes)", lambda: lib.GetIdentityMatrix(a, n6)),
        ("fill 6x6 (ctypes)", lambda: lib.real_fillmatrixwithscalar(pv, lam)),
    ]


def main():
    import _vexlan
    u = _vexlan.utility
    print(f"{'case':28s} {'vexlan us':>10s} {'numpy us':>10s} {'ratio':>7s}")
    for name, ours, ref in python_cases(u):
        t1, t2 = per_call(ours), per_call(ref)
        print(f"{name:28s} {t1:10.3f} {t2:10.3f} {t1 / t2:7.2f}")
    lib = native_library()
    if lib is not None:
        print("native entry points through ctypes (call overhead of ctypes included):")
        for name, ours in native_cases(lib):
            print(f"{name:28s} {per_call(ours):10.3f}")


if __name__ == "__main__":
    main()
