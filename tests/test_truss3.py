"""Three-node line: quadratic interpolation and the warnings."""
import pytest

from shape_oracle import check_derivatives, check_nodal_values, values


def test_interpolation_and_derivatives(vx):
    t = vx.truss3
    check_nodal_values(t.truss3sf, [(-1.0,), (0.0,), (1.0,)])
    for x in (-0.8, 0.1, 0.65):
        n = values(t.truss3sf, (x,), 3)
        assert n.sum() == pytest.approx(1.0) and n @ [1.0, 0.0, 1.0] == pytest.approx(x * x)
        check_derivatives(t.truss3sf, lambda x, i, a: t.truss3firstderivsf(x, i), None, (x,), 3, 1e-9)


def test_bad_node(vx):
    for f, name in ((vx.truss3.truss3sf, "Truss3SF"), (vx.truss3.truss3firstderivsf, "Truss3FirstDerivSF")):
        vx.errorhandling.rsxerr(1)
        assert f(0.5, 4) == 0.0
        assert int(vx.errorhandling.errstat) == -2
        assert vx.errorhandling.errstring[()].decode().rstrip() == f"Warning: Overflow in {name}."
