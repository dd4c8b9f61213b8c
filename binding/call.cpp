// The per-call path: argument matching, conversion, extents, native call and
// results. Everything lives on the stack of the call.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <type_traits>
#include "engine.h"
#define NO_IMPORT_ARRAY
#define PY_ARRAY_UNIQUE_SYMBOL vx_ARRAY_API
#include <numpy/arrayobject.h>
#include "vexlan/types.h"

namespace vxb {

extern PyArray_Descr* s1_descr;
void* routine_pointer(PyObject* o);  // native entry of a routine object, else null

namespace {

int typenum(Ty t) {
  switch (t) {
    case Ty::i4: case Ty::l4: case Ty::view_i4: return NPY_INT32;
    case Ty::f8: case Ty::view_f8: return NPY_FLOAT64;
    case Ty::c16: return NPY_COMPLEX128;
    case Ty::l1: return NPY_INT8;
    case Ty::f4: return NPY_FLOAT32;
    default: return NPY_STRING;
  }
}

// What an expression sees of the scalar of type ty at p: integers and
// logicals by value, reals and complex numbers as 0.
inline int64_t int_value(Ty ty, const void* p) {
  switch (ty) {
    case Ty::i4: case Ty::l4: return *static_cast<const int32_t*>(p);
    case Ty::l1: return *static_cast<const int8_t*>(p);
    default: return 0;
  }
}

// The element types of the plain types, by Ty, taken once at import.
PyArray_Descr* plain_descr[static_cast<int>(Ty::cb) + 1];

PyArray_Descr* descr_of(Ty t) {
  PyArray_Descr* d = t == Ty::s1 ? s1_descr : plain_descr[static_cast<int>(t)];
  if (d) {
    Py_INCREF(d);
    return d;
  }
  return PyArray_DescrFromType(typenum(t));
}

// Plain data, zeroed for the arguments of one call only.
struct Slot {
  PyObject* obj;         // Python value given (borrowed)
  PyArrayObject* arr;    // owned
  PyObject* text;        // owned bytes object holding text storage
  PyArrayObject* caller; // owned: the array in the caller's shape (returned), or
                         // the array an in/out scalar is written back to
  Scalar v;
  int64_t ival;
  size_t tlen;
  void* ptr;
  bool present;
  bool known;  // value usable in expressions
};
constexpr int kMaxViews = 4;

// The largest positive element of a converted 32-bit integer array that is
// at most hi (0 when there is none): the least extent of an array that the
// routine indexes by those elements.
inline int64_t max_at_most(PyArrayObject* arr, int64_t hi) {
  if (!arr || PyArray_TYPE(arr) != NPY_INT32 || (!PyArray_ISCONTIGUOUS(arr) && !PyArray_ISFORTRAN(arr))) return 0;
  const int32_t* v = static_cast<const int32_t*>(PyArray_DATA(arr));
  int64_t most = 0;
  for (npy_intp k = 0, n = PyArray_SIZE(arr); k < n; ++k)
    if (v[k] <= hi && v[k] > most) most = v[k];
  return most;
}

struct CallEnv : ExprEnv {
  Slot* s;
  explicit CallEnv(Slot* sl) : s(sl) {
    values = reinterpret_cast<const char*>(&sl[0].ival);
    stride = sizeof(Slot);
  }
  int64_t value(int a) const override { return s[a].ival; }
  int64_t shape(int a, int64_t d) const override {
    if (s[a].arr) return d < PyArray_NDIM(s[a].arr) ? PyArray_DIM(s[a].arr, static_cast<int>(d)) : 1;
    if (s[a].text && d == 0) return static_cast<int64_t>(s[a].tlen);
    return 0;
  }
  int64_t size(int a) const override {
    if (s[a].arr) return PyArray_SIZE(s[a].arr);
    return s[a].text ? static_cast<int64_t>(s[a].tlen) : 0;
  }
  int64_t rank(int a) const override { return s[a].arr ? PyArray_NDIM(s[a].arr) : 0; }
  int64_t slen(int a) const override { return static_cast<int64_t>(s[a].tlen); }
  int64_t maxupto(int a, int64_t hi) const override { return max_at_most(s[a].arr, hi); }
};

// ------------------------------------------------------------ conversions

// Texts: a bytearray is one too, not a sequence of its character codes, and
// so is a memoryview of either.
inline bool is_bytes_like(PyObject* o) { return PyBytes_Check(o) || PyByteArray_Check(o); }
inline bool is_text(PyObject* o) {
  return PyUnicode_Check(o) || is_bytes_like(o) || (PyMemoryView_Check(o) && PyMemoryView_GET_BASE(o) &&
                                                    is_bytes_like(PyMemoryView_GET_BASE(o)));
}

// Arrays and sequences other than texts hold values; a scalar argument takes
// one of them.
inline bool holds_values(PyObject* o) { return PyArray_Check(o) || (PySequence_Check(o) && !is_text(o)); }

// The one value of an array or sequence (a new reference). Any other count is
// refused: a scalar takes one value, never the first of several.
PyObject* sole_item(PyObject* o, const char* what) {
  Py_ssize_t n;
  if (PyArray_Check(o)) {
    PyArrayObject* a = reinterpret_cast<PyArrayObject*>(o);
    n = PyArray_SIZE(a);
    if (n == 1) return PyArray_GETITEM(a, static_cast<const char*>(PyArray_DATA(a)));
  } else {
    n = PySequence_Size(o);
    if (n < 0) return nullptr;
    if (n == 1) return PySequence_GetItem(o, 0);
  }
  PyErr_Format(vx_value_error, "%s: expected one value, got %zd", what, n);
  return nullptr;
}

// A complex array of no dimensions given for a real or integer scalar: true,
// with the error set. f2py reads a number through float() or int(), which
// numpy refuses for such an array (one of one or more dimensions it takes
// with a warning), and then as a sequence, which it is not: it raises
// IndexError, and so does the binding (the class is a TypeError too).
bool complex_0d_refused(PyObject* o, Ty ty, const char* what) {
  if (!PyArray_Check(o) || (ty != Ty::f8 && ty != Ty::f4 && ty != Ty::i4)) return false;
  PyArrayObject* a = reinterpret_cast<PyArrayObject*>(o);
  if (PyArray_NDIM(a) != 0 || !PyTypeNum_ISCOMPLEX(PyArray_TYPE(a))) return false;
  PyErr_Format(vx_index_error, "%s: expected %s, got a complex array of no dimensions (%S)", what,
               ty == Ty::i4 ? "an integer" : "a real number", reinterpret_cast<PyObject*>(PyArray_DESCR(a)));
  return true;
}

bool to_long(PyObject* o, const char* what, long long& out) {
  if (PyLong_Check(o)) {
    int overflow = 0;
    out = PyLong_AsLongLongAndOverflow(o, &overflow);
    if (overflow || out < INT32_MIN || out > INT32_MAX) {
      PyErr_Format(vx_overflow_error, "%s: value out of the range of a 32-bit integer", what);
      return false;
    }
    return !(out == -1 && PyErr_Occurred());
  }
  if (o == Py_None) {
    PyErr_Format(vx_type_error, "%s: expected an integer, got None", what);
    return false;
  }
  if (holds_values(o)) {
    if (complex_0d_refused(o, Ty::i4, what)) return false;
    PyObject* it = sole_item(o, what);
    if (!it) return false;
    const bool ok = to_long(it, what, out);
    Py_DECREF(it);
    return ok;
  }
  if (PyFloat_Check(o) || PyComplex_Check(o) || PyNumber_Check(o)) {
    PyObject* re = PyComplex_Check(o) ? PyFloat_FromDouble(PyComplex_RealAsDouble(o)) : (Py_INCREF(o), o);
    PyObject* l = PyNumber_Long(re);
    Py_DECREF(re);
    if (l) {
      bool ok = to_long(l, what, out);
      Py_DECREF(l);
      return ok;
    }
    // NaN and infinities have no integer value.
    if (PyErr_ExceptionMatches(PyExc_ValueError) || PyErr_ExceptionMatches(PyExc_OverflowError)) {
      PyObject* cls = PyErr_ExceptionMatches(PyExc_ValueError) ? vx_value_error : vx_overflow_error;
      PyErr_Clear();
      PyErr_Format(cls, "%s: %R has no 32-bit integer value", what, o);
      return false;
    }
    PyErr_Clear();
  }
  PyErr_Format(vx_type_error, "%s: expected an integer, got %s", what, Py_TYPE(o)->tp_name);
  return false;
}

// A number that did not convert, with Python's error set: an integer beyond
// the reals (10**400) is out of range; anything else is no number.
bool number_refused(PyObject* o, const char* what, const char* kind) {
  const bool overflow = PyErr_ExceptionMatches(PyExc_OverflowError);
  PyErr_Clear();
  if (overflow) PyErr_Format(vx_overflow_error, "%s: value out of the range of %s", what, kind);
  else PyErr_Format(vx_type_error, "%s: expected %s, got %s", what, kind, Py_TYPE(o)->tp_name);
  return false;
}

bool to_double(PyObject* o, const char* what, double& out) {
  if (PyFloat_CheckExact(o)) {
    out = PyFloat_AS_DOUBLE(o);
    return true;
  }
  if (o == Py_None || is_text(o)) {
    PyErr_Format(vx_type_error, "%s: expected a real number, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  if (PyComplex_Check(o)) {
    out = PyComplex_RealAsDouble(o);
    return true;
  }
  if (holds_values(o)) {
    if (complex_0d_refused(o, Ty::f8, what)) return false;
    PyObject* it = sole_item(o, what);
    if (!it) return false;
    const bool ok = to_double(it, what, out);
    Py_DECREF(it);
    return ok;
  }
  out = PyFloat_AsDouble(o);
  if (!(out == -1.0 && PyErr_Occurred())) return true;
  return number_refused(o, what, "a real number");
}

bool to_complex(PyObject* o, const char* what, double* out) {
  if (o == Py_None || is_text(o)) {
    PyErr_Format(vx_type_error, "%s: expected a complex number, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  if (holds_values(o)) {
    PyObject* it = sole_item(o, what);
    if (!it) return false;
    const bool ok = to_complex(it, what, out);
    Py_DECREF(it);
    return ok;
  }
  Py_complex c = PyComplex_AsCComplex(o);
  if (c.real == -1.0 && PyErr_Occurred()) return number_refused(o, what, "a complex number");
  out[0] = c.real;
  out[1] = c.imag;
  return true;
}

// A number that is NaN, also in either part of a complex one.
bool is_nan_number(PyObject* o) {
  if (PyFloat_Check(o) || PyArray_IsScalar(o, Floating)) {
    const double d = PyFloat_AsDouble(o);
    if (d == -1.0 && PyErr_Occurred()) PyErr_Clear();
    return std::isnan(d);
  }
  if (PyComplex_Check(o) || PyArray_IsScalar(o, ComplexFloating)) {
    const Py_complex c = PyComplex_AsCComplex(o);
    if (c.real == -1.0 && PyErr_Occurred()) PyErr_Clear();
    return std::isnan(c.real) || std::isnan(c.imag);
  }
  // Other numbers with a real value (decimal.Decimal, fractions). A
  // signalling NaN refuses the conversion with ValueError: NaN all the same.
  if (PyNumber_Check(o) && !PyLong_Check(o)) {
    const double d = PyFloat_AsDouble(o);
    if (d == -1.0 && PyErr_Occurred()) {
      const bool nan = PyErr_ExceptionMatches(PyExc_ValueError);
      PyErr_Clear();
      return nan;
    }
    return std::isnan(d);
  }
  return false;
}

// A logical takes the truth value of what it is given; of an array or
// sequence, that of its one value (an empty one is false). Text and NaN are
// refused: "0", "false" and NaN are all true in Python, never what was meant.
int truth_of(PyObject* o, const char* what) {
  if (PyLong_Check(o)) return PyObject_IsTrue(o);  // the usual flag, bool included
  if (is_text(o)) {
    PyErr_Format(vx_type_error, "%s: expected a logical (a number or bool), got %s", what, Py_TYPE(o)->tp_name);
    return -1;
  }
  if (!holds_values(o)) {
    if (is_nan_number(o)) {
      PyErr_Format(vx_value_error, "%s: NaN is neither true nor false", what);
      return -1;
    }
    return PyObject_IsTrue(o);
  }
  const Py_ssize_t n = PyArray_Check(o) ? PyArray_SIZE(reinterpret_cast<PyArrayObject*>(o)) : PySequence_Size(o);
  if (n <= 0) return n < 0 ? -1 : 0;
  PyObject* it = sole_item(o, what);
  if (!it) return -1;
  const int t = truth_of(it, what);
  Py_DECREF(it);
  return t;
}

// Stores a Python value into a scalar of the given type at p.
bool store_scalar(PyObject* o, Ty ty, void* p, const char* what) {
  switch (ty) {
    case Ty::i4: {
      long long v;
      if (!to_long(o, what, v)) return false;
      *static_cast<int32_t*>(p) = static_cast<int32_t>(v);
      return true;
    }
    case Ty::l4: case Ty::l1: {
      const int t = truth_of(o, what);
      if (t < 0) return false;
      if (ty == Ty::l4) *static_cast<int32_t*>(p) = t;
      else *static_cast<int8_t*>(p) = static_cast<int8_t>(t);
      return true;
    }
    case Ty::f8: {
      double v;
      if (!to_double(o, what, v)) return false;
      *static_cast<double*>(p) = v;
      return true;
    }
    case Ty::f4: {
      double v;
      if (!to_double(o, what, v)) return false;
      *static_cast<float*>(p) = static_cast<float>(v);
      return true;
    }
    case Ty::c16: return to_complex(o, what, static_cast<double*>(p));
    default: return false;
  }
}

PyObject* scalar_to_py(Ty ty, const void* p) {
  switch (ty) {
    case Ty::i4: return PyLong_FromLong(*static_cast<const int32_t*>(p));
    case Ty::l4: return PyLong_FromLong(*static_cast<const int32_t*>(p) != 0);
    case Ty::l1: return PyLong_FromLong(*static_cast<const int8_t*>(p) != 0);
    case Ty::f8: return PyFloat_FromDouble(*static_cast<const double*>(p));
    case Ty::f4: return PyFloat_FromDouble(*static_cast<const float*>(p));
    case Ty::c16: {
      const double* c = static_cast<const double*>(p);
      return PyComplex_FromDoubles(c[0], c[1]);
    }
    default: Py_RETURN_NONE;
  }
}

// Text from str (ASCII only: a character the library's texts cannot hold is
// refused, not stored as bytes of some encoding), bytes or a bytes array.
bool text_of(PyObject* o, const char*& p, Py_ssize_t& n, PyObject*& hold, const char* what) {
  hold = nullptr;
  if (PyBytes_Check(o)) {
    p = PyBytes_AS_STRING(o);
    n = PyBytes_GET_SIZE(o);
    return true;
  }
  if (PyUnicode_Check(o)) {
    if (!PyUnicode_IS_ASCII(o)) {
      Py_ssize_t k = 0;
      while (k < PyUnicode_GET_LENGTH(o) && PyUnicode_READ_CHAR(o, k) < 128) ++k;
      PyErr_Format(vx_value_error, "%s: the text holds a character outside ASCII ('%c' at position %zd)", what,
                   static_cast<int>(PyUnicode_READ_CHAR(o, k)), k);
      return false;
    }
    hold = PyUnicode_AsASCIIString(o);
    if (!hold) return false;
  } else if (PyArray_Check(o) && PyArray_TYPE(reinterpret_cast<PyArrayObject*>(o)) == NPY_STRING) {
    PyArrayObject* c = reinterpret_cast<PyArrayObject*>(PyArray_FROMANY(o, NPY_STRING, 0, 0, NPY_ARRAY_C_CONTIGUOUS));
    if (!c) return false;
    hold = PyBytes_FromStringAndSize(static_cast<const char*>(PyArray_DATA(c)), PyArray_NBYTES(c));
    Py_DECREF(c);
    if (!hold) return false;
    // A bytes datum reads with its trailing NULs dropped, as numpy shows it.
    Py_ssize_t k = PyBytes_GET_SIZE(hold);
    while (k > 0 && PyBytes_AS_STRING(hold)[k - 1] == '\0') --k;
    p = PyBytes_AS_STRING(hold);
    n = k;
    return true;
  } else {
    PyErr_Format(vx_type_error, "%s: expected a string, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  p = PyBytes_AS_STRING(hold);
  n = PyBytes_GET_SIZE(hold);
  return true;
}

// The array with the row's rank: missing trailing dimensions become 1,
// surplus dimensions of extent 1 are dropped; any other surplus is refused
// (a matrix is no vector). A new reference; the given array is kept.
PyArrayObject* ranked(PyArrayObject* a, int rank, const char* what) {
  const int nd = PyArray_NDIM(a);
  if (nd == rank || rank == 0) {
    Py_INCREF(a);
    return a;
  }
  npy_intp dims[NPY_MAXDIMS];
  int k = 0;
  if (nd < rank) {
    for (int i = 0; i < nd; ++i) dims[k++] = PyArray_DIM(a, i);
    while (k < rank) dims[k++] = 1;
  } else {
    int surplus = nd - rank;
    for (int i = 0; i < nd; ++i) {
      if (surplus > 0 && PyArray_DIM(a, i) == 1) {
        --surplus;
        continue;
      }
      dims[k++] = PyArray_DIM(a, i);
    }
    if (k != rank) {
      PyErr_Format(vx_value_error, "%s: expected an array of rank %d, got rank %d", what, rank, nd);
      return nullptr;
    }
  }
  PyArray_Dims shp = {dims, rank};
  return reinterpret_cast<PyArrayObject*>(PyArray_Newshape(a, &shp, NPY_FORTRANORDER));
}

PyArrayObject* s1_from_text(PyObject* o, const char* what) {
  const char* p;
  Py_ssize_t n;
  PyObject* hold;
  if (!text_of(o, p, n, hold, what)) return nullptr;
  npy_intp dim = n;
  Py_INCREF(s1_descr);
  PyArrayObject* a = reinterpret_cast<PyArrayObject*>(
      PyArray_NewFromDescr(&PyArray_Type, s1_descr, 1, &dim, nullptr, nullptr, NPY_ARRAY_F_CONTIGUOUS, nullptr));
  if (a && n) std::memcpy(PyArray_DATA(a), p, static_cast<size_t>(n));
  Py_XDECREF(hold);
  return a;
}

// How a given array is taken: as input (the caller's own when ready), as
// input a call-back may be handed writable (never the caller's read-only
// storage), copied, overwritten in place when it can be (a writable array of
// the declared type in Fortran order, as f2py does; any other is left alone
// and a filled copy returned), or in place or refused (in/out).
enum class Mode { in, in_writable, copy, overwrite, strict };

// Element type of an array of texts of length L.
PyArray_Descr* text_descr(int64_t L) {
  PyObject* dtype_text = PyUnicode_FromFormat("S%lld", static_cast<long long>(L < 1 ? 1 : L));
  PyArray_Descr* d = nullptr;
  if (dtype_text && !PyArray_DescrConverter(dtype_text, &d)) d = nullptr;
  Py_XDECREF(dtype_text);
  return d;
}

const char* type_label(Ty t) {
  switch (t) {
    case Ty::f8: case Ty::view_f8: return "float64";
    case Ty::c16: return "complex128";
    case Ty::f4: return "float32";
    case Ty::l1: return "int8";
    case Ty::s1: return "S1";
    default: return "int32";
  }
}

// The values an element of type ty takes, for messages.
const char* range_label(Ty t) {
  switch (t) {
    case Ty::f8: case Ty::view_f8: return "a real number";
    case Ty::f4: return "a 32-bit real number";
    case Ty::c16: return "a complex number";
    case Ty::l1: return "an 8-bit integer";
    default: return "a 32-bit integer";
  }
}

// numpy's refusal to convert a value, raised again as the module's class of
// the same kind and naming the argument: a wrong value (ValueError), a wrong
// kind of object (TypeError), an element out of range (OverflowError, such
// as 2**40 for an integer or 10**400 for a real), or no memory for it.
void conversion_refused(Ty ty, const char* what) {
  PyObject* cls = PyErr_ExceptionMatches(PyExc_OverflowError) ? vx_overflow_error
                : PyErr_ExceptionMatches(PyExc_ValueError)    ? vx_value_error
                : PyErr_ExceptionMatches(PyExc_TypeError)     ? vx_type_error
                : PyErr_ExceptionMatches(PyExc_MemoryError)   ? vx_memory_error
                                                              : nullptr;
  if (!cls) return;
  PyErr_Clear();
  if (cls == vx_overflow_error)
    PyErr_Format(cls, "%s: an element is out of the range of %s", what, range_label(ty));
  else if (cls == vx_memory_error)
    PyErr_Format(cls, "%s: not enough memory", what);
  else
    PyErr_Format(cls, "%s: cannot convert to an array of the declared type", what);
}

// numpy casts an integer array to a narrower integer type by wrapping, and
// turns NaN, infinities and reals beyond the type into arbitrary integers:
// an element that the declared integer type cannot hold is refused, as it is
// in a list.
inline bool integer_type(Ty ty) { return ty == Ty::i4 || ty == Ty::l4 || ty == Ty::l1 || ty == Ty::view_i4; }

// Whether every one of the n integers of type T at p lies in [lo, hi].
template <class T>
bool ints_within(const void* p, npy_intp n, int64_t lo, int64_t hi) {
  const T* v = static_cast<const T*>(p);
  for (npy_intp k = 0; k < n; ++k) {
    if constexpr (std::is_signed_v<T>) {
      if (v[k] < lo || v[k] > hi) return false;
    } else if (v[k] > static_cast<uint64_t>(hi)) {
      return false;
    }
  }
  return true;
}

// True when an integer array that is contiguous, aligned and in the
// machine's byte order holds only elements the 32-bit (or 8-bit, tn int8)
// type takes, read in place: the common int64 array is checked without a
// copy. False where an element does not fit or the layout is another.
bool ints_fit_in_place(PyArrayObject* arr, int tn) {
  if (!PyArray_ISALIGNED(arr) || !PyArray_ISNOTSWAPPED(arr) ||
      !(PyArray_IS_C_CONTIGUOUS(arr) || PyArray_IS_F_CONTIGUOUS(arr)))
    return false;
  const int64_t lo = tn == NPY_INT8 ? -128 : INT32_MIN, hi = tn == NPY_INT8 ? 127 : INT32_MAX;
  const void* p = PyArray_DATA(arr);
  const npy_intp n = PyArray_SIZE(arr);
  const bool sgn = PyTypeNum_ISSIGNED(PyArray_TYPE(arr));
  switch (PyArray_ITEMSIZE(arr)) {
    case 1: return sgn ? ints_within<int8_t>(p, n, lo, hi) : ints_within<uint8_t>(p, n, lo, hi);
    case 2: return sgn ? ints_within<int16_t>(p, n, lo, hi) : ints_within<uint16_t>(p, n, lo, hi);
    case 4: return sgn ? ints_within<int32_t>(p, n, lo, hi) : ints_within<uint32_t>(p, n, lo, hi);
    case 8: return sgn ? ints_within<int64_t>(p, n, lo, hi) : ints_within<uint64_t>(p, n, lo, hi);
    default: return false;
  }
}

bool elements_fit(PyArrayObject* arr, Ty ty, const char* what) {
  const int tn = typenum(ty);
  const int from = PyArray_TYPE(arr);
  if (!PyTypeNum_ISNUMBER(from) || PyTypeNum_ISBOOL(from) || PyArray_EquivTypenums(from, tn)) return true;
  if (PyTypeNum_ISINTEGER(from) && ints_fit_in_place(arr, tn)) return true;
  PyArray_Descr* to = PyArray_DescrFromType(tn);
  const bool safe = PyArray_CanCastTypeTo(PyArray_DESCR(arr), to, NPY_SAFE_CASTING);
  Py_DECREF(to);
  if (safe) return true;
  // As reals (an element that does not fit is named from here): exact for every integer within the limits, and on the same
  // side of them for every other.
  const bool cplx = PyTypeNum_ISCOMPLEX(from);
  PyArrayObject* r = reinterpret_cast<PyArrayObject*>(
      PyArray_FromAny(reinterpret_cast<PyObject*>(arr), PyArray_DescrFromType(cplx ? NPY_CDOUBLE : NPY_DOUBLE), 0, 0,
                      NPY_ARRAY_CARRAY_RO | NPY_ARRAY_FORCECAST, nullptr));
  if (!r) {
    conversion_refused(ty, what);
    return false;
  }
  const double hi = tn == NPY_INT8 ? 128.0 : 2147483648.0;  // the cast truncates toward zero
  const double* p = static_cast<const double*>(PyArray_DATA(r));
  const npy_intp n = PyArray_SIZE(r), step = cplx ? 2 : 1;
  for (npy_intp k = 0; k < n; ++k) {
    const double v = p[k * step];
    if (v > -hi - 1.0 && v < hi) continue;
    Py_DECREF(r);
    // The element as the caller wrote it (an integer stays an integer).
    npy_intp at[NPY_MAXDIMS], flat = k;
    for (int d = PyArray_NDIM(arr) - 1; d >= 0; --d) {
      at[d] = flat % PyArray_DIM(arr, d);
      flat /= PyArray_DIM(arr, d);
    }
    PyObject* x = cplx ? PyFloat_FromDouble(v) : PyArray_GETITEM(arr, static_cast<const char*>(PyArray_GetPtr(arr, at)));
    if (x) {
      PyErr_Format(std::isnan(v) ? vx_value_error : vx_overflow_error, "%s: element %R has no %s value", what, x,
                   ty == Ty::l1 ? "8-bit integer" : "32-bit integer");
      Py_DECREF(x);
    }
    return false;
  }
  Py_DECREF(r);
  return true;
}

// Why an array cannot be written in place as the argument, or null when it
// can: the routine writes the caller's own storage, so nothing may be
// converted on the way. type_ok is false for anything that is no array.
const char* not_in_place(PyArrayObject* arr, bool type_ok) {
  if (!type_ok) return "of another type";
  if (!PyArray_ISWRITEABLE(arr)) return "read-only";
  if (!PyArray_ISALIGNED(arr) || PyArray_ISBYTESWAPPED(arr)) return "not aligned in native byte order";
  if (!PyArray_IS_F_CONTIGUOUS(arr) && !(PyArray_NDIM(arr) <= 1 && PyArray_IS_C_CONTIGUOUS(arr)))
    return "not Fortran-contiguous";
  return nullptr;
}

// An in/out argument (intent inout): the caller's array itself. Anything
// else is a wrong kind of object (TypeError); an array that cannot be written
// in place is a wrong value (ValueError).
PyArrayObject* inout_array(PyObject* o, bool type_ok, const char* type, const char* what) {
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
  const char* why = not_in_place(arr, type_ok);
  if (!why) {
    Py_INCREF(o);
    return arr;
  }
  if (!PyArray_Check(o)) {
    PyErr_Format(vx_type_error, "%s: an in/out argument must be an array of type %s, got %s", what, type,
                 Py_TYPE(o)->tp_name);
    return nullptr;
  }
  PyErr_Format(vx_value_error, "%s: the in/out array (%S) is %s, expected a writeable Fortran-contiguous array "
               "of type %s", what, reinterpret_cast<PyObject*>(PyArray_DESCR(arr)), why, type);
  return nullptr;
}

// An array of texts: a sequence of str/bytes or a bytes array, held as a
// column-major array of fixed-length elements, blank-padded (numpy pads
// with NULs). In place (inout) it must already be such an array.
PyArrayObject* to_text_array(PyObject* o, Mode mode, int64_t L, const char* what) {
  if (mode == Mode::strict) {
    PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
    const bool type_ok = PyArray_Check(o) && PyArray_TYPE(arr) == NPY_STRING && (L < 0 || PyArray_ITEMSIZE(arr) == L);
    char type[24] = "S";
    if (L >= 0) std::snprintf(type, sizeof type, "S%lld", static_cast<long long>(L));
    return inout_array(o, type_ok, type, what);
  }
  PyArray_Descr* d = L < 0 ? PyArray_DescrFromType(NPY_STRING) : text_descr(L);
  if (!d) return nullptr;
  if (L < 0 && PyArray_Check(o) && PyArray_TYPE(reinterpret_cast<PyArrayObject*>(o)) == NPY_STRING) {
    Py_DECREF(d);
    d = PyArray_DESCR(reinterpret_cast<PyArrayObject*>(o));
    Py_INCREF(d);
  }
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(PyArray_FromAny(
      o, d, 0, 0, NPY_ARRAY_F_CONTIGUOUS | NPY_ARRAY_ALIGNED | NPY_ARRAY_FORCECAST | NPY_ARRAY_ENSURECOPY, nullptr));
  if (!arr || PyArray_TYPE(arr) != NPY_STRING) {
    Py_XDECREF(arr);
    PyObject *t, *v, *tb;
    PyErr_Fetch(&t, &v, &tb);
    PyErr_Format(vx_value_error, "%s: cannot convert to an array of texts", what);
    Py_XDECREF(t);
    Py_XDECREF(v);
    Py_XDECREF(tb);
    return nullptr;
  }
  char* b = static_cast<char*>(PyArray_DATA(arr));
  for (npy_intp k = 0, n = PyArray_NBYTES(arr); k < n; ++k)
    if (b[k] == '\0') b[k] = ' ';
  return arr;
}

// The given value as an array of the row's type, in the caller's shape (the
// rank is fixed by the caller of this function).
PyArrayObject* to_array(PyObject* o, const ArgDesc& a, Mode mode, const char* what) {
  if (o == Py_None) {
    PyErr_Format(vx_type_error, "%s: expected an array, got None", what);
    return nullptr;
  }
  const int tn = typenum(a.ty);
  if (mode == Mode::strict) {
    PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
    const bool type_ok = PyArray_Check(o) && PyArray_EquivTypenums(PyArray_DESCR(arr)->type_num, tn) &&
                         (a.ty != Ty::s1 || PyDataType_ELSIZE(PyArray_DESCR(arr)) == 1);
    return inout_array(o, type_ok, type_label(a.ty), what);
  }
  if ((mode == Mode::in || mode == Mode::in_writable) && a.ty != Ty::s1 && PyArray_CheckExact(o)) {
    // An input that already has the declared type, rank and layout is used as
    // it is: the per-point routines are called with such arrays.
    PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
    if (PyArray_TYPE(arr) == tn && PyArray_ISALIGNED(arr) && !PyArray_ISBYTESWAPPED(arr) &&
        a.rank >= 1 && PyArray_NDIM(arr) == a.rank && PyArray_IS_F_CONTIGUOUS(arr) &&
        (mode == Mode::in || PyArray_ISWRITEABLE(arr))) {
      Py_INCREF(o);
      return arr;
    }
  }
  if (a.ty == Ty::s1 && (PyBytes_Check(o) || PyUnicode_Check(o))) return s1_from_text(o, what);
  if (integer_type(a.ty) && PyArray_Check(o) && !elements_fit(reinterpret_cast<PyArrayObject*>(o), a.ty, what))
    return nullptr;
  int flags = NPY_ARRAY_F_CONTIGUOUS | NPY_ARRAY_ALIGNED | NPY_ARRAY_FORCECAST;
  if (mode == Mode::copy) flags |= NPY_ARRAY_ENSURECOPY | NPY_ARRAY_WRITEABLE;
  if (mode == Mode::overwrite || mode == Mode::in_writable) flags |= NPY_ARRAY_WRITEABLE;
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(PyArray_FromAny(o, descr_of(a.ty), 0, 0, flags, nullptr));
  if (!arr) {
    conversion_refused(a.ty, what);
    return nullptr;
  }
  if (PyArray_TYPE(arr) == NPY_OBJECT) {
    Py_DECREF(arr);
    PyErr_Format(vx_type_error, "%s: cannot convert to an array of the declared type", what);
    return nullptr;
  }
  return arr;
}

// A value as a Fortran-ordered array of type ty, of any shape (a call-back's
// output, a datum): refused as the arguments are.
PyArrayObject* data_array(PyObject* o, Ty ty, const char* what) {
  if (integer_type(ty) && PyArray_Check(o) && !elements_fit(reinterpret_cast<PyArrayObject*>(o), ty, what))
    return nullptr;
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(PyArray_FromAny(
      o, descr_of(ty), 0, 0, NPY_ARRAY_F_CONTIGUOUS | NPY_ARRAY_ALIGNED | NPY_ARRAY_FORCECAST, nullptr));
  if (!arr) conversion_refused(ty, what);
  return arr;
}

// An array the call makes, zero-filled (texts blank); d from made_extents.
PyArrayObject* new_array(const ArgDesc& a, const npy_intp* d, int64_t textlen) {
  PyArray_Descr* descr = a.ty == Ty::str ? text_descr(textlen) : descr_of(a.ty);
  if (!descr) return nullptr;
  PyArrayObject* r = reinterpret_cast<PyArrayObject*>(
      PyArray_NewFromDescr(&PyArray_Type, descr, a.rank, d, nullptr, nullptr, NPY_ARRAY_F_CONTIGUOUS, nullptr));
  if (!r) conversion_refused(a.ty, a.what.c_str());  // no memory for it
  if (r) std::memset(PyArray_DATA(r), a.ty == Ty::str ? ' ' : 0, static_cast<size_t>(PyArray_NBYTES(r)));
  return r;
}

// ------------------------------------------------------------- call-backs

struct CbFrame {
  const CallbackDef* def;
  const CbDesc* desc;
  PyObject* func;
  PyObject* extra;
  int takes;  // positional parameters of the Python function; -1: any number
  bool failed;
  PyObject *et, *ev, *etb;
  Scalar ret;
  CbFrame* prev;
};
thread_local CbFrame* cb_top = nullptr;

// A call-back's extents see its scalar arguments; its arrays have no extent.
struct CbEnv : ConstEnv {
  const CbDesc* desc;
  void** p;
  int64_t value(int a) const override {
    const ArgDesc& s = desc->args[a];
    return s.rank ? 0 : int_value(s.ty, p[a]);
  }
};

// How many positional arguments a Python call-back takes, as f2py counts
// them (defaults included, keyword-only ones not): a function's own, a bound
// method's or a callable object's __call__ less the one bound to it. -1: any
// number, for *args (which f2py would hand none) and for what has no code
// to look at (a builtin, a partial).
int accepted_args(PyObject* f) {
  PyObject* call = nullptr;
  if (!PyFunction_Check(f) && !PyMethod_Check(f) && !PyType_Check(f)) {
    if ((call = PyObject_GetAttrString(f, "__call__"))) f = call;
    else PyErr_Clear();
  }
  PyObject* fn = f;
  int bound = 0;
  if (PyMethod_Check(f)) {
    fn = PyMethod_GET_FUNCTION(f);
    bound = 1;
  }
  int n = -1;
  if (PyFunction_Check(fn)) {
    const PyCodeObject* code = reinterpret_cast<PyCodeObject*>(PyFunction_GET_CODE(fn));
    if (!(code->co_flags & CO_VARARGS)) n = std::max(code->co_argcount - bound, 0);
  }
  Py_XDECREF(call);
  return n;
}

// Copies an array returned by a Python call-back into the native output it
// stands for; it must hold exactly as many values as the output.
bool store_cb_array(PyObject* o, const ArgDesc& a, void* dst, const ExprEnv& env) {
  int64_t n = 1;
  for (int j = 0; j < a.rank; ++j) {
    int64_t v = a.dims[j].empty() ? 1 : eval_expr(a.dims[j], env);
    n *= v < 0 ? 0 : v;
  }
  PyArrayObject* arr = data_array(o, a.ty, a.what.c_str());
  if (!arr) return false;
  if (PyArray_SIZE(arr) != n) {
    PyErr_Format(vx_value_error, "%s takes %lld values, the function returned %zd", a.what.c_str(),
                 static_cast<long long>(n), static_cast<Py_ssize_t>(PyArray_SIZE(arr)));
    Py_DECREF(arr);
    return false;
  }
  std::memmove(dst, PyArray_DATA(arr), static_cast<size_t>(PyArray_NBYTES(arr)));
  Py_DECREF(arr);
  return true;
}

}  // namespace

void* callback_dispatch(const CallbackDef* d, void** p) {
  CbFrame* fr = cb_top;
  while (fr && fr->def != d) fr = fr->prev;
  static thread_local Scalar dummy;
  if (!fr) return &dummy;
  fr->ret = Scalar{};
  if (fr->failed) return &fr->ret;
  const CbDesc* desc = fr->desc;
  // A call-back with a function result has it as its first row argument.
  void* q[kMaxArgs + 1];
  if (desc->has_ret) {
    q[0] = &fr->ret;
    for (size_t i = 1; i < desc->args.size() && i <= kMaxArgs; ++i) q[i] = p[i - 1];
    p = q;
  }
  Py_ssize_t nextra = fr->extra ? PyTuple_GET_SIZE(fr->extra) : 0;
  // The arguments the function takes, as f2py hands them: the extra ones
  // last, and before them as many of the routine's, required ones first, as
  // its parameters leave room for.
  int pass[kMaxArgs];
  int npass = 0;
  for (int ix : desc->py_required) pass[npass++] = ix;
  for (int ix : desc->py_optional) pass[npass++] = ix;
  if (fr->takes >= 0) {
    const Py_ssize_t room = std::min<Py_ssize_t>(npass + nextra, fr->takes);
    npass = static_cast<int>(std::max<Py_ssize_t>(room - nextra, 0));
    nextra = room - npass;
  }
  PyObject* args = PyTuple_New(npass + nextra);
  CbEnv env;
  env.desc = desc;
  env.p = p;
  bool ok = args != nullptr;
  for (int k = 0; ok && k < npass; ++k) {
    const ArgDesc& a = desc->args[pass[k]];
    PyObject* item;
    if (a.rank == 0) {
      item = scalar_to_py(a.ty, p[pass[k]]);
    } else {
      npy_intp dims[7];
      for (int j = 0; j < a.rank; ++j) {
        int64_t v = a.dims[j].empty() ? 1 : eval_expr(a.dims[j], env);
        dims[j] = v < 0 ? 0 : v;
      }
      // What the call-back only reads is handed over read-only.
      const int flags = a.intent == Intent::in ? NPY_ARRAY_F_CONTIGUOUS | NPY_ARRAY_ALIGNED : NPY_ARRAY_FARRAY;
      item = PyArray_New(&PyArray_Type, a.rank, dims, typenum(a.ty), nullptr, p[pass[k]], 0, flags, nullptr);
    }
    if (!item) ok = false;
    else PyTuple_SET_ITEM(args, k, item);
  }
  for (Py_ssize_t k = 0; ok && k < nextra; ++k) {
    PyObject* e = PyTuple_GET_ITEM(fr->extra, k);
    Py_INCREF(e);
    PyTuple_SET_ITEM(args, npass + k, e);
  }
  PyObject* res = ok ? PyObject_Call(fr->func, args, nullptr) : nullptr;
  Py_XDECREF(args);
  if (res && res != Py_None) {
    // The call-back's results go to its outputs, in order; a value beyond
    // them would be lost.
    PyObject* seq = PyTuple_Check(res) ? (Py_INCREF(res), res) : PyTuple_Pack(1, res);
    if (!seq) ok = false;
    if (ok && PyTuple_GET_SIZE(seq) > static_cast<Py_ssize_t>(desc->outs.size())) {
      PyErr_Format(vx_value_error, "call-back %s: the function returned %zd values, the routine reads %zd",
                   desc->def->name, PyTuple_GET_SIZE(seq), static_cast<Py_ssize_t>(desc->outs.size()));
      ok = false;
    }
    for (Py_ssize_t k = 0; ok && k < PyTuple_GET_SIZE(seq) && k < static_cast<Py_ssize_t>(desc->outs.size()); ++k) {
      const ArgDesc& a = desc->args[desc->outs[k]];
      PyObject* item = PyTuple_GET_ITEM(seq, k);
      if (a.rank == 0) ok = store_scalar(item, a.ty, p[desc->outs[k]], a.what.c_str());
      else if (item != Py_None) ok = store_cb_array(item, a, p[desc->outs[k]], env);
    }
    Py_XDECREF(seq);
  }
  if (!res || !ok) {
    fr->failed = true;
    PyErr_Fetch(&fr->et, &fr->ev, &fr->etb);
  }
  Py_XDECREF(res);
  return &fr->ret;
}

namespace {

// ------------------------------------------------------ steps of every path
//
// Three paths call a routine: the general one (any value), the direct one
// (scalars only) and the array one (values already in their declared form).
// They differ in what they accept, not in what they do with it: each step
// below has this one definition, and a path that cannot take a value hands
// the call to the general path before anything is visible.

// The default of an absent scalar; eval gives the value of an integer
// expression. False when an integer default does not fit in 32 bits.
template <class Eval>
inline bool default_scalar(const ArgDesc& a, Eval&& eval, Scalar& v, int64_t& ival) {
  double rv;
  if (real_default(a.dflt, rv)) {
    if (a.ty == Ty::f4) v.f = static_cast<float>(rv);
    else if (a.ty == Ty::c16) v.c[0] = rv, v.c[1] = 0.0;
    else v.d = rv;
    return true;
  }
  const int64_t x = eval(a.dflt);
  ival = x;
  switch (a.ty) {
    case Ty::f8: v.d = static_cast<double>(x); break;
    case Ty::f4: v.f = static_cast<float>(x); break;
    case Ty::c16: v.c[0] = static_cast<double>(x); v.c[1] = 0.0; break;
    case Ty::l1: v.b = x != 0; ival = x != 0; break;
    case Ty::l4: v.i = x != 0; ival = x != 0; break;
    default:
      if (x < INT32_MIN || x > INT32_MAX) return false;
      v.i = static_cast<int32_t>(x);
  }
  return true;
}

// The first check of an argument that fails, or null.
template <class Eval>
inline const Expr* failed_check(const ArgDesc& a, Eval&& eval) {
  for (const Expr& e : a.checks)
    if (!eval(e)) return &e;
  return nullptr;
}

// The first axis whose extent differs from the one the row fixes, or -1.
inline int wrong_axis(const ArgDesc& a, PyArrayObject* x) {
  const int n = static_cast<int>(a.fixed.size());
  for (int k = 0; k < n; ++k)
    if (a.fixed[k] >= 0 && PyArray_DIM(x, k) != a.fixed[k]) return k;
  return -1;
}

// The first axis of a given array whose extent the row computes from other
// arguments and the array does not have, or -1; want is the computed extent.
// A negative extent is no extent any array has, as in f2py; an axis of
// length 1 stands for an empty one. With the fixed extents and the open ones
// ('*') the array's own, no extent then makes a routine read past an array.
template <class Eval>
inline int wrong_extent(const ArgDesc& a, PyArrayObject* x, Eval&& eval, int64_t& want) {
  const bool any_fixed = !a.fixed.empty();
  for (int k = 0; k < a.rank; ++k) {
    if (a.dims[k].empty() || (any_fixed && a.fixed[k] >= 0)) continue;
    const int64_t e = eval(a.dims[k]);
    const npy_intp d = PyArray_DIM(x, k);
    if (d != e && !(e == 0 && d == 1)) {
      want = e;
      return k;
    }
  }
  return -1;
}

// The extents of an array the call makes: the first axis whose extent is
// negative (an array no routine can be handed), -2 when they are far beyond
// any use of these routines, which is refused rather than left to exhaust
// the machine, and -1 when they are fine.
template <class Eval>
inline int made_extents(const ArgDesc& a, Eval&& eval, npy_intp* d) {
  int64_t total = 1;
  for (int k = 0; k < a.rank; ++k) {
    const int64_t x = eval(a.dims[k]);
    if (x < 0) return k;
    d[k] = x;
    if (__builtin_mul_overflow(total, x, &total) || total > (int64_t(1) << 29)) return -2;
  }
  return -1;
}

// A negative extent, of a given array or of one the call makes.
bool negative_extent(const ArgDesc& a, int k, int64_t e) {
  PyErr_Format(vx_value_error, "%s: axis %d has the negative extent %lld (%s)", a.what.c_str(), k,
               static_cast<long long>(e), a.dims[k].src.c_str());
  return false;
}

// The results: none as None, one bare, more as a tuple; one(i) boxes the
// native argument i.
template <class One>
inline PyObject* box_results(const Routine& r, One&& one) {
  if (r.nresults == 0) Py_RETURN_NONE;
  if (r.nresults == 1) return one(r.results[0]);
  PyObject* t = PyTuple_New(r.nresults);
  for (int k = 0; t && k < r.nresults; ++k) {
    PyObject* it = one(r.results[k]);
    if (!it) {
      Py_CLEAR(t);
      break;
    }
    PyTuple_SET_ITEM(t, k, it);
  }
  return t;
}

// ------------------------------------------------------------------ call
//
// One call runs through the phases below over a Call, which lives on the
// stack; each phase returns false with a Python exception set, and the Call's
// destructor releases what the phases took. The phases read the rows through
// a local pointer, which stays in a register across the calls into Python and
// numpy (a member of the Call would be read again after each).

constexpr int kMaxFrames = 4;

struct Call {
  const Routine& r;
  const char* pyname;
  int npy, nn;
  PyObject* pv[kMaxArgs];  // Python values by Python position (borrowed)
  Slot sl[kMaxArgs];       // one per native argument of the row
  vx_view views[kMaxViews];
  int nviews = 0;
  CbFrame frames[kMaxFrames];
  int nframes = 0;
  int nwrite_back = 0;  // in/out scalars to be written back through a cast
  CallEnv env;
  Scalar ret;

  explicit Call(const Routine& rr)
      : r(rr), pyname(rr.pyname.c_str()), npy(static_cast<int>(rr.pynames.size())),
        nn(static_cast<int>(rr.args.size())), env(sl) {
    std::memset(pv, 0, sizeof(PyObject*) * static_cast<size_t>(npy));
    std::memset(sl, 0, sizeof(Slot) * static_cast<size_t>(nn));
  }
  ~Call() {
    for (int i = 0; i < nn; ++i) {
      Py_XDECREF(sl[i].arr);
      Py_XDECREF(sl[i].text);
      Py_XDECREF(sl[i].caller);
    }
  }
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;
};

// Positional and keyword arguments to Python positions.
bool match_arguments(Call& c, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  const Routine& r = c.r;
  if (nargs > c.npy) {
    PyErr_Format(vx_type_error, "%s() takes at most %d arguments (%zd given)", c.pyname, c.npy, nargs);
    return false;
  }
  for (Py_ssize_t k = 0; k < nargs; ++k) c.pv[k] = args[k];
  const Py_ssize_t nk = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
  for (Py_ssize_t j = 0; j < nk; ++j) {
    PyObject* key = PyTuple_GET_ITEM(kwnames, j);
    int pos = -1;
    for (int k = 0; k < c.npy && pos < 0; ++k)
      if (PyTuple_GET_ITEM(r.kwnames, k) == key) pos = k;
    for (int k = 0; k < c.npy && pos < 0; ++k)
      if (PyUnicode_Compare(PyTuple_GET_ITEM(r.kwnames, k), key) == 0) pos = k;
    if (pos < 0) {
      PyErr_Format(vx_type_error, "%s() got an unexpected keyword argument '%U'", c.pyname, key);
      return false;
    }
    if (c.pv[pos]) {
      PyErr_Format(vx_type_error, "%s() got multiple values for argument '%U'", c.pyname, key);
      return false;
    }
    c.pv[pos] = args[nargs + j];
  }
  // None for an optional argument means absent: its default is used.
  for (int k = r.nrequired; k < c.npy; ++k)
    if (c.pv[k] == Py_None) c.pv[k] = nullptr;
  for (int k = 0; k < r.nrequired; ++k)
    if (!c.pv[k]) {
      PyErr_Format(vx_type_error, "%s() missing required argument '%s' (pos %d)", c.pyname, r.pynames[k].c_str(),
                   k + 1);
      return false;
    }
  return true;
}

// A call-back: a capsule or routine of the module is called natively, a
// Python function through the trampoline of the row's declaration.
bool given_callback(Call& c, const ArgDesc& a, Slot& s, PyObject* o) {
  if (PyCapsule_CheckExact(o)) {
    s.ptr = PyCapsule_GetPointer(o, PyCapsule_GetName(o));
    return s.ptr != nullptr;
  }
  if ((s.ptr = routine_pointer(o)) != nullptr) return true;
  if (!PyCallable_Check(o)) {
    PyErr_Format(vx_type_error, "%s: expected a function or a capsule, got %s", a.what.c_str(), Py_TYPE(o)->tp_name);
    return false;
  }
  if (c.nframes >= kMaxFrames) {
    PyErr_SetString(vx_error, "too many call-backs");
    return false;
  }
  PyObject* extra = a.extra_pos >= 0 ? c.pv[a.extra_pos] : nullptr;
  if (extra && !PyTuple_Check(extra)) {
    PyErr_Format(vx_type_error, "%s: %s_extra_args must be a tuple", c.pyname, a.name.c_str());
    return false;
  }
  c.frames[c.nframes++] = CbFrame{a.cb, a.cbdesc, o, extra, accepted_args(o), false, nullptr, nullptr, nullptr, {}, nullptr};
  s.ptr = a.cb->trampoline;
  return true;
}

// A text: its characters as given; texts of fixed length, or that the routine
// may write, are copied into storage of their own once the scalars are known.
bool given_text(const ArgDesc& a, Slot& s, PyObject* o) {
  const char* p;
  Py_ssize_t n;
  PyObject* hold;
  if (!text_of(o, p, n, hold, a.what.c_str())) return false;
  if (!hold) Py_INCREF(o);
  s.text = hold ? hold : o;
  s.ptr = const_cast<char*>(p);
  s.tlen = static_cast<size_t>(n);
  // Expressions see a text as the code of its first character, upper-cased:
  // a flag, in either case.
  s.ival = n > 0 ? static_cast<unsigned char>(p[0] >= 'a' && p[0] <= 'z' ? p[0] - 'a' + 'A' : p[0]) : 0;
  s.known = true;
  return true;
}

bool given_scalar(const ArgDesc& a, Slot& s, PyObject* o) {
  if (!store_scalar(o, a.ty, &s.v, a.what.c_str())) return false;
  s.ival = int_value(a.ty, &s.v);
  s.known = true;
  s.ptr = &s.v;
  return true;
}

// Whether a result of type ty goes into an array of type d without changing
// its kind (a real into a real or complex array, an integer into an integer,
// real or complex one, a logical also into a boolean one).
bool takes_result(Ty ty, PyArray_Descr* d) {
  if (!PyTypeNum_ISNUMBER(d->type_num)) return false;
  PyArray_Descr* from = PyArray_DescrFromType(typenum(ty));
  const bool ok = PyArray_CanCastTypeTo(from, d, NPY_SAME_KIND_CASTING);
  Py_DECREF(from);
  if (ok || (ty != Ty::l1 && ty != Ty::l4)) return ok;
  return d->type_num == NPY_BOOL || PyTypeNum_ISINTEGER(d->type_num);
}

// An in/out scalar: a number is read and nothing goes back; an array is
// written back, in place when it has the declared type, else by a cast once
// the routine has run.
bool given_inout_scalar(Call& c, const ArgDesc& a, Slot& s, PyObject* o) {
  if (!PyArray_Check(o)) return given_scalar(a, s, o);
  if (complex_0d_refused(o, a.ty, a.what.c_str())) return false;  // before anything is written
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
  if (PyArray_SIZE(arr) > 1) {
    // Only one of the values could come back.
    PyErr_Format(vx_value_error, "%s: the in/out array (%S) holds %zd values, expected one", a.what.c_str(),
                 reinterpret_cast<PyObject*>(PyArray_DESCR(arr)), static_cast<Py_ssize_t>(PyArray_SIZE(arr)));
    return false;
  }
  const bool own_type = PyArray_EquivTypenums(PyArray_TYPE(arr), typenum(a.ty));
  const char* why = PyArray_SIZE(arr) < 1 ? "empty" : !PyArray_ISWRITEABLE(arr) ? "read-only"
                  : !own_type && !takes_result(a.ty, PyArray_DESCR(arr)) ? "of a type that cannot take the result"
                  : nullptr;
  if (why) {
    PyErr_Format(vx_value_error, "%s: the in/out array (%S) is %s, expected a writeable array of type %s",
                 a.what.c_str(), reinterpret_cast<PyObject*>(PyArray_DESCR(arr)), why, type_label(a.ty));
    return false;
  }
  if (own_type && PyArray_ISALIGNED(arr) && !PyArray_ISBYTESWAPPED(arr)) {
    Py_INCREF(o);
    s.arr = arr;
    s.ptr = PyArray_DATA(arr);
    s.ival = int_value(a.ty, s.ptr);
    s.known = true;
    return true;
  }
  PyObject* v = PyArray_GETITEM(arr, static_cast<const char*>(PyArray_DATA(arr)));
  if (!v) return false;
  const bool ok = given_scalar(a, s, v);
  Py_DECREF(v);
  if (!ok) return false;
  Py_INCREF(o);
  s.caller = arr;
  ++c.nwrite_back;
  return true;
}

// Every extent the row gives as a number is the extent the array must have.
bool fixed_extents(const ArgDesc& a, PyArrayObject* arr) {
  const int k = wrong_axis(a, arr);
  if (k < 0) return true;
  PyErr_Format(vx_value_error, "%s: axis %d has extent %zd, expected %lld", a.what.c_str(), k,
               static_cast<Py_ssize_t>(PyArray_DIM(arr, k)), static_cast<long long>(a.fixed[k]));
  return false;
}

bool given_array(Call& c, const ArgDesc& a, Slot& s, PyObject* o) {
  const char* what = a.what.c_str();
  Mode mode = c.r.has_callback ? Mode::in_writable : Mode::in;
  if (a.intent == Intent::inout) {
    mode = Mode::strict;
  } else if (a.ty == Ty::str) {
    mode = Mode::copy;
  } else if (a.intent == Intent::io || a.intent == Intent::out) {
    long long ow = 0;
    if (a.overwrite_pos >= 0 && c.pv[a.overwrite_pos] && !to_long(c.pv[a.overwrite_pos], what, ow)) return false;
    mode = ow ? Mode::overwrite : Mode::copy;
  }
  // The length of texts is a constant or taken from the array.
  PyArrayObject* given = a.ty == Ty::str ? to_text_array(o, mode, a.str_star ? -1 : a.strlen.code[0].val, what)
                                         : to_array(o, a, mode, what);
  if (!given) return false;
  if (PyArray_NDIM(given) == a.rank || a.rank == 0) {
    s.arr = given;
  } else {
    s.arr = ranked(given, a.rank, what);
    // What the routine changes goes back in the shape the caller gave.
    if (s.arr && a.intent != Intent::in) s.caller = given;
    else Py_DECREF(given);
  }
  if (!s.arr || !fixed_extents(a, s.arr)) return false;
  s.ptr = PyArray_DATA(s.arr);
  if (a.ty == Ty::str) {
    s.tlen = static_cast<size_t>(PyArray_ITEMSIZE(s.arr));
  } else if (a.rank == 0) {
    if (PyArray_SIZE(s.arr) < 1) {
      PyErr_Format(vx_value_error, "%s: expected a value, got an empty array", what);
      return false;
    }
    s.known = true;
  }
  return true;
}

// Phase 1: the values given from Python.
bool convert_given(Call& c) {
  const ArgDesc* const args = c.r.args.data();
  for (int i = 0; i < c.nn; ++i) {
    const ArgDesc& a = args[i];
    Slot& s = c.sl[i];
    if (a.pypos < 0 || !c.pv[a.pypos]) continue;
    PyObject* o = c.pv[a.pypos];
    s.obj = o;
    s.present = true;
    bool ok;
    if (a.ty == Ty::cb) ok = given_callback(c, a, s, o);
    else if (a.ty == Ty::str && a.rank == 0) ok = given_text(a, s, o);
    else if (a.rank == 0 && a.ty != Ty::s1 && a.intent != Intent::inout) ok = given_scalar(a, s, o);
    else if (a.rank == 0 && a.ty != Ty::s1) ok = given_inout_scalar(c, a, s, o);
    else ok = given_array(c, a, s, o);
    if (!ok) return false;
  }
  for (int k = 0; k < c.npy; ++k)
    if (c.r.pyarg_of[k] < 0 && c.pv[k] && c.r.pynames[k].rfind("overwrite_", 0) == 0) {
      long long ow;
      if (!to_long(c.pv[k], c.r.pynames[k].c_str(), ow)) return false;
    }
  return true;
}

// Phase 2: defaults of the absent scalars, in dependency order.
bool fill_defaults(Call& c) {
  const ArgDesc* const args = c.r.args.data();
  auto eval = [&](const Expr& e) { return eval_expr(e, c.env); };
  for (int i : c.r.scalar_order) {
    const ArgDesc& a = args[i];
    Slot& s = c.sl[i];
    if (s.present) continue;
    if (!default_scalar(a, eval, s.v, s.ival)) {
      PyErr_Format(vx_overflow_error, "%s: default of %s out of range: %s", c.pyname, a.name.c_str(),
                   a.dflt.src.c_str());
      return false;
    }
    s.ptr = &s.v;
    s.known = true;
  }
  return true;
}

// A negative extent of an array given or to be made (f2py makes none), set
// as the error of a failed check that meets one: a negative extent is a
// ValueError however its row checks it. False when there is none.
bool negative_extent_found(Call& c) {
  const ArgDesc* const args = c.r.args.data();
  for (int i = 0; i < c.nn; ++i) {
    const ArgDesc& a = args[i];
    if (a.rank == 0 || a.ty == Ty::cb || a.ty == Ty::view_f8 || a.ty == Ty::view_i4) continue;
    const bool made = a.intent == Intent::out || a.intent == Intent::ret || (!c.sl[i].present && a.has_default);
    if (!c.sl[i].arr && !made) continue;
    for (int k = 0; k < a.rank; ++k) {
      if (a.dims[k].empty()) continue;
      const int64_t e = eval_expr(a.dims[k], c.env);
      if (e < 0) return !negative_extent(a, k, e);
    }
  }
  return false;
}

// Phase 3: the rows' checks, explicit and inferred.
bool run_checks(Call& c) {
  const ArgDesc* const args = c.r.args.data();
  auto eval = [&](const Expr& e) { return eval_expr(e, c.env); };
  for (int i = 0; i < c.nn; ++i) {
    const ArgDesc& a = args[i];
    if (!c.sl[i].present && !c.sl[i].known) continue;
    if (const Expr* e = failed_check(a, eval)) {
      if (negative_extent_found(c)) return false;
      // A check on an array's extent refuses a size: a ValueError as well.
      PyErr_Format(e->extents ? vx_value_error : vx_error, "(%s) failed for argument %s: %s:%s=%lld", e->src.c_str(),
                   a.name.c_str(), c.pyname, a.name.c_str(), static_cast<long long>(c.sl[i].ival));
      return false;
    }
  }
  return true;
}

// Fills an absent optional array with its default value.
void fill_default_array(Call& c, const ArgDesc& a, Slot& s) {
  double rv;
  int64_t iv = 0;
  if (!real_default(a.dflt, rv)) iv = eval_expr(a.dflt, c.env), rv = static_cast<double>(iv);
  const npy_intp n = PyArray_SIZE(s.arr);
  for (npy_intp k = 0; k < n; ++k) {
    switch (a.ty) {
      case Ty::f8: static_cast<double*>(s.ptr)[k] = rv; break;
      case Ty::f4: static_cast<float*>(s.ptr)[k] = static_cast<float>(rv); break;
      case Ty::c16: static_cast<double*>(s.ptr)[2 * k] = rv; break;
      case Ty::l1: static_cast<int8_t*>(s.ptr)[k] = rv != 0; break;
      case Ty::s1: static_cast<char*>(s.ptr)[k] = ' '; break;
      case Ty::str: break;  // made blank
      default: static_cast<int32_t*>(s.ptr)[k] = static_cast<int32_t>(iv); break;
    }
  }
}

// Phase 4: arrays. Given ones must hold what their extents ask for; outputs
// and absent optional arrays with a default are made, but only once every
// given array passed, so that a wrong extent never costs a large allocation.
bool prepare_arrays(Call& c) {
  const ArgDesc* const args = c.r.args.data();
  auto eval = [&](const Expr& e) { return eval_expr(e, c.env); };
  for (int pass = 0; pass < 2; ++pass)
  for (int i = 0; i < c.nn; ++i) {
    const ArgDesc& a = args[i];
    Slot& s = c.sl[i];
    if (a.rank == 0 || a.ty == Ty::cb) continue;
    if ((pass == 0) != (s.arr != nullptr)) continue;
    if (s.arr) {
      if (a.ty == Ty::view_f8 || a.ty == Ty::view_i4) continue;
      int64_t want;
      const int k = wrong_extent(a, s.arr, eval, want);
      if (k >= 0 && want < 0) return negative_extent(a, k, want);
      if (k >= 0) {
        PyErr_Format(vx_value_error, "%s: axis %d has extent %zd, expected %lld (%s)", a.what.c_str(), k,
                     static_cast<Py_ssize_t>(PyArray_DIM(s.arr, k)), static_cast<long long>(want),
                     a.dims[k].src.c_str());
        return false;
      }
      continue;
    }
    bool open = false;
    for (int k = 0; k < a.rank; ++k) open |= a.dims[k].empty();
    const bool output = a.intent == Intent::out || a.intent == Intent::ret;
    if (open) {
      if (!output) continue;  // absent optional array of open extent: null
      PyErr_Format(PyExc_SystemError, "%s: output %s has an open extent", c.pyname, a.name.c_str());
      return false;
    }
    if (!output && !(!s.present && a.has_default)) continue;
    npy_intp dims[7];
    const int bad = made_extents(a, eval, dims);
    if (bad >= 0) return negative_extent(a, bad, eval(a.dims[bad]));
    if (bad == -2) {
      PyErr_Format(vx_value_error, "%s: extents of %s too large", c.pyname, a.name.c_str());
      return false;
    }
    const int64_t L = a.ty == Ty::str ? (a.str_star ? 1 : a.strlen.code[0].val) : 0;
    s.arr = new_array(a, dims, L);
    if (!s.arr) return false;
    s.tlen = static_cast<size_t>(L);
    s.ptr = PyArray_DATA(s.arr);
    if (!output) fill_default_array(c, a, s);
  }
  return true;
}

// A text the routine may write, or of fixed length: storage of its own, the
// given characters cut or blank-padded to the length.
bool own_text(Call& c, const ArgDesc& a, Slot& s) {
  int64_t L = a.str_star ? static_cast<int64_t>(s.tlen) : eval_expr(a.strlen, c.env);
  if (L < 0) L = 0;
  if (L > (int64_t(1) << 26)) {
    PyErr_Format(vx_value_error, "%s: length of %s too large", c.pyname, a.name.c_str());
    return false;
  }
  PyObject* buf = PyBytes_FromStringAndSize(nullptr, static_cast<Py_ssize_t>(L));
  if (!buf) {
    conversion_refused(Ty::str, a.what.c_str());
    return false;
  }
  char* b = PyBytes_AS_STRING(buf);
  std::memset(b, ' ', static_cast<size_t>(L));
  if (s.present) {
    std::memcpy(b, s.ptr, std::min<size_t>(s.tlen, static_cast<size_t>(L)));
    Py_XDECREF(s.text);
  }
  s.text = buf;
  s.ptr = b;
  s.tlen = static_cast<size_t>(L);
  return true;
}

bool make_view(Call& c, Slot& s) {
  if (c.nviews >= kMaxViews) {
    PyErr_Format(PyExc_SystemError, "%s: too many array views", c.pyname);
    return false;
  }
  vx_view& vw = c.views[c.nviews++];
  vw.base = PyArray_DATA(s.arr);
  vw.rank = PyArray_NDIM(s.arr);
  for (int k = 0; k < 7; ++k) {
    vw.extent[k] = k < vw.rank ? PyArray_DIM(s.arr, k) : 1;
    vw.stride[k] = k < vw.rank ? PyArray_STRIDE(s.arr, k) / PyArray_ITEMSIZE(s.arr) : 0;
  }
  s.ptr = &vw;
  return true;
}

// Phase 5: texts, output scalars, the call-back declaration of this call, views.
bool prepare_rest(Call& c) {
  const ArgDesc* const args = c.r.args.data();
  for (int i = 0; i < c.nn; ++i) {
    const ArgDesc& a = args[i];
    Slot& s = c.sl[i];
    if (a.ty == Ty::str) {
      if (a.rank || (a.str_star && s.present && a.intent == Intent::in)) continue;
      if (!own_text(c, a, s)) return false;
    } else if (a.ty == Ty::cb) {
      if (!s.ptr) continue;
      const bool second = a.cb_alt && !eval_expr(a.cbsel, c.env);
      if (s.ptr == a.cb->trampoline) {
        if (!second) continue;
        // A Python function goes through the second declaration.
        for (int f = 0; f < c.nframes; ++f)
          if (c.frames[f].func == s.obj && c.frames[f].def == a.cb)
            c.frames[f].def = a.cb_alt, c.frames[f].desc = a.cbdesc_alt;
        s.ptr = a.cb_alt->trampoline;
        continue;
      }
      // A routine of the module is called natively: it must take what the
      // routine hands its call-back, or it reads and writes past it.
      const CallbackDef* decl = second ? a.cb_alt : a.cb;
      if (!callback_fits(s.ptr, decl)) {
        PyErr_Format(vx_type_error, "%s: %s", a.what.c_str(), callback_mismatch(s.ptr, decl).c_str());
        return false;
      }
    } else if (a.rank == 0 && !s.present && !s.known && a.ty != Ty::s1 && a.intent != Intent::in) {
      s.v = Scalar{};
      s.ptr = &s.v;
    } else if ((a.ty == Ty::view_f8 || a.ty == Ty::view_i4) && s.arr && !make_view(c, s)) {
      return false;
    }
  }
  return true;
}

// Phase 6: the native call, with the call's Python call-backs on the stack
// of call-back frames; an exception raised in one of them is raised here.
bool call_native(Call& c) {
  const Routine& r = c.r;
  void* slots[kMaxArgs * 2];
  int ns = 0;
  if (r.ret_is_text) {
    slots[ns++] = c.sl[r.ret_index].ptr;
    slots[ns++] = reinterpret_cast<void*>(static_cast<uintptr_t>(c.sl[r.ret_index].tlen));
  }
  for (int i = 0; i < c.nn; ++i)
    if (i != r.ret_index) slots[ns++] = c.sl[i].ptr;
  for (int i = 0; i < c.nn; ++i)
    if (i != r.ret_index && r.args[i].ty == Ty::str)
      slots[ns++] = reinterpret_cast<void*>(static_cast<uintptr_t>(c.sl[i].tlen));
  c.ret = Scalar{};
  for (int f = 0; f < c.nframes; ++f) {
    c.frames[f].prev = cb_top;
    cb_top = &c.frames[f];
  }
  r.def->thunk(r.def->fn, slots, &c.ret);
  for (int f = c.nframes - 1; f >= 0; --f) cb_top = c.frames[f].prev;
  bool raised = false;
  for (int f = 0; f < c.nframes; ++f) {
    CbFrame& fr = c.frames[f];
    if (!fr.failed) continue;
    if (!raised) PyErr_Restore(fr.et, fr.ev, fr.etb);
    else Py_XDECREF(fr.et), Py_XDECREF(fr.ev), Py_XDECREF(fr.etb);
    fr.et = fr.ev = fr.etb = nullptr;
    raised = true;
  }
  if (raised) return false;
  // In/out scalars given as arrays of another type get their value back.
  for (int i = 0; c.nwrite_back && i < c.nn; ++i) {
    const Slot& s = c.sl[i];
    if (!s.caller || r.args[i].rank) continue;
    PyObject* v = scalar_to_py(r.args[i].ty, s.ptr);
    char* item = static_cast<char*>(PyArray_DATA(s.caller));
    const Ty ty = r.args[i].ty;
    if (v && (ty == Ty::f8 || ty == Ty::f4 || ty == Ty::i4) && PyTypeNum_ISCOMPLEX(PyArray_TYPE(s.caller))) {
      // A real or integer result goes into the real part; the imaginary part
      // stays, as the routine knows nothing of it. (A flag is the truth of
      // the whole number, so it replaces it.)
      PyObject* old = PyArray_GETITEM(s.caller, item);
      const Py_complex z = old ? PyComplex_AsCComplex(old) : Py_complex{0.0, 0.0};
      Py_XDECREF(old);
      const double re = PyFloat_AsDouble(v);
      Py_DECREF(v);
      v = PyErr_Occurred() ? nullptr : PyComplex_FromDoubles(re, z.imag);
    }
    const bool ok = v && PyArray_SETITEM(s.caller, item, v) == 0;
    Py_XDECREF(v);
    if (!ok) return false;
  }
  if (r.ret_index >= 0 && !r.ret_is_text) {
    c.sl[r.ret_index].v = c.ret;
    c.sl[r.ret_index].ptr = &c.sl[r.ret_index].v;
  }
  return true;
}

PyObject* one_result(Call& c, int i) {
  const ArgDesc& a = c.r.args[i];
  Slot& s = c.sl[i];
  if (a.ty == Ty::str && a.rank == 0) {
    size_t k = s.tlen;
    const char* b = static_cast<const char*>(s.ptr);
    while (k > 0 && b[k - 1] == ' ') --k;
    return PyBytes_FromStringAndSize(b, static_cast<Py_ssize_t>(k));
  }
  if (s.arr || s.caller) {
    if (a.rank == 0 && a.intent != Intent::inout) return scalar_to_py(a.ty, s.ptr);
    PyArrayObject* r = s.caller ? s.caller : s.arr;
    Py_INCREF(r);
    return reinterpret_cast<PyObject*>(r);
  }
  if (!s.ptr) Py_RETURN_NONE;
  return scalar_to_py(a.ty, s.ptr);
}

// Phase 7: the results.
PyObject* build_results(Call& c) {
  return box_results(c.r, [&](int i) { return one_result(c, i); });
}

// ------------------------------------------------------------ direct path
//
// Most routines called per point take scalars only. For them the phases above
// reduce to: match the values, convert each, call, box the results. The
// direct path does just that, from the plan made at import. It takes only the
// values whose conversion cannot fail or call back into Python (exact floats,
// ints, complex numbers, bools) and changes nothing before the native call, so
// anything else -- another type, a bad argument list, a failing check -- is
// handed to the general path, which converts again and reports as it always
// has.

// The values of the call as the checks see them; a scalar has no extent.
struct DirectEnv : ConstEnv {
  const int64_t* ival;
  explicit DirectEnv(const int64_t* v) : ival(v) {
    values = reinterpret_cast<const char*>(v);
    stride = sizeof(int64_t);
  }
  int64_t value(int a) const override { return ival[a]; }
};

inline bool direct_real(PyObject* o, double& d) {
  if (PyFloat_CheckExact(o)) {
    d = PyFloat_AS_DOUBLE(o);
    return true;
  }
  if (!PyLong_CheckExact(o)) return false;
  d = PyLong_AsDouble(o);
  if (d == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    return false;
  }
  return true;
}

inline bool direct_scalar(PyObject* o, Ty ty, Scalar& v) {
  switch (ty) {
    case Ty::f8: return direct_real(o, v.d);
    case Ty::f4: {
      double d;
      if (!direct_real(o, d)) return false;
      v.f = static_cast<float>(d);
      return true;
    }
    case Ty::i4: {
      if (!PyLong_CheckExact(o)) return false;
      int overflow = 0;
      const long long x = PyLong_AsLongLongAndOverflow(o, &overflow);
      if (overflow || x < INT32_MIN || x > INT32_MAX || (x == -1 && PyErr_Occurred())) {
        PyErr_Clear();
        return false;
      }
      v.i = static_cast<int32_t>(x);
      return true;
    }
    case Ty::l4: case Ty::l1: {
      if (!PyBool_Check(o) && !PyLong_CheckExact(o) && !PyFloat_CheckExact(o)) return false;
      if (PyFloat_CheckExact(o) && std::isnan(PyFloat_AS_DOUBLE(o))) return false;  // refused on the full path
      const int t = PyObject_IsTrue(o);  // cannot fail for these types
      if (ty == Ty::l4) v.i = t;
      else v.b = static_cast<int8_t>(t);
      return true;
    }
    case Ty::c16:
      if (PyComplex_CheckExact(o)) {
        v.c[0] = PyComplex_RealAsDouble(o);
        v.c[1] = PyComplex_ImagAsDouble(o);
        return true;
      }
      if (!PyFloat_CheckExact(o)) return false;
      v.c[0] = PyFloat_AS_DOUBLE(o);
      v.c[1] = 0.0;
      return true;
    default: return false;
  }
}

PyObject* direct_result(const DirectArg& d, const void* p) {
  if (!p) Py_RETURN_NONE;
  if (d.ty == Ty::f8) return PyFloat_FromDouble(*static_cast<const double*>(p));
  return scalar_to_py(d.ty, p);
}

// False when the general path must take the call; then nothing has happened.
bool call_direct(const Routine& r, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject*& out) {
  const int npy = static_cast<int>(r.pynames.size()), nn = static_cast<int>(r.args.size());
  const DirectArg* plan = r.direct.data();
  Scalar v[kMaxArgs];
  void* ptr[kMaxArgs];  // native order; the function result, if any, first
  if (!kwnames && nargs == npy && r.direct_positional) {
    // Every value given by position: the usual call.
    for (int i : r.direct_hidden) {
      ptr[i] = &v[i];
      v[i] = plan[i].value;  // default or zero
    }
    const int* pyarg = r.pyarg_of.data();
    for (int k = 0; k < npy; ++k) {
      const int i = pyarg[k];
      PyObject* o = args[k];
      ptr[i] = &v[i];
      if (plan[i].ty == Ty::f8 && PyFloat_CheckExact(o)) v[i].d = PyFloat_AS_DOUBLE(o);
      else if (!direct_scalar(o, plan[i].ty, v[i])) return false;
    }
  } else {
    if (nargs > npy) return false;
    PyObject* pv[kMaxArgs];
    for (Py_ssize_t k = 0; k < nargs; ++k) pv[k] = args[k];
    for (int k = static_cast<int>(nargs); k < npy; ++k) pv[k] = nullptr;
    if (kwnames) {
      // Keywords written in the call are the interned names themselves.
      for (Py_ssize_t j = 0, nk = PyTuple_GET_SIZE(kwnames); j < nk; ++j) {
        PyObject* key = PyTuple_GET_ITEM(kwnames, j);
        int pos = static_cast<int>(nargs);
        while (pos < npy && PyTuple_GET_ITEM(r.kwnames, pos) != key) ++pos;
        if (pos == npy || pv[pos]) return false;
        pv[pos] = args[nargs + j];
      }
    }
    for (int k = static_cast<int>(nargs); k < r.nrequired; ++k)
      if (!pv[k]) return false;
    int64_t ival[kMaxArgs];  // what the checks see
    bool known[kMaxArgs];
    for (int i = 0; i < nn; ++i) {
      const DirectArg& d = plan[i];
      PyObject* o = d.pypos >= 0 ? pv[d.pypos] : nullptr;
      ptr[i] = &v[i];
      v[i] = d.value;
      ival[i] = d.ival;
      known[i] = o || d.absent == DirectArg::dflt;
      if (o) {
        if (d.array || !direct_scalar(o, d.ty, v[i])) return false;
        ival[i] = int_value(d.ty, &v[i]);
      } else if (d.absent == DirectArg::null) {
        ptr[i] = nullptr;
      }
    }
    if (r.direct_checks) {
      const DirectEnv env(ival);
      auto eval = [&](const Expr& e) { return eval_expr(e, env); };
      for (int i = 0; i < nn; ++i)
        if (known[i] && failed_check(r.args[i], eval)) return false;
    }
  }
  Scalar ret{};
  r.def->thunk(r.def->fn, ptr + (r.ret_index == 0), &ret);
  if (r.ret_index == 0) v[0] = ret;
  out = box_results(r, [&](int i) { return direct_result(plan[i], ptr[i]); });
  return true;
}

// ------------------------------------------------------------- array path
//
// Routines called per point with a few small arrays (a property vector in,
// a matrix out) spend most of a general call on bookkeeping. When every value
// is given by position, scalars as exact numbers and arrays already of the
// declared type, rank and layout, the phases reduce to: convert the scalars,
// fill the defaults, run the checks, check the given extents, make the
// outputs, call, and hand back the results. Anything else -- and anything
// that would raise -- is left to the general path before any output is made
// visible, so that every message stays the general path's.

struct ArrayEnv : ExprEnv {
  const int64_t* ival;
  PyArrayObject* const* arr;
  ArrayEnv(const int64_t* v, PyArrayObject* const* a) : ival(v), arr(a) {
    values = reinterpret_cast<const char*>(v);
    stride = sizeof(int64_t);
  }
  int64_t value(int a) const override { return ival[a]; }
  int64_t shape(int a, int64_t d) const override {
    if (!arr[a]) return 0;
    return d < PyArray_NDIM(arr[a]) ? PyArray_DIM(arr[a], static_cast<int>(d)) : 1;
  }
  int64_t size(int a) const override { return arr[a] ? PyArray_SIZE(arr[a]) : 0; }
  int64_t rank(int a) const override { return arr[a] ? PyArray_NDIM(arr[a]) : 0; }
  int64_t slen(int) const override { return 0; }
  int64_t maxupto(int a, int64_t hi) const override { return max_at_most(arr[a], hi); }
};

// One call of the array path, on the stack. Each phase returns false when the
// general path must take the call; nothing is visible until the native call.
struct ArrayCall {
  const Routine& r;
  const ArgDesc* ad;
  const int nn;
  Scalar v[kMaxArgs];
  void* ptr[kMaxArgs];
  int64_t ival[kMaxArgs];
  PyArrayObject* arr[kMaxArgs];  // given (borrowed) or made by the call (owned: the outputs)
  bool seen[kMaxArgs];  // given or defaulted: what the checks look at
  const ArrayEnv env;

  explicit ArrayCall(const Routine& rr)
      : r(rr), ad(rr.args.data()), nn(static_cast<int>(rr.args.size())), env(ival, arr) {
    for (int i = 0; i < nn; ++i) {
      ptr[i] = nullptr;
      ival[i] = 0;
      arr[i] = nullptr;
      seen[i] = false;
    }
  }
  // The arrays the call made; a result holds a reference of its own.
  ~ArrayCall() {
    for (int i : r.arrays_made) Py_XDECREF(arr[i]);
  }
  ArrayCall(const ArrayCall&) = delete;
  ArrayCall& operator=(const ArrayCall&) = delete;

  // Most extents are a literal or one scalar argument.
  int64_t eval(const Expr& e) const {
    if (e.code.size() == 1) {
      if (e.code[0].op == Op::lit) return e.code[0].val;
      if (e.code[0].op == Op::arg) return ival[e.code[0].arg];
    }
    return eval_expr(e, env);
  }

  // The values given, each already in its declared form: an array of the
  // declared type, rank, layout and fixed extents, or an exact number.
  bool take_given(PyObject* const* args, Py_ssize_t nargs) {
    const int* pyarg = r.pyarg_of.data();
    for (Py_ssize_t k = 0; k < nargs; ++k) {
      const int i = pyarg[k];
      const ArgDesc& a = ad[i];
      PyObject* o = args[k];
      if (a.rank) {
        if (!PyArray_CheckExact(o)) return false;
        PyArrayObject* x = reinterpret_cast<PyArrayObject*>(o);
        if (PyArray_DESCR(x) != plain_descr[static_cast<int>(a.ty)] && PyArray_TYPE(x) != typenum(a.ty)) return false;
        if (!PyArray_ISALIGNED(x) || PyArray_ISBYTESWAPPED(x) || PyArray_NDIM(x) != a.rank ||
            !PyArray_IS_F_CONTIGUOUS(x) || wrong_axis(a, x) >= 0)
          return false;
        arr[i] = x;
        ptr[i] = PyArray_DATA(x);
      } else {
        if (a.ty == Ty::f8 && PyFloat_CheckExact(o)) v[i].d = PyFloat_AS_DOUBLE(o);
        else if (!direct_scalar(o, a.ty, v[i])) return false;
        ival[i] = int_value(a.ty, &v[i]);
        ptr[i] = &v[i];
      }
      seen[i] = true;
    }
    return true;
  }

  // Defaults of the absent scalars, in dependency order.
  bool fill_defaults() {
    auto ev = [this](const Expr& e) { return eval(e); };
    for (int i : r.scalar_order) {
      if (seen[i]) continue;
      if (!default_scalar(ad[i], ev, v[i], ival[i])) return false;
      ptr[i] = &v[i];
      seen[i] = true;
    }
    return true;
  }

  // The rows' checks, and the extents of the given arrays.
  bool checks_pass() const {
    auto ev = [this](const Expr& e) { return eval(e); };
    for (int i : r.arrays_checked)
      if (seen[i] && failed_check(ad[i], ev)) return false;
    int64_t want;
    for (int i : r.arrays_in)
      if (arr[i] && wrong_extent(ad[i], arr[i], ev, want) >= 0) return false;
    return true;
  }

  // The outputs: arrays made zero-filled, scalars set to zero; failed, with
  // an exception set, when an allocation fails.
  enum class Outcome { made, general, failed };
  Outcome make_outputs() {
    auto ev = [this](const Expr& e) { return eval(e); };
    for (int i : r.arrays_made) {
      const ArgDesc& a = ad[i];
      if (a.rank == 0) {
        if (!seen[i]) {
          v[i] = Scalar{};
          ptr[i] = &v[i];
        }
        continue;
      }
      npy_intp d[7];
      if (made_extents(a, ev, d) != -1) return Outcome::general;
      PyArrayObject* x = new_array(a, d, 0);
      if (!x) return Outcome::failed;
      arr[i] = x;
      ptr[i] = PyArray_DATA(x);
    }
    return Outcome::made;
  }

  PyObject* call_and_box() {
    void* slots[kMaxArgs];
    int ns = 0;
    for (int i = 0; i < nn; ++i)
      if (i != r.ret_index) slots[ns++] = ptr[i];
    Scalar ret{};
    r.def->thunk(r.def->fn, slots, &ret);
    if (r.ret_index >= 0) {
      v[r.ret_index] = ret;
      ptr[r.ret_index] = &v[r.ret_index];
    }
    return box_results(r, [this](int i) -> PyObject* {
      if (arr[i]) {
        Py_INCREF(arr[i]);
        return reinterpret_cast<PyObject*>(arr[i]);
      }
      if (!ptr[i]) Py_RETURN_NONE;
      return scalar_to_py(ad[i].ty, ptr[i]);
    });
  }
};

// False when the general path must take the call; then nothing is visible.
// True with out set to the result, or null with an exception set.
bool call_arrays(const Routine& r, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject*& out) {
  if (kwnames || nargs < r.nrequired || nargs > static_cast<Py_ssize_t>(r.pynames.size())) return false;
  ArrayCall c(r);
  if (!c.take_given(args, nargs) || !c.fill_defaults() || !c.checks_pass()) return false;
  switch (c.make_outputs()) {
    case ArrayCall::Outcome::general: return false;
    case ArrayCall::Outcome::failed: out = nullptr; return true;
    case ArrayCall::Outcome::made: break;
  }
  out = c.call_and_box();
  return true;
}

// The types the short paths convert themselves: numbers and logicals.
constexpr Ty kPlainTypes[] = {Ty::f8, Ty::f4, Ty::c16, Ty::i4, Ty::l4, Ty::l1};

bool plain_args(const Routine& r) {
  for (const ArgDesc& a : r.args)
    if (std::find(std::begin(kPlainTypes), std::end(kPlainTypes), a.ty) == std::end(kPlainTypes)) return false;
  // overwrite_ flags and extra arguments go with arrays and call-backs, which
  // the general path reads.
  for (int ix : r.pyarg_of)
    if (ix < 0) return false;
  return true;
}

}  // namespace

// The plan of the direct path, when every argument is a scalar of a plain
// type whose default, if any, does not depend on the call, or an optional
// input array without default (absent: a null pointer).
void plan_direct(Routine& r) {
  r.direct.clear();
  r.direct_checks = r.direct_positional = false;
  if (r.ret_is_text || r.ret_index > 0 || !plain_args(r)) return;
  std::vector<DirectArg> plan(r.args.size());
  bool checks = false, arrays = false;
  for (size_t i = 0; i < r.args.size(); ++i) {
    const ArgDesc& a = r.args[i];
    DirectArg& d = plan[i];
    if (a.rank) {
      if (a.intent != Intent::in || !a.optional || a.has_default) return;
      d.ty = a.ty;
      d.pypos = a.pypos;
      d.array = arrays = true;
      checks |= !a.checks.empty();
      continue;
    }
    if (a.intent == Intent::inout) return;
    if (a.intent == Intent::ret && a.pypos >= 0) return;
    d.ty = a.ty;
    d.pypos = a.pypos;
    checks |= !a.checks.empty();
    if (!a.has_default) {
      d.absent = a.intent == Intent::in ? DirectArg::null : DirectArg::zero;
      continue;
    }
    // Filled once, as the general path fills it per call; one that depends
    // on the call, or does not fit (reported per call), keeps the routine off
    // this path.
    d.absent = DirectArg::dflt;
    std::vector<int> refs;
    expr_refs(a.dflt, refs, false);
    if (!refs.empty()) return;
    if (!default_scalar(a, [](const Expr& e) { return eval_expr(e, ConstEnv{}); }, d.value, d.ival)) return;
  }
  r.direct = std::move(plan);
  r.direct_checks = checks;
  r.direct_positional = !checks && !arrays;
  r.direct_hidden.clear();
  for (size_t i = 0; i < r.args.size(); ++i)
    if (r.args[i].pypos < 0) r.direct_hidden.push_back(static_cast<int>(i));
}

// Whether a routine can take the array path: plain scalars and arrays only,
// inputs given or defaulted, outputs made by the call with known extents.
void plan_arrays(Routine& r) {
  r.arrays_plan = false;
  if (!r.direct.empty() || r.ret_is_text || r.args.size() > static_cast<size_t>(kMaxArgs) || !plain_args(r)) return;
  bool any_array = false;
  for (const ArgDesc& a : r.args) {
    switch (a.intent) {
      case Intent::in:
        if (a.rank && a.has_default) return;
        break;
      case Intent::out: case Intent::ret:
        if (a.pypos >= 0 || (a.intent == Intent::ret && a.rank)) return;
        for (const Expr& e : a.dims)
          if (e.empty()) return;
        break;
      default: return;
    }
    any_array |= a.rank > 0;
  }
  if (!any_array) return;
  for (Ty t : kPlainTypes) {
    PyArray_Descr*& d = plain_descr[static_cast<int>(t)];
    if (!d && !(d = PyArray_DescrFromType(typenum(t)))) {
      PyErr_Clear();
      return;
    }
  }
  r.arrays_checked.clear();
  r.arrays_in.clear();
  r.arrays_made.clear();
  for (int i = 0; i < static_cast<int>(r.args.size()); ++i) {
    const ArgDesc& a = r.args[i];
    if (!a.checks.empty()) r.arrays_checked.push_back(i);
    if (a.intent == Intent::in) {
      if (a.rank) r.arrays_in.push_back(i);  // absent when optional: null
    } else {
      r.arrays_made.push_back(i);
    }
  }
  r.arrays_plan = true;
}

namespace {
PyObject* call_general(const Routine& r, PyObject* const* args, size_t nargsf, PyObject* kwnames) {
  Call c(r);
  if (!match_arguments(c, args, PyVectorcall_NARGS(nargsf), kwnames) || !convert_given(c) || !fill_defaults(c) ||
      !run_checks(c) || !prepare_arrays(c) || !prepare_rest(c) || !call_native(c))
    return nullptr;
  return build_results(c);
}
}  // namespace

PyObject* call_routine(const Routine& r, PyObject* const* args, size_t nargsf, PyObject* kwnames) {
  PyObject* out;
  if (!r.direct.empty() && call_direct(r, args, PyVectorcall_NARGS(nargsf), kwnames, out)) return out;
  if (r.arrays_plan && call_arrays(r, args, PyVectorcall_NARGS(nargsf), kwnames, out)) return out;
  return call_general(r, args, nargsf, kwnames);
}

}  // namespace vxb

namespace vxb {
bool py_to_datum(PyObject* o, Ty ty, void* p, const char* what) {
  if (holds_values(o)) {
    PyObject* it = sole_item(o, what);
    if (!it) return false;
    const bool ok = py_to_datum(it, ty, p, what);
    Py_DECREF(it);
    return ok;
  }
  // Stored, a complex value would silently lose its imaginary part.
  if (PyComplex_Check(o) || PyArray_IsScalar(o, ComplexFloating)) {
    PyErr_Format(vx_type_error, "%s: expected %s, got %s", what, ty == Ty::i4 ? "an integer" : "a real number",
                 Py_TYPE(o)->tp_name);
    return false;
  }
  return store_scalar(o, ty, p, what);
}
bool py_text(PyObject* o, const char*& p, Py_ssize_t& n, PyObject*& hold, const char* what) {
  return text_of(o, p, n, hold, what);
}
PyObject* py_data_array(PyObject* o, Ty ty, const char* what) {
  return reinterpret_cast<PyObject*>(data_array(o, ty, what));
}
}  // namespace vxb
