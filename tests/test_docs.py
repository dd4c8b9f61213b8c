"""Routine documentation: header doc comments, their reader, and the docstrings
they become."""
import ctypes
import importlib
import importlib.util
import pathlib
import re
import subprocess
import sys

import numpy as np
import pytest

from binding_sweep import extent_arguments
from conftest import _find_native_library, error_record, run_python

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
    ("A vector in the order the routine names:\n- Nye: 11, 22. Next.", "A vector in the order the routine names:"),
    ("Records status\n-2 and gives 0. Next.", "Records status -2 and gives 0."),
    ("Two lines\nof one sentence; then.\n\nA paragraph.", "Two lines of one sentence; then."),
])
def test_summary_is_the_first_sentence(desc, first):
    assert docgen.summary(desc, width=1000) == first


def test_description_keeps_lists_and_joins_carried_minus_signs():
    """A '- ' line after a sentence, colon or semicolon is a list item; a
    minus carried to the start of a line continues the paragraph, and no
    filled line starts with one."""
    src = ["Records status", "-2 and gives (1", "- nu) / 2. By routine:", "- A: the first;", "  continued",
           "- B: the second.", "Then a paragraph whose words run on for long enough to be filled over more",
           "than one line, ending in x -1 and (a - b)."]
    assert docgen._reflow(src, width=30).split("\n") == [
        "Records status -2 and gives", "(1 - nu) / 2. By routine:", "- A: the first;", "  continued",
        "- B: the second.", "Then a paragraph whose words", "run on for long enough to be", "filled over more than one",
        "line, ending in x -1 and (a -", "b)."]


# ------------------------------------- what the docstrings promise, tried

def _native(lib, symbol, *args):
    """Calls an exported routine with every argument by reference: numpy
    arrays by their data, ints as 32-bit integers, floats as doubles, bools
    as 1-byte flags."""
    def ref(a):
        if isinstance(a, ctypes.c_size_t):  # a hidden text length, by value
            return a
        if isinstance(a, np.ndarray):
            return a.ctypes.data_as(ctypes.c_void_p)
        if isinstance(a, bool):
            return ctypes.byref(ctypes.c_int8(a))
        if isinstance(a, int):
            return ctypes.byref(ctypes.c_int32(a))
        return ctypes.byref(ctypes.c_double(a))
    f = getattr(lib, symbol)
    f.restype = None
    f(*[ref(a) for a in args])


def _vec(*v):
    return np.array(v, dtype=float)


PLY = _vec(140e3, 10e3, 9e3, 0.3, 0.28, 0.45, 5e3, 4.5e3, 3.5e3)

# Arguments that a docstring says Python refuses before the call, with the
# class it names: every refusal is a _vexlan.error; a size refused derives
# from ValueError as well (None: the module's error alone).
REFUSED = [
    ("math", "nearestinterpolation", (_vec(1, 2, 3), _vec(1, 2), _vec(1.5)), ValueError),
    ("math", "nearestinterpolation", (_vec(), _vec(), _vec(1.5)), ValueError),
    ("math", "linearinterpolation", (_vec(1, 2, 3), _vec(1, 2), _vec(1.5)), ValueError),
    ("math", "linearinterpolation", (_vec(1), _vec(1), _vec(1.5)), ValueError),
    ("math", "cubichermitianinterpolation", (_vec(1, 2, 3), _vec(1, 2), _vec(1.5)), ValueError),
    ("math", "cubichermitianintegration", (_vec(1, 2, 3), _vec(1, 2), 0.0, 1.0), ValueError),
    ("math", "trapezoidintegration", (_vec(1, 2, 3), _vec(1, 2)), ValueError),
    ("math", "polynomialfitting", (_vec(1, 2, 3), _vec(1, 2), 1), ValueError),
    ("math", "polynomialfitting", (_vec(1, 2, 3), _vec(1, 2, 3), -1), None),
    ("evocollection", "equivalentquadstressstrain", (np.ones(6), 4), None),
    ("fracture", "getequivalentmixedmodeerr", (_vec(1, 1, 1), _vec(1, 2)), ValueError),
    ("elasticity", "getlamestress", (0.1, np.zeros((4, 4)), 1.0, 1.0), ValueError),
    ("elasticity", "getlamestress", (0.1, np.zeros((3, 2)), 1.0, 1.0), ValueError),
    ("elasticity", "getkrausestress", (1.0, 1.0, 0.1, np.zeros((4, 4)), 1.0, 1.0, 1.0, 1.0), ValueError),
    ("elasticity", "getkaestnerstress", (1.0, 1.0, 0.1, np.zeros((4, 4)), 1.0, 1.0, 1.0, 1.0), ValueError),
    ("elasticity", "getstressfromnonconstpoisson", (1.0, 1.0, 0.1, np.zeros((4, 4)), 1.0, 1.0, 0.3, 0.0, 1.0),
     ValueError),
    ("elasticity", "getstressfromorthotropicelasticity", (np.full(5, 1e-3), PLY, 3), ValueError),
    ("elasticity", "getstressfromorthotropicelasticity", (np.full(3, 1e-3), PLY, 4), ValueError),
    ("elasticity", "getstressfromisotropicviscoelasticity", (np.zeros(6), _vec(3e3, 0.1, 0.35, 0, 1), 2), ValueError),
    ("elasticity", "getstressfromnonlinearisotropic", (np.zeros(6), _vec(3e3, 0.1, 1e3, 0.35), 3), ValueError),
    ("elasticity", "real_getstressfromanisotropichyperelasticity", (np.ones(3), _vec(1, 2, 3, 4, 5), 2), ValueError),
    ("elasticity", "cmplx_getstressfromanisotropichyperelasticity",
     (np.ones(3, complex), _vec(1, 2, 3, 4, 5), 2), ValueError),
    ("elasticity", "getstressfromdevvoldecomposition", (np.zeros(6), _vec(0, 0, 0, 1), 3), ValueError),
    ("elasticity", "getstressfromdevvoldecomposition", (np.zeros(6), _vec(0, 0, 0, 0, 1), 2), ValueError),
    ("elasticity", "getstressfromcubicelasticity", (np.zeros(4), _vec(300, 1), 3, _vec(0), 1), ValueError),
    ("elasticity", "getstressfromplastitcity", (0.0, np.zeros(6), np.zeros(6), np.ones(7), 3, 7, 300.0), ValueError),
    ("elasticity", "getderivatef", (_vec(1, 2, 3, 4, 5), 0.0, 1.0), ValueError),
    ("resin", "getresinproperties", (np.ones(19), 300.0, 0), ValueError),
    ("resin", "getresinproperties", (np.ones(30), 300.0, 0), ValueError),
    ("resin", "getresinplasticproperties", (np.ones(30), 300.0, 0.0), ValueError),
    ("resin", "getresinorthotropicproperties", (np.ones(19), 300.0, 0.0, np.zeros(6), np.zeros(6), 1, 0.0), ValueError),
    ("resin", "equivalentstrain", (_vec(1, 2, 3, 4, 5), 3), ValueError),
    ("resin", "endochroneviscoplasticity",
     (np.zeros(6), np.zeros(6), np.ones(10), np.zeros(6), np.zeros(42), 0.1, 1, 1), ValueError),
    ("resin", "endochroneviscoplasticity",
     (np.zeros(6), np.zeros(6), np.ones(11), np.zeros(6), np.zeros(41), 0.1, 1, 1), ValueError),
    ("micromechanic", "lth", (_vec(230e3, 15e3, 15e3, 5e3, 0.2), _vec(3.5e3, 0.35, 1, 1), 0.6, 1, 1), ValueError),
    ("stringhandling", "uppercase", ("abc", 5), ValueError),
    ("interaction", "contactlaw", (0.0, np.ones(6), 0), ValueError),
    ("interaction", "contactstiffness", (np.ones(7), 0), ValueError),
    ("interaction", "contactdepth", (np.ones(3), 2), ValueError),
    ("interaction", "contactradius", (np.ones(3), 5), ValueError),
    ("utility", "getunpackedtriangle", (_vec(1, 2, 3), 3, "F"), ValueError),
    ("utility", "fillmatrixoffdiagonals", (np.zeros((3, 3), order="F"), _vec(1, 2, 3, 4)), ValueError),
    ("utility", "processlock", (1, 536870913), None),
    ("nlcollection", "nlmahieux", (1.0, _vec(1), _vec(), -1), ValueError),
]


@pytest.mark.parametrize("comp, name, args, cls", REFUSED, ids=[
    "%s-%d" % (r[1], k) for k, r in enumerate(REFUSED)])
def test_python_refusals_the_docstrings_name(vx, comp, name, args, cls):
    r = getattr(getattr(vx, comp), name)
    doc = " ".join(r.__doc__.split())
    at = doc.lower().find("from python")
    assert at >= 0, name
    assert (cls.__name__ if cls else "_vexlan.error") in doc[at:at + 400], name
    with pytest.raises(vx.error) as raised:
        r(*args)
    assert isinstance(raised.value, ValueError) == (cls is ValueError), name
    assert error_record(vx)[0] == 0


_C_ONLY = re.compile(r"\bfrom C\b|\bC call|\bC caller", re.I)


def _negative_extent_claims(doc, e):
    """(sentences that say what extent e does below 1, negative or at any
    value but the listed ones, those of them a Python caller may take for
    itself): a sentence about a C caller, one that names the ValueError, or a
    docstring that says how Python refuses a negative e leaves none of the
    second kind."""
    desc, entries = _split_doc(doc)
    sentences = re.split(r"(?<=\.)\s+(?=[A-Z])", " ".join(desc.split()))
    sentences += [" ".join(t.split()) for a, t in entries.items() if a != e]
    about = re.compile(r"\b{0} (?:below|<=?) ?\d|negative {0}\b|\b{0} other than|(?:another|any other) {0}\b"
                       r"|\ban extent below \d".format(e), re.I)
    claims = [s for s in sentences if about.search(s)]
    own = " ".join(entries.get(e, "").split())
    if re.search(r"\bbelow \d|<=? ?\d|\bnegative\b", own):
        claims.append(own)
    told = any("ValueError" in s and (re.search(r"negative (?:\w+ or )?(?:%s|extents?)\b" % e, s)
                                      or re.search(r"from Python", s, re.I) and "refused" in s)
               for s in sentences + [own])
    return claims, [] if told else [s for s in claims if not _C_ONLY.search(s) and "ValueError" not in s]


def test_what_a_negative_extent_does_is_said_for_python_too(vx):
    """The binding refuses a negative extent before the call, so a docstring
    that says what one does (writes nothing, gives 0, records a status) says
    so for a C caller only, or says that Python raises ValueError."""
    examined, untold = 0, []
    for comp in _components():
        for name, r in _routines(vx, comp):
            for e, _ in extent_arguments(r.__doc__):
                claims, bare = _negative_extent_claims(r.__doc__, e)
                examined += len(claims)
                untold += ["%s.%s (%s): %s" % (comp, name, e, s[:120]) for s in bare]
    assert not untold, "\n  ".join(["negative extents said for Python as for C:"] + untold)
    # The docstrings are read as intended: the fill family, the norms, the
    # notations and the element routines all say what such extents do.
    assert examined > 100, examined


def _nan(n):
    return np.full(n, np.nan)


# The native failures those docstrings describe for a C caller: (symbol,
# arguments as a function of freshly made output buffers, status, start of the
# message, the outputs afterwards). Failures that a component's own tests
# already call natively (the stress laws, resin constants, LTH, the contact
# laws) are not repeated here.
def _c_cases():
    cases = []

    def case(symbol, make, call, status, message, expect):
        cases.append(pytest.param(symbol, make, call, status, message, expect, id=symbol + "-%d" % len(cases)))
    case("polynomialfitting", lambda: [np.full(2, 7.0)],
         lambda o: (o[0], _vec(1, 2, 3), 3, _vec(1, 2), 2, 1), -2, "Problem in polynom fitting function",
         [np.zeros(2)])
    case("polynomialfitting", lambda: [np.full(2, 7.0)],
         lambda o: (o[0], _vec(1, 2, 3), 3, _vec(1, 2, 3), 3, -1), -2, "Problem in polynom fitting function",
         [np.full(2, 7.0)])
    case("EquivalentQuadStressStrain", lambda: [np.full(1, 7.0)], lambda o: (np.ones(6), 4, o[0]), -2,
         "Error in EquivalentQuadStressStrain: nn must be 1, 2 or 3.", [np.full(1, 7.0)])
    case("GetEquivalentMixedModeERR", lambda: [np.full(1, 7.0)], lambda o: (o[0], _vec(1, 1, 1), _vec(1, 2), 2),
         -2, "Fewer than 3 critical values in GetEquivalentMixedModeERR", [_nan(1)])
    case("GetStressFromOrthotropicElasticity", lambda: [np.full(1, 7.0)],
         lambda o: (o[0], np.full(1, 1e-3), PLY, 0, 0, 9), 0, "", [np.full(1, 7.0)])
    case("GetStressFromCubicElasticity", lambda: [np.full(6, 7.0)],
         lambda o: (o[0], np.zeros(6), _vec(300, 1), 5, 3, 2, _vec(0), 1), -2,
         "Unsupported dimension in GetStressFromCubicElasticity", [np.r_[_nan(5), 7.0]])
    case("getderivatef", lambda: [np.full(6, 7.0)], lambda o: (o[0], _vec(1, 2, 3), 3, 0.0, 1.0), 0, "",
         [_vec(2 * 1 - 2 - 1 / 3, 2 * 2 - 1 - 1 / 3, -3 - 1 / 3, 18, 0, 0)])
    case("EquivalentStrain", lambda: [np.full(1, 7.0)], lambda o: (_vec(1, 2, 3, 4, 5), o[0], 3, 5), -2,
         "Unsupported length of TVoigt in GetTensorComponents", [np.zeros(1)])
    case("GetResinOrthotropicProperties", lambda: [np.full(1, 7.0) for _ in range(18)],
         lambda o: (np.ones(19), 19, 300.0, 0.0, np.zeros(6), np.zeros(6), *o, 1, 0.0), -2,
         "Too few resin constants in GetResinProperties", [_nan(1)] * 17 + [np.full(1, 7.0)])
    case("GetNyeStiffnessMatrix", lambda: [np.full((5, 5), 7.0, order="F")], lambda o: (o[0], PLY, 5, 1), -2,
         "Unsupported dimension in GetNyeStiffnessMatrix", [np.zeros((5, 5))])
    case("GetElemOutputFrom3D", lambda: [np.full(5, 7.0), np.full((5, 5), 7.0, order="F")],
         lambda o: (o[0], o[1], np.ones(6), np.eye(6), 5, False), -2,
         "Unsupported number of components in GetElemOutputFrom3D", [np.full(5, 7.0), np.full((5, 5), 7.0)])
    case("GetUnpackedTriangle", lambda: [np.full((3, 3), 7.0, order="F")],
         lambda o: (o[0], _vec(1, 2, 3), 3, 3, np.array([b"F"]), False, ctypes.c_size_t(1)), 0, "",
         [np.array([[1.0, 0, 0], [2, 3, 0], [0, 0, 0]])])
    case("FillMatrixOffDiagonals", lambda: [np.zeros((3, 3), order="F")],
         lambda o: (o[0], _vec(1, 2, 3, 4), 3, 4), 0, "", [np.array([[0.0, 4, 0], [1, 0, 0], [2, 3, 0]])])
    return cases


@pytest.mark.parametrize("symbol, make, call, status, message, expect", _c_cases())
def test_native_failures_the_docstrings_name(vx, lib, symbol, make, call, status, message, expect):
    out = make()
    _native(lib, symbol, *call(out))
    st, msg = error_record(vx)
    assert st == status and (not status or msg.startswith(message)), (st, msg)
    for got, want in zip(out, expect):
        np.testing.assert_array_equal(got, want.reshape(got.shape))


@pytest.mark.parametrize("symbol, n, ny", [("nearestinterpolation", 3, 2), ("linearinterpolation", 3, 2),
                                           ("cubichermitianinterpolation", 3, 2),
                                           ("cubichermitianinterpolation", 3, 3)])
def test_native_tables_that_end_the_process(symbol, n, ny):
    """Vectors of different lengths, and for the cubic Hermite interpolation no
    evaluation point, end a C caller's process, as the docstrings say."""
    k = 1 if ny != n else 0
    code = ("import ctypes, numpy as np; from conftest import _find_native_library\n"
            "lib = ctypes.CDLL(_find_native_library())\n"
            "I = lambda v: ctypes.byref(ctypes.c_int32(v))\n"
            "x = np.arange(1.0, %d); y = np.arange(1.0, %d); p = np.array([1.5]); r = np.zeros(1)\n"
            "P = lambda a: a.ctypes.data_as(ctypes.c_void_p)\n"
            "lib.%s(P(r), P(x), I(%d), P(y), I(%d), P(p), I(%d))\n"
            "print('returned')\n" % (n + 1, ny + 1, symbol, n, ny, k))
    out, rc = run_python("import sys; sys.path.insert(0, %r)\n%s" % (str(ROOT / "tests"), code))
    assert rc != 0 and b"returned" not in out


def test_counter_increments_return_the_new_value(vx):
    """Python gets the increased counter back; the object passed is left."""
    f, i = np.array(1.5), np.array(3, dtype=np.int32)
    assert vx.utility.real_inc(f, 2.0) == 3.5 and vx.utility.int_inc(i) == 4
    assert f == 1.5 and i == 3


@pytest.mark.parametrize("finder", ["nrsafe", "bdsafe"])
def test_root_finder_call_back_order(vx, finder):
    """A Python call-back gets (f, df, x, args, nfun), then na only when it
    takes one more argument, then the extra arguments."""
    seen = []

    def five(f, df, x, args, nfun):
        seen.append((list(args), nfun))
        return x * x - 2.0, 2.0 * x

    def six(f, df, x, args, nfun, na):
        seen.append((list(args), nfun, na))
        return x * x - 2.0, 2.0 * x

    def seven(f, df, x, args, nfun, na, extra):
        seen.append((list(args), nfun, na, extra))
        return x * x - 2.0, 2.0 * x
    r = getattr(vx.math, finder)
    for fn, extra, want in ((five, (), ([5.0, 6.0, 7.0], 9)), (six, (), ([5.0, 6.0, 7.0], 9, 3)),
                            (six, ("e",), ([5.0, 6.0, 7.0], 9, "e")),
                            (seven, ("e",), ([5.0, 6.0, 7.0], 9, 3, "e"))):
        seen.clear()
        root, istat = r(fn, 0.0, 2.0, _vec(5, 6, 7), 1e-12, 60, 9, dfunc_extra_args=extra)
        assert root == pytest.approx(np.sqrt(2.0)) and istat == 0
        assert seen[0] == want, fn.__name__


def test_fixed_point_call_back_order(vx):
    seen = []

    def g(xnew, fargs, nfun, na):
        seen.append((nfun, na, fargs[1]))
        return 0.5 * (fargs[0] + 2.0 / fargs[0])
    xs, istat = vx.math.fpsafe(g, 1.0, _vec(0, 8), 1e-14, 60, 4)
    assert xs == pytest.approx(np.sqrt(2.0)) and istat == 0 and seen[0] == (4, 2, 8.0)


@pytest.mark.parametrize("call, want", [
    (lambda s: s.uppercase("ab  ", 4), b"AB"),
    (lambda s: s.lowercase(" AB ", 4), b" ab"),
    (lambda s: s.inistringwithcharacter("x", 3), b"xxx"),
    (lambda s: s.inistringwithcharacter(" ", 5), b""),
    (lambda s: s.inistringwithcharacter("", 2), b""),
    (lambda s: s.split("ab cd", " ", 6), (b"ab", b"cd")),
    (lambda s: s.ctrim("a   ", 4), b"a"),
])
def test_text_results_lose_their_trailing_blanks(vx, call, want):
    assert call(vx.stringhandling) == want


_POS = re.compile(r"(\d) (?:\(the middle node\) )?(\(([-0-9/,]+)\)|at xi = (-?\d))")


def _node_positions(text):
    """{node: natural coordinates} as a docstring lists them."""
    out = {}
    for m in _POS.finditer(" ".join(text.split())):
        raw = m.group(3) or m.group(4)
        out[int(m.group(1))] = tuple(float(eval(c)) for c in raw.split(","))
    return out


@pytest.mark.parametrize("comp, name, nnodes, nargs", [
    ("truss3", "truss3sf", 3, 1), ("truss3", "truss3firstderivsf", 3, 1), ("quad4", "quad4sf", 4, 2),
    ("quad4", "quad4firstderivsf", 4, 2), ("quad8", "quad8sf", 8, 2), ("quad8", "quad8secondderivsf", 8, 2),
    ("tria6", "tria6sf", 6, 2), ("tria6", "tria6firstderivsf", 6, 2), ("hex8", "hex8sf", 8, 3),
    ("hex8", "hex8secondderivsf", 8, 3)])
def test_node_positions_in_the_docstrings(vx, comp, name, nnodes, nargs):
    """Every shape-function routine names each node's position, and the value
    routine of that element is 1 there for that node and 0 for the others."""
    pos = _node_positions(_split_doc(getattr(getattr(vx, comp), name).__doc__)[1]["inode"])
    assert sorted(pos) == list(range(1, nnodes + 1)) and all(len(p) == nargs for p in pos.values())
    sf = getattr(getattr(vx, comp), comp + "sf")
    for i, p in pos.items():
        got = [sf(*p, j) for j in range(1, nnodes + 1)]
        np.testing.assert_allclose(got, np.eye(nnodes)[i - 1], atol=1e-15)


@pytest.mark.parametrize("comp, table, nnodes, nargs", [
    ("quad4", "quad4shapefunmatrix", 4, 2), ("tria6", "tria6shapefunmatrix", 6, 2),
    ("quad8", "quad8shapefunmatrix", 8, 2), ("hex8", "hex8shapefunmatrix", 8, 3)])
def test_shape_tables_follow_the_documented_node_order(vx, comp, table, nnodes, nargs):
    t = getattr(vx.elementhandling, table)
    pos = _node_positions(_split_doc(t.__doc__)[0])
    assert sorted(pos) == list(range(1, nnodes + 1))
    sf = getattr(getattr(vx, comp), comp + "sf")
    for i, p in pos.items():
        np.testing.assert_allclose(t(*p)[:, 0], np.eye(nnodes)[i - 1], atol=1e-15)
    x = (0.21, 0.13, -0.4)[:nargs]
    np.testing.assert_allclose(t(*x)[:, 0], [sf(*x, j) for j in range(1, nnodes + 1)], rtol=1e-15)


def _qbar(p, deg):
    e1, e2, nu12, g12 = p[0], p[1], p[3], p[6]
    d = 1 - nu12 * nu12 * e2 / e1
    q = np.array([[e1 / d, nu12 * e2 / d, 0], [nu12 * e2 / d, e2 / d, 0], [0, 0, g12]])
    c, s = np.cos(np.radians(deg)), np.sin(np.radians(deg))
    t = np.array([[c * c, s * s, 2 * c * s], [s * s, c * c, -2 * c * s], [-c * s, c * s, c * c - s * s]])
    r = np.diag([1.0, 1.0, 2.0])
    return np.linalg.inv(t) @ q @ r @ t @ np.linalg.inv(r)


def test_laminate_stiffness_reads_four_ply_constants(vx):
    """A, B, D take Qbar from E1, E2, nu12, G12 (rows 1, 2, 4, 7), the angle
    counted from x towards y, ply 1 at the bottom."""
    lam = vx.laminate
    stack = np.tile(PLY[:, None], (1, 2))
    ang, t = _vec(30, -60), _vec(0.5, 0.25)
    z = np.array([-0.375, 0.125, 0.375])
    want = [sum(_qbar(PLY, a) * (z[k + 1] ** p - z[k] ** p) / p for k, a in enumerate(ang)) for p in (1, 2, 3)]
    got = [f(stack, ang, t) for f in (lam.getamatrix, lam.getbmatrix, lam.getdmatrix)]
    for g, w in zip(got, want):
        np.testing.assert_allclose(g, w, rtol=1e-12, atol=1e-9 * np.abs(w).max())
    other = stack.copy()
    other[[2, 4, 5, 7, 8], :] = [[1.0], [0.0], [0.0], [1.0], [1.0]]
    for f, g in zip((lam.getamatrix, lam.getbmatrix, lam.getdmatrix), got):
        np.testing.assert_array_equal(f(other, ang, t), g)
    assert lam.getbmatrix(stack, _vec(0, 90), _vec(0.5, 0.5))[0, 0] < 0


def test_element_output_forms(vx):
    """Plane stress is recomputed from the in-plane strains with the condensed
    tangent; the axisymmetric form exchanges axes 2 and 3."""
    c = vx.lamina.getnyestiffnessmatrix(PLY, 6)
    eps = _vec(1, 2, 3, 4, 5, 6) * 1e-3
    s = c @ eps
    out = vx.elementhandling.getelemoutputfrom3d
    ps, tps = out(s, c, 3)
    np.testing.assert_allclose(tps, vx.lamina.getnyestiffnessmatrix(PLY, 3), rtol=1e-12)
    np.testing.assert_allclose(ps, tps @ eps[[0, 1, 3]], rtol=1e-12)
    assert abs(ps[0] - s[0]) > 1.0
    np.testing.assert_array_equal(out(s, c, 4)[0], s[[0, 1, 2, 3]])
    np.testing.assert_allclose(out(s, c, 4, 1)[0], s[[0, 2, 1, 4]], rtol=1e-15)
    np.testing.assert_array_equal(out(s, c, 6)[0], s)


def test_mean_field_schemes_each_as_named(vx):
    m = vx.micromechanic
    fib, mat = _vec(230e3, 15e3, 15e3, 5e3, 0.2), _vec(3.5e3, 0.35)
    e2 = {n: getattr(m, n)(fib, mat, 0.6)[1] for n in ("dilute", "moritanaka", "chow", "lielens", "voigt", "reuss",
                                                       "cscs")}
    lower, upper = (m.hashinshtrikman(fib, mat, 0.6, f)[1] for f in (0, 1))
    assert e2["moritanaka"] == pytest.approx(lower, rel=1e-12) and e2["chow"] == pytest.approx(lower, rel=1e-12)
    assert e2["dilute"] < lower and e2["reuss"] < lower < e2["lielens"] < upper < e2["voigt"]
    assert m.cscs(fib, mat, 0.6, maxit=0)[1] == pytest.approx(mat[0])
    assert not m.moritanaka(fib, mat, 0.6, vvoid=0.3, vint=0.2).any()


def test_secant_sub_laws_each_as_named(vx):
    """GetKaestnerStress reduces by 1 - 1/(1 + g x), GetKrauseStress by
    1 - exp(-g x), each for the shear and the bulk part."""
    d = np.array([[1.0, 0.3, 0.0], [0.3, -0.5, 0.2], [0.0, 0.2, -0.5]]) * 1e-2
    nd, nv, tr, g, gg, gk, k = 0.02, 0.006, 0.006, 1200.0, 30.0, 50.0, 3000.0
    for name, red in (("getkaestnerstress", lambda b, x: 1 - 1 / (1 + b * x)),
                      ("getkrausestress", lambda b, x: 1 - np.exp(-b * x))):
        got = getattr(vx.elasticity, name)(nd, nv, tr, d, g, gg, gk, k)
        want = 2 * (1 - red(gg, nd)) * g * d + (1 - red(gk, nv)) * k * tr * np.eye(3)
        np.testing.assert_allclose(got, want, rtol=1e-13)


def test_temperature_laws_read_plateaus_and_temperatures_alternating(vx):
    nl = vx.nlcollection
    props = _vec(3000, 400, 1000, 500, 100)  # P1, T1, P2, T2, P3
    assert nl.nlmahieux(0.0, props, _vec(2, 2)) == 3000.0
    assert nl.nlmahieux(1e7, props, _vec(2, 2)) == pytest.approx(100.0)
    assert nl.nlmahieux(400.0, props[:3], _vec(1)) == pytest.approx(1000 + 2000 * np.exp(-1))
    assert nl.nlgibson(0.0, props, _vec(1, 1)) == pytest.approx(2000 + 550)
    assert nl.nlgibson(1e7, props, _vec(1, 1)) == pytest.approx(1100.0)
