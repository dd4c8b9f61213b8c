"""Three-node line: quadratic interpolation and the warnings."""
import numpy as np
import pytest


def test_interpolation_and_derivatives(vx):
    t = vx.truss3
    for j, x in enumerate((-1.0, 0.0, 1.0)):
        assert np.allclose([t.truss3sf(x, i) for i in (1, 2, 3)], np.eye(3)[j])
    h = 1e-6
    for x in (-0.8, 0.1, 0.65):
        n = np.array([t.truss3sf(x, i) for i in (1, 2, 3)])
        assert n.sum() == pytest.approx(1.0)
        assert n @ np.array([1.0, 0.0, 1.0]) == pytest.approx(x * x)
        for i in (1, 2, 3):
            fd = (t.truss3sf(x + h, i) - t.truss3sf(x - h, i)) / (2 * h)
            assert t.truss3firstderivsf(x, i) == pytest.approx(fd, abs=1e-9)


def test_bad_node(vx):
    for f, name in ((vx.truss3.truss3sf, "Truss3SF"), (vx.truss3.truss3firstderivsf, "Truss3FirstDerivSF")):
        vx.errorhandling.rsxerr(1)
        assert f(0.5, 4) == 0.0
        assert int(vx.errorhandling.errstat) == -2
        assert vx.errorhandling.errstring[()].decode().rstrip() == f"Warning: Overflow in {name}."
