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

/* FBChangChang: sqrt((s11/X)^2 + (s12/x12)^2), X = xt11 for s11 >= 0, else xc11.
 *   rfb (out) effort;  s11, s12 (in) stresses;  xt11, xc11, x12 (in) strengths */
void FBChangChang(double* rfb, const double* s11, const double* s12, const double* xt11,
                  const double* xc11, const double* x12);

/* FBHashin: sqrt((s11/X)^2 + alpha ((s12/x12)^2 + (s13/x13)^2)).
 *   rfb (out) effort;  s11, s12, s13 (in) stresses;  xt11, xc11, x12, x13 (in) strengths
 *   alpha (in, optional) weight of the shear terms, default 1.0 */
void FBHashin(double* rfb, const double* s11, const double* s12, const double* s13,
              const double* xt11, const double* xc11, const double* x12, const double* x13,
              const double* alpha);

/* FBChristensen: quadratic fibre criterion; a negative root or a zero
 * denominator records a note (status -1) and gives effort 0.
 *   rfb (out) effort;  s11, s22, s33 (in) stresses;  xt11, xc11 (in) strengths */
void FBChristensen(double* rfb, const double* s11, const double* s22, const double* s33,
                   const double* xt11, const double* xc11);

/* FBBahei: four mode values (fibre tension, longitudinal shear, transverse
 * shear, transverse tension); the effort is the largest.
 *   rfb         (out)   effort
 *   stressvector(in)    nstress stresses: (11,22,12), (11,22,33,12) or Nye 6-vector
 *   xlnorm, xtnorm  (in) longitudinal and transverse normal strengths
 *   xlshear, xtshear (in) longitudinal and transverse shear strengths
 *   mu          (in)    friction coefficient
 *   nstress     (in)    3, 4 or 6
 *   failmode    (in/out, optional) when passed negative and the effort is at
 *               least 1.0: the number (1 to 4) of the first largest mode */
void FBBahei(double* rfb, const double* stressvector, const double* xlnorm, const double* xtnorm,
             const double* xlshear, const double* xtshear, const double* mu,
             const int32_t* nstress, int32_t* failmode);

/* FBLaRC04: fibre kinking in the misalignment frame (no search); s11 >= 0
 * gives s11/xt11.
 *   rfb (out) effort
 *   s11 .. s23 (in) ply stresses
 *   xt11, xc11, xt22, xc22, x12 (in) strengths
 *   e11, e22, g12, nu12 (in) ply elastic constants
 *   gc  (in, optional) two fracture toughnesses, g = gc(1)/gc(2) (default 0.35)
 *   a0  (in, optional) fracture angle of pure transverse compression, degrees (53)
 *   fcl (in, optional) non-zero: the kinking branch returns 0 */
void FBLaRC04(double* rfb, const double* s11, const double* s22, const double* s33,
              const double* s12, const double* s13, const double* s23, const double* xt11,
              const double* xc11, const double* xt22, const double* xc22, const double* x12,
              const double* e11, const double* e22, const double* g12, const double* nu12,
              const double* gc, const double* a0, const int32_t* fcl);

/* FBLaRC05: fibre kinking with a search of the kink-plane angle psi over
 * [0, pi]; s11 >= 0 gives s11/xt11.
 *   rfb (out) effort
 *   s11 .. s23 (in) ply stresses
 *   xt11, xc11, xt22, xc22, x12 (in) strengths;  g12 (in) in-plane shear modulus
 *   a0     (in, optional) degrees, default 53
 *   sainc  (in, optional) search step in degrees, default 5
 *   gsflag (in, optional) 1 golden-section search, else scan (default 0)
 *   fcl    (in, optional) non-zero: effort 0 in compression */
void FBLaRC05(double* rfb, const double* s11, const double* s22, const double* s33,
              const double* s12, const double* s13, const double* s23, const double* xt11,
              const double* xc11, const double* xt22, const double* xc22, const double* x12,
              const double* g12, const double* a0, const double* sainc, const int32_t* gsflag,
              const int32_t* fcl);

/* FBLaRC05_is: FBLaRC05 with in-situ strengths.
 *   rfb (out) effort
 *   s11 .. s23 (in) ply stresses
 *   xt11_std, xc11_std, xt22_std, x23_std, x12_std (in) standard strengths
 *   g12 (in) in-plane shear modulus
 *   a0, sainc, gsflag, fcl (in, optional) as FBLaRC05
 *   x_is (in, optional) 9 in-situ overrides (0 = fallback): Xt, Ya, Yb, Xc,
 *        -, -, SLa, SLb, ST */
void FBLaRC05_is(double* rfb, const double* s11, const double* s22, const double* s33,
                 const double* s12, const double* s13, const double* s23, const double* xt11_std,
                 const double* xc11_std, const double* xt22_std, const double* x23_std,
                 const double* x12_std, const double* g12, const double* a0, const double* sainc,
                 const int32_t* gsflag, const int32_t* fcl, const double* x_is);

#ifdef __cplusplus
}
#endif
#endif
