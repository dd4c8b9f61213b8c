"""Shape-function tables of one point agree with the element routines and
with numerical derivatives of the interpolated geometry."""
import numpy as np
import pytest


def test_quad8_and_tria6_tables(vx):
    e = vx.elementhandling
    x, y = 0.31, -0.42
    m = e.quad8shapefunmatrix(x, y)
    assert m.shape == (8, 6)
    q = vx.quad8
    for i in range(1, 9):
        assert m[i - 1].tolist() == [q.quad8sf(x, y, i), q.quad8firstderivsf(x, y, i, 1),
                                     q.quad8firstderivsf(x, y, i, 2), q.quad8secondderivsf(x, y, i, 1, 1),
                                     q.quad8secondderivsf(x, y, i, 2, 2), q.quad8secondderivsf(x, y, i, 1, 2)]
    assert np.allclose(m[:, 1:].sum(axis=0), 0.0, atol=1e-14)
    t = e.tria6shapefunmatrix(0.2, 0.3)
    assert t[:, 0].sum() == pytest.approx(1.0)
    assert t[:, 3:].tolist() == [[4, 4, 4], [4, 0, 0], [0, 4, 0], [-8, 0, -4], [0, 0, 4], [0, -8, -4]]


def test_hex8_and_quad4_tables(vx):
    e = vx.elementhandling
    p = (0.1, -0.6, 0.35)
    m = e.hex8shapefunmatrix(*p)
    assert m.shape == (8, 9)
    assert not m[:, 4:7].any()
    b = vx.hex8
    for i in range(1, 9):
        assert m[i - 1, 7] == b.hex8secondderivsf(*p, i, 1, 2)
        assert m[i - 1, 8] == b.hex8secondderivsf(*p, i, 1, 3)
        assert m[i - 1, 3] == b.hex8firstderivsf(*p, i, 3)
    q = e.quad4shapefunmatrix(0.5, 0.5)
    assert q[:, 0].tolist() == [0.0625, 0.1875, 0.5625, 0.1875]
    assert np.allclose(q[:, 1:].sum(axis=0), 0.0)
