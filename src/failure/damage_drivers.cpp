// Per-mode failure drivers: each takes one ply's stress and the property
// columns of that ply and section, picks the criterion of its mode by an
// integer selector and returns the effort and the failure flag. The drivers
// call the criteria through their exported symbols with the arguments laid
// out in scalars, so a driver costs one criterion call and a few copies.
#include <cmath>
#include <cstdint>

#include "vexlan/damage_drivers.h"
#include "vexlan/delcollection.h"
#include "vexlan/fbcollection.h"
#include "vexlan/gpcollection.h"
#include "vexlan/mccollection.h"
#include "vx.h"
#include "gpcollection_kernels.h"
#include "../laminate/laminate_shear_impl.h"
#include "../material/lamina_kernels.h"

namespace {

using vx::i4;
namespace gp = vx::gpcollection;

// Stress components of one ply, in ply axes.
struct Stress {
  double s11, s22, s33, s12, s13, s23;
  explicit Stress(const double* s) : s11(s[0]), s22(s[1]), s33(s[2]), s12(s[3]), s13(s[4]), s23(s[5]) {}
};

// Strength column of one ply: tensile 11, 22, 33, compressive 11, 22, 33,
// shear 12, 13, 23 and the interlaminar shear strength.
struct Strength {
  double xt11, xt22, xt33, xc11, xc22, xc33, s12, s13, s23, ilss;
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

inline void finish(double* f, const double* r) {
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

constexpr const char* range_message = "Error: Ply or section out of range in the failure driver.";

}  // namespace

VX_API void generalfailure(double* fgp, double* rgp, const double* plystress, const double* psprops,
                           const double* /*plyorientation*/, const int32_t* layer, const int32_t* nlayer,
                           const int32_t* isec, const int32_t* nsec, const int32_t* gpflag) {
  *fgp = 0.0;
  *rgp = 0.0;
  if (!in_range(*layer, *nlayer, *isec, *nsec)) {
    vx::report(-2, range_message);
    return;
  }
  const Stress s(plystress);
  const Strength x(psprops + 10 * column(*layer, *nlayer, *isec));
  switch (sel(gpflag)) {
    case 0: break;
    case 1: *rgp = gp::max_nominal(s.s11, x.xt11, x.xc11); break;
    case 2: *rgp = gp::quad_nominal(s.s11, s.s12, s.s13, x.xt11, x.s12, x.s13); break;
    case 3: *rgp = gp::lin_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12); break;
    case 4: *rgp = gp::quad_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12); break;
    case 5: *rgp = gp::norris_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12); break;
    case 6: *rgp = gp::yamada_sun(s.s11, s.s12, s.s13, x.xt11, x.xc11, x.s12, x.s13); break;
    case 7:
      GPPolyCamanho(rgp, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                    &x.s13, &x.s23, nullptr, &ptype0);
      break;
    case 8:
      GPPolynomial(rgp, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.xt33,
                   &x.xc33, &x.s12, &x.s13, &x.s23, nullptr, &ptype0);
      break;
    default:
      vx::report(-2, "Warning: Default case in GeneralFailure subroutine.Please check your input parameters.");
      return;
  }
  finish(fgp, rgp);
}

VX_API void fiberbreakage(double* ffb, double* rfb, const double* plystress, const double* peprops,
                          const double* psprops, const double* /*plyorientation*/, const int32_t* layer,
                          const int32_t* nlayer, const int32_t* isec, const int32_t* nsec, const int32_t* fbflag) {
  *ffb = 0.0;
  *rfb = 0.0;
  if (!in_range(*layer, *nlayer, *isec, *nsec)) {
    vx::report(-2, range_message);
    return;
  }
  const int64_t col = column(*layer, *nlayer, *isec);
  const Stress s(plystress);
  const Strength x(psprops + 10 * col);
  const double* e = peprops + 9 * col;  // E1, E2 at 0, 1; nu12 at 3; G12 at 6
  switch (sel(fbflag)) {
    case 0: break;
    case 1: *rfb = gp::max_nominal(s.s11, x.xt11, x.xc11); break;
    case 2: *rfb = gp::quad_nominal(s.s11, s.s12, s.s13, x.xt11, x.s12, x.s13); break;
    case 3: FBHashin(rfb, &s.s11, &s.s12, &s.s13, &x.xt11, &x.xc11, &x.s12, &x.s13, nullptr); break;
    case 4: FBChangChang(rfb, &s.s11, &s.s12, &x.xt11, &x.xc11, &x.s12); break;
    case 5: FBChristensen(rfb, &s.s11, &s.s22, &s.s33, &x.xt11, &x.xc11); break;
    case 6:
      GPPolyCamanho(rfb, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                    &x.s13, &x.s23, nullptr, &ptype0);
      break;
    case 7:
      GPPolynomial(rfb, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.xt33,
                   &x.xc33, &x.s12, &x.s13, &x.s23, nullptr, &ptype0);
      break;
    case 8: *rfb = gp::lin_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12); break;
    case 9: *rfb = gp::quad_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12); break;
    case 10: *rfb = gp::norris_interaction(s.s11, s.s22, s.s12, x.xt11, x.xc11, x.xt22, x.xc22, x.s12); break;
    case 11: *rfb = gp::yamada_sun(s.s11, s.s12, s.s13, x.xt11, x.xc11, x.s12, x.s13); break;
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
  finish(ffb, rfb);
}

VX_API void MatrixCracking(double* fmc, double* rmc, const double* plystress, const double* peprops,
                           const double* psprops, const double* pdprops, const double* /*plyorientation*/,
                           const int32_t* layer, const int32_t* nlayer, const int32_t* isec, const int32_t* nsec,
                           const int32_t* nprops, const int32_t* mcflag, double* outtheta, const double* defreal) {
  *fmc = 0.0;
  *rmc = 0.0;
  if (!in_range(*layer, *nlayer, *isec, *nsec)) {
    vx::report(-2, range_message);
    return;
  }
  const int64_t col = column(*layer, *nlayer, *isec);
  const Stress s(plystress);
  const Strength x(psprops + 10 * col);
  const double* e = peprops + 9 * col;

  // Working values, replaced by the ply's parameter list where it fits.
  double a0 = 53.0, sainc = 5.0, dang = -1.0;
  i4 gsflag = 1;
  double gp4[4] = {0.3, 0.2, 0.15, 0.15};
  double v5[5] = {x.s12, x.s13, x.s23, 0.3, -0.3};
  double v6[6] = {0.3, 0.3, 0.25, 0.25, 0.5, 0.5};

  const i4 np = *nprops > 0 ? *nprops : 0;
  const double* w = pdprops + np * col;
  const double marker = defreal ? *defreal : vx::huge;
  i4 n = np;
  for (i4 i = 0; i < np; ++i)
    if (w[i] == marker) {
      n = i;
      break;
    }
  // An unset entry (-1.0) anywhere in the list keeps every default.
  bool take = n > 0;
  for (i4 i = 0; i < n && take; ++i) take = w[i] != -1.0;
  if (take) {
    auto pair = [&] {
      sainc = w[n - 2];
      gsflag = truncate(w[n - 1]);
    };
    switch (sel(mcflag)) {
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

  switch (sel(mcflag)) {
    case 0: break;
    case 1: MCrckHashinPS(rmc, &s.s22, &s.s12, &x.xt22, &x.xc22, &x.s12, &x.s23); break;
    case 2: MCrckHashin3D(rmc, &s.s22, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23); break;
    case 3: MCrckHashinComplete(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23); break;
    case 4:
      MCrckHashin1989(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.xt33, &x.xc33, &x.s12, &x.s13,
                      &x.s23);
      break;
    case 5: MCrckChai(rmc, &s.s22, &s.s12, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23, nullptr); break;
    case 6: MCrckChangChang(rmc, &s.s22, &s.s12, &x.xt22, &x.xc22, &x.s12); break;
    case 7:
      MCrckCuntze2004(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s13, nullptr, nullptr);
      break;
    case 8: MCrckCuntze2012(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, nullptr, nullptr); break;
    case 9:
      MCrckPuck(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &dang, gp4, &sainc, &gsflag,
                nullptr);
      break;
    case 10:
      MCrckWiegand(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &dang, &a0, &sainc, &gsflag);
      break;
    case 11:
      MCrckCamanho(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, &x.s23, &dang, &a0, &sainc,
                   &gsflag);
      break;
    case 12:
      MCrckSPC3D(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.xt33, &x.xc33,
                 &x.s12, &x.s13, &x.s23, v5, &dang, v5 + 3, &sainc, nullptr, &gsflag);
      break;
    case 13:
      MCrckVDI2014(rmc, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                   &dang, v6, v6 + 4, &sainc, &gsflag);
      break;
    case 14:
      MCrckLaRC04(rmc, &s.s11, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt11, &x.xc11, &x.xt22, &x.xc22, &x.s12,
                  &e[0], &e[1], &e[6], &e[3], nullptr, nullptr, nullptr, &sainc, nullptr, &gsflag);
      break;
    case 15:
      MCrckLaRC05(rmc, &s.s22, &s.s33, &s.s12, &s.s13, &s.s23, &x.xt22, &x.xc22, &x.s12, nullptr, &dang, &sainc,
                  &gsflag);
      break;
    default:
      vx::report(-2, "Warning: Default case in MatrixCracking subroutine. Please check your input parameters.");
      return;
  }
  finish(fmc, rmc);
  if (outtheta && *outtheta < 0.0 && *fmc == 1.0) *outtheta = dang;
}

VX_API void delamination(double* fdel, double* rdel, const double* s33i, const double* lplystress,
                         const double* uplystress, const double* peprops, const double* psprops,
                         const double* plyorientation, const double* plythickness, const int32_t* layer,
                         const int32_t* nlayer, const int32_t* isec, const int32_t* nsec, const int32_t* delflag) {
  *fdel = 0.0;
  *rdel = 0.0;
  // The interface lies above ply layer: both layer and layer + 1 must exist.
  if (!in_range(*layer, *nlayer - 1, *isec, *nsec)) {
    vx::report(-2, range_message);
    return;
  }
  const int64_t lcol = column(*layer, *nlayer, *isec), ucol = lcol + 1;
  const Stress sl(lplystress), su(uplystress);
  const Strength xl(psprops + 10 * lcol), xu(psprops + 10 * ucol);
  double ru = 0.0;
  switch (sel(delflag)) {
    case 0: break;
    case 1: {
      const double* el = peprops + 9 * lcol;
      const double* eu = peprops + 9 * ucol;
      const vx::Mat3 ql = vx::lamina::stiffness3(el), qu = vx::lamina::stiffness3(eu);
      // Angle between the two plies of this interface (layer and layer + 1).
      const double dangl = plyorientation[lcol] - plyorientation[ucol];
      double df[3];
      vx::shear::chai_factors(df, ql.data(), qu.data(), dangl, plythickness[lcol], plythickness[ucol], el[8], eu[8],
                              el[7], eu[7]);
      DelChai(rdel, &sl.s22, &sl.s13, &su.s23, &xl.xt22, &xl.xc22, &xu.s23, &xl.ilss, &df[0], &df[1], &df[2]);
      break;
    }
    case 2: {
      const double ilssu = xu.ilss != 0.0 ? xu.ilss : xl.ilss;
      DelChoiChang(rdel, &sl.s22, &sl.s13, &su.s23, &xl.xt22, &xl.xc22, &xl.ilss, &ilssu, nullptr);
      break;
    }
    case 3:
      DelPuck(rdel, s33i, &sl.s13, &sl.s23, &xl.xt22, &xl.xc22, &xl.ilss, nullptr);
      if (xu.xt22 != 0.0 && xu.xc22 != 0.0 && xu.ilss != 0.0)
        DelPuck(&ru, s33i, &su.s13, &su.s23, &xu.xt22, &xu.xc22, &xu.ilss, nullptr);
      break;
    case 4: {
      const double sainc = 1.0, salims[2] = {178.0, 182.0};
      const i4 gs = 0;
      MCrckSPC3D(rdel, &sl.s22, &sl.s33, &sl.s12, &sl.s13, &sl.s23, &xl.xt11, &xl.xc11, &xl.xt22, &xl.xc22, &xl.xt33,
                 &xl.xc33, &xl.s12, &xl.s13, &xl.s23, nullptr, nullptr, nullptr, &sainc, salims, &gs);
      const double* p = psprops + 10 * ucol;
      bool all = true;
      for (int k = 0; k < 9; ++k) all = all && p[k] != 0.0;
      if (all)
        MCrckSPC3D(&ru, &su.s22, &su.s33, &su.s12, &su.s13, &su.s23, &xu.xt11, &xu.xc11, &xu.xt22, &xu.xc22, &xu.xt33,
                   &xu.xc33, &xu.s12, &xu.s13, &xu.s23, nullptr, nullptr, nullptr, &sainc, salims, &gs);
      break;
    }
    case 5:
      DelHashin(rdel, s33i, &sl.s13, &sl.s23, &xl.xt22, &xl.xc22, &xl.ilss);
      if (xu.xt22 != 0.0 && xu.xc22 != 0.0 && xu.ilss != 0.0)
        DelHashin(&ru, s33i, &su.s13, &su.s23, &xu.xt22, &xu.xc22, &xu.ilss);
      break;
    case 6:
      DelOchoaEngblom(rdel, s33i, &sl.s13, &sl.s23, &xl.xt33, &xl.xc33, &xl.ilss);
      if (xu.xt33 != 0.0 && xu.xc33 != 0.0 && xu.ilss != 0.0)
        DelOchoaEngblom(&ru, s33i, &su.s13, &su.s23, &xu.xt33, &xu.xc33, &xu.ilss);
      break;
    case 7:
      DelLee(rdel, s33i, &sl.s12, &sl.s13, &xl.xt33, &xl.xc33, &xl.ilss);
      if (xu.xt33 != 0.0 && xu.xc33 != 0.0 && xu.ilss != 0.0)
        DelLee(&ru, s33i, &su.s12, &su.s13, &xu.xt33, &xu.xc33, &xu.ilss);
      break;
    default:
      vx::report(-2, "Warning: Default case in Delamination subroutine. Please check your input parameters.");
      return;
  }
  if (ru > *rdel) *rdel = ru;
  finish(fdel, rdel);
}

VX_API void corecrushing(double* fcc, double* rcc, const double* /*plystress*/, const double* /*psprops*/,
                         const double* /*plyorientation*/, const int32_t* layer, const int32_t* nlayer,
                         const int32_t* isec, const int32_t* nsec, const int32_t* ccflag) {
  *fcc = 0.0;
  *rcc = 0.0;
  if (!in_range(*layer, *nlayer, *isec, *nsec)) {
    vx::report(-2, range_message);
    return;
  }
  // Selectors 0 to 2 name no criterion: the effort stays 0.
  if (sel(ccflag) > 2)
    vx::report(-2, "Warning: Default case in CoreCrushing subroutine. Please check your input parameters.");
}
