"""Array helpers of the component utility, through the Python binding."""
import ctypes

import numpy as np
import pytest

HUGE = 1.7976931348623157e308
IHUGE = 2147483647


@pytest.fixture(scope="module")
def u(vx):
    return vx.utility


# ------------------------------------------------------------ fill family

FILL_NAMES = ["vectorwithscalar", "matrixwithscalar"] + [f"{r}darraywithscalar" for r in range(3, 8)]


@pytest.mark.parametrize("prefix,dtype", [("real_fill", np.float64), ("int_fill", np.int32)])
@pytest.mark.parametrize("rank", range(1, 8))
def test_fill_family(u, prefix, dtype, rank):
    fn = getattr(u, prefix + FILL_NAMES[rank - 1])
    a = np.zeros((2,) * (rank - 1) + (3,), dtype=dtype, order="F")
    r = fn(a, 5)
    np.testing.assert_array_equal(r, np.full(a.shape, 5, dtype=dtype))
    # overwrite_a=1 fills a Fortran-ordered array in place; a strided or
    # C-ordered one is left alone and a filled copy comes back, as in f2py.
    assert fn(a, 7, overwrite_a=1) is a and (a == 7).all()
    big = np.zeros((2,) * (rank - 1) + (6,), dtype=dtype, order="F")
    for given in (big[..., ::2], big[..., ::-2]) + ((np.zeros(a.shape, dtype, order="C"),) if rank > 1 else ()):
        before = given.copy()
        r = fn(given, -3, overwrite_a=1)
        assert r is not given and r.shape == given.shape and (r == -3).all()
        np.testing.assert_array_equal(given, before)


class View(ctypes.Structure):
    _fields_ = [("base", ctypes.c_void_p), ("rank", ctypes.c_int32),
                ("extent", ctypes.c_int64 * 7), ("stride", ctypes.c_int64 * 7)]


@pytest.mark.parametrize("rank", [1, 2, 7])
def test_fill_family_views_of_sections(lib, rank):
    # Native callers hand the fill family a view of a section: it is filled in
    # place, forwards and backwards, and nothing between its elements.
    big = np.zeros((2,) * (rank - 1) + (6,), order="F")
    expect = np.zeros_like(big)
    for step, value in ((2, -3.0), (-2, 4.0)):
        sec = big[..., ::step]
        v = View(sec.ctypes.data, rank, (ctypes.c_int64 * 7)(*sec.shape),
                 (ctypes.c_int64 * 7)(*(s // 8 for s in sec.strides)))
        getattr(lib, "real_fill" + FILL_NAMES[rank - 1])(ctypes.byref(v), ctypes.byref(ctypes.c_double(value)))
        expect[..., ::step] = value
        np.testing.assert_array_equal(big, expect)


# ------------------------------------------------------ standard matrices

@pytest.mark.parametrize("n", [1, 3, 6])
def test_eye_matches_numpy(u, n):
    for k in range(-n - 1, n + 2):
        np.testing.assert_array_equal(u.geteyematrix(n, k), np.eye(n, k=k), err_msg=f"k={k}")
    np.testing.assert_array_equal(u.geteyematrix(n), np.eye(n))


def test_triangular_and_symmetrize(u):
    a = np.arange(1.0, 17.0).reshape(4, 4)
    np.testing.assert_array_equal(u.gettriangularmatrix(a), np.tril(a))
    np.testing.assert_array_equal(u.gettriangularmatrix(a, luflag=1), np.triu(a))
    low = np.array([[1.0, 0, 0], [2, 4, 0], [3, 5, 6]])
    np.testing.assert_array_equal(u.symmetrize(low), [[1, 2, 3], [2, 4, 5], [3, 5, 6]])
    np.testing.assert_array_equal(u.symmetrize(low.T), u.symmetrize(low))
    full = np.array([[1.0, 7.0], [2.0, 0.0]])
    np.testing.assert_array_equal(u.symmetrize(full), full)      # both mirrors nonzero: kept
    withnan = np.array([[np.nan, 0.0], [0.0, 1.0]])
    assert np.isnan(u.symmetrize(withnan)[0, 0])


@pytest.mark.parametrize("a,b,n", [(0.0, 1.0, 5), (-3.0, 7.5, 11), (2.0, 2.0, 4), (1e3, -1e3, 9)])
def test_linspace(u, a, b, n):
    np.testing.assert_allclose(u.linspace(a, b, n), np.linspace(a, b, n), rtol=1e-15, atol=1e-12)
    np.testing.assert_allclose(u.linspace(a, b, n, 0), np.linspace(a, b, n, endpoint=False), atol=1e-12)


def test_linspace_degenerate(u):
    assert np.isnan(u.linspace(0.0, 1.0, 1)[0]) and np.isnan(u.linspace(2.0, 2.0, 1)[0])
    np.testing.assert_array_equal(u.linspace(4.0, 1.0, 1, 0), [4.0])
    assert u.linspace(0.0, 1.0, 0).size == 0
    np.testing.assert_array_equal(u.getindexvector(4), [1, 2, 3, 4])
    assert u.getindexvector(0).size == 0


# ------------------------------------------ reshaping, packing, splitting

def test_concatenation(u):
    a = np.array([[1.0, 2.0], [3.0, 4.0]])
    b23 = np.arange(5.0, 11.0).reshape(2, 3)
    np.testing.assert_array_equal(u.matrixconcatenation(a, b23, 0), np.hstack([a, b23]))
    b32 = np.arange(5.0, 11.0).reshape(3, 2)
    np.testing.assert_array_equal(u.matrixconcatenation(a, b32, 1), np.vstack([a, b32]))
    narrow = np.array([[9.0], [8.0]])
    z = u.matrixconcatenation(a, narrow, 2)
    assert z.shape == (6, 1) and (z == 0).all()
    # Fewer rows (columns) in b: the rest of its block stays zero.
    np.testing.assert_array_equal(u.matrixconcatenation(a, np.array([[9.0]]), 1), [[1, 2], [3, 4], [9, 0]])


def test_splits(u):
    a = np.arange(1.0, 7.0)
    np.testing.assert_array_equal(u.vectorsplit(a, 3), a.reshape(3, 2).T)
    np.testing.assert_array_equal(u.vectorsplit(a, 4), -np.ones((1, 4)))
    m = np.arange(1.0, 9.0).reshape(4, 2)
    b = u.matrixsplit(m, 2)
    assert b.shape == (2, 2, 2)
    np.testing.assert_array_equal(b[:, :, 0], m[:2])
    np.testing.assert_array_equal(b[:, :, 1], m[2:])
    assert (u.matrixsplit(m, 3) == -1.0).all() and u.matrixsplit(m, 3).shape == (1, 2, 3)


@pytest.mark.parametrize("nsub,tail,sub,sl", [
    (2, 1, [4, 5], [4, 5]), (2, 0, [1, 2], [1, 2]), (6, 1, [1.0] * 6, [-1, -1]), (0, 1, [], [6, 5]),
    (5, 0, [1, 2, 3, 4, 5], [1, 5]),
])
def test_getsubarray(u, nsub, tail, sub, sl):
    s, idx = u.getsubarray(np.arange(1.0, 6.0), nsub, tail=tail)
    np.testing.assert_array_equal(s, sub)
    np.testing.assert_array_equal(idx, sl)


@pytest.mark.parametrize("cflag,op", [(1, np.less), (2, np.less_equal), (3, np.equal),
                                      (4, np.greater_equal), (5, np.greater), (6, np.not_equal),
                                      (7, lambda x, c: np.zeros(x.shape, bool))])  # unknown flag: nothing
@pytest.mark.parametrize("cond", [3.0, np.nan])
def test_packedlist_against_numpy(u, cflag, op, cond):
    lst = np.array([3.0, 1.0, np.nan, 4.0, 1.0, 5.0, 3.0])
    with np.errstate(invalid="ignore"):
        sel = lst[op(lst, cond)]
    p = u.getpackedlist(lst, cond, -9.0, cflag, 7)
    np.testing.assert_array_equal(p, np.r_[sel, np.full(7 - sel.size, -9.0)])
    if sel.size:
        np.testing.assert_array_equal(u.getpackedlist(lst, cond, -9.0, cflag, sel.size - 1),
                                      np.full(sel.size - 1, -9.0))


def test_unpacking(u):
    lst = np.arange(1.0, 7.0)
    np.testing.assert_array_equal(u.getunpackedmatrixfromlist(lst, 2, 3), lst.reshape(3, 2).T)
    lower = [[1, 0, 0], [2, 3, 0], [4, 5, 6]]
    np.testing.assert_array_equal(u.getunpackedtriangle(lst, 3, "F"), lower)
    np.testing.assert_array_equal(u.getunpackedtriangle(lst, 3, "C"), np.transpose(lower))
    np.testing.assert_array_equal(u.getunpackedtriangle(lst, 3, "F", upper=1), np.transpose(lower))
    np.testing.assert_array_equal(u.getunpackedtriangle(lst, 3, "x", upper=1), lower)


def test_fill_off_diagonals(vx, u):
    a = np.diag([7.0, 8.0, 9.0])
    r = u.fillmatrixoffdiagonals(a, np.array([1.0, 2.0, 3.0]))
    np.testing.assert_array_equal(r, [[7, 0, 0], [1, 8, 0], [2, 3, 9]])
    r = u.fillmatrixoffdiagonals(a, np.arange(1.0, 7.0))
    np.testing.assert_array_equal(r, [[7, 4, 5], [1, 8, 6], [2, 3, 9]])
    for k in (2, 4, 5):
        with pytest.raises(vx.error):
            u.fillmatrixoffdiagonals(a, np.arange(1.0, k + 1))


def test_flips_against_numpy(u):
    a = np.arange(12.0).reshape(3, 4)
    np.testing.assert_array_equal(u.vectorflip(a[0]), a[0, ::-1])
    for flag, axis in ((-1, 1), (0, 0), (1, 0)):
        np.testing.assert_array_equal(u.matrixflip(a, flag), np.flip(a, axis))
    np.testing.assert_array_equal(u.matrixflip(a[:1], -1), a[:1, ::-1])


def test_sorts_by_mask(u):
    b = np.arange(1.0, 7.0).reshape(2, 3)
    a = np.zeros((2, 4))
    r = u.matrixsort(a, b, np.array([2, 2, 3], dtype=np.int32))
    expect = np.zeros((2, 4))
    expect[:, [1, 2]] = b[:, [1, 2]]
    np.testing.assert_array_equal(r, expect)
    v = u.vectorsort(np.zeros(5), np.array([5.0, 6.0, 7.0]), np.array([3, -1, 4], dtype=np.int32))
    np.testing.assert_array_equal(v, [0, 0, 7, 0, 0])
    # Entries inside b but beyond a: refused before anything is written.
    with pytest.raises(ValueError):
        u.matrixsort(np.zeros((2, 2)), b, np.array([3, 2, 3], dtype=np.int32))
    with pytest.raises(ValueError):
        u.vectorsort(np.zeros(2), np.array([5.0, 6.0, 7.0]), np.array([3, 1, 3], dtype=np.int32))


# ------------------------------------------------------------ searching

def test_find_location_and_subarray(u):
    assert u.int_findlocation(5, np.array([3, 5, 5], dtype=np.int32)) == 2
    assert u.int_findlocation(7, np.array([3, 5, 5], dtype=np.int32)) == -1
    assert u.int_findlocation(7, np.array([3], dtype=np.int32), notfound=0) == 0
    assert u.real_findlocation(np.nan, np.array([np.nan, 1.0])) == -1
    assert u.real_findlocation(-0.0, np.array([1.0, 0.0])) == 2
    assert u.cmplx_findlocation(1 - 1j, np.array([1 + 1j, 1 - 1j])) == 2
    arr = np.array([4, 5, 6, 5, 6], dtype=np.int32)
    assert u.int_findsubarray(np.array([5, 6], dtype=np.int32), arr) == 2
    assert u.int_findsubarray(np.array([6, 5], dtype=np.int32), arr) == 3
    assert u.int_findsubarray(np.zeros(0, dtype=np.int32), arr) == 1
    assert u.int_findsubarray(np.arange(6, dtype=np.int32), arr, notfound=-5) == -5
    assert u.real_findsubarray(np.array([np.nan]), np.array([np.nan])) == -1
    assert u.cmplx_findsubarray(np.array([2j, 3.0]), np.array([1.0, 2j, 3.0])) == 2


def test_pairs_and_exclusion(u):
    i = lambda *v: np.array(v, dtype=np.int32)
    np.testing.assert_array_equal(u.int_getpairs(i(2, 9, 4), i(9, 2, 2)), [2, 1, -1])
    np.testing.assert_array_equal(u.real_getpairs(np.array([np.nan, 0.0]), np.array([-0.0, np.nan])), [-1, 1])
    np.testing.assert_array_equal(u.getindicesexcludingsubarray(i(4, 7, 4, 9), i(4)), [2, 4, -1, -1])
    np.testing.assert_array_equal(u.getindicesexcludingsubarray(i(4, 7), i()), [1, 2])


@pytest.mark.parametrize("n", [4, 30, 200])
def test_ordering_is_stable_argsort(u, n):
    rng = np.random.default_rng(n)
    x = rng.integers(0, 5, n).astype(float)
    x[rng.integers(0, n, n // 4)] = np.nan
    np.testing.assert_array_equal(u.real_getcontinuous(x, 1), np.argsort(x, kind="stable") + 1)
    np.testing.assert_array_equal(u.real_getcontinuous(x, -1), np.argsort(-x, kind="stable") + 1)
    xi = rng.integers(-9, 9, n).astype(np.int32)
    np.testing.assert_array_equal(u.int_getcontinuous(xi, 5), np.argsort(xi, kind="stable") + 1)
    np.testing.assert_array_equal(u.int_getcontinuous(xi, -1), np.argsort(-xi, kind="stable") + 1)


def test_merges(u):
    i = lambda *v: np.array(v, dtype=np.int32)
    np.testing.assert_array_equal(u.int_getmerged(i(1, 2, 3), i(3, 4)), [1, 2, 4, 3, IHUGE])
    np.testing.assert_array_equal(u.int_getmerged(i(1, 2, 3), i(3, 4), defval=0), [1, 2, 4, 3, 0])
    f = lambda *v: np.array(v, dtype=float)
    np.testing.assert_array_equal(u.real_getmerged(f(0, 20), f(20, 50)), [20, 50, 0, HUGE])
    np.testing.assert_array_equal(u.real_getmerged(f(0, 5), f(5)), [5, 0, HUGE])
    np.testing.assert_array_equal(u.real_getmerged(f(3, 3), f()), [3, 3])
    np.testing.assert_array_equal(u.real_getmerged(f(0, 0), f()), [0, HUGE])
    # Without zeros the merge is: only-in-x, only-in-y, shared once, then defval.
    rng = np.random.default_rng(1)
    x, y = rng.integers(1, 12, 9).astype(float), rng.integers(1, 12, 7).astype(float)
    shared = list(dict.fromkeys(v for v in x if v in y))
    expect = [v for v in x if v not in y] + [v for v in y if v not in x] + shared
    np.testing.assert_array_equal(u.real_getmerged(x, y), expect + [HUGE] * (16 - len(expect)))


def test_list_tests_refuse_lengths_past_the_list(vx, u):
    li = np.array([1, 2, 3], dtype=np.int32)
    assert u.int_inlist(3, li, 3) == 1 and u.int_inlist(3, li[:2], 2) == 0 and u.int_inlist(1, li[:0], 0) == 0
    assert u.int_exlist(9, li[:0], 0) == 1 and u.int_exlist(1, li[:1], 1) == 1 and u.int_exlist(1, li[:2], 2) == 0
    assert u.real_inlist(-0.0, np.array([0.0]), 1) == 1 and u.real_exlist(np.nan, np.array([np.nan]), 1) == 0
    # n is the length of the list: neither more nor fewer values are taken.
    for fn, arr in [(u.int_inlist, li), (u.int_exlist, li), (u.real_inlist, li * 1.0), (u.real_exlist, li * 1.0)]:
        for n in (4, 2, 0):
            with pytest.raises(ValueError, match="argument list: axis 0 has extent 3"):
                fn(1, arr, n)


def test_scalar_helpers(u):
    assert [u.real_bounded(x, 1.0, 2.0) for x in (1.0, 2.0, 0.5, np.nan)] == [1, 1, 0, 0]
    assert u.int_bounded(5, 5, 5) == 1 and u.real_bounded(1.5, 2.0, 1.0) == 0
    assert u.cmplx_swap(1j, 2.0) == (2.0, 1j)
    assert u.int_inc(4, -6) == -2 and u.int_inc(IHUGE) == -IHUGE - 1
    assert u.real_inc(0.5) == 1.5 and u.real_inc(0.5, 0.25) == 0.75
    for a, b in [(0, 0), (0, 1), (1, 0), (1, 1), (5, 0), (5, 1)]:
        want = (bool(a) != bool(b), not (a or b), not (a and b))
        assert (u.logical_xor(a, b), u.logical_nor(a, b), u.logical_nand(a, b)) == want, (a, b)
    assert u.logical_xor([1], 0.5) == 0 and type(u.logical_xor(1, 0)) is int  # truth values; int results
    with pytest.raises(TypeError):
        u.logical_xor(1, "x")


def test_check_in_list(vx, u):
    u.processlock(1, 7)                          # a different count starts a new round
    # A second check-in of 2 and a -1 (a marker, never a participant) do not complete it.
    assert [u.processlock(i, 3) for i in (2, 2, -1, 1)] == [0, 0, 0, 0]
    assert u.processlock(3, 3, 1) == 1
    assert u.processunlock() == 0
    assert [u.processlock(i, 3) for i in (3, 1, 2)] == [0, 0, 1]
    assert u.processlock(1, 1) == 1
    assert u.processlock(1, 0) == 0
    with pytest.raises(vx.error):
        u.processlock(1, 2**31 - 1)              # refused instead of a list of 8 GB
    # The list itself, seen through the job data.
    u.processlock(1, 9)
    assert u.processlock(2, 3) == 0
    np.testing.assert_array_equal(vx.jobdata.processid, [1, -1, 3])
    assert u.processlock(1, 4) == 0              # another count rebuilds the list
    np.testing.assert_array_equal(vx.jobdata.processid, [-1, 2, 3, 4])
    assert u.processunlock() == 0
    np.testing.assert_array_equal(vx.jobdata.processid, [1, 2, 3, 4])
