// Quick checks of the cubic Hermite library on fixed data, in both
// precisions: each runs the routines, compares with known values or with a
// second routine, prints a report on the given unit and returns a pass flag.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>
#include "pchip_impl.h"
#include "timestamp.h"
#include "util.h"

namespace pchip {
namespace {

using std::string;

// Texts that differ between the two families.
template <class R> struct Txt;
template <> struct Txt<double> {
  static constexpr const char* p = "D";        // routine-name prefix
  static constexpr const char* pkg = " DPCHIP";  // package name in banners
  static constexpr const char* pch = "DPCH";     // setter names in the interpolation check
  static constexpr const char* q[6] = {"", "DPCHQ1", "DPCHQ2", "DPCHQ3", "DPCHQ4", "DPCHQ5"};
  static constexpr const char* evchk = "DEVCHK";
  static constexpr const char* evpck = "DEVPCK";
  static constexpr const char* everk = "DEVERK";
  static constexpr int pck_tol = 25;
  static constexpr int pck_indent = 2;
};
template <> struct Txt<float> {
  static constexpr const char* p = "";
  static constexpr const char* pkg = "  PCHIP";
  static constexpr const char* pch = " PCH";
  static constexpr const char* q[6] = {"", "PCHQK1", "PCHQK2", "PCHQK3", "PCHQK4", "PCHQK5"};
  static constexpr const char* evchk = "EVCHCK";
  static constexpr const char* evpck = "EVPCCK";
  static constexpr const char* everk = "EVERCK";
  static constexpr int pck_tol = 10;
  static constexpr int pck_indent = 0;
};

string fmt(const char* f, ...) __attribute__((format(printf, 1, 2)));
string fmt(const char* f, ...) {
  char b[256];
  va_list ap;
  va_start(ap, f);
  std::vsnprintf(b, sizeof b, f, ap);
  va_end(ap);
  return b;
}

// A real in exponent form with the family's exponent letter.
template <class R> string num(R v, int w = 13, int p = 5) {
  string s = fmt("%*.*E", w, p, static_cast<double>(v));
  for (auto& c : s)
    if (c == 'E') c = Mach<R>::expo;
  return s;
}
template <class R> string fix(R v, int w = 8, int p = 4) { return fmt("%*.*f", w, p, static_cast<double>(v)); }

struct Out {
  i4 unit;
  void operator()(const string& s) const { put_line(unit, s); }
};

// Title of a check: its name and a line of dashes, after two empty lines.
void results_title(const Out& out, const string& name) {
  out("");
  out("");
  out(string(10, ' ') + name + " RESULTS");
  out(string(10, ' ') + string(name.size() + 8, '-'));
}

template <class R> void common_start(const Out& out, i4 kprint, const char* title, const char* name) {
  if (kprint >= 3) {
    out("1");
    out("");
    out(string(10, ' ') + title);
  }
  if (kprint >= 2) results_title(out, name);
}

template <class R> void common_end(const Out& out, i4 kprint, i4 ifail, const char* what, i4* ipass) {
  if (ifail != 0 && kprint >= 2) {
    out("");
    out(fmt(" *** TROUBLE ***%5d %s TESTS FAILED.", static_cast<int>(ifail), what));
  }
  if (ifail == 0) {
    *ipass = 1;
    if (kprint >= 2) {
      out("");
      out(fmt(" ------------%s PASSED  ALL %s TESTS ------------", Txt<R>::pkg, what));
    }
  } else {
    *ipass = 0;
    if (kprint >= 1) out(fmt(" ************%s FAILED SOME %s TESTS ************", Txt<R>::pkg, what));
  }
}

bool compare_codes(i4 ieract, i4 ierexp, i4 lout, i4 kprint) {
  bool ok = ieract == ierexp;
  if (kprint >= 3) {
    if (ok) put_line(lout, "     OK.");
    else put_line(lout, fmt("  COMPARE FAILED -- IERR = %5d", static_cast<int>(ieract)));
  }
  return ok;
}

// ------------------------------------------------------------- family calls
// Thin typed wrappers so the checks read the same in both precisions.

inline void chfdv(const double* a, i4 ne, const double* xe, double* fe, double* de, i4* next, i4* ierr) {
  dchfdv_(a, a + 1, a + 2, a + 3, a + 4, a + 5, &ne, xe, fe, de, next, ierr);
}
inline void chfdv(const float* a, i4 ne, const float* xe, float* fe, float* de, i4* next, i4* ierr) {
  chfdv_(a, a + 1, a + 2, a + 3, a + 4, a + 5, &ne, xe, fe, de, next, ierr);
}
inline void chfev(const double* a, i4 ne, const double* xe, double* fe, i4* next, i4* ierr) {
  dchfev_(a, a + 1, a + 2, a + 3, a + 4, a + 5, &ne, xe, fe, next, ierr);
}
inline void chfev(const float* a, i4 ne, const float* xe, float* fe, i4* next, i4* ierr) {
  chfev_(a, a + 1, a + 2, a + 3, a + 4, a + 5, &ne, xe, fe, next, ierr);
}
inline void pchfd(i4 n, const double* x, const double* f, const double* d, i4 inc, i4* skip, i4 ne,
                  const double* xe, double* fe, double* de, i4* ierr) {
  dpchfd_(&n, x, f, d, &inc, skip, &ne, xe, fe, de, ierr);
}
inline void pchfd(i4 n, const float* x, const float* f, const float* d, i4 inc, i4* skip, i4 ne, const float* xe,
                  float* fe, float* de, i4* ierr) {
  pchfd_(&n, x, f, d, &inc, skip, &ne, xe, fe, de, ierr);
}
inline void pchfe(i4 n, const double* x, const double* f, const double* d, i4 inc, i4* skip, i4 ne,
                  const double* xe, double* fe, i4* ierr) {
  dpchfe_(&n, x, f, d, &inc, skip, &ne, xe, fe, ierr);
}
inline void pchfe(i4 n, const float* x, const float* f, const float* d, i4 inc, i4* skip, i4 ne, const float* xe,
                  float* fe, i4* ierr) {
  pchfe_(&n, x, f, d, &inc, skip, &ne, xe, fe, ierr);
}
inline double pchia(i4 n, const double* x, const double* f, const double* d, i4* skip, double a, double b, i4* ierr) {
  i4 inc = 1;
  return dpchia_(&n, x, f, d, &inc, skip, &a, &b, ierr);
}
inline float pchia(i4 n, const float* x, const float* f, const float* d, i4* skip, float a, float b, i4* ierr) {
  i4 inc = 1;
  return pchia_(&n, x, f, d, &inc, skip, &a, &b, ierr);
}
inline void pchim(i4 n, const double* x, const double* f, double* d, i4* ierr) {
  i4 inc = 1;
  dpchim_(&n, x, f, d, &inc, ierr);
}
inline void pchim(i4 n, const float* x, const float* f, float* d, i4* ierr) {
  i4 inc = 1;
  pchim_(&n, x, f, d, &inc, ierr);
}
inline void pchic(const i4* ic, const double* vc, double sw, i4 n, const double* x, const double* f, double* d,
                  double* wk, i4 nwk, i4* ierr) {
  i4 inc = 1;
  dpchic_(ic, vc, &sw, &n, x, f, d, &inc, wk, &nwk, ierr);
}
inline void pchic(const i4* ic, const float* vc, float sw, i4 n, const float* x, const float* f, float* d, float* wk,
                  i4 nwk, i4* ierr) {
  i4 inc = 1;
  pchic_(ic, vc, &sw, &n, x, f, d, &inc, wk, &nwk, ierr);
}
inline void pchsp(const i4* ic, const double* vc, i4 n, const double* x, const double* f, double* d, double* wk,
                  i4 nwk, i4* ierr) {
  i4 inc = 1;
  dpchsp_(ic, vc, &n, x, f, d, &inc, wk, &nwk, ierr);
}
inline void pchsp(const i4* ic, const float* vc, i4 n, const float* x, const float* f, float* d, float* wk, i4 nwk,
                  i4* ierr) {
  i4 inc = 1;
  pchsp_(ic, vc, &n, x, f, d, &inc, wk, &nwk, ierr);
}
inline void pchcm(i4 n, const double* x, const double* f, const double* d, i4 inc, i4* skip, i4* ismon, i4* ierr) {
  dpchcm_(&n, x, f, d, &inc, skip, ismon, ierr);
}
inline void pchcm(i4 n, const float* x, const float* f, const float* d, i4 inc, i4* skip, i4* ismon, i4* ierr) {
  pchcm_(&n, x, f, d, &inc, skip, ismon, ierr);
}
inline void pchbs(i4 n, const double* x, const double* f, const double* d, i4 knotyp, i4* nknots, double* t,
                  double* bcoef, i4* ndim, i4* kord, i4* ierr) {
  i4 inc = 1;
  dpchbs_(&n, x, f, d, &inc, &knotyp, nknots, t, bcoef, ndim, kord, ierr);
}
inline void pchbs(i4 n, const float* x, const float* f, const float* d, i4 knotyp, i4* nknots, float* t,
                  float* bcoef, i4* ndim, i4* kord, i4* ierr) {
  i4 inc = 1;
  pchbs_(&n, x, f, d, &inc, &knotyp, nknots, t, bcoef, ndim, kord, ierr);
}
inline double bvalu(const double* t, const double* a, i4 n, i4 k, i4 ideriv, double x, i4* inbv, double* work) {
  return dbvalu_(t, a, &n, &k, &ideriv, &x, inbv, work);
}
inline float bvalu(const float* t, const float* a, i4 n, i4 k, i4 ideriv, float x, i4* inbv, float* work) {
  return bvalu_(t, a, &n, &k, &ideriv, &x, inbv, work);
}
inline void ftrue(double x, double* f, double* d) { dfdtru_(&x, f, d); }
inline void ftrue(float x, float* f, float* d) { fdtrue_(&x, f, d); }

// ------------------------------------------------------ evaluation: one cubic

template <class R> bool evchk(i4 lout, i4 kprint, i4 npts, R* xev, R* fev, R* dev, R* fev2) {
  const Out out{lout};
  const string P = Txt<R>::p;
  const R machep = Mach<R>::eps;
  const R tol1 = R(4) * machep, tol2 = R(10) * machep, small = R(1.0e-10);
  const R x1s[3] = {R(-1.5), R(2.0e-10), R(1.0)};
  const R x2s[3] = {R(2.5), R(3.0e-10), R(1.0e8)};
  bool fail = false;
  if (kprint >= 2) results_title(out, Txt<R>::evchk);
  if (kprint >= 3) {
    out("");
    out(string(10, ' ') + P + "CHFDV ACCURACY TEST");
  }
  if (npts <= 10) return true;  // too few points to place the outside ones
  for (int iint = 0; iint < 3; ++iint) {
    R x1 = x1s[iint], x2 = x2s[iint];
    R fact = std::max(std::sqrt(x2 - x1), R(1));
    R tolf1 = tol1 * fact, tolf2 = tol2 * fact;
    R c[6];  // x1, x2, f1, f2, d1, d2
    c[0] = x1;
    c[1] = x2;
    ftrue(x1, &c[2], &c[4]);
    ftrue(x2, &c[3], &c[5]);
    if (kprint >= 3) {
      out("");
      out("    X1 =" + num(x1) + "    X2 =" + num(x2));
      out("    F1 =" + num(c[2]) + "    F2 =" + num(c[3]));
      out("    D1 =" + num(c[4]) + "    D2 =" + num(c[5]));
    }
    if (kprint >= 2) {
      out("");
      out(" INTERVAL = (" + num(x1, 12, 4) + "," + num(x2, 12, 4) + " ):");
    }
    R floorf = std::max(std::min(std::fabs(c[2]), std::fabs(c[3])), small);
    R floord = std::max(std::min(std::fabs(c[4]), std::fabs(c[5])), small);
    auto rel = [](R err, R tru, R floor) { return err / std::max(std::fabs(tru), floor); };
    // Endpoints.
    xev[0] = x1;
    xev[1] = x2;
    i4 next[2] = {0, 0}, ierr = 0;
    chfdv(c, 2, xev, fev, dev, next, &ierr);
    R aef1 = fev[0] - c[2], aef2 = fev[1] - c[3], aed1 = dev[0] - c[4], aed2 = dev[1] - c[5];
    R ref1 = rel(aef1, c[2], floorf), ref2 = rel(aef2, c[3], floorf);
    R red1 = rel(aed1, c[4], floord), red2 = rel(aed2, c[5], floord);
    R errmax = std::max(std::max(std::fabs(ref1), std::fabs(ref2)), std::max(std::fabs(red1), std::fabs(red2)));
    if (kprint >= 3) {
      out(fmt(" ERRORS AT ENDPOINTS:%40s(NEXT =%3d%3d)", "", next[0], next[1]));
      out("    F1:" + num(aef1) + num(ref1) + "    F2:" + num(aef2) + num(ref2));
      out("    D1:" + num(aed1) + num(red1) + "    D2:" + num(aed2) + num(red2));
    }
    if (ierr != 0 || errmax > tolf1) {
      fail = true;
      if (kprint >= 2) out(" ***** " + P + "CHFDV FAILED TO REPRODUCE ENDPOINT VALUES.");
    }
    i4 next2[2] = {0, 0}, ierr2 = 0;
    chfev(c, 2, xev, fev2, next2, &ierr2);
    if (ierr2 != 0 || fev2[0] != fev[0] || fev2[1] != fev[1]) {
      fail = true;
      if (kprint >= 2) out(" ***** " + P + "CHFEV DOES NOT AGREE WITH " + P + "CHFDV AT ENDPOINTS.");
    }
    // Interior points, four left of the interval and six right of it.
    R h = (x2 - x1) / R(npts - 10);
    for (i4 i = 1; i <= npts; ++i) {
      float zero = 0.0f;
      R r = static_cast<R>(pchip_rand_(&zero));
      xev[i - 1] = x1 + R(i - 5) * h + r * h;
    }
    chfdv(c, npts, xev, fev, dev, next, &ierr);
    if (ierr != 0) {
      fail = true;
      if (kprint >= 2) out(" ***** ERROR ***** " + P + "CHFDV RETURNED IERR =" + fmt("%5d", ierr));
    } else {
      R aefmin = 0, aefmax = 0, refmin = 0, refmax = 0, aedmin = 0, aedmax = 0, redmin = 0, redmax = 0;
      R xs[8] = {};
      for (i4 i = 0; i < npts; ++i) {
        R ft, dt;
        ftrue(xev[i], &ft, &dt);
        R ae = fev[i] - ft, re = rel(ae, ft, floorf);
        R ad = dev[i] - dt, rd = rel(ad, dt, floord);
        R vals[4] = {ae, re, ad, rd};
        R* mins[4] = {&aefmin, &refmin, &aedmin, &redmin};
        R* maxs[4] = {&aefmax, &refmax, &aedmax, &redmax};
        for (int q = 0; q < 4; ++q) {
          if (i == 0 || vals[q] < *mins[q]) {
            *mins[q] = vals[q];
            xs[q] = xev[i];
          }
          if (i == 0 || vals[q] > *maxs[q]) {
            *maxs[q] = vals[q];
            xs[4 + q] = xev[i];
          }
        }
      }
      R fermax = std::max(std::fabs(refmax), std::fabs(refmin));
      R dermax = std::max(std::fabs(redmax), std::fabs(redmin));
      if (kprint >= 3) {
        out("");
        out(fmt(" ERRORS AT %5d INTERIOR POINTS + 10 OUTSIDE:%15s(NEXT =%3d%3d)", npts - 10, "", next[0],
                next[1]));
        out(fmt("%31s%s", "", "FUNCTION                   DERIVATIVE"));
        out(fmt("%21s%s", "", "ABS         REL             ABS         REL"));
        out(" MINIMUM ERROR:  " + num(aefmin, 12, 4) + num(refmin, 12, 4) + "    " + num(aedmin, 12, 4) +
            num(redmin, 12, 4));
        out(" LOCATED AT X =  " + num(xs[0], 12, 4) + num(xs[1], 12, 4) + "    " + num(xs[2], 12, 4) +
            num(xs[3], 12, 4));
        out(" MAXIMUM ERROR:  " + num(aefmax, 12, 4) + num(refmax, 12, 4) + "    " + num(aedmax, 12, 4) +
            num(redmax, 12, 4));
        out(" LOCATED AT X =  " + num(xs[4], 12, 4) + num(xs[5], 12, 4) + "    " + num(xs[6], 12, 4) +
            num(xs[7], 12, 4));
      }
      bool bad = false;
      if (fermax > tolf2) {
        bad = true;
        if (kprint >= 2)
          out(" ***** MAXIMUM RELATIVE ERROR IN F =" + num(fermax, 13, 5) + ",   EXCEEDS TOLERANCE =" +
              num(tolf2, 13, 5));
      }
      if (dermax > tolf2) {
        bad = true;
        if (kprint >= 2)
          out(" ***** MAXIMUM RELATIVE ERROR IN D =" + num(dermax, 13, 5) + ",   EXCEEDS TOLERANCE =" +
              num(tolf2, 13, 5));
      }
      if (next[0] + next[1] != 10) {
        bad = true;
        if (kprint >= 2) out(fmt(" ***** REPORTED NEXT =%5d%5d   RATHER THAN    4    6", next[0], next[1]));
      }
      if (bad) fail = true;
      else if (kprint >= 2) out(" " + P + "CHFDV RESULTS OK.");
    }
    // The value-only routine must give the same values bit for bit.
    chfev(c, npts, xev, fev2, next2, &ierr2);
    if (ierr2 != 0) {
      fail = true;
      if (kprint >= 2) out(" ***** ERROR ***** " + P + "CHFEV RETURNED IERR =" + fmt("%5d", ierr2));
    } else {
      R dmax = 0, xat = xev[0];
      for (i4 i = 0; i < npts; ++i) {
        R df = std::fabs(fev2[i] - fev[i]);
        if (df > dmax) {
          dmax = df;
          xat = xev[i];
        }
      }
      bool same_next = next2[0] == next[0] && next2[1] == next[1];
      if (dmax != R(0) || !same_next) {
        fail = true;
        if (kprint >= 2) {
          out(" ***** " + P + "CHFEV DID NOT AGREE WITH " + P + "CHFDV:");
          if (dmax != R(0)) out("   MAXIMUM DIFFERENCE " + num(dmax, 12, 4) + "; OCCURRED AT X =" + num(xat, 12, 4));
          if (!same_next)
            out(fmt("   REPORTED NEXT =%5d%5d   RATHER THAN %5d%5d", next2[0], next2[1], next[0], next[1]));
        }
      } else if (kprint >= 2) {
        out(" " + P + "CHFEV AGREES WITH " + P + "CHFDV.");
      }
    }
  }
  return fail;
}

// ------------------------------------------- evaluation: two-variable tables

template <class R>
bool evpck(i4 lout, i4 kprint, R* x, R* y, R* f, R* fx, R* fy, R* xe, R* ye, R* fe, R* de, R* fe2) {
  const Out out{lout};
  const string P = Txt<R>::p;
  const R tol = R(Txt<R>::pck_tol) * Mach<R>::eps;
  const i4 nx = 4, ny = 6, ne = 51, lda = 10;
  if (kprint >= 3) {
    out("");
    out(string(10, ' ') + "TEST " + P + "PCHFE AND " + P + "PCHFD");
  }
  if (kprint >= 2) results_title(out, Txt<R>::evpck);
  for (i4 i = 1; i <= nx; ++i) x[i - 1] = R(0.25) * R(i);
  for (i4 j = 1; j <= ny; ++j) y[j - 1] = R(0.5) * R(j) - R(1.25);
  for (i4 i = 0; i < nx; ++i)
    for (i4 j = 0; j < ny; ++j) {
      R xv = x[i], yv = y[j];
      f[i + lda * j] = xv * (xv * xv + R(1)) * (yv * yv);
      fx[i + lda * j] = (R(3) * xv * xv + R(1)) * (yv * yv);
      fy[i + lda * j] = R(2) * xv * (xv * xv + R(1)) * yv;
    }
  for (i4 k = 1; k <= ne - 1; ++k) {
    xe[k - 1] = R(k - 1) / R(50);
    ye[k - 1] = R(4) * xe[k - 1] - R(2);
  }
  xe[ne - 1] = R(1);
  ye[ne - 1] = R(2);
  const string ind(static_cast<size_t>(Txt<R>::pck_indent), ' ');
  bool fail = false;
  // Lines of constant Y ("J" lines, stride 1), then of constant X ("I" lines, stride 10).
  for (int set = 0; set < 2; ++set) {
    const bool jl = set == 0;
    const i4 nlines = jl ? ny : nx, n = jl ? nx : ny, inc = jl ? 1 : lda;
    const i4 expect = jl ? 13 : 20;
    const char idx = jl ? 'J' : 'I', coord = jl ? 'Y' : 'X';
    const R* pts = jl ? xe : ye;
    const R* abscissas = jl ? x : y;
    i4 skip = 0, nfail = 0;
    for (i4 line = 1; line <= nlines; ++line) {
      const R* fl = jl ? f + lda * (line - 1) : f + (line - 1);
      const R* dl = jl ? fx + lda * (line - 1) : fy + (line - 1);
      const R cv = jl ? y[line - 1] : x[line - 1];
      const string name = fmt("%c-LINE%2d,  %c =", idx, line, coord) + fix(cv);
      i4 ierr = 0, ierr2 = 0;
      pchfd(n, abscissas, fl, dl, inc, &skip, ne, pts, fe, de, &ierr);
      if (kprint >= 3) {
        out("");
        out(fmt(" %sPCHFD INCREMENT TEST -- INCFD = %2d", P.c_str(), inc));
        out(" " + name + fmt("  --  IERR =%3d", ierr));
      }
      if (ierr < 0) {
        ++nfail;
        if (kprint >= 2) out(" ***** ERROR ***** " + P + "PCHFD RETURNED IERR =" + fmt("%5d", ierr));
        continue;
      }
      pchfe(n, abscissas, fl, dl, inc, &skip, ne, pts, fe2, &ierr2);
      R eermax = 0, dermax = 0, dfmax = 0, xfat = pts[0], xdat = pts[0];
      for (i4 k = 0; k < ne; ++k) {
        R p = pts[k], ft, dt;
        if (jl) {
          ft = p * (p * p + R(1)) * (cv * cv);
          dt = (R(3) * p * p + R(1)) * (cv * cv);
        } else {
          ft = cv * (cv * cv + R(1)) * (p * p);
          dt = R(2) * cv * (cv * cv + R(1)) * p;
        }
        R ef = std::fabs(fe[k] - ft), ed = std::fabs(de[k] - dt);
        if (ef > eermax) {
          eermax = ef;
          xfat = p;
        }
        if (ed > dermax) {
          dermax = ed;
          xdat = p;
        }
        dfmax = std::max(dfmax, std::fabs(fe2[k] - fe[k]));
        if (kprint >= 4) {
          if (k == 0) out(fmt("   %cE%13sF%12sFE%10sDIFF%11sD%12sDE%10sDIFF", coord, "", "", "", "", "", ""));
          out(num(p, 12, 4) + num(ft, 13, 5) + num(fe[k], 13, 5) + num(fe[k] - ft, 12, 3) + num(dt, 13, 5) +
              num(de[k], 13, 5) + num(de[k] - dt, 12, 3));
        }
      }
      bool tolbad = eermax > tol || dermax > tol;
      bool diffbad = dfmax != R(0);
      bool codebad = ierr != expect, code2bad = ierr2 != ierr;
      bool bad = tolbad || diffbad || codebad || code2bad;
      if (bad) ++nfail;
      if (bad && kprint >= 2) out(" ***** " + P + "PCHFD AND/OR " + P + "PCHFE FAILED ON " + name);
      if (kprint >= 3 || (kprint >= 2 && tolbad)) {
        out(ind + "  MAXIMUM ERROR IN FUNCTION =" + num(eermax, 13, 5) + " (AT" + num(xfat, 12, 4) + ")");
        out(ind + "              IN DERIVATIVE =" + num(dermax, 13, 5) + " (AT" + num(xdat, 12, 4) + ")");
      }
      if (tolbad && kprint >= 2) out("  *** BOTH SHOULD BE .LE. TOL =" + num(tol, 13, 5));
      if (kprint >= 3 || (kprint >= 2 && diffbad))
        out(ind + "  MAXIMUM DIFFERENCE BETWEEN " + P + "PCHFE AND " + P + "PCHFD =" + num(dfmax, 13, 5));
      if (codebad && kprint >= 2)
        out("  " + P + fmt("PCHFD RETURNED IERR = %5d INSTEAD OF %5d", ierr, expect));
      if (code2bad && kprint >= 2)
        out("  " + P + fmt("PCHFE RETURNED IERR = %5d INSTEAD OF %5d", ierr2, ierr));
    }
    if (nfail == 0) {
      if (kprint >= 2) out(fmt(" %sPCHFD AND %sPCHFE OK ON %c-LINES.", P.c_str(), P.c_str(), idx));
    } else {
      fail = true;
      if (kprint >= 2)
        out(fmt(" ***** ERROR ***** %sPCHFD AND/OR %sPCHFE FAILED ON%3d %c-LINES.", P.c_str(), P.c_str(), nfail,
                idx));
    }
  }
  return fail;
}

// ---------------------------------------------------- evaluation: error returns

template <class R> bool everk(i4 lout, i4 kprint) {
  const Out out{lout};
  const string P = Txt<R>::p;
  const i4 saved = control_flag();
  set_control_flag(kprint <= 2 ? 0 : 1);
  if (kprint >= 3) {
    out("");
    out(string(10, ' ') + "TEST ERROR RETURNS");
  }
  if (kprint >= 2) results_title(out, Txt<R>::everk);
  const R c[6] = {R(0), R(1), R(3), R(7), R(3), R(6)};
  const R c2[6] = {R(1), R(1), R(3), R(7), R(3), R(6)};
  R x[10], f[10], d[10], xe[1] = {R(0)}, fe[1], de[1];
  for (int i = 0; i < 10; ++i) {
    x[i] = R(i + 1);
    f[i] = R(i + 3);
    d[i] = R(1);
  }
  std::swap(x[3], x[6]);
  i4 nerr = 0, next[2], ierr;
  auto expect = [&](i4 code) {
    if (kprint >= 3) out(fmt(" THIS CALL SHOULD RETURN IERR =%5d", code));
  };
  auto check = [&](i4 code) {
    if (!compare_codes(ierr, code, lout, kprint)) ++nerr;
  };
  expect(-1);
  chfev(c, 0, xe, fe, next, &ierr);
  check(-1);
  expect(-2);
  chfev(c2, 1, xe, fe, next, &ierr);
  check(-2);
  expect(-1);
  chfdv(c, 0, xe, fe, de, next, &ierr);
  check(-1);
  expect(-2);
  chfdv(c2, 1, xe, fe, de, next, &ierr);
  check(-2);
  for (int deriv = 0; deriv < 2; ++deriv) {
    const i4 ns[3] = {1, 10, 10}, skips[3] = {0, 0, 1}, codes[3] = {-1, -3, -4};
    for (int k = 0; k < 3; ++k) {
      i4 skip = skips[k];
      expect(codes[k]);
      if (deriv) pchfd(ns[k], x, f, d, 1, &skip, 0, xe, fe, de, &ierr);
      else pchfe(ns[k], x, f, d, 1, &skip, 0, xe, fe, &ierr);
      check(codes[k]);
    }
  }
  if (kprint >= 3) dump_table();
  if (nerr == 0) {
    if (kprint >= 2) {
      out("");
      out("");
      out(" ALL ERROR RETURNS OK.");
    }
  } else if (kprint >= 2) {
    out("");
    out("");
    out(" ***** TROUBLE IN " + string(Txt<R>::everk) + " *****");
    out("");
    out(fmt("     %5d TESTS FAILED TO GIVE EXPECTED RESULTS.", nerr));
  }
  set_control_flag(saved);
  return nerr != 0;
}

template <class R> void q1(i4 lun, i4 kprint, i4* ipass) {
  const Out out{lun};
  R work[4000];
  if (kprint >= 2) {
    out("1");
    out(fmt(" ------------%s QUICK CHECK OUTPUT ------------", Txt<R>::pkg));
    out("");
    out(fmt("%20s( KPRINT =%2d )", "", kprint));
  }
  i4 ifail = 0;
  if (evchk<R>(lun, kprint, 1000, work, work + 1000, work + 2000, work + 3000)) ifail += 1;
  if (evpck<R>(lun, kprint, work, work + 10, work + 20, work + 120, work + 220, work + 320, work + 371, work + 422,
               work + 473, work + 524))
    ifail += 2;
  if (everk<R>(lun, kprint)) ifail += 4;
  common_end<R>(out, kprint, ifail, "EVALUATION", ipass);
}

// --------------------------------------------------------------- integration

template <class R> void q2(i4 lun, i4 kprint, i4* ipass) {
  const Out out{lun};
  const string name = Txt<R>::q[2];
  common_start<R>(out, kprint, (string("TEST ") + Txt<R>::p + "PCHIP INTEGRATORS").c_str(), name.c_str());
  const R tol = R(100) * Mach<R>::eps;
  const i4 n = 7;
  R x[7] = {R(-4), R(-2), R(-0.9), R(0), R(0.9), R(2), R(4)}, f[7], d[7];
  for (int i = 0; i < n; ++i) {
    f[i] = R(3) * x[i] * x[i] * (x[i] - R(2));
    d[i] = R(3) * x[i] * (R(3) * x[i] - R(4));
  }
  static const double as[17] = {-3, 3, -0.5, -0.5, -0.5, -4, -4, 3, -5, -5, -6, 6, -1.5, -1.5, -3, 3, 0.5};
  static const double bs[17] = {3, -3, 1, 2, 5, -0.5, 4, 5, -3, 5, -5, 5, -0.5, -1, -2.5, 3.5, 0.5};
  static const i4 codes[17] = {0, 0, 0, 0, 2, 0, 0, 2, 1, 3, 3, 3, 0, 0, 0, 0, 0};
  if (kprint >= 3) {
    out("");
    out(" DATA:");
    out("");
    out("                   X           F           D");
    for (int i = 0; i < n; ++i) out(fmt("%15d", i + 1) + num(x[i], 12, 3) + num(f[i], 12, 3) + num(d[i], 12, 3));
    out("");
    out(" TEST RESULTS:");
    out("");
    out("    A     B    ERR     TRUE          CALC          ERROR");
  }
  auto fint = [](R v) { return (R(0.75) * v - R(2)) * v * v * v; };
  i4 ifail = 0, skip = 0;
  R errmax = 0;
  bool first = true;
  for (int k = 0; k < 17; ++k) {
    R a = R(as[k]), b = R(bs[k]);
    i4 ierr = 0;
    R calc = pchia(n, x, f, d, &skip, a, b, &ierr);
    if (ierr < 0) {
      ++ifail;
      if (kprint >= 3) out(fix(a, 6, 1) + fix(b, 6, 1) + fmt("%5d", ierr));
      continue;
    }
    R tru = fint(b) - fint(a);
    R err = std::fabs(calc - tru) / std::max(R(1), std::fabs(tru));
    if (first || err > errmax) errmax = err;
    first = false;
    bool bad = err > tol || ierr != codes[k];
    if (bad) ++ifail;
    if (kprint >= 3) {
      string row = fix(a, 6, 1) + fix(b, 6, 1) + fmt("%5d", ierr) + num(tru, 14, 6) + num(calc, 14, 6) +
                   num(calc - tru, 12, 2);
      if (ierr != codes[k]) row += fmt("  (%2d) *****", codes[k]);
      out(row);
    }
  }
  if (kprint >= 2) {
    out("");
    out("  MAXIMUM RELATIVE ERROR IS:" + num(errmax, 11, 2) + ",   TOLERANCE:" + num(tol, 11, 2));
  }
  common_end<R>(out, kprint, ifail, "INTEGRATION", ipass);
}

// -------------------------------------------------------- derivative setting

template <class R> void q3(i4 lun, i4 kprint, i4* ipass) {
  const Out out{lun};
  const string name = Txt<R>::q[3];
  const string pch = Txt<R>::pch;
  common_start<R>(out, kprint, (string("TEST ") + Txt<R>::p + "PCHIP INTERPOLATORS").c_str(), name.c_str());
  const R machep = Mach<R>::eps;
  const R tol = R(10) * machep;
  const R told = std::max(R(10) * tol, R(1.0e-7));
  const R tolz = R(0);
  const i4 n = 9;
  const R x[9] = {R(-2.2), R(-1.2), R(-1.0), R(-0.5), R(-0.01), R(0.5), R(1.0), R(2.0), R(2.2)};
  const R dm[9] = {R(0), R(0.380027352), R(0.717253009), R(0.582014161), R(0), R(-0.568208031),
                   R(-0.513501618), R(-0.0777910977), R(-0.00245611117)};
  const R ds[9] = {R(-0.0516830792), R(0.571455855), R(0.740530225), R(0.763864934), R(0.0192614386),
                   R(-0.76532438), R(-0.728209035), R(-0.0798445427), R(-0.0285983446)};
  const R dc5 = R(0.0176950158), dc6 = R(-0.569579814);
  R f[9], d[9], dim[9], dic[9], wk[18];
  for (int i = 0; i < n; ++i) f[i] = std::exp(-(x[i] * x[i]));
  if (kprint >= 3) {
    out("");
    out("         DATA:");
    out("");
    out("     I      X           F           DM          DS          DC");
    for (int i = 0; i < n; ++i) {
      string row = fmt("%6d", i + 1) + num(x[i], 12, 4) + num(f[i], 12, 4) + num(dm[i], 12, 4) + num(ds[i], 12, 4);
      if (i == 4) row += num(dc5, 12, 4);
      if (i == 5) row += num(dc6, 12, 4);
      out(row);
    }
  }
  i4 ifail = 0;
  const i4 ic[2] = {0, 0};
  const R vc[2] = {R(0), R(0)};
  // One case: announce, compare the code, then compare point by point.
  auto run = [&](const char* two, i4 ierr, i4 expect, auto&& point_ok, auto&& failmsg) {
    if (kprint >= 3) {
      out("");
      out(" " + pch + two + " TEST:");
      out(fmt(" EXPECT  IERR =%5d", expect));
    }
    if (!compare_codes(ierr, expect, lun, kprint)) {
      ++ifail;
      return;
    }
    i4 nbad = 0;
    for (int i = 0; i < n; ++i) {
      const char* mark = point_ok(i);
      if (mark[2] == 'B') ++nbad;
      if (kprint >= 3) out(fmt("%6d", i + 1) + num(d[i], 16, 8) + "  " + mark);
    }
    if (nbad != 0) {
      ++ifail;
      if (kprint >= 2) out(fmt("    **%5d", nbad) + " " + pch + two + string(failmsg()));
    } else if (kprint >= 2) {
      out("  ALL " + pch + two + " RESULTS OK.");
    }
  };
  i4 ierr = 0;
  pchim(n, x, f, d, &ierr);
  for (int i = 0; i < n; ++i) dim[i] = d[i];
  bool nonzero_fail = false;
  run("IM", ierr, 1, [&](int i) -> const char* {
    if (dm[i] == R(0)) {
      if (std::fabs(d[i]) > tolz) {
        nonzero_fail = true;
        return "**BADZ";
      }
      return "  OK  ";
    }
    return std::fabs(d[i] - dm[i]) / std::fabs(dm[i]) > told ? "**BAD " : "  OK  ";
  }, [&]() { return nonzero_fail ? string(" RESULTS FAILED TO BE EXACTLY ZERO.") : " RESULTS FAILED TOLERANCE TEST.  TOL =" + num(told, 10, 2); });
  pchic(ic, vc, R(0), n, x, f, d, wk, 18, &ierr);
  for (int i = 0; i < n; ++i) dic[i] = d[i];
  run("IC", ierr, 0, [&](int i) -> const char* { return std::fabs(d[i] - dim[i]) > tol ? "**BAD " : "  OK  "; },
      [&]() { return " RESULTS FAILED TOLERANCE TEST.  TOL =" + num(tol, 10, 2); });
  pchic(ic, vc, R(-1), n, x, f, d, wk, 18, &ierr);
  run("IC", ierr, 0, [&](int i) -> const char* {
    if (i == 4) return std::fabs(d[i] - dc5) / std::fabs(dc5) > told ? "**BAD " : "  OK  ";
    if (i == 5) return std::fabs(d[i] - dc6) / std::fabs(dc6) > told ? "**BAD " : "  OK  ";
    return std::fabs(d[i] - dic[i]) > tolz ? "**BADA" : "  OK  ";
  }, []() { return string(" RESULTS FAILED TO AGREE WITH PREVIOUS CALL."); });
  pchsp(ic, vc, n, x, f, d, wk, 18, &ierr);
  run("SP", ierr, 0, [&](int i) -> const char* {
    return std::fabs(d[i] - ds[i]) / std::fabs(ds[i]) > told ? "**BAD " : "  OK  ";
  }, [&]() { return " RESULTS FAILED TOLERANCE TEST.  TOL =" + num(told, 10, 2); });
  common_end<R>(out, kprint, ifail, "INTERPOLATION", ipass);
}

// ------------------------------------------------------- monotonicity check

template <class R> void q4(i4 lun, i4 kprint, i4* ipass) {
  const Out out{lun};
  const string name = Txt<R>::q[4];
  common_start<R>(out, kprint, (string("TEST ") + Txt<R>::p + "PCHIP MONOTONICITY CHECKER").c_str(), name.c_str());
  static const int fv[16] = {1, 2, 3, 2, 3, 4, 3, 4, 5, 4, 5, 6, 5, 6, 7, 6};
  static const int fbv[7] = {0, 2, 3, 5, 3, 2, 0}, dbv[7] = {1, 3, 3, 0, -3, -3, -1};
  static const i4 expect[3][16] = {{1, 1, -1, 1, 1, -1, 1, 1, -1, 1, 1, -1, 1, 1, -1, 2},
                                   {1, 2, 2, 1, 2, 2, 1, 2},
                                   {1, 1, 1, 1, 1, 1}};
  static const i4 expectb[7] = {1, 3, 1, -1, -3, -1, 2};
  R x[16], f[16], d[16], fb[7], db[7];
  for (int i = 0; i < 16; ++i) {
    x[i] = R(i + 1);
    f[i] = R(fv[i]);
    d[i] = (i + 1) % 3 == 2 ? R(2) : R(0);
  }
  for (int i = 0; i < 7; ++i) {
    fb[i] = R(fbv[i]);
    db[i] = R(dbv[i]);
  }
  if (kprint >= 3) {
    out("");
    out("         I     X     F     D    FB    DB");
    for (int i = 0; i < 16; ++i) {
      string row = fmt("%10d", i + 1) + fix(x[i], 6, 1) + fix(f[i], 6, 1) + fix(d[i], 6, 1);
      if (i < 7) row += fix(fb[i], 6, 1) + fix(db[i], 6, 1);
      out(row);
    }
  }
  i4 ifail = 0;
  auto cases = [&](R sign) {
    // The second data set exercises the codes near the monotonicity boundary;
    // its line is labelled as the bug test.
    auto one = [&](i4 n, i4 inc, const R* fp, const R* dp, const i4* want, bool bug) {
      i4 ismon[16], ierr = 0, skip = 0;
      pchcm(n, x, fp, dp, inc, &skip, ismon, &ierr);
      if (kprint >= 3) {
        out("");
        string row = bug ? fmt(" Bug test:  IERR =%3d     ISMON =", ierr)
                         : fmt(" INCFD =%2d:  IERR =%3d     ISMON =", inc, ierr);
        for (int i = 0; i < n; ++i) row += fmt("%3d", ismon[i]);
        out(row);
      }
      if (ierr != 0) {
        ++ifail;
        if (kprint >= 3) out(" *** Failed -- bad IERR value.");
        return;
      }
      for (int i = 0; i < n; ++i) {
        i4 w = want[i] == 2 ? 2 : (sign < 0 ? -want[i] : want[i]);
        if (ismon[i] != w) {
          ++ifail;
          if (kprint >= 3) {
            string row = " *** Failed -- expect:";
            for (int j = 0; j < n; ++j) row += fmt("%3d", want[j] == 2 ? 2 : (sign < 0 ? -want[j] : want[j]));
            out(row);
          }
          return;
        }
      }
    };
    for (i4 inc = 1; inc <= 3; ++inc) one(inc == 1 ? 16 : inc == 2 ? 8 : 6, inc, f, d, expect[inc - 1], false);
    one(7, 1, fb, db, expectb, true);
  };
  cases(R(1));
  if (kprint >= 3) {
    out("");
    out(" Changing sign of data.....");
  }
  for (int i = 0; i < 16; ++i) {
    f[i] = -f[i];
    d[i] = -d[i];
  }
  for (int i = 0; i < 7; ++i) {
    fb[i] = -fb[i];
    db[i] = -db[i];
  }
  cases(R(-1));
  common_end<R>(out, kprint, ifail, "MONOTONICITY", ipass);
}

// ----------------------------------------------------- B-spline conversion

template <class R> void q5(i4 lun, i4 kprint, i4* ipass) {
  const Out out{lun};
  const string name = Txt<R>::q[5];
  common_start<R>(out, kprint, "TEST PCH TO B-SPLINE CONVERTER", name.c_str());
  const R tol = R(100) * Mach<R>::eps, tolz = R(0);
  const i4 n = 9;
  const R x[9] = {R(-2.2), R(-1.2), R(-1.0), R(-0.5), R(-0.01), R(0.5), R(1.0), R(2.0), R(2.2)};
  const R f[9] = {R(0.0079), R(0.2369), R(0.3679), R(0.7788), R(0.9999),
                  R(0.7788), R(0.3679), R(0.1083), R(0.0079)};
  const R d[9] = {R(0), R(0.38), R(0.7173), R(0.582), R(0.0177), R(-0.5696), R(-0.5135), R(-0.0778), R(-0.0025)};
  R t[2 * 9 + 4], tsave[2 * 9 + 4] = {}, bcoef[2 * 9], work[12];
  i4 ifail = 0, nknots = 0;
  if (kprint >= 3) {
    out("");
    out(" (Results should be the same for all KNOTYP values.)");
  }
  const i4 types[4] = {2, 1, 0, -1};
  for (i4 knotyp : types) {
    i4 ndim = 0, kord = 0, ierr = 0;
    pchbs(n, x, f, d, knotyp, &nknots, t, bcoef, &ndim, &kord, &ierr);
    if (kprint >= 3) {
      out("");
      out(fmt(" KNOTYP =%2d:  NKNOTS =%3d,  NDIM =%3d,  K =%2d,  IERR =%3d", knotyp, nknots, ndim, kord, ierr));
    }
    if (ierr != 0) {
      ++ifail;
      if (kprint >= 3) out(" *** Failed -- bad IERR value.");
      continue;
    }
    if (kprint >= 3) {
      out("");
      out("      I       X         KNOTS            F       FERR          D       DERR");
    }
    i4 inbv = 1;
    R fermax = 0, dermax = 0;
    for (int i = 0; i < n; ++i) {
      R fv = bvalu(t, bcoef, ndim, kord, 0, x[i], &inbv, work);
      R ferr = std::fabs(f[i] - fv) / std::max(std::fabs(f[i]), R(1.0e-5));
      R dv = bvalu(t, bcoef, ndim, kord, 1, x[i], &inbv, work);
      R derr = std::fabs(d[i] - dv) / std::max(std::fabs(d[i]), R(1.0e-5));
      fermax = std::max(fermax, ferr);
      dermax = std::max(dermax, derr);
      if (kprint >= 3)
        out(fmt("%7d", i + 1) + fix(x[i], 9, 4) + fix(t[2 * i], 9, 4) + fix(t[2 * i + 1], 9, 4) + fix(f[i], 9, 4) +
            num(ferr, 10, 2) + fix(d[i], 9, 4) + num(derr, 10, 2));
    }
    if (kprint >= 3)
      out(fmt("%7s%9s", "", "") + fix(t[2 * n], 9, 4) + fix(t[2 * n + 1], 9, 4));
    bool bad = std::max(fermax, dermax) > tol;
    if (bad) ++ifail;
    if (kprint >= 3 || (kprint >= 2 && bad)) {
      out("");
      out(" Maximum relative errors:");
      out("         F-error =" + num(fermax, 13, 5) + "     D-error =" + num(dermax, 13, 5));
      out(" Both should be less than  TOL =" + num(tol, 13, 5));
    }
    if (knotyp == 0) {
      for (int i = 0; i < 2 * n + 4; ++i) tsave[i] = t[i];
    } else if (knotyp == -1) {
      R tchg = 0;
      for (int i = 0; i < 2 * n + 4; ++i) tchg = std::max(tchg, std::fabs(t[i] - tsave[i]));
      if (tchg > tolz) {
        ++ifail;
        if (kprint >= 2)
          out(" *** T-ARRAY MAXIMUM CHANGE =" + num(tchg, 13, 5) + ";  SHOULD NOT EXCEED TOLZ =" + num(tolz, 13, 5));
      }
    }
  }
  common_end<R>(out, kprint, ifail, "CONVERSION", ipass);
}

// Pseudo-random state: high and low 11-bit halves of a 22-bit state.
i4 rand_ix1 = 0, rand_ix0 = 0;

}  // namespace
}  // namespace pchip

using namespace pchip;

VX_API void dpchq1_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q1<double>(*lun, *kprint, ipass); }
VX_API void dpchq2_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q2<double>(*lun, *kprint, ipass); }
VX_API void dpchq3_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q3<double>(*lun, *kprint, ipass); }
VX_API void dpchq4_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q4<double>(*lun, *kprint, ipass); }
VX_API void dpchq5_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q5<double>(*lun, *kprint, ipass); }
VX_API void pchqk1_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q1<float>(*lun, *kprint, ipass); }
VX_API void pchqk2_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q2<float>(*lun, *kprint, ipass); }
VX_API void pchqk3_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q3<float>(*lun, *kprint, ipass); }
VX_API void pchqk4_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q4<float>(*lun, *kprint, ipass); }
VX_API void pchqk5_(const int32_t* lun, const int32_t* kprint, int32_t* ipass) { q5<float>(*lun, *kprint, ipass); }

VX_API void devchk_(const int32_t* lout, const int32_t* kprint, const int32_t* npts, double* xev, double* fev,
                    double* dev, double* fev2, int32_t* fail) {
  *fail = evchk<double>(*lout, *kprint, *npts, xev, fev, dev, fev2);
}
VX_API void evchck_(const int32_t* lout, const int32_t* kprint, const int32_t* npts, float* xev, float* fev,
                    float* dev, float* fev2, int32_t* fail) {
  *fail = evchk<float>(*lout, *kprint, *npts, xev, fev, dev, fev2);
}
VX_API void devpck_(const int32_t* lout, const int32_t* kprint, double* x, double* y, double* f, double* fx,
                    double* fy, double* xe, double* ye, double* fe, double* de, double* fe2, int32_t* fail) {
  *fail = evpck<double>(*lout, *kprint, x, y, f, fx, fy, xe, ye, fe, de, fe2);
}
VX_API void evpcck_(const int32_t* lout, const int32_t* kprint, float* x, float* y, float* f, float* fx, float* fy,
                    float* xe, float* ye, float* fe, float* de, float* fe2, int32_t* fail) {
  *fail = evpck<float>(*lout, *kprint, x, y, f, fx, fy, xe, ye, fe, de, fe2);
}
VX_API void deverk_(const int32_t* lout, const int32_t* kprint, int32_t* fail) { *fail = everk<double>(*lout, *kprint); }
VX_API void everck_(const int32_t* lout, const int32_t* kprint, int32_t* fail) { *fail = everk<float>(*lout, *kprint); }

VX_API int32_t comp_(const int32_t* ieract, const int32_t* ierexp, const int32_t* lout, const int32_t* kprint) {
  return compare_codes(*ieract, *ierexp, *lout, *kprint) ? 1 : 0;
}

VX_API void dfdtru_(const double* x, double* f, double* d) {
  const double xv = *x, fact1 = xv + 1.0, fact2 = xv - 2.0;
  *f = xv * fact1 * fact2;
  *d = fact1 * fact2 + xv * (fact1 + fact2);
}

VX_API void fdtrue_(const float* x, float* f, float* d) {
  // Evaluated in double from the 32-bit abscissa, then rounded.
  const double xv = *x, fact1 = xv + 1.0, fact2 = xv - 2.0;
  *f = static_cast<float>(xv * fact1 * fact2);
  *d = static_cast<float>(fact1 * fact2 + xv * (fact1 + fact2));
}

VX_API float pchip_rand_(const float* r) {
  constexpr i4 ia1 = 1536, ia0 = 1029, ia1ma0 = 507, ic = 1731;
  const float rv = *r;
  if (rv == 0.0f) {
    i4 iy0 = ia0 * rand_ix0;
    i4 iy1 = ia1 * rand_ix1 + ia1ma0 * (rand_ix0 - rand_ix1) + iy0;
    iy0 = iy0 + ic;
    rand_ix0 = iy0 % 2048;
    iy1 = iy1 + (iy0 - rand_ix0) / 2048;
    rand_ix1 = iy1 % 2048;
  } else if (i4 s; rv > 0.0f && vx::util::to_i4(std::fmod(rv, 1.0f) * 4194304.0f + 0.5f, s)) {
    rand_ix0 = s % 2048;
    rand_ix1 = (s - rand_ix0) / 2048;
  }
  // A NaN argument, like a negative one, leaves the state alone; so does an
  // infinite one, which has no fraction.
  return static_cast<float>(rand_ix1 * 2048 + rand_ix0) / 4194304.0f;
}

VX_API void get_unit_(int32_t* iunit) {
  // Only the console units (0, 5, 6) are connected in this runtime; 5, 6 and
  // 9 are never handed out, so the first candidate is always free.
  *iunit = 0;
  for (i4 i = 1; i <= 99; ++i) {
    if (i == 5 || i == 6 || i == 9) continue;
    *iunit = i;
    return;
  }
}

VX_API void pchip_timestamp_(void) {
  char b[96];
  vx::timestamp_text(b, sizeof b);
  put_line(6, b);
}
