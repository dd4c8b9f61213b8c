/* Point-in-shape tests in the local plane of a figure (component imageprocessing). */
#ifndef VEXLAN_IMAGEPROCESSING_H
#define VEXLAN_IMAGEPROCESSING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetPointOnXYPlane: 2-D coordinates of a point in a local plane. The plane
 * runs through origin with the columns of xyplane as its x axis, y axis and
 * normal; its in-plane axes are turned by theta about the normal. The offset
 * of the point from the origin is resolved along the turned axes; its normal
 * part is dropped. The turn is about the plane's own normal, from its x axis
 * towards its y axis, for any plane: with x, y the components of the offset
 * along the plane's axes, xycoord = (x cos theta + y sin theta, -x sin theta
 * + y cos theta). (Turning the plane components by the rotation about the
 * normal's global components instead agrees only when the normal is the
 * global z: for a tilted plane it is off by up to 14 for offsets and origins
 * within 5 of zero.)
 *   xycoord (out) (x, y) in the turned in-plane axes
 *   point   (in)  3 coordinates of the point
 *   origin  (in)  3 coordinates of the plane's origin
 *   xyplane (in)  3 x 3, columns: x axis, y axis and normal of the plane
 *   theta   (in)  turn of the in-plane axes about the normal, degrees */
void GetPointOnXYPlane(double* xycoord, const double* point, const double* origin,
                       const double* xyplane, const double* theta);

/* Polygon: whether the point (px, py) lies in the closed outline through the
 * n vertices (xx(i), yy(i)), by counting edge crossings; a point on an edge
 * counts as inside.
 *   px, py (in)  the point
 *   xx, yy (in)  n vertex coordinates each, the last joined to the first
 *   n      (in)  number of vertices; below 1 gives -1 (from Python, a
 *                negative n is a ValueError)
 *   result (ret) 0 inside or on the outline, -1 outside */
double Polygon(const double* px, const double* py, const double* xx, const double* yy,
               const int32_t* n);

/* ProjectedPointInPolygon: whether a point in space lies in a polygon drawn
 * in a local plane (see GetPointOnXYPlane for the plane and the angle: the
 * polygon's axes are the plane's turned by theta about its own normal).
 *   point     (in)  3 coordinates of the point
 *   xypairs   (in)  npoints x 2 vertices in the plane: column 1 x, column 2 y
 *   theta     (in)  turn of the in-plane axes about the normal, degrees
 *   refcoords (in)  3 coordinates of the plane's origin
 *   refcos    (in)  3 x 3, columns: x axis, y axis and normal of the plane
 *   npoints   (in)  number of vertices
 *   result    (ret) 1-byte logical: inside or on the outline */
vx_l1 ProjectedPointInPolygon(const double* point, const double* xypairs, const double* theta,
                              const double* refcoords, const double* refcos,
                              const int32_t* npoints);

/* Ellipse, Rectangle: measure of the point (x, y) against an ellipse with
 * semi-axes a, b, ((x - x0)/a)^2 + ((y - y0)/b)^2, or a rectangle with
 * half-widths a, b, max(|x - x0|/|a|, |y - y0|/|b|), centred on xyorigin. The
 * measure is 1 on the outline, below 1 inside and grows outward; a zero
 * semi-axis or half-width divides by zero.
 *   x, y     (in)  the point
 *   a, b     (in)  semi-axes or half-widths along x and y
 *   xyorigin (in, optional) 2 coordinates of the centre, default (0, 0)
 *   result   (ret) the measure */
double Ellipse(const double* x, const double* y, const double* a, const double* b,
               const double* xyorigin);
double Rectangle(const double* x, const double* y, const double* a, const double* b,
                 const double* xyorigin);

/* ProjectedPointInShape: whether a point in space lies in a figure centred on
 * the origin of a local plane (see GetPointOnXYPlane; the figure's axes are
 * the plane's turned by theta about its own normal): true when the figure's
 * measure (see Ellipse) lies in [0, 1]. A measure that is not a number counts
 * as outside.
 *   point     (in)  3 coordinates of the point
 *   a, b      (in)  semi-axes or half-widths along the turned x and y axes
 *   theta     (in)  turn of the in-plane axes about the normal, degrees
 *   refcoords (in)  3 coordinates of the plane's origin
 *   refcos    (in)  3 x 3, columns: x axis, y axis and normal of the plane
 *   shapeid   (in)  0 circle of radius max(a, b); 2 square of half-side
 *                   max(a, b); 3 rectangle a x b; any other value ellipse a x b
 *   result    (ret) 1-byte logical: inside or on the outline */
vx_l1 ProjectedPointInShape(const double* point, const double* a, const double* b,
                            const double* theta, const double* refcoords, const double* refcos,
                            const int32_t* shapeid);

/* Line: nearness of the point (x, y) to the segment from a to b, at most 1
 * exactly when the point lies within proximity of the segment: the distance d
 * divided by the distance from a when d < proximity, 1 when equal, d + 1
 * beyond. A point at a gives NaN; a segment of zero length has no direction.
 *   x, y      (in)  the point
 *   a, b      (in)  2 coordinates of each end of the segment
 *   proximity (in, optional) band width around the segment, default 1e-5
 *   result    (ret) the measure */
double Line(const double* x, const double* y, const double* a, const double* b,
            const double* proximity);

#ifdef __cplusplus
}
#endif
#endif
