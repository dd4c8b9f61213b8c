/* Micromechanics (component micromechanic): ply properties of a unidirectional
 * ply estimated from its fibre and matrix, with optional interphase and voids.
 *
 * Every 6 x 6 matrix is in Voigt order (11, 22, 33, 23, 13, 12), column-major,
 * acts on engineering shear strains and takes the fibre axis as direction 1.
 * Engineering constants: E1, E2, E3, G23, G13, G12, nu23, nu13, nu12.
 * Transversely isotropic fibre record (5 values): E1, E2, G12, G23, nu12;
 * the four-value rules take E1, E2, G12, nu12. Matrix and interphase: E, nu.
 * Every volume fraction is limited to [0, 1] before use. Optional arguments
 * are NULL when absent. Singular matrices are reported by the matrix inverse
 * (status -2) and the computation goes on. */
#ifndef VEXLAN_MICROMECHANIC_H
#define VEXLAN_MICROMECHANIC_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Eshelby tensors, concentration tensors, phase helpers ------------------ */

/* GetEshelbyTensor: Eshelby tensor of an ellipsoidal inclusion in an
 * isotropic host (or, type 11, a cylinder in a transversely isotropic host),
 * as a 6 x 6 matrix in Voigt order: entry (i, j) with i, j <= 3 is S_iijj and
 * the shear diagonal holds twice the tensor entry (2 S2323, 2 S1313,
 * 2 S1212). The penny shape is a first-order expansion in its thickness
 * ratio. An unknown type, or type 11 with an all-zero or absent host
 * stiffness, records status -3 and gives the zero matrix.
 *   et        (out) 6 x 6 Eshelby tensor
 *   incltype  (in)  0 sphere, 1 elliptic cylinder along axis 1, 2 prolate
 *                   spheroid along axis 1, 3 penny-shaped inclusion with its
 *                   normal along axis 3, 11 circular cylinder along axis 1 in
 *                   a transversely isotropic host
 *   inclratio (in)  shape ratio: type 1 a2 / a3, type 2 a1 / a2 (above 1),
 *                   type 3 a3 / a1 (small), type 11 as type 1; not used for 0
 *   nu_m      (in)  Poisson ratio of the host (types 0 to 3)
 *   c_m       (in, optional) 6 x 6 host stiffness for type 11 (entries 12, 22
 *                   and 23 read) */
void GetEshelbyTensor(double* et, const int32_t* incltype, const double* inclratio,
                      const double* nu_m, const double* c_m);

/* GetStrainConcentrationTensor: strain concentration tensor A of an inclusion
 * phase in a host (inclusion strain = A times the host strain for the dilute
 * scheme, times the average strain for the others). The dilute tensor is
 * [I + E Cm^-1 (Ci - Cm)]^-1; Mori-Tanaka and the lower Hashin-Shtrikman bound
 * scale it by [(1 - v) I + v Adil]^-1; the upper bound exchanges the phases;
 * Chow weights the interaction by 1 - v; Lielens interpolates between both
 * bounds. An unknown atype records status -2 and gives the zero matrix.
 *   a     (out) 6 x 6 strain concentration tensor
 *   et    (in)  6 x 6 Eshelby tensor of the inclusion in the host
 *   cinc  (in)  6 x 6 stiffness of the inclusion
 *   cm    (in)  6 x 6 stiffness of the host
 *   vinc  (in)  volume fraction of the inclusion, limited to [0, 1]
 *   atype (in, optional) scheme: 0 (default) dilute, 1 Hashin-Shtrikman
 *               lower bound, 2 Hashin-Shtrikman upper bound, 3 Mori-Tanaka,
 *               4 Chow, 5 Lielens */
void GetStrainConcentrationTensor(double* a, const double* et, const double* cinc,
                                  const double* cm, const double* vinc, const int32_t* atype);

/* GetAverageSCFromDualEquation: average stiffness or compliance of a two-phase
 * material, sc = scm + v (scinc - scm) bainc: stiffnesses with a strain
 * concentration tensor, or compliances with a stress concentration tensor.
 *   sc    (out) 6 x 6 average stiffness or compliance
 *   bainc (in)  6 x 6 concentration tensor of the inclusion
 *   scinc (in)  6 x 6 stiffness or compliance of the inclusion
 *   scm   (in)  6 x 6 stiffness or compliance of the matrix
 *   vinc  (in)  volume fraction v of the inclusion, limited to [0, 1] */
void GetAverageSCFromDualEquation(double* sc, const double* bainc, const double* scinc,
                                  const double* scm, const double* vinc);

/* GetVoigtComplianceMatrix: compliance of a transversely isotropic phase
 * (isotropic in the 23 plane) in Voigt order, with nu23 = E2 / (2 G23) - 1.
 *   s     (out) 6 x 6 compliance
 *   props (in)  5 values E1, E2, G12, G23, nu12 */
void GetVoigtComplianceMatrix(double* s, const double* props);

/* GetEngConstsFromComplianceMatrix: engineering constants of a compliance in
 * Voigt order: the moduli are the inverse diagonal, nu23 = -s23 E2,
 * nu13 = -s13 E1, nu12 = -s12 E1.
 *   eng (out) 9 values E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   s   (in)  6 x 6 compliance */
void GetEngConstsFromComplianceMatrix(double* eng, const double* s);

/* GetFiberBundleComplianceMatrix: compliance of a fibre coated with an
 * interphase, homogenised as a bundle by Mori-Tanaka with the fibre as a
 * circular cylinder in the interphase, at the fibre share vf / (vf + vinter)
 * of the bundle.
 *   sfb    (out) 6 x 6 compliance of the bundle
 *   sf     (in)  6 x 6 compliance of the fibre
 *   sinter (in)  6 x 6 compliance of the interphase
 *   vf     (in)  fibre volume fraction in the ply
 *   vinter (in)  interphase volume fraction in the ply */
void GetFiberBundleComplianceMatrix(double* sfb, const double* sf, const double* sinter,
                                    const double* vf, const double* vinter);

/* GetPorousResinComplianceMatrix: compliance of a matrix holding voids (zero
 * stiffness). voidtype 1 uses eight fixed void populations (elliptic
 * cylinders, prolate spheroids and penny shapes with fixed shares of the void
 * volume) and makes the result isotropic; any other value takes spherical
 * voids and keeps the result as computed.
 *   spm      (out) 6 x 6 compliance of the porous matrix
 *   sm       (in)  6 x 6 compliance of the matrix
 *   vv       (in)  void volume fraction, limited to [0, 1]
 *   voidtype (in)  1 the eight void populations, otherwise spherical voids */
void GetPorousResinComplianceMatrix(double* spm, const double* sm, const double* vv,
                                    const int32_t* voidtype);

/* GetPhaseReduction: prepares the two phases of the mean-field methods: the
 * fibre compliance (the fibre bundle with its interphase when vint > 0) and
 * the matrix compliance (the porous matrix when vvoid > 0). Matrix and
 * interphase are isotropic with G = E / (2 (1 + nu)). When the fractions
 * add up to more than 1 both compliances are zero; nothing is recorded.
 *   sf, sm      (out) 6 x 6 compliances of the fibre phase and the matrix phase
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction
 *   vvoid       (in, optional) void volume fraction, default 0
 *   vint        (in, optional) interphase volume fraction, default 0
 *   interprops  (in, optional) 2 interphase values E, nu; absent or with a
 *                     sum not above 0: the matrix values
 *   voidtype    (in, optional) positive: the eight void populations; otherwise
 *                     (default) spherical voids */
void GetPhaseReduction(double* sf, double* sm, const double* fiberprops, const double* matrixprops,
                       const double* vf, const double* vvoid, const double* vint,
                       const double* interprops, const int32_t* voidtype);

/* GetUDStrengthFromBridgingMatrix: longitudinal, transverse and in-plane
 * shear strength of a unidirectional ply by the bridging model: for each
 * direction the average stress at which either the fibre reaches its strength
 * or the matrix reaches its ultimate strength after yielding (shear yield
 * taken as the yield strength over sqrt(3)). Only the entries 11, 22 and 66
 * of the bridging matrix enter. A NaN strength gives NaN: the other limit is
 * never taken alone.
 *   ud          (out) 3 strengths: longitudinal, transverse, in-plane shear
 *   bridging    (in)  6 x 6 bridging matrix
 *   fiberprops  (in)  4 fibre values E1, E2, G12, tensile strength
 *   matrixprops (in)  5 matrix values: 1 and 2 not read, 3 modulus, 4 yield
 *                     strength, 5 ultimate strength
 *   vf          (in)  fibre volume fraction, limited to [0, 1] */
void GetUDStrengthFromBridgingMatrix(double* ud, const double* bridging, const double* fiberprops,
                                     const double* matrixprops, const double* vf);

/* ---- Mean-field homogenisation: result(9) engineering constants ------------ */

/* Dilute, MoriTanaka, Chow, Lielens: the nine engineering constants of a
 * unidirectional ply by a mean-field scheme. The phases are prepared by
 * GetPhaseReduction; the fibre (with its interphase, fraction vf + vint) is an
 * elliptic cylinder along axis 1 in the prepared matrix, and the ply
 * stiffness is Cm + v (Cf - Cm) A with the strain concentration tensor A
 * (GetStrainConcentrationTensor) of the routine's scheme.
 * - Dilute: the dilute tensor, no interaction between the fibres;
 * - MoriTanaka: the Mori-Tanaka tensor, the lower Hashin-Shtrikman bound;
 * - Chow: Chow's tensor, for this one fibre phase the same as MoriTanaka;
 * - Lielens: Lielens' interpolation between the two Hashin-Shtrikman bounds.
 *
 * Fractions that add up to more than 1 give zeros; nothing else is recorded
 * besides singular matrices.
 *   es, mt, cw, li (out) 9 values E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction
 *   vvoid       (in, optional) void volume fraction in the ply, default 0
 *   vint        (in, optional) interphase volume fraction, default 0
 *   interprops  (in, optional) 2 interphase values E, nu; default the matrix
 *   yzratio     (in, optional) ratio of the fibre cross-section axes (2 over
 *                     3), default 1 (circular)
 *   voidtype    (in, optional) positive: the eight void populations of
 *                     GetPorousResinComplianceMatrix; otherwise spheres */
void Dilute(double* es, const double* fiberprops, const double* matrixprops, const double* vf,
            const double* vvoid, const double* vint, const double* interprops,
            const double* yzratio, const int32_t* voidtype);
void MoriTanaka(double* mt, const double* fiberprops, const double* matrixprops, const double* vf,
                const double* vvoid, const double* vint, const double* interprops,
                const double* yzratio, const int32_t* voidtype);
void Chow(double* cw, const double* fiberprops, const double* matrixprops, const double* vf,
          const double* vvoid, const double* vint, const double* interprops,
          const double* yzratio, const int32_t* voidtype);
void Lielens(double* li, const double* fiberprops, const double* matrixprops, const double* vf,
             const double* vvoid, const double* vint, const double* interprops,
             const double* yzratio, const int32_t* voidtype);

/* HashinShtrikman: the nine engineering constants of a unidirectional ply by
 * the lower or upper Hashin-Shtrikman estimate; the lower one equals
 * MoriTanaka. Phases, fractions and results as MoriTanaka.
 *   hs          (out) 9 values E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction
 *   luflag      (in)  below 1 the lower bound, otherwise the upper bound
 *   vvoid       (in, optional) void volume fraction in the ply, default 0
 *   vint        (in, optional) interphase volume fraction, default 0
 *   interprops  (in, optional) 2 interphase values E, nu; default the matrix
 *   yzratio     (in, optional) ratio of the fibre cross-section axes,
 *                     default 1 (circular)
 *   voidtype    (in, optional) positive: the eight void populations; otherwise
 *                     spheres */
void HashinShtrikman(double* hs, const double* fiberprops, const double* matrixprops,
                     const double* vf, const int32_t* luflag, const double* vvoid,
                     const double* vint, const double* interprops, const double* yzratio,
                     const int32_t* voidtype);

/* Mura: the nine engineering constants of a unidirectional ply by the closed
 * form C = Cm [Cm - (1 - v)(Cm - Cf) E]^-1 [Cm - (Cm - Cf)(E - v (E - I))] with
 * the Eshelby tensor E of the fibre cylinder. Phases, fractions and results
 * as MoriTanaka.
 *   ma          (out) 9 values E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction
 *   vvoid       (in, optional) void volume fraction in the ply, default 0
 *   vint        (in, optional) interphase volume fraction, default 0
 *   interprops  (in, optional) 2 interphase values E, nu; default the matrix
 *   yzratio     (in, optional) ratio of the fibre cross-section axes,
 *                     default 1 (circular)
 *   voidtype    (in, optional) positive: the eight void populations; otherwise
 *                     spheres */
void Mura(double* ma, const double* fiberprops, const double* matrixprops, const double* vf,
          const double* vvoid, const double* vint, const double* interprops,
          const double* yzratio, const int32_t* voidtype);

/* CSCS: the nine engineering constants of a unidirectional ply by the
 * self-consistent scheme: the effective stiffness C = Cm + v (Cf - Cm) A(C),
 * where A(C) is the dilute strain concentration tensor of the fibre cylinder
 * placed in the medium C itself. Each pass puts the fibre into the current
 * medium; the passes are combined by Anderson mixing (the last four) and
 * kept to symmetric positive-definite media, which converges for ordinary
 * plies in a few dozen passes where plain repetition creeps or drifts away.
 * The state is reached when no entry of the concentration tensor differs
 * from the one that built the medium by more than threshold (in magnitude).
 * When maxit passes end without that, status -1 "No convergence in CSCS" is
 * recorded and the constants of the last pass are returned. A maxit below 1
 * does no pass and gives the matrix constants, with nothing recorded. The
 * phases are prepared as for MoriTanaka (GetPhaseReduction, the fibre with
 * its interphase an elliptic cylinder of axis ratio yzratio), and fractions
 * that add up to more than 1 give zeros.
 *   sc          (out) 9 values E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction
 *   vvoid       (in, optional) void volume fraction in the ply, default 0
 *   vint        (in, optional) interphase volume fraction, default 0
 *   interprops  (in, optional) 2 interphase values E, nu; default the matrix
 *   yzratio     (in, optional) ratio of the fibre cross-section axes,
 *                     default 1 (circular)
 *   voidtype    (in, optional) positive: the eight void populations; otherwise
 *                     spheres
 *   maxit       (in, optional) largest number of passes, default 200
 *   threshold   (in, optional) largest change of an entry of the
 *                     concentration tensor at convergence, default 1e-8 */
void CSCS(double* sc, const double* fiberprops, const double* matrixprops, const double* vf,
          const double* vvoid, const double* vint, const double* interprops,
          const double* yzratio, const int32_t* voidtype, const int32_t* maxit,
          const double* threshold);

/* Voigt / Reuss: the nine engineering constants of a unidirectional ply by
 * an average of the phases prepared by GetPhaseReduction.
 * - Voigt: the stiffness average Cm + v (Cf - Cm), the upper bound;
 * - Reuss: the compliance average Sm + v (Sf - Sm), the lower bound.
 *
 * Fractions that add up to more than 1 give zeros.
 *   vt, rs      (out) 9 values E1, E2, E3, G23, G13, G12, nu23, nu13, nu12
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction
 *   vvoid       (in, optional) void volume fraction in the ply, default 0
 *   vint        (in, optional) interphase volume fraction, default 0
 *   interprops  (in, optional) 2 interphase values E, nu; default the matrix
 *   voidtype    (in, optional) positive: the eight void populations; otherwise
 *                     spheres */
void Voigt(double* vt, const double* fiberprops, const double* matrixprops, const double* vf,
           const double* vvoid, const double* vint, const double* interprops,
           const int32_t* voidtype);
void Reuss(double* rs, const double* fiberprops, const double* matrixprops, const double* vf,
           const double* vvoid, const double* vint, const double* interprops,
           const int32_t* voidtype);

/* Huang: engineering constants and strengths of a unidirectional ply by the
 * bridging model: a bridging matrix built from the phase moduli with
 * the bridging parameters alpha (normal) and beta (shear) gives the ply
 * compliance (v Sf + w Sm A)(v I + w A)^-1, w = 1 - v; the strengths follow
 * from GetUDStrengthFromBridgingMatrix. Without strength data (absent or all
 * zero) entries 10 to 12 are zero. Fractions as MoriTanaka. Where fibre and
 * matrix have the same longitudinal compliance there is no coupling term to
 * bridge, so a fibre equal to the matrix gives the matrix constants.
 *   hg            (out) 12 values: the nine constants E1, E2, E3, G23, G13,
 *                       G12, nu23, nu13, nu12, then the longitudinal,
 *                       transverse and in-plane shear strength
 *   fiberprops    (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops   (in)  2 matrix values E, nu
 *   vf            (in)  fibre volume fraction
 *   vvoid         (in, optional) void volume fraction in the ply, default 0
 *   vint          (in, optional) interphase volume fraction, default 0
 *   interprops    (in, optional) 2 interphase values E, nu; default the matrix
 *   strengthprops (in, optional) 4 values: fibre tensile strength, matrix
 *                       modulus for the stress split, matrix yield strength,
 *                       matrix ultimate strength
 *   cp            (in, optional) 2 bridging parameters alpha, beta, each
 *                       limited to [0, 1]; default 0.5, 0.5
 *   voidtype      (in, optional) positive: the eight void populations;
 *                       otherwise spheres */
void Huang(double* hg, const double* fiberprops, const double* matrixprops, const double* vf,
           const double* vvoid, const double* vint, const double* interprops,
           const double* strengthprops, const double* cp, const int32_t* voidtype);

/* Cumulative: engineering constants and strengths of a unidirectional ply by
 * a combined model: the stress concentration of the fibre cylinder is scaled
 * entry by entry so that the bridging form reproduces the Mori-Tanaka and
 * packing-cell (LTH) reference plies, then carried over to the elliptic fibre
 * section; strengths as Huang. Fractions as MoriTanaka. As in Huang, equal
 * longitudinal compliances of fibre and matrix leave no coupling term, so a
 * fibre equal to the matrix gives the matrix constants.
 *   ch            (out) 12 values: the nine constants E1, E2, E3, G23, G13,
 *                       G12, nu23, nu13, nu12, then the longitudinal,
 *                       transverse and in-plane shear strength (zero without
 *                       strength data)
 *   fiberprops    (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops   (in)  2 matrix values E, nu
 *   vf            (in)  fibre volume fraction
 *   vvoid         (in, optional) void volume fraction in the ply, default 0
 *   vint          (in, optional) interphase volume fraction, default 0
 *   interprops    (in, optional) 2 interphase values E, nu; default the matrix
 *   strengthprops (in, optional) 4 strength values as Huang
 *   yzratio       (in, optional) ratio of the fibre cross-section axes,
 *                       default 1 (circular)
 *   voidtype      (in, optional) positive: the eight void populations;
 *                       otherwise spheres
 *   rvetype       (in, optional) fibre packing of the LTH reference: 0 square,
 *                       otherwise (default 1) hexagonal */
void Cumulative(double* ch, const double* fiberprops, const double* matrixprops, const double* vf,
                const double* vvoid, const double* vint, const double* interprops,
                const double* strengthprops, const double* yzratio, const int32_t* voidtype,
                const int32_t* rvetype);

/* GeneralizedMoriTanaka: Mori-Tanaka stiffness of a matrix holding several
 * inclusion phases, each given by its stiffness, Eshelby tensor and volume
 * fraction: (f0 C0 + sum v_k C_k A_k)(f0 I + sum v_k A_k)^-1 with the dilute
 * tensors A_k and the matrix fraction f0 = 1 - sum v_k. With ninc 0 it is c0.
 * A NaN fraction, or fractions that sum above 1 by more than 1e-12, record
 * status -2 "Inclusion fractions are NaN or sum above 1 in
 * GeneralizedMoriTanaka" in the error record and give the zero matrix.
 *   cmt    (out) 6 x 6 effective stiffness; zero when the fractions are
 *                refused
 *   cinc   (in)  6 x 6 x ninc inclusion stiffnesses
 *   eshinc (in)  6 x 6 x ninc Eshelby tensors of the inclusions in the matrix
 *   vinc   (in)  ninc volume fractions, each limited to [0, 1]
 *   c0     (in)  6 x 6 matrix stiffness
 *   ninc   (in)  number of inclusion phases */
void GeneralizedMoriTanaka(double* cmt, const double* cinc, const double* eshinc,
                           const double* vinc, const double* c0, const int32_t* ninc);

/* ---- Analytical rules: result E1, E2, G12, nu12 unless stated ---------------- */

/* RuleOfMixture: in-plane constants of a unidirectional ply by the rules of
 * mixtures: E1 and nu12 by the rule of mixtures, E2 and G12 by the inverse
 * rule, Mf M / (v M + (1 - v) Mf). The matrix shear modulus is
 * E / (2 (1 + nu)). Nothing is checked.
 *   rm          (out) 4 values E1, E2, G12, nu12
 *   fiberprops  (in)  4 fibre values E1, E2, G12, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1] */
void RuleOfMixture(double* rm, const double* fiberprops, const double* matrixprops, const double* vf);

/* HalpinTsai: in-plane constants of a unidirectional ply by the Halpin-Tsai
 * equations: E1 and nu12 by the rule of mixtures, E2 and G12 as
 * M (1 + xi eta v) / (1 - eta v) with eta = (Mf / M - 1) / (Mf / M + xi).
 *   ht          (out) 4 values E1, E2, G12, nu12
 *   fiberprops  (in)  4 fibre values E1, E2, G12, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1]
 *   zeta        (in, optional) 2 reinforcement factors xi for E2 and G12;
 *                     absent or (-1, -1): 2 + 40 v^10 and 1 + 40 v^10 */
void HalpinTsai(double* ht, const double* fiberprops, const double* matrixprops, const double* vf,
                const double* zeta);

/* Chamis: constants of a unidirectional ply by the Chamis equations: E1 and
 * nu12 by the rule of mixtures, E2, G12 and G23 as M / (1 - (1 - M / Mf)
 * sqrt(v)), and nu23 = E2 / (2 G23) - 1. Any other csdim reads no input
 * value and gives csdim zeros (none below 1; from Python, a negative csdim
 * is a ValueError).
 *   cs          (out) csdim values: 4 (E1, E2, G12, nu12), 5 (E1, E2, G12,
 *                     G23, nu12) or 6 (the five and nu23)
 *   fiberprops  (in)  fibre values: 4 (E1, E2, G12, nu12) for csdim 4, 5
 *                     (E1, E2, G12, G23, nu12) for csdim 5 and 6, none read
 *                     for any other csdim (from Python, any record then; a
 *                     record of another length for csdim 4 to 6 is a
 *                     ValueError)
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1]
 *   csdim       (in)  number of results: 4, 5 or 6 */
void Chamis(double* cs, const double* fiberprops, const double* matrixprops, const double* vf,
            const int32_t* csdim);

/* Puck: in-plane constants of a unidirectional ply by Puck's empirical
 * rules: E1 and nu12 by the rule of mixtures, E2 from the plane-strain
 * matrix modulus E / (1 - nu^2) with the factor 1 + 0.85 v^2, G12 with the
 * factor 1 + 0.4 sqrt(v). Nothing is checked.
 *   pu          (out) 4 values E1, E2, G12, nu12
 *   fiberprops  (in)  4 fibre values E1, E2, G12, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1] */
void Puck(double* pu, const double* fiberprops, const double* matrixprops, const double* vf);

/* HopkinsChamis: in-plane constants of a unidirectional ply by the
 * Hopkins-Chamis rules: E1 and nu12 by the rule of mixtures, E2 and G12 as
 * M [s / (1 - (1 - M / Mf) s) + 1 - s] with s = sqrt(v). Nothing is checked.
 *   hc          (out) 4 values E1, E2, G12, nu12
 *   fiberprops  (in)  4 fibre values E1, E2, G12, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1] */
void HopkinsChamis(double* hc, const double* fiberprops, const double* matrixprops, const double* vf);

/* Abolinsh: in-plane constants of a unidirectional ply by Abolinsh's rules:
 * E1 and nu12 by the rule of mixtures, E2 with the Poisson-ratio mismatch of
 * fibre and matrix, G12 from the shear modulus ratio. Nothing is checked.
 *   ah          (out) 4 values E1, E2, G12, nu12
 *   fiberprops  (in)  4 fibre values E1, E2, G12, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1] */
void Abolinsh(double* ah, const double* fiberprops, const double* matrixprops, const double* vf);

/* LTH: constants of a unidirectional ply by a packing-cell rule: E1 and nu12
 * by the rule of mixtures, the transverse moduli E2, G12, G23 by integrating
 * strips across a square or hexagonal fibre cell. The matrix may be given
 * transversely isotropic, or corrected by a first pass and Krimmer's rule.
 * The fibre fraction is limited to 0.75 (square) or 0.9 (hexagonal); equal
 * fibre and matrix moduli give the matrix modulus. From Python mdim is the
 * length of matrixprops, and a length other than 2 or 5 is refused with
 * ValueError before the call. A C caller passes 2 or 5 as well: an mdim below
 * 2 records status -2 "Fewer than 2 matrix values in LTH" and gives NaN, and
 * 3 or 4 are not checked and mix up the matrix values.
 *   lh          (out) 5 values E1, E2, G12, G23, nu12
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  mdim matrix values: (E, nu) or (E1, E2, G12, G23, nu12)
 *   vf          (in)  fibre volume fraction
 *   mdim        (in)  2 isotropic or 5 transversely isotropic matrix
 *   fmflag      (in)  fibre packing: 0 square, otherwise hexagonal
 *   tcflag      (in)  1 with an isotropic matrix: correct the matrix by a
 *                     first pass and Krimmer; otherwise not */
void LTH(double* lh, const double* fiberprops, const double* matrixprops, const double* vf,
         const int32_t* mdim, const int32_t* fmflag, const int32_t* tcflag);

/* Krimmer: matrix constants corrected for the constraint of the fibres, from
 * the constants of the ply, the fibre and the matrix; LTH uses them as the
 * matrix of its second pass. The transverse shear modulus uses the effective
 * matrix Poisson ratio of Foye.
 *   km          (out) 5 corrected matrix values E1, E2, G12, G23, nu12
 *   laminaprops (in)  3 ply values E_L, E_T, nu_LT
 *   fiberprops  (in)  5 fibre values E1, E2, G12, G23, nu12
 *   matrixprops (in)  2 matrix values E, nu
 *   vf          (in)  fibre volume fraction, limited to [0, 1] */
void Krimmer(double* km, const double* laminaprops, const double* fiberprops,
             const double* matrixprops, const double* vf);

/* Foye: effective Poisson ratio of the matrix inside a ply,
 * nu [(1 + nu) - (E / E_L) nu_LT] / [(1 - nu^2) + nu_LT nu (E / E_L)].
 *   laminaprops (in)  2 ply values E_L, nu_LT
 *   matrixprops (in)  2 matrix values E, nu
 *   result      (ret) the effective matrix Poisson ratio */
double Foye(const double* laminaprops, const double* matrixprops);

#ifdef __cplusplus
}
#endif
#endif
