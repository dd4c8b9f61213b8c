/* Public C interface of the composite-mechanics library.
 *
 * Conventions of every exported routine:
 *  - every argument is passed by address; an absent optional argument is NULL;
 *  - integers are int32_t, reals double, complex vx_complex, 1-byte logicals vx_l1;
 *  - arrays are contiguous, column-major, 1-based in the documentation, with their
 *    extents passed as separate int32_t arguments; where a routine takes an array
 *    of any length with no extent argument of its own, its extents follow the
 *    array directly;
 *  - a text argument is a pointer to its characters (blank padded, no NUL needed)
 *    and its length is a hidden size_t argument appended after all explicit
 *    arguments, in argument order; a routine whose result is a text takes the
 *    result buffer and its length as its first two arguments;
 *  - failures are recorded in the error record (errorhandling) and the routine
 *    returns; see each routine for its status values;
 *  - the process-wide data are exported objects named component_datum
 *    (errorhandling_errstat, sectiondata_plythickness), arrays as vx_array
 *    descriptors; see vexlan/types.h and each data component's header.
 */
#ifndef VEXLAN_H
#define VEXLAN_H
#include "vexlan/types.h"
#include "vexlan/errorhandling.h"
/* Process-wide data */
#include "vexlan/jobdata.h"
#include "vexlan/debugdata.h"
#include "vexlan/loaddata.h"
#include "vexlan/impactdata.h"
#include "vexlan/shokriehdata.h"
#include "vexlan/materialdata.h"
#include "vexlan/sectiondata.h"
#include "vexlan/nodaldata.h"
#include "vexlan/elementdata.h"
#include "vexlan/damagedata.h"
#include "vexlan/bukdata.h"
#include "vexlan/datahandling.h"
#include "vexlan/utility.h"
#include "vexlan/stringhandling.h"
#include "vexlan/listhandling.h"
#include "vexlan/math_linalg.h"
#include "vexlan/math_roots.h"
#include "vexlan/math_golden.h"
#include "vexlan/math_geometry.h"
#include "vexlan/math_scalar.h"
#include "vexlan/math_tables.h"
#include "vexlan/signalprocessing.h"
#include "vexlan/imageprocessing.h"
#include "vexlan/interp.h"
#include "vexlan/pchip.h"
/* Material models */
#include "vexlan/lamina.h"
#include "vexlan/nlcollection.h"
#include "vexlan/isscollection.h"
#include "vexlan/interaction.h"
#include "vexlan/permcollection.h"
#include "vexlan/resin.h"
#include "vexlan/micromechanic.h"
#include "vexlan/elasticity.h"
/* Laminate and element mechanics */
#include "vexlan/laminate.h"
#include "vexlan/laminate_shear.h"
#include "vexlan/laminate_effective.h"
#include "vexlan/sublaminate.h"
#include "vexlan/elementhandling.h"
#include "vexlan/sldcollection.h"
#include "vexlan/truss3.h"
#include "vexlan/tria6.h"
#include "vexlan/quad4.h"
#include "vexlan/quad8.h"
#include "vexlan/hex8.h"
/* Failure, damage and degradation */
#include "vexlan/gpcollection.h"
#include "vexlan/fbcollection.h"
#include "vexlan/mccollection.h"
#include "vexlan/delcollection.h"
#include "vexlan/cccollection.h"
#include "vexlan/damage_drivers.h"
#include "vexlan/damage_store.h"
#include "vexlan/dic.h"
#include "vexlan/evocollection.h"
#include "vexlan/fracture.h"
#include "vexlan/degradation.h"
#include "vexlan/degradation_fatigue.h"
#include "vexlan/degradation_cdm.h"
/* Input files */
#include "vexlan/iohandling.h"
#include "vexlan/iohandling_damagecard.h"
#include "vexlan/iohandling_printed.h"
#endif
