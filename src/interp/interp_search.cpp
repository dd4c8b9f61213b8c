// Interpolation library: sorted search, nearest and piecewise linear
// interpolation of data points against a parameter.
#include <algorithm>
#include <cstddef>
#include <cmath>

#include "vexlan/interp.h"
#include "vx.h"

namespace {

using vx::i4;

inline i4 count(const i4* n) { return *n > 0 ? *n : 0; }

// Nearest element of a sorted vector (1-based index), by bisection. The
// direction is taken from the first and last values.
i4 sorted_nearest(i4 n, const double* a, double value) {
  if (n < 1) return -1;
  if (n == 1) return 1;
  const double* a1 = a - 1;  // 1-based view
  i4 lo, hi;
  if (a1[1] < a1[n]) {
    if (value < a1[1]) return 1;
    if (value > a1[n]) return n;
    lo = 1;
    hi = n;
    while (lo < hi - 1) {
      i4 mid = lo + (hi - lo) / 2;
      if (value == a1[mid]) return mid;
      if (value < a1[mid]) hi = mid;
      else lo = mid;
    }
  } else {
    if (value < a1[n]) return n;
    if (value > a1[1]) return 1;
    lo = n;
    hi = 1;
    while (hi < lo - 1) {
      i4 mid = hi + (lo - hi) / 2;
      if (value == a1[mid]) return mid;
      if (value < a1[mid]) hi = mid;
      else lo = mid;
    }
  }
  return std::fabs(value - a1[lo]) < std::fabs(value - a1[hi]) ? lo : hi;
}

}  // namespace

VX_API i4 r8vec_sorted_nearest_(const i4* n, const double* a, const double* value) {
  return sorted_nearest(*n, a, *value);
}

VX_API void r8vec_bracket_(const i4* n, const double* x, const double* xval, i4* left, i4* right) {
  const i4 nn = *n;
  const double v = *xval;
  for (i4 i = 2; i <= nn - 1; ++i) {
    if (v < x[i - 1]) {
      *left = i - 1;
      *right = i;
      return;
    }
  }
  *left = nn - 1;
  *right = nn;
}

VX_API i4 r8vec_ascends_strictly_(const i4* n, const double* x) {
  for (i4 i = 0; i + 1 < *n; ++i)
    if (x[i] >= x[i + 1]) return 0;
  return 1;
}

VX_API void interp_linear_(const i4* m, const i4* data_num, const double* t_data,
                           const double* p_data, const i4* interp_num, const double* t_interp,
                           double* p_interp) {
  const i4 nd = *data_num;
  // One pass checks the order and notes whether a NaN slipped through (the
  // order test lets it pass); bisection then gives the same interval as a
  // walk from the left, which the NaN case keeps.
  bool has_nan = false;
  for (i4 i = 0; i + 1 < nd; ++i) {
    if (t_data[i] >= t_data[i + 1])
      vx::fatal(1, " \nINTERP_LINEAR - Fatal error!\n"
                   "  Independent variable array T_DATA is not strictly increasing.");
    has_nan |= std::isnan(t_data[i]);
  }
  if (nd < 2) vx::fatal(1, " \nINTERP_LINEAR - Fatal error!\n  DATA_NUM < 2.");
  has_nan |= std::isnan(t_data[nd - 1]);

  const i4 mm = count(m);
  const i4 ni = count(interp_num);
  // Inner abscissas t_data(2 .. nd - 1): the interval is the first whose right
  // end exceeds t.
  const double* inner_begin = t_data + 1;
  const double* inner_end = t_data + (nd - 1);
  for (i4 i = 0; i < ni; ++i) {
    const double t = t_interp[i];
    i4 right;  // 0-based index of the right end
    if (has_nan) {
      right = nd - 1;
      for (i4 j = 1; j < nd - 1; ++j)
        if (t < t_data[j]) {
          right = j;
          break;
        }
    } else {
      right = static_cast<i4>(std::upper_bound(inner_begin, inner_end, t) - t_data);
    }
    const i4 left = right - 1;
    const double tl = t_data[left], tr = t_data[right];
    const double* pl = p_data + static_cast<ptrdiff_t>(left) * mm;
    const double* pr = p_data + static_cast<ptrdiff_t>(right) * mm;
    double* out = p_interp + static_cast<ptrdiff_t>(i) * mm;
    for (i4 c = 0; c < mm; ++c) out[c] = ((tr - t) * pl[c] + (t - tl) * pr[c]) / (tr - tl);
  }
}

VX_API void interp_nearest_(const i4* m, const i4* data_num, const double* t_data,
                            const double* p_data, const i4* interp_num, const double* t_interp,
                            double* p_interp) {
  const i4 nd = *data_num;
  if (nd < 1) vx::fatal(1, " \nINTERP_NEAREST - Fatal error!\n  DATA_NUM < 1.");
  const i4 mm = count(m);
  const i4 ni = count(interp_num);
  for (i4 i = 0; i < ni; ++i) {
    const i4 j = sorted_nearest(nd, t_data, t_interp[i]) - 1;
    const double* src = p_data + static_cast<ptrdiff_t>(j) * mm;
    double* out = p_interp + static_cast<ptrdiff_t>(i) * mm;
    for (i4 c = 0; c < mm; ++c) out[c] = src[c];
  }
}
