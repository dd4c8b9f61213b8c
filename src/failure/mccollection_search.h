// Search for the action plane of largest exposure, shared by the fracture-plane
// matrix criteria and the fibre-kinking criteria. The exposure is a callable
// f(c, s) of the cosine and sine of the plane angle; the criteria mark it
// always_inline, since the search calls it from several places (steps, break
// sides, the end) and a call per plane cost a scan about a fifth.
//
// Scan mode visits lo, lo + dx, lo + 2 dx, ... while not beyond hi (the angle
// accumulated step by step, as the reverse-communication search does) and
// keeps the first strictly largest value, angle 0 and value 0 when none
// exceeds 0. Each plane uses the library sine and cosine of its accumulated
// angle (a rotation recurrence drifts by several ulps over a scan, enough to
// drop an exposure of exactly 1.0 at a strength below 1.0); the values are
// kept per thread for the last few scans, with those of the upper end, so a
// repeated scan costs no library call. The planes where the exposure jumps or
// kinks (the break planes the criterion names) are then looked at from both
// sides, and the upper end of a range that is not whole half turns when the
// steps stop short of it; each wins where it is larger: a cusp between two
// steps would pass a failed ply.
//
// Golden mode runs the same scan (break planes and end included), then
// refines by golden section around every local maximum of the scan within
// 10 % of the best, between the plane's two neighbours, down to a bracket of
// 0.01 degrees. The sides of a break plane bound the smooth segments: each
// side is an end of its segment, refined towards the inside when the segment
// may peak there, so a peak just beyond a break is found whatever the
// step's last bits place on which side of it. The exposure over the plane
// angle is often bimodal, so one golden search over the whole range would
// settle on whichever peak it starts near. Over a range of whole half turns
// the exposure repeats, so the end planes are neighbours. The result is the
// best value seen, scan or refinement, with its own angle; it is never below
// the scan at the same step.
//
// An exposure that is not a number on any plane (a stress or strength that is
// not a number, an infinite stress met by a zero factor) makes the result not
// a number, with angle 0: the largest exposure is unknown then, and passing
// over the plane would report a ply as intact on the planes that remain. A
// criterion whose exposure is undefined on some planes of a sound stress
// state (a root of a negative number, far from failure) asks for such planes
// to be passed over instead, and checks its own inputs.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "vx.h"

namespace vx::failure {

// Best plane: exposure, angle, and the cosine and sine the exposure was
// evaluated with (for quantities taken on that same plane afterwards).
struct PlaneMax {
  double value;
  double angle;
  double c, s;
};

// The default step, the same bits as an increment of 5 degrees given
// (5 deg2rad): omitting it and passing it build the same planes.
constexpr double five_degrees = 5.0 * vx::deg2rad;

// The scan step in radians: the increment sainc in degrees when given.
inline double step_rad(const double* sainc, double default_dx = five_degrees) {
  return sainc ? *sainc * vx::deg2rad : default_dx;
}

// The result of a search that met an exposure that is not a number.
inline PlaneMax unknown_plane() { return {std::numeric_limits<double>::quiet_NaN(), 0.0, 1.0, 0.0}; }

// Cosine and sine of the two limits of a range.
struct RangeEnds {
  double c_lo, s_lo, c_hi, s_hi;
};

// Whether [lo, hi] spans whole half turns, over which the exposure repeats
// (the end planes are then one and the same).
inline bool whole_half_turns(double lo, double hi) {
  const double range = hi - lo, turns = std::round(range / vx::pi);
  return turns >= 1.0 && std::fabs(range - turns * vx::pi) <= 1e-12 * range;
}

// Sines and cosines of the planes of one scan, and of its limits.
constexpr int32_t max_table_planes = 512;
struct PlaneTrig {
  double lo, hi, dx;
  int32_t n;  // planes held; 0 unused slot; -1 more planes than a table holds
  bool periodic;  // whole half turns
  RangeEnds ends;
  double c[max_table_planes], s[max_table_planes];
};

// The table of the scan (lo, hi, dx), from the per-thread cache or built into
// its oldest slot. A scan with more planes than a table holds keeps only its
// limits there (n = -1).
inline const PlaneTrig& plane_trig(double lo, double hi, double dx) {
  constexpr int slots = 4;
  thread_local PlaneTrig cache[slots];
  thread_local int oldest = 0;
  for (const PlaneTrig& t : cache)
    if (t.n != 0 && t.lo == lo && t.hi == hi && t.dx == dx) return t;
  PlaneTrig& t = cache[oldest];
  oldest = (oldest + 1) % slots;
  t.lo = lo, t.hi = hi, t.dx = dx;
  t.periodic = whole_half_turns(lo, hi);
  t.ends = {std::cos(lo), std::sin(lo), std::cos(hi), std::sin(hi)};
  int32_t n = 0;
  for (double th = lo;;) {
    if (n == max_table_planes) {
      t.n = -1;
      return t;
    }
    t.c[n] = std::cos(th);
    t.s[n] = std::sin(th);
    ++n;
    const double next = th + dx;
    if (!(next <= hi) || !(next > th)) break;
    th = next;
  }
  t.n = n;
  return t;
}

// The finest scan: a step that would visit more planes than this over the
// range (a hang for all practical purposes) is widened to it, with a note.
constexpr double max_scan_planes = 1e6;

// The step the search runs with. A step of zero, a negative or an infinite one
// or NaN would look at the lower limit and the break planes only, and in
// golden mode a step wider than the range leaves nothing to refine; either
// would pass a failed ply as intact, so the criterion's default step stands
// in, with a warning.
inline double usable_step(double dx, double lo, double hi, bool golden, double default_dx) {
  if (!(dx > 0.0 && dx < std::numeric_limits<double>::infinity()) || (golden && hi > lo && dx > hi - lo)) {
    report(-2, "Warning: Step of the fracture plane search not usable; default step taken.", nullptr, 0, &dx, 1);
    dx = default_dx;
  }
  if (dx < (hi - lo) / max_scan_planes) {
    report(-2, "Step of the fracture plane search too small: widened to a millionth of the range");
    dx = (hi - lo) / max_scan_planes;
  }
  return dx;
}

// Hands every plane of the scan of table t to visit(theta, c, s) in order.
template <class V>
inline void walk_planes(const PlaneTrig& t, V&& visit) {
  const double lo = t.lo, hi = t.hi, dx = t.dx;
  if (t.n > 0) {
    double th = lo;
    for (int32_t k = 0; k < t.n; ++k, th += dx) visit(th, t.c[k], t.s[k]);
    return;
  }
  for (double th = lo;;) {
    visit(th, std::cos(th), std::sin(th));
    const double next = th + dx;
    // Past the upper end, or a step that no longer moves forward: done.
    if (!(next <= hi) || !(next > th)) break;
    th = next;
  }
}

// Local maxima of a scan that may deserve refinement (positive ones: a plane
// that carries nothing has nothing to refine), each with the bracket between
// its neighbours. Kept on the fly in a fixed list: entries that fall
// below the 10 % band of the best so far make room; when the list is still
// full the lowest entry gives way.
class PeakList {
 public:
  static constexpr double band = 0.9;
  static constexpr int capacity = 32;
  struct Peak {
    double value, left, right;
  };

  void add(double value, double left, double right, double best) {
    if (!(value > 0.0 && value >= band * best)) return;
    if (n_ == capacity) prune(best);
    if (n_ == capacity) {
      int low = 0;
      for (int k = 1; k < n_; ++k)
        if (p_[k].value < p_[low].value) low = k;
      if (!(value > p_[low].value)) return;
      p_[low] = {value, left, right};
      return;
    }
    p_[n_++] = {value, left, right};
  }
  void prune(double best) {
    int m = 0;
    for (int k = 0; k < n_; ++k)
      if (p_[k].value >= band * best) p_[m++] = p_[k];
    n_ = m;
  }
  int size() const { return n_; }
  const Peak& operator[](int k) const { return p_[k]; }

 private:
  Peak p_[capacity];
  int n_ = 0;
};

// Golden-section refinement of [a, b] down to a bracket of 0.01 degrees; every
// point goes through eval, which keeps the best.
template <class E>
inline void golden_section(E&& eval, double a, double b) {
  constexpr double inv_phi = 0.6180339887498949;
  constexpr double width = 0.01 * vx::deg2rad;
  if (!(b > a)) return;
  double x1 = b - inv_phi * (b - a), x2 = a + inv_phi * (b - a);
  double f1 = eval(x1), f2 = eval(x2);
  // The bracket shrinks by the golden ratio each turn; the cap only guards
  // against ranges no ply search uses.
  for (int turn = 0; b - a > width && turn < 200; ++turn) {
    if (f1 < f2) {
      a = x1, x1 = x2, f1 = f2;
      x2 = a + inv_phi * (b - a);
      f2 = eval(x2);
    } else {
      b = x2, x2 = x1, f2 = f1;
      x1 = b - inv_phi * (b - a);
      f1 = eval(x1);
    }
  }
}


// Planes where an exposure may jump or kink (a change of branch with the sign
// of the normal traction, a strength that varies with |sin 2 theta|), named
// by their direction modulo a half turn: the cosine and sine of an angle in
// [0, pi), and that angle where it is known exactly. A scan steps over them,
// and a golden section across one may settle on the lesser side; both modes
// look at each from both sides, so that every smooth segment is bracketed on
// its own. The angle of a direction found from its cosine and sine is worked
// out only where it is needed (a side that wins, the order of golden mode):
// it costs more than the exposure of a plane.
struct Breaks {
  static constexpr int capacity = 8;
  double c[capacity], s[capacity], at[capacity];
  int n = 0;
  // The direction of (x, y), x along the cosine; a zero or non-finite one
  // names no plane.
  void add(double x, double y, double angle = not_a_number) {
    const double ax = std::fabs(x), ay = std::fabs(y), big = ax > ay ? ax : ay;
    if (!(big > 0.0 && big < std::numeric_limits<double>::infinity()) || x != x || y != y || n == capacity) return;
    if (!(big > 1e-150 && big < 1e150)) x /= big, y /= big;  // squares neither overflow nor vanish
    if (y < 0.0 || (y == 0.0 && x < 0.0)) x = -x, y = -y;    // the same plane, in [0, pi)
    const double r = std::sqrt(x * x + y * y);
    c[n] = x / r, s[n] = y / r + 0.0;  // no sine of -0: its angle would be -pi
    at[n++] = angle;
  }
};

// The planes in which sn = s33 c^2 + s22 s^2 - 2 s23 s c changes sign: where
// s22 t^2 - 2 s23 t + s33 = 0 in t = tan theta, two planes when the
// discriminant s23^2 - s22 s33 is positive (one sign all round otherwise, or a
// double root that touches zero without crossing). Roots from the form that
// cancels nothing: t1 = q / s22 and t2 = s33 / q with q = s23 +- the root of
// the discriminant, as the directions (s22, q) and (q, s33).
inline void normal_traction_zeros(Breaks& b, double s22, double s33, double s23) {
  const double a22 = std::fabs(s22), a33 = std::fabs(s33), a23 = std::fabs(s23);
  const double big = a22 > a33 ? (a22 > a23 ? a22 : a23) : (a33 > a23 ? a33 : a23);
  if (!(big > 0.0 && big < std::numeric_limits<double>::infinity())) return;
  if (!(big > 1e-150 && big < 1e150)) s22 /= big, s33 /= big, s23 /= big;
  const double disc = s23 * s23 - s22 * s33;
  if (!(disc > 0.0)) return;
  const double q = s23 + std::copysign(std::sqrt(disc), s23);
  b.add(s22, q);
  b.add(q, s33);
}

// The planes theta = k pi/2 (cosine and sine exact).
inline void quarter_turns(Breaks& b) {
  b.add(1.0, 0.0, 0.0);
  b.add(0.0, 1.0, 0.5 * vx::pi);
}

// A plane where the exposure jumps or kinks is looked at this far to either
// side of it, so that each side's branch is seen.
constexpr double break_side = 1e-8;

// The break planes inside a range: every repeat (a half turn apart) of each
// direction in [lo, hi], by cosine and sine, and by angle where known.
struct BreakPlanes {
  static constexpr int capacity = 16;
  double c[capacity], s[capacity], at[capacity];
  int n = 0;
  // Within [0, pi] the ends' cosines and sines place a plane without its angle.
  bool in_half_turn;
  RangeEnds e;
  double lo, hi;

  BreakPlanes(const Breaks& b, double lo_, double hi_, const RangeEnds& ends)
      : in_half_turn(lo_ >= 0.0 && hi_ <= vx::pi && lo_ <= hi_), e(ends), lo(lo_), hi(hi_) {
    for (int k = 0; k < b.n; ++k) {
      if (in_half_turn) {
        // sin(theta - lo) >= 0 and sin(hi - theta) >= 0, with theta in [0, pi)
        // and the range within a half turn.
        if (b.s[k] * e.c_lo - b.c[k] * e.s_lo >= 0.0 && b.c[k] * e.s_hi - b.s[k] * e.c_hi >= 0.0)
          add(b.c[k], b.s[k], b.at[k]);
        // The plane pi, the repeat of the plane 0.
        if (b.s[k] == 0.0 && vx::pi <= hi) add(-1.0, 0.0, vx::pi);
        continue;
      }
      const double t0 = b.at[k] == b.at[k] ? b.at[k] : std::atan2(b.s[k], b.c[k]);
      const double turns = std::ceil((lo - t0) / vx::pi);  // first repeat not below lo
      double sign = std::fmod(turns, 2.0) == 0.0 ? 1.0 : -1.0;
      for (double t = t0 + turns * vx::pi; t <= hi; t += vx::pi, sign = -sign) {
        if (n == capacity) return;
        add(sign * b.c[k], sign * b.s[k] + 0.0, t);
      }
    }
  }
  void add(double ck, double sk, double t) {
    if (n == capacity) return;
    c[n] = ck, s[n] = sk, at[n++] = t;
  }
  double angle(int k) {
    if (at[k] != at[k]) at[k] = std::atan2(s[k], c[k]);  // unknown only within [0, pi]
    return at[k];
  }
  // Hands the sides of plane k that lie inside (lo, hi) to visit(side, c, s),
  // side -1 below and +1 above. Both come from the plane's cosine and sine,
  // turned by break_side (whose cosine is 1.0 to the last bit).
  template <class V>
  void sides(int k, V&& visit) const {
    const double ck = c[k], sk = s[k], dc = sk * break_side, ds = ck * break_side;
    const double cb = ck + dc, sb = sk - ds, ca = ck - dc, sa = sk + ds;
    bool below, above;
    if (in_half_turn) {
      // sin(side - lo) > 0 and sin(hi - side) > 0: the plane lies in [lo, hi]
      // within [0, pi], so its sides are within break_side of that.
      below = sb * e.c_lo - cb * e.s_lo > 0.0 && cb * e.s_hi - sb * e.c_hi > 0.0;
      above = sa * e.c_lo - ca * e.s_lo > 0.0 && ca * e.s_hi - sa * e.c_hi > 0.0;
    } else {
      below = at[k] - break_side > lo && at[k] - break_side < hi;
      above = at[k] + break_side > lo && at[k] + break_side < hi;
    }
    if (below) visit(-1, cb, sb);
    if (above) visit(1, ca, sa);
  }
  // Their angles, in ascending order (golden mode slots them among the steps).
  void sort() {
    for (int k = 0; k < n; ++k) angle(k);
    for (int k = 1; k < n; ++k)
      for (int j = k; j > 0 && at[j] < at[j - 1]; --j) {
        std::swap(at[j], at[j - 1]);
        std::swap(c[j], c[j - 1]);
        std::swap(s[j], s[j - 1]);
      }
  }
};

// The sides of the break planes as golden mode visits them: angle, cosine,
// sine and side (-1 below the break, +1 above), in ascending order of angle
// (the sides of breaks closer than two offsets interleave).
struct SidePlanes {
  static constexpr int capacity = 2 * BreakPlanes::capacity;
  double u[capacity], c[capacity], s[capacity];
  int d[capacity];
  int n = 0;
  void add(double uk, double ck, double sk, int dk) {
    if (n == capacity) return;
    u[n] = uk, c[n] = ck, s[n] = sk, d[n] = dk;
    for (int j = n++; j > 0 && u[j] < u[j - 1]; --j) {
      std::swap(u[j], u[j - 1]);
      std::swap(c[j], c[j - 1]);
      std::swap(s[j], s[j - 1]);
      std::swap(d[j], d[j - 1]);
    }
  }
};

// The scan, then the break planes inside (lo, hi) from both sides, and the
// upper end when the steps stop short of it: a jump or a cusp between two
// steps would otherwise go unseen, and so would an exposure that climbs
// towards a cusp just outside the range. Such a plane replaces the scan's
// best only when strictly larger, so the result is never below the plain
// scan and equal to it where a step plane holds the maximum.
template <class F>
inline PlaneMax scan_planes(F&& f, double lo, double hi, double dx, const Breaks& breaks, bool pass_undefined) {
  const PlaneTrig& table = plane_trig(lo, hi, dx);
  PlaneMax best{0.0, 0.0, 1.0, 0.0};
  // The sum of the exposures is not a number when one of them is none (an
  // exposure of minus infinity comes with one): one addition per plane, less
  // than a second comparison.
  double sum = 0.0, last = lo;
  walk_planes(table, [&](double th, double c, double s) {
    const double v = f(c, s);
    if (v > best.value) best = {v, th, c, s};
    sum += v;
    last = th;
  });
  // Break sides: the winner's angle is worked out once, at the end.
  int won = 0, side = 0;
  BreakPlanes planes(breaks, lo, hi, table.ends);
  for (int k = 0; k < planes.n; ++k)
    planes.sides(k, [&](int d, double c, double s) {
      const double v = f(c, s);
      if (v > best.value) best = {v, 0.0, c, s}, won = k, side = d;
      sum += v;
    });
  if (last < hi && !table.periodic) {
    const double v = f(table.ends.c_hi, table.ends.s_hi);
    if (v > best.value) best = {v, hi, table.ends.c_hi, table.ends.s_hi}, side = 0;
    sum += v;
  }
  if (side != 0) best.angle = planes.angle(won) + side * break_side;
  return (sum != sum && !pass_undefined) ? unknown_plane() : best;
}

template <class F>
inline PlaneMax golden_planes(F&& f, double lo, double hi, double dx, const Breaks& breaks, bool pass_undefined) {
  const double range = hi - lo;
  const PlaneTrig& table = plane_trig(lo, hi, dx);
  // Whole half turns: the exposure at theta and theta + pi is the same.
  const bool periodic = table.periodic;

  PlaneMax best{0.0, 0.0, 1.0, 0.0};
  bool unknown = false;
  auto keep = [&](double v, double th, double c, double s) {
    if (v > best.value) best = {v, th, c, s};
    else if (v != v && !pass_undefined) unknown = true;
  };
  PeakList peaks;
  // The first two samples and the last two, for the ends; the middle ones are
  // settled as the samples pass. The break planes cut the samples into
  // segments, each bracketed on its own: the side below a break closes a segment,
  // the side above opens the next, and a local maximum is one within its
  // segment (a scan plane between the two sides belongs to neither). A segment
  // that peaks within a step of a break, its side higher than the step plane
  // beyond, is no local maximum across the break when the other side is
  // higher still, and would go unrefined.
  int32_t n = 0, m = 0;  // samples, and samples of the current segment
  bool opened = false, closed = false;  // the segment starts at a break; the last sample ended one
  double th0 = 0.0, v0 = 0.0, th1 = 0.0, v1 = 0.0, tha = 0.0, va = 0.0, thb = 0.0, vb = 0.0;
  auto take = [&](double th, double c, double s, auto side) {
    const double v = f(c, s);
    keep(v, th, c, s);
    if (side > 0) m = 0, opened = true;
    if (m >= 2 && vb > va && vb >= v) peaks.add(vb, tha, th, best.value);
    // falling away from a break: the segment may still peak within this step
    if (m == 1 && opened && vb >= v) peaks.add(vb, thb, th, best.value);
    if (n == 0) th0 = th, v0 = v;
    if (n == 1) th1 = th, v1 = v;
    tha = thb, va = vb, thb = th, vb = v;
    ++n, ++m;
    closed = side < 0;
    if (closed) {
      // climbing towards a break: the segment may peak within its last step
      if (m >= 2 && vb > va) peaks.add(vb, tha, th, best.value);
      m = 0, opened = false;
    }
  };
  // Each side of a break plane enters the sequence of scan planes in its own
  // place, and a scan plane may fall between the two (a break on a step plane,
  // within a rounding of the step's sum).
  BreakPlanes planes(breaks, lo, hi, table.ends);
  planes.sort();
  SidePlanes sides;
  for (int k = 0; k < planes.n; ++k)
    planes.sides(k, [&](int d, double c, double s) { sides.add(planes.at[k] + d * break_side, c, s, d); });
  int next_side = 0;
  auto sides_below = [&](double limit) {
    for (; next_side < sides.n && sides.u[next_side] < limit; ++next_side)
      take(sides.u[next_side], sides.c[next_side], sides.s[next_side], sides.d[next_side]);
  };
  constexpr std::integral_constant<int, 0> step_plane{};  // the hot path knows it meets no side
  walk_planes(table, [&](double th, double c, double s) {
    sides_below(th);
    take(th, c, s, step_plane);
  });
  sides_below(hi);
  // A scan that stops short of the upper end leaves a last segment that no
  // plane brackets from the right; the end plane closes it. Over whole half
  // turns the end is the first plane again.
  if (!periodic && n > 0 && thb < hi) take(hi, table.ends.c_hi, table.ends.s_hi, step_plane);
  if (unknown) return unknown_plane();

  if (n == 1) {
    if (periodic) peaks.add(v0, th0, th0 + range, best.value);
    else peaks.add(v0, lo, hi, best.value);
  } else if (!periodic) {
    if (v0 >= v1) peaks.add(v0, lo, th1, best.value);
    if (vb > va) peaks.add(vb, tha, hi, best.value);
  } else if (std::fabs(thb - (lo + range)) <= 1e-9 * range) {
    // The last plane is the first one again: plane 0 sits between the
    // second-to-last and plane 1.
    if (n == 2) peaks.add(v0, th0, th0 + range, best.value);
    else if (v0 > va && v0 >= v1) peaks.add(v0, tha - range, th1, best.value);
  } else {
    // A last sample that closed a segment at a break has been bracketed.
    if (!closed && vb > va && vb >= v0) peaks.add(vb, tha, th0 + range, best.value);
    if (v0 > vb && v0 >= v1) peaks.add(v0, thb - range, th1, best.value);
  }
  peaks.prune(best.value);

  // Kept inline: as a call per golden point it cost the refinement a tenth.
  auto eval = [&](double t) __attribute__((always_inline)) {
    // Brackets of the end planes reach one step past the range; the same
    // plane lies a whole range further in.
    if (periodic) {
      if (t < lo) t += range;
      else if (t > hi) t -= range;
    }
    const double c = std::cos(t), s = std::sin(t), v = f(c, s);
    keep(v, t, c, s);
    return v;
  };
  for (int k = 0; k < peaks.size(); ++k) golden_section(eval, peaks[k].left, peaks[k].right);
  return unknown ? unknown_plane() : best;
}

// gsflag 1: scan and golden-section refinement; anything else: the scan. Both
// look at the break planes of the exposure, when known. An unusable step is
// reported and replaced by default_dx. Planes whose exposure is not a number
// make the result not a number, unless pass_undefined asks to pass them over.
template <class F>
inline PlaneMax fracture_plane_search(F&& f, double lo, double hi, double dx, int32_t gsflag, double default_dx,
                                      const Breaks& breaks = Breaks{}, bool pass_undefined = false) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) return unknown_plane();  // no range to search
  const bool golden = gsflag == 1;
  dx = usable_step(dx, lo, hi, golden, default_dx);
  if (golden) return golden_planes(f, lo, hi, dx, breaks, pass_undefined);
  return scan_planes(f, lo, hi, dx, breaks, pass_undefined);
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

// Friction and strength factors of the fracture angle a0 (degrees) of pure
// transverse compression; without a0, the held values of 53 degrees.
struct A0Factors {
  double rad, cos_a0, st_factor, eta_t, eta_t_half, two_tan;  // st_factor: sin a0 + cos a0 / tan 2a0
  // Transverse shear strength xc22 cos a0 (sin a0 + cos a0 / tan 2a0).
  double st(double xc22) const { return xc22 * cos_a0 * st_factor; }
};
inline A0Factors a0_factors(const double* a0) {
  if (!a0)
    return {0.9250245035569946, 0.6018150231520484, 0.6260678290781129, 0.2867453857588078, 0.1433726928794039,
            2.6540896432408196};
  const double a = *a0 * vx::deg2rad;
  const double t2 = std::tan(2.0 * a);
  return {a, std::cos(a), std::sin(a) + std::cos(a) / t2, -1.0 / t2, -1.0 / (2.0 * t2), 2.0 * std::tan(a)};
}

// Initial fibre misalignment phic at which pure compression xc kinks, and the
// misalignment (its size) that the shear s12 adds under load.
inline double initial_misalignment(double eta_l, double sl, double xc) {
  const double q = eta_l + sl / xc;
  return std::atan((1.0 - std::sqrt(1.0 - 4.0 * q * sl / xc)) / (2.0 * q));
}
inline double misalignment_under_load(double phic, double xc, double g12, double s11, double s12, double s22) {
  const double phi0 = phic - xc * phic / g12;
  return (g12 * phi0 + std::fabs(s12)) / (g12 + s11 - s22);
}

// Ratio of the mode I to the mode II toughness, the held value without gc.
// A toughness that is not a finite number gives no ratio (an infinite one
// would weigh a mode out silently).
inline double toughness_ratio(const double* gc) {
  if (gc && !(std::isfinite(gc[0]) && std::isfinite(gc[1]))) return std::numeric_limits<double>::quiet_NaN();
  return (gc && gc[0] != 0.0 && gc[1] != 0.0) ? gc[0] / gc[1] : 0.3499999940395355;
}

// Whether all n parameters of an optional vector are finite (true when absent).
inline bool finite_or_absent(const double* v, int n) {
  for (int k = 0; v && k < n; ++k)
    if (!std::isfinite(v[k])) return false;
  return true;
}

// LaRC matrix exposure under transverse tension y = s22 / yt, with the shear
// tractions ta and tb over the longitudinal shear strength sl.
inline double larc_matrix_tension(double y, double g, double ta, double tb, double sl, double e11, double e22,
                                  double nu12) {
  const double a = ta / sl, b = tb / sl;
  return (1.0 - g) * y + g * y * y + a * a + (1.0 / e22 - nu12 * nu12 / e11) * (b * b);
}

// Quadratic exposure 1/lambda of lambda b + lambda^2 c = 1 from the root
// already formed: D = sqrt(b^2 + 4c) - b. Where D vanishes (c = 0, b >= 0)
// the limit of 2c/D is b, 0 when there is no linear term.
inline double quadratic_effort(double b, double c, double d) {
  if (d == 0.0) return b > 0.0 ? b : 0.0;
  return 2.0 * c / d;
}

}  // namespace vx::failure
