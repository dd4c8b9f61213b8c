// Table parsing and the generic call path of every routine.
#include "engine.h"
#define NO_IMPORT_ARRAY
#define PY_ARRAY_UNIQUE_SYMBOL vx_ARRAY_API
#include <numpy/arrayobject.h>
#include <algorithm>
#include <complex>
#include <cstring>
#include <map>
#include <unordered_map>

#include "docs.h"
#include "registry.h"

namespace vxb {

PyObject* vx_error = nullptr;
PyObject* vx_value_error = nullptr;
PyObject* vx_type_error = nullptr;
PyObject* vx_overflow_error = nullptr;
PyObject* vx_memory_error = nullptr;
PyObject* vx_index_error = nullptr;
PyArray_Descr* s1_descr = nullptr;

namespace {

// ---------------------------------------------------------------- parsing

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Splits at top-level commas.
std::vector<std::string> split_top(const std::string& s) {
  std::vector<std::string> out;
  int depth = 0;
  std::string cur;
  for (char c : s) {
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) {
      out.push_back(trim(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!trim(cur).empty() || !out.empty()) out.push_back(trim(cur));
  return out;
}

// Reads a balanced "( ... )" starting at s[p] == '('; returns the inside.
bool read_parens(const std::string& s, size_t& p, std::string& inside) {
  if (p >= s.size() || s[p] != '(') return false;
  int depth = 0;
  size_t b = p;
  for (; p < s.size(); ++p) {
    if (s[p] == '(') ++depth;
    else if (s[p] == ')' && --depth == 0) {
      inside = s.substr(b + 1, p - b - 1);
      ++p;
      return true;
    }
  }
  return false;
}

struct RawArg {
  std::string name, type, typeparam, dims, intent, dflt, doc, absent;
  bool has_dims = false, has_default = false;
  std::vector<std::string> checks;
};

bool parse_raw(const std::string& desc, RawArg& a, std::string& err) {
  size_t colon = desc.find(':');
  if (colon == std::string::npos) return err = "missing ':' in '" + desc + "'", false;
  a.name = trim(desc.substr(0, colon));
  size_t p = colon + 1;
  while (p < desc.size() && desc[p] == ' ') ++p;
  size_t b = p;
  while (p < desc.size() && (std::isalnum(static_cast<unsigned char>(desc[p])) || desc[p] == '_')) ++p;
  a.type = desc.substr(b, p - b);
  if ((a.type == "str" || a.type == "cb") && !read_parens(desc, p, a.typeparam))
    return err = "type needs (...) in '" + desc + "'", false;
  if (p < desc.size() && desc[p] == '(') {
    if (!read_parens(desc, p, a.dims)) return err = "unbalanced dims in '" + desc + "'", false;
    a.has_dims = true;
  }
  // Remaining words: intent, "= default", check(...), doc "...".
  while (p < desc.size()) {
    while (p < desc.size() && desc[p] == ' ') ++p;
    if (p >= desc.size()) break;
    if (desc.compare(p, 6, "check(") == 0) {
      p += 5;
      std::string in;
      if (!read_parens(desc, p, in)) return err = "unbalanced check in '" + desc + "'", false;
      a.checks.push_back(in);
    } else if (desc.compare(p, 4, "doc ") == 0 || desc.compare(p, 7, "absent ") == 0) {
      std::string& text = desc[p] == 'd' ? a.doc : a.absent;
      size_t q1 = desc.find('"', p), q2 = q1 == std::string::npos ? q1 : desc.find('"', q1 + 1);
      if (q2 == std::string::npos) return err = "bad text in '" + desc + "'", false;
      text = desc.substr(q1 + 1, q2 - q1 - 1);
      p = q2 + 1;
    } else if (desc[p] == '=') {
      ++p;
      size_t e = desc.size();
      for (const char* w : {" check(", " doc \"", " absent \""}) e = std::min(e, desc.find(w, p));
      a.dflt = trim(desc.substr(p, e - p));
      a.has_default = true;
      p = e;
    } else {
      size_t e = desc.find(' ', p);
      if (e == std::string::npos) e = desc.size();
      std::string w = desc.substr(p, e - p);
      if (w != "in" && w != "out" && w != "inout" && w != "io" && w != "ret")
        return err = "unknown word '" + w + "' in '" + desc + "'", false;
      a.intent = w;
      p = e;
    }
  }
  return true;
}

bool type_of(const std::string& t, Ty& ty) {
  static const std::map<std::string, Ty> m = {
      {"i4", Ty::i4}, {"f8", Ty::f8}, {"c16", Ty::c16}, {"l1", Ty::l1}, {"l4", Ty::l4}, {"f4", Ty::f4},
      {"s1", Ty::s1}, {"str", Ty::str}, {"view_f8", Ty::view_f8}, {"view_i4", Ty::view_i4}, {"cb", Ty::cb}};
  auto it = m.find(t);
  if (it == m.end()) return false;
  ty = it->second;
  return true;
}

std::string type_name(const ArgDesc& a) {
  static const char* const names[] = {"i4", "f8", "c16", "l1", "l4", "f4", "s1", "str", "view_f8", "view_i4", "cb"};
  std::string s = names[static_cast<int>(a.ty)];
  if (a.rank) s += " array";
  return s;
}

bool is_real_literal(const std::string& s, double& v) {
  if (s.empty()) return false;
  char* end = nullptr;
  v = std::strtod(s.c_str(), &end);
  return end && *end == '\0';
}

// The index of the argument named nm, or -1.
int arg_index(const std::vector<ArgDesc>& args, const std::string& nm) {
  for (int k = 0; k < static_cast<int>(args.size()); ++k)
    if (args[k].name == nm) return k;
  return -1;
}

// Parses the argument descriptions of a routine or call-back; expressions refer to
// the arguments by name.
bool build_args(const char* const* descs, int n, std::vector<ArgDesc>& args, std::string& err) {
  std::vector<RawArg> raw(n);
  args.assign(n, ArgDesc{});
  for (int i = 0; i < n; ++i) {
    if (!parse_raw(descs[i], raw[i], err)) return false;
    ArgDesc& a = args[i];
    a.name = raw[i].name;
    if (!type_of(raw[i].type, a.ty)) return err = "unknown type '" + raw[i].type + "' of " + a.name, false;
    const std::string& in = raw[i].intent;
    a.intent = in == "out" ? Intent::out : in == "inout" ? Intent::inout : in == "io" ? Intent::io
             : in == "ret" ? Intent::ret : Intent::in;
    a.doc = raw[i].doc;
    a.absent = raw[i].absent;
  }
  auto lookup = [&](const std::string& nm) { return arg_index(args, nm); };
  for (int i = 0; i < n; ++i) {
    ArgDesc& a = args[i];
    const RawArg& r = raw[i];
    if (a.ty == Ty::str) {
      if (trim(r.typeparam) == "*") a.str_star = true;
      else if (!compile_expr(r.typeparam, lookup, a.strlen, err)) return false;
      if (r.has_dims && !a.str_star && !(a.strlen.code.size() == 1 && a.strlen.code[0].op == Op::lit))
        return err = "the texts of array " + a.name + " need a constant length", false;
    }
    if (a.ty == Ty::cb) {
      a.cbname = trim(r.typeparam);
      size_t i1 = a.cbname.find(" if "), i2 = a.cbname.find(" else ");
      if (i1 != std::string::npos && i2 != std::string::npos && i1 < i2) {
        if (!compile_expr(a.cbname.substr(i1 + 4, i2 - i1 - 4), lookup, a.cbsel, err)) return false;
        a.cbname_alt = trim(a.cbname.substr(i2 + 6));
        a.cbname = trim(a.cbname.substr(0, i1));
      }
    }
    if (r.has_dims) {
      for (const std::string& d : split_top(r.dims)) {
        Expr e;
        if (d == "*" || d == ":") e.src = "*";
        else if (!compile_expr(d, lookup, e, err)) return false;
        // An extent that refers to no argument is fixed by the row.
        std::vector<int> refs;
        expr_refs(e, refs, false);
        a.fixed.push_back(e.empty() || !refs.empty() ? -1 : eval_expr(e, ConstEnv{}));
        a.dims.push_back(e);
      }
      a.rank = static_cast<int>(a.dims.size());
      bool any = false;
      for (int64_t f : a.fixed) any |= f >= 0;
      if (!any) a.fixed.clear();  // nothing to compare per call
    }
    if (r.has_default) {
      a.has_default = true;
      double v;
      if ((a.ty == Ty::f8 || a.ty == Ty::f4 || a.ty == Ty::c16) && is_real_literal(r.dflt, v)) {
        a.dflt.src = r.dflt;
        a.dflt.code.push_back({Op::lit, -2, 0});
        std::memcpy(&a.dflt.code.back().val, &v, sizeof v);  // real literal, tagged by arg -2
      } else if (!compile_expr(r.dflt, lookup, a.dflt, err)) {
        return false;
      }
    }
    for (const std::string& c : r.checks) {
      Expr e;
      if (!compile_expr(c, lookup, e, err)) return false;
      a.checks.push_back(e);
    }
  }
  return true;
}

struct SigParts {
  std::vector<std::string> lhs;
  std::string name;
  std::vector<std::pair<std::string, bool>> args;  // name, optional
};

bool parse_signature(const std::string& sig, SigParts& s, std::string& err) {
  std::string rest = sig;
  size_t eq = sig.find('=');
  size_t par = sig.find('(');
  if (par == std::string::npos) return err = "bad signature '" + sig + "'", false;
  if (eq != std::string::npos && eq < par) {
    for (auto& x : split_top(sig.substr(0, eq)))
      if (!x.empty()) s.lhs.push_back(x);
    rest = sig.substr(eq + 1);
    par = rest.find('(');
  }
  s.name = trim(rest.substr(0, par));
  size_t close = rest.rfind(')');
  std::string inside = rest.substr(par + 1, close - par - 1);
  bool opt = false;
  std::string cur;
  auto flush = [&]() {
    std::string t = trim(cur);
    if (!t.empty()) s.args.push_back({t, opt});
    cur.clear();
  };
  for (char c : inside) {
    if (c == '[') {
      flush();
      opt = true;
    } else if (c == ']') {
      flush();
      opt = false;
    } else if (c == ',') {
      flush();
    } else {
      cur += c;
    }
  }
  flush();
  return true;
}

const char* type_doc(const ArgDesc& a) {
  switch (a.ty) {
    case Ty::i4: return a.rank ? "array('i')" : "int";
    case Ty::f8: return a.rank ? "array('d')" : "float";
    case Ty::c16: return a.rank ? "array('D')" : "complex";
    case Ty::l1: return a.rank ? "array('b')" : "int";
    case Ty::l4: return a.rank ? "array('i')" : "int";
    case Ty::f4: return a.rank ? "array('f')" : "float";
    case Ty::s1: return "array('S1')";
    case Ty::str: return a.rank ? "array('S')" : "string";
    case Ty::view_f8: return "array('d')";
    case Ty::view_i4: return "array('i')";
    case Ty::cb: return "call-back function";
  }
  return "";
}

// An in/out scalar is written back into the array it is given as.
const char* inout_scalar_doc(Ty t) {
  switch (t) {
    case Ty::f8: return "rank-0 array(float,'d')";
    case Ty::f4: return "rank-0 array(float,'f')";
    case Ty::c16: return "rank-0 array(complex,'D')";
    case Ty::l1: return "rank-0 array(int,'b')";
    default: return "rank-0 array(int,'i')";
  }
}

std::string arg_doc(const ArgDesc& a, const char* role) {
  std::string s = a.name + " : " + role + (*role ? " " : "");
  if (!a.rank && a.intent == Intent::inout && a.ty != Ty::str && a.ty != Ty::s1 && a.ty != Ty::cb) {
    s += inout_scalar_doc(a.ty);
  } else if (a.rank) {
    s += "rank-" + std::to_string(a.rank) + " " + type_doc(a) + " with bounds (";
    for (size_t k = 0; k < a.dims.size(); ++k) s += (k ? "," : "") + a.dims[k].src;
    s += ")";
    if (a.ty == Ty::str) s += " of texts (len=" + (a.str_star ? std::string("*") : a.strlen.src) + ")";
  } else {
    s += type_doc(a);
    if (a.ty == Ty::str) s += "(len=" + (a.str_star ? std::string("*") : a.strlen.src) + ")";
  }
  if (!*role) return s + "\n";
  if (a.optional) s += ", optional\n    Default: " + (a.has_default ? a.dflt.src : a.absent);
  if (!a.doc.empty()) s += "\n    " + a.doc;
  return s + "\n";
}

std::string ptype_name(PType t, bool value = false) {
  switch (t) {
    case PType::i32: return value ? "int32_t" : "int32_t*";
    case PType::ci32: return "const int32_t*";
    case PType::f64: return value ? "double" : "double*";
    case PType::cf64: return "const double*";
    case PType::c128: return value ? "complex" : "complex*";
    case PType::cc128: return "const complex*";
    case PType::i8: return value ? "signed char" : "signed char*";
    case PType::ci8: return "const signed char*";
    case PType::f32: return value ? "float" : "float*";
    case PType::cf32: return "const float*";
    case PType::chr: return "char*";
    case PType::cchr: return "const char*";
    case PType::size: return "size_t";
    case PType::view: return "vx_view*";
    case PType::cview: return "const vx_view*";
    case PType::fn: return "a function pointer";
    case PType::none: return "void";
    default: return "an unsupported type";
  }
}

// The writable pointer type an argument of type ty is passed as.
PType element_of(Ty ty) {
  switch (ty) {
    case Ty::i4: case Ty::l4: return PType::i32;
    case Ty::f8: return PType::f64;
    case Ty::c16: return PType::c128;
    case Ty::l1: return PType::i8;
    case Ty::f4: return PType::f32;
    case Ty::s1: case Ty::str: return PType::chr;
    case Ty::view_f8: case Ty::view_i4: return PType::view;
    case Ty::cb: return PType::fn;
  }
  return PType::other;
}

PType const_of(PType t) {
  switch (t) {
    case PType::i32: return PType::ci32;
    case PType::f64: return PType::cf64;
    case PType::c128: return PType::cc128;
    case PType::i8: return PType::ci8;
    case PType::f32: return PType::cf32;
    case PType::chr: return PType::cchr;
    case PType::view: return PType::cview;
    default: return t;
  }
}

const char* intent_name(Intent i) {
  switch (i) {
    case Intent::out: return "out";
    case Intent::inout: return "inout";
    case Intent::io: return "io";
    case Intent::ret: return "ret";
    default: return "in";
  }
}

// Compares every row argument with the parameter of the function it is
// passed to: element type, and a writable pointer for what the routine writes.
bool check_native_types(const Routine& r, std::string& err) {
  const RoutineDef* d = r.def;
  if (!d->ptypes) return true;
  auto refuse = [&](const ArgDesc& a, PType got) {
    err = r.pyname + ": argument " + a.name + " is declared " + type_name(a) + " " + intent_name(a.intent) +
          " but " + d->native + " takes " + ptype_name(got);
    return false;
  };
  int k = 0;
  if (r.ret_index >= 0) {
    const ArgDesc& a = r.args[r.ret_index];
    if (r.ret_is_text) {
      if (d->ptypes[0] != PType::chr) return refuse(a, d->ptypes[0]);
      if (d->ptypes[1] != PType::size) return refuse(a, d->ptypes[1]);
      k = 2;
    } else if (d->rtype != element_of(a.ty) || a.rank) {
      err = r.pyname + ": result " + a.name + " is declared " + type_name(a) + " but " + d->native + " returns " +
            ptype_name(d->rtype, true);
      return false;
    }
  } else if (d->rtype != PType::none) {
    err = r.pyname + ": " + d->native + " returns " + ptype_name(d->rtype, true) + " but the row declares no result";
    return false;
  }
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i) {
    if (i == r.ret_index) continue;
    const ArgDesc& a = r.args[i];
    const PType want = element_of(a.ty), got = d->ptypes[k++];
    const bool writes = a.intent != Intent::in;
    if (got != want && (writes || got != const_of(want))) return refuse(a, got);
  }
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i)
    if (i != r.ret_index && r.args[i].ty == Ty::str && d->ptypes[k++] != PType::size)
      return refuse(r.args[i], d->ptypes[k - 1]);
  return true;
}

// An optional or hidden integer input that the row leaves without default and
// check, and that is a whole extent of an input array, is that array's extent:
// its default is the extent of the first such array (native order), and it is
// checked against every such array.
bool infer_extents(Routine& r, std::string& err) {
  auto lookup = [&](const std::string& nm) { return arg_index(r.args, nm); };
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i) {
    ArgDesc& n = r.args[i];
    if (n.ty != Ty::i4 || n.rank || n.intent != Intent::in || n.has_default || !n.checks.empty()) continue;
    if (n.pypos >= 0 && !n.optional) continue;
    // Required arrays first: an optional one may be absent.
    for (int pass = 0; pass < 2; ++pass) {
      for (const ArgDesc& a : r.args) {
        if (!a.rank || a.ty == Ty::cb || (a.intent != Intent::in && a.intent != Intent::io && a.intent != Intent::inout))
          continue;
        const bool required = a.pypos >= 0 && !a.optional;
        if (required != (pass == 0)) continue;
        for (int k = 0; k < a.rank; ++k) {
          const Expr& d = a.dims[k];
          if (d.code.size() != 1 || d.code[0].op != Op::arg || d.code[0].arg != i) continue;
          const std::string ext =
              a.rank == 1 ? "len(" + a.name + ")" : "shape(" + a.name + "," + std::to_string(k) + ")";
          if (!n.has_default) {
            if (!compile_expr(ext, lookup, n.dflt, err)) return false;
            n.has_default = true;
          }
          // An absent optional array (rank 0 until it is made) is not compared.
          Expr c;
          if (!compile_expr((required ? "" : "rank(" + a.name + ")==0 || ") + ext + "==" + n.name, lookup, c, err))
            return false;
          c.src = ext + "==" + n.name;
          n.checks.push_back(c);
        }
      }
    }
  }
  return true;
}

// A check of an array or of an argument that stands for an extent (its
// default one), and a check that reads such an argument, also judges a size,
// as a check that names the extent does.
void mark_size_checks(Routine& r) {
  std::vector<int> refs;
  for (ArgDesc& a : r.args)
    for (Expr& e : a.checks) {
      if (a.rank || a.dflt.extents) e.extents = true;
      if (e.extents) continue;
      refs.clear();
      expr_refs(e, refs, true);
      for (int ix : refs) e.extents |= r.args[ix].dflt.extents;
    }
}

// The Python form of a call-back, what each argument is, and what a returned
// value fills; laid out as f2py lays out its call-back blocks (the form and
// the headings indented by four, the arguments by eight).
std::string callback_doc(const CbDesc& c, const std::string& head) {
  auto one = [&](int ix, bool optional) {
    ArgDesc a = c.args[ix];
    a.name = c.pynames[ix];
    a.doc.clear();
    // An array the function may change in place is handed over writable.
    std::string s = "        " + arg_doc(a, a.intent == Intent::inout && a.rank ? "in/output" : "input");
    if (optional) s.insert(s.size() - 1, ", optional");
    if (!c.args[ix].doc.empty()) s += "            " + c.args[ix].doc + "\n";
    return s;
  };
  std::string s = head + "    " + c.form + "\n";
  if (!c.py_required.empty()) s += "    Required arguments:\n";
  for (int ix : c.py_required) s += one(ix, false);
  if (!c.py_optional.empty()) s += "    Optional arguments:\n";
  for (int ix : c.py_optional) s += one(ix, true);
  if (!c.outs.empty()) {
    s += "    Return objects:\n";
    std::string names;
    for (int ix : c.outs) {
      const std::string nm = c.pynames[ix].empty() ? c.args[ix].name : c.pynames[ix];
      ArgDesc a = c.args[ix];
      a.name = nm;
      s += "        " + arg_doc(a, "");
      names += (names.empty() ? "" : ", ") + nm;
    }
    s += "    A returned value fills " + names +
         " in this order (a number or array for one, a tuple for several);\n"
         "    None leaves what the function wrote into its writable arguments.\n";
  }
  return s + "\n";
}

}  // namespace

bool real_default(const Expr& e, double& v) {
  if (e.code.size() == 1 && e.code[0].op == Op::lit && e.code[0].arg == -2) {
    std::memcpy(&v, &e.code[0].val, sizeof v);
    return true;
  }
  return false;
}

bool build_callback(const CallbackDef* d, CbDesc& c, std::string& err) {
  c.def = d;
  if (!build_args(d->args, d->nargs, c.args, err)) return false;
  // "def dfunc(fa,d0,a,args,nfun,[na])"; what it returns is its outputs'.
  std::string sig = d->signature;
  size_t b = sig.find('('), e = sig.find(')');
  if (sig.rfind("def ", 0) != 0 || b == std::string::npos || e == std::string::npos)
    return err = "bad call-back signature", false;
  if (e + 1 != sig.size()) return err = "the signature ends at ')': its return part is made from the outputs", false;
  SigParts sp;
  if (!parse_signature("x" + sig.substr(b, e - b + 1), sp, err)) return false;
  // The Python names may differ from the native ones: they map by position
  // among the arguments the call-back receives (the native order without the
  // hidden ones, which are the optional tail).
  c.has_ret = !c.args.empty() && c.args[0].intent == Intent::ret;
  size_t k = c.has_ret ? 1 : 0;
  for (auto& [nm, opt] : sp.args) {
    int ix = -1;
    for (int i = c.has_ret ? 1 : 0; i < static_cast<int>(c.args.size()); ++i)
      if (c.args[i].name == nm) ix = i;
    if (ix < 0) {
      // Positional mapping: the k-th native argument that is not yet used.
      while (k < c.args.size()) {
        bool used = false;
        for (int u : c.py_required) used |= (u == static_cast<int>(k));
        for (int u : c.py_optional) used |= (u == static_cast<int>(k));
        if (!used) break;
        ++k;
      }
      if (k >= c.args.size()) return err = "call-back argument '" + nm + "' not found", false;
      ix = static_cast<int>(k++);
    }
    (opt ? c.py_optional : c.py_required).push_back(ix);
  }
  c.pynames.assign(c.args.size(), std::string());
  for (size_t j = 0; j < sp.args.size(); ++j)
    c.pynames[(j < c.py_required.size() ? c.py_required[j] : c.py_optional[j - c.py_required.size()])] =
        sp.args[j].first;
  // The form f2py writes: "def dfunc(fa,d0,a,args,nfun,[na]): return fa,d0".
  c.form = sig + ": return";
  for (int i = 0; i < static_cast<int>(c.args.size()); ++i) {
    ArgDesc& a = c.args[i];
    if (a.intent != Intent::out && a.intent != Intent::io && a.intent != Intent::ret) continue;
    const std::string& nm = c.pynames[i].empty() ? a.name : c.pynames[i];
    c.form += (c.outs.empty() ? " " : ",") + nm;
    c.outs.push_back(i);
    a.what = std::string("call-back ") + d->name + ": output " + nm;
  }
  if (c.args.size() > static_cast<size_t>(kMaxArgs)) return err = "too many call-back arguments", false;
  c.ok = true;
  return true;
}

static std::map<std::string, CbDesc>& callbacks() {
  static std::map<std::string, CbDesc> m;
  return m;
}

const CbDesc* find_callback(const std::string& name, std::string& err) {
  auto& m = callbacks();
  auto it = m.find(name);
  if (it != m.end() && it->second.ok) return &it->second;
  for (const CallbackDef* d : registry().callbacks) {
    if (name == d->name) {
      CbDesc& c = m[name];
      c = CbDesc{};
      if (!build_callback(d, c, err)) {
        err = "call-back " + name + ": " + err;
        return nullptr;
      }
      return &c;
    }
  }
  err = "unknown call-back '" + name + "'";
  return nullptr;
}

static std::unordered_map<const void*, const Routine*>& natives() {
  static std::unordered_map<const void*, const Routine*> m;
  return m;
}

void note_native(const Routine& r) { natives().emplace(r.def->fn, &r); }

namespace {
std::string native_type(PType rtype, const PType* ptypes, int arity) {
  std::string s = ptype_name(rtype, true) + " (";
  for (int k = 0; k < arity; ++k) s += (k ? ", " : "") + ptype_name(ptypes[k]);
  return s + ")";
}

// The routine may promise not to write what the caller lets it write, not
// the other way round.
bool same_native_type(const RoutineDef* d, const CallbackDef* decl) {
  bool fits = d->arity == decl->arity && d->rtype == decl->rtype;
  for (int k = 0; fits && k < d->arity; ++k)
    fits = d->ptypes[k] == decl->ptypes[k] || d->ptypes[k] == const_of(decl->ptypes[k]);
  return fits;
}
}  // namespace

bool callback_fits(const void* fn, const CallbackDef* decl) {
  // A routine is handed the same call-back call after call: the last answer
  // is kept (under the interpreter lock, as every call).
  static const void* last_fn = nullptr;
  static const CallbackDef* last_decl = nullptr;
  static bool last_fits = false;
  if (fn == last_fn && decl == last_decl) return last_fits;
  auto it = natives().find(fn);
  last_fits = it == natives().end() || same_native_type(it->second->def, decl);
  last_fn = fn;
  last_decl = decl;
  return last_fits;
}

std::string callback_mismatch(const void* fn, const CallbackDef* decl) {
  auto it = natives().find(fn);
  if (it == natives().end() || same_native_type(it->second->def, decl)) return std::string();
  const RoutineDef* d = it->second->def;
  return "routine " + it->second->pyname + " takes " + native_type(d->rtype, d->ptypes, d->arity) +
         ", the call-back is called as " + native_type(decl->rtype, decl->ptypes, decl->arity);
}

namespace {

// The function result, the call-back declarations, and the number of native
// arguments the row lists (texts add a hidden length each).
bool link_arguments(Routine& r, std::string& err) {
  int ntext = 0;
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i) {
    ArgDesc& a = r.args[i];
    a.what = r.pyname + ": argument " + a.name;
    if (a.intent == Intent::ret) {
      if (r.ret_index >= 0) return err = "two function results", false;
      r.ret_index = i;
      r.ret_is_text = a.ty == Ty::str;
    } else if (a.ty == Ty::str) {
      ++ntext;
    }
    if (a.ty != Ty::cb) continue;
    r.has_callback = true;
    for (const std::string* nm : {&a.cbname, &a.cbname_alt}) {
      if (nm->empty()) continue;
      const CbDesc* cb = find_callback(*nm, err);
      if (!cb) return false;
      if (nm == &a.cbname) a.cbdesc = cb, a.cb = cb->def;
      else a.cbdesc_alt = cb, a.cb_alt = cb->def;
    }
  }
  const int arity = static_cast<int>(r.args.size()) + ntext + (r.ret_index >= 0 ? (r.ret_is_text ? 1 : -1) : 0);
  if (arity != r.def->arity)
    return err = "table lists " + std::to_string(arity) + " native arguments, the routine takes " +
                 std::to_string(r.def->arity), false;
  return true;
}

// The Python arguments in order: each names a native argument, or is the
// overwrite_<name> flag or the <name>_extra_args tuple of one.
bool map_python_arguments(Routine& r, const SigParts& sp, std::string& err) {
  const std::string sfx = "_extra_args";
  for (auto& [nm, opt] : sp.args) {
    const int pos = static_cast<int>(r.pynames.size());
    r.pynames.push_back(nm);
    if (!opt) ++r.nrequired;
    if (opt == false && r.nrequired != pos + 1) return err = "required argument after optional", false;
    int ix = arg_index(r.args, nm);
    if (ix < 0 && nm.rfind("overwrite_", 0) == 0 && (ix = arg_index(r.args, nm.substr(10))) >= 0) {
      r.args[ix].overwrite_pos = pos;
      r.pyarg_of.push_back(-1);
      continue;
    }
    if (ix < 0 && nm.size() > sfx.size() && nm.compare(nm.size() - sfx.size(), sfx.size(), sfx) == 0 &&
        (ix = arg_index(r.args, nm.substr(0, nm.size() - sfx.size()))) >= 0) {
      r.args[ix].extra_pos = pos;
      r.pyarg_of.push_back(-1);
      continue;
    }
    if (ix < 0) return err = "signature names unknown argument '" + nm + "'", false;
    if (static_cast<int>(r.pynames.size()) > kMaxArgs) return err = "too many Python arguments", false;
    r.args[ix].pypos = pos;
    r.args[ix].optional = opt;
    r.pyarg_of.push_back(ix);
  }
  return true;
}

// The results, left of '=': written arguments, or the function result under
// the routine's own name.
bool map_results(Routine& r, const SigParts& sp, std::string& err) {
  for (const std::string& nm : sp.lhs) {
    int ix = arg_index(r.args, nm);
    if (ix < 0 || r.args[ix].intent == Intent::in) {
      if (nm == r.pyname && r.ret_index >= 0) ix = r.ret_index;
      else if (ix < 0) return err = "result '" + nm + "' is no argument", false;
    }
    r.args[ix].result_pos = static_cast<int>(r.results.size());
    r.results.push_back(ix);
  }
  r.nresults = static_cast<int>(r.results.size());
  return true;
}

// Hidden arguments need a default, unless the routine only writes them; an
// optional one needs a default, or the text of what the routine uses without
// it, for its docstring.
bool check_hidden(const Routine& r, std::string& err) {
  for (const ArgDesc& a : r.args) {
    if (a.optional && !a.has_default && a.absent.empty())
      return err = "optional argument '" + a.name + "' has neither a default nor an absent text", false;
    if (a.pypos < 0 && (a.intent == Intent::in || a.intent == Intent::inout || a.intent == Intent::io) &&
        !a.has_default && a.ty != Ty::cb)
      return err = "hidden argument '" + a.name + "' has no default", false;
    if (a.pypos < 0 && a.ty == Ty::cb) return err = "call-back '" + a.name + "' not in the signature", false;
  }
  return true;
}

// The scalar defaults in the order they depend on each other.
bool order_defaults(Routine& r, std::string& err) {
  std::vector<int> state(r.args.size(), 0);
  std::function<bool(int)> visit = [&](int i) -> bool {
    if (state[i] == 2) return true;
    if (state[i] == 1) return err = "circular defaults at '" + r.args[i].name + "'", false;
    state[i] = 1;
    std::vector<int> refs;
    expr_refs(r.args[i].dflt, refs, true);
    for (int j : refs)
      if (j != i && r.args[j].rank == 0 && r.args[j].has_default && !visit(j)) return false;
    state[i] = 2;
    r.scalar_order.push_back(i);
    return true;
  };
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i)
    if (r.args[i].rank == 0 && r.args[i].has_default && r.args[i].ty != Ty::str && !visit(i)) return false;
  return true;
}

// Interned keyword names, by Python position.
void make_kwnames(Routine& r) {
  r.kwnames = PyTuple_New(static_cast<Py_ssize_t>(r.pynames.size()));
  for (size_t k = 0; k < r.pynames.size(); ++k) {
    PyObject* s = PyUnicode_InternFromString(r.pynames[k].c_str());
    PyTuple_SET_ITEM(r.kwnames, k, s);
  }
}

// The docstring: signature, description, parameters, other parameters,
// results and the Python form of each call-back. The description and the
// argument texts come from the header comments (attach_arg_docs).
std::string compose_doc(const Routine& r) {
  std::string doc = std::string(r.def->signature) + "\n\n" + routine_description(r) + "\n";
  std::string params, others, rets;
  // The overwrite_<name> flag and the <name>_extra_args tuple follow the
  // argument they belong to, as in f2py.
  auto flag = [&](int pos) {
    if (pos >= 0)
      others += r.pynames[pos] + (r.pynames[pos].rfind("overwrite_", 0) == 0
                                      ? " : input int, optional\n    Default: 0\n"
                                      : " : input tuple, optional\n    Default: ()\n");
  };
  for (size_t k = 0; k < r.pynames.size(); ++k) {
    const int ix = r.pyarg_of[k];
    if (ix < 0) continue;
    const ArgDesc& a = r.args[ix];
    (a.optional ? others : params) += arg_doc(a, a.intent == Intent::inout ? "in/output" : "input");
    flag(a.overwrite_pos);
    flag(a.extra_pos);
  }
  for (int ix : r.results) rets += arg_doc(r.args[ix], "") + result_doc(r.args[ix]);
  if (!params.empty()) doc += "\nParameters\n----------\n" + params;
  if (!others.empty()) doc += "\nOther Parameters\n----------------\n" + others;
  if (!rets.empty()) doc += "\nReturns\n-------\n" + rets;
  std::string cbs;
  for (const ArgDesc& a : r.args) {
    if (a.ty != Ty::cb) continue;
    if (!a.cbdesc_alt) {
      cbs += callback_doc(*a.cbdesc, "");
    } else {
      cbs += callback_doc(*a.cbdesc, "    When " + a.cbsel.src + ":\n\n");
      cbs += callback_doc(*a.cbdesc_alt, "    Otherwise:\n\n");
    }
  }
  if (!cbs.empty()) doc += "\nNotes\n-----\nCall-back functions::\n\n" + cbs;
  return doc;
}

}  // namespace

bool build_routine(const RoutineDef* d, Routine& r, std::string& err) {
  r.def = d;
  r.native = d->native;
  if (d->nargs > kMaxArgs) return err = "too many arguments", false;
  SigParts sp;
  if (!build_args(d->args, d->nargs, r.args, err) || !parse_signature(d->signature, sp, err)) return false;
  r.pyname = sp.name;
  if (!link_arguments(r, err) || !check_native_types(r, err) || !map_python_arguments(r, sp, err) ||
      !map_results(r, sp, err) || !infer_extents(r, err) || !check_hidden(r, err) || !order_defaults(r, err))
    return false;
  mark_size_checks(r);
  make_kwnames(r);
  attach_arg_docs(r);
  r.doc = compose_doc(r);
  plan_direct(r);
  plan_arrays(r);
  return true;
}

}  // namespace vxb
