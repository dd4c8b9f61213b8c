// Stress and strain measures of the component lamina: stress and specific
// strain energy from a tangent or secant matrix, the secant parameter of a
// nonlinear shear law, yield stress and slope from a hardening table,
// finite-strain measures, equivalent stresses (von Mises, Tresca, Rankine,
// Stassi), principal, hydrostatic, mean and deviatoric stress, and the von
// Mises flow direction. Vectors of length 3, 4 and 6 are read through
// GetTensorComponents, which refuses lengths it would read past.
#include <cmath>
#include <cstring>
#include <limits>

#include "lamina_kernels.h"
#include "scratch.h"
#include "vexlan.h"
#include "vexlan/lamina.h"
#include "vexlan/nlcollection.h"
#include "vx.h"

namespace {

// Stress components 11, 22, 33, 12, 13, 23 of a vector of length n; false
// (and the error recorded) when n is a length that cannot be read.
bool components(double* c, const double* v, int32_t n) {
  for (int k = 0; k < 6; ++k) c[k] = 0.0;
  GetTensorComponents(c, c + 1, c + 2, c + 3, c + 4, c + 5, v, &n, nullptr);
  return n == 3 || n == 4 || n >= 6;
}

double mises(const double* c) {
  const double s11 = c[0], s22 = c[1], s33 = c[2], s12 = c[3], s13 = c[4], s23 = c[5];
  return std::sqrt(0.5 * ((s11 - s22) * (s11 - s22) + (s22 - s33) * (s22 - s33) + (s33 - s11) * (s33 - s11)) +
                   3.0 * (s12 * s12 + s13 * s13 + s23 * s23));
}

// Copies of the strain and its increment, the shear entries doubled for
// tensor shear.
struct StrainCopies {
  vx::Scratch<double, 6> e0, de;
  StrainCopies(const double* strain0, const double* dstrain, int32_t ndi, int32_t n, bool tensor)
      : e0(size_t(n)), de(size_t(n)) {
    for (int32_t i = 0; i < n; ++i) {
      e0[i] = strain0[i];
      de[i] = dstrain[i];
    }
    if (tensor)
      for (int32_t i = ndi < 0 ? 0 : ndi; i < n; ++i) {
        e0[i] *= 2.0;
        de[i] *= 2.0;
      }
  }
};

}  // namespace

namespace {

// The stress update for the usual length known to the compiler.
template <int N>
void stress_update(double* stress, const double* ddsdde, const double* strain0, const double* dstrain, int32_t ndi,
                   bool secant, bool tensor) {
  double e[N], s[N];
  for (int i = 0; i < N; ++i) {
    const double f = tensor && i >= ndi ? 2.0 : 1.0;
    e[i] = secant ? f * strain0[i] + f * dstrain[i] : f * dstrain[i];
  }
  vx::matvec<N, N>(s, vx::CMatRef<N>(ddsdde), e);
  for (int i = 0; i < N; ++i) stress[i] = secant ? s[i] : stress[i] + s[i];
}

}  // namespace

VX_API void GetStressVector(double* stress, const double* ddsdde, const double* strain0, const double* dstrain,
                            const int32_t* ndi, const int32_t* ntens, const vx_l1* issekant,
                            const vx_l1* istensor) {
  const int32_t n = *ntens;
  if (n == 6) {
    stress_update<6>(stress, ddsdde, strain0, dstrain, *ndi, *issekant != 0, *istensor != 0);
    return;
  }
  if (n < 1) return;
  StrainCopies e(strain0, dstrain, *ndi, n, *istensor != 0);
  vx::Scratch<double, 6> s{size_t(n)};
  const bool secant = *issekant != 0;
  if (secant)
    for (int32_t i = 0; i < n; ++i) e.de[i] += e.e0[i];
  for (int32_t i = 0; i < n; ++i) {
    double acc = 0.0;
    for (int32_t k = 0; k < n; ++k) acc += ddsdde[i + size_t(n) * k] * e.de[k];
    s[i] = secant ? acc : stress[i] + acc;
  }
  for (int32_t i = 0; i < n; ++i) stress[i] = s[i];
}

VX_API void GetSpecificStrainEnergy(double* sse, const double* stress, const double* stress0, const double* strain0,
                                    const double* dstrain, const int32_t* ndi, const int32_t* ntens,
                                    const vx_l1* issekant, const vx_l1* istensor) {
  const int32_t n = *ntens > 0 ? *ntens : 0;
  StrainCopies e(strain0, dstrain, *ndi, n, *istensor != 0);
  double sum = 0.0;
  if (*issekant) {
    for (int32_t i = 0; i < n; ++i) sum += stress[i] * (e.e0[i] + e.de[i]);
    *sse = 0.5 * sum;
  } else {
    for (int32_t i = 0; i < n; ++i) sum += (stress[i] + stress0[i]) * e.de[i];
    *sse = *sse + 0.5 * sum;
  }
}

VX_API double GetMatParamByCurveFitting(const double* l, const double* eta, const double* stress0,
                                        const double* strain0, const double* dstrain, const int32_t* nlflag) {
  const double eps = *strain0 + *dstrain;
  double dnl = 0.0;
  switch (*nlflag) {
    case 1:
      NLKaestner(&dnl, eta, &eps);
      break;
    case 2:
      NLKrause(&dnl, eta, &eps);
      break;
    case 3: {
      const double args[4] = {*stress0, *strain0, *l, *eta};
      const int32_t na = 4, ns = 1;
      FPHahnTsai(&dnl, args, &na, &ns);
      break;
    }
    default:
      return *l;
  }
  return (1.0 - dnl) * *l;
}

VX_API void GetHardeningFromTable(double* yield, double* gradient, const double* strain, const double* table,
                                  const int32_t* ntable) {
  const int32_t n = *ntable > 0 ? *ntable : 0;
  const double* sy = table;
  const double* se = table + n;
  double ymax = -std::numeric_limits<double>::max(), emax = -std::numeric_limits<double>::max();
  for (int32_t i = 0; i < n; ++i) {
    if (sy[i] > ymax) ymax = sy[i];  // a NaN never compares larger
    if (se[i] > emax) emax = se[i];
  }
  *gradient = 0.0;
  *yield = ymax;
  if (!(*strain < emax)) return;  // perfectly plastic beyond the table
  // The interpolation ends the process on a table it cannot use; refuse it here.
  bool usable = n >= 2;
  for (int32_t i = 0; usable && i + 1 < n; ++i) usable = !(se[i] >= se[i + 1]);
  if (!usable) {
    vx::report(-2, "Strains of hardening table not strictly increasing in GetHardeningFromTable");
    return;
  }
  vx::Scratch<double, 64> slope{size_t(n)};
  CentralStepDerivative(slope, sy, se, &n);
  const int32_t one = 1;
  double y = 0.0, g = 0.0;
  linearinterpolation(&y, se, &n, sy, &n, strain, &one);
  linearinterpolation(&g, se, &n, slope, &n, strain, &one);
  *yield = y;
  *gradient = g;
}

VX_API void GetGreenStrain(double* green, const double* dfgrd) {
  const vx::Mat3 f = vx::Mat3::load(dfgrd);
  vx::Mat3 e = vx::mul<3, 3, 3>(vx::transpose(f), f);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) e(i, j) = 0.5 * (e(i, j) - (i == j ? 1.0 : 0.0));
  e.store(green);
}

VX_API void GetAlmansiStrain(double* almansi, const double* dfgrd) {
  const vx::Mat3 f = vx::Mat3::load(dfgrd);
  const vx::Mat3 b = vx::mul<3, 3, 3>(f, vx::transpose(f));
  vx::Mat3 binv;
  const int32_t three = 3;
  MatrixInverse(b.data(), binv.data(), &three);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) binv(i, j) = 0.5 * ((i == j ? 1.0 : 0.0) - binv(i, j));
  binv.store(almansi);
}

VX_API void GetSmallStrain(double* small, const double* dfgrd) {
  const vx::CMatRef<3> f(dfgrd);
  vx::Mat3 e;
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) e(i, j) = 0.5 * (f(i, j) + f(j, i)) - (i == j ? 1.0 : 0.0);
  e.store(small);
}

VX_API double GetMisesStress(const double* stress, const int32_t* nstress) {
  double c[6];
  if (!components(c, stress, *nstress)) return 0.0;
  return mises(c);
}

VX_API double GetTrescaStress(const double* principals) {
  const double p1 = principals[0], p2 = principals[1], p3 = principals[2];
  // fmax would drop the differences of a NaN principal and give the smaller
  // stress of the other two: NaN stays.
  if (std::isnan(p1) || std::isnan(p2) || std::isnan(p3)) return std::numeric_limits<double>::quiet_NaN();
  return std::fmax(std::fmax(std::fabs(p1 - p2), std::fabs(p2 - p3)), std::fabs(p3 - p1));
}

VX_API double GetRankineStress(const double* principals) {
  const double p1 = principals[0], p3 = principals[2];
  // A NaN principal may be the largest in magnitude: no equivalent stress.
  if (std::isnan(p1) || std::isnan(p3)) return std::numeric_limits<double>::quiet_NaN();
  if (p1 >= 0.0 && p1 >= std::fabs(p3)) return p1;
  if (p3 < 0.0) return std::fabs(p3);
  return p1;
}

VX_API void GetStassiStress(const double* stress, const double* xt, const double* xc, double* eq_stress) {
  // The measure divides by both strengths: without two positive finite ones
  // there is no equivalent stress, and NaN cannot pass for one.
  if (!(*xt > 0.0 && *xc > 0.0 && std::isfinite(*xt) && std::isfinite(*xc))) {
    vx::report(-2, "Strengths not positive and finite in GetStassiStress");
    *eq_stress = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const double i1 = stress[0] + stress[1] + stress[2];
  const double k = *xc / *xt;
  const int32_t six = 6;
  const double m = GetMisesStress(stress, &six);
  const double root = std::sqrt((i1 * i1) * ((k - 1.0) * (k - 1.0)) + 4.0 * k * (m * m));
  *eq_stress = i1 >= 0.0 ? (i1 * (k - 1.0) + root) / (2.0 * k) : (i1 * (k - 1.0) - root) / (2.0 * k);
}

VX_API void GetPrincipals(double* ps, const double* svoigt, const int32_t* nvoigt) {
  double c[6];
  if (!components(c, svoigt, *nvoigt)) return;
  // A non-finite stress has no principal values: NaN, never what the output
  // held before.
  for (int k = 0; k < 6; ++k)
    if (!std::isfinite(c[k])) {
      vx::report(-2, "Non-finite stress component in GetPrincipals");
      for (int i = 0; i < 3; ++i) ps[i] = std::numeric_limits<double>::quiet_NaN();
      return;
    }
  const double v[6] = {c[0], c[1], c[2], c[5], c[4], c[3]};
  double t[9], d[3];
  CauchyNotation(t, v);
  const int32_t three = 3, descending = -1;
  MatrixEigenvalues(t, d, &three);
  int32_t loc[3];
  fGetContinuous(d, &three, loc, &descending);
  for (int i = 0; i < 3; ++i) ps[i] = d[loc[i] - 1];
}

VX_API double GetTrace(const double* stress, const int32_t* nstress) {
  double c[6];
  if (!components(c, stress, *nstress)) return 0.0;
  return c[0] + c[1] + c[2];
}

VX_API double GetHydrostaticPressure(const double* stress, const int32_t* nstress) {
  return GetTrace(stress, nstress) / 3.0;
}

VX_API void GetMeanStress(double* cm, const double* stress, const int32_t* nstress) {
  double c[6];
  if (!components(c, stress, *nstress)) return;
  const double p = (c[0] + c[1] + c[2]) / 3.0;
  const double m[9] = {p, 0.0, 0.0, 0.0, p, 0.0, 0.0, 0.0, p};
  std::memcpy(cm, m, sizeof m);
}

VX_API void GetDeviatoricStress(double* cd, const double* svoigt) {
  double t[9];
  CauchyNotation(t, svoigt);
  const double p = (svoigt[0] + svoigt[1] + svoigt[2]) / 3.0;
  for (int i = 0; i < 3; ++i) t[4 * i] -= p;
  std::memcpy(cd, t, sizeof t);
}

VX_API void GetMisesFlow(double* flow, const double* stress, const int32_t* nstress) {
  const int32_t n = *nstress;
  double c[6];
  if (!components(c, stress, n)) return;
  // The direction does not depend on the size of the stress. Far from 1 it
  // is scaled by a power of two (exact, so it gives the bits of the unscaled
  // direction), so that the squares of the measure neither overflow for a
  // huge stress, which would give a zero direction, nor underflow for a tiny
  // one. Ordinary stresses skip the scaling.
  double big = 0.0;
  for (int k = 0; k < 6; ++k) big = std::fabs(c[k]) > big ? std::fabs(c[k]) : big;
  double scale = 1.0;
  if ((big < 0x1p-400 || big > 0x1p400) && big > 0.0 && std::isfinite(big)) {
    scale = std::ldexp(1.0, -std::ilogb(big));
    for (int k = 0; k < 6; ++k) c[k] *= scale;
  }
  const double m = mises(c), p = (c[0] + c[1] + c[2]) / 3.0;
  // Direct positions: 1, 2 when there are two, 3 when there are more than
  // three (a vector of three is 11, 22, 12).
  const int32_t ndirect = n > 3 ? 3 : 2;
  vx::Scratch<double, 6> f{size_t(n)};
  // Without a deviator (a zero or purely hydrostatic stress) there is no
  // direction to flow in: zero, where the quotient would be 0/0 or a rounding
  // residue of the mean over zero.
  for (int32_t i = 0; i < n; ++i) {
    const double si = stress[i] * scale;
    f[i] = m == 0.0 ? 0.0 : (i < ndirect ? si - p : si) / m;
  }
  for (int32_t i = 0; i < n; ++i) flow[i] = f[i];
}
