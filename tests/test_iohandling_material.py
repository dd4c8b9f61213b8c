"""Material card: per-ply properties, merged temperatures, factor tables, curing and calibration data;
the example cards read end to end."""
import os
import shutil

import numpy as np
import pytest

from conftest import error_record as err, release_model

UNSET = 2147483647
HUGE = np.finfo(float).max
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "cards")


@pytest.fixture(autouse=True)
def fresh(vx):
    release_model(vx)


def nye5(e1, e2, nu12, nu23, g12):
    """Transversely isotropic ply from five constants (textbook relation G23 = E2 / (2 (1 + nu23)))."""
    return [e1, e2, e2, nu12, nu12, nu23, g12, g12, e2 / (2 * (1 + nu23))]


def read_cards(vx, d, section=None, material=None):
    if section is not None:
        (d / "SectionCard.vxd").write_text(section)
    if material is not None:
        (d / "MaterialCard.vxd").write_text(material)
    io = vx.iohandling
    io.getsectiondatafromfile("", str(d))
    io.getmaterialdatafromfile("", str(d), int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))


def one_ply_section(mat=1, plies=1):
    return (f"++Begin Section, SecID=1\n+Material\n{mat}\n+Orientation\n{' '.join(['0'] * plies)}\n"
            "+Thickness\n1\n++End Section\n")


def test_example_cards(vx, tmp_path):
    for f in os.listdir(EXAMPLES):
        shutil.copy(os.path.join(EXAMPLES, f), tmp_path)
    vx.iohandling.getstepdatafromfile("", str(tmp_path), 1)
    read_cards(vx, tmp_path)
    assert err(vx)[0] == 0
    d, m = vx.debugdata, vx.materialdata
    assert (int(d.nupdate), int(d.verbose), int(d.unitid)) == (5, 1, -3)
    assert list(m.temperatures) == [20.0, 80.0] and int(m.ntempdata) == 2
    assert m.peprops.shape == (18, 8, 2) and m.psprops.shape == (20, 8, 2)

    carbon = np.array(nye5(135000.0, 10000.0, 0.30, 0.45, 5000.0))
    hot = np.array(nye5(135000.0, 9000.0, 0.30, 0.45, 4000.0))
    glass = [40000.0, 9800.0, 9800.0, 0.30, 0.30, 0.40, 4500.0, 4500.0, 3500.0]
    s_carbon = np.array([1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0, 90.0])
    f_hot = np.array([1.0, 0.8, 0.8, 0.95, 0.85, 0.85, 0.75, 0.75, 0.75, 0.8])
    s_glass = [1000.0, 40.0, 40.0, 700.0, 140.0, 140.0, 70.0, 70.0, 50.0, 60.0]
    np.testing.assert_allclose(m.peprops[:, :, 0], np.tile(np.r_[carbon, hot][:, None], 8), rtol=1e-15)
    np.testing.assert_allclose(m.psprops[:, :, 0], np.tile(np.r_[s_carbon, s_carbon * f_hot][:, None], 8), rtol=1e-15)
    np.testing.assert_array_equal(m.pfflags[:, :, 0].T, [[1, 3, 5, 1, 0]] * 8)
    np.testing.assert_array_equal(m.pelimits[:, :, 0].T, [[0.01, 0.2, 0.2, 0.2, 0.2, 0.2] * 2] * 8)
    np.testing.assert_array_equal(m.phprops[:, :, 0].T, [[-0.3e-6, 28e-6, 28e-6]] * 8)
    # Section 2: no factors, one block; plies 5 to 8 have no material and keep the initial contents.
    np.testing.assert_array_equal(m.peprops[:, :, 1].T, [glass + [0.0] * 9] * 4 + [[0.0] * 18] * 4)
    np.testing.assert_array_equal(m.psprops[:, :4, 1].T, [s_glass + [0.0] * 10] * 4)
    np.testing.assert_array_equal(m.pfflags[:, :4, 1].T, [[0, 1, 2, 1, 0]] * 4)
    np.testing.assert_array_equal(m.pfprops[:, :4, 1].T, [[0.25, 0.8]] * 4)
    np.testing.assert_array_equal(m.pelimits[:, :4, 1], -1.0)
    np.testing.assert_array_equal(m.matidlist[4:, 1], UNSET)
    np.testing.assert_array_equal(m.pdprops, HUGE)
    assert m.cuprops.shape == (7, 8, 8, 2) and np.all(m.cuprops == HUGE)
    np.testing.assert_array_equal(m.peflags, 0)
    s = vx.sectiondata
    np.testing.assert_allclose(s.plyzcoord[:, 0], np.linspace(-0.5, 0.5, 17), rtol=0, atol=1e-15)
    np.testing.assert_allclose(s.plyzcoord[:9, 1], np.linspace(-0.5, 0.5, 9), rtol=0, atol=1e-15)
    assert list(s.secidlist) == [1, 2] and s.xcstrength[0] == 310.0 and list(s.seflags[:, 1]) == [1, 0]


def test_temperatures_merge_and_default(vx, tmp_path):
    card = ("++Begin Material, MatID=1\n+Temperature\n80 20\n++End Material\n"
            "++Begin Material, MatID=2\n+Temperatures\n20, 50, 120\n++End Material\n"
            "++Begin Material, MatID=3\n+Temperature\n-40\n")  # never closed: not merged
    read_cards(vx, tmp_path, one_ply_section(), card)
    m = vx.materialdata
    assert list(m.temperatures) == [20, 50, 80, 120] and int(m.ntempdata) == 4
    read_cards(vx, tmp_path, None, "++Begin Material, MatID=1\n+Elastic\n70000, 0.25\n++End Material\n")
    assert list(m.temperatures) == [HUGE] and int(m.ntempdata) == 1
    g = 70000 / 2.5
    np.testing.assert_allclose(m.peprops[:9, 0, 0], [70000] * 3 + [0.25] * 3 + [g] * 3, rtol=1e-15)


def test_blocks_do_not_inherit_factors(vx, tmp_path):
    section = ("++Begin Section, SecID=1\n+Material\n1 2\n+Orientation\n0 0\n+Thickness\n1\n++End Section\n")
    card = ("++Begin Material, MatID=1\n+Temperature\n20 80\n+Elastic\n100 0.2\n+Table, TYPE=TEMPERATURE\n"
            "1 1\n0.5 1\n++End Material\n"
            "++Begin Material, MatID=2\n+Elastic\n100 0.2\n++End Material\n")
    read_cards(vx, tmp_path, section, card)
    p = vx.materialdata.peprops
    assert p[0, 0, 0] == 100 and p[9, 0, 0] == 50
    assert p[0, 1, 0] == 100 and p[9, 1, 0] == 0.0
    assert err(vx)[0] == 0


@pytest.mark.parametrize("item,values,what", [
    ("+Elastic", "1 2 3 4 5 6 7 8", "+Elastic: 8 values, not 2, 5 or 9"),
    ("+Strength", " ".join(["1"] * 11), "+Strength: 11 values, at most 10"),
    ("+Failure", "1 2 3 4 5 6", "+Failure: 6 values, at most 5"),
    ("+Failure, TYPE=DEGRADATION", "1 2 3", "+Failure: 3 values, not 6 or 12"),
    # (2 elastic + 0 strength values) x 2 temperatures
    ("+Table, TYPE=TEMPERATURE", "1 2 3", "+Table: 3 factors, expected 4"),
])
def test_counts_outside_the_format_are_reported(vx, tmp_path, item, values, what):
    other = "+Fracture\n1\n" if item == "+Elastic" else "+Elastic\n100 0.2\n"
    card = f"++Begin Material, MatID=4\n+Temperature\n20 30\n{other}{item}\n{values}\n++End Material\n"
    read_cards(vx, tmp_path, one_ply_section(4), card)
    assert err(vx) == (-2, f"Error in MaterialCard, material 4, line 6: {what}")
    assert np.all(vx.materialdata.pfflags == 0)


def test_block_without_id_fills_nothing(vx, tmp_path):
    section = "++Begin Section, SecID=1\n+Orientation\n0 0\n+Material\n1\n+Thickness\n1\n++End Section\n"
    (tmp_path / "SectionCard.vxd").write_text(section)
    vx.iohandling.getsectiondatafromfile("", str(tmp_path))
    vx.materialdata.matidlist[1, 0] = UNSET  # a ply without material
    (tmp_path / "MaterialCard.vxd").write_text("++Begin Material, MatID = 1\n+Elastic\n1 0.3\n++End Material\n")
    vx.iohandling.getmaterialdatafromfile("", str(tmp_path), 2, 1)
    assert err(vx) == (-2, "Error in MaterialCard, material ?, line 1: ++Begin Material: no readable id")
    np.testing.assert_array_equal(vx.materialdata.peprops, 0.0)


def test_missing_material_block_is_a_warning(vx, tmp_path):
    read_cards(vx, tmp_path, one_ply_section(9), "++Begin Material, MatID=1\n+Elastic\n1 0.3\n++End Material\n")
    assert err(vx) == (-2, "Warning: no material block for material id 9")
    np.testing.assert_array_equal(vx.materialdata.peprops, 0.0)


def test_calibration_curves_fill_rows_in_turn(vx, tmp_path):
    card = ("++Begin Material, MatID=1\n+Temperature\n20 80\n"
            "+Calibration, TYPE=Shear, T=20\n1 10 2 20\n"
            "+Calibration, TYPE=Shear, T=80\n3 30 4 40\n"
            "+Calibration, TYPE=Shear, T=20\n5 50 6 60\n"          # third curve: row 1 again
            "+Calibration, TYPE=Normal\n7 70\n"                     # no T=: ignored
            "+Calibration, TYPE=Plasticity, T=20\n0.01 1 2 0.02 3 4\n"
            "+Calibration, TYPE=EquivalentStress\n1 2 3 4\n"
            "+Calibration, TYPE=Ratio\n0.7\n+I10\n3.5\n"
            "+Regularization, TYPE=VISCOUS\n1e-4 2e-4\n++End Material\n")
    read_cards(vx, tmp_path, one_ply_section(), card)
    m = vx.materialdata
    assert int(m.nsheardata) == 2 and m.shearprops.shape == (2, 2, 2)
    np.testing.assert_array_equal(m.shearprops.transpose(2, 0, 1), [[[5, 6], [3, 4]], [[50, 60], [30, 40]]])
    np.testing.assert_array_equal(m.normalprops, 0.0)
    assert int(m.nflowdata) == 2 and m.flowprops.shape == (2, 2, 3)
    # One row counter for all curve types: the fourth curve of the block fills row 2.
    np.testing.assert_array_equal(m.flowprops, [np.zeros((2, 3)), [[0.01, 1, 2], [0.02, 3, 4]]])
    np.testing.assert_array_equal(m.equivalentstress, [[1, 2], [3, 4]])
    assert m.r_crit[0] == 0.7 and m.i10[0] == 3.5
    np.testing.assert_array_equal(m.regularization, [1e-4, 2e-4])


def test_curing_needs_all_eight_items(vx, tmp_path):
    items = ["+GelPoint", "+Enthalpie", "+Expansion", "+Shrinkage", "+Curing", "+Transition",
             "+Curing, TYPE=RATE", "+Curing, TYPE=MASTER"]
    body = "".join(f"{it}\n{' '.join(str(10 * k + j) for j in range(1, 3 + k))}\n" for k, it in enumerate(items))
    read_cards(vx, tmp_path, one_ply_section(), f"++Begin Material, MatID=1\n{body}++End Material\n")
    cu = vx.materialdata.cuprops
    assert cu.shape == (9, 8, 1, 1)  # the master curve, the longest of rate and master
    for k in range(8):
        np.testing.assert_array_equal(cu[:, k, 0, 0], [10 * k + j for j in range(1, 3 + k)] + [HUGE] * (7 - k))
    # Only the rate and master curves size the table: a longer item is clipped and reported.
    vx.datahandling.deallocall()
    vx.errorhandling.rsxerr(1)
    body = "".join(f"{it}\n{' '.join(['1'] * (10 if it == '+Expansion' else 2))}\n" for it in items)
    read_cards(vx, tmp_path, one_ply_section(), f"++Begin Material, MatID=1\n{body}++End Material\n")
    cu = vx.materialdata.cuprops
    assert cu.shape == (7, 8, 1, 1) and np.all(cu[:, 2, 0, 0] == 1.0)
    assert err(vx) == (-2, "Error in MaterialCard, material 1, line 6: +Curing: too many values")
    vx.datahandling.deallocall()
    read_cards(vx, tmp_path, one_ply_section(), "++Begin Material, MatID=1\n+GelPoint\n1\n++End Material\n")
    assert err(vx)[0] == -2 and np.all(vx.materialdata.cuprops == HUGE)


def test_second_read_and_surviving_resin_tables(vx, tmp_path):
    big = ("++Begin Material, MatID=1\n+Temperature\n1 2 3\n"
           + "".join(f"+Calibration, TYPE=Secant, T={t}\n1 2 3 4 5 6\n" for t in (1, 2, 3))
           + "++End Material\n")
    read_cards(vx, tmp_path, one_ply_section(), big)
    assert vx.materialdata.secantprops.shape == (3, 3, 2)
    vx.datahandling.deallocall()  # the resin tables survive the release
    assert vx.materialdata.secantprops is not None
    small = "++Begin Material, MatID=1\n+Calibration, TYPE=Secant, T=1\n7 8\n+Elastic\n5 0.1\n++End Material\n"
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1
    read_cards(vx, tmp_path, one_ply_section(), small)
    np.testing.assert_array_equal(vx.materialdata.secantprops, [[[7, 8]]])
    # Read again without a release: written into the same arrays.
    read_cards(vx, tmp_path, None, small.replace("5 0.1", "6 0.1"))
    assert vx.materialdata.peprops[0, 0, 0] == 6
    assert err(vx)[0] == 0
    # A card with more temperatures: the tables and counters agree with each other afterwards.
    read_cards(vx, tmp_path, None, big)
    m = vx.materialdata
    assert int(m.ntempdata) == 3 and m.secantprops.shape == (3, int(m.nsecantdata), 2) and m.peprops.shape[0] == 27


def test_no_section_data(vx, tmp_path):
    (tmp_path / "MaterialCard.vxd").write_text("++Begin Material, MatID=1\n+Elastic\n1 0.3\n++End Material\n")
    vx.iohandling.getmaterialdatafromfile("", str(tmp_path), 2, 3)
    m = vx.materialdata
    assert m.peprops.shape == (9, 2, 3) and np.all(m.peprops == 0) and np.all(m.pelimits == -1)


def test_example_script_runs():
    from conftest import run_python
    script = os.path.join(EXAMPLES, "..", "cards_and_plies.py")
    out, status = run_python(f"import runpy; runpy.run_path({script!r}, run_name='__main__')")
    assert status == 0 and b"card problem" not in out
    assert b"section 1: 8 plies" in out and b"section 2: 4 plies" in out


def test_items_without_values_give_nothing(vx, tmp_path):
    card = ("++Begin Material, MatID=1\n+Elastic\n100 0.2\n+Strength\n+Hygrothermal\n+Failure\n"
            "+Fracture\n++End Material\n")
    read_cards(vx, tmp_path, one_ply_section(), card)
    assert err(vx)[0] == 0
    m = vx.materialdata
    assert m.peprops[0, 0, 0] == 100 and not m.psprops.any() and not m.phprops.any() and not m.pfflags.any()


@pytest.mark.parametrize("nplies,nsec,message", [
    (2, 2, "ply 3 beyond nplies = 2"),
    (3, 1, "section 2 beyond nsec = 1"),
    (3, 2, None),
    (5, 3, None),  # more than the section data holds: nothing left out
])
def test_plies_the_counts_leave_out_are_reported(vx, tmp_path, nplies, nsec, message):
    """Counts smaller than the section data's: the plies within them receive their data, the others
    cannot, and the material that has plies there is reported at its end line."""
    sections = "".join(f"++Begin Section, SecID={s}\n+Material\n1\n+Orientation\n0 90 0\n+Thickness\n1\n"
                       "++End Section\n" for s in (1, 2))
    (tmp_path / "SectionCard.vxd").write_text(sections)
    (tmp_path / "MaterialCard.vxd").write_text("++Begin Material, MatID=1\n+Elastic\n70000 0.3\n++End Material\n")
    vx.iohandling.getsectiondatafromfile("", str(tmp_path))
    vx.errorhandling.rsxerr(1)
    vx.iohandling.getmaterialdatafromfile("", str(tmp_path), nplies, nsec)
    if message is None:
        assert err(vx)[0] == 0
    else:
        assert err(vx) == (-2, "Error in MaterialCard, material 1, line 4: " + message)
    p = vx.materialdata.peprops
    assert p.shape == (9, nplies, nsec)
    within = p[0, :min(nplies, 3), :min(nsec, 2)]
    assert np.all(within == 70000) and not p[0, 3:, :].any() and not p[0, :, 2:].any()


def test_a_smaller_model_read_into_the_arrays_of_a_larger_one(vx, tmp_path):
    """Without a release between them, the second model's cards fill the arrays of the first: the
    first model's plies past the new counts are no plies of the new model and are not reported."""
    def job(n, mat=1):
        (tmp_path / "SectionCard.vxd").write_text(
            "++Begin Section, SecID=1\n+Material\n" + f"{mat} " * n + "\n+Orientation\n" + "0 " * n +
            "\n+Thickness\n1\n++End Section\n")
        (tmp_path / "MaterialCard.vxd").write_text(
            f"++Begin Material, MatID={mat}\n+Elastic\n70000 0.3\n++End Material\n")
        vx.sectiondata.nsec = vx.sectiondata.nplies = 1  # as job control starts an analysis
        vx.iohandling.getsectiondatafromfile("", str(tmp_path))
        vx.iohandling.getmaterialdatafromfile("", str(tmp_path), int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
        return err(vx)[0]

    assert job(8) == 0
    assert job(4) == 0 and int(vx.sectiondata.nplies) == 4
    assert np.all(vx.materialdata.peprops[0, :4, 0] == 70000)
    # nor do they name a material the new card must define
    release_model(vx)
    assert job(8, mat=2) == 0
    assert job(4) == 0


@pytest.mark.parametrize("ids", [(3, 1, 2), (7, 2000000000, 1), (-5, 2147483646, 40)])
def test_each_material_reaches_its_own_plies(vx, tmp_path, ids):
    """Ids close together and ids spread over the whole 32-bit range (with plies left without
    material) land on the same plies, in every section."""
    a, b, c = ids
    layout = [[a, b, a, c, b], [c, c, a, b, UNSET]]
    sections = "".join(
        f"++Begin Section, SecID={s + 1}\n+Material\n{' '.join(str(m) for m in mats if m != UNSET)}\n"
        f"+Orientation\n{' '.join(['0'] * sum(m != UNSET for m in mats))}\n+Thickness\n1\n++End Section\n"
        for s, mats in enumerate(layout))
    blocks = "".join(f"++Begin Material, MatID={m}\n+Elastic\n{e}, 0.3\n++End Material\n"
                     for m, e in zip(ids, (1000.0, 2000.0, 3000.0)))
    read_cards(vx, tmp_path, sections, blocks)
    assert err(vx)[0] == 0
    modulus = {a: 1000.0, b: 2000.0, c: 3000.0, UNSET: 0.0}
    want = [[modulus[m] for m in mats] for mats in layout]
    np.testing.assert_array_equal(vx.materialdata.peprops[0, :, :].T, want)
