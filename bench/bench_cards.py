"""Reading time of a large card set: 1,000 sections of 100 plies (section card)
and ten materials distributed over them (material card), read through the
Python binding as job control reads them.

Run on demand:  PYTHONPATH=build python3 bench/bench_cards.py
"""
import os
import tempfile
import time

import _vexlan as vx

NSEC, NPLY, NMAT = 1000, 100, 10


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
    assert int(vx.errorhandling.errstat) == 0, vx.errorhandling.errstring
    return t1 - t0, t2 - t1


def main():
    with tempfile.TemporaryDirectory() as d:
        write_cards(d)
        best = [float("inf")] * 2
        for _ in range(7):
            best = [min(a, b) for a, b in zip(best, read_once(d))]
        vx.datahandling.deallocall()
    print(f"section card {NSEC} x {NPLY} plies          {best[0] * 1e3:8.1f} ms")
    print(f"material card, {NMAT} materials on them     {best[1] * 1e3:8.1f} ms")
    print(f"both                                      {sum(best) * 1e3:8.1f} ms")


if __name__ == "__main__":
    main()
