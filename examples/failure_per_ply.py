"""The main job: reads the card files of a folder, then evaluates every ply of every section
under one load: ply stresses from the section strains, transverse shear stresses from the
section's shear distribution, the failure effort of each of the five modes with the criteria
the material card selects, and the degradation factors of the failed plies. The output starts
with a legend that says what each number is.

    python examples/failure_per_ply.py [CARDS] [--temperature T]
                                       [--load NX NY NXY MX MY MXY] [--shear Q23 Q13]

CARDS is a folder holding SectionCard.vxd and MaterialCard.vxd, and StepCard.vxd and
DamageCard.vxd when present (default: the example cards). Without --load and --shear the
example's load is applied; once either is given, the other is zero.

Exit status 0 after the results; 1 when a card holds a mistake or an error is recorded while
the efforts are computed (the message, naming the card, or the section, ply and mode, goes to
standard error and no result is printed); 2 for a missing card, a temperature the material card
does not give or a bad argument. Warnings (status -1) go to standard error and the job goes on."""
import argparse
import math
import os
import re
import sys

import numpy as np

import _vexlan as vx

HERE = os.path.dirname(os.path.abspath(__file__))
CARDS = os.path.join(HERE, "cards")
# The drivers' selector tables, as the library declares them (src/failure/damage_selectors.h):
# the criteria are named here as the guide names them.
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "docs"))
import criteriatables  # noqa: E402

CRITERIA = criteriatables.criteria()
LOAD = np.array([400.0, 60.0, 40.0, 0.0, 0.0, 0.0])  # Nx, Ny, Nxy in N/mm, Mx, My, Mxy in N
SHEAR = np.array([12.0, 20.0])  # transverse shear forces in N/mm, in the (23, 13) order of the shear matrices
MODES = criteriatables.MODES  # general, fibre, matrix, delamination, core
REQUIRED = ("SectionCard.vxd", "MaterialCard.vxd")
HUGE = np.finfo(float).max  # the temperature list of a card without temperatures holds only this
UNSET = 2147483647  # a ply without material, a section column no block filled
STEP_DEFAULTS = {"nupdate": 1, "edebug": 0, "ndebug": 0, "fdebug": 0, "verbose": 0, "unitid": -3}
# Damage kinds: their region arrays and their slot in the outlines (dmgpoints), in the card's order.
DAMAGE_KINDS = (("general", "generaldds", 0), ("fibre", "fiberdds", 1), ("matrix", "matrixdds", 2),
                ("delamination", "delamdds", 3), ("core", "coredds", 4), ("user", "userdds", 5))
LEGEND = """\
legend:
  s11 s22 s12 s13 s23: ply stresses at the middle of each ply, in ply axes (1 along the fibres,
    3 through the thickness), in the units of the moduli (MPa for moduli in MPa); s33 is 0
  load: forces N and transverse shear forces (Q23, Q13) in N/mm, moments M in N
  H: the section's transverse shear stiffness in N/mm, in the order H(23,23) H(23,13) H(13,23) H(13,13)
  general ... core: the failure effort of each mode by the criterion that the ply's material
    selects (named per material under each section; docs/cards.md says what each takes);
    F: failed in that mode (effort 1 or more); -: nothing evaluated (selector 0, a mode
    without criterion, the interface above the top ply)
  delamination of ply k: the interface between ply k and ply k + 1 above it, by ply k's
    criterion, with the interface normal stress s33i = 0
  stiffness factors of a failed ply: 1 intact, 1e-20 lost, in the order C11 C12 C22 C44 (12)
    C55 (13) C66 (23) C13 C23 C33; F in fibre degrades it as a fibre failure, F in general or
    matrix as a matrix failure (scheme 5 of a tape ply)"""


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
                   help=f"section forces in N/mm and moments in N (default: {LOAD} without --shear, "
                        "else zero)")
    p.add_argument("--shear", type=finite, nargs=2, metavar=("Q23", "Q13"),
                   help=f"transverse shear forces in N/mm (default: {SHEAR} without --load, else zero)")
    return p.parse_args(argv)


def load_of(args):
    """(load, shear): the example's load without either option, else what is given and zero."""
    if args.load is None and args.shear is None:
        return LOAD.copy(), SHEAR.copy()
    load = np.zeros(6) if args.load is None else np.array(args.load, dtype=float)
    shear = np.zeros(2) if args.shear is None else np.array(args.shear, dtype=float)
    return load, shear


def fmt(t):
    """A temperature as short as it reads back exactly, so that it can be typed again."""
    short = f"{t:g}"
    return short if float(short) == t else repr(t)


def check_record(where):
    """After a reader or a routine: a warning (-1) is shown and cleared, so that later errors are
    recorded too; any other status stops the job before any result."""
    eh = vx.errorhandling
    status = int(eh.errstat)
    if status == 0:
        return
    message = bytes(eh.errstring).rstrip(b"\0 ").decode(errors="replace")
    if status != -1:
        raise JobError(1, f"{where}: {message}")
    print(f"{where}: {message}", file=sys.stderr)
    eh.rsxerr(1)


def used_plies():
    """Plies of every section: those with a material."""
    m = vx.materialdata
    return [int(np.sum(m.matidlist[:, k] != UNSET)) for k in range(int(vx.sectiondata.nsec))]


def check_sections(path):
    if np.all(vx.sectiondata.secidlist == UNSET):  # a card without blocks reads without a word
        raise JobError(1, f"{path}: no section block")


def check_materials(path):
    """Every used ply has elastic constants and a thickness: the laminate of one without is singular."""
    m, s = vx.materialdata, vx.sectiondata
    for k, n in enumerate(used_plies()):
        for p in range(n):
            where = f"section {int(s.secidlist[k])}, ply {p + 1}"
            if not m.peprops[0, p, k] > 0.0:
                raise JobError(1, f"{where}: material {int(m.matidlist[p, k])} has no elastic constants")
            if not s.plythickness[p, k] > 0.0:
                raise JobError(1, f"{where}: no thickness")


def read_cards(folder, nsteps=1):
    """What job control does at the start of an analysis: reset the counters, then the step,
    section, material and damage readers in this order, each one's result checked before the
    next one runs."""
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
    counts = lambda: (int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))  # noqa: E731
    readers = (
        ("StepCard.vxd", lambda: io.getstepdatafromfile("", workspace, nsteps), None),
        ("SectionCard.vxd", lambda: io.getsectiondatafromfile("", workspace), check_sections),
        ("MaterialCard.vxd", lambda: io.getmaterialdatafromfile("", workspace, *counts()), check_materials),
        ("DamageCard.vxd", lambda: io.getdamagedatafromfile("", workspace, *counts()), None),
    )
    for name, read, check in readers:
        if paths[name] is not None:
            read()
            check_record(paths[name])
            if check:
                check(paths[name])
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
    return pe, ps


def listed(what, numbers):
    """Ascending numbers after their noun: plies [1, 2, 3, 5] as "plies 1 to 3, 5", [4] as "ply 4"."""
    runs = []
    for n in numbers:
        if runs and n == runs[-1][-1] + 1:
            runs[-1].append(n)
        else:
            runs.append([n])
    parts = [f"{r[0]} to {r[-1]}" if len(r) > 2 else ", ".join(map(str, r)) for r in runs]
    noun = what if len(numbers) == 1 else {"ply": "plies", "interface": "interfaces"}[what]
    return f"{noun} {', '.join(parts)}"


def damage_summary():
    """The damages of the damage card and where their regions are: "2 damages: fibre at ply 1, ..."."""
    d = vx.damagedata
    ndmg = int(d.ndmg)
    where = []
    for kind, name, slot in DAMAGE_KINDS:
        found = set()
        regions = getattr(d, name)
        if regions is not None:
            found |= {p + 1 for p in np.flatnonzero(np.any(regions[:2, :, :ndmg] != 0.0, axis=(0, 2)))}
        if d.dmgpoints is not None:
            outlines = d.dmgpoints[:, :, slot, :ndmg]
            found |= {p + 1 for p in np.flatnonzero(np.any(outlines != HUGE, axis=(0, 2)))}
        if found:
            where.append(f"{kind} at {listed('interface' if kind == 'delamination' else 'ply', sorted(found))}")
    head = f"{ndmg} damage{'s' if ndmg != 1 else ''}"
    return head + (": " + ", ".join(where) if where else "")


def unused_cards(paths):
    """What the step and damage cards gave, which the efforts do not use."""
    if paths["StepCard.vxd"]:
        d = vx.debugdata
        given = [f"{n} {int(getattr(d, n))}" for n, v in STEP_DEFAULTS.items() if int(getattr(d, n)) != v]
        cycles = vx.shokriehdata.cycleprops
        if cycles is not None:
            given.append(f"cycle settings {cycles.shape[0]} x {cycles.shape[1]}")
        step = "step card (" + (", ".join(given) or "the defaults") + ")"
    else:
        step = "no step card"
    damage = f"damage card ({damage_summary()})" if paths["DamageCard.vxd"] else "no damage card"
    return f"read, and not used by the efforts below: {step}; {damage}"


def criteria_of(flags):
    """The criteria of one material's five selectors, by the guide's names."""
    return ", ".join(f"{mode} {f} {CRITERIA[mode][f]['name']}" for mode, f in zip(MODES, flags))


def evaluated(mode, flag):
    """Whether the driver evaluates a criterion for the selector; one outside the table it is
    left to report."""
    return not 0 <= flag < len(CRITERIA[mode]) or bool(CRITERIA[mode][flag]["routine"])


def section_results(k, n, load, shear, pe, ps, pd, ori, thk, f_all, h_all):
    """Stresses, efforts and degradation of the n plies of section column k; every routine's
    record checked as it returns."""
    s, m, lam, dmg = vx.sectiondata, vx.materialdata, vx.laminate, vx.damage
    where = f"section {int(s.secidlist[k])}"
    angles, t = ori[:n, k], thk[:n, k]
    props = np.asfortranarray(pe[:, :n, k])
    a, b, d = lam.getamatrix(props, angles, t), lam.getbmatrix(props, angles, t), lam.getdmatrix(props, angles, t)
    abd = lam.getabdmatrix(a, b, d)
    check_record(where)
    try:
        strain = np.linalg.solve(abd, load)
    except np.linalg.LinAlgError:
        raise JobError(1, f"{where}: the laminate stiffness (ABD) is singular") from None
    eps = lam.getsectionstrain(strain, angles, t)  # ply axes, bottom/middle/top of every ply
    tau = lam.getext2dshearstress(shear, angles, np.asfortranarray(f_all[:2 * n + 1, :, k]), 3)
    check_record(where)
    stresses = []
    for p in range(n):  # at the middle of every ply
        s11, s22, s12 = vx.lamina.getnyestiffnessmatrix(props[:, p], 3) @ eps[:, 3 * p + 1]
        s23, s13 = tau[3 * p + 1]
        stresses.append(np.array([s11, s22, 0.0, s12, s13, s23]))
        check_record(f"{where}, ply {p + 1}")
    plies = []
    for p, stress in enumerate(stresses):
        flags = [int(f) for f in m.pfflags[:, p, k]]
        args = dict(layer=p + 1, isec=k + 1)
        drivers = {
            "general": lambda: dmg.generalfailure(stress, ps, ori, gpflag=flags[0], **args),
            "fibre": lambda: dmg.fiberbreakage(stress, pe, ps, ori, fbflag=flags[1], **args),
            "matrix": lambda: dmg.matrixcracking(stress, pe, ps, pd, ori, mcflag=flags[2], **args)[:2],
            "delamination": lambda: dmg.delamination(0.0, stress, stresses[p + 1], pe, ps, ori, thk,
                                                     delflag=flags[3], **args),
            "core": lambda: dmg.corecrushing(stress, ps, ori, ccflag=flags[4], **args),
        }
        efforts = []  # (failed, effort), None where nothing is evaluated
        for mode, flag in zip(MODES, flags):
            if not evaluated(mode, flag) or (mode == "delamination" and p == n - 1):
                efforts.append(None)
                continue
            failed, effort = drivers[mode]()
            check_record(f"{where}, ply {p + 1}, {mode}" + (" (interface above the ply)" if mode == "delamination"
                                                            else ""))
            efforts.append((failed, effort))
        factors = None
        fails = [bool(e and e[0]) for e in efforts]
        if any(fails[:3]):
            # damage state: fibre failure as flag 1, matrix failure as flag 4 (scheme 5 of a tape ply)
            dds = np.zeros(10)
            dds[0], dds[3] = float(fails[1]), float(fails[0] or fails[2])
            factors = vx.degradation.falcomdegradation(dds, 1.0, 5, 1)
            check_record(f"{where}, ply {p + 1}, degradation")
        plies.append((stress, efforts, factors))
    materials = {}
    for p in range(n):
        materials.setdefault(int(m.matidlist[p, k]), []).append(p + 1)
    return {"id": int(s.secidlist[k]), "angles": angles, "h": h_all[:, :, k], "plies": plies,
            "materials": {mat: (plies_of, [int(f) for f in m.pfflags[:, plies_of[0] - 1, k]])
                          for mat, plies_of in materials.items()}}


def cell(e):
    if e is None:
        return f"{'-':>8}    "
    return f"{e[1]:8.3f}{' F' if e[0] else '  '}  "


def print_section(r):
    n = len(r["plies"])
    print(f"\nsection {r['id']}: {n} plies, shear stiffness H (N/mm) {np.array2string(r['h'].ravel(), precision=1)}")
    for mat, (plies_of, flags) in r["materials"].items():
        print(f"  material {mat} ({listed('ply', plies_of)}): {criteria_of(flags)}")
    print("  ply  angle   s11      s22      s12      s13     s23   | " + " ".join(f"{x:>12}" for x in MODES))
    for p, (stress, efforts, _) in enumerate(r["plies"]):
        s11, s22, _, s12, s13, s23 = stress
        print((f"  {p + 1:3d} {r['angles'][p]:+6.0f} {s11:8.1f} {s22:8.2f} {s12:8.2f} {s13:7.2f} {s23:7.2f} | "
               + " ".join(cell(e) for e in efforts)).rstrip())
    for p, (_, _, factors) in enumerate(r["plies"]):
        if factors is not None:
            print(f"  ply {p + 1} degraded: stiffness factors {np.array2string(factors, precision=2)}")


def main(argv=None):
    args = parse_args(argv)
    load, shear = load_of(args)
    paths = read_cards(args.cards)
    s, m, lam = vx.sectiondata, vx.materialdata, vx.laminate
    temps = merged_temperatures()
    it = pick_temperature(args.temperature, temps, paths["MaterialCard.vxd"])
    plies = used_plies()
    pe, ps = constants_at(it, int(m.ntempdata), plies)
    pd = np.asfortranarray(m.pdprops)
    ori, thk = np.asfortranarray(s.plyorientation), np.asfortranarray(s.plythickness)
    f_all = lam.getsectionfmatrix(m.matidlist, ori, thk, s.plyzcoord, pe)
    h_all = lam.getsectionhmatrix(m.matidlist, ori, thk, pe)
    check_record("transverse shear of the sections")
    # Everything is computed before anything is printed: an error stops the job without a result.
    results = [section_results(k, n, load, shear, pe, ps, pd, ori, thk, f_all, h_all) for k, n in enumerate(plies)]
    print(f"load N = {load[:3]} N/mm, transverse shear forces (Q23, Q13) = {shear} N/mm")
    if np.any(load[3:]):
        print(f"moments M = {load[3:]} N")
    if temps:
        print(f"temperature {fmt(temps[it])} (material card: {', '.join(fmt(t) for t in temps)})")
    else:
        print("temperature: none given in the material card")
    print(unused_cards(paths))
    print(LEGEND)
    for r in results:
        print_section(r)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except JobError as e:
        print(e, file=sys.stderr)
        sys.exit(e.status)
