"""The calling contract that code written for f2py-wrapped modules relies on:
fixed extents and ranks, in/out arrays and scalars, the exception classes,
and routines of the module passed as call-backs."""
import importlib
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
    assert isinstance(e.value, importlib.import_module("_vexlan").error), repr(e.value)
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
        assert str(refusal(ValueError, call)) == message
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
    # Written in place and handed back as given, also by the fill family,
    # which writes through a view of the array.
    for routine, args, last in ((amplify, (3.0,), 15.0), (vx.utility.real_fillmatrixwithscalar, (2.0,), 2.0)):
        x = np.arange(6.0)
        assert routine(x, *args, overwrite_a=1) is x and x[-1] == last
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
        (IndexError, lambda: vx.utility.getidentitymatrix(np.array(2 + 0j))),
    ]
    for cls, call in cases:
        e = refusal(cls, call)
        assert type(e).__module__ == "_vexlan" and str(e).startswith(
            ("getamatrix: argument", "matrixcopy: argument", "shelltractiontransformation: argument",
             "getidentitymatrix: argument", "getidentitymatrix()")), str(e)
        # A refusal raised in a worker process travels back by pickling.
        back = pickle.loads(pickle.dumps(e))
        assert type(back) is type(e) and str(back) == str(e)
    # A failed check(...) on an extent refuses a size: the module's error and
    # ValueError. Any other failed check is the module's error, and nothing else.
    e = refusal(ValueError, lambda: vx.math.matrixinverse(eye, n=2))
    assert str(e) == "(shape(a,0)==n) failed for argument n: matrixinverse:n=2"
    e = refusal(vx.error, lambda: vx.utility.processlock(1, 2**29 + 1))
    assert not isinstance(e, (ValueError, TypeError))
    assert str(e) == "(maxid<=536870912) failed for argument maxid: processlock:maxid=536870913"


def test_complex_arrays_of_no_dimensions_are_refused_for_reals_and_integers(vx):
    # f2py refuses them with IndexError; here the class is a TypeError too.
    gp, u = vx.gpcollection, vx.utility
    s = np.array([30.0, 0, 0, 0, 0, 0])
    e = refusal(IndexError, lambda: gp.gpmaxnominal(np.array(0.5 + 1j), 100.0, 100.0))
    assert isinstance(e, TypeError)
    assert str(e) == "gpmaxnominal: argument s11: expected a real number, got a complex array of no dimensions " \
                     "(complex128)"
    # An in/out scalar is refused before the routine runs: the array keeps both parts.
    for given in (np.array(0.9 + 7j), np.array(0.9 + 7j, np.complex64)):
        before = given.copy()
        refusal(IndexError, lambda: gp.gpbauwens(s, 100.0, 100.0, given))
        assert given == before and given.dtype == before.dtype
    refusal(IndexError, lambda: u.getidentitymatrix(n=np.array(2 + 0j, np.complex64)))
    refusal(IndexError, lambda: gp.gpmaxnominal([np.array(0.5 + 0j)], 100.0, 100.0))  # as f2py, also in a list
    # Complex numbers and complex arrays of one or more dimensions give their real part, as in f2py.
    for given in (0.5 + 1j, np.complex128(0.5 + 1j), np.array([0.5 + 1j]), [[0.5 + 1j]]):
        assert gp.gpmaxnominal(given, 100.0, 100.0) == gp.gpmaxnominal(0.5, 100.0, 100.0)
    assert gp.gpbauwens(s, 100.0, 100.0, 0.9 + 7j) is None
    np.testing.assert_array_equal(u.getidentitymatrix(2 + 1j), np.eye(2))
    # A complex array of one value as an in/out real: the result goes into its real part alone,
    # as in f2py; the imaginary part is the caller's.
    for shape, dtype in (((1,), np.complex128), ((1, 1), np.complex64)):
        kept = np.full(shape, 0.9 + 7j, dtype)
        gp.gpbauwens(s, 100.0, 100.0, kept)  # d stays 0.9: the stress is below the threshold
        assert kept.ravel()[0] == np.array(0.9 + 7j, dtype)
        grown = np.full(shape, 0.0 + 7j, dtype)
        real = np.zeros(shape)
        gp.gpbauwens(np.array([300.0, 0, 0, 0, 0, 0]), 100.0, 100.0, grown)
        gp.gpbauwens(np.array([300.0, 0, 0, 0, 0, 0]), 100.0, 100.0, real)
        assert real.ravel()[0] > 0 and grown.ravel()[0] == np.array(real.ravel()[0] + 7j, dtype)


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


def _same(got, want):
    if isinstance(want, tuple):
        return isinstance(got, tuple) and len(got) == len(want) and all(_same(g, w) for g, w in zip(got, want))
    got, want = np.asarray(got), np.asarray(want)
    return np.array_equal(got, want, equal_nan=got.dtype.kind in "fc" and want.dtype.kind in "fc")


def test_answers_f2py_gives_or_refuses(vx):
    """Calls that gave a silently wrong answer, or a refusal of another class
    than f2py's: each with the value it returns (the same as the call on the
    right, where one is given) or the class it raises."""
    u, m, la, lam, mc = vx.utility, vx.math, vx.lamina, vx.laminate, vx.mccollection
    x5, a3 = np.arange(1.0, 6.0), np.array([3, 7, 9], np.int32)
    abd = lam.getabdmatrix(*(f(PLIES, ANGLES, THICK) for f in (lam.getamatrix, lam.getbmatrix, lam.getdmatrix)))
    puck = (-180.0, 0.0, 80.0, 0.0, 0.0, 50.0, 200.0, 80.0)
    eye3, ones3 = np.eye(3), np.ones(3)
    c_ordered = np.zeros((3, 2))
    strided = np.zeros((3, 4), order="F")[:, ::2]
    cases = [
        # None for an optional argument is its absence
        ("endpoint=None", lambda: u.linspace(0, 1, 5, endpoint=None), [0.0, 0.25, 0.5, 0.75, 1.0]),
        ("tail=None", lambda: u.getsubarray(x5, 2, tail=None), u.getsubarray(x5, 2)),
        ("notfound=None", lambda: u.int_findlocation(8, a3, notfound=None), -1),
        ("n=None", lambda: u.matrixcopy(eye3, n=None), eye3),
        ("xyorigin=None", lambda: vx.imageprocessing.ellipse(1.0, 1.0, 2.0, 1.0, xyorigin=None), 1.25),
        ("defcmplx=None", lambda: vx.listhandling.getsizeoflist(3, 2, defcmplx=None), vx.listhandling.getsizeoflist(3, 2)),
        ("positional Nones", lambda: mc.mcrckpuck(*puck, None, None, None, None, None), mc.mcrckpuck(*puck)),
        ("tcflag=None", lambda: lam.getengconstsfromabdmatrix(abd, 1.0, None), lam.getengconstsfromabdmatrix(abd, 1.0)),
        ("overwrite_a=None", lambda: u.real_fillmatrixwithscalar(np.zeros((2, 2), order="F"), 1.0, None),
         np.ones((2, 2))),
        ("extra args None", lambda: m.bdsafe(lambda f, d, x, a, n: x - 1.0, 0.0, 2.0, [0.0], 1e-12, 50, 1,
                                             dfunc_extra_args=None)[1], 0),
        # an extent given by another argument is the array's extent
        ("list longer than n", lambda: u.real_inlist(4.0, [1.0, 2.0, 3.0, 4.0], 3), ValueError),
        ("array longer than narray", lambda: vx.listhandling.int_appendarray2list(2, [7, 8, 9], 0, 2), ValueError),
        ("vectors longer than ntens",
         lambda: la.getspecificstrainenergy(0.0, np.ones(2), ones3, np.zeros(3), ones3, 2, 0, 0), ValueError),
        ("3 x 4 ddsdde", lambda: la.getstressvector(np.zeros(3), np.ones((3, 4)), ones3, ones3, 3, 0, 0), ValueError),
        ("n equal to the list", lambda: u.real_inlist(4.0, [1.0, 2.0, 3.0, 4.0], 4), 1),
        # kept on purpose: a square matrix, and the least size of a list
        ("3 x 2 for a square matrix", lambda: m.matrixinverse(np.ones((3, 2))), ValueError),
        ("fewer records than interfaces", lambda: vx.dic.getdmginfluencefactor(
            THICK, np.zeros((12, 2)), np.zeros((4, 2), np.int32)), ValueError),
        ("more records than interfaces", lambda: vx.dic.getdmginfluencefactor(
            THICK, np.zeros((12, 5)), np.zeros((4, 5), np.int32)), 1.0),
        # a scalar takes one value
        ("two values for s11", lambda: vx.gpcollection.gpmaxnominal(np.array([5.0, 2.0]), 10, 10), ValueError),
        ("one value for s11", lambda: vx.gpcollection.gpmaxnominal(np.array([5.0]), 10, 10), 0.5),
        ("a one-element list", lambda: vx.gpcollection.gpmaxnominal([[5.0]], 10, 10), 0.5),
        ("two values for n", lambda: u.getidentitymatrix([2, 3]), ValueError),
        ("no value for n", lambda: u.getidentitymatrix([]), ValueError),
        ("two values for a flag", lambda: u.linspace(0, 1, 5, endpoint=np.array([1, 0])), ValueError),
        ("a flag of [0]", lambda: u.linspace(0, 1, 4, endpoint=[0]), [0.0, 0.25, 0.5, 0.75]),
        # an in/out flag takes one value
        ("in/out flag of two", lambda: m.gssafe(np.array(0.5), np.array(0.0), 0.0, np.zeros(6), np.zeros(6),
                                               np.zeros(4), np.zeros(4), np.array([1e-6, 1.0]),
                                               np.array(0, np.int32), np.array(0, np.int32), np.array(0, np.int32),
                                               np.array(1, np.int8), np.zeros(2, np.int8), np.array(0, np.int8),
                                               0.0), ValueError),
        # a bytearray is text, not the character codes of a sequence
        ("bytearray for n", lambda: u.getidentitymatrix(bytearray(b"2")), TypeError),
        ("bytearray for s11", lambda: vx.gpcollection.gpmaxnominal(bytearray(b"5"), 10, 10), TypeError),
        ("memoryview of text for n", lambda: u.getidentitymatrix(memoryview(b"2")), TypeError),
        # texts are ASCII
        ("non-ASCII text", lambda: vx.stringhandling.lowercase("\u00e9t\u00e9", 3), ValueError),
        ("non-ASCII bytes", lambda: vx.stringhandling.lowercase(b"A\xe9", 2), b"a\xe9"),
        # tcflag is an integer
        ("tcflag 2**64", lambda: lam.getengconstsfromabdmatrix(abd, 1.0, 2**64), OverflowError),
        ("tcflag NaN", lambda: lam.getengconstsfromabdmatrix(abd, 1.0, float("nan")), ValueError),
        ("tcflag inf", lambda: lam.getengconstsfromabdmatrix(abd, 1.0, float("inf")), OverflowError),
        ("tcflag 256", lambda: lam.getengconstsfromabdmatrix(abd, 1.0, 256), lam.getengconstsfromabdmatrix(abd, 1.0, 1)),
        # overwrite_a fills in place only an array in Fortran order
        ("C order, overwrite", lambda: (u.real_fillmatrixwithscalar(c_ordered, 2.0, 1).sum(), c_ordered.sum()),
         (12.0, 0.0)),
        ("strided, overwrite", lambda: (u.real_fillmatrixwithscalar(strided, 2.0, 1).sum(), strided.sum()),
         (12.0, 0.0)),
        # extents that disagree between arrays: ValueError
        ("3 thicknesses for 4 plies", lambda: lam.getamatrix(PLIES, ANGLES, THICK[:3]), ValueError),
        ("b of 3 rows", lambda: u.matrixsort(np.zeros((2, 2)), np.ones((3, 2)), [1, 1]), ValueError),
    ]
    wrong = []
    for label, call, want in cases:
        vx.errorhandling.rsxerr(1)
        try:
            got = call()
        except Exception as e:  # noqa: BLE001 - the class is what is compared
            if not (isinstance(want, type) and isinstance(e, want) and isinstance(e, vx.error)):
                wrong.append((label, repr(e)))
            continue
        if isinstance(want, type) or not _same(got, want):
            wrong.append((label, got))
    assert wrong == []


def test_scalar_data_take_one_real_value(vx):
    eh, sd = vx.errorhandling, vx.shokriehdata
    for datum, value, cls in ((eh, 1 + 2j, TypeError), (eh, np.complex128(3), TypeError),
                              (eh, np.array([1j]), TypeError), (eh, np.array([5, 6]), ValueError),
                              (eh, [], ValueError), (sd, 1 + 0j, TypeError), (sd, [1.0, 2.0], ValueError)):
        name = "errorhandling.errstat" if datum is eh else "shokriehdata.dnf"
        setattr(datum, name.split(".")[1], 7)
        e = refusal(cls, lambda: setattr(datum, name.split(".")[1], value))
        assert str(e).startswith(name + ": ")
        assert getattr(datum, name.split(".")[1]) == 7  # unchanged
    eh.errstat = np.array([5])
    sd.dnf = [[2.5]]
    assert int(eh.errstat) == 5 and float(sd.dnf) == 2.5
    eh.rsxerr(1)
    jd = vx.jobdata
    jd.jobname = b"job-\xe9"  # bytes are stored as given
    e = refusal(ValueError, lambda: setattr(jd, "jobname", "caf\u00e9"))
    assert "jobdata.jobname: the text holds a character outside ASCII ('\u00e9' at position 3)" == str(e)
    assert bytes(jd.jobname).startswith(b"job-\xe9")


def test_python_call_backs_of_the_root_finders_may_write_args(vx):
    # What the function writes into args stays for its next calls; the
    # caller's read-only array is not written.
    for finder in (vx.math.bdsafe, vx.math.nrsafe):
        calls = []

        def f(fa, d0, x, args, nfun):
            calls.append(args[1])
            args[1] += 1.0
            return x * x - args[0], 2.0 * x

        given = np.array([2.0, 0.0])
        given.setflags(write=False)
        root, istat = finder(f, 0.0, 2.0, given, 1e-12, 100, 1)
        assert root == pytest.approx(np.sqrt(2.0)) and istat == 0
        assert calls == [float(k) for k in range(len(calls))] and len(calls) > 3
        assert given.tolist() == [2.0, 0.0]
        writable, n = np.array([2.0, 0.0]), len(calls)
        finder(f, 0.0, 2.0, writable, 1e-12, 100, 1)
        assert writable[1] == len(calls) - n  # as in f2py, the routine's vector is the caller's array
