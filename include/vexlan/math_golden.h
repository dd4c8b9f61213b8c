/* Maximum search by golden sections (reverse communication) and cubic
 * equations, component math. */
#ifndef VEXLAN_MATH_GOLDEN_H
#define VEXLAN_MATH_GOLDEN_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* IniGoldenSearch: starts a search for the maximum of a function of one
 * variable on [xlow, xup] by reverse communication (see GSSAFE). Golden mode
 * (gsflag 1) puts the four starting points xlow, xup and the two golden
 * interior points into x(1..4) and xmove and keeps (dx, xup - xlow) in
 * lplimits; scan mode (any other gsflag) keeps (xlow, xup). The golden
 * tolerance dx must be below xup - xlow.
 *   x, y     (out) npoints abscissas and values of the search, cleared first
 *   xmove    (out) bracket (lower end, upper end, lower and upper interior
 *                  point); zero in scan mode
 *   lplimits (out) golden: (tolerance, bracket length); scan: (next
 *                  abscissa, upper end)
 *   incr     (out) points handed out, 0
 *   subcall  (out) phase counter, 0
 *   golden   (out) 1-byte flag: golden mode
 *   finish   (out) 1-byte flag: search over, false
 *   xlow     (in)  lower end of the interval
 *   xup      (in)  upper end of the interval
 *   dx       (in)  golden mode: tolerance on the bracket length
 *   gsflag   (in)  1 golden section, otherwise a scan with a fixed step
 *   npoints  (in)  length of x and y, at least 4; the most points a golden
 *                  search hands out */
void IniGoldenSearch(double* x, double* y, double* xmove, double* lplimits, int32_t* incr,
                     int32_t* subcall, vx_l1* golden, vx_l1* finish, const double* xlow,
                     const double* xup, const double* dx, const int32_t* gsflag,
                     const int32_t* npoints);

/* GSSAFE: one step of the maximum search started by IniGoldenSearch. The
 * routine never calls the function: when it returns with update true the
 * caller puts the function value at xi into yi and calls again, until finish
 * comes back true; then xi holds the position of the maximum. Golden mode
 * ends when the bracket is shorter than the tolerance (xi the vertex of a
 * parabola through the best three points, yi the value of the last golden
 * point; the value the caller gives at the vertex is not kept) or when all
 * npoints slots are used (xi, yi the last point). Scan mode hands out xlow,
 * xlow + dx, ... while the point is not beyond xup (a step that does not
 * advance ends it) and keeps the largest value above 0 with its abscissa in
 * x(npoints), y(npoints) (0 at 0 when the function is nowhere positive).
 * Nothing is recorded; all state is the caller's, so searches may run side
 * by side.
 *   xi           (in/out) abscissa to evaluate; at the end the maximum
 *   yi           (in/out) the caller's value at xi; at the end as above
 *   dx           (in)     scan step
 *   x, y         (in/out) npoints points handed out and their values
 *   xmove        (in/out) 4 bracket points (lower end, upper end, lower and
 *                         upper interior point)
 *   ymove        (in/out) 4 function values at the bracket points
 *   lplimits     (in/out) 2 values as set by IniGoldenSearch
 *   xdir         (in/out) last bracket move: 0 start, 1 up, -1 down
 *   increment    (in/out) golden points handed out so far
 *   proc         (in/out) phase counter
 *   isgolden     (in/out) 1-byte flag: golden mode
 *   update       (in/out) 1-byte flag set on return: evaluate at xi and call again
 *   finish       (in/out) 1-byte flag set on return: the search is over
 *   defaultvalue (in)     position returned when the final parabola is degenerate
 *   npoints      (in)     length of x and y */
void GSSAFE(double* xi, double* yi, const double* dx, double* x, double* y, double* xmove,
            double* ymove, double* lplimits, int32_t* xdir, int32_t* increment, int32_t* proc,
            vx_l1* isgolden, vx_l1* update, vx_l1* finish, const double* defaultvalue,
            const int32_t* npoints);

/* GetNextFromGoldenSearch: the next point of a golden-section search. The
 * first four calls hand out the starting points; later calls move the bracket
 * toward the larger interior value (up when fright >= fleft) and return the
 * new interior point, stored as x(increment + 1).
 *   xnext     (out)    abscissa to evaluate next
 *   dx        (out)    new bracket length (not written for the first four)
 *   x         (in/out) npoints points handed out
 *   y         (in)     npoints values at them
 *   xmove     (in/out) 4 bracket points (lower end, upper end, lower and upper
 *                      interior point)
 *   ymove     (in/out) 4 function values at the bracket points
 *   xdir      (in/out) bracket move: 0 start, 1 up, -1 down
 *   increment (in/out) points handed out, raised by one
 *   npoints   (in)     length of x and y */
void GetNextFromGoldenSearch(double* xnext, double* dx, double* x, const double* y, double* xmove,
                             double* ymove, int32_t* xdir, int32_t* increment,
                             const int32_t* npoints);

/* GetMaximumFromGoldenSearch: vertex -b / (2a) of the parabola
 * y = a x^2 + b x + c through the best three bracket points, after the value
 * of the last golden point has entered the bracket. Whether the parabola
 * opens downwards is not checked.
 *   xmax         (out) position of the vertex; defaultvalue when a = 0
 *   y            (in)  npoints values of the search
 *   xmove        (in)  4 bracket points
 *   ymove        (in)  4 function values at the bracket points
 *   defaultvalue (in)  result for a degenerate parabola
 *   xdir         (in)  last bracket move: 1 up, -1 down
 *   increment    (in)  slot of the last golden point
 *   npoints      (in)  length of y */
void GetMaximumFromGoldenSearch(double* xmax, const double* y, const double* xmove,
                                const double* ymove, const double* defaultvalue,
                                const int32_t* xdir, const int32_t* increment,
                                const int32_t* npoints);

/* partialcurvelength: the curve-length integrand sqrt(dy^2 + 1).
 *   dy     (in)  slope
 *   result (ret) sqrt(dy^2 + 1) */
double partialcurvelength(const double* dy);

/* cuberoot: real cube root, negative for a negative argument; exactly 0
 * for 0.
 *   a      (in)  value
 *   result (ret) the real cube root of a */
double cuberoot(const double* a);

/* SpecialCase: real roots of the depressed cubic t^3 + p t + q = 0 by
 * Cardano's formula (one real root: all three outputs hold it) or the
 * trigonometric form (three real roots, ascending). When the discriminant
 * q^2/4 + p^3/27 is exactly 0 the double root is returned twice, in
 * ascending order with the simple one; a discriminant that rounding leaves
 * just above 0 gives the one-root answer.
 *   p, q          (in)  coefficients
 *   xx1, xx2, xx3 (out) the roots */
void SpecialCase(const double* p, const double* q, double* xx1, double* xx2, double* xx3);

/* Solution3PE: real roots of a x^3 + b x^2 + c x + d = 0 by reduction to the
 * depressed cubic (SpecialCase). With one real root all three outputs hold
 * it; three real roots come ascending. A double root is seen only when the
 * discriminant of the reduced cubic comes out exactly 0: rounding may hide
 * it, so that (x - 1)^2 (x - 2) gives 2 three times. a = 0 gives values that
 * are not finite; nothing is recorded.
 *   a, b, c, d (in)  coefficients, a nonzero
 *   x1, x2, x3 (out) the roots */
void Solution3PE(const double* a, const double* b, const double* c, const double* d, double* x1,
                 double* x2, double* x3);

#ifdef __cplusplus
}
#endif
#endif
