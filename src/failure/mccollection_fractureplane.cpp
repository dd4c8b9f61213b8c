// Fracture-plane matrix-cracking criteria: each one searches the action plane
// turned by theta about the fibre axis for the largest exposure of its
// traction (normal sn, longitudinal shear tn1, transverse shear tnt) and
// returns it as the effort, with the fracture angle on request. The per-plane
// work is a handful of flops on precomputed sines and cosines; nothing is
// allocated.
#include <cmath>
#include <cstdint>
#include <limits>

#include "mccollection_search.h"
#include "vexlan/mccollection.h"
#include "vx.h"

using namespace vx::failure;

namespace {

constexpr double two_degrees = 2.0 * vx::deg2rad;  // SPC3D's own step
inline int32_t flag_or(const int32_t* f, int32_t def) { return f ? *f : def; }

inline void set_angle(double* outtheta, double effort, double angle) {
  if (outtheta && *outtheta < 0.0 && effort >= 1.0) *outtheta = angle;
}

inline double sq(double x) { return x * x; }

// Planes on which the exposure changes branch with the sign of the normal
// traction.
inline Breaks sign_change_planes(double s22, double s33, double s23) {
  Breaks b;
  normal_traction_zeros(b, s22, s33, s23);
  return b;
}

// The search of the criteria that look at every plane of a half turn, with
// the default step of 5 degrees.
template <class F>
inline PlaneMax half_turn_search(F&& f, const double* sainc, const int32_t* gsflag, double s22, double s33,
                                 double s23, bool pass_undefined = false) {
  return fracture_plane_search(f, 0.0, vx::pi, step_rad(sainc), flag_or(gsflag, 0), five_degrees,
                               sign_change_planes(s22, s33, s23), pass_undefined);
}

// Puck's action-plane exposure with inclination parameters gp and the
// fracture resistance ra of the transverse-shear plane.
struct PuckPlane {
  double xt22, x12, ra, gp[4];
  bool vdi;  // the guideline's inclination weights
  double operator()(double sn, double tn1, double tnt) const {
    double c2, s2;
    if (vdi) {
      if (std::fabs(tnt) > 1e-6) {
        const double psi = std::atan(tn1 / tnt);
        c2 = sq(std::cos(psi));
        s2 = sq(std::sin(psi));
      } else {
        c2 = 3.749399456654644e-33;
        s2 = 1.0;
      }
    } else {
      const double t2 = tnt * tnt + tn1 * tn1;
      if (t2 == 0.0) {
        c2 = s2 = 0.0;
      } else {
        c2 = tnt * tnt / t2;
        s2 = tn1 * tn1 / t2;
      }
    }
    if (sn >= 0.0) {
      const double pr = gp[2] * c2 / ra + gp[0] * s2 / x12;
      return std::sqrt(sq((1.0 / xt22 - pr) * sn) + sq(tnt / ra) + sq(tn1 / x12)) + pr * sn;
    }
    const double pr = gp[3] * c2 / ra + gp[1] * s2 / x12;
    return std::sqrt(sq(tnt / ra) + sq(tn1 / x12) + sq(pr * sn)) + pr * sn;
  }
};

// LaRC friction exposure of the shear tractions (without square root).
inline double larc_shear(double sn, double tn1, double tnt, double st, double eta_t, double sl, double eta_l) {
  return sq(tnt / (st - eta_t * sn)) + sq(tn1 / (sl - eta_l * sn));
}

}  // namespace

VX_API void MCrckLaRC05(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                        const double* s23, const double* xt22, const double* xc22, const double* x12,
                        const double* a0, double* outtheta, const double* sainc, const int32_t* gsflag) {
  *rmc = 0.0;
  const A0Factors k = a0_factors(a0);
  const double st = k.st(*xc22), eta_t = k.eta_t, sl = *x12, eta_l = eta_t * sl / st;
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23, yt = *xt22;
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, t22, t33, t12, t13, t23);
    return larc_shear(t.sn, t.tn1, t.tnt, st, eta_t, sl, eta_l) + sq(std::fmax(t.sn, 0.0) / yt);
  };
  const PlaneMax m = half_turn_search(f, sainc, gsflag, t22, t33, t23);
  *rmc = m.value;
  set_angle(outtheta, *rmc, m.angle);
}

VX_API void MCrckCamanho(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                         const double* s23, const double* xt22, const double* xc22, const double* x12,
                         const double* x23, double* outtheta, const double* a0, const double* sainc,
                         const int32_t* gsflag) {
  (void)xc22;  // the transverse shear strength x23 stands for it
  // On planes of small tensile traction the root's argument may be negative
  // for a sound stress state (below failure there); the search passes over
  // those planes, so inputs that are not numbers are caught here.
  if (!std::isfinite(*s22) || !std::isfinite(*s33) || !std::isfinite(*s12) || !std::isfinite(*s13) ||
      !std::isfinite(*s23) || std::isnan(*xt22) || std::isnan(*x12) || std::isnan(*x23) || !finite_or_absent(a0, 1)) {
    *rmc = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const A0Factors k = a0_factors(a0);
  const double st = *x23, sl = *x12, eta_t = k.eta_t_half, eta_l = eta_t * sl / st, yt = *xt22;
  const double kappa = (st * st - yt * yt) / (yt * st);
  const double lambda = 2.0 * eta_l * st / sl - kappa;
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, t22, t33, t12, t13, t23);
    if (t.sn <= 0.0) return std::sqrt(larc_shear(t.sn, t.tn1, t.tnt, st, eta_t, sl, eta_l));
    const double n = t.sn / st, l2 = sq(t.tn1 / sl);
    return std::sqrt(n * n + l2 + sq(t.tnt / st) + lambda * n * l2 + kappa * n);
  };
  const PlaneMax m = half_turn_search(f, sainc, gsflag, t22, t33, t23, true);
  *rmc = m.value;
  set_angle(outtheta, *rmc, m.angle);
}

VX_API void MCrckWiegand(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                         const double* s23, const double* xt22, const double* xc22, const double* x12,
                         double* outtheta, const double* a0, const double* sainc, const int32_t* gsflag) {
  const A0Factors k = a0_factors(a0);
  const double st = *xc22 / k.two_tan, eta_t = k.eta_t_half, sl = *x12, eta_l = eta_t * sl / st, yt = *xt22;
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, t22, t33, t12, t13, t23);
    double q = larc_shear(t.sn, t.tn1, t.tnt, st, eta_t, sl, eta_l);
    if (t.sn >= 0.0) q += sq(t.sn / yt);
    return std::sqrt(q);
  };
  const PlaneMax m = half_turn_search(f, sainc, gsflag, t22, t33, t23);
  *rmc = m.value;
  set_angle(outtheta, *rmc, m.angle);
}

VX_API void MCrckPuck(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                      const double* s23, const double* xt22, const double* xc22, const double* x12, double* outtheta,
                      const double* gp, const double* sainc, const int32_t* gsflag, int32_t* tcflag) {
  PuckPlane p{*xt22, *x12, 0.0, {0.3, 0.2, 0.15, 0.15}, false};
  if (gp)
    for (int i = 0; i < 4; ++i) p.gp[i] = gp[i];
  p.ra = *xc22 / (2.0 * (1.0 + p.gp[3]));
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, t22, t33, t12, t13, t23);
    return p(t.sn, t.tn1, t.tnt);
  };
  const PlaneMax m = half_turn_search(f, sainc, gsflag, t22, t33, t23);
  *rmc = m.value;
  set_angle(outtheta, *rmc, m.angle);
  // Tension or compression on the fracture plane itself.
  if (tcflag && *rmc >= 1.0) *tcflag = plane_traction(m.c, m.s, t22, t33, t12, t13, t23).sn < 0.0 ? -1 : 1;
}

VX_API void MCrckVDI2014(double* rmc, const double* s11, const double* s22, const double* s33, const double* s12,
                         const double* s13, const double* s23, const double* xt11, const double* xc11,
                         const double* xt22, const double* xc22, const double* x12, double* outtheta,
                         const double* gp, const double* wp, const double* sainc, const int32_t* gsflag) {
  PuckPlane p{*xt22, *x12, 0.0, {0.3, 0.3, 0.25, 0.25}, true};
  if (gp)
    for (int i = 0; i < 4; ++i) p.gp[i] = gp[i];
  p.ra = *xc22 / (2.0 * (1.0 + p.gp[3]));
  const double w1 = wp ? wp[0] : 0.5, w2 = wp ? wp[1] : 0.5;
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, t22, t33, t12, t13, t23);
    return p(t.sn, t.tn1, t.tnt);
  };
  const PlaneMax m = half_turn_search(f, sainc, gsflag, t22, t33, t23);
  // Weakening of the inter-fibre exposure near fibre failure.
  const double fiff = m.value;
  const double fff = *s11 >= 0.0 ? *s11 / *xt11 : -*s11 / *xc11;
  const double r = fff > 1e-6 ? fiff / fff : 1e6;
  double effort = fiff;
  if (!std::isfinite(*s11) || std::isnan(*s11 >= 0.0 ? *xt11 : *xc11) || !finite_or_absent(wp, 2)) {
    // The fibre stress decides the weakening; without a finite one (or its
    // strength, or finite weakening parameters) the effort is unknown.
    effort = std::numeric_limits<double>::quiet_NaN();
  } else if (w1 <= r && r <= 1.0 / w2) {
    const double c = (1.0 - w2) / std::sqrt(1.0 - w1 * w1);
    const double d = (c * std::sqrt(1.0 + (c * c - w2 * w2) * r * r) + w2) * r / (1.0 + sq(r * c));
    effort = fiff / d;
  }
  *rmc = effort;
  set_angle(outtheta, *rmc, m.angle);
}

VX_API void MCrckSPC3D(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                       const double* s23, const double* xt11, const double* xc11, const double* xt22,
                       const double* xc22, const double* xt33, const double* xc33, const double* xt12,
                       const double* xt13, const double* xt23, const double* xcs, double* outtheta,
                       const double* gp, const double* sainc, const double* salims, const int32_t* gsflag) {
  (void)xt11;
  (void)xc11;  // fibre strengths play no part on planes parallel to the fibres
  // An infinite shear strength under compression would zero the compressive
  // planes' exposure: a failed ply could read as intact.
  if (!finite_or_absent(xcs, 3)) {
    *rmc = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const double yt = *xt22, yc = *xc22, zt = *xt33, zc = *xc33, st12 = *xt12, st13 = *xt13, st23 = *xt23;
  const double sc12 = xcs ? xcs[0] : st12, sc13 = xcs ? xcs[1] : st13, sc23 = xcs ? xcs[2] : st23;
  const double p1 = gp ? gp[0] : 0.3, p2 = gp ? gp[1] : -0.3;
  const double lo = salims ? salims[0] * vx::deg2rad : 2.0 * vx::deg2rad;
  const double hi = salims ? salims[1] * vx::deg2rad : 178.0 * vx::deg2rad;
  const double dx = step_rad(sainc, two_degrees);
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, t22, t33, t12, t13, t23);
    const double q = std::fabs(2.0 * s * c), ss = s * s, cc = c * c, as = std::fabs(s), ac = std::fabs(c);
    if (t.sn < 0.0) {
      const double a = p2 * t.sn / (ss * yc + cc * zc + sc23 * q);
      return std::sqrt(a * a + sq(t.tnt / ((yc + zc) * q + sc23)) + sq(t.tn1 / (as * sc12 + ac * sc13))) + a;
    }
    const double b = t.sn / (ss * yt + cc * zt + st23 * q);
    return p1 * b + std::sqrt(sq(1.0 - p1) * b * b + sq(t.tnt / ((yt + zt) * q + st23)) +
                              sq(t.tn1 / (as * st12 + ac * st13)));
  };
  // Jumps where the normal traction changes sign, kinks where |sin 2 theta| turns.
  Breaks breaks = sign_change_planes(t22, t33, t23);
  quarter_turns(breaks);
  const PlaneMax m = fracture_plane_search(f, lo, hi, dx, flag_or(gsflag, 0), two_degrees, breaks);
  *rmc = m.value;
  set_angle(outtheta, *rmc, m.angle);
}

VX_API void MCrckLaRC04(double* rmc, const double* s11, const double* s22, const double* s33, const double* s12,
                        const double* s13, const double* s23, const double* xt11, const double* xc11,
                        const double* xt22, const double* xc22, const double* x12, const double* e11,
                        const double* e22, const double* g12, const double* nu12, const double* gc,
                        const double* a0, double* outtheta, const double* sainc, const int32_t* fcl,
                        const int32_t* gsflag) {
  (void)xt11;
  *rmc = 0.0;
  const bool fcl_set = fcl && *fcl != 0;
  if (*s22 >= 0.0) {
    if (!fcl_set) *rmc = larc_matrix_tension(*s22 / *xt22, toughness_ratio(gc), *s12, *s23, *x12, *e11, *e22, *nu12);
    return;
  }
  // s11 chooses the frame of the search; an infinite one (or not a number)
  // chooses none, and the effort is unknown.
  if (!std::isfinite(*s11)) {
    *rmc = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const A0Factors k = a0_factors(a0);
  const double st = k.st(*xc22), eta_t = k.eta_t, sl = *x12, eta_l = eta_t * sl / st;
  const double dx = step_rad(sainc);
  const int32_t mode = flag_or(gsflag, 0);
  Stress6 w{*s11, *s22, *s33, *s12, *s13, *s23};
  double lo = -vx::pi;
  // Fibre compression beyond the transverse compressive strength kinks the
  // fibres: the planes are then those of the misaligned frame. Above it the
  // fibre stress plays no part in matrix cracking.
  if (!(*s11 >= -*xc22)) {
    // Misalignment frame: kink plane, then the fibre misalignment angle.
    lo = 0.0;
    const double psi = kink_plane_angle(*s22, *s33, *s23);
    w = turn_about_1(w, std::cos(psi), std::sin(psi));
    if (fcl_set) return;
    const double phic = initial_misalignment(eta_l, sl, *xc11);
    const double phi = sign_of(w.s12) * misalignment_under_load(phic, *xc11, *g12, *s11, *s12, *s22);
    w = turn_about_3(w, std::cos(phi), std::sin(phi));
  }
  auto f = [&](double c, double s) __attribute__((always_inline)) {
    const Traction t = plane_traction(c, s, w.s22, w.s33, w.s12, w.s13, w.s23);
    return larc_shear(t.sn, t.tn1, t.tnt, st, eta_t, sl, eta_l);
  };
  const PlaneMax m = fracture_plane_search(f, lo, vx::pi, dx, mode, five_degrees);
  *rmc = m.value;
  set_angle(outtheta, *rmc, m.angle);
}
