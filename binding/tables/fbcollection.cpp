// Python table of the fibre-breakage criteria (component fbcollection).
// Optional arguments without a default reach the routine as absent, where it
// applies its own default (the same value the signature documents).
#include "table.h"
#include "vexlan/fbcollection.h"

VX_ROUTINE(fbcollection, FBChangChang, "rfb = fbchangchang(s11,s12,xt11,xc11,x12)",
           "rfb: f8 out", VX_REAL(s11), VX_REAL(s12), VX_REAL(xt11), VX_REAL(xc11), VX_REAL(x12));

VX_ROUTINE(fbcollection, FBHashin, "rfb = fbhashin(s11,s12,s13,xt11,xc11,x12,x13,[alpha])",
           "rfb: f8 out", VX_REAL(s11), VX_REAL(s12), VX_REAL(s13), VX_REAL(xt11), VX_REAL(xc11), VX_REAL(x12),
           VX_REAL(x13), "alpha: f8 = 1.0");

VX_ROUTINE(fbcollection, FBChristensen, "rfb = fbchristensen(s11,s22,s33,xt11,xc11)",
           "rfb: f8 out", VX_REAL(s11), VX_REAL(s22), VX_REAL(s33), VX_REAL(xt11), VX_REAL(xc11));

VX_ROUTINE(fbcollection, FBBahei,
           "rfb,failmode = fbbahei(stressvector,xlnorm,xtnorm,xlshear,xtshear,mu,[nstress,failmode])",
           "rfb: f8 out", "stressvector: f8(nstress)", VX_REAL(xlnorm), VX_REAL(xtnorm), VX_REAL(xlshear),
           VX_REAL(xtshear), VX_REAL(mu),
           "nstress: i4 = len(stressvector) check(len(stressvector)==nstress) check(nstress>=1)",
           "failmode: i4 io = -1");

VX_ROUTINE(fbcollection, FBLaRC04,
           "rfb = fblarc04(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,e11,e22,g12,nu12,[gc,a0,fcl])",
           "rfb: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(x12), VX_REAL(e11), VX_REAL(e22), VX_REAL(g12), VX_REAL(nu12), VX_LARC04_TOUGHNESS,
           VX_FRACTURE_ANGLE, "fcl: i4 = 0");

VX_ROUTINE(fbcollection, FBLaRC05,
           "rfb = fblarc05(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,g12,[a0,sainc,gsflag,fcl])",
           "rfb: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(x12), VX_REAL(g12), VX_FRACTURE_ANGLE, VX_SEARCH_STEP, "gsflag: i4 = 0", "fcl: i4 = 0");

VX_ROUTINE(fbcollection, FBLaRC05_is,
           "rfb = fblarc05_is(s11,s22,s33,s12,s13,s23,xt11_std,xc11_std,xt22_std,x23_std,x12_std,g12,[a0,sainc,gsflag,fcl,x_is])",
           "rfb: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11_std), VX_REAL(xc11_std), VX_REAL(xt22_std),
           VX_REAL(x23_std), VX_REAL(x12_std), VX_REAL(g12), VX_FRACTURE_ANGLE, VX_SEARCH_STEP, "gsflag: i4 = 0",
           "fcl: i4 = 0", "x_is: f8(9) absent \"all 0.0, the standard strengths\"");
