// Tabulated data: fitting, interpolation front ends, integration, arc length,
// difference-quotient derivatives, polygon area, binomial coefficient.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "lapack.h"
#include "util.h"
#include "vexlan/math_golden.h"
#include "vexlan/interp.h"
#include "vexlan/pchip.h"
#include "vexlan/math_tables.h"
#include "vx.h"

namespace {

using vx::i4;

constexpr const char* fit_failed = "Problem in polynom fitting function";
constexpr const char* fit_ill_conditioned = "Polynom fitting ill-conditioned: coefficients of least norm";

// A table whose two vectors differ in length ends the process the way the
// interpolation library ends it for a bad table.
void check_table(const char* headline, i4 n, i4 ny) {
  if (n != ny)
    vx::fatal(1, " \n%s - Fatal error!\n  T_DATA and P_DATA differ in length.", headline);
}

// A cubic Hermite table with vectors of different lengths goes through the
// cubic Hermite error package like the tables it rejects itself (under the
// initial control flag that ends the process). Returns true when refused.
bool refuse_cubic_table(const char* routine, i4 n, i4 ny) {
  if (n == ny) return false;
  static const i4 nerr = -1, level = 1;
  static const char lib[] = "MATH", msg[] = "X AND Y DIFFER IN LENGTH";
  xermsg_(lib, routine, msg, &nerr, &level, sizeof lib - 1, std::strlen(routine), sizeof msg - 1);
  return true;
}

// Tables up to this size keep their derivatives on the stack.
constexpr size_t stack_points = 64;
using Derivs = vx::Scratch<double, stack_points>;

// Monotone derivatives d of the table (x, f); the data checks of the library
// run here and report a bad table through its error package. Returns true when
// the table passed them.
bool monotone_derivatives(i4 n, const double* x, const double* f, double* d) {
  static const i4 no_spline = 0, no_work = 0;
  double wk[1];
  i4 ierr = 0;
  dpchez_(&n, x, f, d, &no_spline, wk, &no_work, &ierr);
  if (ierr >= 0) return true;
  // Reached with an error only when a caller lowered the control flag; the
  // derivatives are then unset and must not be read as numbers.
  for (i4 i = 0; i < n; ++i) d[i] = 0.0;
  return false;
}

double monotone_integral(i4 n, const double* x, const double* f, double a, double b) {
  Derivs d(n > 0 ? size_t(n) : 0);
  static const i4 no_spline = 0, no_work = 0;
  double wk[1];
  i4 ierr = 0;
  dpchez_(&n, x, f, d, &no_spline, wk, &no_work, &ierr);
  if (ierr < 0) return 0.0;  // bad table under a lowered control flag: nothing to integrate
  return dpchqa_(&n, x, f, d, &a, &b, &ierr);
}

}  // namespace

VX_API void cubichermitianinterpolation(double* res, const double* x, const i4* n, const double* y,
                                        const i4* ny, const double* p, const i4* k) {
  if (refuse_cubic_table("CUBICHERMITIANINTERPOLATION", *n, *ny)) return;
  Derivs d(*n > 0 ? size_t(*n) : 0);
  // The derivative setter has just checked this very table; the evaluator need
  // not walk it again. A table it refused (lowered control flag) is checked
  // and reported once more, as a fresh evaluation would.
  i4 skip = monotone_derivatives(*n, x, y, d) ? 1 : 0;
  static const i4 incfd = 1;
  i4 ierr = 0;
  // The count of extrapolated points that comes back is of no interest here.
  dpchfe_(n, x, y, d, &incfd, &skip, k, p, res, &ierr);
}

VX_API double cubichermitianintegration(const double* x, const i4* n, const double* y, const i4* ny,
                                        const double* a, const double* b) {
  if (refuse_cubic_table("CUBICHERMITIANINTEGRATION", *n, *ny)) return 0.0;
  return monotone_integral(*n, x, y, *a, *b);
}

VX_API double cubichermitianarclength(const double* x, const i4* n, const double* y, const i4* ny,
                                      const double* a, const double* b) {
  if (refuse_cubic_table("CUBICHERMITIANARCLENGTH", *n, *ny)) return 0.0;
  const size_t np = *n > 0 ? size_t(*n) : 0;
  Derivs g(np);
  monotone_derivatives(*n, x, y, g);
  // Slope at each point turned into the local arc-length density in place.
  for (size_t i = 0; i < np; ++i) g[i] = partialcurvelength(&g[i]);
  return monotone_integral(*n, x, g, *a, *b);
}

VX_API void polynomialfitting(double* res, const double* vx_, const i4* m_, const double* vy,
                              const i4* my, const i4* d) {
  const i4 m = *m_ > 0 ? *m_ : 0;
  if (*d < 0) {  // no coefficient to compute, and LAPACK would reject order d + 1
    vx::report(-2, fit_failed);
    return;
  }
  if (*d >= vx::ihuge) vx::fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(-1));
  const i4 q = *d + 1;
  if (*my != *m_) {  // the product with vy would run past one of the vectors
    vx::report(-2, fit_failed);
    for (i4 j = 0; j < q; ++j) res[j] = 0.0;
    return;
  }
  const size_t lm = static_cast<size_t>(m), lq = static_cast<size_t>(q);
  // q coefficients need q distinct abscissas; with fewer the design matrix
  // has dependent columns in exact arithmetic, whatever rounding makes of
  // them, and the coefficients would mean nothing.
  const auto no_fit = [&] {
    vx::report(-2, fit_failed);
    for (size_t j = 0; j < lq; ++j) res[j] = std::numeric_limits<double>::quiet_NaN();
  };
  {
    vx::Scratch<double, 128> xs(lm);
    double* const xb = xs;
    std::copy(vx_, vx_ + lm, xb);
    // NaN sorted last, so that the order stays strict (a NaN is never equal:
    // each counts as one more abscissa and the fit becomes NaN).
    std::sort(xb, xb + lm, [](double u, double v) { return vx::util::detail::before(u, v, false); });
    const size_t distinct = static_cast<size_t>(std::unique(xb, xb + lm) - xb);
    if (distinct < lq) return no_fit();
  }
  // NaN or infinite data give NaN coefficients; the solver must not see them.
  for (size_t i = 0; i < lm; ++i)
    if (!std::isfinite(vx_[i]) || !std::isfinite(vy[i])) {
      for (size_t j = 0; j < lq; ++j) res[j] = std::numeric_limits<double>::quiet_NaN();
      return;
    }
  // Design matrix x(m, q): powers of the abscissas, power 0 being 1 also at 0,
  // each column scaled to unit length. The least-squares problem is solved
  // on it directly, by an orthogonal factorisation: the normal equations
  // square its condition and lose the fit for abscissas away from 0 (the
  // powers of 1000 .. 1100 are nearly parallel).
  vx::Scratch<double, 256> x(vx::elems(m, q));
  for (size_t i = 0; i < lm; ++i) {
    double p = 1.0;
    for (size_t j = 0; j < lq; ++j) {
      x[i + j * lm] = p;
      p *= vx_[i];
    }
  }
  vx::Scratch<double, 16> scale(lq);
  static const i4 one = 1;
  for (size_t j = 0; j < lq; ++j) {
    scale[j] = dnrm2_(&m, x + j * lm, &one);
    // A power that overflows or underflows leaves no column to fit with.
    if (!(scale[j] > 0.0) || !std::isfinite(scale[j])) return no_fit();
    for (size_t i = 0; i < lm; ++i) x[i + j * lm] /= scale[j];
  }
  vx::Scratch<double, 128> rhs(lm);
  std::copy(vy, vy + lm, static_cast<double*>(rhs));
  // Pivoted orthogonal factorisation; columns whose part independent of
  // the others makes the triangular factor's condition exceed 1 / (m eps)
  // (numpy.polyfit's bound on the singular values) count as dependent.
  vx::Scratch<i4, 16> jpvt(lq);
  for (size_t j = 0; j < lq; ++j) jpvt[j] = 0;  // every column free to move
  const double rcond = double(m) * std::numeric_limits<double>::epsilon();
  i4 rank = 0, info = 0, lwork = -1, qq = q;
  double wq = 0.0;
  dgelsy_(&m, &qq, &one, x, &m, rhs, &m, jpvt, &rcond, &rank, &wq, &lwork, &info);
  lwork = vx::query_length(wq, 1);
  vx::Scratch<double, 256> work{size_t(lwork)};
  dgelsy_(&m, &qq, &one, x, &m, rhs, &m, jpvt, &rcond, &rank, work, &lwork, &info);
  if (info != 0) return no_fit();
  for (size_t j = 0; j < lq; ++j) res[j] = rhs[j] / scale[j];
  // Nearly parallel columns: the coefficients are not determined by the
  // data; those of least norm fit them as well as any.
  if (rank < q) vx::report(-1, fit_ill_conditioned);
}

VX_API void nearestinterpolation(double* res, const double* x, const i4* n, const double* y,
                                 const i4* ny, const double* p, const i4* k) {
  check_table("INTERP_NEAREST", *n, *ny);
  // y is already the one-row table (m = 1) that the library expects.
  static const i4 one = 1;
  interp_nearest_(&one, n, x, y, k, p, res);
}

VX_API void linearinterpolation(double* res, const double* x, const i4* n, const double* y,
                                const i4* ny, const double* p, const i4* k) {
  check_table("INTERP_LINEAR", *n, *ny);
  static const i4 one = 1;
  interp_linear_(&one, n, x, y, k, p, res);
}

VX_API double trapezoidintegration(const double* x, const i4* n_, const double* y, const i4* ny) {
  if (*n_ != *ny) return std::numeric_limits<double>::quiet_NaN();  // no meaningful pairing
  const i4 n = *n_;
  if (n < 2) return 0.0;
  double s = 0.0;
  for (i4 i = 1; i < n; ++i) s += (x[i] - x[i - 1]) * (y[i - 1] + y[i]);
  return 0.5 * s;
}

VX_API void Gradient(double* jac, const double* dy, const double* dx, const i4* a, const i4* b) {
  const i4 ra = *a > 0 ? *a : 0, cb = *b > 0 ? *b : 0;
  const size_t la = static_cast<size_t>(ra);
  for (i4 j = 0; j < cb; ++j)
    for (i4 i = 0; i < ra; ++i) jac[i + j * la] = dy[i + j * la] / dx[j];
}

VX_API void ComplexStepDerivative(double* derivative, const vx_complex* y, const vx_complex* x,
                                  const i4* n) {
  for (i4 i = 0; i < *n; ++i) derivative[i] = y[i].imag() / x[i].imag();
}

VX_API void CentralStepDerivative(double* derivative, const double* y, const double* x, const i4* n_) {
  const i4 n = *n_;
  if (n < 1) return;
  if (n == 1) {  // one point has no difference quotient
    derivative[0] = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  derivative[0] = (y[1] - y[0]) / (x[1] - x[0]);
  for (i4 i = 1; i < n - 1; ++i) derivative[i] = (y[i + 1] - y[i - 1]) / (x[i + 1] - x[i - 1]);
  derivative[n - 1] = (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]);
}

VX_API double ShoelaceMethod(const double* x, const double* y, const i4* n_) {
  const i4 n = *n_;
  if (n < 3) return 0.0;
  // Edges taken relative to the first vertex: the cross products then have
  // the size of the polygon, not of its distance from the origin, which
  // would cancel them away. The two edges at the first vertex add nothing.
  const double x0 = x[0], y0 = y[0];
  double s = 0.0;
  for (i4 i = 1; i < n - 1; ++i) s += (x[i] - x0) * (y[i + 1] - y0) - (x[i + 1] - x0) * (y[i] - y0);
  return std::fabs(0.5 * s);
}

VX_API double PascalTriangle(const i4* n_, const i4* k_) {
  int64_t n = *n_, k = *k_;
  if (k < 1) return 1.0;
  double sign = 1.0;
  if (n < 0) {  // C(n, k) = (-1)^k C(k - n - 1, k) for negative n
    if (k & 1) sign = -1.0;
    n = k - n - 1;
  }
  if (k > n) return 0.0;
  if (n - k < k) k = n - k;  // fewer steps, same coefficient
  // c = C(n, i) after step i; every division is exact. Exact 64-bit integers
  // while the product fits, then extended-precision reals instead of a
  // silent overflow.
  int64_t c = 1;
  int64_t i = 1;
  for (; i <= k; ++i) {
    int64_t prod;
    if (__builtin_mul_overflow(c, n - i + 1, &prod)) break;
    c = prod / i;
  }
  if (i > k) return sign * static_cast<double>(c);
  long double cl = static_cast<long double>(c);
  for (; i <= k && std::isfinite(cl); ++i) cl = cl * static_cast<long double>(n - i + 1) / static_cast<long double>(i);
  return sign * static_cast<double>(cl);
}
