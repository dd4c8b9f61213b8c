/* Transverse shear of a laminate section and stresses through its thickness
 * (component laminate).
 *
 * A stack of n plies is given by plyelastic(9, n) (E1, E2, E3, nu12, nu13,
 * nu23, G12, G13, G23 per ply), plyorientation(n) in degrees and
 * plythickness(n); ply 1 lies at the bottom and z is measured from the
 * geometric mid-plane. Per-section arrays carry a trailing section index.
 * A section's ply list holds ply ids padded with the marker defint
 * (default 2147483647); its used plies are those before the first marker.
 * All matrices are column-major. f(z) is the 2 x 2 matrix that turns the two
 * transverse shear forces into the two transverse shear stresses at height z;
 * a section stores it at its 2n+1 z points as f(1,1), f(2,1), f(1,2), f(2,2). */
#ifndef VEXLAN_LAMINATE_SHEAR_H
#define VEXLAN_LAMINATE_SHEAR_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Transverse shear stiffness -------------------------------------------- */

/* Membrane stiffness integrated from the bottom of the stack up to zcrd.
 * aprt(3,3)       out  partial A, order (x, y, xy)
 * plyelastic(9,n) in   ply elastic constants
 * plyorientation(n) in ply angles, degrees
 * plythickness(n) in   ply thicknesses
 * zcrd            in   height, inside ply iply
 * iply            in   ply holding zcrd (1-based)
 * nplies          in   number of plies n */
void GetPartialAMatrix(double* aprt, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const double* zcrd, const int32_t* iply,
                       const int32_t* nplies);
/* Coupling stiffness integrated from the bottom up to zcrd; arguments as
 * GetPartialAMatrix, bprt(3,3) out. */
void GetPartialBMatrix(double* bprt, const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const double* zcrd, const int32_t* iply,
                       const int32_t* nplies);
/* f at one height.
 * smallf(2,2)     out  f(zcrd)
 * plyelastic .. plythickness, zcrd, iply, nplies: as GetPartialAMatrix
 * fa(3,3)         in   A^-1 B (D - B A^-1 B)^-1
 * fb(3,3)         in   (D - B A^-1 B)^-1 */
void GetSmallFMatrix(double* smallf, const double* plyelastic, const double* plyorientation,
                     const double* plythickness, const double* zcrd, const double* fa,
                     const double* fb, const int32_t* iply, const int32_t* nplies);
/* f at the 2n+1 z points of every section.
 * plysmallf(2*nplies+1,4,nsec)  out  f(1,1), f(2,1), f(1,2), f(2,2) per point
 * sectionlist(nplies,nsec)      in   ply ids padded with defint
 * plyorientation(nplies,nsec)   in   degrees
 * plythickness(nplies,nsec)     in
 * plyzcoord(2*nplies+1,nsec)    in   bottom and middle of each ply, top of the last
 * plyelastic(9,nplies,nsec)     in   one temperature's elastic constants
 * nplies, nsec                  in   extents
 * defint                        in   optional marker, default 2147483647 */
void GetSectionFMatrix(double* plysmallf, const int32_t* sectionlist, const double* plyorientation,
                       const double* plythickness, const double* plyzcoord,
                       const double* plyelastic, const int32_t* nplies, const int32_t* nsec,
                       const int32_t* defint);
/* H by shear correction factors (method 0).
 * hshear(2,2) out; plyelastic, plyorientation, plythickness, nplies: the stack. */
void GetHMatrixShearCorrect(double* hshear, const double* plyelastic, const double* plyorientation,
                            const double* plythickness, const int32_t* nplies);
/* Shear correction factors of cylindrical bending in both directions.
 * sk(2)        out  factors of directions 1 and 2
 * hlam(2,2)    in   thickness-weighted sum of the ply shear stiffnesses
 * plyelastic, plyorientation, plythickness, nplies: the stack. */
void GetShearCorrectFactors(double* sk, const double* hlam, const double* plyelastic,
                            const double* plyorientation, const double* plythickness,
                            const int32_t* nplies);
/* H by 3-point Gauss integration of the complementary shear energy (method 1).
 * hext2d(2,2) out; the stack as above. */
void GetHMatrixImprovedShear(double* hext2d, const double* plyelastic, const double* plyorientation,
                             const double* plythickness, const int32_t* nplies);
/* H by 4-point Gauss integration over running laminate integrals (method 2).
 * hquad(2,2) out; the stack as above. */
void GetHMatrixQuadrature(double* hquad, const double* plyelastic, const double* plyorientation,
                          const double* plythickness, const int32_t* nplies);
/* H of every section.
 * sehmatrix(2,2,nsec)  out
 * sectionlist, plyorientation, plythickness, plyelastic, nplies, nsec: as GetSectionFMatrix
 * method               in  optional: 0 shear correction, 2 quadrature, other (default 1) improved shear
 * defint               in  optional marker, default 2147483647 */
void GetSectionHMatrix(double* sehmatrix, const int32_t* sectionlist, const double* plyorientation,
                       const double* plythickness, const double* plyelastic, const int32_t* nplies,
                       const int32_t* nsec, const int32_t* method, const int32_t* defint);
/* Chai factors of the interface between two plies.
 * chaidfactors(3) out
 * qonl(3,3), qonu(3,3) in  on-axis reduced stiffness (11, 22, 12) of the lower and upper ply
 * dangl_d              in  angle between the plies, degrees
 * plythickl, plythicku in  thicknesses of the lower and upper ply
 * g23l, g23u, g13l, g13u in transverse shear moduli of the lower and upper ply */
void GetChaiDelamFactors(double* chaidfactors, const double* qonl, const double* qonu,
                         const double* dangl_d, const double* plythickl, const double* plythicku,
                         const double* g23l, const double* g23u, const double* g13l,
                         const double* g13u);

/* ---- Stresses through the thickness ---------------------------------------- */

/* Four distribution values per z point of curved sections.
 * fg(2*nplies+1,4,nsec) out
 * sectionlist, plyorientation, plythickness, plyzcoord, plyelastic, nplies, nsec: as GetSectionFMatrix
 * csflag   in  0: curved partial integrals; other: scaled running integrals
 * fgflag   in  <1: pairs with (A~, B~); >=1: with (B~, D~)
 * xycurv(2) in optional curvatures k1, k2 (default 0, 0)
 * defint   in  optional marker, default 2147483647 */
void GetArbitrarySectionFG(double* fg, const int32_t* sectionlist, const double* plyorientation,
                           const double* plythickness, const double* plyzcoord,
                           const double* plyelastic, const int32_t* nplies, const int32_t* nsec,
                           const int32_t* csflag, const int32_t* fgflag, const double* xycurv,
                           const int32_t* defint);
/* Transverse shear stresses of every ply from the transverse shear forces.
 * xytss(nplies*nspt,2)   out  row (k-1)*nspt+s: ply k, section point s
 * r(2)                   in   transverse shear forces
 * plyorientation(nplies) in   degrees
 * smallfmatrix(2*nplies+1,4) in one section's stored f values
 * nspt                   in   section points per ply
 * nplies                 in */
void GetExt2DShearStress(double* xytss, const double* r, const double* plyorientation,
                         const double* smallfmatrix, const int32_t* nspt, const int32_t* nplies);
/* Transverse normal stress integrated from the bottom surface (zero there).
 * s33(2*nplies+1)        out
 * rdx(2), rdy(2)         in   derivatives of the resultants
 * zcoord(2*nplies+1)     in   z points
 * smallfmatrix(2*nplies+1,4) in
 * nplies                 in */
void GetNormalStressFromBottom(double* s33, const double* rdx, const double* rdy,
                               const double* zcoord, const double* smallfmatrix,
                               const int32_t* nplies);
/* Transverse normal stress integrated from the top surface, where it is s33bc;
 * other arguments as GetNormalStressFromBottom. */
void GetNormalStressFromTop(double* s33, const double* rdx, const double* rdy, const double* s33bc,
                            const double* zcoord, const double* smallfmatrix,
                            const int32_t* nplies);
/* Transverse normal stress that curvature adds to the membrane stresses.
 * sint(nzcrd)            out
 * sbt(2*nplies)          in   in-plane normal stress at bottom and top of every ply
 * plyzcoord(nzcrd)       in   z points
 * plysectionpoint(nplies) in  points per ply
 * ki, kj                 in   curvatures
 * nzcrd, nplies          in */
void GetIntegralOfMembraneNormalStress(double* sint, const double* sbt, const double* plyzcoord,
                                       const int32_t* plysectionpoint, const double* ki,
                                       const double* kj, const int32_t* nzcrd,
                                       const int32_t* nplies);
/* f at any height of a ply by quadratic interpolation of its three points.
 * afmat(2,2)             out  the point matrix [[c1,c2],[c3,c4]] interpolated
 * iply                   in   ply
 * zpos                   in   height (outside the ply: status -2, extrapolated)
 * zcoord(2*nplies+1)     in
 * smallfmatrix(2*nplies+1,4) in
 * nplies                 in */
void GetArbitrarySmallF(double* afmat, const int32_t* iply, const double* zpos,
                        const double* zcoord, const double* smallfmatrix, const int32_t* nplies);

#ifdef __cplusplus
}
#endif
#endif
