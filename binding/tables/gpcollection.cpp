// Python table of the general failure potentials (component gpcollection).
#include "table.h"
#include "vexlan/gpcollection.h"

VX_ROUTINE(gpcollection, GPMaxNominal, "rgp = gpmaxnominal(s11,xt11,xc11)",
           "rgp: f8 out", VX_REAL(s11), VX_REAL(xt11), VX_REAL(xc11));

VX_ROUTINE(gpcollection, GPQuadNominal, "rgp = gpquadnominal(s11,s12,s13,xt11,x12,x13)",
           "rgp: f8 out", VX_REAL(s11), VX_REAL(s12), VX_REAL(s13), VX_REAL(xt11), VX_REAL(x12), VX_REAL(x13));

VX_ROUTINE(gpcollection, GPLinInteraction, "rgp = gplininteraction(s11,s22,s12,xt11,xc11,xt22,xc22,x12)",
           "rgp: f8 out", VX_REAL(s11), VX_REAL(s22), VX_REAL(s12), VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12));

VX_ROUTINE(gpcollection, GPQuadInteraction, "rgp = gpquadinteraction(s11,s22,s12,xt11,xc11,xt22,xc22,x12)",
           "rgp: f8 out", VX_REAL(s11), VX_REAL(s22), VX_REAL(s12), VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12));

VX_ROUTINE(gpcollection, GPNorrisInteraction, "rgp = gpnorrisinteraction(s11,s22,s12,xt11,xc11,xt22,xc22,x12)",
           "rgp: f8 out", VX_REAL(s11), VX_REAL(s22), VX_REAL(s12), VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22),
           VX_REAL(xc22), VX_REAL(x12));

VX_ROUTINE(gpcollection, GPYamadaSunInteraction, "rgp = gpyamadasuninteraction(s11,s12,s13,xt11,xc11,x12,x13)",
           "rgp: f8 out", VX_REAL(s11), VX_REAL(s12), VX_REAL(s13), VX_REAL(xt11), VX_REAL(xc11), VX_REAL(x12),
           VX_REAL(x13));

VX_ROUTINE(gpcollection, GPPolynomial,
           "rgp = gppolynomial(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,xt33,xc33,x12,x13,x23,[xint,ptype])",
           "rgp: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(xt33), VX_REAL(xc33), VX_REAL(x12), VX_REAL(x13), VX_REAL(x23), "xint: f8 = 0.0", "ptype: i4 = 0");

VX_ROUTINE(gpcollection, GPPolyCamanho,
           "rgp = gppolycamanho(s11,s22,s33,s12,s13,s23,xt11,xc11,xt22,xc22,x12,x13,x23,[xint,ptype])",
           "rgp: f8 out", VX_STRESS_SCALARS, VX_REAL(xt11), VX_REAL(xc11), VX_REAL(xt22), VX_REAL(xc22),
           VX_REAL(x12), VX_REAL(x13), VX_REAL(x23), "xint: f8 = 1.5", "ptype: i4 = 0");

VX_ROUTINE(gpcollection, GPDruckerPrager, "gpdruckerprager(stress,xt,xc,d,di1)",
           VX_NYE_VECTOR(stress), VX_REAL(xt), VX_REAL(xc), "d: f8 inout", "di1: f8 inout");

VX_ROUTINE(gpcollection, GPBauwens, "gpbauwens(stress,xt,xc,d)",
           VX_NYE_VECTOR(stress), VX_REAL(xt), VX_REAL(xc), "d: f8 inout");

VX_ROUTINE(gpcollection, GPRaghava, "d = gpraghava(stress,xt,xc)",
           VX_NYE_VECTOR(stress), VX_REAL(xt), VX_REAL(xc), "d: f8 out");

VX_ROUTINE(gpcollection, GPHa, "d,di1,dmises,i1cr,misescr,life = gpha(stress,xt,xc,np)",
           VX_NYE_VECTOR(stress), VX_REAL(xt), VX_REAL(xc), VX_REAL(np), "d: f8 out", "di1: f8 out", "dmises: f8 out",
           "i1cr: f8 out",
           "misescr: f8 out", "life: f8 out");
