"""Typing mistakes in card files: each one is reported with the card, the block and the line,
while clean cards, cards inside a solver deck and hand-edited line ends still read with status 0."""
import ctypes
import os

import numpy as np
import pytest

from conftest import error_record as err, release_model

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "cards")

SEC = "++Begin Section, SecID=7\n+Material\n1\n+Orientation\n{ori}\n+Thickness\n0.125\n++End Section\n"
MAT = ("++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n"
       "+Strength\n1500 50 50 1200 200 200 80 80 60 90\n++End Material\n")
DMG = "++Begin Damage, DmgID=1\n+Position\n0 0 0 30\n+Abstraction, TYPE=Fiber\n1, 2.0, 1.0, 0\n++End Damage\n"
STEP = "++Begin Step\n+Debug, TYPE=ELEMENT\n12\n++End Step\n"


def read_all(vx, d, deck=""):
    """What job control does: reset, then the four readers in their order."""
    release_model(vx)
    vx.damagedata.ndmg = 0
    io = vx.iohandling
    io.getstepdatafromfile(deck, str(d), 2)
    io.getsectiondatafromfile(deck, str(d))
    np_, ns = int(vx.sectiondata.nplies), int(vx.sectiondata.nsec)
    io.getmaterialdatafromfile(deck, str(d), np_, ns)
    io.getdamagedatafromfile(deck, str(d), np_, ns)


MISTAKES = [
    # an orientation line starting with "+" is a keyword line
    ("SectionCard", SEC.format(ori="+45 -45 -45 +45"),
     "Error in SectionCard, section 7, line 5: unknown item +45 -45 -45 +45"),
    ("SectionCard", SEC.format(ori="0 90").replace("+Orientation", "+Orientations"),
     "Error in SectionCard, section 7, line 4: unknown item +Orientations"),
    ("SectionCard", SEC.format(ori="0 90").replace("++End Section", "++End"),
     "Error in SectionCard, section 7, line 8: unknown item ++End"),
    # the line loop shared by the four cards ends every unclosed block alike
    ("SectionCard", SEC.format(ori="0 90").replace("++End Section\n", ""),
     "Error in SectionCard, section 7, line 1: block not closed by ++End Section"),
    ("SectionCard", SEC.format(ori="0").replace("++End Section\n", "") + SEC.format(ori="0").replace("7", "8"),
     "Error in SectionCard, section 7, line 1: block not closed by ++End Section"),
    ("SectionCard", SEC.format(ori="0 90")[1:],
     "Error in SectionCard, line 1: +Begin Section, SecID=7 outside a block"),
    ("SectionCard", SEC.format(ori="0 90 90 0").replace("+Material\n1", "+Material\n1 2"),
     "Error in SectionCard, section 7, line 2: 2 +Material values for 4 plies"),
    ("SectionCard", SEC.format(ori="0 90 90 0").replace("0.125", "0.1 0.2 0.1"),
     "Error in SectionCard, section 7, line 6: 3 +Thickness values for 4 plies"),
    ("SectionCard", " " + SEC.format(ori="0 90"),
     "Error in SectionCard, line 1: keyword not in column 1"),
    ("SectionCard", SEC.format(ori="0 90") + "++End Section\n",
     "Error in SectionCard, line 9: ++End Section without a begin line"),
    ("SectionCard", SEC.format(ori="0 1.2.3"),
     "Error in SectionCard, section 7, line 5: value that is not a number"),
    # a comment between the data lines of one item leaves the second line unread
    ("MaterialCard", MAT.replace("9000 0.3", "9000\n** Poisson's ratios and shear modulus\n0.3"),
     "Error in MaterialCard, material 1, line 5: line read by no item"),
    ("MaterialCard", MAT.replace("+Strength", "+Failure, TYPE=INITATION"),
     "Error in MaterialCard, material 1, line 4: unknown item +Failure, TYPE=INITATION"),
    ("MaterialCard", MAT.replace("+Strength", "+Calibration, TYPE=Shear"),
     "Error in MaterialCard, material 1, line 4: curve without one T= in +Calibration"),
    ("MaterialCard", "+Elastic\n70000 0.3\n" + MAT,
     "Error in MaterialCard, line 1: +Elastic outside a block"),
    ("StepCard", STEP.replace("ELEMENT", "ELEMENTS"),
     "Error in StepCard, step, line 2: unknown item +Debug, TYPE=ELEMENTS"),
    ("StepCard", "+Debug, TYPE=ELEMENT\n12\n" + STEP,
     "Error in StepCard, line 1: +Debug, TYPE=ELEMENT outside a block"),
    ("StepCard", "++Begin Step\n+Cycle\n0 0 1 0 0 2 0 0 1 0 0 2\n+Cycle, TYPE=INDIVIDUAL\n5 6\n++End Step\n",
     "Error in StepCard, step, line 4: individual cycles that no step takes"),
    ("DamageCard", DMG.replace("Fiber", "fiber"),
     "Error in DamageCard, damage 1, line 4: unknown item +Abstraction, TYPE=fiber"),
    ("DamageCard", DMG.replace("1, 2.0", "3, 2.0"),
     "Error in DamageCard, damage 1, line 4: record for a ply outside 1..2"),
    ("DamageCard", DMG.replace("Fiber", "Delamination").replace("1, 2.0", "2, 2.0"),
     "Error in DamageCard, damage 1, line 4: record for an interface other than 1"),
]


@pytest.mark.parametrize("name,text,message", MISTAKES, ids=[f"{m[0]}-{i}" for i, m in enumerate(MISTAKES)])
def test_mistake_is_reported_with_card_block_and_line(vx, tmp_path, name, text, message):
    cards = {"StepCard": STEP, "SectionCard": SEC.format(ori="0 90"), "MaterialCard": MAT, "DamageCard": DMG}
    cards[name] = text
    for n, t in cards.items():
        (tmp_path / f"{n}.vxd").write_text(t)
    read_all(vx, tmp_path)
    assert err(vx) == (-2, message)
    # The context values hold the line named in the message.
    assert int(vx.errorhandling.errintv[0]) == int(message.split("line ")[1].split(":")[0])


def test_mistakes_change_no_data(vx, tmp_path):
    """Reading goes on as before: what a mistaken card sets is what it set without the report."""
    (tmp_path / "SectionCard.vxd").write_text(SEC.format(ori="+45 -45 -45 +45") + SEC.format(ori="0 90")
                                              .replace("7", "8").replace("+Material\n1", "+Material\n1 1 1"))
    (tmp_path / "MaterialCard.vxd").write_text(MAT.replace("9000 0.3", "9000\n** comment\n0.3"))
    read_all(vx, tmp_path)
    s, m = vx.sectiondata, vx.materialdata
    assert err(vx)[0] == -2
    assert int(s.nplies) == 2 and list(s.secidlist) == [7, 8]
    np.testing.assert_array_equal(m.matidlist, [[1, 1], [2147483647, 1]])
    # Two elastic values: isotropic, nu the second value.
    np.testing.assert_allclose(m.peprops[:6, 0, 0], [140000] * 3 + [9000] * 3)


CLEAN = {
    "SectionCard": ("** sections\n++Begin Section, SecID=1\n+Material\n1 2\n+Orientation\n0.0, 90.0\n"
                    "+Thickness\n0.2\n+Extension\n1 0\n+Strength\n\n310.0\n+Strength, TYPE=INSITU\n99\n"
                    "++End Section\n\n"),
    "MaterialCard": MAT + MAT.replace("MatID=1", "MatID=2").replace("+Elastic", "** glass\n+Elastic") +
                    "++Begin Material, MatID=3\n+Temperature\n20 80\n+Calibration, TYPE=Shear, T=20\n1 2\n"
                    "+Calibration, TYPE=Shear, T=80\n1 3\n++End Material\n",
    "StepCard": "+Update\n3\n+Cycle\n1 2\n" + STEP.replace("++End", "+Verbose\n1 6\n+Update, TYPE=INC\n4\n++End"),
    "DamageCard": DMG + DMG.replace("DmgID=1", "DmgID=2").replace("+Position", "+Table, TYPE=Matrix, LayID=1\n"
                                                                  "0 0 0 0 1 0 0 1 1\n+Position"),
}


@pytest.mark.parametrize("ends", ["\n", "\r\n", "\r"])
def test_clean_cards_read_without_a_report_whatever_the_line_ends(vx, tmp_path, ends):
    for n, t in CLEAN.items():
        (tmp_path / f"{n}.vxd").write_bytes(t.replace("\n", ends).encode())
    read_all(vx, tmp_path)
    assert err(vx)[0] == 0
    s, m, d = vx.sectiondata, vx.materialdata, vx.damagedata
    # the strength value after a blank line is read
    assert s.xcstrength[0] == 310.0 and list(s.seflags[:, 0]) == [1, 0]
    np.testing.assert_array_equal(s.plythickness[:, 0], [0.2, 0.2])
    assert m.psprops[9, 1, 0] == 90 and int(vx.debugdata.unitid) == 6 and int(vx.debugdata.nupdate) == 4
    assert int(d.ndmg) == 2 and d.fiberdds[0, 0, 1] == 2.0 and d.dmgpoints[4, 0, 2, 1] == 1.0


DECK = ("*Heading\nlaminate job\n** cards follow\n" + SEC.format(ori="0 90").replace("+Thickness",
        "*Material, name=ply\n*Elastic\n140000., 0.3\n+Thickness") + MAT + STEP + DMG +
        "*Step, name=load\n*Static\n0.1, 1.0\n+Anything the solver ignores\n++End Material\n*End Step\n")


def test_cards_inside_the_solver_deck_keep_the_deck_tolerant(vx, tmp_path):
    deck = tmp_path / "job.inp"
    deck.write_text(DECK)
    read_all(vx, tmp_path / "nowhere", deck=str(deck))
    assert err(vx)[0] == 0
    assert list(vx.sectiondata.secidlist) == [7] and int(vx.debugdata.edebug) == 12
    np.testing.assert_array_equal(vx.sectiondata.plythickness[:, 0], [0.125, 0.125])  # read after solver lines
    assert vx.materialdata.peprops[0, 0, 0] == 140000 and vx.damagedata.fiberdds[0, 0, 0] == 2.0
    # Inside a block the deck is checked like a card.
    deck.write_text(DECK.replace("+Strength", "+Strenght"))
    read_all(vx, tmp_path / "nowhere", deck=str(deck))
    assert err(vx) == (-2, "Error in MaterialCard, material 1, line 18: unknown item +Strenght")
    # A card file handed over instead of a deck is checked as a card.
    card = tmp_path / "sections.vxd"
    card.write_text("title line\n" + SEC.format(ori="0"))
    vx.errorhandling.rsxerr(1)
    release_model(vx)
    vx.iohandling.getsectiondatafromfile(str(card), str(tmp_path / "nowhere"))
    assert err(vx) == (-2, "Error in SectionCard, line 1: line read by no item")


def test_damage_card_on_a_long_path(lib, vx, tmp_path):
    """A job folder deeper than 256 characters is read from Python and from C alike."""
    d = tmp_path / ("w" * 150) / ("x" * 150)
    d.mkdir(parents=True)
    (d / "DamageCard.vxd").write_text(DMG)
    assert len(str(d)) > 300
    vx.datahandling.deallocall()
    vx.iohandling.getdamagedatafromfile(" ", str(d), 2, 1)
    assert int(vx.damagedata.ndmg) == 1 and vx.damagedata.fiberdds[0, 0, 0] == 2.0
    vx.datahandling.deallocall()
    ws, fp = str(d).encode(), b" " * 256
    lib.getdamagedatafromfile(fp, ws, ctypes.byref(ctypes.c_int32(2)), ctypes.byref(ctypes.c_int32(1)),
                              ctypes.c_size_t(len(fp)), ctypes.c_size_t(len(ws)))
    assert int(vx.damagedata.ndmg) == 1 and vx.damagedata.fiberdds[0, 0, 0] == 2.0


def test_damage_and_model_example_runs():
    from conftest import run_python
    script = os.path.join(EXAMPLES, "..", "damage_and_model.py")
    out, status = run_python(f"import runpy; runpy.run_path({script!r}, run_name='__main__')")
    assert status == 0 and b"problem" not in out, out
    assert b"delamination interface 6  half-axes a 15, b 10 mm" in out
    assert b"buckling records of damage 1 in section 1" in out and b"knock-down 0.671" in out
    assert b"plate.dat: 4 elements" in out and b"node   5 at [50.0, 25.0, 0.1]" in out
