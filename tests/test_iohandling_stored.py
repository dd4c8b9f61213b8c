"""What the card readers store stays what they stored: the example cards and every card of the
card tests (clean, mistaken and unusually formatted), read as a job reads them, with a digest of
every array and counter of the data they fill. The digests were taken with the readers as they were
before a change that must not alter stored values; a new check that reports more must not change
one bit of what is stored.

    PYTHONPATH=build python tests/test_iohandling_stored.py --write

takes the digests anew with the build on the path (only for a change meant to alter stored values).
"""
import gzip
import hashlib
import json
import os
import sys
import pathlib
import tempfile

import numpy as np

from conftest import read_job, run_python

HERE = os.path.dirname(os.path.abspath(__file__))
SNAPSHOT = os.path.join(HERE, "test_iohandling_stored.json.gz")
NAMES = ("StepCard", "SectionCard", "MaterialCard", "DamageCard")
COMPONENTS = ("sectiondata", "materialdata", "damagedata", "debugdata", "shokriehdata", "bukdata")


def card_sets():
    """(id, {card name: text}, nsteps) of every card set of the card tests."""
    sys.path.insert(0, HERE)
    import test_iohandling_corpus as corpus
    import test_iohandling_items as items
    import test_iohandling_mistakes as mistakes

    out = [("examples", dict(corpus.BASE), 2)]
    for card, rows in corpus.GROUPS.items():
        for name, old, new, message in rows:
            nsteps = 0 if message and "need at least one step" in message else 2
            out.append((f"corpus {card}: {name}", {card: corpus.edit(card, old, new)}, nsteps))
    for i, (card, old, new, _) in enumerate(corpus.STORED):
        out.append((f"corpus stored {i}", {card: corpus.edit(card, old, new)}, 2))
    for name, fs in corpus.FORMATS.items():
        out.append((f"format: {name}", {n: f(corpus.BASE[n]) for n, f in fs.items()}, 2))
    for card, d in ((c, d) for c, ds in items.DECL.items() for d in ds):
        text = "\n".join(items.block_lines(card, d, [items.item_line(d), items.GOOD[(card, d["key"], d["option"])]]))
        out.append((f"items clean {card}:{items.item_line(d)}", dict(items.CLEAN, **{card: text + "\n"}), items.NSTEPS))
    for name, card, text, _ in items.MISTAKES:
        out.append((f"items {name}", dict(items.CLEAN, **{card: text}), items.NSTEPS))
    for i, (card, text, _, _) in enumerate(items.TYPOS):
        out.append((f"items typo {i}", dict(items.SIX_PLIES, **{card: text}), 3 if "INDIVIDUAL" in text else 2))
    for i, (card, text, _) in enumerate(mistakes.MISTAKES):
        out.append((f"mistakes {i}", dict(mistakes.CARDS, **{card: text}), 2))
    out.append(("mistakes clean", dict(mistakes.CLEAN), 2))
    for name, split in corpus.WRAPPED.items():
        out.append((f"wrapped: {name}", {"SectionCard": corpus.SECTION3, "MaterialCard": corpus.wrapped_material(split),
                                         "DamageCard": corpus.data_lines(lambda ln: "\n".join(split(ln.replace(",", " "), 0)))(
                                             corpus.DAMAGE3)}, 2))
    out.append(("wrapped: one line", {"SectionCard": corpus.SECTION3, "DamageCard": corpus.DAMAGE3,
                                      "MaterialCard": corpus.wrapped_material(lambda r, n: [r])}, 2))
    for i, (old, new, _) in enumerate(mistakes.ORDER):
        out.append((f"mistakes order {i}", dict(mistakes.CARDS, SectionCard=mistakes.FOUR.replace(old, new)), 2))
    for d in items.LISTS:
        out.append((f"items list {d['selector']}:{d['count']}",
                    dict(items.CLEAN, MaterialCard=items.parameter_block(d["selector"], items.parameter_list(d))), items.NSTEPS))
    for name, text, _ in items.PARAMETER_MISTAKES:
        out.append((f"items {name}", dict(items.CLEAN, MaterialCard=text), items.NSTEPS))
    # every set holds all four cards, so that a set stands on its own
    return [(i, {n: c.get(n, corpus.BASE[n]) for n in NAMES}, s) for i, c, s in out]


def digest(vx):
    """SHA-256 over every datum of the components the readers fill."""
    h = hashlib.sha256()
    for c in COMPONENTS:
        comp = getattr(vx, c)
        for n in sorted(a for a in dir(comp) if not a.startswith("_")):
            v = getattr(comp, n)
            h.update(f"{c}.{n}".encode())
            if v is None:
                h.update(b"None")
            else:
                a = np.asfortranarray(np.array(v))
                h.update(f"{a.dtype.str}{a.shape}".encode())
                h.update(a.tobytes(order="F"))
    return h.hexdigest()


def read_set(vx, d, cards, nsteps):
    for n, t in cards.items():
        (d / f"{n}.vxd").write_bytes(t.encode())
    vx.errorhandling.rsxerr(1)
    read_job(vx, d, nsteps)
    return digest(vx)


def load():
    with gzip.open(SNAPSHOT, "rt") as fh:
        return json.load(fh)


def changed_sets(vx):
    """Ids of the card sets whose data differ from the digests, the sets read in their order.
    Some data outlive a job's release (the resin tables, r_crit, i10), so what a set leaves
    depends on the sets before it: run in a fresh process."""
    with tempfile.TemporaryDirectory() as d:
        return [e["id"] for e in load() if read_set(vx, pathlib.Path(d), e["cards"], e["nsteps"]) != e["digest"]]


def test_every_card_of_the_tests_stores_what_it_stored():
    """Bit for bit, whatever the card's report: a new check only reports."""
    assert len(load()) > 400
    out, status = run_python(f"import sys; sys.path.insert(0, {HERE!r}); import _vexlan, json, test_iohandling_stored as t; "
                             "print(json.dumps(t.changed_sets(_vexlan)))", timeout=300)
    assert status == 0
    assert json.loads(out) == []


def test_the_digest_sees_one_changed_bit(vx, tmp_path):
    e = load()[0]
    before = read_set(vx, tmp_path, e["cards"], e["nsteps"])
    vx.sectiondata.plyorientation[0, 0] = np.nextafter(vx.sectiondata.plyorientation[0, 0], 1e9)
    assert digest(vx) != before


def main(argv):
    if "--write" not in argv:
        print(__doc__)
        return 2
    import _vexlan as vx
    # Sets of earlier digests stay (the cards of tests since changed still hold), read first and
    # anew with the build on the path, the sets of the tests as they are after them.
    earlier = [(e["id"], e["cards"], e["nsteps"]) for e in load()] if os.path.exists(SNAPSHOT) else []
    entries, seen = [], set()
    with tempfile.TemporaryDirectory() as d:
        for i, cards, nsteps in earlier + card_sets():
            key = json.dumps([cards, nsteps], sort_keys=True)
            if key in seen:
                continue
            seen.add(key)
            entries.append({"id": i, "cards": cards, "nsteps": nsteps,
                            "digest": read_set(vx, pathlib.Path(d), cards, nsteps)})
    with gzip.GzipFile(SNAPSHOT, "wb", mtime=0) as fh:  # the same bytes for the same digests
        fh.write(json.dumps(entries, indent=0).encode())
    print(f"{len(entries)} card sets")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
