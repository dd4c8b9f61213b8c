// Per-mode failure drivers: each takes one ply's stress and the property
// columns of that ply and section, picks the criterion of its mode by an
// integer selector and returns the effort and the failure flag. The closed-form
// criteria run inline (the same kernels their exported routines wrap); the
// others are called through their exported symbols with pointers straight
// into the caller's arrays, so a driver copies nothing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "vexlan/damage_drivers.h"
#include "vexlan/delcollection.h"
#include "vexlan/fbcollection.h"
#include "vexlan/gpcollection.h"
#include "vexlan/mccollection.h"
#include "vx.h"
#include "damage_selectors.h"
#include "delcollection_kernels.h"
#include "fbcollection_kernels.h"
#include "gpcollection_kernels.h"
#include "mccollection_kernels.h"
#include "../laminate/laminate_shear_impl.h"
#include "../material/lamina_kernels.h"

namespace {

using vx::i4;
namespace gp = vx::gpcollection;
using namespace vx::damage;

// Stress components of one ply, in ply axes: names for the caller's entries.
struct Stress {
  const double &s11, &s22, &s33, &s12, &s13, &s23;
  explicit Stress(const double* s) : s11(s[0]), s22(s[1]), s33(s[2]), s12(s[3]), s13(s[4]), s23(s[5]) {}
};

// Strength column of one ply: tensile 11, 22, 33, compressive 11, 22, 33,
// shear 12, 13, 23 and the interlaminar shear strength.
struct Strength {
  const double &xt11, &xt22, &xt33, &xc11, &xc22, &xc33, &s12, &s13, &s23, &ilss;
  explicit Strength(const double* p)
      : xt11(p[0]), xt22(p[1]), xt33(p[2]), xc11(p[3]), xc22(p[4]), xc33(p[5]), s12(p[6]), s13(p[7]), s23(p[8]),
        ilss(p[9]) {}
};

inline int64_t column(i4 layer, i4 nlayer, i4 isec) { return (layer - 1) + int64_t(nlayer) * (isec - 1); }

// Ply and section inside the arrays; top is the highest admissible ply.
inline bool in_range(i4 layer, i4 top, i4 isec, i4 nsec) {
  return layer >= 1 && layer <= top && isec >= 1 && isec <= nsec;
}

const i4 ptype0 = 0;

// A selector tested as an unsigned number: negative ones lie above the table.
inline uint32_t sel(const i4* flag) { return static_cast<uint32_t>(*flag); }

// The failure flag of an effort: 1 at 1.0 or more. An effort that is not a
// finite number (a stress or strength that is none) cannot clear the ply: the
// warning names the driver, its integer context the ply and the section, and
// the ply counts as failed; the effort keeps its value for the caller to see.
[[gnu::cold, gnu::noinline]] void warn_not_finite(const char* message, i4 layer, i4 isec) {
  const i4 where[2] = {layer, isec};
  const double none = 0.0;
  vx::report(-2, message, where, 2, &none, 1);
}

inline void finish(double* f, const double* r, const char* not_finite, i4 layer, i4 isec) {
  if (!(std::fabs(*r) <= vx::huge)) {
    warn_not_finite(not_finite, layer, isec);
    *f = 1.0;
    return;
  }
  if (*r >= 1.0) *f = 1.0;
}

// Integer part of a real parameter (truncation towards zero); values beyond
// the integer range are limited to it and a NaN gives 0.
inline i4 truncate(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<i4>(v);
}

constexpr const char* mc_not_finite = "Warning: MatrixCracking: failure effort is not a finite number.";

constexpr const char* range_message = "Error: Ply or section out of range in the failure driver.";

// Clears the flag and the effort; false, with -2 recorded, when the ply or the
// section lies outside the arrays.
inline bool enter(double* f, double* r, i4 layer, i4 top, i4 isec, i4 nsec) {
  *f = 0.0;
  *r = 0.0;
  if (in_range(layer, top, isec, nsec)) return true;
  vx::report(-2, range_message);
  return false;
}

// The general potentials, which the general and the fibre driver both offer.
enum class Potential { max_nominal, quad_nominal, lin_interaction, quad_interaction, norris, yamada_sun, camanho,
                       polynomial };

inline double potential(Potential k, const Stress& s, const Strength& x) {
  double r = 0.0;
  switch (k) {
    case Potential::max_nominal: return gp::max_nominal(s.s11, x.xt11, x.xc11);
    case Potential::quad_nominal: return gp::quad_nominal(s.s11, s.s12, s.s13, x.xt11, x.s12, x.s13);
    case Potential::lin_interaction:
      return gp::lin_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12);
    case Potential::quad_interaction:
      return gp::quad_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12);
    case Potential::norris: return gp::norris_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12);
    case Potential::yamada_sun: return gp::yamada_sun(s.s11, s.s12, s.s13, x.xt11, x.xc11, x.s12, x.s13);
    case Potential::camanho:
      GPPolyCamanho(&r, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                    &x.s13, &x.s23, nullptr, &ptype0);
      return r;
    case Potential::polynomial:
      GPPolynomial(&r, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.xt33,
                   &x.xc33, &x.s12, &x.s13, &x.s23, nullptr, &ptype0);
      return r;
  }
  return r;
}

// Whether n values are the same to the bit (NaNs and signed zeros included).
inline bool same_bits(const double* a, const double* b, int n) {
  uint64_t d = 0;
  for (int i = 0; i < n; ++i) {
    uint64_t x, y;
    std::memcpy(&x, a + i, sizeof x);
    std::memcpy(&y, b + i, sizeof y);
    d |= x ^ y;
  }
  return d == 0;
}

// Chai factors of the interface above a ply from the ply constants el, eu of
// the lower and upper ply, the angle between them in degrees and their
// thicknesses. They are kept per thread for the interfaces asked last (one
// slot per ply column): a solver evaluates the same interfaces at every point,
// and the factors cost a sine, a cosine and a dozen divisions. A slot is taken
// only when every input matches it to the bit, so it gives exactly what the
// computation would.
inline void interface_factors(double* df, const double* el, const double* eu, double dangl, double tl, double tu,
                              int64_t col) {
  constexpr int slots = 64;
  struct Entry {
    double el[9], eu[9], geometry[3], df[3];
    bool used;
  };
  thread_local Entry cache[slots];
  const double geometry[3] = {dangl, tl, tu};
  Entry& e = cache[col & (slots - 1)];
  // The ply constants are compared where the caller keeps them: loads from
  // memory written long ago, not from a key just stored on the stack.
  if (!e.used || !same_bits(e.el, el, 9) || !same_bits(e.eu, eu, 9) || !same_bits(e.geometry, geometry, 3)) {
    const vx::Mat3 ql = vx::lamina::stiffness3(el), qu = vx::lamina::stiffness3(eu);
    vx::shear::chai_factors(e.df, ql.data(), qu.data(), dangl, tl, tu, el[8], eu[8], el[7], eu[7]);
    std::memcpy(e.el, el, sizeof e.el);
    std::memcpy(e.eu, eu, sizeof e.eu);
    std::memcpy(e.geometry, geometry, sizeof geometry);
    e.used = true;
  }
  df[0] = e.df[0];
  df[1] = e.df[1];
  df[2] = e.df[2];
}

// Working parameters of the matrix criteria for selector k: the defaults,
// replaced by the ply's parameter list w(np) where it fits. The list ends at
// the first marker; an unset entry (-1.0) in what remains keeps every default.
struct McParameters {
  double a0 = 53.0, sainc = 5.0, dang = -1.0;
  i4 gsflag = 1;
  double gp4[4] = {0.3, 0.2, 0.15, 0.15};
  double v5[5];
  double v6[6] = {0.3, 0.3, 0.25, 0.25, 0.5, 0.5};

  McParameters(uint32_t k, const double* w, i4 np, double marker, const Strength& x)
      : v5{x.s12, x.s13, x.s23, 0.3, -0.3} {
    i4 n = np;
    for (i4 i = 0; i < np; ++i)
      if (w[i] == marker) {
        n = i;
        break;
      }
    bool take = n > 0;
    for (i4 i = 0; i < n && take; ++i) take = w[i] != -1.0;
    if (!take) return;
    auto pair = [&] {
      sainc = w[n - 2];
      gsflag = truncate(w[n - 1]);
    };
    switch (k) {
      case 9:
        if (n == 4) std::copy(w, w + 4, gp4);
        else if (n == 2 || n == 6) pair();
        break;
      case 10:
      case 11:
        if (n == 1) a0 = w[0];
        else if (n == 2 || n == 3) pair();
        break;
      case 12:
        if (n == 5) std::copy(w, w + 5, v5);
        else if (n == 2 || n == 7) pair();
        break;
      case 13:
        if (n == 6) std::copy(w, w + 6, v6);
        else if (n == 2 || n == 8) pair();
        break;
      default:
        a0 = w[0];
        dang = w[0] * 0.017453292519943295;
        break;
    }
  }
};

}  // namespace

VX_API void generalfailure(double* fgp, double* rgp, const double* plystress, const double* psprops,
                           const double* /*plyorientation*/, const int32_t* layer, const int32_t* nlayer,
                           const int32_t* isec, const int32_t* nsec, const int32_t* gpflag) {
  if (!enter(fgp, rgp, *layer, *nlayer, *isec, *nsec)) return;
  // Selectors 1 to 8 are the potentials in their order.
  static_assert(selectors(general_criteria) == 1 + int(Potential::polynomial) + 1);
  const uint32_t k = sel(gpflag);
  if (k >= selectors(general_criteria)) {
    vx::report(-2, "Warning: Default case in GeneralFailure subroutine.Please check your input parameters.");
    return;
  }
  const Strength x(psprops + 10 * column(*layer, *nlayer, *isec));
  if (k > 0) *rgp = potential(Potential(k - 1), Stress(plystress), x);
  finish(fgp, rgp, "Warning: GeneralFailure: failure effort is not a finite number.", *layer, *isec);
}

VX_API void fiberbreakage(double* ffb, double* rfb, const double* plystress, const double* peprops,
                          const double* psprops, const double* /*plyorientation*/, const int32_t* layer,
                          const int32_t* nlayer, const int32_t* isec, const int32_t* nsec, const int32_t* fbflag) {
  if (!enter(ffb, rfb, *layer, *nlayer, *isec, *nsec)) return;
  const int64_t col = column(*layer, *nlayer, *isec);
  const Stress s(plystress);
  const Strength x(psprops + 10 * col);
  const double* e = peprops + 9 * col;  // E1, E2 at 0, 1; nu12 at 3; G12 at 6
  static_assert(selectors(fibre_criteria) == 14, "a fibre selector without its case");
  switch (sel(fbflag)) {
    case 0: break;
    case 1: *rfb = potential(Potential::max_nominal, s, x); break;
    case 2: *rfb = potential(Potential::quad_nominal, s, x); break;
    case 3: *rfb = vx::fbcollection::hashin(s.s11, s.s12, s.s13, x.xt11, x.xc11, x.s12, x.s13, 1.0); break;
    case 4: *rfb = vx::fbcollection::chang_chang(s.s11, s.s12, x.xt11, x.xc11, x.s12); break;
    case 5: FBChristensen(rfb, &s.s11, &s.s22, &s.s33, &x.xt11, &x.xc11); break;
    case 6: *rfb = potential(Potential::camanho, s, x); break;
    case 7: *rfb = potential(Potential::polynomial, s, x); break;
    case 8: *rfb = potential(Potential::lin_interaction, s, x); break;
    case 9: *rfb = potential(Potential::quad_interaction, s, x); break;
    case 10: *rfb = potential(Potential::norris, s, x); break;
    case 11: *rfb = potential(Potential::yamada_sun, s, x); break;
    case 12:
      FBLaRC04(rfb, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12, &e[0],
               &e[1], &e[6], &e[3], nullptr, nullptr, nullptr);
      break;
    case 13:
      FBLaRC05(rfb, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12, &e[6],
               nullptr, nullptr, nullptr, nullptr);
      break;
    default:
      vx::report(-2, "Warning: Default case in FiberBreakage subroutine.Please check your input parameters.");
      return;
  }
  finish(ffb, rfb, "Warning: FiberBreakage: failure effort is not a finite number.", *layer, *isec);
}

VX_API void MatrixCracking(double* fmc, double* rmc, const double* plystress, const double* peprops,
                           const double* psprops, const double* pdprops, const double* /*plyorientation*/,
                           const int32_t* layer, const int32_t* nlayer, const int32_t* isec, const int32_t* nsec,
                           const int32_t* nprops, const int32_t* mcflag, double* outtheta, const double* defreal) {
  if (!enter(fmc, rmc, *layer, *nlayer, *isec, *nsec)) return;
  static_assert(selectors(matrix_criteria) == 16, "a matrix selector without its case");
  const uint32_t k = sel(mcflag);
  if (k >= selectors(matrix_criteria)) {
    vx::report(-2, "Warning: Default case in MatrixCracking subroutine. Please check your input parameters.");
    return;
  }
  const int64_t col = column(*layer, *nlayer, *isec);
  const Stress s(plystress);
  const Strength x(psprops + 10 * col);
  const double* e = peprops + 9 * col;
  const i4 np = *nprops > 0 ? *nprops : 0;
  const double marker = defreal ? *defreal : vx::huge;
  const double* w = pdprops + np * col;

  double dang;
  if (k <= 8) {
    // No parameters: only the angle a failing ply reports may come from the list.
    switch (k) {
      case 0: break;
      case 1: MCrckHashinPS(rmc, &s.s22, &s.s12, &x.xt22, &x.xc22, &x.s12, &x.s23); break;
      case 2: MCrckHashin3D(rmc, &s.s22, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23); break;
      case 3: MCrckHashinComplete(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23); break;
      case 4:
        MCrckHashin1989(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.xt33, &x.xc33, &x.s12,
                        &x.s13, &x.s23);
        break;
      case 5: *rmc = vx::mccollection::chai(s.s22, s.s12, s.s23, x.xt22, x.xc22, x.s12, x.s23); break;
      case 6: *rmc = vx::mccollection::chang_chang(s.s22, s.s12, x.xt22, x.xc22, x.s12); break;
      case 7:
        MCrckCuntze2004(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s13, nullptr,
                        nullptr);
        break;
      case 8:
        MCrckCuntze2012(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, nullptr, nullptr);
        break;
    }
    finish(fmc, rmc, mc_not_finite, *layer, *isec);
    if (!outtheta || !(*outtheta < 0.0 && *fmc == 1.0)) return;
    dang = McParameters(k, w, np, marker, x).dang;
  } else {
    McParameters p(k, w, np, marker, x);
    switch (k) {
      case 9:
        MCrckPuck(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &p.dang, p.gp4, &p.sainc,
                  &p.gsflag, nullptr);
        break;
      case 10:
        MCrckWiegand(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &p.dang, &p.a0, &p.sainc,
                     &p.gsflag);
        break;
      case 11:
        MCrckCamanho(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23, &p.dang, &p.a0,
                     &p.sainc, &p.gsflag);
        break;
      case 12:
        MCrckSPC3D(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.xt33, &x.xc33,
                   &x.s12, &x.s13, &x.s23, p.v5, &p.dang, p.v5 + 3, &p.sainc, nullptr, &p.gsflag);
        break;
      case 13:
        MCrckVDI2014(rmc, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                     &p.dang, p.v6, p.v6 + 4, &p.sainc, &p.gsflag);
        break;
      case 14:
        MCrckLaRC04(rmc, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                    &e[0], &e[1], &e[6], &e[3], nullptr, nullptr, nullptr, &p.sainc, nullptr, &p.gsflag);
        break;
      case 15:
        MCrckLaRC05(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, nullptr, &p.dang, &p.sainc,
                    &p.gsflag);
        break;
    }
    finish(fmc, rmc, mc_not_finite, *layer, *isec);
    dang = p.dang;
  }
  if (outtheta && *outtheta < 0.0 && *fmc == 1.0) *outtheta = dang;
}

VX_API void delamination(double* fdel, double* rdel, const double* s33i, const double* lplystress,
                         const double* uplystress, const double* peprops, const double* psprops,
                         const double* plyorientation, const double* plythickness, const int32_t* layer,
                         const int32_t* nlayer, const int32_t* isec, const int32_t* nsec, const int32_t* delflag) {
  // The interface lies above ply layer: both layer and layer + 1 must exist.
  if (!enter(fdel, rdel, *layer, *nlayer - 1, *isec, *nsec)) return;
  const int64_t lcol = column(*layer, *nlayer, *isec), ucol = lcol + 1;
  const Stress sl(lplystress), su(uplystress);
  const Strength xl(psprops + 10 * lcol), xu(psprops + 10 * ucol);
  double ru = 0.0;
  // A ply criterion runs on the lower ply and, where the upper ply has the
  // strengths it needs (non-zero), on the upper ply too; the larger counts.
  auto plies = [&](bool upper, auto eval) {
    eval(rdel, sl, xl);
    if (upper) eval(&ru, su, xu);
  };
  auto given = [](double t, double c, double ilss) { return t != 0.0 && c != 0.0 && ilss != 0.0; };
  static_assert(selectors(delamination_criteria) == 8, "a delamination selector without its case");
  switch (sel(delflag)) {
    case 0: break;
    case 1: {
      // Angle between the two plies of this interface (layer and layer + 1).
      const double dangl = plyorientation[lcol] - plyorientation[ucol];
      double df[3];
      interface_factors(df, peprops + 9 * lcol, peprops + 9 * ucol, dangl, plythickness[lcol], plythickness[ucol],
                        lcol);
      *rdel = vx::delcollection::chai(sl.s22, sl.s13, su.s23, xl.xt22, xl.xc22, xu.s23, xl.ilss, df[0], df[1], df[2]);
      break;
    }
    case 2: {
      const double ilssu = xu.ilss != 0.0 ? xu.ilss : xl.ilss;
      DelChoiChang(rdel, &sl.s22, &sl.s13, &su.s23, &xl.xt22, &xl.xc22, &xl.ilss, &ilssu, nullptr);
      break;
    }
    case 3:
      plies(given(xu.xt22, xu.xc22, xu.ilss), [&](double* r, const Stress& s, const Strength& x) {
        DelPuck(r, s33i, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.ilss, nullptr);
      });
      break;
    case 4: {
      const double* p = psprops + 10 * ucol;
      plies(std::all_of(p, p + 9, [](double v) { return v != 0.0; }),
            [&](double* r, const Stress& s, const Strength& x) {
              const double sainc = 1.0, salims[2] = {178.0, 182.0};
              const i4 gs = 0;
              MCrckSPC3D(r, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.xt33,
                         &x.xc33, &x.s12, &x.s13, &x.s23, nullptr, nullptr, nullptr, &sainc, salims, &gs);
            });
      break;
    }
    case 5:
      plies(given(xu.xt22, xu.xc22, xu.ilss), [&](double* r, const Stress& s, const Strength& x) {
        DelHashin(r, s33i, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.ilss);
      });
      break;
    case 6:
      plies(given(xu.xt33, xu.xc33, xu.ilss), [&](double* r, const Stress& s, const Strength& x) {
        DelOchoaEngblom(r, s33i, &s.s13, &s.s23, &x.xt33, &x.xc33, &x.ilss);
      });
      break;
    case 7:
      plies(given(xu.xt33, xu.xc33, xu.ilss), [&](double* r, const Stress& s, const Strength& x) {
        DelLee(r, s33i, &s.s12, &s.s13, &x.xt33, &x.xc33, &x.ilss);
      });
      break;
    default:
      vx::report(-2, "Warning: Default case in Delamination subroutine. Please check your input parameters.");
      return;
  }
  // The larger of the two plies; one that is not a number leaves it unknown.
  if (ru > *rdel || ru != ru) *rdel = ru;
  finish(fdel, rdel, "Warning: Delamination: failure effort is not a finite number.", *layer, *isec);
}

VX_API void corecrushing(double* fcc, double* rcc, const double* /*plystress*/, const double* /*psprops*/,
                         const double* /*plyorientation*/, const int32_t* layer, const int32_t* nlayer,
                         const int32_t* isec, const int32_t* nsec, const int32_t* ccflag) {
  if (!enter(fcc, rcc, *layer, *nlayer, *isec, *nsec)) return;
  // Selectors 0 to 2 name no criterion: the effort stays 0.
  if (sel(ccflag) >= selectors(core_criteria))
    vx::report(-2, "Warning: Default case in CoreCrushing subroutine. Please check your input parameters.");
}
