// Search for the action plane of largest exposure, shared by the fracture-plane
// matrix criteria and the fibre-kinking criteria. The exposure is a callable
// f(theta, c, s) of the plane angle and its cosine and sine.
//
// Scan mode visits lo, lo + dx, lo + 2 dx, ... while not beyond hi (the angle
// accumulated step by step, as the reverse-communication search does) and
// keeps the first strictly largest value, angle 0 and value 0 when none
// exceeds 0. Each plane uses the library sine and cosine of its accumulated
// angle (a rotation recurrence drifts by several ulps over a scan, enough to
// drop an exposure of exactly 1.0 at a strength below 1.0); the values are
// kept per thread for the last few scans, so a repeated scan costs no
// library call.
// Golden mode drives the reverse-communication search of the math component
// with stack storage and reports the best value it saw (with its angle), not
// merely the value at its last golden point.
#pragma once
#include <cmath>
#include <cstdint>

#include "vexlan/math_golden.h"
#include "vx.h"

namespace vx::failure {

struct PlaneMax {
  double value;
  double angle;
};

// Largest capacity any criterion asks for.
constexpr int32_t max_search_points = 200;

// Sines and cosines of the planes of one scan.
constexpr int32_t max_table_planes = 512;
struct PlaneTrig {
  double lo, hi, dx;
  int32_t n;  // planes held; 0 unused slot; -1 more planes than a table holds
  double c[max_table_planes], s[max_table_planes];
};

// The table of the scan (lo, hi, dx), from the per-thread cache or built into
// its oldest slot; null when the scan has more planes than a table holds.
inline const PlaneTrig* plane_trig(double lo, double hi, double dx) {
  constexpr int slots = 4;
  thread_local PlaneTrig cache[slots];
  thread_local int oldest = 0;
  for (const PlaneTrig& t : cache)
    if (t.n != 0 && t.lo == lo && t.hi == hi && t.dx == dx) return t.n > 0 ? &t : nullptr;
  PlaneTrig& t = cache[oldest];
  oldest = (oldest + 1) % slots;
  t.lo = lo, t.hi = hi, t.dx = dx;
  int32_t n = 0;
  for (double th = lo;;) {
    if (n == max_table_planes) {
      t.n = -1;
      return nullptr;
    }
    t.c[n] = std::cos(th);
    t.s[n] = std::sin(th);
    ++n;
    const double next = th + dx;
    if (!(next <= hi) || !(next > th)) break;
    th = next;
  }
  t.n = n;
  return &t;
}

// The finest scan: a step that would visit more planes than this over the
// range (a hang for all practical purposes) is widened to it, with a note.
constexpr double max_scan_planes = 1e6;

template <class F>
inline PlaneMax scan_planes(F&& f, double lo, double hi, double dx) {
  PlaneMax best{0.0, 0.0};
  if (dx > 0.0 && dx < (hi - lo) / max_scan_planes) {
    report(-2, "Step of the fracture plane search too small: widened to a millionth of the range");
    dx = (hi - lo) / max_scan_planes;
  }
  if (const PlaneTrig* t = plane_trig(lo, hi, dx)) {
    double th = lo;
    for (int32_t k = 0; k < t->n; ++k, th += dx) {
      const double v = f(th, t->c[k], t->s[k]);
      if (v > best.value) best = {v, th};
    }
    return best;
  }
  for (double th = lo;;) {
    const double v = f(th, std::cos(th), std::sin(th));
    if (v > best.value) best = {v, th};
    const double next = th + dx;
    // Past the upper end, or a step that no longer moves forward: done.
    if (!(next <= hi) || !(next > th)) break;
    th = next;
  }
  return best;
}

template <class F>
inline PlaneMax golden_planes(F&& f, double lo, double hi, double dx, int32_t capacity) {
  if (capacity > max_search_points) capacity = max_search_points;
  double x[max_search_points], y[max_search_points];
  double xmove[4], ymove[4] = {0.0, 0.0, 0.0, 0.0}, lplimits[2];
  int32_t incr = 0, proc = 0, xdir = 0;
  vx_l1 golden = 0, finish = 0, update = 0;
  const int32_t one = 1;
  IniGoldenSearch(x, y, xmove, lplimits, &incr, &proc, &golden, &finish, &lo, &hi, &dx, &one, &capacity);
  double xi = 0.0, yi = 0.0;
  PlaneMax best{0.0, 0.0};
  bool any = false;
  while (!finish) {
    // A degenerate closing parabola falls back to the best plane so far.
    const double fallback = best.angle;
    GSSAFE(&xi, &yi, &dx, x, y, xmove, ymove, lplimits, &xdir, &incr, &proc, &golden, &update, &finish,
           &fallback, &capacity);
    if (update) {
      yi = f(xi, std::cos(xi), std::sin(xi));
      if (!any || yi > best.value) {
        if (yi == yi) {
          best = {yi, xi};
          any = true;
        }
      }
    }
  }
  if (!any) return {0.0, 0.0};
  return best;
}

// gsflag 1: golden section; anything else: the scan.
template <class F>
inline PlaneMax search_planes(F&& f, double lo, double hi, double dx, int32_t gsflag, int32_t capacity) {
  if (gsflag == 1) return golden_planes(f, lo, hi, dx, capacity);
  return scan_planes(f, lo, hi, dx);
}

// Traction on the action plane turned by theta about the fibre axis, from its
// cosine c and sine s: normal, longitudinal shear (1-n), transverse shear (n-t).
struct Traction {
  double sn, tn1, tnt;
};
inline Traction plane_traction(double c, double s, double s22, double s33, double s12, double s13, double s23) {
  const double cc = c * c, ss = s * s, sc = s * c;
  return {s33 * cc + s22 * ss - 2.0 * s23 * sc, s13 * c - s12 * s, s23 * (cc - ss) + (s33 - s22) * sc};
}

// Stress components (Nye order 11, 22, 33, 12, 13, 23) in axes turned by an
// angle about axis 1 (c, s its cosine and sine) and about axis 3.
struct Stress6 {
  double s11, s22, s33, s12, s13, s23;
};
inline Stress6 turn_about_1(const Stress6& a, double c, double s) {
  const double cc = c * c, ss = s * s, sc = s * c;
  return {a.s11,
          cc * a.s22 + ss * a.s33 + 2.0 * sc * a.s23,
          ss * a.s22 + cc * a.s33 - 2.0 * sc * a.s23,
          c * a.s12 + s * a.s13,
          c * a.s13 - s * a.s12,
          sc * (a.s33 - a.s22) + (cc - ss) * a.s23};
}
inline Stress6 turn_about_3(const Stress6& a, double c, double s) {
  const double cc = c * c, ss = s * s, sc = s * c;
  return {cc * a.s11 + ss * a.s22 + 2.0 * sc * a.s12,
          ss * a.s11 + cc * a.s22 - 2.0 * sc * a.s12,
          a.s33,
          sc * (a.s22 - a.s11) + (cc - ss) * a.s12,
          c * a.s13 + s * a.s23,
          c * a.s23 - s * a.s13};
}

// Sign with a zero (of either sign) counted as positive.
inline double sign_of(double x) { return x < 0.0 ? -1.0 : 1.0; }

// Kink-plane angle 0.5 atan(2 s23 / (s22 - s33)); 0 when the transverse
// stress is hydrostatic (0/0).
inline double kink_plane_angle(double s22, double s33, double s23) {
  const double d = s22 - s33;
  if (d == 0.0 && s23 == 0.0) return 0.0;
  return 0.5 * std::atan(2.0 * s23 / d);
}

// Quadratic exposure 1/lambda of lambda b + lambda^2 c = 1 from the root
// already formed: D = sqrt(b^2 + 4c) - b. Where D vanishes (c = 0, b >= 0)
// the limit of 2c/D is b, 0 when there is no linear term.
inline double quadratic_effort(double b, double c, double d) {
  if (d == 0.0) return b > 0.0 ? b : 0.0;
  return 2.0 * c / d;
}

}  // namespace vx::failure
