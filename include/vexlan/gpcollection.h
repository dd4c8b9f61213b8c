/* Component gpcollection: general failure potentials (no separation of failure
 * modes) and the calling convention shared by every failure criterion.
 *
 * Convention of the criteria (gpcollection, fbcollection, mccollection,
 * delcollection, cccollection): argument 1 is the failure effort (out), a
 * stress exposure, failure at 1.0 or more (non-negative except for
 * GPPolynomial, whose quadratic part can be negative); then the ply stresses
 * used, as scalars in ply axes in the order s11, s22, s33, s12, s13, s23; then
 * positive strengths (xt.. tensile, xc.. compressive as positive numbers, x12,
 * x13, x23 shear, ilss interlaminar shear); then elastic constants; then
 * optional parameters (NULL = the documented default; angles in degrees).
 * Fracture-plane criteria return the fracture angle in radians through
 * outtheta, written only when it was passed negative and the effort is at
 * least 1.0. Notes go to the error record (status -1, -3 for the Cuntze
 * criteria); the affected value is then 0. A stress or strength that is not a
 * finite number, where the criterion reads it, gives an effort that is not
 * finite either (NaN or inf), never a finite value that could pass the ply as
 * intact; the per-mode drivers then record status -2 and fail the ply. */
#ifndef VEXLAN_GPCOLLECTION_H
#define VEXLAN_GPCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GPMaxNominal: maximum stress criterion on the fibre-direction stress,
 * abs(s11 / X) with X = xt11 for a positive s11 and xc11 otherwise (s11 = 0
 * gives 0). Stress and strengths in the same units. Nothing is recorded.
 *   rgp        (out) failure effort, 1.0 or more means failure
 *   s11        (in)  fibre-direction stress
 *   xt11, xc11 (in)  tensile and compressive fibre strength, both positive */
void GPMaxNominal(double* rgp, const double* s11, const double* xt11, const double* xc11);

/* GPQuadNominal: quadratic nominal criterion sqrt((s11/xt11)^2 +
 * (s12/x12)^2 + (s13/x13)^2); the tensile strength serves for either sign of
 * s11. Stresses and strengths in the same units. Nothing is recorded.
 *   rgp            (out) failure effort, 1.0 or more means failure
 *   s11, s12, s13  (in)  fibre-direction stress and the two shear stresses
 *                        acting on the fibre direction
 *   xt11, x12, x13 (in)  tensile fibre strength, shear strengths 12 and 13 */
void GPQuadNominal(double* rgp, const double* s11, const double* s12, const double* s13,
                   const double* xt11, const double* x12, const double* x13);

/* GPLinInteraction, GPQuadInteraction, GPNorrisInteraction: in-plane
 * interaction criteria of s11, s22 and s12. With a = s11/X1, b = s22/X2 and
 * c = s12/x12 (X1 = xt11 for s11 >= 0, else xc11; X2 likewise from xt22,
 * xc22) the effort is abs(a + b + c) for the linear form (the shear ratio
 * keeps its sign), sqrt(a^2 + b^2 + c^2) for the quadratic form and
 * sqrt(a^2 - a b + b^2 + c^2) for Norris. Stresses and strengths in the same
 * units. Nothing is recorded.
 *   rgp            (out) failure effort, 1.0 or more means failure
 *   s11, s22, s12  (in)  in-plane ply stresses
 *   xt11, xc11     (in)  tensile and compressive fibre strength
 *   xt22, xc22     (in)  tensile and compressive transverse strength
 *   x12            (in)  in-plane shear strength */
void GPLinInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                      const double* xt11, const double* xc11, const double* xt22,
                      const double* xc22, const double* x12);
void GPQuadInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                       const double* xt11, const double* xc11, const double* xt22,
                       const double* xc22, const double* x12);
void GPNorrisInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                         const double* xt11, const double* xc11, const double* xt22,
                         const double* xc22, const double* x12);

/* GPYamadaSunInteraction: sqrt((s11/X1)^2 + (s12/x12)^2 + (s13/x13)^2), X1 =
 * xt11 for s11 >= 0, else xc11. Stresses and strengths in the same units.
 * Nothing is recorded.
 *   rgp           (out) failure effort, 1.0 or more means failure
 *   s11, s12, s13 (in)  fibre-direction stress and the shear stresses 12, 13
 *   xt11, xc11    (in)  tensile and compressive fibre strength
 *   x12, x13      (in)  shear strengths 12 and 13 */
void GPYamadaSunInteraction(double* rgp, const double* s11, const double* s12,
                            const double* s13, const double* xt11, const double* xc11,
                            const double* x12, const double* x13);

/* GPPolynomial: quadratic failure polynomial of an orthotropic ply (Tsai-Wu,
 * Tsai-Hill and Hoffman type coefficient sets). With the linear part
 * b = F1 s11 + F2 s22 + F3 s33 and the quadratic part c = sum Fii sii^2 +
 * sum Fij sii sjj + (s12/x12)^2 + (s13/x13)^2 + (s23/x23)^2, the effort is
 * 1/lambda for the load factor lambda with lambda b + lambda^2 c = 1, that is
 * 2c / (sqrt(b^2 + 4c) - b); where that root vanishes (c = 0) the effort is
 * b when b > 0, else 0. Coefficient sets by ptype, with Xti, Xci the
 * strengths of axis i: 0 (default) Fi = 1/Xti - 1/Xci, Fii = 1/(Xti Xci),
 * Fij = 2 xint sqrt(Fii Fjj); 1 Fi = 0, Fii = 1/Xi^2 with Xi chosen by the
 * sign of sii (tensile for >= 0), Fij = 2 xint (Fii + Fjj - Fkk), k the third
 * axis; 2 Fi and Fii as for 0, Fij as for 1; any other value as 0 without
 * mixed terms. The mixed terms need xint; without it they are 0. With ptype
 * 0 and xint -0.5 the mixed terms are -sqrt(Fii Fjj) sii sjj: the usual
 * Tsai-Wu form F1 s11 + ... + F11 s11^2 + ... + 2 F12 s11 s22 + ... with F12 =
 * -sqrt(F11 F22)/2. The effort is negative where the quadratic part c is
 * (and b < 0); with ptype 0 that needs xint outside -0.5 to 1: xint 1.5
 * gives -0.25 for s11 = 1000, s22 = -150 and strengths 1500, 1200, 50, 200,
 * 50, 200. When b^2 + 4c < 0 a note (status -1, "Note: Negative root during
 * polynomial failure...") goes to the error record and the effort is 0; an
 * xint that is not finite gives NaN. The strengths come in the order xt11,
 * xc11, xt22, xc22, xt33, xc33, x12, x13, x23: rows 1, 4, 2, 5, 3, 6, 7, 8, 9
 * of a ply's strength column of the material card (tensile 11, 22, 33,
 * compressive 11, 22, 33, shear 12, 13, 23, ILSS). The general-failure
 * driver passes them so, without xint. Stresses and strengths in the same
 * units.
 *   rgp        (out) failure effort, 1.0 or more means failure
 *   s11..s23   (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11, xc11 (in)  tensile and compressive strength along axis 1
 *   xt22, xc22 (in)  tensile and compressive strength along axis 2
 *   xt33, xc33 (in)  tensile and compressive strength along axis 3
 *   x12, x13, x23 (in) shear strengths
 *   xint       (in, optional) interaction factor of the mixed terms, -0.5
 *              for the usual Tsai-Wu form; absent: no mixed terms (from
 *              Python the default 0.0 gives none either)
 *   ptype      (in, optional) coefficient set 0 (default), 1, 2 or other, as
 *              above */
void GPPolynomial(double* rgp, const double* s11, const double* s22, const double* s33,
                  const double* s12, const double* s13, const double* s23, const double* xt11,
                  const double* xc11, const double* xt22, const double* xc22, const double* xt33,
                  const double* xc33, const double* x12, const double* x13, const double* x23,
                  const double* xint, const int32_t* ptype);

/* GPPolyCamanho: quadratic failure polynomial of a transversely isotropic ply
 * (axes 2 and 3 alike), solved for the effort as GPPolynomial is. Coefficient
 * sets by ptype: 0 (default) F1 = 1/xt11 - 1/xc11, F2 = F3 = 1/xt22 - 1/xc22,
 * F11 = 1/(xt11 xc11), F22 = F33 = 1/(xt22 xc22); 1 no linear terms,
 * F11 = 1/xt11^2, F22 = F33 = 1/xt22^2; 2 as 1 with F33 = 0 and without the
 * s13 and s23 terms; any other value as 1 with F33 = 0. The s11 s22 and s11
 * s33 terms have 2 xint sqrt(F11 F22) when xint is given with abs(xint) <= 1,
 * else none; the s22 s33 term always has 2 F22 - 1/x23^2. When b^2 + 4c < 0 a
 * note (status -1) goes to the error record and the effort is 0. Stresses
 * and strengths in the same units.
 *   rgp        (out) failure effort, 1.0 or more means failure
 *   s11..s23   (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11, xc11 (in)  tensile and compressive fibre strength
 *   xt22, xc22 (in)  tensile and compressive transverse strength
 *   x12, x13, x23 (in) shear strengths
 *   xint       (in, optional) interaction factor, used when abs(xint) <= 1
 *              (the Python default 1.5 gives no interaction); one that is
 *              not finite gives a NaN effort
 *   ptype      (in, optional) coefficient set 0 (default), 1, 2 or other, as
 *              above */
void GPPolyCamanho(double* rgp, const double* s11, const double* s22, const double* s33,
                   const double* s12, const double* s13, const double* s23, const double* xt11,
                   const double* xc11, const double* xt22, const double* xc22, const double* x12,
                   const double* x13, const double* x23, const double* xint,
                   const int32_t* ptype);

/* ---- Stress-vector potentials of isotropic and resin-like materials -------- */

/* GPDruckerPrager: Drucker-Prager potential of a stress vector with first
 * invariant I1 and von Mises stress vm: F = ((xt - xc)/(xt + xc)) I1/sqrt(3)
 * + 2 xt xc/((xt + xc) sqrt(3)) - vm/sqrt(3), positive inside the cone and
 * zero on it. d becomes 1.0 when F is at most 1 (on the surface, within one
 * stress unit inside it, or beyond it); otherwise d is only raised to 0 if
 * it was negative. Nothing is recorded.
 *   stress (in)     6 stresses, order 11, 22, 33, 12, 13, 23
 *   xt, xc (in)     uniaxial tensile and compressive strength, positive
 *   d      (in/out) damage flag: 1.0 once failed
 *   di1    (in/out) receives F */
void GPDruckerPrager(const double* stress, const double* xt, const double* xc, double* d,
                     double* di1);

/* GPBauwens: Bauwens potential e = (1/xt + 1/xc) vm/2 + (1/xt - 1/xc) I1/2
 * of a stress vector (vm von Mises stress, I1 first invariant). The damage
 * takes the exposure when it is larger and never exceeds 1: d = min(max(e,
 * d), 1); a NaN exposure makes it NaN, and a NaN d stays NaN (unknown, never
 * lowered to e). Nothing is recorded.
 *   stress (in)     6 stresses, order 11, 22, 33, 12, 13, 23
 *   xt, xc (in)     uniaxial tensile and compressive strength, positive
 *   d      (in/out) damage, never decreasing, at most 1 */
void GPBauwens(const double* stress, const double* xt, const double* xc, double* d);

/* GPRaghava: Raghava's paraboloid potential e = (1/xt - 1/xc) I1 +
 * vm^2/(xt xc) of a stress vector (vm von Mises stress, I1 first invariant);
 * d = min(max(e, d, 0), 1); a NaN d (only a C caller can pass one) stays
 * NaN. Nothing is recorded.
 *   stress (in)     6 stresses, order 11, 22, 33, 12, 13, 23
 *   xt, xc (in)     uniaxial tensile and compressive strength, positive
 *   d      (in/out) damage, never decreasing, within [0, 1] (0 on entry from
 *                   Python) */
void GPRaghava(const double* stress, const double* xt, const double* xc, double* d);

/* GPHa: pressure-dependent Mises potential with exponent np, split into a
 * Mises and a first-invariant part. With k = xc/xt and p = k^np the critical
 * values are misescr = xt ((p + k)/(k + 1))^(1/np) and i1cr = xt (p + k)/(p -
 * 1) (infinite or NaN when k^np = 1); dmises = (vm/misescr)^np, di1 =
 * I1/i1cr and d = min(dmises + di1, 1). d is negative where compression
 * makes di1 outweigh dmises (xc > xt): hydrostatic -100 with xt 50, xc 150
 * and np 2 gives d = -4. A stress, strength or np that is not a finite
 * number and leaves d NaN sets life to 1.0 and records status -2 "NaN damage
 * in GPHa: life counted as used up"; nothing else is recorded.
 *   stress  (in)     6 stresses, order 11, 22, 33, 12, 13, 23
 *   xt, xc  (in)     uniaxial tensile and compressive strength, positive
 *   np      (in)     exponent of the potential
 *   d       (out)    damage min(dmises + di1, 1), may be negative
 *   di1     (out)    first-invariant part I1/i1cr
 *   dmises  (out)    Mises part (vm/misescr)^np
 *   i1cr    (out)    critical first invariant
 *   misescr (out)    critical von Mises stress
 *   life    (in/out) set to 1.0 when d reaches 1.0 (or is NaN, above), else
 *                    left as given
 *                    (from Python it starts at 0: 1.0 failed, 0 not) */
void GPHa(const double* stress, const double* xt, const double* xc, const double* np, double* d,
          double* di1, double* dmises, double* i1cr, double* misescr, double* life);

#ifdef __cplusplus
}
#endif
#endif
