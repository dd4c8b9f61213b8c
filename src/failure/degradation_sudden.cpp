// Stiffness and strength degradation after a failure check: the ply discount
// (sudden), its rate-regularised variant, the two-entry isotropic law and its
// regularised variant, the accumulated damage of a laminate and the placement
// of a factor vector into a stiffness-shaped matrix. Degraded values only ever
// decrease: every update takes the minimum with the value already held.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "listout.h"
#include "util.h"
#include "vexlan/degradation.h"
#include "vx.h"

namespace {

inline double regularise(double dold, double dnew, double eta, double dt) {
  return dt / (dt + eta) * dnew + eta / (dt + eta) * dold;
}

// |v| with the sign of s (positive for a zero s).
inline double with_sign(double v, double s) { return s < 0.0 ? -std::fabs(v) : std::fabs(v); }

// Records -2 with "<what> in <routine>".
void report_nan(const char* what, const char* routine) {
  char msg[80];
  std::snprintf(msg, sizeof msg, "%s in %s", what, routine);
  vx::report(-2, msg);
}

// Whether a held value that the minima of the discount would pass over is
// NaN: a factor of de or df, or G12, G13, G23. Run on every call, so a sum
// tree stands for eighteen tests: it is NaN when a term is (or when +inf
// meets -inf, which no held factor or modulus is).
inline bool held_nan(const double* de, const double* df, const double* degpe) {
  const double s = ((de[0] + de[1]) + (de[2] + de[3])) + ((de[4] + de[5]) + (degpe[6] + degpe[7]));
  const double t = ((df[0] + df[1]) + (df[2] + df[3])) + ((df[4] + df[5]) + (df[6] + df[7]));
  return std::isnan((s + t) + (df[8] + degpe[8]));
}

// The modes whose failure a NaN held value stands for: fibre for the factors
// of E1 and of the fibre strengths and for G12, G13, which only fibre failure
// lowers; matrix failure for the rest. Recorded once.
[[gnu::cold, gnu::noinline]] void held_unknown(bool& fibre, bool& matrix, const double* degpe, const double* de,
                                                const double* df, const char* routine) {
  using vx::util::any_nan;
  const bool f = std::isnan(de[0]) || any_nan(df, 2) || any_nan(degpe + 6, 2);
  const bool m = any_nan(de + 1, 5) || any_nan(df + 2, 7) || std::isnan(degpe[8]);
  if (f || m) report_nan("NaN held factor or shear modulus", routine);
  fibre |= f;
  matrix |= m;
}

// Ply discount with separate retained fractions for fibre (ff) and matrix (fm)
// failure. A mode whose history the caller found lost (fibre_lost,
// matrix_lost) counts as failed.
void discount(double* degpe, double* degps, const double* pe, const double* ps, double* de, double* df,
              double* g_f, double* g_m, const double* ttol, double ff, double fm, const double* nm,
              const char* routine, bool fibre_lost = false, bool matrix_lost = false) {
  double mode[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  bool modes = false;  // mode values in effect; without them a NaN ttol(2) meets only the zeros
  if (nm) {
    bool unset = true;
    for (int i = 0; i < 6; ++i) unset = unset && nm[i] == -1.0;
    if (!unset) std::copy(nm, nm + 6, mode), modes = true;
  }
  // The new value comes first in every minimum: over a NaN held value it is
  // the one kept.
  auto degrade = [&](double f, int e0, int s0) {
    for (int i = e0; i < 6; ++i) degpe[i] = std::min(f * pe[i], degpe[i]);
    for (int i = s0; i < 9; ++i) degps[i] = with_sign(std::min(std::fabs(f * ps[i]), std::fabs(degps[i])), ps[i]);
  };
  // An effort or mode value compared with a threshold where either is NaN has
  // no verdict: it counts as failed, never as intact. Every comparison is
  // made, so an unknown one is reported even where another decides.
  bool unknown = false;
  auto reached = [&](double v, double t, bool at) {
    if (std::isnan(v) || std::isnan(t)) {
      unknown = true;
      return true;
    }
    return at ? v >= t : v > t;
  };
  auto mode_reached = [&](int i) { return modes ? reached(mode[i], ttol[1], false) : mode[i] > ttol[1]; };
  bool fibre = reached(*g_f, ttol[0], true) | mode_reached(0) | fibre_lost;
  bool matrix = reached(*g_m, ttol[0], true) | matrix_lost;
  for (int i = 1; i < 6; ++i) matrix = mode_reached(i) | matrix;
  if (unknown) report_nan("NaN failure effort or threshold", routine);
  // A held factor or shear modulus that is NaN has lost its history, and the
  // minima below would replace it by the new, possibly intact, value: it
  // counts as failure of the mode that lowers it. (A NaN held E1..nu23 or
  // strength is kept unless its mode fails, and so is its factor.)
  if (held_nan(de, df, degpe)) [[unlikely]]
    held_unknown(fibre, matrix, degpe, de, df, routine);
  if (fibre) {
    *g_f = 1.0;
    degrade(ff, 0, 0);
  }
  if (matrix) {
    *g_m = 1.0;
    degrade(fm, 1, 2);
  }
  // A zero undegraded entry (a zero Poisson ratio) has no ratio: its factor stays.
  for (int i = 0; i < 6; ++i)
    if (pe[i] != 0.0) de[i] = std::min(degpe[i] / pe[i], de[i]);
  for (int i = 0; i < 9; ++i)
    if (ps[i] != 0.0) df[i] = std::min(degps[i] / ps[i], df[i]);
  // G12 and G13 follow E1, G23 follows E2.
  degpe[6] = std::min(de[0] * pe[6], degpe[6]);
  degpe[7] = std::min(de[0] * pe[7], degpe[7]);
  degpe[8] = std::min(de[1] * pe[8], degpe[8]);
}

// The discount of a NaN fraction: reported, and total loss of what fails.
[[gnu::cold, gnu::noinline]] void discount_total_loss(double* degpe, double* degps, const double* pe,
                                                      const double* ps, double* de, double* df, double* g_f,
                                                      double* g_m, const double* ttol, const double* nm,
                                                      const char* routine) {
  report_nan("NaN degradation factor", routine);
  discount(degpe, degps, pe, ps, de, df, g_f, g_m, ttol, 0.0, 0.0, nm, routine);
}

// A retained fraction in [0, 1]: outside it the modulus would turn negative or
// stiffen. A NaN fraction is reported and counts as total loss, never as intact.
double retained(double f, const char* routine) {
  if (std::isnan(f)) {
    report_nan("NaN degradation factor", routine);
    return 0.0;
  }
  return std::clamp(f, 0.0, 1.0);
}

void isotropic(const double* pe, double d, double life, double degr, double frac, double* degpe,
               const char* routine) {
  // 1 once failed or the life is used up; never beyond total loss. An unknown
  // damage or life must not pass the material as intact: it counts as failed.
  double k;
  if (std::isnan(d) || std::isnan(life)) {
    report_nan("NaN damage or life", routine);
    k = 1.0;
  } else {
    k = std::clamp(std::floor(std::max(life, d)), 0.0, 1.0);
  }
  degpe[0] = (1.0 - (1.0 - frac) * k) * pe[0];
  degpe[1] = degr < 1.0 ? pe[1] * (1.0 - k) : pe[1];
}

}  // namespace

VX_API void viscouseregularisation(const double* dold, const double* dnew, double* dviscouse, const double* eta,
                                   const double* dt) {
  *dviscouse = regularise(*dold, *dnew, *eta, *dt);
}

VX_API void SuddenDegradation(double* degpeprops, double* degpsprops, const double* peprops, const double* psprops,
                              double* de, double* df, double* g_f, double* g_m, const double* ttol,
                              const double* degrfac, const double* nm) {
  // A NaN fraction leaves the degraded values unknown: it counts as total
  // loss and is reported, as in the viscous variant. The report stays out of
  // line: inlined, its message buffer gave every call a stack frame.
  const double f = *degrfac;
  if (std::isnan(f)) [[unlikely]]
    return discount_total_loss(degpeprops, degpsprops, peprops, psprops, de, df, g_f, g_m, ttol, nm,
                               "SuddenDegradation");
  discount(degpeprops, degpsprops, peprops, psprops, de, df, g_f, g_m, ttol, f, f, nm, "SuddenDegradation");
}

VX_API void SuddenDegradation_viscouse(double* degpeprops, double* degpsprops, const double* peprops,
                                       const double* psprops, double* de, double* df, double* g_f, double* g_m,
                                       const double* ttol, const double* degrfac, const double* nm,
                                       double* degr_old, const double* eta, const double* dt) {
  const char* routine = "SuddenDegradation_viscouse";
  double f1 = 1.0 - regularise(1.0 - *degr_old, 1.0 - *degrfac, *eta, *dt);
  // min_element passes over a NaN factor after the first: the smallest is
  // then unknown.
  const double m = vx::util::any_nan(de + 1, 5) ? vx::not_a_number : *std::min_element(de + 1, de + 6);
  double f2 = 1.0 - regularise(1.0 - m, 1.0 - *degrfac, *eta, *dt);
  // A fraction that comes out NaN (from degr_old, the factors, degrfac, eta
  // or dt) has lost the mode's history: the mode counts as failed with total
  // loss, and the fraction is stored so, never dropped by the minima as if
  // nothing had been lost.
  const bool fibre_lost = std::isnan(f1), matrix_lost = std::isnan(f2);
  if (fibre_lost || matrix_lost) {
    report_nan("NaN degradation factor", routine);
    if (fibre_lost) f1 = 0.0;
    if (matrix_lost) f2 = 0.0;
  }
  *degr_old = f1;
  std::fill(de + 1, de + 6, f2);
  vx::ListLine().str("Get regularised degradation factor").print();
  vx::ListLine().str("Viskose degradation for FF").r(f1).print();
  vx::ListLine().str("Viskose degradation for IFF").r(f2).print();
  discount(degpeprops, degpsprops, peprops, psprops, de, df, g_f, g_m, ttol, f1, f2, nm, routine, fibre_lost,
           matrix_lost);
}

VX_API void IsotropicDegradation(const double* peprops, const double* d, const double* life, const double* degr,
                                 double* degpeprops) {
  const double f = retained(*degr, "IsotropicDegradation");
  isotropic(peprops, *d, *life, f, f, degpeprops, "IsotropicDegradation");
}

VX_API void IsotropicDegradation_viscouse(const double* peprops, const double* d, const double* life,
                                          const double* degr, double* degpeprops, double* degr_old,
                                          const double* eta, const double* dt) {
  const char* routine = "IsotropicDegradation_viscouse";
  const double f = retained(*degr, routine);
  const double fr = retained(1.0 - regularise(1.0 - *degr_old, 1.0 - f, *eta, *dt), routine);
  *degr_old = fr;
  isotropic(peprops, *d, *life, f, fr, degpeprops, routine);
}

VX_API double getaccumulateddamage(const double* degr, const double* nodmg, const int32_t* ndegr,
                                   const int32_t* nply) {
  const int32_t nd = *ndegr, np = *nply;
  const bool asdamage = *nodmg <= 1e-20;
  double sum = 0.0;
  for (int32_t j = 0; j < np; ++j) {
    double s = 0.0;
    for (int32_t i = 0; i < nd; ++i) {
      const double v = degr[i + int64_t(nd) * j];
      const double r = asdamage ? 1.0 - v : v / *nodmg;
      s += std::log10(std::max(r, 1e-20));
    }
    sum += -s / (20.0 * nd);
  }
  return sum / np;
}

VX_API void GetNyeDegradationMatrix(double* d, const double* degrf, const int32_t* ntens, const int32_t* psflag) {
  const int32_t n = *ntens;
  // A negative ntens has no entries; 64 bits keep n * n exact.
  for (int64_t k = 0; k < (n > 0 ? int64_t(n) * n : 0); ++k) d[k] = 1.0;
  auto at = [&](int i, int j) -> double& { return d[(i - 1) + n * (j - 1)]; };
  auto f = [&](int k) { return degrf[k - 1]; };
  if (n == 3) {
    at(1, 1) = f(1);
    at(1, 2) = at(2, 1) = f(2);
    at(2, 2) = f(3);
    at(3, 3) = f(4);
  } else if (n == 4 || n == 6) {
    at(1, 1) = f(1);
    at(1, 2) = at(2, 1) = f(2);
    at(2, 2) = f(3);
    at(4, 4) = f(4);
    if (!(psflag && *psflag == 0)) {
      at(1, 3) = at(3, 1) = f(7);
      at(2, 3) = at(3, 2) = f(8);
      at(3, 3) = f(9);
      if (n == 6) {
        at(5, 5) = f(5);
        at(6, 6) = f(6);
      }
    }
  } else {
    vx::report(-2, "Unsupported dimension in GetNyeDegradationMatrix");
  }
}
