// Geometry of points, vectors and plane figures; rotation and change of basis
// of second- and fourth-order tensors. Everything works on fixed-size local
// storage; outputs are assembled locally first so that an output may alias
// an input.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "vexlan/math_geometry.h"
#include "vx.h"

namespace {

using vx::deg2rad;
using vx::rad2deg;
using vx::pi;

// Column-major 3 x 3 access, 0-based.
inline double& at(double* m, int i, int j) { return m[i + 3 * j]; }
inline double at(const double* m, int i, int j) { return m[i + 3 * j]; }

// Right-handed rotation by angle about axis n (not normalised): Rodrigues form.
void rodrigues(double* r, const double* n, double angle) {
  const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
  const double nx = n[0], ny = n[1], nz = n[2];
  r[0] = (1.0 - nx * nx) * c + nx * nx;
  r[1] = nx * ny * t + nz * s;
  r[2] = nx * nz * t - ny * s;
  r[3] = nx * ny * t - nz * s;
  r[4] = (1.0 - ny * ny) * c + ny * ny;
  r[5] = ny * nz * t + nx * s;
  r[6] = nx * nz * t + ny * s;
  r[7] = ny * nz * t - nx * s;
  r[8] = (1.0 - nz * nz) * c + nz * nz;
}

const double default_axis[3] = {1.0, 0.0, 0.0};

// Euclidean norm of the n components comp(0..n-1). The plain sum of squares
// is used unless it overflowed or lost everything to underflow; then the
// components are scaled by the largest magnitude first.
template <class Comp>
double norm2_of(int32_t n, Comp comp) {
  double s = 0.0;
  for (int32_t i = 0; i < n; ++i) s += comp(i) * comp(i);
  if ((s > 0x1p-968 && s < 0x1p1016) || std::isnan(s)) return std::sqrt(s);
  double big = 0.0;
  for (int32_t i = 0; i < n; ++i) big = std::fmax(big, std::fabs(comp(i)));
  if (big == 0.0 || !std::isfinite(big)) return std::sqrt(s);
  double t = 0.0;
  for (int32_t i = 0; i < n; ++i) {
    const double a = comp(i) / big;
    t += a * a;
  }
  return big * std::sqrt(t);
}

double norm2(const double* v, int32_t n) {
  return norm2_of(n, [v](int32_t i) { return v[i]; });
}

// Contracts the first index of a 3x3x3x3 tensor with the rotation and moves
// the new index to the last place: out(n,o,p,i) = sum over m of
// r(m,i) * in(m,n,o,p). Four such steps contract every index and bring the
// indices back to their own order.
inline void contract_first(const double* r, const double* in, double* out) {
  for (int i = 0; i < 3; ++i) {
    const double r0 = r[3 * i], r1 = r[3 * i + 1], r2 = r[3 * i + 2];
    for (int k = 0; k < 27; ++k) out[k + 27 * i] = r0 * in[3 * k] + r1 * in[3 * k + 1] + r2 * in[3 * k + 2];
  }
}

}  // namespace

VX_API void tensormultiplication(const double* t_4th, const double* t_2nd, double* out_2nd) {
  double o[9] = {};
  for (int l = 0; l < 3; ++l)
    for (int k = 0; k < 3; ++k) {
      const double b = t_2nd[k + 3 * l];
      const double* col = t_4th + 9 * k + 27 * l;
      for (int ij = 0; ij < 9; ++ij) o[ij] += col[ij] * b;
    }
  std::memcpy(out_2nd, o, sizeof o);
}

VX_API void TensorTransformation2nd(const double* tensin, double* tensout, const double* tbase) {
  double t[9], o[9];
  // tensin * transpose(tbase) first, then tbase * that.
  for (int j = 0; j < 3; ++j)
    for (int m = 0; m < 3; ++m) {
      double s = 0.0;
      for (int n = 0; n < 3; ++n) s += at(tensin, m, n) * at(tbase, j, n);
      at(t, m, j) = s;
    }
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      double s = 0.0;
      for (int m = 0; m < 3; ++m) s += at(tbase, i, m) * at(t, m, j);
      at(o, i, j) = s;
    }
  std::memcpy(tensout, o, sizeof o);
}

VX_API void GetBoundingBoxFromEllipse(double* xybound, const double* a, const double* b, const double* phi_d) {
  const double phi = *phi_d * deg2rad;
  const double c = std::cos(phi), s = std::sin(phi);
  const double a2 = *a * *a, b2 = *b * *b, c2 = c * c, s2 = s * s;
  const double w = std::sqrt(a2 * c2 + b2 * s2);
  const double h = std::sqrt(a2 * s2 + b2 * c2);
  xybound[0] = w;
  xybound[1] = h;
}

VX_API void GetRadiusOfEllipse(double* r, const double* a, const double* b, const double* phi_d) {
  const double phi = *phi_d * deg2rad;
  const double c = std::cos(phi), s = std::sin(phi);
  const double av = *a, bv = *b;
  *r = av * bv / std::sqrt((bv * bv) * (c * c) + (av * av) * (s * s));
}

VX_API double gettrianglearea(const double* x1, const double* y1, const double* x2, const double* y2,
                              const double* x3, const double* y3) {
  return 0.5 * (*x1 * *y2 + *x2 * *y3 + *x3 * *y1 - *x2 * *y1 - *x3 * *y2 - *x1 * *y3);
}

// Newton's divided differences: exact in form for any three distinct
// abscissas (including x1 = -x2, where the textbook elimination through
// x1^2 - x2^2 breaks down).
VX_API void GetParabolaCoefficients(const double* ind, double* oud) {
  const double x1 = ind[0], x2 = ind[1], x3 = ind[2];
  const double y1 = ind[3], y2 = ind[4], y3 = ind[5];
  const double d12 = (y1 - y2) / (x1 - x2);
  const double d23 = (y2 - y3) / (x2 - x3);
  const double a = (d12 - d23) / (x1 - x3);
  const double b = d12 - a * (x1 + x2);
  const double c = y1 - a * x1 * x1 - b * x1;
  oud[0] = a;
  oud[1] = b;
  oud[2] = c;
}

VX_API void GetTransformationMatrix(double* tbase, const double* nx, const double* ny, const double* nz) {
  double t[9];
  for (int j = 0; j < 3; ++j) {
    at(t, 0, j) = nx[j];
    at(t, 1, j) = ny[j];
    at(t, 2, j) = nz[j];
  }
  std::memcpy(tbase, t, sizeof t);
}

VX_API void GetRotationMatrix(double* trot, const double* n, const double* alpha_r) {
  double r[9];
  rodrigues(r, n, *alpha_r);
  std::memcpy(trot, r, sizeof r);
}

VX_API void TensorRotation4th(const double* input_4th, double* output_4th, const double* angle_r, const double* n0) {
  double r[9];
  rodrigues(r, n0 ? n0 : default_axis, *angle_r);
  // Four single-index contractions (4 x 243 multiply-adds) in place of the
  // eight-fold sum over all indices.
  double a[81], b[81];
  contract_first(r, input_4th, a);
  contract_first(r, a, b);
  contract_first(r, b, a);
  contract_first(r, a, b);
  std::memcpy(output_4th, b, sizeof b);
}

VX_API void TensorRotation2nd(const double* input_2nd, double* output_2nd, const double* angle_r, const double* n0) {
  double r[9], t[9], o[9];
  rodrigues(r, n0 ? n0 : default_axis, *angle_r);
  // t = input * R, then transpose(R) * t.
  for (int j = 0; j < 3; ++j)
    for (int m = 0; m < 3; ++m)
      at(t, m, j) = at(input_2nd, m, 0) * at(r, 0, j) + at(input_2nd, m, 1) * at(r, 1, j) +
                    at(input_2nd, m, 2) * at(r, 2, j);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      at(o, i, j) = at(r, 0, i) * at(t, 0, j) + at(r, 1, i) * at(t, 1, j) + at(r, 2, i) * at(t, 2, j);
  std::memcpy(output_2nd, o, sizeof o);
}

VX_API void GetEulerRotation(double* eul, const double* r) {
  const double r31 = r[2];
  double e[3] = {0.0, 0.0, 0.0};
  if (r31 == 1.0) {
    e[0] = std::atan2(-r[3], -r[6]) * rad2deg;
    e[1] = -90.0;
  } else if (r31 == -1.0) {
    e[0] = std::atan2(r[3], r[6]) * rad2deg;
    e[1] = 90.0;
  } else {
    const double t = std::asin(r31), c = std::cos(t);
    e[0] = std::atan2(r[5] / c, r[8] / c) * rad2deg;
    e[1] = -t * rad2deg;
    e[2] = std::atan2(r[1] / c, r[0] / c) * rad2deg;
  }
  eul[0] = e[0];
  eul[1] = e[1];
  eul[2] = e[2];
}

VX_API void CoordinateNormalization(const double* p, double* pnorm, const double* interval, const int32_t* np,
                                    const int32_t* ndim) {
  const int32_t rows = *np, cols = *ndim;
  if (rows < 1 || cols < 1) return;
  const int64_t total = int64_t(rows) * cols;
  double tmin = vx::huge, tmax = -vx::huge;
  for (int64_t k = 0; k < total; ++k) {
    if (p[k] < tmin) tmin = p[k];
    if (p[k] > tmax) tmax = p[k];
  }
  const double lo = interval[0], span = interval[1] - interval[0], range = tmax - tmin;
  for (int64_t k = 0; k < total; ++k) pnorm[k] = (p[k] - tmin) / range * span + lo;
}

VX_API void CoordinateRotation(const double* a, const double* p, double* prot, const double* alpha_d) {
  double r[9];
  rodrigues(r, a, *alpha_d * deg2rad);
  const double p0 = p[0], p1 = p[1], p2 = p[2];
  double o[3];
  for (int i = 0; i < 3; ++i) o[i] = at(r, i, 0) * p0 + at(r, i, 1) * p1 + at(r, i, 2) * p2;
  prot[0] = o[0];
  prot[1] = o[1];
  prot[2] = o[2];
}

VX_API void CoordinateTranslation(const double* a, const double* p, double* ptrans) {
  const double o0 = p[0] + a[0], o1 = p[1] + a[1], o2 = p[2] + a[2];
  ptrans[0] = o0;
  ptrans[1] = o1;
  ptrans[2] = o2;
}

VX_API void GetCentroid(double* c, const double* x, const double* y, const int32_t* n) {
  int32_t m = *n;
  if (m >= 1 && x[0] == x[m - 1] && y[0] == y[m - 1]) --m;
  double area2 = 0.0, sx = 0.0, sy = 0.0;
  for (int32_t i = 0; i < m; ++i) {
    const int32_t k = (i + 1 == m) ? 0 : i + 1;
    const double w = x[i] * y[k] - x[k] * y[i];
    area2 += w;
    sx += (x[i] + x[k]) * w;
    sy += (y[i] + y[k]) * w;
  }
  const double area = 0.5 * area2;
  if (area == 0.0) {
    c[0] = c[1] = 0.0;
    return;
  }
  c[0] = sx / (6.0 * area);
  c[1] = sy / (6.0 * area);
}

VX_API void CoordinateReflection(const double* na, const double* nb, const double* p, double* pref) {
  double o[3];
  for (int i = 0; i < 3; ++i) {
    double s = 0.0;
    for (int j = 0; j < 3; ++j) {
      const double mij = 2.0 * (na[i] * na[j] + nb[i] * nb[j]) - (i == j ? 1.0 : 0.0);
      s += mij * p[j];
    }
    o[i] = s;
  }
  pref[0] = o[0];
  pref[1] = o[1];
  pref[2] = o[2];
}

VX_API void CoordinateProjection(const double* u, const double* v, const double* p, double* ppro, const double* r0) {
  static const double origin[3] = {0.0, 0.0, 0.0};
  const double* o = r0 ? r0 : origin;
  const double nrm[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  const double num = (p[0] - o[0]) * nrm[0] + (p[1] - o[1]) * nrm[1] + (p[2] - o[2]) * nrm[2];
  const double den = nrm[0] * nrm[0] + nrm[1] * nrm[1] + nrm[2] * nrm[2];
  const double t = -num / den;
  const double q0 = p[0] + t * nrm[0], q1 = p[1] + t * nrm[1], q2 = p[2] + t * nrm[2];
  ppro[0] = q0;
  ppro[1] = q1;
  ppro[2] = q2;
}

VX_API void GetABVector(double* v, const double* a, const double* b, const int32_t* n) {
  for (int32_t i = 0; i < *n; ++i) v[i] = b[i] - a[i];
}

VX_API double EffectiveArcLength(const double* oa, const double* ob, const double* curvature, const int32_t* n) {
  // Chord length |oa - ob| without a scratch vector.
  const double chord = norm2_of(*n, [oa, ob](int32_t i) { return oa[i] - ob[i]; });
  const double k = *curvature;
  if (k == 0.0) return chord;
  const double rad = 1.0 / k;
  return 2.0 * rad * std::asin(chord / (2.0 * rad));
}

VX_API void PolarTransformation(const double* cartesian, double* polar, const int32_t* n, const double* phi0) {
  const int32_t len = *n;
  if (len < 2) return;  // there is no second coordinate to turn
  const double x = cartesian[0], y = cartesian[1];
  const double rho = std::sqrt(x * x + y * y);
  const double ang = (x == 0.0 && y == 0.0) ? (phi0 ? *phi0 : 0.0) : std::atan2(y, x);
  if (polar != cartesian)
    for (int32_t i = 2; i < len; ++i) polar[i] = cartesian[i];
  polar[0] = rho;
  polar[1] = ang;
}

VX_API void GetUnitVector(double* xu, const double* x, const int32_t* n) {
  const int32_t len = *n;
  if (len < 1) return;
  const double nrm = norm2(x, len);
  for (int32_t i = 0; i < len; ++i) xu[i] = x[i] / nrm;
}

VX_API double ScalarProjection(const double* a, const double* b, const int32_t* n) {
  const int32_t len = *n;
  if (len < 1) return 0.0;
  const double nb = norm2(b, len);
  double s = 0.0;
  for (int32_t i = 0; i < len; ++i) s += a[i] * (b[i] / nb);
  return s;
}

VX_API double EuclideanAngle(const double* x, const double* y, const int32_t* n) {
  const int32_t len = *n;
  // Scale both vectors by powers of two (exact) so that the sums neither
  // overflow nor underflow; with the cosine formed as dot / sqrt(|x|^2 |y|^2)
  // two equal vectors give exactly 1 and so the angle exactly 0.
  double ax = 0.0, ay = 0.0;
  bool bad = len < 1;
  for (int32_t i = 0; i < len; ++i) {
    const double u = std::fabs(x[i]), v = std::fabs(y[i]);
    if (std::isnan(u) || std::isnan(v)) bad = true;
    if (u > ax) ax = u;
    if (v > ay) ay = v;
  }
  // A zero, infinite or undefined vector has no direction: the quotient is
  // not a number there, which the clamp turns into -1.
  if (bad || ax == 0.0 || ay == 0.0 || !std::isfinite(ax) || !std::isfinite(ay)) return pi;
  int ex, ey;
  std::frexp(ax, &ex);
  std::frexp(ay, &ey);
  // Scaled element by element: a single factor 2^-e overflows for subnormal
  // magnitudes.
  double dot = 0.0, sx = 0.0, sy = 0.0;
  for (int32_t i = 0; i < len; ++i) {
    const double u = std::ldexp(x[i], -ex), v = std::ldexp(y[i], -ey);
    dot += u * v;
    sx += u * u;
    sy += v * v;
  }
  double q = dot / std::sqrt(sx * sy);
  if (!(q >= -1.0)) q = -1.0;
  if (q > 1.0) q = 1.0;
  return std::acos(q);
}
