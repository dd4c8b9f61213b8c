/* Signal shaping, averaging and limits (component signalprocessing). */
#ifndef VEXLAN_SIGNALPROCESSING_H
#define VEXLAN_SIGNALPROCESSING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Peaks and valleys of v(n) with hysteresis |delta|; tables maxtab(n,2),
 * mintab(n,2) hold (position, value) rows, unused entries 2.2250738585072014e-308.
 * x(n) gives the positions (NULL or all zero: 1..n). */
void GetPeaks(double* maxtab, double* mintab, int32_t* nmaxpeaks, int32_t* nminpeaks,
              const double* v, const double* delta, const int32_t* n, const double* x);
/* Adds rval to the window a(wb) holding denom values; sma = weighted sum / denom. */
void WeightedMovingAverage(double* sma, const double* rval, double* a, int32_t* denom,
                           const int32_t* wb, const double* wi);
void CumulativeMovingAverage(double* cma, const double* x, const int32_t* n);
double GeneralSigmoidal(const double* x, const double* k);
double generallogistic(const double* x, const double* a, const double* k, const double* b,
                       const double* q, const double* v, const double* c);
double logistic(const double* x, const double* k, const double* x0, const double* l);
double GeneralizedMean(const double* x, const double* p, const int32_t* n, const double* wi);
double LogarithmicBarrier(const double* x, const double* b);
double fLimit(const double* x, const double* xlow, const double* xup);
double GeneralSmoothStep(const double* x, const int32_t* n);
int32_t iLimit(const int32_t* x, const int32_t* xlow, const int32_t* xup);
int32_t mLimit(const int32_t* x, const int32_t* xmod);

#ifdef __cplusplus
}
#endif
#endif
