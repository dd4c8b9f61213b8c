// Inline array helpers for native code: searches, membership tests, copies,
// fills and the small standard matrices. The exported C routines of the
// component `utility` are thin wrappers over these, so native callers can use
// them directly without the pointer-argument overhead.
//
// Conventions: lengths are 32-bit; positions returned are 1-based; equality
// is exact (operator==: a NaN equals nothing, 0.0 equals -0.0, complex values
// when both parts are equal). A length below 1 means an empty array.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <type_traits>
#include "vx.h"

namespace vx::util {

// ---------------------------------------------------------------- searching

// First 1-based position of `e` in a(1:n), `notfound` when absent.
template <class T>
inline i4 find_location(const T& e, const T* a, i4 n, i4 notfound = -1) {
  for (i4 i = 0; i < n; ++i)
    if (a[i] == e) return i + 1;
  return notfound;
}
template <class T>
inline i4 find_location(const T& e, std::span<const T> a, i4 notfound = -1) {
  return find_location(e, a.data(), static_cast<i4>(a.size()), notfound);
}

// First 1-based start of sub(1:sdim) inside a(1:ndim); 1 for an empty
// sub-array that fits, `notfound` when sub is longer than a or absent.
template <class T>
inline i4 find_subarray(const T* sub, const T* a, i4 sdim, i4 ndim, i4 notfound = -1) {
  const int64_t last = int64_t(ndim) - int64_t(sdim) + 1;
  if (last < 1) return notfound;
  if (sdim < 1) return 1;
  for (int64_t i = 0; i < last; ++i) {
    i4 t = 0;
    while (t < sdim && a[i + t] == sub[t]) ++t;
    if (t == sdim) return static_cast<i4>(i + 1);
  }
  return notfound;
}

// True when `s` occurs in a(1:n).
template <class T>
inline bool in_list(const T& s, const T* a, i4 n) {
  for (i4 i = 0; i < n; ++i)
    if (a[i] == s) return true;
  return false;
}

template <class T>
inline bool in_list(const T& s, std::span<const T> a) {
  return in_list(s, a.data(), static_cast<i4>(a.size()));
}

// True when every element of a(1:n) equals `s` (true for an empty list).
template <class T>
inline bool ex_list(const T& s, const T* a, i4 n) {
  for (i4 i = 0; i < n; ++i)
    if (!(a[i] == s)) return false;
  return true;
}

// 1-based position of the first largest value of a(1:n), or of the first NaN:
// an entry that is not a number leaves the largest unknown. 1 for n below 2.
inline i4 largest_location(const double* a, i4 n) {
  i4 m = 0;
  for (i4 i = 1; i < n && a[m] == a[m]; ++i)
    if (a[i] > a[m] || a[i] != a[i]) m = i;
  return m + 1;
}

// xlow <= x <= xup; false when any argument is a NaN.
template <class T>
inline bool bounded(const T& x, const T& xlow, const T& xup) {
  return xlow <= x && x <= xup;
}

// ainb(i) = first position of a(i) in b(1:n), -1 when absent.
template <class T>
inline void get_pairs(i4* ainb, const T* a, const T* b, i4 n) {
  for (i4 i = 0; i < n; ++i) ainb[i] = find_location(a[i], b, n, -1);
}

// Positions (1-based, increasing) of the elements of a(1:n) that are not in
// sub(1:nsub), followed by -1 up to n entries.
inline void indices_excluding(i4* indices, const i4* a, const i4* sub, i4 n, i4 nsub) {
  i4 c = 0;
  for (i4 i = 0; i < n; ++i)
    if (!in_list(a[i], sub, nsub)) indices[c++] = i + 1;
  for (i4 i = c; i < n; ++i) indices[i] = -1;
}

// --------------------------------------------------------------- ordering

namespace detail {
template <class T>
inline bool is_nan(const T& v) {
  if constexpr (std::is_floating_point_v<T>) return std::isnan(v);
  else return false;
}
// Strict order of the stable ordering: NaN after every number.
template <class T>
inline bool before(const T& u, const T& v, bool descending) {
  if (is_nan(u)) return false;
  if (is_nan(v)) return true;
  return descending ? v < u : u < v;
}
}  // namespace detail

// iloc(1:n) = the stable ordering permutation of x(1:n), ascending, or
// descending for sflag = -1; equal values keep their input order, NaN values
// come last in input order. Allocation-free for short vectors.
template <class T>
inline void get_continuous(const T* x, i4 n, i4* iloc, i4 sflag) {
  if (n < 1) return;
  const bool desc = (sflag == -1);
  for (i4 i = 0; i < n; ++i) iloc[i] = i + 1;
  auto less = [x, desc](i4 p, i4 q) { return detail::before(x[p - 1], x[q - 1], desc); };
  if (n > 48) {
    std::stable_sort(iloc, iloc + n, less);
    return;
  }
  // Stable insertion sort: the same permutation as repeated selection of the
  // extreme unused value with ties to the lowest position.
  for (i4 i = 1; i < n; ++i) {
    const i4 v = iloc[i];
    i4 j = i;
    while (j > 0 && less(v, iloc[j - 1])) {
      iloc[j] = iloc[j - 1];
      --j;
    }
    iloc[j] = v;
  }
}

// Merge of x(1:nx) and y(1:ny) into merged(1:nx+ny): values only in x, values
// only in y, shared values once, then `defval`. Zero doubles as the empty-slot
// marker while merging, which gives the documented placement of a zero. Slots
// that a NaN would need beyond the result are skipped, never written.
template <class T>
inline void get_merged(T* merged, const T* x, const T* y, i4 nx, i4 ny, const T& defval) {
  const T z{};
  nx = std::max<i4>(nx, 0);
  ny = std::max<i4>(ny, 0);
  const i4 nt = nx + ny;
  i4 c = 0;
  for (i4 i = 0; i < nx; ++i)
    if (!in_list(x[i], y, ny)) merged[c++] = x[i];
  for (i4 j = 0; j < ny; ++j)
    if (!in_list(y[j], x, nx)) merged[c++] = y[j];
  for (i4 i = c; i < nt; ++i) merged[i] = z;
  for (i4 i = 0; i < nx; ++i) {
    if (in_list(x[i], merged, nt)) continue;
    const i4 s = find_location(z, merged, nt, 0);
    if (s > 0) merged[s - 1] = x[i];
  }
  for (i4 i = 0; i < nt; ++i)
    if (merged[i] == z) merged[i] = defval;
  if (in_list(z, x, nx) || in_list(z, y, ny)) {
    const i4 s = find_location(defval, merged, nt, 0);
    if (s > 0) merged[s - 1] = z;
  }
}

// ------------------------------------------------------- copies and fills

template <class T>
inline void copy(const T* a, T* b, int64_t n) {
  for (int64_t i = 0; i < n; ++i) b[i] = a[i];
}
// Copies min(a.size(), b.size()) elements.
template <class T>
inline void copy(std::span<const T> a, std::span<T> b) {
  copy(a.data(), b.data(), static_cast<int64_t>(std::min(a.size(), b.size())));
}

template <class T>
inline void fill(T* a, int64_t n, const T& v) {
  for (int64_t i = 0; i < n; ++i) a[i] = v;
}
template <class T>
inline void fill(std::span<T> a, const T& v) {
  fill(a.data(), static_cast<int64_t>(a.size()), v);
}

inline void zero(double* a, int64_t n) { fill(a, n, 0.0); }

// Product of extents, 0 when any extent is below 1.
inline int64_t extent_product(std::initializer_list<i4> e) {
  int64_t p = 1;
  for (i4 v : e) {
    if (v < 1) return 0;
    p *= v;
  }
  return p;
}

namespace detail {
template <class T, int D>
inline void fill_dims(T* p, const int64_t* ext, const int64_t* str, const T& v) {
  if constexpr (D == 0) {
    const int64_t n = ext[0], s = str[0];
    if (s == 1) {
      for (int64_t i = 0; i < n; ++i) p[i] = v;
    } else {
      for (int64_t i = 0; i < n; ++i) p[i * s] = v;
    }
  } else {
    for (int64_t i = 0; i < ext[D]; ++i) fill_dims<T, D - 1>(p + i * str[D], ext, str, v);
  }
}
}  // namespace detail

// Stores v in every element of the strided view; a view with an empty
// dimension (or a null base) is left untouched. R is the rank.
template <class T, int R>
inline void fill_view(const vx_view& a, const T& v) {
  static_assert(R >= 1 && R <= 7);
  if (!a.base) return;
  int64_t ext[R], str[R];
  bool contiguous = true;
  int64_t expect = 1;
  for (int d = 0; d < R; ++d) {
    ext[d] = a.extent[d];
    str[d] = a.stride[d];
    if (ext[d] < 1) return;
    if (ext[d] > 1 && str[d] != expect) contiguous = false;
    expect *= ext[d];
  }
  T* p = static_cast<T*>(a.base);
  if (contiguous) fill(p, expect, v);
  else detail::fill_dims<T, R - 1>(p, ext, str, v);
}

// ------------------------------------------------------------- NaN guards

// Whether any of p[0..n) is NaN: an input whose verdict is unknown.
inline bool any_nan(const double* p, size_t n) {
  for (size_t k = 0; k < n; ++k)
    if (std::isnan(p[k])) return true;
  return false;
}

// The smaller of two limits, NaN when either is: std::min passes over a NaN
// second argument, and a limit that is not known must not be passed over.
inline double min_or_nan(double a, double b) { return std::isnan(b) ? b : std::min(a, b); }

// ------------------------------------------------------------ conversions

// v truncated towards zero into `out` when the result is a 32-bit integer;
// false, `out` untouched, for a NaN, an infinity or a value beyond the range,
// whose conversion by a cast is undefined. The caller applies its input's
// rule to false: refuse the value, record -2, or take the result as unknown.
inline bool to_i4(double v, i4& out) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return false;
  out = static_cast<i4>(v);
  return true;
}

// ------------------------------------------------------ standard matrices

// a(n,n) = lambda on the diagonal, 0.0 elsewhere.
inline void scalar_matrix(double* a, i4 n, double lambda) {
  if (n < 1) return;
  const int64_t nn = int64_t(n) * n;
  for (int64_t i = 0; i < nn; ++i) a[i] = 0.0;
  for (int64_t i = 0; i < nn; i += n + 1) a[i] = lambda;
}
inline void identity(double* a, i4 n) { scalar_matrix(a, n, 1.0); }

// Masked column copy: a(1:m, c) = b(1:m, c) for every entry c of mask(1:n),
// in mask order. Entries outside 1..ncols (the columns that both a and b
// hold) are skipped, so a bad mask cannot reach past either matrix.
inline void copy_masked_columns(double* a, const double* b, const i4* mask, i4 m, i4 n, int64_t ncols) {
  if (m < 1) return;
  for (i4 k = 0; k < n; ++k) {
    const int64_t c = mask[k];
    if (c < 1 || c > ncols) continue;
    copy(b + (c - 1) * int64_t(m), a + (c - 1) * int64_t(m), int64_t(m));
  }
}

// a(i) = i for i = 1..n.
inline void index_vector(i4* a, i4 n) {
  for (i4 i = 0; i < n; ++i) a[i] = i + 1;
}

}  // namespace vx::util
