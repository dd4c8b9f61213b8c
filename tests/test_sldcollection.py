"""Loads and amplitudes: load kinds from names, impactor element loads, the
patch shapes (each carries its force), surface-load patch tracking and the
tabulated amplitudes."""
import numpy as np
import pytest
from scipy import integrate
from scipy.interpolate import PchipInterpolator

from conftest import error_record as err


def context_text(vx):
    return "".join(chr(c) for c in np.ravel(vx.errorhandling.errasciim) if c)


def test_cload_kinds_and_symmetry(vx):
    s = vx.sldcollection
    assert s.cload(0, 1.0, "POINT_SYMX") == (pytest.approx(2.0e6), 1.0)
    assert s.cload(0, -1.0, "POINT_SYMX")[0] == 0.0
    assert s.cload(-1, -1.0, "LOADA")[0] == pytest.approx(-4.0e6)
    assert s.cload(0, 1.0, "POINT_SYM4_SYMY")[0] == pytest.approx(4.0e6 * 0.125)
    assert s.cload(0, 5.0, "COSINE_EDGE") == (0.0, 9.0)
    assert s.cload(0, 5.0, "COSINE")[1] == 8.0          # SINE inside COSINE is overridden
    assert s.cload(0, 5.0, "HERTZIAN") == (0.0, 5.0)    # only point loads carry a force
    assert err(vx)[0] == 0
    assert s.cload(0, 5.0, "NOTHING") == (0.0, 0.0)
    assert err(vx) == (-2, "Warning: No valid load state detected in %S")
    assert context_text(vx) == "LDFLAG"


def _deload(vx, name, cprops):
    dircos = np.eye(3)
    return vx.sldcollection.deload(np.zeros(3), 1, 1, np.zeros(2), 1, 1, np.zeros(3), dircos, 0, name,
                                   cprops, np.zeros((12, cprops.shape[1])))


def test_deload_sums_named_impactors(vx):
    cp = np.zeros((20, 12))
    cp[0, :] = np.arange(1, 13)
    cp[17, :] = 0.5
    alpha, t, _ = _deload(vx, "IMP1_IMP2", cp)
    assert alpha == pytest.approx(3.0)
    assert t.tolist() == [0.0, 0.0, -1.0]
    assert _deload(vx, "IMP1_IMP2_SYM2", cp)[0] == pytest.approx(1.5)
    # whole numbers only: the load named for 11 belongs to impactor 11 alone
    assert _deload(vx, "IMP11", cp)[0] == pytest.approx(11.0)
    assert _deload(vx, "IMP12_21", cp)[0] == pytest.approx(12.0)
    cp[17, 0] = 0.0  # a zero contact length never divides by zero
    assert np.isfinite(_deload(vx, "IMP1", cp)[0])


@pytest.mark.parametrize("name", ["uniform", "pyramidal", "parabolic", "cosine", "hertzian"])
def test_patch_shapes_carry_the_force(vx, name):
    s = vx.sldcollection
    F, a, b, r0, s0 = 7.0, 0.8, 0.5, 0.3, -0.2
    if name == "uniform":
        fn = lambda y, x: s.uniformsurfaceload(F, a, b)
    else:
        f = getattr(s, name + "surfaceload")
        fn = lambda y, x: f(F, x, y, r0, s0, a, b)
    if name == "hertzian":
        # contact ellipse with half-axes a, b
        val, _ = integrate.dblquad(fn, r0 - a, r0 + a, lambda x: s0 - b * np.sqrt(max(1 - ((x - r0) / a) ** 2, 0)),
                                   lambda x: s0 + b * np.sqrt(max(1 - ((x - r0) / a) ** 2, 0)), epsabs=1e-10)
        assert s.hertziansurfaceload(F, r0 + a, s0 + b, r0, s0, a, b) == 0.0  # outside: no pressure, no NaN
    else:
        val, _ = integrate.dblquad(fn, r0 - a, r0 + a, s0 - b, s0 + b, epsabs=1e-10)
    assert val == pytest.approx(F, rel=1e-6)
    if name == "cosine":
        assert s.cosinesurfaceload(F, r0 + a, s0, r0, s0, a, b) == pytest.approx(0.0, abs=1e-12)
        assert s.cosinesurfaceload(F, r0, s0, r0, s0, a, b) > 0


def test_camplitude(vx):
    s = vx.sldcollection
    assert s.camplitude([0.0, 1.0, 0.0, 2.0], 0.5) == pytest.approx(1.0)
    x, y = np.array([0.0, 1.0, 3.0, 4.0]), np.array([0.0, 1.0, 1.5, 4.0])
    for p in (0.3, 2.2, 3.9):
        assert s.camplitude(np.r_[x, y], p) == pytest.approx(float(PchipInterpolator(x, y)(p)))
    assert s.camplitude(np.r_[x, y], 2.0, skip=1) == 0.0
    assert s.camplitude([0.0, 1.0, 2.0], 0.5) == 0.0
    assert err(vx) == (-2, "Warning: Mismatch between x- and y-values in %S")
    assert context_text(vx) == "VXD_AMPL"
    vx.errorhandling.rsxerr(1)
    # tables the interpolation would refuse by ending the process are refused here
    assert s.camplitude([1.0, 5.0], 1.0) == 0.0 and err(vx)[0] == -2
    vx.errorhandling.rsxerr(1)
    assert s.camplitude([1.0, 1.0, 0.0, 1.0], 1.0) == 0.0 and err(vx)[0] == -2


def test_chysteresis_branches(vx):
    s = vx.sldcollection
    tab = np.array([0.0, 1.0, 2.0, 1.0, 0.0, 0.0, 1.0, 4.0, 2.0, 0.0])
    load = PchipInterpolator([0.0, 1.0, 2.0], [0.0, 1.0, 4.0])
    unload = PchipInterpolator([0.0, 1.0, 2.0], [0.0, 2.0, 4.0])  # points 5, 4, 3 of the table
    amp, passed = s.chysteresis(-1.0, tab, 1.5)
    assert (amp, passed) == (pytest.approx(float(load(1.5))), 1.5)
    amp, passed = s.chysteresis(passed, tab, 1.8)
    assert amp == pytest.approx(float(load(1.8))) and passed == 1.8
    amp, passed = s.chysteresis(passed, tab, 1.2)   # below the peak: unloading from now on
    assert passed == np.finfo(float).max and amp == pytest.approx(float(unload(1.2)))
    amp, passed = s.chysteresis(passed, tab, 1.9)   # rising again stays on the unloading branch
    assert amp == pytest.approx(float(unload(1.9))) and passed == np.finfo(float).max
    assert s.chysteresis(-1.0, tab, 7.0)[0] == pytest.approx(4.0)  # limited to the branch
    assert s.chysteresis(-1.0, tab[:9], 1.0)[0] == 0.0
    assert context_text(vx) == "VXD_HYST"


@pytest.fixture
def steps(vx):
    vx.jobdata.stepid = np.array([0, 2, 5], dtype=np.int32)
    yield
    vx.datahandling.deallocall()
    vx.elementdata.nelem = 0


def test_dsload_tracks_patch_then_loads(vx, steps):
    s = vx.sldcollection
    dircos = np.eye(3)
    cp = np.zeros((20, 1))
    cp[0, 0], cp[1, 0] = 10.0, 0.1
    dp = np.zeros((12, 1))
    dp[0, 0] = 2.0          # uniform patch, impact point at the origin
    # solver step 1 (type 0): load points of element 5 near the impact point, then farther ones
    pts = [(0.2, 0.1), (0.1, 0.05), (0.4, 0.3)]
    for x, y in pts:
        alpha, t, dp = s.dsload(np.zeros(3), 1, np.array([x, y, 0.0]), dircos, cp, dp, elemid=5)
        assert alpha == 0.0
        assert t.tolist() == [0.0, 0.0, -1.0]
    assert dp[4, 0] == 5
    assert dp[5, 0] == pytest.approx(np.hypot(0.1, 0.05))
    assert dp[7:9, 0] == pytest.approx([0.1, 0.05])
    assert dp[9:11, 0] == pytest.approx([0.4, 0.3])
    a, b = 0.5, 0.35
    # solver step 2 (type 2): the uniform patch a x b carries the force
    alpha, _, _ = s.dsload(np.zeros(3), 2, np.array([0.3, -0.2, 0.0]), dircos, cp, dp.copy(), elemid=5)
    assert alpha == pytest.approx(0.25 * 10.0 / (a * b))
    alpha, _, _ = s.dsload(np.zeros(3), 2, np.array([0.6, 0.0, 0.0]), dircos, cp, dp.copy(), elemid=6)
    assert alpha == 0.0  # outside the patch (another element's point does not grow it)
    # no load in an image-correlation step
    assert s.dsload(np.zeros(3), 3, np.array([0.3, -0.2, 0.0]), dircos, cp, dp.copy(), elemid=5)[0] == 0.0
    # solid elements take the load with the other sign
    vx.elementdata.nelem = 1
    vx.elementdata.elemlist, vx.elementdata.elemkind = np.array([5], np.int32), np.array([11], np.int32)
    alpha, _, _ = s.dsload(np.zeros(3), 2, np.array([0.3, -0.2, 0.0]), dircos, cp, dp.copy(), elemid=5)
    assert alpha == pytest.approx(-0.25 * 10.0 / (a * b))


def test_dsload_step_out_of_range(vx, steps):
    t = np.full(3, 9.0)
    dp = np.ones((12, 1))
    alpha, t2, dp2 = vx.sldcollection.dsload(t, 4, np.zeros(3), np.eye(3), np.ones((20, 1)), dp)
    assert err(vx)[0] == -2
    assert t2.tolist() == [9.0] * 3 and (dp2 == 1.0).all()
