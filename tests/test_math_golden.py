"""Maximum search by reverse communication, and cubic equations."""
import math

import numpy as np
import pytest


def search(vx, f, lo, hi, dx, gsflag, npoints, default=0.0, limit=10000):
    """Drives the protocol; returns (xi, yi, requested abscissas, state)."""
    x, y, xmove, lplimits, incr, proc, golden, finish = vx.math.inigoldensearch(lo, hi, dx, gsflag, npoints)
    st = dict(
        xi=np.array(0.0), yi=np.array(0.0), x=x, y=y, xmove=xmove, ymove=np.zeros(4), lplimits=lplimits,
        xdir=np.array(0, np.int32), increment=np.array(incr, np.int32), proc=np.array(proc, np.int32),
        isgolden=np.array(golden, np.int8), update=np.array(0, np.int8), finish=np.array(finish, np.int8))
    asked = []
    while not st["finish"] and len(asked) < limit:
        vx.math.gssafe(st["xi"], st["yi"], dx, st["x"], st["y"], st["xmove"], st["ymove"], st["lplimits"],
                       st["xdir"], st["increment"], st["proc"], st["isgolden"], st["update"], st["finish"],
                       default)
        if st["update"]:
            asked.append(float(st["xi"]))
            st["yi"][()] = f(float(st["xi"]))
    return float(st["xi"]), float(st["yi"]), asked, st


@pytest.mark.parametrize("f,lo,hi,xmax", [
    (lambda x: -(x - 0.3) ** 2, 0.0, 1.0, 0.3),
    (math.sin, 0.0, 3.0, math.pi / 2),
    (lambda x: x * math.exp(-x), 0.0, 4.0, 1.0),
    (lambda x: -math.cosh(x + 2.5), -7.0, 3.0, -2.5),
])
def test_golden_finds_the_maximum(vx, f, lo, hi, xmax):
    xi, yi, asked, st = search(vx, f, lo, hi, 1e-6, 1, 200)
    assert asked[:4] == pytest.approx([lo, hi, lo + (hi - lo) * 0.3819660112501051, lo + (hi - lo) * 0.6180339887498949])
    assert xi == pytest.approx(xmax, abs=1e-5)
    # ended by the tolerance: the vertex was asked for last, yet yi is the
    # value stored for the last golden point
    n = int(st["increment"])
    assert asked[-1] == xi and len(asked) == n + 1 and yi == st["y"][n - 1]
    assert n < 200 and st["lplimits"][1] < 1e-6


def test_golden_runs_out_of_slots(vx):
    xi, yi, asked, st = search(vx, lambda x: -(x - 0.3) ** 2, 0.0, 1.0, 1e-6, 1, 6)
    assert len(asked) == 6 and xi == st["x"][5] == asked[-1] and yi == st["y"][5]
    assert yi == -(xi - 0.3) ** 2 and int(st["proc"]) == -1


@pytest.mark.parametrize("f,xi,yi", [(math.sin, 1.5, math.sin(1.5)), (lambda x: -1.0, 0.0, 0.0)])
def test_scan(vx, f, xi, yi):
    rxi, ryi, asked, _ = search(vx, f, 0.0, 3.0, 0.5, 0, 10)
    assert asked == [0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0]
    assert (rxi, ryi) == (xi, yi)


@pytest.mark.parametrize("lo,hi,dx,gs", [(0.0, 3.0, 0.0, 0), (0.0, 3.0, -1.0, 0), (0.0, float("nan"), 0.5, 0),
                                         (0.0, 3.0, float("nan"), 0), (1e17, 2e17, 1.0, 0), (0.0, float("nan"), 1e-6, 1)])
def test_search_ends_on_degenerate_steps(vx, lo, hi, dx, gs):
    # a scan stops at once; a golden search on NaN bounds uses up its 20 slots
    _, _, asked, st = search(vx, lambda x: 1.0, lo, hi, dx, gs, 20 if gs else 4, limit=100)
    assert st["finish"] and (len(asked) == 20 if gs else len(asked) <= 1)


# A counter or phase that no valid sequence leaves behind; the largest phase
# would overflow when stepped on.
@pytest.mark.parametrize("incr,proc", [(-3, 0), (0, 2**31 - 1), (2, -7), (2, 3)])
def test_corrupt_state_ends_the_search(vx, incr, proc):
    xi, yi = np.array(0.5), np.array(0.0)
    incr, proc = np.array(incr, np.int32), np.array(proc, np.int32)
    y = np.array([0.0, 4.0, 0.0, 0.0, 0.0, 0.0])
    flags = [np.array(v, np.int8) for v in (1, 0, 0)]
    vx.math.gssafe(xi, yi, 0.0, np.zeros(6), y, np.zeros(4), np.zeros(4), np.array([1e-6, 1.0]),
                   np.array(0, np.int32), incr, proc, *flags, 0.0)
    assert flags[2] == 1 and flags[1] == 0 and int(proc) == -1
    assert float(yi) == (4.0 if int(incr) == 2 else 0.0)


def test_next_and_maximum_directly(vx):
    x = np.zeros(8)
    x[:4] = [0.0, 1.0, 0.4, 0.6]
    y = np.array([0.0, 0.0, 5.0, 1.0, 0, 0, 0, 0])
    xmove, ymove = x[:4].copy(), np.zeros(4)
    for inc in range(4):
        xn, _, x, xmove, ymove, xdir, inc2 = vx.math.getnextfromgoldensearch(x, y, xmove, ymove, 7, inc)
        assert xn == x[inc] and xdir == 0 and inc2 == inc + 1
    # fright (1) < fleft (5): the bracket moves down
    xn, dx, x, xmove, ymove, xdir, inc = vx.math.getnextfromgoldensearch(x, y, xmove, ymove, 0, 4)
    assert (xdir, inc) == (-1, 5) and dx == 0.6 and x[4] == xn == pytest.approx(0.6 / 2.618033988749895)
    # full slots: no new point, state untouched
    full = vx.math.getnextfromgoldensearch(x[:5], y[:5], xmove, ymove, xdir, 5)
    assert full[0] == x[4] and full[-1] == 5
    # the value at the new lower point (4) stays below fright (5): the
    # parabola goes through the upper three points
    y[4] = 4.0
    xmax = vx.math.getmaximumfromgoldensearch(y, xmove, ymove, 9.0, -1, 5)
    a, b, _ = np.polyfit([xn, 0.4, 0.6], [4.0, 5.0, 1.0], 2)
    assert xmax == pytest.approx(-b / (2 * a), rel=1e-12)
    # three points on a straight line: the default position
    xm, ym = np.array([0.0, 3.0, 1.0, 2.0]), np.array([0.0, 4.0, 2.0, 3.0])
    assert vx.math.getmaximumfromgoldensearch(np.zeros(8), xm, ym, 9.0, 0, 0) == 9.0


@pytest.mark.parametrize("roots", [(1.0, 2.0, 3.0), (-4.0, 0.5, 0.5001), (-1e-3, 2.0, 7.0), (-3.0, -3.0, 6.0)])
@pytest.mark.parametrize("lead", [1.0, -2.5])
def test_cubic_with_three_real_roots(vx, roots, lead):
    c = lead * np.poly(roots)
    assert vx.math.solution3pe(*c) == pytest.approx(sorted(roots), abs=1e-6)


@pytest.mark.parametrize("coef", [(1.0, 0.0, 0.0, -8.0), (2.0, -3.0, 4.0, 5.0), (1.0, 1.0, 1.0, 1.0)])
def test_cubic_with_one_real_root(vx, coef):
    real = [r.real for r in np.roots(coef) if abs(r.imag) < 1e-9]
    assert len(real) == 1
    assert vx.math.solution3pe(*coef) == pytest.approx(3 * real, rel=1e-12, abs=1e-12)


def test_depressed_cubic_special_cases(vx):
    assert vx.math.specialcase(-3.0, 2.0) == (-2.0, 1.0, 1.0)
    assert vx.math.specialcase(-3.0, -2.0) == (-1.0, -1.0, 2.0)
    assert vx.math.specialcase(0.0, 0.0) == (0.0, 0.0, 0.0)


def test_cube_root_and_curve_length(vx):
    assert vx.math.cuberoot(-27.0) == pytest.approx(-3.0, rel=1e-15)
    assert vx.math.cuberoot(0.0) == 0.0 and vx.math.cuberoot(1e-300) == pytest.approx(1e-100)
    assert math.isnan(vx.math.cuberoot(float("nan")))
    assert vx.math.partialcurvelength(0.75) == 1.25
