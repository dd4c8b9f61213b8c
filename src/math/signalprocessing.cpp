// Signal shaping, averaging and limits.
#include <cmath>
#include <cstdint>
#include <limits>
#include "vx.h"
#include "vexlan/signalprocessing.h"

namespace {

constexpr double tiny = 2.2250738585072014e-308;  // marks table rows without a peak

inline double nan_aware_limit(double x, double lo, double up) {
  // Upper bound first so that it wins for lo > up; a NaN x fails both tests.
  if (x > up) return up;
  if (x < lo) return lo;
  return x;
}

}  // namespace

VX_API void GetPeaks(double* maxtab, double* mintab, int32_t* nmaxpeaks, int32_t* nminpeaks,
                     const double* v, const double* delta, const int32_t* n, const double* x) {
  const int32_t nn = *n > 0 ? *n : 0;
  const size_t ld = size_t(nn);
  for (size_t i = 0; i < 2 * ld; ++i) {
    maxtab[i] = tiny;
    mintab[i] = tiny;
  }
  bool use_x = false;
  if (x)
    for (int32_t i = 0; i < nn && !use_x; ++i) use_x = x[i] != 0.0;

  const double d = std::fabs(*delta);
  double mx = -vx::huge, mn = vx::huge, mxpos = 0.0, mnpos = 0.0;
  bool lookformax = true;
  int32_t nmax = 0, nmin = 0;
  for (int32_t i = 0; i < nn; ++i) {
    const double val = v[i];
    const double pos = use_x ? x[i] : double(i + 1);
    if (val > mx) {
      mx = val;
      mxpos = pos;
    }
    if (val < mn) {
      mn = val;
      mnpos = pos;
    }
    if (lookformax) {
      if (val < mx - d) {
        maxtab[nmax] = mxpos;
        maxtab[ld + nmax] = mx;
        ++nmax;
        mn = val;
        mnpos = pos;
        lookformax = false;
      }
    } else if (val > mn + d) {
      mintab[nmin] = mnpos;
      mintab[ld + nmin] = mn;
      ++nmin;
      mx = val;
      mxpos = pos;
      lookformax = true;
    }
  }
  *nmaxpeaks = nmax;
  *nminpeaks = nmin;
}

VX_API void WeightedMovingAverage(double* sma, const double* rval, double* a, int32_t* denom,
                                  const int32_t* wb, const double* wi) {
  const int32_t w = *wb;
  if (w < 1) {
    // A window without room holds nothing: the average of nothing.
    *denom = 0;
    *sma = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  // The count is the caller's; keep it inside the window so that no access
  // leaves a(1..wb).
  int32_t dn = *denom;
  if (dn < 0) dn = 0;
  if (dn > w) dn = w;

  bool weighted = false;
  if (wi) {
    double s = 0.0;
    for (int32_t k = 0; k < w; ++k) s += wi[k];
    weighted = s != 0.0;
  }

  if (dn < w) {
    a[dn] = *rval;
    ++dn;
  } else {
    for (int32_t k = 0; k + 1 < w; ++k) a[k] = a[k + 1];
    a[w - 1] = *rval;
  }
  double sum = 0.0;
  if (weighted)
    for (int32_t k = 0; k < dn; ++k) sum += wi[k] * a[k];
  else
    for (int32_t k = 0; k < dn; ++k) sum += a[k];
  *denom = dn;
  *sma = sum / double(dn);
}

VX_API void CumulativeMovingAverage(double* cma, const double* x, const int32_t* n) {
  const double rn = double(*n);
  *cma = (*cma * rn + *x) / (rn + 1.0);
}

VX_API double GeneralSigmoidal(const double* x, const double* k) {
  const double xv = *x, kv = *k;
  return (xv - xv * kv) / (kv - 2.0 * kv * std::fabs(xv) + 1.0);
}

VX_API double generallogistic(const double* x, const double* a, const double* k, const double* b,
                              const double* q, const double* v, const double* c) {
  const double cv = c ? *c : 1.0;
  return *a + (*k - *a) / std::pow(cv + *q * std::exp(-*b * *x), 1.0 / *v);
}

VX_API double logistic(const double* x, const double* k, const double* x0, const double* l) {
  const double lv = l ? *l : 1.0;
  return lv / (1.0 + std::exp(-*k * (*x - *x0)));
}

VX_API double GeneralizedMean(const double* x, const double* p, const int32_t* n, const double* wi) {
  const int32_t nn = *n;
  const double pv = *p;
  if (pv == -vx::huge) {
    double r = vx::huge;
    for (int32_t i = 0; i < nn; ++i)
      if (x[i] < r) r = x[i];
    return r;
  }
  if (pv == vx::huge) {
    double r = -vx::huge;
    for (int32_t i = 0; i < nn; ++i)
      if (x[i] > r) r = x[i];
    return r;
  }
  if (nn < 1) return 0.0;
  const double wdef = 1.0 / double(nn);
  if (pv == 0.0) {
    double prod = 1.0;
    for (int32_t i = 0; i < nn; ++i) prod *= std::pow(x[i], wi ? wi[i] : wdef);
    return prod;
  }
  double sum = 0.0;
  for (int32_t i = 0; i < nn; ++i) sum += (wi ? wi[i] : wdef) * std::pow(x[i], pv);
  return std::pow(sum, 1.0 / pv);
}

VX_API double LogarithmicBarrier(const double* x, const double* b) {
  constexpr double eps = 2.220446049250313e-16;
  const double d = *b - *x;
  if (std::isnan(d)) return d;
  return -std::log(d > eps ? d : eps);
}

VX_API double fLimit(const double* x, const double* xlow, const double* xup) {
  return nan_aware_limit(*x, *xlow, *xup);
}

VX_API int32_t iLimit(const int32_t* x, const int32_t* xlow, const int32_t* xup) {
  if (*x > *xup) return *xup;
  return *x < *xlow ? *xlow : *x;
}

VX_API int32_t mLimit(const int32_t* x, const int32_t* xmod) {
  const int32_t m = *xmod;
  if (m == 0) return 0;
  // -1 divides everything; handled apart because INT32_MIN % -1 traps.
  if (m == -1) return -1;
  int32_t r = *x % m;
  if (r != 0 && ((r < 0) != (m < 0))) r += m;
  return r == 0 ? m : r;
}

namespace {

// Upper half of the binomial distribution of 2n+1 trials with success t,
// sum over j = n+1..2n+1 of C(2n+1, j) t^j (1-t)^(2n+1-j), for 0 <= t <= 1/2.
// Every term is positive and each is smaller than the one before, so the sum
// keeps its digits and can stop once the rest no longer counts.
double binomial_upper_half(double t, int32_t n) {
  if (t <= 0.0) return 0.0;
  const double dn = double(n), big_n = 2.0 * dn + 1.0;
  double term;
  if (n <= 27) {
    // C(2n+1, n+1) is an exact integer in a double up to this order.
    double c = 1.0;
    for (int32_t i = 1; i <= n + 1; ++i) c = c * (dn + double(i)) / double(i);
    term = c * std::pow(t, dn + 1.0) * std::pow(1.0 - t, dn);
  } else {
    // C(2n+1, n+1) = C(2m, m) / 2 with m = n+1, and log C(2m, m) from its
    // asymptotic series (last term kept below 1e-16 from this order on).
    // Written around t = 1/2, where the powers nearly cancel the coefficient:
    // 2t and, for t in [1/4, 1/2], 1 - 2t are exact, which keeps huge orders
    // accurate.
    using vx::pi;
    const double m = dn + 1.0, im = 1.0 / m, im2 = im * im;
    const double corr = im * (-1.0 / 8.0 + im2 * (1.0 / 192.0 + im2 * (-1.0 / 640.0 + im2 * (17.0 / 14336.0))));
    term = std::exp(m * std::log(2.0 * t) + dn * std::log1p(1.0 - 2.0 * t) - 0.5 * std::log(pi * m) + corr);
  }
  const double r = t / (1.0 - t);
  double sum = term;
  for (double j = dn + 1.0; j < big_n && term > 0.0; j += 1.0) {
    const double q = (big_n - j) / (j + 1.0) * r;  // ratio of successive terms, < 1, falling
    term *= q;
    sum += term;
    if (term < (1.0 - q) * sum * 1e-17) break;  // the rest is below a rounding of the sum
  }
  return sum;
}

}  // namespace

VX_API double GeneralSmoothStep(const double* x, const int32_t* n) {
  const int32_t nn = *n;
  if (nn < 0) return 0.0;
  const double t = nan_aware_limit(*x, 0.0, 1.0);
  if (nn <= 2) {
    // Sum over k of C(-n-1, k) C(2n+1, n-k) t^(n+k+1), as it stands: at these
    // orders its alternating terms cost no digits worth naming.
    const double dn = double(nn);
    double cneg = 1.0;  // C(-n-1, 0)
    double cpos = 1.0;  // C(2n+1, n), built below
    for (int32_t i = 1; i <= nn; ++i) cpos = cpos * (2.0 * dn + 2.0 - double(i)) / double(i);
    double tp = std::pow(t, dn + 1.0);  // t^(n+1)
    double sum = cneg * cpos * tp;
    for (int32_t k = 1; k <= nn; ++k) {
      const double dk = double(k);
      cneg = cneg * (-dn - dk) / dk;                    // C(-n-1, k)
      cpos = cpos * (dn - dk + 1.0) / (dn + dk + 1.0);  // C(2n+1, n-k)
      tp *= t;
      sum += cneg * cpos * tp;
    }
    return sum;
  }
  // From order 3 on the alternating sum cancels away about three bits per
  // order (wrong in the fifth digit at order 15, not even bounded at 30). The
  // same polynomial is the upper half of a binomial distribution, which sums
  // without cancellation; above t = 1/2 the step's symmetry
  // s(t) = 1 - s(1 - t) keeps the summed half the small one.
  if (std::isnan(t)) return t;
  if (t > 0.5) return 1.0 - binomial_upper_half(1.0 - t, nn);
  return binomial_upper_half(t, nn);
}
