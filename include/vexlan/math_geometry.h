/* Geometry of points and plane figures and tensor rotations, component math.
 *
 * Matrices are column-major: a 3 x 3 matrix r holds r(1,1), r(2,1), r(3,1),
 * r(1,2), ... ; a fourth-order tensor is a 3x3x3x3 array indexed (i,j,k,l).
 * Angles: arguments ending in _r are radians, in _d degrees. */
#ifndef VEXLAN_MATH_GEOMETRY_H
#define VEXLAN_MATH_GEOMETRY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* tensormultiplication: double contraction of a fourth-order with a
 * second-order tensor, out(i,j) = sum over k, l of t_4th(i,j,k,l) t_2nd(k,l).
 *   t_4th   (in)  3 x 3 x 3 x 3 tensor
 *   t_2nd   (in)  3 x 3 tensor
 *   out_2nd (out) 3 x 3 result */
void tensormultiplication(const double* t_4th, const double* t_2nd, double* out_2nd);

/* TensorTransformation2nd: change of basis of a second-order tensor,
 * tensout = tbase tensin tbase^T, with the new axes as the rows of tbase.
 *   tensin  (in)  3 x 3 tensor in the old axes
 *   tensout (out) 3 x 3 tensor in the new axes
 *   tbase   (in)  3 x 3 direction cosines, rows the new axes (see
 *                 GetTransformationMatrix) */
void TensorTransformation2nd(const double* tensin, double* tensout, const double* tbase);

/* GetBoundingBoxFromEllipse: half-widths of the axis-parallel box around an
 * ellipse with semi-axes a and b turned by phi_d.
 *   xybound (out) half-widths along x and y
 *   a       (in)  semi-axis along the ellipse's own x axis
 *   b       (in)  semi-axis along its own y axis
 *   phi_d   (in)  turn of the ellipse, degrees */
void GetBoundingBoxFromEllipse(double* xybound, const double* a, const double* b,
                               const double* phi_d);

/* GetRadiusOfEllipse: distance from the centre of an ellipse to its outline
 * in the direction phi_d from the a axis, a b / sqrt(b^2 cos^2 + a^2 sin^2).
 *   r     (out) the radius
 *   a     (in)  semi-axis along the reference direction
 *   b     (in)  other semi-axis
 *   phi_d (in)  direction, degrees */
void GetRadiusOfEllipse(double* r, const double* a, const double* b, const double* phi_d);

/* gettrianglearea: signed area of the triangle, positive when the vertices
 * run counter-clockwise, negative when clockwise.
 *   x1..y3 (in)  coordinates of the three vertices (x1, y1, x2, y2, x3, y3)
 *   result (ret) the signed area */
double gettrianglearea(const double* x1, const double* y1, const double* x2, const double* y2,
                       const double* x3, const double* y3);

/* GetParabolaCoefficients: the parabola y = a x^2 + b x + c through three
 * points. Coincident abscissas give values that are not finite.
 *   ind (in)  3 x 2 points: column 1 the abscissas, column 2 the ordinates
 *   oud (out) (a, b, c) */
void GetParabolaCoefficients(const double* ind, double* oud);

/* GetTransformationMatrix: the matrix of direction cosines whose rows are
 * the new axes nx, ny and nz, expressed in the old system.
 *   tbase      (out) 3 x 3 matrix, rows nx, ny, nz
 *   nx, ny, nz (in)  3 components of each new axis */
void GetTransformationMatrix(double* tbase, const double* nx, const double* ny, const double* nz);

/* GetRotationMatrix: right-handed rotation by alpha_r about the axis n
 * (Rodrigues' form); a positive angle turns counter-clockwise looking down
 * the axis. The axis is not normalised: only a unit axis gives a rotation.
 *   trot    (out) 3 x 3 rotation matrix
 *   n       (in)  3 components of the axis
 *   alpha_r (in)  angle, radians */
void GetRotationMatrix(double* trot, const double* n, const double* alpha_r);

/* TensorRotation4th, TensorRotation2nd: components of a tensor in the axes
 * turned by angle_r about n0 (R from GetRotationMatrix): TensorRotation4th
 * turns a fourth-order tensor, contracting R on all four indices;
 * TensorRotation2nd a second-order tensor, R^T A R. Stiffness and stress
 * rotated alike stay consistent.
 *   input_4th  (in)  3 x 3 x 3 x 3 tensor
 *   output_4th (out) 3 x 3 x 3 x 3 turned tensor
 *   input_2nd  (in)  3 x 3 tensor
 *   output_2nd (out) 3 x 3 turned tensor
 *   angle_r    (in)  angle, radians
 *   n0         (in, optional) 3 components of the axis, default (1, 0, 0) */
void TensorRotation4th(const double* input_4th, double* output_4th, const double* angle_r,
                       const double* n0);
void TensorRotation2nd(const double* input_2nd, double* output_2nd, const double* angle_r,
                       const double* n0);

/* GetEulerRotation: angles about the fixed x, y and z axes of a rotation
 * matrix, in degrees, taken in that order: r = Rz(eul(3)) Ry(eul(2))
 * Rx(eul(1)), the rotations of GetRotationMatrix. When r(3,1) is exactly 1
 * or -1 (gimbal lock) the middle angle is -90 or 90 respectively, the third
 * 0 and the first carries the whole remaining turn.
 *   eul (out) 3 angles about x, y and z, degrees; eul(2) in [-90, 90]
 *   r   (in)  3 x 3 rotation matrix */
void GetEulerRotation(double* eul, const double* r);

/* CoordinateNormalization: points scaled linearly onto the interval, with one
 * common minimum and maximum over all coordinates of all points. Points that
 * are all equal divide by zero; ndim below 1 writes nothing (from Python, a
 * negative ndim is a ValueError; 0 gives an empty result).
 *   p        (in)  np x ndim points, one per row
 *   pnorm    (out) np x ndim scaled points
 *   interval (in)  (lower, upper) end of the target interval
 *   np       (in)  number of points
 *   ndim     (in)  coordinates per point */
void CoordinateNormalization(const double* p, double* pnorm, const double* interval,
                             const int32_t* np, const int32_t* ndim);

/* CoordinateRotation: a point turned right-handedly by alpha_d about the
 * axis a through the origin.
 *   a       (in)  3 components of the axis (a unit vector)
 *   p       (in)  3 coordinates of the point
 *   prot    (out) 3 coordinates of the turned point
 *   alpha_d (in)  angle, degrees */
void CoordinateRotation(const double* a, const double* p, double* prot, const double* alpha_d);

/* CoordinateTranslation: the point shifted by a, ptrans = p + a.
 *   a      (in)  3 components of the shift
 *   p      (in)  3 coordinates of the point
 *   ptrans (out) 3 coordinates of the shifted point */
void CoordinateTranslation(const double* a, const double* p, double* ptrans);

/* GetCentroid: centroid of the polygon through (x(i), y(i)), closed from the
 * last vertex to the first (a repeated first point at the end is dropped);
 * independent of the vertex order. A polygon of zero area (fewer than three
 * vertices among them) gives (0, 0).
 *   c    (out) 2 coordinates of the centroid
 *   x, y (in)  n vertex coordinates each
 *   n    (in)  number of vertices */
void GetCentroid(double* c, const double* x, const double* y, const int32_t* n);

/* CoordinateReflection: mirror image of p in the plane through the origin
 * spanned by na and nb, which must be orthonormal (they are used as given).
 *   na, nb (in)  3 components of each spanning vector
 *   p      (in)  3 coordinates of the point
 *   pref   (out) 3 coordinates of the mirrored point */
void CoordinateReflection(const double* na, const double* nb, const double* p, double* pref);

/* CoordinateProjection: orthogonal projection of p onto the plane through r0
 * spanned by u and v.
 *   u, v (in)  3 components of each spanning vector
 *   p    (in)  3 coordinates of the point
 *   ppro (out) 3 coordinates of the projected point
 *   r0   (in, optional) 3 coordinates of a point of the plane, default the
 *                       origin */
void CoordinateProjection(const double* u, const double* v, const double* p, double* ppro,
                          const double* r0);

/* GetABVector: the vector from point a to point b, v = b - a.
 *   v    (out) n components
 *   a, b (in)  n coordinates each
 *   n    (in)  number of components; below 1 writes nothing (from Python,
 *              a negative n is a ValueError; 0 gives an empty result) */
void GetABVector(double* v, const double* a, const double* b, const int32_t* n);

/* EffectiveArcLength: length of the circular arc of the given curvature
 * between two points, 2 r asin(L / 2r) with r = 1 / curvature and L the
 * chord; the chord itself for curvature 0. A chord longer than the diameter
 * gives NaN.
 *   oa, ob    (in)  n coordinates of each point
 *   curvature (in)  curvature of the arc, 1 / radius
 *   n         (in)  number of coordinates
 *   result    (ret) the arc length */
double EffectiveArcLength(const double* oa, const double* ob, const double* curvature,
                          const int32_t* n);

/* PolarTransformation: polar coordinates (radius, angle in radians) of the
 * first two components, the rest copied (cylindrical coordinates for n = 3).
 * From Python, fewer than two components are refused with ValueError; from
 * C, n below 2 writes nothing.
 *   cartesian (in)  n components
 *   polar     (out) n components: radius, angle, the rest unchanged
 *   n         (in)  number of components, 2 or more
 *   phi0      (in, optional) angle returned for the origin, radians,
 *                            default 0 */
void PolarTransformation(const double* cartesian, double* polar, const int32_t* n,
                         const double* phi0);

/* GetUnitVector: x divided by its Euclidean norm; a zero vector gives NaN.
 *   xu (out) n components of x / |x|
 *   x  (in)  n components
 *   n  (in)  number of components; below 1 writes nothing (from Python, a
 *            negative n is a ValueError; 0 gives an empty result) */
void GetUnitVector(double* xu, const double* x, const int32_t* n);

/* ScalarProjection: length of a along the direction of b, a . b / |b|.
 *   a, b   (in)  n components each
 *   n      (in)  number of components; below 1 gives 0 (from Python, a
 *                negative n is a ValueError)
 *   result (ret) the signed length */
double ScalarProjection(const double* a, const double* b, const int32_t* n);

/* EuclideanAngle: angle between two vectors, acos of their normalised dot
 * product clamped to [-1, 1]; a zero vector gives pi.
 *   x, y   (in)  n components each
 *   n      (in)  number of components
 *   result (ret) the angle, radians */
double EuclideanAngle(const double* x, const double* y, const int32_t* n);

#ifdef __cplusplus
}
#endif
#endif
