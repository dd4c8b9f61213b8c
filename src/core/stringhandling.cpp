// Text helpers of the component stringhandling.
#include "vexlan/stringhandling.h"

#include <cstdint>
#include <cstring>

#include "text.h"
#include "vx.h"

namespace {

using vx::text::blank;
using vx::text::fill;
using vx::text::len_trim;
using vx::text::lower;

// Number of characters an output field of nominal length n may receive
// when its storage holds len characters.
inline size_t field(const int32_t* n, size_t len) {
  if (!n || *n < 1) return 0;
  size_t k = static_cast<size_t>(*n);
  return k < len ? k : len;
}

// Character i (0-based) of s, a blank past its end.
inline char at(const char* s, size_t len, size_t i) { return i < len ? s[i] : blank; }

// Writes src(1:sn) into a function result of res_len characters, of which
// only the first nfield belong to the result; the rest are blanks.
inline void put_result(char* res, size_t res_len, size_t nfield, const char* src, size_t sn) {
  size_t k = sn < nfield ? sn : nfield;
  if (k > res_len) k = res_len;
  if (k) std::memmove(res, src, k);
  fill(res + k, res_len - k);
}

inline size_t count_n(const int32_t* n) { return (n && *n > 0) ? static_cast<size_t>(*n) : 0; }

// ---- integer formatting shared by int2str and int2aformat ----------------

constexpr size_t kFormatLen = 8;  // declared length of the format text of int2aformat

// Writes the decimal digits of |v| into buf (at least 10 characters) and
// returns their count.
inline size_t digits_of(int64_t v, char* buf) {
  uint64_t u = v < 0 ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v);
  char tmp[24];
  size_t k = 0;
  do {
    tmp[k++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  for (size_t i = 0; i < k; ++i) buf[i] = tmp[k - 1 - i];
  return k;
}

// Receives the characters of a formatted piece: drops its leading blanks
// (left adjustment), stores what fits and counts everything.
struct Sink {
  char* dst = nullptr;  // null: count only
  size_t cap = 0;
  size_t pos = 0;      // characters kept after the leading blanks
  size_t total = 0;    // all characters, leading blanks included
  bool started = false;
  void put(char c) {
    ++total;
    if (!started && c == blank) return;
    started = true;
    if (dst && pos < cap) dst[pos] = c;
    ++pos;
  }
  void put_n(char c, size_t k) {
    for (size_t i = 0; i < k; ++i) put(c);
  }
};

// Integer edit descriptor Iw[.m] applied to v.
void edit_integer(Sink& out, int32_t v, long w, long m) {
  char dig[16];
  size_t nd = digits_of(v, dig);
  size_t ndig = nd;
  if (m >= 0) {
    if (m == 0 && v == 0) ndig = 0;  // Iw.0 writes no digit for zero
    else if (static_cast<size_t>(m) > ndig) ndig = static_cast<size_t>(m);
  }
  size_t len = ndig + (v < 0 ? 1 : 0);
  if (w == 0) {
    w = static_cast<long>(len);
  } else if (len > static_cast<size_t>(w)) {
    out.put_n('*', static_cast<size_t>(w));
    return;
  }
  out.put_n(blank, static_cast<size_t>(w) - len);
  if (v < 0) out.put('-');
  if (ndig == 0) return;
  out.put_n('0', ndig - nd);
  for (size_t i = 0; i < nd; ++i) out.put(dig[i]);
}

// Parses a format for one integer and, when out is given, writes v with it.
// Accepted: '(' items separated by commas ')' where an item is [r]Iw[.m],
// a quoted literal ('..' or "..", a doubled quote stands for one) or nX.
// Blanks outside literals are ignored, and so is whatever follows the closing
// parenthesis. At least one I descriptor must be present; output ends before
// a second one, as a single-value write does.
bool apply_format(const char* f, size_t nf, int32_t v, Sink* out) {
  size_t i = 0;
  auto skip = [&] {
    while (i < nf && f[i] == blank) ++i;
  };
  // Reads an unsigned number allowing embedded blanks; -1 when none.
  auto number = [&]() -> long {
    skip();
    if (i >= nf || f[i] < '0' || f[i] > '9') return -1;
    long val = 0;
    while (i < nf && ((f[i] >= '0' && f[i] <= '9') || f[i] == blank)) {
      if (f[i] != blank) {
        val = val * 10 + (f[i] - '0');
        if (val > 1000000) return -2;  // no sane field is this wide
      }
      ++i;
    }
    return val;
  };
  skip();
  if (i >= nf || f[i] != '(') return false;
  ++i;
  bool have_int = false, done = false;
  skip();
  if (i < nf && f[i] == ')') return false;  // no item at all
  for (;;) {
    skip();
    if (i >= nf) return false;
    char c = f[i];
    if (c == '\'' || c == '"') {
      ++i;
      bool closed = false;
      while (i < nf) {
        if (f[i] == c) {
          if (i + 1 < nf && f[i + 1] == c) {
            if (out && !done) out->put(c);
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        if (out && !done) out->put(f[i]);
        ++i;
      }
      if (!closed) return false;
    } else {
      long r = number();
      if (r == -2 || r == 0) return false;
      skip();
      if (i >= nf) return false;
      char d = f[i] | 0x20;  // ASCII letters only: fold to lower case
      ++i;
      if (d == 'i') {
        long w = number();
        if (w < 0) return false;
        long m = -1;
        skip();
        if (i < nf && f[i] == '.') {
          ++i;
          m = number();
          if (m < 0) return false;
          if (w > 0 && m > w) return false;
        }
        if (have_int) {
          done = true;  // a second value would be needed: output stops here
        } else {
          have_int = true;
          if (out) edit_integer(*out, v, w, m);
        }
      } else if (d == 'x') {
        if (r < 0) return false;
        if (out && !done) out->put_n(blank, static_cast<size_t>(r));
      } else {
        return false;
      }
    }
    skip();
    if (i >= nf) return false;
    if (f[i] == ',') {
      ++i;
      continue;
    }
    if (f[i] == ')') {
      ++i;
      break;
    }
    return false;
  }
  return have_int;
}

}  // namespace

VX_API void split(char* a, char* b, const char* s, const char* sdelim, const int32_t* n, size_t a_len,
                  size_t b_len, size_t s_len, size_t sdelim_len) {
  const size_t fa = field(n, a_len), fb = field(n, b_len);
  const char d = at(sdelim, sdelim_len, 0);
  const void* hit = s_len ? std::memchr(s, d, s_len) : nullptr;
  if (!hit) {
    vx::text::copy_padded(a, fa, s, s_len);
    fill(b, fb);
    return;
  }
  size_t i = static_cast<size_t>(static_cast<const char*>(hit) - s);
  vx::text::copy_padded(b, fb, s + i + 1, s_len - i - 1);
  vx::text::copy_padded(a, fa, s, i);
}

VX_API void extract(char* res, size_t res_len, const char* s, const char* startkey, const char* stopkey,
                    const int32_t* n, size_t s_len, size_t startkey_len, size_t stopkey_len) {
  const size_t nf = count_n(n);
  size_t p = vx::text::index_back(s, s_len, startkey, startkey_len);
  // Without the key the piece starts at the key's trimmed length (1-based);
  // never before the first character.
  size_t istart = p + len_trim(startkey, startkey_len);
  if (istart < 1) istart = 1;
  const char* rest = s + (istart - 1 < s_len ? istart - 1 : s_len);
  size_t nrest = istart - 1 < s_len ? s_len - (istart - 1) : 0;
  size_t j = vx::text::index(rest, nrest, stopkey, stopkey_len);
  size_t L = len_trim(stopkey, stopkey_len);
  size_t np = (j > L) ? j - L : 0;  // the piece ends L - 1 characters before the stop key
  if (np > nrest) np = nrest;
  const char* piece = rest;
  size_t lead = vx::text::len_lead(piece, np);
  put_result(res, res_len, nf, piece + lead, np - lead);
}

VX_API void lowercase(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len) {
  size_t k = count_n(n);
  if (k > res_len) k = res_len;
  for (size_t i = 0; i < k; ++i) res[i] = lower(at(s, s_len, i));
  fill(res + k, res_len - k);
}

VX_API void uppercase(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len) {
  size_t k = count_n(n);
  if (k > res_len) k = res_len;
  for (size_t i = 0; i < k; ++i) res[i] = vx::text::upper(at(s, s_len, i));
  fill(res + k, res_len - k);
}

VX_API vx_l1 match(const char* a, const char* b, size_t a_len, size_t b_len) {
  return vx::text::equal_nocase(a, a_len, b, b_len) ? 1 : 0;
}

VX_API void translate(const char* s0, char* sout, const int32_t* codes, const int32_t* n, const int32_t* nc,
                      size_t s0_len, size_t sout_len) {
  unsigned char map[256];
  for (int c = 0; c < 256; ++c) map[c] = static_cast<unsigned char>(c);
  const int32_t rows = (nc && *nc > 0) ? *nc : 0;
  // Walk the rows backwards so that the first row naming a character wins.
  for (int32_t k = rows; k-- > 0;) {
    unsigned from = static_cast<uint32_t>(codes[k]) & 0xFFu;
    unsigned to = static_cast<uint32_t>(codes[static_cast<size_t>(rows) + k]) & 0xFFu;
    map[from] = static_cast<unsigned char>(to);
  }
  const size_t k = field(n, sout_len);
  for (size_t i = 0; i < k; ++i) sout[i] = static_cast<char>(map[vx::text::code(at(s0, s0_len, i))]);
}

VX_API void replacetext(const char* s, const char* text, const char* rep, char* sout, const int32_t* nout,
                        size_t s_len, size_t text_len, size_t rep_len, size_t sout_len) {
  const size_t F = field(nout, sout_len);
  vx::text::copy_padded(sout, F, s, s_len);
  const size_t nt = len_trim(text, text_len);
  const size_t nr = len_trim(rep, rep_len);
  if (nt == 0 || nt > F) return;  // a blank search text replaces nothing
  // A replacement holding the search text would be found again at once:
  // then the search goes on after the inserted text instead.
  const bool self = vx::text::index(rep, nr, text, nt) != 0;
  size_t from = 0;  // 0-based start of the next search
  // Bound on the replacements: guarantees an end whatever the texts are.
  uint64_t budget = static_cast<uint64_t>(F + 1) * static_cast<uint64_t>(F + 1);
  while (from + nt <= F && budget-- > 0) {
    size_t rel = vx::text::index(sout + from, F - from, text, nt);
    if (rel == 0) break;
    size_t i = from + rel - 1;
    size_t tail = F - (i + nt);  // characters after the occurrence
    size_t r_keep = nr < F - i ? nr : F - i;
    size_t dst_tail = i + r_keep;  // where the tail goes
    size_t tail_keep = dst_tail < F ? (tail < F - dst_tail ? tail : F - dst_tail) : 0;
    if (tail_keep) std::memmove(sout + dst_tail, sout + i + nt, tail_keep);
    if (r_keep) std::memcpy(sout + i, rep, r_keep);
    fill(sout + dst_tail + tail_keep, F - dst_tail - tail_keep);
    if (self) {
      from = i + nr;
    } else {
      // Text before i held no occurrence: only one that overlaps the
      // replacement can be new, and it starts at most nt - 1 before it.
      from = i >= nt - 1 ? i - (nt - 1) : 0;
    }
  }
}

VX_API void reduceblanks(const char* s, char* sout, const int32_t* nout, size_t s_len, size_t sout_len) {
  const size_t F = field(nout, sout_len);
  const size_t k = len_trim(s, s_len);
  size_t o = 0;
  for (size_t i = 0; i < k && o < F; ++i) {
    if (s[i] == blank && s[i + 1] == blank) continue;  // i + 1 < k here: s(k) is no blank
    sout[o++] = s[i];
  }
  fill(sout + o, F - o);
}

VX_API void int2aformat(char* j2s, const int32_t* jrray, const char* aw, const int32_t* jmax,
                        const int32_t* sout, const int32_t* n, const int32_t* m, size_t j2s_len,
                        size_t aw_len) {
  const size_t F = field(sout, j2s_len);
  fill(j2s, F);
  const size_t rows = count_n(n), cols = count_n(m);
  if (rows == 0 || cols == 0) return;  // nothing is written, so no format is used
  // The format is a text of 8 characters: a longer one is cut there.
  if (aw_len > kFormatLen) aw_len = kFormatLen;
  if (!apply_format(aw, aw_len, 0, nullptr)) {
    vx::report(-2, "int2aformat: invalid integer format");
    return;
  }
  const size_t wmax = count_n(jmax);
  size_t t = 0;  // trimmed length of j2s so far
  for (size_t j = 0; j < cols; ++j) {
    for (size_t i = 0; i < rows; ++i) {
      const int32_t v = jrray[j * rows + i];
      Sink count;
      apply_format(aw, aw_len, v, &count);
      Sink put;
      put.dst = j2s + t;
      put.cap = F - t;
      if (count.total > wmax) put.put_n('*', wmax);  // the piece overflows its work field
      else apply_format(aw, aw_len, v, &put);
      t = len_trim(j2s, F);
    }
  }
}

VX_API int32_t tally(const char* s, const char* text, const int32_t* csflag, size_t s_len, size_t text_len) {
  const size_t nt = len_trim(text, text_len);
  if (nt > s_len) return 0;
  const size_t last = s_len - nt;  // 0-based last start position
  int64_t count = 0;
  if (!csflag || *csflag == 1) {
    if (nt == 0) return static_cast<int32_t>(s_len + 1 > INT32_MAX ? INT32_MAX : s_len + 1);
    for (size_t i = 0; i <= last; ++i)
      if (s[i] == text[0] && std::memcmp(s + i, text, nt) == 0) ++count;
  } else {
    // s left-adjusted, trimmed and lower-cased, padded back to its length;
    // the characters are formed on the fly.
    const size_t lead = vx::text::len_lead(s, s_len);
    const size_t trim = len_trim(s, s_len);
    const size_t body = trim > lead ? trim - lead : 0;
    auto sa = [&](size_t i) -> char { return i < body ? lower(s[lead + i]) : blank; };
    for (size_t i = 0; i <= last; ++i) {
      size_t q = 0;
      while (q < nt && sa(i + q) == lower(text[q])) ++q;
      if (q == nt) ++count;
    }
  }
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

VX_API vx_l1 occurs(const char* a, const char* b, size_t a_len, size_t b_len) {
  const int32_t zero = 0;
  return tally(a, b, &zero, a_len, b_len) >= 1 ? 1 : 0;
}

VX_API int32_t clen(const char* s, size_t s_len) {
  size_t k = len_trim(s, s_len);
  size_t r = (k > 0 && s[k - 1] == '\0') ? k - 1 : s_len;
  return r > INT32_MAX ? INT32_MAX : static_cast<int32_t>(r);
}

VX_API int32_t clen_trim(const char* s, size_t s_len) {
  size_t r = vx::text::len_trim_nul(s, s_len);
  return r > INT32_MAX ? INT32_MAX : static_cast<int32_t>(r);
}

VX_API int32_t countitems(const char* s0, size_t s0_len) {
  const size_t L = static_cast<size_t>(clen(s0, s0_len));
  auto c = [&](size_t i) -> char { return s0[i] == '\t' ? blank : s0[i]; };
  size_t k = L;
  while (k > 0 && c(k - 1) == blank) --k;
  if (k <= 1) return static_cast<int32_t>(k);
  int64_t count = 1;
  for (size_t i = 0; i + 1 < k; ++i) {
    const char a = c(i), b = c(i + 1);
    if (b == ',' || (a != blank && a != ',' && b == blank)) ++count;
  }
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

VX_API void ctrim(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len) {
  put_result(res, res_len, count_n(n), s, vx::text::len_trim_nul(s, s_len));
}

VX_API void copys2a(const char* s, char* ca, const int32_t* n, size_t s_len) {
  const size_t k = count_n(n);
  for (size_t i = 0; i < k; ++i) ca[i] = at(s, s_len, i);
}

VX_API void spack(const char* s, const char* ex, char* sout, const int32_t* ns, const int32_t* nx,
                  size_t s_len, size_t ex_len, size_t sout_len) {
  const size_t F = field(ns, sout_len);
  bool keep[256] = {};
  const size_t kx = count_n(nx);
  for (size_t i = 0; i < kx; ++i) {
    keep[vx::text::code(at(ex, ex_len, i))] = true;
    if (i >= ex_len) break;  // the rest are blanks as well
  }
  size_t o = 0;
  for (size_t i = 0; i < s_len && o < F; ++i)
    if (keep[vx::text::code(s[i])]) sout[o++] = s[i];
  fill(sout + o, F - o);
}

VX_API void copya2s(const char* ca, char* s, const int32_t* n, size_t s_len) {
  const size_t k = field(n, s_len);
  if (k) std::memmove(s, ca, k);
}

VX_API void str2ascii(int32_t* ia, const char* ca, const int32_t* n, size_t ca_len) {
  const size_t k = count_n(n);
  for (size_t i = 0; i < k; ++i) ia[i] = vx::text::code(at(ca, ca_len, i));
}

VX_API void int2str(const int32_t* integ, char* ca, int32_t* istat, const int32_t* /*n*/, size_t ca_len) {
  char buf[16];
  size_t k = 0;
  if (*integ < 0) buf[k++] = '-';
  k += digits_of(*integ, buf + k);
  if (k > ca_len) {
    *istat = 1;  // the text cannot hold the digits
    fill(ca, ca_len);
    return;
  }
  *istat = 0;
  vx::text::copy_padded(ca, ca_len, buf, k);
}

VX_API void str2int(const char* ca, int32_t* integ, int32_t* istat, size_t ca_len) {
  *istat = 0;
  size_t i = vx::text::len_lead(ca, ca_len);
  if (i == ca_len) {
    *istat = -1;  // no item at all
    return;
  }
  size_t e = i;
  while (e < ca_len && ca[e] != blank && ca[e] != ',' && ca[e] != '/') ++e;
  if (e == i) return;  // empty item or a slash: the value stays
  // A repeat form r*v stands for v.
  const void* star = std::memchr(ca + i, '*', e - i);
  if (star) {
    size_t st = static_cast<size_t>(static_cast<const char*>(star) - ca);
    bool ok = st > i;
    bool nonzero = false;
    for (size_t q = i; q < st; ++q) {
      if (ca[q] < '0' || ca[q] > '9') ok = false;
      else if (ca[q] != '0') nonzero = true;
    }
    if (!ok || !nonzero) {
      *istat = 1;
      return;
    }
    i = st + 1;
    if (i == e) return;  // r* is a null value
  }
  bool neg = false;
  if (ca[i] == '+' || ca[i] == '-') {
    neg = ca[i] == '-';
    ++i;
  }
  if (i == e) {
    *istat = 1;
    return;
  }
  int64_t v = 0;
  for (size_t q = i; q < e; ++q) {
    if (ca[q] < '0' || ca[q] > '9') {
      *istat = 1;
      return;
    }
    v = v * 10 + (ca[q] - '0');
    if (v > 2147483648LL) {
      *istat = 2;  // does not fit 32 bits
      return;
    }
  }
  if (neg) v = -v;
  if (v > INT32_MAX) {
    *istat = 2;
    return;
  }
  *integ = static_cast<int32_t>(v);
}

VX_API void inistringwithcharacter(char* res, size_t res_len, const char* ch, const int32_t* n, size_t ch_len) {
  size_t k = count_n(n);
  if (k > res_len) k = res_len;
  fill(res, k, at(ch, ch_len, 0));
  fill(res + k, res_len - k);
}
