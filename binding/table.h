// Binding tables: what a component table file writes.
//
// A table describes each routine the way its signature table reads:
//
//   VX_ROUTINE(utility, MatrixCopy, "b = matrixcopy(a,[n,m])",
//              "a: f8(n,m)",
//              "b: f8(n,m) out",
//              "n: i4",
//              "m: i4");
//
// The first string is the Python signature exactly as documented: it gives the
// Python argument order ([...] marks optional arguments), the result order
// (left of '='), and it is the first line of the docstring. Then one string
// per native argument, in native order:
//
//   name: type[(dims)] [intent] [= default] [check(expr)]... [doc "text"] [absent "text"]
//
//   type    i4 | f8 | c16 | l1 | l4 | f4 | s1 (array of single characters)
//           | str(len) | str(*) (length as passed) | view_f8 | view_i4 (vx_view
//           of an array, rank given by dims) | cb(name) (call-back declared with
//           VX_CALLBACK) | cb(name1 if expr else name2) (a Python function is
//           called through the first declaration when expr holds, else through
//           the second: for a routine that calls its call-back with real or
//           complex vectors depending on an argument)
//   dims    comma-separated expressions; '*' = whatever the array holds.
//           str(len)(dims) is an array of texts (character(len) a(dims)): the
//           routine gets the texts one after the other, each len characters,
//           blank-padded, and len as the hidden length; len must be a constant
//           or '*' (inputs: the longest text given). From Python: a sequence of
//           str/bytes or a bytes array; returned as a numpy 'S<len>' array.
//   intent  in (default) | out | inout (in place: an array of the exact type
//           and layout, axes of length 1 aside; a scalar also takes a number,
//           of which nothing comes back, or an array of a type that can take
//           the result; not returned unless named left of '=')
//           | io (input, result returned; a copy unless overwrite_<name> is
//           given non-zero) | ret (function result; declare it first)
//   default the value used when the argument is optional and omitted (or
//           given as None), or hidden (native arguments missing from the
//           signature). An optional argument without default is passed as a
//           null pointer when omitted; its row then says in absent "text" what
//           the routine uses instead, which the docstring shows as its
//           Default (the module refuses to load a row that says neither).
//   check   failing makes the call raise _vexlan.error naming the check; a
//           check on an extent (shape, len, size, rank, slen), a check of an
//           array or of an argument whose default is an extent, and one that
//           reads such an argument refuses a size, and its error is a
//           ValueError as well.
//
// Extents are inferred: an optional or hidden i4 input whose row gives neither
// default nor check, and that is a whole extent of one or more input arrays
// (in, io, inout), defaults to the extent of the first of them (required
// arrays first: len(a) for a vector, shape(a,k) otherwise) and is checked to
// equal the extent of each of them (an absent optional array is not
// compared). Above, n = shape(a,0) with check(shape(a,0)==n), m likewise. A
// row that writes a default or a check of its own gets no inference, so the
// explicit form "n: i4 = len(a) check(len(a)==n)" keeps working.
//
// Expressions use integers, argument names (scalar value; a text stands for
// the code of its first character upper-cased, 0 when empty), character
// literals ('T': its code), + - * / % ( ), comparisons, && || !, ?:, and
// shape(x,i), len(x) (first extent), size(x), rank(x), slen(x) (length of
// text x), max(a,b), min(a,b), abs(a), maxupto(x,h) (the largest positive
// element of the integer array x that is at most h, 0 when none is: the
// least extent of an array indexed by x). A flag text, "T" or "t", chooses
// extents: "a: f8(sa=='T'?k:m,...)".
// Every extent of a given array is checked exactly, as f2py checks it: one
// that refers to no argument (f8(9,nplies): the 9) and one computed from
// other arguments alike, so that no array is silently read in part, or past
// its end. A negative extent, of a given array or of one the call makes, is
// refused (ValueError), as f2py refuses it; an axis of length 1 stands for an
// empty one. An array may differ from its dims only by axes of length 1. '*'
// takes the array's own extent: a row whose array may hold more than the
// routine reads writes '*' and a check of the least it needs; one that reads
// an array or not depending on a flag gives its own length where it reads
// none (chamis: "csdim==4?4:...:len(fiberprops)").
//
// Texts pass their length as a hidden size_t argument appended after all
// explicit arguments, in argument order; a text function result is passed as
// the first two arguments (buffer, length).
//
// Every row is compared with its function when the module is imported: the
// number of native arguments, each argument's element type, a writable
// (non-const) pointer for out, inout, io and ret, a function pointer for a
// call-back, size_t for hidden text lengths, and the result type. A row that
// disagrees makes the import fail naming the routine and the argument.
//
// Call-backs (VX_CALLBACK): the Python function receives the arguments of its
// "def" form (scalars as numbers, arrays as arrays over the native storage,
// read-only unless the call-back may write them), as many of them as it takes
// positionally and the extra arguments last, and may return a number, an
// array or a tuple of them: they are stored into the call-back's out/io
// arguments in order (an array must hold exactly the output's values, and
// more values than outputs are refused); None leaves them as the function
// wrote them. A call-back that is a function declares its result first,
// intent ret ("r: f8 ret"); a returned value fills it first. A routine of the
// module (or its _cpointer) given as a call-back is called natively, and only
// when it takes exactly the parameters of the declared function type.
#pragma once
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

namespace vxb {

using Thunk = void (*)(void* fn, void** args, void* result);

// What a native parameter (or result) is, as far as a row can disagree with it.
enum class PType : uint8_t {
  other, i32, ci32, f64, cf64, c128, cc128, i8, ci8, f32, cf32, chr, cchr, size, view, cview, fn, none
};

// A parameter: a pointer (every argument), a function pointer (a call-back)
// or a size_t (a hidden text length).
template <class T>
constexpr PType ptype_of() {
  using std::is_same_v;
  if constexpr (is_same_v<T, size_t>) return PType::size;
  else if constexpr (std::is_pointer_v<T> && std::is_function_v<std::remove_pointer_t<T>>) return PType::fn;
  else if constexpr (std::is_pointer_v<T>) {
    using E = std::remove_pointer_t<T>;
    using U = std::remove_cv_t<E>;
    constexpr bool c = std::is_const_v<E>;
    if constexpr (is_same_v<U, int32_t>) return c ? PType::ci32 : PType::i32;
    else if constexpr (is_same_v<U, double>) return c ? PType::cf64 : PType::f64;
    else if constexpr (sizeof(U) == 16 && requires(U u) { u.real(); u.imag(); }) return c ? PType::cc128 : PType::c128;
    else if constexpr (is_same_v<U, signed char>) return c ? PType::ci8 : PType::i8;
    else if constexpr (is_same_v<U, float>) return c ? PType::cf32 : PType::f32;
    else if constexpr (is_same_v<U, char>) return c ? PType::cchr : PType::chr;
    else if constexpr (requires(U u) { u.base; u.rank; u.extent; u.stride; }) return c ? PType::cview : PType::view;
    else return PType::other;
  } else {
    return PType::other;
  }
}

// A function result, by value.
template <class T>
constexpr PType rtype_of() {
  using std::is_same_v;
  if constexpr (std::is_void_v<T>) return PType::none;
  else if constexpr (is_same_v<T, int32_t>) return PType::i32;
  else if constexpr (is_same_v<T, double>) return PType::f64;
  else if constexpr (is_same_v<T, float>) return PType::f32;
  else if constexpr (is_same_v<T, signed char>) return PType::i8;
  else if constexpr (sizeof(T) == 16 && requires(T u) { u.real(); u.imag(); }) return PType::c128;
  else return PType::other;
}

template <class T>
inline T from_slot(void* p) {
  if constexpr (std::is_pointer_v<T> && std::is_function_v<std::remove_pointer_t<T>>)
    return reinterpret_cast<T>(p);  // a call-back
  else if constexpr (std::is_pointer_v<T>)
    return static_cast<T>(p);
  else
    return static_cast<T>(reinterpret_cast<uintptr_t>(p));  // a hidden text length
}

template <class F>
struct Caller;
template <class R, class... A>
struct Caller<R (*)(A...)> {
  static constexpr int arity = sizeof...(A);
  static constexpr PType ptypes[sizeof...(A) + 1] = {ptype_of<A>()..., PType::none};
  static constexpr PType rtype = rtype_of<R>();
  template <size_t... I>
  static void call(void* fn, void** a, void* res, std::index_sequence<I...>) {
    auto f = reinterpret_cast<R (*)(A...)>(fn);
    if constexpr (std::is_void_v<R>) f(from_slot<A>(a[I])...);
    else *static_cast<R*>(res) = f(from_slot<A>(a[I])...);
  }
  static void thunk(void* fn, void** a, void* res) { call(fn, a, res, std::index_sequence_for<A...>{}); }
};

struct RoutineDef {
  const char* component;
  const char* signature;
  const char* const* args;
  int nargs;
  void* fn;
  Thunk thunk;
  int arity;  // native parameters including hidden text lengths
  const char* native;
  const PType* ptypes;  // arity entries: what the function takes
  PType rtype;          // what it returns
};

struct CallbackDef {
  const char* name;
  const char* signature;  // "def dfunc(fa,d0,a,args,nfun,[na])"
  const char* const* args;
  int nargs;
  void* trampoline;  // native function that forwards to the current Python call-back
  // The native function type the routine calls its call-back as: a routine
  // of the module passed in its place must take exactly these parameters.
  int arity;
  const PType* ptypes;
  PType rtype;
};

// Data of a component.
enum class DataKind { scalar_i4, scalar_f8, text, array, constant_i4 };
struct DataDef {
  const char* component;
  const char* name;
  DataKind kind;
  void* ptr;      // int32_t*/double*/char*/vx::ArrayBase*
  int len;        // text length
  int32_t value;  // constant value
  int32_t rows = 0;  // first extent an array must have when assigned (0: any)
};

void register_routine(const RoutineDef*);
void register_planted(const RoutineDef*);
void register_callback(const CallbackDef*);
void register_data(const DataDef*);
void* callback_dispatch(const CallbackDef*, void** args);  // used by trampolines

struct Registrar {
  explicit Registrar(const RoutineDef* d) { register_routine(d); }
  Registrar(const RoutineDef* d, bool) { register_planted(d); }
  explicit Registrar(const CallbackDef* d) { register_callback(d); }
  explicit Registrar(const DataDef* d) { register_data(d); }
  Registrar(const DataDef* d, int n) {
    for (int i = 0; i < n; ++i) register_data(d + i);
  }
};

// Trampoline for call-backs: packs the native arguments and hands them to the
// engine, which calls the Python function recorded for the current call.
template <class F, const CallbackDef* D>
struct Trampoline;
template <class R, class... A, const CallbackDef* D>
struct Trampoline<R (*)(A...), D> {
  static R fn(A... a) {
    void* p[sizeof...(A) + 1] = {(void*)(a)...};
    if constexpr (std::is_void_v<R>) callback_dispatch(D, p);
    else return *static_cast<R*>(callback_dispatch(D, p));
  }
};

}  // namespace vxb

#define VX_CAT2(a, b) a##b
#define VX_CAT(a, b) VX_CAT2(a, b)

#define VX_ROUTINE_DEF(COMP, SYM, SIG, ...)                                                  \
  static const char* const VX_CAT(vxargs_, __LINE__)[] = {__VA_ARGS__};                      \
  static const ::vxb::RoutineDef VX_CAT(vxdef_, __LINE__) = {                                \
      #COMP, SIG, VX_CAT(vxargs_, __LINE__),                                                 \
      int(sizeof(VX_CAT(vxargs_, __LINE__)) / sizeof(char*)), reinterpret_cast<void*>(&SYM), \
      &::vxb::Caller<decltype(&SYM)>::thunk, ::vxb::Caller<decltype(&SYM)>::arity, #SYM,     \
      ::vxb::Caller<decltype(&SYM)>::ptypes, ::vxb::Caller<decltype(&SYM)>::rtype}

#define VX_ROUTINE_SYM(COMP, SYM, SIG, ...) \
  VX_ROUTINE_DEF(COMP, SYM, SIG, __VA_ARGS__); \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdef_, __LINE__))

// A row that is known to disagree with its function: kept apart from the
// module and built only by the test of the import check.
#define VX_PLANTED_ROW(COMP, SYM, SIG, ...) \
  VX_ROUTINE_DEF(COMP, SYM, SIG, __VA_ARGS__); \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdef_, __LINE__), true)

#define VX_ROUTINE(COMP, SYM, SIG, ...) VX_ROUTINE_SYM(COMP, SYM, SIG, __VA_ARGS__)

// VX_CALLBACK(name, native function type, "def f(...)", argument descriptions...)
// Argument descriptions as for routines; intent is seen from the call-back (out: the
// call-back delivers it). The docstring completes the form with what is read back,
// the outputs' names in order: "def f(...): return y,z".
#define VX_CALLBACK(NAME, FTYPE, SIG, ...)                                                        \
  extern const ::vxb::CallbackDef vxcb_##NAME;                                                    \
  static const char* const vxcbargs_##NAME[] = {__VA_ARGS__};                                     \
  const ::vxb::CallbackDef vxcb_##NAME = {                                                        \
      #NAME, SIG, vxcbargs_##NAME, int(sizeof(vxcbargs_##NAME) / sizeof(char*)),                  \
      reinterpret_cast<void*>(&::vxb::Trampoline<FTYPE, &vxcb_##NAME>::fn),                       \
      ::vxb::Caller<FTYPE>::arity, ::vxb::Caller<FTYPE>::ptypes, ::vxb::Caller<FTYPE>::rtype};    \
  static const ::vxb::Registrar vxcbreg_##NAME(&vxcb_##NAME)

#define VX_DATA_I4(COMP, NAME, VAR)                                                              \
  static const ::vxb::DataDef VX_CAT(vxdat_, __LINE__) = {#COMP, NAME, ::vxb::DataKind::scalar_i4, \
                                                          (void*)&(VAR), 0, 0};                    \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdat_, __LINE__))
#define VX_DATA_F8(COMP, NAME, VAR)                                                              \
  static const ::vxb::DataDef VX_CAT(vxdat_, __LINE__) = {#COMP, NAME, ::vxb::DataKind::scalar_f8, \
                                                          (void*)&(VAR), 0, 0};                    \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdat_, __LINE__))
#define VX_DATA_TEXT(COMP, NAME, VAR)                                                       \
  static const ::vxb::DataDef VX_CAT(vxdat_, __LINE__) = {#COMP, NAME, ::vxb::DataKind::text, \
                                                          (void*)(VAR), int(sizeof(VAR)), 0}; \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdat_, __LINE__))
#define VX_DATA_ARRAY(COMP, NAME, VAR)                                                       \
  static const ::vxb::DataDef VX_CAT(vxdat_, __LINE__) = {#COMP, NAME, ::vxb::DataKind::array, \
                                                          (void*)&(VAR), 0, 0};                \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdat_, __LINE__))
#define VX_DATA_CONST(COMP, NAME, VALUE)                                                           \
  static const ::vxb::DataDef VX_CAT(vxdat_, __LINE__) = {#COMP, NAME, ::vxb::DataKind::constant_i4, \
                                                          nullptr, 0, VALUE};                        \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdat_, __LINE__))

// ---------------------------------------------------------------------------
// Shared argument shapes
//
// Arrays of one meaning are declared once here, so that every routine taking
// them checks them alike. Each macro expands to one or more row strings; a
// row adds an intent or a check by string concatenation, for example
// VX_NYE_VECTOR(stress3d) " out" (an intent only where the macro ends in
// the extents).

// A real scalar: stresses, strengths and moduli passed one by one.
#define VX_REAL(x) #x ": f8"
// The six stress components of a ply as scalars, in Nye order.
#define VX_STRESS_SCALARS VX_REAL(s11), VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23)

// Stress or strain 6-vectors and 6 x 6 matrices in Nye order
// (11, 22, 33, 12, 13, 23) and in Voigt order (11, 22, 33, 23, 13, 12).
#define VX_NYE_VECTOR(x) #x ": f8(6)"
#define VX_NYE_MATRIX(x) #x ": f8(6,6)"
#define VX_VOIGT_VECTOR(x) #x ": f8(6)"
#define VX_VOIGT_MATRIX(x) #x ": f8(6,6)"

// One stack of plies, ply 1 at the bottom: the nine elastic constants of
// each ply, its angle in degrees and its thickness. The count row checks
// every array of the stack, so that no ply is silently left out.
#define VX_PLY_ELASTIC "plyelastic: f8(9,nplies)"
#define VX_PLY_ORIENTATION "plyorientation: f8(nplies)"
#define VX_PLY_THICKNESS "plythickness: f8(nplies)"
#define VX_PLY_STACK VX_PLY_ELASTIC, VX_PLY_ORIENTATION, VX_PLY_THICKNESS
#define VX_PLY_COUNT                                                                          \
  "nplies: i4 = shape(plyelastic,1) check(shape(plyelastic,1)==nplies) "                     \
  "check(len(plyorientation)==nplies) check(len(plythickness)==nplies)"

// The stacks of all sections, the section index last: ply ids padded with
// the unset marker, the ply arrays and the z-coordinates of each section.
// NP names the ply count of the routine's signature.
#define VX_SECTION_LIST(NP) "sectionlist: i4(" #NP ",nsec)"
#define VX_SECTION_ELASTIC(NP) "plyelastic: f8(9," #NP ",nsec)"
#define VX_SECTION_ORIENTATION(NP) "plyorientation: f8(" #NP ",nsec)"
#define VX_SECTION_THICKNESS(NP) "plythickness: f8(" #NP ",nsec)"
// A leading extent that is an expression is checked here: the binding
// compares whole extents only, and a longer column would shift every
// section after the first.
#define VX_SECTION_ZCOORD(NP) "plyzcoord: f8(2*" #NP "+1,nsec) check(shape(plyzcoord,0)==2*" #NP "+1)"

// One section's column of the through-thickness shear distribution: four
// values at each of its 2 nplies + 1 z points.
#define VX_SMALLF_MATRIX "smallfmatrix: f8(2*nplies+1,4) check(shape(smallfmatrix,0)==2*nplies+1)"

// Ply records of the material data per ply and section: elastic constants
// (E1, E2, E3, nu12, nu13, nu23, G12, G13, G23) and strengths (tensile and
// compressive 11, 22, 33, shear 12, 13, 23, interlaminar shear).
#define VX_MATERIAL_ELASTIC(NP) "peprops: f8(9," #NP ",nsec)"
#define VX_MATERIAL_STRENGTH(NP) "psprops: f8(10," #NP ",nsec)"

// Impactor records: contact state (20 values) and load patch (12 values).
#define VX_IMPACT_CONTACT "cprops: f8(20,nimp)"
#define VX_IMPACT_LOAD "dprops: f8(12,nimp)"

// Buckling records of sub-laminates: 12 reals and 4 integers each; EXT is
// the text of the remaining extents.
#define VX_BUCKLING_REAL(EXT) "bukrealdatalist: f8(12," EXT ")"
#define VX_BUCKLING_INT(EXT) "bukintdatalist: i4(4," EXT ")"

// Optional parameters that several criteria share: Puck's inclination
// parameters, the fracture angle of pure transverse compression, the step of
// the fracture-plane search and the toughness pair of the LaRC04 criteria.
#define VX_PUCK_PARAMETERS "gp: f8(4) absent \"(0.3, 0.2, 0.15, 0.15)\""
#define VX_FRACTURE_ANGLE "a0: f8 absent \"53.0 (degrees)\""
#define VX_SEARCH_STEP "sainc: f8 absent \"5.0 (degrees)\""
#define VX_LARC04_TOUGHNESS "gc: f8(2) absent \"(0.0, 0.0), the single-precision 0.35 as ratio\""
