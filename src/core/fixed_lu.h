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
#include <utility>

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

// Order 3 held in registers, for kernels that chain 3 x 3 inverses and
// products once per integration point: a matrix is kept by columns, rows 0
// and 1 of column j as a pair in lo[j] and row 2 in hi[j].
typedef double f64x2 __attribute__((vector_size(16)));

struct Cols3 {
  f64x2 lo[3];
  double hi[3];
};

inline Cols3 cols3_load(const double* p) {
  Cols3 m;
  for (int j = 0; j < 3; ++j) {
    __builtin_memcpy(&m.lo[j], p + 3 * j, sizeof(f64x2));
    m.hi[j] = p[3 * j + 2];
  }
  return m;
}

inline void cols3_store(const Cols3& m, double* p) {
  for (int j = 0; j < 3; ++j) {
    __builtin_memcpy(p + 3 * j, &m.lo[j], sizeof(f64x2));
    p[3 * j + 2] = m.hi[j];
  }
}

// The inverse of lu_invert<3>, operation for operation and so bit for bit,
// for the matrices whose three pivots are at least DBL_MIN in magnitude, the
// pivots that lu_factor scales by their reciprocal. Any other pivot (zero,
// subnormal, NaN) returns false with m untouched: lu_invert<3> then does what
// such a matrix needs. Rows are exchanged as values rather than through a
// pivot index, so nothing goes to memory between the steps.
inline bool lu_invert3(Cols3& m) {
  double a00 = m.lo[0][0], a10 = m.lo[0][1], a20 = m.hi[0];
  double a01 = m.lo[1][0], a11 = m.lo[1][1], a21 = m.hi[1];
  double a02 = m.lo[2][0], a12 = m.lo[2][1], a22 = m.hi[2];
  int p0 = 0;
  double big = std::fabs(a00);
  if (std::fabs(a10) > big) {
    big = std::fabs(a10);
    p0 = 1;
  }
  if (std::fabs(a20) > big) p0 = 2;
  if (p0 == 1) {
    std::swap(a00, a10);
    std::swap(a01, a11);
    std::swap(a02, a12);
  } else if (p0 == 2) {
    std::swap(a00, a20);
    std::swap(a01, a21);
    std::swap(a02, a22);
  }
  if (__builtin_expect(!(std::fabs(a00) >= DBL_MIN), 0)) return false;
  const double rec0 = 1.0 / a00;
  a10 *= rec0;
  a20 *= rec0;
  a11 -= a10 * a01;
  a21 -= a20 * a01;
  a12 -= a10 * a02;
  a22 -= a20 * a02;
  const bool p1 = std::fabs(a21) > std::fabs(a11);
  if (p1) {
    std::swap(a10, a20);
    std::swap(a11, a21);
    std::swap(a12, a22);
  }
  if (__builtin_expect(!(std::fabs(a11) >= DBL_MIN), 0)) return false;
  const double rec1 = 1.0 / a11;
  a21 *= rec1;
  a22 -= a21 * a12;
  if (__builtin_expect(!(std::fabs(a22) >= DBL_MIN), 0)) return false;
  const double rec2 = 1.0 / a22;
  // inv(U) and the solve X L = inv(U) of lu_inverse, two rows at a time. The
  // added -0.0 leaves every value as it is, the sign of a zero included.
  const double u01 = (a01 * rec0) * -rec1;
  const f64x2 c2 = (f64x2{a02, a12} * f64x2{rec0, rec1} + f64x2{a12 * u01, -0.0}) * -rec2;
  const f64x2 c1 = f64x2{u01, rec1} + -a21 * c2;
  const double h1 = 0.0 + -a21 * rec2;
  m.lo[0] = (f64x2{rec0, 0.0} + -a10 * c1) + -a20 * c2;
  m.hi[0] = (0.0 + -a10 * h1) + -a20 * rec2;
  m.lo[1] = c1;
  m.hi[1] = h1;
  m.lo[2] = c2;
  m.hi[2] = rec2;
  // The row interchanges become column interchanges, the last one first.
  if (p1) {
    std::swap(m.lo[1], m.lo[2]);
    std::swap(m.hi[1], m.hi[2]);
  }
  if (p0 == 1) {
    std::swap(m.lo[0], m.lo[1]);
    std::swap(m.hi[0], m.hi[1]);
  } else if (p0 == 2) {
    std::swap(m.lo[0], m.lo[2]);
    std::swap(m.hi[0], m.hi[2]);
  }
  return true;
}

// Reports a failure of the linear algebra (code -2); with MatrixInverse.
void report_linalg(const char* msg);

// ainv = a^-1 with the outcome of MatrixInverse of order N: a singular matrix
// is reported and ainv holds its packed factors. a and ainv may be the same.
template <int N>
inline void matrix_inverse(const double* a, double* ainv) {
  if (ainv != a)
    VX_UNROLL for (int k = 0; k < N * N; ++k) ainv[k] = a[k];
  if (lu_invert<N>(ainv) != 0) report_linalg("Matrix inverse becomes numerically singular!");
}

}  // namespace vx
