// Python table of the component sldcollection: concentrated, element and
// surface loads, patch shapes and tabulated amplitudes.
#include "table.h"
#include "vexlan/sldcollection.h"

VX_ROUTINE(sldcollection, cload, "f,ldflag = cload(ldflag,cforce,sname)",
           "f: f8 out",
           "ldflag: f8 io",
           "cforce: f8",
           "sname: str(*)");

VX_ROUTINE(sldcollection, deload,
           "alpha,t_user,dprops = deload(t_user,kstep,kinc,time,noel,npt,coords,dircos,jltyp,sname,cprops,dprops,[nimp,overwrite_t_user,overwrite_dprops])",
           "alpha: f8 out",
           "t_user: f8(3) io",
           "kstep: i4",
           "kinc: i4",
           "time: f8(2)",
           "noel: i4",
           "npt: i4",
           "coords: f8(3)",
           "dircos: f8(3,3)",
           "jltyp: i4",
           "sname: str(*)",
           VX_IMPACT_CONTACT,
           VX_IMPACT_LOAD " io",
           "nimp: i4 = shape(cprops,1) check(shape(cprops,1)==nimp) check(shape(dprops,1)==nimp)");

VX_ROUTINE(sldcollection, dsload,
           "alpha,t_user,dprops = dsload(t_user,kstep,coords,dircos,cprops,dprops,[nimp,elemid,overwrite_t_user,overwrite_dprops])",
           "alpha: f8 out",
           "t_user: f8(3) io",
           "kstep: i4",
           "coords: f8(3)",
           "dircos: f8(3,3)",
           VX_IMPACT_CONTACT,
           VX_IMPACT_LOAD " io",
           "nimp: i4 = shape(cprops,1) check(shape(cprops,1)==nimp) check(shape(dprops,1)==nimp)",
           "elemid: i4 = 0");

VX_ROUTINE(sldcollection, CAMPLITUDE, "amp = camplitude(xydata,xvalue,[ndata,skip])",
           "amp: f8 out",
           "xydata: f8(ndata)",
           "xvalue: f8",
           "ndata: i4 = len(xydata) check(len(xydata)==ndata) check(ndata>=0)",
           "skip: l1 absent \"0, false\"");

VX_ROUTINE(sldcollection, CHYSTERESIS, "amp,passed = chysteresis(passed,xydata,xvalue,[ndata,skip])",
           "amp: f8 out",
           "passed: f8 io",
           "xydata: f8(ndata)",
           "xvalue: f8",
           "ndata: i4 = len(xydata) check(len(xydata)==ndata) check(ndata>=0)",
           "skip: l1 absent \"0, false\"");

VX_ROUTINE(sldcollection, UniformSurfaceLoad,
           "uniformsurfaceload = uniformsurfaceload(f,relementlength,selementlength)",
           "uniformsurfaceload: f8 ret", "f: f8", "relementlength: f8", "selementlength: f8");


VX_ROUTINE(sldcollection, PyramidalSurfaceLoad,
           "pyramidalsurfaceload = pyramidalsurfaceload(f,rcorr,scorr,r0,s0,relementlength,selementlength)",
           "pyramidalsurfaceload: f8 ret", "f: f8", "rcorr: f8", "scorr: f8", "r0: f8", "s0: f8",
           "relementlength: f8", "selementlength: f8");
VX_ROUTINE(sldcollection, ParabolicSurfaceLoad,
           "parabolicsurfaceload = parabolicsurfaceload(f,rcorr,scorr,r0,s0,relementlength,selementlength)",
           "parabolicsurfaceload: f8 ret", "f: f8", "rcorr: f8", "scorr: f8", "r0: f8", "s0: f8",
           "relementlength: f8", "selementlength: f8");
VX_ROUTINE(sldcollection, HertzianSurfaceLoad,
           "hertziansurfaceload = hertziansurfaceload(f,rcorr,scorr,r0,s0,rcontradius,scontradius)",
           "hertziansurfaceload: f8 ret", "f: f8", "rcorr: f8", "scorr: f8", "r0: f8", "s0: f8",
           "rcontradius: f8", "scontradius: f8");
VX_ROUTINE(sldcollection, CosineSurfaceLoad,
           "cosinesurfaceload = cosinesurfaceload(f,rcorr,scorr,r0,s0,relementlength,selementlength)",
           "cosinesurfaceload: f8 ret", "f: f8", "rcorr: f8", "scorr: f8", "r0: f8", "s0: f8",
           "relementlength: f8", "selementlength: f8");
VX_ROUTINE(sldcollection, SineSurfaceLoad,
           "sinesurfaceload = sinesurfaceload(f,rcorr,scorr,r0,s0,relementlength,selementlength)",
           "sinesurfaceload: f8 ret", "f: f8", "rcorr: f8", "scorr: f8", "r0: f8", "s0: f8",
           "relementlength: f8", "selementlength: f8");
