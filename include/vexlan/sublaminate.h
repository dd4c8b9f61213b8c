/* Buckling of delaminated sub-laminates (component sublaminate).
 *
 * A sub-laminate over a delamination is a plate of the delamination's shape
 * (dshape 0 none, 1 ellipse, 2 rectangle, 3 rectangle-tangent) with half-axes
 * a, b; its critical in-plane load follows from a six-term Ritz approximation:
 * bending stiffness KK and geometric stiffness KG, both 6 x 6.
 *
 * Buckling records, one per buckled (or remaining) sub-laminate, in the order
 * of buckling; a list holds max(nplies, 1) records:
 *   integer record (4): bounding interface, first ply, last ply, side
 *                       (0 below the interface, 1 above)
 *   real record (12):   buckling strain, knock-down factor (buckling stress
 *                       over compressive strength), buckling stress,
 *                       delamination a, b, angle, Ritz mode (6)
 * Ply data: plyelastic(9, nplies) E1, E2, E3, nu12, nu13, nu23, G12, G13, G23;
 * plyorientation(nplies) degrees; plythickness(nplies); ply 1 at the bottom. */
#ifndef VEXLAN_SUBLAMINATE_H
#define VEXLAN_SUBLAMINATE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetKKEllipse, GetKKRectangle, GetKKRectTang: constant Ritz coefficient
 * table of the bending stiffness of an elliptic, rectangular or
 * rectangle-tangent plate for one stiffness term; GetSubKK weights them by
 * the plate's bending stiffness. Another kind records status -2 and gives the
 * zero matrix. In every shape kind 2 is kind 1 with the plate's x and y
 * exchanged (rows and columns 2 and 3, 5 and 6 swapped), kind 5 likewise
 * kind 4, and kind 3 is its own mirror, so that a plate and its mirror image
 * have the same stiffness; for GetKKRectTang kind 2 this gives the entries
 * 33 = 63 and 56 = 3 (times 64/315), as entries 22 and 56 of kind 1.
 *   kk     (out) 6 x 6 symmetric coefficient table
 *   kktype (in)  stiffness term: 1 or 11, 2 or 22, 3 or 33, 4 or 16, 5 or 26 */
void GetKKEllipse(double* kk, const int32_t* kktype);
void GetKKRectangle(double* kk, const int32_t* kktype);
void GetKKRectTang(double* kk, const int32_t* kktype);

/* GetKGEllipse, GetKGRectangle, GetKGRectTang: constant Ritz coefficient
 * table of the geometric stiffness of an elliptic, rectangular or
 * rectangle-tangent plate for one load term; GetSubKG weights them by the
 * in-plane running loads. Another kind records status -2 and gives the zero
 * matrix.
 *   kg     (out) 6 x 6 symmetric coefficient table
 *   kgtype (in)  load term: 1 or 11, 2 or 22, 3 or 33 */
void GetKGEllipse(double* kg, const int32_t* kgtype);
void GetKGRectangle(double* kg, const int32_t* kgtype);
void GetKGRectTang(double* kg, const int32_t* kgtype);

/* GetSubKK: bending stiffness of the six-term Ritz plate over a
 * delamination: the shape's tables weighted by D11 b/a^3, D22 a/b^3,
 * (D12 + 2 D66)/(a b), D16/a^2 and D26/b^2. Shape 0 gives the zero matrix; a
 * shape code other than 0..3 records status -2 and gives the zero matrix.
 *   subkk  (out) 6 x 6 bending stiffness
 *   dred   (in)  3 x 3 reduced bending stiffness D - B A^-1 B, order (11, 22,
 *                12), in the delamination's axes
 *   a, b   (in)  half-axes of the delamination
 *   dshape (in)  shape: 0 none, 1 ellipse, 2 rectangle, 3 rectangle-tangent */
void GetSubKK(double* subkk, const double* dred, const double* a, const double* b,
              const int32_t* dshape);

/* GetSubKG: geometric stiffness of the six-term Ritz plate over a
 * delamination for a given in-plane load: the load is turned into the
 * delamination's axes, carried through the membrane compliance and
 * stiffness of the sub-laminate, and its three running loads weight the
 * shape's tables. Shape 0 gives the zero matrix; a shape code other than 0..3
 * records status -2 and gives the zero matrix.
 *   subkg  (out) 6 x 6 geometric stiffness
 *   nglob  (in)  3 running loads (Nx, Ny, Nxy) in laminate axes
 *   abd    (in)  6 x 6 ABD of the sub-laminate
 *   abdinv (in)  6 x 6 inverse of abd
 *   a, b   (in)  half-axes of the delamination
 *   dangle (in)  delamination angle in degrees
 *   dshape (in)  shape: 0 none, 1 ellipse, 2 rectangle, 3 rectangle-tangent */
void GetSubKG(double* subkg, const double* nglob, const double* abd, const double* abdinv,
              const double* a, const double* b, const double* dangle, const int32_t* dshape);

/* GetSubLamBucklingStrain: buckling of one sub-laminate over one
 * delamination: the plies turned into the delamination's axes, the Ritz
 * bending and geometric stiffness, and the dominant eigenvalue lambda of
 * KK^-1 KG by power iteration; 1/lambda is the critical load factor.
 * Edge: the plate over the delamination is held along its whole boundary by
 * the surrounding laminate. The ellipse and the rectangle are clamped there
 * (deflection and slope zero: the Ritz deflection is (1 - xi^2 - eta^2)^2,
 * or (1 - xi^2)^2 (1 - eta^2)^2, times a quadratic in xi = x/a, eta = y/b);
 * the rectangle-tangent plate is simply supported (deflection zero, slope
 * free: (1 - xi^2)(1 - eta^2) times the same quadratic). Load case: the
 * running loads nglob act on this sub-laminate alone, uniform over the
 * plate, turned into the delamination's axes; an unsymmetric sub-laminate
 * takes the membrane forces A e of the mid-plane strain e that nglob gives it
 * when free to bend (e from ABD^-1). nglob is a reference load, not scaled to
 * the critical one: eps and nx are the critical strain and stress of a unit
 * load pattern and scale with 1 / |nglob| (the buckling analysis passes (-1,
 * 0, 0), uniaxial x compression, where they are the strain and the stress at
 * which the sub-laminate buckles); a tensile load gives a negative lambda and
 * negative results. Shape 0 or a singular KK is reported by the matrix
 * inverse and the results are not meaningful; a power iteration that does
 * not converge records its own warning. A half-axis that is not positive, or
 * a zero load, records status -2 and gives 0 in every output.
 *   eps            (out) buckling strain: (ABD^-1)(1,1) / lambda in laminate
 *                        axes, the membrane x strain of a unit Nx at the
 *                        critical load factor
 *   nx             (out) buckling stress, not a running load: 1 / (lambda
 *                        t), the critical running load of a unit pattern over
 *                        the thickness t of the sub-laminate (force per area,
 *                        in the units of the ply moduli)
 *   eigvec         (out) 6 values: the Ritz buckling mode, the coefficients
 *                        of 1, xi, eta, xi eta, xi^2, eta^2
 *   dsize          (in)  3 values: half-axes a, b and angle (degrees) of the
 *                        delamination
 *   nglob          (in)  3 running loads (Nx, Ny, Nxy), force per length, in
 *                        laminate axes; compression negative
 *   plyelastic     (in)  9 x nplies ply constants
 *   plyorientation (in)  nplies ply angles in degrees
 *   plythickness   (in)  nplies ply thicknesses, ply 1 at the bottom
 *   dshape         (in)  shape: 1 ellipse, 2 rectangle, 3 rectangle-tangent
 *   nplies         (in)  number of plies of the sub-laminate */
void GetSubLamBucklingStrain(double* eps, double* nx, double* eigvec, const double* dsize,
                             const double* nglob, const double* plyelastic,
                             const double* plyorientation, const double* plythickness,
                             const int32_t* dshape, const int32_t* nplies);

/* DelaminatedBucklingAnalysis: sequence in which the sub-laminates of a
 * delaminated stack buckle under uniaxial x compression: in each pass the
 * sub-laminate (below or above an interface with a delamination whose
 * half-axes are at least 1e-10) with the smallest buckling strain buckles
 * and is split off; the remaining sub-laminate closes the list, under the
 * interface of larger delamination area that bounds it. The load is a unit
 * x compression (-1, 0, 0), so strains and stresses are the critical ones.
 * A stack without a usable delamination gives the one record (1, 1, nplies,
 * 0) with reals (0, 1, comprstrength, 0, ...). Records beyond the last one
 * written are zero. A delamination with a NaN half-axis, or a candidate
 * whose NaN delamination or ply data give a NaN buckling strain, may buckle
 * first: it is never taken as absent or unbuckled. epsbuck is NaN then and
 * status -2 "NaN delamination or buckling strain in
 * DelaminatedBucklingAnalysis" is recorded; the records hold the other
 * candidates.
 *   epsbuck         (out) smallest buckling strain of the whole stack, 0 when
 *                         none buckles, NaN when unknown (above)
 *   bukrealdatalist (out) 12 x max(nplies, 1) real records: buckling strain,
 *                         knock-down factor (buckling stress over
 *                         comprstrength), buckling stress, a, b, angle, mode (6)
 *   bukintdatalist  (out) 4 x max(nplies, 1) integer records: bounding
 *                         interface, first ply, last ply, side (0 below the
 *                         interface, 1 above; the closing record of the
 *                         remaining sub-laminate always has 0)
 *   comprstrength   (in)  compressive strength of the laminate
 *   plyelastic      (in)  9 x nplies ply constants
 *   plyorientation  (in)  nplies ply angles in degrees
 *   plythickness    (in)  nplies ply thicknesses, ply 1 at the bottom
 *   plydelamination (in)  3 x (nplies - 1): a, b, angle (degrees) per
 *                         interface
 *   plydshape       (in)  nplies - 1 shape codes per interface (0 none,
 *                         1 ellipse, 2 rectangle, 3 rectangle-tangent)
 *   nplies          (in)  number of plies */
void DelaminatedBucklingAnalysis(double* epsbuck, double* bukrealdatalist, int32_t* bukintdatalist,
                                 const double* comprstrength, const double* plyelastic,
                                 const double* plyorientation, const double* plythickness,
                                 const double* plydelamination, const int32_t* plydshape,
                                 const int32_t* nplies);

/* GetBukDataFromDDS: buckling lists of every used section and every damage
 * of the damage-region store, by DelaminatedBucklingAnalysis over the
 * section's used plies. Every record of an unused section holds -1
 * (integers) and 0 (reals); in a used section the records after the last
 * one written hold 0. A NaN delamination or buckling strain records status
 * -2 "NaN delamination or buckling strain in GetBukDataFromDDS".
 *   bukrealdatalist (out) 12 x max(nplies, 1) x ndmg x nsec real records
 *   bukintdatalist  (out) 4 x max(nplies, 1) x ndmg x nsec integer records
 *   delamdds        (in)  3 x (nplies - 1) x ndmg: a, b, angle (degrees) per
 *                         interface and damage
 *   plydshape       (in)  (nplies - 1) x ndmg shape codes
 *   comprstrength   (in)  nsec compressive strengths
 *   plyelastic      (in)  9 x nplies x nsec ply constants
 *   plyorientation  (in)  nplies x nsec ply angles in degrees
 *   plythickness    (in)  nplies x nsec ply thicknesses
 *   sectionlist     (in)  nplies x nsec material ids, unset entries defint
 *   ndmg            (in)  number of damages
 *   nplies          (in)  plies per section column
 *   nsec            (in)  number of sections
 *   defint          (in, optional) unset marker; default 2147483647 */
void GetBukDataFromDDS(double* bukrealdatalist, int32_t* bukintdatalist, const double* delamdds,
                       const int32_t* plydshape, const double* comprstrength,
                       const double* plyelastic, const double* plyorientation,
                       const double* plythickness, const int32_t* sectionlist,
                       const int32_t* ndmg, const int32_t* nplies, const int32_t* nsec,
                       const int32_t* defint);

#ifdef __cplusplus
}
#endif
#endif
