"""Shell kinematics against exact fields on mapped elements, frames and
curvatures of known surfaces, node reference data, and the transverse stress
recovery against the through-thickness routines called directly."""
import numpy as np
import pytest

from conftest import error_record as err

NAT8 = np.array([(-1, -1), (1, -1), (1, 1), (-1, 1), (0, -1), (1, 0), (0, 1), (-1, 0)], float)
NAT6 = np.array([(0, 0), (1, 0), (0, 1), (0.5, 0), (0.5, 0.5), (0, 0.5)], float)
A = np.array([[2.0, 0.4], [-0.3, 1.5]])
B0 = np.array([0.7, -0.2])


def affine(nat):
    xy = nat @ A.T + B0
    return np.asfortranarray(np.vstack([xy.T, np.zeros(len(nat))]))


@pytest.mark.parametrize("nat", [NAT8, NAT6])
def test_jacobians_of_affine_elements(vx, nat):
    e = vx.elementhandling
    nc = affine(nat)
    jac, ns = e.shelljacobian(nc, 0.2, 0.1)
    assert np.allclose(jac, A.T)
    assert ns.shape == (len(nat), 6) and ns[:, 0].sum() == pytest.approx(1.0)
    assert np.allclose(e.shelljacobianinverse(jac), np.linalg.inv(A.T))
    j1 = e.shellfirstderivjacobian(jac)
    assert np.allclose(e.shellfirstderivjacobianinverse(j1), np.linalg.inv(j1))
    assert np.allclose(e.shellsecondderivjacobian(ns, nc, 0.2, 0.1), 0.0)
    # f = x^2 + 3xy - y^2: natural second derivatives = j1 (fxx, fyy, fxy)
    hn = A.T @ np.array([[2.0, 3.0], [3.0, -2.0]]) @ A
    assert np.allclose(j1 @ [2.0, -2.0, 3.0], [hn[0, 0], hn[1, 1], hn[0, 1]])


def test_singular_and_unsupported(vx):
    e = vx.elementhandling
    for jac in (np.zeros((2, 2)), np.array([[1.0, 2.0], [2.0, 4.0]])):
        assert not e.shelljacobianinverse(jac).any()
        assert err(vx) == (-3, "Singular jacobian")
        vx.errorhandling.rsxerr(1)
    # an element collapsed onto a line: zero derivatives, never NaN, in what
    # is built on the inverse
    nc = np.zeros((3, 8), order="F")
    nc[0] = NAT8[:, 0]
    b = e.shellbmatrix(nc, 0.3, 0.2)
    assert np.isfinite(b).all() and not b[:6].any() and err(vx) == (-3, "Singular jacobian")
    vx.errorhandling.rsxerr(1)
    assert not e.shellfirstderivjacobianinverse(np.zeros((3, 3))).any()
    assert err(vx) == (-3, "Singular first derivative of jacobian")
    vx.errorhandling.rsxerr(1)
    jac, _ = e.shelljacobian(np.ones((3, 4)), 0.0, 0.0)
    assert not jac.any() and err(vx) == (-3, "Unknown or unsupported element type.")
    vx.errorhandling.rsxerr(1)
    e.getnodalshape(1, 4)
    assert err(vx) == (-3, "Unknown or invalid number of nodes")


@pytest.mark.parametrize("nat", [NAT8, NAT6])
def test_b_matrix_reproduces_linear_fields(vx, nat):
    e = vx.elementhandling
    nc = affine(nat)
    x, y = nc[0], nc[1]
    a, b, c, d, p, q, g, h = 0.3, -0.2, 0.5, 0.1, 0.7, -0.4, 0.25, 0.15
    u = np.zeros(40)
    for k in range(len(nat)):
        u[5 * k:5 * k + 5] = (a * x[k] + b * y[k], c * x[k] + d * y[k], g * x[k] + h * y[k],
                              q * y[k] + 0.05, p * x[k] - 0.02)
    xs, ys = A @ [0.3, 0.2] + B0
    rot1, rot2 = q * ys + 0.05, p * xs - 0.02
    eps = e.shellbmatrix(nc, 0.3, 0.2) @ u
    assert np.allclose(eps, [a, d, b + c, p, -q, 0.0, h - rot1, g + rot2], atol=1e-12)
    # derivatives of the transverse shear strains of a linear field: rotations only
    assert np.allclose(e.shellxderivbmatrix(nc, 0.3, 0.2) @ u, [0.0, p], atol=1e-12)
    assert np.allclose(e.shellyderivbmatrix(nc, 0.3, 0.2) @ u, [-q, 0.0], atol=1e-12)
    hm = np.array([[3.0, 0.5], [0.5, 2.0]])
    assert np.allclose(e.shellyderivshearforces(u, hm, nc, 0.3, 0.2), hm @ [-q, 0.0])


def test_second_derivatives_on_a_curved_map(vx):
    """x = xi + 0.1 xi^2: the field w = x has no second x-derivative, which
    needs the correction by the second-derivative Jacobian."""
    e = vx.elementhandling
    nc = np.zeros((3, 8), order="F")
    nc[0] = NAT8[:, 0] + 0.1 * NAT8[:, 0] ** 2
    nc[1] = NAT8[:, 1]
    u = np.zeros(40)
    u[2::5][:8] = nc[0]
    for xi, eta in [(0.3, -0.5), (-0.7, 0.2)]:
        assert np.allclose(e.shellxderivbmatrix(nc, xi, eta) @ u, [0.0, 0.0], atol=1e-12)
        jac, ns = e.shelljacobian(nc, xi, eta)
        assert e.shellsecondderivjacobian(ns, nc, xi, eta)[0].tolist() == pytest.approx([0.2, 0.0])


def test_displacement_vector(vx):
    m = np.arange(1.0, 49.0).reshape(6, 8, order="F")
    u = vx.elementhandling.getdisplacementvector(m)
    assert u.reshape(8, 5).tolist() == m[:5].T.tolist()
    u = vx.elementhandling.getdisplacementvector(m[:3, :6])
    assert u[:30].reshape(6, 5)[:, :3].tolist() == m[:3, :6].T.tolist() and not u[30:].any()


def surface(kx, ky, kxy=0.0):
    """Local coordinates (8, 3) of a quad8 over [-1, 1]^2 on z = (kx x^2 + ky y^2)/2 + kxy x y."""
    x, y = NAT8[:, 0], NAT8[:, 1]
    return np.asfortranarray(np.c_[x, y, 0.5 * (kx * x * x + ky * y * y) + kxy * x * y])


def test_curvatures(vx):
    e = vx.elementhandling
    ns = e.quad8shapefunmatrix(0.0, 0.0)
    assert e.getcurvatures(ns, surface(0.0, 0.0))[0] == 0.0
    # a ratio above 20 drops the weaker one
    for k, want in (((0.0, 0.0), [0, 0]), ((0.05, 0.0), [0.05, 0]), ((-0.04, 0.03), [-0.04, 0.03]),
                    ((0.1, 0.004), [0.1, 0])):
        assert e.getcurvatures(ns, surface(*k))[1].tolist() == pytest.approx(want)
    # principal values of a twisted surface: eigenvalues of the curvature tensor
    _, kappa = e.getcurvatures(ns, surface(0.05, 0.03, 0.01))
    ev = np.linalg.eigvalsh([[0.05, 0.01], [0.01, 0.03]])
    assert sorted(kappa.tolist()) == pytest.approx(sorted(ev.tolist()))


def paraboloid(ka, kb, psi):
    """Local coordinates (8, 3) of a quad8 over [-1, 1]^2 on the paraboloid of
    principal curvatures ka (along psi) and kb (at right angles)."""
    c, s = np.cos(psi), np.sin(psi)
    r = np.array([[c, -s], [s, c]])
    k = r @ np.diag([ka, kb]) @ r.T
    return surface(k[0, 0], k[1, 1], k[0, 1])


def random_paraboloids(n, seed):
    """Principal curvatures of either sign, 0.005 to 0.1, at most 0.9 of each
    other in size (a direction to find), turned by a random angle; the
    direction of the larger in size."""
    g = np.random.default_rng(seed)
    for _ in range(n):
        ka = g.choice([-1, 1]) * g.uniform(0.005, 0.1)
        kb = g.choice([-1, 1]) * abs(ka) * g.uniform(0.0, 0.9)
        if g.random() < 0.5:
            ka, kb = kb, ka
        psi = g.uniform(-np.pi, np.pi)
        yield ka, kb, psi, psi if abs(ka) > abs(kb) else psi + np.pi / 2


def test_curvature_direction_at_right_angles_to_kappa1(vx):
    """delta lies at right angles to the direction of kappa(1) whichever way the
    surface is turned, as for a cylinder."""
    e = vx.elementhandling
    ns = e.quad8shapefunmatrix(0.0, 0.0)
    for ka, kb, psi, along in random_paraboloids(400, 3):
        delta, kappa = e.getcurvatures(ns, paraboloid(ka, kb, psi))
        assert kappa[0] == pytest.approx(ka if abs(ka) > abs(kb) else kb, rel=1e-9)
        assert abs(np.cos(delta - along)) < 5e-3, (ka, kb, psi, delta)
    # The cylinders keep their angles; a surface curved more along x than
    # along y is one of them.
    for k, want in (((0.05, 0.0), np.pi / 2), ((-0.05, 0.0), -np.pi / 2), ((0.0, 0.05), 0.0),
                    ((0.0, -0.05), 0.0), ((0.01, 0.005), np.pi / 2), ((-0.01, 0.004), -np.pi / 2)):
        assert e.getcurvatures(ns, surface(*k))[0] == want
    # Turning a surface turns delta with it, without a jump (modulo pi), also
    # where k1 = k2 at 45 degrees; alike principal curvatures give no direction.
    turns = np.radians(np.arange(0.0, 181.0, 1.0))
    deltas = np.array([e.getcurvatures(ns, paraboloid(0.01, 0.005, t))[0] for t in turns])
    np.testing.assert_allclose(np.sin(np.diff(deltas) - np.diff(turns)), 0.0, atol=1e-9)
    assert e.getcurvatures(ns, paraboloid(0.01, 0.00995, 0.3))[0] == 0.0


def test_element_frame_follows_the_curvature(vx):
    """tcurv of a curved element: rows along the weaker curvature, along kappa(1)
    and the normal, wherever the element lies in space."""
    e = vx.elementhandling
    g = np.random.default_rng(4)
    for ka, kb, psi, along in random_paraboloids(100, 5):
        R = rotation(g.normal(size=3), g.uniform(0, np.pi))
        loc = paraboloid(ka, kb, psi)
        on = np.asfortranarray(loc @ R.T + g.normal(size=3))
        refdir = np.r_[0.0, R[:, 0], R[:, 0]]
        tcurv, origin, kappa = e.getelementtransformation(on, refdir, 8)
        d1 = R @ [np.cos(along), np.sin(along), 0.0]
        np.testing.assert_allclose(tcurv @ tcurv.T, np.eye(3), atol=1e-12)
        np.testing.assert_allclose(tcurv[2], R[:, 2], atol=1e-12)
        assert abs(tcurv[0] @ d1) < 5e-3 and abs(tcurv[1] @ d1) > 1 - 1e-4, (ka, kb, psi)
        assert kappa[0] == pytest.approx(ka if abs(ka) > abs(kb) else kb, rel=1e-9)


def test_section_reference_orientation(vx):
    f = vx.elementhandling.getsectionreforientation
    z = [0.0, 0.0, 1.0]
    assert f([1.0, 2.0, 0.0], z, [1.0, 2.0, 0.0]) == 0.0
    assert f([-1.0, -2.0, 0.0], z, [1.0, 2.0, 0.0]) == 3.141592653589793
    assert f([0.0, 1.0, 0.0], z, [1.0, 0.0, 0.0]) == pytest.approx(np.pi / 2)
    assert f([0.0, 1.0, 0.0], [0, 0, -1.0], [1.0, 0.0, 0.0]) == pytest.approx(-np.pi / 2)


def rotation(ax, ang):
    ax = np.asarray(ax, float) / np.linalg.norm(ax)
    k = np.array([[0, -ax[2], ax[1]], [ax[2], 0, -ax[0]], [-ax[1], ax[0], 0]])
    return np.eye(3) + np.sin(ang) * k + (1 - np.cos(ang)) * k @ k


def test_frames_of_a_flat_square(vx):
    e = vx.elementhandling
    R = rotation([1, 2, 3], 0.7)
    on = np.asfortranarray((R @ np.c_[2 * NAT8, np.zeros(8)].T).T + [5.0, -1.0, 2.0])
    assert np.allclose(e.getnodaltransformation(on, 8), R[:, :, None])
    # reference record: angle 0, both candidates along the edge from node 1 to node 2
    refdir = np.r_[0.0, R[:, 0], R[:, 0]]
    tcurv, origin, kappa = e.getelementtransformation(on, refdir, 8)
    assert np.allclose(tcurv, R.T) and np.allclose(origin, [5.0, -1.0, 2.0]) and np.allclose(kappa, 0.0)
    # a triangle: origin at the corner opposite the longest edge (the right angle)
    tri = np.zeros((8, 3), order="F")
    tri[:6, :2] = NAT6 * [3.0, 2.0]
    tcurv, origin, _ = e.getelementtransformation(tri, np.r_[0.0, 1, 0, 0, 1, 0, 0], 6)
    assert origin.tolist() == [0.0, 0.0, 0.0] and np.allclose(tcurv, np.eye(3))
    e.getelementtransformation(tri, refdir, 5)
    assert err(vx) == (-3, "Unknown or unsupported element type.")


def test_nodal_frames_of_a_skewed_element(vx):
    nat = NAT8 @ np.array([[1.0, 0.6], [0.0, 1.0]]).T
    on = np.asfortranarray(np.c_[nat, np.zeros(8)])
    ti = vx.elementhandling.getnodaltransformation(on, 8)
    for k in range(8):
        t = ti[:, :, k]
        assert np.allclose(t.T @ t, np.eye(3)) and np.allclose(t[:, 2], [0, 0, 1])
        # the two in-plane axes straddle the bisector of the tangents symmetrically
        a1, a2 = np.array([1.0, 0, 0]), np.array([0.6, 1.0, 0]) / np.hypot(0.6, 1.0)
        bis = (a1 + a2) / np.linalg.norm(a1 + a2)
        assert t[:, 0] @ bis == pytest.approx(t[:, 1] @ bis)


@pytest.fixture
def one_shell(vx):
    """One S8R element, a flat 2 x 2 square turned in space."""
    ed, nd = vx.elementdata, vx.nodaldata
    R = rotation([1, 1, 0], 0.4)
    glob = (R @ np.c_[NAT8, np.zeros(8)].T) + np.array([[1.0], [2.0], [3.0]])
    ed.nelem = 1
    nd.nnodes, nd.ndof = 8, 6
    ed.elemkind = np.array([4], np.int32)
    nd.nodalcoords = glob.reshape(3, 8, 1)
    nd.tnodalmatrices = np.zeros((3, 3, 8, 1))
    nd.tcurvmatrices = np.zeros((3, 3, 1))
    ed.elemcurvatures = np.zeros((2, 1))
    ed.elemreforientation = np.r_[0.0, R[:, 0], R[:, 0]].reshape(7, 1)
    yield R, glob
    vx.datahandling.deallocall()
    ed.nelem = nd.nnodes = nd.ndof = 0  # the counts do not leak into later tests


def test_node_reference_data(vx, one_shell):
    R, glob = one_shell
    e = vx.elementhandling
    assert e.getnodereferencedata(tflag=1) == 0
    assert np.allclose(vx.nodaldata.nodalcoords[:, :, 0], glob)          # kept global
    assert np.allclose(vx.nodaldata.tcurvmatrices[:, :, 0], R.T)
    assert np.allclose(vx.nodaldata.tnodalmatrices[:, :, 3, 0], R)
    assert e.getnodereferencedata() == 0
    assert np.allclose(vx.nodaldata.nodalcoords[:, :, 0], np.c_[NAT8, np.zeros(8)].T)  # element-local
    vx.elementdata.elemkind[0] = 12
    assert e.getnodereferencedata() == -3
    assert err(vx) == (-3, "Unknown element type detected")


@pytest.mark.parametrize("nelem", [2, -1, 2**31 - 1])
def test_node_reference_data_with_a_count_beyond_the_elements(vx, one_shell, nelem):
    # The frames are built for nelem elements: a count the arrays do not hold
    # records -2 and leaves every frame and coordinate as it was.
    _, glob = one_shell
    vx.elementdata.nelem = nelem
    assert vx.elementhandling.getnodereferencedata() == 0
    assert err(vx) == (-2, "Element or node data disagree with their count in GetNodeReferenceData")
    assert np.array_equal(vx.nodaldata.nodalcoords[:, :, 0], glob) and not vx.nodaldata.tcurvmatrices.any()


PLY = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3])


def section(vx, ori=((0.0, 90.0, 0.0),)):
    """Sections of three plies 0.2 thick (orientations given per section), their z points, f and H."""
    lam = vx.laminate
    ori = np.asfortranarray(np.array(ori, float).T)
    sl, th = np.ones(ori.shape, np.int32), np.full(ori.shape, 0.2)
    zc = lam.getsectionzcoord(sl, th)
    plyel = np.repeat(PLY.reshape(9, 1, 1), 3, axis=1).repeat(ori.shape[1], axis=2)
    f = lam.getsectionfmatrix(sl, ori, th, zc, plyel)
    h = lam.getsectionhmatrix(sl, ori, th, plyel)
    return sl, ori, th, zc, plyel, f, h


SHEAR = np.zeros((6, 8))
SHEAR[2] = 0.01 * NAT8[:, 0]   # w = g x: constant transverse shear strain g in the x-z plane


def recover(vx, kind, motion, curv=(0.0, 0.0), gpid=1, tn=None, ts=None, itns=1, itshr=1, nspt=3, se=None,
            sec=1, ori=((0.0, 90.0, 0.0),)):
    sl, ori, th, zc, plyel, f, h = section(vx, ori)
    nc = np.asfortranarray(np.c_[NAT8, np.zeros(8)].T.reshape(3, 8, 1))
    tn = np.zeros((7, 1)) if tn is None else tn
    ts = np.zeros((9, 2, 4, 1)) if ts is None else ts
    se = np.zeros((6, 9, 4, 1)) if se is None else se
    return vx.elementhandling.getshelltransversestresses(
        tn, ts, nc, motion.reshape(6, 8, 1), se, h, f, ori, th, zc, plyel, np.array([nspt], np.int32),
        np.array(curv, float).reshape(2, 1), np.array([kind], np.int32), sl, 1, gpid, sec, itns, itshr)


def test_transverse_shear_of_a_flat_shell(vx):
    sl, ori, th, zc, plyel, f, h = section(vx)
    tn, ts = recover(vx, 4, SHEAR)
    q = h[:, :, 0] @ [0.0, 0.01]
    expect = vx.laminate.getext2dshearstress(q, ori[:, 0], f[:, :, 0], 3)
    assert np.allclose(ts[:, :, 0, 0], expect) and np.abs(expect).max() > 0
    assert not ts[:, :, 1:, 0].any()
    assert np.allclose(tn, 0.0, atol=1e-12)  # no shear-force gradient: no normal stress
    # a filled cache is kept
    ts2 = ts.copy()
    ts2[0, 0, 0, 0] = 123.0
    _, ts3 = recover(vx, 4, 2 * SHEAR, ts=ts2)
    assert ts3[0, 0, 0, 0] == 123.0 and np.allclose(ts3[1:, :, 0, 0], ts[1:, :, 0, 0])


def test_transverse_normal_stress_of_a_flat_shell(vx):
    sl, ori, th, zc, plyel, f, h = section(vx)
    m = np.zeros((6, 8))
    a = 0.02
    m[2] = 0.5 * a * NAT8[:, 0] ** 2   # w = a x^2 / 2: shear strain a x, its x-derivative a
    tn, _ = recover(vx, 5, m, itshr=0)
    rdx = h[:, :, 0] @ [0.0, a]
    expect = vx.laminate.getnormalstressfrombottom(rdx, [0.0, 0.0], zc[:, 0], f[:, :, 0])
    assert np.allclose(tn[:, 0], expect) and np.abs(expect).max() > 0


def test_transverse_stresses_leave_other_kinds_alone(vx):
    m = np.ones((6, 8))
    for kind in (0, 6, 7, 9, 10, 11):
        tn, ts = recover(vx, kind, m)
        assert not tn.any() and not ts.any()
    tn, ts = recover(vx, 4, np.zeros((6, 8)))
    assert not tn.any() and not ts.any()
    # indices beyond the storage are refused
    tn, ts = recover(vx, 4, m, gpid=5)
    assert err(vx)[0] == -2 and not tn.any() and not ts.any()
    vx.errorhandling.rsxerr(1)
    tn, ts = recover(vx, 4, m, nspt=4)   # 3 plies x 4 points > 9 rows
    assert err(vx)[0] == -2 and not ts.any()


def test_curved_shell_normal_stress_from_membrane_stresses(vx):
    """A cylinder curved along x with hoop stress 11: the curvature turns the
    membrane stress into transverse normal stress; along y it does not."""
    se = np.zeros((6, 9, 4, 1))
    se[0] = 100.0
    tn_x, _ = recover(vx, 4, SHEAR, curv=(0.05, 0.0), se=se, itshr=0)
    assert np.all(np.isfinite(tn_x)) and np.abs(tn_x).max() > 1.0
    tn_y, _ = recover(vx, 4, SHEAR, curv=(0.0, 0.05), se=se, itshr=0)
    assert np.abs(tn_y).max() < 1e-3 * np.abs(tn_x).max()


def test_second_section_is_taken(vx):
    two = ((0.0, 90.0, 0.0), (45.0, -45.0, 45.0))
    sl, ori, tk, zc, plyel, f, h = section(vx, two)
    out = [recover(vx, 4, SHEAR, curv=c, gpid=3, sec=2, ori=two)[1][:, :, 2, 0] for c in ((0.0, 0.0), (1e-7, 0.0))]
    q = h[:, :, 1] @ [0.0, 0.01]
    lam = vx.laminate
    expect = lam.getext2dshearstress(q, ori[:, 1], f[:, :, 1], 3)
    assert np.allclose(out[0], expect) and np.abs(expect).max() > 0
    # curved: the distribution values of the second section of the whole stack
    fg = lam.getarbitrarysectionfg(sl, ori, tk, zc, plyel, 1, 1, xycurv=[1e-7, 0.0])
    assert np.allclose(out[1], lam.getext2dshearstress(q, ori[:, 1], fg[:, :, 1], 3), rtol=1e-12, atol=1e-12)


def test_characteristic_lengths_and_centres(vx):
    e = vx.elementhandling
    box = np.array([(-1, -1, -1), (1, -1, -1), (1, 1, -1), (-1, 1, -1),
                    (-1, -1, 1), (1, -1, 1), (1, 1, 1), (-1, 1, 1)], float) * [1.5, 1.0, 0.25]
    assert e.gethex8elemlength(np.eye(3), box.T).tolist() == pytest.approx([3.0, 2.0, 0.5])
    perm = np.column_stack([[0, 0, 1.0], [-1.0, 0, 0], [0, 1.0, 0]])   # columns: z, -x, y
    assert e.gethex8elemlength(perm, box.T).tolist() == pytest.approx([0.5, 3.0, 2.0])
    quad = np.array([[0, 0, 0], [3, 0, 0], [3, 2, 1.0], [0, 2, 0]]).T   # node 3 lifted off the plane
    assert e.getquad4elemlength(np.eye(3), quad).tolist() == pytest.approx([3.0, 2.0, np.sqrt(13.0)])
    R = rotation([0, 0, 1], 0.6)
    assert e.getquad4elemlength(R, quad).tolist() == pytest.approx([3.0, 2.0, np.sqrt(13.0)])
    tri = np.array([[0, 0], [4, 0], [0, 2.0]]).T
    assert e.getcenternodes(tri).T.tolist() == [[2, 0], [2, 1], [0, 1]]
