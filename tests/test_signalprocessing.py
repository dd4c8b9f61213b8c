"""Signal shaping, moving averages, generalised mean and limits."""
import math

import numpy as np
import pytest
from scipy import special, stats

TINY = 2.2250738585072014e-308
HUGE = 1.7976931348623157e308


@pytest.fixture
def sp(vx):
    return vx.signalprocessing


# ---------------------------------------------------------------- peaks

def test_getpeaks_table_layout_hysteresis_and_positions(sp):
    v = np.array([0.0, 1.0, 0.0, 1.0, 0.0])
    for delta in (0.5, -0.5):  # a negative delta acts like its absolute value
        maxtab, mintab, nmax, nmin = sp.getpeaks(v, delta)
        assert (int(nmax), int(nmin)) == (2, 1)
        np.testing.assert_array_equal(maxtab[:2], [[2, 1], [4, 1]])
        np.testing.assert_array_equal(mintab[:1], [[3, 0]])
        assert np.all(maxtab[2:] == TINY) and np.all(mintab[1:] == TINY)
    # a swing smaller than delta is no peak
    _, _, nmax, nmin = sp.getpeaks(v, 1.5)
    assert (int(nmax), int(nmin)) == (0, 0)
    maxtab, _, nmax, _ = sp.getpeaks(v, 0.5, 5, np.array([10.0, 20, 30, 40, 50]))
    np.testing.assert_array_equal(maxtab[: int(nmax), 0], [20, 40])
    maxtab, _, _, _ = sp.getpeaks(v, 0.5, 5, np.zeros(5))  # all-zero positions: indices
    np.testing.assert_array_equal(maxtab[:2, 0], [2, 4])
    maxtab, _, nmax, nmin = sp.getpeaks(np.zeros(0), 1.0)
    assert maxtab.shape == (0, 2) and (int(nmax), int(nmin)) == (0, 0)


def test_getpeaks_random_signal_alternates(sp):
    rng = np.random.default_rng(3)
    v = np.cumsum(rng.normal(size=400))
    delta = 2.0
    maxtab, mintab, nmax, nmin = sp.getpeaks(v, delta)
    nmax, nmin = int(nmax), int(nmin)
    assert nmax > 5 and nmax - 1 <= nmin <= nmax
    pmax, vmax = maxtab[:nmax, 0].astype(int), maxtab[:nmax, 1]
    pmin, vmin = mintab[:nmin, 0].astype(int), mintab[:nmin, 1]
    np.testing.assert_array_equal(v[pmax - 1], vmax)
    np.testing.assert_array_equal(v[pmin - 1], vmin)
    # maxima and minima alternate, each the extreme of the stretch between its neighbours
    for i in range(nmin):
        assert pmax[i] < pmin[i]
        assert vmax[i] == v[pmax[i] - 1 : pmin[i]].max()
        assert vmin[i] == v[pmax[i] - 1 : pmin[i]].min()
        assert vmax[i] - vmin[i] > delta
        if i + 1 < nmax:
            assert pmin[i] < pmax[i + 1] and vmax[i + 1] - vmin[i] > delta
    assert np.all(maxtab[nmax:] == TINY) and np.all(mintab[nmin:] == TINY)


# ---------------------------------------------------------------- averages

@pytest.mark.parametrize("wi, seen", [(None, [3.0, 4.5, 6.0, 9.0]),
                                      ((1.0, 1.0, 2.0), 13.0),  # divided by the count
                                      ((1.0, -1.0, 0.0), 9.0)])  # weights summing to 0: ones
def test_weightedmovingaverage_window_and_weights(sp, wi, seen):
    a, denom, got = np.zeros(3), 0, []
    for r in (3.0, 6.0, 9.0, 12.0):
        sma, a, denom = sp.weightedmovingaverage(r, a, denom, *(() if wi is None else (3, np.array(wi))))
        got.append(float(sma))
    assert (got if wi is None else got[-1]) == seen and int(denom) == 3
    np.testing.assert_array_equal(a, [6, 9, 12])


@pytest.mark.parametrize("denom_in, denom_out, sma", [(-4, 1, 5.0), (9, 3, (2 + 3 + 5) / 3)])
def test_weightedmovingaverage_count_outside_window(sp, denom_in, denom_out, sma):
    # A count outside 0..wb is taken as the nearest end, never as an index.
    sma_, a, denom = sp.weightedmovingaverage(5.0, np.array([1.0, 2.0, 3.0]), denom_in)
    assert int(denom) == denom_out and float(sma_) == pytest.approx(sma)


def test_cumulativemovingaverage_is_running_mean(sp):
    x = np.random.default_rng(2).normal(size=20)
    cma = 0.0
    for n, xi in enumerate(x):
        cma = float(sp.cumulativemovingaverage(cma, xi, n))
        assert cma == pytest.approx(x[: n + 1].mean(), rel=1e-12, abs=1e-15)


# ---------------------------------------------------------------- shaping

def test_logistic_curves(sp):
    for x in (-3.0, -0.2, 0.0, 1.7):
        assert sp.logistic(x, 2.0, 0.5) == pytest.approx(special.expit(2.0 * (x - 0.5)), rel=1e-14)
        assert sp.logistic(x, 2.0, 0.5, 3.0) == pytest.approx(3 * special.expit(2.0 * (x - 0.5)), rel=1e-14)
        # q = v = c = 1 reduces the general curve to a scaled logistic
        assert sp.generallogistic(x, -1.0, 3.0, 2.0, 1.0, 1.0) == pytest.approx(
            -1.0 + 4.0 * special.expit(2.0 * x), rel=1e-14)
        assert sp.generallogistic(x, 0.0, 1.0, 1.0, 2.0, 0.5, 3.0) == pytest.approx(
            1.0 / (3.0 + 2.0 * math.exp(-x)) ** 2, rel=1e-14)


@pytest.mark.parametrize("k", [-0.9, -0.3, 0.0, 0.5, 0.95])
def test_generalsigmoidal_maps_unit_interval_onto_itself(sp, k):
    for x in (-1.0, 0.0, 1.0):
        assert sp.generalsigmoidal(x, k) == pytest.approx(x, abs=1e-15)
    ys = np.array([sp.generalsigmoidal(x, k) for x in np.linspace(-1, 1, 41)])
    assert np.all(np.diff(ys) > 0)
    np.testing.assert_allclose(ys, -ys[::-1], atol=1e-15)  # odd


def test_generalsmoothstep_ends(sp):
    assert sp.generalsmoothstep(0.0, 2) == 0.0 and sp.generalsmoothstep(1.0, 2) == 1.0
    assert sp.generalsmoothstep(2.0, 3) == 1.0 and sp.generalsmoothstep(-1.0, 3) == 0.0
    assert sp.generalsmoothstep(0.3, -1) == 0.0


@pytest.mark.parametrize("n", [0, 1, 2, 3, 5, 9, 15, 27, 28, 40, 120, 5000, 2**31 - 1])
def test_generalsmoothstep_high_orders(sp, n):
    # The step of order n is the regularised incomplete beta function
    # I_t(n+1, n+1); high orders must keep their digits and stay in [0, 1].
    lo = [1e-3, 0.05, 0.3, 0.45, 0.4999]
    ts = lo + [0.5] + [1.0 - t for t in reversed(lo)]
    got = np.array([sp.generalsmoothstep(t, n) for t in ts])
    ref = special.betainc(n + 1, n + 1, np.array(ts))
    np.testing.assert_allclose(got, ref, rtol=1e-9, atol=1e-15)
    assert np.all((got >= 0.0) & (got <= 1.0))
    np.testing.assert_allclose(got + got[::-1], 1.0, atol=1e-14)  # s(t) + s(1 - t) = 1


# ---------------------------------------------------------------- means

def test_generalizedmean_examples(sp):
    x = np.array([1.0, 4.0])
    assert sp.generalizedmean(x, 1.0) == 2.5
    assert sp.generalizedmean(x, HUGE) == 4.0 and sp.generalizedmean(x, -HUGE) == 1.0
    # weights are used as given, not normalised
    assert sp.generalizedmean(x, 1.0, 2, np.array([2.0, 2.0])) == 10.0
    e = np.zeros(0)
    assert sp.generalizedmean(e, 2.0) == 0.0 and sp.generalizedmean(e, 0.0) == 0.0
    assert sp.generalizedmean(e, HUGE) == -HUGE and sp.generalizedmean(e, -HUGE) == HUGE


@pytest.mark.parametrize("p", [-2.5, -1.0, 0.0, 0.5, 2.0, 3.0])
def test_generalizedmean_against_scipy(sp, p):
    rng = np.random.default_rng(5)
    x = rng.uniform(0.5, 9.0, size=11)
    w = rng.uniform(0.1, 1.0, size=11)
    assert sp.generalizedmean(x, p) == pytest.approx(stats.pmean(x, p), rel=1e-12)
    assert sp.generalizedmean(x, p, 11, w / w.sum()) == pytest.approx(
        stats.pmean(x, p, weights=w), rel=1e-12)


# ---------------------------------------------------------------- barrier and limits

def test_logarithmicbarrier(sp):
    assert sp.logarithmicbarrier(1.0, 1.0) == 36.04365338911715
    assert sp.logarithmicbarrier(5.0, 1.0) == 36.04365338911715
    assert sp.logarithmicbarrier(0.5, 3.0) == pytest.approx(-math.log(2.5), rel=1e-15)
    assert math.isnan(sp.logarithmicbarrier(math.nan, 1.0))


@pytest.mark.parametrize("x, lo, up, expect", [
    (5.0, 0.0, 1.0, 1.0), (-5.0, 0.0, 1.0, 0.0), (0.3, 0.0, 1.0, 0.3),
    (0.5, 1.0, 0.0, 0.0),             # crossed bounds: above xup gives xup,
    (-0.5, 1.0, 0.0, 1.0),            # any other value xlow
    (math.inf, 0.0, 1.0, 1.0), (0.2, math.nan, math.nan, 0.2), (math.nan, 0.0, 1.0, math.nan)])
def test_real_limit(sp, x, lo, up, expect):
    got = sp.real_limit(x, lo, up)
    assert got == expect or (math.isnan(got) and math.isnan(expect))


@pytest.mark.parametrize("x, lo, up, expect", [
    (7, 1, 5, 5), (-7, 1, 5, 1), (3, 1, 5, 3), (3, 5, 1, 1), (0, 5, 1, 5), (-2**31, -2**31, 2**31 - 1, -2**31)])
def test_int_limit(sp, x, lo, up, expect):
    assert sp.int_limit(x, lo, up) == expect


def test_mod_limit(sp):
    assert sp.mod_limit(-13, -12) == -1 and sp.mod_limit(-12, -12) == -12
    assert all(sp.mod_limit(x, 0) == 0 for x in (-5, 0, 7))
    rng = np.random.default_rng(7)
    lo, hi = -2**31, 2**31 - 1
    cases = [(lo, -1), (lo, 1), (hi, -1), (lo, lo), (hi, lo), (lo, 7)]
    cases += [(int(a), int(b)) for a, b in rng.integers(lo, hi, size=(200, 2))]
    cases += [(int(a), int(b)) for a, b in rng.integers(-50, 50, size=(200, 2)) if b != 0]
    for x, m in cases:
        r = x % m  # Python's remainder takes the sign of the divisor
        assert sp.mod_limit(x, m) == (r if r != 0 else m), (x, m)


def test_getpeaks_absent_positions_natively(lib):
    import ctypes
    v = np.array([0.0, 1.0, 0.0, 1.0, 0.0])
    maxtab, mintab = np.zeros((5, 2), order="F"), np.zeros((5, 2), order="F")
    nmax, nmin = ctypes.c_int32(-1), ctypes.c_int32(-1)
    ptr = lambda a: a.ctypes.data_as(ctypes.c_void_p)
    lib.GetPeaks(ptr(maxtab), ptr(mintab), ctypes.byref(nmax), ctypes.byref(nmin), ptr(v),
                 ctypes.byref(ctypes.c_double(0.5)), ctypes.byref(ctypes.c_int32(5)), None)
    assert (nmax.value, nmin.value) == (2, 1)
    np.testing.assert_array_equal(maxtab[:2, 0], [2, 4])
