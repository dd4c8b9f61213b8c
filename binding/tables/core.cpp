// Error record and allocation of the shared data.
#include "table.h"
#include "vexlan/core.h"

VX_ROUTINE(errorhandling, xerr, "pyerr = xerr(lop,xerrmsg,intv,realv,asciim,[pyerr])",
           "lop: i4",
           "xerrmsg: str(80)",
           "intv: i4(*)",
           "nintv: i4 = len(intv)",
           "realv: f8(*)",
           "nrealv: i4 = len(realv)",
           "asciim: i4(*,*)",
           "arows: i4 = shape(asciim,0)",
           "acols: i4 = shape(asciim,1)",
           "pyerr: i4 io = 0");
VX_ROUTINE(errorhandling, rsxerr, "reset = rsxerr(lop)",
           "reset: i4 out",
           "lop: l1");

VX_ROUTINE(datahandling, allocatenodaldata, "istat = allocatenodaldata(kdof,knodes,kelem)",
           "istat: i4 out", "kdof: i4", "knodes: i4", "kelem: i4");
VX_ROUTINE(datahandling, allocateelementdata, "istat = allocateelementdata(knodes,kelem)",
           "istat: i4 out", "knodes: i4", "kelem: i4");
VX_ROUTINE(datahandling, allocatedamagedata, "istat = allocatedamagedata(kplies,ksec,kdmg)",
           "istat: i4 out", "kplies: i4", "ksec: i4", "kdmg: i4");
VX_ROUTINE(datahandling, deallocall, "istat = deallocall()", "istat: i4 out");
