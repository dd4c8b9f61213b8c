"""Secant reductions of the nonlinear shear laws, residual stiffness over cycles, transitions."""
import math

import numpy as np
import pytest

from conftest import error_record as record


def cubic_stress(g, beta, gamma):
    """tau of gamma = tau / G + beta tau^3 (the one real root, same sign as gamma)."""
    r = np.roots([beta, 0.0, 1.0 / g, -gamma])
    return float(r[np.argmin(abs(r.imag))].real)


def test_exponential_and_hyperbolic_laws(vx):
    nl = vx.nlcollection
    for eps in (0.0, 1e-3, 0.02, 0.3):
        for beta in (0.5, 40.0):
            k, kr = nl.nlkaestner(beta, eps), nl.nlkrause(beta, eps)
            # even in the strain, secant stiffness as the laws state it
            assert k == nl.nlkaestner(beta, -eps) and kr == nl.nlkrause(beta, -eps)
            assert 1.0 - k == pytest.approx(1.0 / (1.0 + beta * eps), rel=1e-14)
            assert 1.0 - kr == pytest.approx(math.exp(-beta * eps), rel=1e-14)


@pytest.mark.parametrize("g,beta,gamma", [(5000.0, 1e-7, 0.02), (4000.0, 5e-8, -0.035), (3500.0, 2e-6, 0.01)])
def test_hahn_tsai_on_the_shear_curve_is_the_secant_reduction(vx, g, beta, gamma):
    nl = vx.nlcollection
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


def test_adam_residual_stiffness(vx):
    nl = vx.nlcollection
    l, x = 70.0, 40.0
    # at the knee nothing is lost; at failure (equal knees) the end-of-life stiffness is reached
    assert nl.nladam(l, x, 0.25, 1e6, 1.5, 2.0) == pytest.approx(0.0, abs=1e-15)
    assert nl.nladam(l, x, 1e6, 1e6, 1.5, 2.0, [3.0, 3.0]) == pytest.approx(1.0 - x / l, rel=1e-14)
    assert nl.nladam(l, x, 3.0, 1e6, 1.5, 2.0, [3.0, 3.0]) == pytest.approx(0.0, abs=1e-15)
    n = np.logspace(0, 6, 7)
    d = [nl.nladam(l, x, ni, 1e6, 1.5, 2.0, [1.0, 1.0]) for ni in n]
    assert np.all(np.diff(d) > 0) and d[-1] == pytest.approx(1.0 - x / l)
    # q = 1/2 of the log life: r = (1 - 0.5^beta)^(1/alpha)
    r = (1.0 - 0.5**2.0) ** (1.0 / 1.5)
    assert nl.nladam(l, x, 1e3, 1e6, 1.5, 2.0, [1.0, 1.0]) == pytest.approx(1.0 - ((l - x) * r + x) / l)


def test_temperature_transitions(vx):
    nl = vx.nlcollection
    props = [3500.0, 400.0, 30.0]  # glassy plateau, transition temperature, rubbery plateau
    assert nl.nlmahieux(0.0, props, [20.0]) == 3500.0
    assert nl.nlmahieux(600.0, props, [20.0]) == pytest.approx(30.0, rel=1e-12)
    # at the transition temperature the drop is 1 - 1/e of the step
    assert nl.nlmahieux(400.0, props, [20.0]) == pytest.approx(30.0 + 3470.0 / math.e)
    two = [3500.0, 300.0, 2000.0, 450.0, 30.0]
    assert nl.nlmahieux(375.0, two, [40.0, 40.0]) == pytest.approx(2000.0, rel=1e-3)
    assert nl.nlmahieux(375.0, two, [40.0, 40.0], ntrans=1) == pytest.approx(2000.0, rel=1e-3)
    # hyperbolic tangent: mean of the plateaus at t = 0, the far plateaus at large |t|
    assert nl.nlgibson(0.0, props, [1.0]) == pytest.approx((3500.0 + 30.0) / 2)
    assert nl.nlgibson(1e5, props, [1.0]) == pytest.approx(30.0, abs=1e-9)
    assert nl.nlgibson(-1e5, props, [1.0]) == pytest.approx(3500.0, abs=1e-9)
