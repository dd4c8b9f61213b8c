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

using Value = double (*)(const double*, const double*, const int32_t*);
using First = double (*)(const double*, const double*, const int32_t*, const int32_t*);
using Second = double (*)(const double*, const double*, const int32_t*, const int32_t*, const int32_t*);

// Columns of a plane element with second derivatives: value, d/dxi, d/deta,
// d2/dxi2, d2/deta2, d2/dxi deta; one row per node.
template <int32_t N>
void quadratic_rows(double* nshape, const double* xi, const double* eta, Value sf, First d1sf, Second d2sf) {
  for (int k = 0; k < 6 * N; ++k) nshape[k] = 0.0;
  for (int32_t i = 1; i <= N; ++i) {
    double* r = nshape + (i - 1);
    r[0] = sf(xi, eta, &i);
    r[N] = d1sf(xi, eta, &i, &d1);
    r[2 * N] = d1sf(xi, eta, &i, &d2);
    r[3 * N] = d2sf(xi, eta, &i, &d1, &d1);
    r[4 * N] = d2sf(xi, eta, &i, &d2, &d2);
    r[5 * N] = d2sf(xi, eta, &i, &d1, &d2);
  }
}

}  // namespace

VX_API void Quad4ShapeFunMatrix(double* nshape, const double* xi, const double* eta) {
  for (int k = 0; k < 12; ++k) nshape[k] = 0.0;
  for (int32_t i = 1; i <= 4; ++i) {
    nshape[i - 1] = Quad4SF(xi, eta, &i);
    nshape[i - 1 + 4] = Quad4FirstDerivSF(xi, eta, &i, &d1);
    nshape[i - 1 + 8] = Quad4FirstDerivSF(xi, eta, &i, &d2);
  }
}

VX_API void Tria6ShapeFunMatrix(double* nshape, const double* xi, const double* eta) {
  quadratic_rows<6>(nshape, xi, eta, Tria6SF, Tria6FirstDerivSF, Tria6SecondDerivSF);
}

VX_API void Quad8ShapeFunMatrix(double* nshape, const double* xi, const double* eta) {
  quadratic_rows<8>(nshape, xi, eta, Quad8SF, Quad8FirstDerivSF, Quad8SecondDerivSF);
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
