"""Rules of the binding engine, exercised through routines of several components."""

import decimal

import numpy as np
import pytest


def test_positional_keyword_and_lambda(vx):
    u = vx.utility
    np.testing.assert_array_equal(u.getscalarmatrix(2, 3.5), np.diag([3.5, 3.5]))
    np.testing.assert_array_equal(u.getscalarmatrix(**{"n": 2, "lambda": 1.0}), np.eye(2))
    with pytest.raises(TypeError, match="missing required argument 'lambda'"):
        u.getscalarmatrix(2)


def test_outputs_are_fortran_arrays_of_declared_type(vx):
    a = vx.utility.getidentitymatrix(6)
    assert a.dtype == np.float64 and a.flags.f_contiguous and a.shape == (6, 6)
    np.testing.assert_array_equal(a, np.eye(6))
    assert vx.utility.getidentitymatrix(0).shape == (0, 0)
    with pytest.raises(ValueError, match=r"argument a: axis 0 has the negative extent -4 \(n\)"):
        vx.utility.getidentitymatrix(-4)  # no array has a negative extent, as in f2py
    with pytest.raises(vx.error):
        vx.utility.getidentitymatrix(2**30)  # refused instead of a failed huge allocation


def test_input_conversion_and_extent_checks(vx):
    u = vx.utility
    c_order = np.arange(6.0).reshape(2, 3)
    np.testing.assert_array_equal(u.matrixcopy(c_order), c_order)  # converted to column-major
    np.testing.assert_array_equal(u.matrixcopy([[1, 2], [3, 4]]), [[1.0, 2.0], [3.0, 4.0]])
    np.testing.assert_array_equal(u.matrixcopy(np.arange(6, dtype=np.int32).reshape(3, 2)[::2]),
                                  [[0.0, 1.0], [4.0, 5.0]])  # strided, other type
    with pytest.raises(TypeError):
        u.getidentitymatrix("3")
    np.testing.assert_array_equal(u.matrixcopy(5.0), [[5.0]])  # a scalar stands for a 1x1 array


def test_complex_and_integer_arrays(vx):
    z = np.array([1 + 2j, -3j])
    np.testing.assert_array_equal(vx.utility.cmplx_vectorcopy(z), z)
    np.testing.assert_array_equal(vx.utility.cmplx_vectorcopy([1, 2]), [1 + 0j, 2 + 0j])
    r = vx.utility.int_vectorcopy([1.7, -2.2])
    assert r.dtype == np.int32 and r.tolist() == [1, -2]


def test_docstrings_and_capsules(vx):
    doc = vx.errorhandling.xerr.__doc__
    assert doc.splitlines()[0] == "pyerr = xerr(lop,xerrmsg,intv,realv,asciim,[pyerr])"
    assert type(vx.utility.matrixcopy._cpointer).__name__ == "PyCapsule"
    with pytest.raises(AttributeError):
        vx.utility.matrixcopy.__doc__ = "x"


def test_call_back_forms_show_what_is_read_back(vx):
    # As f2py writes a call-back's form: its arguments, then the outputs read
    # back from what it returns; the array it may change in place is in/output.
    m, el = vx.math, vx.elasticity
    for routine, form in ((m.bdsafe, "def dfunc(fa,d0,a,args,nfun,[na]): return fa,d0"),
                          (m.nrsafe, "def dfunc(fl,df,x1,args,nfun,[na]): return fl,df"),
                          (m.fpsafe, "def dfunc(xnew,fargs,nfun,[na]): return xnew"),
                          (el.getnumericaltangent,
                           "def getstressfromelasticity(stress,strain,props,ntens,ndi,[nprops]): return stress")):
        notes = routine.__doc__.split("Call-back functions::\n", 1)[1]
        # The tangent's law is declared twice, complex and real.
        assert notes.count(f"\n    {form}\n") == (2 if routine is el.getnumericaltangent else 1), notes
    for routine in (m.bdsafe, m.nrsafe):
        assert "\n        args : in/output rank-1 array('d') with bounds (na)\n" in routine.__doc__
    assert "\n        fargs : in/output rank-1 array('d') with bounds (na)\n" in m.fpsafe.__doc__
    assert "\n        stress : input rank-1 array('d') with bounds (ntens)\n" in el.getnumericaltangent.__doc__


def test_texts_pass_every_character_nul_included(vx):
    # f2py passes the characters before the first NUL and blanks for the rest.
    for text in ("AB\0CD", b"AB\0CD"):
        assert vx.stringhandling.lowercase(text, 5) == b"ab\x00cd"
        assert vx.stringhandling.clen(text) == 5


def test_python_call_back_extents_extra_args_and_exceptions(vx):
    seen = []

    def g(f, df, x, args, nfun, na, scale):
        seen.append((nfun, na, scale, args.shape))
        if len(seen) == 3:
            raise ValueError("boom")
        return (x - scale, 1.0)

    with pytest.raises(ValueError, match="boom"):
        vx.math.bdsafe(g, 0.0, 5.0, [0.0, 0.0], 1e-12, 100, 4, dfunc_extra_args=(3.0,))
    # Hidden extents and the extra argument reach Python; once it raised, it is not called again.
    assert seen == [(4, 2, 3.0, (2,))] * 3


# A logical flag takes the truth value of the number it is given, as f2py's
# wrappers take a logical argument (compared with wrappers of a logical(kind=1)
# and a default logical argument): a nonzero fraction, a number beyond 32 bits
# and a complex array of no dimensions with a nonzero part are true. One value
# in a list, tuple or array is taken as that value, as for every scalar
# argument (f2py takes a list's own truth: [0] is true there). Text and NaN,
# which f2py takes as true ("0" and "false" among them), are refused.
@pytest.mark.parametrize("flag, true", [
    (1, True), (-1, True), (0.4, True), (2**40, True), (1j, True), (np.float64(0.4), True),
    (np.array([2]), True), (0, False), (0.0, False), (False, False), (np.int8(0), False), ([0], False),
    ((0,), False), ([], False), (np.array(1j), True), (np.array(0j), False),
])
def test_logical_flags_take_the_truth_value(vx, flag, true):
    x = vx.utility.linspace(0.0, 1.0, 5, endpoint=flag)
    assert x[-1] == (1.0 if true else 0.8)


@pytest.mark.parametrize("flag, cls", [
    ("0", TypeError), ("false", TypeError), ("", TypeError), (b"0", TypeError), (np.array([b"1"]), TypeError),
    (["true"], TypeError), (float("nan"), ValueError), (np.float32("nan"), ValueError),
    (np.array([np.nan]), ValueError), (complex(0.0, np.nan), ValueError), (bytearray(b"0"), TypeError),
    (decimal.Decimal("NaN"), ValueError), (decimal.Decimal("sNaN"), ValueError), (memoryview(b"0"), TypeError),
])
def test_logical_flags_refuse_text_and_nan(vx, flag, cls):
    with pytest.raises(cls) as e:
        vx.utility.linspace(0.0, 1.0, 5, endpoint=flag)
    assert isinstance(e.value, vx.error) and "endpoint" in str(e.value)
    # The same for a flag of another component and one given by position.
    with pytest.raises(cls):
        vx.utility.getunpackedtriangle(np.arange(1.0, 7.0), 3, "R", upper=flag)
    assert int(vx.errorhandling.errstat) == 0


class _Recorder:
    """A callable object and a bound method, each taking three arguments."""

    def __init__(self, seen):
        self.seen = seen

    def __call__(self, f, df, x):
        self.seen.append((f, df, x))

    def method(self, f, df, x):
        self.seen.append((f, df, x))


# What a call-back of nrsafe, def dfunc(fl,df,x1,args,nfun,[na]), receives by
# the positional parameters it takes, as f2py's wrappers hand them: defaults
# count and keep their value where the routine has no more to give,
# keyword-only ones do not count, the extra arguments come last and as many of
# them as there is room for. Taking any number (*args), it receives them all
# (f2py would hand it none).
NRSAFE_ARGS = ["float", "float", "float", "ndarray", "int", "int"]
CALLBACK_FORMS = [
    ("three", lambda seen: lambda f, df, x: seen.append((f, df, x)), (), NRSAFE_ARGS[:3]),
    ("five", lambda seen: lambda f, df, x, a, nfun: seen.append((f, df, x, a, nfun)), (), NRSAFE_ARGS[:5]),
    ("six", lambda seen: lambda f, df, x, a, nfun, na: seen.append((f, df, x, a, nfun, na)), (), NRSAFE_ARGS),
    ("a defaulted seventh",
     lambda seen: lambda f, df, x, a, nfun, na, z="z": seen.append((f, df, x, a, nfun, na, z)), (),
     NRSAFE_ARGS + ["z"]),
    ("two and keyword-only", lambda seen: lambda f, df, *, k="k", **kw: seen.append((f, df, k)), (),
     NRSAFE_ARGS[:2] + ["k"]),
    ("*args", lambda seen: lambda *a: seen.append(a), ("e",), NRSAFE_ARGS + ["e"]),
    ("bound method", lambda seen: _Recorder(seen).method, (), NRSAFE_ARGS[:3]),
    ("callable object", lambda seen: _Recorder(seen), (), NRSAFE_ARGS[:3]),
    ("callable object, static __call__",
     lambda seen: type("Static", (), {"__call__": staticmethod(lambda f, df: seen.append((f, df)))})(), (),
     NRSAFE_ARGS[:2]),
    ("three with an extra one", lambda seen: lambda f, df, e: seen.append((f, df, e)), ("e",), NRSAFE_ARGS[:2] + ["e"]),
    ("one with two extra ones", lambda seen: lambda e: seen.append((e,)), ("e", "g"), ["e"]),
    ("eight with two extra ones",
     lambda seen: lambda f, df, x, a, nfun, na, e, g: seen.append((f, df, x, a, nfun, na, e, g)), ("e", "g"),
     NRSAFE_ARGS + ["e", "g"]),
]


@pytest.mark.parametrize("make, extra, want", [pytest.param(*c[1:], id=c[0]) for c in CALLBACK_FORMS])
def test_python_call_back_gets_as_many_arguments_as_it_takes(vx, make, extra, want):
    seen = []
    vx.math.nrsafe(make(seen), 0.0, 2.0, [1.0, 2.0], 1e-12, 0, 3, dfunc_extra_args=extra)
    assert seen and [v if isinstance(v, str) else type(v).__name__ for v in seen[0]] == want


def test_python_call_back_returns_at_most_its_outputs(vx):
    # fl and df returned; a third value has nowhere to go.
    root, istat = vx.math.nrsafe(lambda f, df, x: (x * x - 2, 2 * x), 0.0, 2.0, [0.0], 1e-12, 100, 0)
    assert abs(root - 2 ** 0.5) < 1e-12 and istat == 0
    with pytest.raises(ValueError, match="call-back nrsafe_dfunc: the function returned 3 values, the routine reads 2"):
        vx.math.nrsafe(lambda f, df, x: (x, 1.0, 0.0), 0.0, 2.0, [0.0], 1e-12, 100, 0)
    with pytest.raises(ValueError, match="call-back nrsafe_dfunc: output fl: expected one value, got 2"):
        vx.math.nrsafe(lambda f, df, x: [x, 1.0], 0.0, 2.0, [0.0], 1e-12, 100, 0)


def test_inferred_extents_default_and_check(vx):
    m = vx.math
    a = np.diag([2.0, 4.0, 8.0])
    np.testing.assert_allclose(m.matrixinverse(a), np.diag([0.5, 0.25, 0.125]))
    assert "Default: shape(a,0)" in m.matrixinverse.__doc__
    with pytest.raises(vx.error, match=r"\(shape\(a,1\)==n\) failed for argument n"):
        m.matrixinverse(np.ones((3, 2)))
    # Every input array sized by the extent is compared, the second one too.
    with pytest.raises(vx.error, match=r"\(len\(b\)==n\) failed for argument n"):
        m.vectormodalassurancecriterion(np.ones(3), np.ones(4))
    # An absent optional array is not compared; a given one is.
    z, ev = m.matrixeigenvectors(a)
    np.testing.assert_allclose(ev, [2.0, 4.0, 8.0])
    with pytest.raises(vx.error, match=r"\(len\(eigvals\)==n\) failed for argument n"):
        m.matrixeigenvectors(a, eigvals=np.zeros(4))


def test_members_found_by_any_name_object(vx):
    # A name built at run time is another object than the interned key: both
    # find the same member. Each routine's docstring opens with its signature.
    seen = 0
    for comp in (getattr(vx, c) for c in dir(vx) if type(getattr(vx, c)).__name__ == "component"):
        for name in dir(comp):
            fresh = "".join(list(name))
            a, b = getattr(comp, name), getattr(comp, fresh)
            if type(a).__name__ == "routine":
                assert a is b and a.__name__ == name
                assert f"{name}(" in a.__doc__.splitlines()[0], name
                seen += 1
            else:
                assert type(a) is type(b)
        with pytest.raises(AttributeError):
            getattr(comp, "no_such_member")
    assert seen > 250


def test_wrong_input_extent_is_refused_before_outputs_are_made(vx):
    # The outputs of this call would take 4.4 GB; the short input must be
    # refused before any of them is allocated.
    import tracemalloc
    tracemalloc.start()
    try:
        with pytest.raises(vx.error, match="comprstrength"):
            vx.sublaminate.getbukdatafromdds(np.zeros((3, 1, 1)), np.zeros((1, 1), np.int32), np.ones(1),
                                             np.ones((9, 2, 1)), np.ones((2, 1)), np.ones((2, 1)),
                                             np.ones((2, 1), np.int32), nsec=20000000)
        assert tracemalloc.get_traced_memory()[1] < 50_000_000
    finally:
        tracemalloc.stop()


def test_ready_and_converted_arrays_give_the_same_call(vx):
    # A ready input is used as it is, any other form converted: same results.
    # (Messages and records of both ways are compared for every routine in test_binding_paths.)
    f = vx.lamina.getnyestiffnessmatrix
    p = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.4, 5e3, 5e3, 3.5e3])
    c = f(p, 6)
    np.testing.assert_allclose(c @ vx.lamina.getnyecompliancematrix(p, 6), np.eye(6), atol=1e-12)
    for args, kw in (((list(p), 6), {}), ((p[:, None], 6), {}), ((np.repeat(p, 2)[::2], 6), {}),
                     ((p, np.int32(6)), {}), ((), {"props": p, "ntens": 6}), ((p, 6, 1), {})):
        np.testing.assert_array_equal(f(*args, **kw), c)
    d = f(p, 6)
    assert d is not c and d.flags.f_contiguous and d.flags.writeable
    d[:] = -1.0
    np.testing.assert_array_equal(f(p, 6), c)  # every call makes its own result
    ro = p.copy()
    ro.setflags(write=False)
    np.testing.assert_array_equal(f(ro, 6), c)


def _other_parameters(doc):
    """The entries under Other Parameters: (name, lines under it)."""
    if "\nOther Parameters\n" not in doc:
        return []
    body = doc.split("\nOther Parameters\n----------------\n", 1)[1]
    body = body.split("\n\n", 1)[0]
    entries = []
    for line in body.splitlines():
        if line and not line.startswith(" "):
            entries.append((line.split(" : ")[0], []))
        else:
            entries[-1][1].append(line.strip())
    return entries


def test_every_optional_argument_shows_its_default(vx):
    missing, seen = [], 0
    for comp in (getattr(vx, c) for c in dir(vx) if type(getattr(vx, c)).__name__ == "component"):
        for name in dir(comp):
            r = getattr(comp, name)
            if type(r).__name__ != "routine":
                continue
            for arg, lines in _other_parameters(r.__doc__):
                seen += 1
                if not lines or not lines[0].startswith("Default: ") or lines[0] == "Default: ":
                    missing.append(f"{name}.{arg}")
    assert missing == [] and seen > 600
    # The defaults the library applies itself, as the routine uses them.
    doc = dict(_other_parameters(vx.mccollection.mcrckpuck.__doc__))
    assert doc["gp"][0] == "Default: (0.3, 0.2, 0.15, 0.15)" and doc["sainc"][0] == "Default: 5.0 (degrees)"
    assert dict(_other_parameters(vx.laminate.getengconstsfromabdmatrix.__doc__))["tcflag"][0] == "Default: 0"


def test_flags_follow_their_argument_among_the_optional_ones(vx):
    # As in f2py: the call-back's extra arguments and the overwrite flag come
    # with the argument they belong to, before the optional extents.
    order = {r: [a for a, _ in _other_parameters(getattr(vx.math, r).__doc__)] for r in ("bdsafe", "fpsafe")}
    assert order == {"bdsafe": ["dfunc_extra_args", "na"], "fpsafe": ["dfunc_extra_args", "na"]}
    assert [a for a, _ in _other_parameters(vx.utility.matrixsort.__doc__)] == ["overwrite_a", "m", "n"]
