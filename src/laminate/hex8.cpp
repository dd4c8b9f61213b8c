// Shape functions of the eight-node trilinear brick: nodes 1 to 4 on the
// face zeta = -1, 5 to 8 above them on zeta = 1.
#include "vexlan/hex8.h"
#include <cstdio>

#include "vx.h"

namespace {
constexpr double xin[8] = {-1, 1, 1, -1, -1, 1, 1, -1};
constexpr double etn[8] = {-1, -1, 1, 1, -1, -1, 1, 1};
constexpr double zen[8] = {-1, -1, -1, -1, 1, 1, 1, 1};
}  // namespace

VX_API double Hex8SF(const double* xi, const double* eta, const double* zeta, const int32_t* inode) {
  const int32_t i = *inode;
  if (i < 1 || i > 8) {
    vx::report(-2, "Warning: Overflow in Hex8SF.");
    return 0.0;
  }
  return (1.0 + *xi * xin[i - 1]) * (1.0 + *eta * etn[i - 1]) * (1.0 + *zeta * zen[i - 1]) / 8.0;
}

VX_API double Hex8FirstDerivSF(const double* xi, const double* eta, const double* zeta, const int32_t* inode,
                               const int32_t* idvar) {
  const int32_t i = *inode, d = *idvar;
  if (d < 1 || d > 3) {
    vx::report(-2, "Warning: Invalid 1st ordinal in Hex8FirstDerivSF.");
    return 0.0;
  }
  if (i < 1 || i > 8) {
    static const char* const msg[3] = {"Warning: Overflow in Hex8FirstDerivSF.Xi.",
                                       "Warning: Overflow in Hex8FirstDerivSF.Eta.",
                                       "Warning: Overflow in Hex8FirstDerivSF.Zeta."};
    vx::report(-2, msg[d - 1]);
    return 0.0;
  }
  const double a = 1.0 + *xi * xin[i - 1], b = 1.0 + *eta * etn[i - 1], c = 1.0 + *zeta * zen[i - 1];
  switch (d) {
    case 1: return xin[i - 1] * b * c / 8.0;
    case 2: return a * etn[i - 1] * c / 8.0;
    default: return a * b * zen[i - 1] / 8.0;
  }
}

VX_API double Hex8SecondDerivSF(const double* xi, const double* eta, const double* zeta, const int32_t* inode,
                                const int32_t* idvar, const int32_t* iidvar) {
  const int32_t i = *inode, d1 = *idvar, d2 = *iidvar;
  if (d1 < 1 || d1 > 3) {
    vx::report(-2, "Warning: Invalid 1st ordinal in Hex8SecondDerivSF");
    return 0.0;
  }
  if (d2 < 1 || d2 > 3) {
    vx::report(-2, "Warning: Invalid 2nd ordinal in Hex8SecondDerivSF.");
    return 0.0;
  }
  if (i < 1 || i > 8) {
    static const char* const name[3] = {"Xi", "Eta", "Zeta"};
    char msg[80];
    std::snprintf(msg, sizeof msg, "Warning: Overflow in Hex8SecondDerivSF.%s%s.", name[d1 - 1], name[d2 - 1]);
    vx::report(-2, msg);
    return 0.0;
  }
  if (d1 == d2) return 0.0;  // trilinear: no pure second derivatives
  const double n[3] = {xin[i - 1], etn[i - 1], zen[i - 1]};
  const double p[3] = {*xi, *eta, *zeta};
  const int k = 3 - (d1 - 1) - (d2 - 1);  // the coordinate not differentiated
  return n[d1 - 1] * n[d2 - 1] * (1.0 + p[k] * n[k]) / 8.0;
}
