"""Reads the doc comments of the public headers and writes them out as a C++
table that the binding turns into docstrings.

    docgen.py OUTPUT.cpp HEADER...    write the table (the build runs this)
    docgen.py --check HEADER...       list prototypes without a description,
                                      parameters without a line and lines out
                                      of the layout

A doc comment is a /* ... */ block ending on the line just above a prototype.
It documents that prototype and every prototype that follows directly (no
blank line, no comment between): a group of variants of one routine.

    /* Name: what the routine computes, in full sentences; units and
     * conventions; what each flag means; what goes to the error record.
     *   arg      (in)  what it is, its extent
     *   a, b     (out) several names share one line
     *   s11..s23 (in)  a range of the prototype's parameters, in order
     *   opt      (in, optional) continuation lines are indented deeper
     *            than the name column
     *   result   (ret) the function result */

The first line starts with the routine's name, or the names of the group
separated by ',' or '/', and a colon. A comment that does not start that way
documents nothing (its prototype counts as undocumented); one that does start
that way but breaks the rules stops the build with file and line: it names a
routine other than the prototypes below it, spells an intent otherwise, or
names a parameter that none of them has.
"""
import os
import re
import sys

INTENTS = ("in", "out", "in/out", "in, optional", "in/out, optional", "out, optional", "ret")
RET = "(ret)"  # key of the function result's text
IDENT = r"[A-Za-z_][A-Za-z0-9_]*"
NAME_ITEM = re.compile(r"^(%s)(?:\s*\.\.\s*(%s))?$" % (IDENT, IDENT))
LEAD = re.compile(r"^(%s(?:\s*[,/]\s*%s)*)\s*:(.*)$" % (IDENT, IDENT))
# An intent is recognised by its first word, so that a typo such as (inout)
# is reported instead of being read as text.
ARG_LINE = re.compile(r"^   (\S[^()]*?)\s+\(((?:in|out|ret|inout|io)\b[a-z/, ]*)\)(?:\s+(.*))?$")
# Names followed by any parenthesised word: an argument line whose intent is
# misspelt in a way the first word does not reveal ((In), (input), (optional)).
# It is an error only when it names a parameter (see _check_group), so that a
# description may still hold a line such as "   record (4): ...".
LOOSE_ARG = re.compile(r"^   (%s(?:\s*(?:,|\.\.)\s*%s)*)\s+\(([^()]*)\)(?:\s|$)" % (IDENT, IDENT))
# A prototype: result type, name, parameter list, semicolon.
PROTO = re.compile(r"^\s*((?:const\s+)?[A-Za-z_][A-Za-z0-9_]*(?:\s*\*)?)\s+(\**)\s*(%s)\s*\((.*)\)\s*;\s*$"
                   % IDENT, re.S)


class DocError(Exception):
    def __init__(self, path, line, msg):
        super().__init__("%s:%d: %s" % (path, line, msg))
        self.path, self.line, self.msg = path, line, msg


class Proto:
    def __init__(self, name, params, returns, line):
        self.name = name          # C symbol
        self.params = params      # parameter names in order
        self.returns = returns    # result type text ("void" for none)
        self.line = line
        self.doc = None           # the Doc of its comment, if any

    def documented_params(self):
        """Parameters that need an argument line: hidden text lengths excepted."""
        return [p for p in self.params if not p.endswith("_len")]


class ArgLine:
    def __init__(self, items, intent, text, line):
        self.items = items        # names and (first, last) ranges as written
        self.intent = intent
        self.text = text          # list of lines
        self.line = line


class Doc:
    def __init__(self, names, description, args, line):
        self.names = names
        self.description = description  # list of lines
        self.args = args
        self.line = line
        self.protos = []
        self.lint = []  # (line, what) departures from the layout that do not stop the build
        self.suspects = []  # (line, names, intent) of lines that look like argument lines

    def has_description(self):
        return bool(" ".join(self.description).strip())

    def texts_for(self, proto):
        """{parameter name, or RET for the function result: text} of one
        prototype of the group."""
        out = {}
        for a in self.args:
            for item in a.items:
                for nm in self.expand(item, a.intent, proto):
                    out[nm] = "\n".join(a.text).strip()
        # A routine whose result is an array or a text hands it back through
        # its first parameter (res, or res and res_len), which the binding
        # shows as the function result: that parameter's line documents it.
        ps = proto.params
        if proto.returns == "void" and ps and ps[0] in out:
            out.setdefault(RET, out[ps[0]])
        return out

    @staticmethod
    def expand(item, intent, proto):
        """The parameters (or RET) of proto that a name or range stands for."""
        if isinstance(item, tuple):
            first, last = item
            if first in proto.params and last in proto.params:
                i, j = proto.params.index(first), proto.params.index(last)
                if i <= j:
                    return proto.params[i:j + 1]
            return []
        if intent == "ret":
            return [RET] if item == "result" and proto.returns != "void" else []
        return [item] if item in proto.params else []


def _strip_comment(lines):
    """The text lines of a /* ... */ block without the comment marks.

    Lines keep what follows ' *' (or leading blanks when the block omits the
    stars), so argument lines keep their three-space indent."""
    out = []
    for k, ln in enumerate(lines):
        s = ln.rstrip()
        if k == 0:
            s = s.lstrip()[2:]
            s = s[1:] if s.startswith(" ") else s
        else:
            t = s.lstrip()
            if t.startswith("*") and not t.startswith("*/"):
                s = t[1:]
            elif t.startswith("*/"):
                s = t
            else:
                s = " " + t if t else ""
        if s.rstrip().endswith("*/"):
            s = s.rstrip()[:-2]
        out.append(s.rstrip())
    return out


def _parse_doc(path, first_line, lines):
    """Parses one comment block; None when it is no doc comment."""
    text = _strip_comment(lines)
    # A long group may go on naming its routines on the next lines: a first
    # line that ends with a comma continues.
    first = 0
    lead = text[0].strip()
    while lead.endswith(",") and first + 1 < len(text) and ":" not in lead:
        first += 1
        lead += " " + text[first].strip()
    m = LEAD.match(lead)
    if not m:
        return None
    text = [lead] + text[first + 1:]
    first_line += first
    names = [n.strip() for n in re.split(r"[,/]", m.group(1))]
    desc = [m.group(2).strip()]
    args = []
    lint = []
    suspects = []
    for k, ln in enumerate(text[1:], start=1):
        lineno = first_line + k
        am = ARG_LINE.match(ln)
        if not am:
            lm = LOOSE_ARG.match(ln)
            if lm:
                named = re.split(r"\s*(?:,|\.\.)\s*", lm.group(1).strip())
                suspects.append((lineno, named, " ".join(lm.group(2).split())))
        if am:
            intent = " ".join(am.group(2).split())
            if intent not in INTENTS:
                raise DocError(path, lineno, "unknown intent (%s); use one of %s"
                               % (intent, ", ".join("(%s)" % i for i in INTENTS)))
            items = []
            for part in am.group(1).split(","):
                im = NAME_ITEM.match(part.strip())
                if not im:
                    raise DocError(path, lineno, "argument name '%s' is neither a name nor a range a..b"
                                   % part.strip())
                items.append((im.group(1), im.group(2)) if im.group(2) else im.group(1))
            args.append(ArgLine(items, intent, [am.group(3) or ""], lineno))
            continue
        if not args:
            desc.append(ln[1:] if ln.startswith(" ") else ln)
            continue
        # Older comments are read as far as they go; what breaks the layout is
        # listed by --check and the tests rather than stopping the build.
        if not ln.strip():
            lint.append((lineno, "blank line among the argument lines"))
            continue
        if len(ln) - len(ln.lstrip()) <= 3:
            lint.append((lineno, "neither an argument line '   name (intent) text' nor a continuation "
                                 "indented deeper than the names"))
        args[-1].text.append(ln.strip())
    while desc and not desc[-1]:
        desc.pop()
    doc = Doc(names, desc, args, first_line - first)
    if not doc.has_description():
        lint.append((first_line, "no description after '%s:'" % m.group(1)))
    doc.lint = lint
    doc.suspects = suspects
    return doc


def _split_params(s):
    s = " ".join(s.split())
    if s in ("", "void"):
        return []
    names = []
    for p in s.split(","):
        m = re.search(r"(%s)\s*(\[\s*\d*\s*\])?$" % IDENT, p.strip())
        names.append(m.group(1) if m else "")
    return names


def parse_header(path):
    """Prototypes of one header, each with the doc comment that covers it."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    protos = []
    i = 0
    # The doc comment that the next prototype joins: None after a blank line
    # or other statement, False after a comment that documents nothing.
    pending = None
    while i < len(lines):
        ln = lines[i]
        st = ln.strip()
        if st.startswith("/*"):
            j = i
            while "*/" not in lines[j]:
                j += 1
                if j >= len(lines):
                    raise DocError(path, i + 1, "comment not closed")
            block = lines[i:j + 1]
            nxt = lines[j + 1] if j + 1 < len(lines) else ""
            pending = None
            if nxt.strip() and not nxt.strip().startswith(("/*", "#", "//")):
                # False: a comment that documents nothing.
                pending = _parse_doc(path, i + 1, block) or False
            i = j + 1
            continue
        if not st or st.startswith("#") or st.startswith("//") or st in ("}", 'extern "C" {'):
            pending = None
            i += 1
            continue
        # A statement: read to its semicolon.
        j = i
        stmt = ln
        while ";" not in lines[j]:
            j += 1
            if j >= len(lines):
                raise DocError(path, i + 1, "statement without ';'")
            stmt += "\n" + lines[j]
        # A comment that trails the statement (a datum's description) may go
        # on over the following lines.
        tail = lines[j][lines[j].index(";"):]
        if "/*" in tail and "*/" not in tail[tail.index("/*"):]:
            while "*/" not in lines[j + 1]:
                j += 1
            j += 1
        m = PROTO.match(stmt)
        if m and not st.startswith("typedef"):
            p = Proto(m.group(3), _split_params(m.group(4)), (m.group(1) + m.group(2)).strip(), i + 1)
            if pending:
                p.doc = pending
                pending.protos.append(p)
            protos.append(p)
        else:
            pending = None
        i = j + 1
    for p in protos:
        if p.doc is not None and p.doc.protos[0] is p:
            _check_group(path, p.doc)
    return protos


def _check_group(path, doc):
    symbols = [p.name for p in doc.protos]
    # A comment ending just above a prototype and starting with a name and a
    # colon documents that prototype; naming another routine would leave it
    # without a description, so that is an error like any other misnaming.
    for n in doc.names:
        if n not in symbols:
            raise DocError(path, doc.line, "the comment names %s, but documents %s" % (n, ", ".join(symbols)))
    for s in symbols:
        if s not in doc.names:
            raise DocError(path, doc.line, "%s follows the comment of %s without a blank line; name it in the "
                           "comment's first line or separate it" % (s, ", ".join(doc.names)))
    params = {q for p in doc.protos for q in p.params} | {"result"}
    for line, names, intent in doc.suspects:
        if set(names) & params:
            raise DocError(path, line, "unknown intent (%s); use one of %s"
                           % (intent, ", ".join("(%s)" % i for i in INTENTS)))
    for a in doc.args:
        for item in a.items:
            if a.intent == "ret" and item != "result":
                raise DocError(path, a.line, "(ret) belongs to the line named 'result' that documents "
                               "the function result")
            if not any(Doc.expand(item, a.intent, p) for p in doc.protos):
                shown = "%s..%s" % item if isinstance(item, tuple) else item
                what = "a function result" if a.intent == "ret" else "a parameter"
                raise DocError(path, a.line, "%s is not %s of %s" % (shown, what, ", ".join(symbols)))


def findings(path):
    """What keeps a header from documenting every routine: (symbol or '',
    what) for prototypes without a description, parameters without an
    argument line, and lines that break the layout."""
    out = []
    seen = set()
    for p in parse_header(path):
        if p.doc is None or not p.doc.has_description():
            out.append((p.name, "no description"))
        if p.doc is None:
            continue
        if id(p.doc) not in seen:
            seen.add(id(p.doc))
            for line, what in p.doc.lint:
                out.append(("", "line %d: %s" % (line, what)))
        texts = p.doc.texts_for(p)
        lack = [q for q in p.documented_params() if q not in texts]
        if p.returns != "void" and RET not in texts:
            lack.append("result (ret)")
        if lack:
            out.append((p.name, "no argument line for " + ", ".join(lack)))
    return out


def _fill(text, width):
    """Words filled to lines of at most width characters (a longer word
    stands alone). No line but the first starts with '-': a formula's minus
    or a negative value moves down with the word before it, so that it cannot
    be read as a list item."""
    lines, cur = [], []
    for w in text.split():
        if cur and len(" ".join(cur + [w])) > width:
            if w.startswith("-") and len(cur) > 1:
                carry = cur.pop()
                lines.append(" ".join(cur))
                cur = [carry]
            else:
                lines.append(" ".join(cur))
                cur = []
        cur.append(w)
    if cur:
        lines.append(" ".join(cur))
    return lines


def _is_item(ln, prev):
    """Whether a description line starts a list item: '- ' after a blank
    line, after a line that ends a sentence, a colon or a semicolon, or
    within a list. Any other line starting with '-' continues its paragraph
    (a status -2 or a formula carried to the next line)."""
    if not ln.startswith("- "):
        return False
    return (prev is None or not prev.strip() or prev.rstrip().endswith((".", ":", ";"))
            or prev.startswith(("- ", " ")))


def _reflow(lines, width=76):
    """Paragraphs of the description filled to width; a blank line ends a
    paragraph, and an indented line or a list item keeps its own line
    (tables of selector values, one case per routine of a group)."""
    out, para = [], []

    def flush():
        if para:
            out.extend(_fill(" ".join(para), width))
            para.clear()
    prev = None
    for ln in lines:
        if not ln.strip():
            flush()
            out.append("")
        elif ln.startswith(" ") or _is_item(ln, prev):
            flush()
            out.append(ln.rstrip())
        else:
            para.append(ln.strip())
        prev = ln
    flush()
    return "\n".join(out).strip("\n")


def _sentence(text, proto):
    """The description as a docstring starts it: a capital first letter,
    unless the first word is a parameter or symbol that must stay as it is."""
    m = re.match(r"[a-z]+\b", text)
    if not m or m.group(0) in proto.params or m.group(0) == proto.name or "_" in text[:m.end() + 1]:
        return text
    return text[0].upper() + text[1:]


# The end of a sentence: a full stop after a word (not "a . b", not the
# stops inside "e.g."), then a blank or the end.
SENTENCE_END = re.compile(r"(?<=[^\s.])(?<!\be\.g)(?<!\bi\.e)\.(?=\s|$)")


def summary(description, width=70):
    """The first sentence of a description, filled to width: what a
    component's list shows under each routine's signature. It ends at the
    latest where the first paragraph does (a blank line, a list item or an
    indented line)."""
    lines = description.split("\n")
    k = 1
    while k < len(lines) and lines[k].strip() and not lines[k].startswith(" ") and not _is_item(lines[k], lines[k - 1]):
        k += 1
    flat = " ".join(" ".join(lines[:k]).split())
    m = SENTENCE_END.search(flat)
    if m:
        flat = flat[:m.end()]
    return "\n".join(_fill(flat, width))


def _cstr(s):
    s = s.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    return '"%s"' % s


def emit(headers, out_path):
    entries = {}
    for h in headers:
        for p in parse_header(h):
            if p.doc is None:
                continue
            desc = _sentence(_reflow(p.doc.description), p)
            entries[p.name] = (desc, p.doc.texts_for(p), summary(desc))
    lines = ["// Generated by binding/docgen.py from the public headers; do not edit.",
             '#include "docs.h"', "", "namespace vxb {", "namespace {"]
    names = sorted(entries)
    for k, n in enumerate(names):
        texts = entries[n][1]
        flat = []
        for a, t in texts.items():
            if t:
                flat += [_cstr(a.lower()), _cstr(t)]
        lines.append("const char* const a%d[] = {%s};" % (k, ", ".join(flat + ["nullptr"])))
    lines += ["}  // namespace", "", "const SymbolDoc kSymbolDocs[] = {"]
    for k, n in enumerate(names):
        lines.append("    {%s, %s, %s, a%d}," % (_cstr(n), _cstr(entries[n][0]), _cstr(entries[n][2]), k))
    lines += ["};", "const int kNumSymbolDocs = %d;" % len(names), "", "}  // namespace vxb", ""]
    text = "\n".join(lines)
    # Leave an unchanged table alone so that nothing recompiles needlessly.
    if os.path.exists(out_path):
        with open(out_path, encoding="utf-8") as f:
            if f.read() == text:
                return
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(text)


def main(argv):
    try:
        if argv and argv[0] == "--check":
            bad = 0
            for h in argv[1:]:
                try:
                    found = findings(h)
                except DocError as e:
                    found = [("", "error: %s" % e.msg)]
                for name, what in found:
                    bad += 1
                    print("%s: %s%s" % (h, name + ": " if name else "", what))
            return 1 if bad else 0
        if len(argv) < 2:
            print(__doc__, file=sys.stderr)
            return 2
        emit(argv[1:], argv[0])
        return 0
    except DocError as e:
        print("docgen: error: %s" % e, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
