/* Compression failure of laminate specimens from a measured distribution of
 * the average compressive stress across the specimen (component dic), and
 * two scalar strength factors: one for a laminate split by delaminations
 * into sub-laminates (from the buckling record lists), one for a plate with
 * a central open hole.
 *
 * Stack arrays over nplies plies, ply 1 at the bottom:
 *   plyelastic(9, nplies)  E1, E2, E3, nu12, nu13, nu23, G12, G13, G23 per ply
 *   plyorientation(nplies) ply angles in degrees
 *   plythickness(nplies)   ply thicknesses
 * Buckling records of one laminate, one column per record:
 *   bukintdatalist(4, *)   bounding interface, first ply, last ply, side
 *   bukrealdatalist(12, *) buckling strain, knock-down factor, buckling
 *                          stress, delamination description, buckling mode
 * All arrays column-major. */
#ifndef VEXLAN_DIC_H
#define VEXLAN_DIC_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetComprFailurebyDIC: failure load, strain and stress of a compression
 * specimen from a measured distribution of the average compressive stress
 * across its width. Stresses and positions are used by magnitude and in
 * ascending order of position; each stress is weighted towards the free
 * edges, (1 + alpha sqrt(2 abs(x/width))) abs(s). The governing point is the
 * smallest weighted stress when the measured curve has one peak; otherwise
 * the larger of the weighted valleys reached by walking outwards from the
 * two highest peaks (or from the largest measured value when no peak stands
 * out by 5 % of the normalised range). Everything is then scaled by f =
 * abs(comprstrength / weighted stress of the governing point). When no
 * valley is found on either side a note with status -1 goes to the error
 * record and the evaluation goes on. Fewer than one measured value, or a
 * governing point without weighted stress (a measured 0 there, all values
 * 0), for which f would be infinite, records status -2 and leaves fresult
 * and the distribution at 0; so does a NaN measured stress or position
 * ("Error in GetComprFailurebyDIC: NaN measured stress or position."), which
 * the searches would otherwise pass over. Not checked: a zero width gives NaN with
 * nothing recorded. Consistent units.
 *   fresult        (out) 4 values: failure load abs(load) f, failure strain
 *                        abs(displacement) f/length, failure stress
 *                        abs(load) f/(t width) with t the laminate thickness,
 *                        position of the governing point
 *   fcomprstressdistribution (out) nstress x 2: the scaled measured and the
 *                        scaled weighted stress, in ascending order of
 *                        position
 *   avgcomprstress (in)  nstress measured average compressive stresses
 *   coords         (in)  nstress positions across the width
 *   plythickness   (in)  nplies ply thicknesses
 *   alpha          (in)  edge weighting parameter (0: no weighting)
 *   comprstrength  (in)  compressive strength of the laminate
 *   load           (in)  load at the time of the measurement
 *   displacement   (in)  displacement at the time of the measurement
 *   length         (in)  specimen length
 *   width          (in)  specimen width
 *   nplies         (in)  number of plies
 *   nstress        (in)  number of measured values */
void GetComprFailurebyDIC(double* fresult, double* fcomprstressdistribution,
                          const double* avgcomprstress, const double* coords,
                          const double* plythickness, const double* alpha,
                          const double* comprstrength, const double* load,
                          const double* displacement, const double* length, const double* width,
                          const int32_t* nplies, const int32_t* nstress);

/* GetDmgInfluenceFactor: strength influence factor of a laminate split by
 * delaminations into sub-laminates. Each buckling record 1..nplies-1 whose
 * first and last ply are both non-zero (and in order) gives its plies its
 * knock-down factor, later records overwriting earlier ones; other plies
 * keep 1, and ranges reaching past the stack are clipped to it. With T the
 * thickness of the thickest run of consecutive plies of equal factor and q =
 * 1 - T / (total thickness), the result is (2q)^q, or 1 when q = 0 (no
 * split) or the stack holds no ply; a total thickness of 0 gives NaN.
 * Nothing is recorded.
 *   plythickness    (in)  nplies ply thicknesses, ply 1 at the bottom
 *   bukrealdatalist (in)  12 x (nplies - 1) buckling records; entry 2 of
 *                         each is the knock-down factor of its plies
 *   bukintdatalist  (in)  4 x (nplies - 1) buckling records; entries 2 and 3
 *                         of each are its first and last ply (0: none)
 *   nplies          (in)  number of plies
 *   result          (ret) the influence factor */
double GetDmgInfluenceFactor(const double* plythickness, const double* bukrealdatalist,
                             const int32_t* bukintdatalist, const int32_t* nplies);

/* GetCentralOpenHoleFactor: strength factor of a laminated plate with a
 * central open hole. With x = 2 radius / width and c = kt - 3 the result is
 * kt (x^(x+1) - x^2) + abs((A11 + A12)/(2 A22 (c^2 + 1)) - nuxy), A the
 * membrane stiffness of the stack and nuxy its membrane Poisson ratio. A
 * zero width or thickness gives non-finite values; nothing is recorded.
 *   plyelastic     (in)  9 x nplies ply constants E1, E2, E3, nu12, nu13,
 *                        nu23, G12, G13, G23
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   kt             (in)  stress concentration factor of the hole
 *   radius         (in)  hole radius
 *   width          (in)  plate width, in the units of radius
 *   nplies         (in)  number of plies
 *   result         (ret) the factor */
double GetCentralOpenHoleFactor(const double* plyelastic, const double* plyorientation,
                                const double* plythickness, const double* kt,
                                const double* radius, const double* width,
                                const int32_t* nplies);

#ifdef __cplusplus
}
#endif
#endif
