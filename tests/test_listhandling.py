"""Growable process-wide lists, through Python and natively."""
import ctypes as C

import numpy as np
import pytest

HUGE = np.finfo(np.float64).max
IHUGE = 2147483647
CHUGE = complex(HUGE, HUGE)

# Per kind: flag, Python prefix, three distinct values, numpy dtype, empty value.
KINDS = {
    "int": (0, "int", (4, 5, 6), np.int32, IHUGE),
    "real": (1, "real", (0.5, -2.0, 1e300), np.float64, HUGE),
    "cmplx": (2, "cmplx", (1 + 2j, 2 + 1j, -3j), np.complex128, CHUGE),
}


@pytest.fixture
def lh(vx):
    """The component, with every list freed before and after the test."""
    m = vx.listhandling

    def free_all():
        for kind in range(3):
            for lid in (1, 2, 3):
                m.deallocatelist(lid, kind)

    free_all()
    yield m
    free_all()


def fn(lh, prefix, name):
    return getattr(lh, f"{prefix}_{name}")


@pytest.fixture(params=sorted(KINDS))
def kind(request):
    return KINDS[request.param]


def copy_of(lh, prefix, dtype, lid, n, fill):
    c, ierr = fn(lh, prefix, "getcopyoflist")(lid, np.full(n, fill, dtype=dtype))
    assert ierr == 0
    return c


def test_first_append_allocates_and_growth_keeps_contents(lh, kind):
    flag, p, (a, b, _), dt, empty = kind
    state = lambda: (lh.getallocationstatus(2, flag), lh.getsizeoflist(2, flag))
    assert state() == (0, -1)
    assert fn(lh, p, "appendscalar2list")(2, a, 1) == 1
    assert state() == (1, 1)
    # 500 values fill the first allocation; the 501st grows it to 1000 slots.
    vals = np.arange(1, 501).astype(dt)
    assert fn(lh, p, "appendarray2list")(2, vals[1:], 0) == 1
    assert state() == (1, 500)
    assert fn(lh, p, "appendscalar2list")(2, b, 0) == 1
    assert state() == (1, 501)
    want = np.concatenate([[a], vals[1:], [b], np.full(499, empty)]).astype(dt)
    np.testing.assert_array_equal(copy_of(lh, p, dt, 2, 1000, 0), want)
    # Allocating again empties the list of this kind and keeps its size.
    assert (lh.allocatelist(2, flag, 3), state()) == (5014, (1, 0))
    np.testing.assert_array_equal(copy_of(lh, p, dt, 2, 1000, 0), np.full(1000, empty, dtype=dt))
    # Other lists of the kind are untouched, and no list is a module attribute.
    assert lh.getsizeoflist(1, flag) == -1
    assert not [n for n in dir(lh) if n.startswith("dyn")]


def test_equality_is_exact(lh):
    app = lh.real_appendscalar2list
    # A NaN equals nothing; 0.0 equals -0.0; complex values agree in both parts.
    assert [app(1, v, 1) for v in (np.nan, np.nan, 0.0, -0.0)] == [1, 1, 1, 0]
    assert lh.getsizeoflist(1, 1) == 3
    assert [lh.cmplx_appendscalar2list(1, v, 1) for v in (1 + 2j, 1 + 3j, 1 + 2j)] == [1, 1, 0]


def test_invalid_selection_touches_nothing(lh, vx):
    lh.int_appendscalar2list(1, 7, 0)
    for lid, flag in ((4, 0), (0, 0), (1, 3), (1, -1)):
        got = (lh.allocatelist(lid, flag, 5), lh.deallocatelist(lid, flag),
               lh.getallocationstatus(lid, flag), lh.getsizeoflist(lid, flag))
        assert got == (5014, 1, 0, -1), (lid, flag)
    assert lh.int_appendscalar2list(4, 7, 0) < 0
    assert lh.int_getcopyoflist(0, np.zeros(1, np.int32))[1] == -1
    np.testing.assert_array_equal(copy_of(lh, "int", np.int32, 1, 2, 0), [7, IHUGE])
    with pytest.raises(vx.error):                # a copy longer than the caller's array
        lh.int_getcopyoflist(1, np.zeros(2, np.int32), 3)


def test_custom_empty_value_of_the_integer_lists(lh):
    # The rules of another marker: the contract test below, on a real list.
    assert lh.allocatelist(2, 0, 4, defint=0) == 0 and lh.int_appendscalar2list(2, 5, 1, defval=0) == 1
    assert (lh.getsizeoflist(2, 0, defint=0), lh.getsizeoflist(2, 0)) == (1, 4)
    np.testing.assert_array_equal(copy_of(lh, "int", np.int32, 2, 4, 9), [5, 0, 0, 0])


def test_growth_step(lh):
    # Below 1 the step is the default 500.
    assert lh.int_appendarray2list(1, np.arange(3, dtype=np.int32), 0, allocinc=0) == 1
    np.testing.assert_array_equal(copy_of(lh, "int", np.int32, 1, 501, -1)[498:], [IHUGE, IHUGE, -1])
    # A growth that cannot be had fails and keeps the list as it was.
    assert lh.allocatelist(2, 0, 2) == 0
    lh.int_appendarray2list(2, np.array([1, 2], np.int32), 0)
    assert lh.int_appendscalar2list(2, 3, 0, allocinc=IHUGE) == -5014
    assert lh.getsizeoflist(2, 0) == 2
    np.testing.assert_array_equal(copy_of(lh, "int", np.int32, 2, 2, 0), [1, 2])
    assert lh.int_appendscalar2list(2, 3, 0) == 1


def test_native_absent_optionals_and_short_copy(lib, lh):
    i4 = lambda v: C.byref(C.c_int32(v))
    res = C.c_int32(-9)
    lib.fAppendScalar2List(i4(1), C.byref(C.c_double(2.5)), i4(1), C.byref(res), None, None)
    assert res.value == 1
    lib.GetSizeOfList.restype = C.c_int32
    assert lib.GetSizeOfList(i4(1), i4(1), None, None, None) == 1
    # ncopy beyond the list's 500 slots: the rest of copy is left as it was.
    buf = np.full(600, -7.0)
    ierr = C.c_int32(-9)
    lib.fGetCopyOfList(i4(1), buf.ctypes.data_as(C.c_void_p), i4(600), C.byref(ierr))
    assert ierr.value == 0
    assert buf[0] == 2.5 and buf[499] == HUGE and (buf[500:] == -7.0).all()


class _ModelList:
    """The list contract written out plainly: the oracle for the fast paths."""

    def __init__(self):
        self.slots = None

    def _ensure(self, inc, d):
        if self.slots is None:
            self.slots = [d] * inc

    def used(self, d):
        return next((i for i, v in enumerate(self.slots) if v == d), len(self.slots))

    def _put(self, v, hint, inc, d):
        p = hint
        while p < len(self.slots) and self.slots[p] != d:
            p += 1
        if p == len(self.slots):
            self.slots += [d] * inc
        self.slots[p] = v
        return p if v == d else p + 1

    def scalar(self, v, uni, inc, d):
        self._ensure(inc, d)
        if uni and v in self.slots:
            return 0
        self._put(v, 0, inc, d)
        return 1

    def array(self, vals, uni, inc, d):
        self._ensure(inc, d)
        k = self.used(d)
        if uni:
            if not vals:
                return 0
            n = len(vals)
            if any(self.slots[p:p + n] == vals for p in range(k - n + 1)):
                return 0
        hint, res = k, 0
        for v in vals:
            hint, res = self._put(v, hint, inc, d), 1
        return res


def test_appends_and_sizes_follow_the_contract_under_mixed_markers(lh):
    # Random appends, with uniqueness or not, of single values and runs, with
    # the standard marker or another one (so empty slots of two kinds mix),
    # resets and releases: after every step the size for each marker and the
    # whole content must be what the plain contract gives. The three kinds
    # share one implementation; the real lists stand for them.
    rng = np.random.default_rng(7)
    model = _ModelList()
    pool = [1.0, 2.0, 3.0, -0.0, 0.0, 7.0, HUGE]
    markers = [None, 7.0]
    for step in range(1500):
        d = markers[rng.integers(2)] if rng.random() < 0.15 else None
        dv = HUGE if d is None else d
        kw = {} if d is None else {"defval": d}
        inc = int(rng.integers(1, 4))
        op = rng.random()
        if op < 0.5:
            v = pool[rng.integers(len(pool))]
            uni = int(rng.random() < 0.4)
            assert lh.real_appendscalar2list(3, v, uni, allocinc=inc, **kw) == model.scalar(v, uni, inc, dv)
        elif op < 0.9:
            vals = [pool[i] for i in rng.integers(len(pool), size=rng.integers(0, 4))]
            uni = int(rng.random() < 0.3)
            got = lh.real_appendarray2list(3, np.array(vals, float), uni, allocinc=inc, **kw)
            assert got == model.array(vals, uni, inc, dv)
        elif op < 0.95:
            le = int(rng.integers(0, 5))
            # An allocated list is emptied and keeps its size.
            got = lh.allocatelist(3, 1, le, **({} if d is None else {"defreal": d}))
            assert got == (0 if model.slots is None else 5014)
            model.slots = [dv] * (le if model.slots is None else len(model.slots))
        else:
            assert lh.deallocatelist(3, 1) == (1 if model.slots is None else 0)
            model.slots = None
        if model.slots is None:
            assert lh.getsizeoflist(3, 1) == -1 and lh.real_getcopyoflist(3, np.zeros(1))[1] == -1
            continue
        for m in (HUGE, 7.0):
            assert lh.getsizeoflist(3, 1, defreal=m) == model.used(m), step
        got = copy_of(lh, "real", np.float64, 3, len(model.slots), -5.0)
        np.testing.assert_array_equal(got, model.slots)
