// Python table of the core-crushing criteria (component cccollection).
#include "table.h"
#include "vexlan/cccollection.h"

VX_ROUTINE(cccollection, CCPetras, "rcc = ccpetras(s33u,s33m,s33l,taou,taom,taol,xc33,x13,x23)",
           "rcc: f8 out", VX_REAL(s33u), VX_REAL(s33m), VX_REAL(s33l), "taou: f8(2)", "taom: f8(2)", "taol: f8(2)",
           VX_REAL(xc33), VX_REAL(x13),
           VX_REAL(x23));

VX_ROUTINE(cccollection, CCBesant, "rcc = ccbesant(s33u,s33m,s33l,taou,taom,taol,xc33,x13,x23,besantexponent)",
           "rcc: f8 out", VX_REAL(s33u), VX_REAL(s33m), VX_REAL(s33l), "taou: f8(2)", "taom: f8(2)", "taol: f8(2)",
           VX_REAL(xc33), VX_REAL(x13),
           VX_REAL(x23), VX_REAL(besantexponent));
