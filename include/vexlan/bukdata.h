/* Sub-laminate buckling lists (component bukdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named bukdata_<name>, the datum that
 * Python shows as _vexlan.bukdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_BUKDATA_H
#define VEXLAN_BUKDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array bukdata_bukintdatalist;    /* int32_t (4, interfaces, ndmg, nsec) integer results
                                              per interface */
extern vx_array bukdata_bukrealdatalist;   /* double (12, interfaces, ndmg, nsec) real results per
                                              interface */
#endif

#ifdef __cplusplus
}
#endif
#endif
