"""Damage card: blocks read into the damage-region store, records placed by
their ply numbers, both option orders of an outline, items outside the
store refused, and regions that survive the store's first growth."""
import numpy as np
import pytest

from conftest import error_record
from test_damage_store import I3, clear_store, sdv5

CARD = ("** damages present before the analysis\n"
        "++Begin Damage, DmgID=1\n+Position\n1.0, 2.0, 0.0, 30.0\n"
        "+Abstraction, TYPE=Fiber\n2, 5.0, 1.0, 0\n1, 3.0D0, 2.0, 0\n+Abstraction, TYPE=fiber\n1, 9.0, 9.0, 0\n"
        "+Abstraction, TYPE=Delamination\n1, 4.0, 4.0, 0\n+Table, TYPE=Matrix, LayID=1\n0, 0, 0, 0, 2, 0, 0, 2, 2\n"
        "++End Damage\n"
        "++Begin Damage, DmgID=2\n+Position\n0 0 0 1 2 45\n+Table, LayID=2, TYPE=General\n0, 1, 1, 0, 2, 1\n"
        "+Abstraction, TYPE=Matrix\n7, 1.0, 1.0, 0\n++End Damage\n"
        "++begin damage, DmgID=9\n+Abstraction, TYPE=Core\n1, 1.0, 1.0, 0\n++End Damage\n")


@pytest.fixture
def store(vx):
    """An empty damage-region store, emptied again afterwards."""
    clear_store(vx)
    yield
    clear_store(vx)
    vx.sectiondata.nplies = vx.sectiondata.nsec = 0


def read(vx, tmp_path, text, nplies=2, nsec=1):
    (tmp_path / "DamageCard.vxd").write_text(text)
    vx.iohandling.getdamagedatafromfile(str(tmp_path / "missing.inp"), str(tmp_path), nplies, nsec)


def test_card_fills_the_store(vx, store, tmp_path):
    d = vx.damagedata
    read(vx, tmp_path, CARD.replace("\n", "\r\n"))
    assert int(d.ndmg) == 3
    big = np.finfo(float).max
    assert d.dmgplane.shape == (6, 3)
    np.testing.assert_array_equal(d.dmgplane[:, 0], [1, 2, 0, 30, -big, -big])
    np.testing.assert_array_equal(d.dmgplane[:, 1], [0, 0, 0, 1, 2, 45])
    # Placed by the ply number of each record; the lower-case kind is no kind.
    np.testing.assert_array_equal(d.fiberdds[:2, :, 0], [[3.0, 5.0], [2.0, 1.0]])
    np.testing.assert_array_equal(d.delamdds[:2, 0, 0], [4.0, 4.0])
    assert vx.bukdata.bukrealdatalist.shape == (12, 2, 3, 1) and not vx.bukdata.bukrealdatalist.any()
    assert d.dmgpoints.shape == (9, 2, 6, 3)
    np.testing.assert_array_equal(d.dmgpoints[:, 0, 2, 0], [0, 0, 0, 0, 2, 0, 0, 2, 2])
    np.testing.assert_array_equal(d.dmgpoints[:6, 1, 0, 1], [0, 1, 1, 0, 2, 1])
    assert (d.dmgpoints[6:, 1, 0, 1] == big).all()
    # Ply 7 of damage 2 and the whole block of damage 9 are outside the store.
    assert not d.matrixdds.any() and d.coredds is None
    assert error_record(vx)[0] == -2


def test_card_regions_survive_growth_and_answer_queries(vx, store, tmp_path):
    d = vx.damagedata
    vx.sectiondata.nplies, vx.sectiondata.nsec = 2, 1
    vx.sectiondata.plyorientation = np.array([[0.0], [0.0]])
    read(vx, tmp_path, CARD)
    vx.damage.updatedds(sdv5(fibre=1.0), [0, 2.5, 0], [0, 0, 0], I3, 1, 1, 1)
    np.testing.assert_array_equal(d.fiberdds[:2, :, 0], [[3.0, 5.0], [2.5, 1.0]])
    # Damage 1 sits at (1, 2, 0) turned by 30 degrees: a point 2.9 along its axis is inside, 3.1 is not.
    t = np.radians(30)
    for r, flag in ((2.9, 1.0), (3.1, 0.0)):
        s = np.zeros(12)
        vx.damage.getdamagefromdds(s, [1 + r * np.cos(t), 2 + r * np.sin(t), 0], I3, 1, 1)
        assert s[1] == flag
    # A card naming only fibre regions: a later matrix failure is still recorded, the fibre regions stay.
    clear_store(vx)
    vx.sectiondata.plyorientation = np.array([[0.0], [0.0]])
    read(vx, tmp_path, "++Begin Damage, DmgID=1\n+Abstraction, TYPE=Fiber\n1, 3.0, 2.0, 0\n++End Damage\n")
    assert d.matrixdds is None
    assert vx.damage.updatedds(sdv5(matrix=1.0), [0, 4, 0], [0, 0, 0], I3, 2, 1, 1) == 0
    np.testing.assert_array_equal(d.matrixdds[:2, 1, 0], [0.0, 4.0])
    np.testing.assert_array_equal(d.fiberdds[:2, 0, 0], [3.0, 2.0])
    assert d.delamdds.shape == (3, 1, 1) and vx.bukdata.bukintdatalist.shape == (4, 2, 1, 1)


def test_single_ply_and_missing_card(vx, store, tmp_path):
    read(vx, tmp_path, CARD, nplies=1)
    assert vx.damagedata.delamdds is None and vx.bukdata.bukintdatalist is None
    assert vx.damagedata.fiberdds.shape == (3, 1, 3)
    vx.damagedata.ndmg = 5
    vx.iohandling.getdamagedatafromfile(str(tmp_path / "none.inp"), str(tmp_path / "nowhere"), 2, 1)
    assert int(vx.damagedata.ndmg) == 5


def test_later_block_overwrites_and_both_outline_orders(vx, store, tmp_path):
    card = ("++Begin Damage, DmgID=1\n+Table, TYPE=Core, Layer=1\n0, 1, 2, 0, 3, 4\n++End Damage\n"
            "++Begin Damage, DmgID=1\n+Table, Layer=1, TYPE=Core\n0, 5, 6\n"
            "+Abstraction, General and Matrix\n1, 2.0, 1.0, 0\n++End Damage\n")
    read(vx, tmp_path, card)
    big = np.finfo(float).max
    np.testing.assert_array_equal(vx.damagedata.dmgpoints[:, 0, 4, 0], [0, 5, 6, 0, 3, 4])
    assert int(vx.damagedata.ndmg) == 2 and vx.damagedata.generaldds[0, 0, 0] == 2.0
    assert vx.damagedata.matrixdds is None
    assert big not in vx.damagedata.dmgpoints[:, 0, 4, 0]


def test_empty_outline_is_no_error(vx, store, tmp_path):
    read(vx, tmp_path, "++Begin Damage, DmgID=1\n+Table, TYPE=Fiber, LayID=1\n+Position\n1 2 3 4\n++End Damage\n")
    assert error_record(vx)[0] == 0
    assert (vx.damagedata.dmgpoints == np.finfo(float).max).all()
    np.testing.assert_array_equal(vx.damagedata.dmgplane[:, 0], [1, 2, 3, 4])


OUTLINE = "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Table, TYPE=Fiber, LayID=1\n{}\n++End Damage\n"
SQUARE = [(0, 0), (1, 0), (1, 1), (0, 1)]
BOW_TIE = [(0, 0), (2, 2), (2, 0), (0, 2)]
ON_A_LINE = [(0, 0), (1, 1), (3, 3)]


@pytest.mark.parametrize("scale", [1e200, 1e300, 1e-300, 1e-320, 1.0])
@pytest.mark.parametrize("shape,message", [
    (SQUARE, None), ([(0, 0), (1, 0), (1, 1)], None), (BOW_TIE, "line 7: +Table: outline crosses itself"),
    (ON_A_LINE, "line 4: +Table: outline encloses no area")], ids=["square", "triangle", "bow tie", "on a line"])
def test_outlines_are_judged_alike_at_every_scale(vx, store, tmp_path, scale, shape, message):
    """The outline tests hold for coordinates whose squares overflow or underflow."""
    vx.errorhandling.rsxerr(1)
    read(vx, tmp_path, OUTLINE.format("\n".join(f"0 {x * scale!r} {y * scale!r}" for x, y in shape)))
    if message is None:
        assert error_record(vx)[0] == 0, error_record(vx)
    else:
        assert error_record(vx) == (-2, "Error in DamageCard, damage 1, " + message)


def test_a_side_far_shorter_than_the_outline_keeps_its_direction(vx, store, tmp_path):
    """A side of 1e-200 beside one of 1: its square underflows, its direction (45 degrees off the
    other side at their common vertex) does not, so no fold is seen where there is none."""
    vx.errorhandling.rsxerr(1)
    read(vx, tmp_path, OUTLINE.format("0 0 0\n0 1 0\n0 1 1\n0 1e-200 1e-200"))
    assert error_record(vx)[0] == 0
    # truly on one line, however short the sides
    read(vx, tmp_path, OUTLINE.format("0 0 0\n0 1e-200 0\n0 1 0"))
    assert error_record(vx) == (-2, "Error in DamageCard, damage 1, line 4: +Table: outline encloses no area")
