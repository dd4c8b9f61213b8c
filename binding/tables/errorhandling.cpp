// Python table of the error record.
#include "table.h"
#include "vexlan/errorhandling.h"

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
           "pyerr: i4 = 0");
VX_ROUTINE(errorhandling, rsxerr, "reset = rsxerr(lop)",
           "reset: i4 out",
           "lop: l1");
