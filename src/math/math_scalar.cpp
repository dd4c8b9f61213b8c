// Scalar functions and small statistics.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include "scratch.h"
#include "vx.h"
#include "vexlan/math_scalar.h"

namespace {

// 10^e by repeated squaring, the way an integer power of a real is formed.
double pow10i(int32_t e) {
  int64_t m = e < 0 ? -int64_t(e) : int64_t(e);
  double base = 10.0, r = 1.0;
  while (m > 0) {
    if (m & 1) r *= base;
    base *= base;
    m >>= 1;
  }
  return e < 0 ? 1.0 / r : r;
}

int32_t to_i4_saturated(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;  // includes NaN
  if (v > 2147483647.0) return INT32_MAX;
  return int32_t(v);
}

}  // namespace

// The logarithmic forms lose the result to cancellation (asinh of a large
// negative argument, atanh and acoth near 0) or overflow in x * x; the library
// functions do neither.
VX_API double dacoth(const double* x) {
  // acoth |x| = log(1 + 2 / (|x| - 1)) / 2: |x| - 1 is exact near 1, and
  // log1p keeps the small values of a large |x|.
  const double r = 0.5 * std::log1p(2.0 / (std::fabs(*x) - 1.0));
  return std::signbit(*x) ? -r : r;
}
VX_API double datanh(const double* x) { return std::atanh(*x); }
VX_API double dacosh(const double* x) { return std::acosh(*x); }
VX_API double dasinh(const double* x) { return std::asinh(*x); }

VX_API double fishertransformation(const double* x, const int32_t* iflag) {
  if (!iflag || *iflag == -1) return datanh(x);
  return std::tanh(*x);
}

VX_API double droundsf(const double* a, const int32_t* sig) {
  const double f = pow10i(sig ? *sig : 8);
  // trunc leaves values of 2^52 and beyond (and non-finite ones) as they are.
  return std::trunc(*a * f) / f;
}

VX_API double dceil(const double* a) { return std::trunc(*a) + 1.0; }

VX_API double RootMeanSquareError(const double* x, const double* y, const int32_t* n) {
  const int32_t nn = *n;
  double s = 0.0;
  for (int32_t i = 0; i < nn; ++i) {
    const double d = x[i] - y[i];
    s += d * d;
  }
  return std::sqrt(s) * std::sqrt(1.0 / double(nn));
}

VX_API double MeanAbsoluteError(const double* x, const double* y, const int32_t* n) {
  const int32_t nn = *n;
  double s = 0.0;
  for (int32_t i = 0; i < nn; ++i) s += std::fabs(x[i] - y[i]);
  return (1.0 / double(nn)) * s;
}

// Percentile of event values read from a class histogram with classes
// (k-1)*classsize < value <= k*classsize, k = 1..nclasses. Entries at the
// largest real (empty slots) and NaN take no part. Rather than building the
// histogram (whose class count follows the largest value and can be
// astronomically large) the classes at which the cumulative count changes are
// visited in order of the sorted entries; the first class whose share reaches
// the percentile is the same.
VX_API void getpercentile(const double* array, const int32_t* ndim, const double* percentile,
                          double* event, const int32_t* classsize) {
  const int32_t nd = *ndim;
  const int64_t cs = *classsize;
  if (nd == 1) {
    *event = array[0];
    return;
  }
  // The class index is a 32-bit integer; the first value of its class is
  // formed in integers and handed over as a real.
  const auto result = [&](double eventindex) {
    *event = double(int64_t(to_i4_saturated(eventindex)) * cs - cs + 1);
  };

  // Valid entries, sorted ascending; a copy as long as the series, which
  // ends the process with the library's message when it cannot be had.
  vx::Scratch<double, 256> sbuf(nd > 0 ? size_t(nd) : 0);
  double* const s = sbuf;
  int32_t nv = 0;
  for (int32_t i = 0; i < nd; ++i)
    if (array[i] < vx::huge) s[nv++] = array[i];
  if (nv == 0 || cs < 1) {
    result(0.0);
    return;
  }
  std::sort(s, s + nv);
  const double rmax = s[nv - 1];
  // Position of the first occurrence of the largest value.
  const int32_t anz = int32_t(std::lower_bound(s, s + nv, rmax) - s) + 1;
  const double nclasses = std::trunc(rmax / double(cs)) + 1.0;
  if (nclasses < 1.0) {
    result(0.0);
    return;
  }
  const double target = *percentile / 100.0;
  if (0.0 / double(anz) >= target) {  // the first class already qualifies
    result(1.0);
    return;
  }
  int32_t i = 0;
  while (i < nv) {
    // Class of s[i]: the smallest k >= 1 with s[i] <= k*classsize.
    double k = std::ceil(s[i] / double(cs));
    if (k < 1.0) k = 1.0;
    if (k > 1.0 && s[i] <= (k - 1.0) * double(cs)) k -= 1.0;  // quotient rounded up
    else if (s[i] > k * double(cs)) k += 1.0;                  // quotient rounded down
    if (k > nclasses) break;
    const double bound = k * double(cs);
    const int32_t i0 = i;
    while (i < nv && s[i] <= bound) ++i;  // the count of class k
    if (i == i0) ++i;  // beyond 2^53 the class products are inexact; keep moving
    if (double(i) / double(anz) >= target) {
      result(k);
      return;
    }
  }
  result(0.0);
}
