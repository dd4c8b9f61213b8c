"""Compression failure from a measured stress distribution, the influence factor of a split
laminate and the open-hole factor."""
import math

import numpy as np
import pytest

from conftest import error_record
from laminate_oracle import CFRP, GFRP, abd_parallel_axis

WARNING = "The extreme value point of weighted stressdistribution curve can not be found"


def evaluate(vx, s, x, alpha, strength=600.0, load=-2.0e4, disp=-0.4, length=50.0, width=9.0,
             t=(0.25, 0.25, 0.5)):
    return vx.dic.getcomprfailurebydic(np.asarray(s, float), np.asarray(x, float), list(t), alpha,
                                       strength, load, disp, length, width)


def check_scaling(res, f, pos, load=2.0e4, disp=0.4, length=50.0, width=9.0, thick=1.0):
    np.testing.assert_allclose(res, [load * f, disp * f / length, load * f / (thick * width), pos],
                               rtol=1e-14)


def test_single_peak_takes_the_smallest_weighted_stress(vx):
    # points given out of order; sorted by position: x = -4 .. 4, one peak at x = 0
    x = np.array([4.0, -2.0, 0.0, -4.0, 2.0])
    s = np.array([1.0, 1.1, 3.0, 1.2, 1.3])
    res, dist = evaluate(vx, s, x, 1.0, width=8.0)
    # weights 1 + sqrt(2 |x| / 8): the weighted minimum 1.1 (1 + sqrt(1/2)) at |x| = 2 governs,
    # not the measured minimum 1.0 at x = 4
    f = 600.0 / (1.1 * (1.0 + math.sqrt(0.5)))
    check_scaling(res, f, 2.0, width=8.0)
    np.testing.assert_allclose(dist[:, 0], f * s[np.argsort(x, kind="stable")], rtol=1e-14)
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("s,x,alpha,width,f,pos,status", [
    # peaks of the measured curve at 4 and 7 (1-based); the walk runs on the weighted curve (weights
    # 1 + sqrt(x)/3), which falls on to x = 0 where the measured one rises: valleys at x = 0 (2.5) and
    # x = 8 (1 + sqrt(8)/3), the higher one governs
    ([2.5, 2.0, 4.0, 6.0, 4.0, 5.0, 7.0, 5.0, 1.0, 4.0], np.arange(10.0), 1.0, 18.0, 600.0 / 2.5, 0.0, 0),
    # the two largest values (6, 7) are neighbours at the end: the walk starts from the detected
    # peaks 2 and 4 instead and stops in the valley at x = 4
    ([1.0, 5.0, 2.0, 4.0, 2.0, 3.0, 6.0, 7.0], np.arange(8.0), 0.0, 9.0, 300.0, 4.0, 0),
    # a walk reaching both ends warns and goes on
    ([1.0, 3.0, 2.0, 4.0, 1.5], np.arange(5.0), 0.0, 9.0, 600.0 / 1.5, 4.0, -1),
    # a rising curve has no detected peak: the walk starts at its maximum, falls to x = 0
    ([1.0, 2.0, 3.0, 4.0, 5.0], np.arange(5.0), 0.0, 9.0, 600.0 / 5.0, 4.0, -1),
    # a flat curve: the weighted stress 2 (1 + |x|) is highest at the edge, which governs
    ([2.0, 2.0, 2.0], [-1.0, 0.0, 1.0], 1.0, 2.0, 150.0, 1.0, 0),
])
def test_walk_to_the_governing_valley(vx, s, x, alpha, width, f, pos, status):
    res, dist = evaluate(vx, s, x, alpha, width=width)
    check_scaling(res, f, pos, width=width)
    assert np.all(np.isfinite(dist)) and error_record(vx)[0] == status
    assert not status or error_record(vx)[1] == WARNING


def test_no_stress_values(vx):
    res, dist = evaluate(vx, [], [], 0.5)
    assert dist.shape == (0, 2) and np.array_equal(res, np.zeros(4))
    assert error_record(vx) == (-2, "Error in GetComprFailurebyDIC: no measured stress values.")


@pytest.mark.parametrize("s,alpha", [
    ([0.0] * 5, -0.5),                    # nothing measured: the walk also finds no valley
    ([0.5, 1.0, 5.0, 1.0, 0.0], 0.0),     # one peak: its smallest weighted stress, 0, governs
    ([0.0, 1.0, 5.0, 1.0, 0.5], 1.0),
    ([1.0, 2.0, 5.0, 2.0, 1e-320], 0.0),  # not 0, but the scale overflows
])
def test_governing_point_without_stress(vx, s, alpha):
    res, dist = vx.dic.getcomprfailurebydic(np.array(s), np.arange(5.0), np.ones(2), alpha, 600.0, -1000.0,
                                            -0.5, 100.0, 20.0)
    assert not res.any() and not dist.any()
    assert error_record(vx) == (-2, "Error in GetComprFailurebyDIC: no weighted stress at the governing point.")


def test_zeros_away_from_the_governing_point(vx):
    # valleys of 0 between equal peaks: the higher edge value governs, finite
    res, dist = evaluate(vx, [2.0, 0.0, 2.0, 0.0, 2.0], np.arange(5.0), 0.0)
    check_scaling(res, 300.0, 0.0)
    np.testing.assert_array_equal(dist[:, 0], [600.0, 0.0, 600.0, 0.0, 600.0])
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("seed", range(6))
def test_invariants_of_random_distributions(vx, seed):
    rng = np.random.default_rng(seed)
    n = int(rng.integers(3, 200))
    x = rng.uniform(-10.0, 10.0, n)
    s = -rng.uniform(50.0, 300.0, n)
    alpha = 0.0 if seed % 2 == 0 else rng.uniform(0.1, 2.0)
    res, dist = evaluate(vx, s, x, alpha, width=20.0)
    order = np.argsort(x, kind="stable")
    f = res[0] / 2.0e4
    np.testing.assert_allclose(dist[:, 0], f * np.abs(s[order]), rtol=1e-13)
    w = 1.0 + alpha * np.sqrt(2.0 * np.abs(x[order]) / 20.0)
    if alpha == 0.0:
        np.testing.assert_array_equal(dist[:, 0], dist[:, 1])
    else:
        np.testing.assert_allclose(dist[:, 1], dist[:, 0] * w, rtol=1e-13)
    # the governing point reaches the strength exactly, at one of the measured positions
    g = np.flatnonzero(np.abs(x[order]) == res[3])
    assert g.size and np.isclose(dist[g, 1], 600.0, rtol=1e-13).any()
    assert np.all(res >= 0.0) and np.all(dist >= 0.0)
    check_scaling(res, f, res[3], width=20.0)


def influence(vx, t, records, ncols=None):
    n = len(t)
    ncols = n - 1 if ncols is None else ncols
    real = np.zeros((12, ncols))
    ints = np.zeros((4, ncols), np.int32)
    for i, (first, last, knock) in enumerate(records):
        ints[:, i] = (i + 1, first, last, 1)
        real[1, i] = knock
    return vx.dic.getdmginfluencefactor(np.asarray(t, float), real, ints)


def test_influence_factor(vx):
    t = [0.1, 0.2, 0.3, 0.15]
    assert influence(vx, t, []) == 1.0
    q = 1.0 - 0.5 / 0.75  # plies 2, 3 share one knock-down: thickest run 0.5
    assert influence(vx, t, [(2, 3, 0.6)]) == pytest.approx((2 * q) ** q, rel=1e-14)
    q = 1.0 - 0.3 / 0.75  # a later record splits the run
    assert influence(vx, t, [(2, 3, 0.6), (3, 3, 0.8)]) == pytest.approx((2 * q) ** q, rel=1e-14)
    q = 1.0 - 0.45 / 0.95  # equal factors apart do not join; intact plies 3, 4 form a run
    assert influence(vx, [0.1, 0.2, 0.3, 0.15, 0.2], [(1, 1, 0.5), (2, 2, 0.7), (5, 5, 0.5)]) \
        == pytest.approx((2 * q) ** q, rel=1e-14)
    # empty or reversed ranges are ignored; ranges past the stack are clipped to it
    assert influence(vx, t, [(0, 3, 0.6), (3, 2, 0.6), (7, 9, 0.6)]) == 1.0
    q = 1.0 - 0.45 / 0.75  # plies 3, 4 and, apart, the intact plies 1, 2
    assert influence(vx, t, [(3, 99, 0.6)]) == pytest.approx((2 * q) ** q, rel=1e-14)
    assert influence(vx, t, [(-5, 2, 0.6)]) == pytest.approx((2 * q) ** q, rel=1e-14)


def test_influence_factor_reads_only_the_first_records(vx):
    t = [0.1, 0.2, 0.3, 0.15]
    # lists of nplies records: the last one is not read
    assert influence(vx, t, [(2, 3, 0.6), (1, 1, 0.6), (1, 1, 0.6), (1, 4, 0.3)], ncols=4) \
        == influence(vx, t, [(2, 3, 0.6), (1, 1, 0.6), (1, 1, 0.6)])
    with pytest.raises(vx.error):
        influence(vx, t, [], ncols=2)


@pytest.mark.parametrize("kt,radius", [(3.0, 1.5), (2.6, 2.0), (4.2, 0.5)])
def test_open_hole_factor(vx, kt, radius):
    props = [CFRP, GFRP, CFRP, CFRP]
    angles = [0.0, 45.0, -30.0, 90.0]
    t = [0.2, 0.3, 0.25, 0.2]
    a, b, d = abd_parallel_axis(props, angles, t)
    comp = np.linalg.inv(np.block([[a, b], [b, d]]))
    nuxy = -comp[0, 1] / comp[0, 0]
    x = 2.0 * radius / 12.0
    c = kt - 3.0
    expect = kt * (x ** (x + 1) - x * x) + abs((a[0, 0] + a[0, 1]) / (2 * a[1, 1] * (c * c + 1)) - nuxy)
    pe = np.asfortranarray(np.array(props).T)
    got = vx.dic.getcentralopenholefactor(pe, angles, t, kt, radius, 12.0)
    assert got == pytest.approx(expect, rel=1e-11)
