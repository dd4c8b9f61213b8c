/* Secant-reduction laws for the nonlinear in-plane shear response of a ply, a
 * residual-stiffness law over load cycles and two property-versus-temperature
 * transition laws (component nlcollection).
 *
 * A secant reduction dnl lies in [0, 1): the secant stiffness is (1 - dnl)
 * times the initial one. Transition tables props(2 ntrans + 1) hold
 * P1, T1, P2, T2, ..., P(ntrans), T(ntrans), P(ntrans+1): property plateaus P
 * and the transition parameters T between them. Only FPHahnTsai writes the
 * error record: status -2 for an args list shorter than four values, and the
 * warning of the fixed-point iteration when it does not converge. */
#ifndef VEXLAN_NLCOLLECTION_H
#define VEXLAN_NLCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Hyperbolic reduction: dnl = 1 - 1 / (1 + beta |eps|).
 *   dnl   (out) secant reduction
 *   beta  (in)  nonlinearity parameter
 *   eps   (in)  shear strain */
void NLKaestner(double* dnl, const double* beta, const double* eps);

/* Exponential reduction: dnl = 1 - exp(-beta |eps|).
 *   dnl   (out) secant reduction
 *   beta  (in)  nonlinearity parameter
 *   eps   (in)  shear strain */
void NLKrause(double* dnl, const double* beta, const double* eps);

/* Secant reduction of the cubic shear law gamma = tau / G + beta tau^3.
 *   dnl   (out) secant reduction, 0 when eps = 0
 *   tg    (in)  initial shear modulus G
 *   beta  (in)  cubic coefficient
 *   sig   (in)  shear stress tau
 *   eps   (in)  engineering shear strain gamma */
void NLHahnTsai(double* dnl, const double* tg, const double* beta, const double* sig,
                const double* eps);

/* The cubic shear law in fixed-point form.
 *   dout  (out) ns = 2: the stress gamma G (1 - dnl) of one step of the map;
 *               ns = 1: the secant reduction at the stress found by iterating
 *               that map from args(1); otherwise the secant reduction at args
 *   args  (in)  (tau, gamma, G, beta)
 *   na    (in)  length of args (4)
 *   ns    (in, optional) mode selector, NULL for the plain secant reduction */
void FPHahnTsai(double* dout, const double* args, const int32_t* na, const int32_t* ns);

/* Residual stiffness after n of nf cycles.
 *   dnl   (out) secant reduction 1 - ((l - x) r + x) / l
 *   l     (in)  initial stiffness
 *   x     (in)  stiffness at the end of life
 *   n     (in)  cycles applied
 *   nf    (in)  cycles to failure
 *   alpha (in)  shape exponent
 *   beta  (in)  shape exponent
 *   lg    (in, optional) lg(2): cycle counts of the knee; NULL for 0.25, 0.25 */
void NLAdam(double* dnl, const double* l, const double* x, const double* n, const double* nf,
            const double* alpha, const double* beta, const double* lg);

/* Property over temperature as a sum of Weibull-type transitions.
 *   t      (in) temperature
 *   props  (in) props(2 ntrans + 1): plateaus and transition temperatures
 *   m      (in) m(ntrans): exponent of each transition
 *   ntrans (in) number of transitions
 * Returns the property at t. */
double NLMahieux(const double* t, const double* props, const double* m, const int32_t* ntrans);

/* Property over temperature as a sum of hyperbolic-tangent transitions.
 *   t      (in) temperature
 *   props  (in) props(2 ntrans + 1): plateaus and transition temperatures
 *   xi     (in) xi(ntrans): rate of each transition
 *   ntrans (in) number of transitions
 * Returns the property at t. */
double NLGibson(const double* t, const double* props, const double* xi, const int32_t* ntrans);

#ifdef __cplusplus
}
#endif
#endif
