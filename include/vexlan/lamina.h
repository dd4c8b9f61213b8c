/* Component lamina: stress and strain notations, ply stiffness, compliance and
 * transformation, and the stress and strain measures of one material point.
 *
 * Conventions: every argument by pointer (optional ones may be NULL); arrays
 * column-major with the extents documented per argument (1-based in the text
 * below). Six-vectors are in Nye order (11, 22, 33, 12, 13, 23) unless stated;
 * Voigt order is (11, 22, 33, 23, 13, 12), cyclic order (11, 22, 33, 12, 23,
 * 13). Stiffness and compliance act on engineering shear strains. Failures go
 * to the error record (status -2) and leave the documented outputs untouched. */
#ifndef VEXLAN_LAMINA_H
#define VEXLAN_LAMINA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ======================= Notations ======================================== */

/* VoigtNotation, NyeNotation, CyclicNotation: symmetric tensor to 6-vector.
 *   vn, nn, cn (out) 6-vector in the routine's order
 *   q          (in)  3 x 3 tensor; only its upper triangle is read, no factors */
void VoigtNotation(double* vn, const double* q);
void NyeNotation(double* nn, const double* q);
void CyclicNotation(double* cn, const double* q);

/* CauchyNotation: Voigt 6-vector to the symmetric 3 x 3 tensor.
 *   cn (out) 3 x 3 tensor
 *   qv (in)  6-vector in Voigt order */
void CauchyNotation(double* cn, const double* qv);

/* FlipVoigtNyeNotation: exchanges component 4 and 6 (Voigt <-> Nye).
 *   fn   (out) 6 x sdim result (not written when sdim is unsupported)
 *   q    (in)  6-vector (sdim 1) or 6 x 6 matrix (sdim 6)
 *   sdim (in)  1 or 6; anything else records status -2 */
void FlipVoigtNyeNotation(double* fn, const double* q, const int32_t* sdim);

/* FlipVoigtCyclicNotation: circular shift of the shear positions 4..6.
 *   fn   (out) 6 x sdim result (not written when sdim is unsupported)
 *   q    (in)  6-vector (sdim 1) or 6 x 6 matrix (sdim 6)
 *   sdim (in)  1 or 6; anything else records status -2
 *   dir  (in)  1 cyclic to Voigt, 2 (or -1) Voigt to cyclic, 0 or 3 copy */
void FlipVoigtCyclicNotation(double* fn, const double* q, const int32_t* sdim,
                             const int32_t* dir);

/* GetTensorComponents: tensor components of a (shortened) vector.
 *   t11 .. t23  (out) components; those not given by the vector are zero
 *   tvoigt      (in)  vector (11,22,12), (11,22,33,12) or Voigt 6-vector
 *   nvoigt      (in)  3, 4, or 6 (and more) for the full Voigt vector; any
 *               other length records status -2 and writes nothing
 *   shearfactor (in, optional) factor on the shear components, default 1 */
void GetTensorComponents(double* t11, double* t22, double* t33, double* t12, double* t13,
                         double* t23, const double* tvoigt, const int32_t* nvoigt,
                         const double* shearfactor);

/* GetVoigtStiffnessFromTensor: fourth-order tensor to 6 x 6 (Voigt order).
 *   csix  (out) 6 x 6
 *   c_4th (in)  3 x 3 x 3 x 3 */
void GetVoigtStiffnessFromTensor(double* csix, const double* c_4th);

/* GetTensorFromVoigtStiffness: 6 x 6 (Voigt order) to the fourth-order tensor
 * with the minor symmetries.
 *   c_4th (out) 3 x 3 x 3 x 3
 *   csix  (in)  6 x 6 */
void GetTensorFromVoigtStiffness(double* c_4th, const double* csix);

/* GetRotatedStresses: stress components in axes turned by theta_r about nrot.
 *   sv       (out) 6-vector
 *   theta_r  (in)  angle in radians, right-handed
 *   nrot     (in)  unit axis (3)
 *   s11..s23 (in)  stress components
 *   soutflag (in, optional) 1 Voigt, 2 cyclic, otherwise Nye order */
void GetRotatedStresses(double* sv, const double* theta_r, const double* nrot, const double* s11,
                        const double* s22, const double* s33, const double* s12,
                        const double* s13, const double* s23, const int32_t* soutflag);

/* GetTVectorFromArbitraryRotation: traction on a coordinate plane of the
 * rotated axes.
 *   tv       (out) (normal, shear, shear); not written for an unknown tflag
 *   theta_r, nrot, s11..s23 (in) as GetRotatedStresses
 *   tflag    (in, optional) plane normal 1, 2 or 3 (default 3) */
void GetTVectorFromArbitraryRotation(double* tv, const double* theta_r, const double* nrot,
                                     const double* s11, const double* s22, const double* s33,
                                     const double* s12, const double* s13, const double* s23,
                                     const int32_t* tflag);

/* GetTVectorOnRotatedXYPlane: traction on the action plane turned by theta_r
 * about axis 1.
 *   tv       (out) (normal, longitudinal shear, transverse shear)
 *   theta_r  (in)  angle in radians
 *   s22..s23 (in)  stress components (s11 plays no part) */
void GetTVectorOnRotatedXYPlane(double* tv, const double* theta_r, const double* s22,
                                const double* s33, const double* s12, const double* s13,
                                const double* s23);

/* GetPhiMeasuredFromXZPlane: angle about x measured from the xz plane.
 *   phixz     (out) angle in [0, pi]
 *   phixy     (in)  angle in radians measured from the xy plane
 *   clockwise (in)  1-byte flag: turn the y axis clockwise */
void GetPhiMeasuredFromXZPlane(double* phixz, const double* phixy, const vx_l1* clockwise);

/* ======================= Ply stiffness, compliance, transformation ======== */

/* GetNyeProperties: the nine ply constants E1,E2,E3,nu12,nu13,nu23,G12,G13,G23.
 *   nyeprops (out) 9 values (not written for an unsupported count)
 *   elastic  (in)  2, 5 or 9 values
 *   nelastic (in)  number of values */
void GetNyeProperties(double* nyeprops, const double* elastic, const int32_t* nelastic);

/* GetNyeStiffnessMatrix / GetNyeComplianceMatrix: on-axis ply matrix.
 *   c, s   (out) ntens x ntens, zeroed first
 *   props  (in)  9 ply constants
 *   ntens  (in)  3, 4 or 6
 *   psflag (in, optional) plane-stress form for ntens 4 and 6 only when 0 */
void GetNyeStiffnessMatrix(double* c, const double* props, const int32_t* ntens,
                           const int32_t* psflag);
void GetNyeComplianceMatrix(double* s, const double* props, const int32_t* ntens,
                            const int32_t* psflag);

/* GetGeneralizedNyeOnAxisSC: on-axis stiffness or compliance from 2, 5, 9,
 * 12 (nine constants and nu21, nu31, nu32), 21 (packed upper triangle) or 36
 * (full matrix) values.
 *   sc     (out) ntens x ntens
 *   props  (in)  nprops values
 *   ntens  (in)  3, 4 or 6
 *   nprops (in)  number of values
 *   scflag (in)  0 compliance, otherwise stiffness
 *   psflag (in, optional) plane-stress form when 0 (always for ntens 3)
 *   ldflag (in, optional) 1-byte flag, not used
 *   unsymm (in, optional) 1-byte flag: keep an unsymmetric 12/36 input */
void GetGeneralizedNyeOnAxisSC(double* sc, const double* props, const int32_t* ntens,
                               const int32_t* nprops, const int32_t* scflag,
                               const int32_t* psflag, const vx_l1* ldflag,
                               const vx_l1* unsymm);

/* GetInvariantsFromReducedStiffness: the five lamination invariants U1..U5.
 *   u      (out) 5 values
 *   props  (in)  nprops values as for GetGeneralizedNyeOnAxisSC
 *   nprops (in)  number of values */
void GetInvariantsFromReducedStiffness(double* u, const double* props, const int32_t* nprops);

/* GetNyeTransformationMatrix: rotation about axis 3 in Nye order.
 *   t      (out) tdim x tdim
 *   rangle (in)  angle in radians
 *   tdim   (in)  3 or 6
 *   ttype  (in)  0 the angle, 1 the opposite angle
 *   tflag  (in)  0 stress form, 1 engineering-strain form */
void GetNyeTransformationMatrix(double* t, const double* rangle, const int32_t* tdim,
                                const int32_t* ttype, const int32_t* tflag);

/* GetNyeOffAxisSC: off-axis ply stiffness T^T C T or compliance T^T S T.
 *   scoff  (out) ntens x ntens
 *   dangle (in)  ply angle in degrees
 *   props  (in)  9 ply constants
 *   ntens  (in)  3 or 6
 *   scflag (in)  0 compliance, 1 stiffness */
void GetNyeOffAxisSC(double* scoff, const double* dangle, const double* props,
                     const int32_t* ntens, const int32_t* scflag);

/* GetArbitraryBaseSC: 6 x 6 stiffness or compliance in the base whose columns
 * are the new axes: T C T^T for a stiffness, T^-T S T^-1 for a compliance,
 * T the stress transformation of the base.
 *   scbase (out) 6 x 6
 *   sc     (in)  6 x 6
 *   base   (in)  3 x 3, columns the new axes
 *   scflag (in)  0 compliance, otherwise stiffness
 *   ntflag (in)  1 Voigt order, 2 cyclic order, otherwise Nye order */
void GetArbitraryBaseSC(double* scbase, const double* sc, const double* base,
                        const int32_t* scflag, const int32_t* ntflag);

/* GetReducedNyeStiffnessMatrix: stiffness of one plane with the remaining
 * direct stress condensed out.
 *   qs     (out) 3 x 3
 *   c      (in)  6 x 6 in Nye order (symmetric)
 *   plflag (in, optional) 2 the 23 plane, 3 the 13 plane, else the 12 plane */
void GetReducedNyeStiffnessMatrix(double* qs, const double* c, const int32_t* plflag);

/* GetOffAxisShearRigidMatrix: transverse-shear stiffness of a turned ply.
 *   hoff   (out) 2 x 2 in the order 23, 13
 *   g13    (in)  shear modulus 13
 *   g23    (in)  shear modulus 23
 *   dangle (in)  ply angle in degrees */
void GetOffAxisShearRigidMatrix(double* hoff, const double* g13, const double* g23,
                                const double* dangle);

/* ======================= Stress and strain measures ======================= */

/* GetStressVector: stress from a tangent (incremental) or secant matrix.
 *   stress   (in/out) ntens; incremented, or replaced in the secant form
 *   ddsdde   (in) ntens x ntens
 *   strain0  (in) ntens strain at the start
 *   dstrain  (in) ntens strain increment
 *   ndi      (in) number of direct components
 *   ntens    (in) vector length
 *   issekant (in) 1-byte flag: secant (total) form
 *   istensor (in) 1-byte flag: strains carry tensor shear (doubled before use) */
void GetStressVector(double* stress, const double* ddsdde, const double* strain0,
                     const double* dstrain, const int32_t* ndi, const int32_t* ntens,
                     const vx_l1* issekant, const vx_l1* istensor);

/* GetSpecificStrainEnergy: specific strain energy, incremental or secant.
 *   sse      (in/out) energy
 *   stress, stress0, strain0, dstrain (in) ntens each
 *   ndi, ntens, issekant, istensor    (in) as GetStressVector */
void GetSpecificStrainEnergy(double* sse, const double* stress, const double* stress0,
                             const double* strain0, const double* dstrain, const int32_t* ndi,
                             const int32_t* ntens, const vx_l1* issekant,
                             const vx_l1* istensor);

/* GetMatParamByCurveFitting: (1 - dnl) l with the secant reduction of a
 * nonlinear shear law.
 *   l       (in) initial parameter
 *   eta     (in) law parameter
 *   stress0 (in) stress, strain0 (in) strain, dstrain (in) strain increment
 *   nlflag  (in) 1 Kaestner, 2 Krause, 3 Hahn-Tsai (fixed point), else none */
double GetMatParamByCurveFitting(const double* l, const double* eta, const double* stress0,
                                 const double* strain0, const double* dstrain,
                                 const int32_t* nlflag);

/* GetHardeningFromTable: yield stress and hardening slope at a strain.
 *   yield    (out) yield stress
 *   gradient (out) slope
 *   strain   (in)  strain
 *   table    (in)  ntable x 2: yield stress, strain (strictly increasing)
 *   ntable   (in)  rows */
void GetHardeningFromTable(double* yield, double* gradient, const double* strain,
                           const double* table, const int32_t* ntable);

/* GetGreenStrain, GetAlmansiStrain, GetSmallStrain: strain measures.
 *   green, almansi, small (out) 3 x 3
 *   dfgrd                 (in)  3 x 3 deformation gradient */
void GetGreenStrain(double* green, const double* dfgrd);
void GetAlmansiStrain(double* almansi, const double* dfgrd);
void GetSmallStrain(double* small, const double* dfgrd);

/* GetMisesStress: von Mises stress.
 *   stress  (in) nstress values: (11,22,12), (11,22,33,12) or Voigt 6-vector
 *   nstress (in) 3, 4 or 6 */
double GetMisesStress(const double* stress, const int32_t* nstress);

/* GetTrescaStress, GetRankineStress: equivalent stress from principals.
 *   principals (in) 3 values, descending for Rankine */
double GetTrescaStress(const double* principals);
double GetRankineStress(const double* principals);

/* GetStassiStress: Stassi equivalent stress (signed by the first invariant).
 *   stress    (in)  Voigt 6-vector
 *   xt, xc    (in)  tensile and compressive strength
 *   eq_stress (out) equivalent stress */
void GetStassiStress(const double* stress, const double* xt, const double* xc,
                     double* eq_stress);

/* GetPrincipals: principal stresses, descending.
 *   ps     (out) 3 values
 *   svoigt (in)  nvoigt values
 *   nvoigt (in)  3, 4 or 6 */
void GetPrincipals(double* ps, const double* svoigt, const int32_t* nvoigt);

/* GetTrace, GetHydrostaticPressure: s11 + s22 + s33 and its third.
 *   stress  (in) nstress values
 *   nstress (in) 3, 4 or 6 */
double GetTrace(const double* stress, const int32_t* nstress);
double GetHydrostaticPressure(const double* stress, const int32_t* nstress);

/* GetMeanStress: hydrostatic part as a tensor.
 *   cm      (out) 3 x 3
 *   stress  (in)  nstress values
 *   nstress (in)  3, 4 or 6 */
void GetMeanStress(double* cm, const double* stress, const int32_t* nstress);

/* GetDeviatoricStress: deviatoric part as a tensor.
 *   cd     (out) 3 x 3
 *   svoigt (in)  Voigt 6-vector */
void GetDeviatoricStress(double* cd, const double* svoigt);

/* GetMisesFlow: von Mises flow direction.
 *   flow    (out) nstress values
 *   stress  (in)  nstress values
 *   nstress (in)  vector length */
void GetMisesFlow(double* flow, const double* stress, const int32_t* nstress);

#ifdef __cplusplus
}
#endif
#endif
