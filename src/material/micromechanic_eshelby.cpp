// Eshelby tensors of ellipsoidal inclusions, strain concentration tensors of
// the dilute, Hashin-Shtrikman, Mori-Tanaka, Chow and Lielens schemes, and the
// phase helpers (transversely isotropic compliance, engineering constants, the
// coated fibre bundle, the porous matrix, phase preparation and the strengths
// of the bridging model) that the mean-field methods combine.
#include <cmath>
#include "micromechanic_kernels.h"
#include "util.h"
#include "vexlan/micromechanic.h"

namespace vx::micro {
namespace {

// Void populations of the porous matrix: inclusion type, shape ratio, share
// of the void volume (the shares add up to 1).
constexpr i4 void_types[8] = {1, 1, 2, 2, 2, 3, 3, 3};
constexpr double void_shapes[8] = {1.5, 2.5, 3.73, 3.69, 4.05, 0.245, 0.13, 0.07};
constexpr double void_shares[8] = {0.07, 0.12, 0.15, 0.27, 0.15, 0.1, 0.09, 0.05};

}  // namespace

M6 voigt_compliance(const double* p) {
  const double e1 = p[0], e2 = p[1], g12 = p[2], g23 = p[3], nu12 = p[4];
  M6 s = M6::zero();
  s(0, 0) = 1.0 / e1;
  s(1, 1) = s(2, 2) = 1.0 / e2;
  s(0, 1) = s(0, 2) = s(1, 0) = s(2, 0) = -nu12 / e1;
  s(1, 2) = s(2, 1) = -(e2 / (2.0 * g23) - 1.0) / e2;
  s(3, 3) = 1.0 / g23;
  s(4, 4) = s(5, 5) = 1.0 / g12;
  return s;
}

Eng eng_consts(const M6& s) {
  Eng e;
  for (int i = 0; i < 6; ++i) e[i] = 1.0 / s(i, i);
  e[6] = -s(1, 2) * e[1];
  e[7] = -s(0, 2) * e[0];
  e[8] = -s(0, 1) * e[0];
  return e;
}

bool eshelby(M6& et, i4 type, double r, double nu, const double* cm) {
  et = M6::zero();
  switch (type) {
    case 0: {
      const double d = 15.0 * (1.0 - nu);
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) et(i, j) = (i == j) ? (7.0 - 5.0 * nu) / d : (5.0 * nu - 1.0) / d;
      et(3, 3) = et(4, 4) = et(5, 5) = 2.0 * (4.0 - 5.0 * nu) / d;
      return true;
    }
    case 1: {
      const double k = 1.0 / (2.0 * (1.0 - nu)), r1 = 1.0 + r, r12 = r1 * r1, m = 1.0 - 2.0 * nu;
      et(1, 1) = k * ((1.0 + 2.0 * r) / r12 + m / r1);
      et(2, 2) = k * ((r * r + 2.0 * r) / r12 + m * r / r1);
      et(1, 2) = k * (1.0 / r12 - m / r1);
      et(2, 1) = k * (r * r / r12 - m * r / r1);
      et(1, 0) = k * 2.0 * nu / r1;
      et(2, 0) = k * 2.0 * nu * r / r1;
      et(3, 3) = 2.0 * k * ((r * r + 1.0) / (2.0 * r12) + m / 2.0);
      et(4, 4) = r / r1;
      et(5, 5) = 1.0 / r1;
      return true;
    }
    case 2: {
      const double al2 = r * r, A = al2 - 1.0, m = 1.0 - 2.0 * nu, q = 1.0 - nu;
      const double g = r / std::pow(A, 1.5) * (r * std::sqrt(A) - dacosh(&r));
      et(0, 0) = 1.0 / (2.0 * q) * (m + (3.0 * al2 - 1.0) / A - (m + 3.0 * al2 / A) * g);
      et(1, 1) = et(2, 2) = 3.0 * al2 / (8.0 * q * A) + 1.0 / (4.0 * q) * (m - 9.0 / (4.0 * A)) * g;
      et(1, 2) = et(2, 1) = 1.0 / (4.0 * q) * (al2 / (2.0 * A) - (m + 3.0 / (4.0 * A)) * g);
      et(1, 0) = et(2, 0) = -al2 / (2.0 * q * A) + 1.0 / (4.0 * q) * (3.0 * al2 / A - m) * g;
      et(0, 1) = et(0, 2) = -1.0 / (2.0 * q) * (m + 1.0 / A) + 1.0 / (2.0 * q) * (m + 3.0 / (2.0 * A)) * g;
      et(3, 3) = 1.0 / (2.0 * q) * (al2 / (2.0 * A) + (m - 3.0 / (4.0 * A)) * g);
      et(4, 4) = et(5, 5) =
          1.0 / (2.0 * q) * (m - (al2 + 1.0) / A - 0.5 * (m - 3.0 * (al2 + 1.0) / A) * g);
      return true;
    }
    case 3: {
      const double q = 1.0 - nu;
      et(0, 0) = et(1, 1) = pi * (13.0 - 8.0 * nu) * r / (32.0 * q);
      et(2, 2) = 1.0 - pi * (1.0 - 2.0 * nu) * r / (4.0 * q);
      et(0, 1) = et(1, 0) = pi * (8.0 * nu - 1.0) * r / (32.0 * q);
      et(0, 2) = et(1, 2) = pi * (2.0 * nu - 1.0) * r / (8.0 * q);
      et(2, 0) = et(2, 1) = nu / q * (1.0 - pi * (4.0 * nu + 1.0) * r / (8.0 * nu));
      et(3, 3) = et(4, 4) = 1.0 + pi * (nu - 2.0) * r / (4.0 * q);
      et(5, 5) = 2.0 * pi * (7.0 - 8.0 * nu) * r / (32.0 * q);
      return true;
    }
    case 11: {
      bool zero = true;
      if (cm)
        for (int k = 0; k < 36; ++k) zero = zero && cm[k] == 0.0;
      if (zero) {
        report(-3, "Illegal host stiffness matrix in GetEshelbyTensor.");
        return false;
      }
      const double c12 = cm[0 + 6 * 1], c22 = cm[1 + 6 * 1], c23 = cm[1 + 6 * 2];
      et(1, 0) = et(2, 0) = c12 / (2.0 * c22);
      et(1, 1) = et(2, 2) = (5.0 * c22 + c23) / (8.0 * c22);
      et(1, 2) = et(2, 1) = (3.0 * c23 - c22) / (8.0 * c22);
      et(3, 3) = 2.0 * (3.0 * c22 - c23) / (8.0 * c22);
      et(4, 4) = r / (1.0 + r);
      et(5, 5) = 1.0 / (1.0 + r);
      return true;
    }
    default:
      report(-3, "Unknown kind of Eshelby tensor request.");
      return false;
  }
}

// I + E Ch^-1 (Cp - Ch): the inverse of the dilute tensor of phase p in host h.
static M6 dilute_inverse(const M6& e, const M6& cp, const M6& ch) {
  return M6::identity() + mul<6, 6, 6>(mul<6, 6, 6>(e, inv(ch)), cp - ch);
}

// X [(1 - v) I + v X]^-1
static M6 mori_tanaka_of(const M6& x, double v) {
  return mul<6, 6, 6>(x, inv((1.0 - v) * M6::identity() + v * x));
}

bool concentration(M6& a, const M6& et, const M6& ci, const M6& cm, double vinc, i4 atype) {
  const double v = clamp(vinc);
  switch (atype) {
    case 0:
      a = inv(dilute_inverse(et, ci, cm));
      return true;
    case 1:
    case 3:
      a = mori_tanaka_of(inv(dilute_inverse(et, ci, cm)), v);
      return true;
    case 2:
      a = mori_tanaka_of(dilute_inverse(et, cm, ci), v);
      return true;
    case 4:
      a = inv(M6::identity() + (1.0 - v) * mul<6, 6, 6>(mul<6, 6, 6>(et, inv(cm)), ci - cm));
      return true;
    case 5: {
      const double f = (v * v + v) / 2.0;
      const M6 adef = inv((1.0 - f) * dilute_inverse(et, ci, cm) + f * inv(dilute_inverse(et, cm, ci)));
      a = mori_tanaka_of(adef, v);
      return true;
    }
    default:
      a = M6::zero();
      report(-2, "Unknown AType. Please check your input");
      return false;
  }
}

void phase_reduction(M6& sf, M6& sm, const double* fp, const double* mp, double vf_in,
                     const double* vvoid_in, const double* vint_in, const double* ip,
                     const i4* voidtype) {
  sf = M6::zero();
  sm = M6::zero();
  const double* inter = (ip && ip[0] + ip[1] > 0.0) ? ip : mp;
  const double mrec[5] = {mp[0], mp[0], mp[0] / (2.0 * (1.0 + mp[1])), mp[0] / (2.0 * (1.0 + mp[1])), mp[1]};
  const double irec[5] = {inter[0], inter[0], inter[0] / (2.0 * (1.0 + inter[1])),
                          inter[0] / (2.0 * (1.0 + inter[1])), inter[1]};
  const double vf = clamp(vf_in), vvoid = vvoid_in ? clamp(*vvoid_in) : 0.0,
               vint = vint_in ? clamp(*vint_in) : 0.0;
  const i4 kind = (voidtype && *voidtype > 0) ? 1 : 0;
  if (!(vf + vint + vvoid <= 1.0)) return;
  const M6 sfib = voigt_compliance(fp), smat = voigt_compliance(mrec);
  if (vint > 0.0) {
    const M6 sint = voigt_compliance(irec);
    GetFiberBundleComplianceMatrix(sf.a, sfib.a, sint.a, &vf, &vint);
  } else {
    sf = sfib;
  }
  if (vvoid > 0.0)
    GetPorousResinComplianceMatrix(sm.a, smat.a, &vvoid, &kind);
  else
    sm = smat;
}

void ud_strength(double* ud, const M6& A, const double* f, const double* m, double vf) {
  const double v = clamp(vf), w = 1.0 - v;
  const double a[3] = {A(0, 0), A(1, 1), A(5, 5)};
  const double pf[3] = {f[0] / (w * m[2] + v * f[0]), f[1] / (w * (f[1] + m[2]) / 2.0 + v * f[1]),
                        3.0 * f[2] / (v * 3.0 * f[2] + w * (m[2] + 3.0 * f[2]) / 2.0)};
  const double pm[3] = {m[2] / (w * m[2] + v * f[0]),
                        ((f[1] + m[2]) / 2.0) / (w * (f[1] + m[2]) / 2.0 + v * f[1]),
                        ((m[2] + 3.0 * f[2]) / 2.0) / (v * 3.0 * f[2] + w * (m[2] + 3.0 * f[2]) / 2.0)};
  const double y[3] = {m[3], m[3], 0.5773502691896258 * m[3]};  // shear limit m4 / sqrt(3)
  for (int i = 0; i < 3; ++i) {
    const double bf = 1.0 / (v + w * a[i]), bm = a[i] * bf;
    const double s = std::min(y[i] / bm, f[3] / bf);
    ud[i] = vx::util::min_or_nan((f[3] - (bf - pf[i]) * s) / pf[i], (m[4] - (bm - pm[i]) * s) / pm[i]);
  }
}

}  // namespace vx::micro

using namespace vx;
using namespace vx::micro;

VX_API void GetEshelbyTensor(double* et, const i4* incltype, const double* inclratio,
                             const double* nu_m, const double* c_m) {
  M6 e;
  eshelby(e, *incltype, *inclratio, *nu_m, c_m);
  e.store(et);
}

VX_API void GetStrainConcentrationTensor(double* a, const double* et, const double* cinc,
                                         const double* cm, const double* vinc, const i4* atype) {
  M6 r;
  concentration(r, M6::load(et), M6::load(cinc), M6::load(cm), *vinc, atype ? *atype : 0);
  r.store(a);
}

VX_API void GetAverageSCFromDualEquation(double* sc, const double* bainc, const double* scinc,
                                         const double* scm, const double* vinc) {
  const double v = clamp(*vinc);
  const M6 m = M6::load(scm);
  (m + v * mul<6, 6, 6>(M6::load(scinc) - m, M6::load(bainc))).store(sc);
}

VX_API void GetVoigtComplianceMatrix(double* s, const double* props) { voigt_compliance(props).store(s); }

VX_API void GetEngConstsFromComplianceMatrix(double* eng, const double* s) {
  const Eng e = eng_consts(M6::load(s));
  for (int i = 0; i < 9; ++i) eng[i] = e[i];
}

VX_API void GetFiberBundleComplianceMatrix(double* sfb, const double* sf, const double* sinter,
                                           const double* vf, const double* vinter) {
  const M6 si = M6::load(sinter);
  const double nui = eng_consts(si)[8];
  const double vfib = clamp(*vf), vint = clamp(*vinter);
  const double vn = 1.0 - vint / (vfib + vint);
  const M6 cf = inv(M6::load(sf)), ci = inv(si);
  M6 e, a;
  eshelby(e, 1, 1.0, nui, nullptr);
  concentration(a, e, cf, ci, vn, 3);
  inv(ci + vn * mul<6, 6, 6>(cf - ci, a)).store(sfb);
}

VX_API void GetPorousResinComplianceMatrix(double* spm, const double* sm_in, const double* vv_in,
                                           const i4* voidtype) {
  const M6 sm = M6::load(sm_in), cm = inv(sm), I = M6::identity();
  const double num = eng_consts(sm)[8], vv = clamp(*vv_in);
  if (*voidtype == 1) {
    M6 sum = (1.0 - vv) * I;
    const M6 minus_cm = M6::zero() - cm;
    for (int k = 0; k < 8; ++k) {
      M6 e;
      eshelby(e, void_types[k], void_shapes[k], num, nullptr);
      const M6 ak = inv(I + mul<6, 6, 6>(mul<6, 6, 6>(e, sm), minus_cm));
      sum = sum + (vv * void_shares[k]) * ak;
    }
    const M6 a0 = inv(sum);
    const M6 sp = inv((1.0 - vv) * mul<6, 6, 6>(a0, cm));
    const double E = 3.0 / (sp(0, 0) + sp(1, 1) + sp(2, 2));
    const double G = 3.0 / (sp(3, 3) + sp(4, 4) + sp(5, 5));
    const double nu = -E * (sp(0, 1) + sp(0, 2) + sp(1, 0) + sp(1, 2) + sp(2, 0) + sp(2, 1)) / 6.0;
    const double rec[5] = {E, E, G, G, nu};
    voigt_compliance(rec).store(spm);
  } else {
    M6 e;
    eshelby(e, 0, 0.0, num, nullptr);
    const M6 left = inv(cm - (1.0 - vv) * mul<6, 6, 6>(cm, e));
    const M6 right = cm - mul<6, 6, 6>(cm, e - vv * (e - I));
    inv(mul<6, 6, 6>(mul<6, 6, 6>(cm, left), right)).store(spm);
  }
}

VX_API void GetPhaseReduction(double* sf, double* sm, const double* fiberprops,
                              const double* matrixprops, const double* vf, const double* vvoid,
                              const double* vint, const double* interprops, const i4* voidtype) {
  M6 f, m;
  phase_reduction(f, m, fiberprops, matrixprops, *vf, vvoid, vint, interprops, voidtype);
  f.store(sf);
  m.store(sm);
}

VX_API void GetUDStrengthFromBridgingMatrix(double* ud, const double* bridging, const double* fiberprops,
                                            const double* matrixprops, const double* vf) {
  ud_strength(ud, M6::load(bridging), fiberprops, matrixprops, *vf);
}
