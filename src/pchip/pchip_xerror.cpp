// Error-message package of the cubic Hermite library: control parameters, a
// table of the messages seen so far, line printing with wrapping, and the
// process-ending sequence. Process-wide and unsynchronised by design.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include "pchip_impl.h"

namespace {

using vx::i4;

// Control parameters: last error number, control flag, first unit, print
// limit, number of units, second to fifth units.
i4 params[9] = {0, 2, 0, 10, 1, 0, 0, 0, 0};

struct Row {
  char lib[8], sub[8], mes[20];
  i4 nerr, level, count;
};
Row table[10];
i4 nrows = 0;
i4 untabulated = 0;

std::string_view sv(const char* p, size_t n) { return p ? std::string_view(p, n) : std::string_view(); }

// Copies s into a field of width w, blank padded or cut.
void field(char* dst, size_t w, std::string_view s) {
  size_t n = std::min(w, s.size());
  std::memcpy(dst, s.data(), n);
  std::memset(dst + n, ' ', w - n);
}

size_t trimmed_len(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return n;
}

// Units to print on: unit 0 stands for the standard error-message unit.
int units(i4* u) {
  i4 n = std::clamp(params[4], 0, 5);
  if (n >= 1) u[0] = params[2];
  for (i4 i = 1; i < n; ++i) u[i] = params[i + 4];
  for (i4 i = 0; i < n; ++i)
    if (u[i] == 0) u[i] = 6;
  return n;
}

// Integer right-aligned in w columns; a value too wide for them shows as stars.
void put_int(std::string& s, long long v, int w) {
  char b[32];
  int n = std::snprintf(b, sizeof b, "%*lld", w, v);
  if (n > w) s.append(static_cast<size_t>(w), '*');
  else s.append(b, static_cast<size_t>(n));
}

void print(std::string_view prefix, i4 npref, std::string_view messg, i4 nwrap) {
  i4 u[5];
  int nu = units(u);
  if (nu <= 0) return;
  size_t lpref = npref < 0 ? prefix.size() : static_cast<size_t>(npref);
  lpref = std::min<size_t>(lpref, 16);
  char buf[16 + 132];
  std::memset(buf, ' ', sizeof buf);
  std::memcpy(buf, prefix.data(), std::min(lpref, prefix.size()));  // a short prefix is blank-extended
  size_t lwrap = static_cast<size_t>(std::clamp(nwrap, 16, 132));
  size_t lenmsg = trimmed_len(messg);
  auto emit = [&](size_t len) {
    for (int k = 0; k < nu; ++k) pchip::put_line(u[k], std::string_view(buf, len));
  };
  if (lenmsg == 0) {
    buf[lpref] = ' ';
    emit(lpref + 1);
    return;
  }
  auto blank_cut = [&](size_t start, size_t& lpiece, size_t& idelta) {
    // From position lpiece+1 of the piece back to position 2, look for a blank.
    idelta = 0;
    for (size_t i = lpiece + 1; i >= 2; --i) {
      if (start + i - 1 < lenmsg && messg[start + i - 1] == ' ') {
        lpiece = i - 1;
        idelta = 1;
        break;
      }
    }
  };
  size_t nextc = 0;  // 0-based start of the rest
  while (nextc < lenmsg) {
    std::string_view rest = messg.substr(nextc, lenmsg - nextc);
    size_t mark = rest.find("$$");
    size_t lpiece, idelta = 0;
    if (mark == std::string_view::npos) {
      lpiece = std::min(lwrap, rest.size());
      if (lpiece < rest.size()) blank_cut(nextc, lpiece, idelta);
      std::memcpy(buf + lpref, messg.data() + nextc, lpiece);
      nextc += lpiece + idelta;
    } else if (mark == 0) {
      nextc += 2;
      continue;
    } else if (mark + 1 > lwrap + 1) {
      lpiece = lwrap;
      blank_cut(nextc, lpiece, idelta);
      std::memcpy(buf + lpref, messg.data() + nextc, lpiece);
      nextc += lpiece + idelta;
    } else {
      lpiece = mark;
      std::memcpy(buf + lpref, messg.data() + nextc, lpiece);
      nextc += lpiece + 2;
    }
    emit(lpref + lpiece);
  }
}

void summary_and_maybe_clear(i4 kflag) {
  if (nrows == 0) return;
  i4 u[5];
  int nu = units(u);
  for (int k = 0; k < nu; ++k) {
    pchip::put_line(u[k], "0          ERROR MESSAGE SUMMARY");
    pchip::put_line(u[k], " LIBRARY    SUBROUTINE MESSAGE START             NERR     LEVEL     COUNT");
    for (i4 i = 0; i < nrows; ++i) {
      const Row& r = table[i];
      std::string s = " ";
      s.append(r.lib, 8);
      s.append("   ");
      s.append(r.sub, 8);
      s.append("   ");
      s.append(r.mes, 20);
      put_int(s, r.nerr, 10);
      put_int(s, r.level, 10);
      put_int(s, r.count, 10);
      pchip::put_line(u[k], s);
    }
    if (untabulated != 0) {
      std::string s = "0OTHER ERRORS NOT INDIVIDUALLY TABULATED = ";
      put_int(s, untabulated, 10);
      pchip::put_line(u[k], s);
    }
    pchip::put_line(u[k], " ");
  }
  if (kflag == 0) {
    nrows = 0;
    untabulated = 0;
  }
}

i4 save(std::string_view lib, std::string_view sub, std::string_view mes, i4 kflag, i4 nerr, i4 level) {
  if (kflag <= 0) {
    summary_and_maybe_clear(kflag);
    return 0;
  }
  Row r;
  field(r.lib, 8, lib);
  field(r.sub, 8, sub);
  field(r.mes, 20, mes);
  for (i4 i = 0; i < nrows; ++i) {
    Row& t = table[i];
    if (!std::memcmp(t.lib, r.lib, 8) && !std::memcmp(t.sub, r.sub, 8) &&
        !std::memcmp(t.mes, r.mes, 20) && t.nerr == nerr && t.level == level)
      return ++t.count;
  }
  if (nrows < 10) {
    r.nerr = nerr;
    r.level = level;
    r.count = 1;
    table[nrows++] = r;
    return 1;
  }
  ++untabulated;
  return 0;
}

[[noreturn]] void halt() { vx::terminate(1); }

void message(std::string_view librar, std::string_view subrou, std::string_view messg, i4 nerr, i4 level) {
  i4 lkntrl = params[1];
  i4 maxmes = params[3];
  if (nerr < -9999999 || nerr > 99999999 || nerr == 0 || level < -1 || level > 2) {
    print(" ***", -1,
          "FATAL ERROR IN...$$ XERMSG -- INVALID ERROR NUMBER OR LEVEL$$ JOB ABORT DUE TO FATAL ERROR.",
          72);
    save(" ", " ", " ", 0, 0, 0);
    halt();
  }
  params[0] = nerr;
  i4 kount = save(librar, subrou, messg, 1, nerr, level);
  if (level == -1 && kount > 1) return;
  // The hook that could change the flag for this message does nothing.
  lkntrl = std::clamp(lkntrl, -2, 2);
  i4 mkntrl = lkntrl < 0 ? -lkntrl : lkntrl;
  bool skip = (level < 2 && lkntrl == 0) || (level == 0 && kount > maxmes) ||
              (level == 1 && kount > maxmes && mkntrl == 1) ||
              (level == 2 && kount > std::max(1, maxmes));
  if (!skip) {
    if (lkntrl != 0) {
      std::string t = "MESSAGE FROM ROUTINE ";
      t.append(subrou.substr(0, std::min<size_t>(16, subrou.size())));
      t.append(" IN LIBRARY ");
      t.append(librar.substr(0, std::min<size_t>(16, librar.size())));
      t.append(".");
      print(" ***", -1, t, 72);
    }
    if (lkntrl > 0) {
      std::string t = level <= 0 ? "INFORMATIVE MESSAGE," : level == 1 ? "POTENTIALLY RECOVERABLE ERROR,"
                                                                        : "FATAL ERROR,";
      bool aborted = (mkntrl == 2 && level >= 1) || (mkntrl == 1 && level == 2);
      t.append(aborted ? " PROG ABORTED," : " PROG CONTINUES,");
      t.append(" TRACEBACK REQUESTED");
      print(" ***", -1, t, 72);
    }
    print(" *  ", -1, messg, 72);
    if (lkntrl > 0) {
      char b[16];
      std::snprintf(b, sizeof b, "%8d", static_cast<int>(nerr));
      std::string t = "ERROR NUMBER = ";
      const char* p = b;
      while (*p == ' ') ++p;
      t.append(p);
      print(" *  ", -1, t, 72);
      fdump_();
    }
    if (lkntrl != 0) {
      print(" *  ", -1, " ", 72);
      print(" ***", -1, "END OF MESSAGE", 72);
      print("    ", 0, " ", 72);
    }
  }
  if (level <= 0 || (level == 1 && mkntrl <= 1)) return;
  if (lkntrl > 0 && kount < std::max(1, maxmes)) {
    print(" ***", -1, level == 1 ? "JOB ABORT DUE TO UNRECOVERED ERROR." : "JOB ABORT DUE TO FATAL ERROR.", 72);
    save(" ", " ", " ", -1, 0, 0);
  }
  halt();
}

}  // namespace

namespace pchip {

void put_line(i4, std::string_view line) {
  vx::before_output();
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  vx::after_output();
}

void report(std::string_view routine, std::string_view msg, i4 nerr, i4 level) {
  message("SLATEC", routine, msg, nerr, level);
}
void report(std::string_view library, std::string_view routine, std::string_view msg, i4 nerr, i4 level) {
  message(library, routine, msg, nerr, level);
}
i4 control_flag() { return params[1]; }
void set_control_flag(i4 k) {
  i4 v = k;
  xsetf_(&v);
}
void dump_table() { save(" ", " ", " ", 0, 0, 0); }

}  // namespace pchip

VX_API void xermsg_(const char* librar, const char* subrou, const char* messg, const int32_t* nerr,
                    const int32_t* level, size_t librar_len, size_t subrou_len, size_t messg_len) {
  message(sv(librar, librar_len), sv(subrou, subrou_len), sv(messg, messg_len), *nerr, *level);
}

VX_API void xerprn_(const char* prefix, const int32_t* npref, const char* messg, const int32_t* nwrap,
                    size_t prefix_len, size_t messg_len) {
  print(sv(prefix, prefix_len), *npref, sv(messg, messg_len), *nwrap);
}

VX_API void xersve_(const char* librar, const char* subrou, const char* messg, const int32_t* kflag,
                    const int32_t* nerr, const int32_t* level, int32_t* icount, size_t librar_len,
                    size_t subrou_len, size_t messg_len) {
  *icount = save(sv(librar, librar_len), sv(subrou, subrou_len), sv(messg, messg_len), *kflag, *nerr, *level);
}

VX_API int32_t j4save_(const int32_t* iwhich, const int32_t* ivalue, const int32_t* iset) {
  // An index outside the nine parameters reads and changes nothing.
  if (*iwhich < 1 || *iwhich > 9) return 0;
  i4 old = params[*iwhich - 1];
  if (*iset) params[*iwhich - 1] = *ivalue;
  return old;
}

VX_API void xgetua_(int32_t* iunita, int32_t* n) {
  // The unit count is kept within the five slots that exist.
  i4 k = std::clamp(params[4], 0, 5);
  *n = k;
  if (k >= 1) iunita[0] = params[2];
  for (i4 i = 1; i < k; ++i) iunita[i] = params[i + 4];
}

VX_API void xsetf_(const int32_t* kontrl) {
  if (*kontrl < -2 || *kontrl > 2) {
    std::string b = "INVALID ARGUMENT = ";
    put_int(b, *kontrl, 8);
    message("SLATEC", "XSETF", b, 1, 2);
    return;
  }
  params[1] = *kontrl;
}

VX_API void xgetf_(int32_t* kontrl) { *kontrl = params[1]; }

VX_API void xerdmp_(void) { save(" ", " ", " ", 0, 0, 0); }

VX_API void xerhlt_(const char*, size_t) { halt(); }

VX_API void xercnt_(const char*, const char*, const char*, const int32_t*, const int32_t*, int32_t*, size_t,
                    size_t, size_t) {}

VX_API void fdump_(void) {}

VX_API int32_t i1mach_(const int32_t* i) {
  static const i4 c[16] = {5, 6, 7, 6, 32, 4, 2, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};
  if (*i < 1 || *i > 16) {
    char b[40];
    std::snprintf(b, sizeof b, "  I = %12d", static_cast<int>(*i));
    pchip::put_line(6, " ");
    pchip::put_line(6, "I1MACH - Fatal error!");
    pchip::put_line(6, "  The input argument I is out of bounds.");
    pchip::put_line(6, "  Legal values satisfy 1 <= I <= 16.");
    pchip::put_line(6, b);
    vx::terminate(0);
  }
  return c[*i - 1];
}
