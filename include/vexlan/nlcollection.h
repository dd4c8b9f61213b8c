/* Secant-reduction laws for the nonlinear in-plane shear response of a ply, a
 * residual-stiffness law over load cycles and two property-versus-temperature
 * transition laws (component nlcollection).
 *
 * A secant reduction dnl lies in [0, 1): the secant stiffness is (1 - dnl)
 * times the initial one. Transition tables props(2 ntrans + 1) hold
 * P1, T1, P2, T2, ..., P(ntrans), T(ntrans), P(ntrans+1): property plateaus P
 * and the transition parameters T between them. NLHahnTsai, FPHahnTsai and
 * NLAdam write the error record, as their descriptions say. */
#ifndef VEXLAN_NLCOLLECTION_H
#define VEXLAN_NLCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* NLKaestner: hyperbolic secant reduction of the shear stiffness,
 * dnl = 1 - 1 / (1 + beta |eps|); 0 at zero strain and even in the strain.
 *   dnl  (out) secant reduction
 *   beta (in)  nonlinearity parameter, in the inverse unit of eps
 *   eps  (in)  shear strain */
void NLKaestner(double* dnl, const double* beta, const double* eps);

/* NLKrause: exponential secant reduction of the shear stiffness,
 * dnl = 1 - exp(-beta |eps|); 0 at zero strain and even in the strain.
 *   dnl  (out) secant reduction
 *   beta (in)  nonlinearity parameter, in the inverse unit of eps
 *   eps  (in)  shear strain */
void NLKrause(double* dnl, const double* beta, const double* eps);

/* NLHahnTsai: secant reduction of the cubic shear law
 * gamma = tau / G + beta tau^3 at a point (tau, gamma):
 * dnl = (3 beta G tau^2 - 2 beta tau^3 / gamma) / (1 + 3 beta G tau^2), 0 when
 * gamma is 0 (a NaN gamma gives NaN, not 0): the reduction that one Newton
 * step of the law from tau gives at gamma, so a point above the curve gives
 * a negative value. A stress too
 * large for tau^3 is evaluated divided through by beta G tau^2 (the value
 * tends to 1 - 2 tau / (3 G gamma)). A result that is still not finite
 * (beyond the range of a double) from finite arguments records status -2.
 *   dnl  (out) secant reduction
 *   tg   (in)  initial shear modulus G
 *   beta (in)  cubic coefficient, in the inverse cube of the stress unit
 *   sig  (in)  shear stress tau
 *   eps  (in)  engineering shear strain gamma */
void NLHahnTsai(double* dnl, const double* tg, const double* beta, const double* sig,
                const double* eps);

/* FPHahnTsai: the cubic shear law of NLHahnTsai in fixed-point form. With
 * ns 2 it is one step of the map tau -> gamma G (1 - dnl(tau)); with ns 1 it
 * iterates that map from args(1) (tolerance 0.001, at most 100 steps) and
 * returns the secant reduction at the stress found, leaving the iteration's
 * warning (status -1) in the error record when it does not converge. An na
 * below 4 records status -2 and leaves dout untouched (from Python, a
 * negative na is a ValueError).
 *   dout (out) ns 2: the next stress of the map; otherwise the secant reduction
 *   args (in)  (tau, gamma, G, beta): stress, engineering shear strain, initial
 *              shear modulus, cubic coefficient
 *   na   (in)  length of args, at least 4
 *   ns   (in, optional) 1 iterate to the fixed point, 2 one step of the map;
 *              otherwise (default) the plain secant reduction at args */
void FPHahnTsai(double* dout, const double* args, const int32_t* na, const int32_t* ns);

/* NLAdam: reduction of a stiffness after n of nf load cycles, with the
 * residual fraction r = (1 - q^beta)^(1/alpha) of the loss l - x, where
 * q = (log10 n - log10 lg(1)) / (log10 nf - log10 lg(2)):
 * dnl = 1 - ((l - x) r + x) / l. q is held to [0, 1]: a cycle count below
 * the knee gives 0 (the initial stiffness), one beyond nf gives 1 - x / l.
 * An nf at or below the knee lg(2) records status -2 and gives NaN.
 *   dnl   (out) secant reduction
 *   l     (in)  initial stiffness
 *   x     (in)  stiffness at the end of life
 *   n     (in)  cycles applied
 *   nf    (in)  cycles to failure
 *   alpha (in)  shape exponent
 *   beta  (in)  shape exponent
 *   lg    (in, optional) 2 cycle counts of the knee; default (0.25, 0.25) */
void NLAdam(double* dnl, const double* l, const double* x, const double* n, const double* nf,
            const double* alpha, const double* beta, const double* lg);

/* NLMahieux: a property over temperature as a sum of Weibull-type steps,
 * P(ntrans+1) + sum (P(i) - P(i+1)) exp(-(t / T(i))^m(i)); it starts at P1
 * for t = 0 and tends to P(ntrans+1) far above the last transition. t and
 * the T(i) share one temperature unit.
 *   t      (in)  temperature
 *   props  (in)  2 ntrans + 1 values, plateaus and transition temperatures
 *                alternating: P1, T1, P2, T2, ..., P(ntrans), T(ntrans),
 *                P(ntrans+1)
 *   m      (in)  ntrans Weibull exponents, one per transition
 *   ntrans (in)  number of transitions; from C a negative one records status
 *                -2 "Negative number of transitions in NLMahieux" and gives
 *                NaN, from Python it is refused with ValueError before the
 *                call
 *   result (ret) the property at t */
double NLMahieux(const double* t, const double* props, const double* m, const int32_t* ntrans);

/* NLGibson: a property over temperature as a sum of hyperbolic-tangent steps,
 * sum (P(i+1) + P(i)) / 2 - (P(i) - P(i+1)) / 2 tanh(xi(i) t / T(i)); unlike
 * NLMahieux no final plateau is added. The steps are centred on t = 0, not on
 * T(i): at t = 0 each step gives the mean of its two plateaus (plateaus 3000
 * and 100 of one transition give 1550 there) and far above T(i) the next
 * plateau P(i+1), and with several transitions the steps add up (plateaus
 * 3000, 1000, 100 tend to 1100). t and the T(i) share one unit.
 *   t      (in)  temperature
 *   props  (in)  2 ntrans + 1 values, plateaus and transition temperatures
 *                alternating: P1, T1, P2, T2, ..., P(ntrans), T(ntrans),
 *                P(ntrans+1)
 *   xi     (in)  ntrans rates, one per transition
 *   ntrans (in)  number of transitions
 *   result (ret) the property at t */
double NLGibson(const double* t, const double* props, const double* xi, const int32_t* ntrans);

#ifdef __cplusplus
}
#endif
#endif
