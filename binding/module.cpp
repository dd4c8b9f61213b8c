// The module object, its component objects and the routine objects.
#include <cstddef>
#include <cstdio>
#include <map>
#include <new>
#include "engine.h"
#define PY_ARRAY_UNIQUE_SYMBOL vx_ARRAY_API
#include <numpy/arrayobject.h>
#include "array.h"
#include "docs.h"
#include "registry.h"
#include "vx.h"
#include "vexlan/datahandling.h"
#include "vexlan/errorhandling.h"

namespace vxb {

extern PyArray_Descr* s1_descr;

namespace {

// ---------------------------------------------------------------- routines

struct RoutineObject {
  PyObject_HEAD
  vectorcallfunc vc;
  Routine* r;
  PyObject* cap;
};

PyObject* routine_vectorcall(PyObject* self, PyObject* const* args, size_t nargsf, PyObject* kwnames) {
  return call_routine(*reinterpret_cast<RoutineObject*>(self)->r, args, nargsf, kwnames);
}

PyObject* routine_doc(PyObject* self, void*) {
  return PyUnicode_FromString(reinterpret_cast<RoutineObject*>(self)->r->doc.c_str());
}
PyObject* routine_cpointer(PyObject* self, void*) {
  PyObject* c = reinterpret_cast<RoutineObject*>(self)->cap;
  Py_INCREF(c);
  return c;
}
PyObject* routine_name(PyObject* self, void*) {
  return PyUnicode_FromString(reinterpret_cast<RoutineObject*>(self)->r->pyname.c_str());
}
PyObject* routine_repr(PyObject* self) {
  return PyUnicode_FromFormat("<routine %s>", reinterpret_cast<RoutineObject*>(self)->r->pyname.c_str());
}

PyGetSetDef routine_getset[] = {
    {"__doc__", routine_doc, nullptr, nullptr, nullptr},
    {"_cpointer", routine_cpointer, nullptr, nullptr, nullptr},
    {"__name__", routine_name, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyTypeObject RoutineType;

}  // namespace

void* routine_pointer(PyObject* o) {
  return Py_IS_TYPE(o, &RoutineType) ? reinterpret_cast<RoutineObject*>(o)->r->def->fn : nullptr;
}

namespace {

// -------------------------------------------------------------- data access

// Keeps a library buffer alive for as long as a Python array views it.
struct BufferHolder {
  PyObject_HEAD
  vx::Buffer* buf;
};
void holder_dealloc(PyObject* self) {
  reinterpret_cast<BufferHolder*>(self)->buf->release();
  Py_TYPE(self)->tp_free(self);
}
PyTypeObject HolderType;

struct DataEntry {
  PyObject_HEAD
  const DataDef* def;
  PyObject* cached;  // 0-d view of a scalar or text datum; the storage never moves
};
PyTypeObject DataEntryType;

int npy_kind(char k) { return k == 'f' ? NPY_FLOAT64 : k == 'i' ? NPY_INT32 : NPY_COMPLEX128; }

PyObject* data_get(DataEntry* e) {
  const DataDef* d = e->def;
  switch (d->kind) {
    case DataKind::constant_i4: return PyLong_FromLong(d->value);
    case DataKind::scalar_i4:
    case DataKind::scalar_f8:
    case DataKind::text:
      if (!e->cached) {
        PyArray_Descr* descr;
        if (d->kind == DataKind::text) {
          PyObject* desc = PyUnicode_FromFormat("S%d", d->len);
          if (!desc || !PyArray_DescrConverter(desc, &descr)) {
            Py_XDECREF(desc);
            return nullptr;
          }
          Py_DECREF(desc);
        } else {
          descr = PyArray_DescrFromType(d->kind == DataKind::scalar_i4 ? NPY_INT32 : NPY_FLOAT64);
        }
        e->cached = PyArray_NewFromDescr(&PyArray_Type, descr, 0, nullptr, nullptr, d->ptr, NPY_ARRAY_CARRAY, nullptr);
        if (!e->cached) return nullptr;
      }
      Py_INCREF(e->cached);
      return e->cached;
    case DataKind::array: {
      auto* a = static_cast<vx::ArrayBase*>(d->ptr);
      if (!a->allocated()) Py_RETURN_NONE;
      npy_intp dims[7];
      for (int k = 0; k < a->rank; ++k) dims[k] = a->extents[k];
      PyObject* arr = PyArray_New(&PyArray_Type, a->rank, dims, npy_kind(a->kind), nullptr, a->base, 0,
                                  NPY_ARRAY_FARRAY, nullptr);
      if (!arr) return nullptr;
      BufferHolder* h = PyObject_New(BufferHolder, &HolderType);
      if (!h) {
        Py_DECREF(arr);
        return nullptr;
      }
      h->buf = a->buffer();
      h->buf->retain();
      if (PyArray_SetBaseObject(reinterpret_cast<PyArrayObject*>(arr), reinterpret_cast<PyObject*>(h)) < 0) {
        Py_DECREF(arr);
        return nullptr;
      }
      return arr;
    }
  }
  Py_RETURN_NONE;
}

int data_set(DataEntry* e, PyObject* v, const char* comp) {
  const DataDef* d = e->def;
  if (!v) {
    PyErr_Format(PyExc_AttributeError, "cannot delete %s.%s", comp, d->name);
    return -1;
  }
  // The datum's name, for a refusal: written out only on the way that may
  // refuse (plain numbers and texts are stored without it).
  char what[160];
  auto named = [&]() {
    std::snprintf(what, sizeof what, "%s.%s", comp, d->name);
    return what;
  };
  switch (d->kind) {
    case DataKind::constant_i4:
      PyErr_Format(PyExc_AttributeError, "%s.%s is a constant and cannot be assigned", comp, d->name);
      return -1;
    case DataKind::scalar_i4: {
      int32_t x;
      int overflow = 0;
      const long long y = PyLong_CheckExact(v) ? PyLong_AsLongLongAndOverflow(v, &overflow) : 0;
      if (PyLong_CheckExact(v) && !overflow && y >= INT32_MIN && y <= INT32_MAX) x = static_cast<int32_t>(y);
      else if (!py_to_datum(v, Ty::i4, &x, named())) return -1;
      *static_cast<int32_t*>(d->ptr) = x;
      return 0;
    }
    case DataKind::scalar_f8: {
      double x;
      if (PyFloat_CheckExact(v)) x = PyFloat_AS_DOUBLE(v);
      else if (!py_to_datum(v, Ty::f8, &x, named())) return -1;
      *static_cast<double*>(d->ptr) = x;
      return 0;
    }
    case DataKind::text: {
      const char* p;
      Py_ssize_t n;
      PyObject* hold = nullptr;
      if (PyBytes_Check(v)) {
        p = PyBytes_AS_STRING(v);
        n = PyBytes_GET_SIZE(v);
      } else if (PyUnicode_Check(v) && PyUnicode_IS_ASCII(v)) {
        if (!(p = PyUnicode_AsUTF8AndSize(v, &n))) return -1;
      } else if (!py_text(v, p, n, hold, named())) {
        return -1;
      }
      // Only the given bytes are copied, never past the datum.
      std::memcpy(d->ptr, p, static_cast<size_t>(std::min<Py_ssize_t>(n, d->len)));
      Py_XDECREF(hold);
      return 0;
    }
    case DataKind::array: {
      auto* a = static_cast<vx::ArrayBase*>(d->ptr);
      if (v == Py_None) {
        datahandling_deallocatearray(a);
        return 0;
      }
      const Ty ty = a->kind == 'f' ? Ty::f8 : a->kind == 'i' ? Ty::i4 : Ty::c16;
      PyArrayObject* arr = reinterpret_cast<PyArrayObject*>(py_data_array(v, ty, named()));
      if (!arr) return -1;
      int nd = PyArray_NDIM(arr);
      int64_t ext[7] = {1, 1, 1, 1, 1, 1, 1};
      if (nd > a->rank) {
        // Surplus dimensions are accepted only when they are 1.
        int k = 0, surplus = nd - a->rank;
        for (int i = 0; i < nd; ++i) {
          if (surplus > 0 && PyArray_DIM(arr, i) == 1) {
            --surplus;
            continue;
          }
          if (k < a->rank) ext[k] = PyArray_DIM(arr, i);
          ++k;
        }
        if (k != a->rank) {
          PyErr_Format(vx_value_error, "%s.%s: expected an array of rank %d, got rank %d", comp, d->name, a->rank, nd);
          Py_DECREF(arr);
          return -1;
        }
      } else {
        for (int i = 0; i < nd; ++i) ext[i] = PyArray_DIM(arr, i);
      }
      if (d->rows && ext[0] >= 1 && ext[0] != d->rows) {
        PyErr_Format(vx_value_error, "%s.%s: expected %d rows, got %lld", comp, d->name, int(d->rows),
                     static_cast<long long>(ext[0]));
        Py_DECREF(arr);
        return -1;
      }
      if (a->allocated()) {
        bool same = true;
        for (int i = 0; i < a->rank; ++i) same &= a->extents[i] == ext[i];
        if (!same) datahandling_deallocatearray(a);
      }
      if (!a->allocated() && ext[0] >= 1) datahandling_allocatearray(a, ext);
      if (a->allocated() && a->size() > 0)
        std::memcpy(a->base, PyArray_DATA(arr), static_cast<size_t>(a->size()) * a->elsize);
      Py_DECREF(arr);
      return 0;
    }
  }
  return 0;
}

PyObject* dataentry_repr(PyObject* self) {
  return PyUnicode_FromFormat("<datum %s>", reinterpret_cast<DataEntry*>(self)->def->name);
}

// -------------------------------------------------------------- components

struct ComponentObject {
  PyObject_HEAD
  PyObject* members;  // name -> routine object or data entry
  PyObject* name;
  PyObject* doc;
  // The members again, by the identity of their names (open addressing,
  // made once all members are in): names written in code are interned, so
  // the usual lookup is a pointer compare. Other names go to the dictionary.
  PyObject** keys;
  PyObject** vals;
  size_t mask;
};
PyTypeObject ComponentType;

inline size_t name_slot(PyObject* name, size_t mask) {
  return static_cast<size_t>((reinterpret_cast<uintptr_t>(name) >> 4) * 0x9E3779B97F4A7C15ull >> 32) & mask;
}

// Fills the identity table from the members (which never change afterwards).
bool index_members(ComponentObject* c) {
  size_t cap = 8;
  while (cap < 2 * static_cast<size_t>(PyDict_Size(c->members))) cap *= 2;
  c->keys = new (std::nothrow) PyObject*[cap]();
  c->vals = new (std::nothrow) PyObject*[cap]();
  if (!c->keys || !c->vals) {
    PyErr_NoMemory();
    return false;
  }
  c->mask = cap - 1;
  Py_ssize_t pos = 0;
  PyObject *k, *v;
  while (PyDict_Next(c->members, &pos, &k, &v)) {
    size_t i = name_slot(k, c->mask);
    while (c->keys[i]) i = (i + 1) & c->mask;
    c->keys[i] = k;  // kept alive by the dictionary
    c->vals[i] = v;
  }
  return true;
}

PyObject* component_getattro(PyObject* self, PyObject* name) {
  auto* c = reinterpret_cast<ComponentObject*>(self);
  PyObject* m = nullptr;
  if (c->keys) {
    for (size_t i = name_slot(name, c->mask); c->keys[i]; i = (i + 1) & c->mask)
      if (c->keys[i] == name) {
        m = c->vals[i];
        break;
      }
  }
  if (!m) m = PyDict_GetItemWithError(c->members, name);
  if (m) {
    if (Py_IS_TYPE(m, &DataEntryType)) return data_get(reinterpret_cast<DataEntry*>(m));
    Py_INCREF(m);
    return m;
  }
  if (PyErr_Occurred()) return nullptr;
  return PyObject_GenericGetAttr(self, name);
}

int component_setattro(PyObject* self, PyObject* name, PyObject* v) {
  auto* c = reinterpret_cast<ComponentObject*>(self);
  PyObject* m = PyDict_GetItemWithError(c->members, name);
  if (m && Py_IS_TYPE(m, &DataEntryType))
    return data_set(reinterpret_cast<DataEntry*>(m), v, PyUnicode_AsUTF8(c->name));
  if (PyErr_Occurred()) return -1;
  PyErr_Format(PyExc_AttributeError, "%U.%U cannot be assigned", c->name, name);
  return -1;
}

PyObject* component_dir(PyObject* self, PyObject*) {
  return PyDict_Keys(reinterpret_cast<ComponentObject*>(self)->members);
}
PyObject* component_doc(PyObject* self, void*) {
  PyObject* d = reinterpret_cast<ComponentObject*>(self)->doc;
  Py_INCREF(d);
  return d;
}
PyObject* component_repr(PyObject* self) {
  return PyUnicode_FromFormat("<component %U>", reinterpret_cast<ComponentObject*>(self)->name);
}

PyMethodDef component_methods[] = {{"__dir__", component_dir, METH_NOARGS, nullptr},
                                   {nullptr, nullptr, 0, nullptr}};
PyGetSetDef component_getset[] = {{"__doc__", component_doc, nullptr, nullptr, nullptr},
                                  {nullptr, nullptr, nullptr, nullptr, nullptr}};

void flush_python_stdout() {
  // Native callers (ctypes, solver glue) may reach the library without the GIL.
  if (!Py_IsInitialized() || _Py_IsFinalizing()) return;
  PyGILState_STATE gil = PyGILState_Ensure();
  PyObject *t, *v, *tb;
  PyErr_Fetch(&t, &v, &tb);
  PyObject* out = PySys_GetObject("stdout");
  if (out && out != Py_None) {
    PyObject* r = PyObject_CallMethod(out, "flush", nullptr);
    Py_XDECREF(r);
  }
  PyErr_Clear();
  PyErr_Restore(t, v, tb);
  PyGILState_Release(gil);
}

bool ready_types() {
  for (PyTypeObject* t : {&RoutineType, &HolderType, &DataEntryType, &ComponentType}) Py_SET_REFCNT(t, 1);
  RoutineType.tp_name = "_vexlan.routine";
  RoutineType.tp_basicsize = sizeof(RoutineObject);
  RoutineType.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_VECTORCALL;
  RoutineType.tp_vectorcall_offset = offsetof(RoutineObject, vc);
  RoutineType.tp_call = PyVectorcall_Call;
  RoutineType.tp_getset = routine_getset;
  RoutineType.tp_repr = routine_repr;
  HolderType.tp_name = "_vexlan.buffer";
  HolderType.tp_basicsize = sizeof(BufferHolder);
  HolderType.tp_flags = Py_TPFLAGS_DEFAULT;
  HolderType.tp_dealloc = holder_dealloc;
  DataEntryType.tp_name = "_vexlan.datum";
  DataEntryType.tp_basicsize = sizeof(DataEntry);
  DataEntryType.tp_flags = Py_TPFLAGS_DEFAULT;
  DataEntryType.tp_repr = dataentry_repr;
  ComponentType.tp_name = "_vexlan.component";
  ComponentType.tp_basicsize = sizeof(ComponentObject);
  ComponentType.tp_flags = Py_TPFLAGS_DEFAULT;
  ComponentType.tp_getattro = component_getattro;
  ComponentType.tp_setattro = component_setattro;
  ComponentType.tp_methods = component_methods;
  ComponentType.tp_getset = component_getset;
  ComponentType.tp_repr = component_repr;
  return PyType_Ready(&RoutineType) == 0 && PyType_Ready(&HolderType) == 0 && PyType_Ready(&DataEntryType) == 0 &&
         PyType_Ready(&ComponentType) == 0;
}

#ifdef VX_ENGINE_TESTS
// The messages with which the planted rows are refused, as (name, message).
PyObject* planted_rows(PyObject*, PyObject*) {
  PyObject* out = PyList_New(0);
  for (const RoutineDef* d : registry().planted) {
    Routine r;
    std::string err;
    if (build_routine(d, r, err)) err.clear();
    PyErr_Clear();
    PyObject* t = Py_BuildValue("(ss)", d->signature, err.c_str());
    if (!t || PyList_Append(out, t) < 0) {
      Py_XDECREF(t);
      Py_DECREF(out);
      return nullptr;
    }
    Py_DECREF(t);
    Py_XDECREF(r.kwnames);
  }
  return out;
}
PyMethodDef module_methods[] = {{"_planted_rows", planted_rows, METH_NOARGS, nullptr}, {nullptr, nullptr, 0, nullptr}};
#else
PyMethodDef* module_methods = nullptr;
#endif

PyModuleDef moduledef = {PyModuleDef_HEAD_INIT, "_vexlan", nullptr, -1, module_methods, nullptr, nullptr, nullptr, nullptr};

ComponentObject* component(std::map<std::string, ComponentObject*>& comps, const std::string& name) {
  auto it = comps.find(name);
  if (it != comps.end()) return it->second;
  ComponentObject* c = PyObject_New(ComponentObject, &ComponentType);
  if (!c) return nullptr;
  c->members = PyDict_New();
  c->name = PyUnicode_FromString(name.c_str());
  c->doc = nullptr;
  c->keys = c->vals = nullptr;
  c->mask = 0;
  comps[name] = c;
  return c;
}

}  // namespace

}  // namespace vxb

using namespace vxb;

PyMODINIT_FUNC PyInit__vexlan() {
  import_array();  // returns NULL with ImportError when numpy's C interface is unusable
  if (!ready_types()) return nullptr;
  if (!PyArray_DescrConverter(PyUnicode_FromString("S1"), &s1_descr)) return nullptr;
  PyObject* m = PyModule_Create(&moduledef);
  if (!m) return nullptr;
  PyModule_AddStringConstant(m, "__version__", VX_VERSION);
  PyModule_AddStringConstant(m, "__f2py_numpy_version__", "1.24.4");
  vx_error = PyErr_NewException("_vexlan.error", nullptr, nullptr);
  if (!vx_error) return nullptr;
  Py_INCREF(vx_error);
  PyModule_AddObject(m, "__vexlan_error", vx_error);
  Py_INCREF(vx_error);
  PyModule_AddObject(m, "error", vx_error);
  // The refusal classes are module attributes too, so that a refusal raised
  // in a worker process can be pickled back to its parent.
  // f2py's IndexError for a complex array of no dimensions is a TypeError
  // too, the class of every other wrong kind of object.
  const struct {
    const char* name;
    PyObject* builtin;
    PyObject** cls;
    PyObject* also = nullptr;
  } refusals[] = {{"valueerror", PyExc_ValueError, &vx_value_error},
                  {"typeerror", PyExc_TypeError, &vx_type_error},
                  {"overflowerror", PyExc_OverflowError, &vx_overflow_error},
                  {"memoryerror", PyExc_MemoryError, &vx_memory_error},
                  {"indexerror", PyExc_IndexError, &vx_index_error, PyExc_TypeError}};
  for (const auto& x : refusals) {
    PyObject* bases = x.also ? PyTuple_Pack(3, vx_error, x.builtin, x.also) : PyTuple_Pack(2, vx_error, x.builtin);
    if (!bases) return nullptr;
    *x.cls = PyErr_NewException((std::string("_vexlan.") + x.name).c_str(), bases, nullptr);
    Py_DECREF(bases);
    if (!*x.cls) return nullptr;
    Py_INCREF(*x.cls);
    PyModule_AddObject(m, x.name, *x.cls);
  }

  std::map<std::string, ComponentObject*> comps;
  std::map<std::string, std::vector<std::pair<std::string, const Routine*>>> routine_names;
  std::map<std::string, std::vector<std::string>> data_names;
  for (const RoutineDef* d : registry().routines) {
    auto* r = new Routine;
    std::string err;
    if (!build_routine(d, *r, err)) {
      if (!PyErr_Occurred())
        PyErr_Format(PyExc_ImportError, "binding table of %s.%s: %s", d->component, d->native, err.c_str());
      return nullptr;
    }
    ComponentObject* c = component(comps, d->component);
    if (!c) return nullptr;
    if (PyDict_GetItemString(c->members, r->pyname.c_str())) {
      PyErr_Format(PyExc_ImportError, "%s.%s bound twice", d->component, r->pyname.c_str());
      return nullptr;
    }
    note_native(*r);
    RoutineObject* o = PyObject_New(RoutineObject, &RoutineType);
    o->vc = routine_vectorcall;
    o->r = r;
    o->cap = PyCapsule_New(d->fn, nullptr, nullptr);
    PyDict_SetItemString(c->members, r->pyname.c_str(), reinterpret_cast<PyObject*>(o));
    Py_DECREF(o);
    routine_names[d->component].emplace_back(r->pyname, r);
  }
  for (const DataDef* d : registry().data) {
    ComponentObject* c = component(comps, d->component);
    if (!c) return nullptr;
    DataEntry* e = PyObject_New(DataEntry, &DataEntryType);
    e->def = d;
    e->cached = nullptr;
    PyDict_SetItemString(c->members, d->name, reinterpret_cast<PyObject*>(e));
    Py_DECREF(e);
    data_names[d->component].push_back(d->name);
  }
  std::string mdoc =
      "Routines and data of the composite-mechanics library.\n\nEach component is an attribute of this module;\n"
      "help() of a component lists its routines with their signatures and what each computes:\n";
  for (auto& [name, c] : comps) {
    std::string cdoc = "Component " + name + ".\n";
    auto& rn = routine_names[name];
    auto& dn = data_names[name];
    if (!rn.empty()) {
      cdoc += "\nRoutines:\n";
      mdoc += "  " + name + " --- ";
      for (size_t k = 0; k < rn.size(); ++k) {
        cdoc += routine_summary(*rn[k].second);
        mdoc += (k ? ", " : "") + rn[k].first + "()";
      }
      mdoc += "\n";
    } else {
      mdoc += "  " + name + " --- data\n";
    }
    if (!dn.empty()) {
      cdoc += "\nData:\n";
      for (auto& x : dn) cdoc += "  " + x + "\n";
    }
    c->doc = PyUnicode_FromString(cdoc.c_str());
    if (!index_members(c)) return nullptr;
    PyModule_AddObject(m, name.c_str(), reinterpret_cast<PyObject*>(c));
  }
  PyModule_AddObject(m, "__doc__", PyUnicode_FromString(mdoc.c_str()));
  errorhandling_setoutputflush(flush_python_stdout);
  return m;
}
