// Scratch storage for one call: on the stack up to N elements, on the heap
// beyond, so that small problems (the common case, once per integration point)
// never touch the allocator. Contents are uninitialised. Allocation failure
// ends the process like every other allocation of the library.
//
// Work containers whose size follows the data (vx::Vec, vx::HashMap,
// vx::HashSet, or any container with the allocator FatalAlloc) fail the same
// way: no std::bad_alloc leaves an exported routine.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "vx.h"

namespace vx {

// The allocator of every work container: the failure ends the process.
template <class T>
struct FatalAlloc {
  using value_type = T;
  FatalAlloc() = default;
  template <class U>
  FatalAlloc(const FatalAlloc<U>&) noexcept {}
  T* allocate(size_t n) {
    if (n > SIZE_MAX / sizeof(T)) fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(SIZE_MAX));
    void* p = std::malloc(n ? n * sizeof(T) : 1);
    if (!p) fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(n * sizeof(T)));
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t) noexcept { std::free(p); }
  template <class U>
  bool operator==(const FatalAlloc<U>&) const noexcept {
    return true;
  }
};

template <class T, size_t N>
class Scratch {
 public:
  explicit Scratch(size_t count) {
    if (count <= N) {
      p_ = local_;
      return;
    }
    p_ = FatalAlloc<T>().allocate(count);
  }
  ~Scratch() {
    if (p_ != local_) FatalAlloc<T>().deallocate(p_, 0);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  T* get() { return p_; }
  T* data() { return p_; }
  T& operator[](size_t i) { return p_[i]; }
  operator T*() { return p_; }

 private:
  T local_[N];
  T* p_;
};

template <class T>
using Vec = std::vector<T, FatalAlloc<T>>;
template <class K, class V>
using HashMap = std::unordered_map<K, V, std::hash<K>, std::equal_to<K>, FatalAlloc<std::pair<const K, V>>>;
template <class K>
using HashSet = std::unordered_set<K, std::hash<K>, std::equal_to<K>, FatalAlloc<K>>;

}  // namespace vx
