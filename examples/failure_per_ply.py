"""Reads the example card files, then evaluates every ply of every section under one
load: ply stresses from the section strains, transverse shear stresses from the
section's shear distribution, the failure effort of each of the five modes with the
criteria the material card selects, and the degradation factors of the failed plies."""
import os

import numpy as np

import _vexlan as vx

CARDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cards")
LOAD = np.array([400.0, 60.0, 40.0, 0.0, 0.0, 0.0])  # Nx, Ny, Nxy in N/mm, Mx, My, Mxy in N
SHEAR = np.array([12.0, 20.0])  # transverse shear forces in N/mm, in the (23, 13) order of the shear matrices
MODES = ("general", "fibre", "matrix", "delamination", "core")


def read_cards(workspace, nsteps=1):
    vx.datahandling.deallocall()
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1
    io = vx.iohandling
    io.getstepdatafromfile("", workspace, nsteps)
    io.getsectiondatafromfile("", workspace)
    io.getmaterialdatafromfile("", workspace, int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))


def main():
    read_cards(CARDS)
    s, m, lam, dmg = vx.sectiondata, vx.materialdata, vx.laminate, vx.damage
    np_all, nsec = int(s.nplies), int(s.nsec)
    # The first temperature's constants of every ply, as the section routines expect them.
    pe = np.asfortranarray(m.peprops[:9])
    ps = np.asfortranarray(m.psprops[:10])
    pd = np.asfortranarray(m.pdprops)
    ori, thk = np.asfortranarray(s.plyorientation), np.asfortranarray(s.plythickness)
    f_all = lam.getsectionfmatrix(m.matidlist, ori, thk, s.plyzcoord, pe)
    h_all = lam.getsectionhmatrix(m.matidlist, ori, thk, pe)
    print(f"load N = {LOAD[:3]} N/mm, transverse shear forces {SHEAR} N/mm")
    for k in range(nsec):
        n = int(np.sum(m.matidlist[:, k] != 2147483647))
        angles, t = ori[:n, k], thk[:n, k]
        props = np.asfortranarray(pe[:, :n, k])
        a, b, d = lam.getamatrix(props, angles, t), lam.getbmatrix(props, angles, t), lam.getdmatrix(props, angles, t)
        strain = np.linalg.solve(lam.getabdmatrix(a, b, d), LOAD)
        eps = lam.getsectionstrain(strain, angles, t)  # ply axes, bottom/middle/top of every ply
        tau = lam.getext2dshearstress(SHEAR, angles, np.asfortranarray(f_all[:2 * n + 1, :, k]), 3)
        print(f"\nsection {int(s.secidlist[k])}: {n} plies, shear stiffness H (N/mm) "
              f"{np.array2string(h_all[:, :, k].ravel(), precision=1)}")
        print("  ply  angle   s11      s22      s12      s13     s23   | " + " ".join(f"{x:>12}" for x in MODES))
        stresses = []
        for p in range(n):  # at the middle of every ply
            s11, s22, s12 = vx.lamina.getnyestiffnessmatrix(props[:, p], 3) @ eps[:, 3 * p + 1]
            s23, s13 = tau[3 * p + 1]
            stresses.append(np.array([s11, s22, 0.0, s12, s13, s23]))
        failed = np.zeros((n, 5))
        for p, stress in enumerate(stresses):
            s11, s22, _, s12, s13, s23 = stress
            flags = m.pfflags[:, p, k]
            args = dict(layer=p + 1, isec=k + 1)
            efforts = [
                dmg.generalfailure(stress, ps, ori, gpflag=flags[0], **args),
                dmg.fiberbreakage(stress, pe, ps, ori, fbflag=flags[1], **args),
                dmg.matrixcracking(stress, pe, ps, pd, ori, mcflag=flags[2], **args)[:2],
                dmg.delamination(0.0, stress, stresses[p + 1], pe, ps, ori, thk, delflag=flags[3], **args) if p < n - 1
                else (0.0, 0.0),
                dmg.corecrushing(stress, ps, ori, ccflag=flags[4], **args),
            ]
            failed[p] = [e[0] for e in efforts]
            print(f"  {p + 1:3d} {angles[p]:+6.0f} {s11:8.1f} {s22:8.2f} {s12:8.2f} {s13:7.2f} {s23:7.2f} | "
                  + " ".join(f"{e[1]:8.3f}{' F' if e[0] else '  '}  " for e in efforts))
        for p in np.flatnonzero(failed[:, :3].any(axis=1)):
            # damage state: fibre failure as flag 1, matrix failure as flag 4 (scheme 5 of a tape ply)
            dds = np.zeros(10)
            dds[0], dds[3] = failed[p, 1], max(failed[p, 0], failed[p, 2])
            factors = vx.degradation.falcomdegradation(dds, 1.0, 5, 1)
            print(f"  ply {p + 1} degraded: stiffness factors {np.array2string(factors, precision=2)}")
    if int(vx.errorhandling.errstat) != 0:
        print("note:", vx.errorhandling.errstring[()].decode().strip())


if __name__ == "__main__":
    main()
