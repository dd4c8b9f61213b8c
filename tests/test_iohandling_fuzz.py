"""Mutation fuzzing of the card readers, the printed-model reader and the line primitives: example
cards and the example listing, mutated at random from a seed, read in child processes. A crash, a
sanitizer report, a hang or runaway memory is recorded with its seed (the seed rebuilds the files)
and the batch goes on. The suite runs two hundred seeds; VX_FUZZ=full runs twenty thousand over the
processors (with `make sanitize`, under the sanitizers), and

    python tests/test_iohandling_fuzz.py FIRST COUNT [JOBS]

runs a batch by hand (with the sanitizers when they are preloaded) and prints every finding."""
import math
import os
import random
import resource
import select
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

import pytest

from conftest import error_record, read_job

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")
CARDS = ("StepCard.vxd", "SectionCard.vxd", "MaterialCard.vxd", "DamageCard.vxd")
MODEL = "plate.dat"

KEYWORDS = [b"+Abstraction", b"+Calibration", b"+Curing", b"+Cycle", b"+Debug", b"+Elastic", b"+Enthalpie",
            b"+Expansion", b"+Extension", b"+Failure", b"+Fracture", b"+GelPoint", b"+Hygrothermal", b"+Material",
            b"+ModelID", b"+Orientation", b"+Position", b"+Regularization", b"+Shrinkage", b"+Strength", b"+Table",
            b"+Temperature", b"+Thickness", b"+Transition", b"+Update", b"+Verbose", b"+I10",
            b"++Begin Section, SecID=3", b"++Begin Material, MatID=2", b"++Begin Damage, DmgID=1", b"++Begin Step",
            b"++End Section", b"++End Material", b"++End Damage", b"++End Step", b"**", b"*"]
OPTIONS = [b"TYPE=INSITU", b"TYPE=Fiber", b"TYPE=Delamination", b"TYPE=Matrix, LayID=3", b"LayID=99999999999",
           b"Layer=-4", b"TYPE=Plasticity, T=20", b"TYPE=Secant, T=1e400", b"TYPE=Secant, T=nan", b"T=", b"TYPE=",
           b"TYPE=TEMPERATURE", b"TYPE=PROPERTIES", b"TYPE=INDIVIDUAL", b"TYPE=ELEMENT", b"TYPE=DEGRADATION",
           b"TYPE=EVOLUTION", b"SecID=2147483647", b"MatID=-2147483648", b"DmgID=0", b"DmgID=4000000000", b"=,=,=",
           b"TYPE=General|Fiber", b",,,,", b"TYPE=EquivalentStress", b"TYPE=Normal, T=80", b"TYPE=RATE"]
NUMBERS = [b"1e308", b"-1e308", b"1e400", b"-1e400", b"-0", b"nan", b"NaN", b"inf", b"-inf", b"99999999999",
           b"2147483647", b"-2147483648", b"2147483648", b"4294967296", b"0", b"-1", b"1e-320", b"1d999",
           b"0x10", b"1.7976931348623157e308", b"9" * 400, b"1e", b".", b"-", b"+", b"1,", b",", b"3*2.0",
           b"65536", b"1000000", b"-65536"]
ELEMENTS = [b"S4R", b"S8R", b"S3", b"S4", b"C3D8", b"C3D20R", b"CIN3D8", b"SC8R", b"S", b"C", b"STRI65", b"B31",
            b"C3D27", b"S9R5", b"X"]


def _lines(t):
    return t.split(b"\n")


def _number_tokens(t):
    """Start and end of each run of digits, signs, dots and exponent letters."""
    out, i, n = [], 0, len(t)
    while i < n:
        if t[i:i + 1] in b"0123456789.-":
            j = i
            while j < n and t[j:j + 1] in b"0123456789.-+eEdD":
                j += 1
            out.append((i, j))
            i = j
        else:
            i += 1
    return out


def _data_line(rng, t):
    ls = [i for i, ln in enumerate(_lines(t)) if ln[:1] not in (b"+", b"*") and ln.strip()]
    return rng.choice(ls) if ls else None


def _on_lines(f):
    def g(rng, t):
        ls = _lines(t)
        if not ls:
            return t
        return b"\n".join(f(rng, ls) or ls)
    return g


def _del_line(rng, ls):
    del ls[rng.randrange(len(ls))]


def _dup_line(rng, ls):
    i = rng.randrange(len(ls))
    ls[i:i] = [ls[i]] * rng.choice((1, 1, 2, 50))


def _swap_lines(rng, ls):
    i, j = rng.randrange(len(ls)), rng.randrange(len(ls))
    ls[i], ls[j] = ls[j], ls[i]


def _splice_keyword(rng, ls):
    i = rng.randrange(len(ls))
    ln, kw = ls[i], rng.choice(KEYWORDS)
    at = rng.randrange(len(ln) + 1)
    ls[i] = ln[:at] + rng.choice((b"", b" ", b", ", b"\n")) + kw + ln[at:]


def _insert_keyword_line(rng, ls):
    kw = rng.choice(KEYWORDS)
    if rng.random() < 0.5:
        kw += b", " + rng.choice(OPTIONS)
    ls.insert(rng.randrange(len(ls) + 1), kw)


def _mangle_option(rng, ls):
    ks = [i for i, ln in enumerate(ls) if ln[:1] == b"+"]
    if ks:
        i = rng.choice(ks)
        head = ls[i].split(b",")[0]
        ls[i] = head + rng.choice((b", ", b",", b" ", b"")) + rng.choice(OPTIONS)


def _nested_begin(rng, ls):
    bs = [i for i, ln in enumerate(ls) if ln.startswith(b"++Begin")]
    if bs:
        i = rng.choice(bs)
        ls.insert(i + rng.randrange(1, 4), ls[i])


def _drop_ends(rng, ls):
    ls[:] = [ln for ln in ls if not ln.startswith(b"++End") or rng.random() < 0.3]


def _many_values(rng, ls):
    """Thousands of plies or values on one line, or records one a line."""
    ds = [i for i, ln in enumerate(ls) if ln[:1] not in (b"+", b"*") and ln.strip()]
    if not ds:
        return
    i = rng.choice(ds)
    n = rng.choice((100, 1000, 5000, 20000))
    if rng.random() < 0.5:
        vals = [v[:40] for v in (ls[i].replace(b",", b" ").split() or [b"1"])[:50]]
        ls[i] = b" ".join(vals[k % len(vals)] for k in range(n))
    else:
        ls[i + 1:i + 1] = [ls[i]] * max(1, min(n, 5000, 2_000_000 // (len(ls[i]) + 1)))


def _many_blocks(rng, ls):
    """A block repeated hundreds or thousands of times, with new ids or the same."""
    bs = [i for i, ln in enumerate(ls) if ln.startswith(b"++Begin")]
    if not bs:
        return
    i = rng.choice(bs)
    j = next((k for k in range(i + 1, len(ls)) if ls[k].startswith(b"++End")), min(len(ls) - 1, i + 8))
    block = ls[i:j + 1]
    n = max(1, min(rng.choice((10, 300, 2000)), 2_000_000 // (sum(map(len, block)) + 1)))
    new = []
    renumber = rng.random() < 0.7
    for k in range(n):
        b = list(block)
        if renumber and b and b"ID=" in b[0]:
            b[0] = b[0].split(b"ID=")[0] + b"ID=" + str(k + rng.choice((1, 1000, 10**6))).encode()
        new += b
    ls[j + 1:j + 1] = new


def _huge_number(rng, t):
    toks = _number_tokens(t)
    if not toks:
        return t
    for _ in range(rng.choice((1, 1, 3, 10))):
        a, b = rng.choice(toks)
        t = t[:a] + rng.choice(NUMBERS) + t[b:]
        toks = _number_tokens(t)
        if not toks:
            break
    return t


def _byte_flips(rng, t):
    if not t:
        return t
    b = bytearray(t)
    for _ in range(rng.choice((1, 2, 5, 20))):
        b[rng.randrange(len(b))] ^= 1 << rng.randrange(8)
    return bytes(b)


def _random_bytes(rng, t):
    at = rng.randrange(len(t) + 1)
    what = rng.choice((b"\x00", b"\x00" * 10, b"\xff\xfe", b"\xc3\xa9", b"\xe2\x80\x8b", b"\x80", b"\x1a",
                       bytes(rng.randrange(256) for _ in range(rng.choice((1, 8, 64))))))
    return t[:at] + what + t[at:]


def _truncate(rng, t):
    return t[:rng.randrange(len(t) + 1)]


def _long_line(rng, t):
    ls = _lines(t)
    i = rng.randrange(len(ls) + 1)
    n = rng.choice((1000, 100000, 300000))
    fill = rng.choice((b"x", b"1 ", b"1,", b",", b" ", b"9", b"+", b"1e308 "))
    line = (fill * (n // len(fill)))[:n]
    if rng.random() < 0.3 and i < len(ls):
        line = ls[i] + line
    ls.insert(i, line)
    return b"\n".join(ls)


def _line_ends(rng, t):
    return t.replace(b"\n", rng.choice((b"\r", b"\r\n", b"\n\r", b"\r\r\n", b"\n\n", b"")))


def _model_edit(rng, t):
    """For the listing only: element types, element and node numbers, many element or node lines."""
    ls = _lines(t)
    es = [i for i, ln in enumerate(ls) if any(e in ln for e in (b" S4R ",))]
    ns = [i for i, ln in enumerate(ls) if ln.strip()[:1].isdigit() and b"E+" in ln]
    c = rng.randrange(6)
    if c == 0 and es:
        i = rng.choice(es)
        ls[i] = ls[i].replace(b"S4R", rng.choice(ELEMENTS))
    elif c == 1 and es:
        i = rng.choice(es)
        f = ls[i].split()
        f[rng.randrange(len(f))] = rng.choice(NUMBERS)
        ls[i] = b"  " + b"  ".join(f)
    elif c == 2 and es:
        i = es[-1]
        n = rng.choice((100, 5000, 50000))
        start = rng.choice((5, 1, 2147483000))
        ls[i + 1:i + 1] = [b"  %d  %s  1  %d %d %d %d" % (start + k if start + k < 2**31 else 7, rng.choice(ELEMENTS),
                                                            k + 1, k + 2, k + 3, k + 4) for k in range(n)]
    elif c == 3 and ns:
        i = ns[-1]
        n = rng.choice((100, 5000, 50000))
        ls[i + 1:i + 1] = [b"  %d  1.0  2.0  3.0" % (10 + k) for k in range(n)]
    elif c == 4 and ns:
        i = rng.choice(ns)
        ls[i] = b"  " + rng.choice(NUMBERS) + b"  " + rng.choice(NUMBERS) + b"  1.0  " + rng.choice(NUMBERS)
    elif c == 5 and es:
        i = rng.choice(es)
        ls[i] = ls[i] + b"  " + b"  ".join(str(rng.randrange(-5, 100)).encode() for _ in range(rng.choice((2, 30, 3000))))
    return b"\n".join(ls)


MUTATIONS = {
    "byteflip": _byte_flips, "delete_line": _on_lines(_del_line), "duplicate_line": _on_lines(_dup_line),
    "swap_lines": _on_lines(_swap_lines), "truncate": _truncate, "huge_number": _huge_number,
    "long_line": _long_line, "bytes": _random_bytes, "line_ends": _line_ends, "no_end": _on_lines(_drop_ends),
    "splice_keyword": _on_lines(_splice_keyword), "keyword_line": _on_lines(_insert_keyword_line),
    "option": _on_lines(_mangle_option), "nested_begin": _on_lines(_nested_begin),
    "many_values": _on_lines(_many_values), "many_blocks": _on_lines(_many_blocks),
}
MODEL_MUTATIONS = dict(MUTATIONS, model=_model_edit, model2=_model_edit, model3=_model_edit)


def mutate(rng, t, table):
    names = []
    for _ in range(rng.choice((1, 1, 1, 2, 3, 5))):
        name = rng.choice(sorted(table))
        t = table[name](rng, t)
        names.append(name)
        if len(t) > 4_000_000:  # keeps a file's size in reach of a quick run
            t = t[:4_000_000]
    return t, names


def base_files():
    out = {n: open(os.path.join(EXAMPLES, "cards", n), "rb").read() for n in CARDS}
    out[MODEL] = open(os.path.join(EXAMPLES, "model", MODEL), "rb").read()
    return out


def make_case(seed, base):
    """The files of one seed and the names of the mutations applied."""
    rng = random.Random(seed)
    files, applied = dict(base), []
    for name in rng.sample(CARDS + (MODEL,), rng.choice((1, 1, 1, 2, 3))):
        files[name], how = mutate(rng, files[name], MODEL_MUTATIONS if name == MODEL else MUTATIONS)
        applied.append((name, how))
    return rng, files, applied


def run_case(vx, rng, d, say=lambda what: None):
    """Reads the files in folder d the way a job does, then the listing, then drives the line
    primitives over one of the files."""
    import numpy as np
    io = vx.iohandling
    vx.errorhandling.rsxerr(1)
    say("cards")
    read_job(vx, d, nsteps=rng.choice((0, 1, 2, 3)))
    if rng.random() < 0.3:  # a second pass over arrays kept from the first
        io.getsectiondatafromfile("", str(d))
        io.getmaterialdatafromfile("", str(d), int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
        io.getdamagedatafromfile("", str(d), int(vx.sectiondata.nplies), int(vx.sectiondata.nsec))
    vx.errorhandling.rsxerr(1)
    say("listing")
    vx.iohandling.getabqdatafromfile(os.path.join(str(d), MODEL))
    vx.errorhandling.rsxerr(1)
    path = os.path.join(str(d), rng.choice(CARDS + (MODEL,)))
    say("lines " + os.path.basename(path))
    u = io.getfreeunitnumber(1, 120)
    if u < 1 or io.iohandling_open(u, path, 0) != 0:
        return
    try:
        io.getfilelength(u, 0)
        io.rewindfile(u, rng.choice((1, 3, 1 << 30, 0, -5, -(1 << 31))))
        kw = rng.choice(KEYWORDS).decode()
        io.getnumberofkeywords(u, kw, rng.choice((len(kw), 0, -3, 1 << 20)), rng.choice((0, 1)))
        for _ in range(rng.choice((1, 3, 8))):
            io.get2nextkey(u, rng.choice((1, 1, -1)), kw, rng.choice((len(kw), 1, 0, 200, -7)),
                           rng.choice((1, 50, 1 << 30, 0, -1)), rng.choice((0, 1, 2, -1)))
            n = int(io.getsizeofdata(u, "*+", rng.choice((2, 1, 0, 10, -2))))
            c = rng.randrange(5)
            m = max(1, min(n, 1 << 20))
            if c == 0:
                io.real_getdatapoints(u, np.zeros(m))
            elif c == 1:
                io.int_getdatapoints(u, np.zeros(m, np.int32))
            elif c == 2:
                k = rng.choice((1, 2, 3, 4, 0))
                io.getxydatapoints(u, k, max(1, min(n // max(k, 1), 1 << 18)))
            elif c == 3:
                io.getddsfromfile(u, rng.choice((1, 4, 100, 0)))
            else:
                io.rewindfile(u, rng.choice((2, 100)))
    finally:
        io.iohandling_close(u)


def child(first, count, scratch):
    """Runs seeds first .. first+count-1, announcing each before it starts."""
    import _vexlan as vx
    base = base_files()
    for seed in range(first, first + count):
        rng, files, _ = make_case(seed, base)
        d = os.path.join(scratch, "case")
        os.makedirs(d, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(d, name), "wb") as f:
                f.write(data)
        print("seed", seed, flush=True)
        run_case(vx, rng, d, lambda what: print("in", what, flush=True))
        print("ok", seed, flush=True)
    print("done", flush=True)


def _rss_mb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for ln in f:
                if ln.startswith("VmRSS:"):
                    return int(ln.split()[1]) // 1024
    except OSError:
        pass
    return 0


def batch(first, count, per_file=20.0, rss_limit_mb=3000):
    """Runs the seeds in child processes; returns (seeds run, findings). A finding is (seed, kind,
    detail): kind 'signal', 'sanitizer', 'exit', 'alloc' (the library's own message on a failed
    allocation), 'hang' or 'memory'. The batch restarts after the seed that stopped a child."""
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join([HERE] + [p for p in sys.path if p])
    env["OPENBLAS_NUM_THREADS"] = "1"
    # Allocations past 2 GB fail inside the library (its message and exit), so that a card asking for
    # absurd memory is seen instead of swapping.
    for var, opts in (("ASAN_OPTIONS", "exitcode=86:allocator_may_return_null=1:max_allocation_size_mb=2048:"
                                       "detect_leaks=0:quarantine_size_mb=32"),
                      ("UBSAN_OPTIONS", "exitcode=86:halt_on_error=1:print_stacktrace=1")):
        env[var] = ":".join(o for o in (env.get(var, ""), opts) if o)
    sanitized = "libasan" in env.get("LD_PRELOAD", "")
    findings, seed, end, done = [], first, first + count, 0
    log = os.environ.get("VX_FUZZ_LOG")
    code = "import sys, test_iohandling_fuzz as f; f.child(int(sys.argv[1]), int(sys.argv[2]), sys.argv[3])"
    with tempfile.TemporaryDirectory() as scratch:
        while seed < end:
            current = None
            with tempfile.TemporaryFile() as err:
                p = subprocess.Popen([sys.executable, "-c", code, str(seed), str(min(end - seed, 200)), scratch],
                                     stdout=subprocess.PIPE, stderr=err, env=env, cwd=scratch,
                                     preexec_fn=None if sanitized else _limit_memory)
                current, started, buf, killed, finished = None, time.monotonic(), b"", None, False
                last, running = [], False
                while True:
                    r, _, _ = select.select([p.stdout], [], [], 0.5)
                    if r:
                        chunk = os.read(p.stdout.fileno(), 65536)
                        if not chunk:
                            break
                        buf += chunk
                        *ready, buf = buf.split(b"\n")
                        last = (last + ready)[-20:]
                        for ln in ready:
                            w = ln.split()
                            if w[:1] == [b"seed"]:
                                current, started, running = int(w[1]), time.monotonic(), True
                            elif w[:1] == [b"ok"]:
                                done += 1
                                running = False
                            elif w[:1] == [b"done"]:
                                finished = True
                    if running and time.monotonic() - started > per_file:
                        killed = ("hang", f"over {per_file:g} s")
                    elif _rss_mb(p.pid) > rss_limit_mb:
                        killed = ("memory", f"over {rss_limit_mb} MB resident")
                    if killed:
                        p.kill()
                        break
                p.wait()
                err.seek(0)
                text = err.read().decode(errors="replace")
                tail = b"\n".join(last + [buf]).decode(errors="replace")
            # The seed that stopped the child: the one running, else the one being made after it.
            culprit = current if running else (seed if current is None else current + 1)
            if killed:
                findings.append((culprit, *killed))
            elif finished and p.returncode == 0:
                seed = current + 1
                continue
            else:
                if "Error allocating" in tail or "Error allocating" in text:
                    kind = "alloc"
                elif not running:
                    kind = "generator"  # the fuzzer's own failure while making the files
                elif p.returncode < 0:
                    kind = "signal"
                elif p.returncode == 86 or "Sanitizer" in text or "runtime error" in text:
                    kind = "sanitizer"
                else:
                    kind = "exit"
                findings.append((culprit, kind, f"status {p.returncode}: {(tail + text)[-3000:]}"))
            if log:
                with open(log, "a") as f:
                    f.write(f"--- seed {findings[-1][0]}: {findings[-1][1]}\n{findings[-1][2]}\n")
            seed = culprit + 1
    return done, findings


def _limit_memory():
    resource.setrlimit(resource.RLIMIT_AS, (4 << 30, 4 << 30))


def test_mutated_cards_and_listings_end_cleanly():
    """Two hundred seeds here; VX_FUZZ=full runs twenty thousand."""
    full = os.environ.get("VX_FUZZ") == "full"
    first, count = (1000, 20000) if full else (0, 200)
    done, findings = parallel(first, count, max(1, min(8, os.cpu_count() or 1)) if full else 1)
    # The library's own end on a failed allocation is its prescribed answer to counts that ask for
    # more than the machine has (dense arrays over plies, sections, damages and temperatures).
    bad = [f for f in findings if f[1] not in ("alloc", "memory")]
    assert not bad, bad[:5]
    assert done + len(findings) == count
    assert len(findings) <= count // 100, findings


def test_mutations_are_reproducible_from_the_seed():
    base = base_files()
    a, b = make_case(12345, base), make_case(12345, base)
    assert a[1] == b[1] and a[2] == b[2]
    assert a[1] != make_case(12346, base)[1]


def _many_materials(d):
    """10,000 material blocks over a section of 100,000 plies: each block once over its own plies,
    not over every ply for every block and item (seconds before)."""
    n, m = 100000, 10000
    (d / "SectionCard.vxd").write_text("++Begin Section, SecID=1\n+Material\n" +
                                       " ".join(str(1 + k % m) for k in range(n)) + "\n+Orientation\n" +
                                       " ".join("0" for _ in range(n)) + "\n+Thickness\n0.1\n++End Section\n")
    (d / "MaterialCard.vxd").write_text("".join(
        f"++Begin Material, MatID={k}\n+Elastic\n{60000 + k}, 0.3\n+Strength\n{k}, 100, 100, 100, 100, 100, 50, 50, 50, 50\n"
        f"+Fracture\n0.2\n++End Material\n" for k in range(1, m + 1)))

    def check(vx):
        m_ = vx.materialdata
        assert m_.peprops[0, 12344, 0] == 60000 + 12345 % m  # ply 12345 has material 12345 mod m
        assert m_.psprops[0, 99999, 0] == m and m_.pfprops[0, 99999, 0] == 0.2
        assert error_record(vx)[0] == 0, error_record(vx)
    return check, 1.0


def _long_elastic(d):
    """30,000 elastic constants under 3,000 temperatures sized the stiffness table to 90 million rows
    per ply (gigabytes); an item that holds more values than its declaration takes is reported and
    never stored, so it sizes nothing."""
    write_examples(d)
    t = (d / "MaterialCard.vxd").read_text()
    (d / "MaterialCard.vxd").write_text(t.replace(
        "+Temperature\n20.0, 80.0\n+Elastic\n135000.0, 10000.0, 0.30, 0.45, 5000.0\n",
        "+Temperature\n" + ", ".join(str(20 + k) for k in range(3000)) + "\n+Elastic\n" + " ".join(["1.0"] * 30000) +
        "\n+Hygrothermal\n" + " 1" * 4000 + "\n", 1))

    def check(vx):
        m_ = vx.materialdata
        assert m_.peprops.shape == (9 * 3000, 8, 2) and m_.phprops.shape == (5, 8, 2)
        assert error_record(vx) == (-2, "Error in MaterialCard, material 1, line 5: +Elastic: 30000 values, not 2, 5 or 9")
    return check, 2.0


def _outline_beyond_plies(d):
    """An outline of 10,000 vertices for ply 99 of an 8-ply model, never stored, sized the outlines
    of every ply, kind and damage to 30,000 values (with a few hundred damages, gigabytes)."""
    write_examples(d)
    t = (d / "DamageCard.vxd").read_text()
    circle = "".join(f"0, {math.cos(k * math.tau / 10000):.6f}, {math.sin(k * math.tau / 10000):.6f}\n" for k in range(10000))
    (d / "DamageCard.vxd").write_text(t.replace("0, -10.0, 2.0\n", "0, -10.0, 2.0\n+Table, TYPE=Fiber, LayID=99\n" + circle, 1))

    def check(vx):
        assert vx.damagedata.dmgpoints.shape == (12, 8, 6, 2)
        assert error_record(vx) == (-2, "Error in DamageCard, damage 2, line 29: +Table: no ply of the section")
    return check, 2.0


def write_examples(d):
    for name, data in base_files().items():
        (d / name).write_bytes(data)


# One row per mended finding of the fuzzer: the card that showed it, what must hold afterwards, and
# the most seconds the job's readers may take.
REGRESSIONS = {"many_material_blocks": _many_materials, "long_elastic_list": _long_elastic,
               "outline_beyond_plies": _outline_beyond_plies}


@pytest.mark.parametrize("name", REGRESSIONS)
def test_fuzzer_findings_stay_mended(vx, tmp_path, name):
    check, seconds = REGRESSIONS[name](tmp_path)
    start = time.perf_counter()
    read_job(vx, tmp_path, nsteps=1)
    took = time.perf_counter() - start
    check(vx)
    # The sanitizers slow the readers several times over; what the limit catches (a search over
    # every ply for every block and item) is slower by orders of magnitude.
    slowdown = 4 if "libasan" in os.environ.get("LD_PRELOAD", "") else 1
    assert took < seconds * slowdown, took


def parallel(first, count, jobs):
    """batch over jobs child processes at a time, each on its own share of the seeds."""
    step = (count + jobs - 1) // jobs
    with ThreadPoolExecutor(jobs) as ex:
        parts = list(ex.map(lambda k: batch(first + k * step, max(0, min(step, count - k * step))), range(jobs)))
    return sum(p[0] for p in parts), [f for p in parts for f in p[1]]


if __name__ == "__main__":
    first, count = int(sys.argv[1]), int(sys.argv[2])
    done, findings = parallel(first, count, int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    print(f"seeds run {done} of {count}; findings {len(findings)}")
    for s, kind, detail in findings:
        print(f"--- seed {s}: {kind}\n{detail}\n")
