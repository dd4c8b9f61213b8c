// Scratch storage for one call: on the stack up to N elements, on the heap
// beyond. Allocation failure ends the process like every other allocation of
// the library.
#pragma once
#include <cstdint>
#include <cstdlib>
#include "scratch.h"

namespace vx::work {

template <class T, size_t N>
using Buf = vx::Scratch<T, N>;

// Product of two counts as a size, negative counts taken as 0.
inline size_t count2(int64_t a, int64_t b) {
  if (a <= 0 || b <= 0) return 0;
  return static_cast<size_t>(a) * static_cast<size_t>(b);
}

}  // namespace vx::work
