// Internal helpers of the component elementhandling shared by its source
// files (element kinds and the shell set of the element data).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx::elem {

// True when the text s(1:n) begins with x.
bool starts_with(const char* s, size_t n, const char* x);
// Element kind of a solver element name.
int32_t kind_of(const char* s, size_t n);
// Kinds outside the shell set: 0, 6, 7, 9, 10, 11.
bool in_ext2dkind(int32_t kind);
// Element positions of the shell set: the used entries of elemindices, or
// 1..nelem when it is not allocated.
void shell_set(std::vector<int32_t>& set);

// Cross and dot products of 3-vectors.
inline void cross(const double* a, const double* b, double* c) {
  c[0] = a[1] * b[2] - a[2] * b[1];
  c[1] = a[2] * b[0] - a[0] * b[2];
  c[2] = a[0] * b[1] - a[1] * b[0];
}
inline double dot3(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace vx::elem
