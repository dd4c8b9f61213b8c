// Matrix and vector arithmetic: products, in-place sums and scalings, and the
// small element-wise helpers every material model is written in.
//
// Plain loops with no allocation. Zero handling differs from IEEE arithmetic
// on purpose in a few places (zero-skipping products, Hadamard operations,
// amplification keeping zeros): it decides whether an infinity or NaN of one
// operand reaches the result.
#include <cmath>
#include <cstring>
#include "lapack.h"
#include "vexlan/math_linalg.h"
#include "vx.h"

namespace {

using vx::i4;

// C(:,j) = sum over k of B(k,j) A(:,k), skipping zero B(k,j). L > 0 fixes the
// column length at compile time so that the column update unrolls.
template <int L>
void product_columns(const double* a, const double* b, double* c, i4 l, i4 n, i4 m) {
  const size_t ld = L > 0 ? size_t(L) : size_t(l);
  for (i4 j = 0; j < m; ++j) {
    double* cj = c + size_t(j) * ld;
    for (size_t i = 0; i < ld; ++i) cj[i] = 0.0;
    const double* bj = b + size_t(j) * n;
    for (i4 k = 0; k < n; ++k) {
      const double bkj = bj[k];
      if (bkj == 0.0) continue;
      const double* ak = a + size_t(k) * ld;
      for (size_t i = 0; i < ld; ++i) cj[i] += bkj * ak[i];
    }
  }
}

// c = A b with each c(i) summed in order of the columns.
template <int N>
void matvec(const double* a, const double* b, double* c, i4 n, i4 m) {
  const size_t ld = N > 0 ? size_t(N) : size_t(n);
  for (size_t i = 0; i < ld; ++i) c[i] = 0.0;
  for (i4 j = 0; j < m; ++j) {
    const double bj = b[j];
    const double* aj = a + size_t(j) * ld;
    for (size_t i = 0; i < ld; ++i) c[i] += aj[i] * bj;
  }
}

// Smallest and largest element, NaN elements passed over; NaN for both when
// every element is NaN.
void min_max(const double* x, size_t count, double& lo, double& hi) {
  lo = hi = NAN;
  bool any = false;
  for (size_t q = 0; q < count; ++q) {
    const double v = x[q];
    if (v != v) continue;
    if (!any) {
      lo = hi = v;
      any = true;
    } else {
      if (v < lo) lo = v;
      if (v > hi) hi = v;
    }
  }
}

}  // namespace

VX_API void MatrixProduct(const double* a, const double* b, double* c, const int32_t* l,
                          const int32_t* n, const int32_t* m) {
  const i4 ll = *l, nn = *n, mm = *m;
  if (ll < 1 || mm < 1) return;
  const i4 inner = nn < 0 ? 0 : nn;
  switch (ll) {
    case 2: product_columns<2>(a, b, c, ll, inner, mm); break;
    case 3: product_columns<3>(a, b, c, ll, inner, mm); break;
    case 4: product_columns<4>(a, b, c, ll, inner, mm); break;
    case 6: product_columns<6>(a, b, c, ll, inner, mm); break;
    default: product_columns<0>(a, b, c, ll, inner, mm); break;
  }
}

VX_API void MatrixVectorProduct(const double* a, const double* b, double* c, const int32_t* n,
                                const int32_t* m) {
  const i4 nn = *n, mm = *m < 0 ? 0 : *m;
  if (nn < 1) return;
  switch (nn) {
    case 2: matvec<2>(a, b, c, nn, mm); break;
    case 3: matvec<3>(a, b, c, nn, mm); break;
    case 6: matvec<6>(a, b, c, nn, mm); break;
    default: matvec<0>(a, b, c, nn, mm); break;
  }
}

VX_API void VectorMatrixProduct(const double* a, const double* b, double* c, const int32_t* n,
                                const int32_t* m) {
  const i4 nn = *n, mm = *m;
  for (i4 i = 0; i < nn; ++i) {
    const double* bi = b + size_t(i) * (mm < 0 ? 0 : mm);
    double s = 0.0;
    for (i4 j = 0; j < mm; ++j) s += a[j] * bi[j];
    c[i] = s;
  }
}

VX_API void LUMatrixVectorProduct(const double* a, const double* b, double* c, const int32_t* m,
                                  const int32_t* n) {
  const i4 nn = *n;
  if (nn < 1) return;
  for (i4 i = 0; i < nn; ++i) c[i] = 0.0;
  // The packed triangle must be complete; a shorter one is refused rather
  // than read past its end.
  if (int64_t(*m) < int64_t(nn) * (int64_t(nn) + 1) / 2) {
    vx::report_linalg("Packed symmetric matrix shorter than the vector requires");
    return;
  }
  size_t start = 0;  // start of row r of the packed upper triangle
  c[0] = a[0] * b[0];
  for (i4 r = 0; r < nn - 1; ++r) {
    const double br = b[r];
    for (i4 k = r + 1; k < nn; ++k) {
      const double srk = a[start + size_t(k - r)];
      c[k] = c[k] + br * srk;
      c[r] = c[r] + srk * b[k];
    }
    start += size_t(nn - r);
    c[r + 1] = c[r + 1] + a[start] * b[r + 1];
  }
}

VX_API void HadamardProduct(const double* a, const double* b, double* c, const int32_t* l,
                            const int32_t* n) {
  const size_t cnt = vx::elems(*l, *n);
  for (size_t q = 0; q < cnt; ++q) {
    const double x = a[q], y = b[q];
    c[q] = (x != 0.0 && y != 0.0) ? x * y : 0.0;
  }
}

VX_API void HadamardDivision(const double* a, const double* b, double* c, const int32_t* l,
                             const int32_t* n) {
  const size_t cnt = vx::elems(*l, *n);
  for (size_t q = 0; q < cnt; ++q) {
    const double x = a[q], y = b[q];
    c[q] = (x != 0.0 && y != 0.0) ? x / y : 0.0;
  }
}

VX_API void KroneckerProduct(const double* a, const double* b, double* ab, const int32_t* ma,
                             const int32_t* na, const int32_t* pb, const int32_t* qb) {
  const i4 m = *ma, n = *na, p = *pb, q = *qb;
  if (m < 1 || n < 1 || p < 1 || q < 1) return;
  const size_t ld = size_t(m) * size_t(p);
  for (i4 j = 0; j < n; ++j)
    for (i4 s = 0; s < q; ++s) {
      double* col = ab + (size_t(j) * q + s) * ld;
      const double* bs = b + size_t(s) * p;
      for (i4 i = 0; i < m; ++i) {
        const double aij = a[size_t(j) * m + i];
        double* blk = col + size_t(i) * p;
        for (i4 r = 0; r < p; ++r) blk[r] = bs[r] * aij;
      }
    }
}

VX_API void DyadenProduct(const double* a, const double* b, double* c, const int32_t* m,
                          const int32_t* n) {
  const i4 mm = *m, nn = *n;
  if (mm < 1) return;
  for (i4 j = 0; j < nn; ++j) {
    const double bj = b[j];
    double* cj = c + size_t(j) * mm;
    for (i4 i = 0; i < mm; ++i) cj[i] = a[i] * bj;
  }
}

VX_API void GetHouseHolderTransformationMatrix(double* thouse, const double* v, const int32_t* n) {
  const i4 nn = *n;
  for (i4 j = 0; j < nn; ++j)
    for (i4 i = 0; i < nn; ++i)
      thouse[size_t(j) * nn + i] = (i == j ? 1.0 : 0.0) - 2.0 * (v[i] * v[j]);
}

VX_API void CrossProduct(const double* a, const double* b, double* c) {
  const double x = a[1] * b[2] - a[2] * b[1];
  const double y = a[2] * b[0] - a[0] * b[2];
  const double z = a[0] * b[1] - a[1] * b[0];
  c[0] = x;
  c[1] = y;
  c[2] = z;
}

VX_API void VectorTripleProduct(const double* a, const double* b, const double* c, double* d) {
  double t[3];
  CrossProduct(b, c, t);
  CrossProduct(a, t, d);
}

VX_API void DotProduct(const double* a, const double* b, double* c, const int32_t* l) {
  double s = 0.0;
  for (i4 i = 0; i < *l; ++i) s += a[i] * b[i];
  *c = s;
}

VX_API void ScalarTripleProduct(const double* a, const double* b, const double* c, double* d) {
  double t[3];
  CrossProduct(b, c, t);
  *d = a[0] * t[0] + a[1] * t[1] + a[2] * t[2];
}

VX_API void MatrixSum(double* a, const double* b, const int32_t* n, const int32_t* m) {
  const size_t cnt = vx::elems(*n, *m);
  for (size_t q = 0; q < cnt; ++q) a[q] = a[q] + b[q];
}

VX_API void MatrixSub(double* a, const double* b, const int32_t* n, const int32_t* m) {
  const size_t cnt = vx::elems(*n, *m);
  for (size_t q = 0; q < cnt; ++q) a[q] = a[q] - b[q];
}

VX_API void MatrixScalarMultiplication(double* a, const double* b, const double* c,
                                       const int32_t* n, const int32_t* m) {
  const size_t cnt = vx::elems(*n, *m);
  const double f = *c;
  for (size_t q = 0; q < cnt; ++q) a[q] = a[q] + f * b[q];
}

VX_API void MatrixAmplify(double* a, const double* c, const int32_t* n, const int32_t* m) {
  const size_t cnt = vx::elems(*n, *m);
  const double f = *c;
  for (size_t q = 0; q < cnt; ++q)
    if (a[q] != 0.0) a[q] = f * a[q];
}

VX_API void VectorSum(double* a, const double* b, const int32_t* n) {
  const int32_t one = 1;
  MatrixSum(a, b, n, &one);
}

VX_API void VectorSub(double* a, const double* b, const int32_t* n) {
  const int32_t one = 1;
  MatrixSub(a, b, n, &one);
}

VX_API void VectorScalarMultiplication(double* a, const double* b, const double* c,
                                       const int32_t* n) {
  const int32_t one = 1;
  MatrixScalarMultiplication(a, b, c, n, &one);
}

VX_API void VectorAmplify(double* a, const double* c, const int32_t* n) {
  const int32_t one = 1;
  MatrixAmplify(a, c, n, &one);
}

VX_API void MatrixShrinkage(const double* a, const double* b, double* c, const double* alpha,
                            const int32_t* n, const int32_t* m) {
  double f = *alpha;
  if (!(f <= 1.0)) f = 1.0;  // a NaN weight counts as 1
  if (f < 0.0) f = 0.0;
  const double g = 1.0 - f;
  const size_t cnt = vx::elems(*n, *m);
  for (size_t q = 0; q < cnt; ++q) {
    const double x = a[q] != 0.0 ? f * a[q] : a[q];
    const double y = b[q] != 0.0 ? g * b[q] : b[q];
    c[q] = x + y;
  }
}

VX_API void MatrixSymmetrize(const double* a, double* sym, const int32_t* n) {
  const i4 nn = *n;
  for (i4 j = 0; j < nn; ++j)
    for (i4 i = 0; i <= j; ++i) {
      const double x = a[size_t(j) * nn + i], y = a[size_t(i) * nn + j];
      sym[size_t(j) * nn + i] = (x + y) * 0.5;
      sym[size_t(i) * nn + j] = (y + x) * 0.5;
    }
}

VX_API void MatrixDiagonal(double* diag, const double* a, const int32_t* k, const int32_t* n) {
  const int64_t kk = *k, nn = *n;
  const int64_t len = nn - (kk < 0 ? -kk : kk);
  if (len < 1) return;
  const int64_t r0 = kk < 0 ? -kk : 0, c0 = kk < 0 ? 0 : kk;
  for (int64_t i = 0; i < len; ++i) diag[i] = a[size_t(c0 + i) * size_t(nn) + size_t(r0 + i)];
}

VX_API void MatrixTranspose(const double* a, double* b, const int32_t* n, const int32_t* m) {
  const i4 nn = *n, mm = *m;
  if (nn < 1 || mm < 1) return;
  for (i4 j = 0; j < mm; ++j)
    for (i4 i = 0; i < nn; ++i) b[size_t(i) * mm + j] = a[size_t(j) * nn + i];
}

VX_API void MatrixNormalize(const double* x, double* z, const int32_t* n, const int32_t* m) {
  const size_t cnt = vx::elems(*n, *m);
  if (!cnt) return;
  double lo, hi;
  min_max(x, cnt, lo, hi);
  const double span = hi - lo;
  for (size_t q = 0; q < cnt; ++q) z[q] = (x[q] - lo) / span;
}

VX_API void VectorNormalize(const double* x, double* z, const int32_t* n) {
  const int32_t one = 1;
  MatrixNormalize(x, z, n, &one);
}

VX_API void CumulativeSum(double* csum, const double* a, const int32_t* n, const double* seed) {
  double s = seed ? *seed : 0.0;
  for (i4 i = 0; i < *n; ++i) {
    s = s + a[i];
    csum[i] = s;
  }
}

VX_API void CumulativeProduct(double* cprod, const double* a, const int32_t* n,
                              const double* seed) {
  double s = seed ? *seed : 1.0;
  for (i4 i = 0; i < *n; ++i) {
    s = s * a[i];
    cprod[i] = s;
  }
}

VX_API int32_t Monoticity(const double* x, const int32_t* n) {
  bool lt = true, le = true, gt = true, ge = true;
  for (i4 i = 0; i + 1 < *n; ++i) {
    const double p = x[i], q = x[i + 1];
    lt = lt && q < p;
    le = le && q <= p;
    gt = gt && q > p;
    ge = ge && q >= p;
  }
  if (lt) return -2;
  if (le) return -1;
  if (gt) return 2;
  if (ge) return 1;
  return 0;
}

VX_API double Trace(const double* x, const int32_t* n) {
  double s = 0.0;
  const i4 nn = *n;
  for (i4 i = 0; i < nn; ++i) s += x[size_t(i) * nn + i];
  return s;
}

VX_API double EuclideanDistance(const double* x, const double* y, const int32_t* n) {
  double s = 0.0;
  for (i4 i = 0; i < *n; ++i) {
    const double d = x[i] - y[i];
    s += d * d;
  }
  return std::sqrt(s);
}
