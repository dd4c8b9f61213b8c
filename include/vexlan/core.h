#ifndef VEXLAN_CORE_H
#define VEXLAN_CORE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Error record. intv, realv and asciim are followed by their extents. */
void xerr(const int32_t* lop, const char* xerrmsg, const int32_t* intv, const int32_t* nintv,
          const double* realv, const int32_t* nrealv, const int32_t* asciim, const int32_t* arows,
          const int32_t* acols, const int32_t* pyerr, size_t xerrmsg_len);
void rsxerr(int32_t* reset, const vx_l1* lop);

/* Allocation and release of the shared data. */
void allocatenodaldata(int32_t* istat, const int32_t* kdof, const int32_t* knodes, const int32_t* kelem);
void allocateelementdata(int32_t* istat, const int32_t* knodes, const int32_t* kelem);
void allocatedamagedata(int32_t* istat, const int32_t* kplies, const int32_t* ksec, const int32_t* kdmg);
void deallocall(int32_t* istat);

#ifdef __cplusplus
}
#endif
#endif
