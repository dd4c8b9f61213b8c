"""Mixed-mode energy release rate and crack status."""
import math

import numpy as np
import pytest


def test_mixed_mode_energy_release_rate(vx):
    f = vx.fracture.getequivalentmixedmodeerr
    gc4 = [1.0, 5.0, 3.0, 4.0]
    assert f([1.0, 0, 0], gc4, 4) == 1.0
    assert f([-1.0, 0, 0], gc4, 4) == 5.0
    assert f([0.0, 2, 0], [1.0, 2.0, 3.0], 3) == 2.0
    # a mixed traction weighs each critical value by its share of |t|^2
    t = np.array([3.0, 4.0, 12.0])
    assert f(t, gc4) == pytest.approx((9 * 1 + 16 * 3 + 144 * 4) / 169)
    assert f(-t, [1.0, 2.0, 3.0]) == pytest.approx((9 + 32 + 144 * 3) / 169)
    with pytest.raises(vx.error):
        f(t, [1.0, 2.0])


def test_crack_status_follows_the_normal_traction(vx):
    # uniaxial 22 stress (Voigt order), plane 2 turned about the fibre axis
    s = np.array([0.0, 10.0, -30.0, 0, 0, 0])
    # normal traction s22 cos^2 + s33 sin^2 changes sign at tan^2 = 1/3
    phi0 = math.atan(math.sqrt(1 / 3))
    for sign, phi, status in ((1, 0.0, 1), (1, math.pi / 2, -1), (1, phi0 - 0.01, 1), (1, phi0 + 0.01, -1),
                              (-1, phi0 + 0.01, 1)):
        assert vx.fracture.getcrackstatus(sign * s, [1.0, 0, 0], phi, 2) == status, (sign, phi)


def test_fewer_than_three_critical_values_are_refused_natively(vx, lib):
    # From C, gc holds n values: a weighting would read gc(3) past them.
    import ctypes
    from conftest import error_record
    geq, gc, t = ctypes.c_double(1.0), np.array([2.0, 4.0]), np.array([1.0, 1.0, 1.0])
    lib.GetEquivalentMixedModeERR(ctypes.byref(geq), t.ctypes.data_as(ctypes.c_void_p),
                                  gc.ctypes.data_as(ctypes.c_void_p), ctypes.byref(ctypes.c_int32(2)))
    assert math.isnan(geq.value)
    assert error_record(vx) == (-2, "Fewer than 3 critical values in GetEquivalentMixedModeERR")
