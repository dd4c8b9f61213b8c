"""Card items read through their declarations: for every rule of every declared item, one mistake
that breaks it, reported with its full message and line; the guide's item tables equal the
declarations; typing mistakes keep the values the readers stored before the report."""
import os
import sys

import numpy as np
import pytest

from conftest import error_record as err, read_job

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "docs"))
import cardtables  # noqa: E402

DECL = cardtables.declarations()
NSTEPS = 2
BLOCK = {"StepCard": "step", "SectionCard": "section 7", "MaterialCard": "material 1", "DamageCard": "damage 1"}
BEGIN = {"StepCard": "++Begin Step", "SectionCard": "++Begin Section, SecID=7",
         "MaterialCard": "++Begin Material, MatID=1", "DamageCard": "++Begin Damage, DmgID=1"}
END = {"StepCard": "++End Step", "SectionCard": "++End Section", "MaterialCard": "++End Material",
       "DamageCard": "++End Damage"}
# The other cards of a job, clean: a section of three plies of material 1.
CLEAN = {
    "StepCard": "++Begin Step\n+Debug, TYPE=ELEMENT\n12\n++End Step\n",
    "SectionCard": "++Begin Section, SecID=7\n+Orientation\n0 90 0\n+Thickness\n0.125\n+Material\n1\n++End Section\n",
    "MaterialCard": "++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n++End Material\n",
    "DamageCard": "++Begin Damage, DmgID=1\n+Position\n0 0 0 30\n++End Damage\n",
}

# Valid values of each item (data lines), and lines its block needs before it.
GOOD = {
    ("StepCard", "+Debug", "TYPE=ELEMENT"): "12", ("StepCard", "+Debug", "TYPE=NODAL"): "3",
    ("StepCard", "+Debug", "TYPE=FILE"): "1", ("StepCard", "+Verbose", ""): "1 6",
    ("StepCard", "+Update", ""): "5", ("StepCard", "+Update", "TYPE=INC"): "5",
    ("StepCard", "+Cycle", ""): "1 2 3 4", ("StepCard", "+Cycle", "TYPE=GENERAL"): "1 2 3 4",
    ("StepCard", "+Cycle", "TYPE=DIRECT"): "1 2 3 4", ("StepCard", "+Cycle", "TYPE=INDIVIDUAL"): "100 200",
    ("SectionCard", "+Orientation", ""): "0 90 0", ("SectionCard", "+Thickness", ""): "0.125",
    ("SectionCard", "+Material", ""): "1", ("SectionCard", "+Extension", ""): "1 0",
    ("SectionCard", "+Strength", "TYPE=INSITU"): "62", ("SectionCard", "+Strength", ""): "310",
    ("MaterialCard", "+Temperature*", ""): "20 80", ("MaterialCard", "+ModelID", ""): "2",
    ("MaterialCard", "+Elastic", ""): "140000 9000 0.3 0.5 4500",
    ("MaterialCard", "+Strength", ""): "1500 50 50 1200 200 200 80 80 60 90",
    ("MaterialCard", "+Hygrothermal", ""): "-0.3e-6 28e-6", ("MaterialCard", "+Fracture", ""): "0.25 0.8",
    ("MaterialCard", "+Failure", ""): "1 3 5 1 0", ("MaterialCard", "+Failure", "TYPE=INITIATION"): "1 3 5 1 0",
    ("MaterialCard", "+Failure", "TYPE=EVOLUTION"): "1 1 1 1 0",
    ("MaterialCard", "+Failure", "TYPE=DEGRADATION"): "0.01 0.2 0.2 0.2 0.2 0.2",
    ("MaterialCard", "+Failure", "TYPE=PROPERTIES"): "0.3 0.3 0.25 0.25 0.5 0.5",
    ("MaterialCard", "+Regularization", "TYPE=VISCOUS"): "1e-4", ("MaterialCard", "+I10", ""): "3.5",
    ("MaterialCard", "+Table", "TYPE=TEMPERATURE"): "1 1\n1 0.9",
    ("MaterialCard", "+Calibration", "TYPE=EquivalentStress"): "1 2\n3 4",
    ("MaterialCard", "+Calibration", "TYPE=Ratio"): "0.7",
    ("DamageCard", "+Position", ""): "0 0 0 30",
    ("DamageCard", "+Abstraction", "TYPE=General|Fiber|Matrix|Core|User"): "1, 2.0, 1.0, 0\n2, 2.0, 1.0, 0",
    ("DamageCard", "+Abstraction", "TYPE=Delamination"): "1, 2.0, 1.0, 0\n2, 2.0, 1.0, 0",
    ("DamageCard", "+Table", "TYPE=General|Fiber|Matrix|Delamination|Core|User, LayID|Layer=<ply>"): "0 1 2\n0 3 4\n0 3 1",
}
for t in ("Plasticity",):
    GOOD[("MaterialCard", "+Calibration", f"TYPE={t}, T=<temperature>")] = "0 1 2\n0.1 3 4"
for t in ("Secant", "Normal", "Shear", "Alpha1", "Alpha2", "Alpha3"):
    GOOD[("MaterialCard", "+Calibration", f"TYPE={t}, T=<temperature>")] = "0 1\n0.1 3"
CURING = [("+GelPoint", ""), ("+Enthalpie", ""), ("+Expansion", ""), ("+Shrinkage", ""), ("+Curing", "TYPE=RATE"),
          ("+Curing", "TYPE=MASTER"), ("+Curing", ""), ("+Curing", "TYPE=EXPONENTIAL"), ("+Transition", "")]
for k, o in CURING:
    GOOD[("MaterialCard", k, o)] = "1 2"
BEFORE = {
    ("StepCard", "+Cycle", "TYPE=INDIVIDUAL"): "+Cycle\n0 0 3 0 0 2 0 0 1 0 0 2",
    ("MaterialCard", "+Table", "TYPE=TEMPERATURE"): "+Temperature\n20 80\n+Elastic\n100 0.2",
}
# A second item with another option completes the curing set; the two "+Curing" forms are one item.
CURING_SET = [c for c in CURING if c != ("+Curing", "TYPE=EXPONENTIAL")]


def concrete(option):
    """The option as a card writes it: the first of the names, a value for a placeholder."""
    settings = []
    for p in filter(None, (x.strip() for x in option.split(","))):
        k, _, v = p.partition("=")
        k = k.split("|")[0]
        v = {"<temperature>": "20", "<ply>": "2"}.get(v, v.split("|")[0])
        settings.append(f"{k}={v}")
    return ", ".join(settings)


def item_line(d, option=None):
    opt = concrete(d["option"]) if option is None else option
    return d["key"].rstrip("*") + (", " + opt if opt else "")


def block_lines(card, d, item):
    """Lines of a block that holds the item (its own lines given) and what it needs."""
    lines = []
    key = (card, d["key"], d["option"])
    if key in BEFORE:
        lines += BEFORE[key].split("\n")
    for other in DECL[card]:
        if other["need"] and other is not d:
            lines += [item_line(other), GOOD[(card, other["key"], other["option"])]]
    if (d["key"], d["option"]) in CURING:
        for k, o in CURING_SET:
            same_item = (d["key"], d["option"]) in (("+Curing", ""), ("+Curing", "TYPE=EXPONENTIAL")) and (k, o) == ("+Curing", "")
            if (k, o) != (d["key"], d["option"]) and not same_item:
                lines += [k + (", " + o if o else ""), "1 2"]
    for x in item:
        lines += x.split("\n")
    return [BEGIN[card]] + lines + [END[card]]


def read_cards(vx, d, card, text, nsteps=NSTEPS, cards=CLEAN):
    """The four readers in the order of a job, on the clean cards with one of them replaced."""
    cards = dict(cards)
    cards[card] = text
    for n, t in cards.items():
        (d / f"{n}.vxd").write_text(t)
    read_job(vx, d, nsteps)


def at(lines, text, start=0):
    """Line number (from 1) of the first line equal to text at or after index start."""
    return lines.index(text, start) + 1


def mistakes():
    """(id, card, text, message) for every rule of every declared item."""
    out = []
    for card, items in DECL.items():
        pre = f"Error in {card}, {BLOCK[card]}, line "
        for d in items:
            good = GOOD[(card, d["key"], d["option"])]
            line = item_line(d)
            key = d["key"].rstrip("*")
            name = f"{card}:{line}"

            def case(rule, item, message_of):
                lines = block_lines(card, d, item)
                out.append((f"{name}:{rule}", card, "\n".join(lines) + "\n", pre + message_of(lines)))

            # Options: a setting the declaration does not show.
            bad = line + (", " if "," in line or d["option"] else ", ") + "MODE=X"
            catch_all = any(o["key"] == d["key"] and o["select"] == "any" for o in items)
            if d["select"] == "whole" and catch_all:  # read by the item that takes any option, which takes none
                case("option", [bad, good], lambda ls, b=bad: f"{at(ls, b)}: {key}: unknown option {concrete(d['option'])}")
            elif d["select"] == "whole":
                case("option", [bad, good], lambda ls, b=bad: f"{at(ls, b)}: unknown item {b}")
            else:
                case("option", [bad, good], lambda ls, b=bad: f"{at(ls, b)}: {key}: unknown option MODE=X")
            # Where it stands.
            if d["place"] == "block":
                def outside(ls, line=line):
                    return f"line 1: outside a block: {line}"
                lines = [line] + good.split("\n") + block_lines(card, d, [line, good])
                out.append((f"{name}:place", card, "\n".join(lines) + "\n", f"Error in {card}, {outside(lines)}"))
            if d["repeat"] in ("once", "per_kind"):
                case("once", [line, good, line, good],
                     lambda ls, line=line: f"{at(ls, line, at(ls, line))}: {key} given twice (line {at(ls, line)})")
            if d["repeat"] == "per_temperature":  # no +Temperature: one temperature
                second = line.replace("T=20", "T=80")
                case("per_temperature", [line, good, second, good],
                     lambda ls, s=second: f"{at(ls, s)}: {key}: curves beyond nt = 1")
            if d["repeat"] == "many":
                continue  # read and dropped on purpose
            # Empty items.
            first = good.split("\n")[0]
            if (card, key) == ("SectionCard", "+Strength"):
                case("empty", [line, "," + good], lambda ls, line=line: f"{at(ls, line)}: +Strength without a readable value")
            else:
                case("empty", [line, "," + good], lambda ls, g="," + first: f"{at(ls, g)}: {key}: empty value")
            # How many values.
            rule, a = d["count"]
            one = first.replace(",", " ").split()[0]
            if rule == "exactly" or (rule in ("upto", "between") and a[-1] > 0):
                hi = a[-1]
                wording = "expected" if rule == "exactly" else "at most"
                vals = " ".join([one] * (hi + 1))
                # the section's +Strength reads its own line: the count is reported there
                where = vals if (card, key) == ("SectionCard", "+Strength") else line
                case("count", [line, vals],
                     lambda ls, hi=hi, w=wording, wh=where: f"{at(ls, wh)}: {key}: {hi + 1} values, {w} {hi}")
            elif rule == "at_least" and a[0] > 1:
                vals = " ".join([one] * (a[0] - 1))
                case("count", [line, vals], lambda ls, n=a[0]: f"{at(ls, line)}: {key}: {n - 1} values, at least {n}")
            elif rule == "none_or_at_least":
                vals = " ".join([one] * (a[0] - 1))
                case("count", [line, vals], lambda ls, n=a[0]: f"{at(ls, line)}: {key}: {n - 1} values, at least {n}")
            elif rule == "one_of":
                n = next(k for k in range(1, 32) if k not in a)
                vals = " ".join([one] * n)
                allowed = ", ".join(map(str, a[:-1])) + f" or {a[-1]}"
                case("count", [line, vals], lambda ls, n=n, s=allowed: f"{at(ls, line)}: {key}: {plural(n)}, not {s}")
            elif rule == "one_per_ply":  # reported at the item that sets the plies, naming this one
                case("count", [line, f"{one} {one}"], lambda ls: f"{at(ls, '+Orientation')}: +Orientation: 3 plies, {key} has 2")
            elif rule == "per_step":
                case("count", [line, "1 2 3"], lambda ls: f"{at(ls, line)}: {key}: 3 values for {NSTEPS} steps")
            elif rule == "factor_table":
                case("count", [line, "1 1 1"], lambda ls: f"{at(ls, line)}: {key}: 3 factors, expected 4")
            elif rule == "marked_steps":
                case("count", [line, "100 200 300"], lambda ls: f"{at(ls, line)}: {key}: 3 counts, expected 2")
            # Records.
            r = d["record"]
            if r > 1:
                flat = good.replace(",", " ").split()
                names = {2: "pairs", 3: "triples", 4: "fours"}[r]
                case("records", [line, good + " 7"],
                     lambda ls, n=len(flat) + 1, s=names: f"{at(ls, line)}: {key}: {n} values, not {s}")
                if d["per_line"]:
                    split = [" ".join(flat[:r + 1]), " ".join(flat[r + 1:])]
                    case("per_line", [line] + split, lambda ls, s=split[0]: f"{at(ls, s)}: {key}: line mixes two records")
            elif r == 0 and d["per_line"]:  # rows of a length the block gives: one value moved to the next line
                rows = good.split("\n")
                split = [rows[0] + " " + rows[1].split()[0], " ".join(rows[1].split()[1:])]
                case("rows", [line] + split, lambda ls, s=split[0]: f"{at(ls, s)}: {key}: line mixes two rows")
            # The kind of each value.
            kind = d["kind"]
            if kind in ("curve", "modulus_curve"):  # the records of the two points swapped
                swapped = good.split("\n")[::-1]
                x0, x1 = (ln.split()[0] for ln in swapped)
                case("kind", [line] + swapped, lambda ls, s=swapped[1], a=x1, b=x0: f"{at(ls, s)}: {key}: x {a} not above {b}")
            if kind == "modulus_curve":  # a modulus of 0
                pts = good.split("\n")
                pts[1] = pts[1].split()[0] + " 0"
                case("modulus", [line] + pts, lambda ls, s=pts[1]: f"{at(ls, s)}: {key}: modulus 0 not positive")
            if kind == "outline":  # a bow tie: the third vertex starts the edge that crosses the first
                tie = ["0 0 0", "0 2 2", "0 2 0", "0 0 2"]
                case("crossing", [line] + tie, lambda ls: f"{at(ls, '0 2 0')}: {key}: outline crosses itself")
                flat = ["0 0 0", "0 1 1", "0 3 3"]
                case("kind", [line] + flat, lambda ls: f"{at(ls, line)}: {key}: outline encloses no area")
            elif kind in KIND_MISTAKES:
                vals, what = KIND_MISTAKES[kind]
                if kind == "elastic":
                    case("kind", [line, vals], lambda ls, w=what: f"{at(ls, line)}: {key}: {w}")
                else:
                    vals = vals(good) if callable(vals) else vals
                    case("kind", [line, vals], lambda ls, v=vals, w=what: f"{at(ls, v)}: {key}: {w}")
            # Items a block needs.
            if d["need"]:
                lines = [x for x in block_lines(card, d, []) if True]
                # block_lines leaves out the item itself when it is the one asked for
                text = "\n".join(lines) + "\n"
                out.append((f"{name}:need", card, text, pre + f"{len(lines)}: {key} missing"))
    return out


def plural(n):
    return f"{n} value" + ("s" if n != 1 else "")


def first_zero(good):
    v = good.split("\n")[0].split()
    return " ".join(["0"] + v[1:])


KIND_MISTAKES = {
    "positive": (first_zero, "0 is not positive"),
    "nonnegative": (lambda g: "-1 " + " ".join(g.split()[1:]), "-1 is negative"),
    "natural": (lambda g: "-1 " + " ".join(g.split()[1:]), "-1 is negative"),
    "counting": ("0", "0 is below 1"),
    "material_id": ("2147483647", "2147483647 marks no material"),
    "temperature": ("80 20", "20 not above 80"),
    "selector": ("1 19", "fibre 19 outside 0..13"),
    "ply_record": ("4, 2.0, 1.0, 0", "ply 4 outside 1..3"),
    "gap_record": ("3, 2.0, 1.0, 0", "interface 3 outside 1..2"),
    "elastic": ("70000 3", "not positive definite"),
    "damage_limit": (lambda g: "0.01 20 " + " ".join(g.split()[2:]), "limit 20 outside 0..1"),
}
MISTAKES = mistakes()


@pytest.mark.parametrize("card", list(BLOCK))
def test_the_clean_blocks_of_the_tables_read_without_a_report(vx, tmp_path, card):
    """Every item with its good values in the block it needs: no report, so each mistake below is the
    one that is reported."""
    for d in DECL[card]:
        line = item_line(d)
        text = "\n".join(block_lines(card, d, [line, GOOD[(card, d["key"], d["option"])]])) + "\n"
        vx.errorhandling.rsxerr(1)
        read_cards(vx, tmp_path, card, text)
        assert err(vx)[0] == 0, (text, err(vx))


@pytest.mark.parametrize("name,card,text,message", MISTAKES, ids=[m[0] for m in MISTAKES])
def test_every_rule_of_every_item_is_reported(vx, tmp_path, name, card, text, message):
    read_cards(vx, tmp_path, card, text)
    if len(message) > 80 and "unknown option" in message:  # the shorter wording keeps the option whole
        message = message.replace("unknown option", "unknown")
    assert err(vx) == (-2, message[:80]), text
    assert int(vx.errorhandling.errintv[0]) == int(message.split("line ")[1].split(":")[0])
    # Within the 80 characters of the record, but for the lines that a message repeats.
    assert len(message) <= 80 or any(w in message for w in ("unknown item", "outside a block"))


def test_the_tables_cover_every_rule_of_every_declaration():
    """The mistakes are made from the declarations: an item with a rule has its mistake."""
    names = {m[0] for m in MISTAKES}
    for card, items in DECL.items():
        for d in items:
            base = f"{card}:{item_line(d)}"
            rules = {"option"}
            if d["place"] == "block":
                rules.add("place")
            if d["repeat"] != "many":
                rules |= {"empty"} | ({"once"} if d["repeat"] in ("once", "per_kind") else set())
            if d["count"][0] not in ("upto", "at_least") or d["count"][1][-1] > 1:
                rules.add("count")
            if d["record"] > 1:
                rules |= {"records"} | ({"per_line"} if d["per_line"] else set())
            if d["record"] == 0 and d["per_line"]:
                rules.add("rows")
            if d["kind"] not in ("real", "integer", "ignored"):
                rules.add("kind")
            if d["kind"] == "modulus_curve":
                rules.add("modulus")
            if d["kind"] == "outline":
                rules.add("crossing")
            if d["need"]:
                rules.add("need")
            missing = {r for r in rules if f"{base}:{r}" not in names}
            assert not missing, (base, missing)


def test_the_guide_tables_equal_the_declarations():
    with open(cardtables.GUIDE) as fh:
        guide = fh.read()
    assert guide.count("<!-- items ") == 4 and guide.count("<!-- parameters -->") == 1
    assert cardtables.render(guide, DECL, LISTS) == guide, "the guide differs: run python3 docs/cardtables.py"
    for items in DECL.values():
        for d in items:
            assert cardtables.row(d) in guide
    for d in LISTS:
        assert cardtables.parameter_row(d) in guide


# The parameter lists of the matrix criteria: a valid list of each declared count, and one mistake
# for every rule of the declarations, made from them.
LISTS = cardtables.parameter_lists()
VALID = {"positive": "50", "real": "0.3"}


def parameter_list(d):
    """Values of a valid list, one per value: its kinds, then step and mode."""
    n = d["count"] - (2 if d["search"] else 0)
    kinds = d["kinds"] + ["real"] * (n - len(d["kinds"]))
    return [VALID[k] for k in kinds] + (["5", "1"] if d["search"] else [])


def parameter_block(selector, values):
    """A material block of the matrix selector, its list written two values a line from line 6 on."""
    rows = [" ".join(values[i:i + 2]) for i in range(0, len(values), 2)]
    return ("++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n+Failure\n"
            f"1 3 {selector} 1 0\n+Failure, TYPE=PROPERTIES\n" + "\n".join(rows) + "\n++End Material\n")


def parameter_mistakes():
    """(id, text, message) for every rule of the declared parameter lists."""
    out = []
    pre = "Error in MaterialCard, material 1, line "
    for d in LISTS:
        name = f"matrix {d['selector']}, {d['count']} values"
        for k, kind in enumerate(d["kinds"]):
            if kind == "positive":
                v = parameter_list(d)
                v[k] = "0"
                out.append((f"{name}:kind {k + 1}", parameter_block(d["selector"], v), f"{pre}{7 + k // 2}: +Failure: 0 is not positive"))
        if d["search"]:
            v = parameter_list(d)
            v[-2] = "0"
            out.append((f"{name}:step", parameter_block(d["selector"], v), f"{pre}6: +Failure: step 0 is not positive"))
    for sel in sorted({d["selector"] for d in LISTS}):
        n = next(n for n in range(1, 9) if all(d["count"] != n for d in LISTS if d["selector"] == sel))
        out.append((f"matrix {sel}:count", parameter_block(sel, ["0.3"] * n), f"{pre}6: +Failure: {plural(n)} for matrix {sel}"))
    return out


PARAMETER_MISTAKES = parameter_mistakes()


@pytest.mark.parametrize("d", LISTS, ids=[f"matrix {d['selector']}, {d['count']} values" for d in LISTS])
def test_every_declared_parameter_list_reads_without_a_report(vx, tmp_path, d):
    v = parameter_list(d)
    read_cards(vx, tmp_path, "MaterialCard", parameter_block(d["selector"], v))
    assert err(vx)[0] == 0, err(vx)
    np.testing.assert_array_equal(vx.materialdata.pdprops[:len(v), 0, 0], [float(x) for x in v])


@pytest.mark.parametrize("name,text,message", PARAMETER_MISTAKES, ids=[m[0] for m in PARAMETER_MISTAKES])
def test_every_rule_of_every_parameter_list_is_reported(vx, tmp_path, name, text, message):
    read_cards(vx, tmp_path, "MaterialCard", text)
    assert err(vx) == (-2, message), text
    # stored as written all the same
    vals = [float(x) for x in text.split("PROPERTIES\n")[1].split("++End")[0].split()]
    np.testing.assert_array_equal(vx.materialdata.pdprops[:len(vals), 0, 0], vals)


def test_the_parameter_mistakes_cover_every_rule_of_the_lists():
    names = {m[0] for m in PARAMETER_MISTAKES}
    assert LISTS and {d["selector"] for d in LISTS} == {9, 10, 11, 12, 13}
    for d in LISTS:
        name = f"matrix {d['selector']}, {d['count']} values"
        rules = {f"kind {k + 1}" for k, kind in enumerate(d["kinds"]) if kind != "real"}
        rules |= {"step"} if d["search"] else set()
        assert not {r for r in rules if f"{name}:{r}" not in names}, name
        assert f"matrix {d['selector']}:count" in names


def test_a_changed_declaration_shows_in_the_guide(tmp_path):
    """The comparison can fail: a count changed in the declarations no longer renders the guide."""
    with open(cardtables.SOURCE) as fh:
        src = fh.read()
    changed = src.replace('slot::failprops, upto(8)', 'slot::failprops, upto(5)')
    assert changed != src
    (tmp_path / "items.cpp").write_text(changed)
    with open(cardtables.GUIDE) as fh:
        guide = fh.read()
    assert cardtables.render(guide, cardtables.declarations(str(tmp_path / "items.cpp"))) != guide


HUGE = np.finfo(float).max
# Typing mistakes of new users: reported, and the values stay where the readers put them before the report.
TYPOS = [
    # records not whole on a line: plies 1, 3 and 6 are filled
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Abstraction, TYPE=Fiber\n1 5 5\n2 6 4\n3 7 3\n4 8 2\n"
     "++End Damage\n", "Error in DamageCard, damage 1, line 6: +Abstraction: line mixes two records",
     lambda vx: vx.damagedata.fiberdds[:2, :, 0].T.tolist() == [[5, 5], [0, 0], [4, 8], [0, 0], [0, 0], [4, 3]]),
    # the same ply twice: the second record wins
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Abstraction, TYPE=Delamination\n4, 5, 5, 0\n"
     "4, 6, 6, 0\n++End Damage\n", "Error in DamageCard, damage 1, line 6: +Abstraction: interface 4 given twice",
     lambda vx: vx.damagedata.delamdds[:2, 3, 0].tolist() == [6, 6]),
    ("SectionCard", "++Begin Section, SecID=1\n+Orientation, UNIT=RAD\n0 1.5708\n+Thickness\n0.125\n+Material\n1\n"
     "++End Section\n", "Error in SectionCard, section 1, line 2: +Orientation: unknown option UNIT=RAD",
     lambda vx: vx.sectiondata.plyorientation[:, 0].tolist() == [0, 1.5708]),
    ("SectionCard", "++Begin Section, SecID=1\n+Orientation\n0 90\n+Thickness\n0.125\n+Material\n1\n"
     "+Strength, TYPE=INSITU, MODEL=1\n62.0\n++End Section\n",
     "Error in SectionCard, section 1, line 8: +Strength: unknown option TYPE=INSITU",
     lambda vx: vx.sectiondata.xcstrength[0] == 62.0),
    ("StepCard", "++Begin Step\n+Update\n,5\n++End Step\n", "Error in StepCard, step, line 3: +Update: empty value",
     lambda vx: int(vx.debugdata.nupdate) == 0),
    ("SectionCard", "++Begin Section, SecID=1\n+Orientation\n0,, 45, -45, 90\n+Thickness\n0.125\n+Material\n1\n"
     "++End Section\n", "Error in SectionCard, section 1, line 3: +Orientation: empty value",
     lambda vx: vx.sectiondata.plyorientation[:, 0].tolist() == [0, 0, 45, -45, 90]),
    ("StepCard", "++Begin Step\n+Verbose\n1 6 9\n++End Step\n", "Error in StepCard, step, line 2: +Verbose: 3 values, at most 2",
     lambda vx: (int(vx.debugdata.verbose), int(vx.debugdata.unitid)) == (1, 6)),
    ("StepCard", "++Begin Step\n+Cycle\n1 2 3 4 5\n++End Step\n", "Error in StepCard, step, line 2: +Cycle: 5 values for 2 steps",
     lambda vx: vx.shokriehdata.cycleprops.tolist() == [[1, 3], [2, 4]]),
    # factor rows follow the ascending merged list whatever the order written
    ("MaterialCard", "++Begin Material, MatID=1\n+Temperature\n80, 20\n+Elastic\n100 0.2\n+Table, TYPE=TEMPERATURE\n"
     "0.5 1\n1 1\n++End Material\n", "Error in MaterialCard, material 1, line 3: +Temperature: 20 not above 80",
     lambda vx: vx.materialdata.temperatures.tolist() == [20, 80] and vx.materialdata.peprops[0, 0, 0] == 50),
    ("MaterialCard", "++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 4500 5000\n++End Material\n",
     "Error in MaterialCard, material 1, line 2: +Elastic: not positive definite",
     lambda vx: vx.materialdata.peprops[5, 0, 0] == 4500),
    ("MaterialCard", "++Begin Material, MatID=1\n+Elastic\n70000 3\n++End Material\n",
     "Error in MaterialCard, material 1, line 2: +Elastic: not positive definite",
     lambda vx: vx.materialdata.peprops[3, 0, 0] == 3),
    ("SectionCard", "++Begin Section, SecID=1\n+Orientation\n0 90\n+Thickness\n0.125\n+Material\n1\n+Strength\n0\n"
     "++End Section\n", "Error in SectionCard, section 1, line 9: +Strength: 0 is not positive",
     lambda vx: vx.sectiondata.xcstrength[0] == 0),
    # a plasticity curve given as pairs
    ("MaterialCard", "++Begin Material, MatID=1\n+Calibration, TYPE=Plasticity, T=20\n0 1\n0.1 2\n0.2 3\n++End Material\n",
     "Error in MaterialCard, material 1, line 4: +Calibration: line mixes two records",
     lambda vx: vx.materialdata.flowprops[0].tolist() == [[0, 1, 0.1], [2, 0.2, 3]]),
    # a curve shorter than another of its type is padded with zeros
    ("MaterialCard", "++Begin Material, MatID=1\n+Temperature\n20 80\n+Calibration, TYPE=Shear, T=20\n0 1\n0.1 2\n0.2 3\n"
     "+Calibration, TYPE=Shear, T=80\n0 1\n0.1 2\n++End Material\n",
     "Error in MaterialCard, material 1, line 8: +Calibration: 4 values, table of 6",
     lambda vx: vx.materialdata.shearprops[1, :, 0].tolist() == [0, 0.1, 0]),
    ("MaterialCard", "++Begin Material, MatID=1\n+Failure\n1 19 2 1 0\n++End Material\n",
     "Error in MaterialCard, material 1, line 3: +Failure: fibre 19 outside 0..13",
     lambda vx: vx.materialdata.pfflags[:, 0, 0].tolist() == [1, 19, 2, 1, 0]),
    ("MaterialCard", "++Begin Material, MatID=1\n+Failure, TYPE=EVOLUTION\n1 -3\n++End Material\n",
     "Error in MaterialCard, material 1, line 3: +Failure: -3 is negative",
     lambda vx: vx.materialdata.peflags[:2, 0, 0].tolist() == [1, -3]),
    ("DamageCard", "++Begin Damage, DmgID=1\n+Abstraction, TYPE=Fiber\n1, 2, 1, 0\n++End Damage\n",
     "Error in DamageCard, damage 1, line 4: +Position missing",
     lambda vx: vx.damagedata.fiberdds[0, 0, 0] == 2.0),
    ("StepCard", "++Begin Step\n+Debug, TYPE=ELEMENT\n-7\n++End Step\n", "Error in StepCard, step, line 3: +Debug: -7 is negative",
     lambda vx: int(vx.debugdata.edebug) == -7),
    # the first +Debug value is the one stored
    ("StepCard", "++Begin Step\n+Debug, TYPE=ELEMENT\n7 8\n++End Step\n",
     "Error in StepCard, step, line 2: +Debug: 2 values, expected 1", lambda vx: int(vx.debugdata.edebug) == 7),
    # marked steps 1 and 3 of three: the zero of step 2 left out, so 6 lands on step 2
    ("StepCard", "++Begin Step\n+Cycle\n0 0 3 0 0 1  0 0 0 0 0 1  0 0 3 0 0 1\n+Cycle, TYPE=INDIVIDUAL\n5 6\n"
     "++End Step\n", "Error in StepCard, step, line 4: +Cycle: 2 counts, expected 3",
     lambda vx: vx.shokriehdata.cycles.tolist() == [[5, 6, 0]]),
]


# The clean cards with a section of six plies, which the typing mistakes address.
SIX_PLIES = dict(CLEAN, SectionCard=CLEAN["SectionCard"].replace("0 90 0", "0 90 0 90 0 90"))


@pytest.mark.parametrize("card,text,message,check", TYPOS, ids=[f"{a[0]}-{i}" for i, a in enumerate(TYPOS)])
def test_typing_mistakes_are_reported_and_keep_their_values(vx, tmp_path, card, text, message, check):
    read_cards(vx, tmp_path, card, text, 3 if "INDIVIDUAL" in text else 2, SIX_PLIES)
    assert err(vx) == (-2, message)
    assert check(vx)


def test_every_matrix_parameter_list_of_the_guide_can_be_written(vx, tmp_path):
    """Up to 8 values: VDI 2014 with step and mode is the longest list the matrix driver reads."""
    for n in range(1, 9):
        vals = " ".join(["0.3"] * n)
        text = f"++Begin Material, MatID=1\n+Failure, TYPE=PROPERTIES\n{vals}\n++End Material\n"
        vx.errorhandling.rsxerr(1)
        read_cards(vx, tmp_path, "MaterialCard", text)
        assert err(vx)[0] == 0, err(vx)
        p = vx.materialdata.pdprops[:, 0, 0]
        assert p.shape == (n,) and np.all(p == 0.3)
    text = "++Begin Material, MatID=1\n+Failure, TYPE=PROPERTIES\n" + " ".join(["1"] * 9) + "\n++End Material\n"
    vx.errorhandling.rsxerr(1)
    read_cards(vx, tmp_path, "MaterialCard", text)
    assert err(vx) == (-2, "Error in MaterialCard, material 1, line 2: +Failure: 9 values, at most 8")
    assert np.all(vx.materialdata.pdprops == HUGE)


@pytest.mark.parametrize("card,text,message", [
    # ply and interface numbers are compared as reals before any conversion
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Abstraction, TYPE=Fiber\n1e300, 1, 1, 0\n++End Damage\n",
     "Error in DamageCard, damage 1, line 5: +Abstraction: ply 1e+300 outside 1..6"),
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Abstraction, TYPE=Core\n-1e300, 1, 1, 0\n"
     "++End Damage\n", "Error in DamageCard, damage 1, line 5: +Abstraction: ply -1e+300 outside 1..6"),
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Abstraction, TYPE=Delamination\n5.5, 1, 1, 0\n"
     "++End Damage\n", "Error in DamageCard, damage 1, line 5: +Abstraction: interface 5.5 outside 1..5"),
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 0\n+Table, TYPE=Fiber, LayID=99999999999\n0 1 2 0 3 4 0 3 1\n"
     "++End Damage\n", "Error in DamageCard, damage 1, line 4: +Table: no ply of the section"),
    # a cycle count row that no table can hold
    ("StepCard", "++Begin Step\n+Cycle\n0 0 3 0 0 1e300 0 0 0 0 0 1 0 0 0 0 0 1\n+Cycle, TYPE=INDIVIDUAL\n5\n++End Step\n",
     "Error in StepCard, step, line 4: +Cycle: individual cycle count out of range"),
    # selectors and integers read as reals elsewhere are read as integers here: no conversion at all
    ("MaterialCard", "++Begin Material, MatID=1\n+Failure\n1e300\n++End Material\n",
     "Error in MaterialCard, material 1, line 3: +Failure: value not an integer"),
    ("SectionCard", "++Begin Section, SecID=1e5\n+Orientation\n0\n+Thickness\n1\n+Material\n1\n++End Section\n",
     "Error in SectionCard, section ?, line 1: ++Begin Section: no readable id"),
    # integers beyond 32 bits are integers still: out of range, not "not an integer"
    ("SectionCard", "++Begin Section, SecID=1\n+Orientation\n0 90\n+Thickness\n1\n+Material\n1 4294967296\n"
     "++End Section\n", "Error in SectionCard, section 1, line 7: +Material: integer out of range"),
    ("StepCard", "++Begin Step\n+Debug, TYPE=ELEMENT\n-99999999999\n++End Step\n",
     "Error in StepCard, step, line 3: +Debug: integer out of range"),
    ("MaterialCard", "++Begin Material, MatID=1\n+Failure\n1 3 +2147483648 1 0\n++End Material\n",
     "Error in MaterialCard, material 1, line 3: +Failure: integer out of range"),
])
def test_huge_values_where_integers_are_meant(vx, tmp_path, card, text, message):
    """Run under the float-to-integer sanitizer too: every such value is range-checked first."""
    read_cards(vx, tmp_path, card, text, 3, SIX_PLIES)
    assert err(vx) == (-2, message)


SEVEN = "++Begin Section, SecID=7\n+Orientation\n0 90 0\n+Thickness\n{}\n+Material\n1\n{}++End Section\n"


@pytest.mark.parametrize("card,text,message,check", [
    # a number beyond the range of a double, in every spelling, is out of range like an integer beyond 32 bits
    ("SectionCard", SEVEN.format("1.5E400", ""), "Error in SectionCard, section 7, line 5: +Thickness: value out of range",
     lambda vx: vx.sectiondata.plythickness[0, 0] != 1.5e300),
    ("SectionCard", SEVEN.format("0.125", "+Strength\n1e309\n"),
     "Error in SectionCard, section 7, line 9: +Strength: value out of range", lambda vx: vx.sectiondata.xcstrength[0] == 0),
    ("SectionCard", SEVEN.format("0.125 " + "9" * 400, ""),
     "Error in SectionCard, section 7, line 5: +Thickness: value out of range", lambda vx: True),
    ("SectionCard", SEVEN.format("0.125", "").replace("+Material\n1", "+Material\n1 -1D999 1"),
     "Error in SectionCard, section 7, line 7: +Material: value out of range", lambda vx: True),
    ("MaterialCard", "++Begin Material, MatID=1\n+Elastic\n140000 -1e309 0.3 0.5 4500\n++End Material\n",
     "Error in MaterialCard, material 1, line 3: +Elastic: value out of range",
     lambda vx: not vx.materialdata.peprops.any()),
    ("DamageCard", "++Begin Damage, DmgID=1\n+Position\n0 0 0 1e400\n++End Damage\n",
     "Error in DamageCard, damage 1, line 3: +Position: value out of range", lambda vx: True),
    ("StepCard", "++Begin Step\n+Cycle\n1 2\n3 .5e+999\n++End Step\n",
     "Error in StepCard, step, line 4: +Cycle: value out of range",
     lambda vx: vx.shokriehdata.cycleprops.tolist() == [[1], [2]]),
    # the smallest doubles are numbers: 1e-320 is read and stored
    ("SectionCard", SEVEN.format("1e-320 0.125 0.125", ""), None, lambda vx: vx.sectiondata.plythickness[0, 0] == 1e-320),
])
def test_numbers_beyond_a_double_are_out_of_range(vx, tmp_path, card, text, message, check):
    read_cards(vx, tmp_path, card, text, 1, SIX_PLIES)
    assert err(vx)[0] == 0 if message is None else err(vx) == (-2, message)
    assert check(vx)


@pytest.mark.parametrize("selectors,values,message", [
    ("1 3 9 1 0", "0.3 0.2 0.15", "+Failure: 3 values for matrix 9"),     # Puck reads 2, 4 or 6
    ("1 3 9 1 0", "0.3 0.2 0.15 0.15", None),
    ("1 3 11 1 0", "53 5 1 0", "+Failure: 4 values for matrix 11"),       # Camanho reads 1, 2 or 3
    ("1 3 12 1 0", "60 60 40 0.3 -0.3 5 1", None),
    ("1 3 13 1 0", "0.3 0.3 0.25 0.25 0.5 0.5 5", "+Failure: 7 values for matrix 13"),
    ("1 3 13 1 0", "0.3 0.3 0.25 0.25 0.5 0.5 5 1", None),
    ("1 3 9 1 0", "-1 0.2 0.15", None),                                   # -1.0 keeps every default
    ("1 3 5 1 0", "45 1 2", None),                                        # the others read the first value only
    # a step the search would replace (golden mode, wider than the range) or widen (finer than a millionth of it)
    ("1 3 10 1 0", "200 1", "+Failure: step 200 wider than 180"),
    ("1 3 10 1 0", "200 0", None),                                        # a scan takes any positive step
    ("1 3 10 1 0", "180 1", None),
    ("1 3 12 1 0", "177 1.5", "+Failure: step 177 wider than 176"),     # SPC3D searches 2 to 178 degrees
    ("1 3 9 1 0", "0.3 0.2 0.15 0.15 1e-05 0", "+Failure: step 1e-05 too fine"),
])
def test_a_parameter_list_the_matrix_criterion_does_not_read(vx, tmp_path, selectors, values, message):
    text = (f"++Begin Material, MatID=1\n+Elastic\n140000 9000 0.3 0.5 4500\n+Failure\n{selectors}\n"
            f"+Failure, TYPE=PROPERTIES\n{values}\n++End Material\n")
    read_cards(vx, tmp_path, "MaterialCard", text)
    if message is None:
        assert err(vx)[0] == 0, err(vx)
    else:
        assert err(vx) == (-2, f"Error in MaterialCard, material 1, line 6: {message}")
    # stored whatever the report
    np.testing.assert_array_equal(vx.materialdata.pdprops[:len(values.split()), 0, 0], [float(x) for x in values.split()])
