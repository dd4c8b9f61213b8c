// Python table of the fibre-breakage criteria (component fbcollection).
// Optional arguments without a default reach the routine as absent, where it
// applies its own default (the same value the signature documents).
#include "table.h"
#include "vexlan/fbcollection.h"

#define S(x) "" #x ": f8"

VX_ROUTINE(fbcollection, FBChangChang, "rfb = fbchangchang(s11,s12,xt11,xc11,x12)",
           "rfb: f8 out", S(s11), S(s12), S(xt11), S(xc11), S(x12));

VX_ROUTINE(fbcollection, FBHashin, "rfb = fbhashin(s11,s12,s13,xt11,xc11,x12,x13,[alpha])",
           "rfb: f8 out", S(s11), S(s12), S(s13), S(xt11), S(xc11), S(x12), S(x13), "alpha: f8 = 1.0");

VX_ROUTINE(fbcollection, FBChristensen, "rfb = fbchristensen(s11,s22,s33,xt11,xc11)",
           "rfb: f8 out", S(s11), S(s22), S(s33), S(xt11), S(xc11));

VX_ROUTINE(fbcollection, FBBahei,
           "rfb,failmode = fbbahei(stressvector,xlnorm,xtnorm,xlshear,xtshear,mu,[nstress,failmode])",
           "rfb: f8 out", "stressvector: f8(nstress)", S(xlnorm), S(xtnorm), S(xlshear), S(xtshear), S(mu),
           "nstress: i4 = len(stressvector) check(len(stressvector)>=nstress) check(nstress>=1)",
           "failmode: i4 io = -1");

VX_ROUTINE(fbcollection, FBLaRC04,
           "rfb = fblarc04(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,e11,e22,g12,nu12,[gc,a0,fcl])",
           "rfb: f8 out", S(s11), S(s22), S(s33), S(s12), S(s13), S(s23), S(xt11), S(xc11), S(xt22), S(xc22),
           S(x12), S(e11), S(e22), S(g12), S(nu12), "gc: f8(2) doc \"Default: (0.0, 0.0), the single-precision 0.35 as ratio\"", "a0: f8 doc \"Default: 53.0 (degrees)\"", "fcl: i4 = 0");

VX_ROUTINE(fbcollection, FBLaRC05,
           "rfb = fblarc05(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,g12,[a0,sainc,gsflag,fcl])",
           "rfb: f8 out", S(s11), S(s22), S(s33), S(s12), S(s13), S(s23), S(xt11), S(xc11), S(xt22), S(xc22),
           S(x12), S(g12), "a0: f8 doc \"Default: 53.0 (degrees)\"", "sainc: f8 doc \"Default: 5.0 (degrees)\"", "gsflag: i4 = 0", "fcl: i4 = 0");

VX_ROUTINE(fbcollection, FBLaRC05_is,
           "rfb = fblarc05_is(s11,s22,s33,s12,s13,s23,xt11_std,xc11_std,xt22_std,x23_std,x12_std,g12,[a0,sainc,gsflag,fcl,x_is])",
           "rfb: f8 out", S(s11), S(s22), S(s33), S(s12), S(s13), S(s23), S(xt11_std), S(xc11_std), S(xt22_std),
           S(x23_std), S(x12_std), S(g12), "a0: f8 doc \"Default: 53.0 (degrees)\"", "sainc: f8 doc \"Default: 5.0 (degrees)\"", "gsflag: i4 = 0", "fcl: i4 = 0", "x_is: f8(9) doc \"Default: all 0.0, the standard strengths\"");
