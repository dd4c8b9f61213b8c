/* Damage evolution laws (component evocollection): time regularisation of a
 * damage vector, traction norm on a coordinate plane, bilinear crack-band
 * softening and the growth strain of a delamination. Pure functions. */
#ifndef VEXLAN_EVOCOLLECTION_H
#define VEXLAN_EVOCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* TimeRegularization: d_reg = (reg_factor d_old + d_new) / (1 + reg_factor).
 *   d_old (in) d_old(num);  d_new (in) d_new(num);  d_reg (out) d_reg(num)
 *   dt_inc (in) time increment;  reg_factor (in) regularisation time / dt_inc
 *   num (in) length; below 1 nothing is written */
void TimeRegularization(const double* d_old, const double* d_new, double* d_reg,
                        const double* dt_inc, const double* reg_factor, const int32_t* num);

/* EquivalentQuadStressStrain: norm of the traction vector on the plane normal
 * to axis nn of the symmetric tensor given in Voigt order.
 *   tens (in) tens(6) Voigt order;  nn (in) axis 1..3;  scaleq (out) norm */
void EquivalentQuadStressStrain(const double* tens, const int32_t* nn, double* scaleq);

/* BiLinearEvolution: linear softening d = (1 - eps0/eps) eps1/(eps1 - eps0).
 *   eps (in) current strain;  eps0 (in) onset strain;  sig_f (in) strength
 *   gc (in) critical energy release rate;  lc (in) characteristic length
 *   d (out) damage (not limited)
 *   eps1 (in/out) final strain; recomputed as max(2 gc/(lc sig_f), 1.2 eps0)
 *                 when |lc| >= 0.001 */
void BiLinearEvolution(const double* eps, const double* eps0, const double* sig_f,
                       const double* gc, const double* lc, double* d, double* eps1);

/* DGStrainRhead: growth strain of a delamination.
 *   eps_c (in) buckling strain;  gic (in) mode I toughness;  a11 (in) stiffness
 *   r_stiff (in, optional) stiffness ratio; NULL: 0 */
double DGStrainRhead(const double* eps_c, const double* gic, const double* a11,
                     const double* r_stiff);

#ifdef __cplusplus
}
#endif
#endif
