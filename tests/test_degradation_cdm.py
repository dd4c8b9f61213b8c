"""Continuum damage degradation: Matzenmiller stiffness, mode weights, crack-band schemes, crack-frame degradation."""
import math

import numpy as np
import pytest

from conftest import error_record

PROP = np.array([140e3, 10e3, 9e3, 3.5e3, 5e3, 5.5e3, 0.45, 0.3, 0.28])  # E1 E2 E3 G23 G13 G12 nu23 nu13 nu12


def damaged_compliance(p, d):
    """Compliance with the direct moduli scaled by (1 - d), Voigt order, tensor shears."""
    e1, e2, e3, g23, g13, g12, nu23, nu13, nu12 = p
    s = np.zeros((6, 6))
    s[:3, :3] = [[1 / ((1 - d[0]) * e1), -nu12 / e1, -nu13 / e1],
                 [-nu12 / e1, 1 / ((1 - d[1]) * e2), -nu23 / e2],
                 [-nu13 / e1, -nu23 / e2, 1 / ((1 - d[2]) * e3)]]
    return s


def test_matzenmiller_stiffness(vx):
    for d in ([0, 0, 0], [0.3, 0.5, 0.1]):
        c = vx.degradation.matzenmillerdegradation(PROP, d, 0.2, 0.4, 0.6)
        np.testing.assert_allclose(c[:3, :3], np.linalg.inv(damaged_compliance(PROP, d)[:3, :3]), rtol=1e-12)
        np.testing.assert_allclose(np.diag(c)[3:], 2 * np.array([0.8 * 3.5e3, 0.6 * 5e3, 0.4 * 5.5e3]))
        assert not c[3:, :3].any() and not c[:3, 3:].any()
    c = vx.degradation.matzenmillerdegradation(PROP, [1.0, 0, 0], 0, 0, 0)
    assert not c[0, :].any() and not c[:, 0].any()


def test_mode_weights_and_degraded_stiffness(vx):
    e4 = np.eye(9)[3]
    for acc in (1, 0):
        w, _ = vx.degradation.degradationfrommodes(acc, e4)
        np.testing.assert_allclose(w, [0, 0, 1, 1 / 3, 0, 1 / 3, 0.5, 1, 0.5])
    d = np.array([0.8, 0.9, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0])
    w_sum, _ = vx.degradation.degradationfrommodes(1, d)
    w_max, _ = vx.degradation.degradationfrommodes(0, d)
    assert w_sum[0] == 1.0 and w_sum[6] == 1.0  # 0.8 + 0.45 and 1.7 limited: no negative stiffness
    assert w_max[0] == 0.8 and w_max[1] == 0.9 and w_max[6] == 0.9
    # the stiffness from the weights: tension values where effort > 0, compression values elsewhere
    moduli = np.array([140e3, 120e3, 10e3, 12e3, 9e3, 11e3, 3.5e3, 5e3, 5.5e3])
    vnu = np.array([0.45, 0.3, 0.28])
    dm = np.array([0.2, 0.1, 0.3, 0.0, 0.4, 0.0, 0.0, 0.0, 0.0])
    w, c = vx.degradation.degradationfrommodes(1, dm, moduli, vnu, [1.0, -1.0, 1.0])
    prop = np.r_[140e3, 12e3, 9e3, 3.5e3, 5e3, 5.5e3, vnu]
    ref = vx.degradation.matzenmillerdegradation(prop, [w[0], w[3], w[4]], w[7], w[8], w[6])
    np.testing.assert_array_equal(c, ref)
    # defaults from Python: moduli 1, vnu 0.3, effort 1
    w, c = vx.degradation.degradationfrommodes(0)
    assert not w.any() and c[3, 3] == 2.0


def test_nan_mode_damage_counts_as_full_damage(vx):
    """Mode 1 NaN weighs like mode 1 at full damage, in both combinations."""
    d, full = np.zeros(9), np.eye(9)[0]
    d[0] = math.nan
    for acc in (1, 0):
        w, c = vx.degradation.degradationfrommodes(acc, d)
        want, cref = vx.degradation.degradationfrommodes(acc, full)
        np.testing.assert_array_equal(w, want)
        np.testing.assert_array_equal(c, cref)
        assert w[0] == 1.0
    assert error_record(vx) == (-2, "NaN mode damage in DegradationFromModes")


def falzon(vx, s, e, hist, phi=0.0, gc=(2.0, 4.0, 4.0, 4.0), lengths=(1.0, 1.0, 1.0)):
    dsix = np.ones(6)
    h = [np.array(float(v)) for v in hist]
    vx.degradation.falzondegradationparameters(np.asarray(s, float), np.asarray(e, float), phi, dsix, *h,
                                               np.asarray(gc, float), np.asarray(lengths, float))
    return dsix, [float(v) for v in h]


def test_falzon_softening_from_a_zero_history(vx):
    s1, e1 = [0, 60.0, 0, 0, 0, 0], [0, 0.006, 0, 0, 0, 0]
    dsix, h = falzon(vx, s1, e1, [0, 0, 0, 0, 0])
    epsi, epsu, sigi, gmix, w = h
    assert (epsi, sigi, gmix, w) == (0.006, 60.0, 2.0, 0.0)
    assert epsu == pytest.approx(2 * 2.0 / 60.0)
    np.testing.assert_array_equal(dsix, 1.0)
    dsix, h2 = falzon(vx, np.multiply(s1, 1.5), np.multiply(e1, 1.5), h)
    assert h2[:4] == h[:4]  # the onset stays fixed
    w = h2[4]
    assert w == pytest.approx((1 - 1 / 1.5) * epsu / (epsu - epsi)) and w == pytest.approx(0.366, abs=1e-3)
    assert dsix[1] == pytest.approx(1 - w) and dsix[3] == dsix[1]
    assert dsix[2] == pytest.approx(1 - w)  # no 33 stress: degraded by 1 - w
    assert dsix[5] == pytest.approx(2 * (1 - w) - (1 - w) ** 2) and dsix[0] == 1.0
    # unloading never heals; compression across the plane is not degraded
    dsix, h3 = falzon(vx, s1, e1, h2)
    assert h3[4] == w
    dsix, h4 = falzon(vx, [0, -60.0, 0, 0, 0, 0], [0, -0.006, 0, 0, 0, 0], h2)
    assert dsix[1] == 1.0 and h4[4] == w


def test_falzon_on_a_turned_plane(vx):
    phi = 0.3
    c, s = math.cos(phi), math.sin(phi)
    # plane strain state whose rotated 22 component is pure opening
    s22, s33, s23 = 50.0 * c * c, 50.0 * s * s, 50.0 * c * s
    dsix, h = falzon(vx, [0, s22, s33, 0, 0, s23], [0, 0.005 * c * c, 0.005 * s * s, 0, 0, 0.005 * c * s], [0] * 5,
                     phi=phi, lengths=(1.0, 0.5, 0.5))
    assert h[2] == pytest.approx(50.0, rel=1e-12)  # traction norm on the plane
    assert h[1] == pytest.approx(2 * 2.0 / ((0.5 / c) * 50.0))  # crack band of length l2 / cos(phi)


def test_bogenfeld_history_in_state_variables(vx):
    props = np.array([0.0, 2.0, 4.0, 4.0, 4.0])
    lengths = np.array([1.0, 1.0, 1.0])
    sdv = -np.ones(5)
    d, sdv1 = vx.degradation.bogenfelddegradation(sdv, [0, 60.0, 0, 0, 0, 0], [0, 0.006, 0, 0, 0, 0], lengths, props, 3)
    assert d == 0.0
    np.testing.assert_allclose(sdv1[:4], [0.006, 60.0, 2.0, max(2 * 2.0 / 60.0, 1.2 * 0.006)])
    assert sdv1[4] == -1.0
    d, sdv2 = vx.degradation.bogenfelddegradation(sdv1, [0, 90.0, 0, 0, 0, 0], [0, 0.009, 0, 0, 0, 0], lengths,
                                                  props, 3)
    np.testing.assert_array_equal(sdv2, sdv1)  # history kept
    eu = sdv1[3]
    assert d == pytest.approx((1 - 1 / 1.5) * eu / (eu - 0.006))
    d, sdv3 = vx.degradation.bogenfelddegradation(sdv, [0, 60.0, 0, 0, 0, 0], [0] * 6, lengths, props, 0)
    assert d == 0.0 and (sdv3 == -1).all()
    vx.degradation.bogenfelddegradation(sdv, [0] * 6, [0] * 6, lengths, props, 5)
    assert int(vx.errorhandling.errstat) == -2
    assert vx.errorhandling.errstring[()].decode().strip() == "Unknown mode in BogenfeldDegradation"


@pytest.mark.parametrize("extra", [7.0, 0.0, np.finfo(float).max, math.nan])
def test_bogenfeld_history_is_held_in_the_first_four_state_variables(vx, extra):
    # Further state variables are the caller's: whatever they hold, an unset history is an onset
    # (not the -1 markers read as a history) and a set one is read as with four; they stay as given.
    props, lengths = np.array([0.3, 0.2, 1.0, 0.6, 0.6]), np.ones(3)
    first = ([10.0, 40.0, 5.0, 4.0, 3.0, 20.0], [1e-3, 0.01, 2e-3, 2e-3, 1e-3, 0.005])
    later = ([10.0, 50.0, 5.0, 4.0, 3.0, 30.0], [1e-3, 0.03, 2e-3, 2e-3, 1e-3, 0.01])
    sdv4, sdv6 = -np.ones(4), np.array([-1.0] * 4 + [extra, -1.0])
    for s, e in (first, later):
        d4, sdv4 = vx.degradation.bogenfelddegradation(sdv4, s, e, lengths, props, 3)
        d6, sdv6 = vx.degradation.bogenfelddegradation(sdv6, s, e, lengths, props, 3)
        assert d6 == d4 and math.isfinite(d4)
        np.testing.assert_array_equal(sdv6, np.concatenate([sdv4, [extra, -1.0]]))
    assert sdv4[0] > 0.0 and d4 > 0.0  # the onset was fixed, then damage grew


def test_tensor_degradation_in_the_crack_frame(vx):
    c = np.linalg.inv(damaged_compliance(PROP, [0, 0, 0])[:3, :3])
    csix = np.zeros((6, 6))
    csix[:3, :3] = c
    csix[3:, 3:] = np.diag([3.5e3, 5e3, 5.5e3])
    for ang in (0.0, 0.4):
        np.testing.assert_allclose(vx.degradation.tensordegradation(csix, ang, 0.0, 2, 0), csix, atol=1e-9)
    # no rotation, full damage: every entry carrying index 2 (22, 23, 12 in Voigt order) vanishes
    out = vx.degradation.tensordegradation(csix, 0.0, 1.0, 2, 0)
    keep = np.array([1, 0, 1, 0, 1, 0], bool)
    np.testing.assert_allclose(out[np.ix_(keep, keep)], csix[np.ix_(keep, keep)], rtol=1e-14)
    assert np.allclose(out[~keep, :], 0) and np.allclose(out[:, ~keep], 0)
    # nn = -1 keeps the normal-normal couplings
    out = vx.degradation.tensordegradation(csix, 0.0, 1.0, 2, -1)
    np.testing.assert_allclose(out[:3, :3], csix[:3, :3], rtol=1e-14)
    assert out[3, 3] == 0.0 and out[5, 5] == 0.0 and out[4, 4] == csix[4, 4]
    # a quarter turn about the fibre brings axis 2 onto axis 3
    for nn in (0, -1):
        np.testing.assert_allclose(vx.degradation.tensordegradation(csix, math.pi / 2, 0.5, 2, nn),
                                   vx.degradation.tensordegradation(csix, 0.0, 0.5, 3, nn), atol=1e-9)
    out = vx.degradation.tensordegradation(csix, 0.4, 0.5, 2, 0)
    np.testing.assert_allclose(out, out.T, rtol=1e-12, atol=1e-9)
    assert out[0, 0] == pytest.approx(csix[0, 0]) and out[1, 1] < csix[1, 1]


@pytest.mark.parametrize("nprops, nsdv", [(1, 4), (5, 3)])
def test_bogenfeld_refuses_short_arrays_natively(vx, lib, nprops, nsdv):
    # From C the counts are all the routine knows about props and sdv.
    import ctypes
    p = lambda a: a.ctypes.data_as(ctypes.c_void_p)
    i4 = lambda v: ctypes.byref(ctypes.c_int32(v))
    d, sdv = ctypes.c_double(0.5), np.full(nsdv, -1.0)
    s = np.array([0.0, 80.0, 0.0, 0.0, 0.0, 20.0])
    props = np.array([0.3, 1.0, 1.0, 1.0, 1.0])[:nprops]
    lib.BogenfeldDegradation(ctypes.byref(d), p(sdv), p(s), p(s / 1e4), p(np.ones(3)), p(props), i4(3), i4(nsdv),
                             i4(nprops))
    assert error_record(vx) == (-2, "Too few props or state variables in BogenfeldDegradation")
    assert d.value == 0.5 and np.all(sdv == -1.0)


def crack_normal(baseid, angle):
    """Axis baseid of the frame turned by +angle about axis 1 (axis 2 towards axis 3)."""
    c, s = math.cos(angle), math.sin(angle)
    return {1: np.array([1.0, 0.0, 0.0]), 2: np.array([0.0, c, s]), 3: np.array([0.0, -s, c])}[baseid]


@pytest.mark.parametrize("angle", [0.3, 1.0, -0.7, 2.5])
@pytest.mark.parametrize("baseid", [1, 2, 3])
def test_tensor_degradation_frees_the_crack_of_a_positive_turn(vx, baseid, angle):
    # Fully cracked (d 1, nn 0): no strain loads the crack faces, so the
    # traction sigma n vanishes on the crack plane of normal n, and only there.
    c = np.linalg.inv(damaged_compliance(PROP, [0, 0, 0])[:3, :3])
    csix = np.zeros((6, 6))
    csix[:3, :3] = c
    csix[3:, 3:] = np.diag([3.5e3, 5e3, 5.5e3])
    cdeg = vx.degradation.tensordegradation(csix, angle, 1.0, baseid, 0)
    n = crack_normal(baseid, angle)
    rng = np.random.default_rng(baseid)
    for eps in rng.normal(size=(4, 6)) * 1e-3:  # Voigt order, engineering shears
        s = cdeg @ eps
        sig = np.array([[s[0], s[5], s[4]], [s[5], s[1], s[3]], [s[4], s[3], s[2]]])
        scale = np.abs(csix).max() * np.abs(eps).max()
        np.testing.assert_allclose(sig @ n, 0.0, atol=1e-12 * scale)

    def stretch(m):  # unit normal strain along m, Voigt order, engineering shears
        e = np.outer(m, m)
        return np.array([e[0, 0], e[1, 1], e[2, 2], 2 * e[1, 2], 2 * e[0, 2], 2 * e[0, 1]])

    # opening the crack costs nothing; along the normal of the opposite turn it does
    np.testing.assert_allclose(cdeg @ stretch(n), 0.0, atol=1e-12 * np.abs(csix).max())
    if baseid != 1:
        assert np.abs(cdeg @ stretch(n * [1.0, 1.0, -1.0])).max() > 0.01 * np.abs(csix[1:3, 1:3]).max()
