/* Job data (component jobdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named jobdata_<name>, the datum that
 * Python shows as _vexlan.jobdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_JOBDATA_H
#define VEXLAN_JOBDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t jobdata_stepcount;    /* highest step number seen so far; never lowered */
extern int32_t jobdata_nsteps;       /* number of steps of the analysis */
extern int32_t jobdata_solverid;     /* solver identifier */
extern char jobdata_jobname[256];    /* job name */
extern char jobdata_joboutdir[256];  /* folder that holds the card files */
extern char jobdata_jobfilepath[256]; /* job path without extension */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array jobdata_stepid;        /* int32_t (nsteps) step type per step: 0 initialisation, 1
                                          fatigue (default), 2 structural response, 3 impact, 4
                                          relaxation, 5 image correlation */
extern vx_array jobdata_processid;     /* int32_t (maxid) check-in marks of cooperating processes */
#endif

#ifdef __cplusplus
}
#endif
#endif
