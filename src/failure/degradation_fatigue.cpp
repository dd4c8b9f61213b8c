// Gradual fatigue degradation of a ply under cyclic loading: cycles to failure
// from a constant-life relation in mean and amplitude, accumulated fatigue
// damage, residual strength and stiffness along power-law curves in the
// logarithm of the cycle number, and (second form) the equivalent cycle
// number and the cycle jump allowed before the strength drops by a limit.
// Bases of fractional powers are kept inside [0, 1] so that no input makes the
// factors NaN; factors only ever decrease.
#include <algorithm>
#include <cmath>
#include "data.h"
#include "listout.h"
#include "vexlan/degradation_fatigue.h"
#include "vx.h"

using vx::i4;

namespace {

constexpr double L4 = 0.6020599913279624;            // log10(4)
constexpr double log_huge = 308.25471555991675;      // log10 of the largest real

double unit(double x) { return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x); }

// Residual strength or stiffness at cycle number x with floor s and exponents
// (p, e): (1 - s)(1 - r^p)^(1/e) + s, r the log-cycle ratio to the life.
double residual(double x, double lognf, double s, double p, double e) {
  const double r = unit((std::log10(x) + L4) / (lognf + L4));
  return (1.0 - s) * std::pow(unit(1.0 - std::pow(r, p)), 1.0 / e) + s;
}

// Position on the log-cycle axis (as a fraction of the life) where the
// residual curve reaches f: the inverse of residual().
double inverse_fraction(double f, double s, double p, double e) {
  return std::pow(unit(1.0 - std::pow(unit((f - s) / (1.0 - s)), e)), 1.0 / p);
}

void line(const char* label, double v) { vx::ListLine().str(label).r(v).print(); }
void line(const char* label) { vx::ListLine().str(label).print(); }

}  // namespace

VX_API void GradualDegradation(double* speak_t, double* sbottom_t, double* speak_c,
                               double* sbottom_c, const double* xctratio, const double* a_,
                               const double* b_, const double* u_, const double* v_, double* nm,
                               const double* n_, const double* cjimp_, const double* alpha_t,
                               const double* alpha_c, const double* beta_t, const double* beta_c,
                               const double* gamma_, const double* lambda_, double* de,
                               double* df_t, double* df_c, const double* degr_fac_,
                               const i4* dmgflag, const i4* isshear, const i4* noel,
                               double* cjump_nf, const double* lim_) {
  for (double* s : {speak_t, sbottom_t, speak_c, sbottom_c})
    if (*s == 0.0) *s = 1e-8;
  const double A = *a_, B = *b_, cjimp = *cjimp_, degr_fac = *degr_fac_;
  const bool shear = *isshear != 0;
  const bool debug = *noel == vx::debugdata::edebug;

  const double smax_t = std::max(*sbottom_t, *speak_t), sigma_u = std::min(*sbottom_t, *speak_t);
  const double kappa = sigma_u / smax_t;
  const double amp = (smax_t - sigma_u) / 2.0, q = (smax_t + sigma_u) / 2.0;
  const double c = std::fabs(*xctratio);
  const double smax_c = std::fabs(std::min(*sbottom_c, *speak_c));

  // Life. A mean stress at or beyond the strength fails in one cycle.
  double f, nf, lognf;
  if (q >= 1.0) {
    f = A * std::pow(10.0, B);
    nf = 1.0;
    lognf = 0.0;
  } else {
    // No amplitude, no fatigue (also where the mean-stress term vanishes).
    f = amp == 0.0 ? 0.0 : amp / (std::pow(1.0 - q, *u_) * std::pow(std::max(c + q, 0.0), *v_));
    f = std::min(f, A * std::pow(10.0, B));
    lognf = std::log10(f / A) / B;
    nf = std::min(std::pow(10.0, lognf), vx::huge);
  }
  const double d_last = *n_ - cjimp;

  if (debug) {
    line("New Implementation for stiffness degradation");
    vx::ListLine().str("DmgFlag").i(*dmgflag).print();
    line("A", A);
    line("B", B);
    line("u", *u_);
    line("v", *v_);
    vx::ListLine().str("isShear").l(shear).print();
    line("kappa", kappa);
    line("sigma_o", smax_t);
    line("sigma_u", sigma_u);
    line("smax_t", smax_t);
    line("smax_c", smax_c);
    line("a", amp);
    line("q", q);
    line("c", c);
    line("f", f);
    line("NF", nf);
    line("Strength ratio Tension/Compression", *xctratio);
    line("current dF_t", *df_t);
    line("current dF_c", *df_c);
    line("Cycle jump", cjimp);
    line("real current/last cycle", d_last);
    line("alpha_t (Exp. im Kehrwert)", *alpha_t);
    line("beta_t (Exp. ohne Kehrwert)", *beta_t);
    line("alpha_c (Exp. im Kehrwert)", *alpha_c);
    line("beta_c (Exp. ohne Kehrwert)", *beta_c);
    line("gamma (Exp. mit Kehrwert)", *gamma_);
    line("lambda (Exp. ohne Kehrwert)", *lambda_);
    line("lim", *lim_);
  }

  const bool tension = (kappa >= 0.0 && kappa < 1.0) || (kappa < 0.0 && std::fabs(smax_t) >= smax_c);
  const bool compression = kappa > 1.0 || (kappa < 0.0 && std::fabs(smax_t) < smax_c);
  const double floor_t = std::fabs(smax_t), floor_c = smax_c;
  auto r_t = [&](double x) { return residual(x, lognf, floor_t, *beta_t, *alpha_t); };
  auto r_c = [&](double x) { return residual(x, lognf, floor_c, *beta_c, *alpha_c); };
  double n_eq = 0.0;

  if (*dmgflag == 1) {
    n_eq = *nm * nf;
    *nm = std::max(*nm + cjimp / nf, *nm);
    const double x = std::max(*nm * nf, 1.0);
    if (compression) {
      if (x >= nf) {
        *df_c = std::min(degr_fac, *df_c);
        *de = std::min(degr_fac, *de);
        if (!shear) *df_t = std::min(degr_fac, *df_t);
      } else {
        *df_c = std::min(r_c(x), *df_c);
        if (!shear) *df_t = std::min(*df_c, *df_t);
        *de = std::min(residual(x, lognf, floor_c, *lambda_, *gamma_), *de);
      }
    } else if (tension) {
      if (x >= nf) {
        *df_t = std::min(degr_fac, *df_t);
        *de = std::min(degr_fac, *de);
        if (!shear) *df_c = std::min(degr_fac, *df_c);
      } else {
        *df_t = std::min(r_t(x), *df_t);
        if (!shear) *df_c = std::min(*df_t, *df_c);
        *de = std::min(residual(x, lognf, floor_t, *lambda_, *gamma_), *de);
      }
    }
  } else if (*dmgflag == 2) {
    if (degr_fac >= *de || degr_fac >= *df_t || degr_fac >= *df_c) {
      *nm = 1.0;
      *cjump_nf = vx::huge;
      if (debug) line("Already fully damaged, no cyclic degradation");
      return;
    }
    if (nf >= 1e20) {
      *cjump_nf = nf;
      if (debug) line("Fatigue limit exceeded, no cyclic degradation");
      return;
    }
    if (!tension && !compression) {
      // Constant stress (or no usable ratio): no cycles, nothing to degrade.
      *cjump_nf = vx::huge;
      return;
    }
    if (debug) line(compression ? "C-C or C-dominated" : "T-T or T-dominated");
    double* fa = compression ? df_c : df_t;
    const double s = compression ? floor_c : floor_t;
    const double p = compression ? *beta_c : *beta_t, e = compression ? *alpha_c : *alpha_t;
    const double fold = *fa;
    if (d_last == 0.0) n_eq = 0.0;
    else if (s >= 1.0 || d_last >= nf) n_eq = nf;
    else
      n_eq = std::min(std::pow(10.0, inverse_fraction(fold, s, p, e) * (lognf + L4) - L4),
                      vx::huge - cjimp);
    *nm = std::min((n_eq + cjimp) / nf, 1.0);
    const double x = std::max(*nm * nf, 1.0);
    if (x < nf) {
      *df_t = std::min(r_t(x), *df_t);
      *df_c = std::min(r_c(x), *df_c);
    } else {
      *fa = std::min(fold, degr_fac);
    }
    const double g1 = s >= 1.0 ? 0.0 : inverse_fraction(*fa - *lim_, s, p, e);
    const double log_cj = std::min(g1 * (lognf + L4) - L4, log_huge);
    if (x < nf) {
      if (*lambda_ == *beta_t && *gamma_ == *alpha_t) *de = std::min(*de, (*df_t + *df_c) / 2.0);
      else *de = std::min(*de, residual(x, lognf, s, *lambda_, *gamma_));
    } else {
      *de = std::min(*de, degr_fac);
    }
    double cj = std::pow(10.0, log_cj) - n_eq - cjimp;
    cj = std::min(std::max(cj, 0.0), vx::huge);
    *cjump_nf = cj == 0.0 ? vx::huge : cj;
    if (debug) {
      line("(n_eq+cjimp)", n_eq + cjimp);
      line("NM", *nm);
      line("log_cjump_nf", log_cj);
      line("cjump_nf", *cjump_nf);
      line("dF n", *df_t);
      line("dF n", *df_c);
      line("dF nach cjump_nf", residual(std::pow(10.0, log_cj), lognf, s, p, e));
    }
  } else {
    vx::report(-2, "Error: Default case in subroutine GradualDegradation. Please check your input parameters.");
    return;
  }

  if (debug) {
    line("Updated results in GradualDegradation");
    line("n_eq", n_eq);
    line("(n_eq+cjimp)", n_eq + cjimp);
    line("Nf", nf);
    line("new NM", *nm);
    line("cjump_nf", *cjump_nf);
    line("new dE", *de);
    line("new dF_t", *df_t);
    line("new dF_c", *df_c);
  }
}
