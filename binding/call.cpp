// The per-call path: argument matching, conversion, extents, native call and
// results. Everything lives on the stack of the call.
#include <complex>
#include <cstring>
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

PyArray_Descr* descr_of(Ty t) {
  if (t == Ty::s1) {
    Py_INCREF(s1_descr);
    return s1_descr;
  }
  return PyArray_DescrFromType(typenum(t));
}

union Scalar {
  int32_t i;
  double d;
  double c[2];
  int8_t b;
  float f;
};

// Plain data, zeroed for the arguments of one call only.
struct Slot {
  PyObject* obj;         // Python value given (borrowed)
  PyArrayObject* arr;    // owned
  PyObject* text;        // owned bytes object holding text storage
  Scalar v;
  int64_t ival;
  size_t tlen;
  void* ptr;
  bool present;
  bool known;  // value usable in expressions
};
constexpr int kMaxViews = 4;

struct CallEnv : ExprEnv {
  Slot* s;
  explicit CallEnv(Slot* sl) : s(sl) {}
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
};

// ------------------------------------------------------------ conversions

PyObject* first_item(PyObject* o) {
  // A one-element array or sequence stands for its element.
  if (PyArray_Check(o) && PyArray_SIZE(reinterpret_cast<PyArrayObject*>(o)) >= 1) {
    return PyArray_GETITEM(reinterpret_cast<PyArrayObject*>(o),
                           static_cast<const char*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(o))));
  }
  if (PySequence_Check(o) && !PyUnicode_Check(o) && !PyBytes_Check(o) && PySequence_Size(o) >= 1)
    return PySequence_GetItem(o, 0);
  PyErr_Clear();
  return nullptr;
}

bool to_long(PyObject* o, const char* what, long long& out) {
  if (PyLong_Check(o)) {
    int overflow = 0;
    out = PyLong_AsLongLongAndOverflow(o, &overflow);
    if (overflow || out < INT32_MIN || out > INT32_MAX) {
      PyErr_Format(PyExc_OverflowError, "%s: value out of the range of a 32-bit integer", what);
      return false;
    }
    return !(out == -1 && PyErr_Occurred());
  }
  if (o == Py_None) {
    PyErr_Format(PyExc_TypeError, "%s: expected an integer, got None", what);
    return false;
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
    if (!PyArray_Check(o)) return false;
    PyErr_Clear();
  }
  if (PyObject* it = first_item(o)) {
    bool ok = to_long(it, what, out);
    Py_DECREF(it);
    return ok;
  }
  PyErr_Format(PyExc_TypeError, "%s: expected an integer, got %s", what, Py_TYPE(o)->tp_name);
  return false;
}

bool to_double(PyObject* o, const char* what, double& out) {
  if (PyFloat_CheckExact(o)) {
    out = PyFloat_AS_DOUBLE(o);
    return true;
  }
  if (o == Py_None || PyUnicode_Check(o) || PyBytes_Check(o)) {
    PyErr_Format(PyExc_TypeError, "%s: expected a real number, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  if (PyComplex_Check(o)) {
    out = PyComplex_RealAsDouble(o);
    return true;
  }
  out = PyFloat_AsDouble(o);
  if (!(out == -1.0 && PyErr_Occurred())) return true;
  PyErr_Clear();
  if (PyObject* it = first_item(o)) {
    bool ok = to_double(it, what, out);
    Py_DECREF(it);
    return ok;
  }
  PyErr_Format(PyExc_TypeError, "%s: expected a real number, got %s", what, Py_TYPE(o)->tp_name);
  return false;
}

bool to_complex(PyObject* o, const char* what, double* out) {
  if (o == Py_None || PyUnicode_Check(o) || PyBytes_Check(o)) {
    PyErr_Format(PyExc_TypeError, "%s: expected a complex number, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  Py_complex c = PyComplex_AsCComplex(o);
  if (c.real == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    if (PyObject* it = first_item(o)) {
      bool ok = to_complex(it, what, out);
      Py_DECREF(it);
      return ok;
    }
    PyErr_Format(PyExc_TypeError, "%s: expected a complex number, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  out[0] = c.real;
  out[1] = c.imag;
  return true;
}

// Stores a Python value into a scalar of the given type at p.
bool store_scalar(PyObject* o, Ty ty, void* p, const char* what) {
  switch (ty) {
    case Ty::i4: case Ty::l4: {
      if (ty == Ty::l4) {
        int t = PyObject_IsTrue(o);
        if (t < 0) return false;
        *static_cast<int32_t*>(p) = t;
        return true;
      }
      long long v;
      if (!to_long(o, what, v)) return false;
      *static_cast<int32_t*>(p) = static_cast<int32_t>(v);
      return true;
    }
    case Ty::l1: {
      int t = PyObject_IsTrue(o);
      if (t < 0) return false;
      *static_cast<int8_t*>(p) = static_cast<int8_t>(t);
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

// Text from str (latin-1) or bytes or a bytes array.
bool text_of(PyObject* o, const char*& p, Py_ssize_t& n, PyObject*& hold, const char* what) {
  hold = nullptr;
  if (PyBytes_Check(o)) {
    p = PyBytes_AS_STRING(o);
    n = PyBytes_GET_SIZE(o);
    return true;
  }
  if (PyUnicode_Check(o)) {
    hold = PyUnicode_AsLatin1String(o);
    if (!hold) {
      PyErr_Clear();
      hold = PyUnicode_AsUTF8String(o);
      if (!hold) return false;
    }
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
    PyErr_Format(PyExc_TypeError, "%s: expected a string, got %s", what, Py_TYPE(o)->tp_name);
    return false;
  }
  p = PyBytes_AS_STRING(hold);
  n = PyBytes_GET_SIZE(hold);
  return true;
}

// Fixes the rank: missing trailing dimensions become 1, surplus dimensions of
// extent 1 are dropped.
PyArrayObject* fix_rank(PyArrayObject* a, int rank, const char* what) {
  int nd = PyArray_NDIM(a);
  if (nd == rank || rank == 0) return a;
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
      PyErr_Format(vx_error, "%s: expected an array of rank %d, got rank %d", what, rank, nd);
      Py_DECREF(a);
      return nullptr;
    }
  }
  PyArray_Dims shp = {dims, rank};
  PyObject* r = PyArray_Newshape(a, &shp, NPY_FORTRANORDER);
  Py_DECREF(a);
  return reinterpret_cast<PyArrayObject*>(r);
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

enum class Mode { in, copy, overwrite, strict, view_overwrite };

// Element type of an array of texts of length L.
PyArray_Descr* text_descr(int64_t L) {
  PyObject* spec = PyUnicode_FromFormat("S%lld", static_cast<long long>(L < 1 ? 1 : L));
  PyArray_Descr* d = nullptr;
  if (spec && !PyArray_DescrConverter(spec, &d)) d = nullptr;
  Py_XDECREF(spec);
  return d;
}

// An array of texts: a sequence of str/bytes or a bytes array, held as a
// column-major array of fixed-length elements, blank-padded (numpy pads
// with NULs). In place (inout) it must already be such an array.
PyArrayObject* to_text_array(PyObject* o, const ArgDesc& a, Mode mode, int64_t L, const char* what) {
  if (mode == Mode::strict) {
    PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
    bool ok = PyArray_Check(o) && PyArray_TYPE(arr) == NPY_STRING && (L < 0 || PyArray_ITEMSIZE(arr) == L) &&
              PyArray_ISWRITEABLE(arr) &&
              (PyArray_IS_F_CONTIGUOUS(arr) || (PyArray_NDIM(arr) <= 1 && PyArray_IS_C_CONTIGUOUS(arr)));
    if (!ok) {
      PyErr_Format(vx_error,
                   "%s: failed to initialize intent(inout) array -- expected a writeable, contiguous array of "
                   "type S%lld and rank %d",
                   what, static_cast<long long>(L), a.rank);
      return nullptr;
    }
    Py_INCREF(o);
    return PyArray_NDIM(arr) == a.rank ? arr : fix_rank(arr, a.rank, what);
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
    PyErr_Format(vx_error, "%s: cannot convert to an array of texts", what);
    Py_XDECREF(t);
    Py_XDECREF(v);
    Py_XDECREF(tb);
    return nullptr;
  }
  char* b = static_cast<char*>(PyArray_DATA(arr));
  for (npy_intp k = 0, n = PyArray_NBYTES(arr); k < n; ++k)
    if (b[k] == '\0') b[k] = ' ';
  return fix_rank(arr, a.rank, what);
}

PyArrayObject* to_array(PyObject* o, const ArgDesc& a, Mode mode, const char* what) {
  if (o == Py_None) {
    PyErr_Format(PyExc_TypeError, "%s: expected an array, got None", what);
    return nullptr;
  }
  const int tn = typenum(a.ty);
  if (mode == Mode::strict || mode == Mode::view_overwrite) {
    bool ok = PyArray_Check(o);
    PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(o);
    if (ok) {
      PyArray_Descr* d = PyArray_DESCR(arr);
      ok = PyArray_EquivTypenums(d->type_num, tn) && (a.ty != Ty::s1 || PyDataType_ELSIZE(d) == 1) &&
           PyArray_ISWRITEABLE(arr) && PyArray_ISALIGNED(arr) && !PyArray_ISBYTESWAPPED(arr);
      if (ok && mode == Mode::strict)
        ok = PyArray_IS_F_CONTIGUOUS(arr) || (PyArray_NDIM(arr) <= 1 && PyArray_IS_C_CONTIGUOUS(arr));
      if (ok && a.rank == 0) ok = PyArray_SIZE(arr) >= 1;
      else if (ok) ok = PyArray_NDIM(arr) == a.rank || (PyArray_NDIM(arr) < a.rank && mode == Mode::strict);
    }
    if (ok) {
      Py_INCREF(o);
      if (mode == Mode::strict && a.rank && PyArray_NDIM(arr) != a.rank) return fix_rank(arr, a.rank, what);
      return arr;
    }
    if (mode == Mode::strict) {
      PyErr_Format(vx_error,
                   "%s: failed to initialize intent(inout) array -- expected a writeable, contiguous array of "
                   "type %s and rank %d",
                   what, a.ty == Ty::f8 ? "float64" : a.ty == Ty::c16 ? "complex128" : a.ty == Ty::f4 ? "float32"
                                                      : a.ty == Ty::l1 ? "int8" : "int32",
                   a.rank);
      return nullptr;
    }
    mode = Mode::copy;  // a view that cannot be used in place is filled on a copy
  }
  if (a.ty == Ty::s1 && (PyBytes_Check(o) || PyUnicode_Check(o))) {
    PyArrayObject* r = s1_from_text(o, what);
    return r ? fix_rank(r, a.rank, what) : nullptr;
  }
  int flags = NPY_ARRAY_F_CONTIGUOUS | NPY_ARRAY_ALIGNED | NPY_ARRAY_FORCECAST;
  if (mode == Mode::copy) flags |= NPY_ARRAY_ENSURECOPY | NPY_ARRAY_WRITEABLE;
  if (mode == Mode::overwrite) flags |= NPY_ARRAY_WRITEABLE;
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(PyArray_FromAny(o, descr_of(a.ty), 0, 0, flags, nullptr));
  if (!arr) {
    if (PyErr_ExceptionMatches(PyExc_ValueError) || PyErr_ExceptionMatches(PyExc_TypeError)) {
      PyObject *t, *v, *tb;
      PyErr_Fetch(&t, &v, &tb);
      PyErr_Format(vx_error, "%s: cannot convert to an array of the declared type", what);
      Py_XDECREF(t);
      Py_XDECREF(v);
      Py_XDECREF(tb);
    }
    return nullptr;
  }
  if (PyArray_TYPE(arr) == NPY_OBJECT) {
    Py_DECREF(arr);
    PyErr_Format(vx_error, "%s: cannot convert to an array of the declared type", what);
    return nullptr;
  }
  return fix_rank(arr, a.rank, what);
}

PyArrayObject* new_array(const ArgDesc& a, const int64_t* dims, int64_t textlen) {
  npy_intp d[7];
  for (int k = 0; k < a.rank; ++k) d[k] = dims[k] < 0 ? 0 : dims[k];
  PyArray_Descr* descr = a.ty == Ty::str ? text_descr(textlen) : descr_of(a.ty);
  if (!descr) return nullptr;
  PyArrayObject* r = reinterpret_cast<PyArrayObject*>(
      PyArray_NewFromDescr(&PyArray_Type, descr, a.rank, d, nullptr, nullptr, NPY_ARRAY_F_CONTIGUOUS, nullptr));
  if (r) std::memset(PyArray_DATA(r), a.ty == Ty::str ? ' ' : 0, static_cast<size_t>(PyArray_NBYTES(r)));
  return r;
}

// ------------------------------------------------------------- call-backs

struct CbFrame {
  const CallbackDef* def;
  const CbDesc* desc;
  PyObject* func;
  PyObject* extra;
  int npass;
  bool failed;
  PyObject *et, *ev, *etb;
  Scalar ret;
  CbFrame* prev;
};
thread_local CbFrame* cb_top = nullptr;

struct CbEnv : ExprEnv {
  const CbDesc* desc;
  void** p;
  int64_t value(int a) const override {
    const ArgDesc& s = desc->args[a];
    if (s.rank) return 0;
    if (s.ty == Ty::i4 || s.ty == Ty::l4) return *static_cast<int32_t*>(p[a]);
    if (s.ty == Ty::l1) return *static_cast<int8_t*>(p[a]);
    return 0;
  }
  int64_t shape(int, int64_t) const override { return 0; }
  int64_t size(int) const override { return 0; }
  int64_t rank(int) const override { return 0; }
  int64_t slen(int) const override { return 0; }
};

int accepted_args(PyObject* f) {
  // How many positional arguments the Python call-back takes; -1: any.
  PyObject* fn = f;
  int self = 0;
  if (PyMethod_Check(f)) {
    fn = PyMethod_GET_FUNCTION(f);
    self = 1;
  }
  if (!PyFunction_Check(fn)) return -1;
  PyCodeObject* code = reinterpret_cast<PyCodeObject*>(PyFunction_GET_CODE(fn));
  if (code->co_flags & CO_VARARGS) return -1;
  return code->co_argcount - self;
}

// Copies an array returned by a Python call-back into the native output it
// stands for; it must hold exactly as many values as the output.
bool store_cb_array(PyObject* o, const ArgDesc& a, void* dst, const ExprEnv& env, const char* cbname) {
  int64_t n = 1;
  for (int j = 0; j < a.rank; ++j) {
    int64_t v = a.dims[j].empty() ? 1 : eval_expr(a.dims[j], env);
    n *= v < 0 ? 0 : v;
  }
  PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(PyArray_FromAny(
      o, descr_of(a.ty), 0, 0, NPY_ARRAY_F_CONTIGUOUS | NPY_ARRAY_ALIGNED | NPY_ARRAY_FORCECAST, nullptr));
  if (!arr) return false;
  if (PyArray_SIZE(arr) != n) {
    PyErr_Format(vx_error, "call-back %s: output %s takes %lld values, the function returned %zd", cbname,
                 a.name.c_str(), static_cast<long long>(n), static_cast<Py_ssize_t>(PyArray_SIZE(arr)));
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
  Py_ssize_t nextra = fr->extra ? PyTuple_GET_SIZE(fr->extra) : 0;
  std::vector<int> pass(desc->py_required);
  for (int ix : desc->py_optional) {
    if (fr->npass >= 0 && static_cast<Py_ssize_t>(pass.size()) + nextra >= fr->npass) break;
    pass.push_back(ix);
  }
  PyObject* args = PyTuple_New(static_cast<Py_ssize_t>(pass.size()) + nextra);
  CbEnv env;
  env.desc = desc;
  env.p = p;
  bool ok = args != nullptr;
  for (size_t k = 0; ok && k < pass.size(); ++k) {
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
    else PyTuple_SET_ITEM(args, static_cast<Py_ssize_t>(k), item);
  }
  for (Py_ssize_t k = 0; ok && k < nextra; ++k) {
    PyObject* e = PyTuple_GET_ITEM(fr->extra, k);
    Py_INCREF(e);
    PyTuple_SET_ITEM(args, static_cast<Py_ssize_t>(pass.size()) + k, e);
  }
  PyObject* res = ok ? PyObject_Call(fr->func, args, nullptr) : nullptr;
  Py_XDECREF(args);
  if (res && res != Py_None) {
    // The call-back's results go to its outputs, in order.
    PyObject* seq = PyTuple_Check(res) ? (Py_INCREF(res), res) : PyTuple_Pack(1, res);
    if (!seq) ok = false;
    for (Py_ssize_t k = 0; ok && k < PyTuple_GET_SIZE(seq) && k < static_cast<Py_ssize_t>(desc->outs.size()); ++k) {
      const ArgDesc& a = desc->args[desc->outs[k]];
      PyObject* item = PyTuple_GET_ITEM(seq, k);
      if (a.rank == 0) ok = store_scalar(item, a.ty, p[desc->outs[k]], a.name.c_str());
      else if (item != Py_None) ok = store_cb_array(item, a, p[desc->outs[k]], env, desc->def->name);
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

// ------------------------------------------------------------------ call

PyObject* call_routine(const Routine& r, PyObject* const* args, size_t nargsf, PyObject* kwnames) {
  const Py_ssize_t nargs = PyVectorcall_NARGS(nargsf);
  const int npy = static_cast<int>(r.pynames.size());
  const int nn = static_cast<int>(r.args.size());
  PyObject* pv[kMaxArgs];
  Slot sl[kMaxArgs];
  vx_view views[kMaxViews];
  int nviews = 0;
  std::memset(pv, 0, sizeof(PyObject*) * static_cast<size_t>(npy));
  std::memset(sl, 0, sizeof(Slot) * static_cast<size_t>(nn));
  CbFrame frames[4];
  int nframes = 0;
  PyObject* result = nullptr;
  const char* pyname = r.pyname.c_str();

  if (nargs > npy) {
    PyErr_Format(PyExc_TypeError, "%s() takes at most %d arguments (%zd given)", pyname, npy, nargs);
    return nullptr;
  }
  for (Py_ssize_t k = 0; k < nargs; ++k) pv[k] = args[k];
  if (kwnames) {
    Py_ssize_t nk = PyTuple_GET_SIZE(kwnames);
    for (Py_ssize_t j = 0; j < nk; ++j) {
      PyObject* key = PyTuple_GET_ITEM(kwnames, j);
      int pos = -1;
      for (int k = 0; k < npy; ++k)
        if (PyTuple_GET_ITEM(r.kwnames, k) == key) {
          pos = k;
          break;
        }
      if (pos < 0)
        for (int k = 0; k < npy; ++k)
          if (PyUnicode_Compare(PyTuple_GET_ITEM(r.kwnames, k), key) == 0) {
            pos = k;
            break;
          }
      if (pos < 0) {
        PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", pyname, key);
        return nullptr;
      }
      if (pv[pos]) {
        PyErr_Format(PyExc_TypeError, "%s() got multiple values for argument '%U'", pyname, key);
        return nullptr;
      }
      pv[pos] = args[nargs + j];
    }
  }
  for (int k = 0; k < r.nrequired; ++k)
    if (!pv[k]) {
      PyErr_Format(PyExc_TypeError, "%s() missing required argument '%s' (pos %d)", pyname, r.pynames[k].c_str(),
                   k + 1);
      return nullptr;
    }

  CallEnv env(sl);
  auto fail_check = [&](const ArgDesc& a, const Expr& e) {
    PyErr_Format(vx_error, "(%s) failed for argument %s: %s:%s=%lld", e.src.c_str(), a.name.c_str(), pyname,
                 a.name.c_str(), static_cast<long long>(sl[&a - r.args.data()].ival));
  };

  // 1. Given Python values.
  for (int i = 0; i < nn; ++i) {
    const ArgDesc& a = r.args[i];
    Slot& s = sl[i];
    if (a.pypos < 0 || !pv[a.pypos]) continue;
    PyObject* o = pv[a.pypos];
    s.obj = o;
    s.present = true;
    const char* what = a.what.c_str();
    if (a.ty == Ty::cb) {
      void* fn = nullptr;
      if (PyCapsule_CheckExact(o)) {
        fn = PyCapsule_GetPointer(o, PyCapsule_GetName(o));
        if (!fn) goto done;
      } else if ((fn = routine_pointer(o)) != nullptr) {
        // A routine of the module is called natively.
      } else if (PyCallable_Check(o)) {
        if (nframes >= 4) {
          PyErr_SetString(vx_error, "too many call-backs");
          goto done;
        }
        PyObject* extra = a.extra_pos >= 0 ? pv[a.extra_pos] : nullptr;
        if (extra && !PyTuple_Check(extra)) {
          PyErr_Format(PyExc_TypeError, "%s: %s_extra_args must be a tuple", pyname, a.name.c_str());
          goto done;
        }
        frames[nframes] = CbFrame{a.cb, a.cbdesc, o, extra, accepted_args(o), false, nullptr, nullptr, nullptr, {}, nullptr};
        ++nframes;
        fn = a.cb->trampoline;
      } else {
        PyErr_Format(PyExc_TypeError, "%s: expected a function or a capsule, got %s", what, Py_TYPE(o)->tp_name);
        goto done;
      }
      s.ptr = fn;
      continue;
    }
    if (a.ty == Ty::str && a.rank) {
      // The length of the elements is a constant or taken from the array.
      Mode m = a.intent == Intent::inout ? Mode::strict : Mode::copy;
      s.arr = to_text_array(o, a, m, a.str_star ? -1 : a.strlen.code[0].val, what);
      if (!s.arr) goto done;
      s.ptr = PyArray_DATA(s.arr);
      s.tlen = static_cast<size_t>(PyArray_ITEMSIZE(s.arr));
      continue;
    }
    if (a.ty == Ty::str) {
      const char* p;
      Py_ssize_t n;
      PyObject* hold;
      if (!text_of(o, p, n, hold, what)) goto done;
      // Texts of fixed length, or that the routine may write, are copied
      // into storage of their own once the scalars are known.
      if (!hold) Py_INCREF(o);
      s.text = hold ? hold : o;
      s.ptr = const_cast<char*>(p);
      s.tlen = static_cast<size_t>(n);
      continue;
    }
    if (a.rank == 0 && a.ty != Ty::s1 && a.intent != Intent::inout) {
      if (!store_scalar(o, a.ty, &s.v, what)) goto done;
      s.ival = (a.ty == Ty::f8) ? static_cast<int64_t>(s.v.d) : (a.ty == Ty::l1) ? s.v.b : s.v.i;
      if (a.ty == Ty::f8 || a.ty == Ty::f4 || a.ty == Ty::c16) s.ival = 0;
      s.known = true;
      s.ptr = &s.v;
      continue;
    }
    Mode mode = Mode::in;
    if (a.intent == Intent::inout) mode = Mode::strict;
    else if (a.intent == Intent::io || a.intent == Intent::out) {
      long long ow = 0;
      if (a.overwrite_pos >= 0 && pv[a.overwrite_pos] && !to_long(pv[a.overwrite_pos], what, ow)) goto done;
      mode = ow ? ((a.ty == Ty::view_f8 || a.ty == Ty::view_i4) ? Mode::view_overwrite : Mode::overwrite) : Mode::copy;
    }
    s.arr = to_array(o, a, mode, what);
    if (!s.arr) goto done;
    s.ptr = PyArray_DATA(s.arr);
    if (a.rank == 0) {
      // A 0-d in/out array stands for a scalar: its value feeds expressions.
      if (a.ty == Ty::i4 || a.ty == Ty::l4) s.ival = *static_cast<int32_t*>(s.ptr);
      s.known = true;
    }
  }
  for (int k = 0; k < npy; ++k)
    if (r.pyarg_of[k] < 0 && pv[k] && r.pynames[k].rfind("overwrite_", 0) == 0) {
      long long ow;
      if (!to_long(pv[k], r.pynames[k].c_str(), ow)) goto done;
    }

  // 2. Defaults of the absent scalars, in dependency order.
  for (int i : r.scalar_order) {
    const ArgDesc& a = r.args[i];
    Slot& s = sl[i];
    if (s.present) continue;
    double rv;
    if (real_default(a.dflt, rv)) {
      if (a.ty == Ty::f4) s.v.f = static_cast<float>(rv);
      else if (a.ty == Ty::c16) s.v.c[0] = rv, s.v.c[1] = 0.0;
      else s.v.d = rv;
    } else {
      int64_t v = eval_expr(a.dflt, env);
      s.ival = v;
      switch (a.ty) {
        case Ty::f8: s.v.d = static_cast<double>(v); break;
        case Ty::f4: s.v.f = static_cast<float>(v); break;
        case Ty::c16: s.v.c[0] = static_cast<double>(v); s.v.c[1] = 0.0; break;
        case Ty::l1: s.v.b = v != 0; s.ival = v != 0; break;
        case Ty::l4: s.v.i = v != 0; s.ival = v != 0; break;
        default:
          if (v < INT32_MIN || v > INT32_MAX) {
            PyErr_Format(vx_error, "%s: default of %s out of range: %s", pyname, a.name.c_str(), a.dflt.src.c_str());
            goto done;
          }
          s.v.i = static_cast<int32_t>(v);
      }
    }
    s.ptr = &s.v;
    s.known = true;
  }

  // 3. Checks.
  for (int i = 0; i < nn; ++i) {
    const ArgDesc& a = r.args[i];
    if (!sl[i].present && !sl[i].known) continue;
    for (const Expr& e : a.checks)
      if (!eval_expr(e, env)) {
        fail_check(a, e);
        goto done;
      }
  }

  // 4. Arrays: sizes of the inputs, absent optional ones, outputs.
  for (int i = 0; i < nn; ++i) {
    const ArgDesc& a = r.args[i];
    Slot& s = sl[i];
    if (a.rank == 0 || a.ty == Ty::cb) continue;
    int64_t dims[7];
    bool any = false;
    for (int k = 0; k < a.rank; ++k) {
      if (a.dims[k].empty()) {
        dims[k] = -1;
        any = true;
      } else {
        dims[k] = eval_expr(a.dims[k], env);
      }
    }
    if (s.arr) {
      if (a.ty == Ty::view_f8 || a.ty == Ty::view_i4) continue;
      // No extent may make the routine read past the array.
      int64_t need = 1;
      bool overflow = false;
      for (int k = 0; k < a.rank; ++k) {
        int64_t d = dims[k] < 0 ? (a.dims[k].empty() ? PyArray_DIM(s.arr, k) : 0) : dims[k];
        if (__builtin_mul_overflow(need, d, &need)) overflow = true;
      }
      if (overflow || need > PyArray_SIZE(s.arr)) {
        std::string ext;
        for (int k = 0; k < a.rank; ++k) ext += (k ? "," : "") + a.dims[k].src;
        PyErr_Format(vx_error, "%s: argument %s holds %zd elements but the extents (%s) ask for %s", pyname,
                     a.name.c_str(), static_cast<Py_ssize_t>(PyArray_SIZE(s.arr)), ext.c_str(),
                     overflow ? "more" : std::to_string(need).c_str());
        goto done;
      }
      continue;
    }
    if (any) {
      if (a.intent == Intent::out || a.intent == Intent::ret) {
        PyErr_Format(PyExc_SystemError, "%s: output %s has an open extent", pyname, a.name.c_str());
        goto done;
      }
      continue;  // absent optional array of open extent: null
    }
    if (a.intent == Intent::out || a.intent == Intent::ret || (s.present == false && a.has_default)) {
      int64_t total = 1;
      for (int k = 0; k < a.rank; ++k) {
        int64_t d = dims[k] < 0 ? 0 : dims[k];
        // Far beyond any use of these routines: refuse rather than let the
        // allocation exhaust the machine.
        if (__builtin_mul_overflow(total, d, &total) || total > (int64_t(1) << 29)) {
          PyErr_Format(vx_error, "%s: extents of %s too large", pyname, a.name.c_str());
          goto done;
        }
      }
      const int64_t L = a.ty == Ty::str ? (a.str_star ? 1 : a.strlen.code[0].val) : 0;
      s.arr = new_array(a, dims, L);
      s.tlen = static_cast<size_t>(L);
      if (!s.arr) goto done;
      s.ptr = PyArray_DATA(s.arr);
      if (a.intent != Intent::out && a.intent != Intent::ret && a.has_default) {
        // Absent optional array: filled with its default value.
        double rv;
        int64_t iv = 0;
        bool isreal = real_default(a.dflt, rv);
        if (!isreal) iv = eval_expr(a.dflt, env), rv = static_cast<double>(iv);
        npy_intp n = PyArray_SIZE(s.arr);
        for (npy_intp k = 0; k < n; ++k) {
          switch (a.ty) {
            case Ty::f8: static_cast<double*>(s.ptr)[k] = rv; break;
            case Ty::f4: static_cast<float*>(s.ptr)[k] = static_cast<float>(rv); break;
            case Ty::c16: static_cast<double*>(s.ptr)[2 * k] = rv; break;
            case Ty::l1: static_cast<int8_t*>(s.ptr)[k] = rv != 0; break;
            case Ty::s1: static_cast<char*>(s.ptr)[k] = ' '; break;
            default: static_cast<int32_t*>(s.ptr)[k] = static_cast<int32_t>(iv); break;
          }
        }
      }
    }
  }

  // 5. Texts of fixed length, output texts, output scalars, views.
  for (int i = 0; i < nn; ++i) {
    const ArgDesc& a = r.args[i];
    Slot& s = sl[i];
    if (a.ty == Ty::str && a.rank) continue;
    if (a.ty == Ty::str) {
      if (a.str_star && s.present && a.intent == Intent::in) continue;
      // Texts the routine may write get storage of their own.
      int64_t L = a.str_star ? static_cast<int64_t>(s.tlen) : eval_expr(a.strlen, env);
      if (L < 0) L = 0;
      if (L > (int64_t(1) << 26)) {
        PyErr_Format(vx_error, "%s: length of %s too large", pyname, a.name.c_str());
        goto done;
      }
      PyObject* buf = PyBytes_FromStringAndSize(nullptr, static_cast<Py_ssize_t>(L));
      if (!buf) goto done;
      char* b = PyBytes_AS_STRING(buf);
      std::memset(b, ' ', static_cast<size_t>(L));
      if (s.present) {
        // Cut or blank-padded to the declared length.
        std::memcpy(b, s.ptr, std::min<size_t>(s.tlen, static_cast<size_t>(L)));
        Py_XDECREF(s.text);
      }
      s.text = buf;
      s.ptr = b;
      s.tlen = static_cast<size_t>(L);
      continue;
    }
    if (a.rank == 0 && !s.present && !s.known && a.ty != Ty::cb && a.ty != Ty::s1 &&
        (a.intent == Intent::out || a.intent == Intent::ret || a.intent == Intent::io || a.intent == Intent::inout)) {
      s.v = Scalar{};
      s.ptr = &s.v;
    }
    if (a.ty == Ty::cb && a.cb_alt && s.ptr == a.cb->trampoline && !eval_expr(a.cbsel, env)) {
      // A Python function goes through the second declaration.
      for (int f = 0; f < nframes; ++f)
        if (frames[f].func == s.obj && frames[f].def == a.cb) frames[f].def = a.cb_alt, frames[f].desc = a.cbdesc_alt;
      s.ptr = a.cb_alt->trampoline;
    }
    if ((a.ty == Ty::view_f8 || a.ty == Ty::view_i4) && s.arr) {
      if (nviews >= kMaxViews) {
        PyErr_Format(PyExc_SystemError, "%s: too many array views", pyname);
        goto done;
      }
      vx_view& vw = views[nviews++];
      vw.base = PyArray_DATA(s.arr);
      vw.rank = PyArray_NDIM(s.arr);
      for (int k = 0; k < 7; ++k) {
        vw.extent[k] = k < vw.rank ? PyArray_DIM(s.arr, k) : 1;
        vw.stride[k] = k < vw.rank ? PyArray_STRIDE(s.arr, k) / PyArray_ITEMSIZE(s.arr) : 0;
      }
      s.ptr = &vw;
    }
  }

  // 6. The native call.
  {
    void* slots[kMaxArgs * 2];
    int ns = 0;
    if (r.ret_is_text) {
      slots[ns++] = sl[r.ret_index].ptr;
      slots[ns++] = reinterpret_cast<void*>(static_cast<uintptr_t>(sl[r.ret_index].tlen));
    }
    for (int i = 0; i < nn; ++i)
      if (i != r.ret_index) slots[ns++] = sl[i].ptr;
    for (int i = 0; i < nn; ++i)
      if (i != r.ret_index && r.args[i].ty == Ty::str)
        slots[ns++] = reinterpret_cast<void*>(static_cast<uintptr_t>(sl[i].tlen));
    Scalar ret{};
    for (int f = 0; f < nframes; ++f) {
      frames[f].prev = cb_top;
      cb_top = &frames[f];
    }
    r.def->thunk(r.def->fn, slots, &ret);
    for (int f = nframes - 1; f >= 0; --f) cb_top = frames[f].prev;
    for (int f = 0; f < nframes; ++f)
      if (frames[f].failed) {
        PyErr_Restore(frames[f].et, frames[f].ev, frames[f].etb);
        frames[f].et = frames[f].ev = frames[f].etb = nullptr;
        for (int g = f + 1; g < nframes; ++g) {
          Py_XDECREF(frames[g].et);
          Py_XDECREF(frames[g].ev);
          Py_XDECREF(frames[g].etb);
        }
        goto done;
      }
    if (r.ret_index >= 0 && !r.ret_is_text) {
      sl[r.ret_index].v = ret;
      sl[r.ret_index].ptr = &sl[r.ret_index].v;
    }
  }

  // 7. Results.
  {
    auto one = [&](int i) -> PyObject* {
      const ArgDesc& a = r.args[i];
      Slot& s = sl[i];
      if (a.ty == Ty::str && a.rank == 0) {
        size_t k = s.tlen;
        const char* b = static_cast<const char*>(s.ptr);
        while (k > 0 && b[k - 1] == ' ') --k;
        return PyBytes_FromStringAndSize(b, static_cast<Py_ssize_t>(k));
      }
      if (s.arr) {
        if (a.rank == 0 && a.intent != Intent::inout) return scalar_to_py(a.ty, s.ptr);
        Py_INCREF(s.arr);
        return reinterpret_cast<PyObject*>(s.arr);
      }
      if (!s.ptr) Py_RETURN_NONE;
      return scalar_to_py(a.ty, s.ptr);
    };
    if (r.nresults == 0) {
      Py_INCREF(Py_None);
      result = Py_None;
    } else if (r.nresults == 1) {
      result = one(r.results[0]);
    } else {
      result = PyTuple_New(r.nresults);
      for (int k = 0; result && k < r.nresults; ++k) {
        PyObject* it = one(r.results[k]);
        if (!it) {
          Py_CLEAR(result);
          break;
        }
        PyTuple_SET_ITEM(result, k, it);
      }
    }
  }

done:
  for (int i = 0; i < nn; ++i) {
    Py_XDECREF(sl[i].arr);
    Py_XDECREF(sl[i].text);
  }
  return result;
}

}  // namespace vxb

namespace vxb {
bool py_to_scalar(PyObject* o, Ty ty, void* p, const char* what) { return store_scalar(o, ty, p, what); }
bool py_text(PyObject* o, const char*& p, Py_ssize_t& n, PyObject*& hold, const char* what) {
  return text_of(o, p, n, hold, what);
}
}  // namespace vxb
