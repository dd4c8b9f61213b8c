"""The error record: first error wins, context arrays, reset, the print-and-stop path."""
import numpy as np
import pytest

from conftest import run_python


def record(vx):
    e = vx.errorhandling
    return int(e.errstat), e.errstring[()].decode(), e.errintv, e.errrealv, e.errasciim


def test_first_error_wins(vx):
    eh = vx.errorhandling
    codes = np.arange(30, dtype=np.int32).reshape(10, 3, order="F")
    assert eh.xerr(-2, "first", [], [0.5], codes, pyerr=1) == 1
    assert eh.xerr(-3, "second", [7], [9.0, 9.0], np.ones((3, 3), np.int32), 5) == 5
    stat, msg, iv, rv, am = record(vx)
    assert (stat, msg, rv.tolist()) == (-2, "first".ljust(80), [0.5])
    assert iv.shape == (0,)  # allocated empty, not None
    np.testing.assert_array_equal(am, codes[:8])  # character codes keep eight rows
    # Code zero takes no place: the next error is the first.
    eh.rsxerr(1)
    eh.xerr(0, "note", [1, 2, 3], [1.0], np.zeros((1, 1), np.int32), pyerr=1)
    assert int(eh.errstat) == 0
    eh.xerr(-2, "x" * 100, [4, 5, 6, 7], [2.0, 3.0], np.full((1, 2), 65, np.int32), pyerr=1)
    stat, msg, iv, rv, am = record(vx)
    assert stat == -2 and msg == "x" * 80
    # context copied into the arrays of the first report, clipped to their extents
    assert iv.tolist() == [4, 5, 6] and rv.tolist() == [2.0] and am.tolist() == [[65]]


def test_reset(vx):
    eh = vx.errorhandling
    eh.xerr(-2, "kept", [1], [1.0], np.zeros((1, 1), np.int32), pyerr=1)
    assert eh.rsxerr(0) == 0
    assert int(eh.errstat) == -2 and eh.errintv is not None
    assert eh.rsxerr([1]) == 1  # any true value
    assert int(eh.errstat) == 0
    assert eh.errintv is None and eh.errrealv is None and eh.errasciim is None
    assert eh.errstring[()].decode().rstrip() == "kept"


def test_library_reports_go_to_the_record(vx, lib):
    # a report from native code follows the same rule
    import ctypes
    msg, z = b"native report", ctypes.byref(ctypes.c_int32(0))
    lib.xerr(ctypes.byref(ctypes.c_int32(-3)), msg, None, z, None, z, None, z, z, None, ctypes.c_size_t(len(msg)))
    assert int(vx.errorhandling.errstat) == -3
    assert vx.errorhandling.errstring[()].rstrip() == msg


@pytest.mark.parametrize("call", ["xerr(-2,'bye',[1],[1.0],[[1]])", "xerr(-2,'bye',[1],[1.0],[[1]],0)"])
def test_print_and_stop(call):
    code = ("import _vexlan as v\nprint('before', flush=False)\n"
            "v.errorhandling.xerr(-1,'taken',[1],[1.0],[[1]],1)\n"
            f"v.errorhandling.{call}\nprint('not reached')\n")
    out, rc = run_python(code)
    assert rc == 0
    assert out == b"before\n " + b"bye".ljust(80) + b"\n"


@pytest.mark.parametrize("stale, name", [
    ("v.errorhandling.xerr(0,'a',[1],[1.0],[[1]],1)\nv.errorhandling.errintv = None", "errrealv"),
    # set from Python while errintv is unallocated: the next report, a
    # library routine's as well, would allocate them again
    ("v.errorhandling.rsxerr(1)\nv.errorhandling.errrealv = [1.0]", "errrealv"),
    ("v.errorhandling.rsxerr(1)\nv.errorhandling.errasciim = [[65]]", "errasciim"),
])
@pytest.mark.parametrize("report", ["v.errorhandling.xerr(-2,'b',[1],[1.0],[[1]],1)",
                                    "v.math.matrixinverse([[0.0]])"])
def test_stale_context_array_ends_process(stale, name, report):
    code = f"import _vexlan as v\n{stale}\n{report}\nprint('not reached')\n"
    out, rc = run_python(code)
    assert rc == 2
    assert out == f"Attempting to allocate already allocated variable '{name}'\n".encode()


def test_print_and_stop_from_native_caller_without_the_gil():
    # ctypes releases the GIL; the flush of Python's stdout before the message must not crash
    code = ("import ctypes, _vexlan as v\nprint('py first')\nlib = ctypes.CDLL(v.__file__)\n"
            "z = ctypes.c_int32(0); one = ctypes.c_int32(1)\n"
            "lib.xerr(ctypes.byref(one), b'native stop', None, ctypes.byref(z), None, ctypes.byref(z), None,"
            " ctypes.byref(z), ctypes.byref(z), ctypes.byref(z), ctypes.c_size_t(11))\n")
    out, rc = run_python(code)
    assert rc == 0
    assert out == b"py first\n " + b"native stop".ljust(80) + b"\n"


def test_readme_snippet_prints_the_error_text_as_text():
    import os
    import re
    readme = open(os.path.join(os.path.dirname(__file__), "..", "README.md")).read()
    snippet = re.search(r"```python\n(.*?)```", readme, re.S).group(1)
    out, status = run_python(snippet)
    assert status == 0
    assert out.decode().splitlines() == ["-2 Matrix inverse becomes numerically singular!"]
