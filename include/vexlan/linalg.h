#ifndef VEXLAN_LINALG_H
#define VEXLAN_LINALG_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
