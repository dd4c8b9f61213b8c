/* Fracture-mechanics helpers (component fracture): mixed-mode critical
 * energy release rate of a traction and the open/closed status of a crack. */
#ifndef VEXLAN_FRACTURE_H
#define VEXLAN_FRACTURE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetEquivalentMixedModeERR: critical energy release rate of a mixed-mode
 * traction, the critical values weighted by the squared traction components
 * over the squared traction norm. With n = 4 the normal component has separate
 * values for opening (t1 > 0, gc(1)) and closing (t1 < 0, gc(2)), the shears
 * gc(3) and gc(4); any other n reads gc(1..3) for the normal and the two shear
 * components. A zero traction gives NaN. From Python n defaults to len(gc),
 * and fewer than 3 values are refused with ValueError before the call; a C
 * caller's n below 3 records status -2 "Fewer than 3 critical values in
 * GetEquivalentMixedModeERR" and gives NaN.
 *   geq      (out) the mixed-mode critical energy release rate, in the units
 *                  of gc
 *   traction (in)  3 traction components, the normal one first
 *   gc       (in)  n critical energy release rates, as above
 *   n        (in)  4, or 3 (at least 3) */
void GetEquivalentMixedModeERR(double* geq, const double* traction, const double* gc,
                               const int32_t* n);

/* GetCrackStatus: whether a crack on a rotated plane is open or closed: the
 * traction on the coordinate plane baseid of the stress turned by phi
 * radians about the axis nrot (GetTVectorFromArbitraryRotation); closed when
 * its normal component is negative. A baseid outside 1..3 records status -2
 * there and gives 1.
 *   crckstatus (out) 1 open, -1 closed
 *   svoigt     (in)  stress 6-vector in Voigt order (11, 22, 33, 23, 13, 12)
 *   nrot       (in)  3 components of the rotation axis, a unit vector
 *   phi        (in)  rotation angle in radians
 *   baseid     (in)  normal of the plane in the turned axes: 1, 2 or 3 */
void GetCrackStatus(int32_t* crckstatus, const double* svoigt, const double* nrot,
                    const double* phi, const int32_t* baseid);

#ifdef __cplusplus
}
#endif
#endif
