"""Through-thickness strains, ply bottom and top stresses, and the running integrals of a stack."""

import numpy as np
import pytest

from conftest import error_record as record
from laminate_oracle import CFRP, GFRP, bounds, plyelastic, ply_axis_strain, qbar


def test_strains_through_the_thickness(vx):
    lam = vx.laminate
    se = np.array([1e-3, -4e-4, 6e-4, 0.02, -0.01, 0.015])
    z = np.array([-0.3, -0.1, 0.0, 0.25])
    np.testing.assert_allclose(lam.getplystrain(se, z), se[:3, None] + z * se[3:, None], rtol=1e-15)
    angles, t = [0.0, 30.0, -70.0], [0.2, 0.1, 0.3]
    zb, zt = bounds(t)
    for ref in (0.0, 0.04):
        ps = lam.getsectionstrain(se, angles, t, reference=ref)
        for k, ang in enumerate(angles):
            for j, zz in enumerate((zb[k], (zb[k] + zt[k]) / 2, zt[k])):
                lamstrain = se[:3] + (zz - ref) * se[3:]
                np.testing.assert_allclose(ps[:, 3 * k + j], ply_axis_strain(lamstrain, ang), rtol=1e-12, atol=1e-18)


def test_section_strains_follow_every_change_of_the_angles(vx):
    """The ply angles' cosines and sines may be kept between calls: a changed
    angle (even in the last bit) must be taken anew, in every ply position,
    and a stack asked again gives the same bits."""
    lam = vx.laminate
    se = np.array([1e-3, -4e-4, 6e-4, 0.02, -0.01, 0.015])
    t = [0.125] * 4
    stacks = [[0.0, 45.0, -45.0, 90.0], [0.0, 30.0, -45.0, 90.0], [0.0, np.nextafter(45.0, 90.0), -45.0, 90.0],
              [0.0, 45.0, -45.0, np.nextafter(90.0, 0.0)], [90.0, -45.0, 45.0, 0.0]]
    first = [lam.getsectionstrain(se, a, t) for a in stacks]
    # every stack differs from every other, so a stale angle cannot pass unseen
    assert all((first[i] != first[j]).any() for i in range(5) for j in range(i))
    zb, zt = bounds(t)
    for a, got in zip(stacks, first):
        for k, ang in enumerate(a):
            lamstrain = se[:3] + (zb[k] + zt[k]) / 2 * se[3:]
            np.testing.assert_allclose(got[:, 3 * k + 1], ply_axis_strain(lamstrain, ang), rtol=1e-12, atol=1e-18)
    for a, ref in list(zip(stacks, first))[::-1] * 2:
        np.testing.assert_array_equal(lam.getsectionstrain(se, a, t), ref)


def test_ply_bottom_and_top_stresses(vx):
    lam = vx.laminate
    s = np.arange(1.0, 37.0).reshape(6, 6, order="F")  # point i holds 6(i-1)+1 .. 6i
    # three points in each of two plies: bottom 1, top 3, bottom 4, top 6
    sbt = lam.getplybottomtopstress(s, [3, 3])
    np.testing.assert_array_equal(sbt, s[:, [0, 2, 3, 5]])
    # counts that overrun the points: only what lies inside is taken
    sbt = lam.getplybottomtopstress(s, [5, 5, 5])
    np.testing.assert_array_equal(sbt, s[:, [0, 4, 5, 0, 0, 5]] * [1, 1, 1, 0, 0, 1])
    # two points are only the bottom and the top of the stack
    np.testing.assert_array_equal(lam.getplybottomtopstress(s[:, :2], [1, 1]), s[:, [0, 0, 0, 1]] * [1, 0, 0, 1])
    assert record(vx)[0] == 0
    lam.getplybottomtopstress(s, [0, 3])
    assert record(vx)[0] == -2


def stack_points(t, per_ply):
    """Point list with per_ply intervals in each ply."""
    zb, zt = bounds(t)
    pts = [zb[0]]
    for lo, hi in zip(zb, zt):
        pts += list(np.linspace(lo, hi, per_ply + 1)[1:])
    return np.array(pts)


def running_integral(props, angles, t, z, integrand):
    """Integral from the bottom to each point of integrand(ply, z) by Gauss quadrature."""
    zb, zt = bounds(t)
    x, w = np.polynomial.legendre.leggauss(6)
    out = [np.zeros_like(integrand(0, 0.0))]
    for lo, hi in zip(z[:-1], z[1:]):
        k = int(np.searchsorted(zt, (lo + hi) / 2))
        acc = out[-1].copy()
        for xi, wi in zip(x, w):
            zz = (lo + hi) / 2 + xi * (hi - lo) / 2
            acc = acc + wi * (hi - lo) / 2 * integrand(k, zz)
        out.append(acc)
    return np.stack(out, axis=-1)


ALPHA = [-0.5e-6, 30e-6]  # expansion along and across the fibre


def test_running_integrals(vx):
    lam = vx.laminate
    props, angles, t = [CFRP, GFRP, CFRP], [30.0, -45.0, 90.0], [0.2, 0.1, 0.3]
    pe = plyelastic(props)
    z = stack_points(t, 2)
    for expo in (1, 2, 3):
        x = lam.getarbitrarylaminateintegral(expo, pe, angles, z, [2, 2, 2])
        ref = running_integral(props, angles, t, z, lambda k, zz: qbar(props[k], angles[k]) * zz ** (expo - 1))
        np.testing.assert_allclose(x, ref, rtol=1e-10, atol=1e-10 * np.abs(ref).max())
    # uneven interval counts
    z2 = np.concatenate([[bounds(t)[0][0]], [bounds(t)[1][0]], stack_points(t, 3)[4:]])
    x = lam.getarbitrarylaminateintegral(1, pe, angles, z2, [1, 3, 3])
    np.testing.assert_allclose(x[:, :, -1], lam.getamatrix(pe, angles, t), rtol=1e-12)
    # thermal force integrand: Qbar times the laminate-axis expansion (the ply-axis
    # one turned back), first column only; the expansion follows the nine constants
    tp = np.asfortranarray(np.array([np.r_[p, ALPHA] for p in props]).T)
    x = lam.getarbitrarylaminateintegral(1, tp, angles, z, [2, 2, 2], thflag=1)
    ref = running_integral(props, angles, t, z,
                           lambda k, zz: qbar(props[k], angles[k]) @ ply_axis_strain(ALPHA + [0.0], -angles[k]))
    np.testing.assert_allclose(x[:, 0, :], ref, rtol=1e-10, atol=1e-12 * np.abs(ref).max())
    np.testing.assert_array_equal(x[:, 1:, :], 0.0)
    assert record(vx)[0] == 0


def test_running_integrals_refuse_points_beyond_the_list(vx):
    lam = vx.laminate
    props, angles, t = [CFRP] * 3, [0.0, 45.0, 90.0], [0.1] * 3
    pe = plyelastic(props)
    z = stack_points(t, 2)
    for call in (lambda: lam.getarbitrarylaminateintegral(1, pe, angles, z, [2, 2, 3]),
                 lambda: lam.getarbitrarylaminateintegral(1, pe, angles, z, [2, 2, 2], thflag=1),  # no expansion
                 lambda: lam.getpartialcdwithcurvature(np.zeros((3, 3, 7)), pe, angles, z, [2, 2, 3], 0.0, 0.0, 0),
                 lambda: lam.getpartialcdwithcurvature(np.zeros((3, 2, 7)), pe, angles, z, [2, 2, 2], 0.0, 0.0, 0)):
        vx.errorhandling.errstat = 0
        assert not call().any()
        assert record(vx)[0] == -2


def test_curvature_expansion_and_partial_fg(vx):
    lam = vx.laminate
    props, angles, t = [CFRP, GFRP], [20.0, -70.0], [0.3, 0.2]
    pe = plyelastic(props)
    z = stack_points(t, 2)
    zs = [lam.getarbitrarylaminateintegral(e, pe, angles, z, [2, 2]) for e in (1, 2, 3)]
    ki, kj = 0.4, -0.7
    p = lam.getpartialabwithcurvature(zs[0], zs[1], zs[2], ki, kj)
    ref = running_integral(props, angles, t, z, lambda k, zz: qbar(props[k], angles[k]) * (1 - ki * zz) * (1 - kj * zz))
    np.testing.assert_allclose(p, ref, rtol=1e-10, atol=1e-10 * np.abs(ref).max())
    rng = np.random.default_rng(3)
    t1, t2 = rng.normal(size=(3, 3)), rng.normal(size=(3, 3))
    fg = lam.getpartialfg(zs[0], zs[1], t1, t2, 1)
    ref = np.einsum("ijn,jk->ikn", zs[0], t1) - np.einsum("ijn,jk->ikn", zs[1], t2)
    np.testing.assert_allclose(fg, ref, rtol=1e-12, atol=1e-12 * np.abs(ref).max())
    np.testing.assert_array_equal(lam.getpartialfg(zs[0], zs[1], t1, t2, 0), -fg)


@pytest.mark.parametrize("cdflag", [0, 1])
def test_flat_partial_integral_is_the_double_integral(vx, cdflag):
    """The integral from the bottom of the running integral of Qbar (first
    kind) or of Qbar z (second kind)."""
    lam = vx.laminate
    props, angles, t = [CFRP, GFRP, CFRP], [0.0, 60.0, -30.0], [0.2, 0.1, 0.2]
    pe = plyelastic(props)
    z = stack_points(t, 2)
    zi = lam.getarbitrarylaminateintegral(cdflag + 1, pe, angles, z, [2, 2, 2])
    x = lam.getpartialcdwithcurvature(zi, pe, angles, z, [2, 2, 2], 0.0, 0.0, cdflag)
    zb = bounds(t)[0]

    def running(k, zz):
        grown = zz - zb[k] if cdflag == 0 else (zz * zz - zb[k] ** 2) / 2
        return zi[:, :, 2 * k] + qbar(props[k], angles[k]) * grown

    ref = running_integral(props, angles, t, z, running)
    np.testing.assert_allclose(x, ref, rtol=1e-10, atol=1e-10 * np.abs(ref).max())


def test_curved_partial_integrals_of_both_kinds(vx):
    lam = vx.laminate
    # curved, one ply: each point is the closed-form weight times the ply stiffness, to the last bit
    q = vx.lamina.getnyeoffaxissc(35.0, CFRP, 3, 1)
    zp = np.array([-0.33, 0.11, 0.29])
    ki, kj = 0.6, -1.3
    for cdflag in (0, 1):
        x = lam.getpartialcdwithcurvature(np.zeros((3, 3, 3)), plyelastic([CFRP]), [35.0], zp, [2], ki, kj, cdflag)
        for j in (1, 2):
            zz, b = zp[j], zp[0]
            ll, ai = zz - b, 1.0 - ki * zz
            if cdflag == 1:
                ca = (2 * b + zz - kj * (zz**2 + 2 * zz * b + 3 * b**2) / 2) * ll**2 / (6 * ai)
            else:
                ca = (1 - kj * (2 * b + zz) / 3) * ll**2 / (2 * ai)
            np.testing.assert_array_equal(x[:, :, j], ca * q)
