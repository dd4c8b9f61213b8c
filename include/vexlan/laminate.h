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

/* GetPlyZCoord: z-coordinate of the bottom, middle or top of one ply of a
 * stack, measured from the geometric mid-plane (the bottom of ply 1 lies at
 * -h/2, h the sum of the thicknesses), or from a reference plane refoffset
 * above it. A ply number outside 1..nplies records status -2 and gives 0.
 *   plythickness (in)  nplies ply thicknesses, ply 1 at the bottom
 *   iply         (in)  ply number, 1..nplies
 *   nplies       (in)  number of plies of the stack
 *   zpos         (in)  2 top, 1 middle, any other value (0) the bottom
 *   refoffset    (in, optional) height of the reference plane above the
 *                      mid-plane; default 0
 *   result       (ret) the z-coordinate */
double GetPlyZCoord(const double* plythickness, const int32_t* iply, const int32_t* nplies,
                    const int32_t* zpos, const double* refoffset);

/* GetSectionZCoord: z-coordinates of the used plies of every section: for ply
 * i its bottom at entry 2i-1 and its middle at 2i, the top of the last used
 * ply after them, measured from the mid-plane of the used plies. The used
 * plies are the entries of the section's ply list before the first marker;
 * a list starting with the marker marks an unused section. Nothing is
 * recorded.
 *   plyzcoord    (out) (2 nplies + 1) x nsec; zero past a section's used plies
 *                      and for unused sections
 *   sectionlist  (in)  nplies x nsec ply ids, padded with defint
 *   plythickness (in)  nplies x nsec ply thicknesses
 *   nplies       (in)  plies per section column
 *   nsec         (in)  number of sections
 *   defint       (in, optional) unset marker; default 2147483647 */
void GetSectionZCoord(double* plyzcoord, const int32_t* sectionlist, const double* plythickness,
                      const int32_t* nplies, const int32_t* nsec, const int32_t* defint);

/* GetSubLaminateStack: the thinner sub-laminate on either side of an
 * interface: the plies above it when the part below is at least as thick
 * (ties included), else the plies below. An interface outside 0..nplies
 * records status -2 and leaves sublamstack untouched.
 *   sublamstack  (out) 2 values: first and last ply of the sub-laminate
 *   plythickness (in)  nplies ply thicknesses, ply 1 at the bottom
 *   intface      (in)  interface between plies intface and intface + 1
 *   nplies       (in)  number of plies */
void GetSubLaminateStack(int32_t* sublamstack, const double* plythickness, const int32_t* intface,
                         const int32_t* nplies);

/* GetDecoupAngle: dominant ply angle of a stack. Plies are grouped with the
 * first group whose angle equals theirs or differs by exactly 90 or 180
 * degrees (so 270 degrees apart are different groups), each weighted by its
 * thickness share and its anisotropy (E1, E2 ratio); the representative (first)
 * angle of the heaviest group is returned, the earlier group on equal
 * weights. A stack without plies records status -2 and gives 0.
 *   plyelastic     (in)  9 x nplies ply constants (E1, E2 read)
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses
 *   nplies         (in)  number of plies
 *   result         (ret) the representative angle in degrees */
double GetDecoupAngle(const double* plyelastic, const double* plyorientation,
                      const double* plythickness, const int32_t* nplies);

/* GetdAngle: angle step from a ply to its lower or upper neighbour, the angle
 * of iply minus that of the neighbour; 0 at the ends of the stack. An luflag
 * other than 0 and 1 records status -3, an iply outside 1..nplies status -2;
 * both give 0.
 *   plyorientation (in)  nplies ply angles in degrees
 *   nplies         (in)  number of plies
 *   luflag         (in)  0 lower neighbour, 1 upper neighbour
 *   iply           (in)  ply number
 *   result         (ret) the angle step in degrees */
double GetdAngle(const double* plyorientation, const int32_t* nplies, const int32_t* luflag,
                 const int32_t* iply);

/* ---- Stiffness ------------------------------------------------------------ */

/* GetAMatrix: membrane stiffness A = sum Qbar_k (z_top - z_bot) of a stack,
 * Qbar_k the plane-stress stiffness of ply k built from its E1, E2, nu12 and
 * G12 (rows 1, 2, 4 and 7 of plyelastic; the other five constants do not
 * enter) and turned from the ply axes (11, 22, 12) to the stack axes (x, y,
 * xy) by the ply angle, counted from x towards y.
 *   a              (out) 3 x 3 membrane stiffness, order (x, y, xy)
 *   plyelastic     (in)  9 x nplies ply constants, one column per ply: E1,
 *                        E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetAMatrix(double* a, const double* plyelastic, const double* plyorientation,
                const double* plythickness, const int32_t* nplies);

/* GetBMatrix: coupling stiffness B = 1/2 sum Qbar_k (z_top^2 - z_bot^2) of a
 * stack, z from its mid-plane (ply 1 at the bottom, so a 0/90 stack has a
 * negative B11); zero for a symmetric stack. Qbar_k as in GetAMatrix, from
 * E1, E2, nu12 and G12 of each ply.
 *   b              (out) 3 x 3 coupling stiffness, order (x, y, xy)
 *   plyelastic     (in)  9 x nplies ply constants, one column per ply: E1,
 *                        E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetBMatrix(double* b, const double* plyelastic, const double* plyorientation,
                const double* plythickness, const int32_t* nplies);

/* GetDMatrix: bending stiffness D = 1/3 sum Qbar_k (z_top^3 - z_bot^3) of a
 * stack, z from its mid-plane. Qbar_k as in GetAMatrix, from E1, E2, nu12 and
 * G12 of each ply.
 *   d              (out) 3 x 3 bending stiffness, order (x, y, xy)
 *   plyelastic     (in)  9 x nplies ply constants, one column per ply: E1,
 *                        E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetDMatrix(double* d, const double* plyelastic, const double* plyorientation,
                const double* plythickness, const int32_t* nplies);

/* GetABDMatrix: the 6 x 6 laminate stiffness [[A, B], [B, D]] acting on the
 * mid-plane strains (eps_x, eps_y, gamma_xy) and curvatures (kappa_x,
 * kappa_y, kappa_xy).
 *   abd (out) 6 x 6 laminate stiffness
 *   a   (in)  3 x 3 membrane stiffness
 *   b   (in)  3 x 3 coupling stiffness
 *   d   (in)  3 x 3 bending stiffness */
void GetABDMatrix(double* abd, const double* a, const double* b, const double* d);

/* GetReducedBendingStiffness: bending stiffness with the membrane strains
 * condensed out, D - B A^-1 B. A singular A is reported by the matrix inverse.
 *   dred (out) 3 x 3 reduced bending stiffness
 *   a    (in)  3 x 3 membrane stiffness
 *   b    (in)  3 x 3 coupling stiffness
 *   d    (in)  3 x 3 bending stiffness */
void GetReducedBendingStiffness(double* dred, const double* a, const double* b, const double* d);

/* GetABDTilde: partial inverses of ABD: dtstar = (D - B A^-1 B)^-1,
 * btstar = dtstar B A^-1, atstar = A^-1 + A^-1 B btstar. For a symmetric ABD
 * they are the blocks of ABD^-1 (btstar with the opposite sign). Singular
 * matrices are reported by the matrix inverse.
 *   atstar (out) 3 x 3 membrane block
 *   btstar (out) 3 x 3 coupling block
 *   dtstar (out) 3 x 3 bending block
 *   a      (in)  3 x 3 membrane stiffness
 *   b      (in)  3 x 3 coupling stiffness
 *   d      (in)  3 x 3 bending stiffness */
void GetABDTilde(double* atstar, double* btstar, double* dtstar, const double* a, const double* b,
                 const double* d);

/* GetEngConstsFromABDMatrix: engineering constants of a laminate of thickness
 * h, from the compliance ABD^-1 (moduli 1 / (h a_ii) and 12 / (h^3 a_ii),
 * Poisson ratios -a12 / a11 and -a45 / a44), or with tcflag straight from the
 * stiffness diagonal (A_ii / h, 12 D_ii / h^3, Poisson ratios 0). A singular
 * ABD is reported by the matrix inverse.
 *   eng    (out) 8 values: membrane Ex, Ey, Gxy, nuxy, then flexural Ex, Ey,
 *                Gxy, nuxy
 *   abd    (in)  6 x 6 laminate stiffness
 *   h      (in)  laminate thickness
 *   tcflag (in, optional) nonzero: read the stiffness diagonal; 0 (default):
 *                the compliance. A 1-byte logical in C; from Python an
 *                integer */
void GetEngConstsFromABDMatrix(double* eng, const double* abd, const double* h,
                               const vx_l1* tcflag);

/* GetVMatrix: lamination parameters of a stack: for the membrane, coupling
 * and bending integral (c = 1, 2, 3) and the functions cos 2t, cos 4t,
 * sin 2t, sin 4t, v = f_c / h^c sum trig(t_k) (z_top^c - z_bot^c) with
 * f = (1, 2, 4). Unlike the other routines the angles are in radians.
 *   v              (out) 4 x 3: rows cos 2t, cos 4t, sin 2t, sin 4t; columns
 *                        membrane, coupling, bending
 *   plyorientation (in)  nplies ply angles in radians
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies */
void GetVMatrix(double* v, const double* plyorientation, const double* plythickness,
                const int32_t* nplies);

/* GetSubLaminateXMatrix: A, B or D of the plies first..last of a stack taken
 * as a stack of their own (z from the sub-laminate's own mid-plane). An empty
 * range gives zeros; a range reaching outside the stack records status -2 and
 * leaves xsub untouched; another slflag gives the zero matrix.
 *   xsub           (out) 3 x 3 stiffness, order (x, y, xy)
 *   slflag         (in)  one character: "A", "B" or "D" (upper case)
 *   plyelastic     (in)  9 x nplies ply constants of the whole stack
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   sublamstack    (in)  2 values: first and last ply of the sub-laminate
 *   nplies         (in)  number of plies of the whole stack */
void GetSubLaminateXMatrix(double* xsub, const char* slflag, const double* plyelastic,
                           const double* plyorientation, const double* plythickness,
                           const int32_t* sublamstack, const int32_t* nplies, size_t slflag_len);

/* GetEffectivePlateStiffness: effective bending stiffness of an orthotropic
 * plate, sqrt(D11 D22 (1 + (D12 + 2 D66) / sqrt(D11 D22)) / 2), from D of the
 * stack. A stack without bending stiffness (D11 D22 = 0: no plies, or zero
 * total thickness) records status -2 and gives 0.
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies
 *   result         (ret) the effective plate stiffness */
double GetEffectivePlateStiffness(const double* plyelastic, const double* plyorientation,
                                  const double* plythickness, const int32_t* nplies);

/* ---- Strains and stresses through the thickness -------------------------- */

/* GetPlyStrain: laminate-axis strains at given heights from the section
 * strains, eps(z) = eps0 + z kappa.
 *   plystrain (out) 3 x nzcrd strains (eps_x, eps_y, gamma_xy) per point
 *   se        (in)  6 section strains: mid-plane eps_x, eps_y, gamma_xy, then
 *                   curvatures kappa_x, kappa_y, kappa_xy
 *   plyzcoord (in)  nzcrd heights z from the reference plane
 *   nzcrd     (in)  number of points */
void GetPlyStrain(double* plystrain, const double* se, const double* plyzcoord,
                  const int32_t* nzcrd);

/* GetSectionStrain: ply-axis strains at the bottom, middle and top of every
 * ply of a stack from the section strains: laminate-axis strains at the
 * points, turned into the ply axes with the engineering-strain
 * transformation at the ply angle.
 *   plystrain      (out) 3 x 3 nplies: (eps_11, eps_22, gamma_12) of ply k at
 *                        its bottom, middle and top in columns 3k-2..3k
 *   se             (in)  6 section strains: mid-plane strains, then curvatures
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   nplies         (in)  number of plies
 *   reference      (in, optional) height of the reference plane above the
 *                        mid-plane (subtracted from every z); default 0 */
void GetSectionStrain(double* plystrain, const double* se, const double* plyorientation,
                      const double* plythickness, const int32_t* nplies,
                      const double* reference);

/* GetPlyBottomTopStress: stresses at the bottom and top of every ply, picked
 * from stresses at section points: the stack's bottom is point 1 and its top
 * point nzcrd; the top of ply k is the point after its plysectionpoint
 * intervals and the bottom of ply k+1 the point after that. Columns whose
 * point lies beyond nzcrd stay zero; with fewer than 3 points only the first
 * and last column are set. No plies, no points, or a ply without an interval
 * record status -2 and leave sbt untouched.
 *   sbt             (out) 6 x 2 nplies: bottom (column 2k-1) and top (2k) of
 *                         ply k
 *   sestress        (in)  6 x nzcrd stresses at the section points
 *   plysectionpoint (in)  nplies section-point intervals per ply, at least 1
 *   nzcrd           (in)  number of section points
 *   nplies          (in)  number of plies */
void GetPlyBottomTopStress(double* sbt, const double* sestress, const int32_t* plysectionpoint,
                           const int32_t* nzcrd, const int32_t* nplies);

/* ---- Running through-thickness integrals ---------------------------------- */

/* GetArbitraryLaminateIntegral: running integral from the bottom point,
 * X(z_j) = integral of Qbar(z) z^(expo - 1) dz from z_1 to z_j, evaluated ply
 * by ply at every point of the list; X(z_1) = 0. In the thermal mode the
 * integrand is the vector Qbar alpha with the ply's thermal expansion turned
 * into laminate axes, stored in the first column. Too few ply properties (9,
 * or 11 in the thermal mode) or points beyond nzcrd record status -2 and
 * leave xint untouched.
 *   xint            (out) 3 x 3 x nzcrd running integrals
 *   expo            (in)  the integrand carries z^(expo - 1): 1 Qbar, 2 Qbar z,
 *                         3 Qbar z^2
 *   plyprops        (in)  nprops x nplies ply constants, alpha1, alpha2 in
 *                         rows 10, 11
 *   plyorientation  (in)  nplies ply angles in degrees
 *   plyzcoord       (in)  nzcrd heights from the bottom to the top
 *   plysectionpoint (in)  nplies intervals per ply (ply boundaries shared)
 *   nzcrd           (in)  number of points, 1 + the sum of the intervals
 *   nplies          (in)  number of plies
 *   nprops          (in)  rows of plyprops
 *   thflag          (in, optional) 1 the thermal mode; otherwise (default)
 *                         the integral of Qbar */
void GetArbitraryLaminateIntegral(double* xint, const int32_t* expo, const double* plyprops,
                                  const double* plyorientation, const double* plyzcoord,
                                  const int32_t* plysectionpoint, const int32_t* nzcrd,
                                  const int32_t* nplies, const int32_t* nprops,
                                  const int32_t* thflag);

/* getpartialabwithcurvature: pij = p0 - (ki + kj) p1 + ki kj p2 at every
 * point; from the running integrals of Qbar z^0, z^1 and z^2 this is the
 * running integral of Qbar (1 - ki z)(1 - kj z) of a curved stack.
 *   pij    (out) 3 x pdim x nzcrd
 *   p0     (in)  3 x pdim x nzcrd running integral of the z^0 term
 *   p1     (in)  3 x pdim x nzcrd running integral of the z^1 term
 *   p2     (in)  3 x pdim x nzcrd running integral of the z^2 term
 *   ki, kj (in)  curvatures of the two directions
 *   pdim   (in)  columns per point (3, or 1 for a vector)
 *   nzcrd  (in)  number of points */
void getpartialabwithcurvature(double* pij, const double* p0, const double* p1, const double* p2,
                               const double* ki, const double* kj, const int32_t* pdim,
                               const int32_t* nzcrd);

/* GetPartialCDwithCurvature: running integrals of a curved stack, ply by ply:
 * at each point z of a ply with bottom zb, l = z - zb,
 * xij(z) = xij(zb) + c_a X_k + c_b pij(zb) with c_b = l / ((1 - ki z)(1 - kj z))
 * and c_a = (1 - kj (2 zb + z) / 3) l^2 / (2 (1 - ki z)) (first moment) or
 * (2 zb + z - kj (z^2 + 2 z zb + 3 zb^2) / 2) l^2 / (6 (1 - ki z)) (second
 * moment); X_k is the ply's Qbar, or its thermal vector for ndim 1. Every ply
 * must have the same number of intervals. An ndim other than 1 or 3, too few
 * ply properties or points beyond nzcrd record status -2 and leave xij
 * untouched (from Python, a negative ndim is a ValueError).
 *   xij             (out) 3 x ndim x nzcrd
 *   pij             (in)  3 x ndim x nzcrd from getpartialabwithcurvature
 *   plyprops        (in)  nprops x nplies ply constants, alpha1, alpha2 in
 *                         rows 10, 11
 *   plyorientation  (in)  nplies ply angles in degrees
 *   plyzcoord       (in)  nzcrd heights from the bottom to the top
 *   plysectionpoint (in)  nplies intervals per ply, the same in every ply
 *   ki, kj          (in)  curvatures of the two directions
 *   ndim            (in)  1 the thermal vector integrand, 3 Qbar
 *   nzcrd           (in)  number of points
 *   nplies          (in)  number of plies
 *   nprops          (in)  rows of plyprops (at least 9, 11 for ndim 1)
 *   cdflag          (in)  1 the second moment form, otherwise the first */
void GetPartialCDwithCurvature(double* xij, const double* pij, const double* plyprops,
                               const double* plyorientation, const double* plyzcoord,
                               const int32_t* plysectionpoint, const double* ki,
                               const double* kj, const int32_t* ndim, const int32_t* nzcrd,
                               const int32_t* nplies, const int32_t* nprops,
                               const int32_t* cdflag);

/* GetPartialFG: fg = p1 tstar1 - p2 tstar2 at every point, or its negative;
 * the partial distribution matrices of the transverse shear stresses.
 *   fg     (out) 3 x 3 x nzcrd
 *   p1     (in)  3 x 3 x nzcrd running integrals
 *   p2     (in)  3 x 3 x nzcrd running integrals
 *   tstar1 (in)  3 x 3 partial inverse for p1
 *   tstar2 (in)  3 x 3 partial inverse for p2
 *   nzcrd  (in)  number of points
 *   fgflag (in)  above 0: p1 tstar1 - p2 tstar2; otherwise the negative */
void GetPartialFG(double* fg, const double* p1, const double* p2, const double* tstar1,
                  const double* tstar2, const int32_t* nzcrd, const int32_t* fgflag);

#ifdef __cplusplus
}
#endif
#endif
