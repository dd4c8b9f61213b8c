"""Per-mode failure drivers: selector tables against the criteria called
directly, default-case warnings, parameter lists and the failure flag."""
import ctypes as C
import math

import numpy as np
import pytest

from conftest import error_record

NL, NS = 3, 2  # plies and sections of the test arrays
STRENGTH = [1500.0, 45.0, 50.0, 1200.0, 180.0, 190.0, 80.0, 85.0, 40.0, 70.0]
ELASTIC = [140e3, 9e3, 9.5e3, 0.3, 0.31, 0.45, 5e3, 5.2e3, 3.1e3]
STRESS = np.array([300.0, 20.0, -15.0, 35.0, 12.0, 8.0])


def props(values, rows):
    a = np.zeros((rows, NL, NS), order="F")
    for k in range(NL):
        for s in range(NS):
            a[:, k, s] = np.asarray(values) * (1.0 + 0.1 * k + 0.05 * s)  # every column different
    return a


PS, PE = props(STRENGTH, 10), props(ELASTIC, 9)
ORI = np.zeros((NL, NS), order="F")
THK = np.full((NL, NS), 0.25, order="F")
LAYER, ISEC = 2, 2
X = PS[:, LAYER - 1, ISEC - 1]
E = PE[:, LAYER - 1, ISEC - 1]
XT11, XT22, XT33, XC11, XC22, XC33, S12, S13, S23, ILSS = X
S11, S22, S33, T12, T13, T23 = STRESS


def native(lib, name, *args):
    """Calls an exported criterion with every argument by address (None: absent)."""
    keep, ptrs = [], []
    for a in args:
        if a is None or isinstance(a, np.ndarray):
            keep.append(a)
            ptrs.append(None if a is None else a.ctypes.data_as(C.c_void_p))
            continue
        keep.append(C.c_int32(a) if isinstance(a, int) else C.c_double(a))
        ptrs.append(C.byref(keep[-1]))
    r = C.c_double(0.0)
    getattr(lib, name)(C.byref(r), *ptrs)
    return r.value


GP = {
    1: ("GPMaxNominal", (S11, XT11, XC11)),
    2: ("GPQuadNominal", (S11, T12, T13, XT11, S12, S13)),
    3: ("GPLinInteraction", (S11, S22, T12, XT11, XC11, XT22, XC22, S12)),
    4: ("GPQuadInteraction", (S11, S22, T12, XT11, XC11, XT22, XC22, S12)),
    5: ("GPNorrisInteraction", (S11, S22, T12, XT11, XC11, XT22, XC22, S12)),
    6: ("GPYamadaSunInteraction", (S11, T12, T13, XT11, XC11, S12, S13)),
    7: ("GPPolyCamanho", (S11, S22, S33, T12, T13, T23, XT11, XC11, XT22, XC22, S12, S13, S23, None, 0)),
    8: ("GPPolynomial", (S11, S22, S33, T12, T13, T23, XT11, XC11, XT22, XC22, XT33, XC33, S12, S13, S23, None, 0)),
}
FB = {
    1: GP[1], 2: GP[2],
    3: ("FBHashin", (S11, T12, T13, XT11, XC11, S12, S13, None)),
    4: ("FBChangChang", (S11, T12, XT11, XC11, S12)),
    5: ("FBChristensen", (S11, S22, S33, XT11, XC11)),
    6: GP[7], 7: GP[8], 8: GP[3], 9: GP[4], 10: GP[5], 11: GP[6],
    12: ("FBLaRC04", (S11, S22, S33, T12, T13, T23, XT11, XC11, XT22, XC22, S12, E[0], E[1], E[6], E[3], None, None,
                      None)),
    13: ("FBLaRC05", (S11, S22, S33, T12, T13, T23, XT11, XC11, XT22, XC22, S12, E[6], None, None, None, None)),
}


UP = STRESS * np.array([0.5, 1.3, 0.8, 1.1, 2.0, 1.7])   # the upper ply's stresses at an interface
ORI_UP = ORI.copy()
ORI_UP[:, ISEC - 1] = (10.0, 55.0, -30.0)


def mc_table(a0=53.0, sainc=5.0, gsflag=1, dang=-1.0, gp4=(0.3, 0.2, 0.15, 0.15), v5=None,
             v6=(0.3, 0.3, 0.25, 0.25, 0.5, 0.5), stress=STRESS):
    S11, S22, S33, T12, T13, T23 = stress
    v5 = np.array(v5 if v5 is not None else (S12, S13, S23, 0.3, -0.3))
    v6 = np.array(v6)
    th = lambda: np.array([dang])  # noqa: E731  a fresh in/out angle per call
    sh = (S22, S33, T12, T13, T23)
    return {
        1: ("MCrckHashinPS", (S22, T12, XT22, XC22, S12, S23)),
        2: ("MCrckHashin3D", (S22, T12, T13, T23, XT22, XC22, S12, S23)),
        3: ("MCrckHashinComplete", sh + (XT22, XC22, S12, S23)),
        4: ("MCrckHashin1989", sh + (XT22, XC22, XT33, XC33, S12, S13, S23)),
        5: ("MCrckChai", (S22, T12, T23, XT22, XC22, S12, S23, None)),
        6: ("MCrckChangChang", (S22, T12, XT22, XC22, S12)),
        7: ("MCrckCuntze2004", sh + (XT22, XC22, S12, S13, None, None)),
        8: ("MCrckCuntze2012", sh + (XT22, XC22, S12, None, None)),
        9: ("MCrckPuck", sh + (XT22, XC22, S12, th(), np.array(gp4), sainc, gsflag, None)),
        10: ("MCrckWiegand", sh + (XT22, XC22, S12, th(), a0, sainc, gsflag)),
        11: ("MCrckCamanho", sh + (XT22, XC22, S12, S23, th(), a0, sainc, gsflag)),
        12: ("MCrckSPC3D", sh + (XT11, XC11, XT22, XC22, XT33, XC33, S12, S13, S23, v5[:3].copy(), th(),
                                 v5[3:].copy(), sainc, None, gsflag)),
        13: ("MCrckVDI2014", (S11,) + sh + (XT11, XC11, XT22, XC22, S12, th(), v6[:4].copy(), v6[4:].copy(), sainc,
                                            gsflag)),
        14: ("MCrckLaRC04", (S11,) + sh + (XT11, XC11, XT22, XC22, S12, E[0], E[1], E[6], E[3], None, None, None,
                                           sainc, None, gsflag)),
        15: ("MCrckLaRC05", sh + (XT22, XC22, S12, None, th(), sainc, gsflag)),
    }


def mc(vx, flag, params=(), stress=STRESS, **kw):
    pd = np.full((len(params), NL, NS), -7.0, order="F")  # other plies' lists must not be read
    pd[:, LAYER - 1, ISEC - 1] = params
    return vx.damage.matrixcracking(stress, PE, PS, pd, ORI, LAYER, ISEC, flag, **kw)


def test_general_and_fibre_selectors_call_their_criteria(vx, lib):
    for flag, (name, args) in GP.items():
        f, r = vx.damage.generalfailure(STRESS, PS, ORI, LAYER, ISEC, flag)
        assert r == native(lib, name, *args) and f == float(r >= 1.0), name
    for flag, (name, args) in FB.items():
        f, r = vx.damage.fiberbreakage(STRESS, PE, PS, ORI, LAYER, ISEC, flag)
        assert r == native(lib, name, *args) and f == float(r >= 1.0), name
    assert vx.damage.generalfailure(STRESS, PS, ORI, LAYER, ISEC, 0) == (0.0, 0.0)
    # an effort of exactly one fails the ply
    s = np.array([XT11, 0, 0, 0, 0, 0])
    assert vx.damage.generalfailure(s, PS, ORI, LAYER, ISEC, 1) == (1.0, 1.0)
    assert vx.damage.fiberbreakage(s, PE, PS, ORI, LAYER, ISEC, 1) == (1.0, 1.0)
    assert error_record(vx)[0] == 0


def test_matrix_selectors_with_default_parameters(vx, lib):
    for flag, (name, args) in mc_table().items():
        f, r, th = mc(vx, flag)
        assert r == native(lib, name, *args) and f == float(r >= 1.0), name
        assert th == -1.0  # the ply holds, the angle stays
    assert error_record(vx)[0] == 0


MESSAGES = {
    "generalfailure": "Warning: Default case in GeneralFailure subroutine.Please check your input param",
    "fiberbreakage": "Warning: Default case in FiberBreakage subroutine.Please check your input parame",
    "matrixcracking": "Warning: Default case in MatrixCracking subroutine. Please check your input para",
    "delamination": "Warning: Default case in Delamination subroutine. Please check your input parame",
    "corecrushing": "Warning: Default case in CoreCrushing subroutine. Please check your input parame",
}


def call(vx, name, flag, stress=STRESS, upper=STRESS, ps=PS, layer=LAYER, isec=ISEC):
    d = vx.damage
    if name == "generalfailure":
        return d.generalfailure(stress, ps, ORI, layer, isec, flag)
    if name == "fiberbreakage":
        return d.fiberbreakage(stress, PE, ps, ORI, layer, isec, flag)
    if name == "matrixcracking":
        return d.matrixcracking(stress, PE, ps, np.zeros((0, NL, NS)), ORI, layer, isec, flag, outtheta=-2.0)
    if name == "delamination":
        return d.delamination(stress[2], stress, upper, PE, ps, ORI, THK, layer, isec, flag)
    return d.corecrushing(stress, ps, ORI, layer, isec, flag)


@pytest.mark.parametrize("name,top", [("generalfailure", 9), ("fiberbreakage", 14), ("matrixcracking", 16),
                                      ("delamination", 8), ("corecrushing", 3)])
def test_selector_outside_the_table_warns(vx, name, top):
    for flag in (top, -1, -2147483648):
        vx.errorhandling.rsxerr(1)
        out = call(vx, name, flag)
        assert out[:2] == (0.0, 0.0)
        if name == "matrixcracking":
            assert out[2] == -2.0  # the angle is left alone
        assert error_record(vx) == (-2, MESSAGES[name])
    vx.errorhandling.rsxerr(1)
    out = call(vx, name, top - 1)
    assert out[0] in (0.0, 1.0) and error_record(vx)[0] == 0
    if name == "corecrushing":  # a valid selector that evaluates nothing
        assert out == (0.0, 0.0)


@pytest.mark.parametrize("name", list(MESSAGES))
def test_ply_or_section_out_of_range_is_recorded_not_failed(vx, name):
    for layer, isec in ((0, 1), (NL + 1, 1), (1, 0), (1, NS + 1)) + (((NL, 1),) if name == "delamination" else ()):
        vx.errorhandling.rsxerr(1)
        assert call(vx, name, 1, layer=layer, isec=isec)[:2] == (0.0, 0.0)
        assert error_record(vx)[0] == -2


def test_parameter_list_rules(vx, lib):
    default = mc(vx, 9)[1]
    # no list, a list ended at once, and an unset entry anywhere: all defaults
    assert mc(vx, 9, (1.7976931348623157e308, 2.0, 0.0))[1] == default
    assert mc(vx, 9, (0.4, -1.0, 0.2, 0.2))[1] == default
    assert mc(vx, 9, (0.9, 7.0, 1e9), defreal=7.0)[1] == default
    # Puck: four values are the inclinations; two or six give only step and search kind from the last two.
    # Wiegand: one value is the fracture angle of pure compression. SPC3D and VDI2014 take their
    # vectors whole. Any other criterion: the first value is a preset angle (degrees in, radians out).
    gp, v5, v6 = (0.35, 0.25, 0.2, 0.2), (70.0, 80.0, 35.0, 0.25, -0.2), (0.2, 0.3, 0.2, 0.25, 0.4, 0.6)
    for flag, params, kw in ((9, gp, dict(gp4=gp)), (9, gp + (2.0, 0.7), dict(sainc=2.0, gsflag=0)),
                             (9, (7.5, 0.0), dict(sainc=7.5, gsflag=0)),
                             (10, (50.0,), dict(a0=50.0)), (12, v5, dict(v5=v5)), (13, v6, dict(v6=v6)),
                             (15, (30.0,), dict(dang=math.radians(30.0)))):
        name, args = mc_table(**kw)[flag]
        assert mc(vx, flag, params)[1] == native(lib, name, *args), (flag, params)


def test_fracture_angle_returned_only_for_a_failing_ply(vx, lib):
    failing = STRESS * 6.0
    table = mc_table(stress=failing)
    for flag in (9, 10, 11, 12, 13, 15):
        f, r, th = mc(vx, flag, stress=failing)
        name, args = table[flag]
        # the criterion called alone with a negative angle reports the same angle
        direct = next(a for a in args if isinstance(a, np.ndarray) and a.shape == (1,))
        assert f == 1.0 and r == native(lib, name, *args) and th == direct[0] >= 0.0
        # a caller that does not ask keeps its value
        assert mc(vx, flag, stress=failing, outtheta=0.25)[2] == 0.25
    # a preset positive angle goes back when the ply fails
    f, r, th = mc(vx, 15, (30.0,), stress=failing)
    assert f == 1.0 and th == 0.5235987755982988
    # so it does for a closed-form criterion, which searches no plane; a holding ply keeps the caller's value
    assert mc(vx, 5, (30.0,), stress=failing)[::2] == (1.0, 0.5235987755982988)
    assert mc(vx, 5, (30.0,))[::2] == (0.0, -1.0)


def test_delamination_selectors_call_their_criteria(vx, lib):
    up, ori, s33i = UP, ORI_UP, -4.0
    xu = PS[:, LAYER, ISEC - 1]
    thk = THK.copy()
    thk[LAYER, ISEC - 1] = 0.4

    def both(name, low, upp):
        return max(native(lib, name, *low), native(lib, name, *upp))

    spc = lambda s, x: (s[1], s[2], s[3], s[4], s[5], *x[[0, 3, 1, 4, 2, 5, 6, 7, 8]], None, None, None, 1.0,  # noqa: E731
                        np.array([178.0, 182.0]), 0)
    expect = {
        1: chai_interface(vx, lib, PE, PS, ori, thk, STRESS, up),
        3: both("DelPuck", (s33i, T13, T23, XT22, XC22, ILSS, None), (s33i, up[4], up[5], xu[1], xu[4], xu[9], None)),
        4: both("MCrckSPC3D", spc(STRESS, X), spc(up, xu)),
        5: both("DelHashin", (s33i, T13, T23, XT22, XC22, ILSS), (s33i, up[4], up[5], xu[1], xu[4], xu[9])),
        6: both("DelOchoaEngblom", (s33i, T13, T23, XT33, XC33, ILSS), (s33i, up[4], up[5], xu[2], xu[5], xu[9])),
        7: both("DelLee", (s33i, T12, T13, XT33, XC33, ILSS), (s33i, up[3], up[4], xu[2], xu[5], xu[9])),
    }
    for flag, r in expect.items():
        f, got = vx.damage.delamination(s33i, STRESS, up, PE, PS, ori, thk, LAYER, ISEC, flag)
        assert got == r and f == float(r >= 1.0), flag
    # the upper ply decides here, so a driver that skipped it would fail
    r_low = native(lib, "DelOchoaEngblom", s33i, T13, T23, XT33, XC33, ILSS)
    assert expect[5] > native(lib, "DelHashin", s33i, T13, T23, XT22, XC22, ILSS) and expect[6] > r_low
    ps = PS.copy()
    ps[2, LAYER, ISEC - 1] = 0.0  # upper Xt33 missing: only the lower ply counts
    assert vx.damage.delamination(s33i, STRESS, up, PE, ps, ori, thk, LAYER, ISEC, 6)[1] == r_low
    # Choi-Chang takes the lower ILSS when the upper one is not given
    ps[9, LAYER, ISEC - 1] = 0.0
    ref = native(lib, "DelChoiChang", S22, T13, T23, XT22, XC22, ILSS, ILSS, None)
    assert vx.damage.delamination(s33i, STRESS, STRESS, PE, ps, ori, thk, LAYER, ISEC, 2)[1] == ref


def chai_interface(vx, lib, pe, ps, ori, thk, lower, upper):
    """Delamination effort (selector 1) of the interface above ply LAYER,
    from the Chai factors formed afresh and the criterion called directly."""
    e, eu = pe[:, LAYER - 1, ISEC - 1], pe[:, LAYER, ISEC - 1]
    x, xu = ps[:, LAYER - 1, ISEC - 1], ps[:, LAYER, ISEC - 1]
    q = [vx.lamina.getnyestiffnessmatrix(v, 3) for v in (e, eu)]
    fac = vx.laminate.getchaidelamfactors(q[0], q[1], ori[LAYER - 1, ISEC - 1] - ori[LAYER, ISEC - 1],
                                          thk[LAYER - 1, ISEC - 1], thk[LAYER, ISEC - 1], e[8], eu[8], e[7], eu[7])
    return native(lib, "DelChai", lower[1], lower[4], upper[5], x[1], x[4], xu[8], x[9], *fac)


def test_delamination_follows_every_change_of_the_interface(vx, lib):
    """The interface factors may be kept between calls: each constant they
    use, the angles and the thicknesses must be taken anew when they change."""
    ori = ORI_UP
    base = (PE, PS, ori, THK)
    variants = [base]
    for row, ply in ((0, 0), (1, 0), (3, 0), (7, 0), (8, 0), (0, 1), (1, 1), (3, 1), (6, 1), (7, 1), (8, 1)):
        pe = PE.copy()
        pe[row, LAYER - 1 + ply, ISEC - 1] *= 1.25
        variants.append((pe, PS, ori, THK))
    for ply in (0, 1):
        o, t = ori.copy(), THK.copy()
        o[LAYER - 1 + ply, ISEC - 1] += 20.0
        t[LAYER - 1 + ply, ISEC - 1] *= 1.5
        variants += [(PE, PS, o, THK), (PE, PS, ori, t)]
    expect = [chai_interface(vx, lib, *v, STRESS, UP) for v in variants]
    assert len(set(expect)) == len(expect)  # every change moves the effort
    for _ in range(2):
        for v, r in zip(variants, expect):
            pe, ps, o, t = v
            assert vx.damage.delamination(0.0, STRESS, UP, pe, ps, o, t, LAYER, ISEC, 1)[1] == r


@pytest.mark.parametrize("driver,flags", [("GeneralFailure", range(1, 9)), ("FiberBreakage", range(1, 14)),
                                          ("MatrixCracking", range(1, 16)), ("Delamination", range(1, 8))])
@pytest.mark.parametrize("bad", [math.nan, math.inf])
def test_effort_that_is_not_finite_fails_the_ply_with_a_warning(vx, driver, flags, bad):
    for flag in flags:
        vx.errorhandling.rsxerr(1)
        # ply 1 of section 2: the warning's integer context names both, in that order
        f, r = call(vx, driver.lower(), flag, np.full(6, bad), layer=1, isec=2)[:2]
        assert not math.isfinite(r) and f == 1.0, (flag, f, r)
        assert error_record(vx) == (-2, f"Warning: {driver}: failure effort is not a finite number."), flag
        assert list(vx.errorhandling.errintv) == [1, 2], flag
        # a finite stress records nothing
        vx.errorhandling.rsxerr(1)
        f, r = call(vx, driver.lower(), flag, -STRESS)[:2]
        assert math.isfinite(r) and error_record(vx)[0] in (0, -1, -3), flag


def test_delamination_keeps_a_not_a_number_of_either_ply(vx):
    for flag in (3, 4, 5, 6, 7):
        up = STRESS.copy()
        up[4] = up[5] = math.nan  # upper ply's transverse shear: read by the upper-ply evaluation only
        f, r = call(vx, "delamination", flag, upper=up)
        assert math.isnan(r) and f == 1.0, flag
    ps = PS.copy()
    ps[9, LAYER, ISEC - 1] = math.nan  # the upper ply's interlaminar strength counts as given
    f, r = call(vx, "delamination", 5, ps=ps)
    assert math.isnan(r) and f == 1.0


def test_matrix_cracking_of_a_stress_that_is_not_a_number_keeps_the_angle_preset(vx):
    stress = STRESS.copy()
    stress[1] = math.nan
    for flag in (9, 15):
        f, r, th = vx.damage.matrixcracking(stress, PE, PS, np.zeros((0, NL, NS), order="F"), ORI, LAYER, ISEC, flag)
        assert math.isnan(r) and f == 1.0 and th == -1.0
