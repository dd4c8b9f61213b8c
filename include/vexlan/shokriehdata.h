/* Fatigue data (component shokriehdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named shokriehdata_<name>, the datum that
 * Python shows as _vexlan.shokriehdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_SHOKRIEHDATA_H
#define VEXLAN_SHOKRIEHDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern double shokriehdata_dnf;          /* cycle quantity kept by the resin material between calls */
extern double shokriehdata_dnfshok;      /* allowed cycle jump of the fatigue material model */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array shokriehdata_cycleprops;   /* double (values per step, nsteps) cycle settings per
                                              step */
extern vx_array shokriehdata_cycles;       /* double (rows, nsteps) cycle numbers per step */
#endif

#ifdef __cplusplus
}
#endif
#endif
