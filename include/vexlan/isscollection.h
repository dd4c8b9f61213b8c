/* In-situ strength estimates of a ply embedded in a laminate (component
 * isscollection). Pairs ys hold the transverse tensile strength first, then
 * a shear strength: in-plane (InSituLaRC04) or interlaminar
 * (InSituChangLessard). No routine reports errors. */
#ifndef VEXLAN_ISSCOLLECTION_H
#define VEXLAN_ISSCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* InSituLaRC04: in-situ transverse tensile and in-plane shear strength of an
 * embedded ply by fracture mechanics. A thin ply (t at most tlim) gets
 * sqrt(8 G_Ic / (pi t L22)) with L22 = 2 (1/E22 - nu12^2/E11), and
 * sqrt(8 G_IIc / (pi t L44)) with L44 = 1/G12; a thick ply (or a NaN
 * thickness) gets 1.12 sqrt(2) xt22 and sqrt(2) x12. Units must be
 * consistent; the default tlim of 0.0007 assumes metres.
 *   ys      (out) 2 values: in-situ transverse tensile and in-plane shear
 *                 strength
 *   elastic (in)  4 values E11, E22, nu12, G12
 *   gxc     (in)  2 values: mode I and mode II fracture toughness
 *   xt22    (in)  unidirectional transverse tensile strength
 *   x12     (in)  unidirectional in-plane shear strength
 *   t       (in)  ply thickness
 *   tlim    (in, optional) thickness above which a ply counts as thick;
 *                 default 0.0007 */
void InSituLaRC04(double* ys, const double* elastic, const double* gxc, const double* xt22,
                  const double* x12, const double* t, const double* tlim);

/* InSituPuckPS: compressive strength of a ply loaded in uniaxial compression
 * at theta degrees to its fibres (plane stress), from Puck's inter-fibre
 * fracture criterion with inclination parameters p = gp(2) and a = gp(4),
 * limited by the fibre
 * compressive strength projected onto the load direction, xc11/cos^2 theta
 * (not used at 90 degrees). At 0 degrees it is xc11. With c = cos 2 theta,
 * s = |sin 2 theta| and k = (1 - c)/s = |tan theta| (the ratio of the
 * transverse compression to the shear of the load):
 * - while k <= xc22/(2 (1 + a) sqrt(1 + 2 a) x12), Puck's mode B,
 *   xc = 2 x12/(sqrt(s^2 + w^2) - w), w = p (1 - c). The friction term
 *   enters with the sign of the compressive transverse stress and raises the
 *   strength: at 45 degrees with xc11, xc22, x12 = 884.55, 249.05, 92.54 this
 *   gives 225.76, where a term of the other sign would give 151.73;
 * - beyond it, mode C, xc = 2 k xc22/((v^2 + k^2) s) with
 *   v = xc22/(2 (1 + a) x12).
 *
 * |sin 2 theta| makes the strength even in theta (it repeats every 180
 * degrees): the load at -theta differs only in the sign of the shear stress.
 * The two branches take p and a independently and meet only for
 * a = (sqrt(1 + 2 p xc22/x12) - 1)/2: with the strengths above and the
 * default p, a the strength drops from 227.00 to 211.09 where mode C takes
 * over, at 45.74 degrees. A NaN xc11 gives NaN below 90 degrees, never the
 * inter-fibre strength without its fibre limit.
 *   xc    (out) compressive strength along the load direction, positive
 *   xc11  (in)  fibre-direction compressive strength, positive
 *   xc22  (in)  transverse compressive strength, positive
 *   x12   (in)  in-plane shear strength
 *   theta (in)  angle between load and fibres in degrees
 *   gp    (in, optional) 4 inclination parameters; gp(2) is p (default 0.2)
 *               and gp(4) is a (default 0.15), gp(1) and gp(3) are not read */
void InSituPuckPS(double* xc, const double* xc11, const double* xc22, const double* x12,
                  const double* theta, const double* gp);

/* InSituChangLessard: empirical in-situ strengths from the thickness ratio r
 * and the smallest angle to a neighbouring ply: xt22 (1 + a1 S / r^a2) and
 * ilss (1 + a3 S / r^a4) with S = sin(dtmin_d). With the default a3 = 0 the
 * interlaminar shear strength is returned unchanged.
 *   ys      (out) 2 values: in-situ transverse tensile strength and
 *                 interlaminar shear strength
 *   xt22    (in)  unidirectional transverse tensile strength
 *   ilss    (in)  interlaminar shear strength
 *   tratio  (in)  thickness ratio r of the ply
 *   dtmin_d (in)  smallest angle to a neighbouring ply in degrees
 *   atod    (in, optional) 4 values (a1, a2, a3, a4); default
 *                 (1.3, 0.7, 0.0, 1.0) */
void InSituChangLessard(double* ys, const double* xt22, const double* ilss, const double* tratio,
                        const double* dtmin_d, const double* atod);

#ifdef __cplusplus
}
#endif
#endif
