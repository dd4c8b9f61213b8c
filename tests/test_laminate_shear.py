"""Transverse shear of laminate sections: f(z), the shear stiffness H by the
three methods, section storage and skip rules, and the Chai factors."""
import json

import numpy as np
import pytest

from conftest import run_python
from laminate_oracle import abd_parallel_axis, bounds, qbar, section_points as zpoints, simpson_per_ply

G13, G23 = 4.2e3, 3.1e3
CFRP = np.array([140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 5e3, G13, G23])
GFRP = np.array([40e3, 12e3, 12e3, 0.28, 0.28, 0.4, 4.5e3, 4.0e3, 3.5e3])


def stack(angles, thick=0.25, mats=None):
    n = len(angles)
    pe = np.column_stack([CFRP if mats is None else mats[k] for k in range(n)])
    return pe, np.asarray(angles, float), np.full(n, thick)


def flexibility(vx, pe, o, t):
    L = vx.laminate
    a, b, d = L.getamatrix(pe, o, t), L.getbmatrix(pe, o, t), L.getdmatrix(pe, o, t)
    fb = np.linalg.inv(d - b @ np.linalg.inv(a) @ b)
    return np.linalg.inv(a) @ b @ fb, fb


def section_f(vx, pe, o, t):
    lst = np.arange(1, len(o) + 1, dtype=np.int32)[:, None]
    return vx.laminate.getsectionfmatrix(lst, o[:, None], t[:, None], zpoints(t)[:, None], pe[:, :, None])[:, :, 0]


def test_homogeneous_ply_parabola_and_five_sixths(vx):
    L = vx.laminate
    g = 3.0e3
    pe = np.array([[140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 5e3, g, g]]).T
    o, t = np.array([30.0]), np.array([2.0])
    fa, fb = flexibility(vx, pe, o, t)
    for z in (-1.0, -0.4, 0.0, 0.3, 1.0):
        np.testing.assert_allclose(L.getsmallfmatrix(pe, o, t, z, fa, fb, 1), 0.75 * (1 - z * z) * np.eye(2),
                                   atol=1e-13)
    h = 5 / 6 * g * 2.0 * np.eye(2)
    np.testing.assert_allclose(L.gethmatrixshearcorrect(pe, o, t), h, rtol=1e-13, atol=1e-9)
    np.testing.assert_allclose(L.gethmatriximprovedshear(pe, o, t), h, rtol=1e-12, atol=1e-9)
    np.testing.assert_allclose(L.gethmatrixquadrature(pe, o, t), h, rtol=1e-9, atol=1e-6)
    np.testing.assert_allclose(L.getshearcorrectfactors(g * 2.0 * np.eye(2), pe, o, t), [5 / 6, 5 / 6], rtol=1e-13)


@pytest.mark.parametrize("angles", [(0, 90, 90, 0), (0, 45, -45, 90), (30, -60, 0), (0, 90)])
def test_section_f_vanishes_at_faces_and_integrates_to_identity(vx, angles):
    mats = [CFRP, GFRP, CFRP, GFRP][: len(angles)]
    pe, o, t = stack(angles, mats=mats)
    t = t * np.linspace(1.0, 1.6, len(t))
    f = section_f(vx, pe, o, t)
    np.testing.assert_allclose(f[[0, -1]], 0.0, atol=1e-12 / t.sum())
    np.testing.assert_allclose(simpson_per_ply(f, t), [1.0, 0.0, 0.0, 1.0], atol=1e-11)
    # each stored point is f of its ply, entries in column order
    fa, fb = flexibility(vx, pe, o, t)
    z = zpoints(t)
    k = len(o) // 2
    direct = vx.laminate.getsmallfmatrix(pe, o, t, z[2 * k + 1], fa, fb, k + 1)
    np.testing.assert_allclose(f[2 * k + 1], direct.ravel(order="F"), rtol=1e-14)


def test_methods_agree_for_symmetric_cross_ply(vx):
    L = vx.laminate
    pe, o, t = stack((0, 90, 90, 0))
    np.testing.assert_allclose(L.gethmatrixquadrature(pe, o, t), L.gethmatriximprovedshear(pe, o, t), rtol=1e-8,
                               atol=1e-9)


def energy_h(pe, o, t):
    """H as the inverse of the complementary energy of the transverse shear stresses that
    equilibrium gives without membrane forces, under cylindrical bending in x (Qx = dMx/dx)
    and in y (Qy = dMy/dy), in the order (yz, xz) of the ply shear stiffness."""
    props = list(pe.T)
    a, b, d = abd_parallel_axis(props, o, t)
    ai = np.linalg.inv(a)
    kappa = np.linalg.inv(d - b @ ai @ b)  # curvature and mid-plane strain per unit moment
    eps0 = -ai @ b @ kappa
    xg, wg = np.polynomial.legendre.leggauss(4)
    comp, below = np.zeros((2, 2)), np.zeros((3, 3))
    for p, ang, lo, hi in zip(props, o, *bounds(t)):
        q = qbar(p, ang)
        c, s = np.cos(np.radians(ang)), np.sin(np.radians(ang))
        g13, g23 = p[7], p[8]
        cxz = np.array([[g13 * c * c + g23 * s * s, (g13 - g23) * c * s],
                        [(g13 - g23) * c * s, g13 * s * s + g23 * c * c]])
        for x, w in zip(xg, wg):
            z = lo + (x + 1) * (hi - lo) / 2
            # stress resultant from the bottom up to z per unit moment
            g = below + q @ (eps0 * (z - lo) + kappa * (z * z - lo * lo) / 2)
            # (tau_xz, tau_yz) from (Qx, Qy), up to the sign
            tm = np.array([[g[0, 0], g[2, 1]], [g[2, 0], g[1, 1]]])
            comp += w * (hi - lo) / 2 * tm.T @ np.linalg.solve(cxz, tm)
        below = below + q @ (eps0 * (hi - lo) + kappa * (hi * hi - lo * lo) / 2)
    return np.linalg.inv(comp)[::-1, ::-1]


PLY = np.array([140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 4.5e3, 4.5e3, 3.1e3])
QUASI = (0, 45, -45, 90)
STACKS = [(QUASI, None, None), (QUASI + QUASI[::-1], None, None), ((45, -45, -45, 45), None, None),
          ((0, 90), None, None), ((30, -60, 0), [CFRP, GFRP, CFRP], (0.2, 0.35, 0.25)),
          ((45, -45), None, None), ((0, 0, 90), [GFRP, CFRP, CFRP], None),
          ((15, 75, -30, 60, 0), [CFRP, GFRP, CFRP, GFRP, PLY], (0.1, 0.3, 0.2, 0.15, 0.25))]


def stack_of(angles, mats, thick):
    pe, o, t = stack(angles, mats=mats or [PLY] * len(angles))
    return pe, o, np.array(thick, float) if thick else t


@pytest.mark.parametrize("angles,mats,thick", STACKS)
def test_quadrature_h_is_the_energy_integral_from_either_face(vx, angles, mats, thick):
    L = vx.laminate
    pe, o, t = stack_of(angles, mats, thick)
    h = L.gethmatrixquadrature(pe, o, t)
    np.testing.assert_allclose(h, energy_h(pe, o, t), rtol=1e-9, atol=1e-9 * np.abs(h).max())
    # the same section read from its other face
    flipped = L.gethmatrixquadrature(pe[:, ::-1], o[::-1], t[::-1])
    np.testing.assert_allclose(flipped, h, rtol=1e-10, atol=1e-10 * np.abs(h).max())


def test_quadrature_h_against_the_improved_shear_method(vx):
    L = vx.laminate

    def both(angles):
        pe, o, t = stack_of(angles, None, None)
        return L.gethmatrixquadrature(pe, o, t), L.gethmatriximprovedshear(pe, o, t)

    # coupled quasi-isotropic stack: equal diagonal, nothing off it
    q, m = both(QUASI)
    np.testing.assert_allclose(q, [[2959.1, 0.0], [0.0, 2959.1]], rtol=1e-4, atol=1e-9)
    for angles, within in ((QUASI, 0.005), (QUASI + QUASI[::-1], 0.015), ((0, 90), 1e-9), ((0, 90, 90, 0), 1e-9),
                           ((0, 0, 90, 90, 0), 1e-9)):
        q, m = both(angles)
        assert np.abs(q - m).max() <= within * np.abs(m).max(), angles
    # method 1 takes f in the stack's decoupling frame: an angle-ply stack differs
    q, m = both((45, -45, -45, 45))
    assert np.abs(q - m).max() > 0.05 * np.abs(m).max()


def test_section_h_storage_and_skip_rules(vx):
    L = vx.laminate
    n, marker = 4, 2147483647
    pe, o, t = stack((0, 45, -45, 90))
    lst = np.array([[1, 2, 3, 4], [marker] * 4, [5, 6, marker, 7], [1, 2, 3, 4]], dtype=np.int32).T
    ori = np.tile(o[:, None], (1, 4))
    thk = np.tile(t[:, None], (1, 4))
    pes = np.tile(pe[:, :, None], (1, 1, 4))
    pes[:, :, 3] = 0.0  # a section without elastic data
    zc = np.zeros((2 * n + 1, 4))
    zc[:, 0] = zpoints(t)
    zc[:5, 2] = zpoints(t[:2])
    hs = L.getsectionhmatrix(lst, ori, thk, pes)
    np.testing.assert_array_equal(hs[:, :, [1, 3]], 0.0)
    np.testing.assert_allclose(hs[:, :, 0], L.gethmatriximprovedshear(pe, o, t), rtol=1e-14)
    np.testing.assert_allclose(hs[:, :, 2], L.gethmatriximprovedshear(pe[:, :2], o[:2], t[:2]), rtol=1e-14)
    np.testing.assert_array_equal(L.getsectionhmatrix(lst, ori, thk, pes, method=5), hs)
    np.testing.assert_allclose(L.getsectionhmatrix(lst, ori, thk, pes, method=0)[:, :, 0],
                               L.gethmatrixshearcorrect(pe, o, t), rtol=1e-14)
    np.testing.assert_allclose(L.getsectionhmatrix(lst, ori, thk, pes, method=2)[:, :, 2],
                               L.gethmatrixquadrature(pe[:, :2], o[:2], t[:2]), rtol=1e-14)
    fs = L.getsectionfmatrix(lst, ori, thk, zc, pes)
    np.testing.assert_array_equal(fs[:, :, [1, 3]], 0.0)
    np.testing.assert_array_equal(fs[5:, :, 2], 0.0)  # points past the two used plies
    np.testing.assert_allclose(simpson_per_ply(fs[:5, :, 2], t[:2]), [1, 0, 0, 1], atol=1e-11)


def test_chai_factors(vx):
    L = vx.laminate
    iso = np.array([70e3, 70e3, 70e3, 0.3, 0.3, 0.3, 26.9e3, 26.9e3, 26.9e3])
    q = vx.lamina.getnyestiffnessmatrix(iso, 3)
    np.testing.assert_allclose(L.getchaidelamfactors(q, q, 0.0, 0.2, 0.2, 3e3, 3e3, 3e3, 3e3), [0.0, 1.0, 1.0])
    ql = vx.lamina.getnyestiffnessmatrix(CFRP, 3)
    qu = vx.lamina.getnyestiffnessmatrix(GFRP, 3)
    f = L.getchaidelamfactors(ql, qu, 90.0, 0.2, 0.4, G23, 3.5e3, G13, 4.0e3)
    # a quarter turn: the upper ply shows its transverse stiffness, cos = 0
    assert f[0] == pytest.approx(0.5) and f[1] == pytest.approx((1 + 3.5e3 / G13) / 2)
    assert f[2] == pytest.approx((1 + G13 / 3.5e3) / 2)


def test_material_data_with_several_temperatures(vx):
    """The section routines read nine constants per ply: a material array with two
    temperature blocks is refused, its first block gives the first temperature's H."""
    L = vx.laminate
    pe, o, t = stack((0, 45, 90), mats=[CFRP, GFRP, CFRP])
    two = np.concatenate([pe, 0.5 * pe])[:, :, None]
    lst = np.arange(1, 4, dtype=np.int32)[:, None]
    with pytest.raises(vx.error):
        L.getsectionhmatrix(lst, o[:, None], t[:, None], two)
    np.testing.assert_array_equal(L.getsectionhmatrix(lst, o[:, None], t[:, None], np.asfortranarray(two[:9]))[:, :, 0],
                                  L.gethmatriximprovedshear(pe, o, t))


def test_shear_correction_factors_of_an_unsymmetric_stack(vx):
    """Cylindrical bending in each direction: the shear flow F(z) is the running
    integral of 2 Q(z) (B - A z) from the bottom; sk = 1 / (h S) with S the sum
    over plies of c^-1 / (4 Delta^2) times the integral of F^2 (numerical oracle)."""
    from scipy.integrate import quad
    L = vx.laminate
    pe, o, t = stack((0, 90, 45), mats=[CFRP, GFRP, CFRP])
    t = np.array([0.2, 0.35, 0.25])
    a, b, d = L.getamatrix(pe, o, t), L.getbmatrix(pe, o, t), L.getdmatrix(pe, o, t)
    z = zpoints(t)[::2]
    q = [vx.lamina.getnyeoffaxissc(o[k], pe[:, k], 3, 1) for k in range(3)]
    c = [vx.lamina.getoffaxisshearrigidmatrix(pe[7, k], pe[8, k], o[k]) for k in range(3)]
    hlam = sum(t[k] * c[k] for k in range(3))
    sk = []
    for e, ce in ((1, 0), (0, 1)):  # direction 1 bends with the entries 22, direction 2 with 11
        A, B = a[e, e], b[e, e]
        delta = A * d[e, e] - B * B
        ply = lambda x: min(int(np.searchsorted(z, x, side="right")) - 1, 2)  # noqa: E731
        flow = lambda x: quad(lambda u: 2 * q[ply(u)][e, e] * (B - A * u), z[0], x, points=z[1:-1], limit=200)[0]  # noqa: E731
        s = 0.0
        for k in range(3):
            cinv = np.linalg.inv(c[k])[ce, ce]
            s += cinv / (4 * delta**2) * quad(lambda x: flow(x) ** 2, z[k], z[k + 1])[0]
        sk.append(1.0 / (hlam[ce, ce] * s))
    got = L.getshearcorrectfactors(hlam, pe, o, t)
    np.testing.assert_allclose(got, sk, rtol=1e-9)
    h = L.gethmatrixshearcorrect(pe, o, t)
    np.testing.assert_allclose(h, np.sqrt(np.outer(got, got)) * hlam, rtol=1e-13)



NATIVE_STACK_CALLS = r"""
import ctypes, json
import numpy as np
import _vexlan as v
lib = ctypes.CDLL(v.__file__)
P = lambda a: a.ctypes.data_as(ctypes.c_void_p)
I = lambda k: ctypes.byref(ctypes.c_int32(k))
D = lambda x: ctypes.byref(ctypes.c_double(x))
ply = [140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 5e3, 4.2e3, 3.1e3]
pe = np.asfortranarray(np.column_stack([ply, ply]))
o, t = np.array([0.0, 45.0]), np.array([0.25, 0.25])
fa, fb = np.eye(3), 2.0 * np.eye(3)


def record():
    st = int(v.errorhandling.errstat)
    msg = bytes(v.errorhandling.errstring).decode().rstrip()
    v.errorhandling.rsxerr(1)
    return st, msg


res = {"partial": [], "empty": {}}
for iply, nplies in ((0, 2), (3, 2), (-1, 2), (2**31 - 1, 2), (-2**31, 2), (1, 0), (1, -5)):
    a, b, f = np.full(9, np.nan), np.full(9, np.nan), np.full(4, np.nan)
    lib.GetPartialAMatrix(P(a), P(pe), P(o), P(t), D(0.1), I(iply), I(nplies))
    ra = record()
    lib.GetPartialBMatrix(P(b), P(pe), P(o), P(t), D(0.1), I(iply), I(nplies))
    rb = record()
    lib.GetSmallFMatrix(P(f), P(pe), P(o), P(t), D(0.1), P(fa), P(fb), I(iply), I(nplies))
    rf = record()
    res["partial"].append([iply, nplies, ra, rb, rf, a.tolist(), b.tolist(), f.tolist()])
# a negative ply count is an empty stack: the process goes on
h, sk = np.zeros(4), np.zeros(2)
for name in ("GetHMatrixShearCorrect", "GetHMatrixImprovedShear", "GetHMatrixQuadrature"):
    h[:] = np.nan
    getattr(lib, name)(P(h), P(pe), P(o), P(t), I(-3))
    res["empty"][name] = [record()[0], h.tolist()]
lib.GetShearCorrectFactors(P(sk), P(np.eye(2)), P(pe), P(o), P(t), I(-3))
res["empty"]["sk"] = [record()[0], sk.tolist()]
print(json.dumps(res))
"""


def test_native_ply_number_outside_the_stack():
    """Called natively, a ply number outside 1..nplies is refused with a zero
    result instead of reading past the stack arrays; a negative ply count
    does not end the process."""
    out, rc = run_python(NATIVE_STACK_CALLS)
    assert rc == 0, out
    res = json.loads(out)
    for iply, nplies, ra, rb, rf, a, b, f in res["partial"]:
        for rec, name in ((ra, "GetPartialAMatrix"), (rb, "GetPartialBMatrix"), (rf, "GetSmallFMatrix")):
            assert rec == [-2, f"Error in {name}: ply number outside the stack."], (iply, nplies)
        assert a == [0.0] * 9 and b == [0.0] * 9 and f == [0.0] * 4, (iply, nplies)
    # no plies, no shear stiffness; the two energy methods cannot invert their
    # zero compliance and say so, the correction factors fall back to 1
    empty = res["empty"]
    assert empty["GetHMatrixShearCorrect"] == [0, [0.0] * 4]
    assert empty["GetHMatrixImprovedShear"][0] == empty["GetHMatrixQuadrature"][0] == -2
    assert empty["sk"] == [0, [1.0, 1.0]]


def test_section_f_with_negative_counts_writes_nothing_natively(vx, lib):
    # Two negative counts multiply to a positive extent: nothing may be zeroed.
    import ctypes
    p = lambda a: a.ctypes.data_as(ctypes.c_void_p)
    i4 = lambda v: ctypes.byref(ctypes.c_int32(v))
    f, ones, ints = np.full(8, 5.0), np.ones(9), np.ones(4, dtype=np.int32)
    lib.GetSectionFMatrix(p(f), p(ints), p(ones), p(ones), p(ones), p(ones), i4(-1), i4(-1), None)
    np.testing.assert_array_equal(f, 5.0)


def test_ply_number_outside_the_stack_refused_from_python(vx):
    # The native record (-2, "ply number outside the stack") is for C callers;
    # Python refuses before the call and records nothing.
    L = vx.laminate
    pe = np.column_stack([CFRP] * 3)
    o, t = np.array([0.0, 45.0, 90.0]), np.full(3, 0.25)
    calls = {"getpartialamatrix": (), "getpartialbmatrix": (), "getsmallfmatrix": (np.eye(3), np.eye(3))}
    for name, extra in calls.items():
        fn = getattr(L, name)
        for iply in (0, 4, -1):
            with pytest.raises(ValueError, match="iply"):
                fn(pe, o, t, 0.1, *extra, iply)
        assert fn(pe, o, t, 0.3, *extra, 3).any()
    assert int(vx.errorhandling.errstat) == 0


def relative_difference(q, m):
    return np.abs(q - m).max() / np.abs(m).max()


@pytest.mark.parametrize("angles, within", [
    ((0, 45, -45, 90), (0.003, 0.005)),
    ((0, 45, -45, 90, 90, -45, 45, 0), (0.012, 0.015)),
    ((45, 0, 0, 45), (0.25, 0.27)),
    ((-45, 90, 89.6), (0.135, 0.15)),
    ((-45, 90, 90), (0.035, 0.045)),
])
def test_quadrature_h_departs_from_the_improved_shear_method(vx, angles, within):
    # Method 2 is the energy integral of the equilibrium shear stresses;
    # method 1, in the stack's decoupling axes, differs by the stated share.
    L = vx.laminate
    pe, o, t = stack_of(angles, None, None)
    q, m = L.gethmatrixquadrature(pe, o, t), L.gethmatriximprovedshear(pe, o, t)
    np.testing.assert_allclose(q, energy_h(pe, o, t), rtol=1e-9, atol=1e-9 * np.abs(q).max())
    assert within[0] <= relative_difference(q, m) <= within[1]


def test_quadrature_h_is_continuous_where_the_decoupling_axes_jump(vx):
    L = vx.laminate
    (pe, o, t), (_, o2, _) = stack_of((-45, 90, 89.6), None, None), stack_of((-45, 90, 90), None, None)
    m1, m2 = L.gethmatriximprovedshear(pe, o, t), L.gethmatriximprovedshear(pe, o2, t)
    q1, q2 = L.gethmatrixquadrature(pe, o, t), L.gethmatrixquadrature(pe, o2, t)
    assert 0.14 < 1 - np.abs(m2).max() / np.abs(m1).max() < 0.16
    assert relative_difference(q2, q1) < 0.002


def test_quadrature_h_within_thirty_percent_of_method_one_on_plain_stacks(vx):
    # every stack of 3 and 4 plies in 15 degree steps
    L = vx.laminate
    angles = np.arange(-75.0, 91.0, 15.0)
    diffs = []
    for n in (3, 4):
        pe, t = np.column_stack([PLY] * n), np.full(n, 0.25)
        for o in np.array(np.meshgrid(*[angles] * n, indexing="ij")).reshape(n, -1).T:
            diffs.append(relative_difference(L.gethmatrixquadrature(pe, o, t), L.gethmatriximprovedshear(pe, o, t)))
    assert max(diffs) < 0.30
    assert 0.06 < np.median(diffs) < 0.075
