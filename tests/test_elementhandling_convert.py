"""Element stress formats and three dimensions: round trips, the plane-stress
condensation against the inverted compliance, and the axisymmetric tangent."""
import numpy as np
import pytest

from laminate_oracle import orthotropic_compliance

E1, E2, E3, G12, G13, G23 = 140e3, 10e3, 9e3, 5e3, 4.5e3, 3.5e3
NU12, NU13, NU23 = 0.3, 0.28, 0.4


def compliance():
    """Orthotropic compliance in Nye order (11, 22, 33, 12, 13, 23)."""
    return orthotropic_compliance(E1, E2, E3, NU12, NU13, NU23, G12, G13, G23)


def test_input_forms(vx):
    e = vx.elementhandling
    tr = np.array([0.1, 0.2, 0.3, 4.0, 5.0, 6.0])
    s3, e3, d3 = e.get3dinputfromelem([1.0, 2.0, 3.0], [7.0, 8.0, 9.0], [1.5, 2.5, 3.5], transverse=tr,
                                      itnsflag=1, itshrflag=1)
    assert [s3.tolist(), e3.tolist(), d3.tolist()] == [[1, 2, 6, 3, 4, 5], [7, 8, 0.3, 9, 0.1, 0.2],
                                                       [1.5, 2.5, 0, 3.5, 0, 0]]
    s3, _, _ = e.get3dinputfromelem([1.0, 2.0, 3.0], [7.0, 8.0, 9.0], [1.5, 2.5, 3.5], transverse=tr)
    assert s3.tolist() == [1, 2, 0, 3, 0, 0]
    x = np.array([1.0, 2.0, 3.0, 4.0])
    assert e.get3dinputfromelem(x, x, x)[0].tolist() == [1, 2, 3, 4, 0, 0]
    assert e.get3dinputfromelem(x, x, x, isaxial=1)[1].tolist() == [1, 3, 2, 0, 4, 0]
    assert e.get3dstressfromplanestrain(x, x, x, 1)[2].tolist() == [1, 3, 2, 0, 4, 0]


def test_plane_stress_condensation(vx):
    s = compliance()
    c = np.linalg.inv(s)
    eps = np.array([1e-3, -4e-4, 0.0, 2e-3, 0.0, 0.0])
    eps[2] = -(c[2, 0] * eps[0] + c[2, 1] * eps[1]) / c[2, 2]  # free normal stress
    sig = c @ eps
    sp, tp = vx.elementhandling.getplanestressoutputfrom3d(sig, c)
    idx = [0, 1, 3]
    assert np.allclose(tp, np.linalg.inv(s[np.ix_(idx, idx)]), rtol=1e-12)
    assert np.allclose(sp, sig[idx], rtol=1e-10)
    # without a normal stiffness the in-plane rows and columns are taken as they are
    c0 = c.copy()
    c0[2, 2] = 0.0
    sp, tp = vx.elementhandling.getelemoutputfrom3d(sig, c0, 3)
    assert sp.tolist() == sig[idx].tolist() and tp.tolist() == c0[np.ix_(idx, idx)].tolist()


def test_plane_strain_and_axisymmetric(vx):
    e = vx.elementhandling
    c = np.linalg.inv(compliance())
    sig = np.arange(1.0, 7.0)
    sp, tp = e.getplanestrainoutputfrom3d(sig, c)
    assert sp.tolist() == [1, 2, 3, 4] and tp.tolist() == c[:4, :4].tolist()
    # axisymmetric round trip and tangent: the element's shear is the 13 component
    x = np.array([1.0, 2.0, 3.0, 4.0])
    s3 = e.get3dstressfromplanestrain(x, x, x, 1)[0]
    sp, tp = e.getelemoutputfrom3d(s3, c, 4, isaxial=1)
    assert sp.tolist() == [1, 2, 3, 4]
    idx = [0, 2, 1, 4]
    assert np.allclose(tp, c[np.ix_(idx, idx)])


def test_plane_stress_normal_strain(vx):
    s = compliance()
    sig = np.array([50.0, -20.0, 0, 0, 0, 0])
    e33 = vx.elementhandling.getplanestressepszz(E3, NU13 * E3 / E1, NU23 * E3 / E2, sig[0], sig[1])
    assert e33 == pytest.approx((s @ sig)[2])


def test_unsupported_component_counts_are_reported(vx):
    from conftest import error_record
    e = vx.elementhandling
    x = np.arange(1.0, 6.0)
    assert [v.tolist() for v in e.get3dinputfromelem(x, x, x)] == [[0.0] * 6] * 3
    assert error_record(vx) == (-2, "Unsupported number of components in Get3DInputFromElem")
    vx.errorhandling.rsxerr(1)
    sp, tp = e.getelemoutputfrom3d(np.arange(1.0, 7.0), np.eye(6), 5)
    assert not sp.any() and not tp.any()
    assert error_record(vx) == (-2, "Unsupported number of components in GetElemOutputFrom3D")
