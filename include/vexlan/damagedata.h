/* Damage store (component damagedata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named damagedata_<name>, the datum that
 * Python shows as _vexlan.damagedata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_DAMAGEDATA_H
#define VEXLAN_DAMAGEDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t damagedata_ndmg;        /* number of damages */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array damagedata_damagedds;    /* int32_t (1) initialisation marker: -1 after allocation,
                                            0 once zeroed */
extern vx_array damagedata_generaldds;   /* double (3, nplies, ndmg) half-axes a, b of general
                                            failure regions */
extern vx_array damagedata_fiberdds;     /* double (3, nplies, ndmg) fibre breakage regions */
extern vx_array damagedata_matrixdds;    /* double (3, nplies, ndmg) matrix cracking regions */
extern vx_array damagedata_delamdds;     /* double (3, max(nplies - 1, 1), ndmg) delamination
                                            regions per interface; rows a, b, angle */
extern vx_array damagedata_coredds;      /* double (3, nplies, ndmg) core crushing regions */
extern vx_array damagedata_userdds;      /* double (3, nplies, ndmg) user-defined regions */
extern vx_array damagedata_dmgplane;     /* double (values, ndmg) origin x, y, angle and further
                                            position values */
extern vx_array damagedata_dmgpoints;    /* double (points, nplies, 6, ndmg) outline points; largest
                                            real unused */
extern vx_array damagedata_dmgshape;     /* double (two indices) for the caller */
#endif

#ifdef __cplusplus
}
#endif
#endif
