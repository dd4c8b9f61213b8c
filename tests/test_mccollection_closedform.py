"""Closed-form matrix criteria: Cuntze, the Hashin family, Chang-Chang, Chai, Christensen, Bahei."""
import math

import numpy as np
import pytest

from conftest import error_record as err

YT, YC, ZT, ZC, S12, S13, S23 = 50.0, 200.0, 45.0, 180.0, 80.0, 70.0, 60.0


def fmc2012(s22, s33, s12, s13, s23, b=0.16, bpp=1.16, m=2.4):
    """Failure-mode concept, transversely isotropic UD: three inter-fibre modes and their interaction."""
    i2, i4 = s22 + s33, (s22 - s33) ** 2 + 4 * s23 ** 2
    e1 = max((i2 + math.sqrt(i4)) / (2 * YT), 0)
    e2 = max(((bpp - 1) * i2 + bpp * math.sqrt(i4)) / YC, 0)
    i23 = 2 * s22 * s12 ** 2 + 2 * s33 * s13 ** 2 + 4 * s23 * s13 * s12
    e3 = math.sqrt((b * i23 + math.sqrt((b * i23) ** 2 + 4 * S12 ** 2 * (s12 ** 2 + s13 ** 2) ** 2)) / (2 * S12 ** 3))
    return (e1 ** m + e2 ** m + e3 ** m) ** (1 / m)


@pytest.mark.parametrize("state", [(YT, 0, 0, 0, 0), (-YC, 0, 0, 0, 0), (0, 0, S12, 0, 0), (30.0, -30.0, 0, 0, 0),
                                   (-60.0, 60.0, 0, 0, 0), (20.0, -10.0, 30.0, -15.0, 12.0), (0, 0, 0, 0, 0)])
def test_cuntze2012_against_the_mode_concept(vx, state):
    # the pure modes reach 1 exactly; s22 = -s33 is no stress-free state
    assert vx.mccollection.mcrckcuntze2012(*state, YT, YC, S12) == pytest.approx(fmc2012(*state), rel=1e-13)
    assert err(vx)[0] == 0


def test_cuntze2004_modes(vx):
    b, bpp, c, mexp = 0.13, 1.5, 0.4, 2.5
    s = (S12 + S13) / 2

    def ref(s22, s33, s12, s13, s23):
        i1, r = s22 + s33, math.sqrt(4 * s23 ** 2 + (s22 - s33) ** 2)
        e1 = (i1 + r) / (2 * YT)  # the transverse-tension mode, (I1 + R) / (2 Yt)
        e1 = e1 if e1 >= 0 else 0.01
        q = (2 * b * (s22 * s12 ** 2 + s33 * s13 ** 2 + 2 * s12 * s13 * s23) + (s12 ** 2 + s13 ** 2) ** 1.5) / s ** 3
        e3 = q ** (1 / 3) if q >= 0 else 0.01
        # compression mode: the scaling of the stress with (bpp-1) I1 x / Yc + K x^2 / Yc^2 = 1
        k = c * (s12 ** 2 + s13 ** 2) + bpp * r ** 2
        roots = np.roots([k / YC ** 2, (bpp - 1) * i1 / YC, -1.0])
        e2 = max(1 / x for x in roots.real)
        e2 = e2 if e2 >= 0 else 0.01
        return (e1 ** mexp + e3 ** mexp + e2 ** mexp) ** (1 / mexp)

    for state in ((YT, 0, 0, 0, 0), (30.0, 30.0, 0, 0, 0), (30.0, -30.0, 0, 0, 0), (-80.0, 10.0, 40.0, -5.0, 20.0),
                  (15.0, 5.0, 20.0, 10.0, 0.0)):
        assert vx.mccollection.mcrckcuntze2004(*state, YT, YC, S12, S13) == pytest.approx(ref(*state), rel=1e-12)
    # (YT, 0, ...) above: uniaxial transverse tension counts its tension mode (the quotient form lost it)
    assert vx.mccollection.mcrckcuntze2004(-YC, 0, 0, 0, 0, YT, YC, S12, S13) == pytest.approx(1.0, rel=1e-13)
    assert vx.mccollection.mcrckcuntze2004(0, 0, 0, 0, 0, YT, YC, S12, S13) == 0.0


def test_hashin_family_at_strength(vx):
    m = vx.mccollection
    for s22 in (YT, -YC):
        assert m.mcrckhashinps(s22, 0, YT, YC, S12, S23) == pytest.approx(1.0, rel=1e-14)
        assert m.mcrckhashin3d(s22, 0, 0, 0, YT, YC, S12, S23) == pytest.approx(1.0, rel=1e-14)
        assert m.mcrckhashincomplete(s22, 0, 0, 0, 0, YT, YC, S12, S23) == pytest.approx(1.0, rel=1e-14)
        assert m.mcrckchai(s22, 0, 0, YT, YC, S12, S23) == 1.0
        assert m.mcrckchangchang(s22, 0, YT, YC, S12) == 1.0
        assert m.mcrckhashin1989(s22, 0, 0, 0, 0, YT, YC, YT, YC, S12, S13, S23) == pytest.approx(1.0, rel=1e-14)
    assert m.mcrckhashin3d(0, S12, 0, 0, YT, YC, S12, S23) == 1.0 and m.mcrckhashinps(0, S12, YT, YC, S12, S23) == 1.0


def test_hashin_published_matrix_modes(vx):
    m = vx.mccollection
    s22, s12, s13, s23 = -90.0, 30.0, -20.0, 25.0
    # Hashin 1980, transverse compression, with s33 = 0
    c = (s22 / (2 * S23)) ** 2 + (s12 ** 2 + s13 ** 2) / S12 ** 2 + (s23 / S23) ** 2
    lin = ((YC / (2 * S23)) ** 2 - 1) * s22 / YC
    lam = (-lin + math.sqrt(lin ** 2 + 4 * c)) / (2 * c)
    assert m.mcrckhashin3d(s22, s12, s13, s23, YT, YC, S12, S23) == pytest.approx(1 / lam, rel=1e-12)
    # the complete form with s33 = 0 and the transverse term s23^2 agrees
    assert m.mcrckhashincomplete(s22, 0.0, s12, s13, s23, YT, YC, S12, S23) == pytest.approx(1 / lam, rel=1e-12)
    # tension
    s22 = 20.0
    ref = math.sqrt((s22 / YT) ** 2 + (s12 ** 2 + s13 ** 2) / S12 ** 2 + (s23 / S23) ** 2)
    assert m.mcrckhashin3d(s22, s12, s13, s23, YT, YC, S12, S23) == pytest.approx(ref, rel=1e-14)
    # complete form, hydrostatic transverse compression with Yc < 2 S23: the linear limit
    r = m.mcrckhashincomplete(-50.0, -50.0, 0, 0, 0, YT, 100.0, S12, S23)
    assert r == pytest.approx((100.0 ** 2 / (4 * S23 ** 2) - 1) * -100.0 / 100.0) and r > 0
    assert m.mcrckhashincomplete(0, 0, 0, 0, 0, YT, YC, S12, S23) == 0.0
    # Chang-Chang: the root covers both terms
    assert m.mcrckchangchang(30.0, 40.0, YT, YC, S12) == pytest.approx(math.hypot(30 / YT, 40 / S12))
    assert m.mcrckchangchang(0.0, 40.0, YT, YC, S12) == 0.5


def test_hashin1989_and_christensen_notes(vx):
    m = vx.mccollection
    args = (YT, YC, ZT, ZC, S12, S13, S23)
    assert m.mcrckhashin1989(0, 0, 0, 0, 0, *args) == 0.0
    assert err(vx) == (-1, "Note: Negative root during Hashin failureevaluation. Please check your input par")
    vx.errorhandling.rsxerr(1)
    assert m.mcrckchristensen(0, 0, 0, 0, 0, *args) == 0.0
    assert err(vx)[0] == 0
    # Christensen: published quadratic in the transverse stresses
    s22, s33, s12, s13, s23 = -60.0, 20.0, 30.0, 10.0, -15.0
    b = (1 / YT - 1 / YC) * s22 + (1 / ZT - 1 / ZC) * s33
    c = ((s23 ** 2 - s22 * s33) / S23 ** 2 + (s12 / S12) ** 2 + (s13 / S13) ** 2
         + (s22 + s33) ** 2 / math.sqrt(YT * YC * ZT * ZC))
    lam = (-b + math.sqrt(b * b + 4 * c)) / (2 * c)
    assert m.mcrckchristensen(s22, s33, s12, s13, s23, *args) == pytest.approx(1 / lam, rel=1e-12)
    for s22 in (YT, -YC):
        assert m.mcrckchristensen(s22, 0, 0, 0, 0, YT, YC, YT, YC, S12, S13, S23) == pytest.approx(1.0, rel=1e-12)
    # equal biaxial transverse stress against a weak transverse shear: c < 0, no real root
    r = m.mcrckchristensen(10.0, 10.0, 0, 0, 0, 100.0, 100.0, 100.0, 100.0, S12, S13, 1.0)
    assert r == 0.0 and err(vx) == (-1, "Note: Negative root during Christensen failureevaluation. Please check your inpu")


def test_bahei_matrix_and_interphase(vx):
    m = vx.mccollection
    xn, xs = 60.0, 40.0
    s = v = np.array([10.0, -30.0, 20.0, 15.0, -5.0, 8.0])
    mises2 = s[0] ** 2 + s[1] ** 2 + s[2] ** 2 - s[0] * s[1] - s[1] * s[2] - s[2] * s[0]
    f1 = mises2 / xn ** 2 + 3 * (s[3] ** 2 + s[4] ** 2 + s[5] ** 2) / xs ** 2
    assert m.mcrckbahei(v, xn, xs)[0] == pytest.approx(f1)
    assert m.mcrckbahei(v, xn, xs, interphase=(50.0, -1.0))[0] == pytest.approx(f1)
    assert m.mcrckbahei([xn, 0.0, 0.0], xn, xs) == (1.0, 1)
    # with interphase: its shear with friction, and the normal opening
    si, mu = 12.0, 0.3
    r, mode = m.mcrckbahei(v, xn, xs, interphase=(si, mu))
    assert r == pytest.approx(max(math.hypot(8.0, -5.0) / si, 20.0 / xn)) and mode == -1
    r, mode = m.mcrckbahei([0, 0, -50.0, 0, 30.0, 40.0], xn, xs, interphase=(si, mu))
    assert r == pytest.approx((50.0 - mu * 50.0) / si) and mode == 2
    assert m.mcrckbahei([0, 0, 2 * xn, 0], xn, xs, interphase=(si, mu)) == (2.0, 3)


def test_cuntze_note_on_negative_root(vx):
    # a negative shear parameter makes the compression mode's root negative
    vx.mccollection.mcrckcuntze2004(0, 0, 40.0, 0, 0, YT, YC, S12, S13, gp=(0.13, 1.5, -1.0))
    assert err(vx) == (-3, "Note: Negative root during Cuntze failureevaluation. Please check your input par")


@pytest.mark.parametrize("s22, s12, y", [(30.0, 40.0, YT), (-120.0, 40.0, YC), (-120.0, -70.0, YC), (45.0, -5.0, YT),
                                         (0.0, 40.0, YC), (-200.0, 0.0, YC)])
def test_chang_chang_is_the_root_of_the_quadratic_form(vx, s22, s12, y):
    # The root over both terms: the effort reaches 1 on the quadratic
    # (s22/Y)^2 + (s12/S12)^2 = 1 and scales with the load, which the
    # root over the normal term alone would not.
    r = vx.mccollection.mcrckchangchang(s22, s12, YT, YC, S12)
    assert r == pytest.approx(math.sqrt((s22 / y) ** 2 + (s12 / S12) ** 2), rel=1e-14)
    for k in (0.5, 3.0):
        assert vx.mccollection.mcrckchangchang(k * s22, k * s12, YT, YC, S12) == pytest.approx(k * r, rel=1e-14)
