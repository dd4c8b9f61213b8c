// Internal helpers of the component elementhandling shared by its source
// files (element kinds and the shell set of the element data).
#pragma once
#include <cstddef>
#include <cstdint>

namespace vx::elem {

// A counter that the arrays it indexes can hold: from 0 to their extent.
inline bool count_fits(int64_t count, int64_t extent) { return count >= 0 && count <= extent; }

// True when the text s(1:n) begins with x.
bool starts_with(const char* s, size_t n, const char* x);
// Element kind of a solver element name.
int32_t kind_of(const char* s, size_t n);
// Kinds outside the shell set: 0, 6, 7, 9, 10, 11.
bool in_ext2dkind(int32_t kind);
// The shell set: the element positions held in the first nelem entries of
// elemindices (entries below 1 unused) or, when it is not allocated,
// 1..nelem. A walk visits only the positions up to `columns`, the element
// columns of the arrays the caller uses; fits() tells whether the set agrees
// with the count and lies there: nelem from 0 to `columns`, an index list
// that holds nelem entries, each position at most nelem. Nothing is
// allocated and nothing past the arrays is read, so a count that disagrees
// with the arrays costs no memory and is found before any work.
class ShellSet {
 public:
  explicit ShellSet(int64_t columns);
  bool fits() const { return fits_; }
  bool empty() const { return used_ == 0; }
  // The walk: for k in 0..size()-1, position at(k), where 0 means none.
  int64_t size() const { return index_ ? nindex_ : used_; }
  int32_t at(int64_t k) const {
    if (!index_) return static_cast<int32_t>(k + 1);
    const int32_t e = index_[k];
    return e >= 1 && e <= columns_ ? e : 0;
  }

 private:
  const int32_t* index_ = nullptr;
  int64_t nindex_ = 0, columns_, used_ = 0;
  bool fits_ = true;
};

// Cross and dot products of 3-vectors.
inline void cross(const double* a, const double* b, double* c) {
  c[0] = a[1] * b[2] - a[2] * b[1];
  c[1] = a[2] * b[0] - a[0] * b[2];
  c[2] = a[0] * b[1] - a[1] * b[0];
}
inline double dot3(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace vx::elem
