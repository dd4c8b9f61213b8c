#ifndef VEXLAN_TABLES_H
#define VEXLAN_TABLES_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
