/* Effective three-dimensional stiffness of a stack of plies (component laminate).
 *
 * result                    out  6x6 stiffness, order 11, 22, 33, 23, 13, 12
 * volratios(nvols)          in   volume ratio of each ply (not normalised)
 * rotatedstiffnessmatrices  in   6x6xnvols ply stiffnesses in the laminate axes
 * nvols                     in   number of plies */
#ifndef VEXLAN_LAMINATE_STACK_H
#define VEXLAN_LAMINATE_STACK_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

void GetVoigtEffectiveStiffness(double* cvoigt, const double* volratios,
                                const double* rotatedstiffnessmatrices, const int32_t* nvols);
void GetReussEffectiveStiffness(double* creuss, const double* volratios,
                                const double* rotatedstiffnessmatrices, const int32_t* nvols);
void GetSunEffectiveStiffness(double* csun, const double* volratios,
                              const double* rotatedstiffnessmatrices, const int32_t* nvols);
void GetChouEffectiveStiffness(double* chou, const double* volratios,
                               const double* rotatedstiffnessmatrices, const int32_t* nvols);
void GetHenryEffectiveStiffness(double* chenry, const double* volratios,
                                const double* rotatedstiffnessmatrices, const int32_t* nvols);

#ifdef __cplusplus
}
#endif
#endif
