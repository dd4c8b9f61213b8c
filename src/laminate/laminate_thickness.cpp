// Quantities through the thickness of a stack: strains at the ply points from
// the section strains, stresses at the ply bottoms and tops from section-point
// stresses, and the running integrals from which the transverse shear
// distribution is built.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fixed.h"
#include "laminate_clt.h"
#include "vexlan/laminate.h"
#include "vx.h"

using vx::i4;

VX_API void GetPlyStrain(double* plystrain, const double* se, const double* plyzcoord,
                         const int32_t* nzcrd) {
  const i4 n = *nzcrd;
  for (i4 i = 0; i < n; ++i) vx::lam::strain_at(plystrain + 3 * int64_t(i), se, plyzcoord[i]);
}

VX_API void GetPlyBottomTopStress(double* sbt, const double* sestress,
                                  const int32_t* plysectionpoint, const int32_t* nzcrd,
                                  const int32_t* nplies) {
  const i4 nz = *nzcrd, np = *nplies;
  if (nz < 1 || np < 1) {
    vx::report(-2, "Error in GetPlyBottomTopStress: no plies or no section points.");
    return;
  }
  for (i4 k = 0; nz >= 3 && k < np - 1; ++k)
    if (plysectionpoint[k] < 1) {
      vx::report(-2, "Error in GetPlyBottomTopStress: every ply needs a section point.");
      return;
    }
  const int64_t ncol = 2 * int64_t(np);
  for (int64_t k = 0; k < 6 * ncol; ++k) sbt[k] = 0.0;
  auto put = [&](int64_t col, int64_t point) {  // 1-based column and point
    for (int r = 0; r < 6; ++r) sbt[6 * (col - 1) + r] = sestress[6 * (point - 1) + r];
  };
  put(1, 1);
  put(ncol, nz);
  if (nz < 3) return;  // two points are the stack's bottom and top only
  int64_t p = 0;
  for (i4 k = 1; k < np; ++k) {
    p += plysectionpoint[k - 1];
    if (p >= nz) break;  // counts grow, so later plies lie beyond the points too
    put(2 * k, p);
    put(2 * k + 1, p + 1);
  }
}

VX_API void getpartialabwithcurvature(double* pij, const double* p0, const double* p1,
                                      const double* p2, const double* ki, const double* kj,
                                      const int32_t* pdim, const int32_t* nzcrd) {
  const int64_t n = 3 * int64_t(*pdim) * int64_t(*nzcrd);
  const double s = *ki + *kj, q = *ki * *kj;
  for (int64_t k = 0; k < n; ++k) pij[k] = p0[k] - s * p1[k] + q * p2[k];
}

VX_API void GetPartialFG(double* fg, const double* p1, const double* p2, const double* tstar1,
                         const double* tstar2, const int32_t* nzcrd, const int32_t* fgflag) {
  const vx::Mat3 t1 = vx::Mat3::load(tstar1), t2 = vx::Mat3::load(tstar2);
  const bool plus = *fgflag > 0;
  for (i4 i = 0; i < *nzcrd; ++i) {
    const vx::CMatRef<3, 3> a(p1 + 9 * int64_t(i)), b(p2 + 9 * int64_t(i));
    const vx::Mat3 x = vx::mul<3, 3, 3>(a, t1), y = vx::mul<3, 3, 3>(b, t2);
    double* o = fg + 9 * int64_t(i);
    for (int k = 0; k < 9; ++k) o[k] = plus ? x.a[k] - y.a[k] : y.a[k] - x.a[k];
  }
}

namespace {

// Cosine and sine of a ply angle in degrees, kept per thread for the angles
// asked last (one slot per ply index): a solver turns the strains of the same
// section at every point. A slot is taken only when the angle matches it to
// the bit, so it gives exactly what the library calls would.
struct Trig {
  double c, s;
};
inline Trig ply_trig(double deg, int64_t k) {
  constexpr int slots = 64;
  struct Entry {
    uint64_t bits;
    double c, s;
    bool used;
  };
  thread_local Entry cache[slots];
  uint64_t bits;
  std::memcpy(&bits, &deg, sizeof bits);
  Entry& e = cache[k & (slots - 1)];
  if (!e.used || e.bits != bits) {
    const double r = deg * vx::lamina::ply_deg2rad;
    e = {bits, std::cos(r), std::sin(r), true};
  }
  return {e.c, e.s};
}

}  // namespace

VX_API void GetSectionStrain(double* plystrain, const double* se, const double* plyorientation,
                             const double* plythickness, const int32_t* nplies,
                             const double* reference) {
  const i4 n = *nplies;
  const double ref = reference ? *reference : 0.0;
  vx::lam::PlyWalk w(plythickness, n);
  for (i4 k = 0; k < n; ++k) {
    const double z[3] = {w.bot() - ref, w.mid(k) - ref, w.top(k) - ref};
    const Trig a = ply_trig(plyorientation[k], k);
    const vx::Mat3 t = vx::lamina::transformation<3>(a.c, a.s, 1.0, true);
    for (int j = 0; j < 3; ++j) {
      double e[3];
      vx::lam::strain_at(e, se, z[j]);
      vx::matvec<3, 3>(plystrain + 3 * (3 * int64_t(k) + j), t, e);
    }
    w.next(k);
  }
}

namespace {

// Every ply's interval count is at least 0, and the points they span stay
// inside the nzcrd points given.
bool points_fit(const int32_t* psp, i4 nplies, i4 nzcrd, bool same_count) {
  int64_t last = 1;
  for (i4 k = 0; k < nplies; ++k) {
    if (psp[k] < 0) return false;
    last = same_count ? int64_t(k + 1) * psp[k] + 1 : last + psp[k];
    if (last > nzcrd) return false;
  }
  return true;
}

}  // namespace

VX_API void GetArbitraryLaminateIntegral(double* xint, const int32_t* expo, const double* plyprops,
                                         const double* plyorientation, const double* plyzcoord,
                                         const int32_t* plysectionpoint, const int32_t* nzcrd,
                                         const int32_t* nplies, const int32_t* nprops,
                                         const int32_t* thflag) {
  const i4 nz = *nzcrd, np = *nplies, npr = *nprops, e = *expo;
  const bool thermal = thflag && *thflag == 1;
  if (npr < (thermal ? 11 : 9)) {
    vx::report(-2, "Error in GetArbitraryLaminateIntegral: too few ply properties.");
    return;
  }
  if (nz < 1 || !points_fit(plysectionpoint, np, nz, false)) {
    vx::report(-2, "Error in GetArbitraryLaminateIntegral: ply points beyond nzcrd.");
    return;
  }
  for (int64_t k = 0; k < 9 * int64_t(nz); ++k) xint[k] = 0.0;
  const int width = thermal ? 1 : 3;
  const double de = double(e);
  vx::Mat3 s = vx::Mat3::zero(), x = vx::Mat3::zero();
  int64_t p = 0;  // 0-based index of the ply's first point
  for (i4 k = 0; k < np; ++k) {
    const double* props = plyprops + int64_t(npr) * k;
    if (thermal) vx::lam::thermal_integrand(x.data(), props, plyorientation[k]);
    else x = vx::lam::qbar(props, plyorientation[k]);
    const i4 nk = plysectionpoint[k];
    const double zbe = vx::lam::ipow(plyzcoord[p], e);
    for (i4 j = 1; j <= nk; ++j) {
      const double f = (vx::lam::ipow(plyzcoord[p + j], e) - zbe) / de;
      double* o = xint + 9 * (p + j);
      for (int c = 0; c < 3 * width; ++c) o[c] = s.a[c] + f * x.a[c];
    }
    const double f = (vx::lam::ipow(plyzcoord[p + nk], e) - zbe) / de;
    for (int c = 0; c < 3 * width; ++c) s.a[c] += f * x.a[c];
    p += nk;
  }
}

VX_API void GetPartialCDwithCurvature(double* xij, const double* pij, const double* plyprops,
                                      const double* plyorientation, const double* plyzcoord,
                                      const int32_t* plysectionpoint, const double* ki,
                                      const double* kj, const int32_t* ndim, const int32_t* nzcrd,
                                      const int32_t* nplies, const int32_t* nprops,
                                      const int32_t* cdflag) {
  const i4 nd = *ndim, nz = *nzcrd, np = *nplies, npr = *nprops;
  if (nd != 1 && nd != 3) {
    vx::report(-2, "Error in GetPartialCDwithCurvature: ndim must be 1 or 3.");
    return;
  }
  if (npr < (nd == 1 ? 11 : 9)) {
    vx::report(-2, "Error in GetPartialCDwithCurvature: too few ply properties.");
    return;
  }
  if (nz < 1 || !points_fit(plysectionpoint, np, nz, true)) {
    vx::report(-2, "Error in GetPartialCDwithCurvature: ply points beyond nzcrd.");
    return;
  }
  const int64_t slab = 3 * int64_t(nd);
  for (int64_t k = 0; k < slab * nz; ++k) xij[k] = 0.0;
  const double ci = *ki, cj = *kj;
  const bool second = *cdflag == 1;
  vx::Mat3 x = vx::Mat3::zero();
  for (i4 k = 0; k < np; ++k) {
    const double* props = plyprops + int64_t(npr) * k;
    if (nd == 1) vx::lam::thermal_integrand(x.data(), props, plyorientation[k]);
    else x = vx::lam::qbar(props, plyorientation[k]);
    const i4 n = plysectionpoint[k];
    const int64_t ib = int64_t(k) * n;  // 0-based bottom point of the ply
    const double zb = plyzcoord[ib];
    const double* xb = xij + slab * ib;
    const double* pb = pij + slab * ib;
    for (i4 j = 1; j <= n; ++j) {
      const double z = plyzcoord[ib + j], l = z - zb;
      const double ai = 1.0 - ci * z, aj = 1.0 - cj * z;
      const double ca = second
          ? (2.0 * zb + z - cj * (z * z + 2.0 * z * zb + 3.0 * (zb * zb)) / 2.0) * (l * l) / (6.0 * ai)
          : (1.0 - cj * (2.0 * zb + z) / 3.0) * (l * l) / (2.0 * ai);
      const double cb = l / (ai * aj);
      double* o = xij + slab * (ib + j);
      for (int64_t c = 0; c < slab; ++c) o[c] = xb[c] + ca * x.a[c] + cb * pb[c];
    }
  }
}
