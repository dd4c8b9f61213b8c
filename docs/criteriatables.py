"""The criteria tables of docs/cards.md, rendered from the selector tables of the
per-mode failure drivers, declared in src/failure/damage_selectors.h.

    python3 docs/criteriatables.py          rewrites the tables in docs/cards.md
    python3 docs/criteriatables.py --check  exits 1 when the guide differs

A table stands between "<!-- criteria MODE -->" and "<!-- end criteria -->"
lines; tests/test_damage_selectors.py holds the guide to the declarations and
the declarations to what the drivers compute. The main job
(examples/failure_per_ply.py) names each mode's criterion from them too.
"""
import os
import re
import sys

from cardtables import cell, rewrite, rows

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "src", "failure", "damage_selectors.h")
GUIDE = os.path.join(ROOT, "docs", "cards.md")
MODES = ("general", "fibre", "matrix", "delamination", "core")
FIELDS = ("selector", "name", "routine", "stresses", "strengths", "constants", "effort")
PLIES = {"lower": "of the lower ply", "upper": "of the upper ply", "each": "of each ply"}


def groups(text):
    """[(ply or None, [name, ...]), ...] of a list of what a criterion takes: "s33i; each: s13 s23"
    is [(None, ["s33i"]), ("each", ["s13", "s23"])]."""
    out = []
    for part in filter(None, (p.strip() for p in text.split(";"))):
        who, _, names = part.rpartition(":")
        who = who.strip() or None
        if who is not None and who not in PLIES:
            raise ValueError(f"unknown ply {who!r} in {text!r}")
        out.append((who, names.split()))
    return out


def criteria(source=SOURCE):
    """{mode: [row dict, ...]} in selector order, the lists of what each criterion takes parsed
    by groups()."""
    with open(source) as fh:
        text = fh.read()
    tables = {}
    for m in re.finditer(r"constexpr Criterion (\w+)_criteria\[\] = \{\n(.*?)\n\};", text, re.S):
        table = []
        for line in m.group(2).splitlines():
            same = re.fullmatch(r'\s*same_as\((\w+)_criteria\[(\d+)\], (\d+), "(.*)"\),?', line)
            if same:  # a row of an earlier table under this table's selector
                d = dict(tables[same.group(1)][int(same.group(2))], selector=int(same.group(3)),
                         effort=same.group(4))
            else:
                d = next(rows(line, FIELDS), None)
                if d is None:
                    continue
                d["selector"] = int(d["selector"])
                for f in FIELDS[1:]:
                    d[f] = d[f][1:-1].replace('\\"', '"').replace("\\'", "'")
                for f in ("stresses", "strengths", "constants"):
                    d[f] = groups(d[f])
            table.append(d)
        tables[m.group(1)] = table
    if tuple(tables) != MODES:
        raise ValueError(f"selector tables {tuple(tables)}, expected {MODES}")
    return tables


def takes_text(parsed):
    return "; ".join(", ".join(names) + (f" {PLIES[who]}" if who else "") for who, names in parsed)


def row(d):
    name = d["name"] + (f", `{d['routine']}`" if d["routine"] else "")
    strengths = "; ".join(filter(None, (takes_text(d["strengths"]), takes_text(d["constants"]))))
    return (f"| {d['selector']} | {cell(name)} | {cell(takes_text(d['stresses']))} | {cell(strengths)} "
            f"| {cell(d['effort'])} |")


def table(mode_rows):
    lines = ["| selector | criterion | stresses | strengths, constants | effort |", "|---|---|---|---|---|"]
    lines += [row(d) for d in mode_rows]
    return "\n".join(lines)


def render(guide_text, tables):
    """The guide with every marked criteria table replaced by its rendering."""
    return re.sub(r"(<!-- criteria (\w+) -->)\n(?:\|[^\n]*\n)*(<!-- end criteria -->)",
                  lambda m: f"{m.group(1)}\n{table(tables[m.group(2)])}\n{m.group(3)}", guide_text, flags=re.S)


def main(argv):
    return rewrite(argv, lambda text: render(text, criteria()), GUIDE)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
