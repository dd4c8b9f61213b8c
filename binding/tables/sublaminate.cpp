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

VX_ROUTINE(sublaminate, GetSubKK, "subkk = getsubkk(dred,a,b,dshape)",
           "subkk: f8(6,6) out", "dred: f8(3,3)", "a: f8", "b: f8", "dshape: i4");
VX_ROUTINE(sublaminate, GetSubKG, "subkg = getsubkg(nglob,abd,abdinv,a,b,dangle,dshape)",
           "subkg: f8(6,6) out", "nglob: f8(3)", "abd: f8(6,6)", "abdinv: f8(6,6)", "a: f8", "b: f8",
           "dangle: f8", "dshape: i4");
VX_ROUTINE(sublaminate, GetSubLamBucklingStrain,
           "eps,nx,eigvec = getsublambucklingstrain(dsize,nglob,plyelastic,plyorientation,plythickness,dshape,[nplies])",
           "eps: f8 out", "nx: f8 out", "eigvec: f8(6) out", "dsize: f8(3)", "nglob: f8(3)",
           "plyelastic: f8(9,nplies)", "plyorientation: f8(nplies)", "plythickness: f8(nplies)", "dshape: i4",
           "nplies: i4 = len(plyorientation) check(len(plyorientation)>=nplies) check(nplies>=1)");
VX_ROUTINE(sublaminate, DelaminatedBucklingAnalysis,
           "epsbuck,bukrealdatalist,bukintdatalist = delaminatedbucklinganalysis(comprstrength,plyelastic,plyorientation,plythickness,plydelamination,plydshape,[nplies])",
           "epsbuck: f8 out", "bukrealdatalist: f8(12,max(nplies,1)) out", "bukintdatalist: i4(4,max(nplies,1)) out",
           "comprstrength: f8", "plyelastic: f8(9,nplies)", "plyorientation: f8(nplies)", "plythickness: f8(nplies)",
           "plydelamination: f8(3,max(nplies-1,0))", "plydshape: i4(max(nplies-1,0))",
           "nplies: i4 = len(plyorientation) check(len(plyorientation)>=nplies) check(nplies>=0)");
VX_ROUTINE(sublaminate, GetBukDataFromDDS,
           "bukrealdatalist,bukintdatalist = getbukdatafromdds(delamdds,plydshape,comprstrength,plyelastic,plyorientation,plythickness,sectionlist,[ndmg,nplies,nsec,defint])",
           "bukrealdatalist: f8(12,max(nplies,1),ndmg,nsec) out", "bukintdatalist: i4(4,max(nplies,1),ndmg,nsec) out",
           "delamdds: f8(3,max(nplies-1,0),ndmg)", "plydshape: i4(max(nplies-1,0),ndmg)", "comprstrength: f8(nsec)",
           "plyelastic: f8(9,nplies,nsec)", "plyorientation: f8(nplies,nsec)", "plythickness: f8(nplies,nsec)",
           "sectionlist: i4(nplies,nsec)",
           "ndmg: i4 = shape(delamdds,2) check(ndmg>=0)",
           "nplies: i4 = shape(plyorientation,0) check(nplies>=0)",
           "nsec: i4 = shape(plyorientation,1) check(nsec>=0)",
           "defint: i4");
