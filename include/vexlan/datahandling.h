/* Allocation and release of the shared data (component datahandling). */
#ifndef VEXLAN_DATAHANDLING_H
#define VEXLAN_DATAHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

void allocatenodaldata(int32_t* istat, const int32_t* kdof, const int32_t* knodes, const int32_t* kelem);
void allocateelementdata(int32_t* istat, const int32_t* knodes, const int32_t* kelem);
void allocatedamagedata(int32_t* istat, const int32_t* kplies, const int32_t* ksec, const int32_t* kdmg);
void deallocall(int32_t* istat);

#ifdef __cplusplus
}
#endif
#endif
