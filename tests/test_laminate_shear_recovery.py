"""Stresses through the thickness: transverse shear and normal stresses in
equilibrium with the section forces, f at any height, curvature terms and the
distribution values of curved sections."""
import numpy as np
import pytest
from scipy.integrate import quad

from conftest import error_record
from laminate_oracle import abd_parallel_axis, bounds, qbar, section_points, simpson_per_ply as simpson

CFRP = np.array([140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 5e3, 4.2e3, 3.1e3])
GFRP = np.array([40e3, 12e3, 12e3, 0.28, 0.28, 0.4, 4.5e3, 4.0e3, 3.5e3])


def section(vx, angles, thick, mixed=True):
    n = len(angles)
    pe = np.column_stack([(CFRP, GFRP)[k % 2 if mixed else 0] for k in range(n)])
    o, t = np.asarray(angles, float), np.asarray(thick, float)
    z = section_points(t)
    lst = np.arange(1, n + 1, dtype=np.int32)[:, None]
    f = vx.laminate.getsectionfmatrix(lst, o[:, None], t[:, None], z[:, None], pe[:, :, None])[:, :, 0]
    return pe, o, t, z, f


ANGLES, THICK = (0, 45, -45, 90, 0), (0.2, 0.25, 0.25, 0.3, 0.2)


def test_shear_stresses_carry_the_shear_forces(vx):
    _, o, t, z, f = section(vx, (0,) * 5, THICK)
    r = np.array([120.0, -45.0])
    tau = vx.laminate.getext2dshearstress(r, o, f, 3)
    # bottom, middle, top of every ply: the stored points 2k-1, 2k, 2k+1
    pts = np.concatenate([tau[3 * k: 3 * k + 2] for k in range(5)] + [tau[-1:]])
    np.testing.assert_allclose(simpson(pts, t), r, rtol=1e-12)
    np.testing.assert_allclose(tau[[0, -1]], 0.0, atol=1e-9)
    # one section point per ply takes the ply's top
    np.testing.assert_allclose(vx.laminate.getext2dshearstress(r, o, f, 1), tau[2::3], rtol=1e-15)


def test_shear_stresses_turn_with_the_ply_angle_in_degrees(vx):
    _, _, t, z, f = section(vx, (0, 90), (0.3, 0.3))
    r = np.array([10.0, 4.0])
    flat = vx.laminate.getext2dshearstress(r, np.zeros(2), f, 3)
    turned = vx.laminate.getext2dshearstress(r, np.array([0.0, 90.0]), f, 3)
    np.testing.assert_allclose(turned[:3], flat[:3], rtol=1e-15)
    np.testing.assert_allclose(turned[3:], np.column_stack([-flat[3:, 1], flat[3:, 0]]), atol=1e-12)


def test_shear_stresses_read_the_four_values_by_rows(vx):
    # Values of no symmetry (as the curved-section values may be): at every
    # point c1, c2 weigh r into stress 23 and c3, c4 into stress 13, then the
    # pair turns by the ply angle.
    f = np.random.default_rng(5).uniform(-2.0, 2.0, (5, 4))
    r = np.array([3.0, -7.0])
    angles = np.array([0.0, 30.0])
    got = vx.laminate.getext2dshearstress(r, angles, f, 3)
    for k, th in enumerate(np.radians(angles)):
        for sp, p in enumerate((2 * k, 2 * k + 1, 2 * k + 2)):
            c1, c2, c3, c4 = f[p]
            t23, t13 = c1 * r[0] + c2 * r[1], c3 * r[0] + c4 * r[1]
            expect = [np.cos(th) * t23 - np.sin(th) * t13, np.sin(th) * t23 + np.cos(th) * t13]
            np.testing.assert_allclose(got[3 * k + sp], expect, rtol=1e-14, atol=1e-14)


def test_normal_stress_integrates_the_equilibrium(vx):
    L = vx.laminate
    _, _, t, z, f = section(vx, ANGLES, THICK)
    zero = np.zeros(2)
    np.testing.assert_array_equal(L.getnormalstressfrombottom(zero, zero, z, f), 0.0)
    np.testing.assert_array_equal(L.getnormalstressfromtop(zero, zero, 3.5, z, f), 3.5)
    rdx, rdy = np.array([2.0, -1.5]), np.array([0.7, 3.0])
    s_up = L.getnormalstressfrombottom(rdx, rdy, z, f)
    # the integrand is -(f11 rdy1 + f21 rdy2 + f12 rdx1 + f22 rdx2); f integrates to the identity
    assert s_up[-1] == pytest.approx(-(rdy[0] + rdx[1]), rel=1e-11)
    s_down = L.getnormalstressfromtop(rdx, rdy, s_up[-1], z, f)
    np.testing.assert_allclose(s_down, s_up, atol=1e-12)
    # a constant integrand g gives g (z - z_bottom)
    const = np.zeros_like(f)
    const[:, 0] = 1.0
    np.testing.assert_allclose(L.getnormalstressfrombottom(zero, np.array([-2.5, 0.0]), z, const),
                               2.5 * (z - z[0]), atol=1e-14)


def test_small_f_at_any_height(vx):
    L = vx.laminate
    _, _, t, z, f = section(vx, ANGLES, THICK)
    m = lambda p: f[p].reshape(2, 2)  # noqa: E731  rows (c1, c2), (c3, c4)
    for i in (1, 3, 5):
        for j in range(3):
            np.testing.assert_allclose(L.getarbitrarysmallf(i, z[2 * i - 2 + j], z, f), m(2 * i - 2 + j), atol=1e-15)
    # inside a ply the values lie on the parabola through its three points
    i, zq = 2, z[2] + 0.3 * t[1]
    coef = np.polyfit(z[2:5], f[2:5], 2)
    np.testing.assert_allclose(L.getarbitrarysmallf(i, zq, z, f).ravel(), np.polyval(coef, zq), rtol=1e-10)
    assert error_record(vx)[0] == 0
    out = L.getarbitrarysmallf(i, z[5] + 0.01, z, f)
    assert error_record(vx) == (-2, "Error during the calculation of f(z)")
    np.testing.assert_allclose(out.ravel(), np.polyval(coef, z[5] + 0.01), rtol=1e-10)
    vx.errorhandling.rsxerr(1)
    np.testing.assert_array_equal(L.getarbitrarysmallf(9, 0.0, z, f), 0.0)
    assert error_record(vx)[0] == -2


def test_membrane_normal_stress_from_curvature(vx):
    L = vx.laminate
    z = np.array([-0.5, -0.3, -0.1, 0.05, 0.2, 0.35, 0.5])
    pts = np.array([4, 4], dtype=np.int32)  # points 1-4 and 4-7
    sbt = np.array([10.0, -4.0, 6.0, 12.0])
    np.testing.assert_array_equal(L.getintegralofmembranenormalstress(sbt, z, pts, 0.0, 0.3), 0.0)
    ki, kj = 0.4, -0.25
    got = L.getintegralofmembranenormalstress(sbt, z, pts, ki, kj)

    def sigma(x):
        k, lo, hi = (0, z[0], z[3]) if x <= z[3] else (1, z[3], z[6])
        return sbt[2 * k] + (sbt[2 * k + 1] - sbt[2 * k]) * (x - lo) / (hi - lo)

    for i, zi in enumerate(z):
        acc = 0.0 if i == 0 else -ki * (quad(lambda x: sigma(x) * (1 - kj * x), z[0], min(zi, z[3]))[0] +
                                        (quad(lambda x: sigma(x) * (1 - kj * x), z[3], zi)[0] if zi > z[3] else 0))
        assert got[i] == pytest.approx(acc / ((1 - ki * zi) * (1 - kj * zi)), rel=1e-12, abs=1e-13)


def test_curved_section_values_reduce_to_the_flat_ones(vx):
    L = vx.laminate
    pe, o, t, z, f = section(vx, (0, 90, 90, 0), (0.25,) * 4, mixed=False)
    args = (np.arange(1, 5, dtype=np.int32)[:, None], o[:, None], t[:, None], z[:, None], pe[:, :, None])
    fg = L.getarbitrarysectionfg(*args, 1, 1)[:, :, 0]
    np.testing.assert_allclose(fg, f, atol=1e-12)  # symmetric cross-ply, no curvature: the flat values
    np.testing.assert_array_equal(L.getarbitrarysectionfg(*args, 1, 1, xycurv=[0.0, 0.0])[:, :, 0], fg)


@pytest.mark.parametrize("fgflag", [1, 0])
@pytest.mark.parametrize("angles", [(0, 45, 90), (45, -45, 45)])
def test_curved_section_values_from_running_integrals(vx, fgflag, angles):
    """Scaled running integrals of Qbar (1 - ki z)(1 - kj z) and of Qbar z (...)
    by quadrature, paired with the partial inverses of A, B, D (numpy): for
    fgflag 1 the strain and curvature of a unit moment (-bt^T, dt), for 0
    those of a unit membrane force (at, -bt)."""
    L = vx.laminate
    pe, o, t, z, _ = section(vx, angles, (0.3, 0.2, 0.25) if angles[0] == 0 else (0.25, 0.5, 0.25), mixed=angles[0] == 0)
    k1, k2 = 0.05, -0.08
    args = (np.arange(1, 4, dtype=np.int32)[:, None], o[:, None], t[:, None], z[:, None], pe[:, :, None])
    got = L.getarbitrarysectionfg(*args, 1, fgflag, xycurv=[k1, k2])[:, :, 0]
    a, b, d = L.getamatrix(pe, o, t), L.getbmatrix(pe, o, t), L.getdmatrix(pe, o, t)
    ai = np.linalg.inv(a)
    dt = np.linalg.inv(d - b @ ai @ b)
    bt = dt @ b @ ai
    at = ai + ai @ b @ bt
    q = [vx.lamina.getnyeoffaxissc(o[k], pe[:, k], 3, 1) for k in range(3)]

    def running(zp, ki, kj, m):
        out = np.zeros((3, 3))
        for k in range(3):
            lo, hi = z[2 * k], min(z[2 * k + 2], zp)
            if hi > lo:
                out += q[k] * quad(lambda x: x**m * (1 - ki * x) * (1 - kj * x), lo, hi)[0]
        return out

    for p, zp in enumerate(z):
        fg = {}
        for name, (ki, kj) in {"11": (k2, k2), "12": (k2, k1), "22": (k1, k1)}.items():
            p1, p2 = running(zp, ki, kj, 0), running(zp, ki, kj, 1)
            fg[name] = p1 @ bt.T - p2 @ dt if fgflag >= 1 else p2 @ bt - p1 @ at
        sa = 1 / ((1 - k2 * zp) ** 2 * (1 - k1 * zp))
        sb = 1 / ((1 - k2 * zp) * (1 - k1 * zp) ** 2)
        expect = [fg["12"][1, 1] * sb, fg["22"][2, 0] * sb, fg["11"][2, 1] * sa, fg["12"][0, 0] * sa]
        np.testing.assert_allclose(got[p], expect, rtol=1e-9, atol=1e-12 * np.abs(expect).max())


STACKS = [((0, 45, -45, 90), (0.25,) * 4), ((0, 45, 90), (0.3, 0.2, 0.25)), ((30, -60, 0, 90, -15), THICK)]


@pytest.mark.parametrize("angles,thick", STACKS)
@pytest.mark.parametrize("csflag", [1, 0])
def test_flat_section_values_from_the_stress_of_a_unit_moment(vx, angles, thick, csflag):
    """Flat stacks with membrane-bending coupling, fgflag 1: the 3 x 3 matrix
    behind the four values at height z is minus the in-plane stress of a unit
    moment (no membrane force) integrated from the bottom face (csflag not 0),
    or integrated twice (csflag 0), strain and curvature from the inverse of
    the whole ABD matrix (numpy). Once integrated it vanishes at both faces;
    twice, it is the moment itself at the top."""
    L = vx.laminate
    pe, o, t, z, _ = section(vx, angles, thick)
    n = len(angles)
    args = (np.arange(1, n + 1, dtype=np.int32)[:, None], o[:, None], t[:, None], z[:, None], pe[:, :, None])
    got = L.getarbitrarysectionfg(*args, csflag, 1)[:, :, 0]
    props = [pe[:, k] for k in range(n)]
    a, b, d = abd_parallel_axis(props, angles, t)
    assert np.abs(b).max() > 1e-3 * np.abs(a).max() * t.sum()  # coupled
    resp = np.linalg.inv(np.block([[a, b], [b, d]]))[:, 3:]  # strain and curvature per unit moment
    zb, zt = bounds(t)
    expect = []
    for zp in z:
        integral = np.zeros((3, 3))
        for k in range(n):
            lo, hi = zb[k], min(zt[k], zp)
            if hi > lo:
                # integrals of (1, s) over [lo, hi], weighted by zp - s when integrated twice
                m0, m1, m2 = hi - lo, (hi**2 - lo**2) / 2, (hi**3 - lo**3) / 3
                w0, w1 = (m0, m1) if csflag else (zp * m0 - m1, zp * m1 - m2)
                integral += qbar(props[k], angles[k]) @ (w0 * resp[:3] + w1 * resp[3:])
        g = -integral
        expect.append([g[1, 1], g[2, 0], g[2, 1], g[0, 0]])
    expect = np.array(expect)
    scale = np.abs(expect).max()
    np.testing.assert_allclose(got, expect, rtol=0, atol=1e-10 * scale)
    top = [0, 0, 0, 0] if csflag else [1, 0, 0, 1]
    np.testing.assert_allclose(got[[0, -1]], [[0, 0, 0, 0], top], rtol=0, atol=1e-12 * scale)


def test_negative_ply_counts_write_nothing_natively(vx, lib):
    # From C a negative count means no z points: the old code wrote the surface
    # value before or past the caller's array (the product of two negative
    # counts even into a positive, huge, zero fill).
    import ctypes
    p = lambda a: a.ctypes.data_as(ctypes.c_void_p)
    i4 = lambda v: ctypes.byref(ctypes.c_int32(v))
    buf, two, f = np.full(6, 5.0), np.ones(2), np.ones(4)
    at = ctypes.c_void_p(buf.ctypes.data + 3 * 8)  # the routines get buf[3:]
    lib.GetNormalStressFromBottom(at, p(two), p(two), p(f), p(f), i4(-1))
    lib.GetNormalStressFromTop(at, p(two), p(two), ctypes.byref(ctypes.c_double(9.0)), p(f), p(f), i4(-1))
    ints, el = np.ones(4, dtype=np.int32), np.ones(9)
    lib.GetArbitrarySectionFG(at, p(ints), p(f), p(f), p(f), p(el), i4(-1), i4(-1), i4(0), i4(0), None, None)
    np.testing.assert_array_equal(buf, 5.0)
    assert error_record(vx)[0] == 0
