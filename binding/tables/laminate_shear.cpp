// Python table of the transverse shear routines and the through-thickness
// stress recovery (component laminate).
#include "table.h"
#include "vexlan/laminate_shear.h"

// The shear routines need at least one ply.
#define VX_SHEAR_PLY_COUNT VX_PLY_COUNT " check(nplies>=1)"

VX_ROUTINE(laminate, GetPartialAMatrix,
           "aprt = getpartialamatrix(plyelastic,plyorientation,plythickness,zcrd,iply,[nplies])",
           "aprt: f8(3,3) out", VX_PLY_STACK, "zcrd: f8", "iply: i4 check(iply>=1 && iply<=nplies)",
           VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetPartialBMatrix,
           "bprt = getpartialbmatrix(plyelastic,plyorientation,plythickness,zcrd,iply,[nplies])",
           "bprt: f8(3,3) out", VX_PLY_STACK, "zcrd: f8", "iply: i4 check(iply>=1 && iply<=nplies)",
           VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetSmallFMatrix,
           "smallf = getsmallfmatrix(plyelastic,plyorientation,plythickness,zcrd,fa,fb,iply,[nplies])",
           "smallf: f8(2,2) out", VX_PLY_STACK, "zcrd: f8", "fa: f8(3,3)", "fb: f8(3,3)",
           "iply: i4 check(iply>=1 && iply<=nplies)", VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetSectionFMatrix,
           "plysmallf = getsectionfmatrix(sectionlist,plyorientation,plythickness,plyzcoord,plyelastic,"
           "[nplies,nsec,defint])",
           "plysmallf: f8(2*nplies+1,4,nsec) out",
           VX_SECTION_LIST(nplies),
           VX_SECTION_ORIENTATION(nplies),
           VX_SECTION_THICKNESS(nplies),
           VX_SECTION_ZCOORD(nplies),
           VX_SECTION_ELASTIC(nplies),
           "nplies: i4",
           "nsec: i4",
           "defint: i4 = 2147483647");

VX_ROUTINE(laminate, GetHMatrixShearCorrect,
           "hshear = gethmatrixshearcorrect(plyelastic,plyorientation,plythickness,[nplies])",
           "hshear: f8(2,2) out", VX_PLY_STACK, VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetShearCorrectFactors,
           "sk = getshearcorrectfactors(hlam,plyelastic,plyorientation,plythickness,[nplies])",
           "sk: f8(2) out", "hlam: f8(2,2)", VX_PLY_STACK, VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetHMatrixImprovedShear,
           "hext2d = gethmatriximprovedshear(plyelastic,plyorientation,plythickness,[nplies])",
           "hext2d: f8(2,2) out", VX_PLY_STACK, VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetHMatrixQuadrature,
           "hquad = gethmatrixquadrature(plyelastic,plyorientation,plythickness,[nplies])",
           "hquad: f8(2,2) out", VX_PLY_STACK, VX_SHEAR_PLY_COUNT);

VX_ROUTINE(laminate, GetSectionHMatrix,
           "sehmatrix = getsectionhmatrix(sectionlist,plyorientation,plythickness,plyelastic,"
           "[nplies,nsec,method,defint])",
           "sehmatrix: f8(2,2,nsec) out",
           VX_SECTION_LIST(nplies),
           VX_SECTION_ORIENTATION(nplies),
           VX_SECTION_THICKNESS(nplies),
           VX_SECTION_ELASTIC(nplies),
           "nplies: i4",
           "nsec: i4",
           "method: i4 = 1",
           "defint: i4 = 2147483647");

VX_ROUTINE(laminate, GetChaiDelamFactors,
           "chaidfactors = getchaidelamfactors(qonl,qonu,dangl_d,plythickl,plythicku,g23l,g23u,g13l,g13u)",
           "chaidfactors: f8(3) out",
           "qonl: f8(3,3)",
           "qonu: f8(3,3)",
           "dangl_d: f8",
           "plythickl: f8",
           "plythicku: f8",
           "g23l: f8",
           "g23u: f8",
           "g13l: f8",
           "g13u: f8");

VX_ROUTINE(laminate, GetArbitrarySectionFG,
           "fg = getarbitrarysectionfg(sectionlist,plyorientation,plythickness,plyzcoord,plyelastic,csflag,fgflag,"
           "[nplies,nsec,xycurv,defint])",
           "fg: f8(2*nplies+1,4,nsec) out",
           VX_SECTION_LIST(nplies),
           VX_SECTION_ORIENTATION(nplies),
           VX_SECTION_THICKNESS(nplies),
           VX_SECTION_ZCOORD(nplies),
           VX_SECTION_ELASTIC(nplies),
           "nplies: i4",
           "nsec: i4",
           "csflag: i4",
           "fgflag: i4",
           "xycurv: f8(2) absent \"(0.0, 0.0)\"",
           "defint: i4 = 2147483647");

VX_ROUTINE(laminate, GetExt2DShearStress,
           "xytss = getext2dshearstress(r,plyorientation,smallfmatrix,nspt,[nplies])",
           "xytss: f8(nplies*nspt,2) out",
           "r: f8(2)",
           VX_PLY_ORIENTATION,
           VX_SMALLF_MATRIX,
           "nspt: i4 check(nspt>=1)",
           "nplies: i4");

VX_ROUTINE(laminate, GetNormalStressFromBottom,
           "s33 = getnormalstressfrombottom(rdx,rdy,zcoord,smallfmatrix,[nplies])",
           "s33: f8(2*nplies+1) out",
           "rdx: f8(2)",
           "rdy: f8(2)",
           "zcoord: f8(2*nplies+1)",
           VX_SMALLF_MATRIX,
           "nplies: i4 = (len(zcoord)-1)/2 check(nplies>=1)");

VX_ROUTINE(laminate, GetNormalStressFromTop,
           "s33 = getnormalstressfromtop(rdx,rdy,s33bc,zcoord,smallfmatrix,[nplies])",
           "s33: f8(2*nplies+1) out",
           "rdx: f8(2)",
           "rdy: f8(2)",
           "s33bc: f8",
           "zcoord: f8(2*nplies+1)",
           VX_SMALLF_MATRIX,
           "nplies: i4 = (len(zcoord)-1)/2 check(nplies>=1)");

VX_ROUTINE(laminate, GetIntegralOfMembraneNormalStress,
           "sint = getintegralofmembranenormalstress(sbt,plyzcoord,plysectionpoint,ki,kj,[nzcrd,nplies])",
           "sint: f8(nzcrd) out",
           "sbt: f8(2*nplies)",
           "plyzcoord: f8(nzcrd)",
           "plysectionpoint: i4(nplies)",
           "ki: f8",
           "kj: f8",
           "nzcrd: i4 = len(plyzcoord) check(len(plyzcoord)==nzcrd)",
           "nplies: i4 = len(plysectionpoint) check(len(plysectionpoint)==nplies)");

VX_ROUTINE(laminate, GetArbitrarySmallF,
           "afmat = getarbitrarysmallf(iply,zpos,zcoord,smallfmatrix,[nplies])",
           "afmat: f8(2,2) out",
           "iply: i4",
           "zpos: f8",
           "zcoord: f8(2*nplies+1)",
           VX_SMALLF_MATRIX,
           "nplies: i4 = (len(zcoord)-1)/2 check(nplies>=1)");
