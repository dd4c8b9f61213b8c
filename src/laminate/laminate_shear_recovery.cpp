// Stresses through the thickness of a shell section: the transverse shear
// stresses of every ply from the stored f values, the transverse normal
// stress by integrating the equilibrium equation over a parabola per ply
// (from the bottom, or from the top with a boundary value), the normal stress
// that shell curvature adds to the membrane stresses, f at any height, and the
// four distribution values of curved sections.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include "scratch.h"

#include "vexlan/math_geometry.h"
#include "vexlan/laminate.h"
#include "vexlan/laminate_shear.h"
#include "vx.h"

using vx::i4;

namespace {

// Four stored f values of z point p (0-based) of a section with np points.
struct FPoint {
  double c1, c2, c3, c4;
  FPoint(const double* f, int64_t np, int64_t p) : c1(f[p]), c2(f[p + np]), c3(f[p + 2 * np]), c4(f[p + 3 * np]) {}
};

// Antiderivative of the parabola through the integrand at a ply's three points.
struct PlyIntegral {
  double a, b, c;
  PlyIntegral(const double* z, const double* g) {
    const double in[6] = {z[0], z[1], z[2], g[0], g[1], g[2]};
    double out[3];
    GetParabolaCoefficients(in, out);
    a = out[0];
    b = out[1];
    c = out[2];
  }
  double operator()(double x) const { return a * x * x * x / 3.0 + b * x * x / 2.0 + c * x; }
};

PlyIntegral ply_integral(i4 i, const double* rdx, const double* rdy, const double* zc, const double* f, int64_t np) {
  double g[3];
  for (int j = 0; j < 3; ++j) {
    const FPoint m(f, np, 2 * int64_t(i) - 2 + j);
    g[j] = -(m.c1 * rdy[0] + m.c2 * rdy[1] + m.c3 * rdx[0] + m.c4 * rdx[1]);
  }
  return PlyIntegral(zc + 2 * int64_t(i) - 2, g);
}

}  // namespace

VX_API void GetExt2DShearStress(double* xytss, const double* r, const double* plyorientation,
                                const double* smallfmatrix, const int32_t* nspt, const int32_t* nplies) {
  const i4 n = *nplies, ns = *nspt;
  const int64_t np = 2 * int64_t(n) + 1, rows = int64_t(n) * ns;
  for (i4 k = 1; k <= n; ++k) {
    // Ply angles come in degrees like every stack array.
    const double th = plyorientation[k - 1] * vx::deg2rad;
    const double c = std::cos(th), s = std::sin(th);
    for (i4 sp = 1; sp <= ns; ++sp) {
      const int64_t p = sp == ns ? 2 * int64_t(k) : sp == 1 ? 2 * int64_t(k) - 2 : 2 * int64_t(k) - 1;
      const FPoint m(smallfmatrix, np, p);
      const double t1 = m.c1 * r[0] + m.c2 * r[1], t2 = m.c3 * r[0] + m.c4 * r[1];
      const int64_t row = int64_t(k - 1) * ns + sp - 1;
      xytss[row] = c * t1 - s * t2;
      xytss[row + rows] = s * t1 + c * t2;
    }
  }
}

VX_API void GetNormalStressFromBottom(double* s33, const double* rdx, const double* rdy, const double* zcoord,
                                      const double* smallfmatrix, const int32_t* nplies) {
  const i4 n = *nplies;
  if (n < 0) return;  // no z points: nothing to write
  const int64_t np = 2 * int64_t(n) + 1;
  s33[0] = 0.0;
  for (i4 i = 1; i <= n; ++i) {
    const PlyIntegral G = ply_integral(i, rdx, rdy, zcoord, smallfmatrix, np);
    const double* z = zcoord + 2 * int64_t(i) - 2;
    double* s = s33 + 2 * int64_t(i) - 2;
    s[1] = s[0] + G(z[1]) - G(z[0]);
    s[2] = s[0] + G(z[2]) - G(z[0]);
  }
}

VX_API void GetNormalStressFromTop(double* s33, const double* rdx, const double* rdy, const double* s33bc,
                                   const double* zcoord, const double* smallfmatrix, const int32_t* nplies) {
  const i4 n = *nplies;
  if (n < 0) return;  // no z points: nothing to write
  const int64_t np = 2 * int64_t(n) + 1;
  s33[np - 1] = *s33bc;
  for (i4 i = n; i >= 1; --i) {
    const PlyIntegral G = ply_integral(i, rdx, rdy, zcoord, smallfmatrix, np);
    const double* z = zcoord + 2 * int64_t(i) - 2;
    double* s = s33 + 2 * int64_t(i) - 2;
    s[1] = s[2] - (G(z[2]) - G(z[1]));
    s[0] = s[2] - (G(z[2]) - G(z[0]));
  }
}

VX_API void GetIntegralOfMembraneNormalStress(double* sint, const double* sbt, const double* plyzcoord,
                                              const int32_t* plysectionpoint, const double* ki, const double* kj,
                                              const int32_t* nzcrd, const int32_t* nplies) {
  const i4 nz = *nzcrd, n = *nplies;
  const double k1 = *ki, k2 = *kj;
  for (i4 i = 0; i < nz; ++i) sint[i] = 0.0;
  int64_t ib = 0;  // 0-based first point of the ply
  for (i4 k = 0; k < n && ib < nz; ++k) {
    // A ply's top point is the next ply's bottom point; the points stop at nzcrd.
    const int64_t last = std::min<int64_t>(ib + std::max(plysectionpoint[k], 1) - 1, nz - 1);
    const double zb = plyzcoord[ib], t = plyzcoord[last] - zb;
    const double sb = sbt[2 * k], st = sbt[2 * k + 1];
    const double m = t != 0.0 ? (st - sb) / t : 0.0;
    const double alpha = 1.0 - k2 * zb;
    for (int64_t i = ib + 1; i <= last; ++i) {
      // integral over u = z - zb of (sb + m u)(alpha - kj u)
      const double u = plyzcoord[i] - zb;
      const double integral = sb * alpha * u + (m * alpha - k2 * sb) * u * u / 2.0 - k2 * m * u * u * u / 3.0;
      sint[i] = sint[ib] - k1 * integral;
    }
    ib = last;
  }
  for (i4 i = 0; i < nz; ++i) sint[i] /= (1.0 - k1 * plyzcoord[i]) * (1.0 - k2 * plyzcoord[i]);
}

VX_API void GetArbitrarySmallF(double* afmat, const int32_t* iply, const double* zpos, const double* zcoord,
                               const double* smallfmatrix, const int32_t* nplies) {
  const i4 n = *nplies, i = *iply;
  for (int q = 0; q < 4; ++q) afmat[q] = 0.0;
  if (i < 1 || i > n) {
    vx::report(-2, "Error during the calculation of f(z)");
    return;
  }
  const int64_t np = 2 * int64_t(n) + 1, p0 = 2 * int64_t(i) - 2;
  const double* z = zcoord + p0;
  const double x = *zpos;
  if (x > std::max(z[0], z[2]) || x < std::min(z[0], z[2])) vx::report(-2, "Error during the calculation of f(z)");
  for (int j = 0; j < 3; ++j) {
    double l = 1.0;
    for (int m = 0; m < 3; ++m)
      if (m != j) l *= (x - z[m]) / (z[j] - z[m]);
    const FPoint f(smallfmatrix, np, p0 + j);
    // afmat = [[c1, c2], [c3, c4]], column-major
    afmat[0] += l * f.c1;
    afmat[1] += l * f.c3;
    afmat[2] += l * f.c2;
    afmat[3] += l * f.c4;
  }
}

VX_API void GetArbitrarySectionFG(double* fg, const int32_t* sectionlist, const double* plyorientation,
                                  const double* plythickness, const double* plyzcoord, const double* plyelastic,
                                  const int32_t* nplies, const int32_t* nsec, const int32_t* csflag,
                                  const int32_t* fgflag, const double* xycurv, const int32_t* defint) {
  const i4 np_all = *nplies, ns = *nsec, marker = defint ? *defint : vx::unset;
  const int64_t npts = 2 * int64_t(np_all) + 1;
  // Negative counts hold no values (and their product may not fit).
  const int64_t nfg = np_all < 0 || ns < 0 ? 0 : npts * 4 * ns;
  for (int64_t k = 0; k < nfg; ++k) fg[k] = 0.0;
  const double k1 = xycurv ? xycurv[0] : 0.0, k2 = xycurv ? xycurv[1] : 0.0;
  const i4 three = 3, nine = 9, cd0 = 0, cd1 = 1;
  for (i4 is = 0; is < ns; ++is) {
    const i4* list = sectionlist + int64_t(np_all) * is;
    i4 n = np_all;
    for (i4 k = 0; k < np_all; ++k)
      if (list[k] == marker) {
        n = k;
        break;
      }
    if (n < 1) continue;
    const double* ori = plyorientation + int64_t(np_all) * is;
    const double* thk = plythickness + int64_t(np_all) * is;
    const double* pe = plyelastic + int64_t(9) * np_all * is;
    const double* z = plyzcoord + npts * is;
    const i4 nz = 2 * n + 1;
    const size_t m = size_t(9) * nz;

    double a[9], b[9], d[9], at[9], bt[9], dt[9];
    GetAMatrix(a, pe, ori, thk, &n);
    GetBMatrix(b, pe, ori, thk, &n);
    GetDMatrix(d, pe, ori, thk, &n);
    GetABDTilde(at, bt, dt, a, b, d);

    vx::Vec<i4> two(n, 2);
    vx::Vec<double> Z(4 * m);
    for (i4 e = 1; e <= 4; ++e)
      GetArbitraryLaminateIntegral(&Z[(e - 1) * m], &e, pe, ori, z, two.data(), &nz, &n, &nine, nullptr);
    const double* Z1 = &Z[0];
    const double* Z2 = &Z[m];
    const double* Z3 = &Z[2 * m];
    const double* Z4 = &Z[3 * m];

    // Curvature pairs of the entries 11, 12 and 22.
    const double kp[3][2] = {{k2, k2}, {k2, k1}, {k1, k1}};
    vx::Vec<double> ab(6 * m), cd(6 * m), out(3 * m);
    for (int e = 0; e < 3; ++e) {
      getpartialabwithcurvature(&ab[e * m], Z1, Z2, Z3, &kp[e][0], &kp[e][1], &three, &nz);
      getpartialabwithcurvature(&ab[(3 + e) * m], Z2, Z3, Z4, &kp[e][0], &kp[e][1], &three, &nz);
    }
    // Under a membrane force N the mid-plane curves by -bt N, so the stress
    // integrated from the bottom is (Z1 at - Z2 bt) N. Under a moment M it
    // strains by -bt^T M (bt^T = A^-1 B dt, the upper coupling block of the
    // inverse of ABD) and curves by dt M: -(Z1 bt^T - Z2 dt) M, which vanishes
    // at the top face (A bt^T = B dt) as the shear stress must there.
    double btt[9];
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) btt[i + 3 * j] = bt[j + 3 * i];
    const double* t1 = *fgflag < 1 ? at : btt;
    const double* t2 = *fgflag < 1 ? bt : dt;
    for (int e = 0; e < 3; ++e) {
      const double* p1 = &ab[e * m];
      const double* p2 = &ab[(3 + e) * m];
      if (*csflag == 0) {
        GetPartialCDwithCurvature(&cd[e * m], p1, pe, ori, z, two.data(), &kp[e][0], &kp[e][1], &three, &nz, &n,
                                  &nine, &cd0);
        GetPartialCDwithCurvature(&cd[(3 + e) * m], p2, pe, ori, z, two.data(), &kp[e][0], &kp[e][1], &three, &nz, &n,
                                  &nine, &cd1);
        p1 = &cd[e * m];
        p2 = &cd[(3 + e) * m];
      }
      GetPartialFG(&out[e * m], p1, p2, t1, t2, &nz, fgflag);
    }
    const double* fg11 = &out[0];
    const double* fg12 = &out[m];
    const double* fg22 = &out[2 * m];
    double* o = fg + npts * 4 * is;
    for (i4 p = 0; p < nz; ++p) {
      const double zp = z[p];
      double sa, sb;
      if (*csflag != 0) {
        sa = 1.0 / ((1.0 - k2 * zp) * (1.0 - k2 * zp) * (1.0 - k1 * zp));
        sb = 1.0 / ((1.0 - k2 * zp) * (1.0 - k1 * zp) * (1.0 - k1 * zp));
      } else {
        sa = sb = 1.0 / ((1.0 - k2 * zp) * (1.0 - k1 * zp));
      }
      const size_t q = size_t(9) * p;  // 3 x 3 matrix of point p; (i,j) at i + 3j
      o[p] = fg12[q + 1 + 3 * 1] * sb;
      o[p + npts] = fg22[q + 2 + 3 * 0] * sb;
      o[p + 2 * npts] = fg11[q + 2 + 3 * 1] * sa;
      o[p + 3 * npts] = fg12[q + 0 + 3 * 0] * sa;
    }
  }
}
