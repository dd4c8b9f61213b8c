"""Arrays of open extent, operands given transposed, and the class of every
refusal of a value: one table of calls, each with the value, the record or
the refusal class it gives."""
import numpy as np
import pytest

from conftest import SANITIZED, error_record, limit_memory, run_python

# Exchange of the shear positions 4 and 6 (Voigt <-> Nye), and the cyclic
# shift of 4..6 by dir as a permutation of the 0-based positions.
NYE = [0, 1, 2, 5, 4, 3]


def cyclic(d):
    return [0, 1, 2] + [3 + (i + d) % 3 for i in range(3)]


Q67 = np.asfortranarray(np.arange(1.0, 43.0).reshape(6, 7) ** 1.5)
JR = np.array([[1, 2, 3], [4, 5, 6]], np.int32)
FIBRE5, MATRIX = np.array([230e3, 15e3, 24e3, 5e3, 0.2]), np.array([3.5e3, 0.35])
A42, B43, C23 = (np.arange(8.0).reshape(4, 2) - 3.0, np.arange(12.0).reshape(4, 3) / 7.0,
                 np.arange(6.0).reshape(2, 3) + 0.5)


ORTHO = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3])
FMT = "(I0,',')"


def int2a(jr, m):
    return lambda vx: vx.stringhandling.int2aformat(jr, FMT, 4, 30, m)


def flip(q, sdim, d=None):
    if d is None:
        return lambda vx: vx.lamina.flipvoigtnyenotation(q, sdim)
    return lambda vx: vx.lamina.flipvoigtcyclicnotation(q, sdim, d)


def chamis(fibre, csdim):
    return lambda vx: vx.micromechanic.chamis(fibre, MATRIX, 0.6, csdim)


def gemm(alpha, a, b, beta, sa, sb):
    return lambda vx: vx.math.generalmatrixproduct(alpha, a, b, beta, C23, sa, sb)


B23 = np.arange(1.0, 7.0).reshape(2, 3)


def msort(acols, mask):
    return lambda vx: vx.utility.matrixsort(np.zeros((2, acols)), B23, np.array(mask, np.int32))


def vsort(na, mask):
    return lambda vx: vx.utility.vectorsort(np.zeros(na), B23[0], np.array(mask, np.int32))


def placed(a, b, mask):
    """a with the columns (elements) of b that mask names within b put in place."""
    a = a.copy()
    for c in mask:
        if 1 <= c <= b.shape[-1]:
            a[..., c - 1] = b[..., c - 1]
    return a


def copy_into(values):
    return lambda vx: vx.listhandling.int_getcopyoflist(1, values)


def stepid(values):
    return lambda vx: setattr(vx.jobdata, "stepid", values)


CASES = [
    # columns beyond m are not read; fewer than m are refused
    ("int2aformat 2 x 3, m 2", int2a(JR, 2), b"1,4,2,5,", 0),
    ("int2aformat 2 x 3, m 3", int2a(JR, 3), b"1,4,2,5,3,6,", 0),
    ("int2aformat 2 x 1, m 2", int2a(JR[:, :1], 2), ValueError, None),
    # no column is written for m of 0 or below
    ("int2aformat 2 x 3, m 0", int2a(JR, 0), b"", 0),
    ("int2aformat 2 x 3, m -1", int2a(JR, -1), b"", 0),
    ("int2aformat 2 x 0, m -2**31", int2a(JR[:, :0], -2**31), b"", 0),
    # q(6,*): its leading 6 x 6 block, its first column, or nothing is read
    ("nye flip 6 x 7, sdim 6", flip(Q67, 6), Q67[:, :6][NYE][:, NYE], 0),
    ("nye flip 6 x 6, sdim 1", flip(Q67[:, :6], 1), Q67[NYE, :1], 0),
    ("nye flip 6 x 3, sdim 3", flip(Q67[:, :3], 3), np.zeros((6, 3)), -2),
    ("nye flip 6 x 0, sdim 2", flip(np.zeros((6, 0)), 2), np.zeros((6, 2)), -2),
    ("nye flip 6 x 5, sdim 6", flip(Q67[:, :5], 6), ValueError, None),
    ("nye flip 6 x 0, sdim 1", flip(np.zeros((6, 0)), 1), ValueError, None),
    ("cyclic flip 6 x 7, sdim 6", flip(Q67, 6, 2), Q67[:, :6][cyclic(2)][:, cyclic(2)], 0),
    ("cyclic flip 6 x 2, sdim 1", flip(Q67[:, :2], 1, 1), Q67[cyclic(1), :1], 0),
    ("cyclic flip 6 x 3, sdim 3", flip(Q67[:, :3], 3, 1), np.zeros((6, 3)), -2),
    # chamis reads no fibre value for a csdim other than 4, 5 and 6
    ("chamis 5 values, csdim 3", chamis(FIBRE5, 3), np.zeros(3), 0),
    ("chamis 5 values, csdim 7", chamis(FIBRE5, 7), np.zeros(7), 0),
    ("chamis 4 values, csdim 0", chamis(FIBRE5[:4], 0), np.zeros(0), 0),
    ("chamis 5 values, csdim 4", chamis(FIBRE5, 4), ValueError, None),
    ("chamis 4 values, csdim 5", chamis(FIBRE5[:4], 5), ValueError, None),
    # a holds at least as many columns (elements) as the largest mask entry
    # within b's n; entries outside 1..n name none
    ("matrixsort 2 x 2, mask (2, 2)", msort(2, [2, 2, 1]), placed(np.zeros((2, 2)), B23[:, :2], [2, 2, 1]), 0),
    ("matrixsort 2 x 4, mask (2, 3)", msort(4, [2, 3, 3]), placed(np.zeros((2, 4)), B23, [2, 3]), 0),
    ("matrixsort 2 x 1, mask (1, 5, -2)", msort(1, [1, 5, -2]), placed(np.zeros((2, 1)), B23, [1]), 0),
    ("matrixsort 2 x 2, mask (3, 1)", msort(2, [3, 1, 1]), ValueError, None),
    ("matrixsort 2 x 0, mask (1)", msort(0, [1, 0, 0]), ValueError, None),
    ("vectorsort 3, mask (3, 1)", vsort(3, [3, 1, 0]), placed(np.zeros(3), B23[0], [3, 1]), 0),
    ("vectorsort 5, mask (3, 1)", vsort(5, [3, 1, 0]), placed(np.zeros(5), B23[0], [3, 1]), 0),
    ("vectorsort 2, mask (3, 1)", vsort(2, [3, 1, 0]), ValueError, None),
    ("vectorsort 1, mask (4, 1)", vsort(1, [4, 1, -1]), placed(np.zeros(1), B23[0], [1]), 0),
    # the packed triangle is the leading n(n + 1)/2 values of a
    ("packed product, 7 values for n 3", lambda vx: vx.math.lumatrixvectorproduct(np.arange(1.0, 8.0), np.ones(3)),
     np.array([6.0, 11.0, 14.0]), 0),
    ("packed product, 5 values for n 3", lambda vx: vx.math.lumatrixvectorproduct(np.arange(1.0, 6.0), np.ones(3)),
     ValueError, None),
    # a point needs two components for its angle
    ("polar of one component", lambda vx: vx.math.polartransformation([3.0]), ValueError, None),
    ("polar of none", lambda vx: vx.math.polartransformation(np.zeros(0)), ValueError, None),
    # an operand given transposed is the matrix itself; m, n, k follow
    ("A.T @ B + C", gemm(1.0, A42, B43, 1.0, "T", "N"), A42.T @ B43 + C23, 0),
    ("2 A.T @ B, lower case", gemm(2.0, A42, B43.T, 0.0, "t", "t"), 2.0 * A42.T @ B43, 0),
    ("A.T @ B, k disagrees", gemm(1.0, A42, B43[:3], 1.0, "T", "N"), ValueError, None),
    ("A @ B, a given as k x m", gemm(1.0, A42, B43, 1.0, "N", "N"), ValueError, None),
    # a negative extent sizes or checks no array (every row: test_binding_paths)
    ("A @ B, m -1", lambda vx: vx.math.generalmatrixproduct(1.0, A42, B43[:2], 0.5, C23, "N", "N", m=-1),
     ValueError, None),
    ("A.T @ B, k -1", lambda vx: vx.math.generalmatrixproduct(1.0, A42, B43, 0.5, C23, "T", "N", k=-1),
     ValueError, None),
    ("nye flip 6 x 6, sdim -1", flip(Q67[:, :6], -1), ValueError, None),
    ("cyclic flip 6 x 6, sdim -1", flip(Q67[:, :6], -1, 1), ValueError, None),
    ("chamis 5 values, csdim -1", chamis(FIBRE5, -1), ValueError, None),
    ("generalized stiffness, ntens -1",
     lambda vx: vx.lamina.getgeneralizednyeonaxissc(ORTHO, -1, 1), ValueError, None),
    ("golden search, npoints -1", lambda vx: vx.math.inigoldensearch(0.0, 1.0, 1e-6, 1, -1), ValueError, None),
    ("vector split, k -1", lambda vx: vx.utility.vectorsplit(np.arange(4.0), -1), ValueError, None),
    ("vector split, k 0", lambda vx: vx.utility.vectorsplit(np.arange(4.0), 0), np.zeros((0, 0)), 0),
    # every refusal of a value is the module's error and the builtin class
    ("ply interval 2**40", lambda vx: vx.laminate.getplybottomtopstress(np.zeros((6, 3)), 2**40),
     OverflowError, None),
    ("element 2**31", copy_into(2**31), OverflowError, None),
    ("list element inf", copy_into([np.inf]), OverflowError, None),
    ("list element NaN", copy_into([np.nan]), ValueError, None),
    ("int64 element 2**40", copy_into(np.array([2**40])), OverflowError, None),
    ("uint64 element 2**64-1", copy_into(np.array([2**64 - 1], np.uint64)), OverflowError, None),
    ("real element inf", copy_into(np.array([1.0, np.inf])), OverflowError, None),
    ("real element NaN", copy_into(np.array([np.nan, 1.0])), ValueError, None),
    ("real element 2**31", copy_into(np.array([2.0**31])), OverflowError, None),
    ("real element -2**31 - 0.5", copy_into(np.array([-2.0**31 - 0.5])), (np.array([-2**31], np.int32), -1), 0),
    ("int64 elements in range", copy_into(np.array([7, -2**31])), (np.array([7, -2**31], np.int32), -1), 0),
    ("int64 element -2**31 - 1", copy_into(np.array([7, -2**31 - 1])), OverflowError, None),
    ("uint32 element 2**31", copy_into(np.array([2**31], np.uint32)), OverflowError, None),
    ("strided int64 elements in range", copy_into(np.array([5, 2**40, -6])[::2]),
     (np.array([5, -6], np.int32), -1), 0),
    ("byte-swapped int64 element 2**40", copy_into(np.array([2**40], ">i8")), OverflowError, None),
    ("dangle 10**400", lambda vx: vx.lamina.getnyeoffaxissc(10**400, ORTHO, 6, 0), OverflowError, None),
    ("real list element 10**400", lambda vx: vx.lamina.getnyestiffnessmatrix([10**400] + list(ORTHO[1:]), 6),
     OverflowError, None),
    ("datum element 2**40", stepid(np.array([2**40])), OverflowError, None),
    ("datum list element 2**40", stepid([2**40]), OverflowError, None),
]


@pytest.mark.parametrize("call,want,status", [pytest.param(*c[1:], id=c[0]) for c in CASES])
def test_binding_cases(vx, call, want, status):
    if isinstance(want, type):
        with pytest.raises(want) as e:
            call(vx)
        assert isinstance(e.value, vx.error), repr(e.value)
        return
    got = call(vx)
    if isinstance(want, tuple):
        assert len(got) == len(want)
        for g, w in zip(got, want):
            np.testing.assert_array_equal(g, w)
            assert np.asarray(g).dtype == np.asarray(w).dtype
    elif isinstance(want, bytes):
        assert got == want
    else:
        assert got.shape == want.shape
        np.testing.assert_allclose(got, want, rtol=1e-14, atol=0)
    assert error_record(vx)[0] == status


def test_refusals_name_the_argument_and_the_range(vx):
    with pytest.raises(OverflowError) as e:
        vx.lamina.getnyeoffaxissc(10**400, np.ones(9), 6, 0)
    assert str(e.value) == "getnyeoffaxissc: argument dangle: value out of the range of a real number"
    with pytest.raises(OverflowError) as e:
        vx.listhandling.int_getcopyoflist(1, np.array([2**40]))
    assert str(e.value) == "int_getcopyoflist: argument copy: element 1099511627776 has no 32-bit integer value"
    with pytest.raises(ValueError) as e:
        vx.stringhandling.int2aformat(JR[:, :1], "(I0)", 4, 30, 2)
    assert "shape(jrray,1)>=m" in str(e.value)


def test_chamis_reads_the_same_record_for_five_and_six_values(vx):
    five = vx.micromechanic.chamis(FIBRE5, MATRIX, 0.6, 5)
    six = vx.micromechanic.chamis(FIBRE5, MATRIX, 0.6, 6)
    np.testing.assert_array_equal(six[:5], five)
    # the four-value record is the five-value one without G23
    four = vx.micromechanic.chamis(FIBRE5[[0, 1, 2, 4]], MATRIX, 0.6)
    np.testing.assert_array_equal(four, five[[0, 1, 2, 4]])


def test_an_allocation_there_is_no_memory_for_is_refused_as_the_modules_error():
    # Under the address sanitizer the address-space limit cannot be set.
    if SANITIZED:
        pytest.skip("the address space is the sanitizer's")
    # One more gigabyte of address space than the interpreter holds now.
    out, rc = run_python("import _vexlan as vx\n" + limit_memory(1 << 30) + r'''
try:
    vx.utility.getidentitymatrix(20000)  # 3.2 GB
except MemoryError as e:
    print(type(e).__name__, isinstance(e, vx.error), e)
''')
    assert rc == 0 and out.decode().strip() == (
        "memoryerror True getidentitymatrix: argument a: not enough memory"), out
