"""Rotations, tensor transformations and the geometry of points and plane figures."""
import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation

rng = np.random.default_rng(20240611)


def unit(v):
    v = np.asarray(v, float)
    return v / np.linalg.norm(v)


AXES = [unit(rng.normal(size=3)) for _ in range(4)] + [np.array([0.0, 0.0, 1.0])]
ANGLES = [0.0, 0.3, -2.1, math.pi / 2, 5.0]


@pytest.mark.parametrize("n", AXES)
@pytest.mark.parametrize("alpha", ANGLES)
def test_rotation_matrix_is_right_handed_rodrigues(vx, n, alpha):
    r = vx.math.getrotationmatrix(n, alpha)
    np.testing.assert_allclose(r, Rotation.from_rotvec(alpha * n).as_matrix(), atol=1e-15)
    # the same turn applied to a point, with the angle in degrees
    p = np.array([0.3, -1.2, 2.0])
    np.testing.assert_allclose(vx.math.coordinaterotation(n, p, math.degrees(alpha)), r @ p, atol=1e-14)


def test_rotation_about_no_axis(vx):
    np.testing.assert_array_equal(vx.math.getrotationmatrix([0.0, 0.0, 0.0], 0.4), math.cos(0.4) * np.eye(3))


@pytest.mark.parametrize("n", AXES[:3] + [None])
@pytest.mark.parametrize("alpha", ANGLES)
def test_tensor_rotations_match_the_full_contraction(vx, n, alpha):
    r = Rotation.from_rotvec(alpha * (np.array([1.0, 0, 0]) if n is None else n)).as_matrix()
    a2 = rng.normal(size=(3, 3))
    a4 = rng.normal(size=(3, 3, 3, 3))
    extra = () if n is None else (n,)
    out2 = vx.math.tensorrotation2nd(a2, alpha, *extra)
    out4 = vx.math.tensorrotation4th(a4, alpha, *extra)
    np.testing.assert_allclose(out2, r.T @ a2 @ r, atol=1e-13)
    np.testing.assert_allclose(out4, np.einsum("mi,nj,ok,pl,mnop->ijkl", r, r, r, r, a4), atol=1e-13)
    # a rotated stiffness acting on a rotated strain gives the rotated stress
    stress = vx.math.tensormultiplication(a4, a2)
    np.testing.assert_allclose(stress, np.einsum("ijkl,kl->ij", a4, a2), atol=1e-13)
    np.testing.assert_allclose(vx.math.tensormultiplication(out4, out2), r.T @ stress @ r, atol=1e-12)


def test_change_of_basis(vx):
    nx, ny, nz = [0.0, 1.0, 0.0], [-1.0, 0.0, 0.0], [0.0, 0.0, 1.0]
    t = vx.math.gettransformationmatrix(nx, ny, nz)
    np.testing.assert_array_equal(t, np.array([nx, ny, nz]))
    a = rng.normal(size=(3, 3))
    q = Rotation.from_rotvec([0.2, -0.4, 0.9]).as_matrix()
    np.testing.assert_allclose(vx.math.tensortransformation2nd(a, q), q @ a @ q.T, atol=1e-14)


@pytest.mark.parametrize("angles", [(0.0, 0.0, 0.0), (10.0, 20.0, 30.0), (-170.0, 45.0, 95.0), (33.0, -80.0, -5.0)])
def test_euler_angles_round_trip(vx, angles):
    r = Rotation.from_euler("xyz", angles, degrees=True).as_matrix()
    np.testing.assert_allclose(vx.math.geteulerrotation(r), angles, atol=1e-10)


@pytest.mark.parametrize("r31,middle,sign", [(1.0, -90.0, -1.0), (-1.0, 90.0, 1.0)])
def test_euler_angles_gimbal_lock(vx, r31, middle, sign):
    r = np.zeros((3, 3))
    r[2, 0], r[0, 1], r[0, 2] = r31, 0.6, 0.8
    eul = vx.math.geteulerrotation(r)
    assert list(eul[1:]) == [middle, 0.0]
    assert eul[0] == pytest.approx(math.degrees(math.atan2(sign * 0.6, sign * 0.8)))


def test_translation_reflection_projection(vx):
    p = np.array([1.0, -2.0, 3.5])
    np.testing.assert_array_equal(vx.math.coordinatetranslation([0.5, 1.0, -1.0], p), [1.5, -1.0, 2.5])
    q = Rotation.from_rotvec([0.3, 0.5, -0.2]).as_matrix()
    na, nb = q[:, 0], q[:, 1]
    nrm = np.cross(na, nb)
    np.testing.assert_allclose(vx.math.coordinatereflection(na, nb, p), p - 2 * (p @ nrm) * nrm, atol=1e-14)
    u, v, r0 = np.array([1.0, 2.0, 0.5]), np.array([-1.0, 0.0, 3.0]), np.array([0.2, 0.1, -4.0])
    for args, origin in (((u, v, p), np.zeros(3)), ((u, v, p, r0), r0)):
        pp = vx.math.coordinateprojection(*args)
        nrm = np.cross(u, v)
        assert (pp - origin) @ nrm == pytest.approx(0.0, abs=1e-12)
        assert np.linalg.norm(np.cross(p - pp, nrm)) == pytest.approx(0.0, abs=1e-12)


@pytest.mark.parametrize("x,y,c", [
    ([0, 1, 1, 0], [0, 0, 1, 1], (0.5, 0.5)),
    ([0, 0, 1, 1], [0, 1, 1, 0], (0.5, 0.5)),
    ([0, 1, 1, 0, 0], [0, 0, 1, 1, 0], (0.5, 0.5)),
    ([0, 1], [0, 1], (0.0, 0.0)),
    ([0, 4, 0], [0, 0, 3], (4 / 3, 1.0)),
    ([0, 2, 2, 1, 0], [0, 0, 2, 1, 2], None),  # non-convex: checked by triangle fan below
])
def test_centroid(vx, x, y, c):
    got = vx.math.getcentroid(np.array(x, float), np.array(y, float))
    if c is None:
        tri = [(0, i, i + 1) for i in range(1, len(x) - 1)]
        areas = np.array([vx.math.gettrianglearea(x[a], y[a], x[b], y[b], x[d], y[d]) for a, b, d in tri])
        cx = np.array([(x[a] + x[b] + x[d]) / 3 for a, b, d in tri])
        cy = np.array([(y[a] + y[b] + y[d]) / 3 for a, b, d in tri])
        c = (areas @ cx / areas.sum(), areas @ cy / areas.sum())
    np.testing.assert_allclose(got, c, atol=1e-15)


def test_triangle_area_sign(vx):
    assert vx.math.gettrianglearea(0, 0, 1, 0, 0, 1) == 0.5
    assert vx.math.gettrianglearea(0, 0, 0, 1, 1, 0) == -0.5


@pytest.mark.parametrize("xs", [(0.0, 1.0, 3.0), (-2.0, 2.0, 5.0), (1.5, -1.5, 0.0), (-1e-3, 1e-3, 2e-3), (7.0, 3.0, -7.0)])
def test_parabola_through_three_points(vx, xs):
    ys = (0.7, -1.3, 2.2)
    oud = vx.math.getparabolacoefficients(np.column_stack([xs, ys]))
    np.testing.assert_allclose(oud, np.polyfit(xs, ys, 2), rtol=1e-9)
    np.testing.assert_allclose(np.polyval(oud, xs), ys, rtol=1e-12)


def test_arc_length(vx):
    a, b = np.array([1.0, 0.0]), np.array([0.0, 1.0])
    assert vx.math.effectivearclength(a, b, 0.0) == math.sqrt(2.0)
    assert vx.math.effectivearclength(a, b, 1.0) == pytest.approx(math.pi / 2)
    assert vx.math.effectivearclength(a, b, -1.0) == pytest.approx(math.pi / 2)
    assert math.isnan(vx.math.effectivearclength(a, 10 * b, 1.0))


def test_polar_coordinates(vx):
    np.testing.assert_array_equal(vx.math.polartransformation([0.0, 0.0, 5.0], phi0=1.0), [0.0, 1.0, 5.0])
    np.testing.assert_array_equal(vx.math.polartransformation([0.0, 0.0]), [0.0, 0.0])
    c = np.array([-3.0, 4.0, 7.0, 8.0])
    np.testing.assert_allclose(vx.math.polartransformation(c), [5.0, math.atan2(4.0, -3.0), 7.0, 8.0])


@pytest.mark.parametrize("scale", [1.0, 1e-200, 1e200])
def test_vector_helpers(vx, scale):
    x = scale * np.array([3.0, -4.0, 12.0])
    y = scale * np.array([1.0, 2.0, -0.5])
    np.testing.assert_allclose(vx.math.getunitvector(x), [3 / 13, -4 / 13, 12 / 13], rtol=1e-15)
    assert vx.math.scalarprojection(y, x) == pytest.approx((y / scale) @ (x / scale) / 13 * scale, rel=1e-14)
    cos = (x / scale) @ (y / scale) / (13 * np.linalg.norm(y / scale))
    assert vx.math.euclideanangle(x, y) == pytest.approx(math.acos(cos), rel=1e-14)
    np.testing.assert_array_equal(vx.math.getabvector(x, y), y - x)


def test_lengths_and_angles_of_subnormal_vectors(vx):
    # Exact powers of two down to the smallest subnormal: nothing may vanish
    # in the sums of squares or overflow in the scaling.
    t = 2.0 ** -1074
    a, b = np.array([3 * 2.0 ** -1060, 0.0]), np.array([0.0, 4 * 2.0 ** -1060])
    assert vx.math.effectivearclength(a, b, 0.0) == 5 * 2.0 ** -1060
    assert vx.math.effectivearclength(np.array([t, 0.0]), np.zeros(2), 0.0) == t
    np.testing.assert_array_equal(vx.math.getunitvector(np.array([0.0, -t])), [0.0, -1.0])
    assert vx.math.euclideanangle(np.array([t, 0.0]), np.array([t, 0.0])) == 0.0
    assert vx.math.euclideanangle(np.array([t, 0.0]), np.array([0.0, 1.0])) == pytest.approx(math.pi / 2)
    assert vx.math.euclideanangle(np.array([t, t]), np.array([1.0, 0.0])) == pytest.approx(math.pi / 4)


@pytest.mark.parametrize("v", [[1.0, 1.0], [0.1, 0.2, 0.3], [1e-3, 7.0, -2.2, 5.5], [2.0 ** 0.5, 3.0 ** 0.5]])
def test_angle_between_equal_and_degenerate_vectors(vx, v):
    v = np.array(v)
    assert vx.math.euclideanangle(v, v.copy()) == 0.0
    assert vx.math.euclideanangle(v, 4 * v) == 0.0  # exact multiple
    assert vx.math.euclideanangle(v, -v) == pytest.approx(math.pi)
    assert vx.math.euclideanangle(v, np.zeros_like(v)) == math.pi


def test_normalisation_uses_one_common_range(vx):
    p = np.array([[0.0, 5.0], [10.0, 2.5], [4.0, 10.0]])
    np.testing.assert_allclose(vx.math.coordinatenormalization(p, [-1.0, 1.0]), p / 5.0 - 1.0)


@pytest.mark.parametrize("a,b,phi", [(3.0, 1.0, 0.0), (3.0, 1.0, 90.0), (2.0, 0.5, 37.0), (1.0, 4.0, -120.0)])
def test_ellipse(vx, a, b, phi):
    t = np.linspace(0, 2 * np.pi, 200001)
    c, s = math.cos(math.radians(phi)), math.sin(math.radians(phi))
    ex, ey = a * np.cos(t) * c - b * np.sin(t) * s, a * np.cos(t) * s + b * np.sin(t) * c
    np.testing.assert_allclose(vx.math.getboundingboxfromellipse(a, b, phi), [ex.max(), ey.max()], rtol=1e-8)
    r = vx.math.getradiusofellipse(a, b, phi)
    assert (r * c / a) ** 2 + (r * s / b) ** 2 == pytest.approx(1.0)
