"""Norms, definiteness, nearest positive-definite and correlation matrices, iterative methods."""

import ctypes
import json

import numpy as np
import pytest
from conftest import error_record, limit_memory, needs_address_limit, run_python

RNG = np.random.default_rng(99)
HIGHAM_A = np.array([[2.0, -1, 0, 0], [-1, 2, -1, 0], [0, -1, 2, -1], [0, 0, -1, 2]])
# Higham (2002), the nearest correlation matrix of HIGHAM_A to four figures
HIGHAM_X = np.array([[1.0000, -0.8084, 0.1916, 0.1068],
                     [-0.8084, 1.0000, -0.6562, 0.1916],
                     [0.1916, -0.6562, 1.0000, -0.8084],
                     [0.1068, 0.1916, -0.8084, 1.0000]])
INDEFINITE = np.array([[1.0, 1.0, 1.0], [1.0, 1.0, 0.0], [1.0, 0.0, 1.0]])


def factorises(a):
    try:
        np.linalg.cholesky(a)
        return True
    except np.linalg.LinAlgError:
        return False


def test_vector_and_entrywise_norms(vx):
    m = vx.math
    assert m.lpvectornorm(np.array([3.0, 4.0]), 0.0) == np.inf
    x = RNG.standard_normal(7)
    for p in (1.0, 2.0, 3.5):
        assert m.lpvectornorm(x, p) == pytest.approx(np.linalg.norm(x, p), rel=1e-13)
    a = RNG.standard_normal((4, 3))
    assert m.matrixnorm(a) == pytest.approx(np.linalg.norm(a), rel=1e-14)
    assert m.lpmatrixnorm(a, 2.0) == pytest.approx(m.matrixnorm(a), rel=1e-14)
    assert m.lpmatrixnorm(a, 1.0) == pytest.approx(np.abs(a).sum(), rel=1e-14)
    assert m.vectornorm(np.zeros(0)) == 0.0


@pytest.mark.parametrize("shape", [(1, 1), (2, 2), (3, 5), (6, 6), (8, 3), (500, 2), (2, 500)])
def test_singular_value_norms(vx, shape):
    a = RNG.standard_normal(shape)
    sv = np.linalg.svd(a, compute_uv=False)
    assert vx.math.spectralnorm(a) == pytest.approx(sv.max(), rel=1e-12)
    assert vx.math.nuclearnorm(a) == pytest.approx(sv.sum(), rel=1e-12)
    assert vx.math.schattennorm(a, 2.0) == pytest.approx(np.linalg.norm(a), rel=1e-12)
    assert vx.math.schattennorm(a, 3.0) == pytest.approx((sv ** 3).sum() ** (1 / 3), rel=1e-12)


# A gigabyte of address space beyond what the interpreter holds: the matrices
# are at most 800 KB, a square factor of their long side 3 to 80 GB.
TALL_CHILD = r"""
import json, numpy as np, _vexlan as vx
m = vx.math
rng = np.random.default_rng(7)
mats = [rng.standard_normal(s) for s in SHAPES]
""" + limit_memory(1 << 30) + r"""
print(json.dumps([[m.spectralnorm(a), m.nuclearnorm(a), m.schattennorm(a, 3.0)] for a in mats]))
"""


@needs_address_limit
def test_singular_value_norms_of_a_long_thin_matrix_need_no_square_factor():
    shapes = [(100_000, 1), (1, 100_000), (20_000, 5), (5, 20_000)]
    out, status = run_python(TALL_CHILD.replace("SHAPES", repr(shapes)), timeout=120)
    assert status == 0, out
    got = json.loads(out)
    rng = np.random.default_rng(7)
    for shape, norms in zip(shapes, got):
        sv = np.linalg.svd(rng.standard_normal(shape), compute_uv=False)
        want = [sv.max(), sv.sum(), (sv ** 3).sum() ** (1 / 3)]
        np.testing.assert_allclose(norms, want, rtol=1e-12, err_msg=str(shape))


def test_positive_definiteness(vx):
    m = vx.math
    # the default bound is relative to the scale; a given one is absolute
    assert m.ispositivedefinite(np.diag([1.0, 1e-9])) == 1
    assert m.ispositivedefinite(np.diag([1.0, 1e-9]), tolerance=1e-8) == 0
    assert m.ispositivedefinite(np.diag([1.0, 1e-9]), tolerance=1e-10) == 1
    b = RNG.standard_normal((5, 5))
    assert m.ispositivedefinite(b @ b.T + np.eye(5)) == 1
    assert m.ispositivedefinite(INDEFINITE) == 0
    assert error_record(vx)[0] == 0
    assert m.ispositivedefinite(np.array([[1.0, 1.0], [1.0, 1.0]])) == 0
    assert error_record(vx) == (-2, "Singularity in LU-factorization computation")


# The compliance of a carbon/epoxy ply in 1/Pa: eigenvalues from 7e-12 to 2e-10.
PLY_COMPLIANCE = np.linalg.inv(np.array([[140e9 / 0.9790, 0.3 * 10e9 / 0.9790, 0.0],
                                         [0.3 * 10e9 / 0.9790, 10e9 / 0.9790, 0.0],
                                         [0.0, 0.0, 5e9]]))


def test_positive_definiteness_does_not_depend_on_the_units(vx, lib):
    m = vx.math
    assert m.ispositivedefinite(PLY_COMPLIANCE) == 1
    rng = np.random.default_rng(3)
    for k in range(400):
        n = int(rng.integers(2, 8))
        scale = 10.0 ** rng.uniform(-12, 12)
        q, _ = np.linalg.qr(rng.standard_normal((n, n)))
        lam = np.geomspace(1.0, 10.0 ** rng.uniform(0, 8), n) * scale
        spd = (q * lam) @ q.T
        spd = (spd + spd.T) / 2
        assert m.ispositivedefinite(spd) == factorises(spd) == 1, (k, lam)
        # singular (rank n - 1) and indefinite matrices of the same scales
        b = rng.standard_normal((n, n - 1))
        assert m.ispositivedefinite(scale * (b @ b.T)) == 0, k
        lam[0] = -lam[0]
        assert m.ispositivedefinite((q * lam) @ q.T) == 0, k
    vx.errorhandling.rsxerr(1)
    # a C caller's absent tolerance is the same relative bound
    lib.IsPositiveDefinite.restype = ctypes.c_byte
    x = np.asfortranarray(PLY_COMPLIANCE)
    n = ctypes.c_int32(3)
    assert lib.IsPositiveDefinite(x.ctypes.data_as(ctypes.c_void_p), ctypes.byref(n), None) == 1
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("n", [1, 2, 4, 7])
def test_projection_onto_semidefinite_matrices(vx, n):
    a = RNG.standard_normal((n, n))
    s = (a + a.T) / 2
    w, v = np.linalg.eigh(s)
    want = v @ np.diag(np.maximum(w, 0.0)) @ v.T
    np.testing.assert_allclose(vx.math.getprojectedspd(a), want, atol=1e-12)


@pytest.mark.parametrize("n", [2, 3, 6, 10])
def test_nearest_spd(vx, n):
    b = RNG.standard_normal((n, n))
    pd = b @ b.T + np.eye(n)
    np.testing.assert_allclose(vx.math.getnearestspd(pd), pd, rtol=1e-12, atol=1e-12)
    assert vx.math.getnearestpdnorm(pd) == 0.0
    a = RNG.standard_normal((n, n))
    x = vx.math.getnearestspd(a)
    np.testing.assert_array_equal(x, x.T)
    assert factorises(x)
    # the semidefinite polar part (B + H) / 2 is the nearest; the shift is tiny
    s = (a + a.T) / 2
    w, v = np.linalg.eigh(s)
    np.testing.assert_allclose(x, v @ np.diag(np.maximum(w, 0)) @ v.T, atol=1e-12 * np.abs(w).max())
    assert vx.math.getnearestpdnorm(a) == pytest.approx(np.linalg.norm(a - x), rel=1e-12)
    assert vx.math.getnearestpdnorm(np.diag([1.0, -1.0])) == pytest.approx(1.0)
    assert error_record(vx)[0] == 0


def test_nearest_correlation_matrix_of_highams_example(vx):
    x = vx.math.getnearestcorrelationmatrix(HIGHAM_A)
    np.testing.assert_allclose(x, HIGHAM_X, atol=5e-5)
    np.testing.assert_allclose(np.diag(x), 1.0, atol=1e-12)
    assert factorises(x) and error_record(vx)[0] == 0


def test_nearest_correlation_matrix_options(vx):
    m = vx.math
    x = m.getnearestcorrelationmatrix(INDEFINITE)
    assert factorises(x)
    np.testing.assert_allclose(x, x.T, atol=1e-15)
    np.testing.assert_allclose(np.diag(x), 1.0, atol=1e-12)
    # iteration limit reached: the zero matrix, nothing recorded
    np.testing.assert_array_equal(m.getnearestcorrelationmatrix(INDEFINITE, maxiter=1), 0.0)
    assert error_record(vx)[0] == 0
    np.testing.assert_array_equal(m.getnearestcorrelationmatrix(INDEFINITE, weights=-np.ones(3)), x)
    # weights act through their products only: a common factor changes nothing
    np.testing.assert_allclose(m.getnearestcorrelationmatrix(HIGHAM_A, weights=np.full(4, 3.0)),
                               m.getnearestcorrelationmatrix(HIGHAM_A), atol=1e-10)
    w = np.array([1.0, 10.0, 1.0, 1.0])
    xw = m.getnearestcorrelationmatrix(HIGHAM_A, weights=w, tol=1e-12, maxiter=2000)
    assert factorises(xw) and not np.allclose(xw, HIGHAM_X, atol=1e-3)
    np.testing.assert_allclose(np.diag(xw), 1.0, atol=1e-12)
    for cflag in (1, 2):
        r = m.getnearestcorrelationmatrix(INDEFINITE, cflag=cflag)
        assert factorises(r)
        np.testing.assert_allclose(np.diag(r), 1.0, atol=1e-10)


@pytest.mark.parametrize("kw", [{}, {"maxiter": 5}, {"cflag": 1}])
def test_nearest_correlation_matrix_with_nan_ends(vx, kw):
    bad = INDEFINITE.copy()
    bad[0, 2] = bad[2, 0] = np.nan
    # the first projection refuses the matrix; the zero matrix and the report say so
    np.testing.assert_array_equal(vx.math.getnearestcorrelationmatrix(bad, **kw), 0.0)
    assert error_record(vx) == (-2, "Non-finite matrix entry in eigenvector computation")


def test_power_iteration(vx):
    b = RNG.standard_normal((6, 6))
    s = b @ b.T
    w, v = np.linalg.eigh(s)
    val, vec = vx.math.poweriteration(s)
    assert val == pytest.approx(w[-1], rel=1e-10)
    np.testing.assert_allclose(abs(vec @ v[:, -1]), 1.0, atol=1e-9)
    assert error_record(vx)[0] == 0
    vx.math.poweriteration(np.diag([1.0, -1.0, 0.5]), startvec=np.array([1.0, 0.5, 1.0]), maxiter=50)
    assert error_record(vx) == (-2, "No convergence in von Mises eigenvalue computation")


def test_power_iteration_without_passes_returns_the_start(vx):
    a = np.array([[2.0, 1.0], [1.0, 3.0]])
    start = np.array([1.0, 2.0])
    val, vec = vx.math.poweriteration(a, maxiter=0, startvec=start)
    np.testing.assert_array_equal(vec, start)
    assert val == start @ a @ start


@pytest.mark.parametrize("n", [2, 3, 6, 10])
def test_conjugate_gradient(vx, n):
    b = RNG.standard_normal((n, n))
    a = b @ b.T + n * np.eye(n)
    rhs = RNG.standard_normal(n)
    x = vx.math.conjucategradient(a, rhs, np.zeros(n))
    np.testing.assert_allclose(x, np.linalg.solve(a, rhs), rtol=1e-8, atol=1e-10)
    x = vx.math.conjucategradient(a, rhs, RNG.standard_normal(n))
    np.testing.assert_allclose(a @ x, rhs, atol=1e-8)


def test_conjugate_gradient_first_step_and_exact_start(vx):
    a = np.array([[4.0, 1.0], [1.0, 3.0]])
    rhs = np.array([1.0, 2.0])
    sol = np.linalg.solve(a, rhs)
    # started at the solution it stays there instead of dividing 0 by 0
    np.testing.assert_array_equal(vx.math.conjucategradient(a, a @ sol, sol), sol)
    assert error_record(vx)[0] == 0
    # order m: one step is a steepest-descent step
    one = np.array([[5.0]])
    np.testing.assert_allclose(vx.math.conjucategradient(one, np.array([2.0]), np.array([7.0])), [0.4])
    np.testing.assert_allclose(vx.math.conjucategradient(a, rhs, np.array([3.0, -2.0])), sol, atol=1e-12)


def test_conjugate_gradient_refuses_a_non_square_matrix(vx):
    x0 = np.array([1.0, 2.0])
    np.testing.assert_array_equal(vx.math.conjucategradient(np.ones((3, 2)), np.ones(2), x0), x0)
    assert error_record(vx)[0] == -2
