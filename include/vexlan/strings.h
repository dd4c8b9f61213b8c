#ifndef VEXLAN_STRINGS_H
#define VEXLAN_STRINGS_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
