/* Impactor load data (component loaddata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named loaddata_<name>, the datum that
 * Python shows as _vexlan.loaddata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_LOADDATA_H
#define VEXLAN_LOADDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t loaddata_nimp;    /* number of impactors */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array loaddata_dprops;   /* double (12, nimp) load record of each impactor */
#endif

#ifdef __cplusplus
}
#endif
#endif
