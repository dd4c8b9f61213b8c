"""The exported C interface: a C program compiled against the public header and linked to libvexlan."""
import glob
import os
import shutil
import subprocess
import sys

import pytest

HERE = os.path.dirname(os.path.abspath(__file__))


def _libdir():
    for p in sys.path:
        if glob.glob(os.path.join(p or ".", "libvexlan.so")):
            return os.path.abspath(p or ".")
    pytest.skip("libvexlan.so not found")


@pytest.mark.skipif(shutil.which("cc") is None, reason="no C compiler")
def test_c_program_calls_exported_routines(tmp_path):
    libdir = _libdir()
    exe = tmp_path / "api_test"
    subprocess.run(["cc", "-std=c11", "-Wall", "-Wextra", "-Werror", "-I", os.path.join(HERE, "..", "include"),
                    os.path.join(HERE, "c", "api_test.c"), "-L", libdir, "-lvexlan", f"-Wl,-rpath,{libdir}",
                    "-o", str(exe)], check=True)
    out = subprocess.run([str(exe)], capture_output=True, check=True, timeout=30).stdout.decode().splitlines()
    assert out == ["identity 1 0 1", "inverse 0.6000 -0.2000 -0.7000 0.4000", "location 3 -7",
                   "lowercase [hello   ]", "reset 1", "istat 0"]


def test_only_the_interface_is_exported():
    libdir = _libdir()
    nm = shutil.which("nm")
    if nm is None:
        pytest.skip("no nm")
    syms = subprocess.run([nm, "-D", "--defined-only", os.path.join(libdir, "libvexlan.so")],
                          capture_output=True, text=True, check=True).stdout.split()
    names = {s for s in syms if not s.startswith("_") and len(s) > 1}
    assert {"xerr", "rsxerr", "deallocall", "MatrixInverse", "GetIdentityMatrix"} <= names
    # no C++ internals leak out
    assert not [s for s in syms if s.startswith("_ZN2vx")]
