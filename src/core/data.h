// Process-wide data of the library: one copy per process, zero and
// unallocated at load.
#pragma once
#include "array.h"

namespace vx {

using IArr1 = Array<int32_t, 1>;
using IArr2 = Array<int32_t, 2>;
using IArr3 = Array<int32_t, 3>;
using IArr4 = Array<int32_t, 4>;
using RArr1 = Array<double, 1>;
using RArr2 = Array<double, 2>;
using RArr3 = Array<double, 3>;
using RArr4 = Array<double, 4>;

namespace types {
constexpr int32_t cb = 1, i2 = 2, i4 = 4, i8 = 8, sp = 4, dp = 8, qp = 16;
}

namespace jobdata {
extern int32_t stepcount, nsteps, solverid;
extern IArr1 stepid, processid;
extern char jobname[256], joboutdir[256], jobfilepath[256];
}  // namespace jobdata

namespace debugdata {
extern int32_t nupdate, edebug, ndebug, fdebug, verbose, unitid;
}

namespace loaddata {
extern int32_t nimp;
extern RArr2 dprops;
}  // namespace loaddata

namespace impactdata {
extern RArr2 cprops, csvars;
}

namespace shokriehdata {
extern RArr2 cycleprops, cycles;
extern double dnf, dnfshok;
}  // namespace shokriehdata

namespace materialdata {
extern int32_t modelid, ntempdata, nflowdata, nsecantdata, nalpha1data, nalpha2data, nalpha3data,
    nnormaldata, nsheardata;
extern IArr2 matidlist;
extern IArr3 pfflags, peflags;
extern RArr3 pelimits, peprops, psprops, pfprops, phprops, pdprops;
extern RArr4 cuprops;
extern RArr1 temperatures, regularization, r_crit, i10;
extern RArr3 flowprops, secantprops, normalprops, shearprops, alpha1props, alpha2props, alpha3props;
extern RArr2 equivalentstress;
}  // namespace materialdata

namespace sectiondata {
extern int32_t nsec, nplies;
extern IArr1 secidlist, nsectionpoints;
extern IArr2 seflags;
extern RArr1 xcstrength;
extern RArr2 plythickness, plyorientation, plyzcoord, tnormalstress;
extern RArr3 sehmatrix, sefmatrix;
extern RArr4 sestress, sestrain, tshearstress, seuser, seprops;
}  // namespace sectiondata

namespace nodaldata {
extern int32_t nnodes, ndof;
extern RArr3 nodesmotion, nodalcoords, tcurvmatrices;
extern RArr4 tnodalmatrices;
}  // namespace nodaldata

namespace elementdata {
extern int32_t nelem, nsens;
extern IArr1 elemlist, elemkind, elemindices;
extern IArr2 elemnodes;
extern RArr2 elemcurvatures, elemreforientation, elemlength;
}  // namespace elementdata

namespace damagedata {
extern int32_t ndmg;
extern IArr1 damagedds;
extern RArr3 generaldds, fiberdds, matrixdds, delamdds, coredds, userdds;
extern RArr2 dmgplane, dmgshape;
extern RArr4 dmgpoints;
}  // namespace damagedata

namespace bukdata {
extern IArr4 bukintdatalist;
extern RArr4 bukrealdatalist;
}  // namespace bukdata

namespace errorhandling {
extern int32_t errstat;
extern char errstring[80];
extern IArr1 errintv;
extern RArr1 errrealv;
extern IArr2 errasciim;
}  // namespace errorhandling

}  // namespace vx
