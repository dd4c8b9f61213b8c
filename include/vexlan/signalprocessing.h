/* Signal shaping, averaging and limits (component signalprocessing). */
#ifndef VEXLAN_SIGNALPROCESSING_H
#define VEXLAN_SIGNALPROCESSING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetPeaks: peaks and valleys of a signal, found with a hysteresis of
 * |delta|: a maximum counts once the signal has fallen more than |delta| below
 * it, a minimum once it has risen more than |delta| above it. A peak still
 * open at the end of the signal is not reported. Rows beyond the counts hold
 * 2.2250738585072014e-308.
 *   maxtab    (out) n x 2 maxima: column 1 position, column 2 value
 *   mintab    (out) n x 2 minima, the same way
 *   nmaxpeaks (out) number of maxima found
 *   nminpeaks (out) number of minima found
 *   v         (in)  n signal values
 *   delta     (in)  hysteresis; its sign is ignored
 *   n         (in)  number of values
 *   x         (in, optional) n positions; absent or all zero: 1..n */
void GetPeaks(double* maxtab, double* mintab, int32_t* nmaxpeaks, int32_t* nminpeaks,
              const double* v, const double* delta, const int32_t* n, const double* x);

/* WeightedMovingAverage: adds rval to a moving window of wb values and gives
 * the weighted average of the values in it. While the window is not full
 * rval is appended; then the window shifts, dropping its oldest value. The
 * weighted sum is divided by the number of values, not by the sum of the
 * weights; weight k belongs to the k-th oldest value.
 *   sma   (out)    weighted sum / denom after adding rval
 *   rval  (in)     new value
 *   a     (in/out) wb values of the window, oldest first
 *   denom (in/out) values in the window, 0..wb on entry
 *   wb    (in)     window length
 *   wi    (in, optional) wb weights; absent or summing to 0: all 1 */
void WeightedMovingAverage(double* sma, const double* rval, double* a, int32_t* denom,
                           const int32_t* wb, const double* wi);

/* CumulativeMovingAverage: the running mean after one more value,
 * (cma n + x) / (n + 1).
 *   cma (in/out) mean of the n values so far; the new mean on return
 *   x   (in)     new value
 *   n   (in)     number of values averaged so far */
void CumulativeMovingAverage(double* cma, const double* x, const int32_t* n);

/* GeneralSigmoidal: the tunable sigmoid (x - x k) / (k - 2 k |x| + 1),
 * through (0, 0) and mapping [-1, 1] onto itself for -1 < k < 1.
 *   x      (in)  argument, usually in [-1, 1]
 *   k      (in)  shape: negative steepens, positive flattens the middle
 *   result (ret) the function value */
double GeneralSigmoidal(const double* x, const double* k);

/* generallogistic: generalised logistic curve
 * a + (k - a) / (c + q exp(-b x))^(1/v).
 *   x      (in)  argument
 *   a      (in)  lower asymptote
 *   k      (in)  upper asymptote (for c = 1)
 *   b      (in)  growth rate
 *   q      (in)  factor of the exponential, sets the value at x = 0
 *   v      (in)  shape exponent, nonzero
 *   c      (in, optional) constant of the denominator, default 1
 *   result (ret) the curve value */
double generallogistic(const double* x, const double* a, const double* k, const double* b,
                       const double* q, const double* v, const double* c);

/* logistic: logistic curve l / (1 + exp(-k (x - x0))).
 *   x      (in)  argument
 *   k      (in)  steepness
 *   x0     (in)  midpoint
 *   l      (in, optional) maximum, default 1
 *   result (ret) the curve value */
double logistic(const double* x, const double* k, const double* x0, const double* l);

/* GeneralizedMean: weighted power mean (sum w(i) x(i)^p)^(1/p); p = 0 gives
 * the weighted geometric mean, p equal to the largest real the largest value
 * and p equal to its negative the smallest value. n below 1 gives 0 for a
 * finite p (from Python, a negative n is a ValueError).
 *   x      (in)  n values
 *   p      (in)  exponent
 *   n      (in)  number of values
 *   wi     (in, optional) n weights; absent: 1/n each
 *   result (ret) the mean */
double GeneralizedMean(const double* x, const double* p, const int32_t* n, const double* wi);

/* LogarithmicBarrier: the barrier -log(b - x), with b - x held at machine
 * precision or more so that the value never exceeds 36.04365338911715.
 *   x      (in)  argument
 *   b      (in)  barrier position
 *   result (ret) the barrier value */
double LogarithmicBarrier(const double* x, const double* b);

/* fLimit, iLimit: x clamped to [xlow, xup], real (fLimit) or integer
 * (iLimit): xup when x > xup, otherwise max(x, xlow). So when xlow > xup an
 * x above xup gives xup and any other x gives xlow. A real NaN passes through
 * unchanged.
 *   x      (in)  value
 *   xlow   (in)  lower bound
 *   xup    (in)  upper bound
 *   result (ret) the clamped value */
double fLimit(const double* x, const double* xlow, const double* xup);
int32_t iLimit(const int32_t* x, const int32_t* xlow, const int32_t* xup);

/* GeneralSmoothStep: the smooth step of order n on [0, 1] (order 0 t, order 1
 * 3t^2 - 2t^3, order 2 6t^5 - 15t^4 + 10t^3, ...) at t = x clamped to
 * [0, 1]; a negative order gives 0.
 *   x      (in)  argument
 *   n      (in)  order of the step
 *   result (ret) the step value in [0, 1] */
double GeneralSmoothStep(const double* x, const int32_t* n);

/* mLimit: x wrapped cyclically onto 1..xmod (xmod in place of a remainder
 * 0): mLimit(0, 12) = 12, mLimit(13, 12) = 1, mLimit(-1, 12) = 11. The
 * remainder takes the sign of xmod; xmod = 0 gives 0.
 *   x      (in)  value
 *   xmod   (in)  cycle length
 *   result (ret) the wrapped value */
int32_t mLimit(const int32_t* x, const int32_t* xmod);

#ifdef __cplusplus
}
#endif
#endif
