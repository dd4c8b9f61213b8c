"""Per-call times of the failure criteria: from Python next to math.hypot, and
natively a closed-form criterion, a fracture-plane scan of 181 planes, SPC3D's
scan of its default range at the Python default step of 5 degrees (36 step
planes, then the planes where its exposure jumps or kinks and the end of its
range) and the golden mode (5 degree scan, then golden section around the
near-best peaks) through their exported symbols, each next to the same
arithmetic written inline (for the scans: a plain loop over the step planes'
precomputed sines and cosines, for SPC3D followed by the same break planes and
end plane; for the golden mode: that loop and a plain golden section).

Run on demand:  PYTHONPATH=build python3 bench/bench_criteria.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import print_python_rows, run_cxx_driver  # noqa: E402


def python_rows():
    # Statements, timed in turns with their reference in one run.
    return [
        ("gpquadinteraction [<=2.5]", "_vexlan.gpcollection.gpquadinteraction(100.,20.,30.,1500.,1200.,50.,200.,80.)",
         "math.hypot(3.0, 4.0)", "math.hypot(3.0, 4.0)"),
        ("mcrckpuck (5 deg scan)", "_vexlan.mccollection.mcrckpuck(-60.0, 10.0, 30.0, 5.0, 20.0, 50.0, 200.0, 80.0)",
         "math.hypot(3.0, 4.0)", "math.hypot(3.0, 4.0)"),
        ("mcrckpuck (5 deg golden)",
         "_vexlan.mccollection.mcrckpuck(-60.0, 10.0, 30.0, 5.0, 20.0, 50.0, 200.0, 80.0, gsflag=1)",
         "math.hypot(3.0, 4.0)", "math.hypot(3.0, 4.0)"),
        ("mcrckspc3d (5 deg scan)",
         "_vexlan.mccollection.mcrckspc3d(-60.0, 10.0, 30.0, 5.0, 20.0, 1500., 1200., 50., 200., 45., 190., 80., 75., 40.)",
         "math.hypot(3.0, 4.0)", "math.hypot(3.0, 4.0)"),
    ]


NATIVE_DRIVER = r"""
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include "bench_clock.h"
#include "vexlan/gpcollection.h"
#include "vexlan/mccollection.h"
#include "gpcollection_kernels.h"

static inline double sq(double x) { return x * x; }

static double quad_inline(double s11, double s22, double s12, double xt11, double xc11, double xt22, double xc22,
                          double x12) {
  const double a = s11 / (s11 >= 0.0 ? xt11 : xc11), b = s22 / (s22 >= 0.0 ? xt22 : xc22);
  return std::sqrt(a * a + b * b + sq(s12 / x12));
}

// Puck's exposure over precomputed plane trigonometry, the largest kept.
static double puck_loop(const double* c, const double* s, int n, double s22, double s33, double s12, double s13,
                        double s23, double yt, double yc, double sl) {
  const double ra = yc / (2.0 * 1.15);
  double best = 0.0;
  for (int k = 0; k < n; ++k) {
    const double cc = c[k] * c[k], ss = s[k] * s[k], sc = s[k] * c[k];
    const double sn = s33 * cc + s22 * ss - 2.0 * s23 * sc;
    const double tl = s13 * c[k] - s12 * s[k];
    const double tt = s23 * (cc - ss) + (s33 - s22) * sc;
    const double t2 = tt * tt + tl * tl;
    const double c2 = t2 == 0.0 ? 0.0 : tt * tt / t2, s2 = t2 == 0.0 ? 0.0 : tl * tl / t2;
    double f;
    if (sn >= 0.0) {
      const double p = 0.15 * c2 / ra + 0.3 * s2 / sl;
      f = std::sqrt(sq((1.0 / yt - p) * sn) + sq(tt / ra) + sq(tl / sl)) + p * sn;
    } else {
      const double p = 0.15 * c2 / ra + 0.2 * s2 / sl;
      f = std::sqrt(sq(tt / ra) + sq(tl / sl) + sq(p * sn)) + p * sn;
    }
    if (f > best) best = f;
  }
  return best;
}

static double puck_at(double c, double s, double s22, double s33, double s12, double s13, double s23, double yt,
                      double yc, double sl) {
  return puck_loop(&c, &s, 1, s22, s33, s12, s13, s23, yt, yc, sl);
}

// The golden mode written plainly: the 5 degree scan over precomputed
// sin/cos with the planes where sn changes sign (from both sides) slotted in,
// the local maxima within 10 % of the best (the end planes neighbours), and a
// golden section of each down to 0.01 degrees.
static double puck_golden(const double* c, const double* s, int n, double s22, double s33, double s12, double s13,
                          double s23, double yt, double yc, double sl) {
  const double pi = 3.141592653589793, dx = 0.08726646259971647;
  double th[48], v[48], brk[4];
  int nb = 0, m = 0;
  const double mid = 0.5 * (s33 + s22), half = 0.5 * (s33 - s22), r = std::hypot(half, s23);
  if (r > std::fabs(mid)) {
    const double p = std::atan2(-s23, half), w = std::acos(-mid / r);
    for (double t : {0.5 * (p - w), 0.5 * (p + w)}) {
      t += std::ceil(-t / pi) * pi;
      if (t <= pi) brk[nb++] = t;
    }
    if (nb == 2 && brk[1] < brk[0]) std::swap(brk[0], brk[1]);
  }
  double best = 0.0;
  auto take = [&](double t, double cc, double ss) {
    th[m] = t;
    v[m] = puck_at(cc, ss, s22, s33, s12, s13, s23, yt, yc, sl);
    if (v[m] > best) best = v[m];
    ++m;
  };
  int b = 0;
  for (int k = 0; k < n; ++k) {
    const double t = k * dx;
    for (; b < nb && brk[b] < t; ++b)
      for (double u : {brk[b] - 1e-8, brk[b] + 1e-8})
        if (u > 0.0 && u < pi && (m == 0 || u > th[m - 1])) take(u, std::cos(u), std::sin(u));
    take(t, c[k], s[k]);
  }
  const int last = m - 1;  // the plane at 180 degrees is the first again
  for (int k = 0; k < last; ++k) {
    const int lo = k == 0 ? last - 1 : k - 1;
    if (!(v[k] > v[lo] && v[k] >= v[k + 1] && v[k] > 0.0 && v[k] >= 0.9 * best)) continue;
    double a = k == 0 ? th[lo] - pi : th[lo], z = th[k + 1];
    auto f = [&](double t) {
      if (t < 0.0) t += pi;
      const double y = puck_at(std::cos(t), std::sin(t), s22, s33, s12, s13, s23, yt, yc, sl);
      if (y > best) best = y;
      return y;
    };
    const double g = 0.6180339887498949, width = 0.01 * 0.017453292519943295;
    double x1 = z - g * (z - a), x2 = a + g * (z - a), f1 = f(x1), f2 = f(x2);
    while (z - a > width) {
      if (f1 < f2) {
        a = x1, x1 = x2, f1 = f2, x2 = a + g * (z - a), f2 = f(x2);
      } else {
        z = x2, x2 = x1, f2 = f1, x1 = z - g * (z - a), f1 = f(x1);
      }
    }
  }
  return best;
}

// SPC3D's exposure on one plane (default inclinations, compressive shear
// strengths equal to the tensile ones).
static double spc3d_at(double c, double s, double s22, double s33, double s12, double s13, double s23, double yt,
                       double yc, double zt, double zc, double x12, double x13, double x23) {
  const double cc = c * c, ss = s * s, sc = s * c;
  const double sn = s33 * cc + s22 * ss - 2.0 * s23 * sc;
  const double tl = s13 * c - s12 * s;
  const double tt = s23 * (cc - ss) + (s33 - s22) * sc;
  const double q = std::fabs(2.0 * sc), as = std::fabs(s), ac = std::fabs(c);
  if (sn < 0.0) {
    const double a = -0.3 * sn / (ss * yc + cc * zc + x23 * q);
    return std::sqrt(a * a + sq(tt / ((yc + zc) * q + x23)) + sq(tl / (as * x12 + ac * x13))) + a;
  }
  const double b = sn / (ss * yt + cc * zt + x23 * q);
  return 0.3 * b + std::sqrt(0.49 * b * b + sq(tt / ((yt + zt) * q + x23)) + sq(tl / (as * x12 + ac * x13)));
}

// SPC3D's scan written plainly: the step planes from precomputed sines and
// cosines (c[0] the lower limit), then both sides of the planes where its
// exposure jumps or kinks (90 degrees, and the zeros of the normal traction,
// roots of s22 t^2 - 2 s23 t + s33 in t = tan theta) that lie within the
// limits, and the upper limit (cosine ce, sine se), the largest kept.
static double spc3d_scan(const double* c, const double* s, int n, double ce, double se, double s22, double s33,
                         double s12, double s13, double s23, double yt, double yc, double zt, double zc, double x12,
                         double x13, double x23) {
  auto f = [&](double cp, double sp) {
    return spc3d_at(cp, sp, s22, s33, s12, s13, s23, yt, yc, zt, zc, x12, x13, x23);
  };
  double best = 0.0;
  for (int k = 0; k < n; ++k) best = std::max(best, f(c[k], s[k]));
  double bc[3] = {0.0}, bs[3] = {1.0};
  int nb = 1;
  const double disc = s23 * s23 - s22 * s33;
  if (disc > 0.0) {
    for (double t : {(s23 + std::sqrt(disc)) / s22, (s23 - std::sqrt(disc)) / s22}) {
      const double r = std::sqrt(1.0 + t * t), cz = (t < 0.0 ? -1.0 : 1.0) / r, sz = std::fabs(t) / r;
      if (cz < c[0] && cz > ce) bc[nb] = cz, bs[nb++] = sz;
    }
  }
  const double d = 1e-8;
  for (int k = 0; k < nb; ++k) {
    best = std::max(best, f(bc[k] + bs[k] * d, bs[k] - bc[k] * d));
    best = std::max(best, f(bc[k] - bs[k] * d, bs[k] + bc[k] * d));
  }
  return std::max(best, f(ce, se));
}

int main() {
  const double xt = 1500.0, xc = 1200.0, yt = 50.0, yc = 200.0, sl = 80.0;
  const int reps = 1000000, sreps = 20000;
  double best[9] = {1e9, 1e9, 1e9, 1e9, 1e9, 1e9, 1e9, 1e9, 1e9}, sink = 0.0;
  double cs[181], sn[181], c5[37], s5[37], cspc[36], sspc[36], s11v[1024], s22v[1024], s12v[1024];
  const double cend = std::cos(178.0 * 0.017453292519943295), send = std::sin(178.0 * 0.017453292519943295);
  for (int k = 0; k < 1024; ++k) {
    s11v[k] = (k % 3 == 0 ? -400.0 : 600.0) + 0.25 * k;
    s22v[k] = (k % 5 == 0 ? 30.0 : -80.0) + 0.125 * k;
    s12v[k] = 40.0 - 0.0625 * k;
  }
  for (int k = 0; k <= 180; ++k) cs[k] = std::cos(k * 0.017453292519943295), sn[k] = std::sin(k * 0.017453292519943295);
  for (int k = 0; k <= 36; ++k) c5[k] = std::cos(k * 0.08726646259971647), s5[k] = std::sin(k * 0.08726646259971647);
  for (int k = 0; k < 36; ++k) {
    const double t = 0.03490658503988659 + k * 0.08726646259971647;  // 2 to 177 degrees
    cspc[k] = std::cos(t), sspc[k] = std::sin(t);
  }
  const double step = 1.0, spc_step = 5.0;
  const double zt = 45.0, zc = 190.0, x13 = 75.0, x23 = 40.0;
  const int golden = 1;
  double diff = 0.0, gdiff = 0.0, sdiff = 0.0;
  for (int round = 0; round < 7; ++round) {
    // Table inputs, so that no iteration waits on the previous one; the plane
    // searches take a transverse stress that moves a little every call.
    const double p33 = 10.0, p12 = 30.0, p13 = 5.0, p23 = 20.0;
    auto per_point = [&](auto f) {
      const double t0 = now();
      for (int i = 0; i < reps; ++i) sink += f(s11v[i & 1023], s22v[i & 1023], s12v[i & 1023]);
      return (now() - t0) / reps;
    };
    auto per_search = [&](auto f) {
      double p22 = -60.0;
      const double t0 = now();
      for (int i = 0; i < sreps; ++i) sink += f(p22 += 1e-6);
      return (now() - t0) / sreps;
    };
    double t[9];
    t[0] = per_point([&](double a, double b, double c) {
      double r;
      GPQuadInteraction(&r, &a, &b, &c, &xt, &xc, &yt, &yc, &sl);
      return r;
    });
    t[1] = per_point([&](double a, double b, double c) { return quad_inline(a, b, c, xt, xc, yt, yc, sl); });
    t[2] = per_search([&](double p22) {
      double r;
      MCrckPuck(&r, &p22, &p33, &p12, &p13, &p23, &yt, &yc, &sl, nullptr, nullptr, &step, nullptr, nullptr);
      return r;
    });
    t[3] = per_search([&](double p22) { return puck_loop(cs, sn, 181, p22, p33, p12, p13, p23, yt, yc, sl); });
    t[4] = per_point([&](double a, double b, double c) {
      return vx::gpcollection::quad_interaction(a, b, c, xt, xc, yt, yc, sl);
    });
    t[5] = per_search([&](double p22) {
      double r;
      MCrckPuck(&r, &p22, &p33, &p12, &p13, &p23, &yt, &yc, &sl, nullptr, nullptr, nullptr, &golden, nullptr);
      return r;
    });
    t[6] = per_search([&](double p22) { return puck_golden(c5, s5, 37, p22, p33, p12, p13, p23, yt, yc, sl); });
    t[7] = per_search([&](double p22) {
      double r;
      MCrckSPC3D(&r, &p22, &p33, &p12, &p13, &p23, &xt, &xc, &yt, &yc, &zt, &zc, &sl, &x13, &x23, nullptr, nullptr,
                 nullptr, &spc_step, nullptr, nullptr);
      return r;
    });
    t[8] = per_search([&](double p22) {
      return spc3d_scan(cspc, sspc, 36, cend, send, p22, p33, p12, p13, p23, yt, yc, zt, zc, sl, x13, x23);
    });
    for (int k = 0; k < 9; ++k) if (t[k] < best[k]) best[k] = t[k];
    double a, p22 = -60.0;
    MCrckPuck(&a, &p22, &p33, &p12, &p13, &p23, &yt, &yc, &sl, nullptr, nullptr, &step, nullptr, nullptr);
    diff = std::fabs(a - puck_loop(cs, sn, 181, p22, p33, p12, p13, p23, yt, yc, sl)) / a;
    MCrckPuck(&a, &p22, &p33, &p12, &p13, &p23, &yt, &yc, &sl, nullptr, nullptr, nullptr, &golden, nullptr);
    gdiff = std::fabs(a - puck_golden(c5, s5, 37, p22, p33, p12, p13, p23, yt, yc, sl)) / a;
    MCrckSPC3D(&a, &p22, &p33, &p12, &p13, &p23, &xt, &xc, &yt, &yc, &zt, &zc, &sl, &x13, &x23, nullptr, nullptr,
               nullptr, &spc_step, nullptr, nullptr);
    sdiff = std::fabs(a - spc3d_scan(cspc, sspc, 36, cend, send, p22, p33, p12, p13, p23, yt, yc, zt, zc, sl, x13,
                                     x23)) / a;
  }
  std::printf("%.6f %.6f %.6f %.6f %.6f %g %.6f %.6f %g %.6f %.6f %g %g\n", best[0] * 1e9, best[1] * 1e9,
              best[2] * 1e9, best[3] * 1e9, best[4] * 1e9, diff, best[5] * 1e9, best[6] * 1e9, gdiff, best[7] * 1e9,
              best[8] * 1e9, sdiff, sink);
  return 0;
}
"""


def native_rows():
    out = run_cxx_driver(NATIVE_DRIVER, ["src/failure"], opt="-O2")
    return [float(v) for v in out[:12]] if out else None


def main():
    import _vexlan as vx

    print_python_rows(python_rows(), g={"_vexlan": vx, "math": math})
    nat = native_rows()
    if not nat:
        print("\nnative timing skipped (no C++ compiler or library found)")
        return
    quad, quad_ref, scan, scan_ref, quad_kernel, diff, gold, gold_ref, gdiff, spc, spc_ref, sdiff = nat
    print()
    print("native criteria (C++ driver, best of 7 rounds)")
    print(f"  GPQuadInteraction (exported)          {quad:9.2f} ns/call   ratio {quad / quad_ref:5.2f} [<=1.5]")
    print(f"  inline form (gpcollection_kernels.h)  {quad_kernel:9.2f} ns/call   ratio {quad_kernel / quad_ref:5.2f} [<=1.5]")
    print(f"  the same formula inline               {quad_ref:9.2f} ns/call")
    print(f"  MCrckPuck, 1 degree scan (181 planes) {scan:9.2f} ns/call   ratio {scan / scan_ref:5.2f} [<=2]")
    print(f"  plain loop over precomputed sin/cos   {scan_ref:9.2f} ns/call")
    print(f"  relative difference of the two scans  {diff:.1e}")
    print(f"  MCrckPuck, golden mode, 5 degree step {gold:9.2f} ns/call   ratio {gold / gold_ref:5.2f} [<=2]")
    print(f"  the same search written plainly       {gold_ref:9.2f} ns/call")
    print(f"  relative difference of the two        {gdiff:.1e}")
    print(f"  MCrckSPC3D, 5 degree scan (2 to 178)  {spc:9.2f} ns/call   ratio {spc / spc_ref:5.2f} [<=1.3]")
    print(f"  the same planes written plainly       {spc_ref:9.2f} ns/call")
    print(f"  relative difference of the two        {sdiff:.1e}")


if __name__ == "__main__":
    main()
