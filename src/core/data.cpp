#include "data.h"

namespace vx {

namespace jobdata {
int32_t stepcount, nsteps, solverid;
IArr1 stepid("stepid"), processid("processid");
char jobname[256], joboutdir[256], jobfilepath[256];
}  // namespace jobdata

namespace debugdata {
int32_t nupdate, edebug, ndebug, fdebug, verbose, unitid;
}

namespace loaddata {
int32_t nimp;
RArr2 dprops("dprops");
}  // namespace loaddata

namespace impactdata {
RArr2 cprops("cprops"), csvars("csvars");
}

namespace shokriehdata {
RArr2 cycleprops("cycleprops"), cycles("cycles");
double dnf, dnfshok;
}  // namespace shokriehdata

namespace materialdata {
int32_t modelid, ntempdata, nflowdata, nsecantdata, nalpha1data, nalpha2data, nalpha3data, nnormaldata,
    nsheardata;
IArr2 matidlist("matidlist");
IArr3 pfflags("pfflags"), peflags("peflags");
RArr3 pelimits("pelimits"), peprops("peprops"), psprops("psprops"), pfprops("pfprops"),
    phprops("phprops"), pdprops("pdprops");
RArr4 cuprops("cuprops");
RArr1 temperatures("temperatures"), regularization("regularization"), r_crit("r_crit"), i10("i10");
RArr3 flowprops("flowprops"), secantprops("secantprops"), normalprops("normalprops"),
    shearprops("shearprops"), alpha1props("alpha1props"), alpha2props("alpha2props"),
    alpha3props("alpha3props");
RArr2 equivalentstress("equivalentstress");
}  // namespace materialdata

namespace sectiondata {
int32_t nsec, nplies;
IArr1 secidlist("secidlist"), nsectionpoints("nsectionpoints");
IArr2 seflags("seflags");
RArr1 xcstrength("xcstrength");
RArr2 plythickness("plythickness"), plyorientation("plyorientation"), plyzcoord("plyzcoord"),
    tnormalstress("tnormalstress");
RArr3 sehmatrix("sehmatrix"), sefmatrix("sefmatrix");
RArr4 sestress("sestress"), sestrain("sestrain"), tshearstress("tshearstress"), seuser("seuser"),
    seprops("seprops");
}  // namespace sectiondata

namespace nodaldata {
int32_t nnodes, ndof;
RArr3 nodesmotion("nodesmotion"), nodalcoords("nodalcoords"), tcurvmatrices("tcurvmatrices");
RArr4 tnodalmatrices("tnodalmatrices");
}  // namespace nodaldata

namespace elementdata {
int32_t nelem, nsens;
IArr1 elemlist("elemlist"), elemkind("elemkind"), elemindices("elemindices");
IArr2 elemnodes("elemnodes");
RArr2 elemcurvatures("elemcurvatures"), elemreforientation("elemreforientation"),
    elemlength("elemlength");
}  // namespace elementdata

namespace damagedata {
int32_t ndmg;
IArr1 damagedds("damagedds");
RArr3 generaldds("generaldds"), fiberdds("fiberdds"), matrixdds("matrixdds"), delamdds("delamdds"),
    coredds("coredds"), userdds("userdds");
RArr2 dmgplane("dmgplane"), dmgshape("dmgshape");
RArr4 dmgpoints("dmgpoints");
}  // namespace damagedata

namespace bukdata {
IArr4 bukintdatalist("bukintdatalist");
RArr4 bukrealdatalist("bukrealdatalist");
}  // namespace bukdata

namespace errorhandling {
int32_t errstat;
char errstring[80];
IArr1 errintv("errintv");
RArr1 errrealv("errrealv");
IArr2 errasciim("errasciim");
}  // namespace errorhandling

}  // namespace vx
