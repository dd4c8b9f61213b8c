/* Stress laws of one material point (component elasticity): orthotropic,
 * anisotropic (real and complex), isotropic nonlinear, fitted and tabulated
 * laws; a numerical tangent of any of them; the tension/compression picker;
 * and a pressure-dependent elastic-plastic stress update.
 *
 * Every law has the argument list (stress, strain, props, ntens, ndi, nprops)
 * with 6-vectors in the order 11, 22, 33, 12, 13, 23 and engineering shear
 * strains. Matrices are column-major. A law called (natively) with fewer
 * constants or components than it reads refuses the call: status -2 "Too few
 * material properties in <routine>" or "Unsupported dimension in <routine>"
 * in the error record, and NaN in its ntens stress values. */
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

/* GetStressFromOrthotropicElasticity: linear elastic stress = C strain of an
 * orthotropic ply, with the on-axis stiffness C in Nye order built from the
 * constants by GetGeneralizedNyeOnAxisSC (3-D form for ntens 4 and 6, plane
 * stress for 3; a given 36-value matrix is used unsymmetrised). Errors of
 * that routine are recorded there. From C, nothing happens for ntens below 1,
 * and another ntens than 3, 4 or 6 records status -2 "Unsupported dimension
 * in GetStressFromOrthotropicElasticity" and gives NaN stress. From Python,
 * ntens is the length of strain, and an ntens other than 3, 4 or 6, an ndi
 * outside 0..ntens or fewer than 2 constants are refused with ValueError
 * before the call.
 *   stress (out) ntens stress values; NaN when refused
 *   strain (in)  ntens strain values, engineering shears: (11, 22, 12),
 *                (11, 22, 33, 12) or Nye order
 *   props  (in)  nprops ply constants: 2, 5, 9 or 12 engineering constants,
 *                21 (packed upper triangle) or 36 stiffness values
 *   ntens  (in)  number of components: 3, 4 or 6
 *   ndi    (in)  number of direct components, not used
 *   nprops (in)  number of values in props */
void GetStressFromOrthotropicElasticity(double* stress, const double* strain, const double* props,
                                        const int32_t* ntens, const int32_t* ndi,
                                        const int32_t* nprops);

/* cGetStressFromAnisotropicHyperelasticity,
 * fGetStressFromAnisotropicHyperelasticity: the linear anisotropic law
 * stress = C strain, on complex vectors (for the complex-step tangent) and on
 * real vectors. With fewer than ntens^2 values, props is the upper triangle
 * of a symmetric C packed column by column (C11; C12, C22; C13, C23, C33;
 * ...); otherwise the first ntens^2 values are the full C column by column,
 * used unsymmetrised. Fewer than ntens (ntens + 1) / 2 values record status
 * -2 "Too few material properties in <routine>" and give NaN stress (NaN in
 * both parts for the c variant); nothing happens for ntens below 1. That
 * status is what a C caller gets: from Python, where ntens is the length of
 * strain, too few values are refused with ValueError before the call, and
 * so is a negative ntens.
 *   stress (out) ntens stress values (complex for the c variant); NaN when
 *                refused
 *   strain (in)  ntens strain values, engineering shears (complex for the c
 *                variant)
 *   props  (in)  nprops stiffness values, packed or full
 *   ntens  (in)  number of components
 *   ndi    (in)  number of direct components, not used
 *   nprops (in)  number of values: ntens (ntens + 1) / 2 packed, or ntens^2 */
void cGetStressFromAnisotropicHyperelasticity(vx_complex* stress, const vx_complex* strain,
                                              const double* props, const int32_t* ntens,
                                              const int32_t* ndi, const int32_t* nprops);
void fGetStressFromAnisotropicHyperelasticity(double* stress, const double* strain,
                                              const double* props, const int32_t* ntens,
                                              const int32_t* ndi, const int32_t* nprops);

/* getnumericaltangent: tangent d stress / d strain of a stress law at the
 * strain dstrain, by the complex step (nmflag 1, one law call per column, the
 * law must accept complex vectors) or by central differences (two calls per
 * column). When a nonzero reference tangent already reproduces the stress
 * increment exactly (tgref dstrain = stress1 - stress0), it is returned
 * without calling the law. The step is h, or else, for central
 * differences, the largest magnitude among the strain components (tensor
 * shears doubled) times 2^-26 and at least 1e-8, so that a compressive
 * strain gets a step on its own scale; for the complex step, the largest
 * (signed) entry of dstrain times 2^-26. A zero step becomes 1e-8 and a NaN
 * strain gives a NaN step. Nothing is recorded here;
 * a law that refuses its arguments records its own status -2 and its NaN
 * stress carries into the tangent.
 *   ddsdde  (out) ntens x ntens tangent
 *   getstressfromelasticity (in) the stress law, with the argument list
 *                 (stress, strain, props, ntens, ndi, nprops); with nmflag 1
 *                 a law on complex vectors passed through this pointer type
 *   props   (in)  nprops material values handed to the law
 *   stress1 (in)  ntens stress values at the end of the increment
 *   stress0 (in)  ntens stress values at the start of the increment
 *   dstrain (in)  ntens strain values at which to differentiate
 *   ntens   (in)  number of components
 *   ndi     (in)  number of direct components
 *   nprops  (in)  number of values in props
 *   istensor (in) 1-byte flag: true when the shears of dstrain are tensor
 *                 shears (doubled before use)
 *   tgref   (in, optional) ntens x ntens reference tangent; absent or all
 *                 zero: always differentiate
 *   h       (in, optional) step of the differences
 *   nmflag  (in, optional) 1 complex step, otherwise (default) central
 *                 differences */
void getnumericaltangent(double* ddsdde, vx_stresslaw getstressfromelasticity,
                         const double* props, const double* stress1, const double* stress0,
                         const double* dstrain, const int32_t* ntens, const int32_t* ndi,
                         const int32_t* nprops, const vx_l1* istensor, const double* tgref,
                         const double* h, const int32_t* nmflag);

/* GetStressFromIsotropicViscoElasticity: isotropic nonlinear secant law of a
 * resin: splits the strain into its trace and deviator and applies one of
 * four sub-laws (GetLameStress, GetKaestnerStress, GetKrauseStress,
 * GetStressFromNonConstPoisson) with G = E / (2 (1 + nu)) and K = E / (3
 * (1 - 2 nu)). Another selector gives a zero stress; nothing is recorded.
 * Works on the full 3-D state (ndi 3, ntens 6). From C, ntens below 6 records
 * status -2 "Unsupported dimension in GetStressFromIsotropicViscoElasticity",
 * nprops below 5 "Too few material properties in
 * GetStressFromIsotropicViscoElasticity"; the stress is NaN then. From
 * Python, a strain of other than 6 values, an ndi other than 3 or fewer than
 * 5 constants are refused with ValueError before the call.
 *   stress (out) 6 stress values in Nye order; NaN when refused
 *   strain (in)  6 strain values in Nye order, engineering shears
 *   props  (in)  5 values: E, nonlinearity parameter gamma, nu, Poisson-ratio
 *                slope num, law selector (0 linear, 1 hyperbolic, 2
 *                exponential reduction, 3 non-constant Poisson ratio)
 *   ntens  (in)  number of components, 6
 *   ndi    (in)  number of direct components, 3
 *   nprops (in)  number of values in props, at least 5 */
void GetStressFromIsotropicViscoElasticity(double* stress, const double* strain,
                                           const double* props, const int32_t* ntens,
                                           const int32_t* ndi, const int32_t* nprops);

/* GetLameStress: linear isotropic stress 2 G d + K tr(eps) I from the strain
 * trace and the deviatoric strain tensor. Only the ndi x ndi block of
 * stresstens is written. From C, an ndi above 3 records status -2 "More than
 * 3 direct components in GetLameStress" and writes nothing; from Python ndi
 * is the extent of endstrandev, and a matrix that is not square or larger
 * than 3 x 3 is refused with ValueError before the call.
 *   spureps     (in)  trace of the strain
 *   endstrandev (in)  ndi x ndi deviatoric strain tensor (tensor shears)
 *   g           (in)  shear modulus G
 *   komp        (in)  bulk modulus K
 *   stresstens  (out) 3 x 3 stress tensor
 *   ndi         (in)  number of direct components, at most 3 */
void GetLameStress(const double* spureps, const double* endstrandev, const double* g,
                   const double* komp, double* stresstens, const int32_t* ndi);

/* GetKaestnerStress / GetKrauseStress: isotropic secant stress with the shear
 * and bulk moduli reduced separately, 2 (1 - dng) G d + (1 - dnk) K tr(eps)
 * I, by a law of the deviatoric and volumetric strain norms:
 * GetKaestnerStress by the hyperbolic one (NLKaestner), GetKrauseStress by
 * the exponential one (NLKrause). Only the ndi x ndi block of stresstens is
 * written. From C, an ndi above 3 records status -2 "More than 3 direct
 * components in <routine>" and writes nothing; from Python ndi is the extent
 * of endstrandev, and a matrix that is not square or larger than 3 x 3 is
 * refused with ValueError before the call.
 *   normdev     (in)  norm of the deviatoric strain
 *   normvol     (in)  volumetric strain measure, |trace|
 *   spureps     (in)  trace of the strain
 *   endstrandev (in)  ndi x ndi deviatoric strain tensor (tensor shears)
 *   g           (in)  shear modulus G
 *   gammag      (in)  nonlinearity parameter of the deviatoric part
 *   gammak      (in)  nonlinearity parameter of the volumetric part
 *   komp        (in)  bulk modulus K
 *   stresstens  (out) 3 x 3 stress tensor
 *   ndi         (in)  number of direct components, at most 3 */
void GetKaestnerStress(const double* normdev, const double* normvol, const double* spureps,
                       const double* endstrandev, const double* g, const double* gammag,
                       const double* gammak, const double* komp, double* stresstens,
                       const int32_t* ndi);
void GetKrauseStress(const double* normdev, const double* normvol, const double* spureps,
                     const double* endstrandev, const double* g, const double* gammag,
                     const double* gammak, const double* komp, double* stresstens,
                     const int32_t* ndi);

/* GetStressFromNonConstPoisson: isotropic secant stress with a shear modulus
 * reduced by the deviatoric strain, Geff = G / (gamma sqrt(2) normdev + 1),
 * and a Poisson ratio that grows with the loss of modulus, nueff = nu + num
 * (E - 2 Geff (1 + nueff)), limited to 0.47. Only the ndi x ndi block of
 * stresstens is written. From C, an ndi above 3 records status -2 "More than
 * 3 direct components in GetStressFromNonConstPoisson" and writes nothing;
 * from Python ndi is the extent of endstrandev, and a matrix that is not
 * square or larger than 3 x 3 is refused with ValueError before the call.
 *   normdev     (in)  norm of the deviatoric strain
 *   normvol     (in)  volumetric strain measure, not used
 *   spureps     (in)  trace of the strain
 *   endstrandev (in)  ndi x ndi deviatoric strain tensor (tensor shears)
 *   e           (in)  Young's modulus E
 *   g           (in)  shear modulus G
 *   nu          (in)  initial Poisson ratio
 *   num         (in)  Poisson-ratio slope per unit of modulus lost
 *   gamma       (in)  nonlinearity parameter
 *   stresstens  (out) 3 x 3 stress tensor
 *   ndi         (in)  number of direct components, at most 3 */
void GetStressFromNonConstPoisson(const double* normdev, const double* normvol,
                                  const double* spureps, const double* endstrandev,
                                  const double* e, const double* g, const double* nu,
                                  const double* num, const double* gamma, double* stresstens,
                                  const int32_t* ndi);

/* GetStressFromDevVolDecomposition: fitted nonlinear law of a resin: secant
 * moduli of the deviatoric direct, volumetric and shear strain parts, each
 * exponential up to a threshold and hyperbolic beyond, with separate tension
 * and compression sets chosen by the sign of the trace (zero counts as
 * tension). The constants are fixed and fitted in MPa. Works on the full 3-D
 * state; a props(5) other than 1 gives a zero stress and tangent. From C, an
 * ntens below 6 or an ndi outside 0..ntens records status -2 "Unsupported
 * dimension in GetStressFromDevVolDecomposition", nprops below 5 "Too few
 * material properties in GetStressFromDevVolDecomposition"; stress and ddsdde
 * are NaN then (nothing is written for an ntens below 1). From Python, a
 * strain of other than 6 values, an ndi other than 3 or fewer than 5 values
 * in props are refused with ValueError before the call.
 *   stress (out) 6 stress values in Nye order; NaN when refused
 *   strain (in)  6 strain values in Nye order, engineering shears
 *   props  (in)  nprops values; only props(5), which must be 1, is read
 *   ntens  (in)  number of components, 6
 *   ndi    (in)  number of direct components, 3
 *   nprops (in)  number of values in props, at least 5
 *   ddsdde (out) ntens x ntens tangent with the secant moduli held fixed;
 *                NaN when refused */
void GetStressFromDevVolDecomposition(double* stress, const double* strain, const double* props,
                                      const int32_t* ntens, const int32_t* ndi,
                                      const int32_t* nprops, double* ddsdde);

/* GetStressFromNonlinearIsotropic: isotropic law whose modulus falls with the
 * norm of the direct strains and whose shear modulus falls with the norm of
 * the engineering shears; the Poisson ratio rises by 4e-5 per unit of modulus
 * lost (limited to 0.46) and is found by a fixed point of at most six extra
 * passes, each printing a line "Iteration k" to standard output. A zero
 * modulus or Poisson ratio gives non-finite values, with nothing recorded. An
 * ntens below 3 or an ndi above ntens records status -2 "Unsupported
 * dimension in GetStressFromNonlinearIsotropic", nprops below 5 "Too few
 * material properties in GetStressFromNonlinearIsotropic"; the stress is NaN
 * then. These statuses are what a C caller gets: from Python, where ntens is
 * the length of strain, they are refused with ValueError before the call (and
 * so is a negative ndi).
 *   stress (out) ntens stress values; NaN when refused
 *   strain (in)  ntens strain values, engineering shears; the first three are
 *                the direct strains
 *   props  (in)  5 values: initial modulus eini, normal nonlinearity gamman,
 *                initial shear modulus gini, initial Poisson ratio nuini,
 *                shear nonlinearity gammas
 *   ntens  (in)  number of components, at least 3
 *   ndi    (in)  number of direct components
 *   nprops (in)  number of values in props, at least 5 */
void GetStressFromNonlinearIsotropic(double* stress, const double* strain, const double* props,
                                     const int32_t* ntens, const int32_t* ndi,
                                     const int32_t* nprops);

/* GetStressFromCubicElasticity: tabulated law of a resin on a split of the
 * strain into its volumetric, deviatoric direct and shear parts, each scaled
 * by a coefficient interpolated (cubic Hermite) over the norm of that part
 * and the temperature from the alpha tables of the material data; the first
 * two norms carry the sign of the trace. A missing table records status -2
 * and gives a zero coefficient. Works on the full 3-D state. From C, ntens
 * below 6 records status -2 "Unsupported dimension in
 * GetStressFromCubicElasticity", nprops below 2 "Too few material properties
 * in GetStressFromCubicElasticity"; the stress is NaN then. From Python, an
 * endstran of other than 6 values, an ndi other than 3 or fewer than 2 values
 * in props are refused with ValueError before the call.
 *   stress   (out) 6 stress values in Nye order; NaN when refused
 *   endstran (in)  6 total strain values in Nye order, engineering shears
 *   props    (in)  2 values: temperature (kelvin), scale factor of the stress
 *   ntens    (in)  number of components, 6
 *   ndi      (in)  number of direct components, 3
 *   nprops   (in)  number of values in props, at least 2
 *   c        (in)  accepted, not used
 *   noel     (in)  element number, not used */
void GetStressFromCubicElasticity(double* stress, const double* endstran, const double* props,
                                  const int32_t* ntens, const int32_t* ndi,
                                  const int32_t* nprops, const double* c, const int32_t* noel);

/* GetComponentsTensionCompression: picks for each of the directions 1, 2, 3
 * the tension or the compression value by the sign of the criterion
 * (positive: tension, zero or negative: compression; a NaN criterion has no
 * sign and gives NaN); the three shear values are copied.
 *   full_set    (in)  9 values: tension and compression value of direction 1,
 *                     of 2, of 3, then three shear values
 *   reduced_set (out) 6 values: the picked values of 1, 2, 3 and the shears
 *   criterion   (in)  6 values, the first three read (e.g. the stresses 11,
 *                     22, 33) */
void GetComponentsTensionCompression(const double* full_set, double* reduced_set,
                                     const double* criterion);

/* getstressfromplastitcity: small-strain elastic-plastic stress update of a
 * resin with the pressure-dependent yield surface F = svm^2 - a0 - a1 p and
 * the non-associated flow potential G = svm^2 + alpha p^2 (svm von Mises
 * stress, p mean stress): elastic predictor with the tension or compression
 * constants (by the sign of the strain trace), then at most 10 cutting-plane
 * passes back to F = 0. The elastic matrix C acts on tensor shears (the
 * engineering shears of dstran are halved). After flow the tangent is
 * C - (C g)(f^T C)/(f^T C g), f and g the gradients of F and G at the
 * returned stress (getderivatef, getderivateg): the continuum elasto-plastic
 * tangent, with no stiffness along g, and not a multiple of C (the multiple
 * (1 - g^T C g/f^T C g) C is zero for von Mises flow, alpha = a1 = 0, and
 * turns negative in most plastic states otherwise). It is not the algorithmic
 * tangent of the cutting-plane update: finite differences of the update
 * agree with it just past the onset of yield and differ from it by a median
 * of 6 %, 27 % and 49 % (relative Frobenius norm, random strain directions)
 * for increments 1.1, 1.5 and 2 times the one that reaches the surface,
 * 24 % over increments spread evenly between 1 and 2 times. When the
 * corrector does not reach |F| <= 1e-4 it records status -1 and returns the
 * last stress. A trial F that is NaN (a NaN a0 or a1, or a NaN stress) does
 * not pass the point as elastic: the corrector runs (its stress and tangent
 * come out NaN) and status -2 "NaN yield function in
 * getstressfromplastitcity" is recorded. Every call
 * prints its progress lines to standard output. A C call with nprops below 8
 * records status -2 "Too few material properties in
 * getstressfromplastitcity", one with ntens other than 6 or ndi outside 0..3
 * status -2 "Unsupported dimension in getstressfromplastitcity"; stress and
 * ddsdde are then NaN in their ntens and ntens x ntens values, the plastic
 * strain is unchanged and nothing is printed. From Python these are refused
 * with ValueError before the call (ntens is the length of stran). Python
 * passes no stress in and gets no plastic strain back: the update starts from
 * a zero stress, and the increased equivalent plastic strain is not returned.
 *   stress  (in/out) 6 stress values in Nye order: start of the increment in,
 *                    new stress out (NaN when refused)
 *   neweqplasticstrain (in/out) equivalent plastic strain, increased by the
 *                    norm of the plastic strain increment
 *   ddsdde  (out) 6 x 6 continuum elastoplastic tangent, columns per tensor
 *                 strain like C (elastic matrix when no flow); NaN when
 *                 refused
 *   stran   (in)  6 strain values at the start of the increment, Nye order,
 *                 engineering shears
 *   dstran  (in)  6 strain increment values
 *   props   (in)  8 values: et, ec (moduli in tension and compression), g,
 *                 nut, nuc (Poisson ratios), a0, a1 (yield surface), alpha
 *                 (flow potential)
 *   ntens   (in)  number of components, 6
 *   ndi     (in)  number of direct components, 3 (0 to 3 accepted)
 *   nprops  (in)  number of values in props, at least 8
 *   temp    (in)  temperature, not used */
void getstressfromplastitcity(double* stress, double* neweqplasticstrain, double* ddsdde,
                              const double* stran, const double* dstran, const double* props,
                              const int32_t* ntens, const int32_t* ndi, const int32_t* nprops,
                              const double* temp);

/* getderivatef / getderivateg: gradients of the yield function
 * F = svm^2 - a0 - a1 p and of the flow potential G = svm^2 + alpha p^2 of
 * getstressfromplastitcity by the stress. Missing components of a shortened
 * vector count as zero.
 *   result       (out) 6 values in the order 11, 22, 33, 12, 13, 23
 *   stressvector (in)  nstress values: (11, 22, 12), (11, 22, 33, 12) or Nye
 *                      order
 *   nstress      (in)  3, 4, or 6 and more (from Python the length of
 *                      stressvector; other lengths are refused with
 *                      ValueError)
 *   a0, a1       (in)  yield surface constants (a0 does not enter)
 *   alpha        (in)  flow potential constant */
void getderivatef(double* result, const double* stressvector, const int32_t* nstress,
                  const double* a0, const double* a1);
void getderivateg(double* result, const double* stressvector, const int32_t* nstress,
                  const double* alpha);

#ifdef __cplusplus
}
#endif
#endif
