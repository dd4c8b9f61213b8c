/* Fracture-mechanics helpers (component fracture): mixed-mode critical
 * energy release rate of a traction and the open/closed status of a crack. */
#ifndef VEXLAN_FRACTURE_H
#define VEXLAN_FRACTURE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetEquivalentMixedModeERR: traction-weighted critical energy release rate.
 *   geq (out) mixed-mode value
 *   traction (in) traction(3), normal component first
 *   gc (in) gc(n): n = 4 opening, closing, shear 1, shear 2; else normal,
 *           shear 1, shear 2
 *   n (in) length of gc */
void GetEquivalentMixedModeERR(double* geq, const double* traction, const double* gc,
                               const int32_t* n);

/* GetCrackStatus: 1 open, -1 closed (negative normal traction on the plane).
 *   crckstatus (out) status
 *   svoigt (in) svoigt(6) stress in Voigt order
 *   nrot (in) nrot(3) rotation axis;  phi (in) rotation angle in radians
 *   baseid (in) plane normal 1..3 of the rotated system */
void GetCrackStatus(int32_t* crckstatus, const double* svoigt, const double* nrot,
                    const double* phi, const int32_t* baseid);

#ifdef __cplusplus
}
#endif
#endif
