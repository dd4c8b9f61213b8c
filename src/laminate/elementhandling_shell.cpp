// Shell kinematics of the six-node triangle and the eight-node quadrilateral:
// isoparametric Jacobians and their second-derivative counterparts, a
// Mindlin-type strain-displacement matrix (five dof per node: u, v, w and two
// rotations) with its in-plane derivatives, principal curvatures, nodal and
// element frames; and the recovery of the transverse normal and shear
// stresses through the thickness of a shell element from its nodal motions,
// cached in the section stress storage (an all-zero entry is not computed yet).
#include <algorithm>
#include <cmath>
#include <cstring>

#include "data.h"
#include "elementhandling_impl.h"
#include "fixed.h"
#include "scratch.h"
#include "vexlan.h"
#include "vexlan/elementhandling.h"
#include "vexlan/laminate.h"
#include "vexlan/laminate_shear.h"

using namespace vx;
using elem::cross, elem::dot3;

namespace {

constexpr double nshape6[6][2] = {{0, 0}, {1, 0}, {0, 1}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}};
constexpr double nshape8[8][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};
constexpr double gq = 0.5773502691896257;
constexpr double rs8[4][2] = {{-gq, -gq}, {gq, -gq}, {gq, gq}, {-gq, gq}};
constexpr double rs6[3][2] = {{0.16666666667, 0.16666666667}, {0.16666666667, 0.66666666667},
                              {0.66666666667, 0.16666666667}};
constexpr double deg_per_rad = 57.29577951308232;

const char* const msg_type = "Unknown or unsupported element type.";

inline bool supported(int32_t n) { return n == 6 || n == 8; }

// Shape-function table (n x 6, column-major) at a natural point.
void shape_table(int32_t n, double xi, double eta, double* ns) {
  if (n == 6) Tria6ShapeFunMatrix(ns, &xi, &eta);
  else Quad8ShapeFunMatrix(ns, &xi, &eta);
}

inline double norm3(const double* a) { return std::sqrt(dot3(a, a)); }
inline void unit(const double* a, double* u) {
  const double l = norm3(a);
  for (int i = 0; i < 3; ++i) u[i] = a[i] / l;
}

// Cartesian first and second derivatives of every shape function at a point:
// d[n] = (N,x, N,y, N,xx, N,yy, N,xy). x(n, j) gives coordinate j (0 = x,
// 1 = y) of node n. False when the first-derivative Jacobian is singular.
struct Derivs {
  double n[8], d[8][5];
};

template <class X>
void jacobian_of(const double* ns, int32_t nn, X x, double* jac) {
  for (int k = 0; k < 4; ++k) jac[k] = 0.0;
  for (int32_t a = 0; a < nn; ++a)
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) jac[i + 2 * j] += ns[a + nn * (1 + i)] * x(a, j);
}

template <class X>
void second_jacobian_of(const double* ns, int32_t nn, X x, double* jac2) {
  for (int k = 0; k < 6; ++k) jac2[k] = 0.0;
  for (int32_t a = 0; a < nn; ++a)
    for (int k = 0; k < 3; ++k)
      for (int j = 0; j < 2; ++j) jac2[k + 3 * j] += ns[a + nn * (3 + k)] * x(a, j);
}

template <class X>
void cartesian(const double* ns, int32_t nn, X x, Derivs& r) {
  double jac[4], jinv[4], j1[9], j1inv[9], j2[6];
  jacobian_of(ns, nn, x, jac);
  ShellJacobianInverse(jinv, jac);
  ShellFirstDerivJacobian(j1, jac);
  ShellFirstDerivJacobianInverse(j1inv, j1);
  second_jacobian_of(ns, nn, x, j2);
  for (int32_t a = 0; a < nn; ++a) {
    const double dxi = ns[a + nn], deta = ns[a + 2 * nn];
    const double nx = jinv[0] * dxi + jinv[2] * deta, ny = jinv[1] * dxi + jinv[3] * deta;
    double v[3];
    for (int k = 0; k < 3; ++k) v[k] = ns[a + nn * (3 + k)] - (j2[k] * nx + j2[k + 3] * ny);
    r.n[a] = ns[a];
    r.d[a][0] = nx;
    r.d[a][1] = ny;
    for (int k = 0; k < 3; ++k) r.d[a][2 + k] = j1inv[k] * v[0] + j1inv[k + 3] * v[1] + j1inv[k + 6] * v[2];
  }
}

// Derivatives at (xi, eta) of an element whose node coordinates are ncoords(3, nn).
void derivs_at(const double* ncoords, int32_t nn, double xi, double eta, Derivs& r) {
  double ns[48];
  shape_table(nn, xi, eta, ns);
  cartesian(ns, nn, [ncoords](int32_t a, int j) { return ncoords[3 * a + j]; }, r);
}

// As derivs_at, or false (reported) for an element type without shape functions.
bool checked_derivs_at(const double* ncoords, int32_t nn, double xi, double eta, Derivs& r) {
  if (!supported(nn)) {
    report(-3, msg_type);
    return false;
  }
  derivs_at(ncoords, nn, xi, eta, r);
  return true;
}

void bmatrix(const Derivs& r, int32_t nn, double* b) {
  std::memset(b, 0, sizeof(double) * 320);
  auto at = [b](int row, int col) -> double& { return b[row + 8 * col]; };
  for (int32_t k = 0; k < nn; ++k) {
    const int c = 5 * k;
    const double n = r.n[k], nx = r.d[k][0], ny = r.d[k][1];
    at(0, c) = nx;
    at(1, c + 1) = ny;
    at(2, c) = ny;
    at(2, c + 1) = nx;
    at(3, c + 4) = nx;
    at(4, c + 3) = -ny;
    at(5, c + 3) = -nx;
    at(5, c + 4) = ny;
    at(6, c + 2) = ny;
    at(6, c + 3) = -n;
    at(7, c + 2) = nx;
    at(7, c + 4) = n;
  }
}

// x- (dir 0) or y-derivative (dir 1) of the transverse shear rows of b.
void deriv_bmatrix(const Derivs& r, int32_t nn, int dir, double* db) {
  std::memset(db, 0, sizeof(double) * 80);
  for (int32_t k = 0; k < nn; ++k) {
    const int c = 5 * k;
    const double nx = r.d[k][0], ny = r.d[k][1], nxx = r.d[k][2], nyy = r.d[k][3], nxy = r.d[k][4];
    if (dir == 0) {
      db[0 + 2 * (c + 2)] = nxy;
      db[0 + 2 * (c + 3)] = -nx;
      db[1 + 2 * (c + 2)] = nxx;
      db[1 + 2 * (c + 4)] = nx;
    } else {
      db[0 + 2 * (c + 2)] = nyy;
      db[0 + 2 * (c + 3)] = -ny;
      db[1 + 2 * (c + 2)] = nxy;
      db[1 + 2 * (c + 4)] = ny;
    }
  }
}

void deriv_forces(double* out, const double* u, const double* hmat, const double* ncoords, int32_t nn, double xi,
                  double eta, int dir) {
  out[0] = out[1] = 0.0;
  Derivs r;
  if (!checked_derivs_at(ncoords, nn, xi, eta, r)) return;
  double db[80], g[2] = {0.0, 0.0};
  deriv_bmatrix(r, nn, dir, db);
  for (int c = 0; c < 40; ++c) {
    g[0] += db[2 * c] * u[c];
    g[1] += db[1 + 2 * c] * u[c];
  }
  out[0] = hmat[0] * g[0] + hmat[2] * g[1];
  out[1] = hmat[1] * g[0] + hmat[3] * g[1];
}

void curvatures(const double* ns, int32_t nn, const double* ln, double* delta, double* kappa) {
  Derivs r;
  cartesian(ns, nn, [ln, nn](int32_t a, int j) { return ln[a + int64_t(nn) * j]; }, r);
  double k1 = 0.0, k2 = 0.0, k12 = 0.0;
  for (int32_t a = 0; a < nn; ++a) {
    const double z = ln[a + 2 * int64_t(nn)];
    k1 += r.d[a][2] * z;
    k2 += r.d[a][3] * z;
    k12 += r.d[a][4] * z;
  }
  const double m = (k1 + k2) / 2.0, rr = std::sqrt(((k1 - k2) / 2.0) * ((k1 - k2) / 2.0) + k12 * k12);
  const double p1 = m + rr, p2 = m - rr;
  double big = std::fabs(p1) >= std::fabs(p2) ? p1 : p2, small = std::fabs(p1) >= std::fabs(p2) ? p2 : p1;
  if (std::fabs(big) < 1e-6) {
    kappa[0] = kappa[1] = 0.0;
    *delta = 0.0;
    return;
  }
  kappa[0] = big;
  kappa[1] = std::fabs(big / small) > 20.0 ? 0.0 : small;
  // delta lies at right angles to the direction of kappa(1), as for a
  // cylinder curved along x alone (+-90 degrees by the sign of kappa(1)),
  // whichever way the surface is turned. d is the direction of the
  // algebraically larger principal curvature when k1 >= k2 and of the smaller
  // one otherwise (a twist below 1e-6 counts as none: x and y); where kappa(1)
  // lies along d, delta is d turned by a quarter.
  const double quarter = 1.5707963267948966;
  double d = std::fabs(k12) > 1e-6 ? std::atan(2.0 * k12 / (k1 - k2)) / 2.0 : 0.0;
  if (k1 >= k2) {
    if (big > 0.0) d += quarter;
  } else if (big < 0.0) {
    d -= quarter;
  }
  // Principal curvatures of one size within 1 % leave no direction.
  if (std::fabs(small) > 0.99 * std::fabs(big)) d = 0.0;
  *delta = d;
}

// Tangents a1 = sum N,xi x and a2 = sum N,eta x of nodes on(8,3) (one row per node).
void tangents(const double* ns, int32_t nn, const double* on, double* a1, double* a2) {
  for (int j = 0; j < 3; ++j) {
    a1[j] = a2[j] = 0.0;
    for (int32_t a = 0; a < nn; ++a) {
      a1[j] += ns[a + nn] * on[a + 8 * j];
      a2[j] += ns[a + 2 * nn] * on[a + 8 * j];
    }
  }
}

}  // namespace

VX_API void ShellJacobianInverse(double* jacinv, const double* jac) {
  const double a = jac[0], c = jac[1], b = jac[2], d = jac[3];  // jac(1,1), jac(2,1), jac(1,2), jac(2,2)
  const double det = a * d - b * c;
  // A degenerate element has no inverse map: zeros, as the second-derivative
  // counterpart gives, rather than infinities.
  if (det == 0.0) {
    report(-3, "Singular jacobian");
    for (int k = 0; k < 4; ++k) jacinv[k] = 0.0;
    return;
  }
  jacinv[0] = d / det;
  jacinv[1] = -c / det;
  jacinv[2] = -b / det;
  jacinv[3] = a / det;
}

VX_API void ShellFirstDerivJacobian(double* jac1, const double* jac) {
  const double j11 = jac[0], j21 = jac[1], j12 = jac[2], j22 = jac[3];
  const double m[9] = {j11 * j11, j21 * j21, j11 * j21, j12 * j12, j22 * j22, j12 * j22,
                       2.0 * j11 * j12, 2.0 * j21 * j22, j11 * j22 + j12 * j21};
  std::memcpy(jac1, m, sizeof m);
}

VX_API void ShellFirstDerivJacobianInverse(double* jac1inv, const double* jac1) {
  double det;
  const Mat3 r = cofactor_inverse(CMatRef<3, 3>(jac1), det);
  if (det == 0.0) {
    report(-3, "Singular first derivative of jacobian");
    for (int k = 0; k < 9; ++k) jac1inv[k] = 0.0;
    return;
  }
  r.store(jac1inv);
}

VX_API void ShellJacobian(double* jac, double* nshape, const double* ncoords, const double* xi, const double* eta,
                          const int32_t* inodes) {
  const int32_t nn = *inodes;
  for (int k = 0; k < 4; ++k) jac[k] = 0.0;
  if (!supported(nn)) {
    report(-3, msg_type);
    for (int64_t k = 0; k < 6 * int64_t(std::max(nn, 0)); ++k) nshape[k] = 0.0;
    return;
  }
  shape_table(nn, *xi, *eta, nshape);
  jacobian_of(nshape, nn, [ncoords](int32_t a, int j) { return ncoords[3 * a + j]; }, jac);
}

VX_API void ShellSecondDerivJacobian(double* jac2, const double* nshape, const double* ncoords, const double*,
                                     const double*, const int32_t* inodes) {
  const int32_t nn = std::max(*inodes, 0);
  second_jacobian_of(nshape, nn, [ncoords](int32_t a, int j) { return ncoords[3 * a + j]; }, jac2);
}

VX_API void ShellBMatrix(double* b, const double* ncoords, const double* xi, const double* eta,
                         const int32_t* inodes) {
  std::memset(b, 0, sizeof(double) * 320);
  Derivs r;
  if (checked_derivs_at(ncoords, *inodes, *xi, *eta, r)) bmatrix(r, *inodes, b);
}

VX_API void ShellxDerivBMatrix(double* xderivb, const double* ncoords, const double* xi, const double* eta,
                               const int32_t* inodes) {
  std::memset(xderivb, 0, sizeof(double) * 80);
  Derivs r;
  if (checked_derivs_at(ncoords, *inodes, *xi, *eta, r)) deriv_bmatrix(r, *inodes, 0, xderivb);
}

VX_API void ShellyDerivBMatrix(double* yderivb, const double* ncoords, const double* xi, const double* eta,
                               const int32_t* inodes) {
  std::memset(yderivb, 0, sizeof(double) * 80);
  Derivs r;
  if (checked_derivs_at(ncoords, *inodes, *xi, *eta, r)) deriv_bmatrix(r, *inodes, 1, yderivb);
}

VX_API void ShellxDerivShearForces(double* xderivr, const double* u, const double* hmat, const double* ncoords,
                                   const double* xi, const double* eta, const int32_t* inodes) {
  deriv_forces(xderivr, u, hmat, ncoords, *inodes, *xi, *eta, 0);
}

VX_API void ShellyDerivShearForces(double* yderivr, const double* u, const double* hmat, const double* ncoords,
                                   const double* xi, const double* eta, const int32_t* inodes) {
  deriv_forces(yderivr, u, hmat, ncoords, *inodes, *xi, *eta, 1);
}

VX_API void GetDisplacementVector(double* u, const double* nmotion, const int32_t* inodes, const int32_t* mdof) {
  if (*inodes > 8 || *mdof < 0) {
    report(-2, "Index out of range in GetDisplacementVector");
    return;
  }
  for (int k = 0; k < 40; ++k) u[k] = 0.0;
  const int32_t m = std::min(*mdof, 5);
  for (int32_t k = 0; k < *inodes; ++k)
    for (int32_t i = 0; i < m; ++i) u[5 * k + i] = nmotion[i + int64_t(*mdof) * k];
}

VX_API void GetCurvatures(double* delta, double* kappa, const double* nshape, const double* lncoords,
                          const int32_t* inodes) {
  *delta = 0.0;
  kappa[0] = kappa[1] = 0.0;
  if (!supported(*inodes)) {
    report(-3, msg_type);
    return;
  }
  curvatures(nshape, *inodes, lncoords, delta, kappa);
}

VX_API void GetSectionRefOrientation(double* theta, const double* so, const double* nvector, const double* r12) {
  double n[3];
  cross(r12, so, n);
  const double d = dot3(r12, so);
  if (norm3(n) > 1e-8) {
    const double c = std::min(d / (norm3(so) * norm3(r12)), 1.0);
    const double t = std::acos(c);
    *theta = dot3(n, nvector) > 0.0 ? t : -t;
  } else {
    *theta = d > 0.0 ? 0.0 : 3.141592653589793;
  }
}

VX_API void GetNodalShape(double* nshape, const int32_t* locnode, const int32_t* inodes) {
  const int32_t nn = *inodes, k = *locnode;
  if (!supported(nn)) {
    report(-3, "Unknown or invalid number of nodes");
    for (int64_t q = 0; q < 6 * int64_t(std::max(nn, 0)); ++q) nshape[q] = 0.0;
    return;
  }
  if (k < 1 || k > nn) {
    report(-2, "Index out of range in GetNodalShape");
    return;
  }
  const double* p = nn == 6 ? nshape6[k - 1] : nshape8[k - 1];
  shape_table(nn, p[0], p[1], nshape);
}

VX_API void GetNodalTransformation(double* ti, const double* on, const int32_t* inodes) {
  for (int k = 0; k < 72; ++k) ti[k] = 0.0;
  const int32_t nn = *inodes;
  if (!supported(nn)) {
    report(-3, "Unknown or invalid number of nodes");
    return;
  }
  for (int32_t k = 1; k <= nn; ++k) {
    double ns[48], a1[3], a2[3], u1[3], u2[3], t1[3], t2[3], t3[3], s[3], b[3], ub[3], us[3], n[3];
    GetNodalShape(ns, &k, &nn);
    tangents(ns, nn, on, a1, a2);
    cross(a1, a2, n);
    unit(n, t3);
    unit(a1, u1);
    unit(a2, u2);
    for (int j = 0; j < 3; ++j) s[j] = u1[j] + u2[j];
    cross(t3, s, b);
    unit(b, ub);
    unit(s, us);
    for (int j = 0; j < 3; ++j) t2[j] = (ub[j] + us[j]) * 0.7071067811865475;
    cross(t2, t3, t1);
    double* m = ti + 9 * (k - 1);
    for (int j = 0; j < 3; ++j) {
      m[j] = t1[j];
      m[3 + j] = t2[j];
      m[6 + j] = t3[j];
    }
  }
}

VX_API void GetElementTransformation(double* tcurv, double* origin, double* kappa, const double* on,
                                     const double* refdir, const int32_t* inodes) {
  for (int k = 0; k < 9; ++k) tcurv[k] = 0.0;
  origin[0] = origin[1] = origin[2] = 0.0;
  kappa[0] = kappa[1] = 0.0;
  const int32_t nn = *inodes;
  if (!supported(nn)) {
    report(-3, msg_type);
    return;
  }
  auto node = [on](int a, double* x) {
    for (int j = 0; j < 3; ++j) x[j] = on[a + 8 * j];
  };
  double ns[48], a1[3], a2[3], e1[3], e2[3], e3[3], n[3];
  shape_table(nn, 0.0, 0.0, ns);
  tangents(ns, nn, on, a1, a2);
  cross(a1, a2, n);
  unit(n, e3);
  if (nn == 8) {
    for (int a = 0; a < 4; ++a)
      for (int j = 0; j < 3; ++j) origin[j] += on[a + 8 * j] / 4.0;
    double u1[3], u2[3];
    unit(a1, u1);
    unit(a2, u2);
    const double alpha = std::acos(dot3(u1, u2));
    // Turn the first tangent so that both in-plane axes lie symmetric to the bisector of the tangents.
    const double rot = -(0.7853981633974483 - alpha / 2.0) * deg_per_rad;
    CoordinateRotation(e3, u1, e1, &rot);
    cross(e3, e1, e2);
  } else {
    double x1[3], x2[3], x3[3], d[3];
    node(0, x1);
    node(1, x2);
    node(2, x3);
    for (int j = 0; j < 3; ++j) d[j] = x2[j] - x3[j];
    const double l1 = norm3(d);
    for (int j = 0; j < 3; ++j) d[j] = x1[j] - x3[j];
    const double l2 = norm3(d);
    for (int j = 0; j < 3; ++j) d[j] = x1[j] - x2[j];
    const double l3 = norm3(d);
    const double* o = x1;
    if (l2 > l1 && l2 >= l3) o = x2;
    else if (l3 > l1 && l3 > l2) o = x3;
    for (int j = 0; j < 3; ++j) origin[j] = o[j];
    unit(a1, e1);
    unit(a2, e2);
  }
  // Reference direction: the candidate of the record that lies closer to the
  // first axis turned by the record's angle; its angle to the first edge.
  double rref[3], c1[3], c2[3], r12[3], x1[3], x2[3], theta = 0.0;
  CoordinateRotation(e3, e1, rref, refdir);
  cross(refdir + 1, rref, c1);
  cross(refdir + 4, rref, c2);
  const double* cand = norm3(c1) < norm3(c2) ? refdir + 1 : refdir + 4;
  node(0, x1);
  node(1, x2);
  for (int j = 0; j < 3; ++j) r12[j] = x2[j] - x1[j];
  GetSectionRefOrientation(&theta, cand, e3, r12);
  // Local node coordinates (one row per node) and the curvatures.
  double ln[24];
  for (int32_t a = 0; a < nn; ++a) {
    double x[3], dx[3];
    node(a, x);
    for (int j = 0; j < 3; ++j) dx[j] = x[j] - origin[j];
    ln[a] = dot3(e1, dx);
    ln[a + nn] = dot3(e2, dx);
    ln[a + 2 * nn] = dot3(e3, dx);
  }
  double delta = 0.0;
  curvatures(ns, nn, ln, &delta, kappa);
  double ang = 0.0;
  if (theta != 0.0) ang = theta * deg_per_rad;
  if (delta != 0.0) ang = delta * deg_per_rad;
  double t1[3], t2[3];
  CoordinateRotation(e3, e1, t1, &ang);
  cross(e3, t1, t2);
  for (int j = 0; j < 3; ++j) {
    tcurv[0 + 3 * j] = t1[j];
    tcurv[1 + 3 * j] = t2[j];
    tcurv[2 + 3 * j] = e3[j];
  }
}

VX_API void GetNodeReferenceData(int32_t* lop, const int32_t* tflag) {
  using namespace elementdata;
  using namespace nodaldata;
  *lop = 0;
  const char* disagree = "Element or node data disagree with their count in GetNodeReferenceData";
  // No model read, or released: nothing to do.
  if (!elemkind.allocated() || !nodalcoords.allocated() || !tcurvmatrices.allocated() ||
      !tnodalmatrices.allocated() || !elemcurvatures.allocated() || !elemreforientation.allocated() || nelem == 0)
    return;
  // Node coordinates, frames and records are used as whole columns and blocks.
  if (nodalcoords.extent(1) < 3 || tnodalmatrices.extent(1) != 3 || tnodalmatrices.extent(2) != 3 ||
      tnodalmatrices.extent(3) < 8 || tcurvmatrices.extent(1) != 3 || tcurvmatrices.extent(2) != 3 ||
      elemcurvatures.extent(1) < 2 || elemreforientation.extent(1) < 7) {
    report(-2, "Index out of range in GetNodeReferenceData");
    return;
  }
  const int64_t ne = nelem;
  if (!elem::count_fits(ne, std::min({elemkind.extent(1), nodalcoords.extent(3), tcurvmatrices.extent(3),
                                tnodalmatrices.extent(4), elemcurvatures.extent(2), elemreforientation.extent(2)}))) {
    report(-2, disagree);
    return;
  }
  const int64_t slots = nodalcoords.extent(2);
  for (int64_t e = 1; e <= ne; ++e) {
    const int32_t kind = elemkind(e);
    if (kind < 0 || kind > 11) {
      report(-3, "Unknown element type detected");
      *lop = -3;
      return;
    }
    int32_t nn = 0;
    if (kind == 4 || kind == 5) nn = 8;
    else if (kind == 8) nn = 6;
    else if (kind >= 1 && kind <= 3 && slots >= 8) {
      // Four-node shells only with mid-side data in slots 5 to 8.
      const double first = nodalcoords(1, 5, e);
      bool all_equal = true;
      for (int64_t k = 5; k <= 8 && all_equal; ++k)
        for (int j = 1; j <= 3 && all_equal; ++j) all_equal = nodalcoords(j, k, e) == first;
      if (!all_equal) nn = 8;
    }
    if (nn == 0 || slots < nn) continue;
    double on[24] = {};
    for (int32_t a = 0; a < nn; ++a)
      for (int j = 0; j < 3; ++j) on[a + 8 * j] = nodalcoords(j + 1, a + 1, e);
    GetNodalTransformation(&tnodalmatrices(1, 1, 1, e), on, &nn);
    double origin[3], kappa[2];
    GetElementTransformation(&tcurvmatrices(1, 1, e), origin, kappa, on, &elemreforientation(1, e), &nn);
    elemcurvatures(1, e) = kappa[0];
    elemcurvatures(2, e) = kappa[1];
    if (tflag && *tflag == 1) continue;
    const CMatRef<3, 3> tc(&tcurvmatrices(1, 1, e));
    for (int32_t a = 0; a < nn; ++a) {
      double d[3], x[3];
      for (int j = 0; j < 3; ++j) d[j] = on[a + 8 * j] - origin[j];
      matvec<3, 3>(x, tc, d);
      for (int j = 0; j < 3; ++j) nodalcoords(j + 1, a + 1, e) = x[j];
    }
  }
}

VX_API void GetShellTransverseStresses(double* tnormalstress, double* tshearstress, const double* nodalcoords,
                                       const double* nodesmotion, const double* sestress, const double* sehmatrix,
                                       const double* sefmatrix, const double* plyorientation,
                                       const double* plythickness, const double* plyzcoord, const double* plyelastic,
                                       const int32_t* elemsectionpoints, const double* elemcurvatures,
                                       const int32_t* elemkind, const int32_t* sectionlist, const int32_t* elemid,
                                       const int32_t* gpid, const int32_t* secid, const int32_t* itnsflag,
                                       const int32_t* itshrflag, const int32_t* nplies, const int32_t* nsec,
                                       const int32_t* nzcoord, const int32_t* nintpoint, const int32_t* ndof,
                                       const int32_t* nnodes, const int32_t* nelem) {
  const int32_t e = *elemid;
  if (e == 0) return;
  const int32_t np = *nplies, nz = *nzcoord, nip = *nintpoint, nd = *ndof, nno = *nnodes;
  if (e < 1 || e > *nelem || *secid < 1 || *secid > *nsec || np < 1 || nz != 2 * np + 1 || nd < 0 || nno < 0 ||
      nip < 0) {
    report(-2, "Index out of range in GetShellTransverseStresses");
    return;
  }
  const int64_t ei = e - 1, si = *secid - 1;
  const int32_t kind = elemkind[ei];
  int32_t nn = 0;
  if (kind == 4 || kind == 5) nn = 8;
  else if (kind == 8) nn = 6;
  else if (kind >= 1 && kind <= 3 && nno == 8) {
    bool coords = false, motion = false;
    for (int64_t k = 4; k < 8; ++k) {
      for (int j = 0; j < 3; ++j) coords = coords || nodalcoords[j + 3 * (k + 8 * ei)] != 0.0;
      for (int32_t j = 0; j < nd; ++j) motion = motion || nodesmotion[j + int64_t(nd) * (k + 8 * ei)] != 0.0;
    }
    if (coords && motion) nn = 8;
  }
  if (nn == 0 || nno < nn) return;
  const bool quad = nn == 8;
  const int32_t npts = quad ? 4 : 3;
  const double weight = quad ? 0.25 : 0.3333333333333333;
  const double(*rs)[2] = quad ? rs8 : rs6;
  if (*gpid < 1 || *gpid > 4 || (*itshrflag != 0 && *gpid > npts)) {
    report(-2, "Index out of range in GetShellTransverseStresses");
    return;
  }
  const int32_t nspt = std::max(elemsectionpoints[ei], 1);
  if (*itshrflag != 0 && int64_t(np) * nspt > nip) {
    report(-2, "Index out of range in GetShellTransverseStresses");
    return;
  }

  double u[40];
  GetDisplacementVector(u, nodesmotion + int64_t(nd) * nno * ei, &nn, &nd);
  bool moving = false;
  for (double v : u) moving = moving || v != 0.0;
  if (!moving) return;
  const double* nc = nodalcoords + 3 * int64_t(nno) * ei;
  const double xc = elemcurvatures[2 * ei], yc = elemcurvatures[2 * ei + 1];
  const bool flat = xc == 0.0 && yc == 0.0;
  const double kmax = std::max(xc, yc), kmin = std::min(xc, yc);
  const double* hmat = sehmatrix + 4 * si;
  const double* zc = plyzcoord + int64_t(nz) * si;
  const double* sf = sefmatrix + int64_t(nz) * 4 * si;

  // Distribution values of the curved section: sections are independent, so
  // only section secid is formed.
  auto section_fg = [&](int32_t csflag, double* fg) {
    const int32_t fgflag = 1, one = 1;
    const double xy[2] = {kmax, kmin};
    const int64_t ps = int64_t(np) * si;
    GetArbitrarySectionFG(fg, sectionlist + ps, plyorientation + ps, plythickness + ps, zc, plyelastic + 9 * ps,
                          nplies, &one, &csflag, &fgflag, xy, nullptr);
  };
  const size_t fgsize = size_t(nz) * 4;

  double* tn = tnormalstress + int64_t(nz) * ei;
  bool tn_empty = true;
  for (int32_t i = 0; i < nz; ++i) tn_empty = tn_empty && tn[i] == 0.0;
  if (tn_empty && *itnsflag != 0) {
    double rdx[2] = {0.0, 0.0}, rdy[2] = {0.0, 0.0};
    if (*itnsflag == 2 && quad) {
      const double z0 = 0.0;
      ShellxDerivShearForces(rdx, u, hmat, nc, &z0, &z0, &nn);
      ShellyDerivShearForces(rdy, u, hmat, nc, &z0, &z0, &nn);
    } else {
      for (int32_t p = 0; p < npts; ++p) {
        double gx[2], gy[2];
        ShellxDerivShearForces(gx, u, hmat, nc, &rs[p][0], &rs[p][1], &nn);
        ShellyDerivShearForces(gy, u, hmat, nc, &rs[p][0], &rs[p][1], &nn);
        for (int i = 0; i < 2; ++i) {
          rdx[i] += weight * gx[i];
          rdy[i] += weight * gy[i];
        }
      }
    }
    Scratch<double, 64> s33(static_cast<size_t>(nz));
    if (flat) {
      GetNormalStressFromBottom(s33, rdx, rdy, zc, sf, nplies);
    } else {
      Scratch<double, 256> fg(fgsize);
      section_fg(0, fg);
      const double* f = fg.get();
      Scratch<int32_t, 32> psp(static_cast<size_t>(np));
      for (int32_t k = 0; k < np; ++k) psp[size_t(k)] = nspt;
      Scratch<double, 192> sbt(size_t(12) * size_t(np));
      Scratch<double, 64> row(size_t(2) * size_t(np)), sint(static_cast<size_t>(nz));
      for (int32_t i = 0; i < nz; ++i) s33[size_t(i)] = 0.0;
      // Each curvature pairs with the membrane stress of its own direction:
      // the x curvature with the 11 stress (row 1 of sbt), the y curvature with 22.
      const double ki[2] = {kmin, kmax}, kj[2] = {kmax, kmin};
      const int comp[2] = {(kmin == xc && xc != yc) ? 0 : 1, (kmin == xc && xc != yc) ? 1 : 0};
      for (int j = 0; j < 4; ++j) {
        GetPlyBottomTopStress(sbt, sestress + 6 * int64_t(nip) * (j + 4 * ei), psp, nintpoint, nplies);
        for (int p = 0; p < 2; ++p) {
          for (int32_t k = 0; k < 2 * np; ++k) row[size_t(k)] = sbt[size_t(comp[p] + 6 * k)];
          GetIntegralOfMembraneNormalStress(sint, row, zc, psp, &ki[p], &kj[p], nzcoord, nplies);
          for (int32_t i = 0; i < nz; ++i) s33[size_t(i)] += sint[size_t(i)];
        }
      }
      for (int32_t i = 0; i < nz; ++i)
        s33[size_t(i)] = weight * s33[size_t(i)] - (f[i] * rdy[0] + f[i + nz] * rdy[1]) -
                         (f[i + 2 * nz] * rdx[0] + f[i + 3 * nz] * rdx[1]);
    }
    for (int32_t i = 0; i < nz; ++i) tn[i] = s33[size_t(i)];
  }

  double* ts = tshearstress + int64_t(nip) * 2 * (*gpid - 1 + 4 * ei);
  bool ts_empty = true;
  for (int32_t i = 0; i < 2 * nip; ++i) ts_empty = ts_empty && ts[i] == 0.0;
  if (ts_empty && *itshrflag != 0) {
    const double r = rs[*gpid - 1][0], s = rs[*gpid - 1][1];
    double b[320], strain[8];
    ShellBMatrix(b, nc, &r, &s, &nn);
    matvec<8, 40>(strain, CMatRef<8, 40>(b), u);
    const double q[2] = {hmat[0] * strain[6] + hmat[2] * strain[7], hmat[1] * strain[6] + hmat[3] * strain[7]};
    const int64_t rows = int64_t(np) * nspt;
    Scratch<double, 128> xy(size_t(rows) * 2);
    const double* ori = plyorientation + int64_t(np) * si;
    if (flat) {
      GetExt2DShearStress(xy, q, ori, sf, &nspt, nplies);
    } else {
      Scratch<double, 256> fg(fgsize);
      section_fg(1, fg);
      GetExt2DShearStress(xy, q, ori, fg, &nspt, nplies);
    }
    for (int64_t i = 0; i < rows; ++i) {
      ts[i] = xy[size_t(i)];
      ts[i + nip] = xy[size_t(i + rows)];
    }
  }
}

VX_API void GetCenterNodes(double* center, const double* vertices, const int32_t* ndim, const int32_t* npt) {
  const int64_t nd = std::max(*ndim, 0), n = std::max(*npt, 0);
  for (int64_t i = 0; i < n; ++i) {
    const int64_t k = (i + 1) % n;
    for (int64_t j = 0; j < nd; ++j) center[j + nd * i] = (vertices[j + nd * i] + vertices[j + nd * k]) / 2.0;
  }
}

VX_API void GetHex8ElemLength(double* elemlength, const double* matcos, const double* nodalcoord) {
  static const int pairs[4][2] = {{6, 0}, {7, 1}, {4, 2}, {5, 3}};
  for (int l = 0; l < 3; ++l) {
    double s = 0.0;
    for (const auto& p : pairs)
      for (int i = 0; i < 3; ++i)
        s += std::fabs(matcos[i + 3 * l] * (nodalcoord[i + 3 * p[0]] - nodalcoord[i + 3 * p[1]]));
    elemlength[l] = 0.25 * s;
  }
}

VX_API void GetQuad4ElemLength(double* elemlength, const double* tdirect, const double* nodalcoord) {
  const CMatRef<3, 3> t(tdirect);
  double len[3];
  for (int k = 1; k < 4; ++k) {
    double v[3], p[3], q[3];
    for (int i = 0; i < 3; ++i) v[i] = nodalcoord[i + 3 * k] - nodalcoord[i];
    CoordinateProjection(tdirect, tdirect + 3, v, p, nullptr);
    matvec<3, 3>(q, t, p);
    len[k - 1] = norm3(q);
  }
  elemlength[0] = len[0];  // to node 2
  elemlength[1] = len[2];  // to node 4
  elemlength[2] = len[1];  // to node 3
}
