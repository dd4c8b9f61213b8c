"""Ply stiffness, compliance and transformation against textbook forms and numpy."""
import ctypes
import math

import numpy as np
import pytest

from conftest import error_record
from laminate_oracle import invariants, orthotropic_compliance, q_onaxis

# E1, E2, E3, nu12, nu13, nu23, G12, G13, G23 of a carbon/epoxy ply
PLY = np.array([140000.0, 10000.0, 9000.0, 0.3, 0.28, 0.45, 5000.0, 4800.0, 3448.0])
ANGLES = [0.0, 30.0, 45.0, 60.0, 90.0]
NYE = [(0, 0), (1, 1), (2, 2), (0, 1), (0, 2), (1, 2)]


@pytest.fixture
def lam(vx):
    return vx.lamina


def rot3(deg):
    t = math.radians(deg)
    return np.array([[math.cos(t), -math.sin(t), 0], [math.sin(t), math.cos(t), 0], [0, 0, 1.0]])


def rotate_nye(m, r, compliance=False):
    """A Nye stiffness (or compliance) on engineering strain, of order 6 or 3
    (11, 22, 12), taken into the base r through the fourth-order tensor
    (independent of any transformation matrix)."""
    idx = range(6) if len(m) == 6 else [0, 1, 3]
    v = np.array([1, 1, 1, 2, 2, 2.0]) if compliance else np.ones(6)  # engineering shear strains
    w = np.outer(v, v)
    m6 = np.zeros((6, 6))
    m6[np.ix_(idx, idx)] = m
    t = np.zeros((3, 3, 3, 3))
    for a, (i, j) in enumerate(NYE):
        for b, (k, l) in enumerate(NYE):
            for ii, jj in {(i, j), (j, i)}:
                for kk, ll in {(k, l), (l, k)}:
                    t[ii, jj, kk, ll] = m6[a, b] / w[a, b]
    g = np.einsum("ip,jq,kr,ls,pqrs->ijkl", r, r, r, r, t)
    return (np.array([[g[i, j, k, l] for k, l in NYE] for i, j in NYE]) * w)[np.ix_(idx, idx)]


def test_nine_constants_from_short_lists(vx):
    gp = vx.lamina.getnyeproperties
    g = 70000.0 / 2.6
    np.testing.assert_allclose(gp([70000.0, 0.3]), [70000.0] * 3 + [0.3] * 3 + [g] * 3, rtol=1e-15)
    # (E1, E2, nu12, nu23, G12) and (E1, E2, G12, G23, nu12)
    for five in ([140000.0, 10000, 0.3, 0.0, 5000], [140000.0, 10000, 5000, 0.0, 0.3]):
        np.testing.assert_array_equal(gp(five), [140000, 10000, 10000, 0.3, 0.3, 0.0, 5000, 5000, 5000])
    r = gp([140000.0, 10000, 5000, 3448.0, 0.3])
    assert r[5] == pytest.approx(10000 / (2 * 3448.0) - 1) and r[8] == 3448.0
    moduli_last = [1.0, 2, 3, 5000, 5000, 3000, 0.3, 0.3, 0.4]
    np.testing.assert_array_equal(gp(moduli_last), [1, 2, 3, 0.3, 0.3, 0.4, 5000, 5000, 3000])
    np.testing.assert_array_equal(gp(PLY), PLY)
    odd = moduli_last[:8] + [float("nan")]
    np.testing.assert_array_equal(gp(odd), odd)
    assert error_record(vx)[0] == 0
    out = gp(np.ones(4))
    assert error_record(vx) == (-2, "Unsupported input in GetNyeProperties") and not out.any()


def test_on_axis_stiffness_is_inverse_of_textbook_compliance(vx, lam):
    s6 = orthotropic_compliance(*PLY)
    c6 = lam.getnyestiffnessmatrix(PLY, 6)
    np.testing.assert_allclose(c6, np.linalg.inv(s6), rtol=1e-12, atol=1e-9)
    np.testing.assert_allclose(lam.getnyecompliancematrix(PLY, 6), s6, rtol=1e-15)
    # ntens 4: the leading block (11, 22, 33, 12)
    np.testing.assert_allclose(lam.getnyestiffnessmatrix(PLY, 4), c6[:4, :4], rtol=1e-15)
    np.testing.assert_array_equal(lam.getnyecompliancematrix(PLY, 4), lam.getnyecompliancematrix(PLY, 6)[:4, :4])
    # plane stress: the reduced stiffness, and at (11, 22, 12) of 4 and 6 when psflag is 0
    q = q_onaxis(PLY)
    np.testing.assert_allclose(lam.getnyestiffnessmatrix(PLY, 3), q, rtol=1e-15)
    np.testing.assert_allclose(np.linalg.inv(lam.getnyecompliancematrix(PLY, 3)), q, rtol=1e-12)
    for n in (4, 6):
        cps = lam.getnyestiffnessmatrix(PLY, n, 0)
        sps = lam.getnyecompliancematrix(PLY, n, 0)
        idx = [0, 1, 3]
        np.testing.assert_allclose(cps[np.ix_(idx, idx)], q, rtol=1e-15)
        np.testing.assert_allclose(np.linalg.inv(sps[np.ix_(idx, idx)]), q, rtol=1e-12)
        rest = np.ones((n, n), bool)
        rest[np.ix_(idx, idx)] = False
        assert not cps[rest].any() and not sps[rest].any()
    assert error_record(vx)[0] == 0
    for fn, msg in ((lam.getnyestiffnessmatrix, "Unsupported dimension in GetNyeStiffnessMatrix"),
                    (lam.getnyecompliancematrix, "Unsupported dimension in GetNyeComplianceMatrix")):
        vx.errorhandling.rsxerr(1)
        out = fn(PLY, 5)
        assert error_record(vx) == (-2, msg) and out.shape == (5, 5) and not out.any()


@pytest.mark.parametrize("n", [3, 6])
def test_off_axis_stiffness_and_compliance_over_the_circle(vx, lam, n):
    ply = PLY.copy()
    for deg in (0.0, 1e-7, 15.0, 30.0, 45.0, 90.0, -45.0, 135.0, 180.0, 270.0, 361.5, -1000.0):
        for scflag, on_axis in ((1, lam.getnyestiffnessmatrix), (0, lam.getnyecompliancematrix)):
            got = lam.getnyeoffaxissc(deg, ply, n, scflag)
            want = rotate_nye(on_axis(ply, n), rot3(deg), compliance=scflag == 0)
            assert np.abs(got - want).max() <= 1e-13 * np.abs(want).max(), (deg, scflag)
            if n == 6:  # the rotation about the normal never couples 13 and 23 with the rest
                assert not got[:4, 4:].any() and not got[4:, :4].any()
            if deg == 0.0:
                np.testing.assert_array_equal(got, on_axis(ply, n))
        ply[[0, 1]] = ply[[1, 0]]  # also a ply whose transverse modulus is the larger
    assert error_record(vx)[0] == 0
    out = lam.getnyeoffaxissc(30.0, PLY, 4, 1)
    assert error_record(vx) == (-2, "Unsupported dimension in GetNyeStiffnessMatrixOff") and not out.any()


def test_on_axis_stiffness_writes_every_entry(vx, lib):
    # a native caller's array may hold anything before the call; an absent
    # psflag is the three-dimensional form
    for n in (3, 6):
        out = np.full((n, n), np.nan, order="F")
        lib.GetNyeStiffnessMatrix(out.ctypes.data_as(ctypes.c_void_p), PLY.ctypes.data_as(ctypes.c_void_p),
                                  ctypes.byref(ctypes.c_int32(n)), None)
        np.testing.assert_array_equal(out, vx.lamina.getnyestiffnessmatrix(PLY, n))
        out = np.full((n, n), np.nan, order="F")
        lib.GetNyeOffAxisSC(out.ctypes.data_as(ctypes.c_void_p), ctypes.byref(ctypes.c_double(30.0)),
                            PLY.ctypes.data_as(ctypes.c_void_p), ctypes.byref(ctypes.c_int32(n)),
                            ctypes.byref(ctypes.c_int32(1)))
        np.testing.assert_array_equal(out, vx.lamina.getnyeoffaxissc(30.0, PLY, n, 1))


@pytest.mark.parametrize("n", [3, 6])
def test_transformation_matrices(vx, n):
    tm = vx.lamina.getnyetransformationmatrix
    a = 0.7
    for tt in (0, 1):
        np.testing.assert_allclose(tm(a, n, tt, 0) @ tm(a, n, tt, 1).T, np.eye(n), atol=1e-15)
        # the opposite angle undoes the rotation
        np.testing.assert_allclose(tm(a, n, tt, 0) @ tm(a, n, 1 - tt, 0), np.eye(n), atol=1e-15)
    np.testing.assert_allclose(tm(a, n, 1, 1), tm(-a, n, 0, 1), atol=1e-16)
    # stress form applied to a plane stress state = tensor rotation into ply axes
    sig = np.array([[3.0, 1.5, 0], [1.5, -2.0, 0], [0, 0, 0]])
    r = np.array([[math.cos(a), -math.sin(a), 0], [math.sin(a), math.cos(a), 0], [0, 0, 1]])
    loc = r.T @ sig @ r
    vec = np.zeros(n)
    vec[[0, 1, n - 3 if n == 6 else 2]] = 3.0, -2.0, 1.5
    got = tm(a, n, 0, 0) @ vec
    np.testing.assert_allclose(got[[0, 1, 3 if n == 6 else 2]], [loc[0, 0], loc[1, 1], loc[0, 1]], atol=1e-14)
    assert error_record(vx)[0] == 0


def test_transformation_bad_selectors(vx):
    tm = vx.lamina.getnyetransformationmatrix
    a, c, s = 0.5, math.cos(0.5), math.sin(0.5)
    t = tm(a, 4, 0, 0)  # goes on with the 3 x 3 placement
    assert error_record(vx) == (-2, "False input for TType in GetNyeTransformationMatrix")
    np.testing.assert_array_equal(t[:3, :3], tm(a, 3, 0, 0))
    assert not t[3].any() and not t[:, 3].any()
    vx.errorhandling.rsxerr(1)
    np.testing.assert_array_equal(tm(a, 3, 7, 0), tm(a, 3, 1, 0))
    assert error_record(vx) == (-2, "False input for TType in GetNyeTransformationMatrix")
    vx.errorhandling.rsxerr(1)
    t = tm(a, 6, 0, 2)
    assert error_record(vx) == (-2, "False input for TFlag in GetNyeTransformationMatrix")
    assert t[3, 3] == 0.0 and t[0, 3] == 0.0 and t[4, 5] == s and t[0, 0] == c * c
    vx.errorhandling.rsxerr(1)
    # too small for the shear entries: refused, nothing written
    t = tm(a, 2, 0, 0)
    assert error_record(vx) == (-2, "False input for TType in GetNyeTransformationMatrix") and not t.any()
    vx.errorhandling.rsxerr(1)


@pytest.mark.parametrize("n", [3, 6])
def test_selectors_without_a_matrix_give_zeros(vx, lib, n):
    """An off-axis selector other than 0 and 1, and a compliance asked of a
    stiffness that could not be built, write zeros in every entry (a native
    caller's array may hold anything before the call) beside their record."""
    c = lambda a: a.ctypes.data_as(ctypes.c_void_p)  # noqa: E731
    i4 = lambda k: ctypes.byref(ctypes.c_int32(k))  # noqa: E731
    for scflag in (2, -1):
        vx.errorhandling.rsxerr(1)
        out = np.full((n, n), np.nan, order="F")
        lib.GetNyeOffAxisSC(c(out), ctypes.byref(ctypes.c_double(30.0)), c(PLY), i4(n), i4(scflag))
        assert error_record(vx) == (-2, "False input for TFlag in GetNyeTransformationMatrix")
        np.testing.assert_array_equal(out, np.zeros((n, n)))
    for props in (np.ones(7), np.zeros(21)):
        for scflag in (0, 1):
            vx.errorhandling.rsxerr(1)
            out = np.full((n, n), np.nan, order="F")
            lib.GetGeneralizedNyeOnAxisSC(c(out), c(props), i4(n), i4(len(props)), i4(scflag), None, None, None)
            assert error_record(vx) == (
                -2, "Unsupported number of properties or dimensions in GetGeneralizedNyeOnAxisSC.")
            np.testing.assert_array_equal(out, np.zeros((n, n)))


def test_generalized_on_axis(vx, lam):
    g = lam.getgeneralizednyeonaxissc
    c6 = lam.getnyestiffnessmatrix(PLY, 6)
    for n in (3, 4, 6):
        np.testing.assert_array_equal(g(PLY, n, 1), lam.getnyestiffnessmatrix(PLY, n))
        np.testing.assert_allclose(g(PLY, n, 0), np.linalg.inv(lam.getnyestiffnessmatrix(PLY, n)), rtol=1e-12)
    np.testing.assert_allclose(g(PLY, 6, 1, psflag=0), lam.getnyestiffnessmatrix(PLY, 6, 0), rtol=1e-15)
    # 21 values: the upper triangle column by column
    packed = [c6[i, j] for j in range(6) for i in range(j + 1)]
    np.testing.assert_array_equal(g(packed, 6, 1), c6)
    np.testing.assert_array_equal(g(packed, 3, 1), c6[np.ix_([0, 1, 3], [0, 1, 3])])
    # plane-stress form of a given matrix in the 4 x 4 shape: components 1, 2 and 4 only
    ps4 = g(packed, 4, 1, psflag=0)
    idx = [0, 1, 3]
    np.testing.assert_array_equal(ps4[np.ix_(idx, idx)], c6[np.ix_(idx, idx)])
    assert not ps4[2].any() and not ps4[:, 2].any()
    # two and five constants go through the completion of the nine
    iso = [70000.0, 0.3]
    np.testing.assert_array_equal(g(iso, 6, 1), lam.getnyestiffnessmatrix(lam.getnyeproperties(iso), 6))
    ti = [140000.0, 10000.0, 0.3, 0.45, 5000.0]
    np.testing.assert_array_equal(g(ti, 4, 1), lam.getnyestiffnessmatrix(lam.getnyeproperties(ti), 4))
    # 36 values: symmetrised unless unsymm
    un = c6.copy()
    un[0, 1] += 100.0
    np.testing.assert_array_equal(g(un.ravel(order="F"), 6, 1, unsymm=1), un)
    np.testing.assert_allclose(g(un.ravel(order="F"), 6, 1), (un + un.T) / 2, rtol=1e-15)
    # 12 values: given minor ratios (here unsymmetric by choice, kept with unsymm)
    r = [0.02, 0.019, 0.4]
    ps = g(np.r_[PLY, r], 3, 1, unsymm=1)
    d = 1 - PLY[3] * r[0]
    np.testing.assert_allclose(ps[:2, :2], [[PLY[0] / d, PLY[3] * PLY[1] / d], [r[0] * PLY[0] / d, PLY[1] / d]],
                               rtol=1e-15)
    assert error_record(vx)[0] == 0
    out = g(np.ones(7), 6, 1)
    assert error_record(vx) == (-2, "Unsupported number of properties or dimensions in GetGeneralizedNyeOnAxisSC.")
    assert not out.any()
    vx.errorhandling.rsxerr(1)
    out = g(packed, 7, 1)  # would read past the given 6 x 6 matrix
    assert error_record(vx) == (-2, "Unsupported dimension in GetGeneralizedNyeOnAxisSC") and not out.any()


def test_invariants_are_the_textbook_ones(vx):
    np.testing.assert_allclose(vx.lamina.getinvariantsfromreducedstiffness(PLY), invariants(PLY), rtol=1e-13)


def test_arbitrary_base_compliance_and_stiffness(vx, lam):
    ab = lam.getarbitrarybasesc
    c6 = lam.getnyestiffnessmatrix(PLY, 6)
    s6 = lam.getnyecompliancematrix(PLY, 6)
    # a general base: stiffness and compliance follow the fourth-order rotation
    b, _ = np.linalg.qr(np.random.default_rng(5).normal(size=(3, 3)))
    cb = ab(c6, b, 1, 0)
    np.testing.assert_allclose(cb, rotate_nye(c6, b.T), rtol=1e-12, atol=1e-9)
    np.testing.assert_allclose(ab(s6, b, 0, 0), rotate_nye(s6, b.T, compliance=True), rtol=1e-12, atol=1e-20)
    # other orders: the same matrix permuted in and out
    pv = [0, 1, 2, 5, 4, 3]
    np.testing.assert_allclose(ab(c6[np.ix_(pv, pv)], b, 1, 1), cb[np.ix_(pv, pv)], rtol=1e-13, atol=1e-9)
    pc = [0, 1, 2, 3, 5, 4]  # Nye <-> cyclic
    np.testing.assert_allclose(ab(c6[np.ix_(pc, pc)], b, 1, 2), cb[np.ix_(pc, pc)], rtol=1e-13, atol=1e-9)
    assert error_record(vx)[0] == 0


def test_reduced_stiffness_of_a_plane(lam):
    c6 = lam.getnyestiffnessmatrix(PLY, 6)
    s6 = orthotropic_compliance(*PLY)
    # condensing the free direct stress = inverting the compliance of the plane
    for pl, idx in ((1, [0, 1, 3]), (2, [1, 2, 5]), (3, [0, 2, 4])):
        np.testing.assert_allclose(lam.getreducednyestiffnessmatrix(c6, pl), np.linalg.inv(s6[np.ix_(idx, idx)]),
                                   rtol=1e-10, atol=1e-8)
    np.testing.assert_allclose(lam.getreducednyestiffnessmatrix(c6), q_onaxis(PLY), rtol=1e-12)


@pytest.mark.parametrize("deg", ANGLES + [-25.0])
def test_off_axis_transverse_shear(vx, deg):
    g13, g23 = 4800.0, 3448.0
    h = vx.lamina.getoffaxisshearrigidmatrix(g13, g23, deg)
    r2 = rot3(deg)[:2, :2]
    np.testing.assert_allclose(h, r2.T @ np.diag([g23, g13]) @ r2, rtol=1e-14, atol=1e-11)
