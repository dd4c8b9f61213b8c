"""Card readers on damaged and hand-edited cards: same data for the same content, and for anything
else no crash, no hang and no exit, only the error record."""
import os

import numpy as np
import pytest

from conftest import SANITIZED, limit_memory, release_model, run_python

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "cards")
CARDS = ("StepCard.vxd", "SectionCard.vxd", "MaterialCard.vxd")
DATA = [("sectiondata", n) for n in ("secidlist", "seflags", "xcstrength", "plyorientation", "plythickness",
                                      "plyzcoord")] + \
       [("materialdata", n) for n in ("matidlist", "pfflags", "peflags", "pelimits", "peprops", "psprops",
                                       "phprops", "pfprops", "pdprops", "cuprops", "temperatures")]


def example(name):
    with open(os.path.join(EXAMPLES, name), "rb") as f:
        return f.read()


def read_all(vx, d, nsteps=2):
    release_model(vx)
    io = vx.iohandling
    io.getstepdatafromfile("", str(d), nsteps)
    io.getsectiondatafromfile("", str(d))
    io.getmaterialdatafromfile("", str(d), int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
    out = {n: None if getattr(getattr(vx, c), n) is None else np.array(getattr(getattr(vx, c), n))
           for c, n in DATA}
    out["debug"] = [int(getattr(vx.debugdata, n)) for n in ("nupdate", "edebug", "verbose", "unitid")]
    return out


def same(a, b):
    assert a.keys() == b.keys()
    for k in a:
        assert (a[k] is None) == (b[k] is None), k
        if a[k] is not None:
            np.testing.assert_array_equal(a[k], b[k], err_msg=k)


EDITS = {
    "crlf": lambda t: t.replace(b"\n", b"\r\n"),
    "bom": lambda t: b"\xef\xbb\xbf" + t,
    # data items separated by tabs instead of blanks
    "tabs": lambda t: b"\n".join(ln if ln[:1] in (b"+", b"*") else ln.replace(b" ", b"\t") for ln in t.split(b"\n")),
    "trailing": lambda t: b"\n".join(ln + b" \t  " for ln in t.split(b"\n")),
    # 135000.0 written 1.35D+05 and the like
    "dexp": lambda t: t.replace(b"135000.0", b"1.35D+05").replace(b"0.125", b"1.25d-1"),
}


@pytest.mark.parametrize("edit", EDITS)
def test_hand_edited_cards_read_the_same(vx, tmp_path, edit):
    (tmp_path / "ref").mkdir()
    (tmp_path / "edit").mkdir()
    for name in CARDS:
        (tmp_path / "ref" / name).write_bytes(example(name))
        (tmp_path / "edit" / name).write_bytes(EDITS[edit](example(name)))
    ref = read_all(vx, tmp_path / "ref")
    assert int(vx.errorhandling.errstat) == 0
    same(read_all(vx, tmp_path / "edit"), ref)
    assert int(vx.errorhandling.errstat) == 0


def test_damaged_cards_never_crash(tmp_path):
    """Truncations, garbage, overlong lines, malformed numbers and huge counts, in a child process so
    that an exit or a crash is seen as such."""
    code = f"""
import os, random, numpy as np, _vexlan as vx
random.seed(7)
src = {EXAMPLES!r}
cards = {list(CARDS)!r}
base = {{n: open(os.path.join(src, n), 'rb').read() for n in cards}}
d = {str(tmp_path)!r}
def variants(t):
    lines = t.split(b'\\n')
    for cut in random.sample(range(len(t)), 12):
        yield t[:cut]
    yield bytes(random.randrange(256) for _ in range(3000))
    yield t.replace(b'\\n', b'\\r')
    yield t + b'\\n' + b'9 ' * 50000 + b'\\n'
    yield b'\\n'.join(ln + b'x' * 5000 if ln[:1] == b'+' else ln for ln in lines)
    for bad in (b'1.2.3', b'abc', b'1e', b'3*2.0', b'/', b'NaN', b'-', b'1e400', b'\\x00\\x01'):
        yield b'\\n'.join(ln if ln[:1] in (b'+', b'*') else ln + b' ' + bad for ln in lines)
    yield t.replace(b'SecID=1', b'SecID=99999999999').replace(b'MatID=1', b'MatID=-7')
    yield t.replace(b'++End', b'++End Section\\n++End')
    yield t.replace(b'+Orientation\\n', b'+Orientation\\n' + b'0 ' * 3000 + b'\\n')
    yield t.replace(b'+Material\\n', b'+Material\\n' + b'2147483647 -1 0 ' * 100 + b'\\n')
    yield t.replace(b'+Strength\\n', b'+Strength\\n+Strength\\n')
    yield t * 3
runs = 0
for name in cards:
    for v in variants(base[name]):
        for n in cards:
            open(os.path.join(d, n), 'wb').write(v if n == name else base[n])
        for nsteps in (0, 1, 3):
            vx.datahandling.deallocall()
            vx.sectiondata.nsec = vx.sectiondata.nplies = 1
            vx.errorhandling.rsxerr(1)
            vx.iohandling.getstepdatafromfile('', d, nsteps)
            vx.iohandling.getsectiondatafromfile('', d)
            # second read without a release, then the material card with the counters
            vx.iohandling.getsectiondatafromfile('', d)
            vx.iohandling.getmaterialdatafromfile('', d, int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
            s = vx.sectiondata
            assert s.plyorientation.shape == (s.nplies, s.nsec), (name, s.plyorientation.shape)
            runs += 1
print('runs', runs)
"""
    out, status = run_python(code, timeout=300)
    assert status == 0, out[-2000:]
    assert b"runs" in out


def test_unreadable_or_special_paths(vx, tmp_path):
    io = vx.iohandling
    release_model(vx)
    (tmp_path / "SectionCard.vxd").mkdir()           # a directory named like the card
    io.getsectiondatafromfile("/dev/zero", str(tmp_path))  # a device as the deck: refused, no hang
    io.getmaterialdatafromfile(str(tmp_path), str(tmp_path) + "/" + "x" * 300, 1, 1)
    io.getstepdatafromfile("", "", 1)
    assert vx.sectiondata.plyorientation is None and int(vx.errorhandling.errstat) == 0
    assert io.getfreeunitnumber(1, 120) == 1  # every reader closed its unit


def test_a_pipe_as_the_card_is_refused_without_waiting_for_a_writer(tmp_path):
    """Opening a pipe for reading waits for a writer: the readers take regular files only, and do not
    wait to find out."""
    os.mkfifo(tmp_path / "SectionCard.vxd")
    out, status = run_python(f"""
import _vexlan as vx
vx.sectiondata.nsec = vx.sectiondata.nplies = 1
vx.iohandling.getsectiondatafromfile("", {str(tmp_path)!r})
print(vx.sectiondata.plyorientation is None, int(vx.errorhandling.errstat), vx.iohandling.getfreeunitnumber(1, 120))
""", timeout=20)
    assert (status, out) == (0, b"True 0 1\n")


BIG = {
    # one item of thirty million plies: the file, its lines, the values and the section arrays
    "section card": ("SectionCard.vxd", "++Begin Section, SecID=1\n+Orientation\n", "1\n", 30_000_000,
                     "vx.iohandling.getsectiondatafromfile('', d)"),
    # a material item of as many values, read through the per-item buffers
    "material card": ("MaterialCard.vxd", "++Begin Material, MatID=1\n+Calibration, TYPE=Shear, T=20\n", "1 2\n",
                      15_000_000, "vx.iohandling.getsectiondatafromfile('', d); "
                                  "vx.iohandling.getmaterialdatafromfile('', d, 1, 1)"),
    # three million nodes of one element: the file, its lines and the table of coordinates
    "printed model": ("job.dat", "E L E M E N T   D E F I N I T I O N S\n1 S4R 1 1 2 3 4\n\n"
                      "N O D E   D E F I N I T I O N S\n", None, 3_000_000,
                      "vx.iohandling.getabqdatafromfile(d + '/job.dat')"),
}


@pytest.fixture(scope="module")
def big_files(tmp_path_factory):
    """A folder per reader with its file."""
    top = tmp_path_factory.mktemp("big")
    for reader, (name, head, line, n, _) in BIG.items():
        d = top / reader.replace(" ", "_")
        d.mkdir()
        (d / "SectionCard.vxd").write_text("++Begin Section, SecID=1\n+Orientation\n0\n+Thickness\n1\n++End Section\n")
        with open(d / name, "w") as f:
            f.write(head)
            if line is None:
                f.writelines(f"{k} 0.5 1.5 2.5\n" for k in range(1, n + 1))
            else:
                f.write(line * n)
    return str(top)


@pytest.mark.parametrize("extra_mb", [200, 700])
@pytest.mark.parametrize("reader", list(BIG))
def test_memory_running_out_ends_with_the_library_message(big_files, reader, extra_mb):
    """Under an address-space limit a reader either reads its file or ends the process with "Error
    allocating N bytes" and status 1, as every allocation of the library does: no exception escapes
    to end it with an abort. 200 MB above what the interpreter holds is too little for each."""
    if SANITIZED:
        pytest.skip("an address-space limit does not fit the sanitizer's shadow memory")
    call = BIG[reader][4]
    d = os.path.join(big_files, reader.replace(" ", "_"))
    out, status = run_python(f"""
import _vexlan as vx
d = {d!r}
vx.sectiondata.nsec = vx.sectiondata.nplies = 1
{limit_memory(extra_mb << 20)}{call}
print("read")
""", timeout=120)
    ran_out = status == 1 and out.startswith(b"Error allocating ") and b"read" not in out
    assert ran_out or (extra_mb > 200 and (status, out) == (0, b"read\n")), (status, out[-300:])


# Each reader on a card without a line, or with blank lines only, as the first file its process
# reads (so no earlier read has left the reader's buffers allocated): read as the empty card it is,
# no report, the unit closed again. The child prints what the reader left; the sanitizer build
# runs the same children under its checks.
EMPTY_CARDS = {"no byte": b"", "one newline": b"\n", "blank lines": b" \t\n\n  \r\n\r", "mark only": b"\xef\xbb\xbf"}
FIRST_READS = {
    "step": ("StepCard.vxd", "vx.debugdata.nupdate = 7\nio.getstepdatafromfile('', d, 2)",
             "[int(getattr(vx.debugdata, n)) for n in ('nupdate', 'edebug', 'ndebug', 'fdebug', 'verbose', 'unitid')]",
             [1, 0, 0, 0, 0, -3]),
    "section": ("SectionCard.vxd", "io.getsectiondatafromfile('', d)",
                "[int(s.nsec), int(s.nplies), s.secidlist.tolist(), vx.materialdata.matidlist.tolist(), "
                "s.plyzcoord.tolist()]", [1, 1, [2147483647], [[1]], [[0.0], [0.0], [0.0]]]),
    "material": ("MaterialCard.vxd", "io.getmaterialdatafromfile('', d, 1, 1)",
                 "[int(m.ntempdata), m.temperatures.tolist(), m.peprops.shape, float(abs(m.peprops).sum())]",
                 [1, [1.7976931348623157e308], (9, 1, 1), 0.0]),
    "damage": ("DamageCard.vxd", "vx.damagedata.ndmg = 0\nio.getdamagedatafromfile('', d, 1, 1)",
               "[int(vx.damagedata.ndmg), vx.damagedata.dmgplane is None]", [0, True]),
    "printed model": ("job.dat", "io.getabqdatafromfile(d + '/job.dat')",
                      "[int(vx.elementdata.nelem), vx.elementdata.elemlist is None]", [0, True]),
}


@pytest.mark.parametrize("content", list(EMPTY_CARDS))
@pytest.mark.parametrize("reader", list(FIRST_READS))
def test_an_empty_card_read_first_in_its_process_is_an_empty_card(tmp_path, reader, content):
    name, call, state, expected = FIRST_READS[reader]
    (tmp_path / name).write_bytes(EMPTY_CARDS[content])
    out, status = run_python(f"""
import os
os.dup2(1, 2)  # a sanitizer's report into the output the test shows
import _vexlan as vx
io, s, m, d = vx.iohandling, vx.sectiondata, vx.materialdata, {str(tmp_path)!r}
s.nsec = s.nplies = 1
{call}
print(repr([{state}, int(vx.errorhandling.errstat), io.getfreeunitnumber(1, 120)]))
""")
    assert status == 0, out[-2000:]
    assert eval(out.splitlines()[-1]) == [expected, 0, 1]
