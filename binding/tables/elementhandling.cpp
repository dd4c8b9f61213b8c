// Python table of the element data routines of the component
// elementhandling: element kinds and connectivity, node coordinates and
// motions, reference orientations, nodal patches, trusses; and the
// shape-function tables of one natural point.
#include "table.h"
#include "vexlan/elementhandling.h"

VX_ROUTINE(elementhandling, getabqelementkind, "getabqelementkind = getabqelementkind(elemtype)",
           "getabqelementkind: i4 ret",
           "elemtype: str(*)");

VX_ROUTINE(elementhandling, getabqelementconnectivity,
           "iele = getabqelementconnectivity(connectivity,elemid,elemtype,[iele,nconnect])",
           "iele: i4 io = 0",
           "connectivity: i4(nconnect)",
           "elemid: i4",
           "elemtype: str(*)",
           "nconnect: i4 = len(connectivity) check(len(connectivity)==nconnect) check(nconnect>=0)");

VX_ROUTINE(elementhandling, GetNodalCoordinates, "getnodalcoordinates(coordnp,nodeid,[ncoord,nblock])",
           "coordnp: f8(ncoord,nblock)",
           "nodeid: i4(nblock)",
           "ncoord: i4 = shape(coordnp,0) check(shape(coordnp,0)==ncoord)",
           "nblock: i4 = shape(coordnp,1) check(shape(coordnp,1)==nblock) check(len(nodeid)==nblock)");

VX_ROUTINE(elementhandling, GetNodesMotion, "getnodesmotion(ntraction,nrotation,nodeid,[ndim,nblock,defreal])",
           "ntraction: f8(3,nblock)",
           "nrotation: f8(ndim,nblock)",
           "nodeid: i4(nblock)",
           "ndim: i4 = shape(nrotation,0) check(shape(nrotation,0)==ndim)",
           "nblock: i4 = shape(ntraction,1) check(shape(ntraction,1)==nblock) check(shape(nrotation,1)==nblock)",
           "defreal: f8 absent \"1.7976931348623157e+308, the largest real\"");

VX_ROUTINE(elementhandling, ShellTractionTransformation, "shelltractiontransformation(ntrac,nrot,ti,tcurv,[ndim])",
           "ntrac: f8(3) inout",
           "nrot: f8(ndim) inout",
           "ti: f8(3,3)",
           "tcurv: f8(3,3)",
           "ndim: i4 = len(nrot) check(len(nrot)==ndim) check(ndim>=0)");

VX_ROUTINE(elementhandling, GetElementRefOrientation,
           "istatus = getelementreforientation(ind,t,tdirect,plyorientation,noel,kspt,layid,secid,nextid,[nplies,nsec])",
           "istatus: i4 out",
           "ind: i4",
           "t: f8(3,3)",
           "tdirect: f8(3,3)",
           "plyorientation: f8(nplies,nsec)",
           "noel: i4",
           "kspt: i4",
           "layid: i4",
           "secid: i4",
           "nplies: i4 = shape(plyorientation,0) check(shape(plyorientation,0)==nplies)",
           "nsec: i4 = shape(plyorientation,1) check(shape(plyorientation,1)==nsec)",
           "nextid: i4");

VX_ROUTINE(elementhandling, GetABQElementOrientation, "getabqelementorientation = getabqelementorientation(rm,tdirect)",
           "getabqelementorientation: f8 ret",
           "rm: f8(3)",
           "tdirect: f8(3,3)");

VX_ROUTINE(elementhandling, GetElementReferenceData, "nshell,ierror = getelementreferencedata(ind)",
           "nshell: i4 out",
           "ierror: i4 out",
           "ind: i4");

VX_ROUTINE(elementhandling, GetNodalPatch,
           "getnodalpatch(nodalpatch,nodalcoords,elemnodes,elemid,[npt,nnodes,nelem,tolerance,exflag,ntree,recursion])",
           "nodalpatch: f8(3,npt) inout",
           "nodalcoords: f8(3,nnodes,nelem)",
           "elemnodes: i4(nnodes,nelem)",
           "elemid: i4",
           "npt: i4 = shape(nodalpatch,1) check(shape(nodalpatch,1)==npt)",
           "nnodes: i4 = shape(elemnodes,0) check(shape(elemnodes,0)==nnodes) check(shape(nodalcoords,1)==nnodes)",
           "nelem: i4 = shape(elemnodes,1) check(shape(elemnodes,1)==nelem) check(shape(nodalcoords,2)==nelem)",
           "tolerance: f8 absent \"1e-10\"",
           "exflag: i4 absent \"0, the seed element left out\"",
           "ntree: i4 absent \"1\"",
           "recursion: i4 absent \"0, the patch cleared first\"");

VX_ROUTINE(elementhandling, GetDataFromPatch,
           "patchdata = getdatafrompatch(refdata,patchcoords,refcoords,[ndata,npt,ndim,nnodes,nelem,tolerance])",
           "patchdata: f8(ndata,npt) out",
           "refdata: f8(ndata,nnodes,nelem)",
           "patchcoords: f8(ndim,npt)",
           "refcoords: f8(ndim,nnodes,nelem)",
           "ndata: i4 = shape(refdata,0) check(shape(refdata,0)==ndata)",
           "npt: i4 = shape(patchcoords,1) check(shape(patchcoords,1)==npt)",
           "ndim: i4 = shape(patchcoords,0) check(shape(patchcoords,0)==ndim) check(shape(refcoords,0)==ndim)",
           "nnodes: i4 = shape(refdata,1) check(shape(refdata,1)==nnodes) check(shape(refcoords,1)==nnodes)",
           "nelem: i4 = shape(refdata,2) check(shape(refdata,2)==nelem) check(shape(refcoords,2)==nelem)",
           "tolerance: f8 absent \"1e-10\"");

VX_ROUTINE(elementhandling, GetTruss3ElemLength, "elemlength = gettruss3elemlength(nodalcoord)",
           "elemlength: f8 out",
           "nodalcoord: f8(3,2)");

VX_ROUTINE(elementhandling, GetTruss3TransformationMatrix, "te = gettruss3transformationmatrix(nodalcoord)",
           "te: f8(2,6) out",
           "nodalcoord: f8(3,2)");

// ---- shape-function tables

VX_ROUTINE(elementhandling, Quad4ShapeFunMatrix, "nshape = quad4shapefunmatrix(xi,eta)",
           "nshape: f8(4,3) out", "xi: f8", "eta: f8");
VX_ROUTINE(elementhandling, Tria6ShapeFunMatrix, "nshape = tria6shapefunmatrix(xi,eta)",
           "nshape: f8(6,6) out", "xi: f8", "eta: f8");
VX_ROUTINE(elementhandling, Quad8ShapeFunMatrix, "nshape = quad8shapefunmatrix(xi,eta)",
           "nshape: f8(8,6) out", "xi: f8", "eta: f8");
VX_ROUTINE(elementhandling, Hex8ShapeFunMatrix, "nshape = hex8shapefunmatrix(xi,eta,zeta)",
           "nshape: f8(8,9) out", "xi: f8", "eta: f8", "zeta: f8");
