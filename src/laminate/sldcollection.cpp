// Loads of the solver's user-load interfaces: a concentrated load whose kind
// comes from keywords in the load name, element loads from the contact forces
// of the impactors named in the load name, distributed surface loads over the
// contact patch that each impactor leaves (tracked in its load record while
// the solver visits the load points), the patch shapes, and two tabulated
// amplitudes (plain and with a loading/unloading memory).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "data.h"
#include "elementhandling_impl.h"
#include "scratch.h"
#include "vexlan.h"
#include "vexlan/sldcollection.h"

using namespace vx;

namespace {

constexpr double tiny_normal = 2.2250738585072014e-308;

inline bool has(std::string_view s, std::string_view key) { return s.find(key) != std::string_view::npos; }

// True when the decimal text of n stands in s as a whole number (no digit
// right before or after it), so that impactor 1 does not take loads named 11.
bool names_number(std::string_view s, int32_t n) {
  char buf[16];
  const int len = std::snprintf(buf, sizeof buf, "%d", n);
  const std::string_view key(buf, size_t(len));
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (size_t p = s.find(key); p != std::string_view::npos; p = s.find(key, p + 1)) {
    const bool before = p > 0 && digit(s[p - 1]);
    const bool after = p + key.size() < s.size() && digit(s[p + key.size()]);
    if (!before && !after) return true;
  }
  return false;
}

// Records a warning whose context is a short text (one row of character codes).
void warn_with_text(const char* msg, const char* text) {
  int32_t codes[16];
  const int32_t n = static_cast<int32_t>(std::strlen(text));
  for (int32_t i = 0; i < n; ++i) codes[i] = static_cast<unsigned char>(text[i]);
  const int32_t lop = -2, zero = 0, rows = 1;
  const int32_t iv[1] = {0};
  const double rv[1] = {0.0};
  xerr(&lop, msg, iv, &zero, rv, &zero, codes, &rows, &n, nullptr, std::strlen(msg));
}

inline double clean(double v) { return std::fabs(v) <= 1e-10 ? 0.0 : v; }

int dominant_axis(const double* c) {
  int k = 0;
  for (int i = 1; i < 3; ++i)
    if (std::fabs(c[i]) > std::fabs(c[k])) k = i;
  return k;
}

// Monotone cubic interpolation over n points (x strictly increasing, n >= 2
// checked by the caller).
double pchip_at(const double* x, const double* y, int32_t n, double p) {
  double r = 0.0;
  const int32_t one = 1;
  cubichermitianinterpolation(&r, x, &n, y, &n, &p, &one);
  return r;
}

bool strictly_increasing(const double* x, int32_t n) {
  for (int32_t i = 1; i < n; ++i)
    if (!(x[i] > x[i - 1])) return false;
  return true;
}

}  // namespace

VX_API void cload(double* f, double* ldflag, const double* cforce, const char* sname, size_t sname_len) {
  const std::string_view s(sname, sname_len);
  if (*ldflag == 0.0) {
    static const char* const keys[7] = {"POINT", "UNIFORM", "PYRAMIDAL", "PARABOLIC", "HERTZIAN", "AUTOMATIC", "SINE"};
    for (int k = 0; k < 7; ++k)
      if (has(s, keys[k])) *ldflag = k + 1;
    if (has(s, "COSINE")) *ldflag = 8;
    if (has(s, "EDGE")) *ldflag = 9;
    if (*ldflag == 0.0) {
      *f = 0.0;
      warn_with_text("Warning: No valid load state detected in %S", "LDFLAG");
      return;
    }
  }
  const double lf = *ldflag;
  *f = (std::fabs(lf) == 1.0 && (*cforce >= 0.0 || lf == -1.0)) ? *cforce / 2.5e-7 : 0.0;
  if (has(s, "SYMX")) *f *= 0.5;
  if (has(s, "SYMY")) *f *= 0.5;
  if (has(s, "SYM2")) *f *= 0.5;
  if (has(s, "SYM4")) *f *= 0.25;
}

VX_API void deload(double* alpha, double* t_user, const int32_t*, const int32_t*, const double*, const int32_t*,
                   const int32_t*, const double*, const double* dircos, const int32_t*, const char* sname,
                   const double* cprops, double*, const int32_t* nimp, size_t sname_len) {
  const std::string_view s(sname, sname_len);
  *alpha = 0.0;
  for (int i = 0; i < 3; ++i) t_user[i] = clean(-dircos[6 + i]);
  double sum = 0.0;
  for (int32_t i = 1; i <= *nimp; ++i) {
    if (!names_number(s, i)) continue;
    const double* c = cprops + 20 * int64_t(i - 1);
    const double l = std::min(std::max(2.0 * c[17], tiny_normal), huge);
    sum += c[0] / l;
  }
  if (has(s, "SYMX") || has(s, "SYMY") || has(s, "SYM2")) sum *= 0.5;
  *alpha = sum;
}

VX_API void dsload(double* alpha, double* t_user, const int32_t* kstep, const double* coords, const double* dircos,
                   const double* cprops, double* dprops, const int32_t* nimp, const int32_t* elemid) {
  using jobdata::stepid;
  if (!stepid.contains(*kstep)) {
    report(-2, "Index out of range in dsload");
    return;
  }
  const int32_t steptype = stepid(*kstep);
  const double eid = elemid ? double(*elemid) : 0.0;
  int ax[3];
  for (int j = 0; j < 3; ++j) ax[j] = dominant_axis(dircos + 3 * j);
  double t[3];
  CoordinateReflection(dircos, dircos + 3, dircos + 6, t);
  for (int i = 0; i < 3; ++i) t_user[i] = clean(t[i]);
  *alpha = 0.0;
  const bool track = steptype == 0 || steptype == 2 || steptype == 3;
  const bool apply = steptype == 2 || steptype == 3;
  const double zero = 0.0;
  const int32_t two = 2;
  for (int32_t i = 0; i < *nimp; ++i) {
    const double f = cprops[20 * int64_t(i)], c = cprops[20 * int64_t(i) + 1];
    double* d = dprops + 12 * int64_t(i);
    double rs[2], rs0[2];
    GetPointOnXYPlane(rs, coords, d + 1, dircos, &zero);
    GetPointOnXYPlane(rs0, d + 1, d + 1, dircos, &zero);
    const double r = rs[0], sc = rs[1], r0 = rs0[0], s0 = rs0[1];
    const double dist = std::hypot(r - r0, sc - s0);
    const double m6 = d[5], m7 = d[6];
    if (d[4] == 0.0) d[4] = eid;
    if (d[5] == 0.0) d[5] = dist;
    if (d[6] == 0.0) d[6] = dist;
    if (track) {
      // In-plane lengths from the impact point, each measured in the pair
      // (dominant axis of an in-plane direction, dominant axis of the normal).
      auto lengths = [&](double* out) {
        for (int k = 0; k < 2; ++k) {
          const double oa[2] = {coords[ax[k]], coords[ax[2]]};
          const double ob[2] = {d[1 + ax[k]], d[1 + ax[2]]};
          out[k] = EffectiveArcLength(oa, ob, &zero, &two);
        }
      };
      if (dist <= m6) {
        d[6] = dist;
        d[4] = eid;
        d[5] = dist;
        lengths(d + 7);
      } else if (d[4] == eid && (d[5] == d[6] || m7 <= dist)) {
        d[6] = dist;
        lengths(d + 9);
      }
    }
    if (f == 0.0 || !apply) continue;
    const double a = d[7] + d[9], b = d[8] + d[10];
    const bool inbox = std::fabs(r - r0) <= a && std::fabs(sc - s0) <= b;
    const double shape = d[0];
    if (shape == 6.0) {
      if (dist <= c && std::max(a, b) < c) *alpha += HertzianSurfaceLoad(&f, &r, &sc, &r0, &s0, &c, &c);
      else if (inbox) *alpha += ParabolicSurfaceLoad(&f, &r, &sc, &r0, &s0, &a, &b);
    } else if (shape == 5.0) {
      if (dist <= c && d[5] < c) *alpha += HertzianSurfaceLoad(&f, &r, &sc, &r0, &s0, &c, &c);
    } else if (inbox) {
      if (shape == 2.0) *alpha += UniformSurfaceLoad(&f, &a, &b);
      else if (shape == 3.0) *alpha += PyramidalSurfaceLoad(&f, &r, &sc, &r0, &s0, &a, &b);
      else if (shape == 4.0) *alpha += ParabolicSurfaceLoad(&f, &r, &sc, &r0, &s0, &a, &b);
      else if (shape == 8.0) *alpha += CosineSurfaceLoad(&f, &r, &sc, &r0, &s0, &a, &b);
    }
  }
  if (elemid && *elemid > 0) {
    using namespace elementdata;
    // Without element arrays (no model read, or released) no element is found.
    if (elemlist.allocated() && elemkind.allocated()) {
      const int64_t n = nelem;
      if (!elem::count_fits(n, std::min(elemlist.extent(1), elemkind.extent(1)))) {
        report(-2, "Element data disagree with their count in dsload");
        return;
      }
      for (int64_t e = 1; e <= n; ++e)
        if (elemlist(e) == *elemid) {
          const int32_t k = elemkind(e);
          if (k == 9 || k == 10 || k == 11) *alpha = -*alpha;  // continuum shells and solids face the other way
          break;
        }
    }
  }
}

VX_API void CAMPLITUDE(double* amp, const double* xydata, const double* xvalue, const int32_t* ndata,
                       const vx_l1* skip) {
  *amp = 0.0;
  if (skip && *skip) return;
  if (*ndata % 2 != 0) {
    warn_with_text("Warning: Mismatch between x- and y-values in %S", "VXD_AMPL");
    return;
  }
  const int32_t n = *ndata / 2;
  // The interpolation library ends the process on such tables: refuse them here.
  if (n < 2 || !strictly_increasing(xydata, n)) {
    report(-2, "Warning: Invalid amplitude table in CAMPLITUDE");
    return;
  }
  *amp = pchip_at(xydata, xydata + n, n, *xvalue);
}

VX_API void CHYSTERESIS(double* amp, double* passed, const double* xydata, const double* xvalue,
                        const int32_t* ndata, const vx_l1* skip) {
  *amp = 0.0;
  if (skip && *skip) return;
  if (*ndata % 2 != 0) {
    warn_with_text("Warning: Mismatch between x- and y-values in %S", "VXD_HYST");
    return;
  }
  const int32_t n = *ndata / 2;
  if (n < 1) {
    report(-2, "Warning: Invalid amplitude table in CHYSTERESIS");
    return;
  }
  bool reversed;
  if (*passed == huge) {
    reversed = true;
  } else if (*xvalue < *passed) {
    *passed = huge;
    reversed = true;
  } else {
    *passed = *xvalue;
    reversed = false;
  }
  Scratch<double, 64> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = reversed ? n - 1 - i : i;
    x[size_t(i)] = xydata[j];
    y[size_t(i)] = xydata[n + j];
  }
  int32_t m = 1;
  for (int32_t i = 1; i < n; ++i)
    if (x[size_t(i)] > x[size_t(i - 1)]) ++m;
  if (m < 2 || !strictly_increasing(x, m)) {
    report(-2, "Warning: Invalid amplitude table in CHYSTERESIS");
    return;
  }
  const double lo = *std::min_element(x.get(), x.get() + m), hi = *std::max_element(x.get(), x.get() + m);
  *amp = pchip_at(x, y, m, std::min(std::max(*xvalue, lo), hi));
}

VX_API double UniformSurfaceLoad(const double* f, const double* relementlength, const double* selementlength) {
  return 0.25 * *f / (*relementlength * *selementlength);
}

VX_API double PyramidalSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                                   const double* s0, const double* relementlength, const double* selementlength) {
  const double a = *relementlength, b = *selementlength;
  return *f / (a * b) * ((a - std::fabs(*rcorr - *r0)) / a) * ((b - std::fabs(*scorr - *s0)) / b);
}

VX_API double ParabolicSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                                   const double* s0, const double* relementlength, const double* selementlength) {
  const double a = *relementlength, b = *selementlength, dr = *rcorr - *r0, ds = *scorr - *s0;
  return 3.0 * *f / (8.0 * a * b) * (1.0 - dr * dr / (a * a + a * b) - ds * ds / (b * b + a * b));
}

VX_API double HertzianSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                                  const double* s0, const double* rcontradius, const double* scontradius) {
  const double a = *rcontradius, b = *scontradius;
  const double u = (*rcorr - *r0) / a, v = (*scorr - *s0) / b;
  // No pressure outside the contact ellipse (instead of the root of a negative number).
  return 3.0 * *f / (6.283185307179586 * a * b) * std::sqrt(std::max(1.0 - u * u - v * v, 0.0));
}

VX_API double CosineSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                                const double* s0, const double* relementlength, const double* selementlength) {
  // A quarter period per half-size: zero at the patch edges, integrating to f.
  const double a = *relementlength, b = *selementlength, p = 3.141592653589793;
  return p * p * *f / (16.0 * a * b) * std::cos(p * (*rcorr - *r0) / (2.0 * a)) *
         std::cos(p * (*scorr - *s0) / (2.0 * b));
}

VX_API double SineSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                              const double* s0, const double* relementlength, const double* selementlength) {
  const double a = *relementlength, b = *selementlength, p = 3.141592653589793;
  return *f / (a * b) * std::sin(p * (*rcorr - *r0) / a) * std::sin(p * (*scorr - *s0) / b);
}
