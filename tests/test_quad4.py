"""Four-node quadrilateral: bilinear interpolation and the warnings."""
import numpy as np
import pytest

from conftest import error_record

NODES = [(-1, -1), (1, -1), (1, 1), (-1, 1)]


def test_interpolation_and_derivatives(vx):
    q = vx.quad4
    for j, (x, y) in enumerate(NODES):
        assert np.allclose([q.quad4sf(x, y, i) for i in range(1, 5)], np.eye(4)[j])
    x, y, h = 0.37, -0.21, 1e-6
    n = np.array([q.quad4sf(x, y, i) for i in range(1, 5)])
    assert n.sum() == pytest.approx(1.0)
    assert n @ np.prod(np.array(NODES, float), axis=1) == pytest.approx(x * y)  # bilinear term
    for i in range(1, 5):
        assert q.quad4firstderivsf(x, y, i, 1) == pytest.approx(
            (q.quad4sf(x + h, y, i) - q.quad4sf(x - h, y, i)) / (2 * h), abs=1e-9)
        assert q.quad4firstderivsf(x, y, i, 2) == pytest.approx(
            (q.quad4sf(x, y + h, i) - q.quad4sf(x, y - h, i)) / (2 * h), abs=1e-9)


@pytest.mark.parametrize("call,msg", [
    (lambda q: q.quad4sf(0, 0, 5), "Warning: Overflow in Quad4SF."),
    (lambda q: q.quad4firstderivsf(0, 0, 9, 3), "Warning: Invalid 1st ordinal in Quad4FirstDerivSF."),
    (lambda q: q.quad4firstderivsf(0, 0, 9, 1), "Warning: Overflow in Quad4FirstDerivSF.Xi."),
])
def test_bad_selectors(vx, call, msg):
    assert call(vx.quad4) == 0.0
    assert error_record(vx) == (-2, msg)
