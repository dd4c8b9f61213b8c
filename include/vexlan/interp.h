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

/* r8vec_sorted_nearest_: position of the element of a sorted vector nearest
 * to value; half way between two elements the larger one wins.
 *   n      (in)  length of a
 *   a      (in)  n values sorted ascending or descending
 *   value  (in)  value to look up
 *   result (ret) 1-based position; -1 when n < 1 */
int32_t r8vec_sorted_nearest_(const int32_t* n, const double* a, const double* value);

/* r8vec_bracket_: the interval x(left) .. x(right), right = left + 1, of an
 * ascending vector to use for xval: the first interval whose right end
 * exceeds xval, the end intervals beyond the data.
 *   n     (in)  length of x, 2 or more
 *   x     (in)  n ascending values
 *   xval  (in)  value to bracket
 *   left  (out) 1-based left end
 *   right (out) left + 1 */
void r8vec_bracket_(const int32_t* n, const double* x, const double* xval, int32_t* left,
                    int32_t* right);

/* r8vec_ascends_strictly_: whether x(i) < x(i + 1) for every i (a NaN does
 * not count as out of order).
 *   n      (in)  length of x
 *   x      (in)  n values
 *   result (ret) 4-byte logical: 1 true, 0 false */
int32_t r8vec_ascends_strictly_(const int32_t* n, const double* x);

/* interp_linear_: piecewise linear interpolation of m-component data at
 * interp_num points, continued along the end intervals beyond the data.
 * Abscissas not strictly increasing, or fewer than two data points, end the
 * process with a message.
 *   m          (in)  components per data point
 *   data_num   (in)  number of data points, 2 or more
 *   t_data     (in)  data_num strictly increasing abscissas
 *   p_data     (in)  m x data_num data values
 *   interp_num (in)  number of evaluation points
 *   t_interp   (in)  interp_num evaluation points
 *   p_interp   (out) m x interp_num interpolated values */
void interp_linear_(const int32_t* m, const int32_t* data_num, const double* t_data,
                    const double* p_data, const int32_t* interp_num, const double* t_interp,
                    double* p_interp);

/* interp_nearest_: value of the data point nearest to each evaluation point
 * (half way: the larger abscissa). No data point ends the process with a
 * message.
 *   m          (in)  components per data point
 *   data_num   (in)  number of data points, 1 or more
 *   t_data     (in)  data_num abscissas sorted either way
 *   p_data     (in)  m x data_num data values
 *   interp_num (in)  number of evaluation points
 *   t_interp   (in)  interp_num evaluation points
 *   p_interp   (out) m x interp_num values */
void interp_nearest_(const int32_t* m, const int32_t* data_num, const double* t_data,
                     const double* p_data, const int32_t* interp_num, const double* t_interp,
                     double* p_interp);

/* lagrange_value_: the Lagrange basis polynomials of the data abscissas at
 * the evaluation points; equal abscissas divide by zero.
 *   data_num   (in)  number of data points
 *   t_data     (in)  data_num distinct abscissas
 *   interp_num (in)  number of evaluation points
 *   t_interp   (in)  interp_num evaluation points
 *   l_interp   (out) data_num x interp_num basis values */
void lagrange_value_(const int32_t* data_num, const double* t_data, const int32_t* interp_num,
                     const double* t_interp, double* l_interp);

/* interp_lagrange_: polynomial interpolation through all data points,
 * p_interp = p_data l_interp with the basis of lagrange_value_.
 *   m          (in)  components per data point
 *   data_num   (in)  number of data points
 *   t_data     (in)  data_num distinct abscissas
 *   p_data     (in)  m x data_num data values
 *   interp_num (in)  number of evaluation points
 *   t_interp   (in)  interp_num evaluation points
 *   p_interp   (out) m x interp_num interpolated values */
void interp_lagrange_(const int32_t* m, const int32_t* data_num, const double* t_data,
                      const double* p_data, const int32_t* interp_num, const double* t_interp,
                      double* p_interp);

/* cc_abscissas_, f1_abscissas_, f2_abscissas_, ncc_abscissas_,
 * nco_abscissas_: abscissas of the Clenshaw-Curtis, Fejer type 1, Fejer
 * type 2, closed and open Newton-Cotes rules of order n on [-1, 1],
 * ascending. n below 1 ends the process with a message.
 *   n (in)  order of the rule, 1 or more
 *   x (out) n abscissas */
void cc_abscissas_(const int32_t* n, double* x);
void f1_abscissas_(const int32_t* n, double* x);
void f2_abscissas_(const int32_t* n, double* x);
void ncc_abscissas_(const int32_t* n, double* x);
void nco_abscissas_(const int32_t* n, double* x);

/* cc_abscissas_ab_, f1_abscissas_ab_, f2_abscissas_ab_, ncc_abscissas_ab_,
 * nco_abscissas_ab_: the same rules mapped onto [a, b]. n below 1 ends the
 * process with a message.
 *   a, b (in)  ends of the interval
 *   n    (in)  order of the rule, 1 or more
 *   x    (out) n abscissas */
void cc_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void f1_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void f2_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void ncc_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);
void nco_abscissas_ab_(const double* a, const double* b, const int32_t* n, double* x);

/* parameterize_arc_length_, parameterize_index_: parameter values of a
 * sequence of points: the cumulative length of the polygon through them
 * (from 0), or simply 0, 1, 2, ... Nothing is written when data_num < 1.
 *   m        (in)  components per point
 *   data_num (in)  number of points
 *   p_data   (in)  m x data_num points (not read for the index)
 *   t_data   (out) data_num parameter values */
void parameterize_arc_length_(const int32_t* m, const int32_t* data_num, const double* p_data,
                              double* t_data);
void parameterize_index_(const int32_t* m, const int32_t* data_num, const double* p_data,
                         double* t_data);

/* r8vec_expand_linear_: fat values inserted by linear interpolation into
 * every interval of x. A negative fat ends the process with a message.
 *   n    (in)  length of x; below 1 writes nothing
 *   x    (in)  n values
 *   fat  (in)  values inserted per interval, 0 or more
 *   xfat (out) (n - 1)(fat + 1) + 1 values */
void r8vec_expand_linear_(const int32_t* n, const double* x, const int32_t* fat, double* xfat);

/* r8vec_expand_linear2_: as r8vec_expand_linear_, with before and after
 * values extrapolated linearly at the two ends. n below 1, a negative count,
 * or n below 2 with values outside the data end the process with a message.
 *   n      (in)  length of x
 *   x      (in)  n values
 *   before (in)  values added before x(1), 0 or more
 *   fat    (in)  values inserted per interval, 0 or more
 *   after  (in)  values added after x(n), 0 or more
 *   xfat   (out) before + (n - 1)(fat + 1) + 1 + after values */
void r8vec_expand_linear2_(const int32_t* n, const double* x, const int32_t* before,
                           const int32_t* fat, const int32_t* after, double* xfat);

/* r8mat_expand_linear2_: bilinear resampling of a table onto a finer (or
 * coarser) regular grid with the same corners. m or n below 2 ends the
 * process with a message.
 *   m, n   (in)  extents of a, 2 or more
 *   a      (in)  m x n table
 *   m2, n2 (in)  extents of a2
 *   a2     (out) m2 x n2 resampled table */
void r8mat_expand_linear2_(const int32_t* m, const int32_t* n, const double* a, const int32_t* m2,
                           const int32_t* n2, double* a2);

/* interp_timestamp_: prints one line with the local date and time to
 * standard output. */
void interp_timestamp_(void);

#ifdef __cplusplus
}
#endif
#endif
