"""The selector tables of the per-mode failure drivers (src/failure/damage_selectors.h): every
row names exactly what its driver's effort depends on, the tables span the selectors that the
drivers and the material card reader take, and the guide's criteria tables are their rendering."""
import os
import sys

import numpy as np
import pytest

from conftest import error_record, read_job

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "docs"))
import criteriatables  # noqa: E402

TABLES = criteriatables.criteria()
STRESSES = ("s11", "s22", "s33", "s12", "s13", "s23")
STRENGTHS = ("Xt11", "Xt22", "Xt33", "Xc11", "Xc22", "Xc33", "S12", "S13", "S23", "ILSS")
CONSTANTS = ("E1", "E2", "E3", "nu12", "nu13", "nu23", "G12", "G13", "G23", "angle", "thickness")
FIELDS = {"stresses": ("s33i",) + STRESSES, "strengths": STRENGTHS, "constants": CONSTANTS}
DRIVERS = {"general": "generalfailure", "fibre": "fiberbreakage", "matrix": "matrixcracking",
           "delamination": "delamination", "core": "corecrushing"}
COMPONENTS = ("gpcollection", "fbcollection", "mccollection", "delcollection")

# Two plies, every value different, so that a value read from the wrong row or ply shows.
PS = np.array([[1500, 50, 55, 1200, 200, 210, 80, 85, 60, 90],
               [1400, 45, 48, 1100, 190, 195, 75, 78, 55, 88]], float).T
PE = np.array([[135000, 10000, 9500, 0.3, 0.28, 0.45, 5000, 4800, 3500],
               [40000, 9800, 9000, 0.29, 0.27, 0.4, 4500, 4300, 3400]], float).T
# Stress states of either sign in every component, of the size of the strengths: fibre
# compression beyond and within the transverse compressive strength, tension across and along.
SCALE = np.array([1400.0, 90, 70, 60, 50, 50])
STATES = list(np.random.default_rng(7).uniform(-1.0, 1.0, (40, 6)) * SCALE)


def expand(mode, parsed):
    """The names a list gives, a delamination ply's with the suffix l (lower) or u (upper)."""
    out = set()
    for who, names in parsed:
        for n in names:
            if who is None:
                out.add(n)
            else:
                out |= {n + "l"} if who == "lower" else {n + "u"} if who == "upper" else {n + "l", n + "u"}
    return out


def effort(vx, mode, selector, s):
    """The driver's effort for the inputs s (lower ply first where there are two)."""
    ps, pe = (np.asfortranarray(a.reshape(a.shape[0], 2, 1)) for a in (s["ps"], s["pe"]))
    ori, thk = (np.asfortranarray(s[k].reshape(2, 1)) for k in ("angle", "thickness"))
    d = vx.damage
    if mode == "delamination":
        return d.delamination(s["s33i"], s["lower"], s["upper"], pe, ps, ori, thk, 1, 1, selector)[1]
    if mode == "general":
        return d.generalfailure(s["lower"], ps, ori, 1, 1, selector)[1]
    if mode == "fibre":
        return d.fiberbreakage(s["lower"], pe, ps, ori, 1, 1, selector)[1]
    if mode == "matrix":
        return d.matrixcracking(s["lower"], pe, ps, np.zeros((0, 2, 1), order="F"), ori, 1, 1, selector)[1]
    return d.corecrushing(s["lower"], ps, ori, 1, 1, selector)[1]


def perturbations(mode):
    """(name, change) for every input the driver is handed: a stress moved by an eighth of its
    scale, a strength or constant scaled, an angle turned."""
    plies = ("l", "u") if mode == "delamination" else ("",)
    out = [("s33i", lambda s: s.__setitem__("s33i", s["s33i"] + 9.0))] if mode == "delamination" else []
    for j, suffix in enumerate(plies):
        key = ("lower", "upper")[j]
        for i, n in enumerate(STRESSES):
            out.append((n + suffix, lambda s, i=i, key=key: s[key].__setitem__(i, s[key][i] + SCALE[i] / 8)))
        for i, n in enumerate(STRENGTHS):
            out.append((n + suffix, lambda s, i=i, j=j: s["ps"].__setitem__((i, j), s["ps"][i, j] * 1.21)))
        for i, n in enumerate(CONSTANTS[:9]):
            out.append((n + suffix, lambda s, i=i, j=j: s["pe"].__setitem__((i, j), s["pe"][i, j] * 1.07)))
        out.append(("angle" + suffix, lambda s, j=j: s["angle"].__setitem__(j, s["angle"][j] + 11.0)))
        out.append(("thickness" + suffix, lambda s, j=j: s["thickness"].__setitem__(j, s["thickness"][j] * 1.3)))
    return out


def depends_on(vx, mode, selector):
    """The inputs whose change changes the effort in at least one of the states."""
    found = set()
    for k, stress in enumerate(STATES):
        # either ply the stronger one in turn, so that each wins the larger of the two somewhere
        swap = k % 2 == 1
        base = {"lower": stress, "upper": STATES[(k + 7) % len(STATES)], "s33i": 0.8 * STATES[(k + 3) % 40][2],
                "ps": PS[:, ::-1] if swap else PS, "pe": PE, "angle": np.array([15.0, -40.0]),
                "thickness": np.array([0.2, 0.13])}
        r0 = effort(vx, mode, selector, {k: np.array(v, dtype=float) for k, v in base.items()})
        for name, change in perturbations(mode):
            if name in found:
                continue
            s = {k: np.array(v, dtype=float) for k, v in base.items()}
            change(s)
            r = effort(vx, mode, selector, s)
            if r != r0 and not (r != r and r0 != r0):
                found.add(name)
    return found


ROWS = [(mode, d) for mode in criteriatables.MODES for d in TABLES[mode]]


@pytest.mark.parametrize("mode, d", ROWS, ids=[f"{m} {d['selector']}" for m, d in ROWS])
def test_each_row_names_what_the_effort_depends_on(vx, mode, d):
    declared = set()
    for field in FIELDS:
        declared |= expand(mode, d[field])
    assert depends_on(vx, mode, d["selector"]) == declared
    # finite efforts all through: what is compared are numbers
    assert error_record(vx)[0] != -2, error_record(vx)


@pytest.mark.parametrize("mode, d", ROWS, ids=[f"{m} {d['selector']}" for m, d in ROWS])
def test_each_row_is_written_in_the_known_names_and_order(vx, mode, d):
    for field, names in FIELDS.items():
        for who, group in d[field]:
            assert (who is None) == (mode != "delamination" or group == ["s33i"]), (field, who, group)
            assert all(n in names for n in group) and ("s33i" not in group or mode == "delamination"), group
            assert group == sorted(group, key=names.index), group
    if d["routine"]:
        assert any(hasattr(getattr(vx, c), d["routine"]) for c in COMPONENTS), d["routine"]
    else:
        assert d["name"] == "none" and not (d["stresses"] or d["strengths"] or d["constants"])


@pytest.mark.parametrize("mode", criteriatables.MODES)
def test_the_tables_span_the_selectors_of_the_drivers_and_the_reader(vx, tmp_path, mode):
    n = len(TABLES[mode])
    assert [d["selector"] for d in TABLES[mode]] == list(range(n))
    state = {"lower": STATES[0], "upper": STATES[1], "s33i": 0.0, "ps": PS, "pe": PE,
             "angle": np.zeros(2), "thickness": np.full(2, 0.2)}
    for selector in (n - 1, n, -1):
        vx.errorhandling.rsxerr(1)
        effort(vx, mode, selector, state)
        status, message = error_record(vx)
        assert (status == -2 and "Default case" in message) == (selector != n - 1), (selector, message)
    # the material card takes the same range for the mode's place in +Failure
    place = criteriatables.MODES.index(mode)
    for selector in (n - 1, n):
        flags = ["0"] * 5
        flags[place] = str(selector)
        (tmp_path / "SectionCard.vxd").write_text(
            "++Begin Section, SecID=1\n+Orientation\n0 90\n+Thickness\n0.125\n+Material\n1\n++End Section\n")
        (tmp_path / "MaterialCard.vxd").write_text(
            "++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n+Failure\n" + " ".join(flags)
            + "\n++End Material\n")
        vx.errorhandling.rsxerr(1)
        read_job(vx, tmp_path)
        status, message = error_record(vx)
        assert (status == -2 and "+Failure" in message) == (selector == n), (selector, message)
        if selector < n:
            assert int(vx.materialdata.pfflags[place, 0, 0]) == selector


def test_the_guide_tables_equal_the_declarations():
    with open(criteriatables.GUIDE) as fh:
        guide = fh.read()
    assert all(f"<!-- criteria {m} -->" in guide for m in criteriatables.MODES)
    assert criteriatables.render(guide, TABLES) == guide, "the guide differs: run python3 docs/criteriatables.py"
    for mode, d in ROWS:
        assert criteriatables.row(d) in guide


def test_a_changed_declaration_shows_in_the_guide(tmp_path):
    """The comparison can fail: a stress taken out of a row no longer renders the guide."""
    with open(criteriatables.SOURCE) as fh:
        src = fh.read()
    changed = src.replace('"gpmaxnominal", "s11", "Xt11 Xc11"', '"gpmaxnominal", "s11 s22", "Xt11 Xc11"', 1)
    assert changed != src
    (tmp_path / "selectors.h").write_text(changed)
    with open(criteriatables.GUIDE) as fh:
        guide = fh.read()
    assert criteriatables.render(guide, criteriatables.criteria(str(tmp_path / "selectors.h"))) != guide
