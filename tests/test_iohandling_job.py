"""The main job (examples/failure_per_ply.py) on the user's own cards, run as a user runs it: in a
child process, with its exit status, standard output and standard error. A reader's message is
taken from what the reader itself records for the same cards, never written out here."""
import os
import re
import shutil
import subprocess
import sys

import numpy as np
import pytest

from conftest import error_record, read_job, run_python

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "docs"))
import criteriatables  # noqa: E402

JOB = os.path.join(HERE, "..", "examples", "failure_per_ply.py")
EXAMPLES = os.path.join(HERE, "..", "examples", "cards")
CARDS = ("StepCard.vxd", "SectionCard.vxd", "MaterialCard.vxd", "DamageCard.vxd")


def run_job(*args, code=None):
    """(exit status, standard output, standard error) of the job, or of code that runs it."""
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    cmd = [sys.executable, JOB, *map(str, args)] if code is None else [sys.executable, "-c", code, *map(str, args)]
    r = subprocess.run(cmd, capture_output=True, timeout=120, env=env)
    return r.returncode, r.stdout.decode(), r.stderr.decode()


def cards(d, edits=()):
    """The example cards copied to folder d, then edited: (card, old, new) replaces the first
    old by new, (card, None, None) removes the card."""
    os.makedirs(d, exist_ok=True)
    for name in CARDS:
        shutil.copy(os.path.join(EXAMPLES, name), d)
    for name, old, new in edits:
        path = os.path.join(d, name)
        if old is None:
            os.remove(path)
            continue
        text = open(path).read()
        assert old in text, (name, old)
        open(path, "w").write(text.replace(old, new, 1))
    return d


ROW = re.compile(r"^\s+(\d+)\s+([+-]\d+)\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s+\|(.*)$")


def sections(out):
    """{section id: [(stresses s11, s22, s12, s13, s23), (efforts of the five modes)] per ply}; an
    effort is None where the job shows that nothing is evaluated."""
    found, rows = {}, None
    for line in out.splitlines():
        head = re.match(r"^section (\d+): ", line)
        if head:
            rows = found.setdefault(int(head.group(1)), [])
        elif rows is not None and ROW.match(line):
            m = ROW.match(line)
            efforts = [None if x == "-" else float(x) for x in m.group(8).split() if x != "F"]
            rows.append(([float(m.group(k)) for k in range(3, 8)], efforts))
    return found


@pytest.fixture(scope="module")
def example_run():
    status, out, err = run_job()
    assert (status, err) == (0, "")
    return out


def test_without_arguments_the_example_cards_at_their_first_temperature(example_run):
    assert "\ntemperature 20 (material card: 20, 80)\n" in example_run
    got = sections(example_run)
    assert sorted(got) == [1, 2] and [len(got[1]), len(got[2])] == [8, 4]
    assert all(len(s) == 5 and len(e) == 5 for rows in got.values() for s, e in rows)
    # the example's load, and what the step and damage cards gave, which the efforts do not use
    assert example_run.startswith("load N = [400.  60.  40.] N/mm, transverse shear forces (Q23, Q13) = [12. 20.] "
                                  "N/mm\ntemperature 20")
    assert "\nmoments" not in example_run
    assert ("\nread, and not used by the efforts below: step card (nupdate 5, verbose 1); damage card (2 damages: "
            "fibre at ply 1, matrix at plies 1, 4, 5, delamination at interfaces 2, 6)\n") in example_run


def test_the_legend_says_what_each_number_is(example_run):
    legend = " ".join(example_run.split("\nlegend:\n", 1)[1].split("\n\n", 1)[0].split())
    for said in ("s11 s22 s12 s13 s23: ply stresses at the middle of each ply, in ply axes (1 along the fibres, 3 "
                 "through the thickness), in the units of the moduli (MPa for moduli in MPa); s33 is 0",
                 "forces N and transverse shear forces (Q23, Q13) in N/mm, moments M in N",
                 "in the order H(23,23) H(23,13) H(13,23) H(13,13)",
                 "docs/cards.md says what each takes",
                 "F: failed in that mode (effort 1 or more); -: nothing evaluated (selector 0, a mode without "
                 "criterion, the interface above the top ply)",
                 "delamination of ply k: the interface between ply k and ply k + 1 above it, by ply k's criterion",
                 "1 intact, 1e-20 lost, in the order C11 C12 C22 C44 (12) C55 (13) C66 (23) C13 C23 C33"):
        assert said in legend, said
    # each material's criteria by the guide's names: carbon 1, 3, 5, 1, 0 and glass 0, 1, 2, 1, 0
    names = {m: [d["name"] for d in rows] for m, rows in criteriatables.criteria().items()}
    for mat, plies, flags in ((1, "plies 1 to 8", (1, 3, 5, 1, 0)), (2, "plies 1 to 4", (0, 1, 2, 1, 0))):
        line = ", ".join(f"{m} {f} {names[m][f]}" for m, f in zip(criteriatables.MODES, flags))
        assert f"\n  material {mat} ({plies}): {line}\n" in example_run
    assert ": general 1 max nominal stress, fibre 3 Hashin, matrix 5 Chai, delamination 1 Chai, core 0 none\n" \
        in example_run
    # no number where nothing is evaluated: general of the glass, core everywhere, the top plies' interfaces
    got = sections(example_run)
    for sec, general in ((1, True), (2, False)):
        for p, (_, e) in enumerate(got[sec]):
            top = p == len(got[sec]) - 1
            assert [x is None for x in e] == [not general, False, False, top, True], (sec, p, e)



@pytest.mark.parametrize("folder, edits, args", [
    ("copy", (), ()),
    ("copy", (), ("--temperature", "20")),
    ("copy", (), ("--temperature", "2e1")),
    ("copy", (("StepCard.vxd", None, None), ("DamageCard.vxd", None, None)), ()),
    # not ASCII, and a trailing blank the readers would trim from their workspace
    ("c\u00e4rds ", (), ()),
], ids=["folder", "temperature", "temperature-exponent", "without-optional-cards", "odd-path"])
def test_a_folder_of_the_example_cards_gives_the_example_results(tmp_path, example_run, folder, edits, args):
    # the second section renamed, so that the output shows which folder was read
    d = cards(str(tmp_path / folder), edits + (("SectionCard.vxd", "SecID=2", "SecID=7"),))
    status, out, err = run_job(d, *args)
    assert (status, err) == (0, "")
    expected = example_run.replace("\nsection 2:", "\nsection 7:")
    if edits:
        expected = re.sub(r"\nread, and not used by the efforts below: .*\n",
                          "\nread, and not used by the efforts below: no step card; no damage card\n", expected)
    assert out == expected


MISTAKES = {
    "end-line-missing": ("SectionCard.vxd", "++End Section\n", ""),
    "indented-item": ("SectionCard.vxd", "+Thickness\n0.125", " +Thickness\n0.125"),
    "too-many-selectors": ("MaterialCard.vxd", "0 1 2 1 0", "0 1 2 1 0 7"),
    "factor-row-short": ("MaterialCard.vxd", "0.75 0.75 0.75 0.8", "0.75 0.75 0.75"),
    "update-zero": ("StepCard.vxd", "5\n", "0\n"),
    "interface-outside": ("DamageCard.vxd", "2, 20.0, 12.0, 0", "9, 20.0, 12.0, 0"),
}


@pytest.mark.parametrize("edit", MISTAKES.values(), ids=MISTAKES.keys())
def test_a_reported_mistake_stops_the_job_before_any_result(vx, tmp_path, edit):
    d = cards(str(tmp_path), [edit])
    read_job(vx, d, nsteps=1)
    recorded, message = error_record(vx)
    assert recorded == -2 and message
    status, out, err = run_job(d)
    assert (status, out) == (1, "")
    # the reader's own message, named after the card it was read from
    assert err == f"{os.path.join(d, edit[0])}: {message}\n"


@pytest.mark.parametrize("missing", ["SectionCard.vxd", "MaterialCard.vxd", "folder"])
def test_a_missing_card_is_named(tmp_path, missing):
    d = cards(str(tmp_path / "cards"))
    if missing == "folder":
        shutil.rmtree(d)
        missing = "SectionCard.vxd"
    else:
        os.remove(os.path.join(d, missing))
    status, out, err = run_job(d)
    assert (status, out) == (2, "")
    assert os.path.join(d, missing) in err and "Traceback" not in err


SHIM = """
import runpy, sys
import _vexlan as vx
real = vx.iohandling

class Readers:
    # the real readers, the step reader followed by a warning of its own
    def __getattr__(self, name):
        return getattr(real, name)

    def getstepdatafromfile(self, *args):
        real.getstepdatafromfile(*args)
        vx.errorhandling.xerr(-1, "Warning: step card read with a note", [0], [0.0], [[0]], 1)

vx.iohandling = Readers()
sys.argv = [{job!r}] + sys.argv[1:]
runpy.run_path({job!r}, run_name="__main__")
""".format(job=JOB)


def test_a_warning_is_shown_and_the_next_reader_still_heard(vx, tmp_path, example_run):
    step = os.path.join(str(tmp_path / "a"), "StepCard.vxd")
    status, out, err = run_job(cards(str(tmp_path / "a")), code=SHIM)
    assert status == 0 and out == example_run
    assert err == f"{step}: Warning: step card read with a note\n"
    # cleared after it was shown: a mistake of the section card is the one that stops the job
    d = cards(str(tmp_path / "b"), [MISTAKES["indented-item"]])
    read_job(vx, d, nsteps=1)
    message = error_record(vx)[1]
    status, out, err = run_job(d, code=SHIM)
    assert (status, out) == (1, "")
    assert err.splitlines() == [f"{os.path.join(d, 'StepCard.vxd')}: Warning: step card read with a note",
                                f"{os.path.join(d, 'SectionCard.vxd')}: {message}"]


# Carbon of nine strengths (no interlaminar shear strength), halved at 80 by its factor table;
# its general criterion only, max nominal stress, whose effort halving the strengths doubles.
NINE_STRENGTHS = (
    ("MaterialCard.vxd", "1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0, 90.0",
     "1500.0, 50.0, 50.0, 1200.0, 200.0, 200.0, 80.0, 80.0, 60.0"),
    ("MaterialCard.vxd", "1.0 1.0 1.0 1.0 1.0   1.0 1.0 1.0 1.0 1.0 1.0 1.0 1.0 1.0 1.0\n"
                         "1.0 0.9 1.0 1.0 0.8   1.0 0.8 0.8 0.95 0.85 0.85 0.75 0.75 0.75 0.8",
     "1 1 1 1 1  1 1 1 1 1 1 1 1 1\n1 1 1 1 1  0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5"),
    ("MaterialCard.vxd", "1, 3, 5, 1, 0", "1, 0, 0, 0, 0"),
)


def test_the_temperature_picks_each_materials_block(tmp_path):
    d = cards(str(tmp_path), NINE_STRENGTHS)
    runs = {}
    for t in ("20", "80"):
        status, out, err = run_job(d, "--temperature", t)
        assert (status, err) == (0, "")
        assert f"\ntemperature {t} (material card: 20, 80)\n" in out
        runs[t] = sections(out)
    for (s20, e20), (s80, e80) in zip(runs["20"][1], runs["80"][1]):
        assert s80 == s20 and e20[0] > 0.1
        assert e80[0] == pytest.approx(2 * e20[0], abs=2e-3)
    # the glass has no factor table: its constants of the first block serve at 80
    assert runs["80"][2] == runs["20"][2]


def without_temperatures(d):
    """The material card without its temperatures and, as it then must be, its factor table."""
    path = os.path.join(d, "MaterialCard.vxd")
    text = open(path).read().replace("+Temperature\n20.0, 80.0\n", "")
    text = re.sub(r"\*\* Factors.*\n\+Table, TYPE=TEMPERATURE\n(1\.0 .*\n)+", "", text)
    assert "+Table" not in text and "+Temperature" not in text
    open(path, "w").write(text)
    return d


def test_a_card_without_temperatures_says_so(tmp_path):
    status, out, err = run_job(without_temperatures(cards(str(tmp_path))))
    assert (status, err) == (0, "")
    assert "\ntemperature: none given in the material card\n" in out and len(sections(out)) == 2


@pytest.mark.parametrize("temperatures, asked, listed", [
    (True, "50", ["20", "80"]),
    (False, "20", []),
], ids=["not-in-the-card", "card-without-temperatures"])
def test_a_temperature_the_card_does_not_give_is_refused(tmp_path, temperatures, asked, listed):
    d = cards(str(tmp_path))
    if not temperatures:
        without_temperatures(d)
    status, out, err = run_job(d, "--temperature", asked)
    assert (status, out) == (2, "")
    assert os.path.join(d, "MaterialCard.vxd") in err
    # the temperatures it does give, listed after the card's name
    assert re.findall(r"\b\d+\b", err.split("MaterialCard.vxd", 1)[1]) == listed


@pytest.mark.parametrize("args, load, moments, shear", [
    (("--load", 0, 0, 0, 100, 0, 0), "[0. 0. 0.]", "[100.   0.   0.]", "[0. 0.]"),
    (("--shear", 20, 0), "[0. 0. 0.]", None, "[20.  0.]"),
    (("--load", 400, 0, 0, 0, 0, 0), "[400.   0.   0.]", None, "[0. 0.]"),
], ids=["moment", "shear", "force"])
def test_once_a_load_or_shear_is_given_the_other_is_zero(args, load, moments, shear):
    status, out, err = run_job(*args)
    assert (status, err) == (0, "")
    assert out.startswith(f"load N = {load} N/mm, transverse shear forces (Q23, Q13) = {shear} N/mm\n"
                          + (f"moments M = {moments} N\n" if moments else "") + "temperature 20")
    # stresses s11, s22, s12 from the load, s13, s23 from the shear forces alone
    loaded, free = (slice(3, 5), slice(0, 3)) if "--shear" in args else (slice(0, 3), slice(3, 5))
    for rows in sections(out).values():
        assert all(x == 0 for stress, _ in rows for x in stress[free])
        assert any(x != 0 for stress, _ in rows for x in stress[loaded])


def test_load_and_shear_forces_reach_their_components():
    # the glass cross-ply [0/90]s is square-symmetric: its 90-degree ply under Ny carries what
    # its 0-degree ply carries under Nx
    runs = {}
    for name, args in {"nx": ("--load", 400, 0, 0, 0, 0, 0), "ny": ("--load", 0, 400, 0, 0, 0, 0),
                       "q23": ("--load", 0, 0, 0, 0, 0, 0, "--shear", 20, 0),
                       "q13": ("--load", 0, 0, 0, 0, 0, 0, "--shear", 0, 20),
                       "negative": ("--load", "-4e2", 0, 0, 0, 0, 0, "--shear", 0, 0)}.items():
        status, out, err = run_job(*args)
        assert (status, err) == (0, "")
        runs[name] = [s for s, _ in sections(out)[2]]
    assert runs["nx"][0][:2] == pytest.approx(runs["ny"][1][:2], abs=0.02) and runs["nx"][0][0] > 100
    assert runs["nx"][0][2] == 0 and runs["ny"][1][2] == 0
    assert runs["negative"][0][0] < -100
    # Q13 acts along x: on the 0-degree plies across the fibres' 1-3 plane, on the 90-degree ones in 2-3
    for q, on0, on90 in (("q13", 3, 4), ("q23", 4, 3)):
        for p, s in enumerate(runs[q]):
            hit, free = (on0, on90) if p in (0, 3) else (on90, on0)
            assert abs(s[hit]) > 5 and abs(s[free]) < 0.01, (q, p, s)


@pytest.mark.parametrize("args", [
    ("--load", 1, 2, 3),
    ("--load", "nan", 0, 0, 0, 0, 0),
    ("--shear", 1, "inf"),
    ("--temperature", "warm"),
])
def test_bad_arguments_are_refused(args):
    status, out, err = run_job(*args)
    assert (status, out) == (2, "")
    assert "usage:" in err


def test_cards_that_read_but_give_no_laminate_stop_the_job(tmp_path):
    # the glass without constants reads (+Elastic is not needed), but its laminate is singular;
    # that is said before the damage card is read, which holds a mistake of its own
    d = cards(str(tmp_path / "a"), [("MaterialCard.vxd", "+Elastic\n40000.0 9800.0 9800.0 0.30 0.30 0.40 4500.0 "
                                                         "4500.0 3500.0\n", ""), MISTAKES["interface-outside"]])
    # a section card without blocks reads without a word: one section of one ply, nothing in it
    e = cards(str(tmp_path / "b"), [("DamageCard.vxd", None, None)])
    open(os.path.join(e, "SectionCard.vxd"), "w").write("** no section yet\n")
    for folder, where in ((d, "section 2, ply 1: material 2"), (e, os.path.join(e, "SectionCard.vxd"))):
        status, out, err = run_job(folder)
        assert (status, out) == (1, "")
        assert where in err and "Traceback" not in err


def test_an_error_recorded_while_computing_stops_the_job_before_any_result(vx, tmp_path):
    # without strengths the glass's efforts are not finite, which its first criterion records:
    # the fibre effort (max nominal stress) of ply 1 of section 2
    d = cards(str(tmp_path), [("MaterialCard.vxd", "+Strength\n1000.0 40.0 40.0 700.0 140.0 140.0 70.0 70.0 50.0 "
                                                   "60.0\n", "")])
    status, out, err = run_job(d)
    vx.damage.fiberbreakage(np.ones(6), np.ones((9, 1, 1), order="F"), np.zeros((10, 1, 1), order="F"),
                            np.zeros((1, 1), order="F"), 1, 1, 1)
    recorded, message = error_record(vx)
    assert recorded == -2
    assert (status, out, err) == (1, "", f"section 2, ply 1, fibre: {message}\n")


def test_a_warning_recorded_while_computing_is_shown_and_the_job_goes_on(vx, tmp_path, example_run):
    # Christensen's fibre criterion on the 90-degree glass plies, whose s22 is more than twice
    # their s11: its root is negative, a note (-1) and the effort 0
    d = cards(str(tmp_path), [("MaterialCard.vxd", "+Failure\n0 1 2 1 0", "+Failure\n0 5 2 1 0")])
    status, out, err = run_job(d)
    vx.fbcollection.fbchristensen(67.9, 158.4, 0.0, 1000.0, 700.0)
    recorded, message = error_record(vx)
    assert recorded == -1
    assert status == 0
    assert err.splitlines() == [f"section 2, ply {p}, fibre: {message}" for p in (2, 3)]
    got, example = sections(out), sections(example_run)
    assert got[1] == example[1]
    for (stress, e), (_, e0) in zip(got[2], example[2]):
        assert e[:1] + e[2:] == e0[:1] + e0[2:]  # the other modes as in the example
        s11, s22 = stress[:2]
        b, c = (1 / 1000 - 1 / 700) * s11, s11 ** 2 / 700e3 - (1 / 1000 + 1 / 700) ** 2 * s11 * s22 / 4
        assert e[1] == (0.0 if b * b + 4 * c < 0 else pytest.approx(2 * c / (np.sqrt(b * b + 4 * c) - b), abs=2e-3))
    assert "material 2 (plies 1 to 4): general 0 none, fibre 5 Christensen," in out


def test_readme_snippet_prints_nothing_when_nothing_failed():
    readme = open(os.path.join(HERE, "..", "README.md")).read()
    snippet = re.search(r"```python\n(.*?)```", readme, re.S).group(1)
    assert "np.zeros((3, 3))" in snippet
    # a regular matrix: no failure, and an unset message must not leak its zero bytes
    out, status = run_python(snippet.replace("np.zeros((3, 3))", "np.eye(3)"))
    assert (status, out) == (0, b"")


@pytest.mark.parametrize("text", ["", "** no section yet\n"], ids=["empty", "comment-only"])
def test_a_section_card_without_blocks_is_reported_before_the_damage_card_is_read(tmp_path, text):
    # the damage card's plies would lie outside a model of one ply: it is not the card to blame
    d = cards(str(tmp_path))
    path = os.path.join(d, "SectionCard.vxd")
    open(path, "w").write(text)
    assert (run_job(d)) == (1, "", f"{path}: no section block\n")


def test_a_reader_warning_recorded_as_an_error_stops_the_job(vx, tmp_path):
    # a ply of a material that the material card does not define: worded a warning, recorded at -2
    d = cards(str(tmp_path), [("SectionCard.vxd", "2 2 2 2", "2 2 4 2")])
    read_job(vx, d, nsteps=1)
    recorded, message = error_record(vx)
    assert recorded == -2 and message == "Warning: no material block for material id 4"
    assert run_job(d) == (1, "", f"{os.path.join(d, 'MaterialCard.vxd')}: {message}\n")
