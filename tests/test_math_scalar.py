"""Scalar functions, error measures and the class-histogram percentile."""
import math

import numpy as np
import pytest

HUGE = 1.7976931348623157e308


@pytest.fixture
def m(vx):
    return vx.math


def pct(m, values, p, classsize):
    event = m.getpercentile(np.asarray(values, dtype=float), p, classsize)
    assert isinstance(event, float)  # a 64-bit real event
    return event


# ---------------------------------------------------------------- percentile

def test_getpercentile_classes(m):
    data = [1, 2, 3, 4, 5]
    assert [pct(m, data, p, 2) for p in (10, 40, 50, 80, 90, 100)] == [1, 1, 3, 3, 5, 5]
    assert [pct(m, data + [HUGE, HUGE], p, 2) for p in (10, 50, 90)] == [1, 3, 5]
    assert [pct(m, data, p, 1) for p in (0, 20, 21, 101)] == [1, 1, 2, 0]  # 101: no class reaches it


@pytest.mark.parametrize("values, p, cs, expect", [
    ([7.5], 10.0, 3, 7.5),          # one entry: returned as it is
    ([], 50.0, 10, -9),             # no entry: 1 - classsize
    ([HUGE, HUGE], 50.0, 4, -3),    # only empty slots
    ([-5.0, -3.0], 50.0, 2, -1),    # largest value below the first class bound: no class
    ([5, 5, 5, 1], 60.0, 1, 5),     # shares are taken against the first occurrence of the maximum
    ([3, 1, math.nan, 2], 100.0, 1, 3),  # NaN takes no part
    ([1, 2, 3], 50.0, 0, 1),        # a class size below 1 gives no class
])
def test_getpercentile_edges(m, values, p, cs, expect):
    assert pct(m, values, p, cs) == expect


def test_getpercentile_against_inverted_cdf(m):
    # Class size 1 on integer events with a single largest value: the event is
    # the smallest value whose cumulative share reaches the percentile.
    rng = np.random.default_rng(11)
    # long series too, whose sorted copy no longer fits the call's fixed buffer
    for n in [*rng.integers(3, 60, size=16), 255, 256, 700, 5000]:
        data = rng.integers(1, 40, size=n).astype(float)
        data = np.append(data, data.max() + 1)
        rng.shuffle(data)
        for p in (3.3, 27.1, 50.7, 77.7, 99.9):
            ref = np.percentile(data, p, method="inverted_cdf")
            assert pct(m, data, p, 1) == ref
        # wider classes report the first value of the class holding that event
        ref = np.percentile(data, 61.3, method="inverted_cdf")
        assert pct(m, data, 61.3, 5) == 5 * int(math.ceil(ref / 5)) - 4


def test_getpercentile_wide_range_returns(m):
    # a largest value far beyond any class count must neither hang nor allocate classes
    assert pct(m, [2.0, 1e300], 50.0, 1) == 2
    assert pct(m, [1.0, 1e300, 1e300], 10.0, 7) == 1


# ---------------------------------------------------------------- scalar functions

def test_inverse_hyperbolics(m):
    xs = np.array([-0.9, -0.3, 0.25, 0.5, 0.99])
    for x in xs:
        assert m.datanh(x) == pytest.approx(np.arctanh(x), rel=1e-13)
        assert m.dasinh(x) == pytest.approx(np.arcsinh(x), rel=1e-13)
        assert m.dacoth(1 / x) == pytest.approx(np.arctanh(x), rel=1e-13)
    for x in (1.0, 1.5, 10.0, 1e6):
        assert m.dacosh(x) == pytest.approx(np.arccosh(x), rel=1e-13, abs=0)
        assert m.dasinh(x) == pytest.approx(np.arcsinh(x), rel=1e-13)
    assert m.datanh(1.0) == math.inf and m.dacoth(1.0) == math.inf
    assert math.isnan(m.dacosh(0.5)) and math.isnan(m.datanh(2.0)) and math.isnan(m.dacoth(0.5))


def _precise(f, x):
    """f at the float x in decimal arithmetic with digits to spare, rounded to a float."""
    from decimal import Decimal, localcontext
    with localcontext() as ctx:
        ctx.prec = 60 + abs(int(math.floor(math.log10(abs(x)))))
        return float(f(Decimal(x)))


def _asinh(d):
    a = abs(d)
    r = (a + (a * a + 1).sqrt()).ln()
    return -r if d < 0 else r


PRECISE = {
    "dasinh": (_asinh, np.arcsinh),
    "datanh": (lambda d: ((1 + d) / (1 - d)).ln() / 2, np.arctanh),
    "dacosh": (lambda d: (d + (d * d - 1).sqrt()).ln(), np.arccosh),
    "dacoth": (lambda d: ((d + 1) / (d - 1)).ln() / 2, None),
}
TINY_TO_HUGE = np.logspace(-300, 300, 241)
NEAR_ONE = 1 + np.logspace(-15, -1, 57)
ARGUMENTS = {
    "dasinh": np.concatenate([TINY_TO_HUGE, -TINY_TO_HUGE, [-1e8, -3e7]]),
    "datanh": np.concatenate([np.logspace(-300, -0.01, 150), 2 - NEAR_ONE, [1e-12]]),
    "dacosh": np.concatenate([NEAR_ONE, np.logspace(0.01, 300, 150)]),
    "dacoth": np.concatenate([NEAR_ONE, np.logspace(0.01, 300, 150)]),
}


@pytest.mark.parametrize("name", sorted(PRECISE))
def test_inverse_hyperbolics_to_rounding_over_the_whole_range(m, name):
    # The logarithmic forms cancelled (dasinh(-3e7) was -18.02, dasinh(-1e8)
    # -inf, datanh(1e-12) off by 9e-5 relative) and overflowed in x * x.
    exact, numpy_f = PRECISE[name]
    f = getattr(m, name)
    odd = name in ("dasinh", "datanh", "dacoth")
    for x in ARGUMENTS[name]:
        for xs in ((x, -x) if odd else (x,)):
            want = _precise(exact, float(xs))
            got = f(float(xs))
            assert abs(got - want) <= 2 * np.spacing(abs(want)), (name, xs, got, want)
            if numpy_f is not None:
                assert abs(got - numpy_f(xs)) <= 2 * np.spacing(abs(want)), (name, xs)


def test_fishertransformation_of_small_coefficients(m):
    for r in (1e-12, -3e-9, 1e-300):
        assert m.fishertransformation(r) == pytest.approx(np.arctanh(r), rel=4e-16, abs=0)
        assert m.fishertransformation(m.fishertransformation(r), 1) == pytest.approx(r, rel=4e-16, abs=0)


def test_fishertransformation(m):
    assert m.fishertransformation(0.5) == pytest.approx(0.5493061443340549, rel=1e-15)
    assert m.fishertransformation(0.5, -1) == m.fishertransformation(0.5)
    for flag in (1, 0, 7):
        assert m.fishertransformation(0.5493061443340549, flag) == pytest.approx(0.5, rel=1e-15)
    for z in (-2.0, 0.1, 3.0):
        assert m.fishertransformation(m.fishertransformation(z, 1)) == pytest.approx(z, rel=1e-12)


def test_droundsf_truncates(m):
    assert [m.droundsf(a, 2) for a in (2.71828, -2.71828, 0.999)] == pytest.approx([2.71, -2.71, 0.99])
    assert m.droundsf(1.23456789123) == pytest.approx(1.23456789, rel=1e-15)
    assert m.droundsf(123.456, -1) == pytest.approx(120.0) and m.droundsf(1e300, 8) == pytest.approx(1e300)
    assert m.droundsf(-0.0299999, 2) == pytest.approx(-0.02) and m.droundsf(7.0, 0) == 7.0  # toward zero


@pytest.mark.parametrize("a, expect", [(2.3, 3.0), (2.0, 3.0), (-1.5, 0.0), (-2.0, -1.0), (0.0, 1.0)])
def test_dceil(m, a, expect):
    assert m.dceil(a) == expect


# ---------------------------------------------------------------- error measures

def test_error_measures(m):
    rng = np.random.default_rng(9)
    x, y = rng.normal(size=(2, 101))
    assert m.rootmeansquareerror(x, y) == pytest.approx(np.sqrt(np.mean((x - y) ** 2)), rel=1e-13)
    assert m.meanabsoluteerror(x, y) == pytest.approx(np.mean(np.abs(x - y)), rel=1e-13)
    e = np.zeros(0)
    assert math.isnan(m.rootmeansquareerror(e, e)) and math.isnan(m.meanabsoluteerror(e, e))


def test_absent_optionals_natively(lib):
    # Solver code passes absent optionals as null pointers: same as the Python defaults.
    import ctypes
    D = ctypes.c_double
    lib.fishertransformation.restype = D
    lib.droundsf.restype = D
    x = D(0.5)
    assert lib.fishertransformation(ctypes.byref(x), None) == pytest.approx(0.5493061443340549, rel=1e-15)
    assert lib.droundsf(ctypes.byref(D(1.23456789123)), None) == pytest.approx(1.23456789, rel=1e-15)
