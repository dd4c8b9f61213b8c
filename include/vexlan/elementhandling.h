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

/* getabqelementkind: kind number of a solver element type name, by its
 * prefix: S4 1, S4R 2, S4R5 3, S8R 4, S8R5 5, S9R5 6, S3 7, STRI 8, SC6 9,
 * SC8 10, C3D 11 (the longest matching prefix wins), other names starting
 * with S or C 0, anything else (a leading blank included) -1.
 *   elemtype (in)  element type name, upper case
 *   result   (ret) the element kind, -1 to 11 */
int32_t getabqelementkind(const char* elemtype, size_t elemtype_len);

/* getabqelementconnectivity: appends one element to the element data
 * (elemlist, elemkind, elemnodes) and advances the running counter. Names
 * starting with neither S nor C, and infinite elements (C followed by IN),
 * are skipped and change nothing. Nothing happens while any of the three
 * arrays is not allocated (no listing read, or released); a counter or node
 * count beyond the arrays records status -2 and changes nothing (iele
 * included).
 *   iele         (in/out) running element counter, incremented per element
 *                         stored
 *   connectivity (in)  nconnect node labels of the element
 *   elemid       (in)  element label
 *   elemtype     (in)  element type name
 *   nconnect     (in)  number of node labels */
void getabqelementconnectivity(int32_t* iele, const int32_t* connectivity, const int32_t* elemid,
                               const char* elemtype, const int32_t* nconnect, size_t elemtype_len);

/* GetNodalCoordinates: copies node coordinates into the per-element node
 * slots (nodalcoords) of every element of the shell set that holds the node
 * (the elements 1..nelem while the shell index list does not exist, else
 * the positions in its first nelem entries). Nothing happens without nodes,
 * while nelem is 0, or while elemnodes or nodalcoords is not allocated (no
 * listing read, or released: the counters stay). Data that disagree with
 * their counts (nelem or nnodes below 0 or beyond elemnodes and nodalcoords,
 * an index list shorter than nelem or holding a position beyond nelem or the
 * arrays) record status -2 and nothing is written. A nodalcoords of fewer rows than coordinates given takes the
 * leading ones; a coordinate other than 0 left out records status -2.
 *   coordnp (in)  ncoord x nblock node coordinates (at most three read)
 *   nodeid  (in)  nblock node labels
 *   ncoord  (in)  coordinates per node
 *   nblock  (in)  number of nodes */
void GetNodalCoordinates(const double* coordnp, const int32_t* nodeid, const int32_t* ncoord,
                         const int32_t* nblock);

/* GetNodesMotion: stores nodal translations and rotations, turned into the
 * element frames by ShellTractionTransformation, into the per-element motion
 * slots (nodesmotion) of every shell-set element that holds the node. A
 * translation or rotation whose values all equal defreal counts as missing
 * and is not stored; of a rotation the first min(ndof, 6) - 3 components are
 * stored (none with three dof per node).
 * Elements without frames use the identity; the shell set is that of
 * GetNodalCoordinates. Nothing happens without nodes, while nelem is 0, or
 * while one of the four arrays is not allocated (no listing read, or
 * released). An ndim above 3, frame arrays of the wrong shape, a nodesmotion
 * of fewer than 3 rows, or data that disagree with their counts (nelem,
 * nnodes or ndof below 0 or beyond the arrays, an index list shorter than
 * nelem or holding a position beyond nelem or the arrays) record status -2
 * and nothing is written.
 *   ntraction (in)  3 x nblock translations
 *   nrotation (in)  ndim x nblock rotations
 *   nodeid    (in)  nblock node labels
 *   ndim      (in)  rotation components per node, at most 3
 *   nblock    (in)  number of nodes
 *   defreal   (in, optional) value marking a missing motion; default the
 *                   largest real */
void GetNodesMotion(const double* ntraction, const double* nrotation, const int32_t* nodeid,
                    const int32_t* ndim, const int32_t* nblock, const double* defreal);

/* ShellTractionTransformation: turns a nodal translation into the element
 * frame, ntrac = tcurv ntrac, and a nodal rotation through the nodal frame,
 * nrot = tcurv ti^T ti nrot (zero-padded to three components). An ndim above
 * 3 records status -2 and changes nothing.
 *   ntrac (in/out) 3 translation components
 *   nrot  (in/out) ndim rotation components
 *   ti    (in)  3 x 3 nodal frame
 *   tcurv (in)  3 x 3 element frame, rows the element axes
 *   ndim  (in)  rotation components, 0 to 3 */
void ShellTractionTransformation(double* ntrac, double* nrot, const double* ti, const double* tcurv,
                                 const int32_t* ndim);

/* GetElementRefOrientation: gathers the reference orientation of an element
 * on its first visit, in the growable lists of handle ind: for the first ply
 * (layid 1) the element label once (integer list) and its seven-value record
 * (real list): the signed in-plane angle in degrees of the section's first
 * ply direction, and the element-plane projection of the global x axis and
 * the normal cross that projection, both turned back by that angle. Unless
 * nextid is -1 or 2 the pair (element, section point) is kept once (complex
 * list). A section outside 1..nsec records status -2 and stores nothing.
 *   istatus        (out) 1 when something new was stored, else 0
 *   ind            (in)  list handle 1..3 of the growable lists
 *   t              (in)  3 x 3, accepted and not used
 *   tdirect        (in)  3 x 3, columns the material directions 1, 2 and 3
 *                        (the element normal)
 *   plyorientation (in)  nplies x nsec ply angles in degrees
 *   noel           (in)  element label
 *   kspt           (in)  section point
 *   layid          (in)  ply number; 1 records the orientation
 *   secid          (in)  section position, 1..nsec
 *   nplies         (in)  rows of plyorientation
 *   nsec           (in)  columns of plyorientation
 *   nextid         (in)  -1 or 2: the section point is not recorded */
void GetElementRefOrientation(int32_t* istatus, const int32_t* ind, const double* t, const double* tdirect,
                              const double* plyorientation, const int32_t* noel, const int32_t* kspt,
                              const int32_t* layid, const int32_t* secid, const int32_t* nplies,
                              const int32_t* nsec, const int32_t* nextid);

/* GetABQElementOrientation: signed angle between the global x axis projected
 * onto the element plane and a direction rm, positive about the element
 * normal (the projected x cross the projected y axis).
 *   rm      (in)  3 components of the direction
 *   tdirect (in)  3 x 3, the first two columns span the element plane
 *   result  (ret) the angle in degrees, -180 to 180 */
double GetABQElementOrientation(const double* rm, const double* tdirect);

/* GetElementReferenceData: moves the gathered reference orientations of
 * handle ind into the element data: elemreforientation gets each listed
 * element's record (-1 for the others), nsectionpoints the largest section
 * point seen per element (1 for elements without one). It builds the shell
 * index list elemindices (positions of the elements not of kinds 0, 6, 7, 9,
 * 10, 11; released again when every element is a shell) and releases every
 * list of ind that exists, whatever else happened. A missing label or record
 * list gives ierror -1 and leaves both arrays at -1; a missing pair list is
 * no failure but leaves nsectionpoints at -1. An elemreforientation of fewer
 * than 7 rows records status -2 in the error record and takes no record. An
 * nelem below 0 or beyond any of elemlist, elemreforientation,
 * nsectionpoints and elemkind (elemindices instead when it exists) that is
 * allocated records status -2; no index list is built then
 * (nshell 0), labels are looked up only in the elements elemlist holds,
 * records and section points are stored only where the arrays reach, and
 * the lists are still released.
 *   nshell (out) number of shell elements found; 0 when elemindices existed
 *   ierror (out) 0; -1 when the label or record list was missing, which no
 *                release of the other lists clears
 *   ind    (in)  list handle 1..3 */
void GetElementReferenceData(int32_t* nshell, int32_t* ierror, const int32_t* ind);

/* GetNodalPatch: distinct node coordinates of the elements around element
 * elemid (those sharing a node with it), in order of element position and
 * local node; points within tolerance of a stored one are stored once. Node
 * slots labelled 0 or below hold no node and give no point. With ntree above
 * 1 each neighbour's own neighbours follow its nodes, depth first (deeper
 * levels compare with 1e-10, and a point the patch already holds takes no
 * slot). The search stops at the depth from which a further level reaches no
 * new element: a larger ntree would add no point, so a huge ntree costs no
 * more than that depth and gives the same points, possibly in another order.
 * When a node of a reached element is missing because the npt slots are
 * full, status -2 ("Patch too small in GetNodalPatch: points dropped") is
 * recorded and the slots stay as filled. An elemid outside 1..nelem, a
 * negative npt or no nodes record status -2 and change nothing (from
 * Python, a negative npt is a ValueError).
 *   nodalpatch  (in/out) 3 x npt points; empty slots hold the most negative
 *                        real
 *   nodalcoords (in)  3 x nnodes x nelem node coordinates per element slot
 *   elemnodes   (in)  nnodes x nelem node labels (0 or less: an unused slot)
 *   elemid      (in)  seed element position, 1..nelem
 *   npt         (in)  number of patch slots
 *   nnodes      (in)  node slots per element
 *   nelem       (in)  number of elements
 *   tolerance   (in, optional) distance at which points coincide; default
 *                     1e-10
 *   exflag      (in, optional) 1 includes the seed element; otherwise
 *                     (default) it is excluded
 *   ntree       (in, optional) neighbourhood depth, default 1; below 1
 *                     taken as 1
 *   recursion   (in, optional) negative: the patch is not cleared first,
 *                     and the points are still written from the first slot
 *                     on; otherwise (default) it is cleared first */
void GetNodalPatch(double* nodalpatch, const double* nodalcoords, const int32_t* elemnodes,
                   const int32_t* elemid, const int32_t* npt, const int32_t* nnodes, const int32_t* nelem,
                   const double* tolerance, const int32_t* exflag, const int32_t* ntree,
                   const int32_t* recursion);

/* GetDataFromPatch: data of the reference nodes that coincide with the patch
 * points (within tolerance); the last matching node wins and a point without
 * a match gets zeros.
 *   patchdata   (out) ndata x npt data per patch point
 *   refdata     (in)  ndata x nnodes x nelem data per reference node
 *   patchcoords (in)  ndim x npt patch points
 *   refcoords   (in)  ndim x nnodes x nelem reference node coordinates
 *   ndata       (in)  values per node
 *   npt         (in)  number of patch points
 *   ndim        (in)  coordinates per point
 *   nnodes      (in)  nodes per element
 *   nelem       (in)  number of elements
 *   tolerance   (in, optional) matching distance; default 1e-10 */
void GetDataFromPatch(double* patchdata, const double* refdata, const double* patchcoords,
                      const double* refcoords, const int32_t* ndata, const int32_t* npt, const int32_t* ndim,
                      const int32_t* nnodes, const int32_t* nelem, const double* tolerance);

/* GetTruss3ElemLength: length of a two-node truss, the distance between its
 * nodes.
 *   elemlength (out) element length
 *   nodalcoord (in)  3 x 2 node coordinates */
void GetTruss3ElemLength(double* elemlength, const double* nodalcoord);

/* GetTruss3TransformationMatrix: transformation of a two-node truss from the
 * global axes to its axis: the direction cosines (l, m, n) from node 1 to
 * node 2 in te(1, 1:3) and te(2, 4:6), zeros elsewhere.
 *   te         (out) 2 x 6 transformation
 *   nodalcoord (in)  3 x 2 node coordinates */
void GetTruss3TransformationMatrix(double* te, const double* nodalcoord);

/* ---- Shell kinematics and transverse stress recovery ---------------------- */

/* Natural points of the triangle are area coordinates; those of the
 * quadrilateral lie in [-1, 1]. Node coordinates ncoords(3, inodes) hold one
 * column per node; only x and y enter the Jacobians. An inodes other than 6
 * or 8 records status -3 "Unknown or unsupported element type." and gives
 * zero matrices. A degenerate element (a zero Jacobian determinant) records
 * status -3 "Singular jacobian" and its Cartesian derivatives come out zero. */

/* ShellJacobian: Jacobian jac(i,j) = sum of dN/dxi_i x_j of a six-node
 * triangle or eight-node quadrilateral at a natural point, with the point's
 * shape-function table; only the x and y coordinates enter. An inodes other
 * than 6 or 8 records status -3 and gives zeros (from Python, a negative
 * inodes is a ValueError).
 *   jac     (out) 2 x 2 Jacobian, rows xi and eta, columns x and y
 *   nshape  (out) inodes x 6 table: N, dN/dxi, dN/deta, d2N/dxi2, d2N/deta2,
 *                 d2N/dxideta
 *   ncoords (in)  3 x inodes node coordinates, one column per node
 *   xi, eta (in)  natural point (area coordinates for the triangle)
 *   inodes  (in)  6 or 8 */
void ShellJacobian(double* jac, double* nshape, const double* ncoords, const double* xi, const double* eta,
                   const int32_t* inodes);

/* ShellJacobianInverse: inverse of a 2 x 2 Jacobian. A zero determinant (a
 * degenerate element) records status -3 "Singular jacobian" in the error
 * record and gives the zero matrix, as ShellFirstDerivJacobianInverse does.
 *   jacinv (out) 2 x 2 inverse; zeros when jac is singular
 *   jac    (in)  2 x 2 Jacobian */
void ShellJacobianInverse(double* jacinv, const double* jac);

/* ShellFirstDerivJacobian: the 3 x 3 matrix that maps the Cartesian second
 * derivatives (xx, yy, xy) to the natural ones (xi-xi, eta-eta, xi-eta) of a
 * 2 x 2 Jacobian J: rows (J11^2, J12^2, 2 J11 J12), (J21^2, J22^2,
 * 2 J21 J22), (J11 J21, J12 J22, J11 J22 + J12 J21).
 *   jac1 (out) 3 x 3 matrix
 *   jac  (in)  2 x 2 Jacobian */
void ShellFirstDerivJacobian(double* jac1, const double* jac);

/* ShellFirstDerivJacobianInverse: inverse of the 3 x 3 matrix of
 * ShellFirstDerivJacobian by cofactors. A singular matrix records status -3
 * and gives zeros.
 *   jac1inv (out) 3 x 3 inverse
 *   jac1    (in)  3 x 3 matrix */
void ShellFirstDerivJacobianInverse(double* jac1inv, const double* jac1);

/* ShellSecondDerivJacobian: second natural derivatives of the geometry,
 * jac2(k,j) = sum of (second derivative k of N) x_j, from a shape-function
 * table of the point (e.g. of ShellJacobian). inodes is not checked.
 *   jac2    (out) 3 x 2: rows xi-xi, eta-eta, xi-eta; columns x, y
 *   nshape  (in)  inodes x 6 shape-function table of the point
 *   ncoords (in)  3 x inodes node coordinates
 *   xi, eta (in)  natural point, not used (the table holds it)
 *   inodes  (in)  number of nodes */
void ShellSecondDerivJacobian(double* jac2, const double* nshape, const double* ncoords, const double* xi,
                              const double* eta, const int32_t* inodes);

/* ShellBMatrix: strain-displacement matrix of a Mindlin shell element with
 * five dof per node (u, v, w, rotation 1, rotation 2) at a natural point:
 * strains = b u with u from GetDisplacementVector. An inodes other than 6 or
 * 8 records status -3 and gives zeros (from Python, a negative inodes is a
 * ValueError); a degenerate element records status -3
 * and leaves only the entries of the shape-function values.
 *   b       (out) 8 x 40; rows membrane strains x, y, xy; curvatures x, y,
 *                 xy; transverse shear strains yz, xz; columns five per node
 *   ncoords (in)  3 x inodes node coordinates in the element plane
 *   xi, eta (in)  natural point
 *   inodes  (in)  6 (triangle) or 8 (quadrilateral) */
void ShellBMatrix(double* b, const double* ncoords, const double* xi, const double* eta, const int32_t* inodes);

/* ShellxDerivBMatrix: x-derivative of the two transverse shear rows of
 * ShellBMatrix. An inodes other than 6 or 8 records status -3 and gives
 * zeros (from Python, a negative inodes is a ValueError).
 *   xderivb (out) 2 x 40, rows yz and xz
 *   ncoords (in)  3 x inodes node coordinates in the element plane
 *   xi, eta (in)  natural point
 *   inodes  (in)  6 or 8 */
void ShellxDerivBMatrix(double* xderivb, const double* ncoords, const double* xi, const double* eta,
                        const int32_t* inodes);

/* ShellyDerivBMatrix: y-derivative of the two transverse shear rows of
 * ShellBMatrix. An inodes other than 6 or 8 records status -3 and gives
 * zeros (from Python, a negative inodes is a ValueError).
 *   yderivb (out) 2 x 40, rows yz and xz
 *   ncoords (in)  3 x inodes node coordinates in the element plane
 *   xi, eta (in)  natural point
 *   inodes  (in)  6 or 8 */
void ShellyDerivBMatrix(double* yderivb, const double* ncoords, const double* xi, const double* eta,
                        const int32_t* inodes);

/* ShellxDerivShearForces: x-derivative of the transverse shear forces at a
 * natural point, hmat (xderivb u). An inodes other than 6 or 8 records status
 * -3 and gives zeros (from Python, a negative inodes is a ValueError).
 *   xderivr (out) 2 derivatives, order 23, 13 as hmat
 *   u       (in)  40 nodal displacements, five per node
 *   hmat    (in)  2 x 2 transverse shear stiffness of the section
 *   ncoords (in)  3 x inodes node coordinates in the element plane
 *   xi, eta (in)  natural point
 *   inodes  (in)  6 or 8 */
void ShellxDerivShearForces(double* xderivr, const double* u, const double* hmat, const double* ncoords,
                            const double* xi, const double* eta, const int32_t* inodes);

/* ShellyDerivShearForces: y-derivative of the transverse shear forces at a
 * natural point, hmat (yderivb u). An inodes other than 6 or 8 records status
 * -3 and gives zeros (from Python, a negative inodes is a ValueError).
 *   yderivr (out) 2 derivatives, order 23, 13 as hmat
 *   u       (in)  40 nodal displacements, five per node
 *   hmat    (in)  2 x 2 transverse shear stiffness of the section
 *   ncoords (in)  3 x inodes node coordinates in the element plane
 *   xi, eta (in)  natural point
 *   inodes  (in)  6 or 8 */
void ShellyDerivShearForces(double* yderivr, const double* u, const double* hmat, const double* ncoords,
                            const double* xi, const double* eta, const int32_t* inodes);

/* GetDisplacementVector: nodal displacement vector of five values per node
 * (three translations, two rotations) from the nodal motions; a sixth motion
 * is dropped. More than 8 nodes or a negative mdof record status -2 "Index
 * out of range in GetDisplacementVector" and leave u untouched (zeros from
 * Python, where mdof is the first extent of nmotion and a negative mdof is a
 * ValueError).
 *   u       (out) 40 values: the first min(mdof, 5) motions of each node,
 *                 the rest zero
 *   nmotion (in)  mdof x inodes nodal motions
 *   inodes  (in)  number of nodes, at most 8
 *   mdof    (in)  motions per node */
void GetDisplacementVector(double* u, const double* nmotion, const int32_t* inodes, const int32_t* mdof);

/* GetCurvatures: principal curvatures of a shell element and their
 * direction, from the heights of its nodes above the element plane. Both are
 * 0 below 1e-6; the smaller is 0 when the ratio exceeds 20. An inodes other
 * than 6 or 8 records status -3 and gives zeros (from Python, a negative
 * inodes is a ValueError).
 *   delta    (out) angle in radians from the x axis to the direction at right
 *                  angles to that of kappa(1), the direction of the weaker
 *                  curvature (the axis of a cylinder): +-pi/2 by the sign of
 *                  kappa(1) for a surface curved along x alone, 0 for one
 *                  curved along y alone, and turning with the surface, within
 *                  -3 pi/4 to 3 pi/4. 0 also for a flat surface and when the
 *                  two principal curvatures agree in size to 1 %; a twist
 *                  below 1e-6 counts as none
 *   kappa    (out) 2 principal curvatures: the larger magnitude first
 *   nshape   (in)  inodes x 6 shape-function table of the point
 *   lncoords (in)  inodes x 3 element-local node coordinates, z the height
 *                  above the element plane
 *   inodes   (in)  6 or 8 */
void GetCurvatures(double* delta, double* kappa, const double* nshape, const double* lncoords,
                   const int32_t* inodes);

/* GetSectionRefOrientation: signed angle from the reference edge r12 to the
 * direction so, positive when (r12 x so) . nvector > 0; 0 or pi when the two
 * are parallel.
 *   theta   (out) angle in radians, -pi to pi
 *   so      (in)  3 components of the direction
 *   nvector (in)  3 components of the normal that gives the sign
 *   r12     (in)  3 components of the reference edge */
void GetSectionRefOrientation(double* theta, const double* so, const double* nvector, const double* r12);

/* GetNodalShape: shape-function table at the natural position of one node of
 * a six-node triangle or eight-node quadrilateral. An inodes other than 6 or
 * 8 records status -3 and gives zeros (from Python, a negative inodes is a
 * ValueError); a node outside 1..inodes records status -2 and leaves nshape
 * untouched (zeros from Python).
 *   nshape  (out) inodes x 6 table as ShellJacobian
 *   locnode (in)  local node 1..inodes
 *   inodes  (in)  6 or 8 */
void GetNodalShape(double* nshape, const int32_t* locnode, const int32_t* inodes);

/* GetNodalTransformation: frame of every node of a shell element from the
 * natural tangents at the node: t3 the unit normal, t1 and t2 in the tangent
 * plane, symmetric to the bisector of the tangents (the unit tangents when
 * these are orthogonal). An inodes other than 6 or 8 records status -3 and
 * gives zeros.
 *   ti     (out) 3 x 3 x 8: per node the columns t1, t2, t3
 *   on     (in)  8 x 3 node coordinates, one row per node
 *   inodes (in)  6 or 8 */
void GetNodalTransformation(double* ti, const double* on, const int32_t* inodes);

/* GetElementTransformation: element frame, origin and principal curvatures
 * of a shell element: the normal from the tangents at the centre, the first
 * axis turned to the reference direction of the element's record or, when
 * GetCurvatures gives a nonzero delta, by delta: then the first axis lies
 * along the weaker principal curvature and the second along the direction of
 * kappa(1). An inodes other than 6 or 8 records status -3 and gives zeros.
 *   tcurv  (out) 3 x 3, rows the first in-plane axis, the second, the normal
 *   origin (out) 3 components: centre of the corners (quadrilateral) or the
 *                corner opposite the longest edge (triangle)
 *   kappa  (out) 2 principal curvatures, larger magnitude first
 *   on     (in)  8 x 3 node coordinates, one row per node
 *   refdir (in)  7 values: reference orientation record of the element
 *                (angle in degrees, two candidate directions)
 *   inodes (in)  6 or 8 */
void GetElementTransformation(double* tcurv, double* origin, double* kappa, const double* on,
                              const double* refdir, const int32_t* inodes);

/* GetNodeReferenceData: nodal frames, element frames and curvatures of every
 * shell element of the element data (kinds 4, 5 and 8, and 1 to 3 with
 * mid-side data in node slots 5 to 8), written to tnodalmatrices,
 * tcurvmatrices and elemcurvatures; the node coordinates become
 * element-local unless tflag is 1. Needs the reference orientations of
 * GetElementReferenceData. Nothing happens while nelem is 0 or an array is
 * not allocated (no listing read, or released); arrays of the wrong shape,
 * and an nelem below 0 or beyond the element and node arrays, record status
 * -2 and change nothing; an unknown element kind records status -3 and
 * stops.
 *   lop   (out) 0, or -3 for an element kind outside 0..11
 *   tflag (in, optional) 1 keeps the global node coordinates; otherwise
 *               (default) they are replaced */
void GetNodeReferenceData(int32_t* lop, const int32_t* tflag);

/* GetShellTransverseStresses: transverse normal and shear stresses through
 * the thickness of one shell element from its nodal motions, the section's
 * shear stiffness and stored f values (flat elements) or the curved-section
 * distribution values; stored in the caches only where these are still all
 * zero, so each is computed once per update interval. Elements of other
 * kinds, or without motion, are left alone. Indices outside the arrays
 * record status -2 and change nothing.
 *   tnormalstress     (in/out) nzcoord x nelem normal stress cache
 *   tshearstress      (in/out) nintpoint x 2 x 4 x nelem shear stress cache
 *   nodalcoords       (in)  3 x nnodes x nelem element-local node coordinates
 *   nodesmotion       (in)  ndof x nnodes x nelem nodal motions
 *   sestress          (in)  6 x nintpoint x 4 x nelem stored ply stresses
 *   sehmatrix         (in)  2 x 2 x nsec transverse shear stiffness
 *   sefmatrix         (in)  nzcoord x 4 x nsec stored f values
 *   plyorientation    (in)  nplies x nsec ply angles in degrees
 *   plythickness      (in)  nplies x nsec ply thicknesses
 *   plyzcoord         (in)  nzcoord x nsec z points of each section
 *   plyelastic        (in)  9 x nplies x nsec ply constants
 *   elemsectionpoints (in)  nelem section points per ply
 *   elemcurvatures    (in)  2 x nelem principal curvatures
 *   elemkind          (in)  nelem element kinds
 *   sectionlist       (in)  nplies x nsec ply lists
 *   elemid            (in)  element position (0: nothing is done)
 *   gpid              (in)  in-plane integration point 1..4 (1..3 triangle)
 *   secid             (in)  section position 1..nsec
 *   itnsflag          (in)  0 no normal stress; 2 shear-force derivatives at
 *                           the centre of a quadrilateral; otherwise averaged
 *                           over the integration points
 *   itshrflag         (in)  nonzero: the shear stresses of point gpid
 *   nplies            (in)  plies per section
 *   nsec              (in)  number of sections
 *   nzcoord           (in)  through-thickness points, 2 nplies + 1
 *   nintpoint         (in)  rows of the shear cache, at least plies times
 *                           section points
 *   ndof              (in)  motions per node
 *   nnodes            (in)  node slots per element
 *   nelem             (in)  number of elements */
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

/* GetCenterNodes: midpoints of consecutive vertices of a closed polygon, the
 * last vertex paired with the first.
 *   center   (out) ndim x npt midpoints
 *   vertices (in)  ndim x npt vertices
 *   ndim     (in)  coordinates per point
 *   npt      (in)  number of vertices */
void GetCenterNodes(double* center, const double* vertices, const int32_t* ndim, const int32_t* npt);

/* GetHex8ElemLength: characteristic lengths of an eight-node brick along
 * three directions: a quarter of the sum of the magnitudes of the four space
 * diagonals projected on each direction.
 *   elemlength (out) 3 lengths, one per direction
 *   matcos     (in)  3 x 3, columns the directions
 *   nodalcoord (in)  3 x 8 node coordinates */
void GetHex8ElemLength(double* elemlength, const double* matcos, const double* nodalcoord);

/* GetQuad4ElemLength: characteristic lengths of a four-node element in its
 * plane: the lengths of the vectors from node 1 to nodes 2, 4 and 3,
 * projected onto the plane of the first two material directions.
 *   elemlength (out) 3 lengths: to node 2, node 4, node 3
 *   tdirect    (in)  3 x 3, columns the material directions (the first two
 *                    span the plane)
 *   nodalcoord (in)  3 x 4 node coordinates */
void GetQuad4ElemLength(double* elemlength, const double* tdirect, const double* nodalcoord);

/* ---- Element stress format conversions ------------------------------------ */

/* Get3DInputFromElem: element stress, strain and strain increment of a
 * plane-stress (ncomp 3), plane-strain or axisymmetric (4) or solid (6)
 * element as six-component vectors in Nye order (11, 22, 33, 12, 13, 23), for
 * a three-dimensional material law. Axisymmetric elements exchange the axes 2
 * and 3. Plane-stress elements may take their out-of-plane values from
 * transverse. Another ncomp records status -2 "Unsupported number of
 * components in Get3DInputFromElem" and leaves the outputs untouched (zeros
 * when called from Python, where a negative ncomp is a ValueError).
 *   stress3d, strain3d, dstrain3d (in/out) 6 values each
 *   stress_nye, strain_nye, dstrain_nye (in) ncomp values each: (11, 22, 12),
 *                  (11, 22, 33, 12) or Nye order
 *   ncomp      (in)  3, 4 or 6
 *   transverse (in, optional) 6 values: shear strains 13, 23, normal strain
 *                  33, shear stresses 13, 23, normal stress 33; default zero
 *   itnsflag   (in, optional) nonzero takes the normal values (plane stress);
 *                  default 0
 *   itshrflag  (in, optional) nonzero takes the shear values (plane stress);
 *                  default 0
 *   isaxial    (in, optional) 1-byte flag: true for an axisymmetric element;
 *                  default false */
void Get3DInputFromElem(double* stress3d, double* strain3d, double* dstrain3d, const double* stress_nye,
                        const double* strain_nye, const double* dstrain_nye, const int32_t* ncomp,
                        const double* transverse, const int32_t* itnsflag, const int32_t* itshrflag,
                        const vx_l1* isaxial);

/* Get3DStressFromPlaneStress: plane-stress vectors (11, 22, 12) as
 * six-component vectors in Nye order, the out-of-plane entries zero or taken
 * from transverse; the strain increment gets no transverse values.
 *   stress     (in)  3 stress values
 *   stran      (in)  3 strain values
 *   dstran     (in)  3 strain increment values
 *   transverse (in)  6 values as Get3DInputFromElem
 *   stress3d   (out) 6 stress values
 *   stran3d    (out) 6 strain values
 *   dstran3d   (out) 6 strain increment values
 *   itnsflag   (in)  nonzero: stress and strain 33 from transverse
 *   itshrflag  (in)  nonzero: stress and strain 13, 23 from transverse */
void Get3DStressFromPlaneStress(const double* stress, const double* stran, const double* dstran,
                                const double* transverse, double* stress3d, double* stran3d, double* dstran3d,
                                const int32_t* itnsflag, const int32_t* itshrflag);

/* Get3DStressFromPlaneStrain: plane-strain or axisymmetric vectors (11, 22,
 * 33, 12) as six-component vectors in Nye order: (x1, x2, x3, x4, 0, 0), or
 * for an axisymmetric element with axes 2 and 3 exchanged (x1, x3, x2, 0, x4,
 * 0).
 *   stress   (in)  4 stress values
 *   stran    (in)  4 strain values
 *   dstran   (in)  4 strain increment values
 *   stress3d (out) 6 stress values
 *   stran3d  (out) 6 strain values
 *   dstran3d (out) 6 strain increment values
 *   isaxial  (in)  1-byte flag: true exchanges the axes 2 and 3 */
void Get3DStressFromPlaneStrain(const double* stress, const double* stran, const double* dstran,
                                double* stress3d, double* stran3d, double* dstran3d, const vx_l1* isaxial);

/* Get3DStressFromHex: solid-element vectors, copied unchanged (Nye order).
 *   stress   (in)  6 stress values
 *   stran    (in)  6 strain values
 *   dstran   (in)  6 strain increment values
 *   stress3d (out) 6 stress values
 *   stran3d  (out) 6 strain values
 *   dstran3d (out) 6 strain increment values */
void Get3DStressFromHex(const double* stress, const double* stran, const double* dstran, double* stress3d,
                        double* stran3d, double* dstran3d);

/* GetElemOutputFrom3D: a six-component stress and 6 x 6 tangent in Nye order
 * back to the form of an element of n components.
 * - 3, plane stress (GetPlaneStressOutputFrom3D): the tangent with the
 *   normal stress 33 condensed out, and the stress recomputed as that
 *   tangent times the in-plane strains (11, 22, 12) of the state, the strain
 *   being tangent3d^-1 stress3d; so a state with a stress 33 does not give
 *   (s11, s22, s12). A tangent whose entry 33 is exactly 0 gives
 *   (s11, s22, s12) and its rows and columns 11, 22, 12.
 * - 4, plane strain (s11, s22, s33, s12) with the leading 4 x 4 tangent; for
 *   an axisymmetric element (isaxial true) axes 2 and 3 are exchanged first:
 *   (s11, s33, s22, s13), the tangent turned alike.
 * - 6, solid: both copied.
 *
 * Another n records status -2 "Unsupported number of components in
 * GetElemOutputFrom3D" and leaves the outputs untouched (from Python they
 * come back as zeros, and a negative n is a ValueError).
 *   stresselem  (in/out) n stress values
 *   tangentelem (in/out) n x n tangent
 *   stress3d    (in)  6 stress values
 *   tangent3d   (in)  6 x 6 tangent
 *   n           (in)  3, 4 or 6
 *   isaxial     (in, optional) 1-byte flag: true for an axisymmetric
 *                      element; default false */
void GetElemOutputFrom3D(double* stresselem, double* tangentelem, const double* stress3d,
                         const double* tangent3d, const int32_t* n, const vx_l1* isaxial);

/* GetPlaneStressOutputFrom3D: plane-stress stress (11, 22, 12) and tangent
 * from a three-dimensional state: the tangent with the normal stress 33
 * condensed out, applied to the in-plane strains of the state. A tangent
 * whose entry 33 is exactly 0 is cut to rows and columns 11, 22, 12 instead.
 * A singular tangent is reported by the matrix inverse.
 *   stressps  (out) 3 stress values
 *   tangentps (out) 3 x 3 tangent
 *   stress3d  (in)  6 stress values in Nye order
 *   tangent3d (in)  6 x 6 tangent in Nye order */
void GetPlaneStressOutputFrom3D(double* stressps, double* tangentps, const double* stress3d,
                                const double* tangent3d);

/* GetPlaneStrainOutputFrom3D: plane-strain stress (11, 22, 33, 12) and the
 * leading 4 x 4 tangent of a three-dimensional state; for an axisymmetric
 * element the state is first turned back with the axes 2 and 3 exchanged.
 *   stresspl  (out) 4 stress values
 *   tangentpl (out) 4 x 4 tangent
 *   stress3d  (in)  6 stress values in Nye order
 *   tangent3d (in)  6 x 6 tangent in Nye order
 *   isaxial   (in, optional) 1-byte flag: true for an axisymmetric element;
 *                    default false */
void GetPlaneStrainOutputFrom3D(double* stresspl, double* tangentpl, const double* stress3d,
                                const double* tangent3d, const vx_l1* isaxial);

/* GetHexOutputFrom3D: solid-element stress and tangent, copied unchanged.
 *   stresshex  (out) 6 stress values
 *   tangenthex (out) 6 x 6 tangent
 *   stress3d   (in)  6 stress values in Nye order
 *   tangent3d  (in)  6 x 6 tangent in Nye order */
void GetHexOutputFrom3D(double* stresshex, double* tangenthex, const double* stress3d, const double* tangent3d);

/* GetPlaneStressEpsZZ: out-of-plane strain of a plane-stress state,
 * -(nu31 / e33) s11 - (nu32 / e33) s22.
 *   e33    (in)  modulus E3
 *   nu31   (in)  Poisson ratio nu31
 *   nu32   (in)  Poisson ratio nu32
 *   s11    (in)  stress 11
 *   s22    (in)  stress 22
 *   result (ret) the strain 33 */
double GetPlaneStressEpsZZ(const double* e33, const double* nu31, const double* nu32, const double* s11,
                           const double* s22);

/* ---- Tabulated shape functions ------------------------------------------- */

/* Quad4ShapeFunMatrix: shape-function table of the four-node quadrilateral
 * at a natural point, one row per node (Quad4SF and its derivative), in the
 * node order 1 (-1,-1), 2 (1,-1), 3 (1,1), 4 (-1,1) of (xi, eta).
 *   nshape  (out) 4 x 3: N, dN/dxi, dN/deta
 *   xi, eta (in)  natural coordinates in [-1, 1] */
void Quad4ShapeFunMatrix(double* nshape, const double* xi, const double* eta);

/* Tria6ShapeFunMatrix: shape-function table of the six-node triangle at a
 * point, one row per node (Tria6SF and its derivatives), in the node order of
 * (xi, eta): corners 1 (0,0), 2 (1,0), 3 (0,1); mid-sides 4 (1/2,0),
 * 5 (1/2,1/2), 6 (0,1/2).
 *   nshape  (out) 6 x 6: N, dN/dxi, dN/deta, d2N/dxi2, d2N/deta2, d2N/dxideta
 *   xi, eta (in)  area coordinates */
void Tria6ShapeFunMatrix(double* nshape, const double* xi, const double* eta);

/* Quad8ShapeFunMatrix: shape-function table of the eight-node serendipity
 * quadrilateral at a natural point, one row per node (Quad8SF and its
 * derivatives), in the node order of (xi, eta): corners 1 (-1,-1), 2 (1,-1),
 * 3 (1,1), 4 (-1,1); mid-sides 5 (0,-1), 6 (1,0), 7 (0,1), 8 (-1,0).
 *   nshape  (out) 8 x 6: N, dN/dxi, dN/deta, d2N/dxi2, d2N/deta2, d2N/dxideta
 *   xi, eta (in)  natural coordinates in [-1, 1] */
void Quad8ShapeFunMatrix(double* nshape, const double* xi, const double* eta);

/* Hex8ShapeFunMatrix: shape-function table of the eight-node brick at a
 * natural point, one row per node (Hex8SF and its derivatives), in the node
 * order of (xi, eta, zeta): 1 (-1,-1,-1), 2 (1,-1,-1), 3 (1,1,-1),
 * 4 (-1,1,-1), 5 (-1,-1,1), 6 (1,-1,1), 7 (1,1,1), 8 (-1,1,1). The pure
 * second derivatives are zero; there is no column for d2N/deta dzeta.
 *   nshape        (out) 8 x 9: N, dN/dxi, dN/deta, dN/dzeta, three zero
 *                       columns, d2N/dxi deta, d2N/dxi dzeta
 *   xi, eta, zeta (in)  natural coordinates in [-1, 1] */
void Hex8ShapeFunMatrix(double* nshape, const double* xi, const double* eta, const double* zeta);

#ifdef __cplusplus
}
#endif
#endif
