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

/* Scales a measured compressive stress distribution so that its governing
 * point reaches the compressive strength.
 *   fresult        (out) fresult(4): failure load, failure strain, failure
 *                        stress, position of the governing point
 *   fcomprstressdistribution (out) fcomprstressdistribution(nstress, 2):
 *                        scaled measured stress, scaled weighted stress
 *                        (1 + alpha sqrt(2 |x / width|)) |s|, both in
 *                        ascending order of position
 *   avgcomprstress (in)  avgcomprstress(nstress): measured average
 *                        compressive stress (used by magnitude)
 *   coords         (in)  coords(nstress): positions across the width
 *   plythickness   (in)  plythickness(nplies)
 *   alpha          (in)  weighting parameter of the distribution
 *   comprstrength  (in)  compressive strength of the laminate
 *   load           (in)  load at the time of the measurement
 *   displacement   (in)  displacement at the time of the measurement
 *   length         (in)  specimen length
 *   width          (in)  specimen width
 *   nplies         (in)  number of plies
 *   nstress        (in)  number of measured values
 * When no extreme value of the weighted distribution is found on either side
 * the error record gets status -1 and the evaluation goes on; fewer than one
 * measured value records status -2 and leaves zero results. */
void GetComprFailurebyDIC(double* fresult, double* fcomprstressdistribution,
                          const double* avgcomprstress, const double* coords,
                          const double* plythickness, const double* alpha,
                          const double* comprstrength, const double* load,
                          const double* displacement, const double* length, const double* width,
                          const int32_t* nplies, const int32_t* nstress);

/* Strength influence factor of a laminate split into sub-laminates.
 *   plythickness    (in) plythickness(nplies)
 *   bukrealdatalist (in) bukrealdatalist(12, nplies - 1): entry 2 of each
 *                        record is the knock-down factor of its plies
 *   bukintdatalist  (in) bukintdatalist(4, nplies - 1): entries 2 and 3 of
 *                        each record are its first and last ply (0: none)
 *   nplies          (in) number of plies
 * Reads records 1..nplies-1 only. With T the thickness of the thickest run
 * of consecutive plies sharing one knock-down factor (1 for plies outside
 * every record) and q = 1 - T / sum(plythickness), returns (2q)^q, or 1 when
 * q = 0 or the stack holds no ply. Ply ranges reaching outside the stack are
 * clipped to it. */
double GetDmgInfluenceFactor(const double* plythickness, const double* bukrealdatalist,
                             const int32_t* bukintdatalist, const int32_t* nplies);

/* Strength factor of a laminated plate with a central open hole.
 *   plyelastic     (in) plyelastic(9, nplies)
 *   plyorientation (in) plyorientation(nplies), degrees
 *   plythickness   (in) plythickness(nplies)
 *   kt             (in) stress concentration factor
 *   radius         (in) hole radius
 *   width          (in) plate width
 *   nplies         (in) number of plies
 * With x = 2 radius / width and c = kt - 3, returns
 * kt (x^(x+1) - x^2) + |(A11 + A12) / (2 A22 (c^2 + 1)) - nuxy|, A the
 * membrane stiffness and nuxy the membrane Poisson ratio of the laminate. */
double GetCentralOpenHoleFactor(const double* plyelastic, const double* plyorientation,
                                const double* plythickness, const double* kt,
                                const double* radius, const double* width,
                                const int32_t* nplies);

#ifdef __cplusplus
}
#endif
#endif
