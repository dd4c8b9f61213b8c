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

/* Coefficient tables. kk/kg (out) 6x6; kktype 1|11, 2|22, 3|33, 4|16, 5|26;
 * kgtype 1|11, 2|22, 3|33; another kind leaves the zero matrix (status -2). */
void GetKKEllipse(double* kk, const int32_t* kktype);
void GetKKRectangle(double* kk, const int32_t* kktype);
void GetKKRectTang(double* kk, const int32_t* kktype);
void GetKGEllipse(double* kg, const int32_t* kgtype);
void GetKGRectangle(double* kg, const int32_t* kgtype);
void GetKGRectTang(double* kg, const int32_t* kgtype);

/* subkk (out) 6x6 bending stiffness of the Ritz plate.
 *   dred (in) 3x3 reduced bending stiffness (11, 22, 12); a, b (in) half-axes;
 *   dshape (in) shape code */
void GetSubKK(double* subkk, const double* dred, const double* a, const double* b,
              const int32_t* dshape);
/* subkg (out) 6x6 geometric stiffness.
 *   nglob (in) (Nx, Ny, Nxy); abd, abdinv (in) 6x6; a, b (in) half-axes;
 *   dangle (in) delamination angle, degrees; dshape (in) shape code */
void GetSubKG(double* subkg, const double* nglob, const double* abd, const double* abdinv,
              const double* a, const double* b, const double* dangle, const int32_t* dshape);
/* One sub-laminate over one delamination.
 *   eps (out) buckling strain; nx (out) buckling running load over thickness;
 *   eigvec (out) eigvec(6) Ritz mode; dsize (in) a, b, angle (degrees);
 *   nglob (in) in-plane load; ply data (in); dshape (in); nplies (in) */
void GetSubLamBucklingStrain(double* eps, double* nx, double* eigvec, const double* dsize,
                             const double* nglob, const double* plyelastic,
                             const double* plyorientation, const double* plythickness,
                             const int32_t* dshape, const int32_t* nplies);
/* Sequence of buckling sub-laminates of a delaminated stack.
 *   epsbuck (out) smallest buckling strain, 0 when none buckles
 *   bukrealdatalist (out) (12, max(nplies,1)); bukintdatalist (out) (4, max(nplies,1))
 *   comprstrength (in); ply data (in)
 *   plydelamination (in) (3, nplies-1): a, b, angle per interface
 *   plydshape (in) (nplies-1) shape per interface; nplies (in) */
void DelaminatedBucklingAnalysis(double* epsbuck, double* bukrealdatalist, int32_t* bukintdatalist,
                                 const double* comprstrength, const double* plyelastic,
                                 const double* plyorientation, const double* plythickness,
                                 const double* plydelamination, const int32_t* plydshape,
                                 const int32_t* nplies);
/* Buckling lists of every section and damage.
 *   bukrealdatalist (out) (12, max(nplies,1), ndmg, nsec)
 *   bukintdatalist  (out) (4, max(nplies,1), ndmg, nsec); -1 where not written
 *   delamdds (in) (3, nplies-1, ndmg); plydshape (in) (nplies-1, ndmg)
 *   comprstrength (in) (nsec); plyelastic (in) (9, nplies, nsec);
 *   plyorientation, plythickness (in) (nplies, nsec);
 *   sectionlist (in) (nplies, nsec) material ids, unset entries defint
 *   ndmg, nplies, nsec (in); defint (in, optional) NULL for 2147483647 */
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
