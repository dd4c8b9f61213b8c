"""No input from Python may crash the process: every routine of every component is called with
wrong types, wrong ranks, non-contiguous and mistyped arrays, huge and negative extents and None.
Each run happens in a child process; a routine that ends the process on purpose (the interpolation
libraries' fatal errors, xerr's print-and-stop) only restarts the run after it."""
import json
import os
import subprocess
import sys

from conftest import limit_memory, needs_address_limit

DRIVER = r'''
import itertools, math, random, sys, warnings
import numpy as np
import _vexlan as vx
warnings.simplefilter("ignore")
start = int(sys.argv[1])
cands = [None, 0, -1, 1, 3, 2**31 - 1, -2**31, 1.5, math.nan, "abc", b"", [], [1.0, 2.0, 3.0],
         np.ones((3, 3)), np.ones((2, 2, 2)), np.arange(8, dtype=np.int32)[::2], np.zeros(0),
         np.ones((4, 4), order="C")[:, 1], np.array(2.0), np.full(5, np.inf), 1 + 2j, (1, 2)]
routines = []
for comp in sorted(n for n in dir(vx) if not n.startswith("_") and n != "error"):
    c = getattr(vx, comp)
    for name in sorted(dir(c)):
        r = getattr(c, name)
        if type(r).__name__ == "routine":
            routines.append((comp, name, r))
for k, (comp, name, r) in enumerate(routines):
    if k < start:
        continue
    print("enter", k, comp, name, flush=True)
    sig = r.__doc__.splitlines()[0]
    inside = sig[sig.index("(") + 1:sig.rindex(")")]
    nreq = len([a for a in inside.split("[")[0].split(",") if a.strip()])
    rng = random.Random(k)
    trials = [[c] * nreq for c in cands]
    trials += [[rng.choice(cands) for _ in range(nreq)] for _ in range(40)]
    trials.append([])
    for args in trials:
        try:
            r(*args)
        except Exception:
            pass
print("done", len(routines), flush=True)
'''


def test_no_input_crashes_the_process(tmp_path):
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    # Under the sanitizers a report ends the child with status 1 like a routine
    # that stops on purpose; give reports a status of their own.
    for var in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
        env[var] = ":".join(o for o in (env.get(var, ""), "exitcode=86") if o)
    start, ended_on_purpose = 0, []
    while True:
        r = subprocess.run([sys.executable, "-c", DRIVER, str(start)], capture_output=True, env=env,
                           timeout=600, cwd=tmp_path)  # routines that write files write there
        lines = [l for l in r.stdout.decode(errors="replace").splitlines() if l.startswith(("enter", "done"))]
        assert lines, r.stderr.decode()[-2000:]
        last = lines[-1].split()
        assert r.returncode >= 0, f"signal {-r.returncode} in {last[2:]}: {r.stderr.decode()[-2000:]}"
        err = r.stderr.decode(errors="replace")
        assert r.returncode != 86 and "runtime error:" not in err and "Sanitizer" not in err, (last, err[-2000:])
        if last[0] == "done":
            assert r.returncode == 0
            break
        # a routine ended the process with an ordinary exit status: allowed, go on after it
        assert r.returncode in (0, 1, 2), (last, r.returncode)
        ended_on_purpose.append(".".join(last[2:]))
        start = int(last[1]) + 1
    assert int(last[1]) > 100
    # Only these end the process on purpose (their own tests show it); any other end is a fault.
    assert set(ended_on_purpose) <= {
        "errorhandling.xerr", "math.cubichermitianarclength", "math.cubichermitianintegration",
        "math.cubichermitianinterpolation", "math.linearinterpolation"}, ended_on_purpose


# Component data set from Python may disagree with their counters and with each other. A driver
# builds a consistent model (elements and nodes, a section stack, a damage store with buckling
# lists, resin tables, steps and impactors), then spoils one counter or one array at a time and
# calls every routine that reads it. Counters take the smallest and largest integers, -1, 0 and
# one more than the arrays hold; arrays take extents of all 1, all 2, an empty trailing extent, or
# are freed. The scenario "-:-:base" spoils nothing: what the consistent model gives.
DATA_DRIVER = r'''
import json, sys, warnings
import numpy as np
import _vexlan as vx
warnings.simplefilter("ignore")
ed, nd, sd, dd, md, jd = vx.elementdata, vx.nodaldata, vx.sectiondata, vx.damagedata, vx.materialdata, vx.jobdata
I3 = np.eye(3)
TABLES = ("flowprops", "secantprops", "normalprops", "shearprops", "alpha1props", "alpha2props", "alpha3props")


def baseline():
    vx.datahandling.deallocall()
    for name in ("temperatures",) + TABLES:
        setattr(md, name, None)
    jd.processid = None
    vx.errorhandling.rsxerr(1)
    ed.nelem, nd.nnodes, nd.ndof = 4, 4, 6                   # three S4R shells and a brick
    ed.elemlist = np.array([1, 2, 3, 4], np.int32)
    ed.elemkind = np.array([2, 2, 2, 11], np.int32)
    ed.elemnodes = np.asfortranarray(np.array([[1, 2, 5, 4], [2, 3, 6, 5], [4, 5, 8, 7], [7, 8, 9, 10]], np.int32).T)
    nd.nodalcoords, nd.nodesmotion = np.ones((3, 4, 4)), np.zeros((6, 4, 4))
    nd.tnodalmatrices, nd.tcurvmatrices = np.zeros((3, 3, 8, 4)), np.zeros((3, 3, 4))
    ed.elemreforientation, ed.elemcurvatures = np.zeros((7, 4)), np.zeros((2, 4))
    sd.nsectionpoints = np.zeros(4, np.int32)
    sd.nplies, sd.nsec, dd.ndmg = 3, 2, 1                    # two sections of three plies, one damage
    sd.plyorientation = np.array([[0.0, 0.0], [90.0, 45.0], [0.0, 0.0]])
    sd.plythickness = np.full((3, 2), 0.25)
    sd.xcstrength = np.array([600.0, 600.0])
    e, nu = 70e3, 0.3
    md.peprops = np.tile(np.array([e, e, e, nu, nu, nu, e / 2.6, e / 2.6, e / 2.6])[:, None, None], (1, 3, 2))
    md.matidlist = np.ones((3, 2), np.int32)
    vx.datahandling.allocatedamagedata(3, 2, 1)
    dd.delamdds[:2] = 20.0                                  # wide enough to buckle below the strength
    dd.generaldds[:2] = 1.0
    dd.dmgpoints = np.full((9, 3, 6, 1), 1.7976931348623157e308)
    dd.dmgpoints[:, 0, 0, 0] = [0, -1, -1, 0, 1, -1, 0, 0, 1]
    md.temperatures = np.array([293.15, 353.15])
    t = np.ones((2, 4, 3), order="F")
    t[:, :, 0] = [0.0, 0.01, 0.03, 0.06]
    for name in TABLES:
        setattr(md, name, t if name == "flowprops" else t[:, :, :2])
    md.nflowdata = md.nsecantdata = md.nnormaldata = md.nsheardata = 4
    md.nalpha1data = md.nalpha2data = md.nalpha3data = 4
    jd.nsteps, jd.stepid = 2, np.array([2, 3], np.int32)
    vx.loaddata.nimp = 1
    vx.impactdata.cprops, vx.loaddata.dprops = np.zeros((20, 1)), np.zeros((12, 1))


eh, dm = vx.elementhandling, vx.damage
nodes2 = np.array([1, 5], np.int32)
props = np.array([3000.0, 0.35, 0.01, 80.0, 2.0, 1.2, 1.5, 100.0, -0.1, 293.15,
                  2000.0, 0.40, 0.03, 60.0, 4.0, 2.0, 1.4, 90.0, -0.2, 353.15, 0.7])
REGIONS = ("generaldds", "fiberdds", "matrixdds", "delamdds", "coredds")


def regions():
    return [None if getattr(dd, n) is None else getattr(dd, n)[:2] for n in REGIONS]


def grow(ply, sec):
    """The store's half-axes after a growth of every mode, and whether it kept them all."""
    before = json.dumps(plain(regions()))
    dm.updatedds(np.ones(5), np.array([1.0, 0.5, 0.0]), np.zeros(3), I3, ply, sec, 1)
    return {"kept": json.dumps(plain(regions())) == before, "regions": regions()}


def query(ply, sec):
    """The damage state of a point from 0.5 everywhere (flags and factor)."""
    sdv = np.full(12, 0.5)
    dm.getdamagefromdds(sdv, np.array([0.5, 0.5, 0.0]), I3, ply, sec)
    return sdv


def plain(x):
    if isinstance(x, dict):
        return {k: plain(v) for k, v in x.items()}
    if isinstance(x, (list, tuple)):
        return [plain(v) for v in x]
    if isinstance(x, np.ndarray):
        return plain(x.tolist())
    return x.item() if isinstance(x, np.generic) else x


def at(a, *index):
    """a[index], or None where a cannot give it."""
    try:
        return a[index]
    except (TypeError, IndexError):
        return None


def connect():
    """The counter and what the connectivity stored at the position it names."""
    iele = eh.getabqelementconnectivity(np.arange(1, 5, dtype=np.int32), 9, "S4R", iele=1)
    return [iele, at(ed.elemlist, iele - 1), at(ed.elemkind, iele - 1), at(ed.elemnodes, slice(0, 4), iele - 1)]


xyz2 = np.array([[1.0, 2.0, 3.0], [4.0, 5.0, 6.0]]).T           # nodes 1 and 5: five slots of three elements


def coordinates():
    eh.getnodalcoordinates(xyz2, nodes2)
    return nd.nodalcoords


def motion():
    eh.getnodesmotion(xyz2, xyz2 / 10, nodes2)
    return nd.nodesmotion


def reference_data():
    visit = eh.getelementreforientation(1, I3, I3, np.zeros((3, 2)), 2, 3, 1, 1, 0)
    return [visit, eh.getelementreferencedata(1), ed.elemreforientation, sd.nsectionpoints, ed.elemindices]


def node_reference_data():
    return [eh.getnodereferencedata(), nd.tnodalmatrices, nd.tcurvmatrices, ed.elemcurvatures, nd.nodalcoords]


CALLS = [
    ("getabqelementconnectivity", connect),
    ("getnodalcoordinates", coordinates),
    ("getnodesmotion", motion),
    ("getelementreferencedata", reference_data),
    ("getnodereferencedata", node_reference_data),
    ("dsload", lambda: vx.sldcollection.dsload(np.zeros(3), 2, np.zeros(3), I3, np.zeros((20, 1)),
                                               np.zeros((12, 1)), elemid=2)),
    ("updatedds.1.1", lambda: grow(1, 1)), ("updatedds.3.2", lambda: grow(3, 2)),
    ("getdamagefromdds.1.1", lambda: query(1, 1)), ("getdamagefromdds.2.2", lambda: query(2, 2)),
    ("pointindamage", lambda: dm.pointindamage(np.zeros(3), I3, np.zeros(3), 0.0, 0.0, 1.0, 1.0, 1, 1, 1, 0)),
    ("getflowparameters", lambda: vx.resin.getflowparameters(0.02, 300.0)),
    ("getmodulusfromtable", lambda: vx.resin.getmodulusfromtable(0.02, 300.0)),
    ("getresinorthotropicproperties", lambda: vx.resin.getresinorthotropicproperties(
        props, 300.0, 0.1, np.full(6, 1e-3), np.full(6, 1e-3), 1, 0.0)),
    ("getstressfromcubicelasticity", lambda: vx.elasticity.getstressfromcubicelasticity(
        np.full(6, 1e-3), [300.0, 0.5], 3, [0.0], 1)),
    ("processlock", lambda: (vx.utility.processlock(1, 2), vx.utility.processunlock())),
    ("allocatedamagedata", lambda: vx.datahandling.allocatedamagedata(3, 2, 1)),
]

ELEMENT = {"getabqelementconnectivity", "getnodalcoordinates", "getnodesmotion", "getelementreferencedata",
           "getnodereferencedata"}


def spoil(comp, name, value):
    """The consistent model with one datum changed; False when the binding refuses the change."""
    baseline()
    if value == "base":
        return True
    datum = getattr(getattr(vx, comp), name)
    if value == "more":
        value = int(datum) + 1
    elif value == "None":
        value = None
    elif value.startswith("("):
        value = np.ones(eval(value))  # converted to the datum's type
    else:
        value = int(value)
    try:
        setattr(getattr(vx, comp), name, value)
    except ValueError:
        return False
    return True


for scenario in sys.argv[1:]:
    comp, name, value = scenario.split(":")
    if not spoil(comp, name, value):
        print("refused", scenario, flush=True)
        continue
    after_element = False
    for routine, call in CALLS:
        # Each element routine starts from the changed model, not from what the one before it
        # wrote (a refusal would change the next one's answer), and so do the routines after them.
        if routine in ELEMENT or after_element:
            spoil(comp, name, value)
        after_element = routine in ELEMENT
        vx.errorhandling.rsxerr(1)
        print("enter", scenario, routine, flush=True)
        try:
            res = call()
        except Exception as ex:
            print("raised", scenario, routine, type(ex).__name__, flush=True)
            res = None
        st = int(vx.errorhandling.errstat)
        msg = bytes(vx.errorhandling.errstring).decode(errors="replace").strip() if st else ""
        print("result", scenario, routine, json.dumps([plain(res), msg]), flush=True)
        print("status", scenario, routine, st, flush=True)
print("done", flush=True)
'''

COUNTERS = [("elementdata", "nelem"), ("nodaldata", "nnodes"), ("nodaldata", "ndof"), ("sectiondata", "nplies"),
            ("sectiondata", "nsec"), ("damagedata", "ndmg"), ("loaddata", "nimp"), ("jobdata", "nsteps"),
            ("materialdata", "ntempdata"), ("materialdata", "nflowdata"), ("materialdata", "nsecantdata"),
            ("materialdata", "nnormaldata"), ("materialdata", "nsheardata"), ("materialdata", "nalpha1data"),
            ("debugdata", "edebug")]
ARRAYS = {"elementdata": {"elemlist": 1, "elemkind": 1, "elemnodes": 2, "elemreforientation": 2,
                          "elemcurvatures": 2, "elemindices": 1},
          "nodaldata": {"nodalcoords": 3, "nodesmotion": 3, "tnodalmatrices": 4, "tcurvmatrices": 3},
          "sectiondata": {"nsectionpoints": 1, "plyorientation": 2, "plythickness": 2, "xcstrength": 1},
          "materialdata": {"peprops": 3, "matidlist": 2, "temperatures": 1, "flowprops": 3, "secantprops": 3,
                           "normalprops": 3, "shearprops": 3, "alpha1props": 3},
          "damagedata": {"damagedds": 1, "generaldds": 3, "fiberdds": 3, "matrixdds": 3, "delamdds": 3,
                         "coredds": 3, "userdds": 3, "dmgplane": 2, "dmgpoints": 4},
          "bukdata": {"bukintdatalist": 4, "bukrealdatalist": 4},
          "jobdata": {"stepid": 1, "processid": 1}, "impactdata": {"cprops": 2}, "loaddata": {"dprops": 2}}
QUERY = {"getdamagefromdds.1.1", "getdamagefromdds.2.2"}
GROWTH = {"updatedds.1.1", "updatedds.3.2"}
STORE = QUERY | GROWTH
# Where a counter reaches past the arrays it counts (or below 0) these routines say so.
DISAGREE = {"nelem": {"getnodalcoordinates", "getnodesmotion", "getelementreferencedata", "getnodereferencedata",
                      "dsload"},
            "nnodes": {"getnodalcoordinates", "getnodesmotion"}, "ndof": {"getnodesmotion"},
            "nplies": STORE, "nsec": STORE, "ndmg": STORE}
# Arrays that cannot hold what the counters index, in every spoiled shape, and those that must be
# there: the routines that read them say so. The query builds the (empty) buckling lists from the
# section and material data; absent lists the growth before it creates again.
SHORT = {"generaldds": STORE, "fiberdds": STORE, "matrixdds": STORE, "coredds": STORE, "delamdds": STORE,
         "plyorientation": STORE, "dmgplane": QUERY, "dmgpoints": QUERY, "bukintdatalist": QUERY,
         "bukrealdatalist": QUERY, "plythickness": QUERY, "xcstrength": QUERY, "peprops": QUERY,
         "matidlist": QUERY}
HOLDS = {"sectiondata:xcstrength:(2,)"}  # a strength for each of the two sections
NEEDED = {"plyorientation": STORE, "plythickness": QUERY, "xcstrength": QUERY, "peprops": QUERY, "matidlist": QUERY}
# The element routines read and write the element and node arrays of the four elements counted: each
# spoiled shape holds fewer, and an absent array none. (The connectivity stores its element at position
# 2, which an element list or kind list of two entries holds; the reference data read no node arrays.)
COORDS, MOTION, CONNECT = "getnodalcoordinates", "getnodesmotion", "getabqelementconnectivity"
REFDATA, NODEREF = "getelementreferencedata", "getnodereferencedata"
ELEMENT_SHORT = {"elemlist": {REFDATA, "dsload"}, "elemkind": {REFDATA, NODEREF, "dsload"},
                 "elemnodes": {CONNECT, COORDS, MOTION}, "elemreforientation": {REFDATA, NODEREF},
                 "elemcurvatures": {NODEREF}, "elemindices": {COORDS, MOTION, REFDATA},
                 "nodalcoords": {COORDS, NODEREF}, "nodesmotion": {MOTION}, "tnodalmatrices": {MOTION, NODEREF},
                 "tcurvmatrices": {MOTION, NODEREF}, "nsectionpoints": {REFDATA}}
SHORT.update(ELEMENT_SHORT)
# An absent element or node array (no listing read, or released: the counters stay) leaves the
# element routines nothing to do, with status 0.
NOTHING_TO_DO = {f"{comp}:{n}:None": r | {CONNECT} if n in ("elemlist", "elemkind") else r
                 for comp, arrays in ARRAYS.items() for n in arrays for r in [ELEMENT_SHORT.get(n)] if r}
# Data that may legitimately change an answer given with status 0: no damage; a mode without its
# region array (growth creates it again, zeroed, as it does the whole store without its marker);
# no outlines, so the ellipses serve; strengths of 1, so that no sub-laminate buckles below them;
# no elements, elements without nodes, nodes without rotations.
LEGIT = {"damagedata:ndmg:0": QUERY, "damagedata:damagedds:None": STORE, "damagedata:dmgpoints:None": QUERY,
         "sectiondata:xcstrength:(2,)": QUERY, "elementdata:nelem:0": {COORDS, MOTION, REFDATA},
         "nodaldata:nnodes:0": {COORDS, MOTION}, "nodaldata:ndof:0": {MOTION}}
LEGIT.update({f"damagedata:{n}:None": STORE for n in ("generaldds", "fiberdds", "matrixdds", "delamdds", "coredds")})
LEGIT.update(NOTHING_TO_DO)
# The query's messages where only the buckling lists cannot serve (each names what it lacks).
BUCKLING = ("Buckling list", "Section or material data too short for the buckling lists in GetDamageFromDDS")


def _spoiled_shapes(comp, name, rank):
    shapes = [(1,) * rank, (2,) * rank, (3,) + (0,) * (rank - 1)] if rank > 1 else [(1,), (2,)]
    return [f"{comp}:{name}:{s}".replace(" ", "") for s in shapes]


def _scenarios():
    out = [f"{c}:{n}:{v}" for c, n in COUNTERS for v in (-2**31, -1, 0, "more", 2**31 - 1)]
    for comp, arrays in ARRAYS.items():
        for name, rank in arrays.items():
            out += _spoiled_shapes(comp, name, rank) + [f"{comp}:{name}:None"]
    return out


def test_component_data_that_disagree_never_end_the_process(tmp_path):
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    for var in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
        env[var] = ":".join(o for o in (env.get(var, ""), "exitcode=86") if o)
    base = "-:-:base"
    todo, seen, statuses, results = [base] + _scenarios(), set(), {}, {}
    while todo:
        r = subprocess.run([sys.executable, "-c", DATA_DRIVER] + todo, capture_output=True, env=env, timeout=600,
                           cwd=tmp_path)
        out, err = r.stdout.decode(errors="replace"), r.stderr.decode(errors="replace")
        lines = out.splitlines()
        entered = [l.split()[1:] for l in lines if l.startswith("enter")]
        where = entered[-1] if entered else None
        assert r.returncode == 0, (where, r.returncode, out[-500:], err[-2000:])
        assert "runtime error:" not in err and "Sanitizer" not in err, (where, err[-2000:])
        assert lines[-1] == "done"
        # the arguments are valid: a routine that raised would not have read the data
        assert not [l for l in lines if l.startswith("raised")]
        for l in lines:
            if l.startswith("result"):
                _, scen, routine, res = l.split(None, 3)
                results[scen, routine] = res
            if l.startswith("status"):
                _, scen, routine, st = l.split()
                statuses[scen, routine] = int(st)
            if l.startswith(("status", "refused")):
                seen.add(l.split()[1])
        todo = [s for s in todo if s not in seen]
    # every routine ran in every scenario that was not refused
    routines = {k[1] for k in statuses}
    assert all((base, r) in statuses for r in routines)
    refused = {s for s in _scenarios() if not any(k[0] == s for k in statuses)}
    assert refused == {"damagedata:delamdds:(1,1,1)", "damagedata:delamdds:(2,2,2)"}
    for c, n in COUNTERS:
        for v in (-2**31, -1, "more", 2**31 - 1):
            for routine in DISAGREE.get(n, ()):
                assert statuses[f"{c}:{n}:{v}", routine] == -2, (n, v, routine)
    for comp, arrays in ARRAYS.items():
        for name, rank in arrays.items():
            for routine in SHORT.get(name, ()):
                for scen in set(_spoiled_shapes(comp, name, rank)) - refused - HOLDS:
                    assert statuses[scen, routine] == -2, (scen, routine)
            for routine in NEEDED.get(name, ()):
                assert statuses[f"{comp}:{name}:None", routine] == -2, (name, routine)
    for scen, rs in NOTHING_TO_DO.items():
        for routine in rs:
            assert statuses[scen, routine] == 0, (scen, routine)
    # the consistent model raises no status, and the damage store finds the point damaged
    assert all(statuses[base, r] == 0 for r in routines)
    answer = {r: json.loads(results[base, r])[0] for r in routines}
    for r in QUERY:
        assert answer[r][0:6] != [0.5] * 6 and 0 < answer[r][11] < 0.5, answer[r]
    # A status of 0 never comes with a result the data could not support: with data that still agree
    # the answer is the consistent model's.
    for (scen, routine), st in statuses.items():
        if st == 0 and routine not in LEGIT.get(scen, ()):
            assert json.loads(results[scen, routine])[0] == answer[routine], (scen, routine)
    for r in QUERY:
        assert json.loads(results["damagedata:ndmg:0", r])[0] == [0.5] * 12    # no damage: as it came
    # A refused query or growth writes nothing; only where the buckling lists cannot serve is the
    # rest answered, the buckled flag and the factor left as they came.
    for (scen, routine), st in statuses.items():
        if st == 0 or routine not in STORE:
            continue
        got, msg = json.loads(results[scen, routine])
        if routine in GROWTH:
            assert got["kept"], (scen, routine, msg)
        elif msg.startswith(BUCKLING):
            assert got[:5] == answer[routine][:5] and got[5:] == [0.5] * 7, (scen, routine, got)
        else:
            assert got == [0.5] * 12, (scen, routine, msg, got)


@needs_address_limit
def test_a_ply_count_far_beyond_the_store_asks_for_no_memory_of_its_size(tmp_path):
    # The damage card reader checks each record's ply against the count it is
    # given; with the region arrays already there nothing is sized by that
    # count, so neither may the check be. An address-space limit shows it.
    (tmp_path / "DamageCard.vxd").write_text(
        "++Begin Damage, DmgID=1\n+Position\n0, 0, 0, 0\n+Abstraction, TYPE=Fiber\n1, 3.0, 2.0, 0\n"
        "++End Damage\n")
    env = dict(os.environ, PYTHONPATH=os.pathsep.join(p for p in sys.path if p))
    r = subprocess.run([sys.executable, "-c", f"""
import numpy as np, _vexlan as vx
vx.damagedata.fiberdds = np.zeros((3, 2, 1))
{limit_memory(256 << 20)}vx.iohandling.getdamagedatafromfile("missing.inp", {str(tmp_path)!r}, 2**31 - 1, 1)
print(vx.damagedata.fiberdds[:2, 0, 0].tolist(), int(vx.errorhandling.errstat))
"""], capture_output=True, env=env, timeout=60, cwd=tmp_path)
    assert (r.returncode, r.stdout) == (0, b"[3.0, 2.0] 0\n"), r.stderr.decode()[-2000:]
