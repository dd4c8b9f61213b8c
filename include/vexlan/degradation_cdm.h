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

/* MatzenmillerDegradation: damaged stiffness of an orthotropic material from
 * its engineering constants, with retained fractions a_k = 1 - dnorm(k) on
 * the normal directions and 2 (1 - d) G on the shear diagonal; all damages 0
 * give the undamaged stiffness, dnorm(1) = 1 removes row and column 1. The
 * matrix is in Voigt order (11, 22, 33, 23, 13, 12) acting on tensor shear
 * strains. A vanishing determinant gives non-finite values; nothing is
 * recorded. Moduli in any consistent units.
 *   propvec (in)  9 constants E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   c_deg   (out) 6 x 6 damaged stiffness
 *   dnorm   (in)  3 damages of the normal directions 1, 2, 3
 *   d23     (in)  damage of the shear 23
 *   d13     (in)  damage of the shear 13
 *   d12     (in)  damage of the shear 12 */
void MatzenmillerDegradation(const double* propvec, double* c_deg, const double* dnorm,
                             const double* d23, const double* d13, const double* d12);

/* DegradationFromModes: nine degradation weights from the damages of nine
 * failure modes through a fixed weight table W: w(i) = sum over k of W(i, k)
 * d_modes(k) (accumulation true) or the largest of those terms (false),
 * limited to [0, 1]. When moduli, vnu and effort are all given, the weights
 * and moduli are reduced to six by the signs of effort (tension for a
 * positive value, GetComponentsTensionCompression) and c_deg is the
 * MatzenmillerDegradation stiffness with the reduced weights 1 to 3 on the
 * normal directions and 4, 5, 6 on the shears 12, 23, 13; otherwise c_deg is
 * zero. From Python the three always reach the routine with their defaults,
 * so c_deg is always formed there (with unit moduli unless moduli is given).
 * A NaN mode damage records status -2 "NaN mode damage in
 * DegradationFromModes" in the error record and counts as damage 1, never as
 * intact. A NaN effort has no sign: the stiffness built from that direction
 * is NaN, not the compression one.
 *   d_modes      (in)  9 mode damages, 0 intact to 1 (Python default zeros)
 *   w_stat       (out) 9 weights, 0 intact to 1: tension 1, compression 1,
 *                      tension 2, compression 2, tension 3, compression 3,
 *                      then the shears 12, 23, 13
 *   accumulation (in)  1-byte flag: true sums the weighted modes, false
 *                      takes their maximum
 *   c_deg        (out) 6 x 6 damaged stiffness in Voigt order (11, 22, 33,
 *                      23, 13, 12), tensor shear strains; zero unless moduli,
 *                      vnu and effort are all given
 *   moduli       (in, optional) 9 moduli: E1 tension, E1 compression, E2
 *                      tension, E2 compression, E3 tension, E3 compression,
 *                      then G23, G13, G12 (Python default ones)
 *   vnu          (in, optional) 3 Poisson ratios nu23, nu13, nu12 (Python
 *                      default 0.3)
 *   effort       (in, optional) 3 values whose signs pick tension (> 0) or
 *                      compression per direction (Python default ones); NaN:
 *                      neither (above) */
void DegradationFromModes(const double* d_modes, double* w_stat, const vx_l1* accumulation,
                          double* c_deg, const double* moduli, const double* vnu,
                          const double* effort);

/* FalzonDegradationParameters: crack-band softening on a matrix fracture
 * plane turned by phirad about the fibre axis. On that plane the traction t
 * = (s22, s12, s23) and the strain measure e = (max(e22, 0), e12, e23) of the
 * rotated stress and strain are formed. At the first call (w_matrixmode 0
 * and epsi 0 or below) the onset is fixed: epsi = |e|, sigi = |t|,
 * gmix = GetEquivalentMixedModeERR(t, gc, 4) and epsu = max(2 gmix/(L
 * sigi), 1.1 epsi), L the crack-band length charelemlength(2)/|cos phirad|,
 * replaced by charelemlength(3)/|sin phirad| when it exceeds the diagonal of
 * the two lengths. The bilinear damage of |e| raises w_matrixmode (never beyond
 * 1); the normal traction is degraded only in tension, the shears by 1 - w,
 * and the stress turned back gives the factors r2 = S22/stressela(2), r3 =
 * S33/stressela(3) (1 - w where the elastic stress is 0). A NaN strain,
 * stress, phirad or w_matrixmode, a NaN gc or element length at the onset,
 * a NaN epsi (a lost history, not a first call), or a NaN epsu after the
 * onset leaves the damage unknown, never intact:
 * w_matrixmode becomes 1 and status -2 "NaN strain, stress or damage in
 * FalzonDegradationParameters" is recorded. Nothing else is recorded;
 * epsu = epsi gives non-finite values.
 *   stressela      (in)     6 elastic (undamaged) stresses, Nye order 11,
 *                           22, 33, 12, 13, 23
 *   strain         (in)     6 strains, the same order
 *   phirad         (in)     fracture-plane angle in radians
 *   dsix           (in/out) 6 stiffness factors: 2 and 4 get r2, 3 and 5 get
 *                           r3, 6 gets r2 + r3 - r2 r3; 1 is not changed
 *   epsi           (in/out) equivalent strain at damage onset
 *   epsu           (in/out) equivalent strain at full damage
 *   sigi           (in/out) traction norm at onset
 *   gmix           (in/out) mixed-mode critical energy release rate
 *   w_matrixmode   (in/out) matrix damage, 0 intact, never decreasing, at
 *                           most 1; NaN: 1 (above)
 *   gc             (in)     4 critical energy release rates: normal opening,
 *                           normal closing, shear 1, shear 2
 *   charelemlength (in)     3 characteristic element lengths, 2 and 3 read */
void FalzonDegradationParameters(const double* stressela, const double* strain,
                                 const double* phirad, double* dsix, double* epsi, double* epsu,
                                 double* sigi, double* gmix, double* w_matrixmode,
                                 const double* gc, const double* charelemlength);

/* BogenfeldDegradation: crack-band softening on a matrix fracture plane with
 * its history in state variables. mode 0 gives d = 0. mode 3 takes the
 * traction and the strain vector (normal part only in tension) on plane 2
 * of the stress and strain turned by props(1) radians about the fibre axis;
 * while sdv(1..4) are all -1.0 the onset is fixed (sdv(1) strain norm,
 * sdv(2) traction norm, sdv(3) GetEquivalentMixedModeERR with props(2..5))
 * and the final strain max(2 sdv(3)/(L sdv(2)), 1.2 sdv(1)) with the
 * crack-band length L (as in FalzonDegradationParameters), stored in sdv(4);
 * later calls keep them. State variables after the fourth are neither read
 * nor written. d is the bilinear damage of the strain norm
 * (BiLinearEvolution), not limited to [0, 1]. A NaN stress, strain, angle,
 * toughness or crack-band length at the onset is stored in the history: the
 * final strain is NaN (not the steepest law, nor the unset marker -1) and so
 * is d; a band shorter than 0.001 fixes no final strain, and d is then NaN
 * from the next call. A NaN held in sdv(1..4) (also beside unset markers,
 * which are then not read as a history) gives d NaN and keeps sdv. Nothing
 * is recorded for these. Any
 * other mode records status -2 ("Unknown mode in BogenfeldDegradation") and
 * leaves d and sdv unchanged.
 *   d              (out)    damage of the bilinear law
 *   sdv            (in/out) nsdv state variables: 1 onset strain, 2 onset
 *                           traction norm, 3 mixed-mode critical energy
 *                           release rate, 4 final strain; 1 to 4 all -1.0:
 *                           no history yet; the rest untouched
 *   svoigt         (in)     6 stresses in Voigt order (11, 22, 33, 23, 13,
 *                           12)
 *   evoigt         (in)     6 strains in Voigt order
 *   charelemlength (in)     3 characteristic element lengths, 2 and 3 read
 *   props          (in)     nprops values: fracture-plane angle in radians,
 *                           then 4 critical energy release rates (normal
 *                           opening, normal closing, shear 1, shear 2)
 *   mode           (in)     0 none, 3 matrix damage on the fracture plane
 *   nsdv           (in)     number of state variables, at least 4
 *   nprops         (in)     number of values in props, at least 5 for mode
 *                           3; fewer, or nsdv below 4, records status -2 and
 *                           leaves d and sdv unchanged (from Python, both
 *                           are refused with ValueError before the call) */
void BogenfeldDegradation(double* d, double* sdv, const double* svoigt, const double* evoigt,
                          const double* charelemlength, const double* props,
                          const int32_t* mode, const int32_t* nsdv, const int32_t* nprops);

/* TensorDegradation: degrades a stiffness in the frame of a crack. The
 * stiffness tensor is taken in the axes turned by angle_r about axis 1, as
 * TensorRotation4th takes it (the first index of R contracted with the
 * input: the tensor's components in the turned axes, not the tensor turned
 * by R, which would put the crack the other way); every component carrying
 * the index baseid (the crack normal) at least once is multiplied by 1 - d,
 * and the result is turned back. A positive angle_r turns axis 2 towards
 * axis 3: the crack normal of baseid 2 is (0, cos angle_r, sin angle_r), that
 * of baseid 3 (0, -sin angle_r, cos angle_r). With nn -1 the normal-normal
 * couplings (i = j, k = l) are kept. d 0 returns csix. Nothing is recorded.
 *   csix    (in)  6 x 6 stiffness in Voigt order (11, 22, 33, 23, 13, 12)
 *   cdeg    (out) 6 x 6 degraded stiffness, the same order
 *   angle_r (in)  angle of the crack plane about axis 1 in radians
 *   d       (in)  damage, 0 intact to 1
 *   baseid  (in)  crack normal axis of the turned frame, 1, 2 or 3 (any other
 *                 value degrades nothing)
 *   nn      (in)  -1 keeps the normal-normal couplings; any other value
 *                 degrades them too */
void TensorDegradation(const double* csix, double* cdeg, const double* angle_r, const double* d,
                       const int32_t* baseid, const int32_t* nn);

#ifdef __cplusplus
}
#endif
#endif
