"""Inverse, determinants, minors, eigen- and singular values, Cholesky, general product."""
import ctypes
import itertools
import json

import numpy as np
import pytest
from conftest import error_record, run_python

import lapack_oracle

RNG = np.random.default_rng(20240611)
MARKER = -1.7976931348623157e308


def well(n):
    return RNG.standard_normal((n, n)) + n * np.eye(n)


def hilbert(n):
    i = np.arange(n)
    return 1.0 / (i[:, None] + i[None, :] + 1.0)


def sym(n):
    a = RNG.standard_normal((n, n))
    return a + a.T


def small_cases(n):
    """Matrices of order n on which the inverse has to agree with LAPACK's:
    pivoting, grading, ill conditioning, near and exact singularity."""
    rng = np.random.default_rng(1000 + n)
    graded = rng.standard_normal((n, n)) * np.logspace(0, 5, n)[:, None] * np.logspace(3, -2, n)[None, :]
    dependent = rng.integers(-3, 4, (n, n)).astype(float)
    if n > 1:
        dependent[-1] = dependent[0] - 2.0 * dependent[n // 2]  # exactly dependent rows
    zero_col = rng.standard_normal((n, n))
    zero_col[:, n // 2] = 0.0
    nearly = np.outer(rng.standard_normal(n), rng.standard_normal(n)) + 1e-15 * rng.standard_normal((n, n))
    subnormal = rng.standard_normal((n, n))
    subnormal[:, 0] *= 1e-310  # multipliers by division: the reciprocal would overflow
    subnormal[:, -1] = 0.0
    return {"random": rng.standard_normal((n, n)), "graded": graded, "hilbert": hilbert(n),
            "permuted": np.eye(n)[::-1] + 1e-3 * rng.standard_normal((n, n)), "dependent": dependent,
            "zero column": zero_col, "nearly rank one": nearly, "subnormal pivot": subnormal,
            "zero": np.zeros((n, n))}


@pytest.mark.parametrize("n", [*range(1, 9), 17])
def test_small_inverses_and_determinants_agree_with_lapack(vx, lib, n):
    """Inverse and LU determinant of every case as LAPACK gives them today:
    the same records, the same outputs (the packed factors when singular).
    Order 17 takes the work arrays from the heap."""
    singular = "Matrix inverse becomes numerically singular!"
    for name, a in small_cases(n).items():
        vx.errorhandling.rsxerr(1)
        want, info_f, info_i = lapack_oracle.getrf_getri(a)
        got = vx.math.matrixinverse(np.asfortranarray(a))
        expected = (-2, singular) if info_f else (-2, "Matrix inversion failed!") if info_i else None
        assert (error_record(vx) if expected else error_record(vx)[0]) == (expected or 0), name
        scale = np.abs(want).max()
        assert np.abs(got - want).max() <= 1e-13 * scale, name
        # in place, as the library's own callers may do
        buf = np.array(a, order="F")
        ptr = buf.ctypes.data_as(ctypes.c_void_p)
        lib.MatrixInverse(ptr, ptr, ctypes.byref(ctypes.c_int32(n)))
        np.testing.assert_array_equal(buf, got)

        vx.errorhandling.rsxerr(1)
        lu, piv, info = lapack_oracle.getrf(a)
        det = 0.0 if info else np.prod(np.diag(lu)) * (-1.0) ** np.count_nonzero(piv != np.arange(1, n + 1))
        assert vx.math.lufactdeterminant(a) == pytest.approx(det, rel=1e-13, abs=0.0), name
        if info:
            assert error_record(vx) == (-2, "Singularity in LU-factorization computation"), name
        else:
            assert error_record(vx)[0] == 0, name


@pytest.mark.parametrize("n", range(1, 7))
def test_inverse_agrees_with_lapack_bit_for_bit_over_pivot_patterns(vx, n):
    """Entries from {-1, 0, 1} and {0, 1, 2, 3}: every pivot order, and zero
    pivots at every step. The fixed-size kernel works in LAPACK's order of
    operations, so even the factors of singular matrices agree exactly."""
    rng = np.random.default_rng(77 + n)
    singular = 0
    for trial in range(300):
        a = rng.integers(-1, 2, (n, n)) if trial % 2 else rng.integers(0, 4, (n, n))
        a = a * rng.choice([1.0, 1e-3, 7.0, 1e40, 1e-40], (n, n))  # scales mixed, the inverse still finite
        vx.errorhandling.rsxerr(1)
        got = vx.math.matrixinverse(np.asfortranarray(a))
        want, info, _ = lapack_oracle.getrf_getri(a)
        singular += bool(info)
        assert (int(vx.errorhandling.errstat) != 0) == bool(info), a
        np.testing.assert_array_equal(got, want)
    assert 0 < singular < 300


def test_lu_determinant_sign(vx):
    assert vx.math.lufactdeterminant(np.array([[0.0, 1.0], [1.0, 0.0]])) == -1.0
    assert vx.math.lufactdeterminant(np.array([[0.0, 2.0, 0.0], [0.0, 0.0, 3.0], [5.0, 0.0, 0.0]])) == 30.0
    assert vx.math.determinant(np.zeros((0, 0))) == 0.0
    assert error_record(vx)[0] == 0


def permanent(a):
    n = len(a)
    return sum(np.prod([a[i, p[i]] for i in range(n)]) for p in itertools.permutations(range(n)))


@pytest.mark.parametrize("n", range(1, 8))
def test_cofactor_determinant_and_permanent(vx, n):
    a = RNG.integers(-4, 5, (n, n)).astype(float)
    assert vx.math.determinant(a) == pytest.approx(round(np.linalg.det(a)), abs=1e-9)
    if n <= 6:
        assert vx.math.determinant(a, pdflag=1) == permanent(a)


def test_minors_and_cofactor(vx):
    s = well(5)
    for i in range(1, 6):
        for j in range(1, 6):
            keep_r = [r for r in range(5) if r != j - 1]
            keep_c = [c for c in range(5) if c != i - 1]
            want = np.linalg.det(s[np.ix_(keep_r, keep_c)])
            assert vx.math.getfirstminor(s, i, j) == pytest.approx(want, rel=1e-12)
        assert vx.math.getprincipleminor(s, i) == pytest.approx(np.linalg.det(s[:i, :i]), rel=1e-12)
    assert vx.math.getfirstminor(np.array([[3.0]]), 1, 1) == 1.0
    assert (vx.math.getcofactor(5.0, 1, 2), vx.math.getcofactor(5.0, 2, 2)) == (-5.0, 5.0)
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("call", [
    lambda m, s: m.getprincipleminor(s, 4),
    lambda m, s: m.getfirstminor(s, 0, 1),
    lambda m, s: m.getfirstminor(s, 1, 4),
])
def test_minor_indices_outside_the_matrix_are_reported(vx, call):
    assert call(vx.math, well(3)) == 0.0
    assert error_record(vx)[0] == -2


@pytest.mark.parametrize("n", range(1, 13))
def test_symmetric_eigenproblem_matches_numpy(vx, n):
    s = sym(n)
    w, v = np.linalg.eigh(s)
    np.testing.assert_allclose(vx.math.matrixeigenvalues(s), w, atol=1e-12 * n)
    # only the upper triangle is read
    junk = np.triu(s) + np.tril(RNG.standard_normal((n, n)), -1)
    np.testing.assert_allclose(vx.math.matrixeigenvalues(junk), w, atol=1e-12 * n)
    z, ev = vx.math.matrixeigenvectors(junk)
    np.testing.assert_allclose(ev, w, atol=1e-12 * n)
    np.testing.assert_allclose(np.abs(z.T @ v), np.eye(n), atol=1e-8)


def test_eigenvalues_returned_only_for_all_negative_entries(vx):
    a = np.diag([3.0, 1.0, 2.0])
    for given in ([-1.0, 0.0, -1.0], [-1.0, np.nan, -2.0], [5.0, -1.0, -1.0]):
        e = np.array(given)
        z, out = vx.math.matrixeigenvectors(a, eigvals=e)
        np.testing.assert_array_equal(out, e)
        np.testing.assert_allclose(np.abs(z), np.eye(3)[:, [1, 2, 0]])
    e = np.array([-1.0, -3.0, -1e-300])
    _, out = vx.math.matrixeigenvectors(a, eigvals=e, overwrite_eigvals=1)
    np.testing.assert_array_equal(out, [1.0, 2.0, 3.0])
    np.testing.assert_array_equal(e, [1.0, 2.0, 3.0])


def test_modal_assurance_criterion(vx):
    a = np.array([1.0, -2.0, 3.0])
    assert vx.math.vectormodalassurancecriterion(a, -2.5 * a) == pytest.approx(1.0)
    assert vx.math.vectormodalassurancecriterion(a, np.array([2.0, 1.0, 0.0])) == 0.0
    assert np.isnan(vx.math.vectormodalassurancecriterion(a, np.zeros(3)))
    s = sym(5)
    np.testing.assert_allclose(vx.math.matrixmodalassurancecriterion(s, s), np.eye(5), atol=1e-12)
    # same eigenvectors, eigenvalue order reversed
    mac = vx.math.matrixmodalassurancecriterion(np.diag([1.0, 2, 3, 4, 5]), np.diag([5.0, 4, 3, 2, 1]))
    np.testing.assert_allclose(mac, np.eye(5)[::-1], atol=1e-14)


@pytest.mark.parametrize("shape", [(1, 1), (2, 3), (3, 2), (4, 4), (7, 3), (2, 9)])
def test_singular_value_decomposition(vx, shape):
    m, n = shape
    a = RNG.standard_normal(shape)
    u, s, v = vx.math.singularvaluedecomposition(a)
    np.testing.assert_allclose(u @ s @ v, a, atol=1e-12)
    sv = np.zeros((m, n))
    np.fill_diagonal(sv, np.linalg.svd(a, compute_uv=False))
    np.testing.assert_allclose(s, sv, rtol=1e-12, atol=0)
    np.testing.assert_allclose(u.T @ u, np.eye(m), atol=1e-12)
    np.testing.assert_allclose(v @ v.T, np.eye(n), atol=1e-12)


@pytest.mark.parametrize("n", [1, 2, 3, 6, 12])
def test_cholesky_upper_factor_and_failure_marker(vx, n):
    b = RNG.standard_normal((n, n))
    a = b @ b.T + n * np.eye(n)
    a[np.tril_indices(n, -1)] += 100.0  # the lower triangle is not read, and stays
    c = vx.math.choleskyfactorization(a)
    r = np.linalg.cholesky(np.triu(a) + np.triu(a, 1).T).T
    np.testing.assert_allclose(np.triu(c), r, rtol=1e-12, atol=1e-12)
    np.testing.assert_array_equal(np.tril(c, -1), np.tril(a, -1))
    bad = np.eye(n)
    bad[-1, -1] = -1.0
    np.testing.assert_array_equal(vx.math.choleskyfactorization(bad), np.full((n, n), MARKER))
    assert error_record(vx)[0] == 0


@pytest.mark.parametrize("sa,sb", [("N", "N"), ("N", "T"), ("T", "N"), ("T", "T"),
                                   ("n", "t"), ("t", "n"), ("t", "t")])
@pytest.mark.parametrize("explicit", [False, True])
def test_general_matrix_product(vx, sa, sb, explicit):
    # A transposed operand is given as the matrix itself, k x m for a and
    # n x k for b, and m, n, k follow from op(a), op(b) when left out.
    m, n, k = 4, 3, 5
    a = RNG.standard_normal((m, k) if sa in "Nn" else (k, m))
    b = RNG.standard_normal((k, n) if sb in "Nn" else (n, k))
    c = RNG.standard_normal((m, n))
    opa, opb = (a if sa in "Nn" else a.T), (b if sb in "Nn" else b.T)
    sizes = (m, n, k) if explicit else ()
    d = vx.math.generalmatrixproduct(1.5, a, b, -0.5, c, sa, sb, *sizes)
    np.testing.assert_allclose(d, 1.5 * opa @ opb - 0.5 * c, rtol=1e-12)
    assert d.shape == (m, n) and error_record(vx)[0] == 0


def test_general_matrix_product_of_a_transposed_operand_reads_it_column_by_column(vx, lib):
    # The native routine reads a transposed a as k x m with leading dimension
    # k: the Fortran-ordered storage of the k x m matrix given from Python.
    a = np.asfortranarray(RNG.standard_normal((4, 2)))  # k = 4, m = 2
    b = np.asfortranarray(RNG.standard_normal((4, 3)))
    c = np.asfortranarray(RNG.standard_normal((2, 3)))
    d = np.zeros((2, 3), order="F")
    p = lambda x: x.ctypes.data_as(ctypes.c_void_p)
    i = lambda v: ctypes.byref(ctypes.c_int32(v))
    one = ctypes.byref(ctypes.c_double(1.0))
    lib.GeneralMatrixProduct(p(d), one, p(a), p(b), one, p(c), i(2), i(3), i(4), b"T", b"N",
                             ctypes.c_size_t(1), ctypes.c_size_t(1))
    np.testing.assert_allclose(d, a.T @ b + c, rtol=1e-13)
    np.testing.assert_array_equal(vx.math.generalmatrixproduct(1.0, a, b, 1.0, c, "T", "N"), d)


def test_general_matrix_product_refuses_unknown_flag(vx, lib):
    # checked before the library call, whose handler would end the process
    d = np.full((2, 2), 7.0, order="F")
    a = np.eye(2, order="F")
    p = lambda x: x.ctypes.data_as(ctypes.c_void_p)
    i2 = ctypes.byref(ctypes.c_int32(2))
    one = ctypes.byref(ctypes.c_double(1.0))
    for sa, sb in ((b"C", b"N"), (b"N", b"x"), (b"", b"N")):
        lib.GeneralMatrixProduct(p(d), one, p(a), p(a), one, p(a), i2, i2, i2, sa, sb,
                                 ctypes.c_size_t(len(sa)), ctypes.c_size_t(len(sb)))
        np.testing.assert_array_equal(d, 7.0)
    code, msg = error_record(vx)
    assert code == -2 and "transposition flag" in msg
    d = vx.math.generalmatrixproduct(1.0, np.eye(2), np.eye(2), 0.0, np.eye(2), "N", "C")
    np.testing.assert_array_equal(d, 0.0)


def test_empty_orders_do_not_reach_lapack(lib):
    # LAPACK would stop the process on a leading dimension of 0.
    p = lambda x: x.ctypes.data_as(ctypes.c_void_p)
    z = ctypes.byref(ctypes.c_int32(0))
    buf = np.full(4, 3.0)
    out = ctypes.c_double(9.0)
    lib.MatrixInverse(p(buf), p(buf), z)
    lib.MatrixEigenvalues(p(buf), p(buf), z)
    lib.MatrixEigenVectors(p(buf), p(buf), z, None)
    lib.CholeskyFactorization(p(buf), p(buf), z)
    lib.SingularValueDecomposition(p(buf), p(buf), p(buf), p(buf), z, z)
    lib.LUFactDeterminant(ctypes.byref(out), p(buf), z)
    lib.GetNearestSPD(p(buf), p(buf), z)
    lib.GetNearestCorrelationMatrix(p(buf), p(buf), z, None, None, None, None)
    lib.GetNearestPDNorm.restype = ctypes.c_double
    assert out.value == 1.0 and lib.GetNearestPDNorm(p(buf), z) == 0.0
    np.testing.assert_array_equal(buf, 3.0)


NONFINITE_CHILD = r"""
import json, numpy as np, _vexlan as vx
m, eh = vx.math, vx.errorhandling
bad = float(BAD)
def record():
    r = (int(eh.errstat), bytes(eh.errstring).decode().rstrip())
    vx.errorhandling.rsxerr(1)
    return r
def spoil(a, i=0, j=0):
    a = np.array(a, dtype=float, order="F"); a[i, j] = bad; return a
sym = np.eye(4) + 0.1
out = {}
u, s, v = m.singularvaluedecomposition(spoil(np.ones((6, 3)), 4, 2))
out["svd"] = (record(), float(abs(u).sum() + abs(s).sum() + abs(v).sum()))
for name, call in [("spectralnorm", lambda: m.spectralnorm(spoil(np.ones((6, 3)), 4, 2))),
                   ("nuclearnorm", lambda: m.nuclearnorm(spoil(np.ones((3, 5)), 1, 1))),
                   ("schattennorm", lambda: m.schattennorm(spoil(np.ones((4, 4)), 2, 3), 3.0))]:
    r = call(); out[name] = (record(), r)
pd = m.getnearestspd(spoil(sym, 1, 2)); out["getnearestspd"] = (record(), float(abs(pd).sum()))
r = m.getnearestpdnorm(spoil(-sym, 3, 0)); out["getnearestpdnorm"] = (record(), repr(r))
r = m.getnearestpdnorm(np.full((3, 3), -1e308)); out["getnearestpdnorm_huge"] = (record(), repr(r))
c = m.getnearestcorrelationmatrix(spoil(sym, 0, 3)); out["getnearestcorrelationmatrix"] = (record(), float(abs(c).sum()))
d = m.matrixeigenvalues(spoil(sym, 2, 2)); out["matrixeigenvalues"] = (record(), float(abs(d).sum()))
z, ev = m.matrixeigenvectors(spoil(sym, 3, 3)); out["matrixeigenvectors"] = (record(), float(abs(z).sum()))
p = m.getprojectedspd(spoil(sym, 0, 1)); out["getprojectedspd"] = (record(), float(abs(p).sum()))
mac = m.matrixmodalassurancecriterion(sym, spoil(sym, 1, 1)); out["mac"] = (record(), float(mac.sum()))
r = m.ispositivedefinite(spoil(sym, 2, 0)); out["ispositivedefinite"] = (record(), int(r))
print(json.dumps(out))
"""


@pytest.mark.parametrize("bad", ["float('inf')", "float('nan')"])
def test_nonfinite_matrices_refused_before_iterative_lapack(bad):
    # LAPACK's iterative solvers can loop forever on such input: each routine
    # must return promptly, with status -2 and its outputs left as they were.
    stdout, status = run_python(NONFINITE_CHILD.replace("BAD", bad), timeout=120)
    assert status == 0
    out = json.loads(stdout)
    svd = "Non-finite matrix entry in singular value decomposition"
    eigval = "Non-finite matrix entry in eigenvalue computation"
    eigvec = "Non-finite matrix entry in eigenvector computation"
    # getnearestpdnorm_huge: the symmetric part overflows
    assert out == {
        **{k: [[-2, svd], 0.0] for k in ("svd", "spectralnorm", "nuclearnorm", "schattennorm", "getnearestspd")},
        "getnearestpdnorm": [[-2, svd], "nan"], "getnearestpdnorm_huge": [[-2, svd], "nan"],
        **{k: [[-2, eigvec], 0.0] for k in ("getnearestcorrelationmatrix", "matrixeigenvectors", "getprojectedspd")},
        "matrixeigenvalues": [[-2, eigval], 0.0], "mac": [[-2, eigvec], -16.0], "ispositivedefinite": [[-2, eigval], 0]}
