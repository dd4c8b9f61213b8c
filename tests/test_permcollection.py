"""Permanent indentation laws."""
import pytest


def test_permanent_indentation_laws(vx):
    pc = vx.permcollection
    assert pc.piairbus(4.0, 100.0) == pytest.approx(0.0009 * 100 * 4.0**-0.81)
    assert pc.pitansunnonlinear(2.0, 1.0) == pytest.approx(2.0 * (1 - 0.5**0.4))
    assert pc.pitansunlinear(2.0, 0.5, 0.3) == pytest.approx(0.45)
    assert pc.pitansunnonlinear(1.0, 1.0) == 0.0 and pc.pitansunlinear(1.0, 1.0, 5.0) == 0.0
    assert pc.pisuresh(2.0, 0.5, 0.2, 1, 1) == pytest.approx((0.333 * 1.5, 1.5))
    assert pc.pisuresh(2.0, 0.5, 0.2, 1, 0) == (0.0, 0.0)
    assert pc.pisuresh(2.0, 0.5, 0.2, 0, 1) == pytest.approx((0.8 * 1.5, -1.0))
    assert pc.pisuresh(0.4, 0.5, 0.2, 0, 1) == (0.0, -1.0)
