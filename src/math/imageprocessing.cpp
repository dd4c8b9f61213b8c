// Point-in-shape tests in the local plane of a figure.
#include <cmath>
#include <cstdint>
#include <limits>
#include "vx.h"
#include "vexlan/math_geometry.h"
#include "vexlan/imageprocessing.h"

namespace {

using vx::deg2rad;

// Larger of two values; a NaN in either gives NaN (a measure that is not a
// number must stay one, so that the logical tests read it as outside).
inline double max_nan(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return a + b;
  return a > b ? a : b;
}

inline bool in_unit(double m) { return m >= 0.0 && m <= 1.0; }

double ellipse_measure(double x, double y, double a, double b, const double* org) {
  const double x0 = org ? org[0] : 0.0, y0 = org ? org[1] : 0.0;
  const double u = (x - x0) / a, v = (y - y0) / b;
  return u * u + v * v;
}

double rectangle_measure(double x, double y, double a, double b, const double* org) {
  const double x0 = org ? org[0] : 0.0, y0 = org ? org[1] : 0.0;
  return max_nan(std::fabs(x - x0) / std::fabs(a), std::fabs(y - y0) / std::fabs(b));
}

double polygon_test(double px, double py, const double* xx, const double* yy, int32_t n) {
  if (n < 1) return -1.0;
  double s = -1.0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = i + 1 < n ? i + 1 : 0;
    const double xi = xx[i] - px, yi = yy[i] - py;
    const double xj = xx[j] - px, yj = yy[j] - py;
    // A point on an edge counts as inside. The crossing rule below alone is
    // half-open: it would miss vertices and points on left or lower edges.
    if (xi * yj - xj * yi == 0.0 && std::fmin(xi, xj) <= 0.0 && std::fmax(xi, xj) >= 0.0 &&
        std::fmin(yi, yj) <= 0.0 && std::fmax(yi, yj) >= 0.0)
      return 0.0;
    const bool mx = xi >= 0.0, nx = xj >= 0.0, my = yi >= 0.0, ny = yj >= 0.0;
    if (!((my || ny) && (mx != nx))) continue;
    if (my && ny) {
      s = -s;
      continue;
    }
    const double w = (yi * xj - xi * yj) / (xj - xi);
    if (w > 0.0) s = -s;
    else if (w == 0.0) return 0.0;  // on the edge
  }
  return s < 0.0 ? -1.0 : 0.0;
}

}  // namespace

// In-plane coordinates of a point: relative to the origin, expressed along the
// plane's axes, then along those axes turned by theta about the plane normal.
// The turn is made in the plane's own frame (about its third axis), so the
// result does not depend on how the plane lies in space.
VX_API void GetPointOnXYPlane(double* xycoord, const double* point, const double* origin,
                              const double* xyplane, const double* theta) {
  const double* nx = xyplane;
  const double* ny = xyplane + 3;
  const double* nz = xyplane + 6;
  const double d[3] = {point[0] - origin[0], point[1] - origin[1], point[2] - origin[2]};
  double dp[3], t[9], r[9];
  CoordinateProjection(nx, ny, d, dp, origin);
  GetTransformationMatrix(t, nx, ny, nz);
  static const double ez[3] = {0.0, 0.0, 1.0};
  const double ang = *theta * deg2rad;
  GetRotationMatrix(r, ez, &ang);
  double pc[3];
  for (int i = 0; i < 3; ++i) pc[i] = t[i] * dp[0] + t[i + 3] * dp[1] + t[i + 6] * dp[2];
  // transpose(R) * pc: column k of R dotted with pc.
  for (int k = 0; k < 2; ++k)
    xycoord[k] = r[3 * k] * pc[0] + r[3 * k + 1] * pc[1] + r[3 * k + 2] * pc[2];
}

VX_API double Polygon(const double* px, const double* py, const double* xx, const double* yy,
                      const int32_t* n) {
  return polygon_test(*px, *py, xx, yy, *n);
}

VX_API vx_l1 ProjectedPointInPolygon(const double* point, const double* xypairs, const double* theta,
                                     const double* refcoords, const double* refcos,
                                     const int32_t* npoints) {
  double xy[2];
  GetPointOnXYPlane(xy, point, refcoords, refcos, theta);
  const int32_t n = *npoints;
  const double m = polygon_test(xy[0], xy[1], xypairs, xypairs + (n > 0 ? n : 0), n);
  return in_unit(m) ? 1 : 0;
}

VX_API double Ellipse(const double* x, const double* y, const double* a, const double* b,
                      const double* xyorigin) {
  return ellipse_measure(*x, *y, *a, *b, xyorigin);
}

VX_API double Rectangle(const double* x, const double* y, const double* a, const double* b,
                        const double* xyorigin) {
  return rectangle_measure(*x, *y, *a, *b, xyorigin);
}

VX_API vx_l1 ProjectedPointInShape(const double* point, const double* a, const double* b,
                                   const double* theta, const double* refcoords,
                                   const double* refcos, const int32_t* shapeid) {
  double xy[2];
  GetPointOnXYPlane(xy, point, refcoords, refcos, theta);
  double m;
  switch (*shapeid) {
    case 0: {
      const double r = max_nan(*a, *b);
      m = ellipse_measure(xy[0], xy[1], r, r, nullptr);
      break;
    }
    case 2: {
      const double r = max_nan(*a, *b);
      m = rectangle_measure(xy[0], xy[1], r, r, nullptr);
      break;
    }
    case 3: m = rectangle_measure(xy[0], xy[1], *a, *b, nullptr); break;
    default: m = ellipse_measure(xy[0], xy[1], *a, *b, nullptr); break;
  }
  return in_unit(m) ? 1 : 0;
}

VX_API double Line(const double* x, const double* y, const double* a, const double* b,
                   const double* proximity) {
  const double m = proximity ? *proximity : 1e-5;
  const double abx = b[0] - a[0], aby = b[1] - a[1];
  const double axx = *x - a[0], axy = *y - a[1];
  const double len = std::sqrt(abx * abx + aby * aby);
  const double h = std::sqrt(axx * axx + axy * axy);
  double d = std::numeric_limits<double>::quiet_NaN();  // stays so for NaN input
  if (len == 0.0) {
    d = h;  // a segment of no length is a point: the distance is to its start
  } else if (len > 0.0) {
    const double p = (axx * abx + axy * aby) / len;
    if (p <= 0.0) {
      d = h;
    } else if (p >= len) {
      const double bx = *x - b[0], by = *y - b[1];
      d = std::sqrt(bx * bx + by * by);
    } else if (p > 0.0) {
      // Perpendicular distance sqrt(h^2 - p^2), taken from the cross product:
      // the difference of squares loses most digits for a point close to a
      // long segment and can even turn negative.
      d = std::fabs(abx * axy - aby * axx) / len;
    }
  }
  if (d < m) return h > 0.0 ? d / h : 0.0;  // the start point itself lies on the segment
  if (d == m) return 1.0;
  return d + 1.0;
}
