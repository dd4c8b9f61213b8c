// Damage evolution laws applied once a failure criterion has fired: time
// regularisation of a damage vector, the traction (or strain) vector norm on
// a coordinate plane, linear crack-band softening after the onset strain, and
// the growth strain of a buckled delamination. Pure functions.
#include <cmath>
#include "vexlan/evocollection.h"
#include "vexlan/lamina.h"
#include "vx.h"

using vx::i4;

VX_API void TimeRegularization(const double* d_old, const double* d_new, double* d_reg,
                               const double* dt_inc, const double* reg_factor, const i4* num) {
  const double dt = *dt_inc, eta = *reg_factor * dt;
  for (i4 i = 0; i < *num; ++i) d_reg[i] = (eta * d_old[i] + dt * d_new[i]) / (dt + eta);
}

VX_API void EquivalentQuadStressStrain(const double* tens, const i4* nn, double* scaleq) {
  if (*nn < 1 || *nn > 3) {
    vx::report(-2, "Error in EquivalentQuadStressStrain: nn must be 1, 2 or 3.");
    return;
  }
  double t[9];
  CauchyNotation(t, tens);
  const double* col = t + 3 * (*nn - 1);
  *scaleq = std::sqrt(col[0] * col[0] + col[1] * col[1] + col[2] * col[2]);
}

VX_API void BiLinearEvolution(const double* eps, const double* eps0, const double* sig_f,
                              const double* gc, const double* lc, double* d, double* eps1) {
  // Below a millimetre-scale length the caller's final strain is kept. A NaN
  // length is not known to be short: the final strain, and so the damage, is
  // unknown (NaN), never the caller's value, which may be an unset marker.
  if (std::isnan(*lc)) {
    *eps1 = *lc;
  } else if (std::fabs(*lc) >= 0.001) {
    // The larger of the two, NaN when either is: fmax would pass over a NaN
    // toughness, strength or onset strain and give the steepest law.
    const double from_energy = 2.0 * *gc / (*lc * *sig_f), least = 1.2 * *eps0;
    *eps1 = from_energy > least || std::isnan(from_energy) ? from_energy : least;
  }
  *d = (1.0 - *eps0 / *eps) * *eps1 / (*eps1 - *eps0);
}

VX_API double DGStrainRhead(const double* eps_c, const double* gic, const double* a11,
                            const double* r_stiff) {
  const double e = *eps_c;
  if (e == 0.0) return 0.0;
  const double r = r_stiff ? *r_stiff : 0.0;
  return e / (1.0 - r) *
         (std::sqrt((1.0 - r) * (2.0 * *gic / (e * e * *a11) + 3.0 + r) + (1.0 + r) * (1.0 + r)) - (1.0 + r));
}
