/* Scalar functions and small statistics (component math). */
#ifndef VEXLAN_MATH_SCALAR_H
#define VEXLAN_MATH_SCALAR_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* getpercentile: the event value at which a percentile of the entries is
 * reached, read from a histogram of classes of width classsize: class k holds
 * the values above (k - 1) classsize up to k classsize. The result is the
 * first value, (k - 1) classsize + 1, of the first class whose cumulative
 * share reaches percentile / 100. Entries equal to the largest real (empty
 * slots) take no part. One entry gives that entry; no entry, or no class
 * that reaches the percentile, gives 1 - classsize. Nothing is recorded.
 *   array      (in)  ndim event values (integer-like, from 1)
 *   ndim       (in)  number of entries
 *   percentile (in)  percentile in per cent
 *   event      (out) first value of the class that holds the percentile
 *   classsize  (in)  class width, 1 or more */
void getpercentile(const double* array, const int32_t* ndim, const double* percentile,
                   double* event, const int32_t* classsize);

/* RootMeanSquareError: sqrt(sum (x(i) - y(i))^2 / n). n = 0 gives NaN.
 *   x, y   (in)  n values each
 *   n      (in)  number of values
 *   result (ret) the root-mean-square difference */
double RootMeanSquareError(const double* x, const double* y, const int32_t* n);

/* MeanAbsoluteError: sum |x(i) - y(i)| / n. n = 0 gives NaN.
 *   x, y   (in)  n values each
 *   n      (in)  number of values
 *   result (ret) the mean absolute difference */
double MeanAbsoluteError(const double* x, const double* y, const int32_t* n);

/* dacoth, datanh, dacosh, dasinh: inverse hyperbolic cotangent, tangent,
 * cosine and sine, accurate to rounding over the whole range (no
 * cancellation near 0, no overflow for large arguments). There is no range
 * check: an argument outside the domain gives NaN, and +-1 (atanh, acoth) an
 * infinity.
 *   x      (in)  argument
 *   result (ret) the function value */
double dacoth(const double* x);
double datanh(const double* x);
double dacosh(const double* x);
double dasinh(const double* x);

/* fishertransformation: the Fisher transformation z = atanh(x) of a
 * correlation coefficient, or its inverse tanh(x), both accurate to
 * rounding (also for coefficients near 0).
 *   x      (in)  correlation coefficient, or z for the inverse
 *   iflag  (in, optional) -1 (default): atanh(x); any other value: tanh(x)
 *   result (ret) the transformed value */
double fishertransformation(const double* x, const int32_t* iflag);

/* droundsf: a cut to sig decimal places toward zero, trunc(a 10^sig) / 10^sig
 * (it neither rounds to nearest nor counts significant figures:
 * droundsf(0.999, 2) = 0.99). Products of 2^52 or more stay as they are.
 *   a      (in)  value
 *   sig    (in, optional) decimal places, default 8
 *   result (ret) the cut value */
double droundsf(const double* a, const int32_t* sig);

/* dceil: trunc(a) + 1, the integer part cut toward zero plus one; unlike a
 * ceiling, dceil(2) = 3 and dceil(-1.5) = 0.
 *   a      (in)  value
 *   result (ret) trunc(a) + 1 */
double dceil(const double* a);

#ifdef __cplusplus
}
#endif
#endif
