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

void bdsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
            const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
            int32_t* istat);
void nrsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
            const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
            int32_t* istat);
void fpsafe(vx_fixpointfunc dfunc, double* xs, const double* args, const double* xacc,
            const int32_t* maxit, const int32_t* na, const int32_t* nfun, int32_t* istat);

#ifdef __cplusplus
}
#endif
#endif
