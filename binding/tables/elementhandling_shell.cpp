// Python table of the shell kinematics and the transverse stress recovery of
// the component elementhandling.
#include "table.h"
#include "vexlan/elementhandling.h"

VX_ROUTINE(elementhandling, ShellJacobian, "jac,nshape = shelljacobian(ncoords,xi,eta,[inodes])",
           "jac: f8(2,2) out",
           "nshape: f8(inodes,6) out",
           "ncoords: f8(3,inodes)",
           "xi: f8",
           "eta: f8",
           "inodes: i4 = shape(ncoords,1) check(shape(ncoords,1)==inodes) check(inodes>=0)");

VX_ROUTINE(elementhandling, ShellJacobianInverse, "jacinv = shelljacobianinverse(jac)",
           "jacinv: f8(2,2) out", "jac: f8(2,2)");
VX_ROUTINE(elementhandling, ShellFirstDerivJacobian, "jac1 = shellfirstderivjacobian(jac)",
           "jac1: f8(3,3) out", "jac: f8(2,2)");
VX_ROUTINE(elementhandling, ShellFirstDerivJacobianInverse, "jac1inv = shellfirstderivjacobianinverse(jac1)",
           "jac1inv: f8(3,3) out", "jac1: f8(3,3)");

VX_ROUTINE(elementhandling, ShellSecondDerivJacobian,
           "jac2 = shellsecondderivjacobian(nshape,ncoords,xi,eta,[inodes])",
           "jac2: f8(3,2) out",
           "nshape: f8(inodes,6)",
           "ncoords: f8(3,inodes)",
           "xi: f8",
           "eta: f8",
           "inodes: i4 = shape(ncoords,1) check(shape(ncoords,1)==inodes) check(shape(nshape,0)==inodes) "
           "check(inodes>=0)");

#define SHELL_GEOM_ARGS "ncoords: f8(3,inodes)", "xi: f8", "eta: f8", \
                        "inodes: i4 = shape(ncoords,1) check(shape(ncoords,1)==inodes) check(inodes>=0)"

VX_ROUTINE(elementhandling, ShellBMatrix, "b = shellbmatrix(ncoords,xi,eta,[inodes])",
           "b: f8(8,40) out", SHELL_GEOM_ARGS);
VX_ROUTINE(elementhandling, ShellxDerivBMatrix, "xderivb = shellxderivbmatrix(ncoords,xi,eta,[inodes])",
           "xderivb: f8(2,40) out", SHELL_GEOM_ARGS);
VX_ROUTINE(elementhandling, ShellyDerivBMatrix, "yderivb = shellyderivbmatrix(ncoords,xi,eta,[inodes])",
           "yderivb: f8(2,40) out", SHELL_GEOM_ARGS);
VX_ROUTINE(elementhandling, ShellxDerivShearForces,
           "xderivr = shellxderivshearforces(u,hmat,ncoords,xi,eta,[inodes])",
           "xderivr: f8(2) out", "u: f8(40)", "hmat: f8(2,2)", SHELL_GEOM_ARGS);
VX_ROUTINE(elementhandling, ShellyDerivShearForces,
           "yderivr = shellyderivshearforces(u,hmat,ncoords,xi,eta,[inodes])",
           "yderivr: f8(2) out", "u: f8(40)", "hmat: f8(2,2)", SHELL_GEOM_ARGS);

VX_ROUTINE(elementhandling, GetDisplacementVector, "u = getdisplacementvector(nmotion,[inodes,mdof])",
           "u: f8(40) out",
           "nmotion: f8(mdof,inodes)",
           "inodes: i4 = shape(nmotion,1) check(shape(nmotion,1)==inodes) check(inodes>=0)",
           "mdof: i4 = shape(nmotion,0) check(shape(nmotion,0)==mdof)");

VX_ROUTINE(elementhandling, GetCurvatures, "delta,kappa = getcurvatures(nshape,lncoords,[inodes])",
           "delta: f8 out",
           "kappa: f8(2) out",
           "nshape: f8(inodes,6)",
           "lncoords: f8(inodes,3)",
           "inodes: i4 = shape(nshape,0) check(shape(nshape,0)==inodes) check(shape(lncoords,0)==inodes)");

VX_ROUTINE(elementhandling, GetSectionRefOrientation, "theta = getsectionreforientation(so,nvector,r12)",
           "theta: f8 out", "so: f8(3)", "nvector: f8(3)", "r12: f8(3)");

VX_ROUTINE(elementhandling, GetNodalShape, "nshape = getnodalshape(locnode,inodes)",
           "nshape: f8(inodes,6) out", "locnode: i4", "inodes: i4 check(inodes>=0)");

VX_ROUTINE(elementhandling, GetNodalTransformation, "ti = getnodaltransformation(on,inodes)",
           "ti: f8(3,3,8) out", "on: f8(8,3)", "inodes: i4");

VX_ROUTINE(elementhandling, GetElementTransformation,
           "tcurv,origin,kappa = getelementtransformation(on,refdir,inodes)",
           "tcurv: f8(3,3) out", "origin: f8(3) out", "kappa: f8(2) out", "on: f8(8,3)", "refdir: f8(7)",
           "inodes: i4");

VX_ROUTINE(elementhandling, GetNodeReferenceData, "lop = getnodereferencedata([tflag])",
           "lop: i4 out", "tflag: i4 absent \"0, the coordinates replaced\"");

VX_ROUTINE(elementhandling, GetShellTransverseStresses,
           "tnormalstress,tshearstress = getshelltransversestresses(tnormalstress,tshearstress,nodalcoords,nodesmotion,sestress,sehmatrix,sefmatrix,plyorientation,plythickness,plyzcoord,plyelastic,elemsectionpoints,elemcurvatures,elemkind,sectionlist,elemid,gpid,secid,itnsflag,itshrflag,[nplies,nsec,nzcoord,nintpoint,ndof,nnodes,nelem,overwrite_tnormalstress,overwrite_tshearstress])",
           "tnormalstress: f8(nzcoord,nelem) io",
           "tshearstress: f8(nintpoint,2,4,nelem) io",
           "nodalcoords: f8(3,nnodes,nelem)",
           "nodesmotion: f8(ndof,nnodes,nelem)",
           "sestress: f8(6,nintpoint,4,nelem)",
           "sehmatrix: f8(2,2,nsec)",
           "sefmatrix: f8(nzcoord,4,nsec)",
           VX_SECTION_ORIENTATION(nplies),
           VX_SECTION_THICKNESS(nplies),
           "plyzcoord: f8(nzcoord,nsec)",
           VX_SECTION_ELASTIC(nplies),
           "elemsectionpoints: i4(nelem)",
           "elemcurvatures: f8(2,nelem)",
           "elemkind: i4(nelem)",
           VX_SECTION_LIST(nplies),
           "elemid: i4",
           "gpid: i4",
           "secid: i4",
           "itnsflag: i4",
           "itshrflag: i4",
           "nplies: i4",
           "nsec: i4",
           "nzcoord: i4 = shape(plyzcoord,0) check(shape(plyzcoord,0)==nzcoord) check(shape(sefmatrix,0)==nzcoord) "
           "check(shape(tnormalstress,0)==nzcoord) check(nzcoord==2*nplies+1)",
           "nintpoint: i4",
           "ndof: i4",
           "nnodes: i4",
           "nelem: i4");

VX_ROUTINE(elementhandling, GetCenterNodes, "center = getcenternodes(vertices,[ndim,npt])",
           "center: f8(ndim,npt) out",
           "vertices: f8(ndim,npt)",
           "ndim: i4 = shape(vertices,0) check(shape(vertices,0)==ndim)",
           "npt: i4 = shape(vertices,1) check(shape(vertices,1)==npt)");

VX_ROUTINE(elementhandling, GetHex8ElemLength, "elemlength = gethex8elemlength(matcos,nodalcoord)",
           "elemlength: f8(3) out", "matcos: f8(3,3)", "nodalcoord: f8(3,8)");

VX_ROUTINE(elementhandling, GetQuad4ElemLength, "elemlength = getquad4elemlength(tdirect,nodalcoord)",
           "elemlength: f8(3) out", "tdirect: f8(3,3)", "nodalcoord: f8(3,4)");
