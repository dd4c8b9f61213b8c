#ifndef VEXLAN_UTILITY_H
#define VEXLAN_UTILITY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
