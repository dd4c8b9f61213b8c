// Shape-function tables of one natural point: for each node the value and
// its first (and, where the element has them, second) derivatives, one row
// per node, filled through the element's own value routines.
#include "vexlan/elementhandling.h"
#include "vexlan/hex8.h"
#include "vexlan/quad4.h"
#include "vexlan/quad8.h"
#include "vexlan/tria6.h"
#include "vx.h"

namespace {
const int32_t d1 = 1, d2 = 2, d3 = 3;
}

VX_API void Quad4ShapeFunMatrix(double* nshape, const double* xi, const double* eta) {
  for (int k = 0; k < 12; ++k) nshape[k] = 0.0;
  for (int32_t i = 1; i <= 4; ++i) {
    nshape[i - 1] = Quad4SF(xi, eta, &i);
    nshape[i - 1 + 4] = Quad4FirstDerivSF(xi, eta, &i, &d1);
    nshape[i - 1 + 8] = Quad4FirstDerivSF(xi, eta, &i, &d2);
  }
}

VX_API void Tria6ShapeFunMatrix(double* nshape, const double* xi, const double* eta) {
  for (int k = 0; k < 36; ++k) nshape[k] = 0.0;
  for (int32_t i = 1; i <= 6; ++i) {
    double* r = nshape + (i - 1);
    r[0] = Tria6SF(xi, eta, &i);
    r[6] = Tria6FirstDerivSF(xi, eta, &i, &d1);
    r[12] = Tria6FirstDerivSF(xi, eta, &i, &d2);
    r[18] = Tria6SecondDerivSF(xi, eta, &i, &d1, &d1);
    r[24] = Tria6SecondDerivSF(xi, eta, &i, &d2, &d2);
    r[30] = Tria6SecondDerivSF(xi, eta, &i, &d1, &d2);
  }
}

VX_API void Quad8ShapeFunMatrix(double* nshape, const double* xi, const double* eta) {
  for (int k = 0; k < 48; ++k) nshape[k] = 0.0;
  for (int32_t i = 1; i <= 8; ++i) {
    double* r = nshape + (i - 1);
    r[0] = Quad8SF(xi, eta, &i);
    r[8] = Quad8FirstDerivSF(xi, eta, &i, &d1);
    r[16] = Quad8FirstDerivSF(xi, eta, &i, &d2);
    r[24] = Quad8SecondDerivSF(xi, eta, &i, &d1, &d1);
    r[32] = Quad8SecondDerivSF(xi, eta, &i, &d2, &d2);
    r[40] = Quad8SecondDerivSF(xi, eta, &i, &d1, &d2);
  }
}

VX_API void Hex8ShapeFunMatrix(double* nshape, const double* xi, const double* eta, const double* zeta) {
  for (int k = 0; k < 72; ++k) nshape[k] = 0.0;
  for (int32_t i = 1; i <= 8; ++i) {
    double* r = nshape + (i - 1);
    r[0] = Hex8SF(xi, eta, zeta, &i);
    r[8] = Hex8FirstDerivSF(xi, eta, zeta, &i, &d1);
    r[16] = Hex8FirstDerivSF(xi, eta, zeta, &i, &d2);
    r[24] = Hex8FirstDerivSF(xi, eta, zeta, &i, &d3);
    // columns 5 to 7 stay zero: the pure second derivatives of a trilinear brick
    r[56] = Hex8SecondDerivSF(xi, eta, zeta, &i, &d1, &d2);
    r[64] = Hex8SecondDerivSF(xi, eta, zeta, &i, &d1, &d3);
  }
}
