// Small-strain elastic-plastic stress update of a resin with a paraboloid
// (pressure-dependent) yield surface F = svm^2 - a0 - a1 p and the
// non-associated flow potential G = svm^2 + alpha p^2: elastic predictor,
// cutting-plane corrector, equivalent plastic strain and the elastoplastic
// tangent. Every call writes its progress lines to standard output. Vectors
// have six components (11, 22, 33, 12, 13, 23); the elastic matrix acts on
// tensor shears.
#include <algorithm>
#include <cmath>
#include <limits>
#include "fixed.h"
#include "listout.h"
#include "vexlan.h"
#include "vexlan/elasticity.h"
#include "vexlan/lamina.h"
#include "vx.h"

using vx::i4;

namespace {

void components(const double* sv, i4 n, double s[6]) {
  if (n == 3) {
    s[0] = sv[0], s[1] = sv[1], s[2] = 0.0, s[3] = sv[2], s[4] = 0.0, s[5] = 0.0;
  } else if (n == 4) {
    s[0] = sv[0], s[1] = sv[1], s[2] = sv[2], s[3] = sv[3], s[4] = 0.0, s[5] = 0.0;
  } else {
    for (int k = 0; k < 6; ++k) s[k] = sv[k];
  }
}

// Gradient of svm^2 plus c on the direct components.
void gradient(double* r, const double* sv, i4 n, double c) {
  double s[6];
  components(sv, n, s);
  r[0] = 2.0 * s[0] - s[1] - s[2] + c;
  r[1] = 2.0 * s[1] - s[0] - s[2] + c;
  r[2] = 2.0 * s[2] - s[0] - s[1] + c;
  r[3] = 6.0 * s[3];
  r[4] = 6.0 * s[4];
  r[5] = 6.0 * s[5];
}

struct Surface {
  double a0, a1, alpha;
  double f(const double* s) const {
    const i4 six = 6;
    const double m = GetMisesStress(s, &six);
    return m * m - a0 - a1 * GetHydrostaticPressure(s, &six);
  }
  void df(double* r, const double* s) const { gradient(r, s, 6, -a1 / 3.0); }
  void dg(double* r, const double* s) const { gradient(r, s, 6, 2.0 / 9.0 * alpha * (s[0] + s[1] + s[2])); }
};

double dot(const double* a, const double* b) {
  double s = 0.0;
  for (int k = 0; k < 6; ++k) s += a[k] * b[k];
  return s;
}

double norm(const double* a) { return std::sqrt(dot(a, a)); }

void line(const char* label) { vx::ListLine().str(label).print(); }
void line(const char* label, double v) { vx::ListLine().str(label).r(v).print(); }
void line(const char* label, const double* v, int n) { vx::ListLine().str(label).r(v, n).print(); }

}  // namespace

VX_API void getderivatef(double* result, const double* stressvector, const i4* nstress, const double* a0,
                         const double* a1) {
  (void)a0;
  gradient(result, stressvector, *nstress, -*a1 / 3.0);
}

VX_API void getderivateg(double* result, const double* stressvector, const i4* nstress, const double* alpha) {
  double s[6];
  components(stressvector, *nstress, s);
  gradient(result, stressvector, *nstress, 2.0 / 9.0 * *alpha * (s[0] + s[1] + s[2]));
}

VX_API void getstressfromplastitcity(double* stress, double* neweqplasticstrain, double* ddsdde, const double* stran,
                                     const double* dstran, const double* props, const i4* ntens, const i4* ndi,
                                     const i4* nprops, const double* temp) {
  (void)temp;
  const i4 nt = *ntens, nd = *ndi;
  // Eight constants are read, six components read and written, and the
  // direct block is set up in a 6 x 6 matrix: a native caller with less would
  // have the update read or write past its arrays. Refused: NaN stress and
  // tangent, which no caller can take for a result.
  if (nt != 6 || nd < 0 || nd > 3 || *nprops < 8) {
    vx::report(-2, nt != 6 || nd < 0 || nd > 3 ? "Unsupported dimension in getstressfromplastitcity"
                                               : "Too few material properties in getstressfromplastitcity");
    const int64_t n = std::max<i4>(nt, 0);
    for (int64_t k = 0; k < n; ++k) stress[k] = std::numeric_limits<double>::quiet_NaN();
    for (int64_t k = 0; k < n * n; ++k) ddsdde[k] = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const double et = props[0], ec = props[1], g = props[2], nut = props[3], nuc = props[4];
  const Surface surf{props[5], props[6], props[7]};

  double tr = 0.0, dtt[6];
  for (int k = 0; k < 6; ++k) {
    if (k < nd) tr += stran[k] + dstran[k];
    dtt[k] = k < 3 ? dstran[k] : dstran[k] / 2.0;
  }
  const bool tension = tr >= 0.0;
  const double e = tension ? et : ec, nu = tension ? nut : nuc;

  vx::Mat6 c = vx::Mat6::zero();
  const double f = e / ((1.0 - 2.0 * nu) * (1.0 + nu));
  for (int j = 0; j < nd; ++j)
    for (int i = 0; i < nd; ++i) c(i, j) = i == j ? (1.0 - nu) * f : nu * f;
  for (int i = nd; i < 6; ++i) c(i, i) = 2.0 * g;
  vx::Mat6 cinv;
  const i4 six = 6;
  MatrixInverse(c.data(), cinv.data(), &six);

  line("START PLASTICITY CALCULATION");
  line("E", e);
  line("G", g);
  line("nu", nu);
  line("a0", surf.a0);
  line("a1", surf.a1);
  line("alpha", surf.alpha);
  const double a16 = surf.a1 / 6.0;
  line("S11 Yield", a16 + std::sqrt(a16 * a16 + surf.a0));
  line("Elastic predictor");
  line("Stiffness Matrix");
  vx::ListLine().r(c.data(), 36).print();

  double trial[6];
  vx::matvec<6, 6>(trial, c, dtt);
  for (int k = 0; k < 6; ++k) trial[k] += stress[k];
  line("Elastic Stresses", trial, 6);
  const double ftrial = surf.f(trial);
  line("Fliessen?", ftrial);

  const double eq0 = *neweqplasticstrain;
  vx::Mat6 tangent = c;
  double s[6];
  for (int k = 0; k < 6; ++k) s[k] = trial[k];
  // A yield function that is not a number (a NaN constant of the surface or a
  // NaN stress) cannot clear the point as elastic: the corrector runs, and its
  // NaN result is the answer, recorded as such.
  if (std::isnan(ftrial)) vx::report(-2, "NaN yield function in getstressfromplastitcity");
  if (!(ftrial <= 0.0)) {
    line("Plastic Corrector");
    const double tol = double(1e-4f);
    double dlambda = 0.0, err = vx::huge, fv[6], gv[6], cg[6];
    int passes = 0;
    while (passes <= 9) {
      const double fn = surf.f(s);
      surf.df(fv, s);
      surf.dg(gv, s);
      vx::matvec<6, 6>(cg, c, gv);
      dlambda = fn / dot(fv, cg);
      for (int k = 0; k < 6; ++k) s[k] -= dlambda * cg[k];
      const double fnew = surf.f(s);
      err = std::fabs(fnew);
      ++passes;
      line("dlambda_np1", dlambda);
      line("flow", fnew);
      if (err <= tol) break;
    }
    // The caller must learn that the returned stress is off the surface.
    if (!(err <= tol)) vx::report(-1, "Plastic corrector did not converge");

    double ds[6], dep[6];
    for (int k = 0; k < 6; ++k) ds[k] = trial[k] - s[k];
    line("Plastic Stress", ds, 6);
    vx::ListLine().str("plastische Iterationen ").i(passes).print();
    vx::matvec<6, 6>(dep, cinv, ds);
    surf.dg(gv, s);
    line("plastic strain update", eq0 + dlambda * norm(gv));
    const double r = (9.0 - 2.0 * surf.alpha) / (2.0 * surf.alpha + 18.0);
    line("plastic strain update", eq0 + norm(dep) / std::sqrt(r * r + 1.0));
    *neweqplasticstrain = eq0 + norm(dep);
    line("plastic strain update", *neweqplasticstrain);

    // Elastoplastic tangent C - (C g)(f^T C) / (f^T C g) at the returned stress.
    double ftc[6];
    surf.df(fv, s);
    vx::matvec<6, 6>(cg, c, gv);
    vx::matvec<6, 6>(ftc, vx::transpose(c), fv);
    const double den = dot(fv, cg);
    for (int j = 0; j < 6; ++j)
      for (int i = 0; i < 6; ++i) tangent(i, j) = c(i, j) - cg[i] * ftc[j] / den;
  }
  for (int k = 0; k < 6; ++k) stress[k] = s[k];
  tangent.store(ddsdde);
  line("Stresses", stress, 6);
  line("newEqPlasticStrain", *neweqplasticstrain);
  line("Tangente");
  vx::ListLine().r(ddsdde, 36).print();
}
