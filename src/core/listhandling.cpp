// Growable process-wide lists of the component listhandling.
//
// Nine lists (three integer, three real, three complex) live here and are
// reached only through the routines below. A slot that holds no value holds
// the list's empty-slot value; the used part ends before the first such slot.
#include "vexlan/listhandling.h"

#include <cstdint>
#include <cstdlib>

#include "listhandling_impl.h"
#include "vx.h"

namespace vx {
uint64_t list_changes = 0;
}

namespace {

constexpr int32_t kDefaultInc = 500;
constexpr int32_t kAllocFailed = 5014;

// `used` caches where the used part ends for the empty-slot value `def`
// (valid while `known`), so that appends and size queries need not rescan.
template <class T>
struct List {
  T* data = nullptr;
  int32_t size = 0;
  bool alloc = false;
  bool known = false;
  int32_t used = 0;
  T def{};
};

List<int32_t> g_int[3];
List<double> g_real[3];
List<vx::c16> g_cmplx[3];

template <class T>
T default_empty();
template <>
int32_t default_empty<int32_t>() { return vx::ihuge; }
template <>
double default_empty<double>() { return vx::huge; }
template <>
vx::c16 default_empty<vx::c16>() { return {vx::huge, vx::huge}; }

// Exact equality: a NaN equals nothing, 0.0 equals -0.0, complex values
// when both parts are equal (which is what operator== does for each type).
template <class T>
inline bool same(const T& a, const T& b) { return a == b; }

template <class T>
inline T value_or(const T* p) { return p ? *p : default_empty<T>(); }

template <class T>
List<T>* pick(List<T> (&lists)[3], const int32_t* listid) {
  if (!listid || *listid < 1 || *listid > 3) return nullptr;
  return &lists[*listid - 1];
}

template <class T>
void fill(T* p, int64_t n, const T& v) {
  for (int64_t i = 0; i < n; ++i) p[i] = v;
}

// Allocates n slots (none when n < 1) holding def; false when memory is short.
template <class T>
bool allocate(List<T>& L, int64_t n, const T& def) {
  if (n < 0) n = 0;
  T* p = static_cast<T*>(std::malloc(static_cast<size_t>(n > 0 ? n : 1) * sizeof(T)));
  if (!p) return false;
  fill(p, n, def);
  L.data = p;
  L.size = static_cast<int32_t>(n);
  L.alloc = true;
  L.known = true;
  L.used = 0;
  L.def = def;
  return true;
}

template <class T>
void release(List<T>& L) {
  std::free(L.data);
  L = List<T>{};
}

// Grows by inc slots holding def; on failure the list stays as it was.
template <class T>
bool grow(List<T>& L, int32_t inc, const T& def) {
  int64_t n = static_cast<int64_t>(L.size) + inc;
  if (n > INT32_MAX) return false;
  T* p = static_cast<T*>(std::realloc(L.data, static_cast<size_t>(n) * sizeof(T)));
  if (!p) return false;
  fill(p + L.size, n - L.size, def);
  L.data = p;
  L.size = static_cast<int32_t>(n);
  if (!same(def, L.def)) L.known = false;  // the new tail is empty for another value only
  return true;
}

// Used length: slots before the first one equal to def.
template <class T>
int32_t scan_used(const List<T>& L, const T& def, int32_t from = 0) {
  for (int32_t i = from; i < L.size; ++i)
    if (same(L.data[i], def)) return i;
  return L.size;
}

// The same, from the cache when it holds for def; a scan refreshes the cache.
template <class T>
int32_t used_length(List<T>& L, const T& def) {
  if (L.known && same(def, L.def)) return L.used;
  L.used = scan_used(L, def);
  L.def = def;
  L.known = same(def, def);  // a NaN marker never matches: always scan
  return L.used;
}

inline int32_t increment(const int32_t* allocinc) {
  return (allocinc && *allocinc >= 1) ? *allocinc : kDefaultInc;
}

// Appends one value to an allocated list. `hint` is a slot index before which
// no slot equals def; it lets a run of appends skip the filled part.
template <class T>
int32_t append_one(List<T>& L, const T& v, bool unique, int32_t inc, const T& def, int32_t& hint) {
  if (unique)
    for (int32_t i = 0; i < L.size; ++i)
      if (same(L.data[i], v)) return 0;
  int32_t p = hint;
  while (p < L.size && !same(L.data[p], def)) ++p;
  if (p == L.size && !grow(L, inc, def)) return -kAllocFailed;
  L.data[p] = v;
  if (L.known && same(def, L.def)) {
    // p was the first empty slot; a value that reads as empty keeps it so.
    if (p == L.used && !same(v, def)) L.used = scan_used(L, def, p + 1);
  } else {
    L.known = false;
  }
  // A stored value that equals def still reads as empty: the next append
  // lands in the same slot.
  hint = same(v, def) ? p : p + 1;
  return 1;
}

template <class T>
bool ensure_allocated(List<T>& L, int32_t inc, const T& def) {
  return L.alloc || allocate(L, inc, def);
}

template <class T>
void append_scalar(List<T> (&lists)[3], const int32_t* listid, const T* scalar, const int32_t* uniflag,
                   int32_t* iresult, const int32_t* allocinc, const T* defval) {
  *iresult = 0;
  List<T>* L = pick(lists, listid);
  const int32_t inc = increment(allocinc);
  const T def = value_or(defval);
  if (!L || !ensure_allocated(*L, inc, def)) {
    *iresult = -kAllocFailed;
    return;
  }
  // Every slot before the used part's end holds a value: start there.
  int32_t hint = (L->known && same(def, L->def)) ? L->used : 0;
  *iresult = append_one(*L, *scalar, uniflag && *uniflag == 1, inc, def, hint);
}

template <class T>
void append_array(List<T> (&lists)[3], const int32_t* listid, const T* array, const int32_t* narray,
                  const int32_t* uniflag, int32_t* iresult, const int32_t* allocinc, const T* defval) {
  *iresult = 0;
  List<T>* L = pick(lists, listid);
  const int32_t inc = increment(allocinc);
  const T def = value_or(defval);
  if (!L || !ensure_allocated(*L, inc, def)) {
    *iresult = -kAllocFailed;
    return;
  }
  const int32_t na = narray && *narray > 0 ? *narray : 0;
  const int32_t k = used_length(*L, def);
  if (uniflag && *uniflag == 1) {
    if (na == 0) return;  // an empty run is always present
    for (int64_t p = 0; p + na <= k; ++p) {
      int32_t q = 0;
      while (q < na && same(L->data[p + q], array[q])) ++q;
      if (q == na) return;
    }
  }
  int32_t hint = k;
  for (int32_t i = 0; i < na; ++i) {
    *iresult = append_one(*L, array[i], false, inc, def, hint);
    if (*iresult < 0) return;
  }
}

template <class T>
void copy_out(List<T> (&lists)[3], const int32_t* listid, T* copy, const int32_t* ncopy, int32_t* ierror) {
  *ierror = -1;
  List<T>* L = pick(lists, listid);
  if (!L || !L->alloc) return;
  int32_t n = ncopy ? *ncopy : 0;
  if (n > L->size) n = L->size;  // what lies beyond the list stays as it was
  for (int32_t i = 0; i < n; ++i) copy[i] = L->data[i];
  *ierror = 0;
}

template <class T>
void reset(List<T>& L, const int32_t* le, int32_t* ierror, const T& def) {
  if (L.alloc) {
    *ierror = kAllocFailed;
  } else if (!allocate(L, le ? *le : 0, def)) {
    *ierror = kAllocFailed;
    return;
  } else {
    *ierror = 0;
  }
  fill(L.data, L.size, def);
  L.known = true;
  L.used = 0;
  L.def = def;
}

}  // namespace

VX_API void DeallocateList(const int32_t* listid, const int32_t* ifflag, int32_t* ierror) {
  ++vx::list_changes;
  const int32_t kind = ifflag ? *ifflag : -1;
  bool freed = false;
  auto drop = [&](auto& lists) {
    auto* L = pick(lists, listid);
    if (L && L->alloc) {
      release(*L);
      freed = true;
    }
  };
  if (kind == 0) drop(g_int);
  else if (kind == 1) drop(g_real);
  else if (kind == 2) drop(g_cmplx);
  *ierror = freed ? 0 : 1;
}

VX_API void AllocateList(const int32_t* listid, const int32_t* ifflag, const int32_t* le, int32_t* ierror,
                         const vx_complex* defcmplx, const double* defreal, const int32_t* defint) {
  ++vx::list_changes;
  const int32_t kind = ifflag ? *ifflag : -1;
  *ierror = kAllocFailed;  // no such list
  if (kind == 0) {
    if (auto* L = pick(g_int, listid)) reset(*L, le, ierror, value_or(defint));
  } else if (kind == 1) {
    if (auto* L = pick(g_real, listid)) reset(*L, le, ierror, value_or(defreal));
  } else if (kind == 2) {
    if (auto* L = pick(g_cmplx, listid)) reset(*L, le, ierror, value_or(defcmplx));
  }
}

VX_API void GetAllocationStatus(vx_l1* checkid, const int32_t* listid, const int32_t* ifflag) {
  const int32_t kind = ifflag ? *ifflag : -1;
  const bool* alloc = nullptr;
  if (kind == 0) {
    if (auto* L = pick(g_int, listid)) alloc = &L->alloc;
  } else if (kind == 1) {
    if (auto* L = pick(g_real, listid)) alloc = &L->alloc;
  } else if (kind == 2) {
    if (auto* L = pick(g_cmplx, listid)) alloc = &L->alloc;
  }
  if (alloc) *checkid = *alloc ? 1 : 0;
}

VX_API int32_t GetSizeOfList(const int32_t* listid, const int32_t* ifflag, const vx_complex* defcmplx,
                             const double* defreal, const int32_t* defint) {
  const int32_t kind = ifflag ? *ifflag : -1;
  auto size_of = [](auto* L, const auto& def) -> int32_t {
    return (L && L->alloc) ? used_length(*L, def) : -1;
  };
  if (kind == 0) return size_of(pick(g_int, listid), value_or(defint));
  if (kind == 1) return size_of(pick(g_real, listid), value_or(defreal));
  if (kind == 2) return size_of(pick(g_cmplx, listid), value_or(defcmplx));
  return -1;
}

VX_API void iGetCopyOfList(const int32_t* listid, int32_t* copy, const int32_t* ncopy, int32_t* ierror) {
  copy_out(g_int, listid, copy, ncopy, ierror);
}
VX_API void fGetCopyOfList(const int32_t* listid, double* copy, const int32_t* ncopy, int32_t* ierror) {
  copy_out(g_real, listid, copy, ncopy, ierror);
}
VX_API void cGetCopyOfList(const int32_t* listid, vx_complex* copy, const int32_t* ncopy, int32_t* ierror) {
  copy_out(g_cmplx, listid, copy, ncopy, ierror);
}

VX_API void iAppendScalar2List(const int32_t* listid, const int32_t* scalar, const int32_t* uniflag,
                               int32_t* iresult, const int32_t* allocinc, const int32_t* defval) {
  ++vx::list_changes;
  append_scalar(g_int, listid, scalar, uniflag, iresult, allocinc, defval);
}
VX_API void fAppendScalar2List(const int32_t* listid, const double* scalar, const int32_t* uniflag,
                               int32_t* iresult, const int32_t* allocinc, const double* defval) {
  ++vx::list_changes;
  append_scalar(g_real, listid, scalar, uniflag, iresult, allocinc, defval);
}
VX_API void cAppendScalar2List(const int32_t* listid, const vx_complex* scalar, const int32_t* uniflag,
                               int32_t* iresult, const int32_t* allocinc, const vx_complex* defval) {
  ++vx::list_changes;
  append_scalar(g_cmplx, listid, scalar, uniflag, iresult, allocinc, defval);
}

VX_API void iAppendArray2List(const int32_t* listid, const int32_t* array, const int32_t* narray,
                              const int32_t* uniflag, int32_t* iresult, const int32_t* allocinc,
                              const int32_t* defval) {
  ++vx::list_changes;
  append_array(g_int, listid, array, narray, uniflag, iresult, allocinc, defval);
}
VX_API void fAppendArray2List(const int32_t* listid, const double* array, const int32_t* narray,
                              const int32_t* uniflag, int32_t* iresult, const int32_t* allocinc,
                              const double* defval) {
  ++vx::list_changes;
  append_array(g_real, listid, array, narray, uniflag, iresult, allocinc, defval);
}
VX_API void cAppendArray2List(const int32_t* listid, const vx_complex* array, const int32_t* narray,
                              const int32_t* uniflag, int32_t* iresult, const int32_t* allocinc,
                              const vx_complex* defval) {
  ++vx::list_changes;
  append_array(g_cmplx, listid, array, narray, uniflag, iresult, allocinc, defval);
}
