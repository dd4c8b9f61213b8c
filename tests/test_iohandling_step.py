"""Step card: debug settings and cycle tables; the integration-point report."""
import numpy as np
import pytest

from conftest import error_record


@pytest.fixture(autouse=True)
def fresh(vx):
    for name in ("nupdate", "edebug", "ndebug", "fdebug", "verbose", "unitid"):
        setattr(vx.debugdata, name, 7)
    vx.datahandling.deallocall()
    yield


def card(vx, tmp_path, text, nsteps=3):
    (tmp_path / "StepCard.vxd").write_text(text)
    vx.iohandling.getstepdatafromfile("", str(tmp_path), nsteps)


def debug(vx):
    return tuple(int(getattr(vx.debugdata, n)) for n in ("nupdate", "edebug", "ndebug", "fdebug", "verbose", "unitid"))


def test_missing_card_changes_nothing(vx, tmp_path):
    vx.iohandling.getstepdatafromfile(str(tmp_path / "deck.inp"), str(tmp_path), 2)
    assert debug(vx) == (7, 7, 7, 7, 7, 7)


def test_settings_apply_at_the_block_end(vx, tmp_path):
    card(vx, tmp_path, "+Debug, TYPE=ELEMENT\n99\n"           # before any block: ignored
                       "++Begin Step\n+Debug, type=element\n1234\n+Verbose\n2, 6\n"
                       "+Debug,\tTYPE=NODAL\n\t55 66\n+Debug, TYPE=FILE, more\n3\n"
                       "+Update, TYPE=INC\n10\n++End Step\n")
    assert debug(vx) == (10, 1234, 55, 0, 2, 6)


def test_unclosed_block_and_later_blocks(vx, tmp_path):
    card(vx, tmp_path, "+Update\n10\n++Begin Step\n+Verbose\n2\n++End Step\n"
                       "++Begin Step\n+Debug, TYPE=FILE\n4\n")
    # Defaults, then the first block's values; the second block never closes.
    assert debug(vx) == (10, 0, 0, 0, 2, -3)


NOT_APPLIED = "Warning in StepCard, line {}: +Update: not applied, no ++End Step after it"


@pytest.mark.parametrize("text,line,nupdate", [
    ("++Begin Step\n+Update\n5\n++End Step\n+Update\n10\n", 5, 5),    # after the last end line
    ("+Update\n10\n", 1, 1),                                              # a card without blocks
    ("++Begin Step\n+Update, TYPE=INC\n5\n++End Step\n** interval\n+Update\n\n 10\n\n", 6, 5),
    ("+Update\n10\n++Begin Step\n++End Step\n", None, 10),             # the next end line applies it
    ("++Begin Step\n++End Step\n+Update\n10\n++Begin Step\n++End Step\n", None, 10),
])
def test_an_update_that_no_end_line_follows_is_a_warning(vx, tmp_path, text, line, nupdate):
    card(vx, tmp_path, text)
    assert error_record(vx)[0] == 0 if line is None else error_record(vx) == (-1, NOT_APPLIED.format(line))
    assert debug(vx)[0] == nupdate


def test_cycle_properties_per_step(vx, tmp_path):
    card(vx, tmp_path, "+Cycle\n" + " ".join(str(v) for v in range(1, 11)) + "\n", nsteps=3)
    np.testing.assert_array_equal(vx.shokriehdata.cycleprops, np.arange(1.0, 10.0).reshape(3, 3, order="F"))


def test_direct_and_individual_cycles(vx, tmp_path):
    props = [0, 0, 3, 0, 0, 2,  0, 0, 3, 0, 0, 2,  0, 0, 1, 0, 0, 0]
    card(vx, tmp_path, "++Begin Step\n+Cycle, TYPE=GENERAL\n" + " ".join(map(str, props)) +
         "\n+Cycle, TYPE=INDIVIDUAL\n100 200\n300 400\n++End Step\n", nsteps=3)
    np.testing.assert_array_equal(vx.shokriehdata.cycles, [[100, 300, 0], [200, 400, 0]])
    vx.datahandling.deallocall()
    card(vx, tmp_path, "++Begin Step\n+Cycle, TYPE=DIRECT\n1 2 3 4\n++End Step\n", nsteps=2)
    np.testing.assert_array_equal(vx.shokriehdata.cycles, [[1.0, 1.0]])
    np.testing.assert_array_equal(vx.shokriehdata.cycleprops, [[1, 3], [2, 4]])


@pytest.mark.parametrize("text,nsteps", [
    ("++Begin Step\n+Cycle, TYPE=INDIVIDUAL\n1 2\n++End Step\n", 2),            # no settings before
    ("+Cycle\n1 2 3\n", 0),                                                      # no steps
    ("+Cycle\n1\n", 2),                                                          # fewer values than steps
    ("++Begin Step\n+Cycle\n0 0 3 0 0 2\n+Cycle, TYPE=INDIVIDUAL\n1 2 3 4 5\n", 1),  # too many counts
    ("++Begin Step\n+Cycle\n0 0 3 0 0 1e12\n+Cycle, TYPE=INDIVIDUAL\n1\n", 1),   # absurd count
    ("++Begin Step\n+Cycle\n0 0 3 0\n+Cycle, TYPE=INDIVIDUAL\n1\n", 1),          # settings too short
    ("++Begin Step\n+Cycle, TYPE=DIRECT\n1 2\n++End Step\n", 2147483647),        # absurd step count
])
def test_bad_cycle_items_are_reported(vx, tmp_path, text, nsteps):
    card(vx, tmp_path, text, nsteps=nsteps)
    assert int(vx.errorhandling.errstat) == -2
    cy = vx.shokriehdata.cycles
    # Only the table of the case with too many counts exists, holding what fits.
    assert cy is None or (cy.shape == (2, 1) and list(cy[:, 0]) == [1, 2])


def test_report_header_once_and_fixed_width_records(vx, tmp_path):
    f = tmp_path / "job.rst"
    vx.iohandling.getgausspointreport(str(f) + "   ", [0.5, -1.25, 10.0], 12, 3)
    vx.iohandling.getgausspointreport(str(f), [1e20, -0.0, 123456789.123456789], 123456789, -5)
    lines = f.read_text().split("\n")
    assert lines[0] == "    NOEL     NPT" + "".join(" " * 24 + c for c in "xyz")
    assert lines[1] == "      12       3" + "".join(s.rjust(25) for s in ["0.50000000", "-1.25000000", "10.00000000"])
    assert lines[2] == "********      -5" + "*" * 25 + "-0.00000000".rjust(25) + "123456789.12345679".rjust(25)
    assert lines[3:] == [""]
    e = tmp_path / "empty.rst"
    e.write_text("")
    vx.iohandling.getgausspointreport(str(e), [0.0, 0.0, 0.0], 1, 1)
    assert e.read_text().count("\n") == 1 and "NOEL" not in e.read_text()
    vx.iohandling.getgausspointreport(str(tmp_path / "no" / "dir.rst"), [0.0, 0.0, 0.0], 1, 1)
    assert not (tmp_path / "no").exists()
