/* Component delcollection: delamination (interface) criteria. Calling
 * convention as in gpcollection.h; s33 is the interface normal stress, ilss
 * the interlaminar shear strength; suffix l marks the lower ply of an
 * interface, u the upper one. */
#ifndef VEXLAN_DELCOLLECTION_H
#define VEXLAN_DELCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* DelLee: Lee's interface criterion max(sqrt(s12^2 + s13^2)/ilss, N) with the
 * signed normal ratio N = s33/xt33 for s33 > 0, else s33/xc33 (so a
 * compressive s33 leaves the shear term alone). Stresses and strengths in
 * the same units. Nothing is recorded.
 *   rdel          (out) failure effort, 1.0 or more means failure
 *   s33           (in)  interface normal stress
 *   s12, s13      (in)  shear stresses
 *   xt33, xc33    (in)  tensile and compressive through-thickness strength
 *   ilss          (in)  interlaminar shear strength */
void DelLee(double* rdel, const double* s33, const double* s12, const double* s13,
            const double* xt33, const double* xc33, const double* ilss);

/* DelOchoaEngblom: sqrt((s13^2 + s23^2)/ilss^2 + N^2) with N = s33/xt33 for
 * s33 > 0, else s33/xc33. Stresses and strengths in the same units. Nothing
 * is recorded.
 *   rdel          (out) failure effort, 1.0 or more means failure
 *   s33           (in)  interface normal stress
 *   s13, s23      (in)  interlaminar shear stresses
 *   xt33, xc33    (in)  tensile and compressive through-thickness strength
 *   ilss          (in)  interlaminar shear strength */
void DelOchoaEngblom(double* rdel, const double* s33, const double* s13, const double* s23,
                     const double* xt33, const double* xc33, const double* ilss);

/* DelHashin: Hashin's interface form sqrt(N^2 + (s23/ilss)^2 + (s13/ilss)^2)
 * with N = s33/xt22 for s33 > 0, else s33/xc22 (the transverse strengths
 * stand for the through-thickness ones). Stresses and strengths in the same
 * units. Nothing is recorded.
 *   rdel          (out) failure effort, 1.0 or more means failure
 *   s33           (in)  interface normal stress
 *   s13, s23      (in)  interlaminar shear stresses
 *   xt22, xc22    (in)  tensile and compressive transverse strength
 *   ilss          (in)  interlaminar shear strength */
void DelHashin(double* rdel, const double* s33, const double* s13, const double* s23,
               const double* xt22, const double* xc22, const double* ilss);

/* DelPuck: Puck's action-plane formula on the interface plane, with s33 as
 * the normal traction, s23 as the transverse and s13 as the longitudinal
 * shear (ilss in place of the in-plane shear strength). With R_A = xc22/(2 (1
 * + gp(4))) and S = s23^2 + s13^2: for s33 < 0, p = (gp(4) s23^2/R_A + gp(2)
 * s13^2/ilss) s33/S and the effort is sqrt(s23^2/R_A^2 + s13^2/ilss^2 + p^2)
 * + p; for s33 >= 0, q = (gp(3) s23^2/R_A + gp(1) s13^2/ilss)/S and the effort
 * is s33 q + sqrt((1/xt22 - q)^2 s33^2 + s23^2/R_A^2 + s13^2/ilss^2); p and q
 * are 0 without shear. Stresses and strengths in the same units. Nothing is
 * recorded.
 *   rdel          (out) failure effort, 1.0 or more means failure
 *   s33           (in)  interface normal stress
 *   s13, s23      (in)  interlaminar shear stresses
 *   xt22, xc22    (in)  tensile and compressive transverse strength
 *   ilss          (in)  interlaminar shear strength
 *   gp            (in, optional) 4 inclination parameters p(+) and p(-) of
 *                       the longitudinal, then of the transverse shear;
 *                       default (0.3, 0.2, 0.15, 0.15) */
void DelPuck(double* rdel, const double* s33, const double* s13, const double* s23,
             const double* xt22, const double* xc22, const double* ilss, const double* gp);

/* DelChoiChang: Choi-Chang two-ply interface criterion sqrt(da
 * ((s23u/ilssu)^2 + (s22l/Y)^2 + (s13l/ilssl)^2)), Y = xt22l for s22l > 0,
 * else xc22l; suffix l marks the ply below the interface, u the ply above.
 * Stresses and strengths in the same units. Nothing is recorded.
 *   rdel          (out) failure effort, 1.0 or more means failure
 *   s22l, s13l    (in)  transverse and interlaminar shear stress of the lower
 *                       ply
 *   s23u          (in)  transverse shear stress of the upper ply
 *   xt22l, xc22l  (in)  tensile and compressive transverse strength of the
 *                       lower ply
 *   ilssl, ilssu  (in)  interlaminar shear strength of the lower and upper ply
 *   da            (in, optional) empirical factor, default 1.8 */
void DelChoiChang(double* rdel, const double* s22l, const double* s13l, const double* s23u,
                  const double* xt22l, const double* xc22l, const double* ilssl,
                  const double* ilssu, const double* da);

/* DelChai: Chai's two-ply interface criterion sqrt(df1 (s22l/Y)^2 + df2
 * (s23u/x23u)^2 + 1.875 df3 (s13l/ilssl)^2), Y = xt22l for s22l > 0, else
 * xc22l; 0 when the sum is not positive. Suffix l marks the ply below the
 * interface, u the ply above; df1..df3 are the interface factors of the two
 * plies (GetChaiDelamFactors). Stresses and strengths in the same units.
 * Nothing is recorded.
 *   rdel          (out) failure effort, 1.0 or more means failure
 *   s22l, s13l    (in)  transverse and interlaminar shear stress of the lower
 *                       ply
 *   s23u          (in)  transverse shear stress of the upper ply
 *   xt22l, xc22l  (in)  tensile and compressive transverse strength of the
 *                       lower ply
 *   x23u          (in)  transverse shear strength of the upper ply
 *   ilssl         (in)  interlaminar shear strength of the lower ply
 *   df1, df2, df3 (in)  interface factors weighting the three terms: the
 *                       membrane mismatch factor and the two shear factors;
 *                       one that is not finite gives a NaN effort */
void DelChai(double* rdel, const double* s22l, const double* s13l, const double* s23u,
             const double* xt22l, const double* xc22l, const double* x23u, const double* ilssl,
             const double* df1, const double* df2, const double* df3);

#ifdef __cplusplus
}
#endif
#endif
