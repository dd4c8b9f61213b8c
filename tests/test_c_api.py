"""The exported C interface: C programs compiled against the public headers and linked to the
library that the module itself calls, one copy of code and data per process."""
import concurrent.futures
import ctypes
import os
import re
import shutil
import subprocess
import sys

import numpy as np
import pytest

from conftest import SANITIZED, _find_module_file, _find_native_library, run_python

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CARDS = os.path.join(ROOT, "examples", "cards")

needs_cc = pytest.mark.skipif(shutil.which("cc") is None, reason="no C compiler")


def _child_env():
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    return env


def _stage():
    """The folder of the C interface beside the module: include/ and lib/."""
    return os.path.join(os.path.dirname(_find_module_file()), "vexlan")


def _compile(tmp_path, source, name, compiler="cc", std="-std=c11"):
    stage = _stage()
    exe = tmp_path / name
    subprocess.run([compiler, std, "-Wall", "-Wextra", "-pedantic", "-Werror", "-I", os.path.join(stage, "include"),
                    source, _find_native_library(), "-Wl,-rpath," + os.path.join(stage, "lib"), "-o", str(exe)],
                   check=True)
    return exe


def _run(exe, *args):
    return subprocess.run([str(exe), *args], capture_output=True, check=True, timeout=60,
                          env=_child_env()).stdout.decode().splitlines()


def _readme_section(title):
    text = open(os.path.join(ROOT, "README.md")).read()
    start = text.index("## " + title)
    end = text.index("\n## ", start + 1)
    return text[start:end]


@needs_cc
def test_readme_c_program_runs_as_written(tmp_path, vx):
    """The README's program and its compile line, as a C user runs them, with the Python that
    runs these tests in place of the README's."""
    sec = _readme_section("From C")
    (tmp_path / "from_c.c").write_text(re.search(r"```c\n(.*?)```", sec, re.S).group(1))
    script = re.search(r"```sh\n(.*?)```", sec, re.S).group(1).replace(".venv/bin/python", '"$PYTHON"')
    env = _child_env()
    env["PYTHON"] = sys.executable
    r = subprocess.run(["sh", "-e", "-c", script], cwd=tmp_path, capture_output=True, timeout=120, env=env)
    assert r.returncode == 0, r.stderr.decode()
    out = r.stdout.decode().splitlines()
    assert out[:2] == ["status -2: Matrix inverse becomes numerically singular!", "status 0 after rsxerr"]
    # the stiffnesses the module computes for the same laminate
    ply = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3])
    a = vx.laminate.getamatrix(np.tile(ply[:, None], (1, 4)), np.array([0.0, 90, 90, 0]), np.full(4, 0.125))
    assert out[2] == "A11 %.1f A22 %.1f A66 %.1f N/mm" % (a[0, 0], a[1, 1], a[2, 2])
    assert "status -2" in sec and "status 0 after rsxerr" in sec


@needs_cc
def test_c_program_calls_exported_routines(tmp_path):
    exe = _compile(tmp_path, os.path.join(HERE, "c", "api_test.c"), "api_test")
    assert _run(exe) == ["identity 1 0 1", "inverse 0.6000 -0.2000 -0.7000 0.4000", "location 3 -7",
                         "lowercase [hello   ]", "reset 1", "istat 0"]


@needs_cc
def test_c_reads_the_section_data_and_the_error_record(tmp_path, vx):
    """After a card read and a failing call, a C program reads what Python reads of the same
    card and the same failure."""
    exe = _compile(tmp_path, os.path.join(HERE, "c", "section_data.c"), "section_data")
    out = _run(exe, CARDS)
    code = (
        "import numpy as np, _vexlan as vx\n"
        "vx.datahandling.deallocall(); vx.sectiondata.nsec = vx.sectiondata.nplies = 1\n"
        "vx.iohandling.getsectiondatafromfile('', %r)\n"
        "s = vx.sectiondata\n"
        "print(int(vx.errorhandling.errstat), int(s.nsec), int(s.nplies))\n"
        "print(s.plythickness.shape, repr(float(s.plythickness[3, 1])), repr(float(s.plyzcoord[-1, 0])),"
        " int(s.secidlist[1]))\n"
        "vx.math.matrixinverse(np.zeros((2, 2)))\n"
        "print(int(vx.errorhandling.errstat), bytes(vx.errorhandling.errstring)[:32].decode(),"
        " vx.errorhandling.errintv.shape)\n" % CARDS)
    py, status = run_python(code)
    assert status == 0
    status0, nsec, nplies = py.decode().splitlines()[0].split()
    shape, t42, ztop, id2 = re.match(r"\((\d+, \d+)\) (\S+) (\S+) (\d+)", py.decode().splitlines()[1]).groups()
    st, msg, eshape = re.match(r"(-?\d+) (.{32}) \((\d+),\)", py.decode().splitlines()[2]).groups()
    assert out[0] == "status %s nsec %s nplies %s" % (status0, nsec, nplies)
    assert out[1] == "plythickness rank 2 kind f allocated 1 extents %s" % shape.replace(",", "")
    assert out[2] == "secidlist rank 1 kind i allocated 1 extents %s" % nsec
    assert out[3] == "t(4,2) %s z(%d,1) %s id(2) %s" % (repr(float(t42)), 2 * int(nplies) + 1, repr(float(ztop)),
                                                         id2)
    assert out[4] == "xcstrength rank 1 kind f allocated 1 extents 3"
    assert out[5] == "status %s message %s" % (st, msg)
    assert out[6] == "errintv rank 1 kind i allocated 1 extents %s" % eshape
    assert float(t42) == 0.25 and int(id2) == 2


@needs_cc
@pytest.mark.parametrize("compiler, std", [("cc", "-std=c11"), ("c++", "-std=c++17")])
def test_every_header_compiles_alone(tmp_path, compiler, std):
    if shutil.which(compiler) is None:
        pytest.skip("no " + compiler)
    inc = os.path.join(_stage(), "include")
    headers = ["vexlan.h"] + ["vexlan/" + h for h in sorted(os.listdir(os.path.join(inc, "vexlan")))]

    def compile_one(k):
        src = tmp_path / ("one%d.c" % k)
        src.write_text('#include "%s"\nint main(void) { return 0; }\n' % headers[k])
        return subprocess.run([compiler, std, "-Wall", "-Wextra", "-pedantic", "-Werror", "-x",
                               "c" if compiler == "cc" else "c++", "-I", inc, "-fsyntax-only", str(src)],
                              capture_output=True, text=True)

    with concurrent.futures.ThreadPoolExecutor(max(1, min(8, os.cpu_count() or 1))) as pool:
        results = list(pool.map(compile_one, range(len(headers))))
    assert [(h, r.stderr) for h, r in zip(headers, results) if r.returncode] == []


@needs_cc
def test_a_host_routine_of_the_same_name_leaves_the_library_alone(tmp_path, vx):
    """The host defines MatrixInverse; the library's Mura still uses its own."""
    exe = _compile(tmp_path, os.path.join(HERE, "c", "host_inverse.c"), "host_inverse")
    e1, e2, g12, host = _run(exe)[0].split()
    ma = vx.micromechanic.mura([230e3, 15e3, 15e3, 5e3, 0.2], [3500.0, 0.35], 0.6)
    assert (float(e1), float(e2), float(g12)) == (ma[0], ma[1], ma[5])
    assert np.isfinite(ma[:6]).all() and host == "inf"


def _mapped_copies():
    return "len({l.split()[-1] for l in open('/proc/self/maps') if 'libvexlan' in l})"


@pytest.mark.parametrize("how", ["ctypes", "preload"])
def test_library_loaded_first_is_the_one_the_module_uses(how):
    """A host that has libvexlan in its global scope before the module is imported (a solver linked
    with it, ctypes with RTLD_GLOBAL, LD_PRELOAD): Python and C see one copy of every datum and of
    the error record."""
    lib = os.path.realpath(_find_native_library())
    load = ("lib = ctypes.CDLL(%r, mode=ctypes.RTLD_GLOBAL)\n" % lib if how == "ctypes"
            else "lib = ctypes.CDLL(%r)\n" % os.path.basename(_find_native_library()))
    code = (
        "import ctypes\n" + load +
        "import numpy as np, _vexlan as vx\n"
        "print(%s)\n"
        "vx.datahandling.deallocall(); vx.sectiondata.nsec = vx.sectiondata.nplies = 1\n"
        "vx.iohandling.getsectiondatafromfile('', %r)\n"
        "nsec = ctypes.c_int32.in_dll(lib, 'sectiondata_nsec').value\n"
        "print(int(vx.sectiondata.nsec), nsec, vx.sectiondata.plythickness.shape)\n"
        "z = (ctypes.c_double * 4)(); two = ctypes.c_int32(2)\n"
        "lib.MatrixInverse(z, z, ctypes.byref(two))\n"
        "print(int(vx.errorhandling.errstat), ctypes.c_int32.in_dll(lib, 'errorhandling_errstat').value)\n"
        "vx.errorhandling.rsxerr(1)\n"
        "print(ctypes.c_int32.in_dll(lib, 'errorhandling_errstat').value)\n" % (_mapped_copies(), CARDS))
    env = _child_env()
    if how == "preload":
        env["LD_PRELOAD"] = (env.get("LD_PRELOAD", "") + " " + lib).strip()
        env["LD_LIBRARY_PATH"] = os.path.dirname(lib)
    r = subprocess.run([sys.executable, "-c", code], capture_output=True, timeout=60, env=env)
    assert r.returncode == 0, r.stderr.decode()
    out = r.stdout.decode().split("\n")
    assert out[0] == "1"
    assert out[1] == "2 2 (8, 2)"
    assert out[2] == "-2 -2"
    assert out[3] == "0"


def test_module_holds_no_copy_of_the_library():
    """The module maps the library beside it and exports nothing but its init function."""
    out, status = run_python("import _vexlan\nprint(%s)\n" % _mapped_copies())
    assert status == 0 and out.split() == [b"1"]
    nm = shutil.which("nm")
    if nm is None:
        pytest.skip("no nm")
    syms = subprocess.run([nm, "-D", "--defined-only", _find_module_file()], capture_output=True, text=True,
                          check=True).stdout.split()[2::3]
    assert syms == ["PyInit__vexlan"]


def _declared_names():
    """Every function and object the public headers declare."""
    sys.path.insert(0, os.path.join(ROOT, "binding"))
    try:
        import docgen
    finally:
        sys.path.pop(0)
    inc = os.path.join(ROOT, "include", "vexlan")
    funcs, objects = set(), set()
    for h in sorted(os.listdir(inc)):
        path = os.path.join(inc, h)
        funcs |= {p.name for p in docgen.parse_header(path)}
        objects |= set(re.findall(r"^extern\s+(?:const\s+)?\w+\s+(\w+)(?:\[\d+\])?;", open(path).read(), re.M))
    return funcs, objects


def test_only_the_documented_names_are_exported():
    nm = shutil.which("nm")
    if nm is None:
        pytest.skip("no nm")
    rows = subprocess.run([nm, "-D", "--defined-only", _find_native_library()], capture_output=True, text=True,
                          check=True).stdout.splitlines()
    # The address sanitizer adds an indicator of its own beside each exported datum.
    rows = [r for r in rows if not r.split()[2].startswith("__odr_asan")]
    exported = {r.split()[2] for r in rows}
    funcs, objects = _declared_names()
    assert exported == funcs | objects
    # functions are code, data are data (no function declared as an object or the other way)
    kinds = {r.split()[2]: r.split()[1] for r in rows}
    assert {n for n in funcs if kinds[n] != "T"} == set()
    assert {n for n in objects if kinds[n] not in "BDR"} == set()


class Descriptor(ctypes.Structure):
    _fields_ = [("owner", ctypes.c_void_p), ("base", ctypes.c_void_p), ("rank", ctypes.c_int32),
                ("elsize", ctypes.c_int32), ("kind", ctypes.c_char), ("isallocated", ctypes.c_byte),
                ("extents", ctypes.c_int64 * 7), ("name", ctypes.c_char_p)]


def _data(vx):
    for comp in sorted(dir(vx)):
        c = getattr(vx, comp)
        if type(c).__name__ == "module" or comp.startswith("_") or comp == "types":
            continue
        for name in re.findall(r"^  (\w+)$", c.__doc__.split("\nData:\n")[1], re.M) if "\nData:\n" in (
                c.__doc__ or "") else []:
            yield comp, name


def test_every_datum_is_the_same_storage_in_c(vx, lib):
    """Each datum Python shows is declared in its component's header and exported under
    component_name, at the very storage Python views; arrays through their descriptors."""
    _, objects = _declared_names()
    seen = set()
    vx.datahandling.allocatedamagedata(3, 2, 2)
    vx.sectiondata.plythickness = np.ones((4, 2))
    try:
        for comp, name in _data(vx):
            sym = comp + "_" + name
            seen.add(sym)
            assert sym in objects, sym
            header = open(os.path.join(ROOT, "include", "vexlan", comp + ".h")).read()
            assert re.search(r"\b%s\b" % sym, header), (sym, comp + ".h")
            value = getattr(getattr(vx, comp), name)
            addr = ctypes.addressof(ctypes.c_char.in_dll(lib, sym))
            if value is None or (isinstance(value, np.ndarray) and value.flags.f_contiguous and value.ndim > 0):
                d = Descriptor.from_address(addr)
                assert d.name.decode() == name
                if value is None:
                    assert (d.isallocated, d.base) == (0, None)
                else:
                    assert d.isallocated == 1 and d.base == value.ctypes.data
                    assert tuple(d.extents[:d.rank]) == value.shape
                    assert d.kind.decode() == {"f": "f", "i": "i"}[value.dtype.kind]
            else:
                assert value.ctypes.data == addr, sym
        # and nothing declared that Python does not show
        data_objects = {o for o in objects if not o.startswith("types_")}
        assert data_objects == seen
        assert [ctypes.c_int32.in_dll(lib, "types_" + k).value for k in ("cb", "i2", "i4", "i8", "sp", "dp", "qp")] \
            == [vx.types.cb, vx.types.i2, vx.types.i4, vx.types.i8, vx.types.sp, vx.types.dp, vx.types.qp]
    finally:
        vx.datahandling.deallocall()


def test_c_allocation_is_seen_by_python_and_old_views_stay_valid(vx, lib):
    sym = Descriptor.in_dll(lib, "sectiondata_plyorientation")
    vx.sectiondata.plyorientation = np.arange(6.0).reshape(3, 2)
    old = vx.sectiondata.plyorientation
    ext = (ctypes.c_int64 * 2)(4, 5)
    lib.datahandling_allocatearray(ctypes.byref(sym), ext)
    new = vx.sectiondata.plyorientation
    assert new.shape == (4, 5) and not new.any()
    np.testing.assert_array_equal(old, np.arange(6.0).reshape(3, 2))  # the view keeps its storage
    (ctypes.c_double * 20).from_address(sym.base)[7] = 2.5
    assert new[3, 1] == 2.5
    zero = (ctypes.c_int64 * 2)(0, 5)
    lib.datahandling_allocatearray(ctypes.byref(sym), zero)
    assert vx.sectiondata.plyorientation is None and sym.base is None
    vx.sectiondata.plyorientation = np.ones((2, 2))
    lib.datahandling_deallocatearray(ctypes.byref(sym))
    assert vx.sectiondata.plyorientation is None and tuple(sym.extents[:2]) == (0, 0)


def test_wheel_installs_and_serves_python_and_c(tmp_path):
    """The wheel of this tree, installed into a fresh environment elsewhere, runs the README's
    Python snippet and compiles the README's C program against the headers and library it
    carries."""
    build = os.path.join(ROOT, "build", "pip")
    if SANITIZED or not os.path.exists(os.path.join(build, "CMakeCache.txt")) or shutil.which("cc") is None:
        pytest.skip("needs the build of `make test` and a C compiler")
    py = sys.executable
    wheels = tmp_path / "wheels"
    subprocess.run([py, "-m", "pip", "wheel", "-q", "--no-deps", "--no-build-isolation", "-w", str(wheels),
                    "-C", "build-dir=" + build, "-C", "cmake.define.VX_ENGINE_TESTS=ON", ROOT], check=True,
                   timeout=900)
    (wheel,) = wheels.iterdir()
    venv = tmp_path / "venv"
    subprocess.run([py, "-m", "venv", str(venv)], check=True)
    vpy = str(venv / "bin" / "python")
    subprocess.run([vpy, "-m", "pip", "install", "-q", str(wheel), "numpy==" + np.__version__], check=True,
                   timeout=600)
    work = tmp_path / "elsewhere"
    work.mkdir()
    env = {k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "LD_PRELOAD", "LD_LIBRARY_PATH")}
    snippet = re.search(r"```python\n(.*?)```", _readme_section("From Python"), re.S).group(1)
    r = subprocess.run([vpy, "-c", snippet], cwd=work, capture_output=True, timeout=120, env=env)
    assert r.returncode == 0, r.stderr.decode()
    assert r.stdout.decode().startswith("-2 ")
    sec = _readme_section("From C")
    (work / "from_c.c").write_text(re.search(r"```c\n(.*?)```", sec, re.S).group(1))
    script = re.search(r"```sh\n(.*?)```", sec, re.S).group(1).replace(".venv/bin/python", vpy)
    r = subprocess.run(["sh", "-e", "-c", script], cwd=work, capture_output=True, timeout=120, env=env)
    assert r.returncode == 0, r.stderr.decode()
    assert r.stdout.decode().splitlines()[0] == "status -2: Matrix inverse becomes numerically singular!"
    site = subprocess.run([vpy, "-c", "import _vexlan, os; print(os.path.dirname(_vexlan.__file__))"],
                          capture_output=True, text=True, check=True, env=env, cwd=work).stdout.strip()
    assert site.startswith(str(venv))
    assert sorted(os.listdir(os.path.join(site, "vexlan", "lib"))) == ["libvexlan.so.0", "pkgconfig"]
    assert os.path.exists(os.path.join(site, "vexlan", "include", "vexlan", "sectiondata.h"))


@pytest.mark.skipif(shutil.which("cmake") is None, reason="no cmake")
def test_the_c_library_alone_needs_no_python(tmp_path):
    """Configured for the C library alone, the build looks for neither Python nor NumPy; with
    the Python module asked for and no NumPy, it says why it stops and how to build the C part."""
    env = {k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "LD_PRELOAD")}
    r = subprocess.run(["cmake", "-S", ROOT, "-B", str(tmp_path / "c"), "-DVX_PYTHON=OFF",
                        "-DCMAKE_DISABLE_FIND_PACKAGE_Python=ON"], capture_output=True, text=True, env=env,
                       timeout=300)
    assert r.returncode == 0, r.stdout + r.stderr
    bare = tmp_path / "bare"
    subprocess.run([sys.executable, "-m", "venv", "--without-pip", str(bare)], check=True, env=env)
    r = subprocess.run(["cmake", "-S", ROOT, "-B", str(tmp_path / "py"), "-DPython_EXECUTABLE=" + str(bare / "bin" /
                        "python")], capture_output=True, text=True, env=env, timeout=300)
    assert r.returncode != 0
    assert "NumPy" in r.stderr and "-DVX_PYTHON=OFF" in r.stderr
