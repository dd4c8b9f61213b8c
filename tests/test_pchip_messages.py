"""Error-message package, machine-constant range stops and self-check drivers of
the cubic Hermite library: exact texts on standard output, run in subprocesses."""
import re

import pytest

from conftest import run_python

PRELUDE = """
import ctypes as C, glob, os, sys
lib = C.CDLL([g for d in sys.path for g in glob.glob(os.path.join(d or '.', '_vexlan.cpython-*.so'))][0])
i4 = C.c_int32
def ii(v): return C.byref(i4(v))
def msg(lib_, sub, text, nerr, level):
    a, b, c = lib_.encode(), sub.encode(), text.encode()
    lib.xermsg_(a, b, c, ii(nerr), ii(level), C.c_size_t(len(a)), C.c_size_t(len(b)), C.c_size_t(len(c)))
"""


def run(code):
    out, status = run_python(PRELUDE + code)
    return out.decode().split("\n"), status


BLOCK = [
    " ***MESSAGE FROM ROUTINE {r} IN LIBRARY SLATEC.",
    " ***POTENTIALLY RECOVERABLE ERROR, PROG {how}, TRACEBACK REQUESTED",
    " *  {m}",
    " *  ERROR NUMBER = {e}",
    " *   ",
    " ***END OF MESSAGE",
    " ",
]
HEADER = ["0          ERROR MESSAGE SUMMARY",
          " LIBRARY    SUBROUTINE MESSAGE START             NERR     LEVEL     COUNT"]


def block(r, m, e, how="ABORTED"):
    return [s.format(r=r, m=m, e=e, how=how) for s in BLOCK]


@pytest.mark.parametrize("call, routine", [
    ("lib.dpchfe_(ii(1), x, x, x, ii(1), C.byref(i4(0)), ii(1), x, x, C.byref(i4()))", "DPCHFE"),
    ("lib.pchim_(ii(1), x, x, x, ii(1), C.byref(i4()))", "PCHIM"),
])
def test_first_error_ends_the_process_with_block_and_summary(call, routine):
    lines, status = run("x = (C.c_double * 4)()\n" + call + "\nprint('not reached')")
    assert status == 1
    assert lines == block(routine, "NUMBER OF DATA POINTS LESS THAN TWO", -1) + [
        " ***JOB ABORT DUE TO UNRECOVERED ERROR.", *HEADER,
        " SLATEC     %-8s   NUMBER OF DATA POINT        -1         1         1" % routine, " ", ""]


def test_padded_names_of_the_bspline_converter():
    lines, status = run("x = (C.c_double * 8)(0, 1)\nlib.dpchbs_(ii(2), x, x, x, ii(1), ii(3), C.byref(i4()), x, x, "
                        "C.byref(i4()), C.byref(i4()), C.byref(i4()))")
    assert status == 1
    assert lines[0] == " ***MESSAGE FROM ROUTINE DPCHBS   IN LIBRARY SLATEC  ."
    assert lines[2] == " *  KNOTYP GREATER THAN 2"


def test_wrapping_of_printed_lines():
    long_words = " ".join(["ABCDEFGHI"] * 12)  # 119 characters
    cases = [
        "FIRST$$SECOND",
        "$$AFTER MARK",
        "A" * 72 + "$$TAIL",
        long_words,
        "X" * 100,
        "   ",
        "A" * 80 + "$$B",
    ]
    code = "".join(
        "t = %r.encode()\nlib.xerprn_(b' *  ', ii(-1), t, ii(72), C.c_size_t(4), C.c_size_t(len(t)))\n" % c
        for c in cases)
    lines, status = run(code + "lib.xerprn_(b'AB', ii(5), b'Q', ii(72), C.c_size_t(2), C.c_size_t(1))\n")
    assert status == 0
    w = long_words
    cut = w[:72].rfind(" ") if w[72] != " " else 72
    assert lines[:-1] == [
        " *  FIRST", " *  SECOND",
        " *  AFTER MARK",
        " *  " + "A" * 72, " *  TAIL",
        " *  " + w[:cut], " *  " + w[cut + 1:],
        " *  " + "X" * 72, " *  " + "X" * 28,
        " *   ",
        " *  " + "A" * 72, " *  " + "A" * 8, " *  B",
        "AB   Q",
    ]


def test_continuing_errors_counts_and_table_limits():
    code = """
lib.xsetf_(ii(1))
msg('SLATEC', 'DPCHIM', 'X-ARRAY NOT STRICTLY INCREASING', -3, 1)
print('RETURNED', flush=True)
for k in range(12):
    msg('SLATEC', 'DPCHIM', 'X-ARRAY NOT STRICTLY INCREASING', -3, 1)
for k in range(3):
    msg('LIB', 'WARN', 'ONCE ONLY', 7, -1)
for k in range(9):
    msg('LIB', 'R%d' % k, 'OTHER', 1, 0)
sys.stdout.flush()
lib.xerdmp_()
print('EMPTY', flush=True)
lib.xerdmp_()
k = i4(); lib.xgetf_(C.byref(k)); print('FLAG', k.value, flush=True)
"""
    lines, status = run(code)
    assert status == 0
    assert lines[:8] == block("DPCHIM", "X-ARRAY NOT STRICTLY INCREASING", -3, "CONTINUES") + ["RETURNED"]
    # Printed at its first 10 occurrences only, the warning once, the 11th distinct message always.
    assert sum(l == " *  X-ARRAY NOT STRICTLY INCREASING" for l in lines) == 10
    assert sum(l == " *  ONCE ONLY" for l in lines) == 1
    assert sum(l == " ***INFORMATIVE MESSAGE, PROG CONTINUES, TRACEBACK REQUESTED" for l in lines) == 10
    s = lines.index(HEADER[0])
    assert lines[s:s + 2] == HEADER
    assert lines[s + 2] == " SLATEC     DPCHIM     X-ARRAY NOT STRICTLY        -3         1        13"
    assert lines[s + 3] == " LIB        WARN       ONCE ONLY                    7        -1         3"
    assert lines[s + 11] == " LIB        R7         OTHER                        1         0         1"
    assert lines[s + 12:s + 16] == ["0OTHER ERRORS NOT INDIVIDUALLY TABULATED =          1", " ", "EMPTY", "FLAG 1"]


@pytest.mark.parametrize("code, status, expect", [
    ("lib.xsetf_(ii(0)); msg('SLATEC', 'DPCHIM', 'QUIET', -1, 1); msg('SLATEC', 'X', 'LOUD', 5, 2)",
     1, [" *  LOUD", ""]),
    ("msg('SLATEC', 'X', 'BAD', 0, 1)", 1,
     [" ***FATAL ERROR IN...", " *** XERMSG -- INVALID ERROR NUMBER OR LEVEL", " *** JOB ABORT DUE TO FATAL ERROR.",
      ""]),
    ("lib.xsetf_(ii(1)); msg('SLATEC', 'X', 'FATAL', 99999999, 2)", 1,
     [" ***MESSAGE FROM ROUTINE X IN LIBRARY SLATEC.", " ***FATAL ERROR, PROG ABORTED, TRACEBACK REQUESTED",
      " *  FATAL", " *  ERROR NUMBER = 99999999", " *   ", " ***END OF MESSAGE", " ",
      " ***JOB ABORT DUE TO FATAL ERROR.", *HEADER,
      " SLATEC     X          FATAL                 99999999         2         1", " ", ""]),
])
def test_process_ending_paths(code, status, expect):
    lines, st = run(code)
    assert st == status and lines == expect


@pytest.mark.parametrize("flag, text", [(5, "       5"), (-3, "      -3"), (-2147483648, "********")])
def test_invalid_flag_is_a_fatal_error(flag, text):
    # The value is written in 8 columns; one too wide for them shows as stars.
    lines, st = run("lib.xsetf_(ii(%d))" % flag)
    assert st == 1 and lines[2] == " *  INVALID ARGUMENT = " + text and lines[1].startswith(" ***FATAL ERROR,")


@pytest.mark.parametrize("name, arg, legal", [("i1mach", 0, 16), ("i1mach", 17, 16), ("d1mach", 6, 5),
                                              ("r1mach", 0, 5), ("d1mach", -2147483648, 5)])
def test_machine_constant_range_stop(name, arg, legal):
    lines, st = run("lib.%s_(ii(%d))\nprint('not reached')" % (name, arg))
    assert st == 0
    assert lines == [" ", name.upper() + " - Fatal error!", "  The input argument I is out of bounds.",
                     "  Legal values satisfy 1 <= I <= %d." % legal, "  I = %12d" % arg, ""]


def test_self_checks_pass_in_both_precisions_twice_at_every_level():
    code = """
names = ['dpchq%d_' % k for k in range(1, 6)] + ['pchqk%d_' % k for k in range(1, 6)]
for kp in (0, 1, 2, 3, 4, 0):
    for nm in names:
        ip = i4(-1)
        getattr(lib, nm)(ii(6), ii(kp), C.byref(ip))
        sys.stdout.flush(); print('#', nm, kp, ip.value, flush=True)
k = i4(); lib.xgetf_(C.byref(k)); print('# FLAG', k.value)
"""
    lines, st = run(code)
    assert st == 0
    marks = [l for l in lines if l.startswith("#")]
    assert len(marks) == 61 and all(m.endswith(" 1") for m in marks[:-1]) and marks[-1] == "# FLAG 2"
    # Passing checks print nothing at levels 0 and 1.
    assert lines[:20] == marks[:20] and lines[-12:-1] == marks[-11:]
    body = "\n".join(lines)
    for word in ("EVALUATION", "INTEGRATION", "INTERPOLATION", "MONOTONICITY", "CONVERSION"):
        assert body.count(" ------------ DPCHIP PASSED  ALL %s TESTS ------------" % word) == 3
        assert body.count(" ------------  PCHIP PASSED  ALL %s TESTS ------------" % word) == 3
    assert "FAILED" not in body and "TROUBLE" not in body
    assert body.count("  ALL  PCHIM RESULTS OK.") == 3 and body.count("  ALL DPCHIM RESULTS OK.") == 3
    # Levels 3 and 4, both signs of the data, both precisions.
    assert body.count(" Bug test:  IERR =  0     ISMON =  1  3  1 -1 -3 -1  2") == 4
    assert body.count(" Bug test:  IERR =  0     ISMON = -1 -3 -1  1  3  1  2") == 4
    # The evaluation error cases print as continuing errors at level 3 only.
    assert body.count("PROG CONTINUES") == 2 * 2 * 10


def test_compare_helper():
    out, st = run_python(PRELUDE + """
lib.comp_.restype = i4
r = [lib.comp_(ii(-1), ii(-1), ii(6), ii(3)), lib.comp_(ii(0), ii(-1), ii(6), ii(3)),
     lib.comp_(ii(0), ii(-1), ii(6), ii(2))]
sys.stdout.flush(); print(r)
""")
    assert st == 0 and out.decode().split("\n") == ["     OK.", "  COMPARE FAILED -- IERR =     0", "[1, 0, 0]", ""]


def test_random_generator_sequence():
    out, st = run_python(PRELUDE + """
lib.pchip_rand_.restype = C.c_float
def rnd(v): return lib.pchip_rand_(C.byref(C.c_float(v)))
print(rnd(0.0) * 4194304, rnd(-1.0) * 4194304, rnd(0.0) * 4194304, rnd(0.5), rnd(0.0) * 4194304)
""")
    a, b, c, half, e = map(float, out.split())
    assert a == b == 1731 and c == (3146757 * 1731 + 1731) % 4194304
    assert half == 0.5 and e == (3146757 * 2097152 + 1731) % 4194304


def test_random_generator_infinite_seed_keeps_the_state():
    # An infinite seed has no fraction: like a NaN or a negative one it leaves the state alone
    # (once it was converted to an integer as a NaN, and the next numbers fell outside [0, 1)).
    out, st = run_python(PRELUDE + """
lib.pchip_rand_.restype = C.c_float
def rnd(v): return lib.pchip_rand_(C.byref(C.c_float(v)))
print(rnd(0.5), rnd(float("inf")), rnd(float("nan")), rnd(-1.0), rnd(0.0) * 4194304)
""")
    assert st == 0, out
    half, inf, nan, neg, nxt = map(float, out.split())
    assert half == inf == nan == neg == 0.5 and nxt == (3146757 * 2097152 + 1731) % 4194304


def test_timestamp_line_and_unit():
    # The line's form is checked with the interpolation library's stamp, which shares the formatter.
    out, st = run_python(PRELUDE + "lib.pchip_timestamp_()\nu = i4(-1); lib.get_unit_(C.byref(u)); print(u.value)")
    lines = out.decode().split("\n")
    assert st == 0 and re.fullmatch(r"[ \d]\d [A-Z][a-z]+ \d{4}  .* (AM|PM|Noon)", lines[0]) and lines[1:] == ["1", ""]
