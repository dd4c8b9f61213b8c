/* Root finders of the component math: bracketed Newton-Raphson with bisection,
 * bisection, fixed-point iteration. The function comes as a call-back. */
#ifndef VEXLAN_MATH_ROOTS_H
#define VEXLAN_MATH_ROOTS_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Function (and derivative) of bdsafe and nrsafe: f and df are written by the
 * call-back; args(na) and nfun are the caller's, handed through unchanged. */
typedef void (*vx_rootfunc)(double* f, double* df, const double* x, const double* args,
                            const int32_t* na, const int32_t* nfun);
/* Iteration function of fpsafe: xnew = g(fargs(1)); fargs(na) is a working
 * copy of the caller's args whose first element holds the current iterate. */
typedef void (*vx_fixpointfunc)(double* xnew, double* fargs, const int32_t* na, const int32_t* nfun);

/* bdsafe: a root of f on [x1, x2] by Brent's method (inverse quadratic
 * interpolation, secant and bisection steps), the function evaluated through
 * the call-back. The tolerance is absolute: the search stops when half the
 * bracket is within xacc plus twice the machine precision of |root|. Ends of
 * equal sign record status -2 "Error in BISECTION: Root must be bracketed."
 * and give root 0 with istat 0: that failure shows only in the error record.
 * Reaching maxit records -1 "Warning in BrentsMethod: Max iterations
 * exceeded." and gives the last iterate with istat 1 (x2 at once for maxit 0
 * or below).
 *   dfunc (in)  call-back that sets f(x); df is not read. A C function is
 *               called as dfunc(f, df, x, args, na, nfun); a Python function
 *               as dfunc(f, df, x, args, nfun), with na after nfun only when
 *               it takes one more argument, and returns f(x) (see the Notes)
 *   x1    (in)  one end of the bracket
 *   x2    (in)  other end of the bracket
 *   root  (out) the root
 *   args  (in)  na parameters handed to the call-back unchanged
 *   xacc  (in)  absolute tolerance on the root
 *   maxit (in)  most iterations
 *   na    (in)  length of args
 *   nfun  (in)  selector handed to the call-back unchanged
 *   istat (out) 0, or 1 when the iteration limit was reached */
void bdsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
            const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
            int32_t* istat);

/* nrsafe: a root of f on [x1, x2] by Newton-Raphson steps from the midpoint,
 * replaced by bisection whenever the Newton step would leave the bracket or
 * shrink it too slowly. The call-back gives the function and its derivative.
 * Ends of equal sign record status -2 "Error in BISECTION: Root must be
 * bracketed." and the iteration still runs: it returns an iterate that need
 * not be a root, with istat 0, so read the error record. Reaching maxit (at
 * once for maxit 0 or below, giving the midpoint) records -1 "Warning in
 * subroutine RTSAFE: Max iterations exceeded." and gives the last iterate
 * with istat 1.
 *   dfunc (in)  call-back that sets f(x) and f'(x). A C function is called as
 *               dfunc(f, df, x, args, na, nfun); a Python function as
 *               dfunc(f, df, x, args, nfun), with na after nfun only when it
 *               takes one more argument, and returns f(x), f'(x) (see the
 *               Notes)
 *   x1    (in)  one end of the bracket
 *   x2    (in)  other end of the bracket
 *   root  (out) the root
 *   args  (in)  na parameters handed to the call-back unchanged
 *   xacc  (in)  absolute tolerance on the step
 *   maxit (in)  most iterations
 *   na    (in)  length of args
 *   nfun  (in)  selector handed to the call-back unchanged
 *   istat (out) 0, or 1 when the iteration limit was reached */
void nrsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
            const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
            int32_t* istat);

/* fpsafe: a fixed point x = g(x) by the iteration x <- g(x) from xs, until
 * two iterates differ by xacc or less; xs becomes the last value the
 * call-back gave. The call-back receives a working copy fargs of args whose
 * first element holds the current iterate. When the iterates still differ
 * after maxit + 1 calls beyond the first, it records status -1 "Warning in
 * FixPointIteration:Max iterations exceeded." and gives the last iterate with
 * istat 1; a negative maxit always ends that way, even at a fixed point.
 *   dfunc (in)     call-back that sets xnew = g(fargs(1)). A C function is
 *                  called as dfunc(xnew, fargs, na, nfun); a Python function
 *                  as dfunc(xnew, fargs, nfun), with na after nfun only when
 *                  it takes one more argument, and returns xnew (see the
 *                  Notes)
 *   xs    (in/out) start value; the fixed point on return
 *   args  (in)     na parameters, na at least 1; the first is overwritten in
 *                  the copy handed to the call-back
 *   xacc  (in)     absolute tolerance between iterates
 *   maxit (in)     most iterations
 *   na    (in)     length of args
 *   nfun  (in)     selector handed to the call-back unchanged
 *   istat (out)    0, or 1 when the iteration limit was reached */
void fpsafe(vx_fixpointfunc dfunc, double* xs, const double* args, const double* xacc,
            const int32_t* maxit, const int32_t* na, const int32_t* nfun, int32_t* istat);

#ifdef __cplusplus
}
#endif
#endif
