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
    shapes = "(3,2,1,1) and (12,2,1,1)" if name == "bukintdatalist" else "(4,2,1,1) and (11,2,1,1)"
    assert out.decode().strip().split(None, 3) == ["0.0", "1.0", "-2",
                                                   f"Buckling lists {shapes} disagree in GetDamageFromDDS"]


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


def cut_lists(vx, records=8, damages=2, sections=2):
    """The lists built, then cut to the extents given."""
    job_query(vx)
    b = vx.bukdata
    b.bukintdatalist, b.bukrealdatalist = (np.asfortranarray(a[:, :records, :damages, :sections])
                                           for a in (b.bukintdatalist, b.bukrealdatalist))


def unlink_record(vx):
    """The record of ply 5 in damage 1, section 1 names an interface the stack lacks."""
    intg = vx.bukdata.bukintdatalist
    i = [r for r in range(intg.shape[1]) if intg[1, r, 0, 0] <= 5 <= intg[2, r, 0, 0]][0]
    intg[0, i, 0, 0] = 8


@pytest.mark.parametrize("change, message", [
    (lambda vx: spoil(vx, "bukdata", "bukintdatalist", (4, 1, 1, 1)), "Buckling lists (4,1,1,1) and (12,8,2,2) disagree"),
    (lambda vx: spoil(vx, "bukdata", "bukrealdatalist", (12, 8, 2, 1)), "Buckling lists (4,8,2,2) and (12,8,2,1) disagree"),
    (lambda vx: spoil(vx, "bukdata", "bukintdatalist", None), "Buckling list bukintdatalist absent"),
    (lambda vx: spoil(vx, "bukdata", "bukrealdatalist", None), "Buckling list bukrealdatalist absent"),
    # lists that hold data need a record per interface, empty ones a record per ply to be built
    (shrink_records, "Buckling lists of 7x2x2 records, 8x2x2 needed to build"),
    (lambda vx: cut_lists(vx, records=6), "Buckling lists of 6x2x2 records, 7x2x2 needed"),
    (lambda vx: cut_lists(vx, damages=1), "Buckling lists of 8x1x2 records, 7x2x2 needed"),
    (lambda vx: cut_lists(vx, records=7, sections=1), "Buckling lists of 7x2x1 records, 7x2x2 needed"),
    (unlink_record, "Buckling lists disagree with their counts")],
    ids=["int-short", "real-short", "int-absent", "real-absent", "empty-per-interface", "records", "damages",
         "sections", "record"])
def test_query_without_usable_buckling_lists_answers_all_but_the_buckling(job, change, message):
    vx = job
    ok = job_query(vx)
    change(vx)
    s = job_query(vx)
    assert error_record(vx) == (-2, message + " in GetDamageFromDDS")
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


def one_delamination(vx, records, at=0):
    """3 plies, one section, one damage: a delamination 10 x 10 at interface 1; lists of `records` records,
    all unwritten but record `at` = (1, 1, 1, 1), knock-down 0.5."""
    clear_store(vx)
    sd, d, b = vx.sectiondata, vx.damagedata, vx.bukdata
    sd.nplies, sd.nsec, d.ndmg = 3, 1, 1
    sd.plyorientation = np.zeros((3, 1))
    delam = np.zeros((3, 2, 1), order="F")
    delam[:2, 0, 0] = 10.0
    d.delamdds, d.dmgplane = delam, np.zeros((10, 1), order="F")
    intg = np.full((4, records, 1, 1), -1, np.int32, order="F")
    real = np.zeros((12, records, 1, 1), order="F")
    intg[:, at, 0, 0], real[1, at, 0, 0] = 1, 0.5
    b.bukintdatalist, b.bukrealdatalist = intg, real


@pytest.mark.parametrize("records, at", [(2, 0), (2, 1), (3, 2), (5, 4)],
                         ids=["per-interface", "per-interface-last", "per-ply-last", "more"])
def test_lists_of_a_record_per_interface_or_per_ply_are_read(vx, records, at):
    # One record per interface is how the lists are laid out; the readers give one per ply. Every
    # record a list holds is walked, the last included.
    one_delamination(vx, records, at)
    s = query(vx, [1, 1, 0], 1, sdv=[0] * 11 + [1.0])
    assert error_record(vx)[0] == 0
    assert (s[3], s[5], s[11]) == (1.0, 1.0, 0.5)
    assert tuple(query(vx, [11, 0, 0], 1, sdv=[0] * 11 + [1.0])[[3, 5, 11]]) == (0.0, 0.0, 1.0)
    clear_store(vx)


def buckling_oracle(vx, p, ilay, isec):
    """Buckled flag and knock-down factor (None: no hit) of ply ilay at point p, from the lists: the
    ellipse of each record's bounding interface, in that interface's ply axes turned by the damage's
    angle (the example's delaminations have no outlines)."""
    d, b, sd = vx.damagedata, vx.bukdata, vx.sectiondata
    intg, real = b.bukintdatalist, b.bukrealdatalist
    buckled, knock = 0.0, None
    for dmg in range(int(d.ndmg)):
        col = d.dmgplane[:, dmg]
        col = col[:np.argmax(col == -np.finfo(float).max)] if (col == -np.finfo(float).max).any() else col
        origin, angle = col[:3], col[-1]
        for i in range(intg.shape[1]):
            j, first, last = intg[:3, i, dmg, isec - 1]
            if not first <= ilay <= last:
                continue
            a, bb = d.delamdds[:2, j - 1, dmg]
            t = np.radians(sd.plyorientation[j - 1, isec - 1] + angle)
            dx, dy = p[0] - origin[0], p[1] - origin[1]
            x, y = np.cos(t) * dx + np.sin(t) * dy, -np.sin(t) * dx + np.cos(t) * dy
            with np.errstate(divide="ignore", invalid="ignore"):
                m = (x / a) ** 2 + (y / bb) ** 2
            if 0.0 <= m <= 1.0:
                buckled, knock = 1.0, real[1, i, dmg, isec - 1]
    return buckled, knock


def job_answers(vx, points):
    out = []
    for isec in (1, 2):
        for ilay in range(1, 9):
            for p in points:
                s = np.zeros(12)
                s[11] = 1.0
                vx.damage.getdamagefromdds(s, p, I3, ilay, isec)
                out.append(s)
    return np.array(out)


def test_lists_of_either_size_answer_alike_and_as_their_records_say(job):
    vx = job
    rng = np.random.default_rng(42)
    points = np.column_stack([rng.uniform(20, 80, 150), rng.uniform(5, 45, 150), np.zeros(150)])
    built = job_answers(vx, points)                  # built with a record per ply
    assert error_record(vx)[0] == 0
    b = vx.bukdata
    intg, real = b.bukintdatalist.copy(order="F"), b.bukrealdatalist.copy(order="F")
    # The example's analyses write at most 3 records: the lists cut to one record per interface, or
    # padded past the plies with unwritten records, hold the same.
    assert (intg[1, 3:] <= 0).all()
    k = 0
    for isec in (1, 2):
        for ilay in range(1, 9):
            for p in points:
                flag, knock = buckling_oracle(vx, p, ilay, isec)
                assert built[k, 5] == flag and built[k, 11] == (1.0 if knock is None else min(knock, 1.0))
                k += 1
    assert 50 < (built[:, 5] == 1.0).sum() < len(built) and (built[:, 11] < 0.1).any()
    for records in (7, 11):
        pad = lambda a, fill: np.asfortranarray(np.concatenate(
            [a[:, :records], np.full((a.shape[0], max(records - 8, 0)) + a.shape[2:], fill, a.dtype)], axis=1))
        b.bukintdatalist, b.bukrealdatalist = pad(intg, -1), pad(real, 0.0)
        np.testing.assert_array_equal(job_answers(vx, points), built)
        assert error_record(vx)[0] == 0


@pytest.mark.parametrize("point, frame, message", [
    ([np.nan, 25, 0], None, "Point gpcoords not finite"), ([np.inf, 25, 0], None, "Point gpcoords not finite"),
    ([50, 25, -np.inf], None, "Point gpcoords not finite"), ([50, 25, 0], (0, 0), "Frame refcos not finite"),
    ([50, 25, 0], (2, 2), "Frame refcos not finite")])
def test_a_point_or_frame_not_finite_is_not_answered(job, point, frame, message):
    vx = job
    s = np.zeros(12)
    s[11] = 1.0
    vx.damage.getdamagefromdds(s, [50, 25, 0], I3, 1, 1)
    # The finite point: fibre damage, buckled, the knock-down of the record that holds it.
    flag, knock = buckling_oracle(vx, [50, 25, 0], 1, 1)
    assert (s[1], s[5], flag) == (1.0, 1.0, 1.0) and s[11] == knock == pytest.approx(0.026552, abs=1e-6)
    assert error_record(vx)[0] == 0
    refcos = I3.copy(order="F")
    if frame:
        refcos[frame] = np.nan
    s = np.full(12, 0.5)
    vx.damage.getdamagefromdds(s, point, refcos, 1, 1)
    assert error_record(vx) == (-2, message + " in GetDamageFromDDS")
    np.testing.assert_array_equal(s, 0.5)


@pytest.mark.parametrize("comp, name, index, reads, unread, message", [
    ("damagedata", "dmgplane", (0, 0), 5, None, "Damage origin or angle in dmgplane not finite"),
    ("damagedata", "dmgplane", (3, 0), 5, None, "Damage origin or angle in dmgplane not finite"),   # the angle
    ("damagedata", "fiberdds", (0, 0, 0), 1, 3, "NaN half-axis in fiberdds"),
    ("damagedata", "matrixdds", (1, 3, 0), 4, 5, "NaN half-axis in matrixdds"),
    ("damagedata", "delamdds", (0, 1, 0), 2, 7, "NaN half-axis in delamdds"),      # ply 2's own interface
    ("damagedata", "delamdds", (1, 5, 0), 7, 3, "NaN half-axis in delamdds"),      # bounds ply 7's sub-laminate
    ("damagedata", "dmgpoints", (4, 0, 2, 1), 1, 2, "NaN outline vertex in dmgpoints"),
    ("bukdata", "bukrealdatalist", (1, 0, 0, 0), 1, 3, "NaN knock-down factor in bukrealdatalist"),
    # every ply of section 1 lies in damage 2's sub-laminate bounded by interface 1, in ply 1's axes
    ("sectiondata", "plyorientation", (0, 0), 1, None, "Ply angle in plyorientation not finite"),
    ("sectiondata", "plyorientation", (1, 0), 1, 7, "Ply angle in plyorientation not finite"),  # interface 2
    ("sectiondata", "plyorientation", (1, 0), 3, None, "Ply angle in plyorientation not finite")],
    ids=["origin", "angle", "fiber", "matrix", "delam-own", "delam-bounding", "outline", "knock-down",
         "ply-angle", "bounding-angle", "bounding-angle-3"])
def test_stored_numbers_not_known_are_not_answered(job, comp, name, index, reads, unread, message):
    """A datum the answer rests on that is not a number leaves the state as it came, with the datum named;
    the answers that do not read it stay."""
    vx = job
    before = {ilay: job_query(vx, ilay) for ilay in (reads, unread) if ilay}
    assert error_record(vx)[0] == 0
    getattr(getattr(vx, comp), name)[index] = np.nan if name != "dmgplane" else np.inf
    np.testing.assert_array_equal(job_query(vx, reads), 0.5)
    assert error_record(vx) == (-2, message + " in GetDamageFromDDS")
    if unread:
        vx.errorhandling.rsxerr(1)
        np.testing.assert_array_equal(job_query(vx, unread), before[unread])
        assert error_record(vx)[0] == 0


@pytest.mark.parametrize("comp, name, index, value", [
    ("materialdata", "peprops", (0, 2, 0), np.nan), ("materialdata", "peprops", (8, 1, 1), np.nan),
    ("sectiondata", "xcstrength", (0,), np.nan), ("sectiondata", "xcstrength", (1,), np.inf),
    ("sectiondata", "plythickness", (3, 1), np.nan), ("sectiondata", "plyorientation", (6, 0), np.nan),
    ("damagedata", "delamdds", (0, 1, 0), np.nan)])
def test_lists_are_not_built_from_numbers_not_finite(job, comp, name, index, value):
    vx = job
    ok = job_query(vx)
    b = vx.bukdata
    b.bukintdatalist[...], b.bukrealdatalist[...] = 0, 0.0        # empty again: the next query builds them
    getattr(getattr(vx, comp), name)[index] = value
    s = job_query(vx)
    assert error_record(vx) == (-2, f"Buckling lists not built from non-finite {name} in GetDamageFromDDS")
    assert not b.bukrealdatalist.any()
    np.testing.assert_array_equal(s[:5], ok[:5])
    assert s[5] == 0.5 and s[11] == 0.5


def test_lists_are_built_past_numbers_the_analysis_does_not_read(job):
    # Section 2 has four plies: its plies 5 to 8 have no material and are no part of its stack.
    vx = job
    ok = job_query(vx)
    built = vx.bukdata.bukrealdatalist.copy()
    vx.bukdata.bukrealdatalist[...] = 0.0
    vx.materialdata.peprops[:, 4:, 1] = np.nan
    vx.sectiondata.plythickness[4:, 1] = np.nan
    np.testing.assert_array_equal(job_query(vx), ok)
    assert error_record(vx)[0] == 0
    np.testing.assert_array_equal(vx.bukdata.bukrealdatalist, built)


def test_point_in_damage_of_a_point_half_axis_or_angle_not_a_number(section):
    vx = section
    nan = np.nan

    def inside(p, a=2.0, b=1.0, angle=0.0, layid=1):
        return vx.damage.pointindamage(p, I3, [0, 0, 0], angle, 0.0, a, b, 1, 1, layid, False)

    grow(vx, [1, 1, 0], 1, general=1.0)
    big = np.finfo(float).max
    pts = np.full((12, 2, 6, 1), big)
    pts[:9, 1, 0, 0] = [0, -1, -1, 0, 3, -1, 0, 0, 3]          # a triangle for ply 2
    vx.damagedata.dmgpoints = pts
    for layid in (1, 2):                                         # the ellipse, the outline
        assert inside([0.5, 0.2, 0], layid=layid)
        for kw in (dict(p=[nan, 0.2, 0]), dict(p=[0.5, nan, 0]), dict(p=[0.5, 0.2, 0], angle=nan)):
            assert not inside(layid=layid, **kw)
    for kw in (dict(a=nan), dict(b=nan), dict(a=nan, b=nan)):
        assert not inside([0.5, 0.2, 0], **kw)
        assert inside([0.5, 0.2, 0], layid=2, **kw)              # the outline reads no half-axis
    assert error_record(vx)[0] == 0
