"""Allocation and release of the shared data."""
import numpy as np

from conftest import run_python


def test_damage_data_allocation_sequence():
    code = """
import _vexlan as v, numpy as np
d = v.damagedata
print(v.datahandling.allocatedamagedata(1, 1, 0), int(d.ndmg), d.delamdds.shape, d.damagedds.tolist(),
      d.generaldds.shape, d.dmgplane.shape, v.bukdata.bukintdatalist.shape, v.bukdata.bukrealdatalist.shape)
d.generaldds[...] = 5.0
d.dmgplane[...] = 3.0
v.datahandling.allocatedamagedata(4, 2, 6)        # raises ndmg only
print(int(d.ndmg), d.generaldds.shape, float(d.generaldds.sum()))
d.damagedds[0] = -1                               # the marker asks for one more zeroing
v.datahandling.allocatedamagedata(4, 2, 2)
print(int(d.ndmg), float(d.generaldds.sum()), float(d.dmgplane.sum()), d.damagedds.tolist())
"""
    out, rc = run_python(code)
    assert rc == 0, out
    lines = out.decode().splitlines()
    assert lines[0] == "0 1 (3, 1, 1) [0] (3, 1, 1) (10, 1) (4, 1, 1, 1) (12, 1, 1, 1)"
    assert lines[1] == "6 (3, 1, 1) 15.0"
    assert lines[2] == "6 0.0 30.0 [0]"


def test_interfaces_follow_plies():
    out, rc = run_python("import _vexlan as v\nv.datahandling.allocatedamagedata(4, 3, 2)\n"
                         "print(v.damagedata.delamdds.shape, v.damagedata.fiberdds.shape, "
                         "v.bukdata.bukrealdatalist.shape)")
    assert rc == 0
    # Buckling lists hold one record per ply: the passes plus the remaining sub-laminate.
    assert out.decode().strip() == "(3, 3, 2) (3, 4, 2) (12, 4, 2, 3)"


def test_node_and_element_allocation_keeps_existing(vx):
    vx.datahandling.deallocall()
    assert vx.datahandling.allocatenodaldata(6, 4, 2) == 0
    assert vx.nodaldata.nodesmotion.shape == (6, 4, 2)
    assert vx.nodaldata.tnodalmatrices.shape == (3, 3, 8, 2)
    assert vx.nodaldata.tcurvmatrices.shape == (3, 3, 2)
    vx.nodaldata.nodalcoords[...] = 1.5
    vx.datahandling.allocatenodaldata(3, 3, 3)
    assert vx.nodaldata.nodalcoords.shape == (3, 4, 2) and float(vx.nodaldata.nodalcoords.min()) == 1.5
    assert vx.datahandling.allocateelementdata(4, 5) == 0
    assert vx.elementdata.elemnodes.shape == (4, 5)
    assert vx.sectiondata.nsectionpoints.shape == (5,)
    assert vx.elementdata.elemlength is None and vx.elementdata.elemindices is None
    assert int(vx.nodaldata.nnodes) == 0  # counters are not set
    vx.datahandling.deallocall()
    vx.datahandling.allocateelementdata(-3, -1)  # negative extents: empty arrays
    assert vx.elementdata.elemnodes.shape == (0, 0)
    vx.datahandling.deallocall()


def test_deallocall_releases_job_tables_only(vx):
    vx.datahandling.deallocall()
    assert vx.datahandling.deallocall() == 0  # on empty data
    vx.jobdata.stepid = [1, 2]
    vx.jobdata.processid = [1, 2, 3]
    vx.materialdata.peprops = np.ones((9, 1, 1))
    vx.materialdata.temperatures = [20.0]
    vx.impactdata.csvars = np.ones((2, 1))
    vx.sectiondata.nsec = 3
    vx.errorhandling.xerr(-2, "kept", [1], [1.0], [[1]], 1)
    vx.datahandling.allocatedamagedata(2, 1, 1)
    assert vx.datahandling.deallocall() == 0
    assert vx.jobdata.stepid is None and vx.materialdata.peprops is None
    assert vx.damagedata.damagedds is None and vx.bukdata.bukintdatalist is None
    assert vx.jobdata.processid.tolist() == [1, 2, 3]
    assert vx.materialdata.temperatures.tolist() == [20.0]
    assert vx.impactdata.csvars is not None
    assert int(vx.sectiondata.nsec) == 3
    assert int(vx.errorhandling.errstat) == -2 and vx.errorhandling.errintv is not None
    vx.jobdata.processid = None
    vx.impactdata.csvars = None
