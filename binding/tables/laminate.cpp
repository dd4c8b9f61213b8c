// Python table of the classical laminate theory of the component laminate.
#include "table.h"
#include "vexlan/laminate.h"

namespace {
// tcflag is a 1-byte flag in the library and an integer from Python: the
// integer is converted, and range-checked, as every integer argument is, so
// that no value is taken for a truth value it merely resembles.
void GetEngConstsFromABDMatrixInt(double* eng, const double* abd, const double* h, const int32_t* tcflag) {
  const vx_l1 flag = *tcflag != 0;
  GetEngConstsFromABDMatrix(eng, abd, h, &flag);
}
}  // namespace

// ---- stacking

VX_ROUTINE(laminate, GetPlyZCoord,
           "getplyzcoord = getplyzcoord(plythickness,iply,zpos,[nplies,refoffset])",
           "getplyzcoord: f8 ret",
           VX_PLY_THICKNESS,
           "iply: i4",
           "nplies: i4",
           "zpos: i4",
           "refoffset: f8 absent \"0.0\"");

VX_ROUTINE(laminate, GetSectionZCoord,
           "plyzcoord = getsectionzcoord(sectionlist,plythickness,[nplies,nsec,defint])",
           "plyzcoord: f8(2*nplies+1,nsec) out",
           VX_SECTION_LIST(nplies),
           VX_SECTION_THICKNESS(nplies),
           "nplies: i4",
           "nsec: i4",
           "defint: i4 absent \"2147483647\"");

VX_ROUTINE(laminate, GetSubLaminateStack,
           "sublamstack = getsublaminatestack(plythickness,intface,[nplies])",
           "sublamstack: i4(2) out",
           VX_PLY_THICKNESS,
           "intface: i4",
           "nplies: i4");

VX_ROUTINE(laminate, GetDecoupAngle,
           "getdecoupangle = getdecoupangle(plyelastic,plyorientation,plythickness,[nplies])",
           "getdecoupangle: f8 ret",
           VX_PLY_STACK, VX_PLY_COUNT);

VX_ROUTINE(laminate, GetdAngle, "getdangle = getdangle(plyorientation,luflag,iply,[nplies])",
           "getdangle: f8 ret",
           VX_PLY_ORIENTATION,
           "nplies: i4",
           "luflag: i4",
           "iply: i4");

// ---- stiffness

VX_ROUTINE(laminate, GetAMatrix,
           "a = getamatrix(plyelastic,plyorientation,plythickness,[nplies])",
           "a: f8(3,3) out", VX_PLY_STACK, VX_PLY_COUNT);

VX_ROUTINE(laminate, GetBMatrix,
           "b = getbmatrix(plyelastic,plyorientation,plythickness,[nplies])",
           "b: f8(3,3) out", VX_PLY_STACK, VX_PLY_COUNT);

VX_ROUTINE(laminate, GetDMatrix,
           "d = getdmatrix(plyelastic,plyorientation,plythickness,[nplies])",
           "d: f8(3,3) out", VX_PLY_STACK, VX_PLY_COUNT);

VX_ROUTINE(laminate, GetSubLaminateXMatrix,
           "xsub = getsublaminatexmatrix(slflag,plyelastic,plyorientation,plythickness,sublamstack,[nplies])",
           "xsub: f8(3,3) out",
           "slflag: str(1)",
           VX_PLY_STACK,
           "sublamstack: i4(2)",
           VX_PLY_COUNT);

VX_ROUTINE(laminate, GetEffectivePlateStiffness,
           "geteffectiveplatestiffness = geteffectiveplatestiffness(plyelastic,plyorientation,plythickness,[nplies])",
           "geteffectiveplatestiffness: f8 ret", VX_PLY_STACK, VX_PLY_COUNT);

VX_ROUTINE(laminate, GetABDMatrix, "abd = getabdmatrix(a,b,d)",
           "abd: f8(6,6) out", "a: f8(3,3)", "b: f8(3,3)", "d: f8(3,3)");

VX_ROUTINE(laminate, GetReducedBendingStiffness, "dred = getreducedbendingstiffness(a,b,d)",
           "dred: f8(3,3) out", "a: f8(3,3)", "b: f8(3,3)", "d: f8(3,3)");

VX_ROUTINE(laminate, GetABDTilde, "atstar,btstar,dtstar = getabdtilde(a,b,d)",
           "atstar: f8(3,3) out", "btstar: f8(3,3) out", "dtstar: f8(3,3) out",
           "a: f8(3,3)", "b: f8(3,3)", "d: f8(3,3)");

VX_ROUTINE(laminate, GetEngConstsFromABDMatrixInt,
           "eng = getengconstsfromabdmatrix(abd,h,[tcflag])",
           "eng: f8(8) out", "abd: f8(6,6)", "h: f8", "tcflag: i4 = 0");

VX_ROUTINE(laminate, GetVMatrix, "v = getvmatrix(plyorientation,plythickness,[nplies])",
           "v: f8(4,3) out",
           VX_PLY_ORIENTATION,
           VX_PLY_THICKNESS,
           "nplies: i4");

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
           VX_PLY_ORIENTATION,
           VX_PLY_THICKNESS,
           "nplies: i4",
           "reference: f8 absent \"0.0\"");

VX_ROUTINE(laminate, GetPlyBottomTopStress,
           "sbt = getplybottomtopstress(sestress,plysectionpoint,[nzcrd,nplies])",
           "sbt: f8(6,2*nplies) out",
           "sestress: f8(6,nzcrd)",
           "plysectionpoint: i4(nplies)",
           "nzcrd: i4 = shape(sestress,1) check(shape(sestress,1)==nzcrd)",
           "nplies: i4");

VX_ROUTINE(laminate, getpartialabwithcurvature,
           "pij = getpartialabwithcurvature(p0,p1,p2,ki,kj,[pdim,nzcrd])",
           "pij: f8(3,pdim,nzcrd) out",
           "p0: f8(3,pdim,nzcrd)",
           "p1: f8(3,pdim,nzcrd)",
           "p2: f8(3,pdim,nzcrd)",
           "ki: f8",
           "kj: f8",
           "pdim: i4",
           "nzcrd: i4");

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
           VX_PLY_ORIENTATION,
           "plyzcoord: f8(nzcrd)",
           "plysectionpoint: i4(nplies)",
           "nzcrd: i4 = len(plyzcoord) check(len(plyzcoord)==nzcrd)",
           "nplies: i4 = shape(plyprops,1) check(shape(plyprops,1)==nplies) "
           "check(len(plyorientation)==nplies) check(len(plysectionpoint)==nplies)",
           "nprops: i4 = shape(plyprops,0) check(shape(plyprops,0)==nprops)",
           "thflag: i4 absent \"0, the integral of Qbar\"");

VX_ROUTINE(laminate, GetPartialCDwithCurvature,
           "xij = getpartialcdwithcurvature(pij,plyprops,plyorientation,plyzcoord,plysectionpoint,ki,kj,cdflag,[ndim,nzcrd,nplies,nprops])",
           "xij: f8(3,ndim,nzcrd) out",
           "pij: f8(3,ndim,nzcrd)",
           "plyprops: f8(nprops,nplies)",
           VX_PLY_ORIENTATION,
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
