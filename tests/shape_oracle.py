"""Checks shared by the shape-function tests: values at the nodes, and the
derivatives against central differences of the next lower order."""
import numpy as np
import pytest


def values(sf, point, nnodes):
    """All nnodes shape functions at a natural point."""
    return np.array([sf(*point, i) for i in range(1, nnodes + 1)])


def check_nodal_values(sf, nodes):
    """Each function is one at its own node and zero at every other node."""
    n = len(nodes)
    for j, node in enumerate(nodes):
        assert np.allclose(values(sf, node, n), np.eye(n)[j], atol=1e-15)


def check_derivatives(sf, first, second, point, nnodes, abs1, abs2=None, h=1e-6):
    """first(*point, i, a) against differences of sf along a, and (given)
    second(*point, i, a, b) against differences of first along b."""
    p = np.asarray(point, float)
    steps = np.eye(len(p)) * h
    for i in range(1, nnodes + 1):
        for a, ea in enumerate(steps, 1):
            fd = (sf(*(p + ea), i) - sf(*(p - ea), i)) / (2 * h)
            assert first(*p, i, a) == pytest.approx(fd, abs=abs1)
            if second is None:
                continue
            for b, eb in enumerate(steps, 1):
                fd2 = (first(*(p + eb), i, a) - first(*(p - eb), i, a)) / (2 * h)
                assert second(*p, i, a, b) == pytest.approx(fd2, abs=abs2)
