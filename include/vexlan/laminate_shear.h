/* Transverse shear of a laminate section and stresses through its thickness
 * (component laminate).
 *
 * A stack of n plies is given by plyelastic(9, n) (E1, E2, E3, nu12, nu13,
 * nu23, G12, G13, G23 per ply), plyorientation(n) in degrees and
 * plythickness(n); ply 1 lies at the bottom and z is measured from the
 * geometric mid-plane. Per-section arrays carry a trailing section index.
 * A section's ply list holds ply ids padded with the marker defint
 * (default 2147483647); its used plies are those before the first marker.
 * All matrices are column-major. Transverse shear pairs (forces, stresses,
 * stiffness H) are in the order 23, 13. f(z) is the 2 x 2 matrix that turns
 * the two transverse shear forces into the two transverse shear stresses at
 * height z; a section stores it at its 2n+1 z points as f(1,1), f(2,1),
 * f(1,2), f(2,2).
 * Singular matrices are reported by the matrix inverse (status -2) and the
 * computation goes on. A negative ply count is taken as no plies. */
#ifndef VEXLAN_LAMINATE_SHEAR_H
#define VEXLAN_LAMINATE_SHEAR_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Transverse shear stiffness -------------------------------------------- */

/* GetPartialAMatrix / GetPartialBMatrix: membrane stiffness
 * sum Qbar_k (z_top - z_bot), or coupling stiffness
 * 1/2 sum Qbar_k (z_top^2 - z_bot^2), integrated from the bottom of the stack
 * up to the height zcrd inside ply iply. From Python an iply outside
 * 1..nplies is refused with ValueError before the call; from C it records
 * status -2 "Error in GetPartialAMatrix: ply number outside the stack." (or
 * GetPartialBMatrix) and gives a zero matrix.
 *   aprt, bprt     (out) 3 x 3 partial A or B, order (x, y, xy)
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   zcrd           (in)  height from the mid-plane, inside ply iply
 *   iply           (in)  ply holding zcrd, 1..nplies
 *   nplies         (in)  number of plies */
void GetPartialAMatrix(double* aprt, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const double* zcrd, const int32_t* iply,
                       const int32_t* nplies);
void GetPartialBMatrix(double* bprt, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const double* zcrd, const int32_t* iply,
                       const int32_t* nplies);

/* GetSmallFMatrix: f at one height of a stack: the partial stiffness
 * aprt fa - bprt fb, taken into the axes of the stack's decoupling angle
 * (GetDecoupAngle), whose two in-plane direct entries form the diagonal f
 * that is turned back to the laminate axes. From Python an iply outside
 * 1..nplies is refused with ValueError before the call; from C it records
 * status -2 "Error in GetSmallFMatrix: ply number outside the stack." and
 * gives a zero matrix.
 *   smallf         (out) 2 x 2 f(zcrd)
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   zcrd           (in)  height from the mid-plane, inside ply iply
 *   fa             (in)  3 x 3 A^-1 B (D - B A^-1 B)^-1 of the stack
 *   fb             (in)  3 x 3 (D - B A^-1 B)^-1 of the stack
 *   iply           (in)  ply holding zcrd, 1..nplies
 *   nplies         (in)  number of plies */
void GetSmallFMatrix(double* smallf, const double* plyelastic, const double* plyorientation,
                     const double* plythickness, const double* zcrd, const double* fa,
                     const double* fb, const int32_t* iply, const int32_t* nplies);

/* GetSectionFMatrix: f at the 2n+1 z points (bottom and middle of every used
 * ply, top of the last) of every section, as stored in the section data.
 * Unused sections, and sections whose elastic constants are all zero, stay
 * zero; nothing is recorded.
 *   plysmallf      (out) (2 nplies + 1) x 4 x nsec: f(1,1), f(2,1), f(1,2),
 *                        f(2,2) per point
 *   sectionlist    (in)  nplies x nsec ply ids, padded with defint
 *   plyorientation (in)  nplies x nsec ply angles in degrees
 *   plythickness   (in)  nplies x nsec ply thicknesses
 *   plyzcoord      (in)  (2 nplies + 1) x nsec z points of each section
 *                        (GetSectionZCoord)
 *   plyelastic     (in)  9 x nplies x nsec ply constants of one temperature
 *   nplies         (in)  plies per section column
 *   nsec           (in)  number of sections
 *   defint         (in, optional) unset marker; default 2147483647 */
void GetSectionFMatrix(double* plysmallf, const int32_t* sectionlist, const double* plyorientation,
                       const double* plythickness, const double* plyzcoord,
                       const double* plyelastic, const int32_t* nplies, const int32_t* nsec,
                       const int32_t* defint);

/* GetHMatrixShearCorrect: transverse shear stiffness H of a stack by shear
 * correction factors (method 0): H(i,j) = sqrt(k_i k_j) Hlam(i,j), Hlam the
 * thickness-weighted sum of the ply shear stiffnesses and k the factors of
 * GetShearCorrectFactors.
 *   hshear         (out) 2 x 2 H, force per unit width and unit shear strain
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetHMatrixShearCorrect(double* hshear, const double* plyelastic, const double* plyorientation,
                            const double* plythickness, const int32_t* nplies);

/* GetShearCorrectFactors: shear correction factors of a stack from the shear
 * stress distribution of cylindrical bending in each direction (5/6 for a
 * homogeneous ply). When the bending determinant A D - B^2 of either
 * direction is below 1e-10 both factors are 1. Plies with a nearly singular
 * shear stiffness add nothing.
 *   sk             (out) 2 factors of the directions 1 and 2
 *   hlam           (in)  2 x 2 thickness-weighted sum of the ply shear
 *                        stiffnesses
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetShearCorrectFactors(double* sk, const double* hlam, const double* plyelastic,
                            const double* plyorientation, const double* plythickness,
                            const int32_t* nplies);

/* GetHMatrixImprovedShear: transverse shear stiffness H of a stack (method 1,
 * the default): the inverse of the complementary shear energy
 * sum over plies of the integral of f^T C_k^-1 f dz, integrated by 3-point
 * Gauss per ply, C_k the ply's off-axis shear stiffness.
 *   hext2d         (out) 2 x 2 H
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetHMatrixImprovedShear(double* hext2d, const double* plyelastic, const double* plyorientation,
                             const double* plythickness, const int32_t* nplies);

/* GetHMatrixQuadrature: transverse shear stiffness H of a stack (method 2):
 * the inverse of the complementary energy, sum over plies of the integral of
 * fz^T C_k^-1 fz dz, of the transverse shear stresses that equilibrium gives
 * without membrane forces under cylindrical bending in each direction. fz
 * comes from the running integrals Z1, Z2 of Qbar and Qbar z from the bottom
 * and the partial inverses of ABD (GetABDTilde): its entries are those of
 * Z1 btstar^T - Z2 dtstar; each ply is integrated by 4-point Gauss. H is the
 * same whichever face the stack is read from. It agrees with methods 0 and 1
 * for a homogeneous ply and with method 1 for stacks of plies at 0 and 90
 * degrees. Method 1 takes f in the stack's decoupling axes, so otherwise the
 * two differ, by up to about 30 % on ordinary angle-ply stacks (the largest
 * entry difference relative to the largest entry of method 1, for carbon
 * plies of E1 140, E2 9, G12 = G13 4.5 and
 * G23 3.1 GPa, equal thicknesses): 0.4 % for 0/45/-45/90, 1.4 % for its
 * symmetric form, 26 % for [45/0]s, 14 % for -45/90/89.6; a median of 7 %
 * over all stacks of 3 and 4 plies in 15 degree steps, 31 % the largest
 * found among random stacks of 2 to 6 plies. Method 1 also jumps where the
 * decoupling axes jump: from -45/90/89.6 to -45/90/90 its largest entry
 * falls by 15 % (and the difference to 4 %), that of method 2 by 0.1 %.
 *   hquad          (out) 2 x 2 H
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetHMatrixQuadrature(double* hquad, const double* plyelastic, const double* plyorientation,
                          const double* plythickness, const int32_t* nplies);

/* GetSectionHMatrix: transverse shear stiffness H of every section, from its
 * used plies. Unused sections, and sections whose elastic constants are all
 * zero, stay zero; nothing is recorded.
 *   sehmatrix      (out) 2 x 2 x nsec H per section
 *   sectionlist    (in)  nplies x nsec ply ids, padded with defint
 *   plyorientation (in)  nplies x nsec ply angles in degrees
 *   plythickness   (in)  nplies x nsec ply thicknesses
 *   plyelastic     (in)  9 x nplies x nsec ply constants of one temperature
 *   nplies         (in)  plies per section column
 *   nsec           (in)  number of sections
 *   method         (in, optional) 0 shear correction factors, 2 quadrature,
 *                        otherwise (default 1) improved shear
 *   defint         (in, optional) unset marker; default 2147483647 */
void GetSectionHMatrix(double* sehmatrix, const int32_t* sectionlist, const double* plyorientation,
                       const double* plythickness, const double* plyelastic, const int32_t* nplies,
                       const int32_t* nsec, const int32_t* method, const int32_t* defint);

/* GetChaiDelamFactors: the three factors of the delamination model of an
 * interface between two plies, from their stiffnesses, thicknesses, shear
 * moduli and the angle between them. With c = cos dangl_d, s = sin dangl_d,
 * Ql = qonl, Qu = qonu and the upper ply's stiffness turned onto the lower
 * ply's fibre axis, q = Qu11 c^4 + (4 Qu33 + 2 Qu12) c^2 s^2 + Qu22 s^4:
 *   factor 1 (membrane mismatch) = (Ql11 - q)(plythickl/plythicku)/(Ql11 -
 *            Qu22), 0 when Qu22 equals Ql11 (and for identical plies at 0
 *            degrees, where q = Ql11)
 *   factor 2 (transverse shear) = (1 + (g23u/g23l) c^2 + (g23u/g13l) s^2)/2
 *   factor 3 (longitudinal shear) = (1 + (g13l/g13u) c^2 + (g13l/g23u) s^2)/2
 * Factors 2 and 3 are 1 for identical plies at 0 degrees. A zero shear
 * modulus or upper thickness in a denominator gives an infinite or NaN
 * factor; nothing is recorded.
 *   chaidfactors (out) 3 factors
 *   qonl         (in)  3 x 3 on-axis reduced stiffness (11, 22, 12) of the
 *                      lower ply
 *   qonu         (in)  3 x 3 on-axis reduced stiffness of the upper ply
 *   dangl_d      (in)  angle between the plies in degrees
 *   plythickl    (in)  thickness of the lower ply
 *   plythicku    (in)  thickness of the upper ply
 *   g23l, g23u   (in)  shear modulus G23 of the lower and the upper ply
 *   g13l, g13u   (in)  shear modulus G13 of the lower and the upper ply */
void GetChaiDelamFactors(double* chaidfactors, const double* qonl, const double* qonu,
                         const double* dangl_d, const double* plythickl, const double* plythicku,
                         const double* g23l, const double* g23u, const double* g13l,
                         const double* g13u);

/* ---- Stresses through the thickness ---------------------------------------- */

/* GetArbitrarySectionFG: four transverse shear distribution values per z
 * point of every section of a curved shell with curvatures k1, k2: running
 * integrals of Qbar expanded for the curvature (with or without the curved
 * partial integrals), combined with the partial inverses of ABD and scaled by
 * 1 / ((1 - k2 z)(1 - k1 z)) and a further curvature factor. A section's
 * column has the layout of a stored f column. Unused sections stay zero.
 *   fg             (out) (2 nplies + 1) x 4 x nsec distribution values
 *   sectionlist    (in)  nplies x nsec ply ids, padded with defint
 *   plyorientation (in)  nplies x nsec ply angles in degrees
 *   plythickness   (in)  nplies x nsec ply thicknesses
 *   plyzcoord      (in)  (2 nplies + 1) x nsec z points of each section
 *   plyelastic     (in)  9 x nplies x nsec ply constants
 *   nplies         (in)  plies per section column
 *   nsec           (in)  number of sections
 *   csflag         (in)  0: the curved partial integrals, integrated once
 *                        more through the thickness (the weights of the
 *                        resultant derivatives in the transverse normal
 *                        stress; for a flat stack with fgflag 1 they rise
 *                        from 0 at the bottom to (1, 0, 0, 1) at the top);
 *                        otherwise the scaled running integrals (the
 *                        transverse shear distribution; for a flat stack
 *                        with fgflag 1 they are 0 at both faces, and for a
 *                        flat symmetric cross-ply stack the stored f of
 *                        GetSectionFMatrix, which otherwise differs since it
 *                        works in the decoupling axes)
 *   fgflag         (in)  below 1: pairs the running integrals with the
 *                        partial inverses (A~, B~), the in-plane stress of a
 *                        membrane force; 1 and above: with (B~ transposed,
 *                        D~), the stress of a moment without membrane force,
 *                        so that a stack with membrane-bending coupling
 *                        carries no shear stress at its faces
 *   xycurv         (in, optional) 2 curvatures k1, k2; default (0, 0)
 *   defint         (in, optional) unset marker; default 2147483647 */
void GetArbitrarySectionFG(double* fg, const int32_t* sectionlist, const double* plyorientation,
                           const double* plythickness, const double* plyzcoord,
                           const double* plyelastic, const int32_t* nplies, const int32_t* nsec,
                           const int32_t* csflag, const int32_t* fgflag, const double* xycurv,
                           const int32_t* defint);

/* GetExt2DShearStress: transverse shear stresses of every ply from the two
 * transverse shear forces and one section's stored f values, turned into the
 * ply axes: the first section point of a ply takes the f of its bottom, the
 * last (or a single one) that of its top, the others that of its middle.
 * With the four values (c1, c2, c3, c4) of that point (columns 1 to 4 of
 * smallfmatrix, f(1,1), f(2,1), f(1,2), f(2,2) as GetSectionFMatrix stores
 * them) the laminate-axis stresses are t23 = c1 r1 + c2 r2 and t13 = c3 r1 +
 * c4 r2; a ply at angle theta gets stress 23 = cos theta t23 - sin theta t13
 * and stress 13 = sin theta t23 + cos theta t13 (at angle 0 the two
 * themselves).
 *   xytss          (out) (nplies nspt) x 2 stresses 23 and 13 in the ply
 *                        axes; row (k-1) nspt + s for ply k and section point s
 *   r              (in)  2 transverse shear forces per unit width, 23 and 13
 *   plyorientation (in)  nplies ply angles in degrees
 *   smallfmatrix   (in)  (2 nplies + 1) x 4 stored f values of the section
 *   nspt           (in)  section points per ply
 *   nplies         (in)  number of plies */
void GetExt2DShearStress(double* xytss, const double* r, const double* plyorientation,
                         const double* smallfmatrix, const int32_t* nspt, const int32_t* nplies);

/* GetNormalStressFromBottom: transverse normal stress through the thickness
 * by integrating the equilibrium equation from the bottom surface, where it
 * is zero: per ply the integrand from the f values and the resultant
 * derivatives is a parabola through its three points, integrated exactly.
 *   s33          (out) 2 nplies + 1 stresses at the z points
 *   rdx          (in)  2 derivatives of the resultants by x
 *   rdy          (in)  2 derivatives of the resultants by y
 *   zcoord       (in)  2 nplies + 1 z points of the section
 *   smallfmatrix (in)  (2 nplies + 1) x 4 stored f values of the section
 *   nplies       (in)  number of plies */
void GetNormalStressFromBottom(double* s33, const double* rdx, const double* rdy,
                               const double* zcoord, const double* smallfmatrix,
                               const int32_t* nplies);

/* GetNormalStressFromTop: transverse normal stress through the thickness by
 * integrating the equilibrium equation of GetNormalStressFromBottom downwards
 * from the top surface, where it equals s33bc.
 *   s33          (out) 2 nplies + 1 stresses at the z points
 *   rdx          (in)  2 derivatives of the resultants by x
 *   rdy          (in)  2 derivatives of the resultants by y
 *   s33bc        (in)  normal stress at the top surface
 *   zcoord       (in)  2 nplies + 1 z points of the section
 *   smallfmatrix (in)  (2 nplies + 1) x 4 stored f values of the section
 *   nplies       (in)  number of plies */
void GetNormalStressFromTop(double* s33, const double* rdx, const double* rdy, const double* s33bc,
                            const double* zcoord, const double* smallfmatrix,
                            const int32_t* nplies);

/* GetIntegralOfMembraneNormalStress: transverse normal stress that the shell
 * curvature adds to the membrane stresses: the in-plane stress, linear within
 * each ply, integrated with the weight -ki (1 - kj z) from the bottom and
 * divided by (1 - ki z)(1 - kj z). Zero for ki = 0.
 *   sint            (out) nzcrd stresses at the points
 *   sbt             (in)  2 nplies in-plane normal stresses at the bottom
 *                         (2k-1) and top (2k) of every ply k
 *   plyzcoord       (in)  nzcrd heights from the bottom to the top
 *   plysectionpoint (in)  nplies points per ply, a ply's top shared with the
 *                         next ply's bottom
 *   ki, kj          (in)  curvatures
 *   nzcrd           (in)  number of points
 *   nplies          (in)  number of plies */
void GetIntegralOfMembraneNormalStress(double* sint, const double* sbt, const double* plyzcoord,
                                       const int32_t* plysectionpoint, const double* ki,
                                       const double* kj, const int32_t* nzcrd,
                                       const int32_t* nplies);

/* GetArbitrarySmallF: the stored f values at any height of a ply, by quadratic
 * interpolation through the ply's bottom, middle and top point. A height
 * outside the ply records status -2 and is extrapolated; a ply number outside
 * 1..nplies records status -2 and gives zeros.
 *   afmat        (out) 2 x 2 [[c1, c2], [c3, c4]] of the interpolated values
 *                      (the transpose of f)
 *   iply         (in)  ply number
 *   zpos         (in)  height from the mid-plane
 *   zcoord       (in)  2 nplies + 1 z points of the section
 *   smallfmatrix (in)  (2 nplies + 1) x 4 stored f values c1..c4 of the
 *                      section
 *   nplies       (in)  number of plies */
void GetArbitrarySmallF(double* afmat, const int32_t* iply, const double* zpos,
                        const double* zcoord, const double* smallfmatrix, const int32_t* nplies);

#ifdef __cplusplus
}
#endif
#endif
