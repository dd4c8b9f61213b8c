/* Monotone piecewise cubic Hermite library, its error-message package and
 * self-checks (symbols end in an underscore; none is reached from Python).
 *
 * A piecewise cubic Hermite function is given by strictly increasing
 * abscissas x(n), values f and derivatives d at them; on each interval the
 * cubic matching both end values and end derivatives is used. Every argument
 * is passed by reference; a logical is a 4-byte integer (nonzero true); text
 * arguments are followed, after all explicit arguments, by their lengths as
 * size_t in argument order. Value and derivative arrays are column-major
 * (incfd, n): the value at x(i) is f(1, i). Each routine comes in double
 * precision (d prefix, 64-bit reals) and single precision (32-bit reals,
 * computed in 32 bits). Status ierr: 0 normal, negative an error (outputs not
 * set), positive a count or flag that is no error. Errors go to the
 * library's own error package (xermsg_), not to the error record; under its
 * initial control flag each error prints a message block to standard output
 * and ends the process, so a negative ierr reaches only a caller that has
 * lowered the flag (xsetf_). */
#ifndef VEXLAN_PCHIP_H
#define VEXLAN_PCHIP_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ==== Derivatives from the data ============================================ */

/* dpchez_, pchez_: the easy way to derivatives: monotone ones (as dpchim_) or,
 * with spline, those of the cubic spline with not-a-knot ends (as dpchsp_),
 * values and derivatives with stride 1.
 *   n      (in)  number of data points, 2 or more
 *   x      (in)  n strictly increasing abscissas
 *   f      (in)  n values
 *   d      (out) n derivatives
 *   spline (in)  logical: nonzero cubic spline; 0 monotone derivatives
 *   wk     (in/out) lwk work values, used by the spline only
 *   lwk    (in)  length of wk, 2n or more for the spline
 *   ierr   (out) as from dpchim_ or dpchsp_ */
void dpchez_(const int32_t* n, const double* x, const double* f, double* d, const int32_t* spline, double* wk, const int32_t* lwk, int32_t* ierr);
void pchez_(const int32_t* n, const float* x, const float* f, float* d, const int32_t* spline, float* wk, const int32_t* lwk, int32_t* ierr);

/* dpchim_, pchim_: monotone derivatives: the interpolant is monotone on every
 * interval where the data are, and the derivative is 0 where the data have a
 * local extremum or a flat neighbour. Interior derivatives are weighted
 * harmonic means of the neighbouring slopes; the end ones come from a
 * three-point formula, limited to keep the shape.
 *   n     (in)  number of data points, 2 or more
 *   x     (in)  n strictly increasing abscissas
 *   f     (in)  incfd x n values
 *   d     (out) incfd x n derivatives
 *   incfd (in)  stride of f and d, 1 or more
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; positive: the number of changes of
 *                 direction of monotonicity in the data */
void dpchim_(const int32_t* n, const double* x, const double* f, double* d, const int32_t* incfd, int32_t* ierr);
void pchim_(const int32_t* n, const float* x, const float* f, float* d, const int32_t* incfd, int32_t* ierr);

/* dpchsp_, pchsp_: derivatives of the cubic spline (continuous second
 * derivative) with the chosen end conditions, by a tridiagonal solve.
 *   ic    (in)  2 end conditions (beginning, end): 0 not-a-knot, 1 first
 *               derivative vc, 2 second derivative vc, 3 or 4 the
 *               derivative of the cubic (quadratic) through 4 (3) end points;
 *               a value above n counts as 0
 *   vc    (in)  2 end values for conditions 1 and 2
 *   n     (in)  number of data points, 2 or more
 *   x     (in)  n strictly increasing abscissas
 *   f     (in)  incfd x n values
 *   d     (out) incfd x n derivatives
 *   incfd (in)  stride of f and d, 1 or more
 *   wk    (in/out) 2 x n work values
 *   nwk   (in)  length of wk, 2n or more
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; -4..-6 ic out of range; -7 wk too
 *                 small; -8 singular system; -9 end derivative failed */
void dpchsp_(const int32_t* ic, const double* vc, const int32_t* n, const double* x, const double* f, double* d, const int32_t* incfd, double* wk, const int32_t* nwk, int32_t* ierr);
void pchsp_(const int32_t* ic, const float* vc, const int32_t* n, const float* x, const float* f, float* d, const int32_t* incfd, float* wk, const int32_t* nwk, int32_t* ierr);

/* dpchic_, pchic_: general shape-preserving derivatives: the monotone ones,
 * optionally adjusted where monotonicity switches direction and limited in
 * how far an extremum overshoots, then the chosen end conditions.
 *   ic    (in)  2 end conditions (beginning, end): 0 the monotone default, 1
 *               first derivative vc, 2 second derivative vc, 3 or 4 the
 *               three- or four-point formula, 5 not-a-knot; a negative value
 *               then keeps the end derivative compatible with monotonicity;
 *               a magnitude above n counts as 0
 *   vc    (in)  2 end values for conditions 1 and 2
 *   sw    (in)  0: no adjustment at switches; negative: adjust without
 *               limit; positive: adjust and limit each extremum's excursion to
 *               sw times the local variation of the data
 *   n     (in)  number of data points, 2 or more
 *   x     (in)  n strictly increasing abscissas
 *   f     (in)  incfd x n values
 *   d     (out) incfd x n derivatives
 *   incfd (in)  stride of f and d, 1 or more
 *   wk    (in/out) nwk work values
 *   nwk   (in)  length of wk, 2(n - 1) or more
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; -4..-6 ic out of range; -7 wk too
 *                 small; -8 switch adjustment failed; -9 end conditions
 *                 failed; 1, 2 or 3: the beginning, end or both derivatives
 *                 were changed for monotonicity */
void dpchic_(const int32_t* ic, const double* vc, const double* sw, const int32_t* n, const double* x, const double* f, double* d, const int32_t* incfd, double* wk, const int32_t* nwk, int32_t* ierr);
void pchic_(const int32_t* ic, const float* vc, const float* sw, const int32_t* n, const float* x, const float* f, float* d, const int32_t* incfd, float* wk, const int32_t* nwk, int32_t* ierr);

/* dpchci_, pchci_: interior and default end derivatives of dpchic_, by the
 * formulas of dpchim_ (without counting switches).
 *   n     (in)  number of data points, 3 or more
 *   h     (in)  n - 1 interval widths
 *   slope (in)  n - 1 interval slopes
 *   d     (out) incfd x n derivatives
 *   incfd (in)  stride of d */
void dpchci_(const int32_t* n, const double* h, const double* slope, double* d, const int32_t* incfd);
void pchci_(const int32_t* n, const float* h, const float* slope, float* d, const int32_t* incfd);

/* dpchcs_, pchcs_: adjusts the derivatives next to each point where the data
 * switch direction of monotonicity (see sw of dpchic_).
 *   sw    (in)  negative: adjust without limit; positive: also limit the
 *               excursion of each extremum
 *   n     (in)  number of data points
 *   h     (in)  n - 1 interval widths
 *   slope (in)  n - 1 interval slopes
 *   d     (in/out) incfd x n derivatives
 *   incfd (in)  stride of d
 *   ierr  (out) 0, or the negative status of dpchsw_ */
void dpchcs_(const double* sw, const int32_t* n, const double* h, const double* slope, double* d, const int32_t* incfd, int32_t* ierr);
void pchcs_(const float* sw, const int32_t* n, const float* h, const float* slope, float* d, const int32_t* incfd, int32_t* ierr);

/* dpchce_, pchce_: applies the end conditions of dpchic_ to the first and last
 * derivative (see ic of dpchic_).
 *   ic    (in)  2 end conditions
 *   vc    (in)  2 end values
 *   n     (in)  number of data points
 *   x     (in)  n abscissas
 *   h     (in)  n - 1 interval widths
 *   slope (in)  n - 1 interval slopes
 *   d     (in/out) incfd x n derivatives
 *   incfd (in)  stride of d
 *   ierr  (out) 0; 1, 2 or 3 beginning, end or both changed for
 *               monotonicity; -1 the three- or four-point formula failed */
void dpchce_(const int32_t* ic, const double* vc, const int32_t* n, const double* x, const double* h, const double* slope, double* d, const int32_t* incfd, int32_t* ierr);
void pchce_(const int32_t* ic, const float* vc, const int32_t* n, const float* x, const float* h, const float* slope, float* d, const int32_t* incfd, int32_t* ierr);

/* dpchsw_, pchsw_: limits the extremum of one interval's cubic to dfmax by
 * scaling its end derivatives.
 *   dfmax  (in)  largest excursion allowed
 *   iextrm (in)  1 excursion measured from the left end value, 2 from the right
 *   d1, d2 (in/out) end derivatives of the interval
 *   h      (in)  interval width
 *   slope  (in)  interval slope
 *   ierr   (out) 0; -1 d1 and/or d2 invalid; -2 negative radical */
void dpchsw_(const double* dfmax, const int32_t* iextrm, double* d1, double* d2, const double* h, const double* slope, int32_t* ierr);
void pchsw_(const float* dfmax, const int32_t* iextrm, float* d1, float* d2, const float* h, const float* slope, int32_t* ierr);

/* dpchst_, pchst_: sign test: 0 when either argument is 0, otherwise the
 * product of their signs.
 *   arg1, arg2 (in)  the two values
 *   result     (ret) -1, 0 or 1 */
double dpchst_(const double* arg1, const double* arg2);
float pchst_(const float* arg1, const float* arg2);

/* dpchdf_, pchdf_: derivative at x(k) of the polynomial through k points,
 * from their k - 1 divided differences.
 *   k      (in)  number of points, 3 or more
 *   x      (in)  k abscissas
 *   s      (in/out) k - 1 first divided differences; overwritten
 *   ierr   (out) 0, or -1 when k < 3 (result 0)
 *   result (ret) the derivative */
double dpchdf_(const int32_t* k, const double* x, double* s, int32_t* ierr);
float pchdf_(const int32_t* k, const float* x, float* s, int32_t* ierr);

/* ==== Evaluation and integration ============================================ */

/* dpchfe_, pchfe_: values of the piecewise cubic Hermite function at ne points,
 * in any order (ascending is the fast case). Points beyond the data are
 * evaluated on the first or last cubic and counted.
 *   n     (in)  number of data points, 2 or more
 *   x     (in)  n strictly increasing abscissas
 *   f     (in)  incfd x n values
 *   d     (in)  incfd x n derivatives
 *   incfd (in)  stride of f and d
 *   skip  (in/out) logical: nonzero skips the data checks; set on return
 *   ne    (in)  number of evaluation points, 1 or more
 *   xe    (in)  ne evaluation points
 *   fe    (out) ne values
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; -4 ne < 1; -5 a cubic could not be
 *                 evaluated; positive: number of points extrapolated */
void dpchfe_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const double* xe, double* fe, int32_t* ierr);
void pchfe_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const float* xe, float* fe, int32_t* ierr);

/* dpchfd_, pchfd_: values and derivatives of the piecewise cubic Hermite
 * function at ne points, as dpchfe_.
 *   n     (in)  number of data points, 2 or more
 *   x     (in)  n strictly increasing abscissas
 *   f     (in)  incfd x n values
 *   d     (in)  incfd x n derivatives
 *   incfd (in)  stride of f and d
 *   skip  (in/out) logical: nonzero skips the data checks; set on return
 *   ne    (in)  number of evaluation points, 1 or more
 *   xe    (in)  ne evaluation points
 *   fe    (out) ne values
 *   de    (out) ne derivatives
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; -4 ne < 1; -5 a cubic could not be
 *                 evaluated; positive: number of points extrapolated */
void dpchfd_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const double* xe, double* fe, double* de, int32_t* ierr);
void pchfd_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const float* xe, float* fe, float* de, int32_t* ierr);

/* dpchev_, pchev_: values and derivatives at nval points for data of stride 1,
 * without data checks (dpchfd_).
 *   n    (in)  number of data points
 *   x    (in)  n strictly increasing abscissas
 *   f    (in)  n values
 *   d    (in)  n derivatives
 *   nval (in)  number of evaluation points
 *   xval (in)  nval evaluation points
 *   fval (out) nval values
 *   dval (out) nval derivatives
 *   ierr (out) as from dpchfd_ */
void dpchev_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* nval, const double* xval, double* fval, double* dval, int32_t* ierr);
void pchev_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* nval, const float* xval, float* fval, float* dval, int32_t* ierr);

/* dchfev_, chfev_: values of one cubic, given by its end values and
 * derivatives on [x1, x2], at ne points; points outside are extrapolated and
 * counted.
 *   x1, x2 (in)  ends of the interval
 *   f1, f2 (in)  values at the ends
 *   d1, d2 (in)  derivatives at the ends
 *   ne     (in)  number of points, 1 or more
 *   xe     (in)  ne points
 *   fe     (out) ne values
 *   next   (out) 2 counts: points left of and right of the interval
 *   ierr   (out) 0; -1 ne < 1; -2 x1 = x2 */
void dchfev_(const double* x1, const double* x2, const double* f1, const double* f2, const double* d1, const double* d2, const int32_t* ne, const double* xe, double* fe, int32_t* next, int32_t* ierr);
void chfev_(const float* x1, const float* x2, const float* f1, const float* f2, const float* d1, const float* d2, const int32_t* ne, const float* xe, float* fe, int32_t* next, int32_t* ierr);

/* dchfdv_, chfdv_: values and derivatives of one cubic at ne points, as
 * dchfev_.
 *   x1, x2 (in)  ends of the interval
 *   f1, f2 (in)  values at the ends
 *   d1, d2 (in)  derivatives at the ends
 *   ne     (in)  number of points, 1 or more
 *   xe     (in)  ne points
 *   fe     (out) ne values
 *   de     (out) ne derivatives
 *   next   (out) 2 counts: points left of and right of the interval
 *   ierr   (out) 0; -1 ne < 1; -2 x1 = x2 */
void dchfdv_(const double* x1, const double* x2, const double* f1, const double* f2, const double* d1, const double* d2, const int32_t* ne, const double* xe, double* fe, double* de, int32_t* next, int32_t* ierr);
void chfdv_(const float* x1, const float* x2, const float* f1, const float* f2, const float* d1, const float* d2, const int32_t* ne, const float* xe, float* fe, float* de, int32_t* next, int32_t* ierr);

/* dpchqa_, pchqa_: integral of the piecewise cubic Hermite function from a to
 * b for data of stride 1, without data checks (dpchia_).
 *   n      (in)  number of data points
 *   x      (in)  n strictly increasing abscissas
 *   f      (in)  n values
 *   d      (in)  n derivatives
 *   a, b   (in)  limits; b < a gives the negative
 *   ierr   (out) as from dpchia_
 *   result (ret) the integral */
double dpchqa_(const int32_t* n, const double* x, const double* f, const double* d, const double* a, const double* b, int32_t* ierr);
float pchqa_(const int32_t* n, const float* x, const float* f, const float* d, const float* a, const float* b, int32_t* ierr);

/* dpchia_, pchia_: integral of the piecewise cubic Hermite function from a to
 * b; limits beyond the data integrate the extended end cubics and are
 * flagged.
 *   n      (in)  number of data points, 2 or more
 *   x      (in)  n strictly increasing abscissas
 *   f      (in)  incfd x n values
 *   d      (in)  incfd x n derivatives
 *   incfd  (in)  stride of f and d
 *   skip   (in/out) logical: nonzero skips the data checks; set on return
 *   a, b   (in)  limits; b < a gives the negative
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; -4 trouble in dpchid_; 1 a,
 *                 2 b, 3 both outside [x(1), x(n)]
 *   result (ret) the integral */
double dpchia_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const double* a, const double* b, int32_t* ierr);
float pchia_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const float* a, const float* b, int32_t* ierr);

/* dpchid_, pchid_: integral of the piecewise cubic Hermite function between two
 * data points, from x(ia) to x(ib).
 *   n      (in)  number of data points, 2 or more
 *   x      (in)  n strictly increasing abscissas
 *   f      (in)  incfd x n values
 *   d      (in)  incfd x n derivatives
 *   incfd  (in)  stride of f and d
 *   skip   (in/out) logical: nonzero skips the data checks; set on return
 *   ia, ib (in)  indices of the limits, 1..n
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing; -4 ia or ib out of range
 *   result (ret) the integral; negative for ia > ib */
double dpchid_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const int32_t* ia, const int32_t* ib, int32_t* ierr);
float pchid_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const int32_t* ia, const int32_t* ib, int32_t* ierr);

/* dchfie_, chfie_: integral of one cubic, given by its end values and
 * derivatives on [x1, x2], from a to b (either may lie outside); 0 when
 * x1 = x2.
 *   x1, x2 (in)  ends of the interval
 *   f1, f2 (in)  values at the ends
 *   d1, d2 (in)  derivatives at the ends
 *   a, b   (in)  limits
 *   result (ret) the integral */
double dchfie_(const double* x1, const double* x2, const double* f1, const double* f2, const double* d1, const double* d2, const double* a, const double* b);
float chfie_(const float* x1, const float* x2, const float* f1, const float* f2, const float* d1, const float* d2, const float* a, const float* b);

/* ==== B-spline form, monotonicity check, machine constants ================== */

/* dpchbs_, pchbs_: the piecewise cubic Hermite function in B-spline form of
 * order 4: every abscissa a double knot, two more knots at each end; no data
 * checks.
 *   n      (in)  number of data points
 *   x      (in)  n strictly increasing abscissas
 *   f      (in)  incfd x n values
 *   d      (in)  incfd x n derivatives
 *   incfd  (in)  stride of f and d
 *   knotyp (in)  end knots: 0 quadruple knots at x(1) and x(n); 1 the end
 *                intervals extended; 2 the other end's interval (periodic);
 *                negative: the caller's t is used
 *   nknots (in/out) number of knots, 2n + 4 (given for a negative knotyp)
 *   t      (in/out) 2n + 4 knots
 *   bcoef  (out) 2n B-spline coefficients
 *   ndim   (out) 2n
 *   kord   (out) 4
 *   ierr   (out) 0; -1 knotyp > 2; -2 knotyp < 0 and nknots not 2n + 4 */
void dpchbs_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, const int32_t* knotyp, int32_t* nknots, double* t, double* bcoef, int32_t* ndim, int32_t* kord, int32_t* ierr);
void pchbs_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, const int32_t* knotyp, int32_t* nknots, float* t, float* bcoef, int32_t* ndim, int32_t* kord, int32_t* ierr);

/* dpchkt_, pchkt_: the knot sequence of dpchbs_: every abscissa a double knot,
 * the end knots by knotyp.
 *   n      (in)  number of data points, 2 or more
 *   x      (in)  n strictly increasing abscissas
 *   knotyp (in)  1 extended end intervals, 2 periodic, otherwise quadruple
 *                end knots
 *   t      (out) 2n + 4 knots */
void dpchkt_(const int32_t* n, const double* x, const int32_t* knotyp, double* t);
void pchkt_(const int32_t* n, const float* x, const int32_t* knotyp, float* t);

/* dbvalu_, bvalu_: value, or derivative of order ideriv, at x of the B-spline
 * with knots t and coefficients a; at the right end the left limit is taken.
 * Bad arguments are reported (error number 2) and give 0.
 *   t      (in)  n + k knots, non-decreasing
 *   a      (in)  n coefficients
 *   n      (in)  number of coefficients, k or more
 *   k      (in)  order, 1 or more
 *   ideriv (in)  order of the derivative, 0..k-1
 *   x      (in)  point, t(k) <= x <= t(n + 1)
 *   inbv   (in/out) remembered knot interval; 1 on the first call
 *   work   (in/out) 3k work values
 *   result (ret) the value */
double dbvalu_(const double* t, const double* a, const int32_t* n, const int32_t* k, const int32_t* ideriv, const double* x, int32_t* inbv, double* work);
float bvalu_(const float* t, const float* a, const int32_t* n, const int32_t* k, const int32_t* ideriv, const float* x, int32_t* inbv, float* work);

/* dintrv_, intrv_: the interval of a non-decreasing sequence that holds x,
 * searched from the remembered index ilo.
 *   xt    (in)  lxt non-decreasing values
 *   lxt   (in)  length of xt
 *   x     (in)  value to locate
 *   ilo   (in/out) remembered index; 1 on the first call
 *   ileft (out) index with xt(ileft) <= x < xt(ileft + 1); 1 left of xt(1),
 *               lxt at or beyond xt(lxt)
 *   mflag (out) -1 left of xt(1), 0 inside, 1 at or beyond xt(lxt) */
void dintrv_(const double* xt, const int32_t* lxt, const double* x, int32_t* ilo, int32_t* ileft, int32_t* mflag);
void intrv_(const float* xt, const int32_t* lxt, const float* x, int32_t* ilo, int32_t* ileft, int32_t* mflag);

/* dpchcm_, pchcm_: monotonicity of the piecewise cubic Hermite function on each
 * interval and overall. Codes: 0 constant; 1 strictly increasing, -1
 * strictly decreasing; 3 or -3 monotone but within rounding of the
 * monotonicity boundary; 2 not monotone.
 *   n     (in)  number of data points, 2 or more
 *   x     (in)  n strictly increasing abscissas
 *   f     (in)  incfd x n values
 *   d     (in)  incfd x n derivatives
 *   incfd (in)  stride of f and d
 *   skip  (in/out) logical: nonzero skips the data checks; set on return
 *   ismon (out) n codes: one per interval, the overall code last
 *   ierr   (out) 0 normal; -1 fewer than two points, -2 incfd < 1, -3 x not
 *                 strictly increasing */
void dpchcm_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, int32_t* ismon, int32_t* ierr);
void pchcm_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, int32_t* ismon, int32_t* ierr);

/* dchfcm_, chfcm_: monotonicity code of one cubic (see dpchcm_) from its end
 * derivatives and its slope.
 *   d1, d2 (in)  end derivatives
 *   delta  (in)  slope of the interval
 *   result (ret) 0, 1, -1, 2, 3 or -3 */
int32_t dchfcm_(const double* d1, const double* d2, const double* delta);
int32_t chfcm_(const float* d1, const float* d2, const float* delta);

/* d1mach_, r1mach_: machine constants of double (single) precision. An index
 * outside 1..5 prints a message and ends the process with status 0.
 *   i      (in)  1 smallest positive magnitude, 2 largest magnitude, 3
 *                smallest relative spacing, 4 largest relative spacing
 *                (machine precision), 5 log10(2)
 *   result (ret) the constant */
double d1mach_(const int32_t* i);
float r1mach_(const int32_t* i);

/* ==== Error-message package (process-wide control parameters and table) ==== */

/* xermsg_: reports a message of the library: counts it in the message
 * table, prints a block (header, level line, message, error number) on the
 * output units as the control flag and print limit allow, and ends the
 * process for level 2, or level 1 when the flag's magnitude is 2 (as it is
 * initially). An invalid error number or level ends the process too.
 *   librar (in)  library name
 *   subrou (in)  routine name
 *   messg  (in)  message; "$$" starts a new line
 *   nerr   (in)  error number, nonzero, -9999999..99999999
 *   level  (in)  -1 warning printed once; 0 informative; 1 recoverable
 *                error; 2 fatal error */
void xermsg_(const char* librar, const char* subrou, const char* messg, const int32_t* nerr,
             const int32_t* level, size_t librar_len, size_t subrou_len, size_t messg_len);

/* xerprn_: prints a message as lines of at most nwrap characters, each
 * after the prefix, on every output unit; "$$" starts a new line and long
 * lines break at a blank.
 *   prefix (in)  text put before each line
 *   npref  (in)  length of the prefix, at most 16; negative: its own length
 *   messg  (in)  message
 *   nwrap  (in)  line width, held within 16..132 */
void xerprn_(const char* prefix, const int32_t* npref, const char* messg, const int32_t* nwrap,
             size_t prefix_len, size_t messg_len);

/* xersve_: keeps the table of messages seen (at most 10 rows, further
 * ones counted as untabulated) or prints its summary.
 *   librar (in)  library name
 *   subrou (in)  routine name
 *   messg  (in)  message; its first 20 characters identify it
 *   kflag  (in)  positive: record the message; 0: print the summary and
 *                clear the table; negative: print it and keep the table
 *   nerr   (in)  error number
 *   level  (in)  level
 *   icount (out) times this message was recorded; 0 when the table is full */
void xersve_(const char* librar, const char* subrou, const char* messg, const int32_t* kflag,
             const int32_t* nerr, const int32_t* level, int32_t* icount, size_t librar_len,
             size_t subrou_len, size_t messg_len);

/* j4save_: reads, and on request sets, one of the nine control
 * parameters of the package.
 *   iwhich (in)  1 last error number, 2 control flag, 3 first output unit,
 *                4 print limit, 5 number of output units, 6..9 further units
 *   ivalue (in)  new value
 *   iset   (in)  logical: nonzero sets the parameter to ivalue
 *   result (ret) the value before the call */
int32_t j4save_(const int32_t* iwhich, const int32_t* ivalue, const int32_t* iset);

/* xgetua_: the output units of the package (unit 0 stands for standard
 * output).
 *   iunita (out) up to 5 unit numbers
 *   n      (out) number of units */
void xgetua_(int32_t* iunita, int32_t* n);

/* xsetf_: sets the control flag. Magnitude 2 makes recoverable errors end
 * the process, 1 lets them return; a positive flag prints full message
 * blocks, a negative one shorter ones; 0 prints only fatal errors. A value
 * outside -2..2 is itself reported as fatal.
 *   kontrl (in)  the flag, -2..2 */
void xsetf_(const int32_t* kontrl);

/* xgetf_: the control flag (see xsetf_).
 *   kontrl (out) the flag */
void xgetf_(int32_t* kontrl);

/* xerdmp_: prints the message summary and clears the table. */
void xerdmp_(void);

/* xerhlt_: ends the process with exit status 1.
 *   messg (in)  not used */
void xerhlt_(const char* messg, size_t messg_len);

/* xercnt_: hook through which a message could change the control flag
 * for itself; does nothing.
 *   librar, subrou, messg (in) names and message
 *   nerr, level (in) error number and level
 *   kontrl (in/out) the control flag, left as it is */
void xercnt_(const char* librar, const char* subrou, const char* messg, const int32_t* nerr,
             const int32_t* level, int32_t* kontrl, size_t librar_len, size_t subrou_len,
             size_t messg_len);

/* fdump_: hook for a traceback; does nothing. */
void fdump_(void);

/* i1mach_: integer machine constants: 1..4 the standard input, output,
 * punch and error-message units (5, 6, 7, 6); 5 bits and 6 characters per
 * integer; 7 integer base; 8 integer digits; 9 largest integer; 10
 * floating-point base; 11..13 single-precision digits and exponent range;
 * 14..16 the same for double precision. An index outside 1..16 prints a
 * message and ends the process with status 0.
 *   i      (in)  index 1..16
 *   result (ret) the constant */
int32_t i1mach_(const int32_t* i);

/* ==== Self-checks ============================================================ */

/* dpchq1_, pchqk1_: self-check of the evaluators on fixed data (see
 * devchk_, devpck_, deverk_), printing a report on unit lun.
 *   lun    (in)  output unit of the report (6 standard output)
 *   kprint (in)  detail: 0 nothing, 1 the final failure line, 2 titles and
 *                failures, 3 tables and one line per case, 4 point tables
 *   ipass  (out) 1 every case passed, 0 otherwise */
void dpchq1_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk1_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);

/* dpchq2_, pchqk2_: self-check of the integrators on fixed data.
 *   lun    (in)  output unit of the report
 *   kprint (in)  detail 0..4 as dpchq1_
 *   ipass  (out) 1 every case passed, 0 otherwise */
void dpchq2_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk2_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);

/* dpchq3_, pchqk3_: self-check of the derivative setters on fixed data.
 *   lun    (in)  output unit of the report
 *   kprint (in)  detail 0..4 as dpchq1_
 *   ipass  (out) 1 every case passed, 0 otherwise */
void dpchq3_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk3_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);

/* dpchq4_, pchqk4_: self-check of the monotonicity check on fixed data.
 *   lun    (in)  output unit of the report
 *   kprint (in)  detail 0..4 as dpchq1_
 *   ipass  (out) 1 every case passed, 0 otherwise */
void dpchq4_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk4_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);

/* dpchq5_, pchqk5_: self-check of the conversion to B-spline form on fixed
 * data.
 *   lun    (in)  output unit of the report
 *   kprint (in)  detail 0..4 as dpchq1_
 *   ipass  (out) 1 every case passed, 0 otherwise */
void dpchq5_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk5_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);

/* devchk_, evchck_: accuracy check of the single-cubic evaluators (dchfev_,
 * dchfdv_) against a known cubic on three intervals with npts points.
 *   lout   (in)  output unit
 *   kprint (in)  detail 0..4
 *   npts   (in)  number of points per interval
 *   xev, fev, dev, fev2 (in/out) npts work values each
 *   fail   (out) logical: some case failed */
void devchk_(const int32_t* lout, const int32_t* kprint, const int32_t* npts, double* xev,
             double* fev, double* dev, double* fev2, int32_t* fail);
void evchck_(const int32_t* lout, const int32_t* kprint, const int32_t* npts, float* xev,
             float* fev, float* dev, float* fev2, int32_t* fail);

/* devpck_, evpcck_: check of the piecewise evaluators (dpchfe_, dpchfd_) on a
 * 10 x 10 grid of a known function.
 *   lout   (in)  output unit
 *   kprint (in)  detail 0..4
 *   x, y   (in/out) 10 work values each
 *   f, fx, fy (in/out) 10 x 10 work values each
 *   xe, ye, fe, de, fe2 (in/out) 51 work values each
 *   fail   (out) logical: some case failed */
void devpck_(const int32_t* lout, const int32_t* kprint, double* x, double* y, double* f,
             double* fx, double* fy, double* xe, double* ye, double* fe, double* de,
             double* fe2, int32_t* fail);
void evpcck_(const int32_t* lout, const int32_t* kprint, float* x, float* y, float* f,
             float* fx, float* fy, float* xe, float* ye, float* fe, float* de, float* fe2,
             int32_t* fail);

/* deverk_, everck_: check that the evaluators return the expected error codes
 * for bad arguments (the control flag is lowered meanwhile).
 *   lout   (in)  output unit
 *   kprint (in)  detail 0..4
 *   fail   (out) logical: some case failed */
void deverk_(const int32_t* lout, const int32_t* kprint, int32_t* fail);
void everck_(const int32_t* lout, const int32_t* kprint, int32_t* fail);

/* comp_: compares a returned status with the expected one and reports
 * the outcome at detail 3 or more.
 *   ieract (in)  status returned
 *   ierexp (in)  status expected
 *   lout   (in)  output unit
 *   kprint (in)  detail 0..4
 *   result (ret) logical: equal */
int32_t comp_(const int32_t* ieract, const int32_t* ierexp, const int32_t* lout,
              const int32_t* kprint);

/* dfdtru_, fdtrue_: the known cubic of the checks, f(x) = x (x + 1) (x - 2),
 * and its derivative.
 *   x (in)  point
 *   f (out) value
 *   d (out) derivative */
void dfdtru_(const double* x, double* f, double* d);
void fdtrue_(const float* x, float* f, float* d);

/* pchip_rand_: pseudo-random numbers in [0, 1) of the checks (a linear
 * congruential generator modulo 2^22 with process-wide state).
 *   r      (in)  0: the next number; positive and finite: restart from the
 *                fraction of r; negative, infinite or NaN: the state stays
 *   result (ret) the number */
float pchip_rand_(const float* r);

/* get_unit_: the first free output unit among 1..99 (5, 6 and 9 excepted).
 *   iunit (out) the unit, 0 when none is free */
void get_unit_(int32_t* iunit);

/* pchip_timestamp_: prints one line with the local date and time to standard
 * output. */
void pchip_timestamp_(void);

#ifdef __cplusplus
}
#endif
#endif
