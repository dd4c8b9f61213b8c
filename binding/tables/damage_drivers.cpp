// Python table of the per-mode failure drivers (component damage).
#include "table.h"
#include "vexlan/damage_drivers.h"

#define VX_PLY_EXTENTS(ARR)                                                        \
  "layer: i4", "nlayer: i4 = shape(" ARR ",1) check(shape(" ARR ",1)==nlayer)",         \
      "isec: i4", "nsec: i4 = shape(" ARR ",2) check(shape(" ARR ",2)==nsec)"

VX_ROUTINE(damage, generalfailure,
           "fgp,rgp = generalfailure(plystress,psprops,plyorientation,layer,isec,gpflag,[nlayer,nsec])",
           "fgp: f8 out",
           "rgp: f8 out",
           "plystress: f8(6)",
           "psprops: f8(10,nlayer,nsec) check(shape(psprops,0)==10)",
           "plyorientation: f8(nlayer,nsec)",
           VX_PLY_EXTENTS("psprops"),
           "gpflag: i4");

VX_ROUTINE(damage, fiberbreakage,
           "ffb,rfb = fiberbreakage(plystress,peprops,psprops,plyorientation,layer,isec,fbflag,[nlayer,nsec])",
           "ffb: f8 out",
           "rfb: f8 out",
           "plystress: f8(6)",
           "peprops: f8(9,nlayer,nsec) check(shape(peprops,0)==9)",
           "psprops: f8(10,nlayer,nsec) check(shape(psprops,0)==10)",
           "plyorientation: f8(nlayer,nsec)",
           VX_PLY_EXTENTS("peprops"),
           "fbflag: i4");

VX_ROUTINE(damage, MatrixCracking,
           "fmc,rmc,outtheta = matrixcracking(plystress,peprops,psprops,pdprops,plyorientation,layer,isec,mcflag,"
           "[nlayer,nsec,nprops,outtheta,defreal])",
           "fmc: f8 out",
           "rmc: f8 out",
           "plystress: f8(6)",
           "peprops: f8(9,nlayer,nsec) check(shape(peprops,0)==9)",
           "psprops: f8(10,nlayer,nsec) check(shape(psprops,0)==10)",
           "pdprops: f8(nprops,nlayer,nsec)",
           "plyorientation: f8(nlayer,nsec)",
           VX_PLY_EXTENTS("peprops"),
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
           "lplystress: f8(6)",
           "uplystress: f8(6)",
           "peprops: f8(9,nlayer,nsec) check(shape(peprops,0)==9)",
           "psprops: f8(10,nlayer,nsec) check(shape(psprops,0)==10)",
           "plyorientation: f8(nlayer,nsec)",
           "plythickness: f8(nlayer,nsec)",
           VX_PLY_EXTENTS("peprops"),
           "delflag: i4");

VX_ROUTINE(damage, corecrushing,
           "fcc,rcc = corecrushing(plystress,psprops,plyorientation,layer,isec,ccflag,[nlayer,nsec])",
           "fcc: f8 out",
           "rcc: f8 out",
           "plystress: f8(6)",
           "psprops: f8(10,nlayer,nsec) check(shape(psprops,0)==10)",
           "plyorientation: f8(nlayer,nsec)",
           VX_PLY_EXTENTS("psprops"),
           "ccflag: i4");
