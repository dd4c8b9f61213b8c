// Small fixed-size matrices for the per-point kernels (ply stiffness, laminate
// matrices, criteria): column-major like every array of the library, extents
// known to the compiler so loops unroll and nothing touches the heap.
//
//   Mat<R, C>      owns R*C doubles (a local temporary)
//   MatRef<R, C>   views R*C doubles owned by someone else (a caller's array)
//   CMatRef<R, C>  the same, read-only
//
// Indices are 0-based inside C++: m(i, j) is row i, column j, stored at
// i + R*j, the same place as element (i+1, j+1) of the caller's array.
#pragma once
#include "vx.h"

namespace vx {

template <int R, int C, class P>
struct MatBase {
  static constexpr int rows = R, cols = C, size = R * C;
};

template <int R, int C = R>
struct Mat : MatBase<R, C, double*> {
  double a[R * C];
  double& operator()(int i, int j) { return a[i + R * j]; }
  double operator()(int i, int j) const { return a[i + R * j]; }
  double* data() { return a; }
  const double* data() const { return a; }
  static Mat zero() {
    Mat m;
    for (int k = 0; k < R * C; ++k) m.a[k] = 0.0;
    return m;
  }
  static Mat identity() {
    Mat m = zero();
    for (int k = 0; k < (R < C ? R : C); ++k) m(k, k) = 1.0;
    return m;
  }
  // Copy of a caller's column-major array.
  static Mat load(const double* p) {
    Mat m;
    for (int k = 0; k < R * C; ++k) m.a[k] = p[k];
    return m;
  }
  void store(double* p) const {
    for (int k = 0; k < R * C; ++k) p[k] = a[k];
  }
};

template <int R, int C = R>
struct MatRef : MatBase<R, C, double*> {
  double* a;
  explicit MatRef(double* p) : a(p) {}
  double& operator()(int i, int j) const { return a[i + R * j]; }
  double* data() const { return a; }
  MatRef& operator=(const Mat<R, C>& m) {
    for (int k = 0; k < R * C; ++k) a[k] = m.a[k];
    return *this;
  }
};

template <int R, int C = R>
struct CMatRef : MatBase<R, C, const double*> {
  const double* a;
  explicit CMatRef(const double* p) : a(p) {}
  CMatRef(const Mat<R, C>& m) : a(m.a) {}
  double operator()(int i, int j) const { return a[i + R * j]; }
  const double* data() const { return a; }
};

// Element access common to the three kinds, for the generic kernels below.
template <class M>
inline double at(const M& m, int i, int j) { return m(i, j); }

// c = a * b, summed in index order (k ascending) as a plain triple loop would.
template <int R, int K, int C, class A, class B>
inline Mat<R, C> mul(const A& a, const B& b) {
  Mat<R, C> c;
  for (int j = 0; j < C; ++j)
    for (int i = 0; i < R; ++i) {
      double s = 0.0;
      for (int k = 0; k < K; ++k) s += a(i, k) * b(k, j);
      c(i, j) = s;
    }
  return c;
}
template <int R, int K, int C>
inline Mat<R, C> operator*(const Mat<R, K>& a, const Mat<K, C>& b) { return mul<R, K, C>(a, b); }

template <int R, int C>
inline Mat<R, C> operator+(const Mat<R, C>& a, const Mat<R, C>& b) {
  Mat<R, C> c;
  for (int k = 0; k < R * C; ++k) c.a[k] = a.a[k] + b.a[k];
  return c;
}
template <int R, int C>
inline Mat<R, C> operator-(const Mat<R, C>& a, const Mat<R, C>& b) {
  Mat<R, C> c;
  for (int k = 0; k < R * C; ++k) c.a[k] = a.a[k] - b.a[k];
  return c;
}
template <int R, int C>
inline Mat<R, C> operator*(double s, const Mat<R, C>& a) {
  Mat<R, C> c;
  for (int k = 0; k < R * C; ++k) c.a[k] = s * a.a[k];
  return c;
}

template <int R, int C>
inline Mat<C, R> transpose(const Mat<R, C>& a) {
  Mat<C, R> t;
  for (int j = 0; j < C; ++j)
    for (int i = 0; i < R; ++i) t(j, i) = a(i, j);
  return t;
}

// y = a x for a vector of C entries.
template <int R, int C, class A>
inline void matvec(double* y, const A& a, const double* x) {
  for (int i = 0; i < R; ++i) {
    double s = 0.0;
    for (int k = 0; k < C; ++k) s += a(i, k) * x[k];
    y[i] = s;
  }
}

using Mat3 = Mat<3, 3>;

// Inverse of a 3 x 3 matrix by cofactors, closed form; det receives the
// determinant (a zero one leaves non-finite entries: callers that must not
// see them test det).
template <class M>
inline Mat3 cofactor_inverse(const M& a, double& det) {
  Mat3 c, r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      c(i, j) = a(i1, j1) * a(i2, j2) - a(i1, j2) * a(i2, j1);
    }
  det = a(0, 0) * c(0, 0) + a(0, 1) * c(0, 1) + a(0, 2) * c(0, 2);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r(i, j) = c(j, i) / det;
  return r;
}
using Mat6 = Mat<6, 6>;

}  // namespace vx
