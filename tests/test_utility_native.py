"""Native entry points of the array helpers, called through ctypes: the
behaviour that the Python binding refuses or cannot reach (out-of-range
lengths and mask entries, wrap-around, state of the check-in list)."""
import ctypes as C

import numpy as np
import pytest

from conftest import _find_native_library, run_python

i4, f8 = C.c_int32, C.c_double
SENTINEL = -777.0


def I(v):
    return C.byref(i4(v))


def F(v):
    return C.byref(f8(v))


def P(a):
    return a.ctypes.data_as(C.c_void_p)


def guarded(n, dtype=np.float64):
    """Array of n elements followed by sentinels, to catch writes past the end."""
    buf = np.full(n + 8, SENTINEL, dtype=dtype)
    return buf, buf[:n]


@pytest.fixture(scope="module")
def u(lib):
    lib.fFindLocation.restype = C.c_int32
    return lib


def test_concatenation_clips_larger_second_matrix(u):
    a = np.asfortranarray([[1.0, 2.0], [3.0, 4.0]])
    b = np.asfortranarray(np.arange(1.0, 10.0).reshape(3, 3))
    buf, ab = guarded(2 * 5)                   # side by side: 2 x 5 although b has 3 rows
    u.MatrixConcatenation(P(a), P(b), P(ab), I(0), I(2), I(2), I(3), I(3))
    np.testing.assert_array_equal(ab.reshape(5, 2).T, np.hstack([a, b[:2]]))
    assert (buf[10:] == SENTINEL).all()
    buf, ab = guarded(5 * 2)                   # stacked: 5 x 2 although b has 3 columns
    u.MatrixConcatenation(P(a), P(b), P(ab), I(1), I(2), I(2), I(3), I(3))
    np.testing.assert_array_equal(ab.reshape(2, 5).T, np.vstack([a, b[:, :2]]))
    assert (buf[10:] == SENTINEL).all()


@pytest.mark.parametrize("k", [0, -2])
def test_split_with_k_below_one_writes_nothing(u, k):
    a = np.arange(6.0)
    buf, _ = guarded(0)
    u.VectorSplit(P(a), P(buf), I(k), I(6))
    u.MatrixSplit(P(a), P(buf), I(k), I(3), I(2))
    assert (buf == SENTINEL).all()


def test_unpacked_triangle_reads_only_np_values(u):
    packed = np.array([1.0, 2.0, 3.0, 4.0, np.nan, np.nan])
    lu = np.empty(9)
    u.GetUnpackedTriangle(P(lu), P(packed), I(3), I(4), b"F", None, C.c_size_t(1))
    np.testing.assert_array_equal(lu.reshape(3, 3), [[1, 2, 4], [0, 3, 0], [0, 0, 0]])


@pytest.mark.parametrize("k,expect", [
    (2, [[0, 0, 0], [1, 0, 0], [2, 0, 0]]),           # too few: the rest stays
    (4, [[0, 4, 0], [1, 0, 0], [2, 3, 0]]),           # second run, partly given
])
def test_fill_off_diagonals_second_run_and_missing_values(u, k, expect):
    x = np.r_[np.arange(1.0, k + 1), np.full(8, np.nan)]
    a = np.zeros(9)
    u.FillMatrixOffDiagonals(P(a), P(x), I(3), I(k))
    np.testing.assert_array_equal(a.reshape(3, 3).T, expect)


def test_sorts_skip_mask_entries_outside_b(u):
    b = np.arange(1.0, 7.0)                        # 2 x 3, columns (1,2) (3,4) (5,6)
    buf, a = guarded(2 * 3)
    u.MatrixSort(P(a), P(b), P(np.array([0, 3, 4], dtype=np.int32)), I(2), I(3))
    np.testing.assert_array_equal(buf[:6], [SENTINEL] * 4 + [5, 6])
    assert (buf[6:] == SENTINEL).all()
    buf, a = guarded(3)
    u.VectorSort(P(a), P(b[:3]), P(np.array([3, -1, 9], dtype=np.int32)), I(3))
    np.testing.assert_array_equal(buf[:3], [SENTINEL, SENTINEL, 3])
    assert (buf[3:] == SENTINEL).all()


@pytest.mark.parametrize("x,y,defval", [
    ([np.nan, np.nan, 1.0], [], 1e308),
    ([np.nan, 0.0], [np.nan], 1e308),
    ([1.0, 2.0], [2.0, 0.0], np.nan),
])
def test_merge_with_nan_stays_inside_result(u, x, y, defval):
    x, y = np.array(x, dtype=float), np.array(y, dtype=float)
    buf, merged = guarded(len(x) + len(y))
    u.fGetMerged(P(merged), P(x), P(y), I(len(x)), I(len(y)), F(defval))
    assert (buf[len(merged):] == SENTINEL).all()
    assert not (merged == SENTINEL).any()


def test_absent_optionals_take_their_defaults(u):
    v = i4(2147483647)
    u.iINC(C.byref(v), None)                       # wraps instead of overflowing
    assert v.value == -2147483648
    f = f8(0.5)
    u.fINC(C.byref(f), None)
    assert f.value == 1.5
    a = np.array([1.0, 2.0])
    assert u.fFindLocation(F(3.0), P(a), I(2), None) == -1
    merged = np.empty(3, dtype=np.int32)
    u.iGetMerged(P(merged), P(np.array([1, 2], dtype=np.int32)), P(np.array([2], dtype=np.int32)), I(2), I(1), None)
    np.testing.assert_array_equal(merged, [1, 2, 2147483647])


def test_unlock_before_lock_and_full_round_in_fresh_process():
    path = _find_native_library()
    out, status = run_python(f"""
import ctypes as C
u = C.CDLL({path!r}); u.ProcessLock.restype = C.c_byte
st = C.c_int32(7)
u.ProcessUnLock(C.byref(st)); print(st.value)
n = C.byref(C.c_int32(3))
print([u.ProcessLock(C.byref(C.c_int32(i)), n, None) for i in (2, 1, 3)])
u.ProcessUnLock(C.byref(st)); print(st.value)
print([u.ProcessLock(C.byref(C.c_int32(i)), n, None) for i in (3, 2, 1)])
""")
    assert status == 0
    assert out.split(b"\n")[:4] == [b"0", b"[0, 0, 1]", b"0", b"[0, 0, 1]"]
