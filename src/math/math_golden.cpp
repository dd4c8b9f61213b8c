// Maximum search on an interval by reverse communication (golden section with
// a closing parabola, or a plain scan), and the real roots of cubic equations.
// The search keeps nothing of its own: every bit of state is the caller's.
#include <cmath>
#include <cstdint>
#include <limits>

#include "vexlan/math_geometry.h"
#include "vexlan/math_golden.h"
#include "vx.h"

namespace {

constexpr double phi2 = 2.618033988749895;  // square of the golden ratio
constexpr double phi1 = 1.618033988749895;  // golden ratio

// 1-based slot access that stays inside x(1:n): a slot outside reads as 0
// and a write to it is dropped. Valid calling sequences never leave the range;
// this only keeps corrupted state from reaching outside the caller's arrays.
inline double slot(const double* v, int32_t k, int32_t n) { return (k >= 1 && k <= n) ? v[k - 1] : 0.0; }
inline void set_slot(double* v, int32_t k, int32_t n, double val) {
  if (k >= 1 && k <= n) v[k - 1] = val;
}

enum { plow = 0, pup = 1, pleft = 2, pright = 3 };

inline void sort3(double& a, double& b, double& c) {
  double t;
  if (b < a) { t = a; a = b; b = t; }
  if (c < b) { t = b; b = c; c = t; }
  if (b < a) { t = a; a = b; b = t; }
}

}  // namespace

VX_API void IniGoldenSearch(double* x, double* y, double* xmove, double* lplimits, int32_t* incr, int32_t* subcall,
                            vx_l1* golden, vx_l1* finish, const double* xlow, const double* xup, const double* dx,
                            const int32_t* gsflag, const int32_t* npoints) {
  const int32_t n = *npoints;
  for (int32_t k = 0; k < n; ++k) x[k] = y[k] = 0.0;
  const bool isgolden = *gsflag == 1;
  double p[4] = {0.0, 0.0, 0.0, 0.0};
  if (isgolden) {
    const double lo = *xlow, hi = *xup, len = hi - lo;
    p[0] = lo;
    p[1] = hi;
    p[2] = lo + len / phi2;
    p[3] = p[2] + (len / phi2) / phi1;
    for (int32_t k = 1; k <= 4; ++k) set_slot(x, k, n, p[k - 1]);
    lplimits[0] = *dx;
    lplimits[1] = len;
  } else {
    lplimits[0] = *xlow;
    lplimits[1] = *xup;
  }
  for (int k = 0; k < 4; ++k) xmove[k] = p[k];
  *incr = 0;
  *subcall = 0;
  *golden = isgolden ? 1 : 0;
  *finish = 0;
}

VX_API void GetNextFromGoldenSearch(double* xnext, double* dx, double* x, const double* y, double* xmove,
                                    double* ymove, int32_t* xdir, int32_t* increment, const int32_t* npoints) {
  const int32_t n = *npoints;
  const int32_t inc = *increment;
  // No free slot (or a corrupt counter): hand out no new point and leave the
  // state as it is; the last point handed out is repeated when there is one.
  if (inc < 0 || inc >= n) {
    *xnext = (n >= 1 && inc >= n) ? x[n - 1] : std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const int32_t i = inc + 1;
  if (i <= 4) {
    *xnext = x[i - 1];
    if (i == 2) ymove[plow] = y[0];
    else if (i == 3) ymove[pup] = y[1];
    else if (i == 4) ymove[pleft] = y[2];
    *xdir = 0;
    *increment = i;
    return;
  }
  if (i == 5) ymove[pright] = y[3];
  if (*xdir == 1) ymove[pright] = y[i - 2];
  else if (*xdir == -1) ymove[pleft] = y[i - 2];

  double len, xn;
  if (ymove[pright] >= ymove[pleft]) {
    *xdir = 1;
    xmove[plow] = xmove[pleft];
    ymove[plow] = ymove[pleft];
    xmove[pleft] = xmove[pright];
    ymove[pleft] = ymove[pright];
    len = xmove[pup] - xmove[plow];
    xn = xmove[pleft] + (len / phi2) / phi1;
    xmove[pright] = xn;
  } else {
    *xdir = -1;
    xmove[pup] = xmove[pright];
    ymove[pup] = ymove[pright];
    xmove[pright] = xmove[pleft];
    ymove[pright] = ymove[pleft];
    len = xmove[pup] - xmove[plow];
    xn = xmove[plow] + len / phi2;
    xmove[pleft] = xn;
  }
  x[i - 1] = xn;
  *xnext = xn;
  *dx = len;
  *increment = i;
}

VX_API void GetMaximumFromGoldenSearch(double* xmax, const double* y, const double* xmove, const double* ymove,
                                       const double* defaultvalue, const int32_t* xdir, const int32_t* increment,
                                       const int32_t* npoints) {
  double fy[4] = {ymove[0], ymove[1], ymove[2], ymove[3]};
  const int32_t inc = *increment, n = *npoints;
  if (inc >= 1 && inc <= n) {
    if (*xdir == 1) fy[pright] = y[inc - 1];
    else if (*xdir == -1) fy[pleft] = y[inc - 1];
  }
  double ind[6];  // 3 x 2: abscissas, then ordinates
  if (fy[pright] >= fy[pleft]) {
    ind[0] = xmove[pleft], ind[1] = xmove[pright], ind[2] = xmove[pup];
    ind[3] = fy[pleft], ind[4] = fy[pright], ind[5] = fy[pup];
  } else {
    ind[0] = xmove[plow], ind[1] = xmove[pleft], ind[2] = xmove[pright];
    ind[3] = fy[plow], ind[4] = fy[pleft], ind[5] = fy[pright];
  }
  double coef[3];
  GetParabolaCoefficients(ind, coef);
  *xmax = coef[0] == 0.0 ? *defaultvalue : -coef[1] / (2.0 * coef[0]);
}

VX_API void GSSAFE(double* xi, double* yi, const double* dx, double* x, double* y, double* xmove, double* ymove,
                   double* lplimits, int32_t* xdir, int32_t* increment, int32_t* proc, vx_l1* isgolden, vx_l1* update,
                   vx_l1* finish, const double* defaultvalue, const int32_t* npoints) {
  const int32_t n = *npoints;
  *update = 0;
  *finish = 0;
  // Ends a search whose state is corrupted.
  auto abandon = [&] {
    *proc = -1;
    *finish = 1;
    *yi = slot(y, *increment, n);
  };
  // At most two passes: a value that closes no phase starts the next request
  // within the same call.
  for (int pass = 0; pass < 2; ++pass) {
    // A phase outside -1..2 cannot come from a valid sequence (and the
    // largest integer would overflow on the step below): corrupted state,
    // ended like a counter out of range.
    if (*proc < -1 || *proc > 2) return abandon();
    *proc += 1;
    if (*proc == 1) {
      // A counter outside 0..npoints (corrupted state) ends the search too,
      // since no further point could be handed out.
      if (*increment >= n || *increment < 0) return abandon();
      if (*isgolden) GetNextFromGoldenSearch(xi, &lplimits[1], x, y, xmove, ymove, xdir, increment, npoints);
      else *xi = lplimits[0];
      *update = 1;
      return;
    }
    if (*proc == 2) {
      if (*isgolden) {
        set_slot(y, *increment, n, *yi);
        if (lplimits[1] < lplimits[0]) {
          GetMaximumFromGoldenSearch(xi, y, xmove, ymove, defaultvalue, xdir, increment, npoints);
          *update = 1;
          return;
        }
      } else {
        if (n >= 1 && *yi > y[n - 1]) {
          y[n - 1] = *yi;
          x[n - 1] = *xi;
        }
        const double prev = *xi;
        *xi = prev + *dx;
        lplimits[0] = *xi;
        // Past the upper end, or a step that no longer moves forward (zero,
        // negative, NaN or below the spacing of the reals there): done.
        if (!(*xi <= lplimits[1]) || !(*xi > prev)) {
          *finish = 1;
          *xi = slot(x, n, n);
          *yi = slot(y, n, n);
          return;
        }
      }
      *proc = 0;
      continue;
    }
    break;
  }
  *finish = 1;
  *yi = slot(y, *increment, n);
}

VX_API double partialcurvelength(const double* dy) { return std::sqrt(*dy * *dy + 1.0); }

VX_API double cuberoot(const double* a) {
  const double v = *a;
  if (v == 0.0) return 0.0;
  if (v < 0.0) return -std::exp(std::log(-v) / 3.0);
  return std::exp(std::log(v) / 3.0);
}

VX_API void SpecialCase(const double* p, const double* q, double* xx1, double* xx2, double* xx3) {
  const double pv = *p, qv = *q;
  const double d = qv * qv / 4.0 + pv * pv * pv / 27.0;
  double r1, r2, r3;
  if (d > 0.0) {
    const double sd = std::sqrt(d);
    const double u = sd - qv / 2.0, v = -qv / 2.0 - sd;
    r1 = cuberoot(&u) + cuberoot(&v);
    r2 = r3 = r1;
  } else if (d == 0.0) {
    if (pv == 0.0 && qv == 0.0) {
      r1 = r2 = r3 = 0.0;
    } else {
      const double h = -qv / 2.0;
      const double u = cuberoot(&h);
      if (2.0 * u < -u) {
        r1 = 2.0 * u;
        r2 = r3 = -u;
      } else {
        r1 = r2 = -u;
        r3 = 2.0 * u;
      }
    }
  } else {
    const double r = std::sqrt(-pv * pv * pv / 27.0);
    const double phi = std::atan(qv / std::sqrt(4.0 * r * r - qv * qv)) / 3.0 + 0.5235987755982988;
    const double m = 2.0 * cuberoot(&r);
    r1 = m * std::cos(phi);
    r2 = m * std::cos(phi + 2.0943951023931953);
    r3 = m * std::cos(phi + 4.1887902047863905);
    sort3(r1, r2, r3);
  }
  *xx1 = r1;
  *xx2 = r2;
  *xx3 = r3;
}

VX_API void Solution3PE(const double* a, const double* b, const double* c, const double* d, double* x1, double* x2,
                        double* x3) {
  const double av = *a;
  const double s = *b / (3.0 * av);
  const double ca = *c / av;
  const double p = ca - 3.0 * (s * s);
  const double q = *d / av - ca * s + 2.0 * (s * s * s);
  SpecialCase(&p, &q, x1, x2, x3);
  *x1 -= s;
  *x2 -= s;
  *x3 -= s;
}
