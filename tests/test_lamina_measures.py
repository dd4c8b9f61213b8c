"""Stress updates, energies, hardening tables, strain measures, equivalent stresses, parts of a stress."""
import math

import numpy as np
import pytest
from scipy.optimize import brentq
from scipy.spatial.transform import Rotation

from conftest import error_record
from laminate_oracle import CFRP

rng = np.random.default_rng(7103)


@pytest.fixture
def lam(vx):
    return vx.lamina


def voigt_tensor(v):
    s11, s22, s33, s23, s13, s12 = v
    return np.array([[s11, s12, s13], [s12, s22, s23], [s13, s23, s33]])


def test_stress_and_energy_of_linear_elastic_loading(lam):
    """Loading from zero in two increments or in one secant step: the stress is C e and
    the energy e.C.e / 2 (trapezoidal rule, exact for a linear law), in either shear form."""
    sse, c = lam.getspecificstrainenergy, lam.getnyestiffnessmatrix(CFRP, 6)
    de, z = rng.normal(size=6) * 1e-3, np.zeros(6)
    want = 0.5 * de @ c @ de
    for shear, e in ((0, de), (1, de / [1, 1, 1, 2, 2, 2])):  # engineering or tensor shear strain
        s1, sec = np.zeros(6), rng.normal(size=6)
        lam.getstressvector(s1, c, z, e / 2, 3, 0, shear)
        s2 = s1.copy()
        lam.getstressvector(s2, c, e / 2, e / 2, 3, 0, shear)  # incremental: adds to what is there
        lam.getstressvector(sec, c, z, e, 3, 1, shear)  # secant: what is there is dropped
        np.testing.assert_allclose(s2, c @ de, rtol=1e-13)
        np.testing.assert_allclose(sec, c @ de, rtol=1e-13)
        w = sse(sse(0.0, s1, z, z, e / 2, 3, 0, shear), s2, s1, e / 2, e / 2, 3, 0, shear)
        assert w == pytest.approx(want, rel=1e-13)
        # secant: the incoming energy and the previous stress play no part
        assert sse(-7.0, sec, 100 * s1, e / 2, e / 2, 3, 1, shear) == pytest.approx(want, rel=1e-13)
    # plane stress (11, 22, 12) with one direct component fewer
    d, s3 = rng.normal(size=(3, 3)), np.zeros(3)
    lam.getstressvector(s3, d, de[:3], de[3:], 2, 1, 1)
    np.testing.assert_allclose(s3, d @ ((de[:3] + de[3:]) * [1, 1, 2]), rtol=1e-14)


def test_secant_parameter_of_nonlinear_shear(vx):
    f = vx.lamina.getmatparambycurvefitting
    l, eta = 5000.0, 40.0
    assert f(l, eta, 30.0, 0.01, 0.005, 0) == f(l, eta, 30.0, 0.01, 0.005, 9) == l
    assert f(l, eta, 30.0, 0.01, 0.005, 1) == pytest.approx(l / (1 + eta * 0.015), rel=1e-14)
    assert f(l, eta, 30.0, -0.01, -0.005, 2) == pytest.approx(l * math.exp(-eta * 0.015), rel=1e-14)
    # Hahn-Tsai: the secant modulus at the strain is tau/gamma on the law
    # gamma = tau / G + beta tau^3 (fixed point to a stress tolerance 1e-3)
    beta, gamma = 2e-8, 0.012
    tau = brentq(lambda t: t / l + beta * t**3 - gamma, 0.0, l * gamma)
    got = f(l, beta, 40.0, gamma, 0.0, 3)
    assert got == pytest.approx(tau / gamma, rel=1e-4)
    assert got < l


TABLE = np.array([[100.0, 0.0], [150.0, 0.01], [180.0, 0.02], [190.0, 0.04]])


def test_hardening_table(vx):
    h = vx.lamina.gethardeningfromtable
    y, e = TABLE[:, 0], TABLE[:, 1]
    assert h(0.05, TABLE) == (190.0, 0.0)
    assert h(0.04, TABLE) == (190.0, 0.0)
    assert h(0.01, TABLE)[0] == 150.0
    # central differences at the points, interpolated linearly like the stress
    slope = np.r_[(y[1] - y[0]) / (e[1] - e[0]), (y[2:] - y[:-2]) / (e[2:] - e[:-2]), (y[-1] - y[-2]) / (e[-1] - e[-2])]
    for strain in (0.003, 0.015, 0.031):
        ys, g = h(strain, TABLE)
        assert ys == pytest.approx(np.interp(strain, e, y), rel=1e-14)
        assert g == pytest.approx(np.interp(strain, e, slope), rel=1e-14)
    # a yield stress column with a NaN: the largest number is taken
    t = TABLE.copy()
    t[1, 0] = np.nan
    assert h(1.0, t) == (190.0, 0.0)
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("strains", [[0.0, 0.02, 0.01, 0.04], [0.0, 0.01, 0.01, 0.04]])
def test_hardening_table_not_increasing_is_refused(vx, strains):
    t = TABLE.copy()
    t[:, 1] = strains
    assert vx.lamina.gethardeningfromtable(0.005, t) == (190.0, 0.0)
    assert error_record(vx) == (-2, "Strains of hardening table not strictly increasing in GetHardeningFromTable")
    vx.errorhandling.rsxerr(1)
    assert vx.lamina.gethardeningfromtable(-1.0, t[:1]) == (100.0, 0.0)  # a single point
    assert error_record(vx)[0] == -2


def test_strain_measures(lam):
    r = Rotation.from_rotvec([0.3, -0.5, 0.9]).as_matrix()
    np.testing.assert_allclose(lam.getgreenstrain(r), 0, atol=1e-15)
    np.testing.assert_allclose(lam.getalmansistrain(r), 0, atol=1e-15)
    f = np.eye(3) + 0.2 * rng.normal(size=(3, 3))
    g, a = lam.getgreenstrain(f), lam.getalmansistrain(f)
    np.testing.assert_allclose(g, 0.5 * (f.T @ f - np.eye(3)), atol=1e-15)
    finv = np.linalg.inv(f)
    np.testing.assert_allclose(a, finv.T @ g @ finv, atol=1e-14)  # push-forward of the Green strain
    np.testing.assert_allclose(lam.getsmallstrain(f), 0.5 * (f + f.T) - np.eye(3), atol=1e-15)


def test_equivalent_stresses(lam):
    assert lam.getmisesstress([3.0, 0, 2.0]) == pytest.approx(math.sqrt(9 + 12))
    assert lam.getmisesstress([3.0, 1.0, 0.0, 2.0]) == pytest.approx(math.sqrt(7 + 12))
    for _ in range(3):
        v = rng.normal(size=6)
        p = np.linalg.eigvalsh(voigt_tensor(v))[::-1]
        vm = math.sqrt(0.5 * ((p[0] - p[1]) ** 2 + (p[1] - p[2]) ** 2 + (p[2] - p[0]) ** 2))
        assert lam.getmisesstress(v) == pytest.approx(vm, rel=1e-12)
        np.testing.assert_allclose(lam.getprincipals(v), p, rtol=1e-12, atol=1e-14)
        assert lam.gettrescastress(p) == pytest.approx(p[0] - p[2], rel=1e-14)
        # Stassi with equal strengths is von Mises signed by the first invariant
        assert lam.getstassistress(v, 50.0, 50.0) == pytest.approx(math.copysign(vm, v[:3].sum()), rel=1e-12)
    np.testing.assert_array_equal(lam.getprincipals([1.0, 2, 3, 0, 0, 0]), [3.0, 2.0, 1.0])
    np.testing.assert_allclose(lam.getprincipals([1.0, 1.0, 1.0]), [2.0, 0.0, 0.0], atol=1e-15)  # (11, 22, 12)
    np.testing.assert_allclose(lam.getprincipals([1.0, 1.0, -4.0, 1.0]), [2.0, 0.0, -4.0], atol=1e-15)
    assert [lam.getrankinestress(p) for p in ([5.0, 1.0, -3.0], [2.0, 1.0, -3.0], [-1.0, -2.0, -3.0])] == [5, 3, 3]
    xt, xc = 60.0, 200.0
    assert lam.getstassistress([xt, 0, 0, 0, 0, 0], xt, xc) == pytest.approx(xt)
    assert lam.getstassistress([0, -xc, 0, 0, 0, 0], xt, xc) == pytest.approx(-xc)


@pytest.mark.parametrize("v", [[np.nan, 0, 0, 0, 0, 0], [1.0, 2.0, 3.0, 0, np.inf, 0], [-np.inf, 1.0, 0.5]])
def test_principals_of_a_nonfinite_stress_are_nan(vx, v):
    assert np.isnan(vx.lamina.getprincipals(np.array(v))).all()
    assert error_record(vx) == (-2, "Non-finite stress component in GetPrincipals")


def test_parts_of_a_stress(vx, lam):
    v = rng.normal(size=6)
    sig = voigt_tensor(v)
    assert lam.gettrace(v) == pytest.approx(np.trace(sig))
    assert lam.gettrace([1.0, 2.0, 5.0]) == 3.0  # (11, 22, 12)
    assert lam.gethydrostaticpressure([1.0, 2.0, 6.0, 5.0]) == 3.0
    cm, cd = lam.getmeanstress(v), lam.getdeviatoricstress(v)
    np.testing.assert_allclose(cm, np.trace(sig) / 3 * np.eye(3), rtol=1e-14)
    np.testing.assert_allclose(cm + cd, sig, atol=1e-15)
    m = lam.getmisesstress([1.0, 0, 2, 0, 0, 0])
    np.testing.assert_allclose(lam.getmisesflow([1.0, 0, 2, 0, 0, 0]), np.array([0, -1, 1, 0, 0, 0]) / m)
    m3 = math.sqrt(1 + 4 - 2 + 27)
    np.testing.assert_allclose(lam.getmisesflow([1.0, 2.0, 3.0]), np.array([0, 1, 3]) / m3, rtol=1e-14)
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("v", [np.zeros(6), np.zeros(4), np.zeros(3), np.full(6, 7.3) * [1, 1, 1, 0, 0, 0],
                               [0.1, 0.1, 0.1, 0.0], [1e300, 1e300, 1e300, 0, 0, 0]])
def test_mises_flow_without_a_deviator_is_zero(vx, v):
    # (the mean of 0.1, 0.1, 0.1 leaves a rounding residue in the direct
    # entries while the differences, and so the measure, are 0)
    flow = vx.lamina.getmisesflow(np.array(v, float))
    np.testing.assert_array_equal(flow, np.zeros(len(v)))
    assert error_record(vx)[0] == 0


def test_mises_flow_does_not_depend_on_the_size_of_the_stress(vx):
    flow = vx.lamina.getmisesflow
    for v in rng.normal(size=(20, 6)).tolist() + [[1.0, 0, 0, 0, 0, 0], [0.5, -2.0, 3.0, 0.25]]:
        want = flow(np.array(v))
        assert np.isfinite(want).all() and np.abs(want).max() > 0.1
        for e in (-1000, -560, 500, 1000):   # at the extremes the squares underflow or overflow
            np.testing.assert_array_equal(flow(np.ldexp(v, e)), want)


@pytest.mark.parametrize("xt,xc", [(0.0, 200.0), (60.0, 0.0), (-60.0, -200.0), (60.0, -200.0), (np.nan, 200.0),
                                   (60.0, np.inf)])
def test_stassi_without_two_positive_strengths_is_refused(vx, xt, xc):
    assert np.isnan(vx.lamina.getstassistress([30.0, -10.0, 5.0, 1.0, 2.0, 3.0], xt, xc))
    assert error_record(vx) == (-2, "Strengths not positive and finite in GetStassiStress")


@pytest.mark.parametrize("name", ["getmisesstress", "gettrace", "getprincipals", "getmeanstress", "getmisesflow"])
def test_lengths_read_past_the_vector_are_refused(vx, name):
    out = getattr(vx.lamina, name)(np.array([1.0, 2.0, 3.0, 4.0, 5.0]))
    assert error_record(vx) == (-2, "Unsupported length of TVoigt in GetTensorComponents")
    assert not np.any(out)


def test_stassi_follows_its_closed_form_to_the_last_bit(lam):
    r = np.random.default_rng(11)
    for xt, xc in ((60.0, 200.0), (45.3, 171.9), (80.0, 80.0)):
        k = xc / xt
        for v in r.normal(scale=50.0, size=(40, 6)):
            i1 = v[0] + v[1] + v[2]
            s11, s22, s33, s23, s13, s12 = v
            m = math.sqrt(0.5 * ((s11 - s22) ** 2 + (s22 - s33) ** 2 + (s33 - s11) ** 2)
                          + 3 * (s12**2 + s13**2 + s23**2))
            root = math.sqrt(i1**2 * (k - 1) ** 2 + 4 * k * m**2)
            want = (i1 * (k - 1) + root) / (2 * k) if i1 >= 0 else (i1 * (k - 1) - root) / (2 * k)
            assert lam.getstassistress(v, xt, xc) == want
