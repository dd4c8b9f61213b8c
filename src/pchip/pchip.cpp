// Piecewise cubic Hermite interpolation: derivative setting (monotone, spline,
// general), evaluation, integration, B-spline form, monotonicity check and
// machine constants. Every algorithm is written once on the real type R and
// instantiated for double and float; the float family computes in float.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include "pchip_impl.h"

namespace pchip {
namespace {

using std::ptrdiff_t;

// 1-based strided element (I) of an (INCFD, N) array.
template <class T> inline T& at(T* a, i4 inc, i4 i) { return a[static_cast<ptrdiff_t>(i - 1) * inc]; }

template <class R> inline R sgn1(R v) { return std::copysign(R(1), v); }

template <class R> R pchst(R a, R b) {
  if (a == R(0) || b == R(0)) return R(0);
  return sgn1(a) * sgn1(b);
}

// The three data checks shared by the setters and evaluators, in order.
template <class R> i4 check_data(std::string_view rout, i4 n, const R* x, i4 incfd) {
  if (n < 2) {
    report(rout, "NUMBER OF DATA POINTS LESS THAN TWO", -1, 1);
    return -1;
  }
  if (incfd < 1) {
    report(rout, "INCREMENT LESS THAN ONE", -2, 1);
    return -2;
  }
  for (i4 i = 1; i < n; ++i)
    if (!(x[i] > x[i - 1])) {
      report(rout, "X-ARRAY NOT STRICTLY INCREASING", -3, 1);
      return -3;
    }
  return 0;
}

// Runs the data checks unless the caller vouches for the data. N and INCFD
// are always checked: reading the tables with them unchecked could leave the
// arrays.
template <class R> i4 checks_unless_skip(std::string_view rout, i4 n, const R* x, i4 incfd, i4* skip) {
  if (!*skip || n < 2 || incfd < 1) {
    i4 e = check_data<R>(rout, n, x, incfd);
    if (e < 0) return e;
  }
  *skip = 1;
  return 0;
}

// ---------------------------------------------------------------- derivatives

// Monotone derivatives at the points, shared by the monotone setter (widths
// and slopes computed from X and F) and the general setter (given as arrays).
// width(i) and slope(i) give interval i (1-based); counts direction switches
// when `count` is set.
template <class R, bool count, class Width, class Slope>
i4 monotone_derivs(i4 n, Width width, Slope slope, R* d, i4 incd) {
  i4 sw = 0;
  R h1 = width(1);
  R del1 = slope(1, h1);
  R dsave = del1;
  if (n <= 2) {
    at(d, incd, 1) = del1;
    at(d, incd, n) = del1;
    return 0;
  }
  R h2 = width(2);
  R del2 = slope(2, h2);
  R hsum = h1 + h2;
  R w1 = (h1 + hsum) / hsum;
  R w2 = -h1 / hsum;
  R d1 = w1 * del1 + w2 * del2;
  if (pchst(d1, del1) <= R(0)) {
    d1 = R(0);
  } else if (pchst(del1, del2) < R(0)) {
    R dmax = R(3) * del1;
    if (std::fabs(d1) > std::fabs(dmax)) d1 = dmax;
  }
  at(d, incd, 1) = d1;
  for (i4 i = 2; i <= n - 1; ++i) {
    if (i != 2) {
      h1 = h2;
      h2 = width(i);
      hsum = h1 + h2;
      del1 = del2;
      del2 = slope(i, h2);
    }
    R di = R(0);
    R s = pchst(del1, del2);
    if (s > R(0)) {
      R hsumt3 = R(3) * hsum;
      R a1 = (hsum + h1) / hsumt3;
      R a2 = (hsum + h2) / hsumt3;
      R dmax = std::max(std::fabs(del1), std::fabs(del2));
      R dmin = std::min(std::fabs(del1), std::fabs(del2));
      R drat1 = del1 / dmax, drat2 = del2 / dmax;
      di = dmin / (a1 * drat1 + a2 * drat2);
    } else if constexpr (count) {
      if (s < R(0)) {
        ++sw;
        dsave = del2;
      } else if (del2 != R(0)) {
        if (pchst(dsave, del2) < R(0)) ++sw;
        dsave = del2;
      }
    }
    at(d, incd, i) = di;
  }
  w1 = -h2 / hsum;
  w2 = (h2 + hsum) / hsum;
  R dn = w1 * del1 + w2 * del2;
  if (pchst(dn, del2) <= R(0)) {
    dn = R(0);
  } else if (pchst(del1, del2) < R(0)) {
    R dmax = R(3) * del2;
    if (std::fabs(dn) > std::fabs(dmax)) dn = dmax;
  }
  at(d, incd, n) = dn;
  return sw;
}

template <class R> void pchim(i4 n, const R* x, const R* f, R* d, i4 incfd, i4* ierr) {
  static const Name rout = rname<R>("PCHIM");
  i4 e = check_data<R>(rout, n, x, incfd);
  if (e < 0) {
    *ierr = e;
    return;
  }
  *ierr = monotone_derivs<R, true>(
      n, [x](i4 i) { return x[i] - x[i - 1]; },
      [f, incfd](i4 i, R h) { return (at(f, incfd, i + 1) - at(f, incfd, i)) / h; }, d, incfd);
}

template <class R> R pchdf(i4 k, const R* x, R* s, i4* ierr) {
  if (k < 3) {
    *ierr = -1;
    report(rname<R>("PCHDF"), "K LESS THAN THREE", -1, 1);
    return R(0);
  }
  for (i4 j = 2; j <= k - 1; ++j)
    for (i4 i = 1; i <= k - j; ++i) s[i - 1] = (s[i] - s[i - 1]) / (x[i + j - 1] - x[i - 1]);
  R value = s[0];
  for (i4 i = 2; i <= k - 1; ++i) value = s[i - 1] + value * (x[k - 1] - x[i - 1]);
  *ierr = 0;
  return value;
}

template <class R>
void pchsp(const i4* ic, const R* vc, i4 n, const R* x, const R* f, R* d, i4 incfd, R* wk, i4 nwk, i4* ierr) {
  static const Name rout = rname<R>("PCHSP");
  i4 e = check_data<R>(rout, n, x, incfd);
  if (e < 0) {
    *ierr = e;
    return;
  }
  i4 ibeg = ic[0], iend = ic[1];
  e = 0;
  if (ibeg < 0 || ibeg > 4) e -= 1;
  if (iend < 0 || iend > 4) e -= 2;
  if (e < 0) {
    *ierr = e - 3;
    report(rout, "IC OUT OF RANGE", *ierr, 1);
    return;
  }
  if (nwk < 2 * n) {
    *ierr = -7;
    report(rout, "WORK ARRAY TOO SMALL", -7, 1);
    return;
  }
  *ierr = 0;
  auto W = [wk](i4 r, i4 j) -> R& { return wk[static_cast<ptrdiff_t>(j - 1) * 2 + (r - 1)]; };
  auto F = [f, incfd](i4 i) { return at(f, incfd, i); };
  auto D = [d, incfd](i4 i) -> R& { return at(d, incfd, i); };
  auto fail = [&](i4 code, const char* base) {
    *ierr = code;
    report(rout, Name("ERROR RETURN FROM ", Mach<R>::prefix, base), code, 1);
  };
  auto singular = [&]() {
    *ierr = -8;
    report(rout, "SINGULAR LINEAR SYSTEM", -8, 1);
  };
  for (i4 j = 2; j <= n; ++j) {
    W(1, j) = x[j - 1] - x[j - 2];
    W(2, j) = (F(j) - F(j - 1)) / W(1, j);
  }
  if (ibeg > n) ibeg = 0;
  if (iend > n) iend = 0;
  R xtemp[4], stemp[3];
  if (ibeg == 1 || ibeg == 2) {
    D(1) = vc[0];
  } else if (ibeg > 2) {
    for (i4 j = 1; j <= ibeg; ++j) {
      i4 index = ibeg - j + 1;
      xtemp[j - 1] = x[index - 1];
      if (j < ibeg) stemp[j - 1] = W(2, index);
    }
    i4 ierf;
    D(1) = pchdf<R>(ibeg, xtemp, stemp, &ierf);
    if (ierf != 0) return fail(-9, "PCHDF");
    ibeg = 1;
  }
  if (iend == 1 || iend == 2) {
    D(n) = vc[1];
  } else if (iend > 2) {
    for (i4 j = 1; j <= iend; ++j) {
      i4 index = n - iend + j;
      xtemp[j - 1] = x[index - 1];
      if (j < iend) stemp[j - 1] = W(2, index + 1);
    }
    i4 ierf;
    D(n) = pchdf<R>(iend, xtemp, stemp, &ierf);
    if (ierf != 0) return fail(-9, "PCHDF");
    iend = 1;
  }
  // First equation.
  if (ibeg == 0) {
    if (n == 2) {
      W(2, 1) = R(1);
      W(1, 1) = R(1);
      D(1) = R(2) * W(2, 2);
    } else {
      W(2, 1) = W(1, 3);
      W(1, 1) = W(1, 2) + W(1, 3);
      D(1) = ((W(1, 2) + R(2) * W(1, 1)) * W(2, 2) * W(1, 3) + W(1, 2) * W(1, 2) * W(2, 3)) / W(1, 1);
    }
  } else if (ibeg == 1) {
    W(2, 1) = R(1);
    W(1, 1) = R(0);
  } else {
    W(2, 1) = R(2);
    W(1, 1) = R(1);
    D(1) = R(3) * W(2, 2) - R(0.5) * W(1, 2) * D(1);
  }
  // Forward elimination.
  for (i4 j = 2; j <= n - 1; ++j) {
    if (W(2, j - 1) == R(0)) return singular();
    R g = -W(1, j + 1) / W(2, j - 1);
    D(j) = g * D(j - 1) + R(3) * (W(1, j) * W(2, j + 1) + W(1, j + 1) * W(2, j));
    W(2, j) = g * W(1, j - 1) + R(2) * (W(1, j) + W(1, j + 1));
  }
  // Last equation.
  if (iend != 1) {
    R g;
    bool last = true;
    if (iend == 0) {
      if (n == 2 && ibeg == 0) {
        D(2) = W(2, 2);
        last = false;
      } else if (n == 2 || (n == 3 && ibeg == 0)) {
        D(n) = R(2) * W(2, n);
        W(2, n) = R(1);
        if (W(2, n - 1) == R(0)) return singular();
        g = -R(1) / W(2, n - 1);
      } else {
        g = W(1, n - 1) + W(1, n);
        D(n) = ((W(1, n) + R(2) * g) * W(2, n) * W(1, n - 1) +
                W(1, n) * W(1, n) * (F(n - 1) - F(n - 2)) / W(1, n - 1)) / g;
        if (W(2, n - 1) == R(0)) return singular();
        g = -g / W(2, n - 1);
        W(2, n) = W(1, n - 1);
      }
    } else {
      D(n) = R(3) * W(2, n) + R(0.5) * W(1, n) * D(n);
      W(2, n) = R(2);
      if (W(2, n - 1) == R(0)) return singular();
      g = -R(1) / W(2, n - 1);
    }
    if (last) {
      W(2, n) = g * W(1, n - 1) + W(2, n);
      if (W(2, n) == R(0)) return singular();
      D(n) = (g * D(n - 1) + D(n)) / W(2, n);
    }
  }
  // Back substitution.
  for (i4 j = n - 1; j >= 1; --j) {
    if (W(2, j) == R(0)) return singular();
    D(j) = (D(j) - W(1, j) * D(j + 1)) / W(2, j);
  }
}

template <class R> void pchez(i4 n, const R* x, const R* f, R* d, bool spline, R* wk, i4 lwk, i4* ierr) {
  if (spline) {
    const i4 ic[2] = {0, 0};
    const R vc[2] = {R(0), R(0)};
    pchsp<R>(ic, vc, n, x, f, d, 1, wk, lwk, ierr);
  } else {
    pchim<R>(n, x, f, d, 1, ierr);
  }
}

// ------------------------------------------------------------ general setter

template <class R> void pchci(i4 n, const R* h, const R* slope, R* d, i4 incfd) {
  monotone_derivs<R, false>(
      n, [h](i4 i) { return h[i - 1]; }, [slope](i4 i, R) { return slope[i - 1]; }, d, incfd);
}

template <class R> void pchsw(R dfmax, i4 iextrm, R& d1, R& d2, R h, R slope, i4* ierr) {
  const R third = R(0.33333);
  const R small = R(100) * Mach<R>::eps;
  static const Name rout = rname<R>("PCHSW");
  if (d1 == R(0)) {
    if (d2 == R(0)) {
      *ierr = -1;
      report(rout, "D1 AND/OR D2 INVALID", -1, 1);
      return;
    }
    R rho = slope / d2;
    // Extremum outside the interval: nothing to limit, and the status is
    // left as the caller had it.
    if (rho >= third) return;
    R that = (R(2) * (R(3) * rho - R(1))) / (R(3) * (R(2) * rho - R(1)));
    R phi = that * that * ((R(3) * rho - R(1)) / R(3));
    if (iextrm != 1) phi -= rho;
    R hphi = h * std::fabs(phi);
    if (hphi * std::fabs(d2) > dfmax) d2 = std::copysign(dfmax / hphi, d2);
  } else {
    R rho = slope / d1;
    R lambda = -d2 / d1;
    R cp, nu, that;
    if (d2 == R(0)) {
      if (rho >= third) {
        *ierr = 0;
        return;
      }
      cp = R(2) - R(3) * rho;
      nu = R(1) - R(2) * rho;
      that = R(1) / (R(3) * nu);
    } else {
      if (lambda <= R(0)) {
        *ierr = -1;
        report(rout, "D1 AND/OR D2 INVALID", -1, 1);
        return;
      }
      nu = R(1) - lambda - R(2) * rho;
      R sigma = R(1) - rho;
      cp = nu + sigma;
      if (std::fabs(nu) > small) {
        R radcal = (nu - (R(2) * rho + R(1))) * nu + sigma * sigma;
        if (radcal < R(0)) {
          *ierr = -2;
          report(rout, "NEGATIVE RADICAL", -2, 1);
          return;
        }
        that = (cp - std::sqrt(radcal)) / (R(3) * nu);
      } else {
        that = R(1) / (R(2) * sigma);
      }
    }
    R phi = that * ((nu * that - cp) * that + R(1));
    if (iextrm != 1) phi -= rho;
    R hphi = h * std::fabs(phi);
    if (hphi * std::fabs(d1) > dfmax) {
      d1 = std::copysign(dfmax / hphi, d1);
      d2 = -lambda * d1;
    }
  }
  *ierr = 0;
}

template <class R> inline R wavg(R s1, R s2, R h1, R h2) {
  return (h2 / (h1 + h2)) * s1 + (h1 / (h1 + h2)) * s2;
}

template <class R> void pchcs(R sw, i4 n, const R* h, const R* slope, R* d, i4 incfd, i4* ierr) {
  const R fudge = R(4);
  *ierr = 0;
  const i4 nless1 = n - 1;
  auto S = [slope](i4 i) { return slope[i - 1]; };
  auto H = [h](i4 i) { return h[i - 1]; };
  auto D = [d, incfd](i4 i) -> R& { return at(d, incfd, i); };
  for (i4 i = 2; i <= nless1; ++i) {
    i4 k;
    R wtave[2] = {R(0), R(0)};
    R s = pchst(S(i - 1), S(i));
    if (s < R(0)) {
      if (i > 2 && pchst(S(i - 2), S(i)) > R(0)) continue;
      if (i < nless1 && pchst(S(i + 1), S(i - 1)) > R(0)) continue;
      R dext = wavg(S(i - 1), S(i), H(i - 1), H(i));
      R t = pchst(dext, S(i - 1));
      if (t == R(0)) continue;
      if (t < R(0)) {
        k = i - 1;
        wtave[1] = dext;
        if (k > 1) wtave[0] = wavg(S(k - 1), S(k), H(k - 1), H(k));
      } else {
        k = i;
        wtave[0] = dext;
        if (k < nless1) wtave[1] = wavg(S(k), S(k + 1), H(k), H(k + 1));
      }
    } else if (s == R(0)) {
      if (i == nless1) continue;
      if (pchst(S(i - 1), S(i + 1)) >= R(0)) continue;
      k = i;
      wtave[0] = wavg(S(k - 1), S(k), H(k - 1), H(k));
      wtave[1] = wavg(S(k), S(k + 1), H(k), H(k + 1));
    } else {
      continue;
    }
    R slmax = std::fabs(S(k));
    if (k > 1) slmax = std::max(slmax, std::fabs(S(k - 1)));
    if (k < nless1) slmax = std::max(slmax, std::fabs(S(k + 1)));
    R del[3] = {R(0), R(0), R(0)};
    if (k > 1) del[0] = S(k - 1) / slmax;
    del[1] = S(k) / slmax;
    if (k < nless1) del[2] = S(k + 1) / slmax;
    if (k > 1 && k < nless1) {
      R fact = fudge * std::fabs(del[2] * (del[0] - del[1]) * (wtave[1] / slmax));
      D(k) = D(k) + std::min(fact, R(1)) * (wtave[0] - D(k));
      fact = fudge * std::fabs(del[0] * (del[2] - del[1]) * (wtave[0] / slmax));
      D(k + 1) = D(k + 1) + std::min(fact, R(1)) * (wtave[1] - D(k + 1));
    } else {
      R fact = fudge * std::fabs(del[1]);
      D(i) = std::min(fact, R(1)) * wtave[i - k];
    }
    if (sw > R(0)) {
      R dfloc = H(k) * std::fabs(S(k));
      if (k > 1) dfloc = std::max(dfloc, H(k - 1) * std::fabs(S(k - 1)));
      if (k < nless1) dfloc = std::max(dfloc, H(k + 1) * std::fabs(S(k + 1)));
      pchsw<R>(sw * dfloc, i - k + 1, D(k), D(k + 1), H(k), S(k), ierr);
      if (*ierr != 0) return;
    }
  }
}

template <class R>
void pchce(const i4* ic, const R* vc, i4 n, const R* x, const R* h, const R* slope, R* d, i4 incfd, i4* ierr) {
  auto D = [d, incfd](i4 i) -> R& { return at(d, incfd, i); };
  auto S = [slope](i4 i) { return slope[i - 1]; };
  auto H = [h](i4 i) { return h[i - 1]; };
  i4 ibeg = ic[0], iend = ic[1];
  *ierr = 0;
  if (std::abs(static_cast<long long>(ibeg)) > n) ibeg = 0;
  if (std::abs(static_cast<long long>(iend)) > n) iend = 0;
  R xtemp[4], stemp[3];
  auto dferr = [&]() {
    *ierr = -1;
    report(rname<R>("PCHCE"), Name("ERROR RETURN FROM ", Mach<R>::prefix, "PCHDF"), -1, 1);
  };
  auto limit = [&](R& dv, R s, i4 add) {
    if (s == R(0)) {
      if (dv != R(0)) {
        dv = R(0);
        *ierr += add;
      }
    } else if (pchst(dv, s) < R(0)) {
      dv = R(0);
      *ierr += add;
    } else if (std::fabs(dv) > R(3) * std::fabs(s)) {
      dv = R(3) * s;
      *ierr += add;
    }
  };
  if (ibeg != 0) {
    i4 k = ibeg < 0 ? -ibeg : ibeg;
    if (k == 1) {
      D(1) = vc[0];
    } else if (k == 2) {
      D(1) = R(0.5) * ((R(3) * S(1) - D(2)) - R(0.5) * vc[0] * H(1));
    } else if (k < 5) {
      for (i4 j = 1; j <= k; ++j) {
        xtemp[j - 1] = x[k - j];
        if (j < k) stemp[j - 1] = S(k - j);
      }
      i4 ierf;
      D(1) = pchdf<R>(k, xtemp, stemp, &ierf);
      if (ierf != 0) return dferr();
    } else {
      D(1) = (R(3) * (H(1) * S(2) + H(2) * S(1)) - R(2) * (H(1) + H(2)) * D(2) - H(1) * D(3)) / H(2);
    }
    if (ibeg < 0) limit(D(1), S(1), 1);
  }
  if (iend != 0) {
    i4 k = iend < 0 ? -iend : iend;
    if (k == 1) {
      D(n) = vc[1];
    } else if (k == 2) {
      D(n) = R(0.5) * ((R(3) * S(n - 1) - D(n - 1)) + R(0.5) * vc[1] * H(n - 1));
    } else if (k < 5) {
      for (i4 j = 1; j <= k; ++j) {
        xtemp[j - 1] = x[n - k + j - 1];
        if (j < k) stemp[j - 1] = S(n - k + j);
      }
      i4 ierf;
      D(n) = pchdf<R>(k, xtemp, stemp, &ierf);
      if (ierf != 0) return dferr();
    } else {
      D(n) = (R(3) * (H(n - 1) * S(n - 2) + H(n - 2) * S(n - 1)) - R(2) * (H(n - 1) + H(n - 2)) * D(n - 1) -
              H(n - 1) * D(n - 2)) / H(n - 2);
    }
    if (iend < 0) limit(D(n), S(n - 1), 2);
  }
}

template <class R>
void pchic(const i4* ic, const R* vc, R sw, i4 n, const R* x, const R* f, R* d, i4 incfd, R* wk, i4 nwk,
           i4* ierr) {
  static const Name rout = rname<R>("PCHIC");
  i4 e = check_data<R>(rout, n, x, incfd);
  if (e < 0) {
    *ierr = e;
    return;
  }
  i4 ibeg = ic[0], iend = ic[1];
  e = 0;
  if (ibeg < -5 || ibeg > 5) e -= 1;
  if (iend < -5 || iend > 5) e -= 2;
  if (e < 0) {
    *ierr = e - 3;
    report(rout, "IC OUT OF RANGE", *ierr, 1);
    return;
  }
  const i4 nless1 = n - 1;
  if (nwk < 2 * nless1) {
    *ierr = -7;
    report(rout, "WORK ARRAY TOO SMALL", -7, 1);
    return;
  }
  *ierr = 0;
  R* h = wk;
  R* slope = wk + nless1;
  for (i4 i = 1; i <= nless1; ++i) {
    h[i - 1] = x[i] - x[i - 1];
    slope[i - 1] = (at(f, incfd, i + 1) - at(f, incfd, i)) / h[i - 1];
  }
  if (nless1 <= 1) {
    at(d, incfd, 1) = slope[0];
    at(d, incfd, n) = slope[0];
  } else {
    pchci<R>(n, h, slope, d, incfd);
    if (sw != R(0)) {
      pchcs<R>(sw, n, h, slope, d, incfd, ierr);
      if (*ierr != 0) {
        *ierr = -8;
        report(rout, Name("ERROR RETURN FROM ", Mach<R>::prefix, "PCHCS"), -8, 1);
        return;
      }
    }
  }
  if (ibeg == 0 && iend == 0) return;
  pchce<R>(ic, vc, n, x, h, slope, d, incfd, ierr);
  if (*ierr < 0) {
    *ierr = -9;
    report(rout, Name("ERROR RETURN FROM ", Mach<R>::prefix, "PCHCE"), -9, 1);
  }
}

// ---------------------------------------------------------------- evaluation

template <class R, bool deriv>
void chfxv(R x1, R x2, R f1, R f2, R d1, R d2, i4 ne, const R* xe, R* fe, R* de, i4* next, i4* ierr) {
  static const Name rout = rname<R>(deriv ? "CHFDV" : "CHFEV");
  if (ne < 1) {
    *ierr = -1;
    report(rout, "NUMBER OF EVALUATION POINTS LESS THAN ONE", -1, 1);
    return;
  }
  R h = x2 - x1;
  if (h == R(0)) {
    *ierr = -2;
    report(rout, "INTERVAL ENDPOINTS EQUAL", -2, 1);
    return;
  }
  *ierr = 0;
  next[0] = 0;
  next[1] = 0;
  R xmi = std::min(R(0), h), xma = std::max(R(0), h);
  R delta = (f2 - f1) / h;
  R del1 = (d1 - delta) / h;
  R del2 = (d2 - delta) / h;
  R c2 = -(del1 + del1 + del2);
  R c3 = (del1 + del2) / h;
  R c2t2 = c2 + c2, c3t3 = R(3) * c3;
  for (i4 i = 0; i < ne; ++i) {
    R x = xe[i] - x1;
    fe[i] = f1 + x * (d1 + x * (c2 + x * c3));
    if constexpr (deriv) de[i] = d1 + x * (c2t2 + x * c3t3);
    if (x < xmi) ++next[0];
    if (x > xma) ++next[1];
  }
}

// Evaluation at many points: walks intervals and points together; runs of
// empty intervals are skipped by bisection, which picks the same interval as
// stepping through them one by one.
template <class R, bool deriv>
void pchfx(i4 n, const R* x, const R* f, const R* d, i4 incfd, i4* skip, i4 ne, const R* xe, R* fe, R* de,
           i4* ierr) {
  static const Name rout = rname<R>(deriv ? "PCHFD" : "PCHFE");
  i4 e = checks_unless_skip<R>(rout, n, x, incfd, skip);
  if (e < 0) {
    *ierr = e;
    return;
  }
  if (ne < 1) {
    *ierr = -4;
    report(rout, "NUMBER OF EVALUATION POINTS LESS THAN ONE", -4, 1);
    return;
  }
  auto fatal5 = [&]() {
    *ierr = -5;
    report(rout, Name("ERROR RETURN FROM ", Mach<R>::prefix, deriv ? "CHFDV -- FATAL" : "CHFEV -- FATAL"), -5,
           2);
  };
  *ierr = 0;
  i4 jfirst = 1, ir = 2;
  while (ir <= n) {
    if (jfirst > ne) return;
    const R xj = xe[jfirst - 1];
    if (ir < n && xj >= x[ir - 1]) {
      // First ir' in (ir, n-1] with X(ir') > xj, else n.
      const R* p = std::upper_bound(x + ir, x + (n - 1), xj);
      ir = static_cast<i4>(p - x) + 1;
    }
    i4 j = ne + 1;
    if (ir < n)
      for (i4 jj = jfirst; jj <= ne; ++jj)
        if (xe[jj - 1] >= x[ir - 1]) {
          j = jj;
          break;
        }
    i4 nj = j - jfirst;
    if (nj != 0) {
      i4 next[2], ierc;
      chfxv<R, deriv>(x[ir - 2], x[ir - 1], at(f, incfd, ir - 1), at(f, incfd, ir), at(d, incfd, ir - 1),
                      at(d, incfd, ir), nj, xe + (jfirst - 1), fe + (jfirst - 1),
                      deriv ? de + (jfirst - 1) : nullptr, next, &ierc);
      if (ierc < 0) return fatal5();
      if (next[1] != 0) {
        if (ir < n) return fatal5();
        *ierr += next[1];
      }
      if (next[0] != 0) {
        if (ir <= 2) {
          *ierr += next[0];
        } else {
          i4 i = jfirst;
          for (; i <= j - 1; ++i)
            if (xe[i - 1] < x[ir - 2]) break;
          if (i > j - 1) return fatal5();
          if (ir == n && next[1] != 0) {
            // Points from I on are evaluated again later; count their
            // extrapolations only then, so that unordered points are not
            // counted twice.
            const R h = x[n - 1] - x[n - 2];
            for (i4 k = i; k <= j - 1; ++k)
              if (xe[k - 1] - x[n - 2] > std::max(R(0), h)) --*ierr;
          }
          j = i;
          for (i = 1; i <= ir - 1; ++i)
            if (xe[j - 1] < x[i - 1]) break;
          ir = std::max(1, i - 1);
        }
      }
      jfirst = j;
    }
    ++ir;
  }
}

// --------------------------------------------------------------- integration

template <class R> R chfie(R x1, R x2, R f1, R f2, R d1, R d2, R a, R b) {
  if (x1 == x2) return R(0);
  R h = x2 - x1;
  R ta1 = (a - x1) / h, ta2 = (x2 - a) / h;
  R tb1 = (b - x1) / h, tb2 = (x2 - b) / h;
  R ua1 = ta1 * ta1 * ta1, ua2 = ta2 * ta2 * ta2;
  R ub1 = tb1 * tb1 * tb1, ub2 = tb2 * tb2 * tb2;
  R phia1 = ua1 * (R(2) - ta1), psia1 = ua1 * (R(3) * ta1 - R(4));
  R phia2 = ua2 * (R(2) - ta2), psia2 = -ua2 * (R(3) * ta2 - R(4));
  R phib1 = ub1 * (R(2) - tb1), psib1 = ub1 * (R(3) * tb1 - R(4));
  R phib2 = ub2 * (R(2) - tb2), psib2 = -ub2 * (R(3) * tb2 - R(4));
  R fterm = f1 * (phia2 - phib2) + f2 * (phib1 - phia1);
  R dterm = (d1 * (psia2 - psib2) + d2 * (psib1 - psia1)) * (h / R(6));
  return (R(0.5) * h) * (fterm + dterm);
}

template <class R> R pchid(i4 n, const R* x, const R* f, const R* d, i4 incfd, i4* skip, i4 ia, i4 ib, i4* ierr) {
  static const Name rout = rname<R>("PCHID");
  i4 e = checks_unless_skip<R>(rout, n, x, incfd, skip);
  if (e < 0) {
    *ierr = e;
    return R(0);
  }
  if (ia < 1 || ia > n || ib < 1 || ib > n) {
    *ierr = -4;
    report(rout, "IA OR IB OUT OF RANGE", -4, 1);
    return R(0);
  }
  *ierr = 0;
  if (ia == ib) return R(0);
  i4 low = std::min(ia, ib), iup = std::max(ia, ib) - 1;
  R sum = R(0);
  for (i4 i = low; i <= iup; ++i) {
    R h = x[i] - x[i - 1];
    sum = sum + h * ((at(f, incfd, i) + at(f, incfd, i + 1)) + (at(d, incfd, i) - at(d, incfd, i + 1)) * (h / R(6)));
  }
  R value = R(0.5) * sum;
  return ia > ib ? -value : value;
}

template <class R> R pchia(i4 n, const R* x, const R* f, const R* d, i4 incfd, i4* skip, R a, R b, i4* ierr) {
  static const Name rout = rname<R>("PCHIA");
  i4 e = checks_unless_skip<R>(rout, n, x, incfd, skip);
  if (e < 0) {
    *ierr = e;
    return R(0);
  }
  *ierr = 0;
  if (a < x[0] || a > x[n - 1]) *ierr += 1;
  if (b < x[0] || b > x[n - 1]) *ierr += 2;
  if (a == b) return R(0);
  auto F = [f, incfd](i4 i) { return at(f, incfd, i); };
  auto D = [d, incfd](i4 i) { return at(d, incfd, i); };
  R xa = std::min(a, b), xb = std::max(a, b);
  if (xb <= x[1]) return chfie<R>(x[0], x[1], F(1), F(2), D(1), D(2), a, b);
  if (xa >= x[n - 2]) return chfie<R>(x[n - 2], x[n - 1], F(n - 1), F(n), D(n - 1), D(n), a, b);
  i4 ia = 1;
  for (i4 i = 1; i <= n - 1; ++i)
    if (xa > x[i - 1]) ia = i + 1;
  i4 ib = n;
  for (i4 i = n; i >= ia; --i)
    if (xb < x[i - 1]) ib = i - 1;
  // Only abscissas out of order (vouched for by SKIP) can push IB below 1.
  ib = std::max(ib, 1);
  if (ib < ia) return chfie<R>(x[ib - 1], x[ia - 1], F(ib), F(ia), D(ib), D(ia), a, b);
  R value = R(0);
  if (ib > ia) {
    i4 ierd;
    value = pchid<R>(n, x, f, d, incfd, skip, ia, ib, &ierd);
    if (ierd < 0) {
      *ierr = -4;
      report(rout, Name("TROUBLE IN ", Mach<R>::prefix, "PCHID"), -4, 1);
      return R(0);
    }
  }
  if (xa < x[ia - 1]) {
    i4 il = std::max(1, ia - 1), irr = il + 1;
    value = value + chfie<R>(x[il - 1], x[irr - 1], F(il), F(irr), D(il), D(irr), xa, x[ia - 1]);
  }
  if (xb > x[ib - 1]) {
    i4 irr = std::min(ib + 1, n), il = irr - 1;
    value = value + chfie<R>(x[il - 1], x[irr - 1], F(il), F(irr), D(il), D(irr), x[ib - 1], xb);
  }
  return a > b ? -value : value;
}

// ------------------------------------------------ B-spline form, monotonicity

template <class R> void pchkt(i4 n, const R* x, i4 knotyp, R* t) {
  if (n < 1) return;
  // With a single point both end widths are zero rather than read past X.
  R hbeg = n >= 2 ? x[1] - x[0] : R(0);
  R hend = n >= 2 ? x[n - 1] - x[n - 2] : R(0);
  for (i4 k = 1; k <= n; ++k) {
    t[2 * k] = x[k - 1];
    t[2 * k + 1] = x[k - 1];
  }
  const ptrdiff_t last = 2 * static_cast<ptrdiff_t>(n) + 3;  // 0-based T(2N+4)
  if (knotyp == 1) {
    t[1] = x[0] - hbeg;
    t[last - 1] = x[n - 1] + hend;
  } else if (knotyp == 2) {
    t[1] = x[0] - hend;
    t[last - 1] = x[n - 1] + hbeg;
  } else {
    t[1] = x[0];
    t[last - 1] = x[n - 1];
  }
  t[0] = t[1];
  t[last] = t[last - 1];
}

template <class R>
void pchbs(i4 n, const R* x, const R* f, const R* d, i4 incfd, i4 knotyp, i4* nknots, R* t, R* bcoef, i4* ndim,
           i4* kord, i4* ierr) {
  const char* lib = "SLATEC  ";
  Name rout(Mach<R>::prefix, "PCHBS");
  while (rout.len < 8) rout.append(" ");
  *ndim = 2 * n;
  *kord = 4;
  *ierr = 0;
  if (knotyp > 2) {
    *ierr = -1;
    report(lib, rout, "KNOTYP GREATER THAN 2", -1, 1);
    return;
  }
  if (knotyp < 0 && *nknots != *ndim + 4) {
    *ierr = -2;
    report(lib, rout, "KNOTYP.LT.0 AND NKNOTS.NE.(2*N+4)", -2, 1);
    return;
  }
  // The knot and coefficient loops need two points and a positive stride to
  // stay inside the arrays.
  if (n < 2) {
    *ierr = -1;
    report(lib, rout, "NUMBER OF DATA POINTS LESS THAN TWO", -1, 1);
    return;
  }
  if (incfd < 1) {
    *ierr = -2;
    report(lib, rout, "INCREMENT LESS THAN ONE", -2, 1);
    return;
  }
  if (knotyp >= 0) {
    *nknots = *ndim + 4;
    pchkt<R>(n, x, knotyp, t);
  }
  R hnew = t[2] - t[0];
  for (i4 k = 1; k <= n; ++k) {
    R hold = hnew;
    R dov3 = at(d, incfd, k) / R(3);
    bcoef[2 * k - 2] = at(f, incfd, k) - hold * dov3;
    hnew = t[2 * k + 2] - t[2 * k];
    bcoef[2 * k - 1] = at(f, incfd, k) + hnew * dov3;
  }
}

template <class R> void intrv(const R* xt, i4 lxt, R x, i4* ilo_io, i4* ileft, i4* mflag) {
  auto XT = [xt](long long i) { return xt[i - 1]; };
  if (lxt < 1) {  // nothing to search: left end
    *mflag = -1;
    *ileft = 1;
    return;
  }
  // A remembered index outside the sequence restarts from its nearest end.
  long long ilo = std::clamp<long long>(*ilo_io, 1, lxt);
  long long ihi = ilo + 1;
  auto left = [&]() {
    *ilo_io = 1;
    *mflag = -1;
    *ileft = 1;
  };
  auto right = [&]() {
    *mflag = 1;
    *ileft = lxt;
    *ilo_io = static_cast<i4>(ilo);
  };
  if (ihi >= lxt) {
    if (x >= XT(lxt)) return right();
    if (lxt <= 1) return left();
    ilo = lxt - 1;
    ihi = lxt;
  }
  if (x >= XT(ihi)) {
    long long istep = 1;
    for (;;) {
      ilo = ihi;
      ihi = ilo + istep;
      if (ihi >= lxt) break;
      if (x < XT(ihi)) goto bisect;
      istep *= 2;
    }
    if (x >= XT(lxt)) return right();
    ihi = lxt;
  } else if (x >= XT(ilo)) {
    *mflag = 0;
    *ileft = static_cast<i4>(ilo);
    *ilo_io = static_cast<i4>(ilo);
    return;
  } else {
    long long istep = 1;
    for (;;) {
      ihi = ilo;
      ilo = ihi - istep;
      if (ilo <= 1) break;
      if (x >= XT(ilo)) goto bisect;
      istep *= 2;
    }
    ilo = 1;
    if (x < XT(1)) return left();
  }
bisect:
  for (;;) {
    long long middle = (ilo + ihi) / 2;
    if (middle == ilo) break;
    if (x >= XT(middle)) ilo = middle;
    else ihi = middle;
  }
  *mflag = 0;
  *ileft = static_cast<i4>(ilo);
  *ilo_io = static_cast<i4>(ilo);
}

template <class R> R bvalu(const R* t, const R* a, i4 n, i4 k, i4 ideriv, R x, i4* inbv, R* work) {
  static const Name rout = rname<R>("BVALU");
  auto err = [&](const char* m) {
    report(rout, m, 2, 1);
    return R(0);
  };
  if (k < 1) return err("K DOES NOT SATISFY K.GE.1");
  if (n < k) return err("N DOES NOT SATISFY N.GE.K");
  if (ideriv < 0 || ideriv >= k) return err("IDERIV DOES NOT SATISFY 0.LE.IDERIV.LT.K");
  auto T = [t](i4 i) { return t[i - 1]; };
  i4 i, mflag;
  intrv<R>(t, n + 1, x, inbv, &i, &mflag);
  // Knots out of order (or a NaN) could place I left of T(K): refuse rather
  // than read before A.
  if (x < T(k) || i < k) return err("X IS N0T GREATER THAN OR EQUAL TO T(K)");
  if (mflag != 0) {
    if (x > T(i)) return err("X IS NOT LESS THAN OR EQUAL TO T(N+1)");
    for (;;) {
      if (i == k) return err("A LEFT LIMITING VALUE CANNOT BE OBTAINED AT T(K)");
      --i;
      if (x != T(i)) break;
    }
  }
  const i4 km1 = k - 1;
  for (i4 j = 1; j <= k; ++j) work[j - 1] = a[i - k + j - 1];
  for (i4 j = 1; j <= ideriv; ++j) {
    i4 kmj = k - j;
    R fkmj = static_cast<R>(kmj);
    for (i4 jj = 1; jj <= kmj; ++jj) {
      i4 ihi = i + jj;
      i4 ihmkmj = ihi - kmj;
      work[jj - 1] = (work[jj] - work[jj - 1]) / (T(ihi) - T(ihmkmj)) * fkmj;
    }
  }
  if (ideriv == km1) return work[0];
  i4 kmider = k - ideriv;
  for (i4 j = 1; j <= kmider; ++j) {
    work[k + j - 1] = T(i + j) - x;
    work[2 * k + j - 1] = x - T(i + 1 - j);
  }
  for (i4 j = ideriv + 1; j <= km1; ++j) {
    i4 kmj = k - j;
    i4 ilo = kmj;
    for (i4 jj = 1; jj <= kmj; ++jj) {
      work[jj - 1] = (work[jj] * work[2 * k + ilo - 1] + work[jj - 1] * work[k + jj - 1]) /
                     (work[2 * k + ilo - 1] + work[k + jj - 1]);
      --ilo;
    }
  }
  return work[0];
}

template <class R> i4 chfcm(R d1, R d2, R delta) {
  const R eps = R(10) * Mach<R>::eps;
  if (delta == R(0)) return (d1 == R(0) && d2 == R(0)) ? 0 : 2;
  i4 itrue = delta < R(0) ? -1 : 1;
  R a = d1 / delta, b = d2 / delta;
  if (a < R(0) || b < R(0)) return 2;
  if (a <= R(3) - eps && b <= R(3) - eps) return itrue;
  if (a > R(4) + eps && b > R(4) + eps) return 2;
  a -= R(2);
  b -= R(2);
  R phi = ((a * a + b * b) + a * b) - R(3);
  if (phi < -eps) return itrue;
  if (phi > eps) return 2;
  return 3 * itrue;
}

template <class R> void pchcm(i4 n, const R* x, const R* f, const R* d, i4 incfd, i4* skip, i4* ismon, i4* ierr) {
  i4 e = checks_unless_skip<R>(rname<R>("PCHCM"), n, x, incfd, skip);
  if (e < 0) {
    *ierr = e;
    return;
  }
  for (i4 i = 1; i <= n - 1; ++i) {
    R delta = (at(f, incfd, i + 1) - at(f, incfd, i)) / (x[i] - x[i - 1]);
    i4 m = chfcm<R>(at(d, incfd, i), at(d, incfd, i + 1), delta);
    ismon[i - 1] = m;
    i4& all = ismon[n - 1];
    if (i == 1) {
      all = m;
    } else if (m != all && m != 0 && all != 2) {
      if (m == 2 || all == 0) all = m;
      else if ((m < 0) != (all < 0)) all = 2;
      else all = all < 0 ? -3 : 3;
    }
  }
  *ierr = 0;
}

[[noreturn]] void mach_range(const char* name, i4 i) {
  char b[40];
  std::snprintf(b, sizeof b, "  I = %12d", static_cast<int>(i));
  put_line(6, " ");
  put_line(6, Name(name, " - Fatal error!"));
  put_line(6, "  The input argument I is out of bounds.");
  put_line(6, "  Legal values satisfy 1 <= I <= 5.");
  put_line(6, b);
  vx::terminate(0);
}

}  // namespace
}  // namespace pchip

using namespace pchip;

// ----------------------------------------------------------- exported entries

#define VX_PCHIP_FAMILY(R, P)                                                                                   \
  VX_API void P##pchez_(const int32_t* n, const R* x, const R* f, R* d, const int32_t* spline, R* wk,           \
                        const int32_t* lwk, int32_t* ierr) {                                                    \
    pchez<R>(*n, x, f, d, *spline != 0, wk, *lwk, ierr);                                                        \
  }                                                                                                             \
  VX_API void P##pchim_(const int32_t* n, const R* x, const R* f, R* d, const int32_t* incfd, int32_t* ierr) {  \
    pchim<R>(*n, x, f, d, *incfd, ierr);                                                                        \
  }                                                                                                             \
  VX_API void P##pchsp_(const int32_t* ic, const R* vc, const int32_t* n, const R* x, const R* f, R* d,         \
                        const int32_t* incfd, R* wk, const int32_t* nwk, int32_t* ierr) {                       \
    pchsp<R>(ic, vc, *n, x, f, d, *incfd, wk, *nwk, ierr);                                                      \
  }                                                                                                             \
  VX_API R P##pchst_(const R* a, const R* b) { return pchst<R>(*a, *b); }                                       \
  VX_API R P##pchdf_(const int32_t* k, const R* x, R* s, int32_t* ierr) { return pchdf<R>(*k, x, s, ierr); }    \
  VX_API void P##pchic_(const int32_t* ic, const R* vc, const R* sw, const int32_t* n, const R* x, const R* f,  \
                        R* d, const int32_t* incfd, R* wk, const int32_t* nwk, int32_t* ierr) {                 \
    pchic<R>(ic, vc, *sw, *n, x, f, d, *incfd, wk, *nwk, ierr);                                                 \
  }                                                                                                             \
  VX_API void P##pchci_(const int32_t* n, const R* h, const R* slope, R* d, const int32_t* incfd) {             \
    if (*n >= 2 && *incfd >= 1) pchci<R>(*n, h, slope, d, *incfd);                                              \
  }                                                                                                             \
  VX_API void P##pchcs_(const R* sw, const int32_t* n, const R* h, const R* slope, R* d, const int32_t* incfd,  \
                        int32_t* ierr) {                                                                        \
    if (*incfd < 1) {                                                                                           \
      *ierr = 0;                                                                                                \
      return;                                                                                                   \
    }                                                                                                           \
    pchcs<R>(*sw, *n, h, slope, d, *incfd, ierr);                                                               \
  }                                                                                                             \
  VX_API void P##pchce_(const int32_t* ic, const R* vc, const int32_t* n, const R* x, const R* h,               \
                        const R* slope, R* d, const int32_t* incfd, int32_t* ierr) {                            \
    if (*n < 2 || *incfd < 1) {                                                                                 \
      *ierr = 0;                                                                                                \
      return;                                                                                                   \
    }                                                                                                           \
    pchce<R>(ic, vc, *n, x, h, slope, d, *incfd, ierr);                                                         \
  }                                                                                                             \
  VX_API void P##pchsw_(const R* dfmax, const int32_t* iextrm, R* d1, R* d2, const R* h, const R* slope,        \
                        int32_t* ierr) {                                                                        \
    pchsw<R>(*dfmax, *iextrm, *d1, *d2, *h, *slope, ierr);                                                      \
  }                                                                                                             \
  VX_API void P##pchfe_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* incfd,             \
                        int32_t* skip, const int32_t* ne, const R* xe, R* fe, int32_t* ierr) {                  \
    pchfx<R, false>(*n, x, f, d, *incfd, skip, *ne, xe, fe, nullptr, ierr);                                     \
  }                                                                                                             \
  VX_API void P##pchfd_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* incfd,             \
                        int32_t* skip, const int32_t* ne, const R* xe, R* fe, R* de, int32_t* ierr) {           \
    pchfx<R, true>(*n, x, f, d, *incfd, skip, *ne, xe, fe, de, ierr);                                           \
  }                                                                                                             \
  VX_API void P##pchev_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* nval,              \
                        const R* xval, R* fval, R* dval, int32_t* ierr) {                                       \
    i4 skip = 1;                                                                                                \
    pchfx<R, true>(*n, x, f, d, 1, &skip, *nval, xval, fval, dval, ierr);                                       \
  }                                                                                                             \
  VX_API void P##chfev_(const R* x1, const R* x2, const R* f1, const R* f2, const R* d1, const R* d2,           \
                        const int32_t* ne, const R* xe, R* fe, int32_t* next, int32_t* ierr) {                  \
    chfxv<R, false>(*x1, *x2, *f1, *f2, *d1, *d2, *ne, xe, fe, nullptr, next, ierr);                            \
  }                                                                                                             \
  VX_API void P##chfdv_(const R* x1, const R* x2, const R* f1, const R* f2, const R* d1, const R* d2,           \
                        const int32_t* ne, const R* xe, R* fe, R* de, int32_t* next, int32_t* ierr) {           \
    chfxv<R, true>(*x1, *x2, *f1, *f2, *d1, *d2, *ne, xe, fe, de, next, ierr);                                  \
  }                                                                                                             \
  VX_API R P##pchqa_(const int32_t* n, const R* x, const R* f, const R* d, const R* a, const R* b,              \
                     int32_t* ierr) {                                                                           \
    i4 skip = 1;                                                                                                \
    return pchia<R>(*n, x, f, d, 1, &skip, *a, *b, ierr);                                                       \
  }                                                                                                             \
  VX_API R P##pchia_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* incfd,                \
                     int32_t* skip, const R* a, const R* b, int32_t* ierr) {                                    \
    return pchia<R>(*n, x, f, d, *incfd, skip, *a, *b, ierr);                                                   \
  }                                                                                                             \
  VX_API R P##pchid_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* incfd,                \
                     int32_t* skip, const int32_t* ia, const int32_t* ib, int32_t* ierr) {                      \
    return pchid<R>(*n, x, f, d, *incfd, skip, *ia, *ib, ierr);                                                 \
  }                                                                                                             \
  VX_API R P##chfie_(const R* x1, const R* x2, const R* f1, const R* f2, const R* d1, const R* d2, const R* a,  \
                     const R* b) {                                                                              \
    return chfie<R>(*x1, *x2, *f1, *f2, *d1, *d2, *a, *b);                                                      \
  }                                                                                                             \
  VX_API void P##pchbs_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* incfd,             \
                        const int32_t* knotyp, int32_t* nknots, R* t, R* bcoef, int32_t* ndim, int32_t* kord,   \
                        int32_t* ierr) {                                                                        \
    pchbs<R>(*n, x, f, d, *incfd, *knotyp, nknots, t, bcoef, ndim, kord, ierr);                                 \
  }                                                                                                             \
  VX_API void P##pchkt_(const int32_t* n, const R* x, const int32_t* knotyp, R* t) {                            \
    pchkt<R>(*n, x, *knotyp, t);                                                                                \
  }                                                                                                             \
  VX_API R P##bvalu_(const R* t, const R* a, const int32_t* n, const int32_t* k, const int32_t* ideriv,         \
                     const R* x, int32_t* inbv, R* work) {                                                      \
    return bvalu<R>(t, a, *n, *k, *ideriv, *x, inbv, work);                                                     \
  }                                                                                                             \
  VX_API void P##intrv_(const R* xt, const int32_t* lxt, const R* x, int32_t* ilo, int32_t* ileft,              \
                        int32_t* mflag) {                                                                       \
    intrv<R>(xt, *lxt, *x, ilo, ileft, mflag);                                                                  \
  }                                                                                                             \
  VX_API void P##pchcm_(const int32_t* n, const R* x, const R* f, const R* d, const int32_t* incfd,             \
                        int32_t* skip, int32_t* ismon, int32_t* ierr) {                                         \
    pchcm<R>(*n, x, f, d, *incfd, skip, ismon, ierr);                                                           \
  }                                                                                                             \
  VX_API int32_t P##chfcm_(const R* d1, const R* d2, const R* delta) { return chfcm<R>(*d1, *d2, *delta); }

VX_PCHIP_FAMILY(double, d)
VX_PCHIP_FAMILY(float, )

VX_API double d1mach_(const int32_t* i) {
  switch (*i) {
    case 1: return 4.450147717014403e-308;
    case 2: return 8.988465674311579e+307;
    case 3: return 1.110223024625157e-16;
    case 4: return 2.220446049250313e-16;
    case 5: return 0.301029995663981;
    default: mach_range("D1MACH", *i);
  }
}

VX_API float r1mach_(const int32_t* i) {
  switch (*i) {
    case 1: return 1.1754943508222875e-38f;
    case 2: return 3.4028234663852886e+38f;
    case 3: return 5.960464477539063e-08f;
    case 4: return 1.1920928955078125e-07f;
    case 5: return static_cast<float>(0.30102999566398120);
    default: mach_range("R1MACH", *i);
  }
}
