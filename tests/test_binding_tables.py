"""Rows of the binding tables: arrays of one meaning are checked alike, and
every fixed extent a docstring shows is refused when an array disagrees."""
import re

import numpy as np
import pytest


PLY = np.array([140e3, 9e3, 9e3, 0.3, 0.3, 0.45, 5e3, 4.2e3, 3.1e3])


def stack(n):
    """A ply stack of n plies: elastic constants, angles, thicknesses."""
    return np.asfortranarray(np.tile(PLY[:, None], n)), np.linspace(0.0, 90.0, n), np.full(n, 0.25)


def sections(n, nsec):
    """The stacks of nsec sections of n plies each, with their z-coordinates."""
    pe = np.asfortranarray(np.repeat(np.tile(PLY[:, None], n)[:, :, None], nsec, axis=2))
    ori = np.asfortranarray(np.tile(np.linspace(0.0, 90.0, n)[:, None], nsec))
    thk = np.full((n, nsec), 0.25, order="F")
    lst = np.asfortranarray(np.tile(np.arange(1, n + 1, dtype=np.int32)[:, None], nsec))
    z = np.asfortranarray(np.tile(np.linspace(-0.125 * n, 0.125 * n, 2 * n + 1)[:, None], nsec))
    return lst, ori, thk, z, pe


def pad(a, axis):
    """a with one more entry along axis, in Fortran order."""
    w = [(0, 0)] * a.ndim
    w[axis] = (0, 1)
    return np.asfortranarray(np.pad(a, w, constant_values=1.0 if a.dtype.kind == "f" else 1))


def cases(vx):
    """(name, routine, valid arguments, position of the array to widen, axis)."""
    L, D, S, E, EL = vx.laminate, vx.damage, vx.sublaminate, vx.elementhandling, vx.elasticity
    pe, o, t = stack(3)
    lst, sori, sthk, z, spe = sections(3, 2)
    rng = np.random.default_rng(1)
    props = np.asfortranarray(rng.uniform(1.0, 2.0, (10, 3, 2)))
    stress = np.array([300.0, 20.0, -15.0, 35.0, 12.0, 8.0])
    law = EL.getstressfromorthotropicelasticity._cpointer
    sf = np.asfortranarray(rng.uniform(-1, 1, (7, 4)))
    p0 = np.asfortranarray(rng.uniform(-1, 1, (3, 3, 5)))
    delam = np.full((3, 2, 1), 1.0, order="F")
    coords = np.asfortranarray(rng.uniform(0, 1, (3, 4, 2)))
    return [
        # a stack whose angles or thicknesses hold one ply more than its elastic constants
        ("stack thicknesses", L.gethmatrixshearcorrect, (pe, o, t), 2, 0),
        ("stack angles", L.getpartialamatrix, (pe, o, t, 0.0, 1), 1, 0),
        ("buckling stack", S.getsublambucklingstrain, ([10.0, 5.0, 0.0], [-1.0, 0.0, 0.0], pe, o, t, 1), 2, 1),
        ("buckling analysis", S.delaminatedbucklinganalysis,
         (500.0, pe, o, t, np.ones((3, 2)), np.ones(2, np.int32)), 3, 0),
        # ply arrays of every section: a longer column shifts every section after the first
        ("section z-coordinates", L.getsectionfmatrix, (lst, sori, sthk, z, spe), 3, 0),
        ("section fg z-coordinates", L.getarbitrarysectionfg, (lst, sori, sthk, z, spe, 0, 1), 3, 0),
        ("section angles", L.getsectionhmatrix, (lst, sori, sthk, spe), 1, 0),
        ("section thicknesses", L.getsectionhmatrix, (lst, sori, sthk, spe), 2, 0),
        ("driver thicknesses", D.delamination, (10.0, stress, stress, props[:9], props, sori, sthk, 2, 2, 1), 6, 0),
        ("driver angles", D.generalfailure, (stress, props, sori, 2, 2, 1), 2, 0),
        ("driver sections", D.corecrushing, (stress, props, sori, 2, 2, 1), 2, 1),
        ("interface shapes", S.getbukdatafromdds, (delam, np.ones((2, 1), np.int32), [500.0, 500.0], spe, sori,
                                                    sthk, lst), 1, 0),
        ("interface descriptions", S.getbukdatafromdds, (delam, np.ones((2, 1), np.int32), [500.0, 500.0], spe,
                                                         sori, sthk, lst), 0, 1),
        # one section's shear distribution and other multi-column inputs
        ("distribution rows", L.getnormalstressfrombottom, ([1.0, 0.0], [0.0, 1.0], z[:, 0], sf), 3, 0),
        ("curvature integrals", L.getpartialabwithcurvature, (p0, p0, p0, 0.1, 0.2), 1, 1),
        ("patch coordinates", E.getdatafrompatch, (np.ones((2, 4, 2), order="F"), np.ones((3, 2), order="F"),
                                                   coords), 2, 1),
        ("patch nodes", E.getnodalpatch, (np.zeros((3, 4), order="F"), coords,
                                          np.arange(1, 9, dtype=np.int32).reshape(4, 2, order="F"), 1), 1, 1),
        ("reference tangent", EL.getnumericaltangent,
         (law, PLY, stress, np.zeros(6), stress * 1e-7, 3, 0, 6, 9, np.eye(6)), 9, 0),
    ]


def test_arrays_that_disagree_with_the_extents_are_refused(vx):
    """Each call is accepted as given; widening one array by an entry along an
    axis it shares with another array must be refused, not misread."""
    for name, f, args, pos, axis in cases(vx):
        f(*args)
        wide = list(args)
        wide[pos] = pad(np.asarray(args[pos]), axis)
        with pytest.raises((ValueError, vx.error)):
            f(*wide)
            pytest.fail(name)


def test_store_arrays_of_a_single_ply_are_taken(vx):
    # The damage store keeps one interface column even for one ply.
    lst, sori, sthk, _, spe = sections(1, 2)
    real, intg = vx.sublaminate.getbukdatafromdds(np.ones((3, 1, 2), order="F"), np.ones((1, 2), np.int32),
                                                  [500.0, 400.0], spe, sori, sthk, lst)
    assert real.shape == (12, 1, 2, 2) and intg[:3, 0, 0, 1].tolist() == [1, 1, 1]


def fixed_axes(doc, name):
    """Axes of argument name whose extent its docstring gives as a number."""
    m = re.search(rf"^{name} : .*bounds \(([^)]*)\)", doc, re.M)
    return [k for k, d in enumerate(m.group(1).split(",")) if d.strip().isdigit()]


def test_fixed_extents_are_refused_when_wrong(vx):
    """A sample per component: each row declares the fixed extents its
    arguments have, and an array widened along one of them is refused (the
    ply arrays of getamatrix, the Nye and Voigt forms: test_binding_contract)."""
    six = np.arange(1.0, 7.0)
    m66 = np.asfortranarray(np.eye(6) * 2.0 + 0.1)
    props = np.ones((10, 3, 2), order="F")
    both, first = [0, 1], [0]
    sample = [  # routine, arguments, {argument: its fixed axes}
        (vx.laminate.getengconstsfromabdmatrix, {"abd": m66, "h": 1.0}, {"abd": both}),
        (vx.laminate.getplystrain, {"se": six, "plyzcoord": np.linspace(-1, 1, 5)}, {"se": first}),
        (vx.lamina.cauchynotation, {"qv": six}, {"qv": first}),
        (vx.damage.fiberbreakage, {"plystress": six, "peprops": props[:9], "psprops": props,
                                   "plyorientation": np.zeros((3, 2), order="F"), "layer": 1, "isec": 1,
                                   "fbflag": 1}, {"plystress": first, "peprops": first, "psprops": first}),
        (vx.damage.getextentofprojecteddamage, {"halfaxis": np.ones(2), "gpcoords": np.ones(3),
                                                "refcoords": np.zeros(3), "refcos": np.eye(3), "theta": 0.0,
                                                "mdmg": 1.0}, {"gpcoords": first, "refcos": both}),
        (vx.gpcollection.gpraghava, {"stress": six, "xt": 50.0, "xc": 100.0}, {"stress": first}),
        (vx.micromechanic.getstrainconcentrationtensor, {"et": m66, "cinc": m66, "cm": m66, "vinc": 0.5},
         {"et": both, "cm": both}),
        (vx.elementhandling.getplanestressoutputfrom3d, {"stress3d": six, "tangent3d": m66},
         {"stress3d": first, "tangent3d": both}),
        (vx.sldcollection.dsload, {"t_user": np.zeros(3), "kstep": 1, "coords": np.zeros(3), "dircos": np.eye(3),
                                   "cprops": np.ones((20, 1), order="F"), "dprops": np.ones((12, 1), order="F")},
         {"cprops": first, "dprops": first, "dircos": both}),
        (vx.degradation.tensordegradation, {"csix": m66, "angle_r": 0.0, "d": 0.5, "baseid": 1, "nn": 0},
         {"csix": both}),
        (vx.math.getrotationmatrix, {"n": np.array([0.0, 0.0, 1.0]), "alpha_r": 0.3}, {"n": first}),
    ]
    for f, kw, fixed in sample:
        f(**kw)
        for name, axes in fixed.items():
            assert fixed_axes(f.__doc__, name) == axes, (f.__name__, name)
            for axis in axes:
                with pytest.raises((ValueError, vx.error)):
                    f(**dict(kw, **{name: pad(kw[name], axis)}))
                    pytest.fail(f"{f.__name__}: {name} axis {axis}")
