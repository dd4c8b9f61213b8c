"""File units, keyword scans and data-block reads, checked against files written here."""
import os

import numpy as np
import pytest

from conftest import error_record as err


@pytest.fixture
def io(vx):
    return vx.iohandling


@pytest.fixture
def unit(io):
    """Opens a file on the first free unit; closes every unit it opened."""
    opened = []

    def open_(path, mode=0):
        u = io.getfreeunitnumber(1, 120)
        assert io.iohandling_open(u, str(path), mode) == 0
        opened.append(u)
        return u

    yield open_
    for u in opened:
        io.iohandling_close(u)


def write(tmp_path, text, name="card.vxd", mode="w"):
    p = tmp_path / name
    with open(p, mode, newline="") as f:
        f.write(text)
    return p


def test_units_are_handed_out_in_order_and_found_by_name(io, unit, tmp_path):
    ua, ub = unit(write(tmp_path, "x\n", "a.txt")), unit(write(tmp_path, "y\n", "b.txt"))
    assert ub == io.getfreeunitnumber(1, 120) - 1 and ua < ub
    assert io.getunitnumber(str(tmp_path / "b.txt")) == ub
    assert io.getunitnumber(str(tmp_path / "." / "a.txt") + "   ") == ua
    assert io.getunitnumber(str(tmp_path / "none.txt")) == -1
    assert io.getfreeunitnumber(5, 4) == io.getfreeunitnumber(ua, ua) == -1
    # a file removed while it is open is still found by its name
    os.remove(tmp_path / "b.txt")
    assert io.getunitnumber(str(tmp_path / "." / "b.txt")) == ub


def test_values_are_counted_and_read_up_to_the_next_keyword(vx, io, unit, tmp_path):
    p = write(tmp_path, "+Elastic\n1.0, 2.0\n3.0 4.0\n+Strength\n5\n")
    u = unit(p)
    assert io.get2nextkey(u, 1, "+Elastic", 8, 1) == 1
    assert io.getsizeofdata(u, "*+", 2) == 4
    assert io.getsizeofdata(u, "*+", 2) == 4  # position unchanged
    out = io.real_getdatapoints(u, np.full(6, -1.0))
    np.testing.assert_array_equal(out, [1, 2, 3, 4, -1, -1])
    # The keyword line that ended the data is read next.
    assert io.get2nextkey(u, 1, "+strength", 9, 1) == 1
    assert list(io.int_getdatapoints(u, np.zeros(1, np.int32))) == [5]
    assert io.getsizeofdata(u, "*+", 2) == 0  # at the end of the file
    assert err(vx)[0] == 0


def test_free_format_items_crlf_bom_and_overlong_lines(vx, io, unit, tmp_path):
    text = "+V\n1.0,,3.0\n\t-2.5D+01\t.5e-1 ,7.\r\n1d2 , +4 ,\n*End\n"
    u = unit(write(tmp_path, text))
    io.get2nextkey(u, 1, "+V", 2, 1)
    assert io.getsizeofdata(u, "*+", 2) == 8
    out = io.real_getdatapoints(u, np.zeros(8))
    np.testing.assert_array_equal(out, [1.0, 0.0, 3.0, -25.0, 0.05, 7.0, 100.0, 4.0])
    vals = np.arange(1.0, 201.0)
    body = "+V\r\n" + " ".join(f"{v:.1f}" for v in vals) + "   \r\n+E\r\n"
    u = unit(write(tmp_path, "\ufeff" + body, "bom.vxd"))
    assert io.get2nextkey(u, 1, "+V", 2, 1) == 1  # the mark does not hide the first keyword
    assert io.getsizeofdata(u, "*+", 2) == 200
    np.testing.assert_array_equal(io.real_getdatapoints(u, np.zeros(200)), vals)
    assert err(vx)[0] == 0


@pytest.mark.parametrize("bad", ["1.2.3", "abc", "1e", "3*2.0", "/", "NaN", "1e999", " +Elastic"])
def test_malformed_line_is_reported_and_skipped(vx, io, unit, tmp_path, bad):
    u = unit(write(tmp_path, f"+V\n1 2\n{bad}\n3\n+Next\n"))
    io.get2nextkey(u, 1, "+V", 2, 1)
    out = io.real_getdatapoints(u, np.full(4, 9.0))
    np.testing.assert_array_equal(out[:3], [1, 2, 3])
    assert err(vx) == (-2, "Error: Error in GetDataPoints Read operation exited with an error.")
    assert io.get2nextkey(u, 1, "+Next", 5, 1) == 1  # the reader went on


def test_bad_integers_and_short_destinations(vx, io, unit, tmp_path):
    u = unit(write(tmp_path, "+M\n1 2147483647 -3\n2.0\n4294967296\n+V\n1 2 3 4 5\n"))
    io.get2nextkey(u, 1, "+M", 2, 1)
    out = io.int_getdatapoints(u, np.zeros(5, np.int32))
    assert list(out[:3]) == [1, 2147483647, -3]       # integers are read strictly
    assert err(vx)[0] == -2
    vx.errorhandling.rsxerr(1)
    io.get2nextkey(u, 1, "+V", 2, 1)
    with pytest.raises(ValueError):  # a count that is not the destination's length
        io.real_getdatapoints(u, np.full(4, -1.0), n=2)
    out = io.real_getdatapoints(u, np.full(2, -1.0), n=2)   # the copy never exceeds n
    np.testing.assert_array_equal(out, [1, 2])
    assert err(vx)[0] == -2


def test_shaped_reads(vx, io, unit, tmp_path):
    u = unit(write(tmp_path, "+XY\n1 2 3\n4 5 6 7\n+XY\n1 2 3\n+D\n1 0.5 0.25 0\n2 1.5 1.25 0\n"))
    io.get2nextkey(u, 1, "+XY", 3, 1)
    xy = io.getxydatapoints(u, 2, 3)  # 7 values: 7 div 2 = 3 rows accepted
    np.testing.assert_array_equal(xy, [[1, 2, 3], [4, 5, 6]])
    assert err(vx)[0] == 0
    io.get2nextkey(u, 1, "+XY", 3, 1)
    xy = io.getxydatapoints(u, 2, 3)  # 3 values do not make 3 rows of 2
    assert err(vx) == (-2, "Error: Error in GetXYDataPoints Read operation exited with an error.")
    assert io.getsizeofdata(u, "*+", 2) == 3  # left unread
    vx.errorhandling.rsxerr(1)
    io.get2nextkey(u, 1, "+D", 2, 5)
    dds = io.getddsfromfile(u, 2)
    np.testing.assert_array_equal(dds[:2], [[0.5, 1.5], [0.25, 1.25]])


def test_keyword_scans_and_stepping_back(io, unit, tmp_path):
    lines = ["*Heading", "  *step, name=a", "x", "*STEP", "CYCLE 10", "y", "Cycle 20", "z"]
    u = unit(write(tmp_path, "\n".join(lines) + "\n"))
    assert io.getnumberofkeywords(u, "*Step", 5) == 2
    assert io.getfilelength(u) == 8  # rewound by the count before
    assert io.getfilelength(u, 0) == 8
    assert io.getfilelength(u) == 0  # stood at the end
    # Backward from the end: the last cycle line, then read next.
    io.getfilelength(u, 0)
    assert io.get2nextkey(u, -1, "CYCLE", 5, 8, 1) == 1
    assert io.getsizeofdata(u, "*+", 2) == 3  # "Cycle 20" and "z"
    # Forward with a line budget: found on the third line, not on the fourth.
    io.rewindfile(u, 100)
    assert io.get2nextkey(u, 1, "x", 1, 3) == 1
    io.rewindfile(u, 100)
    assert io.get2nextkey(u, 1, "*step", 5, 1) == 0
    assert io.get2nextkey(u, 1, "*step", 5, 0) == 0
    assert io.get2nextkey(u, 1, "*step", 5, 3) == 1  # "  *step" after its blanks


def test_all_units_taken(vx, io, unit, tmp_path):
    p = write(tmp_path, "++Begin Section, SecID=3\n+Orientation\n0\n++End Section\n", "SectionCard.vxd")
    while io.getfreeunitnumber(1, 120) != -1:
        unit(p)
    assert io.iohandling_open(5, str(p), 0) == 1  # already open
    vx.datahandling.deallocall()
    io.getsectiondatafromfile("", str(tmp_path))  # no unit: nothing read
    assert vx.sectiondata.secidlist is None
    io.getgausspointreport(str(tmp_path / "r.rst"), [0.0, 0.0, 0.0], 1, 1)
    assert not (tmp_path / "r.rst").exists()


def test_unit_that_is_not_open(vx, io):
    assert io.getsizeofdata(119, "*+", 2) == 0
    out = io.real_getdatapoints(119, np.full(2, 7.0))
    np.testing.assert_array_equal(out, [7, 7])
    assert err(vx)[0] == -2
    assert io.get2nextkey(119, 1, "x", 1, 5) == 0


def test_material_name_tags(vx):
    cases = [("PLY_s@2@_l@14@", 14, "l", 14), ("PLY_s@2@_l@14@", 14, "S", 2), ("PLY_s@2@", 8, "l", -1),
             ("MAT_L@3@", 8, "l", 3), ("MAT_l@3@", 8, "q", -1),
             ("A_l@1@_L@ 9 @", 13, "l", 9),     # the last tag counts
             ("MAT_l@12", 8, "l", -1),          # no closing mark
             ("MAT_l@3@", 5, "l", -1)]          # tag beyond ls
    for name, ls, key, expect in cases:
        assert vx.iohandling.getxidfromstring(name, ls, key) == expect, name
    assert vx.iohandling.getxidfromstring("MAT_l@x@", 8, "l", notfound=-7) == -7


def test_element_type_extents(vx):
    table = {"B31": (0, 0, 0), "S4R": (1, 4, 6), "S4R5": (1, 4, 5), "S8R5": (1, 8, 5), "STRI65": (1, 6, 5),
             "SC8R": (1, 8, 6), "C3D20R": (1, 20, 6), "CPS4": (1, 4, 6), "CINPE4": (0, 0, 0), "SFM3D4": (1, 0, 6)}
    for name, expect in table.items():
        assert vx.iohandling.getelementdataextents(name) == expect, name
    assert vx.iohandling.getelementdataextents("S4R5", 2, 8, 6) == (3, 8, 6)   # counts accumulate


def test_scans_at_the_integer_limit(tmp_path):
    """A backward scan without a line limit ends at the first line; a key length of 2**31 - 1
    compares whole lines without walking over two thousand million blanks."""
    from conftest import run_python
    p = write(tmp_path, "*Step\n  *STEP  \n*Step, name=a\n" + "data line\n" * 2000 + "CYCLE 7\nlast\n")
    code = f"""
import _vexlan as vx
io = vx.iohandling
big = 2**31 - 1
u = io.getfreeunitnumber(1, 120)
assert io.iohandling_open(u, {str(p)!r}, 0) == 0
# keyword "*Step" compared over the whole line: the line with an option is not one
print("count", io.getnumberofkeywords(u, "*Step", big), io.getnumberofkeywords(u, "*Step", 5))
n = io.getfilelength(u, 0)
print("found", io.get2nextkey(u, -1, "CYCLE", 5, big, 1), io.getsizeofdata(u, "*+", 2))
io.rewindfile(u, 100000)
print("none", io.get2nextkey(u, -1, "NOWHERE", 7, big, 1), io.get2nextkey(u, -1, "*Step", 5, big))
io.rewindfile(u, 100000)
io.getfilelength(u, 0)
print("first", io.get2nextkey(u, -1, "*step", big, big, 1), int(vx.errorhandling.errstat))
"""
    out, status = run_python(code, timeout=30)
    assert status == 0, out
    lines = out.decode().split("\n")
    assert lines[:4] == ["count 2 3", "found 1 3", "none 0 1", "first 1 0"]


def test_element_count_stops_at_the_integer_limit(lib):
    import ctypes
    iele, inodes, idof = ctypes.c_int32(2**31 - 1), ctypes.c_int32(0), ctypes.c_int32(0)
    lib.getelementdataextents(ctypes.byref(iele), ctypes.byref(inodes), ctypes.byref(idof), b"S4R     ",
                              ctypes.c_size_t(8))
    assert (iele.value, inodes.value, idof.value) == (2**31 - 1, 4, 6)
