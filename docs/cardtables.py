"""The item tables of docs/cards.md, rendered from the item declarations of
src/io/iohandling_items.cpp, the ones the card readers read through.

    python3 docs/cardtables.py          rewrites the tables in docs/cards.md
    python3 docs/cardtables.py --check  exits 1 when the guide differs

A table stands between "<!-- items NAME -->" and "<!-- end items -->" lines, the
parameter lists of the matrix criteria between "<!-- parameters -->" and
"<!-- end parameters -->"; tests/test_iohandling_items.py holds the guide to the
declarations.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "src", "io", "iohandling_items.cpp")
GUIDE = os.path.join(ROOT, "docs", "cards.md")
CARDS = {"step": "StepCard", "section": "SectionCard", "material": "MaterialCard", "damage": "DamageCard"}
FIELDS = ("key", "option", "select", "place", "repeat", "slot", "count", "record", "per_line", "kind", "need",
          "data", "lands")


PARAM_FIELDS = ("selector", "criterion", "count", "search", "kinds", "data")


def split_fields(text):
    """Top-level comma-separated fields of a brace initializer (strings,
    parentheses and inner braces kept whole)."""
    out, depth, cur, quoted = [], 0, "", False
    for ch in text:
        if quoted:
            cur += ch
            quoted = ch != '"' or cur.endswith('\\"')
            continue
        if ch == '"':
            quoted = True
        elif ch in "({":
            depth += 1
        elif ch in ")}":
            depth -= 1
        elif ch == "," and depth == 0:
            out.append(cur.strip())
            cur = ""
            continue
        cur += ch
    out.append(cur.strip())
    return out


def parse_count(text):
    m = re.fullmatch(r"(\w+)\(([^)]*)\)", text)
    if not m:
        raise ValueError(f"count not understood: {text}")
    args = [int(a) for a in m.group(2).split(",") if a.strip()]
    return m.group(1), args


def rows(block, names):
    """The brace-enclosed rows of a C++ table, one per line, as {field name: source text}."""
    for line in block.splitlines():
        line = line.strip()
        if not line.startswith("{"):
            continue
        fields = split_fields(line[1:line.rindex("}")])
        if len(fields) != len(names):
            raise ValueError(f"{len(fields)} fields in {line}")
        yield dict(zip(names, fields))


def declarations(source=SOURCE):
    """{card name: [declaration dict, ...]} in declaration order."""
    with open(source) as fh:
        text = fh.read()
    cards = {}
    for m in re.finditer(r"constexpr Item (\w+)_decl\[\] = \{\n(.*?)\n\};", text, re.S):
        items = []
        for d in rows(m.group(2), FIELDS):
            for f in ("key", "option", "data", "lands"):
                d[f] = d[f][1:-1]
            d["slot"] = d["slot"].replace("slot::", "")
            d["count"] = parse_count(d["count"])
            d["record"] = int(d["record"])
            d["per_line"] = d["per_line"] == "true"
            d["need"] = d["need"] == "true"
            items.append(d)
        cards[CARDS[m.group(1)]] = items
    return cards


def parameter_lists(source=SOURCE):
    """The parameter lists of the matrix criteria, in declaration order."""
    with open(source) as fh:
        text = fh.read()
    m = re.search(r"constexpr ParamList matrix_param_decl\[\] = \{\n(.*?)\n\};", text, re.S)
    lists = []
    for d in rows(m.group(1), PARAM_FIELDS):
        d["selector"], d["count"] = int(d["selector"]), int(d["count"])
        d["criterion"], d["data"] = d["criterion"][1:-1], d["data"][1:-1]
        d["search"] = d["search"] == "true"
        d["kinds"] = [k.strip() for k in d["kinds"].strip("{}").split(",") if k.strip()]
        lists.append(d)
    return lists


RECORDS = {0: "rows", 2: "pairs", 3: "triples", 4: "fours"}
KINDS = {
    "real": "",
    "integer": "integer",
    "material_id": "integer, below 2147483647 (the mark of a ply without material)",
    "positive": "above 0",
    "nonnegative": "0 or above",
    "natural": "integer, 0 or above",
    "counting": "integer, 1 or above",
    "temperature": "strictly ascending",
    "elastic": "giving a positive definite stiffness",
    "selector": "each within its mode's table",
    "curve": "x (first of each) strictly ascending",
    "ply_record": "plies 1 to nplies, each once; half-axes above 0",
    "gap_record": "interfaces 1 to nplies-1, each once; half-axes above 0",
    "damage_limit": "each 0 to 1, or -1 for the damage routine's own set",
    "modulus_curve": "x (first of each) strictly ascending, the modulus (second) above 0",
    "outline": "the vertices of a simple polygon that encloses an area",
}
REPEATS = {"once": "once", "per_kind": "once per kind", "per_ply": "once per ply and kind",
           "per_temperature": "one per merged temperature and type", "many": "any number of times"}


def count_text(count):
    rule, a = count
    if rule == "exactly":
        return "1 value" if a[0] == 1 else f"{a[0]} values"
    if rule == "upto":
        return "any number of values" if a[0] < 0 else f"up to {a[0]} value" + ("s" if a[0] > 1 else "")
    if rule == "between":
        return f"{a[0]} or {a[1]} values" if a[1] == a[0] + 1 else f"{a[0]} to {a[1]} values"
    if rule == "at_least":
        return "any number of values" if a[0] == 0 else f"{a[0]} or more values"
    if rule == "none_or_at_least":
        return f"none, or {a[0]} or more values"
    if rule == "one_of":
        return ", ".join(map(str, a[:-1])) + f" or {a[-1]} values"
    return {"one_per_ply": "1, or 1 per ply",
            "per_step": "m per step, a multiple of nsteps",
            "factor_table": "(elastic + strength count) x ntempdata",
            "marked_steps": "ncyc per step, from the first marked step to the last"}[rule]


def cell(text):
    return text.replace("|", "\\|")


def row(d):
    item = d["key"].rstrip("*") + (", " + d["option"] if d["option"] else "")
    item = f"`{item}`"
    if d["key"].endswith("*"):
        n = len(d["key"]) - 1
        item += f" (its first {n} characters are compared)"
    where = ("in a block" if d["place"] == "block" else "anywhere") + ", " + REPEATS[d["repeat"]]
    if d["need"]:
        where += ", needed"
    if d["kind"] == "ignored":  # lines passed over unread: neither counted nor checked
        return f"| {cell(item)} | {where} | {cell(d['data'])} | {cell(d['lands'])} |"
    values = [count_text(d["count"])]
    if KINDS[d["kind"]]:
        values.append(KINDS[d["kind"]])
    if d["record"] != 1:
        r = RECORDS[d["record"]]
        values.append(f"in {r}" + (f"; a line holds whole {r} or part of one" if d["per_line"] else ""))
    return f"| {cell(item)} | {where} | {cell(d['data'])}: {cell(', '.join(values))} | {cell(d['lands'])} |"


def table(items):
    lines = ["| item | stands | values | lands in |", "|---|---|---|---|"]
    lines += [row(d) for d in items]
    return "\n".join(lines)


def kinds_text(kinds):
    """The kinds of a parameter list's values, runs of one kind together: "values 1 to 3 above 0"."""
    out, k = [], 0
    while k < len(kinds):
        j = k
        while j + 1 < len(kinds) and kinds[j + 1] == kinds[k]:
            j += 1
        if KINDS.get(kinds[k]):
            at = f"value {k + 1}" if j == k else f"values {k + 1} to {j + 1}"
            out.append(f"{at} {KINDS[kinds[k]]}")
        k = j + 1
    return "; ".join(out)


def parameter_row(d):
    meaning = d["data"] + (f": {kinds_text(d['kinds'])}" if kinds_text(d["kinds"]) else "")
    return f"| {d['selector']} {cell(d['criterion'])} | {d['count']} | {cell(meaning)} |"


def parameter_table(lists):
    lines = ["| matrix selector | n values | meaning |", "|---|---|---|"]
    lines += [parameter_row(d) for d in lists]
    selectors = sorted({d["selector"] for d in lists})
    lines.append(f"| {selectors[0]} to {selectors[-1]} | any other n | nothing: every default kept |")
    lines.append("| every other selector | 1 or more | the first value is only the fracture angle, in degrees, that a "
                 "failing ply reports (returned in radians) |")
    return "\n".join(lines)


def render(guide_text, cards, lists=None):
    """The guide with every marked table replaced by its rendering."""
    def repl(m):
        return f"{m.group(1)}\n{table(cards[m.group(2)])}\n{m.group(3)}"
    text = re.sub(r"(<!-- items (\w+) -->)\n(?:\|[^\n]*\n)*(<!-- end items -->)", repl, guide_text, flags=re.S)
    if lists is not None:
        text = re.sub(r"(<!-- parameters -->)\n(?:\|[^\n]*\n)*(<!-- end parameters -->)",
                      lambda m: f"{m.group(1)}\n{parameter_table(lists)}\n{m.group(2)}", text, flags=re.S)
    return text


def rewrite(argv, rendering, guide=GUIDE):
    """Rewrites the guide with rendering(text), or with --check in argv tells whether it would
    change: the exit status of a generator."""
    with open(guide) as fh:
        text = fh.read()
    new = rendering(text)
    if "--check" in argv:
        return 0 if new == text else 1
    with open(guide, "w") as fh:
        fh.write(new)
    return 0


def main(argv):
    return rewrite(argv, lambda text: render(text, declarations(), parameter_lists()))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
