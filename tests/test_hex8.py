"""Eight-node brick: trilinear interpolation and the warnings."""
import itertools

import numpy as np
import pytest

from conftest import error_record

NODES = np.array([(-1, -1, -1), (1, -1, -1), (1, 1, -1), (-1, 1, -1),
                  (-1, -1, 1), (1, -1, 1), (1, 1, 1), (-1, 1, 1)], float)


def test_interpolation_and_derivatives(vx):
    b = vx.hex8
    for j, p in enumerate(NODES):
        assert np.allclose([b.hex8sf(*p, i) for i in range(1, 9)], np.eye(8)[j])
    p, h = np.array([0.3, -0.4, 0.75]), 1e-6
    n = np.array([b.hex8sf(*p, i) for i in range(1, 9)])
    assert n.sum() == pytest.approx(1.0)
    assert n @ NODES.prod(axis=1) == pytest.approx(p.prod())  # the trilinear term
    for i in range(1, 9):
        for a in (1, 2, 3):
            e = np.eye(3)[a - 1] * h
            fd = (b.hex8sf(*(p + e), i) - b.hex8sf(*(p - e), i)) / (2 * h)
            assert b.hex8firstderivsf(*p, i, a) == pytest.approx(fd, abs=1e-9)
            for c in (1, 2, 3):
                e2 = np.eye(3)[c - 1] * h
                fd2 = (b.hex8firstderivsf(*(p + e2), i, a) - b.hex8firstderivsf(*(p - e2), i, a)) / (2 * h)
                assert b.hex8secondderivsf(*p, i, a, c) == pytest.approx(fd2, abs=1e-8)
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
