// LU factorisation with partial pivoting, and the inverse from it, for square
// matrices whose order the compiler knows: the ply, laminate and element
// matrices inverted once per integration point, where a call into LAPACK
// costs several times the arithmetic.
//
// The arithmetic runs in the order of the classic right-looking elimination
// (pivot: the first entry of largest magnitude; multipliers by the reciprocal
// of the pivot) and of the usual inverse from the factors (invert U, solve
// X L = inv(U), undo the row interchanges on the columns). That is the order
// in which the system LAPACK works on matrices this small, so both paths of
// the library give the same results and declare the same matrices singular
// (a NaN among the entries of a singular matrix may spread to other places of
// its factors than with LAPACK).
//
// Column-major storage, 0-based: a[i + N * j] is row i, column j.
#pragma once
#include <cfloat>
#include <cmath>

// Complete unrolling: every index becomes a constant.
#define VX_UNROLL _Pragma("GCC unroll 8")

namespace vx {

// Factors a in place into P A = L U: L unit lower triangular below the
// diagonal, U on and above it, rows in pivoted order; piv[k] is the row
// exchanged with row k at step k. Returns 0, or k + 1 for the first pivot k
// that is exactly zero; the elimination goes on past such a column, as the
// factors are still handed to the caller. rec[k] receives 1 / pivot k, which
// the inverse needs again.
template <int N>
inline int lu_factor(double* a, int* piv, double* rec) {
  int info = 0;
  VX_UNROLL for (int k = 0; k < N; ++k) {
    int p = k;
    double big = std::fabs(a[k + N * k]);
    VX_UNROLL for (int i = k + 1; i < N; ++i) {
      const double v = std::fabs(a[i + N * k]);
      if (v > big) {
        big = v;
        p = i;
      }
    }
    piv[k] = p;
    // p leaves k only for a larger, so nonzero, entry: a zero pivot is never
    // exchanged, and the pivot is read from its fixed place.
    if (p != k)
      VX_UNROLL for (int j = 0; j < N; ++j) {
        const double t = a[k + N * j];
        a[k + N * j] = a[p + N * j];
        a[p + N * j] = t;
      }
    const double pivot = a[k + N * k];
    rec[k] = 1.0 / pivot;
    if (pivot != 0.0) {
      if (std::fabs(pivot) >= DBL_MIN) {
        VX_UNROLL for (int i = k + 1; i < N; ++i) a[i + N * k] *= rec[k];
      } else {  // the reciprocal of a subnormal pivot would overflow
        VX_UNROLL for (int i = k + 1; i < N; ++i) a[i + N * k] /= pivot;
      }
    } else if (info == 0) {
      info = k + 1;
    }
    VX_UNROLL for (int j = k + 1; j < N; ++j) {
      const double u = a[k + N * j];
      VX_UNROLL for (int i = k + 1; i < N; ++i) a[i + N * j] -= a[i + N * k] * u;
    }
  }
  return info;
}

// Inverse in place from the factors of lu_factor, which found no zero pivot.
template <int N>
inline void lu_inverse(double* a, const int* piv, const double* rec) {
  // inv(U), column by column: column j is -inv(U)(0:j, 0:j) U(0:j, j) / U(j, j).
  VX_UNROLL for (int j = 0; j < N; ++j) {
    double* x = a + N * j;
    x[j] = rec[j];
    const double ajj = -x[j];
    VX_UNROLL for (int c = 0; c < j; ++c) {
      const double t = x[c];
      VX_UNROLL for (int i = 0; i < c; ++i) x[i] += t * a[i + N * c];
      x[c] = t * a[c + N * c];
    }
    VX_UNROLL for (int i = 0; i < j; ++i) x[i] *= ajj;
  }
  // X L = inv(U), from the last column to the first: X = inv(A) P^T.
  double l[N];
  VX_UNROLL for (int j = N - 2; j >= 0; --j) {
    double* x = a + N * j;
    VX_UNROLL for (int i = j + 1; i < N; ++i) {
      l[i] = x[i];
      x[i] = 0.0;
    }
    VX_UNROLL for (int c = j + 1; c < N; ++c) {
      const double t = -l[c];
      VX_UNROLL for (int i = 0; i < N; ++i) x[i] += t * a[i + N * c];
    }
  }
  // The row interchanges of P become column interchanges of the inverse.
  VX_UNROLL for (int j = N - 2; j >= 0; --j) {
    const int p = piv[j];
    if (p != j)
      VX_UNROLL for (int i = 0; i < N; ++i) {
        const double t = a[i + N * j];
        a[i + N * j] = a[i + N * p];
        a[i + N * p] = t;
      }
  }
}

// Inverse in place. Returns 0, or the first zero pivot (from 1) of a singular
// matrix, which is left holding its packed factors.
template <int N>
inline int lu_invert(double* a) {
  int piv[N];
  double rec[N];
  const int info = lu_factor<N>(a, piv, rec);
  if (info == 0) lu_inverse<N>(a, piv, rec);
  return info;
}

// Reports a failure of the linear algebra (code -2); with MatrixInverse.
void report_linalg(const char* msg);
inline constexpr char singular_inverse_message[] = "Matrix inverse becomes numerically singular!";

// ainv = a^-1 with the outcome of MatrixInverse of order N: a singular matrix
// is reported and ainv holds its packed factors. a and ainv may be the same.
template <int N>
inline void matrix_inverse(const double* a, double* ainv) {
  if (ainv != a)
    VX_UNROLL for (int k = 0; k < N * N; ++k) ainv[k] = a[k];
  if (lu_invert<N>(ainv) != 0) report_linalg(singular_inverse_message);
}

}  // namespace vx
