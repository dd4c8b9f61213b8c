/* Element handling (component elementhandling): the solver's element kinds,
 * element and node data per element slot, reference orientations, nodal
 * patches and trusses; shell kinematics and the through-thickness stress
 * recovery of shells; conversions between element stress formats and three
 * dimensions; tabulated shape functions of quad4, tria6, quad8 and hex8.
 *
 * Element kinds: -1 a name starting with neither S nor C, 0 other S or C
 * names, 1 S4, 2 S4R, 3 S4R5, 4 S8R, 5 S8R5, 6 S9R5, 7 S3, 8 STRI, 9 SC6,
 * 10 SC8, 11 C3D. The shell set excludes kinds 0, 6, 7, 9, 10, 11.
 * Six-component vectors and 6 x 6 matrices are in Nye order (11, 22, 33, 12,
 * 13, 23); matrices are column-major. inodes is 6 (triangle) or 8
 * (quadrilateral) where shell shape functions are needed. */
#ifndef VEXLAN_ELEMENTHANDLING_H
#define VEXLAN_ELEMENTHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Element data and solver element kinds -------------------------------- */

/* Kind of a solver element name.
 *   elemtype     (in) element type name
 *   elemtype_len (in) its length */
int32_t getabqelementkind(const char* elemtype, size_t elemtype_len);

/* Appends one element to elemlist, elemkind and elemnodes (skips names that
 * start with neither S nor C, and infinite elements C + IN).
 *   iele         (inout) running element counter
 *   connectivity (in)    (nconnect) node labels
 *   elemid       (in)    element label
 *   elemtype     (in)    element type name
 *   nconnect     (in)    number of node labels */
void getabqelementconnectivity(int32_t* iele, const int32_t* connectivity, const int32_t* elemid,
                               const char* elemtype, const int32_t* nconnect, size_t elemtype_len);

/* Copies node coordinates into nodalcoords of every shell-set element slot
 * that holds the node.
 *   coordnp (in) (ncoord, nblock) coordinates
 *   nodeid  (in) (nblock) node labels
 *   ncoord  (in) coordinates per node
 *   nblock  (in) number of nodes */
void GetNodalCoordinates(const double* coordnp, const int32_t* nodeid, const int32_t* ncoord,
                         const int32_t* nblock);

/* Stores nodal translations and rotations, transformed into the element
 * frames, into nodesmotion.
 *   ntraction (in) (3, nblock) translations
 *   nrotation (in) (ndim, nblock) rotations
 *   nodeid    (in) (nblock) node labels
 *   ndim      (in) rotation components per node
 *   nblock    (in) number of nodes
 *   defreal   (in) value marking a missing motion; NULL: the largest real */
void GetNodesMotion(const double* ntraction, const double* nrotation, const int32_t* nodeid,
                    const int32_t* ndim, const int32_t* nblock, const double* defreal);

/* ntrac = tcurv ntrac; nrot = tcurv ti^T ti nrot (first ndim components).
 *   ntrac (inout) (3); nrot (inout) (ndim); ti, tcurv (in) (3,3); ndim (in) */
void ShellTractionTransformation(double* ntrac, double* nrot, const double* ti, const double* tcurv,
                                 const int32_t* ndim);

/* Records the reference orientation of an element on its first visit.
 *   istatus        (out) 1 when something new was stored, else 0
 *   ind            (in)  list handle (1..3) of the growable lists
 *   t              (in)  (3,3) accepted, not used
 *   tdirect        (in)  (3,3) columns: material directions 1, 2, 3 (normal)
 *   plyorientation (in)  (nplies, nsec) ply angles in degrees
 *   noel, kspt     (in)  element label, section point
 *   layid, secid   (in)  ply number, section position
 *   nplies, nsec   (in)  extents of plyorientation
 *   nextid         (in)  -1 or 2: the section point is not recorded */
void GetElementRefOrientation(int32_t* istatus, const int32_t* ind, const double* t, const double* tdirect,
                              const double* plyorientation, const int32_t* noel, const int32_t* kspt,
                              const int32_t* layid, const int32_t* secid, const int32_t* nplies,
                              const int32_t* nsec, const int32_t* nextid);

/* Signed angle in degrees between the projected global x axis and rm.
 *   rm (in) (3); tdirect (in) (3,3) */
double GetABQElementOrientation(const double* rm, const double* tdirect);

/* Moves the gathered reference orientations into the element data, builds
 * elemindices and nsectionpoints, releases the lists of ind.
 *   nshell (out) number of shell elements found (0 when elemindices existed)
 *   ierror (out) 0, or -1 when a list was missing
 *   ind    (in)  list handle */
void GetElementReferenceData(int32_t* nshell, int32_t* ierror, const int32_t* ind);

/* Distinct node coordinates of the elements around element elemid.
 *   nodalpatch  (inout) (3, npt) points; empty slots hold -huge
 *   nodalcoords (in)    (3, nnodes, nelem)
 *   elemnodes   (in)    (nnodes, nelem) node labels
 *   elemid      (in)    seed element position
 *   npt, nnodes, nelem (in) extents
 *   tolerance   (in) distance below which points coincide; NULL: 1e-10
 *   exflag      (in) 1 includes the seed element; NULL: excluded
 *   ntree       (in) neighbourhood depth; NULL: 1
 *   recursion   (in) negative: keep the incoming patch; NULL: clear it */
void GetNodalPatch(double* nodalpatch, const double* nodalcoords, const int32_t* elemnodes,
                   const int32_t* elemid, const int32_t* npt, const int32_t* nnodes, const int32_t* nelem,
                   const double* tolerance, const int32_t* exflag, const int32_t* ntree,
                   const int32_t* recursion);

/* Data of the reference nodes that coincide with the patch points.
 *   patchdata   (out) (ndata, npt)
 *   refdata     (in)  (ndata, nnodes, nelem)
 *   patchcoords (in)  (ndim, npt)
 *   refcoords   (in)  (ndim, nnodes, nelem)
 *   tolerance   (in)  NULL: 1e-10 */
void GetDataFromPatch(double* patchdata, const double* refdata, const double* patchcoords,
                      const double* refcoords, const int32_t* ndata, const int32_t* npt, const int32_t* ndim,
                      const int32_t* nnodes, const int32_t* nelem, const double* tolerance);

/* Length of a two-node truss. elemlength (out); nodalcoord (in) (3,2) */
void GetTruss3ElemLength(double* elemlength, const double* nodalcoord);
/* Direction cosines of a truss in te (out) (2,6); nodalcoord (in) (3,2) */
void GetTruss3TransformationMatrix(double* te, const double* nodalcoord);

/* ---- Shell kinematics and transverse stress recovery ---------------------- */
/* Natural points of the triangle are area coordinates; those of the
 * quadrilateral lie in [-1, 1]. Node coordinates ncoords(3, inodes) hold one
 * column per node; only x and y enter the Jacobians. An inodes other than 6
 * or 8 records status -3 "Unknown or unsupported element type." and gives
 * zero matrices. */

/* Jacobian jac(i,j) = sum of dN/dxi_i x_j and the shape-function table.
 *   jac     (out) (2,2)
 *   nshape  (out) (inodes,6) N, dN/dxi, dN/deta, d2N/dxi2, d2N/deta2, d2N/dxideta
 *   ncoords (in)  (3,inodes) node coordinates
 *   xi, eta (in)  natural point
 *   inodes  (in)  6 or 8 */
void ShellJacobian(double* jac, double* nshape, const double* ncoords, const double* xi, const double* eta,
                   const int32_t* inodes);
/* Inverse of a 2 x 2 Jacobian (no check of the determinant).
 *   jacinv (out) (2,2)
 *   jac    (in)  (2,2) */
void ShellJacobianInverse(double* jacinv, const double* jac);
/* Matrix that maps Cartesian to natural second derivatives.
 *   jac1 (out) (3,3) rows (J11^2, J12^2, 2 J11 J12), (J21^2, J22^2, 2 J21 J22),
 *                    (J11 J21, J12 J22, J11 J22 + J12 J21)
 *   jac  (in)  (2,2) */
void ShellFirstDerivJacobian(double* jac1, const double* jac);
/* Inverse of jac1 by cofactors; singular: status -3 and zeros.
 *   jac1inv (out) (3,3)
 *   jac1    (in)  (3,3) */
void ShellFirstDerivJacobianInverse(double* jac1inv, const double* jac1);
/* Second natural derivatives of the geometry.
 *   jac2    (out) (3,2) rows xi-xi, eta-eta, xi-eta; columns x, y
 *   nshape  (in)  (inodes,6) shape-function table of the point
 *   ncoords (in)  (3,inodes)
 *   xi, eta (in)  natural point (the table already holds it)
 *   inodes  (in)  number of nodes */
void ShellSecondDerivJacobian(double* jac2, const double* nshape, const double* ncoords, const double* xi,
                              const double* eta, const int32_t* inodes);
/* Strain-displacement matrix, five dof per node (u, v, w, rotation 1, rotation 2).
 *   b       (out) (8,40) rows: membrane x, y, xy; curvature x, y, xy;
 *                 transverse shear yz, xz
 *   ncoords, xi, eta, inodes (in) as ShellJacobian */
void ShellBMatrix(double* b, const double* ncoords, const double* xi, const double* eta, const int32_t* inodes);
/* x-derivative of the transverse shear rows of b.
 *   xderivb (out) (2,40); other arguments as ShellBMatrix */
void ShellxDerivBMatrix(double* xderivb, const double* ncoords, const double* xi, const double* eta,
                        const int32_t* inodes);
/* y-derivative of the transverse shear rows of b.
 *   yderivb (out) (2,40); other arguments as ShellBMatrix */
void ShellyDerivBMatrix(double* yderivb, const double* ncoords, const double* xi, const double* eta,
                        const int32_t* inodes);
/* x-derivative of the transverse shear forces.
 *   xderivr (out) (2) = hmat xderivb u
 *   u       (in)  (40) nodal displacements, five per node
 *   hmat    (in)  (2,2) transverse shear stiffness
 *   ncoords, xi, eta, inodes (in) as ShellBMatrix */
void ShellxDerivShearForces(double* xderivr, const double* u, const double* hmat, const double* ncoords,
                            const double* xi, const double* eta, const int32_t* inodes);
/* y-derivative of the transverse shear forces; arguments as ShellxDerivShearForces.
 *   yderivr (out) (2) = hmat yderivb u */
void ShellyDerivShearForces(double* yderivr, const double* u, const double* hmat, const double* ncoords,
                            const double* xi, const double* eta, const int32_t* inodes);
/* Nodal displacement vector of five values per node.
 *   u       (out) (40) the first min(mdof,5) motions of each node, rest zero
 *   nmotion (in)  (mdof,inodes)
 *   inodes  (in)  number of nodes, at most 8 (more: status -2)
 *   mdof    (in)  motions per node */
void GetDisplacementVector(double* u, const double* nmotion, const int32_t* inodes, const int32_t* mdof);
/* Principal curvatures and their direction.
 *   delta    (out) direction in radians
 *   kappa    (out) (2) the principal curvature of larger magnitude, then the other
 *   nshape   (in)  (inodes,6) shape-function table of the point
 *   lncoords (in)  (inodes,3) element-local coordinates, z the height above the plane
 *   inodes   (in)  6 or 8 */
void GetCurvatures(double* delta, double* kappa, const double* nshape, const double* lncoords,
                   const int32_t* inodes);
/* Signed angle from r12 to so.
 *   theta   (out) radians, positive when (r12 x so) . nvector > 0
 *   so      (in)  (3) direction
 *   nvector (in)  (3) normal that gives the sign
 *   r12     (in)  (3) reference edge */
void GetSectionRefOrientation(double* theta, const double* so, const double* nvector, const double* r12);
/* Shape-function table at a node.
 *   nshape  (out) (inodes,6)
 *   locnode (in)  local node 1..inodes
 *   inodes  (in)  6 or 8 (else status -3 "Unknown or invalid number of nodes") */
void GetNodalShape(double* nshape, const int32_t* locnode, const int32_t* inodes);
/* Frame of every node: columns t1, t2, t3 (t3 the normal).
 *   ti     (out) (3,3,8)
 *   on     (in)  (8,3) node coordinates, one row per node
 *   inodes (in)  6 or 8 */
void GetNodalTransformation(double* ti, const double* on, const int32_t* inodes);
/* Element frame, origin and curvatures.
 *   tcurv  (out) (3,3) rows: first in-plane axis, second, normal
 *   origin (out) (3) centre of the corners (quadrilateral) or a corner (triangle)
 *   kappa  (out) (2) principal curvatures
 *   on     (in)  (8,3) node coordinates, one row per node
 *   refdir (in)  (7) reference orientation record of the element
 *   inodes (in)  6 or 8 */
void GetElementTransformation(double* tcurv, double* origin, double* kappa, const double* on,
                              const double* refdir, const int32_t* inodes);
/* Nodal frames, element frames and curvatures of every shell element of the
 * element data; node coordinates become element-local.
 *   lop   (out) 0, or -3 for an element kind outside 0..11
 *   tflag (in)  1 keeps the global node coordinates; NULL: replaced */
void GetNodeReferenceData(int32_t* lop, const int32_t* tflag);
/* Through-thickness normal and shear stresses of a shell element, stored in
 * the caches when these are still all zero.
 *   tnormalstress     (inout) (nzcoord, nelem)
 *   tshearstress      (inout) (nintpoint, 2, 4, nelem)
 *   nodalcoords       (in) (3, nnodes, nelem) element-local node coordinates
 *   nodesmotion       (in) (ndof, nnodes, nelem)
 *   sestress          (in) (6, nintpoint, 4, nelem) stored ply stresses
 *   sehmatrix         (in) (2, 2, nsec) transverse shear stiffness
 *   sefmatrix         (in) (nzcoord, 4, nsec) shear stress distribution values
 *   plyorientation    (in) (nplies, nsec) degrees
 *   plythickness      (in) (nplies, nsec)
 *   plyzcoord         (in) (nzcoord, nsec), nzcoord = 2 nplies + 1
 *   plyelastic        (in) (9, nplies, nsec) ply elastic constants
 *   elemsectionpoints (in) (nelem) section points per ply
 *   elemcurvatures    (in) (2, nelem)
 *   elemkind          (in) (nelem)
 *   sectionlist       (in) (nplies, nsec) ply lists
 *   elemid            (in) element position (0: nothing done)
 *   gpid              (in) in-plane integration point 1..4
 *   secid             (in) section position
 *   itnsflag          (in) nonzero: normal stress (2: shear-force derivatives at the centre)
 *   itshrflag         (in) nonzero: shear stresses
 *   nplies, nsec, nzcoord, nintpoint, ndof, nnodes, nelem (in) extents
 * Indices outside the arrays record status -2 and change nothing. */
void GetShellTransverseStresses(double* tnormalstress, double* tshearstress, const double* nodalcoords,
                                const double* nodesmotion, const double* sestress, const double* sehmatrix,
                                const double* sefmatrix, const double* plyorientation,
                                const double* plythickness, const double* plyzcoord, const double* plyelastic,
                                const int32_t* elemsectionpoints, const double* elemcurvatures,
                                const int32_t* elemkind, const int32_t* sectionlist, const int32_t* elemid,
                                const int32_t* gpid, const int32_t* secid, const int32_t* itnsflag,
                                const int32_t* itshrflag, const int32_t* nplies, const int32_t* nsec,
                                const int32_t* nzcoord, const int32_t* nintpoint, const int32_t* ndof,
                                const int32_t* nnodes, const int32_t* nelem);
/* Midpoints of consecutive vertices, the last paired with the first.
 *   center   (out) (ndim, npt)
 *   vertices (in)  (ndim, npt)
 *   ndim, npt (in) extents */
void GetCenterNodes(double* center, const double* vertices, const int32_t* ndim, const int32_t* npt);
/* Characteristic lengths of a brick along three directions.
 *   elemlength (out) (3) quarter sums of the space diagonals projected on each direction
 *   matcos     (in)  (3,3) columns: the directions
 *   nodalcoord (in)  (3,8) node coordinates */
void GetHex8ElemLength(double* elemlength, const double* matcos, const double* nodalcoord);
/* Characteristic lengths of a four-node element in its plane.
 *   elemlength (out) (3) lengths to node 2, node 4, node 3
 *   tdirect    (in)  (3,3) columns: material directions (the first two span the plane)
 *   nodalcoord (in)  (3,4) node coordinates */
void GetQuad4ElemLength(double* elemlength, const double* tdirect, const double* nodalcoord);

/* ---- Element stress format conversions ------------------------------------ */

/* Element stress, strain and strain increment to six components.
 *   stress3d, strain3d, dstrain3d (inout) (6); untouched for other ncomp
 *   stress_nye, strain_nye, dstrain_nye (in) (ncomp)
 *   ncomp      (in) 3 plane stress, 4 plane strain/axisymmetric, 6 solid
 *   transverse (in) (6) shear strains 13, 23, normal strain 33, shear
 *                   stresses 13, 23, normal stress 33; NULL: zero
 *   itnsflag, itshrflag (in) take the normal / shear values; NULL: 0
 *   isaxial    (in) 1-byte flag, axisymmetric; NULL: false */
void Get3DInputFromElem(double* stress3d, double* strain3d, double* dstrain3d, const double* stress_nye,
                        const double* strain_nye, const double* dstrain_nye, const int32_t* ncomp,
                        const double* transverse, const int32_t* itnsflag, const int32_t* itshrflag,
                        const vx_l1* isaxial);
/* Plane stress (11, 22, 12) to six components.
 *   stress, stran, dstran       (in)  (3)
 *   transverse                  (in)  (6) as Get3DInputFromElem
 *   stress3d, stran3d, dstran3d (out) (6)
 *   itnsflag, itshrflag         (in)  take the normal / shear values when nonzero */
void Get3DStressFromPlaneStress(const double* stress, const double* stran, const double* dstran,
                                const double* transverse, double* stress3d, double* stran3d, double* dstran3d,
                                const int32_t* itnsflag, const int32_t* itshrflag);
/* Plane strain or axisymmetric (11, 22, 33, 12) to six components.
 *   stress, stran, dstran       (in)  (4)
 *   stress3d, stran3d, dstran3d (out) (6)
 *   isaxial                     (in)  1-byte flag: axes 2 and 3 exchanged */
void Get3DStressFromPlaneStrain(const double* stress, const double* stran, const double* dstran,
                                double* stress3d, double* stran3d, double* dstran3d, const vx_l1* isaxial);
/* Solid: copies.
 *   stress, stran, dstran       (in)  (6)
 *   stress3d, stran3d, dstran3d (out) (6) */
void Get3DStressFromHex(const double* stress, const double* stran, const double* dstran, double* stress3d,
                        double* stran3d, double* dstran3d);
/* Six-component stress and tangent to the element form.
 *   stresselem  (inout) (n); untouched for other n
 *   tangentelem (inout) (n,n)
 *   stress3d    (in) (6)
 *   tangent3d   (in) (6,6)
 *   n           (in) 3, 4 or 6
 *   isaxial     (in) 1-byte flag; NULL: false */
void GetElemOutputFrom3D(double* stresselem, double* tangentelem, const double* stress3d,
                         const double* tangent3d, const int32_t* n, const vx_l1* isaxial);
/* Plane stress: normal stress condensed out of the tangent.
 *   stressps  (out) (3); tangentps (out) (3,3)
 *   stress3d  (in) (6); tangent3d (in) (6,6) */
void GetPlaneStressOutputFrom3D(double* stressps, double* tangentps, const double* stress3d,
                                const double* tangent3d);
/* Plane strain, or axisymmetric with axes 2 and 3 exchanged.
 *   stresspl  (out) (4); tangentpl (out) (4,4)
 *   stress3d  (in) (6); tangent3d (in) (6,6)
 *   isaxial   (in) 1-byte flag; NULL: false */
void GetPlaneStrainOutputFrom3D(double* stresspl, double* tangentpl, const double* stress3d,
                                const double* tangent3d, const vx_l1* isaxial);
/* Solid: copies.
 *   stresshex (out) (6); tangenthex (out) (6,6)
 *   stress3d  (in) (6); tangent3d (in) (6,6) */
void GetHexOutputFrom3D(double* stresshex, double* tangenthex, const double* stress3d, const double* tangent3d);
/* Out-of-plane strain of a plane-stress state: -(nu31/e33) s11 - (nu32/e33) s22.
 *   e33, nu31, nu32 (in) modulus and Poisson ratios
 *   s11, s22        (in) in-plane stresses */
double GetPlaneStressEpsZZ(const double* e33, const double* nu31, const double* nu32, const double* s11,
                           const double* s22);

/* ---- Tabulated shape functions ------------------------------------------- */

/* nshape (out) (4,3): N, dN/dxi, dN/deta per node */
void Quad4ShapeFunMatrix(double* nshape, const double* xi, const double* eta);
/* nshape (out) (6,6): N, dN/dxi, dN/deta, d2N/dxi2, d2N/deta2, d2N/dxideta */
void Tria6ShapeFunMatrix(double* nshape, const double* xi, const double* eta);
/* nshape (out) (8,6): columns as Tria6ShapeFunMatrix */
void Quad8ShapeFunMatrix(double* nshape, const double* xi, const double* eta);
/* nshape (out) (8,9): N, dN/dxi, dN/deta, dN/dzeta, 0, 0, 0, d2N/dxideta,
 * d2N/dxidzeta */
void Hex8ShapeFunMatrix(double* nshape, const double* xi, const double* eta, const double* zeta);

#ifdef __cplusplus
}
#endif
#endif
