"""Stress and strain notations: orders, reorderings, tensor forms, rotated stress states."""
import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation

from conftest import error_record

rng = np.random.default_rng(7101)

VOIGT = [(0, 0), (1, 1), (2, 2), (1, 2), (0, 2), (0, 1)]
NYE = [(0, 0), (1, 1), (2, 2), (0, 1), (0, 2), (1, 2)]
CYCLIC = [(0, 0), (1, 1), (2, 2), (0, 1), (1, 2), (0, 2)]


@pytest.fixture
def lam(vx):
    return vx.lamina


def test_tensor_to_vector_reads_upper_triangle_and_back(lam):
    q = rng.normal(size=(3, 3))  # lower triangle differs from the upper one
    for fn, order in ((lam.voigtnotation, VOIGT), (lam.nyenotation, NYE), (lam.cyclicnotation, CYCLIC)):
        np.testing.assert_array_equal(fn(q), [q[i, j] for i, j in order])
    sym = q + q.T
    np.testing.assert_array_equal(lam.cauchynotation(lam.voigtnotation(sym)), sym)


def test_flips_are_permutations_of_index_pairs(lam):
    v = np.array([1.0, 2, 3, 23, 13, 12])
    cyc = lam.flipvoigtcyclicnotation(v, 1, 2).ravel()
    np.testing.assert_array_equal(cyc, [1, 2, 3, 12, 23, 13])
    np.testing.assert_array_equal(lam.flipvoigtcyclicnotation(cyc, 1, 1).ravel(), v)
    np.testing.assert_array_equal(lam.flipvoigtnyenotation(v, 1).ravel(), [1, 2, 3, 12, 13, 23])
    # matrices: rows and columns permuted alike; the Voigt/Nye flip is its own inverse,
    # the cyclic shift is taken modulo 3 in either sense
    m = rng.normal(size=(6, 6))
    p = [0, 1, 2, 5, 4, 3]
    f = lam.flipvoigtnyenotation(m, 6)
    np.testing.assert_array_equal(f, m[np.ix_(p, p)])
    np.testing.assert_array_equal(lam.flipvoigtnyenotation(f, 6), m)
    for d in (1, 2, 3, 4, -1, -5):
        pc = [0, 1, 2] + [3 + (i + d) % 3 for i in range(3)]
        np.testing.assert_array_equal(lam.flipvoigtcyclicnotation(m, 6, d), m[np.ix_(pc, pc)])


@pytest.mark.parametrize("name,msg", [("flipvoigtnyenotation", "Unsupported extents of Q in FlipVoigtNyeNotation"),
                                      ("flipvoigtcyclicnotation", "Unsupported extents of Q inFlipVoigtCyclicNotation")])
def test_flip_unsupported_extent(vx, name, msg):
    fn = getattr(vx.lamina, name)
    args = (np.ones(6), 3) + ((2,) if "cyclic" in name else ())
    out = fn(*args)
    assert error_record(vx) == (-2, msg)
    assert out.shape == (6, 3) and not out.any()
    # a vector given where a matrix is read is refused by the binding, not read past its end
    with pytest.raises(vx.error):
        fn(np.ones(6), 6, *args[2:])


def test_tensor_components_of_shortened_vectors(vx):
    tc = vx.lamina.gettensorcomponents
    assert tc([1.0, 2.0, 3.0]) == (1.0, 2.0, 0.0, 3.0, 0.0, 0.0)
    assert tc([1.0, 2.0, 3.0], shearfactor=0.5) == (1.0, 2.0, 0.0, 1.5, 0.0, 0.0)
    assert tc([1.0, 2.0, 3.0, 4.0], shearfactor=2.0) == (1.0, 2.0, 3.0, 8.0, 0.0, 0.0)
    # full Voigt vector: 23, 13, 12 at positions 4, 5, 6
    assert tc([1.0, 2, 3, 23, 13, 12], shearfactor=0.5) == (1.0, 2.0, 3.0, 6.0, 6.5, 11.5)
    assert error_record(vx)[0] == 0
    # lengths that would be read as a full vector past their end are refused
    for n in (1, 2, 5):
        assert tc(np.ones(n)) == (0.0,) * 6
        assert error_record(vx) == (-2, "Unsupported length of TVoigt in GetTensorComponents")


def test_fourth_order_round_trip_and_contraction(lam):
    c6 = rng.normal(size=(6, 6))
    c4 = lam.gettensorfromvoigtstiffness(c6)
    np.testing.assert_array_equal(lam.getvoigtstiffnessfromtensor(c4), c6)
    np.testing.assert_array_equal(c4, np.swapaxes(c4, 0, 1))
    np.testing.assert_array_equal(c4, np.swapaxes(c4, 2, 3))
    # the 6 x 6 form acting on the engineering strain equals the tensor contraction
    c6 = c6 + c6.T
    c4 = lam.gettensorfromvoigtstiffness(c6)
    eps = rng.normal(size=(3, 3))
    eps = eps + eps.T
    e_eng = np.array([eps[i, j] * (1 if i == j else 2) for i, j in VOIGT])
    np.testing.assert_allclose(c6 @ e_eng, lam.voigtnotation(np.einsum("ijkl,kl->ij", c4, eps)), rtol=1e-13)


def stress_tensor(s11, s22, s33, s12, s13, s23):
    return np.array([[s11, s12, s13], [s12, s22, s23], [s13, s23, s33]])


def test_rotated_stresses_and_tractions(vx, lam):
    s = (1.0, 2.0, 3.0, 4.0, 5.0, 6.0)
    # quarter turn about 3, as the exchange of axes 1 and 2 gives it
    np.testing.assert_allclose(lam.getrotatedstresses(math.pi / 2, [0, 0, 1.0], *s), [2, 1, 3, -4, 6, -5],
                               atol=1e-14)
    np.testing.assert_array_equal(lam.getrotatedstresses(0.0, [0, 0, 1.0], *s, soutflag=1), [1, 2, 3, 6, 5, 4])
    np.testing.assert_array_equal(lam.getrotatedstresses(0.0, [0, 0, 1.0], *s, soutflag=2), [1, 2, 3, 4, 6, 5])
    sig = stress_tensor(*s)
    for _ in range(3):
        n = rng.normal(size=3)
        n /= np.linalg.norm(n)
        th = rng.uniform(-3, 3)
        r = Rotation.from_rotvec(th * n).as_matrix()
        sp = r.T @ sig @ r
        np.testing.assert_allclose(lam.getrotatedstresses(th, n, *s), [sp[i, j] for i, j in NYE], atol=1e-13)
        # traction on the plane of each rotated axis: (normal, shear, shear)
        for flag, idx in ((1, [(0, 0), (0, 1), (0, 2)]), (2, [(1, 1), (0, 1), (1, 2)]),
                          (3, [(2, 2), (0, 2), (1, 2)])):
            np.testing.assert_allclose(lam.gettvectorfromarbitraryrotation(th, n, *s, tflag=flag),
                                       [sp[i, j] for i, j in idx], atol=1e-13)
        np.testing.assert_array_equal(lam.gettvectorfromarbitraryrotation(th, n, *s),
                                      lam.gettvectorfromarbitraryrotation(th, n, *s, tflag=3))
    tv = lam.gettvectorfromarbitraryrotation(0.1, [1.0, 0, 0], *s, tflag=4)
    assert error_record(vx) == (-2, "Unknown PFlag in GetTVectorFromArbitraryRotation")
    assert not tv.any()


@pytest.mark.parametrize("theta", [0.0, 0.4, 0.7, -1.1, 1.3, math.pi / 2])
def test_traction_on_plane_turned_about_fibre(vx, theta):
    s11, s22, s33, s12, s13, s23 = 9.0, -71.3, 13.9, 4.0, 5.0, 5.3
    tv = vx.lamina.gettvectoronrotatedxyplane(theta, s22, s33, s12, s13, s23)
    # the plane whose normal is axis 3 turned by theta about axis 1: traction
    # components along that normal, along the fibre and along the in-plane direction
    c, s = math.cos(theta), math.sin(theta)
    n, t = np.array([0.0, -s, c]), np.array([0.0, c, s])
    trac = stress_tensor(s11, s22, s33, s12, s13, s23) @ n
    np.testing.assert_allclose(tv, [trac @ n, trac[0], trac @ t], atol=1e-13)
    # the closed form, squares taken first, to the last bit
    assert tv[0] == s33 * c**2 + s22 * s**2 - 2 * s23 * s * c
    assert tv[2] == s23 * (c**2 - s**2) + (s33 - s22) * s * c


@pytest.mark.parametrize("phi", [0.0, 0.3, 1.2, -0.8, 2.5])
def test_phi_from_xz_plane(vx, phi):
    # a plane turned by phi from the xy plane lies a quarter turn on from the xz
    # plane, folded into [0, pi]; the sense of turning does not matter
    want = math.fmod(math.pi / 2 + abs(phi), math.pi)
    for cw in (0, 1):
        assert vx.lamina.getphimeasuredfromxzplane(phi, cw) == pytest.approx(want, abs=1e-12)
