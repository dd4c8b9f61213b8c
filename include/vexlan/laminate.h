/* Classical laminate theory of one stack of plies (component laminate):
 * ply positions through the thickness, membrane, coupling and bending
 * stiffness A, B, D and ABD, reduced bending stiffness, partial inverses,
 * laminate engineering constants, lamination parameters, strains and stresses
 * through the thickness, sub-laminates, the decoupling angle and the running
 * through-thickness integrals used for transverse shear.
 *
 * Stack arrays over nplies plies, ply 1 at the bottom:
 *   plyelastic(9, nplies)  E1, E2, E3, nu12, nu13, nu23, G12, G13, G23 per ply
 *   plyprops(nprops, nplies) the same, with alpha1, alpha2 in rows 10, 11 for
 *                          the thermal mode of the integrals
 *   plyorientation(nplies) ply angles in degrees (GetVMatrix: radians)
 *   plythickness(nplies)   ply thicknesses
 * z is measured from the geometric mid-plane of the stack; plyzcoord of a stack
 * holds the bottom and middle of every ply and the top of the last
 * (2 nplies + 1 values). A, B, D are 3 x 3 in the order (x, y, xy) on
 * engineering shear strain; ABD = [[A, B], [B, D]]. All matrices column-major.
 * Indices and extents that would reach outside the arrays record status -2
 * and leave the outputs untouched. */
#ifndef VEXLAN_LAMINATE_H
#define VEXLAN_LAMINATE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Stacking ------------------------------------------------------------- */

/* z of one ply position.
 *   plythickness (in) plythickness(nplies)
 *   iply         (in) ply number, 1..nplies
 *   nplies       (in) number of plies of the stack
 *   zpos         (in) 2 top, 1 middle, any other value the bottom
 *   refoffset    (in, optional) height of the reference plane above the
 *                mid-plane; NULL for 0
 * Returns the z-coordinate. */
double GetPlyZCoord(const double* plythickness, const int32_t* iply, const int32_t* nplies,
                    const int32_t* zpos, const double* refoffset);

/* z-coordinates of every section's used plies.
 *   plyzcoord    (out) plyzcoord(2 nplies + 1, nsec); zero past a section's
 *                      used plies and for unused sections
 *   sectionlist  (in)  sectionlist(nplies, nsec): ply ids, padded with defint
 *   plythickness (in)  plythickness(nplies, nsec)
 *   nplies       (in)  plies per section column
 *   nsec         (in)  number of sections
 *   defint       (in, optional) unset marker; NULL for 2147483647 */
void GetSectionZCoord(double* plyzcoord, const int32_t* sectionlist, const double* plythickness,
                      const int32_t* nplies, const int32_t* nsec, const int32_t* defint);

/* The thinner sub-laminate on either side of an interface.
 *   sublamstack  (out) sublamstack(2): first and last ply
 *   plythickness (in)  plythickness(nplies)
 *   intface      (in)  interface between plies intface and intface + 1
 *   nplies       (in)  number of plies */
void GetSubLaminateStack(int32_t* sublamstack, const double* plythickness, const int32_t* intface,
                         const int32_t* nplies);

/* Dominant ply angle of a stack, plies grouped with the first group whose
 * angle equals theirs or differs by exactly 90 or 180 degrees, and weighted
 * by thickness and anisotropy.
 *   plyelastic, plyorientation, plythickness (in) the stack
 *   nplies (in) number of plies
 * Returns the representative angle in degrees of the heaviest group. */
double GetDecoupAngle(const double* plyelastic, const double* plyorientation,
                      const double* plythickness, const int32_t* nplies);

/* Angle step from a ply to a neighbour.
 *   plyorientation (in) plyorientation(nplies), degrees
 *   nplies         (in) number of plies
 *   luflag         (in) 0 lower neighbour, 1 upper neighbour
 *   iply           (in) ply number
 * Returns the angle of iply minus that of the neighbour, 0 at the stack's
 * ends; 0 with an error record for another luflag (-3) or an iply outside
 * 1..nplies (-2). */
double GetdAngle(const double* plyorientation, const int32_t* nplies, const int32_t* luflag,
                 const int32_t* iply);

/* ---- Stiffness ------------------------------------------------------------ */

/* Membrane stiffness A = sum Qbar_k (z_top - z_bot).
 *   a (out) a(3,3); plyelastic, plyorientation, plythickness (in); nplies (in) */
void GetAMatrix(double* a, const double* plyelastic, const double* plyorientation,
                const double* plythickness, const int32_t* nplies);

/* Coupling stiffness B = 1/2 sum Qbar_k (z_top^2 - z_bot^2).
 *   b (out) b(3,3); plyelastic, plyorientation, plythickness (in); nplies (in) */
void GetBMatrix(double* b, const double* plyelastic, const double* plyorientation,
                const double* plythickness, const int32_t* nplies);

/* Bending stiffness D = 1/3 sum Qbar_k (z_top^3 - z_bot^3).
 *   d (out) d(3,3); plyelastic, plyorientation, plythickness (in); nplies (in) */
void GetDMatrix(double* d, const double* plyelastic, const double* plyorientation,
                const double* plythickness, const int32_t* nplies);

/* abd (out) abd(6,6) = [[A, B], [B, D]]; a, b, d (in) 3 x 3 each. */
void GetABDMatrix(double* abd, const double* a, const double* b, const double* d);

/* dred (out) dred(3,3) = D - B A^-1 B; a, b, d (in) 3 x 3 each. */
void GetReducedBendingStiffness(double* dred, const double* a, const double* b, const double* d);

/* Partial inverses of ABD.
 *   atstar (out) A^-1 + A^-1 B btstar
 *   btstar (out) dtstar B A^-1
 *   dtstar (out) (D - B A^-1 B)^-1
 *   a, b, d (in) 3 x 3 each */
void GetABDTilde(double* atstar, double* btstar, double* dtstar, const double* a, const double* b,
                 const double* d);

/* Laminate engineering constants.
 *   eng    (out) eng(8): membrane Ex, Ey, Gxy, nuxy, flexural Ex, Ey, Gxy, nuxy
 *   abd    (in)  abd(6,6)
 *   h      (in)  laminate thickness
 *   tcflag (in, optional) true: read straight from the diagonal of ABD;
 *                NULL or false: from the inverse of ABD */
void GetEngConstsFromABDMatrix(double* eng, const double* abd, const double* h,
                               const vx_l1* tcflag);

/* Lamination parameters.
 *   v              (out) v(4,3): rows cos 2t, cos 4t, sin 2t, sin 4t; columns
 *                        membrane, coupling, bending
 *   plyorientation (in)  plyorientation(nplies), radians
 *   plythickness   (in)  plythickness(nplies)
 *   nplies         (in)  number of plies */
void GetVMatrix(double* v, const double* plyorientation, const double* plythickness,
                const int32_t* nplies);

/* Stiffness of a sub-laminate taken as a stack of its own.
 *   xsub        (out) xsub(3,3): A, B or D; zero for another slflag
 *   slflag      (in)  one character "A", "B" or "D"
 *   plyelastic, plyorientation, plythickness (in) the whole stack
 *   sublamstack (in)  sublamstack(2): first and last ply
 *   nplies      (in)  number of plies of the whole stack
 *   slflag_len  (in)  length of the text slflag (hidden at the Python side) */
void GetSubLaminateXMatrix(double* xsub, const char* slflag, const double* plyelastic,
                           const double* plyorientation, const double* plythickness,
                           const int32_t* sublamstack, const int32_t* nplies, size_t slflag_len);

/* Effective plate bending stiffness
 * sqrt(D11 D22 (1 + (D12 + 2 D66) / sqrt(D11 D22)) / 2).
 *   plyelastic, plyorientation, plythickness (in); nplies (in) */
double GetEffectivePlateStiffness(const double* plyelastic, const double* plyorientation,
                                  const double* plythickness, const int32_t* nplies);

/* ---- Strains and stresses through the thickness -------------------------- */

/* plystrain(:, i) = se(1:3) + plyzcoord(i) se(4:6).
 *   plystrain (out) plystrain(3, nzcrd)
 *   se        (in)  se(6): mid-plane strains and curvatures
 *   plyzcoord (in)  plyzcoord(nzcrd)
 *   nzcrd     (in)  number of points */
void GetPlyStrain(double* plystrain, const double* se, const double* plyzcoord,
                  const int32_t* nzcrd);

/* Ply-axis strains at the bottom, middle and top of every ply.
 *   plystrain      (out) plystrain(3, 3 nplies)
 *   se             (in)  se(6)
 *   plyorientation (in)  plyorientation(nplies), degrees
 *   plythickness   (in)  plythickness(nplies)
 *   nplies         (in)  number of plies
 *   reference      (in, optional) height of the reference plane; NULL for 0 */
void GetSectionStrain(double* plystrain, const double* se, const double* plyorientation,
                      const double* plythickness, const int32_t* nplies,
                      const double* reference);

/* Stresses at the bottom and top of every ply from stresses at section points.
 *   sbt             (out) sbt(6, 2 nplies)
 *   sestress        (in)  sestress(6, nzcrd)
 *   plysectionpoint (in)  plysectionpoint(nplies): intervals per ply
 *   nzcrd           (in)  number of section points
 *   nplies          (in)  number of plies */
void GetPlyBottomTopStress(double* sbt, const double* sestress, const int32_t* plysectionpoint,
                           const int32_t* nzcrd, const int32_t* nplies);

/* ---- Running through-thickness integrals ---------------------------------- */

/* X(z_j) = integral from z_1 to z_j of Qbar(z) z^(expo - 1) dz, ply by ply.
 *   xint            (out) xint(3, 3, nzcrd); first column only in thermal mode
 *   expo            (in)  exponent
 *   plyprops        (in)  plyprops(nprops, nplies)
 *   plyorientation  (in)  plyorientation(nplies), degrees
 *   plyzcoord       (in)  plyzcoord(nzcrd)
 *   plysectionpoint (in)  plysectionpoint(nplies): intervals per ply
 *   nzcrd, nplies, nprops (in) extents
 *   thflag          (in, optional) 1: integrand Qbar T (alpha1, alpha2, 0);
 *                   NULL or another value: Qbar */
void GetArbitraryLaminateIntegral(double* xint, const int32_t* expo, const double* plyprops,
                                  const double* plyorientation, const double* plyzcoord,
                                  const int32_t* plysectionpoint, const int32_t* nzcrd,
                                  const int32_t* nplies, const int32_t* nprops,
                                  const int32_t* thflag);

/* pij = p0 - (ki + kj) p1 + ki kj p2 at every point.
 *   pij        (out) pij(3, pdim, nzcrd)
 *   p0, p1, p2 (in)  (3, pdim, nzcrd) each
 *   ki, kj     (in)  curvatures
 *   pdim, nzcrd (in) extents */
void getpartialabwithcurvature(double* pij, const double* p0, const double* p1, const double* p2,
                               const double* ki, const double* kj, const int32_t* pdim,
                               const int32_t* nzcrd);

/* Partial integrals of a curved stack.
 *   xij             (out) xij(3, ndim, nzcrd)
 *   pij             (in)  pij(3, ndim, nzcrd)
 *   plyprops        (in)  plyprops(nprops, nplies)
 *   plyorientation  (in)  plyorientation(nplies), degrees
 *   plyzcoord       (in)  plyzcoord(nzcrd)
 *   plysectionpoint (in)  plysectionpoint(nplies), the same count in every ply
 *   ki, kj          (in)  curvatures
 *   ndim            (in)  1: thermal vector integrand, otherwise Qbar (3)
 *   nzcrd, nplies, nprops (in) extents
 *   cdflag          (in)  1: second moment form, otherwise the first */
void GetPartialCDwithCurvature(double* xij, const double* pij, const double* plyprops,
                               const double* plyorientation, const double* plyzcoord,
                               const int32_t* plysectionpoint, const double* ki,
                               const double* kj, const int32_t* ndim, const int32_t* nzcrd,
                               const int32_t* nplies, const int32_t* nprops,
                               const int32_t* cdflag);

/* fg(:,:,i) = +-(p1(:,:,i) tstar1 - p2(:,:,i) tstar2).
 *   fg             (out) fg(3, 3, nzcrd)
 *   p1, p2         (in)  (3, 3, nzcrd) each
 *   tstar1, tstar2 (in)  3 x 3 each
 *   nzcrd          (in)  number of points
 *   fgflag         (in)  > 0: p1 tstar1 - p2 tstar2, otherwise the negative */
void GetPartialFG(double* fg, const double* p1, const double* p2, const double* tstar1,
                  const double* tstar2, const int32_t* nzcrd, const int32_t* fgflag);

#ifdef __cplusplus
}
#endif
#endif
