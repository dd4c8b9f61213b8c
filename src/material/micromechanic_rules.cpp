// Closed-form micromechanics rules for the elastic constants of a
// unidirectional ply: rule of mixtures, Halpin-Tsai, Chamis, Puck,
// Hopkins-Chamis, Abolinsh, the packing-cell rule with square or hexagonal
// fibre arrangement, Krimmer's corrected rule and Foye's effective matrix
// Poisson ratio.
#include <cmath>
#include <limits>
#include "micromechanic_kernels.h"
#include "vexlan/micromechanic.h"

using namespace vx;
using namespace vx::micro;

namespace {

// E1 and nu12 by the longitudinal rule of mixtures, shared by the four-value rules.
struct Mix {
  double v, w, ef1, ef2, gf12, nuf, em, num, gm;
  Mix(const double* f, const double* m, const double* vf)
      : v(clamp(*vf)), w(1.0 - v), ef1(f[0]), ef2(f[1]), gf12(f[2]), nuf(f[3]), em(m[0]), num(m[1]),
        gm(m[0] / (2.0 * (1.0 + m[1]))) {}
  void put(double* r, double e2, double g12) const {
    r[0] = v * ef1 + w * em;
    r[1] = e2;
    r[2] = g12;
    r[3] = v * nuf + w * num;
  }
};

}  // namespace

VX_API void RuleOfMixture(double* rm, const double* fp, const double* mp, const double* vf) {
  const Mix x(fp, mp, vf);
  x.put(rm, x.ef2 * x.em / (x.v * x.em + x.w * x.ef2), x.gf12 * x.gm / (x.v * x.gm + x.w * x.gf12));
}

VX_API void HopkinsChamis(double* hc, const double* fp, const double* mp, const double* vf) {
  const Mix x(fp, mp, vf);
  const double s = std::sqrt(x.v);
  x.put(hc, x.em * (s / (1.0 - (1.0 - x.em / x.ef2) * s) + (1.0 - s)),
        x.gm * (s / (1.0 - (1.0 - x.gm / x.gf12) * s) + (1.0 - s)));
}

VX_API void Chamis(double* cs, const double* fp, const double* mp, const double* vf, const i4* csdim) {
  const i4 n = *csdim;
  for (i4 i = 0; i < n; ++i) cs[i] = 0.0;
  if (n < 4 || n > 6) return;
  const double v = clamp(*vf), w = 1.0 - v, s = std::sqrt(v), em = mp[0], num = mp[1];
  const double gm = em / (2.0 * (1.0 + num));
  const double nuf = n == 4 ? fp[3] : fp[4];
  const double e2 = em / (1.0 - (1.0 - em / fp[1]) * s), g12 = gm / (1.0 - (1.0 - gm / fp[2]) * s);
  cs[0] = v * fp[0] + w * em;
  cs[1] = e2;
  cs[2] = g12;
  if (n == 4) {
    cs[3] = v * nuf + w * num;
    return;
  }
  const double g23 = gm / (1.0 - (1.0 - gm / fp[3]) * s);
  cs[3] = g23;
  cs[4] = v * nuf + w * num;
  if (n == 6) cs[5] = e2 / (2.0 * g23) - 1.0;
}

VX_API void Puck(double* pu, const double* fp, const double* mp, const double* vf) {
  const Mix x(fp, mp, vf);
  const double emp = x.em / (1.0 - x.num * x.num);
  x.put(pu, (1.0 + 0.85 * x.v * x.v) * emp / (x.v * emp / x.ef2 + std::pow(x.w, 1.25)),
        (1.0 + 0.4 * std::sqrt(x.v)) * x.gm / (x.v * x.gm / x.gf12 + std::pow(x.w, 1.45)));
}

VX_API void HalpinTsai(double* ht, const double* fp, const double* mp, const double* vf, const double* zeta) {
  const Mix x(fp, mp, vf);
  double xe, xg;
  if (!zeta || (zeta[0] == -1.0 && zeta[1] == -1.0)) {
    const double v10 = std::pow(x.v, 10);
    xe = 2.0 + 40.0 * v10;
    xg = 1.0 + 40.0 * v10;
  } else {
    xe = zeta[0];
    xg = zeta[1];
  }
  const double ee = (x.ef2 / x.em - 1.0) / (x.ef2 / x.em + xe);
  const double eg = (x.gf12 / x.gm - 1.0) / (x.gf12 / x.gm + xg);
  x.put(ht, x.em * (1.0 + xe * ee * x.v) / (1.0 - ee * x.v), x.gm * (1.0 + xg * eg * x.v) / (1.0 - eg * x.v));
}

VX_API void Abolinsh(double* ah, const double* fp, const double* mp, const double* vf) {
  const Mix x(fp, mp, vf);
  const double r = x.ef2 / x.em, d = x.num * r - x.nuf, t = (r - 1.0) * x.v + 1.0, g = x.gf12 / x.gm;
  x.put(ah, t * r * x.em / ((r * x.w + x.v) * t - d * d * x.v * x.w),
        x.gm * ((1.0 + x.v) * g + x.w) / (g * x.w + 1.0 + x.v));
}

VX_API double Foye(const double* lp, const double* mp) {
  const double em = mp[0], num = mp[1], el = lp[0], nult = lp[1];
  return num * ((1.0 + num) - (em / el) * nult) / ((1.0 - num * num) + nult * num * (em / el));
}

VX_API void Krimmer(double* km, const double* lp, const double* fp, const double* mp, const double* vf) {
  const double v = clamp(*vf), w = 1.0 - v;
  const double el = lp[0], et = lp[1], nult = lp[2];
  const double ef1 = fp[0], ef2 = fp[1], gf23 = fp[3], nuf = fp[4], em = mp[0], num = mp[1];
  const double nu_ml = num - nuf * em / ef2;
  const double nu_mt = num - (ef2 / (2.0 * gf23) - 1.0 + nuf) * em / (ef2 + ef1);
  const double ply[2] = {el, nult};
  const double nu_eff = Foye(ply, mp);
  const double q = et / em, mt2 = nu_mt * nu_mt, mt3 = mt2 * nu_mt;
  const double s = (1.0 - mt2) * q + mt2;
  km[0] = (et * (1.0 - nu_ml) + nu_ml * em) / (2.0 * nu_ml * nu_ml * (1.0 - q) + (1.0 - nu_ml) * q + nu_ml);
  km[1] = (v * ef1 * s + w * et) / (((1.0 - 3.0 * mt2 - 2.0 * mt3) * q + 2.0 * mt2 + 2.0 * mt3) * (ef1 / em) * v + w * s);
  km[2] = ((km[0] + km[1]) / 2.0) / (2.0 * (1.0 + num));
  km[3] = km[1] / (2.0 * (1.0 + nu_eff));
  km[4] = nu_ml;
}

VX_API void LTH(double* lh, const double* fp, const double* mp, const double* vf, const i4* mdim,
                const i4* fmflag, const i4* tcflag) {
  double v, a, b;
  if (*fmflag == 0) {
    v = clamp(*vf, 0.0, 0.75);
    a = 2.0;
    b = 2.0 * std::sqrt(v / pi);
  } else {
    v = clamp(*vf, 0.0, 0.9);
    a = 1.7320508075688772;
    b = std::sqrt(3.4641016151377544 * v / pi);
  }
  if (*mdim < 2) {  // nu is the last matrix value: there must be two at least
    vx::report(-2, "Fewer than 2 matrix values in LTH");
    for (int k = 0; k < 5; ++k) lh[k] = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double em = mp[0], nu = mp[*mdim - 1], m[3];
  if (*mdim == 5) {
    m[0] = mp[1];
    m[1] = mp[2];
    m[2] = mp[3];
  } else if (*tcflag == 1) {
    double lh0[5], km[5];
    const i4 two = 2, zero = 0;
    LTH(lh0, fp, mp, &v, &two, fmflag, &zero);
    const double ply[3] = {lh0[0], lh0[1], lh0[4]};
    Krimmer(km, ply, fp, mp, &v);
    em = km[0];
    m[0] = km[1];
    m[1] = km[2];
    m[2] = km[3];
    nu = km[4];
  } else {
    const double gm = em / (2.0 * (1.0 + nu));
    m[0] = em;
    m[1] = gm;
    m[2] = gm;
  }
  lh[0] = v * fp[0] + (1.0 - v) * em;
  lh[4] = v * fp[4] + (1.0 - v) * nu;
  const double f[3] = {fp[1], fp[2], fp[3]};
  for (int j = 0; j < 3; ++j) {
    const double r = m[j] / f[j], d = 1.0 - r;
    if (d == 0.0) {
      // Equal moduli: the cell is homogeneous.
      lh[1 + j] = m[j];
      continue;
    }
    // Closed form of the strip integral over the cell; the square root in the
    // arc tangent holds (1 - r)^2 like the one in the denominator. The two
    // terms pi / (2 d) of the textbook form cancel, which loses every digit
    // when the moduli differ by rounding only; with 1 - root written as
    // d^2 b^2 / (1 + root) they cancel exactly instead.
    const double db2 = d * d * b * b, root = std::sqrt(1.0 - db2);
    const double strip = (std::atan(b * d / root) + (pi / 2.0) * db2 / (1.0 + root)) / (d * root);
    lh[1 + j] = (2.0 * m[j] / a) * ((a / 2.0 - b) + strip);
  }
}
