// Drives the fixed-size matrices of src/core/fixed.h: reads a 6 x 3 matrix A,
// a 3 x 6 matrix B and a 3-vector x (column-major) from standard input and
// prints A*B, A^T, A x, 2A - A, the identity and a write through a view.
#include <cstdio>
#include "fixed.h"

using vx::Mat;

template <int R, int C>
void print(const char* label, const Mat<R, C>& m) {
  std::printf("%s", label);
  for (int k = 0; k < R * C; ++k) std::printf(" %.17g", m.a[k]);
  std::printf("\n");
}

int main() {
  double a[18], b[18], x[3];
  for (double& v : a)
    if (std::scanf("%lf", &v) != 1) return 1;
  for (double& v : b)
    if (std::scanf("%lf", &v) != 1) return 1;
  for (double& v : x)
    if (std::scanf("%lf", &v) != 1) return 1;
  const Mat<6, 3> ma = Mat<6, 3>::load(a);
  const vx::CMatRef<3, 6> rb(b);
  print("product", vx::mul<6, 3, 6>(ma, rb));
  print("transpose", vx::transpose(ma));
  Mat<6, 1> y;
  vx::matvec<6, 3>(y.a, ma, x);
  print("matvec", y);
  print("combination", 2.0 * ma - ma + Mat<6, 3>::zero());
  print("identity", vx::Mat3::identity());
  double store[9];
  vx::MatRef<3, 3> view(store);
  view = vx::Mat3::identity() * vx::Mat3::load(b);
  view(2, 1) = -1.0;
  print("view", vx::Mat3::load(store));
  return 0;
}
