// Shape functions of the eight-node serendipity quadrilateral: corner nodes
// 1 to 4 counter-clockwise from (-1,-1), mid-side nodes 5 to 8 from the
// bottom edge on.
#include "vexlan/quad8.h"
#include "vx.h"

namespace {
constexpr double xin[4] = {-1.0, 1.0, 1.0, -1.0};
constexpr double etn[4] = {-1.0, -1.0, 1.0, 1.0};
}  // namespace

VX_API double Quad8SF(const double* xi, const double* eta, const int32_t* inode) {
  const double x = *xi, y = *eta;
  const int32_t i = *inode;
  if (i >= 1 && i <= 4) {
    const double a = xin[i - 1], b = etn[i - 1];
    return (1.0 + x * a) * (1.0 + y * b) * (x * a + y * b - 1.0) / 4.0;
  }
  switch (i) {
    case 5: return (1.0 - x * x) * (1.0 - y) / 2.0;
    case 6: return (1.0 - y * y) * (1.0 + x) / 2.0;
    case 7: return (1.0 - x * x) * (1.0 + y) / 2.0;
    case 8: return (1.0 - y * y) * (1.0 - x) / 2.0;
  }
  vx::report(-2, "Warning: Overflow in Quad8SF.");
  return 0.0;
}

VX_API double Quad8FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar) {
  const double x = *xi, y = *eta;
  const int32_t i = *inode, d = *idvar;
  if (d != 1 && d != 2) {
    vx::report(-2, "Warning: Invalid 1st ordinal in Quad8FirstDerivSF.");
    return 0.0;
  }
  if (i >= 1 && i <= 4) {
    const double a = xin[i - 1], b = etn[i - 1];
    if (d == 1) return a * (1.0 + y * b) * (2.0 * x * a + y * b) / 4.0;
    return b * (1.0 + x * a) * (x * a + 2.0 * y * b) / 4.0;
  }
  if (d == 1) {
    switch (i) {
      case 5: return -x * (1.0 - y);
      case 6: return (1.0 - y * y) / 2.0;
      case 7: return -x * (1.0 + y);
      case 8: return -(1.0 - y * y) / 2.0;
    }
    vx::report(-2, "Warning: Overflow in Quad8FirstDerivSF.Xi.");
    return 0.0;
  }
  switch (i) {
    case 5: return -(1.0 - x * x) / 2.0;
    case 6: return -y * (1.0 + x);
    case 7: return (1.0 - x * x) / 2.0;
    case 8: return -y * (1.0 - x);
  }
  vx::report(-2, "Warning: Overflow in Quad8FirstDerivSF.Eta.");
  return 0.0;
}

VX_API double Quad8SecondDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar,
                                 const int32_t* iidvar) {
  const double x = *xi, y = *eta;
  const int32_t i = *inode, d1 = *idvar, d2 = *iidvar;
  if (d1 != 1 && d1 != 2) {
    vx::report(-2, "Warning: Invalid 1st ordinal in Quad8SecondDerivSF");
    return 0.0;
  }
  if (d2 != 1 && d2 != 2) {
    vx::report(-2, "Warning: Invalid ordinal in Quad8SecondDerivSF.");
    return 0.0;
  }
  if (i < 1 || i > 8) {
    static const char* const msg[2][2] = {
        {"Warning: Overflow in Quad8SecondDerivSF.XiXi.", "Warning: Overflow in Quad8SecondDerivSF.XiEta."},
        {"Warning: Overflow in Quad8SecondDerivSF.EtaXi.", "Warning: Overflow in Quad8SecondDerivSF.EtaEta."}};
    vx::report(-2, msg[d1 - 1][d2 - 1]);
    return 0.0;
  }
  const bool mixed = d1 != d2;
  if (i <= 4) {
    const double a = xin[i - 1], b = etn[i - 1];
    if (mixed) return a * b * (2.0 * x * a + 2.0 * y * b + 1.0) / 4.0;
    return d1 == 1 ? (1.0 + y * b) / 2.0 : (1.0 + x * a) / 2.0;
  }
  if (mixed) {
    switch (i) {
      case 5: return x;
      case 6: return -y;
      case 7: return -x;
      default: return y;
    }
  }
  if (d1 == 1) {
    switch (i) {
      case 5: return -(1.0 - y);
      case 7: return -(1.0 + y);
      default: return 0.0;
    }
  }
  switch (i) {
    case 6: return -(1.0 + x);
    case 8: return -(1.0 - x);
    default: return 0.0;
  }
}
