/* Component lamina: stress and strain notations, ply stiffness, compliance and
 * transformation, and the stress and strain measures of one material point.
 *
 * Conventions: every argument by pointer (optional ones may be NULL); arrays
 * column-major with the extents documented per argument (1-based in the text
 * below). Six-vectors are in Nye order (11, 22, 33, 12, 13, 23) unless stated;
 * Voigt order is (11, 22, 33, 23, 13, 12), cyclic order (11, 22, 33, 12, 23,
 * 13). Stiffness and compliance act on engineering shear strains. Failures go
 * to the error record (status -2); each routine states what its outputs hold
 * then. */
#ifndef VEXLAN_LAMINA_H
#define VEXLAN_LAMINA_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ======================= Notations ======================================== */

/* VoigtNotation, NyeNotation, CyclicNotation: a symmetric 3 x 3 tensor as a
 * 6-vector in the order that the routine names.
 * - VoigtNotation: Voigt order (11, 22, 33, 23, 13, 12);
 * - NyeNotation: Nye order (11, 22, 33, 12, 13, 23);
 * - CyclicNotation: cyclic order (11, 22, 33, 12, 23, 13).
 *
 * The shear entries are copied from the upper triangle without any factor,
 * so tensor shear stays tensor shear; the lower triangle is never read.
 *   vn (out) the 6-vector in Voigt order (VoigtNotation)
 *   nn (out) the 6-vector in Nye order (NyeNotation)
 *   cn (out) the 6-vector in cyclic order (CyclicNotation)
 *   q  (in)  3 x 3 tensor */
void VoigtNotation(double* vn, const double* q);
void NyeNotation(double* nn, const double* q);
void CyclicNotation(double* cn, const double* q);

/* CauchyNotation: the symmetric 3 x 3 tensor of a 6-vector in Voigt order
 * (11, 22, 33, 23, 13, 12); each shear value fills both of its off-diagonal
 * places, without any factor.
 *   cn (out) 3 x 3 tensor
 *   qv (in)  6-vector in Voigt order */
void CauchyNotation(double* cn, const double* qv);

/* FlipVoigtNyeNotation: turns a 6-vector or a 6 x 6 matrix from Voigt to Nye
 * order or back by exchanging component 4 with component 6 (rows and columns
 * for a matrix); applying it twice gives the input. An sdim other than 1 and
 * 6 reads nothing, records status -2 in the error record and leaves fn
 * untouched (from Python: 6 x sdim zeros; a negative sdim is a ValueError).
 *   fn   (out) 6 x sdim reordered vector or matrix
 *   q    (in)  6 rows: the first column is read for sdim 1, the leading
 *              6 x 6 block for sdim 6; further columns are not read (from
 *              Python, fewer columns than that is a ValueError)
 *   sdim (in)  1 for a vector, 6 for a matrix */
void FlipVoigtNyeNotation(double* fn, const double* q, const int32_t* sdim);

/* FlipVoigtCyclicNotation: turns a 6-vector or a 6 x 6 matrix between Voigt
 * and cyclic order by a circular shift of the shear positions 4..6 (rows and
 * columns for a matrix); the direct block is copied. To go from Nye to cyclic
 * order, flip to Voigt order first (FlipVoigtNyeNotation), then use dir 2. An
 * sdim other than 1 and 6 reads nothing, records status -2 and leaves fn
 * untouched (from Python: 6 x sdim zeros; a negative sdim is a ValueError).
 *   fn   (out) 6 x sdim reordered vector or matrix
 *   q    (in)  6 rows: the first column is read for sdim 1, the leading
 *              6 x 6 block for sdim 6; further columns are not read (from
 *              Python, fewer columns than that is a ValueError)
 *   sdim (in)  1 for a vector, 6 for a matrix
 *   dir  (in)  shift, taken modulo 3: 1 cyclic to Voigt, 2 (or -1) Voigt to
 *              cyclic, 0 (or 3) a plain copy */
void FlipVoigtCyclicNotation(double* fn, const double* q, const int32_t* sdim,
                             const int32_t* dir);

/* GetTensorComponents: the six tensor components of a full or shortened
 * stress or strain vector; the components the vector does not hold are zero.
 * The shear values are multiplied by shearfactor (0.5 turns engineering into
 * tensor shear strain). A length other than 3, 4 or at least 6 records status
 * -2 in the error record and writes nothing (from Python, a negative nvoigt
 * is a ValueError).
 *   t11..t23    (out) components 11, 22, 33, 12, 13, 23
 *   tvoigt      (in)  vector (11, 22, 12) for nvoigt 3, (11, 22, 33, 12) for
 *                     4, otherwise the Voigt 6-vector (11, 22, 33, 23, 13, 12)
 *   nvoigt      (in)  length of tvoigt: 3, 4, or 6 and more (first six read)
 *   shearfactor (in, optional) factor on the shear components, default 1 */
void GetTensorComponents(double* t11, double* t22, double* t33, double* t12, double* t13,
                         double* t23, const double* tvoigt, const int32_t* nvoigt,
                         const double* shearfactor);

/* GetVoigtStiffnessFromTensor: the 6 x 6 matrix in Voigt order (11, 22, 33,
 * 23, 13, 12) of a fourth-order stiffness tensor, entry (I, J) taken from
 * c(i, j, k, l) with i <= j and k <= l for the Voigt pairs of I and J; no
 * factors are applied.
 *   csix  (out) 6 x 6 matrix in Voigt order
 *   c_4th (in)  3 x 3 x 3 x 3 tensor */
void GetVoigtStiffnessFromTensor(double* csix, const double* c_4th);

/* GetTensorFromVoigtStiffness: the fourth-order tensor of a 6 x 6 matrix in
 * Voigt order (11, 22, 33, 23, 13, 12), with both minor symmetries:
 * c(i, j, k, l) = csix(I, J) for the Voigt indices I of {i, j} and J of
 * {k, l}. All 81 entries are written; no factors are applied.
 *   c_4th (out) 3 x 3 x 3 x 3 tensor
 *   csix  (in)  6 x 6 matrix in Voigt order */
void GetTensorFromVoigtStiffness(double* c_4th, const double* csix);

/* GetRotatedStresses: the stress components in axes turned right-handedly by
 * theta_r radians about the axis nrot, that is R^T S R for the rotation R.
 * nrot is used as given and should be a unit vector.
 *   sv       (out) rotated stress 6-vector in the order chosen by soutflag
 *   theta_r  (in)  angle in radians
 *   nrot     (in)  rotation axis, 3 values
 *   s11..s23 (in)  stress components 11, 22, 33, 12, 13, 23
 *   soutflag (in, optional) order of sv: 1 Voigt, 2 cyclic, otherwise (and
 *            by default) Nye */
void GetRotatedStresses(double* sv, const double* theta_r, const double* nrot, const double* s11,
                        const double* s22, const double* s33, const double* s12,
                        const double* s13, const double* s23, const int32_t* soutflag);

/* GetTVectorFromArbitraryRotation: the traction on one coordinate plane of
 * the axes turned by theta_r radians about nrot (see GetRotatedStresses). A
 * tflag other than 1, 2 or 3 records status -2 in the error record and leaves
 * tv untouched.
 *   tv       (out) (normal, shear, shear): (S'11, S'12, S'13) for tflag 1,
 *                  (S'22, S'12, S'23) for 2, (S'33, S'13, S'23) for 3
 *   theta_r  (in)  angle in radians
 *   nrot     (in)  rotation axis, 3 values, a unit vector
 *   s11..s23 (in)  stress components 11, 22, 33, 12, 13, 23
 *   tflag    (in, optional) normal of the plane: 1, 2 or 3 (default 3) */
void GetTVectorFromArbitraryRotation(double* tv, const double* theta_r, const double* nrot,
                                     const double* s11, const double* s22, const double* s33,
                                     const double* s12, const double* s13, const double* s23,
                                     const int32_t* tflag);

/* GetTVectorOnRotatedXYPlane: the traction on an action plane parallel to the
 * fibres, turned by theta_r radians about axis 1 from the 12 plane, as the
 * fracture-plane criteria use it. At theta_r 0 it is (s33, s13, s23); s11
 * plays no part.
 *   tv       (out) (normal stress, longitudinal shear, transverse shear)
 *   theta_r  (in)  angle of the plane in radians
 *   s22..s23 (in)  stress components 22, 33, 12, 13, 23 */
void GetTVectorOnRotatedXYPlane(double* tv, const double* theta_r, const double* s22,
                                const double* s33, const double* s12, const double* s13,
                                const double* s23);

/* GetPhiMeasuredFromXZPlane: converts an angle about the x axis measured from
 * the xy plane into the unsigned angle measured from the xz plane, in [0, pi)
 * radians: pi/2 + |phixy|, taken modulo pi (0 gives pi/2, +-0.3 both give
 * pi/2 + 0.3). The sense of rotation does not change the result: clockwise
 * true and false give the same angle.
 *   phixz     (out) angle from the xz plane in radians, 0 to pi
 *   phixy     (in)  angle from the xy plane in radians, either sign
 *   clockwise (in)  1-byte flag: true turns the y axis clockwise (with the
 *                   transposed rotation), false counter-clockwise; the
 *                   result is the same either way */
void GetPhiMeasuredFromXZPlane(double* phixz, const double* phixy, const vx_l1* clockwise);

/* ======================= Ply stiffness, compliance, transformation ======== */

/* GetNyeProperties: the nine ply constants E1, E2, E3, nu12, nu13, nu23, G12,
 * G13, G23 from a shorter list. Two values (E, nu) are isotropic with
 * G = E / (2 (1 + nu)). Five values are transversely isotropic, read as
 * (E1, E2, nu12, nu23, G12) when the third is at most 1, else as (E1, E2,
 * G12, G23, nu12) (a zero G23 becomes E2 / 2); G23 or nu23 follows from
 * E2 / (2 (1 + nu23)). Nine values are copied, or, when the last three are
 * all at most 1, read as (E1, E2, E3, G12, G13, G23, nu12, nu13, nu23) and
 * reordered. Another count records status -2 and leaves nyeprops untouched.
 *   nyeprops (out) the nine ply constants
 *   elastic  (in)  nelastic values
 *   nelastic (in)  number of values: 2, 5 or 9 */
void GetNyeProperties(double* nyeprops, const double* elastic, const int32_t* nelastic);

/* GetNyeStiffnessMatrix / GetNyeComplianceMatrix: on-axis matrix of an
 * orthotropic ply in Nye order, acting on engineering shear strain, from
 * closed forms (no inversion): GetNyeStiffnessMatrix gives the stiffness,
 * GetNyeComplianceMatrix the compliance (its inverse). ntens 3 gives the
 * plane-stress form on (11, 22, 12); ntens 4 (11, 22, 33, 12) and 6 give the
 * 3-D form, or the plane-stress entries at 11, 22 and 12 with the rest zero
 * when psflag is 0. Moduli in any consistent units. Another ntens records
 * status -2 "Unsupported dimension in <routine>" and leaves the matrix zero
 * (empty for an ntens below 1; from Python, a negative ntens is a
 * ValueError).
 *   c      (out) ntens x ntens stiffness (GetNyeStiffnessMatrix)
 *   s      (out) ntens x ntens compliance (GetNyeComplianceMatrix)
 *   props  (in)  the nine ply constants E1, E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   ntens  (in)  3, 4 or 6
 *   psflag (in, optional) 0: plane-stress form for ntens 4 and 6; otherwise
 *          (default) the full 3-D form */
void GetNyeStiffnessMatrix(double* c, const double* props, const int32_t* ntens,
                           const int32_t* psflag);
void GetNyeComplianceMatrix(double* s, const double* props, const int32_t* ntens,
                            const int32_t* psflag);

/* GetGeneralizedNyeOnAxisSC: on-axis ply stiffness or compliance in Nye order
 * from 2, 5, 9 or 12 engineering constants, or from a given 6 x 6 stiffness.
 * Up to nine values follow GetNyeProperties; 12 adds nu21, nu31, nu32 instead
 * of deriving them. 21 values are the upper triangle of the Nye stiffness
 * packed column by column, 36 the full matrix column by column. The
 * plane-stress form (ntens 3, or psflag 0) keeps components 11, 22 and 12
 * without condensation. Inputs of 12 or 36 values are symmetrised unless
 * unsymm is set. The compliance is the inverse of the stiffness. An ntens
 * other than 3, 4, 6 records status -2 and leaves sc untouched (zeros from
 * Python); an unsupported count (or a stiffness that comes out all zero)
 * records status -2 and gives a zero matrix, for the compliance too (nothing
 * is inverted). From Python, a negative ntens or nprops is a ValueError.
 *   sc     (out) ntens x ntens stiffness or compliance
 *   props  (in)  nprops values as above
 *   ntens  (in)  3 (11, 22, 12), 4 (11, 22, 33, 12) or 6
 *   nprops (in)  number of values: 2, 5, 9, 12, 21 or 36
 *   scflag (in)  0 compliance, otherwise stiffness
 *   psflag (in, optional) 0: plane-stress form; otherwise (default) the 3-D
 *          form for ntens 4 and 6
 *   ldflag (in, optional) 1-byte flag, accepted and not used
 *   unsymm (in, optional) 1-byte flag: true keeps an unsymmetric 12- or
 *          36-value input as given; default false */
void GetGeneralizedNyeOnAxisSC(double* sc, const double* props, const int32_t* ntens,
                               const int32_t* nprops, const int32_t* scflag,
                               const int32_t* psflag, const vx_l1* ldflag,
                               const vx_l1* unsymm);

/* GetInvariantsFromReducedStiffness: the five lamination invariants U1..U5 of
 * the plane-stress reduced stiffness Q (order 11, 22, 12) of a ply, e.g.
 * U1 = (3 Q11 + 3 Q22 + 2 Q12 + 4 Q66) / 8 and U2 = (Q11 - Q22) / 2. Errors
 * as GetGeneralizedNyeOnAxisSC.
 *   u      (out) U1..U5, in the units of the moduli
 *   props  (in)  nprops ply constants or stiffness values, read as by
 *                GetGeneralizedNyeOnAxisSC
 *   nprops (in)  number of values: 2, 5, 9, 12, 21 or 36 */
void GetInvariantsFromReducedStiffness(double* u, const double* props, const int32_t* nprops);

/* GetNyeTransformationMatrix: transformation in Nye order for a rotation by
 * rangle radians about axis 3 (the ply normal). The stress form turns
 * stresses, the strain form engineering strains; the stress form times the
 * transpose of the strain form is the identity. A tdim below 3 records status
 * -2 and leaves t untouched (zeros from Python, where a negative tdim is a
 * ValueError); another tdim than 3 or 6 records status -2 and
 * fills the 3 x 3 placement of a zeroed matrix; a bad ttype records status -2
 * and uses the opposite angle; a bad tflag records status -2 and leaves only
 * the direct entries.
 *   t      (out) tdim x tdim transformation
 *   rangle (in)  angle in radians
 *   tdim   (in)  3 (11, 22, 12) or 6 (full Nye order)
 *   ttype  (in)  0 the angle, 1 the opposite angle
 *   tflag  (in)  0 stress form, 1 engineering-strain form */
void GetNyeTransformationMatrix(double* t, const double* rangle, const int32_t* tdim,
                                const int32_t* ttype, const int32_t* tflag);

/* GetNyeOffAxisSC: stiffness or compliance of a ply turned by dangle degrees
 * about its normal, in Nye order on engineering shear strain: T^T C T with
 * the strain-form transformation for the stiffness, T^T S T with the stress
 * form for the compliance. An ntens other than 3 or 6, or an scflag other
 * than 0 and 1, records status -2 and gives a zero matrix (from Python, a
 * negative ntens is a ValueError).
 *   scoff  (out) ntens x ntens off-axis matrix
 *   dangle (in)  ply angle in degrees
 *   props  (in)  the nine ply constants E1, E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   ntens  (in)  3 (11, 22, 12, plane stress) or 6
 *   scflag (in)  0 compliance, 1 stiffness */
void GetNyeOffAxisSC(double* scoff, const double* dangle, const double* props,
                     const int32_t* ntens, const int32_t* scflag);

/* GetArbitraryBaseSC: a 6 x 6 stiffness or compliance expressed in the base
 * whose columns are the new axes: T C T^T for a stiffness and T^-T S T^-1 for
 * a compliance, T the stress transformation of the base. The result is in
 * the order of the input. A singular base is reported by the matrix inverse
 * (compliance only).
 *   scbase (out) 6 x 6 matrix in the new base
 *   sc     (in)  6 x 6 stiffness or compliance
 *   base   (in)  3 x 3, columns the new axes as unit vectors in the old ones
 *   scflag (in)  0 compliance, otherwise stiffness
 *   ntflag (in)  order of sc and scbase: 1 Voigt, 2 cyclic, otherwise Nye */
void GetArbitraryBaseSC(double* scbase, const double* sc, const double* base,
                        const int32_t* scflag, const int32_t* ntflag);

/* GetReducedNyeStiffnessMatrix: stiffness of one plane with the remaining
 * direct stress condensed out (that stress taken as zero), e.g. the reduced
 * stiffness of the 12 plane from a 3-D stiffness. The result is in the order
 * (11, 22, 12), (22, 33, 23) or (11, 33, 13) of the plane. A zero condensed
 * diagonal entry gives non-finite values; nothing is recorded.
 *   qs     (out) 3 x 3 reduced stiffness
 *   c      (in)  6 x 6 stiffness in Nye order, symmetric
 *   plflag (in, optional) plane: 2 the 23 plane, 3 the 13 plane, otherwise
 *          (default) the 12 plane */
void GetReducedNyeStiffnessMatrix(double* qs, const double* c, const int32_t* plflag);

/* GetOffAxisShearRigidMatrix: transverse-shear stiffness of a ply turned by
 * dangle degrees about its normal, R^T diag(G23, G13) R with R the in-plane
 * rotation: hoff(1,1) = G23 c^2 + G13 s^2, hoff(1,2) = (G13 - G23) c s.
 *   hoff   (out) 2 x 2 in the order 23, 13
 *   g13    (in)  transverse shear modulus G13
 *   g23    (in)  transverse shear modulus G23
 *   dangle (in)  ply angle in degrees */
void GetOffAxisShearRigidMatrix(double* hoff, const double* g13, const double* g23,
                                const double* dangle);

/* ======================= Stress and strain measures ======================= */

/* GetStressVector: stress from a tangent or secant stiffness. The incremental
 * form adds ddsdde dstrain to the stress; the secant form replaces it by
 * ddsdde (strain0 + dstrain). With istensor the shear entries (after the
 * first ndi) of the strains are doubled before use; the inputs are not
 * changed. Nothing happens for ntens below 1 (from Python, a negative ntens
 * is a ValueError).
 *   stress   (in/out) ntens stress values; incremented or replaced
 *   ddsdde   (in)  ntens x ntens tangent or secant stiffness
 *   strain0  (in)  ntens strain values at the start of the increment
 *   dstrain  (in)  ntens strain increment
 *   ndi      (in)  number of direct components
 *   ntens    (in)  number of components
 *   issekant (in)  1-byte flag: true the secant (total) form, false the
 *                  incremental form
 *   istensor (in)  1-byte flag: true when the strains carry tensor shear */
void GetStressVector(double* stress, const double* ddsdde, const double* strain0,
                     const double* dstrain, const int32_t* ndi, const int32_t* ntens,
                     const vx_l1* issekant, const vx_l1* istensor);

/* GetSpecificStrainEnergy: specific strain energy. The incremental form adds
 * 1/2 sum (stress + stress0) dstrain (trapezoidal rule) to sse; the secant
 * form replaces sse by 1/2 sum stress (strain0 + dstrain). Tensor shear
 * strains are doubled as in GetStressVector.
 *   sse      (in/out) strain energy per unit volume
 *   stress   (in)  ntens stress values at the end of the increment
 *   stress0  (in)  ntens stress values at the start (incremental form only)
 *   strain0  (in)  ntens strain values at the start of the increment
 *   dstrain  (in)  ntens strain increment
 *   ndi      (in)  number of direct components
 *   ntens    (in)  number of components (below 1: a zero sum; from Python,
 *                  a negative ntens is a ValueError)
 *   issekant (in)  1-byte flag: true the secant form
 *   istensor (in)  1-byte flag: true when the strains carry tensor shear */
void GetSpecificStrainEnergy(double* sse, const double* stress, const double* stress0,
                             const double* strain0, const double* dstrain, const int32_t* ndi,
                             const int32_t* ntens, const vx_l1* issekant,
                             const vx_l1* istensor);

/* GetMatParamByCurveFitting: a material parameter l (typically the shear
 * modulus) reduced to its secant value (1 - dnl) l by a nonlinear shear law
 * at the total strain strain0 + dstrain. The fixed-point form (nlflag 3)
 * solves the cubic law for the stress and may leave the iteration's
 * non-convergence warning in the error record.
 *   l       (in)  initial value of the parameter
 *   eta     (in)  nonlinearity parameter of the law
 *   stress0 (in)  stress at the start of the increment (nlflag 3 only)
 *   strain0 (in)  strain at the start of the increment
 *   dstrain (in)  strain increment
 *   nlflag  (in)  1 hyperbolic (NLKaestner), 2 exponential (NLKrause), 3 cubic
 *                 in fixed-point form (FPHahnTsai); otherwise l unchanged
 *   result  (ret) the secant value of the parameter */
double GetMatParamByCurveFitting(const double* l, const double* eta, const double* stress0,
                                 const double* strain0, const double* dstrain,
                                 const int32_t* nlflag);

/* GetHardeningFromTable: yield stress and hardening slope at a strain by
 * linear interpolation of a hardening table and of its central-difference
 * slopes. At or beyond the largest table strain the material is perfectly
 * plastic: the largest table stress and slope 0. Below it, a table with fewer
 * than two rows or strains not strictly increasing records status -2 and
 * gives the same plastic values. An empty table gives the most negative real
 * as yield stress.
 *   yield    (out) yield stress
 *   gradient (out) hardening slope d yield / d strain
 *   strain   (in)  equivalent plastic strain
 *   table    (in)  ntable x 2: column 1 yield stress, column 2 strain
 *   ntable   (in)  number of rows */
void GetHardeningFromTable(double* yield, double* gradient, const double* strain,
                           const double* table, const int32_t* ntable);

/* GetGreenStrain, GetAlmansiStrain, GetSmallStrain: strain tensors of a
 * deformation gradient F: Green-Lagrange 1/2 (F^T F - I), Euler-Almansi
 * 1/2 (I - (F F^T)^-1) and the small strain 1/2 (F + F^T) - I (tensor
 * shear). A singular F F^T is reported by the matrix inverse.
 *   green, almansi, small (out) 3 x 3 strain tensor
 *   dfgrd                 (in)  3 x 3 deformation gradient */
void GetGreenStrain(double* green, const double* dfgrd);
void GetAlmansiStrain(double* almansi, const double* dfgrd);
void GetSmallStrain(double* small, const double* dfgrd);

/* GetMisesStress: von Mises equivalent stress of a full or shortened stress
 * vector. An unsupported length records status -2 and gives 0 (from Python,
 * a negative nstress is a ValueError).
 *   stress  (in)  nstress values: (11, 22, 12), (11, 22, 33, 12) or the Voigt
 *                 6-vector (11, 22, 33, 23, 13, 12)
 *   nstress (in)  3, 4, or 6 and more
 *   result  (ret) the von Mises stress */
double GetMisesStress(const double* stress, const int32_t* nstress);

/* GetTrescaStress, GetRankineStress: equivalent stresses from the principal
 * stresses. Tresca: the largest difference of two principals. Rankine: the
 * largest principal when it is non-negative and at least the magnitude of the
 * smallest, else the magnitude of a negative smallest principal. A NaN
 * principal that enters (any for Tresca, the first or third for Rankine)
 * gives NaN, never the equivalent stress of the others.
 *   principals (in)  3 principal stresses, descending for Rankine
 *   result     (ret) the equivalent stress */
double GetTrescaStress(const double* principals);
double GetRankineStress(const double* principals);

/* GetStassiStress: Stassi equivalent stress for a material with different
 * tensile and compressive strength, signed by the first invariant I1: it
 * gives xt in uniaxial tension and -xc in uniaxial compression, and the von
 * Mises stress with the sign of I1 when xc equals xt. A strength that is not
 * a positive finite number (zero, negative, NaN or infinite) records status
 * -2 in the error record and gives NaN.
 *   stress    (in)  Voigt 6-vector (11, 22, 33, 23, 13, 12)
 *   xt, xc    (in)  tensile and compressive strength, positive
 *   eq_stress (out) equivalent stress; NaN when a strength is refused */
void GetStassiStress(const double* stress, const double* xt, const double* xc,
                     double* eq_stress);

/* GetPrincipals: principal stresses of a full or shortened stress vector, in
 * descending order. An unsupported length records status -2 and leaves ps
 * untouched (from Python, a negative nvoigt is a ValueError). A NaN or
 * infinite component records status -2 ("Non-finite stress component in
 * GetPrincipals") and gives NaN in all three outputs.
 *   ps     (out) 3 principal stresses, largest first; NaN for a non-finite
 *                stress
 *   svoigt (in)  nvoigt values: (11, 22, 12), (11, 22, 33, 12) or the Voigt
 *                6-vector
 *   nvoigt (in)  3, 4, or 6 and more */
void GetPrincipals(double* ps, const double* svoigt, const int32_t* nvoigt);

/* GetTrace, GetHydrostaticPressure: the trace s11 + s22 + s33 of a stress
 * vector, and its third (positive in tension). An unsupported length records
 * status -2 and gives 0 (from Python, a negative nstress is a ValueError).
 *   stress  (in)  nstress values: (11, 22, 12), (11, 22, 33, 12) or Voigt
 *   nstress (in)  3, 4, or 6 and more
 *   result  (ret) the trace, or the hydrostatic pressure */
double GetTrace(const double* stress, const int32_t* nstress);
double GetHydrostaticPressure(const double* stress, const int32_t* nstress);

/* GetMeanStress: the hydrostatic part p I of a stress as a tensor, p a third
 * of the trace. An unsupported length records status -2 and leaves cm
 * untouched (from Python, a negative nstress is a ValueError).
 *   cm      (out) 3 x 3 tensor
 *   stress  (in)  nstress values: (11, 22, 12), (11, 22, 33, 12) or Voigt
 *   nstress (in)  3, 4, or 6 and more */
void GetMeanStress(double* cm, const double* stress, const int32_t* nstress);

/* GetDeviatoricStress: the deviatoric part S - p I of a stress as a tensor.
 *   cd     (out) 3 x 3 tensor
 *   svoigt (in)  Voigt 6-vector (11, 22, 33, 23, 13, 12) */
void GetDeviatoricStress(double* cd, const double* svoigt);

/* GetMisesFlow: von Mises flow direction: the deviatoric direct entries and
 * the shear entries of the stress vector, divided by the von Mises stress, in
 * the order of the input; a stress of any finite size gives its direction
 * (the measure neither overflows nor underflows). A stress without a deviator
 * (zero or purely hydrostatic, von Mises stress 0) has no direction: the zero
 * vector, with nothing recorded. An unsupported length records status -2 and
 * leaves flow untouched (from Python, a negative nstress is a ValueError).
 *   flow    (out) nstress values; zeros where the von Mises stress is 0
 *   stress  (in)  nstress values: (11, 22, 12), (11, 22, 33, 12) or Voigt
 *   nstress (in)  3, 4, or 6 and more */
void GetMisesFlow(double* flow, const double* stress, const int32_t* nstress);

#ifdef __cplusplus
}
#endif
#endif
