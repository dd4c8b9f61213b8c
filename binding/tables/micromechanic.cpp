// Python table of the micromechanics routines (component micromechanic).
#include "table.h"
#include "vexlan/micromechanic.h"

// The optional phases of the homogenisations, as the routines take them when
// absent: no voids, no interphase (whose constants are then the matrix's), a
// circular fibre section and spherical voids.
#define VX_VOID_INTERPHASE                                 \
  "vvoid: f8 absent \"0.0\"", "vint: f8 absent \"0.0\"", \
      "interprops: f8(2) absent \"(0.0, 0.0), the matrix values\""
#define VX_FIBRE_SECTION "yzratio: f8 absent \"1.0, circular\""
#define VX_VOID_SHAPE "voidtype: i4 absent \"0, spherical voids\""
#define VX_STRENGTHS "strengthprops: f8(4) absent \"zeros, no strengths\""

// ---- Eshelby and concentration tensors, phase helpers

VX_ROUTINE(micromechanic, GetEshelbyTensor, "et = geteshelbytensor(incltype,inclratio,nu_m,[c_m])",
           VX_VOIGT_MATRIX(et) " out", "incltype: i4", "inclratio: f8", "nu_m: f8",
           VX_VOIGT_MATRIX(c_m) " absent \"zeros, which type 11 refuses (status -3)\"");
VX_ROUTINE(micromechanic, GetStrainConcentrationTensor, "a = getstrainconcentrationtensor(et,cinc,cm,vinc,[atype])",
           VX_VOIGT_MATRIX(a) " out", VX_VOIGT_MATRIX(et), VX_VOIGT_MATRIX(cinc), VX_VOIGT_MATRIX(cm), "vinc: f8",
           "atype: i4 absent \"0, dilute\"");
VX_ROUTINE(micromechanic, GetAverageSCFromDualEquation, "sc = getaveragescfromdualequation(bainc,scinc,scm,vinc)",
           VX_VOIGT_MATRIX(sc) " out", VX_VOIGT_MATRIX(bainc), VX_VOIGT_MATRIX(scinc), VX_VOIGT_MATRIX(scm),
           "vinc: f8");
VX_ROUTINE(micromechanic, GetVoigtComplianceMatrix, "s = getvoigtcompliancematrix(props)",
           VX_VOIGT_MATRIX(s) " out", "props: f8(5)");
VX_ROUTINE(micromechanic, GetEngConstsFromComplianceMatrix, "eng = getengconstsfromcompliancematrix(s)",
           "eng: f8(9) out", VX_VOIGT_MATRIX(s));
VX_ROUTINE(micromechanic, GetFiberBundleComplianceMatrix, "sfb = getfiberbundlecompliancematrix(sf,sinter,vf,vinter)",
           VX_VOIGT_MATRIX(sfb) " out", VX_VOIGT_MATRIX(sf), VX_VOIGT_MATRIX(sinter), "vf: f8", "vinter: f8");
VX_ROUTINE(micromechanic, GetPorousResinComplianceMatrix, "spm = getporousresincompliancematrix(sm,vv,voidtype)",
           VX_VOIGT_MATRIX(spm) " out", VX_VOIGT_MATRIX(sm), "vv: f8", "voidtype: i4");
VX_ROUTINE(micromechanic, GetPhaseReduction,
           "sf,sm = getphasereduction(fiberprops,matrixprops,vf,[vvoid,vint,interprops,voidtype])",
           VX_VOIGT_MATRIX(sf) " out", VX_VOIGT_MATRIX(sm) " out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8",
           VX_VOID_INTERPHASE, VX_VOID_SHAPE);
VX_ROUTINE(micromechanic, GetUDStrengthFromBridgingMatrix,
           "ud = getudstrengthfrombridgingmatrix(bridging,fiberprops,matrixprops,vf)",
           "ud: f8(3) out", VX_VOIGT_MATRIX(bridging), "fiberprops: f8(4)", "matrixprops: f8(5)", "vf: f8");

// ---- Mean-field methods

#define VX_MEANFIELD(SYM, SIG, RES)                                                              \
  VX_ROUTINE(micromechanic, SYM, SIG, RES ": f8(9) out", "fiberprops: f8(5)", "matrixprops: f8(2)", \
             "vf: f8", VX_VOID_INTERPHASE, VX_FIBRE_SECTION, VX_VOID_SHAPE)
VX_MEANFIELD(Dilute, "es = dilute(fiberprops,matrixprops,vf,[vvoid,vint,interprops,yzratio,voidtype])", "es");
VX_MEANFIELD(MoriTanaka, "mt = moritanaka(fiberprops,matrixprops,vf,[vvoid,vint,interprops,yzratio,voidtype])", "mt");
VX_MEANFIELD(Chow, "cw = chow(fiberprops,matrixprops,vf,[vvoid,vint,interprops,yzratio,voidtype])", "cw");
VX_MEANFIELD(Lielens, "li = lielens(fiberprops,matrixprops,vf,[vvoid,vint,interprops,yzratio,voidtype])", "li");
VX_MEANFIELD(Mura, "ma = mura(fiberprops,matrixprops,vf,[vvoid,vint,interprops,yzratio,voidtype])", "ma");

VX_ROUTINE(micromechanic, HashinShtrikman,
           "hs = hashinshtrikman(fiberprops,matrixprops,vf,luflag,[vvoid,vint,interprops,yzratio,voidtype])",
           "hs: f8(9) out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8", "luflag: i4", VX_VOID_INTERPHASE,
           VX_FIBRE_SECTION, VX_VOID_SHAPE);
VX_ROUTINE(micromechanic, CSCS,
           "sc = cscs(fiberprops,matrixprops,vf,[vvoid,vint,interprops,yzratio,voidtype,maxit,threshold])",
           "sc: f8(9) out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8", VX_VOID_INTERPHASE, VX_FIBRE_SECTION,
           VX_VOID_SHAPE, "maxit: i4 absent \"200\"", "threshold: f8 absent \"1e-8\"");
VX_ROUTINE(micromechanic, Voigt, "vt = voigt(fiberprops,matrixprops,vf,[vvoid,vint,interprops,voidtype])",
           "vt: f8(9) out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8", VX_VOID_INTERPHASE, VX_VOID_SHAPE);
VX_ROUTINE(micromechanic, Reuss, "rs = reuss(fiberprops,matrixprops,vf,[vvoid,vint,interprops,voidtype])",
           "rs: f8(9) out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8", VX_VOID_INTERPHASE, VX_VOID_SHAPE);
VX_ROUTINE(micromechanic, Huang,
           "hg = huang(fiberprops,matrixprops,vf,[vvoid,vint,interprops,strengthprops,cp,voidtype])",
           "hg: f8(12) out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8", VX_VOID_INTERPHASE, VX_STRENGTHS,
           "cp: f8(2) absent \"(0.5, 0.5)\"", VX_VOID_SHAPE);
VX_ROUTINE(micromechanic, Cumulative,
           "ch = cumulative(fiberprops,matrixprops,vf,[vvoid,vint,interprops,strengthprops,yzratio,voidtype,rvetype])",
           "ch: f8(12) out", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8", VX_VOID_INTERPHASE, VX_STRENGTHS,
           VX_FIBRE_SECTION, VX_VOID_SHAPE, "rvetype: i4 absent \"1, hexagonal\"");
VX_ROUTINE(micromechanic, GeneralizedMoriTanaka, "cmt = generalizedmoritanaka(cinc,eshinc,vinc,c0,[ninc])",
           VX_VOIGT_MATRIX(cmt) " out", "cinc: f8(6,6,ninc)", "eshinc: f8(6,6,ninc)", "vinc: f8(ninc)",
           VX_VOIGT_MATRIX(c0),
           "ninc: i4 = len(vinc) check(len(vinc)==ninc) check(ninc>=0)");

// ---- Analytical rules

#define VX_RULE(SYM, SIG, RES)                                                                  \
  VX_ROUTINE(micromechanic, SYM, SIG, RES ": f8(4) out", "fiberprops: f8(4)", "matrixprops: f8(2)", \
             "vf: f8")
VX_RULE(RuleOfMixture, "rm = ruleofmixture(fiberprops,matrixprops,vf)", "rm");
VX_RULE(Puck, "pu = puck(fiberprops,matrixprops,vf)", "pu");
VX_RULE(HopkinsChamis, "hc = hopkinschamis(fiberprops,matrixprops,vf)", "hc");
VX_RULE(Abolinsh, "ah = abolinsh(fiberprops,matrixprops,vf)", "ah");

VX_ROUTINE(micromechanic, HalpinTsai, "ht = halpintsai(fiberprops,matrixprops,vf,[zeta])",
           "ht: f8(4) out", "fiberprops: f8(4)", "matrixprops: f8(2)", "vf: f8",
           "zeta: f8(2) absent \"(-1.0, -1.0): 2 + 40 v**10 and 1 + 40 v**10\"");
// csdim 4 reads the four-value fibre record, 5 and 6 the five-value one; any
// other csdim reads none, and the record's own length leaves it open.
VX_ROUTINE(micromechanic, Chamis, "cs = chamis(fiberprops,matrixprops,vf,[csdim])",
           "cs: f8(csdim) out",
           "fiberprops: f8(csdim==4?4:(csdim==5||csdim==6)?5:len(fiberprops))", "matrixprops: f8(2)",
           "vf: f8", "csdim: i4 = 4");
VX_ROUTINE(micromechanic, LTH, "lh = lth(fiberprops,matrixprops,vf,fmflag,tcflag,[mdim])",
           "lh: f8(5) out", "fiberprops: f8(5)", "matrixprops: f8(mdim)", "vf: f8",
           "mdim: i4 = len(matrixprops) check(mdim==2||mdim==5)", "fmflag: i4", "tcflag: i4");
VX_ROUTINE(micromechanic, Krimmer, "km = krimmer(laminaprops,fiberprops,matrixprops,vf)",
           "km: f8(5) out", "laminaprops: f8(3)", "fiberprops: f8(5)", "matrixprops: f8(2)", "vf: f8");
VX_ROUTINE(micromechanic, Foye, "nfoye = foye(laminaprops,matrixprops)",
           "nfoye: f8 ret", "laminaprops: f8(2)", "matrixprops: f8(2)");
