// Scratch storage for one call: on the stack up to N elements, on the heap
// beyond. Allocation failure ends the process like every other allocation of
// the library.
#pragma once
#include <cstdint>
#include <cstdlib>
#include "vx.h"

namespace vx::work {

template <class T, size_t N>
class Buf {
 public:
  explicit Buf(size_t n) {
    if (n <= N) {
      p_ = stack_;
      return;
    }
    if (n > SIZE_MAX / sizeof(T)) fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(-1));
    p_ = static_cast<T*>(std::malloc(n * sizeof(T)));
    if (!p_) fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(n * sizeof(T)));
  }
  ~Buf() {
    if (p_ != stack_) std::free(p_);
  }
  Buf(const Buf&) = delete;
  Buf& operator=(const Buf&) = delete;
  T* data() { return p_; }
  T& operator[](size_t i) { return p_[i]; }

 private:
  T stack_[N];
  T* p_;
};

// Product of two counts as a size, negative counts taken as 0.
inline size_t count2(int64_t a, int64_t b) {
  if (a <= 0 || b <= 0) return 0;
  return static_cast<size_t>(a) * static_cast<size_t>(b);
}

}  // namespace vx::work
