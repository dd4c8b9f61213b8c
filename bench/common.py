"""Timing helpers shared by the benchmarks."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import timeit

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "bench")  # bench_clock.h for the drivers


def per_call(fn, number=20000, repeat=7):
    """Best per-call time in microseconds."""
    return min(timeit.repeat(fn, number=number, repeat=repeat)) / number * 1e6


def native_library():
    """Path of the C library that the _vexlan module on sys.path calls (in the folder
    vexlan/lib beside it), or of a libvexlan.so* on sys.path itself; None if there is none."""
    for p in sys.path:
        cand = (sorted(glob.glob(os.path.join(p or ".", "vexlan", "lib", "libvexlan.so.*")), key=len)
                or glob.glob(os.path.join(p or ".", "libvexlan.so*")))
        if cand:
            return os.path.abspath(cand[0])
    return None


def run_c_driver(source, libs=()):
    """Compiles a C driver against the public header and libvexlan and returns
    the words it prints, or None without a compiler or library."""
    lib = native_library()
    cc = shutil.which("cc") or shutil.which("gcc")
    if not lib or not cc:
        return None
    with tempfile.TemporaryDirectory() as tmp:
        src, exe = os.path.join(tmp, "drv.c"), os.path.join(tmp, "drv")
        with open(src, "w") as fh:
            fh.write(source)
        subprocess.run([cc, "-O2", "-ffp-contract=off", "-I", os.path.join(ROOT, "include"), "-I", BENCH, src, lib,
                        "-Wl,-rpath," + os.path.dirname(lib), *libs, "-lm", "-o", exe], check=True)
        return subprocess.run([exe], check=True, capture_output=True, text=True).stdout.split()


def run_cxx_driver(source, include_dirs=(), opt="-O3"):
    """Compiles a C++ driver against the public headers, the given source
    folders (for the inline kernels) and libvexlan; returns the words it prints,
    or None without a compiler or library."""
    lib = native_library()
    cxx = shutil.which("c++") or shutil.which("g++")
    if not lib or not cxx:
        return None
    incs = []
    for d in ("include", "bench", "src/core", *include_dirs):
        incs += ["-I", os.path.join(ROOT, d)]
    with tempfile.TemporaryDirectory() as tmp:
        src, exe = os.path.join(tmp, "drv.cpp"), os.path.join(tmp, "drv")
        with open(src, "w") as fh:
            fh.write(source)
        subprocess.run([cxx, "-std=c++20", opt, "-ffp-contract=off", *incs, src, lib,
                        "-Wl,-rpath," + os.path.dirname(lib), "-lm", "-o", exe], check=True)
        return subprocess.run([exe], check=True, capture_output=True, text=True).stdout.split()


def per_call_pair(stmt, ref, g, number=100_000, repeat=15):
    """Best per-call times in microseconds of two statements (strings, so that
    no wrapper adds its own cost), timed in turns so both see the same load."""
    a, b = timeit.Timer(stmt, globals=g), timeit.Timer(ref, globals=g)
    ta = tb = float("inf")
    for _ in range(repeat):
        ta = min(ta, a.timeit(number))
        tb = min(tb, b.timeit(number))
    return ta / number * 1e6, tb / number * 1e6


def print_python_rows(rows, ref_number=20000, g=None):
    """Prints (name, fn, reference name, reference fn) rows with per-call times
    and their ratio; a row of two statement strings is timed in turns over g."""
    print(f"{'routine (from Python)':30s} {'us/call':>9s}   {'equivalent':42s} {'us/call':>9s}  ratio")
    for name, fn, other, ofn in rows:
        if isinstance(fn, str):
            t, r = per_call_pair(fn, ofn, g)
        else:
            t, r = per_call(fn), per_call(ofn, number=ref_number)
        print(f"{name:30s} {t:9.3f}   {other:42s} {r:9.3f}  {t / r:5.2f}")
