#ifndef VEXLAN_LISTS_H
#define VEXLAN_LISTS_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
