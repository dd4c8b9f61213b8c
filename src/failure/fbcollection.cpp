// Fibre-breakage criteria: the stress-ratio forms, Christensen's quadratic
// form, Bahei's mode-wise criterion and the LaRC fibre-kinking criteria. The
// kinking criteria turn the stress into the kink plane (angle psi about the
// fibre axis) and then into the misaligned fibre frame (angle phi about
// axis 3), and evaluate the matrix exposure on the kink plane there.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "fbcollection_kernels.h"
#include "mccollection_search.h"
#include "util.h"
#include "vexlan/fbcollection.h"
#include "vx.h"

using namespace vx::failure;

namespace {

inline double sq(double x) { return x * x; }

const char* const root_note = "Note: Negative root during Christensen failureevaluation. Please check your input parameters.";
const char* const zero_note =
    "Note: Division by Zero during Christensen failureevaluation. Please check your input parameters.";

}  // namespace

VX_API void FBChangChang(double* rfb, const double* s11, const double* s12, const double* xt11, const double* xc11,
                         const double* x12) {
  *rfb = vx::fbcollection::chang_chang(*s11, *s12, *xt11, *xc11, *x12);
}

VX_API void FBHashin(double* rfb, const double* s11, const double* s12, const double* s13, const double* xt11,
                     const double* xc11, const double* x12, const double* x13, const double* alpha) {
  *rfb = vx::fbcollection::hashin(*s11, *s12, *s13, *xt11, *xc11, *x12, *x13, alpha ? *alpha : 1.0);
}

VX_API void FBChristensen(double* rfb, const double* s11, const double* s22, const double* s33, const double* xt11,
                          const double* xc11) {
  *rfb = 0.0;
  const double xt = *xt11, xc = *xc11, t11 = *s11;
  const double b = (1.0 / xt - 1.0 / xc) * t11;
  const double c = t11 * t11 / (xt * xc) - 0.25 * sq(1.0 / xt + 1.0 / xc) * t11 * (*s22 + *s33);
  const double disc = b * b + 4.0 * c;
  // An infinite stress can drive the quadratic term to minus infinity; that is
  // no negative root of a real stress state, and 0 would pass the ply.
  const bool finite = std::isfinite(t11) && std::isfinite(*s22) && std::isfinite(*s33);
  if (disc < 0.0) {
    if (finite) vx::report(-1, root_note);
    else *rfb = vx::not_a_number;
    return;
  }
  const double d = std::sqrt(disc) - b;
  if (d == 0.0) {
    if (finite) vx::report(-1, zero_note);
    else *rfb = vx::not_a_number;
    return;
  }
  *rfb = 2.0 * c / d;
}

VX_API void FBBahei(double* rfb, const double* stressvector, const double* xlnorm, const double* xtnorm,
                    const double* xlshear, const double* xtshear, const double* mu, const int32_t* nstress,
                    int32_t* failmode) {
  const double* v = stressvector;
  const int32_t n = *nstress;
  double s11 = 0, s22 = 0, s33 = 0, s12 = 0, s13 = 0, s23 = 0;
  if (n >= 6) {
    s11 = v[0], s22 = v[1], s33 = v[2], s12 = v[3], s13 = v[4], s23 = v[5];
  } else if (n >= 4) {
    s11 = v[0], s22 = v[1], s33 = v[2], s12 = v[3];
  } else if (n == 3) {
    s11 = v[0], s22 = v[1], s12 = v[2];
  } else {
    if (n >= 1) s11 = v[0];
    if (n >= 2) s22 = v[1];
  }
  double f[4] = {0.0, 0.0, 0.0, 0.0};
  // Fibre tension rules out the other modes; at the strength itself it
  // already counts, so that s11 = xlnorm gives 1.0. A fibre stress that is
  // not a finite number (or a strength that is not a number) picks no branch:
  // the effort is unknown.
  if (s11 >= *xlnorm) {
    f[0] = std::fabs(s11 / *xlnorm);
  } else if (!(s11 < *xlnorm) || std::isinf(s11)) {
    f[0] = vx::not_a_number;
  } else {
    const double m = *mu;
    // Normal stress on the plane of the longitudinal shear resultant.
    const double t2 = s12 * s12 + s13 * s13;
    const double sn = t2 > 0.0 ? (s12 * s12 * s22 + s13 * s13 * s33 + 2.0 * s12 * s13 * s23) / t2 : 0.0;
    f[1] = std::fabs((std::sqrt(t2) + m * std::min(sn, 0.0)) / *xlshear);
    const double mean = (s22 + s33) / 2.0, r = 0.5 * std::sqrt(4.0 * s23 * s23 + sq(s22 - s33));
    f[2] = std::fabs((r + m * std::min(mean, 0.0)) / *xtshear);
    f[3] = std::max(mean + r, 0.0) / *xtnorm;
  }
  // The largest mode value; one that is not a number makes the effort unknown.
  const int32_t mode = vx::util::largest_location(f, 4);
  *rfb = f[mode - 1];
  if (failmode && *failmode < 0 && *rfb >= 1.0) *failmode = mode;
}

VX_API void FBLaRC04(double* rfb, const double* s11, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt11, const double* xc11, const double* xt22,
                     const double* xc22, const double* x12, const double* e11, const double* e22, const double* g12,
                     const double* nu12, const double* gc, const double* a0, const int32_t* fcl) {
  *rfb = 0.0;
  if (*s11 >= 0.0) {
    *rfb = *s11 / *xt11;
    return;
  }
  const double psi = kink_plane_angle(*s22, *s33, *s23);
  Stress6 w = turn_about_1({*s11, *s22, *s33, *s12, *s13, *s23}, std::cos(psi), std::sin(psi));
  if (fcl && *fcl != 0) return;
  const A0Factors k = a0_factors(a0);
  const double st = k.st(*xc22), sl = *x12, eta_l = k.eta_t * sl / st;
  const double phic = initial_misalignment(eta_l, sl, *xc11);
  const double phi = sign_of(w.s12) * misalignment_under_load(phic, *xc11, *g12, *s11, *s12, *s22);
  w = turn_about_3(w, std::cos(phi), std::sin(phi));
  if (w.s22 < 0.0) {
    *rfb = sq(w.s12 / (sl - eta_l * w.s22));
    return;
  }
  *rfb = larc_matrix_tension(w.s22 / *xt22, toughness_ratio(gc), w.s12, w.s13, sl, *e11, *e22, *nu12);
}

namespace {

// Kinking search shared by the two LaRC05 routines: for every kink-plane
// angle psi, the stress turned by psi about the fibre axis and by the
// misalignment +-phi about axis 3 (the sign of the turned t12, zero counting
// as positive), and the exposure taken on the kink plane (plane 2 of the
// misaligned frame: sn = s22m, ta = s12m, tb = s23m). The misalignment turns
// the other way where the turned t12 = cos psi s12 + sin psi s13 changes
// sign, and the exposure jumps there: the search looks at that plane from
// both sides.
template <class Exposure>
inline double kink_search(const Stress6& s, double phi, double dx, int32_t gsflag, Exposure&& exposure) {
  const double cp = std::cos(phi), sp = std::sin(phi);
  auto f = [&](double c, double sn) __attribute__((always_inline)) {
    const Stress6 r = turn_about_1(s, c, sn);
    const Stress6 m = turn_about_3(r, cp, sign_of(r.s12) * sp);
    return exposure(m.s22, m.s12, m.s23);
  };
  Breaks breaks;
  breaks.add(s.s13, -s.s12);  // no shear along the fibres: no such plane
  return fracture_plane_search(f, 0.0, vx::pi, dx, gsflag, five_degrees, breaks).value;
}

}  // namespace

VX_API void FBLaRC05(double* rfb, const double* s11, const double* s22, const double* s33, const double* s12,
                     const double* s13, const double* s23, const double* xt11, const double* xc11, const double* xt22,
                     const double* xc22, const double* x12, const double* g12, const double* a0, const double* sainc,
                     const int32_t* gsflag, const int32_t* fcl) {
  *rfb = 0.0;
  if (*s11 >= 0.0) {
    *rfb = *s11 / *xt11;
    return;
  }
  if (fcl && *fcl != 0) return;
  const A0Factors k = a0_factors(a0);
  const double st = k.st(*xc22), eta_t = k.eta_t, sl = *x12, eta_l = eta_t * sl / st, yt = *xt22;
  // |phi|: the sign follows the turned t12 plane by plane.
  const double phi = misalignment_under_load(initial_misalignment(eta_l, sl, *xc11), *xc11, *g12, *s11, *s12, *s22);
  auto e = [&](double sn, double ta, double tb) {
    return sq(tb / (st - eta_t * sn)) + sq(ta / (sl - eta_l * sn)) + sq(std::fmax(sn, 0.0) / yt);
  };
  *rfb = kink_search({*s11, *s22, *s33, *s12, *s13, *s23}, phi, step_rad(sainc), gsflag ? *gsflag : 0, e);
}

VX_API void FBLaRC05_is(double* rfb, const double* s11, const double* s22, const double* s33, const double* s12,
                        const double* s13, const double* s23, const double* xt11_std, const double* xc11_std,
                        const double* xt22_std, const double* x23_std, const double* x12_std, const double* g12,
                        const double* a0, const double* sainc, const int32_t* gsflag, const int32_t* fcl,
                        const double* x_is) {
  // In-situ overrides: 0 selects the fallback (a NaN counts as a value).
  auto pick = [&](int i, double fallback) { return (x_is && x_is[i] != 0.0) ? x_is[i] : fallback; };
  const double xt = pick(0, *xt11_std), ya = pick(1, *xt22_std), yb = pick(2, ya), xc = pick(3, *xc11_std);
  const double sla = pick(6, *x12_std), slb = pick(7, sla), st = pick(8, *x23_std);
  *rfb = 0.0;
  if (*s11 >= 0.0) {
    *rfb = *s11 / xt;
    return;
  }
  if (fcl && *fcl != 0) return;
  const A0Factors k = a0_factors(a0);
  const double eta_t = k.eta_t, eta_l = eta_t * *x12_std / *x23_std;
  const double phic = initial_misalignment(eta_l, *x12_std, *xc11_std);
  const double phi = misalignment_under_load(phic, xc, *g12, *s11, *s12, *s22);
  const double c2 = sq(std::cos(phi)), s2 = sq(std::sin(phi));
  const double sl = slb * c2 + sla * s2, y = c2 * yb + s2 * ya;
  auto e = [&](double sn, double ta, double tb) {
    return sq(ta / (sl - eta_l * sn)) + sq(tb / (st - eta_t * sn)) + sq(std::fmax(sn, 0.0) / y);
  };
  const double v = kink_search({*s11, *s22, *s33, *s12, *s13, *s23}, phi, step_rad(sainc), gsflag ? *gsflag : 0, e);
  // Kinking is only taken seriously beyond half the compressive strength (a
  // comparison with a value that is not a number keeps the search's value).
  *rfb = !(std::fabs(*s11) <= std::fabs(0.5 * xc)) ? v : 0.0;
}
