/* Material data (component materialdata): process-wide data, one copy per process.
 *
 * Each datum is an exported object named materialdata_<name>, the datum that
 * Python shows as _vexlan.materialdata.<name>: the same storage, so that what one
 * side writes the other reads. Scalars are read and set in place; texts are
 * blank-padded, not NUL-terminated (zero bytes until first set). Arrays are
 * vx_array descriptors (vexlan/types.h), unallocated at load: read and write
 * their elements through base, column-major, and give them new storage with
 * datahandling_allocatearray. No thread safety: one thread at a time. */
#ifndef VEXLAN_MATERIALDATA_H
#define VEXLAN_MATERIALDATA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

extern int32_t materialdata_modelid;           /* resin model identifier */
extern int32_t materialdata_ntempdata;         /* number of merged temperatures (>= 1) */
extern int32_t materialdata_nflowdata;         /* points of the plastic-flow table (>= 1) */
extern int32_t materialdata_nsecantdata;       /* points of the secant-modulus table (>= 1) */
extern int32_t materialdata_nalpha1data;       /* points of the thermal-expansion table 1 (>= 1) */
extern int32_t materialdata_nalpha2data;       /* points of the thermal-expansion table 2 (>= 1) */
extern int32_t materialdata_nalpha3data;       /* points of the thermal-expansion table 3 (>= 1) */
extern int32_t materialdata_nnormaldata;       /* points of the normal table (>= 1) */
extern int32_t materialdata_nsheardata;        /* points of the shear table (>= 1) */

/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array materialdata_matidlist;          /* int32_t (nplies, nsec) material id of each ply;
                                                    2147483647 none */
extern vx_array materialdata_pfflags;            /* int32_t (5, nplies, nsec) failure-criterion
                                                    selector per mode */
extern vx_array materialdata_peflags;            /* int32_t (5, nplies, nsec) damage-evolution
                                                    selector per mode */
extern vx_array materialdata_pelimits;           /* double (12, nplies, nsec) damage limits; -1 not
                                                    given */
extern vx_array materialdata_peprops;            /* double (ne x nt, nplies, nsec) E1 E2 E3 nu12
                                                    nu13 nu23 G12 G13 G23 (and further values) per
                                                    temperature block */
extern vx_array materialdata_psprops;            /* double (ns x nt, nplies, nsec) strengths Xt Yt
                                                    Zt Xc Yc Zc S12 S13 S23 and interlaminar shear
                                                    per temperature block */
extern vx_array materialdata_pfprops;            /* double (values, nplies, nsec) fracture
                                                    properties */
extern vx_array materialdata_phprops;            /* double (values, nplies, nsec) hygrothermal
                                                    properties */
extern vx_array materialdata_pdprops;            /* double (values, nplies, nsec) failure-model
                                                    parameters, ended by the largest real */
extern vx_array materialdata_cuprops;            /* double (K, 8, nplies, nsec) curing data of eight
                                                    kinds */
extern vx_array materialdata_temperatures;       /* double (nt) merged temperatures */
extern vx_array materialdata_flowprops;          /* double (nt, points, 2) plastic-flow table */
extern vx_array materialdata_secantprops;        /* double (nt, nsecantdata, 2) secant-modulus table */
extern vx_array materialdata_normalprops;        /* double (nt, nnormaldata, 2) normal table */
extern vx_array materialdata_shearprops;         /* double (nt, nsheardata, 2) shear table */
extern vx_array materialdata_alpha1props;        /* double (nt, nalpha1data, 2) thermal-expansion
                                                    table 1 */
extern vx_array materialdata_alpha2props;        /* double (nt, nalpha2data, 2) thermal-expansion
                                                    table 2 */
extern vx_array materialdata_alpha3props;        /* double (nt, nalpha3data, 2) thermal-expansion
                                                    table 3 */
extern vx_array materialdata_regularization;     /* double regularisation values of the resin model */
extern vx_array materialdata_r_crit;             /* double critical ratios of the fatigue life
                                                    routine */
extern vx_array materialdata_i10;                /* double values of the +I10 item */
extern vx_array materialdata_equivalentstress;   /* double (points, 2) equivalent-stress table */
#endif

#ifdef __cplusplus
}
#endif
#endif
