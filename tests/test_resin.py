"""Resin property models: temperature rules, calibration tables, equivalent strain, endochronic update."""
import ctypes
import math

import numpy as np
import pytest
from scipy.interpolate import PchipInterpolator

from conftest import error_record
from laminate_oracle import isotropic_stiffness

BLOCK_A = [3000.0, 0.35, 0.01, 80.0, 2.0, 1.2, 1.5, 100.0, -0.1]
BLOCK_B = [2000.0, 0.40, 0.03, 60.0, 4.0, 2.0, 1.4, 90.0, -0.2]
HOT = [-1e-4, 2e-3, 1.0, -4e-3, 1.1, 303.15, 333.15, 373.15, 420.0, 4.0, 50.0]


def props(ta, tb, a=BLOCK_A, b=BLOCK_B, hot=None, degr=0.7):
    p = list(a) + [ta] + list(b) + [tb] + [degr]
    return np.array(p + (list(hot) if hot is not None else []))


def test_two_block_temperature_rule(vx):
    r = vx.resin.getresinproperties
    mid = r(props(293.15, 353.15), 323.15, 0)
    swapped = r(props(353.15, 293.15, BLOCK_B, BLOCK_A), 323.15, 0)
    assert mid == swapped
    a, b = np.array(BLOCK_A), np.array(BLOCK_B)
    m = (a + b) / 2
    # outputs: e, nu, num, gamma, degr, xt, xc, np, a_woehler, exp_woehler
    np.testing.assert_allclose(mid, [m[0], m[1], m[2], m[5], 0.7, m[3], m[6] * m[3], m[4], m[7], m[8]], rtol=1e-14)
    cold = r(props(293.15, 353.15), 250.0, 0)
    assert cold[0] == 3000.0 and cold[6] == pytest.approx(1.5 * 80.0)
    hot = r(props(293.15, 353.15), 400.0, 0)
    assert hot[0] == 2000.0 and hot[5] == 60.0


def test_high_temperature_modulus_model(vx):
    r = vx.resin.getresinproperties
    p = props(253.15, 293.15, hot=HOT)  # block A low, block B at room temperature: Elow 3000, Ert 2000
    c2, c1, c0, b1, b0, t0, t1, t2, tg, m, er = HOT
    assert r(p, 300.0, 0)[0] == 3000.0
    c = 320.0 - 273.15
    assert r(p, 320.0, 0)[0] == pytest.approx((b1 * c + b0) * 2000)
    c = 350.0 - 273.15
    assert r(p, 350.0, 0)[0] == pytest.approx((c2 * c * c + c1 * c + c0) * 2000)
    c, cg = 390.0 - 273.15, t2 - 273.15
    eg = (c2 * cg * cg + c1 * cg + c0) * 2000
    assert r(p, 390.0, 0)[0] == pytest.approx(eg - (eg - er) * math.exp(-((c / (tg - 273.15)) ** m)))
    # the model needs more than 28 values; 20 values have no degr either
    assert r(p[:28], 350.0, 0)[0] == 2000.0
    assert r(p[:20], 350.0, 0)[0] == 2000.0
    with pytest.raises(vx.error):
        r(p[:30], 350.0, 0)


def test_debug_lines_only_for_the_debug_element(vx, capfd):
    vx.debugdata.edebug = 12
    try:
        for noel in (11, 12):
            vx.resin.getresinproperties(props(293.15, 353.15), 400.0, noel)
    finally:
        vx.debugdata.edebug = 0
    out = capfd.readouterr().out.splitlines()
    assert [ln.split()[0] for ln in out] == ["temp", "T1", "T2", "E2", "E"]


@pytest.fixture
def tables(vx):
    md = vx.materialdata
    md.temperatures = np.array([293.15, 353.15])
    x = np.array([0.0, 0.01, 0.03, 0.06])
    t = np.zeros((2, 4, 3), order="F")
    t[:, :, 0] = x
    t[0, :, 1], t[1, :, 1] = [1.0, 1.5, 1.7, 1.8], [2.0, 2.6, 3.0, 3.1]
    t[0, :, 2], t[1, :, 2] = [10.0, 20.0, 25.0, 26.0], [5.0, 8.0, 9.0, 9.5]
    md.flowprops, md.nflowdata = t, 4
    md.secantprops, md.nsecantdata = t[:, :, :2], 4
    md.normalprops, md.nnormaldata = t[:, :, :2], 4
    md.shearprops, md.nsheardata = t[:, :, :2], 4
    yield t
    for name in ("temperatures", "flowprops", "secantprops", "normalprops", "shearprops"):
        setattr(md, name, None)


def test_table_interpolation_in_strain_then_temperature(vx, tables):
    t = tables
    ged = vx.resin.getexternaldata
    assert ged(t, 4, 0.03, 293.15, "L") == 1.7
    x0, temp = 0.02, 313.15
    y1, y2 = np.interp(x0, t[0, :, 0], t[0, :, 1]), np.interp(x0, t[1, :, 0], t[1, :, 1])
    assert ged(t, 4, x0, temp, "L") == pytest.approx(y1 + (y2 - y1) * (temp - 293.15) / 60.0)
    c1, c2 = (PchipInterpolator(t[r, :, 0], t[r, :, 1])(x0) for r in (0, 1))
    assert ged(t, 4, x0, temp, "C") == pytest.approx(c1 + (c2 - c1) / 3)
    a0, a1 = vx.resin.getflowparameters(x0, temp)
    d1, d2 = (PchipInterpolator(t[r, :, 0], t[r, :, 2])(x0) for r in (0, 1))
    assert (a0, a1) == (pytest.approx(c1 + (c2 - c1) / 3), pytest.approx(d1 + (d2 - d1) / 3))
    assert vx.resin.getmodulusfromtable(x0, temp) == pytest.approx(a0)
    # the plastic properties take their flow parameters from the same table
    p = np.array(list(range(1, 12)) + [293.15] + list(range(1, 12)) + [353.15] + [0.5], float)
    res = vx.resin.getresinplasticproperties(p, temp, x0)
    assert res[5:7] == (a0, a1) and res[8] == 0.5


def test_missing_tables_are_refused_not_read(vx):
    vx.materialdata.temperatures = None
    assert vx.resin.getflowparameters(0.01, 300.0) == (0.0, 0.0)
    assert error_record(vx)[0] == -2
    vx.errorhandling.rsxerr(1)
    vx.materialdata.temperatures = np.array([293.15])  # one temperature only
    assert vx.resin.getmodulusfromtable(0.01, 300.0) == 0.0 and error_record(vx)[0] == -2
    vx.errorhandling.rsxerr(1)
    vx.materialdata.temperatures = np.array([293.15, 353.15])
    bad = np.zeros((2, 3, 2), order="F")
    bad[:, :, 0] = [0.0, 0.02, 0.01]  # not increasing: refused instead of ending the process
    assert vx.resin.getexternaldata(bad, 3, 0.01, 300.0, "C") == 0.0 and error_record(vx)[0] == -2
    vx.materialdata.temperatures = None


def test_orthotropic_resin_softening(vx, tables):
    p = props(293.15, 353.15)
    r = vx.resin.getresinorthotropicproperties(p, 323.15, 0.1, np.zeros(6), np.zeros(6), 0, 0.0)
    e, nu = 2500.0, 0.375
    assert r[0:3] == (e, e, e) and r[3] == pytest.approx(nu) and r[6] == pytest.approx(nu)
    assert r[9] == pytest.approx(e / (2 * (1 + nu)))
    eps = np.array([0.02, -0.005, 0.0, 0.01, 0.0, 0.03])
    r = vx.resin.getresinorthotropicproperties(p, 323.15, 0.1, np.zeros(6), eps, 0, 0.0)
    e1, e2, e3, nu12, nu13, nu23, nu21, nu31, nu32 = r[:9]
    alpha = vx.resin.getexternaldata(tables[:, :, :2], 4, 0.02, 323.15, "L")
    assert e1 == pytest.approx(e / (1 + alpha * 0.02)) and e3 == e and e2 < e
    # reciprocity nu_ij / E_i = nu_ji / E_j and the sum of each pair is 2 nu
    assert nu12 / e1 == pytest.approx(nu21 / e2) and nu13 / e1 == pytest.approx(nu31 / e3)
    assert nu23 / e2 == pytest.approx(nu32 / e3) and nu12 + nu21 == pytest.approx(2 * nu)
    # fully degraded (d >= 1, degr < 1): no softening at all
    r = vx.resin.getresinorthotropicproperties(p, 323.15, 0.1, np.zeros(6), eps, 0, 1.0)
    assert r[0:3] == (e, e, e)
    assert error_record(vx)[0] == 0
    # an unknown damage is taken as full, never as an intact element, and recorded
    r = vx.resin.getresinorthotropicproperties(p, 323.15, 0.1, np.zeros(6), eps, 0, np.nan)
    assert r[0:3] == (e, e, e)
    assert error_record(vx) == (-2, "NaN damage in GetResinOrthotropicProperties: counted as full")


def test_equivalent_strain_sign_and_norm(vx):
    f = vx.resin.equivalentstrain
    assert (f([0.01, 0, 0, 0, 0, 0], 3), f([-0.01, 0, 0, 0, 0, 0], 3)) == (0.01, -0.01)
    assert f([0.0, 0, 0, 0.02, 0, 0], 3) == pytest.approx(math.sqrt(2) * 0.01)
    assert f([-0.0, -0.0, -0.0, 0.02, 0, 0], 3) < 0  # the sign bit of a negative zero trace
    e = np.array([0.01, -0.02, 0.005, 0.004, -0.006, 0.002])
    t = np.diag(e[:3]) + 0.5 * np.array([[0, e[3], e[4]], [e[3], 0, e[5]], [e[4], e[5], 0]])
    assert f(e, 3) == pytest.approx(-np.linalg.norm(t))
    assert f([0.01, 0.02, 0.006], 2) == pytest.approx(math.sqrt(0.01**2 + 0.02**2 + 2 * 0.003**2))


def hooke(e_mod, nu, eps):
    """Direct stresses of isotropic Hooke."""
    return (isotropic_stiffness(e_mod, nu) @ eps)[:3]


def test_endochronic_elastic_and_plastic_parts(vx):
    f = vx.resin.endochroneviscoplasticity
    eps, deps = np.array([0.01, -0.002, 0.003, 0.004, 0, 0]), np.array([0.001, 0, 0, 0, 0, 0.001])
    sv0 = np.zeros(42)
    s, sv = f(eps, deps, np.array([0.0, 0.0, 0.3]), np.zeros(6), sv0, 0.1, 1, 0)
    # elastic part only, the fixed modulus 15 and no softening: Hooke for the direct components
    np.testing.assert_allclose(s[:3], hooke(15.0, 0.3, eps + deps), rtol=1e-13)
    assert s[3] == pytest.approx(15.0 / (1.3) * 0.004) and np.all(sv == 0)
    # plastic part without endochronic softening: an elastic response of modulus props(4)
    p = np.array([100.0, 0.0, 0.3, 40.0, 0.0] + [1e-300] * 6)
    s, sv = f(np.zeros(6), deps, p, np.zeros(6), sv0, 0.0, 1, 1)
    np.testing.assert_allclose(sv[:3], hooke(40.0, 0.3, deps), rtol=1e-12)
    np.testing.assert_allclose(s[:3], hooke(100.0, 0.3, deps) + sv[:3], rtol=1e-10)


def test_endochronic_viscous_terms_relax(vx):
    f = vx.resin.endochroneviscoplasticity
    p = np.array([100.0, 0.0, 0.3, 0.0, 0.0, 7.0, 5.0, 0, 0, 0, 0])
    sv0 = np.zeros(42)
    dev = np.array([2.0, -1.0, -1.0, 0.5, 0.0, 0.0])  # deviatoric stress in terms 0 and 1
    sv0[6:12], sv0[12:18] = dev, 3 * dev
    dt = 0.05
    _, sv = f(np.zeros(6), np.zeros(6), p, np.zeros(6), sv0.copy(), dt, 1, 1)
    # trapezoidal rule on d(sigma)/dt = -sigma / tau with tau = 0.1 (term 0) and 1 (term 1)
    for j, tau in ((0, 0.1), (1, 1.0)):
        x = dt / (2 * tau)
        np.testing.assert_allclose(sv[6 + 6 * j:12 + 6 * j], sv0[6 + 6 * j:12 + 6 * j] * (1 - x) / (1 + x),
                                   rtol=1e-13)
    kept = sv0.copy()
    _, sv = f(np.zeros(6), np.zeros(6), p, np.zeros(6), kept, dt, 0, 1)
    np.testing.assert_array_equal(sv, sv0)
    with pytest.raises(vx.error):
        f(np.zeros(6), np.zeros(6), p, np.zeros(6), np.zeros(41), dt, 0, 1)


@pytest.mark.parametrize("plastic, nprops", [(False, 19), (False, 30), (True, 23), (True, 30)])
def test_resin_constants_refuse_counts_they_would_read_past_natively(vx, lib, plastic, nprops):
    # Fewer than two blocks, or a high-temperature model cut short: from C the
    # routine would read past props; the binding refuses the same counts.
    pr = np.full(nprops, 293.0)
    outs = [ctypes.c_double(-1.0) for _ in range(14)]
    refs = [ctypes.byref(o) for o in outs]
    t, n = ctypes.byref(ctypes.c_double(350.0)), ctypes.byref(ctypes.c_int32(nprops))
    if plastic:
        lib.GetResinPlasticProperties(pr.ctypes.data_as(ctypes.c_void_p), n, t, ctypes.byref(ctypes.c_double(0.0)),
                                      *refs)
        name, degr = "GetResinPlasticProperties", 8
    else:
        lib.GetResinProperties(pr.ctypes.data_as(ctypes.c_void_p), n, t, *refs[:10], ctypes.byref(ctypes.c_int32(1)))
        name, degr, outs = "GetResinProperties", 4, outs[:10]
    assert error_record(vx) == (-2, f"Too few resin constants in {name}")
    assert all(math.isnan(o.value) for k, o in enumerate(outs) if k != degr)
    assert outs[degr].value == -1.0  # degr stays untouched


@pytest.mark.parametrize("matstate, nprops, nstatev", [(1, 10, 42), (0, 2, 42), (1, 11, 41)])
def test_endochrone_law_refuses_short_arrays_natively(vx, lib, matstate, nprops, nstatev):
    p = lambda a: a.ctypes.data_as(ctypes.c_void_p)
    stress, statev = np.zeros(6), np.zeros(nstatev)
    lib.EndochroneViscoPlasticity(p(np.full(6, 1e-3)), p(np.zeros(6)), p(np.full(nprops, 0.3)), p(stress), p(statev),
                                  ctypes.byref(ctypes.c_double(0.1)), ctypes.byref(ctypes.c_int32(nprops)),
                                  ctypes.byref(ctypes.c_int32(nstatev)), ctypes.byref(ctypes.c_byte(1)),
                                  ctypes.byref(ctypes.c_byte(matstate)))
    assert error_record(vx) == (-2, "Too few constants in EndochroneViscoPlasticity")
    assert np.all(np.isnan(stress)) and np.all(statev == 0.0)
