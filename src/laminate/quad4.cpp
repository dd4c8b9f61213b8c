// Shape functions of the four-node bilinear quadrilateral.
#include "vexlan/quad4.h"
#include "vx.h"

namespace {
constexpr double xin[4] = {-1.0, 1.0, 1.0, -1.0};
constexpr double etn[4] = {-1.0, -1.0, 1.0, 1.0};
}  // namespace

VX_API double Quad4SF(const double* xi, const double* eta, const int32_t* inode) {
  const int32_t i = *inode;
  if (i < 1 || i > 4) {
    vx::report(-2, "Warning: Overflow in Quad4SF.");
    return 0.0;
  }
  return (1.0 + *xi * xin[i - 1]) * (1.0 + *eta * etn[i - 1]) / 4.0;
}

VX_API double Quad4FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar) {
  const int32_t i = *inode, d = *idvar;
  if (d != 1 && d != 2) {
    vx::report(-2, "Warning: Invalid 1st ordinal in Quad4FirstDerivSF.");
    return 0.0;
  }
  if (i < 1 || i > 4) {
    vx::report(-2, d == 1 ? "Warning: Overflow in Quad4FirstDerivSF.Xi." : "Warning: Overflow in Quad4FirstDerivSF.Eta.");
    return 0.0;
  }
  if (d == 1) return xin[i - 1] * (1.0 + *eta * etn[i - 1]) / 4.0;
  return (1.0 + *xi * xin[i - 1]) * etn[i - 1] / 4.0;
}
