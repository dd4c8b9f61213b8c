"""Root finders: Brent, safeguarded Newton-Raphson and fixed-point iteration."""
import ctypes
import math

import numpy as np
import pytest
from scipy.optimize import brentq
from conftest import error_record

ROOTFUNC = ctypes.CFUNCTYPE(None, *(4 * [ctypes.POINTER(ctypes.c_double)]),
                            ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(ctypes.c_int32))
FIXFUNC = ctypes.CFUNCTYPE(None, ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_double),
                           ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(ctypes.c_int32))

BRACKET = "Error in BISECTION: Root must be bracketed."


def counted(fun, dfun=None):
    """Python call-back that returns (f, df) and logs every abscissa."""
    xs = []

    def cb(f, df, x, args, nfun, na=None):
        xs.append(x)
        return fun(x), (dfun(x) if dfun else 0.0)

    return cb, xs


CASES = [  # f, f', bracket
    (lambda x: x * x - 2, lambda x: 2 * x, (0.0, 2.0)),
    (lambda x: math.cos(x) - x, lambda x: -math.sin(x) - 1, (0.0, 1.0)),
    (lambda x: math.exp(x) - 3, math.exp, (2.0, 0.0)),
    (lambda x: x ** 3 - 0.001, lambda x: 3 * x * x, (-1.0, 1.0)),
]


@pytest.mark.parametrize("name", ["bdsafe", "nrsafe"])
@pytest.mark.parametrize("f,df,ab", CASES)
def test_converges_like_brentq(vx, name, f, df, ab):
    cb, xs = counted(f, df)
    root, istat = getattr(vx.math, name)(cb, ab[0], ab[1], np.zeros(1), 1e-12, 100, 0)
    assert istat == 0 and error_record(vx)[0] == 0
    assert root == pytest.approx(brentq(f, min(ab), max(ab), xtol=1e-14), abs=2e-12)
    # both start with one evaluation at each end
    assert xs[:2] == [ab[0], ab[1]]


@pytest.mark.parametrize("name,before,warning", [
    ("bdsafe", 2, "Warning in BrentsMethod: Max iterations exceeded."),
    ("nrsafe", 3, "Warning in subroutine RTSAFE: Max iterations exceeded.")])
def test_convergence_on_the_last_allowed_iteration(vx, name, before, warning):
    # k evaluations inside the loop means the test is met at the start of
    # iteration k + 1: that limit is enough, one less is not.
    cb, xs = counted(lambda x: math.cos(x) - x, lambda x: -math.sin(x) - 1)
    root, _ = getattr(vx.math, name)(cb, 0.0, 1.0, np.zeros(1), 1e-12, 100, 0)
    k = len(xs) - before
    assert k >= 2
    assert getattr(vx.math, name)(cb, 0.0, 1.0, np.zeros(1), 1e-12, k + 1, 0) == (root, 0)
    assert error_record(vx)[0] == 0
    del xs[:]
    last, istat = getattr(vx.math, name)(cb, 0.0, 1.0, np.zeros(1), 1e-12, k, 0)
    assert istat == 1 and len(xs) == before + k and last == xs[-1]
    assert error_record(vx) == (-1, warning)


@pytest.mark.parametrize("maxit", [0, -1, -2 ** 31])
@pytest.mark.parametrize("name,result,calls,warning", [
    ("bdsafe", (1.0, 1), 2, "Warning in BrentsMethod: Max iterations exceeded."),        # x2 returned
    ("nrsafe", (0.5, 1), 3, "Warning in subroutine RTSAFE: Max iterations exceeded.")])  # the midpoint
def test_without_iterations(vx, name, maxit, result, calls, warning):
    # No iteration allowed: the end or midpoint handed back is no root, so it
    # must come with istat 1 and the warning, whatever the sign of the limit.
    cb, xs = counted(lambda x: x - 0.3, lambda x: 1.0)
    assert getattr(vx.math, name)(cb, 0.0, 1.0, np.zeros(1), 1e-12, maxit, 0) == result
    assert len(xs) == calls and error_record(vx) == (-1, warning)


@pytest.mark.parametrize("name", ["bdsafe", "nrsafe"])
def test_zero_at_left_end(vx, name):
    cb, xs = counted(lambda x: x * (x - 1.0), lambda x: 2 * x - 1)
    assert getattr(vx.math, name)(cb, 0.0, 5.0, np.zeros(1), 1e-12, 50, 0) == (0.0, 0)
    assert len(xs) == 2 and error_record(vx)[0] == 0


@pytest.mark.parametrize("name", ["bdsafe", "nrsafe"])
def test_unbracketed_interval(vx, name):
    cb, xs = counted(lambda x: x * x + 1.0, lambda x: 2 * x)
    root, istat = getattr(vx.math, name)(cb, -1.0, 2.0, np.zeros(1), 1e-12, 5, 0)
    assert error_record(vx) == (-2, BRACKET)  # nrsafe's later warning is dropped
    if name == "bdsafe":
        assert (root, istat) == (0.0, 0) and len(xs) == 2
    else:  # runs on from the midpoint
        assert xs[2] == 0.5 and len(xs) == 3 + 5 and istat == 1 and math.isfinite(root)


def test_nrsafe_zero_derivative_bisects(vx):
    # A call-back whose derivative is always 0 must still home in by bisection.
    cb, xs = counted(lambda x: x ** 3 - 2.0)
    root, istat = vx.math.nrsafe(cb, 0.0, 2.0, np.zeros(1), 1e-10, 200, 0)
    assert istat == 0 and root == pytest.approx(2 ** (1 / 3), abs=1e-9)


def test_fpsafe(vx):
    calls, kept = [], []

    def g(xnew, fargs, nfun, na=None):
        calls.append(fargs[0])
        kept.append(fargs[1])
        fargs[1] += 1.0  # the working copy keeps it for the next call; args stay as given
        return fargs[0] / 2 + 1

    args = np.array([9.0, 10.0])
    xs, istat = vx.math.fpsafe(g, 0.0, args, 1e-10, 100, 0)
    assert xs == pytest.approx(2.0, abs=1e-9) and istat == 0 and calls[0] == 0.0
    assert kept == [10.0 + k for k in range(len(kept))] and list(args) == [9.0, 10.0]
    # start at the fixed point: one call, its value returned
    calls.clear()
    assert vx.math.fpsafe(g, 2.0, np.zeros(2), 1e-10, 100, 0) == (2.0, 0) and len(calls) == 1
    # maxit 0: two calls, the second value, and the warning
    calls.clear()
    assert vx.math.fpsafe(g, 0.0, np.zeros(2), 1e-10, 0, 0) == (1.5, 1) and calls == [0.0, 1.0]
    assert error_record(vx) == (-1, "Warning in FixPointIteration:Max iterations exceeded.")
    # a negative maxit always warns
    assert vx.math.fpsafe(lambda xn, fa, nf, na=None: fa[0], 4.0, np.zeros(1), 1e-10, -1, 0) == (4.0, 1)
    assert error_record(vx)[0] == -1

    # a long parameter vector is copied whole, and the copy keeps the call-back's writes
    seen = []

    def h(xnew, fargs, nfun):
        seen.append(fargs.copy())
        fargs[-1] = -1.0
        return 3.0

    args = np.arange(1.0, 201.0)
    assert vx.math.fpsafe(h, 0.0, args, 1e-10, 10, 0) == (3.0, 0) and len(seen) == 2
    np.testing.assert_array_equal(seen[0][1:], args[1:])
    assert seen[1][0] == 3.0 and seen[1][-1] == -1.0 and args[-1] == 200.0


def test_exception_in_call_back_propagates(vx):
    def bad(*a):
        raise ZeroDivisionError("boom")

    # (bdsafe's call-back goes the same way, shown with the binding's call-back tests)
    with pytest.raises(ZeroDivisionError):
        vx.math.nrsafe(bad, 0.0, 1.0, np.zeros(1), 1e-12, 10 ** 6, 0)
    with pytest.raises(ZeroDivisionError):
        vx.math.fpsafe(bad, 0.0, np.zeros(1), 1e-12, 10 ** 6, 0)


def _capsule(cfunc):
    new = ctypes.pythonapi.PyCapsule_New
    new.restype = ctypes.py_object
    new.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_void_p]
    return new(ctypes.cast(cfunc, ctypes.c_void_p).value, None, None)


def test_native_function_pointer_in_capsule(vx):
    def f(fp, dfp, xp, a, na, nfun):
        fp[0] = xp[0] ** 2 - a[0]
        dfp[0] = 2 * xp[0]

    cf = ROOTFUNC(f)
    for name in ("bdsafe", "nrsafe"):
        root, istat = getattr(vx.math, name)(_capsule(cf), 0.0, 4.0, np.array([3.0]), 1e-13, 100, 0)
        assert root == pytest.approx(math.sqrt(3.0), abs=1e-12) and istat == 0

    def g(xn, fa, na, nfun):
        xn[0] = math.cos(fa[0])

    cg = FIXFUNC(g)
    xs, istat = vx.math.fpsafe(_capsule(cg), 1.0, np.zeros(1), 1e-13, 200, 0)
    assert xs == pytest.approx(0.7390851332151607, abs=1e-12) and istat == 0


def test_native_null_call_back_does_not_crash(lib):
    root, istat = ctypes.c_double(5.0), ctypes.c_int32(9)
    d, i = ctypes.c_double, ctypes.c_int32
    lib.bdsafe(None, ctypes.byref(d(0)), ctypes.byref(d(1)), ctypes.byref(root), (d * 1)(),
               ctypes.byref(d(1e-9)), ctypes.byref(i(5)), ctypes.byref(i(1)), ctypes.byref(i(0)), ctypes.byref(istat))
    assert root.value == 0.0 and istat.value == 0


def test_callback_documented_in_the_docstring(vx):
    doc = vx.math.nrsafe.__doc__
    assert doc.splitlines()[0] == "root,istat = nrsafe(dfunc,x1,x2,args,xacc,maxit,nfun,[na,dfunc_extra_args])"
    notes = doc[doc.index("Call-back functions::"):]
    # laid out as f2py lays out its call-back blocks
    assert "\n    def dfunc(fl,df,x1,args,nfun,[na]): return fl,df\n    Required arguments:\n        fl : input float\n" in notes
    assert "\n    Optional arguments:\n        na : input int, optional\n" in notes
    assert "\n    Return objects:\n        fl : float\n        df : float\n" in notes
