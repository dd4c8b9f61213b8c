// Permanent (residual) indentation left in a laminate after an impact, from
// empirical laws in the maximum and critical indentation or the delaminated
// area.
#include <cmath>
#include "vexlan/permcollection.h"
#include "vx.h"

VX_API void PIAirbus(double* a0, const double* tges, const double* delarea) {
  *a0 = 0.0009 * *delarea * std::pow(*tges, -0.81);
}

VX_API void PISuresh(double* a0, double* a1, const double* amax, const double* acr,
                     const double* kcce, const vx_l1* lbnds, const vx_l1* llesscrit) {
  *a1 = -1.0;
  // An indentation that is not a number may lie beyond the critical one: it
  // gives a NaN dent, never the 0 of an undented plate.
  const bool beyond = *llesscrit && !(*amax <= *acr);
  if (*lbnds) {
    if (beyond) {
      const double d = *amax - *acr;
      *a1 = d;
      *a0 = 0.333 * d;
    } else {
      *a0 = 0.0;
      *a1 = 0.0;
    }
  } else {
    *a0 = beyond ? (1.0 - *kcce) * (*amax - *acr) : 0.0;
  }
}

VX_API void PITanSunNonLinear(double* a0, const double* amax, const double* acr) {
  *a0 = *amax <= *acr ? 0.0 : *amax * (1.0 - std::pow(*acr / *amax, 0.4));  // NaN in, NaN out
}

VX_API void PITanSunLinear(double* a0, const double* amax, const double* acr, const double* ksc) {
  *a0 = *amax <= *acr ? 0.0 : (*amax - *acr) * *ksc;  // NaN in, NaN out
}
