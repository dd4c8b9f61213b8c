// Shape functions of the six-node quadratic triangle in area coordinates
// (xi, eta, L = 1 - xi - eta): corners 1 to 3, mid-sides 4 to 6.
#include "vexlan/tria6.h"
#include "vx.h"

VX_API double Tria6SF(const double* xi, const double* eta, const int32_t* inode) {
  const double x = *xi, y = *eta, l = 1.0 - x - y;
  switch (*inode) {
    case 1: return 2.0 * l * (0.5 - x - y);
    case 2: return 2.0 * x * (x - 0.5);
    case 3: return 2.0 * y * (y - 0.5);
    case 4: return 4.0 * x * l;
    case 5: return 4.0 * x * y;
    case 6: return 4.0 * y * l;
  }
  vx::report(-2, "Warning: Overflow in Tria6SF.");
  return 0.0;
}

VX_API double Tria6FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar) {
  const double x = *xi, y = *eta;
  const int32_t d = *idvar;
  if (d != 1 && d != 2) {
    vx::report(-2, "Warning: Invalid ordinal in Tria6FirstDerivSF.");
    return 0.0;
  }
  if (d == 1) {
    switch (*inode) {
      case 1: return 4.0 * x + 4.0 * y - 3.0;
      case 2: return 4.0 * x - 1.0;
      case 3: return 0.0;
      case 4: return 4.0 - 8.0 * x - 4.0 * y;
      case 5: return 4.0 * y;
      case 6: return -4.0 * y;
    }
    vx::report(-2, "Warning: Overflow in Tria6.Xi.");
    return 0.0;
  }
  switch (*inode) {
    case 1: return 4.0 * x + 4.0 * y - 3.0;
    case 2: return 0.0;
    case 3: return 4.0 * y - 1.0;
    case 4: return -4.0 * x;
    case 5: return 4.0 * x;
    case 6: return 4.0 - 4.0 * x - 8.0 * y;
  }
  vx::report(-2, "Warning: Overflow in Tria6.Eta.");
  return 0.0;
}

VX_API double Tria6SecondDerivSF(const double*, const double*, const int32_t* inode, const int32_t* idvar,
                                 const int32_t* iidvar) {
  const int32_t d1 = *idvar, d2 = *iidvar;
  if (d1 != 1 && d1 != 2) {
    vx::report(-2, "Warning: Invalid 1st ordinal in Tria6");
    return 0.0;
  }
  if (d2 != 1 && d2 != 2) {
    vx::report(-2, "Warning: Invalid 2nd ordinal in Tria6.");
    return 0.0;
  }
  // Rows: nodes; columns: xi-xi, eta-eta, mixed (the polynomials are quadratic).
  static constexpr double t[6][3] = {{4, 4, 4}, {4, 0, 0}, {0, 4, 0}, {-8, 0, -4}, {0, 0, 4}, {0, -8, -4}};
  const int32_t i = *inode;
  if (i < 1 || i > 6) {
    static const char* const msg[2][2] = {
        {"Overflow in Tria6.XiXi.", "Warning: Overflow in Tria6.XiEta."},
        {"Warning: Overflow in Tria6.EtaXi.", "Warning: Overflow in Tria6.EtaEta."}};
    vx::report(-2, msg[d1 - 1][d2 - 1]);
    return 0.0;
  }
  const int c = d1 != d2 ? 2 : d1 - 1;
  return t[i - 1][c];
}
