/* Gradual fatigue degradation of ply strength and stiffness, one cycle jump
 * at a time (component degradation). Stresses are normalised by the ply
 * strength (1 = strength); factors are 1 intact and never rise. */
#ifndef VEXLAN_DEGRADATION_FATIGUE_H
#define VEXLAN_DEGRADATION_FATIGUE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GradualDegradation: fatigue degradation of one stress component of a ply
 * over a cycle jump. All stresses are normalised by the ply strength (1 =
 * strength; compressive values negative). The life Nf comes from the
 * constant-life relation f = a Nf^b with f = amplitude/((1 - q)^u (c + q)^v),
 * q the mean and c = abs(xctratio) (f capped at a 10^b; no amplitude: no
 * fatigue; a mean at or beyond the strength: Nf = 1). The residual strength
 * at cycle x follows (1 - s)(1 - r^beta)^(1/alpha) + s with r = (log10 x +
 * log10 4)/(log10 Nf + log10 4) and s the peak stress of the active half (the
 * floor), the stiffness the same curve with lambda and gamma. The tension
 * branch applies for a stress ratio kappa = min/max of the tension half in
 * [0, 1), or a negative one with the tension peak at least the compression
 * peak; the compression branch for kappa > 1, or a negative one with the
 * compression peak larger. dmgflag 1 accumulates nm by cjimp/Nf and lowers
 * the active strength factor (the other one follows it unless isshear) and
 * the stiffness along their curves at x = max(nm Nf, 1); once x >= Nf they
 * drop to degr_fac. dmgflag 2 first stops when a factor is already at
 * degr_fac (nm = 1, cjump_nf the largest double) or Nf >= 1e20 (cjump_nf =
 * Nf); otherwise it finds the equivalent cycle number of the present strength
 * factor, sets nm = min((n_eq + cjimp)/Nf, 1), lowers both strengths and the
 * stiffness (the mean of the two strength factors when lambda = beta_t and
 * gamma = alpha_t) and returns in cjump_nf the cycles that may still be
 * jumped before the active strength drops by lim; a constant stress (kappa 1)
 * degrades nothing and gives the largest double. A zero peak or bottom stress
 * is replaced by 1e-8 and written back. A NaN peak or bottom stress (either
 * half) decides no branch and no life: the verdict is unknown, never intact,
 * so nm becomes at least 1, de, df_t and df_c drop to degr_fac, cjump_nf
 * (dmgflag 2) becomes the largest double, and status -2 is recorded ("NaN
 * stress in GradualDegradation: life counted as used up"); so is an
 * infinite one ("Infinite stress in GradualDegradation: life counted as used
 * up"). A NaN de, df_t,
 * df_c or degr_fac is treated the same way ("NaN factor in
 * GradualDegradation: life counted as used up"): the factors drop to
 * degr_fac (all NaN when degr_fac is NaN), never to a finite value read
 * past the NaN. Where a stress cycle applies (not a constant stress), a NaN
 * a, b, u, v or xctratio gives no life ("NaN life in GradualDegradation:
 * life counted as used up"), and a NaN cycle number no place on it: a NaN
 * held nm or cjimp (dmgflag 1), a NaN n or cjimp, or an equivalent cycle
 * number that a NaN exponent of the active curve leaves NaN (dmgflag 2;
 * "NaN cycle number in GradualDegradation: life counted as used up"). Both
 * are treated as the NaN stress above. A NaN gamma or lambda gives a NaN
 * stiffness curve, a NaN alpha or beta a NaN strength curve where the
 * cycle number is still known (from the start, or the other branch), and
 * the factor that follows the curve comes back NaN wherever it is used (x <
 * Nf), in both forms (de too when it is the mean of the strength factors);
 * a later call then takes the life as used up as above. In dmgflag 2 a NaN
 * lim or active strength curve leaves the allowed jump unknown: cjump_nf is
 * NaN and status -2 recorded ("NaN cycle jump bound in GradualDegradation"),
 * the factors as computed. Any other dmgflag
 * records status -2 ("Error: Default case
 * in subroutine GradualDegradation...") and degrades nothing. When noel
 * equals the debugged element of the step card, labelled values are printed
 * to standard output.
 *   speak_t, sbottom_t (in/out) peak and bottom stress of the tension half,
 *                      over the strength
 *   speak_c, sbottom_c (in/out) peak and bottom stress of the compression
 *                      half, over the strength
 *   xctratio (in)     tensile over compressive strength
 *   a, b     (in)     constants of the life relation f = a Nf^b
 *   u, v     (in)     mean-stress exponents of the life relation
 *   nm       (in/out) accumulated fatigue damage (cycle fraction of Nf)
 *   n        (in)     current cycle number
 *   cjimp    (in)     cycle jump of this increment
 *   alpha_t, alpha_c (in) residual-strength exponents 1/alpha of tension
 *                      and compression
 *   beta_t, beta_c (in) residual-strength exponents of the log-cycle ratio,
 *                      tension and compression
 *   gamma, lambda (in) residual-stiffness exponents (as alpha and beta)
 *   de       (in/out) stiffness factor, 1 intact
 *   df_t, df_c (in/out) tension and compression strength factors, 1 intact
 *   degr_fac (in)     factor of a used-up life
 *   dmgflag  (in)     1 damage accumulation, 2 equivalent cycles and the
 *                     allowed cycle jump; other values: status -2
 *   isshear  (in)     4-byte flag: non-zero for a shear component (tension
 *                     and compression strengths not coupled)
 *   noel     (in)     element number; diagnostics when it equals edebug
 *   cjump_nf (in/out) cycles that may still be jumped (dmgflag 2); NaN
 *                     when its bound is unknown (above)
 *   lim      (in)     strength drop that bounds the cycle jump */
void GradualDegradation(double* speak_t, double* sbottom_t, double* speak_c, double* sbottom_c,
                        const double* xctratio, const double* a, const double* b,
                        const double* u, const double* v, double* nm, const double* n,
                        const double* cjimp, const double* alpha_t, const double* alpha_c,
                        const double* beta_t, const double* beta_c, const double* gamma,
                        const double* lambda, double* de, double* df_t, double* df_c,
                        const double* degr_fac, const int32_t* dmgflag, const int32_t* isshear,
                        const int32_t* noel, double* cjump_nf, const double* lim);

#ifdef __cplusplus
}
#endif
#endif
