"""Pressure-dependent plasticity update: predictor, corrector, tangent, gradients, progress lines."""
import json

import numpy as np
import pytest

from conftest import run_python

PROPS = np.array([3000.0, 3200.0, 1100.0, 0.35, 0.38, 400.0, 10.0, 0.5])  # et ec g nut nuc a0 a1 alpha


def mises2(s):
    return 0.5 * ((s[0] - s[1]) ** 2 + (s[1] - s[2]) ** 2 + (s[2] - s[0]) ** 2) + 3 * (s[3] ** 2 + s[4] ** 2 + s[5] ** 2)


def yield_f(s, a0, a1):
    return mises2(s) - a0 - a1 * (s[0] + s[1] + s[2]) / 3


def elastic(e, nu, g):
    f = e / ((1 - 2 * nu) * (1 + nu))
    c = np.zeros((6, 6))
    c[:3, :3] = f * nu
    np.fill_diagonal(c[:3, :3], f * (1 - nu))
    c[3:, 3:] = 2 * g * np.eye(3)
    return c


def update(vx, dstran, props=PROPS):
    return vx.elasticity.getstressfromplastitcity(0.0, np.zeros(6), dstran, props, 3, 8, 293.0)


def test_elastic_step_and_progress_lines(vx, capfd):
    d = np.array([1e-3, -2e-4, -2e-4, 1e-3, 0.0, 0.0])  # positive trace: tension constants
    s, t = update(vx, d)
    c = elastic(3000.0, 0.35, 1100.0)
    tensor = d * np.r_[1, 1, 1, 0.5, 0.5, 0.5]
    np.testing.assert_allclose(s, c @ tensor, rtol=1e-13)
    np.testing.assert_allclose(t, c, rtol=1e-13)
    out = capfd.readouterr().out.splitlines()
    assert out[0].strip() == "START PLASTICITY CALCULATION" and out[9].strip() == "Stiffness Matrix"
    assert float(out[1].split()[1]) == 3000.0 and float(out[3].split()[1]) == 0.35
    # the printed uniaxial yield stress is the root of F on the 11 axis
    y = float(out[7].split()[2])
    assert yield_f([y, 0, 0, 0, 0, 0], 400.0, 10.0) == pytest.approx(0.0, abs=1e-9)
    np.testing.assert_allclose(np.array(out[10].split(), float).reshape(6, 6, order="F"), c, rtol=1e-15)
    # a negative trace takes the compression constants
    s, t = update(vx, -d)
    np.testing.assert_allclose(t, elastic(3200.0, 0.38, 1100.0), rtol=1e-13)
    props = PROPS.copy()
    props[6] = 0.0
    capfd.readouterr()
    update(vx, np.zeros(6), props)
    assert float(capfd.readouterr().out.splitlines()[7].split()[2]) == pytest.approx(20.0)


def test_plastic_step_returns_to_the_surface_with_a_consistent_tangent(vx, capfd):
    d = np.array([0.0095, -0.003, -0.003, 0.002, 0.0, 0.0])
    s, t = update(vx, d)
    assert yield_f(s, 400.0, 10.0) == pytest.approx(0.0, abs=1e-4)
    out = capfd.readouterr().out
    assert "Plastic Corrector" in out and "plastische Iterationen" in out
    assert int(vx.errorhandling.errstat) == 0
    # just past the onset of yield the tangent matches the finite-difference tangent of the update
    # (columns per tensor strain: the update takes engineering shears)
    c = elastic(3000.0, 0.35, 1100.0)
    scale = np.r_[1, 1, 1, 0.5, 0.5, 0.5]
    lo, hi = 0.0, 1.0
    for _ in range(200):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if yield_f(c @ (mid * d * scale), 400.0, 10.0) < 0 else (lo, mid)
    d = d * hi * 1.0005
    s, t = update(vx, d)
    h = 1e-8
    fd = np.zeros((6, 6))
    for j in range(6):
        dp, dm = d.copy(), d.copy()
        step = h * (2 if j >= 3 else 1)
        dp[j] += step
        dm[j] -= step
        fd[:, j] = (update(vx, dp)[0] - update(vx, dm)[0]) / (2 * h)
    capfd.readouterr()
    np.testing.assert_allclose(t, fd, rtol=5e-3, atol=5e-3 * abs(fd).max())
    # perfectly plastic along the flow direction only: rank 5, not the zero matrix
    g = vx.elasticity.getderivateg(s, 0.5)
    np.testing.assert_allclose(t @ g, 0.0, atol=1e-9 * abs(c @ g).max())
    assert np.linalg.matrix_rank(t, tol=1e-8 * abs(t).max()) == 5


def test_equivalent_plastic_strain_line(vx, capfd):
    # the kept estimate: the old value plus the norm of the plastic strain increment
    d = np.array([0.0095, -0.003, -0.003, 0.002, 0.0, 0.0])
    s, _ = vx.elasticity.getstressfromplastitcity(0.25, np.zeros(6), d, PROPS, 3, 8, 293.0)
    c = elastic(3000.0, 0.35, 1100.0)
    dep = np.linalg.solve(c, c @ (d * np.r_[1, 1, 1, 0.5, 0.5, 0.5]) - s)
    kept = [ln for ln in capfd.readouterr().out.splitlines() if ln.split()[0] == "newEqPlasticStrain"]
    assert float(kept[0].split()[1]) == pytest.approx(0.25 + np.linalg.norm(dep), rel=1e-12)


def test_associated_flow_tangent_and_unconverged_corrector(vx, capfd):
    props = PROPS.copy()
    props[6:8] = 0.0  # von Mises: gradients of F and G coincide
    s, t = update(vx, np.array([0.01, -0.004, -0.004, 0.0, 0.0, 0.0]), props)
    capfd.readouterr()
    assert yield_f(s, 400.0, 0.0) == pytest.approx(0.0, abs=1e-4)
    f = vx.elasticity.getderivatef(s, 400.0, 0.0)
    # no stiffness along the flow direction, elastic stiffness across it
    c = elastic(3000.0, 0.35, 1100.0)
    np.testing.assert_allclose(f @ t, 0.0, atol=1e-9 * abs(f @ c).max())
    assert np.linalg.matrix_rank(t) == 5
    # far beyond the surface the corrector stops after its iterations, and says so
    update(vx, np.array([0.95, 0.4, 0.1, 1.0, 0.0, 0.0]), props)
    out = capfd.readouterr().out
    assert out.count("dlambda_np1") == 10
    assert int(vx.errorhandling.errstat) == -1


def test_gradients_of_yield_function_and_flow_potential(vx):
    rng = np.random.default_rng(3)
    s = rng.normal(size=6) * 10
    a0, a1, alpha = 400.0, 10.0, 0.7
    pot = lambda x: mises2(x) + alpha * ((x[0] + x[1] + x[2]) / 3) ** 2
    h = 1e-5
    num_f = [(yield_f(s + h * e, a0, a1) - yield_f(s - h * e, a0, a1)) / (2 * h) for e in np.eye(6)]
    num_g = [(pot(s + h * e) - pot(s - h * e)) / (2 * h) for e in np.eye(6)]
    np.testing.assert_allclose(vx.elasticity.getderivatef(s, a0, a1), num_f, rtol=1e-8)
    np.testing.assert_allclose(vx.elasticity.getderivateg(s, alpha), num_g, rtol=1e-8)
    # plane stress (11, 22, 12): the 33, 13, 23 entries are taken at zero stress
    f3 = vx.elasticity.getderivatef([3.0, 1.0, 2.0], a0, a1)
    np.testing.assert_allclose(f3, vx.elasticity.getderivatef([3.0, 1.0, 0.0, 2.0, 0.0, 0.0], a0, a1))
    g4 = vx.elasticity.getderivateg([3.0, 1.0, -1.0, 2.0], alpha)
    np.testing.assert_allclose(g4, vx.elasticity.getderivateg([3.0, 1.0, -1.0, 2.0, 0.0, 0.0], alpha))


def test_native_call_with_too_little_is_refused():
    """Natively, too few constants or components the 6 x 6 update cannot hold
    record -2 and give NaN stress and tangent in the caller's extents, without
    a read or write past the arrays, a progress line or a changed plastic
    strain."""
    code = """
import ctypes, json, numpy as np, _vexlan as vx
eh = vx.errorhandling
lib = ctypes.CDLL(vx.__file__)
i4 = lambda v: ctypes.byref(ctypes.c_int32(v))
ptr = lambda a: a.ctypes.data_as(ctypes.c_void_p)
d = np.array([0.0095, -0.003, -0.003, 0.002, 0.0, 0.0])
out = []
for nprops, ntens, ndi in ((2, 6, 3), (7, 6, 3), (8, 6, 7), (8, 6, -1), (8, 3, 3), (8, 7, 3)):
    props = np.array([3000.0, 3200.0, 1100.0, 0.35, 0.38, 400.0, 10.0, 0.5][:nprops])
    stress, ddsdde, eq = np.full(8, 5.0), np.full(64, 5.0), np.array([0.25])
    lib.getstressfromplastitcity(ptr(stress), ptr(eq), ptr(ddsdde), ptr(np.zeros(8)), ptr(np.r_[d, 0, 0]),
                                 ptr(props), i4(ntens), i4(ndi), i4(nprops), ptr(np.array([293.0])))
    n = ntens
    out.append([bool(np.isnan(stress[:n]).all() and (stress[n:] == 5).all() and np.isnan(ddsdde[:n * n]).all()
                     and (ddsdde[n * n:] == 5).all() and eq[0] == 0.25),
                int(eh.errstat), bytes(eh.errstring).decode().rstrip()])
    eh.rsxerr(1)
print(json.dumps(out))
"""
    out, rc = run_python(code)
    assert rc == 0, out
    few = [True, -2, "Too few material properties in getstressfromplastitcity"]
    dim = [True, -2, "Unsupported dimension in getstressfromplastitcity"]
    assert out.decode().splitlines() == [json.dumps([few, few, dim, dim, dim, dim])]


def gradients(s, a1, alpha):
    """Gradients of F = svm^2 - a0 - a1 p and G = svm^2 + alpha p^2 (shear entries per tensor shear stress)."""
    tr = s[0] + s[1] + s[2]
    dev = np.array([3 * s[0] - tr, 3 * s[1] - tr, 3 * s[2] - tr, 6 * s[3], 6 * s[4], 6 * s[5]])
    p = (s[0] + s[1] + s[2]) / 3
    return dev - np.r_[1, 1, 1, 0, 0, 0] * a1 / 3, dev + np.r_[1, 1, 1, 0, 0, 0] * 2 * alpha * p / 3


def onset(d, c):
    """The increment along d whose elastic stress reaches the yield surface."""
    scale = np.r_[1, 1, 1, 0.5, 0.5, 0.5]
    lo, hi = 0.0, 1.0
    while yield_f(c @ (hi * d * scale), 400.0, 10.0) < 0:
        hi *= 2
    for _ in range(80):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if yield_f(c @ (mid * d * scale), 400.0, 10.0) < 0 else (lo, mid)
    return d * hi


@pytest.mark.parametrize("d, props", [
    ([0.0095, -0.003, -0.003, 0.002, 0.0, 0.0], PROPS),      # tension
    ([-0.02, 0.004, 0.006, 0.0, 0.003, -0.002], PROPS),      # compression constants
    ([0.001, -0.001, 0.0, 0.012, -0.006, 0.004], PROPS),     # shear
    ([0.01, -0.004, -0.004, 0.0, 0.0, 0.0], np.r_[PROPS[:6], 0.0, 0.0]),   # von Mises
    ([-0.01, -0.005, 0.0, 0.01, 0.0, 0.0], np.r_[PROPS[:6], 40.0, 2.0]),  # strong pressure terms
])
def test_tangent_is_the_continuum_elastoplastic_one(vx, capfd, d, props):
    d = np.array(d)
    s, t = update(vx, d, props)
    capfd.readouterr()
    tension = d[:3].sum() >= 0
    c = elastic(props[0 if tension else 1], props[3 if tension else 4], props[2])
    f, g = gradients(s, props[6], props[7])
    assert yield_f(s, props[5], props[6]) == pytest.approx(0.0, abs=1e-4)  # plastic: on the surface
    assert int(vx.errorhandling.errstat) == 0
    ref = c - np.outer(c @ g, f @ c) / (f @ c @ g)
    np.testing.assert_allclose(t, ref, rtol=1e-9, atol=1e-9 * np.abs(c).max())
    # not a multiple of the elastic matrix
    assert np.linalg.matrix_rank(t, tol=1e-8 * np.abs(t).max()) == 5


@pytest.mark.parametrize("factor, median", [(1.1, (0.04, 0.09)), (1.5, (0.20, 0.34)), (2.0, (0.40, 0.58))])
def test_tangent_is_not_the_algorithmic_one(vx, capfd, factor, median):
    # Finite differences of the update (per tensor strain) move away from the
    # continuum tangent as the plastic part of the increment grows.
    rng = np.random.default_rng(17)
    scale = np.r_[1, 1, 1, 2, 2, 2]  # tensor strain step h as engineering shear 2h
    rel = []
    for _ in range(40):
        d = rng.normal(size=6)
        c = elastic(3000.0, 0.35, 1100.0) if d[:3].sum() >= 0 else elastic(3200.0, 0.38, 1100.0)
        d = factor * onset(d, c)
        s, t = update(vx, d)
        h = 1e-5 * np.abs(d).max()
        fd = np.column_stack([(update(vx, d + h * scale * e)[0] - update(vx, d - h * scale * e)[0]) / (2 * h)
                              for e in np.eye(6)])
        rel.append(np.linalg.norm(t - fd) / np.linalg.norm(fd))
    capfd.readouterr()
    assert int(vx.errorhandling.errstat) == 0
    assert median[0] <= np.median(rel) <= median[1]
