// Matrix inverse, determinants, minors, symmetric eigenproblems, singular value
// decomposition, Cholesky factorisation and the general matrix product.
//
// Factorisations go through the system LAPACK/BLAS (lapack.h), except the LU
// factorisation of matrices up to order kFixedLU, which the fixed-size kernel
// of fixed_lu.h does in the same order of operations without the call
// overhead. Work arrays of small matrices live on the stack: the inverse and
// the eigenvalues run once per integration point.
#include <algorithm>
#include <cmath>
#include <cstring>
#include "fixed_lu.h"
#include "lapack.h"
#include "vexlan/math_linalg.h"
#include "vx.h"

namespace vx {

// Every report of the linear algebra has code -2 and context arrays of fixed
// shape (two integers, two reals, 8 x 2 character codes), all zero.
void report_linalg(const char* msg) {
  static const int32_t iz[2] = {0, 0};
  static const double rz[2] = {0.0, 0.0};
  static const int32_t az[16] = {};
  vx::report(-2, msg, iz, 2, rz, 2, az, 8, 2);
}

const char* const kNonFiniteEigenvalues = "Non-finite matrix entry in eigenvalue computation";
const char* const kNonFiniteEigenvectors = "Non-finite matrix entry in eigenvector computation";
const char* const kNonFiniteSVD = "Non-finite matrix entry in singular value decomposition";

bool finite_or_report(const double* a, size_t count, const char* msg) {
  for (size_t q = 0; q < count; ++q)
    if (!std::isfinite(a[q])) {
      report_linalg(msg);
      return false;
    }
  return true;
}

}  // namespace vx

namespace {

using vx::i4;
using vx::Scratch;

constexpr size_t kMat = 256;    // up to 16 x 16 on the stack
constexpr size_t kVec = 64;
constexpr size_t kWork = 1024;  // LAPACK blocked workspace of small problems

const char kSingularLU[] = "Singularity in LU-factorization computation";

// Orders up to which the inverse and the LU determinant run on the fixed-size
// kernel; LAPACK serves larger ones.
constexpr i4 kFixedLU = 6;

// LU factors in place by the fixed-size kernel, 1 <= n <= kFixedLU; pivots
// from 0.
int small_factor(double* a, i4 n, int* piv) {
  double rec[kFixedLU];
  switch (n) {
    case 1: return vx::lu_factor<1>(a, piv, rec);
    case 2: return vx::lu_factor<2>(a, piv, rec);
    case 3: return vx::lu_factor<3>(a, piv, rec);
    case 4: return vx::lu_factor<4>(a, piv, rec);
    case 5: return vx::lu_factor<5>(a, piv, rec);
    default: return vx::lu_factor<6>(a, piv, rec);
  }
}

void report(const char* msg) { vx::report_linalg(msg); }

void copy(double* dst, const double* src, size_t count) {
  if (dst != src && count) std::memmove(dst, src, count * sizeof(double));
}

// Determinant of the n x n matrix b (overwritten by its LU factors).
double lu_determinant(double* b, i4 n) {
  double lud = 1.0;
  if (n < 1) return lud;
  Scratch<i4, kVec> piv{size_t(n)};
  i4 info = 0, first = 0;  // the kernel counts pivots from 0, LAPACK from 1
  if (n <= kFixedLU) {
    info = small_factor(b, n, piv);
  } else {
    dgetrf_(&n, &n, b, &n, piv, &info);
    first = 1;
  }
  if (info != 0) {
    report(kSingularLU);
    return 0.0;
  }
  for (i4 i = 0; i < n; ++i) {
    lud = lud * b[size_t(i) * n + i];
    if (piv[i] != i + first) lud = -lud;
  }
  return lud;
}

// Integer product with two's-complement wrap-around: the sign step of the
// cofactor expansion may be any integer.
i4 wrap_mul(i4 a, i4 b) { return i4(uint32_t(a) * uint32_t(b)); }

// Cofactor expansion along the first row, recursive in definition but run on
// an explicit stack so that no order can exhaust the call stack. Level r
// expands row r over the columns not yet used by the levels above it, in
// ascending order; sums and products happen in the order of the recursion.
double cofactor_expansion(const double* a, i4 n, i4 flag) {
  if (n < 1) return 0.0;
  if (n == 1) return a[0];
  struct Frame {
    i4 col;
    i4 sgn;
    double pd;
  };
  Scratch<Frame, 32> frames{size_t(n)};
  Scratch<unsigned char, 32> used{size_t(n)};
  std::memset(used.get(), 0, size_t(n));
  const size_t ld = size_t(n);
  i4 r = 0;
  frames[0] = Frame{-1, 1, 0.0};
  for (;;) {
    Frame& f = frames[r];
    i4 c = f.col + 1;
    while (c < n && used[c]) ++c;
    if (c >= n) {  // level r done: hand its determinant to the level above
      const double res = f.pd;
      if (r == 0) return res;
      --r;
      Frame& p = frames[r];
      used[p.col] = 0;
      p.pd += double(p.sgn) * a[size_t(r) + p.col * ld] * res;
      p.sgn = wrap_mul(p.sgn, flag);
      continue;
    }
    f.col = c;
    if (r + 2 == n) {  // the minor is 1 x 1: its one column is the last unused
      used[c] = 1;
      i4 lc = 0;
      while (used[lc]) ++lc;
      used[c] = 0;
      const double res = a[size_t(n - 1) + lc * ld];
      f.pd += double(f.sgn) * a[size_t(r) + c * ld] * res;
      f.sgn = wrap_mul(f.sgn, flag);
    } else {
      used[c] = 1;
      ++r;
      frames[r] = Frame{-1, 1, 0.0};
    }
  }
}

bool valid_trans(const char* s, size_t len) {
  if (!s || len < 1) return false;
  const char c = s[0];
  return c == 'N' || c == 'n' || c == 'T' || c == 't';
}

}  // namespace

int vx::invert(double* a, i4 n) {
  if (n <= kFixedLU) {
    switch (n) {
      case 1: return lu_invert<1>(a);
      case 2: return lu_invert<2>(a);
      case 3: return lu_invert<3>(a);
      case 4: return lu_invert<4>(a);
      case 5: return lu_invert<5>(a);
      default: return lu_invert<6>(a);
    }
  }
  Scratch<i4, kVec> ipiv{size_t(n)};
  Scratch<double, kVec> work{size_t(n)};
  i4 info = 0;
  dgetrf_(&n, &n, a, &n, ipiv, &info);
  // dgetri would stop at the same zero pivot before touching the factors.
  if (info != 0) return info;
  dgetri_(&n, a, &n, ipiv, work, &n, &info);
  return info == 0 ? 0 : -1;
}

VX_API void MatrixInverse(const double* a, double* ainv, const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) return;
  copy(ainv, a, vx::elems(nn, nn));
  // A singular matrix leaves its packed factors in ainv.
  const int info = vx::invert(ainv, nn);
  if (info > 0) report(vx::singular_inverse_message);
  else if (info < 0) report("Matrix inversion failed!");
}

VX_API void LUFactDeterminant(double* lud, const double* a, const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) {
    *lud = 1.0;
    return;
  }
  Scratch<double, kMat> b(vx::elems(nn, nn));
  copy(b, a, vx::elems(nn, nn));
  *lud = lu_determinant(b, nn);
}

VX_API void Determinant(double* pd, const double* a, const int32_t* n, const int32_t* pdflag) {
  *pd = cofactor_expansion(a, *n, pdflag ? *pdflag : -1);
}

VX_API double GetPrincipleMinor(const double* sm, const int32_t* i, const int32_t* k) {
  const i4 ii = *i, kk = *k;
  if (ii > kk) {  // the block would reach past the matrix
    report("Order of principal minor exceeds the matrix order");
    return 0.0;
  }
  if (ii == 1) return sm[0];
  if (ii < 1) return 1.0;
  Scratch<double, kMat> b(vx::elems(ii, ii));
  for (i4 c = 0; c < ii; ++c)
    std::memcpy(b + size_t(c) * ii, sm + size_t(c) * kk, size_t(ii) * sizeof(double));
  return lu_determinant(b, ii);
}

VX_API double GetFirstMinor(const double* sm, const int32_t* i, const int32_t* j,
                            const int32_t* k) {
  const i4 col = *i, row = *j, kk = *k;
  if (col < 1 || col > kk || row < 1 || row > kk) {
    report("Index of first minor outside the matrix");
    return 0.0;
  }
  if (kk == 1) return 1.0;
  const i4 m = kk - 1;
  Scratch<double, kMat> b(vx::elems(m, m));
  double* out = b;
  for (i4 c = 1; c <= kk; ++c) {
    if (c == col) continue;
    const double* src = sm + size_t(c - 1) * kk;
    for (i4 r = 1; r <= kk; ++r)
      if (r != row) *out++ = src[r - 1];
  }
  return lu_determinant(b, m);
}

VX_API double GetCofactor(const double* mij, const int32_t* i, const int32_t* j) {
  return ((*i ^ *j) & 1) ? -*mij : *mij;
}

VX_API void MatrixEigenvalues(const double* a, double* d, const int32_t* n) {
  i4 nn = *n;
  if (nn < 1) return;
  if (!vx::finite_or_report(a, vx::elems(nn, nn), vx::kNonFiniteEigenvalues)) return;
  Scratch<double, kMat> t(vx::elems(nn, nn));
  copy(t, a, vx::elems(nn, nn));
  Scratch<double, 2 * kVec> et(2 * size_t(nn));  // e (n - 1 used) then tau (n)
  double* e = et;
  double* tau = et + nn;
  double wq = 0.0;
  i4 lwork = -1, info = 0;
  dsytrd_("U", &nn, t, &nn, d, e, tau, &wq, &lwork, &info, 1);
  lwork = vx::query_length(wq, 1);
  Scratch<double, kWork> work{size_t(lwork)};
  dsytrd_("U", &nn, t, &nn, d, e, tau, work, &lwork, &info, 1);
  dsterf_(&nn, d, e, &info);
}

VX_API void MatrixEigenVectors(const double* a, double* z, const int32_t* n, double* eigvals) {
  i4 nn = *n;
  bool want = eigvals != nullptr;
  for (i4 i = 0; want && i < nn; ++i) want = eigvals[i] < 0.0;
  if (nn < 1) return;
  if (!vx::finite_or_report(a, vx::elems(nn, nn), vx::kNonFiniteEigenvectors)) return;
  copy(z, a, vx::elems(nn, nn));
  Scratch<double, kVec> w{size_t(nn)};
  double wq = 0.0;
  i4 lwork = -1, info = 0;
  dsyev_("V", "U", &nn, z, &nn, w, &wq, &lwork, &info, 1, 1);
  const int64_t least = 3 * int64_t(nn) - 1;
  lwork = vx::query_length(wq, least > 2147483647 ? 2147483647 : i4(least));
  Scratch<double, kWork> work{size_t(lwork)};
  dsyev_("V", "U", &nn, z, &nn, w, work, &lwork, &info, 1, 1);
  if (want) copy(eigvals, w, size_t(nn));
}

VX_API double VectorModalAssuranceCriterion(const double* a, const double* b, const int32_t* n) {
  double ab = 0.0, aa = 0.0, bb = 0.0;
  for (i4 i = 0; i < *n; ++i) {
    ab += a[i] * b[i];
    aa += a[i] * a[i];
    bb += b[i] * b[i];
  }
  return (ab * ab) / (aa * bb);
}

VX_API void MatrixModalAssuranceCriterion(const double* xs, const double* ys, double* mac,
                                          const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) return;
  const size_t nsq = vx::elems(nn, nn);
  for (size_t q = 0; q < nsq; ++q) mac[q] = -1.0;
  if (!vx::finite_or_report(xs, nsq, vx::kNonFiniteEigenvectors) ||
      !vx::finite_or_report(ys, nsq, vx::kNonFiniteEigenvectors))
    return;
  Scratch<double, kMat> zx(nsq), zy(nsq);
  MatrixEigenVectors(xs, zx, n, nullptr);
  MatrixEigenVectors(ys, zy, n, nullptr);
  for (i4 j = 0; j < nn; ++j)
    for (i4 i = 0; i < nn; ++i)
      mac[size_t(j) * nn + i] =
          VectorModalAssuranceCriterion(zx + size_t(i) * nn, zy + size_t(j) * nn, n);
}

VX_API void SingularValueDecomposition(const double* a, double* u, double* s, double* v,
                                       const int32_t* m, const int32_t* n) {
  i4 mm = *m, nn = *n;
  const size_t mn = vx::elems(mm, nn);
  std::fill(u, u + vx::elems(mm, mm), 0.0);
  std::fill(s, s + mn, 0.0);
  std::fill(v, v + vx::elems(nn, nn), 0.0);
  if (mm < 1 || nn < 1) return;  // nothing to decompose
  if (!vx::finite_or_report(a, mn, vx::kNonFiniteSVD)) return;
  const i4 ns = mm < nn ? mm : nn;
  Scratch<double, kMat> t(mn);
  Scratch<double, kVec> st{size_t(ns)};
  copy(t, a, mn);
  double wq = 0.0;
  i4 lwork = -1, info = 0;
  dgesvd_("A", "A", &mm, &nn, t, &mm, st, u, &mm, v, &nn, &wq, &lwork, &info, 1, 1);
  lwork = vx::query_length(wq, 1);
  Scratch<double, kWork> work{size_t(lwork)};
  dgesvd_("A", "A", &mm, &nn, t, &mm, st, u, &mm, v, &nn, work, &lwork, &info, 1, 1);
  for (i4 i = 0; i < ns; ++i) s[size_t(i) * mm + i] = st[i];
}

VX_API void CholeskyFactorization(const double* a, double* c, const int32_t* n) {
  i4 nn = *n;
  if (nn < 1) return;
  const size_t nsq = vx::elems(nn, nn);
  copy(c, a, nsq);
  i4 info = 0;
  dpotrf_("U", &nn, c, &nn, &info, 1);
  if (info != 0) std::fill(c, c + nsq, -vx::huge);
}

VX_API void GeneralMatrixProduct(double* d, const double* alpha, const double* a, const double* b,
                                 const double* beta, const double* c, const int32_t* m,
                                 const int32_t* n, const int32_t* k, const char* sa,
                                 const char* sb, size_t sa_len, size_t sb_len) {
  // Checked here: the library's own handler would stop the process.
  if (!valid_trans(sa, sa_len) || !valid_trans(sb, sb_len)) {
    report("Invalid transposition flag in general matrix product");
    return;
  }
  i4 mm = *m, nn = *n, kk = *k < 0 ? 0 : *k;
  if (mm < 1 || nn < 1) return;
  copy(d, c, vx::elems(mm, nn));
  const bool na = sa[0] == 'N' || sa[0] == 'n';
  const bool nb = sb[0] == 'N' || sb[0] == 'n';
  i4 lda = na ? mm : kk, ldb = nb ? kk : nn;
  if (lda < 1) lda = 1;  // an empty inner dimension: any legal value serves
  if (ldb < 1) ldb = 1;
  dgemm_(sa, sb, &mm, &nn, &kk, alpha, a, &lda, b, &ldb, beta, d, &mm, 1, 1);
}
