"""Stress laws of one material point and their numerical tangent."""
import ctypes
import json
import math

import numpy as np
import pytest

from conftest import error_record, run_python
from laminate_oracle import isotropic_stiffness as iso_stiffness, orthotropic_compliance

rng = np.random.default_rng(31)
STRAIN = np.array([1e-3, -2e-3, 5e-4, 3e-3, -1e-3, 2e-3])  # 11, 22, 33, 12, 13, 23 (engineering shears)
ORTHO = [140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3]
A6 = rng.normal(size=(6, 6))
SYM = A6 + A6.T
PACKED = np.concatenate([SYM[: j + 1, j] for j in range(6)])  # upper triangle column by column


@pytest.fixture
def el(vx):
    return vx.elasticity


def ortho_stiffness(*constants):
    return np.linalg.inv(orthotropic_compliance(*constants))


def test_orthotropic_and_anisotropic_laws(vx, el):
    c = ortho_stiffness(*ORTHO)
    np.testing.assert_allclose(el.getstressfromorthotropicelasticity(STRAIN, ORTHO, 3), c @ STRAIN, rtol=1e-12)
    a, sym, packed = A6, SYM, PACKED
    np.testing.assert_allclose(el.real_getstressfromanisotropichyperelasticity(STRAIN, packed, 3), sym @ STRAIN,
                               rtol=1e-13, atol=1e-16)
    full = a.flatten(order="F")  # an unsymmetric matrix is taken as it stands
    np.testing.assert_allclose(el.real_getstressfromanisotropichyperelasticity(STRAIN, full, 3), a @ STRAIN,
                               rtol=1e-13, atol=1e-16)
    z = STRAIN + 1j * rng.normal(size=6)
    np.testing.assert_allclose(el.cmplx_getstressfromanisotropichyperelasticity(z, packed, 3), sym @ z,
                               rtol=1e-13, atol=1e-16)
    # called natively by the numerical tangent the law gets its constants: the complex step is exact
    t = el.getnumericaltangent(el.cmplx_getstressfromanisotropichyperelasticity._cpointer, packed, sym @ STRAIN,
                               np.zeros(6), STRAIN, 3, 0, nmflag=1)
    np.testing.assert_allclose(t, sym, rtol=1e-14, atol=1e-14)
    with pytest.raises(vx.error):  # fewer constants than a packed triangle
        el.real_getstressfromanisotropichyperelasticity(STRAIN, packed[:20], 3)


def test_numerical_tangent_with_python_laws(el):
    c = ortho_stiffness(*ORTHO)
    seen = []

    def law(stress, strain, props, ntens, ndi):
        seen.append(strain.copy())
        stress[:] = c @ strain

    t = el.getnumericaltangent(law, ORTHO, c @ STRAIN, np.zeros(6), STRAIN, 3, 0, nmflag=1)
    np.testing.assert_allclose(t, c, rtol=1e-14)
    assert len(seen) == 6 and all(s.dtype == complex for s in seen)
    # the step: largest component of the strain times 2^-26, on the imaginary part
    assert seen[0][0].imag == pytest.approx(3e-3 * 2**-26, rel=1e-15)
    seen.clear()
    t = el.getnumericaltangent(law, ORTHO, c @ STRAIN, np.zeros(6), STRAIN, 3, 1, h=0.0)
    np.testing.assert_allclose(t, c, rtol=1e-6, atol=1e-6 * abs(c).max())
    assert len(seen) == 12 and all(s.dtype == float for s in seen)
    # h = 0 becomes 1e-8; tensor shears of dstrain arrive doubled
    np.testing.assert_allclose(seen[0] - seen[1], [2e-8, 0, 0, 0, 0, 0], atol=1e-22)
    np.testing.assert_allclose(seen[1].real[3:], 2 * STRAIN[3:], rtol=1e-15)


def test_numerical_tangent_default_step_on_the_strain_scale(el):
    """Central differences with the default step: right to difference accuracy
    for ordinary strains, compressive ones whose largest signed component is
    a round-off shear (or zero) among them."""
    c = ortho_stiffness(*ORTHO)
    g = np.random.default_rng(8)
    strains = [np.array([-0.008, -0.002, -0.002, 0.0, 0.0, 1e-12]),
               np.array([-0.005, -0.001, -0.001, 1e-9, 0.0, 0.0])]
    strains += [g.uniform(-1e-2, 1e-2, 6) * 10.0 ** g.uniform(-3, 0, 6) for _ in range(100)]
    strains += [np.r_[-g.uniform(1e-5, 1e-2, 3), g.choice([0.0, 1.0], 3) * g.normal(scale=1e-12, size=3)]
                for _ in range(100)]
    law = el.getstressfromorthotropicelasticity._cpointer
    for e in strains:
        t = el.getnumericaltangent(law, ORTHO, c @ e, np.zeros(6), e, 3, 0)
        np.testing.assert_allclose(t, c, rtol=0, atol=1e-8 * abs(c).max(), err_msg=str(e))

    # a law with a cubic term: its exact tangent C + diag(3 k e^2)
    k = 1e7

    def cubic(stress, strain, props, ntens, ndi):
        stress[:] = c @ strain + k * strain ** 3
    for e in strains[:2] + strains[-20:]:
        exact = c + np.diag(3 * k * e ** 2)
        t = el.getnumericaltangent(cubic, ORTHO, np.zeros(6), np.zeros(6), e, 3, 0)
        np.testing.assert_allclose(t, exact, rtol=0, atol=1e-8 * abs(exact).max(), err_msg=str(e))


def test_reference_tangent_shortcut(el):
    c = ortho_stiffness(*ORTHO)
    calls = []

    def law(stress, strain, props, ntens, ndi):
        calls.append(1)
        stress[:] = 2 * c @ strain

    de = np.array([1.0, 2.0, 0.0, 0.0, 0.0, 1.0]) * 1e-3
    tgref = np.eye(6) * 4.0
    t = el.getnumericaltangent(law, ORTHO, tgref @ de, np.zeros(6), de, 3, 0, tgref=tgref)
    np.testing.assert_array_equal(t, tgref)
    assert calls == []
    # not reproduced exactly, or all zero: differentiate
    t = el.getnumericaltangent(law, ORTHO, tgref @ de + 1e-12, np.zeros(6), de, 3, 0, tgref=tgref, h=1e-4)
    np.testing.assert_allclose(t, 2 * c, rtol=1e-9, atol=1e-9 * abs(c).max())
    assert len(calls) == 12
    el.getnumericaltangent(law, ORTHO, np.zeros(6), np.zeros(6), np.zeros(6), 3, 0, tgref=np.zeros((6, 6)))
    assert len(calls) == 24


def test_isotropic_dispatcher(vx, el):
    e, nu = 3000.0, 0.35
    lame = el.getstressfromisotropicviscoelasticity(STRAIN, [e, 5.0, nu, 0.0, 0.0], 3)
    np.testing.assert_allclose(lame, iso_stiffness(e, nu) @ STRAIN, rtol=1e-12)
    # a purely deviatoric strain: the nonlinear laws reduce the Lame stress by their secant factor
    dev = np.array([1e-3, -1e-3, 0.0, 2e-3, 0.0, 0.0])
    base = el.getstressfromisotropicviscoelasticity(dev, [e, 0.0, nu, 0.0, 0.0], 3)
    gamma = 20.0
    normdev = math.sqrt(2 * 1e-6 + 2 * 1e-6)
    gammag = gamma * math.sqrt(1.5) / (1 + nu)
    for flag, law in ((1.0, vx.nlcollection.nlkaestner), (2.0, vx.nlcollection.nlkrause)):
        np.testing.assert_allclose(el.getstressfromisotropicviscoelasticity(dev, [e, gamma, nu, 0.0, flag], 3),
                                   (1 - law(gammag, normdev)) * base, rtol=1e-12, atol=1e-15)
    # non-constant Poisson ratio: Hooke with the softened shear modulus and the ratio solving
    # nu' = nu + num (E - 2 G (1 + nu')), capped at 0.47
    t = np.diag(STRAIN[:3]) + 0.5 * np.array([[0, STRAIN[3], STRAIN[4]], [STRAIN[3], 0, STRAIN[5]],
                                              [STRAIN[4], STRAIN[5], 0]])
    ge = e / (2 * (1 + nu)) / (gamma * math.sqrt(2) * np.linalg.norm(t - np.trace(t) / 3 * np.eye(3)) + 1)
    for num in (1e-6, 1e-3):
        nue = min((nu + num * e - 2 * num * ge) / (1 + 2 * num * ge), 0.47)
        np.testing.assert_allclose(el.getstressfromisotropicviscoelasticity(STRAIN, [e, gamma, nu, num, 3.0], 3),
                                   iso_stiffness(2 * ge * (1 + nue), nue) @ STRAIN, rtol=1e-12)
    # an unknown selector applies no law
    np.testing.assert_array_equal(el.getstressfromisotropicviscoelasticity(STRAIN, [e, gamma, nu, 0, 7.0], 3), 0)


def test_fitted_deviatoric_volumetric_law(el):
    s, t = el.getstressfromdevvoldecomposition(np.zeros(6), [0, 0, 0, 0, 1.0], 3)
    assert t[0, 0] == pytest.approx(2 / 3 * 2541.75978925 + 4871.70629979)
    assert t[0, 1] == pytest.approx(4871.70629979 - 2541.75978925 / 3)
    assert t[3, 3] == pytest.approx(2692.3559712 / 2)
    for strain in (STRAIN, -STRAIN, 40 * STRAIN):
        s, t = el.getstressfromdevvoldecomposition(strain, [0, 0, 0, 0, 1.0], 3)
        np.testing.assert_allclose(s, t @ strain, rtol=1e-12)  # the secant moduli reproduce the stress
    _, tc = el.getstressfromdevvoldecomposition(np.array([-1e-9, 0, 0, 0, 0, 0]), [0, 0, 0, 0, 1.0], 3)
    assert tc[0, 1] == pytest.approx(7992.37025439 - 2844.74195527 / 3, rel=1e-6)
    s, t = el.getstressfromdevvoldecomposition(STRAIN, [0, 0, 0, 0, 2.0], 3)
    assert not s.any() and not t.any()


def test_nonlinear_isotropic_fixed_point(vx, el, capfd):
    props = [3000.0, 0.0, 1100.0, 0.35, 0.0]
    np.testing.assert_allclose(el.getstressfromnonlinearisotropic(STRAIN, props, 3),
                               iso_stiffness(3000.0, 0.35)[:6, :6] @ STRAIN * np.r_[1, 1, 1, 0, 0, 0]
                               + np.r_[0, 0, 0, 1100.0 * STRAIN[3:]], rtol=1e-12)
    assert capfd.readouterr().out == ""
    # a fixed point that needs extra iterations: each prints its counter
    eini, nuini = 10000.0, 0.05
    strain = 40 * STRAIN
    nn = np.linalg.norm(strain[:3])
    gamman = 1.0 / nn
    s = el.getstressfromnonlinearisotropic(strain, [eini, gamman, 1100.0, nuini, 50.0], 3)
    lines = capfd.readouterr().out.splitlines()
    assert 1 <= len(lines) <= 6 and all(ln.split()[0] == "Iteration" for ln in lines)
    assert [int(ln.split()[1]) for ln in lines] == list(range(len(lines)))
    # the returned stress is isotropic Hooke with a pair (E, nu) that is a fixed point to the tolerance
    a = (s[0] - s[1]) / (strain[0] - strain[1])  # E / (1 + nu)
    b = s[:3].sum() / strain[:3].sum()  # E / (1 - 2 nu)
    nu = (b - a) / (a + 2 * b)
    e = a * (1 + nu)
    assert e == pytest.approx(eini / ((gamman / math.sqrt(nu * nu + 1)) * nn + 1), rel=0.01)
    assert nu == pytest.approx(min(0.46, (eini - e) * 4e-5 + nuini), rel=0.01)
    ns = np.linalg.norm(strain[3:])
    np.testing.assert_allclose(s[3:], 1100.0 / (ns * 50.0 + 1) * strain[3:], rtol=1e-12)
    # the Poisson ratio never passes 0.46
    s = el.getstressfromnonlinearisotropic(strain, [1e5, 1e3, 1100.0, 0.3, 0.0], 3)
    a, b = (s[0] - s[1]) / (strain[0] - strain[1]), s[:3].sum() / strain[:3].sum()
    assert (b - a) / (a + 2 * b) == pytest.approx(0.46)
    capfd.readouterr()
    # the normal norm takes three components: a shorter strain is refused, not read past
    with pytest.raises(vx.error):
        el.getstressfromnonlinearisotropic(STRAIN[:2], props, 1)


def test_tabulated_law_with_constant_tables_is_hooke(vx):
    e, nu = 3000.0, 0.35
    k, g = e / (3 * (1 - 2 * nu)), e / (2 * (1 + nu))
    md = vx.materialdata
    md.temperatures = np.array([250.0, 350.0])
    try:
        for name, value in (("alpha1props", 3 * k), ("alpha2props", 2 * g), ("alpha3props", 2 * g)):
            t = np.zeros((2, 3, 2), order="F")
            t[:, :, 0] = [-1.0, 0.0, 1.0]
            t[:, :, 1] = value
            setattr(md, name, t)
            setattr(md, name.replace("props", "data").replace("alpha", "nalpha"), 3)
        s = vx.elasticity.getstressfromcubicelasticity(STRAIN, [300.0, 0.5], 3, [0.0], 1)
        np.testing.assert_allclose(s, 0.5 * iso_stiffness(e, nu) @ STRAIN, rtol=1e-12)
        md.alpha2props = None  # a table the card did not fill: refused, no stress
        s = vx.elasticity.getstressfromcubicelasticity(STRAIN, [300.0, 0.5], 3, [0.0], 1)
        assert int(vx.errorhandling.errstat) == -2
    finally:
        for name in ("temperatures", "alpha1props", "alpha2props", "alpha3props"):
            setattr(md, name, None)


def test_tension_compression_picker(vx):
    full = np.arange(1.0, 10.0)
    f = vx.elasticity.getcomponentstensioncompression
    np.testing.assert_array_equal(f(full, [1, 1, 1, 0, 0, 0]), [1, 3, 5, 7, 8, 9])
    np.testing.assert_array_equal(f(full, [-1, 0, 2, 9, 9, 9]), [2, 4, 5, 7, 8, 9])


def test_native_laws_refuse_what_they_would_read_past():
    """Called natively (here through the numerical tangent or their symbols)
    with fewer constants or components than they read, the laws record -2 and
    give NaN, which the tangent carries: no read past the arrays, no garbage."""
    code = """
import ctypes, json, numpy as np, _vexlan as vx
el, eh = vx.elasticity, vx.errorhandling
lib = ctypes.CDLL(vx.__file__)
e6 = np.array([1e-3, -2e-3, 5e-4, 3e-3, -1e-3, 2e-3])
ortho = [140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3]
def record():
    r = (int(eh.errstat), bytes(eh.errstring).decode().rstrip())
    eh.rsxerr(1)
    return r
out = []
for name, props, n, method in (("getstressfromisotropicviscoelasticity", [3e3, 0.35], 6, 0),
                               ("getstressfromisotropicviscoelasticity", [3e3, 5.0, 0.35, 0.0, 0.0], 3, 0),
                               ("getstressfromnonlinearisotropic", [3e3, 0.0], 6, 0),
                               ("getstressfromorthotropicelasticity", ortho, 5, 0),
                               ("real_getstressfromanisotropichyperelasticity", np.ones(20), 6, 0),
                               ("cmplx_getstressfromanisotropichyperelasticity", np.ones(20), 6, 1)):
    t = el.getnumericaltangent(getattr(el, name)._cpointer, props, np.zeros(n), np.zeros(n), e6[:n], 3, 0,
                               h=1e-4, nmflag=method)
    out.append([bool(np.isnan(t).all()), *record()])
i4 = lambda v: ctypes.byref(ctypes.c_int32(v))
ptr = lambda a: a.ctypes.data_as(ctypes.c_void_p)
stress, ddsdde, props = np.zeros(6), np.zeros(36), np.array([0.0, 1.0])
lib.GetStressFromDevVolDecomposition(ptr(stress), ptr(e6), ptr(props), i4(6), i4(3), i4(2), ptr(ddsdde))
out.append([bool(np.isnan(stress).all() and np.isnan(ddsdde).all()), *record()])
# A negative ntens or ndi writes nothing outside the caller's arrays.
fitted, guarded = np.array([0.0, 0.0, 0.0, 0.0, 1.0]), np.full(52, 7.0)
for nt, nd in ((-6, 3), (6, -1)):
    stress = np.zeros(6)
    lib.GetStressFromDevVolDecomposition(ptr(stress), ptr(e6), ptr(fitted), i4(nt), i4(nd), i4(5), ptr(guarded[8:]))
    out.append([bool((guarded[:8] == 7).all() and (guarded[44:] == 7).all()), *record()])
stress = np.zeros(6)
lib.GetStressFromCubicElasticity(ptr(stress), ptr(e6), ptr(props), i4(6), i4(3), i4(1), ptr(props), i4(1))
out.append([bool(np.isnan(stress).all()), *record()])
print(json.dumps(out))
"""
    out, rc = run_python(code)
    assert rc == 0, out
    few, dim = "Too few material properties in ", "Unsupported dimension in "
    assert [tuple(r) for r in json.loads(out)] == [
        (True, -2, few + "GetStressFromIsotropicViscoElasticity"),
        (True, -2, dim + "GetStressFromIsotropicViscoElasticity"),
        (True, -2, few + "GetStressFromNonlinearIsotropic"),
        (True, -2, dim + "GetStressFromOrthotropicElasticity"),
        (True, -2, few + "fGetStressFromAnisotropicHyperelasticity"),
        (True, -2, few + "cGetStressFromAnisotropicHyperelasticity"),
        (True, -2, few + "GetStressFromDevVolDecomposition"),
        (True, -2, dim + "GetStressFromDevVolDecomposition"),
        (True, -2, dim + "GetStressFromDevVolDecomposition"),
        (True, -2, few + "GetStressFromCubicElasticity"),
    ]


@pytest.mark.parametrize("routine, scalars_before, scalars_after", [
    ("GetLameStress", 1, 2), ("GetKaestnerStress", 3, 4), ("GetKrauseStress", 3, 4),
    ("GetStressFromNonConstPoisson", 3, 5)])
def test_secant_stresses_refuse_more_than_three_direct_components(vx, lib, routine, scalars_before, scalars_after):
    # The stress tensor is 3 x 3: from C an ndi of 4 would write a 4 x 4 block past it.
    d = lambda v: ctypes.byref(ctypes.c_double(v))
    dev, sig = np.full(16, 1e-3), np.full(16, 7.0)  # room for what a 4 x 4 block would reach
    args = [d(0.5)] * scalars_before + [dev.ctypes.data_as(ctypes.c_void_p)] + [d(0.5)] * scalars_after
    getattr(lib, routine)(*args, sig.ctypes.data_as(ctypes.c_void_p), ctypes.byref(ctypes.c_int32(4)))
    assert error_record(vx) == (-2, f"More than 3 direct components in {routine}")
    assert np.all(sig == 7.0)
