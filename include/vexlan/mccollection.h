/* Component mccollection: matrix-cracking (inter-fibre failure) criteria.
 * Calling convention as in gpcollection.h: effort first (1.0 or more means
 * failure), ply stresses as scalars in ply axes, positive strengths in the
 * units of the stresses, optional parameters (NULL = default; angles in
 * degrees, the fracture angle returned in radians).
 *
 * Fracture-plane criteria search the action plane turned by theta about the
 * fibre axis (theta 0: the ply plane, normal along axis 3; 90 degrees: the
 * plane normal to axis 2) for the largest exposure of its traction: normal
 * sn, longitudinal shear tn1 (paired with x12) and transverse shear tnt.
 * Scan mode (gsflag other than 1, the default) visits lo, lo + sainc, ... up
 * to hi, then the planes where the exposure changes branch or kinks, each
 * from both sides (1e-8 rad off): those where the normal traction changes
 * sign and, for MCrckSPC3D, the multiples of 90 degrees; and the upper limit
 * hi when the steps stop short of it (not over a whole half turn, where it is
 * the first plane again). It keeps the first largest value (0 at angle 0 when
 * none is positive): its resolution is the step sainc, and a smooth peak
 * between two steps can rise above the effort by what it gains there (at 5
 * degrees by up to 0.39 to 1.5 % of the effort, as each criterion's gsflag
 * states). Golden mode (gsflag 1, which MatrixCracking passes unless the
 * ply's parameters say otherwise) looks at the same
 * planes, then refines by golden section around every local maximum within 10
 * % of the best, between its two neighbours (over the full 180 degrees the
 * end planes are neighbours; the two sides of a break plane end the segments on
 * either side of it, each refined towards its own segment), down to 0.01
 * degrees; it reports the best value
 * found with its own angle and is never below the scan. A step of 0, a
 * negative, infinite or NaN step, or in golden mode a step wider than the
 * range records status -2 and 5 degrees are used; a step that would visit
 * more than a million planes is widened to a millionth of the range, also
 * with status -2. A plane whose exposure is not a number makes the effort NaN
 * (outtheta and tcflag are then left as passed); Camanho alone passes over
 * planes where its square root is undefined. A model parameter (a0, gp, wp,
 * xcs, gc, salims) that is not a finite number gives an effort that is not
 * finite where the criterion reads it. The closed-form criteria need no
 * search. */
#ifndef VEXLAN_MCCOLLECTION_H
#define VEXLAN_MCCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Fracture-plane criteria ---------------------------------------------- */

/* MCrckLaRC05: LaRC05 matrix criterion, the largest exposure over the action
 * planes from 0 to 180 degrees of (tnt/(S_T - eta_T sn))^2 + (tn1/(S_L - eta_L
 * sn))^2 + (max(sn, 0)/xt22)^2 (not square-rooted), with S_T = xc22 cos a0 (sin
 * a0 + cos a0/tan 2a0), eta_T = -1/tan 2a0, S_L = x12 and eta_L = eta_T
 * S_L/S_T. Scan mode (gsflag other than 1) evaluates the planes 0, sainc, 2
 * sainc, ... up to 180 degrees and both sides of each plane where the normal
 * traction changes sign (where the exposure changes branch); its resolution is
 * sainc: a smooth peak between two steps can rise above the effort by what it
 * gains there. gsflag 1 then refines by golden section around every local
 * maximum within 10 % of the best, to 0.01 degrees. A step of 0, a negative,
 * infinite or NaN step, or in golden mode a step wider than the range records
 * status -2 and 5 degrees are used. Stresses and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength
 *   a0       (in, optional) fracture angle of pure transverse compression in
 *            degrees, default 53
 *   outtheta (in/out, optional) when passed negative and the effort is at
 *            least 1.0: the fracture angle in radians; otherwise unchanged
 *            (Python default -1.0)
 *   sainc    (in, optional) search step in degrees, default 5
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 4e-9 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 1.5 % less than the largest
 *            exposure, so a state up to 1.5 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states scaled to
 *            failure, with three sets of strengths) */
void MCrckLaRC05(double* rmc, const double* s22, const double* s33, const double* s12,
                 const double* s13, const double* s23, const double* xt22, const double* xc22,
                 const double* x12, const double* a0, double* outtheta, const double* sainc,
                 const int32_t* gsflag);

/* MCrckLaRC04: LaRC04 matrix criterion (not square-rooted). s22 >= 0 gives,
 * without search, (1 - g) s22/xt22 + g (s22/xt22)^2 + (s12/x12)^2 + (1/e22 -
 * nu12^2/e11)(s23/x12)^2. A compressive s22 gives the largest (tnt/(S_T - eta_T
 * sn))^2 + (tn1/(S_L - eta_L sn))^2 over the action planes (S_T, eta_T, S_L,
 * eta_L as for MCrckLaRC05). When s11 >= -xc22 (fibre tension, or fibre
 * compression up to the transverse compressive strength) the planes turn the
 * ply stresses over -180 to 180 degrees, and s11 plays no part; a fracture
 * angle below 0 names the same plane as that angle plus 180 degrees (the
 * exposure repeats every half turn). When s11 < -xc22 the fibres kink: the
 * planes run over 0 to 180 degrees on the stresses turned onto the kink plane
 * and by the fibre misalignment angle (as FBLaRC04), and the fracture angle is
 * measured in that misaligned frame, not in the ply axes. The exposure has no
 * branch: scan mode (gsflag other than 1) evaluates the planes sainc apart from
 * the lower limit, its resolution is sainc; gsflag 1 then refines by golden
 * section around every local maximum within 10 % of the best, to 0.01 degrees.
 * A step of 0, a negative, infinite or NaN step, or in golden mode a step wider
 * than the range records status -2 and 5 degrees are used. Stresses, strengths
 * and moduli in consistent units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s11..s23 (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11     (in)  tensile fibre strength, not read
 *   xc11     (in)  compressive fibre strength, for the misalignment angle
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength
 *   e11, e22, g12, nu12 (in) ply moduli E1, E2, G12 and Poisson ratio nu12
 *   gc       (in, optional) 2 fracture toughnesses; g = gc(1)/gc(2) when both
 *            are non-zero, else 0.35 (its single-precision value); one that
 *            is not finite gives a NaN effort for a tensile s22
 *   a0       (in, optional) fracture angle of pure transverse compression in
 *            degrees, default 53
 *   outtheta (in/out, optional) when passed negative and the effort is at
 *            least 1.0: the fracture angle in radians; otherwise unchanged
 *            (Python default -1.0)
 *   sainc    (in, optional) search step in degrees, default 5
 *   fcl      (in, optional) non-zero: 0 for a tensile s22, and 0 in the
 *            misalignment branch (s11 < -xc22); default 0
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 4e-9 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 0.82 % less than the largest
 *            exposure, so a state up to 0.82 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states with a
 *            compressive s22 scaled to failure, with three sets of strengths) */
void MCrckLaRC04(double* rmc, const double* s11, const double* s22, const double* s33,
                 const double* s12, const double* s13, const double* s23, const double* xt11,
                 const double* xc11, const double* xt22, const double* xc22, const double* x12,
                 const double* e11, const double* e22, const double* g12, const double* nu12,
                 const double* gc, const double* a0, double* outtheta, const double* sainc,
                 const int32_t* fcl, const int32_t* gsflag);

/* MCrckVDI2014: Puck's action-plane criterion with the guideline's weights and
 * the weakening by fibre stress. Per plane, with psi the direction of the shear
 * traction (psi = atan(tn1/tnt); cos^2 psi taken as 0 where abs(tnt) <= 1e-6),
 * R_A = xc22/(2 (1 + gp(4))) and p/R = gp(3) cos^2 psi/R_A + gp(1) sin^2
 * psi/x12 (gp(4), gp(2) for a compressive sn), the exposure is sqrt(((1/xt22 -
 * p/R) sn)^2 + (tnt/R_A)^2 + (tn1/x12)^2) + p/R sn for sn >= 0 and
 * sqrt((tnt/R_A)^2 + (tn1/x12)^2 + (p/R sn)^2) + p/R sn for sn < 0. With f the
 * largest exposure, the fibre exposure F = s11/xt11 (or -s11/xc11) and r = f/F
 * (1e6 for F <= 1e-6), the effort is f/D when wp(1) <= r <= 1/wp(2), D = (c
 * sqrt(1 + (c^2 - wp(2)^2) r^2) + wp(2)) r/(1 + (r c)^2) with c = (1 -
 * wp(2))/sqrt(1 - wp(1)^2), else f. Scan mode (gsflag other than 1) evaluates
 * the planes 0, sainc, 2 sainc, ... up to 180 degrees and both sides of each
 * plane where the normal traction changes sign (where the exposure changes
 * branch); its resolution is sainc: a smooth peak between two steps can rise
 * above the effort by what it gains there. gsflag 1 then refines by golden
 * section around every local maximum within 10 % of the best, to 0.01 degrees.
 * A step of 0, a negative, infinite or NaN step, or in golden mode a step wider
 * than the range records status -2 and 5 degrees are used. Stresses and
 * strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s11..s23 (in)  ply stresses 11, 22, 33, 12, 13, 23
 *   xt11, xc11 (in) tensile and compressive fibre strength
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength
 *   outtheta (in/out, optional) when passed negative and the effort is at
 *            least 1.0: the fracture angle in radians; otherwise unchanged
 *            (Python default -1.0)
 *   gp       (in, optional) 4 inclination parameters p(+) and p(-) of the
 *            longitudinal, then of the transverse shear; default (0.3, 0.3,
 *            0.25, 0.25)
 *   wp       (in, optional) 2 weakening parameters, default (0.5, 0.5);
 *            wp(1) = 1 divides by zero; entries that are not finite give a
 *            NaN effort
 *   sainc    (in, optional) search step in degrees, default 5
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 4e-9 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 0.85 % less than the largest
 *            exposure, so a state up to 0.85 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states scaled to
 *            failure, with three sets of strengths) */
void MCrckVDI2014(double* rmc, const double* s11, const double* s22, const double* s33,
                  const double* s12, const double* s13, const double* s23, const double* xt11,
                  const double* xc11, const double* xt22, const double* xc22, const double* x12,
                  double* outtheta, const double* gp, const double* wp, const double* sainc,
                  const int32_t* gsflag);

/* MCrckSPC3D: three-dimensional action-plane criterion whose strengths follow
 * the plane angle theta, between the values of axes 2 and 3. With q = abs(sin 2
 * theta), a tensile sn gives gp(1) b + sqrt((1 - gp(1))^2 b^2 + (tnt/((xt22 +
 * xt33) q + xt23))^2 + (tn1/(abs(sin theta) xt12 + abs(cos theta) xt13))^2)
 * with b = sn/(sin^2 theta xt22 + cos^2 theta xt33 + xt23 q); a compressive sn
 * gives the same form with a = gp(2) sn/(sin^2 theta xc22 + cos^2 theta xc33 +
 * xcs(3) q) in place of gp(1) b and (1 - gp(1)) b, and the compressive and xcs
 * shear strengths. The planes run from salims(1) to salims(2). Scan mode
 * (gsflag other than 1) evaluates the planes salims(1), salims(1) + sainc, ...
 * up to salims(2), then both sides of each plane where the exposure jumps or
 * has a cusp: where the normal traction changes sign (the strengths change) and
 * at the multiples of 90 degrees (q turns); and salims(2) itself when the steps
 * stop short of it, since the exposure often climbs towards the cusp at 180
 * degrees just beyond it. Its resolution is sainc: a smooth peak between two
 * steps can rise above the effort by what it gains there. gsflag 1 then refines
 * by golden section around every local maximum within 10 % of the best, to 0.01
 * degrees. A step of 0, a negative, infinite or NaN step, or in golden mode a
 * step wider than the range records status -2 and the native default step of 2
 * degrees is used. Limits that are not finite, or an xcs entry that is not,
 * give a NaN effort. Stresses and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt11, xc11 (in) fibre strengths, not read
 *   xt22, xc22 (in) tensile and compressive strength along axis 2
 *   xt33, xc33 (in) tensile and compressive strength along axis 3
 *   xt12, xt13, xt23 (in) shear strengths 12, 13, 23 (under tension)
 *   xcs      (in, optional) 3 shear strengths 12, 13, 23 under compression,
 *            default (xt12, xt13, xt23); entries that are not finite give a
 *            NaN effort
 *   outtheta (in/out, optional) when passed negative and the effort is at
 *            least 1.0: the fracture angle in radians; otherwise unchanged
 *            (Python default -1.0)
 *   gp       (in, optional) 2 inclination parameters (tension, compression),
 *            default (0.3, -0.3)
 *   sainc    (in, optional) search step in degrees; absent 2 (the Python
 *            default passes 5)
 *   salims   (in, optional) 2 plane angles in degrees bounding the search,
 *            default (2, 178)
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 2e-7 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 0.52 % less than the largest
 *            exposure, so a state up to 0.52 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states scaled to
 *            failure, with three sets of strengths) */
void MCrckSPC3D(double* rmc, const double* s22, const double* s33, const double* s12,
                const double* s13, const double* s23, const double* xt11, const double* xc11,
                const double* xt22, const double* xc22, const double* xt33, const double* xc33,
                const double* xt12, const double* xt13, const double* xt23, const double* xcs,
                double* outtheta, const double* gp, const double* sainc, const double* salims,
                const int32_t* gsflag);

/* MCrckCamanho: action-plane criterion with friction and a transverse shear
 * strength of its own. With S_T = x23, S_L = x12, eta_T = -1/(2 tan 2a0), eta_L
 * = eta_T S_L/S_T, kappa = (S_T^2 - xt22^2)/(xt22 S_T) and lambda = 2 eta_L
 * S_T/S_L - kappa, a plane with sn <= 0 gives sqrt((tn1/(S_L - eta_L sn))^2 +
 * (tnt/(S_T - eta_T sn))^2) and one with sn > 0 gives sqrt((sn/S_T)^2 +
 * (tn1/S_L)^2 + (tnt/S_T)^2 + lambda (sn/S_T)(tn1/S_L)^2 + kappa sn/S_T); the
 * effort is the largest over 0 to 180 degrees. Scan mode (gsflag other than 1)
 * evaluates the planes 0, sainc, 2 sainc, ... up to 180 degrees and both sides
 * of each plane where the normal traction changes sign (where the exposure
 * changes branch); its resolution is sainc: a smooth peak between two steps can
 * rise above the effort by what it gains there. gsflag 1 then refines by golden
 * section around every local maximum within 10 % of the best, to 0.01 degrees.
 * A step of 0, a negative, infinite or NaN step, or in golden mode a step wider
 * than the range records status -2 and 5 degrees are used. Stresses and
 * strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22     (in)  transverse tensile strength
 *   xc22     (in)  transverse compressive strength, not read
 *   x12, x23 (in)  in-plane and transverse shear strength
 *   outtheta (in/out, optional) when passed negative and the effort is at
 *            least 1.0: the fracture angle in radians; otherwise unchanged
 *            (Python default -1.0)
 *   a0       (in, optional) fracture angle of pure transverse compression in
 *            degrees, default 53
 *   sainc    (in, optional) search step in degrees, default 5
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 4e-9 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 0.39 % less than the largest
 *            exposure, so a state up to 0.39 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states scaled to
 *            failure, with three sets of strengths) */
void MCrckCamanho(double* rmc, const double* s22, const double* s33, const double* s12,
                  const double* s13, const double* s23, const double* xt22, const double* xc22,
                  const double* x12, const double* x23, double* outtheta, const double* a0,
                  const double* sainc, const int32_t* gsflag);

/* MCrckWiegand: action-plane criterion with friction, the largest over 0 to 180
 * degrees of sqrt((tnt/(S_T - eta_T sn))^2 + (tn1/(S_L - eta_L sn))^2), plus
 * (sn/xt22)^2 under the root where sn >= 0; S_T = xc22/(2 tan a0), eta_T =
 * -1/(2 tan 2a0), S_L = x12, eta_L = eta_T S_L/S_T. Scan mode (gsflag other
 * than 1) evaluates the planes 0, sainc, 2 sainc, ... up to 180 degrees and
 * both sides of each plane where the normal traction changes sign (where the
 * exposure changes branch); its resolution is sainc: a smooth peak between two
 * steps can rise above the effort by what it gains there. gsflag 1 then refines
 * by golden section around every local maximum within 10 % of the best, to 0.01
 * degrees. A step of 0, a negative, infinite or NaN step, or in golden mode a
 * step wider than the range records status -2 and 5 degrees are used. Stresses
 * and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength
 *   outtheta (in/out, optional) when passed negative and the effort is at
 *            least 1.0: the fracture angle in radians; otherwise unchanged
 *            (Python default -1.0)
 *   a0       (in, optional) fracture angle of pure transverse compression in
 *            degrees, default 53
 *   sainc    (in, optional) search step in degrees, default 5
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 4e-9 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 0.77 % less than the largest
 *            exposure, so a state up to 0.77 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states scaled to
 *            failure, with three sets of strengths) */
void MCrckWiegand(double* rmc, const double* s22, const double* s33, const double* s12,
                  const double* s13, const double* s23, const double* xt22, const double* xc22,
                  const double* x12, double* outtheta, const double* a0, const double* sainc,
                  const int32_t* gsflag);

/* MCrckPuck: Puck's inter-fibre criterion on the action plane. Per plane, with
 * R_A = xc22/(2 (1 + gp(4))), c2 = tnt^2/(tnt^2 + tn1^2), s2 = 1 - c2 and p/R =
 * gp(3) c2/R_A + gp(1) s2/x12 (gp(4), gp(2) for a compressive sn; 0 without
 * shear traction), the exposure is sqrt(((1/xt22 - p/R) sn)^2 + (tnt/R_A)^2 +
 * (tn1/x12)^2) + p/R sn for sn >= 0 and sqrt((tnt/R_A)^2 + (tn1/x12)^2 + (p/R
 * sn)^2) + p/R sn for sn < 0; the effort is the largest over 0 to 180 degrees.
 * Scan mode (gsflag other than 1) evaluates the planes 0, sainc, 2 sainc, ...
 * up to 180 degrees and both sides of each plane where the normal traction
 * changes sign (where the exposure changes branch); its resolution is sainc: a
 * smooth peak between two steps can rise above the effort by what it gains
 * there. gsflag 1 then refines by golden section around every local maximum
 * within 10 % of the best, to 0.01 degrees. A step of 0, a negative, infinite
 * or NaN step, or in golden mode a step wider than the range records status -2
 * and 5 degrees are used. Stresses and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength
 *   outtheta (in/out, optional) the fracture angle in radians, 0 to pi
 *            (while sainc is in degrees), written only when outtheta is
 *            passed negative and the effort is at least 1.0; otherwise (and
 *            for a NaN effort) left as passed. From Python the default -1.0
 *            comes back as -1.0 when the ply has not failed
 *   gp       (in, optional) 4 inclination parameters p(+) and p(-) of the
 *            longitudinal, then of the transverse shear; default (0.3, 0.2,
 *            0.15, 0.15)
 *   sainc    (in, optional) search step in degrees (outtheta comes back in
 *            radians), default 5
 *   gsflag   (in, optional) 1: scan, then golden-section refinement around the
 *            maxima to 0.01 degrees, within 4e-9 of the largest exposure; any
 *            other value (default 0): the scan alone, resolution sainc. At
 *            5 degrees the scan reported up to 0.98 % less than the largest
 *            exposure, so a state up to 0.98 % beyond failure can read as
 *            below 1 (the most found over 12,000 stress states scaled to
 *            failure, with three sets of strengths)
 *   tcflag   (in/out, optional) when the effort is at least 1.0: -1 when the
 *            normal traction on the fracture plane (the plane that gives the
 *            effort) is negative, else +1; otherwise unchanged (Python
 *            default 0) */
void MCrckPuck(double* rmc, const double* s22, const double* s33, const double* s12,
               const double* s13, const double* s23, const double* xt22, const double* xc22,
               const double* x12, double* outtheta, const double* gp, const double* sainc,
               const int32_t* gsflag, int32_t* tcflag);

/* ---- Closed-form criteria -------------------------------------------------- */

/* MCrckCuntze2012: Cuntze's failure-mode concept for inter-fibre failure.
 * With I1 = s22 + s33 and R = sqrt(4 s23^2 + (s22 - s33)^2) the modes are
 * transverse tension E1 = max((I1 + R)/(2 xt22), 0), transverse compression
 * E2 = max(((b_pp - 1) I1 + b_pp R)/xc22, 0) and in-plane shear E3 =
 * sqrt(A/(2 x12^3)) with A = b I3 + sqrt((b I3)^2 + 4 x12^2 (s12^2 +
 * s13^2)^2), I3 = 2 s22 s12^2 + 2 s33 s13^2 + 4 s23 s13 s12; the effort is
 * (E1^m + E2^m + E3^m)^(1/m). A stress-free ply gives 0. A negative A
 * records a note with status -3 ("Note: Negative root during Cuntze
 * failure...") and E3 = 0. Stresses and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength
 *   gp       (in, optional) 2 parameters (b, b_pp), default (0.16, 1.16)
 *   mint     (in, optional) mode-interaction exponent m, default 2.4; a gp
 *            or mint that is not finite gives a NaN effort (for a loaded ply) */
void MCrckCuntze2012(double* rmc, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt22, const double* xc22,
                     const double* x12, const double* gp, const double* mint);

/* MCrckCuntze2004: Cuntze's failure-mode concept, earlier edition. With I1 =
 * s22 + s33, R = sqrt(4 s23^2 + (s22 - s33)^2) and S = (x12 + x13)/2 the
 * modes are transverse tension E1 = (I1 + R)/(2 xt22), shear E3 = Q^(1/3) with
 * Q = (2 b (s22 s12^2 + s33 s13^2 + 2 s12 s13 s23) + (s12^2 + s13^2)^1.5)/S^3,
 * and transverse compression E2 = max(1/(sqrt(W) - h/2), 1/(-h/2 -
 * sqrt(W))) with K = c (s12^2 + s13^2) + b_pp R^2, h = (b_pp - 1) I1 xc22/K
 * and W = xc22^2/K + h^2/4 (E2 = (b_pp - 1) I1/xc22 when K = 0). A negative
 * mode value (or a negative Q) becomes 0.01. The effort is (E1^m + E3^m +
 * E2^m)^(1/m); a stress-free ply gives 0. A negative W records a note with
 * status -3 and its root is taken as 0. Stresses and strengths in the same
 * units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12, x13 (in)  shear strengths 12 and 13
 *   gp       (in, optional) 3 parameters (b, b_pp, c), default (0.13, 1.5,
 *            0.4)
 *   mint     (in, optional) mode-interaction exponent m, default 2.5; a gp
 *            or mint that is not finite gives a NaN effort (for a loaded ply) */
void MCrckCuntze2004(double* rmc, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt22, const double* xc22,
                     const double* x12, const double* x13, const double* gp, const double* mint);

/* MCrckChangChang: Chang-Chang matrix criterion sqrt((s22/Y)^2 +
 * (s12/x12)^2), Y = xt22 for s22 > 0, else xc22. This is the root of the
 * published quadratic form, over both terms, rather than |s22/Y| +
 * (s12/x12)^2 with the root over the normal term only: the effort grows in
 * proportion to the load (its inverse is the reserve factor), and pure shear
 * at half of x12 gives 0.5. Stresses and strengths in the same units.
 * Nothing is recorded.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22, s12 (in)  transverse and in-plane shear stress
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12      (in)  in-plane shear strength */
void MCrckChangChang(double* rmc, const double* s22, const double* s12, const double* xt22,
                     const double* xc22, const double* x12);

/* MCrckChai: sqrt((s22/Y)^2 + (s12/x12)^2 + (s23/x23)^2), Y = xt22 for s22 >=
 * 0, else xc22. Stresses and strengths in the same units. Nothing is
 * recorded.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22, s12, s23 (in) transverse, in-plane shear and transverse shear stress
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12, x23 (in)  in-plane and transverse shear strength
 *   dang     (in, optional) accepted and not read */
void MCrckChai(double* rmc, const double* s22, const double* s12, const double* s23,
               const double* xt22, const double* xc22, const double* x12, const double* x23,
               const double* dang);

/* MCrckChristensen: Christensen's quadratic matrix criterion with b = (1/xt22
 * - 1/xc22) s22 + (1/xt33 - 1/xc33) s33 and c = (s23^2 - s22 s33)/x23^2 +
 * (s12/x12)^2 + (s13/x13)^2 + (s22 + s33)^2/sqrt(xt22 xc22 xt33 xc33); the
 * effort is 2c/(sqrt(b^2 + 4c) - b), or b > 0 (else 0) where that root
 * vanishes. When b^2 + 4c < 0 a note with status -1 goes to the error record
 * and the effort is 0. Stresses and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive strength along axis 2
 *   xt33, xc33 (in) tensile and compressive strength along axis 3
 *   x12, x13, x23 (in) shear strengths */
void MCrckChristensen(double* rmc, const double* s22, const double* s33, const double* s12,
                      const double* s13, const double* s23, const double* xt22,
                      const double* xc22, const double* xt33, const double* xc33,
                      const double* x12, const double* x13, const double* x23);

/* MCrckHashin1989: Hashin's matrix mode with distinct strengths along axes 2
 * and 3. With I1 = s22 + s33, T = (s23^2 - s22 s33)/x23^2 and S = (s12/x12)^2 +
 * (s13/x13)^2: for I1 >= 0 the effort is sqrt(I1^2/(xt22 xt33) + T + S); for
 * I1 < 0 it is 2c/(sqrt(4c + b^2) - b) with c = I1^2/(4 x23^2) + T + S and b
 * = (s22/xc22 + s33/xc33)(xc22 xc33/(4 x23^2) - 1), or b > 0 (else 0) where
 * that root vanishes. For I1 >= 0 a sum under the root that is not positive
 * (zero stress included), for I1 < 0 a negative 4c + b^2, records a note
 * with status -1 ("Note: Negative root during Hashin failure...") and gives
 * 0. Stresses and strengths in the same units.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive strength along axis 2
 *   xt33, xc33 (in) tensile and compressive strength along axis 3
 *   x12, x13, x23 (in) shear strengths */
void MCrckHashin1989(double* rmc, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt22, const double* xc22,
                     const double* xt33, const double* xc33, const double* x12, const double* x13,
                     const double* x23);

/* MCrckHashinComplete: Hashin's matrix mode of a transversely isotropic ply.
 * With I1 = s22 + s33, T = (s23^2 - s22 s33)/x23^2 and L = (s12^2 +
 * s13^2)/x12^2: for I1 >= 0 the effort is sqrt((I1/xt22)^2 + T + L), 0 when
 * that sum is not positive; for I1 < 0 it is 2c/(sqrt(4c + b^2) - b) with c =
 * I1^2/(4 x23^2) + T + L and b = (xc22^2/(4 x23^2) - 1) I1/xc22, or b where
 * that root vanishes. Stresses and strengths in the same units. Nothing is
 * recorded.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22..s23 (in)  ply stresses 22, 33, 12, 13, 23
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12, x23 (in)  in-plane and transverse shear strength */
void MCrckHashinComplete(double* rmc, const double* s22, const double* s33, const double* s12,
                         const double* s13, const double* s23, const double* xt22,
                         const double* xc22, const double* x12, const double* x23);

/* MCrckHashin3D: Hashin's matrix mode on s22 with the three shear stresses.
 * With L = (s12^2 + s13^2)/x12^2: a tensile s22 (s22 >= 0) gives
 * sqrt((s22/xt22)^2 + L + (s23/x23)^2); a compressive one gives 2c/(sqrt(4c
 * + b^2) - b) with c = (s22/(2 x23))^2 + L + (s23/x23)^2 and b = ((xc22/(2
 * x23))^2 - 1) s22/xc22, so that s22 = -xc22 alone gives 1. Stresses and
 * strengths in the same units. Nothing is recorded.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22      (in)  transverse stress
 *   s12, s13, s23 (in) shear stresses
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12, x23 (in)  in-plane and transverse shear strength */
void MCrckHashin3D(double* rmc, const double* s22, const double* s12, const double* s13,
                   const double* s23, const double* xt22, const double* xc22, const double* x12,
                   const double* x23);

/* MCrckHashinPS: Hashin's matrix mode in plane stress. A tensile s22 (s22 >=
 * 0) gives sqrt((s22/xt22)^2 + (s12/x12)^2); a compressive one gives
 * 2c/(sqrt(4c + b^2) - b) with c = (s22/(2 x23))^2 + (s12/x12)^2 and b =
 * ((xc22/(2 x23))^2 - 1) s22/xc22. Stresses and strengths in the same units.
 * Nothing is recorded.
 *   rmc      (out) failure effort, 1.0 or more means failure
 *   s22, s12 (in)  transverse and in-plane shear stress
 *   xt22, xc22 (in) tensile and compressive transverse strength
 *   x12, x23 (in)  in-plane and transverse shear strength */
void MCrckHashinPS(double* rmc, const double* s22, const double* s12, const double* xt22,
                   const double* xc22, const double* x12, const double* x23);

/* MCrckBahei: Bahei's matrix and interphase criterion; the effort is the
 * largest of three mode values. Matrix (1): (s11^2 + s22^2 + s33^2 - s11 s22
 * - s22 s33 - s33 s11)/xnorm^2 + 3 (s12^2 + s13^2 + s23^2)/xshear^2 (not
 * square-rooted). With an interphase (strength S_i and friction mu_i given,
 * neither -1.0) mode 1 is 0 and interphase shear (2) is abs(mu_i min(s33, 0)
 * + sqrt(s23^2 + s13^2))/S_i, interphase tension (3) max(s33, 0)/xnorm.
 * Stresses and strengths in the same units. Nothing is recorded.
 *   rmc          (out) failure effort, 1.0 or more means failure
 *   stressvector (in)  nstress ply stresses: (11, 22, 12) for 3 values,
 *                      (11, 22, 33, 12) for 4 or 5, the Nye 6-vector (11, 22,
 *                      33, 12, 13, 23) for 6 or more; 1 or 2 values are
 *                      (11) or (11, 22); missing components are 0
 *   xnorm, xshear (in) normal and shear strength of the matrix
 *   nstress      (in)  number of values in stressvector, at least 1
 *   interphase   (in, optional) 2 values: interphase shear strength and
 *                      friction coefficient; absent, or either value -1.0:
 *                      no interphase (Python default (-1, -1))
 *   failmode     (in/out, optional) when passed negative and the effort is at
 *                      least 1.0: the number (1 to 3) of the first largest
 *                      mode; otherwise unchanged (Python default -1) */
void MCrckBahei(double* rmc, const double* stressvector, const double* xnorm, const double* xshear,
                const int32_t* nstress, const double* interphase, int32_t* failmode);

#ifdef __cplusplus
}
#endif
#endif
