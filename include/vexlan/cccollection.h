/* Component cccollection: core-crushing criteria of sandwich cores, evaluated
 * at the core's upper face, middle and lower face; the effort is the largest
 * of the three position values (1e-20 where the core is not in compression). */
#ifndef VEXLAN_CCCOLLECTION_H
#define VEXLAN_CCCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* CCPetras: s33/xc33 + tau(1)/x23 + tau(2)/x13 (signed ratios) per position.
 *   rcc              (out) effort
 *   s33u, s33m, s33l (in)  through-thickness stress at upper face, middle, lower face
 *   taou, taom, taol (in)  2 transverse shear stresses at each position (23, 13)
 *   xc33, x13, x23   (in)  compressive and shear strengths of the core */
void CCPetras(double* rcc, const double* s33u, const double* s33m, const double* s33l,
              const double* taou, const double* taom, const double* taol, const double* xc33,
              const double* x13, const double* x23);

/* CCBesant: (|s33|^n/xc33^n + |tau(1)|^n/x23^n + |tau(2)|^n/x13^n)^(1/n) per position.
 *   besantexponent (in) the exponent n; other arguments as CCPetras */
void CCBesant(double* rcc, const double* s33u, const double* s33m, const double* s33l,
              const double* taou, const double* taom, const double* taol, const double* xc33,
              const double* x13, const double* x23, const double* besantexponent);

#ifdef __cplusplus
}
#endif
#endif
