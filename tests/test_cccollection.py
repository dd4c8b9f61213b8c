"""Core-crushing criteria at the three through-thickness positions of a core."""
import math

import pytest

ZC, S13, S23 = 2.5, 1.2, 0.8


def test_uniaxial_and_shear_strengths(vx):
    c = vx.cccollection
    zero = (0.0, 0.0)
    for fn, extra in ((c.ccpetras, ()), (c.ccbesant, (2.0,)), (c.ccbesant, (3.0,))):
        assert fn(-ZC, 0.0, 0.0, zero, zero, zero, ZC, S13, S23, *extra) == pytest.approx(1.0)
        assert fn(0.0, 0.0, 0.0, zero, (S23, 0.0), zero, ZC, S13, S23, *extra) == pytest.approx(1.0)
        assert fn(0.0, 0.0, 0.0, zero, zero, (0.0, -S13), ZC, S13, S23, *extra) == pytest.approx(1.0)
        # a core in tension everywhere does not crush
        assert fn(1.0, 2.0, 3.0, (S23, S13), (S23, S13), (S23, S13), ZC, S13, S23, *extra) == 1e-20


def test_largest_position_counts(vx):
    c = vx.cccollection
    s = (-1.0, -2.0, 0.5)
    tau = ((0.2, -0.3), (0.1, 0.4), (0.7, 0.7))
    n = 2.5
    per = [(abs(s[k]) ** n / ZC ** n + abs(tau[k][0]) ** n / S23 ** n + abs(tau[k][1]) ** n / S13 ** n) ** (1 / n)
           for k in range(2)]
    assert c.ccbesant(*s, *tau, ZC, S13, S23, n) == pytest.approx(max(per))
    # Petras: linear interaction of the magnitudes, so the compressive ratio adds to the shear
    per = [abs(s[k]) / ZC + abs(tau[k][0]) / S23 + abs(tau[k][1]) / S13 for k in range(2)]
    assert c.ccpetras(*s, *tau, ZC, S13, S23) == pytest.approx(max(per))
    # a NaN at one position is not passed over: the largest exposure is unknown
    assert math.isnan(c.ccpetras(float("nan"), -1.0, 1.0, tau[0], tau[1], tau[2], ZC, S13, S23))
    assert math.isnan(c.ccpetras(-1.0, -1.0, 0.0, *tau, float("nan"), S13, S23))
