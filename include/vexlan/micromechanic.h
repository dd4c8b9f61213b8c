/* Micromechanics (component micromechanic): ply properties of a unidirectional
 * ply estimated from its fibre and matrix, with optional interphase and voids.
 *
 * Every 6 x 6 matrix is in Voigt order (11, 22, 33, 23, 13, 12), column-major,
 * acts on engineering shear strains and takes the fibre axis as direction 1.
 * Engineering constants: E1, E2, E3, G23, G13, G12, nu23, nu13, nu12.
 * Transversely isotropic fibre record (5 values): E1, E2, G12, G23, nu12;
 * the four-value rules take E1, E2, G12, nu12. Matrix and interphase: E, nu.
 * Every volume fraction is limited to [0, 1] before use. Optional arguments
 * are NULL when absent. */
#ifndef VEXLAN_MICROMECHANIC_H
#define VEXLAN_MICROMECHANIC_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Eshelby tensors, concentration tensors, phase helpers ------------------ */

/* et       out  6x6 Eshelby tensor (shear diagonal holds twice the tensor entry)
 * incltype in   0 sphere, 1 elliptic cylinder along 1, 2 prolate spheroid along 1,
 *               3 penny with normal 3, 11 cylinder along 1 in a transversely
 *               isotropic host; others: status -3
 * inclratio in  shape ratio of the type
 * nu_m     in   Poisson ratio of the host (types 0 to 3)
 * c_m      in   optional 6x6 host stiffness (type 11; absent counts as zeros) */
void GetEshelbyTensor(double* et, const int32_t* incltype, const double* inclratio,
                      const double* nu_m, const double* c_m);
/* a out: strain concentration tensor of an inclusion cinc in a host cm with
 * Eshelby tensor et at volume fraction vinc; atype 0/absent dilute, 1 and 2
 * Hashin-Shtrikman lower and upper, 3 Mori-Tanaka, 4 Chow, 5 Lielens. */
void GetStrainConcentrationTensor(double* a, const double* et, const double* cinc,
                                  const double* cm, const double* vinc, const int32_t* atype);
/* sc out = scm + vinc (scinc - scm) bainc */
void GetAverageSCFromDualEquation(double* sc, const double* bainc, const double* scinc,
                                  const double* scm, const double* vinc);
/* s out: compliance of a transversely isotropic phase, props = E1, E2, G12, G23, nu12 */
void GetVoigtComplianceMatrix(double* s, const double* props);
/* eng out(9): engineering constants of the compliance s */
void GetEngConstsFromComplianceMatrix(double* eng, const double* s);
/* sfb out: compliance of a fibre sf coated with an interphase sinter */
void GetFiberBundleComplianceMatrix(double* sfb, const double* sf, const double* sinter,
                                    const double* vf, const double* vinter);
/* spm out: compliance of the matrix sm holding voids of fraction vv;
 * voidtype 1 the eight void populations (result made isotropic), else spheres */
void GetPorousResinComplianceMatrix(double* spm, const double* sm, const double* vv,
                                    const int32_t* voidtype);
/* sf, sm out: compliances of the prepared fibre (bundle) and matrix (porous) */
void GetPhaseReduction(double* sf, double* sm, const double* fiberprops, const double* matrixprops,
                       const double* vf, const double* vvoid, const double* vint,
                       const double* interprops, const int32_t* voidtype);
/* ud out(3): longitudinal, transverse and shear strengths of the bridging model;
 * fiberprops(4) = E1, E2, G12, strength; matrixprops(5) = -, -, E, G... as read */
void GetUDStrengthFromBridgingMatrix(double* ud, const double* bridging, const double* fiberprops,
                                     const double* matrixprops, const double* vf);

/* ---- Mean-field homogenisation: result(9) engineering constants ------------ */

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
/* luflag < 1 lower bound, else upper bound */
void HashinShtrikman(double* hs, const double* fiberprops, const double* matrixprops,
                     const double* vf, const int32_t* luflag, const double* vvoid,
                     const double* vint, const double* interprops, const double* yzratio,
                     const int32_t* voidtype);
void Mura(double* ma, const double* fiberprops, const double* matrixprops, const double* vf,
          const double* vvoid, const double* vint, const double* interprops,
          const double* yzratio, const int32_t* voidtype);
/* self-consistent scheme; maxit default 200, threshold default 1e-8 */
void CSCS(double* sc, const double* fiberprops, const double* matrixprops, const double* vf,
          const double* vvoid, const double* vint, const double* interprops,
          const double* yzratio, const int32_t* voidtype, const int32_t* maxit,
          const double* threshold);
void Voigt(double* vt, const double* fiberprops, const double* matrixprops, const double* vf,
           const double* vvoid, const double* vint, const double* interprops,
           const int32_t* voidtype);
void Reuss(double* rs, const double* fiberprops, const double* matrixprops, const double* vf,
           const double* vvoid, const double* vint, const double* interprops,
           const int32_t* voidtype);
/* hg out(12): constants and three strengths; strengthprops(4), cp(2) = alpha, beta */
void Huang(double* hg, const double* fiberprops, const double* matrixprops, const double* vf,
           const double* vvoid, const double* vint, const double* interprops,
           const double* strengthprops, const double* cp, const int32_t* voidtype);
/* ch out(12); rvetype default 1 (hexagonal), 0 square */
void Cumulative(double* ch, const double* fiberprops, const double* matrixprops, const double* vf,
                const double* vvoid, const double* vint, const double* interprops,
                const double* strengthprops, const double* yzratio, const int32_t* voidtype,
                const int32_t* rvetype);
/* cmt out(6,6): Mori-Tanaka stiffness of ninc inclusion phases cinc(6,6,ninc)
 * with Eshelby tensors eshinc(6,6,ninc) and fractions vinc(ninc) in a matrix c0 */
void GeneralizedMoriTanaka(double* cmt, const double* cinc, const double* eshinc,
                           const double* vinc, const double* c0, const int32_t* ninc);

/* ---- Analytical rules: result E1, E2, G12, nu12 unless stated ---------------- */

void RuleOfMixture(double* rm, const double* fiberprops, const double* matrixprops, const double* vf);
/* zeta(2) optional reinforcement factors; absent or (-1, -1): 2 + 40 v^10, 1 + 40 v^10 */
void HalpinTsai(double* ht, const double* fiberprops, const double* matrixprops, const double* vf,
                const double* zeta);
/* cs out(csdim): csdim 4 as above; 5 (E1, E2, G12, G23, nu12) from a five-value
 * fibre; 6 adds nu23; other csdim: zeros */
void Chamis(double* cs, const double* fiberprops, const double* matrixprops, const double* vf,
            const int32_t* csdim);
void Puck(double* pu, const double* fiberprops, const double* matrixprops, const double* vf);
void HopkinsChamis(double* hc, const double* fiberprops, const double* matrixprops, const double* vf);
void Abolinsh(double* ah, const double* fiberprops, const double* matrixprops, const double* vf);
/* lh out(5) = E1, E2, G12, G23, nu12 by the packing cell; matrixprops(mdim),
 * mdim 2 (E, nu) or 5 (E1, E2, G12, G23, nu12); fmflag 0 square, else hexagonal;
 * tcflag 1 corrects the matrix by a first pass */
void LTH(double* lh, const double* fiberprops, const double* matrixprops, const double* vf,
         const int32_t* mdim, const int32_t* fmflag, const int32_t* tcflag);
/* km out(5); laminaprops(3) = E_L, E_T, nu_LT of the ply */
void Krimmer(double* km, const double* laminaprops, const double* fiberprops,
             const double* matrixprops, const double* vf);
/* effective matrix Poisson ratio; laminaprops(2) = E_L, nu_LT */
double Foye(const double* laminaprops, const double* matrixprops);

#ifdef __cplusplus
}
#endif
#endif
