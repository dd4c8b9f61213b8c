"""In-situ strengths of embedded plies."""
import math

import numpy as np
import pytest
from scipy.optimize import brentq

XC11, XC22, X12 = 1000.0, 200.0, 80.0


def puck_mode_b(s22, s12, s, p):
    """Puck's inter-fibre effort under moderate transverse compression."""
    return (math.hypot(s12, p * s22) + p * s22) / s


def test_larc04_thin_and_thick_plies(vx):
    iss = vx.isscollection
    elastic = [140e3, 9.5e3, 0.3, 5.0e3]
    gxc = [0.26, 0.8]
    # thick: the unidirectional strengths scaled by 1.12 sqrt(2) (1.12 in single precision) and sqrt(2)
    thick = iss.insitularc04(elastic, gxc, 50.0, 80.0, 0.001)
    f112 = float(np.float32(1.12))
    np.testing.assert_allclose(thick, [f112 * math.sqrt(2) * 50.0, math.sqrt(2) * 80.0], rtol=1e-15)
    np.testing.assert_array_equal(iss.insitularc04(elastic, gxc, 50.0, 80.0, float("nan")), thick)
    # thin: fracture mechanics of a slit crack across the ply thickness
    t = 0.000125
    l22 = 2.0 * (1.0 / 9.5e3 - 0.09 / 140e3)
    ys = iss.insitularc04(elastic, gxc, 50.0, 80.0, t)
    np.testing.assert_allclose(ys, [math.sqrt(8 * 0.26 / (math.pi * t * l22)),
                                    math.sqrt(8 * 0.8 * 5.0e3 / (math.pi * t))], rtol=1e-14)
    # the limit moves the switch
    np.testing.assert_array_equal(iss.insitularc04(elastic, gxc, 50.0, 80.0, t, 1e-4), thick)


def test_puck_axes_and_fibre_limit(vx):
    f = vx.isscollection.insitupuckps
    assert f(XC11, XC22, X12, 0.0) == XC11
    assert f(XC11, XC22, X12, 90.0) == pytest.approx(XC22, rel=1e-14)
    # a weak fibre limits small angles: fibre stress xc cos^2(theta) reaches xc11
    xc = f(150.0, XC22, X12, 10.0)
    assert xc * math.cos(math.radians(10.0)) ** 2 == pytest.approx(150.0, rel=1e-14)


@pytest.mark.parametrize("theta", [15.0, 30.0, 40.0])
def test_puck_mode_b_strength_lies_on_the_criterion(vx, theta):
    xc = vx.isscollection.insitupuckps(XC11, XC22, X12, theta)
    st, ct = math.sin(math.radians(theta)), math.cos(math.radians(theta))
    # the strength solved independently from the effort of the rotated uniaxial load
    ref = brentq(lambda q: puck_mode_b(-q * st * st, q * st * ct, X12, 0.2) - 1.0, 1.0, 1e5, xtol=1e-12)
    assert xc == pytest.approx(ref, rel=1e-12)
    # and the action-plane search of the matrix criterion, same inclinations by default
    rmc = vx.mccollection.mcrckpuck(-xc * st * st, 0.0, xc * st * ct, 0.0, 0.0, 50.0, XC22, X12)[0]
    assert rmc == pytest.approx(1.0, abs=1e-3)


def test_puck_is_continuous_at_the_mode_switch(vx):
    f = vx.isscollection.insitupuckps
    p = 0.2
    a = (math.sqrt(1.0 + 2.0 * p * XC22 / X12) - 1.0) / 2.0  # inclination consistent with p
    k = XC22 / (1 + a) / 2 / (math.sqrt(1 + 2 * a) * X12)
    th = math.degrees(math.atan(k))
    lo, hi = f(XC11, XC22, X12, th - 1e-7, [0, p, 0, a]), f(XC11, XC22, X12, th + 1e-7, [0, p, 0, a])
    assert lo == pytest.approx(hi, rel=1e-7)
    # the switch sits where it should: the shear mode just below, the compression mode above
    st, ct = math.sin(math.radians(th - 1e-3)), math.cos(math.radians(th - 1e-3))
    below = f(XC11, XC22, X12, th - 1e-3, [0, p, 0, a])
    assert puck_mode_b(-below * st * st, below * st * ct, X12, p) == pytest.approx(1.0, abs=1e-12)


def test_chang_lessard(vx):
    iss = vx.isscollection
    ys = iss.insituchanglessard(50.0, 90.0, 2.0, 30.0)
    assert ys[0] == pytest.approx(50.0 * (1 + 1.3 * 0.5 / 2.0**0.7), rel=1e-14) and ys[1] == 90.0
    ys = iss.insituchanglessard(50.0, 90.0, 2.0, 90.0, [1.0, 1.0, 0.5, 2.0])
    np.testing.assert_allclose(ys, [50.0 * 1.5, 90.0 * 1.125], rtol=1e-15)


def test_puck_strength_is_even_in_the_angle(vx):
    """A load at -theta (or at 180 - theta) only turns the sign of the ply's
    shear stress, which the criterion squares: same strength, in every mode."""
    f = vx.isscollection.insitupuckps
    for theta in (5.0, 15.0, 30.0, 45.0, 60.0, 75.0, 89.0, 90.0):
        xc = f(XC11, XC22, X12, theta)
        for other in (-theta, 180.0 - theta, theta - 180.0, theta + 180.0):
            assert f(XC11, XC22, X12, other) == pytest.approx(xc, rel=1e-12), (theta, other)


def puck_mode_c(s22, s12, s, yc, a):
    """Puck's inter-fibre effort under large transverse compression."""
    return ((s12 / (2 * (1 + a) * s)) ** 2 + (s22 / yc) ** 2) * yc / -s22


def puck_strength(theta, yc, s, p=0.2, a=0.15):
    """Uniaxial compressive strength at theta from the effort of the matching mode, solved for the load."""
    st, ct = abs(math.sin(math.radians(theta))), abs(math.cos(math.radians(theta)))
    mode_b = st / ct <= yc / (2 * (1 + a) * math.sqrt(1 + 2 * a) * s)
    effort = (lambda q: puck_mode_b(-q * st * st, q * st * ct, s, p)) if mode_b else \
        (lambda q: puck_mode_c(-q * st * st, q * st * ct, s, yc, a))
    return brentq(lambda q: effort(q) - 1.0, 1e-3, 1e6, xtol=1e-13, rtol=1e-15)


# the switch between the modes for (884.55, 249.05, 92.54) and the default inclinations
SWITCH = math.degrees(math.atan(249.05 / (2 * 1.15 * math.sqrt(1.3) * 92.54)))


@pytest.mark.parametrize("theta, expect", [
    (45.0, 225.76),                  # mode B: the friction of the compressed plane raises the strength
    (-45.0, 225.76), (135.0, 225.76),
    (30.0, 239.81), (60.0, 228.01), (80.0, 246.31),
    (SWITCH - 1e-7, 227.00),   # mode B just below the switch
    (SWITCH + 1e-7, 211.09),   # mode C just above: the strength drops
])
def test_puck_strength_on_both_modes(vx, theta, expect):
    xc = vx.isscollection.insitupuckps(884.55, 249.05, 92.54, theta)
    assert xc == pytest.approx(puck_strength(theta, 249.05, 92.54), rel=1e-11)
    assert xc == pytest.approx(expect, abs=0.005)
