"""Tabulated data routines of the component math."""
import ctypes as C
import math

import numpy as np
import pytest
from scipy import integrate, interpolate, spatial

from conftest import error_record, run_python

I4 = C.c_int32
F8 = C.c_double


def ptr(a):
    return a.ctypes.data_as(C.POINTER(F8))


def i4(v):
    return C.byref(I4(v))


@pytest.fixture
def m(vx):
    return vx.math


def ends_with(code):
    """(stdout, status) of code run after `import _vexlan as v; import numpy as np`."""
    return run_python("import numpy as np\nimport _vexlan as v\n" + code + "\nprint('returned')\n")


# --- polynomial fitting -----------------------------------------------------------

@pytest.mark.parametrize("deg", [0, 1, 2, 4])
def test_polyfit_against_numpy(vx, m, deg):
    rng = np.random.default_rng(deg)
    x = np.linspace(-1.5, 2.0, 25)
    y = np.sin(2 * x) + 0.1 * rng.normal(size=x.size)
    np.testing.assert_allclose(m.polynomialfitting(x, y, deg), np.polyfit(x, y, deg)[::-1], rtol=1e-9, atol=1e-10)
    assert error_record(vx)[0] == 0


def exact_values(c, x):
    """The polynomial with rising coefficients c at x, in exact arithmetic."""
    from fractions import Fraction as Fr
    return np.array([float(sum(Fr(float(ck)) * Fr(float(xi)) ** k for k, ck in enumerate(c))) for xi in x])


def scaled_condition(x, deg):
    v = np.vander(x, deg + 1)
    v = v / np.linalg.norm(v, axis=0)
    return np.linalg.cond(v)


@pytest.mark.parametrize("lo, hi, n, deg, f", [
    (1000.0, 1100.0, 21, 5, lambda x: np.sin(x / 20)),      # was off by 0.57
    (293.0, 393.0, 11, 4, lambda x: 1e-3 * np.cos(x / 40)),  # a temperature table: misfit 3e-6
])
def test_polyfit_away_from_zero(vx, m, lo, hi, n, deg, f):
    x = np.linspace(lo, hi, n)
    y = f(x)
    c = m.polynomialfitting(x, y, deg)
    assert error_record(vx)[0] == 0
    # the fit in a centred and scaled basis, a well-conditioned reference
    ref = np.polynomial.Polynomial.fit(x, y, deg)(x)
    kappa = scaled_condition(x, deg)
    assert np.abs(exact_values(c, x) - ref).max() <= 10 * kappa * 2.2e-16 * np.abs(y).max()
    cn = np.polyfit(x, y, deg)[::-1]
    scale = np.linalg.norm(np.vander(x, deg + 1, increasing=True), axis=0)
    assert np.linalg.norm((c - cn) * scale) <= 10 * kappa * 2.2e-16 * np.linalg.norm(cn * scale)


def test_polyfit_matches_numpy_on_ordinary_fits(vx, m):
    rng = np.random.default_rng(77)
    for k in range(300):
        deg = int(rng.integers(0, 7))
        n = int(rng.integers(deg + 1, 60))
        centre, width = rng.uniform(-1, 1) * 10.0 ** rng.uniform(0, 3), 10.0 ** rng.uniform(-1, 2)
        x = np.sort(centre + width * rng.uniform(-1, 1, n))
        kappa = scaled_condition(x, deg)
        if kappa > 1e8:
            continue  # not a well-posed fit in these coefficients
        t = (x - centre) / width
        y = (np.exp(t) + rng.normal(size=n) * 10.0 ** rng.uniform(-6, 0)) * 10.0 ** rng.uniform(-3, 3)
        c = m.polynomialfitting(x, y, deg)
        assert error_record(vx)[0] == 0, k
        cn = np.polyfit(x, y, deg)[::-1]
        v = np.vander(x, deg + 1, increasing=True)
        scale = np.linalg.norm(v, axis=0)
        # both are least-squares solutions to rounding: they differ by the
        # problem's sensitivity, eps kappa (|c| + kappa |residual|)
        resid = np.linalg.norm(y - v @ cn)
        bound = 20 * kappa * 2.2e-16 * (np.linalg.norm(cn * scale) + kappa * resid)
        assert np.linalg.norm((c - cn) * scale) <= bound, (k, kappa)
        ref = np.polynomial.Polynomial.fit(x, y, deg)(x)
        assert np.abs(exact_values(c, x) - ref).max() <= 20 * kappa * 2.2e-16 * np.abs(y).max(), k


def test_polyfit_of_nearly_parallel_powers_warns(vx, m):
    # numpy warns "Polyfit may be poorly conditioned" and returns the
    # coefficients of least norm; so does this routine, with status -1
    # (the scaled powers' singular values relative to the largest: 3.6e-6,
    # 4.5e-12 and 7.8e-17, the last one below m eps)
    x = np.linspace(1e5, 1e5 + 1, 10)
    y = np.sin(x)
    c = m.polynomialfitting(x, y, 3)
    assert error_record(vx) == (-1, "Polynom fitting ill-conditioned: coefficients of least norm")
    with pytest.warns(np.exceptions.RankWarning):
        cn = np.polyfit(x, y, 3)[::-1]
    scale = np.linalg.norm(np.vander(x, 4, increasing=True), axis=0)
    # the smallest singular value kept decides the sensitivity: eps / 4.5e-12
    np.testing.assert_allclose(c * scale, cn * scale, rtol=5e-4)
    # the values fit as well as numpy's
    ref = np.polynomial.Polynomial.fit(x, y, 3)(x)
    assert np.abs(exact_values(c, x) - ref).max() <= 2 * np.abs(exact_values(cn, x) - ref).max() + 1e-12


@pytest.mark.parametrize("x, d", [([1, 1, 1], 1),        # exactly singular normal matrix
                                  ([0, 1, 2], 3),        # more coefficients than points
                                  ([0, 1, 1, 0, 2], 3)])  # more points, too few distinct ones
def test_polyfit_without_a_determined_fit_records_error(vx, m, x, d):
    c = m.polynomialfitting(x, np.arange(1.0, len(x) + 1), d)
    assert c.shape == (d + 1,) and np.isnan(c).all()
    assert error_record(vx) == (-2, "Problem in polynom fitting function")


def test_polyfit_refuses_bad_arguments(vx, m, lib):
    with pytest.raises(vx.error):
        m.polynomialfitting([0, 1, 2], [1, 2, 3], -1)
    # Natively the mismatch is recorded and the result cleared, nothing read past vy.
    x, y = np.arange(4.0), np.ones(2)
    res = np.full(3, 7.0)
    lib.polynomialfitting(ptr(res), ptr(x), i4(4), ptr(y), i4(2), i4(1))
    np.testing.assert_array_equal(res, [0, 0, 7])
    assert error_record(vx)[0] == -2


# --- nearest and linear interpolation ---------------------------------------------

def test_linear_interpolation(m):
    # The one-row table of the interpolation library (checked against numpy
    # there); outside the table the end lines go on.
    np.testing.assert_array_equal(m.linearinterpolation([0, 1, 2], [0, 1, 4], [-1, 0.5, 1.5, 3]), [-1, 0.5, 2.5, 7])
    assert m.linearinterpolation([0, 1, 2], [0, 1, 4], []).shape == (0,)


def test_nearest_interpolation(m):
    p = [-5, 0.5, 0.6, 7]
    np.testing.assert_array_equal(m.nearestinterpolation([0, 1, 2], [10, 20, 30], p), [10, 20, 20, 30])
    np.testing.assert_array_equal(m.nearestinterpolation([2, 1, 0], [30, 20, 10], p), [10, 20, 20, 30])
    np.testing.assert_array_equal(m.nearestinterpolation([4.0], [9.0], [-1, 8]), [9, 9])
    assert m.nearestinterpolation([0, 1], [1, 2], []).shape == (0,)


def test_linear_unordered_table_ends_process():
    out, status = ends_with("v.math.linearinterpolation([0, 1, 1], [0, 1, 2], [0.5])")
    assert (out, status) == (b" \nINTERP_LINEAR - Fatal error!\n"
                             b"  Independent variable array T_DATA is not strictly increasing.\n", 1)


@pytest.mark.parametrize("name,start", [
    ("linearinterpolation", b" \nINTERP_LINEAR - Fatal error!\n  T_DATA and P_DATA differ in length.\n"),
    ("nearestinterpolation", b" \nINTERP_NEAREST - Fatal error!\n  T_DATA and P_DATA differ in length.\n"),
    ("cubichermitianinterpolation", b" ***MESSAGE FROM ROUTINE CUBICHERMITIANIN IN LIBRARY MATH.\n"
     b" ***POTENTIALLY RECOVERABLE ERROR, PROG ABORTED, TRACEBACK REQUESTED\n *  X AND Y DIFFER IN LENGTH\n"),
])
def test_native_length_mismatch_ends_process(lib, name, start):
    out, status = run_python(f"""import ctypes as C
lib = C.CDLL({lib._name!r})
x = (C.c_double * 3)(0, 1, 2); r = (C.c_double * 3)()
I = lambda v: C.byref(C.c_int32(v))
lib.{name}(r, x, I(3), x, I(2), x, I(3))
print('returned')""")
    assert status == 1 and out.startswith(start) and b"returned" not in out


# --- integration, derivatives, area, binomial ------------------------------------

def test_trapezoid(m):
    assert m.trapezoidintegration([0, 1, 2], [0, 1, 4]) == 3.0
    assert m.trapezoidintegration([5.0], [3.0]) == 0.0
    assert m.trapezoidintegration([], []) == 0.0
    rng = np.random.default_rng(8)
    x = np.sort(rng.uniform(0, 3, 30))
    y = rng.normal(size=30)
    assert m.trapezoidintegration(x, y) == pytest.approx(integrate.trapezoid(y, x), rel=1e-13)
    assert m.trapezoidintegration(x[::-1], y[::-1]) == pytest.approx(-integrate.trapezoid(y, x), rel=1e-13)


def test_gradient(m):
    dy = np.arange(12.0).reshape(3, 4)
    np.testing.assert_array_equal(m.gradient(dy, [1, 2, 4, 8], 3, 4)[:, 3], [3 / 8, 7 / 8, 11 / 8])


def test_complex_step(m):
    x = np.array([2 + 1e-20j])
    assert m.complexstepderivative(x**2, x)[0] == 4.0
    t = np.linspace(-1, 2, 7) + 1e-30j
    np.testing.assert_allclose(m.complexstepderivative(np.sin(t) * np.exp(t), t),
                               np.exp(t.real) * (np.cos(t.real) + np.sin(t.real)), rtol=1e-14)


def test_central_step(m):
    np.testing.assert_array_equal(m.centralstepderivative([1, 4], [1, 3]), [1.5, 1.5])
    x = np.linspace(0, 2, 11)
    y = np.exp(x)
    np.testing.assert_allclose(m.centralstepderivative(y, x), np.gradient(y, x), rtol=1e-14)
    assert np.isnan(m.centralstepderivative([3.0], [1.0])[0])  # no neighbour to difference with


def exact_shoelace(x, y):
    """Twice the signed area in exact rational arithmetic."""
    from fractions import Fraction as Fr
    xs, ys = [Fr(float(v)) for v in x], [Fr(float(v)) for v in y]
    n = len(xs)
    return abs(sum(xs[i] * ys[(i + 1) % n] - xs[(i + 1) % n] * ys[i] for i in range(n))) / 2


def test_shoelace_wherever_the_polygon_lies(m):
    # the two sums cancelled: a unit square at (1e8, 1e8) had area 0
    assert m.shoelacemethod(np.array([0.0, 1, 1, 0]) + 1e8, np.array([0.0, 0, 1, 1]) + 1e8) == 1.0
    rng = np.random.default_rng(44)
    for k in range(200):
        pts = rng.normal(size=(int(rng.integers(3, 30)), 2)) * 10.0 ** rng.uniform(-3, 3)
        v = pts[spatial.ConvexHull(pts).vertices] if k % 2 else pts  # convex, or self-crossing
        v = v + rng.uniform(-1, 1, 2) * 10.0 ** rng.uniform(0, 9)
        want = float(exact_shoelace(v[:, 0], v[:, 1]))
        span = np.ptp(v, axis=0).prod()
        assert abs(m.shoelacemethod(v[:, 0], v[:, 1]) - want) <= 1e-13 * len(v) * span, k


def test_shoelace(m):
    sq_x, sq_y = [0, 1, 1, 0], [0, 0, 1, 1]
    assert m.shoelacemethod(sq_x, sq_y) == 1.0
    assert m.shoelacemethod(sq_x[::-1], sq_y[::-1]) == 1.0
    assert m.shoelacemethod([0, 1], [0, 1]) == 0.0
    rng = np.random.default_rng(10)
    pts = rng.normal(size=(40, 2))
    hull = spatial.ConvexHull(pts)
    v = pts[hull.vertices]
    assert m.shoelacemethod(v[:, 0], v[:, 1]) == pytest.approx(hull.volume, rel=1e-13)


def binomial(n, k):
    if k < 1:
        return 1
    if n < 0:
        return (-1) ** k * math.comb(k - n - 1, k)
    return math.comb(n, k)


def test_pascal_triangle(m):
    for n in range(-12, 40):
        for k in range(-3, 45):
            assert m.pascaltriangle(n, k) == binomial(n, k), (n, k)
    # Beyond the range of 32-bit intermediates: exact while 64 bits hold them.
    assert m.pascaltriangle(60, 30) == float(math.comb(60, 30))
    assert m.pascaltriangle(1000, 500) == pytest.approx(float(math.comb(1000, 500)), rel=1e-15)
    assert m.pascaltriangle(-7, 25) == pytest.approx(float(binomial(-7, 25)), rel=1e-15)
    assert m.pascaltriangle(-1, 2**31 - 1) == -1.0
    assert m.pascaltriangle(2**31 - 1, 2**31 - 2) == 2**31 - 1
    assert m.pascaltriangle(-(2**31), 2**31 - 1) == -math.inf


# --- monotone cubic Hermite front ends ---------------------------------------------

def cubic_table(seed, n=20):
    rng = np.random.default_rng(seed)
    x = np.cumsum(rng.uniform(0.1, 1.0, n))
    y = rng.normal(size=n)
    y[n // 2: n // 2 + 3] = y[n // 2]  # a flat stretch
    return x, y


def test_cubic_interpolation_against_scipy_pchip(m):
    x, y = cubic_table(2, n=70)  # more points than the derivatives keep on the stack
    ref = interpolate.PchipInterpolator(x, y, extrapolate=True)
    p = np.concatenate([np.linspace(x[0] - 1, x[-1] + 1, 400), x])
    out = m.cubichermitianinterpolation(x, y, p)
    np.testing.assert_allclose(out, ref(p), rtol=1e-13, atol=1e-13 * np.abs(y).max())
    np.testing.assert_allclose(out[-len(x):], y, rtol=1e-15, atol=1e-15)


def test_cubic_integration(m):
    x, y = cubic_table(4)
    ref = interpolate.PchipInterpolator(x, y, extrapolate=True)
    for a, b in [(x[0], x[-1]), (x[2] + 0.1, x[7] - 0.05), (x[0] - 0.5, x[-1] + 0.7), (x[5], x[5])]:
        r = m.cubichermitianintegration(x, y, a, b)
        assert r == pytest.approx(integrate.quad(ref, a, b, limit=200, points=x[(x > a) & (x < b)])[0],
                                  rel=1e-12, abs=1e-12)
        assert m.cubichermitianintegration(x, y, b, a) == -r


def test_cubic_arc_length(m):
    # A straight line has constant slope: the estimate is exact.
    x = np.array([0.0, 0.5, 2.0, 3.0])
    assert m.cubichermitianarclength(x, 0.75 * x + 1, 0.0, 3.0) == pytest.approx(3.75, rel=1e-14)
    # Otherwise: the interpolant of sqrt(1 + d^2) built from the node slopes.
    x, y = cubic_table(5, n=12)
    d = interpolate.PchipInterpolator(x, y).derivative()(x)
    g = interpolate.PchipInterpolator(x, np.sqrt(1 + d**2), extrapolate=True)
    a, b = x[1] - 0.2, x[-2] + 0.3
    assert m.cubichermitianarclength(x, y, a, b) == pytest.approx(g.integrate(a, b), rel=1e-12)


@pytest.mark.parametrize("call,routine,message", [
    ("cubichermitianinterpolation([1.0], [2.0], [0.5])", b"DPCHIM", b"NUMBER OF DATA POINTS LESS THAN TWO"),
    ("cubichermitianinterpolation([0, 1, 2], [2, 3, 4], [])", b"DPCHFE",
     b"NUMBER OF EVALUATION POINTS LESS THAN ONE"),
    ("cubichermitianintegration([0, 2, 1], [2, 3, 4], 0.0, 1.0)", b"DPCHIM", b"X-ARRAY NOT STRICTLY INCREASING"),
    ("cubichermitianarclength([0.0], [1.0], 0.0, 1.0)", b"DPCHIM", b"NUMBER OF DATA POINTS LESS THAN TWO"),
])
def test_cubic_bad_table_ends_process(call, routine, message):
    out, status = ends_with("v.math." + call)
    assert status == 1 and b"returned" not in out
    assert out.startswith(b" ***MESSAGE FROM ROUTINE " + routine + b" IN LIBRARY SLATEC.\n"
                          b" ***POTENTIALLY RECOVERABLE ERROR, PROG ABORTED, TRACEBACK REQUESTED\n"
                          b" *  " + message + b"\n")


def test_cubic_native_bad_tables_under_lowered_flag(lib):
    # With the control flag lowered the package returns; the front ends must
    # then neither crash nor read derivatives that were never set.
    code = f"""
import ctypes as C
lib = C.CDLL({lib._name!r})
lib.cubichermitianintegration.restype = C.c_double
lib.cubichermitianarclength.restype = C.c_double
I = lambda v: C.byref(C.c_int32(v)); F = lambda v: C.byref(C.c_double(v))
x = (C.c_double * 3)(0, 1, 1); r = (C.c_double * 3)(7, 7, 7)
lib.xsetf_(I(0))
print(lib.cubichermitianintegration(x, I(3), x, I(3), F(0), F(1)),
      lib.cubichermitianintegration(x, I(1), x, I(1), F(0), F(1)),
      lib.cubichermitianarclength(x, I(3), x, I(2), F(0), F(1)))
lib.cubichermitianinterpolation(r, x, I(3), x, I(3), x, I(3))
print(list(r))
"""
    assert run_python(code) == (b"0.0 0.0 0.0\n[7.0, 7.0, 7.0]\n", 0)
