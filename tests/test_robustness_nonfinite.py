"""Hostile numbers reach every routine without undefined behaviour: each real argument (scalar,
in/out scalar or array, required or optional) is given NaN, inf, -inf, +-1e300 and reals just
beyond the 32-bit and 64-bit integer range, and each integer argument the extreme, negative and
zero values, one argument at a time, the others being the valid-shaped values the binding path
sweep builds from the docstrings. As those values take one branch of each selector (a criterion
or mode number, a flag), every integer argument that is not an extent is also set to -1..16 in
turn with every real at once NaN or huge. Nothing is asserted about the results: the routines' own
tests say what each input must give. What is checked is that no call crashes and that, in the
sanitizer build, no conversion of such a number to an integer, no overflow and no bad access is
reported. The run happens in child processes; a routine that ends the process on purpose (the
interpolation libraries on a bad table, xerr) only restarts the run after it.

The normal run (some 40,000 calls) fills a whole array with the value and leaves out the routines
that end the process; VX_FUZZ=full (some 460,000 calls, minutes) also sets every element on its
own (up to 12 per array), every real on its own under each selector value, takes more values and
calls every routine."""
import os
import subprocess
import sys
import tempfile

from test_binding_paths import DRIVER as PATHS_DRIVER

# The sweep's argument builder (docstring parsing, valid shapes and values), without its loop.
MACHINERY, found, _ = PATHS_DRIVER.partition("\ncounts = collections.Counter()")
assert found, "the path sweep's driver changed: take its argument builder otherwise"

DRIVER = MACHINERY + r'''
import faulthandler, warnings
warnings.simplefilter("ignore")  # numpy's notes on casting the hostile values
start, first, full, limit = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3] == "full", float(sys.argv[4])
# Routines that end the process on purpose: only the full run calls them, each end costs a restart.
ENDS_ON_PURPOSE = eval(sys.argv[5])
REALS = [math.nan, math.inf, -math.inf, 1e300, -1e300, 2147483648.0, -2147483649.0, 9.3e18]
if full:
    REALS += [-9.3e18, 4294967296.5, 1e-310, -0.0]
SWEPT = REALS if full else [math.nan, 1e300, -1e300, -2147483649.0]
INTS = [2**31 - 1, -2**31, -1, 0] + ([2**31 - 2, -2**31 + 1, 65536] if full else [])
COMPLEX = [complex(math.nan, 0.0), complex(0.0, math.inf), complex(1e300, -1e300)]
# Counts that the routine honours by filling that many slots: the largest
# positive ones only cost time and memory.
HONOURED = {("allocatelist", "le")}


def hostile(kind, value):
    """The hostile versions of one argument value: (label, value) pairs."""
    if isinstance(value, np.ndarray):
        code = value.dtype.kind
        pool = REALS if code == "f" else COMPLEX if code == "c" else INTS if code == "i" else []
        if code == "i" and value.dtype.itemsize == 1:
            pool = [127, -128, -1, 0]
        for v in pool:
            yield "all %r" % (v,), np.full_like(value, v, order="F")
            if full and value.ndim:
                for k in range(min(value.size, 12)):
                    a = value.copy(order="F")
                    a.reshape(-1, order="F")[k] = v
                    yield "[%d] %r" % (k, v), a
    elif kind == "float":
        yield from (("%r" % v, v) for v in REALS)
    elif kind == "int":
        yield from (("%r" % v, v) for v in INTS)
    elif kind == "complex":
        yield from (("%r" % v, v) for v in COMPLEX)


routines = []
for comp in sorted(n for n in dir(vx) if type(getattr(vx, n)).__name__ == "component"):
    c = getattr(vx, comp)
    routines += [(comp, n, getattr(c, n)) for n in sorted(dir(c)) if type(getattr(c, n)).__name__ == "routine"]
calls = 0
for k, (comp, name, r) in enumerate(routines):
    if k < start or not full and f"{comp}.{name}" in ENDS_ON_PURPOSE:
        continue
    print("enter", k, comp, name, flush=True)
    # A routine that runs longer than the limit ends the child; the parent names it.
    faulthandler.dump_traceback_later(limit, exit=True)
    required = parameters(r.__doc__)
    optional = [p for p in parameters(r.__doc__, "Other Parameters") if p[2] in ("int", "float", "complex")
                or p[2].startswith("rank-")]
    vals = make(name, required, False)
    ovals = make(name, optional, False)
    slots = [(i, p[0], p[2], v[2]) for i, (p, v) in enumerate(zip(required, vals))]
    slots += [(None, p[0], p[2], v[2]) for p, v in zip(optional, ovals)]
    # Each argument on its own.
    variants = [(pname, label, {n: bad}) for n, (_, pname, kind, value) in enumerate(slots)
                for label, bad in hostile(kind, value)
                if not ((name, pname) in HONOURED and kind == "int" and bad > 2**24)]
    # The valid values take one branch of a selector (a criterion or mode number, a flag):
    # every real at once under each selector value in turn, so that each branch sees them.
    extents = {w for _, _, kind, _ in slots for b in re.findall(r"bounds \((.*)\)", kind)
               for w in re.findall(r"[A-Za-z_]\w*", b)}
    reals = [n for n, (_, _, kind, value) in enumerate(slots)
             if kind == "float" or isinstance(value, np.ndarray) and value.dtype.kind == "f"]
    for n, (_, pname, kind, _) in enumerate(slots):
        if kind != "int" or pname in extents or not reals:
            continue
        for sel in range(-1, 17):
            for v in SWEPT:
                bad = {m: np.full_like(slots[m][3], v, order="F") if isinstance(slots[m][3], np.ndarray) else v
                       for m in reals}
                variants.append((pname, "%d, every real %r" % (sel, v), {**bad, n: sel}))
                if full:
                    variants += [(slots[m][1], "%r, %s %d" % (v, pname, sel), {n: sel, m: bad[m]})
                                 for m in reals]
    for j, (pname, label, change) in enumerate(variants, 1):
        if k == start and j < first:
            continue
        print("call", j, pname, label, flush=True)
        args = args_in("F", vals)
        kw = {}
        for n, bad in change.items():
            if slots[n][0] is None:
                kw[slots[n][1]] = bad
            else:
                args[slots[n][0]] = bad
        vx.errorhandling.rsxerr(1)
        try:
            r(*args, **kw)
        except Exception:
            pass
        calls += 1
print("done", len(routines), calls, flush=True)
'''

# Routines that end the process on purpose (their own tests show it); any other end is a fault,
# except a failed allocation, which ends the process by design (a count of 2**31 - 1 plies).
ENDS_ON_PURPOSE = {"errorhandling.xerr", "math.cubichermitianarclength", "math.cubichermitianintegration",
                   "math.cubichermitianinterpolation", "math.linearinterpolation"}


def run(full):
    """Runs the driver over every routine; returns the number of routines, of calls and the calls
    that ended the process on purpose."""
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    env["OPENBLAS_NUM_THREADS"] = "1"
    # A sanitizer report gets an exit status of its own, apart from a routine that stops on purpose;
    # a failed allocation takes the library's own path (a null pointer, a message, the end).
    for var, opts in (("ASAN_OPTIONS", "exitcode=86:allocator_may_return_null=1"), ("UBSAN_OPTIONS", "exitcode=86")):
        env[var] = ":".join(o for o in (env.get(var, ""), opts) if o)
    start, first, ended, calls, limit = 0, 0, [], 0, 300.0 if full else 60.0
    with tempfile.TemporaryDirectory() as scratch:  # routines that write files write there
        while True:
            r = subprocess.run([sys.executable, "-c", DRIVER, str(start), str(first), "full" if full else "quick",
                                str(limit), repr(ENDS_ON_PURPOSE)], capture_output=True, env=env, timeout=4 * 3600, cwd=scratch)
            out, err = r.stdout.decode(errors="replace").splitlines(), r.stderr.decode(errors="replace")
            entered = [l.split() for l in out if l.startswith(("enter", "done"))]
            assert entered, err[-3000:]
            last = entered[-1]
            made = [l.split(None, 3) for l in out if l.startswith("call ")]
            assert r.returncode >= 0, f"signal {-r.returncode} in {last[2:]} {made[-1:]}: {err[-3000:]}"
            assert r.returncode != 86 and "runtime error:" not in err and "Sanitizer" not in err, (
                last[2:], made[-1:], err[-3000:])
            assert "Timeout" not in err, f"{last[2:]} ran longer than {limit} s"
            if last[0] == "done":
                assert r.returncode == 0, err[-3000:]
                return int(last[1]), calls + int(last[2]), ended
            # a routine ended the process with an ordinary exit status: go on after that call
            assert r.returncode in (0, 1, 2), (last, made[-1:], r.returncode, err[-3000:])
            where = ".".join(last[2:4])
            assert where in ENDS_ON_PURPOSE or out[-1].startswith("Error allocating"), (where, made[-1:], out[-1:])
            ended.append((where, made[-1][2:] if made else None))
            calls += len(made)
            start, first = int(last[1]), (int(made[-1][1]) + 1 if made else 1 << 30)


def test_nonfinite_and_extreme_numbers_reach_no_undefined_behaviour():
    full = os.environ.get("VX_FUZZ") == "full"
    routines, calls, ended = run(full)
    # Every routine was entered and every argument varied.
    assert routines > 500 and calls > 10000, (routines, calls)
    assert full or len(ended) < 10, ended
