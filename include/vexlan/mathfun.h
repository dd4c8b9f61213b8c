#ifndef VEXLAN_MATHFUN_H
#define VEXLAN_MATHFUN_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
