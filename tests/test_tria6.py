"""Six-node triangle: interpolation properties and the warnings."""
import numpy as np
import pytest

from conftest import error_record as err
from shape_oracle import check_derivatives, check_nodal_values, values

NODES = [(0, 0), (1, 0), (0, 1), (0.5, 0), (0.5, 0.5), (0, 0.5)]
PTS = [(0.2, 0.3), (0.6, 0.1), (0.05, 0.9)]


def test_kronecker_unity_and_derivatives(vx):
    t = vx.tria6
    check_nodal_values(t.tria6sf, NODES)
    for x, y in PTS:
        n = values(t.tria6sf, (x, y), 6)
        assert n.sum() == pytest.approx(1.0)
        assert n @ np.array(NODES)[:, 0] ** 2 == pytest.approx(x * x)
        check_derivatives(t.tria6sf, t.tria6firstderivsf, t.tria6secondderivsf, (x, y), 6, 1e-8, 1e-7)


@pytest.mark.parametrize("call,msg", [
    (lambda t: t.tria6sf(0, 0, 7), "Warning: Overflow in Tria6SF."),
    (lambda t: t.tria6firstderivsf(0, 0, 1, 0), "Warning: Invalid ordinal in Tria6FirstDerivSF."),
    (lambda t: t.tria6firstderivsf(0, 0, 7, 1), "Warning: Overflow in Tria6.Xi."),
    (lambda t: t.tria6secondderivsf(0, 0, 1, 3, 1), "Warning: Invalid 1st ordinal in Tria6"),
    (lambda t: t.tria6secondderivsf(0, 0, 1, 1, 3), "Warning: Invalid 2nd ordinal in Tria6."),
    (lambda t: t.tria6secondderivsf(0, 0, 0, 1, 1), "Overflow in Tria6.XiXi."),
    (lambda t: t.tria6secondderivsf(0, 0, 0, 2, 2), "Warning: Overflow in Tria6.EtaEta."),
])
def test_bad_selectors(vx, call, msg):
    assert call(vx.tria6) == 0.0
    assert err(vx) == (-2, msg)
