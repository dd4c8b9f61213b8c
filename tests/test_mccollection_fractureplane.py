"""Fracture-plane matrix criteria against a brute-force scan over the action planes."""
import math

import numpy as np
import pytest

from conftest import error_record
# the same strengths, LaRC constants and kink-band frame as the fibre criteria
from test_fbcollection import A0, EL, ET, S12, S23, ST, XC, XT, YC, YT, kink_frame


def grid(lo, hi, step):
    """The scan's abscissas: lo, then steps accumulated while not beyond hi."""
    out, th = [], lo
    while th <= hi:
        out.append(th)
        nxt = th + step
        if not nxt > th:
            break
        th = nxt
    return np.array(out)


def tractions(theta, s22, s33, s12, s13, s23, s11=0.0):
    """Normal, longitudinal and transverse shear traction on the plane whose normal is
    the 3-axis turned by theta about the fibre axis, from the full stress tensor."""
    s = np.array([[s11, s12, s13], [s12, s22, s23], [s13, s23, s33]])
    c, si = np.cos(theta), np.sin(theta)
    n = np.stack([0 * c, -si, c])
    t = np.stack([0 * c, c, si])
    sn_vec = np.einsum("ij,jk->ik", s, n)
    return (np.einsum("ik,ik->k", n, sn_vec), sn_vec[0], np.einsum("ik,ik->k", t, sn_vec))


def larc_shear(sn, tl, tt):
    return (tt / (ST - ET * sn)) ** 2 + (tl / (S12 - EL * sn)) ** 2


def larc05(sn, tl, tt):
    return larc_shear(sn, tl, tt) + (np.maximum(sn, 0) / YT) ** 2


def wiegand(sn, tl, tt):
    st = YC / (2 * math.tan(A0))
    et = -1 / (2 * math.tan(2 * A0))
    el = et * S12 / st
    q = (tt / (st - et * sn)) ** 2 + (tl / (S12 - el * sn)) ** 2
    return np.sqrt(q + np.where(sn >= 0, (sn / YT) ** 2, 0.0))


def camanho(sn, tl, tt, st=S23):
    et = -1 / (2 * math.tan(2 * A0))
    el = et * S12 / st
    kappa = (st ** 2 - YT ** 2) / (YT * st)
    lam = 2 * el * st / S12 - kappa
    comp = np.sqrt((tl / (S12 - el * sn)) ** 2 + (tt / (st - et * sn)) ** 2)
    with np.errstate(invalid="ignore"):
        ten = np.sqrt((sn / st) ** 2 + (tl / S12) ** 2 + (tt / st) ** 2 + lam * (sn / st) * (tl / S12) ** 2 + kappa * sn / st)
    return np.where(sn <= 0, comp, ten)


def puck(sn, tl, tt, gp=(0.3, 0.2, 0.15, 0.15), sl=S12):
    """Puck's action-plane exposure, sl the longitudinal shear strength."""
    sn, tl, tt = (np.asarray(x, float) for x in (sn, tl, tt))
    ra = YC / (2 * (1 + gp[3]))
    t2 = tt ** 2 + tl ** 2
    with np.errstate(invalid="ignore", divide="ignore"):
        c2 = np.where(t2 > 0, tt ** 2 / t2, 0.0)
        s2 = np.where(t2 > 0, tl ** 2 / t2, 0.0)
    pt = gp[2] * c2 / ra + gp[0] * s2 / sl
    pc = gp[3] * c2 / ra + gp[1] * s2 / sl
    ften = np.sqrt(((1 / YT - pt) * sn) ** 2 + (tt / ra) ** 2 + (tl / sl) ** 2) + pt * sn
    fcom = np.sqrt((tt / ra) ** 2 + (tl / sl) ** 2 + (pc * sn) ** 2) + pc * sn
    return np.where(sn >= 0, ften, fcom)


def spc3d(sn, tl, tt, th, yt, yc, zt, zc, x12, x13, x23, p=(0.3, -0.3)):
    """SPC3D's exposure on the planes th, both branches, compressive shear
    strengths equal to the tensile ones."""
    q, s, c = np.abs(np.sin(2 * th)), np.sin(th), np.cos(th)
    shear = lambda y, z, a, b, t: (tt / ((y + z) * q + t)) ** 2 + (tl / (np.abs(s) * a + np.abs(c) * b)) ** 2  # noqa: E731
    a = p[1] * sn / (s ** 2 * yc + c ** 2 * zc + x23 * q)
    comp = np.sqrt(a * a + shear(yc, zc, x12, x13, x23)) + a
    b = sn / (s ** 2 * yt + c ** 2 * zt + x23 * q)
    ten = p[0] * b + np.sqrt((1 - p[0]) ** 2 * b * b + shear(yt, zt, x12, x13, x23))
    return np.where(sn < 0, comp, ten)


def normal_traction_zeros(state, lo, hi):
    """Planes in [lo, hi] where the normal traction mid + half cos 2t - s23 sin 2t
    vanishes, from the double-angle form."""
    s22, s33, s23 = state[0], state[1], state[4]
    mid, half = 0.5 * (s33 + s22), 0.5 * (s33 - s22)
    m = math.hypot(half, s23)
    if not m > abs(mid):
        return []
    out = []
    for r in (0.5 * (math.atan2(-s23, half) + d) for d in (-math.acos(-mid / m), math.acos(-mid / m))):
        t = r + math.ceil((lo - r) / math.pi - 1e-12) * math.pi
        while t <= hi + 1e-12:
            out.append(t)
            t += math.pi
    return out


def sides(planes, lo, hi, d=1e-8):
    """The planes just either side of each of planes that lie inside (lo, hi)."""
    return [t + e for t in planes for e in (-d, d) if lo < t + e < hi]


STATES = [(-120.0, 0.0, 40.0, 0.0, 0.0), (30.0, -20.0, 50.0, 10.0, -15.0), (-60.0, -150.0, 20.0, -30.0, 25.0),
          (20.0, 40.0, 0.0, 0.0, 35.0), (-10.0, 5.0, -70.0, 20.0, 0.0)]


def brute(f, state, lo=0.0, hi=math.pi, step=math.radians(1.0)):
    th = grid(lo, hi, step)
    v = f(*tractions(th, *state))
    return th, v


@pytest.mark.parametrize("state", STATES)
def test_scan_and_golden_search_find_the_largest_exposure(vx, state):
    m = vx.mccollection
    assert m.mcrckpuck(*state, YT, YC, S12, sainc=1.0)[0] == pytest.approx(brute(puck, state)[1].max(), rel=1e-11)
    step = 2.0
    for fn, f, extra in ((m.mcrcklarc05, larc05, ()), (m.mcrckwiegand, wiegand, ()), (m.mcrckcamanho, camanho, (S23,))):
        assert fn(*state, YT, YC, S12, *extra, sainc=1.0)[0] == pytest.approx(brute(f, state)[1].max(), rel=1e-11)
        # scaled beyond failure so that both searches report their angle
        v = brute(f, state, step=math.radians(0.01))[1]
        k = 3.0 / v.max() if fn is not m.mcrcklarc05 else math.sqrt(3.0 / v.max())
        s = tuple(k * x for x in state)
        th, v = brute(f, s, step=math.radians(0.01))
        rs, ts = fn(*s, YT, YC, S12, *extra, sainc=step, gsflag=0)[:2]
        rg, tg = fn(*s, YT, YC, S12, *extra, sainc=step, gsflag=1)[:2]
        assert rg >= 1.0 and rg == pytest.approx(v.max(), rel=1e-6) and rs == pytest.approx(rg, rel=2e-3)
        # the golden value is one the criterion gives at the reported angle
        assert rg == pytest.approx(f(*tractions(np.array([tg]), *s))[0], rel=1e-12)
        # same plane within one step, or a plane of equal exposure
        assert abs(tg - ts) <= math.radians(step) or f(*tractions(np.array([ts]), *s))[0] == pytest.approx(rg, rel=2e-3)


@pytest.mark.parametrize("step", [5.0, 17.0])
def test_scan_looks_at_both_sides_of_the_sign_changes_of_the_normal_traction(vx, step):
    # The exposure changes branch (Puck, Wiegand, Camanho) or kinks (LaRC05) where
    # the normal traction changes sign: the scan takes the larger of its step
    # planes and the planes just either side of those.
    m = vx.mccollection
    rng = np.random.default_rng(11)
    for state in rng.uniform(-1.0, 1.0, (60, 5)) * np.array([120.0, 120.0, 60.0, 60.0, 50.0]):
        planes = np.concatenate([grid(0.0, math.pi, math.radians(step)),
                                 sides(normal_traction_zeros(state, 0.0, math.pi), 0.0, math.pi)])
        for fn, f, extra in ((m.mcrckpuck, puck, ()), (m.mcrcklarc05, larc05, ()), (m.mcrckwiegand, wiegand, ()),
                             (m.mcrckcamanho, camanho, (S23,))):
            ref = np.nanmax(f(*tractions(planes, *state)))
            assert fn(*state, YT, YC, S12, *extra, sainc=step)[0] == pytest.approx(ref, rel=1e-12), (fn, state)


def test_fracture_angle_and_outtheta_rules(vx):
    m = vx.mccollection
    state = (-200.0, 0.0, 80.0, 0.0, 25.0)  # beyond failure in LaRC05, unique maximum
    th, v = brute(larc05, state)
    rmc, ang = m.mcrcklarc05(*state, YT, YC, S12, sainc=1.0)
    assert rmc >= 1.0 and ang == pytest.approx(th[np.argmax(v)], abs=1e-12)
    # a non-negative outtheta is never written; below failure -1 stays
    assert m.mcrcklarc05(*state, YT, YC, S12, outtheta=0.0, sainc=1.0)[1] == 0.0
    assert m.mcrcklarc05(*state, YT, YC, S12, outtheta=2.0, sainc=1.0)[1] == 2.0
    assert m.mcrcklarc05(-1.0, 0, 0, 0, 0, YT, YC, S12)[1] == -1.0
    # radians on the grid of sainc, given in degrees
    rmc, ang, tc = m.mcrckpuck(-240.0, 10.0, 0.0, 0.0, 0.0, YT, YC, S12, sainc=1.0)
    assert rmc >= 1.0 and 0.0 <= ang <= math.pi and math.degrees(ang) == pytest.approx(round(math.degrees(ang)))
    # pure transverse compression at strength: the planes pi/2 -+ a0 carry exactly 1 (both on the 1 degree grid)
    rmc, ang = m.mcrcklarc05(-YC, 0, 0, 0, 0, YT, YC, S12, sainc=1.0)
    assert rmc == pytest.approx(1.0, abs=1e-12)
    assert min(abs(ang - (math.pi / 2 - A0)), abs(ang - (math.pi / 2 + A0))) < 1e-9


def test_puck_against_the_published_plane_stress_modes(vx):
    m = vx.mccollection
    p_t, p_c = 0.3, 0.2
    # mode A (transverse tension with shear) and mode B (moderate compression, large
    # shear) both fracture on the plane normal to direction 2
    for s22, s12 in ((30.0, 40.0), (20.0, -70.0)):
        fa = math.sqrt((s12 / S12) ** 2 + (1 - p_t * YT / S12) ** 2 * (s22 / YT) ** 2) + p_t * s22 / S12
        assert m.mcrckpuck(s22, 0, s12, 0, 0, YT, YC, S12)[0] == pytest.approx(fa, rel=1e-12)
    s22, s12 = -30.0, 70.0
    fb = math.sqrt((s12 / S12) ** 2 + (p_c * s22 / S12) ** 2) + p_c * s22 / S12
    assert m.mcrckpuck(s22, 0, s12, 0, 0, YT, YC, S12)[0] == pytest.approx(fb, rel=1e-12)
    # mode C, pure compression: effort 1 at Yc on the plane cos^2 = R_A / Yc from the 1-3 plane
    rmc, ang = m.mcrckpuck(-YC * 1.0000001, 0, 0, 0, 0, YT, YC, S12, sainc=0.05)[:2]
    fp = math.acos(math.sqrt(1 / (2 * 1.15)))
    assert rmc == pytest.approx(1.0, abs=1e-5)
    assert min(abs(ang - (math.pi / 2 - fp)), abs(ang - (math.pi / 2 + fp))) < math.radians(0.05)
    assert m.mcrckpuck(1.1 * YT, 0, 0, 0, 0, YT, YC, S12, tcflag=0)[2] == 1
    assert m.mcrckpuck(-YC * 0.5, 0, 0, 0, 0, YT, YC, S12, tcflag=0)[2] == 0  # holds: flag untouched


@pytest.mark.parametrize("gsflag", [0, 1])
@pytest.mark.parametrize("state", [(-240.0, 10.0, 0.0, 0.0, 0.0), (60.0, -30.0, 20.0, 0.0, 10.0),
                                   (-130.354, 22.401, 63.611, -41.22, 24.525)])
def test_puck_tension_flag_is_the_sign_on_the_fracture_plane(vx, state, gsflag):
    # The plane at 180 degrees, where a scan ends, carries the other sign in
    # the first two states.
    rmc, ang, tc = vx.mccollection.mcrckpuck(*state, YT, YC, S12, sainc=5.0, gsflag=gsflag, tcflag=0)
    sn = tractions(np.array([ang]), *state)[0][0]
    assert rmc >= 1.0 and abs(sn) > 1.0 and tc == (-1 if sn < 0 else 1)


def test_spc3d_limits_and_the_delamination_range(vx):
    m = vx.mccollection
    yt, yc, zt, zc, x12, x13, x23 = 50.0, 200.0, 40.0, 180.0, 80.0, 75.0, 60.0
    state = (20.0, 30.0, 10.0, 40.0, -15.0)

    args = (*state, XT, XC, yt, yc, zt, zc, x12, x13, x23)
    # a step wider than the range looks at the two limits only
    for lims, step in (((178.0, 182.0), 1.0), ((2.0, 178.0), 2.0), ((30.0, 60.0), 400.0)):
        th = grid(math.radians(lims[0]), math.radians(lims[1]), math.radians(step))
        th = np.append(th, math.radians(lims[1])) if th[-1] < math.radians(lims[1]) else th
        ref = spc3d(*tractions(th, *state), th, yt, yc, zt, zc, x12, x13, x23).max()
        assert m.mcrckspc3d(*args, sainc=step, salims=lims)[0] == pytest.approx(ref, rel=1e-11)
    # uniaxial transverse tension on the 2 degree grid reaches 1 at 90 degrees
    assert m.mcrckspc3d(yt, 0, 0, 0, 0, XT, XC, yt, yc, zt, zc, x12, x13, x23, sainc=2.0)[0] == pytest.approx(1.0, abs=1e-12)


@pytest.mark.parametrize("gsflag", [0, 1])
def test_camanho_passes_over_planes_without_a_root(vx, gsflag):
    """With the transverse shear strength below the tensile one the root's argument is negative on
    planes of small tension: a sound state, whose effort is the largest exposure elsewhere."""
    state, st = (0.156, -1.68, 0.649, 0.664, -1.297), 40.0
    v = brute(lambda *tr: camanho(*tr, st=st), state, step=math.radians(5.0))[1]
    assert np.isnan(v).any()
    rmc = vx.mccollection.mcrckcamanho(*state, YT, YC, S12, st, gsflag=gsflag)[0]
    # the scan gives the largest defined exposure; the golden mode refines it
    assert rmc == pytest.approx(np.nanmax(v), rel=1e-12 if gsflag == 0 else 1e-2)
    assert rmc >= np.nanmax(v) * (1 - 1e-12)


def test_uniaxial_tension_at_strength_fails_on_every_grid_through_90_degrees(vx):
    # The plane normal to direction 2 carries exactly the exposure 1.0; a scan
    # whose grid reaches 90 degrees must report failure there, however fine.
    m = vx.mccollection
    for k in (1, 2, 3, 4, 5, 6, 9, 10, 12, 15, 18, 20, 25, 30, 36, 45, 50, 60, 75, 90):
        for fn, extra in ((m.mcrckwiegand, ()), (m.mcrckcamanho, (S23,)), (m.mcrckpuck, ()), (m.mcrcklarc05, ())):
            rmc, ang = fn(YT, 0, 0, 0, 0, YT, YC, S12, *extra, sainc=0.1 * k)[:2]
            assert 1.0 <= rmc < 1.0 + 1e-12 and ang == pytest.approx(math.pi / 2, abs=1e-12), (k, rmc)


def test_vdi_fibre_interaction(vx):
    m = vx.mccollection
    state = (40.0, 0.0, 30.0, 0.0, 0.0)
    gp = (0.3, 0.3, 0.25, 0.25)
    # the inter-fibre part is the action-plane criterion with the inclinations gp
    fiff = brute(lambda sn, tl, tt: puck(sn, tl, tt, gp), state)[1].max()
    # without fibre stress the interaction leaves the inter-fibre exposure alone
    assert m.mcrckvdi2014(0.0, *state, XT, XC, YT, YC, S12, sainc=1.0)[0] == pytest.approx(fiff, rel=1e-11)
    s11 = 0.8 * XT * fiff  # r = 1.25 lies within [wp1, 1/wp2]
    r = fiff / (s11 / XT)
    c = 0.5 / math.sqrt(0.75)
    d = (c * math.sqrt(1 + (c * c - 0.25) * r * r) + 0.5) * r / (1 + (r * c) ** 2)
    assert m.mcrckvdi2014(s11, *state, XT, XC, YT, YC, S12, sainc=1.0)[0] == pytest.approx(fiff / d, rel=1e-11)
    assert fiff / d > fiff


def test_larc04_matrix_branches(vx):
    m = vx.mccollection
    e11, e22, g12, nu12 = 140e3, 9e3, 5e3, 0.3
    base = (XT, XC, YT, YC, S12, e11, e22, g12, nu12)
    # transverse tension: the closed form with g = 0.35 in single precision, or g = Gic / Giic
    s = (0.0, 30.0, 0.0, 20.0, 0.0, 10.0)
    ref = lambda g: (1 - g) * 30 / YT + g * (30 / YT) ** 2 + (20 / S12) ** 2 + (1 / e22 - nu12 ** 2 / e11) * (10 / S12) ** 2  # noqa: E731,E501
    assert m.mcrcklarc04(*s, *base)[0] == pytest.approx(ref(float(np.float32(0.35))), rel=1e-14)
    assert m.mcrcklarc04(*s, *base, gc=(1.0, 2.0))[0] == pytest.approx(ref(0.5))
    assert m.mcrcklarc04(*s, *base, fcl=1)[0] == 0.0
    # fibre compression beyond xc22: the misalignment frame (no s23: no turn of the kink plane)
    s = (-300.0, -80.0, -10.0, 30.0, 0.0, 0.0)
    assert m.mcrcklarc04(*s, *base, fcl=1)[0] == 0.0
    t = kink_frame(s, 0.0)
    v = brute(larc_shear, (t[1, 1], t[2, 2], t[0, 1], t[0, 2], t[1, 2]), step=math.radians(5.0))[1]
    assert m.mcrcklarc04(*s, *base)[0] == pytest.approx(v.max(), rel=1e-11)


@pytest.mark.parametrize("state", [(-60.0, 0.0, 40.0, 0.0, 0.0), (-80.0, -10.0, 30.0, 0.0, 5.0),
                                   (-150.0, 20.0, -50.0, 10.0, -30.0)])
def test_larc04_fibre_stress_above_minus_xc22_plays_no_part(vx, state):
    # Only fibre compression beyond the transverse compressive strength turns
    # the planes into the misaligned frame; a tensile fibre stress of any size
    # leaves the ply planes over [-180, 180] degrees, as does no fibre stress.
    m = vx.mccollection
    base = (XT, XC, YT, YC, S12, 140e3, 9e3, 5e3, 0.3)
    ply = brute(larc_shear, state, lo=-math.pi, step=math.radians(5.0))[1].max()
    for s11 in (-YC, -0.5 * YC, 0.0, YC - 1e-9, YC, 3.0 * YC, XT):
        for fcl in (0, 1):
            assert m.mcrcklarc04(s11, *state, *base, fcl=fcl)[0] == pytest.approx(ply, rel=1e-11), (s11, fcl)
    # over -180 to 180 degrees the peak comes twice, a half turn apart, with
    # the same exposure to rounding: either may be reported, as it stands
    rmc, ang = m.mcrcklarc04(0.0, *(3.0 * np.array(state)), *base, outtheta=-1.0, gsflag=1)
    other = ang - math.pi if ang > 0.0 else ang + math.pi
    on = larc_shear(*tractions(np.array([ang, other]), *(3.0 * np.array(state))))
    assert rmc >= 1.0 and -math.pi <= ang <= math.pi and on == pytest.approx([rmc, rmc], rel=1e-12)
    below = m.mcrcklarc04(-YC * (1 + 1e-9), *state, *base)[0]
    assert below != pytest.approx(ply, rel=1e-3)
    assert m.mcrcklarc04(-YC * (1 + 1e-9), *state, *base, fcl=1)[0] == 0.0


def test_absent_optionals_from_native_callers(vx, lib):
    """Native callers (the damage drivers) pass every optional argument as a null pointer."""
    import ctypes

    d = ctypes.c_double
    state = (-60.0, 10.0, 30.0, 5.0, 20.0)
    r = d(-7.0)
    args = [ctypes.byref(d(v)) for v in (*state, YT, YC, S12)]
    for name, nopt, py in (("MCrckPuck", 5, vx.mccollection.mcrckpuck), ("MCrckLaRC05", 4, vx.mccollection.mcrcklarc05)):
        getattr(lib, name)(ctypes.byref(r), *args, *[None] * nopt)
        assert r.value == py(*state, YT, YC, S12)[0], name
    # SPC3D's own step is 2 degrees (5 from Python); its limits 2 and 178 degrees
    spc = (XT, XC, YT, YC, 45.0, 180.0, S12, 70.0, S23)
    args = [ctypes.byref(d(v)) for v in (*state, *spc)]
    lib.MCrckSPC3D(ctypes.byref(r), *args, None, None, None, None, None, None)
    assert r.value == pytest.approx(vx.mccollection.mcrckspc3d(*state, *spc, sainc=2.0)[0], rel=1e-14)


def test_tiny_scan_step_is_widened_not_endless():
    from conftest import run_python
    out, rc = run_python(
        "import _vexlan as v\n"
        "a = v.mccollection.mcrckpuck(0.47, 1.0, 0.19, 0.12, 0.52, 1.28, 1.49, 1.80, sainc=1e-9, gsflag=0)[0]\n"
        "print(int(v.errorhandling.errstat))\n"
        "v.errorhandling.rsxerr(1)\n"
        "b = v.mccollection.mcrckpuck(0.47, 1.0, 0.19, 0.12, 0.52, 1.28, 1.49, 1.80, sainc=0.001, gsflag=0)[0]\n"
        "print(int(v.errorhandling.errstat), abs(a - b) < 1e-6 * b)\n", timeout=60)
    assert rc == 0 and out.decode().split() == ["-2", "0", "True"]


def _random_states(rng, n):
    """Ply stresses up to about twice the strengths, transverse tension kept
    below the friction poles of the LaRC forms."""
    s = rng.uniform(-1.0, 1.0, (n, 6)) * np.array([900.0, 200.0, 200.0, 120.0, 120.0, 90.0])
    s[:, 1:3] -= 100.0
    return s


def _criteria(vx):
    m, f = vx.mccollection, vx.fbcollection
    el = (140e3, 9e3, 5e3, 0.3)
    return {
        "puck": lambda s, **k: m.mcrckpuck(*s[1:], YT, YC, S12, **k)[0],
        "larc05": lambda s, **k: m.mcrcklarc05(*s[1:], YT, YC, S12, **k)[0],
        "larc04": lambda s, **k: m.mcrcklarc04(*s, XT, XC, YT, YC, S12, *el, **k)[0],
        "wiegand": lambda s, **k: m.mcrckwiegand(*s[1:], YT, YC, S12, **k)[0],
        "camanho": lambda s, **k: m.mcrckcamanho(*s[1:], YT, YC, S12, S23, **k)[0],
        "spc3d": lambda s, **k: m.mcrckspc3d(*s[1:], XT, XC, YT, YC, 45.0, 180.0, S12, 70.0, S23, **k)[0],
        "vdi2014": lambda s, **k: m.mcrckvdi2014(*s, XT, XC, YT, YC, S12, **k)[0],
        # the fibre-kinking search shares the plane search
        "fblarc05": lambda s, **k: f.fblarc05(-abs(s[0]) - 600.0, *s[1:], XT, XC, YT, YC, S12, 5e3, **k),
    }


CRITERIA = ["puck", "larc05", "larc04", "wiegand", "camanho", "spc3d", "vdi2014", "fblarc05"]


@pytest.mark.parametrize("seed,name", list(enumerate(CRITERIA)))
def test_golden_mode_against_the_scan_over_random_states(vx, seed, name):
    # Each criterion meets states with two peaks, the lesser one best on the
    # coarse scan: a golden search around that peak alone falls short here.
    crit = _criteria(vx)[name]
    rng = np.random.default_rng(seed + 20)
    steps = rng.choice([1.0, 2.0, 5.0, 7.5], 1000)
    off = []
    for s, step in zip(_random_states(rng, 1000), steps):
        golden = crit(s, sainc=5.0, gsflag=1)
        fine = crit(s, sainc=0.25, gsflag=0)
        if golden < fine * (1.0 - 1e-4):
            off.append((tuple(s), golden, fine))
        # never below the scan it starts from, at any step
        assert crit(s, sainc=step, gsflag=1) >= crit(s, sainc=step, gsflag=0), (tuple(s), step)
    assert not off, off[:3]
    assert int(vx.errorhandling.errstat) == 0


def test_both_modes_reach_the_upper_limit_the_steps_stop_short_of(vx):
    # The exposure climbs towards 178 degrees (and the cusp at 180 beyond);
    # the steps accumulate past it and stop a step short, below the other
    # peak's band.
    m = vx.mccollection
    state, strengths = (-25.0, 20.0, 14.0, 4.0, 7.5), (XT, XC, 21.0, 210.0, 19.0, 190.0, 56.0, 50.0, 73.0)
    at_limit = m.mcrckspc3d(*state, *strengths, salims=(178.0, 178.0))[0]
    for step in (2.0, 5.0):
        planes = np.degrees(grid(math.radians(2.0), math.radians(178.0), math.radians(step)))
        assert planes[-1] < 178.0 - 1e-9
        steps = max(m.mcrckspc3d(*state, *strengths, salims=(a, a))[0] for a in planes)
        assert steps < 0.96 * at_limit
        for gsflag in (0, 1):
            assert m.mcrckspc3d(*state, *strengths, sainc=step, gsflag=gsflag)[0] == pytest.approx(at_limit, rel=1e-12)


def test_spc3d_scan_finds_the_peak_at_90_degrees(vx):
    # The steps of 5 degrees from 2 pass 87 and 92; transverse tension peaks
    # sharply on the plane normal to axis 2, just above the strength there.
    m = vx.mccollection
    args = (53.5, 0, 0, 0, 0, 0, 0, 50, 200, 50, 200, 80, 80, 60)
    steps = max(m.mcrckspc3d(*args, salims=(a, a))[0] for a in np.degrees(grid(math.radians(2), math.radians(178),
                                                                                 math.radians(5))))
    assert steps == pytest.approx(0.9867, abs=1e-4)
    rmc, ang = m.mcrckspc3d(*args, outtheta=-1.0)
    assert rmc == pytest.approx(1.07, rel=1e-7) and ang == pytest.approx(math.pi / 2, abs=1e-7)
    assert rmc == pytest.approx(m.mcrckspc3d(*args, gsflag=1)[0], rel=1e-12)


@pytest.mark.parametrize("seed", [3, 4])
def test_spc3d_scan_against_golden_mode_over_random_states(vx, seed):
    m = vx.mccollection
    rng = np.random.default_rng(seed)
    short, lo, hi = 0.0, math.radians(2.0), math.radians(178.0)
    th = grid(lo, hi, math.radians(5.0))
    for k in range(400):
        state = rng.uniform(-1.0, 1.0, 5) * np.array([150.0, 150.0, 80.0, 80.0, 60.0])
        u = rng.uniform(0.5, 2.0, 7) * np.array([50.0, 200.0, 50.0, 200.0, 80.0, 80.0, 60.0])
        if k % 2:
            u[2:4], u[5] = u[0:2], u[4]  # transversely isotropic
        scan = m.mcrckspc3d(*state, XT, XC, *u)[0]
        golden = m.mcrckspc3d(*state, XT, XC, *u, gsflag=1)[0]
        # the step planes, both sides of the jumps and kinks, and the upper end
        planes = np.concatenate([th, sides(normal_traction_zeros(state, lo, hi) + [math.pi / 2], lo, hi), [hi]])
        values = spc3d(*tractions(planes, *state), planes, *u)
        steps = values[: th.size].max()
        assert scan == pytest.approx(values.max(), rel=1e-9)
        assert steps * (1 - 1e-12) <= scan <= golden * (1 + 1e-12)
        if golden <= steps * (1 + 1e-12):  # the step planes hold the maximum
            assert scan == pytest.approx(steps, rel=1e-12)
        short = max(short, 1.0 - scan / golden)
    assert short < 0.04


@pytest.mark.parametrize("peak", [0.3, 2.5, 178.5, 179.99])
def test_golden_mode_across_the_ends_of_the_half_turn(vx, peak):
    # Pure tension normal to the plane at `peak`: Wiegand's exposure is
    # sigma / YT there. Planes 0 and 180 degrees are the same plane, so a peak
    # near either end is found and reported inside the range.
    t, sigma = math.radians(peak), 1.5 * YT
    state = (sigma * math.sin(t) ** 2, sigma * math.cos(t) ** 2, 0.0, 0.0, -sigma * math.sin(t) * math.cos(t))
    for step in (5.0, 7.0):
        rg, ang = vx.mccollection.mcrckwiegand(*state, YT, YC, S12, sainc=step, gsflag=1)[:2]
        assert rg == pytest.approx(1.5, rel=1e-8) and 0.0 <= ang <= math.pi
        assert min(abs(ang - t), math.pi - abs(ang - t)) < math.radians(0.01)


@pytest.mark.parametrize("step,gsflag", [(0.0, 0), (-2.0, 0), (float("nan"), 0), (float("inf"), 0), (0.0, 1),
                                         (float("nan"), 1), (500.0, 1), (181.0, 1)])
def test_unusable_step_is_reported_and_the_default_searched(vx, step, gsflag):
    # Each state loads its criterion to 1.5 on some plane other than the ply
    # plane, where a scan that cannot step stays.
    m = vx.mccollection
    tension, compression = (1.5 * YT, 0.0, 0.0, 0.0, 0.0), (-300.0, -1.5 * YC, 0.0, 40.0, 0.0, 0.0)
    calls = [
        (lambda **k: m.mcrckpuck(*tension, YT, YC, S12, **k)[0], 5.0),
        (lambda **k: m.mcrcklarc05(*tension, YT, YC, S12, **k)[0], 5.0),
        (lambda **k: m.mcrckwiegand(*tension, YT, YC, S12, **k)[0], 5.0),
        (lambda **k: m.mcrckcamanho(*tension, YT, YC, S12, S23, **k)[0], 5.0),
        (lambda **k: m.mcrckvdi2014(0.0, *tension, XT, XC, YT, YC, S12, **k)[0], 5.0),
        (lambda **k: m.mcrcklarc04(*compression, XT, XC, YT, YC, S12, 140e3, 9e3, 5e3, 0.3, **k)[0], 5.0),
        # the native default step of SPC3D is 2 degrees
        (lambda **k: m.mcrckspc3d(*tension, XT, XC, YT, YC, YT, YC, S12, S12, S23, **k)[0], 2.0),
    ]
    for crit, default in calls:
        vx.errorhandling.rsxerr(1)
        r = crit(sainc=step, gsflag=gsflag)
        assert error_record(vx) == (-2, "Warning: Step of the fracture plane search not usable; default step taken.")
        # the stand-in step is the native default (5 degrees to the last bit of its radians)
        assert r >= 1.0 and r == pytest.approx(crit(sainc=default, gsflag=gsflag), rel=1e-12)


SPECIAL = [(-50.0, 0.0, 40.0, 10.0, 30.0),   # zeros at 0 and 180 degrees
           (0.0, -50.0, 40.0, 10.0, 30.0),   # a zero at 90 degrees
           (-50.0, 30.0, 40.0, 10.0, 0.0)]   # zeros symmetric about 90


@pytest.mark.parametrize("lims", [(0.0, 180.0), (2.0, 178.0), (172.0, 203.0), (-31.0, 201.0), (93.0, 302.0)])
def test_scan_places_the_break_planes_of_any_range(vx, lims):
    # Within a half turn, across its end and over more than one: the step
    # planes, both sides of every zero of the normal traction and of every
    # multiple of 90 degrees inside the range, and the upper limit.
    m = vx.mccollection
    u = (50.0, 200.0, 40.0, 180.0, 80.0, 75.0, 60.0)
    lo, hi = np.radians(lims)
    th = grid(lo, hi, math.radians(5.0))
    rng = np.random.default_rng(int(lims[0]) + 100)
    won = 0
    for state in SPECIAL + list(rng.uniform(-1.0, 1.0, (40, 5)) * 60.0):
        breaks = normal_traction_zeros(state, lo, hi) + [k * math.pi / 2 for k in range(-1, 5)]
        near = sides(breaks, lo, hi)
        planes = np.concatenate([th, near, [hi]])
        values = spc3d(*tractions(planes, *state), planes, *u)
        # loaded beyond failure (the exposure grows with the stress) so that the angle is reported
        k = 2.0 / values.max()
        rmc, ang = m.mcrckspc3d(*(k * np.array(state)), XT, XC, *u, salims=lims, outtheta=-1.0)
        assert rmc == pytest.approx(2.0, rel=1e-12), (state, lims)
        # the angle of a plane that holds the maximum (over more than a half
        # turn the same plane may come twice)
        at = np.abs(planes - ang) <= 1e-12
        assert at.any() and values[at].max() == pytest.approx(values.max(), rel=1e-12), (state, lims)
        won += th.size <= np.argmax(values) < th.size + len(near)
        # golden mode starts from the same planes
        assert m.mcrckspc3d(*(k * np.array(state)), XT, XC, *u, salims=lims, gsflag=1)[0] >= rmc * (1 - 1e-12)
    # the planes at multiples of 90 degrees lie off the steps (but over a half turn from 0)
    assert won >= (0 if lims == (0.0, 180.0) else 10)


@pytest.mark.parametrize("state", SPECIAL)
def test_half_turn_scan_at_the_special_zeros(vx, state):
    planes = np.concatenate([grid(0.0, math.pi, math.radians(5.0)),
                             sides(normal_traction_zeros(state, 0.0, math.pi), 0.0, math.pi)])
    values = puck(*tractions(planes, *state))
    scaled = tuple(2.0 / values.max() * x for x in state)  # the exposure grows with the stress
    rmc, ang = vx.mccollection.mcrckpuck(*scaled, YT, YC, S12, outtheta=-1.0)[:2]
    assert rmc == pytest.approx(2.0, rel=1e-12) and ang == pytest.approx(planes[np.argmax(values)], abs=1e-12)


def test_golden_mode_refines_beyond_a_break_on_a_step_plane(vx):
    # With no s22 and s33 the normal traction changes sign at 90 degrees, a
    # plane of the 5-degree steps; the peak lies 2 degrees beyond it. The step
    # left out and the step given meet the same failed effort there.
    state = (0.0, 0.0, -55.28127615710148, -40.78878223557081, -34.697569143274954)
    for given in ({}, {"sainc": 5.0}):
        rmc, ang = vx.mccollection.mcrckwiegand(*state, 40.738, 120.96, 85.385, outtheta=-1.0, gsflag=1, **given)
        assert rmc == pytest.approx(1.00100, abs=1e-5) and math.degrees(ang) == pytest.approx(92.03, abs=0.01)
    # No s33: the sign changes at 0 degrees, and LaRC05's exposure dips just
    # beyond it before its peak at 5.1 degrees, within the first step of 7.5.
    state = (-97.35409752720949, 0.0, -12.775646847621331, -102.66144648108744, -72.00733904899494)
    fine = vx.mccollection.mcrcklarc05(*state, YT, YC, S12, sainc=0.05)[0]
    rmc, ang = vx.mccollection.mcrcklarc05(*state, YT, YC, S12, outtheta=-1.0, sainc=7.5, gsflag=1)
    assert rmc >= fine and math.degrees(ang) == pytest.approx(5.11, abs=0.01)


def _with_angle(vx):
    """Each criterion as (effort, fracture angle) when the search can return
    its angle (a negative outtheta asks for it), else (effort, None)."""
    m, f = vx.mccollection, vx.fbcollection
    el = (140e3, 9e3, 5e3, 0.3)
    fb = {"fblarc05": f.fblarc05, "fblarc05_is": f.fblarc05_is}
    mc = {
        "puck": lambda s, **k: m.mcrckpuck(*s[1:], YT, YC, S12, outtheta=-1.0, **k)[:2],
        "larc05": lambda s, **k: m.mcrcklarc05(*s[1:], YT, YC, S12, outtheta=-1.0, **k),
        "larc04": lambda s, **k: m.mcrcklarc04(*s, XT, XC, YT, YC, S12, *el, outtheta=-1.0, **k),
        "wiegand": lambda s, **k: m.mcrckwiegand(*s[1:], YT, YC, S12, outtheta=-1.0, **k),
        "camanho": lambda s, **k: m.mcrckcamanho(*s[1:], YT, YC, S12, S23, outtheta=-1.0, **k),
        "spc3d": lambda s, **k: m.mcrckspc3d(*s[1:], XT, XC, YT, YC, 45.0, 180.0, S12, 70.0, S23, outtheta=-1.0,
                                             **k),
        "vdi2014": lambda s, **k: m.mcrckvdi2014(*s, XT, XC, YT, YC, S12, outtheta=-1.0, **k),
    }
    out = {k: (lambda c: lambda s, **kw: tuple(c(s, **kw)))(c) for k, c in mc.items()}
    for k, c in fb.items():
        out[k] = (lambda c: lambda s, **kw: (c(-abs(s[0]) - 600.0, *s[1:], XT, XC, YT, YC, S12, 5e3, **kw), None))(c)
    return out


@pytest.mark.parametrize("seed,name", list(enumerate(CRITERIA + ["fblarc05_is"])))
def test_golden_mode_with_breaks_on_step_planes_over_random_states(vx, seed, name):
    # Zeroed components put the breaks of each search on the planes 0 and 90
    # degrees, which the steps of 5 degrees reach within a rounding either
    # side, depending on the step's last bits. Whatever those bits, golden
    # mode must refine the peaks just beyond the breaks as a fine scan sees
    # them, and the step left out must be the step of 5 degrees given.
    crit = _with_angle(vx)[name]
    rng = np.random.default_rng(seed + 40)
    five = 5.0
    steps = [five, np.nextafter(five, 10.0), np.nextafter(np.nextafter(five, 10.0), 10.0), np.nextafter(five, 0.0),
             np.nextafter(np.nextafter(five, 0.0), 0.0)]
    # matrix searches break where s22 or s33 vanish; the kink search where s12 or s13 does
    zero = [[1], [2], [1, 2]] if name[:2] != "fb" else [[3], [4]]
    off = []
    for k, s in enumerate(_random_states(rng, 300)):
        s[zero[k % len(zero)]] = 0.0
        left_out = crit(s, gsflag=1)
        assert left_out == crit(s, sainc=five, gsflag=1), tuple(s)
        fine = crit(s, sainc=0.25, gsflag=0)[0]
        for step in steps:
            golden = crit(s, sainc=step, gsflag=1)[0]
            assert golden >= crit(s, sainc=step, gsflag=0)[0], (tuple(s), step)
            if golden < fine * (1.0 - 1e-4):
                off.append((tuple(s), step, golden, fine))
    assert not off, off[:3]
    assert int(vx.errorhandling.errstat) == 0


# How far the default scan (gsflag 0, 5 degrees) falls short of the largest exposure, as each
# docstring states it. Strength sets: 11, 22, 33 tension and compression, then 12, 13, 23 shear.
SCAN_STRENGTHS = {
    "cfrp": dict(xt11=1500., xc11=1200., xt22=50., xc22=200., xt33=50., xc33=200., x12=80., x13=80., x23=40.),
    "gfrp": dict(xt11=1000., xc11=700., xt22=30., xc22=250., xt33=30., xc33=250., x12=100., x13=100., x23=50.),
}
SCAN_G12, SCAN_E = 5000.0, (140e3, 10e3, 5000.0, 0.3)  # G12; E1, E2, G12, nu12 of LaRC04


def scan_criterion(vx, name, x):
    """(effort of the stress vector s, docstring) of a plane-searching criterion."""
    mc, fb = vx.mccollection, vx.fbcollection
    calls = {
        "mcrcklarc05": lambda s, **k: mc.mcrcklarc05(*s, x["xt22"], x["xc22"], x["x12"], **k)[0],
        "mcrckcamanho": lambda s, **k: mc.mcrckcamanho(*s, x["xt22"], x["xc22"], x["x12"], x["x23"], **k)[0],
        "mcrckwiegand": lambda s, **k: mc.mcrckwiegand(*s, x["xt22"], x["xc22"], x["x12"], **k)[0],
        "mcrckpuck": lambda s, **k: mc.mcrckpuck(*s, x["xt22"], x["xc22"], x["x12"], **k)[0],
        "mcrckspc3d": lambda s, **k: mc.mcrckspc3d(*s, x["xt11"], x["xc11"], x["xt22"], x["xc22"], x["xt33"],
                                                   x["xc33"], x["x12"], x["x13"], x["x23"], **k)[0],
        "mcrckvdi2014": lambda s, **k: mc.mcrckvdi2014(*s, x["xt11"], x["xc11"], x["xt22"], x["xc22"], x["x12"],
                                                       **k)[0],
        "mcrcklarc04": lambda s, **k: mc.mcrcklarc04(*s, x["xt11"], x["xc11"], x["xt22"], x["xc22"], x["x12"],
                                                     *SCAN_E, **k)[0],
        "fblarc05": lambda s, **k: fb.fblarc05(*s, x["xt11"], x["xc11"], x["xt22"], x["xc22"], x["x12"], SCAN_G12,
                                               **k),
        "fblarc05_is": lambda s, **k: fb.fblarc05_is(*s, x["xt11"], x["xc11"], x["xt22"], x["x23"], x["x12"],
                                                     SCAN_G12, **k),
    }
    comp = fb if name.startswith("fb") else mc
    return calls[name], getattr(comp, name).__doc__


# The state of each criterion, scaled to an effort of 1, where a search for the worst case
# found the scan furthest below the largest exposure.
SCAN_WORST = [
    ("mcrcklarc05", "gfrp", [-100.0083515, -46.55340436, 20.74889191, 15.90320669, -99.76262739]),
    ("mcrcklarc04", "cfrp", [-19.89095641, -37.54769149, 65.34167226, 7.00772981, 3.962353138, 44.75324172]),
    ("mcrckcamanho", "cfrp", [-9.377046286, -13.75442182, -8.187874740, 2.876943973, 40.98112695]),
    ("mcrckwiegand", "gfrp", [-58.79963908, -74.81418097, -28.32238377, 24.22001251, 96.44203650]),
    ("mcrckpuck", "gfrp", [-110.5084367, -52.04152650, 27.58386092, 12.67923360, -107.2895137]),
    ("mcrckvdi2014", "gfrp", [13.24864999, -168.5488561, 20.52463129, 39.56350613, -2.781630604, -42.87656495]),
    ("mcrckspc3d", "gfrp", [-385.7265054, -47.34062753, -23.04904057, -36.49772277, 2.292358384]),
    ("fblarc05", "gfrp", [-46.23661446, -95.64739405, -43.07014062, 20.09393194, -5.411497141, -100.4684578]),
    ("fblarc05_is", "gfrp", [-647.2282893, -1355.174740, -784.5508453, 22.68298093, -184.5022606, 209.5843731]),
]


@pytest.mark.parametrize("name,strengths,worst", SCAN_WORST, ids=[c[0] for c in SCAN_WORST])
def test_default_scan_falls_short_by_what_the_docstring_states(vx, name, strengths, worst):
    """Against a dense scan (0.01 degrees) and golden mode: the 5-degree scan stays within the
    stated shortfall on random states near failure, comes close to it on the worst state found,
    and golden mode stays within its stated tolerance."""
    f, doc = scan_criterion(vx, name, SCAN_STRENGTHS[strengths])
    flat = " ".join(doc.split())
    stated = float(flat.split("the scan reported up to ")[1].split(" %")[0]) / 100
    golden = float(flat.split("0.01 degrees, within ")[1].split(" ")[0])

    def shortfall(s):
        ref = max(f(s, gsflag=1), f(s, gsflag=0, sainc=0.01))
        return (ref - f(s)) / ref, (ref - f(s, gsflag=1)) / ref

    rng = np.random.default_rng(5)
    states = [np.array(worst)]
    while len(states) < 16:
        d = rng.normal(size=len(worst))
        d[0] = -abs(d[0]) if name.startswith("fb") else d[0]  # kinking needs fibre compression
        if name == "mcrcklarc04":
            d[1] = -abs(d[1])  # the search runs for a compressive s22 only
        lo, hi = 1e-3, 1e4
        if not f(lo * d, gsflag=1) < 1.0 < f(hi * d, gsflag=1):
            continue
        for _ in range(50):
            mid = math.sqrt(lo * hi)
            lo, hi = (mid, hi) if f(mid * d, gsflag=1) < 1.0 else (lo, mid)
        if 1.0 <= f(hi * d, gsflag=1) <= 1.001:  # near failure, not past a jump of the effort
            states.append(hi * d)
    found = [shortfall(s) for s in states]
    assert f(states[0], gsflag=1) == pytest.approx(1.0, abs=1e-6)
    assert all(scan <= stated for scan, _ in found), (name, max(found), stated)
    assert found[0][0] >= 0.9 * stated, (name, found[0][0], stated)  # the stated figure is not stale
    assert all(gold <= golden for _, gold in found), (name, max(g for _, g in found), golden)
