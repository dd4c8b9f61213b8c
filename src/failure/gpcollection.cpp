// General failure potentials that do not separate failure modes: nominal and
// interaction forms on ply stresses, and the quadratic polynomial criteria
// (Tsai-Wu, Tsai-Hill and Hoffman type coefficient sets). The effort of the
// polynomials is the inverse of the factor by which the stress must be scaled
// to reach the failure surface.
#include <cmath>
#include <cstdint>
#include <limits>

#include "gpcollection_kernels.h"
#include "mccollection_search.h"
#include "vexlan/gpcollection.h"
#include "vx.h"

namespace {

inline double sq(double x) { return x * x; }

const char* const poly_note = "Note: Negative root during polynomial failureevaluation. Please check your input parameters.";

// Effort of lambda b + lambda^2 c = 1, or the note and 0 when no real root.
inline double polynomial_effort(double b, double c) {
  const double disc = b * b + 4.0 * c;
  if (disc < 0.0) {
    vx::report(-1, poly_note);
    return 0.0;
  }
  return vx::failure::quadratic_effort(b, c, std::sqrt(disc) - b);
}

}  // namespace

VX_API void GPMaxNominal(double* rgp, const double* s11, const double* xt11, const double* xc11) {
  *rgp = vx::gpcollection::max_nominal(*s11, *xt11, *xc11);
}

VX_API void GPQuadNominal(double* rgp, const double* s11, const double* s12, const double* s13, const double* xt11,
                          const double* x12, const double* x13) {
  *rgp = vx::gpcollection::quad_nominal(*s11, *s12, *s13, *xt11, *x12, *x13);
}

VX_API void GPLinInteraction(double* rgp, const double* s11, const double* s22, const double* s12, const double* xt11,
                             const double* xc11, const double* xt22, const double* xc22, const double* x12) {
  *rgp = vx::gpcollection::lin_interaction(*s11, *s22, *s12, *xt11, *xc11, *xt22, *xc22, *x12);
}

VX_API void GPQuadInteraction(double* rgp, const double* s11, const double* s22, const double* s12, const double* xt11,
                              const double* xc11, const double* xt22, const double* xc22, const double* x12) {
  *rgp = vx::gpcollection::quad_interaction(*s11, *s22, *s12, *xt11, *xc11, *xt22, *xc22, *x12);
}

VX_API void GPNorrisInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                                const double* xt11, const double* xc11, const double* xt22, const double* xc22,
                                const double* x12) {
  *rgp = vx::gpcollection::norris_interaction(*s11, *s22, *s12, *xt11, *xc11, *xt22, *xc22, *x12);
}

VX_API void GPYamadaSunInteraction(double* rgp, const double* s11, const double* s12, const double* s13,
                                   const double* xt11, const double* xc11, const double* x12, const double* x13) {
  *rgp = vx::gpcollection::yamada_sun(*s11, *s12, *s13, *xt11, *xc11, *x12, *x13);
}

VX_API void GPPolynomial(double* rgp, const double* s11, const double* s22, const double* s33, const double* s12,
                         const double* s13, const double* s23, const double* xt11, const double* xc11,
                         const double* xt22, const double* xc22, const double* xt33, const double* xc33,
                         const double* x12, const double* x13, const double* x23, const double* xint,
                         const int32_t* ptype) {
  if (!vx::failure::finite_or_absent(xint, 1)) {
    *rgp = std::numeric_limits<double>::quiet_NaN();  // no interaction factor, no effort
    return;
  }
  const double s[3] = {*s11, *s22, *s33};
  const double xt[3] = {*xt11, *xt22, *xt33}, xc[3] = {*xc11, *xc22, *xc33};
  const int32_t type = ptype ? *ptype : 0;
  double fi[3], fii[3];
  for (int i = 0; i < 3; ++i) {
    if (type == 1) {
      const double x = s[i] >= 0.0 ? xt[i] : xc[i];
      fi[i] = 0.0;
      fii[i] = 1.0 / (x * x);
    } else {
      fi[i] = 1.0 / xt[i] - 1.0 / xc[i];
      fii[i] = 1.0 / (xt[i] * xc[i]);
    }
  }
  // Mixed terms in the pair order (1,2), (1,3), (2,3); k is the third index.
  const int pi_[3] = {0, 0, 1}, pj_[3] = {1, 2, 2}, pk_[3] = {2, 1, 0};
  double fij[3] = {0.0, 0.0, 0.0};
  if (xint) {
    for (int p = 0; p < 3; ++p) {
      const double a = fii[pi_[p]], b = fii[pj_[p]], k = fii[pk_[p]];
      if (type == 0) fij[p] = 2.0 * *xint * std::sqrt(a * b);
      else if (type == 1 || type == 2) fij[p] = 2.0 * *xint * (a + b - k);
    }
  }
  const double b = fi[0] * s[0] + fi[1] * s[1] + fi[2] * s[2];
  const double c = fii[0] * s[0] * s[0] + fii[1] * s[1] * s[1] + fii[2] * s[2] * s[2] + fij[0] * s[0] * s[1] +
                   fij[1] * s[0] * s[2] + fij[2] * s[1] * s[2] + sq(*s12 / *x12) + sq(*s13 / *x13) +
                   sq(*s23 / *x23);
  *rgp = polynomial_effort(b, c);
}

VX_API void GPPolyCamanho(double* rgp, const double* s11, const double* s22, const double* s33, const double* s12,
                          const double* s13, const double* s23, const double* xt11, const double* xc11,
                          const double* xt22, const double* xc22, const double* x12, const double* x13,
                          const double* x23, const double* xint, const int32_t* ptype) {
  // An interaction factor that is not finite gives no effort: taken as one
  // out of range it would drop the mixed term silently.
  if (!vx::failure::finite_or_absent(xint, 1)) {
    *rgp = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const int32_t type = ptype ? *ptype : 0;
  double f1, f2, f11, f22, f33, k13 = 1.0 / sq(*x13), k23 = 1.0 / sq(*x23);
  if (type == 0) {
    f1 = 1.0 / *xt11 - 1.0 / *xc11;
    f2 = 1.0 / *xt22 - 1.0 / *xc22;
    f11 = 1.0 / (*xt11 * *xc11);
    f22 = 1.0 / (*xt22 * *xc22);
    f33 = f22;
  } else {
    f1 = f2 = 0.0;
    f11 = 1.0 / sq(*xt11);
    f22 = 1.0 / sq(*xt22);
    f33 = type == 1 ? f22 : 0.0;
    if (type == 2) k13 = k23 = 0.0;
  }
  const double f12 = (xint && std::fabs(*xint) <= 1.0) ? 2.0 * *xint * std::sqrt(f11 * f22) : 0.0;
  const double f23 = 2.0 * f22 - 1.0 / sq(*x23);
  const double t11 = *s11, t22 = *s22, t33 = *s33;
  const double b = f1 * t11 + f2 * t22 + f2 * t33;
  const double c = f11 * t11 * t11 + f22 * t22 * t22 + f33 * t33 * t33 + f12 * t11 * t22 + f12 * t11 * t33 +
                   f23 * t22 * t33 + sq(*s12 / *x12) + k13 * sq(*s13) + k23 * sq(*s23);
  *rgp = polynomial_effort(b, c);
}
