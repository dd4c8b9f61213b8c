"""Six-node triangle: interpolation properties and the warnings."""
import numpy as np
import pytest

from conftest import error_record as err

NODES = [(0, 0), (1, 0), (0, 1), (0.5, 0), (0.5, 0.5), (0, 0.5)]
PTS = [(0.2, 0.3), (0.6, 0.1), (0.05, 0.9)]


def test_kronecker_unity_and_derivatives(vx):
    t = vx.tria6
    for j, (x, y) in enumerate(NODES):
        assert np.allclose([t.tria6sf(x, y, i) for i in range(1, 7)], np.eye(6)[j], atol=1e-15)
    h = 1e-6
    for x, y in PTS:
        n = np.array([t.tria6sf(x, y, i) for i in range(1, 7)])
        assert n.sum() == pytest.approx(1.0)
        assert n @ np.array(NODES)[:, 0] ** 2 == pytest.approx(x * x)
        for i in range(1, 7):
            d = [t.tria6firstderivsf(x, y, i, k) for k in (1, 2)]
            fd = [(t.tria6sf(x + h, y, i) - t.tria6sf(x - h, y, i)) / (2 * h),
                  (t.tria6sf(x, y + h, i) - t.tria6sf(x, y - h, i)) / (2 * h)]
            assert np.allclose(d, fd, atol=1e-8)
            for a in (1, 2):
                for b in (1, 2):
                    s = [x, y]
                    sp, sm = list(s), list(s)
                    sp[b - 1] += h
                    sm[b - 1] -= h
                    fd2 = (t.tria6firstderivsf(*sp, i, a) - t.tria6firstderivsf(*sm, i, a)) / (2 * h)
                    assert t.tria6secondderivsf(x, y, i, a, b) == pytest.approx(fd2, abs=1e-7)


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
