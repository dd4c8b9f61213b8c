/* Impact contact: contact force equation, contact stiffness and effective
 * modulus, indentation depth and contact radius, the element nearest to each
 * impact point, and the Hugoniot elastic limit (component interaction).
 *
 * Law inputs travel by position in args(numargs); the positions are listed
 * with each routine below. Units are the caller's, consistent throughout.
 * Unknown selectors are reported in the error record with status -3. */
#ifndef VEXLAN_INTERACTION_H
#define VEXLAN_INTERACTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ContactLaw: residual fx = k q^p - F of the contact force equation and its
 * derivative dfx by F, for a Newton iteration on the contact force F, with
 * the indentation q = args(2) - args(4) - args(7) - |args(3) + args(5)| F.
 * The tabulated law takes k from a stiffness-over-force table by monotone
 * cubic interpolation, falling back to args(1) where the table value is not
 * positive; a table with fewer than two points or forces not increasing
 * records status -2 and uses args(1). A NaN residual becomes 0 and a NaN
 * derivative -1, so that the iteration can go on. An unknown clflag records
 * status -3, sets dfx to -1 and keeps fx (0 if it was NaN); a C call with
 * numargs below the law's inputs (7, 11 tabulated) does the same with status
 * -2. From Python numargs is the length of args, and too few values for the
 * law are refused with ValueError before the call.
 *   fx      (out) residual of the force equation
 *   dfx     (out) derivative d fx / d F
 *   xold    (in)  current contact force F
 *   args    (in)  numargs law inputs: 1 stiffness k, 2 displacement, 3 and 5
 *                 compliances, 4 and 7 offsets, 6 exponent p; for clflag 1
 *                 from 8 on the ns = (numargs - 7) / 2 table forces, then the
 *                 ns stiffness values
 *   numargs (in)  length of args
 *   clflag  (in)  law: 0 or 2 power law with constant k, 1 tabulated
 *                 stiffness */
void ContactLaw(double* fx, double* dfx, const double* xold, const double* args,
                const int32_t* numargs, const int32_t* clflag);

/* ContactStiffness: contact stiffness k and effective modulus eeff of a
 * contact law. Eeff of two bodies is 1 / ((1 - nu1^2)/E1 + (1 - nu2^2)/E2),
 * or with 1/E2 alone when the lateral contraction of body 2 is left out. Law
 * 0: Hertz, k = 4/3 Eeff sqrt(R) with 1/R = 1/args(1) + args(5); law 1: as 0
 * with the second Eeff; law 2: k = args(10) / (args(11) - args(12))^p (no
 * Eeff); law 3: k = args(10)^(p - 1/2) args(11)^(1 - p) / args(12)^(p + 1)
 * with the second Eeff; law 6: plate law k = pi args(2)
 * Eeff / (ln(args(2) / a) + 1.886), a = sqrt(4 args(13) args(1) / (pi Eeff)).
 * Laws 4 and 5 are not available: they record status -3 and leave k unchanged
 * (0 from Python); so does any other csflag. eeff is 0 unless the law sets
 * it. A C call with numargs below the entries the law reads records status
 * -2, k and eeff NaN. From Python numargs is the length of args, and too few
 * values for the law are refused with ValueError before the call.
 *   k       (out) contact stiffness
 *   eeff    (out) effective modulus (0 where the law has none)
 *   args    (in)  numargs law inputs: 1 radius of the first body (force for
 *                 law 6), 2 a length, 3 E1, 4 nu1, 5 curvature of the second
 *                 body, 7 E2, 8 nu2, 9 exponent p, 10..12 law constants, 13 a
 *                 positive quantity of law 6 (at least the machine epsilon);
 *                 each law reads only its own entries
 *   numargs (in)  length of args
 *   csflag  (in)  law selector 0 to 6 */
void ContactStiffness(double* k, double* eeff, const double* args, const int32_t* numargs,
                      const int32_t* csflag);

/* ContactDepth: indentation depth of the impactor: cdflag 0 Hertz, (9
 * args(1)^2 / (16 args(2) args(3)^2))^(1/3); 1 linear, args(1) / (2 args(2)
 * args(3)); 2 pi args(4) / 2. An unknown cdflag gives the largest
 * representable real and records nothing; a C call with numargs below the
 * law's inputs records status -2 and gives NaN. From Python numargs is the
 * length of args, and too few values for the law are refused with ValueError
 * before the call.
 *   indentation (out) indentation depth
 *   args        (in)  numargs law inputs by position as above
 *   numargs     (in)  length of args
 *   cdflag      (in)  law selector 0, 1 or 2 */
void ContactDepth(double* indentation, const double* args, const int32_t* numargs,
                  const int32_t* cdflag);

/* ContactRadius: radius of the contact area: cdflag 0 to 4 Hertz, (3 args(1)
 * args(3) / (4 args(2)))^(1/3); 5 and 6 plate law, sqrt(4 args(1)
 * args(3) / (pi args(4) args(2))). A cdflag below 0 or above 6 gives the
 * largest representable real and records nothing; a C call with numargs below
 * the law's inputs records status -2 and gives NaN. From Python numargs is
 * the length of args, and too few values for the law are refused with
 * ValueError before the call.
 *   radius  (out) contact radius
 *   args    (in)  numargs law inputs by position as above
 *   numargs (in)  length of args
 *   cdflag  (in)  law selector 0 to 6 */
void ContactRadius(double* radius, const double* args, const int32_t* numargs,
                   const int32_t* cdflag);

/* ContactArea: keeps, for every impactor, the element nearest to its impact
 * point. Called per element; when element noel lies closer to the impact
 * point than the element recorded so far (or none is recorded yet), its
 * number and distance are stored, and with both element lengths given the
 * half lengths as well.
 *   dprops     (in/out) 12 x nimp impactor load records: 2..4 impact point,
 *                       5 nearest element, 6 its distance (0 unset), 8 and
 *                       10 half the first length, 9 and 11 half the second;
 *                       the other entries are not touched
 *   coord      (in)  3 coordinates of a point of element noel
 *   noel       (in)  element number
 *   nimp       (in)  number of impactors
 *   elemlength (in, optional) 3 element lengths, the first two used (a zero
 *                   second length becomes the first); absent, or either
 *                   used length -1 (the Python default is -1, -1, -1): the
 *                   half lengths are not updated */
void ContactArea(double* dprops, const double* coord, const int32_t* noel, const int32_t* nimp,
                 const double* elemlength);

/* GetHugonoitElasticLimit: Hugoniot elastic limit of a material under
 * uniaxial strain, (1 - nu) yc / (1 - 2 nu); not finite for nu = 0.5.
 *   yc     (in)  yield (or compressive) strength
 *   nu     (in)  Poisson ratio
 *   result (ret) the Hugoniot elastic limit, in the unit of yc */
double GetHugonoitElasticLimit(const double* yc, const double* nu);

#ifdef __cplusplus
}
#endif
#endif
