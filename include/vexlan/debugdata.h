/* Debug switches (component debugdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named debugdata_<name>, the datum that
 * Python shows as _vexlan.debugdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_DEBUGDATA_H
#define VEXLAN_DEBUGDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t debugdata_nupdate;  /* update interval in increments (the step card sets 1 by
                                      default) */
extern int32_t debugdata_edebug;   /* element number whose calculations print diagnostics (0: none) */
extern int32_t debugdata_ndebug;   /* node debug selector; stored only */
extern int32_t debugdata_fdebug;   /* file debug selector; stored only */
extern int32_t debugdata_verbose;  /* verbosity level; stored only */
extern int32_t debugdata_unitid;   /* output unit selector; stored only */

#ifdef __cplusplus
}
#endif
#endif
