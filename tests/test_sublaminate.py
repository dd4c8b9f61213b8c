"""Sub-laminate buckling: Ritz tables against known plate buckling loads, the
buckling strain of a single plate through the laminate path, and the record
lists of the sequential analysis (never written past their end)."""
import ctypes

import numpy as np
import pytest

from conftest import error_record

NU = 0.3
DRED = np.array([[1, NU, 0], [NU, 1, 0], [0, 0, (1 - NU) / 2]])   # isotropic plate, D = 1
TABLES = {"getkkellipse": "GetKKEllipse", "getkkrectangle": "GetKKRectangle", "getkkrecttang": "GetKKRectTang",
          "getkgellipse": "GetKGEllipse", "getkgrectangle": "GetKGRectangle", "getkgrecttang": "GetKGRectTang"}


def critical_load(sl, shape, a, b, load, dred=DRED):
    """Smallest buckling load factor of a plate (B = 0, so abd = I)."""
    kk = sl.getsubkk(dred, a, b, shape)
    kg = sl.getsubkg(load, np.eye(6), np.eye(6), a, b, 0.0, shape)
    return 1.0 / max(np.linalg.eigvals(np.linalg.solve(kk, kg)).real)


def test_tables_kinds_and_errors(vx):
    sl = vx.sublaminate
    for name, routine in TABLES.items():
        f = getattr(sl, name)
        kinds = [(1, 11), (2, 22), (3, 33)] + ([(4, 16), (5, 26)] if "kk" in name else [])
        for k, alias in kinds:
            m = f(k)
            np.testing.assert_array_equal(m, m.T)
            np.testing.assert_array_equal(m, f(alias))
            assert m.any()
        assert not f(6 if "kk" in name else 4).any()
        text = ("Error: Default case in subroutine " + routine + ". Please check your input parameters.")[:80]
        assert error_record(vx) == (-2, text)
        vx.errorhandling.rsxerr(1)
    assert not sl.getsubkk(DRED, 1.0, 1.0, 0).any() and not sl.getsubkg([1, 0, 0], np.eye(6), np.eye(6), 1, 1, 0, 0).any()
    assert error_record(vx)[0] == 0
    for call, name in ((lambda: sl.getsubkk(DRED, 1.0, 1.0, 4), "GetSubKK"),
                       (lambda: sl.getsubkg([1, 0, 0], np.eye(6), np.eye(6), 1, 1, 0, -1), "GetSubKG")):
        assert not call().any()
        assert error_record(vx) == (-2, f"Error: Default case in subroutine {name}. DShape has to be an integer between")
        vx.errorhandling.rsxerr(1)


def test_known_plate_buckling_loads(vx):
    sl = vx.sublaminate
    # Clamped circular plate under radial compression: 14.68 D/R^2 (Ritz bound above).
    n = critical_load(sl, 1, 1.0, 1.0, [1.0, 1.0, 0.0])
    assert 14.68 <= n < 14.68 * 1.005
    # Square of side 2: clamped k = 10.07, simply supported k = 4 (N = k pi^2 D / side^2).
    k = critical_load(sl, 2, 1.0, 1.0, [1.0, 0.0, 0.0]) * 4 / np.pi ** 2
    assert 10.07 <= k < 10.07 * 1.01
    k = critical_load(sl, 3, 1.0, 1.0, [1.0, 0.0, 0.0]) * 4 / np.pi ** 2
    assert k == pytest.approx(4.002, abs=5e-4)


@pytest.mark.parametrize("shape", [1, 2, 3])
def test_mirror_image_buckles_alike(vx, shape):
    """A plate a x b loaded along x and the plate b x a loaded along y are one plate."""
    ortho = np.array([[3.0, 0.4, 0.0], [0.4, 1.2, 0.0], [0.0, 0.0, 0.5]])
    n1 = critical_load(vx.sublaminate, shape, 1.7, 0.9, [1, 0, 0], ortho)
    n2 = critical_load(vx.sublaminate, shape, 0.9, 1.7, [0, 1, 0], ortho[[1, 0, 2]][:, [1, 0, 2]])
    assert n1 == pytest.approx(n2, rel=1e-12)


MIRROR = [0, 2, 1, 3, 5, 4]  # the six Ritz terms with the plate's x and y exchanged


@pytest.mark.parametrize("name, pairs", [
    ("getkkellipse", [(1, 2), (3, 3), (4, 5)]), ("getkkrectangle", [(1, 2), (3, 3), (4, 5)]),
    ("getkkrecttang", [(1, 2), (3, 3), (4, 5)]), ("getkgellipse", [(1, 2), (3, 3)]),
    ("getkgrectangle", [(1, 2), (3, 3)]), ("getkgrecttang", [(1, 2), (3, 3)]),
])
def test_tables_of_the_y_terms_mirror_those_of_the_x_terms(vx, name, pairs):
    f = getattr(vx.sublaminate, name)
    for k, mirrored in pairs:
        np.testing.assert_array_equal(f(mirrored), f(k)[np.ix_(MIRROR, MIRROR)])


E, T = 70e3, 2.0
ISO = np.array([E, E, E, NU, NU, NU, E / 2.6, E / 2.6, E / 2.6])


def test_buckling_strain_of_a_plate(vx):
    sl = vx.sublaminate
    d = E * T ** 3 / (12 * (1 - NU ** 2))
    ncr = 4.002069220402752 * np.pi ** 2 * d / 20.0 ** 2
    eps, nx, mode = sl.getsublambucklingstrain([10.0, 10.0, 0.0], [-1, 0, 0], ISO[:, None], [0.0], [T], 3)
    assert nx == pytest.approx(ncr / T, rel=1e-8)
    assert eps == pytest.approx(ncr / (E * T), rel=1e-8)
    assert np.linalg.norm(mode) > 0
    # Turning an isotropic circular plate changes nothing.
    circ = [sl.getsublambucklingstrain([10.0, 10.0, t], [-1, 0, 0], ISO[:, None], [0.0], [T], 1)[1] for t in (0, 30)]
    assert circ[1] == pytest.approx(circ[0], rel=1e-8)


@pytest.mark.parametrize("dsize,load,message", [
    ([0.0, 10.0, 0.0], [-1, 0, 0], "half-axes must be positive."),
    ([10.0, 0.0, 30.0], [-1, 0, 0], "half-axes must be positive."),
    ([-10.0, 10.0, 0.0], [-1, 0, 0], "half-axes must be positive."),
    ([np.nan, 10.0, 0.0], [-1, 0, 0], "half-axes must be positive."),
    ([10.0, 10.0, 0.0], [0, 0, 0], "no load on the sub-laminate."),
])
@pytest.mark.parametrize("shape", [1, 2, 3])
def test_buckling_strain_without_plate_or_load(vx, dsize, load, message, shape):
    eps, nx, mode = vx.sublaminate.getsublambucklingstrain(dsize, load, ISO[:, None], [0.0], [T], shape)
    assert eps == 0.0 and nx == 0.0 and not mode.any()
    assert error_record(vx) == (-2, "Error in GetSubLamBucklingStrain: " + message)


def stack(n, thick):
    pe = np.tile(ISO[:, None], (1, n))
    return pe, np.zeros(n), np.asarray(thick, float)


def test_fully_delaminated_stack_writes_inside_its_lists(vx, lib):
    n = 8
    pe, po, pt = stack(n, 0.1 * np.arange(1, n + 1))     # thinner plies below buckle first
    delam = np.tile([[10.0], [10.0], [0.0]], (1, n - 1))
    eps, real, intg = vx.sublaminate.delaminatedbucklinganalysis(500.0, pe, po, pt, delam, np.ones(n - 1, np.int32))
    assert intg.shape == (4, n)
    np.testing.assert_array_equal(intg[1], np.arange(1, n + 1))     # one ply per record, bottom up
    np.testing.assert_array_equal(intg[2], np.arange(1, n + 1))
    assert eps == pytest.approx(real[0, 0]) and eps > 0
    np.testing.assert_allclose(real[1], real[2] / 500.0)
    # Natively, with guard values after the lists.
    rl, il, e = np.full(12 * (n + 5), 7.5), np.full(4 * (n + 5), -7, np.int32), ctypes.c_double()
    ptr = lambda a: a.ctypes.data_as(ctypes.c_void_p)
    args = [np.asfortranarray(x) for x in (pe, po, pt, delam)] + [np.ones(n - 1, np.int32)]
    lib.DelaminatedBucklingAnalysis(ctypes.byref(e), ptr(rl), ptr(il), ctypes.byref(ctypes.c_double(500.0)),
                                    *map(ptr, args), ctypes.byref(ctypes.c_int32(n)))
    assert (rl[12 * n:] == 7.5).all() and (il[4 * n:] == -7).all()
    assert list(il[:4 * n]) == list(intg.T.ravel())


def test_two_plies_and_equal_areas(vx):
    pe, po, pt = stack(2, [0.2, 0.5])
    eps, real, intg = vx.sublaminate.delaminatedbucklinganalysis(500.0, pe, po, pt, [[10.0], [10.0], [0.0]], [1])
    np.testing.assert_array_equal(intg.T, [[1, 1, 1, 0], [1, 2, 2, 0]])
    assert eps == real[0, 0] > 0 and real[0, 1] > 0
    # Middle ply thick enough never to buckle alone; of the two outer plies of equal area the upper one is taken.
    pe, po, pt = stack(3, [0.1, 3.0, 0.1])
    _, real, intg = vx.sublaminate.delaminatedbucklinganalysis(450.0, pe, po, pt, np.tile([[10.0], [10.0], [0.0]], (1, 2)),
                                                               [1, 1])
    assert intg[:, 2].tolist() == [2, 2, 2, 0]


def test_no_usable_delamination(vx):
    pe, po, pt = stack(3, [0.2, 0.2, 0.2])
    delam = np.array([[1e-11, 5.0], [5.0, 0.0], [0.0, 0.0]])   # one half-axis below the limit in each
    eps, real, intg = vx.sublaminate.delaminatedbucklinganalysis(450.0, pe, po, pt, delam, [1, 1])
    assert eps == 0.0
    np.testing.assert_array_equal(intg[:, 0], [1, 1, 3, 0])
    np.testing.assert_array_equal(real[:, 0], [0, 1.0, 450.0] + [0] * 9)
    assert not intg[:, 1:].any() and not real[:, 1:].any()
    eps, real, intg = vx.sublaminate.delaminatedbucklinganalysis(450.0, pe[:, :1], po[:1], pt[:1],
                                                                 np.zeros((3, 0)), np.zeros(0, np.int32))
    np.testing.assert_array_equal(intg[:, 0], [1, 1, 1, 0])


def test_bukdata_per_section_and_damage(vx):
    n, nsec = 2, 2
    pe = np.tile(ISO[:, None, None], (1, n, nsec))
    po, pt = np.zeros((n, nsec)), np.full((n, nsec), 0.3)
    seclist = np.array([[1, 1], [2147483647, 2147483647]], np.int32).T   # section 2 unset
    delam = np.array([10.0, 10.0, 0.0]).reshape(3, 1, 1)
    real, intg = vx.sublaminate.getbukdatafromdds(delam, np.ones((1, 1), np.int32), [500.0, 500.0], pe, po, pt,
                                                 seclist)
    assert intg.shape == (4, 2, 1, 2)
    assert (intg[:, :, 0, 1] == -1).all() and not real[:, :, 0, 1].any()
    assert intg[:, 0, 0, 0].tolist()[1:3] == [1, 1] or intg[:, 0, 0, 0].tolist()[1:3] == [2, 2]
    assert real[0, 0, 0, 0] > 0


def test_most_negative_ply_count_is_an_empty_stack_natively(vx):
    # n - 1 of the smallest integer wraps: run natively in a child process and
    # compare with an empty stack.
    from conftest import run_python
    out, rc = run_python("""
import ctypes, numpy as np, _vexlan as vx
lib = ctypes.CDLL(vx.__file__)
p = lambda a: a.ctypes.data_as(ctypes.c_void_p)
i4 = lambda v: ctypes.byref(ctypes.c_int32(v))
one, ints = np.ones(9), np.ones(4, dtype=np.int32)
for n in (0, -2**31):
    rl, il, e = np.full(12, 3.0), np.full(4, 3, dtype=np.int32), ctypes.c_double(5.0)
    lib.DelaminatedBucklingAnalysis(ctypes.byref(e), p(rl), p(il), ctypes.byref(ctypes.c_double(600.0)), p(one),
                                    p(one), p(one), p(one), p(ints), i4(n))
    print(e.value, *rl, *il)
    rl[:], il[:] = 3.0, 3
    lib.GetBukDataFromDDS(p(rl), p(il), p(one), p(ints), ctypes.byref(ctypes.c_double(600.0)), p(one), p(one),
                          p(one), p(ints), i4(1), i4(n), i4(1), None)
    print(int(vx.errorhandling.errstat), *rl, *il)
""", timeout=120)
    assert rc == 0
    lines = out.decode().splitlines()
    assert len(lines) == 4 and lines[2:] == lines[:2]
