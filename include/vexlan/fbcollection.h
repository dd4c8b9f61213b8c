/* Component fbcollection: fibre-breakage criteria (stress-ratio forms,
 * quadratic, mode-wise, and the LaRC fibre-kinking criteria). Calling
 * convention as in gpcollection.h: effort first, ply stresses as scalars in
 * the order 11, 22, 33, 12, 13, 23, positive strengths, elastic constants,
 * optional parameters (NULL = default; angles in degrees). */
#ifndef VEXLAN_FBCOLLECTION_H
#define VEXLAN_FBCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* FBChangChang: Chang-Chang fibre criterion sqrt((s11/X)^2 + (s12/x12)^2),
 * X = xt11 for s11 >= 0, else xc11. Stresses and strengths in the same
 * units. Nothing is recorded.
 *   rfb        (out) failure effort, 1.0 or more means failure
 *   s11, s12   (in)  fibre-direction stress and in-plane shear stress
 *   xt11, xc11 (in)  tensile and compressive fibre strength
 *   x12        (in)  in-plane shear strength */
void FBChangChang(double* rfb, const double* s11, const double* s12, const double* xt11,
                  const double* xc11, const double* x12);

/* FBHashin: Hashin fibre mode sqrt((s11/X)^2 + alpha ((s12/x12)^2 +
 * (s13/x13)^2)), X = xt11 for s11 >= 0, else xc11; alpha 0 leaves the
 * maximum stress ratio abs(s11/X). Stresses and strengths in the same units.
 * Nothing is recorded.
 *   rfb           (out) failure effort, 1.0 or more means failure
 *   s11, s12, s13 (in)  fibre-direction stress and the shear stresses 12, 13
 *   xt11, xc11    (in)  tensile and compressive fibre strength
 *   x12, x13      (in)  shear strengths 12 and 13
 *   alpha         (in, optional) weight of the shear terms, default 1.0 */
void FBHashin(double* rfb, const double* s11, const double* s12, const double* s13,
              const double* xt11, const double* xc11, const double* x12, const double* x13,
              const double* alpha);

/* FBChristensen: Christensen's quadratic fibre criterion with b = (1/xt11 -
 * 1/xc11) s11 and c = s11^2/(xt11 xc11) - (1/xt11 + 1/xc11)^2 s11 (s22 +
 * s33)/4; the effort is 2c / (sqrt(b^2 + 4c) - b). When b^2 + 4c < 0 ("Note:
 * Negative root during Christensen failure...") or the denominator is 0
 * (s11 = 0 among others: "Note: Division by Zero during Christensen
 * failure..."), a note with status -1 goes to the error record and the
 * effort is 0. Stresses and strengths in the same units.
 *   rfb           (out) failure effort, 1.0 or more means failure
 *   s11, s22, s33 (in)  the direct ply stresses
 *   xt11, xc11    (in)  tensile and compressive fibre strength */
void FBChristensen(double* rfb, const double* s11, const double* s22, const double* s33,
                   const double* xt11, const double* xc11);

/* FBBahei: Bahei's mode-wise fibre criterion; the effort is the largest of
 * four mode values. Fibre tension (1): s11/xlnorm when s11 >= xlnorm, and
 * then the other modes are 0. Otherwise longitudinal shear (2): abs((sqrt(s12^2
 * + s13^2) + mu min(sn, 0))/xlshear), sn the normal stress on the plane of
 * the longitudinal shear resultant (0 without longitudinal shear);
 * transverse shear (3): abs((R + mu min(m, 0))/xtshear) with m = (s22 +
 * s33)/2 and R = sqrt(4 s23^2 + (s22 - s33)^2)/2; transverse tension (4):
 * max(m + R, 0)/xtnorm. Stresses and strengths in the same units. Nothing is
 * recorded.
 *   rfb          (out) failure effort, 1.0 or more means failure
 *   stressvector (in)  nstress ply stresses: (11, 22, 12) for 3 values,
 *                      (11, 22, 33, 12) for 4 or 5, the Nye 6-vector (11, 22,
 *                      33, 12, 13, 23) for 6 or more; 1 or 2 values are
 *                      (11) or (11, 22); missing components are 0
 *   xlnorm, xtnorm (in) longitudinal and transverse normal strength
 *   xlshear, xtshear (in) longitudinal and transverse shear strength
 *   mu           (in)  friction coefficient of the shear modes
 *   nstress      (in)  number of values in stressvector, at least 1
 *   failmode     (in/out, optional) when passed negative and the effort is at
 *                      least 1.0: the number (1 to 4) of the first largest
 *                      mode; otherwise unchanged (Python default -1) */
void FBBahei(double* rfb, const double* stressvector, const double* xlnorm, const double* xtnorm,
             const double* xlshear, const double* xtshear, const double* mu,
             const int32_t* nstress, int32_t* failmode);

/* FBLaRC04: LaRC04 fibre criterion without a plane search. A tensile s11
 * (s11 >= 0) gives s11/xt11. In compression the stress is turned about the
 * fibre axis onto the kink plane psi = atan(2 s23/(s22 - s33))/2 (0 for a
 * hydrostatic transverse stress) and then about axis 3 by the fibre
 * misalignment phi, which grows from the initial misalignment at which pure
 * compression xc11 kinks with the shear stress s12 and the shear stiffness
 * g12. In that frame a compressive s22m gives (s12m/(x12 - eta_L s22m))^2,
 * otherwise (1 - g) s22m/xt22 + g (s22m/xt22)^2 + (s12m/x12)^2 + (1/e22 -
 * nu12^2/e11)(s13m/x12)^2 (not square-rooted). eta_L = eta_T x12/S_T with
 * eta_T = -1/tan(2 a0) and S_T = xc22 cos a0 (sin a0 + cos a0/tan(2 a0)).
 * Shear strengths too high for xc11 (1 - 4 (eta_L + x12/xc11) x12/xc11 < 0)
 * give NaN. Stresses, strengths and moduli in consistent units. Nothing is
 * recorded.
 *   rfb        (out) failure effort, 1.0 or more means failure
 *   s11..s23   (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11, xc11 (in)  tensile and compressive fibre strength
 *   xt22, xc22 (in)  tensile and compressive transverse strength
 *   x12        (in)  in-plane shear strength
 *   e11, e22, g12, nu12 (in) ply moduli E1, E2, G12 and Poisson ratio nu12
 *   gc         (in, optional) 2 fracture toughnesses; g = gc(1)/gc(2) when
 *              both are non-zero, else 0.35 (its single-precision value);
 *              one that is not finite gives a NaN effort where s22m >= 0
 *   a0         (in, optional) fracture angle of pure transverse compression
 *              in degrees, default 53
 *   fcl        (in, optional) non-zero: a compressive s11 gives 0; default 0 */
void FBLaRC04(double* rfb, const double* s11, const double* s22, const double* s33,
              const double* s12, const double* s13, const double* s23, const double* xt11,
              const double* xc11, const double* xt22, const double* xc22, const double* x12,
              const double* e11, const double* e22, const double* g12, const double* nu12,
              const double* gc, const double* a0, const int32_t* fcl);

/* FBLaRC05: LaRC05 fibre kinking. A tensile s11 (s11 >= 0) gives s11/xt11.
 * In compression the kink-plane angle psi is searched over 0 to 180 degrees
 * for the largest exposure (tb/(S_T - eta_T sn))^2 + (ta/(S_L - eta_L sn))^2
 * + (max(sn, 0)/xt22)^2 (not square-rooted) of the traction (sn, ta, tb) on
 * the kink plane, the stress turned by psi about the fibre axis and by the
 * fibre misalignment about axis 3 (S_T = xc22 cos a0 (sin a0 + cos
 * a0/tan(2 a0)), eta_T = -1/tan(2 a0), S_L = x12, eta_L = eta_T S_L/S_T).
 * The kink plane is plane 2 of the misaligned frame, as in the published
 * kinking criterion: sn = s22m, ta = s12m, tb = s23m. Plane 3 (s33m, s13m,
 * s23m) would miss kinking itself: the misalignment turns about axis 3 and
 * leaves that plane unloaded under uniaxial compression, where plane 2 gives
 * 1.0 at s11 = -xc11.
 * The misalignment turns with the sign of the turned t12 (cos psi s12 + sin
 * psi s13, 0 counting as positive), so the exposure jumps on the plane where
 * that changes sign. Scan mode (gsflag other than 1) evaluates the planes 0,
 * sainc, 2 sainc, ... up to 180 degrees and both sides (1e-8 rad off) of that
 * plane (none when s12 = s13 = 0): its resolution is sainc, and a smooth peak
 * between two steps can rise above the effort by what it gains there. In
 * golden mode (gsflag 1) the search then refines by golden section around
 * every local maximum of these planes within 10 % of the best, to 0.01
 * degrees, and keeps the best value found. A step of 0, a negative,
 * infinite or NaN step, or in golden mode a step wider than the range
 * records status -2 and the search uses 5 degrees; a step that would scan
 * more than a million planes is widened to a millionth of the range with
 * status -2. Stresses, strengths and g12 in consistent units.
 *   rfb        (out) failure effort, 1.0 or more means failure
 *   s11..s23   (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11, xc11 (in)  tensile and compressive fibre strength
 *   xt22, xc22 (in)  tensile and compressive transverse strength
 *   x12        (in)  in-plane shear strength
 *   g12        (in)  in-plane shear modulus
 *   a0         (in, optional) fracture angle of pure transverse compression
 *              in degrees, default 53
 *   sainc      (in, optional) search step in degrees, default 5
 *   gsflag     (in, optional) 1: scan, then golden-section refinement around
 *              the maxima to 0.01 degrees, within 4e-9 of the largest exposure;
 *              any other value (default 0, also in fiberbreakage): the scan
 *              alone, resolution sainc. At 5 degrees the scan reported up to
 *              1.5 % less than the largest exposure, so a state up to 1.5 %
 *              beyond failure can read as below 1 (the most found over
 *              20,000 stress states with a compressive s11 scaled to failure,
 *              with three sets of strengths)
 *   fcl        (in, optional) non-zero: a compressive s11 gives 0; default 0 */
void FBLaRC05(double* rfb, const double* s11, const double* s22, const double* s33,
              const double* s12, const double* s13, const double* s23, const double* xt11,
              const double* xc11, const double* xt22, const double* xc22, const double* x12,
              const double* g12, const double* a0, const double* sainc, const int32_t* gsflag,
              const int32_t* fcl);

/* FBLaRC05_is: LaRC05 fibre kinking (as FBLaRC05, on plane 2 of the
 * misaligned frame) with in-situ strengths. x_is
 * overrides the standard strengths entry by entry; an entry of 0 keeps the
 * fallback. The longitudinal shear strength and the transverse tensile strength
 * on the kink plane mix their a and b values by the misalignment angle phi (b
 * cos^2 phi + a sin^2 phi); the transverse shear strength is x_is(9) or x23_std
 * itself. A compressive s11 counts only beyond half the compressive strength:
 * abs(s11) <= abs(Xc)/2 gives 0. A tensile s11 gives s11/Xt. The search as
 * FBLaRC05: scan mode evaluates the planes sainc apart over 0 to 180 degrees
 * (resolution sainc) and both sides of the plane where the turned t12 changes
 * sign, gsflag 1 refines by golden section to 0.01 degrees; an unusable step
 * records status -2 as there. Stresses, strengths and g12 in consistent
 * units.
 *   rfb        (out) failure effort, 1.0 or more means failure
 *   s11..s23   (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11_std, xc11_std (in) standard tensile and compressive fibre strength
 *   xt22_std   (in)  standard transverse tensile strength
 *   x23_std    (in)  standard transverse shear strength
 *   x12_std    (in)  standard in-plane shear strength
 *   g12        (in)  in-plane shear modulus
 *   a0         (in, optional) fracture angle of pure transverse compression
 *              in degrees, default 53
 *   sainc      (in, optional) search step in degrees, default 5
 *   gsflag     (in, optional) 1: scan, then golden-section refinement around
 *              the maxima to 0.01 degrees, within 4e-9 of the largest exposure;
 *              any other value (default 0): the scan alone, resolution sainc.
 *              At 5 degrees the scan reported up to 0.80 % less than the
 *              largest exposure, so a state up to 0.80 % beyond failure can
 *              read as below 1 (the most found over 7,600 stress states with a
 *              compressive s11 scaled to failure, with three sets of strengths)
 *   fcl        (in, optional) non-zero: a compressive s11 gives 0; default 0
 *   x_is       (in, optional) 9 in-situ strengths, 0 for the fallback: 1 Xt
 *              (xt11_std), 2 Ya (xt22_std), 3 Yb (Ya), 4 Xc (xc11_std), 5
 *              and 6 not read, 7 SLa (x12_std), 8 SLb (SLa), 9 ST (x23_std);
 *              absent: all fallbacks */
void FBLaRC05_is(double* rfb, const double* s11, const double* s22, const double* s33,
                 const double* s12, const double* s13, const double* s23, const double* xt11_std,
                 const double* xc11_std, const double* xt22_std, const double* x23_std,
                 const double* x12_std, const double* g12, const double* a0, const double* sainc,
                 const int32_t* gsflag, const int32_t* fcl, const double* x_is);

#ifdef __cplusplus
}
#endif
#endif
