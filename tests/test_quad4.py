"""Four-node quadrilateral: bilinear interpolation and the warnings."""
import numpy as np
import pytest

from conftest import error_record
from shape_oracle import check_derivatives, check_nodal_values, values

NODES = [(-1, -1), (1, -1), (1, 1), (-1, 1)]


def test_interpolation_and_derivatives(vx):
    q = vx.quad4
    check_nodal_values(q.quad4sf, NODES)
    x, y = 0.37, -0.21
    n = values(q.quad4sf, (x, y), 4)
    assert n.sum() == pytest.approx(1.0)
    assert n @ np.prod(np.array(NODES, float), axis=1) == pytest.approx(x * y)  # bilinear term
    check_derivatives(q.quad4sf, q.quad4firstderivsf, None, (x, y), 4, 1e-9)


@pytest.mark.parametrize("call,msg", [
    (lambda q: q.quad4sf(0, 0, 5), "Warning: Overflow in Quad4SF."),
    (lambda q: q.quad4firstderivsf(0, 0, 9, 3), "Warning: Invalid 1st ordinal in Quad4FirstDerivSF."),
    (lambda q: q.quad4firstderivsf(0, 0, 9, 1), "Warning: Overflow in Quad4FirstDerivSF.Xi."),
])
def test_bad_selectors(vx, call, msg):
    assert call(vx.quad4) == 0.0
    assert error_record(vx) == (-2, msg)
