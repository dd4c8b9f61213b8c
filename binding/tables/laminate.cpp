// Python table of the classical laminate theory of the component laminate.
#include "table.h"
#include "vexlan/laminate.h"

#define NPLIES_OF(arr) \
  "nplies: i4 = len(" #arr ") check(len(" #arr ")==nplies)"
#define STACK_ARGS                                                                          \
  "plyelastic: f8(9,nplies)", "plyorientation: f8(nplies)", "plythickness: f8(nplies)",    \
      "nplies: i4 = shape(plyelastic,1) check(shape(plyelastic,1)==nplies) "                \
      "check(len(plyorientation)==nplies) check(len(plythickness)==nplies)"

// ---- stacking

VX_ROUTINE(laminate, GetPlyZCoord,
           "getplyzcoord = getplyzcoord(plythickness,iply,zpos,[nplies,refoffset])",
           "getplyzcoord: f8 ret",
           "plythickness: f8(nplies)",
           "iply: i4",
           NPLIES_OF(plythickness),
           "zpos: i4",
           "refoffset: f8");

VX_ROUTINE(laminate, GetSectionZCoord,
           "plyzcoord = getsectionzcoord(sectionlist,plythickness,[nplies,nsec,defint])",
           "plyzcoord: f8(2*nplies+1,nsec) out",
           "sectionlist: i4(nplies,nsec)",
           "plythickness: f8(nplies,nsec)",
           "nplies: i4 = shape(sectionlist,0) check(shape(sectionlist,0)==nplies) "
           "check(shape(plythickness,0)==nplies)",
           "nsec: i4 = shape(sectionlist,1) check(shape(sectionlist,1)==nsec) "
           "check(shape(plythickness,1)==nsec)",
           "defint: i4");

VX_ROUTINE(laminate, GetSubLaminateStack,
           "sublamstack = getsublaminatestack(plythickness,intface,[nplies])",
           "sublamstack: i4(2) out",
           "plythickness: f8(nplies)",
           "intface: i4",
           NPLIES_OF(plythickness));

VX_ROUTINE(laminate, GetDecoupAngle,
           "getdecoupangle = getdecoupangle(plyelastic,plyorientation,plythickness,[nplies])",
           "getdecoupangle: f8 ret",
           STACK_ARGS);

VX_ROUTINE(laminate, GetdAngle, "getdangle = getdangle(plyorientation,luflag,iply,[nplies])",
           "getdangle: f8 ret",
           "plyorientation: f8(nplies)",
           NPLIES_OF(plyorientation),
           "luflag: i4",
           "iply: i4");

// ---- stiffness

VX_ROUTINE(laminate, GetAMatrix,
           "a = getamatrix(plyelastic,plyorientation,plythickness,[nplies])",
           "a: f8(3,3) out", STACK_ARGS);

VX_ROUTINE(laminate, GetBMatrix,
           "b = getbmatrix(plyelastic,plyorientation,plythickness,[nplies])",
           "b: f8(3,3) out", STACK_ARGS);

VX_ROUTINE(laminate, GetDMatrix,
           "d = getdmatrix(plyelastic,plyorientation,plythickness,[nplies])",
           "d: f8(3,3) out", STACK_ARGS);

VX_ROUTINE(laminate, GetSubLaminateXMatrix,
           "xsub = getsublaminatexmatrix(slflag,plyelastic,plyorientation,plythickness,sublamstack,[nplies])",
           "xsub: f8(3,3) out",
           "slflag: str(1)",
           "plyelastic: f8(9,nplies)",
           "plyorientation: f8(nplies)",
           "plythickness: f8(nplies)",
           "sublamstack: i4(2)",
           "nplies: i4 = shape(plyelastic,1) check(shape(plyelastic,1)==nplies) "
           "check(len(plyorientation)==nplies) check(len(plythickness)==nplies)");

VX_ROUTINE(laminate, GetEffectivePlateStiffness,
           "geteffectiveplatestiffness = geteffectiveplatestiffness(plyelastic,plyorientation,plythickness,[nplies])",
           "geteffectiveplatestiffness: f8 ret", STACK_ARGS);

VX_ROUTINE(laminate, GetABDMatrix, "abd = getabdmatrix(a,b,d)",
           "abd: f8(6,6) out", "a: f8(3,3)", "b: f8(3,3)", "d: f8(3,3)");

VX_ROUTINE(laminate, GetReducedBendingStiffness, "dred = getreducedbendingstiffness(a,b,d)",
           "dred: f8(3,3) out", "a: f8(3,3)", "b: f8(3,3)", "d: f8(3,3)");

VX_ROUTINE(laminate, GetABDTilde, "atstar,btstar,dtstar = getabdtilde(a,b,d)",
           "atstar: f8(3,3) out", "btstar: f8(3,3) out", "dtstar: f8(3,3) out",
           "a: f8(3,3)", "b: f8(3,3)", "d: f8(3,3)");

VX_ROUTINE(laminate, GetEngConstsFromABDMatrix,
           "eng = getengconstsfromabdmatrix(abd,h,[tcflag])",
           "eng: f8(8) out", "abd: f8(6,6)", "h: f8", "tcflag: l1");

VX_ROUTINE(laminate, GetVMatrix, "v = getvmatrix(plyorientation,plythickness,[nplies])",
           "v: f8(4,3) out",
           "plyorientation: f8(nplies)",
           "plythickness: f8(nplies)",
           NPLIES_OF(plyorientation) " check(len(plythickness)==nplies)");

// ---- through the thickness

VX_ROUTINE(laminate, GetPlyStrain, "plystrain = getplystrain(se,plyzcoord,[nzcrd])",
           "plystrain: f8(3,nzcrd) out",
           "se: f8(6)",
           "plyzcoord: f8(nzcrd)",
           "nzcrd: i4 = len(plyzcoord) check(len(plyzcoord)==nzcrd)");

VX_ROUTINE(laminate, GetSectionStrain,
           "plystrain = getsectionstrain(se,plyorientation,plythickness,[nplies,reference])",
           "plystrain: f8(3,3*nplies) out",
           "se: f8(6)",
           "plyorientation: f8(nplies)",
           "plythickness: f8(nplies)",
           NPLIES_OF(plyorientation) " check(len(plythickness)==nplies)",
           "reference: f8");

VX_ROUTINE(laminate, GetPlyBottomTopStress,
           "sbt = getplybottomtopstress(sestress,plysectionpoint,[nzcrd,nplies])",
           "sbt: f8(6,2*nplies) out",
           "sestress: f8(6,nzcrd)",
           "plysectionpoint: i4(nplies)",
           "nzcrd: i4 = shape(sestress,1) check(shape(sestress,1)==nzcrd)",
           NPLIES_OF(plysectionpoint));

VX_ROUTINE(laminate, getpartialabwithcurvature,
           "pij = getpartialabwithcurvature(p0,p1,p2,ki,kj,[pdim,nzcrd])",
           "pij: f8(3,pdim,nzcrd) out",
           "p0: f8(3,pdim,nzcrd)",
           "p1: f8(3,pdim,nzcrd)",
           "p2: f8(3,pdim,nzcrd)",
           "ki: f8",
           "kj: f8",
           "pdim: i4 = shape(p0,1) check(shape(p0,1)==pdim)",
           "nzcrd: i4 = shape(p0,2) check(shape(p0,2)==nzcrd)");

VX_ROUTINE(laminate, GetPartialFG, "fg = getpartialfg(p1,p2,tstar1,tstar2,fgflag,[nzcrd])",
           "fg: f8(3,3,nzcrd) out",
           "p1: f8(3,3,nzcrd)",
           "p2: f8(3,3,nzcrd)",
           "tstar1: f8(3,3)",
           "tstar2: f8(3,3)",
           "nzcrd: i4 = shape(p1,2) check(shape(p1,2)==nzcrd) check(shape(p2,2)==nzcrd)",
           "fgflag: i4");

VX_ROUTINE(laminate, GetArbitraryLaminateIntegral,
           "xint = getarbitrarylaminateintegral(expo,plyprops,plyorientation,plyzcoord,plysectionpoint,[nzcrd,nplies,nprops,thflag])",
           "xint: f8(3,3,nzcrd) out",
           "expo: i4",
           "plyprops: f8(nprops,nplies)",
           "plyorientation: f8(nplies)",
           "plyzcoord: f8(nzcrd)",
           "plysectionpoint: i4(nplies)",
           "nzcrd: i4 = len(plyzcoord) check(len(plyzcoord)==nzcrd)",
           "nplies: i4 = shape(plyprops,1) check(shape(plyprops,1)==nplies) "
           "check(len(plyorientation)==nplies) check(len(plysectionpoint)==nplies)",
           "nprops: i4 = shape(plyprops,0) check(shape(plyprops,0)==nprops)",
           "thflag: i4");

VX_ROUTINE(laminate, GetPartialCDwithCurvature,
           "xij = getpartialcdwithcurvature(pij,plyprops,plyorientation,plyzcoord,plysectionpoint,ki,kj,cdflag,[ndim,nzcrd,nplies,nprops])",
           "xij: f8(3,ndim,nzcrd) out",
           "pij: f8(3,ndim,nzcrd)",
           "plyprops: f8(nprops,nplies)",
           "plyorientation: f8(nplies)",
           "plyzcoord: f8(nzcrd)",
           "plysectionpoint: i4(nplies)",
           "ki: f8",
           "kj: f8",
           "ndim: i4 = shape(pij,1) check(shape(pij,1)==ndim)",
           "nzcrd: i4 = shape(pij,2) check(shape(pij,2)==nzcrd) check(len(plyzcoord)==nzcrd)",
           "nplies: i4 = shape(plyprops,1) check(shape(plyprops,1)==nplies) "
           "check(len(plyorientation)==nplies) check(len(plysectionpoint)==nplies)",
           "nprops: i4 = shape(plyprops,0) check(shape(plyprops,0)==nprops)",
           "cdflag: i4");
