// Norms, definiteness, nearest positive-definite and correlation matrices,
// power iteration and conjugate gradients, built on the factorisations and
// the arithmetic routines of this component.
#include <algorithm>
#include <cmath>
#include <cstring>
#include "lapack.h"
#include "vexlan/math_linalg.h"
#include "vx.h"

namespace {

using vx::i4;
using vx::Scratch;

constexpr double kEps = 2.220446049250313e-16;
constexpr double kTiny = 2.2250738585072014e-308;
// The shift and shrink loops converge in a handful of passes on any finite
// matrix; the cap only stops the cases where the shift no longer changes the
// matrix in floating point (or a NaN keeps every test failing).
constexpr int kShiftCap = 1000;
// The nearest correlation matrix stops at relative changes of 10 n eps.
constexpr double kNcmRounding = 10.0;
// Conjugate gradients stop at a residual of 1e-14 |b|; ill-conditioned
// systems need several times m steps in floating point before they get there.
constexpr double kCgTolerance = 1e-14;
constexpr int64_t kCgStepsPerUnknown = 10, kCgExtraSteps = 100;

void report(const char* msg) { vx::report_linalg(msg); }

// Largest / smallest element with NaN elements passed over (NaN when all are).
double max_element(const double* x, size_t count) {
  double r = NAN;
  for (size_t q = 0; q < count; ++q)
    if (x[q] == x[q] && !(x[q] <= r)) r = x[q];
  return r;
}
double min_element(const double* x, size_t count) {
  double r = NAN;
  for (size_t q = 0; q < count; ++q)
    if (x[q] == x[q] && !(x[q] >= r)) r = x[q];
  return r;
}

// Sum of squares of an n x m matrix taken row by row, as the Frobenius norm
// is defined here; with `b` the squares are those of a - b.
double row_sum_squares(const double* a, const double* b, i4 n, i4 m) {
  double s = 0.0;
  for (i4 i = 0; i < n; ++i)
    for (i4 j = 0; j < m; ++j) {
      const size_t q = size_t(j) * n + i;
      const double v = b ? a[q] - b[q] : a[q];
      s += v * v;
    }
  return s;
}

// Cholesky success test: some element of the factor differs from the marker.
bool cholesky_ok(const double* a, i4 n, double* work) {
  CholeskyFactorization(a, work, &n);
  const size_t cnt = vx::elems(n, n);
  for (size_t q = 0; q < cnt; ++q)
    if (!(work[q] == -vx::huge)) return true;
  return false;
}

// NaN when the matrix is refused (not finite, reported).
double smallest_eigenvalue(const double* a, i4 n, double* d) {
  if (!vx::finite_or_report(a, vx::elems(n, n), vx::kNonFiniteEigenvalues)) return NAN;
  MatrixEigenvalues(a, d, &n);
  return min_element(d, size_t(n));
}

// a = a + c I, over every element like the scaled accumulation it stands for.
void add_identity(double* a, double c, i4 n) {
  for (i4 j = 0; j < n; ++j)
    for (i4 i = 0; i < n; ++i) a[size_t(j) * n + i] = a[size_t(j) * n + i] + c * (i == j ? 1.0 : 0.0);
}

void set_identity(double* a, i4 n) {
  for (i4 j = 0; j < n; ++j)
    for (i4 i = 0; i < n; ++i) a[size_t(j) * n + i] = i == j ? 1.0 : 0.0;
}

// Singular values of an m x n matrix (m, n >= 1), descending, and with `vt`
// the n x n factor V^T as well. The left factor is never formed: it is m x m,
// 80 GB for a column of 100,000 values, and no caller here uses it. Zeros
// (and vt untouched) when the matrix is refused, then false.
bool singular_values(const double* x, i4 m, i4 n, double* st, double* vt = nullptr) {
  const i4 ns = m < n ? m : n;
  std::fill(st, st + ns, 0.0);
  const size_t mn = vx::elems(m, n);
  if (!vx::finite_or_report(x, mn, vx::kNonFiniteSVD)) return false;
  Scratch<double, 256> t(mn);
  std::memcpy(t, x, mn * sizeof(double));
  const char* jobvt = vt ? "A" : "N";
  const i4 ldvt = vt ? n : 1;
  double none = 0.0;  // the factors not asked for are never referenced
  double* v = vt ? vt : &none;
  const i4 one = 1;
  double wq = 0.0;
  i4 lwork = -1, info = 0;
  dgesvd_("N", jobvt, &m, &n, t, &m, st, &none, &one, v, &ldvt, &wq, &lwork, &info, 1, 1);
  lwork = vx::query_length(wq, 1);
  Scratch<double, 1024> work{size_t(lwork)};
  dgesvd_("N", jobvt, &m, &n, t, &m, st, &none, &one, v, &ldvt, work, &lwork, &info, 1, 1);
  return true;
}

// reduce(st, ns) over the min(m, n) singular values; 0 for an empty matrix.
template <class Reduce>
double over_singular_values(const double* x, i4 m, i4 n, Reduce reduce) {
  if (m < 1 || n < 1) return 0.0;
  const i4 ns = m < n ? m : n;
  Scratch<double, 64> st{size_t(ns)};
  singular_values(x, m, n, st);
  return reduce(static_cast<const double*>(st), ns);
}

}  // namespace

VX_API double VectorNorm(const double* x, const int32_t* n) {
  double s = 0.0;
  for (i4 i = 0; i < *n; ++i) s += x[i] * x[i];
  return std::sqrt(s);
}

VX_API double MatrixNorm(const double* x, const int32_t* n, const int32_t* m) {
  if (*n < 1 || *m < 1) return 0.0;
  return std::sqrt(row_sum_squares(x, nullptr, *n, *m));
}

VX_API double LpVectorNorm(const double* x, const double* p, const int32_t* n) {
  const double q = std::fmax(*p, kTiny);
  double s = 0.0;
  for (i4 i = 0; i < *n; ++i) s += std::pow(std::fabs(x[i]), q);
  return std::pow(s, 1.0 / q);
}

VX_API double LpMatrixNorm(const double* x, const double* p, const int32_t* n, const int32_t* m) {
  const double q = std::fmax(*p, kTiny);
  const i4 nn = *n, mm = *m;
  double s = 0.0;
  if (mm >= 1)
    for (i4 i = 0; i < nn; ++i)
      for (i4 j = 0; j < mm; ++j) s += std::pow(std::fabs(x[size_t(j) * nn + i]), q);
  return std::pow(s, 1.0 / q);
}

VX_API double SpectralNorm(const double* x, const int32_t* m, const int32_t* n) {
  const i4 mm = *m, nn = *n;
  return over_singular_values(x, mm, nn, [&](const double* st, i4 ns) {
    // The maximum runs over the whole singular value matrix, zeros included.
    double r = max_element(st, size_t(ns));
    if ((mm > 1 || nn > 1) && !(r >= 0.0)) r = 0.0;
    return r;
  });
}

VX_API double NuclearNorm(const double* x, const int32_t* m, const int32_t* n) {
  return over_singular_values(x, *m, *n, [](const double* st, i4 ns) {
    double s = 0.0;
    for (i4 i = 0; i < ns; ++i) s += st[i];
    return s;
  });
}

VX_API double SchattenNorm(const double* x, const double* p, const int32_t* m, const int32_t* n) {
  return over_singular_values(x, *m, *n, [p](const double* st, i4 ns) {
    const double q = std::fmax(*p, kTiny);
    double s = 0.0;
    for (i4 i = 0; i < ns; ++i) s += std::pow(st[i], q);
    return std::pow(s, 1.0 / q);
  });
}

VX_API vx_l1 IsPositiveDefinite(const double* x, const int32_t* n, const double* tolerance) {
  const i4 nn = *n;
  Scratch<double, 64> d{size_t(nn < 1 ? 1 : nn)};
  for (i4 i = 0; i < nn; ++i) d[i] = NAN;  // a refused matrix is not definite
  MatrixEigenvalues(x, d, n);
  // Always computed: a singular matrix leaves its report in the record.
  double det = 0.0;
  LUFactDeterminant(&det, x, n);
  // By default an eigenvalue counts as positive when it stands out of the
  // rounding of the largest one: a computed zero eigenvalue stays below
  // n eps max|lambda|, and an absolute bound would misjudge matrices of
  // small or large units (compliances in 1/Pa). A NaN eigenvalue fails the
  // test below whatever the bound.
  double tol = 0.0;
  if (tolerance) {
    tol = *tolerance;
  } else {
    for (i4 i = 0; i < nn; ++i) tol = std::fmax(tol, std::fabs(d[i]));
    tol *= double(nn) * kEps;
  }
  for (i4 i = 0; i < nn; ++i)
    if (!(d[i] > tol)) return 0;
  return det > 0.0 ? 1 : 0;
}

namespace {

// False, with the output left alone, when a matrix on the way is refused.
bool projected_spd(double* ppd, const double* a, const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) return true;
  const size_t nsq = vx::elems(nn, nn);
  Scratch<double, 1024> w(5 * nsq + size_t(nn));
  double *s = w, *v = s + nsq, *dm = v + nsq, *vd = dm + nsq, *p = vd + nsq, *d = p + nsq;
  MatrixSymmetrize(a, s, n);
  if (!vx::finite_or_report(s, nsq, vx::kNonFiniteEigenvectors)) return false;
  for (i4 i = 0; i < nn; ++i) d[i] = -1.0;
  MatrixEigenVectors(s, v, n, d);
  std::memset(dm, 0, nsq * sizeof(double));
  for (i4 i = 0; i < nn; ++i) dm[size_t(i) * nn + i] = d[i] < 0.0 ? 0.0 : d[i];
  MatrixProduct(v, dm, vd, n, n, n);
  MatrixTranspose(v, s, n, n);  // s now holds V^T
  MatrixProduct(vd, s, p, n, n, n);
  MatrixSymmetrize(p, ppd, n);
  return true;
}

// As GetNearestSPD; false when a matrix on the way is refused (pd is then
// left alone, or holds the last finite shift).
bool nearest_spd(double* pd, const double* a, const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) return true;
  const size_t nsq = vx::elems(nn, nn);
  Scratch<double, 1024> w(6 * nsq);
  double *b = w, *u = b + nsq, *s = u + nsq, *vt = s + nsq, *t1 = vt + nsq, *h = t1 + nsq;
  MatrixSymmetrize(a, b, n);  // may overflow for entries near the largest real
  if (!singular_values(b, nn, nn, u, vt)) return false;  // the values, for now, in u
  std::fill(s, s + nsq, 0.0);
  for (i4 i = 0; i < nn; ++i) s[size_t(i) * nn + i] = u[i];
  MatrixTranspose(vt, u, n, n);  // u now holds V
  MatrixProduct(u, s, t1, n, n, n);
  MatrixProduct(t1, vt, h, n, n, n);  // V S V^T, the symmetric polar factor of B
  for (size_t q = 0; q < nsq; ++q) h[q] = (b[q] + h[q]) / 2.0;
  MatrixSymmetrize(h, pd, n);
  // The result of the projection is only semidefinite: its zero eigenvalues
  // come out as rounding, of either sign, of the order of eps |pd|. A shift
  // from eps alone cannot move them at that scale, and a factorisation that
  // just succeeds here may fail in another Cholesky code. So the matrix is
  // accepted once its smallest eigenvalue, computed to about tau / 2, stands
  // at tau = n eps trace(pd) or above (the trace bounds the norm within a
  // factor n); the shifts aim at 2 tau and grow from there. A zero matrix has
  // no scale of its own (see below).
  double tau = 0.0;
  for (i4 i = 0; i < nn; ++i) tau += double(nn) * kEps * pd[size_t(i) * nn + i];
  if (!(tau > 0.0)) {
    // A zero projection (a negative semidefinite a) takes its scale from B:
    // eps max|b(i,j)| I, and eps I for a zero B.
    double big = 0.0;
    for (size_t q = 0; q < nsq; ++q) big = std::fmax(big, std::fabs(b[q]));
    tau = 0.5 * kEps * (big > 0.0 ? big : 1.0);
  }
  if (tau < kTiny) tau = kTiny;
  // The margin is known without an eigenvalue computation when B is
  // positive definite well clear of it: no negative eigenvalue (the
  // singular values add up to the trace, to rounding) and the smallest
  // singular value, then the smallest eigenvalue of pd, at 8 tau or above.
  double ssum = 0.0, smin = HUGE_VAL, trace_b = 0.0;
  for (i4 i = 0; i < nn; ++i) {
    const double si = s[size_t(i) * nn + i];
    ssum += si;
    smin = std::fmin(smin, si);
    trace_b += b[size_t(i) * nn + i];
  }
  const bool clear = smin >= 8.0 * tau && ssum - trace_b <= 4.0 * tau;
  double* chol = b;  // B is no longer needed
  double* eig = u;
  for (int k = 1; k <= kShiftCap; ++k) {
    const bool factorises = cholesky_ok(pd, nn, chol);
    // A shift builds the margin in: it lifts the smallest eigenvalue to
    // 2 tau, more than its computed value can be off.
    if (factorises && (clear || k > 1)) return true;
    const double lmin = smallest_eigenvalue(pd, nn, eig);
    if (lmin != lmin) return false;
    if (factorises && lmin >= tau) return true;
    add_identity(pd, double(k) * double(k) * (2.0 * tau - lmin), nn);
  }
  if (!cholesky_ok(pd, nn, chol)) report("No convergence in nearest positive-definite matrix");
  return true;
}

}  // namespace

VX_API void GetProjectedSPD(double* ppd, const double* a, const int32_t* n) { projected_spd(ppd, a, n); }

VX_API void GetNearestSPD(double* pd, const double* a, const int32_t* n) { nearest_spd(pd, a, n); }

VX_API double GetNearestPDNorm(const double* x, const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) return 0.0;
  const size_t nsq = vx::elems(nn, nn);
  Scratch<double, 512> w(2 * nsq);
  if (cholesky_ok(x, nn, w)) return 0.0;
  if (!nearest_spd(w, x, n)) return NAN;
  return std::sqrt(row_sum_squares(x, w, nn, nn));
}

VX_API void GetNearestCorrelationMatrix(double* corr, const double* a, const int32_t* n,
                                        const double* weights, const double* tol,
                                        const int32_t* maxiter, const int32_t* cflag) {
  const i4 nn = *n;
  if (nn < 1) return;
  const size_t nsq = vx::elems(nn, nn);
  // The relative changes settle at the rounding of an eigen-decomposition,
  // up to a few n eps; a tolerance below that would never be met.
  const double floor_t = kNcmRounding * double(nn) * kEps;
  const double t = tol && *tol > floor_t ? *tol : floor_t;
  const i4 limit = maxiter ? (*maxiter > 1 ? *maxiter : 1) : 100;
  const i4 conv = cflag ? (*cflag > 0 ? *cflag : 0) : 0;

  Scratch<double, 2048> work(10 * nsq + size_t(nn));
  double* wh = work;  // sqrt(w(i) w(j))
  double *x = wh + nsq, *y = x + nsq, *ds = y + nsq, *xold = ds + nsq, *r = xold + nsq;
  double *rw = r + nsq, *yold = rw + nsq, *eye = yold + nsq, *scr = eye + nsq;
  double* wv = scr + nsq;

  bool given = false;
  for (i4 i = 0; weights && i < nn; ++i) given = given || weights[i] != -1.0;
  for (i4 i = 0; i < nn; ++i) wv[i] = given ? weights[i] : 1.0;
  for (i4 j = 0; j < nn; ++j)
    for (i4 i = 0; i < nn; ++i) wh[size_t(j) * nn + i] = std::sqrt(wv[i] * wv[j]);
  std::memcpy(x, a, nsq * sizeof(double));
  std::memcpy(y, a, nsq * sizeof(double));
  std::memset(ds, 0, nsq * sizeof(double));
  std::fill(corr, corr + nsq, 0.0);
  set_identity(eye, nn);

  bool converged = true;
  for (i4 it = 1;; ++it) {
    if (it > limit) {
      // The last iterate goes on through the repair below.
      vx::report(-1, "No convergence in nearest correlation matrix iteration");
      converged = false;
      break;
    }
    std::memcpy(xold, x, nsq * sizeof(double));
    for (size_t q = 0; q < nsq; ++q) r[q] = y[q] - ds[q];
    HadamardProduct(wh, r, rw, n, n);
    if (!projected_spd(x, rw, n)) return;  // the zero matrix tells the caller
    HadamardDivision(x, wh, x, n, n);
    for (size_t q = 0; q < nsq; ++q) ds[q] = x[q] - r[q];
    std::memcpy(yold, y, nsq * sizeof(double));
    std::memcpy(y, x, nsq * sizeof(double));
    for (i4 i = 0; i < nn; ++i) y[size_t(i) * nn + i] = 1.0;
    const double relx = std::sqrt(row_sum_squares(x, xold, nn, nn)) / MatrixNorm(x, n, n);
    const double rely = std::sqrt(row_sum_squares(y, yold, nn, nn)) / MatrixNorm(y, n, n);
    const double relxy = std::sqrt(row_sum_squares(y, x, nn, nn)) / MatrixNorm(y, n, n);
    // The largest measure with NaN passed over: one NaN (0/0 from a zero
    // iterate) does not stop the iteration, but when all three are NaN the
    // iterate is lost and going on cannot help; the repair step and its
    // bounded loops take over from there.
    const double worst = std::fmax(std::fmax(relx, rely), relxy);
    if (!(worst > t)) break;
  }

  // Repair: shift, nearest positive-definite matrix, unit largest element.
  const double s = double(nn) * (max_element(x, nsq) - 1.0);
  add_identity(x, -s, nn);
  if (!nearest_spd(y, x, n)) return;
  add_identity(y, 1.0 - max_element(y, nsq), nn);

  if (conv == 1 || conv == 2) {
    // Rank correlations (Spearman, Kendall) to linear ones, then once more.
    for (size_t q = 0; q < nsq; ++q)
      y[q] = conv == 1 ? 2.0 * std::sin(0.5235987755982988 * y[q]) : std::sin(1.5707963267948966 * y[q]);
    const i4 zero = 0;
    GetNearestCorrelationMatrix(corr, y, n, wv, &t, &limit, &zero);
    return;
  }

  // Shrink towards the identity until the matrix factorises.
  double* eig = xold;
  bool factorises = false;
  for (int k = 1; k <= kShiftCap + 1; ++k) {
    factorises = cholesky_ok(y, nn, scr);
    if (factorises || k > kShiftCap) break;
    const double lam = std::fabs(smallest_eigenvalue(y, nn, eig));
    if (lam != lam) return;
    const double alpha = 1.0 - (double(k) * double(k) * lam + kEps);
    MatrixShrinkage(y, eye, y, &alpha, n, n);
  }
  if (!factorises) {
    report("No convergence in nearest correlation matrix");
    return;
  }
  // An iteration stopped short leaves the diagonal away from 1: scaled to
  // unit diagonal (D^-1/2 Y D^-1/2 of a positive-definite Y) it is a
  // correlation matrix all the same.
  if (!converged) {
    double* dinv = wv;  // the weights are no longer needed
    for (i4 i = 0; i < nn; ++i) dinv[i] = 1.0 / std::sqrt(y[size_t(i) * nn + i]);
    for (i4 j = 0; j < nn; ++j)
      for (i4 i = 0; i < nn; ++i) y[size_t(j) * nn + i] *= dinv[i] * dinv[j];
    for (i4 i = 0; i < nn; ++i) y[size_t(i) * nn + i] = 1.0;
  }
  std::memcpy(corr, y, nsq * sizeof(double));
}

VX_API void PowerIteration(double* eigenval, double* eigenvec, const double* a, const int32_t* n,
                           const int32_t* maxiter, const double* startvec, const double* abstol) {
  const i4 nn = *n;
  *eigenval = 0.0;
  if (nn < 1) return;
  const i4 mx = maxiter ? *maxiter : 2000;
  const double tol = abstol ? *abstol : 1e-10;
  Scratch<double, 192> w(3 * size_t(nn));
  double *y1 = w, *y2 = y1 + nn, *d = y2 + nn;
  // The default start has distinct entries, 1 + frac(i phi): a vector of ones
  // is an eigenvector of every matrix whose rows share one sum, and the
  // iteration would stay on it whatever the dominant eigenvalue.
  for (i4 i = 0; i < nn; ++i)
    y1[i] = startvec ? startvec[i] : 1.0 + std::fmod(double(i) * 0.6180339887498949, 1.0);
  double r = 1.0;
  i4 it = 0;
  while (it < mx && r > tol) {
    MatrixVectorProduct(a, y1, y2, n, n);
    const double ny = VectorNorm(y2, n);
    i4 j = 0;
    double big = -1.0;
    for (i4 i = 0; i < nn; ++i)
      if (std::fabs(y2[i]) > big) {
        big = std::fabs(y2[i]);
        j = i;
      }
    const double inv = 1.0 / ny;
    VectorAmplify(y2, &inv, n);
    const double sg = std::signbit(y2[j] * y1[j]) ? -1.0 : 1.0;
    for (i4 i = 0; i < nn; ++i) d[i] = y2[i] - sg * y1[i];
    r = VectorNorm(d, n);
    std::memcpy(y1, y2, size_t(nn) * sizeof(double));
    ++it;
  }
  if (it >= mx && r > tol) report("No convergence in von Mises eigenvalue computation");
  // The default start orients the vector as a start of ones did for a
  // symmetric matrix: its components add up to a positive value.
  if (!startvec && it > 0) {
    double sum = 0.0;
    for (i4 i = 0; i < nn; ++i) sum += y1[i];
    if (sum < 0.0)
      for (i4 i = 0; i < nn; ++i) y1[i] = -y1[i];
  }
  // Without a single pass the start vector itself is returned.
  std::memcpy(eigenvec, y1, size_t(nn) * sizeof(double));
  MatrixVectorProduct(a, y1, d, n, n);
  DotProduct(y1, d, eigenval, n);
}

VX_API void ConjugateGradient(double* xgrad, const double* a, const double* b, const double* x0,
                              const int32_t* n, const int32_t* m) {
  const i4 mm = *m;
  if (mm < 1) return;
  if (*n != mm) {
    report("Conjugate gradients need a square matrix");
    std::memmove(xgrad, x0, size_t(mm) * sizeof(double));
    return;
  }
  Scratch<double, 256> w(4 * size_t(mm));
  double *x = w, *r = x + mm, *p = r + mm, *ap = p + mm;
  std::memcpy(x, x0, size_t(mm) * sizeof(double));
  MatrixVectorProduct(a, x, ap, m, m);
  for (i4 i = 0; i < mm; ++i) r[i] = b[i] - ap[i];
  std::memcpy(p, r, size_t(mm) * sizeof(double));
  double rsold = 0.0;
  DotProduct(r, r, &rsold, m);
  // Started at the solution: nothing to do (the first step would be 0/0).
  if (rsold != 0.0) {
    // In floating point m steps do not reach the solution of an
    // ill-conditioned system; the steps go on until the residual is small
    // against b (against the first residual when b = 0).
    const double nb = VectorNorm(b, m);
    const double stop = kCgTolerance * (nb > 0.0 ? nb : std::sqrt(rsold));
    const int64_t limit = kCgStepsPerUnknown * int64_t(mm) + kCgExtraSteps;
    bool done = false;
    for (int64_t k = 0; k < limit; ++k) {
      MatrixVectorProduct(a, p, ap, m, m);
      double pap = 0.0;
      DotProduct(p, ap, &pap, m);
      if (pap == 0.0) break;  // the step would be infinite: the last iterate stands
      const double alpha = rsold / pap, malpha = -alpha;
      VectorScalarMultiplication(x, p, &alpha, m);
      VectorScalarMultiplication(r, ap, &malpha, m);
      double rsnew = 0.0;
      DotProduct(r, r, &rsnew, m);
      if (std::sqrt(rsnew) <= stop) {
        done = true;
        break;
      }
      if (rsnew != rsnew) break;  // NaN data: NaN it stays
      const double beta = rsnew / rsold;
      for (i4 q = 0; q < mm; ++q) p[q] = r[q] + beta * p[q];
      rsold = rsnew;
    }
    if (!done) vx::report(-1, "No convergence in conjugate gradients");
  }
  std::memcpy(xgrad, x, size_t(mm) * sizeof(double));
}
