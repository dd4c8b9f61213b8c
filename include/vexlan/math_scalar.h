/* Scalar functions and small statistics (component math). */
#ifndef VEXLAN_MATH_SCALAR_H
#define VEXLAN_MATH_SCALAR_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

void getpercentile(const double* array, const int32_t* ndim, const double* percentile,
                   double* event, const int32_t* classsize);
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
