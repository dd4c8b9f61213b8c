/* Component cccollection: core-crushing criteria of sandwich cores, evaluated
 * at the core's upper face, middle and lower face; the effort is the largest
 * of the three position values (1e-20 where the core is not in compression). */
#ifndef VEXLAN_CCCOLLECTION_H
#define VEXLAN_CCCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* CCPetras: core-crushing criterion of a sandwich core, evaluated at the
 * core's upper face, middle and lower face: where the through-thickness
 * stress s33 is compressive or zero, abs(s33)/xc33 + abs(tau(1))/x23 +
 * abs(tau(2))/x13 (magnitudes, so that s33 = -xc33 alone gives 1 whatever
 * the shear signs); 1e-20 where it is tensile. The effort is the largest of
 * the three; a position whose value is not a number (or whose s33 is NaN or
 * an infinite tension) makes the effort NaN, so that no unknown position
 * passes as intact. Stresses and strengths in the same units. Nothing is
 * recorded.
 *   rcc              (out) failure effort, 1.0 or more means failure
 *   s33u, s33m, s33l (in)  through-thickness stress at the upper face, the
 *                          middle and the lower face of the core
 *   taou, taom, taol (in)  2 transverse shear stresses (23, 13) at each of
 *                          those positions
 *   xc33             (in)  compressive strength of the core
 *   x13, x23         (in)  shear strengths 13 and 23 of the core */
void CCPetras(double* rcc, const double* s33u, const double* s33m, const double* s33l,
              const double* taou, const double* taom, const double* taol, const double* xc33,
              const double* x13, const double* x23);

/* CCBesant: core-crushing criterion with an exponent n, at the core's upper
 * face, middle and lower face: where s33 is compressive or zero, (|s33|^n/
 * xc33^n + |tau(1)|^n/x23^n + |tau(2)|^n/x13^n)^(1/n); 1e-20 where it is
 * tensile. The effort is the largest of the three; a position whose value
 * is not a number (or whose s33 is NaN or an infinite tension) makes the
 * effort NaN. Stresses and strengths in the same units. Nothing is recorded.
 *   rcc              (out) failure effort, 1.0 or more means failure
 *   s33u, s33m, s33l (in)  through-thickness stress at the upper face, the
 *                          middle and the lower face of the core
 *   taou, taom, taol (in)  2 transverse shear stresses (23, 13) at each of
 *                          those positions
 *   xc33             (in)  compressive strength of the core
 *   x13, x23         (in)  shear strengths 13 and 23 of the core
 *   besantexponent   (in)  the exponent n; one that is not finite gives a
 *                          NaN value at every compressed position */
void CCBesant(double* rcc, const double* s33u, const double* s33m, const double* s33l,
              const double* taou, const double* taom, const double* taol, const double* xc33,
              const double* x13, const double* x23, const double* besantexponent);

#ifdef __cplusplus
}
#endif
#endif
