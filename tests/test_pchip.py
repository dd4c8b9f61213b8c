"""Cubic Hermite library through its exported symbols: numerics against scipy."""
import ctypes as C

import numpy as np
import pytest
from scipy import integrate
from scipy.interpolate import BSpline, CubicSpline, PchipInterpolator

i4 = C.c_int32


def P(a):
    return a.ctypes.data_as(C.c_void_p)


def r(v):
    return C.byref(C.c_double(v))


def ii(v):
    return C.byref(i4(v))


@pytest.fixture
def pl(lib):
    """The library with result types set, and the error flag lowered so that
    error returns come back instead of ending the process."""
    for nm in ("dpchqa_", "dpchia_", "dpchid_", "dchfie_", "dbvalu_", "dpchst_", "dpchdf_", "d1mach_"):
        getattr(lib, nm).restype = C.c_double
    for nm in ("pchqa_", "pchia_", "bvalu_", "r1mach_"):
        getattr(lib, nm).restype = C.c_float
    lib.dchfcm_.restype = i4
    lib.i1mach_.restype = i4
    lib.j4save_.restype = i4
    lib.xsetf_(ii(0))
    yield lib
    lib.xsetf_(ii(2))
    lib.xerdmp_()  # empties the message table (prints nothing when empty)


def pchim(lib, x, f, incfd=1):
    n = len(x)
    x = np.asarray(x, float)
    fs = np.zeros(incfd * n)
    fs[::incfd] = f
    d = np.full(incfd * n, 99.0)
    ierr = i4()
    lib.dpchim_(ii(n), P(x), P(fs), P(d), ii(incfd), C.byref(ierr))
    return d, ierr.value


def pchfd(lib, x, f, d, xe, deriv=True, incfd=1):
    n, ne = len(x), len(xe)
    fs = np.zeros(incfd * n); fs[::incfd] = f
    ds = np.zeros(incfd * n); ds[::incfd] = d
    x, xe = np.asarray(x, float), np.asarray(xe, float)
    fe, de, skip, ierr = np.zeros(ne), np.zeros(ne), i4(0), i4()
    if deriv:
        lib.dpchfd_(ii(n), P(x), P(fs), P(ds), ii(incfd), C.byref(skip), ii(ne), P(xe), P(fe), P(de), C.byref(ierr))
    else:
        lib.dpchfe_(ii(n), P(x), P(fs), P(ds), ii(incfd), C.byref(skip), ii(ne), P(xe), P(fe), C.byref(ierr))
    return fe, de, ierr.value, skip.value


def data(seed, n=12):
    g = np.random.default_rng(seed)
    x = np.cumsum(g.uniform(0.1, 2.0, n))
    f = np.cumsum(g.normal(size=n))
    f[g.integers(1, n - 1)] = f[g.integers(1, n - 1)]  # plateaus now and then
    return x, f


@pytest.mark.parametrize("seed", range(6))
def test_monotone_derivatives_and_values_match_scipy(pl, seed):
    x, f = data(seed)
    d, ierr = pchim(pl, x, f)
    ref = PchipInterpolator(x, f)
    assert ierr >= 0
    np.testing.assert_allclose(d, ref.derivative()(x), rtol=1e-13, atol=1e-13)
    # Strided storage gives the same derivatives in every INCFD-th slot.
    d3, ierr3 = pchim(pl, x, f, incfd=3)
    assert ierr3 == ierr and np.array_equal(d3[::3], d)
    assert np.all(d3[1::3] == 99.0)
    xe = np.linspace(x[0] - 1.5, x[-1] + 2.0, 301)
    fe, de, ierrf, skip = pchfd(pl, x, f, d, xe)
    np.testing.assert_allclose(fe, ref(xe), rtol=1e-13, atol=1e-12)
    np.testing.assert_allclose(de, ref.derivative()(xe), rtol=1e-12, atol=1e-12)
    assert ierrf == np.sum(xe < x[0]) + np.sum(xe > x[-1]) and skip == 1
    # Any order of the points gives the same values; value-only evaluation agrees bit for bit.
    perm = np.random.default_rng(seed).permutation(len(xe))
    fp, _, ierrp, _ = pchfd(pl, x, f, d, xe[perm], deriv=False)
    assert ierrp == ierrf and np.array_equal(fp, fe[perm])


@pytest.mark.parametrize("f, switches, zero_at", [
    ([0, 1, 2, 4, 7], 0, []),
    ([0, 1, 3, 1, 0], 1, [2]),
    ([0, 1, 1, 0, -1], 1, [1, 2]),   # flat stretch between a rise and a fall
    ([0, 1, 1, 2, 3], 0, [1, 2]),    # flat stretch between two rises
    ([0, 2, 0, 2, 0, 2], 4, [1, 2, 3, 4]),
])
def test_monotone_switch_count_and_extrema(pl, f, switches, zero_at):
    x = np.arange(len(f), dtype=float)
    d, ierr = pchim(pl, x, f)
    assert ierr == switches
    assert all(d[i] == 0.0 for i in zero_at)
    if switches == 0:
        assert np.all(d >= 0)


@pytest.mark.parametrize("x, f", [([0, 1, 1.1, 3], [0, 1, 5, 4]), ([0, 1, 1.1], [0, 1, -9]),
                                  ([0, 0.1, 3], [0, 1, 0.5]), ([0, 1], [2, 5])])
def test_monotone_end_rules(pl, x, f):
    # End value of the wrong sign zeroed, clipped at a switch, the line for two points.
    np.testing.assert_allclose(pchim(pl, x, f)[0], PchipInterpolator(x, f).derivative()(x), rtol=1e-14)


def spline(lib, x, f, ic, vc=(0.0, 0.0)):
    n = len(x)
    x, f = np.asarray(x, float), np.asarray(f, float)
    d, wk, ierr = np.zeros(n), np.zeros(2 * n), i4()
    lib.dpchsp_(P(np.array(ic, np.int32)), P(np.array(vc, float)), ii(n), P(x), P(f), P(d), ii(1), P(wk),
                ii(2 * n), C.byref(ierr))
    return d, ierr.value


@pytest.mark.parametrize("ic, vc, bc", [
    ((0, 0), (0, 0), "not-a-knot"),
    ((1, 1), (0.5, -2.0), ((1, 0.5), (1, -2.0))),
    ((2, 2), (0.0, 0.0), "natural"),
    ((2, 1), (1.5, 0.25), ((2, 1.5), (1, 0.25))),
])
@pytest.mark.parametrize("n", [3, 4, 9])
def test_spline_derivatives_match_scipy(pl, ic, vc, bc, n):
    x, f = data(n, n)
    d, ierr = spline(pl, x, f, ic, vc)
    assert ierr == 0
    np.testing.assert_allclose(d, CubicSpline(x, f, bc_type=bc).derivative()(x), rtol=1e-10, atol=1e-10)


def test_spline_end_formulas_and_the_easy_entry(pl):
    x = np.array([0.0, 1, 2, 3]); f = x ** 3
    d, ierr = spline(pl, x, f, (0, 0))
    # The four-point end formula is exact on a cubic.
    xx = np.array([0.0, 0.5, 1.5, 2.0, 3.5]); ff = xx ** 3 - xx
    d4, _ = spline(pl, xx, ff, (4, 4))
    np.testing.assert_allclose(d4[[0, -1]], [-1.0, 3 * 3.5 ** 2 - 1], atol=1e-11)
    assert list(spline(pl, [0.0, 2.0], [1.0, 5.0], (0, 0))[0]) == [2.0, 2.0]
    dz, wk, ierr = np.zeros(4), np.zeros(8), i4()
    pl.dpchez_(ii(4), P(x), P(f), P(dz), ii(1), P(wk), ii(8), C.byref(ierr))
    assert np.array_equal(dz, d)
    pl.dpchez_(ii(4), P(x), P(f), P(dz), ii(0), P(wk), ii(0), C.byref(ierr))
    assert np.array_equal(dz, pchim(pl, x, f)[0])


def test_integrals_match_quadrature(pl):
    x, f = data(3, 10)
    d, _ = pchim(pl, x, f)
    ref = PchipInterpolator(x, f)
    n, ierr = len(x), i4()
    cases = [(x[0], x[-1], 0), (x[2] + 0.1, x[2] + 0.2, 0), (x[1] + 0.3, x[7] - 0.1, 0),
             (x[0] - 1.0, x[3], 1), (x[4], x[-1] + 0.7, 2), (x[0] - 0.5, x[-1] + 0.5, 3),
             (x[6], x[1], 0), (x[3], x[3], 0)]
    for a, b, flag in cases:
        v = pl.dpchqa_(ii(n), P(x), P(f), P(d), r(a), r(b), C.byref(ierr))
        lo, hi = min(a, b), max(a, b)
        inner = x[(x > lo) & (x < hi)]
        q = integrate.quad(ref, lo, hi, points=inner if len(inner) else None, limit=200,
                           epsabs=1e-13, epsrel=1e-13)[0] * (1 if a <= b else -1)
        assert ierr.value == flag
        assert v == pytest.approx(q, rel=1e-11, abs=1e-11)
    # Between data points, in either order.
    whole = pl.dpchqa_(ii(n), P(x), P(f), P(d), r(x[0]), r(x[-1]), C.byref(ierr))
    for a, b, sign in ((1, n, 1), (n, 1, -1)):
        v = pl.dpchid_(ii(n), P(x), P(f), P(d), ii(1), C.byref(i4(0)), ii(a), ii(b), C.byref(ierr))
        assert v == pytest.approx(sign * whole, rel=1e-14)
    assert pl.dpchqa_(ii(n), P(x), P(f), P(d), r(-99.0), r(-99.0), C.byref(ierr)) == 0.0 and ierr.value == 3


def test_bspline_form_matches_scipy(pl):
    x, f = data(5, 8)
    d, _ = pchim(pl, x, f)
    n = len(x)
    ref = PchipInterpolator(x, f)
    work = np.zeros(12)
    for knotyp in (0, 1, 2):
        t, bc = np.zeros(2 * n + 4), np.zeros(2 * n)
        nk, nd, kord, ierr = i4(0), i4(), i4(), i4()
        pl.dpchbs_(ii(n), P(x), P(f), P(d), ii(1), ii(knotyp), C.byref(nk), P(t), P(bc), C.byref(nd),
                   C.byref(kord), C.byref(ierr))
        assert (ierr.value, nk.value, nd.value, kord.value) == (0, 2 * n + 4, 2 * n, 4)
        bs = BSpline(t, bc, 3, extrapolate=False)
        xe = np.linspace(x[0], x[-1], 97)[:-1]
        np.testing.assert_allclose(bs(xe), ref(xe), rtol=1e-12, atol=1e-12)
        inbv = i4(1)
        for xv in xe[::7]:
            for ider in (0, 1, 2):
                v = pl.dbvalu_(P(t), P(bc), ii(2 * n), ii(4), ii(ider), r(xv), C.byref(inbv), P(work))
                assert v == pytest.approx(bs(xv, nu=ider), rel=1e-10, abs=1e-10)
        # The right end gives the left limit, i.e. the last data value.
        v = pl.dbvalu_(P(t), P(bc), ii(2 * n), ii(4), ii(0), r(x[-1]), C.byref(inbv), P(work))
        assert v == pytest.approx(f[-1], abs=1e-12)
    for knotyp, expect in ((0, [0, 0, 0, 0, 1, 1, 1, 1]), (1, [-1, -1, 0, 0, 1, 1, 2, 2])):
        t = np.zeros(8)
        pl.dpchkt_(ii(2), P(np.array([0.0, 1.0])), ii(knotyp), P(t))
        assert list(t) == expect


def test_monotonicity_codes(pl):
    cases = [((1, 1, 1), 1), ((5, 5, 1), 2), ((0, 0, 0), 0), ((1, 0, 0), 2), ((-1, -1, -1), -1),
             ((3, 3, 1), 3), ((3.5, 3.5, 1), 2), ((-3, 1, 1), 2), ((-2.9, -2.9, -1), -1)]
    for (d1, d2, delta), code in cases:
        assert pl.dchfcm_(r(d1), r(d2), r(delta)) == code
    x, f = data(9, 15)
    f = np.sort(f)
    d, _ = pchim(pl, x, f)
    ismon, skip, ierr = np.zeros(15, np.int32), i4(0), i4()
    pl.dpchcm_(ii(15), P(x), P(f), P(d), ii(1), C.byref(skip), P(ismon), C.byref(ierr))
    assert ierr.value == 0 and ismon[-1] in (1, 3) and set(ismon[:-1]) <= {0, 1, 3}


def pchic(lib, x, f, ic, vc=(0.0, 0.0), sw=0.0, nwk=None, single=False):
    """(derivatives as doubles, status) of the general setter, in either precision."""
    dt, real = (np.float32, C.c_float) if single else (np.float64, C.c_double)
    x, f = np.asarray(x, dt), np.asarray(f, dt)
    n = len(x)
    d, wk, ierr = np.zeros(n, dt), np.zeros(2 * n, dt), i4()
    (lib.pchic_ if single else lib.dpchic_)(P(np.array(ic, np.int32)), P(np.array(vc, dt)), C.byref(real(sw)), ii(n),
                                            P(x), P(f), P(d), ii(1), P(wk), ii(2 * n if nwk is None else nwk),
                                            C.byref(ierr))
    return d.astype(float), ierr.value


def test_general_setter(pl):
    x, f = data(2, 10)
    dm, _ = pchim(pl, x, f)
    got, e = pchic(pl, x, f, (0, 0))
    assert e == 0 and np.array_equal(got, dm)
    got, e = pchic(pl, x, f, (1, 1), (0.25, -0.75))
    assert e == 0 and got[0] == 0.25 and got[-1] == -0.75 and np.array_equal(got[1:-1], dm[1:-1])
    s1, sn = (f[1] - f[0]) / (x[1] - x[0]), (f[-1] - f[-2]) / (x[-1] - x[-2])
    got, e = pchic(pl, x, f, (-1, -1), (-np.sign(s1), 2 * sn))
    assert e == 1 and got[0] == 0.0 and got[-1] == 2 * sn
    assert [pchic(pl, x, f, ic)[1] for ic in ((6, 0), (0, -6), (6, 6))] == [-4, -5, -6]
    assert pchic(pl, x, f, (0, 0), nwk=2 * len(x) - 3)[1] == -7
    # A switch adjustment moves only derivatives next to a switch.
    adj, e = pchic(pl, x, f, (0, 0), sw=-1.0)
    assert e == 0
    slopes = np.diff(f) / np.diff(x)
    changed = np.nonzero(adj != dm)[0]
    assert all(np.any(np.sign(slopes[max(i - 2, 0):i + 2]) != np.sign(slopes[max(i - 2, 0)])) for i in changed)
    # A condition larger than N falls back to the default.
    d4, e = pchic(pl, x[:4], f[:4], (5, 5))
    assert e == 0 and np.array_equal(d4, pchim(pl, x[:4], f[:4])[0])


def hermite_second_derivatives(x, f, d):
    """Second derivatives of each interval's cubic at its left and right ends."""
    h, s = np.diff(x), np.diff(f) / np.diff(x)
    return (6 * s - 4 * d[:-1] - 2 * d[1:]) / h, (2 * d[:-1] + 4 * d[1:] - 6 * s) / h


@pytest.mark.parametrize("single", [False, True])
def test_general_setter_end_conditions(pl, single):
    tol = 2e-4 if single else 1e-9
    x = np.array([-1.0, -0.2, 0.5, 1.5, 2.0, 3.25, 4.0], np.float32 if single else np.float64)

    def derivs(f, ic, vc=(0.0, 0.0)):
        d, ierr = pchic(pl, x, f, ic, vc, single=single)
        assert ierr == 0
        return d

    xd = x.astype(float)
    f = np.sin(xd) + xd
    # Given end second derivatives are met.
    d = derivs(f, (2, 2), (0.75, -1.25))
    left, right = hermite_second_derivatives(xd, f, d)
    np.testing.assert_allclose([left[0], right[-1]], [0.75, -1.25], atol=tol)
    # Condition 5 makes the second derivative continuous at the second and next-to-last points.
    d = derivs(f, (5, 5))
    left, right = hermite_second_derivatives(xd, f, d)
    np.testing.assert_allclose([right[0], right[-2]], [left[1], left[-1]], atol=tol)
    # The three- and four-point formulas are exact on quadratics and cubics, at both ends.
    q, c = 2 * xd ** 2 - xd + 1, xd ** 3 - 2 * xd ** 2 + 3
    dq, dc = derivs(q, (3, 3)), derivs(c, (4, 4))
    np.testing.assert_allclose(dq[[0, -1]], 4 * xd[[0, -1]] - 1, atol=tol * 10)
    np.testing.assert_allclose(dc[[0, -1]], 3 * xd[[0, -1]] ** 2 - 4 * xd[[0, -1]], atol=tol * 10)


def test_bspline_converter_argument_checks(pl):
    # Knot-type checks come first; a single point is refused before any knot is built.
    x, t, bc = np.array([0.0, 1.0]), np.full(6, 7.0), np.zeros(2)

    def pchbs(n, knotyp, nknots):
        nk, nd, kord, ierr = i4(nknots), i4(), i4(), i4()
        pl.dpchbs_(ii(n), P(x), P(x), P(x), ii(1), ii(knotyp), C.byref(nk), P(t), P(bc), C.byref(nd),
                   C.byref(kord), C.byref(ierr))
        return ierr.value, nk.value

    assert pchbs(1, 3, 0)[0] == -1
    assert pchbs(1, -1, 5) == (-2, 5)
    assert pchbs(1, 0, 0)[0] == -1 and np.all(t == 7.0)


def test_excursion_limiter_status(pl):
    def pchsw(d1, d2, slope, ierr0=77, dfmax=0.01):
        a, b, e = C.c_double(d1), C.c_double(d2), i4(ierr0)
        pl.dpchsw_(r(dfmax), ii(1), C.byref(a), C.byref(b), r(1.0), r(slope), C.byref(e))
        return a.value, b.value, e.value

    # Extremum outside the interval: nothing changes, the caller's status included.
    assert pchsw(0.0, 1.0, 0.5) == (0.0, 1.0, 77)
    assert pchsw(1.0, 0.0, 0.5) == (1.0, 0.0, 0)
    assert pchsw(0.0, 0.0, 0.5)[2] == -1 and pchsw(1.0, 2.0, 0.5)[2] == -1
    d1, d2, e = pchsw(0.0, -2.0, 0.1)
    assert e == 0 and d1 == 0.0 and -2.0 < d2 < 0.0


def test_machine_constants_and_search(pl):
    assert [pl.d1mach_(ii(k)) for k in range(1, 6)] == [
        4.450147717014403e-308, 8.988465674311579e+307, 1.110223024625157e-16, 2.220446049250313e-16,
        0.301029995663981]
    assert pl.r1mach_(ii(4)) == 2.0 ** -23 and pl.r1mach_(ii(1)) == np.finfo(np.float32).tiny
    assert pl.r1mach_(ii(2)) == np.finfo(np.float32).max
    assert [pl.i1mach_(ii(k)) for k in (4, 9, 14, 16)] == [6, 2147483647, 53, 1024]
    xt = np.array([0.0, 1, 1, 2, 5, 7])
    for x, ilo0, (ileft, mflag) in [(-1.0, 3, (1, -1)), (7.0, 1, (6, 1)), (1.0, 1, (3, 0)), (4.9, 6, (4, 0)),
                                     (6.0, 2, (5, 0)), (0.5, 99, (1, 0)), (0.5, -5, (1, 0))]:
        ilo, il, mf = i4(ilo0), i4(), i4()
        pl.dintrv_(P(xt), ii(6), r(x), C.byref(ilo), C.byref(il), C.byref(mf))
        assert (il.value, mf.value) == (ileft, mflag)


def test_error_returns_when_flag_lowered(pl):
    x = np.array([0.0, 1, 1, 2]); f = np.arange(4.0); d = np.zeros(4)
    assert pchim(pl, x, f)[1] == -3
    assert pchim(pl, [0.0], [1.0])[1] == -1
    # Even a caller that vouches for the data cannot make the evaluator read with a bad stride.
    skip, ierr, fe = i4(1), i4(), np.zeros(1)
    pl.dpchfe_(ii(4), P(np.arange(4.0)), P(f), P(d), ii(0), C.byref(skip), ii(1), P(np.zeros(1)), P(fe),
               C.byref(ierr))
    assert ierr.value == -2
    pl.dpchfe_(ii(2), P(np.arange(2.0)), P(f), P(d), ii(1), C.byref(i4(0)), ii(0), P(fe), P(fe), C.byref(ierr))
    assert ierr.value == -4
    pl.dchfev_(r(1.0), r(1.0), r(0), r(1), r(0), r(0), ii(0), P(fe), P(fe), P(np.zeros(2, np.int32)),
               C.byref(ierr))
    assert ierr.value == -1
    pl.dpchid_(ii(4), P(np.arange(4.0)), P(f), P(d), ii(1), C.byref(i4(0)), ii(0), ii(2), C.byref(ierr))
    assert ierr.value == -4
    s = np.array([1.0, 2.0])
    assert pl.dpchdf_(ii(2), P(np.arange(2.0)), P(s), C.byref(ierr)) == 0.0 and ierr.value == -1
    # Knots or abscissas that make the interval search fail give 0, never a read outside.
    t, a, w = np.array([0, 0, 0, 0, 1, 1, 1, 1.0]), np.ones(4), np.zeros(12)
    for xv in (np.nan, 1.5, -0.1):
        assert pl.dbvalu_(P(t), P(a), ii(4), ii(4), ii(0), r(xv), C.byref(i4(1)), P(w)) == 0.0
    assert pl.dbvalu_(P(t), P(a), ii(4), ii(4), ii(4), r(0.5), C.byref(i4(1)), P(w)) == 0.0


def test_garbage_inputs_stay_inside_the_arrays(pl):
    """Random sizes, strides, unordered abscissas vouched for by SKIP, odd search
    indices: every call returns (the sanitizer build checks the memory side)."""
    g = np.random.default_rng(7)
    for _ in range(400):
        n = int(g.integers(0, 7))
        x = g.normal(size=max(n, 1))
        f, d = g.normal(size=3 * max(n, 1)), np.zeros(3 * max(n, 1))
        inc, ierr = int(g.integers(-1, 4)), i4()
        if 1 <= inc <= 3:
            pl.dpchim_(ii(n), P(x), P(f), P(d), ii(inc), C.byref(ierr))
            assert ierr.value >= 0 or ierr.value in (-1, -3)
            a, b = g.normal(size=2) * 2
            v = pl.dpchia_(ii(n), P(x), P(f), P(d), ii(inc), C.byref(i4(1)), r(a), r(b), C.byref(ierr))
            assert ierr.value in (-1, 0, 1, 2, 3, -4) and (ierr.value < 0 or np.isfinite(v))
            xe, fe = g.normal(size=4) * 3, np.zeros(4)
            pl.dpchfe_(ii(n), P(x), P(f), P(d), ii(inc), C.byref(i4(1)), ii(4), P(xe), P(fe), C.byref(ierr))
            assert ierr.value >= -5
        t = np.sort(g.normal(size=12)) if g.random() < 0.5 else g.normal(size=12)
        ilo, il, mf = i4(int(g.integers(-5, 20))), i4(), i4()
        pl.dintrv_(P(t), ii(int(g.integers(-1, 13))), r(g.normal() * 3), C.byref(ilo), C.byref(il), C.byref(mf))
        assert mf.value in (-1, 0, 1)
