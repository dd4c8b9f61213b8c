// Resizable, reference-counted arrays for the process-wide data.
//
// Storage lives in a Buffer that Python views may also hold on to: when the
// library frees or reallocates an array, a view created earlier keeps the old
// storage alive instead of pointing at freed memory.
#pragma once
#include <atomic>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include "vx.h"

namespace vx {

struct Buffer {
  std::atomic<long> refs{1};
  void* data = nullptr;
  size_t bytes = 0;
  static Buffer* create(size_t bytes);  // ends the process when out of memory
  void retain() { refs.fetch_add(1, std::memory_order_relaxed); }
  // Inline: a Python view made by the module releases the storage it holds
  // without reaching into the library's internals.
  void release() {
    if (refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      std::free(data);
      delete this;
    }
  }
};

// Type-erased part, used by the binding to expose any array. Its layout is
// the public descriptor vx_array, so that C callers read the process-wide
// arrays in place.
struct ArrayBase : vx_array {
  constexpr ArrayBase(int r, int es, char k, const char* nm)
      : vx_array{nullptr, nullptr, r, es, k, 0, {0, 0, 0, 0, 0, 0, 0}, nm} {}
  ArrayBase(const ArrayBase&) = delete;
  ArrayBase& operator=(const ArrayBase&) = delete;
  ~ArrayBase() = default;  // process-wide data outlives every caller

  bool allocated() const { return isallocated != 0; }
  Buffer* buffer() const { return static_cast<Buffer*>(owner); }
  int64_t size() const {
    if (!isallocated) return 0;
    int64_t s = 1;
    for (int i = 0; i < rank; ++i) s *= extents[i];
    return s;
  }
  // Extents below 0 count as 0. Allocates zero-filled storage whether or not the
  // array was allocated; callers that must keep existing data test allocated().
  void allocate_raw(const int64_t* e);
  // Allocation of module data: ends the process like the original allocation
  // statement when the array is already allocated.
  void allocate_checked(const int64_t* e);
  void free();
};
static_assert(sizeof(ArrayBase) == sizeof(vx_array), "ArrayBase is the public descriptor");

template <class T, int R>
struct Array : ArrayBase {
  static constexpr char kind_of() {
    if constexpr (std::is_same_v<T, double>) return 'f';
    else if constexpr (std::is_same_v<T, int32_t>) return 'i';
    else return 'c';
  }
  constexpr explicit Array(const char* nm) : ArrayBase(R, sizeof(T), kind_of(), nm) {}

  T* data() const { return static_cast<T*>(base); }
  int64_t extent(int d) const { return extents[d - 1]; }  // 1-based dimension number

  // Allocates when unallocated; extents below 0 count as 0.
  void allocate(std::initializer_list<int64_t> e) {
    int64_t v[7] = {0, 0, 0, 0, 0, 0, 0};
    int i = 0;
    for (auto x : e) v[i++] = x;
    allocate_raw(v);
  }
  void fill(T v) {
    T* p = data();
    for (int64_t i = 0, n = size(); i < n; ++i) p[i] = v;
  }

  // 1-based column-major element access; bounds-checked in debug builds.
  template <class... I>
  T& operator()(I... idx) const {
    static_assert(sizeof...(I) == R, "wrong number of indices");
    const int64_t ix[] = {static_cast<int64_t>(idx)...};
    int64_t off = 0, mul = 1;
    for (int d = 0; d < R; ++d) {
#ifndef NDEBUG
      assert(isallocated && ix[d] >= 1 && ix[d] <= extents[d]);
#endif
      off += (ix[d] - 1) * mul;
      mul *= extents[d];
    }
    return data()[off];
  }
  // True when the 1-based indices lie inside the current extents.
  template <class... I>
  bool contains(I... idx) const {
    const int64_t ix[] = {static_cast<int64_t>(idx)...};
    if (!isallocated) return false;
    for (int d = 0; d < R; ++d)
      if (ix[d] < 1 || ix[d] > extents[d]) return false;
    return true;
  }
};

}  // namespace vx
