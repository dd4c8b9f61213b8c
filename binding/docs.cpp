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

}  // namespace

void attach_arg_docs(Routine& r) {
  const SymbolDoc* d = find_doc(r.native);
  if (!d) return;
  for (const char* const* p = d->args; *p; p += 2) {
    for (int i = 0; i < static_cast<int>(r.args.size()); ++i) {
      const bool ret = std::strcmp(*p, "(ret)") == 0;
      if (ret ? i == r.ret_index : (i != r.ret_index && lower(r.args[i].name) == *p))
        r.args[i].doc = indented(p[1]);
    }
  }
}

std::string routine_description(const Routine& r) {
  const SymbolDoc* d = find_doc(r.native);
  if (d && *d->description) return d->description;
  return "Wrapper for ``" + r.native + "``.";
}

std::string result_doc(const ArgDesc& a) { return a.doc.empty() ? std::string() : "    " + a.doc + "\n"; }

}  // namespace vxb
