// Binding tables: what a component table file writes.
//
// A table describes each routine the way its signature table reads:
//
//   VX_ROUTINE(utility, MatrixCopy, "b = matrixcopy(a,[n,m])",
//              "a: f8(n,m)",
//              "b: f8(n,m) out",
//              "n: i4 = shape(a,0) check(shape(a,0)==n)",
//              "m: i4 = shape(a,1) check(shape(a,1)==m)");
//
// The first string is the Python signature exactly as documented: it gives the
// Python argument order ([...] marks optional arguments), the result order
// (left of '='), and it is the first line of the docstring. Then one string
// per native argument, in native order:
//
//   name: type[(dims)] [intent] [= default] [check(expr)]... [doc "text"]
//
//   type    i4 | f8 | c16 | l1 | l4 | f4 | s1 (array of single characters)
//           | str(len) | str(*) (length as passed) | view_f8 | view_i4 (vx_view
//           of an array, rank given by dims) | cb(name) (call-back declared with
//           VX_CALLBACK)
//   dims    comma-separated expressions; '*' = whatever the array holds
//   intent  in (default) | out | inout (in place: must already be an array of
//           the exact type and layout, not returned unless named left of '=')
//           | io (input, result returned; a copy unless overwrite_<name> is
//           given non-zero) | ret (function result; declare it first)
//   default the value used when the argument is optional and omitted, or
//           hidden (native arguments missing from the signature). An optional
//           argument without default is passed as a null pointer when omitted.
//   check   failing makes the call raise _vexlan.error naming the check.
//
// Expressions use integers, argument names (scalar value), + - * / % ( ),
// comparisons, && || !, ?:, and shape(x,i), len(x) (first extent), size(x),
// rank(x), slen(x) (length of text x), max(a,b), min(a,b), abs(a).
// Input and in/out arrays are always checked to hold at least the product of
// their dims, so no extent can make a routine read past an array.
//
// Texts pass their length as a hidden size_t argument appended after all
// explicit arguments, in argument order; a text function result is passed as
// the first two arguments (buffer, length).
#pragma once
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

namespace vxb {

using Thunk = void (*)(void* fn, void** args, void* result);

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
};

struct CallbackDef {
  const char* name;
  const char* signature;  // "def dfunc(fa,d0,a,args,nfun,[na]): return"
  const char* const* args;
  int nargs;
  void* trampoline;  // native function that forwards to the current Python call-back
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
};

void register_routine(const RoutineDef*);
void register_callback(const CallbackDef*);
void register_data(const DataDef*);
void* callback_dispatch(const CallbackDef*, void** args);  // used by trampolines

struct Registrar {
  explicit Registrar(const RoutineDef* d) { register_routine(d); }
  explicit Registrar(const CallbackDef* d) { register_callback(d); }
  explicit Registrar(const DataDef* d) { register_data(d); }
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

#define VX_ROUTINE_SYM(COMP, SYM, SIG, ...)                                                   \
  static const char* const VX_CAT(vxargs_, __LINE__)[] = {__VA_ARGS__};                      \
  static const ::vxb::RoutineDef VX_CAT(vxdef_, __LINE__) = {                                \
      #COMP, SIG, VX_CAT(vxargs_, __LINE__),                                                 \
      int(sizeof(VX_CAT(vxargs_, __LINE__)) / sizeof(char*)), reinterpret_cast<void*>(&SYM), \
      &::vxb::Caller<decltype(&SYM)>::thunk, ::vxb::Caller<decltype(&SYM)>::arity, #SYM}; \
  static const ::vxb::Registrar VX_CAT(vxreg_, __LINE__)(&VX_CAT(vxdef_, __LINE__))

#define VX_ROUTINE(COMP, SYM, SIG, ...) VX_ROUTINE_SYM(COMP, SYM, SIG, __VA_ARGS__)

// VX_CALLBACK(name, native function type, "def ...: return", argument descriptions...)
// Argument descriptions as for routines; intent is seen from the call-back (out: the
// call-back delivers it).
#define VX_CALLBACK(NAME, FTYPE, SIG, ...)                                                        \
  extern const ::vxb::CallbackDef vxcb_##NAME;                                                    \
  static const char* const vxcbargs_##NAME[] = {__VA_ARGS__};                                     \
  const ::vxb::CallbackDef vxcb_##NAME = {                                                        \
      #NAME, SIG, vxcbargs_##NAME, int(sizeof(vxcbargs_##NAME) / sizeof(char*)),                  \
      reinterpret_cast<void*>(&::vxb::Trampoline<FTYPE, &vxcb_##NAME>::fn)};                      \
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
