// Gradual fatigue degradation of a ply under cyclic loading: cycles to failure
// from a constant-life relation in mean and amplitude, accumulated fatigue
// damage, residual strength and stiffness along power-law curves in the
// logarithm of the cycle number, and (second form) the equivalent cycle
// number and the cycle jump allowed before the strength drops by a limit.
// Bases of fractional powers are kept inside [0, 1] so that no finite input
// makes the factors NaN; factors only ever decrease.
#include <algorithm>
#include <cmath>
#include "data.h"
#include "listout.h"
#include "util.h"
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

// What one call works with: the life of the stress cycle, the branch that
// applies and the curve parameters.
struct Cycle {
  double nf, lognf, cjimp, degr_fac, d_last, lim;
  double floor_t, floor_c;  // peak stresses of the tension and compression half
  double alpha_t, alpha_c, beta_t, beta_c, gamma, lambda;
  bool tension, compression, shear, debug;

  double strength_t(double x) const { return residual(x, lognf, floor_t, beta_t, alpha_t); }
  double strength_c(double x) const { return residual(x, lognf, floor_c, beta_c, alpha_c); }
  double stiffness(double x, double floor) const { return residual(x, lognf, floor, lambda, gamma); }
};

// Form 1: the damage grows by the cycle jump over the life, and the factors of
// the active branch follow their residual curves (or drop to degr_fac once the
// life is used up). n_eq: the cycle number the damage held before the jump.
// False, the factors untouched, when the cycle number reached is not a
// number (a NaN held nm or cjimp).
bool accumulate_damage(const Cycle& c, double* nm, double* de, double* df_t, double* df_c, double& n_eq) {
  n_eq = *nm * c.nf;
  *nm = std::max(*nm + c.cjimp / c.nf, *nm);
  const double x = std::max(*nm * c.nf, 1.0);
  if (!c.compression && !c.tension) return true;
  if (std::isnan(x)) return false;
  // The strength of the active half (compression before tension); the other
  // half follows it unless the component is a shear one.
  double* active = c.compression ? df_c : df_t;
  double* other = c.compression ? df_t : df_c;
  if (x >= c.nf) {
    *active = std::min(c.degr_fac, *active);
    *de = std::min(c.degr_fac, *de);
    if (!c.shear) *other = std::min(c.degr_fac, *other);
  } else {
    *active = std::min(c.compression ? c.strength_c(x) : c.strength_t(x), *active);
    if (!c.shear) *other = std::min(*active, *other);
    *de = std::min(c.stiffness(x, c.compression ? c.floor_c : c.floor_t), *de);
  }
  return true;
}

// What form 2 did: degraded; stopped with nothing to degrade (already fully
// damaged, below the fatigue limit, or a constant stress); or found the cycle
// number not a number before any factor was touched.
enum class Jump { degraded, stopped, unknown };

// Form 2: the equivalent cycle number of the present strength, the factors at
// the cycle after the jump, and the jump still allowed before the active
// strength drops by lim.
Jump equivalent_cycles(const Cycle& c, double* nm, double* de, double* df_t, double* df_c, double* cjump_nf,
                       double& n_eq) {
  if (c.degr_fac >= *de || c.degr_fac >= *df_t || c.degr_fac >= *df_c) {
    *nm = 1.0;
    *cjump_nf = vx::huge;
    if (c.debug) line("Already fully damaged, no cyclic degradation");
    return Jump::stopped;
  }
  if (c.nf >= 1e20) {
    *cjump_nf = c.nf;
    if (c.debug) line("Fatigue limit exceeded, no cyclic degradation");
    return Jump::stopped;
  }
  if (!c.tension && !c.compression) {
    // Constant stress (or no usable ratio): no cycles, nothing to degrade.
    *cjump_nf = vx::huge;
    return Jump::stopped;
  }
  // A NaN n or cjimp is neither the start nor past the life: where the ply
  // stands is unknown.
  if (std::isnan(c.d_last)) return Jump::unknown;
  if (c.debug) line(c.compression ? "C-C or C-dominated" : "T-T or T-dominated");
  double* fa = c.compression ? df_c : df_t;
  const double s = c.compression ? c.floor_c : c.floor_t;
  const double p = c.compression ? c.beta_c : c.beta_t, e = c.compression ? c.alpha_c : c.alpha_t;
  const double fold = *fa;
  if (c.d_last == 0.0) n_eq = 0.0;
  else if (s >= 1.0 || c.d_last >= c.nf) n_eq = c.nf;
  else
    n_eq = std::min(std::pow(10.0, inverse_fraction(fold, s, p, e) * (c.lognf + L4) - L4), vx::huge - c.cjimp);
  *nm = std::min((n_eq + c.cjimp) / c.nf, 1.0);
  // So it is when the equivalent cycle number is NaN (an exponent of the
  // active curve not a number): the comparison with the life below would
  // read it as used up for the active factor alone.
  if (std::isnan(*nm)) return Jump::unknown;
  const double x = std::max(*nm * c.nf, 1.0);
  if (x < c.nf) {
    *df_t = std::min(c.strength_t(x), *df_t);
    *df_c = std::min(c.strength_c(x), *df_c);
  } else {
    *fa = std::min(fold, c.degr_fac);
  }
  const double g1 = s >= 1.0 ? 0.0 : inverse_fraction(*fa - c.lim, s, p, e);
  const double log_cj = std::min(g1 * (c.lognf + L4) - L4, log_huge);
  if (x < c.nf) {
    // A NaN curve or strength factor (an exponent not a number) leaves the
    // stiffness unknown, as in form 1, not at the factor held.
    if (c.lambda == c.beta_t && c.gamma == c.alpha_t) *de = vx::util::min_or_nan(*de, (*df_t + *df_c) / 2.0);
    else *de = vx::util::min_or_nan(*de, c.stiffness(x, s));
  } else {
    *de = std::min(*de, c.degr_fac);
  }
  double cj = std::pow(10.0, log_cj) - n_eq - c.cjimp;
  if (std::isnan(cj)) [[unlikely]] {
    // A NaN lim or strength curve bounds the jump by an unknown: the clamps
    // below would pass it on silently, and a caller's minimum over plies
    // would drop it as if nothing bounded the jump. It stays NaN, reported.
    vx::report(-2, "NaN cycle jump bound in GradualDegradation");
    *cjump_nf = cj;
  } else {
    cj = std::min(std::max(cj, 0.0), vx::huge);
    *cjump_nf = cj == 0.0 ? vx::huge : cj;
  }
  if (c.debug) {
    line("(n_eq+cjimp)", n_eq + c.cjimp);
    line("NM", *nm);
    line("log_cjump_nf", log_cj);
    line("cjump_nf", *cjump_nf);
    line("dF n", *df_t);
    line("dF n", *df_c);
    line("dF nach cjump_nf", residual(std::pow(10.0, log_cj), c.lognf, s, p, e));
  }
  return Jump::degraded;
}

// Diagnostics of the debugged element: the inputs and the derived life.
void print_inputs(const Cycle& c, int32_t dmgflag, double a, double b, double u, double v, double kappa,
                  double smax_t, double sigma_u, double smax_c, double amp, double q, double xc, double f,
                  double xctratio, double df_t, double df_c) {
  line("New Implementation for stiffness degradation");
  vx::ListLine().str("DmgFlag").i(dmgflag).print();
  line("A", a);
  line("B", b);
  line("u", u);
  line("v", v);
  vx::ListLine().str("isShear").l(c.shear).print();
  line("kappa", kappa);
  line("sigma_o", smax_t);
  line("sigma_u", sigma_u);
  line("smax_t", smax_t);
  line("smax_c", smax_c);
  line("a", amp);
  line("q", q);
  line("c", xc);
  line("f", f);
  line("NF", c.nf);
  line("Strength ratio Tension/Compression", xctratio);
  line("current dF_t", df_t);
  line("current dF_c", df_c);
  line("Cycle jump", c.cjimp);
  line("real current/last cycle", c.d_last);
  line("alpha_t (Exp. im Kehrwert)", c.alpha_t);
  line("beta_t (Exp. ohne Kehrwert)", c.beta_t);
  line("alpha_c (Exp. im Kehrwert)", c.alpha_c);
  line("beta_c (Exp. ohne Kehrwert)", c.beta_c);
  line("gamma (Exp. mit Kehrwert)", c.gamma);
  line("lambda (Exp. ohne Kehrwert)", c.lambda);
  line("lim", c.lim);
}

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
  const double A = *a_, B = *b_, cjimp = *cjimp_;

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

  Cycle cy;
  cy.nf = nf;
  cy.lognf = lognf;
  cy.cjimp = cjimp;
  cy.degr_fac = *degr_fac_;
  cy.d_last = *n_ - cjimp;
  cy.lim = *lim_;
  cy.floor_t = std::fabs(smax_t);
  cy.floor_c = smax_c;
  cy.alpha_t = *alpha_t;
  cy.alpha_c = *alpha_c;
  cy.beta_t = *beta_t;
  cy.beta_c = *beta_c;
  cy.gamma = *gamma_;
  cy.lambda = *lambda_;
  cy.tension = (kappa >= 0.0 && kappa < 1.0) || (kappa < 0.0 && std::fabs(smax_t) >= smax_c);
  cy.compression = kappa > 1.0 || (kappa < 0.0 && std::fabs(smax_t) < smax_c);
  cy.shear = *isshear != 0;
  cy.debug = *noel == vx::debugdata::edebug;

  if (cy.debug)
    print_inputs(cy, *dmgflag, A, B, *u_, *v_, kappa, smax_t, sigma_u, smax_c, amp, q, c, f, *xctratio, *df_t,
                 *df_c);

  // A peak or bottom stress that is not a number decides neither the branch
  // nor the life (the maximum and minimum above can drop it, which reads as
  // a constant stress); nor does an infinite one, no state a ply is known
  // to be in (it makes the stress ratio, the life or a residual curve NaN,
  // or fails the ply in one cycle with its other half intact); a held
  // factor or a degr_fac that is not a number would be dropped by the
  // minima below, which keep or restore a factor, and degr_fac decides
  // whether the ply is used up. A life relation with a
  // NaN constant (a, b, u, v, xctratio) gives a NaN life, and a NaN cycle
  // number (held nm, n, cjimp, or an equivalent cycle number of a NaN
  // exponent) a NaN position on it, which the comparisons with the life
  // would read as used up for the active factor alone. Each verdict is
  // unknown: the life counts as used up and every factor drops to degr_fac
  // (std::min keeps a NaN first argument), never to an intact ply.
  auto used_up = [&](const char* why) {
    vx::report(-2, why);
    if (!(*nm >= 1.0)) *nm = 1.0;
    for (double* fac : {de, df_t, df_c}) *fac = std::min(cy.degr_fac, *fac);
    if (*dmgflag == 2) *cjump_nf = vx::huge;
  };
  const char* cycle_nan = "NaN cycle number in GradualDegradation: life counted as used up";
  const bool form = *dmgflag == 1 || *dmgflag == 2;  // any other is refused below
  const char* unknown = nullptr;
  const double stresses[4] = {*speak_t, *sbottom_t, *speak_c, *sbottom_c};
  if (form && !(std::isfinite(stresses[0]) && std::isfinite(stresses[1]) && std::isfinite(stresses[2]) &&
                std::isfinite(stresses[3])))
    unknown = vx::util::any_nan(stresses, 4) ? "NaN stress in GradualDegradation: life counted as used up"
                                             : "Infinite stress in GradualDegradation: life counted as used up";
  else if (form && (std::isnan(*de) || std::isnan(*df_t) || std::isnan(*df_c) || std::isnan(cy.degr_fac)))
    unknown = "NaN factor in GradualDegradation: life counted as used up";
  // A constant stress reads no life: nothing degrades whatever it is.
  else if (form && (cy.tension || cy.compression) && std::isnan(lognf))
    unknown = "NaN life in GradualDegradation: life counted as used up";
  if (unknown) {
    used_up(unknown);
    return;
  }

  double n_eq = 0.0;
  if (*dmgflag == 1) {
    if (!accumulate_damage(cy, nm, de, df_t, df_c, n_eq)) {
      used_up(cycle_nan);
      return;
    }
  } else if (*dmgflag == 2) {
    const Jump j = equivalent_cycles(cy, nm, de, df_t, df_c, cjump_nf, n_eq);
    if (j == Jump::unknown) used_up(cycle_nan);
    if (j != Jump::degraded) return;
  } else {
    vx::report(-2, "Error: Default case in subroutine GradualDegradation. Please check your input parameters.");
    return;
  }

  if (cy.debug) {
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
