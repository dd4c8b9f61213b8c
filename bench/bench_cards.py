"""Reading time of a large card set: 1,000 sections of 100 plies (section card),
ten materials distributed over them (material card) and 50 damages with
matrix regions in every ply and an outline of 64 vertices in ten plies (damage
card; no delamination, whose buckling lists take ndmg x nsec records and
would measure memory instead), read through the Python binding as job control
reads them.

Run on demand:  PYTHONPATH=build python3 bench/bench_cards.py
"""
import math
import os
import tempfile
import time

import _vexlan as vx

NSEC, NPLY, NMAT, NDMG, NVERT = 1000, 100, 10, 50, 64


def write_cards(d):
    ang = (0.0, 45.0, -45.0, 90.0)
    ori = ", ".join(f"{ang[k % 4]:.1f}" for k in range(NPLY))
    mats = " ".join(str(1 + (k % NMAT)) for k in range(NPLY))
    with open(os.path.join(d, "SectionCard.vxd"), "w") as fh:
        for s in range(1, NSEC + 1):
            fh.write(f"++Begin Section, SecID={s}\n+Material\n{mats}\n+Orientation\n{ori}\n"
                     f"+Thickness\n0.125\n+Strength\n310.0\n++End Section\n")
    with open(os.path.join(d, "MaterialCard.vxd"), "w") as fh:
        for m in range(1, NMAT + 1):
            fh.write(f"++Begin Material, MatID={m}\n+Temperature\n20.0, 80.0\n"
                     "+Elastic\n135000.0, 10000.0, 0.30, 0.45, 5000.0\n"
                     "+Strength\n1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0, 90.0\n"
                     "+Table, TYPE=TEMPERATURE\n" + " ".join(["1.0"] * 15) + "\n" + " ".join(["0.9"] * 15) + "\n"
                     "+Failure, TYPE=INITIATION\n1, 3, 5, 1, 0\n+Hygrothermal\n-0.3D-6, 28.0D-6, 28.0D-6\n"
                     "++End Material\n")
    circle = "".join(f"0, {10 * math.cos(k * math.tau / NVERT):.4f}, {4 * math.sin(k * math.tau / NVERT):.4f}\n"
                     for k in range(NVERT))
    with open(os.path.join(d, "DamageCard.vxd"), "w") as fh:
        for g in range(1, NDMG + 1):
            fh.write(f"++Begin Damage, DmgID={g}\n+Position\n{g * 10.0}, 25.0, 0.0, 30.0\n+Abstraction, TYPE=Matrix\n")
            fh.write("".join(f"{p}, 18.0, 6.0, 0\n" for p in range(1, NPLY + 1)))
            for p in range(1, 11):
                fh.write(f"+Table, TYPE=Fiber, LayID={p}\n{circle}")
            fh.write("++End Damage\n")


def read_once(d):
    vx.datahandling.deallocall()
    vx.errorhandling.rsxerr(1)
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1
    io = vx.iohandling
    t0 = time.perf_counter()
    io.getsectiondatafromfile("", d)
    t1 = time.perf_counter()
    io.getmaterialdatafromfile("", d, int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
    t2 = time.perf_counter()
    vx.damagedata.ndmg = 0
    io.getdamagedatafromfile("", d, int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
    t3 = time.perf_counter()
    assert int(vx.errorhandling.errstat) == 0, vx.errorhandling.errstring
    return t1 - t0, t2 - t1, t3 - t2


def main():
    with tempfile.TemporaryDirectory() as d:
        write_cards(d)
        best = [float("inf")] * 3
        for _ in range(7):
            best = [min(a, b) for a, b in zip(best, read_once(d))]
        vx.datahandling.deallocall()
    print(f"section card {NSEC} x {NPLY} plies          {best[0] * 1e3:8.1f} ms")
    print(f"material card, {NMAT} materials on them     {best[1] * 1e3:8.1f} ms")
    print(f"damage card, {NDMG} damages                 {best[2] * 1e3:8.1f} ms")
    print(f"all three                                 {sum(best) * 1e3:8.1f} ms")


if __name__ == "__main__":
    main()
