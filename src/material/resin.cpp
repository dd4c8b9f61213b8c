// Properties of a polymer matrix (resin) for the resin material routines and
// stress laws: elastic constants, strengths and fatigue data between two
// calibration temperatures with an optional high-temperature modulus model,
// flow parameters and secant moduli from the calibration tables of the
// material data, a table interpolation over strain and temperature, the signed
// equivalent strain, and an endochronic viscoplastic stress update. Tables the
// material card did not fill are refused with status -2 rather than read.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include "data.h"
#include "listout.h"
#include "resin_tables.h"
#include "scratch.h"
#include "vexlan.h"
#include "vexlan/lamina.h"
#include "vexlan/resin.h"
#include "vx.h"

using vx::i4;

namespace vx::resin {

Table table_of(const RArr3& a) {
  if (!a.allocated()) return Table{nullptr, 0, 0, 0, 0, 0, 0};
  return Table{a.data(), a.extent(1), a.extent(2), a.extent(3), 1, a.extent(1), a.extent(1) * a.extent(2)};
}

namespace {

bool increasing(const double* x, i4 n) {
  for (i4 i = 1; i < n; ++i)
    if (!(x[i - 1] < x[i])) return false;
  return true;
}

double interpolate(const double* x, const double* y, i4 n, double p, bool cubic) {
  const i4 one = 1;
  double r = 0.0;
  if (cubic) cubichermitianinterpolation(&r, x, &n, y, &n, &p, &one);
  else linearinterpolation(&r, x, &n, y, &n, &p, &one);
  return r;
}

}  // namespace

bool external_data(const Table& t, i4 n, double x0, double temp, bool cubic, double& r, int col) {
  r = 0.0;
  using materialdata::temperatures;
  if (!temperatures.allocated() || temperatures.size() < 2 || !increasing(temperatures.data(), 2)) {
    report(-2, "Two calibration temperatures are needed for the resin tables");
    return false;
  }
  if (!t.base || n < 2 || t.e1 < 2 || t.e2 < n || t.e3 <= col) {
    report(-2, "Resin calibration table is not available");
    return false;
  }
  Scratch<double, 64> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
  double yt[2];
  for (int row = 0; row < 2; ++row) {
    for (i4 j = 0; j < n; ++j) {
      x[j] = t.at(row, j, 0);
      y[j] = t.at(row, j, col);
    }
    if (!increasing(x, n)) {
      report(-2, "Resin calibration table is not available");
      return false;
    }
    yt[row] = interpolate(x, y, n, x0, cubic);
  }
  r = interpolate(temperatures.data(), yt, 2, temp, cubic);
  return true;
}

}  // namespace vx::resin

namespace {

constexpr double celsius0 = 273.15;

bool room(double t) { return t == 293.0 || t == 293.15; }

void line(const char* label, double v) { vx::ListLine().str(label).r(v).print(); }

// Two calibration blocks of `nv` values ordered by temperature, with the
// room-temperature and low-temperature values of the first entry.
struct Blocks {
  const double* b1;
  const double* b2;
  double t1, t2;
  double ert, elow;
};

Blocks order_blocks(const double* p, int nv) {
  const double ta = p[nv], tb = p[2 * nv + 1];
  Blocks b;
  if (ta < tb) b = {p, p + nv + 1, ta, tb, 0.0, 0.0};
  else b = {p + nv + 1, p, tb, ta, 0.0, 0.0};
  // With no block at room temperature (or none below it) the colder block
  // stands in: the model expects a card with one of each.
  b.ert = room(b.t1) ? b.b1[0] : room(b.t2) ? b.b2[0] : b.b1[0];
  b.elow = b.t1 < 293.0 ? b.b1[0] : b.t2 < 293.0 ? b.b2[0] : b.b1[0];
  return b;
}

// Native callers pass nprops themselves: the two blocks, or an incomplete
// high-temperature model, would be read past props. Refused with NaN.
bool bad_count(i4 nprops, i4 blocks, i4 model_from, i4 model_to, std::initializer_list<double*> outs,
               const char* msg) {
  if (nprops >= blocks && (nprops < model_from || nprops >= model_to)) return false;
  vx::report(-2, msg);
  for (double* o : outs) *o = std::numeric_limits<double>::quiet_NaN();
  return true;
}

// Value k of the blocks at temperature temp: block 1 below, block 2 above,
// linear in between.
double block_value(const Blocks& b, int k, double temp) {
  if (temp < b.t1) return b.b1[k];
  if (temp > b.t2) return b.b2[k];
  const double a1 = b.b1[k], a2 = b.b2[k];
  return a1 + (a2 - a1) / (b.t2 - b.t1) * (temp - b.t1);
}

// High-temperature modulus model over m = (c2, c1, c0, b1, b0, T0, T1, T2, Tg,
// exponent, rubbery modulus); keeps e at exactly T1.
double hot_modulus(const double* m, double temp, double ert, double elow, double e) {
  const double c2 = m[0], c1 = m[1], c0 = m[2], b1 = m[3], b0 = m[4];
  const double t0 = m[5], t1 = m[6], t2 = m[7], tg = m[8], ex = m[9], er = m[10];
  const double c = temp - celsius0;
  if (temp <= t0) return elow;
  if (temp < t1) return (b1 * c + b0) * ert;
  if (temp > t1 && temp < t2) return (c2 * c * c + c1 * c + c0) * ert;
  if (temp >= t2) {
    const double c_2 = t2 - celsius0;
    const double eg = (c2 * c_2 * c_2 + c1 * c_2 + c0) * ert;
    return eg - (eg - er) * std::exp(-std::pow(c / (tg - celsius0), ex));
  }
  return e;
}

}  // namespace

VX_API void GetResinProperties(const double* props, const i4* nprops, const double* temp_,
                               double* e, double* nu, double* num, double* gamma, double* degr,
                               double* xt, double* xc, double* np, double* a_woehler,
                               double* exp_woehler, const i4* noel) {
  const double temp = *temp_;
  if (bad_count(*nprops, 20, 29, 32, {e, nu, num, gamma, xt, xc, np, a_woehler, exp_woehler},
                "Too few resin constants in GetResinProperties"))
    return;
  const bool debug = *noel == vx::debugdata::edebug;
  const Blocks b = order_blocks(props, 9);
  double v[9];
  for (int k = 0; k < 9; ++k) v[k] = block_value(b, k, temp);
  *e = v[0];
  if (debug) {
    line("temp", temp);
    line("T1", b.t1);
    line("T2", b.t2);
    line(temp < b.t1 ? "E1 =" : temp > b.t2 ? "E2 =" : "E =", *e);
  }
  if (*nprops > 28 && temp > 293.15) *e = hot_modulus(props + 21, temp, b.ert, b.elow, *e);
  *nu = v[1];
  *num = v[2];
  *xt = v[3];
  *np = v[4];
  *gamma = v[5];
  *xc = v[6] * v[3];
  *a_woehler = v[7];
  *exp_woehler = v[8];
  if (*nprops > 20) *degr = props[20];  // a card without it has no degradation entry to read
  if (debug) line("E =", *e);
}

VX_API void GetResinPlasticProperties(const double* props, const i4* nprops, const double* temp_,
                                      const double* eqplaststrain, double* et, double* ec,
                                      double* g, double* nut, double* nuc, double* a0, double* a1,
                                      double* alpha, double* degr, double* xt, double* xc,
                                      double* np, double* a_woehler, double* exp_woehler) {
  const double temp = *temp_;
  if (bad_count(*nprops, 24, 26, 36, {et, ec, g, nut, nuc, a0, a1, alpha, xt, xc, np, a_woehler, exp_woehler},
                "Too few resin constants in GetResinPlasticProperties"))
    return;
  const Blocks b = order_blocks(props, 11);
  double v[11];
  for (int k = 0; k < 11; ++k) v[k] = block_value(b, k, temp);
  *et = v[0];
  *ec = v[1];
  *g = v[2];
  if (*nprops > 25) {
    // Ec and G of the room-temperature block follow the modulus model.
    const double* rt = room(b.t1) ? b.b1 : room(b.t2) ? b.b2 : b.b1;
    const double e = hot_modulus(props + 25, temp, b.ert, b.elow, v[0]);
    *et = e;
    *ec = rt[1] * e / b.ert;
    *g = rt[2] * e / b.ert;
  }
  *nut = v[3];
  *nuc = v[4];
  *alpha = v[5];
  *xt = v[6];
  *xc = v[7];
  *np = v[8];
  *a_woehler = v[9];
  *exp_woehler = v[10];
  if (*nprops > 24) *degr = props[24];
  GetFlowParameters(eqplaststrain, a0, a1, temp_);
}

VX_API void GetResinOrthotropicProperties(const double* props, const i4* nprops,
                                          const double* temp, const double* dt,
                                          const double* stran, const double* endstran, double* e1,
                                          double* e2, double* e3, double* nu12, double* nu13,
                                          double* nu23, double* nu21, double* nu31, double* nu32,
                                          double* g12, double* g13, double* g23, double* xt,
                                          double* xc, double* np, double* a_woehler,
                                          double* exp_woehler, double* degr, const i4* noel,
                                          const double* d) {
  (void)stran;
  double e, nu, num, gamma;
  GetResinProperties(props, nprops, temp, &e, &nu, &num, &gamma, degr, xt, xc, np, a_woehler,
                     exp_woehler, noel);
  const bool debug = *noel == vx::debugdata::edebug;
  // An unknown damage is never taken for an intact element.
  if (std::isnan(*d)) vx::report(-2, "NaN damage in GetResinOrthotropicProperties: counted as full");
  const bool lost = !(*d < 1.0) && *degr < 1.0;
  using vx::materialdata::temperatures;
  double tev = *temp;
  if (temperatures.allocated() && temperatures.size() > 0)
    tev = std::min(std::max(tev, temperatures.data()[0]), temperatures.data()[temperatures.size() - 1]);
  const auto normal = vx::resin::table_of(vx::materialdata::normalprops);
  const auto shear = vx::resin::table_of(vx::materialdata::shearprops);
  if (debug) {
    line("eta", 0.0);
    line("dt", *dt);
  }
  double en[3];
  for (int i = 0; i < 3; ++i) {
    double a = 0.0;
    if (!lost) vx::resin::external_data(normal, vx::materialdata::nnormaldata, endstran[i], tev, false, a);
    en[i] = e / (1.0 + a * std::fabs(endstran[i]));
    if (debug) {
      vx::ListLine().str("endstran(i)").i(i + 1).r(endstran[i]).print();
      line("alpha_0", a);
    }
  }
  *e1 = en[0];
  *e2 = en[1];
  *e3 = en[2];
  *nu21 = 2.0 * nu / (en[0] / en[1] + 1.0);
  *nu12 = 2.0 * nu - *nu21;
  *nu31 = 2.0 * nu / (en[0] / en[2] + 1.0);
  *nu13 = 2.0 * nu - *nu31;
  *nu32 = 2.0 * nu / (en[1] / en[2] + 1.0);
  *nu23 = 2.0 * nu - *nu32;
  const double gm = e / (2.0 * (1.0 + nu));
  double as[3] = {0.0, 0.0, 0.0};
  if (!lost)
    for (int i = 0; i < 3; ++i)
      vx::resin::external_data(shear, vx::materialdata::nsheardata, endstran[3 + i], tev, false, as[i]);
  *g12 = gm / (1.0 + as[0] * std::fabs(endstran[3]));
  *g13 = gm / (1.0 + as[1] * std::fabs(endstran[4]));
  *g23 = gm / (1.0 + as[2] * std::fabs(endstran[5]));
  if (debug) line("alpha 12 ohne vr", as[0]);
}

VX_API void GetExternalData(const vx_view* datafield, const i4* ndata, const double* x0,
                            const double* temp, double* rvalue, const char* stype,
                            size_t stype_len) {
  vx::resin::Table t{static_cast<const double*>(datafield->base), 0, 0, 0, 0, 0, 0};
  if (datafield->rank == 3) {
    t.e1 = datafield->extent[0];
    t.e2 = datafield->extent[1];
    t.e3 = datafield->extent[2];
    t.s1 = datafield->stride[0];
    t.s2 = datafield->stride[1];
    t.s3 = datafield->stride[2];
  } else {
    t.base = nullptr;
  }
  const bool cubic = stype_len > 0 && stype[0] == 'C';
  vx::resin::external_data(t, *ndata, *x0, *temp, cubic, *rvalue);
}

VX_API void GetFlowParameters(const double* eqplaststrain, double* a0, double* a1, const double* temp) {
  const auto t = vx::resin::table_of(vx::materialdata::flowprops);
  const i4 n = vx::materialdata::nflowdata;
  if (vx::resin::external_data(t, n, *eqplaststrain, *temp, true, *a0, 1))
    vx::resin::external_data(t, n, *eqplaststrain, *temp, true, *a1, 2);
  else
    *a1 = 0.0;
}

VX_API void GetModulusFromTable(const double* eqstrain, double* e, const double* temp) {
  const auto t = vx::resin::table_of(vx::materialdata::secantprops);
  vx::resin::external_data(t, vx::materialdata::nsecantdata, *eqstrain, *temp, true, *e, 1);
}

VX_API void EquivalentStrain(const double* strain, double* eqstrain, const i4* ndi, const i4* ntens) {
  (void)ndi;
  double e11, e22, e33, e12, e13, e23;
  const double half = 0.5;
  GetTensorComponents(&e11, &e22, &e33, &e12, &e13, &e23, strain, ntens, &half);
  const double n = std::sqrt(e11 * e11 + e22 * e22 + e33 * e33 + 2.0 * (e12 * e12 + e13 * e13 + e23 * e23));
  *eqstrain = std::copysign(n, e11 + e22 + e33);
}

VX_API void EndochroneViscoPlasticity(const double* stran, const double* dstrain,
                                      const double* props, double* stress, double* statev,
                                      const double* dtime, const i4* nprops, const i4* nstatev,
                                      const vx_l1* writesdv, const vx_l1* matstate) {
  const bool plastic = *matstate != 0;
  if (*nprops < (plastic ? 11 : 3) || *nstatev < 42) {  // refused rather than read past props or statev
    vx::report(-2, "Too few constants in EndochroneViscoPlasticity");
    for (int i = 0; i < 6; ++i) stress[i] = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const double e0 = plastic ? props[0] : 15.0, h = plastic ? props[1] : 0.0, nu = props[2];
  const double A = 1.0 + nu, B = 1.0 - 2.0 * nu, S = std::sqrt(1.0 + 2.0 * nu * nu);
  const double g0 = e0 / (2.0 * A), k0 = e0 / (3.0 * B);

  double e[6], de[6];
  for (int i = 0; i < 6; ++i) {
    e[i] = stran[i] + dstrain[i];
    de[i] = dstrain[i];
  }
  const double ev = e[0] + e[1] + e[2], dev = de[0] + de[1] + de[2];
  double ed[6], dd[6];
  for (int i = 0; i < 6; ++i) {
    ed[i] = i < 3 ? e[i] - ev / 3.0 : e[i];
    dd[i] = i < 3 ? de[i] - dev / 3.0 : de[i];
  }
  const double ned = std::sqrt(ed[0] * ed[0] + ed[1] * ed[1] + ed[2] * ed[2] +
                               2.0 * (e[3] * e[3] + e[4] * e[4] + e[5] * e[5]));
  const double nde = std::sqrt(de[0] * de[0] + de[1] * de[1] + de[2] * de[2] +
                               2.0 * (de[3] * de[3] + de[4] * de[4] + de[5] * de[5]));

  double se[6];
  const double dev_soft = std::exp(h * ned / (A * 0.816496580927726));
  const double vol_soft = std::exp(h * std::fabs(ev) / B);
  for (int i = 0; i < 6; ++i) {
    se[i] = 2.0 * g0 * ed[i] / dev_soft;
    if (i < 3) se[i] += k0 * ev / vol_soft;
  }
  if (!plastic) {
    for (int i = 0; i < 6; ++i) stress[i] = se[i];
    return;
  }

  // Plastic part: endochronic update of the stored plastic stress.
  const double twogp = props[3] / A, kp = props[3] / (3.0 * B);
  const double bd = props[4] / S, bv = props[4] / (3.0 * S);
  double sp[6];
  for (int i = 0; i < 6; ++i) sp[i] = statev[i];
  {
    const double p = sp[0] + sp[1] + sp[2];
    const double dspv = (3.0 * kp * dev - 3.0 * bv * p * nde) / (1.0 + 1.5 * bv * nde);
    for (int i = 0; i < 6; ++i) {
      const double spd = i < 3 ? sp[i] - p / 3.0 : sp[i];
      const double dspd = (twogp * dd[i] - bd * spd * nde) / (1.0 + 0.5 * bd * nde);
      sp[i] += dspd + (i < 3 ? dspv / 3.0 : 0.0);
    }
  }

  // Viscous part: six relaxation terms.
  const double dt = *dtime;
  double sv[6][6];
  for (int j = 0; j < 6; ++j) {
    const double mj = props[5 + j];
    const double fj = j == 0 ? 0.1 : std::pow(10.0, j - 1);
    const double gj = mj / (2.0 * A), hj = fj * mj / A, kj = mj / (3.0 * B), wj = fj * mj / B;
    double* s = sv[j];
    for (int i = 0; i < 6; ++i) s[i] = statev[6 + 6 * j + i];
    const double t = s[0] + s[1] + s[2];
    const double dsvv = (3.0 * kj * dev - (3.0 * kj * dt / wj) * t) / (1.0 + 1.5 * kj * dt / wj);
    for (int i = 0; i < 6; ++i) {
      const double svd = i < 3 ? s[i] - t / 3.0 : s[i];
      const double dsvd = (2.0 * gj * dd[i] - (2.0 * gj / hj) * dt * svd) / (1.0 + gj * dt / hj);
      s[i] += dsvd + (i < 3 ? dsvv / 3.0 : 0.0);
    }
  }
  for (int i = 0; i < 6; ++i) {
    double s = sp[i] + se[i];
    for (int j = 0; j < 6; ++j) s += sv[j][i];
    stress[i] = s;
  }
  if (*writesdv) {
    for (int i = 0; i < 6; ++i) statev[i] = sp[i];
    for (int j = 0; j < 6; ++j)
      for (int i = 0; i < 6; ++i) statev[6 + 6 * j + i] = sv[j][i];
  }
}
