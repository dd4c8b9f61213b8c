/* Impact contact: contact force equation, contact stiffness and effective
 * modulus, indentation depth and contact radius, the element nearest to each
 * impact point, and the Hugoniot elastic limit (component interaction).
 *
 * Law inputs travel by position in args(numargs); the positions are listed
 * with each routine in the implementation. Unknown selectors are reported in
 * the error record with status -3. */
#ifndef VEXLAN_INTERACTION_H
#define VEXLAN_INTERACTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ContactLaw: residual of the contact force equation fx = k q^p - F and its
 * derivative, for a Newton iteration on the contact force F.
 *   fx      (out) residual (a NaN becomes 0)
 *   dfx     (out) d fx / d F (a NaN becomes -1)
 *   xold    (in)  current contact force F
 *   args    (in)  args(numargs): 1 k, 2 displacement, 3 and 5 compliances,
 *                 4 and 7 offsets, 6 exponent p, 8.. stiffness table (clflag 1)
 *   numargs (in)  length of args
 *   clflag  (in)  0 or 2 power law, 1 tabulated stiffness */
void ContactLaw(double* fx, double* dfx, const double* xold, const double* args,
                const int32_t* numargs, const int32_t* clflag);

/* ContactStiffness: contact stiffness k and effective modulus eeff.
 *   k       (out) contact stiffness (unchanged for laws 4 and 5)
 *   eeff    (out) effective modulus (0 where the law has none)
 *   args    (in)  args(numargs): 1 first radius (force for law 6), 2 a length,
 *                 3 E1, 4 nu1, 5 curvature of the second body, 7 E2, 8 nu2,
 *                 9 exponent p (laws 2, 3), 10..12 law constants, 13 a positive
 *                 quantity of law 6; each law reads only its own entries
 *   numargs (in)  length of args
 *   csflag  (in)  law selector 0 to 6 */
void ContactStiffness(double* k, double* eeff, const double* args, const int32_t* numargs,
                      const int32_t* csflag);

/* ContactDepth: indentation depth.
 *   indentation (out) depth; the largest real for an unknown cdflag
 *   args, numargs (in) law inputs
 *   cdflag  (in)  0 Hertz, 1 linear, 2 pi args(4)/2 */
void ContactDepth(double* indentation, const double* args, const int32_t* numargs,
                  const int32_t* cdflag);

/* ContactRadius: contact radius.
 *   radius  (out) radius; the largest real for cdflag < 0 or > 6
 *   args, numargs (in) law inputs
 *   cdflag  (in)  0..4 Hertz, 5 and 6 plate law */
void ContactRadius(double* radius, const double* args, const int32_t* numargs,
                   const int32_t* cdflag);

/* ContactArea: tracks per impactor the element nearest to its impact point.
 *   dprops  (in/out) dprops(12, nimp) load records: 2..4 impact point, 5 nearest
 *                    element, 6 its distance (0 unset), 8..11 half lengths
 *   coord   (in)  coord(3) point of element noel
 *   noel    (in)  element number
 *   nimp    (in)  number of impactors
 *   elemlength (in, optional) elemlength(3) element lengths; NULL: not given */
void ContactArea(double* dprops, const double* coord, const int32_t* noel, const int32_t* nimp,
                 const double* elemlength);

/* GetHugonoitElasticLimit: Hugoniot elastic limit (1 - nu) yc / (1 - 2 nu).
 *   yc (in) yield stress;  nu (in) Poisson ratio */
double GetHugonoitElasticLimit(const double* yc, const double* nu);

#ifdef __cplusplus
}
#endif
#endif
