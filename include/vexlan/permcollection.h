/* Permanent (residual) indentation after unloading an impact
 * (component permcollection). All lengths in the caller's unit. */
#ifndef VEXLAN_PERMCOLLECTION_H
#define VEXLAN_PERMCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* PIAirbus: permanent indentation from the delaminated area by the empirical
 * power law a0 = 0.0009 delarea tges^-0.81 (the constants assume the unit
 * system they were fitted in; nothing is checked).
 *   a0      (out) permanent indentation
 *   tges    (in)  laminate thickness
 *   delarea (in)  delaminated area */
void PIAirbus(double* a0, const double* tges, const double* delarea);

/* PISuresh: permanent indentation from the maximum and the critical
 * indentation. Only an indentation beyond the critical one (amax > acr, and
 * llesscrit true) leaves a dent. With lbnds the dent is a third (0.333) of
 * amax - acr and a1 holds amax - acr; without lbnds the dent is
 * (1 - kcce) (amax - acr) and a1 stays -1. With llesscrit true, a NaN amax
 * or acr gives a NaN dent (and a NaN a1 with lbnds), never 0.
 *   a0        (out) permanent indentation (0 without a dent)
 *   a1        (out) plastic part amax - acr with lbnds, 0 with lbnds and no
 *                   dent, -1 without lbnds
 *   amax      (in)  maximum indentation
 *   acr       (in)  critical indentation
 *   kcce      (in)  elastic recovery ratio (without lbnds)
 *   lbnds     (in)  1-byte flag: true the bounded form
 *   llesscrit (in)  1-byte flag: false means no dent at all */
void PISuresh(double* a0, double* a1, const double* amax, const double* acr, const double* kcce,
              const vx_l1* lbnds, const vx_l1* llesscrit);

/* PITanSunNonLinear: permanent indentation a0 = amax (1 - (acr/amax)^0.4)
 * when amax exceeds acr, else 0; a NaN amax or acr gives NaN, not 0.
 *   a0   (out) permanent indentation
 *   amax (in)  maximum indentation
 *   acr  (in)  critical indentation */
void PITanSunNonLinear(double* a0, const double* amax, const double* acr);

/* PITanSunLinear: permanent indentation a0 = (amax - acr) ksc when amax
 * exceeds acr, else 0; a NaN amax or acr gives NaN, not 0.
 *   a0   (out) permanent indentation
 *   amax (in)  maximum indentation
 *   acr  (in)  critical indentation
 *   ksc  (in)  slope of the permanent over the excess indentation */
void PITanSunLinear(double* a0, const double* amax, const double* acr, const double* ksc);

#ifdef __cplusplus
}
#endif
#endif
