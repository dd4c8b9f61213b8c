"""Reads the example cards together with the damage card, prints the damage regions and the
buckling lists of the delaminated section, then reads a small printed model listing
(examples/model/plate.dat) and prints its element and node data."""
import os

import numpy as np

import _vexlan as vx

HERE = os.path.dirname(os.path.abspath(__file__))
CARDS = os.path.join(HERE, "cards")
LISTING = os.path.join(HERE, "model", "plate.dat")
HUGE = np.finfo(float).max
STORES = (("general", "generaldds"), ("fibre", "fiberdds"), ("matrix", "matrixdds"),
          ("delamination", "delamdds"), ("core", "coredds"), ("user", "userdds"))


def check(what):
    """The library reports problems in its error record, not as exceptions."""
    eh = vx.errorhandling
    if int(eh.errstat) != 0:
        print(f"{what}: {bytes(eh.errstring).decode().strip()}")
        eh.rsxerr(1)


def read_cards(workspace):
    """What job control does at the start of an analysis: reset the counters, read the four cards."""
    vx.datahandling.deallocall()
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1
    vx.damagedata.ndmg = 0
    io = vx.iohandling
    io.getstepdatafromfile("", workspace, 1)
    io.getsectiondatafromfile("", workspace)
    nplies, nsec = int(vx.sectiondata.nplies), int(vx.sectiondata.nsec)
    io.getmaterialdatafromfile("", workspace, nplies, nsec)
    io.getdamagedatafromfile("", workspace, nplies, nsec)
    check("card problem")


def print_regions():
    d = vx.damagedata
    for k in range(int(d.ndmg)):
        col = d.dmgplane[:, k]
        used = col[: np.argmax(col == -HUGE)] if np.any(col == -HUGE) else col
        print(f"damage {k + 1}: origin {used[:3]}, angle {used[-1]:g} degrees")
        for kind, name in STORES:
            store = getattr(d, name)
            if store is None:
                continue
            for p in np.flatnonzero(store[0, :, k] > 0):
                where = f"interface {p + 1}" if kind == "delamination" else f"ply {p + 1}"
                print(f"  {kind:12s} {where:12s} half-axes a {store[0, p, k]:g}, b {store[1, p, k]:g} mm")
        if d.dmgpoints is not None:
            for slot, (kind, _) in enumerate(STORES):
                for p in range(d.dmgpoints.shape[1]):
                    vals = d.dmgpoints[:, p, slot, k]
                    vals = vals[: np.argmax(vals == HUGE)] if np.any(vals == HUGE) else vals
                    if vals.size >= 6:
                        xy = vals[: vals.size // 3 * 3].reshape(-1, 3)[:, 1:]
                        print(f"  {kind:12s} ply {p + 1:<8d} outline {xy.tolist()}")


def print_buckling(isec=1, ilay=3):
    """A damage query builds the buckling lists; one point at the first damage's origin is enough."""
    sdv = np.zeros(12)
    sdv[11] = 1.0
    origin = vx.damagedata.dmgplane[:3, 0]
    vx.damage.getdamagefromdds(sdv, origin, np.eye(3), ilay, isec)
    check("damage query")
    print(f"\npoint {origin} in ply {ilay} of section {isec}: flags general, fibre, matrix, delamination,"
          f" core, buckled = {sdv[:6]}, knock-down {sdv[11]:.3f}")
    bi, br = vx.bukdata.bukintdatalist, vx.bukdata.bukrealdatalist
    for k in range(int(vx.damagedata.ndmg)):
        print(f"buckling records of damage {k + 1} in section {isec} (in the order the sub-laminates buckle):")
        for r in range(bi.shape[1]):
            intf, first, last, side = bi[:, r, k, isec - 1]
            if first <= 0:
                continue
            strain, knock, stress = br[:3, r, k, isec - 1]
            print(f"  interface {intf}, plies {first}..{last}, side {side}: "
                  f"strain {strain:.3e}, stress {stress:8.1f} MPa, knock-down {knock:.3f}")


def print_model(path):
    vx.iohandling.getabqdatafromfile(path)
    check("model problem")
    e, n = vx.elementdata, vx.nodaldata
    print(f"\n{os.path.basename(path)}: {int(e.nelem)} elements, up to {int(n.nnodes)} nodes, {int(n.ndof)} dof per node")
    for i in range(int(e.nelem)):
        nodes = e.elemnodes[:, i]
        print(f"  element {int(e.elemlist[i])} (kind {int(e.elemkind[i])}): nodes {nodes.tolist()}")
        for k, label in enumerate(nodes):
            if label > 0:
                print(f"    node {int(label):3d} at {n.nodalcoords[:, k, i].tolist()}")


def main():
    np.set_printoptions(precision=4, suppress=True)
    read_cards(CARDS)
    print_regions()
    print_buckling()
    print_model(LISTING)


if __name__ == "__main__":
    main()
