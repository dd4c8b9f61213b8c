// Root finders on a caller-supplied function: Brent's method on a bracket,
// Newton-Raphson guarded by bisection, and fixed-point iteration.
#include <cmath>
#include <cstdint>
#include "scratch.h"
#include "vexlan/math_roots.h"
#include "vx.h"

namespace {

constexpr double two_eps = 4.440892098500626e-16;  // twice the machine epsilon
constexpr int32_t fargs_stack = 32;                 // work copies up to this length stay on the stack

// Evaluates the call-back at a private copy of x, so a call-back that writes
// through its x pointer cannot disturb the iteration.
inline void eval(vx_rootfunc f, double x, double& fx, double& dfx, const double* args, const int32_t* na,
                 const int32_t* nfun) {
  const double xv = x;
  f(&fx, &dfx, &xv, args, na, nfun);
}

}  // namespace

VX_API void bdsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
                   const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
                   int32_t* istat) {
  *istat = 0;
  if (!dfunc) {
    *root = 0.0;
    vx::report(-3, "Error in BrentsMethod: no function given.");
    return;
  }
  double a = *x1, b = *x2;
  double fa = 0.0, fb = 0.0, scratch = 0.0;  // the derivative slot is never read here
  eval(dfunc, a, fa, scratch, args, na, nfun);
  eval(dfunc, b, fb, scratch, args, na, nfun);
  if (fa == 0.0) {
    *root = a;
    return;
  }
  if (fb == 0.0) {
    *root = b;
    return;
  }
  if (fa * fb >= 0.0) {
    *root = 0.0;
    vx::report(-2, "Error in BISECTION: Root must be bracketed.");
    return;
  }
  // A negative limit allows no iteration, as 0 does: x2 is no root, so it
  // must carry the warning and istat 1 rather than pass for one.
  const int32_t nit = *maxit;
  const double acc = *xacc;
  double c = a, fc = fa, d = b - a, e = d;
  for (int32_t iter = 0; iter < nit; ++iter) {
    if (fb * fc > 0.0) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol1 = two_eps * std::fabs(b) + acc;
    const double xm = 0.5 * (c - b);
    if (std::fabs(xm) <= tol1 || fb == 0.0) {
      *root = b;
      return;
    }
    bool interpolated = false;
    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
      const double s = fb / fa;
      double p, q;
      if (a == c) {
        p = 2.0 * xm * s;
        q = 1.0 - s;
      } else {
        const double q0 = fa / fc, r = fb / fc;
        p = s * (2.0 * xm * q0 * (q0 - r) - (b - a) * (r - 1.0));
        q = (q0 - 1.0) * (r - 1.0) * (s - 1.0);
      }
      if (p > 0.0) q = -q;
      else p = -p;
      if (2.0 * p < 3.0 * xm * q - std::fabs(tol1 * q) && p < 0.5 * std::fabs(e * q)) {
        e = d;
        d = p / q;
        interpolated = true;
      }
    }
    if (!interpolated) d = e = xm;
    a = b;
    fa = fb;
    if (std::fabs(d) > tol1) b += d;
    else b = xm > 0.0 ? b + tol1 : b - tol1;
    eval(dfunc, b, fb, scratch, args, na, nfun);
  }
  *root = b;
  vx::report(-1, "Warning in BrentsMethod: Max iterations exceeded.");
  *istat = 1;
}

VX_API void nrsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
                   const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
                   int32_t* istat) {
  *istat = 0;
  if (!dfunc) {
    *root = 0.0;
    vx::report(-3, "Error in subroutine RTSAFE: no function given.");
    return;
  }
  const double lo = *x1, hi = *x2;
  double fl = 0.0, fh = 0.0, df = 0.0;
  eval(dfunc, lo, fl, df, args, na, nfun);
  eval(dfunc, hi, fh, df, args, na, nfun);
  if (fl == 0.0) {
    *root = lo;
    return;
  }
  if (fh == 0.0) {
    *root = hi;
    return;
  }
  if (fl * fh >= 0.0) vx::report(-2, "Error in BISECTION: Root must be bracketed.");
  double xl, xh;
  if (fl < 0.0) {
    xl = lo;
    xh = hi;
  } else {
    xl = hi;
    xh = lo;
  }
  double rts = 0.5 * (lo + hi);
  double dxold = hi - lo, dx = dxold;
  double f = 0.0;
  df = 0.0;
  eval(dfunc, rts, f, df, args, na, nfun);
  const double acc = *xacc;
  const int32_t nit = *maxit;
  for (int32_t j = 0; j < nit; ++j) {
    if (((rts - xh) * df - f) * ((rts - xl) * df - f) >= 0.0 || std::fabs(2.0 * f) > std::fabs(dxold * df)) {
      dxold = dx;
      dx = 0.5 * (xh - xl);
      rts = xl + dx;
      if (rts == xl) {
        *root = rts;
        return;
      }
    } else {
      dxold = dx;
      dx = f / df;
      const double prev = rts;
      rts -= dx;
      if (rts == prev) {
        *root = rts;
        return;
      }
    }
    if (std::fabs(dx) < acc) {
      *root = rts;
      return;
    }
    eval(dfunc, rts, f, df, args, na, nfun);
    if (f < 0.0) xl = rts;
    else xh = rts;
  }
  *root = rts;
  vx::report(-1, "Warning in subroutine RTSAFE: Max iterations exceeded.");
  *istat = 1;
}

VX_API void fpsafe(vx_fixpointfunc dfunc, double* xs, const double* args, const double* xacc, const int32_t* maxit,
                   const int32_t* na, const int32_t* nfun, int32_t* istat) {
  *istat = 0;
  if (!dfunc) {
    vx::report(-3, "Error in FixPointIteration: no function given.");
    return;
  }
  // The working copy always has a first element, even for na < 1, because the
  // current iterate is stored there.
  const int32_t n = *na;
  const int32_t len = n > 1 ? n : 1;
  vx::Scratch<double, fargs_stack> work(static_cast<size_t>(len));
  double* const fargs = work;
  for (int32_t i = 0; i < n; ++i) fargs[i] = args[i];

  const double acc = *xacc;
  const int64_t nit = *maxit;  // 64-bit, so that k > maxit stays reachable for maxit = INT32_MAX
  double xold = *xs;
  double xnew = xold;  // kept when a call-back delivers nothing
  fargs[0] = xold;
  dfunc(&xnew, fargs, na, nfun);
  int64_t k = 0;
  while (std::fabs(xold - xnew) > acc) {
    xold = xnew;
    if (k > nit) break;
    fargs[0] = xnew;
    ++k;
    dfunc(&xnew, fargs, na, nfun);
  }
  *xs = xnew;
  if (k > nit) {
    vx::report(-1, "Warning in FixPointIteration:Max iterations exceeded.");
    *istat = 1;
  }
}
