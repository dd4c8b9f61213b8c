// Shape functions of the three-node line element: quadratic Lagrange
// polynomials on [-1, 1] with the middle node numbered 2.
#include "vexlan/truss3.h"
#include "vx.h"

VX_API double Truss3SF(const double* xi, const int32_t* inode) {
  const double x = *xi;
  switch (*inode) {
    case 1: return -x * (1.0 - x) / 2.0;
    case 2: return 1.0 - x * x;
    case 3: return x * (x + 1.0) / 2.0;
  }
  vx::report(-2, "Warning: Overflow in Truss3SF.");
  return 0.0;
}

VX_API double Truss3FirstDerivSF(const double* xi, const int32_t* inode) {
  const double x = *xi;
  switch (*inode) {
    case 1: return x - 0.5;
    case 2: return -2.0 * x;
    case 3: return x + 0.5;
  }
  vx::report(-2, "Warning: Overflow in Truss3FirstDerivSF.");
  return 0.0;
}
