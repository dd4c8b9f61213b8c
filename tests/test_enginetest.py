"""Grammar of the binding rows that the library's own routines do not use yet,
and the import check of rows against their functions, through the test rows
of development builds (component enginetest)."""
import numpy as np
import pytest


@pytest.fixture
def et(vx):
    if not hasattr(vx, "enginetest"):
        pytest.skip("built without the engine's test rows")
    return vx.enginetest


def test_planted_rows_are_refused_naming_routine_and_argument(vx, et):
    refused = dict(vx._planted_rows())
    assert refused == {
        "y = planted_intent(x,[n])":
            "planted_intent: argument x is declared f8 array out but planted takes const double*",
        "y = planted_type(x,[n])":
            "planted_type: argument n is declared f8 in but planted takes const int32_t*",
        "y = planted_output(x,[n])":
            "planted_output: argument y is declared i4 array out but planted takes double*",
        "y = planted_default(x,[n])":
            "optional argument 'n' has neither a default nor an absent text",
        "y = planted_callback(f,[n])":
            "call-back enginetest_handwritten: the signature ends at ')': its return part is made from the outputs",
    }


def test_arrays_of_texts(vx, et):
    # Inputs are cut or blank-padded to 4 characters, outputs to 6.
    out = et.textreverse(["ab", "cdefgh", "x"])
    assert out.dtype == np.dtype("S6") and out.shape == (3,)
    assert out.tolist() == [b"X     ", b"CDEF  ", b"AB    "]
    assert et.textreverse(np.array([b"ab", b"cd"]), 2).tolist() == [b"CD    ", b"AB    "]
    assert et.textreverse("solo").tolist() == [b"SOLO  "]
    # The count of texts is their number, as any extent: more or fewer are refused.
    for texts, n in ((["ab"], 2), (np.array([b"ab", b"cd"]), 1)):
        with pytest.raises(ValueError, match=r"len\(texts\)==n"):
            et.textreverse(texts, n)
    with pytest.raises(vx.error, match="array of texts"):
        et.textreverse(["\u20ac"])


def test_arrays_of_texts_in_place(vx, et):
    t = np.array([b"abc", b"defg"], dtype="S4")
    r = et.textstamp(t, "Z")
    assert t.tolist() == [b"Zbc", b"Zefg"] and r is t
    with pytest.raises(TypeError, match="an in/out argument must be an array of type S, got list"):
        et.textstamp(["abc"], "Z")  # a list cannot be changed in place
    with pytest.raises(ValueError, match=r"the in/out array \(<U3\) is of another type"):
        et.textstamp(np.array(["abc"]), "Z")


def test_callback_array_outputs_returned_or_written(vx, et):
    strain = np.array([1.0, -2.0, 0.5])
    np.testing.assert_array_equal(et.applylaw(lambda s, e, n: 3 * e, strain), 3 * strain)

    def in_place(s, e, n):
        s[:] = e + n
    np.testing.assert_array_equal(et.applylaw(in_place, strain), strain + 3)
    with pytest.raises(vx.error, match="output stress takes 3 values, the function returned 2"):
        et.applylaw(lambda s, e, n: e[:2], strain)

    def writes_input(s, e, n):
        e[0] = 7.0
    with pytest.raises(ValueError, match="read-only"):
        et.applylaw(writes_input, strain)
    assert strain[0] == 1.0


def test_callback_declaration_chosen_per_call(et):
    seen = []

    def law(s, e, n):
        seen.append(e.dtype)
        return 2 * e
    strain = [1.0, 2.0]
    np.testing.assert_array_equal(et.applylaw(law, strain, mode=1), [2.0, 4.0])
    np.testing.assert_array_equal(et.applylaw(law, strain), [2.0, 4.0])
    assert seen == [np.complex128, np.float64]
    # A routine of the module or its capsule is called natively, when it takes
    # what the declaration chosen for this call passes (messages: test_binding_contract).
    np.testing.assert_array_equal(et.applylaw(et.doublelaw, strain), [2.0, 4.0])
    np.testing.assert_array_equal(et.applylaw(et.doublelaw._cpointer, strain), [2.0, 4.0])
    with pytest.raises(TypeError, match="routine doublelaw takes"):
        et.applylaw(et.doublelaw._cpointer, strain, mode=1)


def test_function_callback_result(et):
    assert et.sumof(lambda x: x * x + 1.0, 2.0, 3.0) == 15.0
    assert et.sumof(et.square, 2.0, 3.0) == 13.0  # a routine of the module, called natively
    assert et.sumof(et.square._cpointer, -2.0, 0.5) == 4.25
    assert "  def f(x): return r\n" in et.sumof.__doc__
    assert et.applylaw.__doc__.count("\n    def law(stress,strain,n): return stress\n") == 2
    # A returned value is read as an argument of its type is.
    with pytest.raises(IndexError, match="enginetest_fun: output r: expected a real number, got a complex array"):
        et.sumof(lambda x: np.array(x + 0j), 2.0, 3.0)
    with pytest.raises(ZeroDivisionError):
        et.sumof(lambda x: 1.0 / x, 1.0, 0.0)
    # One value is read; a second is refused rather than dropped.
    with pytest.raises(ValueError, match="enginetest_fun: the function returned 2 values, the routine reads 1"):
        et.sumof(lambda x: (x, 1.0), 2.0, 3.0)
    assert et.sumof(lambda x: (x,), 2.0, 3.0) == 5.0


def _general(x):
    """The same value as a numpy scalar, which only the general conversion takes."""
    return {bool: np.bool_, int: np.int64, float: np.float64, complex: np.complex128}[type(x)](x)


def test_scalar_values_arrive_as_given(et):
    # Each plain scalar type, given as exact Python numbers, and the same
    # values in forms only the general conversion accepts: identical results.
    cases = [
        ((1.0, 0.1, 7, 2, 0, 1 + 2j), {}, (1.0, float(np.float32(0.1)), 7, 1, 0, 1 + 2j, -3, 0, 6.0, -1.0)),
        ((-2.5, 3, -2**31, True, 1.0, 4.0), {}, (-2.5, 3.0, -2**31, 1, 1, 4 + 0j, -3, 0, 6.0, -1.0)),
        ((2**53 + 1, 1e39, 2**31 - 1, 0.0, False, -1j), {"opt": 0.5, "io": 1.25, "k": 9},
         (float(2**53) + 0.5, float("inf"), 2**31 - 1, 0, 0, -1j, 9, 1, 2.5, -1.0)),
    ]
    for args, kw, want in cases:
        fast = et.echo(*args, **kw)
        assert fast == want, (args, kw, fast)
        general = et.echo(*map(_general, args), **{k: _general(v) for k, v in kw.items()})
        assert general == want
        assert [type(v) for v in fast] == [type(v) for v in general]
    # Keywords: the interned names of the call, and names built at run time.
    kw = dict(d=1.0, f=2.0, i=3, b=0, l=1, z=1j, k=4)
    assert et.echo(**kw) == et.echo(**{"".join(k): v for k, v in kw.items()}) == \
        (1.0, 2.0, 3, 0, 1, 1j, 4, 0, 6.0, -1.0)
    assert et.echo(1.0, 2.0, 3, 0, 1, 1j, io=0.5)[-2:] == (1.0, -1.0)
    # An optional array: absent, the routine sees none; given, its values.
    assert et.echo(1.0, 2.0, 3, 0, 1, 1j, arr=[1.0, 2.5])[-1] == 3.5
    assert et.echo(1.0, 2.0, 3, 0, 1, 1j, 0.0, 1.0, 0, np.array([4.0, -1.0]))[-1] == 3.0
    # Values the general path converts its own way.
    assert et.echo(1.0, 2.0, 3.9, [0.5], [], 2)[2:6] == (3, 1, 0, 2 + 0j)


def test_scalar_errors_keep_their_messages(vx, et):
    good = (1.0, 2.0, 3, 0, 1, 1j)

    def fails(exc, text, *args, **kw):
        with pytest.raises(exc) as e:
            et.echo(*args, **kw)
        assert str(e.value) == text

    fails(TypeError, "echo: argument d: expected a real number, got NoneType", None, *good[1:])
    fails(OverflowError, "echo: argument d: value out of the range of a real number", 2**1100, *good[1:])
    fails(OverflowError, "echo: argument z: value out of the range of a complex number", *good[:5], 2**1100)
    fails(OverflowError, "echo: argument i: value out of the range of a 32-bit integer",
          *good[:2], 2**31, *good[3:])
    fails(TypeError, "echo: argument z: expected a complex number, got str", *good[:5], "1j")
    fails(IndexError, "echo: argument d: expected a real number, got a complex array of no dimensions (complex128)",
          np.array(1 + 0j), *good[1:])
    fails(IndexError, "echo: argument f: expected a real number, got a complex array of no dimensions (complex64)",
          good[0], np.array(2, np.complex64), *good[2:])
    fails(IndexError, "echo: argument i: expected an integer, got a complex array of no dimensions (complex128)",
          *good[:2], np.array(3 + 0j), *good[3:])
    fails(vx.error, "(k<10) failed for argument k: echo:k=10", *good, k=10)
    fails(TypeError, "echo() missing required argument 'z' (pos 6)", *good[:5])
    fails(TypeError, "echo() takes at most 10 arguments (11 given)", *good, 1.0, 1.0, 1, [1.0, 1.0], 1)
    fails(ValueError, "echo: argument arr: axis 0 has extent 1, expected 2", *good, arr=[1.0])
    fails(TypeError, "echo() got an unexpected keyword argument 'zz'", *good, zz=1.0)
    fails(TypeError, "echo() got multiple values for argument 'd'", *good, d=1.0)


def test_in_out_scalars_of_every_type(vx, et):
    # Given as arrays, each value comes back: in place for the declared type,
    # through a cast for another type of the same kind.
    base = dict(d=1.5, f=2.5, i=3, z=1 + 2j, b=0, l=1)
    changed = dict(d=3.0, f=5.0, i=4, z=-2 + 1j, b=1, l=0)
    arrays = [
        ("d", np.array(1.5)), ("d", np.array(1.5, np.float32)), ("d", np.array([1.5])), ("d", np.full((1, 1), 1.5)),
        ("f", np.array(2.5, np.float32)), ("f", np.array(2.5)),
        ("i", np.array(3, np.int32)), ("i", np.array(3, np.int64)), ("i", np.array(3.0)), ("i", np.array([3 + 0j])),
        ("z", np.array(1 + 2j)), ("z", np.array(1 + 2j, np.complex64)),
        ("b", np.array(0, np.int8)), ("b", np.array(False)), ("l", np.array(1, np.int32)), ("l", np.array(True)),
    ]
    for name, given in arrays:
        before = given.copy()
        assert et.inoutscalars(**{**base, name: given}) is None
        assert given.dtype == before.dtype and given.shape == before.shape
        assert given.flat[0] == changed[name], (name, given.dtype)
    # Plain numbers are taken; nothing can come back to them.
    assert et.inoutscalars(**base) is None
    # An array that cannot hold the result without changing its kind is refused.
    for name, given in (("d", np.array(1, np.int32)), ("z", np.array(1.0)), ("f", np.array(False)),
                        ("d", np.array(b"x")), ("l", np.array(b"x")), ("i", np.array(None))):
        with pytest.raises(ValueError, match=f"inoutscalars: argument {name}: the in/out array"):
            et.inoutscalars(**{**base, name: given})
    # A complex array of no dimensions has no real or integer value (f2py's
    # IndexError); a complex or logical in/out scalar takes it.
    for name, given in (("d", np.array(1.5 + 2j)), ("f", np.array(2.5 + 0j, np.complex64)), ("i", np.array(3 + 0j))):
        before = given.copy()
        with pytest.raises(IndexError, match=f"inoutscalars: argument {name}: expected (a real number|an integer), "
                                             r"got a complex array of no dimensions \(complex"):
            et.inoutscalars(**{**base, name: given})
        assert given == before
    for name, given, after in (("z", np.array(1 + 2j), -2 + 1j), ("b", np.array(0j), 1 + 0j), ("l", np.array(1j), 0j)):
        assert et.inoutscalars(**{**base, name: given}) is None and given == after
    # Only one value could come back: an array of several is refused, untouched.
    for name, given in (("d", np.array([1.5, 9.0])), ("b", np.zeros(2, np.int8)), ("l", np.ones((2, 1), np.int32))):
        before = given.copy()
        with pytest.raises(ValueError, match=f"argument {name}: the in/out array .* holds 2 values, expected one"):
            et.inoutscalars(**{**base, name: given})
        np.testing.assert_array_equal(given, before)
    doc = et.inoutscalars.__doc__
    for name, kind in (("d", "float,'d'"), ("f", "float,'f'"), ("i", "int,'i'"), ("z", "complex,'D'"),
                       ("b", "int,'b'"), ("l", "int,'i'")):
        assert f"{name} : in/output rank-0 array({kind})\n" in doc
