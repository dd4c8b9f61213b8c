"""Eight-node brick: trilinear interpolation and the warnings."""
import numpy as np
import pytest

from conftest import error_record
from shape_oracle import check_derivatives, check_nodal_values, values

NODES = np.array([(-1, -1, -1), (1, -1, -1), (1, 1, -1), (-1, 1, -1),
                  (-1, -1, 1), (1, -1, 1), (1, 1, 1), (-1, 1, 1)], float)


def test_interpolation_and_derivatives(vx):
    b = vx.hex8
    check_nodal_values(b.hex8sf, NODES)
    p = np.array([0.3, -0.4, 0.75])
    n = values(b.hex8sf, p, 8)
    assert n.sum() == pytest.approx(1.0)
    assert n @ NODES.prod(axis=1) == pytest.approx(p.prod())  # the trilinear term
    check_derivatives(b.hex8sf, b.hex8firstderivsf, b.hex8secondderivsf, p, 8, 1e-9, 1e-8)
    assert int(vx.errorhandling.errstat) == 0


@pytest.mark.parametrize("call,msg", [
    (lambda b: b.hex8sf(0, 0, 0, 0), "Warning: Overflow in Hex8SF."),
    (lambda b: b.hex8firstderivsf(0, 0, 0, 9, 4), "Warning: Invalid 1st ordinal in Hex8FirstDerivSF."),
    (lambda b: b.hex8firstderivsf(0, 0, 0, 9, 3), "Warning: Overflow in Hex8FirstDerivSF.Zeta."),
    (lambda b: b.hex8secondderivsf(0, 0, 0, 9, 0, 1), "Warning: Invalid 1st ordinal in Hex8SecondDerivSF"),
    (lambda b: b.hex8secondderivsf(0, 0, 0, 9, 1, 4), "Warning: Invalid 2nd ordinal in Hex8SecondDerivSF."),
    (lambda b: b.hex8secondderivsf(0, 0, 0, 9, 3, 2), "Warning: Overflow in Hex8SecondDerivSF.ZetaEta."),
])
def test_bad_selectors(vx, call, msg):
    assert call(vx.hex8) == 0.0
    assert error_record(vx) == (-2, msg)
