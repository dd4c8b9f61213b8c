"""Section card: section arrays, ply materials, orientations, thicknesses and z-coordinates."""
import time

import numpy as np
import pytest

from conftest import error_record as err, release_model

UNSET = 2147483647


@pytest.fixture(autouse=True)
def fresh(vx):
    release_model(vx)


def read(vx, tmp_path, text, name="SectionCard.vxd", deck=""):
    if text is not None:
        (tmp_path / name).write_text(text)
    vx.iohandling.getsectiondatafromfile(deck, str(tmp_path))


def zcoords(t):
    """Bottom and middle of each ply, then the top, from the mid-plane."""
    edges = np.cumsum(np.r_[0.0, t]) - np.sum(t) / 2
    return np.insert(edges, range(1, len(edges)), (edges[:-1] + edges[1:]) / 2)


TWO = ("** two sections\n"
       "++Begin Section, SecID=7\n+Material\n3\n+Orientation\n0.0, 90.0, 0.0\n+Thickness\n0.25\n+Extension\n1 2\n"
       "+Strength\n450.0\n++End Section\n"
       "++Begin Section, SecID=12\n+Material\n1 2 2 1 1\n+Orientation\n45 -45 0 -45 45\n"
       "+Thickness\n0.1 0.2 0.3 0.2 0.1\n+Strength, TYPE=INSITU\n99.0\n++End Section\n")


def test_two_sections(vx, tmp_path):
    read(vx, tmp_path, TWO)
    s = vx.sectiondata
    assert (int(s.nsec), int(s.nplies)) == (2, 5)
    assert list(s.secidlist) == [7, 12]
    np.testing.assert_array_equal(vx.materialdata.matidlist, [[3, 1], [3, 2], [3, 2], [UNSET, 1], [UNSET, 1]])
    np.testing.assert_array_equal(s.plyorientation[:3, 0], [0, 90, 0])
    np.testing.assert_array_equal(s.plythickness[:3, 0], [0.25] * 3)
    z = np.column_stack([np.r_[zcoords([0.25] * 3), [0.0] * 4], zcoords([0.1, 0.2, 0.3, 0.2, 0.1])])
    np.testing.assert_allclose(s.plyzcoord, z, rtol=0, atol=1e-15)
    assert list(s.seflags[:, 0]) == [1, 2] and list(s.xcstrength) == [450.0, 0.0]
    assert s.sefmatrix.shape == (11, 4, 2) and s.sehmatrix.shape == (2, 2, 2)
    assert err(vx)[0] == 0


def test_missing_card_and_empty_card(vx, tmp_path):
    read(vx, tmp_path, None, deck=str(tmp_path / "job.inp"))
    assert vx.sectiondata.plyorientation is None and int(vx.sectiondata.nsec) == 1
    read(vx, tmp_path, "nothing here\n")
    assert vx.materialdata.matidlist.tolist() == [[1]]
    assert err(vx) == (-2, "Error in SectionCard, line 1: line read by no item")
    vx.datahandling.deallocall()
    vx.errorhandling.rsxerr(1)
    read(vx, tmp_path, "++Begin Section\n+Orientation\n0\n+Thickness\n1\n++End Section\n")
    assert err(vx) == (-2, "Error in SectionCard, section ?, line 1: ++Begin Section: no readable id")
    assert list(vx.sectiondata.secidlist) == [UNSET]


def test_block_position_not_id_and_indented_begin(vx, tmp_path):
    text = ("++Begin Section, SecID=30\n+Material\n1\n+Orientation\n0\n+Thickness\n1\n++End Section\n"
            "  ++Begin Section, SecID=5\n+Orientation\n1 2 3\n++End Section\n"
            "++BEGIN SECTION, secid=2\n+Material\n1\n+Orientation\n5 6\n+Thickness\n1\n++end section\n")
    read(vx, tmp_path, text)
    s = vx.sectiondata
    # The indented begin line counts towards nsec but opens no block: its items
    # are skipped and its end line closes column 2 with an unset id.
    assert int(s.nsec) == 3
    assert list(s.secidlist) == [30, UNSET, 2]
    assert err(vx) == (-2, "Error in SectionCard, line 9: keyword not in column 1: ++Begin Section, SecID=5")
    np.testing.assert_array_equal(s.plyorientation[:2, 2], [5, 6])


def test_counts_do_not_carry_over_between_blocks(vx, tmp_path):
    text = ("++Begin Section, SecID=1\n+Material\n8\n+Orientation\n0 0\n+Thickness\n0.2\n++End Section\n"
            "++Begin Section, SecID=2\n+Orientation\n0 0 0\n++End Section\n")
    read(vx, tmp_path, text)
    np.testing.assert_array_equal(vx.sectiondata.plythickness[:, 1], 0.0)
    np.testing.assert_array_equal(vx.materialdata.matidlist, [[8, UNSET], [8, UNSET], [UNSET, UNSET]])


def test_strength_without_value_is_reported_and_kept(vx, tmp_path):
    text = "++Begin Section, SecID=1\n+Strength\n+Orientation\n0 90\n++End Section\n"
    read(vx, tmp_path, text)
    assert err(vx) == (-2, "Error in SectionCard, section 1, line 2: +Strength without a readable value")
    np.testing.assert_array_equal(vx.sectiondata.plyorientation[:, 0], [0, 90])  # next keyword not lost
    assert vx.sectiondata.xcstrength[0] == 0.0


def test_the_lines_of_an_insitu_strength_are_not_read(vx, tmp_path):
    """Whatever they hold: the item is ignored on purpose, up to the next line that would end its data."""
    text = ("++Begin Section, SecID=1\n+Orientation\n0 90\n+Strength, TYPE=INSITU\nany 1 2\n62.0, 1e400 MPa\n\n"
            "+Thickness\n0.25\n+Strength, type=insitu\nsee the ply test, report 7\n** note\n+Material\n1\n"
            "+Strength\n310\n++End Section\n")
    read(vx, tmp_path, text)
    assert err(vx)[0] == 0, err(vx)
    s = vx.sectiondata
    assert s.plythickness[:, 0].tolist() == [0.25, 0.25] and s.xcstrength.tolist() == [310.0]
    assert vx.materialdata.matidlist[:, 0].tolist() == [1, 1]
    # a keyword after blanks still ends them, and is reported as such
    read(vx, tmp_path, text.replace("+Thickness", "  +Thickness"))
    assert err(vx) == (-2, "Error in SectionCard, section 1, line 8: keyword not in column 1: +Thickness")


def test_the_key_of_a_begin_line_is_not_read(vx, tmp_path):
    """Only the integer after its first six characters is: MatID=3 opens section 3, and is not reported."""
    read(vx, tmp_path, "++Begin Section, MatID=3\n+Orientation\n0\n+Thickness\n1\n+Material\n1\n++End Section\n"
                       "++Begin Section, xyzab=4\n+Orientation\n0\n+Thickness\n1\n+Material\n1\n++End Section\n")
    assert err(vx)[0] == 0 and list(vx.sectiondata.secidlist) == [3, 4]


@pytest.mark.parametrize("text", [
    "++Begin Section, SecID=1\n+Orientation\n0 90\n+Material\n1 2 3 4\n+Extension\n1 2 3\n++End Section\n",
    "++Begin Section, SecID=1\n+Orientation\n0\n++End Section\n++End Section\n++End Section\n"
    "++Begin Section, SecID=1\n+Orientation\n0\n",
    "++Begin Section, SecID=1\n+Thickness\n1 2 3 4 5 6 7\n++End Section\n",
])
def test_values_beyond_the_arrays_are_reported(vx, tmp_path, text):
    read(vx, tmp_path, text)
    assert err(vx)[0] == -2
    assert vx.sectiondata.plyorientation.shape[1] == vx.sectiondata.nsec


def test_second_larger_card_stays_inside_the_arrays(vx, tmp_path):
    read(vx, tmp_path, TWO)
    big = "".join(f"++Begin Section, SecID={i}\n+Orientation\n{' '.join(['0'] * 8)}\n+Material\n1\n"
                  "+Thickness\n0.1\n++End Section\n" for i in range(4))
    read(vx, tmp_path, big)
    s = vx.sectiondata
    assert err(vx)[0] == -2
    assert s.plyorientation.shape == (5, 2) and (int(s.nsec), int(s.nplies)) == (2, 5)
    assert list(s.secidlist) == [0, 1]
    np.testing.assert_allclose(s.plyzcoord[:, 1], zcoords([0.1] * 5), rtol=0, atol=1e-15)


def write_cards(d, nsec, seed=1):
    ang = np.random.default_rng(seed).choice([0, 45, -45, 90], (nsec, 10, 10))
    (d / "SectionCard.vxd").write_text("".join(
        f"++Begin Section, SecID={i + 1}\n+Material\n{i % 4 + 1}\n+Orientation\n"
        + "\n".join(" ".join(f"{a:.1f}" for a in row) for row in ang[i]) + "\n+Thickness\n0.125\n++End Section\n"
        for i in range(nsec)))
    (d / "MaterialCard.vxd").write_text("".join(
        f"++Begin Material, MatID={m}\n+Temperature\n20 80\n+Elastic\n{m}e5 1e4 0.3 0.4 5e3\n"
        "+Strength\n" + " ".join(["100"] * 10) + "\n+Table, TYPE=TEMPERATURE\n" + " ".join(["1"] * 30) + "\n"
        "+Failure\n1 2 3 4 0\n++End Material\n" for m in range(1, 5)))


def read_timed(vx, d):
    release_model(vx)
    t0 = time.perf_counter()
    vx.iohandling.getsectiondatafromfile("", str(d))
    t1 = time.perf_counter()
    vx.iohandling.getmaterialdatafromfile("", str(d), int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
    return t1 - t0, time.perf_counter() - t1


def test_thousand_sections_of_hundred_plies(vx, tmp_path):
    (tmp_path / "small").mkdir()
    write_cards(tmp_path / "small", 100)
    write_cards(tmp_path, 1000)
    # Times compared within the run, so that they hold in any build: ten times
    # the sections take about ten times as long (a reader that rescanned the
    # card per block would take a hundred), and filling the material data of
    # the plies costs a few times reading their section card. The material
    # data outgrow the caches, so they are compared with the section card.
    read_timed(vx, tmp_path)
    small = min(read_timed(vx, tmp_path / "small")[0] for _ in range(3))
    sec, mat = (min(t) for t in zip(*(read_timed(vx, tmp_path) for _ in range(3))))
    print(f"1000 sections x 100 plies: section card {sec * 1e3:.1f} ms ({sec / small:.1f} times 100 sections), "
          f"material card {mat * 1e3:.1f} ms")
    assert sec / small < 30 and mat / sec < 20
    s, m = vx.sectiondata, vx.materialdata
    assert s.plyorientation.shape == (100, 1000)
    np.testing.assert_allclose(s.plyzcoord[:, 999], zcoords([0.125] * 100), rtol=0, atol=1e-13)
    assert m.peprops.shape == (18, 100, 1000) and m.peprops[0, 99, 998] == 3e5 and m.peprops[9, 0, 0] == 1e5
    assert err(vx)[0] == 0
