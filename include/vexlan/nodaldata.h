/* Node data (component nodaldata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named nodaldata_<name>, the datum that
 * Python shows as _vexlan.nodaldata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_NODALDATA_H
#define VEXLAN_NODALDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t nodaldata_nnodes;          /* nodes per element */
extern int32_t nodaldata_ndof;            /* degrees of freedom per node */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array nodaldata_nodesmotion;      /* double (ndof, nnodes, nelem) nodal motion */
extern vx_array nodaldata_nodalcoords;      /* double (3, nnodes, nelem) nodal coordinates */
extern vx_array nodaldata_tnodalmatrices;   /* double (3, 3, 8, nelem) nodal transformation matrices */
extern vx_array nodaldata_tcurvmatrices;    /* double (3, 3, nelem) curvature transformation
                                               matrices */
#endif

#ifdef __cplusplus
}
#endif
#endif
