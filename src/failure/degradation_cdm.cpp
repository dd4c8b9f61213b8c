// Continuum damage degradation: the damaged orthotropic stiffness from
// engineering constants and damage variables, degradation weights from the
// damages of nine failure modes, crack-band softening on the fracture plane
// with its history in arguments or in state variables, and the degradation of
// a stiffness in the frame of a crack. Damage weights are kept inside [0, 1] so
// that no stiffness turns negative.
#include <algorithm>
#include <cmath>
#include "fixed.h"
#include "util.h"
#include "vexlan.h"
#include "vexlan/degradation_cdm.h"
#include "vexlan/elasticity.h"
#include "vexlan/evocollection.h"
#include "vexlan/fracture.h"
#include "vexlan/lamina.h"
#include "vx.h"

using vx::i4;

namespace {

double unit(double x) { return std::fmin(std::fmax(x, 0.0), 1.0); }

// Mode weights W(i, k): weight i takes W(i, k) of the damage of mode k.
constexpr double h = 0.5, t = 1.0 / 3.0;
constexpr double W[9][9] = {
    {1, h, 0, 0, 0, 0, 0, 0, 0}, {h, 1, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 1, 0, h, 1, h, h},
    {0, 0, 0, t, 0, t, 0, t, 0}, {0, 0, 0, 0, 1, 0, 0, 0, h}, {0, 0, 0, t, 0, t, 0, 0, 0},
    {1, 1, 1, h, 0, h, 1, h, 0}, {0, 0, 1, 1, 0, 1, 1, 1, 1}, {1, 1, 0, h, 0, h, 0, h, 1}};

// Crack-band length of a fracture plane at angle phi about the fibre.
double band_length(const double* l, double phi) {
  double len = l[1] / std::fabs(std::cos(phi));
  if (len > std::hypot(l[1], l[2])) len = l[2] / std::fabs(std::sin(phi));
  return len;
}

double norm3(const double* v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

const double fibre_axis[3] = {1.0, 0.0, 0.0};

}  // namespace

VX_API void MatzenmillerDegradation(const double* propvec, double* c_deg, const double* dnorm, const double* d23,
                                    const double* d13, const double* d12) {
  const double e1 = propvec[0], e2 = propvec[1], e3 = propvec[2];
  const double g23 = propvec[3], g13 = propvec[4], g12 = propvec[5];
  const double nu23 = propvec[6], nu13 = propvec[7], nu12 = propvec[8];
  const double nu21 = nu12 * e2 / e1, nu31 = nu13 * e3 / e1, nu32 = nu23 * e3 / e2;
  const double a1 = 1.0 - dnorm[0], a2 = 1.0 - dnorm[1], a3 = 1.0 - dnorm[2];
  const double delta = 1.0 - a1 * a2 * nu12 * nu21 - a2 * a3 * nu23 * nu32 - a1 * a3 * nu13 * nu31 -
                       2.0 * nu12 * nu23 * nu31 * a1 * a2 * a3;
  vx::Mat6 c = vx::Mat6::zero();
  c(0, 0) = (1.0 - a2 * a3 * nu23 * nu32) * a1 * e1 / delta;
  c(1, 1) = (1.0 - a1 * a3 * nu13 * nu31) * a2 * e2 / delta;
  c(2, 2) = (1.0 - a1 * a2 * nu12 * nu21) * a3 * e3 / delta;
  c(0, 1) = c(1, 0) = (nu21 + nu31 * nu23 * a3) * a1 * a2 * e1 / delta;
  c(0, 2) = c(2, 0) = (nu31 + nu21 * nu32 * a2) * a1 * a3 * e1 / delta;
  c(1, 2) = c(2, 1) = (nu32 + nu12 * nu31 * a1) * a2 * a3 * e2 / delta;
  c(3, 3) = 2.0 * (1.0 - *d23) * g23;
  c(4, 4) = 2.0 * (1.0 - *d13) * g13;
  c(5, 5) = 2.0 * (1.0 - *d12) * g12;
  c.store(c_deg);
}

VX_API void DegradationFromModes(const double* d_modes, double* w_stat, const vx_l1* accumulation, double* c_deg,
                                 const double* moduli, const double* vnu, const double* effort) {
  for (int k = 0; k < 36; ++k) c_deg[k] = 0.0;
  // A NaN damage would read as intact: it is reported and counts as full damage.
  double dm[9];
  bool unknown = false;
  for (int k = 0; k < 9; ++k) {
    unknown = unknown || std::isnan(d_modes[k]);
    dm[k] = std::isnan(d_modes[k]) ? 1.0 : d_modes[k];
  }
  if (unknown) vx::report(-2, "NaN mode damage in DegradationFromModes");
  for (int i = 0; i < 9; ++i) {
    double w = 0.0;
    for (int k = 0; k < 9; ++k) {
      const double v = W[i][k] * dm[k];
      w = *accumulation ? w + v : std::max(w, v);
    }
    w_stat[i] = unit(w);
  }
  if (!moduli || !vnu || !effort) return;
  double crit[6] = {effort[0], effort[1], effort[2], 0.0, 0.0, 0.0};
  double m[6], w[6], prop[9];
  GetComponentsTensionCompression(moduli, m, crit);
  GetComponentsTensionCompression(w_stat, w, crit);
  for (int k = 0; k < 6; ++k) prop[k] = m[k];
  for (int k = 0; k < 3; ++k) prop[6 + k] = vnu[k];
  MatzenmillerDegradation(prop, c_deg, w, &w[4], &w[5], &w[3]);
}

VX_API void FalzonDegradationParameters(const double* stressela, const double* strain, const double* phirad,
                                        double* dsix, double* epsi, double* epsu, double* sigi, double* gmix,
                                        double* w_matrixmode, const double* gc, const double* charelemlength) {
  const double phi = *phirad;
  double s[6], e[6];
  GetRotatedStresses(s, phirad, fibre_axis, &stressela[0], &stressela[1], &stressela[2], &stressela[3],
                     &stressela[4], &stressela[5], nullptr);
  GetRotatedStresses(e, phirad, fibre_axis, &strain[0], &strain[1], &strain[2], &strain[3], &strain[4], &strain[5],
                     nullptr);
  const double tr[3] = {s[1], s[3], s[5]};
  const double em[3] = {std::max(e[1], 0.0), e[3], e[5]};
  const double eps = norm3(em);
  // A strain, stress or damage that is not a number leaves the damage unknown;
  // the maximum below would drop it and keep the element intact. It counts as
  // full damage instead. So does a NaN toughness or length at the onset (it
  // makes epsu NaN), or a NaN onset history read later. A NaN epsi is such a
  // history, not a first call: an onset fixed anew at the present strain
  // would forget the damage grown since the true onset.
  const bool onset = *w_matrixmode == 0.0 && *epsi <= 0.0;
  bool unknown = std::isnan(eps) || vx::util::any_nan(tr, 3) || std::isnan(*w_matrixmode);
  if (onset)
    unknown = unknown || vx::util::any_nan(gc, 4) || vx::util::any_nan(charelemlength + 1, 2);
  else
    unknown = unknown || std::isnan(*epsi) || std::isnan(*epsu);

  // The onset is fixed once: a zero-initialised history has no positive onset strain.
  if (onset) {
    *epsi = eps;
    *sigi = norm3(tr);
    const i4 four = 4;
    GetEquivalentMixedModeERR(gmix, tr, gc, &four);
    const double len = band_length(charelemlength, phi);
    *epsu = std::max(2.0 * *gmix / (len * std::fabs(*sigi)), 1.1 * *epsi);
  }
  const double d = (1.0 - *epsi / eps) * *epsu / (*epsu - *epsi);
  if (unknown) vx::report(-2, "NaN strain, stress or damage in FalzonDegradationParameters");
  *w_matrixmode = unknown ? 1.0 : std::fmin(std::fmax(std::fmax(d, 0.0), *w_matrixmode), 1.0);
  const double w = *w_matrixmode;

  // Compression across the plane is carried undegraded.
  const double s22 = s[1] - w * std::max(s[1], 0.0), s12 = (1.0 - w) * s[3], s23 = (1.0 - w) * s[5];
  const double back = -phi;
  double sb[6];
  GetRotatedStresses(sb, &back, fibre_axis, &s[0], &s22, &s[2], &s12, &s[4], &s23, nullptr);
  const double r2 = stressela[1] != 0.0 ? sb[1] / stressela[1] : 1.0 - w;
  const double r3 = stressela[2] != 0.0 ? sb[2] / stressela[2] : 1.0 - w;
  dsix[1] = dsix[3] = r2;
  dsix[2] = dsix[4] = r3;
  dsix[5] = r2 + r3 - r2 * r3;
}

VX_API void BogenfeldDegradation(double* d, double* sdv, const double* svoigt, const double* evoigt,
                                 const double* charelemlength, const double* props, const i4* mode, const i4* nsdv,
                                 const i4* nprops) {
  if (*mode == 0) {
    *d = 0.0;
    return;
  }
  if (*mode != 3) {
    vx::report(-2, "Unknown mode in BogenfeldDegradation");
    return;
  }
  // The fracture plane needs its angle and four toughnesses, the history four slots.
  if (*nprops < 5 || *nsdv < 4) {
    vx::report(-2, "Too few props or state variables in BogenfeldDegradation");
    return;
  }
  // The history is the first four slots; any further ones are the caller's
  // and decide nothing: a value there is no history, and must not have the
  // unset markers read as one.
  const bool onset = vx::util::ex_list(-1.0, sdv, 4);
  // A NaN held history (also beside unset markers, which are then no onset)
  // is lost: the damage is unknown, and the state is kept as it came.
  if (!onset && vx::util::any_nan(sdv, 4)) [[unlikely]] {
    *d = vx::not_a_number;
    return;
  }
  *d = 0.0;
  double s[6], e[6];
  const i4 one = 1, plane = 2;
  FlipVoigtNyeNotation(s, svoigt, &one);
  FlipVoigtNyeNotation(e, evoigt, &one);
  const double theta = props[0];
  double t[3] = {0.0, 0.0, 0.0}, ev[3] = {0.0, 0.0, 0.0};
  GetTVectorFromArbitraryRotation(t, &theta, fibre_axis, &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &plane);
  GetTVectorFromArbitraryRotation(ev, &theta, fibre_axis, &e[0], &e[1], &e[2], &e[3], &e[4], &e[5], &plane);
  ev[0] = std::max(ev[0], 0.0);
  double len = 0.0;
  if (onset) {
    sdv[0] = norm3(ev);
    sdv[1] = norm3(t);
    const i4 four = 4;
    GetEquivalentMixedModeERR(&sdv[2], t, props + 1, &four);
    len = band_length(charelemlength, theta);
  }
  double eps1 = sdv[3];
  const double eps = norm3(ev);
  // An onset left NaN by a NaN stress, strain, angle, toughness or length
  // gives a NaN final strain, stored, and a NaN damage.
  BiLinearEvolution(&eps, &sdv[0], &sdv[1], &sdv[2], &len, d, &eps1);
  if (sdv[3] == -1.0) sdv[3] = eps1;
}

VX_API void TensorDegradation(const double* csix, double* cdeg, const double* angle_r, const double* d,
                              const i4* baseid, const i4* nn) {
  double c4[81], r4[81];
  GetTensorFromVoigtStiffness(c4, csix);
  TensorRotation4th(c4, r4, angle_r, nullptr);
  const int64_t b = int64_t(*baseid) - 1;  // any base id, no overflow
  const double keep = 1.0 - *d;
  for (int l = 0; l < 3; ++l)
    for (int k = 0; k < 3; ++k)
      for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
          const int m = (i == b) + (j == b) + (k == b) + (l == b);
          if (m == 0) continue;
          if (*nn == -1 && i == j && k == l) continue;  // normal-normal couplings kept
          r4[i + 3 * j + 9 * k + 27 * l] *= keep;
        }
  const double back = -*angle_r;
  TensorRotation4th(r4, c4, &back, nullptr);
  GetVoigtStiffnessFromTensor(cdeg, c4);
}
