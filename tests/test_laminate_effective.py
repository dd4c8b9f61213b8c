"""Effective stiffness of ply stacks: shared limits, the hybrid block formula, agreement of the methods."""
import numpy as np
import pytest

from conftest import error_record
from laminate_oracle import orthotropic_compliance

ZEROED = [(0, 3), (0, 4), (1, 3), (1, 4), (2, 3), (2, 4), (3, 5), (4, 5)]   # 14 15 24 25 34 35 46 56


def turned(c, deg):
    """Stiffness (order 11, 22, 33, 23, 13, 12) of a ply turned about axis 3, through
    the strain transformation on engineering shear."""
    m, n = np.cos(np.radians(deg)), np.sin(np.radians(deg))
    te = np.array([[m * m, n * n, 0, 0, 0, m * n],
                   [n * n, m * m, 0, 0, 0, -m * n],
                   [0, 0, 1, 0, 0, 0],
                   [0, 0, 0, m, -n, 0],
                   [0, 0, 0, n, m, 0],
                   [-2 * m * n, 2 * m * n, 0, 0, 0, m * m - n * n]])
    return te.T @ c @ te


PLY = np.linalg.inv(orthotropic_compliance(140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 3.5e3, 5e3, 5e3))  # G23, G13, G12
METHODS = ["getvoigteffectivestiffness", "getreusseffectivestiffness", "getsuneffectivestiffness",
           "getchoueffectivestiffness", "gethenryeffectivestiffness"]


def full_spd(seed):
    a = np.random.default_rng(seed).normal(size=(6, 6))
    return a @ a.T + 6 * np.eye(6)


def stack(*plies):
    return np.stack(plies, axis=2)


@pytest.mark.parametrize("name", METHODS)
def test_one_ply_and_identical_plies(vx, name):
    f = getattr(vx.laminate, name)
    c = full_spd(1)
    expect = c.copy()
    if name in ("getsuneffectivestiffness", "getchoueffectivestiffness"):
        for i, j in ZEROED:
            expect[i, j] = expect[j, i] = 0.0
    np.testing.assert_allclose(f([1.0], stack(c)), expect, rtol=1e-10, atol=1e-10)
    np.testing.assert_allclose(f([0.3, 0.7], stack(c, c)), expect, rtol=1e-10, atol=1e-10)
    # An explicit count is the number of plies, not a part of them.
    with pytest.raises(ValueError, match=r"len\(volratios\)==nvols"):
        f([0.3, 0.7], stack(c, 2 * c), 1)


def test_averages_against_numpy(vx):
    lam = vx.laminate
    plies = [turned(PLY, a) for a in (0, 45, -45, 90)]
    v = np.array([0.1, 0.2, 0.3, 0.4])
    c = stack(*plies)
    np.testing.assert_allclose(lam.getvoigteffectivestiffness(v, c), sum(w * p for w, p in zip(v, plies)), rtol=1e-13)
    reuss = np.linalg.inv(sum(w * np.linalg.inv(p) for w, p in zip(v, plies)))
    np.testing.assert_allclose(lam.getreusseffectivestiffness(v, c), reuss, rtol=1e-9, atol=1e-6)


def hybrid(v, plies):
    """Block form of the average with in-plane strains and out-of-plane stresses common."""
    i, o = [0, 1, 5], [2, 3, 4]
    A = B = E = F = 0
    for w, c in zip(v, plies):
        coo_inv = np.linalg.inv(c[np.ix_(o, o)])
        bk = -coo_inv @ c[np.ix_(o, i)]
        A, B = A + w * coo_inv, B + w * bk
        E = E + w * c[np.ix_(i, o)] @ coo_inv
        F = F + w * (c[np.ix_(i, i)] + c[np.ix_(i, o)] @ bk)
    r = np.zeros((6, 6))
    coo = np.linalg.inv(A)
    r[np.ix_(o, o)], r[np.ix_(o, i)] = coo, -coo @ B
    r[np.ix_(i, o)], r[np.ix_(i, i)] = E @ coo, F - E @ coo @ B
    return r


def test_hybrid_methods_agree(vx):
    lam = vx.laminate
    plies = [turned(PLY, a) for a in (0, 30, -60, 90)]
    v = np.array([0.25, 0.15, 0.35, 0.25])
    c = stack(*plies)
    henry = lam.gethenryeffectivestiffness(v, c)
    np.testing.assert_allclose(henry, hybrid(v, plies), rtol=1e-10, atol=1e-6)
    # Turned orthotropic plies have no 14/15/24/25/34/35/46/56 couplings, so the
    # three hybrid methods describe the same homogenised stack.
    sun, chou = lam.getsuneffectivestiffness(v, c), lam.getchoueffectivestiffness(v, c)
    np.testing.assert_allclose(sun, chou, rtol=1e-10, atol=1e-6)
    np.testing.assert_allclose(chou, henry, rtol=1e-10, atol=1e-6)
    # The stack is stiffer than the Reuss and softer than the Voigt average in 33.
    assert lam.getreusseffectivestiffness(v, c)[2, 2] <= henry[2, 2] <= lam.getvoigteffectivestiffness(v, c)[2, 2]


def test_sun_and_chou_agree_for_any_symmetric_plies(vx):
    lam = vx.laminate
    c = stack(full_spd(2), full_spd(3), full_spd(4))
    v = [0.5, 0.2, 0.3]
    np.testing.assert_allclose(lam.getsuneffectivestiffness(v, c), lam.getchoueffectivestiffness(v, c),
                               rtol=1e-10, atol=1e-12)


SINGULAR = "Matrix inverse becomes numerically singular!"


@pytest.mark.parametrize("v,count", [([], None), ([0.0, 0.0], None), ([0.4, -0.4], None), ([], 0)])
@pytest.mark.parametrize("name,message", [
    ("getvoigteffectivestiffness", None),   # the empty sum: exact, nothing to report
    ("getreusseffectivestiffness", SINGULAR),
    ("getsuneffectivestiffness", "Error in GetSunEffectiveStiffness: empty stack."),
    ("getchoueffectivestiffness", "Error in GetChouEffectiveStiffness: empty stack."),
    ("gethenryeffectivestiffness", "Error in GetHenryEffectiveStiffness: empty stack.")])
def test_empty_stack_gives_the_zero_matrix(vx, name, message, v, count):
    # identical plies, so that no method finds a stiffness in ratios adding up to 0
    c = stack(*[PLY] * len(v)) if v else np.zeros((6, 6, 0))
    args = (np.array(v, float), c) + (() if count is None else (count,))
    result = getattr(vx.laminate, name)(*args)
    np.testing.assert_array_equal(result, np.zeros((6, 6)))
    if message is None:
        assert error_record(vx)[0] == 0
    else:
        assert error_record(vx) == (-2, message)
