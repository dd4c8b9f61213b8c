/* Per-mode failure drivers (component damage): one call evaluates the failure
 * criterion selected for one ply of one section and returns its failure
 * effort r and the flag f (1.0 when r >= 1.0 or r is not a finite number,
 * else 0.0; a non-finite r also records status -2, with the ply and the
 * section as the integer context errintv). Modes: 1 general,
 * 2 fibre, 3 matrix, 4 delamination, 5 core crushing.
 *
 * Property arrays are column-major, one column per ply and section:
 *   peprops(9, nlayer, nsec)  E1, E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   psprops(10, nlayer, nsec) strengths Xt11, Xt22, Xt33, Xc11, Xc22, Xc33,
 *                             S12, S13, S23, ILSS (all positive)
 * Stresses are in ply axes (1 the fibre direction), in the units of the
 * strengths. A ply or section outside the arrays records status -2 ("Error:
 * Ply or section out of range in the failure driver.") and returns f = r =
 * 0. A selector outside its table (negative ones included) records status
 * -2 with the driver's "Warning: Default case in ..." message and returns
 * f = r = 0. Notes of the criteria themselves pass through. */
#ifndef VEXLAN_DAMAGE_DRIVERS_H
#define VEXLAN_DAMAGE_DRIVERS_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* generalfailure: general failure (mode 1) of one ply by the potential that
 * gpflag selects: 0 none (r = 0), 1 GPMaxNominal, 2 GPQuadNominal, 3
 * GPLinInteraction, 4 GPQuadInteraction, 5 GPNorrisInteraction, 6
 * GPYamadaSunInteraction, 7 GPPolyCamanho, 8 GPPolynomial (both without
 * interaction factor, coefficient set 0). The strengths are those of column
 * (layer, isec) of psprops. A ply or section outside the arrays, or a
 * selector outside 0..8 (negative ones included), records status -2 in the
 * error record ("Warning: Default case in GeneralFailure subroutine..." for
 * the selector) and returns f = r = 0.
 *   fgp            (out) failure flag: 1.0 when rgp >= 1.0, else 0.0; a rgp
 *                        that is not finite (NaN or inf stress or strength)
 *                        gives 1.0 and records status -2 with the driver's
 *                        warning "...: failure effort is not a finite
 *                        number." and layer, isec as its integer context
 *   rgp            (out) failure effort
 *   plystress      (in)  6 ply stresses 11, 22, 33, 12, 13, 23
 *   psprops        (in)  10 x nlayer x nsec ply strengths
 *   plyorientation (in)  nlayer x nsec ply angles in degrees, not read
 *   layer          (in)  ply number, 1..nlayer
 *   nlayer         (in)  plies per section column of the property arrays
 *   isec           (in)  section number, 1..nsec
 *   nsec           (in)  number of sections
 *   gpflag         (in)  criterion selector, 0 to 8 as above */
void generalfailure(double* fgp, double* rgp, const double* plystress, const double* psprops,
                    const double* plyorientation, const int32_t* layer, const int32_t* nlayer,
                    const int32_t* isec, const int32_t* nsec, const int32_t* gpflag);

/* fiberbreakage: fibre breakage (mode 2) of one ply by the criterion that
 * fbflag selects: 0 none (r = 0), 1 GPMaxNominal, 2 GPQuadNominal, 3 FBHashin
 * (alpha 1), 4 FBChangChang, 5 FBChristensen, 6 GPPolyCamanho, 7
 * GPPolynomial, 8 GPLinInteraction, 9 GPQuadInteraction, 10
 * GPNorrisInteraction, 11 GPYamadaSunInteraction, 12 FBLaRC04 and 13
 * FBLaRC05 (both with their defaults; E1, E2, G12, nu12 from peprops). A
 * ply or section outside the arrays, or a selector outside 0..13 (negative
 * ones included), records status -2 in the error record ("Warning: Default
 * case in FiberBreakage subroutine..." for the selector) and returns f = r =
 * 0.
 *   ffb            (out) failure flag: 1.0 when rfb >= 1.0, else 0.0; a rfb
 *                        that is not finite (NaN or inf stress or strength)
 *                        gives 1.0 and records status -2 with the driver's
 *                        warning "...: failure effort is not a finite
 *                        number." and layer, isec as its integer context
 *   rfb            (out) failure effort
 *   plystress      (in)  6 ply stresses 11, 22, 33, 12, 13, 23
 *   peprops        (in)  9 x nlayer x nsec ply elastic constants
 *   psprops        (in)  10 x nlayer x nsec ply strengths
 *   plyorientation (in)  nlayer x nsec ply angles in degrees, not read
 *   layer          (in)  ply number, 1..nlayer
 *   nlayer         (in)  plies per section column of the property arrays
 *   isec           (in)  section number, 1..nsec
 *   nsec           (in)  number of sections
 *   fbflag         (in)  criterion selector, 0 to 13 as above */
void fiberbreakage(double* ffb, double* rfb, const double* plystress, const double* peprops,
                   const double* psprops, const double* plyorientation, const int32_t* layer,
                   const int32_t* nlayer, const int32_t* isec, const int32_t* nsec,
                   const int32_t* fbflag);

/* MatrixCracking: matrix cracking (mode 3) of one ply by the criterion that
 * mcflag selects: 0 none (r = 0), 1 MCrckHashinPS, 2 MCrckHashin3D, 3
 * MCrckHashinComplete, 4 MCrckHashin1989, 5 MCrckChai, 6 MCrckChangChang, 7
 * MCrckCuntze2004, 8 MCrckCuntze2012, 9 MCrckPuck, 10 MCrckWiegand, 11
 * MCrckCamanho, 12 MCrckSPC3D, 13 MCrckVDI2014, 14 MCrckLaRC04, 15
 * MCrckLaRC05. The fracture-plane criteria (9 to 15) run with a0 53 degrees,
 * step 5 degrees and the golden mode (gsflag 1: scan, then golden-section
 * refinement) unless the ply's parameter list in pdprops says otherwise. The
 * list is column (layer, isec) up to the first entry equal to defreal (n
 * values); a list that is empty or holds -1.0 anywhere keeps every default.
 * Otherwise: 9 with n = 4 sets Puck's gp, 10 and 11 with n = 1 set a0, 12
 * with n = 5 sets xcs (1 to 3) and gp (4, 5), 13 with n = 6 sets gp (1 to 4)
 * and wp (5, 6); 9 with n = 2 or 6, 10 and 11 with n = 2 or 3, 12 with n = 2
 * or 7 and 13 with n = 2 or 8 take sainc and gsflag from the last two values
 * (gsflag truncated); any other n of 9 to 13 sets nothing. For every other
 * selector the first value is a0 and, in radians, the angle handed over as
 * outtheta (so a failing ply reports it). A degenerate step from the list
 * records status -2 and 5 degrees are used. A ply or section outside the
 * arrays, or a selector outside 0..15 (negative ones included), records
 * status -2 ("Warning: Default case in MatrixCracking subroutine..." for the
 * selector) and returns f = r = 0 with outtheta untouched.
 *   fmc            (out) failure flag: 1.0 when rmc >= 1.0, else 0.0; a rmc
 *                        that is not finite (NaN or inf stress or strength)
 *                        gives 1.0 and records status -2 with the driver's
 *                        warning "...: failure effort is not a finite
 *                        number." and layer, isec as its integer context
 *   rmc            (out) failure effort
 *   plystress      (in)  6 ply stresses 11, 22, 33, 12, 13, 23
 *   peprops        (in)  9 x nlayer x nsec ply elastic constants
 *   psprops        (in)  10 x nlayer x nsec ply strengths
 *   pdprops        (in)  nprops x nlayer x nsec criterion parameter lists,
 *                        each ended by defreal where shorter than nprops
 *   plyorientation (in)  nlayer x nsec ply angles in degrees, not read
 *   layer          (in)  ply number, 1..nlayer
 *   nlayer         (in)  plies per section column of the property arrays
 *   isec           (in)  section number, 1..nsec
 *   nsec           (in)  number of sections
 *   nprops         (in)  leading extent of pdprops (0: no parameters)
 *   mcflag         (in)  criterion selector, 0 to 15 as above
 *   outtheta       (in/out, optional) when passed negative and the ply
 *                        fails (fmc 1.0): the fracture angle in radians
 *                        that the criterion found, else its preset (-1.0,
 *                        or the first parameter in radians); otherwise
 *                        unchanged (Python default -1.0)
 *   defreal        (in, optional) end marker of the parameter lists;
 *                        default the largest double 1.7976931348623157e+308 */
void MatrixCracking(double* fmc, double* rmc, const double* plystress, const double* peprops,
                    const double* psprops, const double* pdprops, const double* plyorientation,
                    const int32_t* layer, const int32_t* nlayer, const int32_t* isec,
                    const int32_t* nsec, const int32_t* nprops, const int32_t* mcflag,
                    double* outtheta, const double* defreal);

/* delamination: Delamination (mode 4) of the interface between ply layer and
 * ply layer + 1 of section isec, by the criterion that delflag selects: 0
 * none (r = 0); 1 DelChai, with the interface factors from the plane-stress
 * stiffnesses of the two plies, the angle between them (lower minus upper)
 * and their thicknesses; 2 DelChoiChang (the upper ply's ILSS, or the lower
 * one's where it is 0); 3 DelPuck, 5 DelHashin, 6 DelOchoaEngblom and 7 DelLee
 * on s33i and each ply's own shear stresses and strengths; 4 MCrckSPC3D on
 * each ply's own stresses, scanning only the planes within 2 degrees of the
 * ply plane (178 to 182 degrees, step 1). For 3 to 7 the effort is the
 * larger of the lower and the upper ply's, the upper ply counting only when
 * the strengths its criterion needs are all non-zero. A layer outside
 * 1..nlayer-1, a section outside 1..nsec, or a selector outside 0..7
 * (negative ones included) records status -2 ("Warning: Default case in
 * Delamination subroutine..." for the selector) and returns f = r = 0.
 *   fdel           (out) failure flag: 1.0 when rdel >= 1.0, else 0.0; a rdel
 *                        that is not finite (NaN or inf stress or strength)
 *                        gives 1.0 and records status -2 with the driver's
 *                        warning "...: failure effort is not a finite
 *                        number." and layer, isec as its integer context
 *   rdel           (out) failure effort
 *   s33i           (in)  interface normal stress
 *   lplystress     (in)  6 stresses 11, 22, 33, 12, 13, 23 of ply layer
 *   uplystress     (in)  6 stresses of ply layer + 1
 *   peprops        (in)  9 x nlayer x nsec ply elastic constants (read by 1)
 *   psprops        (in)  10 x nlayer x nsec ply strengths
 *   plyorientation (in)  nlayer x nsec ply angles in degrees (read by 1)
 *   plythickness   (in)  nlayer x nsec ply thicknesses (read by 1)
 *   layer          (in)  the ply below the interface, 1..nlayer-1
 *   nlayer         (in)  plies per section column of the property arrays
 *   isec           (in)  section number, 1..nsec
 *   nsec           (in)  number of sections
 *   delflag        (in)  criterion selector, 0 to 7 as above */
void delamination(double* fdel, double* rdel, const double* s33i, const double* lplystress,
                  const double* uplystress, const double* peprops, const double* psprops,
                  const double* plyorientation, const double* plythickness, const int32_t* layer,
                  const int32_t* nlayer, const int32_t* isec, const int32_t* nsec,
                  const int32_t* delflag);

/* corecrushing: core crushing (mode 5) of one ply. No criterion is wired to
 * this mode: ccflag 0, 1 and 2 give f = r = 0 without a message; other values
 * (negative ones included) record status -2 ("Warning: Default case in
 * CoreCrushing subroutine..."). A ply or section outside the arrays records
 * status -2 as well.
 *   fcc            (out) failure flag, 0.0
 *   rcc            (out) failure effort, 0.0
 *   plystress      (in)  6 ply stresses, not read
 *   psprops        (in)  10 x nlayer x nsec ply strengths, not read
 *   plyorientation (in)  nlayer x nsec ply angles, not read
 *   layer          (in)  ply number, 1..nlayer
 *   nlayer         (in)  plies per section column of the property arrays
 *   isec           (in)  section number, 1..nsec
 *   nsec           (in)  number of sections
 *   ccflag         (in)  selector, 0 to 2 */
void corecrushing(double* fcc, double* rcc, const double* plystress, const double* psprops,
                  const double* plyorientation, const int32_t* layer, const int32_t* nlayer,
                  const int32_t* isec, const int32_t* nsec, const int32_t* ccflag);

#ifdef __cplusplus
}
#endif
#endif
