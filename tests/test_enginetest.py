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
    }


def test_arrays_of_texts(vx, et):
    # Inputs are cut or blank-padded to 4 characters, outputs to 6.
    out = et.textreverse(["ab", "cdefgh", "x"])
    assert out.dtype == np.dtype("S6") and out.shape == (3,)
    assert out.tolist() == [b"X     ", b"CDEF  ", b"AB    "]
    assert et.textreverse(np.array([b"ab", b"cd"]), 1).tolist() == [b"AB    "]
    assert et.textreverse("solo").tolist() == [b"SOLO  "]
    with pytest.raises(vx.error, match=r"len\(texts\)>=n"):
        et.textreverse(["ab"], 2)
    with pytest.raises(vx.error, match="array of texts"):
        et.textreverse(["\u20ac"])


def test_arrays_of_texts_in_place(vx, et):
    t = np.array([b"abc", b"defg"], dtype="S4")
    r = et.textstamp(t, "Z")
    assert t.tolist() == [b"Zbc", b"Zefg"] and r is t
    with pytest.raises(vx.error, match="intent\\(inout\\)"):
        et.textstamp(["abc"], "Z")  # a list cannot be changed in place


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
    # A routine of the module or its capsule is called natively.
    np.testing.assert_array_equal(et.applylaw(et.doublelaw, strain), [2.0, 4.0])
    np.testing.assert_array_equal(et.applylaw(et.doublelaw._cpointer, strain), [2.0, 4.0])
    np.testing.assert_array_equal(et.applylaw(lambda s, e, n, k: k * e, strain, law_extra_args=(5.0,)),
                                  [5.0, 10.0])


def test_function_callback_result(et):
    assert et.sumof(lambda x: x * x + 1.0, 2.0, 3.0) == 15.0
    assert et.sumof(et.square, 2.0, 3.0) == 13.0  # a routine of the module, called natively
    assert et.sumof(et.square._cpointer, -2.0, 0.5) == 4.25
    assert "  def f(x): return r\n" in et.sumof.__doc__
    with pytest.raises(ZeroDivisionError):
        et.sumof(lambda x: 1.0 / x, 1.0, 0.0)
