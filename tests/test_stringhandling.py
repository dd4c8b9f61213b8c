"""Text helpers: Python calls, plus native calls for what Python cannot reach."""
import ctypes as C

import numpy as np
import pytest


@pytest.fixture
def sh(vx):
    return vx.stringhandling


@pytest.mark.parametrize("s,d,n,a,b", [
    ("key=value", "=", 8, b"key", b"value"),
    ("novalue", "=", 8, b"novalue", b""),
    ("a b c", " ", 8, b"a", b"b c"),
    ("abcdefgh=xyz", "=", 3, b"abc", b"xyz"),
    (" k = v", "=", 8, b" k", b" v"),        # parts are not left-adjusted
])
def test_split(sh, s, d, n, a, b):
    assert sh.split(s, d, n) == (a, b)


@pytest.mark.parametrize("s,k1,k2,n,want", [
    ("name<12>", "<", ">", 8, b"12"),
    ("id=1;id=2;", "id=", ";", 8, b"2"),      # last start key counts
    ("name<12", "<", ">", 8, b""),            # no stop key after it
    ("ab12;", "xy=", ";", 8, b"12"),          # absent key: start at its length
    ("a[xy]]b", "[", "]]", 8, b"x"),          # two-character stop key
    ("abc;", "   ", ";", 8, b"abc"),          # blank key absent: start at 1
    ("x=   7;", "=", ";", 8, b"7"),           # left-adjusted
    ("<123456>", "<", ">", 3, b"123"),        # cut to n
])
def test_extract(sh, s, k1, k2, n, want):
    assert sh.extract(s, k1, k2, n) == want


def test_case_folding(sh, vx):
    assert sh.lowercase(b"AbC-Z\xe9", 6) == b"abc-z\xe9"  # bytes beyond ASCII pass unchanged
    with pytest.raises(ValueError, match=r"outside ASCII \('\xe9' at position 5\)"):
        sh.lowercase("AbC-Z\xe9", 6)  # a str is ASCII or refused
    assert sh.uppercase("abC-z", 3) == b"ABC"
    assert sh.lowercase("ABC", 0) == b""
    assert sh.match("Elastic   ", "ELASTIC") == 1
    assert sh.match(" Elastic", "Elastic") == 0
    assert sh.match("", "   ") == 1
    with pytest.raises(vx.error):
        sh.uppercase("ab", 3)   # would read past the text
    assert sh.tally("ABab", "ab") == 1          # case-sensitive by default
    assert (sh.occurs("Material", "TERI"), sh.occurs("Material", "xyz")) == (1, 0)


@pytest.mark.parametrize("s,t,cs,want", [
    ("aaa", "aa", 1, 2),        # overlapping occurrences count
    ("ABab", "ab", 0, 2),
    ("ABab", "ab", 1, 1),
    ("  AB ab", "ab", 0, 2),    # s left-adjusted before comparing
    ("abc", "  ", 1, 4),        # blank text: len(s) + 1
    ("ab", "abc", 1, 0),
])
def test_tally(sh, s, t, cs, want):
    assert sh.tally(s, t, cs) == want


@pytest.mark.parametrize("s,want", [
    ("", 0), ("  7", 1), ("1 2 3", 3), ("1, 2,3", 3), ("1,,2", 3), ("1 ,2", 3),
    ("1\t2", 2), (",1", 1), ("1 2\x00  ", 2), ("a   b\t\t", 2),
])
def test_countitems(sh, s, want):
    assert sh.countitems(s) == want


def test_nul_terminated_lengths(sh):
    assert [sh.clen(s) for s in ("abc\x00  ", "abc  ", "    ")] == [3, 5, 4]
    assert [sh.clen_trim(s) for s in ("abc  ", "abc\x00 ", "   ")] == [3, 3, 0]
    assert (sh.ctrim("abc\x00", 5), sh.ctrim("abcdef", 2)) == (b"abc", b"ab")


def test_translate(sh, vx):
    assert sh.translate("abc", np.array([[97, 65], [98, 66]]), 3) == b"ABc"
    assert sh.translate("abc", np.array([[97 + 256, 65 - 256]]), 3) == b"Abc"   # modulo 256
    assert sh.translate("abc", np.array([[97, 65], [97, 66]]), 3) == b"Abc"    # first row wins
    assert sh.translate("abc", np.array([[97, 65], [98, 66]]), 2, 2) == b"AB"
    with pytest.raises(vx.error):
        sh.translate("ab", np.array([[97, 65]]), 3)          # n past the text
    with pytest.raises(vx.error):
        sh.translate("abc", np.array([[97, 65], [98, 66]]), 3, 1)   # nc is the row count


@pytest.mark.parametrize("s,t,r,nout,want", [
    ("a-b-c", "-", "+", 10, b"a+b+c"),
    ("a-b-c", "-", " ", 10, b"abc"),
    ("aab", "ab", "b", 5, b"b"),          # occurrences formed with earlier text
    ("abc", "b", "XYZ", 4, b"aXYZ"),      # cut to nout
    ("abc", "   ", "Q", 4, b"abc"),       # blank text replaces nothing
    ("aXb", "X", "XX", 6, b"aXXb"),       # replacement holds the text: ends
    ("XXXX", "X", "XX", 5, b"XXXXX"),
])
def test_replacetext(sh, s, t, r, nout, want):
    assert sh.replacetext(s, t, r, nout) == want


def test_reduceblanks_and_spack(sh, vx):
    assert sh.reduceblanks("  a   b  ", 10) == b" a b"
    assert sh.reduceblanks("a  b  c", 3) == b"a b"
    assert sh.reduceblanks("    ", 3) == b""
    got = [sh.spack("a1b2c3", "123", n, nx) for n, nx in ((6, 3), (2, 3), (6, 1), (6, 0))]
    assert got == [b"123", b"12", b"1", b""]
    with pytest.raises(vx.error):
        sh.spack("a1b2c3", "123", 6, 4)      # nx past ex


@pytest.mark.parametrize("jr,aw,jmax,m,want", [
    ([1, 22, 333], '(I3,",")', 4, 1, b"1,22,333,"),
    ([[1, 2], [3, 4]], '(I0,";")', 4, 2, b"1;3;2;4;"),     # column order
    ([[1], [3]], '(I0,";")', 4, 1, b"1;3;"),
    ([1234, 5], "(I3)", 4, 1, b"***5"),                    # too wide for w
    ([12345], "(I5)", 3, 1, b"***"),                       # too wide for jmax
    ([7, -5], "(I4.3)", 4, 1, b"007-005"),
    ([9, 8], "(' ',I1)", 8, 1, b"98"),                     # a blank literal is no separator
    ([9, 8], "(I1,\"'\")", 8, 1, b"9'8'"),
    ([5], "(I2)xyz", 8, 1, b"5"),                          # text after the format is ignored
    ([-2147483648], "(i0)", 12, 1, b"-2147483648"),
])
def test_int2aformat(sh, jr, aw, jmax, m, want):
    assert sh.int2aformat(np.array(jr, dtype=np.int32), aw, jmax, 40, m) == want


@pytest.mark.parametrize("aw", ["(F8.2)", "I3", "(I3", "(A3)", "('x')", "(I)", "(I2.3)",
                                "(I3,', ')"])   # cut to its 8 characters: the literal is open
def test_int2aformat_invalid_format_records_error(vx, sh, aw):
    # A format is checked only when something is written.
    assert sh.int2aformat(np.zeros((1, 0), dtype=np.int32), aw, 4, 10, 0) == b""
    assert int(vx.errorhandling.errstat) == 0
    assert sh.int2aformat(np.array([5], dtype=np.int32), aw, 4, 10, 1) == b""
    assert int(vx.errorhandling.errstat) == -2


def test_int2str(sh):
    for v in (123, 0, -5, 2147483647, -2147483648):
        assert sh.int2str(v) == (str(v).encode(), 0)


@pytest.mark.parametrize("s,value,status", [
    (" 42", 42, 0), ("-7,", -7, 0), ("12 abc", 12, 0), ("3*5", 5, 0), ("+8/", 8, 0),
    ("-2147483648", -2147483648, 0),
    (",5", 0, 0), ("/", 0, 0), ("2*", 0, 0),                   # value left unchanged
    ("x", 0, 1), ("1.5", 0, 1), ("12abc", 0, 1), ("2147483648", 0, 1), ("0*5", 0, 1), ("+", 0, 1),
    ("", 0, -1), ("   ", 0, -1),
])
def test_str2int(sh, s, value, status):
    got, st = sh.str2int(s)
    assert got == value
    assert np.sign(st) == status


def test_character_arrays(sh, vx):
    ca = sh.copys2a("abc", 3)
    assert ca.tobytes() == b"abc"
    assert sh.copya2s(np.array([[b"x", b"z"], [b"y", b"w"]], dtype="S1"), 3) == b"xyz"
    assert sh.copya2s(np.array([b"p", b"q"], dtype="S1"), 2) == b"pq"
    with pytest.raises(vx.error):
        sh.copya2s(np.array([b"p", b"q"], dtype="S1"), 3)
    np.testing.assert_array_equal(sh.str2ascii(b"A\xc8 ", 3), [65, 200, 32])
    assert sh.inistringwithcharacter("x", 3) == b"xxx"
    assert sh.inistringwithcharacter("x", 0) == b""
    for f, a in ((sh.copys2a, "ab"), (sh.str2ascii, "ab")):
        with pytest.raises(vx.error):
            f(a, 3)


# ---------------------------------------------------------------- native only

S = C.c_size_t


def _i4(v):
    return C.byref(C.c_int32(v))


def test_native_missing_characters_are_blanks_and_fields_are_kept(lib):
    # n beyond the input: the missing characters read as blanks.
    res = C.create_string_buffer(b"#" * 6, 6)
    lib.uppercase(res, S(6), b"ab", _i4(4), S(2))
    assert res.raw == b"AB    "
    # An output text shorter than nout receives only what fits.
    out = C.create_string_buffer(b"#" * 8, 8)
    lib.reduceblanks(b"a  b  c  d", C.cast(out, C.c_char_p), _i4(20), S(10), S(4))
    assert out.raw == b"a b " + b"####"
    lib.replacetext(b"abc", b"b", b"WXYZ", C.cast(out, C.c_char_p), _i4(20), S(3), S(1), S(4), S(3))
    assert out.raw == b"aWX ####"


def test_native_format_text_is_read_to_8_characters(lib, vx):
    j2s = C.create_string_buffer(b"#" * 6, 6)
    head = (C.cast(j2s, C.c_char_p), C.byref(C.c_int32(5)))
    tail = (_i4(4), _i4(6), _i4(1), _i4(1), S(6))
    lib.int2aformat(*head, b"(I1,'a')'", *tail, S(9))     # the ninth character is not read
    assert j2s.raw == b"5a    "
    assert int(vx.errorhandling.errstat) == 0


def test_native_optional_csflag_and_short_int2str(lib):
    lib.tally.restype = C.c_int32
    assert lib.tally(b"ABab", b"ab", None, S(4), S(2)) == 1
    ca = C.create_string_buffer(2)
    st = C.c_int32(-99)
    lib.int2str(_i4(123), ca, C.byref(st), _i4(2), S(2))
    assert st.value != 0
    lib.int2str(_i4(-5), ca, C.byref(st), _i4(2), S(2))
    assert st.value == 0 and ca.raw == b"-5"
