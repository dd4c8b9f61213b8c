// Looks up the header text of a routine and its arguments.
#include "docs.h"
#include <cstring>
#include "engine.h"

namespace vxb {

namespace {

const SymbolDoc* find_doc(const std::string& symbol) {
  int lo = 0, hi = kNumSymbolDocs;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    const int c = std::strcmp(kSymbolDocs[mid].symbol, symbol.c_str());
    if (c == 0) return &kSymbolDocs[mid];
    if (c < 0) lo = mid + 1;
    else hi = mid;
  }
  return nullptr;
}

// Continuation lines keep the indent of the first line under the parameter.
std::string indented(const char* text) {
  std::string s;
  for (const char* p = text; *p; ++p) {
    s += *p;
    if (*p == '\n') s += "    ";
  }
  return s;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The header text of a routine: that of its C symbol or, for a row bound to a
// wrapper of its own, that of the exported routine of the same Python name.
const SymbolDoc* doc_of(const Routine& r) {
  if (const SymbolDoc* d = find_doc(r.native)) return d;
  for (int k = 0; k < kNumSymbolDocs; ++k)
    if (lower(kSymbolDocs[k].symbol) == r.pyname) return &kSymbolDocs[k];
  return nullptr;
}

}  // namespace

void attach_arg_docs(Routine& r) {
  const SymbolDoc* d = doc_of(r);
  if (!d) return;
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i) {
    ArgDesc& a = r.args[i];
    // The function result, and an output named after the routine (a vector
    // or text result handed back through the first C parameter), take the
    // line of the result; every other argument the line of its own name.
    const bool result = i == r.ret_index || a.name == r.pyname;
    const std::string name = lower(a.name);
    const char* text = nullptr;
    for (const char* const* p = d->args; *p; p += 2) {
      if (!result && name == *p) text = p[1];
      if (result && std::strcmp(*p, "(ret)") == 0) text = p[1];
    }
    if (text) a.doc = indented(text);
  }
}

std::string routine_description(const Routine& r) {
  const SymbolDoc* d = doc_of(r);
  if (d && *d->description) return d->description;
  return "Wrapper for ``" + r.native + "``.";
}

std::string routine_summary(const Routine& r) {
  std::string s = "  " + std::string(r.def->signature) + "\n";
  const SymbolDoc* d = doc_of(r);
  const std::string text = d && *d->summary ? d->summary : "Wrapper for ``" + r.native + "``.";
  size_t p = 0;
  while (p < text.size()) {
    size_t e = text.find('\n', p);
    if (e == std::string::npos) e = text.size();
    s += "      " + text.substr(p, e - p) + "\n";
    p = e + 1;
  }
  return s;
}

std::string result_doc(const ArgDesc& a) { return a.doc.empty() ? std::string() : "    " + a.doc + "\n"; }

}  // namespace vxb
