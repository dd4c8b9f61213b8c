"""The main job (examples/failure_per_ply.py) on the user's own cards, run as a user runs it: in a
child process, with its exit status, standard output and standard error. A reader's message is
taken from what the reader itself records for the same cards, never written out here."""
import os
import re
import shutil
import subprocess
import sys

import pytest

from conftest import error_record, read_job, run_python

HERE = os.path.dirname(os.path.abspath(__file__))
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
    """{section id: [(stresses s11, s22, s12, s13, s23), (efforts of the five modes)] per ply}."""
    found, rows = {}, None
    for line in out.splitlines():
        head = re.match(r"^section (\d+): ", line)
        if head:
            rows = found.setdefault(int(head.group(1)), [])
        elif rows is not None and ROW.match(line):
            m = ROW.match(line)
            efforts = [float(x) for x in m.group(8).split() if x != "F"]
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
    assert out == example_run.replace("\nsection 2:", "\nsection 7:")


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
    # the glass without constants reads (+Elastic is not needed), but its laminate is singular
    d = cards(str(tmp_path / "a"), [("MaterialCard.vxd", "+Elastic\n40000.0 9800.0 9800.0 0.30 0.30 0.40 4500.0 "
                                                         "4500.0 3500.0\n", "")])
    # a section card without blocks reads without a word: one section of one ply, nothing in it
    e = cards(str(tmp_path / "b"), [("DamageCard.vxd", None, None)])
    open(os.path.join(e, "SectionCard.vxd"), "w").write("** no section yet\n")
    for folder, where in ((d, "section 2, ply 1: material 2"), (e, os.path.join(e, "SectionCard.vxd"))):
        status, out, err = run_job(folder)
        assert (status, out) == (1, "")
        assert where in err and "Traceback" not in err


def test_an_error_recorded_while_computing_ends_with_status_1(vx, tmp_path):
    # without strengths the glass's efforts are not finite, which its criteria record
    d = cards(str(tmp_path), [("MaterialCard.vxd", "+Strength\n1000.0 40.0 40.0 700.0 140.0 140.0 70.0 70.0 50.0 "
                                                   "60.0\n", "")])
    status, out, err = run_job(d)
    assert status == 1 and sections(out)[2]
    assert len(err.splitlines()) == 1 and "(status -2)" in err


def test_readme_snippet_prints_nothing_when_nothing_failed():
    readme = open(os.path.join(HERE, "..", "README.md")).read()
    snippet = re.search(r"```python\n(.*?)```", readme, re.S).group(1)
    assert "np.zeros((3, 3))" in snippet
    # a regular matrix: no failure, and an unset message must not leak its zero bytes
    out, status = run_python(snippet.replace("np.zeros((3, 3))", "np.eye(3)"))
    assert (status, out) == (0, b"")
