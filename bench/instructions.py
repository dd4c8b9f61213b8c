"""Instructions per binding call, counted with valgrind's callgrind.

Wall-clock times of calls this short are noisy on a shared machine; the
instruction count of a fixed set of calls is not. Each call is run n1 and n2
times in a fresh interpreter; the difference of the two totals over n2 - n1
is its cost per call, the start-up cancelled.

    python bench/instructions.py BUILD_DIR [OUT.json] [LABEL ...]

BUILD_DIR holds the _vexlan module to measure (build/ after `make dev`).
Two runs, before and after a change, are compared row by row. Not part of
`make bench`: under valgrind the set takes several minutes.
"""
import json
import os
import re
import subprocess
import sys

SETUP = r'''
import math
import numpy as np, _vexlan as vx
u, la, m, eh, jd, lam = vx.utility, vx.lamina, vx.math, vx.errorhandling, vx.jobdata, vx.laminate
props = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.4, 5e3, 5e3, 3.5e3])
m66 = np.asfortranarray(np.eye(6) * 2.0 + 0.1)
a66 = np.zeros((6, 6), order="F")
plies = np.asfortranarray(np.tile(props[:, None], (1, 4)))
angles, thick = np.array([0.0, 45.0, -45.0, 90.0]), np.full(4, 0.125)
abd = lam.getabdmatrix(lam.getamatrix(plies, angles, thick), lam.getbmatrix(plies, angles, thick),
                       lam.getdmatrix(plies, angles, thick))
c23 = np.arange(6.0).reshape(2, 3)
lst4 = np.array([1.0, 2.0, 3.0, 4.0])
i5 = np.array([1, 3, 7, 9, 11], np.int32)
s6 = np.array([30.0, 0, 0, 0, 0, 0]); d0 = np.array(0.0)
v3a, v3b = np.array([1.0, 2.0, 3.0]), np.array([1.0, 2.5, 3.0])
args2 = np.array([2.0, 0.0])
def f(fa, d0, x, args, nfun): return x * x - args[0]
stress, dd = np.zeros(6), np.asfortranarray(np.eye(6)); e0, de = np.full(6, 1e-3), np.full(6, 1e-4)
gp4 = np.array([0.3, 0.2, 0.15, 0.15])
'''

ROWS = [
    ("getidentitymatrix", "u.getidentitymatrix(6)"),
    ("getnyestiffnessmatrix", "la.getnyestiffnessmatrix(props, 6)"),
    ("getnyestiffnessmatrix list", "la.getnyestiffnessmatrix(list(props), 6)"),
    ("matrixinverse 6x6", "m.matrixinverse(m66)"),
    ("rsxerr", "eh.rsxerr(0)"),
    ("nsteps read", "jd.nsteps"),
    ("errstat set", "eh.errstat = 0"),
    ("jobname set", "jd.jobname = 'abc'"),
    ("fill 6x6 overwrite", "u.real_fillmatrixwithscalar(a66, 1.0, 1)"),
    ("fill 6x6 copy", "u.real_fillmatrixwithscalar(a66, 1.0)"),
    ("mcrckpuck", "vx.mccollection.mcrckpuck(-180.0, 0.0, 80.0, 0.0, 0.0, 50.0, 200.0, 80.0)"),
    ("mcrckpuck kw", "vx.mccollection.mcrckpuck(-180.0, 0.0, 80.0, 0.0, 0.0, 50.0, 200.0, 80.0, outtheta=-1.0)"),
    ("mcrckpuck gp", "vx.mccollection.mcrckpuck(-180.0, 0.0, 80.0, 0.0, 0.0, 50.0, 200.0, 80.0, -1.0, gp4)"),
    ("gpmaxnominal", "vx.gpcollection.gpmaxnominal(5.0, 10.0, 10.0)"),
    ("gpmaxnominal int", "vx.gpcollection.gpmaxnominal(5, 10, 10)"),
    ("real_inlist", "u.real_inlist(4.0, lst4, 4)"),
    ("int_findlocation", "u.int_findlocation(7, i5)"),
    ("matrixcopy C", "u.matrixcopy(c23)"),
    ("matrixcopy list", "u.matrixcopy([[1.0, 2.0], [3.0, 4.0]])"),
    ("getamatrix", "lam.getamatrix(plies, angles, thick)"),
    ("getengconsts", "lam.getengconstsfromabdmatrix(abd, 1.0)"),
    ("getengconsts tcflag", "lam.getengconstsfromabdmatrix(abd, 1.0, 1)"),
    ("gpbauwens inout", "vx.gpcollection.gpbauwens(s6, 50.0, 100.0, d0)"),
    ("bdsafe python", "m.bdsafe(f, 0.0, 2.0, args2, 1e-10, 100, 1)"),
    ("linspace", "u.linspace(0.0, 1.0, 5)"),
    ("linspace endpoint", "u.linspace(0.0, 1.0, 5, endpoint=0)"),
    ("vectormac", "m.vectormodalassurancecriterion(v3a, v3b)"),
    ("getstressvector", "la.getstressvector(stress, dd, e0, de, 3, 0, 0)"),
    ("lowercase", "vx.stringhandling.lowercase('AbCdEf', 6)"),
    ("getsubarray", "u.getsubarray(lst4, 2)"),
    ("hypot ref", "math.hypot(3.0, 4.0)"),
    ("loop (pass)", "pass"),
]

N1, N2 = 1000, 6000


def instructions(build, stmt, n):
    code = SETUP + f"\nfor _ in range({n}):\n    {stmt}\n"
    # One thread and a fixed hash seed: the counts repeat to the instruction.
    env = dict(os.environ, PYTHONPATH=os.path.abspath(build), PYTHONHASHSEED="0", OPENBLAS_NUM_THREADS="1",
               OMP_NUM_THREADS="1", MKL_NUM_THREADS="1")
    r = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null", sys.executable, "-c", code],
                       capture_output=True, text=True, env=env)
    m = re.search(r"Collected : (\d+)", r.stderr)
    if not m:
        raise RuntimeError(r.stderr[-2000:])
    return int(m.group(1))


def main():
    build, out, only = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None, sys.argv[3:]
    result = {}
    for label, stmt in ROWS:
        if only and label not in only:
            continue
        result[label] = (instructions(build, stmt, N2) - instructions(build, stmt, N1)) / (N2 - N1)
        print(f"{label:32s} {result[label]:10.0f}", flush=True)
    if out:
        with open(out, "w") as fh:
            json.dump(result, fh, indent=1)


if __name__ == "__main__":
    main()
