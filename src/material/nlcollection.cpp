// Nonlinear shear laws of a ply as secant reductions, the residual stiffness
// over load cycles, and property-over-temperature transitions. All routines are
// closed formulas except the fixed-point form of the cubic shear law, which
// iterates its own one-step map through the library's fixed-point solver.
#include <cmath>
#include <limits>

#include "vexlan/math_roots.h"
#include "vexlan/nlcollection.h"
#include "vx.h"

namespace {

// Secant reduction of gamma = tau / G + beta tau^3 at (tau, gamma): the
// reduction that the Newton stress from tau gives at gamma.
double hahntsai(double g, double beta, double tau, double gamma) {
  // Only a zero strain is unreduced: a NaN one runs into the formula and gives
  // NaN, never an undamaged 0.
  if (gamma == 0.0) return 0.0;
  const double t2 = tau * tau;
  const double b3 = 3.0 * beta * g * t2;
  const double d = (b3 - 2.0 * beta * (t2 * tau) / gamma) / (1.0 + b3);
  if (std::isfinite(d) || !(std::isfinite(g) && std::isfinite(beta) && std::isfinite(tau) && std::isfinite(gamma)))
    return d;
  // A huge stress overflows tau^3 (inf - inf, or -inf for a finite value).
  // Divided through by u = beta G tau^2 the same value is (3 - 2r) / (3 + 1/u)
  // with r = tau / (G gamma); it tends to 1 - 2r/3.
  const double u = beta * g * tau * tau, r = tau / (g * gamma);
  const double scaled = (3.0 - 2.0 * r) / (3.0 + 1.0 / u);
  if (!std::isfinite(scaled)) vx::report(-2, "Error in NLHahnTsai: secant reduction out of range.");
  return scaled;
}

// One step of the fixed-point map, in the form the solver expects.
void hahntsai_step(double* xnew, double* fargs, const int32_t* na, const int32_t* nfun) {
  FPHahnTsai(xnew, fargs, na, nfun);
}

}  // namespace

VX_API void NLKaestner(double* dnl, const double* beta, const double* eps) {
  *dnl = 1.0 - 1.0 / (1.0 + *beta * std::fabs(*eps));
}

VX_API void NLKrause(double* dnl, const double* beta, const double* eps) {
  *dnl = 1.0 - 1.0 / std::exp(*beta * std::fabs(*eps));
}

VX_API void NLHahnTsai(double* dnl, const double* tg, const double* beta, const double* sig,
                       const double* eps) {
  *dnl = hahntsai(*tg, *beta, *sig, *eps);
}

VX_API void FPHahnTsai(double* dout, const double* args, const int32_t* na, const int32_t* ns) {
  // args = (tau, gamma, G, beta): fewer than four values cannot be read.
  if (*na < 4) {
    vx::report(-2, "Error in FPHahnTsai: args must hold tau, gamma, G and beta.");
    return;
  }
  const double tau = args[0], gamma = args[1], g = args[2], beta = args[3];
  const int32_t mode = ns ? *ns : 0;
  if (mode == 2) {
    *dout = gamma * g * (1.0 - hahntsai(g, beta, tau, gamma));
  } else if (mode == 1) {
    double xs = tau;
    const double xacc = 0.001;
    const int32_t maxit = 100, nfun = 2;
    int32_t istat = 0;
    fpsafe(hahntsai_step, &xs, args, &xacc, &maxit, na, &nfun, &istat);
    *dout = hahntsai(g, beta, xs, gamma);
  } else {
    *dout = hahntsai(g, beta, tau, gamma);
  }
}

VX_API void NLAdam(double* dnl, const double* l, const double* x, const double* n, const double* nf,
                   const double* alpha, const double* beta, const double* lg) {
  const double l1 = lg ? std::log10(lg[0]) : std::log10(0.25);
  const double l2 = lg ? std::log10(lg[1]) : std::log10(0.25);
  const double life = std::log10(*nf) - l2;
  if (life <= 0.0) {
    // A life that ends at or before the knee leaves no span to degrade over.
    *dnl = std::nan("");
    vx::report(-2, "Error in NLAdam: cycles to failure must lie above the knee.");
    return;
  }
  // Before the knee the stiffness is the initial one, past the life the
  // end-of-life one: the fraction of life is held to [0, 1] (a NaN stays).
  double q = (std::log10(*n) - l1) / life;
  if (q < 0.0) q = 0.0;
  if (q > 1.0) q = 1.0;
  const double r = std::pow(1.0 - std::pow(q, *beta), 1.0 / *alpha);
  *dnl = 1.0 - ((*l - *x) * r + *x) / *l;
}

// props = P1, T1, P2, T2, ..., P(n), T(n), P(n+1): P(i) = props[2i-2], T(i) = props[2i-1].
VX_API double NLMahieux(const double* t, const double* props, const double* m,
                        const int32_t* ntrans) {
  if (*ntrans < 0) {  // props holds 2 ntrans + 1 < 0 values: no final plateau to read
    vx::report(-2, "Negative number of transitions in NLMahieux");
    return std::numeric_limits<double>::quiet_NaN();
  }
  double s = 0.0;
  for (int32_t i = 0; i < *ntrans; ++i) {
    const double p0 = props[2 * i], tr = props[2 * i + 1], p1 = props[2 * i + 2];
    s += (p0 - p1) * std::exp(-std::pow(*t / tr, m[i]));
  }
  return s + props[2 * *ntrans];
}

VX_API double NLGibson(const double* t, const double* props, const double* xi,
                       const int32_t* ntrans) {
  double s = 0.0;
  for (int32_t i = 0; i < *ntrans; ++i) {
    const double p0 = props[2 * i], tr = props[2 * i + 1], p1 = props[2 * i + 2];
    s += (p1 + p0) / 2.0 - (p0 - p1) / 2.0 * std::tanh(xi[i] * *t / tr);
  }
  return s;
}
