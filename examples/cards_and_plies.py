"""Reads the example card files (step, section and material cards in examples/cards), then
analyses each section as a laminate: ply stacking, ply constants per temperature, ABD matrix,
engineering constants and the ply stresses under a membrane load."""
import os

import numpy as np

import _vexlan as vx

CARDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cards")
LOAD = np.array([100.0, 20.0, 10.0, 0.0, 0.0, 0.0])  # Nx, Ny, Nxy in N/mm, Mx, My, Mxy in N


def read_cards(workspace, nsteps=1):
    """What job control does at the start of an analysis: reset the counters, read the cards."""
    vx.datahandling.deallocall()
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1
    io = vx.iohandling
    io.getstepdatafromfile("", workspace, nsteps)
    io.getsectiondatafromfile("", workspace)
    io.getmaterialdatafromfile("", workspace, int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
    if int(vx.errorhandling.errstat) != 0:
        print("card problem:", vx.errorhandling.errstring[()].decode().strip())


def ply_stresses(props, angles, zmid, eps0, kappa):
    """Stresses in ply axes (11, 22, 12) at each ply's mid-plane."""
    out = []
    for p, (a, z) in enumerate(zip(angles, zmid)):
        qbar = vx.lamina.getnyeoffaxissc(a, props[:, p], 3, 1)
        sx, sy, txy = qbar @ (eps0 + z * kappa)
        c, s = np.cos(np.radians(a)), np.sin(np.radians(a))
        out.append([c * c * sx + s * s * sy + 2 * c * s * txy,
                    s * s * sx + c * c * sy - 2 * c * s * txy,
                    -c * s * sx + c * s * sy + (c * c - s * s) * txy])
    return np.array(out)


def main():
    np.set_printoptions(precision=4, suppress=False, linewidth=110)
    read_cards(CARDS)
    s, m = vx.sectiondata, vx.materialdata
    temps = [float(x) for x in m.temperatures]
    print(f"update interval {int(vx.debugdata.nupdate)}, verbosity {int(vx.debugdata.verbose)}")
    print(f"{int(s.nsec)} sections, up to {int(s.nplies)} plies, temperatures {temps}")
    for k in range(int(s.nsec)):
        ids = m.matidlist[:, k]
        n = int(np.sum(ids != 2147483647))
        angles, t = s.plyorientation[:n, k], s.plythickness[:n, k]
        print(f"\nsection {int(s.secidlist[k])}: {n} plies, materials {sorted(set(ids[:n].tolist()))}")
        print("  angles      ", angles)
        print("  z (bottom, middle, ..., top)", s.plyzcoord[:2 * n + 1, k])
        # A material of n strengths keeps those of temperature t in rows n t to n (t + 1);
        # one without a factor table has its constants in the first block only.
        blocks = len(temps) if len(temps) > 1 and np.any(m.peprops[9:18, 0, k]) else 1
        nstr = int(np.count_nonzero(m.psprops[:, 0, k])) // blocks
        for it, temp in enumerate(temps[:blocks]):
            nye = m.peprops[9 * it:9 * it + 9, 0, k]
            print(f"  ply 1 at {temp:g}: E1 E2 E3 {nye[:3]}, nu {nye[3:6]}, G {nye[6:]}")
            print(f"             strengths {m.psprops[nstr * it:nstr * it + nstr, 0, k]}")
        props = np.asfortranarray(m.peprops[:9, :n, k])
        a = vx.laminate.getamatrix(props, angles, t)
        b = vx.laminate.getbmatrix(props, angles, t)
        d = vx.laminate.getdmatrix(props, angles, t)
        abd = vx.laminate.getabdmatrix(a, b, d)
        h = float(np.sum(t))
        eng = vx.laminate.getengconstsfromabdmatrix(abd, h)
        print("  ABD matrix (N/mm, N, N mm):")
        for row in abd:
            print("   ", " ".join(f"{v:11.4g}" for v in row))
        print(f"  membrane Ex {eng[0]:.0f}, Ey {eng[1]:.0f}, Gxy {eng[2]:.0f} MPa, nuxy {eng[3]:.4f}")
        strain = np.linalg.solve(abd, LOAD)
        zmid = s.plyzcoord[1:2 * n:2, k]
        sig = ply_stresses(props, angles, zmid, strain[:3], strain[3:])
        print(f"  ply stresses (11, 22, 12) in MPa under N = {LOAD[:3]} N/mm:")
        for p in range(n):
            print(f"    ply {p + 1} ({angles[p]:+5.0f}): {sig[p, 0]:9.2f} {sig[p, 1]:9.2f} {sig[p, 2]:9.2f}")


if __name__ == "__main__":
    main()
