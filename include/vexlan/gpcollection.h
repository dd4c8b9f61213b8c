/* Component gpcollection: general failure potentials (no separation of failure
 * modes) and the calling convention shared by every failure criterion.
 *
 * Convention of the criteria (gpcollection, fbcollection, mccollection,
 * delcollection, cccollection): argument 1 is the failure effort (out), a
 * non-negative stress exposure, failure at 1.0 or more; then the ply stresses
 * used, as scalars in ply axes in the order s11, s22, s33, s12, s13, s23; then
 * positive strengths (xt.. tensile, xc.. compressive as positive numbers, x12,
 * x13, x23 shear, ilss interlaminar shear); then elastic constants; then
 * optional parameters (NULL = the documented default; angles in degrees).
 * Fracture-plane criteria return the fracture angle in radians through
 * outtheta, written only when it was passed negative and the effort is at
 * least 1.0. Notes go to the error record (status -1, -3 for the Cuntze
 * criteria); the affected value is then 0. */
#ifndef VEXLAN_GPCOLLECTION_H
#define VEXLAN_GPCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GPMaxNominal: abs(s11 / X), X = xt11 for s11 > 0, else xc11.
 *   rgp        (out) effort
 *   s11        (in)  fibre-direction stress
 *   xt11, xc11 (in)  tensile and compressive strength */
void GPMaxNominal(double* rgp, const double* s11, const double* xt11, const double* xc11);

/* GPQuadNominal: sqrt((s11/xt11)^2 + (s12/x12)^2 + (s13/x13)^2).
 *   rgp           (out) effort
 *   s11, s12, s13 (in)  stresses
 *   xt11, x12, x13 (in) tensile and shear strengths */
void GPQuadNominal(double* rgp, const double* s11, const double* s12, const double* s13,
                   const double* xt11, const double* x12, const double* x13);

/* GPLinInteraction, GPQuadInteraction, GPNorrisInteraction: in-plane
 * interaction of s11, s22 and s12 (linear with signed shear, quadratic,
 * Norris); the strength of each direct stress is chosen by its sign (tensile
 * for >= 0).
 *   rgp                (out) effort
 *   s11, s22, s12      (in)  stresses
 *   xt11, xc11, xt22, xc22, x12 (in) strengths */
void GPLinInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                      const double* xt11, const double* xc11, const double* xt22,
                      const double* xc22, const double* x12);
void GPQuadInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                       const double* xt11, const double* xc11, const double* xt22,
                       const double* xc22, const double* x12);
void GPNorrisInteraction(double* rgp, const double* s11, const double* s22, const double* s12,
                         const double* xt11, const double* xc11, const double* xt22,
                         const double* xc22, const double* x12);

/* GPYamadaSunInteraction: sqrt((s11/X1)^2 + (s12/x12)^2 + (s13/x13)^2).
 *   rgp           (out) effort
 *   s11, s12, s13 (in)  stresses
 *   xt11, xc11, x12, x13 (in) strengths */
void GPYamadaSunInteraction(double* rgp, const double* s11, const double* s12,
                            const double* s13, const double* xt11, const double* xc11,
                            const double* x12, const double* x13);

/* GPPolynomial: general quadratic polynomial (Tsai-Wu type) of orthotropic
 * strengths; effort = 1/lambda with lambda b + lambda^2 c = 1.
 *   rgp               (out) effort; 0 with a note (status -1) when b^2 + 4c < 0
 *   s11 .. s23        (in)  the six ply stresses
 *   xt11 .. xc33      (in)  tensile and compressive strengths of the three axes
 *   x12, x13, x23     (in)  shear strengths
 *   xint  (in, optional) interaction factor of the mixed terms (NULL: none)
 *   ptype (in, optional) coefficient set 0 (default), 1, 2 or other */
void GPPolynomial(double* rgp, const double* s11, const double* s22, const double* s33,
                  const double* s12, const double* s13, const double* s23, const double* xt11,
                  const double* xc11, const double* xt22, const double* xc22, const double* xt33,
                  const double* xc33, const double* x12, const double* x13, const double* x23,
                  const double* xint, const int32_t* ptype);

/* GPPolyCamanho: quadratic polynomial for a transversely isotropic ply.
 *   rgp           (out) effort; 0 with a note (status -1) when b^2 + 4c < 0
 *   s11 .. s23    (in)  the six ply stresses
 *   xt11, xc11, xt22, xc22, x12, x13, x23 (in) strengths
 *   xint  (in, optional) interaction factor, used when abs(xint) <= 1
 *   ptype (in, optional) coefficient set 0 (default), 1, 2 or other */
void GPPolyCamanho(double* rgp, const double* s11, const double* s22, const double* s33,
                   const double* s12, const double* s13, const double* s23, const double* xt11,
                   const double* xc11, const double* xt22, const double* xc22, const double* x12,
                   const double* x13, const double* x23, const double* xint,
                   const int32_t* ptype);

/* Stress-vector potentials for isotropic or resin-like materials.
 *   stress (in)    6 stresses, order 11, 22, 33, 12, 13, 23
 *   xt, xc (in)    uniaxial tensile and compressive strength
 * GPDruckerPrager:
 *   d   (in/out) 1.0 when the potential F lies in [-1, 1], else max(d, 0)
 *   di1 (out)    F
 * GPBauwens, GPRaghava:
 *   d   (in/out) damage, raised to the exposure, never above 1.0
 * GPHa:
 *   np     (in)     exponent of the pressure-dependent Mises potential
 *   d      (out)    min(dmises + di1, 1)
 *   di1    (out)    I1 / i1cr;   dmises (out) (vm / misescr)^np
 *   i1cr   (out)    critical first invariant; misescr (out) critical Mises stress
 *   life   (in/out) set to 1.0 when d reaches 1.0, else left as given */
void GPDruckerPrager(const double* stress, const double* xt, const double* xc, double* d,
                     double* di1);
void GPBauwens(const double* stress, const double* xt, const double* xc, double* d);
void GPRaghava(const double* stress, const double* xt, const double* xc, double* d);
void GPHa(const double* stress, const double* xt, const double* xc, const double* np, double* d,
          double* di1, double* dmises, double* i1cr, double* misescr, double* life);

#ifdef __cplusplus
}
#endif
#endif
