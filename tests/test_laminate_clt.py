"""Laminate stiffness A, B, D and what is derived from it."""

import ctypes

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


def bits(x):
    """Entries as bit patterns (the sign of a zero counts), NaN as one pattern."""
    x = np.array(x, dtype=float)
    x[np.isnan(x)] = np.nan
    return x.view(np.uint64)


def abd_tilde_by_matrixinverse(vx, a, b, d):
    """The partial inverses composed from MatrixInverse, the library's LU
    kernel for any order, and products in index order; with the status."""
    inv = vx.math.matrixinverse
    vx.errorhandling.rsxerr(1)
    ai = inv(np.asfortranarray(a))
    bai = mul(b, ai)
    dt = inv(np.asfortranarray(d - mul(bai, b)))
    bt = mul(dt, bai)
    return (ai + mul(mul(ai, b), bt), bt, dt), status(vx)


def status(vx):
    rec = record(vx)
    return rec if rec[0] else (0, "")


def tilde_cases():
    """Laminates (random, and ill-conditioned through a vanishing shear or
    transverse modulus), then matrices of small integers at mixed scales,
    which take every order of row interchanges and zero pivots, and entries
    that are subnormal, infinite or NaN."""
    rng = np.random.default_rng(23)
    for k in range(120):
        n = int(rng.integers(1, 9))
        props = [CFRP.copy() if rng.random() < 0.7 else GFRP.copy() for _ in range(n)]
        if k % 2:
            for p in props:
                p[6] *= 10.0 ** -rng.uniform(4, 12)
                p[1] *= 10.0 ** -rng.uniform(0, 6)
        yield "stack", props, rng.uniform(-90, 90, n), rng.uniform(0.05, 1.0, n)
    scales = [1.0, 1e-3, 7.0, 1e40, 1e-40]
    for k in range(400):
        a, b, d = (rng.integers(-1, 4, (3, 3)) * rng.choice(scales, (3, 3)) for _ in range(3))
        tiny = rng.choice([-3e-310, -1e-310, 1e-310, 2e-310], 3)  # reciprocals overflow
        if k % 8 == 0:  # subnormal first pivot of A, found singular after it
            a[:, 0] = tiny
            a[:, 2] = a[:, 1]
        elif k % 8 == 1:  # subnormal second pivot of A
            a[:, 0] = [1.0, 0.0, 0.0]
            a[1:, 1] = tiny[1:]
        elif k % 8 == 2:  # subnormal pivot of D*
            b[:] = 0.0
            d[:, int(rng.integers(0, 3))] = tiny
        elif k % 8 == 3:
            d[rng.integers(0, 3), rng.integers(0, 3)] = rng.choice([np.inf, -np.inf, np.nan])
        yield "matrices", a, b, d


def test_partial_inverses_are_those_of_matrixinverse_bit_for_bit(vx):
    """Whatever path a stack takes inside, the result is the composition of
    the general inverse and the products, to the last bit and the sign of
    zeros; the same stacks are reported singular."""
    orders, singular, worst = set(), 0, 0.0
    for kind, *args in tilde_cases():
        a, b, d = stiffness(vx, *args) if kind == "stack" else args
        vx.errorhandling.rsxerr(1)
        got, got_status = vx.laminate.getabdtilde(a, b, d), status(vx)
        with np.errstate(all="ignore"):
            want, want_status = abd_tilde_by_matrixinverse(vx, a, b, d)
        assert got_status == want_status, (a, b, d)
        for g, w in zip(got, want):
            np.testing.assert_array_equal(bits(g), bits(w), err_msg=f"{kind}\n{a}\n{b}\n{d}")
        singular += got_status[0] != 0
        if kind == "stack":
            worst = max(worst, np.linalg.cond(want[2]))
        elif np.isfinite(a).all() and lapack_oracle.getrf(a)[2] == 0:
            orders.add(tuple(lapack_oracle.getrf(a)[1]))
    assert singular > 20 and worst > 1e8
    assert len(orders) == 6  # every sequence of row interchanges of a regular A


def test_partial_inverses_written_over_their_inputs(vx, lib):
    a, b, d = stiffness(vx, *STACKS["hybrid, uneven"])
    zero_a = np.zeros((3, 3))
    for a_in in (a, zero_a):  # the quick path, and the singular one
        want = vx.laminate.getabdtilde(a_in, b, d)
        bufs = [np.array(m, order="F") for m in (a_in, b, d)]
        ptrs = [m.ctypes.data_as(ctypes.c_void_p) for m in bufs]
        lib.GetABDTilde(*ptrs, *ptrs)
        for g, w in zip(bufs, want):
            np.testing.assert_array_equal(bits(g), bits(w))


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
