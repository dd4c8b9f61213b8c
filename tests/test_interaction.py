"""Impact contact laws: Hertz relations, the contact force equation, the nearest-element tracker."""
import ctypes
import math

import numpy as np
import pytest
from scipy.optimize import brentq

from conftest import error_record as status, run_python


E1, NU1, E2, NU2, R1 = 210e3, 0.3, 12e3, 0.25, 8.0


def hertz_args(curv=0.0):
    a = np.zeros(13)
    a[[0, 2, 3, 4, 6, 7]] = R1, E1, NU1, curv, E2, NU2
    return a


def test_hertz_stiffness_depth_and_radius_agree_with_the_textbook(vx):
    estar = 1.0 / ((1 - NU1**2) / E1 + (1 - NU2**2) / E2)
    for curv in (0.0, 0.02):
        k, eeff = vx.interaction.contactstiffness(hertz_args(curv), 0)
        reff = 1.0 / (1.0 / R1 + curv)
        assert eeff == pytest.approx(estar, rel=1e-14)
        assert k == pytest.approx(4.0 / 3.0 * estar * math.sqrt(reff), rel=1e-14)
    # F = k delta^1.5 inverted, and a^2 = R delta
    f = 2500.0
    k, estar = vx.interaction.contactstiffness(hertz_args(), 0)
    delta = vx.interaction.contactdepth([f, R1, estar], 0)
    assert k * delta**1.5 == pytest.approx(f, rel=1e-12)
    a = vx.interaction.contactradius([f, estar, R1], 0)
    assert a * a == pytest.approx(R1 * delta, rel=1e-12)
    assert vx.interaction.contactdepth([f, 2.0, 3.0], 1) == pytest.approx(f / 12.0)
    assert vx.interaction.contactdepth([0, 0, 0, 2.0], 2) == pytest.approx(math.pi)
    assert vx.interaction.contactradius([2.0, 3.0, 5.0, 7.0], 5) == pytest.approx(math.sqrt(40 / (math.pi * 21)))


def test_other_stiffness_laws_and_unknown_selectors(vx):
    a = hertz_args()
    a[8:12] = 1.5, 6.0, 4.0, 1.0
    k, eeff = vx.interaction.contactstiffness(a, 2)
    assert (k, eeff) == (pytest.approx(6.0 / 3.0**1.5), 0.0)
    k, _ = vx.interaction.contactstiffness(a, 3)
    assert k == pytest.approx(6.0**1.0 * 4.0**-0.5 / 1.0)
    a[1], a[12] = 50.0, 1e3
    k, estar = vx.interaction.contactstiffness(a, 6)
    rad = math.sqrt(4 * 1e3 * R1 / (math.pi * estar))
    assert k == pytest.approx(math.pi * 50 * estar / (math.log(50 / rad) + 1.886))
    for flag, msg in ((4, "Goldsmith is not implemented so far."),
                      (5, "Goldsmith + Sun et. al is not implemented so far."),
                      (7, "Unknown contact stiffness flag"), (-1, "Unknown contact stiffness flag")):
        vx.errorhandling.rsxerr(1)
        assert vx.interaction.contactstiffness(a, flag)[1] == 0.0
        assert status(vx) == (-3, msg)
    assert vx.interaction.contactdepth([1.0, 1, 1], 7) == 1.7976931348623157e308
    assert vx.interaction.contactradius([1.0, 1, 1], -1) == 1.7976931348623157e308
    with pytest.raises(vx.error):  # the law would read past the inputs
        vx.interaction.contactstiffness(a[:8], 6)


def test_contact_law_solves_the_force_equation(vx):
    # F = k (alpha - c F)^p with k = 1e4, alpha = 0.3 - 0.01 - 0.02, c = |1e-5 + 2e-5|, p = 1.5
    args = np.array([1e4, 0.3, 1e-5, 0.01, 2e-5, 1.5, 0.02])
    assert vx.interaction.contactlaw(0.0, args, 0)[0] == pytest.approx(1e4 * 0.27**1.5)
    f = brentq(lambda x: vx.interaction.contactlaw(x, args, 2)[0], 0.0, 5000.0)
    assert f == pytest.approx(1e4 * (0.27 - 3e-5 * f) ** 1.5, rel=1e-10)
    h = 1e-3
    num = (vx.interaction.contactlaw(f + h, args, 0)[0] - vx.interaction.contactlaw(f - h, args, 0)[0]) / (2 * h)
    assert vx.interaction.contactlaw(f, args, 0)[1] == pytest.approx(num, rel=1e-7)
    # q < 0 with a fractional power: NaN replaced so that Newton can go on
    assert vx.interaction.contactlaw(1e5, args, 0) == (0.0, -1.0)
    fx, dfx = vx.interaction.contactlaw(0.0, args, 3)
    assert dfx == -1.0 and status(vx) == (-3, "Unknown contact law flag")


def test_contact_law_with_tabulated_stiffness(vx):
    base = [500.0, 0.3, 1e-5, 0.01, 2e-5, 1.0, 0.02]
    xs, ks = [0.0, 10.0, 20.0], [100.0, 200.0, 300.0]
    fx, _ = vx.interaction.contactlaw(10.0, np.array(base + xs + ks), 1)
    assert fx == pytest.approx(200.0 * (0.27 - 3e-5 * 10) - 10)
    # a negative table value falls back to args(1)
    fx, _ = vx.interaction.contactlaw(10.0, np.array(base + xs + [-1.0, -2.0, -3.0]), 1)
    assert fx == pytest.approx(500.0 * (0.27 - 3e-5 * 10) - 10)
    # a table of fewer than two points is refused before the interpolation sees it
    for extra in ([], [0.0, 100.0], [0.0, 10.0, 100.0]):
        with pytest.raises(vx.error):
            vx.interaction.contactlaw(10.0, np.array(base + extra), 1)
    assert vx.interaction.contactlaw(0.0, np.array(base), 0)[0] == pytest.approx(500.0 * 0.27)


def test_contact_law_table_out_of_order_is_reported():
    out, rc = run_python(
        "import _vexlan as v, numpy as np\n"
        "base = [500.0, 0.3, 1e-5, 0.01, 2e-5, 1.0, 0.02]\n"
        "for xs in ([0.0, 20.0, 10.0], [0.0, 0.0, 10.0], [0.0, float('nan'), 10.0]):\n"
        "    v.errorhandling.rsxerr(1)\n"
        "    fx, _ = v.interaction.contactlaw(10.0, np.array(base + xs + [100.0, 200.0, 300.0]), 1)\n"
        "    print(int(v.errorhandling.errstat), round(fx, 6))\n")
    assert rc == 0
    # reported, and the constant stiffness stands in
    assert out.decode().split() == ["-2", str(round(500.0 * (0.27 - 3e-5 * 10) - 10, 6))] * 3


def test_nearest_element_is_tracked_from_the_first_visit(vx):
    d = np.zeros((12, 2), order="F")
    d[1, 1] = 10.0   # impact points at x = 0 and x = 10
    d = vx.interaction.contactarea(d, [1.0, 0.0, 0.0], 7, elemlength=[2.0, 0.0, 0.0])
    # first visit: distance and element kept (the element would be lost otherwise)
    assert d[4, 0] == 7 and d[5, 0] == 1.0 and d[5, 1] == 9.0
    np.testing.assert_array_equal(d[7:11, 0], [1.0, 1.0, 1.0, 1.0])
    d = vx.interaction.contactarea(d, [9.5, 0.0, 0.0], 8)  # lengths absent: half lengths stay
    assert (d[4, 0], d[5, 0]) == (7, 1.0)
    assert (d[4, 1], d[5, 1]) == (8, 0.5)
    np.testing.assert_array_equal(d[7:11, 1], [1.0, 1.0, 1.0, 1.0])
    d2 = vx.interaction.contactarea(d, [9.9, 0.0, 0.0], 9, elemlength=[4.0, 6.0, 0.0])
    assert d2[4, 1] == 9 and d2[5, 1] == pytest.approx(0.1)
    np.testing.assert_array_equal(d2[7:11, 1], [2.0, 3.0, 2.0, 3.0])
    np.testing.assert_array_equal(d2[:, 0], d[:, 0])


def test_hugoniot_elastic_limit(vx):
    # uniaxial strain: sigma_x = (1 - nu) / (1 - 2 nu) Y
    assert vx.interaction.gethugonoitelasticlimit(100.0, 0.25) == pytest.approx(150.0)
    assert vx.interaction.gethugonoitelasticlimit(100.0, 0.0) == 100.0


GUARDED_CALL = """
import ctypes, mmap, glob, os, sys
lib = ctypes.CDLL(next(glob.glob(os.path.join(p, '_vexlan.cpython-*.so'))[0]
                       for p in sys.path if glob.glob(os.path.join(p, '_vexlan.cpython-*.so'))))
page = mmap.PAGESIZE
buf = mmap.mmap(-1, 2 * page)
base = ctypes.addressof(ctypes.c_char.from_buffer(buf))
libc = ctypes.CDLL(None)
libc.mprotect.argtypes = (ctypes.c_void_p, ctypes.c_size_t, ctypes.c_int)
assert libc.mprotect(base + page, page, 0) == 0  # the page after the inputs cannot be read
args = (ctypes.c_double * {n}).from_address(base + page - 8 * {n})
for i, v in enumerate({values}):
    args[i] = v
n, flag = ctypes.c_int32({n}), ctypes.c_int32({flag})
k, e = ctypes.c_double(-5.0), ctypes.c_double()
if {stiffness}:
    lib.ContactStiffness(ctypes.byref(k), ctypes.byref(e), args, ctypes.byref(n), ctypes.byref(flag))
else:
    lib.ContactDepth(ctypes.byref(k), args, ctypes.byref(n), ctypes.byref(flag))
print(k.value, e.value)
"""


@pytest.mark.parametrize("stiffness, flag, values", [(True, 1, [R1, 0.0, E1, NU1, 0.0, 0.0, E2]), (True, 4, []),
                                                     (False, 1, [6.0, 2.0, 0.5]), (False, 9, [])])
def test_laws_read_only_their_own_inputs(stiffness, flag, values):
    # The inputs end right before an unreadable page: a law that reads an
    # argument it does not use ends the process. (The one-sided law 1 has
    # no second Poisson ratio.)
    out, rc = run_python(GUARDED_CALL.format(n=len(values), values=values, flag=flag, stiffness=stiffness))
    assert rc == 0
    k, e = map(float, out.split())
    if not stiffness:
        assert k == (6.0 / (2 * 2.0 * 0.5) if flag == 1 else 1.7976931348623157e308)
    elif flag == 1:
        estar = 1 / ((1 - NU1**2) / E1 + 1 / E2)
        assert (k, e) == (pytest.approx(4 / 3 * estar * math.sqrt(R1)), pytest.approx(estar))
    else:
        assert (k, e) == (-5.0, 0.0)


@pytest.mark.parametrize("routine, flag, nargs", [("ContactLaw", 0, 6), ("ContactLaw", 1, 10),
                                                  ("ContactStiffness", 0, 7), ("ContactStiffness", 6, 12),
                                                  ("ContactDepth", 2, 3), ("ContactRadius", 6, 3)])
def test_native_calls_with_fewer_inputs_than_the_law_reads_are_refused(vx, lib, routine, flag, nargs):
    # Called from C the binding's checks are gone: numargs is all the routine knows.
    args = np.full(nargs, 2.0)
    out = [ctypes.c_double(7.0), ctypes.c_double(7.0)]
    ptrs = [ctypes.byref(out[0])]
    if routine in ("ContactLaw", "ContactStiffness"):
        ptrs.append(ctypes.byref(out[1]))
    if routine == "ContactLaw":
        ptrs.append(ctypes.byref(ctypes.c_double(1.0)))
    getattr(lib, routine)(*ptrs, args.ctypes.data_as(ctypes.c_void_p), ctypes.byref(ctypes.c_int32(nargs)),
                          ctypes.byref(ctypes.c_int32(flag)))
    assert status(vx) == (-2, f"Too few inputs in {routine}")
    if routine == "ContactLaw":
        assert (out[0].value, out[1].value) == (7.0, -1.0)  # as for an unknown law
    else:
        assert all(math.isnan(o.value) for o in out[:len(ptrs)])
