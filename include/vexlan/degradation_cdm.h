/* Continuum damage degradation schemes (component degradation): damaged
 * orthotropic stiffness from engineering constants, degradation weights from
 * failure-mode damages, crack-band softening on the fracture plane with the
 * history in arguments or in state variables, and stiffness degradation in a
 * crack frame. Angles in radians; 6 x 6 matrices in Voigt order (11, 22, 33,
 * 23, 13, 12) acting on tensor shear strains; column-major. */
#ifndef VEXLAN_DEGRADATION_CDM_H
#define VEXLAN_DEGRADATION_CDM_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* MatzenmillerDegradation: damaged orthotropic stiffness.
 *   propvec (in) E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   c_deg (out) c_deg(6,6)
 *   dnorm (in) dnorm(3) normal damages;  d23, d13, d12 (in) shear damages */
void MatzenmillerDegradation(const double* propvec, double* c_deg, const double* dnorm,
                             const double* d23, const double* d13, const double* d12);

/* DegradationFromModes: nine degradation weights from nine mode damages.
 *   d_modes (in) d_modes(9);  w_stat (out) w_stat(9)
 *   accumulation (in) 1-byte flag: sum of weighted modes, else their maximum
 *   c_deg (out) c_deg(6,6), zero unless moduli, vnu and effort are all given
 *   moduli (in, optional) moduli(9) tension/compression pairs, then shears
 *   vnu (in, optional) vnu(3) nu23, nu13, nu12
 *   effort (in, optional) effort(3) sign selects tension (> 0) */
void DegradationFromModes(const double* d_modes, double* w_stat, const vx_l1* accumulation,
                          double* c_deg, const double* moduli, const double* vnu,
                          const double* effort);

/* FalzonDegradationParameters: crack-band softening on the fracture plane.
 *   stressela (in) stressela(6) elastic stress, order 11, 22, 33, 12, 13, 23
 *   strain (in) strain(6) same order
 *   phirad (in) fracture-plane angle about the fibre axis
 *   dsix (in/out) dsix(6) stiffness factors (entry 1 not changed)
 *   epsi, epsu, sigi, gmix (in/out) onset strain, final strain, onset traction,
 *         mixed-mode energy release rate
 *   w_matrixmode (in/out) matrix damage, never decreasing, at most 1
 *   gc (in) gc(4) critical energy release rates
 *   charelemlength (in) charelemlength(3) characteristic lengths */
void FalzonDegradationParameters(const double* stressela, const double* strain,
                                 const double* phirad, double* dsix, double* epsi, double* epsu,
                                 double* sigi, double* gmix, double* w_matrixmode,
                                 const double* gc, const double* charelemlength);

/* BogenfeldDegradation: crack-band softening with the history in sdv.
 *   d (out) damage (not limited);  sdv (in/out) sdv(nsdv), all -1: no history
 *   svoigt, evoigt (in) stress and strain, Voigt order
 *   charelemlength (in) charelemlength(3);  props (in) props(nprops): angle,
 *         four critical energy release rates
 *   mode (in) 0 none, 3 matrix;  nsdv, nprops (in) */
void BogenfeldDegradation(double* d, double* sdv, const double* svoigt, const double* evoigt,
                          const double* charelemlength, const double* props,
                          const int32_t* mode, const int32_t* nsdv, const int32_t* nprops);

/* TensorDegradation: degrades a stiffness in the frame of a crack.
 *   csix (in) csix(6,6) Voigt stiffness;  cdeg (out) cdeg(6,6)
 *   angle_r (in) rotation about the 1-axis;  d (in) damage
 *   baseid (in) crack normal axis 1..3;  nn (in) -1 keeps normal couplings */
void TensorDegradation(const double* csix, double* cdeg, const double* angle_r, const double* d,
                       const int32_t* baseid, const int32_t* nn);

#ifdef __cplusplus
}
#endif
#endif
