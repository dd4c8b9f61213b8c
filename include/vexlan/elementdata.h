/* Element data (component elementdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named elementdata_<name>, the datum that
 * Python shows as _vexlan.elementdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_ELEMENTDATA_H
#define VEXLAN_ELEMENTDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t elementdata_nelem;               /* number of elements */
extern int32_t elementdata_nsens;               /* read by no routine */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array elementdata_elemlist;             /* int32_t (nelem) element numbers */
extern vx_array elementdata_elemkind;             /* int32_t (nelem) element kind numbers */
extern vx_array elementdata_elemnodes;            /* int32_t (nnodes, nelem) connectivity */
extern vx_array elementdata_elemcurvatures;       /* double (2, nelem) element curvatures */
extern vx_array elementdata_elemreforientation;   /* double (7, nelem) reference orientation */
extern vx_array elementdata_elemlength;           /* double (3, nelem) element lengths */
extern vx_array elementdata_elemindices;          /* int32_t (nelem) positions of the elements of
                                                     the handled kinds */
#endif

#ifdef __cplusplus
}
#endif
#endif
