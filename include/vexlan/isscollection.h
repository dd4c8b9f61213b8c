/* In-situ strength estimates of a ply embedded in a laminate (component
 * isscollection). Pairs ys hold (transverse tensile, in-plane shear). No
 * routine reports errors. */
#ifndef VEXLAN_ISSCOLLECTION_H
#define VEXLAN_ISSCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Fracture-mechanics in-situ strengths of a thin ply.
 *   ys      (out) ys(2): in-situ transverse tensile and shear strength
 *   elastic (in)  elastic(4) = (E11, E22, nu12, G12)
 *   gxc     (in)  gxc(2): mode I and mode II fracture toughness
 *   xt22    (in)  unidirectional transverse tensile strength
 *   x12     (in)  unidirectional in-plane shear strength
 *   t       (in)  ply thickness
 *   tlim    (in, optional) thickness above which a ply counts as thick;
 *                 NULL for 0.0007 */
void InSituLaRC04(double* ys, const double* elastic, const double* gxc, const double* xt22,
                  const double* x12, const double* t, const double* tlim);

/* Compressive strength of a ply loaded at theta to the fibres (plane stress).
 *   xc    (out) compressive strength along the load direction
 *   xc11  (in)  fibre compressive strength
 *   xc22  (in)  transverse compressive strength
 *   x12   (in)  in-plane shear strength
 *   theta (in)  load angle to the fibres, degrees
 *   gp    (in, optional) gp(4): inclination parameters; gp(2) = p (default
 *               0.2), gp(4) = a (default 0.15); NULL for the defaults */
void InSituPuckPS(double* xc, const double* xc11, const double* xc22, const double* x12,
                  const double* theta, const double* gp);

/* Empirical in-situ strengths from thickness ratio and neighbouring angle.
 *   ys      (out) ys(2): in-situ transverse tensile strength and interlaminar
 *                 shear strength
 *   xt22    (in)  unidirectional transverse tensile strength
 *   ilss    (in)  interlaminar shear strength
 *   tratio  (in)  thickness ratio r
 *   dtmin_d (in)  smallest angle to a neighbouring ply, degrees
 *   atod    (in, optional) atod(4) = (a1, a2, a3, a4); NULL for
 *                 (1.3, 0.7, 0.0, 1.0) */
void InSituChangLessard(double* ys, const double* xt22, const double* ilss, const double* tratio,
                        const double* dtmin_d, const double* atod);

#ifdef __cplusplus
}
#endif
#endif
