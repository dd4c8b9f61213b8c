"""Secant reductions of the nonlinear shear laws, residual stiffness over cycles, transitions."""
import math

import numpy as np
import pytest

from conftest import error_record as record


@pytest.fixture
def nl(vx):
    return vx.nlcollection


def cubic_stress(g, beta, gamma):
    """tau of gamma = tau / G + beta tau^3 (the one real root, same sign as gamma)."""
    r = np.roots([beta, 0.0, 1.0 / g, -gamma])
    return float(r[np.argmin(abs(r.imag))].real)


def test_exponential_and_hyperbolic_laws(nl):
    for eps in (0.0, 1e-3, 0.02, 0.3):
        for beta in (0.5, 40.0):
            k, kr = nl.nlkaestner(beta, eps), nl.nlkrause(beta, eps)
            # even in the strain, secant stiffness as the laws state it
            assert k == nl.nlkaestner(beta, -eps) and kr == nl.nlkrause(beta, -eps)
            assert 1.0 - k == pytest.approx(1.0 / (1.0 + beta * eps), rel=1e-14)
            assert 1.0 - kr == pytest.approx(math.exp(-beta * eps), rel=1e-14)


@pytest.mark.parametrize("g,beta,gamma", [(5000.0, 1e-7, 0.02), (4000.0, 5e-8, -0.035), (3500.0, 2e-6, 0.01)])
def test_hahn_tsai_on_the_shear_curve_is_the_secant_reduction(vx, nl, g, beta, gamma):
    tau = cubic_stress(g, beta, gamma)
    # a point of the curve: the reduced secant modulus gives back its stress
    dnl = nl.pure_nlhahntsai(g, beta, tau, gamma)
    assert dnl == pytest.approx(1.0 - tau / (g * gamma), rel=1e-12)
    assert nl.pure_nlhahntsai(g, beta, tau, 0.0) == 0.0
    # the library form takes (tau, gamma, G, beta) in one array
    args = [tau, gamma, g, beta]
    assert nl.recu_nlhahntsai(args) == dnl and nl.recu_nlhahntsai(args, ns=7) == dnl
    assert nl.recu_nlhahntsai(args, ns=2) == pytest.approx(tau, rel=1e-12)
    # the iteration from a poor start ends on the curve (tolerance 0.001 in stress)
    for start in (0.0, 0.5 * tau, 3.0 * tau):
        d = nl.recu_nlhahntsai([start, gamma, g, beta], ns=1)
        assert d * g * gamma == pytest.approx(g * gamma - tau, abs=1e-3)
    assert record(vx)[0] == 0


def test_hahn_tsai_short_argument_list_is_refused(vx):
    assert vx.nlcollection.recu_nlhahntsai([1.0, 0.01, 5000.0]) == 0.0
    assert record(vx)[0] == -2


def test_temperature_transitions(nl):
    props = [3500.0, 400.0, 30.0]  # glassy plateau, transition temperature, rubbery plateau
    assert nl.nlmahieux(0.0, props, [20.0]) == 3500.0
    assert nl.nlmahieux(600.0, props, [20.0]) == pytest.approx(30.0, rel=1e-12)
    # at the transition temperature the drop is 1 - 1/e of the step
    assert nl.nlmahieux(400.0, props, [20.0]) == pytest.approx(30.0 + 3470.0 / math.e)
    two = [3500.0, 300.0, 2000.0, 450.0, 30.0]
    assert nl.nlmahieux(375.0, two, [40.0, 40.0]) == pytest.approx(2000.0, rel=1e-3)
    with pytest.raises(ValueError):  # the count of transitions is that of the widths given
        nl.nlmahieux(375.0, two, [40.0, 40.0], ntrans=1)
    # hyperbolic tangent: mean of the plateaus at t = 0, the far plateaus at large |t|
    assert nl.nlgibson(0.0, props, [1.0]) == pytest.approx((3500.0 + 30.0) / 2)
    assert nl.nlgibson(1e5, props, [1.0]) == pytest.approx(30.0, abs=1e-9)
    assert nl.nlgibson(-1e5, props, [1.0]) == pytest.approx(3500.0, abs=1e-9)


def test_adam_residual_stiffness(vx, nl):
    """Nothing is lost before the knee, the law holds in between, past the life
    the end-of-life stiffness stays; a life that ends at the knee has no span
    and is refused."""
    l, x, nf, lg = 70.0, 40.0, 1e6, [100.0, 100.0]
    # half the log life past a knee at 1 cycle: r = (1 - 0.5^beta)^(1/alpha)
    r = (1.0 - 0.5**2.0) ** (1.0 / 1.5)
    assert nl.nladam(l, x, 1e3, nf, 1.5, 2.0, [1.0, 1.0]) == pytest.approx(1.0 - ((l - x) * r + x) / l)
    assert nl.nladam(l, x, 0.25, nf, 1.5, 2.0) == pytest.approx(0.0, abs=1e-15)  # default knee
    for alpha, beta in ((1.5, 2.5), (0.7, 1.0), (2.0, 2.0)):
        for n in (0.0, 1.0, 99.9):
            assert nl.nladam(l, x, n, nf, alpha, beta, lg) == 0.0, (n, alpha, beta)
        for n in (nf, 1e7, float("inf")):
            assert nl.nladam(l, x, n, nf, alpha, beta, lg) == pytest.approx(1.0 - x / l, rel=1e-15), (n, alpha, beta)
        # monotone over the whole range, also across the knee
        d = [nl.nladam(l, x, n, nf, alpha, beta, lg) for n in np.logspace(0, 8, 33)]
        assert np.all(np.diff(d) >= 0.0) and np.all(np.isfinite(d))
    assert record(vx)[0] == 0
    for bad_nf in (100.0, 10.0, 0.0):
        vx.errorhandling.rsxerr(1)
        assert math.isnan(nl.nladam(l, x, 1e3, bad_nf, 1.5, 2.0, lg))
        assert record(vx) == (-2, "Error in NLAdam: cycles to failure must lie above the knee.")


def test_hahn_tsai_at_huge_stress(vx, nl):
    """Far above the shear curve the value tends to 1 - 2 tau / (3 G gamma);
    computing tau^3 must not overflow on the way (exact rational oracle)."""
    from fractions import Fraction as F
    for g, beta, tau, gamma in ((5000.0, 1e-7, 1e110, 0.02), (5000.0, 1e-7, -3e160, 0.02),
                                (4000.0, 5e-8, 2e200, -1e-3), (3500.0, 2e-6, 7e102, 0.5)):
        u = F(beta) * F(g) * F(tau) ** 2
        exact = (3 * u - 2 * F(beta) * F(tau) ** 3 / F(gamma)) / (1 + 3 * u)
        assert nl.pure_nlhahntsai(g, beta, tau, gamma) == pytest.approx(float(exact), rel=1e-14), tau
        assert nl.recu_nlhahntsai([tau, gamma, g, beta]) == pytest.approx(float(exact), rel=1e-14)
    assert record(vx)[0] == 0
    # a value beyond the range of a double is not finite, and says so
    assert not math.isfinite(nl.pure_nlhahntsai(5000.0, 1e-7, 1e200, 1e-300))
    assert record(vx) == (-2, "Error in NLHahnTsai: secant reduction out of range.")


def test_mahieux_with_a_negative_transition_count(vx, lib):
    # props holds 2 ntrans + 1 values: a negative count leaves no plateau to read.
    import ctypes
    f = lib.NLMahieux
    f.restype = ctypes.c_double
    props = np.array([5.0])
    v = f(ctypes.byref(ctypes.c_double(300.0)), props.ctypes.data_as(ctypes.c_void_p), None,
          ctypes.byref(ctypes.c_int32(-1)))
    assert math.isnan(v)
    assert record(vx) == (-2, "Negative number of transitions in NLMahieux")
    assert f(ctypes.byref(ctypes.c_double(300.0)), props.ctypes.data_as(ctypes.c_void_p), None,
             ctypes.byref(ctypes.c_int32(0))) == 5.0
