// Free-format diagnostic lines on standard output: a label followed by its
// values, laid out like list-directed output (a leading blank, reals with 17
// significant digits in a 26-column field, integers in 12 columns, logicals
// as T or F). The line is built on the stack and written at once.
#pragma once
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "vx.h"

namespace vx {

class ListLine {
 public:
  ListLine() { buf_[n_++] = ' '; }
  ListLine& str(const char* s) {
    put(s, std::strlen(s));
    return *this;
  }
  ListLine& i(int32_t v) {
    char t[32];
    int k = std::snprintf(t, sizeof t, "%12d", v);
    put(t, size_t(k));
    return *this;
  }
  ListLine& l(bool v) { return str(v ? " T" : " F"); }
  ListLine& r(double v) {
    char t[64];
    int k;
    if (std::isnan(v)) k = std::snprintf(t, sizeof t, "%26s", "NaN");
    else if (std::isinf(v)) k = std::snprintf(t, sizeof t, "%26s", v > 0 ? "Infinity" : "-Infinity");
    else {
      // The decimal exponent after rounding to 17 significant digits decides
      // between the fixed and the exponent form.
      char e[40];
      std::snprintf(e, sizeof e, "%.16e", v);
      const char* ep = std::strchr(e, 'e');
      int ex = ep ? std::atoi(ep + 1) : 0;
      if (v == 0.0) ex = 0;
      if (ex >= -1 && ex < 17) {
        char f[48];
        std::snprintf(f, sizeof f, "%.*f", 16 - ex, v);
        k = std::snprintf(t, sizeof t, "%21s     ", f);
      } else {
        char f[48];
        std::snprintf(f, sizeof f, "%.*sE%c%03d", int(ep - e), e, ex < 0 ? '-' : '+', ex < 0 ? -ex : ex);
        k = std::snprintf(t, sizeof t, "%26s", f);
      }
    }
    put(t, size_t(k));
    return *this;
  }
  ListLine& r(const double* v, int n) {
    for (int k = 0; k < n; ++k) r(v[k]);
    return *this;
  }
  // Writes the line to standard output, after text Python has buffered.
  void print() {
    before_output();
    buf_[n_] = '\0';
    std::fputs(buf_, stdout);
    std::fputc('\n', stdout);
    after_output();
  }

 private:
  void put(const char* s, size_t k) {
    if (k > sizeof buf_ - 1 - n_) {  // a long line goes out in pieces
      buf_[n_] = '\0';
      before_output();
      std::fputs(buf_, stdout);
      n_ = 0;
      while (k > sizeof buf_ - 1) {
        std::fwrite(s, 1, sizeof buf_ - 1, stdout);
        s += sizeof buf_ - 1;
        k -= sizeof buf_ - 1;
      }
    }
    std::memcpy(buf_ + n_, s, k);
    n_ += k;
  }
  char buf_[1024];
  size_t n_ = 0;
};

}  // namespace vx
