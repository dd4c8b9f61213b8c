// Routine descriptions for the docstrings, read from the doc comments of the
// public headers when the module is built (binding/docgen.py writes the table).
#pragma once
#include <string>

namespace vxb {

struct SymbolDoc {
  const char* symbol;       // C symbol
  const char* description;  // lines of the description, "" when the comment has none
  const char* summary;      // its first sentence, filled to 70 columns
  const char* const* args;  // argument name, text, name, text, ..., nullptr; "(ret)" is the function result
};
extern const SymbolDoc kSymbolDocs[];  // sorted by symbol
extern const int kNumSymbolDocs;

struct Routine;
struct ArgDesc;

// Gives each argument the text of its header line; a row's own doc text stays
// where the header has none (call-backs, arguments the binding adds).
void attach_arg_docs(Routine& r);
// The description between the signature and the parameter lists.
std::string routine_description(const Routine& r);
// A routine's entry in its component's docstring: the Python signature, and
// under it the first sentence of the description.
std::string routine_summary(const Routine& r);
// The text under a Returns entry, or "".
std::string result_doc(const ArgDesc& a);

}  // namespace vxb
