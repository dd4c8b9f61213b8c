// Python table of the general failure potentials (component gpcollection).
#include "table.h"
#include "vexlan/gpcollection.h"

#define S(x) "" #x ": f8"

VX_ROUTINE(gpcollection, GPMaxNominal, "rgp = gpmaxnominal(s11,xt11,xc11)", "rgp: f8 out", S(s11), S(xt11), S(xc11));

VX_ROUTINE(gpcollection, GPQuadNominal, "rgp = gpquadnominal(s11,s12,s13,xt11,x12,x13)",
           "rgp: f8 out", S(s11), S(s12), S(s13), S(xt11), S(x12), S(x13));

VX_ROUTINE(gpcollection, GPLinInteraction, "rgp = gplininteraction(s11,s22,s12,xt11,xc11,xt22,xc22,x12)",
           "rgp: f8 out", S(s11), S(s22), S(s12), S(xt11), S(xc11), S(xt22), S(xc22), S(x12));

VX_ROUTINE(gpcollection, GPQuadInteraction, "rgp = gpquadinteraction(s11,s22,s12,xt11,xc11,xt22,xc22,x12)",
           "rgp: f8 out", S(s11), S(s22), S(s12), S(xt11), S(xc11), S(xt22), S(xc22), S(x12));

VX_ROUTINE(gpcollection, GPNorrisInteraction, "rgp = gpnorrisinteraction(s11,s22,s12,xt11,xc11,xt22,xc22,x12)",
           "rgp: f8 out", S(s11), S(s22), S(s12), S(xt11), S(xc11), S(xt22), S(xc22), S(x12));

VX_ROUTINE(gpcollection, GPYamadaSunInteraction, "rgp = gpyamadasuninteraction(s11,s12,s13,xt11,xc11,x12,x13)",
           "rgp: f8 out", S(s11), S(s12), S(s13), S(xt11), S(xc11), S(x12), S(x13));

VX_ROUTINE(gpcollection, GPPolynomial,
           "rgp = gppolynomial(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,xt33,xc33,x12,x13,x23,[xint,ptype])",
           "rgp: f8 out", S(s11), S(s22), S(s33), S(s12), S(s13), S(s23), S(xt11), S(xc11), S(xt22), S(xc22),
           S(xt33), S(xc33), S(x12), S(x13), S(x23), "xint: f8 = 0.0", "ptype: i4 = 0");

VX_ROUTINE(gpcollection, GPPolyCamanho,
           "rgp = gppolycamanho(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,x13,x23,[xint,ptype])",
           "rgp: f8 out", S(s11), S(s22), S(s33), S(s12), S(s13), S(s23), S(xt11), S(xc11), S(xt22), S(xc22),
           S(x12), S(x13), S(x23), "xint: f8 = 1.5", "ptype: i4 = 0");

VX_ROUTINE(gpcollection, GPDruckerPrager, "gpdruckerprager(stress,xt,xc,d,di1)",
           "stress: f8(6)", S(xt), S(xc), "d: f8 inout", "di1: f8 inout");

VX_ROUTINE(gpcollection, GPBauwens, "gpbauwens(stress,xt,xc,d)", "stress: f8(6)", S(xt), S(xc), "d: f8 inout");

VX_ROUTINE(gpcollection, GPRaghava, "d = gpraghava(stress,xt,xc)", "stress: f8(6)", S(xt), S(xc), "d: f8 out");

VX_ROUTINE(gpcollection, GPHa, "d,di1,dmises,i1cr,misescr,life = gpha(stress,xt,xc,np)",
           "stress: f8(6)", S(xt), S(xc), S(np), "d: f8 out", "di1: f8 out", "dmises: f8 out", "i1cr: f8 out",
           "misescr: f8 out", "life: f8 out");
