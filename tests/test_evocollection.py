"""Damage evolution laws: regularisation, traction norms, bilinear softening, delamination growth strain."""
import ctypes

import numpy as np
import pytest

from conftest import error_record

rng = np.random.default_rng(7)


def test_time_regularization_is_a_weighted_mean(vx):
    d_old, d_new = rng.random(5), rng.random(5)
    np.testing.assert_allclose(vx.evocollection.timeregularization(d_old, d_new, 0.3, 0.0), d_new, rtol=1e-15)
    for dt in (1e-3, 2.0):
        np.testing.assert_allclose(vx.evocollection.timeregularization(d_old, d_new, dt, 1.0),
                                   (d_old + d_new) / 2, rtol=1e-15)
        np.testing.assert_allclose(vx.evocollection.timeregularization(d_old, d_new, dt, 3.0),
                                   (3 * d_old + d_new) / 4, rtol=1e-15)


def test_traction_norm_on_coordinate_planes(vx):
    v = rng.normal(size=6)  # Voigt order 11, 22, 33, 23, 13, 12
    t = np.array([[v[0], v[5], v[4]], [v[5], v[1], v[3]], [v[4], v[3], v[2]]])
    for nn in (1, 2, 3):
        assert vx.evocollection.equivalentquadstressstrain(v, nn) == pytest.approx(np.linalg.norm(t[:, nn - 1]))
    with pytest.raises(vx.error):
        vx.evocollection.equivalentquadstressstrain(v, 4)


def test_bilinear_softening(vx):
    eps0, sig, gc, lc = 0.01, 50.0, 2.0, 1.0
    d, eps1 = vx.evocollection.bilinearevolution(eps0, eps0, sig, gc, lc, 0.0)
    assert 0.5 * sig * eps1 == pytest.approx(gc / lc) and d == 0.0  # dissipated energy per volume: gc / lc
    d, _ = vx.evocollection.bilinearevolution(eps1, eps0, sig, gc, lc, 0.0)
    assert d == pytest.approx(1.0)
    # the secant stress (1 - d) E eps falls linearly from sig at eps0 to 0 at eps1
    e_mod = sig / eps0
    for eps in np.linspace(eps0, eps1, 7):
        d, _ = vx.evocollection.bilinearevolution(eps, eps0, sig, gc, lc, 0.0)
        assert (1 - d) * e_mod * eps == pytest.approx(sig * (eps1 - eps) / (eps1 - eps0), abs=1e-9)
    # a small length keeps the given final strain; a small gc still gives at least 1.2 eps0
    assert vx.evocollection.bilinearevolution(0.02, eps0, sig, gc, 0.0005, 0.05)[1] == 0.05
    assert vx.evocollection.bilinearevolution(0.02, eps0, sig, 1e-9, lc, 0.05)[1] == pytest.approx(0.012)


def test_rhead_growth_strain(vx):
    assert vx.evocollection.dgstrainrhead(0.0, 0.3, 1e5) == 0.0
    eps_c, gic, a11 = -0.002, 0.25, 5e4
    for r in (0.0, 0.4):
        g = vx.evocollection.dgstrainrhead(eps_c, gic, a11, r)
        # growth strain x solves (1-r) x^2 + 2 (1+r) eps_c x - (1-r)(3+r) eps_c^2 - ... quadratic in x:
        # (x (1-r) / eps_c + (1+r))^2 = (1-r)(2 gic/(eps_c^2 a11) + 3 + r) + (1+r)^2
        lhs = (g * (1 - r) / eps_c + (1 + r)) ** 2
        rhs = (1 - r) * (2 * gic / (eps_c**2 * a11) + 3 + r) + (1 + r) ** 2
        assert lhs == pytest.approx(rhs, rel=1e-12)
    assert vx.evocollection.dgstrainrhead(eps_c, gic, a11) == vx.evocollection.dgstrainrhead(eps_c, gic, a11, 0.0)


def test_traction_norm_plane_outside_1_to_3_natively(vx, lib):
    # C callers get no argument check from the binding: the routine refuses itself
    tens = np.array([5.0, 1.0, 2.0, 0.5, 0.25, 3.0])
    for nn in (0, 4, -2**31):
        vx.errorhandling.rsxerr(1)
        out = ctypes.c_double(-7.0)
        lib.EquivalentQuadStressStrain(tens.ctypes.data_as(ctypes.c_void_p), ctypes.byref(ctypes.c_int32(nn)),
                                       ctypes.byref(out))
        assert out.value == -7.0
        assert error_record(vx) == (-2, "Error in EquivalentQuadStressStrain: nn must be 1, 2 or 3.")
