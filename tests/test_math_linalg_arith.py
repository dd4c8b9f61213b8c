"""Matrix and vector products, in-place arithmetic and element-wise helpers."""
import ctypes

import numpy as np
import pytest
from conftest import error_record

RNG = np.random.default_rng(7)
INF, NAN = np.inf, np.nan


@pytest.mark.parametrize("l,n,m", [(1, 1, 1), (2, 3, 2), (3, 3, 3), (4, 2, 5), (6, 6, 6),
                                   (6, 3, 1), (5, 7, 4), (12, 12, 12)])
def test_products_match_numpy(vx, l, n, m):
    a = RNG.standard_normal((l, n))
    b = RNG.standard_normal((n, m))
    b[RNG.random((n, m)) < 0.3] = 0.0
    np.testing.assert_allclose(vx.math.matrixproduct(a, b), a @ b, rtol=1e-13, atol=1e-14)
    x = RNG.standard_normal(n)
    np.testing.assert_allclose(vx.math.matrixvectorproduct(a, x), a @ x, rtol=1e-13, atol=1e-14)
    y = RNG.standard_normal(n)
    np.testing.assert_allclose(vx.math.vectormatrixproduct(y, b), b.T @ y, rtol=1e-13, atol=1e-14)
    np.testing.assert_allclose(vx.math.kroneckerproduct(a, b), np.kron(a, b))
    p = RNG.standard_normal(m)
    np.testing.assert_array_equal(vx.math.dyadenproduct(x, p), np.outer(x, p))


@pytest.mark.parametrize("l", [2, 3, 4, 5, 6])
def test_matrix_product_skips_zero_factors(vx, l):
    a = RNG.standard_normal((l, 3))
    a[0, 1] = NAN
    a[l - 1, 1] = INF
    b = RNG.standard_normal((3, 2))
    b[1, 0] = 0.0
    c = vx.math.matrixproduct(a, b)
    np.testing.assert_allclose(c[:, 0], a[:, [0, 2]] @ b[[0, 2], 0])
    assert np.isnan(c[0, 1]) and not np.isfinite(c[l - 1, 1])


@pytest.mark.parametrize("n", [1, 2, 3, 6])
def test_packed_symmetric_product(vx, n):
    s = RNG.standard_normal((n, n))
    s = s + s.T
    packed = np.concatenate([s[i, i:] for i in range(n)])
    b = RNG.standard_normal(n)
    np.testing.assert_allclose(vx.math.lumatrixvectorproduct(packed, b), s @ b, rtol=1e-13)
    assert error_record(vx)[0] == 0


def test_packed_product_refuses_a_short_triangle(vx, lib):
    # From Python before the call; from C with the record and a zero result.
    with pytest.raises(ValueError):
        vx.math.lumatrixvectorproduct(np.array([1.0, 2.0]), np.ones(2))
    a, b, c = np.array([1.0, 2.0]), np.ones(2), np.full(2, 7.0)
    p = lambda x: x.ctypes.data_as(ctypes.c_void_p)
    lib.LUMatrixVectorProduct(p(a), p(b), p(c), ctypes.byref(ctypes.c_int32(2)), ctypes.byref(ctypes.c_int32(2)))
    np.testing.assert_array_equal(c, 0.0)
    assert error_record(vx)[0] == -2


def test_hadamard_product_division_and_zero_rules(vx):
    x, y = np.array([[1.0, 0.0], [2.0, 3.0]]), np.array([[5.0, 6.0], [0.0, 2.0]])
    np.testing.assert_array_equal(vx.math.hadamardproduct(x, y), [[5.0, 0.0], [0.0, 6.0]])
    np.testing.assert_array_equal(vx.math.hadamarddivision(x, y), [[0.2, 0.0], [0.0, 1.5]])
    np.testing.assert_array_equal(vx.math.hadamarddivision(np.array([[1.0, 2.0]]), np.array([[0.0, 4.0]])),
                                  [[0.0, 0.5]])
    np.testing.assert_array_equal(vx.math.hadamardproduct(np.array([[0.0, 2.0]]), np.array([[NAN, 3.0]])),
                                  [[0.0, 6.0]])
    np.testing.assert_array_equal(vx.math.hadamardproduct(np.array([[INF, NAN]]), np.array([[0.0, 0.0]])), 0.0)


def test_householder_and_cross_products(vx):
    v = RNG.standard_normal(4)
    v /= np.linalg.norm(v)
    h = vx.math.gethouseholdertransformationmatrix(v)
    np.testing.assert_allclose(h @ h, np.eye(4), atol=1e-14)
    np.testing.assert_allclose(h @ v, -v, atol=1e-14)
    a, b, c = RNG.standard_normal((3, 3))
    np.testing.assert_allclose(vx.math.crossproduct(a, b), np.cross(a, b))
    np.testing.assert_allclose(vx.math.vectortripleproduct(a, b, c), np.cross(a, np.cross(b, c)))
    assert vx.math.scalartripleproduct(a, b, c) == pytest.approx(np.linalg.det(np.array([a, b, c])))
    assert vx.math.dotproduct(a, b) == pytest.approx(a @ b)
    assert vx.math.dotproduct(np.zeros(0), np.zeros(0)) == 0.0


def test_in_place_arithmetic_and_overwrite(vx):
    a0 = RNG.standard_normal((3, 2))
    b = RNG.standard_normal((3, 2))
    for fn, args, want in (
        (vx.math.matrixsum, (b,), a0 + b),
        (vx.math.matrixsub, (b,), a0 - b),
        (vx.math.matrixscalarmultiplication, (b, 2.0), a0 + 2.0 * b),
        (vx.math.matrixamplify, (-3.0,), -3.0 * a0),
    ):
        a = np.asfortranarray(a0)
        np.testing.assert_allclose(fn(a, *args), want)
        np.testing.assert_array_equal(a, a0)  # a copy unless asked otherwise
        out = fn(a, *args, overwrite_a=1)
        np.testing.assert_allclose(a, want)
        assert out is a
        c = a0.copy(order="C")  # not Fortran order: a copy even when asked
        np.testing.assert_allclose(fn(c, *args, overwrite_a=1), want)
        np.testing.assert_array_equal(c, a0)
    v0, w = RNG.standard_normal((2, 5))
    for fn, args, want in (
        (vx.math.vectorsum, (w,), v0 + w),
        (vx.math.vectorsub, (w,), v0 - w),
        (vx.math.vectorscalarmultiplication, (w, 0.5), v0 + 0.5 * w),
        (vx.math.vectoramplify, (4.0,), 4.0 * v0),
    ):
        np.testing.assert_allclose(fn(v0.copy(), *args), want)


def test_amplify_keeps_zeros(vx):
    np.testing.assert_array_equal(vx.math.matrixamplify(np.array([[0.0, 1.0]]), INF), [[0.0, INF]])
    out = vx.math.vectoramplify(np.array([0.0, -0.0, NAN, 2.0]), NAN)
    assert out[0] == 0.0 and np.signbit(out[1]) and np.isnan(out[2:]).all()


@pytest.mark.parametrize("alpha,wa", [(1.5, 1.0), (-1.0, 0.0), (0.25, 0.25), (NAN, 1.0)])
def test_shrinkage(vx, alpha, wa):
    a = RNG.standard_normal((3, 3))
    b = RNG.standard_normal((3, 3))
    np.testing.assert_allclose(vx.math.matrixshrinkage(a, b, alpha), wa * a + (1 - wa) * b)


def test_symmetrize_diagonal_transpose_trace(vx):
    a = RNG.standard_normal((4, 4))
    np.testing.assert_allclose(vx.math.matrixsymmetrize(a), (a + a.T) / 2)
    np.testing.assert_array_equal(vx.math.matrixdiagonal(a, -2), np.diagonal(a, -2))
    assert vx.math.trace(a) == pytest.approx(np.trace(a))
    x, y = RNG.standard_normal((2, 6))
    assert vx.math.euclideandistance(x, y) == pytest.approx(np.linalg.norm(x - y))


def test_normalize(vx):
    np.testing.assert_array_equal(vx.math.vectornormalize(np.array([2.0, 4.0, 3.0])), [0.0, 1.0, 0.5])
    assert np.isnan(vx.math.vectornormalize(np.array([5.0, 5.0]))).all()
    z = vx.math.vectornormalize(np.array([NAN, 1.0, 3.0]))
    assert np.isnan(z[0]) and list(z[1:]) == [0.0, 1.0]
    m = RNG.standard_normal((3, 4))
    np.testing.assert_allclose(vx.math.matrixnormalize(m), (m - m.min()) / (m.max() - m.min()))


def test_running_sums_and_products(vx):
    np.testing.assert_array_equal(vx.math.cumulativeproduct(np.array([2.0, 3, 4])), [2.0, 6, 24])
    np.testing.assert_array_equal(vx.math.cumulativeproduct(np.array([2.0, 3, 4]), seed=0.5), [1.0, 3, 12])
    np.testing.assert_array_equal(vx.math.cumulativesum(np.array([1.0, 2, 3]), seed=10.0), [11.0, 13, 16])
    x = RNG.standard_normal(9)
    np.testing.assert_allclose(vx.math.cumulativesum(x), np.cumsum(x))


@pytest.mark.parametrize("x,code", [
    ([1, 2, 3], 2), ([1, 1, 2], 1), ([2, 2, 2], -1), ([3, 2, 2], -1), ([3, 2, 1], -2),
    ([1, 3, 2], 0), ([5], -2), ([1, NAN, 2], 0), ([], -2),
])
def test_monoticity(vx, x, code):
    assert vx.math.monoticity(np.array(x, float)) == code
