// Python table of the sub-laminate buckling (component sublaminate).
#include "table.h"
#include "vexlan/sublaminate.h"

#define VX_KK(SYM, SIG) VX_ROUTINE(sublaminate, SYM, SIG, "kk: f8(6,6) out", "kktype: i4")
#define VX_KG(SYM, SIG) VX_ROUTINE(sublaminate, SYM, SIG, "kg: f8(6,6) out", "kgtype: i4")
VX_KK(GetKKEllipse, "kk = getkkellipse(kktype)");
VX_KK(GetKKRectangle, "kk = getkkrectangle(kktype)");
VX_KK(GetKKRectTang, "kk = getkkrecttang(kktype)");
VX_KG(GetKGEllipse, "kg = getkgellipse(kgtype)");
VX_KG(GetKGRectangle, "kg = getkgrectangle(kgtype)");
VX_KG(GetKGRectTang, "kg = getkgrecttang(kgtype)");

// Per-interface arrays hold nplies - 1 columns; the damage store keeps one
// even for a single ply, where none is read.
#define VX_INTERFACES_OF(ARR, DIM) \
  "check(shape(" #ARR "," #DIM ")==max(nplies-1,0) || (nplies<=1 && shape(" #ARR "," #DIM ")==1))"

VX_ROUTINE(sublaminate, GetSubKK, "subkk = getsubkk(dred,a,b,dshape)",
           "subkk: f8(6,6) out", "dred: f8(3,3)", "a: f8", "b: f8", "dshape: i4");
VX_ROUTINE(sublaminate, GetSubKG, "subkg = getsubkg(nglob,abd,abdinv,a,b,dangle,dshape)",
           "subkg: f8(6,6) out", "nglob: f8(3)", "abd: f8(6,6)", "abdinv: f8(6,6)", "a: f8", "b: f8",
           "dangle: f8", "dshape: i4");
VX_ROUTINE(sublaminate, GetSubLamBucklingStrain,
           "eps,nx,eigvec = getsublambucklingstrain(dsize,nglob,plyelastic,plyorientation,plythickness,dshape,[nplies])",
           "eps: f8 out", "nx: f8 out", "eigvec: f8(6) out", "dsize: f8(3)", "nglob: f8(3)",
           VX_PLY_STACK, "dshape: i4", VX_PLY_COUNT " check(nplies>=1)");
VX_ROUTINE(sublaminate, DelaminatedBucklingAnalysis,
           "epsbuck,bukrealdatalist,bukintdatalist = delaminatedbucklinganalysis(comprstrength,plyelastic,plyorientation,plythickness,plydelamination,plydshape,[nplies])",
           "epsbuck: f8 out", VX_BUCKLING_REAL("max(nplies,1)") " out", VX_BUCKLING_INT("max(nplies,1)") " out",
           "comprstrength: f8", VX_PLY_STACK,
           "plydelamination: f8(3,max(nplies-1,0))", "plydshape: i4(max(nplies-1,0))",
           VX_PLY_COUNT);
VX_ROUTINE(sublaminate, GetBukDataFromDDS,
           "bukrealdatalist,bukintdatalist = getbukdatafromdds(delamdds,plydshape,comprstrength,plyelastic,plyorientation,plythickness,sectionlist,[ndmg,nplies,nsec,defint])",
           VX_BUCKLING_REAL("max(nplies,1),ndmg,nsec") " out", VX_BUCKLING_INT("max(nplies,1),ndmg,nsec") " out",
           "delamdds: f8(3,max(nplies-1,0),ndmg) " VX_INTERFACES_OF(delamdds,1),
           "plydshape: i4(max(nplies-1,0),ndmg) " VX_INTERFACES_OF(plydshape,0),
           "comprstrength: f8(nsec)",
           VX_SECTION_ELASTIC(nplies), VX_SECTION_ORIENTATION(nplies), VX_SECTION_THICKNESS(nplies),
           VX_SECTION_LIST(nplies),
           "ndmg: i4",
           "nplies: i4",
           "nsec: i4",
           "defint: i4 absent \"2147483647\"");
