// Python table of the component lamina: notations, ply stiffness, compliance
// and transformation, stress and strain measures.
#include "table.h"
#include "vexlan/lamina.h"

// ---- notations

VX_ROUTINE(lamina, VoigtNotation, "vn = voigtnotation(q)",
           VX_VOIGT_VECTOR(vn) " out",
           "q: f8(3,3)");

VX_ROUTINE(lamina, NyeNotation, "nn = nyenotation(q)",
           VX_NYE_VECTOR(nn) " out",
           "q: f8(3,3)");

VX_ROUTINE(lamina, CyclicNotation, "cn = cyclicnotation(q)",
           "cn: f8(6) out",
           "q: f8(3,3)");

VX_ROUTINE(lamina, CauchyNotation, "cn = cauchynotation(qv)",
           "cn: f8(3,3) out",
           VX_VOIGT_VECTOR(qv));

// q holds six rows and at least as many columns as sdim reads: its leading
// 6 x 6 block, or its first column. An unsupported sdim reads none.
#define VX_FLIP_INPUT "q: f8(6,*) check(shape(q,1)>=(sdim==6?6:sdim==1))"
VX_ROUTINE(lamina, FlipVoigtNyeNotation, "fn = flipvoigtnyenotation(q,sdim)",
           "fn: f8(6,sdim) out",
           VX_FLIP_INPUT,
           "sdim: i4");

VX_ROUTINE(lamina, FlipVoigtCyclicNotation, "fn = flipvoigtcyclicnotation(q,sdim,dir)",
           "fn: f8(6,sdim) out",
           VX_FLIP_INPUT,
           "sdim: i4",
           "dir: i4");
#undef VX_FLIP_INPUT

VX_ROUTINE(lamina, GetTensorComponents,
           "t11,t22,t33,t12,t13,t23 = gettensorcomponents(tvoigt,[nvoigt,shearfactor])",
           "t11: f8 out",
           "t22: f8 out",
           "t33: f8 out",
           "t12: f8 out",
           "t13: f8 out",
           "t23: f8 out",
           "tvoigt: f8(nvoigt)",
           "nvoigt: i4 = len(tvoigt) check(len(tvoigt)==nvoigt)",
           "shearfactor: f8 absent \"1.0\"");

VX_ROUTINE(lamina, GetVoigtStiffnessFromTensor, "csix = getvoigtstiffnessfromtensor(c_4th)",
           VX_VOIGT_MATRIX(csix) " out",
           "c_4th: f8(3,3,3,3)");

VX_ROUTINE(lamina, GetTensorFromVoigtStiffness, "c_4th = gettensorfromvoigtstiffness(csix)",
           "c_4th: f8(3,3,3,3) out",
           VX_VOIGT_MATRIX(csix));

VX_ROUTINE(lamina, GetRotatedStresses,
           "sv = getrotatedstresses(theta_r,nrot,s11,s22,s33,s12,s13,s23,[soutflag])",
           "sv: f8(6) out",
           "theta_r: f8",
           "nrot: f8(3)",
           VX_STRESS_SCALARS,
           "soutflag: i4 = 0");

VX_ROUTINE(lamina, GetTVectorFromArbitraryRotation,
           "tv = gettvectorfromarbitraryrotation(theta_r,nrot,s11,s22,s33,s12,s13,s23,[tflag])",
           "tv: f8(3) out",
           "theta_r: f8",
           "nrot: f8(3)",
           VX_STRESS_SCALARS,
           "tflag: i4 absent \"3\"");

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

// ---- ply stiffness, compliance and transformation

VX_ROUTINE(lamina, GetNyeProperties, "nyeprops = getnyeproperties(elastic,[nelastic])",
           "nyeprops: f8(9) out",
           "elastic: f8(nelastic)",
           "nelastic: i4 = len(elastic) check(len(elastic)==nelastic)");

VX_ROUTINE(lamina, GetNyeStiffnessMatrix, "c = getnyestiffnessmatrix(props,ntens,[psflag])",
           "c: f8(ntens,ntens) out",
           "props: f8(9)",
           "ntens: i4",
           "psflag: i4 = 1");

VX_ROUTINE(lamina, GetNyeComplianceMatrix, "s = getnyecompliancematrix(props,ntens,[psflag])",
           "s: f8(ntens,ntens) out",
           "props: f8(9)",
           "ntens: i4",
           "psflag: i4 = 1");

VX_ROUTINE(lamina, GetGeneralizedNyeOnAxisSC,
           "sc = getgeneralizednyeonaxissc(props,ntens,scflag,[nprops,psflag,ldflag,unsymm])",
           "sc: f8(ntens,ntens) out",
           "props: f8(nprops)",
           "ntens: i4",
           "nprops: i4 = len(props) check(len(props)==nprops)",
           "scflag: i4",
           "psflag: i4 = 1",
           "ldflag: l1 = 0",
           "unsymm: l1 = 0");

VX_ROUTINE(lamina, GetInvariantsFromReducedStiffness, "u = getinvariantsfromreducedstiffness(props,[nprops])",
           "u: f8(5) out",
           "props: f8(nprops)",
           "nprops: i4 = len(props) check(len(props)==nprops)");

VX_ROUTINE(lamina, GetNyeTransformationMatrix, "t = getnyetransformationmatrix(rangle,tdim,ttype,tflag)",
           "t: f8(tdim,tdim) out",
           "rangle: f8",
           "tdim: i4",
           "ttype: i4",
           "tflag: i4");

VX_ROUTINE(lamina, GetNyeOffAxisSC, "scoff = getnyeoffaxissc(dangle,props,ntens,scflag)",
           "scoff: f8(ntens,ntens) out",
           "dangle: f8",
           "props: f8(9)",
           "ntens: i4",
           "scflag: i4");

VX_ROUTINE(lamina, GetArbitraryBaseSC, "scbase = getarbitrarybasesc(sc,base,scflag,ntflag)",
           VX_NYE_MATRIX(scbase) " out",
           VX_NYE_MATRIX(sc),
           "base: f8(3,3)",
           "scflag: i4",
           "ntflag: i4");

VX_ROUTINE(lamina, GetReducedNyeStiffnessMatrix, "qs = getreducednyestiffnessmatrix(c,[plflag])",
           "qs: f8(3,3) out",
           VX_NYE_MATRIX(c),
           "plflag: i4 = 1");

VX_ROUTINE(lamina, GetOffAxisShearRigidMatrix, "hoff = getoffaxisshearrigidmatrix(g13,g23,dangle)",
           "hoff: f8(2,2) out",
           "g13: f8",
           "g23: f8",
           "dangle: f8");

// ---- stress and strain measures

VX_ROUTINE(lamina, GetStressVector, "getstressvector(stress,ddsdde,strain0,dstrain,ndi,issekant,istensor,[ntens])",
           "stress: f8(ntens) inout",
           "ddsdde: f8(ntens,ntens) check(shape(ddsdde,0)==ntens)",
           "strain0: f8(ntens)",
           "dstrain: f8(ntens)",
           "ndi: i4",
           "ntens: i4 = len(stress) check(len(stress)==ntens)",
           "issekant: l1",
           "istensor: l1");

VX_ROUTINE(lamina, GetSpecificStrainEnergy,
           "sse = getspecificstrainenergy(sse,stress,stress0,strain0,dstrain,ndi,issekant,istensor,[ntens])",
           "sse: f8 io",
           "stress: f8(ntens)",
           "stress0: f8(ntens)",
           "strain0: f8(ntens)",
           "dstrain: f8(ntens)",
           "ndi: i4",
           "ntens: i4 = len(stress) check(len(stress)==ntens)",
           "issekant: l1",
           "istensor: l1");

VX_ROUTINE(lamina, GetMatParamByCurveFitting,
           "getmatparambycurvefitting = getmatparambycurvefitting(l,eta,stress0,strain0,dstrain,nlflag)",
           "getmatparambycurvefitting: f8 ret",
           "l: f8",
           "eta: f8",
           "stress0: f8",
           "strain0: f8",
           "dstrain: f8",
           "nlflag: i4");

VX_ROUTINE(lamina, GetHardeningFromTable, "yield,gradient = gethardeningfromtable(strain,table,[ntable])",
           "yield: f8 out",
           "gradient: f8 out",
           "strain: f8",
           "table: f8(ntable,2) check(shape(table,0)==ntable)",
           "ntable: i4 = shape(table,0)");

VX_ROUTINE(lamina, GetGreenStrain, "green = getgreenstrain(dfgrd)",
           "green: f8(3,3) out",
           "dfgrd: f8(3,3)");

VX_ROUTINE(lamina, GetAlmansiStrain, "almansi = getalmansistrain(dfgrd)",
           "almansi: f8(3,3) out",
           "dfgrd: f8(3,3)");

VX_ROUTINE(lamina, GetSmallStrain, "small = getsmallstrain(dfgrd)",
           "small: f8(3,3) out",
           "dfgrd: f8(3,3)");

VX_ROUTINE(lamina, GetMisesStress, "getmisesstress = getmisesstress(stress,[nstress])",
           "getmisesstress: f8 ret",
           "stress: f8(nstress)",
           "nstress: i4 = len(stress) check(len(stress)==nstress)");

VX_ROUTINE(lamina, GetTrescaStress, "gettrescastress = gettrescastress(principals)",
           "gettrescastress: f8 ret",
           "principals: f8(3)");

VX_ROUTINE(lamina, GetRankineStress, "getrankinestress = getrankinestress(principals)",
           "getrankinestress: f8 ret",
           "principals: f8(3)");

VX_ROUTINE(lamina, GetStassiStress, "eq_stress = getstassistress(stress,xt,xc)",
           "stress: f8(6)",
           "xt: f8",
           "xc: f8",
           "eq_stress: f8 out");

VX_ROUTINE(lamina, GetPrincipals, "ps = getprincipals(svoigt,[nvoigt])",
           "ps: f8(3) out",
           "svoigt: f8(nvoigt)",
           "nvoigt: i4 = len(svoigt) check(len(svoigt)==nvoigt)");

VX_ROUTINE(lamina, GetTrace, "gettrace = gettrace(stress,[nstress])",
           "gettrace: f8 ret",
           "stress: f8(nstress)",
           "nstress: i4 = len(stress) check(len(stress)==nstress)");

VX_ROUTINE(lamina, GetHydrostaticPressure, "gethydrostaticpressure = gethydrostaticpressure(stress,[nstress])",
           "gethydrostaticpressure: f8 ret",
           "stress: f8(nstress)",
           "nstress: i4 = len(stress) check(len(stress)==nstress)");

VX_ROUTINE(lamina, GetMeanStress, "cm = getmeanstress(stress,[nstress])",
           "cm: f8(3,3) out",
           "stress: f8(nstress)",
           "nstress: i4 = len(stress) check(len(stress)==nstress)");

VX_ROUTINE(lamina, GetDeviatoricStress, "cd = getdeviatoricstress(svoigt)",
           "cd: f8(3,3) out",
           VX_VOIGT_VECTOR(svoigt));

VX_ROUTINE(lamina, GetMisesFlow, "flow = getmisesflow(stress,[nstress])",
           "flow: f8(nstress) out",
           "stress: f8(nstress)",
           "nstress: i4 = len(stress) check(len(stress)==nstress)");
