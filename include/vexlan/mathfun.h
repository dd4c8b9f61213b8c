/* Signal shaping, point-in-shape tests, scalar functions and small statistics. */
#ifndef VEXLAN_MATHFUN_H
#define VEXLAN_MATHFUN_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- signal shaping, averaging and limits (component signalprocessing) ---- */

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

/* ---- point-in-shape tests (component imageprocessing) ---- */

void GetPointOnXYPlane(double* xycoord, const double* point, const double* origin,
                       const double* xyplane, const double* theta);
double Polygon(const double* px, const double* py, const double* xx, const double* yy,
               const int32_t* n);
vx_l1 ProjectedPointInPolygon(const double* point, const double* xypairs, const double* theta,
                              const double* refcoords, const double* refcos,
                              const int32_t* npoints);
double Ellipse(const double* x, const double* y, const double* a, const double* b,
               const double* xyorigin);
double Rectangle(const double* x, const double* y, const double* a, const double* b,
                 const double* xyorigin);
vx_l1 ProjectedPointInShape(const double* point, const double* a, const double* b,
                            const double* theta, const double* refcoords, const double* refcos,
                            const int32_t* shapeid);
double Line(const double* x, const double* y, const double* a, const double* b,
            const double* proximity);

/* ---- scalar functions and statistics (component math) ---- */

void getpercentile(const double* array, const int32_t* ndim, const double* percentile,
                   int32_t* event, const int32_t* classsize);
double RootMeanSquareError(const double* x, const double* y, const int32_t* n);
double MeanAbsoluteError(const double* x, const double* y, const int32_t* n);
double dacoth(const double* x);
double datanh(const double* x);
double dacosh(const double* x);
double dasinh(const double* x);
double fishertransformation(const double* x, const int32_t* iflag);
double droundsf(const double* a, const int32_t* sig);
double dceil(const double* a);

#ifdef __cplusplus
}
#endif
#endif
