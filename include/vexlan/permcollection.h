/* Permanent (residual) indentation after unloading an impact
 * (component permcollection). All lengths in the caller's unit. */
#ifndef VEXLAN_PERMCOLLECTION_H
#define VEXLAN_PERMCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* PIAirbus: a0 = 0.0009 delarea tges^-0.81.
 *   a0 (out) permanent indentation;  tges (in) laminate thickness;
 *   delarea (in) delaminated area */
void PIAirbus(double* a0, const double* tges, const double* delarea);

/* PISuresh: permanent indentation from the maximum and critical indentation.
 *   a0 (out) permanent indentation;  a1 (out) plastic part (-1 when not formed)
 *   amax (in) maximum indentation;  acr (in) critical indentation
 *   kcce (in) elastic recovery ratio;  lbnds, llesscrit (in) 1-byte flags */
void PISuresh(double* a0, double* a1, const double* amax, const double* acr, const double* kcce,
              const vx_l1* lbnds, const vx_l1* llesscrit);

/* PITanSunNonLinear: a0 = amax (1 - (acr/amax)^0.4) for amax > acr, else 0.
 *   a0 (out);  amax, acr (in) */
void PITanSunNonLinear(double* a0, const double* amax, const double* acr);

/* PITanSunLinear: a0 = (amax - acr) ksc for amax > acr, else 0.
 *   a0 (out);  amax, acr, ksc (in) */
void PITanSunLinear(double* a0, const double* amax, const double* acr, const double* ksc);

#ifdef __cplusplus
}
#endif
#endif
