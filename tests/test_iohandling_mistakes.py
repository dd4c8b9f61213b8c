"""Typing mistakes in card files: each one is reported with the card, the block and the line,
while clean cards, cards inside a solver deck and hand-edited line ends still read with status 0."""
import ctypes
import os
import re

import numpy as np
import pytest

from conftest import error_record as err, read_job, release_model

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "cards")

SEC = "++Begin Section, SecID=7\n+Material\n1\n+Orientation\n{ori}\n+Thickness\n0.125\n++End Section\n"
MAT = ("++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n"
       "+Strength\n1500 50 50 1200 200 200 80 80 60 90\n++End Material\n")
DMG = "++Begin Damage, DmgID=1\n+Position\n0 0 0 30\n+Abstraction, TYPE=Fiber\n1, 2.0, 1.0, 0\n++End Damage\n"
STEP = "++Begin Step\n+Debug, TYPE=ELEMENT\n12\n++End Step\n"


# The clean cards of this file; each case replaces one of them.
CARDS = {"StepCard": STEP, "SectionCard": SEC.format(ori="0 90"), "MaterialCard": MAT, "DamageCard": DMG}


def read_with(vx, d, name, text, others=CARDS, nsteps=2):
    """The job's readers on the cards others (the clean cards of this file), card name replaced by
    text."""
    for n, t in dict(others, **{name: text}).items():
        (d / f"{n}.vxd").write_text(t)
    read_job(vx, d, nsteps)


def two(card):
    """A card of two blocks with the same text."""
    return card + card


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
     "Error in SectionCard, section 7, line 1: ++End Section missing"),
    ("SectionCard", SEC.format(ori="0").replace("++End Section\n", "") + SEC.format(ori="0").replace("7", "8"),
     "Error in SectionCard, section 7, line 1: ++End Section missing"),
    ("SectionCard", SEC.format(ori="0 90")[1:],
     "Error in SectionCard, line 1: outside a block: +Begin Section, SecID=7"),
    ("SectionCard", SEC.format(ori="0 90 90 0").replace("+Material\n1", "+Material\n1 2"),
     "Error in SectionCard, section 7, line 4: +Orientation: 4 plies, +Material has 2"),
    ("SectionCard", SEC.format(ori="0 90 90 0").replace("0.125", "0.1 0.2 0.1"),
     "Error in SectionCard, section 7, line 4: +Orientation: 4 plies, +Thickness has 3"),
    ("SectionCard", " " + SEC.format(ori="0 90"),
     "Error in SectionCard, line 1: keyword not in column 1: ++Begin Section, SecID=7"),
    # a keyword after a blank ends the data lines of the item before it
    ("SectionCard", SEC.format(ori="0 90").replace("+Thickness", " +Thickness"),
     "Error in SectionCard, section 7, line 6: keyword not in column 1: +Thickness"),
    ("SectionCard", SEC.format(ori="0 90") + "++End Section\n",
     "Error in SectionCard, line 9: ++End Section without a begin line"),
    ("SectionCard", SEC.format(ori="0 1.2.3"),
     "Error in SectionCard, section 7, line 5: +Orientation: value not a number"),
    # items a section cannot do without
    ("SectionCard", SEC.format(ori="0 90").replace("+Thickness\n0.125\n", ""),
     "Error in SectionCard, section 7, line 6: +Thickness missing"),
    ("SectionCard", SEC.format(ori="0 90").replace("0.125\n", ""),
     "Error in SectionCard, section 7, line 6: +Thickness without values"),
    ("SectionCard", SEC.format(ori="0 90").replace("+Orientation\n0 90\n", ""),
     "Error in SectionCard, section 7, line 6: +Orientation missing"),
    ("SectionCard", SEC.format(ori=""),
     "Error in SectionCard, section 7, line 4: +Orientation without values"),
    ("SectionCard", SEC.format(ori="0 90").replace("+Material\n1\n", "+Material\n"),
     "Error in SectionCard, section 7, line 2: +Material without values"),
    ("SectionCard", SEC.format(ori="0 90").replace("+Material\n1\n", ""),
     "Error in SectionCard, section 7, line 6: +Material missing"),
    ("SectionCard", two(SEC.format(ori="0").replace("+Material\n1\n", "")).replace("7", "8", 1),
     "Error in SectionCard, section 8, line 6: +Material missing"),
    # thicknesses that are no thickness, named at the data line that holds them
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "-0.25"),
     "Error in SectionCard, section 7, line 7: +Thickness: -0.25 is not positive"),
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "0,25"),
     "Error in SectionCard, section 7, line 7: +Thickness: 0 is not positive"),
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "1e999"),
     "Error in SectionCard, section 7, line 7: +Thickness: value out of range"),
    ("SectionCard", SEC.format(ori="0 90 90 0").replace("0.125", "0.125 0.125\n0.125 0"),
     "Error in SectionCard, section 7, line 8: +Thickness: 0 is not positive"),
    ("SectionCard", two(SEC.format(ori="0 90")),
     "Error in SectionCard, section 7, line 9: id already used at line 1"),
    ("SectionCard", SEC.format(ori="0 90").replace("+Thickness", "+Orientation\n0\n+Thickness"),
     "Error in SectionCard, section 7, line 6: +Orientation given twice (line 4)"),
    ("SectionCard", SEC.format(ori="0 90").replace("+Thickness", "+Thickness\n0.2\n+Thickness"),
     "Error in SectionCard, section 7, line 8: +Thickness given twice (line 6)"),
    ("SectionCard", SEC.format(ori="0 90").replace("SecID=7", "ID=1001"),
     "Error in SectionCard, section 1, line 1: id option is not SecID=<integer>"),
    ("SectionCard", SEC.format(ori="0 90").replace("SecID=7", "SecID=7, Name=wing"),
     "Error in SectionCard, section 7, line 1: id option is not SecID=<integer>"),
    ("SectionCard", SEC.format(ori="0 90").replace("SecID=7", "SecID = 7"),
     "Error in SectionCard, section ?, line 1: ++Begin Section: no readable id"),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Extension\n1\n++End"),
     "Error in SectionCard, section 7, line 8: +Extension: 1 value, expected 2"),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Extension\n1 0 1\n++End"),
     "Error in SectionCard, section 7, line 8: +Extension: 3 values, expected 2"),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Strength\n310,5\n++End"),
     "Error in SectionCard, section 7, line 9: +Strength: 2 values, expected 1"),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Strength\n310\n+Strength\n300\n++End"),
     "Error in SectionCard, section 7, line 10: +Strength given twice (line 8)"),
    # a comment between the data lines of one item leaves the second line unread
    ("MaterialCard", MAT.replace("9000 0.3", "9000\n** Poisson's ratios and shear modulus\n0.3"),
     "Error in MaterialCard, material 1, line 5: line read by no item"),
    ("MaterialCard", MAT.replace("+Strength", "+Failure, TYPE=INITATION"),
     "Error in MaterialCard, material 1, line 4: unknown item +Failure, TYPE=INITATION"),
    ("MaterialCard", MAT.replace("+Strength", "+Calibration, TYPE=Shear"),
     "Error in MaterialCard, material 1, line 4: +Calibration: needs one T="),
    # "T=" is case-sensitive
    ("MaterialCard", MAT.replace("+Strength", "+Calibration, TYPE=Shear, t=20"),
     "Error in MaterialCard, material 1, line 4: +Calibration: needs one T="),
    ("MaterialCard", "+Elastic\n70000 0.3\n" + MAT,
     "Error in MaterialCard, line 1: outside a block: +Elastic"),
    ("MaterialCard", two(MAT),
     "Error in MaterialCard, material 1, line 7: id already used at line 1"),
    ("MaterialCard", MAT.replace("+Strength", "+Elastic\n70000 0.3\n+Strength"),
     "Error in MaterialCard, material 1, line 4: +Elastic given twice (line 2)"),
    ("MaterialCard", MAT.replace("++End", "+Failure\n0 1 2 1 0\n+Failure, TYPE=INITIATION\n0 1 9 1 0\n++End"),
     "Error in MaterialCard, material 1, line 8: +Failure given twice (line 6)"),
    ("MaterialCard", MAT.replace("++End", "+Curing\n1 2\n+Curing, TYPE=EXPONENTIAL\n1 2\n++End"),
     "Error in MaterialCard, material 1, line 8: +Curing given twice (line 6)"),
    ("MaterialCard", MAT.replace("MatID=1", "ID=1001"),
     "Error in MaterialCard, material 1, line 1: id option is not MatID=<integer>"),
    ("MaterialCard", MAT.replace("++End", "+Table, TYPE=TEMPERATURE\n1 1 1\n++End"),
     "Error in MaterialCard, material 1, line 6: +Table: no +Temperature in the block"),
    ("MaterialCard", MAT.replace("++End", "+Temperature\n20 80\n+Table, TYPE=TEMPERATURE\n1 1 1\n++End"),
     "Error in MaterialCard, material 1, line 8: +Table: 3 factors, expected 30"),
    ("StepCard", STEP.replace("ELEMENT", "ELEMENTS"),
     "Error in StepCard, step, line 2: unknown item +Debug, TYPE=ELEMENTS"),
    ("StepCard", "+Debug, TYPE=ELEMENT\n12\n" + STEP,
     "Error in StepCard, line 1: outside a block: +Debug, TYPE=ELEMENT"),
    ("StepCard", "++Begin Step\n+Cycle\n0 0 1 0 0 2 0 0 1 0 0 2\n+Cycle, TYPE=INDIVIDUAL\n5 6\n++End Step\n",
     "Error in StepCard, step, line 4: +Cycle: individual cycles that no step takes"),
    ("DamageCard", DMG.replace("Fiber", "fiber"),
     "Error in DamageCard, damage 1, line 4: unknown item +Abstraction, TYPE=fiber"),
    ("DamageCard", DMG.replace("1, 2.0", "3, 2.0"),
     "Error in DamageCard, damage 1, line 5: +Abstraction: ply 3 outside 1..2"),
    ("DamageCard", DMG.replace("Fiber", "Delamination").replace("1, 2.0", "2, 2.0"),
     "Error in DamageCard, damage 1, line 5: +Abstraction: interface 2 outside 1..1"),
    # the angle is the last value of +Position
    ("DamageCard", DMG.replace("0 0 0 30", "0 0 30"),
     "Error in DamageCard, damage 1, line 2: +Position: 3 values, at least 4"),
    ("DamageCard", DMG.replace("++End", "+Table, TYPE=Matrix, LayID=2\n0 1 2\n0 3 4\n0 3 1\n0 5\n++End"),
     "Error in DamageCard, damage 1, line 6: +Table: 11 values, not triples"),
    ("DamageCard", two(DMG),
     "Error in DamageCard, damage 1, line 7: id already used at line 1"),
    ("DamageCard", DMG.replace("++End", "+Position\n1 1 0 0\n++End"),
     "Error in DamageCard, damage 1, line 6: +Position given twice (line 2)"),
    ("DamageCard", DMG.replace("++End", "+Abstraction, TYPE=Fiber\n2, 1.0, 1.0, 0\n++End"),
     "Error in DamageCard, damage 1, line 6: +Abstraction given twice (line 4)"),
    ("DamageCard", DMG.replace("++End", "+Table, TYPE=Core, Layer=1\n0 1 2 0 3 4 0 3 1\n+Table, Layer=1, TYPE=Core\n"
                               "0 1 2 0 3 4 0 3 1\n++End"),
     "Error in DamageCard, damage 1, line 8: +Table given twice (line 6)"),
    ("DamageCard", DMG.replace("DmgID=1", "ID=1001"),
     "Error in DamageCard, damage 1, line 1: id option is not DmgID=<integer>"),
    ("DamageCard", DMG.replace("DmgID=1", "DmgID = 1"),
     "Error in DamageCard, damage ?, line 1: ++Begin Damage: no readable id"),
]


# A section of four plies whose +Material comes first: the plies are counted from +Orientation.
FOUR = "++Begin Section, SecID=1\n+Material\n1 1 1 1\n+Orientation\n0 45 -45 90\n+Thickness\n0.125\n++End Section\n"
ANGLES = "+Orientation\n0 45 -45 90\n"


ORDER = [
    # the mistake in the angle line is reported, not the +Material line before it, which is right
    (ANGLES, "+Orientaton\n0 45 -45 90\n", "line 4: unknown item +Orientaton"),
    (ANGLES, "+Orientation\n0 45\n** the other two\n-45 90\n", "line 7: line read by no item"),
    (ANGLES, "+Orientation\n0 -45\n+45.0 90\n", "line 6: unknown item +45.0 90"),
    (ANGLES, "+Orientation\n0/45/-45/90\n", "line 5: +Orientation: value not a number"),
    # a count that differs: at the line that sets the ply count, naming the other item
    (ANGLES, "+Orientation\n0 45 -45\n", "line 4: +Orientation: 3 plies, +Material has 4"),
    ("0.125", "0.125 0.125", "line 4: +Orientation: 4 plies, +Thickness has 2"),
    ("1 1 1 1\n", "1 1 1 1 1\n", "line 4: +Orientation: 4 plies, +Material has 5"),
    # the mismatch waits for the end line, and a mistake after it is still the one reported
    ("+Thickness\n0.125\n", "+Thickness\n0.125\n+Extensoin\n1 0\n", "line 8: unknown item +Extensoin"),
    ("0 45 -45 90\n+Thickness\n0.125\n", "0 45 -45\n+Thickness\n0.125 mm\n", "line 7: +Thickness: value not a number"),
]


@pytest.mark.parametrize("old,new,message", ORDER, ids=[
    "misspelt", "cut by a comment", "split by +45.0", "slashes", "one angle short", "two thicknesses",
    "five material ids", "misspelt item after the items", "unit after a short angle line"])
def test_a_block_reports_its_line_mistakes_before_its_item_mismatches(vx, tmp_path, old, new, message):
    text = FOUR.replace(old, new)
    assert text != FOUR
    read_with(vx, tmp_path, "SectionCard", text)
    assert err(vx) == (-2, "Error in SectionCard, section 1, " + message)
    assert int(vx.errorhandling.errintv[0]) == int(message.split()[1].rstrip(":"))


def test_curves_that_the_temperatures_do_not_match_wait_for_a_misspelt_temperature_item(vx, tmp_path):
    """Two curves before a misspelt +Temperature would be curves beyond the one temperature: the
    misspelt line is the mistake."""
    mat = ("++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n+Calibration, TYPE=Shear, T=20\n0 0\n0.1 30\n"
           "+Calibration, TYPE=Shear, T=80\n0 0\n0.1 20\n+Temprature\n20 80\n++End Material\n")
    read_with(vx, tmp_path, "MaterialCard", mat)
    assert err(vx) == (-2, "Error in MaterialCard, material 1, line 10: unknown item +Temprature")
    # without the misspelt line, the mismatch itself, at the curve that goes beyond
    (tmp_path / "MaterialCard.vxd").write_text(mat.replace("+Temprature\n20 80\n", ""))
    vx.errorhandling.rsxerr(1)
    read_job(vx, tmp_path)
    assert err(vx) == (-2, "Error in MaterialCard, material 1, line 7: +Calibration: curves beyond nt = 1")


@pytest.mark.parametrize("name,text,message", MISTAKES, ids=[f"{m[0]}-{i}" for i, m in enumerate(MISTAKES)])
def test_mistake_is_reported_with_card_block_and_line(vx, tmp_path, name, text, message):
    read_with(vx, tmp_path, name, text)
    # The whole message, so also within the 80 characters of the record.
    assert err(vx) == (-2, message)
    # The context values hold the line named in the message.
    assert int(vx.errorhandling.errintv[0]) == int(message.split("line ")[1].split(":")[0])


def test_mistakes_change_no_data(vx, tmp_path):
    """Reading goes on as before: what a mistaken card sets is what it set without the report."""
    (tmp_path / "SectionCard.vxd").write_text(SEC.format(ori="+45 -45 -45 +45") + SEC.format(ori="0 90")
                                              .replace("7", "8").replace("+Material\n1", "+Material\n1 1 1"))
    (tmp_path / "MaterialCard.vxd").write_text(MAT.replace("9000 0.3", "9000\n** comment\n0.3"))
    read_job(vx, tmp_path)
    s, m = vx.sectiondata, vx.materialdata
    assert err(vx)[0] == -2
    assert int(s.nplies) == 2 and list(s.secidlist) == [7, 8]
    np.testing.assert_array_equal(m.matidlist, [[1, 1], [2147483647, 1]])
    # Two elastic values: isotropic, nu the second value.
    np.testing.assert_allclose(m.peprops[:6, 0, 0], [140000] * 3 + [9000] * 3)


HUGE = np.finfo(float).max
STORED = [
    # the values go where they went before the report
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "0,25"),
     lambda vx: vx.sectiondata.plythickness[:, 0].tolist() == [0.0, 25.0]),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Strength\n310,5\n++End"),
     lambda vx: vx.sectiondata.xcstrength[0] == 310.0),
    ("SectionCard", SEC.format(ori="0 90").replace("SecID=7", "ID=1001"),
     lambda vx: vx.sectiondata.secidlist.tolist() == [1]),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Extension\n1\n++End"),
     lambda vx: vx.sectiondata.seflags[0, 0] == 1),
    # a second item writes its values over the first and leaves the rest
    ("SectionCard", SEC.format(ori="0 90").replace("+Thickness", "+Orientation\n45\n+Thickness"),
     lambda vx: vx.sectiondata.plyorientation[:, 0].tolist() == [45.0, 90.0]),
    # a second block with the same id fills its own column
    ("SectionCard", two(SEC.format(ori="0 90")).replace("0.125", "0.5", 1),
     lambda vx: vx.sectiondata.secidlist.tolist() == [7, 7]
     and vx.sectiondata.plythickness.tolist() == [[0.5, 0.125], [0.5, 0.125]]),
    # one section without thickness: every z-coordinate 0, as before
    ("SectionCard", SEC.format(ori="0 90").replace("+Thickness\n0.125\n", ""),
     lambda vx: not vx.sectiondata.plyzcoord.any()),
    # the later material block replaces the earlier one
    ("MaterialCard", MAT + MAT.replace("140000", "70000"),
     lambda vx: vx.materialdata.peprops[0, 0, 0] == 70000),
    ("DamageCard", DMG.replace("0 0 0 30", "0 0 30"),
     lambda vx: vx.damagedata.dmgplane[:, 0].tolist() == [0, 0, 30, -HUGE]),
    ("DamageCard", DMG.replace("++End", "+Table, TYPE=Matrix, LayID=2\n0 1 2\n0 3 4\n0 5\n++End"),
     lambda vx: vx.damagedata.dmgpoints[:, 1, 2, 0].tolist() == [0, 1, 2, 0, 3, 4, 0, 5]),
    ("DamageCard", DMG + DMG.replace("0 0 0 30", "5 5 0 60").replace("+Abstraction, TYPE=Fiber\n1, 2.0, 1.0, 0\n", ""),
     lambda vx: vx.damagedata.dmgplane[:, 0].tolist() == [5, 5, 0, 60] and vx.damagedata.fiberdds[0, 0, 0] == 2.0),
]


@pytest.mark.parametrize("name,text,check", STORED, ids=[f"{m[0]}-{i}" for i, m in enumerate(STORED)])
def test_mistaken_values_are_stored_as_before(vx, tmp_path, name, text, check):
    read_with(vx, tmp_path, name, text)
    assert err(vx)[0] == -2
    assert check(vx)


def test_one_ply_model_needs_no_material_item(vx, tmp_path):
    """A model of one section with one ply starts with material 1: no +Material is no mistake there."""
    (tmp_path / "SectionCard.vxd").write_text(SEC.format(ori="45").replace("+Material\n1\n", ""))
    (tmp_path / "MaterialCard.vxd").write_text(MAT)
    read_job(vx, tmp_path)
    assert err(vx)[0] == 0 and vx.materialdata.matidlist.tolist() == [[1]]
    assert vx.materialdata.peprops[0, 0, 0] == 140000


def test_keyword_after_a_blank_keeps_the_ply_count(vx, tmp_path):
    """" +Thickness" ends the orientation values: no ply is added, and its value is read by nothing."""
    (tmp_path / "SectionCard.vxd").write_text(SEC.format(ori="0 90").replace("+Thickness", " +Thickness"))
    read_job(vx, tmp_path)
    s = vx.sectiondata
    assert int(s.nplies) == 2 and s.plyorientation[:, 0].tolist() == [0.0, 90.0]
    assert not s.plythickness.any()
    # A blank before a signed number is still a way to write a data line that starts with "+".
    vx.errorhandling.rsxerr(1)
    (tmp_path / "SectionCard.vxd").write_text(SEC.format(ori=" +45 -45 -45 +45"))
    read_job(vx, tmp_path)
    assert err(vx)[0] == 0 and s.plyorientation[:, 0].tolist() == [45, -45, -45, 45]


# Long prefixes: line numbers of six digits, and ids of ten where the card allows them (a damage id
# must lie within the damages of the card, so the damage card keeps its small ids).
LEAD = 100000
LONG_ID = {"SectionCard": ("SecID=7", "section 7,", "SecID=1000000007", "section 1000000007,"),
           "MaterialCard": ("MatID=1\n", "material 1,", "MatID=1000000001\n", "material 1000000001,")}
# Messages that repeat text of the card (a line, an option): what follows may be cut at the end of
# the record.
ECHO = ("unknown item", "outside a block", "not in column 1", "unknown option")
# Words of the shorter wordings that the full ones do not have ("not SPD", "mixed", "ply 6 is the
# top", "id used before", "1.5 not whole", "extra section", "1e-05 tiny").
TERSE = {"SPD", "mixed", "top", "before", "whole", "section", "tiny"}
NUMBER = re.compile(r"-?\d+(?:\.\d+)?(?:e[-+]?\d+)?")


def long_prefix(card, text, message):
    """The case with the mistake behind LEAD comment lines and a ten-digit id: its text and the
    message in its fullest wording."""
    message = re.sub(r"line (\d+)", lambda m: f"line {int(m.group(1)) + LEAD}", message)
    if card in LONG_ID and LONG_ID[card][0] in text:
        a, b, c, d = LONG_ID[card]
        text, message = text.replace(a, c), message.replace(b, d).replace(a.strip(), c.strip())
    return "**\n" * LEAD + text, message


def offending(detail):
    """The value a message is about: its first number, or for a ply count that another item does not
    match, that item's count; numbers of the lines a message points back to are context."""
    nums = NUMBER.findall(re.sub(r"line \d+", "", detail))
    if " plies, " in detail or " ply, " in detail:
        return nums[-1:]
    return nums[:1]


# Kinds that the lists above do not make: their short texts at ordinary lines (the test below moves
# them behind long line numbers and ids).
OTHER_KINDS = [
    ("DamageCard", DMG.replace("DmgID=1", "DmgID=5"), "Error in DamageCard, damage 5, line 1: damage id outside 1..1"),
    ("DamageCard", DMG.replace("++End", "+Table, LayID=1\n0 0 0 0 1 0 0 1 1\n++End"),
     "Error in DamageCard, damage 1, line 6: +Table: no kind named"),
    ("DamageCard", DMG.replace("++End", "+Table, TYPE=Fiber, LayID=3\n0 0 0 0 1 0 0 1 1\n++End"),
     "Error in DamageCard, damage 1, line 6: +Table: no ply of the section"),
    ("DamageCard", DMG.replace("++End", "+Table, TYPE=Delamination, LayID=2\n0 0 0 0 1 0 0 1 1\n++End"),
     "Error in DamageCard, damage 1, line 6: +Table: no interface above ply 2"),
    ("StepCard", "++Begin Step\n+Cycle\n0 0 3 0 0 1e300 0 0 0 0 0 1\n+Cycle, TYPE=INDIVIDUAL\n5\n++End Step\n",
     "Error in StepCard, step, line 4: +Cycle: individual cycle count out of range"),
    ("StepCard", "++Begin Step\n+Cycle, TYPE=INDIVIDUAL\n5\n++End Step\n",
     "Error in StepCard, step, line 2: +Cycle: no cycle settings before"),
    ("StepCard", "++Begin Step\n+Cycle\n0 0 3 0 0 0 0 0 0 0\n+Cycle, TYPE=INDIVIDUAL\n5\n++End Step\n",
     "Error in StepCard, step, line 4: +Cycle: 5 cycle settings a step, 6 needed"),
    ("StepCard", "++Begin Step\n+Cycle\n0 0 3 0 0 1.5 0 0 0 0 0 1\n+Cycle, TYPE=INDIVIDUAL\n5 6\n++End Step\n",
     "Error in StepCard, step, line 4: +Cycle: step 1 marked with 1.5 counts"),
    ("StepCard", "++Begin Step, Name=all\n++End Step\n", "Error in StepCard, step, line 1: ++Begin Step: unknown option Name=all"),
    ("MaterialCard", MAT.replace("++End", "+GelPoint\n1\n+Curing\n1\n++End"),
     "Error in MaterialCard, material 1, line 8: +Curing: 2 of the 8 items given"),
    ("MaterialCard", MAT.replace("++End", "+Temperature\n20 80\n+Calibration, TYPE=Shear, T=20\n0 1\n++End"),
     "Error in MaterialCard, material 1, line 8: +Calibration: 1 curve for nt = 2"),
    ("MaterialCard", MAT.replace("+Elastic\n140000 9000 0.3 0.5 4500", "+Temperature\n20 80\n+Elastic\n1 0.3")
     .replace("++End", "+Table, TYPE=TEMPERATURE\n1 1 1 1 1 1 1 1 1 1 1 1\n1 -1 1 1 1 1 1 1 1 1 1 1\n++End"),
     "Error in MaterialCard, material 1, line 10: +Table: -1 is not positive"),
    ("MaterialCard", MAT.replace("+Elastic\n140000 9000 0.3 0.5 4500", "+Temperature\n20 80\n+Elastic\n1 0.3")
     .replace("++End", "+Table, TYPE=TEMPERATURE\n1 1 1 1 1 1 1 1 1 1 1 1\n1 4 1 1 1 1 1 1 1 1 1 1\n++End"),
     "Error in MaterialCard, material 1, line 8: +Table: not positive definite at 80"),
    ("MaterialCard", MAT.replace("++End", "+Failure\n1 3 10 1 0\n+Failure, TYPE=PROPERTIES\n1e-5 1\n++End"),
     "Error in MaterialCard, material 1, line 8: +Failure: step 1e-05 too fine"),
    ("MaterialCard", MAT.replace("++End", "+Temperature\n20 80\n+Calibration, TYPE=Shear, T=20\n0 1\n0.1 2\n"
                                 "+Calibration, TYPE=Shear, T=80\n0 1\n++End"),
     "Error in MaterialCard, material 1, line 11: +Calibration: 2 values, table of 4"),
]


def cases():
    """(id, card, text, message, the other cards, steps): the mistakes made from the declarations, the
    typing mistakes and parameter lists of the item tests, those above, and the rest of the kinds."""
    import test_iohandling_items as items
    out = [(n, c, t, m, items.CLEAN, items.NSTEPS) for n, c, t, m in items.MISTAKES]
    out += [(f"typo-{i}", c, t, m, items.SIX_PLIES, 3 if "INDIVIDUAL" in t else 2)
            for i, (c, t, m, _) in enumerate(items.TYPOS)]
    out += [(n, "MaterialCard", t, m, items.CLEAN, items.NSTEPS) for n, t, m in items.PARAMETER_MISTAKES]
    out += [(f"{c}-{i}", c, t, m, CARDS, 2) for i, (c, t, m) in enumerate(MISTAKES + OTHER_KINDS)]
    out += [(f"order-{i}", "SectionCard", FOUR.replace(o, n), "Error in SectionCard, section 1, " + m, CARDS, 2)
            for i, (o, n, m) in enumerate(ORDER)]
    return out


CASES = cases()


@pytest.mark.parametrize("name,card,text,message,others,nsteps", CASES, ids=[c[0] for c in CASES])
def test_every_message_keeps_its_point_with_long_line_numbers_and_ids(vx, tmp_path, name, card, text, message,
                                                                        others, nsteps):
    """Card, block, line and item first, as always; the detail behind them in the fullest wording that
    fits the 80 characters, never cut: what is wrong and the value it is about stay whole."""
    text, full = long_prefix(card, text, message)
    read_with(vx, tmp_path, card, text, others, nsteps)
    status, got = err(vx)
    head = full[:full.index(": ") + 2]
    assert status == -2 and got.startswith(head), (got, full)
    assert int(vx.errorhandling.errintv[0]) == int(re.search(r"line (\d+)", full).group(1))
    if len(full) <= 80:
        assert got == full
        return
    detail, shown = full[len(head):], got[len(head):]
    if any(w in full for w in ECHO):  # an option is named after the shorter "unknown"
        assert got == full.replace("unknown option", "unknown")[:80].rstrip(), (got, full)
        return
    if "marks no material" in full:  # the marker is the one value the item cannot take
        assert shown.endswith("reserved id") or "2147483647" in shown, (got, full)
        return
    # the item first, then the point: the value in question whole ...
    assert shown.split()[0].rstrip(":") == detail.split()[0].rstrip(":"), (got, full)
    value = offending(detail)
    assert value == [] or value[0] in NUMBER.findall(shown), (got, full)
    # ... and the record ends with a whole word: one of the full wording, or of the shorter ones
    last = shown.split()[-1]
    assert last in detail.split() or last in TERSE or re.fullmatch(r"\d+n|\d+(/\d+)+|" + NUMBER.pattern, last), \
        (got, full)


CLEAN = {
    "SectionCard": ("** sections\n++Begin Section, SecID=1\n+Material\n1 2\n+Orientation\n0.0, 90.0\n"
                    "+Thickness\n0.2\n+Extension\n1 0\n+Strength\n\n310.0\n+Strength, TYPE=INSITU\n99\n"
                    "++End Section\n\n"),
    "MaterialCard": MAT + MAT.replace("MatID=1", "MatID=2").replace("+Elastic", "** glass\n+Elastic") +
                    "++Begin Material, MatID=3\n+Temperature\n20 80\n+Calibration, TYPE=Shear, T=20\n1 2\n"
                    "+Calibration, TYPE=Shear, T=80\n1 3\n++End Material\n",
    "StepCard": "+Update\n3\n+Cycle\n1 2\n" + STEP.replace("++End", "+Verbose\n1 6\n+Update, TYPE=INC\n4\n++End"),
    # items that repeat legitimately: +Abstraction of another kind, +Table of another ply or kind
    "DamageCard": DMG + DMG.replace("DmgID=1", "DmgID=2").replace("+Position", "+Table, TYPE=Matrix, LayID=1\n"
                                                                  "0 0 0 0 1 0 0 1 1\n+Table, LayID=2, TYPE=Matrix\n"
                                                                  "0 0 0 0 1 0 0 1 1\n+Table, TYPE=Core, LayID=1\n"
                                                                  "0 0 0 0 1 0 0 1 1\n"
                                                                  "+Abstraction, TYPE=Matrix\n2, 1.0, 1.0, 0\n+Position"),
}


@pytest.mark.parametrize("ends", ["\n", "\r\n", "\r"])
def test_clean_cards_read_without_a_report_whatever_the_line_ends(vx, tmp_path, ends):
    for n, t in CLEAN.items():
        (tmp_path / f"{n}.vxd").write_bytes(t.replace("\n", ends).encode())
    read_job(vx, tmp_path)
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
    read_job(vx, tmp_path / "nowhere", deck=str(deck))
    assert err(vx)[0] == 0
    assert list(vx.sectiondata.secidlist) == [7] and int(vx.debugdata.edebug) == 12
    np.testing.assert_array_equal(vx.sectiondata.plythickness[:, 0], [0.125, 0.125])  # read after solver lines
    assert vx.materialdata.peprops[0, 0, 0] == 140000 and vx.damagedata.fiberdds[0, 0, 0] == 2.0
    # Inside a block the deck is checked like a card.
    deck.write_text(DECK.replace("+Strength", "+Strenght"))
    read_job(vx, tmp_path / "nowhere", deck=str(deck))
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


@pytest.mark.parametrize("card,text,message", [
    # the count of the other item stays when the words go: at a long line number, and at a long id
    ("SectionCard", "** c\n" * 1230 + FOUR.replace("SecID=1", "SecID=1001").replace("0 45 -45 90", "0.0, 45.0, -45.0"),
     "Error in SectionCard, section 1001, line 1234: +Orientation: 3, +Material 4"),
    ("SectionCard", FOUR.replace("SecID=1", "SecID=1000001").replace("0 45 -45 90", "0.0, 45.0, -45.0"),
     "Error in SectionCard, section 1000001, line 4: +Orientation: 3, +Material 4"),
    ("SectionCard", FOUR.replace("0 45 -45 90", "0.0, 45.0, -45.0"),
     "Error in SectionCard, section 1, line 4: +Orientation: 3 plies, +Material has 4"),
    ("MaterialCard", "** c\n" * 18 + MAT.replace("++End", "+Calibration, TYPE=Secant, T=80\n0.0 -5\n++End"),
     "Error in MaterialCard, material 1, line 25: +Calibration: modulus -5 <= 0"),
    # values as written, so that they show what is wrong with them
    ("MaterialCard", MAT.replace("++End", "+Failure, TYPE=DEGRADATION\n1.0000001 1 1 1 1 1\n++End"),
     "Error in MaterialCard, material 1, line 7: +Failure: limit 1.0000001 > 1"),
    ("MaterialCard", MAT.replace("++End", "+Failure, TYPE=DEGRADATION\n0.5 -1e-9 1 1 1 1\n++End"),
     "Error in MaterialCard, material 1, line 7: +Failure: limit -1e-09 outside 0..1"),
    ("MaterialCard", MAT.replace("++End", "+Temperature\n20 80 79.99999\n++End"),
     "Error in MaterialCard, material 1, line 7: +Temperature: 79.99999 not above 80"),
    # a value too small for a double reads as 0, but is shown as written
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "0.125 1e-400"),
     "Error in SectionCard, section 7, line 7: +Thickness: 1e-400 is not positive"),
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "-0.001D-399"),
     "Error in SectionCard, section 7, line 7: +Thickness: -0.001D-399 is not positive"),
    ("SectionCard", SEC.format(ori="0 90").replace("0.125", "0.0e5"),
     "Error in SectionCard, section 7, line 7: +Thickness: 0 is not positive"),
    ("SectionCard", SEC.format(ori="0 90").replace("++End", "+Strength\n1E-999\n++End"),
     "Error in SectionCard, section 7, line 9: +Strength: 1E-999 is not positive"),
    ("DamageCard", DMG.replace("1, 2.0, 1.0", "1, 2.0, 1e-400"),
     "Error in DamageCard, damage 1, line 5: +Abstraction: half-axis 1e-400 <= 0"),
    ("MaterialCard", MAT.replace("++End", "+Temperature\n1e-500 1e-400\n++End"),
     "Error in MaterialCard, material 1, line 7: +Temperature: 1e-400 not above 1e-500"),
    ("MaterialCard", MAT.replace("++End", "+Failure\n1 3 12 1 0\n+Failure, TYPE=PROPERTIES\n60 1e-400 40 0.3 -0.3\n++End"),
     "Error in MaterialCard, material 1, line 9: +Failure: 1e-400 is not positive"),
    ("MaterialCard", MAT.replace("++End", "+Failure\n1 3 10 1 0\n+Failure, TYPE=PROPERTIES\n1e-400 1\n++End"),
     "Error in MaterialCard, material 1, line 8: +Failure: step 1e-400 is not positive"),
    # written too long for any wording: its digits in scientific form, cut after a "~"
    ("SectionCard", "** c\n" * 999990 + SEC.format(ori="0 90").replace("SecID=7", "SecID=1001")
     .replace("0.125", "0." + "0" * 40 + "123456789e-400"),
     "Error in SectionCard, section 1001, line 999997: +Thickness: ~1.23456e-441 <= 0"),
    # a value too long for any wording is rounded, and marked where that changes it
    ("MaterialCard", "** c\n" * 999990 + MAT.replace("MatID=1", "MatID=2147483646")
     .replace("++End", "+Failure, TYPE=DEGRADATION\n0.5 1.00000000000001 1 1 1 1\n++End"),
     "Error in MaterialCard, material 2147483646, line 999997: +Failure: limit ~1 > 1"),
    ("DamageCard", DMG.replace("1, 2.0", "4294967296, 2.0"),
     "Error in DamageCard, damage 1, line 5: +Abstraction: ply 4294967296 outside 1..2"),
    # an id beyond 32 bits is an integer out of range, like every other integer
    ("SectionCard", SEC.format(ori="0 90").replace("SecID=7", "SecID=4294967296"),
     "Error in SectionCard, section ?, line 1: ++Begin Section: integer out of range"),
    ("DamageCard", DMG.replace("DmgID=1", "DmgID=-99999999999"),
     "Error in DamageCard, damage ?, line 1: ++Begin Damage: integer out of range"),
    # the largest 32-bit integer fits, but marks an unset id
    ("SectionCard", SEC.format(ori="0 90").replace("SecID=7", "SecID=2147483647"),
     "Error in SectionCard, section ?, line 1: ++Begin Section: 2147483647 is reserved"),
    ("MaterialCard", MAT.replace("MatID=1", "MatID=+002147483647"),
     "Error in MaterialCard, material ?, line 1: ++Begin Material: 2147483647 reserved"),
    ("DamageCard", DMG.replace("DmgID=1", "DmgID=2147483647"),
     "Error in DamageCard, damage ?, line 1: ++Begin Damage: 2147483647 is reserved"),
])
def test_messages_show_their_values_whole(vx, tmp_path, card, text, message):
    read_with(vx, tmp_path, card, text)
    assert err(vx) == (-2, message)
