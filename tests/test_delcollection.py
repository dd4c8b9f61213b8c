"""Delamination criteria on the interface stresses."""
import math

import pytest

# Puck's exposure of the matrix criterion, with the same transverse strengths
from test_mccollection_fractureplane import YC, YT, puck

ZT, ZC, ILSS, S12 = 40.0, 180.0, 70.0, 80.0


def test_normal_ratio_criteria(vx):
    d = vx.delcollection
    assert d.delochoaengblom(ZT, 0, 0, ZT, ZC, ILSS) == 1.0 and d.delochoaengblom(-ZC, 0, 0, ZT, ZC, ILSS) == 1.0
    assert d.delhashin(YT, 0, 0, YT, YC, ILSS) == 1.0 and d.delhashin(-YC, 0, 0, YT, YC, ILSS) == 1.0
    s33, s13, s23 = 20.0, 30.0, -25.0
    assert d.delochoaengblom(s33, s13, s23, ZT, ZC, ILSS) == pytest.approx(math.hypot(s13 / ILSS, s23 / ILSS, s33 / ZT))
    # Hashin and Ochoa-Engblom differ only by the normal strengths they are given
    assert d.delhashin(s33, s13, s23, ZT, ZC, ILSS) == pytest.approx(d.delochoaengblom(s33, s13, s23, ZT, ZC, ILSS))
    # Lee: the larger of the shear resultant and the signed normal ratio
    assert d.dellee(ZT, 0, 0, ZT, ZC, ILSS) == 1.0
    assert d.dellee(-150.0, 30.0, 40.0, ZT, ZC, ILSS) == pytest.approx(50.0 / ILSS)
    assert d.dellee(35.0, 30.0, 40.0, ZT, ZC, ILSS) == pytest.approx(max(50.0 / ILSS, 35.0 / ZT))
    assert d.dellee(0.0, 0.0, 0.0, ZT, ZC, ILSS) == 0.0


def test_two_ply_criteria(vx):
    d = vx.delcollection
    s22, s13, s23 = 20.0, 30.0, 15.0
    ilssu = 60.0
    q = (s23 / ilssu) ** 2 + (s22 / YT) ** 2 + (s13 / ILSS) ** 2
    assert d.delchoichang(s22, s13, s23, YT, YC, ILSS, ilssu) == pytest.approx(math.sqrt(1.8 * q))
    assert d.delchoichang(s22, s13, s23, YT, YC, ILSS, ilssu, da=1.0) == pytest.approx(math.sqrt(q))
    assert d.delchoichang(-YC, 0, 0, YT, YC, ILSS, ilssu, da=1.0) == 1.0
    x23u = 55.0
    q = 0.9 * (s22 / YT) ** 2 + 1.1 * (s23 / x23u) ** 2 + 1.875 * 0.8 * (s13 / ILSS) ** 2
    assert d.delchai(s22, s13, s23, YT, YC, x23u, ILSS, 0.9, 1.1, 0.8) == pytest.approx(math.sqrt(q))
    assert d.delchai(0.0, 0.0, 0.0, YT, YC, x23u, ILSS, 1, 1, 1) == 0.0
    assert d.delchai(0.0, 30.0, 0.0, YT, YC, x23u, ILSS, 1, 1, -1) == 0.0


def test_puck_on_the_interface_plane(vx):
    d = vx.delcollection
    assert d.delpuck(YT, 0, 0, YT, YC, ILSS) == 1.0
    assert d.delpuck(0, 0, 0, YT, YC, ILSS) == 0.0
    assert d.delpuck(0, ILSS, 0, YT, YC, ILSS) == pytest.approx(1.0)
    # the action-plane exposure on the plane theta = 0 (sn = s33, tn1 = s13, tnt = s23), ILSS for S12
    for s33, s13, s23 in ((20.0, 30.0, -25.0), (-60.0, 10.0, 40.0), (-30.0, 0.0, 0.0), (15.0, -5.0, 0.0)):
        assert d.delpuck(s33, s13, s23, YT, YC, ILSS) == pytest.approx(puck(s33, s13, s23, sl=ILSS), rel=1e-13)
        gp = (0.35, 0.25, 0.2, 0.3)
        assert d.delpuck(s33, s13, s23, YT, YC, ILSS, gp=gp) == pytest.approx(puck(s33, s13, s23, gp, ILSS), rel=1e-13)
