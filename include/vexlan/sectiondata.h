/* Section data (component sectiondata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named sectiondata_<name>, the datum that
 * Python shows as _vexlan.sectiondata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_SECTIONDATA_H
#define VEXLAN_SECTIONDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t sectiondata_nsec;            /* number of sections */
extern int32_t sectiondata_nplies;          /* plies per section */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array sectiondata_secidlist;        /* int32_t (nsec) section id of each section block */
extern vx_array sectiondata_seflags;          /* int32_t (2, nsec) the two integers of +Extension */
extern vx_array sectiondata_xcstrength;       /* double (nsec) the section's +Strength value */
extern vx_array sectiondata_plythickness;     /* double (nplies, nsec) ply thicknesses */
extern vx_array sectiondata_plyorientation;   /* double (nplies, nsec) ply angles in degrees */
extern vx_array sectiondata_plyzcoord;        /* double (1 + 2 nplies, nsec) z of bottom and middle
                                                 of each ply, then the top, ply 1 at the bottom,
                                                 from the mid-plane */
extern vx_array sectiondata_sehmatrix;        /* double (2, 2, nsec) transverse-shear stiffness H of
                                                 each section */
extern vx_array sectiondata_sefmatrix;        /* double (1 + 2 nplies, 4, nsec) transverse shear
                                                 stress distribution per ply point */
extern vx_array sectiondata_nsectionpoints;   /* int32_t (nelem) section points of each element */
extern vx_array sectiondata_sestress;         /* double (6, M nplies, P, nelem) stored section
                                                 stresses */
extern vx_array sectiondata_sestrain;         /* double (four indices) stored section strains */
extern vx_array sectiondata_tnormalstress;    /* double (1 + 2 nplies, nelem) through-thickness
                                                 normal stress */
extern vx_array sectiondata_tshearstress;     /* double (M nplies, 2, 4, nelem) through-thickness
                                                 shear stresses */
extern vx_array sectiondata_seuser;           /* double (four indices) for the caller */
extern vx_array sectiondata_seprops;          /* double (four indices) for the caller */
#endif

#ifdef __cplusplus
}
#endif
#endif
