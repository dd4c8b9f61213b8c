"""The interpolation library, called natively through its exported symbols."""
import ctypes as C
import datetime
import os
import re
import subprocess
import sys

import numpy as np
import pytest
from numpy.polynomial import chebyshev
from scipy.interpolate import RegularGridInterpolator, lagrange

from conftest import run_python

I4 = C.c_int32
F8 = C.c_double


def i4(v):
    return C.byref(I4(v))


def f8(v):
    return C.byref(F8(v))


def ptr(a):
    return a.ctypes.data_as(C.POINTER(F8))


def farr(v):
    return np.asfortranarray(np.asarray(v, dtype=np.float64))


def run_native(lib, body):
    """Runs body (Python using `lib`) in a fresh process; (stdout, status)."""
    return run_python("import ctypes as C\nlib = C.CDLL(%r)\n" % lib._name + body)


def nearest(lib, a, v):
    a = farr(a)
    return lib.r8vec_sorted_nearest_(i4(len(a)), ptr(a), f8(v))


def bracket(lib, x, v):
    x = farr(x)
    left, right = I4(), I4()
    lib.r8vec_bracket_(i4(len(x)), ptr(x), f8(v), C.byref(left), C.byref(right))
    return left.value, right.value


def interp2(lib, name, t_data, p_data, t_interp):
    t_data, t_interp = farr(t_data), farr(t_interp)
    p_data = farr(p_data)
    m = p_data.shape[0]
    out = np.full((m, len(t_interp)), -7.0, order="F")
    getattr(lib, name)(i4(m), i4(len(t_data)), ptr(t_data), ptr(p_data), i4(len(t_interp)), ptr(t_interp), ptr(out))
    return out


def nearest_oracle(a, v):
    d = np.abs(a - v)
    best = np.flatnonzero(d == d.min())
    return int(best[np.argmax(a[best])]) + 1  # a tie goes to the larger value


# --- searches ---------------------------------------------------------------

def test_sorted_nearest_matches_exhaustive_search(lib):
    assert (nearest(lib, (), 1.0), nearest(lib, (5,), 99.0)) == (-1, 1)
    rng = np.random.default_rng(1)
    for n in (2, 3, 7, 64):
        a = np.sort(rng.choice(np.arange(-300, 300) * 0.5, n, replace=False))
        for v in np.concatenate([rng.uniform(-160, 160, 40), a, (a[:-1] + a[1:]) / 2]):
            assert nearest(lib, a, v) == nearest_oracle(a, v)
            assert nearest(lib, a[::-1], v) == n + 1 - nearest_oracle(a, v)


@pytest.mark.parametrize("x,xval,expected", [
    ((0, 1, 2, 3), -5, (1, 2)), ((0, 1, 2, 3), 1, (2, 3)), ((0, 1, 2, 3), 2, (3, 4)),
    ((0, 1, 2, 3), 3, (3, 4)), ((0, 1, 2, 3), 7, (3, 4)), ((0, 1, 2, 3), 0.5, (1, 2)),
    ((0, 1), -4, (1, 2)), ((0, 1), 40, (1, 2)), ((0, 1, 2, 3), float("nan"), (3, 4)),
])
def test_bracket(lib, x, xval, expected):
    assert bracket(lib, x, xval) == expected


@pytest.mark.parametrize("x,expected", [
    ((1, 1), 0), ((1,), 1), ((), 1), ((1, 2, 3), 1), ((1, 3, 2), 0), ((1, float("nan"), 0), 1),
])
def test_ascends_strictly(lib, x, expected):
    x = farr(x)
    assert lib.r8vec_ascends_strictly_(i4(len(x)), ptr(x)) == expected


# --- linear and nearest interpolation ---------------------------------------

def test_interp_linear_against_numpy(lib):
    out = interp2(lib, "interp_linear_", [0, 1], [[0, 1], [10, 20]], [0.5, 2])
    np.testing.assert_array_equal(out, [[0.5, 2], [15, 30]])  # the end line goes on outside
    rng = np.random.default_rng(2)
    t = np.cumsum(rng.uniform(0.1, 1, 20))
    p = rng.normal(size=(3, 20))
    ti = np.concatenate([rng.uniform(t[0] - 2, t[-1] + 2, 200), t])
    out = interp2(lib, "interp_linear_", t, p, ti)
    inside = (ti >= t[0]) & (ti <= t[-1])
    for c in range(3):
        np.testing.assert_allclose(out[c, inside], np.interp(ti[inside], t, p[c]), rtol=0, atol=1e-13)


def test_interp_linear_nan_abscissa_takes_the_walk(lib):
    # The order check lets a NaN through; the interval is still the one the
    # left-to-right walk finds (a bisection would land on the NaN for 0.5).
    t = [0.0, 1.0, np.nan, 3.0, 4.0, 5.0]
    out = interp2(lib, "interp_linear_", t, [[0, 10, 99, 30, 40, 50]], [0.5, 3.5, 2.0])
    np.testing.assert_array_equal(out[0, :2], [5.0, 35.0])
    assert np.isnan(out[0, 2])


def test_interp_nearest_both_directions(lib):
    rng = np.random.default_rng(3)
    t = np.sort(rng.uniform(-5, 5, 15))
    p = rng.normal(size=(2, 15))
    ti = rng.uniform(-7, 7, 100)
    expected = np.array([p[:, nearest_oracle(t, v) - 1] for v in ti]).T
    np.testing.assert_array_equal(interp2(lib, "interp_nearest_", t, p, ti), expected)
    np.testing.assert_array_equal(interp2(lib, "interp_nearest_", t[::-1], p[:, ::-1], ti), expected)
    # Unsorted abscissas are not checked; every result is still one of the data columns.
    u = rng.permutation(t)
    out = interp2(lib, "interp_nearest_", u, np.vstack([np.arange(15.0), u]), np.concatenate([ti, [np.nan]]))
    cols = out[0].astype(int)
    np.testing.assert_array_equal(cols, out[0])
    assert cols.min() >= 0 and cols.max() < 15
    np.testing.assert_array_equal(out[1], u[cols])


@pytest.mark.parametrize("call,t,nd,message", [
    ("interp_linear_", (0, 0, 1), 3, b"INTERP_LINEAR - Fatal error!\n"
     b"  Independent variable array T_DATA is not strictly increasing."),
    ("interp_linear_", (0, 2, 1), 3, b"INTERP_LINEAR - Fatal error!\n"
     b"  Independent variable array T_DATA is not strictly increasing."),
    ("interp_linear_", (0, 1, 2), 1, b"INTERP_LINEAR - Fatal error!\n  DATA_NUM < 2."),
    ("interp_nearest_", (0, 1, 2), 0, b"INTERP_NEAREST - Fatal error!\n  DATA_NUM < 1."),
])
def test_interp_bad_table_ends_process(lib, call, t, nd, message):
    body = (f"t = (C.c_double * 3){t!r}; o = (C.c_double * 2)()\nI = lambda v: C.byref(C.c_int32(v))\n"
            f"lib.{call}(I(1), I({nd}), t, t, I(1), t, o)\nprint('returned')\n")
    assert run_native(lib, body) == (b" \n" + message + b"\n", 1)


# --- Lagrange -----------------------------------------------------------------

def test_lagrange_against_scipy(lib):
    rng = np.random.default_rng(4)
    t = np.array([-1.0, -0.2, 0.4, 1.3, 2.0])
    p = rng.normal(size=(2, 5))
    ti = np.linspace(-1.5, 2.5, 61)  # 305 basis values: the work matrix goes to the heap
    out = interp2(lib, "interp_lagrange_", t, p, ti)
    for c in range(2):
        np.testing.assert_allclose(out[c], lagrange(t, p[c])(ti), rtol=1e-12, atol=1e-12)
    basis = np.full((5, 61), -7.0, order="F")
    lib.lagrange_value_(i4(5), ptr(farr(t)), i4(61), ptr(farr(ti)), ptr(basis))
    np.testing.assert_allclose(basis.sum(axis=0), 1.0, atol=1e-12)  # partition of unity
    np.testing.assert_allclose(p @ basis, out, atol=1e-14)


# --- quadrature abscissas ------------------------------------------------------

def abscissas(lib, name, n, ab=None):
    x = np.full(max(n, 1), -7.0)
    if ab is None:
        getattr(lib, name)(i4(n), ptr(x))
    else:
        getattr(lib, name + "_ab_")(f8(ab[0]), f8(ab[1]), i4(n), ptr(x))
    return x


@pytest.mark.parametrize("n", [2, 3, 4, 5, 16])
def test_abscissas_against_chebyshev_points_and_linspace(lib, n):
    refs = {"cc_abscissas": chebyshev.chebpts2(n), "f1_abscissas": chebyshev.chebpts1(n),
            "f2_abscissas": chebyshev.chebpts2(n + 2)[1:-1], "ncc_abscissas": np.linspace(-1, 1, n),
            "nco_abscissas": np.linspace(-1, 1, n + 2)[1:-1]}
    a, b = -2.0, 5.0
    for name, ref in refs.items():
        np.testing.assert_allclose(abscissas(lib, name + "_", n), ref, atol=1e-15, err_msg=name)
        np.testing.assert_allclose(abscissas(lib, name, n, (a, b)), a + (b - a) * (ref + 1) / 2, atol=1e-14,
                                   err_msg=name)


def test_abscissas_special_cases(lib):
    for name in ("cc_abscissas_", "f1_abscissas_", "f2_abscissas_", "ncc_abscissas_", "nco_abscissas_"):
        assert abscissas(lib, name, 1)[0] == 0.0
    np.testing.assert_array_equal(abscissas(lib, "f2_abscissas_", 2), [-0.5, 0.5])
    for name in ("cc_abscissas", "f1_abscissas", "ncc_abscissas", "nco_abscissas"):
        assert abscissas(lib, name, 1, (1.0, 4.0))[0] == 2.5
    # The interval form of the second Fejer rule has no special case.
    f2 = abscissas(lib, "f2_abscissas", 1, (-1.0, 1.0))[0]
    assert f2 != 0.0 and abs(f2) < 1e-15


@pytest.mark.parametrize("name", [r + "_abscissas_" + ab for r in ("cc", "f1", "f2", "ncc", "nco") for ab in ("", "ab_")])
def test_abscissas_bad_count_ends_process(lib, name):
    head = "CC_ABSCISSA" if name == "cc_abscissas_" else name.rstrip("_").upper()  # that one name is cut short
    args = "I(0), x" if not name.endswith("_ab_") else "C.byref(C.c_double(0)), C.byref(C.c_double(1)), I(-3), x"
    body = f"x = (C.c_double * 1)()\nI = lambda v: C.byref(C.c_int32(v))\nlib.{name}({args})\nprint('returned')\n"
    assert run_native(lib, body) == ((" \n%s - Fatal error!\n  N < 1.\n" % head).encode(), 1)


# --- parameterisation and expansion ------------------------------------------

def test_parameterize(lib):
    p = farr([[0, 3, 3], [0, 4, 5]])
    t = np.full(4, -7.0)
    lib.parameterize_arc_length_(i4(2), i4(3), ptr(p), ptr(t))
    np.testing.assert_array_equal(t, [0, 5, 6, -7])
    q = farr(np.zeros((2, 4)))
    t = np.full(5, -7.0)
    lib.parameterize_index_(i4(2), i4(4), ptr(q), ptr(t))
    np.testing.assert_array_equal(t, [0, 1, 2, 3, -7])
    for fn in (lib.parameterize_arc_length_, lib.parameterize_index_):
        t = np.full(1, -7.0)
        fn(i4(2), i4(0), ptr(q), ptr(t))
        assert t[0] == -7.0  # an empty parameter vector is not written


def expand(lib, x, fat, before=None, after=None):
    x = farr(x)
    n = len(x)
    size = (n - 1) * (fat + 1) + 1 + (before or 0) + (after or 0)
    out = np.full(max(size, 0) + 2, -7.0)  # two guard values
    if before is None:
        lib.r8vec_expand_linear_(i4(n), ptr(x), i4(fat), ptr(out))
    else:
        lib.r8vec_expand_linear2_(i4(n), ptr(x), i4(before), i4(fat), i4(after), ptr(out))
    np.testing.assert_array_equal(out[-2:], -7.0)
    return out[:-2]


def test_expand_linear(lib):
    np.testing.assert_array_equal(expand(lib, [0, 3], 2, 1, 1), [-1, 0, 1, 2, 3, 4])
    x = np.array([1.0, 2.5, -4.0, 0.0])
    np.testing.assert_allclose(expand(lib, x, 3),
                               np.interp(np.arange(13) / 4, np.arange(4), x), atol=1e-15)
    np.testing.assert_array_equal(expand(lib, x, 0), x)
    np.testing.assert_array_equal(expand(lib, [5.0], 4), [5.0])
    expand(lib, [], 2)  # no data, no values: the guard values must stay untouched
    # Values beyond the ends continue the end intervals' spacing; more values
    # than fat + 1 before the data reach past one interval.
    out = expand(lib, x, 1, 3, 2)
    middle = np.interp(np.arange(7) / 2, np.arange(4), x)
    np.testing.assert_allclose(out, np.concatenate([[1 - 1.5 * 1.5, 1 - 1.5, 1 - 0.75], middle, [2.0, 4.0]]),
                               atol=1e-15)


@pytest.mark.parametrize("call,cause", [
    ("r8vec_expand_linear_(I(2), x, I(-1), o)", b"R8VEC_EXPAND_LINEAR - Fatal error!\n  FAT < 0."),
    ("r8vec_expand_linear2_(I(1), x, I(1), I(2), I(0), o)",
     b"R8VEC_EXPAND_LINEAR2 - Fatal error!\n  N < 2 with values outside the data."),
    ("r8vec_expand_linear2_(I(2), x, I(-1), I(2), I(0), o)", b"R8VEC_EXPAND_LINEAR2 - Fatal error!\n  BEFORE < 0."),
    ("r8vec_expand_linear2_(I(2), x, I(0), I(2), I(-2), o)", b"R8VEC_EXPAND_LINEAR2 - Fatal error!\n  AFTER < 0."),
    ("r8vec_expand_linear2_(I(0), x, I(0), I(0), I(0), o)", b"R8VEC_EXPAND_LINEAR2 - Fatal error!\n  N < 1."),
    ("r8mat_expand_linear2_(I(1), I(3), x, I(2), I(2), o)", b"R8MAT_EXPAND_LINEAR2 - Fatal error!\n  M < 2."),
    ("r8mat_expand_linear2_(I(3), I(1), x, I(2), I(2), o)", b"R8MAT_EXPAND_LINEAR2 - Fatal error!\n  N < 2."),
])
def test_expansion_bad_counts_end_process(lib, call, cause):
    body = f"x = (C.c_double * 3)(0, 1, 2); o = (C.c_double * 8)()\nI = lambda v: C.byref(C.c_int32(v))\nlib.{call}\nprint('returned')\n"
    assert run_native(lib, body) == (b" \n" + cause + b"\n", 1)


@pytest.mark.parametrize("m,n,m2,n2", [(2, 2, 5, 4), (4, 3, 7, 9), (5, 6, 1, 3), (3, 3, 3, 3), (6, 4, 2, 1)])
def test_mat_expand_bilinear_against_scipy(lib, m, n, m2, n2):
    rng = np.random.default_rng(m * 10 + n)
    a = farr(rng.normal(size=(m, n)))
    a2 = np.full((m2, n2), -7.0, order="F")
    lib.r8mat_expand_linear2_(i4(m), i4(n), ptr(a), i4(m2), i4(n2), ptr(a2))
    r = np.linspace(0, 1, m2) if m2 > 1 else np.array([0.5])
    s = np.linspace(0, 1, n2) if n2 > 1 else np.array([0.5])
    grid = RegularGridInterpolator((np.linspace(0, 1, m), np.linspace(0, 1, n)), a)
    R, S = np.meshgrid(r, s, indexing="ij")
    np.testing.assert_allclose(a2, grid(np.stack([R, S], axis=-1)), atol=1e-13)


# --- time stamp ----------------------------------------------------------------

STAMP = re.compile(rb"^([ \d]\d) ([A-Z][a-z]+) (\d{4})  ([ \d]\d):(\d\d):(\d\d)\.(\d\d\d) (AM|PM|Noon)\n$")


@pytest.mark.parametrize("local_hour,shown,word", [(0, 0, "AM"), (12, 12, "PM"), (13, 1, "PM")])
def test_timestamp_line(lib, local_hour, shown, word):
    code = "import ctypes as C\nC.CDLL(%r).interp_timestamp_()\n" % lib._name
    for _ in range(3):  # again when the hour turns during the call
        before = datetime.datetime.now(datetime.timezone.utc)
        offset = local_hour - before.hour  # hours east of UTC; POSIX TZ counts west-positive
        r = subprocess.run([sys.executable, "-c", code], capture_output=True, timeout=60,
                           env=dict(os.environ, TZ="XXX%+d" % -offset))
        if datetime.datetime.now(datetime.timezone.utc).hour == before.hour:
            break
    local = before + datetime.timedelta(hours=offset)
    m = STAMP.match(r.stdout)
    assert m, r.stdout
    day, month, year, hour, minute, second, _ms, printed = m.groups()
    assert (int(day), month.decode(), int(year)) == (local.day, local.strftime("%B"), local.year)
    assert int(hour) == shown
    if local_hour == 12 and (minute, second) == (b"00", b"00"):
        word = "Noon"
    assert printed.decode() == word
