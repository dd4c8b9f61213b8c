"""Failure envelopes of five criteria for one carbon/epoxy ply.

Draws the first-failure envelopes of maximum stress, Tsai-Wu, Hashin, Puck and
LaRC05 in the (s22, s12) and the (s11, s22) stress planes. Every envelope point
comes from the criteria themselves: along each loading direction the load
factor is bisected until the criterion's effort reaches 1.0. The figure goes to
failure_envelopes.png (or the path given as the first argument) when
matplotlib is installed; the uniaxial check at the end is printed either way.
"""
import math
import sys

import numpy as np

import _vexlan as vx

try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:  # the figure is optional
    plt = None

# Ply strengths (MPa) and the in-plane shear modulus of the example ply.
XT, XC, YT, YC, S12, S23 = 1500.0, 1200.0, 50.0, 200.0, 80.0, 60.0
G12 = 4800.0

gp, fb, mc = vx.gpcollection, vx.fbcollection, vx.mccollection


def max_stress(s11, s22, s12):
    return max(gp.gpmaxnominal(s11, XT, XC), gp.gpmaxnominal(s22, YT, YC), gp.gpmaxnominal(s12, S12, S12))


def tsai_wu(s11, s22, s12):
    # interaction coefficient F12* = -1/2; plane stress, transverse strengths for direction 3
    return gp.gppolynomial(s11, s22, 0.0, s12, 0.0, 0.0, XT, XC, YT, YC, YT, YC, S12, S12, S23, xint=-0.5)


def hashin(s11, s22, s12):
    return max(fb.fbhashin(s11, s12, 0.0, XT, XC, S12, S12), mc.mcrckhashinps(s22, s12, YT, YC, S12, S23))


def puck(s11, s22, s12):
    fibre = gp.gpmaxnominal(s11, XT, XC)
    return max(fibre, mc.mcrckpuck(s22, 0.0, s12, 0.0, 0.0, YT, YC, S12, sainc=1.0)[0])


def larc05(s11, s22, s12):
    fibre = fb.fblarc05(s11, s22, 0.0, s12, 0.0, 0.0, XT, XC, YT, YC, S12, G12, sainc=2.0)
    return max(fibre, mc.mcrcklarc05(s22, 0.0, s12, 0.0, 0.0, YT, YC, S12, sainc=1.0)[0])


CRITERIA = {"max stress": max_stress, "Tsai-Wu": tsai_wu, "Hashin": hashin, "Puck": puck, "LaRC05": larc05}


def failure_load(effort, direction, hi=10.0):
    """Load factor along a unit stress direction at which the effort reaches 1."""
    lo = 0.0
    while effort(*(hi * direction)) < 1.0:
        lo, hi = hi, 2.0 * hi
        if hi > 1e7:
            return math.inf
    for _ in range(60):
        mid = 0.5 * (lo + hi)
        if effort(*(mid * direction)) >= 1.0:
            hi = mid
        else:
            lo = mid
    return hi


def envelope(effort, plane, n=144):
    """Envelope points in the plane given as the indices of its two stresses."""
    pts = []
    for a in np.linspace(0.0, 2.0 * math.pi, n + 1):
        d = np.zeros(3)
        d[plane[0]], d[plane[1]] = math.cos(a), math.sin(a)
        lam = failure_load(effort, d)
        pts.append(lam * d[list(plane)])
    return np.array(pts)


def figure(path):
    fig, axes = plt.subplots(1, 2, figsize=(12, 5.5))
    planes = [((1, 2), "s22 (MPa)", "s12 (MPa)"), ((0, 1), "s11 (MPa)", "s22 (MPa)")]
    for ax, (plane, xl, yl) in zip(axes, planes):
        for name, effort in CRITERIA.items():
            p = envelope(effort, plane)
            ax.plot(p[:, 0], p[:, 1], label=name)
        ax.set_xlabel(xl)
        ax.set_ylabel(yl)
        ax.axhline(0.0, color="0.8", lw=0.8)
        ax.axvline(0.0, color="0.8", lw=0.8)
        ax.grid(True, lw=0.3)
    axes[0].set_title("transverse normal and in-plane shear stress")
    axes[1].set_title("fibre and transverse normal stress")
    axes[0].legend()
    fig.suptitle("First-failure envelopes of a carbon/epoxy ply")
    fig.tight_layout()
    fig.savefig(path, dpi=120)
    print("envelopes written to", path)


def main(path="failure_envelopes.png"):
    if plt is not None:
        figure(path)
    else:
        print("matplotlib is not installed: no figure")
    # the uniaxial strengths lie on every envelope
    for name, effort in CRITERIA.items():
        print(f"{name:10s} uniaxial transverse tension at {failure_load(effort, np.array([0.0, 1.0, 0.0])):8.2f} MPa")


if __name__ == "__main__":
    main(*sys.argv[1:2])
