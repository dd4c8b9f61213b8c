"""A stress or strength that is not a finite number never passes a ply as intact: every
criterion of the five failure components gives a non-finite effort for it, and the drivers
record a warning and count the ply as failed. Likewise the degradation laws and the damage
store count a comparison with a NaN threshold, effort or flag as failure."""
import ctypes
import math

import numpy as np
import pytest

from conftest import _find_native_library, error_record
from test_damage_store import clear_store
from test_degradation import PE, PS
from test_degradation_fatigue import run as fatigue_run, state as fatigue_state

COMPONENTS = ("gpcollection", "fbcollection", "mccollection", "delcollection", "cccollection")
STRENGTH = {"xt11": 1500., "xc11": 1200., "xt22": 50., "xc22": 200., "xt33": 45., "xc33": 190., "x12": 80.,
            "x13": 75., "x23": 40., "ilss": 70., "xlnorm": 1500., "xtnorm": 50., "xlshear": 80., "xtshear": 40.,
            "xnorm": 50., "xshear": 80., "xt12": 80., "xt13": 75., "xt23": 40., "x23u": 40., "xt22l": 50.,
            "xc22l": 200., "ilssl": 70., "ilssu": 65., "xt11_std": 1500., "xc11_std": 1200., "xt22_std": 50.,
            "x23_std": 40., "x12_std": 80.}
OTHER = {"e11": 140e3, "e22": 10e3, "g12": 5e3, "nu12": 0.3, "df1": 1.0, "df2": 0.8, "df3": 1.2,
         "besantexponent": 2.0, "mu": 0.3}
# Ply stresses (11, 22, 33, 12, 13, 23): every branch of every criterion is taken by one of them.
BASES = ([10.] * 6, [-10.] * 6, [-30., 25., -15., 12., -8., 6.], [30., -25., 15., -12., 8., -6.],
         [-900., -150., 20., 60., 30., 25.])
COMPONENT = {"11": 0, "22": 1, "33": 2, "12": 3, "13": 4, "23": 5}


def is_stress(name):
    return name in ("stress", "stressvector") or name.startswith(("tao", "s1", "s2", "s3"))


def argument(name, st):
    if name in ("stress", "stressvector"):
        return np.array(st)
    if name.startswith("tao"):  # core shear stresses at one position: 23, 13
        return np.array([st[5], st[4]])
    if name in ("s33u", "s33m", "s33l"):
        return st[2]
    if is_stress(name):
        return st[COMPONENT[name[1:3]]]
    return STRENGTH[name] if name in STRENGTH else OTHER[name]


def routines(vx):
    """(component, name, routine, signature line) of every routine of the failure components."""
    for comp in COMPONENTS:
        c = getattr(vx, comp)
        for name in sorted(dir(c)):
            r = getattr(c, name)
            if type(r).__name__ == "routine":
                yield comp, name, r, r.__doc__.splitlines()[0]


def criteria(vx):
    """(name, routine, required arguments, has gsflag) of every criterion returning an effort."""
    out = []
    for _, name, r, sig in routines(vx):
        if "=" not in sig or not sig.split("=")[0].strip().startswith("r"):
            continue  # the damage-value potentials
        inside = sig[sig.index("(") + 1:sig.rindex(")")].split("[")[0]
        args = [a.strip() for a in inside.split(",") if a.strip()]
        out.append((name, r, args, "gsflag" in sig))
    return out


def test_every_criterion_is_in_the_table(vx):
    # 8 general, 7 fibre, 17 matrix, 6 delamination, 2 core
    assert len(criteria(vx)) == 40


def effort(r, args, kw):
    out = r(*args, **kw)
    return out[0] if isinstance(out, tuple) else out


def replaced(args, i, j, x):
    args = list(args)
    if isinstance(args[i], np.ndarray):
        args[i] = args[i].copy()
        args[i][j] = x
    else:
        args[i] = x
    return args


def slots(names, args, want_stress):
    """(argument, element) of every stress (or strength) entry."""
    for i, a in enumerate(names):
        if a in OTHER or is_stress(a) != want_stress:
            continue
        for j in range(len(args[i]) if isinstance(args[i], np.ndarray) else 1):
            yield i, j


@pytest.mark.parametrize("k", range(40))
def test_non_finite_stress_or_strength_gives_a_non_finite_effort(vx, k):
    """An input counts as read where finite values of it change the effort; reading NaN or an
    infinite stress there must not give a number (an infinite strength is a limit and may)."""
    name, r, names, gs = criteria(vx)[k]
    kinds = ((True, (3.7, -53.1, 400., -700., 4000., -4000.), (math.nan, math.inf, -math.inf)),
             (False, (30., 70., 900., 5000.), (math.nan,)))
    read = set()
    for st in BASES:
        args = [argument(a, st) for a in names]
        for kw in ({"gsflag": 0}, {"gsflag": 1}) if gs else ({},):
            for want_stress, probes, bads in kinds:
                for i, j in slots(names, args, want_stress):
                    if len({effort(r, replaced(args, i, j, x), kw) for x in probes}) == 1:
                        continue
                    read.add((i, j))
                    for bad in bads:
                        e = effort(r, replaced(args, i, j, bad), kw)
                        assert not math.isfinite(e), (name, names[i], j, bad, st, kw, e)
    # every stress the criterion takes is read in one of the states, so none went untested
    args = [argument(a, BASES[0]) for a in names]
    unread = set(slots(names, args, True)) - read
    assert not unread, (name, [names[i] for i, _ in unread])


@pytest.mark.parametrize("gsflag", [0, 1])
def test_search_that_meets_not_a_number_reports_no_angle(vx, gsflag):
    m = vx.mccollection
    state = (-300.0, math.nan, 80.0, 0.0, 25.0)  # far beyond failure but for the NaN
    rmc, outtheta, tcflag = m.mcrckpuck(*state, 50., 200., 80., outtheta=-1.0, gsflag=gsflag, tcflag=0)
    assert math.isnan(rmc) and outtheta == -1.0 and tcflag == 0
    rmc, outtheta = m.mcrcklarc05(*state, 50., 200., 80., outtheta=-1.0, gsflag=gsflag)
    assert math.isnan(rmc) and outtheta == -1.0
    # an infinite exposure is a failure on a real plane
    rmc, outtheta = m.mcrckspc3d(-math.inf, 0., 0., 0., 0., 1500., 1200., 50., 200., 45., 190., 80., 75., 40.,
                                 gsflag=gsflag)
    assert rmc == math.inf and math.radians(2.0) <= outtheta <= math.radians(178.0)


def test_damage_potentials_of_a_stress_that_is_not_a_number(vx):
    g = vx.gpcollection
    s = np.array([10., math.nan, 0., 0., 0., 0.])
    d, di1 = np.array(0.2), np.array(0.0)
    g.gpdruckerprager(s, 50., 150., d, di1)  # left the damage at 0.2 before
    assert math.isnan(d) and math.isnan(di1)
    d = np.array(0.2)
    g.gpbauwens(s, 50., 150., d)
    assert math.isnan(d) and math.isnan(g.gpraghava(s, 50., 150.)) and math.isnan(g.gpha(s, 50., 150., 2.0)[0])


# Model parameters of the criteria (angles, friction and inclination parameters, weakening and
# interaction factors, exponents, the plane search's range and step), each with its value in the
# base call and finite values that tell whether a call reads it.
PARAMETERS = {
    "a0": (53.0, (35.0, 50.0, 60.0)),
    "sainc": (5.0, (1.0, 2.5, 7.0)),
    "salims": ((2.0, 178.0), ((2.0, 10.0, 40.0), (140.0, 170.0, 178.0))),
    "wp": ((0.5, 0.5), (0.3, 0.5, 0.7)),
    "xcs": ((80.0, 75.0, 40.0), (40.0, 80.0, 150.0)),
    "gc": ((0.2, 0.6), (0.1, 0.4, 1.5)),
    "xint": (-0.5, (-0.8, -0.3, 0.4)),
    "mint": (2.5, (2.0, 2.5, 3.0)),
    "alpha": (1.0, (0.0, 0.5, 1.5)),
    "mu": (0.3, (0.1, 0.3, 0.6)),
    "interphase": ((60.0, 0.3), (None, (0.1, 0.3, 0.6))),  # a strength, then a friction coefficient
    "besantexponent": (2.0, (1.5, 2.0, 3.0)),
    "df1": (1.0, (0.5, 1.0, 1.5)), "df2": (0.8, (0.5, 1.0, 1.5)), "df3": (1.2, (0.5, 1.0, 1.5)),
}
GP = {"mcrckpuck": (0.3, 0.2, 0.15, 0.15), "mcrckvdi2014": (0.3, 0.3, 0.25, 0.25), "mcrckspc3d": (0.3, -0.3),
      "delpuck": (0.3, 0.2, 0.15, 0.15), "mcrckcuntze2004": (0.13, 1.5, 0.4), "mcrckcuntze2012": (0.16, 1.16)}
GP_PROBES = (-0.4, 0.1, 0.45)


def parameter_cases():
    import _vexlan

    out = []
    for comp, name, _, sig in routines(_vexlan):
        inside = sig[sig.index("(") + 1:sig.rindex(")")].replace("[", "").replace("]", "")
        for p in (a.strip() for a in inside.split(",")):
            if p in PARAMETERS or (p == "gp" and name in GP):
                out.append((comp, name, p))
    return out


def parameter_values(name, p):
    """(value in the base call, finite probes per entry) of parameter p."""
    if p == "gp":
        return GP[name], [GP_PROBES] * len(GP[name])
    base, probes = PARAMETERS[p]
    if isinstance(base, tuple):
        per_entry = not isinstance(probes[0], float)
        return base, list(probes) if per_entry else [probes] * len(base)
    return base, [probes]


@pytest.mark.parametrize("comp,name,p", parameter_cases())
def test_non_finite_model_parameter_never_reads_as_a_number(vx, comp, name, p):
    """A parameter counts as read where finite values of it change the effort; there, NaN and
    infinite values must give a non-finite effort or record status -2."""
    r = getattr(getattr(vx, comp), name)
    sig = r.__doc__.splitlines()[0]
    inside = sig[sig.index("(") + 1:sig.rindex(")")].split("[")[0]
    names = [a.strip() for a in inside.split(",") if a.strip()]
    base, probes = parameter_values(name, p)
    read = 0
    for st in BASES:
        for gs in ({"gsflag": 0}, {"gsflag": 1}) if "gsflag" in sig else ({},):
            for j, finite in enumerate(probes):
                if finite is None:
                    continue

                def call(x):
                    v = np.array(base, float) if isinstance(base, tuple) else x
                    if isinstance(base, tuple):
                        v[j] = x
                    args = [v if a == p else argument(a, st) for a in names]
                    kw = dict(gs) if p in names else dict(gs, **{p: v})
                    vx.errorhandling.rsxerr(1)
                    return effort(r, args, kw), int(vx.errorhandling.errstat)
                if len({call(x)[0] for x in finite}) == 1:
                    continue
                read += 1
                for bad in (math.nan, math.inf, -math.inf):
                    e, status = call(bad)
                    assert not math.isfinite(e) or status == -2, (name, p, j, bad, st, gs, e)
    assert read, (name, p)  # a parameter no state reads tests nothing


# Unknown thresholds and efforts of the degradation laws and the damage store:
# a comparison with a NaN has no verdict, so it counts as failure (with -2
# recorded), never as an intact ply. Each case gives what failed after the call.


def _sudden(vx, g_f, g_m, ttol, nm=None, viscous=False):
    """(fibre, matrix): True when failed (the effort set to 1.0 and E1, or E2,
    discounted to a tenth), False when intact (effort and entry as they came;
    fibre failure lowers E2 too, so the matrix is judged by E2 only without it)."""
    args = [PE.copy(), PS.copy(), PE, PS, np.ones(6), np.ones(9), g_f, g_m, np.array(ttol, float), 0.1]
    if viscous:
        args += [np.array(0.1), 0.0, 1.0]  # no viscosity: the plain tenth
    extra = {} if nm is None else {"nm": np.array(nm, float)}
    r = (vx.degradation.suddendegradation_viscouse if viscous else vx.degradation.suddendegradation)(*args, **extra)

    def verdict(g_in, g_out, entry, undegraded):
        if g_out == 1.0 and entry == pytest.approx(0.1 * undegraded, rel=1e-14):
            return True
        if (g_out == g_in or math.isnan(g_in) and math.isnan(g_out)) and entry == undegraded:
            return False
        return "partly", g_out, entry

    fibre = verdict(g_f, r[4], r[0][0], PE[0])
    return fibre, verdict(g_m, r[5], r[0][1], 0.1 * PE[1] if fibre is True and r[5] != 1.0 else PE[1])


def _held_sudden(vx, where, k, viscous=False):
    """A ply under no load whose held value where[k] ("de", "df", "degpe", "degps") is NaN:
    (fibre, matrix) failed as _sudden judges them, and the value held after the call ("NaN")."""
    state = {"degpe": PE.copy(), "degps": PS.copy(), "de": np.ones(6), "df": np.ones(9)}
    state[where][k] = NAN
    args = [state["degpe"], state["degps"], PE, PS, state["de"], state["df"], 0.2, 0.2, np.array([1.0, 0.5]), 0.1]
    if viscous:
        args += [np.array(0.1), 0.0, 1.0]
    r = (vx.degradation.suddendegradation_viscouse if viscous else vx.degradation.suddendegradation)(*args)
    fibre = r[4] == 1.0 and r[0][0] == pytest.approx(0.1 * PE[0], rel=1e-14)
    matrix = r[5] == 1.0 and r[0][1] == pytest.approx(0.1 * PE[1], rel=1e-14)
    held = float(r[("degpe", "degps", "de", "df").index(where)][k])
    return fibre, matrix, "NaN" if math.isnan(held) else pytest.approx(held, rel=1e-14)


def _viscous(vx, degr_old=1.0, eta=0.0, de3=1.0, g=0.2):
    """(E1 discounted, E2 discounted, de(2..6), degr_old) after a viscous call with a NaN in its
    regularisation."""
    de, old = np.ones(6), np.array(degr_old)
    de[2] = de3
    r = vx.degradation.suddendegradation_viscouse(PE.copy(), PS.copy(), PE, PS, de, np.ones(9), g, g,
                                                  np.array([1.0, 0.5]), 0.1, old, eta, 1.0)
    assert len(set(r[2][1:])) == 1  # de(2..6) share the matrix fraction
    return (bool(r[0][0] != PE[0]), bool(r[0][1] != PE[1]), pytest.approx(float(r[2][1]), rel=1e-14),
            pytest.approx(float(old), rel=1e-14))


def _extent(vx, mdmg):
    """Whether the region grew to cover the point."""
    return tuple(vx.damage.getextentofprojecteddamage([1.0, 1.0], [0, 5, 0], [0, 0, 0], np.eye(3), 0.0, mdmg)) \
        == (1.0, 5.0)


def _update(vx, sdv):
    """Which of the five mode regions of ply 1 grew to cover the point."""
    clear_store(vx)
    vx.sectiondata.nplies, vx.sectiondata.nsec = 2, 1
    vx.sectiondata.plyorientation = np.array([[0.0], [90.0]])
    vx.sectiondata.plythickness = np.array([[0.25], [0.25]])
    try:
        vx.damage.updatedds(np.array(sdv, float), [2.0, 0, 0], [0, 0, 0], np.eye(3), 1, 1, 1)
        d = vx.damagedata
        return tuple(bool(a[0, 0, 0] == 2.0) for a in (d.generaldds, d.fiberdds, d.matrixdds, d.delamdds,
                                                        d.coredds))
    finally:
        clear_store(vx)
        vx.sectiondata.nplies = vx.sectiondata.nsec = 0


def _fatigue(vx, form, **stress):
    """(every factor at degr_fac, nm at least 1, cjump_nf the largest double in form 2)."""
    out = fatigue_run(vx, fatigue_state(dmgflag=form, **stress))
    big = np.finfo(float).max
    factors = [out[k] for k in ("de", "df_t", "df_c")]
    at_degr_fac = all(math.isnan(f) for f in factors) if math.isnan(stress.get("degr_fac", 0.0)) else \
        factors == [0.01] * 3
    return (at_degr_fac, out["nm"] >= 1.0, out["cjump_nf"] == big if form == 2 else out["cjump_nf"] == 0.0)


def _stiffness(vx, form, **kw):
    """Stiffness factor after one cycle jump of a tension-dominated cycle ("NaN" when unknown)."""
    de = fatigue_run(vx, fatigue_state(dmgflag=form, **kw))["de"]
    return "NaN" if math.isnan(de) else de


def _nan_outputs(vx, **kw):
    """Which results of one fatigue call are NaN."""
    out = fatigue_run(vx, fatigue_state(**kw))
    return {k for k in ("nm", "de", "df_t", "df_c", "cjump_nf") if math.isnan(out[k])}


def _jump(vx, **kw):
    """(cjump_nf, or "NaN", and whether the factors and nm are those of lim 0.05) after one jump in form 2."""
    out = fatigue_run(vx, fatigue_state(dmgflag=2, n=3000.0, **kw))
    ref = fatigue_run(vx, fatigue_state(dmgflag=2, n=3000.0, **dict(kw, lim=0.05)))
    same = all(out[k] == ref[k] for k in ("nm", "de", "df_t", "df_c"))
    return "NaN" if math.isnan(out["cjump_nf"]) else out["cjump_nf"], same


def _sudden_fraction(vx, g_f, g_m, degrfac):
    """(E1, E2) after a plain ply discount with the given retained fraction."""
    r = vx.degradation.suddendegradation(PE.copy(), PS.copy(), PE, PS, np.ones(6), np.ones(9), g_f, g_m,
                                         np.array([1.0, 0.5]), degrfac)
    return tuple(float(x) if x == x else "NaN" for x in r[0][:2])


NAN, INF = math.nan, math.inf
SUDDEN = "NaN failure effort or threshold in SuddenDegradation"
HELD = "NaN held factor or shear modulus in SuddenDegradation"
VISCOUS = "NaN degradation factor in SuddenDegradation_viscouse"
FATIGUE_FACTOR = "NaN factor in GradualDegradation: life counted as used up"
FATIGUE_LIFE = "NaN life in GradualDegradation: life counted as used up"
FATIGUE_CYCLE = "NaN cycle number in GradualDegradation: life counted as used up"
FATIGUE_BOUND = "NaN cycle jump bound in GradualDegradation"
FRACTION = "NaN degradation factor in SuddenDegradation"
UNKNOWN_THRESHOLD_CASES = [
    # call, expected outcome, expected error record
    ("ttol(1) NaN, g_f 1.5", lambda vx: _sudden(vx, 1.5, 0.2, [NAN, 0.5]), (True, True), (-2, SUDDEN)),
    ("ttol(1) NaN, nothing loaded", lambda vx: _sudden(vx, 0.0, 0.0, [NAN, 0.5]), (True, True), (-2, SUDDEN)),
    ("g_f NaN", lambda vx: _sudden(vx, NAN, 0.2, [1.0, 0.5]), (True, False), (-2, SUDDEN)),
    ("g_m NaN", lambda vx: _sudden(vx, 0.2, NAN, [1.0, 0.5]), (False, True), (-2, SUDDEN)),
    ("ttol(2) NaN with mode values", lambda vx: _sudden(vx, 0.0, 0.0, [1.0, NAN], nm=[0.1] * 6), (True, True),
     (-2, SUDDEN)),
    ("mode value of matrix NaN", lambda vx: _sudden(vx, 0.0, 0.0, [1.0, 0.5], nm=[0.1, 0, NAN, 0, 0, 0]),
     (False, True), (-2, SUDDEN)),
    # without mode values there is nothing for ttol(2) to judge
    ("ttol(2) NaN, no mode values", lambda vx: _sudden(vx, 0.2, 0.2, [1.0, NAN]), (False, False), (0, None)),
    ("ttol(2) NaN, mode values unset", lambda vx: _sudden(vx, 0.2, 0.2, [1.0, NAN], nm=[-1.0] * 6),
     (False, False), (0, None)),
    ("viscous, ttol(1) NaN", lambda vx: _sudden(vx, 1.5, 0.2, [NAN, 0.5], viscous=True), (True, True),
     (-2, SUDDEN + "_viscouse")),
    # a held value of NaN has lost its history: the minimum with the new value would
    # pass over it, so an unloaded ply came back intact
    ("held E1 factor NaN", lambda vx: _held_sudden(vx, "de", 0), (True, False, 0.1), (-2, HELD)),
    ("held shear factor NaN", lambda vx: _held_sudden(vx, "de", 4), (False, True, 0.1), (-2, HELD)),
    ("held fibre strength factor NaN", lambda vx: _held_sudden(vx, "df", 1), (True, False, 0.1), (-2, HELD)),
    ("held transverse strength factor NaN", lambda vx: _held_sudden(vx, "df", 8), (False, True, 0.1), (-2, HELD)),
    ("held G13 NaN", lambda vx: _held_sudden(vx, "degpe", 7), (True, False, 0.1 * PE[7]), (-2, HELD)),
    ("held G23 NaN", lambda vx: _held_sudden(vx, "degpe", 8), (False, True, 0.1 * PE[8]), (-2, HELD)),
    # a NaN held strength is not passed over: it stays while its mode does not fail
    ("held compressive fibre strength NaN", lambda vx: _held_sudden(vx, "degps", 1), (False, False, "NaN"),
     (0, None)),
    ("viscous, held E1 factor NaN", lambda vx: _held_sudden(vx, "de", 0, viscous=True), (True, False, 0.1),
     (-2, HELD + "_viscouse")),
    ("held values known", lambda vx: _sudden(vx, 0.2, 0.2, [1.0, 0.5]), (False, False), (0, None)),
    # a regularised fraction of NaN has lost its mode's history: the mode fails with total loss,
    # stored so
    ("viscous, eta NaN", lambda vx: _viscous(vx, eta=NAN), (True, True, 0.0, 0.0), (-2, VISCOUS)),
    ("viscous, dt NaN", lambda vx: vx.degradation.suddendegradation_viscouse(
        PE.copy(), PS.copy(), PE, PS, np.ones(6), np.ones(9), 0.2, 0.2, np.array([1.0, 0.5]), 0.1, np.array(1.0),
        0.0, NAN)[2][1], 0.0, (-2, VISCOUS)),
    ("viscous, degr_old NaN", lambda vx: _viscous(vx, degr_old=NAN), (True, True, 0.0, 0.0), (-2, VISCOUS)),
    ("viscous, matrix factor NaN", lambda vx: _viscous(vx, de3=NAN), (False, True, 0.0, 0.1), (-2, VISCOUS)),
    ("viscous, matrix factor NaN, failed", lambda vx: _viscous(vx, de3=NAN, g=1.5), (True, True, 0.0, 0.1),
     (-2, VISCOUS)),
    ("viscous, every value known", lambda vx: _viscous(vx, eta=1.0), (False, False, 0.55, 0.55), (0, None)),
    ("growth step, flag NaN", lambda vx: _extent(vx, NAN), True,
     (-2, "NaN failure flag in getextentofprojecteddamage")),
    ("store growth, matrix flag NaN", lambda vx: _update(vx, [0, 1.0, NAN, 0, 0]),
     (False, True, True, False, False), (-2, "NaN failure flag in UpdateDDS")),
    ("fatigue accumulation, peak NaN", lambda vx: _fatigue(vx, 1, speak_t=NAN), (True, True, True),
     (-2, "NaN stress in GradualDegradation: life counted as used up")),
    # the minimum of a NaN and a number is the number: alone it would read as a constant stress
    ("fatigue cycle jump, bottom NaN", lambda vx: _fatigue(vx, 2, sbottom_t=NAN), (True, True, True),
     (-2, "NaN stress in GradualDegradation: life counted as used up")),
    ("fatigue, compression peak NaN", lambda vx: _fatigue(vx, 2, speak_c=NAN), (True, True, True),
     (-2, "NaN stress in GradualDegradation: life counted as used up")),
    # an infinite stress is no known state either: both of a half infinite gave a NaN stress ratio,
    # read as a constant stress, and one alone a life of one cycle, an intact other half or a NaN nm
    *((f"fatigue {name}, {label}", (lambda form, kw: lambda vx: _fatigue(vx, form, **kw))(form, kw),
       (True, True, True), (-2, "Infinite stress in GradualDegradation: life counted as used up"))
      for form, name in ((1, "accumulation"), (2, "cycle jump"))
      for label, kw in (("peak and bottom +inf", dict(speak_t=INF, sbottom_t=INF)),
                        ("peak and bottom -inf", dict(speak_t=-INF, sbottom_t=-INF)),
                        ("peak +inf, bottom -inf", dict(speak_t=INF, sbottom_t=-INF)),
                        ("peak +inf", dict(speak_t=INF)), ("bottom -inf", dict(sbottom_t=-INF)),
                        ("compression peak -inf", dict(speak_c=-INF)),
                        ("compression bottom +inf", dict(sbottom_c=INF)))),
    # a held factor or degr_fac of NaN: the minima would drop it, and degr_fac decides "used up"
    ("fatigue accumulation, stiffness factor NaN", lambda vx: _fatigue(vx, 1, de=NAN), (True, True, True),
     (-2, FATIGUE_FACTOR)),
    ("fatigue cycle jump, strength factor NaN", lambda vx: _fatigue(vx, 2, df_t=NAN), (True, True, True),
     (-2, FATIGUE_FACTOR)),
    ("fatigue cycle jump, life used up, degr_fac NaN", lambda vx: _fatigue(vx, 2, cjimp=1e12, degr_fac=NAN),
     (True, True, True), (-2, FATIGUE_FACTOR)),
    # the stiffness curve of a NaN exponent is unknown: the minimum must not pass over it
    ("fatigue cycle jump, gamma NaN", lambda vx: _stiffness(vx, 2, gamma=NAN), "NaN", (0, None)),
    ("fatigue cycle jump, lambda NaN", lambda vx: _stiffness(vx, 2, **{"lambda": NAN}), "NaN", (0, None)),
    ("fatigue accumulation, gamma NaN", lambda vx: _stiffness(vx, 1, gamma=NAN), "NaN", (0, None)),
    ("fatigue cycle jump, exponents known", lambda vx: _stiffness(vx, 2) < 1.0, True, (0, None)),
    # a constant of the life relation of NaN gives a NaN life: the cycle jump dropped the active
    # factors alone to degr_fac and left the other intact, nm NaN
    *((f"fatigue {name}, {p} NaN", (lambda form, p: lambda vx: _fatigue(vx, form, **{p: NAN}))(form, p),
       (True, True, True), (-2, FATIGUE_LIFE))
      for form, name in ((1, "accumulation"), (2, "cycle jump")) for p in ("xctratio", "a", "b", "u", "v")),
    ("fatigue, constant stress, a NaN", lambda vx: _stiffness(vx, 2, a=NAN, speak_t=0.5, sbottom_t=0.5), 1.0,
     (0, None)),
    # so does a NaN cycle number: n was read as not at the start, cjimp as past the life
    ("fatigue cycle jump, n NaN", lambda vx: _fatigue(vx, 2, n=NAN), (True, True, True), (-2, FATIGUE_CYCLE)),
    ("fatigue cycle jump, cjimp NaN", lambda vx: _fatigue(vx, 2, cjimp=NAN), (True, True, True),
     (-2, FATIGUE_CYCLE)),
    ("fatigue accumulation, cjimp NaN", lambda vx: _fatigue(vx, 1, cjimp=NAN), (True, True, True),
     (-2, FATIGUE_CYCLE)),
    ("fatigue accumulation, held nm NaN", lambda vx: _fatigue(vx, 1, nm=NAN), (True, True, True),
     (-2, FATIGUE_CYCLE)),
    ("fatigue cycle jump later, beta_t NaN", lambda vx: _fatigue(vx, 2, n=3000.0, beta_t=NAN), (True, True, True),
     (-2, FATIGUE_CYCLE)),
    ("fatigue cycle jump later, beta_c NaN in compression",
     lambda vx: _fatigue(vx, 2, n=3000.0, beta_c=NAN, speak_t=-0.6, sbottom_t=-0.3, speak_c=-0.6, sbottom_c=-0.3),
     (True, True, True), (-2, FATIGUE_CYCLE)),
    # an intact strength gives its cycle number whatever alpha_t: the curve after the jump is unknown
    ("fatigue cycle jump later, alpha_t NaN",
     lambda vx: _nan_outputs(vx, dmgflag=2, n=3000.0, alpha_t=NAN), {"df_t", "cjump_nf"}, (-2, FATIGUE_BOUND)),
    # a bound of unknown drop is no bound: NaN and reported, the factors as with a known lim
    ("fatigue cycle jump, lim NaN", lambda vx: _jump(vx, lim=NAN), ("NaN", True), (-2, FATIGUE_BOUND)),
    ("fatigue cycle jump, lim known", lambda vx: _jump(vx)[0] > 0.0, True, (0, None)),
    # the stiffness as the mean of the strength factors: a NaN one is not passed over
    ("fatigue cycle jump, stiffness tied to the strengths, alpha_c NaN",
     lambda vx: _stiffness(vx, 2, alpha_t=3.0, beta_t=1.2, alpha_c=NAN), "NaN", (0, None)),
    ("fatigue cycle jump, stiffness tied to the strengths",
     lambda vx: _stiffness(vx, 2, alpha_t=3.0, beta_t=1.2) < 1.0, True, (0, None)),
    # a NaN retained fraction is total loss where it is applied, as in the viscous variant
    ("degrfac NaN, fibre failed", lambda vx: _sudden_fraction(vx, 1.5, 0.2, NAN), (0.0, 0.0), (-2, FRACTION)),
    ("degrfac NaN, matrix failed", lambda vx: _sudden_fraction(vx, 0.2, 1.5, NAN), (PE[0], 0.0), (-2, FRACTION)),
    ("degrfac NaN, nothing failed", lambda vx: _sudden_fraction(vx, 0.2, 0.2, NAN), (PE[0], PE[1]),
     (-2, FRACTION)),
]


# The same rule in the material laws, the damage evolution and the degradation
# factors: a NaN strain, damage, flag, length or yield constant never gives the
# elastic, undamaged or undented answer with a clean record. Each call returns
# what it decided; a finite neighbour of each case shows that its answer stays.


def _plastic(vx, a0, a1=10.0):
    """(stress NaN, tangent NaN) of a strain step that stays elastic for a0 = 400."""
    props = np.array([3000., 3200., 1100., 0.35, 0.35, a0, a1, 0.5])
    stress, ddsdde = vx.elasticity.getstressfromplastitcity(0.0, np.zeros(6), np.array([0.01, 0, 0, 0, 0, 0]),
                                                           props, 3, 8, 20.0)
    return bool(np.isnan(stress).all()), bool(np.isnan(ddsdde).all())


def _falzon(vx, stress, strain, w=0.0, epsi=0.004, epsu=0.01, gc=(0.2, 1.0, 0.6, 0.6), length=1.0):
    """Matrix damage after the call (history with its onset fixed unless epsi is 0)."""
    dsix = np.ones(6)
    hist = [np.array(epsi), np.array(epsu), np.array(0.0), np.array(0.0), np.array(w)]
    vx.degradation.falzondegradationparameters(np.array(stress, float), np.array(strain, float), 0.3, dsix, *hist,
                                               np.array(gc, float), np.array([1.0, length, length]))
    return float(hist[4])


def _falcom(vx, flags, scheme=5, rdisc=1.0):
    dds = np.zeros(10)
    for k, v in flags.items():
        dds[k - 1] = v
    return tuple(vx.degradation.falcomdegradation(dds, rdisc, scheme, 1))


def _bogenfeld(vx, length, sdv=(-1.0,) * 4, s22=40.0, g1=0.2):
    """(d NaN, stored final strain NaN) at the onset (or with the history sdv) of a strain well past it."""
    d, sdv = vx.degradation.bogenfelddegradation(np.array(sdv), [0, s22, 0, 0, 0, 20.], [0, 0.01, 0, 0, 0, 0.005],
                                                 [1.0, length, length], [0.3, g1, 1.0, 0.6, 0.6], 3)
    return math.isnan(d), math.isnan(sdv[3])


def _modes(vx, effort):
    """C11 of the stiffness after a fibre tension failure (mode 1 at 1): 0 in tension, half in compression."""
    d = np.zeros(9)
    d[0] = 1.0
    _, c = vx.degradation.degradationfrommodes(False, d_modes=d, effort=np.array(effort, float),
                                               moduli=np.array([140e3, 120e3, 10e3, 10e3, 10e3, 10e3, 4e3, 5e3, 5e3]),
                                               vnu=np.array([0.4, 0.3, 0.3]))
    return "NaN" if math.isnan(c[0, 0]) else c[0, 0]


def _buckling(vx, delam, e1=70e3):
    """Smallest buckling strain of two plies over one interface ("NaN" when unknown)."""
    pe = np.tile([70e3, 70e3, 70e3, 0.3, 0.3, 0.3, 26.9e3, 26.9e3, 26.9e3], (2, 1)).T.copy()
    pe[0, 0] = e1
    eps, _, _ = vx.sublaminate.delaminatedbucklinganalysis(500.0, pe, np.zeros(2), np.array([0.2, 0.5]),
                                                           np.array(delam, float)[:, None], [1])
    return "NaN" if math.isnan(eps) else eps


def _held(vx, routine, d):
    """Damage of a potential after a stress whose exposure is 0.2 (xt 50, xc 150), from the held d."""
    stress = np.array([10.0, 0, 0, 0, 0, 0])
    if routine == "gpbauwens":
        held = np.array(d)
        vx.gpcollection.gpbauwens(stress, 50.0, 150.0, held)
        return "NaN" if math.isnan(held) else float(held)
    # only a C caller passes the held damage of Raghava's potential
    held = ctypes.c_double(d)
    ptr = stress.ctypes.data_as(ctypes.c_void_p)
    ctypes.CDLL(_find_native_library()).GPRaghava(ptr, ctypes.byref(ctypes.c_double(50.0)),
                                                  ctypes.byref(ctypes.c_double(150.0)), ctypes.byref(held))
    return "NaN" if math.isnan(held.value) else held.value


def _gpha_life(vx, stress, xc=150.0):
    """(d NaN, life) of GPHa with np 2."""
    d, *_, life = vx.gpcollection.gpha(np.array(stress, float), 50.0, xc, 2.0)
    return math.isnan(d), life


def _dic(vx, k=None, at="stress"):
    """Failure load of a measured distribution, with a NaN stress or position at point k."""
    x = np.linspace(-10.0, 10.0, 21)
    s = -(300.0 + 50.0 * np.cos(x / 3.0))
    if k is not None:
        (s if at == "stress" else x)[k] = NAN
    res, _ = vx.dic.getcomprfailurebydic(s, x, [0.25] * 8, 0.3, 600.0, -1000.0, 1.0, 100.0, 25.0)
    return float(res[0])


def _bridging(vx, k, fibre=False):
    """Which of the three ply strengths of the bridging model are NaN, entry k of a record NaN."""
    f, m = np.array([230e3, 15e3, 24e3, 3500.0]), np.array([0.0, 0.0, 3500.0, 60.0, 80.0])
    (f if fibre else m)[k] = NAN
    return tuple(map(math.isnan, vx.micromechanic.getudstrengthfrombridgingmatrix(0.4 * np.eye(6), f, m, 0.6)))


PLASTIC = "NaN yield function in getstressfromplastitcity"
FALZON = "NaN strain, stress or damage in FalzonDegradationParameters"
FALCOM = "NaN damage flag in FalcomDegradation"
BUCKLING = "NaN delamination or buckling strain in DelaminatedBucklingAnalysis"
DIC = "Error in GetComprFailurebyDIC: NaN measured stress or position."
STRAIN = [0, 0.04, 0, 0.02, 0, 0]  # far past the final strain of the history: full damage
UNKNOWN_STATE_CASES = [
    ("plasticity, a0 NaN", lambda vx: _plastic(vx, NAN), (True, True), (-2, PLASTIC)),
    ("plasticity, a1 NaN", lambda vx: _plastic(vx, 400.0, NAN), (True, True), (-2, PLASTIC)),
    ("plasticity, inside the surface", lambda vx: _plastic(vx, 400.0), (False, False), (0, None)),
    ("Falzon, strain NaN", lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], [0, NAN, 0, 0.02, 0, 0]), 1.0,
     (-2, FALZON)),
    ("Falzon, strain NaN at the onset",
     lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], [0, NAN, 0, 0.02, 0, 0], epsi=0.0, epsu=0.0), 1.0, (-2, FALZON)),
    ("Falzon, stress NaN", lambda vx: _falzon(vx, [0, NAN, 0, 20, 0, 0], STRAIN[:2] + [0, 0.001, 0, 0]), 1.0,
     (-2, FALZON)),
    ("Falzon, damage NaN, unloaded", lambda vx: _falzon(vx, [0, 1, 0, 0, 0, 0], [0, 1e-4, 0, 0, 0, 0], w=NAN),
     1.0, (-2, FALZON)),
    ("Falzon, toughness NaN at the onset",
     lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], STRAIN, epsi=0.0, epsu=0.0, gc=(0.2, NAN, 0.6, 0.6)), 1.0,
     (-2, FALZON)),
    ("Falzon, element length NaN at the onset",
     lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], STRAIN, epsi=0.0, epsu=0.0, length=NAN), 1.0, (-2, FALZON)),
    ("Falzon, final strain of the history NaN", lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], STRAIN, epsu=NAN), 1.0,
     (-2, FALZON)),
    # an onset strain of NaN is a lost history, not a first call: fixed anew at the present strain
    # the damage grown since the true onset was forgotten
    ("Falzon, onset strain NaN before any damage", lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], STRAIN, epsi=NAN),
     1.0, (-2, FALZON)),
    ("Falzon, onset fixed at the first call",
     lambda vx: _falzon(vx, [0, 40, 0, 20, 0, 0], STRAIN, epsi=0.0, epsu=0.0), 0.0, (0, None)),
    ("Falzon, unloaded", lambda vx: _falzon(vx, [0, 1, 0, 0, 0, 0], [0, 1e-4, 0, 0, 0, 0]), 0.0, (0, None)),
    ("Falzon, nothing at the first call", lambda vx: _falzon(vx, [0] * 6, [0] * 6, epsi=0.0, epsu=0.0), 0.0,
     (0, None)),
    ("Hahn-Tsai, strain NaN", lambda vx: math.isnan(vx.nlcollection.pure_nlhahntsai(1000., 1e-6, 50., NAN)), True,
     (0, None)),
    ("Hahn-Tsai, zero strain", lambda vx: vx.nlcollection.pure_nlhahntsai(1000., 1e-6, 50., 0.0), 0.0, (0, None)),
    ("Tan-Sun, maximum indentation NaN", lambda vx: math.isnan(vx.permcollection.pitansunnonlinear(NAN, 0.1)), True,
     (0, None)),
    ("Tan-Sun linear, critical indentation NaN",
     lambda vx: math.isnan(vx.permcollection.pitansunlinear(0.5, NAN, 0.5)), True, (0, None)),
    ("Suresh bounded, maximum NaN",
     lambda vx: tuple(map(math.isnan, vx.permcollection.pisuresh(NAN, 0.1, 0.3, 1, 1))), (True, True), (0, None)),
    ("Suresh, critical NaN", lambda vx: math.isnan(vx.permcollection.pisuresh(0.5, NAN, 0.3, 0, 1)[0]), True,
     (0, None)),
    ("Suresh, no dent by the flag", lambda vx: vx.permcollection.pisuresh(NAN, 0.1, 0.3, 1, 0), (0.0, 0.0),
     (0, None)),
    ("Falcom, fibre flag NaN", lambda vx: _falcom(vx, {1: NAN}), (0.5, 0.5, 1, 1e-20, 1, 1e-20, 0.5, 1, 1),
     (-2, FALCOM)),
    ("Falcom, total-loss flag NaN", lambda vx: _falcom(vx, {7: NAN}, scheme=1), (1e-20,) * 9, (-2, FALCOM)),
    ("Falcom, any flag NaN in scheme 0", lambda vx: _falcom(vx, {10: NAN}, scheme=0), (1e-20,) * 9, (-2, FALCOM)),
    ("Falcom, knock-down flag NaN", lambda vx: _falcom(vx, {8: NAN, 1: 1.0}, rdisc=0.5),
     (0.25, 0.25, 0.5, 0.5e-20, 0.5, 0.5e-20, 0.25, 0.5, 0.5), (-2, FALCOM)),
    ("Falcom, unread flag NaN", lambda vx: _falcom(vx, {3: NAN}), (1.0,) * 9, (0, None)),
    ("Falcom, knock-down factor NaN", lambda vx: _falcom(vx, {8: 1.0, 1: 1.0}, rdisc=NAN), (1e-20,) * 9,
     (-2, "NaN knock-down factor in FalcomDegradation")),
    ("Falcom, knock-down factor NaN, no knock-down", lambda vx: _falcom(vx, {1: 1.0}, rdisc=NAN),
     (0.5, 0.5, 1, 1e-20, 1, 1e-20, 0.5, 1, 1), (0, None)),
    ("bilinear law, length NaN",
     lambda vx: tuple(map(math.isnan, vx.evocollection.bilinearevolution(0.02, 0.01, 50., 0.3, NAN, -1.0))),
     (True, True), (0, None)),
    ("Bogenfeld, element length NaN", lambda vx: _bogenfeld(vx, NAN), (True, True), (0, None)),
    ("Bogenfeld, element length 1", lambda vx: _bogenfeld(vx, 1.0), (False, False), (0, None)),
    # the final strain's maximum passed over a NaN toughness or traction: the steepest law was stored
    ("Bogenfeld, toughness NaN at the onset", lambda vx: _bogenfeld(vx, 1.0, g1=NAN), (True, True), (0, None)),
    ("Bogenfeld, stress NaN at the onset", lambda vx: _bogenfeld(vx, 1.0, s22=NAN), (True, True), (0, None)),
    ("Bogenfeld, history NaN", lambda vx: _bogenfeld(vx, 1.0, sdv=(0.004, NAN, 0.5, 0.02)), (True, False),
     (0, None)),
    # a NaN beside unset markers is no onset: the markers were read as a history (d -inf)
    ("Bogenfeld, history NaN beside unset markers", lambda vx: _bogenfeld(vx, 1.0, sdv=(-1.0, -1.0, NAN, -1.0)),
     (True, False), (0, None)),
    ("Bogenfeld, history known", lambda vx: _bogenfeld(vx, 1.0, sdv=(0.004, 30.0, 0.5, 0.02)), (False, False),
     (0, None)),
    # a delamination of unknown size, or a sub-laminate of unknown stiffness, may buckle first
    ("buckling, half-axis NaN", lambda vx: _buckling(vx, [NAN, 10.0, 0.0]), "NaN", (-2, BUCKLING)),
    ("buckling, delamination angle NaN", lambda vx: _buckling(vx, [10.0, 10.0, NAN]), "NaN", (-2, BUCKLING)),
    ("buckling, modulus of the lower ply NaN", lambda vx: _buckling(vx, [10.0, 10.0, 0.0], e1=NAN), "NaN",
     (-2, BUCKLING)),
    ("buckling, half-axis below the limit", lambda vx: _buckling(vx, [1e-11, 10.0, 0.0]), 0.0, (0, None)),
    # a held damage that is not a number is not lowered to the exposure; a NaN damage uses up the life
    ("Bauwens, held damage NaN", lambda vx: _held(vx, "gpbauwens", NAN), "NaN", (0, None)),
    ("Bauwens, held damage 0.7", lambda vx: _held(vx, "gpbauwens", 0.7), 0.7, (0, None)),
    ("Raghava, held damage NaN", lambda vx: _held(vx, "gpraghava", NAN), "NaN", (0, None)),
    ("Ha, stress NaN", lambda vx: _gpha_life(vx, [NAN, 0, 0, 0, 0, 0]), (True, 1.0),
     (-2, "NaN damage in GPHa: life counted as used up")),
    ("Ha, stress below the strength", lambda vx: _gpha_life(vx, [10.0, 0, 0, 0, 0, 0]), (False, 0.0), (0, None)),
    # a NaN measurement may be the governing one: no failure load is scaled past it
    ("DIC, measured stress NaN", lambda vx: _dic(vx, 5), 0.0, (-2, DIC)),
    ("DIC, position NaN", lambda vx: _dic(vx, 10, at="x"), 0.0, (-2, DIC)),
    ("DIC, every value measured", lambda vx: _dic(vx), pytest.approx(1909.202405, abs=1e-6), (0, None)),
    # a strength limited by a NaN fibre strength is not the other limit alone
    ("Puck in-situ, fibre strength NaN",
     lambda vx: math.isnan(vx.isscollection.insitupuckps(NAN, 249.05, 92.54, 45.0)), True, (0, None)),
    ("Puck in-situ, fibre strength NaN at 90 degrees",
     lambda vx: vx.isscollection.insitupuckps(NAN, 249.05, 92.54, 90.0), pytest.approx(249.05, rel=1e-15), (0, None)),
    ("bridging model, ultimate matrix strength NaN", lambda vx: _bridging(vx, 4), (True, True, True), (0, None)),
    ("bridging model, fibre strength NaN", lambda vx: _bridging(vx, 3, fibre=True), (True, True, True), (0, None)),
    # an equivalent stress of a NaN principal is not that of the other two
    ("Tresca, middle principal NaN", lambda vx: math.isnan(vx.lamina.gettrescastress([100., NAN, 0.])), True,
     (0, None)),
    ("Rankine, largest principal NaN", lambda vx: math.isnan(vx.lamina.getrankinestress([NAN, 0., -50.])), True,
     (0, None)),
    ("Rankine, smallest principal NaN", lambda vx: math.isnan(vx.lamina.getrankinestress([80., 0., NAN])), True,
     (0, None)),
    # a failure in tension read with an effort of unknown sign must not take the compression stiffness
    ("mode degradation, effort NaN", lambda vx: _modes(vx, [NAN, 1, 1]), "NaN", (0, None)),
    ("mode degradation, tension", lambda vx: _modes(vx, [1, 1, 1]), 0.0, (0, None)),
    ("tension or compression, criterion NaN",
     lambda vx: [x if x == x else "NaN" for x in vx.elasticity.getcomponentstensioncompression(
         np.arange(1., 10.), np.array([NAN, 0, 1, 0, 0, 0]))], ["NaN", 4., 5., 7., 8., 9.], (0, None)),
]


@pytest.mark.parametrize("label,call,decided,record", UNKNOWN_THRESHOLD_CASES + UNKNOWN_STATE_CASES,
                         ids=[c[0] for c in UNKNOWN_THRESHOLD_CASES + UNKNOWN_STATE_CASES])
def test_unknown_threshold_effort_or_state_is_never_undamaged(vx, label, call, decided, record):
    assert call(vx) == decided, label
    status, message = error_record(vx)
    assert (status, message if record[1] is not None else None) == record


# The same rule over every real input of every degradation routine, in states that take each
# branch. An entry of an input counts as read where finite values of it change a result; there,
# a NaN must give that result NaN, or record -2 with the result at least as degraded as every
# finite value gives it (or at the routine's mark of failure). A result without such an order (a
# stiffness, the history of an onset, the allowed cycle jump) must be NaN unless -2 is recorded.
# Each routine: its call, its results {name: (sense, failed)} with sense -1 where lower is more
# degraded, +1 where higher is, 0 for no order; its states; finite probes of inputs whose
# entries are not probed at half, once and one and a half times their value in the state.


def _run_sudden(vx, v, viscous=False):
    args = [v["degpeprops"].copy(), v["degpsprops"].copy(), v["peprops"], v["psprops"], v["de"].copy(),
            v["df"].copy(), v["g_f"], v["g_m"], v["ttol"], v["degrfac"]]
    old = np.array(v.get("degr_old", 0.0))
    if viscous:
        args += [old, v["eta"], v["dt"]]
    r = (vx.degradation.suddendegradation_viscouse if viscous else vx.degradation.suddendegradation)(
        *args, **({"nm": v["nm"]} if "nm" in v else {}))
    return dict(degpe=r[0], degps=np.abs(r[1]), de=r[2], df=r[3], g_f=r[4], g_m=r[5], degr_old=old)


def _run_isotropic(vx, v):
    dg = vx.degradation
    if "eta" not in v:
        return dict(degpe=dg.isotropicdegradation(v["peprops"], v["d"], v["life"], v["degr"]))
    old = np.array(v["degr_old"])
    degpe, _ = dg.isotropicdegradation_viscouse(v["peprops"], v["d"], v["life"], v["degr"], v["eta"], v["dt"], old)
    return dict(degpe=degpe, degr_old=old)


def _run_falzon(vx, v):
    dsix, hist = np.ones(6), [np.array(v[k]) for k in ("epsi", "epsu", "sigi", "gmix", "w_matrixmode")]
    vx.degradation.falzondegradationparameters(v["stressela"], v["strain"], v["phirad"], dsix, *hist, v["gc"],
                                               v["charelemlength"])
    return dict(dsix=dsix, epsi=hist[0], epsu=hist[1], sigi=hist[2], gmix=hist[3], w=hist[4])


def _run_bogenfeld(vx, v):
    d, sdv = vx.degradation.bogenfelddegradation(v["sdv"].copy(), v["svoigt"], v["evoigt"], v["charelemlength"],
                                                 v["props"], 3)
    # the final strain fixed at an onset; a held history is kept as it came
    return dict(d=d, final=sdv[3]) if np.all(v["sdv"] == -1.0) else dict(d=d)


def _states(base, **variants):
    return [(label, dict(base, **kw)) for label, kw in variants.items()]


def _falcom_states():
    out = []
    for scheme in range(6):
        for tape in (1, 0):
            for flags in ((1,), (2,), (1, 2), (4, 6), (5,), (7,), (1, 8), (4, 8)):
                dds = np.zeros(10)
                dds[[k - 1 for k in flags]] = 1.0
                out.append((f"{scheme} {'tape' if tape else 'fabric'} {flags}",
                            dict(dds=dds, rdisc=0.5, fa=np.array([0.3, 0.3, 0.5, 0.5]), degrid=scheme,
                                 plyistape=tape)))
    return out


SUDDEN_STATE = dict(degpeprops=PE, degpsprops=PS, peprops=PE, psprops=PS, de=np.ones(6), df=np.ones(9), g_f=0.2,
                    g_m=0.2, ttol=np.array([1.0, 0.5]), degrfac=0.1)
SUDDEN_STATES = _states(SUDDEN_STATE, intact={}, fibre={"g_f": 1.5}, matrix={"g_m": 1.5},
                        modes={"nm": np.full(6, 0.1)},
                        held={"degpeprops": 0.5 * PE, "degpsprops": 0.5 * PS, "de": np.full(6, 0.5),
                              "df": np.full(9, 0.5)})
# A held factor that is NaN counts as failure with the fraction of the call, so the factors probed
# are not below what such a failure gives.
SUDDEN_PROBES = {"g_f": (0.0, 0.5, 1.5), "g_m": (0.0, 0.5, 1.5), "ttol": (0.05, 1.0, 2.0), "nm": (0.0, 0.3, 0.8),
                 "degrfac": (0.05, 0.1, 0.5), "de": (0.5, 0.8, 1.0), "df": (0.5, 0.8, 1.0)}
SUDDEN_RESULTS = dict(degpe=(-1, None), degps=(-1, None), de=(-1, None), df=(-1, None), g_f=(1, 1.0), g_m=(1, 1.0),
                      degr_old=(-1, None))
FATIGUE_TENSION, FATIGUE_COMPRESSION = (0.5, 0.05, -0.1, -0.05), (-0.6, -0.3, -0.6, -0.3)
FATIGUE_KEYS = ("speak_t", "sbottom_t", "speak_c", "sbottom_c")
WORN = dict(de=0.95, df_t=0.95, df_c=0.95)
FATIGUE_STATE = {k: v for k, v in fatigue_state().items() if k not in ("dmgflag", "isshear", "noel", "cjump_nf")}
DEGRADATION = {
    "suddendegradation": (_run_sudden, SUDDEN_RESULTS, SUDDEN_STATES, SUDDEN_PROBES),
    "suddendegradation_viscouse": (
        lambda vx, v: _run_sudden(vx, v, viscous=True), SUDDEN_RESULTS,
        [(label, dict(s, degr_old=0.5, eta=0.5, dt=1.0)) for label, s in SUDDEN_STATES],
        dict(SUDDEN_PROBES, degr_old=(0.2, 0.5, 1.0), eta=(0.0, 0.5, 2.0))),
    "isotropicdegradation": (
        _run_isotropic, dict(degpe=(-1, None)),
        _states(dict(peprops=PE[:3], d=0.5, life=0.2, degr=0.1), failed={"d": 1.0}, intact={}),
        {"d": (0.0, 0.5, 1.2), "life": (0.0, 0.5, 1.2), "degr": (0.1, 0.5, 1.0)}),
    "isotropicdegradation_viscouse": (
        _run_isotropic, dict(degpe=(-1, None), degr_old=(-1, None)),
        _states(dict(peprops=PE[:3], d=0.5, life=0.2, degr=0.1, eta=0.5, dt=1.0, degr_old=0.5), failed={"d": 1.0},
                intact={}),
        {"d": (0.0, 0.5, 1.2), "life": (0.0, 0.5, 1.2), "degr": (0.1, 0.5, 1.0), "degr_old": (0.2, 0.5, 1.0)}),
    "viscouseregularisation": (
        lambda vx, v: dict(d=vx.degradation.viscouseregularisation(v["dold"], v["dnew"], v["eta"], v["dt"])),
        dict(d=(0, None)), [("", dict(dold=0.2, dnew=0.6, eta=0.5, dt=1.0))], {}),
    "getaccumulateddamage": (
        lambda vx, v: dict(a=vx.degradation.getaccumulateddamage(np.asfortranarray(v["degr"]), v["nodmg"])),
        dict(a=(1, 1.0)), [("damage values", dict(degr=np.array([[0.2, 0.5], [0.0, 0.9], [0.3, 0.1]]), nodmg=0.0)),
                           ("retained", dict(degr=np.array([[0.8, 0.5], [1.0, 0.1], [0.7, 0.9]]), nodmg=1.0))],
        {"degr": (0.1, 0.5, 0.8), "nodmg": (0.0, 1.0, 2.0)}),
    "getnyedegradationmatrix": (
        lambda vx, v: dict(d=vx.degradation.getnyedegradationmatrix(v["degrf"], v["ntens"], v["psflag"])),
        dict(d=(-1, None)),
        [(f"{n} {ps}", dict(degrf=np.linspace(0.2, 0.9, 9), ntens=n, psflag=ps)) for n, ps in ((3, 1), (4, 0), (6, 1))],
        {}),
    "falcomdegradation": (
        lambda vx, v: dict(d=vx.degradation.falcomdegradation(v["dds"], v["rdisc"], v["degrid"], v["plyistape"],
                                                              v["fa"])),
        dict(d=(-1, 1e-20)), _falcom_states(), {"dds": (0.0, 1.0), "rdisc": (1e-30, 0.5, 1.0, 2.0)}),
    "gradualdegradation": (
        lambda vx, v: fatigue_run(vx, fatigue_state(**v)), dict(nm=(1, 1.0), de=(-1, None), df_t=(-1, None), df_c=(-1, None), cjump_nf=(0, None)),
        _states(FATIGUE_STATE, **{
            "accumulation": {}, "accumulation in compression": dict(zip(FATIGUE_KEYS, FATIGUE_COMPRESSION)),
            "accumulation, shear": {"isshear": 1}, "accumulation, reversed": dict(sbottom_t=-0.4, speak_c=-0.4),
            "accumulation, worn": dict(WORN, nm=0.01), "accumulation, end of life": dict(nm=0.999, cjimp=1e7),
            "cycle jump": {"dmgflag": 2}, "cycle jump later": dict(WORN, dmgflag=2, n=3000.0),
            "cycle jump later in compression": dict(zip(FATIGUE_KEYS, FATIGUE_COMPRESSION), dmgflag=2, n=3000.0,
                                                    **WORN),
            "cycle jump, stiffness tied": dict(WORN, dmgflag=2, n=3000.0, alpha_t=3.0, beta_t=1.2),
            "cycle jump, end of life": dict(WORN, dmgflag=2, n=1e7, cjimp=1e7)}),
        {"speak_t": (-0.7, 0.4, 0.6), "sbottom_t": (-0.35, 0.02, 0.1), "speak_c": (-0.8, -0.3, -0.05),
         "sbottom_c": (-0.8, -0.3, -0.05), "nm": (0.0, 1e-4, 1e-3),
         "n": (1000.0, 2000.0, 1e5), "cjimp": (100.0, 1000.0, 3000.0), "b": (-0.12, -0.1, -0.08),
         "de": (0.5, 0.9, 1.0), "df_t": (0.5, 0.9, 1.0), "df_c": (0.5, 0.9, 1.0), "degr_fac": (0.005, 0.01, 0.02)}),
    "matzenmillerdegradation": (
        lambda vx, v: dict(c=vx.degradation.matzenmillerdegradation(v["propvec"], v["dnorm"], v["d23"], v["d13"],
                                                                   v["d12"])),
        dict(c=(0, None)), [("", dict(propvec=np.array([140e3, 10e3, 10e3, 3.5e3, 5e3, 5e3, 0.45, 0.3, 0.3]),
                                      dnorm=np.array([0.1, 0.2, 0.3]), d23=0.1, d13=0.2, d12=0.3))], {}),
    "degradationfrommodes": (
        lambda vx, v: dict(zip(("w", "c"), vx.degradation.degradationfrommodes(v["accumulation"], v["d_modes"],
                                                                               v["moduli"], v["vnu"], v["effort"]))),
        dict(w=(1, 1.0), c=(0, None)),
        [(f"{acc} {eff}", dict(d_modes=np.array([1.0, 0.0, 0.2, 0.0, 0.0, 0.3, 0.0, 0.5, 0.0]),
                               moduli=np.array([140e3, 120e3, 10e3, 9e3, 10e3, 9e3, 4e3, 5e3, 5e3]),
                               vnu=np.array([0.4, 0.3, 0.3]), effort=np.array(eff), accumulation=acc))
         for acc in (True, False) for eff in ((1.0, -1.0, 1.0), (-1.0, 1.0, -1.0))],
        {"d_modes": (0.0, 0.5, 1.0), "effort": (-1.0, 1.0)}),
    "falzondegradationparameters": (
        _run_falzon, dict(dsix=(0, None), w=(1, 1.0), epsi=(0, None), epsu=(0, None), sigi=(0, None), gmix=(0, None)),
        _states(dict(stressela=np.array([10.0, 40.0, 5.0, 20.0, 3.0, 4.0]), phirad=0.3,
                     strain=np.array([1e-3, 0.02, 2e-3, 0.01, 1e-3, 2e-3]), gc=np.array([0.2, 1.0, 0.6, 0.6]),
                     charelemlength=np.ones(3), sigi=0.0, gmix=0.0),
                onset=dict(epsi=0.0, epsu=0.0, w_matrixmode=0.0), later=dict(epsi=0.004, epsu=0.03, w_matrixmode=0.2)),
        {"epsi": (0.002, 0.004, 0.006), "w_matrixmode": (0.1, 0.2, 0.3)}),
    "bogenfelddegradation": (
        _run_bogenfeld, dict(d=(1, None), final=(0, None)),
        _states(dict(svoigt=np.array([10.0, 40.0, 5.0, 4.0, 3.0, 20.0]), charelemlength=np.ones(3),
                     evoigt=np.array([1e-3, 0.01, 2e-3, 2e-3, 1e-3, 0.005]), props=np.array([0.3, 0.2, 1.0, 0.6, 0.6])),
                onset={"sdv": -np.ones(4)}, later={"sdv": np.array([0.004, 30.0, 0.5, 0.03])}),
        {"sdv": (-1.0, 0.002, 0.004, 0.03)}),
    "tensordegradation": (
        lambda vx, v: dict(c=vx.degradation.tensordegradation(v["csix"], v["angle_r"], v["d"], 2, v["nn"])),
        dict(c=(0, None)),
        [(f"nn {nn}", dict(csix=np.asfortranarray(np.diag([140e3, 10e3, 10e3, 3e3, 5e3, 5e3]) + 3e3 * np.eye(6, k=1)
                                                  + 3e3 * np.eye(6, k=-1)), angle_r=0.3, d=0.4, nn=nn))
         for nn in (0, -1)], {}),
}
NOT_REAL = ("degrid", "plyistape", "ntens", "psflag", "accumulation", "nn", "dmgflag", "isshear")


def degradation_inputs():
    return [(r, k) for r, (_, _, states, _) in DEGRADATION.items()
            for k in dict.fromkeys(k for _, state in states for k in state) if k not in NOT_REAL]


def _read_and_checked(vx, call, results, state, k, j, probes):
    """Whether entry j of input k is read in state; asserts the rule for its NaN."""
    def run(x):
        v = {n: (a.copy() if isinstance(a, np.ndarray) else a) for n, a in state.items()}
        if isinstance(v[k], np.ndarray):
            v[k].flat[j] = x
        else:
            v[k] = x
        vx.errorhandling.rsxerr(1)
        out = call(vx, v)
        return {n: np.array(out[n], float).ravel() for n in results if n in out}, int(vx.errorhandling.errstat)

    finite = [run(x)[0] for x in probes]
    got, status = run(math.nan)
    read = False
    for name, (sense, failed) in results.items():
        if any(name not in out for out in finite + [got]):
            continue
        values = np.array([f[name] for f in finite])
        for e in np.flatnonzero(np.any(values != values[0], axis=0) | np.any(np.isnan(values), axis=0)):
            read, y = True, got[name][e]
            worst = max(sense * values[:, e]) if failed is None else min(max(sense * values[:, e]), sense * failed)
            assert math.isnan(y) or status == -2 and (sense == 0 or sense * y >= worst), \
                (k, j, name, e, y, status, values[:, e])
    return read


@pytest.mark.parametrize("routine,k", degradation_inputs(), ids=[f"{r}-{k}" for r, k in degradation_inputs()])
def test_nan_input_of_a_degradation_routine_is_never_read_as_intact(vx, routine, k):
    call, results, states, probes = DEGRADATION[routine]
    read = False
    for label, state in (s for s in states if k in s[1]):
        base = state[k]
        for j in range(np.size(base)):
            b = float(np.ravel(base)[j])
            p = probes.get(k, (0.5 * b, b, 1.5 * b) if b else (0.0, 0.3, 0.7))
            read |= _read_and_checked(vx, call, results, state, k, j, p)
    assert read, (routine, k)  # an input no state reads tests nothing


# The same sweep over the damage evolution laws, which record nothing: a NaN they read gives NaN.
EVOLUTION = {
    "timeregularization": (
        lambda vx, v: dict(d=vx.evocollection.timeregularization(v["d_old"], v["d_new"], v["dt_inc"],
                                                                 v["reg_factor"])),
        dict(d=(1, None)),
        [("", dict(d_old=np.array([0.1, 0.4]), d_new=np.array([0.3, 0.8]), dt_inc=1e-3, reg_factor=0.5))], {}),
    "equivalentquadstressstrain": (
        lambda vx, v: dict(t=vx.evocollection.equivalentquadstressstrain(v["tens"], v["nn"])),
        dict(t=(0, None)), [(f"nn {nn}", dict(tens=np.array([5.0, -3.0, 2.0, 1.5, -0.5, 4.0]), nn=nn))
                            for nn in (1, 2, 3)], {}),
    "bilinearevolution": (
        lambda vx, v: dict(zip(("d", "eps1"), vx.evocollection.bilinearevolution(v["eps"], v["eps0"], v["sig_f"],
                                                                                 v["gc"], v["lc"], v["eps1"]))),
        dict(d=(1, None), eps1=(0, None)),
        # the final strain from the toughness, from the onset strain (a small toughness), and kept
        _states(dict(eps=0.02, eps0=0.01, sig_f=50.0, gc=2.0, lc=1.0, eps1=-1.0), toughness={},
                steep={"gc": 1e-3}, kept={"lc": 5e-4, "eps1": 0.05}),
        {"lc": (5e-4, 0.5, 1.0)}),
    "dgstrainrhead": (
        lambda vx, v: dict(e=vx.evocollection.dgstrainrhead(v["eps_c"], v["gic"], v["a11"], v["r_stiff"])),
        dict(e=(0, None)), _states(dict(eps_c=-0.002, gic=0.25, a11=5e4), plain={"r_stiff": 0.0},
                                   stiffened={"r_stiff": 0.4}), {}),
}


def evolution_inputs():
    return [(r, k) for r, (_, _, states, _) in EVOLUTION.items()
            for k in dict.fromkeys(k for _, state in states for k in state) if k not in NOT_REAL]


@pytest.mark.parametrize("routine,k", evolution_inputs(), ids=[f"{r}-{k}" for r, k in evolution_inputs()])
def test_nan_input_of_an_evolution_law_is_never_read_as_intact(vx, routine, k):
    call, results, states, probes = EVOLUTION[routine]
    read = False
    for label, state in (s for s in states if k in s[1]):
        for j in range(np.size(state[k])):
            b = float(np.ravel(state[k])[j])
            read |= _read_and_checked(vx, call, results, state, k, j,
                                      probes.get(k, (0.5 * b, b, 1.5 * b) if b else (0.0, 0.3, 0.7)))
            assert int(vx.errorhandling.errstat) == 0, (routine, k, label)  # nothing is recorded
    assert read, (routine, k)
