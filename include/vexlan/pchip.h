#ifndef VEXLAN_PCHIP_H
#define VEXLAN_PCHIP_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
