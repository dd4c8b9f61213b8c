"""Ply positions, sections, stack splits and angles."""

import numpy as np
import pytest

from conftest import error_record as record
from laminate_oracle import CFRP, GFRP, bounds, plyelastic

MARK = 2147483647


def test_ply_z_coordinates(vx):
    lam = vx.laminate
    t = [0.1, 0.3, 0.2]
    zb, zt = bounds(t)
    for i in range(3):
        # bottom, middle, top; an unknown position is the bottom
        for pos, want in ((0, zb[i]), (1, (zb[i] + zt[i]) / 2), (2, zt[i]), (7, zb[i])):
            assert lam.getplyzcoord(t, i + 1, pos) == pytest.approx(want, abs=1e-16)
        # the reference plane lies above the mid-plane: every z drops by the offset
        assert lam.getplyzcoord(t, i + 1, 2, refoffset=0.05) == pytest.approx(zt[i] - 0.05, abs=1e-16)
    assert record(vx)[0] == 0
    for bad in (0, 4):
        lam.getplyzcoord(t, bad, 0)
        assert record(vx)[0] == -2


def test_section_z_coordinates(vx):
    lam = vx.laminate
    lists = np.array([[3, 5, MARK, 7], [MARK] * 4, [1, 2, 3, 4], [MARK, 9, 9, 9]], dtype=np.int32).T
    t = np.array([[0.2, 0.4, 5.0, 7.0], [1.0] * 4, [0.25] * 4, [1.0] * 4]).T
    z = lam.getsectionzcoord(np.asfortranarray(lists), np.asfortranarray(t))
    # only the plies before the first marker count, h = 0.6
    np.testing.assert_allclose(z[:5, 0], [-0.3, -0.2, -0.1, 0.1, 0.3], atol=1e-16)
    np.testing.assert_array_equal(z[5:, 0], 0.0)
    np.testing.assert_array_equal(z[:, 1], 0.0)
    np.testing.assert_allclose(z[:, 2], np.linspace(-0.5, 0.5, 9), atol=1e-16)
    np.testing.assert_array_equal(z[:, 3], 0.0)
    # another marker value
    z = lam.getsectionzcoord(np.asfortranarray(lists), np.asfortranarray(t), defint=7)
    np.testing.assert_allclose(z[:, 0], [-2.8, -2.7, -2.6, -2.4, -2.2, 0.3, 2.8, 0.0, 0.0], atol=1e-15)


def test_sub_laminate_split(vx):
    lam = vx.laminate
    t = [0.2, 0.2, 0.2, 0.2]
    assert list(lam.getsublaminatestack(t, 2)) == [3, 4]  # tie: the upper part
    assert list(lam.getsublaminatestack(t, 1)) == [1, 1]
    assert list(lam.getsublaminatestack(t, 3)) == [4, 4]
    assert list(lam.getsublaminatestack([0.1, 0.1, 0.5], 2)) == [1, 2]
    lam.getsublaminatestack(t, 5)
    assert record(vx)[0] == -2


def test_decoupling_angle(vx):
    lam = vx.laminate
    pe4 = plyelastic([CFRP] * 4)
    assert lam.getdecoupangle(pe4, [0, 90, 45, -45], [0.1] * 4) == 0.0
    assert lam.getdecoupangle(pe4[:, :2], [30, 60], [0.1] * 2) == 30.0
    assert lam.getdecoupangle(pe4[:, :1], [17.0], [0.1]) == 17.0
    # the thicker group wins; 45 and 225 are 180 apart, 45 and 315 only modulo 360
    assert lam.getdecoupangle(pe4, [0, 45, 225, 90], [0.1, 0.1, 0.1, 0.05]) == 45.0
    assert lam.getdecoupangle(pe4, [0, 45, 315, 90], [0.1, 0.1, 0.1, 0.05]) == 0.0
    # an isotropic ply carries no weight, a less anisotropic one less
    iso = np.array([70e3, 70e3, 70e3, 0.3, 0.3, 0.3, 27e3, 27e3, 27e3])
    assert lam.getdecoupangle(plyelastic([CFRP, iso, iso]), [10, 50, 50], [0.1, 0.5, 0.5]) == 10.0
    assert lam.getdecoupangle(plyelastic([GFRP, CFRP]), [0, 45], [0.1, 0.1]) == 45.0


def test_angle_steps(vx):
    lam = vx.laminate
    a = [0.0, 45.0, -45.0, 90.0]
    assert [lam.getdangle(a, 0, i) for i in range(1, 5)] == [0.0, 45.0, -90.0, 135.0]
    assert [lam.getdangle(a, 1, i) for i in range(1, 5)] == [-45.0, 90.0, -135.0, 0.0]
    assert record(vx)[0] == 0
    lam.getdangle(a, 2, 2)
    assert record(vx) == (-3, "Error: Default case in GetdAngle. Please check your input parameters.")
    vx.errorhandling.errstat = 0
    lam.getdangle(a, 1, 5)
    assert record(vx)[0] == -2
