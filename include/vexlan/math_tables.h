/* Tabulated data (component math): polynomial fitting, nearest, linear and
 * monotone cubic Hermite interpolation, integration and arc length of tables,
 * difference-quotient derivatives, polygon area, binomial coefficient.
 *
 * A table is x(n) with y(ny), ny = n; evaluation points p(k). An array whose
 * length is not an argument of its own is followed directly by its length.
 * A vector-valued function takes its result buffer as the FIRST argument
 * (k values for the interpolations, d + 1 for the fit).
 */
#ifndef VEXLAN_MATH_TABLES_H
#define VEXLAN_MATH_TABLES_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* polynomialfitting: least-squares polynomial c(1) + c(2) x + ... +
 * c(d + 1) x^d through the points (vx(i), vy(i)), solved stably: an
 * orthogonal factorisation with column pivoting of the matrix of powers,
 * each column scaled to unit length (not the normal equations, which lose
 * the fit for abscissas away from 0). The coefficients agree with
 * numpy.polyfit (in reverse order) to rounding on fits it finds well posed.
 * Fewer than d + 1 distinct abscissas (the fit is then not determined), a
 * power that overflows or underflows, or a factorisation that fails record
 * status -2 "Problem in polynom fitting function"; the coefficients are
 * then NaN. Powers so nearly parallel that the triangular factor's
 * condition exceeds 1 / (m eps) (eps = 2.220446049250313e-16) leave the
 * coefficients undetermined: those of least norm are returned (they fit the
 * data as well as any, as numpy.polyfit's do when it warns), with status
 * -1 "Polynom fitting ill-conditioned: coefficients of least norm". NaN or
 * infinite data give NaN coefficients and record nothing.
 * From Python, tables of different lengths are refused with ValueError and a
 * negative degree with _vexlan.error, before the call. A C caller gets the
 * same status for them: zero coefficients for unequal lengths, none written
 * for a negative degree.
 *   res (out) d + 1 coefficients by rising power
 *   vx  (in)  m abscissas
 *   m   (in)  number of points
 *   vy  (in)  my ordinates
 *   my  (in)  number of ordinates, equal to m
 *   d   (in)  degree, 0 or more */
void polynomialfitting(double* res, const double* vx, const int32_t* m, const double* vy,
                       const int32_t* my, const int32_t* d);

/* nearestinterpolation, linearinterpolation: the table (x, y) at the points
 * p, by the routine's rule.
 * - nearestinterpolation: the value at the nearest abscissa (the end values
 *   beyond the table, the larger abscissa's value half way between two); the
 *   abscissas must be sorted, rising or falling. Their order is not checked:
 *   unsorted abscissas give a wrong neighbour without a message.
 * - linearinterpolation: the straight line between neighbours, continued
 *   through the first or last two points beyond the table, silently; the
 *   abscissas must increase strictly, and abscissas that do not print a
 *   message and end the process, from Python too.
 *
 * From Python, vectors x and y of different lengths, an empty table
 * (nearest) and a table of one point (linear) are refused with ValueError
 * before the call. A C caller gets a printed message and the end of the
 * process for them.
 *   res (out) k values, one per point
 *   x   (in)  n abscissas
 *   n   (in)  number of table points: 1 or more (nearest), 2 or more (linear)
 *   y   (in)  ny ordinates
 *   ny  (in)  number of ordinates, equal to n
 *   p   (in)  k evaluation points
 *   k   (in)  number of points, 0 allowed */
void nearestinterpolation(double* res, const double* x, const int32_t* n, const double* y,
                          const int32_t* ny, const double* p, const int32_t* k);
void linearinterpolation(double* res, const double* x, const int32_t* n, const double* y,
                         const int32_t* ny, const double* p, const int32_t* k);

/* cubichermitianinterpolation: the table (x, y) at the points p by the
 * monotone piecewise cubic Hermite interpolant: its derivatives keep the
 * monotonicity of the data, so there is no overshoot between table points.
 * Points beyond the table are evaluated on the cubic of the nearest end
 * interval, silently. Fewer than two points, abscissas not strictly
 * increasing or no evaluation point (an empty p) go to the cubic Hermite
 * error package, which prints them and ends the process, from Python too.
 * From Python, vectors x and y of different lengths are refused with
 * ValueError before the call; a C caller's process ends for them as well.
 *   res (out) k values, one per point
 *   x   (in)  n strictly increasing abscissas
 *   n   (in)  number of table points, 2 or more
 *   y   (in)  ny ordinates
 *   ny  (in)  number of ordinates, equal to n
 *   p   (in)  k evaluation points
 *   k   (in)  number of points, 1 or more */
void cubichermitianinterpolation(double* res, const double* x, const int32_t* n, const double* y,
                                 const int32_t* ny, const double* p, const int32_t* k);

/* cubichermitianintegration: integral from a to b of the monotone piecewise
 * cubic Hermite interpolant of the table; limits beyond the table integrate
 * the extended end cubics; b < a gives the negative. Bad tables end the
 * process as for cubichermitianinterpolation, and vectors of different
 * lengths are refused from Python with ValueError.
 *   x      (in)  n strictly increasing abscissas
 *   n      (in)  number of table points, 2 or more
 *   y      (in)  ny ordinates
 *   ny     (in)  number of ordinates, equal to n
 *   a, b   (in)  limits of integration
 *   result (ret) the integral */
double cubichermitianintegration(const double* x, const int32_t* n, const double* y,
                                 const int32_t* ny, const double* a, const double* b);

/* cubichermitianarclength: estimate of the length of the curve y(x) from a
 * to b: the integral of the monotone cubic Hermite interpolant of
 * sqrt(1 + d(i)^2), d(i) the interpolant's slopes at the table points. Bad
 * tables end the process as for cubichermitianinterpolation, and vectors of
 * different lengths are refused from Python with ValueError.
 *   x      (in)  n strictly increasing abscissas
 *   n      (in)  number of table points, 2 or more
 *   y      (in)  ny ordinates
 *   ny     (in)  number of ordinates, equal to n
 *   a, b   (in)  limits along x
 *   result (ret) the arc-length estimate */
double cubichermitianarclength(const double* x, const int32_t* n, const double* y,
                               const int32_t* ny, const double* a, const double* b);

/* trapezoidintegration: trapezoid rule over the table in the order given; a
 * falling x gives the negative integral, fewer than two points give 0.
 * From Python, vectors of different lengths are refused with ValueError; a
 * C caller gets NaN for them.
 *   x      (in)  n abscissas
 *   n      (in)  number of table points
 *   y      (in)  ny ordinates
 *   ny     (in)  number of ordinates, equal to n
 *   result (ret) the integral */
double trapezoidintegration(const double* x, const int32_t* n, const double* y, const int32_t* ny);

/* Gradient: forward-difference Jacobian jac(i, j) = dy(i, j) / dx(j), column
 * j of dy holding the changes of the a outputs when input j changes by
 * dx(j). A zero step gives an infinity or NaN; nothing is recorded.
 *   jac (out) a x b Jacobian
 *   dy  (in)  a x b output changes
 *   dx  (in)  b input steps
 *   a   (in)  number of outputs (rows)
 *   b   (in)  number of inputs (columns) */
void Gradient(double* jac, const double* dy, const double* dx, const int32_t* a, const int32_t* b);

/* ComplexStepDerivative: derivative(i) = Im(y(i)) / Im(x(i)), the
 * complex-step derivative of a function the caller evaluated at x(i) with a
 * small imaginary step; the real parts are not used.
 *   derivative (out) n derivatives
 *   y          (in)  n complex function values
 *   x          (in)  n complex points of evaluation
 *   n          (in)  number of values */
void ComplexStepDerivative(double* derivative, const vx_complex* y, const vx_complex* x,
                           const int32_t* n);

/* CentralStepDerivative: derivative of a table by difference quotients:
 * (y(i+1) - y(i-1)) / (x(i+1) - x(i-1)) inside, the one-sided quotient of
 * the first and last two points at the ends. One point gives NaN.
 *   derivative (out) n derivatives
 *   y          (in)  n ordinates
 *   x          (in)  n abscissas
 *   n          (in)  number of table points, 2 or more */
void CentralStepDerivative(double* derivative, const double* y, const double* x, const int32_t* n);

/* ShoelaceMethod: area enclosed by the polygon through (x(i), y(i)), closed
 * from the last vertex to the first, positive for either vertex order; fewer
 * than three vertices give 0. The shoelace sum runs over the vertices taken
 * relative to the first one, so the area is accurate wherever the polygon
 * lies (a unit square at (1e8, 1e8) has area 1).
 *   x, y   (in)  n vertex coordinates each
 *   n      (in)  number of vertices
 *   result (ret) the area */
double ShoelaceMethod(const double* x, const double* y, const int32_t* n);

/* PascalTriangle: the binomial coefficient C(n, k), generalised to a negative
 * n (C(-1, 2) = 1); 0 when 0 <= n < k, 1 when k < 1.
 *   n      (in)  upper index
 *   k      (in)  lower index
 *   result (ret) the coefficient, as a real */
double PascalTriangle(const int32_t* n, const int32_t* k);

#ifdef __cplusplus
}
#endif
#endif
