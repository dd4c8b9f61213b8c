"""Laminate stiffness A, B, D and what is derived from it."""

import numpy as np
import pytest

import lapack_oracle
from conftest import error_record as record
from laminate_oracle import CFRP, GFRP, abd_parallel_axis, invariants, plyelastic


STACKS = {
    "symmetric quasi-isotropic": ([CFRP] * 8, [0, 45, -45, 90, 90, -45, 45, 0], [0.125] * 8),
    "unsymmetric cross-ply": ([CFRP] * 2, [0, 90], [0.25, 0.25]),
    "antisymmetric angle-ply": ([CFRP] * 4, [30, -30, 30, -30], [0.2] * 4),
    "hybrid, uneven": ([CFRP, GFRP, CFRP, GFRP, CFRP], [15, -60, 90, 0, 33], [0.1, 0.3, 0.15, 0.2, 0.25]),
}


def stiffness(vx, props, angles, t):
    pe = plyelastic(props)
    lam = vx.laminate
    return lam.getamatrix(pe, angles, t), lam.getbmatrix(pe, angles, t), lam.getdmatrix(pe, angles, t)


@pytest.mark.parametrize("name", STACKS)
def test_abd_matches_textbook_integration(vx, name):
    props, angles, t = STACKS[name]
    a, b, d = stiffness(vx, props, angles, t)
    ra, rb, rd = abd_parallel_axis(props, angles, t)
    scale = np.abs(ra).max()
    h = sum(t)
    np.testing.assert_allclose(a, ra, rtol=1e-12, atol=1e-12 * scale)
    np.testing.assert_allclose(b, rb, rtol=1e-11, atol=1e-12 * scale * h)
    np.testing.assert_allclose(d, rd, rtol=1e-12, atol=1e-12 * scale * h * h)
    np.testing.assert_array_equal(vx.laminate.getabdmatrix(a, b, d), np.block([[a, b], [b, d]]))


@pytest.mark.parametrize("name", STACKS)
def test_partial_inverses_are_blocks_of_the_inverse(vx, name):
    a, b, d = stiffness(vx, *STACKS[name])
    lam = vx.laminate
    inv = np.linalg.inv(np.block([[a, b], [b, d]]))
    at, bt, dt = lam.getabdtilde(a, b, d)
    np.testing.assert_allclose(at, inv[:3, :3], rtol=1e-9, atol=1e-9 * np.abs(inv[:3, :3]).max())
    np.testing.assert_allclose(dt, inv[3:, 3:], rtol=1e-9, atol=1e-9 * np.abs(inv[3:, 3:]).max())
    np.testing.assert_allclose(bt, -inv[3:, :3], rtol=1e-9, atol=1e-9 * np.abs(inv[3:, :3]).max() + 1e-30)
    dred = lam.getreducedbendingstiffness(a, b, d)
    np.testing.assert_allclose(dred, np.linalg.inv(inv[3:, 3:]), rtol=1e-9, atol=1e-9 * np.abs(d).max())
    assert record(vx)[0] == 0


def mul(x, y):
    """3 x 3 product summed in index order: after a singular inverse the
    partial inverses are far from well conditioned, and the order shows."""
    return np.array([[(x[i, 0] * y[0, j] + x[i, 1] * y[1, j]) + x[i, 2] * y[2, j] for j in range(3)]
                     for i in range(3)])


def abd_tilde_by_lapack(a, b, d):
    """The partial inverses with LAPACK's inverse, which hands on the packed
    factors of a singular matrix."""
    ai = lapack_oracle.inverse(a)
    bai = mul(b, ai)
    dt = lapack_oracle.inverse(d - mul(bai, b))
    bt = mul(dt, bai)
    return ai + mul(mul(ai, b), bt), bt, dt


@pytest.mark.parametrize("case", ["hybrid", "singular A", "singular D*", "zero"])
def test_partial_inverses_agree_with_lapack(vx, case):
    a, b, d = stiffness(vx, *STACKS["hybrid, uneven"])
    if case == "singular A":
        a[:, 2] = 0.0  # no membrane shear stiffness
    elif case == "singular D*":
        b = np.zeros((3, 3))
        d[:, 1] = 0.0
    elif case == "zero":
        a = b = d = np.zeros((3, 3))
    got = vx.laminate.getabdtilde(a, b, d)
    want = abd_tilde_by_lapack(a, b, d)
    singular = lapack_oracle.getrf(a)[2] or lapack_oracle.getrf(d - mul(mul(b, lapack_oracle.inverse(a)), b))[2]
    assert bool(singular) == (case != "hybrid")
    if singular:
        assert record(vx) == (-2, "Matrix inverse becomes numerically singular!")
    else:
        assert record(vx)[0] == 0
    for g, w in zip(got, want):
        assert np.abs(g - w).max() <= 1e-13 * max(np.abs(w).max(), 1e-300)


def test_singular_membrane_stiffness_is_reported(vx):
    z = np.zeros((3, 3))
    vx.laminate.getreducedbendingstiffness(z, z, np.eye(3))
    assert record(vx) == (-2, "Matrix inverse becomes numerically singular!")


def test_engineering_constants(vx):
    lam = vx.laminate
    # cross-ply without Poisson coupling: the diagonal and the inverse read the same moduli
    p = CFRP.copy()
    p[3] = 0.0
    props, angles, t = [p] * 4, [0, 90, 90, 0], [0.25] * 4
    abd = lam.getabdmatrix(*stiffness(vx, props, angles, t))
    e_inv = lam.getengconstsfromabdmatrix(abd, 1.0)
    e_dir = lam.getengconstsfromabdmatrix(abd, 1.0, 1)
    np.testing.assert_allclose(e_inv[[0, 1, 2, 4, 5, 6]], e_dir[[0, 1, 2, 4, 5, 6]], rtol=1e-12)
    assert e_dir[3] == 0.0 and e_dir[7] == 0.0 and abs(e_inv[3]) < 1e-15
    # balanced symmetric laminate: textbook membrane constants from A
    props, angles, t = STACKS["symmetric quasi-isotropic"]
    a, b, d = stiffness(vx, props, angles, t)
    h = sum(t)
    eng = lam.getengconstsfromabdmatrix(lam.getabdmatrix(a, b, d), h)
    assert eng[0] == pytest.approx((a[0, 0] * a[1, 1] - a[0, 1] ** 2) / (a[1, 1] * h), rel=1e-9)
    assert eng[3] == pytest.approx(a[0, 1] / a[1, 1], rel=1e-9)
    assert eng[2] == pytest.approx(a[2, 2] / h, rel=1e-9)
    di = np.linalg.inv(d)
    assert eng[4] == pytest.approx(12 / (h**3 * di[0, 0]), rel=1e-9)
    assert eng[7] == pytest.approx(-di[0, 1] / di[0, 0], rel=1e-9)


def test_lamination_parameters_rebuild_the_stiffness(vx):
    props, angles, t = [CFRP] * 5, [15, -60, 90, 0, 33], [0.1, 0.3, 0.15, 0.2, 0.25]
    lam = vx.laminate
    v = lam.getvmatrix(np.radians(angles), t)
    a, b, d = stiffness(vx, props, angles, t)
    u1, u2, u3, u4, u5 = invariants(CFRP)
    h = sum(t)

    def rebuild(c, scale, iso):
        v1, v2, v3, v4 = v[:, c]
        m = np.array([[iso * u1 + u2 * v1 + u3 * v2, iso * u4 - u3 * v2, u2 * v3 / 2 + u3 * v4],
                      [0, iso * u1 - u2 * v1 + u3 * v2, u2 * v3 / 2 - u3 * v4],
                      [0, 0, iso * u5 - u3 * v2]])
        return scale * (np.triu(m) + np.triu(m, 1).T)

    np.testing.assert_allclose(a, rebuild(0, h, 1), rtol=1e-12, atol=1e-9)
    np.testing.assert_allclose(b, rebuild(1, h * h / 4, 0), rtol=1e-11, atol=1e-9)
    np.testing.assert_allclose(d, rebuild(2, h**3 / 12, 1), rtol=1e-12, atol=1e-9)
    np.testing.assert_allclose(lam.getvmatrix([0.0], [0.4]), [[1, 0, 1], [1, 0, 1], [0, 0, 0], [0, 0, 0]], atol=1e-15)


def test_sub_laminate_and_plate_stiffness(vx):
    props, angles, t = STACKS["hybrid, uneven"]
    pe = plyelastic(props)
    lam = vx.laminate
    for flag, fn in (("A", lam.getamatrix), ("B", lam.getbmatrix), ("D", lam.getdmatrix)):
        sub = lam.getsublaminatexmatrix(flag, pe, angles, t, [2, 4])
        np.testing.assert_array_equal(sub, fn(pe[:, 1:4], angles[1:4], t[1:4]))
    np.testing.assert_array_equal(lam.getsublaminatexmatrix("d", pe, angles, t, [2, 4]), np.zeros((3, 3)))
    np.testing.assert_array_equal(lam.getsublaminatexmatrix("A", pe, angles, t, [4, 3]), np.zeros((3, 3)))
    assert record(vx)[0] == 0
    lam.getsublaminatexmatrix("A", pe, angles, t, [4, 6])
    assert record(vx)[0] == -2
    # an isotropic plate: D11 (1 + (nu + 1 - nu)) / 2 = D11
    iso = np.array([70e3, 70e3, 70e3, 0.3, 0.3, 0.3, 70e3 / 2.6, 70e3 / 2.6, 70e3 / 2.6])
    dplate = 70e3 * 2.0**3 / (12 * (1 - 0.09))
    assert lam.geteffectiveplatestiffness(plyelastic([iso]), [20.0], [2.0]) == pytest.approx(dplate, rel=1e-12)


def test_sub_laminate_ranges_at_the_integer_limits(vx):
    # Ranges are measured in 64 bits (the sanitizer build would stop on an
    # overflow): the one reaching below ply 1 is refused, the empty one gives zeros.
    plies = np.ones((9, 3))
    for stack, status in (([-2**31, 2], -2), ([1, -2**31], 0)):
        vx.errorhandling.rsxerr(1)
        x = vx.laminate.getsublaminatexmatrix("A", plies, np.zeros(3), np.ones(3), np.array(stack, np.int32))
        assert not x.any() and record(vx)[0] == status


def test_plate_stiffness_of_a_stack_without_bending_stiffness(vx):
    # no plies, or plies of no thickness: refused with 0, never a silent NaN
    lam = vx.laminate
    for pe, angles, t in ((np.zeros((9, 0)), [], []), (plyelastic([CFRP, CFRP]), [0.0, 90.0], [0.0, 0.0])):
        vx.errorhandling.rsxerr(1)
        assert lam.geteffectiveplatestiffness(pe, angles, t) == 0.0
        assert record(vx) == (-2, "Error in GetEffectivePlateStiffness: the stack has no bending stiffness.")
