// Python table of the component permcollection: permanent indentation.
#include "table.h"
#include "vexlan/permcollection.h"

VX_ROUTINE(permcollection, PIAirbus, "a0 = piairbus(tges,delarea)",
           "a0: f8 out", "tges: f8", "delarea: f8");

VX_ROUTINE(permcollection, PISuresh, "a0,a1 = pisuresh(amax,acr,kcce,lbnds,llesscrit)",
           "a0: f8 out", "a1: f8 out", "amax: f8", "acr: f8", "kcce: f8", "lbnds: l1",
           "llesscrit: l1");

VX_ROUTINE(permcollection, PITanSunNonLinear, "a0 = pitansunnonlinear(amax,acr)",
           "a0: f8 out", "amax: f8", "acr: f8");

VX_ROUTINE(permcollection, PITanSunLinear, "a0 = pitansunlinear(amax,acr,ksc)",
           "a0: f8 out", "amax: f8", "acr: f8", "ksc: f8");
