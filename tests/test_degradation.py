"""Sudden, isotropic and viscous degradation, accumulated damage, the degradation
matrix and the degradation factors of a damage state."""
import math

import numpy as np
import pytest

from conftest import error_record

PE = np.array([140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.1e3])
PS = np.array([2000.0, -1200.0, 50.0, 200.0, 60.0, 250.0, 90.0, 90.0, 40.0])
TTOL = np.array([1.0, 0.5])


def sudden(vx, g_f, g_m, f, nm=None, state=None):
    dpe, dps, de, df = state if state is not None else (PE.copy(), PS.copy(), np.ones(6), np.ones(9))
    extra = () if nm is None else (np.asarray(nm, float),)
    return vx.degradation.suddendegradation(dpe, dps, PE, PS, de, df, g_f, g_m, TTOL, f, *extra)


def test_matrix_failure_discounts_transverse_entries_only(vx):
    dpe, dps, de, df, g_f, g_m = sudden(vx, 0.2, 1.0, 0.1)
    assert (g_f, g_m) == (0.2, 1.0)
    expect = PE.copy()
    expect[1:6] *= 0.1
    expect[8] *= 0.1  # G23 follows E2; G12 and G13 follow the intact E1
    np.testing.assert_allclose(dpe, expect, rtol=1e-15)
    np.testing.assert_allclose(dps[:2], PS[:2])
    np.testing.assert_allclose(dps[2:], 0.1 * PS[2:], rtol=1e-15)
    np.testing.assert_allclose(de, np.r_[1.0, [0.1] * 5])
    np.testing.assert_allclose(df, np.r_[1.0, 1.0, [0.1] * 7])
    # a later, milder discount changes nothing; a fibre failure then reaches E1 and G12, G13
    again = sudden(vx, 0.0, 1.0, 0.5, state=(dpe, dps, de, df))
    np.testing.assert_array_equal(again[0], dpe)
    fib = sudden(vx, 1.0, 0.0, 0.5, state=(dpe, dps, de, df))
    assert fib[4] == 1.0 and fib[0][0] == 0.5 * PE[0] and fib[0][6] == 0.5 * PE[6] and fib[0][1] == dpe[1]
    assert fib[1][1] == 0.5 * PS[1] < 0  # the compressive strength keeps its sign


def test_mode_values_and_their_absent_marker(vx):
    none = sudden(vx, 0.0, 0.0, 0.1, nm=[-1.0] * 6)
    np.testing.assert_array_equal(none[0], PE)
    assert none[4:] == (0.0, 0.0)
    fibre = sudden(vx, 0.0, 0.0, 0.1, nm=[0.6, 0, 0, 0, 0, 0])
    assert fibre[4] == 1.0 and fibre[5] == 0.0 and fibre[0][0] == pytest.approx(0.1 * PE[0])
    matrix = sudden(vx, 0.0, 0.0, 0.1, nm=[0, 0, 0, 0, 0.51, 0])
    assert matrix[5] == 1.0 and matrix[0][0] == PE[0] and matrix[0][1] == pytest.approx(0.1 * PE[1])


def test_zero_poisson_ratio_keeps_its_factor(vx):
    pe = PE.copy()
    pe[4] = 0.0
    dpe, dps, de, df, _, _ = vx.degradation.suddendegradation(pe.copy(), PS.copy(), pe, PS, np.ones(6),
                                                             np.ones(9), 0.0, 1.0, TTOL, 0.2)
    assert np.all(np.isfinite(de)) and de[4] == 1.0 and de[1] == pytest.approx(0.2)


def test_viscous_sudden_degradation_regularises_and_reports(vx, capfd):
    degr_old = np.array(1.0)
    eta, dt, f = 0.3, 0.1, 0.2
    dpe, dps, de, df, g_f, g_m = vx.degradation.suddendegradation_viscouse(
        PE.copy(), PS.copy(), PE, PS, np.ones(6), np.ones(9), 1.0, 1.0, TTOL, f, degr_old, eta, dt)
    w = dt / (dt + eta)
    f1 = 1 - w * (1 - f)  # from an intact history, the damage moves a quarter of the way
    assert degr_old[()] == pytest.approx(f1)
    assert dpe[0] == pytest.approx(f1 * PE[0]) and dpe[1] == pytest.approx(f1 * PE[1])
    # the lines print the regularised factor (their layout is checked below)
    assert [float(ln.split()[-1]) for ln in capfd.readouterr().out.splitlines()[1:]] == pytest.approx([f1, f1])
    # without viscosity the regularised law is the plain one
    plain = sudden(vx, 1.0, 1.0, f)
    visc = vx.degradation.suddendegradation_viscouse(PE.copy(), PS.copy(), PE, PS, np.ones(6), np.ones(9),
                                                     1.0, 1.0, TTOL, f, np.array(1.0), 0.0, dt)
    for a, b in zip(plain, visc):
        np.testing.assert_allclose(a, b, rtol=1e-15)


def test_viscous_lines_are_laid_out_in_free_format(vx, capfd):
    # a leading blank, the label, then the real in a 26-column field with 17
    # significant digits: fixed form for 0.1 <= |x| < 1e17, exponent form else
    for f, field in ((0.5, "  0.50000000000000000     "), (2.0**-10, "   9.7656250000000000E-004")):
        vx.degradation.suddendegradation_viscouse(PE.copy(), PS.copy(), PE, PS, np.ones(6), np.ones(9), 0.0, 0.0,
                                                  TTOL, f, np.array(1.0), 0.0, 1.0)
        assert capfd.readouterr().out.splitlines() == [" Get regularised degradation factor",
                                                       " Viskose degradation for FF" + field,
                                                       " Viskose degradation for IFF" + field]


def test_regularisation_and_isotropic_laws(vx):
    assert vx.degradation.viscouseregularisation(0.2, 0.8, 0.0, 0.5) == 0.8
    assert vx.degradation.viscouseregularisation(0.2, 0.8, 1.0, 1.0) == pytest.approx(0.5)
    iso = vx.degradation.isotropicdegradation
    # just below failure untouched; far beyond it (3.7) the modulus stays at the retained fraction, never negative
    for args, expect in (((0.99, 0.5, 0.1), [3000.0, 0.35]), ((3.7, 0.0, 0.1), [300.0, 0.0])):
        np.testing.assert_allclose(iso([3000.0, 0.35], *args), expect, rtol=1e-15)
    out, fr = vx.degradation.isotropicdegradation_viscouse([3000.0, 0.35], 1.0, 0.0, 0.1, 1.0, 1.0)
    # the history starts at 0 retained: halfway between total loss (1) and 0.9 damage
    assert fr == pytest.approx(1 - (0.5 * 0.9 + 0.5 * 1.0))
    np.testing.assert_allclose(out, [fr * 3000.0, 0.0])


def test_isotropic_viscous_history_carried_over_calls(vx):
    """The regularised fraction of one call is the history of the next: a ply that starts
    intact (1.0) lags towards the retained fraction 0.1 by dt / (dt + eta) per call."""
    visc = vx.degradation.isotropicdegradation_viscouse
    pe, degr, eta, dt = [3000.0, 0.35], 0.1, 3.0, 1.0
    w = dt / (dt + eta)
    expect = [1.0]
    for _ in range(2):
        expect.append(1.0 - (w * (1.0 - degr) + (1.0 - w) * (1.0 - expect[-1])))
    # passed as a number, the new value returned
    out, fr1 = visc(pe, 1.0, 0.0, degr, eta, dt, 1.0)
    out, fr2 = visc(pe, 1.0, 0.0, degr, eta, dt, fr1)
    assert (fr1, fr2) == (pytest.approx(expect[1], rel=1e-15), pytest.approx(expect[2], rel=1e-15))
    np.testing.assert_allclose(out, [expect[2] * 3000.0, 0.0], rtol=1e-15)
    # an array is updated in place, as the native routine does
    old = np.array(1.0)
    for k in (1, 2):
        visc(pe, 1.0, 0.0, degr, eta, dt, old)
        assert float(old) == pytest.approx(expect[k], rel=1e-15)
    # omitted, the history is 0: fully degraded at the start
    assert visc(pe, 1.0, 0.0, degr, eta, dt)[1] == visc(pe, 1.0, 0.0, degr, eta, dt, degr_old=0.0)[1]
    assert visc(pe, 1.0, 0.0, degr, eta, dt)[1] == pytest.approx(1.0 - (w * 0.9 + (1.0 - w)), rel=1e-15)


@pytest.mark.parametrize("degr, kept", [(-0.3, 0.0), (0.4, 0.4), (1.2, 1.0), (math.nan, 0.0)])
def test_isotropic_retained_fraction_limited_to_unit_range(vx, degr, kept):
    """A failed material keeps the limited fraction of its modulus: never a
    negative one, never a stiffer one; a NaN fraction is reported as total loss."""
    dg = vx.degradation
    pe = [1000.0, 0.3]
    poisson = 0.3 if degr >= 1.0 else 0.0
    failed = (dg.isotropicdegradation(pe, 1.0, 0.0, degr),
              dg.isotropicdegradation_viscouse(pe, 1.0, 0.0, degr, 0.0, 1.0)[0])   # eta 0: no lag
    for out in failed:
        np.testing.assert_array_equal(out, [kept * 1000.0, poisson])
    assert error_record(vx)[0] == (-2 if math.isnan(degr) else 0)
    np.testing.assert_array_equal(dg.isotropicdegradation(pe, 0.5, 0.0, degr), pe)   # intact: untouched


@pytest.mark.parametrize("d, life", [(math.nan, 0.0), (0.0, math.nan)])
def test_isotropic_unknown_damage_or_life_counts_as_failed(vx, d, life):
    dg = vx.degradation
    pe = [1000.0, 0.3]
    np.testing.assert_allclose(dg.isotropicdegradation(pe, d, life, 0.2), [200.0, 0.0], rtol=1e-15)
    assert error_record(vx) == (-2, "NaN damage or life in IsotropicDegradation")
    vx.errorhandling.rsxerr(1)
    np.testing.assert_allclose(dg.isotropicdegradation_viscouse(pe, d, life, 0.2, 0.0, 1.0)[0], [200.0, 0.0], rtol=1e-15)
    assert error_record(vx) == (-2, "NaN damage or life in IsotropicDegradation_viscouse")


def test_accumulated_damage(vx):
    acc = vx.degradation.getaccumulateddamage
    assert acc(np.zeros((4, 3)), 0.0) == 0.0
    assert acc(np.ones((4, 3)), 0.0) == pytest.approx(1.0)
    # one entry of one ply down to a tenth of its stiffness: 1 decade of 20, 1 of 2 entries, 1 of 2 plies
    degr = np.array([[100.0, 100.0], [10.0, 100.0]])
    assert acc(degr, 100.0) == pytest.approx(1 / 80)


def test_degradation_matrix_placement(vx):
    f = np.arange(2.0, 11.0)
    d3 = vx.degradation.getnyedegradationmatrix(f, 3)
    np.testing.assert_array_equal(d3, [[2, 3, 1], [3, 4, 1], [1, 1, 5]])
    d6 = vx.degradation.getnyedegradationmatrix(f, 6)
    expect = np.ones((6, 6))
    for (i, j), k in {(0, 0): 1, (0, 1): 2, (1, 1): 3, (3, 3): 4, (4, 4): 5, (5, 5): 6,
                      (0, 2): 7, (1, 2): 8, (2, 2): 9}.items():
        expect[i, j] = expect[j, i] = f[k - 1]
    np.testing.assert_array_equal(d6, expect)
    red = vx.degradation.getnyedegradationmatrix(f, 4, 0)
    assert red[2, 2] == 1.0 and red[3, 3] == f[3] and red[0, 2] == 1.0
    np.testing.assert_array_equal(vx.degradation.getnyedegradationmatrix(f, 4)[:4, :4], expect[:4, :4])
    assert error_record(vx)[0] == 0
    np.testing.assert_array_equal(vx.degradation.getnyedegradationmatrix(f, 5), np.ones((5, 5)))
    assert error_record(vx) == (-2, "Unsupported dimension in GetNyeDegradationMatrix")


def dds(*failed):
    s = np.zeros(10)
    s[[k - 1 for k in failed]] = 1.0
    return s


LOST = 1e-20


@pytest.mark.parametrize("scheme", range(6))
def test_factor_schemes_common_rules(vx, scheme):
    fd = vx.degradation.falcomdegradation
    for tape in (0, 1):  # nothing failed, and flags other than exactly 1 count as intact
        np.testing.assert_array_equal(fd(np.zeros(10), 0.5, scheme, tape), np.ones(9))
        np.testing.assert_array_equal(fd(np.full(10, 0.5), 0.1, scheme, tape), np.ones(9))
    if scheme in (1, 2, 5):
        np.testing.assert_array_equal(fd(dds(1, 4, 6, 7), 1.0, scheme, 1), [LOST] * 9)
    # the discontinuity knock-down scales every entry, never past total loss
    base = fd(dds(1, 4), 1.0, scheme, 0)
    np.testing.assert_allclose(fd(dds(1, 4, 8), 0.5, scheme, 0), 0.5 * base)
    np.testing.assert_array_equal(fd(dds(1, 4, 8), 1.5, scheme, 0), base)
    np.testing.assert_array_equal(fd(dds(1, 4, 8), 0.0, scheme, 0), [LOST] * 9)


def test_unknown_scheme_and_own_fibre_factor(vx):
    np.testing.assert_array_equal(vx.degradation.falcomdegradation(dds(1), 1.0, 6, 1), np.ones(9))
    assert error_record(vx)[0] == -2
    np.testing.assert_array_equal(vx.degradation.falcomdegradation(dds(1), 1.0, 1, 1, [0.7, 0, 0, 0]), [0.7] + [1] * 8)


L_ = LOST


@pytest.mark.parametrize("scheme,tape,failed,expect", [
    (0, 1, (2,), [L_] * 9),
    (1, 0, (1, 2), [0.3, 1, 0.3, 1, 1, 1, 1, 1, 1]),
    (2, 1, (1, 4, 6), [0.3, 0.5, 0.5, 0.5, 0.5, 0.5, 1, 0.5, 1]),
    (3, 1, (7,), [L_] * 8 + [0.015]),
    (4, 0, (2,), [1, 0.1, 0.5, 0.1, 1, 1, 1, 1, 1]),
    (5, 1, (1,), [0.5, 0.5, 1, L_, 1, L_, 0.5, 1, 1]),
    (5, 0, (1, 2), [0.5, 0.5, 0.5, L_, L_, L_, 0.5, 0.5, 1]),
    (1, 1, (2,), [1] * 9),  # a tape ply has no second fibre direction
    (2, 0, (1, 2, 4, 6), [0.3, 0.5, 0.3, 0.5, 0.5, 0.5, 0.5, 0.5, 1]),
    (4, 1, (4,), [1, 0.1, 0.1, 0.1, 1, 1, 1, 1, 1]),
    (4, 0, (1,), [0.5, 0.1, 1, 0.1, 1, 1, 1, 1, 1]),
    (4, 0, (1, 2, 4), [0.5, 0.1, 0.5, 0.1, 1, 1, 1, 1, 1]),
    (5, 0, (1,), [0.5, 0.5, 1, L_, 1, L_, 0.5, 1, 1]),
    (5, 0, (2,), [1, 0.5, 0.5, L_, L_, 1, 1, 0.5, 1]),
    (5, 0, (2, 4), [1, L_, 0.5, L_, L_, L_, L_, L_, 1]),
    (5, 1, (4,), [1, L_, L_, L_, L_, 1, 1, L_, 1]),
    (5, 1, (5,), [1, 1, 1, 1, L_, L_, 1, 1, 1]),
])
def test_factor_schemes_tape_and_fabric(vx, scheme, tape, failed, expect):
    np.testing.assert_array_equal(vx.degradation.falcomdegradation(dds(*failed), 1.0, scheme, tape), expect)


def test_nye_degradation_matrix_of_a_negative_order_writes_nothing(vx, lib):
    # (-1)^2 = 1: the fill of ones must not take the square of a negative order.
    import ctypes
    d = np.full(2, 5.0)
    lib.GetNyeDegradationMatrix(d.ctypes.data_as(ctypes.c_void_p), np.ones(9).ctypes.data_as(ctypes.c_void_p),
                                ctypes.byref(ctypes.c_int32(-1)), None)
    np.testing.assert_array_equal(d, 5.0)
    assert error_record(vx)[0] == -2
