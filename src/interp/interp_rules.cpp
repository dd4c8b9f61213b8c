// Interpolation library: Lagrange interpolation, quadrature abscissas,
// parameterisation and expansion of point sets, time stamp.
#include <cmath>
#include <cstdio>

#include "vexlan/interp.h"
#include "timestamp.h"
#include "vx.h"
#include "workbuf.h"

namespace {

using vx::i4;
using vx::pi;

inline i4 count(i4 n) { return n > 0 ? n : 0; }

// The three-line message of the library for a bad count.
[[noreturn]] void bad_count(const char* headline, const char* cause) {
  vx::fatal(1, " \n%s - Fatal error!\n  %s", headline, cause);
}

void check_n(i4 n, const char* headline) {
  if (n < 1) bad_count(headline, "N < 1.");
}

// Angles of the cosine rules, theta(i) for i = 1 .. n (n >= 2 where divided).
inline double theta_cc(i4 n, i4 i) { return pi * double(n - i) / double(n - 1); }
inline double theta_f1(i4 n, i4 i) { return pi * (2.0 * double(n - i) + 1.0) / (2.0 * double(n)); }
inline double theta_f2(i4 n, i4 i) { return pi * (double(n) + 1.0 - double(i)) / (double(n) + 1.0); }

inline double map_ab(double a, double b, double c) { return 0.5 * ((b - a) * c + (a + b)); }

}  // namespace

VX_API void lagrange_value_(const i4* data_num, const double* t_data, const i4* interp_num,
                            const double* t_interp, double* l_interp) {
  const i4 nd = count(*data_num), ni = count(*interp_num);
  const size_t ld = static_cast<size_t>(nd);
  for (size_t q = 0, e = vx::work::count2(nd, ni); q < e; ++q) l_interp[q] = 1.0;
  for (i4 i = 0; i < nd; ++i)
    for (i4 j = 0; j < nd; ++j) {
      if (j == i) continue;
      const double denom = t_data[i] - t_data[j];
      for (i4 k = 0; k < ni; ++k) {
        double& l = l_interp[i + k * ld];
        l = (t_interp[k] - t_data[j]) * l / denom;
      }
    }
}

VX_API void interp_lagrange_(const i4* m, const i4* data_num, const double* t_data,
                             const double* p_data, const i4* interp_num, const double* t_interp,
                             double* p_interp) {
  const i4 mm = count(*m), nd = count(*data_num), ni = count(*interp_num);
  vx::work::Buf<double, 256> l(vx::work::count2(nd, ni));
  lagrange_value_(&nd, t_data, &ni, t_interp, l.data());
  const size_t ld = static_cast<size_t>(nd), lm = static_cast<size_t>(mm);
  for (i4 k = 0; k < ni; ++k)
    for (i4 c = 0; c < mm; ++c) {
      double s = 0.0;
      for (i4 j = 0; j < nd; ++j) s += p_data[c + j * lm] * l[j + k * ld];
      p_interp[c + k * lm] = s;
    }
}

VX_API void cc_abscissas_(const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "CC_ABSCISSA");
  if (nn == 1) {
    x[0] = 0.0;
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = std::cos(theta_cc(nn, i));
}

VX_API void f1_abscissas_(const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "F1_ABSCISSAS");
  if (nn == 1) {
    x[0] = 0.0;
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = std::cos(theta_f1(nn, i));
}

VX_API void f2_abscissas_(const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "F2_ABSCISSAS");
  if (nn == 1) {
    x[0] = 0.0;
    return;
  }
  if (nn == 2) {
    x[0] = -0.5;
    x[1] = 0.5;
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = std::cos(theta_f2(nn, i));
}

VX_API void ncc_abscissas_(const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "NCC_ABSCISSAS");
  if (nn == 1) {
    x[0] = 0.0;
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = (double(i - 1) - double(nn - i)) / double(nn - 1);
}

VX_API void nco_abscissas_(const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "NCO_ABSCISSAS");
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = (double(i) - (double(nn) - double(i) + 1.0)) / (double(nn) + 1.0);
}

VX_API void cc_abscissas_ab_(const double* a, const double* b, const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "CC_ABSCISSAS_AB");
  if (nn == 1) {
    x[0] = 0.5 * (*a + *b);
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = map_ab(*a, *b, std::cos(theta_cc(nn, i)));
}

VX_API void f1_abscissas_ab_(const double* a, const double* b, const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "F1_ABSCISSAS_AB");
  if (nn == 1) {
    x[0] = 0.5 * (*a + *b);
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = map_ab(*a, *b, std::cos(theta_f1(nn, i)));
}

VX_API void f2_abscissas_ab_(const double* a, const double* b, const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "F2_ABSCISSAS_AB");
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = map_ab(*a, *b, std::cos(theta_f2(nn, i)));
}

VX_API void ncc_abscissas_ab_(const double* a, const double* b, const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "NCC_ABSCISSAS_AB");
  if (nn == 1) {
    x[0] = 0.5 * (*a + *b);
    return;
  }
  for (i4 i = 1; i <= nn; ++i) x[i - 1] = (double(nn - i) * *a + double(i - 1) * *b) / double(nn - 1);
}

VX_API void nco_abscissas_ab_(const double* a, const double* b, const i4* n, double* x) {
  const i4 nn = *n;
  check_n(nn, "NCO_ABSCISSAS_AB");
  for (i4 i = 1; i <= nn; ++i)
    x[i - 1] = ((double(nn) - double(i) + 1.0) * *a + double(i) * *b) / (double(nn) + 1.0);
}

VX_API void parameterize_arc_length_(const i4* m, const i4* data_num, const double* p_data,
                                     double* t_data) {
  const i4 mm = count(*m), nd = *data_num;
  if (nd < 1) return;  // no room for even the first parameter
  const size_t lm = static_cast<size_t>(mm);
  t_data[0] = 0.0;
  for (i4 j = 1; j < nd; ++j) {
    double s = 0.0;
    for (i4 i = 0; i < mm; ++i) {
      const double d = p_data[i + j * lm] - p_data[i + (j - 1) * lm];
      s += d * d;
    }
    t_data[j] = t_data[j - 1] + std::sqrt(s);
  }
}

VX_API void parameterize_index_(const i4*, const i4* data_num, const double*, double* t_data) {
  for (i4 j = 0; j < *data_num; ++j) t_data[j] = double(j);
}

VX_API void r8vec_expand_linear_(const i4* n, const double* x, const i4* fat, double* xfat) {
  const i4 nn = *n, f = *fat;
  if (f < 0) bad_count("R8VEC_EXPAND_LINEAR", "FAT < 0.");
  if (nn < 1) return;  // the result has no values
  const double fp1 = double(f) + 1.0;
  size_t k = 0;
  for (i4 i = 0; i + 1 < nn; ++i) {
    xfat[k++] = x[i];
    for (i4 j = 1; j <= f; ++j) xfat[k++] = (double(f - j + 1) * x[i] + double(j) * x[i + 1]) / fp1;
  }
  xfat[k] = x[nn - 1];
}

VX_API void r8vec_expand_linear2_(const i4* n, const double* x, const i4* before, const i4* fat,
                                  const i4* after, double* xfat) {
  const i4 nn = *n, f = *fat, nb = *before, na = *after;
  const char* head = "R8VEC_EXPAND_LINEAR2";
  if (nn < 1) bad_count(head, "N < 1.");
  if (f < 0) bad_count(head, "FAT < 0.");
  if (nb < 0) bad_count(head, "BEFORE < 0.");
  if (na < 0) bad_count(head, "AFTER < 0.");
  if (nn < 2 && (nb > 0 || na > 0)) bad_count(head, "N < 2 with values outside the data.");
  const double fp1 = double(f) + 1.0;
  size_t k = 0;
  if (nb > 0) {
    const double x1 = x[0], below = x[0] - (x[1] - x[0]);
    for (int64_t i = int64_t(f) - nb + 1; i <= f; ++i)
      xfat[k++] = (double(i) * x1 + double(int64_t(f) - i + 1) * below) / fp1;
  }
  r8vec_expand_linear_(n, x, fat, xfat + k);
  k += static_cast<size_t>(nn - 1) * (static_cast<size_t>(f) + 1) + 1;
  if (na > 0) {
    const double xn = x[nn - 1], beyond = x[nn - 1] + (x[nn - 1] - x[nn - 2]);
    for (i4 j = 1; j <= na; ++j) xfat[k++] = (double(int64_t(f) - j + 1) * xn + double(j) * beyond) / fp1;
  }
}

VX_API void r8mat_expand_linear2_(const i4* m, const i4* n, const double* a, const i4* m2,
                                  const i4* n2, double* a2) {
  const i4 mm = *m, nn = *n, mo = count(*m2), no = count(*n2);
  if (mm < 2) bad_count("R8MAT_EXPAND_LINEAR2", "M < 2.");
  if (nn < 2) bad_count("R8MAT_EXPAND_LINEAR2", "N < 2.");
  const size_t lm = static_cast<size_t>(mm), lo = static_cast<size_t>(mo);
  for (i4 i = 1; i <= mo; ++i) {
    const double r = mo == 1 ? 0.5 : double(i - 1) / double(mo - 1);
    i4 i1 = static_cast<i4>(std::trunc(double(mm - 1) * r)) + 1, i2 = i1 + 1;
    if (i2 > mm) {
      i1 = mm - 1;
      i2 = mm;
    }
    const double r1 = double(i1 - 1) / double(mm - 1), r2 = double(i2 - 1) / double(mm - 1);
    for (i4 j = 1; j <= no; ++j) {
      const double s = no == 1 ? 0.5 : double(j - 1) / double(no - 1);
      i4 j1 = static_cast<i4>(std::trunc(double(nn - 1) * s)) + 1, j2 = j1 + 1;
      if (j2 > nn) {
        j1 = nn - 1;
        j2 = nn;
      }
      const double s1 = double(j1 - 1) / double(nn - 1), s2 = double(j2 - 1) / double(nn - 1);
      auto at = [&](i4 r_, i4 c_) { return a[(r_ - 1) + (c_ - 1) * lm]; };
      a2[(i - 1) + (j - 1) * lo] =
          ((r2 - r) * (s2 - s) * at(i1, j1) + (r - r1) * (s2 - s) * at(i2, j1) +
           (r2 - r) * (s - s1) * at(i1, j2) + (r - r1) * (s - s1) * at(i2, j2)) /
          ((r2 - r1) * (s2 - s1));
    }
  }
}

VX_API void interp_timestamp_(void) {
  char b[96];
  vx::timestamp_text(b, sizeof b);
  vx::before_output();
  std::printf("%s\n", b);
  vx::after_output();
}
