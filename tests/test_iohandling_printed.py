"""Reader of the solver's printed model data, on listings written here."""
import time

import numpy as np
import pytest

from conftest import error_record

HEAD_E = "\n                           E L E M E N T   D E F I N I T I O N S\n\n" \
         " NUMBER  TYPE  PROPERTY       NODES FORMING ELEMENT\n                REFERENCE\n\n"
HEAD_N = "\n                           N O D E   D E F I N I T I O N S\n\n    NUMBER     COORDINATES\n\n"


def listing(elements, nodes, tail="\n THE END\n"):
    lines = [" JOB TITLE\n", HEAD_E]
    for num, typ, conn in elements:
        lines.append(f"{num:8d}  {typ:<8s}  1  " + "  ".join(f"{n:7d}" for n in conn) + "\n")
    lines.append(HEAD_N)
    for num, xyz in nodes:
        lines.append(f"{num:8d}  " + "  ".join(f"{v:14.6E}" for v in xyz) + "\n")
    lines.append(tail)
    return "".join(lines)


@pytest.fixture
def read(vx, tmp_path):
    """Reads a listing from a file; the model data are released before and after."""
    def reset():
        vx.datahandling.deallocall()
        vx.elementdata.nelem = 0
        vx.nodaldata.nnodes = vx.nodaldata.ndof = 0

    def read_(text):
        (tmp_path / "job.dat").write_text(text)
        vx.iohandling.getabqdatafromfile(str(tmp_path / "job.dat"))
    reset()
    yield read_
    reset()


def grid_nodes(nx, ny, base=1):
    nodes = {}
    for j in range(ny + 1):
        for i in range(nx + 1):
            nodes[base + j * (nx + 1) + i] = (float(i), 2.0 * j, 0.5 * i * j)
    return nodes


def grid_elements(nx, ny):
    """S4R elements of the grid of grid_nodes, numbered row by row."""
    n1 = [1 + j * (nx + 1) + i for j in range(ny) for i in range(nx)]
    return [(k + 1, "S4R", [n, n + 1, n + nx + 2, n + nx + 1]) for k, n in enumerate(n1)]


def test_shell_grid(vx, read, tmp_path):
    nodes = grid_nodes(2, 2)
    f = tmp_path / "grid.dat"
    f.write_text(listing(grid_elements(2, 2), sorted(nodes.items())))
    vx.iohandling.getabqdatafromfile(str(f) + "   ")  # a padded name
    ed, nd = vx.elementdata, vx.nodaldata
    assert (int(ed.nelem), int(nd.nnodes), int(nd.ndof)) == (4, 4, 6)
    assert ed.elemlist.tolist() == [1, 2, 3, 4] and ed.elemkind.tolist() == [2] * 4
    assert (nd.nodalcoords == np.array([[nodes[n] for n in row] for row in ed.elemnodes]).transpose(2, 0, 1)).all()
    assert not nd.nodesmotion.any() and (vx.sectiondata.nsectionpoints == 0).all()


def test_mixed_types_and_odd_lines(vx, read):
    els = [(7, "S8R5", [1, 2, 3, 4, 5, 6, 7, 8]), (9, "C3D8R", [1, 2, 3, 4, 5, 6, 7, 8]),
           (11, "CINPE4", [1, 2, 3, 4]), (12, "B31", [1, 2])]
    nodes = [(i, (i, 10.0 * i, 0.0) if i != 3 else (3.0, 30.0)) for i in range(1, 9)]  # node 3: skipped
    read(listing(els, nodes))
    ed, nd = vx.elementdata, vx.nodaldata
    assert (int(ed.nelem), int(nd.nnodes), int(nd.ndof)) == (2, 8, 6)  # the solid brings 6
    assert ed.elemlist.tolist() == [7, 9] and ed.elemkind.tolist() == [5, 11]
    assert ed.elemnodes[:, 0].tolist() == list(range(1, 9)) and not ed.elemnodes[:, 1].any()
    assert nd.nodalcoords[:, 1, 0].tolist() == [2.0, 20.0, 0.0]
    assert nd.nodalcoords[:, 2, 0].tolist() == [0.0, 0.0, 0.0]
    assert not nd.nodalcoords[:, :, 1].any()


def test_decreasing_label_ends_nodes_and_large_labels(vx, read):
    big = 1000001
    els = [(1, "S4", [big, big + 1, 5, 4])]
    nodes = [(4, (1.0, 1.0, 1.0)), (5, (2.0, 2.0, 2.0)), (big, (3.0, 0, 0)), (big + 1, (4.0, 0, 0)), (2, (9.0, 9, 9))]
    read(listing(els, nodes))
    c = vx.nodaldata.nodalcoords[:, :, 0]
    assert c[0].tolist() == [3.0, 4.0, 2.0, 1.0]
    # a node after a decreasing label is not read
    els = [(1, "S4", [4, 5, 6, 2])]
    nodes = [(4, (1.0, 1, 1)), (6, (6.0, 6, 6)), (5, (5.0, 5, 5)), (2, (2.0, 2, 2))]
    read(listing(els, nodes))
    assert vx.nodaldata.nodalcoords[0, :, 0].tolist() == [1.0, 0.0, 6.0, 0.0]


def test_long_element_lines_and_missing_files(vx, read, tmp_path):
    read(listing([(1, "S4R", [1, 2, 3, 4, 5, 6, 7, 8, 9])], [(i, (i, 0, 0)) for i in range(1, 10)]))
    assert vx.elementdata.elemnodes[:, 0].tolist() == [1, 2, 3, 4]  # bounded by the node slots, and said so
    assert error_record(vx) == (-2, "Error in getabqdatafromfile: element with more nodes than the element data holds")
    vx.errorhandling.rsxerr(1)
    # lines past 80 characters keep all their nodes
    vx.datahandling.deallocall()
    labels = [1000001 + 11 * k for k in range(8)]
    read(listing([(3, "S8R", labels)], [(n, (float(k), 0.0, 0.0)) for k, n in enumerate(labels)]))
    assert vx.elementdata.elemnodes[:, 0].tolist() == labels
    assert vx.nodaldata.nodalcoords[0, :, 0].tolist() == [float(k) for k in range(8)]
    vx.elementdata.nelem = 3
    vx.iohandling.getabqdatafromfile(str(tmp_path / "none.dat"))
    assert int(vx.elementdata.nelem) == 3 and int(vx.errorhandling.errstat) == 0
    read(HEAD_N + "  1  0. 0. 0.\n")
    assert int(vx.elementdata.nelem) == 3


def test_reading_time_of_a_large_model(vx, read, tmp_path):
    nx, ny = 400, 250  # 100,000 shell elements
    nodes = grid_nodes(nx, ny)
    f = tmp_path / "large.dat"
    f.write_text(listing(grid_elements(nx, ny), nodes.items()))
    t0 = time.perf_counter()
    vx.iohandling.getabqdatafromfile(str(f))
    dt = time.perf_counter() - t0
    assert int(vx.elementdata.nelem) == nx * ny
    last = vx.elementdata.elemnodes[:, -1]
    assert tuple(vx.nodaldata.nodalcoords[:, 2, -1]) == nodes[last[2]]
    assert dt < 10.0


def test_coordinates_fit_node_arrays_kept_from_before(vx, read):
    # Arrays already allocated are written into as they are: node slots with
    # two coordinates take the first two values only, nothing beyond them.
    nodes = grid_nodes(1, 1)
    vx.nodaldata.nodalcoords = np.full((2, 4, 2), 9.0)
    read(listing([(1, "S4R", [3, 1, 2, 4])], sorted(nodes.items())))
    got = vx.nodaldata.nodalcoords
    assert got.shape == (2, 4, 2)
    for k, n in enumerate([3, 1, 2, 4]):
        assert tuple(got[:, k, 0]) == nodes[n][:2]
    assert (got[:, :, 1] == 0).all()


def test_second_larger_model_keeps_what_fits_and_says_so(vx, read):
    nodes = grid_nodes(2, 1)
    read(listing(grid_elements(1, 1), sorted(grid_nodes(1, 1).items())))
    assert error_record(vx)[0] == 0
    read(listing([(11, "S4R", [1, 2, 5, 4]), (12, "S4R", [2, 3, 6, 5])], sorted(nodes.items())))
    assert error_record(vx) == (-2, "Error in getabqdatafromfile: model larger than the element data in use")
    ed = vx.elementdata
    assert int(ed.nelem) == 1 and ed.elemlist.tolist() == [11]
    assert [tuple(vx.nodaldata.nodalcoords[:, k, 0]) for k in range(4)] == [nodes[n] for n in (1, 2, 5, 4)]
