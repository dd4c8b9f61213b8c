#ifndef VEXLAN_GEOMETRY_H
#define VEXLAN_GEOMETRY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
