/* Damage evolution laws (component evocollection): time regularisation of a
 * damage vector, traction norm on a coordinate plane, bilinear crack-band
 * softening and the growth strain of a delamination. Pure functions. */
#ifndef VEXLAN_EVOCOLLECTION_H
#define VEXLAN_EVOCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* TimeRegularization: damage regularised over the time increment, entry by
 * entry d_reg = (eta d_old + dt_inc d_new)/(dt_inc + eta) with the
 * regularisation time eta = reg_factor dt_inc, that is (reg_factor d_old +
 * d_new)/(1 + reg_factor): reg_factor 0 gives d_new, 1 the mean. A dt_inc of
 * 0 gives NaN. Nothing is recorded.
 *   d_old      (in)  num damage values of the last increment
 *   d_new      (in)  num damage values computed for this increment
 *   d_reg      (out) num regularised values; nothing is written for num < 1
 *                    (from Python, a negative num is a ValueError; 0 gives
 *                    an empty result)
 *   dt_inc     (in)  time increment
 *   reg_factor (in)  regularisation time as a multiple of dt_inc
 *   num        (in)  number of values */
void TimeRegularization(const double* d_old, const double* d_new, double* d_reg,
                        const double* dt_inc, const double* reg_factor, const int32_t* num);

/* EquivalentQuadStressStrain: magnitude of the traction (or strain) vector on
 * the coordinate plane normal to axis nn, the Euclidean norm of column nn of
 * the symmetric tensor of tens. From Python an nn outside 1..3 is refused with
 * _vexlan.error before the call; from C it records status -2 "Error in
 * EquivalentQuadStressStrain: nn must be 1, 2 or 3." and leaves scaleq
 * untouched.
 *   tens   (in)  symmetric tensor as a 6-vector in Voigt order (11, 22, 33,
 *                23, 13, 12), tensor shear components
 *   nn     (in)  normal axis of the plane, 1, 2 or 3
 *   scaleq (out) the norm */
void EquivalentQuadStressStrain(const double* tens, const int32_t* nn, double* scaleq);

/* BiLinearEvolution: linear softening after the damage-onset strain, d =
 * (1 - eps0/eps) eps1/(eps1 - eps0): 0 at eps0, 1 at the final strain eps1.
 * When abs(lc) >= 0.001 the final strain is first set from the fracture
 * energy, eps1 = max(2 gc/(lc sig_f), 1.2 eps0); a shorter length keeps the
 * eps1 passed in. A NaN lc, or a NaN gc, sig_f or eps0 where eps1 is
 * recomputed, makes eps1 NaN (the maximum is not taken past it), and any NaN
 * input read makes d NaN. d is not limited to [0, 1]; eps 0 or eps1 = eps0
 * give non-finite values. Nothing is recorded. Consistent units.
 *   eps   (in)     current equivalent strain
 *   eps0  (in)     strain at damage onset
 *   sig_f (in)     strength (stress at onset)
 *   gc    (in)     critical energy release rate
 *   lc    (in)     characteristic element length
 *   d     (out)    damage of the bilinear law
 *   eps1  (in/out) final strain: used as given or recomputed as above */
void BiLinearEvolution(const double* eps, const double* eps0, const double* sig_f,
                       const double* gc, const double* lc, double* d, double* eps1);

/* DGStrainRhead: strain at which a buckled delamination grows, from its
 * buckling strain, the mode I toughness and the membrane stiffness: with r =
 * r_stiff, (eps_c/(1 - r)) (sqrt((1 - r)(2 gic/(eps_c^2 a11) + 3 + r) + (1 +
 * r)^2) - (1 + r)); 0 when eps_c is 0, non-finite for r = 1. Consistent
 * units. Nothing is recorded.
 *   eps_c   (in)  buckling strain of the delaminated sub-laminate
 *   gic     (in)  mode I critical energy release rate
 *   a11     (in)  membrane stiffness A11
 *   r_stiff (in, optional) stiffness ratio r; default 0
 *   result  (ret) the growth strain */
double DGStrainRhead(const double* eps_c, const double* gic, const double* a11,
                     const double* r_stiff);

#ifdef __cplusplus
}
#endif
#endif
