/* Stress laws of one material point (component elasticity): orthotropic,
 * anisotropic (real and complex), isotropic nonlinear, fitted and tabulated
 * laws; a numerical tangent of any of them; the tension/compression picker;
 * and a pressure-dependent elastic-plastic stress update.
 *
 * Every law has the argument list (stress, strain, props, ntens, ndi, nprops)
 * with 6-vectors in the order 11, 22, 33, 12, 13, 23 and engineering shear
 * strains. Matrices are column-major. */
#ifndef VEXLAN_ELASTICITY_H
#define VEXLAN_ELASTICITY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* A stress law on real vectors and on complex vectors. */
typedef void (*vx_stresslaw)(double* stress, const double* strain, const double* props,
                             const int32_t* ntens, const int32_t* ndi, const int32_t* nprops);
typedef void (*vx_cstresslaw)(vx_complex* stress, const vx_complex* strain, const double* props,
                              const int32_t* ntens, const int32_t* ndi, const int32_t* nprops);

/* GetStressFromOrthotropicElasticity: stress = C strain with the on-axis
 * stiffness built from props(nprops) (2, 5, 9, 12, 21 or 36 constants). */
void GetStressFromOrthotropicElasticity(double* stress, const double* strain, const double* props,
                                        const int32_t* ntens, const int32_t* ndi,
                                        const int32_t* nprops);

/* Anisotropic law, complex and real: props holds the column-wise packed upper
 * triangle (nprops < ntens^2) or the full matrix column by column. */
void cGetStressFromAnisotropicHyperelasticity(vx_complex* stress, const vx_complex* strain,
                                              const double* props, const int32_t* ntens,
                                              const int32_t* ndi, const int32_t* nprops);
void fGetStressFromAnisotropicHyperelasticity(double* stress, const double* strain,
                                              const double* props, const int32_t* ntens,
                                              const int32_t* ndi, const int32_t* nprops);

/* getnumericaltangent: tangent of a stress law by complex step or central
 * differences.
 *   ddsdde (out) ddsdde(ntens, ntens)
 *   getstressfromelasticity (in) the law; with nmflag 1 it is called with
 *         complex vectors (a vx_cstresslaw passed through this pointer type)
 *   props (in) props(nprops) handed to the law
 *   stress1, stress0 (in) stress(ntens) at the end and start of the increment
 *   dstrain (in) dstrain(ntens) strain at which to differentiate
 *   ntens, ndi, nprops (in)
 *   istensor (in) 1-byte flag: shears of dstrain are tensor shears (doubled)
 *   tgref (in, optional) tgref(ntens, ntens) reference tangent
 *   h (in, optional) step;  nmflag (in, optional) 1 complex step, else central */
void getnumericaltangent(double* ddsdde, vx_stresslaw getstressfromelasticity,
                         const double* props, const double* stress1, const double* stress0,
                         const double* dstrain, const int32_t* ntens, const int32_t* ndi,
                         const int32_t* nprops, const vx_l1* istensor, const double* tgref,
                         const double* h, const int32_t* nmflag);

/* GetStressFromIsotropicViscoElasticity: dispatcher over the four isotropic
 * secant laws by props(5) (0 Lame, 1 Kaestner, 2 Krause, 3 non-constant
 * Poisson ratio); props: e, gamma, nu, num, selector. Needs ndi 3, ntens 6. */
void GetStressFromIsotropicViscoElasticity(double* stress, const double* strain,
                                           const double* props, const int32_t* ntens,
                                           const int32_t* ndi, const int32_t* nprops);

/* Sub-laws: write the ndi x ndi block of stresstens(3,3) from the trace
 * spureps and the deviatoric strain endstrandev(ndi,ndi). */
void GetLameStress(const double* spureps, const double* endstrandev, const double* g,
                   const double* komp, double* stresstens, const int32_t* ndi);
void GetKaestnerStress(const double* normdev, const double* normvol, const double* spureps,
                       const double* endstrandev, const double* g, const double* gammag,
                       const double* gammak, const double* komp, double* stresstens,
                       const int32_t* ndi);
void GetKrauseStress(const double* normdev, const double* normvol, const double* spureps,
                     const double* endstrandev, const double* g, const double* gammag,
                     const double* gammak, const double* komp, double* stresstens,
                     const int32_t* ndi);
void GetStressFromNonConstPoisson(const double* normdev, const double* normvol,
                                  const double* spureps, const double* endstrandev,
                                  const double* e, const double* g, const double* nu,
                                  const double* num, const double* gamma, double* stresstens,
                                  const int32_t* ndi);

/* GetStressFromDevVolDecomposition: fitted deviatoric/volumetric law
 * (props(5) = 1); ddsdde (out) ddsdde(ntens, ntens) with the secant moduli. */
void GetStressFromDevVolDecomposition(double* stress, const double* strain, const double* props,
                                      const int32_t* ntens, const int32_t* ndi,
                                      const int32_t* nprops, double* ddsdde);

/* GetStressFromNonlinearIsotropic: fixed-point nonlinear isotropic law;
 * props: eini, gamman, gini, nuini, gammas. */
void GetStressFromNonlinearIsotropic(double* stress, const double* strain, const double* props,
                                     const int32_t* ntens, const int32_t* ndi,
                                     const int32_t* nprops);

/* GetStressFromCubicElasticity: tabulated law on a volumetric, deviatoric
 * direct and shear strain split; props: temperature, scale factor.
 *   c (in) not used;  noel (in) not used */
void GetStressFromCubicElasticity(double* stress, const double* endstran, const double* props,
                                  const int32_t* ntens, const int32_t* ndi,
                                  const int32_t* nprops, const double* c, const int32_t* noel);

/* GetComponentsTensionCompression: picks the tension or compression value of
 * each direction by the sign of criterion (> 0 tension).
 *   full_set (in) full_set(9);  reduced_set (out) reduced_set(6)
 *   criterion (in) criterion(6), entries 1..3 read */
void GetComponentsTensionCompression(const double* full_set, double* reduced_set,
                                     const double* criterion);

/* getstressfromplastitcity: elastic predictor, cutting-plane plastic
 * corrector on a paraboloid yield surface with non-associated flow.
 *   stress (in/out) stress(ntens): start of increment in, new stress out
 *   neweqplasticstrain (in/out) equivalent plastic strain
 *   ddsdde (out) ddsdde(ntens, ntens) consistent tangent
 *   stran, dstran (in) strain and increment (engineering shears)
 *   props (in) et, ec, g, nut, nuc, a0, a1, alpha
 *   ntens, ndi, nprops (in);  temp (in) not used */
void getstressfromplastitcity(double* stress, double* neweqplasticstrain, double* ddsdde,
                              const double* stran, const double* dstran, const double* props,
                              const int32_t* ntens, const int32_t* ndi, const int32_t* nprops,
                              const double* temp);

/* getderivatef, getderivateg: gradients of the yield function and the flow
 * potential (6 values, order 11, 22, 33, 12, 13, 23).
 *   result (out) result(6);  stressvector (in) stressvector(nstress)
 *   nstress (in) 3, 4 or 6;  a0, a1 / alpha (in) surface constants */
void getderivatef(double* result, const double* stressvector, const int32_t* nstress,
                  const double* a0, const double* a1);
void getderivateg(double* result, const double* stressvector, const int32_t* nstress,
                  const double* alpha);

#ifdef __cplusplus
}
#endif
#endif
