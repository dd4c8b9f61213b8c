// Python table of the component lamina: notations, ply stiffness, compliance
// and transformation, stress and strain measures.
#include "table.h"
#include "vexlan/lamina.h"

// ---- notations

VX_ROUTINE(lamina, VoigtNotation, "vn = voigtnotation(q)",
           "vn: f8(6) out",
           "q: f8(3,3)");

VX_ROUTINE(lamina, NyeNotation, "nn = nyenotation(q)",
           "nn: f8(6) out",
           "q: f8(3,3)");

VX_ROUTINE(lamina, CyclicNotation, "cn = cyclicnotation(q)",
           "cn: f8(6) out",
           "q: f8(3,3)");

VX_ROUTINE(lamina, CauchyNotation, "cn = cauchynotation(qv)",
           "cn: f8(3,3) out",
           "qv: f8(6)");

// q holds six rows and as many columns as sdim reads (one for a vector).
VX_ROUTINE(lamina, FlipVoigtNyeNotation, "fn = flipvoigtnyenotation(q,sdim)",
           "fn: f8(6,sdim) out",
           "q: f8(6,sdim==6?6:1) check(shape(q,0)==6)",
           "sdim: i4");

VX_ROUTINE(lamina, FlipVoigtCyclicNotation, "fn = flipvoigtcyclicnotation(q,sdim,dir)",
           "fn: f8(6,sdim) out",
           "q: f8(6,sdim==6?6:1) check(shape(q,0)==6)",
           "sdim: i4",
           "dir: i4");

VX_ROUTINE(lamina, GetTensorComponents,
           "t11,t22,t33,t12,t13,t23 = gettensorcomponents(tvoigt,[nvoigt,shearfactor])",
           "t11: f8 out",
           "t22: f8 out",
           "t33: f8 out",
           "t12: f8 out",
           "t13: f8 out",
           "t23: f8 out",
           "tvoigt: f8(nvoigt)",
           "nvoigt: i4 = len(tvoigt) check(len(tvoigt)>=nvoigt)",
           "shearfactor: f8");

VX_ROUTINE(lamina, GetVoigtStiffnessFromTensor, "csix = getvoigtstiffnessfromtensor(c_4th)",
           "csix: f8(6,6) out",
           "c_4th: f8(3,3,3,3)");

VX_ROUTINE(lamina, GetTensorFromVoigtStiffness, "c_4th = gettensorfromvoigtstiffness(csix)",
           "c_4th: f8(3,3,3,3) out",
           "csix: f8(6,6)");

VX_ROUTINE(lamina, GetRotatedStresses,
           "sv = getrotatedstresses(theta_r,nrot,s11,s22,s33,s12,s13,s23,[soutflag])",
           "sv: f8(6) out",
           "theta_r: f8",
           "nrot: f8(3)",
           "s11: f8",
           "s22: f8",
           "s33: f8",
           "s12: f8",
           "s13: f8",
           "s23: f8",
           "soutflag: i4 = 0");

VX_ROUTINE(lamina, GetTVectorFromArbitraryRotation,
           "tv = gettvectorfromarbitraryrotation(theta_r,nrot,s11,s22,s33,s12,s13,s23,[tflag])",
           "tv: f8(3) out",
           "theta_r: f8",
           "nrot: f8(3)",
           "s11: f8",
           "s22: f8",
           "s33: f8",
           "s12: f8",
           "s13: f8",
           "s23: f8",
           "tflag: i4");

VX_ROUTINE(lamina, GetTVectorOnRotatedXYPlane, "tv = gettvectoronrotatedxyplane(theta_r,s22,s33,s12,s13,s23)",
           "tv: f8(3) out",
           "theta_r: f8",
           "s22: f8",
           "s33: f8",
           "s12: f8",
           "s13: f8",
           "s23: f8");

VX_ROUTINE(lamina, GetPhiMeasuredFromXZPlane, "phixz = getphimeasuredfromxzplane(phixy,clockwise)",
           "phixz: f8 out",
           "phixy: f8",
           "clockwise: l1");
