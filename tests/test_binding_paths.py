"""Every routine gives the same result, refusal and error record whether its
arrays arrive ready (Fortran order, declared type, numbers as Python numbers:
the short call paths), as lists (numbers as numpy scalars) or C-ordered (the
general path), with None given for every optional argument, by position or
by keyword, and with an optional argument given the value its docstring
names as its Default, as with them left out. An input array whose extent the
signature leaves open ('*') gives the same call at the least extent the
routine takes and at one more: the routine reads only what it needs. A
negative extent is refused wherever it sizes or checks an array.
Arguments are made from each docstring: symbolic extents 3, other integers
1, reals 0.7. The sweeps run in a child process (they change process-wide
data and may write files) inside a scratch directory."""
import json
import os
import subprocess
import sys

# The child imports the helpers from the tests' folder, which is on its path.
HELPERS = "from binding_sweep import *\n"

DRIVER = HELPERS + r'''
counts = collections.Counter()
for comp, name, r in routines():
    print("enter", comp, name, flush=True)
    # Arrays of their bounds, then arrays one row longer: most of these
    # are refused, by an extent or a check, and must be refused alike.
    for grow in (False, True):
        vals = make(name, parameters(r.__doc__), grow)
        first = outcome(r, vals, "F")
        others = {form: outcome(r, vals, form) for form in ("list", "C")}
        optional = optional_names(r.__doc__)
        if optional:
            others["None"] = outcome(r, vals, "F", dict.fromkeys(optional) if grow else len(optional))
        if not grow:
            for arg, value in documented_defaults(r.__doc__).items():
                others["Default of " + arg] = outcome(r, vals, "F", {arg: value})
                counts["defaults"] += 1
        again = outcome(r, vals, "F")
        if not same(first, again):
            counts["stateful"] += 1
            continue
        for form, o in others.items():
            if not same(first, o):
                print(json.dumps({"routine": f"{comp}.{name}", "grown": grow, "form": form,
                                  "ready": repr(first)[:300], "other": repr(o)[:300]}), flush=True)
                counts["differ"] += 1
        counts[first[0][0] + ("_grown" if grow else "")] += 1
    vals = make(name, parameters(r.__doc__), False)
    for pname, axis, least, pair in open_extents(r, name, parameters(r.__doc__), vals):
        counts["open"] += 1
        if pair is None:
            counts["open_refused"] += 1
        elif not same(*pair):
            print(json.dumps({"routine": f"{comp}.{name}", "open": pname, "axis": axis, "least": least,
                              "at least": repr(pair[0])[:300], "one longer": repr(pair[1])[:300]}), flush=True)
            counts["differ"] += 1
        else:
            counts["open_same"] += 1
print("done", json.dumps(counts), flush=True)
'''


def run_sweep(code, cwd):
    """The sweep's findings (its JSON lines) and its closing counts."""
    env = dict(os.environ)
    env["PYTHONPATH"] = os.pathsep.join(p for p in sys.path if p)
    r = subprocess.run([sys.executable, "-c", code], capture_output=True, env=env, timeout=600, cwd=cwd)
    lines, err = r.stdout.decode(errors="replace").splitlines(), r.stderr.decode(errors="replace")
    assert lines and lines[-1].startswith("done"), (r.returncode, lines[-1:], err[-2000:])
    assert "runtime error:" not in err and "Sanitizer" not in err, err[-2000:]
    return [json.loads(l) for l in lines if l.startswith("{")], json.loads(lines[-1].split(" ", 1)[1])


def test_ready_lists_and_c_order_give_the_same_call(tmp_path):
    differ, counts = run_sweep(DRIVER, tmp_path)
    assert differ == []
    # Most routines are compared, and many of them run rather than being refused.
    assert counts["ok"] + counts["raised"] > 500 and counts["ok"] > 300, counts
    assert counts["defaults"] > 250, counts
    # The open extents of the ply records, texts, buckling lists and notations.
    assert counts["open"] >= 10 and counts["open_same"] >= 9, counts


NEGATIVE = HELPERS + r'''
counts = collections.Counter()
for comp, name, r in routines():
    params = parameters(r.__doc__)
    vals = make(name, params, False)
    accepted = outcome(r, vals, "F")[0][0] == "ok"
    for arg, optional in extent_arguments(r.__doc__):
        for bad in (-1, -2**31):
            if optional:
                args, kw = args_in("F", vals), {arg: bad}
            else:
                args, kw = args_in("F", vals), {}
                args[[p[0] for p in params].index(arg)] = bad
            vx.errorhandling.rsxerr(1)
            try:
                got = repr(r(*args, **kw))[:200]
            except ValueError as e:
                got = None if isinstance(e, vx.error) else repr(e)
            except Exception as e:
                got = repr(e)[:200]
            # Refused before the routine runs: nothing is recorded.
            if got is not None or int(vx.errorhandling.errstat) != 0:
                print(json.dumps({"routine": f"{comp}.{name}", "argument": arg, "value": bad, "got": got,
                                  "errstat": int(vx.errorhandling.errstat)}), flush=True)
            counts["swept"] += 1
            counts["accepted"] += accepted
print("done", json.dumps(counts), flush=True)
'''


def test_a_negative_extent_is_refused_everywhere(tmp_path):
    """Every integer argument of every routine that is an array's extent,
    given -1 or -2**31 with arguments that are otherwise valid, is refused
    with ValueError (and the module's error) before the routine runs."""
    taken, counts = run_sweep(NEGATIVE, tmp_path)
    assert taken == []
    # Most extents are swept beside arguments the routine accepts as they are.
    assert counts["swept"] >= 700 and counts["accepted"] >= 600, counts
