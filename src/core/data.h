// Process-wide data of the library: one copy per process, zero and
// unallocated at load.
//
// Each datum is an exported object with C linkage named component_name
// (sectiondata_nsec, errorhandling_errstat), so that C callers, the Python
// module and the library itself all reach the one copy; C++ code names it
// vx::component::name. An array datum is a vx::Array, whose layout is the
// public descriptor vx_array.
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

// The process-wide data, one entry per datum: X(component, name, kind, p)
// with kind i4 (int32_t), f8 (double), text (char[p]), iarr (int32_t array
// of rank p) or rarr (double array of rank p). Each datum is
// vx::component::name in C++, component_name in C and component.name in
// Python; the list gives its declaration here, its definition in data.cpp, its
// entry in the Python table of the data, and the tests hold the public
// headers to it.
#define VX_PROCESS_DATA(X) \
  X(jobdata, stepcount, i4, 0) \
  X(jobdata, nsteps, i4, 0) \
  X(jobdata, solverid, i4, 0) \
  X(jobdata, stepid, iarr, 1) \
  X(jobdata, processid, iarr, 1) \
  X(jobdata, jobname, text, 256) \
  X(jobdata, joboutdir, text, 256) \
  X(jobdata, jobfilepath, text, 256) \
  X(debugdata, nupdate, i4, 0) \
  X(debugdata, edebug, i4, 0) \
  X(debugdata, ndebug, i4, 0) \
  X(debugdata, fdebug, i4, 0) \
  X(debugdata, verbose, i4, 0) \
  X(debugdata, unitid, i4, 0) \
  X(loaddata, nimp, i4, 0) \
  X(loaddata, dprops, rarr, 2) \
  X(impactdata, cprops, rarr, 2) \
  X(impactdata, csvars, rarr, 2) \
  X(shokriehdata, cycleprops, rarr, 2) \
  X(shokriehdata, cycles, rarr, 2) \
  X(shokriehdata, dnf, f8, 0) \
  X(shokriehdata, dnfshok, f8, 0) \
  X(materialdata, modelid, i4, 0) \
  X(materialdata, ntempdata, i4, 0) \
  X(materialdata, nflowdata, i4, 0) \
  X(materialdata, nsecantdata, i4, 0) \
  X(materialdata, nalpha1data, i4, 0) \
  X(materialdata, nalpha2data, i4, 0) \
  X(materialdata, nalpha3data, i4, 0) \
  X(materialdata, nnormaldata, i4, 0) \
  X(materialdata, nsheardata, i4, 0) \
  X(materialdata, matidlist, iarr, 2) \
  X(materialdata, pfflags, iarr, 3) \
  X(materialdata, peflags, iarr, 3) \
  X(materialdata, pelimits, rarr, 3) \
  X(materialdata, peprops, rarr, 3) \
  X(materialdata, psprops, rarr, 3) \
  X(materialdata, pfprops, rarr, 3) \
  X(materialdata, phprops, rarr, 3) \
  X(materialdata, pdprops, rarr, 3) \
  X(materialdata, cuprops, rarr, 4) \
  X(materialdata, temperatures, rarr, 1) \
  X(materialdata, flowprops, rarr, 3) \
  X(materialdata, secantprops, rarr, 3) \
  X(materialdata, normalprops, rarr, 3) \
  X(materialdata, shearprops, rarr, 3) \
  X(materialdata, alpha1props, rarr, 3) \
  X(materialdata, alpha2props, rarr, 3) \
  X(materialdata, alpha3props, rarr, 3) \
  X(materialdata, regularization, rarr, 1) \
  X(materialdata, r_crit, rarr, 1) \
  X(materialdata, i10, rarr, 1) \
  X(materialdata, equivalentstress, rarr, 2) \
  X(sectiondata, nsec, i4, 0) \
  X(sectiondata, nplies, i4, 0) \
  X(sectiondata, secidlist, iarr, 1) \
  X(sectiondata, seflags, iarr, 2) \
  X(sectiondata, xcstrength, rarr, 1) \
  X(sectiondata, plythickness, rarr, 2) \
  X(sectiondata, plyorientation, rarr, 2) \
  X(sectiondata, plyzcoord, rarr, 2) \
  X(sectiondata, sehmatrix, rarr, 3) \
  X(sectiondata, sefmatrix, rarr, 3) \
  X(sectiondata, nsectionpoints, iarr, 1) \
  X(sectiondata, sestress, rarr, 4) \
  X(sectiondata, sestrain, rarr, 4) \
  X(sectiondata, tnormalstress, rarr, 2) \
  X(sectiondata, tshearstress, rarr, 4) \
  X(sectiondata, seuser, rarr, 4) \
  X(sectiondata, seprops, rarr, 4) \
  X(nodaldata, nnodes, i4, 0) \
  X(nodaldata, ndof, i4, 0) \
  X(nodaldata, nodesmotion, rarr, 3) \
  X(nodaldata, nodalcoords, rarr, 3) \
  X(nodaldata, tnodalmatrices, rarr, 4) \
  X(nodaldata, tcurvmatrices, rarr, 3) \
  X(elementdata, nelem, i4, 0) \
  X(elementdata, nsens, i4, 0) \
  X(elementdata, elemlist, iarr, 1) \
  X(elementdata, elemkind, iarr, 1) \
  X(elementdata, elemnodes, iarr, 2) \
  X(elementdata, elemcurvatures, rarr, 2) \
  X(elementdata, elemreforientation, rarr, 2) \
  X(elementdata, elemlength, rarr, 2) \
  X(elementdata, elemindices, iarr, 1) \
  X(damagedata, ndmg, i4, 0) \
  X(damagedata, damagedds, iarr, 1) \
  X(damagedata, generaldds, rarr, 3) \
  X(damagedata, fiberdds, rarr, 3) \
  X(damagedata, matrixdds, rarr, 3) \
  X(damagedata, delamdds, rarr, 3) \
  X(damagedata, coredds, rarr, 3) \
  X(damagedata, userdds, rarr, 3) \
  X(damagedata, dmgplane, rarr, 2) \
  X(damagedata, dmgpoints, rarr, 4) \
  X(damagedata, dmgshape, rarr, 2) \
  X(bukdata, bukintdatalist, iarr, 4) \
  X(bukdata, bukrealdatalist, rarr, 4) \
  X(errorhandling, errstat, i4, 0) \
  X(errorhandling, errstring, text, 80) \
  X(errorhandling, errintv, iarr, 1) \
  X(errorhandling, errrealv, rarr, 1) \
  X(errorhandling, errasciim, iarr, 2)

}  // namespace vx

#define VX_DATA_DECL_i4(name, p) int32_t name
#define VX_DATA_DECL_f8(name, p) double name
#define VX_DATA_DECL_text(name, p) char name[p]
#define VX_DATA_DECL_iarr(name, p) vx::Array<int32_t, p> name
#define VX_DATA_DECL_rarr(name, p) vx::Array<double, p> name
// Default visibility: a C program that links the library may hold the datum
// itself (a copy relocation), and the library then reaches it through its
// exported name too.
#define VX_DATA_DECLARE(comp, name, kind, p)                                          \
  extern "C" __attribute__((visibility("default"))) VX_DATA_DECL_##kind(comp##_##name, p); \
  namespace vx::comp {                                                                \
  inline constexpr auto& name = ::comp##_##name;                                      \
  }
VX_PROCESS_DATA(VX_DATA_DECLARE)
#undef VX_DATA_DECLARE
