#ifndef VEXLAN_INTERP_H
#define VEXLAN_INTERP_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
