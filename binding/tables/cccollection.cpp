// Python table of the core-crushing criteria (component cccollection).
#include "table.h"
#include "vexlan/cccollection.h"

#define S(x) "" #x ": f8"

VX_ROUTINE(cccollection, CCPetras, "rcc = ccpetras(s33u,s33m,s33l,taou,taom,taol,xc33,x13,x23)",
           "rcc: f8 out", S(s33u), S(s33m), S(s33l), "taou: f8(2)", "taom: f8(2)", "taol: f8(2)", S(xc33), S(x13),
           S(x23));

VX_ROUTINE(cccollection, CCBesant, "rcc = ccbesant(s33u,s33m,s33l,taou,taom,taol,xc33,x13,x23,besantexponent)",
           "rcc: f8 out", S(s33u), S(s33m), S(s33l), "taou: f8(2)", "taom: f8(2)", "taol: f8(2)", S(xc33), S(x13),
           S(x23), S(besantexponent));
