// Stress laws of one material point with the common argument list (stress,
// strain, props, ntens, ndi, nprops): the orthotropic law, the anisotropic law
// in a real and a complex variant, the isotropic secant laws for resins (a
// dispatcher over four of them, a fitted deviatoric/volumetric law, a
// fixed-point nonlinear law, a tabulated law on a three-part strain split),
// the numerical tangent of any such law by complex step or central
// differences, and the tension/compression picker of the degradation models.
// Strains carry engineering shears; vectors are in the order 11, 22, 33, 12,
// 13, 23. Work arrays live on the stack for the usual six components.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <limits>
#include "listout.h"
#include "resin_tables.h"
#include "scratch.h"
#include "vexlan.h"
#include "vexlan/elasticity.h"
#include "vexlan/lamina.h"
#include "vexlan/nlcollection.h"
#include "vx.h"

using vx::c16;
using vx::i4;

namespace {

inline void set_nan(double& x) { x = vx::not_a_number; }
inline void set_nan(c16& x) { x = c16(vx::not_a_number, vx::not_a_number); }  // the complex step reads the imaginary part

// A law called with fewer constants or components than it reads refuses the
// call: status -2 and a NaN stress, which no caller can take for a result.
template <class T>
void refused(T* stress, i4 ntens, bool too_few, const char* routine) {
  char msg[80];
  std::snprintf(msg, sizeof msg, "%s in %s", too_few ? "Too few material properties" : "Unsupported dimension",
                routine);
  vx::report(-2, msg);
  for (i4 i = 0; i < ntens; ++i) set_nan(stress[i]);
}

// Stiffness of the anisotropic law from a packed upper triangle (column by
// column) or a full matrix, ntens x ntens into c.
void anisotropic_stiffness(double* c, const double* props, i4 n, i4 nprops) {
  if (nprops < n * n) {
    vx::Scratch<double, 36> lu{size_t(n) * size_t(n)};
    const i4 np = std::min(nprops, n * (n + 1) / 2);
    const vx_l1 lower = 0;
    GetUnpackedTriangle(lu, props, &n, &np, "F", &lower, 1);
    Symmetrize(lu, c, &n);
  } else {
    for (i4 k = 0; k < n * n; ++k) c[k] = props[k];
  }
}

template <class T>
void anisotropic_law(T* stress, const T* strain, const double* props, i4 n, i4 nprops, const char* routine) {
  if (n < 1) return;
  if (int64_t(nprops) < int64_t(n) * (n + 1) / 2) {
    refused(stress, n, true, routine);
    return;
  }
  vx::Scratch<double, 36> c{size_t(n) * size_t(n)};
  anisotropic_stiffness(c, props, n, nprops);
  vx::Scratch<T, 6> s{size_t(n)};
  for (i4 i = 0; i < n; ++i) {
    T acc = T(0.0);
    for (i4 k = 0; k < n; ++k) acc += c[i + size_t(n) * k] * strain[k];
    s[i] = acc;
  }
  for (i4 i = 0; i < n; ++i) stress[i] = s[i];
}

// Strain tensor of a 6-vector with engineering shears (half of each shear off
// the diagonal), its trace and its deviatoric part.
struct StrainSplit {
  double t[9];    // full tensor
  double dev[9];  // deviatoric part
  double trace;
};

StrainSplit split_strain(const double* strain, const i4* ntens) {
  StrainSplit s;
  const double e12 = strain[3] / 2.0, e13 = strain[4] / 2.0, e23 = strain[5] / 2.0;
  const double t[9] = {strain[0], e12, e13, e12, strain[1], e23, e13, e23, strain[2]};
  s.trace = GetTrace(strain, ntens);
  for (int k = 0; k < 9; ++k) {
    s.t[k] = t[k];
    s.dev[k] = t[k] - (k % 4 == 0 ? s.trace / 3.0 : 0.0);
  }
  return s;
}

double frobenius(const double* a, int n) {
  double s = 0.0;
  for (int k = 0; k < n; ++k) s += a[k] * a[k];
  return std::sqrt(s);
}

// Secant modulus of the fitted law: exponential up to the threshold,
// hyperbolic beyond.
struct Branch {
  double a, b, t, bb, c;
  double operator()(double x) const { return x <= t ? a / std::exp(b * x) : bb / (c * x + 1.0); }
};
constexpr Branch gdn_t{2541.75978925, 13.8361690875, 0.0586801786795, 71171243.2236, 1074682.92535};
constexpr Branch gdn_c{2844.74195527, 10.8020389124, 0.0568363759446, 94899909.3371, 1084488.43482};
constexpr Branch k_t{4871.70629979, 13.732719812, 0.05912221968173981, 189806025.077, 1484162.32322};
constexpr Branch k_c{7992.37025439, 10.7642249043, 0.0570360383455, 759238107.839, 3077414.06005};
constexpr Branch gs_all{2692.3559712, 19.3641099237, 0.04327625, 4447152.2077, 88218.6212448};

}  // namespace

VX_API void GetStressFromOrthotropicElasticity(double* stress, const double* strain, const double* props,
                                               const i4* ntens, const i4* ndi, const i4* nprops) {
  const i4 n = *ntens;
  if (n < 1) return;
  // The stiffness has no other sizes: the product would use an unset matrix.
  if (n != 3 && n != 4 && n != 6) {
    refused(stress, n, false, "GetStressFromOrthotropicElasticity");
    return;
  }
  vx::Scratch<double, 36> c{size_t(n) * size_t(n)};
  vx::Scratch<double, 6> zero{size_t(n)};
  for (i4 i = 0; i < n; ++i) zero[i] = 0.0;
  const i4 scflag = 1;
  const vx_l1 unsymm = 1, secant = 1, tensor = 0;
  GetGeneralizedNyeOnAxisSC(c, props, ntens, nprops, &scflag, nullptr, nullptr, &unsymm);
  GetStressVector(stress, c, strain, zero, ndi, ntens, &secant, &tensor);
}

VX_API void cGetStressFromAnisotropicHyperelasticity(vx_complex* stress, const vx_complex* strain,
                                                     const double* props, const i4* ntens, const i4* ndi,
                                                     const i4* nprops) {
  (void)ndi;
  anisotropic_law<c16>(stress, strain, props, *ntens, *nprops, "cGetStressFromAnisotropicHyperelasticity");
}

VX_API void fGetStressFromAnisotropicHyperelasticity(double* stress, const double* strain, const double* props,
                                                     const i4* ntens, const i4* ndi, const i4* nprops) {
  (void)ndi;
  anisotropic_law<double>(stress, strain, props, *ntens, *nprops, "fGetStressFromAnisotropicHyperelasticity");
}

VX_API void getnumericaltangent(double* ddsdde, vx_stresslaw law, const double* props, const double* stress1,
                                const double* stress0, const double* dstrain, const i4* ntens, const i4* ndi,
                                const i4* nprops, const vx_l1* istensor, const double* tgref, const double* h,
                                const i4* nmflag) {
  const i4 n = *ntens;
  if (n < 1) return;
  const size_t nn = size_t(n) * size_t(n);
  const i4 method = nmflag ? *nmflag : 0;

  vx::Scratch<double, 6> e{size_t(n)}, ds{size_t(n)};
  for (i4 i = 0; i < n; ++i) {
    e[i] = dstrain[i] * (*istensor && i >= *ndi ? 2.0 : 1.0);
    ds[i] = stress1[i] - stress0[i];
  }
  constexpr double half_digits = 1.4901161193847656e-8;  // 2^-26
  double delta;
  if (h) {
    delta = *h;
  } else if (method == 1) {
    // The complex step has no cancellation: any step serves.
    double big = dstrain[0];
    for (i4 i = 1; i < n; ++i) big = std::max(big, dstrain[i]);
    delta = big * half_digits;
  } else {
    // Differences need a step on the scale of the whole strain (a compressive
    // strain's largest signed entry may be a round-off shear) and never one
    // below the stress's own rounding.
    double big = 0.0;
    for (i4 i = 0; i < n; ++i) {
      const double a = std::fabs(e[i]);
      if (a > big || a != a) big = a;  // NaN stays
    }
    delta = big * half_digits;
    if (delta < 1e-8) delta = 1e-8;
  }
  if (delta == 0.0) delta = 1e-8;

  // A reference tangent that already reproduces the stress increment exactly
  // is the answer: no law call needed.
  if (tgref) {
    bool nonzero = false;
    for (size_t k = 0; k < nn; ++k) nonzero |= !(tgref[k] == 0.0);
    if (nonzero) {
      bool same = true;
      for (i4 i = 0; i < n && same; ++i) {
        double y = 0.0;
        for (i4 k = 0; k < n; ++k) y += tgref[i + size_t(n) * k] * e[k];
        same = y == ds[i];
      }
      if (same) {
        for (size_t k = 0; k < nn; ++k) ddsdde[k] = tgref[k];
        return;
      }
    }
  }

  vx::Scratch<double, 36> diff{nn};
  vx::Scratch<double, 6> dx{size_t(n)};
  if (method == 1) {
    auto claw = reinterpret_cast<vx_cstresslaw>(law);
    vx::Scratch<c16, 6> z{size_t(n)}, s{size_t(n)};
    for (i4 j = 0; j < n; ++j) {
      for (i4 i = 0; i < n; ++i) {
        z[i] = c16(e[i], 0.0);
        s[i] = c16(0.0, 0.0);
      }
      z[j] += c16(0.0, delta);
      claw(s, z, props, ntens, ndi, nprops);
      for (i4 i = 0; i < n; ++i) diff[i + size_t(n) * j] = s[i].imag();
      dx[j] = delta;
    }
  } else {
    vx::Scratch<double, 6> ep{size_t(n)}, em{size_t(n)}, sp{size_t(n)}, sm{size_t(n)};
    for (i4 j = 0; j < n; ++j) {
      for (i4 i = 0; i < n; ++i) {
        ep[i] = em[i] = e[i];
        sp[i] = sm[i] = 0.0;
      }
      ep[j] += delta;
      em[j] -= delta;
      law(sp, ep, props, ntens, ndi, nprops);
      law(sm, em, props, ntens, ndi, nprops);
      for (i4 i = 0; i < n; ++i) diff[i + size_t(n) * j] = sp[i] - sm[i];
      dx[j] = 2.0 * delta;
    }
  }
  Gradient(ddsdde, diff, dx, ntens, ntens);
}

namespace {

// stresstens is 3 x 3: a larger block would be written past it.
bool too_many_direct(i4 ndi, const char* routine) {
  if (ndi <= 3) return false;
  char msg[80];
  std::snprintf(msg, sizeof msg, "More than 3 direct components in %s", routine);
  vx::report(-2, msg);
  return true;
}

}  // namespace

VX_API void GetLameStress(const double* spureps, const double* endstrandev, const double* g, const double* komp,
                          double* stresstens, const i4* ndi) {
  const i4 n = *ndi;
  if (too_many_direct(n, "GetLameStress")) return;
  for (i4 j = 0; j < n; ++j)
    for (i4 i = 0; i < n; ++i)
      stresstens[i + 3 * j] = 2.0 * *g * endstrandev[i + n * j] + (i == j ? *komp * *spureps : 0.0);
}

namespace {

void reduced_stress(double dng, double dnk, const double* spureps, const double* endstrandev, const double* g,
                    const double* komp, double* stresstens, i4 n) {
  for (i4 j = 0; j < n; ++j)
    for (i4 i = 0; i < n; ++i)
      stresstens[i + 3 * j] =
          2.0 * (1.0 - dng) * *g * endstrandev[i + n * j] + (i == j ? (1.0 - dnk) * *komp * *spureps : 0.0);
}

}  // namespace

VX_API void GetKaestnerStress(const double* normdev, const double* normvol, const double* spureps,
                              const double* endstrandev, const double* g, const double* gammag,
                              const double* gammak, const double* komp, double* stresstens, const i4* ndi) {
  if (too_many_direct(*ndi, "GetKaestnerStress")) return;
  double dng, dnk;
  NLKaestner(&dng, gammag, normdev);
  NLKaestner(&dnk, gammak, normvol);
  reduced_stress(dng, dnk, spureps, endstrandev, g, komp, stresstens, *ndi);
}

VX_API void GetKrauseStress(const double* normdev, const double* normvol, const double* spureps,
                            const double* endstrandev, const double* g, const double* gammag,
                            const double* gammak, const double* komp, double* stresstens, const i4* ndi) {
  if (too_many_direct(*ndi, "GetKrauseStress")) return;
  double dng, dnk;
  NLKrause(&dng, gammag, normdev);
  NLKrause(&dnk, gammak, normvol);
  reduced_stress(dng, dnk, spureps, endstrandev, g, komp, stresstens, *ndi);
}

VX_API void GetStressFromNonConstPoisson(const double* normdev, const double* normvol, const double* spureps,
                                         const double* endstrandev, const double* e, const double* g,
                                         const double* nu, const double* num, const double* gamma,
                                         double* stresstens, const i4* ndi) {
  (void)normvol;
  const i4 n = *ndi;
  if (too_many_direct(n, "GetStressFromNonConstPoisson")) return;
  const double geff = *g / (*gamma * std::sqrt(2.0) * *normdev + 1.0);
  // Closed form of nueff = nu + num (e - 2 geff (1 + nueff)).
  const double nueff = std::min((*nu + *num * *e - 2.0 * *num * geff) / (1.0 + 2.0 * *num * geff), 0.47);
  const double kvol = 2.0 * geff * (1.0 + nueff) / (3.0 * (1.0 - 2.0 * nueff));
  for (i4 j = 0; j < n; ++j)
    for (i4 i = 0; i < n; ++i)
      stresstens[i + 3 * j] = 2.0 * geff * endstrandev[i + n * j] + (i == j ? *spureps * kvol : 0.0);
}

VX_API void GetStressFromIsotropicViscoElasticity(double* stress, const double* strain, const double* props,
                                                  const i4* ntens, const i4* ndi, const i4* nprops) {
  // The full three-dimensional state: six strains read, six stresses written.
  if (*ntens < 6 || *nprops < 5) {
    refused(stress, *ntens, *ntens >= 6, "GetStressFromIsotropicViscoElasticity");
    return;
  }
  const StrainSplit s = split_strain(strain, ntens);
  const double e = props[0], gamma = props[1], nu = props[2], num = props[3], sel = props[4];
  double g = e / (2.0 * (1.0 + nu)), komp = e / (3.0 * (1.0 - 2.0 * nu));
  double gammak = gamma / (1.0 - 2.0 * nu), gammag = gamma * 1.224744871391589 / (1.0 + nu);
  double normdev = frobenius(s.dev, 9), normvol = std::fabs(s.trace), spureps = s.trace;
  // The sub-laws take the deviator with leading extent ndi.
  const i4 n = std::min<i4>(std::max<i4>(*ndi, 0), 3);
  double dev[9], sig[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (i4 j = 0; j < n; ++j)
    for (i4 i = 0; i < n; ++i) dev[i + n * j] = s.dev[i + 3 * j];
  if (sel == 0.0) GetLameStress(&spureps, dev, &g, &komp, sig, &n);
  else if (sel == 1.0) GetKaestnerStress(&normdev, &normvol, &spureps, dev, &g, &gammag, &gammak, &komp, sig, &n);
  else if (sel == 2.0) GetKrauseStress(&normdev, &normvol, &spureps, dev, &g, &gammag, &gammak, &komp, sig, &n);
  else if (sel == 3.0) {
    double ee = e, nn = nu, mm = num, gg = gamma;
    GetStressFromNonConstPoisson(&normdev, &normvol, &spureps, dev, &ee, &g, &nn, &mm, &gg, sig, &n);
  }
  // Any other selector applies no law: zero stress.
  NyeNotation(stress, sig);
}

VX_API void GetStressFromDevVolDecomposition(double* stress, const double* strain, const double* props,
                                             const i4* ntens, const i4* ndi, const i4* nprops, double* ddsdde) {
  const i4 nt = *ntens, nd = *ndi;
  const int64_t nsq = int64_t(nt) * nt;
  // A negative ndi would place the shear block before the matrix.
  if (nt < 6 || nd < 0 || nd > nt || *nprops < 5) {
    refused(stress, nt, nt >= 6 && nd >= 0 && nd <= nt, "GetStressFromDevVolDecomposition");
    if (nt > 0)
      for (int64_t k = 0; k < nsq; ++k) ddsdde[k] = vx::not_a_number;
    return;
  }
  for (int64_t k = 0; k < nsq; ++k) ddsdde[k] = 0.0;
  double sig[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (props[4] != 1.0) {  // no other fitted set exists: no law, zero stress and tangent
    NyeNotation(stress, sig);
    return;
  }
  const StrainSplit s = split_strain(strain, ntens);
  const double* d = s.dev;
  const double ndn = std::sqrt(d[0] * d[0] + d[4] * d[4] + d[8] * d[8]);
  const double nv = std::sqrt(s.t[0] * s.t[0] + s.t[4] * s.t[4] + s.t[8] * s.t[8]);
  const double nds = std::sqrt(d[3] * d[3] + d[6] * d[6] + d[7] * d[7]);
  const bool tension = s.trace >= 0.0;
  const double gdn = (tension ? gdn_t : gdn_c)(ndn), k = (tension ? k_t : k_c)(nv), gs = gs_all(nds);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) sig[i + 3 * j] = i == j ? gdn * d[i + 3 * j] + k * s.trace : gs * d[i + 3 * j];
  NyeNotation(stress, sig);
  for (i4 j = 0; j < nd; ++j)
    for (i4 i = 0; i < nd; ++i) ddsdde[i + nt * j] = i == j ? 2.0 / 3.0 * gdn + k : k - gdn / 3.0;
  for (i4 i = nd; i < nt; ++i) ddsdde[i + nt * i] = gs / 2.0;
}

VX_API void GetStressFromNonlinearIsotropic(double* stress, const double* strain, const double* props,
                                            const i4* ntens, const i4* ndi, const i4* nprops) {
  const i4 nt = *ntens, nd = *ndi;
  // The normal norm reads three strains, the direct block ndi.
  if (nt < 3 || nd > nt || *nprops < 5) {
    refused(stress, nt, nt >= 3 && nd <= nt, "GetStressFromNonlinearIsotropic");
    return;
  }
  const double eini = props[0], gamman = props[1], gini = props[2], nuini = props[3], gammas = props[4];
  const double nn = std::sqrt(strain[0] * strain[0] + strain[1] * strain[1] + strain[2] * strain[2]);
  double ss = 0.0;
  for (i4 i = 3; i < std::min<i4>(nt, 6); ++i) ss += strain[i] * strain[i];
  const double ns = std::sqrt(ss);
  auto modulus = [&](double nu) { return eini / ((gamman / std::sqrt(nu * nu + 1.0)) * nn + 1.0); };
  auto poisson = [&](double e) { return std::min(0.46, (eini - e) * 4e-5 + nuini); };
  const double tol = double(0.01f);

  double e_prev = modulus(nuini);
  double nu_prev = poisson(e_prev);
  double e_cur = modulus(nu_prev);
  double nu_cur = poisson(e_cur);
  if (std::fabs(nu_prev - nu_cur) / nu_cur > tol) {
    for (i4 k = 0;;) {
      if (std::fabs(e_prev - e_cur) / e_cur <= tol || k > 5) break;
      vx::ListLine().str("Iteration ").i(k).print();
      ++k;
      const double e_new = modulus(nu_cur), nu_new = poisson(e_new);
      const bool more = std::fabs(nu_cur - nu_new) / nu_new > tol;
      e_prev = e_cur;
      e_cur = e_new;
      nu_cur = nu_new;
      if (!more) break;
    }
  }
  const double e = e_cur, nu = nu_cur;
  const double f = e / ((1.0 - 2.0 * nu) * (1.0 + nu));
  const double gs = gini / (ns * gammas + 1.0);
  vx::Scratch<double, 6> s{size_t(std::max<i4>(nt, 0))};
  for (i4 i = 0; i < nt; ++i) {
    double acc = 0.0;
    if (i < nd) {
      for (i4 j = 0; j < nd; ++j) acc += (i == j ? f * (1.0 - nu) : f * nu) * strain[j];
    } else {
      acc = gs * strain[i];
    }
    s[i] = acc;
  }
  for (i4 i = 0; i < nt; ++i) stress[i] = s[i];
}

VX_API void GetStressFromCubicElasticity(double* stress, const double* endstran, const double* props,
                                         const i4* ntens, const i4* ndi, const i4* nprops, const double* c,
                                         const i4* noel) {
  (void)ndi;
  (void)c;
  (void)noel;
  if (*ntens < 6 || *nprops < 2) {
    refused(stress, *ntens, *ntens >= 6, "GetStressFromCubicElasticity");
    return;
  }
  const StrainSplit s = split_strain(endstran, ntens);
  double v[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0}, d[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0}, sh[9];
  for (int k = 0; k < 9; ++k) sh[k] = k % 4 == 0 ? 0.0 : s.t[k];
  for (int k = 0; k < 9; k += 4) {
    v[k] = s.trace / 3.0;
    d[k] = s.t[k] - v[k];
  }
  const i4 three = 3;
  const double sign = s.trace >= 0.0 ? 1.0 : -1.0;
  const double xv = sign * MatrixNorm(v, &three, &three), xd = sign * MatrixNorm(d, &three, &three);
  const double xs = MatrixNorm(sh, &three, &three);
  namespace md = vx::materialdata;
  double a1 = 0.0, a2 = 0.0, a3 = 0.0;
  vx::resin::external_data(vx::resin::table_of(md::alpha1props), md::nalpha1data, xv, props[0], true, a1);
  vx::resin::external_data(vx::resin::table_of(md::alpha2props), md::nalpha2data, xd, props[0], true, a2);
  vx::resin::external_data(vx::resin::table_of(md::alpha3props), md::nalpha3data, xs, props[0], true, a3);
  const double degr = props[1];
  double sig[9];
  for (int k = 0; k < 9; ++k) sig[k] = degr * (a1 * v[k] + a2 * d[k] + a3 * sh[k]);
  NyeNotation(stress, sig);
}

VX_API void GetComponentsTensionCompression(const double* full_set, double* reduced_set, const double* criterion) {
  // A NaN criterion has no sign: the value is unknown, not the compression one.
  for (int k = 0; k < 3; ++k)
    reduced_set[k] = criterion[k] > 0.0    ? full_set[2 * k]
                     : criterion[k] <= 0.0 ? full_set[2 * k + 1]
                                           : std::numeric_limits<double>::quiet_NaN();
  for (int k = 3; k < 6; ++k) reduced_set[k] = full_set[k + 3];
}
