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


# On the rounding edge the old shift (eps - k^2 lmin, from a smallest
# eigenvalue that computes as 0) could not grow: "No convergence", singular.
SPD_EDGE = np.array([[2734.90799800402, -11742.57562774835], [2365.2146742387204, 4406.683534345376]])


def every_cholesky_accepts(x):
    import scipy.linalg
    try:
        np.linalg.cholesky(x)
        scipy.linalg.cholesky(x, lower=False)
        scipy.linalg.cholesky(x, lower=True)
    except np.linalg.LinAlgError:
        return False
    return np.linalg.eigvalsh(x).min() > 0


def test_nearest_spd_on_the_rounding_edge(vx):
    rng = np.random.default_rng(42)
    cases = [SPD_EDGE] + [rng.standard_normal((n, n)) * 5000 for n in rng.integers(2, 5, 1500)]
    cases += [rng.standard_normal((n, n)) * 10.0 ** rng.uniform(-8, 8) for n in rng.integers(1, 9, 500)]
    for k, a in enumerate(cases):
        x = vx.math.getnearestspd(a)
        assert error_record(vx)[0] == 0, k
        assert every_cholesky_accepts(x), k
        # the projection onto the semidefinite matrices plus a shift that is
        # tiny against the matrix
        w, v = np.linalg.eigh((a + a.T) / 2)
        proj = v @ np.diag(np.maximum(w, 0)) @ v.T
        assert np.linalg.norm(x - proj) <= 1e-13 * np.abs(w).max(), k


def test_nearest_spd_of_a_semidefinite_or_zero_matrix(vx):
    rng = np.random.default_rng(8)
    for n in (2, 3, 5, 8):
        b = rng.standard_normal((n, n - 1)) * 1e3
        psd = b @ b.T  # one eigenvalue at rounding level
        x = vx.math.getnearestspd(psd)
        assert every_cholesky_accepts(x)
        assert np.linalg.norm(x - psd) <= 1e-13 * np.linalg.norm(psd)
    # a negative definite matrix has the zero projection: eps I, as before
    np.testing.assert_array_equal(vx.math.getnearestspd(-np.eye(3)), 2.220446049250313e-16 * np.eye(3))
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
    # iteration limit reached: the last iterate, repaired into a correlation
    # matrix, and a warning
    x1 = m.getnearestcorrelationmatrix(INDEFINITE, maxiter=1)
    assert error_record(vx) == (-1, "No convergence in nearest correlation matrix iteration")
    assert factorises(x1)
    np.testing.assert_allclose(np.diag(x1), 1.0, atol=1e-12)
    vx.errorhandling.rsxerr(1)
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


# numpy.corrcoef's answer for three variables, eigenvalues 0.68 to 1.29: its
# relative changes settled just above 3 eps and it came back as zeros.
VALID_CORR = np.array([[0.9999999999999998, -0.2823486736391652, 0.03618623605988425],
                       [-0.2823486736391652, 1.0, 0.11186366580508862],
                       [0.03618623605988425, 0.11186366580508864, 1.0]])


def test_a_valid_correlation_matrix_comes_back_as_itself(vx):
    rng = np.random.default_rng(17)
    cases = [VALID_CORR]
    for _ in range(400):
        n = int(rng.integers(2, 12))
        cases.append(np.corrcoef(rng.standard_normal((int(rng.integers(n + 2, 60)), n)).T))
    for k, c in enumerate(cases):
        for kw in ({}, {"maxiter": 1000}):
            x = vx.math.getnearestcorrelationmatrix(c, **kw)
            assert error_record(vx)[0] == 0, k
            np.testing.assert_allclose(x, c, rtol=0, atol=1e-13, err_msg=str(k))


def test_nearest_correlation_matrix_of_ordinary_inputs(vx):
    # Rounded and perturbed correlation matrices, most of them indefinite:
    # each comes back a correlation matrix, at least as near as the
    # eigenvalue clipping with a rescaled diagonal is, without a warning.
    rng = np.random.default_rng(23)
    for k in range(300):
        n = int(rng.integers(2, 10))
        a = np.corrcoef(rng.standard_normal((2 * n, n)).T)
        e = rng.uniform(-0.3, 0.3, (n, n))
        a = np.clip(a + (e + e.T) / 2, -1, 1)
        np.fill_diagonal(a, 1.0)
        x = vx.math.getnearestcorrelationmatrix(a)
        assert error_record(vx)[0] == 0, k
        assert factorises(x), k
        np.testing.assert_allclose(np.diag(x), 1.0, atol=1e-12)
        w, v = np.linalg.eigh(a)
        c = v @ np.diag(np.maximum(w, 0)) @ v.T
        d = 1 / np.sqrt(np.diag(c))
        clipped = c * np.outer(d, d)
        assert np.linalg.norm(x - a) <= np.linalg.norm(clipped - a) * (1 + 1e-10) + 1e-12, k


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


def dominant_eigenvalue(a):
    w = np.linalg.eigvals(a)
    return w[np.argmax(np.abs(w))].real


def test_power_iteration_from_its_default_start(vx):
    m = vx.math
    # rows of one sum make a vector of ones an eigenvector (of -1 here)
    val, vec = m.poweriteration(np.array([[1.0, -2.0], [-2.0, 1.0]]))
    assert val == pytest.approx(3.0, rel=1e-12)
    np.testing.assert_allclose(abs(vec), np.sqrt(0.5), rtol=1e-10)
    rng = np.random.default_rng(31)
    for k in range(200):
        n = int(rng.integers(2, 9))
        b = rng.standard_normal((n, n))
        s = b @ b.T if k % 2 else b + b.T
        if k % 3 == 0:  # shift the rows to one common sum
            s = s - np.outer(s.sum(axis=1), np.ones(n)) / n + rng.standard_normal()
        w = np.linalg.eigvals(s)
        top = np.sort(np.abs(w))
        if top[-1] - top[-2] < 0.05 * top[-1]:
            continue  # too slow to converge: not what this is about
        val, vec = m.poweriteration(s)
        assert error_record(vx)[0] == 0, k
        assert val == pytest.approx(dominant_eigenvalue(s), rel=1e-8), k
        np.testing.assert_allclose(s @ vec, val * vec, atol=1e-6 * abs(val), err_msg=str(k))


def test_power_iteration_keeps_the_orientation_of_a_start_of_ones(vx, lib):
    rng = np.random.default_rng(5)
    b = rng.standard_normal((6, 6))
    s = b @ b.T + np.eye(6)
    val, vec = vx.math.poweriteration(s)
    val1, vec1 = vx.math.poweriteration(s, startvec=np.ones(6))
    assert val == pytest.approx(val1, rel=1e-12)
    np.testing.assert_allclose(vec, vec1, atol=1e-9)
    # a C caller's absent start vector is the same default
    val_c, vec_c = ctypes.c_double(), np.zeros(6)
    a = np.asfortranarray(s)
    n = ctypes.c_int32(6)
    p = ctypes.c_void_p
    lib.PowerIteration(ctypes.byref(val_c), vec_c.ctypes.data_as(p), a.ctypes.data_as(p), ctypes.byref(n),
                       None, None, None)
    assert val_c.value == val
    np.testing.assert_array_equal(vec_c, vec)


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


def test_conjugate_gradient_on_ill_conditioned_systems(vx):
    # m steps do not reach the solution in floating point: a 12 x 12 system
    # of condition 1e4 came back with a relative error of 0.2
    rng = np.random.default_rng(12)
    for k in range(120):
        n = 12 if k == 0 else int(rng.integers(2, 40))
        cond = 1e4 if k == 0 else 10.0 ** rng.uniform(0, 8)
        q, _ = np.linalg.qr(rng.standard_normal((n, n)))
        a = (q * np.geomspace(1.0, cond, n)) @ q.T
        a = (a + a.T) / 2 * 10.0 ** rng.uniform(-6, 6)
        xs = rng.standard_normal(n)
        rhs = a @ xs
        x0 = np.zeros(n) if k % 2 else rng.standard_normal(n)
        x = vx.math.conjucategradient(a, rhs, x0)
        assert error_record(vx)[0] == 0, k
        ref = np.linalg.solve(a, rhs)
        assert np.linalg.norm(x - ref) <= 1e-13 * cond * np.linalg.norm(ref), (k, n, cond)


def test_conjugate_gradient_warns_when_it_stops_short(vx):
    m = vx.math
    msg = (-1, "No convergence in conjugate gradients")
    # a nonsymmetric matrix: the steps limit is reached, the last iterate returned
    x = m.conjucategradient(np.array([[1.0, 3.0], [0.0, 1.0]]), np.array([1.0, 2.0]), np.zeros(2))
    assert error_record(vx) == msg and np.isfinite(x).all()
    vx.errorhandling.rsxerr(1)
    # p . a p = 0 breaks the steps down at once: the start stands
    x0 = np.array([0.5, -0.25])
    a = np.diag([1.0, -1.0])
    np.testing.assert_array_equal(m.conjucategradient(a, a @ x0 + np.array([1.0, 1.0]), x0), x0)
    assert error_record(vx) == msg
    vx.errorhandling.rsxerr(1)
    # b = 0: the residual is measured against the first one; the solution is 0
    a = np.array([[4.0, 1.0], [1.0, 3.0]])
    np.testing.assert_allclose(m.conjucategradient(a, np.zeros(2), np.array([1.0, 2.0])), 0.0, atol=1e-13)
    assert error_record(vx)[0] == 0


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
