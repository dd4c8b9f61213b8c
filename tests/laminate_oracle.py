"""Textbook ply and laminate formulas for the tests (independent of the library)."""
import math

import numpy as np

CFRP = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5.0e3, 5.0e3, 3.5e3])
GFRP = np.array([45e3, 12e3, 12e3, 0.28, 0.28, 0.4, 4.5e3, 4.5e3, 4.0e3])


def orthotropic_compliance(e1, e2, e3, nu12, nu13, nu23, g4, g5, g6):
    """6 x 6 orthotropic compliance on engineering shear; g4, g5, g6 are the
    shear moduli of rows 4 to 6, in whichever shear order the caller uses."""
    s = np.zeros((6, 6))
    s[0, 0], s[1, 1], s[2, 2] = 1 / e1, 1 / e2, 1 / e3
    s[0, 1] = s[1, 0] = -nu12 / e1
    s[0, 2] = s[2, 0] = -nu13 / e1
    s[1, 2] = s[2, 1] = -nu23 / e2
    s[3, 3], s[4, 4], s[5, 5] = 1 / g4, 1 / g5, 1 / g6
    return s


def isotropic_stiffness(e, nu):
    """Isotropic stiffness on engineering shear, as the inverse of the compliance."""
    g = e / (2 * (1 + nu))
    return np.linalg.inv(orthotropic_compliance(e, e, e, nu, nu, nu, g, g, g))


def q_onaxis(p):
    e1, e2, nu12, g12 = p[0], p[1], p[3], p[6]
    nu21 = nu12 * e2 / e1
    d = 1.0 - nu12 * nu21
    return np.array([[e1 / d, nu12 * e2 / d, 0.0], [nu12 * e2 / d, e2 / d, 0.0], [0.0, 0.0, g12]])


def qbar(p, deg):
    """Off-axis stiffness in the (x, y, xy) order on engineering shear strain: the
    on-axis one taken through the strain transformation, T^T Q T."""
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    t = np.array([[c * c, s * s, c * s], [s * s, c * c, -c * s], [-2 * c * s, 2 * c * s, c * c - s * s]])
    return t.T @ q_onaxis(p) @ t


def invariants(p):
    q = q_onaxis(p)
    q11, q12, q22, q66 = q[0, 0], q[0, 1], q[1, 1], q[2, 2]
    return ((3 * q11 + 3 * q22 + 2 * q12 + 4 * q66) / 8, (q11 - q22) / 2,
            (q11 + q22 - 2 * q12 - 4 * q66) / 8, (q11 + q22 + 6 * q12 - 4 * q66) / 8,
            (q11 + q22 - 2 * q12 + 4 * q66) / 8)


def bounds(t):
    """Bottom and top z of each ply, ply 1 at the bottom, origin at the mid-plane."""
    t = np.asarray(t, float)
    top = np.cumsum(t) - t.sum() / 2
    return top - t, top


def section_points(t):
    """The 2n + 1 heights of a section: each ply's bottom and middle, then the top."""
    zb, zt = bounds(t)
    return np.append(np.column_stack([zb, (zb + zt) / 2]).ravel(), zt[-1])


def simpson_per_ply(values, t):
    """Integral over the stack of a quantity quadratic within each ply, given at
    the section points (exact for f and for quadratic stresses)."""
    return sum(t[k] / 6 * (values[2 * k] + 4 * values[2 * k + 1] + values[2 * k + 2]) for k in range(len(t)))


def abd_parallel_axis(props, angles, t):
    """A, B, D from ply thickness, centroid and the parallel-axis theorem."""
    zb, zt = bounds(t)
    a, b, d = np.zeros((3, 3)), np.zeros((3, 3)), np.zeros((3, 3))
    for p, ang, tk, lo, hi in zip(props, angles, t, zb, zt):
        q, zc = qbar(p, ang), (lo + hi) / 2
        a += q * tk
        b += q * tk * zc
        d += q * (tk**3 / 12 + tk * zc * zc)
    return a, b, d


def ply_axis_strain(eps_xy, deg):
    """Engineering strains (x, y, xy) turned into ply axes through the strain tensor."""
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    r = np.array([[c, s], [-s, c]])  # rows: fibre and transverse directions
    e = np.array([[eps_xy[0], eps_xy[2] / 2], [eps_xy[2] / 2, eps_xy[1]]])
    ep = r @ e @ r.T
    return np.array([ep[0, 0], ep[1, 1], 2 * ep[0, 1]])


def plyelastic(props):
    return np.asfortranarray(np.array(props, float).T)
