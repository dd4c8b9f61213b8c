// Transverse shear of a laminate section: the partial membrane and coupling
// stiffness up to a height, the matrix f(z) that distributes the transverse
// shear forces over the thickness, the section's shear stiffness H by shear
// correction factors, by Gauss integration of the complementary shear energy
// (the default) or over running laminate integrals, and the Chai factors of
// an interface. The stack's per-ply data (z, Qbar, shear stiffness) are built
// once per routine call and shared by every height evaluated in it.
#include <cmath>
#include <cstdint>
#include "scratch.h"

#include "fixed.h"
#include "laminate_clt.h"
#include "laminate_shear_impl.h"
#include "vexlan/math_geometry.h"
#include "vexlan/lamina.h"
#include "vexlan/laminate.h"
#include "vexlan/laminate_shear.h"
#include "vexlan/math_linalg.h"
#include "vx.h"

using vx::i4;
using vx::Mat;
using vx::Mat3;
using Mat2 = vx::Mat<2, 2>;

namespace vx::shear {

Mat3 inverse(const Mat3& a) {
  Mat3 r;
  const i4 n = 3;
  MatrixInverse(a.data(), r.data(), &n);
  return r;
}

Mat2 inverse(const Mat2& a) {
  Mat2 r;
  const i4 n = 2;
  MatrixInverse(a.data(), r.data(), &n);
  return r;
}

// A negative ply count from a native caller makes an empty stack (a vector
// of that size would end the process). One walk up the stack gives every
// ply's bottom and top.
Stack::Stack(const double* pe, const double* ori, const double* thk, i4 nplies)
    : elastic(pe), orientation(ori), thickness(thk), n(nplies > 0 ? nplies : 0), zbot(n), ztop(n), qbar(n),
      cshear(n) {
  vx::lam::PlyWalk w(thk, n);
  for (i4 k = 0; k < n; ++k) {
    zbot[k] = w.bot();
    ztop[k] = w.top(k);
    w.next(k);
    qbar[k] = vx::lam::qbar(pe + int64_t(9) * k, ori[k]);
    GetOffAxisShearRigidMatrix(cshear[k].data(), &pe[int64_t(9) * k + 7], &pe[int64_t(9) * k + 8], &ori[k]);
  }
}

void Stack::abd(Mat3& a, Mat3& b, Mat3& d) const {
  GetAMatrix(a.data(), elastic, orientation, thickness, &n);
  GetBMatrix(b.data(), elastic, orientation, thickness, &n);
  GetDMatrix(d.data(), elastic, orientation, thickness, &n);
}

Mat3 Stack::partial_a(double z, i4 iply) const {
  const i4 i = iply - 1;
  Mat3 s = Mat3::zero();
  for (i4 k = 0; k < i; ++k)
    for (int e = 0; e < 9; ++e) s.a[e] += qbar[k].a[e] * (ztop[k] - zbot[k]);
  Mat3 r;
  for (int e = 0; e < 9; ++e) r.a[e] = qbar[i].a[e] * (z - zbot[i]) + s.a[e];
  return r;
}

Mat3 Stack::partial_b(double z, i4 iply) const {
  const i4 i = iply - 1;
  Mat3 s = Mat3::zero();
  for (i4 k = 0; k < i; ++k)
    for (int e = 0; e < 9; ++e) s.a[e] += qbar[k].a[e] * (ztop[k] * ztop[k] - zbot[k] * zbot[k]);
  Mat3 r;
  for (int e = 0; e < 9; ++e) r.a[e] = 0.5 * (qbar[i].a[e] * (z * z - zbot[i] * zbot[i]) + s.a[e]);
  return r;
}

// The stack's flexibility pair fa = A^-1 B fb, fb = (D - B A^-1 B)^-1.
void Stack::flexibility(Mat3& fa, Mat3& fb) const {
  Mat3 a, b, d;
  abd(a, b, d);
  const Mat3 ainv = inverse(a);
  const Mat3 aib = ainv * b;
  Mat3 dstar = d;
  const Mat3 babd = b * aib;
  for (int e = 0; e < 9; ++e) dstar.a[e] -= babd.a[e];
  fb = inverse(dstar);
  fa = aib * fb;
}

SmallF::SmallF(const Stack& st, const Mat3& fa, const Mat3& fb) : st(st), fa(fa), fb(fb) {
  const double theta_d = GetDecoupAngle(st.elastic, st.orientation, st.thickness, &st.n);
  const double theta = theta_d * vx::deg2rad;
  Mat3 t;
  const i4 three = 3, ttype = 0, tflag = 1;
  GetNyeTransformationMatrix(t.data(), &theta, &three, &ttype, &tflag);
  tt = vx::transpose(t);
  ttinv = inverse(tt);
  const double axis[3] = {0.0, 0.0, 1.0};
  double r[9];
  GetRotationMatrix(r, axis, &theta);
  r2(0, 0) = r[0];
  r2(1, 0) = r[1];
  r2(0, 1) = r[3];
  r2(1, 1) = r[4];
}

Mat2 SmallF::at(double z, i4 iply) const {
  const Mat3 pa = st.partial_a(z, iply), pb = st.partial_b(z, iply);
  const Mat3 m1 = pa * fa, m2 = pb * fb;
  Mat3 m;
  for (int e = 0; e < 9; ++e) m.a[e] = m1.a[e] - m2.a[e];
  const Mat3 f3 = ttinv * m * tt;
  Mat2 mid = Mat2::zero();
  mid(0, 0) = f3(1, 1);
  mid(1, 1) = f3(0, 0);
  return vx::transpose(r2) * mid * r2;
}

namespace {

// Used plies of section column: entries before the first marker; 0 when none.
i4 used_plies(const i4* list, i4 nplies, i4 defint) {
  for (i4 k = 0; k < nplies; ++k)
    if (list[k] == defint) return k;
  return nplies;
}

bool all_zero(const double* pe, i4 n) {
  for (int64_t k = 0; k < 9 * int64_t(n); ++k)
    if (pe[k] != 0.0) return false;  // a NaN counts as non-zero
  return true;
}

void store2(double* out, const Mat2& m) { m.store(out); }

Mat2 improved_shear(const Stack& st) {
  Mat3 fa, fb;
  st.flexibility(fa, fb);
  const SmallF sf(st, fa, fb);
  static const double xi[3] = {-0.774596669241483, 0.0, 0.774596669241483};
  static const double w[3] = {0.555555555555556, 0.888888888888889, 0.555555555555556};
  Mat2 sum = Mat2::zero();
  for (i4 k = 0; k < st.n; ++k) {
    const double jac = (st.ztop[k] - st.zbot[k]) / 2.0;
    const Mat2 cinv = inverse(st.cshear[k]);
    for (int g = 0; g < 3; ++g) {
      const double z = (1.0 + xi[g]) * jac + st.zbot[k];
      const Mat2 f = sf.at(z, k + 1);
      const Mat2 e = vx::transpose(f) * cinv * f;
      for (int q = 0; q < 4; ++q) sum.a[q] += jac * w[g] * e.a[q];
    }
  }
  return inverse(sum);
}

Mat2 quadrature(const Stack& st) {
  Mat3 a, b, d, at, bt, dt;
  st.abd(a, b, d);
  GetABDTilde(at.data(), bt.data(), dt.data(), a.data(), b.data(), d.data());
  // Without membrane forces a moment M strains the mid-plane by -bt^T M and
  // curves it by dt M (bt^T = A^-1 B dt, the upper coupling block of the
  // inverse of ABD): the stress integrated from the bottom is then
  // -(Z1 bt^T - Z2 dt) M.
  const Mat3 btt = vx::transpose(bt);
  const i4 n = st.n, nz = 5 * n + 1;
  vx::Vec<double> z(nz);
  vx::Vec<i4> intervals(n, 5);
  for (i4 k = 0; k < n; ++k) {
    const double ht = st.thickness[k] / 2.0, zm = st.zbot[k] + ht;
    z[5 * k] = st.zbot[k];
    z[5 * k + 1] = zm - 0.8611363116 * ht;
    z[5 * k + 2] = zm - 0.3399810436 * ht;
    z[5 * k + 3] = zm + 0.3399810436 * ht;
    z[5 * k + 4] = zm + 0.8611363116 * ht;
  }
  z[nz - 1] = n > 0 ? st.ztop[n - 1] : 0.0;
  vx::Vec<double> z1(size_t(9) * nz), z2(size_t(9) * nz), fg(size_t(9) * nz);
  const i4 one = 1, two = 2, nine = 9, fgflag = 1;
  GetArbitraryLaminateIntegral(z1.data(), &one, st.elastic, st.orientation, z.data(), intervals.data(), &nz, &n, &nine,
                               nullptr);
  GetArbitraryLaminateIntegral(z2.data(), &two, st.elastic, st.orientation, z.data(), intervals.data(), &nz, &n, &nine,
                               nullptr);
  GetPartialFG(fg.data(), z1.data(), z2.data(), btt.data(), dt.data(), &nz, &fgflag);
  Mat2 sum = Mat2::zero();
  for (i4 k = 0; k < n; ++k) {
    const double ht = st.thickness[k] / 2.0;
    const Mat2 cinv = inverse(st.cshear[k]);
    for (int g = 1; g <= 4; ++g) {
      // The shear stresses (yz, xz) from the shear forces (Qy, Qx) by
      // equilibrium under cylindrical bending in each direction; their
      // complementary energy is fz^T C^-1 fz.
      const vx::CMatRef<3, 3> p(fg.data() + size_t(9) * (5 * k + g));
      Mat2 fz;
      fz(0, 0) = p(1, 1);
      fz(0, 1) = p(2, 0);
      fz(1, 0) = p(2, 1);
      fz(1, 1) = p(0, 0);
      const Mat2 hp = vx::transpose(fz) * cinv * fz;
      const double wt = (g == 1 || g == 4) ? 0.3478548451 : 0.6521451549;
      for (int q = 0; q < 4; ++q) sum.a[q] += wt * ht * hp.a[q];
    }
  }
  return inverse(sum);
}

Mat2 shear_correct(const Stack& st) {
  Mat2 hlam = Mat2::zero();
  for (i4 k = 0; k < st.n; ++k)
    for (int q = 0; q < 4; ++q) hlam.a[q] += (st.ztop[k] - st.zbot[k]) * st.cshear[k].a[q];
  double sk[2];
  correction_factors(sk, hlam, st);
  Mat2 h;
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) h(i, j) = std::sqrt(sk[i] * sk[j]) * hlam(i, j);
  return h;
}

}  // namespace

void correction_factors(double* sk, const Mat2& hlam, const Stack& st) {
  Mat3 a, b, d;
  st.abd(a, b, d);
  // Direction 1 bends about the laminate's x axis (entries 22), direction 2
  // about y (entries 11).
  const int ent[2] = {1, 0};
  double big_delta[2];
  for (int dir = 0; dir < 2; ++dir) {
    const int e = ent[dir];
    big_delta[dir] = a(e, e) * d(e, e) - b(e, e) * b(e, e);
  }
  if (std::fabs(big_delta[0]) < 1e-10 || std::fabs(big_delta[1]) < 1e-10) {
    sk[0] = sk[1] = 1.0;
    return;
  }
  for (int dir = 0; dir < 2; ++dir) {
    const int e = ent[dir];
    const double A = a(e, e), B = b(e, e), delta = big_delta[dir];
    double sum = 0.0, cont = 0.0, qprev = 0.0;
    for (i4 k = 0; k < st.n; ++k) {
      const double q = st.qbar[k](e, e);
      const double zj = st.zbot[k];
      cont += (qprev - q) * zj * (2.0 * B - A * zj);
      qprev = q;
      const Mat2& c = st.cshear[k];
      const double det = c(0, 0) * c(1, 1) - c(0, 1) * c(0, 1);
      if (!(det > 1e-5)) continue;
      const double cinv = (dir == 0 ? c(1, 1) : c(0, 0)) / det;
      const double z0 = st.zbot[k], z1 = st.ztop[k];
      auto pint = [&](int m) { return (std::pow(z1, m) - std::pow(z0, m)) / m; };
      // integral of (s + 2BQ z - AQ z^2)^2 over the ply
      const double s = cont, t = z1 - z0;
      const double integral = s * s * t + 4.0 * B * q * s * pint(2) + (4.0 * B * B * q * q - 2.0 * A * q * s) * pint(3) -
                              4.0 * A * B * q * q * pint(4) + A * A * q * q * pint(5);
      sum += cinv / (4.0 * delta * delta) * integral;
    }
    sk[dir] = 1.0 / (hlam(dir, dir) * sum);
  }
}

Mat2 section_h(const Stack& st, i4 method) {
  if (method == 0) return shear_correct(st);
  if (method == 2) return quadrature(st);
  return improved_shear(st);
}

void section_f(double* plysmallf, const i4* sectionlist, const double* ori, const double* thk, const double* zc,
               const double* pe, i4 nplies, i4 nsec, i4 defint) {
  const int64_t npts = 2 * int64_t(nplies) + 1;
  // Negative counts hold no values (and their product may not fit).
  const int64_t nf = nplies < 0 || nsec < 0 ? 0 : npts * 4 * nsec;
  for (int64_t k = 0; k < nf; ++k) plysmallf[k] = 0.0;
  for (i4 is = 0; is < nsec; ++is) {
    const i4 n = used_plies(sectionlist + int64_t(nplies) * is, nplies, defint);
    const double* pes = pe + int64_t(9) * nplies * is;
    if (n < 1 || all_zero(pes, n)) continue;
    const Stack st(pes, ori + int64_t(nplies) * is, thk + int64_t(nplies) * is, n);
    Mat3 fa, fb;
    st.flexibility(fa, fb);
    const SmallF sf(st, fa, fb);
    const double* z = zc + npts * is;
    double* out = plysmallf + npts * 4 * is;
    auto put = [&](int64_t p, i4 iply) {
      const Mat2 f = sf.at(z[p], iply);
      for (int q = 0; q < 4; ++q) out[p + npts * q] = f.a[q];
    };
    for (i4 i = 1; i <= n; ++i) {
      put(2 * i - 2, i);
      put(2 * i - 1, i);
    }
    put(2 * int64_t(n), n);
  }
}

void section_h_all(double* sehmatrix, const i4* sectionlist, const double* ori, const double* thk, const double* pe,
                   i4 nplies, i4 nsec, i4 method, i4 defint) {
  for (int64_t k = 0; k < 4 * int64_t(nsec); ++k) sehmatrix[k] = 0.0;
  for (i4 is = 0; is < nsec; ++is) {
    const i4 n = used_plies(sectionlist + int64_t(nplies) * is, nplies, defint);
    const double* pes = pe + int64_t(9) * nplies * is;
    if (n < 1 || all_zero(pes, n)) continue;
    const Stack st(pes, ori + int64_t(nplies) * is, thk + int64_t(nplies) * is, n);
    store2(sehmatrix + 4 * int64_t(is), section_h(st, method));
  }
}

}  // namespace vx::shear

using namespace vx::shear;

namespace {

// The partial integrals read the plies up to iply: a ply outside the stack
// would read past the caller's arrays. The result is then zero.
bool ply_in_stack(double* out, int len, i4 iply, i4 nplies, const char* msg) {
  if (iply >= 1 && iply <= nplies) return true;
  for (int e = 0; e < len; ++e) out[e] = 0.0;
  vx::report(-2, msg);
  return false;
}

}  // namespace

VX_API void GetPartialAMatrix(double* aprt, const double* plyelastic, const double* plyorientation,
                              const double* plythickness, const double* zcrd, const int32_t* iply,
                              const int32_t* nplies) {
  if (!ply_in_stack(aprt, 9, *iply, *nplies, "Error in GetPartialAMatrix: ply number outside the stack.")) return;
  const Stack st(plyelastic, plyorientation, plythickness, *nplies);
  st.partial_a(*zcrd, *iply).store(aprt);
}

VX_API void GetPartialBMatrix(double* bprt, const double* plyelastic, const double* plyorientation,
                              const double* plythickness, const double* zcrd, const int32_t* iply,
                              const int32_t* nplies) {
  if (!ply_in_stack(bprt, 9, *iply, *nplies, "Error in GetPartialBMatrix: ply number outside the stack.")) return;
  const Stack st(plyelastic, plyorientation, plythickness, *nplies);
  st.partial_b(*zcrd, *iply).store(bprt);
}

VX_API void GetSmallFMatrix(double* smallf, const double* plyelastic, const double* plyorientation,
                            const double* plythickness, const double* zcrd, const double* fa, const double* fb,
                            const int32_t* iply, const int32_t* nplies) {
  if (!ply_in_stack(smallf, 4, *iply, *nplies, "Error in GetSmallFMatrix: ply number outside the stack.")) return;
  const Stack st(plyelastic, plyorientation, plythickness, *nplies);
  const SmallF sf(st, Mat3::load(fa), Mat3::load(fb));
  sf.at(*zcrd, *iply).store(smallf);
}

VX_API void GetSectionFMatrix(double* plysmallf, const int32_t* sectionlist, const double* plyorientation,
                              const double* plythickness, const double* plyzcoord, const double* plyelastic,
                              const int32_t* nplies, const int32_t* nsec, const int32_t* defint) {
  section_f(plysmallf, sectionlist, plyorientation, plythickness, plyzcoord, plyelastic, *nplies, *nsec,
            defint ? *defint : vx::unset);
}

VX_API void GetHMatrixShearCorrect(double* hshear, const double* plyelastic, const double* plyorientation,
                                   const double* plythickness, const int32_t* nplies) {
  section_h(Stack(plyelastic, plyorientation, plythickness, *nplies), 0).store(hshear);
}

VX_API void GetShearCorrectFactors(double* sk, const double* hlam, const double* plyelastic,
                                   const double* plyorientation, const double* plythickness, const int32_t* nplies) {
  correction_factors(sk, Mat2::load(hlam), Stack(plyelastic, plyorientation, plythickness, *nplies));
}

VX_API void GetHMatrixImprovedShear(double* hext2d, const double* plyelastic, const double* plyorientation,
                                    const double* plythickness, const int32_t* nplies) {
  section_h(Stack(plyelastic, plyorientation, plythickness, *nplies), 1).store(hext2d);
}

VX_API void GetHMatrixQuadrature(double* hquad, const double* plyelastic, const double* plyorientation,
                                 const double* plythickness, const int32_t* nplies) {
  section_h(Stack(plyelastic, plyorientation, plythickness, *nplies), 2).store(hquad);
}

VX_API void GetSectionHMatrix(double* sehmatrix, const int32_t* sectionlist, const double* plyorientation,
                              const double* plythickness, const double* plyelastic, const int32_t* nplies,
                              const int32_t* nsec, const int32_t* method, const int32_t* defint) {
  section_h_all(sehmatrix, sectionlist, plyorientation, plythickness, plyelastic, *nplies, *nsec, method ? *method : 1,
                defint ? *defint : vx::unset);
}

VX_API void GetChaiDelamFactors(double* chaidfactors, const double* qonl, const double* qonu, const double* dangl_d,
                                const double* plythickl, const double* plythicku, const double* g23l,
                                const double* g23u, const double* g13l, const double* g13u) {
  chai_factors(chaidfactors, qonl, qonu, *dangl_d, *plythickl, *plythicku, *g23l, *g23u, *g13l, *g13u);
}
