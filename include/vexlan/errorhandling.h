/* Error record (component errorhandling): the first failure since the last
 * reset is kept with its status, message and context values. */
#ifndef VEXLAN_ERRORHANDLING_H
#define VEXLAN_ERRORHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Records a failure. intv, realv and asciim are followed by their extents. */
void xerr(const int32_t* lop, const char* xerrmsg, const int32_t* intv, const int32_t* nintv,
          const double* realv, const int32_t* nrealv, const int32_t* asciim, const int32_t* arows,
          const int32_t* acols, const int32_t* pyerr, size_t xerrmsg_len);
/* Clears the record. */
void rsxerr(int32_t* reset, const vx_l1* lop);

#ifdef __cplusplus
}
#endif
#endif
