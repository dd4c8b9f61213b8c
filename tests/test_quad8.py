"""Eight-node serendipity quadrilateral: interpolation properties and the
warnings of bad selectors."""
import numpy as np
import pytest

from conftest import error_record as err

NODES = [(-1, -1), (1, -1), (1, 1), (-1, 1), (0, -1), (1, 0), (0, 1), (-1, 0)]
PTS = [(0.3, -0.7), (-0.55, 0.2), (0.9, 0.9), (0.0, 0.0)]


def test_kronecker_unity_and_reproduction(vx):
    q = vx.quad8
    for j, (x, y) in enumerate(NODES):
        vals = [q.quad8sf(x, y, i) for i in range(1, 9)]
        assert np.allclose(vals, np.eye(8)[j], atol=1e-15)
    for x, y in PTS:
        n = np.array([q.quad8sf(x, y, i) for i in range(1, 9)])
        assert n.sum() == pytest.approx(1.0)
        # quadratic completeness: x^2, xy and y^2 are reproduced exactly
        nx = np.array(NODES, float)
        assert n @ (nx[:, 0] * nx[:, 1]) == pytest.approx(x * y)
        assert n @ nx[:, 0] ** 2 == pytest.approx(x * x)


def test_derivatives_against_differences(vx):
    q = vx.quad8
    h = 1e-6
    for x, y in PTS:
        for i in range(1, 9):
            dx = (q.quad8sf(x + h, y, i) - q.quad8sf(x - h, y, i)) / (2 * h)
            dy = (q.quad8sf(x, y + h, i) - q.quad8sf(x, y - h, i)) / (2 * h)
            assert q.quad8firstderivsf(x, y, i, 1) == pytest.approx(dx, abs=1e-8)
            assert q.quad8firstderivsf(x, y, i, 2) == pytest.approx(dy, abs=1e-8)
            for a in (1, 2):
                for b in (1, 2):
                    s = [x, y]
                    sp, sm = list(s), list(s)
                    sp[b - 1] += h
                    sm[b - 1] -= h
                    fd = (q.quad8firstderivsf(*sp, i, a) - q.quad8firstderivsf(*sm, i, a)) / (2 * h)
                    assert q.quad8secondderivsf(x, y, i, a, b) == pytest.approx(fd, abs=1e-7)
    assert q.quad8secondderivsf(0.3, 0.2, 2, 1, 2) == pytest.approx(-0.25 - 0.15 + 0.1)


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
