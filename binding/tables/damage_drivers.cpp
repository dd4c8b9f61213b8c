// Python table of the per-mode failure drivers (component damage).
#include "table.h"
#include "vexlan/damage_drivers.h"

// The ply counts are inferred from the property arrays and checked against
// every array of plies, read or not.
#define VX_PLY_EXTENTS "layer: i4", "nlayer: i4", "isec: i4", "nsec: i4"

VX_ROUTINE(damage, generalfailure,
           "fgp,rgp = generalfailure(plystress,psprops,plyorientation,layer,isec,gpflag,[nlayer,nsec])",
           "fgp: f8 out",
           "rgp: f8 out",
           VX_NYE_VECTOR(plystress),
           VX_MATERIAL_STRENGTH(nlayer),
           VX_SECTION_ORIENTATION(nlayer),
           VX_PLY_EXTENTS,
           "gpflag: i4");

VX_ROUTINE(damage, fiberbreakage,
           "ffb,rfb = fiberbreakage(plystress,peprops,psprops,plyorientation,layer,isec,fbflag,[nlayer,nsec])",
           "ffb: f8 out",
           "rfb: f8 out",
           VX_NYE_VECTOR(plystress),
           VX_MATERIAL_ELASTIC(nlayer),
           VX_MATERIAL_STRENGTH(nlayer),
           VX_SECTION_ORIENTATION(nlayer),
           VX_PLY_EXTENTS,
           "fbflag: i4");

VX_ROUTINE(damage, MatrixCracking,
           "fmc,rmc,outtheta = matrixcracking(plystress,peprops,psprops,pdprops,plyorientation,layer,isec,mcflag,"
           "[nlayer,nsec,nprops,outtheta,defreal])",
           "fmc: f8 out",
           "rmc: f8 out",
           VX_NYE_VECTOR(plystress),
           VX_MATERIAL_ELASTIC(nlayer),
           VX_MATERIAL_STRENGTH(nlayer),
           "pdprops: f8(nprops,nlayer,nsec)",
           VX_SECTION_ORIENTATION(nlayer),
           VX_PLY_EXTENTS,
           "nprops: i4 = shape(pdprops,0) check(shape(pdprops,0)==nprops)",
           "mcflag: i4",
           "outtheta: f8 io = -1.0",
           "defreal: f8 = 1.7976931348623157e+308");

VX_ROUTINE(damage, delamination,
           "fdel,rdel = delamination(s33i,lplystress,uplystress,peprops,psprops,plyorientation,plythickness,layer,"
           "isec,delflag,[nlayer,nsec])",
           "fdel: f8 out",
           "rdel: f8 out",
           "s33i: f8",
           VX_NYE_VECTOR(lplystress),
           VX_NYE_VECTOR(uplystress),
           VX_MATERIAL_ELASTIC(nlayer),
           VX_MATERIAL_STRENGTH(nlayer),
           VX_SECTION_ORIENTATION(nlayer),
           VX_SECTION_THICKNESS(nlayer),
           VX_PLY_EXTENTS,
           "delflag: i4");

VX_ROUTINE(damage, corecrushing,
           "fcc,rcc = corecrushing(plystress,psprops,plyorientation,layer,isec,ccflag,[nlayer,nsec])",
           "fcc: f8 out",
           "rcc: f8 out",
           VX_NYE_VECTOR(plystress),
           VX_MATERIAL_STRENGTH(nlayer),
           VX_SECTION_ORIENTATION(nlayer),
           VX_PLY_EXTENTS,
           "ccflag: i4");
