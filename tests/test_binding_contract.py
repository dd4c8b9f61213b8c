"""The calling contract that code written for f2py-wrapped modules relies on:
fixed extents and ranks, in/out arrays and scalars, the exception classes,
and routines of the module passed as call-backs."""
import pickle

import numpy as np
import pytest

from conftest import run_python

PLY = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3])
PLIES = np.asfortranarray(np.tile(PLY[:, None], (1, 4)))
ANGLES, THICK = np.array([0.0, 45.0, -45.0, 90.0]), np.full(4, 0.125)


def refusal(cls, call):
    """The refusal raised by call, checked to be both cls and the module's error."""
    with pytest.raises(cls) as e:
        call()
    return e.value


def test_fixed_extents_and_ranks_are_the_arrays_own(vx):
    la, lam = vx.laminate, vx.lamina
    eleven = np.vstack([PLIES, np.ones((2, 4))])  # the ply arrays of other routines carry 11 rows
    refused = [
        (lambda: la.getamatrix(eleven, ANGLES, THICK),
         "getamatrix: argument plyelastic: axis 0 has extent 11, expected 9"),
        (lambda: lam.getvoigtstiffnessfromtensor(np.ones(81)),
         "getvoigtstiffnessfromtensor: argument c_4th: axis 0 has extent 81, expected 3"),
        (lambda: lam.getvoigtstiffnessfromtensor(np.ones((3, 3, 9))),
         "getvoigtstiffnessfromtensor: argument c_4th: axis 2 has extent 9, expected 3"),
        (lambda: lam.getvoigtstiffnessfromtensor(np.ones((3, 3, 3, 3, 2))),
         "getvoigtstiffnessfromtensor: argument c_4th: expected an array of rank 4, got rank 5"),
        (lambda: lam.getnyestiffnessmatrix(2.0, 6),
         "getnyestiffnessmatrix: argument props: axis 0 has extent 1, expected 9"),
    ]
    for call, message in refused:
        e = refusal(ValueError, call)
        assert isinstance(e, vx.error) and str(e) == message
    # Axes of length 1 may be added or left out, as f2py allows.
    a = la.getamatrix(PLIES, ANGLES, THICK)
    np.testing.assert_array_equal(la.getamatrix(PLIES[None], ANGLES, THICK), a)
    np.testing.assert_array_equal(la.getamatrix(PLIES[:, 0], ANGLES[:1], THICK[:1]),
                                  la.getamatrix(PLIES[:, :1], ANGLES[:1], THICK[:1]))
    c4 = lam.gettensorfromvoigtstiffness(lam.getnyestiffnessmatrix(PLY, 6))
    np.testing.assert_array_equal(lam.getvoigtstiffnessfromtensor(c4[..., None]),
                                  lam.getvoigtstiffnessfromtensor(c4))


def test_in_out_arrays_keep_the_callers_shape(vx):
    amplify = vx.math.matrixamplify  # a(n,m), in and out: returned
    for given in (np.arange(6.0), np.arange(6.0).reshape(2, 3), [[1.0, 2.0], [3.0, 4.0]], 5.0, np.ones((6, 1, 1))):
        np.testing.assert_array_equal(amplify(given, 2.0), 2.0 * np.asarray(given), strict=True)
    x = np.arange(6.0)
    r = amplify(x, 3.0, overwrite_a=1)
    assert r is x and x[-1] == 15.0  # written in place and handed back as given
    traction = vx.elementhandling.shelltractiontransformation  # ntrac(3), nrot(ndim): written only
    rot = np.array([[0.0, -1.0, 0.0], [1.0, 0.0, 0.0], [0.0, 0.0, 1.0]], order="F")
    ntrac, nrot = np.array([1.0, 2.0, 3.0]), np.array([4.0, 5.0, 6.0])
    traction(ntrac, nrot, rot, rot)
    assert not np.array_equal(ntrac, [1.0, 2.0, 3.0])
    for shape in ((3, 1), (1, 3), (1, 3, 1)):
        a, b = np.array([1.0, 2.0, 3.0]).reshape(shape), np.array([4.0, 5.0, 6.0]).reshape(shape)
        traction(a, b, rot, rot)
        np.testing.assert_array_equal(a.ravel(), ntrac)
        np.testing.assert_array_equal(b.ravel(), nrot)
    e = refusal(ValueError, lambda: traction(np.zeros((3, 2), order="F"), nrot, rot, rot))
    assert str(e) == "shelltractiontransformation: argument ntrac: expected an array of rank 1, got rank 2"


def test_refusals_raise_the_class_f2py_raises(vx):
    eye = np.eye(3)
    traction = vx.elementhandling.shelltractiontransformation  # ntrac(3), nrot(ndim) in/out
    cases = [
        (ValueError, lambda: vx.laminate.getamatrix(PLIES[:8], ANGLES, THICK)),
        (ValueError, lambda: vx.utility.matrixcopy(np.ones((2, 3, 4)))),
        (ValueError, lambda: vx.utility.matrixcopy("text")),
        (ValueError, lambda: traction(np.zeros(3, np.float32), np.zeros(3), eye, eye)),
        (ValueError, lambda: traction(np.zeros(6)[::2], np.zeros(3), eye, eye)),
        (ValueError, lambda: traction(np.zeros(4), np.zeros(3), eye, eye)),
        (TypeError, lambda: traction([0.0, 0.0, 0.0], np.zeros(3), eye, eye)),
        (TypeError, lambda: traction(None, np.zeros(3), eye, eye)),
        (TypeError, lambda: vx.utility.getidentitymatrix(None)),
        (TypeError, lambda: vx.utility.getidentitymatrix()),
        (OverflowError, lambda: vx.utility.getidentitymatrix(2**31)),
        (OverflowError, lambda: vx.utility.getidentitymatrix(float("inf"))),
        (ValueError, lambda: vx.utility.getidentitymatrix(float("nan"))),
    ]
    for cls, call in cases:
        e = refusal(cls, call)
        assert isinstance(e, vx.error) and type(e).__module__ == "_vexlan" and str(e).startswith(
            ("getamatrix: argument", "matrixcopy: argument", "shelltractiontransformation: argument",
             "getidentitymatrix: argument", "getidentitymatrix()")), str(e)
        # A refusal raised in a worker process travels back by pickling.
        back = pickle.loads(pickle.dumps(e))
        assert type(back) is type(e) and str(back) == str(e)
    # A failed check(...) on an extent refuses a size: the module's error and
    # ValueError. Any other failed check is the module's error, and nothing else.
    e = refusal(ValueError, lambda: vx.math.matrixinverse(eye, n=2))
    assert isinstance(e, vx.error) and str(e) == "(shape(a,0)==n) failed for argument n: matrixinverse:n=2"
    e = refusal(vx.error, lambda: vx.utility.processlock(1, 2**29 + 1))
    assert not isinstance(e, (ValueError, TypeError))
    assert str(e) == "(maxid<=536870912) failed for argument maxid: processlock:maxid=536870913"


def test_in_out_scalars_take_numbers_and_arrays(vx):
    # The types and casts of in/out scalars are the engine tests'; here the
    # damage of a criterion, as callers of the library pass it.
    bauwens = vx.gpcollection.gpbauwens
    s, xt, xc = np.array([30.0, 0, 0, 0, 0, 0]), 50.0, 100.0
    d, d32 = np.array(0.0), np.zeros((1, 1), np.float32)
    bauwens(s, xt, xc, d)
    bauwens(s, xt, xc, d32)
    assert 0.0 < float(d) < 1.0 and d32[0, 0] == np.float32(d)
    # A number or a one-element list is taken; there is nothing to write back.
    assert bauwens(s, xt, xc, 0.0) is None and bauwens(s, xt, xc, [0.0]) is None
    read_only = np.array(0.0)
    read_only.setflags(write=False)
    for given, why in ((np.array(0, np.int64), "of a type that cannot take the result"),
                       (np.zeros(0), "empty"), (read_only, "read-only")):
        e = refusal(ValueError, lambda: bauwens(s, xt, xc, given))
        assert f"gpbauwens: argument d: the in/out array ({given.dtype}) is {why}" in str(e)
    assert float(read_only) == 0.0


def test_routines_passed_as_stress_laws_must_take_what_the_tangent_hands_them(vx):
    # Each of these used to reach the native loop and crash or return garbage:
    # a complex law under central differences, a law with a seventh argument,
    # a real law under the complex step, and a routine that is no law at all.
    out, rc = run_python(r'''
import numpy as np, _vexlan as vx
el = vx.elasticity
strain = np.array([1e-3, -2e-4, 3e-4, 1e-4, 2e-4, -1e-4])
props = np.array([140e3, 10e3, 10e3, 0.3, 0.3, 0.45, 5e3, 5e3, 3.5e3])
for law, nmflag in ((el.cmplx_getstressfromanisotropichyperelasticity._cpointer, 0),
                    (el.getstressfromdevvoldecomposition._cpointer, 0),
                    (el.getstressfromorthotropicelasticity._cpointer, 1),
                    (el.getstressfromorthotropicelasticity, 1),
                    (vx.utility.matrixcopy, 0)):
    try:
        el.getnumericaltangent(law, props, strain, np.zeros(6), strain, 3, 0, nmflag=nmflag)
        print("accepted")
    except vx.error as e:
        print(type(e).__name__, e)
''')
    lines = out.decode().splitlines()
    assert rc == 0 and len(lines) == 5, out
    head = "typeerror getnumericaltangent: argument getstressfromelasticity: routine "
    real = "void (double*, const double*, const double*, const int32_t*, const int32_t*, const int32_t*)"
    cplx = "void (complex*, const complex*, const double*, const int32_t*, const int32_t*, const int32_t*)"
    assert lines[0] == f"{head}cmplx_getstressfromanisotropichyperelasticity takes {cplx}, " \
                       f"the call-back is called as {real}"
    assert lines[1].startswith(f"{head}getstressfromdevvoldecomposition takes void (double*, ")
    assert lines[1].endswith(f"const int32_t*, double*), the call-back is called as {real}")
    assert lines[2] == lines[3] == f"{head}getstressfromorthotropicelasticity takes {real}, " \
                                   f"the call-back is called as {cplx}"
    assert lines[4].startswith(f"{head}matrixcopy takes void (const double*, double*, ")
