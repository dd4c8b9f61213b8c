/* Impactor contact data (component impactdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named impactdata_<name>, the datum that
 * Python shows as _vexlan.impactdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_IMPACTDATA_H
#define VEXLAN_IMPACTDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array impactdata_cprops;   /* double (20, nimp) contact and motion record of each impactor */
extern vx_array impactdata_csvars;   /* double (element properties - 20, nimp) impactor element
                                        state */
#endif

#ifdef __cplusplus
}
#endif
#endif
