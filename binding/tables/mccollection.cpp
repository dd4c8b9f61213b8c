// Python table of the matrix-cracking criteria (component mccollection).
// Optional arguments without a default reach the routine as absent, where it
// applies its own default (the same value the signature documents).
#include "table.h"
#include "vexlan/mccollection.h"

VX_ROUTINE(mccollection, MCrckLaRC05, "rmc,outtheta = mcrcklarc05(s22,s33,s12,s13,s23,xt22,xc22,x12,[a0,outtheta,sainc,gsflag])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12), VX_FRACTURE_ANGLE,
           "outtheta: f8 io = -1.0", VX_SEARCH_STEP, "gsflag: i4 = 0");

VX_ROUTINE(mccollection, MCrckLaRC04,
           "rmc,outtheta = mcrcklarc04(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,e11,e22,g12,nu12,[gc,a0,outtheta,sainc,fcl,gsflag])",
           "rmc: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(x12), VX_REAL(e11), VX_REAL(e22), VX_REAL(g12), VX_REAL(nu12), VX_LARC04_TOUGHNESS,
           VX_FRACTURE_ANGLE, "outtheta: f8 io = -1.0", VX_SEARCH_STEP,
           "fcl: i4 = 0", "gsflag: i4 = 0");

VX_ROUTINE(mccollection, MCrckVDI2014,
           "rmc,outtheta = mcrckvdi2014(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,[outtheta,gp,wp,sainc,gsflag])",
           "rmc: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(x12), "outtheta: f8 io = -1.0", "gp: f8(4) absent \"(0.3, 0.3, 0.25, 0.25)\"",
           "wp: f8(2) absent \"(0.5, 0.5)\"", VX_SEARCH_STEP, "gsflag: i4 = 0");

VX_ROUTINE(mccollection, MCrckSPC3D,
           "rmc,outtheta = mcrckspc3d(s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,xt33,xc33,xt12,xt13,xt23,[xcs,outtheta,gp,sainc,salims,gsflag])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt11),
           VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22), VX_REAL(xt33),
           VX_REAL(xc33), VX_REAL(xt12), VX_REAL(xt13), VX_REAL(xt23), "xcs: f8(3) absent \"(xt12, xt13, xt23)\"",
           "outtheta: f8 io = -1.0", "gp: f8(2) absent \"(0.3, -0.3)\"",
           "sainc: f8 = 5.0", "salims: f8(2) absent \"(2.0, 178.0) (degrees)\"", "gsflag: i4 = 0");

VX_ROUTINE(mccollection, MCrckCamanho,
           "rmc,outtheta = mcrckcamanho(s22,s33,s12,s13,s23,xt22,xc22,x12,x23,[outtheta,a0,sainc,gsflag])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12), VX_REAL(x23),
           "outtheta: f8 io = -1.0", VX_FRACTURE_ANGLE, VX_SEARCH_STEP, "gsflag: i4 = 0");

VX_ROUTINE(mccollection, MCrckWiegand,
           "rmc,outtheta = mcrckwiegand(s22,s33,s12,s13,s23,xt22,xc22,x12,[outtheta,a0,sainc,gsflag])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12),
           "outtheta: f8 io = -1.0", VX_FRACTURE_ANGLE, VX_SEARCH_STEP, "gsflag: i4 = 0");

VX_ROUTINE(mccollection, MCrckPuck,
           "rmc,outtheta,tcflag = mcrckpuck(s22,s33,s12,s13,s23,xt22,xc22,x12,[outtheta,gp,sainc,gsflag,tcflag])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12),
           "outtheta: f8 io = -1.0", VX_PUCK_PARAMETERS, VX_SEARCH_STEP, "gsflag: i4 = 0", "tcflag: i4 io = 0");

VX_ROUTINE(mccollection, MCrckCuntze2012, "rmc = mcrckcuntze2012(s22,s33,s12,s13,s23,xt22,xc22,x12,[gp,mint])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12), "gp: f8(2) absent \"(0.16, 1.16)\"",
           "mint: f8 absent \"2.4\"");

VX_ROUTINE(mccollection, MCrckCuntze2004, "rmc = mcrckcuntze2004(s22,s33,s12,s13,s23,xt22,xc22,x12,x13,[gp,mint])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12), VX_REAL(x13), "gp: f8(3) absent \"(0.13, 1.5, 0.4)\"",
           "mint: f8 absent \"2.5\"");

VX_ROUTINE(mccollection, MCrckChangChang, "rmc = mcrckchangchang(s22,s12,xt22,xc22,x12)",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s12), VX_REAL(xt22), VX_REAL(xc22), VX_REAL(x12));

VX_ROUTINE(mccollection, MCrckChai, "rmc = mcrckchai(s22,s12,s23,xt22,xc22,x12,x23,[dang])",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s12), VX_REAL(s23), VX_REAL(xt22), VX_REAL(xc22), VX_REAL(x12),
           VX_REAL(x23), "dang: f8 = 0.0");

VX_ROUTINE(mccollection, MCrckChristensen,
           "rmc = mcrckchristensen(s22,s33,s12,s13,s23,xt22,xc22,xt33,xc33,x12,x13,x23)",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(xt33), VX_REAL(xc33), VX_REAL(x12),
           VX_REAL(x13), VX_REAL(x23));

VX_ROUTINE(mccollection, MCrckHashin1989,
           "rmc = mcrckhashin1989(s22,s33,s12,s13,s23,xt22,xc22,xt33,xc33,x12,x13,x23)",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(xt33), VX_REAL(xc33), VX_REAL(x12),
           VX_REAL(x13), VX_REAL(x23));

VX_ROUTINE(mccollection, MCrckHashinComplete,
           "rmc = mcrckhashincomplete(s22,s33,s12,s13,s23,xt22,xc22,x12,x23)",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12), VX_REAL(x23));

VX_ROUTINE(mccollection, MCrckHashin3D, "rmc = mcrckhashin3d(s22,s12,s13,s23,xt22,xc22,x12,x23)",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s12), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(x12), VX_REAL(x23));

VX_ROUTINE(mccollection, MCrckHashinPS, "rmc = mcrckhashinps(s22,s12,xt22,xc22,x12,x23)",
           "rmc: f8 out", VX_REAL(s22), VX_REAL(s12), VX_REAL(xt22), VX_REAL(xc22), VX_REAL(x12), VX_REAL(x23));

VX_ROUTINE(mccollection, MCrckBahei,
           "rmc,failmode = mcrckbahei(stressvector,xnorm,xshear,[nstress,interphase,failmode])",
           "rmc: f8 out", "stressvector: f8(nstress)", VX_REAL(xnorm), VX_REAL(xshear),
           "nstress: i4 = len(stressvector) check(len(stressvector)==nstress) check(nstress>=1)",
           "interphase: f8(2) absent \"(-1.0, -1.0), no interphase\"", "failmode: i4 io = -1");
