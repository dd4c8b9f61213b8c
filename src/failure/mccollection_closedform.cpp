// Closed-form matrix-cracking (inter-fibre failure) criteria: Cuntze's
// failure-mode concept in two editions, the Hashin family, Chang-Chang, Chai,
// Christensen and the mode-wise Bahei criterion. No plane search.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "mccollection_kernels.h"
#include "mccollection_search.h"
#include "util.h"
#include "vexlan/mccollection.h"
#include "vx.h"

namespace {

inline double sq(double x) { return x * x; }

using vx::failure::finite_or_absent;

const char* const cuntze_note = "Note: Negative root during Cuntze failureevaluation. Please check your input parameters.";
const char* const hashin_note = "Note: Negative root during Hashin failureevaluation. Please check your input parameters.";
const char* const christensen_note =
    "Note: Negative root during Christensen failureevaluation. Please check your input parameters.";

inline bool all_zero(double a, double b, double c, double d, double e) {
  return a == 0.0 && b == 0.0 && c == 0.0 && d == 0.0 && e == 0.0;
}

// Stress components from a shortened vector: (11, 22, 12), (11, 22, 33, 12)
// or the Nye 6-vector; components the vector does not hold are 0.
struct Components {
  double s11 = 0, s22 = 0, s33 = 0, s12 = 0, s13 = 0, s23 = 0;
};
inline Components components(const double* v, int32_t n) {
  Components c;
  if (n >= 6) {
    c = {v[0], v[1], v[2], v[3], v[4], v[5]};
  } else if (n >= 4) {
    c.s11 = v[0], c.s22 = v[1], c.s33 = v[2], c.s12 = v[3];
  } else if (n == 3) {
    c.s11 = v[0], c.s22 = v[1], c.s12 = v[2];
  } else {
    if (n >= 1) c.s11 = v[0];
    if (n >= 2) c.s22 = v[1];
  }
  return c;
}

}  // namespace

VX_API void MCrckCuntze2012(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                            const double* s23, const double* xt22, const double* xc22, const double* x12,
                            const double* gp, const double* mint) {
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  // Only a stress-free ply is skipped: stresses that merely sum to zero
  // (s22 = -s33) still load the matrix.
  if (all_zero(t22, t33, t12, t13, t23)) {
    *rmc = 0.0;
    return;
  }
  // Parameters that are not finite give no effort (an infinite exponent
  // would make it 1 whatever the stress).
  if (!finite_or_absent(gp, 2) || !finite_or_absent(mint, 1)) {
    *rmc = vx::not_a_number;
    return;
  }
  const double b = gp ? gp[0] : 0.16, bpp = gp ? gp[1] : 1.16, m = mint ? *mint : 2.4;
  const double i1 = t22 + t33, r = std::sqrt(4.0 * t23 * t23 + sq(t22 - t33));
  const double e1 = std::max((i1 + r) / (2.0 * *xt22), 0.0);
  const double e2 = std::max(((bpp - 1.0) * i1 + bpp * r) / *xc22, 0.0);
  const double i3 = 2.0 * t22 * t12 * t12 + 2.0 * t33 * t13 * t13 + 4.0 * t23 * t13 * t12;
  const double s = *x12;
  const double a = b * i3 + std::sqrt(sq(b * i3) + 4.0 * s * s * sq(t12 * t12 + t13 * t13));
  double e3 = 0.0;
  if (a < 0.0) vx::report(-3, cuntze_note);
  else e3 = std::max(std::sqrt(a / (2.0 * s * s * s)), 0.0);
  *rmc = std::pow(std::pow(e1, m) + std::pow(e2, m) + std::pow(e3, m), 1.0 / m);
}

VX_API void MCrckCuntze2004(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                            const double* s23, const double* xt22, const double* xc22, const double* x12,
                            const double* x13, const double* gp, const double* mint) {
  const double t22 = *s22, t33 = *s33, t12 = *s12, t13 = *s13, t23 = *s23;
  if (all_zero(t22, t33, t12, t13, t23)) {
    *rmc = 0.0;
    return;
  }
  if (!finite_or_absent(gp, 3) || !finite_or_absent(mint, 1)) {
    *rmc = vx::not_a_number;
    return;
  }
  const double b = gp ? gp[0] : 0.13, bpp = gp ? gp[1] : 1.5, c = gp ? gp[2] : 0.4, m = mint ? *mint : 2.5;
  const double s = (*x12 + *x13) / 2.0, yc = *xc22;
  const double i1 = t22 + t33, r = std::sqrt(4.0 * t23 * t23 + sq(t22 - t33));
  // Larger root of the transverse-tension mode, (I1 + R) / (2 xt22): the
  // rationalised quotient form loses it whenever s22 s33 = s23^2.
  double e1 = (i1 + r) / (2.0 * *xt22);
  if (e1 < 0.0) e1 = 0.01;
  const double q = (2.0 * b * (t22 * t12 * t12 + t33 * t13 * t13 + 2.0 * t12 * t13 * t23) +
                    std::pow(t12 * t12 + t13 * t13, 1.5)) /
                   (s * s * s);
  const double e3 = !(q < 0.0) ? std::cbrt(q) : 0.01;  // not a number stays one
  const double k = c * (t12 * t12 + t13 * t13) + bpp * r * r;
  double e2;
  if (k == 0.0) {
    // Hydrostatic transverse stress without shear: the quadratic term
    // vanishes and the mode is linear in I1 (not 1/(inf - inf)).
    e2 = (bpp - 1.0) * i1 / yc;
  } else {
    const double h = (bpp - 1.0) * i1 * yc / k;
    const double w = yc * yc / k + h * h / 4.0;
    double sw = 0.0;
    if (w < 0.0) vx::report(-3, cuntze_note);
    else sw = std::sqrt(w);
    e2 = std::max(1.0 / (sw - h / 2.0), 1.0 / (-h / 2.0 - sw));
  }
  if (e2 < 0.0) e2 = 0.01;
  *rmc = std::pow(std::pow(e1, m) + std::pow(e3, m) + std::pow(e2, m), 1.0 / m);
}

VX_API void MCrckChangChang(double* rmc, const double* s22, const double* s12, const double* xt22,
                            const double* xc22, const double* x12) {
  *rmc = vx::mccollection::chang_chang(*s22, *s12, *xt22, *xc22, *x12);
}

VX_API void MCrckChai(double* rmc, const double* s22, const double* s12, const double* s23, const double* xt22,
                      const double* xc22, const double* x12, const double* x23, const double* dang) {
  (void)dang;
  *rmc = vx::mccollection::chai(*s22, *s12, *s23, *xt22, *xc22, *x12, *x23);
}

VX_API void MCrckChristensen(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                             const double* s23, const double* xt22, const double* xc22, const double* xt33,
                             const double* xc33, const double* x12, const double* x13, const double* x23) {
  *rmc = 0.0;
  const double t22 = *s22, t33 = *s33, i1 = t22 + t33;
  const double b = (1.0 / *xt22 - 1.0 / *xc22) * t22 + (1.0 / *xt33 - 1.0 / *xc33) * t33;
  const double c = (sq(*s23) - t22 * t33) / sq(*x23) + sq(*s12 / *x12) + sq(*s13 / *x13) +
                   i1 * i1 / std::sqrt(*xt22 * *xc22 * *xt33 * *xc33);
  const double disc = b * b + 4.0 * c;
  if (disc < 0.0) {
    vx::report(-1, christensen_note);
    return;
  }
  *rmc = vx::failure::quadratic_effort(b, c, std::sqrt(disc) - b);
}

VX_API void MCrckHashin1989(double* rmc, const double* s22, const double* s33, const double* s12, const double* s13,
                            const double* s23, const double* xt22, const double* xc22, const double* xt33,
                            const double* xc33, const double* x12, const double* x13, const double* x23) {
  *rmc = 0.0;
  const double t22 = *s22, t33 = *s33, i1 = t22 + t33;
  const double t = (sq(*s23) - t22 * t33) / sq(*x23);
  const double shear = sq(*s12 / *x12) + sq(*s13 / *x13);
  if (i1 >= 0.0) {
    const double q = i1 * i1 / (*xt22 * *xt33) + t + shear;
    // Not a number stays one: only a real q below or at 0 has no root.
    if (!(q <= 0.0)) *rmc = std::sqrt(q);
    else vx::report(-1, hashin_note);
    return;
  }
  const double c = i1 * i1 / (4.0 * sq(*x23)) + t + shear;
  const double b = (t22 / *xc22 + t33 / *xc33) * (*xc22 * *xc33 / (4.0 * sq(*x23)) - 1.0);
  const double disc = 4.0 * c + b * b;
  if (disc < 0.0) {
    vx::report(-1, hashin_note);
    return;
  }
  *rmc = vx::failure::quadratic_effort(b, c, std::sqrt(disc) - b);
}

VX_API void MCrckHashinComplete(double* rmc, const double* s22, const double* s33, const double* s12,
                                const double* s13, const double* s23, const double* xt22, const double* xc22,
                                const double* x12, const double* x23) {
  const double t22 = *s22, t33 = *s33, i1 = t22 + t33;
  const double t = (sq(*s23) - t22 * t33) / sq(*x23);
  const double l = (sq(*s12) + sq(*s13)) / sq(*x12);
  if (i1 >= 0.0) {
    const double q = sq(i1 / *xt22) + t + l;
    *rmc = !(q <= 0.0) ? std::sqrt(q) : 0.0;  // not a number stays one
    return;
  }
  const double c = i1 * i1 / (4.0 * sq(*x23)) + t + l;
  const double b = (sq(*xc22) / (4.0 * sq(*x23)) - 1.0) * i1 / *xc22;
  const double d = std::sqrt(4.0 * c + b * b) - b;
  *rmc = d == 0.0 ? b : 2.0 * c / d;
}

VX_API void MCrckHashin3D(double* rmc, const double* s22, const double* s12, const double* s13, const double* s23,
                          const double* xt22, const double* xc22, const double* x12, const double* x23) {
  const double t22 = *s22;
  const double l = (sq(*s12) + sq(*s13)) / sq(*x12), tt = sq(*s23 / *x23);
  if (t22 >= 0.0) {
    *rmc = std::sqrt(sq(t22 / *xt22) + l + tt);
    return;
  }
  const double c = sq(t22 / (2.0 * *x23)) + l + tt;
  // The linear term belongs with the transverse shear strength, as in the
  // quadratic term, so that s22 = -xc22 alone is exactly at failure.
  const double b = (sq(*xc22 / (2.0 * *x23)) - 1.0) * t22 / *xc22;
  *rmc = 2.0 * c / (std::sqrt(4.0 * c + b * b) - b);
}

VX_API void MCrckHashinPS(double* rmc, const double* s22, const double* s12, const double* xt22, const double* xc22,
                          const double* x12, const double* x23) {
  const double t22 = *s22;
  if (t22 >= 0.0) {
    *rmc = std::sqrt(sq(t22 / *xt22) + sq(*s12 / *x12));
    return;
  }
  const double c = sq(t22 / (2.0 * *x23)) + sq(*s12 / *x12);
  const double b = (sq(*xc22 / (2.0 * *x23)) - 1.0) * t22 / *xc22;
  *rmc = 2.0 * c / (std::sqrt(4.0 * c + b * b) - b);
}

VX_API void MCrckBahei(double* rmc, const double* stressvector, const double* xnorm, const double* xshear,
                       const int32_t* nstress, const double* interphase, int32_t* failmode) {
  const Components s = components(stressvector, *nstress);
  double f[3] = {(s.s11 * s.s11 + s.s22 * s.s22 + s.s33 * s.s33 - s.s11 * s.s22 - s.s22 * s.s33 - s.s33 * s.s11) /
                     sq(*xnorm) +
                     3.0 * (s.s12 * s.s12 + s.s13 * s.s13 + s.s23 * s.s23) / sq(*xshear),
                 0.0, 0.0};
  const bool with_interphase = interphase && interphase[0] != -1.0 && interphase[1] != -1.0;
  if (with_interphase) {
    const double si = interphase[0], mu = interphase[1];
    f[0] = 0.0;
    f[1] = std::fabs(mu * std::min(s.s33, 0.0) + std::sqrt(s.s23 * s.s23 + s.s13 * s.s13)) / si;
    f[2] = std::max(s.s33, 0.0) / *xnorm;
  }
  // The largest mode value; one that is not a number makes the effort unknown.
  const int32_t mode = vx::util::largest_location(f, 3);
  *rmc = f[mode - 1];
  if (failmode && *failmode < 0 && *rmc >= 1.0) *failmode = mode;
}
