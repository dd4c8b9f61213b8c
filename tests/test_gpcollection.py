"""General failure potentials: nominal and interaction forms, quadratic polynomials."""
import math

import numpy as np
import pytest
from scipy.optimize import brentq

from conftest import error_record as err

XT, XC, YT, YC, ZT, ZC, S12, S13, S23 = 1500.0, 1200.0, 50.0, 200.0, 45.0, 180.0, 80.0, 70.0, 60.0


def test_nominal_and_interaction_reach_one_at_each_strength(vx):
    g = vx.gpcollection
    for s, e in ((XT, 1.0), (-XC, 1.0), (-0.25 * XC, 0.25), (0.0, 0.0)):  # zero stress: 0, no NaN
        assert g.gpmaxnominal(s, XT, XC) == e
    assert g.gpquadnominal(0.0, 0.0, -S13, XT, S12, S13) == 1.0
    for fn in (g.gplininteraction, g.gpquadinteraction, g.gpnorrisinteraction):
        for state in ((XT, 0, 0), (-XC, 0, 0), (0, YT, 0), (0, -YC, 0), (0, 0, S12), (0, 0, -S12)):
            assert fn(*state, XT, XC, YT, YC, S12) == pytest.approx(1.0, abs=1e-15)
        assert fn(0.0, 0.0, 0.0, XT, XC, YT, YC, S12) == 0.0
    assert g.gpyamadasuninteraction(-XC, 0, 0, XT, XC, S12, S13) == 1.0


def test_interaction_forms_against_published_combinations(vx):
    g = vx.gpcollection
    s1, s2, t = 600.0, -80.0, 40.0
    a, b, c = s1 / XT, s2 / YC, t / S12
    # the linear form keeps the sign of the shear term
    assert g.gplininteraction(s1, s2, t, XT, XC, YT, YC, S12) == pytest.approx(abs(a + b + c))
    assert g.gplininteraction(0.5 * XT, 0.0, -0.5 * S12, XT, XC, YT, YC, S12) == 0.0
    assert g.gpquadinteraction(s1, s2, t, XT, XC, YT, YC, S12) == pytest.approx(math.hypot(a, b, c))
    assert g.gpnorrisinteraction(s1, s2, t, XT, XC, YT, YC, S12) == pytest.approx(math.sqrt(a * a - a * b + b * b + c * c))
    # Yamada-Sun: fibre stress and the two longitudinal shears
    assert g.gpyamadasuninteraction(s1, t, -30.0, XT, XC, S12, S13) == pytest.approx(math.hypot(s1 / XT, t / S12, 30 / S13))


def scaling_effort(poly, stress):
    """1 / lambda for the smallest positive lambda with poly(lambda * stress) = 1."""
    lam = brentq(lambda l: poly(l * np.asarray(stress)) - 1.0, 1e-9, 1e3, xtol=1e-14, rtol=1e-14)
    return 1.0 / lam


def tsai_wu(s, f12star):
    s1, s2, s3, t12, t13, t23 = s
    f = [1 / XT - 1 / XC, 1 / YT - 1 / YC, 1 / ZT - 1 / ZC]
    ff = [1 / (XT * XC), 1 / (YT * YC), 1 / (ZT * ZC)]
    d = [s1, s2, s3]
    v = sum(f[i] * d[i] + ff[i] * d[i] ** 2 for i in range(3))
    for i, j in ((0, 1), (0, 2), (1, 2)):
        v += 2 * f12star * math.sqrt(ff[i] * ff[j]) * d[i] * d[j]
    return v + (t12 / S12) ** 2 + (t13 / S13) ** 2 + (t23 / S23) ** 2


def hoffman(s):
    s1, s2, s3, t12, t13, t23 = s
    c1 = 0.5 * (1 / (YT * YC) + 1 / (ZT * ZC) - 1 / (XT * XC))
    c2 = 0.5 * (1 / (ZT * ZC) + 1 / (XT * XC) - 1 / (YT * YC))
    c3 = 0.5 * (1 / (XT * XC) + 1 / (YT * YC) - 1 / (ZT * ZC))
    return (c1 * (s2 - s3) ** 2 + c2 * (s3 - s1) ** 2 + c3 * (s1 - s2) ** 2 + (1 / XT - 1 / XC) * s1
            + (1 / YT - 1 / YC) * s2 + (1 / ZT - 1 / ZC) * s3 + (t12 / S12) ** 2 + (t13 / S13) ** 2 + (t23 / S23) ** 2)


STATES = [(600.0, 20.0, -10.0, 30.0, 5.0, 12.0), (-500.0, -90.0, 40.0, -20.0, 15.0, -8.0),
          (300.0, -60.0, 0.0, 50.0, 0.0, 0.0), (-200.0, 30.0, 25.0, 0.0, -40.0, 20.0)]


@pytest.mark.parametrize("s", STATES)
def test_polynomial_coefficient_sets_against_published_criteria(vx, s):
    args = (*s, XT, XC, YT, YC, ZT, ZC, S12, S13, S23)
    g = vx.gpcollection
    # Tsai-Wu with the normalised interaction F12* = -1/2
    assert g.gppolynomial(*args, xint=-0.5, ptype=0) == pytest.approx(scaling_effort(lambda x: tsai_wu(x, -0.5), s), rel=1e-10)
    # Hoffman: the linear terms with the Hill-type interactions
    assert g.gppolynomial(*args, xint=-0.5, ptype=2) == pytest.approx(scaling_effort(hoffman, s), rel=1e-10)
    # Tsai-Hill: strengths by the sign of each stress, no linear term
    x = [XT if s[0] >= 0 else XC, YT if s[1] >= 0 else YC, ZT if s[2] >= 0 else ZC]
    th = ((s[0] / x[0]) ** 2 + (s[1] / x[1]) ** 2 + (s[2] / x[2]) ** 2
          - (1 / x[0] ** 2 + 1 / x[1] ** 2 - 1 / x[2] ** 2) * s[0] * s[1]
          - (1 / x[0] ** 2 + 1 / x[2] ** 2 - 1 / x[1] ** 2) * s[0] * s[2]
          - (1 / x[1] ** 2 + 1 / x[2] ** 2 - 1 / x[0] ** 2) * s[1] * s[2]
          + (s[3] / S12) ** 2 + (s[4] / S13) ** 2 + (s[5] / S23) ** 2)
    if th >= 0:
        assert g.gppolynomial(*args, xint=-0.5, ptype=1) == pytest.approx(math.sqrt(th), rel=1e-12)
    else:  # the Hill form is indefinite here: the note and 0
        assert g.gppolynomial(*args, xint=-0.5, ptype=1) == 0.0
        assert err(vx) == (-1, "Note: Negative root during polynomial failureevaluation. Please check your input")
    # the Python default (xint 0) drops the mixed terms
    assert g.gppolynomial(*args) == pytest.approx(scaling_effort(lambda x: tsai_wu(x, 0.0), s), rel=1e-10)


def test_polynomials_at_uniaxial_strength_and_zero_stress(vx):
    g = vx.gpcollection
    z = [0.0] * 6
    for i, (t, c) in enumerate(((XT, XC), (YT, YC), (ZT, ZC))):
        for v in (t, -c):
            s = list(z)
            s[i] = v
            for ptype in (0, 1, 2, 7):
                assert g.gppolynomial(*s, XT, XC, YT, YC, ZT, ZC, S12, S13, S23, xint=-0.5, ptype=ptype) == pytest.approx(1.0, rel=1e-13)
    assert g.gppolynomial(*z, XT, XC, YT, YC, ZT, ZC, S12, S13, S23) == 0.0
    assert g.gppolycamanho(*z, XT, XC, YT, YC, S12, S13, S23) == 0.0
    assert err(vx)[0] == 0


def test_polycamanho_transversely_isotropic_tsai_wu(vx):
    g = vx.gpcollection
    s = (400.0, -60.0, 20.0, 30.0, -10.0, 25.0)
    # F12 = F13 = 2 xint sqrt(F11 F22), F23 from the transverse shear strength
    f1, f2 = 1 / XT - 1 / XC, 1 / YT - 1 / YC
    f11, f22 = 1 / (XT * XC), 1 / (YT * YC)

    def poly(x, xint):
        s1, s2, s3, t12, t13, t23 = x
        f12 = 2 * xint * math.sqrt(f11 * f22) if abs(xint) <= 1 else 0.0
        return (f1 * s1 + f2 * (s2 + s3) + f11 * s1 ** 2 + f22 * (s2 ** 2 + s3 ** 2) + f12 * s1 * (s2 + s3)
                + (2 * f22 - 1 / S23 ** 2) * s2 * s3 + (t12 / S12) ** 2 + (t13 / S13) ** 2 + (t23 / S23) ** 2)

    for xint in (-0.5, 1.5):
        assert g.gppolycamanho(*s, XT, XC, YT, YC, S12, S13, S23, xint=xint) == pytest.approx(
            scaling_effort(lambda x: poly(x, xint), s), rel=1e-10)
    # uniaxial transverse compression, every coefficient set whose 22 term is quadratic in 1/Yt only in tension
    assert g.gppolycamanho(0, -YC, 0, 0, 0, 0, XT, XC, YT, YC, S12, S13, S23) == pytest.approx(1.0)
    assert g.gppolycamanho(0, YT, 0, 0, 0, 0, XT, XC, YT, YC, S12, S13, S23, ptype=1) == pytest.approx(1.0)
    # set 2 drops the s33 square and the two transverse shears
    assert g.gppolycamanho(0, 0, 0, 0, S13, S23, XT, XC, YT, YC, S12, S13, S23, ptype=2) == 0.0


def test_polycamanho_note_on_negative_root(vx):
    g = vx.gpcollection
    assert g.gppolycamanho(0, 100.0, 100.0, 0, 0, 0, 1e3, 1e3, 200.0, 200.0, 1.0, 1.0, 1.0, ptype=1) == 0.0
    assert err(vx)[0] == -1


def test_polynomial_without_quadratic_term_takes_the_linear_limit(vx):
    # strengths chosen so that c = (s1 + s2)^2 / 4 vanishes exactly on s1 = -s2:
    # the stress reaches the surface at lambda b = 1, b = 1.5 t
    g = vx.gpcollection
    for t in (2.0, 0.5):
        r = g.gppolynomial(-t, t, 0, 0, 0, 0, 4.0, 1.0, 1.0, 4.0, 1.0, 1.0, 1.0, 1.0, 1.0, xint=1.0, ptype=0)
        assert r == 1.5 * t
    # the opposite direction (b < 0) never reaches it: 0, not a NaN
    assert g.gppolynomial(2.0, -2.0, 0, 0, 0, 0, 4.0, 1.0, 1.0, 4.0, 1.0, 1.0, 1.0, 1.0, 1.0, xint=1.0) == 0.0
    assert err(vx)[0] == 0


def uniaxial(s):
    return np.array([s, 0.0, 0, 0, 0, 0])


@pytest.mark.parametrize("xt,xc", [(50.0, 100.0), (80.0, 80.0)])
def test_stress_vector_potentials_reach_the_surface_at_both_strengths(vx, xt, xc):
    g = vx.gpcollection
    for s in (xt, -xc):
        d, di1 = np.array(0.0), np.array(0.0)
        g.gpdruckerprager(uniaxial(s), xt, xc, d, di1)
        assert float(di1) == pytest.approx(0.0, abs=1e-12) and float(d) == 1.0
        d = np.array(0.0)
        g.gpbauwens(uniaxial(s), xt, xc, d)
        assert float(d) == pytest.approx(1.0, rel=1e-14)
        assert g.gpraghava(uniaxial(0.5 * s), xt, xc) < 1.0 and g.gpraghava(uniaxial(s), xt, xc) == pytest.approx(1.0)
        for n in (2.0, 3.5) if xt != xc else ():
            _, di, dm = g.gpha(uniaxial(s), xt, xc, n)[:3]
            assert dm + di == pytest.approx(1.0, rel=1e-12)
    # equal strengths: the Mises surface, whatever the pressure
    if xt == xc:
        d, di1 = np.array(0.0), np.array(0.0)
        g.gpdruckerprager(np.array([xt, xt, xt, 0, 0, 0]) + uniaxial(xt), xt, xc, d, di1)
        assert float(di1) == pytest.approx(0.0, abs=1e-12)


def test_potential_damage_bookkeeping(vx):
    g = vx.gpcollection
    xt, xc = 50.0, 100.0
    # Bauwens: the damage never decreases and never exceeds 1
    d = np.array(0.7)
    g.gpbauwens(uniaxial(0.2 * xt), xt, xc, d)
    assert float(d) == 0.7
    g.gpbauwens(uniaxial(1.3 * xt), xt, xc, d)
    assert float(d) == 1.0
    # Drucker-Prager: well inside clears a negative damage to 0; beyond the surface is failed
    d, di1 = np.array(-0.5), np.array(0.0)
    g.gpdruckerprager(uniaxial(0.1 * xt), xt, xc, d, di1)
    assert float(d) == 0.0 and float(di1) > 1.0
    for s in (3.0 * xt, -4.0 * xc):
        d = np.array(0.0)
        g.gpdruckerprager(uniaxial(s), xt, xc, d, di1)
        assert float(di1) < -1.0 and float(d) == 1.0
    # Ha: life set only once failed
    d, life = g.gpha(uniaxial(1.01 * xt), xt, xc, 2.0)[::5]
    assert d == 1.0 and life == 1.0
    assert g.gpha(uniaxial(0.5 * xt), xt, xc, 2.0)[5] == 0.0


def test_efforts_below_zero(vx):
    """The polynomial with a negative quadratic part (xint outside -0.5..1 for the
    Tsai-Wu set) and Ha's potential under compression give negative values."""
    g = vx.gpcollection
    s11, s22 = 1000.0, -150.0
    f1, f2 = 1 / XT - 1 / XC, 1 / YT - 1 / YC
    f11, f22 = 1 / (XT * XC), 1 / (YT * YC)
    for xint, negative in ((1.5, True), (1.0, False), (-0.5, False)):
        b = f1 * s11 + f2 * s22
        c = f11 * s11 ** 2 + f22 * s22 ** 2 + 2 * xint * math.sqrt(f11 * f22) * s11 * s22
        r = g.gppolynomial(s11, s22, 0, 0, 0, 0, XT, XC, YT, YC, ZT, ZC, S12, S13, S23, xint=xint)
        assert r == pytest.approx(2 * c / (math.sqrt(b * b + 4 * c) - b), rel=1e-12)
        assert (r < 0) == negative and err(vx)[0] == 0
    # hydrostatic compression: di1 = I1 / i1cr, i1cr = xt (k^n + k) / (k^n - 1), k = xc / xt
    xt, xc, n = 50.0, 150.0, 2.0
    d, di1 = g.gpha(np.array([-100.0, -100.0, -100.0, 0, 0, 0]), xt, xc, n)[:2]
    assert d == di1 == pytest.approx(-300.0 / (xt * (9 + 3) / (9 - 1)), rel=1e-14)
