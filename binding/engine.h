// The generic engine: turns table entries into callable routine objects.
#pragma once
#define PY_SSIZE_T_CLEAN
#include <Python.h>
#include <string>
#include <vector>
#include "expr.h"
#include "table.h"

namespace vxb {

enum class Ty : uint8_t { i4, f8, c16, l1, l4, f4, s1, str, view_f8, view_i4, cb };
enum class Intent : uint8_t { in, out, inout, io, ret };

constexpr int kMaxArgs = 48;

// What an expression sees before any call: no argument has a value or an
// extent, so only a constant expression has its own value. Kept out of
// expr.h: seen there, it would have the evaluator test every environment
// for it before each call.
struct ConstEnv : ExprEnv {
  int64_t value(int) const override { return 0; }
  int64_t shape(int, int64_t) const override { return 0; }
  int64_t size(int) const override { return 0; }
  int64_t rank(int) const override { return 0; }
  int64_t slen(int) const override { return 0; }
};

// The value of a scalar argument, of whatever type.
union Scalar {
  int32_t i;
  double d;
  double c[2];
  int8_t b;
  float f;
};

// How the direct path fills one native argument (see Routine::direct).
struct DirectArg {
  enum Absent : uint8_t { dflt, null, zero };
  Ty ty = Ty::f8;
  Absent absent = null;  // when the Python value is not given
  int pypos = -1;        // -1: hidden
  bool array = false;    // an optional input array: absent only
  Scalar value{};        // the default
  int64_t ival = 0;      // the default as expressions see it
};

struct ArgDesc {
  std::string name;
  Ty ty = Ty::f8;
  Intent intent = Intent::in;
  int rank = 0;                 // 0: scalar
  std::vector<Expr> dims;       // empty Expr: any extent ('*')
  std::vector<int64_t> fixed;   // per axis: the extent the row fixes, -1 when it depends on the
                                // call; empty when no axis is fixed
  bool has_default = false;
  Expr dflt;
  std::vector<Expr> checks;
  bool str_star = false;        // str(*)
  Expr strlen;                  // str(len)
  std::string cbname;
  const CallbackDef* cb = nullptr;
  const struct CbDesc* cbdesc = nullptr;
  // cb(first if cond else second): the call-back declaration that a Python
  // function is called through is chosen per call.
  std::string cbname_alt;
  Expr cbsel;
  const CallbackDef* cb_alt = nullptr;
  const struct CbDesc* cbdesc_alt = nullptr;
  std::string doc;
  std::string absent;           // what the routine uses when an optional argument without default is
                                // absent (passed as a null pointer), for the docstring
  std::string what;             // "routine: argument name", for messages
  // From the Python signature.
  int pypos = -1;               // position among Python arguments, -1 hidden
  bool optional = false;
  int overwrite_pos = -1;       // Python position of overwrite_<name>
  int extra_pos = -1;           // Python position of <name>_extra_args
  int result_pos = -1;          // position in the returned tuple
};

// A parsed call-back: its native arguments, which of them the Python
// function receives, and which it may deliver back.
struct CbDesc {
  const CallbackDef* def = nullptr;
  std::vector<ArgDesc> args;
  std::vector<int> py_required;  // native indices passed to Python
  std::vector<int> py_optional;
  std::vector<int> outs;         // native indices filled from the return value
  std::vector<std::string> pynames;  // Python name of each native argument ("" when not passed)
  std::string form;              // "def f(x,...): return y,...", as the docstring shows it
  bool has_ret = false;          // args[0] is the function result
  bool ok = false;
};

struct Routine {
  const RoutineDef* def = nullptr;
  std::string pyname;
  std::string native;
  std::vector<ArgDesc> args;
  std::vector<std::string> pynames;  // Python argument names in order
  std::vector<int> pyarg_of;         // Python position -> native arg index (-1 for flags)
  int nrequired = 0;
  int nresults = 0;
  std::vector<int> results;          // native indices in result order
  std::vector<int> scalar_order;     // hidden/optional scalars in dependency order
  int ret_index = -1;
  bool ret_is_text = false;
  bool has_callback = false;         // a Python call-back may be handed input arrays writable
  std::string doc;
  PyObject* kwnames = nullptr;       // tuple of interned names, by Python position
  // Routines whose arguments are all plain scalars with literal defaults,
  // besides optional input arrays, are called through a plan made at import
  // (one entry per native argument) when no array is given; empty for every
  // other routine.
  std::vector<DirectArg> direct;
  std::vector<int> direct_hidden;    // native arguments not in the Python signature
  bool direct_checks = false;        // some argument carries a check
  bool direct_positional = false;    // no checks, no arrays: all values by position take the short way
  // Routines of plain scalars, input arrays and made output arrays (no texts,
  // call-backs, views or in-place arrays) take a short way when every value
  // is given by position in its declared form (see call_arrays).
  bool arrays_plan = false;
  std::vector<int> arrays_checked;   // native arguments with checks, in order
  std::vector<int> arrays_in;        // input arrays
  std::vector<int> arrays_made;      // outputs made by the call: arrays, and scalars set to zero
};

bool build_routine(const RoutineDef* d, Routine& r, std::string& err);
void plan_direct(Routine& r);
void plan_arrays(Routine& r);
bool build_callback(const CallbackDef* d, CbDesc& c, std::string& err);
PyObject* call_routine(const Routine& r, PyObject* const* args, size_t nargs, PyObject* kwnames);
// The parsed declaration of a call-back; null with err saying why.
const CbDesc* find_callback(const std::string& name, std::string& err);
// Routines by native entry, so that one passed as a call-back is known.
void note_native(const Routine& r);
// Whether the function at fn can be called as decl declares it: false for a
// routine of the module that takes other parameters. callback_mismatch says
// why (empty when it can).
bool callback_fits(const void* fn, const CallbackDef* decl);
std::string callback_mismatch(const void* fn, const CallbackDef* decl);

// _vexlan.error: a failed check(...). Every other refusal of an argument
// raises one of its subclasses that also derive from the builtin class that
// callers of f2py-wrapped modules catch (ValueError for a wrong size, shape
// or value, TypeError for a wrong kind of object, OverflowError for a
// number out of range, MemoryError for an array there is no memory for,
// IndexError and TypeError for a complex array of no dimensions where a real
// or integer is expected), so that either except clause takes it.
extern PyObject* vx_error;
extern PyObject* vx_value_error;
extern PyObject* vx_type_error;
extern PyObject* vx_overflow_error;
extern PyObject* vx_memory_error;
extern PyObject* vx_index_error;

}  // namespace vxb

namespace vxb {
bool real_default(const Expr& e, double& v);
// A value assigned to a scalar datum of type ty (i4 or f8): one real number.
bool py_to_datum(PyObject* o, Ty ty, void* p, const char* what);
bool py_text(PyObject* o, const char*& p, Py_ssize_t& n, PyObject*& hold, const char* what);
// A value assigned to an array datum of type ty: a new Fortran-ordered array.
PyObject* py_data_array(PyObject* o, Ty ty, const char* what);
}  // namespace vxb
