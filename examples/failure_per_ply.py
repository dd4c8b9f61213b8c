"""The main job: reads the card files of a folder, then evaluates every ply of every section
under one load: ply stresses from the section strains, transverse shear stresses from the
section's shear distribution, the failure effort of each of the five modes with the criteria
the material card selects, and the degradation factors of the failed plies.

    python examples/failure_per_ply.py [CARDS] [--temperature T]
                                       [--load NX NY NXY MX MY MXY] [--shear Q23 Q13]

CARDS is a folder holding SectionCard.vxd and MaterialCard.vxd, and StepCard.vxd and
DamageCard.vxd when present (default: the example cards). Exit status 0 after the results;
1 when a card holds a mistake (the reader's message goes to standard error and no result is
printed) or a routine records an error while the results are computed (printed after them);
2 for a missing card, a temperature the material card does not give or a bad argument.
Warnings go to standard error and the job goes on."""
import argparse
import math
import os
import re
import sys

import numpy as np

import _vexlan as vx

CARDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cards")
LOAD = np.array([400.0, 60.0, 40.0, 0.0, 0.0, 0.0])  # Nx, Ny, Nxy in N/mm, Mx, My, Mxy in N
SHEAR = np.array([12.0, 20.0])  # transverse shear forces in N/mm, in the (23, 13) order of the shear matrices
MODES = ("general", "fibre", "matrix", "delamination", "core")
REQUIRED = ("SectionCard.vxd", "MaterialCard.vxd")
HUGE = np.finfo(float).max  # the temperature list of a card without temperatures holds only this
UNSET = 2147483647  # a ply without material, a section column no block filled


class JobError(Exception):
    """A reason to stop before any result, with the exit status it calls for."""

    def __init__(self, status, message):
        super().__init__(message)
        self.status = status


def finite(text):
    value = float(text)
    if not math.isfinite(value):
        raise argparse.ArgumentTypeError(f"not a finite number: {text}")
    return value


def parse_args(argv):
    p = argparse.ArgumentParser(description="Failure effort of every ply of every section of a job's cards.")
    # A value such as -1e3 is a number, not an option; argparse's own pattern misses exponents.
    p._negative_number_matcher = re.compile(r"^-(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$")
    p.add_argument("cards", nargs="?", default=CARDS, metavar="CARDS",
                   help="folder holding SectionCard.vxd and MaterialCard.vxd, and StepCard.vxd and "
                        "DamageCard.vxd when present (default: the example cards)")
    p.add_argument("--temperature", type=finite, metavar="T",
                   help="one of the material card's temperatures (default: the first)")
    p.add_argument("--load", type=finite, nargs=6, metavar=("NX", "NY", "NXY", "MX", "MY", "MXY"),
                   default=LOAD, help="section forces in N/mm and moments in N (default: %(default)s)")
    p.add_argument("--shear", type=finite, nargs=2, metavar=("Q23", "Q13"), default=SHEAR,
                   help="transverse shear forces in N/mm (default: %(default)s)")
    return p.parse_args(argv)


def fmt(t):
    """A temperature as short as it reads back exactly, so that it can be typed again."""
    short = f"{t:g}"
    return short if float(short) == t else repr(t)


def check_record(path):
    """After a reader: a warning is shown and cleared, so that the next reader's mistakes are
    recorded too; anything else stops the job before any result."""
    eh = vx.errorhandling
    status = int(eh.errstat)
    if status == 0:
        return
    message = bytes(eh.errstring).rstrip(b"\0 ").decode(errors="replace")
    if status != -1:
        raise JobError(1, f"{path}: {message}")
    print(f"{path}: {message}", file=sys.stderr)
    eh.rsxerr(1)


def read_cards(folder, nsteps=1):
    """What job control does at the start of an analysis: reset the counters, then the step,
    section, material and damage readers in this order, each checked before the next."""
    # Bytes keep a path that is not ASCII; the separator keeps trailing blanks, which the
    # readers would trim.
    workspace = os.fsencode(os.path.join(folder, ""))
    paths = {name: os.path.join(folder, name) for name in ("StepCard.vxd",) + REQUIRED + ("DamageCard.vxd",)}
    for name, path in paths.items():
        if not os.path.isfile(path):
            if name in REQUIRED:
                raise JobError(2, f"{path}: card missing")
            paths[name] = None
        elif not os.access(path, os.R_OK):
            # a reader that cannot open its card returns silently, as if there were none
            raise JobError(2, f"{path}: card not readable")
    vx.errorhandling.rsxerr(1)
    vx.datahandling.deallocall()
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1
    vx.damagedata.ndmg = 0
    io = vx.iohandling
    readers = (
        ("StepCard.vxd", lambda: io.getstepdatafromfile("", workspace, nsteps)),
        ("SectionCard.vxd", lambda: io.getsectiondatafromfile("", workspace)),
        ("MaterialCard.vxd", lambda: io.getmaterialdatafromfile("", workspace, int(vx.sectiondata.nplies),
                                                                int(vx.sectiondata.nsec))),
        ("DamageCard.vxd", lambda: io.getdamagedatafromfile("", workspace, int(vx.sectiondata.nplies),
                                                            int(vx.sectiondata.nsec))),
    )
    for name, read in readers:
        if paths[name] is not None:
            read()
            check_record(paths[name])
    return paths


def merged_temperatures():
    m = vx.materialdata
    if m.temperatures is None:
        return []
    return [float(t) for t in m.temperatures[:int(m.ntempdata)] if t != HUGE]


def pick_temperature(asked, temps, path):
    """Index of the temperature block: the first by default, else the one asked for."""
    listed = ", ".join(fmt(t) for t in temps)
    if asked is None:
        return 0
    if asked not in temps:
        given = f"its temperatures are {listed}" if temps else "it gives no temperatures"
        raise JobError(2, f"temperature {fmt(asked)} is not in {path}: {given}")
    return temps.index(asked)


def constants_at(it, nt, plies):
    """Elastic constants (9 x nplies x nsec) and strengths (10 x nplies x nsec) of every used ply
    at merged temperature it, as the section routines and failure drivers take them.

    A material with a factor table holds one block per temperature; one without holds its
    constants in the first block only, and those serve at every temperature. A material of n
    strengths keeps the strengths of temperature t in rows n t to n (t + 1)."""
    m = vx.materialdata
    pe_all, ps_all = m.peprops, m.psprops
    ne = pe_all.shape[0] // nt
    pe = np.zeros((9,) + pe_all.shape[1:], order="F")
    ps = np.zeros((10,) + ps_all.shape[1:], order="F")
    for k, n in enumerate(plies):
        for p in range(n):
            scaled = nt > 1 and np.any(pe_all[ne:2 * ne, p, k])
            b = it if scaled else 0
            pe[:, p, k] = pe_all[ne * b:ne * b + 9, p, k]
            nstr = int(np.count_nonzero(ps_all[:, p, k])) // (nt if scaled else 1)
            nstr = min(nstr, 10)
            ps[:nstr, p, k] = ps_all[nstr * b:nstr * b + nstr, p, k]
            # the laminate of a ply without stiffness or thickness is singular
            where = f"section {int(vx.sectiondata.secidlist[k])}, ply {p + 1}"
            if not pe[0, p, k] > 0.0:
                raise JobError(1, f"{where}: material {int(m.matidlist[p, k])} has no elastic constants")
            if not vx.sectiondata.plythickness[p, k] > 0.0:
                raise JobError(1, f"{where}: no thickness")
    return pe, ps


def main(argv=None):
    args = parse_args(argv)
    load, shear = np.array(args.load, dtype=float), np.array(args.shear, dtype=float)
    paths = read_cards(args.cards)
    s, m, lam, dmg = vx.sectiondata, vx.materialdata, vx.laminate, vx.damage
    temps = merged_temperatures()
    it = pick_temperature(args.temperature, temps, paths["MaterialCard.vxd"])
    nsec = int(s.nsec)
    if np.all(s.secidlist == UNSET):  # a card without blocks reads without a word
        raise JobError(1, f"{paths['SectionCard.vxd']}: no section block")
    plies = [int(np.sum(m.matidlist[:, k] != UNSET)) for k in range(nsec)]
    pe, ps = constants_at(it, int(m.ntempdata), plies)
    pd = np.asfortranarray(m.pdprops)
    ori, thk = np.asfortranarray(s.plyorientation), np.asfortranarray(s.plythickness)
    f_all = lam.getsectionfmatrix(m.matidlist, ori, thk, s.plyzcoord, pe)
    h_all = lam.getsectionhmatrix(m.matidlist, ori, thk, pe)
    print(f"load N = {load[:3]} N/mm, transverse shear forces {shear} N/mm")
    if np.any(load[3:]):
        print(f"moments M = {load[3:]} N")
    if temps:
        print(f"temperature {fmt(temps[it])} (material card: {', '.join(fmt(t) for t in temps)})")
    else:
        print("temperature: none given in the material card")
    for k in range(nsec):
        n = plies[k]
        angles, t = ori[:n, k], thk[:n, k]
        props = np.asfortranarray(pe[:, :n, k])
        a, b, d = lam.getamatrix(props, angles, t), lam.getbmatrix(props, angles, t), lam.getdmatrix(props, angles, t)
        strain = np.linalg.solve(lam.getabdmatrix(a, b, d), load)
        eps = lam.getsectionstrain(strain, angles, t)  # ply axes, bottom/middle/top of every ply
        tau = lam.getext2dshearstress(shear, angles, np.asfortranarray(f_all[:2 * n + 1, :, k]), 3)
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
    # What the routines recorded while the results were computed: a warning leaves them
    # standing, anything else makes them doubtful.
    status = int(vx.errorhandling.errstat)
    if status != 0:
        message = bytes(vx.errorhandling.errstring).rstrip(b"\0 ").decode(errors="replace")
        print(f"recorded while computing (status {status}): {message}", file=sys.stderr)
        return 0 if status == -1 else 1
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except JobError as e:
        print(e, file=sys.stderr)
        sys.exit(e.status)
