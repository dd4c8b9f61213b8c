"""Component data as seen from Python: scalars, texts, resizable arrays, constants."""
import gc

import numpy as np
import pytest

from conftest import run_python


def test_fresh_process_state():
    out, rc = run_python(
        "import _vexlan as v\n"
        "print(v.jobdata.stepid, v.materialdata.peprops, v.errorhandling.errintv)\n"
        "print(int(v.jobdata.nsteps), int(v.debugdata.nupdate), int(v.debugdata.unitid), float(v.shokriehdata.dnf))\n"
        "print(bytes(v.jobdata.jobname) == bytes(256), v.jobdata.jobname[()] == b'')\n"
        "print(v.types.i4, v.types.dp, v.types.qp, v.types.cb, v.types.i2, v.types.i8, v.types.sp)\n"
    )
    assert rc == 0
    assert out.decode().split("\n")[:4] == ["None None None", "0 0 0 0.0", "True True", "4 8 16 1 2 8 4"]


def test_scalar_shares_storage(vx):
    n = vx.sectiondata.nsec
    assert n.shape == () and n.dtype == np.int32
    vx.sectiondata.nsec = 7
    assert int(n) == 7  # the earlier view sees the change
    n[()] = 3
    assert int(vx.sectiondata.nsec) == 3
    vx.shokriehdata.dnfshok = 2.5
    assert float(vx.shokriehdata.dnfshok) == 2.5
    vx.sectiondata.nsec = 4.9  # converted to the datum's type
    assert int(vx.sectiondata.nsec) == 4
    with pytest.raises(TypeError):
        vx.sectiondata.nsec = None


def test_text_assignment_copies_only_given_bytes(vx):
    vx.jobdata.jobname = "abcdefgh"
    vx.jobdata.jobname = "xyz"
    assert vx.jobdata.jobname[()] == b"xyzdefgh"
    vx.jobdata.jobname = b"  "
    assert vx.jobdata.jobname[()] == b"  zdefgh"  # blanks stay
    long = "q" * 300
    vx.jobdata.joboutdir = long  # cut to the datum's 256 characters
    assert vx.jobdata.joboutdir[()] == b"q" * 256
    assert vx.jobdata.joboutdir.dtype == np.dtype("S256")
    # the neighbouring datum is untouched
    assert vx.jobdata.jobname[()] == b"  zdefgh"


def test_array_allocation_rules(vx):
    vx.impactdata.cprops = None
    assert vx.impactdata.cprops is None
    vx.impactdata.cprops = np.arange(6.0).reshape(3, 2)
    a = vx.impactdata.cprops
    assert a.shape == (3, 2) and a.flags.f_contiguous and a.dtype == np.float64
    np.testing.assert_array_equal(a, np.arange(6.0).reshape(3, 2))
    # same extents: values copied in place, the old view sees them
    vx.impactdata.cprops = np.ones((3, 2))
    np.testing.assert_array_equal(a, 1.0)
    # other extents: reallocated
    vx.impactdata.cprops = np.zeros((20, 2))
    assert vx.impactdata.cprops.shape == (20, 2)
    vx.impactdata.cprops = [[1, 2], [3, 4]]  # lists are converted
    assert vx.impactdata.cprops.tolist() == [[1.0, 2.0], [3.0, 4.0]]
    vx.impactdata.cprops = None


def test_first_extent_zero_leaves_unallocated(vx):
    vx.loaddata.dprops = np.zeros((0, 3))
    assert vx.loaddata.dprops is None
    vx.loaddata.dprops = np.ones((2, 3))
    vx.loaddata.dprops = np.zeros((0, 3))  # other extents: freed, and not allocated again
    assert vx.loaddata.dprops is None
    # a zero second extent allocates an empty array, which is not None
    vx.loaddata.dprops = np.zeros((2, 0))
    assert vx.loaddata.dprops is not None and vx.loaddata.dprops.shape == (2, 0)
    vx.loaddata.dprops = None


def test_views_never_dangle(vx):
    vx.materialdata.temperatures = np.array([1.0, 2.0, 3.0])
    view = vx.materialdata.temperatures
    vx.materialdata.temperatures = None  # the library frees the datum
    gc.collect()
    filler = [np.full(3, 9.0) for _ in range(1000)]  # reuse freed memory if it were freed
    np.testing.assert_array_equal(view, [1.0, 2.0, 3.0])
    view[0] = 5.0  # still writable, detached from the datum
    assert vx.materialdata.temperatures is None
    vx.materialdata.temperatures = np.array([7.0, 8.0])
    assert view[0] == 5.0 and vx.materialdata.temperatures[0] == 7.0
    del filler


def test_rank_and_type_conversion(vx):
    vx.elementdata.elemlist = [1.9, 2.2, 3.0]
    assert vx.elementdata.elemlist.dtype == np.int32
    assert vx.elementdata.elemlist.tolist() == [1, 2, 3]
    vx.damagedata.dmgpoints = np.ones((2, 3))  # missing trailing extents become 1
    assert vx.damagedata.dmgpoints.shape == (2, 3, 1, 1)
    with pytest.raises(Exception):
        vx.elementdata.elemlist = np.ones((2, 3))
    with pytest.raises((ValueError, TypeError)):
        vx.elementdata.elemlist = "abc"
    vx.elementdata.elemlist = None
    vx.damagedata.dmgpoints = None


def test_constants_and_routines_are_read_only(vx):
    for comp, name in (("types", "dp"), ("errorhandling", "rsxerr"), ("jobdata", "nosuchdatum")):
        with pytest.raises(AttributeError):
            setattr(getattr(vx, comp), name, None)
    with pytest.raises(AttributeError):
        vx.jobdata.nosuchdatum


def test_module_attributes(vx):
    assert vx.__f2py_numpy_version__ == "1.24.4"
    assert isinstance(vx.__version__, str) and vx.__version__
    assert vx.error is vx.__dict__["__vexlan_error"]
    assert vx.error.__module__ == "_vexlan" and vx.error.__name__ == "error"
    assert "errorhandling --- xerr(), rsxerr()" in vx.__doc__
    assert "nsteps" in dir(vx.jobdata)


def test_delamination_records_keep_three_rows(vx):
    # The buckling lists write each interface's angle into row 3: a store of
    # other rows is refused when assigned, and the datum keeps what it held.
    d = vx.damagedata
    try:
        d.delamdds = np.ones((3, 2, 1))
        for bad in (np.ones((2, 2, 1)), np.ones((4, 2, 1)), np.ones(2)):
            with pytest.raises(vx.error) as e:
                d.delamdds = bad
            assert isinstance(e.value, ValueError) and "damagedata.delamdds" in str(e.value)
            assert d.delamdds.shape == (3, 2, 1) and (d.delamdds == 1.0).all()
        d.delamdds = np.zeros((0, 2, 1))  # a first extent of 0 frees it, as for every array
        assert d.delamdds is None
    finally:
        d.delamdds = None
