"""Point-in-shape tests and plane coordinates."""
import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation

EYE = np.eye(3, order="F")


@pytest.fixture
def ip(vx):
    return vx.imageprocessing


# ---------------------------------------------------------------- plane coordinates

def test_getpointonxyplane_turns_in_plane_axes(ip):
    point, origin = np.array([2.0, 1.0, 5.0]), np.array([1.0, 1.0, 0.0])
    np.testing.assert_allclose(ip.getpointonxyplane(point, origin, EYE, 90.0), [0, -1], atol=1e-15)
    np.testing.assert_array_equal(ip.getpointonxyplane(point, origin, EYE, 0.0), [1, 0])


def test_getpointonxyplane_invariant_under_rigid_rotation(ip):
    # Turning point, origin and plane together leaves the in-plane coordinates
    # as they are, for any turn theta about the plane normal.
    rng = np.random.default_rng(8)
    plane = Rotation.random(random_state=rng).as_matrix()
    origin, point = rng.normal(size=3), rng.normal(size=3)
    for theta in (0.0, 30.0, -115.0):
        base = ip.getpointonxyplane(point, origin, np.asfortranarray(plane), theta)
        for q in Rotation.random(4, random_state=rng).as_matrix():
            got = ip.getpointonxyplane(q @ point, q @ origin, np.asfortranarray(q @ plane), theta)
            np.testing.assert_allclose(got, base, atol=1e-13)
        # the distance of the projected point from the origin is the in-plane one
        d = point - origin
        inplane = math.hypot(d @ plane[:, 0], d @ plane[:, 1])
        assert math.hypot(*base) == pytest.approx(inplane, rel=1e-13)


TILTED = [np.array([[0.0, 1.0, 0.0], [0.0, 0.0, 1.0], [1.0, 0.0, 0.0]]).T,    # normal along x
          np.array([[0.0, 0.0, 1.0], [1.0, 0.0, 0.0], [0.0, 1.0, 0.0]]).T,    # normal along y
          Rotation.from_euler("zyx", [40, -65, 20], degrees=True).as_matrix()]


@pytest.mark.parametrize("plane", range(len(TILTED)))
@pytest.mark.parametrize("theta", [30.0, -115.0, 200.0])
def test_getpointonxyplane_turns_about_the_planes_own_normal(ip, plane, theta):
    # The in-plane components turned by theta from the plane's x axis towards
    # its y axis, whatever the normal; the normal part and the origin's own
    # position do not enter.
    q = np.asfortranarray(TILTED[plane])
    origin = np.array([4.0, -3.0, 5.0])
    c, s = math.cos(math.radians(theta)), math.sin(math.radians(theta))
    for u, v, w in ((3.0, 4.0, 7.0), (-2.5, 0.5, -4.0)):
        p = origin + u * q[:, 0] + v * q[:, 1] + w * q[:, 2]
        np.testing.assert_allclose(ip.getpointonxyplane(p, origin, q, theta), [c * u + s * v, -s * u + c * v],
                                   atol=1e-13)
        # the figure's axes turn alike: a long thin rectangle along the turned x axis
        along = origin + 1.9 * (c * q[:, 0] + s * q[:, 1]) + w * q[:, 2]
        across = origin + 1.9 * (c * q[:, 0] - s * q[:, 1]) + w * q[:, 2]
        assert ip.projectedpointinshape(along, 2.0, 0.5, theta, origin, q, 3) == 1
        assert ip.projectedpointinshape(across, 2.0, 0.5, theta, origin, q, 3) == 0


# ---------------------------------------------------------------- figures

SQUARE = (np.array([0.0, 1.0, 1.0, 0.0]), np.array([0.0, 0.0, 1.0, 1.0]))


@pytest.mark.parametrize("px, py, expect", [
    (0.5, 0.5, 0.0), (2.0, 0.5, -1.0),
    # every edge and vertex is on the outline
    (1.0, 0.5, 0.0), (0.0, 0.5, 0.0), (0.5, 0.0, 0.0), (0.5, 1.0, 0.0),
    (0.0, 0.0, 0.0), (1.0, 0.0, 0.0), (1.0, 1.0, 0.0), (0.0, 1.0, 0.0),
    (2.0, 0.0, -1.0), (0.0, -1.0, -1.0),  # on an edge's line, beyond its ends
    (-1e-9, 0.5, -1.0), (0.5, 1.0 + 1e-9, -1.0), (math.nan, 0.5, -1.0)])
def test_polygon_unit_square(ip, px, py, expect):
    assert ip.polygon(px, py, *SQUARE) == expect
    # either direction of travel
    assert ip.polygon(px, py, SQUARE[0][::-1].copy(), SQUARE[1][::-1].copy()) == expect


def test_polygon_empty_and_concave(ip):
    assert ip.polygon(0.0, 0.0, np.zeros(0), np.zeros(0)) == -1.0
    # an L-shaped outline: its notch is outside
    x = np.array([0.0, 2.0, 2.0, 1.0, 1.0, 0.0])
    y = np.array([0.0, 0.0, 1.0, 1.0, 2.0, 2.0])
    assert ip.polygon(0.5, 1.5, x, y) == 0.0 and ip.polygon(1.5, 1.5, x, y) == -1.0
    assert ip.polygon(1.0, 1.5, x, y) == 0.0 and ip.polygon(1.5, 1.0, x, y) == 0.0  # notch edges
    # a slanted edge through the point
    assert ip.polygon(0.5, 0.5, np.array([0.0, 1.0, 0.0]), np.array([0.0, 1.0, 1.0])) == 0.0


def test_polygon_random_points_in_convex_outline(ip):
    k = 9
    ang = np.sort(np.random.default_rng(0).uniform(0, 2 * np.pi, k))
    x, y = 2 * np.cos(ang) + 0.3, 1.5 * np.sin(ang) - 0.2
    pts = np.random.default_rng(1).uniform(-2.5, 2.5, size=(300, 2))
    for px, py in pts:
        ex, ey = np.roll(x, -1) - x, np.roll(y, -1) - y
        inside = np.all(ex * (py - y) - ey * (px - x) > 0)  # counter-clockwise: left of every edge
        assert ip.polygon(px, py, x, y) == (0.0 if inside else -1.0)


def test_ellipse_and_rectangle(ip):
    assert ip.ellipse(2.0, 0.0, 2.0, 1.0) == 1.0
    assert ip.ellipse(0.0, 0.0, 2.0, 1.0, np.array([1.0, 0.0])) == 0.25
    assert ip.ellipse(1.0, 0.5, 2.0, 1.0) == 0.5
    assert ip.rectangle(1.0, 3.0, 2.0, 4.0) == 0.75
    assert ip.rectangle(-3.0, 0.0, 2.0, 4.0) == 1.5
    assert ip.rectangle(0.0, 0.0, -2.0, 4.0, np.array([1.0, 1.0])) == 0.5  # half-widths by magnitude
    assert math.isnan(ip.rectangle(math.nan, 0.0, 2.0, 4.0))


def test_projectedpointinshape_figures(ip):
    rc = np.array([1.0, -2.0, 0.5])
    for t in np.linspace(0, 2 * np.pi, 13):
        p = rc + [2.9 * math.cos(t), 2.9 * math.sin(t), 4.0]  # off the plane: projected
        assert ip.projectedpointinshape(p, 1.0, 3.0, 0.0, rc, EYE, 0) == 1  # circle of radius 3
        assert ip.projectedpointinshape(p, 1.0, 3.0, 0.0, rc, EYE, 2) == 1  # square of half-side 3
    p = rc + [1.5, 0.0, 0.0]
    assert ip.projectedpointinshape(p, 1.0, 3.0, 0.0, rc, EYE, 3) == 0
    assert ip.projectedpointinshape(p, 1.0, 3.0, 0.0, rc, EYE, 1) == 0   # ellipse
    # turning the figure by 90 degrees swaps its axes
    assert ip.projectedpointinshape(p, 1.0, 3.0, 90.0, rc, EYE, 3) == 1
    assert ip.projectedpointinshape(p, 1.0, 3.0, 90.0, rc, EYE, 5) == 1
    corner = rc + [2.9, 2.9, 0.0]
    assert ip.projectedpointinshape(corner, 3.0, 1.0, 0.0, rc, EYE, 2) == 1
    assert ip.projectedpointinshape(corner, 3.0, 1.0, 0.0, rc, EYE, 0) == 0
    # a zero semi-axis at the centre gives 0/0: outside
    assert ip.projectedpointinshape(rc, 0.0, 0.0, 0.0, rc, EYE, 4) == 0


def test_projectedpointinpolygon_tilted_plane(ip):
    q = Rotation.from_euler("xyz", [20, -35, 50], degrees=True).as_matrix()
    plane = np.asfortranarray(q)
    origin = np.array([3.0, 1.0, -2.0])
    xy = np.column_stack([[0.0, 2.0, 2.0, 0.0], [0.0, 0.0, 1.0, 1.0]]).copy(order="F")
    for u, v, inside in ((1.0, 0.5, 1), (1.9, 0.9, 1), (2.1, 0.5, 0), (1.0, -0.1, 0)):
        p = origin + u * q[:, 0] + v * q[:, 1] + 0.7 * q[:, 2]
        assert ip.projectedpointinpolygon(p, xy, 0.0, origin, plane) == inside
    # theta turns the measuring axes: (-0.5, 0.5) along the plane axes reads
    # (0.5, 0.5) in axes turned by 90 degrees and (-0.5, -0.5) by -90
    p = origin - 0.5 * q[:, 0] + 0.5 * q[:, 1]
    assert ip.projectedpointinpolygon(p, xy, 0.0, origin, plane) == 0
    assert ip.projectedpointinpolygon(p, xy, 90.0, origin, plane) == 1
    assert ip.projectedpointinpolygon(p, xy, -90.0, origin, plane) == 0
    assert ip.projectedpointinpolygon(p, np.zeros((0, 2), order="F"), 0.0, origin, plane) == 0


# ---------------------------------------------------------------- line

@pytest.mark.parametrize("px, py, b, extra, expect", [
    (0.5, 0.000005, (1, 0), (), 0.00001), (0.5, 1.0, (1, 0), (), 2.0), (0.0, 0.5, (1, 0), (0.5,), 1.0),
    (2.0, 0.0, (1, 0), (1.5,), 0.5),                # beyond b: distance to b
    (-0.3, 0.4, (1, 0), (), 1.5),                   # before a: distance to a
    (5.0, 0.000001, (10, 0), (), 0.000001 / 5.0),   # perpendicular to a long segment, all digits kept
    (0.0, 0.0, (1, 0), (), 0.0),                    # the start point lies on the segment
    (0.3, 0.4, (0, 0), (), 1.5), (0.0, 0.0, (0, 0), (), 0.0),  # a segment of no length is a point
    (math.nan, 0.0, (1, 0), (), math.nan), (0.5, 0.0, (math.nan, 0), (), math.nan)])
def test_line_measure(ip, px, py, b, extra, expect):
    got = ip.line(px, py, np.zeros(2), np.array(b, float), *extra)
    assert got == pytest.approx(expect, rel=1e-12, nan_ok=True)
