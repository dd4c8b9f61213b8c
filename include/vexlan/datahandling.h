/* Allocation and release of the shared data (component datahandling). */
#ifndef VEXLAN_DATAHANDLING_H
#define VEXLAN_DATAHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* allocatenodaldata: sizes the node data of the model: nodesmotion
 * (kdof, knodes, kelem), nodalcoords (3, knodes, kelem), tnodalmatrices
 * (3, 3, 8, kelem) and tcurvmatrices (3, 3, kelem). An array that is already
 * allocated keeps its extents and contents; new arrays are not filled. The
 * counters of the model data are left to the caller.
 *   istat  (out) always 0; a failed allocation ends the process
 *   kdof   (in)  motion components per node
 *   knodes (in)  nodes per element
 *   kelem  (in)  number of elements */
void allocatenodaldata(int32_t* istat, const int32_t* kdof, const int32_t* knodes, const int32_t* kelem);

/* allocateelementdata: sizes the element data: elemlist, elemkind and the
 * section point counts nsectionpoints of sectiondata (kelem), elemnodes
 * (knodes, kelem), elemcurvatures (2, kelem) and elemreforientation
 * (7, kelem). Arrays that exist keep their extents and contents; new ones
 * are not filled.
 *   istat  (out) always 0; a failed allocation ends the process
 *   knodes (in)  nodes per element
 *   kelem  (in)  number of elements */
void allocateelementdata(int32_t* istat, const int32_t* knodes, const int32_t* kelem);

/* allocatedamagedata: sizes the damage store. ndmg is raised to the largest
 * of ndmg, 1 and kdmg on every call. Missing arrays are allocated: the region
 * arrays generaldds, fiberdds, matrixdds, coredds, userdds (3, kplies, ndmg)
 * and delamdds (3, max(kplies - 1, 1), ndmg), dmgplane (10, ndmg) and the
 * buckling lists (4 and 12, kplies, ndmg, ksec), the last three zeroed. The
 * region arrays are zeroed once per allocation of damagedds (whose first
 * entry marks it). Existing arrays keep their extents and contents.
 *   istat  (out) always 0; a failed allocation ends the process
 *   kplies (in)  plies per section
 *   ksec   (in)  number of sections
 *   kdmg   (in)  number of damaged regions */
void allocatedamagedata(int32_t* istat, const int32_t* kplies, const int32_t* ksec, const int32_t* kdmg);

/* deallocall: frees the shared data of an analysis: step ids, the per-ply
 * material and section arrays, node and element data, impactor and load
 * properties, the damage store, buckling lists and fatigue cycles. Left as
 * they are: counters (ndmg, nsec, nplies, nelem, ...) and scalars, the resin
 * calibration tables of materialdata (temperatures, flowprops, secantprops,
 * ..., equivalentstress), the impactor element state csvars, the error
 * record, the growable lists and the check-in list.
 *   istat (out) always 0 */
void deallocall(int32_t* istat);

/* datahandling_allocatearray: gives one of the library's array data (such as
 * &sectiondata_plythickness) new storage: the old storage is released and,
 * when the first extent is at least 1, zero-filled storage of the given
 * extents is allocated (a first extent of 0 leaves the array unallocated, as
 * assigning such an array from Python does). A Python array that views the
 * old storage keeps it; a C pointer to it is no longer valid. A failed
 * allocation ends the process with "Error allocating N bytes".
 *   a       (in/out) the datum's descriptor; base, extents and isallocated
 *           describe the new storage
 *   extents (in)  a->rank extents; an extent below 0 counts as 0 */
void datahandling_allocatearray(vx_array* a, const int64_t* extents);

/* datahandling_deallocatearray: releases the storage of one of the library's
 * array data: afterwards base is NULL, the extents are 0 and isallocated is 0.
 * An unallocated array stays as it is.
 *   a (in/out) the datum's descriptor */
void datahandling_deallocatearray(vx_array* a);

#ifdef __cplusplus
}
#endif
#endif
