// Mean-field homogenisation: the nine engineering constants (and, for the
// bridging and cumulative methods, three strengths) of a unidirectional ply
// from its prepared fibre and matrix phases, by the dilute, Mori-Tanaka,
// Chow, Lielens, Hashin-Shtrikman, Mura, Voigt, Reuss, self-consistent,
// bridging and cumulative schemes; and the Mori-Tanaka stiffness of several
// inclusion phases.
#include <algorithm>
#include <cmath>
#include "fixed_lu.h"
#include "micromechanic_kernels.h"
#include "vexlan/micromechanic.h"

using namespace vx;
using namespace vx::micro;

namespace {

void put(double* out, const Eng& e) {
  for (int i = 0; i < 9; ++i) out[i] = e[i];
}

// The frame every ply method shares: prepared phases, effective fibre
// fraction (interphase counted with the fibre) and stiffnesses.
struct Phases {
  M6 sf, sm, cf, cm;
  double v;
  bool empty;
  Phases(const double* fp, const double* mp, const double* vf, const double* vvoid, const double* vint,
         const double* ip, const i4* voidtype) {
    phase_reduction(sf, sm, fp, mp, *vf, vvoid, vint, ip, voidtype);
    empty = all_zero(sf) && all_zero(sm);
    // Each fraction limited first, as the phase preparation did, then the sum.
    v = clamp(clamp(*vf) + (vint ? clamp(*vint) : 0.0));
    if (!empty) {
      cf = inv(sf);
      cm = inv(sm);
    }
  }
  M6 eshelby_of_matrix(const double* yzratio) const {
    M6 e;
    eshelby(e, 1, yzratio ? *yzratio : 1.0, eng_consts(sm)[8], nullptr);
    return e;
  }
};

void by_concentration(double* out, i4 atype, const double* fp, const double* mp, const double* vf,
                      const double* vvoid, const double* vint, const double* ip, const double* yzratio,
                      const i4* voidtype) {
  for (int i = 0; i < 9; ++i) out[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, voidtype);
  if (p.empty) return;
  M6 a;
  concentration(a, p.eshelby_of_matrix(yzratio), p.cf, p.cm, p.v, atype);
  const M6 c = p.cm + clamp(p.v) * mul<6, 6, 6>(p.cf - p.cm, a);
  put(out, eng_consts(inv(c)));
}

// S = (v Sf + w Sm B)(v I + w B)^-1 of the bridging model.
M6 bridged(const Phases& p, const M6& b) {
  const double w = 1.0 - p.v;
  return mul<6, 6, 6>(p.v * p.sf + w * mul<6, 6, 6>(p.sm, b), inv(p.v * M6::identity() + w * b));
}

// The symmetric part: an effective stiffness is symmetric, and the
// unsymmetric part of a rounding error would grow from pass to pass.
M6 symmetric(const M6& c) {
  M6 s;
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i) s(i, j) = 0.5 * (c(i, j) + c(j, i));
  return s;
}

bool positive_definite(const M6& c) {
  M6 r;
  const i4 n = 6;
  CholeskyFactorization(c.a, r.a, &n);
  return r.a[0] > 0.0;  // a refused factorisation is filled with -huge
}

// Anderson mixing of fixed-point passes x -> g(x): the next iterate is the
// combination of the last few images whose residuals f = g - x cancel best
// (least squares on the residual differences). It converges where the plain
// passes creep or drift, in a few dozen passes.
class Mixing {
 public:
  void reset() {
    cols_ = next_ = 0;
    have_ = false;
  }
  // Records the image g of the current iterate and its residual f; returns
  // the next iterate.
  M6 next(const M6& g, const M6& f) {
    if (have_) {
      for (int k = 0; k < 36; ++k) {
        df_[next_][k] = f.a[k] - fprev_.a[k];
        dg_[next_][k] = g.a[k] - gprev_.a[k];
      }
      next_ = (next_ + 1) % kDepth;
      cols_ = std::min(cols_ + 1, kDepth);
    }
    fprev_ = f;
    gprev_ = g;
    have_ = true;
    if (cols_ == 0) return g;
    // Normal equations of min |f - DF gamma|, columns scaled to unit length
    // and slightly regularised; unused columns are identity rows.
    Mat<kDepth, kDepth> m = Mat<kDepth, kDepth>::identity();
    double rhs[kDepth] = {}, scale[kDepth];
    for (int i = 0; i < cols_; ++i) {
      scale[i] = std::sqrt(dot(df_[i], df_[i]));
      if (!(scale[i] > 0.0) || !std::isfinite(scale[i])) return g;
    }
    for (int i = 0; i < cols_; ++i) {
      rhs[i] = dot(df_[i], f.a) / scale[i];
      for (int j = 0; j < cols_; ++j) m(i, j) = dot(df_[i], df_[j]) / (scale[i] * scale[j]);
      m(i, i) += 1e-12;
    }
    if (lu_invert<kDepth>(m.a) != 0) return g;
    M6 x = g;
    for (int i = 0; i < cols_; ++i) {
      double gamma = 0.0;
      for (int j = 0; j < kDepth; ++j) gamma += m(i, j) * rhs[j];
      gamma /= scale[i];
      for (int k = 0; k < 36; ++k) x.a[k] -= gamma * dg_[i][k];
    }
    for (int k = 0; k < 36; ++k)
      if (!std::isfinite(x.a[k])) return g;
    return x;
  }

 private:
  static constexpr int kDepth = 4;
  static double dot(const double* x, const double* y) {
    double s = 0.0;
    for (int k = 0; k < 36; ++k) s += x[k] * y[k];
    return s;
  }
  double df_[kDepth][36], dg_[kDepth][36];
  M6 fprev_, gprev_;
  int cols_ = 0, next_ = 0;
  bool have_ = false;
};

bool any_nonzero(const double* x, int n) {
  if (!x) return false;
  for (int i = 0; i < n; ++i)
    if (x[i] != 0.0) return true;
  return false;
}

}  // namespace

VX_API void Dilute(double* es, const double* fp, const double* mp, const double* vf, const double* vvoid,
                   const double* vint, const double* ip, const double* yz, const i4* vt) {
  by_concentration(es, 0, fp, mp, vf, vvoid, vint, ip, yz, vt);
}
VX_API void MoriTanaka(double* mt, const double* fp, const double* mp, const double* vf, const double* vvoid,
                       const double* vint, const double* ip, const double* yz, const i4* vt) {
  by_concentration(mt, 3, fp, mp, vf, vvoid, vint, ip, yz, vt);
}
VX_API void Chow(double* cw, const double* fp, const double* mp, const double* vf, const double* vvoid,
                 const double* vint, const double* ip, const double* yz, const i4* vt) {
  by_concentration(cw, 4, fp, mp, vf, vvoid, vint, ip, yz, vt);
}
VX_API void Lielens(double* li, const double* fp, const double* mp, const double* vf, const double* vvoid,
                    const double* vint, const double* ip, const double* yz, const i4* vt) {
  by_concentration(li, 5, fp, mp, vf, vvoid, vint, ip, yz, vt);
}
VX_API void HashinShtrikman(double* hs, const double* fp, const double* mp, const double* vf, const i4* luflag,
                            const double* vvoid, const double* vint, const double* ip, const double* yz,
                            const i4* vt) {
  by_concentration(hs, *luflag < 1 ? 1 : 2, fp, mp, vf, vvoid, vint, ip, yz, vt);
}

VX_API void Mura(double* ma, const double* fp, const double* mp, const double* vf, const double* vvoid,
                 const double* vint, const double* ip, const double* yz, const i4* vt) {
  for (int i = 0; i < 9; ++i) ma[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, vt);
  if (p.empty) return;
  const M6 e = p.eshelby_of_matrix(yz), I = M6::identity(), d = p.cm - p.cf;
  const M6 left = inv(p.cm - (1.0 - p.v) * mul<6, 6, 6>(d, e));
  const M6 right = p.cm - mul<6, 6, 6>(d, e - p.v * (e - I));
  put(ma, eng_consts(inv(mul<6, 6, 6>(mul<6, 6, 6>(p.cm, left), right))));
}

VX_API void Voigt(double* vt, const double* fp, const double* mp, const double* vf, const double* vvoid,
                  const double* vint, const double* ip, const i4* voidtype) {
  for (int i = 0; i < 9; ++i) vt[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, voidtype);
  if (p.empty) return;
  put(vt, eng_consts(inv(p.cm + p.v * (p.cf - p.cm))));
}

VX_API void Reuss(double* rs, const double* fp, const double* mp, const double* vf, const double* vvoid,
                  const double* vint, const double* ip, const i4* voidtype) {
  for (int i = 0; i < 9; ++i) rs[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, voidtype);
  if (p.empty) return;
  put(rs, eng_consts(p.sm + p.v * (p.sf - p.sm)));
}

VX_API void CSCS(double* sc, const double* fp, const double* mp, const double* vf, const double* vvoid,
                 const double* vint, const double* ip, const double* yz, const i4* voidtype,
                 const i4* maxit_in, const double* threshold_in) {
  for (int i = 0; i < 9; ++i) sc[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, voidtype);
  if (p.empty) return;
  const i4 maxit = maxit_in ? *maxit_in : 200;
  const double threshold = threshold_in ? *threshold_in : 1e-8, r = yz ? *yz : 1.0, zero = 0.0;
  const M6 dc = p.cf - p.cm;
  auto medium = [&](const M6& a) { return symmetric(p.cm + p.v * mul<6, 6, 6>(dc, a)); };
  // The unknown is the concentration tensor a that built the current medium;
  // a pass puts the fibre into that medium and takes its dilute
  // concentration tensor g. The state is self-consistent when g = a.
  M6 a = M6::zero(), g = M6::zero(), c = p.cm;
  bool converged = maxit < 1, physical = positive_definite(c);
  Mixing mix;
  for (i4 pass = 1; pass <= maxit; ++pass) {
    M6 e;
    eshelby(e, 11, r, zero, c.a);
    concentration(g, e, p.cf, c, p.v, 0);
    const M6 f = g - a;
    double change = 0.0;  // the largest entry, or NaN when there is one
    for (int k = 0; k < 36; ++k) {
      const double d = std::fabs(f.a[k]);
      if (d > change || d != d) change = d;
    }
    if (change <= threshold) {
      converged = true;
      break;
    }
    if (!std::isfinite(change)) break;
    M6 next = mix.next(g, f), cn = medium(next);
    bool pd = positive_definite(cn);
    // A step out of the positive-definite stiffnesses would head for a state
    // of no physical meaning: plain steps, shortened until they stay.
    if (physical && !pd) {
      mix.reset();
      for (double t = 1.0; !pd && t >= 1.0 / 1024; t *= 0.5) {
        next = a + t * f;
        cn = medium(next);
        pd = positive_definite(cn);
      }
    }
    a = next;
    c = cn;
    physical = pd;
  }
  if (!converged) vx::report(-1, "No convergence in CSCS");
  put(sc, eng_consts(inv(medium(g))));
}

VX_API void Huang(double* hg, const double* fp, const double* mp, const double* vf, const double* vvoid,
                  const double* vint, const double* ip, const double* strengthprops, const double* cp,
                  const i4* voidtype) {
  for (int i = 0; i < 12; ++i) hg[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, voidtype);
  if (p.empty) return;
  const double alpha = cp ? clamp(cp[0]) : 0.5, beta = cp ? clamp(cp[1]) : 0.5;
  const Eng ef = eng_consts(p.sf), em = eng_consts(p.sm);
  M6 a = M6::zero();
  a(0, 0) = em[0] / ef[0];
  a(1, 1) = a(2, 2) = a(3, 3) = alpha + (1.0 - alpha) * em[0] / ef[1];
  a(4, 4) = a(5, 5) = beta + (1.0 - beta) * em[5] / ef[5];
  // Equal longitudinal compliances leave no coupling to bridge (and would
  // divide zero by zero when the phases are alike).
  const double d1 = p.sf(0, 0) - p.sm(0, 0);
  a(0, 1) = a(0, 2) = d1 == 0.0 ? 0.0 : (p.sf(0, 1) - p.sm(0, 1)) * (a(0, 0) - a(1, 1)) / d1;
  put(hg, eng_consts(bridged(p, a)));
  if (any_nonzero(strengthprops, 4)) {
    const double f[4] = {ef[0], ef[1], ef[5], strengthprops[0]};
    const double m[5] = {em[0], em[5], strengthprops[1], strengthprops[2], strengthprops[3]};
    ud_strength(hg + 9, a, f, m, p.v);
  }
}

VX_API void Cumulative(double* ch, const double* fp, const double* mp, const double* vf, const double* vvoid,
                       const double* vint, const double* ip, const double* strengthprops, const double* yz,
                       const i4* voidtype, const i4* rvetype) {
  for (int i = 0; i < 12; ++i) ch[i] = 0.0;
  const Phases p(fp, mp, vf, vvoid, vint, ip, voidtype);
  if (p.empty) return;
  const double v = p.v, w = 1.0 - v, ratio = yz ? *yz : 1.0;
  const i4 rve = rvetype ? *rvetype : 1;
  const Eng ef = eng_consts(p.sf), em = eng_consts(p.sm);
  M6 ecyl, eryz, acyl, aryz;
  eshelby(ecyl, 1, 1.0, em[8], nullptr);
  eshelby(eryz, 1, ratio, em[8], nullptr);
  concentration(acyl, ecyl, p.cf, p.cm, v, 0);
  concentration(aryz, eryz, p.cf, p.cm, v, 0);
  const M6 bcyl = mul<6, 6, 6>(mul<6, 6, 6>(p.cf, acyl), p.sm);
  const M6 bryz = mul<6, 6, 6>(mul<6, 6, 6>(p.cf, aryz), p.sm);

  // Reference plies of the Mori-Tanaka and packing-cell estimates.
  const double frec[5] = {ef[0], ef[1], ef[5], ef[3], ef[8]}, mrec[2] = {em[0], em[8]};
  double lmt[9], lk[5];
  const i4 two = 2, one = 1;
  MoriTanaka(lmt, frec, mrec, &v, nullptr, nullptr, nullptr, nullptr, nullptr);
  LTH(lk, frec, mrec, &v, &two, &rve, &one);
  const double a1[2] = {lmt[0], lmt[8]}, a2[2] = {lk[0], lk[4]};
  const double nmt = Foye(a1, mrec), nk = Foye(a2, mrec);

  M6 b = inv(bcyl);
  const double b12_old = b(0, 1), b21_old = b(1, 0);
  b(0, 0) *= lmt[0] / lk[0];
  b(1, 1) *= lmt[1] / lk[1];
  b(3, 3) *= lmt[1] / lk[1];
  b(4, 4) *= lmt[5] / lk[2];
  b(2, 1) = b(1, 2) * (w * nmt + v * ef[8]) / (w * nk + v * ef[8]);
  const double D = p.sf(0, 1) - p.sm(0, 1), D1 = p.sf(0, 0) - p.sm(0, 0);
  const double b11 = b(0, 0), b22 = b(1, 1), b32 = b(2, 1);
  // As in the bridging model: equal longitudinal compliances leave no
  // coupling, and the reverse coupling follows it to zero.
  b(0, 1) = D1 == 0.0 ? 0.0
                      : D * ((v + w * b22) * (b11 - b22) - (v + w * b11) * b32 + w * b32 * b32) /
                            (D1 * (v + w * b22 - w * b32));
  b(1, 0) = b(0, 1) == 0.0 ? 0.0 : (lmt[0] / lmt[1]) * b12_old * b21_old / ((lk[0] / lk[1]) * b(0, 1));
  b(2, 0) = b(1, 0);
  b(0, 2) = b(0, 1);
  b(1, 2) = b(2, 1);
  b(2, 2) = b(1, 1);
  b(5, 5) = b(4, 4);

  if (any_nonzero(strengthprops, 4)) {
    const double f[4] = {ef[0], ef[1], ef[5], strengthprops[0]};
    const double m[5] = {em[0], 0.0, strengthprops[1], strengthprops[2], strengthprops[3]};
    ud_strength(ch + 9, b, f, m, v);
  }
  const M6 bb = mul<6, 6, 6>(mul<6, 6, 6>(inv(bryz), b), bcyl);
  put(ch, eng_consts(bridged(p, bb)));
}

VX_API void GeneralizedMoriTanaka(double* cmt, const double* cinc, const double* eshinc, const double* vinc,
                                  const double* c0_in, const i4* ninc) {
  const i4 n = *ninc > 0 ? *ninc : 0;
  double f0 = 1.0;
  for (i4 k = 0; k < n; ++k) f0 -= clamp(vinc[k]);  // a NaN fraction stays NaN through clamp
  // Inclusions filling more than the whole volume leave a negative matrix
  // fraction and a stiffness of no meaning: zero, like a ply whose fractions
  // do not fit. A rounding excess in a sum of exactly one is no such case.
  if (!(f0 >= -1e-12)) {
    vx::report(-2, "Inclusion fractions are NaN or sum above 1 in GeneralizedMoriTanaka");
    for (int k = 0; k < 36; ++k) cmt[k] = 0.0;
    return;
  }
  f0 = std::max(f0, 0.0);
  const M6 c0 = M6::load(c0_in), c0inv = inv(c0), I = M6::identity();
  // (f0 c0 + sum v_k c_k A_k) A0: every phase's stress enters the average.
  M6 sum_a = f0 * I, sum_ca = f0 * c0;
  for (i4 k = 0; k < n; ++k) {
    const M6 ck = M6::load(cinc + 36 * size_t(k)), ek = M6::load(eshinc + 36 * size_t(k));
    const M6 ak = inv(I + mul<6, 6, 6>(mul<6, 6, 6>(ek, c0inv), ck - c0));
    const double vk = clamp(vinc[k]);
    sum_a = sum_a + vk * ak;
    sum_ca = sum_ca + vk * mul<6, 6, 6>(ck, ak);
  }
  mul<6, 6, 6>(sum_ca, inv(sum_a)).store(cmt);
}
