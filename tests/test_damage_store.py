"""Damage-region store: growth covers failed points in the ply's axes (the ply
angle applied once), the query raises flags for points inside, outlines
replace ellipses, indices outside the store are refused, and the buckling
knock-down comes from the lists built on first use."""
import os

import numpy as np
import pytest

from conftest import error_record, read_job, release_model

I3 = np.eye(3)
DATA = [("damagedata", n) for n in ("damagedds", "generaldds", "fiberdds", "matrixdds", "delamdds", "coredds",
                                    "userdds", "dmgplane", "dmgpoints")] + \
       [("bukdata", "bukintdatalist"), ("bukdata", "bukrealdatalist"),
        ("sectiondata", "plyorientation"), ("sectiondata", "plythickness"), ("sectiondata", "xcstrength"),
        ("materialdata", "peprops"), ("materialdata", "matidlist")]


def clear_store(vx):
    for comp, name in DATA:
        setattr(getattr(vx, comp), name, None)
    vx.damagedata.ndmg = 0


@pytest.fixture
def section(vx):
    """Two plies (0 and 90 degrees) in one section, an empty store."""
    clear_store(vx)
    vx.sectiondata.nplies, vx.sectiondata.nsec = 2, 1
    vx.sectiondata.plyorientation = np.array([[0.0], [90.0]])
    vx.sectiondata.plythickness = np.array([[0.25], [0.25]])
    yield vx
    clear_store(vx)
    vx.sectiondata.nplies = vx.sectiondata.nsec = 0


def sdv5(**modes):
    return np.array([modes.get(k, 0.0) for k in ("general", "fibre", "matrix", "delam", "core")])


def grow(vx, point, ply, sec=1, dmg=1, **modes):
    return vx.damage.updatedds(sdv5(**modes), point, [0, 0, 0], I3, ply, sec, dmg)


def isotropic_plies(vx, thick, rows=9):
    """Isotropic plies of the given thicknesses (plies x sections), compressive strength 600."""
    e, nu = 70e3, 0.3
    thick = np.array(thick, float)
    vx.sectiondata.plythickness = thick
    vx.sectiondata.xcstrength = np.full(thick.shape[1], 600.0)
    el = [e, e, e, nu, nu, nu, e / 2.6, e / 2.6, e / 2.6] + [0.0] * (rows - 9)
    vx.materialdata.peprops = np.tile(np.array(el)[:, None, None], (1,) + thick.shape)
    vx.materialdata.matidlist = np.ones(thick.shape, np.int32)


def query(vx, point, ilay, sdv=None):
    s = np.zeros(12) if sdv is None else np.array(sdv, float)
    vx.damage.getdamagefromdds(s, point, I3, ilay, 1)
    return s


def test_growth_and_query_in_the_ply_axes(section):
    vx = section
    d = vx.damagedata
    # 90 degree ply: a point 3 along its fibres lies at (0, 3, 0).
    assert grow(vx, [0, 3, 0], 2, fibre=1.0) == 0
    np.testing.assert_allclose(d.fiberdds[:2, 1, 0], [3.0, 0.0], atol=1e-12)
    grow(vx, [-1, 0, 0], 2, fibre=1.0)
    np.testing.assert_allclose(d.fiberdds[:2, 1, 0], [3.0, 1.0], atol=1e-12)
    assert query(vx, [0, 3, 0], 2)[1] == 1.0              # on the ellipse
    assert query(vx, [3, 0, 0], 2)[1] == 0.0
    assert not d.matrixdds.any() and not d.fiberdds[:, 0].any()


def test_bounding_half_axes_and_mode_flags(section):
    vx = section
    d = vx.damagedata
    grow(vx, [3, 0, 0], 1, matrix=1.0, general=0.99)
    grow(vx, [0, 1, 0], 1, matrix=2.0)
    np.testing.assert_allclose(d.matrixdds[:2, 0, 0], [3.0, 1.0], atol=1e-12)
    assert not d.generaldds.any()                          # 0.99 is not a failure
    inside, outside = query(vx, [2, 0.5, 0], 1), query(vx, [3, 1, 0], 1)
    assert inside[2] == 1.0 and outside[2] == 0.0
    assert inside[0] == inside[1] == inside[3] == 0.0
    # Flags only rise; entries 7 to 11 are left alone.
    s = query(vx, [2, 0.5, 0], 1, sdv=[0, 0, 5.0, 0, 0, 0, 7, 8, 9, 10, 11, 0.4])
    assert s[2] == 5.0 and list(s[6:11]) == [7, 8, 9, 10, 11]
    # The top ply has no interface above it: delamination regions stay as they are.
    grow(vx, [1, 1, 0], 2, delam=1.0)
    assert not d.delamdds.any()
    grow(vx, [1, 1, 0], 1, delam=1.0)
    np.testing.assert_allclose(d.delamdds[:2, 0, 0], [1.0, 1.0])


def test_degenerate_regions_and_points(section):
    vx = section
    d = vx.damagedata
    s = np.arange(12.0)
    vx.damage.getdamagefromdds(s, [0, 0, 0], I3, 1, 1)     # no damage: the state is left as it is
    np.testing.assert_array_equal(s, np.arange(12.0))
    grow(vx, [np.nan, 0, 0], 1, core=1.0)
    assert not np.isnan(d.coredds).any() and not d.coredds.any()
    grow(vx, [2, 0, 0], 1, core=1.0)   # a = 2, b = 0
    assert query(vx, [1, 0, 0], 1)[4] == 0.0               # a zero half-axis holds no point
    assert query(vx, [0, 0, 0], 1)[4] == 0.0


def test_indices_outside_the_store(section):
    vx = section
    for p in ([1, 0, 0], [0, 1, 0]):
        grow(vx, p, 1, fibre=1.0)
    vx.errorhandling.rsxerr(1)
    assert not query(vx, [0, 0, 0], 3).any() and error_record(vx)[0] == -2
    vx.errorhandling.rsxerr(1)
    assert grow(vx, [1, 0, 0], 1, 2, 1, fibre=1.0) == 0
    assert error_record(vx)[0] == -2
    # A damage outside 1..ndmg is refused, not dropped in silence.
    before = vx.damagedata.fiberdds.copy()
    for idmg in (0, 2, 9):
        vx.errorhandling.rsxerr(1)
        grow(vx, [5, 0, 0], 1, 1, idmg, fibre=1.0)
        assert error_record(vx) == (-2, "Damage outside the damage store in UpdateDDS")
    np.testing.assert_array_equal(vx.damagedata.fiberdds, before)
    # A count beyond the arrays, or below 0, is refused: the point is not
    # presented as intact, and the state is left as it came.
    for ndmg in (2, 12, 2147483647, -1):
        vx.damagedata.ndmg = ndmg
        vx.errorhandling.rsxerr(1)
        s = query(vx, [0.5, 0, 0], 1, sdv=[0.5] * 12)
        assert error_record(vx) == (-2, "Damage data disagree with their counts in GetDamageFromDDS")
        np.testing.assert_array_equal(s, 0.5)
    # So is growth with an array smaller than the counters: nothing grows,
    # not even the modes whose arrays would hold the point.
    vx.damagedata.ndmg = 1
    vx.damagedata.fiberdds = np.zeros((3, 1, 1))
    vx.errorhandling.rsxerr(1)
    grow(vx, [1, 0, 0], 2, fibre=1.0, matrix=1.0)
    assert error_record(vx) == (-2, "Damage data disagree with their counts in UpdateDDS")
    assert not vx.damagedata.matrixdds.any()


def test_outline_replaces_the_ellipse(section):
    vx = section
    big = np.finfo(float).max
    grow(vx, [1, 1, 0], 1, general=1.0)
    vx.damagedata.dmgpoints = np.full((9, 2, 6, 1), big)
    inside = lambda p, closed=False: vx.damage.pointindamage(p, I3, [0, 0, 0], 0.0, 0.0, 1.0, 1.0, 1, 1, 1, closed)
    assert inside([0.5, 0.5, 0])       # the ellipse
    # Six values: a two-vertex outline (a segment) from (0, 0) to (4, 0).
    vx.damagedata.dmgpoints[:6, 0, 0, 0] = [0, 0, 0, 0, 4, 0]
    assert inside([2.0, 0, 0]) and not inside([0.5, 0.5, 0])
    vx.damagedata.dmgpoints[:9, 0, 0, 0] = [0, -1, -1, 0, 3, -1, 0, 0, 3]
    assert inside([2.0, 0, 0]) and not inside([2.5, 2.0, 0])
    # Five values fall back to the ellipse.
    vx.damagedata.dmgpoints[5:, 0, 0, 0] = big
    assert inside([0.5, 0.5, 0]) and not inside([0.5, 0.5, 0], True)


def test_extent_step(vx):
    extent = lambda angle, step: vx.damage.getextentofprojecteddamage([1.0, 1.0], [0, 5, 0], [0, 0, 0], I3, angle, step)
    np.testing.assert_allclose(extent(90.0, 1.0), [5.0, 1.0], atol=1e-12)
    np.testing.assert_array_equal(extent(0.0, 0.5), [1.0, 1.0])


def test_buckling_knock_down_from_lists_built_on_demand(section):
    vx = section
    vx.sectiondata.plyorientation = np.array([[0.0], [0.0]])
    isotropic_plies(vx, [[0.1], [0.6]], rows=10)
    for p in ([20, 0, 0], [0, 20, 0]):
        grow(vx, p, 1, delam=1.0)
    assert vx.bukdata.bukrealdatalist.shape == (12, 2, 1, 1)
    s = query(vx, [1, 1, 0], 1)
    real, intg = vx.bukdata.bukrealdatalist, vx.bukdata.bukintdatalist
    assert intg[:, 0, 0, 0].tolist() == [1, 1, 1, 0]          # the thin lower ply buckles
    assert s[3] == 1.0 and s[5] == 1.0 and error_record(vx)[0] == 0
    assert s[11] == pytest.approx(real[1, 0, 0, 0]) and 0 < s[11] < 1
    # Outside every region the factor is only capped at 1.
    far = query(vx, [50, 0, 0], 1, sdv=[0] * 11 + [3.0])
    assert far[5] == 0.0 and far[11] == 1.0


def test_buckled_region_is_tested_in_its_own_ply_axes(section):
    """The delamination of interface 1 grows in the axes of the 0 degree ply 1;
    a point of the 90 degree ply 2 over it lies in the buckled sub-laminate."""
    vx = section
    isotropic_plies(vx, [[0.1], [0.6]])
    for p in ([20, 0, 0], [0, 2, 0]):
        grow(vx, p, 1, delam=1.0)
    np.testing.assert_allclose(vx.damagedata.delamdds[:2, 0, 0], [20.0, 2.0], atol=1e-12)
    # (15, 0): inside the ellipse 20 x 2 of ply 1's axes; in ply 2's axes it
    # would be (0, -15), far outside.
    s = query(vx, [15, 0, 0], 2)
    intg = vx.bukdata.bukintdatalist[:, :, 0, 0]
    assert any(r[1] <= 2 <= r[2] and r[0] == 1 for r in intg.T)
    assert s[5] == 1.0 and s[3] == 0.0          # buckled, but no interface above ply 2
    assert query(vx, [0, 15, 0], 2)[5] == 0.0
    assert query(vx, [15, 0, 0], 1)[3] == 1.0
    # An outline of ply 2's delamination stays in ply 2's axes: the square
    # 10..20 x -1..1 there holds (0, 15, 0) and replaces the ellipse.
    pts = np.full((12, 2, 6, 1), np.finfo(float).max)
    pts[:, 1, 3, 0] = [0, 10, -1, 0, 20, -1, 0, 20, 1, 0, 10, 1]
    vx.damagedata.dmgpoints = pts
    assert query(vx, [0, 15, 0], 2)[5] == 1.0 and query(vx, [15, 0, 0], 2)[5] == 0.0


def test_buckling_lists_with_arrays_wider_than_the_ply_count(section):
    """Section arrays left from a card with three plies; two plies in use now.
    Each section's plies must be read from its own column."""
    vx = section
    vx.sectiondata.nplies, vx.sectiondata.nsec = 2, 2
    vx.sectiondata.plyorientation = np.zeros((3, 2))
    isotropic_plies(vx, [[0.1, 0.6], [0.6, 0.1], [9.0, 9.0]])
    vx.materialdata.matidlist[2] = 2147483647
    for p in ([20, 0, 0], [0, 20, 0]):
        grow(vx, p, 1, delam=1.0)
    vx.damage.getdamagefromdds(np.zeros(12), [1, 1, 0], I3, 1, 2)
    intg = vx.bukdata.bukintdatalist
    assert intg[:, 0, 0, 0].tolist() == [1, 1, 1, 0]      # thin lower ply of section 1
    assert intg[:, 0, 0, 1].tolist() == [1, 2, 2, 1]      # thin upper ply of section 2


@pytest.mark.parametrize("comp,name,rows", [("materialdata", "peprops", None), ("materialdata", "peprops", 8),
                                            ("sectiondata", "xcstrength", None), ("materialdata", "matidlist", None)])
def test_buckling_lists_that_cannot_be_built_are_reported(section, comp, name, rows):
    vx = section
    vx.sectiondata.plyorientation = np.array([[0.0], [0.0]])
    isotropic_plies(vx, [[0.1], [0.6]])
    setattr(getattr(vx, comp), name, None if rows is None else getattr(getattr(vx, comp), name)[:rows].copy())
    for p in ([20, 0, 0], [0, 20, 0]):
        grow(vx, p, 1, delam=1.0)
    s = query(vx, [1, 1, 0], 1, sdv=[0] * 11 + [3.0])
    assert s[3] == 1.0 and s[5] == 0.0 and s[11] == 1.0 and not vx.bukdata.bukrealdatalist.any()
    assert error_record(vx) == (-2, "Section or material data too short for the buckling lists in GetDamageFromDDS")


@pytest.mark.parametrize("name, rows", [("bukintdatalist", 3), ("bukrealdatalist", 11)])
def test_buckling_lists_with_short_records_are_not_built(name, rows):
    # Lists assigned from Python with fewer rows than a record: building them
    # would write past the array, so it runs in a child process.
    from conftest import run_python
    out, rc = run_python(f"""
import numpy as np, _vexlan as vx
from test_damage_store import grow, isotropic_plies, query
vx.sectiondata.nplies, vx.sectiondata.nsec = 2, 1
vx.sectiondata.plyorientation = np.zeros((2, 1))
isotropic_plies(vx, [[0.1], [0.6]])
vx.bukdata.{name} = np.zeros(({rows}, 2, 1, 1), np.int32 if "{name}" == "bukintdatalist" else float)
for p in ([20, 0, 0], [0, 20, 0]):
    grow(vx, p, 1, delam=1.0)
s = query(vx, [1, 1, 0], 1, sdv=[0] * 11 + [3.0])
eh = vx.errorhandling
print(s[5], s[11], int(eh.errstat), bytes(eh.errstring).decode().strip())
""")
    assert rc == 0
    assert out.decode().strip().split(None, 3) == ["0.0", "1.0", "-2",
                                                   "Buckling lists disagree with their counts in GetDamageFromDDS"]


def test_query_with_the_smallest_ply_count_ends():
    # nplies - 1 of the smallest count once narrowed to the largest interface
    # count: the query then ran over 2^31 interfaces.
    from conftest import run_python
    out, rc = run_python("""
import numpy as np, _vexlan as vx
from test_damage_store import grow, query
vx.sectiondata.nplies, vx.sectiondata.nsec = 2, 1
vx.sectiondata.plyorientation = np.zeros((2, 1))
vx.sectiondata.plythickness = np.full((2, 1), 0.25)
for p in ([20, 0, 0], [0, 20, 0]):
    grow(vx, p, 1, delam=1.0)
vx.sectiondata.nplies = -2**31
s = query(vx, [1, 1, 0], 1)
print(s[3], s[5], s[11], int(vx.errorhandling.errstat))
""", timeout=30)
    # a count below 0 is refused, the state left as it came
    assert rc == 0 and out.split() == [b"0.0", b"0.0", b"0.0", b"-2"]


CARDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "cards")
DAMAGE = "Damage data disagree with their counts in GetDamageFromDDS"
SECTION = "Section data disagree with their counts in GetDamageFromDDS"
PLY = "Ply or section outside the section data in GetDamageFromDDS"
LISTS = "Buckling lists disagree with their counts in GetDamageFromDDS"


@pytest.fixture
def job(vx):
    """The example job: two sections of eight plies, two damages; damage 1 at
    (50, 25, 0) with delaminations and matrix cracks, damage 2 an outline."""
    read_job(vx, CARDS)
    yield vx
    release_model(vx)
    vx.damagedata.ndmg = 0


def job_query(vx, ilay=5, isec=1):
    """Ply 5 of section 1 at the first damage's origin, from a state of 0.5."""
    s = np.full(12, 0.5)
    vx.damage.getdamagefromdds(s, [50.0, 25.0, 0.0], I3, ilay, isec)
    return s


def spoil(vx, comp, name, value):
    if value is None or isinstance(value, int):
        setattr(getattr(vx, comp), name, value)
    else:  # the shape of an array of ones
        datum = getattr(getattr(vx, comp), name)
        setattr(getattr(vx, comp), name, np.ones(value, datum.dtype, order="F"))


@pytest.mark.parametrize("comp, name, value, message", [
    ("damagedata", "ndmg", -5, DAMAGE), ("damagedata", "ndmg", 3, DAMAGE),
    ("damagedata", "matrixdds", (3, 1, 2), DAMAGE), ("damagedata", "fiberdds", (1, 8, 2), DAMAGE),
    ("damagedata", "delamdds", (3, 6, 2), DAMAGE), ("damagedata", "delamdds", (3, 7, 1), DAMAGE),
    ("damagedata", "dmgplane", (1, 1), DAMAGE), ("damagedata", "dmgplane", (2, 2), DAMAGE),
    ("damagedata", "dmgplane", (4, 1), DAMAGE),
    ("damagedata", "dmgpoints", (12, 7, 6, 2), DAMAGE), ("damagedata", "dmgpoints", (12, 8, 5, 2), DAMAGE),
    ("sectiondata", "nplies", 9, SECTION), ("sectiondata", "nsec", -1, SECTION),
    ("sectiondata", "plyorientation", (8, 1), SECTION), ("sectiondata", "plyorientation", None, SECTION),
    ("sectiondata", "nplies", 4, PLY), ("sectiondata", "nsec", 0, PLY)])
def test_query_refuses_data_that_disagree_with_their_counts(job, comp, name, value, message):
    vx = job
    ok = job_query(vx)
    # The consistent job: a matrix crack in ply 5, which lies in a buckled sub-laminate.
    assert ok[[2, 5]].tolist() == [1.0, 1.0] and ok[11] == pytest.approx(0.671, abs=1e-3)
    assert error_record(vx)[0] == 0
    spoil(vx, comp, name, value)
    np.testing.assert_array_equal(job_query(vx), 0.5)   # not answered, left as it came
    assert error_record(vx) == (-2, message)


def shrink_records(vx):
    vx.bukdata.bukintdatalist = np.zeros((4, 7, 2, 2), np.int32, order="F")  # one record per interface only
    vx.bukdata.bukrealdatalist = np.zeros((12, 7, 2, 2), order="F")


def unlink_record(vx):
    """The record of ply 5 in damage 1, section 1 names an interface the stack lacks."""
    intg = vx.bukdata.bukintdatalist
    i = [r for r in range(intg.shape[1]) if intg[1, r, 0, 0] <= 5 <= intg[2, r, 0, 0]][0]
    intg[0, i, 0, 0] = 8


@pytest.mark.parametrize("change", [
    lambda vx: spoil(vx, "bukdata", "bukintdatalist", (4, 1, 1, 1)),
    lambda vx: spoil(vx, "bukdata", "bukrealdatalist", (12, 8, 2, 1)),
    lambda vx: spoil(vx, "bukdata", "bukintdatalist", None),
    shrink_records, unlink_record], ids=["int-short", "real-short", "int-absent", "records-per-interface", "record"])
def test_query_without_usable_buckling_lists_answers_all_but_the_buckling(job, change):
    vx = job
    ok = job_query(vx)
    change(vx)
    s = job_query(vx)
    assert error_record(vx) == (-2, LISTS)
    # Flags 1 to 5 as before, the buckled flag as it came, the factor capped at 1.
    np.testing.assert_array_equal(s[:5], ok[:5])
    assert s[5] == 0.5 and s[11] == 0.5 and s[6:11].tolist() == [0.5] * 5


def consistent_store(vx):
    """Three plies (0, 90, 0) in two sections, two damages: growth of general,
    matrix and delamination regions, an outline of ply 2, a second origin."""
    clear_store(vx)
    vx.sectiondata.nplies, vx.sectiondata.nsec, vx.damagedata.ndmg = 3, 2, 2
    vx.sectiondata.plyorientation = np.array([[0.0, 0.0], [90.0, 45.0], [0.0, 0.0]])
    isotropic_plies(vx, [[0.1, 0.3], [0.6, 0.3], [0.1, 0.3]])
    for dmg in (1, 2):
        for p in ([6, 0, 0], [0, 3, 0]):
            for ply in (1, 2, 3):
                vx.damage.updatedds(sdv5(general=1.0, matrix=float(ply == 2), delam=1.0), p, [0, 0, 0], I3,
                                    ply, 1, dmg)
    vx.damagedata.dmgplane[:3, 1] = [1.0, 0.5, 0.0]
    pts = np.full((12, 3, 6, 2), np.finfo(float).max)
    pts[:9, 1, 0, 0] = [0, -1, -1, 0, 4, -1, 0, 0, 2]
    vx.damagedata.dmgpoints = pts


POINTS = [[0.5, 0.5, 0.0], [3.0, 0.2, 0.0], [0.2, 2.0, 0.0], [5.0, 1.0, 0.0]]


def answers(vx, nplies, nsec):
    out = []
    for isec in range(1, nsec + 1):
        for ilay in range(1, nplies + 1):
            for p in POINTS:
                s = np.full(12, 0.5)
                vx.damage.getdamagefromdds(s, p, I3, ilay, isec)
                out.append(s)
    return np.array(out)


@pytest.mark.parametrize("nplies, nsec, ndmg", [(3, 2, 2), (2, 2, 2), (3, 1, 2), (3, 2, 1), (1, 1, 1), (2, 1, 0)])
def test_counts_below_the_arrays_read_the_arrays_cut_to_them(vx, nplies, nsec, ndmg):
    """Arrays larger than the counts are legitimate: the answers are those of
    the arrays cut to the counts."""
    consistent_store(vx)
    d, b, sd, md = vx.damagedata, vx.bukdata, vx.sectiondata, vx.materialdata
    sd.nplies, sd.nsec, d.ndmg = nplies, nsec, ndmg
    wide = answers(vx, nplies, nsec)
    assert error_record(vx)[0] == 0
    # the comparison has something to compare: general and matrix regions, buckled sub-laminates
    assert ndmg == 0 or (wide[:, [0, 2]] == 1.0).any()
    assert ndmg == 0 or nplies == 1 or ((wide[:, 5] == 1.0) & (wide[:, 11] < 0.5)).any()
    ni, nr = max(nplies - 1, 1), max(nplies, 1)
    cut = lambda a, *ext: np.asfortranarray(a[tuple(slice(0, e) for e in ext)])
    for name in ("generaldds", "fiberdds", "matrixdds", "coredds", "userdds"):
        setattr(d, name, cut(getattr(d, name), 3, nplies, ndmg))
    d.delamdds = cut(d.delamdds, 3, ni, ndmg) if ndmg else None
    d.dmgplane, d.dmgpoints = cut(d.dmgplane, 10, ndmg), cut(d.dmgpoints, 12, nplies, 6, ndmg)
    b.bukintdatalist, b.bukrealdatalist = (np.zeros((4, nr, ndmg, nsec), np.int32, order="F"),
                                           np.zeros((12, nr, ndmg, nsec), order="F"))
    for comp, name in ((sd, "plyorientation"), (sd, "plythickness"), (md, "matidlist")):
        setattr(comp, name, cut(getattr(comp, name), nplies, nsec))
    sd.xcstrength, md.peprops = sd.xcstrength[:nsec].copy(), cut(md.peprops, 9, nplies, nsec)
    np.testing.assert_array_equal(answers(vx, nplies, nsec), wide)
    assert error_record(vx)[0] == 0
    if ndmg == 0:
        assert (wide == 0.5).all()
    clear_store(vx)


def test_growth_refuses_counts_before_creating_the_store():
    # Before the fix a ply count beyond the ply angles sized the store: in a
    # child process with an address-space limit, so that it cannot take the machine.
    from conftest import limit_memory, run_python
    out, rc = run_python(f"""
import numpy as np, _vexlan as vx
{limit_memory(256 << 20)}sd, d, eh = vx.sectiondata, vx.damagedata, vx.errorhandling
sd.plyorientation = np.zeros((2, 1))
for counts in ((2**31 - 1, 1, 1), (-1, 1, 1), (2, -1, 1), (2, 2, 1), (2, 1, -3)):
    sd.nplies, sd.nsec, d.ndmg = counts
    eh.rsxerr(1)
    vx.damage.updatedds(np.ones(5), [1.0, 0.0, 0.0], [0.0, 0.0, 0.0], np.eye(3), 1, 1, 1)
    print(int(eh.errstat), bytes(eh.errstring).decode().strip(), d.damagedds is None, d.generaldds is None)
""")
    assert rc == 0, out
    section, damage = "Section data disagree with their counts in UpdateDDS", "Damage data disagree with their counts in UpdateDDS"
    assert out.decode().splitlines() == [f"-2 {m} True True" for m in (section, section, section, section, damage)]
