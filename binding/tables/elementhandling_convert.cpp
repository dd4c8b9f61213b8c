// Python table of the element stress format conversions of the component
// elementhandling.
#include "table.h"
#include "vexlan/elementhandling.h"

VX_ROUTINE(elementhandling, Get3DInputFromElem,
           "stress3d,strain3d,dstrain3d = get3dinputfromelem(stress_nye,strain_nye,dstrain_nye,[ncomp,transverse,itnsflag,itshrflag,isaxial])",
           VX_NYE_VECTOR(stress3d) " out",
           VX_NYE_VECTOR(strain3d) " out",
           VX_NYE_VECTOR(dstrain3d) " out",
           "stress_nye: f8(ncomp)",
           "strain_nye: f8(ncomp)",
           "dstrain_nye: f8(ncomp)",
           "ncomp: i4 = len(stress_nye) check(len(stress_nye)==ncomp) check(len(strain_nye)==ncomp) "
           "check(len(dstrain_nye)==ncomp) check(ncomp>=0)",
           "transverse: f8(6) absent \"zeros\"",
           "itnsflag: i4 absent \"0\"",
           "itshrflag: i4 absent \"0\"",
           "isaxial: l1 absent \"0, false\"");

VX_ROUTINE(elementhandling, Get3DStressFromPlaneStress,
           "stress3d,stran3d,dstran3d = get3dstressfromplanestress(stress,stran,dstran,transverse,itnsflag,itshrflag)",
           "stress: f8(3)",
           "stran: f8(3)",
           "dstran: f8(3)",
           "transverse: f8(6)",
           VX_NYE_VECTOR(stress3d) " out",
           VX_NYE_VECTOR(stran3d) " out",
           VX_NYE_VECTOR(dstran3d) " out",
           "itnsflag: i4",
           "itshrflag: i4");

VX_ROUTINE(elementhandling, Get3DStressFromPlaneStrain,
           "stress3d,stran3d,dstran3d = get3dstressfromplanestrain(stress,stran,dstran,isaxial)",
           "stress: f8(4)",
           "stran: f8(4)",
           "dstran: f8(4)",
           VX_NYE_VECTOR(stress3d) " out",
           VX_NYE_VECTOR(stran3d) " out",
           VX_NYE_VECTOR(dstran3d) " out",
           "isaxial: l1");

VX_ROUTINE(elementhandling, Get3DStressFromHex, "stress3d,stran3d,dstran3d = get3dstressfromhex(stress,stran,dstran)",
           VX_NYE_VECTOR(stress),
           VX_NYE_VECTOR(stran),
           VX_NYE_VECTOR(dstran),
           VX_NYE_VECTOR(stress3d) " out",
           VX_NYE_VECTOR(stran3d) " out",
           VX_NYE_VECTOR(dstran3d) " out");

VX_ROUTINE(elementhandling, GetElemOutputFrom3D,
           "stresselem,tangentelem = getelemoutputfrom3d(stress3d,tangent3d,n,[isaxial])",
           "stresselem: f8(n) out",
           "tangentelem: f8(n,n) out",
           VX_NYE_VECTOR(stress3d),
           VX_NYE_MATRIX(tangent3d),
           "n: i4 check(n>=0)",
           "isaxial: l1 absent \"0, false\"");

VX_ROUTINE(elementhandling, GetPlaneStressOutputFrom3D,
           "stressps,tangentps = getplanestressoutputfrom3d(stress3d,tangent3d)",
           "stressps: f8(3) out",
           "tangentps: f8(3,3) out",
           VX_NYE_VECTOR(stress3d),
           VX_NYE_MATRIX(tangent3d));

VX_ROUTINE(elementhandling, GetPlaneStrainOutputFrom3D,
           "stresspl,tangentpl = getplanestrainoutputfrom3d(stress3d,tangent3d,[isaxial])",
           "stresspl: f8(4) out",
           "tangentpl: f8(4,4) out",
           VX_NYE_VECTOR(stress3d),
           VX_NYE_MATRIX(tangent3d),
           "isaxial: l1 absent \"0, false\"");

VX_ROUTINE(elementhandling, GetHexOutputFrom3D, "stresshex,tangenthex = gethexoutputfrom3d(stress3d,tangent3d)",
           VX_NYE_VECTOR(stresshex) " out",
           VX_NYE_MATRIX(tangenthex) " out",
           VX_NYE_VECTOR(stress3d),
           VX_NYE_MATRIX(tangent3d));

VX_ROUTINE(elementhandling, GetPlaneStressEpsZZ,
           "getplanestressepszz = getplanestressepszz(e33,nu31,nu32,s11,s22)",
           "getplanestressepszz: f8 ret",
           "e33: f8",
           "nu31: f8",
           "nu32: f8",
           "s11: f8",
           "s22: f8");
