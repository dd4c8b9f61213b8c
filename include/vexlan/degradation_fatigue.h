/* Gradual fatigue degradation of ply strength and stiffness, one cycle jump
 * at a time (component degradation). Stresses are normalised by the ply
 * strength. */
#ifndef VEXLAN_DEGRADATION_FATIGUE_H
#define VEXLAN_DEGRADATION_FATIGUE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GradualDegradation:
 *   speak_t, sbottom_t (in/out) peak and bottom stress, tension half (0 -> 1e-8)
 *   speak_c, sbottom_c (in/out) the same, compression half
 *   xctratio (in) tensile over compressive strength
 *   a, b, u, v (in) constants of the constant-life relation
 *   nm (in/out) accumulated fatigue damage
 *   n (in) current cycle number;  cjimp (in) cycle jump of this increment
 *   alpha_t, alpha_c, beta_t, beta_c (in) residual-strength exponents
 *   gamma, lambda (in) residual-stiffness exponents
 *   de, df_t, df_c (in/out) stiffness and strength factors (1 intact)
 *   degr_fac (in) factor when the life is used up
 *   dmgflag (in) 1 damage accumulation, 2 equivalent cycles and cycle jump
 *   isshear (in) 4-byte flag: shear component
 *   noel (in) element number (diagnostics when equal to edebug)
 *   cjump_nf (in/out) allowed cycle jump (form 2)
 *   lim (in) strength drop bounding the cycle jump */
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
