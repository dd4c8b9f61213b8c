"""Routine documentation: header doc comments, their reader, and the docstrings
they become."""
import ctypes
import importlib
import importlib.util
import pathlib
import re
import subprocess
import sys

import pytest

from conftest import _find_native_library

ROOT = pathlib.Path(__file__).resolve().parents[1]
HEADERS = sorted((ROOT / "include" / "vexlan").glob("*.h"))
_spec = importlib.util.spec_from_file_location("docgen", ROOT / "binding" / "docgen.py")
docgen = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(docgen)

SECTIONS = ("Parameters", "Other Parameters", "Returns", "Notes")


def _components():
    try:
        vx = importlib.import_module("_vexlan")
    except ImportError:
        return []
    # enginetest holds the binding's own test rows of development builds.
    return sorted(n for n in dir(vx) if type(getattr(vx, n)).__name__ == "component" and n != "enginetest")


def _routines(vx, comp):
    c = getattr(vx, comp)
    return [(n, getattr(c, n)) for n in dir(c) if type(getattr(c, n)).__name__ == "routine"]


def _split_doc(doc):
    """(description, {entry name: text under it}) of a docstring."""
    lines = doc.split("\n")
    desc, entries, k = [], {}, 2
    while k < len(lines) and lines[k] not in SECTIONS:
        desc.append(lines[k])
        k += 1
    cur = None
    for ln in lines[k:]:
        if ln in SECTIONS or set(ln) == {"-"} or ln.startswith("Call-back functions"):
            cur = None
        elif ln and not ln.startswith(" ") and " : " in ln:
            cur = ln.split(" : ")[0]
            entries[cur] = []
        elif cur is not None and ln.startswith("    ") and not ln.strip().startswith("Default:"):
            entries[cur].append(ln.strip())
    return "\n".join(desc).strip(), {k: " ".join(v) for k, v in entries.items()}


def _symbols_by_address():
    """Every header prototype's address in the module, so that a routine's
    pointer names its C symbol."""
    lib = ctypes.CDLL(_find_native_library())
    out = {}
    for h in HEADERS:
        for p in docgen.parse_header(str(h)):
            try:
                out[ctypes.cast(getattr(lib, p.name), ctypes.c_void_p).value] = p
            except AttributeError:
                pass
    return out


@pytest.fixture(scope="module")
def symbols():
    return _symbols_by_address()


def _symbol_of(routine, symbols):
    get = ctypes.pythonapi.PyCapsule_GetPointer
    get.restype, get.argtypes = ctypes.c_void_p, [ctypes.py_object, ctypes.c_char_p]
    return symbols.get(get(routine._cpointer, None))


@pytest.mark.parametrize("comp", _components())
def test_every_routine_says_what_it_does(vx, comp, symbols):
    """A description of at least one sentence and a text under every argument;
    where the routine's C symbol has a doc comment, its texts unchanged (matched
    by lower-case argument name, the function result under the routine's name)."""
    lacking, matched = [], 0
    for name, r in _routines(vx, comp):
        desc, entries = _split_doc(r.__doc__)
        p = _symbol_of(r, symbols)
        label = "%s (%s)" % (name, p.name if p else "no header prototype")
        if desc.startswith("Wrapper for") or not re.search(r"[A-Za-z]+\W+[A-Za-z]+.*\.", desc, re.S):
            lacking.append(label + ": no description")
            continue
        bare = [a for a, t in entries.items() if not t and not a.startswith("overwrite_")
                and not a.endswith("_extra_args")]
        if bare:
            lacking.append(label + ": nothing said of " + ", ".join(bare))
        if p is None or p.doc is None or not p.doc.has_description():
            continue
        assert " ".join(desc.split()).lower() == " ".join(" ".join(p.doc.description).split()).lower(), name
        for arg, text in p.doc.texts_for(p).items():
            key = name if arg == docgen.RET else arg.lower()
            if key in entries and text:
                assert " ".join(entries[key].split()) == " ".join(text.split()), (name, arg)
        matched += 1
    assert not lacking, "%d routines of %s lack documentation:\n  %s" % (len(lacking), comp, "\n  ".join(lacking))
    assert matched or not _routines(vx, comp), "no routine of %s found its header comment" % comp


@pytest.mark.parametrize("header", HEADERS, ids=lambda h: h.name)
def test_every_prototype_is_documented(header):
    found = docgen.findings(str(header))
    assert not found, "%s:\n  %s" % (header.name, "\n  ".join(
        (n + ": " if n else "") + w for n, w in found))


# ---------------------------------------------------------------- the reader

GOOD = """\
/* File banner: documents nothing. */

/* PairA / PairB: first and second of a pair.
 * Second description line.
 *   x, y     (in)  the inputs; x of PairA, y of PairB
 *   s11..s13 (out) three stresses, continued
 *            on a second line
 *   result   (ret) the value */
double PairA(const double* x, double* s11, double* s12,
             double* s13);
double PairB(const double* y, double* s11, double* s12, double* s13);

/* Lone: a routine with a parameter called result and a text.
 *   result  (out) the output
 *   name    (in, optional) a name */
void Lone(double* result, const char* name, size_t name_len);

/* LongA,
 * LongB: names that go on to the next line.
 *   v (in) value */
void LongA(const double* v);
void LongB(const double* v);

/* A remark above a prototype that names no routine is no doc comment. */
void Bare(const int32_t* n);

/* Layout: a description that holds a record layout:
 *   record (4): bounding interface, first ply
 *   n_a (ply count) stays text: no parameter of that name
 *   n   (in) the count */
void Layout(const int32_t* n);
"""


def test_reader_groups_ranges_and_results(tmp_path):
    h = tmp_path / "good.h"
    h.write_text(GOOD)
    protos = {p.name: p for p in docgen.parse_header(str(h))}
    a, b, lone = protos["PairA"], protos["PairB"], protos["Lone"]
    assert a.doc is b.doc and a.doc.description == ["first and second of a pair.", "Second description line."]
    assert a.doc.texts_for(a) == {
        "x": "the inputs; x of PairA, y of PairB", docgen.RET: "the value",
        "s11": "three stresses, continued\non a second line", "s12": "three stresses, continued\non a second line",
        "s13": "three stresses, continued\non a second line"}
    assert set(b.doc.texts_for(b)) == {"y", "s11", "s12", "s13", docgen.RET}
    assert lone.doc.texts_for(lone) == {"result": "the output", "name": "a name", docgen.RET: "the output"}
    assert protos["LongA"].doc is protos["LongB"].doc
    assert protos["LongB"].doc.description == ["names that go on to the next line."]
    assert protos["Bare"].doc is None
    lay = protos["Layout"]
    assert lay.doc.texts_for(lay)["n"] == "the count" and lay.doc.description[1].strip() == "record (4): bounding interface, first ply"
    assert docgen.findings(str(h)) == [("Bare", "no description")]
    out = tmp_path / "t.cpp"
    assert docgen.main([str(out), str(h)]) == 0
    table = out.read_text()
    assert re.search(r'\{"PairA", "First and second of a pair. Second description line.", '
                     r'"First and second of a pair.", a\d+\}', table)
    assert '"(ret)", "the value"' in table and "Bare" not in table


@pytest.mark.parametrize("comment, proto, line, message", [
    ("/* A / C: names a routine that is not there.\n *   x (in) x */",
     "void A(const double* x);\nvoid B(const double* x);", 3, "the comment names C, but documents A, B"),
    ("/* A: the group goes on without a name.\n *   x (in) x */",
     "void A(const double* x);\nvoid B(const double* x);", 3, "B follows the comment of A"),
    ("/* A: an argument that is not there.\n *   y (in) y */", "void A(const double* x);", 4, "y is not a parameter"),
    ("/* A: a range that is not there.\n *   x..z (in) y */", "void A(const double* x);", 4, "x..z is not a parameter"),
    ("/* A: an intent spelled otherwise.\n *   x (inout) x */", "void A(double* x);", 4, "unknown intent (inout)"),
    ("/* B: names another routine than the one below.\n *   x (in) x */",
     "void A(const double* x);", 3, "the comment names B, but documents A"),
    ("/* Note: a remark that reads like a doc comment.\n *   x (in) x */",
     "void A(const double* x);", 3, "the comment names Note, but documents A"),
    ("/* A: the first intent capitalised.\n *   x (In) x */", "void A(double* x);", 4, "unknown intent (In)"),
    ("/* A: a later intent misspelt.\n *   x (in) x\n *   y (optional) y */",
     "void A(double* x, double* y);", 5, "unknown intent (optional)"),
    ("/* A: a result with a misspelt intent.\n *   x (in) x\n *   result (return) r */",
     "double A(const double* x);", 5, "unknown intent (return)"),
    ("/* A: a result of a routine without one.\n *   x (in) x\n *   result (ret) r */",
     "void A(const double* x);", 5, "result is not a function result"),
    ("/* A: ret on a parameter.\n *   x (ret) x */", "double A(const double* x);", 4, "(ret) belongs to the line"),
    ("/* A: a bad name.\n *   x+1 (in) x */", "void A(const double* x);", 4, "neither a name nor a range"),
    ("/* A: never closed.\n *   x (in) x", "void A(const double* x);", 3, "comment not closed"),
])
def test_reader_stops_the_build_on_malformed_comments(tmp_path, comment, proto, line, message):
    h = tmp_path / "bad.h"
    h.write_text("#include <stdint.h>\n\n" + comment + "\n" + proto + "\n")
    r = subprocess.run([sys.executable, str(ROOT / "binding" / "docgen.py"), str(tmp_path / "t.cpp"), str(h)],
                       capture_output=True, text=True, timeout=60)
    assert r.returncode == 1 and not (tmp_path / "t.cpp").exists()
    assert "%s:%d: " % (h, line) in r.stderr and message in r.stderr, r.stderr


def test_reader_lists_layout_faults_without_stopping(tmp_path):
    h = tmp_path / "loose.h"
    h.write_text("/* A:\n *   x (in) the input\n * y (in) squeezed against the star\n */\n"
                 "void A(const double* x, const double* y);\n")
    found = docgen.findings(str(h))
    assert ("", "line 1: no description after 'A:'") in found
    assert any(w.startswith("line 3: neither an argument line") for _, w in found)
    assert ("A", "no argument line for y") in found
    assert ("A", "no description") in found


# ------------------------------------------------------ the component lists

def _component_entries(doc):
    """{signature line: summary text} of the Routines list of a component's
    docstring, in order."""
    lines = doc.split("\n")
    k = lines.index("Routines:") + 1
    out, cur = {}, None
    while k < len(lines) and lines[k]:
        ln = lines[k]
        if ln.startswith("      "):
            out[cur].append(ln.strip())
        else:
            assert ln.startswith("  ") and not ln.startswith("   "), ln
            cur = ln.strip()
            assert cur not in out, cur
            out[cur] = []
        k += 1
    return {s: " ".join(t) for s, t in out.items()}


@pytest.mark.parametrize("comp", _components())
def test_component_doc_lists_signature_and_summary(vx, comp):
    """help() of a component shows every routine's Python signature with the
    first sentence of its description under it, so that a routine is found
    by what it does."""
    c = getattr(vx, comp)
    routines = _routines(vx, comp)
    if not routines:
        assert "Routines:" not in c.__doc__
        return
    listed = _component_entries(c.__doc__)
    assert len(listed) == len(routines)
    for name, r in routines:
        sig = r.__doc__.split("\n")[0]
        assert sig in listed, (comp, name)
        desc = _split_doc(r.__doc__)[0]
        first = listed[sig]
        # A whole sentence, and the start of the description.
        assert first.endswith(".") and " ".join(desc.split()).startswith(first), (name, first)
        assert first == " ".join(docgen.summary(desc).split()), name


@pytest.mark.parametrize("desc, first", [
    ("Dot product c = a . b of two vectors. More.", "Dot product c = a . b of two vectors."),
    ("Scaled copy (e.g. a unit vector) of x; i.e. x / c. Then more.", "Scaled copy (e.g. a unit vector) of x; i.e. x / c."),
    ("Ratio 0.5 of n. n below 1 writes nothing.", "Ratio 0.5 of n."),
    ("Ends without a full stop", "Ends without a full stop"),
    ("Steps ... of a series. Next.", "Steps ... of a series."),
])
def test_summary_is_the_first_sentence(desc, first):
    assert docgen.summary(desc, width=1000) == first
