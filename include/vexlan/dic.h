/* Compression failure from measured stress distributions (component dic). */
#ifndef VEXLAN_DIC_H
#define VEXLAN_DIC_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* fresult (out) fresult(4): failure load, strain, stress, governing position
 * fcomprstressdistribution (out) (nstress, 2): scaled measured and weighted stress
 * avgcomprstress, coords (in) (nstress); plythickness (in) (nplies);
 * alpha, comprstrength, load, displacement, length, width (in); nplies, nstress (in) */
void GetComprFailurebyDIC(double* fresult, double* fcomprstressdistribution,
                          const double* avgcomprstress, const double* coords,
                          const double* plythickness, const double* alpha,
                          const double* comprstrength, const double* load,
                          const double* displacement, const double* length, const double* width,
                          const int32_t* nplies, const int32_t* nstress);
/* Strength influence factor of the buckling records (12, nplies-1), (4, nplies-1). */
double GetDmgInfluenceFactor(const double* plythickness, const double* bukrealdatalist,
                             const int32_t* bukintdatalist, const int32_t* nplies);
/* Factor of a plate with a central open hole. */
double GetCentralOpenHoleFactor(const double* plyelastic, const double* plyorientation,
                                const double* plythickness, const double* kt, const double* radius,
                                const double* width, const int32_t* nplies);

#ifdef __cplusplus
}
#endif
#endif
