"""Eight-node serendipity quadrilateral: interpolation properties and the
warnings of bad selectors."""
import numpy as np
import pytest

from conftest import error_record as err
from shape_oracle import check_derivatives, check_nodal_values, values

NODES = [(-1, -1), (1, -1), (1, 1), (-1, 1), (0, -1), (1, 0), (0, 1), (-1, 0)]
PTS = [(0.3, -0.7), (-0.55, 0.2), (0.9, 0.9), (0.0, 0.0)]


def test_kronecker_unity_reproduction_and_derivatives(vx):
    q = vx.quad8
    check_nodal_values(q.quad8sf, NODES)
    for x, y in PTS:
        n = values(q.quad8sf, (x, y), 8)
        assert n.sum() == pytest.approx(1.0)
        # quadratic completeness: x^2, xy and y^2 are reproduced exactly
        nx = np.array(NODES, float)
        assert n @ (nx[:, 0] * nx[:, 1]) == pytest.approx(x * y)
        assert n @ nx[:, 0] ** 2 == pytest.approx(x * x)
        check_derivatives(q.quad8sf, q.quad8firstderivsf, q.quad8secondderivsf, (x, y), 8, 1e-8, 1e-7)


@pytest.mark.parametrize("call,msg", [
    (lambda q: q.quad8sf(0, 0, 9), "Warning: Overflow in Quad8SF."),
    (lambda q: q.quad8firstderivsf(0, 0, 1, 3), "Warning: Invalid 1st ordinal in Quad8FirstDerivSF."),
    (lambda q: q.quad8firstderivsf(0, 0, 0, 2), "Warning: Overflow in Quad8FirstDerivSF.Eta."),
    (lambda q: q.quad8secondderivsf(0, 0, 9, 0, 5), "Warning: Invalid 1st ordinal in Quad8SecondDerivSF"),
    (lambda q: q.quad8secondderivsf(0, 0, 9, 1, 5), "Warning: Invalid ordinal in Quad8SecondDerivSF."),
    (lambda q: q.quad8secondderivsf(0, 0, 9, 2, 1), "Warning: Overflow in Quad8SecondDerivSF.EtaXi."),
])
def test_bad_selectors(vx, call, msg):
    assert call(vx.quad8) == 0.0
    assert err(vx) == (-2, msg)
