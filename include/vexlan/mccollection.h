/* Component mccollection: matrix-cracking (inter-fibre failure) criteria.
 * Fracture-plane criteria search the action plane turned by theta about the
 * fibre axis for the largest exposure (scan or golden-section search); the
 * closed-form ones need no search. Calling convention as in gpcollection.h.
 *
 * Shared optional arguments of the fracture-plane criteria (NULL = default):
 *   a0       (in)     fracture angle of pure transverse compression, degrees (53)
 *   outtheta (in/out) fracture angle in radians, written only when passed
 *                     negative and the effort is at least 1.0
 *   sainc    (in)     search step in degrees (5)
 *   gsflag   (in)     1 golden-section search, any other value the scan (0) */
#ifndef VEXLAN_MCCOLLECTION_H
#define VEXLAN_MCCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Fracture-plane criteria ---------------------------------------------- */

/* MCrckLaRC05: LaRC05 matrix exposure (not square-rooted).
 *   rmc (out) effort;  s22 .. s23 (in) stresses;  xt22, xc22, x12 (in) strengths */
void MCrckLaRC05(double* rmc, const double* s22, const double* s33, const double* s12,
                 const double* s13, const double* s23, const double* xt22, const double* xc22,
                 const double* x12, const double* a0, double* outtheta, const double* sainc,
                 const int32_t* gsflag);

/* MCrckLaRC04: LaRC04 matrix criterion, closed form in transverse tension,
 * plane search in transverse compression (in the fibre-misalignment frame
 * when s11 < xc22).
 *   rmc (out) effort
 *   s11 .. s23 (in) ply stresses
 *   xt11, xc11, xt22, xc22, x12 (in) strengths
 *   e11, e22, g12, nu12 (in) ply elastic constants
 *   gc  (in, optional) two toughnesses, g = gc(1)/gc(2) (default 0.35)
 *   fcl (in, optional) non-zero: effort 0 in tension and in the misalignment branch */
void MCrckLaRC04(double* rmc, const double* s11, const double* s22, const double* s33,
                 const double* s12, const double* s13, const double* s23, const double* xt11,
                 const double* xc11, const double* xt22, const double* xc22, const double* x12,
                 const double* e11, const double* e22, const double* g12, const double* nu12,
                 const double* gc, const double* a0, double* outtheta, const double* sainc,
                 const int32_t* fcl, const int32_t* gsflag);

/* MCrckVDI2014: action-plane criterion with the fibre-failure interaction.
 *   rmc (out) effort
 *   s11 .. s23 (in) ply stresses
 *   xt11, xc11, xt22, xc22, x12 (in) strengths
 *   gp (in, optional) 4 inclination parameters, default (0.3, 0.3, 0.25, 0.25)
 *   wp (in, optional) 2 interaction parameters, default (0.5, 0.5) */
void MCrckVDI2014(double* rmc, const double* s11, const double* s22, const double* s33,
                  const double* s12, const double* s13, const double* s23, const double* xt11,
                  const double* xc11, const double* xt22, const double* xc22, const double* x12,
                  double* outtheta, const double* gp, const double* wp, const double* sainc,
                  const int32_t* gsflag);

/* MCrckSPC3D: three-dimensional action-plane criterion with direction-
 * dependent strengths.
 *   rmc (out) effort
 *   s22 .. s23 (in) stresses
 *   xt11, xc11, xt22, xc22, xt33, xc33, xt12, xt13, xt23 (in) strengths
 *   xcs    (in, optional) 3 shear strengths under compression, default (xt12, xt13, xt23)
 *   gp     (in, optional) 2 inclination parameters, default (0.3, -0.3)
 *   sainc  (in, optional) step in degrees, default 2
 *   salims (in, optional) 2 search limits in degrees, default (2, 178) */
void MCrckSPC3D(double* rmc, const double* s22, const double* s33, const double* s12,
                const double* s13, const double* s23, const double* xt11, const double* xc11,
                const double* xt22, const double* xc22, const double* xt33, const double* xc33,
                const double* xt12, const double* xt13, const double* xt23, const double* xcs,
                double* outtheta, const double* gp, const double* sainc, const double* salims,
                const int32_t* gsflag);

/* MCrckCamanho: action-plane criterion with friction, transverse shear strength x23.
 *   rmc (out) effort;  s22 .. s23 (in) stresses;  xt22, xc22, x12, x23 (in) strengths */
void MCrckCamanho(double* rmc, const double* s22, const double* s33, const double* s12,
                  const double* s13, const double* s23, const double* xt22, const double* xc22,
                  const double* x12, const double* x23, double* outtheta, const double* a0,
                  const double* sainc, const int32_t* gsflag);

/* MCrckWiegand: action-plane criterion with friction.
 *   rmc (out) effort;  s22 .. s23 (in) stresses;  xt22, xc22, x12 (in) strengths */
void MCrckWiegand(double* rmc, const double* s22, const double* s33, const double* s12,
                  const double* s13, const double* s23, const double* xt22, const double* xc22,
                  const double* x12, double* outtheta, const double* a0, const double* sainc,
                  const int32_t* gsflag);

/* MCrckPuck: Puck's inter-fibre failure on the action plane.
 *   rmc (out) effort;  s22 .. s23 (in) stresses;  xt22, xc22, x12 (in) strengths
 *   gp     (in, optional) 4 inclination parameters, default (0.3, 0.2, 0.15, 0.15)
 *   tcflag (in/out, optional) when the effort is at least 1.0: -1 when the normal
 *          traction of the last evaluated plane is negative, else +1 */
void MCrckPuck(double* rmc, const double* s22, const double* s33, const double* s12,
               const double* s13, const double* s23, const double* xt22, const double* xc22,
               const double* x12, double* outtheta, const double* gp, const double* sainc,
               const int32_t* gsflag, int32_t* tcflag);

/* ---- Closed-form criteria -------------------------------------------------- */

/* MCrckCuntze2012, MCrckCuntze2004: failure-mode concept; a negative root
 * records a note with status -3.
 *   rmc (out) effort;  s22 .. s23 (in) stresses
 *   xt22, xc22, x12 (and x13 for 2004) (in) strengths
 *   gp   (in, optional) 2012: (b, b_perp_perp) default (0.16, 1.16);
 *                       2004: 3 values default (0.13, 1.5, 0.4)
 *   mint (in, optional) mode-interaction exponent, default 2.4 (2012), 2.5 (2004) */
void MCrckCuntze2012(double* rmc, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt22, const double* xc22,
                     const double* x12, const double* gp, const double* mint);
void MCrckCuntze2004(double* rmc, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt22, const double* xc22,
                     const double* x12, const double* x13, const double* gp, const double* mint);

/* MCrckChangChang: abs(s22/Y) + (s12/x12)^2.
 *   rmc (out) effort;  s22, s12 (in) stresses;  xt22, xc22, x12 (in) strengths */
void MCrckChangChang(double* rmc, const double* s22, const double* s12, const double* xt22,
                     const double* xc22, const double* x12);

/* MCrckChai: sqrt((s22/Y)^2 + (s12/x12)^2 + (s23/x23)^2).
 *   rmc (out) effort;  s22, s12, s23 (in) stresses;  xt22, xc22, x12, x23 (in) strengths
 *   dang (in, optional) accepted and not read */
void MCrckChai(double* rmc, const double* s22, const double* s12, const double* s23,
               const double* xt22, const double* xc22, const double* x12, const double* x23,
               const double* dang);

/* MCrckChristensen: quadratic transverse criterion; a negative root records a
 * note (status -1) and gives 0.
 *   rmc (out) effort;  s22 .. s23 (in) stresses
 *   xt22, xc22, xt33, xc33, x12, x13, x23 (in) strengths */
void MCrckChristensen(double* rmc, const double* s22, const double* s33, const double* s12,
                      const double* s13, const double* s23, const double* xt22,
                      const double* xc22, const double* xt33, const double* xc33,
                      const double* x12, const double* x13, const double* x23);

/* MCrckHashin1989: Hashin matrix mode with distinct 22 and 33 strengths; a
 * negative root records a note (status -1) and gives 0. */
void MCrckHashin1989(double* rmc, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt22, const double* xc22,
                     const double* xt33, const double* xc33, const double* x12, const double* x13,
                     const double* x23);

/* MCrckHashinComplete: Hashin's transversely isotropic matrix mode (I1 = s22 + s33). */
void MCrckHashinComplete(double* rmc, const double* s22, const double* s33, const double* s12,
                         const double* s13, const double* s23, const double* xt22,
                         const double* xc22, const double* x12, const double* x23);

/* MCrckHashin3D: Hashin matrix mode on s22 with three shear stresses. */
void MCrckHashin3D(double* rmc, const double* s22, const double* s12, const double* s13,
                   const double* s23, const double* xt22, const double* xc22, const double* x12,
                   const double* x23);

/* MCrckHashinPS: Hashin matrix mode in plane stress. */
void MCrckHashinPS(double* rmc, const double* s22, const double* s12, const double* xt22,
                   const double* xc22, const double* x12, const double* x23);

/* MCrckBahei: matrix and interphase modes; the effort is the largest.
 *   rmc          (out)   effort
 *   stressvector (in)    nstress stresses: (11,22,12), (11,22,33,12) or Nye 6-vector
 *   xnorm, xshear (in)   normal and shear strength of the matrix
 *   nstress      (in)    3, 4 or 6
 *   interphase   (in, optional) 2: interphase shear strength and friction;
 *                default (-1, -1) = no interphase
 *   failmode     (in/out, optional) when passed negative and the effort is at
 *                least 1.0: the number (1 to 3) of the first largest mode */
void MCrckBahei(double* rmc, const double* stressvector, const double* xnorm, const double* xshear,
                const int32_t* nstress, const double* interphase, int32_t* failmode);

#ifdef __cplusplus
}
#endif
#endif
