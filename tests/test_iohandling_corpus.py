"""A corpus of mistaken cards: the example cards of examples/cards, each with one mistake a user
makes when editing them, judged against the guide (docs/cards.md). A mistake that leaves a value
the item cannot hold is reported with card, block, line and item; one that keeps legal values with
another intent reads silently (out of reach); and cards in unusual but legal formatting read
exactly as the examples. Only kinds the item tables do not already hold are here."""
import os
import re
import textwrap

import numpy as np
import pytest

from conftest import error_record as err, read_job

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "cards")
CARDS = ("StepCard", "SectionCard", "MaterialCard", "DamageCard")
BASE = {}
for _n in CARDS:
    with open(os.path.join(EXAMPLES, _n + ".vxd"), newline="") as _f:
        BASE[_n] = _f.read()

# Data read by the four readers, compared bit for bit.
DATA = {"sectiondata": ("nsec", "nplies", "secidlist", "seflags", "xcstrength", "plyorientation", "plythickness",
                        "plyzcoord"),
        "materialdata": ("matidlist", "pfflags", "peflags", "pelimits", "peprops", "psprops", "phprops", "pfprops",
                         "pdprops", "cuprops", "temperatures", "ntempdata", "modelid", "regularization",
                         "equivalentstress", "flowprops", "secantprops", "normalprops", "shearprops", "i10", "r_crit"),
        "damagedata": ("ndmg", "dmgplane", "generaldds", "fiberdds", "matrixdds", "coredds", "userdds", "delamdds",
                       "dmgpoints"),
        "debugdata": ("nupdate", "edebug", "ndebug", "fdebug", "verbose", "unitid"),
        "shokriehdata": ("cycleprops", "cycles")}


def read(vx, d, cards, nsteps=2):
    """The four readers in the order of a job, on the examples with cards replaced; the data read."""
    for n in CARDS:
        (d / f"{n}.vxd").write_bytes(cards.get(n, BASE[n]).encode())
    read_job(vx, d, nsteps)
    out = {}
    for c, names in DATA.items():
        for n in names:
            v = getattr(getattr(vx, c), n)
            out[f"{c}.{n}"] = None if v is None else np.array(v).copy()
    return out


def assert_same_data(expected, data):
    """Every datum of the same shape and bits, or unset in both."""
    for k, v in expected.items():
        w = data[k]
        assert (v is None) == (w is None), k
        if v is not None:
            assert v.shape == w.shape and v.tobytes() == w.tobytes(), k


def edit(card, old, new):
    text = BASE[card]
    assert old in text, (card, old)
    return text.replace(old, new, 1)


PLY8 = "0.0, 45.0, -45.0, 90.0, 90.0, -45.0, 45.0, 0.0"
E5 = "135000.0, 10000.0, 0.30, 0.45, 5000.0"
E9 = "40000.0 9800.0 9800.0 0.30 0.30 0.40 4500.0 4500.0 3500.0"
ROW20 = "1.0 1.0 1.0 1.0 1.0   1.0 1.0 1.0 1.0 1.0 1.0 1.0 1.0 1.0 1.0"
ROW80 = "1.0 0.9 1.0 1.0 0.8   1.0 0.8 0.8 0.95 0.85 0.85 0.75 0.75 0.75 0.8"
OUTLINE = "0, -10.0, -2.0\n0, 10.0, -2.0\n0, 10.0, 2.0\n0, -10.0, 2.0"
FRACTURE = "+Fracture\n0.25, 0.8"
CYCLES = "+Cycle\n0 0 3 0 0 {a} 0 0 3 0 0 {b}\n+Cycle, TYPE=INDIVIDUAL\n{counts}\n+Verbose"

# (id, old text, new text, message): the example card with old replaced by new; the message is the
# full error record, its line the line of the mistake; None: out of reach, read with status 0.
SECTION = [
    # integers written as reals, and values swapped between items
    ("material id 1.0", "+Material\n1\n", "+Material\n1.0\n",
     "Error in SectionCard, section 1, line 5: +Material: value not an integer"),
    ("material id 1e0", "+Material\n1\n", "+Material\n1e0\n",
     "Error in SectionCard, section 1, line 5: +Material: value not an integer"),
    ("thickness under +Material", "+Material\n1\n", "+Material\n0.125\n",
     "Error in SectionCard, section 1, line 5: +Material: value not an integer"),
    ("flags 1.0, 0.0", "1, 0", "1.0, 0.0", "Error in SectionCard, section 2, line 22: +Extension: value not an integer"),
    ("angles under +Thickness", "0 90 90 0\n+Thickness\n0.25 0.25 0.25 0.25",
     "0.25 0.25 0.25 0.25\n+Thickness\n0 90 90 0", "Error in SectionCard, section 2, line 20: +Thickness: 0 is not positive"),
    ("material id 2147483647", "2 2 2 2", "2 2 2 2147483647",
     "Error in SectionCard, section 2, line 16: +Material: 2147483647 reserved"),
    ("angles as material ids", "2 2 2 2", "0 90 90 0", "Warning: no material block for material id 0"),
    # numbers with stray characters
    ("unit after a thickness", "+Thickness\n0.125", "+Thickness\n0.125 mm",
     "Error in SectionCard, section 1, line 9: +Thickness: value not a number"),
    ("comment after a value", "+Thickness\n0.125", "+Thickness\n0.125 ! mm",
     "Error in SectionCard, section 1, line 9: +Thickness: value not a number"),
    ("0.125.", "+Thickness\n0.125", "+Thickness\n0.125.", "Error in SectionCard, section 1, line 9: +Thickness: value not a number"),
    ("1.25e", "+Thickness\n0.125", "+Thickness\n1.25e", "Error in SectionCard, section 1, line 9: +Thickness: value not a number"),
    ("nan", "+Thickness\n0.125", "+Thickness\nnan", "Error in SectionCard, section 1, line 9: +Thickness: value not a number"),
    ("inf", "+Thickness\n0.125", "+Thickness\ninf", "Error in SectionCard, section 1, line 9: +Thickness: value not a number"),
    ("semicolons", "0.25 0.25 0.25 0.25", "0.25; 0.25; 0.25; 0.25",
     "Error in SectionCard, section 2, line 20: +Thickness: value not a number"),
    ("stacking notation", PLY8, "[0/45/-45/90]s", "Error in SectionCard, section 1, line 7: +Orientation: value not a number"),
    ("plus-minus sign", "0 90 90 0", "0 \u00b145 90", "Error in SectionCard, section 2, line 18: +Orientation: value not a number"),
    ("typographic minus", "0 90 90 0", "0 \u221245 90 0", "Error in SectionCard, section 2, line 18: +Orientation: value not a number"),
    ("degree sign", "0 90 90 0", "0 90\u00b0 90 0", "Error in SectionCard, section 2, line 18: +Orientation: value not a number"),
    # lines of separators only
    ("a line of commas", "0 90 90 0", "0 90 90 0\n,,,", "Error in SectionCard, section 2, line 19: +Orientation: empty value"),
    ("a lone comma", "0 90 90 0", "0 90\n,\n90 0", "Error in SectionCard, section 2, line 19: +Orientation: empty value"),
    # counts that do not match the plies
    # reported at +Orientation, which sets the ply count, naming the item that differs
    ("five angles, four thicknesses", "0 90 90 0", "0 90 0 90 0",
     "Error in SectionCard, section 2, line 17: +Orientation: 5 plies, +Thickness 4"),  # "has" left out for 80
    ("eight thicknesses for four plies", "0.25 0.25 0.25 0.25", " ".join(["0.25"] * 8),
     "Error in SectionCard, section 2, line 17: +Orientation: 4 plies, +Thickness 8"),
    ("a padding zero", "0.25 0.25 0.25 0.25", "0.25 0.25 0.25 0.25 0",
     "Error in SectionCard, section 2, line 20: +Thickness: 0 is not positive"),
    # the strength line
    ("strength with its unit", "310.0", "310.0 MPa", "Error in SectionCard, section 1, line 11: +Strength: 2 values, expected 1"),
    ("strength negative", "310.0", "-310.0", "Error in SectionCard, section 1, line 11: +Strength: -310 is not positive"),
    ("strength nan", "310.0", "NaN", "Error in SectionCard, section 1, line 10: +Strength without a readable value"),
    ("strength 310.0x", "310.0", "310.0x", "Error in SectionCard, section 1, line 10: +Strength without a readable value"),
    ("strength on two lines", "310.0", "310.0\n320.0", "Error in SectionCard, section 1, line 12: line read by no item"),
    ("strength on the item line", "+Strength\n310.0", "+Strength 310.0",
     "Error in SectionCard, section 1, line 10: unknown item +Strength 310.0"),
    ("strength as option", "+Strength\n310.0", "+Strength, 310.0",
     "Error in SectionCard, section 1, line 10: +Strength: unknown option 310.0"),
    ("TYPE = INSITU", "+Strength\n310.0", "+Strength, TYPE = INSITU\n62.0",
     "Error in SectionCard, section 1, line 10: +Strength: unknown TYPE = INSITU"),
    # keywords and begin, end lines
    ("++Thickness", "+Thickness\n0.125", "++Thickness\n0.125", "Error in SectionCard, section 1, line 8: unknown item ++Thickness"),
    ("keyword without +", "+Thickness\n0.125", "Thickness\n0.125",
     "Error in SectionCard, section 1, line 8: +Orientation: value not a number"),
    ("keyword with a colon", "+Thickness\n0.125", "+Thickness:\n0.125", "Error in SectionCard, section 1, line 8: unknown item +Thickness:"),
    ("value on the item line", "+Thickness\n0.125", "+Thickness 0.125",
     "Error in SectionCard, section 1, line 8: unknown item +Thickness 0.125"),
    ("value as option", "+Thickness\n0.125", "+Thickness, 0.125",
     "Error in SectionCard, section 1, line 8: +Thickness: unknown option 0.125"),
    ("tab before the keyword", "+Thickness\n0.125", "\t+Thickness\n0.125",
     "Error in SectionCard, section 1, line 8: keyword not in column 1: +Thickness"),
    ("misspelt in capitals", "+Orientation\n0 90", "+ORIENTATON\n0 90", "Error in SectionCard, section 2, line 17: unknown item +ORIENTATON"),
    ("+Material, MatID=1", "+Material\n1\n", "+Material, MatID=1\n1\n",
     "Error in SectionCard, section 1, line 4: +Material: unknown option MatID=1"),
    ("+Begin", "++Begin Section, SecID=2", "+Begin Section, SecID=2",
     "Error in SectionCard, line 14: outside a block: +Begin Section, SecID=2"),
    ("two blanks in the begin line", "++Begin Section, SecID=2", "++Begin  Section, SecID=2",
     "Error in SectionCard, line 14: outside a block: ++Begin  Section, SecID=2"),
    ("begin line without comma", "++Begin Section, SecID=2", "++Begin Section SecID=2",
     "Error in SectionCard, line 14: outside a block: ++Begin Section SecID=2"),
    ("+End", "310.0\n++End Section", "310.0\n+End Section", "Error in SectionCard, section 1, line 12: unknown item +End Section"),
    ("end line with an id", "1, 0\n++End Section", "1, 0\n++End Section 2",
     "Error in SectionCard, section 2, line 23: unknown item ++End Section 2"),
    ("nested begin line", "+Thickness\n0.125", "++Begin Section, SecID=3\n+Thickness\n0.125",
     "Error in SectionCard, section 1, line 3: ++End Section missing"),
    ("end line before the strength", "+Strength\n310.0\n++End Section", "++End Section\n+Strength\n310.0",
     "Error in SectionCard, line 11: outside a block: +Strength"),
    ("begin line after an item", "++Begin Section, SecID=2\n+Material\n2 2 2 2", "+Material\n2 2 2 2\n++Begin Section, SecID=2",
     "Error in SectionCard, line 14: outside a block: +Material"),
    ("empty block", "++Begin Section, SecID=2\n", "++Begin Section, SecID=2\n++End Section\n",
     "Error in SectionCard, section 2, line 15: +Orientation missing"),
    ("comment between item and values", "+Thickness\n0.125", "+Thickness\n** mm\n0.125",
     "Error in SectionCard, section 1, line 10: line read by no item"),
    # ids
    ("SecID=2.0", "SecID=2", "SecID=2.0", "Error in SectionCard, section ?, line 14: ++Begin Section: no readable id"),
    ("SectID=2", "SecID=2", "SectID=2", "Error in SectionCard, section ?, line 14: ++Begin Section: no readable id"),
    ("no id", ", SecID=2", "", "Error in SectionCard, section ?, line 14: ++Begin Section: no readable id"),
    ("id and a trailing comma", "SecID=2", "SecID=2,", "Error in SectionCard, section 2, line 14: id option is not SecID=<integer>"),
    ("two ids", "SecID=2", "SecID=2, SecID=3", "Error in SectionCard, section 2, line 14: id option is not SecID=<integer>"),
    # out of reach: legal values with another intent
    ("thickness in micrometres", "+Thickness\n0.125", "+Thickness\n125", None),
    ("angles in radians", "0 90 90 0", "0 1.5708 1.5708 0", None),
    ("decimal comma that keeps the count", "0 90 90 0", "0, 22,5, 90", None),
    ("SecID=0", "SecID=2", "SecID=0", None),  # ids are labels: any integer the begin line reads
    ("SecID=-2", "SecID=2", "SecID=-2", None),
]

STEP = [
    ("nupdate 5.0", "5\n", "5.0\n", "Error in StepCard, step, line 3: +Update: value not an integer"),
    ("nupdate 1e3", "5\n", "1e3\n", "Error in StepCard, step, line 3: +Update: value not an integer"),
    ("nupdate -5", "5\n", "-5\n", "Error in StepCard, step, line 3: +Update: -5 is below 1"),
    ("verbose 1.0", "+Verbose\n1", "+Verbose\n1.0", "Error in StepCard, step, line 5: +Verbose: value not an integer"),
    ("element 12.0", "+Verbose", "+Debug, TYPE=ELEMENT\n12.0\n+Verbose", "Error in StepCard, step, line 5: +Debug: value not an integer"),
    ("TYPE = INC", "TYPE=INC", "TYPE = INC", "Error in StepCard, step, line 2: unknown item +Update, TYPE = INC"),
    ("+Debug without kind", "+Verbose", "+Debug\n12\n+Verbose", "Error in StepCard, step, line 4: unknown item +Debug"),
    ("TYPE=GENRAL", "+Verbose", "+Cycle, TYPE=GENRAL\n1 2 3 4\n+Verbose", "Error in StepCard, step, line 4: unknown item +Cycle, TYPE=GENRAL"),
    ("cycle nan", "+Verbose", "+Cycle\n1 2 nan 4\n+Verbose", "Error in StepCard, step, line 5: +Cycle: value not a number"),
    ("individual before settings", "+Verbose", "+Cycle, TYPE=INDIVIDUAL\n5 6\n+Cycle\n0 0 3 0 0 1 0 0 3 0 0 1\n+Verbose",
     "Error in StepCard, step, line 4: +Cycle: no cycle settings before"),
    ("individual count inf", "+Verbose", CYCLES.format(a=1, b=1, counts="5 inf"),
     "Error in StepCard, step, line 7: +Cycle: value not a number"),
    ("settings of three a step", "+Verbose", "+Cycle\n0 0 3 0 0 1\n+Cycle, TYPE=INDIVIDUAL\n5\n+Verbose",
     "Error in StepCard, step, line 6: +Cycle: 3 cycle settings a step, 6 needed"),
    ("marked step, 1.6 counts", "+Verbose", CYCLES.format(a=1.6, b=1.6, counts="5 6 7 8"),
     "Error in StepCard, step, line 6: +Cycle: step 1 marked with 1.6 counts"),
    ("marked step, no counts", "+Verbose", CYCLES.format(a=2, b=0, counts="5 6 7 8"),
     "Error in StepCard, step, line 6: +Cycle: step 2 marked with 0 counts"),
    ("begin line with an id", "++Begin Step", "++Begin Step, StepID=1",
     "Error in StepCard, step, line 1: ++Begin Step: unknown option StepID=1"),
    ("begin line with a step name", "++Begin Step", "++Begin Step, name=Step-1",
     "Error in StepCard, step, line 1: ++Begin Step: unknown option name=Step-1"),
    ("+Update twice", "+Verbose", "+Update\n4\n+Verbose", "Error in StepCard, step, line 4: +Update given twice (line 2)"),
    ("+Cycle twice in its two forms", "+Verbose", "+Cycle\n1 2\n+Cycle, TYPE=GENERAL\n3 4\n+Verbose",
     "Error in StepCard, step, line 6: +Cycle given twice (line 4)"),
    ("cycle settings for no step", "+Verbose", "+Cycle\n1 2\n+Verbose",
     "Error in StepCard, step, line 4: +Cycle: cycle settings need at least one step"),
    # out of reach
    ("verbose -1", "+Verbose\n1", "+Verbose\n-1", None),
]

MATERIAL = [
    ("MatID=2.0", "MatID=2", "MatID=2.0", "Error in MaterialCard, material ?, line 21: ++Begin Material: no readable id"),
    ("selectors 1.0", "1, 3, 5, 1, 0", "1.0, 3.0, 5.0, 1.0, 0.0",
     "Error in MaterialCard, material 1, line 14: +Failure: value not an integer"),
    ("evolution 1.5", FRACTURE, "+Failure, TYPE=EVOLUTION\n1.5 1 1 1 0\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 31: +Failure: value not an integer"),
    ("model id 2.0", FRACTURE, "+ModelID\n2.0\n" + FRACTURE, "Error in MaterialCard, material 2, line 31: +ModelID: value not an integer"),
    # elastic constants
    ("six elastic values", E5, E5 + ", 3500.0", "Error in MaterialCard, material 1, line 5: +Elastic: 6 values, not 2, 5 or 9"),
    ("decimal commas", E5, "135000 10000 0,30 0,45 5000", "Error in MaterialCard, material 1, line 5: +Elastic: 7 values, not 2, 5 or 9"),
    ("Poisson's ratios in percent", E5, "135000.0, 10000.0, 30, 45, 5000.0",
     "Error in MaterialCard, material 1, line 5: +Elastic: not positive definite"),
    ("negative shear modulus", E5, "135000.0, 10000.0, 0.30, 0.45, -5000.0",
     "Error in MaterialCard, material 1, line 5: +Elastic: not positive definite"),
    ("nu23 of 1", E5, "135000.0, 10000.0, 0.30, 1.0, 5000.0", "Error in MaterialCard, material 1, line 5: +Elastic: not positive definite"),
    ("nu12 of 3.0 in nine", "0.30 0.30 0.40", "3.0 0.30 0.40", "Error in MaterialCard, material 2, line 24: +Elastic: not positive definite"),
    ("isotropic nu of 0.5", E9, "70000 0.5", "Error in MaterialCard, material 2, line 24: +Elastic: not positive definite"),
    ("isotropic pair swapped", E9, "0.3 70000", "Error in MaterialCard, material 2, line 24: +Elastic: not positive definite"),
    ("elastic nan", "0.30 0.30 0.40", "0.30 nan 0.40", "Error in MaterialCard, material 2, line 25: +Elastic: value not a number"),
    # strengths
    ("compressive strength negative", "1500.0, 50.0, 50.0, 1200.0", "1500.0, 50.0, 50.0, -1200.0",
     "Error in MaterialCard, material 1, line 8: +Strength: -1200 is not positive"),
    ("shear strength negative", "70.0 70.0 50.0 60.0", "70.0 -70.0 50.0 60.0",
     "Error in MaterialCard, material 2, line 27: +Strength: -70 is not positive"),
    # temperatures and factors
    ("temperatures twice the same", "+Temperature\n20.0, 80.0", "+Temperature\n20.0, 20.0",
     "Error in MaterialCard, material 1, line 4: +Temperature: 20 not above 20"),
    ("temperature nan", "+Temperature\n20.0, 80.0", "+Temperature\n20.0, nan",
     "Error in MaterialCard, material 1, line 4: +Temperature: value not a number"),
    ("temperatures in kelvin", "+Temperature\n20.0, 80.0", "+Temperature\n293.15, 353.15",
     "Error in MaterialCard, material 1, line 10: +Table: 30 factors, expected 60"),
    ("three temperatures, two rows", "+Temperature\n20.0, 80.0\n+Elastic\n135000", "+Temperature\n20.0, 50.0, 80.0\n+Elastic\n135000",
     "Error in MaterialCard, material 1, line 10: +Table: 30 factors, expected 45"),
    ("+Temprature", "+Temperature\n20.0, 80.0", "+Temprature\n20.0, 80.0", "Error in MaterialCard, material 1, line 3: unknown item +Temprature"),
    ("one factor row", ROW80 + "\n", "", "Error in MaterialCard, material 1, line 10: +Table: 15 factors, expected 30"),
    # a line that ends one row and starts the next
    ("factor row split", ROW20 + "\n1.0 0.9", ROW20 + " 1.0\n0.9", "Error in MaterialCard, material 1, line 11: +Table: line mixes two rows"),
    ("factor rows wrapped in the wrong place", ROW20 + "\n" + ROW80, ROW20[:20] + "\n" + ROW20[20:] + " 1.0 0.9\n" + ROW80[8:],
     "Error in MaterialCard, material 1, line 12: +Table: line mixes two rows"),
    ("factors in percent", "1.0 0.9 1.0 1.0 0.8", "100 90 100 100 80",
     "Error in MaterialCard, material 1, line 10: +Table: not positive definite at 80"),
    ("TYPE=TEMPERATUR", "TYPE=TEMPERATURE", "TYPE=TEMPERATUR",
     "Error in MaterialCard, material 1, line 10: unknown item +Table, TYPE=TEMPERATUR"),
    ("table before the temperatures", "+Temperature\n20.0, 80.0\n+Elastic", "+Elastic",
     "Error in MaterialCard, material 1, line 8: +Table: no +Temperature in the block"),
    # failure items
    ("general 13", "1, 3, 5, 1, 0", "13, 3, 5, 1, 0", "Error in MaterialCard, material 1, line 14: +Failure: general 13 outside 0..8"),
    ("matrix -5", "1, 3, 5, 1, 0", "1, 3, -5, 1, 0", "Error in MaterialCard, material 1, line 14: +Failure: matrix -5 outside 0..15"),
    ("core 3", "1, 3, 5, 1, 0", "1, 3, 5, 1, 3", "Error in MaterialCard, material 1, line 14: +Failure: core 3 outside 0..2"),
    ("two TYPE= settings", "TYPE=INITIATION", "TYPE=INITIATION, TYPE=EVOLUTION",
     "Error in MaterialCard, material 1, line 13: +Failure: unknown TYPE=EVOLUTION"),
    ("seven degradation limits", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2, 0.2",
     "Error in MaterialCard, material 1, line 15: +Failure: 7 values, not 6 or 12"),
    ("28.0D", "-0.3D-6, 28.0D-6, 28.0D-6", "-0.3D-6, 28.0D, 28.0D-6",
     "Error in MaterialCard, material 1, line 18: +Hygrothermal: value not a number"),
    ("blank before the exponent", "-0.3D-6, 28.0D-6, 28.0D-6", "-0.3e-6, 28.0 e-6, 28.0e-6",
     "Error in MaterialCard, material 1, line 18: +Hygrothermal: value not a number"),
    ("+Regularization without type", FRACTURE, "+Regularization\n1e-4\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: unknown item +Regularization"),
    # calibration curves
    ("curve nan", FRACTURE, "+Calibration, TYPE=Shear, T=20\n0 0\n0.1 nan\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 32: +Calibration: value not a number"),
    ("T = 20", FRACTURE, "+Calibration, TYPE=Shear, T = 20\n0 0\n0.1 30\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: +Calibration: needs one T="),
    ("T=", FRACTURE, "+Calibration, TYPE=Shear, T=\n0 0\n0.1 30\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: +Calibration: unknown option T="),
    ("pairs written as triples", FRACTURE, "+Calibration, TYPE=Shear, T=20\n0 0 0\n0.1 30 0\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 31: +Calibration: line mixes two records"),
    ("TYPE=Sheer", FRACTURE, "+Calibration, TYPE=Sheer, T=20\n0 0\n0.1 30\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: unknown item +Calibration, TYPE=Sheer, T=20"),
    ("two curve types", FRACTURE, "+Calibration, TYPE=Shear, TYPE=Normal, T=20\n0 0\n0.1 30\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: +Calibration: unknown TYPE=Shear"),
    ("ratio with a temperature", FRACTURE, "+Calibration, TYPE=Ratio, T=20\n0.7\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: +Calibration: unknown option T=20"),
    ("a plasticity point split", FRACTURE, "+Calibration, TYPE=Plasticity, T=20\n0 1 2 0.1\n3 4\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 31: +Calibration: line mixes two records"),
    ("secant modulus 0", FRACTURE, "+Calibration, TYPE=Secant, T=20\n0 3000\n0.01 0\n+Calibration, TYPE=Secant, T=80\n"
     "0 2500\n0.01 2000\n" + FRACTURE, "Error in MaterialCard, material 2, line 32: +Calibration: modulus 0 not positive"),
    ("secant strain and modulus swapped", FRACTURE, "+Calibration, TYPE=Secant, T=20\n3000 0\n2800 0.01\n"
     "+Calibration, TYPE=Secant, T=80\n0 2500\n0.01 2000\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 31: +Calibration: modulus 0 not positive"),
    ("secant one value short", FRACTURE, "+Calibration, TYPE=Secant, T=20\n0 0\n0.1\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: +Calibration: 3 values, not pairs"),
    ("one curve for two temperatures", FRACTURE, "+Calibration, TYPE=Shear, T=20\n0 0\n0.1 30\n" + FRACTURE,
     "Error in MaterialCard, material 2, line 30: +Calibration: 1 curve for nt = 2"),
    ("search step 0", "0 1 2 1 0\n", "0 1 9 1 0\n+Failure, TYPE=PROPERTIES\n0.3 0.2 0.15 0.15 0 1\n",
     "Error in MaterialCard, material 2, line 30: +Failure: step 0 is not positive"),
    ("negative shear strength for SPC3D", "0 1 2 1 0\n", "0 1 12 1 0\n+Failure, TYPE=PROPERTIES\n60 60\n-40 0.3 -0.3\n",
     "Error in MaterialCard, material 2, line 32: +Failure: -40 is not positive"),
    ("SPC3D strengths in GPa of 0", "0 1 2 1 0\n", "0 1 12 1 0\n+Failure, TYPE=PROPERTIES\n0 0.06 0.04 0.3 -0.3\n",
     "Error in MaterialCard, material 2, line 31: +Failure: 0 is not positive"),
    ("degradation limits in percent", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2", "1, 20, 20, 20, 20, 20",
     "Error in MaterialCard, material 1, line 16: +Failure: limit 20 outside 0..1"),
    ("degradation limit 2.0", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2", "0.01, 0.2, 2.0, 0.2, 0.2, 0.2",
     "Error in MaterialCard, material 1, line 16: +Failure: limit 2 outside 0..1"),
    ("degradation limit -0.2", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2", "0.01, 0.2, 0.2, -0.2, 0.2, 0.2",
     "Error in MaterialCard, material 1, line 16: +Failure: limit -0.2 outside 0..1"),
    ("one curing item", FRACTURE, "+GelPoint\n0.5\n" + FRACTURE, "Error in MaterialCard, material 2, line 30: +Curing: 1 of the 8 items given"),
    # out of reach
    ("moduli in GPa", E5, "135.0, 10.0, 0.30, 0.45, 5.0", None),
    ("strengths in GPa", "1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0, 90.0",
     "1.5, 0.05, 0.05, 1.2, 0.2, 0.2, 0.08, 0.08, 0.06, 0.09", None),
    ("negative nu23 in nine", "0.30 0.30 0.40", "0.30 0.30 -0.40", None),  # auxetic, positive definite
    ("nu23 doubled at 80", "1.0 0.9 1.0 1.0 0.8", "1.0 0.9 1.0 2.0 0.8", None),  # 0.9 at 80, still positive definite
    ("temperatures without factors", "+Table, TYPE=TEMPERATURE\n" + ROW20 + "\n" + ROW80 + "\n", "", None),  # only block 1 is set, as the guide says
    ("curves in another order than T=", FRACTURE,
     "+Calibration, TYPE=Shear, T=80\n0 0\n0.1 20\n+Calibration, TYPE=Shear, T=20\n0 0\n0.1 30\n" + FRACTURE, None),
    ("degradation limits of the damage routine's own set", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2", "-1, -1, -1, -1, -1, -1", None),
    ("one degradation limit left to the damage routine", "0.01, 0.2, 0.2, 0.2, 0.2, 0.2", "0.01, 0.2, -1, 0.2, 0.2, 1", None),
    ("a parameter list of defaults", "0 1 2 1 0\n", "0 1 12 1 0\n+Failure, TYPE=PROPERTIES\n-1 60 -40 0.3 -0.3\n", None),
    ("model id -2", FRACTURE, "+ModelID\n-2\n" + FRACTURE, None),
]

DAMAGE = [
    ("DmgID=0", "DmgID=2", "DmgID=0", "Error in DamageCard, damage 0, line 21: damage id outside 1..2"),
    ("DmgID=2.0", "DmgID=2", "DmgID=2.0", "Error in DamageCard, damage ?, line 21: ++Begin Damage: no readable id"),
    ("position nan", "50.0, 25.0, 0.0, 0.0", "50.0, 25.0, 0.0, nan", "Error in DamageCard, damage 1, line 9: +Position: value not a number"),
    ("position without values", "+Position\n120.0, 25.0, 0.0, 30.0\n", "+Position\n",
     "Error in DamageCard, damage 2, line 22: +Position without values"),
    # records
    ("ply 0", "1, 5.0, 5.0, 0", "0, 5.0, 5.0, 0", "Error in DamageCard, damage 1, line 17: +Abstraction: ply 0 outside 1..8"),
    ("ply 9 of 8", "1, 5.0, 5.0, 0", "9, 5.0, 5.0, 0", "Error in DamageCard, damage 1, line 17: +Abstraction: ply 9 outside 1..8"),
    ("ply 1e3", "1, 5.0, 5.0, 0", "1e3, 5.0, 5.0, 0", "Error in DamageCard, damage 1, line 17: +Abstraction: ply 1000 outside 1..8"),
    ("ply 1.5", "1, 5.0, 5.0, 0", "1.5, 5.0, 5.0, 0", "Error in DamageCard, damage 1, line 17: +Abstraction: ply 1.5 not a whole number"),
    ("interface 8 of 8 plies", "6, 15.0, 10.0, 0", "8, 15.0, 10.0, 0",
     "Error in DamageCard, damage 1, line 12: +Abstraction: interface 8 outside 1..7"),
    ("interface 0", "2, 20.0, 12.0, 0", "0, 20.0, 12.0, 0", "Error in DamageCard, damage 1, line 11: +Abstraction: interface 0 outside 1..7"),
    ("three values, the unused one left out", "1, 5.0, 5.0, 0", "1, 5.0, 5.0",
     "Error in DamageCard, damage 1, line 16: +Abstraction: 3 values, at least 4"),
    ("two records of three", "4, 18.0, 6.0, 0\n5, 18.0, 6.0, 0", "4, 18.0, 6.0\n5, 18.0, 6.0",
     "Error in DamageCard, damage 1, line 13: +Abstraction: 6 values, not fours"),
    ("a line that ends a record and starts the next", "4, 18.0, 6.0, 0\n5, 18.0, 6.0, 0", "4, 18.0\n6.0, 0, 5\n18.0, 6.0, 0",
     "Error in DamageCard, damage 1, line 15: +Abstraction: line mixes two records"),
    ("a record and the start of the next", "4, 18.0, 6.0, 0\n5, 18.0, 6.0, 0", "4, 18.0, 6.0, 0, 5\n18.0, 6.0, 0",
     "Error in DamageCard, damage 1, line 14: +Abstraction: line mixes two records"),
    ("ply and half-axis swapped", "4, 18.0, 6.0, 0", "18.0, 4, 6.0, 0", "Error in DamageCard, damage 1, line 14: +Abstraction: ply 18 outside 1..8"),
    ("ply written last", "4, 18.0, 6.0, 0", "18.0, 6.0, 0, 4", "Error in DamageCard, damage 1, line 14: +Abstraction: ply 18 outside 1..8"),
    ("half-axis 0", "4, 18.0, 6.0, 0", "4, 0.0, 6.0, 0", "Error in DamageCard, damage 1, line 14: +Abstraction: half-axis 0 <= 0"),
    ("half-axis nan", "4, 18.0, 6.0, 0", "4, nan, 6.0, 0", "Error in DamageCard, damage 1, line 14: +Abstraction: value not a number"),
    ("the same ply twice", "5, 18.0, 6.0, 0", "4, 18.0, 6.0, 0", "Error in DamageCard, damage 1, line 15: +Abstraction: ply 4 given twice"),
    ("decimal commas", "1, 5.0, 5.0, 0", "1, 5,0, 5,0, 0", "Error in DamageCard, damage 1, line 16: +Abstraction: 6 values, not fours"),
    ("position and records swapped", "+Position\n50.0, 25.0, 0.0, 0.0\n+Abstraction, TYPE=Delamination\n2, 20.0, 12.0, 0\n6, 15.0, 10.0, 0",
     "+Position\n2, 20.0, 12.0, 0\n6, 15.0, 10.0, 0\n+Abstraction, TYPE=Delamination\n50.0, 25.0, 0.0, 0.0",
     "Error in DamageCard, damage 1, line 12: +Abstraction: interface 50 outside 1..7"),
    # kinds and options
    ("TYPE=Fibre", "TYPE=Fiber", "TYPE=Fibre", "Error in DamageCard, damage 1, line 16: unknown item +Abstraction, TYPE=Fibre"),
    ("no kind", "+Abstraction, TYPE=Fiber", "+Abstraction", "Error in DamageCard, damage 1, line 16: unknown item +Abstraction"),
    ("TYPE=Delam", "TYPE=Delamination", "TYPE=Delam", "Error in DamageCard, damage 1, line 10: unknown item +Abstraction, TYPE=Delam"),
    ("two kinds", "TYPE=Fiber", "TYPE=Fiber, TYPE=Matrix", "Error in DamageCard, damage 1, line 16: +Abstraction: unknown option TYPE=Matrix"),
    ("TYPE = Fiber", "TYPE=Fiber", "TYPE = Fiber", "Error in DamageCard, damage 1, line 16: +Abstraction: unknown TYPE = Fiber"),
    ("TYPE=MatrixCrack", "TYPE=Matrix\n4", "TYPE=MatrixCrack\n4",
     "Error in DamageCard, damage 1, line 13: +Abstraction: unknown TYPE=MatrixCrack"),
    ("+Position, ANGLE=RAD", "+Position\n50", "+Position, ANGLE=RAD\n50", "Error in DamageCard, damage 1, line 8: +Position: unknown option ANGLE=RAD"),
    # outlines
    ("outline as x, y pairs", OUTLINE, "-10.0, -2.0\n10.0, -2.0\n10.0, 2.0\n-10.0, 2.0",
     "Error in DamageCard, damage 2, line 24: +Table: 8 values, at least 9"),
    ("six x, y pairs", OUTLINE, "-10.0, -2.0\n0, -3.0\n10.0, -2.0\n10.0, 2.0\n0, 3.0\n-10.0, 2.0",
     "Error in DamageCard, damage 2, line 26: +Table: line mixes two records"),
    ("three x, y pairs", OUTLINE, "-10.0, -2.0\n10.0, -2.0\n10.0, 2.0", "Error in DamageCard, damage 2, line 24: +Table: 6 values, at least 9"),
    ("x, y pairs typed three to a line", OUTLINE, "-10.0, -2.0, 10.0\n-2.0, 10.0, 2.0",
     "Error in DamageCard, damage 2, line 24: +Table: 6 values, at least 9"),
    ("one vertex", OUTLINE, "0, -10.0, -2.0", "Error in DamageCard, damage 2, line 24: +Table: 3 values, at least 9"),
    ("an outline of two vertices", OUTLINE, "0, -10.0, -2.0\n0, 10.0, 2.0", "Error in DamageCard, damage 2, line 24: +Table: 6 values, at least 9"),
    ("triples typed x, y, unused", OUTLINE, "-10.0, -2.0, 0\n10.0, -2.0, 0\n10.0, 2.0, 0\n-10.0, 2.0, 0",
     "Error in DamageCard, damage 2, line 24: +Table: outline encloses no area"),
    ("vertices on one line", OUTLINE, "0, -10.0, -2.0\n0, 0.0, 0.1\n0, 10.0, 2.2", "Error in DamageCard, damage 2, line 24: +Table: outline encloses no area"),
    ("vertices in crossed order", OUTLINE, "0, -10.0, -2.0\n0, 10.0, 2.0\n0, 10.0, -2.0\n0, -10.0, 2.0",
     "Error in DamageCard, damage 2, line 27: +Table: outline crosses itself"),
    ("an outline that touches itself", OUTLINE, "0, 0, 0\n0, 10.0, 0\n0, 10.0, 5.0\n0, 5.0, 0\n0, 0, 5.0",
     "Error in DamageCard, damage 2, line 27: +Table: outline crosses itself"),
    ("an outline that folds back on an edge", OUTLINE, "0, 0, 0\n0, 10.0, 0\n0, 5.0, 0\n0, 5.0, 5.0",
     "Error in DamageCard, damage 2, line 26: +Table: outline crosses itself"),
    ("delamination outline of the top ply", "+Table, TYPE=Matrix, LayID=1", "+Table, TYPE=Delamination, LayID=8",
     "Error in DamageCard, damage 2, line 24: +Table: no interface above ply 8"),
    ("vertex nan", "0, 10.0, 2.0\n", "0, 10.0, nan\n", "Error in DamageCard, damage 2, line 27: +Table: value not a number"),
    ("LayID=0", "LayID=1", "LayID=0", "Error in DamageCard, damage 2, line 24: +Table: no ply of the section"),
    ("LayID=9 of 8", "LayID=1", "LayID=9", "Error in DamageCard, damage 2, line 24: +Table: no ply of the section"),
    ("LayID=1.0", "LayID=1", "LayID=1.0", "Error in DamageCard, damage 2, line 24: +Table: no ply of the section"),
    ("LayID = 1", "LayID=1", "LayID = 1", "Error in DamageCard, damage 2, line 24: +Table: no ply of the section"),
    ("Ply=1", "LayID=1", "Ply=1", "Error in DamageCard, damage 2, line 24: +Table: unknown option Ply=1"),
    ("TYPE=matrix", "TYPE=Matrix, LayID=1", "TYPE=matrix, LayID=1", "Error in DamageCard, damage 2, line 24: +Table: unknown option TYPE=matrix"),
    ("TYPE= Matrix", "TYPE=Matrix, LayID=1", "TYPE= Matrix, LayID=1",
     "Error in DamageCard, damage 2, line 24: +Table: unknown option TYPE= Matrix"),
    ("no layer", "TYPE=Matrix, LayID=1", "TYPE=Matrix", "Error in DamageCard, damage 2, line 24: +Table: no ply of the section"),
    ("no kind in the outline", "TYPE=Matrix, LayID=1", "LayID=1", "Error in DamageCard, damage 2, line 24: +Table: no kind named"),
    ("two layers", "LayID=1", "LayID=1, LayID=2", "Error in DamageCard, damage 2, line 24: +Table: unknown option LayID=2"),
    ("outline twice, settings swapped", "0, -10.0, 2.0\n", "0, -10.0, 2.0\n+Table, LayID=1, TYPE=Matrix\n0 1 1 0 2 2\n",
     "Error in DamageCard, damage 2, line 29: +Table given twice (line 24)"),
    # out of reach
    ("angle written first", "50.0, 25.0, 0.0, 0.0", "0.0, 50.0, 25.0, 0.0", None),
    ("delamination outline of the ply below the top one", "+Table, TYPE=Matrix, LayID=1", "+Table, TYPE=Delamination, LayID=7", None),
    ("an outline closed by its first vertex", OUTLINE, OUTLINE + "\n0, -10.0, -2.0", None),
    ("a concave outline with a vertex on an edge", OUTLINE, "0, -10.0, -2.0\n0, 0.0, -2.0\n0, 10.0, -2.0\n0, 0.0, 0.0\n"
     "0, 10.0, 2.0\n0, -10.0, 2.0", None),
]

GROUPS = {"SectionCard": SECTION, "StepCard": STEP, "MaterialCard": MATERIAL, "DamageCard": DAMAGE}
ROWS = [pytest.param(card, old, new, message, id=f"{card}: {name}")
        for card, rows in GROUPS.items() for name, old, new, message in rows]


@pytest.mark.parametrize("card,old,new,message", ROWS)
def test_a_mistaken_card_is_reported_or_out_of_reach(vx, tmp_path, card, old, new, message):
    nsteps = 0 if message and "need at least one step" in message else 2
    read(vx, tmp_path, {card: edit(card, old, new)}, nsteps)
    if message is None:
        assert err(vx)[0] == 0, err(vx)
        return
    # Whole: a detail that would not fit is worded shorter, not cut. Only a line the message
    # repeats may be cut at the end of the record.
    assert err(vx) == (-2, message[:80])
    assert len(message) <= 80 or any(w in message for w in ("unknown item", "outside a block", "not in column 1"))
    if message.startswith("Error"):  # the line of the mistake in the integer context too
        assert int(vx.errorhandling.errintv[0]) == int(re.search(r"line (\d+)", message).group(1))


def test_a_card_of_one_ply_reports_delamination_records(vx, tmp_path):
    """No interface to hold them: reported, and nothing is stored."""
    section = "++Begin Section, SecID=1\n+Orientation\n0\n+Thickness\n1\n+Material\n1\n++End Section\n"
    damage = "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Abstraction, TYPE=Delamination\n1, 2, 2, 0\n++End Damage\n"
    read(vx, tmp_path, {"SectionCard": section, "DamageCard": damage})
    assert err(vx) == (-2, "Error in DamageCard, damage 1, line 5: +Abstraction: interface 1 outside 1..0")
    assert vx.damagedata.delamdds is None


# The values stay where the readers put them before the report.
STORED = [
    ("MaterialCard", ROW20 + "\n1.0 0.9", ROW20 + " 1.0\n0.9",  # the factors are one list, in rows of 15
     lambda vx: vx.materialdata.peprops[9:11, 0, 0].tolist() == [135000.0, 10000.0 * 0.9]),
    ("DamageCard", OUTLINE, "0, -10.0, -2.0", lambda vx: vx.damagedata.dmgpoints[:3, 0, 2, 1].tolist() == [0, -10, -2]),
    ("StepCard", "+Verbose", CYCLES.format(a=1.6, b=1.6, counts="5 6 7 8"),
     lambda vx: vx.shokriehdata.cycles.tolist() == [[5, 7], [6, 8]]),
    ("StepCard", "++Begin Step", "++Begin Step, StepID=1", lambda vx: int(vx.debugdata.nupdate) == 5),
    ("MaterialCard", "1.0 0.9 1.0 1.0 0.8", "100 90 100 100 80", lambda vx: vx.materialdata.peprops[9, 0, 0] == 135000.0 * 100),
]


@pytest.mark.parametrize("card,old,new,check", STORED)
def test_mistakes_keep_the_values_read(vx, tmp_path, card, old, new, check):
    read(vx, tmp_path, {card: edit(card, old, new)})
    assert err(vx)[0] == -2
    assert check(vx)


def lines_of(f):
    return lambda t: "\n".join(f(ln) for ln in t.split("\n"))


def data_lines(f):
    """f applied to the data lines only."""
    return lines_of(lambda ln: ln if ln[:1] in ("+", "*") or not ln.strip() else f(ln))


def keyword_lines(f):
    return lines_of(lambda ln: f(ln) if ln.startswith("+") else ln)


def every(f):
    return {n: f for n in CARDS}


# Unusual but legal formatting: the data read equal those of the examples, bit for bit.
FORMATS = {
    "CR LF": every(lambda t: t.replace("\n", "\r\n")),
    "CR": every(lambda t: t.replace("\n", "\r")),
    "byte-order mark": every(lambda t: "\ufeff" + t),
    "LF and CR LF mixed": every(lambda t: "".join(ln + ("\r\n" if i % 2 else "\n") for i, ln in enumerate(t.split("\n")[:-1]))),
    "tabs between values": every(data_lines(lambda ln: ln.replace(", ", "\t").replace(" ", "\t"))),
    "trailing commas": every(data_lines(lambda ln: ln + ",")),
    "trailing blanks and tabs": every(lines_of(lambda ln: ln + " \t ")),
    "blanks around commas": every(data_lines(lambda ln: ln.replace(", ", " , "))),
    "blank lines everywhere in a block": every(lines_of(lambda ln: ln if ln.startswith("++End") else ln + "\n \t")),
    "comments before every item": every(keyword_lines(lambda ln: ln if ln.startswith("++") else "** note\n" + ln)),
    "no blank after commas": every(keyword_lines(lambda ln: ln.replace(", ", ","))),
    "tab after commas": every(keyword_lines(lambda ln: ln.replace(", ", ",\t"))),
    "lower case": {"SectionCard": str.lower, "StepCard": str.lower, "MaterialCard": str.lower,
                   "DamageCard": lines_of(lambda ln: ln.split(",")[0].lower() + ln[len(ln.split(",")[0]):]
                                          if ln.startswith("+") else ln)},
    "upper case": {"SectionCard": str.upper, "StepCard": str.upper, "MaterialCard": str.upper,
                   "DamageCard": lambda t: re.sub(r"^\+[^,\n]*", lambda m: m.group(0).upper(), t, flags=re.M)
                   .replace("DmgID", "DMGID").replace("LayID", "LAYID")},
    "D and E exponents": {"MaterialCard": lambda t: t.replace("135000.0", "1.35D+05").replace("10000.0", "1d4")
                          .replace("1500.0", "1.5E3"),
                          "SectionCard": lambda t: t.replace("0.125", "1.25d-1").replace("310.0", "3.1e2"),
                          "DamageCard": lambda t: t.replace("50.0", "5D1")},
    "reals without leading or trailing digits": {"MaterialCard": lambda t: t.replace("0.30", ".3"),
                                                 "SectionCard": lambda t: t.replace("0.125", ".125").replace("310.0", "310."),
                                                 "DamageCard": lambda t: t.replace("12.0", "12.")},
    "plus signs": {"SectionCard": lambda t: t.replace("0.0, 45.0, -45.0", " +0.0, +45.0, -45.0"),
                   "MaterialCard": lambda t: t.replace("28.0D-6, 28.0D-6", "+28.0D-6, +28.0D-6")},
    "blank lines before the strength value": {"SectionCard": lambda t: t.replace("+Strength\n", "+Strength\n\n\t\n")},
    "comma after a keyword": {"SectionCard": lambda t: t.replace("+Thickness\n", "+Thickness,\n").replace("+Orientation\n", "+Orientation, \n"),
                              "MaterialCard": lambda t: t.replace("+Elastic\n", "+Elastic,\n")},
    "one value a line": {"SectionCard": data_lines(lambda ln: "\n".join(ln.replace(",", " ").split())),
                         "MaterialCard": data_lines(lambda ln: ln if ln.startswith("1.0") else "\n".join(ln.replace(",", " ").split()))},
    "several records a line": {"DamageCard": lambda t: t.replace("2, 20.0, 12.0, 0\n6", "2, 20.0, 12.0, 0, 6")
                               .replace("0, -10.0, -2.0\n0, 10.0, -2.0", "0, -10.0, -2.0, 0, 10.0, -2.0")},
    "outline settings swapped": {"DamageCard": lambda t: t.replace("+Table, TYPE=Matrix, LayID=1", "+Table, Layer=1, TYPE=Matrix")},
    "ids with blanks, signs, zeros": {"SectionCard": lambda t: t.replace("SecID=1", "SecID= 1").replace("SecID=2", "SecID=+2"),
                                      "MaterialCard": lambda t: t.replace("MatID=2", "MatID=02"),
                                      "DamageCard": lambda t: t.replace("DmgID=2", "DmgID=\t2")},
    "one value for every ply": {"SectionCard": lambda t: t.replace("2 2 2 2", "2").replace("0.25 0.25 0.25 0.25", "0.25")},
    "nine constants, shear moduli before Poisson's ratios": {"MaterialCard": lambda t: t.replace(E9, E9.replace("0.30 0.30 0.40 4500.0 4500.0 3500.0", "4500.0 4500.0 3500.0 0.30 0.30 0.40"))},
    "+Temperatures": {"MaterialCard": lambda t: t.replace("+Temperature\n", "+Temperatures\n")},
    "items in another order": {"MaterialCard": lambda t: t.replace("+Temperature\n20.0, 80.0\n+Elastic\n" + E5 + "\n",
                                                                   "+Elastic\n" + E5 + "\n+Temperature\n20.0, 80.0\n"),
                               "SectionCard": lambda t: t.replace("+Material\n1\n+Orientation\n" + PLY8 + "\n",
                                                                  "+Orientation\n" + PLY8 + "\n+Material\n1\n")},
    "position over two lines": {"DamageCard": lambda t: t.replace("50.0, 25.0, 0.0, 0.0", "50.0, 25.0,\n0.0, 0.0")},
    # a record may run on over lines, as long as no line holds parts of two
    "a record wrapped over two lines": {"DamageCard": lambda t: t.replace("4, 18.0, 6.0, 0", "4, 18.0\n6.0, 0")
                                        .replace("2, 20.0, 12.0, 0", "2, 20.0,\n12.0, 0")},
    "every value on a line of its own": every(data_lines(lambda ln: "\n".join(ln.replace(",", " ").split()))),
    "data lines wrapped at about 40 characters": every(data_lines(lambda ln: "\n".join(textwrap.wrap(ln, 40)))),
    "factor rows wrapped after their elastic factors": {"MaterialCard": lambda t: t.replace("1.0 1.0 1.0 1.0 1.0   ", "1.0 1.0 1.0 1.0 1.0\n")
                                                        .replace("1.0 0.9 1.0 1.0 0.8   ", "1.0 0.9 1.0 1.0 0.8\n")},
    "a blank before = of a kind": {"DamageCard": lambda t: t.replace("TYPE=Fiber", "TYPE =Fiber")},
    "ply numbers as reals": {"DamageCard": lambda t: t.replace("4, 18.0", "4.0, 18.0").replace("LayID=1", "LayID=01")},
}


# Materials of 9, 5 and 2 elastic constants with 10 strengths over two temperatures: factor rows of
# 19, 15 and 12 values, and a secant curve each, written one record a line.
ROWS = {9: ("40000 9800 9800 0.3 0.3 0.4 4500 4500 3500", "1 0.9 0.9 1 1 1 0.8 0.8 0.8"),
        5: ("135000 10000 0.3 0.45 5000", "1 0.9 1 1 0.8"),
        2: ("3500 0.35", "0.9 1")}
STRENGTH = "1000 40 40 700 140 140 70 70 50 60"
FACTORS = "0.95 0.8 0.8 0.9 0.85 0.85 0.75 0.75 0.75 0.8"


def wrapped_material(split):
    """The material card, every record's values given to split(values, record length) for its lines."""
    out = []
    for m, (n, (elastic, e80)) in enumerate(ROWS.items(), 1):
        rows = [" ".join(["1.0"] * (n + 10)), f"{e80} {FACTORS}"]
        curve = ["0 3000", "0.01 2900", "0.02 2700"]
        out += [f"++Begin Material, MatID={m}", "+Temperature", "20, 80", "+Elastic", elastic, "+Strength", STRENGTH,
                "+Table, TYPE=TEMPERATURE"] + [ln for r in rows for ln in split(r, n + 10)]
        for t in (20, 80):
            out += [f"+Calibration, TYPE=Secant, T={t}"] + [ln for p in curve for ln in split(p, 2)]
        out += ["++End Material"]
    return "\n".join(out) + "\n"


SECTION3 = ("++Begin Section, SecID=1\n+Material\n1 2 3\n+Orientation\n0 90 0\n+Thickness\n0.125\n"
            "++End Section\n")
DAMAGE3 = ("++Begin Damage, DmgID=1\n+Position\n50.0, 25.0, 0.0, 30.0\n+Abstraction, TYPE=Delamination\n"
           "1, 20.0, 12.0, 0\n2, 15.0, 10.0, 0\n+Abstraction, TYPE=Matrix\n3, 18.0, 6.0, 0\n"
           "+Table, TYPE=Fiber, LayID=2\n0, -10.0, -2.0\n0, 10.0, -2.0\n0, 10.0, 2.0\n0, -10.0, 2.0\n++End Damage\n")


def split_at(k):
    """A record's first k values on a line, the rest on the next."""
    return lambda r, n: [" ".join(r.split()[:k]), " ".join(r.split()[k:])] if 0 < k < len(r.split()) else [r]


WRAPPED = {
    "factor rows split after the elastic factors": lambda r, n: ([" ".join(r.split()[:n - 10]), " ".join(r.split()[n - 10:])]
                                                               if n > 10 else [r]),
    "factor rows split 2 + rest": split_at(2),
    "records wrapped at about 40 characters": lambda r, n: textwrap.wrap(r, 40),
    "every value on a line of its own": lambda r, n: r.split(),
    "every value on a line of its own, commas": lambda r, n: [v + "," for v in r.split()],
}


@pytest.mark.parametrize("name", WRAPPED)
def test_wrapped_records_read_into_the_data_of_their_one_line_form(vx, tmp_path, name):
    """Factor rows of 9 + 10, 5 + 10 and 2 + 10 values, curves, records and outlines over lines."""
    one_line = {"SectionCard": SECTION3, "MaterialCard": wrapped_material(lambda r, n: [r]), "DamageCard": DAMAGE3}
    canonical = read(vx, tmp_path, one_line)
    assert err(vx)[0] == 0, err(vx)
    assert vx.materialdata.peprops.shape[0] == 18 and vx.materialdata.secantprops.shape == (2, 3, 2)
    split = WRAPPED[name]
    wrapped = {"SectionCard": SECTION3, "MaterialCard": wrapped_material(split),
               "DamageCard": data_lines(lambda ln: "\n".join(split(ln.replace(",", " "), 0)))(DAMAGE3)}
    assert wrapped["MaterialCard"] != one_line["MaterialCard"]
    data = read(vx, tmp_path, wrapped)
    assert err(vx)[0] == 0, err(vx)
    assert_same_data(canonical, data)


@pytest.mark.parametrize("name", FORMATS)
def test_legal_formatting_reads_exactly_as_the_examples(vx, tmp_path, name):
    canonical = read(vx, tmp_path, {})
    assert err(vx)[0] == 0
    cards = {n: f(BASE[n]) for n, f in FORMATS[name].items()}
    assert any(cards[n] != BASE[n] for n in cards), name
    data = read(vx, tmp_path, cards)
    assert err(vx)[0] == 0, err(vx)
    assert_same_data(canonical, data)
