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

/* Least-squares polynomial of degree d; res(d + 1) by rising power. */
void polynomialfitting(double* res, const double* vx, const int32_t* m, const double* vy,
                       const int32_t* my, const int32_t* d);
/* res(k): the table evaluated at p. */
void nearestinterpolation(double* res, const double* x, const int32_t* n, const double* y,
                          const int32_t* ny, const double* p, const int32_t* k);
void linearinterpolation(double* res, const double* x, const int32_t* n, const double* y,
                         const int32_t* ny, const double* p, const int32_t* k);
void cubichermitianinterpolation(double* res, const double* x, const int32_t* n, const double* y,
                                 const int32_t* ny, const double* p, const int32_t* k);
/* Integral and arc-length estimate from a to b of the monotone cubic
 * Hermite interpolant. */
double cubichermitianintegration(const double* x, const int32_t* n, const double* y,
                                 const int32_t* ny, const double* a, const double* b);
double cubichermitianarclength(const double* x, const int32_t* n, const double* y,
                               const int32_t* ny, const double* a, const double* b);
double trapezoidintegration(const double* x, const int32_t* n, const double* y, const int32_t* ny);
/* jac(a, b) = dy(i, j) / dx(j). */
void Gradient(double* jac, const double* dy, const double* dx, const int32_t* a, const int32_t* b);
void ComplexStepDerivative(double* derivative, const vx_complex* y, const vx_complex* x,
                           const int32_t* n);
void CentralStepDerivative(double* derivative, const double* y, const double* x, const int32_t* n);
double ShoelaceMethod(const double* x, const double* y, const int32_t* n);
double PascalTriangle(const int32_t* n, const int32_t* k);

#ifdef __cplusplus
}
#endif
#endif
