/* Effective three-dimensional stiffness of a stack of plies (component laminate).
 *
 * Every routine replaces a stack by one homogeneous 6 x 6 stiffness in the
 * order 11, 22, 33, 23, 13, 12 (3 the thickness direction, engineering shear
 * strain). The plies are given by their 6 x 6 stiffness already turned into
 * the laminate axes and their volume ratios (ply thickness over stack
 * thickness), which are not normalised. A singular ply matrix or a zero C33
 * gives non-finite values; the matrix inverse reports singular matrices
 * (status -2). An empty stack (nvols below 1, or volume ratios adding up to
 * 0) gives the zero matrix: Voigt as its empty sum with nothing recorded,
 * Reuss with the singular inverse recorded, Sun, Chou and Henry with status
 * -2 recorded. */
#ifndef VEXLAN_LAMINATE_EFFECTIVE_H
#define VEXLAN_LAMINATE_EFFECTIVE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetVoigtEffectiveStiffness: Voigt average sum v_k C_k of the ply
 * stiffnesses (all strains equal in the plies).
 *   cvoigt                   (out) 6 x 6 effective stiffness
 *   volratios                (in)  nvols volume ratios
 *   rotatedstiffnessmatrices (in)  6 x 6 x nvols ply stiffnesses in laminate axes
 *   nvols                    (in)  number of plies */
void GetVoigtEffectiveStiffness(double* cvoigt, const double* volratios,
                                const double* rotatedstiffnessmatrices, const int32_t* nvols);

/* GetReussEffectiveStiffness: Reuss average (sum v_k C_k^-1)^-1 of the ply
 * stiffnesses (all stresses equal in the plies).
 *   creuss                   (out) 6 x 6 effective stiffness
 *   volratios                (in)  nvols volume ratios
 *   rotatedstiffnessmatrices (in)  6 x 6 x nvols ply stiffnesses in laminate axes
 *   nvols                    (in)  number of plies */
void GetReussEffectiveStiffness(double* creuss, const double* volratios,
                                const double* rotatedstiffnessmatrices, const int32_t* nvols);

/* GetSunEffectiveStiffness: effective stiffness with the in-plane strains and
 * the out-of-plane stresses common to all plies, built with ply 1 as the
 * reference; assumes the volume ratios add up to 1. The result is symmetric;
 * the couplings 14, 15, 24, 25, 34, 35, 46 and 56 are zero. An empty stack
 * (nvols below 1, or ratios adding up to 0) records status -2 "Error in
 * GetSunEffectiveStiffness: empty stack." and gives the zero matrix. From
 * Python, a negative nvols is a ValueError.
 *   csun                     (out) 6 x 6 effective stiffness
 *   volratios                (in)  nvols volume ratios, adding up to 1
 *   rotatedstiffnessmatrices (in)  6 x 6 x nvols ply stiffnesses in laminate axes
 *   nvols                    (in)  number of plies */
void GetSunEffectiveStiffness(double* csun, const double* volratios,
                              const double* rotatedstiffnessmatrices, const int32_t* nvols);

/* GetChouEffectiveStiffness: effective stiffness under the same assumptions
 * as GetSunEffectiveStiffness, computed directly from sums over the plies; the
 * two agree for symmetric ply matrices and ratios adding up to 1. The result
 * is symmetric with the same zero couplings. An empty stack (nvols below 1,
 * or ratios adding up to 0) records status -2 "Error in
 * GetChouEffectiveStiffness: empty stack." and gives the zero matrix. From
 * Python, a negative nvols is a ValueError.
 *   chou                     (out) 6 x 6 effective stiffness
 *   volratios                (in)  nvols volume ratios
 *   rotatedstiffnessmatrices (in)  6 x 6 x nvols ply stiffnesses in laminate axes
 *   nvols                    (in)  number of plies */
void GetChouEffectiveStiffness(double* chou, const double* volratios,
                               const double* rotatedstiffnessmatrices, const int32_t* nvols);

/* GetHenryEffectiveStiffness: effective stiffness by hybrid averaging: each
 * ply's law is solved for its out-of-plane strains in terms of the common
 * out-of-plane stresses (33, 23, 13) and in-plane strains (11, 22, 12), the
 * parts are averaged and the law is assembled again. All 36 entries are
 * formed; the result is not symmetrised. An empty stack (nvols below 1, or
 * ratios adding up to 0) records status -2 "Error in
 * GetHenryEffectiveStiffness: empty stack." and gives the zero matrix. From
 * Python, a negative nvols is a ValueError.
 *   chenry                   (out) 6 x 6 effective stiffness
 *   volratios                (in)  nvols volume ratios
 *   rotatedstiffnessmatrices (in)  6 x 6 x nvols ply stiffnesses in laminate axes
 *   nvols                    (in)  number of plies */
void GetHenryEffectiveStiffness(double* chenry, const double* volratios,
                                const double* rotatedstiffnessmatrices, const int32_t* nvols);

#ifdef __cplusplus
}
#endif
#endif
