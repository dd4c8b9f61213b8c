/* Interpolation library: searches in sorted vectors, nearest, linear and
 * Lagrange interpolation of data points, quadrature abscissas,
 * parameterisation, expansion by linear interpolation, time stamp.
 *
 * Every argument by address; integers int32_t, reals double, logical
 * results 4-byte integers (1 true, 0 false). Arrays are column-major:
 * data points t_data(data_num) with values p_data(m, data_num), evaluation
 * points t_interp(interp_num) with results p_interp(m, interp_num).
 * A bad argument prints three lines to standard output (a blank line, the
 * routine's name with "- Fatal error!", the cause) and ends the process with
 * exit status 1; there are no status arguments.
 */
#ifndef VEXLAN_INTERP_H
#define VEXLAN_INTERP_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Index (1-based) of the element of the sorted (ascending or descending)
 * vector a nearest to value; -1 when n < 1. Half-way goes to the larger. */
int32_t r8vec_sorted_nearest_(const int32_t* n, const double* a, const double* value);
/* Interval x(left) .. x(right = left + 1) to use for xval in ascending x. */
void r8vec_bracket_(const int32_t* n, const double* x, const double* xval, int32_t* left,
                    int32_t* right);
/* 1 when x(i) < x(i + 1) for all i (a NaN does not count as out of order). */
int32_t r8vec_ascends_strictly_(const int32_t* n, const double* x);

/* Piecewise linear interpolation (extrapolation along the end intervals);
 * t_data strictly increasing, data_num >= 2. */
void interp_linear_(const int32_t* m, const int32_t* data_num, const double* t_data,
                    const double* p_data, const int32_t* interp_num, const double* t_interp,
                    double* p_interp);
/* Value of the nearest data point; t_data sorted, data_num >= 1. */
void interp_nearest_(const int32_t* m, const int32_t* data_num, const double* t_data,
                     const double* p_data, const int32_t* interp_num, const double* t_interp,
                     double* p_interp);

/* Lagrange basis polynomials l_interp(data_num, interp_num). */
void lagrange_value_(const int32_t* data_num, const double* t_data, const int32_t* interp_num,
                     const double* t_interp, double* l_interp);
/* Lagrange interpolation p_interp = p_data * l_interp. */
void interp_lagrange_(const int32_t* m, const int32_t* data_num, const double* t_data,
                      const double* p_data, const int32_t* interp_num, const double* t_interp,
                      double* p_interp);

/* Abscissas of Clenshaw-Curtis, Fejer type 1 and 2, closed and open
 * Newton-Cotes rules on [-1, 1] and on [a, b]; n >= 1. */
void cc_abscissas_(const int32_t* n, double* x);
void f1_abscissas_(const int32_t* n, double* x);
void f2_abscissas_(const int32_t* n, double* x);
void ncc_abscissas_(const int32_t* n, double* x);
void nco_abscissas_(const int32_t* n, double* x);
void cc_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void f1_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void f2_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void ncc_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void nco_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);

/* Parameter values: cumulative polygon length, or 0, 1, 2, ...
 * (nothing is written when data_num < 1). */
void parameterize_arc_length_(const int32_t* m, const int32_t* data_num, const double* p_data,
                              double* t_data);
void parameterize_index_(const int32_t* m, const int32_t* data_num, const double* p_data,
                         double* t_data);

/* Insert fat values by linear interpolation into every interval:
 * xfat((n - 1) * (fat + 1) + 1); n >= 1, fat >= 0. */
void r8vec_expand_linear_(const int32_t* n, const double* x, const int32_t* fat, double* xfat);
/* The same with before / after values extrapolated at the ends:
 * xfat(before + (n - 1) * (fat + 1) + 1 + after); n >= 2 when before or
 * after is positive. */
void r8vec_expand_linear2_(const int32_t* n, const double* x, const int32_t* before,
                           const int32_t* fat, const int32_t* after, double* xfat);
/* Bilinear resampling of a(m, n) onto a2(m2, n2); m >= 2, n >= 2. */
void r8mat_expand_linear2_(const int32_t* m, const int32_t* n, const double* a, const int32_t* m2,
                           const int32_t* n2, double* a2);

/* One line with the local date and time. */
void interp_timestamp_(void);

#ifdef __cplusplus
}
#endif
#endif
