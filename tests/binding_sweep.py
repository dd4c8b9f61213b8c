"""Arguments made from each routine's docstring, and the calls the binding
sweeps make with them: shared by the sweeps, which run it in a child process,
and by the docstring checks."""
# collections, json and sys serve the sweeps, which take every name of this module.
import collections, json, math, re, sys, zlib
import numpy as np
import _vexlan as vx

# Routines that end the process on a bad table or when asked to stop.
ENDS_PROCESS = {"xerr", "linearinterpolation", "cubichermitianinterpolation", "cubichermitianintegration",
                "cubichermitianarclength"}


def routines():
    """(component, name, routine) of every routine that returns to its caller."""
    for comp in sorted(n for n in dir(vx) if type(getattr(vx, n)).__name__ == "component"):
        c = getattr(vx, comp)
        for name in sorted(dir(c)):
            r = getattr(c, name)
            if type(r).__name__ == "routine" and name not in ENDS_PROCESS:
                yield comp, name, r
LINE = re.compile(r"^(\w+) : (input|in/output) (.*?)(, optional)?$")
TYPES = {"d": np.float64, "i": np.int32, "D": np.complex128, "b": np.int8, "f": np.float32}


class Extents(dict):
    """Names in a bounds expression: every symbol is 3."""
    def __missing__(self, key):
        return 3


FUNCS = {"len": lambda x: 3, "shape": lambda x, k: 3, "size": lambda x: 3, "rank": lambda x: 1,
         "slen": lambda x: 3, "max": max, "min": min, "abs": abs}


def extent(src):
    try:
        v = eval(src.replace("/", "//"), {"__builtins__": {}}, Extents(FUNCS))
        return min(max(int(v), 0), 12)
    except Exception:
        return 3


def parameters(doc, section="Parameters"):
    """(name, role, kind) of the arguments, in order: the required ones, or
    with section "Other Parameters" the optional ones."""
    out, at = [], None
    for line in doc.splitlines():
        if line in ("Parameters", "Other Parameters", "Returns", "Notes"):
            at = line
        m = LINE.match(line)
        if m and at == section and bool(m.group(4)) == (section != "Parameters"):
            out.append(m.groups()[:3])
    return out


def make(name, params, grow):
    """The argument values, each as (role, rank, value) with arrays in Fortran
    order; with grow, every input array has one row more than its bounds."""
    rng = np.random.default_rng(zlib.crc32(name.encode()))
    symbols = set()
    for _, _, kind in params:
        b = re.search(r"bounds \((.*)\)", kind)
        if b:
            symbols.update(re.findall(r"[A-Za-z_]\w*", b.group(1)))
    vals = []
    for pname, role, kind in params:
        arr = re.match(r"rank-(\d+) array\('(\w+)'\) with bounds \((.*)\)", kind)
        if arr:
            rank, code, bounds = int(arr.group(1)), arr.group(2), arr.group(3)
            shape = tuple(extent(b) for b in bounds.split(",")) if bounds else ()
            if grow and role == "input" and shape:
                shape = (shape[0] + 1,) + shape[1:]
            if code in ("S", "S1"):
                data = np.full(shape, b"ab" if code == "S" else b"a")  # dtype S2 or S1
            elif code in ("i", "b"):
                data = rng.integers(1, 4, shape).astype(TYPES[code])
            elif code == "D":
                data = rng.uniform(0.5, 1.5, shape) + 1j * rng.uniform(0.5, 1.5, shape)
            else:
                data = rng.uniform(0.5, 1.5, shape).astype(TYPES[code])
            vals.append((role, rank, np.asfortranarray(data)))
        elif kind.startswith("rank-0 array"):
            code = re.search(r",'(\w)'\)", kind).group(1)
            vals.append((role, 0, np.array(0.7 if code in "dfD" else 1, dtype=TYPES[code])))
        elif kind == "int":
            vals.append((role, 0, 3 if pname in symbols else 1))
        elif kind in ("float", "complex"):
            vals.append((role, 0, 0.7 if kind == "float" else 0.7 + 0.1j))
        elif kind.startswith("string"):
            vals.append((role, 0, "abc"))
        elif kind == "call-back function":
            vals.append((role, 0, lambda *a: None))
        else:
            raise RuntimeError(f"{name}: no value for {pname}: {kind}")
    return vals


NUMPY_SCALAR = {int: np.int64, float: np.float64, complex: np.complex128}


def args_in(form, vals):
    """Fresh arguments: input arrays in the given form, in/out ones as
    Fortran-ordered copies (they must be arrays to be written). With the
    lists, numbers come as numpy scalars, which only the general path takes."""
    out = []
    for role, rank, v in vals:
        if not isinstance(v, np.ndarray):
            out.append(NUMPY_SCALAR[type(v)](v) if form == "list" and type(v) in NUMPY_SCALAR else v)
        elif role == "in/output" or rank == 0 or form == "F":
            out.append(np.asfortranarray(v.copy()))
        elif form == "list":
            out.append(v.tolist())
        else:
            out.append(np.ascontiguousarray(v))
    return out


def optional_names(doc):
    """The optional arguments of the signature, the docstring's first line."""
    m = re.search(r"\[(.*)\]", doc.splitlines()[0])
    return m.group(1).split(",") if m else []


NUMBER = r"-?(?:\d+\.?\d*|\.\d+)(?:e[-+]?\d+)?"
COMPLEX = re.compile(r"^\((%s)([-+]%s)j\)$" % (NUMBER, NUMBER))
OPTION = re.compile(r"^(\w+) : (?:input|in/output) (.*), optional$")


def documented_value(text, kind):
    """The value a Default text names, as an argument of the given kind, or
    None when it names none (an expression of other arguments, a rule in
    words): "0.5", "3, the full form", "5.0 (degrees)", "(0.3, 0.2)",
    "zeros", "all -1.0, no mode values", "(1.0+2.0j)"."""
    arr = re.match(r"rank-(\d+) array\('(\w+)'\) with bounds \((.*)\)", kind)
    head = re.split(r",? |, ", text, maxsplit=1)[0] if not text.startswith("(") else text.split(")", 1)[0] + ")"
    if arr:
        code = arr.group(2)
        if code not in TYPES or "*" in arr.group(3):
            return None
        shape = tuple(extent(b) for b in arr.group(3).split(","))
        if head == "zeros":
            return np.zeros(shape, TYPES[code], order="F")
        m = re.match(r"^all (%s)$" % NUMBER, " ".join(text.split(",")[0].split()[:2]))
        if m:
            return np.full(shape, float(m.group(1)), TYPES[code], order="F")
        m = re.match(r"^\(((?:%s, )*%s)\)$" % (NUMBER, NUMBER), head)
        if m and int(np.prod(shape)) == head.count(",") + 1:
            return np.asfortranarray(np.array([float(v) for v in m.group(1).split(", ")], TYPES[code]).reshape(shape))
        return None
    if kind == "complex" and COMPLEX.match(head):
        m = COMPLEX.match(head)
        return complex(float(m.group(1)), float(m.group(2)))
    if re.fullmatch(NUMBER, head) and kind in ("int", "float", "complex"):
        return int(head) if kind == "int" and re.fullmatch(r"-?\d+", head) else float(head)
    return None


def documented_defaults(doc):
    """{name: value} of the optional arguments whose Default names a value."""
    out, lines = {}, doc.splitlines()
    for k, line in enumerate(lines[:-1]):
        m = OPTION.match(line)
        d = lines[k + 1].strip()
        if m and d.startswith("Default: "):
            v = documented_value(d[len("Default: "):], m.group(2))
            if v is not None:
                out[m.group(1)] = v
    return out


def outcome(r, vals, form, given=None):
    """Everything a call leaves: its result or refusal, the in/out arrays
    afterwards and the error record; given, the number of optional
    arguments given as None by position, or optional arguments by keyword."""
    args = args_in(form, vals)
    kw = {}
    if isinstance(given, int):
        args += [None] * given
    elif given:
        kw = {k: v.copy() if isinstance(v, np.ndarray) else v for k, v in given.items()}
    eh = vx.errorhandling
    eh.rsxerr(1)
    try:
        got = ("ok", r(*args, **kw))
    except Exception as e:
        got = ("raised", type(e).__name__, str(e))
    written = [a for a, (role, _, _) in zip(args, vals) if role == "in/output"]
    return got, written, (int(eh.errstat), bytes(eh.errstring))


def same(a, b):
    if isinstance(a, np.ndarray) or isinstance(b, np.ndarray):
        return (isinstance(a, np.ndarray) and isinstance(b, np.ndarray) and a.shape == b.shape
                and a.dtype == b.dtype and np.array_equal(a, b, equal_nan=a.dtype.kind in "fc"))
    if isinstance(a, (tuple, list)):
        return type(a) is type(b) and len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    if isinstance(a, complex) and isinstance(b, complex):
        return same(a.real, b.real) and same(a.imag, b.imag)
    return type(a) is type(b) and (a == b or isinstance(a, float) and math.isnan(a) and math.isnan(b))


def top_level(bounds):
    """The extents of a bounds text, split at the commas outside parentheses."""
    out, depth, cur = [], 0, ""
    for ch in bounds:
        depth += (ch == "(") - (ch == ")")
        if ch == "," and depth == 0:
            out.append(cur)
            cur = ""
        else:
            cur += ch
    return out + [cur]


def resized(name, value, axis, e):
    """value with extent e on axis: the first e slices of one fixed array of
    9, so that each size holds the smaller ones and new values beyond them."""
    rng = np.random.default_rng(zlib.crc32((name + str(axis)).encode()))
    shape = list(value.shape)
    shape[axis] = 9
    if value.dtype.kind == "S":
        big = rng.choice(np.frombuffer(b"abcdefgh", "S1"), shape).astype(value.dtype)
    elif value.dtype.kind == "i":
        big = rng.integers(1, 4, shape).astype(value.dtype)
    elif value.dtype.kind == "c":
        big = (rng.uniform(0.5, 1.5, shape) + 1j * rng.uniform(0.5, 1.5, shape)).astype(value.dtype)
    else:
        big = rng.uniform(0.5, 1.5, shape).astype(value.dtype)
    return np.asfortranarray(np.take(big, range(e), axis=axis))


def refused_size(o):
    return o[0][0] == "raised" and o[0][1] in ("valueerror", "ValueError")


def open_extents(r, name, params, vals):
    """Each open axis of each input array at its least accepted extent and at
    one more: (array, axis, least extent, outcome there, outcome one longer),
    or None for the least extent when no extent up to 8 is taken. An array
    that is also a result (filled and handed back whole) is no such input."""
    head = r.__doc__.splitlines()[0]
    results = set(head.split("=")[0].replace(" ", "").split(",")) if "=" in head.split("(")[0] else set()
    for i, (pname, role, kind) in enumerate(params):
        arr = re.match(r"rank-(\d+) array\('(\w+)'\) with bounds \((.*)\)", kind)
        if not arr or role != "input" or pname in results or vals[i][2].ndim != int(arr.group(1)):
            continue
        for axis, b in enumerate(top_level(arr.group(3))):
            if b.strip() != "*":
                continue
            def at(e):
                v = list(vals)
                v[i] = (role, vals[i][1], resized(name + pname, vals[i][2], axis, e))
                return outcome(r, v, "F")
            least = next((e for e in range(9) if not refused_size(at(e))), None)
            yield pname, axis, least, (at(least), at(least + 1)) if least is not None and least < 8 else None


def extent_arguments(doc):
    """(name, optional) of the integer arguments that are extents: the whole
    extent of an axis of an array, or defaulting to the extent of one."""
    whole = set()
    for bounds in re.findall(r"bounds \((.*)\)", doc.split("\nNotes\n")[0]):
        whole.update(b.strip() for b in top_level(bounds))
    lines = doc.splitlines()
    for k, line in enumerate(lines[:-1]):
        m = LINE.match(line)
        if m and m.group(2) == "input" and m.group(3) == "int" and (
                m.group(1) in whole or re.match(r"Default: .*\b(shape|len|size)\(", lines[k + 1].strip())):
            yield m.group(1), bool(m.group(4))
