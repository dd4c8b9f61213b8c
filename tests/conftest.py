"""Shared fixtures: the module, its exported routines through ctypes, subprocess runs."""
import ctypes
import glob
import importlib
import importlib.util
import os
import subprocess
import sys

import pytest


def _find_module_file():
    """The _vexlan extension the tests import, found without importing it."""
    found = importlib.util.find_spec("_vexlan")
    if found is None or not found.origin:
        raise RuntimeError("_vexlan extension not found")
    return found.origin


def _find_native_library():
    """The C library that the module calls: the folder vexlan/lib beside the module
    holds it, by its SONAME. Loading it through ctypes gives the same process-wide
    state that the module's routines see."""
    cand = sorted(glob.glob(os.path.join(os.path.dirname(_find_module_file()), "vexlan", "lib", "libvexlan.so.*")))
    if not cand:
        raise RuntimeError("libvexlan not found beside the _vexlan extension")
    return min(cand, key=len)


@pytest.fixture(scope="session")
def vx():
    return importlib.import_module("_vexlan")


@pytest.fixture(scope="session")
def lib():
    return ctypes.CDLL(_find_native_library())


@pytest.fixture(autouse=True)
def _clear_error_record():
    """Every test starts with a free error record."""
    try:
        native = ctypes.CDLL(_find_native_library())
    except (RuntimeError, OSError):
        yield
        return
    reset = ctypes.c_int32()
    native.rsxerr(ctypes.byref(reset), ctypes.byref(ctypes.c_byte(1)))
    yield


# An address-space limit on a child process does not fit the sanitizer's shadow memory.
SANITIZED = "asan" in os.environ.get("LD_PRELOAD", "")
needs_address_limit = pytest.mark.skipif(
    SANITIZED, reason="an address-space limit does not fit the sanitizer's shadow memory")


def limit_memory(headroom):
    """Lines of a child's code that limit its address space to what it holds when they run plus
    headroom bytes, so that what the call after them asks for is what does not fit."""
    return ("import os as _os, resource as _resource\n"
            "_held = int(open('/proc/self/statm').read().split()[0]) * _os.sysconf('SC_PAGE_SIZE')\n"
            f"_resource.setrlimit(_resource.RLIMIT_AS, (_held + {headroom}, _resource.RLIM_INFINITY))\n")


def run_python(code, timeout=60):
    """Runs code in a fresh interpreter; returns (stdout bytes, exit status)."""
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    r = subprocess.run([sys.executable, "-c", code], capture_output=True, timeout=timeout, env=env)
    return r.stdout, r.returncode


def release_model(vx):
    """The state in which a job reads its cards: model arrays released, one
    section of one ply counted."""
    vx.datahandling.deallocall()
    vx.sectiondata.nsec = vx.sectiondata.nplies = 1


def read_job(vx, d, nsteps=2, deck=""):
    """What job control does with the cards in folder d: reset, then the step,
    section, material and damage readers in their order."""
    release_model(vx)
    vx.damagedata.ndmg = 0
    io = vx.iohandling
    io.getstepdatafromfile(deck, str(d), nsteps)
    io.getsectiondatafromfile(deck, str(d))
    np_, ns = int(vx.sectiondata.nplies), int(vx.sectiondata.nsec)
    io.getmaterialdatafromfile(deck, str(d), np_, ns)
    io.getdamagedatafromfile(deck, str(d), np_, ns)


def error_record(vx):
    """(status, message) of the error record: the message without trailing blanks or zero bytes, '' for a
    text never set."""
    eh = vx.errorhandling
    return int(eh.errstat), bytes(eh.errstring).rstrip(b"\0").decode().rstrip()
